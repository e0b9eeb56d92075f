// Topography groups: the store filled by the supply calculation, the
// strategic-move test over it and the marking of the hexes a strategic move
// may end on.
#include <gtest/gtest.h>

#include <set>

#include "core/random.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/hex_map.h"
#include "world/selection.h"
#include "world/strategic_moves.h"

namespace {

using unit_test::AddCity;
using unit_test::GameFixture;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::LogCapture;

// Country 1 (allies) and its ally 2 against 3 (axis); 4 is neutral. Cities
// a, b of country 1 and c of the ally form one region, d of country 1 lies
// in another.
class TopographyGroups : public ::testing::Test {
 protected:
  TopographyGroups() : g(12, 10) {
    own = g.AddCountry(kAllianceAllies);
    ally = g.AddCountry(kAllianceAllies);
    enemy = g.AddCountry(kAllianceAxis);
    neutral = g.AddCountry(kAllianceNeutral);
    g.SetWar(1, 3);
    for (sHex& h : g.map().hexes) h.controller = h.owner = 1;
    a = AddCity(g, 1, 1, kCitySupply, 1, L"Alpha");
    b = AddCity(g, 4, 2, kCityRegular, 1, L"Beta");
    c = AddCity(g, 6, 6, kCityRegular, 2, L"Gamma");
    d = AddCity(g, 10, 8, kCityRegular, 1, L"Delta");
    n = AddCity(g, 9, 2, kCityRegular, 4, L"Neutral");
    unit = PlaceLand(g, 1, 2, 2);
    unit->supplySourceX = a->x;
    unit->supplySourceY = a->y;
    InitStrategicMovement();
  }

  GameFixture g;
  cPanstwo *own, *ally, *enemy, *neutral;
  cMiasto *a, *b, *c, *d, *n;
  cJednostkaLadowa* unit;
};

TEST_F(TopographyGroups, InitGivesEveryCountryAnEmptyEntry) {
  ASSERT_NE(g.game->strategicMoves, nullptr);
  EXPECT_EQ(g.game->strategicMoves->size(), 4u);
  for (const tCityGroups& e : *g.game->strategicMoves) EXPECT_TRUE(e.empty());
  // Until the supply calculation stores groups no land unit moves; an air
  // unit may go to any friendly city, not to a neutral's.
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *b));
  cJednostkaLotnicza* plane = PlaceAir(g, 1, 3, 3);
  plane->supplySourceX = a->x;
  plane->supplySourceY = a->y;
  EXPECT_TRUE(CanMoveStrategicallyTo(*plane, *d));
  EXPECT_TRUE(CanMoveStrategicallyTo(*plane, *c));
  EXPECT_FALSE(CanMoveStrategicallyTo(*plane, *n));
  // A new country later gets its own empty entry; stored groups stay.
  StoreCountryTopography(1, {{a, b}});
  g.AddCountry(kAllianceComintern);
  InitStrategicMovement();
  EXPECT_EQ(g.game->strategicMoves->size(), 5u);
  EXPECT_EQ((*g.game->strategicMoves)[0].size(), 1u);
}

TEST_F(TopographyGroups, StoreCopiesTheGroupsAndLogsThem) {
  LogCapture log;
  tCityGroups groups = {{a, b, c}, {d}};
  StoreCountryTopography(1, groups);
  groups.clear();  // the store holds a copy
  ASSERT_EQ((*g.game->strategicMoves)[0].size(), 2u);
  EXPECT_EQ((*g.game->strategicMoves)[0].front().size(), 3u);
  EXPECT_EQ(log.CountContaining(L"Nowa Grupa. Oto jej miasta:"), 2);
  const int first = log.IndexOf(L"Nowa Grupa. Oto jej miasta:");
  ASSERT_GE(first, 0);
  EXPECT_EQ(log.lines[first + 1], L"Alpha");
  EXPECT_EQ(log.lines[first + 3], L"Gamma");
  EXPECT_EQ(log.lines[first + 5], L"Delta");
  // Replacing, not adding.
  StoreCountryTopography(1, {{d}});
  EXPECT_EQ((*g.game->strategicMoves)[0].size(), 1u);
  // An id with no entry changes nothing.
  log.Clear();
  StoreCountryTopography(9, {{a}});
  StoreCountryTopography(0, {{a}});
  EXPECT_EQ(log.CountContaining(L"WARNING"), 2);
  EXPECT_EQ(g.game->strategicMoves->size(), 4u);
}

