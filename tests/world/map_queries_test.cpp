// The computer player's map queries: the front-node lattice and its steps,
// the outward searches against the walk without a visited set, and the test
// of one land mass.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/random.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

using namespace world_test;

namespace {

std::vector<sHexPoint> Nodes(cMapa& map, int d) {
  const std::list<sHexPoint>& nodes = map.GetFrontNodes(d);
  return {nodes.begin(), nodes.end()};
}

TEST(FrontNodes, TheLatticeOfDistanceFourOnAHeldMap) {
  GameFixture g(10, 10, 1);
  for (sHex& h : g.map().hexes) h.controller = 1;
  g.hex(8, 4).controller = 0;        // nobody's
  g.hex(4, 6).terrain = kTerrainSea;  // no land
  const std::vector<sHexPoint> expected = {{0, 0}, {0, 4}, {0, 8}, {4, 2}, {8, 0}, {8, 8}};
  EXPECT_EQ(Nodes(g.map(), 4), expected);
  EXPECT_EQ(g.map().frontNodeDistance, 4);
}

TEST(FrontNodes, TheSameDistanceIsCachedAndAnotherReplacesTheLattice) {
  GameFixture g(10, 10, 1);
  for (sHex& h : g.map().hexes) h.controller = 1;
  g.map().CreateAiLayer();
  const std::vector<sHexPoint> four = Nodes(g.map(), 4);
  ASSERT_EQ(four.size(), 8u);

  g.map().SetLayerByte(1, 1, 9);
  g.hex(0, 0).controller = 0;
  EXPECT_EQ(Nodes(g.map(), 4), four);  // not rebuilt
  EXPECT_EQ(g.map().GetLayerByte(1, 1), 9);

  // Distance 3: columns 0, 3, 6, 9 with rows from 0, 2, 0, 2; the old
  // lattice is gone, and so are the marks of the layer.
  const std::vector<sHexPoint> three = Nodes(g.map(), 3);
  std::vector<sHexPoint> expected;
  for (int k = 0; k < 4; ++k)
    for (int y = k % 2 == 0 ? 0 : 2; y < 10; y += 3)
      if (k != 0 || y != 0) expected.push_back({3 * k, y});
  EXPECT_EQ(three, expected);
  EXPECT_EQ(g.map().GetLayerByte(1, 1), 0);
  EXPECT_EQ(Nodes(g.map(), 4).size(), 7u);
}

TEST(FrontNodes, DistancesAndDirectionsOutsideTheLimitsAreErrorsOfTheCaller) {
  GameFixture g(10, 10, 1);
  EXPECT_THROW(g.map().PointAtFrontNodeDistance(3, 5, 1), std::logic_error);
  for (int d : {2, 1, 0, -4}) EXPECT_THROW(g.map().GetFrontNodes(d), std::invalid_argument) << d;
  EXPECT_EQ(g.map().frontNodeDistance, -1);
  g.map().GetFrontNodes(4);
  for (int dir : {-1, 6}) EXPECT_THROW(g.map().PointAtFrontNodeDistance(3, 5, dir), std::invalid_argument) << dir;
}

TEST(FrontNodes, PointsALatticeStepAway) {
  GameFixture g(30, 30, 1);
  for (sHex& h : g.map().hexes) h.controller = 1;
  g.map().GetFrontNodes(4);
  EXPECT_EQ(g.map().PointAtFrontNodeDistance(3, 5, 1), (sHexPoint{7, 3}));
  EXPECT_EQ(g.map().PointAtFrontNodeDistance(2, 5, 1), (sHexPoint{6, 3}));
  EXPECT_EQ(g.map().PointAtFrontNodeDistance(2, 5, 0), (sHexPoint{2, 1}));
  EXPECT_EQ(g.map().PointAtFrontNodeDistance(2, 5, 3), (sHexPoint{2, 9}));

  // From every node of a lattice each step lands on a node of it again.
  for (int d : {3, 4, 5, 6}) {
    const std::vector<sHexPoint> nodes = Nodes(g.map(), d);
    for (const sHexPoint& p : nodes)
      for (int dir = 0; dir < 6; ++dir) {
        const sHexPoint q = g.map().PointAtFrontNodeDistance(p.x, p.y, dir);
        if (!g.map().IsInside(q.x, q.y)) continue;
        EXPECT_NE(std::find(nodes.begin(), nodes.end(), q), nodes.end())
            << "d " << d << " from " << p.x << "," << p.y << " dir " << dir;
      }
  }

  // A step of one hex is the neighbour of that side.
  g.map().frontNodeDistance = 1;
  for (int x : {4, 5})
    for (int dir = 0; dir < 6; ++dir) {
      sHexPoint n;
      g.map().NeighbourPoint(x, 7, dir, n);
      EXPECT_EQ(g.map().PointAtFrontNodeDistance(x, 7, dir), n) << x << " dir " << dir;
    }
}

// ---- outward searches --------------------------------------------------------------

// The walk as first laid down: a hex within the distance queues every land
// neighbour farther out, whether queued before or not.
template <class Test>
void WalkWithoutVisitedSet(const cMapa& map, int ox, int oy, int maxDistance, Test test) {
  std::deque<sHexPoint> queue{{ox, oy}};
  while (!queue.empty()) {
    const sHexPoint p = queue.front();
    queue.pop_front();
    if (!test(p)) return;
    const int distance = HexDistance(ox, oy, p.x, p.y);
    if (distance > maxDistance) continue;
    for (int d = 0; d < 6; ++d) {
      if (!map.HasNeighbour(p.x, p.y, d)) continue;
      int nx = 0, ny = 0;
      map.NeighbourCoords(p.x, p.y, d, nx, ny);
      if (map.GetHex(nx, ny)->IsLand() && HexDistance(ox, oy, nx, ny) > distance) queue.push_back({nx, ny});
    }
  }
}

// Country 1 searches; 2 is its ally, 3 its enemy, 4 a neutral.
class OutwardSearch : public ::testing::Test {
 protected:
  OutwardSearch() : g(9, 9, 0) {
    g.AddCountry(1);
    g.AddCountry(1);
    g.AddCountry(2);
    g.AddCountry(0);
    g.SetWar(1, 3);
  }
  bool Party(int controller) const {
    const cPanstwo* c = g.game->GetCountry(1);
    return controller == 1 || c->IsAlly(controller) || c->IsAtWarWith(controller);
  }
  void RandomMap(uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        sHex& h = g.hex(x, y);
        h.terrain = pick(4) == 0 ? kTerrainSea : kTerrainPlain;
        h.controller = static_cast<uint8_t>(pick(5));
        h.coastal = static_cast<uint8_t>(pick(2));
        h.seaZone = static_cast<uint16_t>(1 + pick(2));
        if (h.IsLand() && pick(3) == 0) unit_test::PlaceLand(g, 1 + pick(4), x, y, 10.0f * static_cast<float>(1 + pick(3)));
      }
  }

