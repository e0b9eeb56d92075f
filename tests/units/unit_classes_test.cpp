// The unit class tree: construction and copies, names and types, levels,
// teleporting, and what each class does in each slot of the operation
// table when driven through base pointers.
#include "units/unit.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/front_end.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/country.h"

using namespace world_test;
using namespace unit_test;

namespace {

using FrontEndScope = cFrontEndScope;

// ---- construction and copies -------------------------------------------------

TEST(UnitConstruction, NewUnitsTakeTheNextIdOfTheirKind) {
  GameFixture g(2, 2, 1);
  g.game->consts.initialTurnsSinceDrop = 4;
  g.game->landUnitCounter = 10;
  g.game->airUnitCounter = 20;
  cJednostkaLadowa land;
  cMulberry harbour;
  cJednostkaLotnicza air;
  cJednostkaMorska ship;
  EXPECT_EQ(land.unitId, 11);
  EXPECT_EQ(harbour.unitId, 12);
  EXPECT_EQ(air.unitId, 21);
  EXPECT_EQ(g.game->landUnitCounter, 12);
  EXPECT_EQ(g.game->airUnitCounter, 21);
  EXPECT_EQ(land.category, kCategoryLand);
  EXPECT_EQ(air.category, kCategoryAir);
  EXPECT_EQ(ship.category, kCategoryNaval);
  EXPECT_EQ(land.turnsWithoutSupply, 1);
  EXPECT_EQ(air.turnsWithoutSupply, 0);
  EXPECT_EQ(land.turnsFromLastParadrop, 4);
  EXPECT_EQ(land.assignedCommanderId, -1);
  EXPECT_EQ(land.commander, nullptr);
  EXPECT_EQ(land.x, -1);
  EXPECT_EQ(land.lastX, -1);
  EXPECT_EQ(land.aiTargetX, -1);
  EXPECT_EQ(land.trenchBonusMultiplier, 0);
  EXPECT_EQ(land.deployedThisTurn, 0);
  EXPECT_EQ(land.shoreBombardmentEffect, 0.0f);
  EXPECT_TRUE(land.moveList.empty());
  EXPECT_EQ(ship.assignedSeaZone, -1);
}

TEST(UnitConstruction, WithoutAGameUnitsTakeNoId) {
  ASSERT_EQ(gGra, nullptr);
  cJednostkaLadowa land;
  cJednostkaLotnicza air;
  EXPECT_EQ(land.unitId, 0);
  EXPECT_EQ(air.unitId, 0);
  EXPECT_EQ(land.turnsFromLastParadrop, 0);
}

TEST(UnitConstruction, CopiesCarryEveryFieldAndTheirOwnLists) {
  GameFixture g(2, 2, 1);
  cMulberry original;
  original.SetName(L"Harbour A");
  original.secondName = L"second";
  original.countryId = 1;
  original.level = 3;
  original.strength = 40;
  original.secondStrength = 2.5f;
  original.monthsLeft = 6;
  original.freezeTime = 2;
  original.aiUltimateTargetY = 9;
  original.moveList.push_back({&original, 1, 1, 2, 3});
  original.planningList.push_back({&original, 0, 1, 0, 1});
  const int counter = g.game->landUnitCounter;
  cMulberry copy(original);
  EXPECT_EQ(g.game->landUnitCounter, counter);
  EXPECT_EQ(copy.unitId, original.unitId);
  EXPECT_EQ(copy.name, L"Harbour A");
  EXPECT_EQ(copy.secondName, L"second");
  EXPECT_EQ(copy.level, 3);
  EXPECT_EQ(copy.strength, 40);
  EXPECT_EQ(copy.secondStrength, 2.5f);
  EXPECT_EQ(copy.monthsLeft, 6);
  EXPECT_EQ(copy.freezeTime, 2);
  EXPECT_EQ(copy.aiUltimateTargetY, 9);
  ASSERT_EQ(copy.moveList.size(), 1u);
  EXPECT_EQ(copy.moveList.front().cost, 3);
  original.moveList.clear();
  EXPECT_EQ(copy.moveList.size(), 1u);
  EXPECT_EQ(copy.planningList.size(), 1u);
}

// ---- names, types and levels -------------------------------------------------

TEST(UnitIdentity, NamesAreCutAt99Characters) {
  cJednostkaMorska ship;
  ship.SetName(std::wstring(150, L'x'));
  EXPECT_EQ(ship.name.size(), 99u);
  ship.SetName(L"Vega");
  EXPECT_EQ(ship.name, L"Vega");
}

TEST(UnitIdentity, TypesSetTheCategoryAndUnknownCodesWarn) {
  cRecordingFrontEnd fe;
  FrontEndScope scope(&fe);
  cJednostkaMorska u;
  u.SetName(L"Odd");
  u.unitId = 3;
  const std::pair<int, int> known[] = {{0, 0}, {5, 0}, {6, 0}, {60, 0}, {20, 1}, {22, 1}, {40, 2}, {45, 2}};
  for (const auto& [code, category] : known) {
    u.SetType(code);
    EXPECT_EQ(u.type, code);
    EXPECT_EQ(u.category, category) << code;
  }
  EXPECT_EQ(fe.Count("MessageBox"), 0);
  for (int code : {7, 19, 23, 46, 61}) {
    u.SetType(code);
    EXPECT_EQ(u.type, code);
    EXPECT_EQ(u.category, 2) << code;
  }
  ASSERT_EQ(fe.Count("MessageBox"), 5);
  EXPECT_EQ(fe.calls[0].text, L"DBGINF: Unknown unit type (7) for unit Odd (ID=3)|DBG WARNING");
}

TEST(UnitIdentity, SubtypeNamesWithTheCounterSizes) {
  LoadShippedStrings();
  EXPECT_EQ(cJednostka::GetSubtypeName(3), L"Mechanized (size 2)");  // no game: the default sizes
  GameFixture g(1, 1);
  g.game->smallUnitSize = 2;
  g.game->largeUnitSize = 1;
  EXPECT_EQ(cJednostka::GetSubtypeName(0), L"Infantry (size 3)");
  EXPECT_EQ(cJednostka::GetSubtypeName(3), L"Mechanized (size 2)");
  EXPECT_EQ(cJednostka::GetSubtypeName(5), L"Armoured (size 2)");
  EXPECT_EQ(cJednostka::GetSubtypeName(6), L"Airborne (size 3)");
  EXPECT_EQ(cJednostka::GetSubtypeName(60), L"Unknown");
  EXPECT_EQ(cJednostka::GetSubtypeName(21), L"Tactical bomber");
  EXPECT_EQ(cJednostka::GetSubtypeName(43), L"Submarine");
  EXPECT_EQ(cJednostka::GetSubtypeName(99), L"Unknown");
}

// Counts the effectiveness recomputations.
class CountingLandUnit : public cJednostkaLadowa {
 public:
  void UpdateEffectiveness() override { ++updates; }
  int updates = 0;
};

TEST(UnitIdentity, LevelsChangeOnlyWhileTheyStayAboveZero) {
  CountingLandUnit u;
  u.level = 1;
  u.ChangeLevel(-1);
  EXPECT_EQ(u.level, 1);
  EXPECT_EQ(u.updates, 0);
  u.ChangeLevel(2);
  EXPECT_EQ(u.level, 3);
  EXPECT_EQ(u.updates, 1);
  u.ChangeLevel(-2);
  EXPECT_EQ(u.level, 1);
  EXPECT_EQ(u.updates, 2);
  u.ChangeLevel(5);  // no upper bound here
  EXPECT_EQ(u.level, 6);
  u.spottedLevel = 4;
  EXPECT_FALSE(u.IsFullySpotted());
  u.spottedLevel = 5;
  EXPECT_TRUE(u.IsFullySpotted());
  u.spottedLevel = 6;
  EXPECT_TRUE(u.IsFullySpotted());
}

TEST(UnitIdentity, TeleportOnlyToAFreeHexOfTheMap) {
  GameFixture g(4, 4, 1);
  ValuedLandUnit* u = PlaceLand(g, 1, 1, 1);
  ValuedLandUnit* other = PlaceLand(g, 1, 2, 2);
  u->Teleport(3, 0);
  EXPECT_EQ(u->x, 3);
  EXPECT_EQ(u->y, 0);
  EXPECT_EQ(g.hex(3, 0).unit, u);
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  u->Teleport(2, 2);
  u->Teleport(4, 0);
  u->Teleport(-1, 2);
  EXPECT_EQ(u->x, 3);
  EXPECT_EQ(g.hex(2, 2).unit, other);
  EXPECT_EQ(g.hex(3, 0).unit, u);
  // A reserve unit enters the map; a ship never stands on a hex.
  auto* reserve = new cJednostkaLotnicza();
  g.game->reserve.push_back(reserve);
  reserve->Teleport(0, 3);
  EXPECT_EQ(g.hex(0, 3).unit, reserve);
  cJednostkaMorska ship;
  ship.Teleport(1, 1);
  EXPECT_EQ(ship.x, -1);
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
}

TEST(UnitIdentity, TheOwnerIsTheCountryOfTheId) {
  GameFixture g(1, 1, 2);
  cJednostkaMorska ship;
  ship.countryId = 2;
  EXPECT_EQ(ship.GetCountry(), g.game->countries[1]);
  ship.countryId = 3;
  EXPECT_EQ(ship.GetCountry(), nullptr);
  ship.countryId = 0;
  EXPECT_EQ(ship.GetCountry(), nullptr);
}

// ---- the operation table, class by class -------------------------------------

class Dispatch : public ::testing::Test {
 protected:
  Dispatch() : g(5, 5, 1) {
    LoadShippedStrings();
    owner = g.game->countries[0];
    owner->consts.reserveSupplyLevel = 12;
    owner->consts.newMulberryStrength = 7.9f;
    land = PlaceLand(g, 1, 0, 0, 30.0f, L"Rifles");
    harbour = new cMulberry();
    harbour->countryId = 1;
    harbour->SetType(kTypeMulberry);
    air = PlaceAir(g, 1, 4, 4, 8);
    ship = new cJednostkaMorska();
    ship->countryId = 1;
    ship->SetType(kTypeCarrier);
    g.game->navalUnits.push_back(ship);
    l = land;
    h = harbour;
    a = air;
  }
  ~Dispatch() override { delete harbour; }

