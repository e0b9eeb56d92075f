#include "core/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <sys/types.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <type_traits>

namespace {
// Widths and precisions beyond this are taken as this, so that a bad
// format cannot ask for gigabytes.
constexpr int kMaxWidth = 1 << 16;

// Code points of bytes 0x80..0x9F; the five unassigned bytes map to
// themselves, as the system conversion does.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char WideCharToCp1252(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (static_cast<wchar_t>(kCp1252High[i]) == c) return static_cast<char>(0x80 + i);
  return '?';
}
}  // namespace

std::wstring Cp1252ToWide(std::string_view s) {
  std::wstring out;
  out.resize(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    out[i] = (b >= 0x80 && b < 0xA0) ? static_cast<wchar_t>(kCp1252High[b - 0x80]) : static_cast<wchar_t>(b);
  }
  return out;
}

namespace {
// Widens the four bytes at b into d and returns them, for the test of bytes
// above 0x7F.
uint32_t Widen4(wchar_t* d, const char* b) {
  uint32_t word;
  std::memcpy(&word, b, 4);
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_cvtsi32_si128(static_cast<int>(word));
  const __m128i chars = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), chars);
#else
  for (int k = 0; k < 4; ++k) d[k] = static_cast<wchar_t>(static_cast<unsigned char>(b[k]));
#endif
  return word;
}

// Non-zero when one of the four bytes of word is in 0x80..0x9F, the only
// bytes whose code point differs from the byte: such a byte is zero after
// keeping its top three bits and flipping the first, and the borrow test
// for a zero byte never misses one.
uint32_t ControlBytes(uint32_t word) {
  const uint32_t x = (word & 0xE0E0E0E0u) ^ 0x80808080u;
  return (x - 0x01010101u) & ~x & 0x80808080u;
}
}  // namespace

void AssignCp1252(std::wstring& out, std::string_view s) {
  const size_t n = s.size();
  // Erasing to the end is inline and costs no branch that depends on the
  // text; resize is a call, needed only to grow.
  out.erase(std::min(out.size(), n));
  if (out.size() < n) out.resize(n);
  wchar_t* const d = out.data();
  const char* const b = s.data();
  // Four bytes at a time, the first four and the last four (overlapping in a
  // shorter field) before the ones between: a field of four to eight bytes
  // costs two steps whatever its length, with no loop at all.
  uint32_t controls = 0;
  if (n >= 4) {
    controls = ControlBytes(Widen4(d, b)) | ControlBytes(Widen4(d + n - 4, b + n - 4));
    for (size_t i = 4; i + 4 < n; i += 4) controls |= ControlBytes(Widen4(d + i, b + i));
  } else {
    for (size_t i = 0; i < n; ++i) {
      const unsigned char c = static_cast<unsigned char>(b[i]);
      d[i] = static_cast<wchar_t>(c);
      controls |= ControlBytes(c);
    }
  }
  if (controls == 0) return;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(b[i]);
    if (c >= 0x80 && c < 0xA0) d[i] = static_cast<wchar_t>(kCp1252High[c - 0x80]);
  }
}

std::string WideToCp1252(std::wstring_view s) {
  std::string out;
  out.resize(s.size());
  for (size_t i = 0; i < s.size(); ++i) out[i] = WideCharToCp1252(s[i]);
  return out;
}

std::wstring Utf16LeToWide(const uint8_t* data, size_t bytes) {
  std::wstring out;
  size_t n = bytes / 2;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    uint32_t u = data[2 * i] | (data[2 * i + 1] << 8);
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < n) {
        uint32_t v = data[2 * i + 2] | (data[2 * i + 3] << 8);
        if (v >= 0xDC00 && v <= 0xDFFF) {
          out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00)));
          ++i;
          continue;
        }
      }
      out.push_back(static_cast<wchar_t>(0xFFFD));
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      out.push_back(static_cast<wchar_t>(0xFFFD));
    } else {
      out.push_back(static_cast<wchar_t>(u));
    }
  }
  return out;
}