  GameFixture g;
};

TEST_F(OutwardSearch, AnswersAsTheWalkWithoutAVisitedSet) {
  int invasions = 0, enemies = 0;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    RandomMap(seed);
    const cMapa& map = g.map();
    for (int oy = 0; oy < 9; ++oy)
      for (int ox = 0; ox < 9; ++ox)
        for (int reach = 0; reach <= 4; ++reach) {
          SCOPED_TRACE(testing::Message() << "seed " << seed << " origin " << ox << "," << oy << " reach " << reach);
          sHexPoint expected{-1, -1};
          WalkWithoutVisitedSet(map, ox, oy, reach, [&](sHexPoint p) {
            const sHex& h = *map.GetHex(p.x, p.y);
            if (!h.IsLand() || h.unit != nullptr || h.seaZone != 1 || h.coastal == 0 || !Party(h.controller))
              return true;
            expected = p;
            return false;
          });
          sHexPoint got{-1, -1};
          const bool found = map.FindInvasionLandingHex(1, ox, oy, 1, reach, got.x, got.y, false);
          EXPECT_EQ(found, expected.x != -1);
          EXPECT_EQ(got, expected);
          invasions += found ? 1 : 0;

          expected = {-1, -1};
          float weakest = 0.0f;
          WalkWithoutVisitedSet(map, ox, oy, reach, [&](sHexPoint p) {
            const sHex& h = *map.GetHex(p.x, p.y);
            if (!h.IsLand() || h.unit == nullptr || !Party(h.controller) || h.unit->countryId != 3) return true;
            if (expected.x == -1 || h.unit->GetCombatStrength() < weakest) {
              weakest = h.unit->GetCombatStrength();
              expected = p;
            }
            return true;
          });
          got = {-1, -1};
          EXPECT_EQ(map.FindWeakestEnemyUnitNear(1, ox, oy, 77, reach, got.x, got.y), expected.x != -1);
          EXPECT_EQ(got, expected);
          enemies += expected.x != -1 ? 1 : 0;
        }
    for (cJednostkaLadowa* u : std::list<cJednostkaLadowa*>(g.game->landUnits)) u->Kill();
  }
  // The maps give both answers often enough to mean something.
  EXPECT_GT(invasions, 500);
  EXPECT_GT(enemies, 500);
}

