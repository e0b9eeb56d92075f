// Reading a full scenario constants table (185 ids with comment lines).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/console.h"
#include "core/text.h"
#include "world/consts.h"

namespace {

// Writes a table shaped like a shipped one: a comment before each group, a
// label in field 1 of the labelled rows, CR LF line ends.
std::string MakeTable() {
  std::string s = "# Scenario constants, one data line per id\r\n";
  for (int id = 1; id <= kConstsIdCount; ++id) {
    if (id % 8 == 1) s += "# ids " + std::to_string(id) + " and on\r\n";
    const int n = sConsts::ValueCount(id);
    std::string line = "Row " + std::to_string(id);
    for (int k = 1; k <= n + 1; ++k) line += ";" + std::to_string((id * 7 + k) % 50) + ((id + k) % 3 == 0 ? ".25" : "");
    s += line + "\r\n";
  }
  return s;
}

void BM_LoadConsts(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "consts_bench_XXXXXX").string();
  if (::mkdtemp(dir.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = dir + "/consts.csv";
  const std::string table = MakeTable();
  std::ofstream(path, std::ios::binary) << table;
  const std::wstring wpath = Utf8ToWide(path);
  gConsole.enabled = state.range(0) != 0;

  sConsts block;
  for (auto _ : state) {
    bool ok = LoadConstsFile(block, wpath, true);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(block.supplyTable[0][1]);
  }
  gConsole.enabled = true;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(table.size()));
  std::filesystem::remove_all(dir);
}
// Argument: 1 with the console log written, 0 without.
BENCHMARK(BM_LoadConsts)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
