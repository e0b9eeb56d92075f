// The reserve pool: the placement hexes of reserve units, deployment, taking
// units off the map, and the removal of land and air units with its
// bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/game_lock.h"
#include "support/unit_fixtures.h"
#include "world/country.h"

using namespace world_test;
using namespace unit_test;

namespace {

// A 9 x 5 map held (controlled and owned) by country 1 on its left half.
// City X at (2, 2) and city Y at (4, 2) are two columns apart, so the hexes
// (3, 2) and (3, 3) lie next to both.
class Reserve : public ::testing::Test {
 protected:
  Reserve() : g(9, 5) {
    own = g.AddCountry(kAllianceAllies);
    enemy = g.AddCountry(kAllianceAxis);
    own->consts.reserveSupplyLevel = 10;
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 5; ++y) {
        const int holder = x < 6 ? own->id : enemy->id;
        g.hex(x, y).controller = static_cast<uint8_t>(holder);
        g.hex(x, y).owner = static_cast<uint8_t>(holder);
      }
    cityX = AddCity(g, 2, 2, kCitySupply, own->id, L"X");
    cityY = AddCity(g, 4, 2, kCityRegular, own->id, L"Y");
    for (cMiasto* c : {cityX, cityY}) {
      c->supplyInfo = {8, 0};
      c->convoyInfo = {0, 0};
    }
  }
  // A land unit of the owner waiting in the reserve pool.
  ValuedLandUnit* InReserve(const wchar_t* name = L"Reserve") {
    auto* u = new ValuedLandUnit(10.0f);
    u->countryId = own->id;
    u->SetName(name);
    u->SetType(0);
    u->inReserve = 1;
    g.game->reserve.push_back(u);
    return u;
  }
  std::vector<sHexPoint> Marked() const {
    std::vector<sHexPoint> out;
    for (const sHex* h : g.game->map->markedHexes)
      if ((h->marks & kMarkPlacement) != 0) out.push_back({h->x, h->y});
    std::sort(out.begin(), out.end(), [](sHexPoint a, sHexPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return out;
  }

  GameFixture g;
  cPanstwo* own;
  cPanstwo* enemy;
  cMiasto* cityX;
  cMiasto* cityY;
};

// ---- placement hexes ---------------------------------------------------------

TEST_F(Reserve, CityHexesAndTheirOwnNeighboursCountOncePerCity) {
  ValuedLandUnit* u = InReserve();
  // Two cities with six neighbours each; two hexes lie next to both.
  EXPECT_EQ(u->MarkMoveRange(false), 14);
  EXPECT_TRUE(g.game->map->markedHexes.empty());
  EXPECT_EQ(u->MarkMoveRange(true), 14);
  EXPECT_EQ(Marked().size(), 12u);
  for (const sHex* h : g.game->map->markedHexes) EXPECT_EQ(h->markValue, -1);
}

TEST_F(Reserve, OccupiedForeignAndResourceHexesDoNotCount) {
  ValuedLandUnit* u = InReserve();
  PlaceLand(g, own->id, 2, 2);             // X's own hex is taken, its neighbours are not
  g.hex(2, 1).owner = static_cast<uint8_t>(enemy->id);  // controlled but not owned
  g.hex(1, 3).terrain = kTerrainSea;
  g.hex(4, 2).owner = static_cast<uint8_t>(enemy->id);  // Y is not owned: no city hex, no neighbours
  AddCity(g, 2, 4, kCityResources, own->id, L"Mine");
  EXPECT_EQ(u->MarkMoveRange(true), 4);
  EXPECT_EQ(Marked(), (std::vector<sHexPoint>{{1, 2}, {2, 3}, {3, 2}, {3, 3}}));
}

TEST_F(Reserve, AtWarOnlySuppliedCitiesThatAreNotCutOffCount) {
  g.SetWar(own->id, enemy->id);
  ValuedLandUnit* u = InReserve();
  own->humanControlled = 1;
  cityY->supplyInfo = {4, 0};  // below 10 / 2
  EXPECT_EQ(u->MarkMoveRange(false), 7);
  cityY->supplyInfo = {5, 0};
  cityX->convoyInfo = {1, 0};
  EXPECT_EQ(u->MarkMoveRange(false), 7);
  // A computer-run country places units by cut-off cities as well.
  own->humanControlled = 0;
  EXPECT_EQ(u->MarkMoveRange(false), 14);
  own->pbemPlayerId = 2;
  EXPECT_EQ(u->MarkMoveRange(false), 7);
}

TEST_F(Reserve, LandMarkingClearsEveryMarkAndAirMarkingOnlyItsOwn) {
  ValuedLandUnit* u = InReserve();
  g.hex(8, 4).SetMark(16, 3);
  g.hex(2, 2).SetMark(kMarkPlacement | 1, 0);
  u->MarkMoveRange(true);
  EXPECT_EQ(g.hex(8, 4).marks, 0u);
  EXPECT_EQ(g.hex(2, 2).marks, kMarkPlacement | 1);  // bit 0 stays

  auto* air = new cJednostkaLotnicza();
  air->countryId = own->id;
  g.game->reserve.push_back(air);
  g.hex(8, 4).SetMark(16, 3);
  g.hex(7, 0).SetMark(kMarkPlacement, -1);
  EXPECT_EQ(air->MarkMoveRange(true), 14);
  EXPECT_EQ(g.hex(8, 4).marks, 16u);
  EXPECT_EQ(g.hex(7, 0).marks, 0u);
}

// ---- deployment ----------------------------------------------------------------

TEST_F(Reserve, DeployingOnACityHex) {
  ValuedLandUnit* first = InReserve(L"First");
  ValuedLandUnit* u = InReserve(L"Mid");
  ValuedLandUnit* last = InReserve(L"Last");
  u->turnsFromLastParadrop = 5;
  cityX->supplyInfo = {17, 0};
  ASSERT_TRUE(u->Deploy(2, 2));
  EXPECT_EQ(g.game->reserve, (std::vector<cJednostka*>{first, last}));
  EXPECT_EQ(g.game->landUnits.back(), u);
  EXPECT_EQ(g.hex(2, 2).unit, u);
  EXPECT_EQ(u->x, 2);
  EXPECT_EQ(u->y, 2);
  EXPECT_EQ(u->inReserve, 0);
  EXPECT_EQ(u->deployedThisTurn, 1);
  EXPECT_EQ(u->turnsFromLastParadrop, 0);
  EXPECT_EQ(u->supplySourceX, 2);
  EXPECT_EQ(u->supplySourceY, 2);
  EXPECT_EQ(u->supply, 17);
}

TEST_F(Reserve, NextToTwoCitiesTheLastInDirectionOrderSupplies) {
  ValuedLandUnit* u = InReserve();
  cityX->supplyInfo = {3, 0};
  cityY->supplyInfo = {6, 0};
  // From (3, 2), an odd column, X lies in direction 4 and Y in direction 2.
  ASSERT_TRUE(u->Deploy(3, 2));
  EXPECT_EQ(u->supplySourceX, 2);
  EXPECT_EQ(u->supply, 3);
  ValuedLandUnit* v = InReserve();
  // From (3, 3), Y lies in direction 1 and X in direction 5.
  ASSERT_TRUE(v->Deploy(3, 3));
  EXPECT_EQ(v->supplySourceX, 2);
  ValuedLandUnit* w = InReserve();
  ASSERT_TRUE(w->Deploy(5, 2));
  EXPECT_EQ(w->supplySourceX, 4);
  EXPECT_EQ(w->supply, 6);
}

TEST_F(Reserve, EveryMarkedHexTakesAUnit) {
  g.SetWar(own->id, enemy->id);
  cityY->supplyInfo = {4, 0};
  PlaceLand(g, own->id, 1, 2);
  ValuedLandUnit* probe = InReserve();
  probe->MarkMoveRange(true);
  const std::vector<sHexPoint> marked = Marked();
  ASSERT_EQ(marked.size(), 6u);
  for (const sHexPoint& p : marked) {
    ValuedLandUnit* u = InReserve();
    EXPECT_TRUE(u->Deploy(p.x, p.y)) << p.x << "," << p.y;
  }
  EXPECT_EQ(probe->MarkMoveRange(false), 0);
}

TEST_F(Reserve, RefusedDeploymentsChangeNothingAndGoOn) {
  g.SetWar(own->id, enemy->id);
  cityY->supplyInfo = {4, 0};  // too little supply at war
  ValuedLandUnit* u = InReserve();
  ValuedLandUnit* blocker = PlaceLand(g, own->id, 3, 3);
  LogCapture log;
  const sHexPoint refused[] = {{4, 2}, {5, 2}, {3, 3}, {7, 2}, {0, 0}, {-1, 2}, {2, 9}};
  for (const sHexPoint& p : refused) EXPECT_FALSE(u->Deploy(p.x, p.y)) << p.x << "," << p.y;
  EXPECT_TRUE(log.Has(L"Error while deploying unit: cant find appropriate city near (5,2)"));
  EXPECT_EQ(log.lines.size(), std::size(refused));
  EXPECT_EQ(g.game->reserve.size(), 1u);
  EXPECT_EQ(u->inReserve, 1);
  EXPECT_EQ(u->x, -1);
  EXPECT_EQ(g.hex(3, 3).unit, blocker);
  // A unit not in the pool is not deployed twice.
  EXPECT_TRUE(u->Deploy(2, 2));
  EXPECT_FALSE(u->Deploy(3, 2));
  EXPECT_EQ(std::count(g.game->landUnits.begin(), g.game->landUnits.end(), u), 1);
}

TEST_F(Reserve, AirUnitsDeployToTheAirList) {
  auto* air = new cJednostkaLotnicza();
  air->countryId = own->id;
  air->SetType(kTypeFighter);
  air->inReserve = 1;
  g.game->reserve.push_back(air);
  ASSERT_TRUE(air->Deploy(3, 2));
  EXPECT_EQ(g.game->airUnits.back(), air);
  EXPECT_TRUE(g.game->landUnits.empty());
  EXPECT_TRUE(g.game->reserve.empty());
  EXPECT_EQ(g.hex(3, 2).unit, air);
  // A land unit whose category says air is not put on a list of the wrong kind.
  ValuedLandUnit* odd = InReserve();
  odd->category = kCategoryAir;
  EXPECT_FALSE(odd->Deploy(2, 2));
  EXPECT_TRUE(g.game->landUnits.empty());
}

// ---- into the reserve pool ---------------------------------------------------

TEST_F(Reserve, UnitsLeaveTheMapForThePool) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 1, 1, 10.0f, L"Guards");
  cJednostkaLotnicza* a = PlaceAir(g, own->id, 3, 1);
  a->SetName(L"Hawks");
  u->supply = a->supply = 5;
  LogCapture log;
  EXPECT_EQ(static_cast<cJednostka*>(u)->MoveToReservePool(), -1);
  EXPECT_EQ(static_cast<cJednostka*>(a)->MoveToReservePool(), -1);
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"map --> reserve pool: Guards", L"map --> reserve pool: Hawks"}));
  EXPECT_EQ(g.game->reserve, (std::vector<cJednostka*>{u, a}));
  EXPECT_TRUE(g.game->landUnits.empty());
  EXPECT_TRUE(g.game->airUnits.empty());
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  EXPECT_EQ(g.hex(3, 1).unit, nullptr);
  EXPECT_EQ(u->inReserve, 1);
  EXPECT_EQ(u->x, -1);
  EXPECT_EQ(a->y, -1);
  // In the pool they hold the reserve's supply, as a reload would give them.
  EXPECT_EQ(u->supply, own->consts.reserveSupplyLevel);
  EXPECT_EQ(a->supply, own->consts.reserveSupplyLevel);
  // And back again.
  EXPECT_TRUE(u->Deploy(2, 2));
  EXPECT_EQ(g.game->reserve, (std::vector<cJednostka*>{a}));
}

