// The computer player's invasions on a small hand-drawn world: the build-up
// against the targets of a coming war, the sea invasion's target, its units
// gathered and loaded, the voyage with its escort, the landing with its
// bombardment and artificial harbour, and the test of the invasion node.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/selection.h"
#include "world/strategic_moves.h"

namespace {

using namespace naval_test;

// A land unit of a fixed combat strength whose worth lets it survive a
// landing.
class FixedLand : public cJednostkaLadowa {
 public:
  explicit FixedLand(float combat) : combat_(combat) {}
  float GetCombatStrength() const override { return combat_; }
  float GetUnitCost() const override { return 10.0f; }

 private:
  float combat_;
};

constexpr int kW = 12;
constexpr int kH = 8;

// Country 1 (the computer, allies with 3) is at war with 2; 4 is neutral.
// Columns 4-6 are the sea zone Z; columns 3 and 7 its coasts. West: A (1,3)
// and the port H (3,3) of country 1, and M (1,6) of neutral 4. East: the
// port E (7,3) and F (10,3) of country 2. Land links A-H, A-M, E-F; a sea
// link H-E. The port G (11,1) of country 2 lies on an isolated zone Z2.
class AiInvasion : public ::testing::Test {
 protected:
  AiInvasion() : g(kW, kH, 4) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      c->consts.c172 = c->consts.c165 = 100;  // every ship counts, friendly or enemy
    }
    Me().alliance = 1;
    g.game->countries[2]->alliance = 1;
    g.game->countries[1]->alliance = 2;
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        sHex& h = g.hex(x, y);
        const int holder = x <= 3 ? (y >= 5 ? 4 : 1) : x >= 7 ? 2 : 0;
        h.controller = h.owner = static_cast<uint8_t>(holder);
      }
    z = AddZone(g, 5, 3, L"Z");
    for (int y = 0; y < kH; ++y)
      for (int x = 4; x <= 6; ++x) {
        g.hex(x, y).terrain = kTerrainSea;
        g.hex(x, y).seaZone = static_cast<uint16_t>(z);
      }
    for (int y = 0; y < kH; ++y)
      for (int x : {3, 7}) {
        g.hex(x, y).seaZone = static_cast<uint16_t>(z);
        g.hex(x, y).coastal = 1;
      }
    a = unit_test::AddCity(g, 1, 3, kCityRegular, 1, L"A");
    h = unit_test::AddCity(g, 3, 3, kCityPort, 1, L"H");
    m = unit_test::AddCity(g, 1, 6, kCityRegular, 4, L"M");
    e = unit_test::AddCity(g, 7, 3, kCityPort, 2, L"E");
    f = unit_test::AddCity(g, 10, 3, kCityRegular, 2, L"F");
    ph = AddPort(g, 3, 3, 5, 1);
    pe = AddPort(g, 7, 3, 5, 2);
    g.hex(3, 3).seaNodeMarker = static_cast<uint16_t>(ph);
    g.hex(7, 3).seaNodeMarker = static_cast<uint16_t>(pe);
    TwoWay(g, ph, z);
    TwoWay(g, z, pe);
    // The isolated port.
    z2 = AddZone(g, 11, 0, L"Z2");
    gp = unit_test::AddCity(g, 11, 1, kCityPort, 2, L"G");
    pg = AddPort(g, 11, 1, 5, 2);
    g.hex(11, 1).seaNodeMarker = static_cast<uint16_t>(pg);
    g.hex(11, 1).seaZone = static_cast<uint16_t>(z2);
    g.hex(11, 1).coastal = 1;
    TwoWay(g, pg, z2);

    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    Link(a, h, kDiagramLinkLand);
    Link(a, m, kDiagramLinkLand);
    Link(e, f, kDiagramLinkLand);
    Link(h, e, kDiagramLinkSea);
    g.game->ComputeCityDistances();
    auto& regions = g.game->selection.cityRegions;
    regions.assign(static_cast<size_t>(kW * kH), nullptr);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        cMiasto* r = nullptr;
        if (x <= 3) r = y >= 5 ? m : x <= 1 ? a : h;
        if (x >= 7) r = x <= 8 ? e : f;
        regions[static_cast<size_t>(y * kW + x)] = r;
      }
    g.game->selection.cityRegionStride = kW;
    InitStrategicMovement();
    StoreCountryTopography(1, {{a, h}});

    g.game->consts.fleetMoveRange = 3;
    g.game->seaGraph.viewingCountry = 1;
    g.game->selection.currentCountry = &Me();
    Me().ai.makesSeaInvasions = 1;
    Me().ai.maxFrontsForSeaInvasion = 2;
    CreateComputerPlayers(*g.game);
    ai().country = &Me();
    SetFrontEnd(&fe);
  }
  ~AiInvasion() override { SetFrontEnd(nullptr); }

  void Link(cMiasto* from, cMiasto* to, int kind) {
    auto& nodes = g.game->citiesDiagram.nodes;
    nodes[static_cast<size_t>(from->diagramIndex)].links.push_back({to->diagramIndex, kind});
    nodes[static_cast<size_t>(to->diagramIndex)].links.push_back({from->diagramIndex, kind});
  }
  cAI& ai() { return *g.game->computerPlayers[0]; }
  cPanstwo& Me() { return *g.game->GetCountry(1); }
  // A land unit of the country on the hex, supplied from the port H.
  FixedLand* Land(int country, int x, int y, float combat, int type = 2, int ap = 0) {
    auto* u = new FixedLand(combat);
    u->countryId = country;
    u->SetName(L"U" + std::to_wstring(x) + L"." + std::to_wstring(y));
    u->SetType(type);
    u->x = x;
    u->y = y;
    u->actionPoints = ap;
    u->supplySourceX = 3;
    u->supplySourceY = 3;
    g.hex(x, y).unit = u;
    g.game->landUnits.push_back(u);
    return u;
  }
  std::vector<sFlota*> Fleets() {
    std::list<sFlota*> out;
    ai().CollectOwnFleets(out);
    return {out.begin(), out.end()};
  }
  // The hex of the port H's neighbour in the west.
  sHexPoint WestOfH() {
    for (int d = 0; d < 6; ++d) {
      int nx = 0, ny = 0;
      g.map().NeighbourCoords(3, 3, d, nx, ny);
      if (nx == 2) return {nx, ny};
    }
    return {-1, -1};
  }
  // One impulse of the fleets: every fleet may move again.
  void FleetsImpulse() {
    for (sFlota* k : g.game->fleets) k->hasMoved = 0;
    ai().BuildUnitLists();
    ai().FleetsActions();
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cLogCapture log;
  cMiasto *a, *h, *m, *e, *f, *gp;
  int z, z2, ph, pe, pg;
};

