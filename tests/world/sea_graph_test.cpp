// The sea graph: reading its two tables, routes, naval visibility, the
// interceptor search over a node and the node's hint box.
#include "world/sea_graph.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "core/random.h"
#include "core/settings.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/map_generator.h"
#include "world/world_test_support.h"

using namespace world_test;

namespace {

// ---- reading the tables ------------------------------------------------------------

class SeaTables : public ::testing::Test {
 protected:
  SeaTables() : g(8, 6, 2) {
    for (int x = 0; x < 8; ++x) g.hex(x, 5).terrain = kTerrainSea;
  }
  void Nodes(const std::string& rows) { dir.Write("sea_nodes.csv", rows); }
  void Edges(const std::string& rows) { dir.Write("sea_edges.csv", rows); }
  void LoadNodes() { g.game->seaGraph.LoadSeaNodes(dir.Template()); }
  void LoadEdges() { g.game->seaGraph.LoadSeaEdgesFile(dir.Wide() + L"/sea_edges.csv"); }

  GameFixture g;
  ScratchDir dir;
  LogCapture log;
};

TEST_F(SeaTables, NodeRowsBecomeNodesAndStampTheirHexes) {
  unit_test::AddCity(g, 2, 2, kCityPort, 1, L"Portown");
  Nodes(
      "#ID;Name;Max;Cur;X;Y;PX;PY;EX;EY\r\n"
      "1;North Sea;0;0;1;5;2;5;3;5;extra\r\n"
      "2;-;4;9;2;2;4;5;5;5\r\n"          // current size held at the maximum; name from the city
      "3;Nine fields;0;0;0;0;0;0;0\r\n"  // skipped: it takes no id
      "3;Closed port;5;0;20;20;6;5;99;99\r\n");
  LoadNodes();
  const cGrafMorz& graph = g.game->seaGraph;
  ASSERT_EQ(graph.nodes.size(), 3u);

  struct sExpect {
    int id;
    const wchar_t* name;
    int maxSize, currentSize;
    uint32_t seaZone;
  };
  const sExpect want[] = {{1, L"North Sea", 0, 0, 1}, {2, L"Portown", 4, 4, 0}, {3, L"Closed port", 5, 0, 1}};
  for (const sExpect& w : want) {
    SCOPED_TRACE(w.id);
    const sWezelGrafuMorz* n = graph.FindNode(w.id);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->name, w.name);
    EXPECT_EQ(n->maxSize, w.maxSize);
    EXPECT_EQ(n->currentSize, w.currentSize);
    EXPECT_EQ(n->seaZone, w.seaZone);
    EXPECT_EQ(n->friendlyShip, nullptr);
  }
  // Main and unit hexes carry the node id; a port's unit hexes its zone too.
  EXPECT_EQ(g.hex(1, 5).seaNodeMarker, 1);
  EXPECT_EQ(g.hex(2, 5).seaNodeMarker, 1);
  EXPECT_EQ(g.hex(2, 5).seaZone, 0);
  EXPECT_EQ(g.hex(2, 2).seaNodeMarker, 2);
  EXPECT_EQ(g.hex(4, 5).seaZone, 2);
  EXPECT_EQ(g.hex(5, 5).seaNodeMarker, 2);
  EXPECT_EQ(g.game->cities.front()->GetSeaNode(), 2);
  // Off the map only warns; the node stays.
  EXPECT_TRUE(log.Has(L"WARNING. Main hex for sea node Closed port (ID=3) is placed outside the map!"));
  EXPECT_TRUE(log.Has(L"WARNING. Enemy unit in sea node Closed port (ID=3) is placed outside the map!"));
  EXPECT_EQ(g.hex(6, 5).seaNodeMarker, 3);
}

