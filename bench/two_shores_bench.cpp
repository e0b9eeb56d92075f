// Loading the small test scenario (tests/data/TwoShores1939) as a new game,
// beside the floor of reading the same files' bytes and splitting its
// tables into fields.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/console.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "read_floor.h"
#include "world/game.h"

namespace {

namespace fs = std::filesystem;

const char* const kName = "TwoShores1939";

// A scratch game folder holding the scenario under data/scenarios, made
// once per run and removed at its end.
class cTwoShoresFolder {
 public:
  cTwoShoresFolder() {
    root_ = fs::temp_directory_path() / ("two_shores_bench_" + std::to_string(::getpid()));
    folder_ = root_ / "data" / "scenarios" / kName;
    fs::create_directories(folder_.parent_path());
    fs::copy(fs::path(BRENNMARK_TEST_DATA_DIR) / kName, folder_, fs::copy_options::recursive);
  }
  ~cTwoShoresFolder() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const fs::path& Root() const { return root_; }
  const fs::path& Folder() const { return folder_; }

 private:
  fs::path root_;
  fs::path folder_;
};

const cTwoShoresFolder& TwoShores() {
  static cTwoShoresFolder folder;
  return folder;
}


void BM_LoadTwoShores(benchmark::State& state) {
  cInFolder in(TwoShores().Root());
  MeasureLoad(state, ScenarioLoadRequest(Utf8ToWide(kName)), [](const cGra& g) {
    return g.countries.size() == 4 && g.cities.size() == 12 && !g.navalUnits.empty();
  }, "the test scenario");
}
BENCHMARK(BM_LoadTwoShores)->Unit(benchmark::kMicrosecond);

void BM_LoadTwoShoresFloor(benchmark::State& state) {
  cInFolder in(TwoShores().Root());
  MeasureFloor(state, TwoShores().Folder());
}
BENCHMARK(BM_LoadTwoShoresFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
