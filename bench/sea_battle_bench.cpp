// One AutoBattle of two fleets of eight ships each, the pauses of the quiet
// front end being no pauses. The fleets are built anew for each battle
// (outside the timing), since a battle sinks ships.
#include <benchmark/benchmark.h>

#include "core/front_end.h"
#include "core/random.h"
#include "rules/sea_battle.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"

namespace {

class cFleetsWorld {
 public:
  cFleetsWorld() {
    game_ = new cGra();
    game_->map = new cMapa();
    game_->map->Create(8, 8);
    for (int id = 1; id <= 2; ++id) {
      auto* c = new cPanstwo();
      c->id = id;
      c->active = 1;
      c->alliance = id == 1 ? 4 : 5;
      c->name = id == 1 ? L"Blue" : L"Red";
      c->techLevels[4] = 3;
      c->techLevels[5] = 3;
      c->consts.carrierMinHitPoints = 2;
      game_->countries.push_back(c);
    }
    game_->relations.Resize(2);
    game_->relations.SetWar(1, 2, true);
    game_->relations.SetWar(2, 1, true);
    const int weights[5] = {1, 1, 1, 1, 1};
    for (int i = 0; i < 5; ++i) game_->consts.seaBattleValues[i] = weights[i];
    sWezelGrafuMorz zone;
    zone.id = 1;
    zone.name = L"Deep";
    game_->seaGraph.nodes.push_back(zone);
  }
  ~cFleetsWorld() { DestroyGame(); }

  // Eight ships of the country: a carrier, two battleships, three cruisers
  // and two submarines.
  void AddFleet(int country, cSeaBattle::tSide& side) {
    auto* f = new sFlota();
    f->id = ++game_->nextFleetNumber;
    f->countryId = country;
    f->seaNode = 1;
    f->name = L"Fleet";
    const int types[8] = {kTypeCarrier, kTypeBattleship, kTypeBattleship, kTypeCruiser,
                          kTypeCruiser, kTypeCruiser, kTypeSubmarine, kTypeSubmarine};
    for (int t : types) {
      auto* s = new cJednostkaMorska();
      s->countryId = country;
      s->SetType(t);
      s->name = L"Ship";
      s->unitId = ++nextId_;
      s->hitPoints = s->maxHitPoints = 6;
      s->spottedLevel = 5;
      s->fleet = f;
      f->ships.push_back(s);
      game_->navalUnits.push_back(s);
      side.push_back(s);
    }
    game_->fleets.push_back(f);
  }
  // Clears the ships, fleets and reports the last battle left.
  void Reset() {
    while (!game_->navalUnits.empty()) game_->navalUnits.front()->Kill(true);
    game_->reports->reports.clear();
  }

 private:
  cGra* game_;
  int nextId_ = 0;
};

void BM_AutoBattleEightAgainstEight(benchmark::State& state) {
  SetFrontEnd(nullptr);
  cFleetsWorld world;
  SeedRandom(2024);
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset();
    cSeaBattle::tSide first;
    cSeaBattle::tSide second;
    world.AddFleet(1, first);
    world.AddFleet(2, second);
    state.ResumeTiming();
    cSeaBattle battle(first, second);
    battle.WriteReport();
    benchmark::DoNotOptimize(battle.reportText.size());
  }
}
BENCHMARK(BM_AutoBattleEightAgainstEight);

}  // namespace
