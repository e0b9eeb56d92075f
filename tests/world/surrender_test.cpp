// The end of a country's war: the surrender test, the surrender's shares
// and what it takes away, the separate peace and the hand-over of forces.
#include <gtest/gtest.h>

#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/phase_report.h"
#include "world/world_test_support.h"

namespace {

using unit_test::AddCity;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;
using world_test::LogCapture;

// Country 1 is the one whose war ends; 2 and 3 are its active enemies, 4 an
// enemy that has left the game, 5 neutral.
class EndOfWar : public ::testing::Test {
 protected:
  EndOfWar() : g(8, 4, 5) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) c->name = L"C" + std::to_wstring(c->id);
    C(4).active = 0;
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 4; ++y) {
        const uint8_t holder = x < 4 ? 1 : 2;
        g.hex(x, y).controller = g.hex(x, y).owner = g.hex(x, y).originalOwner = holder;
      }
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  bool War(int a, int b) { return g.game->relations.IsAtWar(a, b) != 0; }
  cJednostkaMorska* Ship(int country, sFlota* fleet) {
    auto* s = new cJednostkaMorska();
    s->countryId = country;
    s->SetType(kTypeCruiser);
    s->fleet = fleet;
    if (fleet != nullptr) fleet->ships.push_back(s);
    g.game->navalUnits.push_back(s);
    return s;
  }
  sFlota* Fleet(int country, int node) {
    auto* f = new sFlota();
    f->countryId = country;
    f->seaNode = node;
    g.game->fleets.push_back(f);
    return f;
  }

  GameFixture g;
};

TEST_F(EndOfWar, TheSurrenderTestNeedsAWarAndNoHeldVictoryCity) {
  cMiasto* capital = AddCity(g, 1, 1, kCityRegular, 1);
  capital->victoryPoints = 2;
  AddCity(g, 2, 2, kCityResources, 1)->victoryPoints = 5;  // resources never count
  AddCity(g, 3, 3, kCityRegular, 1);                       // no victory points
  // At peace with everybody: never surrenders, even without cities.
  EXPECT_FALSE(C(1).HasLostAllVictoryCities());
  g.SetWar(1, 2);
  EXPECT_FALSE(C(1).HasLostAllVictoryCities());
  // Owned but held by the enemy: it does not keep the country alive.
  g.hex(1, 1).controller = 2;
  EXPECT_TRUE(C(1).HasLostAllVictoryCities());
  // Held but owned by another: neither.
  g.hex(1, 1).controller = 1;
  g.hex(1, 1).owner = 3;
  EXPECT_TRUE(C(1).HasLostAllVictoryCities());
  C(1).politicalStrength = -1;
  EXPECT_FALSE(C(1).HasLostAllVictoryCities());
}

TEST_F(EndOfWar, WithoutLossesEveryActiveEnemyGetsAnEqualShareAndTheLowestIdWins) {
  g.SetWar(1, 2);
  g.SetWar(1, 3);
  g.SetWar(1, 4);  // inactive: no share
  sPhaseReport report;
  ASSERT_TRUE(C(1).SurrenderTo(report));
  EXPECT_EQ(report.headline, L"C1 surrenders to C2");
  EXPECT_EQ(report.body, L"Distribution of effort in victory over C1:\nC2: 50.00%\nC3: 50.00%\n");
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(2, 1), 1.0f);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(3, 1), 1.0f);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(4, 1), 0.0f);
  // The territory went to the victor.
  EXPECT_EQ(g.hex(0, 0).controller, 2);
  EXPECT_EQ(C(1).active, 0);
}

TEST_F(EndOfWar, SharesFollowTheLossesDealtLargestFirst) {
  g.SetWar(1, 2);
  g.SetWar(1, 3);
  g.game->relations.ChangeLosses(2, 1, 10.0f);
  g.game->relations.ChangeLosses(3, 1, 30.0f);
  g.game->relations.ChangeLosses(4, 1, 60.0f);  // counts in the total, but gets no share
  g.game->relations.ChangeLosses(5, 1, 0.0f);
  sPhaseReport report;
  ASSERT_TRUE(C(1).SurrenderTo(report));
  EXPECT_EQ(report.headline, L"C1 surrenders to C3");
  EXPECT_EQ(report.body, L"Distribution of effort in victory over C1:\nC3: 30.00%\nC2: 10.00%\n");
  EXPECT_EQ(g.hex(0, 0).controller, 3);
  EXPECT_EQ(g.hex(0, 0).owner, 3);
}

