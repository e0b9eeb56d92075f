// Routes and the full naval visibility pass over a generated sea graph of
// 400 nodes and 1,500 edges, with fleets of three sides on it; and one air
// fight. The log is switched off so that the rules, not the disk, are timed.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/console.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"

namespace {

constexpr int kNodes = 400;
constexpr int kEdges = 1500;

// Countries 1 and 2 allied, 3 at war with both; every eighth node a port of
// country 1 or 3; a chain keeps every node reachable, the other edges are
// random, a tenth of them through a gate.
cGra* MakeSeaGame() {
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(64, 64);
  for (int a : {1, 4, 2}) {
    auto* c = new cPanstwo();
    c->id = static_cast<int>(game->countries.size()) + 1;
    c->alliance = a;
    c->consts.c165 = 40;
    c->consts.c166[0] = 2, c->consts.c166[1] = 2, c->consts.c166[2] = 5, c->consts.c166Field4 = 3;
    c->consts.c167[0] = 2, c->consts.c167[1] = 1, c->consts.c167[2] = 4;
    game->countries.push_back(c);
  }
  game->relations.Resize(3);
  for (int a : {1, 2}) {
    game->relations.SetWar(a, 3, 1);
    game->relations.SetWar(3, a, 1);
  }
  for (sHex& h : game->map->hexes) h.controller = static_cast<uint8_t>(h.x < 40 ? 1 : 3);
  SeedRandom(2024);
  cGrafMorz& graph = game->seaGraph;
  graph.nodes.resize(kNodes);
  for (int i = 0; i < kNodes; ++i) {
    sWezelGrafuMorz& n = graph.nodes[static_cast<size_t>(i)];
    n.id = i + 1;
    n.seaZone = i % 8 == 7 ? 0 : 1;
    n.mainX = i % 64;
    n.mainY = i / 64;
  }
  int edges = 0;
  for (int i = 1; i < kNodes; ++i, edges += 2) {
    graph.nodes[static_cast<size_t>(i) - 1].edges.push_back({i + 1, -1, -1});
    graph.nodes[static_cast<size_t>(i)].edges.push_back({i, -1, -1});
  }
  for (; edges < kEdges; ++edges) {
    const int from = RandomIndex(kNodes), to = 1 + RandomIndex(kNodes);
    const bool gate = RandomIndex(10) == 0;
    graph.nodes[static_cast<size_t>(from)].edges.push_back(
        {to, gate ? RandomIndex(64) : -1, gate ? RandomIndex(64) : -1});
  }
  for (int f = 0; f < 300; ++f) {
    auto* fleet = new sFlota();
    fleet->countryId = 1 + RandomIndex(3);
    fleet->seaNode = 1 + RandomIndex(kNodes);
    for (int s = 0; s < 3; ++s) {
      auto* ship = new cJednostkaMorska();
      ship->SetType(kTypeCarrier + RandomIndex(6));
      ship->countryId = fleet->countryId;
      ship->fleet = fleet;
      fleet->ships.push_back(ship);
      game->navalUnits.push_back(ship);
    }
    game->fleets.push_back(fleet);
  }
  return game;
}

void BM_FindSeaRoute(benchmark::State& state) {
  gConsole.enabled = false;
  cGra* game = MakeSeaGame();
  std::vector<int> route;
  for (auto _ : state) benchmark::DoNotOptimize(game->seaGraph.FindSeaRoute(1, kNodes, 1, state.range(0) != 0, route));
  if (route.empty() && state.range(0) == 0) state.SkipWithError("no route");
  DestroyGame();
  gConsole.enabled = true;
}
BENCHMARK(BM_FindSeaRoute)->Arg(0)->Arg(1);

void BM_NavalVisibilityFullPass(benchmark::State& state) {
  gConsole.enabled = false;
  cGra* game = MakeSeaGame();
  for (auto _ : state) game->seaGraph.RecalculateNavalVisibility(1, false);
  state.SetItemsProcessed(state.iterations() * kNodes);
  DestroyGame();
  gConsole.enabled = true;
}
BENCHMARK(BM_NavalVisibilityFullPass);

void BM_AirFight(benchmark::State& state) {
  gConsole.enabled = false;
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(8, 8);
  for (int id = 1; id <= 2; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    for (int d = 0; d < 6; ++d)
      for (int k = 0; k < 9; ++k) c->consts.airCombatTableA[d][k] = c->consts.airCombatTableB[d][k] = 0;
    game->countries.push_back(c);
  }
  game->relations.Resize(2);
  auto* attacker = new cJednostkaLotnicza();
  auto* defender = new cJednostkaLotnicza();
  for (cJednostkaLotnicza* u : {attacker, defender}) {
    u->SetType(kTypeFighter);
    u->strength = 8;
    u->level = 2;
    game->airUnits.push_back(u);
  }
  attacker->countryId = 1;
  defender->countryId = 2;
  sWynikWalki result;
  for (auto _ : state) {
    result.Clear();
    attacker->actionPoints = 1;
    defender->AirFight(result, attacker, nullptr);
  }
  // Reports pile up with every fight; they go with the game.
  DestroyGame();
  gConsole.enabled = true;
}
BENCHMARK(BM_AirFight);

}  // namespace