// ---- build-up ----------------------------------------------------------------

TEST_F(AiInvasion, TargetsAlreadyFriendlyOrAtWarNeedNoBuildUp) {
  struct Case {
    int owner;
    bool stays;
  };
  const Case cases[] = {{1, false}, {3, false}, {2, false}, {0, true}, {4, true}};
  for (const Case& k : cases) {
    g.hex(2, 6).owner = static_cast<uint8_t>(k.owner);
    Me().ai.currentTargets = {{2, 6, -1}};
    ai().BuildUnitLists();
    ai().BuildUpInvasionForces();
    EXPECT_EQ(Me().ai.currentTargets.size(), k.stays ? 1u : 0u) << "owner " << k.owner;
  }
}

TEST_F(AiInvasion, UnitsGatherInTheStagingCityUntilTheStrengthIsReached) {
  // M is neutral: its own-held neighbour A is the staging city.
  FixedLand* u1 = Land(1, 3, 2, 6.0f);
  FixedLand* u2 = Land(1, 2, 2, 6.0f);
  FixedLand* u3 = Land(1, 3, 1, 6.0f);
  Me().ai.currentTargets = {{1, 6, 10}};
  ai().BuildUnitLists();
  ai().BuildUpInvasionForces();
  for (FixedLand* u : {u1, u2}) {
    EXPECT_EQ(u->aiOrder, 12);
    EXPECT_EQ(u->aiTargetX, 1);
    EXPECT_EQ(u->aiTargetY, 3);
  }
  EXPECT_EQ(u3->aiOrder, 0);
  EXPECT_EQ(Me().ai.currentTargets.size(), 1u);
}