TEST_F(SeaTables, DataErrorsEndTheProgramWithCodeOne) {
  Nodes("1;A;0;0;0;5;0;5;0;5\r\n3;B;0;0;1;5;1;5;1;5\r\n");
  EXPECT_EXIT((LogToStderr(), LoadNodes()), ::testing::ExitedWithCode(1),
              "ERROR. Sea node 2 has ID=3 \\(should be equal!\\)");

  Nodes("1;" + std::string(150, 'N') + ";0;0;0;5;0;5;0;5\r\n");
  EXPECT_EXIT((LogToStderr(), LoadNodes()), ::testing::ExitedWithCode(1), "name too long.*sea_nodes.csv line 1");
  Nodes("1;" + std::string(149, 'N') + ";0;0;0;5;0;5;0;5\r\n");
  LoadNodes();
  EXPECT_EQ(g.game->seaGraph.nodes[0].name.size(), 149u);

  unit_test::AddCity(g, 3, 3, kCitySupplyPort, 1, L"Lonely");
  EXPECT_EXIT((LogToStderr(), LoadNodes()), ::testing::ExitedWithCode(1),
              "ERROR. There is no sea node for port city Lonely \\(3, 3\\)");

  dir.Write("sea_nodes.csv", "");
  std::filesystem::remove(dir.path() / "sea_nodes.csv");
  EXPECT_EXIT((LogToStderr(), LoadNodes()), ::testing::ExitedWithCode(1), "Blad otwarcia pliku! \\(nie istnieje\\?\\)");
}

TEST_F(SeaTables, EdgesAreOneWayAndBadLinesAreHandled) {
  Nodes("1;A;0;0;0;5;0;5;0;5\r\n2;B;0;0;1;5;1;5;1;5\r\n3;C;0;0;2;5;2;5;2;5\r\n");
  LoadNodes();
  Edges(
      "# from;to;gate x;gate y\r\n"
      "1;2;-1;-1\r\n"
      "2;3;4;4;ignored\r\n"
      "1;;3\r\n"  // too short to be an edge
      "3;1;7\r\n"   // three fields
      "1;3;-1;-1");
  LoadEdges();
  const cGrafMorz& graph = g.game->seaGraph;
  ASSERT_EQ(graph.FindNode(1)->edges.size(), 2u);
  EXPECT_EQ(graph.FindNode(1)->edges[0].target, 2);
  EXPECT_EQ(graph.FindNode(1)->edges[1].target, 3);
  ASSERT_EQ(graph.FindNode(2)->edges.size(), 1u);
  EXPECT_EQ(graph.FindNode(2)->edges[0].gateX, 4);
  EXPECT_EQ(graph.FindNode(2)->edges[0].gateY, 4);
  EXPECT_TRUE(graph.FindNode(3)->edges.empty());
  EXPECT_TRUE(log.HasPrefix(L"WARNING: sea edge in "));

  Edges("1;2;-1;-1\r\n2;7;-1;-1\r\n");
  EXPECT_EXIT((LogToStderr(), LoadEdges()), ::testing::ExitedWithCode(1),
              "sea edge 2 -> 7 in .*sea_edges.csv line 2 names a sea node that does not exist");
  std::filesystem::remove(dir.path() / "sea_edges.csv");
  EXPECT_EXIT((LogToStderr(), LoadEdges()), ::testing::ExitedWithCode(1), "Blad otwarcia pliku!");
}

TEST_F(SeaTables, SavedNodesReadBackAsTheyWere) {
  Nodes("1;North Sea;0;0;1;5;2;5;3;5\r\n2;Port;3;2;4;5;5;5;6;5\r\n");
  LoadNodes();
  const std::vector<sWezelGrafuMorz> before = g.game->seaGraph.nodes;
  ScratchDir out;
  ASSERT_TRUE(g.game->seaGraph.SaveSeaNodes(out.Wide()));
  const std::vector<uint8_t> bytes = out.Read("sea_nodes.csv");
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.rfind("#ID;Name (seas only);", 0), 0u);
  EXPECT_NE(text.find("\r\n2;Port;3;2;4;5;5;5;6;5;"), std::string::npos);
  EXPECT_NE(text.back(), '\n');
  g.game->seaGraph.LoadSeaNodes(out.Template());
  ASSERT_EQ(g.game->seaGraph.nodes.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const sWezelGrafuMorz& a = before[i];
    const sWezelGrafuMorz& b = g.game->seaGraph.nodes[i];
    EXPECT_EQ(std::tie(a.id, a.name, a.maxSize, a.currentSize, a.seaZone, a.mainX, a.mainY, a.playerUnitX,
                       a.enemyUnitY),
              std::tie(b.id, b.name, b.maxSize, b.currentSize, b.seaZone, b.mainX, b.mainY, b.playerUnitX,
                       b.enemyUnitY));
  }
}

// ---- routes ------------------------------------------------------------------------

