// Supply against hand-computed values on small maps: the weighted flood to
// the nearest city, the city groups and their sources, units cut off,
// neutral countries, artificial harbours and ships.
#include <gtest/gtest.h>

#include "rules/supply.h"
#include "support/naval_fixtures.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/strategic_moves.h"
#include "world/world_test_support.h"

namespace {

using unit_test::AddCity;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;

// Full supply 10; entering plain costs 1, forest 2, rough 2, swamp 3,
// mountain 99; four turns without supply at most.
void SetSupplyRules(cPanstwo& c) {
  c.consts.reserveSupplyLevel = 10;
  const int costs[8] = {1, 2, 2, 3, 2, 99, 1, 99};
  std::copy(std::begin(costs), std::end(costs), c.consts.c015);
  c.consts.c137 = 4;
}

class Supply : public ::testing::Test {
 protected:
  // A strip of plain hexes one row high (each hex next to the one beside
  // it), held by country 1.
  explicit Supply(int width = 10, int height = 1, int countries = 3) : g(width, height, countries) {
    for (cPanstwo* c : g.game->countries) {
      SetSupplyRules(*c);
      c->name = L"C" + std::to_wstring(c->id);
    }
    Hold(0, width - 1, 1);
  }
  void Hold(int x0, int x1, int country, int y = 0) {
    for (int x = x0; x <= x1; ++x) g.hex(x, y).controller = g.hex(x, y).owner = static_cast<uint8_t>(country);
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  cTopografia& T() { return WorldTopography(); }

  GameFixture g;
};

TEST_F(Supply, AUnitOnItsSupplyCityHasDistanceZeroAndTheFullValue) {
  C(1).alliance = 4;
  cMiasto* city = AddCity(g, 3, 0, kCitySupply, 1);
  cJednostkaLadowa* u = PlaceLand(g, 1, 3, 0);
  const sSupplyAssignment a = T().FindNearestCityForUnit(u, 1, -1);
  EXPECT_EQ(a.city, city);
  EXPECT_EQ(a.distance, 0);
  T().CalculateSupply();
  EXPECT_EQ(u->supply, 10);
  EXPECT_EQ(u->supplySourceX, 3);
  EXPECT_EQ(u->supplySourceY, 0);
  EXPECT_EQ(city->GetSupplyFor(1), 10);
}

TEST_F(Supply, TheDistanceIsTheSumOfTheTerrainCostsOfTheHexesEntered) {
  C(1).alliance = 4;
  AddCity(g, 0, 0, kCitySupply, 1);
  g.hex(2, 0).terrain = kTerrainForest;  // 2
  g.hex(3, 0).terrain = kTerrainSwamp;   // 3
  cJednostkaLadowa* u = PlaceLand(g, 1, 5, 0);
  // Entering x4 1, x3 3, x2 2, x1 1, x0 1.
  EXPECT_EQ(T().FindNearestCityForUnit(u, 1, -1).distance, 8);
  T().CalculateSupply();
  EXPECT_EQ(u->supply, 2);
  // Out of range behind a mountain: no city.
  g.hex(1, 0).terrain = kTerrainMountain;
  EXPECT_EQ(T().FindNearestCityForUnit(u, 1, -1).city, nullptr);
  // A table of free terrain would let the flood run for ever: each hex costs 1.
  std::fill(std::begin(C(1).consts.c015), std::end(C(1).consts.c015), 0);
  EXPECT_EQ(T().FindNearestCityForUnit(u, 1, -1).distance, 5);
}

TEST_F(Supply, TheNearestCityIsKeptWhenAFartherOneIsMetLater) {
  C(1).alliance = 4;
  cMiasto* nearCity = AddCity(g, 3, 0, kCityRegular, 1);
  g.hex(3, 0).terrain = kTerrainSwamp;  // met first, at 3
  AddCity(g, 0, 0, kCityRegular, 1);
  g.hex(0, 0).terrain = kTerrainSwamp;  // met later, at 1 + 3 = 4
  cJednostkaLadowa* u = PlaceLand(g, 1, 2, 0);
  const sSupplyAssignment a = T().FindNearestCityForUnit(u, 1, -1);
  EXPECT_EQ(a.city, nearCity);
  EXPECT_EQ(a.distance, 3);
}

TEST_F(Supply, EachUnitSearchesAFreshGridWhateverTheOrderOfUnits) {
  C(1).alliance = 4;
  AddCity(g, 0, 0, kCitySupply, 1);
  for (bool farFirst : {false, true}) {
    for (cJednostkaLadowa* u : g.game->landUnits) {
      g.hex(u->x, u->y).unit = nullptr;
      delete u;
    }
    g.game->landUnits.clear();
    cJednostkaLadowa* nearUnit = nullptr;
    cJednostkaLadowa* farUnit = nullptr;
    if (farFirst) farUnit = PlaceLand(g, 1, 7, 0);
    nearUnit = PlaceLand(g, 1, 3, 0);
    if (!farFirst) farUnit = PlaceLand(g, 1, 7, 0);
    tSupplyAssignments out;
    T().FindNearestCity(1, -1, out);
    ASSERT_EQ(out.size(), 2u);
    for (const sSupplyAssignment& a : out) {
      ASSERT_NE(a.city, nullptr) << "far unit first: " << farFirst;
      EXPECT_EQ(a.distance, a.unit == nearUnit ? 3 : 7);
    }
    (void)farUnit;
  }
}

TEST_F(Supply, AGroupWithoutSourceGivesItsCitiesTheirOwnValueAndTheLevelIsAtLeastOne) {
  C(1).alliance = 4;
  cMiasto* regular = AddCity(g, 0, 0, kCityRegular, 1);
  regular->supply = 6;
  cJednostkaLadowa* near = PlaceLand(g, 1, 2, 0);
  cJednostkaLadowa* far = PlaceLand(g, 1, 9, 0);
  T().CalculateSupply();
  EXPECT_EQ(regular->GetSupplyFor(1), 6);
  EXPECT_EQ(near->supply, 4);  // 6 - 2
  EXPECT_EQ(far->supply, 1);   // 6 - 9 is below 1
  EXPECT_EQ(far->supplySourceX, 0);
}

TEST_F(Supply, AnAllyUsesTheLeadersSupplyCityAcrossBothTerritories) {
  C(1).alliance = 4;  // allied leader
  C(2).alliance = 1;  // allied member
  C(3).alliance = 5;  // axis leader
  AddCity(g, 0, 0, kCitySupply, 1);
  cMiasto* memberCity = AddCity(g, 6, 0, kCityRegular, 2);
  memberCity->supply = 2;
  Hold(5, 9, 2);
  cJednostkaLadowa* u = PlaceLand(g, 2, 8, 0);
  T().CalculateSupply();
  // The group holds the leader's supply city: every city gives 10 to the member.
  EXPECT_EQ(memberCity->GetSupplyFor(2), 10);
  EXPECT_EQ(u->supply, 8);  // from the member's city two hexes away
  EXPECT_EQ(u->supplySourceX, 6);
  // Both members got the alliance's one group as their topography.
  ASSERT_NE(g.game->strategicMoves, nullptr);
  ASSERT_EQ((*g.game->strategicMoves)[1].size(), 1u);
  EXPECT_EQ((*g.game->strategicMoves)[1].front().size(), 2u);
  EXPECT_TRUE((*g.game->strategicMoves)[2].empty());
}

TEST_F(Supply, ACutOffLandUnitLastsUntilTheMaximumAndAnAirUnitLosesSupplyAtOnce) {
  C(1).alliance = 4;
  C(1).consts.c137 = 3;
  AddCity(g, 0, 0, kCitySupply, 1);
  Hold(4, 4, 2);  // a neutral hex cuts the strip
  cJednostkaLadowa* land = PlaceLand(g, 1, 6, 0);
  land->supply = 7;
  land->turnsWithoutSupply = 0;
  cJednostkaLotnicza* air = PlaceAir(g, 1, 7, 0);
  air->supply = 7;
  T().CalculateSupply();
  EXPECT_EQ(air->supply, 0);
  EXPECT_EQ(air->supplySourceX, -1);
  EXPECT_EQ(land->turnsWithoutSupply, 1);
  EXPECT_EQ(land->supply, 7);
  T().CalculateSupply();
  EXPECT_EQ(land->turnsWithoutSupply, 2);
  EXPECT_EQ(land->supply, 7);
  T().CalculateSupply();  // 2 + 1 is not below 3
  EXPECT_EQ(land->supply, 0);
  EXPECT_EQ(land->supplySourceX, -1);
  // Reconnected: supplied again and the count goes down by one.
  Hold(4, 4, 1);
  T().CalculateSupply();
  EXPECT_EQ(land->supply, 4);
  EXPECT_EQ(land->turnsWithoutSupply, 1);
}

TEST_F(Supply, ANeutralAtPeaceGivesHalfItsRangeAnywhere) {
  // Country 3 stays neutral and at peace; its units stand anywhere.
  C(3).consts.reserveSupplyLevel = 9;
  cJednostkaLadowa* land = PlaceLand(g, 3, 9, 0);
  cJednostkaLotnicza* air = PlaceAir(g, 3, 5, 0);
  T().CalculateSupply();
  EXPECT_EQ(land->supply, 4);
  EXPECT_EQ(air->supply, 4);
}

TEST_F(Supply, ANeutralAtWarIsSuppliedThroughItsOwnGroups) {
  C(1).alliance = 4;
  g.SetWar(2, 1);
  Hold(5, 9, 2);
  cMiasto* home = AddCity(g, 9, 0, kCitySupply, 2);
  cJednostkaLadowa* u = PlaceLand(g, 2, 6, 0);
  T().CalculateSupply();
  EXPECT_EQ(u->supply, 7);
  ASSERT_EQ((*g.game->strategicMoves)[1].size(), 1u);
  // Its strategic moves read the groups the calculation found for it.
  EXPECT_TRUE(CanMoveStrategicallyTo(*u, *home));
  // Its unit on the enemy's side of the strip is cut off from it.
  cJednostkaLadowa* lost = PlaceLand(g, 2, 2, 0);
  lost->turnsWithoutSupply = 3;
  T().CalculateSupply();
  EXPECT_EQ(lost->supply, 0);
}

TEST_F(Supply, CityGroupsFollowLandHeldByTheAllianceAndSkipResourceCities) {
  C(1).alliance = 4;
  C(2).alliance = 1;
  Hold(4, 4, 3);  // an enemy hex splits the strip
  Hold(7, 9, 2);
  cMiasto* a = AddCity(g, 1, 0, kCitySupply, 1);
  cMiasto* b = AddCity(g, 3, 0, kCityPort, 1);
  cMiasto* c = AddCity(g, 8, 0, kCityRegular, 2);
  AddCity(g, 6, 0, kCityResources, 1);
  tCityGroupSet groups;
  T().DetermineCityGroups(1, -1, groups);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups.front(), (tCityGroup{a, b}));
  EXPECT_EQ(groups.back(), (tCityGroup{c}));
  T().DetermineCityGroups(-1, 2, groups);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups.front(), (tCityGroup{c}));
}