TEST_F(AiInvasion, OnlyFreeUnitsThatCanMoveStrategicallyAreSent) {
  struct Case {
    int order;
    bool sent;
  };
  const Case cases[] = {{0, true}, {3, true}, {6, true}, {8, true}, {1, false}, {2, false}, {4, false}, {5, false}};
  std::vector<FixedLand*> units;
  int y = 0;
  for (const Case& k : cases) {
    FixedLand* u = Land(1, y % 2 == 0 ? 2 : 3, y / 2, 1.0f);
    u->aiOrder = k.order;
    units.push_back(u);
    ++y;
  }
  // Without a supply city no strategic move is possible.
  FixedLand* unsupplied = Land(1, 0, 0, 1.0f);
  unsupplied->supplySourceX = unsupplied->supplySourceY = -1;
  Me().ai.currentTargets = {{1, 6, -1}};
  ai().BuildUnitLists();
  ai().BuildUpInvasionForces();
  for (size_t i = 0; i < units.size(); ++i)
    EXPECT_EQ(units[i]->aiOrder, cases[i].sent ? 12 : cases[i].order) << "order " << cases[i].order;
  EXPECT_EQ(unsupplied->aiOrder, 0);
}

TEST_F(AiInvasion, TwoTargetsOfOneStagingCityCountAUnitForBoth) {
  FixedLand* u1 = Land(1, 3, 2, 6.0f);
  FixedLand* u2 = Land(1, 2, 2, 6.0f);
  FixedLand* u3 = Land(1, 3, 1, 6.0f);
  Me().ai.currentTargets = {{1, 6, 10}, {2, 7, 4}};
  ai().BuildUnitLists();
  ai().BuildUpInvasionForces();
  // The first counts for both; the second only for the first target, which
  // it completes; the third finds both complete.
  EXPECT_EQ(u1->aiOrder, 12);
  EXPECT_EQ(u2->aiOrder, 12);
  EXPECT_EQ(u3->aiOrder, 0);
}

TEST_F(AiInvasion, EachUnitGoesToTheStagingCityFewestHopsAway) {
  // One target in M's region stages in A; one in H's own region in H.
  g.hex(2, 1).owner = 4;
  FixedLand* nearH = Land(1, 3, 2, 1.0f);
  FixedLand* nearA = Land(1, 0, 2, 1.0f);
  Me().ai.currentTargets = {{1, 6, -1}, {2, 1, -1}};
  ai().BuildUnitLists();
  ai().BuildUpInvasionForces();
  EXPECT_EQ(nearH->aiOrder, 12);
  EXPECT_EQ((std::pair<int, int>{nearH->aiTargetX, nearH->aiTargetY}), (std::pair<int, int>{3, 3}));
  EXPECT_EQ(nearA->aiOrder, 12);
  EXPECT_EQ((std::pair<int, int>{nearA->aiTargetX, nearA->aiTargetY}), (std::pair<int, int>{1, 3}));
}

TEST_F(AiInvasion, TargetsWithoutARegionOrAFriendlyNeighbourPrepareNothing) {
  FixedLand* u = Land(1, 3, 2, 6.0f);
  // A sea hex lies in no region. A neutral's hex in F's region stands for a
  // target whose region city has no friendly neighbour: F links to E alone.
  g.hex(5, 5).owner = 4;
  g.hex(9, 3).owner = 4;
  Me().ai.currentTargets = {{5, 5, -1}, {9, 3, -1}};
  ai().BuildUnitLists();
  ai().BuildUpInvasionForces();
  EXPECT_TRUE(log.Has(L"WARNING: Target hex (5,5) does not belong to any city!"));
  EXPECT_TRUE(log.Has(L"WARNING: cannot build up forces for invasion! No own/allied cities near invasion target!"));
  EXPECT_EQ(u->aiOrder, 0);
  EXPECT_EQ(Me().ai.currentTargets.size(), 2u);
}

// ---- sea invasion planning ---------------------------------------------------------

TEST_F(AiInvasion, PlanningIsGatedByTargetsAndFronts) {
  struct Case {
    int makes;
    bool landTargets;
    int fronts;
    bool plans;
  };
  const Case cases[] = {{0, false, 0, false}, {1, true, 0, false}, {1, false, 3, false}, {1, false, 2, true}};
  for (const Case& k : cases) {
    Me().ai.makesSeaInvasions = static_cast<uint8_t>(k.makes);
    Me().ai.currentTargets.clear();
    if (k.landTargets) Me().ai.currentTargets.push_back({9, 3, -1});
    ai().fronts.assign(static_cast<size_t>(k.fronts), sAiFront());
    Me().ai.currentSeaInvasionTarget = 77;
    ai().ChooseInvasionTarget();
    EXPECT_EQ(Me().ai.currentSeaInvasionTarget, k.plans ? pe : -1) << k.makes << k.landTargets << k.fronts;
  }
}

