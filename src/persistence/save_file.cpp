#include "persistence/save_file.h"

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"

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
  if (f == nullptr) FatalExit(messages.failed, 1, false);
  LogLine(messages.opened);
  return f;
}

void CloseSaveFileOrDie(std::FILE* file, const std::wstring& path) {
  // A full disk shows only at the flush of the last buffer.
  const bool writeFailed = std::ferror(file) != 0;
  const bool closeFailed = std::fclose(file) != 0;
  if (writeFailed || closeFailed) FatalExit(L"Error writing file " + path, 1, false);
}
