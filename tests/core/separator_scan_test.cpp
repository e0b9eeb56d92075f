#include "core/separator_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
uint64_t ByteByByte(const char* p) {
  uint64_t bits = 0;
  for (int i = 0; i < 64; ++i)
    if (p[i] == ';' || p[i] == '\r' || p[i] == '\n') bits |= uint64_t{1} << i;
  return bits;
}

TEST(SeparatorScanTest, BothWaysAgreeWithTheTestOfEachByte) {
  // Bytes one away from a separator, which the short zero-byte test would
  // flag falsely after a true one, bytes with the high bit, and NUL.
  const char alphabet[] = {';', '\r', '\n', ':', '<', '\x0B', '\x0C', '\x0E', '\x09',
                           '\0', 'a', '\x80', '\xBB', '\x8D', '\x8A', '\xFF'};
  uint32_t seed = 5;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  std::vector<char> buffer(64 + 15);
  for (int round = 0; round < 20000; ++round) {
    for (char& c : buffer) c = alphabet[next() % sizeof alphabet];
    // Any alignment of the block.
    const char* p = buffer.data() + round % 16;
    const uint64_t expected = ByteByByte(p);
    ASSERT_EQ(SeparatorBits64(p), expected) << "round " << round;
    ASSERT_EQ(SeparatorBits64Portable(p), expected) << "round " << round;
  }
}

TEST(SeparatorScanTest, FullAndEmptyBlocks) {
  std::vector<char> none(64, 'x');
  EXPECT_EQ(SeparatorBits64(none.data()), 0u);
  EXPECT_EQ(SeparatorBits64Portable(none.data()), 0u);
  std::vector<char> all(64, ';');
  EXPECT_EQ(SeparatorBits64(all.data()), ~uint64_t{0});
  EXPECT_EQ(SeparatorBits64Portable(all.data()), ~uint64_t{0});
  // Each position on its own, the last one included.
  for (int i = 0; i < 64; ++i) {
    std::vector<char> one(64, ':');
    one[i] = "\r\n;"[i % 3];
    EXPECT_EQ(SeparatorBits64(one.data()), uint64_t{1} << i) << i;
    EXPECT_EQ(SeparatorBits64Portable(one.data()), uint64_t{1} << i) << i;
  }
}
}  // namespace
