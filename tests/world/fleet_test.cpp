// Fleets: the nodes a fleet can reach, its moves, splitting and transfers,
// its commanders, its deletion through the fleets dialog and the target
// searches of its planes and guns.
#include "world/fleet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/random.h"
#include "core/string_table.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "world/hex_map.h"
#include "world/world_test_support.h"

using namespace world_test;
using namespace naval_test;

namespace {

// Zones A - B - C in a row along the bottom edge; ports on the land above:
// P1, P4 (small) off A, P2 and the enemy's P5 off B, P3 off C.
class FleetGraph : public ::testing::Test {
 protected:
  FleetGraph() : g(12, 8, 3) {
    const sZoneRow row = SetUpZoneRow(g);
    a = row.a, b = row.b, c = row.c;
    p1 = AddPort(g, 1, 5, 5, 1);
    p2 = AddPort(g, 5, 5, 5, 1);
    p3 = AddPort(g, 9, 5, 5, 1);
    p4 = AddPort(g, 3, 5, 1, 1);
    p5 = AddPort(g, 6, 5, 5, 2);
    TwoWay(g, a, p1);
    TwoWay(g, a, p4);
    TwoWay(g, b, p2);
    TwoWay(g, b, p5);
    TwoWay(g, c, p3);
  }
  std::set<int> Reach(sFlota* f) {
    f->FindReachableNodes();
    return std::set<int>(f->reachableNodes.begin(), f->reachableNodes.end());
  }