// Nodes built directly: a sea zone or a port whose main hex is given.
sWezelGrafuMorz MakeNode(int id, bool port, int x = -1, int y = -1) {
  sWezelGrafuMorz n;
  n.id = id;
  n.seaZone = port ? 0 : 1;
  n.maxSize = port ? 3 : 0;
  n.currentSize = n.maxSize;
  n.mainX = x;
  n.mainY = y;
  return n;
}

void Edge(cGrafMorz& graph, int from, int to, int gx = -1, int gy = -1) {
  graph.FindNode(from)->edges.push_back({to, gx, gy});
}

class SeaRoutes : public ::testing::Test {
 protected:
  // Countries 1 and 2 allied, 3 at war with 1, 4 neutral.
  SeaRoutes() : g(6, 6, 0) {
    g.AddCountry(1);
    g.AddCountry(4);
    g.AddCountry(2);
    g.AddCountry(0);
    g.SetWar(1, 3);
    g.hex(0, 0).controller = 1;  // own port
    g.hex(1, 0).controller = 3;  // enemy port
    g.hex(2, 0).controller = 4;  // neutral port
    g.hex(3, 0).controller = 2;  // gate held by the ally
    g.hex(4, 0).controller = 3;  // gate held by the enemy
    cGrafMorz& s = g.game->seaGraph;
    s.nodes = {MakeNode(1, false), MakeNode(2, false), MakeNode(3, true, 0, 0), MakeNode(4, true, 1, 0),
               MakeNode(5, true, 2, 0), MakeNode(6, false), MakeNode(7, false)};
    // 1 <-> 2, 2 <-> 3 (own port), 1 <-> 4 (enemy port), 2 <-> 5 (neutral
    // port), 2 -> 6 through the ally's gate, 6 -> 7 through the enemy's
    // gate; nothing leads to 7 otherwise.
    Edge(s, 1, 2);
    Edge(s, 2, 1);
    Edge(s, 2, 3);
    Edge(s, 3, 2);
    Edge(s, 1, 4);
    Edge(s, 4, 1);
    Edge(s, 2, 5);
    Edge(s, 5, 2);
    Edge(s, 2, 6, 3, 0);
    Edge(s, 6, 7, 4, 0);
  }
  GameFixture g;
};

TEST_F(SeaRoutes, RoutesRunFromTheDestinationBackToTheSource) {
  struct sCase {
    int from, to, country;
    bool strict;
    std::vector<int> route;  // empty: no route
  };
  const sCase cases[] = {
      {1, 3, 1, true, {3, 2, 1}},
      {3, 3, 1, true, {3}},        // source is destination
      {1, 4, 1, false, {}},        // an enemy port is never entered
      {1, 5, 1, false, {5, 2, 1}},  // a neutral port is open without strict ports
      {1, 5, 1, true, {}},          // but not with them
      {1, 5, 3, true, {}},
      {3, 6, 2, true, {6, 2, 3}},  // the ally holds the gate
      {1, 6, 3, false, {}},        // the enemy does not
      {1, 7, 1, false, {}},        // the enemy's gate closes the way
      {1, 7, 3, false, {}},        // the ally's gate closes it for the enemy
      {7, 1, 1, false, {}},        // no edge leaves node 7
      {4, 3, 3, false, {}},        // port 3 belongs to the enemy of 3
      {4, 1, 3, false, {1, 4}},
      {1, 99, 1, false, {}},       // no such node
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << "->" << c.to << " for " << c.country << (c.strict ? " strict" : ""));
    std::vector<int> route{42};
    EXPECT_EQ(g.game->seaGraph.FindSeaRoute(c.from, c.to, c.country, c.strict, route), !c.route.empty());
    EXPECT_EQ(route, c.route);
  }
}