// The convoys of a country sail between the city values and the units.
class CountingConvoys : public cKonwoje {
 public:
  void ExecuteAllConvoys(int country, const tCityGroupSet& groups, const tSupplyAssignments& units) override {
    calls.push_back({country, static_cast<int>(groups.size()), static_cast<int>(units.size())});
  }
  struct sCall {
    int country, groups, units;
  };
  std::vector<sCall> calls;
};

TEST_F(Supply, ConvoysRunOncePerCountryWithItsGroupsAndOwnUnits) {
  C(1).alliance = 4;
  C(2).alliance = 1;
  AddCity(g, 0, 0, kCitySupply, 1);
  PlaceLand(g, 1, 2, 0);
  PlaceLand(g, 2, 3, 0);
  PlaceLand(g, 2, 4, 0);
  auto* convoys = new CountingConvoys();
  g.game->convoys = convoys;
  T().CalculateSupply();
  ASSERT_EQ(convoys->calls.size(), 2u);  // the neutral at peace runs none
  EXPECT_EQ(convoys->calls[0].country, 1);
  EXPECT_EQ(convoys->calls[0].units, 1);
  EXPECT_EQ(convoys->calls[1].country, 2);
  EXPECT_EQ(convoys->calls[1].units, 2);
  EXPECT_EQ(convoys->calls[1].groups, 1);
}

