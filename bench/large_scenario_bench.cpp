// Loading a generated large scenario (400 x 250 hexes, 60 countries, 400
// cities linked in a grid, 3,000 land and air units) beside the floor of reading its files' bytes and
// splitting its tables into fields.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "read_floor.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "units/unit.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 400;
constexpr int kHeight = 250;
constexpr int kCountries = 60;
constexpr int kCityColumns = 20;
constexpr int kCityRows = 20;
constexpr int kLandUnits = 2400;
constexpr int kAirUnits = 600;
const char* const kName = "Large400";

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The data rows of a shipped table (no comment lines).
std::vector<std::string> DataRows(const std::string& text) {
  std::vector<std::string> rows;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') rows.push_back(line);
  }
  return rows;
}

int CountryOfColumn(int x) { return 1 + x * kCountries / kWidth; }

// The game folder of the generated scenario, made once per run in a
// scratch folder; the shipped scenario lends the tables whose size does not
// matter here (constants, flags, commanders, unit names).
class cLargeScenario {
 public:
  cLargeScenario() {
    root_ = fs::temp_directory_path() / ("large_scenario_bench_" + std::to_string(::getpid()));
    folder_ = root_ / "data" / "scenarios" / kName;
    fs::create_directories(folder_);
    const fs::path shipped = fs::path(BRENNMARK_GAME_DIR) / "data" / "scenarios" / kDefaultScenario;
    for (const char* f : {"consts.csv", "flags.txt", "commanders.csv", "unit_names.csv", "PlayerDefinedPlaces.txt"})
      fs::copy(shipped / f, folder_ / f);
    WriteFile(folder_ / "event_files.txt", "; no events\r\n");
    WriteFile(folder_ / "Info.ini",
              "[Duration]\r\nTurns=100\r\n[Save]\r\nScenarioName=Large400\r\nImpulse=1\r\nGameMonth=9\r\n"
              "GameYear=1939\r\nTurn=1\r\n");
    WriteCountries(DataRows(ReadFile(shipped / "countries.csv")));
    WriteMatrices();
    WriteCities();
    WriteMap();
    WriteUnits();
    WriteFile(folder_ / "sea_nodes.csv", "#ID;Name");
    WriteFile(folder_ / "sea_edges.csv", "#From;To");
    WriteFile(folder_ / "convoys.csv", "#Convoys");
  }
  ~cLargeScenario() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const fs::path& Root() const { return root_; }
  const fs::path& Folder() const { return folder_; }

