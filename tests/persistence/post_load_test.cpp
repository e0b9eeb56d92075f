// The loader's passes over a game in memory: unit placement with its
// conflicts, fleet membership, the reserve pools and the next ids.
#include <gtest/gtest.h>

#include "support/naval_fixtures.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"

namespace {

using world_test::GameFixture;
using world_test::LogCapture;

class PostLoadTest : public ::testing::Test {
 protected:
  PostLoadTest() { unit_test::LoadShippedStrings(); }

  cJednostkaLadowa* Land(int id, int x, int y, int country = 1) {
    auto* u = new cJednostkaLadowa();
    u->unitId = id;
    u->countryId = country;
    u->x = x;
    u->y = y;
    u->SetName(L"Land" + std::to_wstring(id));
    game().landUnits.push_back(u);
    return u;
  }
  cJednostkaLotnicza* Air(int id, int x, int y, int country = 1) {
    auto* u = new cJednostkaLotnicza();
    u->unitId = id;
    u->countryId = country;
    u->x = x;
    u->y = y;
    u->SetType(kTypeFighter);
    u->SetName(L"Air" + std::to_wstring(id));
    game().airUnits.push_back(u);
    return u;
  }
  cJednostkaMorska* Ship(int id, int fleetId, int type = kTypeCruiser) {
    cJednostkaMorska* s = naval_test::NewShip(1, type, 5, (L"Ship" + std::to_wstring(id)).c_str());
    s->unitId = id;
    s->fleetId = fleetId;
    game().navalUnits.push_back(s);
    return s;
  }
  sFlota* Fleet(int id, const wchar_t* name = L"Fleet") {
    auto* f = new sFlota();
    f->id = id;
    f->SetName(name);
    game().fleets.push_back(f);
    return f;
  }
  cGra& game() { return *g_.game; }