// ---- killing -------------------------------------------------------------------

TEST_F(Reserve, KillingALandUnitKeepsTheBooks) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 1, 1);
  ValuedLandUnit* other = PlaceLand(g, own->id, 1, 3);
  sDowodca* c = AddCommander(g, 4, own->id, 0, 3);
  Attach(c, u);
  own->airReconSightings.push_back(u);
  enemy->airReconSightings = {other, u, u};
  CreateGameLock();
  LogCapture log;
  u->Kill();
  DeleteGameLock();
  EXPECT_EQ(g.game->landUnits, (std::list<cJednostkaLadowa*>{other}));
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  EXPECT_EQ(g.hex(1, 3).unit, other);
  EXPECT_EQ(c->state, 1);
  EXPECT_EQ(c->unit, nullptr);
  EXPECT_TRUE(own->airReconSightings.empty());
  EXPECT_EQ(enemy->airReconSightings, (std::list<cUnit*>{other}));
  // The map and the list were changed under the game lock.
  ASSERT_GE(log.lines.size(), 2u);
  EXPECT_EQ(log.lines.front().rfind(L"AC:", 0), 0u);
  EXPECT_EQ(log.lines.back().rfind(L"RC:", 0), 0u);
}

TEST_F(Reserve, KillingForACallerThatWalksTheList) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 1, 1);
  u->KillKeepingListEntry();
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  ASSERT_EQ(g.game->landUnits.size(), 1u);
  g.game->landUnits.clear();  // the caller erases the entry
}

