// Land units at sea: the embarking port, embarking on a new ship and going
// ashore again, going back aboard after a load, and the assault from an
// amphibious ship with its battle replaced by fixed outcomes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "core/settings.h"
#include "core/text.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "units/sea_transport.h"
#include "world/city.h"
#include "world/fleet.h"

using namespace world_test;
using namespace naval_test;
using unit_test::AddCity;
using unit_test::PlaceLand;
using unit_test::ValuedLandUnit;

namespace {

template <class T>
bool Holds(const std::list<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// The battle of the next assault: what it reports, and which side it frees.
struct sScriptedBattle {
  bool killAttacker = false;
  bool killDefender = false;
  int calls = 0;
  int attackerEffectiveness = -1;  // as the attacker went into battle
};
sScriptedBattle gBattle;

bool ScriptedBattle(cJednostka* attacker, int x, int y, sWynikWalki& result) {
  ++gBattle.calls;
  gBattle.attackerEffectiveness = attacker->effectiveness;
  result.resultCode = sWynikWalki::kLandBattle;
  result.generalText = L"scripted";
  if (gBattle.killDefender) {
    gGra->map->GetHex(x, y)->unit->Kill();
    result.defenderDestroyed |= 1;
  }
  if (gBattle.killAttacker) {
    attacker->Kill();
    result.attackerDestroyed |= 1;
  }
  return true;
}

// Rows 6 and 7 are the sea zone Z; row 5 is its coast. Country 1 embarks and
// lands; 2 is its ally, 3 its enemy and 4 a neutral.
class SeaTransport : public ::testing::Test {
 protected:
  SeaTransport() : g(10, 8, 0), scope(&fe) {
    unit_test::LoadShippedStrings();
    g.AddCountry(1);
    g.AddCountry(1);
    g.AddCountry(2);
    g.AddCountry(0);
    g.SetWar(1, 3);
    for (int x = 0; x < 10; ++x) {
      g.hex(x, 6).terrain = kTerrainSea;
      g.hex(x, 7).terrain = kTerrainSea;
    }
    zone = AddZone(g, 5, 7, L"North Sea");
    for (int x = 0; x < 10; ++x) {
      g.hex(x, 5).coastal = 1;
      g.hex(x, 5).seaZone = static_cast<uint16_t>(zone);
    }
    g.game->selection.currentCountry = g.game->GetCountry(1);
    cPanstwo& c = *g.game->GetCountry(1);
    c.seaTransportPoints = 20;
    c.amphibiousPoints = 30;
    const int stp[7] = {2, 4, 3, 6, 4, 8, 2};
    const int aip[7] = {3, 5, 4, 7, 5, 9, 3};
    const int hp[6] = {9, 8, 7, 6, 4, 5};
    std::copy(stp, stp + 7, c.consts.seaTransportCost);
    std::copy(aip, aip + 7, c.consts.amphibiousTransportCost);
    std::copy(hp, hp + 6, c.consts.shipHitPoints);
    const int invasion[6] = {5, 10, 20, 30, 40, 50};
    std::copy(invasion, invasion + 6, c.consts.c170);
    c.consts.c159 = 0.5f;
    c.consts.reserveSupplyLevel = 10;
    c.consts.actionPointTable[0][2] = 6;
    c.consts.supplyTable[sConsts::kEffectivenessTable][10] = 50;
    c.SetNamePart(14, L"Transport");
    c.SetNamePart(15, L"Landing Ship");
    g.game->GetCountry(3)->consts.c160 = 2;
    savedCombatDelay = delayValues[DELAY_HUMAN_COMBAT_RESULT];
    delayValues[DELAY_HUMAN_COMBAT_RESULT] = 0.0f;
    gBattle = sScriptedBattle();
    SetAmphibiousCombat(&ScriptedBattle);
  }
  ~SeaTransport() override {
    SetAmphibiousCombat(nullptr);
    delayValues[DELAY_HUMAN_COMBAT_RESULT] = savedCombatDelay;
  }

  // A mechanised division of country 1 (worth its cost at full strength).
  ValuedLandUnit* Division(int x, int y, float cost = 10.0f) {
    ValuedLandUnit* u = PlaceLand(g, 1, x, y, cost, L"Marines");
    u->SetType(2);
    u->turnsWithoutSupply = 0;
    return u;
  }
  // A division of country 1 aboard a new amphibious ship in the zone.
  ValuedLandUnit* Aboard(float cost = 10.0f) {
    ValuedLandUnit* u = Division(4, 4, cost);
    EXPECT_NE(u->LoadOntoFleet(kTypeAmphibious, zone, 0), nullptr);
    return u;
  }
  // Runs the assault with the dice the seed gives; returns the first die.
  int AssaultWithSeed(cJednostkaLadowa* u, int x, int y, uint32_t seed) {
    SeedRandom(seed);
    const int die = RandomInRange(1, 6);
    SeedRandom(seed);
    u->AmphibiousAssault(x, y);
    return die;
  }
  // The title and text of the message dialog shown last.
  std::wstring LastTextDialog() const {
    for (auto it = fe.calls.rbegin(); it != fe.calls.rend(); ++it)
      if (it->name == "ShowTextDialog") return it->text;
    return L"";
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  LogCapture log;
  int zone = 0;
  float savedCombatDelay = 0.0f;
};

TEST_F(SeaTransport, EmbarkPortIsTheOwnHexElseTheFirstFriendlyPortAround) {
  ValuedLandUnit* u = Division(4, 4);
  int x = 0, y = 0;
  EXPECT_FALSE(u->FindEmbarkPort(x, y));
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);

  // Neighbours in direction order: an enemy port does not count, an allied
  // one does, and it comes before an own port further round.
  sHexPoint n[6];
  for (int d = 0; d < 6; ++d) g.map().NeighbourPoint(4, 4, d, n[d]);
  AddCity(g, n[1].x, n[1].y, kCityPort, 3);
  EXPECT_FALSE(u->FindEmbarkPort(x, y));
  AddCity(g, n[2].x, n[2].y, kCityRegular, 1);  // no port
  AddCity(g, n[3].x, n[3].y, kCitySupplyPort, 2);
  AddCity(g, n[4].x, n[4].y, kCityPort, 1);
  EXPECT_TRUE(u->FindEmbarkPort(x, y));
  EXPECT_EQ(sHexPoint({x, y}), n[3]);

  AddCity(g, 4, 4, kCityPort, 1);
  EXPECT_TRUE(u->FindEmbarkPort(x, y));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 4}));
}

