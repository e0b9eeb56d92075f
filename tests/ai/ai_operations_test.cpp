// The computer player's operational orders on small hand-drawn maps: the
// garrison rules in their order, the choice of garrisons, the front tasks,
// the ring walk for enemy cities, and the moves that carry the orders out.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/cities_diagram.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

namespace {

using world_test::GameFixture;

// Country 1 plays with its ally 3 against country 2; every land hex costs 10
// to enter. Regions are given by columns over all rows.
class OpsWorld {
 public:
  OpsWorld(int width, int height) : g(width, height, 3), width_(width), height_(height) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      for (int t = 0; t < 8; ++t) c->consts.c015[t] = 10;
    }
    g.game->countries[0]->alliance = kAllianceAllies;
    g.game->countries[1]->alliance = kAllianceAxis;
    g.game->countries[2]->alliance = kAllianceAllies;
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    g.game->selection.cityRegions.assign(static_cast<size_t>(width * height), nullptr);
    g.game->state = kStateComputerPlays;
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
    own = g.game->countries[0];
  }

  cMiasto* City(int x, int y, int type, int controller, int originalOwner, const wchar_t* name, int vp = 0) {
    cMiasto* c = unit_test::AddCity(g, x, y, type, controller, name);
    g.hex(x, y).originalOwner = static_cast<uint8_t>(originalOwner);
    c->victoryPoints = vp;
    return c;
  }
  // Nodes for every city, the land links both ways, and the hop counts.
  void Diagram(const std::vector<std::pair<cMiasto*, cMiasto*>>& links) {
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    auto& nodes = g.game->citiesDiagram.nodes;
    for (auto [a, b] : links) {
      nodes[static_cast<size_t>(a->diagramIndex)].links.push_back({b->diagramIndex, kDiagramLinkLand});
      nodes[static_cast<size_t>(b->diagramIndex)].links.push_back({a->diagramIndex, kDiagramLinkLand});
    }
    g.game->ComputeCityDistances();
  }
  void Region(cMiasto* city, int x0, int x1, int y0 = 0, int y1 = -1) {
    if (y1 < 0) y1 = height_ - 1;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) g.game->selection.cityRegions[static_cast<size_t>(y * width_ + x)] = city;
  }
  // Country 1 may move strategically between all of these cities.
  void Topography(const std::list<cMiasto*>& group) {
    InitStrategicMovement();
    StoreCountryTopography(1, {group});
  }
  void Control(int x0, int x1, int controller) {
    for (int y = 0; y < height_; ++y)
      for (int x = x0; x <= x1; ++x) {
        g.hex(x, y).controller = static_cast<uint8_t>(controller);
        g.hex(x, y).owner = static_cast<uint8_t>(controller);
      }
  }
  cJednostkaLadowa* Unit(int country, int x, int y, int type, int ap, float cost = 10.0f, const cMiasto* supply = nullptr) {
    cJednostkaLadowa* u = unit_test::PlaceLand(g, country, x, y, cost, (L"U" + std::to_wstring(++units_)).c_str());
    u->SetType(type);
    u->actionPoints = ap;
    // A unit that starts with points cannot step for free once they are gone.
    u->startingActionPoints = ap > 0 ? ap : 10;
    if (supply != nullptr) {
      u->supplySourceX = supply->x;
      u->supplySourceY = supply->y;
    }
    return u;
  }
  void Fronts() {
    ai->BuildUnitLists();
    ai->ComputeNodeStrengths();
    ai->UpdateFronts();
    ai->RateFronts();
  }
  static bool Targets(const cJednostkaLadowa* u, const cMiasto* c) { return u->aiTargetX == c->x && u->aiTargetY == c->y; }

  GameFixture g;
  cAI* ai = nullptr;
  cPanstwo* own = nullptr;

 private:
  int width_;
  int height_;
  int units_ = 0;
};

