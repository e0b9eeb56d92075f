// The cities table "cities.csv": one row of 8 columns per city.
#include <string>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "world/city.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_fields.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kCityColumns = 8;

// The row's values into the record; false with a log line when a number
// column holds no number.
bool FillCity(cMiasto& c, const std::vector<std::wstring>& f, const std::wstring& path, int line) {
  int ints[6] = {};
  double production = 0.0;
  const size_t intColumns[6] = {1, 2, 3, 4, 6, 7};
  for (int i = 0; i < 6; ++i) {
    if (ParseIntField(f[intColumns[i]], ints[i])) continue;
    LogLine(WFormat(L"WARNING: no number in column %i of %s line %i; city skipped", static_cast<int>(intColumns[i]),
                    path.c_str(), line));
    return false;
  }
  if (!ParseRealField(f[5], production)) {
    LogLine(WFormat(L"WARNING: no number in column 5 of %s line %i; city skipped", path.c_str(), line));
    return false;
  }
  c.name = f[0].substr(0, cMiasto::kMaxNameLength);
  c.x = ints[0];
  c.y = ints[1];
  c.type = ints[2];
  c.victoryPoints = ints[3];
  c.productionPoints = static_cast<float>(production);
  c.supply = ints[4];
  c.bombardmentLosses = ints[5];
  return true;
}

}  // namespace

void cGra::LoadCities(const sLoadRequest& request, std::list<cMiasto*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"cities.csv");
  cCsvFile file;
  OpenTableOrDie(file, L"Otwieram plik z miastami ze sciezka...", path);

  for (cMiasto* c : target) delete c;
  target.clear();

  ForEachTableRow(
      file, kCityColumns,
      [&](uint16_t) {
        cMiasto record;
        if (!FillCity(record, file.fields, path, file.LineNumber())) return;
        // A city off the map could never be entered on its hex.
        if (map != nullptr && !map->IsInside(record.x, record.y)) {
          LogLine(WFormat(L"WARNING: city %s (%i, %i) of %s line %i lies outside the map; city skipped",
                          record.name.c_str(), record.x, record.y, path.c_str(), file.LineNumber()));
          return;
        }
        target.push_back(new cMiasto(record));
        LogF(L"Added city: %s", target.back()->name.c_str());
      },
      [&](uint16_t count) { WarnShortRow(path, file.LineNumber(), count, static_cast<int>(kCityColumns)); });
}