TEST_F(SeaTransport, EmbarkingOnACargoShipAndUnloadingItAgain) {
  AddFleet(g, 1, zone, {kTypeCruiser});  // ship id 101, fleet 1
  ValuedLandUnit* u = Division(4, 4);
  cPanstwo& owner = *g.game->GetCountry(1);

  sFlota* f = u->LoadOntoFleet(kTypeCargo, zone, 3);
  ASSERT_NE(f, nullptr);
  // The cost of a mechanised division (type 2) in sea transport points.
  EXPECT_EQ(owner.seaTransportPoints, 17);
  EXPECT_EQ(owner.amphibiousPoints, 30);
  EXPECT_EQ(f->id, 2);
  EXPECT_EQ(f->name, L"Transport fleet #2");
  EXPECT_EQ(f->seaNode, zone);
  EXPECT_EQ(f->order, 3);
  EXPECT_EQ(f->hasMoved, 1);
  ASSERT_EQ(f->ships.size(), 1u);
  cJednostkaMorska* ship = f->ships.front();
  EXPECT_EQ(ship->unitId, 102);  // above every id in use
  EXPECT_EQ(ship->type, kTypeCargo);
  EXPECT_EQ(ship->hitPoints, 4);
  EXPECT_EQ(ship->maxHitPoints, 4);
  EXPECT_EQ(ship->name, L"#102 Marines Transport");
  EXPECT_EQ(ship->fleet, f);
  EXPECT_EQ(ship->carriedUnit, u);
  EXPECT_EQ(ship->canBeRepaired, 1);
  EXPECT_TRUE(Holds(g.game->navalUnits, ship));
  EXPECT_TRUE(Holds(g.game->fleets, f));
  EXPECT_EQ(u->transport, ship);
  EXPECT_EQ(u->x, -1);
  EXPECT_EQ(u->spottedLevel, 0);
  EXPECT_EQ(g.hex(4, 4).unit, nullptr);
  EXPECT_FALSE(Holds<cJednostkaLadowa>(g.game->landUnits, u));
  EXPECT_TRUE(Holds<cJednostkaLadowa>(g.game->transportedUnits, u));

  // Going ashore gives the points back.
  EXPECT_GE(ship->UnloadTransport(3, 5, 3, 5), 0);
  EXPECT_EQ(owner.seaTransportPoints, 20);
  EXPECT_EQ(g.hex(3, 5).unit, u);
  EXPECT_EQ(u->transport, nullptr);
  EXPECT_TRUE(Holds<cJednostkaLadowa>(g.game->landUnits, u));
  EXPECT_TRUE(g.game->transportedUnits.empty());
}