TEST(AiOperations, GarrisonRulesTakeTheFirstThatApplies) {
  OpsWorld w(14, 3);
  // On the front: C (threatened) and D (critical) next to the enemy's X;
  // H on a safe front next to Y.
  struct Case {
    int type, controller, originalOwner, vp, frontState;
    bool extra;
    int expected;  // -1 none, 0 small, 1 large
    const wchar_t* name;
  };
  const Case cases[] = {
      {0, 1, 1, 0, -1, false, 1, L"A"},   // home supply city
      {2, 1, 1, 0, -1, false, 1, L"B"},   // home supply port
      {1, 1, 1, 0, 1, false, 1, L"C"},    // threatened front
      {3, 1, 2, 0, 2, false, 1, L"D"},    // critical front before port
      {3, 1, 1, 0, -1, false, 0, L"E"},   // port
      {1, 1, 2, 5, -1, false, 0, L"F"},   // conquered, worth points
      {1, 1, 2, 0, -1, false, -1, L"G"},  // conquered, worth nothing
      {1, 1, 1, 0, 0, false, 0, L"H"},    // safe front
      {0, 2, 1, 0, -1, true, 0, L"I"},    // lost, but listed as extra
      {4, 1, 1, 9, -1, true, -1, L"J"},   // resource cities never
      {1, 2, 2, 5, -1, false, -1, L"K"},  // the enemy's
      {0, 1, 2, 0, -1, false, -1, L"L"},  // a conquered supply city
      {1, 3, 3, 5, 1, false, -1, L"M"},   // the ally's
  };
  std::vector<cMiasto*> cities;
  int x = 0;
  for (const Case& k : cases) {
    cMiasto* c = w.City(x++, 0, k.type, k.controller, k.originalOwner, k.name, k.vp);
    if (k.extra) w.own->ai.extraCitiesToGarrison.push_back(c);
    cities.push_back(c);
  }
  w.g.game->citiesDiagram.AddCityNodes(w.g.game->cities);
  for (size_t i = 0; i < std::size(cases); ++i) {
    if (cases[i].frontState < 0) continue;
    sAiFront f;
    f.state = cases[i].frontState;
    f.nodes.push_back(w.g.game->citiesDiagram.NodeOf(cities[i]));
    w.ai->fronts.push_back(f);
  }

  std::list<sGarrisonEntry> entries;
  w.ai->BuildGarrisonList(entries);
  auto it = entries.begin();
  for (size_t i = 0; i < std::size(cases); ++i) {
    if (cases[i].expected < 0) continue;
    ASSERT_NE(it, entries.end()) << WideToUtf8(cases[i].name);
    EXPECT_EQ(it->city, cities[i]) << WideToUtf8(cases[i].name);
    EXPECT_EQ(it->sizeClass, cases[i].expected) << WideToUtf8(cases[i].name);
    EXPECT_EQ(it->garrisoned, 0);
    EXPECT_EQ(it->held, 0);
    ++it;
  }
  EXPECT_EQ(it, entries.end());
}

// One city T to garrison at (1, 1) in the region of columns 0-3; N at (7, 1)
// holds the columns beyond, one hop away. Small units are type 0, large ones
// type 1; a unit without points cannot reach T this impulse.
TEST(AiOperations, GarrisonsChosenBySizeHopsAndDistance) {
  struct Placed {
    int type, x, y, ap;
  };
  struct Case {
    const char* what;
    bool needsLarge;
    std::vector<Placed> units;
    std::vector<int> orders;  // expected, in the order placed
  };
  const Case cases[] = {
      {"large needed, small strictly nearer, large cannot arrive", true, {{0, 2, 1, 0}, {1, 3, 1, 0}}, {2, 1}},
      {"large needed, small strictly nearer, large arrives", true, {{0, 2, 1, 0}, {1, 3, 1, 100}}, {3, 1}},
      {"large needed and nearer", true, {{0, 3, 1, 0}, {1, 2, 1, 0}}, {3, 1}},
      {"large needed, both as near", true, {{0, 1, 0, 0}, {1, 1, 2, 0}}, {3, 1}},
      {"large needed, only a small one", true, {{0, 2, 1, 0}}, {1}},
      {"small needed, large one hop nearer", false, {{0, 5, 1, 0}, {1, 2, 1, 0}}, {1, 2}},
      {"small needed, both as near", false, {{0, 1, 0, 0}, {1, 1, 2, 0}}, {1, 3}},
      {"small needed, only a large one", false, {{1, 6, 1, 0}}, {1}},
      {"other types are never sent", false, {{6, 2, 1, 0}, {5, 6, 1, 0}}, {3, 1}},
      {"a small unit holds a home supply city: the large one is sent however far", true,
       {{0, 1, 1, 0}, {1, 8, 1, 0}, {0, 2, 1, 0}}, {2, 1, 3}},
      {"a large unit garrisons it: nobody else is sent", true, {{1, 1, 1, 0}, {0, 2, 1, 0}, {1, 3, 1, 0}}, {1, 3, 3}},
  };
  for (const Case& k : cases) {
    OpsWorld w(10, 3);
    cMiasto* t = k.needsLarge ? w.City(1, 1, kCitySupply, 1, 1, L"T") : w.City(1, 1, kCityRegular, 1, 2, L"T", 3);
    cMiasto* n = w.City(7, 1, kCityRegular, 1, 1, L"N");
    w.Diagram({{t, n}});
    w.Region(t, 0, 3);
    w.Region(n, 4, 9);
    w.Topography({t, n});
    std::vector<cJednostkaLadowa*> units;
    for (const Placed& p : k.units) units.push_back(w.Unit(1, p.x, p.y, p.type, p.ap, 10.0f, n));
    w.Fronts();
    w.ai->AssignOperationalOrders();
    for (size_t i = 0; i < units.size(); ++i) {
      EXPECT_EQ(units[i]->aiOrder, k.orders[i]) << k.what << ", unit " << i;
      if (k.orders[i] == 1 || k.orders[i] == 2) {
        EXPECT_TRUE(OpsWorld::Targets(units[i], t)) << k.what << ", unit " << i;
        EXPECT_EQ(units[i]->aiUltimateTargetX, -1) << k.what;
      } else {
        EXPECT_EQ(units[i]->aiTargetX, -1) << k.what << ", unit " << i;
      }
    }
  }
}

