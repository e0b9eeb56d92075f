// The computer player's line of defence on small hand-drawn maps: the line
// between frontier nodes, the choice among paths, the pruning of the line
// and the moves of the units that defend it.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

namespace {

using world_test::GameFixture;
using Line = std::list<sAiDefenceHex>;

Line Column(int x, int fromY, int toY) {
  Line line;
  const int step = fromY <= toY ? 1 : -1;
  for (int y = fromY;; y += step) {
    line.push_back({x, y});
    if (y == toY) break;
  }
  return line;
}

std::string Describe(const Line& line) {
  std::string s;
  for (const sAiDefenceHex& h : line) s += "(" + std::to_string(h.x) + "," + std::to_string(h.y) + ")";
  return s;
}

// A 9 x 13 land map: country 1 (the computer) holds columns 0-5, country 2,
// at war with it, columns 6-8; country 3 is neutral. One city's region
// covers the map, so every hex lies in one topography group. The lattice
// of front nodes, 4 apart, has friendly nodes (4, 2), (4, 6) and (4, 10)
// facing the enemy's column 8.
class DefenceLine : public ::testing::Test {
 public:
  DefenceLine() : g(kWidth, kHeight, 3) {
    g.SetWar(1, 2);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) Hold(x, y, x <= 5 ? 1 : 2);
    home = unit_test::AddCity(g, 0, 12, kCityRegular, 1, L"Home");
    g.game->selection.cityRegions.assign(static_cast<size_t>(kWidth * kHeight), home);
    InitStrategicMovement();
    StoreCountryTopography(1, {{home}});
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
  }

  void Hold(int x, int y, int country) {
    g.hex(x, y).controller = static_cast<uint8_t>(country);
    g.hex(x, y).owner = static_cast<uint8_t>(country);
  }

  std::vector<sAiDefenceHex> MarkedHexes(uint8_t mark) {
    std::vector<sAiDefenceHex> out;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (g.map().GetLayerByte(x, y) == mark) out.push_back({x, y});
    return out;
  }

  static constexpr int kWidth = 9;
  static constexpr int kHeight = 13;
  GameFixture g;
  cMiasto* home;
  cAI* ai;
  cLogCapture log;
};

// Each pair of neighbouring frontier nodes adds its straight path; the node
// shared by two pairs stands in the line twice. The layer keeps only the
// line's marks.
TEST_F(DefenceLine, StraightLineBetweenFrontierNodes) {
  ai->CalculateLineOfDefence();
  Line expected = Column(4, 6, 2);
  expected.splice(expected.end(), Column(4, 10, 6));
  EXPECT_EQ(ai->defenceLine, expected) << Describe(ai->defenceLine);
  std::vector<sAiDefenceHex> column;
  for (int y = 2; y <= 10; ++y) column.push_back({4, y});
  EXPECT_EQ(MarkedHexes(3), column);
  EXPECT_TRUE(MarkedHexes(1).empty());
  EXPECT_TRUE(MarkedHexes(2).empty());
}

TEST_F(DefenceLine, NothingWhereNoEnemyNodeFacesAFriendlyOne) {
  struct Case {
    const char* name;
    void (*setup)(DefenceLine& t);
  };
  const Case cases[] = {
      {"peace",
       [](DefenceLine& t) {
         t.g.game->relations.SetWar(1, 2, false);
         t.g.game->relations.SetWar(2, 1, false);
       }},
      {"all own",
       [](DefenceLine& t) {
         for (int y = 0; y < kHeight; ++y)
           for (int x = 6; x < kWidth; ++x) t.Hold(x, y, 1);
       }},
      {"other land mass",
       [](DefenceLine& t) {
         // The enemy's side is the region of a city of another group.
         cMiasto* far = unit_test::AddCity(t.g, 8, 12, kCityRegular, 2, L"Far");
         for (int y = 0; y < kHeight; ++y)
           for (int x = 6; x < kWidth; ++x)
             t.g.game->selection.cityRegions[static_cast<size_t>(y * kWidth + x)] = far;
         StoreCountryTopography(2, {{far}});
       }},
  };
  for (const Case& c : cases) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) Hold(x, y, x <= 5 ? 1 : 2);
    g.SetWar(1, 2);
    c.setup(*this);
    ai->defenceLine = Column(0, 0, 3);
    ai->CalculateLineOfDefence();
    EXPECT_TRUE(ai->defenceLine.empty()) << c.name << ": " << Describe(ai->defenceLine);
    EXPECT_TRUE(MarkedHexes(3).empty()) << c.name;
  }
}