 private:
  void WriteCountries(const std::vector<std::string>& shipped) {
    std::string text = "#ID;...";
    for (int id = 1; id <= kCountries; ++id) {
      // A shipped row of a member of no alliance, with this id and name.
      const std::string& row = shipped[static_cast<size_t>(1 + (id % 20))];
      std::vector<std::string> f;
      std::istringstream in(row);
      std::string field;
      while (std::getline(in, field, ';')) f.push_back(field);
      f[0] = std::to_string(id);
      f[2] = "Country " + std::to_string(id);
      f[7] = "0";
      text += "\r\n";
      for (const std::string& v : f) text += v + ";";
    }
    WriteFile(folder_ / "countries.csv", text);
  }
  void WriteMatrices() {
    std::string relations = "#Relations";
    std::string losses = "#Losses";
    for (int id = 1; id <= kCountries; ++id) {
      relations += "\r\n" + std::to_string(id) + ";Country " + std::to_string(id);
      losses += "\r\n" + std::to_string(id) + ";Country " + std::to_string(id) + ";";
      for (int k = 1; k <= kCountries; ++k) {
        relations += ";0";
        losses += "0.000000;";
      }
    }
    WriteFile(folder_ / "relations.csv", relations);
    WriteFile(folder_ / "losses.csv", losses);
  }
  static int CityX(int c) { return c * (kWidth / kCityColumns) + 5; }
  static int CityY(int r) { return r * (kHeight / kCityRows) + 5; }
  void WriteCities() {
    std::string cities = "#Name;Hex X;Hex Y;Type;VP;PP;Supply;Losses";
    std::string diagram = "#Start X;Start Y;Target X;Target Y;Link";
    std::string ai = "# ai data";
    for (int r = 0; r < kCityRows; ++r) {
      for (int c = 0; c < kCityColumns; ++c) {
        cities += "\r\nCity " + std::to_string(r) + "-" + std::to_string(c) + ";" + std::to_string(CityX(c)) + ";" +
                  std::to_string(CityY(r)) + ";1;1;2.000000;5;0;";
        const int links[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
        for (const auto& l : links)
          if (l[0] >= 0 && l[0] < kCityColumns && l[1] >= 0 && l[1] < kCityRows)
            diagram += "\r\n" + std::to_string(CityX(c)) + ";" + std::to_string(CityY(r)) + ";" +
                       std::to_string(CityX(l[0])) + ";" + std::to_string(CityY(l[1])) + ";0";
      }
    }
    for (int id = 1; id <= kCountries; ++id) {
      ai += "\r\nCountry;" + std::to_string(id) + "\r\nMakesSeaInvasions;0\r\nDesiredTechLevels;2;2;2;2;2;2;0";
      ai += "\r\nDoNotAttackCities;" + std::to_string(CityX(id % kCityColumns)) + ";" + std::to_string(CityY(0));
    }
    WriteFile(folder_ / "cities.csv", cities);
    WriteFile(folder_ / "cities_diagram.csv", diagram);
    WriteFile(folder_ / "ai_data.csv", ai);
  }
  // Units on hexes of their owner's stripe, one a hex, none on a city (the
  // cities stand on columns and rows ending in 5).
  void WriteUnits() {
    std::string land = "#Land units";
    std::string air = "#Air units\r\n#On map";
    for (int i = 0; i < kLandUnits + kAirUnits; ++i) {
      const int x = (i * 7) % kWidth;
      const int y = 1 + (i * 7) / kWidth * 2;
      const std::string id = std::to_string(i < kLandUnits ? i + 1 : i - kLandUnits + 1);
      const std::string at = std::to_string(CountryOfColumn(x)) + ";" + std::to_string(x) + ";" + std::to_string(y);
      if (i < kLandUnits)
        land += "\r\n" + id + ";Corps " + id + ";" + at + ";1;2;100;3;0;0;-1;-1;3;-1;-1;0;0.000000;0;0;-1;-1;-1;-1;10;0;4;0;0;1;" +
                std::to_string(x) + ";" + std::to_string(y) + ";0;";
      else
        air += "\r\n" + id + ";Wing " + id + ";" + at + ";20;2;4;-1;0;0;-1;-1;1;1;0;10;0;0;";
    }
    WriteFile(folder_ / "land_units.csv", land);
    WriteFile(folder_ / "air_units.csv", air + "\r\n#In reserve");
    WriteFile(folder_ / "fleets.csv", "#Fleets");
    WriteFile(folder_ / "naval_units.csv", "#Naval units\r\n#On map\r\n#In reserve");
  }
  void WriteMap() {
    cMapa map;
    map.Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        sHex* h = map.GetHex(x, y);
        h->terrain = kTerrainPlain;
        h->controller = h->owner = h->originalOwner = static_cast<uint8_t>(CountryOfColumn(x));
      }
    }
    const std::wstring folder = Utf8ToWide(folder_.string());
    map.SaveMapFile(folder, nullptr);
  }

  fs::path root_;
  fs::path folder_;
};

const cLargeScenario& Large() {
  static cLargeScenario s;
  return s;
}

// The log stays on while the scenario is loaded once, so that a load that
// ends the program says why; the measured loads run with it off.
void TryLoadOnceWithTheLog() {
  static bool tried = false;
  if (tried) return;
  tried = true;
  const fs::path before = fs::current_path();
  fs::current_path(Large().Root());
  LoadNewScenario(ScenarioLoadRequest(Utf8ToWide(kName)));
  DestroyGame();
  fs::current_path(before);
}

void BM_LoadLargeScenario(benchmark::State& state) {
  TryLoadOnceWithTheLog();
  cInFolder in(Large().Root());
  MeasureLoad(state, ScenarioLoadRequest(Utf8ToWide(kName)), [](const cGra& g) {
    return g.countries.size() == kCountries && g.cities.size() == kCityColumns * kCityRows && g.map->width == kWidth &&
           g.landUnits.size() == kLandUnits && g.airUnits.size() == kAirUnits;
  }, "the generated scenario");
}
BENCHMARK(BM_LoadLargeScenario)->Unit(benchmark::kMillisecond);

void BM_LoadLargeScenarioFloor(benchmark::State& state) {
  TryLoadOnceWithTheLog();
  cInFolder in(Large().Root());
  MeasureFloor(state, Large().Folder());
}
BENCHMARK(BM_LoadLargeScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