TEST(AiOperations, AnObviousMoveKeepsItsCityUnlessAGarrisonEntryDecides) {
  OpsWorld w(10, 3);
  cMiasto* t = w.City(1, 1, kCitySupply, 1, 1, L"T");
  cMiasto* n = w.City(7, 1, kCityRegular, 1, 2, L"N");  // conquered, no points: no entry
  w.Diagram({{t, n}});
  w.Region(t, 0, 3);
  w.Region(n, 4, 9);
  cJednostkaLadowa* onN = w.Unit(1, 7, 1, 0, 0);
  cJednostkaLadowa* onT = w.Unit(1, 1, 1, 0, 0);
  for (cJednostkaLadowa* u : {onN, onT}) {
    u->aiOrder = 7;
    u->aiTargetX = u->x;
    u->aiTargetY = u->y;
  }
  cJednostkaLadowa* stale = w.Unit(1, 5, 0, 0, 0);
  stale->aiOrder = 12;
  stale->aiUltimateTargetX = stale->aiUltimateTargetY = 4;
  w.Fronts();
  w.ai->AssignOperationalOrders();
  EXPECT_EQ(onN->aiOrder, 2);
  EXPECT_TRUE(OpsWorld::Targets(onN, n));
  // T needs a large unit: the small one on it holds it.
  EXPECT_EQ(onT->aiOrder, 2);
  EXPECT_TRUE(OpsWorld::Targets(onT, t));
  // Every other order is gone; no front and no strategic move: order 3.
  EXPECT_EQ(stale->aiOrder, 3);
  EXPECT_EQ(stale->aiUltimateTargetX, -1);
  EXPECT_EQ(stale->aiUltimateTargetY, -1);
}

// A (1, 1) and B (4, 1) of country 1, the enemy's E1 (8, 0) and E2 (8, 2)
// beyond B: A-B-E1, B-E2. Regions: A columns 0-2, B 3-5, E1 columns 6-11 of
// rows 0-1, E2 of row 2.
class FrontTasks : public ::testing::Test {
 protected:
  FrontTasks() : w(12, 3) {
    a = w.City(1, 1, kCityRegular, 1, 1, L"A");
    b = w.City(4, 1, kCityRegular, 1, 1, L"B");
    e1 = w.City(8, 0, kCityRegular, 2, 2, L"E1");
    e2 = w.City(8, 2, kCityRegular, 2, 2, L"E2");
    w.Diagram({{a, b}, {b, e1}, {b, e2}});
    w.Region(a, 0, 2);
    w.Region(b, 3, 5);
    w.Region(e1, 6, 11, 0, 1);
    w.Region(e2, 6, 11, 2, 2);
    strong = w.Unit(1, 3, 0, 0, 10, 30.0f);
    weak = w.Unit(1, 5, 2, 0, 10, 20.0f);
  }

  OpsWorld w;
  cMiasto *a, *b, *e1, *e2;
  cJednostkaLadowa *strong, *weak;
  cLogCapture log;
};

