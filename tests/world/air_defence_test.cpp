// Air defence of a country: fighter sums and their ratio, the interceptor
// of an attacked hex, fog of war and the unit statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/random.h"
#include "core/settings.h"
#include "support/naval_fixtures.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_map.h"
#include "world/world_test_support.h"

namespace {

using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;
using world_test::LogCapture;
using world_test::TestAirUnit;

constexpr int kCx = 6;
constexpr int kCy = 4;

// Country 1 asks; 2 is its ally, 3 their enemy, 4 neutral. Every country's
// fighters reach truncate(1.5 x 3) = 4 hexes.
class AirDefence : public ::testing::Test {
 protected:
  AirDefence() : g(14, 10, 0) {
    for (int a : {1, 4, 2, 0}) {
      cPanstwo* c = g.AddCountry(a);
      c->name = L"C" + std::to_wstring(c->id);
      c->techLevels[3] = 2;
      c->consts.c047[0] = 3;
      c->consts.airRangeTechFactor[0] = 1.0f;
      c->consts.airRangeTechFactor[1] = 1.5f;
      c->consts.c060 = 6;  // interceptors need more than 3 strength
      c->consts.carrierMinHitPoints = 3;
      c->consts.supplyTable[sConsts::kInterceptionBonusTable][10] = 2;
    }
    g.SetWar(1, 3);
    g.SetWar(2, 3);
    for (int x = 0; x < 14; ++x) g.hex(x, 9).terrain = kTerrainSea, g.hex(x, 9).seaZone = 1;
    g.game->seaGraph.nodes.resize(1);
    g.game->seaGraph.nodes[0].id = 1;
    g.game->seaGraph.nodes[0].name = L"Channel";
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  // The first hex at distance d from (cx, cy) not taken yet.
  sHexPoint At(int d, int cx = kCx, int cy = kCy) {
    for (const sHex& h : g.map().hexes)
      if (h.IsLand() && h.unit == nullptr && HexDistance(cx, cy, h.x, h.y) == d) return {h.x, h.y};
    ADD_FAILURE() << "no free hex at distance " << d;
    return {0, 0};
  }
  // A plane with a strength value of its own, placed d hexes from the centre.
  TestAirUnit* Plane(int country, int d, float value, int type = kTypeFighter) {
    auto* u = new TestAirUnit(country, 0, value);
    u->SetType(type);
    const sHexPoint p = At(d);
    u->x = p.x;
    u->y = p.y;
    g.hex(p.x, p.y).unit = u;
    g.game->airUnits.push_back(u);
    return u;
  }
  cJednostkaMorska* Carrier(int country, int node, int hitPoints, int type = kTypeCarrier) {
    return naval_test::AddLoneShip(g, country, type, node, hitPoints);
  }

  GameFixture g;
};

TEST_F(AirDefence, FighterSumsCountReachAndSideAndTruncateAfterEachAddition) {
  EXPECT_EQ(C(1).GetFighterReach(), 4);
  // No enemy fighters: the ratio is -1, not a division by zero.
  Plane(1, 4, 1.5f);  // exactly at the reach: counts
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(kCx, kCy), 0);
  EXPECT_FLOAT_EQ(C(1).GetAirSuperiorityRatio(kCx, kCy), -1.0f);
  EXPECT_FLOAT_EQ(AirSuperiorityRatio(C(1), kCx, kCy), -1.0f);

  Plane(2, 2, 1.5f);                        // the ally's
  Plane(1, 5, 7.0f);                        // one hex too far
  Plane(4, 1, 5.0f);                        // neutral
  Plane(1, 1, 9.0f, kTypeTacticalBomber);   // no fighter
  Plane(3, 3, 2.0f);                        // the enemy's
  Plane(3, 5, 8.0f);                        // the enemy's, too far
  // trunc(trunc(0 + 1.5) + 1.5) = 2, not 3.
  EXPECT_EQ(C(1).SumFriendlyFighterStrengthAt(kCx, kCy), 2);
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(kCx, kCy), 2);
  EXPECT_FLOAT_EQ(C(1).GetAirSuperiorityRatio(kCx, kCy), 1.0f);
  Plane(3, 4, 1.5f);
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(kCx, kCy), 3);
  EXPECT_FLOAT_EQ(C(1).GetAirSuperiorityRatio(kCx, kCy), 2.0f / 3.0f);
  // The siege and the strategic bombardment now read the same ratio.
  EXPECT_FLOAT_EQ(AirSuperiorityRatio(C(1), kCx, kCy), 2.0f / 3.0f);
  // The enemy's view: its own side against 1 and 2.
  EXPECT_EQ(C(3).SumFriendlyFighterStrengthAt(kCx, kCy), 3);
  EXPECT_EQ(C(3).SumEnemyAirDefenceAt(kCx, kCy), 2);
}

