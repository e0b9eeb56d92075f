// The computer player's map queries on a large world: a 400 x 250 map held
// by 60 countries in three alliances and the neutrals, with 3,000 land units.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;
constexpr int kCountries = 60;
constexpr int kUnits = 3000;

cGra* MakeWorld() {
  SeedRandom(777);
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(kWidth, kHeight);
  game->map->CreateAiLayer();
  for (sHex& h : game->map->hexes) {
    h.terrain = RandomIndex(10) == 0 ? kTerrainSea : kTerrainPlain;
    h.controller = static_cast<uint8_t>(1 + RandomIndex(kCountries));
  }
  for (int id = 1; id <= kCountries; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->active = 1;
    c->alliance = id % 4;
    game->countries.push_back(c);
  }
  game->relations.Resize(kCountries);
  for (int a = 1; a <= kCountries; ++a)
    for (int b = 1; b <= kCountries; ++b)
      if (a % 4 != 0 && b % 4 != 0 && a % 4 != b % 4) game->relations.SetWar(a, b, 1);
  for (int i = 0; i < kUnits;) {
    sHex* hex = game->map->GetHex(RandomIndex(kWidth), RandomIndex(kHeight));
    if (hex->unit != nullptr || hex->IsSea()) continue;
    auto* u = new cJednostkaLadowa();
    u->countryId = 1 + RandomIndex(kCountries);
    u->strength = RandomInRange(1, 100);
    u->x = hex->x;
    u->y = hex->y;
    hex->unit = u;
    game->landUnits.push_back(u);
    ++i;
  }
  return game;
}

// A full rebuild of the front-node lattice of distance 4.
void BM_FrontNodeLattice(benchmark::State& state) {
  cGra* game = MakeWorld();
  for (auto _ : state) {
    game->map->frontNodeDistance = -1;
    benchmark::DoNotOptimize(game->map->GetFrontNodes(4).size());
  }
  delete game;
}
BENCHMARK(BM_FrontNodeLattice);

// The weakest-enemy search around a point, by search distance.
void BM_FindWeakestEnemyUnitNear(benchmark::State& state) {
  cGra* game = MakeWorld();
  const int reach = static_cast<int>(state.range(0));
  int x = 0, y = 0;
  int origin = 0;
  for (auto _ : state) {
    origin = (origin + 97) % (kWidth * kHeight);
    benchmark::DoNotOptimize(game->map->FindWeakestEnemyUnitNear(1, origin % kWidth, origin / kWidth, 0, reach, x, y));
  }
  delete game;
}
BENCHMARK(BM_FindWeakestEnemyUnitNear)->Arg(4)->Arg(12)->Arg(40);

// The invasion search: the nearest coastal hex of a zone no hex belongs to,
// so that the whole disc is walked.
void BM_FindInvasionLandingHex(benchmark::State& state) {
  cGra* game = MakeWorld();
  const int reach = static_cast<int>(state.range(0));
  int x = 0, y = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(game->map->FindInvasionLandingHex(1, 200, 125, 9999, reach, x, y, false));
  delete game;
}
BENCHMARK(BM_FindInvasionLandingHex)->Arg(12)->Arg(40);

}  // namespace