TEST_F(FrontTasks, OnASafeFrontUnitsShareOutTheEnemyCities) {
  struct Case {
    const char* what;
    bool mayAttackE1;
    int maxUnits;
    int strongOrder, weakOrder;
    const cMiasto** strongTarget;
    const cMiasto** weakTarget;
  };
  const cMiasto* c1 = e1;
  const cMiasto* c2 = e2;
  const Case cases[] = {
      {"the second unit goes where less strength was sent", true, 15, 4, 4, &c1, &c2},
      {"a city not to be attacked is left out", false, 15, 4, 4, &c2, &c2},
      {"too many own units on the front: idle", true, -1, 8, 8, nullptr, nullptr},
  };
  for (const Case& k : cases) {
    w.own->ai.maxUnitCountOnFront = k.maxUnits;
    w.Fronts();
    ASSERT_EQ(w.ai->fronts.size(), 1u);
    ASSERT_EQ(w.ai->fronts.front().state, 0);
    e1->aiMayBeAttacked = k.mayAttackE1 ? 1 : 0;
    w.ai->AssignOperationalOrders();
    EXPECT_EQ(strong->aiOrder, k.strongOrder) << k.what;
    EXPECT_EQ(weak->aiOrder, k.weakOrder) << k.what;
    if (k.strongTarget != nullptr) {
      EXPECT_TRUE(OpsWorld::Targets(strong, *k.strongTarget)) << k.what;
    }
    if (k.weakTarget != nullptr) {
      EXPECT_TRUE(OpsWorld::Targets(weak, *k.weakTarget)) << k.what;
    }
    EXPECT_EQ(strong->aiUltimateTargetX, -1);
  }
  // The strength sent is kept in the cities until the next planning.
  e1->aiMayBeAttacked = 1;
  w.own->ai.maxUnitCountOnFront = 15;
  w.ai->AssignOperationalOrders();
  EXPECT_FLOAT_EQ(e1->aiWorkValue, strong->GetCombatStrength());
  EXPECT_FLOAT_EQ(e2->aiWorkValue, weak->GetCombatStrength());
  EXPECT_FLOAT_EQ(b->aiWorkValue, 0.0f);
}

TEST_F(FrontTasks, OnAThreatenedFrontUnitsDefendTheNearestFriendlyFrontCity) {
  // The enemy's weight makes the front critical.
  w.Unit(2, 9, 0, 0, 10, 500.0f);
  w.Fronts();
  ASSERT_EQ(w.ai->fronts.front().state, 2);
  w.ai->AssignOperationalOrders();
  // A lies on no front; E1 and E2 are the enemy's: B itself is defended.
  for (cJednostkaLadowa* u : {strong, weak}) {
    EXPECT_EQ(u->aiOrder, 5);
    EXPECT_TRUE(OpsWorld::Targets(u, b));
  }
}

TEST_F(FrontTasks, AwayFromTheFrontsUnitsGoToAFrontCityOrWait) {
  // A small unit on B garrisons it, so nobody else is sent there.
  cJednostkaLadowa* onB = w.Unit(1, 4, 1, 0, 10);
  cJednostkaLadowa* rear = w.Unit(1, 0, 0, 0, 10, 10.0f, a);
  cJednostkaLadowa* stranded = w.Unit(1, 0, 2, 0, 10);
  w.g.game->selection.cityRegions[static_cast<size_t>(2 * 12 + 2)] = nullptr;
  cJednostkaLadowa* lost = w.Unit(1, 2, 2, 0, 10);
  w.Fronts();
  w.ai->AssignOperationalOrders();
  EXPECT_EQ(onB->aiOrder, 1);
  // Without a strategic way to a front city: order 3.
  EXPECT_EQ(rear->aiOrder, 3);
  EXPECT_EQ(rear->aiTargetX, -1);
  w.Topography({a, b});
  w.ai->AssignOperationalOrders();
  EXPECT_EQ(rear->aiOrder, 6);
  EXPECT_TRUE(OpsWorld::Targets(rear, b));
  EXPECT_EQ(stranded->aiOrder, 3);  // no supply city of its own
  EXPECT_EQ(lost->aiOrder, 0);
  EXPECT_TRUE(log.Has(L"ERROR: Jednostka U6 nieprzyporz\u0105dkowana do \u017cadnego przypadku!"));
  const std::vector<std::wstring> trace = {L"bu bu 1", L"bu bu 4", L"bu bu 5", L"bu bu 6", L"bu bu 7"};
  int last = -1;
  for (const std::wstring& m : trace) {
    EXPECT_GT(log.IndexOf(m), last) << WideToUtf8(m);
    last = log.IndexOf(m);
  }
}