TEST_F(AiInvasion, TheIsolatedPortIsNeverChosenWhateverItsNeighbours) {
  // E is guarded and scores below G, which no friendly port reaches.
  Land(2, 7, 3, 8.0f);
  ai().ChooseInvasionTarget();
  EXPECT_EQ(Me().ai.currentSeaInvasionTarget, pe);
  std::list<cMiasto*> ports;
  ai().CollectEmbarkPorts(1, gp, ports);
  EXPECT_TRUE(ports.empty());
  ai().CollectEmbarkPorts(1, e, ports);
  EXPECT_EQ(ports, (std::list<cMiasto*>{h}));
}

TEST_F(AiInvasion, ObligatoryTargetsHeldByFriendsOrWithoutASeaZoneAreDropped) {
  // G's hex loses its zone: the target is skipped with a log line and the
  // process goes on.
  g.hex(11, 1).seaZone = 0;
  cMiasto* own = h;
  Me().ai.obligatorySeaInvasionTargets = {own, gp, e};
  ai().ChooseInvasionTarget();
  EXPECT_EQ(Me().ai.currentSeaInvasionTarget, pe);
  EXPECT_TRUE(Me().ai.obligatorySeaInvasionTargets.empty());
  EXPECT_TRUE(log.Has(L"Error! Hex(11,1) was targeted for amphib invasion but tasksIt has no seazone attribute"));

  // A port taken by an ally is dropped as well; nothing is left to choose
  // when no enemy port can be reached.
  g.hex(7, 3).controller = 3;
  Me().ai.obligatorySeaInvasionTargets = {e};
  ai().ChooseInvasionTarget();
  EXPECT_TRUE(Me().ai.obligatorySeaInvasionTargets.empty());
  EXPECT_EQ(Me().ai.currentSeaInvasionTarget, -1);
}

TEST_F(AiInvasion, AnEmptyTargetGathersUnitsUpToTwelveTimesATenth) {
  FixedLand* strong = Land(1, 3, 0, 1.0f);
  FixedLand* second = Land(1, 3, 1, 0.5f);
  FixedLand* third = Land(1, 2, 0, 0.5f);
  ai().BuildUnitLists();
  ai().ChooseInvasionTarget();
  // 1.0 + 0.5 reaches 1.2; the units cannot move (no action points) and are
  // still on their way, so nothing embarks.
  EXPECT_EQ(strong->aiOrder, 14);
  EXPECT_EQ(second->aiOrder, 14);
  EXPECT_EQ(third->aiOrder, 0);
  EXPECT_EQ(strong->aiTargetX, 3);
  EXPECT_EQ(strong->aiTargetY, 3);
  EXPECT_TRUE(Fleets().empty());
  EXPECT_FALSE(log.Has(L"All units ready for invasion!"));
}

TEST_F(AiInvasion, ArrivedUnitsEmbarkOnlyWithEnoughAmphibiousPoints) {
  Land(2, 7, 3, 50.0f);
  FixedLand* inPort = Land(1, 3, 3, 3.0f);
  const sHexPoint west = WestOfH();
  // Next to the taken port, with points but nowhere nearer to go.
  FixedLand* blocked = Land(1, west.x, west.y, 2.0f, 2, 3);
  inPort->spottedLevel = 5;
  for (int t = 0; t < 7; ++t) Me().consts.amphibiousTransportCost[t] = 2;
  Me().amphibiousPoints = 3;
  Me().ai.purchaseQueue = {1, 0, 2};
  ai().BuildUnitLists();
  ai().ChooseInvasionTarget();
  EXPECT_EQ(inPort->aiOrder, 15);
  EXPECT_EQ(blocked->aiOrder, 15);
  EXPECT_EQ(Me().ai.purchaseQueue, (std::list<int32_t>{1, 2, 0}));
  EXPECT_TRUE(log.Has(L"Need to buy more AIP for invasion! Exiting sea invasion procedure"));
  EXPECT_TRUE(Fleets().empty());

  // The next impulse's planning has freed every unit again.
  Me().amphibiousPoints = 10;
  inPort->aiOrder = blocked->aiOrder = 0;
  ai().BuildUnitLists();
  ai().ChooseInvasionTarget();
  EXPECT_TRUE(log.Has(L"We have enough AIP. Starting loading units."));
  const std::vector<sFlota*> fleets = Fleets();
  ASSERT_EQ(fleets.size(), 2u);
  for (sFlota* k : fleets) {
    EXPECT_EQ(k->order, 2);
    EXPECT_EQ(k->seaNode, ph);
    EXPECT_EQ(k->destinationNode, z);
    EXPECT_EQ(k->invasionX, 7);
    EXPECT_EQ(k->invasionY, 3);
    ASSERT_EQ(k->ships.size(), 1u);
    EXPECT_EQ(k->ships.front()->type, kTypeAmphibious);
  }
  EXPECT_EQ(Me().amphibiousPoints, 6);
  EXPECT_EQ(g.game->amphibiousUnits.size(), 2u);
  EXPECT_EQ(g.hex(3, 3).unit, nullptr);
  // Only the visible unit's loading is shown.
  EXPECT_EQ(fe.Count("CenterMapOn"), 1);
  EXPECT_TRUE(log.Has(L"[AI] C1: Loading U3.3 onto amphib"));
}

