// Effects that create units, ships, fleets, harbours and commanders,
// through the effects table.
#include "core/random.h"
#include "effects_test_support.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/fleet.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

using effects_test::EffectsTest;
using unit_test::AddCity;
using unit_test::PlaceLand;

class CreationTest : public EffectsTest {
 protected:
  CreationTest() {
    for (cPanstwo* c : game().countries) {
      c->consts.reserveSupplyLevel = 7;
      for (int t = 0; t < 6; ++t) c->consts.shipHitPoints[t] = 10 + t;  // types 40..45: 10..15
    }
  }
};

TEST_F(CreationTest, LandUnitGoesToTheReserveOrOnAnEmptyLandHexOnly) {
  game().landUnitCounter = 40;
  Run(L"Hex.AddLandUnit", {-1, -1, 2, 3, 2, 150}, L"Reserve Corps");
  ASSERT_EQ(game().reserve.size(), 1u);
  auto* reserve = dynamic_cast<cJednostkaLadowa*>(game().reserve[0]);
  ASSERT_NE(reserve, nullptr);
  EXPECT_TRUE(reserve->IsInReserve());
  EXPECT_EQ(reserve->unitId, 41);
  EXPECT_EQ(reserve->countryId, 2);
  EXPECT_EQ(reserve->name, L"Reserve Corps");
  EXPECT_EQ(reserve->type, 3);
  EXPECT_EQ(reserve->level, 2);
  EXPECT_EQ(reserve->strength, 100) << "strength is held to 1..100";
  EXPECT_EQ(reserve->supply, 7);
  EXPECT_EQ(reserve->x, -1);
  EXPECT_TRUE(game().landUnits.empty());

  hex(2, 2).terrain = kTerrainSea;
  PlaceLand(g, 1, 3, 3);
  Run(L"Hex.AddLandUnit", {2, 2, 2, 0, 1, 50}, L"At sea");
  Run(L"Hex.AddLandUnit", {3, 3, 2, 0, 1, 50}, L"Occupied");
  EXPECT_EQ(hex(2, 2).unit, nullptr);
  EXPECT_EQ(game().landUnits.size(), 1u);

  Run(L"Hex.AddLandUnit", {4, 5, 2, 0, 1, 0}, L"On the map");
  auto* placed = dynamic_cast<cJednostkaLadowa*>(hex(4, 5).unit);
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(game().landUnits.back(), placed);
  EXPECT_FALSE(placed->IsInReserve());
  EXPECT_EQ(placed->x, 4);
  EXPECT_EQ(placed->y, 5);
  EXPECT_EQ(placed->actionPoints, 0);
  EXPECT_EQ(placed->strength, 1);
  EXPECT_EQ(placed->spottedLevel, 6);
  EXPECT_EQ(placed->aiTargetX, -1);
  EXPECT_EQ(placed->assignedCommanderId, -1);
  EXPECT_EQ(placed->unitId, 43) << "the unit placed by the test took 42";
}

TEST_F(CreationTest, UnitThatTakesControlNeedsAnEmptyHexOnly) {
  hex(6, 6).terrain = kTerrainSea;
  hex(6, 6).owner = 1;
  Run(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {6, 6, 3, 0, 1, 60}, L"Marines");
  ASSERT_NE(hex(6, 6).unit, nullptr) << "no land test";
  EXPECT_EQ(hex(6, 6).controller, 3);
  EXPECT_EQ(hex(6, 6).owner, 1);
  Run(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {6, 6, 2, 0, 1, 60}, L"Second");
  EXPECT_EQ(hex(6, 6).controller, 3);
  Run(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {-1, -1, 2, 0, 1, 60}, L"Nowhere");
  EXPECT_EQ(game().landUnits.size(), 1u);
  EXPECT_TRUE(game().reserve.empty());
}

// The partisans' rule: which of the 30 draws, if any, is taken.
struct sPartisanDraw {
  bool placed = false;
  int x = -1;
  int y = -1;
};

