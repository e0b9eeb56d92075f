// The computer player's sea transport of idle units to fronts and its
// paratroop drops, on small hand-made maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

namespace {

using world_test::GameFixture;

// Country 1 plays (axis), country 2 is its enemy (allies); every plain hex
// costs 10 to enter.
class AiWorld : public ::testing::Test {
 protected:
  AiWorld(int width, int height) : g(width, height, 3) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      for (int t = 0; t < 8; ++t) c->consts.c015[t] = 10;
      c->consts.c132[0] = 1;
      c->consts.c132[1] = 3;
      c->consts.c132[2] = 7;
    }
    g.game->countries[0]->alliance = 2;
    g.game->countries[1]->alliance = 1;
    g.game->countries[2]->alliance = 2;
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    g.game->state = kStateComputerPlays;
    g.game->selection.currentCountry = g.game->countries[0];
    savedDelays = delayValues;
    delayValues.fill(0.0f);
    SetFrontEnd(&fe);
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
    InitStrategicMovement();
  }
  ~AiWorld() override {
    SetFrontEnd(nullptr);
    SetAirSuperiorityRatioSource(nullptr);
    delayValues = savedDelays;
    InitStrategicMovement();
  }
  cPanstwo& Me() { return *g.game->countries[0]; }
  void Link(cMiasto* from, cMiasto* to) {
    auto& nodes = g.game->citiesDiagram.nodes;
    nodes[static_cast<size_t>(from->diagramIndex)].links.push_back({to->diagramIndex, kDiagramLinkLand});
    nodes[static_cast<size_t>(to->diagramIndex)].links.push_back({from->diagramIndex, kDiagramLinkLand});
  }
  sWezelDiagramuMiast* Node(const cMiasto* city) { return g.game->citiesDiagram.NodeOf(city); }
  sAiFront& AddFront(const wchar_t* name, float ratio, std::initializer_list<const cMiasto*> cities) {
    sAiFront& f = ai->fronts.emplace_back();
    f.name = name;
    f.ratio = ratio;
    for (const cMiasto* c : cities) f.nodes.push_back(Node(c));
    return f;
  }
  unit_test::ValuedLandUnit* Unit(int country, int x, int y, int type, int ap, const wchar_t* name = L"Unit") {
    unit_test::ValuedLandUnit* u = unit_test::PlaceLand(g, country, x, y, 10.0f, name);
    u->SetType(type);
    u->actionPoints = u->startingActionPoints = ap;
    return u;
  }
  bool InGameList(const cJednostkaLadowa* u) const {
    const auto& l = g.game->landUnits;
    return std::find(l.begin(), l.end(), u) != l.end();
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cLogCapture log;
  cAI* ai = nullptr;
  decltype(delayValues) savedDelays{};
};

// ---- sea transport ----------------------------------------------------------

