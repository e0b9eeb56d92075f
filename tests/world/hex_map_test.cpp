// The hex map: addressing and neighbours, rivers, borders, ownership, marks,
// the weather roll and the small cell queries.
#include "world/hex_map.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "core/front_end.h"
#include "core/random.h"
#include "world/sea_graph.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

// ---- addressing and neighbours -------------------------------------------

TEST(HexDistanceTest, ListedCases) {
  EXPECT_EQ(HexDistance(2, 5, 3, 5), 1);
  EXPECT_EQ(HexDistance(2, 5, 3, 6), 1);
  EXPECT_EQ(HexDistance(2, 5, 3, 4), 2);
  EXPECT_EQ(HexDistance(3, 5, 4, 4), 1);
  EXPECT_EQ(HexDistance(3, 5, 4, 6), 2);
  EXPECT_EQ(HexDistance(0, 0, 0, 3), 3);
  EXPECT_EQ(HexDistance(0, 0, 4, 0), 4);
  EXPECT_EQ(HexDistance(0, 0, 4, 5), 7);
  EXPECT_EQ(HexDistance(7, 7, 7, 7), 0);
}

// From an even column the neighbours in the adjacent columns are rows y and
// y + 1; from an odd one rows y - 1 and y (negative odd columns are odd).
std::vector<std::pair<int, int>> Neighbours(int x, int y) {
  int lo = (x & 1) ? y - 1 : y;
  return {{x, y - 1}, {x, y + 1}, {x - 1, lo}, {x - 1, lo + 1}, {x + 1, lo}, {x + 1, lo + 1}};
}

TEST(HexDistanceTest, MatchesShortestWalkOverTheNeighbourRelation) {
  const int lo = -6, hi = 5;          // the 12 x 12 area compared, negative columns included
  const int blo = lo - 8, bhi = hi + 8;  // room for walks to leave the area
  const int span = bhi - blo + 1;
  int compared = 0;
  for (int sx = lo; sx <= hi; ++sx) {
    for (int sy = lo; sy <= hi; ++sy) {
      std::vector<int> dist(static_cast<size_t>(span * span), -1);
      auto at = [&](int x, int y) -> int& { return dist[static_cast<size_t>((y - blo) * span + (x - blo))]; };
      std::deque<std::pair<int, int>> queue{{sx, sy}};
      at(sx, sy) = 0;
      while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        for (auto [nx, ny] : Neighbours(x, y)) {
          if (nx < blo || nx > bhi || ny < blo || ny > bhi || at(nx, ny) >= 0) continue;
          at(nx, ny) = at(x, y) + 1;
          queue.push_back({nx, ny});
        }
      }
      for (int tx = lo; tx <= hi; ++tx) {
        for (int ty = lo; ty <= hi; ++ty) {
          ASSERT_EQ(HexDistance(sx, sy, tx, ty), at(tx, ty)) << sx << "," << sy << " -> " << tx << "," << ty;
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 144 * 144);
}

TEST(HexGrid, OffMapCoordinatesAnswerTheFirstCell) {
  GameFixture g(6, 4);
  EXPECT_EQ(g.map().GetHex(-1, 0), g.map().GetHex(0, 0));
  EXPECT_EQ(g.map().GetHex(6, 0), g.map().GetHex(0, 0));
  EXPECT_EQ(g.map().GetHex(0, 4), g.map().GetHex(0, 0));
  EXPECT_EQ(g.map().GetHex(5, 3)->x, 5);
  EXPECT_EQ(g.map().GetHex(5, 3)->y, 3);
  // Cells are stored row by row.
  EXPECT_EQ(g.map().GetHex(2, 1), &g.map().hexes[1 * 6 + 2]);
}

TEST(HexGrid, NeighboursFollowTheColumnParity) {
  GameFixture g(10, 10);
  const sHexPoint even[6] = {{4, 3}, {5, 4}, {5, 5}, {4, 5}, {3, 5}, {3, 4}};
  const sHexPoint odd[6] = {{5, 3}, {6, 3}, {6, 4}, {5, 5}, {4, 4}, {4, 3}};
  for (int d = 0; d < 6; ++d) {
    sHexPoint p;
    g.map().NeighbourPoint(4, 4, d, p);
    EXPECT_EQ(p, even[d]) << "even column, direction " << d;
    g.map().NeighbourPoint(5, 4, d, p);
    EXPECT_EQ(p, odd[d]) << "odd column, direction " << d;
  }
  sHexPoint p;
  g.map().NeighbourPoint(0, 5, 1, p);
  EXPECT_EQ(p, (sHexPoint{1, 5}));
  g.map().NeighbourPoint(1, 5, 1, p);
  EXPECT_EQ(p, (sHexPoint{2, 4}));
}

TEST(HexGrid, NeighboursAreOneStepAwayAndSymmetric) {
  GameFixture g(7, 5);
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 5; ++y) {
      std::set<std::pair<int, int>> seen;
      for (int d = 0; d < 6; ++d) {
        int nx = -99, ny = -99;
        g.map().NeighbourCoords(x, y, d, nx, ny);
        EXPECT_EQ(HexDistance(x, y, nx, ny), 1) << x << "," << y << " d" << d;
        EXPECT_TRUE(seen.insert({nx, ny}).second);
        // The opposite direction leads back.
        int bx, by;
        g.map().NeighbourCoords(nx, ny, (d + 3) % 6, bx, by);
        EXPECT_EQ(bx, x);
        EXPECT_EQ(by, y);
        EXPECT_EQ(g.map().GetDirection(x, y, nx, ny), d + 1);
        const bool inside = g.map().IsInside(nx, ny);
        EXPECT_EQ(g.map().HasNeighbour(x, y, d), inside) << x << "," << y << " d" << d;
        EXPECT_EQ(g.map().GetNeighbourHex(x, y, d) != nullptr, inside);
        if (inside) {
          EXPECT_EQ(g.map().GetNeighbourHex(x, y, d), g.map().GetHex(nx, ny));
        }
      }
    }
  }
}

