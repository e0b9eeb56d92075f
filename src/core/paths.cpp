#include "core/paths.h"

#include <sys/stat.h>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/filesystem.hpp>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/text.h"

namespace fs = boost::filesystem;

namespace {
std::string Slashes(std::string s) {
  for (char& c : s)
    if (c == '\\') c = '/';
  // Collapse repeated separators that a template may leave ("a\\b").
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  return out;
}

bool Exists(const std::string& p) {
  boost::system::error_code ec;
  return fs::exists(fs::path(p), ec);
}

// What a cFolderLookupScope keeps: the answers of the existence tests and
// the names of the folders listed, in listing order.
struct sFolderLookups {
  std::unordered_map<std::string, bool> exists;
  std::unordered_map<std::string, std::vector<std::string>> listings;
};
thread_local sFolderLookups* tLookups = nullptr;

bool ExistsOnce(const std::string& p) {
  if (tLookups == nullptr) return Exists(p);
  auto [it, fresh] = tLookups->exists.try_emplace(p, false);
  if (fresh) it->second = Exists(p);
  return it->second;
}

// The first name of the folder equal to part but for case; empty for none.
std::string FindIgnoringCase(const std::string& dir, const std::string& part) {
  if (tLookups != nullptr) {
    auto [it, fresh] = tLookups->listings.try_emplace(dir);
    if (fresh) {
      boost::system::error_code ec;
      for (fs::directory_iterator d(fs::path(dir), ec), endIt; !ec && d != endIt; d.increment(ec))
        it->second.push_back(d->path().filename().string());
    }
    for (const std::string& name : it->second)
      if (boost::algorithm::iequals(name, part)) return name;
    return {};
  }
  boost::system::error_code ec;
  for (fs::directory_iterator d(fs::path(dir), ec), endIt; !ec && d != endIt; d.increment(ec)) {
    std::string name = d->path().filename().string();
    if (boost::algorithm::iequals(name, part)) return name;
  }
  return {};
}
}  // namespace

// An inner scope shares what the outermost one keeps.
cFolderLookupScope::cFolderLookupScope() : outermost_(tLookups == nullptr) {
  if (outermost_) tLookups = new sFolderLookups();
}

cFolderLookupScope::~cFolderLookupScope() {
  if (outermost_) {
    delete tLookups;
    tLookups = nullptr;
  }
}

std::string NativePath(std::string_view gamePath) {
  std::string p = Slashes(std::string(gamePath));
  if (p.empty() || ExistsOnce(p)) return p;
  // Resolve component by component, ignoring case where the exact one is missing.
  std::string resolved;
  bool missing = false;
  size_t pos = 0;
  if (p[0] == '/') {
    resolved = "/";
    pos = 1;
  }
  while (pos <= p.size()) {
    size_t end = p.find('/', pos);
    if (end == std::string::npos) end = p.size();
    std::string part = p.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty()) {
      if (end == p.size()) break;
      continue;
    }
    std::string candidate = resolved.empty() ? part : (resolved.back() == '/' ? resolved + part : resolved + "/" + part);
    if (missing) {
      // Nothing lies below a folder that is not there.
      resolved = candidate;
      if (end == p.size()) break;
      continue;
    }
    if (!ExistsOnce(candidate) && part != "." && part != "..") {
      const std::string name = FindIgnoringCase(resolved.empty() ? "." : resolved, part);
      if (!name.empty())
        candidate = resolved.empty() ? name : (resolved.back() == '/' ? resolved + name : resolved + "/" + name);
      else
        missing = true;
    }
    resolved = candidate;
    if (end == p.size()) break;
  }
  if (!p.empty() && p.back() == '/' && (resolved.empty() || resolved.back() != '/')) resolved += '/';
  return resolved;
}

std::string NativePath(std::wstring_view gamePath) { return NativePath(WideToUtf8(gamePath)); }

std::FILE* OpenGameFile(std::wstring_view gamePath, const char* mode) {
  return std::fopen(NativePath(gamePath).c_str(), mode);
}

bool DirectoryExists(std::wstring_view gamePath) {
  boost::system::error_code ec;
  return fs::is_directory(fs::path(NativePath(gamePath)), ec);
}

std::wstring GetUserDataFolder() {
  std::string docs;
  if (const char* x = std::getenv("XDG_DOCUMENTS_DIR"); x != nullptr && *x != '\0') {
    docs = x;
  } else if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0') {
    docs = std::string(h) + "/Documents";
  } else {
    return L"./";
  }
  fs::path p(docs);
  boost::system::error_code ec;
  for (const char* level : {"", "My Games", "Corvalle", "Brennmark"}) {
    if (*level != '\0') p /= level;
    if (!fs::is_directory(p, ec)) {
      fs::create_directory(p, ec);
      if (!fs::is_directory(p, ec)) return L"./";
    }
  }
  return Utf8ToWide(p.string() + "/");
}

bool FileExists(const std::wstring& path) {
  std::string native = NativePath(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::FILE* f = std::fopen(native.c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

namespace {
// Opens and measures the file and reads it whole into the storage that
// room(size) hands back; true when every byte was read.
template <class Room>
bool ReadWholeInto(const std::string& path, Room room) {
  std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
  if (f == nullptr) return false;
  struct stat st;
  // Only a regular file tells its size: a folder opens for reading but has
  // no bytes, a pipe or device would seem empty.
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    return false;
  }
  const size_t size = static_cast<size_t>(st.st_size);
  uint8_t* data = nullptr;
  try {
    data = room(size);
  } catch (const std::exception&) {  // bad_alloc, or a size past the container's limit
    std::fclose(f);
    return false;
  }
  const size_t got = size == 0 ? 0 : std::fread(data, 1, size, f);
  std::fclose(f);
  return got == size;
}
}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& buffer) {
  buffer.clear();
  if (ReadWholeInto(path, [&buffer](size_t n) {
        buffer.resize(n);
        return buffer.data();
      }))
    return true;
  buffer.clear();
  return false;
}

bool ReadWholeFile(const std::string& path, std::unique_ptr<uint8_t[]>& buffer, size_t& size) {
  buffer.reset();
  size = 0;
  size_t room = 0;
  if (ReadWholeInto(path, [&](size_t n) {
        buffer = std::make_unique_for_overwrite<uint8_t[]>(n);
        room = n;
        return buffer.get();
      })) {
    size = room;
    return true;
  }
  buffer.reset();
  return false;
}
