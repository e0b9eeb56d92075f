#pragma once
// Opening and closing the files a save writes. Every writer logs what it
// opens. A file that cannot be written ends the program, since a save with
// a file missing or cut short cannot be loaded again; inside a
// cSaveFailureScope (a whole save in a folder of its own) it throws
// cSaveError instead, so the caller can drop that folder and keep playing.
#include <cstdio>
#include <stdexcept>
#include <string>

// A file of a save could not be written; what() is the UTF-8 log line.
class cSaveError : public std::runtime_error {
 public:
  explicit cSaveError(const std::wstring& message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

// While one lives on this thread, SaveFailed throws cSaveError rather than
// ending the program.
class cSaveFailureScope {
 public:
  cSaveFailureScope();
  ~cSaveFailureScope();
  cSaveFailureScope(const cSaveFailureScope&) = delete;
  cSaveFailureScope& operator=(const cSaveFailureScope&) = delete;
};

// The failure of a writer: logs the message, then throws inside a
// cSaveFailureScope or ends the program with exit code 1 outside one.
[[noreturn]] void SaveFailed(const std::wstring& message);

// The three log lines of a writer: before opening (the path follows on its
// own line), on failure and on success.
struct sSaveFileMessages {
  std::wstring opening;
  std::wstring failed;
  std::wstring opened;
};

// The messages most table writers use.
const sSaveFileMessages& TableSaveMessages();

// "folder\name", the way the writers name their files.
std::wstring SaveFilePath(const std::wstring& folder, const wchar_t* fileName);

// Opens the file for writing (binary: the writers put CR LF themselves);
// on failure logs the failure line and fails through SaveFailed.
std::FILE* OpenSaveFileOrDie(const std::wstring& path, const sSaveFileMessages& messages);

// Closes the file; when any write to it failed, fails through SaveFailed
// naming the path.
void CloseSaveFileOrDie(std::FILE* file, const std::wstring& path);
