// Cities: holders, ports, the hexes around a city, sieges, strategic
// bombardment and nuclear strikes.
#include "world/city.h"

#include <gtest/gtest.h>

#include "core/random.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world_test_support.h"

using namespace world_test;
using namespace unit_test;

namespace {

// Neighbours of (2, 2), an even column, by direction 0-5.
constexpr int kN[6][2] = {{2, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2}};

class RatioScope {
 public:
  explicit RatioScope(AirSuperiorityRatioFn fn) { SetAirSuperiorityRatioSource(fn); }
  ~RatioScope() { SetAirSuperiorityRatioSource(nullptr); }
};

// ---- record and holders ----------------------------------------------------

TEST(CityRecord, CopiesTheTableFieldsButNotTheTables) {
  cMiasto c;
  EXPECT_EQ(c.x, 0);
  EXPECT_EQ(c.y, 0);
  EXPECT_EQ(c.diagramIndex, -1);
  c.x = 4;
  c.y = 7;
  c.name = L"Orlin";
  c.type = kCitySupplyPort;
  c.victoryPoints = 3;
  c.productionPoints = 12.5f;
  c.supply = 9;
  c.bombardmentLosses = 6;
  c.diagramIndex = 2;
  c.supplyInfo = {1, 2};
  c.convoyInfo = {1};
  c.hops = {0, 1, 2};
  const cMiasto copy(c);
  EXPECT_EQ(copy.x, 4);
  EXPECT_EQ(copy.y, 7);
  EXPECT_EQ(copy.name, L"Orlin");
  EXPECT_EQ(copy.type, kCitySupplyPort);
  EXPECT_EQ(copy.victoryPoints, 3);
  EXPECT_EQ(copy.productionPoints, 12.5f);
  EXPECT_EQ(copy.supply, 9);
  EXPECT_EQ(copy.bombardmentLosses, 6);
  EXPECT_EQ(copy.diagramIndex, 2);
  EXPECT_TRUE(copy.supplyInfo.empty());
  EXPECT_TRUE(copy.convoyInfo.empty());
  EXPECT_TRUE(copy.hops.empty());
}

TEST(CityRecord, TypeNamesAndPorts) {
  LoadShippedStrings();
  cMiasto c;
  const std::pair<int, const wchar_t*> names[] = {{0, L"Supply city"}, {1, L"City"}, {2, L"Supply city and port"},
                                                  {3, L"Port"},        {4, L"Resources"},
                                                  {5, L"Error: city of unknown type!"}};
  for (const auto& [type, text] : names) {
    c.type = type;
    EXPECT_EQ(c.GetTypeName(), text);
    EXPECT_EQ(c.IsPort(), type == 2 || type == 3) << type;
  }
}

TEST(CityHolders, TheHexTellsWhoHoldsTheCity) {
  GameFixture g(3, 3, 3);
  cMiasto* c = AddCity(g, 1, 1, kCityRegular, 2);
  g.hex(1, 1).originalOwner = 3;
  g.hex(1, 1).owner = 1;
  EXPECT_EQ(c->GetController(), 2);
  EXPECT_EQ(c->GetOwner(), 1);
  EXPECT_EQ(c->GetOriginalOwner(), 3);
  EXPECT_EQ(c->GetName(), L"City");
  cMiasto off;
  off.x = 5;
  EXPECT_EQ(off.GetHex(), nullptr);
  EXPECT_EQ(off.GetController(), 0);
  EXPECT_EQ(off.GetOwner(), 0);
}

TEST(CityHolders, PerCountryTablesAnswerForUnsizedCountries) {
  cMiasto c;
  c.supplyInfo = {7, 3};
  c.convoyInfo = {0, 1};
  EXPECT_EQ(c.GetSupplyFor(1), 7);
  EXPECT_EQ(c.GetSupplyFor(2), 3);
  EXPECT_EQ(c.GetSupplyFor(3), 0);
  EXPECT_EQ(c.GetSupplyFor(0), 0);
  EXPECT_FALSE(c.IsCutOffFor(1));
  EXPECT_TRUE(c.IsCutOffFor(2));
  EXPECT_FALSE(c.IsCutOffFor(3));
}

TEST(CityPorts, ThePortFindsTheNodeOnItsHex) {
  GameFixture g(3, 3, 1);
  g.game->seaGraph.nodes.resize(2);
  cMiasto* c = AddCity(g, 1, 1, kCityPort, 1, L"Portus");
  g.hex(1, 1).seaNodeMarker = 2;
  EXPECT_EQ(c->GetSeaNode(), 2);
}

TEST(CityPortsDeathTest, APortWithoutANodeEndsTheProgram) {
  GameFixture g(3, 3, 1);
  g.game->seaGraph.nodes.resize(1);
  cMiasto* c = AddCity(g, 1, 1, kCityPort, 1, L"Portus");
  EXPECT_EXIT((LogToStderr(), c->GetSeaNode()), ::testing::ExitedWithCode(1),
              "ERROR! Cannot find sea node for city Portus \\(1,1\\). City type=3");
  g.hex(1, 1).seaNodeMarker = 4;  // no such node
  EXPECT_EXIT((LogToStderr(), c->GetSeaNode()), ::testing::ExitedWithCode(1), "Cannot find sea node for city Portus");
}

// ---- hexes around the city -------------------------------------------------

TEST(CityNeighbours, FreeHexForACountryOrItsAllies) {
  GameFixture g(5, 5);
  cPanstwo* own = g.AddCountry(kAllianceAllies);
  cPanstwo* enemy = g.AddCountry(kAllianceAxis);
  cPanstwo* ally = g.AddCountry(kAllianceAllies);
  cMiasto* c = AddCity(g, 2, 2, kCityRegular, own->id);
  EXPECT_EQ(c->FindFreeHexForCountry(own->id), (sHexPoint{2, 2}));
  EXPECT_EQ(c->FindFreeHexForCountry(ally->id), (sHexPoint{2, 2}));
  EXPECT_EQ(c->FindFreeHexForCountry(enemy->id), (sHexPoint{-1, -1}));

  PlaceLand(g, own->id, 2, 2);
  g.hex(kN[0][0], kN[0][1]).terrain = kTerrainSea;
  g.hex(kN[0][0], kN[0][1]).controller = static_cast<uint8_t>(own->id);  // sea is never chosen
  g.hex(kN[1][0], kN[1][1]).controller = 0;                              // nobody's
  g.hex(kN[2][0], kN[2][1]).controller = static_cast<uint8_t>(enemy->id);
  g.hex(kN[3][0], kN[3][1]).controller = static_cast<uint8_t>(own->id);
  PlaceLand(g, own->id, kN[3][0], kN[3][1]);
  g.hex(kN[4][0], kN[4][1]).controller = static_cast<uint8_t>(ally->id);
  g.hex(kN[5][0], kN[5][1]).controller = static_cast<uint8_t>(own->id);
  EXPECT_EQ(c->FindFreeHexForCountry(own->id), (sHexPoint{kN[4][0], kN[4][1]}));
  g.hex(kN[4][0], kN[4][1]).controller = 0;
  EXPECT_EQ(c->FindFreeHexForCountry(own->id), (sHexPoint{kN[5][0], kN[5][1]}));
  EXPECT_EQ(c->FindFreeHexForCountry(enemy->id), (sHexPoint{kN[2][0], kN[2][1]}));
  EXPECT_EQ(c->FindFreeHexForCountry(0), (sHexPoint{-1, -1}));
}

TEST(CityNeighbours, AnUncontrolledCityHexIsNoFreeHexButNoErrorEither) {
  GameFixture g(5, 5);
  cPanstwo* own = g.AddCountry(kAllianceAllies);
  cMiasto* c = AddCity(g, 2, 2, kCityRegular, 0);
  EXPECT_EQ(c->FindFreeHexForCountry(own->id), (sHexPoint{-1, -1}));
  g.hex(kN[2][0], kN[2][1]).controller = static_cast<uint8_t>(own->id);
  EXPECT_EQ(c->FindFreeHexForCountry(own->id), (sHexPoint{kN[2][0], kN[2][1]}));
}

TEST(CityNeighbours, NoFreeNeighbourWhenEveryLandNeighbourHoldsAUnit) {
  GameFixture g(5, 5, 1);
  cMiasto* c = AddCity(g, 2, 2, kCityRegular, 1);
  EXPECT_FALSE(c->HasNoFreeNeighbourHex());
  for (int d = 0; d < 6; ++d) {
    if (d % 2 == 0)
      g.hex(kN[d][0], kN[d][1]).terrain = kTerrainSea;
    else
      PlaceLand(g, 1, kN[d][0], kN[d][1]);
  }
  EXPECT_TRUE(c->HasNoFreeNeighbourHex());
  // The map's edge has no hexes to offer either.
  cMiasto* corner = AddCity(g, 0, 0, kCityRegular, 1);
  PlaceLand(g, 1, 1, 0);
  PlaceLand(g, 1, 0, 1);
  EXPECT_FALSE(corner->HasNoFreeNeighbourHex());
  PlaceLand(g, 1, 1, 1);
  EXPECT_TRUE(corner->HasNoFreeNeighbourHex());
}

class Siege : public ::testing::Test {
 protected:
  Siege() : g(5, 5) {
    defender = g.AddCountry(kAllianceAllies);
    attacker = g.AddCountry(kAllianceAxis);
    friendOfAttacker = g.AddCountry(kAllianceAxis);
    g.SetWar(defender->id, attacker->id);
    city = AddCity(g, 2, 2, kCityRegular, defender->id);
    for (const auto& n : kN) g.hex(n[0], n[1]).terrain = kTerrainSea;
  }
  void Land(int d) { g.hex(kN[d][0], kN[d][1]).terrain = kTerrainPlain; }
  ValuedLandUnit* Enemy(int d, float cost = 10.0f) {
    Land(d);
    return PlaceLand(g, attacker->id, kN[d][0], kN[d][1], cost, L"Besieger");
  }