  GameFixture g;
  cPanstwo* owner;
  ValuedLandUnit* land;
  cMulberry* harbour;
  cJednostkaLotnicza* air;
  cJednostkaMorska* ship;
  // The same units through the base class, as the game drives them.
  cJednostka* l;
  cJednostka* h;
  cJednostka* a;
};

TEST_F(Dispatch, TheClassesStandInTheirTree) {
  cUnit* units[] = {land, harbour, air, ship};
  EXPECT_NE(dynamic_cast<cJednostkaLadowa*>(units[1]), nullptr);
  EXPECT_NE(dynamic_cast<cJednostka*>(units[2]), nullptr);
  EXPECT_EQ(dynamic_cast<cJednostkaLadowa*>(units[2]), nullptr);
  EXPECT_EQ(dynamic_cast<cJednostka*>(units[3]), nullptr);
  EXPECT_EQ(dynamic_cast<cMulberry*>(units[0]), nullptr);
}

TEST_F(Dispatch, EffectivenessByClass) {
  cUnit* n = ship;
  land->effectiveness = -5;
  air->effectiveness = 40;
  l->UpdateEffectiveness();
  a->UpdateEffectiveness();
  n->UpdateEffectiveness();
  EXPECT_EQ(land->effectiveness, 1);
  EXPECT_EQ(air->effectiveness, 100);
}

TEST_F(Dispatch, RangesAndInterceptionByClass) {
  sWynikWalki r;
  // Spent points: no range, not even the fresh unit's single step.
  land->startingActionPoints = 2;
  // A ship's interception is a fight of its own, tested with the naval units.
  for (cUnit* u : std::initializer_list<cUnit*>{land, harbour, air}) EXPECT_FALSE(u->Intercept(air, r));
  for (cUnit* u : std::initializer_list<cUnit*>{land, harbour, air, ship}) EXPECT_EQ(u->MarkAttackTargets(true), 0);
  land->moveList.push_back({land, 1, 0, 4, 2});
  EXPECT_EQ(static_cast<cUnit*>(land)->MarkAttackTargets(true), 0);
  EXPECT_TRUE(land->moveList.empty());
  // A ship is placed in a port, not on the land.
  EXPECT_EQ(static_cast<cUnit*>(ship)->MarkMoveRange(false), 0);
}

TEST_F(Dispatch, MoveRangeLookupsLogTheirAnswer) {
  LogCapture log;
  land->moveList.push_back({land, 1, 0, 4, 2});
  EXPECT_TRUE(l->IsHexInMoveRange(1, 0));
  EXPECT_FALSE(l->IsHexInMoveRange(0, 1));
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Pole jest w zasi\u010f\u017c\u02ddgu ruchu jednostki",
                                                  L"Pole jest poza zasi\u010f\u017c\u02ddgiem ruchu jednostki"}));
  EXPECT_FALSE(a->IsHexInMoveRange(4, 4));
  EXPECT_FALSE(a->PickNearestFreeHex());
}

