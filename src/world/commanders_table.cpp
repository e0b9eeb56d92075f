// The commanders table "commanders.csv": one row of 7 columns per commander.
#include <string>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "world/commander.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_fields.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kCommanderColumns = 7;

bool FillCommander(sDowodca& c, const std::vector<std::wstring>& f, const std::wstring& path, int line) {
  int v[7] = {};
  for (size_t i = 0; i < kCommanderColumns; ++i) {
    if (i == 1 || ParseIntField(f[i], v[i])) continue;
    LogLine(WFormat(L"WARNING: no number in column %i of %s line %i; commander skipped", static_cast<int>(i),
                    path.c_str(), line));
    return false;
  }
  c.id = v[0];
  // The name is text only, never a format.
  c.name = f[1].substr(0, sDowodca::kMaxNameLength);
  c.countryId = v[2];
  c.type = v[3];
  c.skill = v[4];
  c.experience = v[5];
  c.state = v[6];
  c.unit = nullptr;
  return true;
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
        if (!FillCommander(record, file.fields, path, file.LineNumber())) return;
        target.push_back(new sDowodca(record));
        LogF(L"Added commander %s (ID=%i CountryID=%i)", target.back()->name.c_str(), target.back()->id,
             target.back()->countryId);
      },
      [&](uint16_t count) { WarnShortRow(path, file.LineNumber(), count, static_cast<int>(kCommanderColumns)); });
}