TEST(HexGrid, EdgesOfTheMapHaveNoNeighbourBeyond) {
  GameFixture g(4, 3);
  // Top of an odd column loses north, north-east and north-west.
  EXPECT_FALSE(g.map().HasNeighbour(1, 0, 0));
  EXPECT_FALSE(g.map().HasNeighbour(1, 0, 1));
  EXPECT_FALSE(g.map().HasNeighbour(1, 0, 5));
  EXPECT_TRUE(g.map().HasNeighbour(1, 0, 2));
  EXPECT_TRUE(g.map().HasNeighbour(1, 0, 4));
  // Top of an even column keeps its north-east and north-west.
  EXPECT_TRUE(g.map().HasNeighbour(2, 0, 1));
  EXPECT_TRUE(g.map().HasNeighbour(2, 0, 5));
  // Bottom of an even column loses south, south-east and south-west.
  EXPECT_FALSE(g.map().HasNeighbour(2, 2, 2));
  EXPECT_FALSE(g.map().HasNeighbour(2, 2, 3));
  EXPECT_FALSE(g.map().HasNeighbour(2, 2, 4));
  // Left and right edges.
  EXPECT_FALSE(g.map().HasNeighbour(0, 1, 4));
  EXPECT_FALSE(g.map().HasNeighbour(0, 1, 5));
  EXPECT_FALSE(g.map().HasNeighbour(3, 1, 1));
  EXPECT_FALSE(g.map().HasNeighbour(3, 1, 2));
  EXPECT_EQ(g.map().GetNeighbourHex(3, 1, 1), nullptr);
}

TEST(HexGrid, DirectionsOutsideTheSixAnswerNothing) {
  GameFixture g(4, 4);
  EXPECT_FALSE(g.map().HasNeighbour(1, 1, 6));
  EXPECT_FALSE(g.map().HasNeighbour(1, 1, -1));
  EXPECT_EQ(g.map().GetNeighbourHex(1, 1, 6), nullptr);
  sHexPoint p{77, 88};
  g.map().NeighbourPoint(1, 1, 6, p);
  EXPECT_EQ(p, (sHexPoint{77, 88}));
  int nx = 5, ny = 6;
  g.map().NeighbourCoords(1, 1, 9, nx, ny);
  EXPECT_EQ(nx, 5);
  EXPECT_EQ(ny, 6);
}

