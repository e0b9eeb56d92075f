// The computer player's patrols and carrier strikes on a small sea graph:
// the sharing of ships over the zones, the fleet splits, and the target a
// carrier picks by its priorities.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "world/country.h"
#include "world/game.h"

namespace {

using namespace naval_test;
using world_test::TestLandUnit;

// Zones A - B - C along the bottom edge; the enemy's port P5 off B. Country
// 1 is the computer, at war with 2.
class AiNaval : public ::testing::Test {
 protected:
  AiNaval() : g(12, 8, 3) {
    const sZoneRow row = SetUpZoneRow(g);
    a = row.a, b = row.b, c = row.c;
    p5 = AddPort(g, 6, 5, 5, 2);
    TwoWay(g, b, p5);
    for (cPanstwo* k : g.game->countries) k->consts.c165 = 100;  // every ship is spotted
    CreateComputerPlayers(*g.game);
    ai().country = g.game->GetCountry(1);
    SetFrontEnd(&fe);
    savedDelays = delayValues;
    delayValues[DELAY_AI_COMBAT_RESULT] = 1.0f;  // the results come up
  }
  ~AiNaval() override {
    delayValues = savedDelays;
    SetFrontEnd(nullptr);
  }
  cAI& ai() { return *g.game->computerPlayers[0]; }
  cPanstwo& Me() { return *g.game->GetCountry(1); }
  std::vector<sFlota*> Fleets() {
    std::list<sFlota*> out;
    ai().CollectOwnFleets(out);
    return {out.begin(), out.end()};
  }
  void SetHp(sFlota* f, std::initializer_list<int> hp) {
    auto ship = f->ships.begin();
    for (int h : hp) (*ship++)->hitPoints = h;
  }
  TestLandUnit* Enemy(int x, int y, float value, int spotted = 5) {
    auto* u = new TestLandUnit(2, 900 + x * 10 + y, value);
    u->x = x;
    u->y = y;
    u->spottedLevel = spotted;
    g.hex(x, y).unit = u;
    g.game->landUnits.push_back(u);
    return u;
  }
  std::pair<int, int> LastCentre() const {
    for (auto k = fe.calls.rbegin(); k != fe.calls.rend(); ++k)
      if (k->name == "CenterMapOn") return {k->value, k->value2};
    return {-1, -1};
  }
  // A land hex on the coast of the zone.
  void Coast(int x, int y, int zone) { g.hex(x, y).seaZone = static_cast<uint16_t>(zone); }