TEST_F(Dispatch, SettersReturnWhatTheyWereGivenExceptTheHarbours) {
  EXPECT_EQ(l->SetSupplySourceX(3), 3);
  EXPECT_EQ(l->SetSupplySourceY(4), 4);
  EXPECT_EQ(land->supplySourceX, 3);
  EXPECT_EQ(land->supplySourceY, 4);
  EXPECT_EQ(l->SetSupplyLevel(9), 9);
  EXPECT_EQ(land->supply, 9);
  EXPECT_EQ(l->SetActionPoints(5), 5);
  EXPECT_EQ(l->AddActionPoints(2), 2);
  EXPECT_EQ(land->actionPoints, 7);
  EXPECT_EQ(l->SetStartingActionPoints(6), 6);
  EXPECT_EQ(a->SetActionPoints(4), 4);
  EXPECT_EQ(air->actionPoints, 4);

  EXPECT_EQ(h->SetSupplySourceX(3), -1);
  EXPECT_EQ(h->SetSupplySourceY(4), -1);
  EXPECT_EQ(harbour->supplySourceX, -1);
  EXPECT_EQ(harbour->supplySourceY, -1);
  EXPECT_EQ(h->SetSupplyLevel(30), 12);  // the owner's reserve supply level
  EXPECT_EQ(harbour->supply, 12);
  EXPECT_EQ(h->SetActionPoints(5), 0);
  EXPECT_EQ(h->AddActionPoints(5), 0);
  EXPECT_EQ(h->SetStartingActionPoints(5), 0);
  EXPECT_EQ(harbour->actionPoints, 0);
  EXPECT_EQ(harbour->startingActionPoints, 0);
}

