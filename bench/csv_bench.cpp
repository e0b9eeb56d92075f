// Reading a large table with the CSV reader, against a plain memchr scan of
// the same bytes for ';' and CR (the floor any splitter has to pay).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
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

size_t ReadAllFields(const std::wstring& path) {
  cCsvFile csv(path);
  size_t fields = 0;
  while (!csv.Eof()) fields += csv.ReadLine(false);
  return fields;
}

size_t MemchrHits(const std::string& bytes) {
  const char* data = bytes.data();
  const char* end = data + bytes.size();
  size_t hits = 0;
  for (char c : {';', '\r'}) {
    const char* p = data;
    while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(end - p)))) != nullptr) {
      ++hits;
      ++p;
    }
  }
  return hits;
}

void BM_CsvFileRead(benchmark::State& state) {
  const sTable& t = Table();
  std::wstring path = Utf8ToWide(t.path);
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllFields(path));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(t.bytes.size()));
}
BENCHMARK(BM_CsvFileRead)->Unit(benchmark::kMillisecond);

void BM_MemchrScan(benchmark::State& state) {
  const sTable& t = Table();
  for (auto _ : state) benchmark::DoNotOptimize(MemchrHits(t.bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(t.bytes.size()));
}
BENCHMARK(BM_MemchrScan)->Unit(benchmark::kMillisecond);

// Both in turn within each iteration, so that the ratio compares them under
// the same load of the machine: the scan's time over the reader's, 1 when
// the reader is as fast as the scan.
void BM_CsvFileReadAgainstMemchr(benchmark::State& state) {
  const sTable& t = Table();
  std::wstring path = Utf8ToWide(t.path);
  using Clock = std::chrono::steady_clock;
  Clock::duration csv{}, scan{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadAllFields(path));
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(MemchrHits(t.bytes));
    csv += t1 - t0;
    scan += Clock::now() - t1;
  }
  state.counters["memchr_over_csv"] = std::chrono::duration<double>(scan).count() / std::chrono::duration<double>(csv).count();
}
BENCHMARK(BM_CsvFileReadAgainstMemchr)->Unit(benchmark::kMillisecond);
}  // namespace