// Home port H (1, 1) in the west, on its own land with the city I; front
// port F (8, 1) beside the enemy city E (10, 1); a sea zone between H and F.
// Regions: columns 0-4 H, 5-8 F, 9-11 E; I at (3, 3) has columns 2-4 of
// rows 3-4.
class AiTransport : public AiWorld {
 protected:
  AiTransport() : AiWorld(12, 5) {
    home = unit_test::AddCity(g, 1, 1, kCityPort, 1, L"H");
    inland = unit_test::AddCity(g, 3, 3, kCityRegular, 1, L"I");
    front = unit_test::AddCity(g, 8, 1, kCityPort, 1, L"F");
    enemy = unit_test::AddCity(g, 10, 1, kCityRegular, 2, L"E");
    // A port of its own that no sea route reaches.
    gate = unit_test::AddCity(g, 6, 3, kCityPort, 1, L"G");
    homeNode = naval_test::AddPort(g, 1, 1, 5, 1);
    frontNode = naval_test::AddPort(g, 8, 1, 5, 1);
    zone = naval_test::AddZone(g, 5, 4);
    gateNode = naval_test::AddPort(g, 6, 3, 5, 1);
    g.hex(6, 3).seaNodeMarker = static_cast<uint16_t>(gateNode);
    g.hex(1, 1).seaNodeMarker = static_cast<uint16_t>(homeNode);
    g.hex(8, 1).seaNodeMarker = static_cast<uint16_t>(frontNode);
    naval_test::TwoWay(g, homeNode, zone);
    naval_test::TwoWay(g, zone, frontNode);
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    Link(home, inland);
    Link(front, enemy);
    auto& regions = g.game->selection.cityRegions;
    regions.assign(60, nullptr);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 12; ++x)
        regions[static_cast<size_t>(y * 12 + x)] = x < 5 ? (y >= 3 && x >= 2 ? inland : home) : x < 9 ? front : enemy;
    for (cMiasto* c : g.game->cities) c->ComputeHops();
    StoreCountryTopography(1, {{home, inland}, {front}});
    Me().seaTransportPoints = 20;
    for (int& cost : Me().consts.seaTransportCost) cost = 5;
    for (cPanstwo* c : g.game->countries) c->consts.shipHitPoints[kTypeCargo - 40] = 3;
  }
  unit_test::ValuedLandUnit* Idle(int x, int y, int ap = 10, const wchar_t* name = L"Idle") {
    unit_test::ValuedLandUnit* u = Unit(1, x, y, 0, ap, name);
    u->supplySourceX = home->x;
    u->supplySourceY = home->y;
    u->aiOrder = 3;
    return u;
  }
  void Run() {
    ai->BuildUnitLists();
    ai->TransportUnitsToFronts();
  }
  bool InOwnList(const cJednostkaLadowa* u) const {
    return std::find(ai->ownLandUnits.begin(), ai->ownLandUnits.end(), u) != ai->ownLandUnits.end();
  }

  cMiasto *home, *inland, *front, *enemy, *gate;
  int homeNode, frontNode, zone, gateNode;
};

TEST_F(AiTransport, AnIdleUnitInThePortSailsForTheFrontPort) {
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  unit_test::ValuedLandUnit* u = Idle(1, 1);
  u->spottedLevel = 5;
  Run();

  ASSERT_NE(u->transport, nullptr);
  EXPECT_FALSE(InGameList(u));
  EXPECT_FALSE(InOwnList(u));
  EXPECT_EQ(g.game->transportedUnits.size(), 1u);
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  EXPECT_EQ(u->aiOrder, 11);
  sFlota* fleet = u->transport->fleet;
  ASSERT_NE(fleet, nullptr);
  EXPECT_EQ(fleet->order, 3);
  EXPECT_EQ(fleet->seaNode, homeNode);
  EXPECT_EQ(fleet->destinationNode, frontNode);
  EXPECT_EQ(u->transport->type, kTypeCargo);
  EXPECT_EQ(Me().seaTransportPoints, 15);
  EXPECT_TRUE(log.Has(L"Idle meets all conditions and will be loaded onto transport to go to front"));
  // F is a front port but no other front port is reached from it: only H embarks.
  EXPECT_TRUE(log.Has(L"tempus7 C1: polaczenie H -> F jest!"));
  EXPECT_EQ(log.CountContaining(L"tempus7"), 1);
  // Seen and shown: centred on the port, with the pauses around the loading.
  EXPECT_TRUE(log.Has(L"CenterAtHex"));
  EXPECT_GE(fe.Count("Delay"), 2);
}

TEST_F(AiTransport, AUnitAwayFromThePortWalksThereAndWaits) {
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  unit_test::ValuedLandUnit* walker = Idle(3, 1, 30, L"Walker");
  // Without action points it cannot move: ready, but it cannot embark.
  unit_test::ValuedLandUnit* tired = Idle(0, 3, 0, L"Tired");
  Run();

  EXPECT_EQ(walker->aiOrder, 10);
  EXPECT_EQ(walker->aiTargetX, 1);
  EXPECT_EQ(walker->aiTargetY, 1);
  EXPECT_EQ(walker->x, 1);
  EXPECT_EQ(walker->y, 1);
  EXPECT_EQ(walker->transport, nullptr);
  EXPECT_EQ(tired->aiOrder, 11);
  EXPECT_EQ(tired->transport, nullptr);
  EXPECT_TRUE(InOwnList(tired));
  EXPECT_TRUE(g.game->fleets.empty());
  EXPECT_EQ(Me().seaTransportPoints, 20);
}