  GameFixture g_{6, 6, 2};
};

TEST_F(PostLoadTest, UnitsStandOnTheirHexesAndUnitsOffTheMapDoNot) {
  cJednostkaLadowa* a = Land(1, 2, 3);
  Land(2, -1, 4);
  Land(3, 4, -1);
  cJednostkaLotnicza* f = Air(4, 5, 5);
  game().PlaceLandUnits();
  game().PlaceAirUnits();
  int placed = 0;
  for (const sHex& h : game().map->hexes) placed += h.unit != nullptr ? 1 : 0;
  EXPECT_EQ(placed, 2);
  EXPECT_EQ(game().map->GetHex(2, 3)->unit, a);
  EXPECT_EQ(game().map->GetHex(5, 5)->unit, f);
}

using PostLoadDeathTest = PostLoadTest;

TEST_F(PostLoadDeathTest, EveryPlacementConflictIsLoggedBeforeTheEnd) {
  Land(1, 2, 3);
  Land(7, 2, 3);
  Land(8, 1, 1);
  Land(9, 1, 1);
  Land(10, 9, 9);  // off a 6 x 6 map
  EXPECT_EXIT((LogToStderr(), game().PlaceLandUnits()), ::testing::ExitedWithCode(1),
              "unit Land7 \\(ID=7\\) to hex \\(2, 3\\) occupied by Land1 \\(ID=1\\)"
              "[^T]*Trying to place land unit Land9 \\(ID=9\\) to hex \\(1, 1\\) occupied by Land8 \\(ID=8\\)"
              "[^T]*Trying to place land unit Land10 \\(ID=10\\) to hex \\(9, 9\\) outside the map");
}

TEST_F(PostLoadDeathTest, AnAirUnitOnALandUnitsHexEndsAfterTheAirPass) {
  Land(1, 2, 3);
  Air(5, 2, 3);
  Air(6, 4, 4);
  game().PlaceLandUnits();
  EXPECT_EXIT(
      {
        LogToStderr();
        game().PlaceAirUnits();
      },
      ::testing::ExitedWithCode(1), "ERROR: Trying to place air unit Air5 \\(ID=5\\) to hex \\(2, 3\\) occupied by Land1");
}

TEST_F(PostLoadTest, ShipsJoinEveryFleetOfTheirId) {
  sFlota* one = Fleet(3, L"Home");
  sFlota* twin = Fleet(3, L"Twin");
  sFlota* other = Fleet(4);
  cJednostkaMorska* s = Ship(10, 3);
  cJednostkaMorska* t = Ship(11, 4);
  LogCapture log;
  game().CheckFleetMembership();
  EXPECT_EQ(one->ships, (std::list<cJednostkaMorska*>{s}));
  EXPECT_EQ(twin->ships, (std::list<cJednostkaMorska*>{s}));
  EXPECT_EQ(other->ships, (std::list<cJednostkaMorska*>{t}));
  EXPECT_EQ(s->fleet, twin);
  EXPECT_TRUE(log.Has(L"Ship10 belongs to fleet Home"));
  EXPECT_TRUE(log.Has(L"Ship10 belongs to fleet Twin"));
}

TEST_F(PostLoadDeathTest, AShipOfAMissingFleetEndsTheProgram) {
  Fleet(1);
  Ship(10, 1);
  Ship(11, 2);
  EXPECT_EXIT((LogToStderr(), game().CheckFleetMembership()), ::testing::ExitedWithCode(1),
              "Data integrity error: Ship11 belongs to fleet id=2, but no such fleet exists");
}

TEST_F(PostLoadTest, ReserveUnitsLeaveTheirListsForThePools) {
  game().countries[0]->consts.reserveSupplyLevel = 7;
  game().countries[1]->consts.reserveSupplyLevel = 3;
  cJednostkaLadowa* kept = Land(1, 1, 1);
  cJednostkaLadowa* r1 = Land(2, -1, -1, 2);
  cJednostkaLadowa* r2 = Land(3, -1, -1, 1);
  cJednostkaLotnicza* ra = Air(4, -1, -1, 1);
  cJednostkaLotnicza* keptAir = Air(5, 2, 2);
  r1->inReserve = r2->inReserve = ra->inReserve = 1;
  r1->effectiveness = -1;  // recomputed on the way into the pool
  cJednostkaMorska* rs = Ship(6, -1);
  cJednostkaMorska* keptShip = Ship(7, 1);
  rs->inReserve = 1;

  game().ExtractNavalReservePool();
  game().ExtractReservePools();
  EXPECT_EQ(game().navalReserve, (std::vector<cJednostkaMorska*>{rs}));
  EXPECT_EQ(game().navalUnits, (std::list<cJednostkaMorska*>{keptShip}));
  // Land units first, then air units, each in list order.
  EXPECT_EQ(game().reserve, (std::vector<cJednostka*>{r1, r2, ra}));
  EXPECT_EQ(game().landUnits, (std::list<cJednostkaLadowa*>{kept}));
  EXPECT_EQ(game().airUnits, (std::list<cJednostkaLotnicza*>{keptAir}));
  // The supply level is the owner's own constant.
  EXPECT_EQ(r1->supply, 3);
  EXPECT_EQ(r2->supply, 7);
  EXPECT_EQ(ra->supply, 7);
  EXPECT_NE(r1->effectiveness, -1);
}

TEST_F(PostLoadTest, NextIdsFollowTheHighestIdsLoaded) {
  // Nothing loaded: fleet 1, naval 2 (its start of 1 raised by one), land and air 1.
  game().InitNextIds();
  EXPECT_EQ(game().nextFleetNumber, 1);
  EXPECT_EQ(game().navalUnitCounter, 2);
  EXPECT_EQ(game().landUnitCounter, 1);
  EXPECT_EQ(game().airUnitCounter, 1);
  EXPECT_EQ(game().nextConvoyId, 1);

  Fleet(9);
  Fleet(2);
  Ship(5, 9);
  Ship(3, 2);
  Land(4, 1, 1);
  auto* carried = new cJednostkaLadowa();
  carried->unitId = 40;
  game().amphibiousUnits.push_back(carried);
  auto* reserveAir = new cJednostkaLotnicza();
  reserveAir->unitId = 17;
  game().reserve.push_back(reserveAir);
  Air(12, 2, 2);
  auto* reserveShip = new cJednostkaMorska();
  reserveShip->unitId = 30;
  game().navalReserve.push_back(reserveShip);
  game().InitNextIds();
  // Lists sorted by id; the last fleet is the highest.
  EXPECT_EQ(game().fleets.front()->id, 2);
  EXPECT_EQ(game().navalUnits.front()->unitId, 3);
  EXPECT_EQ(game().nextFleetNumber, 10);
  EXPECT_EQ(game().navalUnitCounter, 31);  // max(5 + 1, 30) + 1
  EXPECT_EQ(game().landUnitCounter, 41);
  EXPECT_EQ(game().airUnitCounter, 18);

  reserveShip->unitId = 2;
  game().InitNextIds();
  EXPECT_EQ(game().navalUnitCounter, 7);  // (5 + 1) + 1: the reserve's 2 is lower
}

}  // namespace
