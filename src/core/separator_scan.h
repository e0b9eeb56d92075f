#pragma once
// Finding the bytes that split a table (';', CR, LF) 64 bytes at a time, so
// that a reader pays for a field's end with a bit scan instead of a test per
// byte. Bit i of a mask stands for byte i.
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A word at a time, for machines without SSE2: the exact zero-byte test
// (no false flags, unlike the shorter borrow test) after XOR with each
// separator, then the eight flags gathered into one byte by a multiply.
inline uint64_t SeparatorBits64Portable(const char* p) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr uint64_t kGather = 0x0102040810204080ull;
  uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) {
    uint64_t w;
    std::memcpy(&w, p + 8 * k, 8);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    const uint64_t a = w ^ (kOnes * ';');
    const uint64_t b = w ^ (kOnes * '\r');
    const uint64_t c = w ^ (kOnes * '\n');
    // The high bit of a byte stays set while the byte differs from all three.
    const uint64_t differs = (((a & kLow7) + kLow7) | a) & (((b & kLow7) + kLow7) | b) & (((c & kLow7) + kLow7) | c);
    const uint64_t flags = (~differs >> 7) & kOnes;
    bits |= ((flags * kGather) >> 56) << (8 * k);
  }
  return bits;
}

inline uint64_t SeparatorBits64(const char* p) {
#if defined(__SSE2__)
  const __m128i semi = _mm_set1_epi8(';');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  auto mask16 = [&](const char* q) -> uint64_t {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    const __m128i hit =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, semi), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, lf));
    return static_cast<uint16_t>(_mm_movemask_epi8(hit));
  };
  return mask16(p) | mask16(p + 16) << 16 | mask16(p + 32) << 32 | mask16(p + 48) << 48;
#else
  return SeparatorBits64Portable(p);
#endif
}