TEST_F(AiTransport, EachUnitHeadsForTheEmbarkationPortFewestHopsAway) {
  // J, first in the city list, lies one hop beyond H; its region is its own hex.
  cMiasto* j = unit_test::AddCity(g, 0, 4, kCityPort, 1, L"J");
  g.game->cities.remove(j);
  g.game->cities.push_front(j);
  const int jNode = naval_test::AddPort(g, 0, 4, 5, 1);
  g.hex(0, 4).seaNodeMarker = static_cast<uint16_t>(jNode);
  naval_test::TwoWay(g, jNode, zone);
  g.game->citiesDiagram.AddCityNodes({j});
  Link(home, j);
  for (cMiasto* c : g.game->cities) c->ComputeHops();
  g.game->selection.cityRegions[4 * 12 + 0] = j;
  StoreCountryTopography(1, {{j, home, inland}, {front}});
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  unit_test::ValuedLandUnit* fromInland = Idle(3, 4, 0, L"FromInland");
  unit_test::ValuedLandUnit* onJ = Idle(0, 4, 10, L"OnJ");
  Run();
  EXPECT_TRUE(log.Has(L"tempus7 C1: polaczenie J -> F jest!"));
  // I is one hop from H and two from J.
  EXPECT_EQ(fromInland->aiTargetX, home->x);
  EXPECT_EQ(fromInland->aiTargetY, home->y);
  // One hop away it goes there by a strategic move, which ends its impulse.
  EXPECT_EQ(fromInland->aiOrder, 10);
  EXPECT_LE(HexDistance(fromInland->x, fromInland->y, home->x, home->y), 1);
  ASSERT_NE(onJ->transport, nullptr);
  EXPECT_EQ(onJ->transport->fleet->seaNode, jNode);
  EXPECT_EQ(onJ->transport->fleet->destinationNode, frontNode);
}

TEST_F(AiTransport, UnitsWithoutAWayToAPortKeepTheirOrder) {
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  // Its supply city lies in another group than H: no strategic move there.
  unit_test::ValuedLandUnit* cut = Idle(2, 0, 10, L"Cut");
  cut->supplySourceX = front->x;
  cut->supplySourceY = front->y;
  // No region city at all.
  unit_test::ValuedLandUnit* lost = Idle(4, 0, 10, L"Lost");
  g.game->selection.cityRegions[4] = nullptr;
  unit_test::ValuedLandUnit* able = Idle(1, 1, 10, L"Able");
  Run();
  EXPECT_NE(able->transport, nullptr);
  EXPECT_EQ(cut->aiOrder, 3);
  EXPECT_EQ(lost->aiOrder, 3);
  EXPECT_EQ(g.game->fleets.size(), 1u);
}

TEST_F(AiTransport, LackingPointsLeaveExactlyOneSeaTransportPurchaseAtTheEnd) {
  struct Case {
    std::list<int32_t> before;
    int units;
    std::list<int32_t> after;
  };
  const Case cases[] = {
      {{}, 1, {1}},
      {{1, 5, 1, 7}, 1, {5, 7, 1}},
      {{4, 1}, 3, {4, 1}},
      {{1}, 2, {1}},
  };
  for (const Case& k : cases) {
    ai->fronts.clear();
    AddFront(L"Front miasta F", 0.5f, {front, enemy});
    Me().seaTransportPoints = 4;
    Me().ai.purchaseQueue = k.before;
    std::vector<cJednostkaLadowa*> units;
    // On the port and beside it: each is ready at once.
    const int spots[3][2] = {{1, 1}, {1, 0}, {0, 1}};
    for (int i = 0; i < k.units; ++i) units.push_back(Idle(spots[i][0], spots[i][1]));
    Run();
    EXPECT_EQ(Me().ai.purchaseQueue, k.after) << k.units;
    EXPECT_EQ(Me().seaTransportPoints, 4);
    for (cJednostkaLadowa* u : units) {
      EXPECT_EQ(u->aiOrder, 11);
      EXPECT_EQ(u->transport, nullptr);
      g.hex(u->x, u->y).unit = nullptr;
      g.game->landUnits.remove(u);
      delete u;
    }
    EXPECT_TRUE(g.game->fleets.empty());
  }
}

TEST_F(AiTransport, WithoutFrontsOrIdleUnitsNothingHappens) {
  // Ready to embark from an earlier impulse, by the port.
  unit_test::ValuedLandUnit* ready = Idle(1, 1);
  ready->aiOrder = 11;
  Run();
  EXPECT_TRUE(log.Has(L"No open fronts... aborting procedure."));
  EXPECT_EQ(ready->transport, nullptr);

  log.Clear();
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  Run();
  EXPECT_TRUE(log.Has(L"No own idle land units (idle = no order). Aborting procedure."));
  EXPECT_EQ(ready->transport, nullptr);
  EXPECT_EQ(ready->aiOrder, 11);
  EXPECT_TRUE(g.game->fleets.empty());
}

