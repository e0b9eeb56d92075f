// The commanders table "commanders.csv": one row of 7 columns per commander.
#include <string>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/table_fields.h"
#include "persistence/load_request.h"
#include "world/commander.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kCommanderColumns = 7;

// The row's values into the record; a number column that holds no number
// reads as 0.
void FillCommander(sDowodca& c, const std::vector<std::wstring>& f) {
  c.id = ReadIntField(f[0]);
  // The name is text only, never a format.
  c.name = f[1].substr(0, sDowodca::kMaxNameLength);
  c.countryId = ReadIntField(f[2]);
  c.type = ReadIntField(f[3]);
  c.skill = ReadIntField(f[4]);
  c.experience = ReadIntField(f[5]);
  c.state = ReadIntField(f[6]);
}

}  // namespace

void cGra::LoadCommanders(const sLoadRequest& request, std::vector<sDowodca*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"commanders.csv");
  cCsvFile file;
  OpenTableOrDie(file, L"Otwieram plik z dow\u010f\u017c\u02dddcami ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk\u010f\u017c\u02dd...",
                 path);

  for (sDowodca* c : target) delete c;
  target.clear();

  ForEachTableRow(
      file, kCommanderColumns,
      [&](uint16_t) {
        sDowodca record;
        FillCommander(record, file.fields);
        target.push_back(new sDowodca(record));
        LogF(L"Added commander %s (ID=%i CountryID=%i)", target.back()->name.c_str(), target.back()->id,
             target.back()->countryId);
      },
      [&](uint16_t count) { WarnShortRow(path, file.LineNumber(), count, static_cast<int>(kCommanderColumns)); });
}
