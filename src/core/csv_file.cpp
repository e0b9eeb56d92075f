#include "core/csv_file.h"

#include <sys/stat.h>

#include <cstdio>

#include "core/console.h"
#include "core/paths.h"
#include "core/text.h"

cCsvFile::cCsvFile(const std::wstring& path) {
  fields.clear();
  Open(path);
}

bool cCsvFile::Open(const std::wstring& path) {
  Close();
  std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
  if (f == nullptr) return false;
  struct stat st;
  // A directory opens for reading here but has no bytes to give.
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
    std::fclose(f);
    return false;
  }
  uint64_t size = static_cast<uint64_t>(st.st_size);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[size > 0 ? size : 1]);
  if (!buffer) {
    std::fclose(f);
    return false;
  }
  size_t got = size > 0 ? std::fread(buffer.get(), 1, size, f) : 0;
  std::fclose(f);
  if (got != size) return false;
  buffer_ = std::move(buffer);
  cursor_ = buffer_.get();
  position_ = 0;
  size_ = size;
  lineCounter_ = 0;
  ok_ = 1;
  return true;
}

void cCsvFile::Close() {
  if (!buffer_) return;
  buffer_.reset();
  cursor_ = nullptr;
  position_ = 0;
  size_ = 0;
  lineCounter_ = 0;
  ok_ = 0;
}

void cCsvFile::Emit() {
  fields.push_back(Cp1252ToWide(accumulator_));
  accumulator_.clear();
}

uint16_t cCsvFile::ReadLine(bool keepEmpty) {
  fields.clear();
  if (position_ >= size_) return 0;
  accumulator_.clear();
  const char* p = cursor_;
  const char* const end = buffer_.get() + size_;
  bool comment = false;
  for (;;) {
    // A run of ordinary bytes.
    const char* q = p;
    while (q < end && *q != ';' && *q != '\r' && *q != '\n') ++q;
    if (q > p) {
      if (!comment && *p == '#' && accumulator_.empty() && fields.empty()) comment = true;
      if (comment) {
        // The rest of the line up to its CR is the comment; ';' and LF are
        // part of it too.
        while (q < end && *q != '\r') ++q;
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
  position_ += static_cast<uint64_t>(p - cursor_);
  cursor_ = p;
  ++lineCounter_;
  return static_cast<uint16_t>(fields.size());
}

void WarnShortRow(const std::wstring& file, int line, int have, int need) {
  LogF(L"WARNING: %s line %i has %i fields, %i needed", file.c_str(), line, have, need);
}
