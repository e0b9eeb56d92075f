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
void FillCity(cMiasto& c, const std::vector<std::wstring>& f) {
  c.name = f[0].substr(0, cMiasto::kMaxNameLength);
  c.x = ReadIntField(f[1]);
  c.y = ReadIntField(f[2]);
  c.type = ReadIntField(f[3]);
  c.victoryPoints = ReadIntField(f[4]);
  c.productionPoints = static_cast<float>(ReadRealField(f[5]));
  c.supply = ReadIntField(f[6]);
  c.bombardmentLosses = ReadIntField(f[7]);
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
        FillCity(record, file.fields);
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