TEST(HexGrid, DirectionBetweenHexes) {
  GameFixture g(10, 10);
  EXPECT_EQ(g.map().GetDirection(4, 4, 4, 3), 1);
  EXPECT_EQ(g.map().GetDirection(4, 4, 6, 4), 0);
  EXPECT_EQ(g.map().GetDirection(4, 4, 4, 4), 0);
  EXPECT_EQ(g.map().GetDirection(5, 4, 4, 3), 6);
}

// ---- rivers --------------------------------------------------------------

TEST(HexRivers, UnpackingAndSides) {
  sHex h;
  h.rivers = 0b100101;
  uint8_t v[6];
  h.ZwrocWektorRzek(v);
  EXPECT_EQ(std::vector<uint8_t>(v, v + 6), (std::vector<uint8_t>{1, 0, 1, 0, 0, 1}));
  EXPECT_TRUE(h.HasRiver(0));
  EXPECT_FALSE(h.HasRiver(1));
  EXPECT_FALSE(h.HasRiver(6));
  // A river mouth unpacks to nothing.
  h.rivers = 0x40 | 0x05;
  h.ZwrocWektorRzek(v);
  EXPECT_EQ(std::vector<uint8_t>(v, v + 6), std::vector<uint8_t>(6, 0));
  EXPECT_FALSE(h.HasRiver(0));
}

TEST(HexRivers, RiversReachTheSeaNeighboursBesideTheirSide) {
  GameFixture g(6, 6);
  // Land hex (2, 2) with a river on side 2; its neighbours in directions 1
  // and 3 are sea.
  g.hex(2, 2).rivers = 1 << 2;
  g.hex(3, 2).terrain = kTerrainSea;  // direction 1 of an even column
  g.hex(2, 3).terrain = kTerrainSea;  // direction 3
  g.map().PropagateRivers();
  EXPECT_EQ(g.hex(3, 2).rivers, (1 << 2) | 0x40);
  EXPECT_EQ(g.hex(2, 3).rivers, (1 << 5) | 0x40);
  // Land neighbours and the land hex itself are unchanged.
  EXPECT_EQ(g.hex(2, 2).rivers, 1 << 2);
  EXPECT_EQ(g.hex(3, 3).rivers, 0);
}

TEST(HexRivers, SeaHexesLoseOwnersAndForts) {
  GameFixture g(3, 3);
  sHex& sea = g.hex(1, 1);
  sea.terrain = kTerrainSea;
  sea.controller = sea.owner = sea.originalOwner = 2;
  sea.fort = 3;
  g.hex(0, 0).owner = 2;
  g.hex(0, 0).fort = 1;
  g.map().PropagateRivers();
  EXPECT_EQ(sea.controller, 0);
  EXPECT_EQ(sea.owner, 0);
  EXPECT_EQ(sea.originalOwner, 0);
  EXPECT_EQ(sea.fort, 0);
  EXPECT_EQ(g.hex(0, 0).owner, 2);
  EXPECT_EQ(g.hex(0, 0).fort, 1);
}

TEST(HexRivers, PropagationIsStableWhenRepeated) {
  GameFixture g(8, 8);
  for (sHex& h : g.map().hexes) {
    h.terrain = static_cast<uint8_t>((h.x * 3 + h.y * 5) % 4 == 0 ? kTerrainSea : kTerrainForest);
    h.rivers = h.IsSea() ? 0 : static_cast<uint8_t>((h.x * 7 + h.y * 11) % 64);
  }
  g.map().PropagateRivers();
  std::vector<uint8_t> once;
  for (const sHex& h : g.map().hexes) once.push_back(h.rivers);
  g.map().PropagateRivers();
  for (size_t i = 0; i < once.size(); ++i) EXPECT_EQ(g.map().hexes[i].rivers, once[i]);
}

// ---- borders and ownership -----------------------------------------------

