#pragma once
// A small sea graph built in memory on a test game's map, with fleets and
// ships of real classes. Uses the game fixture of the world tests.
#include <initializer_list>
#include <string>

#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace naval_test {

using world_test::GameFixture;

// Appends a sea zone whose main hex (a sea hex) is (x, y); returns its id.
inline int AddZone(GameFixture& g, int x, int y, const wchar_t* name = L"Zone") {
  sWezelGrafuMorz n;
  n.id = static_cast<int>(g.game->seaGraph.nodes.size()) + 1;
  n.name = name;
  n.seaZone = 1;
  n.mainX = n.playerUnitX = n.enemyUnitX = x;
  n.mainY = n.playerUnitY = n.enemyUnitY = y;
  g.hex(x, y).terrain = kTerrainSea;
  g.hex(x, y).seaZone = static_cast<uint16_t>(n.id);
  g.game->seaGraph.nodes.push_back(n);
  return n.id;
}

// Appends a port of the size on the land hex (x, y), controlled by the
// country; its ships are drawn on (ux, uy).
inline int AddPort(GameFixture& g, int x, int y, int size, int controller, int ux = -1, int uy = -1) {
  sWezelGrafuMorz n;
  n.id = static_cast<int>(g.game->seaGraph.nodes.size()) + 1;
  n.name = L"Port";
  n.seaZone = 0;
  n.maxSize = n.currentSize = size;
  n.mainX = x;
  n.mainY = y;
  n.playerUnitX = n.enemyUnitX = ux < 0 ? x : ux;
  n.playerUnitY = n.enemyUnitY = uy < 0 ? y : uy;
  g.hex(x, y).controller = static_cast<uint8_t>(controller);
  g.hex(x, y).owner = static_cast<uint8_t>(controller);
  g.game->seaGraph.nodes.push_back(n);
  return n.id;
}

inline void Edge(GameFixture& g, int from, int to, int gateX = -1, int gateY = -1) {
  g.game->seaGraph.FindNode(from)->edges.push_back({to, gateX, gateY});
}
inline void TwoWay(GameFixture& g, int a, int b, int gateX = -1, int gateY = -1) {
  Edge(g, a, b, gateX, gateY);
  Edge(g, b, a, gateX, gateY);
}

inline cJednostkaMorska* NewShip(int country, int type, int hp = 5, const wchar_t* name = L"Ship") {
  auto* s = new cJednostkaMorska();
  s->countryId = country;
  s->SetType(type);
  s->SetName(name);
  s->hitPoints = s->maxHitPoints = hp;
  return s;
}

// Zones A - B - C in a row along the bottom edge of a 12 x 8 map, joined A-B
// and B-C. Country 1, at war with 2, is the one whose turn it is and whose
// view the sea graph shows; fleets move 3 nodes.
struct sZoneRow {
  int a, b, c;
};
inline sZoneRow SetUpZoneRow(GameFixture& g) {
  unit_test::LoadShippedStrings();
  g.SetWar(1, 2);
  const sZoneRow row{AddZone(g, 0, 7, L"Zone A"), AddZone(g, 4, 7, L"Zone B"), AddZone(g, 8, 7, L"Zone C")};
  TwoWay(g, row.a, row.b);
  TwoWay(g, row.b, row.c);
  g.game->selection.currentCountry = g.game->GetCountry(1);
  g.game->consts.fleetMoveRange = 3;
  g.game->seaGraph.viewingCountry = 1;
  return row;
}

// One bare ship of the type (no id, no name) alone in a fleet of its own on
// the node, in the game's fleet and naval-unit lists.
inline cJednostkaMorska* AddLoneShip(GameFixture& g, int country, int type, int node, int hitPoints = 0) {
  auto* f = new sFlota();
  f->countryId = country;
  f->seaNode = node;
  g.game->fleets.push_back(f);
  auto* s = new cJednostkaMorska();
  s->countryId = country;
  s->SetType(type);
  s->hitPoints = hitPoints;
  s->fleet = f;
  f->ships.push_back(s);
  g.game->navalUnits.push_back(s);
  return s;
}

// A fleet of the country on the node with one ship of each type, in the
// game's fleet and naval-unit lists.
inline sFlota* AddFleet(GameFixture& g, int country, int node, std::initializer_list<int> types, int hp = 5) {
  auto* f = new sFlota();
  f->id = ++g.game->nextFleetNumber;
  f->countryId = country;
  f->seaNode = node;
  f->SetName(L"Fleet " + std::to_wstring(f->id));
  int n = 0;
  for (int t : types) {
    cJednostkaMorska* s = NewShip(country, t, hp, (L"Ship " + std::to_wstring(f->id) + L"." + std::to_wstring(++n)).c_str());
    s->unitId = f->id * 100 + n;
    s->fleet = f;
    f->ships.push_back(s);
    g.game->navalUnits.push_back(s);
  }
  g.game->fleets.push_back(f);
  return f;
}

}  // namespace naval_test
