// Reading number fields of a table, beside the C library calls that read
// them in general, in the same run.
#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "core/table_fields.h"

namespace {
// Fields as a scenario table holds them: ids, coordinates, points, flags,
// and now and then a real.
const std::vector<std::wstring>& Fields(bool reals) {
  static const std::vector<std::wstring> ints = [] {
    std::vector<std::wstring> f;
    unsigned v = 4711;
    for (int i = 0; i < 4096; ++i) {
      v = v * 1103515245u + 12345u;
      const unsigned r = (v >> 16) % 1000;
      f.push_back(std::to_wstring(i % 7 == 0 ? r * 97 : r % 3 == 0 ? r % 2 : r));
      if (i % 11 == 0) f.back().insert(0, L"-");
    }
    return f;
  }();
  static const std::vector<std::wstring> realFields = [] {
    std::vector<std::wstring> f;
    for (size_t i = 0; i < ints.size(); ++i) f.push_back(i % 3 == 0 ? ints[i] + L".25" : i % 3 == 1 ? ints[i] + L".1" : ints[i]);
    return f;
  }();
  return reals ? realFields : ints;
}

void BM_ReadIntField(benchmark::State& state) {
  const auto& fields = Fields(false);
  for (auto _ : state) {
    long long sum = 0;
    for (const std::wstring& f : fields) sum += ReadIntField(f);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * fields.size()));
}
BENCHMARK(BM_ReadIntField);

void BM_ReadIntFieldLibrary(benchmark::State& state) {
  const auto& fields = Fields(false);
  for (auto _ : state) {
    long long sum = 0;
    for (const std::wstring& f : fields) {
      const long long v = std::wcstoll(f.c_str(), nullptr, 10);
      sum += v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * fields.size()));
}
BENCHMARK(BM_ReadIntFieldLibrary);

void BM_ReadRealField(benchmark::State& state) {
  const auto& fields = Fields(true);
  for (auto _ : state) {
    double sum = 0;
    for (const std::wstring& f : fields) sum += ReadRealField(f);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * fields.size()));
}
BENCHMARK(BM_ReadRealField);

void BM_ReadRealFieldLibrary(benchmark::State& state) {
  const auto& fields = Fields(true);
  for (auto _ : state) {
    double sum = 0;
    for (const std::wstring& f : fields) {
      const double v = std::wcstod(f.c_str(), nullptr);
      sum += std::isfinite(v) ? v : 0.0;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * fields.size()));
}
BENCHMARK(BM_ReadRealFieldLibrary);
}  // namespace