TEST_F(Dispatch, StrengthByClass) {
  land->strength = 80;
  land->effectiveness = 50;
  EXPECT_EQ(l->GetStrength(), 80);
  EXPECT_FLOAT_EQ(l->GetStrengthValue(), 24.0f);    // cost 30 x 80 / 100
  EXPECT_FLOAT_EQ(l->GetCombatStrength(), 12.0f);   // x 50 / 100
  EXPECT_EQ(l->AddStrength(-30), -30);
  EXPECT_EQ(land->strength, 50);
  EXPECT_EQ(static_cast<cJednostkaLadowa*>(land)->SetStrength(90), 90);

  EXPECT_EQ(a->GetStrength(), 8);
  EXPECT_EQ(a->GetStrengthValue(), 8.0f);
  EXPECT_EQ(a->GetCombatStrength(), 8.0f);
  EXPECT_EQ(a->AddStrength(2), 2);
  EXPECT_EQ(air->strength, 10);

  // Any change leaves the harbour at its fixed strength.
  EXPECT_EQ(h->AddStrength(50), 7);
  EXPECT_EQ(harbour->strength, 7);
  harbour->strength = 1;
  EXPECT_EQ(static_cast<cJednostkaLadowa*>(harbour)->SetStrength(100), 7);
  EXPECT_EQ(harbour->strength, 7);

  ship->hitPoints = 4;
  ship->maxHitPoints = 6;
  ship->ChangeLevelClamped(5);
  EXPECT_EQ(ship->hitPoints, 6);
  ship->ChangeLevelClamped(-9);
  EXPECT_EQ(ship->hitPoints, 0);
}