TEST_F(OutwardSearch, TheWeakestEnemyWinsAndTheFirstFoundKeepsATie) {
  using unit_test::PlaceLand;
  for (sHex& h : g.map().hexes) h.controller = 3;
  PlaceLand(g, 3, 4, 2, 20.0f);  // two hexes away
  PlaceLand(g, 3, 4, 6, 20.0f);  // as far, later in the walk
  PlaceLand(g, 3, 4, 3, 30.0f);  // nearer but stronger
  PlaceLand(g, 2, 5, 4, 5.0f);   // an ally is no target
  PlaceLand(g, 4, 3, 4, 5.0f);   // nor is a neutral
  int x = -1, y = -1;
  EXPECT_TRUE(g.map().FindWeakestEnemyUnitNear(1, 4, 4, 0, 1, x, y));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 2}));
  // A neutral's hex hides even an enemy.
  g.hex(4, 2).controller = 4;
  EXPECT_TRUE(g.map().FindWeakestEnemyUnitNear(1, 4, 4, 0, 1, x, y));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 6}));
  // Beyond the ring after the last one searched nothing is seen.
  EXPECT_TRUE(g.map().FindWeakestEnemyUnitNear(1, 4, 4, 0, 0, x, y));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 3}));
  EXPECT_FALSE(g.map().FindWeakestEnemyUnitNear(1, 0, 8, 0, 1, x, y));
}

TEST_F(OutwardSearch, OwnOnlyTestsTheOriginAndWantsItHeldByTheCountryItself) {
  sHex& origin = g.hex(4, 4);
  origin.coastal = 1;
  origin.seaZone = 2;
  origin.controller = 2;  // an ally's
  g.hex(4, 3).coastal = 1;
  g.hex(4, 3).seaZone = 2;
  g.hex(4, 3).controller = 1;
  int x = -1, y = -1;
  EXPECT_FALSE(g.map().FindInvasionLandingHex(1, 4, 4, 2, 3, x, y, true));
  EXPECT_TRUE(g.map().FindInvasionLandingHex(1, 4, 4, 2, 3, x, y, false));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 4}));
  origin.controller = 1;
  x = y = -1;
  EXPECT_TRUE(g.map().FindInvasionLandingHex(1, 4, 4, 2, 3, x, y, true));
  EXPECT_EQ(sHexPoint({x, y}), sHexPoint({4, 4}));
  EXPECT_FALSE(g.map().FindInvasionLandingHex(1, 4, 4, 1, 3, x, y, true));  // another zone
  EXPECT_FALSE(g.map().FindInvasionLandingHex(1, 40, 4, 2, 3, x, y, false));
}

TEST(SameTopographyGroup, TheFirstGroupHoldingTheFirstHexsCityDecides) {
  GameFixture g(4, 1, 2);
  cMiasto a, b, c;
  g.game->selection.cityRegions = {&a, &b, &c, nullptr};
  InitStrategicMovement();
  StoreCountryTopography(1, {{&a, &b}, {&c, &a}});
  StoreCountryTopography(2, {{&a, &c}});
  EXPECT_TRUE(AreHexesInSameTopographyGroup(0, 0, 1, 0));
  EXPECT_TRUE(AreHexesInSameTopographyGroup(1, 0, 0, 0));
  EXPECT_TRUE(AreHexesInSameTopographyGroup(2, 0, 0, 0));
  // a's first group is {a, b}: c is not in it, though later groups hold both.
  EXPECT_FALSE(AreHexesInSameTopographyGroup(0, 0, 2, 0));
  EXPECT_FALSE(AreHexesInSameTopographyGroup(0, 0, 3, 0));  // no region city
  EXPECT_FALSE(AreHexesInSameTopographyGroup(3, 0, 0, 0));
  EXPECT_FALSE(AreHexesInSameTopographyGroup(0, 0, 9, 0));  // off the map
  StoreCountryTopography(1, {});
  StoreCountryTopography(2, {});
  EXPECT_FALSE(AreHexesInSameTopographyGroup(0, 0, 1, 0));  // no groups at all
}

TEST(SameTopographyGroup, OnTheWorldTopographyTwoIslandsAreTwoGroups) {
  // Columns 0-3 and 5-7 are land, column 4 sea; an island without a city
  // at column 7 below row 3 cut off by a sea row.
  GameFixture g(8, 6, 1);
  for (int y = 0; y < 6; ++y) g.hex(4, y).terrain = kTerrainSea;
  for (int x = 5; x < 8; ++x) g.hex(x, 3).terrain = kTerrainSea;
  unit_test::AddCity(g, 0, 0, kCityRegular, 1, L"A");
  unit_test::AddCity(g, 3, 5, kCitySupply, 1, L"B");
  unit_test::AddCity(g, 6, 1, kCityPort, 1, L"C");
  g.game->selection.ComputeWorldTopography();
  g.game->selection.BuildCityRegionGrid();
  InitStrategicMovement();
  StoreCountryTopography(1, g.game->selection.cityGroups);
  EXPECT_TRUE(AreHexesInSameTopographyGroup(0, 5, 3, 0));
  EXPECT_TRUE(AreHexesInSameTopographyGroup(5, 0, 7, 2));
  EXPECT_FALSE(AreHexesInSameTopographyGroup(1, 1, 6, 1));
  EXPECT_FALSE(AreHexesInSameTopographyGroup(6, 5, 6, 1));  // the island has no region city
  EXPECT_FALSE(AreHexesInSameTopographyGroup(4, 2, 3, 2));  // nor has the sea
}

}  // namespace