TEST_F(SeaTransport, EmbarkingOnAnAmphibiousShipCostsInvasionPointsOfTheUnitsType) {
  ValuedLandUnit* u = Division(4, 4);
  u->SetType(5);  // an armoured corps
  sFlota* f = u->LoadOntoFleet(kTypeAmphibious, zone, 0);
  ASSERT_NE(f, nullptr);
  const cPanstwo& owner = *g.game->GetCountry(1);
  EXPECT_EQ(owner.amphibiousPoints, 21);
  EXPECT_EQ(owner.seaTransportPoints, 20);
  EXPECT_EQ(f->name, L"Amphibious fleet #1");
  EXPECT_EQ(f->ships.front()->hitPoints, 5);
  EXPECT_EQ(f->ships.front()->unitId, 1);
  EXPECT_TRUE(Holds<cJednostkaLadowa>(g.game->amphibiousUnits, u));

  // No ship for another type, nor on a node that does not exist.
  ValuedLandUnit* other = Division(6, 4);
  EXPECT_EQ(other->LoadOntoFleet(kTypeCruiser, zone, 0), nullptr);
  EXPECT_EQ(other->LoadOntoFleet(kTypeCargo, 99, 0), nullptr);
  EXPECT_EQ(owner.seaTransportPoints, 20);
  EXPECT_EQ(g.hex(6, 4).unit, other);
  EXPECT_EQ(g.game->fleets.size(), 1u);
}

TEST_F(SeaTransport, AfterLoadingAUnitGoesBackAboardTheShipItNames) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeCruiser, kTypeAmphibious});
  cJednostkaMorska* ship = *std::next(f->ships.begin());
  ValuedLandUnit* u = Division(4, 4);
  u->transportShipId = ship->unitId;
  u->spottedLevel = 6;
  u->LoadIntoTransportById();
  EXPECT_EQ(ship->carriedUnit, u);
  EXPECT_EQ(u->transport, ship);
  EXPECT_EQ(u->x, -1);
  EXPECT_EQ(u->spottedLevel, 0);
  EXPECT_EQ(g.hex(4, 4).unit, nullptr);
  EXPECT_FALSE(Holds<cJednostkaLadowa>(g.game->landUnits, u));
  EXPECT_EQ(g.game->amphibiousUnits, (std::list<cJednostkaLadowa*>{u}));
  u->LoadIntoTransportById();  // twice is still once aboard
  EXPECT_EQ(g.game->amphibiousUnits.size(), 1u);
}

TEST_F(SeaTransport, AfterLoadingABrokenTransportLinkIsAFatalDataError) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeCruiser, kTypeCargo});
  ValuedLandUnit* u = Division(4, 4);
  u->transportShipId = 555;
  EXPECT_EXIT((LogToStderr(), u->LoadIntoTransportById()), ::testing::ExitedWithCode(1),
              "naval unit ID 555, which does not exist");
  u->transportShipId = f->ships.front()->unitId;
  EXPECT_EXIT((LogToStderr(), u->LoadIntoTransportById()), ::testing::ExitedWithCode(1),
              "isn't a transport or amphibious fleet");
  cJednostkaMorska* cargo = f->ships.back();
  ValuedLandUnit* first = Division(6, 4);
  first->transportShipId = u->transportShipId = cargo->unitId;
  first->LoadIntoTransportById();
  EXPECT_EXIT((LogToStderr(), u->LoadIntoTransportById()), ::testing::ExitedWithCode(1), "are both loaded into");
}

