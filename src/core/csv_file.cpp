#include "core/csv_file.h"

#include <bit>
#include <cstring>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/separator_scan.h"
#include "core/text.h"

namespace {
// The separator bits of the 64 bytes at base, kept from field to field in
// locals of the reading loop so that a field's end costs a shift and a bit
// scan.
struct sScan {
  const char* base;
  uint64_t bits;

  // The first ';', CR or LF at or after p (p < end), or end.
  const char* Next(const char* p, const char* end) {
    for (;;) {
      // A base past p (as at the start) gives a huge offset: fill it anew.
      const size_t offset = static_cast<size_t>(p - base);
      if (offset < 64) {
        const uint64_t ahead = bits >> offset;
        if (ahead != 0) return p + std::countr_zero(ahead);
        p = base + 64;
      }
      if (end - p < 64) {
        while (p < end && *p != ';' && *p != '\r' && *p != '\n') ++p;
        return p;
      }
      base = p;
      bits = SeparatorBits64(p);
    }
  }
};
}  // namespace

cCsvFile::cCsvFile(const std::wstring& path) { Open(path); }

bool cCsvFile::Open(const std::wstring& path) {
  Close();
  if (!ReadWholeFile(WideToUtf8(path), buffer_, size_)) return false;
  cursor_ = Begin();
  scanBase_ = End();
  ok_ = true;
  return true;
}

void cCsvFile::Close() {
  buffer_.reset();
  size_ = 0;
  cursor_ = nullptr;
  scanBase_ = nullptr;
  lineCounter_ = 0;
  ok_ = false;
}

[[gnu::always_inline]] inline std::wstring& cCsvFile::NextField(size_t& count) {
  // Rows of a table mostly have the same number of fields: their strings are
  // overwritten in place and keep their storage from line to line.
  if (count < fields.size()) return fields[count++];
  ++count;
  if (spare_.empty()) {
    fields.emplace_back();
  } else {
    fields.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
  return fields.back();
}

uint16_t cCsvFile::ReadLine(bool keepEmpty) {
  size_t count = 0;
  if (!Eof()) {
    accumulator_.clear();
    const char* p = cursor_;
    const char* const end = End();
    sScan scan{scanBase_, scanBits_};
    // p < end at the top of every round.
    for (;;) {
      const char* const q = scan.Next(p, end);
      if (q != p) {
        if (*p == '#' && accumulator_.empty() && count == 0) {
          // A comment: the rest of the line up to its CR, ';' and LF included.
          const void* cr = std::memchr(p, '\r', static_cast<size_t>(end - p));
          p = cr != nullptr ? static_cast<const char*>(cr) + 1 : end;
          break;
        }
        const size_t n = static_cast<size_t>(q - p);
        if (accumulator_.empty() && (q == end || *q != '\n')) {
          // The whole field lies in the buffer: convert it from there.
          AssignCp1252(NextField(count), std::string_view(p, n < kMaxFieldBytes ? n : kMaxFieldBytes));
          if (q == end) {
            p = end;
            break;
          }
          p = q + 1;
          // A ';' that ends the data ends the line with no empty field.
          if (*q == '\r' || p == end) break;
          continue;
        }
        const size_t room = kMaxFieldBytes - accumulator_.size();
        accumulator_.append(p, n < room ? n : room);
        p = q;
        if (p == end) {
          AssignCp1252(NextField(count), accumulator_);
          break;
        }
      }
      // A separator: LF joins the field on both sides, ';' and CR end it, and
      // the end of the data ends it too.
      const char c = *p++;
      const bool exhausted = p == end;
      if ((!accumulator_.empty() || keepEmpty) && (c != '\n' || exhausted)) {
        AssignCp1252(NextField(count), accumulator_);
        accumulator_.clear();
      }
      if (c == '\r' || exhausted) break;
    }
    cursor_ = p;
    scanBase_ = scan.base;
    scanBits_ = scan.bits;
    ++lineCounter_;
  }
  while (fields.size() > count) {
    spare_.push_back(std::move(fields.back()));
    fields.pop_back();
  }
  return static_cast<uint16_t>(count);
}

void WarnShortRow(const std::wstring& file, int line, int have, int need) {
  LogF(L"WARNING: %s line %i has %i fields, %i needed", file.c_str(), line, have, need);
}