TEST_F(CreationTest, PartisansRiseWithinFiveHexesOffTheCityRowAndColumn) {
  cMiasto* city = AddCity(g, 6, 6, kCityRegular, 1);
  // One region and one topography group for the whole map; the hexes of
  // column 9 and row 9 belong to another controller.
  game().selection.cityRegions.assign(144, city);
  game().neutralGroups = {{city}};
  for (int i = 0; i < 12; ++i) {
    hex(9, i).controller = 2;
    hex(i, 9).controller = 2;
  }
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y)
      if (hex(x, y).controller == 0) hex(x, y).controller = 1;
  hex(4, 4).terrain = kTerrainSea;

  int placedRuns = 0;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    // The reference: the draws the rule makes, x then y, at most 30 pairs.
    SeedRandom(seed);
    sPartisanDraw expected;
    for (int i = 0; i < 30 && !expected.placed; ++i) {
      const int x = RandomInRange(1, 12);
      const int y = RandomInRange(1, 12);
      if (x < 0 || x >= 12 || y < 0 || y >= 12 || x == 6 || y == 6 || x == 9 || y == 9) continue;
      if (HexDistance(6, 6, x, y) > 5 || (x == 4 && y == 4) || hex(x, y).unit != nullptr) continue;
      expected = {true, x, y};
    }
    SeedRandom(seed);
    const size_t before = game().landUnits.size();
    Run(L"City.FirePartisans", {6, 6, 3, 0, 1, 40}, L"Partisans");
    SCOPED_TRACE(seed);
    ASSERT_EQ(game().landUnits.size(), before + (expected.placed ? 1 : 0));
    if (!expected.placed) continue;
    ++placedRuns;
    cJednostkaLadowa* p = game().landUnits.back();
    EXPECT_EQ(p->x, expected.x);
    EXPECT_EQ(p->y, expected.y);
    EXPECT_EQ(p->countryId, 3);
    EXPECT_EQ(hex(p->x, p->y).controller, 3);
    EXPECT_EQ(hex(p->x, p->y).owner, 0) << "the owner stays";
    EXPECT_NE(p->x, 6);
    EXPECT_NE(p->y, 6);
    EXPECT_LE(HexDistance(6, 6, p->x, p->y), 5);
    // The hex is the partisans' now: give it back for the next run.
    hex(p->x, p->y).controller = 1;
  }
  EXPECT_GT(placedRuns, 40);

  const size_t before = game().landUnits.size();
  Run(L"City.FirePartisans", {6, 6, 1, 0, 1, 40}, L"Own city");
  game().selection.cityRegions.clear();
  Run(L"City.FirePartisans", {6, 6, 3, 0, 1, 40}, L"No region");
  Run(L"City.FirePartisans", {-1, 6, 3, 0, 1, 40}, L"No city");
  EXPECT_EQ(game().landUnits.size(), before);
}

TEST_F(CreationTest, AirUnitOnAnOccupiedHexGoesToTheReserve) {
  hex(2, 2).terrain = kTerrainSea;
  Run(L"Hex.AddAirUnit", {1, 2, 2, 21, 2, 8}, L"Wing");
  ASSERT_EQ(game().airUnits.size(), 1u) << "no land test for aircraft";
  cJednostkaLotnicza* wing = game().airUnits.front();
  EXPECT_EQ(hex(2, 2).unit, wing);
  EXPECT_EQ(wing->strength, 8);
  EXPECT_EQ(wing->type, 21);
  EXPECT_EQ(wing->category, kCategoryAir);
  EXPECT_FALSE(wing->IsInReserve());
  Run(L"Hex.AddAirUnit", {1, 2, 2, 20, 1, 5}, L"Second wing");
  Run(L"Hex.AddAirUnit", {1, -1, -1, 20, 1, 5}, L"Reserve wing");
  EXPECT_EQ(game().airUnits.size(), 1u);
  ASSERT_EQ(game().reserve.size(), 2u);
  EXPECT_TRUE(game().reserve[0]->IsInReserve());
  EXPECT_EQ(game().reserve[0]->x, -1);
  EXPECT_EQ(game().reserve[1]->name, L"Reserve wing");
}

TEST_F(CreationTest, ShipsTakeTheirHitPointsAndAFreshId) {
  naval_test::AddFleet(g, 1, naval_test::AddZone(g, 11, 11), {41});  // ship id 101
  Run(L"Hex.AddNavalUnit", {2, 42}, L"Cruiser");
  ASSERT_EQ(game().navalReserve.size(), 1u);
  cJednostkaMorska* s = game().navalReserve[0];
  EXPECT_EQ(s->unitId, 102) << "past every id in use";
  EXPECT_EQ(s->hitPoints, 12);
  EXPECT_EQ(s->maxHitPoints, 12);
  EXPECT_TRUE(s->IsInReserve());
  EXPECT_EQ(s->fleet, nullptr);
  EXPECT_EQ(s->countryId, 2);
  Run(L"Hex.AddNavalUnit", {2, 40}, L"Carrier");
  EXPECT_EQ(game().navalReserve[1]->unitId, 103);
}

