// The move-range flood of a land unit on a large map with forests, rivers
// and enemy zones of control.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;

// A game of its own: country 1 moves, country 2 is its enemy with a unit on
// about one hex in thirty; a quarter of the land is forest, a fifth carries
// rivers. Action points by level and type follow a scenario's table, whose
// largest value is 5 (armour at level 0).
class cFloodWorld {
 public:
  explicit cFloodWorld(int actionPoints) {
    game_ = new cGra();
    game_->map = new cMapa();
    game_->map->Create(kWidth, kHeight);
    for (int id = 1; id <= 2; ++id) {
      auto* c = new cPanstwo();
      c->id = id;
      c->active = 1;
      const int costs[8] = {1, 2, 3, 2, 2, 4, 1, 99};
      std::copy(costs, costs + 8, c->consts.c015);
      c->consts.c014[0] = 1;
      c->consts.c014[1] = 2;
      c->consts.c014[2] = 2;
      game_->countries.push_back(c);
    }
    game_->relations.Resize(2);
    game_->relations.SetWar(1, 2, 1);
    game_->relations.SetWar(2, 1, 1);
    SeedRandom(12345);
    for (sHex& h : game_->map->hexes) {
      h.terrain = RandomInRange(1, 100) <= 25 ? kTerrainForest : kTerrainPlain;
      if (RandomInRange(1, 100) <= 20) h.rivers = static_cast<uint8_t>(1u << RandomIndex(6));
      h.controller = h.owner = static_cast<uint8_t>(h.x < kWidth / 2 + 3 ? 1 : 2);
      if (RandomInRange(1, 30) == 1 && !(h.x == kWidth / 2 && h.y == kHeight / 2)) {
        auto* enemy = new cJednostkaLadowa();
        enemy->countryId = 2;
        enemy->x = h.x;
        enemy->y = h.y;
        enemy->spottedLevel = RandomInRange(0, 6);
        h.unit = enemy;
        game_->landUnits.push_back(enemy);
      }
    }
    unit_ = new cJednostkaLadowa();
    unit_->countryId = 1;
    unit_->SetType(4);
    unit_->x = kWidth / 2;
    unit_->y = kHeight / 2;
    unit_->actionPoints = unit_->startingActionPoints = actionPoints;
    game_->map->GetHex(unit_->x, unit_->y)->unit = unit_;
    game_->landUnits.push_back(unit_);
  }
  ~cFloodWorld() { DestroyGame(); }

  cJednostkaLadowa& unit() { return *unit_; }

 private:
  cGra* game_;
  cJednostkaLadowa* unit_;
};

void BM_LandMoveRange(benchmark::State& state) {
  cFloodWorld world(static_cast<int>(state.range(0)));
  const bool quiet = state.range(1) != 0;
  int reached = 0;
  for (auto _ : state) {
    reached = world.unit().MarkAttackTargets(quiet);
    benchmark::DoNotOptimize(reached);
  }
  state.counters["hexes"] = reached;
}
// The scenario's largest action points, then longer reaches; the computer's
// quiet flood and the player's marked one.
BENCHMARK(BM_LandMoveRange)->ArgsProduct({{5, 12, 25}, {1, 0}})->Unit(benchmark::kMicrosecond);

}  // namespace