TEST_F(AirDefence, AtSeaTheEnemyDefenceIsItsCarriersAtTheNode) {
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(3, 9), 0);
  Carrier(3, 1, 5);                  // counts
  Carrier(3, 1, 2);                  // below the minimum
  Carrier(3, 1, 3);                  // exactly the minimum: counts
  Carrier(2, 1, 9);                  // the ally's
  Carrier(3, 1, 9, kTypeCruiser);    // no carrier
  Carrier(3, 2, 9);                  // at another node
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(3, 9), 8);
  Plane(1, 1, 4.0f);
  EXPECT_FLOAT_EQ(C(1).GetAirSuperiorityRatio(3, 9), 0.0f);  // no friendly fighter reaches the sea hex
  // A sea hex without a node has no defence.
  g.hex(3, 9).seaZone = 0;
  EXPECT_EQ(C(1).SumEnemyAirDefenceAt(3, 9), 0);
}

TEST_F(AirDefence, TheInterceptorOfALandHexIsTheStrongestOwnOrAlliedFighterInItsRange) {
  LogCapture log;
  EXPECT_EQ(C(1).FindInterceptor(kCx, kCy), nullptr);
  EXPECT_EQ(log.Lines().back(), L"Searching for interceptor finished, no interceptor found");

  cJednostkaLotnicza* own = PlaceAir(g, 1, At(2).x, At(2).y, 4);  // power 2 + 1 + 4
  own->supply = 10;
  own->SetName(L"Own");
  cJednostkaLotnicza* ally = PlaceAir(g, 2, At(4).x, At(4).y, 5);  // power 0 + 2 + 5: a tie
  ally->level = 2;
  ally->SetName(L"Ally");
  PlaceAir(g, 1, At(1).x, At(1).y, 3);    // not more than half the threshold
  PlaceAir(g, 1, At(5).x, At(5).y, 20);   // beyond its operational range
  PlaceAir(g, 3, At(1).x, At(1).y, 20);   // the enemy's
  PlaceAir(g, 4, At(1).x, At(1).y, 20);   // neutral
  log.Clear();
  EXPECT_EQ(C(1).FindInterceptor(kCx, kCy), own);
  EXPECT_TRUE(log.Has(L"Searching for interceptor while attacking hex (6, 4 / land)"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: Own, power: 7"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: Ally, power: 7"));
  EXPECT_EQ(log.CountContaining(L"Possible interceptor"), 2);
  EXPECT_EQ(log.CountContaining(L"best so far"), 1);
  EXPECT_EQ(log.Lines().back(), L"Searching for interceptor finished");
  ally->level = 3;
  EXPECT_EQ(C(1).FindInterceptor(kCx, kCy), ally);
}

