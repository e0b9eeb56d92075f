// One supply pass of the end of impulse (city groups, nearest cities,
// country supply, artificial harbours and ships) on the generated world.
#include <benchmark/benchmark.h>

#include "generated_world.h"
#include "rules/supply.h"

namespace {

using bench_world::MakeWorld;

void BM_SupplyPass(benchmark::State& state) {
  cGra* game = MakeWorld();
  for (auto _ : state) {
    cTopografia& topography = WorldTopography();
    topography.CalculateSupply();
    topography.SupplyFromMulberries();
    topography.SupplyFromShips();
    benchmark::DoNotOptimize(game->landUnits.front()->supply);
  }
  DestroyGame();
}
BENCHMARK(BM_SupplyPass)->Unit(benchmark::kMillisecond);

}  // namespace
