// Effects on existing units, fleets and convoys, through the effects table.
#include "core/random.h"
#include "effects_test_support.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/reports.h"
#include "world/sea_graph.h"

namespace {

using effects_test::EffectsTest;
using unit_test::AddCity;
using unit_test::PlaceAir;
using unit_test::PlaceLand;

TEST_F(EffectsTest, HexUnitsMoveFreezeAndThawByCategory) {
  cJednostkaLadowa* land = PlaceLand(g, 1, 2, 2);
  cJednostkaLotnicza* air = PlaceAir(g, 2, 4, 4);
  PlaceLand(g, 3, 6, 6);

  Run(L"Unit.Teleport", {2, 2, 6, 6});
  EXPECT_EQ(hex(2, 2).unit, land) << "the target holds a unit";
  Run(L"Unit.Teleport", {2, 2, 3, 7.9});
  EXPECT_EQ(hex(3, 7).unit, land);
  EXPECT_EQ(hex(2, 2).unit, nullptr);
  EXPECT_EQ(land->x, 3);
  EXPECT_EQ(land->y, 7);
  Run(L"Unit.Teleport", {5, 5, 1, 1});  // nobody there

  Run(L"Unit.Freeze", {3, 7, 4});
  EXPECT_EQ(land->freezeTime, 4);
  Run(L"Unit.FreezeIfOwnedByCountry", {3, 7, 9, 2});
  EXPECT_EQ(land->freezeTime, 4) << "another country's unit";
  Run(L"Unit.FreezeIfOwnedByCountry", {3, 7, 9, 1});
  EXPECT_EQ(land->freezeTime, 9);
  Run(L"Unit.Freeze", {4, 4, 4});
  Run(L"Unit.Unfreeze", {4, 4});
  EXPECT_EQ(hex(4, 4).unit, air) << "aircraft are not frozen";
  Run(L"Unit.Unfreeze", {3, 7});
  EXPECT_EQ(land->freezeTime, 0);

  Run(L"Hex.KillUnit", {4, 4});
  Run(L"Hex.KillUnit", {3, 7});
  EXPECT_EQ(hex(4, 4).unit, nullptr);
  EXPECT_EQ(hex(3, 7).unit, nullptr);
  EXPECT_TRUE(game().airUnits.empty());
  EXPECT_EQ(game().landUnits.size(), 1u);
}

TEST_F(EffectsTest, RemoveFindsItsUnitByCountryTypeAndId) {
  cJednostkaLadowa* a = PlaceLand(g, 1, 1, 1);  // type 0
  cJednostkaLadowa* b = PlaceLand(g, 2, 2, 1);
  b->SetType(3);
  cJednostkaLotnicza* air = PlaceAir(g, 1, 3, 1);
  air->unitId = a->unitId;  // an air unit sharing the land unit's number
  naval_test::AddFleet(g, 1, naval_test::AddZone(g, 11, 11), {41});  // ship id 101

  Run(L"Unit.Remove", {0, -1, 101});
  EXPECT_EQ(game().navalUnits.size(), 1u) << "ships are not searched";
  Run(L"Unit.Remove", {2, -1, static_cast<double>(a->unitId)});
  EXPECT_EQ(game().landUnits.size(), 2u) << "country 2 has no unit of that id";
  Run(L"Unit.Remove", {1, 3, static_cast<double>(a->unitId)});
  EXPECT_EQ(game().landUnits.size(), 2u) << "not of type 3";
  Run(L"Unit.Remove", {0, 20, static_cast<double>(a->unitId)});
  EXPECT_TRUE(game().airUnits.empty()) << "the land unit does not match type 20: the air unit does";
  EXPECT_EQ(hex(1, 1).unit, a);
  Run(L"Unit.Remove", {-1, -1, static_cast<double>(a->unitId)});
  EXPECT_EQ(hex(1, 1).unit, nullptr);
  ASSERT_EQ(game().landUnits.size(), 1u);
  EXPECT_EQ(game().landUnits.front(), b);
}

TEST_F(EffectsTest, RemoveWithoutAnIdKillsOneRandomMatchingUnit) {
  int picks[4] = {};
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    std::vector<cUnit*> units = {PlaceLand(g, 1, 1, 1), PlaceLand(g, 2, 2, 1), PlaceAir(g, 3, 3, 1),
                                 PlaceAir(g, 1, 4, 1)};
    SeedRandom(seed);
    Run(L"Unit.Remove", {0, -1, -1});
    int gone = 0;
    for (int i = 0; i < 4; ++i)
      if (hex(i + 1, 1).unit == nullptr) {
        ++gone;
        ++picks[i];
      }
    ASSERT_EQ(gone, 1) << seed;
    for (int x = 1; x <= 4; ++x)
      if (hex(x, 1).unit != nullptr) hex(x, 1).unit->Kill();
  }
  for (int count : picks) EXPECT_GT(count, 8) << "every unit, the last one too, may be the one";

