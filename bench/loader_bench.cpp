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
  const sLoadRequest request = ScenarioLoadRequest(kDefaultScenario);
  for (auto _ : state) {
    LoadNewScenario(request);
    benchmark::DoNotOptimize(gGra);
    state.PauseTiming();
    DestroyGame();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadShippedScenario)->Unit(benchmark::kMillisecond);

// Every file of the folder read whole; the text tables also split into
// fields by the CSV reader.
void BM_LoadShippedScenarioFloor(benchmark::State& state) {
  cInGameFolder folder;
  const fs::path dir = fs::path("data/scenarios") / kDefaultScenario;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() != ".png") files.push_back(entry.path());
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadFilesAtTheFloor(files));
  }
}
BENCHMARK(BM_LoadShippedScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
