#pragma once
// The game's dice: the C library's linear congruential generator, one state
// per thread.
#include <cstdint>

// Seeds the calling thread's generator.
void SeedRandom(uint32_t seed);
// The next value 0..32767 of the calling thread's generator.
int Rand();

float RandomFloat01();
int RandomInRange(int a, int b);
int RandomRollSum(int n, int a, int b);
// A uniform pick of one of n candidates, 0..n-1 (0 when n < 1). Picks among
// candidates go through this; RandomInRange stays for odds, whose tables rely
// on its truncation.
int RandomIndex(int n);

// A standard-library random engine drawing from the calling thread's
// generator, for std::shuffle.
struct sCRandEngine {
  using result_type = uint32_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return 32767; }
  result_type operator()() { return static_cast<result_type>(Rand()); }
};