TEST_F(EndOfWar, ASurrenderWithNobodyToTakeItChangesNothing) {
  // At war only with a country that has left the game, with no losses.
  g.SetWar(1, 4);
  cJednostkaLadowa* unit = PlaceLand(g, 1, 0, 0);
  LogCapture log;
  sPhaseReport report;
  EXPECT_FALSE(C(1).SurrenderTo(report));
  EXPECT_TRUE(log.Has(L"WARNING: C1 cannot surrender: no active country has fought it"));
  EXPECT_TRUE(report.headline.empty());
  EXPECT_EQ(C(1).active, 1);
  EXPECT_TRUE(War(1, 4));
  EXPECT_EQ(g.hex(0, 0).controller, 1);
  EXPECT_EQ(g.hex(0, 0).unit, unit);
}

TEST_F(EndOfWar, TheSurrenderTakesEveryForceTerritoryAndSupplyRoleAway) {
  g.game->seaGraph.nodes.resize(2);
  g.game->seaGraph.nodes[0].id = 1;
  g.game->seaGraph.nodes[1].id = 2;
  g.game->seaGraph.nodes[1].seaZone = 0;  // a port
  g.SetWar(1, 2);
  g.SetWar(1, 3);
  g.game->relations.ChangeLosses(2, 1, 5.0f);
  // Occupied land both ways.
  g.hex(3, 0).controller = 2;  // 1's hex held by 2
  g.hex(4, 1).controller = 1;  // 2's hex held by 1
  cMiasto* supply = AddCity(g, 0, 0, kCitySupply, 1);
  cMiasto* port = AddCity(g, 1, 0, kCitySupplyPort, 1);
  g.hex(1, 0).seaNodeMarker = 2;
  cMiasto* foreign = AddCity(g, 6, 0, kCitySupply, 2);
  g.hex(0, 0).originalOwner = g.hex(1, 0).originalOwner = 1;

  cJednostkaLadowa* land = PlaceLand(g, 1, 0, 1);
  PlaceAir(g, 1, 1, 1);
  cJednostkaLadowa* survivor = PlaceLand(g, 2, 5, 1);
  PlaceAir(g, 3, 6, 1);
  auto* reserveUnit = new unit_test::ValuedLandUnit(5.0f);
  reserveUnit->countryId = 1;
  reserveUnit->inReserve = 1;
  g.game->reserve.push_back(reserveUnit);
  sFlota* fleet = Fleet(1, 1);
  sFlota* otherFleet = Fleet(2, 1);
  cJednostkaMorska* cargo = Ship(1, fleet);
  cargo->SetType(kTypeCargo);
  auto* carried = new unit_test::ValuedLandUnit(5.0f);
  carried->countryId = 1;
  carried->transport = cargo;
  cargo->carriedUnit = carried;
  g.game->transportedUnits.push_back(carried);
  Ship(1, fleet);
  cJednostkaMorska* enemyShip = Ship(2, otherFleet);
  auto* pooled = new cJednostkaMorska();
  pooled->countryId = 1;
  g.game->navalReserve.push_back(pooled);
  sDowodca* general = unit_test::AddCommander(g, 7, 1, 0, 3);
  unit_test::Attach(general, land);
  sDowodca* foreignGeneral = unit_test::AddCommander(g, 8, 2, 0, 3);
  foreignGeneral->state = 2;
  sDowodca* admiral = unit_test::AddCommander(g, 9, 1, 2, 3);
  unit_test::Attach(admiral, cargo);
  // The node draws the country's ship on the side of the viewer 2.
  g.game->seaGraph.viewingCountry = 2;
  g.game->seaGraph.nodes[0].enemyShip = cargo;
  enemyShip->spottedLevel = 6;
  g.game->seaGraph.nodes[0].friendlyShip = enemyShip;

  sPhaseReport report;
  ASSERT_TRUE(C(1).SurrenderTo(report));

  // No unit of the country is left anywhere.
  auto none = [](const auto& list) {
    return std::none_of(list.begin(), list.end(), [](const cUnit* u) { return u->countryId == 1; });
  };
  EXPECT_TRUE(none(g.game->landUnits));
  EXPECT_TRUE(none(g.game->transportedUnits));
  EXPECT_TRUE(none(g.game->airUnits));
  EXPECT_TRUE(none(g.game->reserve));
  EXPECT_TRUE(none(g.game->navalUnits));
  EXPECT_TRUE(none(g.game->navalReserve));
  EXPECT_EQ(g.game->landUnits.size(), 1u);
  EXPECT_EQ(g.game->landUnits.front(), survivor);
  EXPECT_EQ(g.game->airUnits.size(), 1u);
  ASSERT_EQ(g.game->navalUnits.size(), 1u);
  EXPECT_EQ(g.game->navalUnits.front(), enemyShip);
  // Its emptied fleet is gone, the enemy's stays.
  ASSERT_EQ(g.game->fleets.size(), 1u);
  EXPECT_EQ(g.game->fleets.front(), otherFleet);
  EXPECT_EQ(general->state, 0);
  EXPECT_EQ(general->unit, nullptr);
  EXPECT_EQ(foreignGeneral->state, 2);
  EXPECT_EQ(admiral->state, 0);
  EXPECT_EQ(admiral->unit, nullptr);
  // No sunk ship is drawn any more; the viewer's own ship still is.
  EXPECT_EQ(g.game->seaGraph.nodes[0].enemyShip, nullptr);
  EXPECT_EQ(g.game->seaGraph.nodes[0].friendlyShip, enemyShip);

  // Territory: everything the country held goes to the victor; land it
  // occupied returns to its owner, its own land held by the enemy stays his.
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) {
      EXPECT_EQ(g.hex(x, y).controller, 2) << x << "," << y;
      EXPECT_EQ(g.hex(x, y).owner, 2) << x << "," << y;
    }
  EXPECT_EQ(g.hex(4, 1).controller, 2);
  EXPECT_EQ(g.hex(0, 1).unit, nullptr);
  // Cities first held by the country lose their supply role.
  EXPECT_EQ(supply->type, kCityRegular);
  EXPECT_EQ(port->type, kCityPort);
  EXPECT_EQ(foreign->type, kCitySupply);
  // Peace with everybody and out of the game.
  for (int other = 1; other <= 5; ++other) {
    EXPECT_FALSE(War(1, other));
    EXPECT_FALSE(War(other, 1));
  }
  EXPECT_EQ(C(1).active, 0);
  EXPECT_FALSE(C(1).HasLostAllVictoryCities());
}

