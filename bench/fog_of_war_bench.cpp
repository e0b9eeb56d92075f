// Fog of war and air defence on a large world: a 400 x 250 map with 60
// countries in three alliances and the neutrals, and 3,000 land and air
// units on free hexes.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "core/settings.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;
constexpr int kCountries = 60;
constexpr int kUnits = 3000;

cGra* MakeWorld() {
  SeedRandom(4242);
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(kWidth, kHeight);
  for (sHex& h : game->map->hexes) h.terrain = kTerrainPlain;
  for (int id = 1; id <= kCountries; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->active = 1;
    c->alliance = id % 4;  // neutral and the three alliances
    c->techLevels[3] = 2;
    c->consts.c047[0] = 4;
    for (int k = 0; k < 5; ++k) c->consts.airRangeTechFactor[k] = 1.0f + 0.25f * static_cast<float>(k);
    game->countries.push_back(c);
  }
  game->relations.Resize(kCountries);
  // Members of different alliances are at war.
  for (int a = 1; a <= kCountries; ++a)
    for (int b = 1; b <= kCountries; ++b)
      if (a % 4 != 0 && b % 4 != 0 && a % 4 != b % 4) game->relations.SetWar(a, b, 1);
  for (int i = 0; i < kUnits;) {
    const int x = RandomIndex(kWidth);
    const int y = RandomIndex(kHeight);
    sHex* hex = game->map->GetHex(x, y);
    if (hex->unit != nullptr) continue;
    const int country = 1 + RandomIndex(kCountries);
    cJednostka* unit;
    if (i % 4 == 0) {
      auto* u = new cJednostkaLotnicza();
      u->SetType(kTypeFighter);
      u->strength = RandomInRange(1, 20);
      game->airUnits.push_back(u);
      unit = u;
    } else {
      auto* u = new cJednostkaLadowa();
      game->landUnits.push_back(u);
      unit = u;
    }
    unit->countryId = country;
    unit->x = x;
    unit->y = y;
    hex->unit = unit;
    ++i;
  }
  return game;
}

// The visibility of every unit for one viewing country, by fog range.
void BM_RecalculateUnitsVisibility(benchmark::State& state) {
  const int saved = gProgramSettings.fogOfWar;
  gProgramSettings.fogOfWar = static_cast<int>(state.range(0));
  cGra* game = MakeWorld();
  cPanstwo* viewer = game->countries[0];
  for (auto _ : state) {
    viewer->RecalculateUnitsVisibility(viewer->id);
    benchmark::DoNotOptimize(game->landUnits.front()->spottedLevel);
  }
  delete game;
  gProgramSettings.fogOfWar = saved;
}
BENCHMARK(BM_RecalculateUnitsVisibility)->Arg(3)->Arg(0);

// The air-superiority ratio at one hex, as the sieges and bombardments ask it.
void BM_AirSuperiorityRatio(benchmark::State& state) {
  cGra* game = MakeWorld();
  cPanstwo* country = game->countries[0];
  int x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(country->GetAirSuperiorityRatio(x, 125));
    x = (x + 37) % kWidth;
  }
  delete game;
}
BENCHMARK(BM_AirSuperiorityRatio);

}  // namespace