  GameFixture g;
  cPanstwo* defender;
  cPanstwo* attacker;
  cPanstwo* friendOfAttacker;
  cMiasto* city;
};

TEST_F(Siege, TwoEnemiesAroundAnOccupiedCityBesiegeIt) {
  EXPECT_FALSE(city->IsBesieged());  // nobody in the city
  PlaceLand(g, defender->id, 2, 2);
  Enemy(1);
  EXPECT_FALSE(city->IsBesieged());  // one enemy is not enough
  Enemy(4);
  EXPECT_TRUE(city->IsBesieged());
}

TEST_F(Siege, AnEmptyLandNeighbourOrAUnitNotAtWarBreaksTheSiege) {
  PlaceLand(g, defender->id, 2, 2);
  Enemy(0);
  Enemy(2);
  Enemy(4);
  Land(5);
  EXPECT_FALSE(city->IsBesieged());
  PlaceLand(g, friendOfAttacker->id, kN[5][0], kN[5][1]);  // not at war with the defender
  EXPECT_FALSE(city->IsBesieged());
  g.SetWar(defender->id, friendOfAttacker->id);
  EXPECT_TRUE(city->IsBesieged());
}

TEST_F(Siege, AnUncontrolledCityIsBesiegedByNobody) {
  PlaceLand(g, defender->id, 2, 2);
  Enemy(1);
  Enemy(3);
  g.hex(2, 2).controller = 0;
  EXPECT_FALSE(city->IsBesieged());
}

// A siege set up for known terms: defence 10, attack 20 (ratio 2), command
// +3, supply 5.
class SiegeCheck : public Siege {
 protected:
  SiegeCheck() {
    LoadShippedStrings();
    unit = PlaceLand(g, defender->id, 2, 2, 10.0f, L"Garrison");
    ValuedLandUnit* a = Enemy(1);
    Enemy(4);
    sDowodca* ca = AddCommander(g, 1, attacker->id, 0, 5);
    Attach(ca, a);
    sDowodca* cd = AddCommander(g, 2, defender->id, 0, 2);
    Attach(cd, unit);
    city->supply = 5;
    SetConstants(0.2f, 0.3f, 1.0f, 2.0f, 0.1f, 2.0f, 3.0f);
  }
  void SetConstants(float s0, float s1, float s2, float s3, float s4, float s5, float s6) {
    const float s[7] = {s0, s1, s2, s3, s4, s5, s6};
    std::copy(std::begin(s), std::end(s), defender->consts.siegeConstants);
  }
  // A seed whose first roll of 1-1000 is wanted.
  static uint32_t SeedFor(bool (*wanted)(int roll)) {
    for (uint32_t seed = 1;; ++seed) {
      SeedRandom(seed);
      if (wanted(RandomInRange(1, 1000))) return seed;
    }
  }
  std::wstring Check(uint32_t seed) {
    SeedRandom(seed);
    std::wstring out;
    city->CheckSiege(out);
    return out;
  }

