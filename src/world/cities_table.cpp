// The cities table "cities.csv": one row of 8 columns per city.
#include <string>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "world/city.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kCityColumns = 8;

// The row's values into the record; a number column that holds no number
// reads as 0.
void FillCity(cMiasto& c, const cRangedRow& r) {
  c.name = r.Fields()[0].substr(0, cMiasto::kMaxNameLength);
  c.x = r.Int(1, L"X", kCoordinateRange);
  c.y = r.Int(2, L"Y", kCoordinateRange);
  c.type = r.Int(3, L"type", kCodeRange);
  // Victory points are summed over all cities of a side.
  c.victoryPoints = r.Int(4, L"victory points", {-1000, 1000});
  c.productionPoints = r.Real32(5, L"production points", {-100000, 100000});
  c.supply = r.Int(6, L"supply", kAmountRange);
  c.bombardmentLosses = r.Int(7, L"bombardment losses", kAmountRange);
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
        FillCity(record, cRangedRow(file.fields, path, file.LineNumber()));
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