TEST_F(SeaTransport, LandingOnAnEmptyEnemyHexCostsTheInvasionLossOfTheDie) {
  ValuedLandUnit* u = Aboard(10.0f);
  sFlota* fleet = g.game->fleets.front();
  g.hex(3, 5).controller = g.hex(3, 5).owner = 3;
  fe.calls.clear();

  const int die = AssaultWithSeed(u, 3, 5, 7);
  const int loss = g.game->GetCountry(1)->consts.c170[die - 1];
  // The unit is worth 10 at strength 100; the loss is in strength points.
  EXPECT_EQ(u->strength, 100 - loss);
  EXPECT_EQ(g.hex(3, 5).unit, u);
  EXPECT_EQ(g.hex(3, 5).controller, 1);
  EXPECT_EQ(u->x, 3);
  EXPECT_EQ(u->y, 5);
  EXPECT_EQ(u->transport, nullptr);
  EXPECT_EQ(u->spottedLevel, 6);
  EXPECT_EQ(u->supply, 10);
  EXPECT_EQ(u->effectiveness, 50);
  EXPECT_EQ(u->actionPoints, 6);
  EXPECT_TRUE(Holds<cJednostkaLadowa>(g.game->landUnits, u));
  EXPECT_TRUE(g.game->amphibiousUnits.empty());
  EXPECT_TRUE(g.game->navalUnits.empty());  // the ship is gone with its fleet
  EXPECT_FALSE(Holds(g.game->fleets, fleet));
  EXPECT_EQ(gBattle.calls, 0);

  EXPECT_EQ(fe.Count("ShowTextDialog"), 1);
  const std::wstring lost = WFormat(L"%.1f", 10.0 * loss / 100.0);
  EXPECT_EQ(LastTextDialog(), L"Landing in North Sea|The troops landed unopposed. The unit lost " + lost + L" strength.");
}

TEST_F(SeaTransport, LandingOnAHexHeldByFriendsIsFreeAndALandingThatLeavesNothingFails) {
  for (int& v : g.game->GetCountry(1)->consts.c170) v = 100;
  ValuedLandUnit* u = Aboard(10.0f);
  g.hex(3, 5).controller = 1;
  g.hex(3, 5).owner = 2;  // held by the owner and an ally
  AssaultWithSeed(u, 3, 5, 3);
  EXPECT_EQ(u->strength, 100);
  EXPECT_EQ(g.hex(3, 5).unit, u);

  // Half held is not held: the full loss leaves a unit worth nothing.
  ValuedLandUnit* second = Aboard(10.0f);
  g.hex(6, 5).controller = 1;
  g.hex(6, 5).owner = 4;
  fe.calls.clear();
  AssaultWithSeed(second, 6, 5, 3);
  EXPECT_EQ(g.hex(6, 5).unit, nullptr);
  EXPECT_EQ(g.game->landUnits.size(), 1u);
  EXPECT_TRUE(g.game->amphibiousUnits.empty());
  EXPECT_EQ(fe.Count("ShowTextDialog"), 1);
  EXPECT_EQ(LastTextDialog(), L"Landing in North Sea|The landing failed and the unit was lost. It lost 10.0 strength.");
}

TEST_F(SeaTransport, AgainstADefenderTheBattleAndThenTheWeightedStrengthsDecide) {
  struct sCase {
    float attackerCost;  // combat strength after the landing penalty: half of it
    float defenderCost;  // combat strength at full effectiveness, weighed twice
    bool killAttacker, killDefender;
    bool lands;
  };
  const sCase cases[] = {
      {100.0f, 30.0f, false, false, false},  // 60 > 50: the attacker is lost
      {120.0f, 30.0f, false, false, true},   // 60 = 60: the defender is lost
      {200.0f, 10.0f, true, false, false},   // the battle sank the attacker
      {10.0f, 90.0f, false, true, true},     // the battle destroyed the defender
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.attackerCost);
    ValuedLandUnit* u = Aboard(c.attackerCost);
    ValuedLandUnit* d = PlaceLand(g, 3, 3, 5, c.defenderCost, L"Defender");
    g.hex(3, 5).controller = 3;
    gBattle = sScriptedBattle();
    gBattle.killAttacker = c.killAttacker;
    gBattle.killDefender = c.killDefender;
    const size_t before = g.game->landUnits.size();

    u->AmphibiousAssault(3, 5);
    EXPECT_EQ(gBattle.calls, 1);
    EXPECT_EQ(gBattle.attackerEffectiveness, 50);
    EXPECT_EQ(g.game->landUnits.size(), before);  // one of the two is gone
    if (c.lands) {
      EXPECT_EQ(g.hex(3, 5).unit, u);
      EXPECT_EQ(g.hex(3, 5).controller, 1);
      EXPECT_EQ(u->effectiveness, 50);
      EXPECT_EQ(u->actionPoints, 6);
    } else {
      EXPECT_EQ(g.hex(3, 5).unit, d);
      EXPECT_EQ(g.hex(3, 5).controller, 3);
    }
    EXPECT_TRUE(g.game->amphibiousUnits.empty());
    EXPECT_TRUE(g.game->navalUnits.empty());
    EXPECT_EQ(g.game->selection.selectedUnit, nullptr);
    // Clear the beach for the next case.
    g.hex(3, 5).unit->Kill();
  }
}