// Row 4 is cut by sea or by a neutral country: the pair (4, 6)-(4, 2) has
// no path over own, allied or enemy land and adds nothing; the pair below
// still draws its line.
TEST_F(DefenceLine, PairWithoutALandPathAddsNothing) {
  for (const bool sea : {true, false}) {
    for (int x = 0; x < kWidth; ++x) {
      Hold(x, 4, 3);
      g.hex(x, 4).terrain = sea ? kTerrainSea : kTerrainPlain;
    }
    ai->CalculateLineOfDefence();
    EXPECT_EQ(ai->defenceLine, Column(4, 10, 6)) << (sea ? "sea: " : "neutral: ") << Describe(ai->defenceLine);
  }
}

// From (4, 6) to (4, 2) with the sea on (4, 4) every path is six hexes
// long. The first found goes round by column 5; its mirror by column 3
// wins only when (3, 4) earns more: a river on a side facing the enemy,
// rough terrain or a friendly city.
TEST_F(DefenceLine, BestPathAmongEquallyShortOnes) {
  const Line east = {{4, 6}, {4, 5}, {5, 5}, {5, 4}, {5, 3}, {4, 2}};
  const Line west = {{4, 6}, {4, 5}, {3, 5}, {3, 4}, {3, 3}, {4, 2}};
  struct Case {
    const char* name;
    uint8_t rivers;
    uint8_t terrain;
    int cityHolder;  // 0: no city
    uint8_t sides[6];
    const Line* expected;
  };
  const Case cases[] = {
      {"plain, first found", 0, kTerrainPlain, 0, {0, 1, 1, 0, 0, 0}, &east},
      {"river facing the enemy", 1u << 1, kTerrainPlain, 0, {0, 1, 1, 0, 0, 0}, &west},
      {"river on the own side", 1u << 4, kTerrainPlain, 0, {0, 1, 1, 0, 0, 0}, &east},
      {"enemy on the river's side", 1u << 4, kTerrainPlain, 0, {0, 0, 0, 0, 1, 1}, &west},
      {"forest", 0, kTerrainForest, 0, {0, 1, 1, 0, 0, 0}, &west},
      {"mountain", 0, kTerrainMountain, 0, {0, 1, 1, 0, 0, 0}, &west},
      {"desert is no cover", 0, kTerrainDesert, 0, {0, 1, 1, 0, 0, 0}, &east},
      {"own city", 0, kTerrainPlain, 1, {0, 1, 1, 0, 0, 0}, &west},
      {"enemy city", 0, kTerrainPlain, 2, {0, 1, 1, 0, 0, 0}, &east},
  };
  g.hex(4, 4).terrain = kTerrainSea;
  cMiasto city;
  for (const Case& c : cases) {
    sHex& hex = g.hex(3, 4);
    hex.rivers = c.rivers;
    hex.terrain = c.terrain;
    hex.city = c.cityHolder != 0 ? &city : nullptr;
    Hold(3, 4, c.cityHolder == 2 ? 2 : 1);
    Line out = {{0, 0}};
    ai->BestDefencePath(out, 4, 6, 4, 2, c.sides);
    Line expected = {{0, 0}};
    expected.insert(expected.end(), c.expected->begin(), c.expected->end());
    EXPECT_EQ(out, expected) << c.name << ": " << Describe(out);
  }
  g.hex(3, 4).city = nullptr;
}

