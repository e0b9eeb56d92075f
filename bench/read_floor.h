#pragma once
// The floor a load is measured against: the same files read with no work
// beyond it, tables split into fields by the table reader, the rest read
// as plain bytes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "world/game.h"

inline size_t ReadFilesAtTheFloor(const std::vector<std::filesystem::path>& files) {
  size_t work = 0;
  for (const std::filesystem::path& p : files) {
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
  return work;
}

// The files of a scenario folder a load reads: pictures wait for the window.
inline std::vector<std::filesystem::path> ScenarioFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() != ".png") files.push_back(entry.path());
  return files;
}

// The floor of a scenario folder, measured.
inline void MeasureFloor(benchmark::State& state, const std::filesystem::path& folder) {
  const std::vector<std::filesystem::path> files = ScenarioFiles(folder);
  for (auto _ : state) benchmark::DoNotOptimize(ReadFilesAtTheFloor(files));
}

// The load measured again and again; the game is destroyed outside the
// timing. `whole` tells whether a load gave the whole game, and a load that
// did not ends the benchmark with an error naming `what`.
template <class Whole>
void MeasureLoad(benchmark::State& state, const sLoadRequest& request, Whole whole, const char* what) {
  for (auto _ : state) {
    LoadNewScenario(request);
    benchmark::DoNotOptimize(gGra);
    state.PauseTiming();
    const bool ok = whole(*gGra);
    DestroyGame();
    if (!ok) {
      state.SkipWithError((std::string(what) + " did not load whole").c_str());
      break;
    }
    state.ResumeTiming();
  }
}

// The folder is the working directory while a benchmark runs; the log is
// off, so that neither the load nor its floor pays for writing it.
class cInFolder {
 public:
  explicit cInFolder(const std::filesystem::path& dir) : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
    gConsole.enabled = false;
  }
  ~cInFolder() {
    gConsole.enabled = true;
    std::filesystem::current_path(before_);
  }

 private:
  std::filesystem::path before_;
};
