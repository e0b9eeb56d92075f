// "unit_names.csv": the unit name templates per country. The file's bytes
// are kept so that a save writes back exactly what was read.
#include <cstdio>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "world/country.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kFirstCountryColumn = 2;

// The country of a column: the header's id when the header has a non-empty
// field there, else the column number minus 1.
int ColumnCountry(const std::vector<std::wstring>& header, size_t column) {
  if (column < header.size() && !header[column].empty()) return ReadIntField(header[column]);
  return static_cast<int>(column) - 1;
}

}  // namespace

void cGra::LoadUnitNames(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"unit_names.csv");
  cCsvFile file;
  OpenTableOrDie(file,
                 L"Otwieram plik z szablonami nazw jednostek ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk\u010f\u017c"
                 L"\u02dd...",
                 path);

  // Rows before the header, the first row whose first field is empty, are
  // passed over.
  std::vector<std::wstring> header;
  bool haveHeader = false;
  // Columns already reported as naming no country, so each is told once.
  std::vector<bool> reported;
  const int countryCount = static_cast<int>(countries.size());
  while (!file.Eof()) {
    const uint16_t count = file.ReadLine(true);
    if (count == 0) continue;
    if (!haveHeader) {
      if (file.fields[0].empty()) {
        header = file.fields;
        haveHeader = true;
      }
      continue;
    }
    if (count == 1 && file.fields[0].empty()) continue;
    if (count < kFirstCountryColumn) {
      WarnShortRow(path, file.LineNumber(), count, static_cast<int>(kFirstCountryColumn));
      continue;
    }
    const int number = ReadIntField(file.fields[0]);
    if (number < 1 || number > cPanstwo::kNamePartSlots) {
      LogF(L"WARNING: %s line %i: template number %i is outside 1-%i, row ignored", path.c_str(), file.LineNumber(),
           number, cPanstwo::kNamePartSlots);
      continue;
    }
    const std::wstring& defaultText = file.fields[1];
    for (size_t c = kFirstCountryColumn; c < count; ++c) {
      const int id = ColumnCountry(header, c);
      if (id < 1 || id > countryCount) {
        if (reported.size() <= c) reported.resize(c + 1, false);
        if (!reported[c])
          LogF(L"WARNING: %s column %i names country %i, which does not exist; column ignored", path.c_str(),
               static_cast<int>(c), id);
        reported[c] = true;
        continue;
      }
      const std::wstring& text = file.fields[c];
      countries[static_cast<size_t>(id) - 1]->SetNamePart(number - 1, text.empty() ? defaultText : text);
    }
  }
  file.Close();

  if (!ReadWholeFile(WideToUtf8(path), unitNames)) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, true);
}

void cZapisGry::SaveUnitNames(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"unit_names.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  const std::vector<uint8_t>& bytes = gGra->unitNames;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  CloseSaveFileOrDie(f, path);
}