  GameFixture g;
  LogCapture log;
  int a, b, c, p1, p2, p3, p4, p5;
};

TEST_F(FleetGraph, ReachableNodesFollowRangePortsAndTheStartInPortRule) {
  struct sCase {
    const char* what;
    int start;
    int range;
    int minPortSize;  // of the battleship, for the country whose turn it is
    std::set<int> want;
  };
  // Ids: A 1, B 2, C 3, P1 4, P2 5, P3 6, P4 7 (size 1), P5 8 (enemy).
  const sCase cases[] = {
      {"from a zone", 1, 3, 1, {2, 3, 4, 5, 6, 7}},
      {"range 1 from a zone", 1, 1, 1, {2, 4, 7}},
      {"range 0 goes nowhere", 1, 0, 1, {}},
      // Out of a port: open sea, and ports one zone away only.
      {"from a port", 4, 3, 1, {1, 2, 3, 7}},
      {"from a port, range 1", 4, 1, 1, {1}},
      // The small port is neither reachable nor passed through.
      {"too big for P4", 1, 3, 2, {2, 3, 4, 5, 6}},
      {"too big for every port", 1, 3, 9, {2, 3}},
  };
  sFlota* f = AddFleet(g, 1, a, {kTypeBattleship, kTypeCargo});
  for (const sCase& k : cases) {
    SCOPED_TRACE(k.what);
    f->seaNode = k.start;
    g.game->consts.fleetMoveRange = k.range;
    g.game->GetCountry(1)->consts.c074[kTypeBattleship - 40] = k.minPortSize;
    g.game->GetCountry(1)->consts.c074[kTypeCargo - 40] = 1;
    EXPECT_EQ(Reach(f), k.want);
    EXPECT_EQ(f->FindReachableNodes(), static_cast<int>(k.want.size()));
  }
}

TEST_F(FleetGraph, GatesAndPortsFollowTheCountryWhoseTurnItIs) {
  // A strait between B and C, held by the enemy.
  sKrawedzGrafuMorz& bc = *std::find_if(g.game->seaGraph.FindNode(b)->edges.begin(),
                                        g.game->seaGraph.FindNode(b)->edges.end(),
                                        [&](const sKrawedzGrafuMorz& e) { return e.target == c; });
  bc.gateX = 11;
  bc.gateY = 0;
  g.hex(11, 0).controller = 2;
  sFlota* f = AddFleet(g, 1, b, {kTypeCruiser});
  EXPECT_EQ(Reach(f), (std::set<int>{a, p2, p1, p4}));
  // An ally of the mover holds the strait: open. P5 is the ally's port now.
  g.game->GetCountry(1)->alliance = 1;
  g.game->GetCountry(3)->alliance = 4;
  g.hex(11, 0).controller = 3;
  g.hex(6, 5).controller = 3;
  EXPECT_EQ(Reach(f), (std::set<int>{a, c, p2, p5, p1, p4, p3}));
  // A port nobody holds is closed to everybody.
  g.hex(6, 5).controller = 0;
  EXPECT_FALSE(f->IsNodeReachable(p5));
  // The side is the country whose turn it is, not the fleet's owner.
  g.game->selection.currentCountry = g.game->GetCountry(2);
  g.hex(6, 5).controller = 2;
  EXPECT_TRUE(f->IsNodeReachable(p5));
  EXPECT_FALSE(f->IsNodeReachable(p2));
}

TEST_F(FleetGraph, MarkingReachableNodesMarksZonesMainAndPortsUnitHexes) {
  g.game->seaGraph.FindNode(p2)->playerUnitX = 5;
  g.game->seaGraph.FindNode(p2)->playerUnitY = 6;
  g.hex(7, 7).SetMark(kMarkFleetReachable | kMarkFleetNode, -1);  // left over from before
  sFlota* f = AddFleet(g, 1, p1, {kTypeCruiser});
  g.game->consts.fleetMoveRange = 2;
  f->seaNode = a;
  f->MarkReachableNodes();
  EXPECT_TRUE(g.hex(4, 7).marks & kMarkFleetReachable);   // zone B's main hex
  EXPECT_TRUE(g.hex(5, 6).marks & kMarkFleetReachable);   // P2's unit hex
  EXPECT_FALSE(g.hex(5, 5).marks & kMarkFleetReachable);  // not P2's city
  EXPECT_TRUE(g.hex(1, 5).marks & kMarkFleetReachable);
  EXPECT_FALSE(g.hex(0, 7).marks & kMarkFleetReachable);  // the fleet's own node
  EXPECT_EQ(g.hex(7, 7).marks, 0u);
}

TEST_F(FleetGraph, MovesGoAsFarAsOneMoveAllowsAlongTheRoute) {
  g.game->consts.fleetMoveRange = 1;
  sFlota* f = AddFleet(g, 1, a, {kTypeCruiser, kTypeSubmarine});
  g.game->seaGraph.FindNode(a)->shipCounters[kOwnShips][kTypeCruiser - 40] = 1;
  g.game->seaGraph.FindNode(a)->shipCounters[kOwnShips][kTypeSubmarine - 40] = 1;

  // Beyond the range: the first node of the route in reach.
  f->Move(c);
  EXPECT_EQ(f->seaNode, b);
  EXPECT_TRUE(f->hasMoved);
  EXPECT_TRUE(log.Has(L"Fleet Fleet 1 going: node 1 -> 2, final destination = 3."));
  // The node left no longer counts the fleet; the new one does.
  EXPECT_EQ(g.game->seaGraph.FindNode(a)->CountFriendlyShips(), 0);
  EXPECT_EQ(g.game->seaGraph.FindNode(b)->CountFriendlyShips(), 2);

  // Once per turn.
  f->Move(c);
  EXPECT_EQ(f->seaNode, b);
  EXPECT_TRUE(log.Has(L"WARNING: Fleet Fleet 1 wanted to go: node 2 -> 3, but it already moved this turn."));

  // Within reach: straight there.
  f->hasMoved = 0;
  f->Move(c);
  EXPECT_EQ(f->seaNode, c);
  EXPECT_TRUE(log.Has(L"Fleet Fleet 1 going: node 2 -> 3, movement finished."));
}

TEST_F(FleetGraph, MovesThatCannotBeMade) {
  sFlota* f = AddFleet(g, 1, a, {kTypeCruiser});
  // Its own node: the fleet only stays.
  f->Move(a);
  EXPECT_EQ(f->seaNode, a);
  EXPECT_TRUE(f->hasMoved);

  // No route to an enemy port: has moved stays unset.
  f->hasMoved = 0;
  f->Move(p5);
  EXPECT_EQ(f->seaNode, a);
  EXPECT_FALSE(f->hasMoved);
  EXPECT_TRUE(log.Has(L"WARNING: fleet Fleet 1 (at node 1) wants to go to node 8 but there's no path"));

  // A route exists, but its next node is not within one move (range 0).
  g.game->consts.fleetMoveRange = 0;
  f->Move(c);
  EXPECT_EQ(f->seaNode, a);
  EXPECT_FALSE(f->hasMoved);
  EXPECT_TRUE(log.Has(L"WARNING: Fleet Fleet 1 wanted to go: node 1 -> 3, but theres no path!"));
}

TEST_F(FleetGraph, AFleetLeavesAFallenPortForTheFirstAdjacentZone) {
  sFlota* f = AddFleet(g, 1, p2, {kTypeCruiser});
  EXPECT_TRUE(f->LeaveEnemyPort());
  EXPECT_EQ(f->seaNode, b);
  EXPECT_TRUE(log.Has(L"Fleet 1 left port which became enemy controlled and moved to Zone B"));
  // A port with no sea zone beside it keeps its fleet.
  const int lonely = AddPort(g, 10, 3, 3, 1);
  f->seaNode = lonely;
  EXPECT_FALSE(f->LeaveEnemyPort());
  EXPECT_EQ(f->seaNode, lonely);
}

// ---- ships, transfers and sums ----------------------------------------------------

TEST_F(FleetGraph, SplittingTakesTheMarkedShipsAndTheNextNumber) {
  sFlota* f = AddFleet(g, 1, b, {kTypeCarrier, kTypeCruiser, kTypeSubmarine});
  f->formation = 1;
  f->hasMoved = 1;
  f->order = kFleetOrderGoToDestination;
  f->destinationNode = c;
  f->invasionX = 3;
  f->invasionY = 4;
  f->isActive = 0;
  const int counter = g.game->nextFleetNumber;

  sFlota* none = sFlota::SplitFrom(*f);
  EXPECT_EQ(none->id, counter + 1);
  EXPECT_EQ(none->name, L"Fleet #" + std::to_wstring(counter + 1));
  EXPECT_TRUE(none->ships.empty());
  EXPECT_EQ(none->countryId, 1);
  EXPECT_EQ(none->seaNode, b);
  EXPECT_EQ(none->formation, 1);
  EXPECT_EQ(none->hasMoved, 1);
  EXPECT_EQ(none->order, kFleetOrderGoToDestination);
  EXPECT_EQ(none->destinationNode, c);
  EXPECT_EQ(none->invasionX, 3);
  EXPECT_EQ(none->invasionY, 4);
  EXPECT_EQ(none->isActive, 0);
  delete none;

  auto it = f->ships.begin();
  cJednostkaMorska* carrier = *it++;
  cJednostkaMorska* cruiser = *it++;
  cJednostkaMorska* sub = *it;
  carrier->assignedSeaZone = 7;
  sub->assignedSeaZone = 7;
  cruiser->assignedSeaZone = 2;
  f->MarkShipsOfZone(7);
  sFlota* split = sFlota::SplitFrom(*f);
  EXPECT_EQ(split->id, counter + 2);
  EXPECT_EQ(split->ships, (std::list<cJednostkaMorska*>{carrier, sub}));
  EXPECT_EQ(carrier->fleet, split);
  EXPECT_EQ(cruiser->fleet, f);
  // The source keeps the marked ships until it removes them.
  EXPECT_EQ(f->ships.size(), 3u);
  f->RemoveMarkedShips();
  EXPECT_EQ(f->ships, (std::list<cJednostkaMorska*>{cruiser}));
  g.game->fleets.push_back(split);

  // Transfers between two fleets.
  split->UnmarkShips();
  sub->transferMark = 1;
  split->MoveMarkedShipsTo(*f);
  EXPECT_EQ(f->ships, (std::list<cJednostkaMorska*>{cruiser, sub}));
  EXPECT_EQ(split->ships, (std::list<cJednostkaMorska*>{carrier}));
  EXPECT_EQ(sub->fleet, f);
}

TEST_F(FleetGraph, SumsZonesAndTheBestCommander) {
  sFlota* f = AddFleet(g, 1, b, {kTypeBattleship, kTypeCruiser, kTypeCruiser});
  int hp = 4;
  for (cJednostkaMorska* s : f->ships) {
    s->hitPoints = hp--;
    s->maxHitPoints = 6;
    s->assignedSeaZone = 9;
  }
  int zone = 0;
  EXPECT_TRUE(f->AllShipsInSameZone(zone));
  EXPECT_EQ(zone, 9);
  f->ships.back()->assignedSeaZone = 5;
  EXPECT_FALSE(f->AllShipsInSameZone(zone));
  EXPECT_EQ(zone, 5);

  EXPECT_EQ(f->SumMaxHp(), 18);
  EXPECT_EQ(f->SumHp(), 4 + 3 + 2);
  for (cJednostkaMorska* s : f->ships) EXPECT_EQ(s->assignedSeaZone, -1);
  EXPECT_TRUE(f->AllShipsInSameZone(zone));
  EXPECT_EQ(zone, -1);
  EXPECT_TRUE(log.Has(L"ERROR: Unexpected assignment of ship to seazone (-1)"));

  // Attack bounds 3..3 for battleships and 1..1 for cruisers: no chance left.
  cPanstwo* c1 = g.game->GetCountry(1);
  c1->consts.c161[1] = c1->consts.c162[1] = 3;
  c1->consts.c161[2] = c1->consts.c162[2] = 1;
  EXPECT_EQ(f->SumAttackValue(), 3 + 1 + 1);
  c1->techLevels[5] = 1;  // factor 0.5
  EXPECT_FLOAT_EQ(f->SumStrength(), 1.5f + 0.5f + 0.5f);

  EXPECT_EQ(f->GetBestCommander(), nullptr);
  sDowodca* low = unit_test::AddCommander(g, 11, 1, 2, 3);
  sDowodca* high = unit_test::AddCommander(g, 12, 1, 2, 7);
  sDowodca* tie = unit_test::AddCommander(g, 13, 1, 2, 7);
  auto it = f->ships.begin();
  unit_test::Attach(low, *it++);
  unit_test::Attach(high, *it++);
  unit_test::Attach(tie, *it);
  EXPECT_EQ(f->GetBestCommander(), high);
}

TEST_F(FleetGraph, TheNodesBestCommanderLeadsShipsWithoutOneOfTheirOwn) {
  sFlota* mine = AddFleet(g, 1, b, {kTypeCruiser, kTypeCruiser});
  sFlota* more = AddFleet(g, 1, b, {kTypeSubmarine});
  sFlota* theirs = AddFleet(g, 2, b, {kTypeCruiser, kTypeCruiser});
  sFlota* elsewhere = AddFleet(g, 1, c, {kTypeCruiser});
  sDowodca* good = unit_test::AddCommander(g, 21, 1, 2, 5);
  sDowodca* best = unit_test::AddCommander(g, 22, 1, 2, 8);
  sDowodca* enemy = unit_test::AddCommander(g, 23, 2, 2, 9);
  unit_test::Attach(good, mine->ships.front());
  unit_test::Attach(best, more->ships.front());
  unit_test::Attach(enemy, theirs->ships.front());
  elsewhere->ships.front()->assignedCommanderId = 99;

  sWezelGrafuMorz* node = g.game->seaGraph.FindNode(b);
  node->AssignBestCommander(1);
  EXPECT_EQ(mine->ships.back()->assignedCommanderId, 22);
  EXPECT_EQ(mine->ships.front()->assignedCommanderId, -1);  // has his own
  EXPECT_EQ(theirs->ships.back()->assignedCommanderId, -1);
  EXPECT_EQ(elsewhere->ships.front()->assignedCommanderId, 99);

  // Every country at the node, each once.
  node->AssignBestCommander(-1);
  EXPECT_EQ(theirs->ships.back()->assignedCommanderId, 23);
  EXPECT_EQ(mine->ships.back()->assignedCommanderId, 22);

  // A node where nobody commands leaves the ships without a leader.
  more->ships.front()->commander = nullptr;
  mine->ships.front()->commander = nullptr;
  node->AssignBestCommander(1);
  EXPECT_EQ(mine->ships.back()->assignedCommanderId, -1);
}

TEST_F(FleetGraph, DeletingAFleetTakesItOutOfTheFleetsDialogFirst) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  sFlota* shown = AddFleet(g, 1, b, {});
  sFlota* other = AddFleet(g, 1, b, {});
  // The dialog is open but nothing is selected: it is not asked.
  fe.topDialogId = kFleetsDialog;
  other->Delete();
  EXPECT_EQ(fe.Count("DropFleetFromFleetsDialog"), 0);
  fe.selectedFleets = {shown};
  shown->Delete();
  ASSERT_EQ(fe.droppedFleets.size(), 1u);
  EXPECT_EQ(fe.droppedFleets[0], shown);
  EXPECT_TRUE(g.game->fleets.empty());
  // Another dialog on top.
  sFlota* third = AddFleet(g, 1, b, {});
  fe.topDialogId = kConvoysDialog;
  third->Delete();
  EXPECT_EQ(fe.droppedFleets.size(), 1u);
}

