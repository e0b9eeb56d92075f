// Loading the shipped scenario as a new game, against the floor of reading
// the same files' bytes and splitting the tables into fields.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "read_floor.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "world/game.h"

namespace {

namespace fs = std::filesystem;

// The game folder is the working directory while a benchmark runs; the log
// is off, so that neither side pays for writing it.
class cInGameFolder {
 public:
  cInGameFolder() : before_(fs::current_path()) {
    fs::current_path(BRENNMARK_GAME_DIR);
    gConsole.enabled = false;
  }
  ~cInGameFolder() {
    gConsole.enabled = true;
    fs::current_path(before_);
  }

 private:
  fs::path before_;
};

void BM_LoadShippedScenario(benchmark::State& state) {
  cInGameFolder folder;
  MeasureLoad(state, ScenarioLoadRequest(kDefaultScenario), [](const cGra& g) { return !g.countries.empty(); },
              "the shipped scenario");
}
BENCHMARK(BM_LoadShippedScenario)->Unit(benchmark::kMillisecond);

// Every file of the folder read whole; the text tables also split into
// fields by the CSV reader.
void BM_LoadShippedScenarioFloor(benchmark::State& state) {
  cInGameFolder folder;
  MeasureFloor(state, std::filesystem::path("data/scenarios") / kDefaultScenario);
}
BENCHMARK(BM_LoadShippedScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
