// One end of turn (every phase, supply, refresh and the date) on the
// generated world, every country a computer player, with the quiet front end.
#include <benchmark/benchmark.h>

#include "generated_world.h"

namespace {

void BM_EndOfTurn(benchmark::State& state) {
  cGra* game = bench_world::MakeWorld();
  for (int& t : game->consts.turnsPerMonth) t = 3;
  game->turn = 1;
  game->turnsLeft = 1 << 30;
  for (cPanstwo* c : game->countries) {
    c->name = L"Country";
    c->politicalStrength = c->id;
  }
  // Every country holds the cities of its band, each worth a victory point.
  for (cMiasto* city : game->cities) {
    city->victoryPoints = 1;
    sHex* hex = game->map->GetHex(city->x, city->y);
    hex->originalOwner = hex->owner;
  }
  for (auto _ : state) {
    game->EndOfImpulse(true);
    benchmark::DoNotOptimize(game->turn);
  }
  DestroyGame();
}
BENCHMARK(BM_EndOfTurn)->Unit(benchmark::kMillisecond);

}  // namespace
