#include "core/md5.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Md5Of(const std::string& s) { return Md5Text(reinterpret_cast<const uint8_t*>(s.data()), s.size()); }

std::string Hex(const uint8_t d[16]) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < 16; ++i) {
    out.push_back(digits[d[i] >> 4]);
    out.push_back(digits[d[i] & 15]);
  }
  return out;
}

TEST(Md5Test, ReferenceSuite) {
  EXPECT_EQ(Md5Of(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Of("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5Of("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Of("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5Of("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Md5Of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Md5Of("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5Test, LongInputSpanningManyChunks) {
  EXPECT_EQ(Md5Of(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

// Lengths around the 64-byte block, the 56-byte padding limit and the
// 1024-byte chunk: fed whole, byte by byte and in uneven pieces, the digest
// is the same.
TEST(Md5Test, SplittingTheInputDoesNotChangeTheDigest) {
  for (size_t len : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 1023u, 1024u, 1025u, 3000u}) {
    SCOPED_TRACE(len);
    std::vector<uint8_t> data(len);
    for (size_t i = 0; i < len; ++i) data[i] = static_cast<uint8_t>(i * 131 + 7);
    std::string whole = Md5Text(data.data(), data.size());
    ASSERT_EQ(whole.size(), 32u);

    cMd5 bytes;
    for (uint8_t b : data) bytes.Update(&b, 1);
    uint8_t d1[16];
    bytes.Final(d1);
    EXPECT_EQ(Hex(d1), whole);

    cMd5 pieces;
    for (size_t off = 0; off < len; off += 37) pieces.Update(data.data() + off, std::min<size_t>(37, len - off));
    uint8_t d2[16];
    pieces.Final(d2);
    EXPECT_EQ(Hex(d2), whole);
  }
}

TEST(Md5Test, DifferentInputsGiveDifferentDigests) {
  EXPECT_NE(Md5Of(std::string(1024, 'x')), Md5Of(std::string(1023, 'x') + 'y'));
  EXPECT_NE(Md5Of(std::string(64, '\0')), Md5Of(std::string(65, '\0')));
}

}  // namespace