TEST_F(AiTransport, FrontsAreSortedWeakestFirstEqualsKeepTheirOrder) {
  AddFront(L"a", 0.9f, {enemy});
  AddFront(L"b", 0.2f, {enemy});
  AddFront(L"c", 0.9f, {enemy});
  AddFront(L"d", 0.5f, {enemy});
  Idle(3, 1);
  Run();
  std::vector<std::wstring> names;
  for (const sAiFront& f : ai->fronts) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"b", L"d", L"a", L"c"}));
  EXPECT_TRUE(log.Has(L"Front (b), miasta: 1, Przewaga=0.20"));
  EXPECT_LT(log.IndexOf(L"Fronts before sort:"), log.IndexOf(L"Fronts after sort:"));
}

TEST_F(AiTransport, WithoutAFrontPortAReadyUnitIsNotLoaded) {
  // F is no port: no port reaches the front, so there is nowhere to sail.
  front->type = kCityRegular;
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  unit_test::ValuedLandUnit* ready = Idle(1, 1, 10, L"Ready");
  ready->aiOrder = 11;
  unit_test::ValuedLandUnit* idle = Idle(3, 1, 10, L"Other");
  Run();
  EXPECT_EQ(ready->transport, nullptr);
  EXPECT_TRUE(InGameList(ready));
  EXPECT_EQ(g.hex(1, 1).unit, ready);
  EXPECT_EQ(idle->aiOrder, 3);
  EXPECT_TRUE(g.game->fleets.empty());
  EXPECT_EQ(Me().seaTransportPoints, 20);
  EXPECT_TRUE(log.Has(L"Ready waits in port: no front port to sail to"));
}

TEST_F(AiTransport, AFrontHeldByOneBlockedCityIsNotServed) {
  AddFront(L"Front miasta F", 0.5f, {front, enemy});
  // Every land neighbour of F taken.
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    if (!g.map().HasNeighbour(8, 1, d)) continue;
    g.map().NeighbourCoords(8, 1, d, nx, ny);
    if (g.hex(nx, ny).unit == nullptr) Unit(2, nx, ny, 0, 0, L"Blocker");
  }
  ASSERT_TRUE(front->HasNoFreeNeighbourHex());
  unit_test::ValuedLandUnit* u = Idle(1, 1);
  Run();
  EXPECT_EQ(u->aiOrder, 3);
  EXPECT_EQ(log.CountContaining(L"tempus7"), 0);
  EXPECT_TRUE(g.game->fleets.empty());
}

TEST_F(AiTransport, TheWeakestFrontsPortsServeTheNextFrontAndSetTheDestination) {
  // G, reached by no sea route, is the front port of the weakest front. H embarks for F's front, but the ships sail for G, the
  // first front port found.
  AddFront(L"strong", 0.8f, {front, enemy});
  AddFront(L"weak", 0.1f, {gate});
  unit_test::ValuedLandUnit* u = Idle(1, 1);
  Run();
  ASSERT_NE(u->transport, nullptr);
  EXPECT_EQ(u->transport->fleet->destinationNode, gateNode);
  EXPECT_EQ(ai->fronts.front().name, L"weak");
}

// ---- paratroops -------------------------------------------------------------

