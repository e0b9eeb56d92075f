// The path of a long land move read back from the move range on a large
// map, and the choice of the next human country among sixty.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "core/console.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/play_order.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;

// A game of its own: one unit at the west edge whose range covers the whole
// map (plain costs 1, forest 2), a fifth of it forest.
class cPathWorld {
 public:
  cPathWorld() {
    game_ = new cGra();
    game_->map = new cMapa();
    game_->map->Create(kWidth, kHeight);
    auto* c = new cPanstwo();
    c->id = 1;
    c->active = 1;
    const int costs[8] = {1, 2, 1, 1, 1, 1, 1, 1};
    std::copy(costs, costs + 8, c->consts.c015);
    game_->countries.push_back(c);
    game_->relations.Resize(1);
    SeedRandom(4242);
    for (sHex& h : game_->map->hexes) {
      h.terrain = RandomInRange(1, 100) <= 20 ? kTerrainForest : kTerrainPlain;
      h.controller = h.owner = 1;
    }
    unit_ = new cJednostkaLadowa();
    unit_->countryId = 1;
    unit_->x = 2;
    unit_->y = kHeight / 2;
    unit_->actionPoints = unit_->startingActionPoints = 2 * (kWidth + kHeight);
    game_->map->GetHex(unit_->x, unit_->y)->unit = unit_;
    game_->landUnits.push_back(unit_);
    unit_->MarkAttackTargets(true);
  }
  ~cPathWorld() { DestroyGame(); }

  cJednostkaLadowa& unit() { return *unit_; }
  cGra& game() { return *game_; }

 private:
  cGra* game_;
  cJednostkaLadowa* unit_;
};

// The log line of every step goes to disk; measured without it.
class cLogOff {
 public:
  cLogOff() : saved_(gConsole.enabled) { gConsole.enabled = false; }
  ~cLogOff() { gConsole.enabled = saved_; }

 private:
  bool saved_;
};

void BM_FindLandPath(benchmark::State& state) {
  cPathWorld world;
  cLogOff logOff;
  const int targetX = kWidth - 3;
  const int targetY = static_cast<int>(state.range(0));
  size_t steps = 0;
  for (auto _ : state) {
    world.game().selection.FindLandPath(&world.unit(), targetX, targetY);
    steps = world.game().selection.steps.size();
    benchmark::DoNotOptimize(steps);
  }
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["reached"] = static_cast<double>(world.unit().moveList.size());
}
// Straight across the map, and to a far corner.
BENCHMARK(BM_FindLandPath)->Arg(kHeight / 2)->Arg(kHeight - 2)->Unit(benchmark::kMicrosecond);

void BM_BuildCountryOrder(benchmark::State& state) {
  cGra* game = new cGra();
  SeedRandom(99);
  for (int id = 1; id <= 60; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->active = 1;
    c->alliance = RandomInRange(0, 7);
    c->politicalStrength = RandomInRange(-1, 20);
    c->humanControlled = static_cast<uint8_t>(id % 6 == 0);
    // Every human has moved: the walk round the whole order.
    c->finishedTurn = static_cast<uint8_t>(state.range(0) != 0 || id < 40);
    game->countries.push_back(c);
  }
  game->selection.currentCountry = game->countries[41];
  const cPanstwo* next = nullptr;
  for (auto _ : state) {
    next = game->selection.BuildCountryOrder(game->countries);
    benchmark::DoNotOptimize(next);
  }
  state.counters["next"] = next != nullptr ? next->id : 0;
  DestroyGame();  // the game made itself the running one
}
// A human still to move, and every human finished.
BENCHMARK(BM_BuildCountryOrder)->Arg(0)->Arg(1);

}  // namespace