TEST(HexBorders, OwnerAndControllerDifferencesTowardsTheThreeLowerSides) {
  GameFixture g(6, 6, 3);
  for (sHex& h : g.map().hexes) h.owner = h.controller = 1;
  g.hex(3, 2).owner = 2;       // direction 1 of (2, 2)
  g.hex(3, 3).controller = 3;  // direction 2 of (2, 2)
  g.hex(2, 2).UpdateBorders();
  EXPECT_EQ(g.hex(2, 2).borders & kBorderOwnerBits, 0b001);
  EXPECT_EQ(g.hex(2, 2).borders & kBorderControllerBits, 0b010 << 3);
  g.hex(3, 2).owner = 1;
  g.hex(2, 2).UpdateBorders();
  EXPECT_EQ(g.hex(2, 2).borders & kBorderOwnerBits, 0);
}

TEST(HexBorders, NoLineTowardsTheSea) {
  GameFixture g(6, 6, 3);
  g.hex(2, 2).owner = g.hex(2, 2).controller = 1;
  g.hex(3, 2).terrain = kTerrainSea;
  g.hex(3, 2).owner = g.hex(3, 2).controller = 2;
  g.hex(2, 2).borders = 0x3F;
  g.hex(2, 2).UpdateBorders();
  EXPECT_EQ(g.hex(2, 2).borders & 0b001001, 0);
  // A sea cell keeps whatever bits it has.
  g.hex(3, 2).borders = 0x1FF;
  g.hex(3, 2).UpdateBorders();
  EXPECT_EQ(g.hex(3, 2).borders, 0x1FF);
}

TEST(HexBorders, MissingNeighbourLeavesItsBits) {
  GameFixture g(3, 3, 2);
  sHex& corner = g.hex(2, 2);  // even column, bottom right: no direction 1, 2, 3 neighbour on the map
  corner.borders = 0b111111;
  corner.UpdateBorders();
  EXPECT_EQ(corner.borders, 0b111111);
}

TEST(HexBorders, SettersRefreshTheNeighboursThatKeepTheSharedLines) {
  GameFixture g(8, 8, 3);
  for (sHex& h : g.map().hexes) h.owner = h.controller = 1;
  // (4, 4), even column: direction 0 is (4, 3), 4 is (3, 5), 5 is (3, 4).
  g.hex(4, 4).SetController(2);
  EXPECT_EQ(g.hex(4, 3).borders & kBorderControllerBits, 0b100 << 3);  // its direction 3
  EXPECT_EQ(g.hex(3, 5).borders & kBorderControllerBits, 0b001 << 3);  // its direction 1
  EXPECT_EQ(g.hex(3, 4).borders & kBorderControllerBits, 0b010 << 3);  // its direction 2
  EXPECT_EQ(g.hex(4, 4).borders & kBorderControllerBits, 0b111 << 3);
  EXPECT_EQ(g.hex(4, 4).borders & kBorderOwnerBits, 0);
  g.hex(4, 4).SetOwner(3);
  EXPECT_EQ(g.hex(4, 3).borders & kBorderOwnerBits, 0b100);
  EXPECT_EQ(g.hex(4, 4).borders & kBorderOwnerBits, 0b111);
  g.hex(4, 4).SetController(1);
  EXPECT_EQ(g.hex(4, 3).borders & kBorderControllerBits, 0);
  EXPECT_EQ(g.hex(3, 5).borders & kBorderControllerBits, 0);
}

TEST(HexBorders, SeaZoneLinesAfterLoading) {
  GameFixture g(4, 3, 1);
  // Nodes 1 and 2 are sea zones, 3 a port.
  for (int id = 1; id <= 3; ++id) {
    sWezelGrafuMorz n;
    n.id = id;
    n.seaZone = id == 3 ? 0 : 1;
    g.game->seaGraph.nodes.push_back(n);
  }
  for (sHex& h : g.map().hexes) {
    h.terrain = kTerrainSea;
    h.seaZone = 1;
  }
  g.hex(1, 0).seaZone = 2;  // direction 1 of (0, 0)
  g.hex(1, 1).seaZone = 3;  // direction 2 of (0, 0): a port's hex
  g.hex(0, 1).seaZone = 9;  // direction 3: no such node
  g.map().RefreshAllBorders();
  EXPECT_EQ(g.hex(0, 0).borders & kBorderSeaZoneBits, 0b001 << 6);
  // The port's own hex is skipped and keeps its bits.
  g.hex(1, 1).borders = 0x1C0;
  g.map().RefreshAllBorders();
  EXPECT_EQ(g.hex(1, 1).borders, 0x1C0);
  // (1, 0) is in an odd column: its direction 2 is (2, 0), of zone 1.
  EXPECT_EQ(g.hex(1, 0).borders & kBorderSeaZoneBits, 1 << 7);
}