  PlaceLand(g, 1, 1, 1);
  PlaceAir(g, 2, 2, 1);
  Run(L"Unit.Remove", {2, 0, -1});
  EXPECT_NE(hex(1, 1).unit, nullptr);
  EXPECT_NE(hex(2, 1).unit, nullptr) << "no land unit of country 2 and type 0";
  Run(L"Unit.Remove", {2, -1, -1});
  EXPECT_EQ(hex(2, 1).unit, nullptr);
}

TEST_F(EffectsTest, CountryWideUnitEffectsTouchThatCountryOnly) {
  cJednostkaLadowa* frozen = PlaceLand(g, 1, 1, 1);
  cJednostkaLadowa* thawed = PlaceLand(g, 1, 2, 1);
  cJednostkaLadowa* foreign = PlaceLand(g, 2, 3, 1);
  frozen->freezeTime = 2;
  foreign->freezeTime = 2;
  Run(L"Country.SetFreezeLevelForAllFreezedUnits", {1, 6});
  EXPECT_EQ(frozen->freezeTime, 6);
  EXPECT_EQ(thawed->freezeTime, 0);
  EXPECT_EQ(foreign->freezeTime, 2);
  Run(L"Country.UnFreezeAllUnits", {1});
  EXPECT_EQ(frozen->freezeTime, 0);
  EXPECT_EQ(foreign->freezeTime, 2);

  // Country 1 also has a unit aboard a ship, aircraft, ships and reserves.
  const int zone = naval_test::AddZone(g, 11, 11);
  Run(L"SeaNode.AddLandUnit", {static_cast<double>(zone), 44, 1, 0, 1, 50}, L"Aboard");
  PlaceAir(g, 1, 5, 5);
  PlaceAir(g, 2, 6, 5);
  naval_test::AddFleet(g, 2, zone, {41, 42});
  Run(L"Hex.AddLandUnit", {-1, -1, 1, 0, 1, 50}, L"Reserve 1");
  Run(L"Hex.AddLandUnit", {-1, -1, 2, 0, 1, 50}, L"Reserve 2");
  Run(L"Hex.AddAirUnit", {1, -1, -1, 20, 1, 5}, L"Reserve air 1");

  naval_test::AddFleet(g, 1, zone, {42});

  Run(L"Country.KillAllLandUnits", {1});
  EXPECT_EQ(game().landUnits.size(), 1u);
  EXPECT_TRUE(game().transportedUnits.empty());
  // The loaded transport sinks with its cargo; the cruiser stays.
  EXPECT_EQ(game().navalUnits.size(), 3u);
  for (const cJednostkaMorska* s : game().navalUnits) EXPECT_NE(s->type, kTypeCargo);
  EXPECT_EQ(game().fleets.size(), 2u);
  EXPECT_EQ(game().reserve.size(), 3u) << "the reserve is not the map";

  Run(L"Country.KillAllAirUnits", {1});
  ASSERT_EQ(game().airUnits.size(), 1u);
  EXPECT_EQ(game().airUnits.front()->countryId, 2);

  Run(L"Country.KillAllNavalUnits", {1});
  EXPECT_EQ(game().navalUnits.size(), 2u);
  EXPECT_EQ(game().fleets.size(), 1u) << "the emptied fleet is gone";

  Run(L"Country.KillAllUnitsInReserve", {1});
  ASSERT_EQ(game().reserve.size(), 1u);
  EXPECT_EQ(game().reserve[0]->name, L"Reserve 2");
}