TEST_F(SeaRoutes, QueriesOfNodesAndEdges) {
  cGrafMorz& s = g.game->seaGraph;
  EXPECT_EQ(s.FindSeaNodeAtHex(1, 0), 4);
  EXPECT_EQ(s.FindSeaNodeAtHex(5, 5), -1);
  EXPECT_EQ(s.FindAdjacentSeaZone(3), 2);
  EXPECT_EQ(s.FindAdjacentSeaZone(1), 2);
  EXPECT_EQ(s.FindAdjacentSeaZone(7), -1);
  EXPECT_TRUE(s.IsEdgePassable(2, 6, 1));
  EXPECT_FALSE(s.IsEdgePassable(2, 6, 3));
  EXPECT_FALSE(s.IsEdgePassable(1, 3, 1));
  s.FindNode(2)->AddConvoyPassage(3);
  EXPECT_TRUE(s.FindNode(2)->HadConvoyOfCountry(3));
  EXPECT_FALSE(s.FindNode(2)->HadConvoyOfCountry(1));
  s.ClearConvoyPassages();
  EXPECT_FALSE(s.FindNode(2)->HadConvoyOfCountry(3));
}

// The route search as a queue that takes a node again every time it is
// reached, checked against the search of the game.
bool ReferenceRoute(cGrafMorz& s, int from, int to, int country, bool strict, std::vector<int>& route) {
  route.clear();
  for (auto& n : s.nodes) n.routeDistance = n.routePredecessor = -1;
  s.FindNode(from)->routeDistance = 0;
  s.FindNode(from)->routePredecessor = 0;
  std::deque<int> queue{from};
  while (!queue.empty()) {
    const sWezelGrafuMorz& a = *s.FindNode(queue.front());
    queue.pop_front();
    for (const auto& e : a.edges) {
      sWezelGrafuMorz& b = *s.FindNode(e.target);
      if (e.gateX != -1 && !gGra->map->GetHex(e.gateX, e.gateY)->IsFriendlyTo(country)) continue;
      if (b.routeDistance != -1 && b.routeDistance <= a.routeDistance) continue;
      if (b.IsPort()) {
        const sHex* m = gGra->map->GetHex(b.mainX, b.mainY);
        if (strict ? !m->IsFriendlyTo(country) : gGra->relations.IsAtWar(m->controller, country) != 0) continue;
      }
      b.routePredecessor = a.id;
      b.routeDistance = a.routeDistance + 1;
      queue.push_back(b.id);
    }
  }
  if (s.FindNode(to)->routeDistance == -1) return false;
  for (int id = to; id != from; id = s.FindNode(id)->routePredecessor) route.push_back(id);
  route.push_back(from);
  return true;
}

TEST_F(SeaRoutes, MatchesAQueueThatRevisitsNodesOnRandomGraphs) {
  world_test::FieldDice dice(7);
  for (int round = 0; round < 60; ++round) {
    cGrafMorz& s = g.game->seaGraph;
    const int n = 3 + dice.Below(9);
    s.nodes.clear();
    for (int id = 1; id <= n; ++id) s.nodes.push_back(MakeNode(id, dice.Below(3) == 0, dice.Below(5), 0));
    const int edges = dice.Below(n * 3);
    for (int e = 0; e < edges; ++e)
      Edge(s, 1 + dice.Below(n), 1 + dice.Below(n), dice.Below(4) == 0 ? dice.Below(5) : -1, 0);
    for (int from = 1; from <= n; ++from)
      for (int to = 1; to <= n; ++to)
        for (int country = 1; country <= 4; ++country)
          for (bool strict : {false, true}) {
            std::vector<int> want, got;
            const bool ok = ReferenceRoute(s, from, to, country, strict, want);
            ASSERT_EQ(s.FindSeaRoute(from, to, country, strict, got), ok) << round << ": " << from << "->" << to;
            ASSERT_EQ(got, want) << round << ": " << from << "->" << to;
          }
  }
}

TEST_F(SeaRoutes, TheLaterNodeOfALevelBecomesThePredecessor) {
  cGrafMorz& s = g.game->seaGraph;
  s.nodes = {MakeNode(1, false), MakeNode(2, false), MakeNode(3, false), MakeNode(4, false)};
  Edge(s, 1, 2);
  Edge(s, 1, 3);
  Edge(s, 2, 4);
  Edge(s, 3, 4);
  std::vector<int> route;
  ASSERT_TRUE(s.FindSeaRoute(1, 4, 1, false, route));
  EXPECT_EQ(route, (std::vector<int>{4, 3, 1}));
}

// ---- naval visibility ----------------------------------------------------------------