TEST_F(TopographyGroups, StrategicMoveRefusedAcrossTwoGroups) {
  StoreCountryTopography(1, {{a, b, c}, {d}});
  EXPECT_TRUE(CanMoveStrategicallyTo(*unit, *b));
  EXPECT_TRUE(CanMoveStrategicallyTo(*unit, *c));  // the ally's city in the same group
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *d));  // another region
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *n));  // a neutral third country's city
  // Supplied from d, the unit can reach nothing of the first region.
  unit->supplySourceX = d->x;
  unit->supplySourceY = d->y;
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *a));
  EXPECT_TRUE(CanMoveStrategicallyTo(*unit, *d));
  // A supply source on a hex without a city.
  unit->supplySourceX = 0;
  unit->supplySourceY = 5;
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *d));

  EXPECT_TRUE(AreCitiesInSameCountryTopographyGroup(1, a, c));
  EXPECT_FALSE(AreCitiesInSameCountryTopographyGroup(1, a, d));
  EXPECT_FALSE(AreCitiesInSameCountryTopographyGroup(1, a, n));  // n in no group
  EXPECT_FALSE(AreCitiesInSameCountryTopographyGroup(2, a, b));  // the ally has no groups
  EXPECT_FALSE(AreCitiesInSameCountryTopographyGroup(7, a, b));
}

// A country outside every alliance uses the game's own further list.
TEST_F(TopographyGroups, NeutralCountryUsesTheGamesOwnGroups) {
  for (int x = 8; x < 12; ++x)
    for (int y = 0; y < 4; ++y) g.hex(x, y).controller = 4;
  cMiasto* m = AddCity(g, 11, 0, kCityRegular, 4, L"Mu");
  cJednostkaLadowa* u = PlaceLand(g, 4, 10, 1);
  u->supplySourceX = n->x;
  u->supplySourceY = n->y;
  StoreCountryTopography(4, {{n, m}});  // the country's own entry is not used
  EXPECT_FALSE(CanMoveStrategicallyTo(*u, *m));
  g.game->neutralGroups = {{m, n}};
  EXPECT_TRUE(CanMoveStrategicallyTo(*u, *m));
}

// The marks are exactly: every reachable city's hex when free, and each of
// its neighbours that is on the map, free, land and friendly to the city's
// holder; checked against a search by hex distance, in odd and even columns.
TEST_F(TopographyGroups, MarkingMatchesTheReachableCitiesAndTheirNeighbours) {
  StoreCountryTopography(1, {{a, b, c}, {d}});
  g.hex(5, 2).terrain = kTerrainSea;    // beside b: sea
  g.hex(4, 3).controller = 3;           // beside b: the enemy's
  PlaceLand(g, 2, 6, 5);                // beside c: taken by a unit
  g.hex(7, 6).controller = 4;           // beside c: the neutral's
  PlaceLand(g, 1, 4, 2)->supplySourceX = -1;  // b's own hex is taken
  LogCapture log;
  MarkStrategicMoveTargets(*unit);
  EXPECT_TRUE(log.Has(L"Kraj o id=1 ma 2 grup topograficznych"));
  EXPECT_TRUE(log.Has(L"Kraj o id=2 ma 0 grup topograficznych"));

  std::set<std::pair<int, int>> expected;
  for (const cMiasto* city : {a, b, c}) {
    const sHex& ch = g.hex(city->x, city->y);
    if (ch.unit == nullptr) expected.insert({city->x, city->y});
    for (const sHex& h : g.map().hexes)
      if (HexDistance(city->x, city->y, h.x, h.y) == 1 && h.unit == nullptr && h.IsLand() &&
          (h.controller == 1 || h.controller == 2))  // every holder here is 1 or its ally 2
        expected.insert({h.x, h.y});
  }
  std::set<std::pair<int, int>> marked;
  for (const sHex& h : g.map().hexes)
    if ((h.marks & kMarkStrategicTarget) != 0) marked.insert({h.x, h.y});
  EXPECT_EQ(marked, expected);
  EXPECT_EQ(marked.count({4, 2}), 0u);
  EXPECT_EQ(marked.count({5, 2}), 0u);
  EXPECT_EQ(marked.count({4, 3}), 0u);
  EXPECT_EQ(marked.count({6, 5}), 0u);
  EXPECT_EQ(marked.count({7, 6}), 0u);
  EXPECT_EQ(marked.count({10, 8}), 0u);  // d: another group
  EXPECT_EQ(marked.count({5, 3}), 1u);   // b's south-east neighbour (even column)
  EXPECT_EQ(marked.count({2, 1}), 1u);   // a's north-east neighbour (odd column)
  EXPECT_EQ(marked.size(), 7u + 4u + 5u);  // a and its 6, b's 4 free friendly, c and 4
  // Marking again first clears the old marks.
  unit->supplySourceX = d->x;
  unit->supplySourceY = d->y;
  MarkStrategicMoveTargets(*unit);
  EXPECT_EQ(g.hex(5, 3).marks, 0u);
  EXPECT_NE(g.hex(10, 8).marks & kMarkStrategicTarget, 0u);
}

}  // namespace