TEST_F(Dispatch, NewTurnActionPointsByClass) {
  // Empty tables give nothing, and infantry always keeps one point.
  land->startingActionPoints = 6;
  land->deployedThisTurn = 1;
  EXPECT_EQ(l->ResetActionPoints(), 1);
  EXPECT_EQ(land->startingActionPoints, 1);
  EXPECT_EQ(land->deployedThisTurn, 0);
  land->freezeTime = 2;
  EXPECT_EQ(l->ResetActionPoints(), 0);
  EXPECT_EQ(land->actionPoints, 0);
  harbour->actionPoints = 5;
  EXPECT_EQ(h->ResetActionPoints(), 0);
  EXPECT_EQ(harbour->actionPoints, 0);
  // Without supply an air unit has no action points.
  air->startingActionPoints = 3;
  air->supply = 0;
  EXPECT_EQ(a->ResetActionPoints(), 0);
  EXPECT_EQ(air->startingActionPoints, 0);
}

TEST_F(Dispatch, AirUnitsAnswerTheirFixedHints) {
  std::wstring text;
  EXPECT_FALSE(a->GetAirborneAssaultIconHint(&text));
  EXPECT_EQ(text, L"Only airborne units can make an airborne assault.");
  EXPECT_FALSE(a->GetSeaTransportIconHint(&text));
  EXPECT_EQ(text, L"Only land units can be transported by sea.");
  EXPECT_FALSE(a->GetAmphibiousTransportIconHint(&text));
  EXPECT_EQ(text, L"Only land units can make an amphibious assault.");
  EXPECT_FALSE(a->GetUpgradeHint(&text));
  EXPECT_EQ(text, L"Air units cannot be upgraded to corps.");
  EXPECT_FALSE(a->GetUpgradeHint(nullptr));
  EXPECT_EQ(a->GetEffectivenessHint(), L"Air units always fight at full effectiveness.");
  LogCapture log;
  EXPECT_EQ(a->GetUpgradeToCorpsCost(), 0.0f);
  EXPECT_FALSE(a->UpgradeToCorps());
  EXPECT_EQ(log.lines, (std::vector<std::wstring>(2, L"Error: jednostek lotniczych nie da sie upgradeowac na korpus")));
}

TEST_F(Dispatch, KillingByClass) {
  // A ship's slot does nothing: ships are sunk with their fleets.
  static_cast<cUnit*>(ship)->Kill();
  EXPECT_EQ(g.game->navalUnits.size(), 1u);
  static_cast<cUnit*>(air)->Kill();
  EXPECT_TRUE(g.game->airUnits.empty());
  EXPECT_EQ(g.hex(4, 4).unit, nullptr);
  static_cast<cUnit*>(land)->Kill();
  EXPECT_TRUE(g.game->landUnits.empty());
  EXPECT_EQ(g.hex(0, 0).unit, nullptr);
}

// ---- destruction through base pointers --------------------------------------

int gDestroyed = 0;
struct TracedShip : cJednostkaMorska {
  ~TracedShip() override { ++gDestroyed; }
};
struct TracedHarbour : cMulberry {
  ~TracedHarbour() override { ++gDestroyed; }
};
struct TracedAir : cJednostkaLotnicza {
  ~TracedAir() override { ++gDestroyed; }
};

TEST(UnitDestruction, EveryClassIsDestroyedWholeThroughItsRoot) {
  gDestroyed = 0;
  std::vector<cUnit*> units = {new TracedShip(), new TracedHarbour(), new TracedAir(), new cJednostkaLadowa(),
                               new cMulberry(), new cJednostkaLotnicza(), new cJednostkaMorska()};
  for (cUnit* u : units) {
    u->SetName(std::wstring(80, L'n'));
    if (auto* j = dynamic_cast<cJednostka*>(u)) {
      for (int i = 0; i < 5; ++i) j->moveList.push_back({j, i, i, 0, i});
      j->planningList = j->moveList;
    }
  }
  for (cUnit* u : units) delete u;
  EXPECT_EQ(gDestroyed, 3);
  std::unique_ptr<cJednostka> owned(new TracedAir());
  owned.reset();
  EXPECT_EQ(gDestroyed, 4);
}

}  // namespace