// ---- the landing ---------------------------------------------------------------------

TEST_F(AiInvasion, FromThePortToTheBeach) {
  FixedLand* defender = Land(2, 7, 3, 4.0f);
  defender->spottedLevel = 5;
  FixedLand* invader = Land(1, 3, 3, 3.0f);
  sFlota* escort = AddFleet(g, 1, ph, {kTypeBattleship});
  Me().amphibiousPoints = 5;
  ai().BuildUnitLists();
  ai().ChooseInvasionTarget();
  ASSERT_NE(invader->transport, nullptr);
  cJednostkaMorska* amphib = invader->transport;
  const int amphibFleet = amphib->fleet->id;

  // In the impulse of the loading the new fleet has moved already; the
  // escort joins and sails.
  ai().BuildUnitLists();
  ai().FleetsActions();
  ASSERT_EQ(Fleets().size(), 2u);
  EXPECT_EQ(escort->order, 4);
  EXPECT_EQ(escort->seaNode, z);
  EXPECT_EQ(amphib->fleet->seaNode, ph);
  // Under way: no landing yet.
  FleetsImpulse();
  EXPECT_EQ(amphib->fleet->seaNode, z);
  EXPECT_EQ(invader->transport, amphib);
  // Arrived at a safe node: the coast is shelled and the unit lands within
  // four hexes of the target, on a free coastal hex of the zone.
  FleetsImpulse();
  EXPECT_EQ(invader->transport, nullptr);
  ASSERT_TRUE(g.map().IsInside(invader->x, invader->y));
  EXPECT_EQ(g.hex(invader->x, invader->y).unit, invader);
  EXPECT_EQ(g.hex(invader->x, invader->y).seaZone, z);
  EXPECT_LE(HexDistance(invader->x, invader->y, 7, 3), 4);
  EXPECT_EQ(g.hex(invader->x, invader->y).controller, 1);
  EXPECT_TRUE(std::find(g.game->landUnits.begin(), g.game->landUnits.end(), invader) != g.game->landUnits.end());
  for (const sFlota* k : g.game->fleets) EXPECT_NE(k->id, amphibFleet);
  EXPECT_EQ(escort->order, 0);
  EXPECT_EQ(escort->ships.front()->shoreBombardmentDone, 1);
  EXPECT_TRUE(log.Has(L"[AI] C1: Amphibious invasion - unloading U3.3"));
}

