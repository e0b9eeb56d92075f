#include "world/table_reader.h"

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"

namespace {

template <class Open>
void OpenOrDie(const std::wstring& openingLine, const std::wstring& path, Open open) {
  LogLine(openingLine);
  LogLine(path);
  if (!open()) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, true);
  LogLine(L"Otwarcie OK");
}

}  // namespace

void OpenTableOrDie(cCsvFile& file, const std::wstring& openingLine, const std::wstring& path) {
  OpenOrDie(openingLine, path, [&] { return file.Open(path); });
}

std::FILE* OpenTableOrDie(const std::wstring& openingLine, const std::wstring& path) {
  std::FILE* f = nullptr;
  OpenOrDie(openingLine, path, [&] {
    f = OpenGameFile(path, "rb");
    return f != nullptr;
  });
  return f;
}