TEST_F(Reserve, KillingCarriedAndReserveUnits) {
  auto ship = [&](int type) {
    auto* s = new cJednostkaMorska();
    s->SetType(type);
    g.game->navalUnits.push_back(s);
    return s;
  };
  auto carried = [&](cJednostkaMorska* s, std::list<cJednostkaLadowa*>& list) {
    auto* u = new cJednostkaLadowa();
    u->countryId = own->id;
    u->transport = s;
    s->carriedUnit = u;
    list.push_back(u);
    return u;
  };
  cJednostkaMorska* cargo = ship(kTypeCargo);
  cJednostkaMorska* landing = ship(kTypeAmphibious);
  cJednostkaLadowa* onCargo = carried(cargo, g.game->transportedUnits);
  cJednostkaLadowa* onLanding = carried(landing, g.game->amphibiousUnits);
  // A carried unit keeps the map untouched.
  ValuedLandUnit* onMap = PlaceLand(g, own->id, 0, 0);
  onCargo->Kill();
  EXPECT_TRUE(g.game->transportedUnits.empty());
  EXPECT_EQ(cargo->carriedUnit, nullptr);
  onLanding->Kill();
  EXPECT_TRUE(g.game->amphibiousUnits.empty());
  EXPECT_EQ(landing->carriedUnit, nullptr);
  EXPECT_EQ(g.game->landUnits, (std::list<cJednostkaLadowa*>{onMap}));
  EXPECT_EQ(g.hex(0, 0).unit, onMap);

  ValuedLandUnit* waiting = InReserve();
  waiting->Kill();
  EXPECT_TRUE(g.game->reserve.empty());
}

TEST_F(Reserve, KillingAnAirUnitFreesItsCommander) {
  cJednostkaLotnicza* a = PlaceAir(g, own->id, 2, 1);
  sDowodca* c = AddCommander(g, 5, own->id, 1, 2);
  Attach(c, a);
  enemy->airReconSightings = {a};
  a->Kill();
  EXPECT_TRUE(g.game->airUnits.empty());
  EXPECT_EQ(g.hex(2, 1).unit, nullptr);
  EXPECT_EQ(c->state, 1);
  EXPECT_EQ(c->unit, nullptr);
  EXPECT_TRUE(enemy->airReconSightings.empty());
}

using ReserveDeathTest = Reserve;

TEST_F(ReserveDeathTest, AUnitAboardANonTransportIsADataError) {
  auto* battleship = new cJednostkaMorska();
  battleship->SetType(kTypeBattleship);
  g.game->navalUnits.push_back(battleship);
  auto* u = new cJednostkaLadowa();
  u->transport = battleship;
  g.game->transportedUnits.push_back(u);
  EXPECT_EXIT((LogToStderr(), u->Kill()), ::testing::ExitedWithCode(1),
              "Data integrity error. Trying to kill unit loaded into non-transport.");
}

}  // namespace
