#pragma once
// File names as the game spells them ("data\sound\X.wav") turned into paths
// on this system, and the per-user folder.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Backslashes become slashes; when the exact name does not exist, each
// component is looked up without regard to case ("data\Music" finds
// "data/music"). A name that cannot be found is returned with its spelling.
std::string NativePath(std::wstring_view gamePath);
std::string NativePath(std::string_view gamePath);

// While one lives on a thread, NativePath there keeps what it learnt of the
// file system (which names exist, what a folder holds) and answers from it:
// for a run of look-ups, such as a load's pictures, over folders that
// nothing writes to meanwhile and with one working directory.
class cFolderLookupScope {
 public:
  cFolderLookupScope();
  ~cFolderLookupScope();
  cFolderLookupScope(const cFolderLookupScope&) = delete;
  cFolderLookupScope& operator=(const cFolderLookupScope&) = delete;

 private:
  bool outermost_;
};

// Opens a game path with fopen's mode, through NativePath.
std::FILE* OpenGameFile(std::wstring_view gamePath, const char* mode);

// The per-user folder: the documents folder, then "My Games", "Corvalle",
// "Brennmark", each created when missing; "./" when none can be made.
// The result ends with a slash.
std::wstring GetUserDataFolder();

bool DirectoryExists(std::wstring_view gamePath);

// True when the path opens for binary reading (directories do not).
bool FileExists(const std::wstring& path);
// Reads a whole regular file; true when every byte was read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& buffer);
// The same into storage of exactly the file's size that is not cleared
// before the read, for large tables; empty with size 0 on failure.
bool ReadWholeFile(const std::string& path, std::unique_ptr<uint8_t[]>& buffer, size_t& size);