// ---- target searches -----------------------------------------------------------------

class FleetTargets : public ::testing::Test {
 protected:
  FleetTargets() : g(20, 12, 2) {
    g.SetWar(1, 2);
    for (int x = 0; x < 20; ++x)
      for (int y = 8; y < 12; ++y) g.hex(x, y).terrain = kTerrainSea;
    zone = AddZone(g, 10, 10, L"Bay");
    other = AddZone(g, 2, 10, L"Next bay");
    TwoWay(g, zone, other);
    // The zone's coast: the land row above the sea, columns 8 to 12.
    for (int x = 8; x <= 12; ++x) {
      g.hex(x, 7).seaZone = static_cast<uint16_t>(zone);
      g.hex(x, 7).coastal = 1;
    }
    g.map().RebuildZoneIndex();
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x) g.hex(x, y).controller = 1;
    owner = g.game->GetCountry(1);
    owner->techLevels[3] = 1;
    owner->consts.airRangeTechFactor[0] = 1.5f;
    owner->consts.c157 = 2;  // planes: 3 hexes
    owner->consts.c158 = 1;  // guns: 1 hex
    fleet = AddFleet(g, 1, zone, {kTypeBattleship});
  }
  // Land hexes within r of the zone's coast, counted by brute force.
  int LandInRange(int r) {
    int n = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x) {
        if (!g.hex(x, y).IsLand()) continue;
        bool near = false;
        for (int cx = 8; cx <= 12; ++cx) near = near || HexDistance(cx, 7, x, y) <= r;
        if (near) ++n;
      }
    return n;
  }

  GameFixture g;
  int zone, other;
  cPanstwo* owner;
  sFlota* fleet;
};

