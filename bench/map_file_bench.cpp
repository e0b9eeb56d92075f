// Reading and writing a 400 x 250 map file, the size of a large scenario map.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../tests/world/map_generator.h"
#include "core/text.h"
#include "world/hex_map.h"
#include "world/map_file.h"

namespace {

namespace fs = std::filesystem;

struct sBenchFolder {
  sBenchFolder() {
    path = fs::temp_directory_path() / ("map_file_bench_" + std::to_string(::getpid()));
    fs::create_directories(path);
    wide = Utf8ToWide(path.string());
    cMapa m;
    world_test::GenerateMap(m, 400, 250, 99);
    m.SaveMapFile(wide, nullptr);
  }
  ~sBenchFolder() { fs::remove_all(path); }
  fs::path path;
  std::wstring wide;
};

void BM_LoadMap400x250(benchmark::State& state) {
  sBenchFolder folder;
  const std::wstring tmpl = folder.wide + L"/%s";
  for (auto _ : state) {
    cMapa m;
    m.LoadMapFile(tmpl);
    benchmark::DoNotOptimize(m.hexes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(MapFileSize(400, 250)));
}
BENCHMARK(BM_LoadMap400x250)->Unit(benchmark::kMillisecond);

void BM_SaveMap400x250(benchmark::State& state) {
  sBenchFolder folder;
  cMapa m;
  m.LoadMapFile(folder.wide + L"/%s");
  for (auto _ : state) benchmark::DoNotOptimize(m.SaveMapFile(folder.wide, nullptr));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(MapFileSize(400, 250)));
}
BENCHMARK(BM_SaveMap400x250)->Unit(benchmark::kMillisecond);

}  // namespace