// ---- artificial harbours -------------------------------------------------

TEST_F(Supply, AHarbourOfRangeThreeAndAHalfSuppliesByDistance) {
  C(1).alliance = 4;
  C(2).alliance = 1;
  C(1).consts.c135[1] = 3.5f;
  auto* harbour = new cMulberry();
  harbour->countryId = 1;
  harbour->SetType(kTypeMulberry);
  harbour->x = 0;
  harbour->y = 0;
  harbour->turnsWithoutSupply = 2;
  g.hex(0, 0).unit = harbour;
  g.game->landUnits.push_back(harbour);
  cJednostkaLadowa* at1 = PlaceLand(g, 1, 1, 0);
  cJednostkaLadowa* at2 = PlaceLand(g, 2, 2, 0);  // an ally's
  cJednostkaLadowa* at3 = PlaceLand(g, 1, 3, 0);
  cJednostkaLadowa* at4 = PlaceLand(g, 1, 4, 0);
  for (cJednostkaLadowa* u : {at1, at2, at3, at4}) u->supply = 0;
  at1->turnsWithoutSupply = 0;
  at2->turnsWithoutSupply = 0;
  at3->turnsWithoutSupply = 1;
  at4->turnsWithoutSupply = 2;
  T().SupplyFromMulberries();
  EXPECT_EQ(harbour->turnsWithoutSupply, 0);
  EXPECT_EQ(at1->supply, 2);
  EXPECT_EQ(at2->supply, 1);
  EXPECT_EQ(at3->supply, 0);  // value 0, but its turns without supply end
  EXPECT_EQ(at3->turnsWithoutSupply, 0);
  EXPECT_EQ(at4->turnsWithoutSupply, 2);  // out of range: not touched
  // A better-supplied unit keeps its level.
  at1->supply = 5;
  T().SupplyFromMulberries();
  EXPECT_EQ(at1->supply, 5);
}

