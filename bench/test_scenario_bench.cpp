// Loading the small test scenario of tests/data as a new game, beside the
// floor of reading its files' bytes and splitting its tables into fields.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/console.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "read_floor.h"
#include "world/game.h"

namespace {

namespace fs = std::filesystem;

const wchar_t* const kScenario = L"TwoShores1939";

// A game folder of its own holding the scenario, made once per run; the
// working directory while a benchmark runs, with the log off.
class cTestScenarioFolder {
 public:
  cTestScenarioFolder() : before_(fs::current_path()) {
    static const fs::path root = MakeRoot();
    fs::current_path(root);
    gConsole.enabled = false;
  }
  ~cTestScenarioFolder() {
    gConsole.enabled = true;
    fs::current_path(before_);
  }
  static fs::path Folder() { return fs::path("data") / "scenarios" / "TwoShores1939"; }

 private:
  static fs::path MakeRoot() {
    const fs::path root = fs::temp_directory_path() / ("test_scenario_bench_" + std::to_string(::getpid()));
    fs::create_directories(root / "data" / "scenarios");
    fs::copy(fs::path(BRENNMARK_TEST_DATA_DIR) / "TwoShores1939", root / Folder(), fs::copy_options::recursive);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(fs::temp_directory_path() / ("test_scenario_bench_" + std::to_string(::getpid())), ec);
    });
    return root;
  }
  fs::path before_;
};

void BM_LoadTestScenario(benchmark::State& state) {
  cTestScenarioFolder folder;
  const sLoadRequest request = ScenarioLoadRequest(kScenario);
  for (auto _ : state) {
    LoadNewScenario(request);
    benchmark::DoNotOptimize(gGra);
    state.PauseTiming();
    DestroyGame();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadTestScenario)->Unit(benchmark::kMicrosecond);

void BM_LoadTestScenarioFloor(benchmark::State& state) {
  cTestScenarioFolder folder;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(cTestScenarioFolder::Folder()))
    if (entry.path().extension() != ".png") files.push_back(entry.path());
  for (auto _ : state) benchmark::DoNotOptimize(ReadFilesAtTheFloor(files));
}
BENCHMARK(BM_LoadTestScenarioFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
