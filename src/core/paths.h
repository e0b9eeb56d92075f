#pragma once
// File names as the game spells them ("data\sound\X.wav") turned into paths
// on this system, and the per-user folder.
#include <string>
#include <string_view>

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
