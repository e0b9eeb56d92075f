#include "core/csv_file.h"

#include "core/console.h"
#include "core/random.h"
#include "core/text.h"

namespace {
wchar_t Cp1252Char(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  if (b < 0x80 || b >= 0xA0) return static_cast<wchar_t>(b);
  return Cp1252ToWide(std::string_view(&c, 1))[0];
}

// Bytes that end a run of field text: ';', CR and LF.
struct sSeparators {
  bool is[256] = {};
  constexpr sSeparators() {
    is[static_cast<unsigned char>(';')] = true;
    is[static_cast<unsigned char>('\r')] = true;
    is[static_cast<unsigned char>('\n')] = true;
  }
};
constexpr sSeparators kSeparators;
}  // namespace

cCsvFile::cCsvFile(const std::wstring& path) { Open(path); }

bool cCsvFile::Open(const std::wstring& path) {
  Close();
  if (!ReadWholeFile(WideToUtf8(path), buffer_)) return false;
  cursor_ = Begin();
  ok_ = true;
  return true;
}

void cCsvFile::Close() {
  buffer_ = std::vector<uint8_t>();
  cursor_ = nullptr;
  lineCounter_ = 0;
  ok_ = false;
}

void cCsvFile::EmitSpan(const char* text, size_t n) {
  // Reuse the strings of earlier lines: tables have many short fields.
  if (spare_.empty()) {
    fields.emplace_back();
  } else {
    fields.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
  std::wstring& w = fields.back();
  w.resize(n);
  for (size_t i = 0; i < n; ++i) w[i] = Cp1252Char(text[i]);
}

void cCsvFile::Emit() {
  EmitSpan(accumulator_.data(), accumulator_.size());
  accumulator_.clear();
}

uint16_t cCsvFile::ReadLine(bool keepEmpty) {
  for (std::wstring& f : fields) spare_.push_back(std::move(f));
  fields.clear();
  if (Eof()) return 0;
  accumulator_.clear();
  const char* p = cursor_;
  const char* const end = End();
  bool comment = false;
  for (;;) {
    // A run of ordinary bytes.
    const char* q = p;
    while (q < end && !kSeparators.is[static_cast<unsigned char>(*q)]) ++q;
    if (q > p) {
      if (!comment && *p == '#' && accumulator_.empty() && fields.empty()) comment = true;
      if (comment) {
        // The rest of the line up to its CR is the comment; ';' and LF are
        // part of it too.
        while (q < end && *q != '\r') ++q;
      } else if (accumulator_.empty() && (q == end || *q != '\n')) {
        // The whole field in one run: convert it straight from the buffer,
        // then take its separator.
        size_t n = static_cast<size_t>(q - p);
        EmitSpan(p, n < kMaxFieldBytes ? n : kMaxFieldBytes);
        p = q;
        if (p == end) break;
        char c = *p++;
        if (c == '\r' || p == end) break;
        continue;
      } else {
        size_t room = kMaxFieldBytes - accumulator_.size();
        size_t n = static_cast<size_t>(q - p);
        accumulator_.append(p, n < room ? n : room);
      }
      p = q;
      if (p == end) {
        if (!comment && (!accumulator_.empty() || keepEmpty)) Emit();
        break;
      }
      if (comment && *p != '\r') continue;
    }
    // A separator: LF, ';' or CR.
    char c = *p++;
    bool exhausted = p == end;
    if (!comment && (!accumulator_.empty() || keepEmpty) && (c == '\r' || c == ';' || exhausted)) Emit();
    if (c == '\r' || exhausted) break;
  }
  cursor_ = p;
  ++lineCounter_;
  return static_cast<uint16_t>(fields.size());
}

void WarnShortRow(const std::wstring& file, int line, int have, int need) {
  LogF(L"WARNING: %s line %i has %i fields, %i needed", file.c_str(), line, have, need);
}