// ---- ships ---------------------------------------------------------------

class ShipSupply : public Supply {
 protected:
  // Land x0-x3, sea x4-x5 on sea node 1; a unit of country 1 on x2.
  ShipSupply() : Supply(6, 1, 3) {
    for (int x = 4; x < 6; ++x) {
      g.hex(x, 0).terrain = kTerrainSea;
      g.hex(x, 0).controller = 0;
      g.hex(x, 0).seaZone = 1;
    }
    for (cPanstwo* c : g.game->countries) {
      c->consts.c168 = 4;
      c->consts.c169 = 3;
      const int values[6] = {1, 1, 3, 1, 2, 1};
      const int penalties[6] = {1, 1, 1, 2, 1, 1};
      std::copy(std::begin(values), std::end(values), c->consts.c170);
      std::copy(std::begin(penalties), std::end(penalties), c->consts.c171);
      c->humanControlled = 1;
    }
    unit = PlaceLand(g, 1, 2, 0);
    unit->supply = 0;
    unit->turnsWithoutSupply = 2;
  }
  void Ship(int country, int type, int node) { naval_test::AddLoneShip(g, country, type, node); }
  cJednostkaLadowa* unit = nullptr;
};

TEST_F(ShipSupply, AnOwnCruiserTwoHexesAwayGivesOne) {
  Ship(1, kTypeCruiser, 1);
  T().SupplyFromShips();
  EXPECT_EQ(unit->supply, 1);  // 3 at x4 minus distance 2
  EXPECT_EQ(unit->turnsWithoutSupply, 0);
}

TEST_F(ShipSupply, AnEnemyShipCancelsItAndTheCutOffUnitKeepsCounting) {
  Ship(1, kTypeCruiser, 1);
  Ship(2, kTypeSubmarine, 1);
  g.SetWar(1, 2);
  T().SupplyFromShips();  // 3 - 2 - 2 = -1
  EXPECT_EQ(unit->supply, 0);
  EXPECT_EQ(unit->turnsWithoutSupply, 2);
}

TEST_F(ShipSupply, NoShipsMeansNoSupplyFromTheSea) {
  unit->supply = 3;
  T().SupplyFromShips();
  EXPECT_EQ(unit->supply, 3);
  EXPECT_EQ(unit->turnsWithoutSupply, 2);
}

TEST_F(ShipSupply, AComputerCountryWithTheFlagTakesTheMostAndShipsAreCapped) {
  Ship(1, kTypeCruiser, 1);
  Ship(1, kTypeCruiser, 1);  // 6, capped at 4
  T().SupplyFromShips();
  EXPECT_EQ(unit->supply, 2);
  C(1).humanControlled = 0;
  C(1).consts.c181 = 1;
  g.game->navalUnits.clear();
  for (sFlota* f : g.game->fleets) {
    for (cJednostkaMorska* s : f->ships) delete s;
    delete f;
  }
  g.game->fleets.clear();
  Ship(1, kTypeCargo, 1);  // worth 2, but the computer takes the most
  unit->supply = 0;
  T().SupplyFromShips();
  EXPECT_EQ(unit->supply, 2);  // 4 minus distance 2
  // A unit already at the most is not looked at.
  unit->supply = 4;
  unit->turnsWithoutSupply = 0;
  T().SupplyFromShips();
  EXPECT_EQ(unit->supply, 4);
}

}  // namespace
