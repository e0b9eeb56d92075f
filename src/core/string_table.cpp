#include "core/string_table.h"

#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/md5.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/text.h"

StringTable gStringTable;

// The MD5 text of the override file "data/addsettings". Its content is
// exactly the 50 bytes
//   Brennmark texts edited by hand: keep them readable
// with no line end. We ship no such file; a translator who changes the
// string base puts it beside the game to keep the texts readable.
const char kOverrideDigest[] = "0eff8e440e5d67721ca71964c045a15e";

namespace {
const std::wstring kEmpty;

// Header: one byte not read, then the u64 record count.
constexpr size_t kCountOffset = 1;
constexpr size_t kFirstRecord = 9;

uint64_t ReadU64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// A changed string base is made unreadable: the part in front of the first
// '%' is shuffled, while the conversions stay in place so that formatting
// the text still works.
void Scramble(std::wstring& text) {
  size_t end = text.find(L'%');
  if (end == std::wstring::npos) end = text.size();
  std::shuffle(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), sCRandEngine{});
}
}  // namespace

const std::wstring& StringTable::operator[](const std::string& key) const {
  auto it = texts_.find(key);
  return it == texts_.end() ? kEmpty : it->second;
}

bool StringTable::Load(const std::string& pattern, bool overwrite) {
  std::string path = pattern;
  const std::string code = NarrowAscii(language_);
  for (size_t pos = path.find("LANGID"); pos != std::string::npos; pos = path.find("LANGID", pos + code.size()))
    path.replace(pos, 6, code);
  return LoadFile(path, overwrite, kShippedStringBaseDigest, "data/addsettings");
}

bool StringTable::LoadFile(const std::string& path, bool overwrite, const std::string& shippedDigest,
                           const std::string& overrideFile) {
  LogLine(L"Loading string base");
  std::vector<uint8_t> data;
  if (!ReadWholeFile(path, data)) {
    LogLine(L"Failed opening string base");
    return false;
  }

  bool modified = Md5Text(data.data(), data.size()) != shippedDigest;
  std::vector<uint8_t> override;
  if (modified && ReadWholeFile(overrideFile, override) &&
      Md5Text(override.data(), override.size()) == kOverrideDigest)
    modified = false;

  // Every length is checked against the end of the buffer: a count or a
  // length that runs past it ends the load with the records read so far.
  const size_t size = data.size();
  const uint8_t* buf = data.data();
  const bool noCount = size < kFirstRecord;
  const uint64_t count = noCount ? 0 : ReadU64(buf + kCountOffset);
  uint64_t done = 0;
  size_t pos = kFirstRecord;
  for (; done < count; ++done) {
    if (size - pos < 1) break;
    size_t keyLen = buf[pos];
    if (size - pos - 1 < keyLen + 2) break;
    const char* key = reinterpret_cast<const char*>(buf + pos + 1);
    size_t lenPos = pos + 1 + keyLen;
    size_t units = buf[lenPos] | (static_cast<size_t>(buf[lenPos + 1]) << 8);
    size_t textPos = lenPos + 2;
    if (size - textPos < 2 * units) break;
    pos = textPos + 2 * units;

    auto [it, inserted] = texts_.try_emplace(std::string(key, keyLen));
    if (inserted) {
      it->second = Utf16LeToWide(buf + textPos, 2 * units);
      if (modified) Scramble(it->second);
    } else if (overwrite) {
      it->second = Utf16LeToWide(buf + textPos, 2 * units);
    }
  }
  if (noCount) {
    LogLine(L"String base is truncated: no record count");
  } else if (done < count) {
    LogF(L"String base is truncated: %I64u of %I64u records read", static_cast<unsigned long long>(done),
         static_cast<unsigned long long>(count));
  }

  LogF(L"Loaded %i strings", static_cast<int>(texts_.size()));
  if (noCount || done < count) return false;
  LogLine(L"Loaded string base");
  return true;
}
