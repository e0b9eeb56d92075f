// One country's end-of-turn economy on a large world: a 400 x 250 map with
// 60 countries, 2,000 cities held, owned and first held by different
// countries, and 3,000 land and air units.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"
#include "world/phase_report.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;
constexpr int kCountries = 60;
constexpr int kCities = 2000;
constexpr int kUnits = 3000;

// A land unit with a fixed cost, so that its strength value is not 0.
class CostedLandUnit : public cJednostkaLadowa {
 public:
  float GetUnitCost() const override { return 12.0f; }
};

cGra* MakeWorld() {
  SeedRandom(12345);
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(kWidth, kHeight);
  for (int id = 1; id <= kCountries; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->active = 1;
    c->alliance = id % 4;  // neutral and the three alliances
    c->warEconomy = 90.0f;
    c->socialUnrest = 10.0f;
    c->difficultyLevel = id % 5;
    c->unitUpkeepCostModifier = 1.0f;
    c->consts.unitUpkeepFactor = 0.1f;
    c->consts.c115[0] = 0.5f;
    c->consts.c115[1] = 0.75f;
    c->consts.c115[2] = 0.25f;
    for (int k = 0; k < 7; ++k) {
      c->consts.c088[k] = 60;
      c->consts.c089[k] = 5;
    }
    game->countries.push_back(c);
  }
  game->relations.Resize(kCountries);
  for (int a = 1; a <= kCountries; ++a)
    for (int b = 1; b <= kCountries; ++b)
      if (a != b) game->relations.ChangeLosses(a, b, static_cast<float>(RandomInRange(0, 100)));
  for (int i = 0; i < kCities; ++i) {
    const int x = RandomIndex(kWidth);
    const int y = RandomIndex(kHeight);
    sHex* hex = game->map->GetHex(x, y);
    if (hex->city != nullptr) continue;
    auto* c = new cMiasto();
    c->x = x;
    c->y = y;
    c->type = RandomIndex(5);
    c->productionPoints = static_cast<float>(RandomInRange(1, 30));
    // Country 1 holds a share of the world; the rest is spread.
    const int holder = RandomIndex(4) == 0 ? 1 : 1 + RandomIndex(kCountries);
    hex->controller = static_cast<uint8_t>(holder);
    hex->owner = static_cast<uint8_t>(RandomIndex(3) == 0 ? 1 + RandomIndex(kCountries) : holder);
    hex->originalOwner = static_cast<uint8_t>(RandomIndex(2) == 0 ? 1 + RandomIndex(kCountries) : holder);
    hex->city = c;
    game->cities.push_back(c);
  }
  for (int i = 0; i < kUnits; ++i) {
    const int country = 1 + RandomIndex(kCountries);
    if (i % 4 == 0) {
      auto* u = new cJednostkaLotnicza();
      u->countryId = country;
      u->strength = RandomInRange(1, 20);
      game->airUnits.push_back(u);
    } else {
      auto* u = new CostedLandUnit();
      u->countryId = country;
      u->strength = RandomInRange(10, 100);
      game->landUnits.push_back(u);
    }
  }
  game->relations.ComputeLossShares();
  return game;
}

// Production and monthly research of one country, research starting afresh
// each time so that every category rolls its dice.
void BM_ProductionAndResearchStep(benchmark::State& state) {
  cGra* game = MakeWorld();
  cPanstwo* country = game->countries[0];
  sPhaseReport report;
  for (auto _ : state) {
    for (int k = 0; k < 7; ++k) {
      country->techLevels[k] = 1;
      country->techInvestments[k] = 3;
      country->researchProgress[k] = 0;
    }
    country->CollectProduction(report);
    country->MonthlyResearch(report);
    benchmark::DoNotOptimize(country->productionPoints);
    benchmark::DoNotOptimize(report.body.data());
  }
  delete game;
}
BENCHMARK(BM_ProductionAndResearchStep);

// The upkeep of one country over the 3,000 units of the world.
void BM_UnitUpkeep(benchmark::State& state) {
  cGra* game = MakeWorld();
  cPanstwo* country = game->countries[0];
  sPhaseReport report;
  for (auto _ : state) {
    country->productionPoints = 1000.0;
    country->ComputeUnitUpkeep(report);
    benchmark::DoNotOptimize(country->productionPoints);
  }
  delete game;
}
BENCHMARK(BM_UnitUpkeep);

}  // namespace