TEST_F(CreationTest, ShipAtASeaNodeJoinsAFleetWhereItsCountryMay) {
  const int zone = naval_test::AddZone(g, 11, 11, L"North Sea");
  const int ownPort = naval_test::AddPort(g, 5, 5, 4, 1);
  const int foreignPort = naval_test::AddPort(g, 7, 7, 4, 2);
  cLogCapture log;
  sEfekt noHp = Make(L"SeaNode.AddNavalUnit", {static_cast<double>(zone), 1, 41}, L"Battleship");
  game().events->ExecuteEffect(noHp);
  EXPECT_TRUE(log.Has(L"ERROR: param3 for effect at line 7 is not defined!"));
  Run(L"SeaNode.AddNavalUnit", {static_cast<double>(zone), 1, 42, 99}, L"Big");
  Run(L"SeaNode.AddNavalUnit", {static_cast<double>(zone), 1, 43, 4.9}, L"Small");
  Run(L"SeaNode.AddNavalUnit", {static_cast<double>(ownPort), 1, 42, 5}, L"In port");
  Run(L"SeaNode.AddNavalUnit", {static_cast<double>(foreignPort), 1, 42, 5}, L"Stays home");

  ASSERT_EQ(game().navalUnits.size(), 4u);
  std::vector<int> hp;
  for (const cJednostkaMorska* s : game().navalUnits) hp.push_back(s->hitPoints);
  EXPECT_EQ(hp, (std::vector<int>{11, 12, 4, 5}));
  sFlota* atSea = game().navalUnits.front()->fleet;
  ASSERT_NE(atSea, nullptr);
  EXPECT_EQ(atSea->seaNode, zone);
  EXPECT_EQ(atSea->ships.size(), 3u);
  EXPECT_EQ(game().navalUnits.back()->fleet->seaNode, ownPort);
  ASSERT_EQ(game().navalReserve.size(), 1u);
  EXPECT_EQ(game().navalReserve[0]->name, L"Stays home");
  EXPECT_TRUE(game().navalReserve[0]->IsInReserve());
}

TEST_F(CreationTest, LandUnitsAtSeaShareOrOpenFleetsByTheirMethod) {
  const int zone = naval_test::AddZone(g, 11, 11);
  const int port = naval_test::AddPort(g, 5, 5, 4, 2);
  game().nextFleetNumber = 4;
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(zone), 44, 1, 0, 1, 80}, L"First");
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(zone), 45, 1, 2, 1, 80}, L"Second");
  ASSERT_EQ(game().fleets.size(), 1u);
  sFlota* shared = game().fleets.front();
  EXPECT_EQ(shared->id, 5);
  EXPECT_EQ(shared->name, L"Transport fleet #5");
  ASSERT_EQ(shared->ships.size(), 2u);
  cJednostkaMorska* cargo = shared->ships.front();
  EXPECT_EQ(cargo->type, 44);
  EXPECT_EQ(cargo->hitPoints, 14);
  EXPECT_EQ(cargo->name, L"First");
  ASSERT_NE(cargo->carriedUnit, nullptr);
  EXPECT_EQ(cargo->carriedUnit->transport, cargo);
  EXPECT_EQ(cargo->carriedUnit->x, -1);
  ASSERT_EQ(game().transportedUnits.size(), 1u);
  EXPECT_EQ(game().transportedUnits.front(), cargo->carriedUnit);
  ASSERT_EQ(game().amphibiousUnits.size(), 1u);
  EXPECT_EQ(game().amphibiousUnits.front()->type, 2);
  EXPECT_TRUE(game().landUnits.empty());

  Run(L"SeaNode.AddLandUnitWithDest", {static_cast<double>(zone), 44, 1, 0, 1, 80, static_cast<double>(port), 4}, L"Third");
  Run(L"SeaNode.AddLandUnitWithDest", {static_cast<double>(zone), 44, 1, 0, 1, 80, static_cast<double>(port), 4}, L"Fourth");
  ASSERT_EQ(game().fleets.size(), 3u);
  for (auto it = std::next(game().fleets.begin()); it != game().fleets.end(); ++it) {
    EXPECT_EQ((*it)->ships.size(), 1u);
    EXPECT_EQ((*it)->destinationNode, port);
    EXPECT_EQ((*it)->order, 4);
  }

  cLogCapture log;
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(port), 44, 1, 0, 1, 80}, L"Foreign port");
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(zone), 41, 1, 0, 1, 80}, L"Battleship");
  EXPECT_EQ(game().navalUnits.size(), 4u);
  EXPECT_EQ(log.CountContaining(L"carries no land unit"), 1);
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(port), 44, 2, 0, 1, 80}, L"Own port");
  EXPECT_EQ(game().navalUnits.size(), 5u);
  EXPECT_EQ(game().fleets.back()->seaNode, port);
}

