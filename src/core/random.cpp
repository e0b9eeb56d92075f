#include "core/random.h"

#include <cstdlib>

namespace {
thread_local uint32_t tRandState = 1;
}

void SeedRandom(uint32_t seed) { tRandState = seed; }

int Rand() {
  tRandState = tRandState * 214013u + 2531011u;
  return static_cast<int>((tRandState >> 16) & 0x7FFF);
}

float RandomFloat01() { return static_cast<float>(Rand() / 32767.0); }

// The rolls are defined in extended precision. A float (24 significant
// bits) times a range of at most 2^29 has at most 53 bits, so a double holds
// the product exactly and truncates it alike, without the x87 unit, whose
// rounding-mode switches per conversion cost more than the rest of a roll.
constexpr int64_t kExactInDouble = int64_t{1} << 29;

int RandomInRange(int a, int b) {
  float r = RandomFloat01();
  const int range = b - a;
  if (range >= -kExactInDouble && range <= kExactInDouble)
    return a + static_cast<int>(static_cast<double>(r) * static_cast<double>(range));
  long double t = static_cast<long double>(r) * static_cast<long double>(range);
  return a + static_cast<int>(t);
}

int RandomRollSum(int n, int a, int b) {
  if (n < 1) return 0;
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    float r = RandomFloat01();
    float range = static_cast<float>(b - a);
    // Two floats: 48 significant bits, exact in a double.
    sum += a + static_cast<int>(static_cast<double>(r) * static_cast<double>(range));
  }
  return sum;
}

int RandomIndex(int n) {
  if (n <= 1) return 0;
  // Rejection keeps every index equally likely; two draws give 30 bits when
  // one draw's 15 are too few.
  const bool wide = n > 32768;
  const int64_t span = wide ? (int64_t{1} << 30) : 32768;
  const int64_t limit = span - span % n;
  int64_t r;
  do {
    r = wide ? (static_cast<int64_t>(Rand()) << 15) | Rand() : Rand();
  } while (r >= limit);
  return static_cast<int>(r % n);
}