// ---- the ring walk ---------------------------------------------------------------

TEST(AiOperations, RingWalkFindsTheNearestEnemyCityLikeABruteForceSearch) {
  SeedRandom(4242);
  for (int round = 0; round < 60; ++round) {
    OpsWorld w(15, 13);
    std::vector<cMiasto*> cities;
    for (int i = 0; i < 6; ++i) {
      const int x = RandomInRange(0, 14);
      const int y = RandomInRange(0, 12);
      if (w.g.hex(x, y).city != nullptr) continue;
      const int type = RandomInRange(0, 4);
      const int controller = RandomInRange(1, 3);
      cities.push_back(w.City(x, y, type, controller, controller, L"C"));
    }
    const int sx = RandomInRange(0, 14);
    const int sy = RandomInRange(0, 12);
    const int radius = RandomInRange(0, 8);
    // The reference: the least distance within the radius among the
    // enemy's cities, resource cities only when there is no other.
    int bestCity = INT_MAX;
    int bestResource = INT_MAX;
    for (const cMiasto* c : cities) {
      const int d = HexDistance(sx, sy, c->x, c->y);
      if (d > radius || c->GetController() != 2) continue;
      int& best = c->type == kCityResources ? bestResource : bestCity;
      best = std::min(best, d);
    }
    const cMiasto* found = w.ai->FindEnemyCityNear(sx, sy, *w.own, radius);
    const int expected = bestCity != INT_MAX ? bestCity : bestResource;
    if (expected == INT_MAX) {
      EXPECT_EQ(found, nullptr) << "round " << round;
      continue;
    }
    ASSERT_NE(found, nullptr) << "round " << round;
    EXPECT_EQ(found->GetController(), 2);
    EXPECT_EQ(found->type == kCityResources, bestCity == INT_MAX) << "round " << round;
    EXPECT_EQ(HexDistance(sx, sy, found->x, found->y), expected) << "round " << round;
  }
}

TEST(AiOperations, IdleUnitsGetTheNearestEnemyCity) {
  // One game at a time: each fixture owns the running game while it lives.
  {
    OpsWorld w(14, 3);
    w.own->consts.aiIdleSearchRadius = 5;
    cMiasto* ore = w.City(3, 1, kCityResources, 2, 2, L"Ore");
    cMiasto* town = w.City(6, 1, kCityRegular, 2, 2, L"Town");
    w.City(13, 1, kCityRegular, 2, 2, L"Far");
    cJednostkaLadowa* free = w.Unit(1, 1, 1, 0, 10);
    cJednostkaLadowa* spent = w.Unit(1, 1, 0, 0, 0);
    cJednostkaLadowa* busy = w.Unit(1, 1, 2, 0, 10);
    cJednostkaLadowa* waiting = w.Unit(1, 9, 1, 0, 10);
    cJednostkaLadowa* lonely = w.Unit(1, 0, 0, 0, 10);
    free->aiOrder = 0;
    spent->aiOrder = 3;
    busy->aiOrder = 5;
    waiting->aiOrder = 3;
    lonely->aiOrder = 3;
    lonely->aiUltimateTargetX = 7;
    // The town lies beyond the lonely unit's radius: only the ore is left.
    w.ai->BuildUnitLists();
    EXPECT_TRUE(w.ai->AssignIdleUnitTargets());
    EXPECT_EQ(free->aiOrder, 4);
    EXPECT_TRUE(OpsWorld::Targets(free, town));  // the ore is nearer, but a town comes first
    EXPECT_EQ(spent->aiOrder, 3);
    EXPECT_EQ(busy->aiOrder, 5);
    EXPECT_EQ(waiting->aiOrder, 4);
    EXPECT_TRUE(OpsWorld::Targets(waiting, town));
    EXPECT_EQ(lonely->aiOrder, 4);
    EXPECT_TRUE(OpsWorld::Targets(lonely, ore));
    EXPECT_EQ(lonely->aiUltimateTargetX, 7);  // kept
  }

  OpsWorld empty(6, 3);
  empty.own->consts.aiIdleSearchRadius = 5;
  cJednostkaLadowa* u = empty.Unit(1, 1, 1, 0, 10);
  empty.ai->BuildUnitLists();
  EXPECT_FALSE(empty.ai->AssignIdleUnitTargets());
  EXPECT_EQ(u->aiOrder, 0);
}