TEST_F(EffectsTest, KillingTheFirstCarriedUnitSinksItsShipWithEverythingAboard) {
  const int zone = naval_test::AddZone(g, 11, 11);
  cJednostkaMorska* cargo = naval_test::AddFleet(g, 1, zone, {kTypeCargo})->ships.front();
  cJednostkaMorska* amphibious = naval_test::AddFleet(g, 1, zone, {kTypeAmphibious})->ships.front();
  naval_test::AddFleet(g, 2, zone, {kTypeCargo});
  auto aboard = [&](cJednostkaMorska* ship, std::list<cJednostkaLadowa*>& list) {
    auto* u = new unit_test::ValuedLandUnit(10.0f);
    u->countryId = 1;
    u->x = u->y = -1;
    u->transport = ship;
    ship->carriedUnit = u;
    list.push_back(u);
  };
  aboard(cargo, game().transportedUnits);
  aboard(cargo, game().transportedUnits);  // two units on one transport
  aboard(amphibious, game().amphibiousUnits);

  EXPECT_TRUE(game().KillFirstTransportedUnitOfCountry(1));
  EXPECT_TRUE(game().transportedUnits.empty());
  EXPECT_EQ(game().navalUnits.size(), 2u);
  EXPECT_FALSE(game().KillFirstTransportedUnitOfCountry(1));
  EXPECT_FALSE(game().KillFirstTransportedUnitOfCountry(2));

  EXPECT_TRUE(game().KillFirstAmphibiousUnitOfCountry(1));
  EXPECT_TRUE(game().amphibiousUnits.empty());
  EXPECT_FALSE(game().KillFirstAmphibiousUnitOfCountry(1));
  ASSERT_EQ(game().navalUnits.size(), 1u);
  EXPECT_EQ(game().navalUnits.front()->countryId, 2);
  EXPECT_FALSE(game().KillFirstNavalUnitOfCountry(1));
  EXPECT_TRUE(game().KillFirstNavalUnitOfCountry(2));
  EXPECT_TRUE(game().fleets.empty());
}

TEST_F(EffectsTest, ForcesPassToAnotherCountry) {
  const int zone = naval_test::AddZone(g, 11, 11);
  sFlota* fleet = naval_test::AddFleet(g, 1, zone, {41, 44});
  cJednostkaLotnicza* air = PlaceAir(g, 1, 2, 2);
  Run(L"Country.ChangeOwnershipOfAllNavalUnits", {1, 3});
  EXPECT_EQ(fleet->countryId, 3);
  for (const cJednostkaMorska* s : fleet->ships) EXPECT_EQ(s->countryId, 3);
  Run(L"Country.ChangeOwnershipOfAllAirUnits", {1, 2});
  EXPECT_EQ(air->countryId, 2);
}

TEST_F(EffectsTest, EventEffectivenessByAllianceGroup) {
  country(1).alliance = 4;  // allies: group 2
  country(2).alliance = 2;  // axis: group 1
  // country 3 has no alliance: group 4
  for (int x = 0; x < 6; ++x) hex(x, 0).originalOwner = 1;
  cJednostkaLadowa* allied = PlaceLand(g, 1, 1, 0);
  cJednostkaLadowa* axis = PlaceLand(g, 2, 2, 0);
  cJednostkaLadowa* neutral = PlaceLand(g, 3, 3, 0);
  cJednostkaLadowa* neutralAway = PlaceLand(g, 3, 3, 5);
  Run(L"Country.ChangeEffectivityOfAllUnits", {1, 4, 15});
  EXPECT_EQ(neutral->eventsEffect, 15);
  EXPECT_EQ(neutralAway->eventsEffect, 0) << "not on country 1's original land";
  EXPECT_EQ(allied->eventsEffect, 0);
  Run(L"Country.ChangeEffectivityOfAllUnits", {1, 1, -10});
  EXPECT_EQ(axis->eventsEffect, -10);

  Run(L"Area.ChangeEffectivityOfAllUnits", {1, 0, 3, 5, 4, 7});
  EXPECT_EQ(neutral->eventsEffect, 22);
  EXPECT_EQ(neutralAway->eventsEffect, 7);
  Run(L"Area.ChangeEffectivityOfAllUnits", {2, 0, 3, 5, 2, 5});
  EXPECT_EQ(allied->eventsEffect, 0) << "x 1 is outside 2..3";
}