// Shorter paths score ten per hex left under the limit; cover, each river
// on a side facing the enemy and a friendly city add to it.
TEST_F(DefenceLine, PathScore) {
  const uint8_t sides[6] = {0, 1, 1, 1, 0, 0};
  const std::vector<sAiDefenceHex> path = {{1, 1}, {1, 2}, {1, 3}};
  EXPECT_EQ(ai->ScoreDefencePath(path, 6, sides), 20);
  EXPECT_EQ(ai->ScoreDefencePath(path, 4, sides), 0);
  g.hex(1, 2).terrain = kTerrainHill;
  g.hex(1, 2).rivers = (1u << 1) | (1u << 2) | (1u << 5);
  cMiasto city;
  g.hex(1, 3).city = &city;
  // 20 + 4 (hill) + 2 x 6 (rivers on sides 1 and 2; side 5 faces away) + 15.
  EXPECT_EQ(ai->ScoreDefencePath(path, 6, sides), 51);
  Hold(1, 3, 2);
  EXPECT_EQ(ai->ScoreDefencePath(path, 6, sides), 36);
  g.hex(1, 3).city = nullptr;
}

// The pruning of a hand-made line: a spur next to a junction goes, a hex
// whose two line neighbours touch goes, pass after pass.
TEST_F(DefenceLine, Pruning) {
  struct Case {
    const char* name;
    Line line;
    Line expected;
  };
  const Case cases[] = {
      {"straight line stays", Column(4, 2, 6), Column(4, 2, 6)},
      {"repeated hexes stay", {{4, 2}, {4, 3}, {4, 4}, {4, 4}, {4, 5}}, {{4, 2}, {4, 3}, {4, 4}, {4, 4}, {4, 5}}},
      // (6, 4) hangs on the junction (5, 4), and so does the end (4, 2) of
      // the column on the junction (4, 3). (5, 4) keeps three marked
      // neighbours in the first pass, which removes nothing, so it stays.
      {"spurs", {{4, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}, {5, 4}, {6, 4}}, {{4, 3}, {4, 4}, {4, 5}, {4, 6}, {5, 4}}},
      // (5, 5) touches (4, 4) and (4, 5), which touch each other.
      {"corner cut", {{4, 2}, {4, 3}, {4, 4}, {5, 5}, {4, 5}, {4, 6}, {4, 7}, {4, 8}}, Column(4, 2, 8)},
      // A triangle: every hex has two touching neighbours.
      {"triangle", {{4, 3}, {4, 4}, {5, 4}}, {}},
      // (4, 3) goes first; then (4, 4) and (5, 4) each have two touching
      // neighbours left; (5, 5) sees them in directions 5 and 0, which do
      // not count.
      {"cascade", {{4, 3}, {4, 4}, {5, 4}, {5, 5}}, {{5, 5}}},
  };
  for (const Case& c : cases) {
    g.map().ClearLayerBytes();
    ai->defenceLine = c.line;
    ai->PruneDefenceLine();
    EXPECT_EQ(ai->defenceLine, c.expected) << c.name << ": " << Describe(ai->defenceLine);
    std::vector<sAiDefenceHex> marked;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        for (const sAiDefenceHex& h : c.expected)
          if (h.x == x && h.y == y) {
            marked.push_back(h);
            break;
          }
    EXPECT_EQ(MarkedHexes(3), marked) << c.name;
  }
}

TEST_F(DefenceLine, NearestFreeHexOfTheLine) {
  ai->defenceLine = {{4, 4}, {4, 2}, {4, 3}};
  EXPECT_EQ(ai->NearestFreeDefenceHex(4, 3), (sAiDefenceHex{4, 3}));
  EXPECT_EQ(ai->NearestFreeDefenceHex(4, 8), (sAiDefenceHex{4, 4}));
  unit_test::PlaceLand(g, 1, 4, 3);
  // Equal distances: the first of the line.
  EXPECT_EQ(ai->NearestFreeDefenceHex(4, 3), (sAiDefenceHex{4, 4}));
  unit_test::PlaceLand(g, 2, 4, 4);
  unit_test::PlaceLand(g, 1, 4, 2);
  EXPECT_EQ(ai->NearestFreeDefenceHex(4, 3), (sAiDefenceHex{-1, -1}));
}

// Units with order 5 take the line hexes nearest their target.
class DefenceMoves : public DefenceLine {
 protected:
  DefenceMoves() {
    for (cPanstwo* c : g.game->countries)
      for (int t = 0; t < 8; ++t) c->consts.c015[t] = 10;
    g.game->state = kStateComputerPlays;
    ai->defenceLine = Column(4, 2, 6);
    ai->PruneDefenceLine();
  }