class NavalVisibility : public ::testing::Test {
 protected:
  // Country 1 views; 2 is its ally, 3 its enemy, 4 neutral.
  NavalVisibility() : g(6, 6, 0) {
    g.AddCountry(1);
    g.AddCountry(4);
    g.AddCountry(2);
    g.AddCountry(0);
    g.SetWar(1, 3);
    g.hex(0, 0).controller = 1;
    cGrafMorz& s = g.game->seaGraph;
    s.nodes = {MakeNode(1, false), MakeNode(2, true, 0, 0)};
    s.FindNode(1)->name = L"Channel";
    saved_ = gProgramSettings.fogOfWar;
    gProgramSettings.fogOfWar = 3;
  }
  ~NavalVisibility() override { gProgramSettings.fogOfWar = saved_; }

  sFlota* Fleet(int country, int node, std::initializer_list<int> types) {
    auto* f = new sFlota();
    f->countryId = country;
    f->seaNode = node;
    for (int t : types) {
      auto* ship = new cJednostkaMorska();
      ship->SetType(t);
      ship->countryId = country;
      ship->fleet = f;
      ship->hitPoints = ship->maxHitPoints = 5;
      f->ships.push_back(ship);
      g.game->navalUnits.push_back(ship);
    }
    g.game->fleets.push_back(f);
    return f;
  }
  std::vector<cJednostkaMorska*> Ships(const sFlota* f) { return {f->ships.begin(), f->ships.end()}; }
  sWezelGrafuMorz& Node(int id) { return *g.game->seaGraph.FindNode(id); }

  GameFixture g;
  LogCapture log;
  int saved_;
};

