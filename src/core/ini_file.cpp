#include "core/ini_file.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/text.h"
#include "core/text_file.h"

namespace {
// The characters the C locale counts as white space.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// The slash that splits "Section/Key": neither first nor last.
size_t SectionSlash(const std::string& key) {
  size_t slash = key.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == key.size()) return std::string::npos;
  return slash;
}

// The C library's text-to-integer rule, kept inside int on overflow.
int TextToInt(const std::string& s) {
  long v = std::strtol(s.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}
}  // namespace

bool cIniFile::Load(const std::wstring& path) {
  trace = 0;
  autoCreate = 1;
  entries_.clear();
  loaded_ = 0;
  fileName_ = path;
  LogF(L"Loading INI file %s ...", path.c_str());

  // A folder in place of the file is no INI file either, and saving over it
  // later could not work.
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(WideToUtf8(path), bytes)) {
    LogF(L"ERROR during opening INI file %s", path.c_str());
    return false;
  }
  std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  all = all.substr(0, all.find('\0'));

  std::string prefix;
  std::string pendingComment;
  size_t pos = 0;
  std::string_view line;
  while (NextTextLine(all, pos, line)) {
    line = Trim(line);
    if (line.empty()) continue;
    if (line[0] == ';' || line[0] == '#') {
      pendingComment.append(line);
      pendingComment.append("\r\n");
    } else if (line[0] == '[') {
      // The last character is taken for the closing bracket, whatever it is.
      std::string name(line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string_view());
      sEntry& e = entries_[name];
      e.comment = std::move(pendingComment);
      e.value.reset();
      pendingComment.clear();
      prefix = name + "/";
    } else {
      size_t eq = line.find('=');
      if (eq == std::string_view::npos) continue;
      std::string key(Trim(prefix + std::string(line.substr(0, eq))));
      sEntry& e = entries_[key];
      e.comment = std::move(pendingComment);
      e.value = std::make_unique<std::string>(Trim(line.substr(eq + 1)));
      pendingComment.clear();
    }
  }
  loaded_ = 1;
  LogLine(L"Loaded");
  return true;
}

void cIniFile::Save() {
  if (!loaded_) return;
  SaveAs(fileName_);
}

bool cIniFile::SaveAs(const std::wstring& path) const {
  std::string text;
  for (const auto& [key, e] : entries_) {
    if (!e.value) {
      text += "\n";
      text += e.comment;
      text += "[" + key + "]\n";
    } else {
      size_t slash = SectionSlash(key);
      text += e.comment;
      text += slash == std::string::npos ? key : key.substr(slash + 1);
      text += " = ";
      text += *e.value;
      text += "\n";
    }
  }
  // Text mode on disk: every "\n" becomes CR LF, also the one behind a
  // comment's own CR.
  std::string disk;
  disk.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') disk.push_back('\r');
    disk.push_back(c);
  }
  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) {
    LogF(L"ERROR during saving INI file %s", path.c_str());
    return false;
  }
  bool ok = disk.empty() || std::fwrite(disk.data(), 1, disk.size(), f) == disk.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) LogF(L"ERROR during saving INI file %s", path.c_str());
  return ok;
}

void cIniFile::EnsureSection(const std::string& key) {
  size_t slash = SectionSlash(key);
  std::string section = slash == std::string::npos ? key : key.substr(0, slash);
  if (autoCreate && entries_.find(section) == entries_.end()) entries_.emplace(section, sEntry{});
}

std::string* cIniFile::Lookup(const std::string& key, std::string_view defText) {
  EnsureSection(key);
  auto it = entries_.find(key);
  if (it == entries_.end()) {
    if (autoCreate) {
      sEntry e;
      e.value = std::make_unique<std::string>(defText);
      entries_.emplace(key, std::move(e));
    }
    return nullptr;
  }
  // A section entry under the key of a value has no text to give.
  return it->second.value.get();
}

void cIniFile::Store(const std::string& key, std::string text) {
  EnsureSection(key);
  sEntry& e = entries_[key];
  e.value = std::make_unique<std::string>(std::move(text));
}

std::wstring cIniFile::GetString(const std::string& key, const std::wstring& def) {
  if (trace) LogF(L"Get string value of %s", WidenAscii(key).c_str());
  std::string* v = Lookup(key, NarrowAscii(def));
  return v ? WidenAscii(*v) : def;
}

int cIniFile::GetInt(const std::string& key, int def) {
  if (trace) LogF(L"Get integer value of %s", WidenAscii(key).c_str());
  std::string* v = Lookup(key, std::to_string(def));
  return v ? TextToInt(*v) : def;
}

bool cIniFile::GetBool(const std::string& key, bool def) {
  if (trace) LogF(L"Get boolean value of %s", WidenAscii(key).c_str());
  std::string* v = Lookup(key, def ? "true" : "false");
  return v ? (*v == "true" || *v == "yes") : def;
}

void cIniFile::SetString(const std::string& key, const std::wstring& value) {
  if (trace) LogF(L"Set string value of %s", WidenAscii(key).c_str());
  Store(key, NarrowAscii(value));
}

void cIniFile::SetInt(const std::string& key, int value) {
  if (trace) LogF(L"Set integer value of %s", WidenAscii(key).c_str());
  Store(key, std::to_string(value));
}

void cIniFile::SetBool(const std::string& key, bool value) {
  if (trace) LogF(L"Set boolean value of %s", WidenAscii(key).c_str());
  Store(key, value ? "true" : "false");
}
