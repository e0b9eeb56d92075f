// Saving the shipped scenario, beside the floor of writing the same bytes
// file by file in one piece each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "core/console.h"
#include "core/front_end.h"
#include "core/text.h"
#include "persistence/auto_events.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/game.h"

namespace fs = std::filesystem;

namespace {

// The shipped scenario through the table readers, from the assembled game folder.
cGra* LoadScenario() {
  fs::current_path(BRENNMARK_GAME_DIR);
  static cQuietFrontEnd quiet;
  SetFrontEnd(&quiet);
  auto* g = new cGra();
  gGra = g;
  const sLoadRequest request = ScenarioLoadRequest(kDefaultScenario);
  g->ReadInfoIni(request);
  g->scenarioName = kDefaultScenario;
  LoadConsts(g->consts, g->scenarioName, nullptr);
  g->LoadCountries(request, g->countries);
  g->map = new cMapa();
  g->map->LoadMapFile(request.pathTemplate);
  g->LoadCities(request, g->cities);
  for (cMiasto* c : g->cities) g->map->GetHex(c->x, c->y)->city = c;
  g->LoadCommanders(request, g->commanders);
  g->LoadLandUnits(request, g->landUnits);
  g->LoadAirUnits(request, g->airUnits);
  g->LoadFleets(request, g->fleets);
  g->LoadNavalUnits(request, g->navalUnits);
  g->seaGraph.LoadSeaNodes(request.pathTemplate);
  g->relations.LoadFromCsv(request.pathTemplate, static_cast<int>(g->countries.size()));
  g->LoadPlayerDefinedPlaces(request);
  g->LoadFlags(request);
  g->LoadUnitNames(request);
  // The game made its own repository already.
  g->autoEvents->LoadAutoEvents(request.pathTemplate);
  return g;
}

fs::path BenchFolder(const char* name) {
  const fs::path p = fs::temp_directory_path() / ("brennmark_saver_bench_" + std::to_string(::getpid())) / name;
  fs::create_directories(p);
  return p;
}

void BM_SaveShippedScenario(benchmark::State& state) {
  cGra* g = LoadScenario();
  const fs::path folder = BenchFolder("save");
  const std::wstring wide = Utf8ToWide(folder.string());
  const cZapisGry saver;
  // The log is off, as in the load benchmarks: the floor writes none.
  gConsole.enabled = false;
  for (auto _ : state) {
    cSaveFailureScope scope;
    saver.WriteSaveFiles(wide);
  }
  gConsole.enabled = true;
  fs::remove_all(folder.parent_path());
  DestroyGame();
  (void)g;
}
BENCHMARK(BM_SaveShippedScenario)->Unit(benchmark::kMillisecond);

// The same files' bytes, each written in one piece: what no writer can beat.
void BM_SaveShippedScenarioFloor(benchmark::State& state) {
  cGra* g = LoadScenario();
  const fs::path source = BenchFolder("source");
  const fs::path target = BenchFolder("floor");
  {
    cSaveFailureScope scope;
    cZapisGry().WriteSaveFiles(Utf8ToWide(source.string()));
  }
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& e : fs::directory_iterator(source)) {
    std::ifstream in(e.path(), std::ios::binary);
    files[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  for (auto _ : state) {
    for (const auto& [name, bytes] : files) {
      std::FILE* f = std::fopen((target / name).c_str(), "wb");
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
  fs::remove_all(source.parent_path());
  DestroyGame();
  (void)g;
}
BENCHMARK(BM_SaveShippedScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