// ---- cell queries --------------------------------------------------------

TEST(HexQueries, FriendsAlliesAndEnemies) {
  GameFixture g(4, 4);
  cPanstwo* a = g.AddCountry(1);  // allies member
  cPanstwo* b = g.AddCountry(4);  // allies leader
  cPanstwo* c = g.AddCountry(2);  // axis
  cPanstwo* n = g.AddCountry(0);  // neutral
  g.SetWar(a->id, c->id);
  sHex& h = g.hex(1, 1);
  h.controller = b->id;
  h.owner = a->id;
  EXPECT_TRUE(h.IsFriendlyTo(a->id));
  EXPECT_TRUE(h.IsFriendlyTo(b->id));
  EXPECT_FALSE(h.IsFriendlyTo(c->id));
  EXPECT_TRUE(h.IsHeldByFriendOf(a->id));
  EXPECT_FALSE(h.IsHeldByFriendOf(n->id));
  h.owner = c->id;
  EXPECT_FALSE(h.IsHeldByFriendOf(a->id));
  // Nobody: no hex is friendly to country 0, and an uncontrolled hex is
  // friendly to no one.
  EXPECT_FALSE(h.IsFriendlyTo(0));
  h.controller = 0;
  EXPECT_FALSE(h.IsFriendlyTo(a->id));
  EXPECT_FALSE(h.IsLandNotNeutralTo(a->id));
  h.controller = c->id;
  EXPECT_TRUE(h.IsLandNotNeutralTo(a->id));   // at war
  EXPECT_FALSE(h.IsLandNotNeutralTo(n->id));  // neutral to it
  h.controller = n->id;
  EXPECT_TRUE(h.IsLandNotNeutralTo(n->id));   // its own
  h.terrain = kTerrainSea;
  EXPECT_FALSE(h.IsLandNotNeutralTo(n->id));
  EXPECT_EQ(g.hex(0, 0).GetControllerCountry(), nullptr);
  g.hex(0, 0).owner = static_cast<uint8_t>(c->id);
  EXPECT_EQ(g.hex(0, 0).GetOwnerCountry(), c);
}

TEST(HexQueries, WhoMayEnterAHex) {
  GameFixture g(4, 4);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  cPanstwo* n = g.AddCountry(0);
  sHex& h = g.hex(2, 2);
  EXPECT_TRUE(h.IsEnterableBy(a->id));  // no controller
  h.controller = b->id;
  EXPECT_FALSE(h.IsEnterableBy(a->id));  // neither ally nor at war
  g.SetWar(a->id, b->id);
  EXPECT_TRUE(h.IsEnterableBy(a->id));
  h.controller = n->id;
  EXPECT_FALSE(h.IsEnterableBy(a->id));
  EXPECT_TRUE(h.IsEnterableBy(n->id));
  h.terrain = kTerrainMountain;
  EXPECT_FALSE(h.IsEnterableBy(n->id));
  h.terrain = kTerrainPlain;
  TestLandUnit unit(n->id, 1);
  h.unit = &unit;
  EXPECT_TRUE(h.IsEnterableBy(n->id));  // an unseen unit does not stop it
  unit.spottedLevel = 3;
  EXPECT_FALSE(h.IsEnterableBy(n->id));
  h.unit = nullptr;
}

