#include "core/text.h"

#include <cwchar>
#include <vector>

namespace {
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

std::wstring TranslateWideFormat(std::wstring_view fmt) {
  std::wstring out;
  out.reserve(fmt.size() + 8);
  size_t i = 0;
  while (i < fmt.size()) {
    wchar_t c = fmt[i];
    if (c != L'%') {
      out.push_back(c);
      ++i;
      continue;
    }
    // Copy flags, width and precision as they are.
    size_t start = i++;
    while (i < fmt.size() && fmt[i] != 0 && std::wcschr(L"-+ #0'123456789.*", fmt[i]) != nullptr) ++i;
    std::wstring head(fmt.substr(start, i - start));
    if (i >= fmt.size()) {
      out += head;
      break;
    }
    // Length modifiers.
    std::wstring len;
    bool wideMod = false, narrowMod = false;
    while (i < fmt.size()) {
      wchar_t m = fmt[i];
      if (m == L'l' || m == L'w') { wideMod = true; len.push_back(L'l'); ++i; }
      else if (m == L'h') { narrowMod = true; len.push_back(L'h'); ++i; }
      else if (m == L'L' || m == L'j' || m == L'z' || m == L't' || m == L'q') { len.push_back(m); ++i; }
      else if (m == L'I' && fmt.substr(i, 3) == L"I64") { len += L"ll"; i += 3; }
      else if (m == L'I' && fmt.substr(i, 3) == L"I32") { i += 3; }
      else break;
    }
    if (i >= fmt.size()) {
      out += head + len;
      break;
    }
    wchar_t conv = fmt[i++];
    switch (conv) {
      case L's':
      case L'S': {
        bool wide = wideMod || (!narrowMod && conv == L's');
        out += head + (wide ? L"ls" : L"s");
        break;
      }
      case L'c':
      case L'C': {
        bool wide = wideMod || (!narrowMod && conv == L'c');
        out += head + (wide ? L"lc" : L"c");
        break;
      }
      default:
        out += head + len;
        out.push_back(conv);
        break;
    }
  }
  return out;
}

std::wstring WFormatV(const wchar_t* fmt, va_list args) {
  if (fmt == nullptr) return std::wstring();
  std::wstring translated = TranslateWideFormat(fmt);
  std::vector<wchar_t> buf(256);
  for (;;) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vswprintf(buf.data(), buf.size(), translated.c_str(), copy);
    va_end(copy);
    if (n >= 0 && static_cast<size_t>(n) < buf.size()) return std::wstring(buf.data(), static_cast<size_t>(n));
    if (buf.size() > (1u << 24)) return std::wstring();  // malformed format or absurd length
    buf.resize(buf.size() * 4);
  }
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
  int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string s;
  if (n > 0) {
    s.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(s.data(), s.size(), fmt, args);
    s.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return s;
}