TEST_F(FleetTargets, ReconCountsEveryLandHexInRangeOnceAndMarksTheNode) {
  const int want = LandInRange(3) + 1;  // and the fleet's own node
  EXPECT_EQ(fleet->MarkReconTargets(false), want);
  EXPECT_TRUE(g.map().markedHexes.empty());
  EXPECT_EQ(fleet->MarkReconTargets(true), want);
  EXPECT_TRUE(g.hex(10, 4).marks & kMarkFleetRecon);   // 3 rows up
  EXPECT_FALSE(g.hex(10, 3).marks & kMarkFleetRecon);  // 4 rows up
  EXPECT_TRUE(g.hex(10, 10).marks & kMarkFleetNode);
  // Marks of the last search are cleared first: the same count again.
  EXPECT_EQ(fleet->MarkReconTargets(true), want);
}

TEST_F(FleetTargets, AirStrikesFindSeenEnemiesTheirCitiesAndShipsNearby) {
  auto* seen = unit_test::PlaceLand(g, 2, 10, 5);
  seen->spottedLevel = 3;
  auto* hidden = unit_test::PlaceLand(g, 2, 11, 6);
  hidden->spottedLevel = 2;
  auto* own = unit_test::PlaceLand(g, 1, 9, 6);
  own->spottedLevel = 6;
  auto* far = unit_test::PlaceLand(g, 2, 10, 2);
  far->spottedLevel = 6;
  unit_test::AddCity(g, 12, 6, kCityRegular, 2);
  unit_test::AddCity(g, 8, 6, kCityRegular, 1);
  EXPECT_EQ(fleet->MarkAirStrikeTargets(true), 2);
  EXPECT_TRUE(g.hex(10, 5).marks & kMarkFleetTarget);
  EXPECT_TRUE(g.hex(12, 6).marks & kMarkFleetTarget);
  EXPECT_FALSE(g.hex(11, 6).marks & kMarkFleetTarget);
  // Spotted enemy ships in the next bay count too, marked on its main hex.
  g.game->seaGraph.FindNode(other)->shipCounters[kSpottedEnemyShips][1] = 2;
  EXPECT_EQ(fleet->MarkAirStrikeTargets(true), 3);
  EXPECT_TRUE(g.hex(2, 10).marks & kMarkFleetNode);
  EXPECT_FALSE(g.hex(10, 10).marks & kMarkFleetNode);
}

TEST_F(FleetTargets, GunsReachSeenEnemiesNotShelledThisTurn) {
  auto* a = unit_test::PlaceLand(g, 2, 9, 6);
  a->spottedLevel = 6;
  auto* shelled = unit_test::PlaceLand(g, 2, 11, 6);
  shelled->spottedLevel = 6;
  shelled->shoreBombardmentEffect = 4.0f;
  auto* beyond = unit_test::PlaceLand(g, 2, 10, 5);  // two rows from the coast
  beyond->spottedLevel = 6;
  EXPECT_EQ(fleet->MarkShoreBombardmentTargets(true), 1);
  EXPECT_TRUE(g.hex(9, 6).marks & kMarkFleetTarget);
  EXPECT_EQ(g.map().markedHexes.size(), 1u);
}

}  // namespace