TEST(HexQueries, EnemyUnitOnOrNextToAHex) {
  GameFixture g(6, 6);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  TestLandUnit enemy(b->id, 1);
  g.hex(3, 2).unit = &enemy;  // direction 1 of (2, 2)
  EXPECT_FALSE(g.map().IsEnemyUnitAtOrNextTo(a->id, 2, 2));
  g.SetWar(a->id, b->id);
  EXPECT_TRUE(g.map().IsEnemyUnitAtOrNextTo(a->id, 2, 2));
  EXPECT_TRUE(g.map().IsEnemyUnitAtOrNextTo(a->id, 3, 2));
  EXPECT_FALSE(g.map().IsEnemyUnitAtOrNextTo(a->id, 0, 0));
  // A corner hex looks only at the neighbours on the map.
  g.hex(3, 2).unit = nullptr;
  g.hex(0, 0).unit = &enemy;
  EXPECT_TRUE(g.map().IsEnemyUnitAtOrNextTo(a->id, 1, 0));
  // Enemy air units, on the hex or next to it, hold no ground.
  TestAirUnit plane(b->id, 2);
  g.hex(0, 0).unit = &plane;
  EXPECT_FALSE(g.map().IsEnemyUnitAtOrNextTo(a->id, 1, 0));
  EXPECT_FALSE(g.map().IsEnemyUnitAtOrNextTo(a->id, 0, 0));
  g.hex(0, 0).unit = nullptr;
}

TEST(HexQueries, CoastalHexesByZone) {
  GameFixture g(4, 4);
  g.hex(0, 0).terrain = kTerrainSea;
  g.hex(0, 0).seaZone = 5;
  g.hex(1, 0).seaZone = 5;
  g.hex(3, 2).seaZone = 5;
  g.hex(2, 1).seaZone = 7;
  g.map().RebuildZoneIndex();
  EXPECT_EQ(g.map().GetCoastalHexesOfZone(5), (std::vector<sHexPoint>{{1, 0}, {3, 2}}));
  EXPECT_EQ(g.map().GetCoastalHexesOfZone(7), (std::vector<sHexPoint>{{2, 1}}));
  EXPECT_TRUE(g.map().GetCoastalHexesOfZone(6).empty());
  EXPECT_TRUE(g.hex(1, 0).IsLandWithZone());
  EXPECT_FALSE(g.hex(0, 0).IsLandWithZone());
  // The highest zone a cell can name, and a rebuild after the zones shrank.
  g.hex(3, 3).seaZone = 65535;
  g.map().RebuildZoneIndex();
  EXPECT_EQ(g.map().GetCoastalHexesOfZone(65535), (std::vector<sHexPoint>{{3, 3}}));
  EXPECT_EQ(g.map().GetCoastalHexesOfZone(7), (std::vector<sHexPoint>{{2, 1}}));
  g.hex(3, 3).seaZone = 0;
  g.hex(2, 1).seaZone = 0;
  g.map().RebuildZoneIndex();
  EXPECT_TRUE(g.map().GetCoastalHexesOfZone(65535).empty());
  EXPECT_TRUE(g.map().GetCoastalHexesOfZone(7).empty());
  EXPECT_EQ(g.map().GetCoastalHexesOfZone(5), (std::vector<sHexPoint>{{1, 0}, {3, 2}}));
}

// ---- marks ---------------------------------------------------------------

TEST(HexMarks, TheListHoldsEachMarkedCellOnce) {
  GameFixture g(4, 4);
  sHex& h = g.hex(1, 1);
  h.SetMark(64, 3);
  h.SetMark(16, 5);
  EXPECT_EQ(g.map().markedHexes.size(), 1u);
  EXPECT_EQ(h.marks, 80u);
  EXPECT_EQ(h.markValue, 5);
  // Clearing a bit it does not carry leaves it in the list.
  g.map().ClearMarks(1, false);
  EXPECT_EQ(g.map().markedHexes.size(), 1u);
  EXPECT_EQ(h.markValue, 5);
  g.map().ClearMarks(64, false);
  EXPECT_EQ(h.marks, 16u);
  EXPECT_EQ(h.markValue, -1);
  EXPECT_EQ(g.map().markedHexes.size(), 1u);
  g.map().ClearMarks(16 | 2, false);
  EXPECT_EQ(h.marks, 0u);
  EXPECT_TRUE(g.map().markedHexes.empty());
}