TEST_F(AirDefence, TheInterceptorAtSeaIsACarrierAtTheNode) {
  Carrier(3, 1, 2);                          // too weak
  cJednostkaMorska* first = Carrier(3, 1, 6);
  Carrier(3, 1, 6);                          // a tie keeps the first
  Carrier(2, 1, 9);                          // not at war with the country asked
  first->SetName(L"Carrier");
  LogCapture log;
  EXPECT_EQ(C(1).FindInterceptor(3, 9), first);
  EXPECT_TRUE(log.Has(L"Searching for interceptor while attacking hex (3, 9 / sea node: Channel)"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: Carrier, power: 6"));
  g.hex(3, 9).seaZone = 0;
  log.Clear();
  EXPECT_EQ(C(1).FindInterceptor(3, 9), nullptr);
  EXPECT_EQ(log.Lines(), std::vector<std::wstring>{L"Searching for interceptor finished, no interceptor found"});
}

class FogOfWar : public AirDefence {
 protected:
  FogOfWar() : saved_(gProgramSettings.fogOfWar) {}
  ~FogOfWar() override { gProgramSettings.fogOfWar = saved_; }

 private:
  int saved_;
};

TEST_F(FogOfWar, ACountrySeesWhatItsSideHasInRangeAndWhatItsReconnaissanceFound) {
  cJednostkaLadowa* own = PlaceLand(g, 1, 0, 0);
  cJednostkaLotnicza* allied = PlaceAir(g, 2, 13, 0);
  cJednostkaLadowa* near = PlaceLand(g, 3, 3, 0);        // 3 hexes from own
  cJednostkaLadowa* far = PlaceLand(g, 3, 7, 0);         // 4 or more from both
  cJednostkaLotnicza* nearAlly = PlaceAir(g, 3, 10, 0);  // 3 hexes from the allied plane
  cJednostkaLadowa* recon = PlaceLand(g, 3, 6, 8);
  cJednostkaLadowa* neutral = PlaceLand(g, 4, 0, 8);
  C(1).airReconSightings.push_back(recon);
  for (cUnit* u : std::initializer_list<cUnit*>{own, allied, near, far, nearAlly, recon, neutral}) u->spottedLevel = 5;

  gProgramSettings.fogOfWar = 3;
  LogCapture log;
  C(1).RecalculateUnitsVisibility(1);
  EXPECT_TRUE(log.Has(L"Recalculating units visibility"));
  EXPECT_EQ(own->spottedLevel, 6);
  EXPECT_EQ(allied->spottedLevel, 6);
  EXPECT_EQ(near->spottedLevel, 6);
  EXPECT_EQ(nearAlly->spottedLevel, 6);
  EXPECT_EQ(far->spottedLevel, 0);
  EXPECT_EQ(recon->spottedLevel, 3);
  EXPECT_EQ(neutral->spottedLevel, 0);
  EXPECT_EQ(g.game->seaGraph.viewingCountry, 1);

  // Without fog of war every unit is seen, whatever its side.
  gProgramSettings.fogOfWar = 0;
  C(1).RecalculateUnitsVisibility(1);
  for (cUnit* u : std::initializer_list<cUnit*>{own, allied, near, far, nearAlly, recon, neutral})
    EXPECT_EQ(u->spottedLevel, 6);
}

TEST_F(FogOfWar, TheRecalculationSeesWhatEachUnitOfTheSideSpotsOnARandomMap) {
  SeedRandom(99);
  for (int i = 0; i < 40; ++i) {
    const int x = RandomIndex(14);
    const int y = RandomIndex(9);
    if (g.hex(x, y).unit != nullptr) continue;
    if (i % 3 == 0)
      PlaceAir(g, 1 + RandomIndex(4), x, y);
    else
      PlaceLand(g, 1 + RandomIndex(4), x, y);
  }
  for (int range : {1, 2}) {  // wider ranges see the whole small map
    gProgramSettings.fogOfWar = range;
    C(1).RecalculateUnitsVisibility(1);
    std::vector<int> levels;
    for (cUnit* u : g.game->landUnits) levels.push_back(u->spottedLevel);
    for (cUnit* u : g.game->airUnits) levels.push_back(u->spottedLevel);
    // The reference: every unit of the side spots with its own walk.
    for (cUnit* u : g.game->landUnits) u->spottedLevel = 0;
    for (cUnit* u : g.game->airUnits) u->spottedLevel = 0;
    for (cUnit* u : g.game->landUnits)
      if (u->countryId == 1 || u->countryId == 2) u->spottedLevel = 6, u->SpotUnitsInRange(false);
    for (cUnit* u : g.game->airUnits)
      if (u->countryId == 1 || u->countryId == 2) u->spottedLevel = 6, u->SpotUnitsInRange(false);
    std::vector<int> expected;
    for (cUnit* u : g.game->landUnits) expected.push_back(u->spottedLevel);
    for (cUnit* u : g.game->airUnits) expected.push_back(u->spottedLevel);
    EXPECT_EQ(levels, expected) << "range " << range;
    EXPECT_NE(std::count(expected.begin(), expected.end(), 0), 0) << "range " << range;
  }
}

TEST_F(AirDefence, UnitStatisticsCountEachTypeInBothBlocks) {
  struct sRow {
    int type, displayRow, typeRow;
  };
  const sRow rows[] = {
      {0, 0, 0},   {1, 1, 1},   {2, 2, 2},   {3, 3, 3},   {4, 4, 4},   {5, 5, 5},   {6, 6, 6},
      {22, 7, 9},  {21, 8, 8},  {20, 9, 7},  {42, 10, 12}, {41, 11, 11}, {40, 12, 10}, {43, 13, 13},
      {44, 14, 14}, {45, 15, 15},
  };
  // Type t gets (t % 3) + 1 units on the map and one in a reserve pool.
  int index = 0;
  for (const sRow& r : rows) {
    const int onMap = index++ % 3 + 1;
    for (int i = 0; i <= onMap; ++i) {
      const bool pooled = i == onMap;
      for (int country : {1, 4}) {  // the other country's units never count
        if (r.type < 20) {
          auto* u = new unit_test::ValuedLandUnit(1.0f);
          u->countryId = country;
          u->SetType(r.type);
          if (pooled)
            g.game->reserve.push_back(u);
          else if (i == 0)
            g.game->landUnits.push_back(u);
          else
            g.game->transportedUnits.push_back(u);
        } else if (r.type < 40) {
          auto* u = new cJednostkaLotnicza();
          u->countryId = country;
          u->SetType(r.type);
          (pooled ? g.game->reserve.push_back(u) : g.game->airUnits.push_back(u));
        } else {
          auto* u = new cJednostkaMorska();
          u->countryId = country;
          u->SetType(r.type);
          (pooled ? g.game->navalReserve.push_back(u) : g.game->navalUnits.push_back(u));
        }
      }
    }
  }
  sUnitStatistics stats;
  stats.counters[63] = 99;  // zeroed first
  EXPECT_EQ(&C(1).GatherUnitStatistics(stats), &stats);
  index = 0;
  for (const sRow& r : rows) {
    const int onMap = index++ % 3 + 1;
    EXPECT_EQ(stats.counters[2 * r.displayRow], onMap) << r.type;
    EXPECT_EQ(stats.counters[2 * r.displayRow + 1], 1) << r.type;
    EXPECT_EQ(stats.counters[32 + 2 * r.typeRow], onMap) << r.type;
    EXPECT_EQ(stats.counters[32 + 2 * r.typeRow + 1], 1) << r.type;
  }
}

}  // namespace
