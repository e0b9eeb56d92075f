// Reading a large table with the CSV reader, against a plain memchr scan of
// the same bytes for ';' and CR (the floor any splitter has to pay).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/csv_file.h"
#include "core/text.h"

namespace {
// About 20 MB: a legend line, then rows of 30 columns mixing numbers and
// names, CR LF line ends.
struct sTable {
  std::string path;
  std::string bytes;
  sTable() {
    const char* names[] = {"Berlin", "K\xF6nigsberg", "Marseille", "\x8Aibenik", "Infantry Corps",
                           "Armoured Division", "Gda\xF1sk", "Stalingrad"};
    bytes = "#id;name;x;y;owner;...\r\n";
    unsigned v = 12345;
    for (int row = 0; bytes.size() < 20u * 1024 * 1024; ++row) {
      for (int col = 0; col < 30; ++col) {
        if (col > 0) bytes += ';';
        v = v * 1103515245u + 12345u;
        if (col % 5 == 1)
          bytes += names[(v >> 16) % 8];
        else
          bytes += std::to_string((v >> 16) % 100000);
      }
      bytes += "\r\n";
    }
    path = (std::filesystem::temp_directory_path() / ("csv_bench_" + std::to_string(::getpid()) + ".csv")).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  ~sTable() { std::remove(path.c_str()); }
};

const sTable& Table() {
  static sTable t;
  return t;
}

void BM_CsvFileRead(benchmark::State& state) {
  const sTable& t = Table();
  std::wstring path = Utf8ToWide(t.path);
  for (auto _ : state) {
    cCsvFile csv(path);
    size_t fields = 0;
    while (!csv.Eof()) fields += csv.ReadLine(false);
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(t.bytes.size()));
}
BENCHMARK(BM_CsvFileRead)->Unit(benchmark::kMillisecond);

void BM_MemchrScan(benchmark::State& state) {
  const sTable& t = Table();
  const char* data = t.bytes.data();
  const char* end = data + t.bytes.size();
  for (auto _ : state) {
    size_t hits = 0;
    for (char c : {';', '\r'}) {
      const char* p = data;
      while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(end - p)))) != nullptr) {
        ++hits;
        ++p;
      }
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(t.bytes.size()));
}
BENCHMARK(BM_MemchrScan)->Unit(benchmark::kMillisecond);
}  // namespace