// The airborne unit stands at (2, 2) with a drop range of 4. Enemy cities:
// T1 (5, 2) 5 VP 10 PP, T2 (4, 4) 5 VP 20 PP, Far (12, 2) 9 VP out of
// range. The front city N (3, 0) is country 1's.
class AiParatroops : public AiWorld {
 protected:
  AiParatroops() : AiWorld(14, 6) {
    for (cPanstwo* c : g.game->countries) {
      c->consts.c047[4] = 4;
      for (float& f : c->consts.airRangeTechFactor) f = 1.0f;
      c->consts.initialTurnsSinceDrop = 1;
    }
    for (int& l : g.game->consts.paratroopLosses) l = 0;
    t1 = City(5, 2, 2, 5, 10.0f, L"T1");
    t2 = City(4, 4, 2, 5, 20.0f, L"T2");
    far = City(12, 2, 2, 9, 50.0f, L"Far");
    near = City(3, 0, 1, 1, 1.0f, L"N");
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    AddFront(L"Front miasta N", 1.0f, {near});
    gRatio = -1.0f;
    SetAirSuperiorityRatioSource([](const cPanstwo&, int, int) {
      const float r = gRatio;
      gRatio = gNextRatio;
      return r;
    });
    gNextRatio = -1.0f;
  }
  cMiasto* City(int x, int y, int controller, int vp, float pp, const wchar_t* name) {
    cMiasto* c = unit_test::AddCity(g, x, y, kCityRegular, controller, name);
    c->victoryPoints = vp;
    c->productionPoints = pp;
    return c;
  }
  unit_test::ValuedLandUnit* Para(int country, int x, int y, int counter, int ap = 10, int startAp = 10,
                                  const wchar_t* name = L"Para") {
    unit_test::ValuedLandUnit* u = Unit(country, x, y, kTypeAirborne, ap, name);
    u->startingActionPoints = startAp;
    u->turnsFromLastParadrop = counter;
    return u;
  }
  static bool At(const cJednostka* u, const cMiasto* c) { return u->x == c->x && u->y == c->y; }

  static inline float gRatio = -1.0f;
  static inline float gNextRatio = -1.0f;
  cMiasto *t1, *t2, *far, *near;
};

TEST_F(AiParatroops, OnlyAUnitBelowThePreparationPeriodWithFullPointsDrops) {
  struct Case {
    int counter, ap, startAp;
    bool drops;
  };
  // Below the preparation period (1), not at or above it.
  const Case cases[] = {
      {0, 10, 10, true}, {1, 10, 10, false}, {4, 10, 10, false}, {0, 15, 20, false}, {0, 0, 0, false},
  };
  for (const Case& k : cases) {
    for (cMiasto* c : {t1, t2, far}) g.hex(c->x, c->y).SetController(2);
    unit_test::ValuedLandUnit* u = Para(1, 2, 2, k.counter, k.ap, k.startAp);
    ai->ParatroopsActions();
    if (k.drops) {
      EXPECT_TRUE(At(u, t2)) << k.counter << " " << k.ap;
      EXPECT_EQ(u->turnsFromLastParadrop, 0);
      EXPECT_EQ(g.hex(t2->x, t2->y).controller, 1);
      EXPECT_EQ(g.hex(2, 2).unit, nullptr);
    } else {
      EXPECT_FALSE(At(u, t1) || At(u, t2)) << k.counter << " " << k.ap;
      // Only a drop changes a computer unit's counter.
      EXPECT_EQ(u->turnsFromLastParadrop, k.counter);
      // Sent towards the front city when it can move at all.
      if (k.ap > 0) {
        EXPECT_LT(HexDistance(u->x, u->y, near->x, near->y), HexDistance(2, 2, near->x, near->y));
      }
    }
    g.hex(u->x, u->y).unit = nullptr;
    g.game->landUnits.remove(u);
    delete u;
  }
}

TEST_F(AiParatroops, AUnitAtThePeriodNeverDropsAndOneBelowItDropsEveryTime) {
  for (cPanstwo* c : g.game->countries) c->consts.initialTurnsSinceDrop = 3;
  ai->fronts.clear();  // nowhere to walk to
  unit_test::ValuedLandUnit* waiting = Para(1, 2, 2, 3);
  for (int impulse = 1; impulse <= 3; ++impulse) {
    ai->ParatroopsActions();
    EXPECT_EQ(waiting->x, 2) << impulse;
    EXPECT_EQ(waiting->turnsFromLastParadrop, 3) << impulse;
  }
  unit_test::ValuedLandUnit* ready = Para(1, 2, 3, 2);
  ai->ParatroopsActions();
  EXPECT_TRUE(At(ready, t2));
  EXPECT_EQ(ready->turnsFromLastParadrop, 0);
  ready->actionPoints = ready->startingActionPoints;
  ai->ParatroopsActions();
  EXPECT_TRUE(At(ready, t1));
  EXPECT_EQ(waiting->x, 2);
}