TEST(HexMarks, ClearingOneCellCanTakeItOffTheList) {
  GameFixture g(4, 4);
  g.hex(0, 0).SetMark(1, -1);
  g.hex(1, 0).SetMark(1, -1);
  g.hex(1, 0).ClearMark(1, true);
  EXPECT_EQ(g.map().markedHexes, (std::list<sHex*>{&g.hex(0, 0)}));
  g.hex(0, 0).ClearMark(1, false);
  EXPECT_EQ(g.map().markedHexes.size(), 1u);
}

TEST(HexMarks, ClearingBit24MapWideDropsCellsLeftUnmarked) {
  GameFixture g(4, 4);
  g.hex(2, 2).SetMark(kMarkBit24, -1);
  g.hex(3, 3).SetMark(kMarkBit24 | 64, -1);
  g.hex(1, 1).marks = kMarkBit24;  // set directly, not listed
  g.map().ClearMarks(1, true);
  EXPECT_EQ(g.hex(2, 2).marks, 0u);
  EXPECT_EQ(g.hex(3, 3).marks, 64u);
  EXPECT_EQ(g.hex(1, 1).marks, 0u);
  EXPECT_EQ(g.map().markedHexes, (std::list<sHex*>{&g.hex(3, 3)}));
  // Marked again, the cell enters the list once.
  g.hex(2, 2).SetMark(4, -1);
  EXPECT_EQ(g.map().markedHexes.size(), 2u);
}

TEST(HexMarks, SeaZoneAndReachableZones) {
  GameFixture g(4, 2, 0);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  g.game->selection.currentCountry = a;
  for (int id = 1; id <= 3; ++id) {
    sWezelGrafuMorz n;
    n.id = id;
    g.game->seaGraph.nodes.push_back(n);
  }
  // Zone 2 has an open edge to zone 1; zone 3 one gated by a hex of b.
  g.game->seaGraph.nodes[1].edges.push_back({1, -1, -1});
  g.game->seaGraph.nodes[2].edges.push_back({1, 0, 1});
  g.hex(0, 1).controller = static_cast<uint8_t>(b->id);
  for (int x = 0; x < 4; ++x) {
    g.hex(x, 0).terrain = kTerrainSea;
    g.hex(x, 0).seaZone = static_cast<uint16_t>(x == 0 ? 1 : x == 1 ? 2 : 3);
  }
  g.hex(1, 1).seaZone = 1;  // land with the zone: never marked
  g.map().MarkSeaNodeHexes(1, 512, true);
  EXPECT_EQ(g.hex(0, 0).marks, 512u);
  EXPECT_EQ(g.hex(1, 0).marks, kMarkSeaReachable);
  EXPECT_EQ(g.hex(2, 0).marks, 0u);
  EXPECT_EQ(g.hex(1, 1).marks, 0u);
  // The gate held by a friend opens the passage.
  g.hex(0, 1).controller = static_cast<uint8_t>(a->id);
  g.map().MarkSeaNodeHexes(1, 512, true);
  EXPECT_EQ(g.hex(2, 0).marks, kMarkSeaReachable);
  EXPECT_EQ(g.hex(3, 0).marks, kMarkSeaReachable);
  EXPECT_EQ(g.map().markedHexes.size(), 4u);
}

// ---- weather -------------------------------------------------------------

TEST(HexWeather, RollsColumnByColumnWithOneOrTwoDraws) {
  GameFixture g(3, 2);
  // Month index 4 (May). Sea, exempt and always-winter cells in between.
  for (sHex& h : g.map().hexes) {
    h.winterChance[4] = 30;
    h.mudChance[4] = 50;
    h.weather = 9;
  }
  g.hex(1, 0).terrain = kTerrainSea;
  g.hex(2, 1).weatherApplies = 0;
  g.hex(0, 1).winterChance[4] = 100;

  SeedRandom(12345);
  g.map().RollWeather(4);
  const int after = Rand();

  // Replay the documented order: x outer, y inner, land cells that roll.
  SeedRandom(12345);
  std::map<std::pair<int, int>, uint32_t> expected;
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 2; ++y) {
      const sHex& h = g.hex(x, y);
      if (h.IsSea() || !h.weatherApplies) continue;
      if (RandomInRange(1, 100) <= h.winterChance[4])
        expected[{x, y}] = 1;
      else
        expected[{x, y}] = RandomInRange(1, 100) <= h.mudChance[4] ? 2 : 0;
    }
  }
  EXPECT_EQ(Rand(), after);
  for (const auto& [p, w] : expected) EXPECT_EQ(g.hex(p.first, p.second).weather, w) << p.first << "," << p.second;
  EXPECT_EQ(g.hex(0, 1).weather, 1u);
  EXPECT_EQ(g.hex(1, 0).weather, 9u);  // sea: untouched
  EXPECT_EQ(g.hex(2, 1).weather, 9u);  // exempt: untouched
}