TEST_F(EndOfWar, ASeparatePeaceSendsUnitsOnForeignGroundHomeAndLeavesTheAlliance) {
  C(1).alliance = kAllianceAxis;
  // At peace: nothing happens, not even to the alliance.
  C(1).MakePeace(true);
  EXPECT_EQ(C(1).alliance, kAllianceAxis);

  g.SetWar(1, 2);
  g.SetWar(2, 3);
  g.hex(5, 0).controller = 1;  // 2's land occupied by 1
  g.hex(1, 0).controller = 2;  // 1's land occupied by 2
  g.hex(6, 3).controller = 3;  // 2's land occupied by 3: not this peace's concern
  cJednostkaLadowa* invader = PlaceLand(g, 1, 6, 0);     // 1's unit on 2's ground
  cJednostkaLadowa* home = PlaceLand(g, 1, 0, 0);        // on its own ground
  cJednostkaLotnicza* guest = PlaceAir(g, 2, 2, 0);      // 2's plane on 1's ground
  cJednostkaLadowa* stranger = PlaceLand(g, 3, 7, 0);    // 3's unit on 2's ground
  cJednostkaLadowa* occupier = PlaceLand(g, 3, 6, 3);    // 3's unit on 3-held ground
  C(1).MakePeace(false);

  EXPECT_EQ(g.hex(5, 0).controller, 1);  // not returned without the flag
  for (cJednostka* u : std::initializer_list<cJednostka*>{invader, guest}) {
    EXPECT_EQ(u->inReserve, 1) << WideToUtf8(u->name);
    EXPECT_EQ(u->x, -1);
  }
  for (cJednostka* u : std::initializer_list<cJednostka*>{home, stranger, occupier}) EXPECT_EQ(u->inReserve, 0);
  EXPECT_EQ(g.hex(6, 0).unit, nullptr);
  EXPECT_FALSE(War(1, 2));
  EXPECT_TRUE(War(2, 3));
  EXPECT_EQ(C(1).alliance, kAllianceNeutral);

  // With the flag, occupied hexes go back to their owners.
  g.SetWar(1, 2);
  C(1).MakePeace(true);
  EXPECT_EQ(g.hex(5, 0).controller, 2);
  EXPECT_EQ(g.hex(1, 0).controller, 1);
  EXPECT_EQ(g.hex(6, 3).controller, 3);
}