// ---- the moves -------------------------------------------------------------------

// Far from its target a unit unseen by the enemy jumps by rail; a seen one
// walks towards the ultimate target instead.
TEST(AiOperations, FarTargetsAreReachedByRailOrOnFoot) {
  const int fog = gProgramSettings.fogOfWar;
  gProgramSettings.fogOfWar = 1;
  for (const int spotted : {0, 5}) {
    OpsWorld w(12, 3);
    cMiasto* a = w.City(1, 1, kCityRegular, 1, 1, L"A");
    cMiasto* b = w.City(10, 1, kCityRegular, 1, 1, L"B");
    w.Diagram({{a, b}});
    w.Region(a, 0, 5);
    w.Region(b, 6, 11);
    w.Topography({a, b});
    w.own->strategicMovementPoints = 10;
    w.own->consts.c068[0] = 4;
    cJednostkaLadowa* u = w.Unit(1, 2, 1, 0, 30, 10.0f, a);
    u->spottedLevel = spotted;
    u->aiOrder = 6;
    u->aiTargetX = u->aiUltimateTargetX = b->x;
    u->aiTargetY = u->aiUltimateTargetY = b->y;
    w.ai->BuildUnitLists();
    w.ai->ExecuteOperationalMoves();
    if (spotted == 0) {
      EXPECT_EQ(u->x, b->x);
      EXPECT_EQ(u->y, b->y);
      EXPECT_EQ(u->actionPoints, 0);
      EXPECT_EQ(w.own->strategicMovementPoints, 6);
    } else {
      EXPECT_EQ(HexDistance(u->x, u->y, b->x, b->y), HexDistance(2, 1, b->x, b->y) - 3);
      EXPECT_EQ(w.own->strategicMovementPoints, 10);
    }
    EXPECT_EQ(u->aiOrder, 6);
  }
  gProgramSettings.fogOfWar = fog;
}

// Country 1 holds columns 0-5, the enemy columns 6-11; T is the enemy's city
// at (10, 1), F the country's own at (5, 1).
class OperationalMoves : public ::testing::Test {
 protected:
  OperationalMoves() : w(12, 3) {
    w.Control(0, 5, 1);
    w.Control(6, 11, 2);
    t = w.City(10, 1, kCityRegular, 2, 2, L"T");
    f = w.City(5, 1, kCityRegular, 1, 1, L"F");
    w.Diagram({{f, t}});
    w.Region(f, 0, 5);
    w.Region(t, 6, 11);
  }
  cJednostkaLadowa* Ordered(int order, int x, int y, int ap, const cMiasto* target) {
    cJednostkaLadowa* u = w.Unit(1, x, y, 0, ap);
    u->aiOrder = order;
    u->aiTargetX = target->x;
    u->aiTargetY = target->y;
    return u;
  }
  void Execute() {
    w.ai->BuildUnitLists();
    w.ai->ExecuteOperationalMoves();
  }

  OpsWorld w;
  cMiasto *t, *f;
  cRecordingFrontEnd fe;
  cFrontEndScope scope{&fe};
};

TEST_F(OperationalMoves, FortifiedHexesAreHeldButGarrisonsStillMove) {
  w.own->ai.currentTargets.push_back({5, 1, 100});
  struct Case {
    int order;
    int fort;
    bool moves;
    int after;
  };
  const Case cases[] = {
      {1, 6, true, 1}, {2, 6, true, 2}, {4, 6, false, 9}, {6, 6, false, 9},
      {12, 6, false, 9}, {6, 5, true, 6}, {4, 5, true, 4},
  };
  for (const Case& k : cases) {
    cJednostkaLadowa* u = Ordered(k.order, 1, 1, 30, f);
    w.g.hex(1, 1).fort = static_cast<uint8_t>(k.fort);
    Execute();
    EXPECT_EQ(u->aiOrder, k.after) << "order " << k.order << " fort " << k.fort;
    EXPECT_EQ(u->x != 1 || u->y != 1, k.moves) << "order " << k.order << " fort " << k.fort;
    if (k.moves) {
      EXPECT_LT(HexDistance(u->x, u->y, f->x, f->y), HexDistance(1, 1, f->x, f->y));
    }
    w.g.hex(u->x, u->y).unit = nullptr;
    w.g.game->landUnits.remove(u);
    delete u;
  }
}