TEST_F(AiInvasion, TheSafetyOfTheInvasionNodeAndTheStartOfTheLanding) {
  // Combat values: own cruisers 10; enemy ships as the case says;
  // amphibious ships 0. The landing starts on a safe node where the
  // friendly strength is at least the enemy's.
  struct Case {
    int enemies;
    int enemyValue;
    int transports;
    bool neighbour;
    bool safe;
    bool start;
  };
  const Case cases[] = {
      {0, 10, 0, false, true, true},    // nobody there
      {1, 100, 0, false, true, false},  // one enemy ship is no threat, but stronger
      {1, 10, 0, false, true, true},    // as strong: the landing starts
      {2, 10, 0, false, false, false},  // r = 2
      {2, 5, 0, false, false, false},   // r = 1
      {2, 2, 2, false, true, true},     // r = 0.4, two transports
      {2, 2, 3, false, false, false},   // r = 0.4, three transports
      {2, 1, 0, false, true, true},     // r = 0.2, q = 0
      {2, 1, 1, false, false, false},   // r = 0.2, q = 0.5
      {2, 10, 0, true, false, false},   // the enemies one edge away count too
  };
  for (const Case& k : cases) {
    for (sFlota* fl : std::vector<sFlota*>(g.game->fleets.begin(), g.game->fleets.end())) {
      for (cJednostkaMorska* s : std::vector<cJednostkaMorska*>(fl->ships.begin(), fl->ships.end())) {
        g.game->navalUnits.remove(s);
        delete s;
      }
      g.game->fleets.remove(fl);
      delete fl;
    }
    for (int t = 0; t < 6; ++t) {
      Me().consts.c161[t] = Me().consts.c162[t] = t == 2 ? 10 : 0;
      g.game->GetCountry(2)->consts.c161[t] = g.game->GetCountry(2)->consts.c162[t] = k.enemyValue;
    }
    AddFleet(g, 1, z, {kTypeCruiser});
    for (int t = 0; t < k.transports; ++t) AddFleet(g, 1, z, {kTypeAmphibious});
    for (int n = 0; n < k.enemies; ++n) AddFleet(g, 2, k.neighbour ? pe : z, {kTypeCruiser});
    std::list<cJednostkaMorska*> friends, enemies;
    int transports = -1;
    CollectFriendlyShipsAtNode(1, z, friends, transports);
    CollectEnemyShipsNearNode(1, z, enemies);
    EXPECT_EQ(transports, k.transports);
    EXPECT_EQ(static_cast<int>(enemies.size()), k.enemies);
    EXPECT_EQ(ai().IsSeaNodeSafe(z), k.safe) << k.enemies << " x " << k.enemyValue << ", " << k.transports;
    EXPECT_EQ(ai().InvasionMayStart(z, 1), k.start) << k.enemies << " x " << k.enemyValue << ", " << k.transports;
    // Not before an invasion fleet has arrived.
    EXPECT_FALSE(ai().InvasionMayStart(z, 0));
  }
  // An enemy ship counts by its country's enemy-count chance, a friendly
  // one by the friendly-count chance; ships never counted threaten nothing.
  g.game->GetCountry(2)->consts.c172 = 0;
  Me().consts.c165 = 0;
  std::list<cJednostkaMorska*> friends, enemies;
  int transports = 0;
  EXPECT_GT(CollectEnemyShipsNearNode(1, z, enemies), 0.0f);
  EXPECT_GT(CollectFriendlyShipsAtNode(1, z, friends, transports), 0.0f);
  g.game->GetCountry(2)->consts.c165 = 0;
  EXPECT_EQ(CollectEnemyShipsNearNode(1, z, enemies), 0.0f);
  EXPECT_TRUE(enemies.empty());
}

TEST_F(AiInvasion, TheLandingWaitsWhileTheNodeIsUnsafe) {
  for (int t = 0; t < 6; ++t) Me().consts.c161[t] = Me().consts.c162[t] = 0;
  for (int t = 0; t < 6; ++t) g.game->GetCountry(2)->consts.c161[t] = g.game->GetCountry(2)->consts.c162[t] = 10;
  FixedLand* invader = Land(1, 3, 3, 3.0f);
  Me().amphibiousPoints = 5;
  ai().BuildUnitLists();
  ai().ChooseInvasionTarget();
  ASSERT_NE(invader->transport, nullptr);
  sFlota* enemy = AddFleet(g, 2, z, {kTypeCruiser, kTypeCruiser});
  FleetsImpulse();
  FleetsImpulse();
  FleetsImpulse();
  EXPECT_NE(invader->transport, nullptr);
  EXPECT_GT(log.CountContaining(L"not safe, the landing waits"), 0);
  enemy->ships.front()->countryId = 4;
  enemy->ships.back()->countryId = 4;
  FleetsImpulse();
  EXPECT_EQ(invader->transport, nullptr);
}