TEST(HexWeather, CertainWinterAndCertainMud) {
  GameFixture g(5, 5);
  for (sHex& h : g.map().hexes) {
    h.winterChance[0] = h.x == 0 ? 100 : 0;
    h.mudChance[0] = 100;
  }
  for (uint32_t seed = 1; seed < 20; ++seed) {
    SeedRandom(seed);
    g.map().RollWeather(0);
    for (const sHex& h : g.map().hexes) EXPECT_EQ(h.weather, h.x == 0 ? 1u : 2u);
  }
  // A month index outside the year rolls nothing.
  SeedRandom(7);
  const int first = Rand();
  SeedRandom(7);
  g.map().RollWeather(12);
  EXPECT_EQ(Rand(), first);
}

// ---- side tables ---------------------------------------------------------

TEST(HexMapTables, BookmarksClampTheirSlot) {
  cMapa m;
  EXPECT_EQ(m.GetViewBookmark(3), (sHexPoint{-1, -1}));
  EXPECT_EQ(m.SetViewBookmark(12, 4, 5), 9);
  EXPECT_EQ(m.GetViewBookmark(9), (sHexPoint{4, 5}));
  EXPECT_EQ(m.SetViewBookmark(-3, 1, 2), 0);
  EXPECT_EQ(m.GetViewBookmark(-1), (sHexPoint{1, 2}));
}

TEST(HexMapTables, AiLayerAndEyecandies) {
  GameFixture g(5, 4);
  g.map().CreateAiLayer();
  g.map().SetLayerByte(4, 3, 7);
  g.map().SetLayerByte(5, 3, 9);  // off the map: ignored
  EXPECT_EQ(g.map().GetLayerByte(4, 3), 7);
  EXPECT_EQ(g.map().GetLayerByte(-1, 0), 0);
  g.map().ClearLayerBytes();
  EXPECT_EQ(g.map().GetLayerByte(4, 3), 0);

  g.map().ResetHexExtras();
  ASSERT_EQ(g.map().eyecandies.size(), 20u);
  EXPECT_EQ(g.map().eyecandies[0].depth, -1.0f);
  g.map().eyecandies[3].depth = 0.7f;
  g.map().eyecandies[3].source[2][1] = 5;
  g.map().eyecandies[3].hiddenLayer = 2;
  g.map().ResetHexExtras();
  EXPECT_EQ(g.map().eyecandies[3].depth, 0.7f);
  EXPECT_EQ(g.map().eyecandies[3].source[2][1], 0);
  EXPECT_EQ(g.map().eyecandies[3].hiddenLayer, 100);

  cMapa empty;
  LogCapture log;
  empty.ResetHexExtras();
  EXPECT_TRUE(empty.eyecandies.empty());
  EXPECT_EQ(log.lines.size(), 1u);
  EXPECT_THROW(empty.CreateAiLayer(), std::length_error);
}

TEST(HexMapTables, ViewValuesComeFromTheScreenSize) {
  cMapa m;
  m.Create(30, 20);
  EXPECT_EQ(m.visibleColumns, static_cast<int>(1024 / 41.5) + 2);
  EXPECT_EQ(m.visibleRows, 768 / 98 + 2);
  EXPECT_EQ(m.cameraMaxX, 83 * 30);
  EXPECT_EQ(m.cameraMaxY, 98 * 20);
  EXPECT_EQ(m.cameraMinY, 83);
}

}  // namespace
