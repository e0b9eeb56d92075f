#pragma once
// The game's dice: the C library's linear congruential generator, one state
// per thread, and the hex distance of the offset-coordinate map.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

int HexDistance(int x1, int y1, int x2, int y2);

// True when the path opens for binary reading (directories do not).
bool FileExists(const std::wstring& path);
// Reads a whole regular file; true when every byte was read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& buffer);
// The same into storage of exactly the file's size that is not cleared
// before the read, for large tables; empty with size 0 on failure.
bool ReadWholeFile(const std::string& path, std::unique_ptr<uint8_t[]>& buffer, size_t& size);

// A standard-library random engine drawing from the calling thread's
// generator, for std::shuffle.
struct sCRandEngine {
  using result_type = uint32_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return 32767; }
  result_type operator()() { return static_cast<result_type>(Rand()); }
};