TEST_F(AiInvasion, AFleetBoundOffTheMapIsLeftOutOfTheLanding) {
  FixedLand* lost = Land(1, 3, 3, 3.0f);
  FixedLand* good = Land(1, 3, 2, 3.0f);
  sFlota* off = lost->LoadOntoFleet(kTypeAmphibious, z, 2);
  sFlota* on = good->LoadOntoFleet(kTypeAmphibious, z, 2);
  off->destinationNode = on->destinationNode = z;
  off->invasionX = 40;
  off->invasionY = 3;
  on->invasionX = 7;
  on->invasionY = 3;
  ai().AmphibiousInvasion();
  EXPECT_TRUE(log.Has(L"ERROR Amphibious invasion of " + off->name + L" (ID=" + std::to_wstring(off->id) +
                      L") destination hex (40, 3) out of map!"));
  EXPECT_EQ(log.CountContaining(L"destination hex (40, 3) out of map!"), 1);
  EXPECT_NE(lost->transport, nullptr);
  EXPECT_EQ(good->transport, nullptr);
  EXPECT_TRUE(g.map().IsInside(good->x, good->y));
}

TEST_F(AiInvasion, OneHarbourAttemptPerNodeAndOnlyWhenItCanBePaid) {
  struct Case {
    double productionPoints;
    bool built;
  };
  const Case cases[] = {{50.0, true}, {9.0, false}};
  for (const Case& k : cases) {
    for (sFlota* fl : std::vector<sFlota*>(g.game->fleets.begin(), g.game->fleets.end())) fl->Delete();
    if (g.hex(3, 1).unit != nullptr) {
      g.game->landUnits.remove(static_cast<cJednostkaLadowa*>(g.hex(3, 1).unit));
      delete g.hex(3, 1).unit;
      g.hex(3, 1).unit = nullptr;
    }
    Me().consts.c135[0] = 10.0f;
    Me().consts.newMulberryStrength = 7.9f;
    Me().consts.newMulberryMonths = 3.5f;
    Me().productionPoints = k.productionPoints;
    // Two warship fleets bound for the own free coast of the zone land
    // nobody; the harbour goes on the invasion hex itself.
    for (int n = 0; n < 2; ++n) {
      sFlota* fl = AddFleet(g, 1, z, {kTypeBattleship});
      fl->order = 2;
      fl->destinationNode = z;
      fl->invasionX = 3;
      fl->invasionY = 1;
    }
    log.Clear();
    ai().AmphibiousInvasion();
    const auto* harbour = dynamic_cast<const cMulberry*>(g.hex(3, 1).unit);
    EXPECT_EQ(harbour != nullptr, k.built);
    if (k.built) {
      EXPECT_EQ(harbour->type, kTypeMulberry);
      EXPECT_EQ(harbour->name, L"Artificial harbour");
      EXPECT_EQ(harbour->countryId, 1);
      EXPECT_EQ(harbour->strength, 7);
      EXPECT_EQ(harbour->monthsLeft, 3);
      EXPECT_EQ(harbour->actionPoints, 0);
      EXPECT_DOUBLE_EQ(Me().productionPoints, k.productionPoints - 10.0);
      EXPECT_EQ(log.CountContaining(L"Mulberry created at (3, 1) for country C1"), 1);
    } else {
      EXPECT_DOUBLE_EQ(Me().productionPoints, k.productionPoints);
      EXPECT_EQ(log.CountContaining(L"Not enough PP for Mulberry purcharse"), 1);
    }
  }
}

TEST_F(AiInvasion, TransportsUnloadAtTheirDestinationAndAreBrokenUp) {
  FixedLand* cargo = Land(1, 3, 3, 3.0f);
  sFlota* fleet = cargo->LoadOntoFleet(kTypeCargo, ph, 3);
  fleet->destinationNode = ph;
  const int id = fleet->id;
  FleetsImpulse();
  EXPECT_EQ(cargo->transport, nullptr);
  EXPECT_TRUE(g.map().IsInside(cargo->x, cargo->y));
  for (const sFlota* k : g.game->fleets) EXPECT_NE(k->id, id);

  // With every hex of the port taken, the cargo stays aboard.
  FixedLand* stuck = Land(1, 2, 5, 3.0f);
  sFlota* waiting = stuck->LoadOntoFleet(kTypeCargo, ph, 3);
  waiting->destinationNode = ph;
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(3, 3, d, nx, ny);
    if (g.map().IsInside(nx, ny) && g.hex(nx, ny).unit == nullptr && g.hex(nx, ny).IsLand()) Land(1, nx, ny, 1.0f);
  }
  FleetsImpulse();
  EXPECT_NE(stuck->transport, nullptr);
  EXPECT_EQ(waiting->ships.size(), 1u);
  EXPECT_EQ(waiting->seaNode, ph);
}

}  // namespace
