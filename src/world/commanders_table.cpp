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
void FillCommander(sDowodca& c, const cRangedRow& r) {
  c.id = r.Int(0, L"ID", {-1, 1000000, eOutOfRange::kFatal});
  // The name is text only, never a format.
  c.name = r.Fields()[1].substr(0, sDowodca::kMaxNameLength);
  // Looked up where it is used; any number that names no country is none.
  c.countryId = ReadIntField(r.Fields()[2]);
  c.type = r.Int(3, L"type", kCodeRange);
  // Skill and experience scale the bonus a commander gives.
  c.skill = r.Int(4, L"skill", {-1000, 1000});
  c.experience = r.Int(5, L"experience", {-100000, 100000});
  c.state = r.Int(6, L"state", kCodeRange);
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
        FillCommander(record, cRangedRow(file.fields, path, file.LineNumber()));
        target.push_back(new sDowodca(record));
        LogF(L"Added commander %s (ID=%i CountryID=%i)", target.back()->name.c_str(), target.back()->id,
             target.back()->countryId);
      },
      [&](uint16_t count) { WarnShortRow(path, file.LineNumber(), count, static_cast<int>(kCommanderColumns)); });
}