TEST_F(OperationalMoves, AnAttackTakesEnemyGroundOutOfReachOfHostileUnits) {
  cJednostkaLadowa* enemy = w.Unit(2, 7, 0, 0, 0);
  cJednostkaLadowa* u = Ordered(4, 3, 1, 30, t);
  // The reference: the enemy's hexes of the range next to no hostile unit,
  // nearest the target, the first of equals.
  u->MarkAttackTargets(true);
  int ex = -1, ey = -1, best = INT_MAX;
  bool skippedAny = false;
  for (const sHexEntry& e : u->moveList) {
    if (w.g.hex(e.x, e.y).controller != 2) continue;
    if (HexDistance(e.x, e.y, enemy->x, enemy->y) <= 1) {
      skippedAny = true;
      continue;
    }
    const int d = HexDistance(e.x, e.y, t->x, t->y);
    if (d < best) {
      best = d;
      ex = e.x;
      ey = e.y;
    }
  }
  ASSERT_NE(ex, -1);
  ASSERT_TRUE(skippedAny);
  Execute();
  EXPECT_EQ(u->x, ex);
  EXPECT_EQ(u->y, ey);
  EXPECT_EQ(w.g.hex(ex, ey).controller, 1);
  EXPECT_EQ(u->aiOrder, 4);
}

TEST_F(OperationalMoves, AnAttackThroughFriendlyGroundGoesStraightForTheTarget) {
  w.Control(0, 11, 1);
  w.g.hex(t->x, t->y).controller = 2;
  cJednostkaLadowa* u = Ordered(4, 0, 1, 30, t);
  Execute();
  EXPECT_EQ(fe.Count("AnimateMove"), 1);
  EXPECT_EQ(HexDistance(u->x, u->y, t->x, t->y), HexDistance(0, 1, t->x, t->y) - 3);
}

TEST_F(OperationalMoves, AGarrisonArrivingReleasesTheTemporaryOnes) {
  cJednostkaLadowa* holder = Ordered(2, 5, 1, 10, f);
  cJednostkaLadowa* other = Ordered(2, 0, 0, 10, f);
  cJednostkaLadowa* elsewhere = Ordered(2, 0, 2, 10, t);
  cJednostkaLadowa* garrison = Ordered(1, 3, 1, 30, f);
  Execute();
  EXPECT_EQ(garrison->x, f->x);
  EXPECT_EQ(garrison->y, f->y);
  EXPECT_NE(holder->x == f->x && holder->y == f->y, true);
  for (cJednostkaLadowa* u : {holder, other}) {
    EXPECT_EQ(u->aiOrder, 0);
    EXPECT_EQ(u->aiTargetX, -1);
    EXPECT_EQ(u->aiUltimateTargetY, -1);
  }
  // A temporary garrison of another city still marches.
  EXPECT_EQ(elsewhere->aiOrder, 2);
  EXPECT_LT(HexDistance(elsewhere->x, elsewhere->y, t->x, t->y), HexDistance(0, 2, t->x, t->y));
  // The released one that was not in the way stays where it is.
  EXPECT_EQ(other->x, 0);
  EXPECT_EQ(other->y, 0);
}

TEST_F(OperationalMoves, WarTargetUnitsMoveToTheNearestTargetOrStay) {
  cJednostkaLadowa* u = Ordered(12, 1, 1, 30, f);
  u->aiTargetX = u->aiTargetY = -1;
  Execute();
  EXPECT_EQ(u->x, 1);
  EXPECT_EQ(u->aiOrder, 12);
  EXPECT_EQ(fe.Count("AnimateMove"), 0);

  w.own->ai.currentTargets.push_back({11, 2, 50});
  w.own->ai.currentTargets.push_back({4, 1, 50});
  Execute();
  EXPECT_EQ(u->x, 4);
  EXPECT_EQ(u->y, 1);
  // It moved, so it spent points: not yet in position.
  EXPECT_EQ(u->aiOrder, 12);
  // With points again it can come no nearer: in position.
  u->actionPoints = 30;
  Execute();
  EXPECT_EQ(u->x, 4);
  EXPECT_EQ(u->aiOrder, 13);
  // One that cannot pass the border of a country it is not at war with is
  // in position at the border.
  w.g.game->countries[2]->alliance = kAllianceNeutral;
  w.Control(6, 11, 3);
  w.own->ai.currentTargets.clear();
  w.own->ai.currentTargets.push_back({9, 1, 50});
  cJednostkaLadowa* v = Ordered(12, 5, 1, 30, f);
  v->aiTargetX = v->aiTargetY = -1;
  Execute();
  EXPECT_EQ(v->x, 5);
  EXPECT_EQ(v->y, 1);
  EXPECT_EQ(v->aiOrder, 13);
}

