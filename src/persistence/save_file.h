#pragma once
// Opening and closing the files a save writes. Every writer logs what it
// opens; a file that cannot be written ends the program, since a save with
// a file missing or cut short cannot be loaded again.
#include <cstdio>
#include <string>

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
// on failure logs the failure line and ends the program with exit code 1.
std::FILE* OpenSaveFileOrDie(const std::wstring& path, const sSaveFileMessages& messages);

// Closes the file; when any write to it failed, logs the path and ends the
// program with exit code 1.
void CloseSaveFileOrDie(std::FILE* file, const std::wstring& path);