  cJednostkaLadowa* Defender(int x, int y, int ap, int tx = 4, int ty = 0) {
    cJednostkaLadowa* u = unit_test::PlaceLand(g, 1, x, y);
    u->actionPoints = u->startingActionPoints = ap;
    u->aiOrder = 5;
    u->aiTargetX = tx;
    u->aiTargetY = ty;
    ai->ownLandUnits.push_back(u);
    return u;
  }
};

TEST_F(DefenceMoves, UnitsTakeTheLineHexesNearestTheirTarget) {
  // (2, 4) reaches (4, 2), the line's hex nearest the target (4, 0); (2, 6)
  // reaches no nearer hex than (4, 4). (0, 2) reaches no line hex at all and
  // heads for the nearest free one, (4, 3), as far as it can.
  cJednostkaLadowa* a = Defender(2, 4, 30);
  cJednostkaLadowa* b = Defender(2, 6, 30);
  cJednostkaLadowa* c = Defender(0, 2, 10);
  ai->MoveUnitsToDefenceLine();
  EXPECT_EQ((sAiDefenceHex{a->x, a->y}), (sAiDefenceHex{4, 2}));
  EXPECT_EQ((sAiDefenceHex{b->x, b->y}), (sAiDefenceHex{4, 4}));
  EXPECT_EQ(HexDistance(c->x, c->y, 4, 3), 3);
  EXPECT_EQ(c->actionPoints, 0);
  EXPECT_EQ(g.hex(4, 2).unit, a);
  EXPECT_EQ(g.hex(4, 4).unit, b);
  for (const cJednostkaLadowa* u : {a, b, c}) EXPECT_EQ(u->aiOrder, 5);
}

// A unit on the line leaves it only for a line hex nearer its target; a
// unit off the line goes to the free line hex nearest its target even when
// that takes it further away.
TEST_F(DefenceMoves, OnTheLineOnlyNearerOffTheLineOntoIt) {
  cJednostkaLadowa* onLine = Defender(4, 6, 30, 4, 12);
  cJednostkaLadowa* behind = Defender(3, 8, 30, 4, 12);
  ai->MoveUnitsToDefenceLine();
  EXPECT_EQ((sAiDefenceHex{onLine->x, onLine->y}), (sAiDefenceHex{4, 6}));
  EXPECT_EQ(onLine->actionPoints, 30);
  EXPECT_EQ((sAiDefenceHex{behind->x, behind->y}), (sAiDefenceHex{4, 5}));
  EXPECT_EQ(behind->actionPoints, 0);
}

// Fortification above the hold level keeps the unit where it is with order
// 9; at the level it still moves. A unit on its target, or with another
// order, is left alone.
TEST_F(DefenceMoves, HoldLevelTargetAndOrder) {
  ai->country->ai.fortLevelToHoldAtAllCost = 2;
  g.hex(2, 4).fort = 3;
  g.hex(2, 6).fort = 2;
  cJednostkaLadowa* fortified = Defender(2, 4, 30);
  cJednostkaLadowa* atLevel = Defender(2, 6, 30);
  cJednostkaLadowa* onTarget = Defender(1, 1, 30, 1, 1);
  cJednostkaLadowa* other = Defender(2, 2, 30);
  other->aiOrder = 4;
  ai->MoveUnitsToDefenceLine();
  EXPECT_EQ(fortified->aiOrder, 9);
  EXPECT_EQ((sAiDefenceHex{fortified->x, fortified->y}), (sAiDefenceHex{2, 4}));
  EXPECT_EQ(atLevel->aiOrder, 5);
  EXPECT_EQ(g.map().GetLayerByte(atLevel->x, atLevel->y), 3);
  EXPECT_EQ((sAiDefenceHex{onTarget->x, onTarget->y}), (sAiDefenceHex{1, 1}));
  EXPECT_EQ((sAiDefenceHex{other->x, other->y}), (sAiDefenceHex{2, 2}));
  EXPECT_EQ(other->aiOrder, 4);
}

}  // namespace