TEST_F(SeaTransport, WithTheLandCombatOfTheRulesAnOverrunDefenderLetsTheUnitLand) {
  SetAmphibiousCombat(nullptr);
  for (int id : {1, 3}) {
    sConsts& c = g.game->GetCountry(id)->consts;
    std::fill(std::begin(c.c031), std::end(c.c031), 1.0f);
    std::fill(std::begin(c.c032), std::end(c.c032), 1.0f);
    for (float* row : {c.c019, c.c020, c.c021, c.c022, c.c023, c.c024}) std::fill(row, row + 7, 10.0f);
    for (float* row : {c.c025, c.c026, c.c027, c.c028, c.c029, c.c030}) std::fill(row, row + 7, 0.1f);
  }
  delayValues[DELAY_HUMAN_COMBAT_RESULT] = 1.0f;
  ValuedLandUnit* u = Aboard(1000.0f);
  PlaceLand(g, 3, 3, 5, 1.0f, L"Outpost");
  g.hex(3, 5).controller = 3;
  u->AmphibiousAssault(3, 5);
  EXPECT_EQ(g.hex(3, 5).unit, u);
  EXPECT_EQ(g.hex(3, 5).controller, 1);
  EXPECT_EQ(g.game->landUnits, (std::list<cJednostkaLadowa*>{u}));
  ASSERT_EQ(fe.combatResults.size(), 1u);
  EXPECT_EQ(fe.combatResults[0].defenderDestroyed, 1);
  EXPECT_EQ(fe.combatResults[0].attackerCountry, 1);
}

TEST_F(SeaTransport, TheCombatResultIsShownWhenItsDelayIsSetAndTheComputerWaitsForIt) {
  delayValues[DELAY_HUMAN_COMBAT_RESULT] = 1500.0f;
  ValuedLandUnit* u = Aboard(120.0f);
  PlaceLand(g, 3, 3, 5, 30.0f, L"Defender");
  u->AmphibiousAssault(3, 5);
  EXPECT_EQ(fe.Count("ShowCombatResult"), 1);
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 0);
  EXPECT_EQ(fe.Count("PlaySound"), 1);
  ASSERT_EQ(fe.combatResults.size(), 1u);
  EXPECT_EQ(fe.combatResults[0].generalText, L"scripted");

  ValuedLandUnit* ai = Aboard(120.0f);
  PlaceLand(g, 3, 6, 5, 30.0f, L"Defender");
  fe.calls.clear();
  ai->AiAmphibiousAssault(6, 5);
  EXPECT_EQ(g.hex(6, 5).unit, ai);
  EXPECT_TRUE(log.Has(L"[AI] Unloading amphibious unit Marines to hex (6, 5)"));
  EXPECT_EQ(fe.Count("ShowCombatResult"), 1);
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 1);
  EXPECT_EQ(fe.Count("CenterMapOn"), 1);
  EXPECT_EQ(fe.Count("Delay"), 5);  // around the move, the battle and the landing

  // An empty hex shows the computer's landing without a message.
  ValuedLandUnit* quiet = Aboard(10.0f);
  fe.calls.clear();
  quiet->AiAmphibiousAssault(8, 5);
  EXPECT_EQ(g.hex(8, 5).unit, quiet);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
}

TEST_F(SeaTransport, AnAssaultOnAFriendlyUnitEndsTheGameAndOnTheSeaDoesNothing) {
  ValuedLandUnit* u = Aboard();
  PlaceLand(g, 2, 3, 5, 10.0f, L"Ally");
  EXPECT_EXIT((LogToStderr(), u->AmphibiousAssault(3, 5)), ::testing::ExitedWithCode(2),
              "Cannot assault with a friendly unit");
  u->AmphibiousAssault(3, 6);  // a sea hex
  EXPECT_NE(u->transport, nullptr);
  EXPECT_TRUE(Holds<cJednostkaLadowa>(g.game->amphibiousUnits, u));
}

}  // namespace
