#pragma once
// The ';'-separated tables of scenarios and saved games. The whole file is
// read at once and handed out line by line as wide-text fields; the reader
// knows nothing of columns, each loader interprets the fields itself.
//
// A line ends at CR; LF is ignored wherever it stands. ';' ends a field, with
// no quoting. A '#' before anything else on the line makes the line a
// comment. Empty fields are dropped unless the caller keeps them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cCsvFile {
 public:
  // Longest field in bytes; the rest of a longer field is skipped.
  static constexpr size_t kMaxFieldBytes = 999;

  cCsvFile() = default;
  explicit cCsvFile(const std::wstring& path);
  cCsvFile(const cCsvFile&) = delete;
  cCsvFile& operator=(const cCsvFile&) = delete;

  // Reads the whole file (a game path, backslashes allowed); false when it
  // cannot be opened or read whole.
  bool Open(const std::wstring& path);
  // Reads the next line into fields and returns their count; 0 for a
  // comment line, a line of dropped empty fields, or when no data is left
  // (tell these apart with Eof).
  uint16_t ReadLine(bool keepEmpty = false);
  bool Eof() const { return cursor_ == End(); }
  void Close();

  bool Ok() const { return ok_; }
  // Number of ReadLine calls since opening: the line just read.
  int LineNumber() const { return static_cast<int>(lineCounter_); }

  // The fields of the line read last.
  std::vector<std::wstring> fields;

 private:
  // The string for the next field of the line, reusing one from an earlier
  // line where there is one.
  std::wstring& NextField(size_t& count);
  const char* Begin() const { return reinterpret_cast<const char*>(buffer_.get()); }
  const char* End() const { return Begin() + size_; }

  bool ok_ = false;
  const char* cursor_ = nullptr;  // the start of the next line
  uint32_t lineCounter_ = 0;
  std::unique_ptr<uint8_t[]> buffer_;
  size_t size_ = 0;
  // The separators of the 64 bytes at scanBase_, one bit each, kept from
  // line to line.
  const char* scanBase_ = nullptr;
  uint64_t scanBits_ = 0;
  // A field broken by LF, gathered before it is converted.
  std::string accumulator_;
  // Strings of longer lines read earlier, kept for their storage.
  std::vector<std::wstring> spare_;
};

// The warning of a reader whose row has fewer fields than its layout needs.
void WarnShortRow(const std::wstring& file, int line, int have, int need);
