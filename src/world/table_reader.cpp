#include "world/table_reader.h"

#include "core/console.h"
#include "core/front_end.h"

void OpenTableOrDie(cCsvFile& file, const std::wstring& openingLine, const std::wstring& path) {
  LogLine(openingLine);
  LogLine(path);
  if (!file.Open(path)) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, true);
  LogLine(L"Otwarcie OK");
}