std::string WideToUtf16Le(std::wstring_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  auto put = [&out](uint32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>((u >> 8) & 0xFF));
  };
  for (wchar_t wc : s) {
    uint32_t c = static_cast<uint32_t>(wc);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      put(0xD800 + (c >> 10));
      put(0xDC00 + (c & 0x3FF));
    } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      put(0xFFFD);
    } else {
      put(c);
    }
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view s) {
  std::wstring out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    uint32_t c;
    int extra;
    if (b < 0x80) { c = b; extra = 0; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
    else { out.push_back(0xFFFD); ++i; continue; }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) { ok = false; break; }
      c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (!ok) { out.push_back(0xFFFD); ++i; continue; }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static constexpr uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    out.push_back(static_cast<wchar_t>(c));
    i += extra + 1;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view s) {
  std::string out;
  out.reserve(s.size());
  for (wchar_t wc : s) {
    uint32_t c = static_cast<uint32_t>(wc);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::wstring WidenAscii(std::string_view s) {
  std::wstring out(s.size(), L'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<unsigned char>(s[i]);
  return out;
}

std::string NarrowAscii(std::wstring_view s) {
  std::string out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<char>(s[i] & 0xFF);
  return out;
}

namespace {
// One conversion of a format, as parsed by WFormatV.
struct sConversion {
  std::string flags;
  int width = -1;
  int precision = -1;
  std::string length;  // normalised to the C length modifiers
  bool wideMod = false;
  bool narrowMod = false;
  wchar_t conv = 0;
};

void Pad(std::wstring& out, std::wstring_view body, const sConversion& cv) {
  size_t width = cv.width > 0 ? static_cast<size_t>(cv.width) : 0;
  bool left = cv.flags.find('-') != std::string::npos;
  if (!left && body.size() < width) out.append(width - body.size(), L' ');
  out += body;
  if (left && body.size() < width) out.append(width - body.size(), L' ');
}

// Numbers are formatted by the narrow printf, whose output is plain ASCII.
template <typename T>
void PutNumber(std::wstring& out, const sConversion& cv, const char* length, T value) {
  std::string f = "%" + cv.flags;
  if (cv.width >= 0) f += std::to_string(cv.width);
  if (cv.precision >= 0) f += "." + std::to_string(cv.precision);
  f += length;
  f.push_back(static_cast<char>(cv.conv));
  int n = std::snprintf(nullptr, 0, f.c_str(), value);
  if (n <= 0) return;
  std::string s(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(s.data(), s.size(), f.c_str(), value);
  s.resize(static_cast<size_t>(n));
  out += WidenAscii(s);
}

// One integer argument of the width a C length modifier names, read signed
// or unsigned as Result is, and widened to Result.
template <typename Result, typename Base>
Result FetchAs(va_list* ap) {
  using T = std::conditional_t<std::is_signed_v<Result>, std::make_signed_t<Base>, std::make_unsigned_t<Base>>;
  // Types narrower than int arrive promoted.
  using Passed = std::conditional_t<(sizeof(T) < sizeof(int)), std::conditional_t<std::is_signed_v<T>, int, unsigned>, T>;
  return static_cast<Result>(static_cast<T>(va_arg(*ap, Passed)));
}

template <typename Result>
Result FetchInteger(va_list* ap, const std::string& len) {
  if (len == "hh") return FetchAs<Result, signed char>(ap);
  if (len == "h") return FetchAs<Result, short>(ap);
  if (len == "l") return FetchAs<Result, long>(ap);
  if (len == "ll") return FetchAs<Result, long long>(ap);
  if (len == "j") return FetchAs<Result, intmax_t>(ap);
  if (len == "z") return FetchAs<Result, ssize_t>(ap);
  if (len == "t") return FetchAs<Result, ptrdiff_t>(ap);
  return FetchAs<Result, int>(ap);
}
}  // namespace

// The conversions are done here, argument by argument, rather than by
// vswprintf: glibc reads %s in a wide format as a narrow string, and it
// converts narrow arguments through the C locale, failing on every byte
// above 0x7F. Narrow arguments are Windows-1252 text.
std::wstring WFormatV(const wchar_t* fmt, va_list args) {
  std::wstring out;
  if (fmt == nullptr) return out;
  va_list ap;
  va_copy(ap, args);
  const wchar_t* p = fmt;
  while (*p != 0) {
    if (*p != L'%') {
      out.push_back(*p++);
      continue;
    }
    const wchar_t* start = p++;
    sConversion cv;
    while (*p != 0 && std::wcschr(L"-+ #0'", *p) != nullptr) cv.flags.push_back(static_cast<char>(*p++));
    if (*p == L'*') {
      cv.width = va_arg(ap, int);
      if (cv.width < 0) {
        cv.flags.push_back('-');
        cv.width = cv.width == INT_MIN ? INT_MAX : -cv.width;
      }
      ++p;
    } else if (*p >= L'0' && *p <= L'9') {
      cv.width = 0;
      while (*p >= L'0' && *p <= L'9') cv.width = std::min(cv.width * 10 + static_cast<int>(*p++ - L'0'), kMaxWidth);
    }
    cv.width = std::min(cv.width, kMaxWidth);
    if (*p == L'.') {
      ++p;
      cv.precision = 0;
      if (*p == L'*') {
        cv.precision = va_arg(ap, int);
        if (cv.precision < 0) cv.precision = -1;
        ++p;
      } else {
        while (*p >= L'0' && *p <= L'9')
          cv.precision = std::min(cv.precision * 10 + static_cast<int>(*p++ - L'0'), kMaxWidth);
      }
      cv.precision = std::min(cv.precision, kMaxWidth);
    }
    for (bool more = true; more && *p != 0;) {
      if (*p == L'l' || *p == L'w') {
        cv.wideMod = true;
        cv.length += "l";
        ++p;
      } else if (*p == L'h') {
        cv.narrowMod = true;
        cv.length += "h";
        ++p;
      } else if (*p == L'L' || *p == L'j' || *p == L'z' || *p == L't') {
        cv.length.push_back(static_cast<char>(*p++));
      } else if (*p == L'q') {
        cv.length += "ll";
        ++p;
      } else if (*p == L'I' && p[1] == L'6' && p[2] == L'4') {
        cv.length += "ll";
        p += 3;
      } else if (*p == L'I' && p[1] == L'3' && p[2] == L'2') {
        p += 3;
      } else if (*p == L'I') {
        cv.length += "z";
        ++p;
      } else {
        more = false;
      }
    }
    cv.conv = *p;
    if (cv.conv == 0) {  // the format ends inside a conversion
      out.append(start, p);
      break;
    }
    ++p;
    const std::string& len = cv.length;
    switch (cv.conv) {
      case L'%':
        out.push_back(L'%');
        break;
      case L'd':
      case L'i':
        PutNumber(out, cv, "ll", FetchInteger<long long>(&ap, len));
        break;
      case L'u':
      case L'o':
      case L'x':
      case L'X':
        PutNumber(out, cv, "ll", FetchInteger<unsigned long long>(&ap, len));
        break;
      case L'f':
      case L'F':
      case L'e':
      case L'E':
      case L'g':
      case L'G':
      case L'a':
      case L'A':
        if (len == "L") PutNumber(out, cv, "L", va_arg(ap, long double));
        else PutNumber(out, cv, "", va_arg(ap, double));
        break;
      case L'p':
        PutNumber(out, cv, "", va_arg(ap, void*));
        break;
      case L'c':
      case L'C': {
        bool wide = cv.wideMod || (!cv.narrowMod && cv.conv == L'c');
        int v = va_arg(ap, int);
        wchar_t ch = wide ? static_cast<wchar_t>(v) : Cp1252ToWide(std::string(1, static_cast<char>(v)))[0];
        Pad(out, std::wstring_view(&ch, 1), cv);
        break;
      }
      case L's':
      case L'S': {
        bool wide = cv.wideMod || (!cv.narrowMod && cv.conv == L's');
        std::wstring text;
        if (wide) {
          const wchar_t* w = va_arg(ap, const wchar_t*);
          text = w != nullptr ? std::wstring(w) : std::wstring(L"(null)");
        } else {
          const char* n = va_arg(ap, const char*);
          text = n != nullptr ? Cp1252ToWide(n) : std::wstring(L"(null)");
        }
        if (cv.precision >= 0 && text.size() > static_cast<size_t>(cv.precision))
          text.resize(static_cast<size_t>(cv.precision));
        Pad(out, text, cv);
        break;
      }
      case L'n':
        // Writing through an argument is never wanted from a text; skip it.
        (void)va_arg(ap, void*);
        break;
      default:
        // Not a conversion: keep the text as written.
        out.append(start, p);
        break;
    }
  }
  va_end(ap);
  return out;
}

std::wstring WFormat(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::wstring s = WFormatV(fmt, args);
  va_end(args);
  return s;
}

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  // Most texts fit the stack buffer and are formatted once; a longer one is
  // formatted again at its measured size.
  char small[512];
  const int n = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  std::string s;
  if (n > 0 && static_cast<size_t>(n) < sizeof small) {
    s.assign(small, static_cast<size_t>(n));
  } else if (n > 0) {
    s.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(s.data(), s.size(), fmt, args);
    s.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return s;
}
