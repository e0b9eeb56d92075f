// Loading a string base of 10,000 entries, as shipped (digest matches) and
// changed (every text scrambled).
#include <benchmark/benchmark.h>

#include <boost/filesystem.hpp>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/console.h"
#include "core/md5.h"
#include "core/string_table.h"

namespace {

struct sBaseFile {
  std::string path;
  std::string digest;
  size_t bytes = 0;

  sBaseFile() {
    const int kEntries = 10000;
    std::string db(1, '\x01');
    for (int i = 0; i < 8; ++i) db.push_back(static_cast<char>((static_cast<uint64_t>(kEntries) >> (8 * i)) & 0xFF));
    for (int i = 0; i < kEntries; ++i) {
      std::string key = "bench_key_" + std::to_string(i);
      std::u16string text = u"Unit " + std::u16string(i % 40, u'x') + u" has %i strength points left";
      db.push_back(static_cast<char>(key.size()));
      db += key;
      db.push_back(static_cast<char>(text.size() & 0xFF));
      db.push_back(static_cast<char>(text.size() >> 8));
      for (char16_t u : text) {
        db.push_back(static_cast<char>(u & 0xFF));
        db.push_back(static_cast<char>(u >> 8));
      }
    }
    path = (boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("bench-%%%%-%%%%.db")).string();
    std::ofstream(path, std::ios::binary) << db;
    digest = Md5Text(reinterpret_cast<const uint8_t*>(db.data()), db.size());
    bytes = db.size();
  }
  ~sBaseFile() {
    boost::system::error_code ec;
    boost::filesystem::remove(path, ec);
  }
};

const sBaseFile& BaseFile() {
  static sBaseFile file;
  return file;
}

void Load(benchmark::State& state, bool changed) {
  const sBaseFile& f = BaseFile();
  const std::string digest = changed ? std::string(32, '0') : f.digest;
  for (auto _ : state) {
    StringTable t;
    bool ok = t.LoadFile(f.path, true, digest, "data/addsettings");
    if (!ok || t.Size() != 10000) state.SkipWithError("string base did not load");
    benchmark::DoNotOptimize(t.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes));
  state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_StringBaseLoad(benchmark::State& state) { Load(state, false); }
void BM_StringBaseLoadScrambled(benchmark::State& state) { Load(state, true); }

BENCHMARK(BM_StringBaseLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringBaseLoadScrambled)->Unit(benchmark::kMillisecond);

}  // namespace