  ValuedLandUnit* unit;
};

TEST_F(SiegeCheck, TheChanceAgainstAFixedSeed) {
  // p = 0.2 + (2 - 1) x 0.3 / 3 + 3 x 1.0 / 100 - 5 x 2.0 / 100 + 0.1 = 0.33
  const uint32_t low = SeedFor([](int r) { return r < 300; });
  const uint32_t high = SeedFor([](int r) { return r > 360; });
  unit->level = 3;
  const std::wstring failed = Check(high);
  EXPECT_EQ(failed,
            L"Siege of Garrison: base 20%, strength ratio +10%, supply -10.0, command +3.0, air +10%; chance 33%\n"
            L"Check failed, siege continues...");
  EXPECT_EQ(unit->level, 3);
  const std::wstring succeeded = Check(low);
  EXPECT_NE(succeeded.find(L"chance 33%\nCheck succeeded, Garrison loses 1 level"), std::wstring::npos) << succeeded;
  EXPECT_EQ(unit->level, 2);
  EXPECT_EQ(g.hex(2, 2).unit, unit);
}

TEST_F(SiegeCheck, AirSuperiorityMovesTheChance) {
  SetConstants(0.0f, 0.0f, 0.0f, 0.0f, 0.4f, 2.0f, 1.0f);
  city->supply = 0;
  unit->level = 5;
  RatioScope weak([](const cPanstwo&, int, int) { return 0.5f; });
  EXPECT_NE(Check(1).find(L"air +20%; chance 20%"), std::wstring::npos);
  RatioScope strong([](const cPanstwo&, int, int) { return 2.0f; });
  const std::wstring out = Check(1);
  EXPECT_NE(out.find(L"air -20%; chance -20%"), std::wstring::npos) << out;
}

TEST_F(SiegeCheck, EqualStrengthsGiveNoRatioTerm) {
  // Two besiegers of 5 against a defence of 10.
  for (cJednostkaLadowa* u : g.game->landUnits)
    if (u->countryId == attacker->id) static_cast<ValuedLandUnit*>(u)->strength = 50;
  EXPECT_NE(Check(1).find(L"strength ratio +0%"), std::wstring::npos);
}

TEST_F(SiegeCheck, ANegativeChanceAlwaysFailsAndACertainOneAlwaysSucceeds) {
  unit->level = 5;
  SetConstants(-0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  for (uint32_t seed = 1; seed <= 50; ++seed)
    EXPECT_NE(Check(seed).find(L"Check failed"), std::wstring::npos) << seed;
  // p = 1 succeeds on every roll, the highest one included.
  city->supply = 0;
  RatioScope certain([](const cPanstwo&, int, int) { return 0.0f; });  // air term (1 - 0) x S4
  SetConstants(0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
  for (auto& c : g.game->commanders) c->skill = 0;
  for (cJednostkaLadowa* u : g.game->landUnits)
    if (u->countryId == attacker->id) static_cast<ValuedLandUnit*>(u)->strength = 0;
  const uint32_t top = SeedFor([](int r) { return r == 1000; });
  unit->level = 5;
  const std::wstring out = Check(top);
  EXPECT_NE(out.find(L"chance 100%\nCheck succeeded"), std::wstring::npos) << out;
  EXPECT_EQ(unit->level, 4);
}

TEST_F(SiegeCheck, ADefenceOfNothingIsBroken) {
  SetConstants(-5.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  unit->strength = 0;
  unit->level = 2;
  const std::wstring out = Check(SeedFor([](int r) { return r == 1000; }));
  EXPECT_NE(out.find(L"strength ratio +0%"), std::wstring::npos) << out;
  EXPECT_NE(out.find(L"Check succeeded, Garrison loses 1 level"), std::wstring::npos) << out;
}

TEST_F(SiegeCheck, AGarrisonBelowLevelTwoSurrenders) {
  SetConstants(2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  unit->level = 1;
  sDowodca* commander = unit->commander;
  const size_t before = g.game->landUnits.size();
  EXPECT_NE(Check(1).find(L"Check succeeded, Garrison surrenders!"), std::wstring::npos);
  EXPECT_EQ(g.hex(2, 2).unit, nullptr);
  EXPECT_EQ(g.game->landUnits.size(), before - 1);
  EXPECT_EQ(commander->unit, nullptr);
  EXPECT_EQ(commander->state, 1);
}

TEST_F(SiegeCheck, AZeroDivisorGivesNoTerm) {
  SetConstants(0.0f, 0.3f, 0.0f, 0.0f, 0.1f, 0.0f, 0.0f);
  unit->level = 5;
  RatioScope ratio([](const cPanstwo&, int, int) { return 2.0f; });
  const std::wstring out = Check(1);
  EXPECT_NE(out.find(L"strength ratio +0%"), std::wstring::npos) << out;
  EXPECT_NE(out.find(L"air +0%"), std::wstring::npos) << out;
}

TEST_F(SiegeCheck, AnAirUnitHoldingTheCitySurrendersAsAnAirUnit) {
  SetConstants(2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
  unit->Kill();
  cJednostkaLotnicza* air = PlaceAir(g, defender->id, 2, 2, 6);
  air->SetName(L"Wing");
  const size_t land = g.game->landUnits.size();
  EXPECT_NE(Check(1).find(L"Check succeeded, Wing surrenders!"), std::wstring::npos);
  EXPECT_TRUE(g.game->airUnits.empty());
  EXPECT_EQ(g.game->landUnits.size(), land);
  EXPECT_EQ(g.hex(2, 2).unit, nullptr);
}

TEST_F(SiegeCheck, AnEmptyCityHasNothingToCheck) {
  g.hex(2, 2).unit = nullptr;
  std::wstring out = L"old";
  city->CheckSiege(out);
  EXPECT_TRUE(out.empty());
  g.hex(2, 2).unit = unit;
}

// ---- strategic bombardment and nuclear strike ---------------------------

class Bombardment : public ::testing::Test {
 protected:
  Bombardment() : g(4, 4) {
    LoadShippedStrings();
    a = g.AddCountry(kAllianceAxis);
    d = g.AddCountry(kAllianceAllies);
    a->name = L"Axland";
    d->name = L"Alvar";
    g.SetWar(a->id, d->id);
    city = AddCity(g, 2, 2, kCityRegular, d->id, L"Orlin");
    city->productionPoints = 50.0f;
    sConsts& c = a->consts;
    c.c060 = 10;  // full air strength
    for (int& v : c.c034) v = 10;
    for (int& v : c.c058) v = 100;
    // Each loss column holds its own index, so the loss tells the column.
    for (auto& row : c.airCombatTableA)
      for (int k = 0; k < 9; ++k) row[k] = k;
    d->techLevels[0] = 1;
    bomber = PlaceAir(g, a->id, 0, 0, 5);
    bomber->SetName(L"Raider");
    bomber->SetType(kTypeStrategicBomber);
  }

  GameFixture g;
  cPanstwo* a;
  cPanstwo* d;
  cMiasto* city;
  cJednostkaLotnicza* bomber;
};

TEST_F(Bombardment, AnAirUnitBelowFullStrengthDoesItsShareOfDamage) {
  sWynikWalki r;
  SeedRandom(7);
  city->StrategicBombardment(r, bomber, nullptr);
  // Half strength: 10 x 100 x 0.5 / 100.
  EXPECT_EQ(city->productionPoints, 45.0f);
  EXPECT_EQ(city->bombardmentLosses, 5);
  EXPECT_EQ(r.defenderLosses, 5.0f);
  EXPECT_EQ(r.cityDamaged, 1);
  // Level 1, artillery 1, no enemy air defence: column -4, no loss.
  EXPECT_EQ(bomber->strength, 5);
  EXPECT_EQ(r.attackerLosses, 0.0f);
  EXPECT_EQ(r.attackerDestroyed, 0);
  EXPECT_EQ(r.attackerCountry, a->id);
  EXPECT_EQ(r.defenderCountry, d->id);
  EXPECT_EQ(r.attackerInfo, L"Strategic bomber Raider bombed Orlin. Strength before the raid: 5, losses: 0\n");
  EXPECT_EQ(r.defenderInfo, L"City Orlin (Alvar) lost 5 production points, 45 remain\n");
  EXPECT_EQ(r.lossText, L"Losses in strategic bombardment\n");
}

TEST_F(Bombardment, DamageNeverExceedsTheProductionLeft) {
  bomber->strength = 10;
  city->productionPoints = 3.75f;
  sWynikWalki r;
  city->StrategicBombardment(r, bomber, &g.hex(2, 2));
  EXPECT_EQ(city->bombardmentLosses, 3);
  EXPECT_FLOAT_EQ(city->productionPoints, 0.75f);
  for (int& v : a->consts.c034) v = -10;  // a table that would add production
  city->StrategicBombardment(r, bomber, nullptr);
  EXPECT_FLOAT_EQ(city->productionPoints, 0.75f);
  city->productionPoints = 0.0f;
  for (int& v : a->consts.c034) v = 10;
  sWynikWalki none;
  city->StrategicBombardment(none, bomber, nullptr);
  EXPECT_EQ(city->productionPoints, 0.0f);
  EXPECT_EQ(none.cityDamaged, 0);
}

TEST_F(Bombardment, TheLossColumnFollowsLevelArtilleryAndAirDefence) {
  bomber->strength = 100;
  a->consts.c060 = 100;
  auto lossOf = [&](int level, int artillery) {
    bomber->level = level;
    d->techLevels[0] = artillery;
    const int before = bomber->strength;
    sWynikWalki r;
    city->StrategicBombardment(r, bomber, nullptr);
    return before - bomber->strength;
  };
  EXPECT_EQ(lossOf(1, 1), 0);  // column -4
  {
    RatioScope ratio([](const cPanstwo&, int, int) { return 1.2f; });  // modifier -1
    EXPECT_EQ(lossOf(1, 1), 3);
    EXPECT_EQ(lossOf(5, 1), 7);
    EXPECT_EQ(lossOf(5, 3), 5);
  }
  RatioScope ratio([](const cPanstwo&, int, int) { return 0.5f; });  // modifier 0
  EXPECT_EQ(lossOf(5, 0), 8);  // column 5 kept at 4
  RatioScope superior([](const cPanstwo&, int, int) { return 3.0f; });  // modifier -4
  EXPECT_EQ(lossOf(5, 1), 4);
}

TEST_F(Bombardment, AnAttackerLosingAllStrengthIsReportedDestroyed) {
  for (auto& row : a->consts.airCombatTableA)
    for (int& v : row) v = 5;
  sWynikWalki r;
  city->StrategicBombardment(r, bomber, nullptr);
  EXPECT_EQ(bomber->strength, 0);
  EXPECT_EQ(r.attackerDestroyed & 1, 1);
  EXPECT_EQ(r.attackerLosses, 5.0f);
  EXPECT_NE(r.attackerInfo.find(L"Unit destroyed!"), std::wstring::npos);
  // The caller removes the attacker; it is still in the game.
  EXPECT_EQ(g.game->airUnits.size(), 1u);
}

TEST_F(Bombardment, AShipAttacksByItsHitPointsAndNavyLevel) {
  auto* ship = new cJednostkaMorska();
  ship->countryId = a->id;
  ship->SetType(kTypeBattleship);
  ship->SetName(L"Thunder");
  ship->hitPoints = 3;
  ship->maxHitPoints = 6;
  g.game->navalUnits.push_back(ship);
  a->techLevels[5] = 2;
  a->consts.c058[1] = 40;
  for (auto& row : a->consts.airCombatTableA)
    for (int& v : row) v = 2;
  sWynikWalki r;
  city->StrategicBombardment(r, ship, nullptr);
  // 10 x 40 x 0.5 / 100.
  EXPECT_EQ(city->bombardmentLosses, 2);
  EXPECT_EQ(ship->hitPoints, 1);
  EXPECT_EQ(r.attackerDestroyed, 0);
  EXPECT_EQ(r.attackerInfo.rfind(L"Battleship Thunder bombed Orlin. Strength before the raid: 3", 0), 0u);
  city->StrategicBombardment(r, ship, nullptr);
  EXPECT_EQ(ship->hitPoints, 0);
  EXPECT_EQ(r.attackerDestroyed & 1, 1);
}

TEST_F(Bombardment, AnUncontrolledCityIsNotBombed) {
  g.hex(2, 2).controller = 0;
  sWynikWalki r;
  LogCapture log;
  city->StrategicBombardment(r, bomber, nullptr);
  EXPECT_EQ(city->productionPoints, 50.0f);
  EXPECT_TRUE(log.HasPrefix(L"WARNING: strategic bombardment of city Orlin skipped"));
}

TEST_F(Bombardment, ANuclearStrikeTakesItsShareOfProduction) {
  a->consts.nuclearStrike[0] = 40;
  city->productionPoints = 25.0f;
  sWynikWalki r;
  r.attackerCountry = a->id;
  r.generalText = L"Struck:\n";
  city->NuclearStrike(r);
  EXPECT_EQ(city->productionPoints, 15.0f);
  EXPECT_EQ(r.generalText, L"Struck:\nProduction of Orlin decreased by 10\n\n");
  a->consts.nuclearStrike[0] = 150;
  city->NuclearStrike(r);
  EXPECT_EQ(city->productionPoints, 0.0f);
}

}  // namespace
