// Loading the shipped scenario as a new game, against the floor of reading
// the same files' bytes and splitting the tables into fields.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
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
    size_t work = 0;
    for (const fs::path& p : files) {
      const std::string ext = p.extension().string();
      if (ext == ".csv" || ext == ".txt") {
        cCsvFile csv(Utf8ToWide(p.string()));
        while (!csv.Eof()) work += csv.ReadLine(false);
      } else {
        std::FILE* f = std::fopen(p.string().c_str(), "rb");
        if (f == nullptr) continue;
        char buffer[65536];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) work += got;
        std::fclose(f);
      }
    }
    benchmark::DoNotOptimize(work);
  }
}
BENCHMARK(BM_LoadShippedScenarioFloor)->Unit(benchmark::kMillisecond);

}  // namespace