  GameFixture g;
  cRecordingFrontEnd fe;
  cLogCapture log;
  int a, b, c, p5;
  std::array<float, kDelayCount> savedDelays{};
};

TEST_F(AiNaval, WithoutZonesPatrolsBecomeFreeAndStay) {
  sFlota* f = AddFleet(g, 1, a, {kTypeCruiser});
  f->order = 5;
  f->destinationNode = c;
  ai().AssignPatrolZones();
  EXPECT_EQ(f->order, 0);
  EXPECT_EQ(f->seaNode, a);
}

TEST_F(AiNaval, OneZoneTakesEveryFreeFleetUnsplit) {
  sFlota* f1 = AddFleet(g, 1, a, {kTypeCruiser, kTypeBattleship});
  sFlota* f2 = AddFleet(g, 1, c, {kTypeSubmarine});
  sFlota* busy = AddFleet(g, 1, a, {kTypeCargo});
  busy->order = 3;
  AddFleet(g, 2, b, {kTypeCruiser});
  Me().ai.seaZonesToPatrol = {{b, 1}};
  ai().AssignPatrolZones();
  ASSERT_EQ(Fleets().size(), 3u);
  for (sFlota* f : {f1, f2}) {
    EXPECT_EQ(f->order, 5);
    EXPECT_EQ(f->destinationNode, b);
    EXPECT_EQ(f->formation, 1);
    EXPECT_EQ(f->seaNode, b);
  }
  EXPECT_EQ(busy->order, 3);
  EXPECT_EQ(busy->seaNode, a);
}

TEST_F(AiNaval, TheShipThatPassesTheQuotaStaysInItsZone) {
  // 10 + 10 + 10 over two zones: quota 15; the second ship passes it.
  sFlota* f = AddFleet(g, 1, a, {kTypeCruiser, kTypeBattleship, kTypeSubmarine});
  SetHp(f, {10, 10, 10});
  cJednostkaMorska* third = f->ships.back();
  Me().ai.seaZonesToPatrol = {{b, 0}, {c, 1}};
  const int before = g.game->nextFleetNumber;
  ai().AssignPatrolZones();
  const std::vector<sFlota*> fleets = Fleets();
  ASSERT_EQ(fleets.size(), 2u);
  EXPECT_EQ(f->ships.size(), 2u);
  EXPECT_EQ(f->destinationNode, b);
  EXPECT_EQ(f->seaNode, b);
  EXPECT_EQ(f->formation, 0);
  sFlota* split = fleets[1];
  EXPECT_EQ(split->id, before + 1);
  EXPECT_EQ(split->name, DefaultFleetName(split->id));
  ASSERT_EQ(split->ships.size(), 1u);
  EXPECT_EQ(split->ships.front(), third);
  EXPECT_EQ(third->fleet, split);
  EXPECT_EQ(split->order, 5);
  EXPECT_EQ(split->destinationNode, c);
  EXPECT_EQ(split->formation, 1);
  EXPECT_EQ(split->seaNode, c);
  for (sFlota* k : fleets)
    for (const cJednostkaMorska* s : k->ships) EXPECT_EQ(s->transferMark, 0);
}

TEST_F(AiNaval, AShipTakesTheFirstZoneItsSeaReachesInPlaceOfOneItCannot) {
  // Zone D joins no other zone: a fleet in A cannot sail there, one in D
  // cannot leave it.
  const int d = AddZone(g, 11, 0, L"Zone D");
  sFlota* west = AddFleet(g, 1, a, {kTypeCruiser, kTypeBattleship});
  sFlota* lake = AddFleet(g, 1, d, {kTypeSubmarine});
  SetHp(west, {10, 10});
  SetHp(lake, {10});
  Me().ai.seaZonesToPatrol = {{d, 0}, {c, 1}};
  ai().AssignPatrolZones();
  EXPECT_EQ(west->destinationNode, c);
  EXPECT_EQ(west->seaNode, c);
  EXPECT_EQ(west->ships.size(), 2u);
  EXPECT_EQ(lake->destinationNode, d);
  EXPECT_EQ(lake->order, 5);
  EXPECT_EQ(log.CountContaining(L"there's no path"), 0);
}

TEST_F(AiNaval, AFleetOverThreeZonesIsSplitTwice) {
  // Quota 32 / 3 = 10: ships 1-2 to A, 3-4 to B, 5 to C.
  sFlota* f = AddFleet(g, 1, a, {kTypeCruiser, kTypeBattleship, kTypeCruiser, kTypeBattleship, kTypeSubmarine});
  SetHp(f, {10, 1, 10, 1, 10});
  Me().ai.seaZonesToPatrol = {{a, 0}, {b, 0}, {c, 0}};
  ai().AssignPatrolZones();
  const std::vector<sFlota*> fleets = Fleets();
  ASSERT_EQ(fleets.size(), 3u);
  std::vector<int> sizes, destinations;
  for (sFlota* k : fleets) {
    sizes.push_back(static_cast<int>(k->ships.size()));
    destinations.push_back(k->destinationNode);
    EXPECT_EQ(k->order, 5);
    EXPECT_EQ(k->seaNode, k->destinationNode);
  }
  EXPECT_EQ(sizes, (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(destinations, (std::vector<int>{a, b, c}));
  EXPECT_NE(fleets[1]->id, fleets[2]->id);
}

TEST_F(AiNaval, CarrierStrikesOnlyFromTheThreshold) {
  sFlota* f = AddFleet(g, 1, b, {kTypeCarrier}, 5);
  cJednostkaMorska* carrier = f->ships.front();
  Coast(5, 6, b);
  Enemy(5, 6, 4.0f);
  Me().consts.carrierMinHitPoints = 6;
  ai().CarrierBombardment();
  EXPECT_EQ(carrier->airstrikeDone, 0);
  Me().consts.carrierMinHitPoints = 5;
  ai().CarrierBombardment();
  EXPECT_EQ(carrier->airstrikeDone, 1);
  // One strike an impulse.
  const size_t calls = fe.calls.size();
  ai().CarrierBombardment();
  EXPECT_EQ(fe.calls.size(), calls);
}

TEST_F(AiNaval, CarrierHitsTheStrongestUnitOfThePreferredKind) {
  sFlota* f = AddFleet(g, 1, b, {kTypeCarrier});
  f->ships.front()->hitPoints = 5;
  // Kind 8: visible enemies on the coast of B without a city; the unseen
  // one and the one on another coast do not count.
  Coast(3, 6, b);
  Coast(5, 6, b);
  Coast(7, 6, b);
  Coast(9, 6, c);
  Enemy(3, 6, 3.0f);
  Enemy(5, 6, 7.0f);
  Enemy(7, 6, 9.0f, 2);
  Enemy(9, 6, 12.0f);
  // Kind 4: zone A holds spotted enemy ships.
  AddFleet(g, 2, a, {kTypeCruiser});
  std::fill(std::begin(Me().ai.carrierTargetsPriorities), std::end(Me().ai.carrierTargetsPriorities), 0);
  Me().ai.carrierTargetsPriorities[8] = 50;
  ai().CarrierBombardment();
  ASSERT_EQ(fe.Count("CenterMapOn"), 1);
  const auto centre = std::find_if(fe.calls.begin(), fe.calls.end(),
                                   [](const cRecordingFrontEnd::sCall& k) { return k.name == "CenterMapOn"; });
  EXPECT_EQ(centre->value, 5);
  EXPECT_EQ(centre->value2, 6);

  // Equal priorities: the lower kind (4, the node) goes first.
  f->ships.front()->airstrikeDone = 0;
  Me().ai.carrierTargetsPriorities[8] = 0;
  fe.calls.clear();
  ai().CarrierBombardment();
  ASSERT_EQ(fe.Count("CenterMapOn"), 1);
  EXPECT_EQ(LastCentre(), (std::pair<int, int>{0, 7}));
}

TEST_F(AiNaval, TheNodeWithFewestSpottedShipsIsBombarded) {
  sFlota* f = AddFleet(g, 1, b, {kTypeCarrier});
  f->ships.front()->hitPoints = 5;
  AddFleet(g, 2, a, {kTypeCruiser, kTypeBattleship});
  AddFleet(g, 2, c, {kTypeCruiser});
  std::vector<sHex*> hexes;
  std::vector<sWezelGrafuMorz*> nodes;
  ai().CollectCarrierTargets(*f, hexes, nodes, 4);
  ASSERT_EQ(nodes.size(), 2u);
  ai().CarrierBombardment();
  // Shown at the hex where zone C displays its enemy ship, titled by its kind.
  ASSERT_EQ(fe.Count("CenterMapOn"), 1);
  EXPECT_EQ(LastCentre(), (std::pair<int, int>{8, 7}));
  ASSERT_EQ(fe.combatResults.size(), 1u);
  EXPECT_EQ(fe.combatResults[0].resultCode, sWynikWalki::kCarrierStrikeOnSeaZone);
}

// The defence of the hex it strikes, or the planes of the ships of the sea
// node (taken first once there are some), take the carrier to 0 hit points:
// it sinks there, with the fleet it was alone in.
TEST_F(AiNaval, ACarrierLostInItsStrikeIsNotFreedByIt) {
  for (auto& die : Me().consts.bombardAttackerLoss) std::fill(std::begin(die), std::end(die), 99);
  Coast(5, 6, b);
  Enemy(5, 6, 4.0f);
  Me().consts.c178[2] = 1;  // every ship at the node is hit
  for (const bool atSea : {false, true}) {
    SCOPED_TRACE(atSea ? "a sea node" : "a hex");
    if (atSea) AddFleet(g, 2, a, {kTypeCarrier}, 200);  // fires back at every hit
    AddFleet(g, 1, b, {kTypeCarrier}, atSea ? 1 : 5);
    fe.combatResults.clear();
    ai().CarrierBombardment();
    ASSERT_EQ(fe.combatResults.size(), 1u);
    EXPECT_TRUE(!atSea || fe.combatResults[0].resultCode == sWynikWalki::kCarrierStrikeOnSeaZone);
    EXPECT_EQ(fe.combatResults[0].attackerDestroyed & 1, 1);
    EXPECT_EQ(g.game->navalUnits.size(), atSea ? 1u : 0u);
    EXPECT_EQ(g.game->fleets.size(), atSea ? 1u : 0u);
  }
}

TEST_F(AiNaval, AnEnemyPortIsAHexTargetWithAVisibleUnitElseANodeTarget) {
  sFlota* f = AddFleet(g, 1, b, {kTypeCarrier});
  AddFleet(g, 2, p5, {kTypeCruiser});
  std::vector<sHex*> hexes;
  std::vector<sWezelGrafuMorz*> nodes;
  auto collect = [&](int kind) { ai().CollectCarrierTargets(*f, hexes, nodes, kind); };

  collect(1);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0]->id, p5);
  collect(0);
  EXPECT_TRUE(hexes.empty());

  Enemy(6, 5, 5.0f);
  collect(0);
  ASSERT_EQ(hexes.size(), 1u);
  EXPECT_EQ(hexes[0], &g.hex(6, 5));
  EXPECT_TRUE(nodes.empty());
  collect(1);
  EXPECT_TRUE(nodes.empty());
  // Kind 2 wants a port without spotted ships.
  collect(2);
  EXPECT_TRUE(nodes.empty());
}

}  // namespace
