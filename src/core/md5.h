#pragma once
// MD5 (RFC 1321), used for the integrity test of the string base.
#include <cstddef>
#include <cstdint>
#include <string>

class cMd5 {
 public:
  cMd5();
  void Update(const uint8_t* data, size_t len);
  // Finishes the digest; the object must not be updated afterwards.
  void Final(uint8_t digest[16]);

 private:
  void Transform(const uint8_t block[64]);
  uint32_t state_[4];
  uint64_t bits_ = 0;
  uint8_t buffer_[64];
  size_t used_ = 0;
};

// 32 lower-case hexadecimal digits of the digest of the buffer, fed in
// chunks of 1024 bytes.
std::string Md5Text(const uint8_t* data, size_t len);
