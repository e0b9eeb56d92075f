// One country's convoy pass of the supply phase: 40 supply and resource
// convoys between 20 ports of a chain of 240 sea nodes with cross links,
// enemy fleets and raiders on a tenth of the zones, 300 units to supply.
// The log is switched off so that the rules, not the disk, are timed.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/console.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/reports.h"
#include "world/topography.h"

namespace {

constexpr int kNodes = 240;
constexpr int kPortEvery = 12;
constexpr int kConvoys = 40;

class BenchLandUnit : public cJednostkaLadowa {};

struct ConvoyBench {
  ConvoyBench() {
    game = new cGra();
    game->map = new cMapa();
    game->map->Create(64, 64);
    for (int a : {1, 2, 1}) {
      auto* c = new cPanstwo();
      c->id = static_cast<int>(game->countries.size()) + 1;
      c->alliance = a;
      c->consts.reserveSupplyLevel = 10;
      c->consts.c120[0] = 0.5f;
      for (int t = 1; t <= 7; ++t) c->consts.c120[t] = 0.25f;
      c->consts.c161[1] = 1, c->consts.c162[1] = 3;
      game->countries.push_back(c);
    }
    game->relations.Resize(3);
    game->relations.SetWar(1, 2, 1);
    game->relations.SetWar(2, 1, 1);
    game->consts.convoyBaseChance = 20.0f;
    game->consts.convoyAttackFactor[0] = 1.0f, game->consts.convoyAttackFactor[1] = 0.75f;
    game->consts.convoyAttackFactor[2] = 0.5f, game->consts.convoyRaiderFactor = 0.5f;
    game->turn = 5;
    for (sHex& h : game->map->hexes) h.controller = h.owner = 1;

    SeedRandom(7);
    cGrafMorz& graph = game->seaGraph;
    graph.nodes.resize(kNodes);
    tCityGroup group;
    for (int i = 0; i < kNodes; ++i) {
      sWezelGrafuMorz& n = graph.nodes[static_cast<size_t>(i)];
      n.id = i + 1;
      n.mainX = i % 64;
      n.mainY = i / 64;
      n.name = L"Node";
      if (i % kPortEvery == 0) {
        n.seaZone = 0;
        n.maxSize = n.currentSize = 3;
        auto* city = new cMiasto();
        city->x = n.mainX;
        city->y = n.mainY;
        city->type = kCityPort;
        city->name = L"Port";
        sHex* hex = game->map->GetHex(city->x, city->y);
        hex->city = city;
        // Every other port is an ally's, where resources are worth sending.
        if ((i / kPortEvery) % 2 == 1) hex->controller = hex->owner = 3;
        hex->seaNodeMarker = static_cast<uint16_t>(n.id);
        game->cities.push_back(city);
        group.push_back(city);
      }
    }
    for (int i = 1; i < kNodes; ++i) {
      graph.nodes[static_cast<size_t>(i) - 1].edges.push_back({i + 1, -1, -1});
      graph.nodes[static_cast<size_t>(i)].edges.push_back({i, -1, -1});
    }
    for (int e = 0; e < kNodes; ++e) {
      const int a = RandomIndex(kNodes), b = RandomIndex(kNodes);
      graph.nodes[static_cast<size_t>(a)].edges.push_back({b + 1, -1, -1});
      graph.nodes[static_cast<size_t>(b)].edges.push_back({a + 1, -1, -1});
    }
    for (int z = 1; z < kNodes; z += 10) {
      if (graph.nodes[static_cast<size_t>(z)].IsPort()) continue;
      auto* fleet = new sFlota();
      fleet->countryId = 2;
      fleet->seaNode = z + 1;
      fleet->formation = z % 20 == 1 ? 1 : 0;
      for (int s = 0; s < 3; ++s) {
        auto* ship = new cJednostkaMorska();
        ship->SetType(kTypeBattleship);
        ship->countryId = 2;
        ship->fleet = fleet;
        fleet->ships.push_back(ship);
        game->navalUnits.push_back(ship);
      }
      game->fleets.push_back(fleet);
    }
    ResetCitySupplyTables();
    groups.push_back(group);
    std::vector<cMiasto*> ports(group.begin(), group.end());
    for (int u = 0; u < 300; ++u) {
      auto* unit = new BenchLandUnit();
      unit->countryId = 1;
      unit->SetType(u % 7);
      game->landUnits.push_back(unit);
      units.push_back({unit, ports[static_cast<size_t>(RandomIndex(static_cast<int>(ports.size())))], 0});
    }
    game->convoys = new cKonwoje();
    game->convoys->Resize(3);
    const int pairs = kNodes / kPortEvery / 2;
    for (int k = 0; k < kConvoys; ++k) {
      const int from = 2 * RandomIndex(pairs) + (k % 4 == 0 ? 0 : RandomIndex(2));
      const int to = 2 * RandomIndex(pairs) + 1;
      const sWezelGrafuMorz& a = graph.nodes[static_cast<size_t>(kPortEvery * from)];
      const sWezelGrafuMorz& b = graph.nodes[static_cast<size_t>(kPortEvery * to)];
      game->convoys->AddConvoyBetweenCities(1, k % 4 == 0 ? kConvoyResources : kConvoySupplies, 30, a.mainX,
                                            a.mainY, b.mainX, b.mainY);
    }
  }
  ~ConvoyBench() { DestroyGame(); }

  // Every turn starts from the same treasury and supply, and the reports of
  // the turn before are dropped so that the store does not grow.
  void Reset() {
    game->reports->reports.clear();
    cPanstwo* c = game->countries[0];
    c->seaTransportPoints = 2000;
    c->seaTransportUsedByConvoys = 0;
    c->productionPoints = 400.0;
    for (cMiasto* city : game->cities) {
      city->supplyInfo[0] = 11;  // above full: a port supplied by a convoy still sends one
      city->convoyInfo[0] = 0;
    }
  }

  cGra* game = nullptr;
  tCityGroupSet groups;
  tSupplyAssignments units;
};

void BM_ExecuteAllConvoys(benchmark::State& state) {
  gConsole.enabled = false;
  ConvoyBench bench;
  for (auto _ : state) {
    bench.Reset();
    bench.game->convoys->ExecuteAllConvoys(1, bench.groups, bench.units);
    benchmark::DoNotOptimize(bench.game->convoys->results[0].data());
  }
  int sailed = 0;
  for (const sWynikKonwojow& r : bench.game->convoys->results[0]) sailed += r.usedStp > 0 ? 1 : 0;
  state.counters["convoys"] = kConvoys;
  state.counters["sailed"] = sailed;
  gConsole.enabled = true;
}
BENCHMARK(BM_ExecuteAllConvoys);

}  // namespace