TEST_F(AiParatroops, TargetsRankByVictoryThenProductionThenStrengthSent) {
  struct Case {
    int vpA;
    float ppA, workA;
    int vpB;
    float ppB, workB;
    bool aFirst;
  };
  const Case cases[] = {
      {6, 1.0f, 9.0f, 5, 50.0f, 0.0f, true},  {5, 20.0f, 9.0f, 5, 10.0f, 0.0f, true},
      {5, 10.0f, 1.0f, 5, 10.0f, 2.0f, true}, {5, 10.0f, 2.0f, 5, 10.0f, 1.0f, false},
      {5, 10.0f, 1.0f, 5, 10.0f, 1.0f, false},
  };
  for (const Case& k : cases) {
    cMiasto a, b;
    a.victoryPoints = k.vpA;
    a.productionPoints = k.ppA;
    a.aiWorkValue = k.workA;
    b.victoryPoints = k.vpB;
    b.productionPoints = k.ppB;
    b.aiWorkValue = k.workB;
    EXPECT_EQ(CompareParatroopTargets(&a, &b), k.aFirst) << k.vpA << " " << k.ppA << " " << k.workA;
  }
}

TEST_F(AiParatroops, TakenForbiddenAndDistantCitiesAreNoTargets) {
  // T2 ranks first but holds a unit; T1 is on the do-not-attack list; Far
  // is out of range: no drop and no move.
  Unit(2, t2->x, t2->y, 0, 0, L"Garrison");
  t1->aiMayBeAttacked = 0;
  unit_test::ValuedLandUnit* u = Para(1, 2, 2, 0);
  ai->ParatroopsActions();
  EXPECT_EQ(u->x, 2);
  EXPECT_EQ(u->y, 2);
  EXPECT_EQ(u->actionPoints, 10);
  EXPECT_EQ(u->turnsFromLastParadrop, 0);

  // Allowed again, T1 is the one left in range.
  t1->aiMayBeAttacked = 1;
  ai->ParatroopsActions();
  EXPECT_TRUE(At(u, t1));
}

TEST_F(AiParatroops, AnEliminatedUnitLeavesTheListAndTheNextStillActs) {
  for (int& l : g.game->consts.paratroopLosses) l = 100;
  // The first drop meets the enemy's fighters, the second finds none.
  gRatio = 1.0f;
  gNextRatio = -1.0f;
  unit_test::ValuedLandUnit* first = Para(1, 2, 2, 0, 10, 10, L"First");
  unit_test::ValuedLandUnit* second = Para(1, 2, 3, 0, 10, 10, L"Second");
  unit_test::ValuedLandUnit* other = Para(3, 1, 4, 0, 10, 10, L"Other");
  ai->BuildUnitLists();
  ai->ParatroopsActions();
  EXPECT_EQ(g.game->landUnits.size(), 2u);
  EXPECT_EQ(g.hex(2, 2).unit, nullptr);
  EXPECT_TRUE(At(second, t2) || At(second, t1));
  EXPECT_EQ(second->turnsFromLastParadrop, 0);
  // Another computer country's paratroops wait for their own impulse.
  EXPECT_EQ(other->x, 1);
  EXPECT_EQ(other->turnsFromLastParadrop, 0);
  EXPECT_EQ(other->actionPoints, 10);
  // The lists were rebuilt without the dead unit.
  EXPECT_EQ(ai->ownLandUnits, (std::list<cJednostkaLadowa*>{second}));
  (void)first;
}

TEST_F(AiParatroops, AHumanPlayerHearsOfADropThatDidNotTakeTheCity) {
  g.game->countries[1]->humanControlled = 1;
  for (int& l : g.game->consts.paratroopLosses) l = 100;
  gRatio = 1.0f;
  Para(1, 2, 2, 0);
  ai->ParatroopsActions();
  ASSERT_EQ(fe.Count("ShowTextDialog"), 1);
  const auto shown = std::find_if(fe.calls.begin(), fe.calls.end(), [](const auto& c) { return c.name == "ShowTextDialog"; });
  EXPECT_EQ(shown->text.rfind(L"Paratroop drop - T2|", 0), 0u);
  EXPECT_EQ(shown->value, 684);
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 1);

  // A drop that takes the city leaves nothing to report to its former holder.
  fe.calls.clear();
  gRatio = -1.0f;
  Para(1, 2, 2, 0);
  ai->ParatroopsActions();
  EXPECT_EQ(g.hex(t2->x, t2->y).controller, 1);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
}

}  // namespace