TEST_F(EndOfWar, NavalForcesChangeHandsWithTheirCargo) {
  sFlota* fleet = Fleet(1, 1);
  sFlota* other = Fleet(3, 1);
  cJednostkaMorska* cargo = Ship(1, fleet);
  auto* carried = new unit_test::ValuedLandUnit(5.0f);
  carried->countryId = 1;
  cargo->carriedUnit = carried;
  g.game->transportedUnits.push_back(carried);
  cJednostkaMorska* foreign = Ship(3, other);
  auto* pooled = new cJednostkaMorska();
  pooled->countryId = 1;
  g.game->navalReserve.push_back(pooled);

  C(1).ChangeOwnershipOfAllNavalUnits(2);
  EXPECT_EQ(fleet->countryId, 2);
  EXPECT_EQ(cargo->countryId, 2);
  EXPECT_EQ(carried->countryId, 2);
  EXPECT_EQ(pooled->countryId, 2);
  EXPECT_EQ(other->countryId, 3);
  EXPECT_EQ(foreign->countryId, 3);
}

TEST_F(EndOfWar, AirForcesChangeHandsAndThoseOnTheNewOwnersEnemyGroundGoToTheReserve) {
  g.SetWar(2, 3);
  g.hex(1, 1).controller = 3;
  cJednostkaLotnicza* onEnemyGround = PlaceAir(g, 1, 1, 1);
  cJednostkaLotnicza* onOwnGround = PlaceAir(g, 1, 0, 0);
  cJednostkaLotnicza* foreign = PlaceAir(g, 4, 2, 2);
  auto* pooled = new cJednostkaLotnicza();
  pooled->countryId = 1;
  pooled->inReserve = 1;
  g.game->reserve.push_back(pooled);
  auto* pooledLand = new unit_test::ValuedLandUnit(3.0f);
  pooledLand->countryId = 1;
  g.game->reserve.push_back(pooledLand);

  C(1).ChangeOwnershipOfAllAirUnits(2);
  EXPECT_EQ(onEnemyGround->countryId, 2);
  EXPECT_EQ(onEnemyGround->inReserve, 1);
  EXPECT_EQ(onEnemyGround->x, -1);
  EXPECT_EQ(g.hex(1, 1).unit, nullptr);
  // It can be placed again: it is in the pool, off the map's list.
  EXPECT_NE(std::find(g.game->reserve.begin(), g.game->reserve.end(), onEnemyGround), g.game->reserve.end());
  EXPECT_EQ(std::find(g.game->airUnits.begin(), g.game->airUnits.end(), onEnemyGround), g.game->airUnits.end());
  EXPECT_EQ(onOwnGround->countryId, 2);
  EXPECT_EQ(onOwnGround->inReserve, 0);
  EXPECT_EQ(g.hex(0, 0).unit, onOwnGround);
  EXPECT_EQ(foreign->countryId, 4);
  EXPECT_EQ(pooled->countryId, 2);
  EXPECT_EQ(pooledLand->countryId, 1);
}

}  // namespace
