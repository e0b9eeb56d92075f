// The computer player's order bookkeeping over the cities diagram and its
// strategic moves over the topography groups.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/strategic_moves.h"

namespace {

using unit_test::AddCity;
using unit_test::PlaceLand;
using world_test::GameFixture;
using world_test::LogCapture;

// Cities A -> B -> C joined by land links, all of country 1 (allies);
// country 2 is an ally, country 3 neutral.
class Orders : public ::testing::Test {
 protected:
  Orders() : g(8, 4) {
    own = g.AddCountry(kAllianceAllies);
    ally = g.AddCountry(kAllianceAllies);
    neutral = g.AddCountry(kAllianceNeutral);
    a = AddCity(g, 0, 0, kCityRegular, own->id, L"A");
    b = AddCity(g, 2, 0, kCityRegular, own->id, L"B");
    c = AddCity(g, 4, 0, kCityRegular, own->id, L"C");
    n = AddCity(g, 6, 0, kCityRegular, neutral->id, L"N");
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    Link(a, b);
    Link(b, c);
    g.game->ComputeCityDistances();
    unit = PlaceLand(g, own->id, 1, 2);
    // The unit's hex lies in A's region.
    g.game->selection.cityRegions.assign(8 * 4, nullptr);
    g.game->selection.cityRegions[2 * 8 + 1] = a;
  }
  void Link(cMiasto* from, cMiasto* to) {
    g.game->citiesDiagram.nodes[static_cast<size_t>(from->diagramIndex)].links.push_back(
        {to->diagramIndex, kDiagramLinkLand});
  }

  GameFixture g;
  cPanstwo *own, *ally, *neutral;
  cMiasto *a, *b, *c, *n;
  cJednostkaLadowa* unit;
};

TEST_F(Orders, OrdersNearAndFar) {
  unit->ExecuteOrder(3, 5, 1, 1);
  EXPECT_EQ(unit->aiOrder, 3);
  EXPECT_EQ(unit->aiTargetX, 5);
  EXPECT_EQ(unit->aiTargetY, 1);
  EXPECT_EQ(unit->aiUltimateTargetX, -1);

  // Far away: a route over the cities diagram from the region city must
  // exist; the order takes the route's first city.
  unit->ExecuteOrder(4, c->x, c->y, 2);
  EXPECT_EQ(unit->aiOrder, 4);
  EXPECT_EQ(unit->aiTargetX, c->x);
  EXPECT_EQ(unit->aiTargetY, c->y);
  EXPECT_EQ(unit->aiUltimateTargetX, c->x);
  EXPECT_EQ(unit->aiUltimateTargetY, c->y);

  // The supply city comes before the region city: from C there is no way
  // back to B.
  unit->supplySourceX = c->x;
  unit->supplySourceY = c->y;
  unit->ExecuteOrder(5, b->x, b->y, 2);
  EXPECT_EQ(unit->aiOrder, 0);
  unit->supplySourceX = -1;

  LogCapture log;
  unit->ExecuteOrder(6, n->x, n->y, 3);
  EXPECT_EQ(unit->aiOrder, 0);
  EXPECT_EQ(unit->aiTargetX, -1);
  EXPECT_EQ(unit->aiUltimateTargetX, c->x);  // the previous one stays
  EXPECT_TRUE(log.Has(L"ERROR: Nie znaleziono sciezki dla rozkazu nr 6"));
}

TEST_F(Orders, HopsToACity) {
  EXPECT_EQ(unit->GetHopsToCity(c->x, c->y), 2);
  EXPECT_EQ(unit->GetHopsToCity(n->x, n->y), -1);
  unit->aiOrder = 2;
  unit->aiUltimateTargetX = 4;
  LogCapture log;
  EXPECT_EQ(unit->GetHopsToCity(3, 3), -1);
  EXPECT_TRUE(log.Has(L"ERROR (Returining no. of hops - land unit): City is null"));
  EXPECT_EQ(unit->aiOrder, 0);
  EXPECT_EQ(unit->aiUltimateTargetX, -1);
  // Outside every region there is nothing to count from.
  unit->x = 7;
  EXPECT_EQ(unit->GetHopsToCity(c->x, c->y), -1);
}

TEST_F(Orders, StrategicMovesStayInOneGroup) {
  std::vector<tCityGroups> groups(3);
  groups[0] = {{c}, {a, b, c}};
  g.game->strategicMoves = new std::vector<tCityGroups>(groups);
  // No supply source: nowhere.
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *b));
  unit->supplySourceX = a->x;
  unit->supplySourceY = a->y;
  // Only the first group that holds the target counts.
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *c));
  (*g.game->strategicMoves)[0] = {{a, b, c}};
  EXPECT_TRUE(CanMoveStrategicallyTo(*unit, *c));
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *n));  // a neutral's city
  g.hex(b->x, b->y).controller = static_cast<uint8_t>(ally->id);
  EXPECT_TRUE(CanMoveStrategicallyTo(*unit, *b));
  // Air units need only a friendly target.
  cJednostkaLotnicza* plane = unit_test::PlaceAir(g, own->id, 3, 3);
  plane->supplySourceX = a->x;
  plane->supplySourceY = a->y;
  (*g.game->strategicMoves)[0].clear();
  EXPECT_TRUE(CanMoveStrategicallyTo(*plane, *c));
  EXPECT_FALSE(CanMoveStrategicallyTo(*unit, *c));
}

TEST_F(Orders, ComputerStrategicMoveTest) {
  g.game->strategicMoves = new std::vector<tCityGroups>(3);
  (*g.game->strategicMoves)[0] = {{a, b, c}};
  unit->supplySourceX = a->x;
  unit->supplySourceY = a->y;
  unit->SetType(2);
  own->consts.c068[2] = 4;
  own->strategicMovementPoints = 3;
  unit->actionPoints = unit->startingActionPoints = 5;
  const int savedFog = gProgramSettings.fogOfWar;
  gProgramSettings.fogOfWar = 3;
  int x = -1, y = -1;
  LogCapture log;
  EXPECT_FALSE(unit->AiTryStrategicMove(c, x, y));  // too few points
  EXPECT_TRUE(log.Has(L"[AI] Jednostka nie moze zostac przeniesiona strategicznie"));
  own->strategicMovementPoints = 4;
  ASSERT_TRUE(unit->AiTryStrategicMove(c, x, y));
  EXPECT_EQ(x, c->x);
  EXPECT_EQ(y, c->y);
  // The city is taken: the first free friendly neighbour.
  PlaceLand(g, own->id, c->x, c->y);
  EXPECT_FALSE(unit->AiTryStrategicMove(c, x, y));  // nobody's hexes around it
  g.hex(4, 1).controller = static_cast<uint8_t>(ally->id);
  g.hex(3, 0).controller = static_cast<uint8_t>(own->id);
  ASSERT_TRUE(unit->AiTryStrategicMove(c, x, y));
  EXPECT_EQ(x, 4);  // south comes before the left-hand sides
  EXPECT_EQ(y, 1);
  EXPECT_TRUE(log.HasPrefix(L"[AI] cheat: przenosimy jednostke na przylegajacy do miasta C"));
  // A seen unit, or one that has moved, is refused.
  unit->spottedLevel = 6;
  EXPECT_FALSE(unit->AiTryStrategicMove(c, x, y));
  unit->spottedLevel = 0;
  unit->actionPoints = 2;
  EXPECT_FALSE(unit->AiTryStrategicMove(c, x, y));
  gProgramSettings.fogOfWar = savedFog;
}

}  // namespace
