#include "world/folder_template.h"

std::wstring FormatFolderTemplate(const std::wstring& folderTemplate, const std::wstring& fileName) {
  std::wstring out;
  out.reserve(folderTemplate.size() + fileName.size());
  bool placed = false;
  for (size_t i = 0; i < folderTemplate.size(); ++i) {
    const wchar_t c = folderTemplate[i];
    if (c == L'%' && i + 1 < folderTemplate.size()) {
      const wchar_t next = folderTemplate[i + 1];
      if (next == L'%') {
        out += L'%';
        ++i;
        continue;
      }
      if (next == L's' && !placed) {
        out += fileName;
        placed = true;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}