TEST_F(NavalVisibility, WithoutFogOfWarEveryShipIsCountedAndSeen) {
  gProgramSettings.fogOfWar = 0;
  Fleet(1, 1, {40, 41});
  Fleet(2, 1, {42});
  sFlota* enemy = Fleet(3, 1, {43, 43, 44});
  Fleet(4, 1, {45});  // neutral: not counted
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  const sWezelGrafuMorz& n = Node(1);
  EXPECT_EQ(g.game->seaGraph.viewingCountry, 1);
  EXPECT_EQ(std::vector<int>(n.shipCounters[kOwnShips], n.shipCounters[kOwnShips] + 6),
            (std::vector<int>{1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(n.shipCounters[kAlliedShips][2], 1);
  EXPECT_EQ(std::vector<int>(n.shipCounters[kSpottedEnemyShips], n.shipCounters[kSpottedEnemyShips] + 6),
            (std::vector<int>{0, 0, 0, 2, 1, 0}));
  EXPECT_EQ(n.CountFriendlyShips(), 2);
  EXPECT_EQ(n.CountSpottedEnemyShips(), 3);
  for (cJednostkaMorska* s : Ships(enemy)) EXPECT_EQ(s->spottedLevel, 6);
  EXPECT_NE(n.enemyShip, nullptr);
  EXPECT_NE(n.friendlyShip, nullptr);
  EXPECT_TRUE(log.Has(L"Chance of spotting enemy unit = 100"));
  EXPECT_TRUE(log.Has(L"Calculating naval units visibility for zone Channel (ID=1)"));
}

TEST_F(NavalVisibility, AFixedSeedSpotsTheShipsItsDrawsAllow) {
  sConsts& c = g.game->countries[0]->consts;
  c.c165 = 30;                                   // base chance
  c.c166[0] = 1, c.c166[1] = 2, c.c166[2] = 4;   // friendly above 1: +4 per 2
  c.c166Field4 = 3;                              // per own or allied carrier
  c.c167[0] = 2, c.c167[1] = 1, c.c167[2] = 5;   // enemies above 2: +5 each
  Fleet(1, 1, {40, 41, 42});
  Fleet(2, 1, {40, 44});
  sFlota* enemy = Fleet(3, 1, {41, 42, 43, 43, 44, 45});
  // friendly 5: (5-1)/2*4 = 8; enemy 6: (6-2)/1*5 = 20; carriers 2*3 = 6.
  const int chance = 30 + 8 + 20 + 6;

  for (uint32_t seed : {1u, 99u, 12345u}) {
    SCOPED_TRACE(seed);
    log.Clear();
    SeedRandom(seed);
    g.game->seaGraph.RecalculateNavalVisibility(1, false);
    EXPECT_TRUE(log.Has(L"Chance of spotting enemy unit = " + std::to_wstring(chance)));
    // The same draws again, by hand.
    SeedRandom(seed);
    std::vector<cJednostkaMorska*> seen;
    for (cJednostkaMorska* s : Ships(enemy)) {
      const bool spotted = RandomInRange(0, 100) <= chance;
      EXPECT_EQ(s->spottedLevel, spotted ? 6 : 0);
      if (spotted) seen.push_back(s);
    }
    EXPECT_EQ(Node(1).CountSpottedEnemyShips(), static_cast<int>(seen.size()));
    cJednostkaMorska* shown = seen.empty() ? nullptr : seen[static_cast<size_t>(RandomIndex(static_cast<int>(seen.size())))];
    EXPECT_EQ(Node(1).enemyShip, shown);
  }

  // The incremental pass keeps ships already seen and rolls only the others.
  std::vector<cJednostkaMorska*> ships = Ships(enemy);
  for (size_t i = 0; i < ships.size(); ++i) ships[i]->spottedLevel = i < 2 ? 6 : 0;
  for (int& n : Node(1).shipCounters[kSpottedEnemyShips]) n = 0;
  Node(1).shipCounters[kSpottedEnemyShips][1] = 1;
  Node(1).shipCounters[kSpottedEnemyShips][2] = 1;
  SeedRandom(5);
  g.game->seaGraph.RecalculateNavalVisibility(1, true);
  SeedRandom(5);
  int counted = 2;
  for (size_t i = 2; i < ships.size(); ++i) {
    const bool spotted = RandomInRange(0, 100) <= chance;
    EXPECT_EQ(ships[i]->spottedLevel, spotted ? 6 : 0);
    counted += spotted ? 1 : 0;
  }
  EXPECT_EQ(ships[0]->spottedLevel, 6);
  EXPECT_EQ(Node(1).CountSpottedEnemyShips(), counted);
}

TEST_F(NavalVisibility, AZeroStepOfTheDetectionChanceAddsNothing) {
  sConsts& c = g.game->countries[0]->consts;
  c.c165 = 20;
  c.c166[0] = 0, c.c166[1] = 0, c.c166[2] = 50;  // a step of 0 would divide by zero
  c.c167[0] = 0, c.c167[1] = 0, c.c167[2] = 50;
  c.c166Field4 = 7;
  Fleet(1, 1, {40, 41});
  Fleet(3, 1, {42});
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  EXPECT_TRUE(log.Has(L"Chance of spotting enemy unit = 27"));
  c.c165 = -50;
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  EXPECT_TRUE(log.Has(L"Chance of spotting enemy unit = 0"));
}

TEST_F(NavalVisibility, PortsHideForeignFleetsUnlessReconLooks) {
  gProgramSettings.fogOfWar = 0;
  Fleet(1, 2, {41});
  Fleet(2, 2, {42});
  Fleet(3, 2, {43});
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  EXPECT_EQ(Node(2).CountFriendlyShips(), 1);
  EXPECT_EQ(Node(2).shipCounters[kAlliedShips][2], 0);
  EXPECT_EQ(Node(2).CountSpottedEnemyShips(), 0);
  {
    cPortConcealmentOff look;
    Node(2).CalcNavalVisibilityFor(1, false);
  }
  EXPECT_TRUE(gPortConcealment);
  EXPECT_EQ(Node(2).shipCounters[kAlliedShips][2], 1);
  EXPECT_EQ(Node(2).CountSpottedEnemyShips(), 1);
  EXPECT_EQ(Node(2).enemyShip, nullptr);  // no enemy is shown at a port
}

TEST_F(NavalVisibility, AFleetLeavingTakesItsShipsOffTheCounters) {
  gProgramSettings.fogOfWar = 0;
  sFlota* a = Fleet(1, 1, {41, 41});
  sFlota* b = Fleet(1, 1, {42});
  sFlota* foreign = Fleet(2, 1, {42});
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  Node(1).RemoveFleetFromCounters(*foreign);
  EXPECT_EQ(Node(1).CountFriendlyShips(), 3);
  a->seaNode = 2;
  Node(1).RemoveFleetFromCounters(*a);
  EXPECT_EQ(Node(1).shipCounters[kOwnShips][1], 0);
  EXPECT_EQ(Node(1).CountFriendlyShips(), 1);
  // The ship shown is one still at the node.
  ASSERT_NE(Node(1).friendlyShip, nullptr);
  EXPECT_NE(Node(1).friendlyShip->fleet, a);
  (void)b;
}

TEST_F(NavalVisibility, AnUnknownShipTypeIsAFatalDataError) {
  sFlota* f = Fleet(1, 1, {41});
  f->ships.front()->type = 47;
  EXPECT_EXIT((LogToStderr(), g.game->seaGraph.RecalculateNavalVisibility(1, false)), ::testing::ExitedWithCode(1),
              "ERROR: Unknown naval unit type \\(47\\) while calculating ships for node id=1");
}

TEST_F(NavalVisibility, TheHintBoxListsNameCountsAndPortSize) {
  gProgramSettings.fogOfWar = 0;
  Fleet(1, 2, {40, 44, 44});
  g.game->seaGraph.RecalculateNavalVisibility(1, false);
  Node(2).name = L"Home";
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  fe.layoutRects[kSeaNodeHintLayoutId] = {0, 0, 180, 90};
  int w = 0, h = 0;
  Node(2).GetHoverExtent(w, h);
  EXPECT_EQ(w, 180);
  EXPECT_EQ(h, 90);
  Node(2).DrawHoverInfo(10, 20);
  ASSERT_EQ(fe.Count("DrawHoverBox"), 1);
  EXPECT_EQ(fe.calls.back().text, L"Home\n1 0 0 0 2 0\n0 0 0 0 0 0\n3/3\n");
  EXPECT_EQ(fe.calls.back().value, 1);  // the port is held by the viewer
  g.hex(0, 0).controller = 3;
  Node(2).DrawHoverInfo(10, 20);
  EXPECT_EQ(fe.calls.back().value, 0);
}

// ---- interceptors over a node ----------------------------------------------------------

TEST_F(NavalVisibility, TheStrongestCarrierOrFighterInReachIntercepts) {
  for (cPanstwo* c : g.game->countries) {
    c->consts.carrierMinHitPoints = 3;
    c->consts.c145 = 2;  // naval air range
    c->consts.c060 = 10;  // a fighter needs more than 5 strength
  }
  g.game->consts.supplyTable[sConsts::kInterceptionBonusTable][4] = 2;
  for (int x = 0; x < 6; ++x) g.hex(x, 5).terrain = kTerrainSea, g.hex(x, 5).seaZone = 1;

  sFlota* carriers = Fleet(3, 1, {40, 40, 40, 41});
  std::vector<cJednostkaMorska*> cs = Ships(carriers);
  cs[0]->hitPoints = 2;   // below the minimum
  cs[1]->hitPoints = 7;
  cs[2]->hitPoints = 7;   // equal power: the first stays
  cs[3]->hitPoints = 99;  // no carrier
  cs[0]->SetName(L"Low");
  cs[1]->SetName(L"First");
  EXPECT_EQ(Node(1).FindInterceptor(1), cs[1]);
  EXPECT_EQ(Node(1).FindInterceptor(3), nullptr);  // nobody at war with 3 stands here
  EXPECT_TRUE(log.Has(L"Possible interceptor: First, power: 7"));
  EXPECT_EQ(log.CountContaining(L"Possible interceptor: Low"), 0);

  // A fighter: bonus 2 + level 2 + strength 6 = 10 beats the carriers.
  auto* fighter = unit_test::PlaceAir(g, 3, 2, 3, 6);
  fighter->level = 2;
  fighter->supply = 4;
  fighter->SetName(L"Hawk");
  log.Clear();
  EXPECT_EQ(Node(1).FindInterceptor(1), fighter);
  EXPECT_TRUE(log.Has(L"Searching for interceptor from land based airunit"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: Hawk, power: 10"));
  fighter->strength = 5;  // not more than half of 10
  EXPECT_EQ(Node(1).FindInterceptor(1), cs[1]);
  fighter->strength = 6;
  fighter->y = 0;  // three rows from the sea: out of naval reach
  g.hex(2, 3).unit = nullptr;
  EXPECT_EQ(Node(1).FindInterceptor(1), cs[1]);

  log.Clear();
  for (cJednostkaMorska* s : cs) s->hitPoints = 0;
  EXPECT_EQ(Node(1).FindInterceptor(1), nullptr);
  const std::vector<std::wstring> lines = log.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], L"Searching for interceptor finished, no interceptor found");
  EXPECT_EQ(lines.back(), L"Searching for interceptor finished");
}

}  // namespace