TEST_F(EffectsTest, ShipsInTheZoneAreDamagedWhateverTheirCountry) {
  const int zone = naval_test::AddZone(g, 11, 11, L"Baltic");
  const int other = naval_test::AddZone(g, 10, 11, L"Elsewhere");
  naval_test::AddFleet(g, 1, zone, {41, 42}, 10);
  naval_test::AddFleet(g, 2, zone, {43}, 7);
  naval_test::AddFleet(g, 3, other, {41}, 10);

  Run(L"Country.DamageRandomShipsInSeaZone", {3, static_cast<double>(zone), 0, 0});
  for (const cJednostkaMorska* s : game().navalUnits) EXPECT_EQ(s->hitPoints, s->maxHitPoints);

  // The damage formula with a fixed seed, draw by draw in list order.
  SeedRandom(11);
  std::vector<int> expected;
  for (int hp : {10, 10, 7}) {
    const double r = RandomFloat01();
    expected.push_back(hp - static_cast<int>(hp * (0.2 + r * (0.6 - 0.2))));
  }
  SeedRandom(11);
  Run(L"Country.DamageRandomShipsInSeaZone", {3, static_cast<double>(zone), 0.2, 0.6});
  std::vector<int> hp;
  for (const cJednostkaMorska* s : game().navalUnits) hp.push_back(s->hitPoints);
  expected.push_back(10);  // the ship in the other zone
  EXPECT_EQ(hp, expected);

  game().reports->reports.clear();
  Run(L"Country.DamageRandomShipsInSeaZone", {3, static_cast<double>(zone), 1, 1});
  ASSERT_EQ(game().navalUnits.size(), 1u);
  EXPECT_EQ(game().navalUnits.front()->fleet->seaNode, other);
  EXPECT_EQ(game().fleets.size(), 1u);
  ASSERT_EQ(game().reports->reports.size(), 3u);
  const sRaport& first = game().reports->reports.front();
  EXPECT_EQ(first.kind, 33);
  EXPECT_EQ(first.countryId, 1);
  EXPECT_EQ(first.text, L"Ship 1.1\nFleet 1;(no data);Baltic\nEvent");
  EXPECT_EQ(game().reports->reports.back().countryId, 2);
}

TEST_F(EffectsTest, ConvoysNeedACityOnBothHexes) {
  AddCity(g, 2, 2, kCityPort, 1, L"Danzig");
  AddCity(g, 8, 8, kCityPort, 1, L"Kiel");
  cLogCapture log;
  Run(L"Country.AddConvoy", {1, 0, 5, 2, 2, 5, 5});
  Run(L"Country.RemoveConvoy", {1, 0, 5, 5, 8, 8});
  EXPECT_EQ(log.CountContaining(L"Convoy"), 0);
  Run(L"Country.AddConvoy", {1, 1, 5, 2, 2, 8, 8});
  EXPECT_EQ(log.CountContaining(L"from Danzig to Kiel"), 1);

  // With the game's convoy manager the convoys come and go.
  game().convoys = new cKonwoje();
  game().convoys->Resize(static_cast<int>(game().countries.size()));
  Run(L"Country.AddConvoy", {1, 1, 5, 2, 2, 8, 8});
  Run(L"Country.AddConvoy", {1, 0, 0, 2, 2, 8, 8});
  ASSERT_EQ(game().convoys->convoys[0].size(), 2u);
  EXPECT_EQ(game().convoys->convoys[0][0].kind, 1);
  EXPECT_EQ(game().convoys->convoys[0][0].value, 5);
  EXPECT_EQ(game().convoys->convoys[0][0].destination->name, L"Kiel");
  Run(L"Country.RemoveConvoy", {1, 1, 2, 2, 8, 8});
  ASSERT_EQ(game().convoys->convoys[0].size(), 1u);
  EXPECT_EQ(game().convoys->convoys[0][0].kind, 0);
}

}  // namespace
