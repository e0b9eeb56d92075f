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


void BM_LoadShippedScenario(benchmark::State& state) {
  cInFolder folder(BRENNMARK_GAME_DIR);
  MeasureLoad(state, ScenarioLoadRequest(kDefaultScenario), [](const cGra& g) { return !g.countries.empty(); },
              "the shipped scenario");
}
BENCHMARK(BM_LoadShippedScenario)->Unit(benchmark::kMillisecond);

// Every file of the folder read whole; the text tables also split into
// fields by the CSV reader.
void BM_LoadShippedScenarioFloor(benchmark::State& state) {
  cInFolder folder(BRENNMARK_GAME_DIR);
  MeasureFloor(state, std::filesystem::path("data/scenarios") / kDefaultScenario);
}
BENCHMARK(BM_LoadShippedScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