TEST_F(OperationalMoves, MovesRefusedWithoutSpendingEndThePhase) {
  // Without points nobody can move; every pass meets each unit once.
  std::vector<cJednostkaLadowa*> units;
  for (int order : {1, 2, 4, 6, 12}) units.push_back(Ordered(order, 1 + static_cast<int>(units.size()), 0, 0, t));
  w.own->ai.currentTargets.push_back({10, 1, 50});
  Execute();
  EXPECT_EQ(fe.Count("AnimateMove"), 0);
  for (size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(units[i]->x, 1 + static_cast<int>(i));
    EXPECT_EQ(units[i]->y, 0);
  }
  EXPECT_EQ(units.back()->aiOrder, 12);
}

// ---- the line of defence ---------------------------------------------------------

// A front end on which an accepted move never happens: the path is blocked
// on its first step.
class cBlockedMoves : public cQuietFrontEnd {
 public:
  void AnimateMove(const std::function<bool()>&) override {
    ++moves;
    gGra->state = kStateComputerPlays;
  }
  int moves = 0;
};

class DefenceMovesOfOperations : public OperationalMoves {
 protected:
  // The line runs down column 3.
  void Line() {
    w.g.map().CreateAiLayer();
    for (int y = 0; y < 3; ++y) {
      w.ai->defenceLine.push_back({3, y});
      w.g.map().SetLayerByte(3, y, 3);
    }
  }
};

TEST_F(DefenceMovesOfOperations, WithoutALineDefendersGoForTheirCity) {
  cJednostkaLadowa* u = Ordered(5, 0, 1, 30, f);
  Execute();
  EXPECT_EQ(HexDistance(u->x, u->y, f->x, f->y), HexDistance(0, 1, f->x, f->y) - 3);
  EXPECT_EQ(u->aiOrder, 5);
}

TEST_F(DefenceMovesOfOperations, AMoveAcceptedButNotMadeEndsThePasses) {
  Line();
  cBlockedMoves blocked;
  cFrontEndScope blockedScope(&blocked);
  cJednostkaLadowa* stuck = Ordered(5, 0, 1, 30, f);
  cJednostkaLadowa* other = Ordered(5, 0, 2, 30, f);
  cLogCapture log;
  Execute();
  // Each was tried once, then left where it stands.
  EXPECT_EQ(blocked.moves, 2);
  EXPECT_EQ(stuck->x, 0);
  EXPECT_EQ(other->y, 2);
  EXPECT_TRUE(log.Has(L"[AI] C1: U1 was given a move onto the line of defence but did not move; it stays"));
  // The blocked path took the units off their hexes; put them back.
  w.g.hex(0, 1).unit = stuck;
  w.g.hex(0, 2).unit = other;
}

// A front end whose moves go elsewhere than asked and cost nothing: the unit
// wanders between two hexes.
class cWanderingMoves : public cQuietFrontEnd {
 public:
  void AnimateMove(const std::function<bool()>&) override {
    ++moves;
    cJednostkaLadowa* u = gGra->selection.movingUnit;
    u->y = u->y == 1 ? 2 : 1;
    gGra->map->GetHex(u->x, u->y)->unit = u;
    gGra->selection.movingUnit = nullptr;
    gGra->state = kStateComputerPlays;
  }
  int moves = 0;
};

TEST_F(DefenceMovesOfOperations, MovesThatNeverSpendPointsAreBounded) {
  Line();
  cWanderingMoves wandering;
  cFrontEndScope wanderingScope(&wandering);
  cJednostkaLadowa* u = Ordered(5, 0, 1, 30, f);
  cLogCapture log;
  Execute();
  EXPECT_GT(wandering.moves, 1);
  EXPECT_LE(wandering.moves, 200);
  EXPECT_EQ(u->actionPoints, 30);
  EXPECT_TRUE(log.Has(L"[AI] C1: WARNING: moves to the line of defence stopped after 200 passes"));
}

}  // namespace
