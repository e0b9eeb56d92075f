#include "core/random.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "core/paths.h"

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

int HexDistance(int x1, int y1, int x2, int y2) {
  int dx = std::abs(x2 - x1);
  int dy = y2 - y1;
  int ady = std::abs(dy);
  if (dx % 2 == 0) return (dx + 1) / 2 >= ady ? dx : ady + dx / 2;
  if (x1 % 2 != 0) {  // odd column, including negative odd ones
    if (-((dx + 1) / 2) <= dy && dy <= dx / 2) return dx;
    return ady + dx / 2 + (y2 > y1 ? 1 : 0);
  }
  if (-(dx / 2) <= dy && dy <= (dx + 1) / 2) return dx;
  return ady + dx / 2 + (y2 < y1 ? 1 : 0);
}

bool FileExists(const std::wstring& path) {
  std::string native = NativePath(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::FILE* f = std::fopen(native.c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

namespace {
// Opens and measures the file and reads it whole into the storage that
// room(size) hands back; true when every byte was read.
template <class Room>
bool ReadWholeInto(const std::string& path, Room room) {
  std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
  if (f == nullptr) return false;
  struct stat st;
  // Only a regular file tells its size: a folder opens for reading but has
  // no bytes, a pipe or device would seem empty.
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    return false;
  }
  const size_t size = static_cast<size_t>(st.st_size);
  uint8_t* data = nullptr;
  try {
    data = room(size);
  } catch (const std::exception&) {  // bad_alloc, or a size past the container's limit
    std::fclose(f);
    return false;
  }
  const size_t got = size == 0 ? 0 : std::fread(data, 1, size, f);
  std::fclose(f);
  return got == size;
}
}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& buffer) {
  buffer.clear();
  if (ReadWholeInto(path, [&buffer](size_t n) {
        buffer.resize(n);
        return buffer.data();
      }))
    return true;
  buffer.clear();
  return false;
}

bool ReadWholeFile(const std::string& path, std::unique_ptr<uint8_t[]>& buffer, size_t& size) {
  buffer.reset();
  size = 0;
  size_t room = 0;
  if (ReadWholeInto(path, [&](size_t n) {
        buffer = std::make_unique_for_overwrite<uint8_t[]>(n);
        room = n;
        return buffer.get();
      })) {
    size = room;
    return true;
  }
  buffer.reset();
  return false;
}
