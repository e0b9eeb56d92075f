// One land battle: three attackers against a defender in a city, with every
// modifier in play (forest, river, winter, entrenchment, fortification). The
// units are restored after each battle so that every iteration fights the
// same battle: nobody dies, the defender cannot retreat from its city.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "core/random.h"
#include "rules/land_combat.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"

namespace {

class cValuedUnit : public cJednostkaLadowa {
 public:
  explicit cValuedUnit(float cost) : cost_(cost) {}
  float GetUnitCost() const override { return cost_; }

 private:
  float cost_;
};

class cBattleWorld {
 public:
  cBattleWorld() {
    game_ = new cGra();
    game_->map = new cMapa();
    game_->map->Create(16, 16);
    for (int id = 1; id <= 2; ++id) {
      auto* c = new cPanstwo();
      c->id = id;
      c->active = 1;
      c->humanControlled = id == 2 ? 1 : 0;
      c->winterBattle = 50.0f;
      SetTables(c->consts);
      game_->countries.push_back(c);
    }
    game_->relations.Resize(2);
    game_->relations.SetWar(1, 2, 1);
    game_->relations.SetWar(2, 1, 1);
    for (sHex& h : game_->map->hexes) {
      h.terrain = kTerrainPlain;
      h.controller = h.owner = 2;
    }
    sHex& target = *game_->map->GetHex(8, 8);
    target.terrain = kTerrainForest;
    target.weather = kWeatherWinter;
    target.fort = 1;
    target.rivers = 1u << 0;
    city_ = new cMiasto();
    city_->x = 8;
    city_->y = 8;
    target.city = city_;
    game_->cities.push_back(city_);

    defender_ = Place(2, 8, 8, 20.0f);
    defender_->trenchBonusMultiplier = 2;
    attack_.defender = defender_;
    attack_.targetX = 8;
    attack_.targetY = 8;
    for (int side : {0, 2, 4}) {
      sHexPoint p;
      game_->map->NeighbourPoint(8, 8, side, p);
      attack_.SetAttacker(Place(1, p.x, p.y, 10.0f), side);
    }
  }
  ~cBattleWorld() { DestroyGame(); }

  void Fight() {
    for (cJednostka* a : attack_.attackers) {
      if (a == nullptr) continue;
      static_cast<cJednostkaLadowa*>(a)->strength = 100;
      a->actionPoints = 5;
      a->attacked = 0;
    }
    defender_->strength = 100;
    defender_->wasAttacked = 0;
    sWynikWalki result;
    benchmark::DoNotOptimize(ResolveLandCombat(attack_, result));
    game_->reports->reports.clear();
  }

 private:
  static void SetTables(sConsts& c) {
    const float f31[13] = {0.7f, 10, 0.7f, 1, 1, 1.1f, 1.2f, 1.35f, 1.5f, 1.7f, 1, 1, 1};
    std::copy(f31, f31 + 13, c.c031);
    const float f32[9] = {1, 1.5f, 1.25f, 1.5f, 1.25f, 2, 1, 1.3f, 1};
    std::copy(f32, f32 + 9, c.c032);
    c.c033 = 30;
    std::fill(c.c034, c.c034 + 6, 1);
    c.c138 = 30;
    c.c140 = 20;
    c.c144 = 10;
    for (float* row : {c.c019, c.c020, c.c021, c.c022, c.c023, c.c024}) std::fill(row, row + 7, 20.0f);
    for (float* row : {c.c025, c.c026, c.c027, c.c028, c.c029, c.c030}) std::fill(row, row + 7, 0.5f);
    std::fill(c.c078, c.c078 + 7, 1.0f);
    std::fill(c.c079, c.c079 + 7, 1.0f);
    c.c149 = 60;
  }
  cValuedUnit* Place(int country, int x, int y, float cost) {
    auto* u = new cValuedUnit(cost);
    u->countryId = country;
    u->SetType(0);
    u->x = x;
    u->y = y;
    game_->map->GetHex(x, y)->unit = u;
    game_->landUnits.push_back(u);
    return u;
  }

  cGra* game_;
  cMiasto* city_;
  cValuedUnit* defender_;
  sAtak attack_;
};

void BM_LandCombat(benchmark::State& state) {
  SeedRandom(1);
  cBattleWorld world;
  for (auto _ : state) world.Fight();
}
BENCHMARK(BM_LandCombat);

}  // namespace