TEST_F(CreationTest, LandingFleetsGatherByInvasionHex) {
  const int zone = naval_test::AddZone(g, 11, 11);
  hex(3, 3).seaZone = static_cast<uint16_t>(zone);
  hex(3, 3).coastal = 1;
  cLogCapture log;
  Run(L"SeaNode.AddLandingLandUnit", {static_cast<double>(zone), 45, 1, 0, 1, 80, 3, 3}, L"Wave 1");
  Run(L"SeaNode.AddLandingLandUnit", {static_cast<double>(zone), 45, 1, 0, 1, 80, 3, 3}, L"Wave 2");
  ASSERT_EQ(game().fleets.size(), 1u);
  sFlota* f = game().fleets.front();
  EXPECT_EQ(f->ships.size(), 2u);
  EXPECT_EQ(f->order, 2);
  EXPECT_EQ(f->invasionX, 3);
  EXPECT_EQ(f->invasionY, 3);
  EXPECT_EQ(f->destinationNode, zone);

  Run(L"SeaNode.AddLandingLandUnit", {static_cast<double>(zone), 45, 1, 0, 1, 80, 6, 6}, L"Inland");
  EXPECT_TRUE(log.Has(
      L"Nieprawidłowy event SeaNode.AddLandingLandUnit: chce inwazji na hex 6, 6 ktory jest srodladowy"));
  ASSERT_EQ(game().fleets.size(), 2u);
  EXPECT_EQ(game().fleets.back()->destinationNode, -1);
  EXPECT_EQ(game().amphibiousUnits.size(), 3u);
}

TEST_F(CreationTest, HarbourIsBuiltOnAnEmptyHexAndRefundedOnAnOccupiedOne) {
  cPanstwo& c = country(1);
  c.consts.c135[0] = 30.0f;  // the harbour's price
  c.consts.newMulberryStrength = 12.7f;
  c.consts.newMulberryMonths = 3.9f;
  c.productionPoints = 10.0;
  cLogCapture log;
  Run(L"Hex.AddMulberry", {1, 3, 4}, L"Harbour A");
  auto* h = dynamic_cast<cMulberry*>(hex(3, 4).unit);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(game().landUnits.back(), h);
  EXPECT_EQ(h->type, kTypeMulberry);
  EXPECT_EQ(h->level, 1);
  EXPECT_EQ(h->strength, 12);
  EXPECT_EQ(h->monthsLeft, 3);
  EXPECT_EQ(h->actionPoints, 0);
  EXPECT_TRUE(log.Has(L"Mulberry  \"Harbour A\" created at (3, 4) for country Country1"));
  EXPECT_EQ(c.productionPoints, 10.0);

  Run(L"Hex.AddMulberry", {1, 3, 4}, L"Harbour B");
  EXPECT_EQ(hex(3, 4).unit, h);
  EXPECT_EQ(game().landUnits.size(), 1u);
  EXPECT_EQ(c.productionPoints, 25.0) << "half the harbour's price comes back";
}

TEST_F(CreationTest, CommandersAreNumberedAfterTheLastOne) {
  Run(L"Commander.AddNew", {2, 3, 40}, L"First");
  ASSERT_EQ(game().commanders.size(), 1u);
  EXPECT_EQ(game().commanders[0]->id, 1);
  EXPECT_EQ(game().commanders[0]->countryId, 2);
  EXPECT_EQ(game().commanders[0]->skill, 3);
  EXPECT_EQ(game().commanders[0]->experience, 40);
  EXPECT_EQ(game().commanders[0]->type, 0);
  EXPECT_EQ(game().commanders[0]->state, 0);
  game().commanders[0]->id = 17;
  const std::wstring longName(120, L'n');
  Run(L"Commander.AddNew", {1, 1, 0}, longName.c_str());
  EXPECT_EQ(game().commanders[1]->id, 18);
  EXPECT_EQ(game().commanders[1]->name.size(), 99u);
}

}  // namespace
