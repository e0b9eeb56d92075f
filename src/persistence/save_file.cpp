#include "persistence/save_file.h"

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/text.h"

namespace {
thread_local int tFailureScopes = 0;
}  // namespace

cSaveError::cSaveError(const std::wstring& message) : std::runtime_error(WideToUtf8(message)), message_(message) {}

cSaveFailureScope::cSaveFailureScope() { ++tFailureScopes; }
cSaveFailureScope::~cSaveFailureScope() { --tFailureScopes; }

void SaveFailed(const std::wstring& message) {
  if (tFailureScopes > 0) {
    LogLine(message);
    throw cSaveError(message);
  }
  FatalExit(message, 1, false);
}

const sSaveFileMessages& TableSaveMessages() {
  static const sSaveFileMessages messages{L"Opening file for writing...", L"Error opening file for writing",
                                          L"File opened OK"};
  return messages;
}

std::wstring SaveFilePath(const std::wstring& folder, const wchar_t* fileName) { return folder + L"\\" + fileName; }

std::FILE* OpenSaveFileOrDie(const std::wstring& path, const sSaveFileMessages& messages) {
  LogLine(messages.opening);
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) SaveFailed(messages.failed);
  LogLine(messages.opened);
  return f;
}

void CloseSaveFileOrDie(std::FILE* file, const std::wstring& path) {
  // A full disk shows only at the flush of the last buffer.
  const bool writeFailed = std::ferror(file) != 0;
  const bool closeFailed = std::fclose(file) != 0;
  if (writeFailed || closeFailed) SaveFailed(L"Error writing file " + path);
}
