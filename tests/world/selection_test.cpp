// The selection record: selecting land and sea hexes, the hovered sea node,
// the attack being prepared and its one-attacker rule, the map centring and
// the information bar's message.
#include <gtest/gtest.h>

#include "core/shared_records.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/sea_graph.h"
#include "world/selection.h"

namespace {

using unit_test::AddCity;
using unit_test::GameFixture;
using unit_test::PlaceLand;

// Columns 0-3 land of country 1, columns 4-7 sea of zone 1 (a node with one
// own ship) except column 7, sea of no node.
class Selection : public ::testing::Test {
 protected:
  Selection() : g(8, 6, 2) {
    for (sHex& h : g.map().hexes) {
      if (h.x >= 4) {
        h.terrain = kTerrainSea;
        h.seaZone = h.x < 7 ? 1 : 0;
      } else {
        h.controller = h.owner = 1;
      }
    }
    g.game->seaGraph.nodes.resize(2);
    g.game->seaGraph.nodes[0].id = 1;
    g.game->seaGraph.nodes[1].id = 2;
    g.game->seaGraph.nodes[0].shipCounters[kOwnShips][2] = 1;
    unit = PlaceLand(g, 1, 1, 2);
    SetFrontEnd(&fe);
  }
  ~Selection() override { SetFrontEnd(nullptr); }
  cSelection& sel() { return g.game->selection; }
  int Marked(uint32_t bits) {
    int n = 0;
    for (const sHex& h : g.map().hexes)
      if ((h.marks & bits) != 0) ++n;
    return n;
  }

  GameFixture g;
  cJednostkaLadowa* unit;
  cRecordingFrontEnd fe;
};

TEST_F(Selection, LandHexSelectsItsUnit) {
  g.hex(3, 3).SetMark(kMarkStrategicTarget, -1);
  sel().SelectHex(1, 2);
  EXPECT_EQ(sel().selectedHex, &g.hex(1, 2));
  EXPECT_EQ(sel().selectedUnit, unit);
  EXPECT_EQ(g.hex(1, 2).marks, kMarkSelectedHex);
  EXPECT_EQ(Marked(~0u), 1);  // the old marks are gone
  EXPECT_EQ(fe.Count("RefreshHexPanel"), 1);
  EXPECT_EQ(fe.Count("RefreshDiplomacyPanel"), 1);
  EXPECT_EQ(fe.Count("RefreshUnitPanel"), 1);
  // An empty hex clears the selected unit.
  sel().SelectHex(2, 2);
  EXPECT_EQ(sel().selectedUnit, nullptr);
  EXPECT_EQ(Marked(kMarkSelectedHex), 1);
  // Sea of no node is selected as a land hex is.
  sel().SelectHex(7, 1);
  EXPECT_EQ(g.hex(7, 1).marks, kMarkSelectedHex);
  EXPECT_EQ(fe.Count("ShowFleetsDialog"), 0);
  sel().ClearUnit();
  EXPECT_EQ(sel().selectedHex, nullptr);
  EXPECT_EQ(sel().selectedUnit, nullptr);
  EXPECT_EQ(Marked(~0u), 0);
  EXPECT_EQ(fe.Count("RefreshUnitPanel"), 4);
}

TEST_F(Selection, SeaHexWithOwnShipsOpensTheFleetsDialog) {
  sel().SelectHex(5, 3);
  EXPECT_EQ(Marked(kMarkSelectedSeaNode), 3 * 6);
  EXPECT_EQ(Marked(kMarkSelectedHex), 0);
  EXPECT_EQ(sel().selectedHex, &g.hex(5, 3));
  EXPECT_EQ(fe.Count("RefreshUnitPanel"), 0);
  ASSERT_EQ(fe.Count("ShowFleetsDialog"), 1);
  EXPECT_EQ(fe.calls.back().value, 1);
  // Not while the map action is 8, nor while dialogs are held back, nor
  // without own ships.
  fe.calls.clear();
  sel().mapAction = kMapActionNoFleetDialog;
  sel().SelectHex(5, 3);
  sel().mapAction = kMapActionLandMove;
  sel().suppressDialogs = 1;
  sel().SelectHex(5, 3);
  sel().suppressDialogs = 0;
  g.game->seaGraph.nodes[0].shipCounters[kOwnShips][2] = 0;
  g.game->seaGraph.nodes[0].shipCounters[kAlliedShips][2] = 3;
  sel().SelectHex(5, 3);
  EXPECT_EQ(fe.Count("ShowFleetsDialog"), 0);
  EXPECT_EQ(Marked(kMarkSelectedSeaNode), 3 * 6);
}

TEST_F(Selection, HoveredSeaNodeIsTheHoverObject) {
  sel().SetHoverHex(&g.hex(4, 0));
  sel().SetHoverHex(&g.hex(4, 0));  // unchanged: nothing new
  sel().SetHoverHex(&g.hex(0, 0));
  sel().SetHoverHex(nullptr);
  ASSERT_EQ(fe.hoverObjects.size(), 3u);
  EXPECT_EQ(fe.hoverObjects[0], &g.game->seaGraph.nodes[0]);
  EXPECT_EQ(fe.hoverObjects[1], nullptr);
  EXPECT_EQ(fe.hoverObjects[2], nullptr);
  EXPECT_EQ(sel().hoveredHex, nullptr);
}

// With more than one attacker, an attack is dropped when its target was
// attacked already or one of its attackers has attacked.
TEST_F(Selection, OverfullAttackIsDropped) {
  cJednostkaLadowa* target = PlaceLand(g, 2, 3, 3);
  cJednostkaLadowa* a1 = PlaceLand(g, 1, 2, 3);
  cJednostkaLadowa* a2 = PlaceLand(g, 1, 3, 2);
  const struct {
    int wasAttacked;
    bool second;
    int firstAttacked;
    int secondAttacked;
    bool kept;
  } cases[] = {
      {1, true, 0, 0, false}, {1, false, 0, 0, true}, {0, true, 0, 0, true},
      {0, true, 0, 1, false}, {0, true, 1, 0, false}, {0, false, 1, 0, true},
  };
  for (const auto& c : cases) {
    target->wasAttacked = static_cast<uint8_t>(c.wasAttacked);
    a1->attacked = static_cast<uint8_t>(c.firstAttacked);
    a2->attacked = static_cast<uint8_t>(c.secondAttacked);
    sel().NewAttack(target, 3, 3, nullptr, a1, nullptr, nullptr, c.second ? a2 : nullptr, nullptr);
    ASSERT_NE(sel().attack, nullptr);
    sel().DropOverfullAttack();
    EXPECT_EQ(sel().attack != nullptr, c.kept) << c.wasAttacked << c.second << c.firstAttacked << c.secondAttacked;
  }
  sel().ClearAttack();
  sel().DropOverfullAttack();  // nothing to drop
  EXPECT_EQ(sel().attack, nullptr);
}

TEST_F(Selection, NewAttackHoldsTheNineWords) {
  cJednostkaLadowa* target = PlaceLand(g, 2, 3, 3);
  sel().NewAttack(target, 3, 3, nullptr, nullptr, unit, nullptr, nullptr, nullptr);
  sel().NewAttack(target, 3, 4, unit, nullptr, nullptr, nullptr, nullptr, unit);  // replaces the first
  ASSERT_NE(sel().attack, nullptr);
  EXPECT_EQ(sel().attack->defender, target);
  EXPECT_EQ(sel().attack->targetY, 4);
  EXPECT_EQ(sel().attack->attackers[0], unit);
  EXPECT_EQ(sel().attack->attackers[2], nullptr);
  EXPECT_EQ(sel().attack->attackers[5], unit);
  EXPECT_EQ(sel().attack->CountAttackers(), 2);
}

TEST_F(Selection, CentreOnTheMainCity) {
  g.map().cameraMaxX = g.map().cameraMaxY = 100000;
  sel().CenterOnUnit(true);  // no current country: nothing
  EXPECT_EQ(g.map().cameraTargetX, 0.0f);
  cMiasto* small = AddCity(g, 1, 1, kCityRegular, 1);
  small->productionPoints = 9;
  cMiasto* main = AddCity(g, 3, 4, kCitySupply, 1);
  main->productionPoints = 2;
  sel().currentCountry = g.game->countries[0];
  const struct {
    int state;
    bool flag;
    int after;
  } cases[] = {{kStateHumanPlays, false, kStateHumanPlays},
               {kStateHumanPlays, true, kStateCameraScroll},
               {kStateComputerPlays, true, kStateComputerPlays}};
  for (const auto& c : cases) {
    g.game->state = c.state;
    g.map().cameraTargetX = 0;
    sel().CenterOnUnit(c.flag);
    EXPECT_EQ(g.map().cameraTargetX, 83.0f * 3);
    EXPECT_EQ(g.map().cameraTargetY, 98.0f * 4);
    EXPECT_EQ(g.game->GetState(), c.after);
  }
}

TEST_F(Selection, ResetViewGoesToTheFirstPoint) {
  g.map().cameraMaxX = g.map().cameraMaxY = 100000;
  sel().ResetView();  // no points: nothing
  EXPECT_EQ(sel().resumeView.flags[0], 0);
  sel().resumeView.points = {{2.9f, 1.5f, true}, {7.0f, 7.0f, false}};
  sel().ResetView();
  EXPECT_EQ(g.map().cameraTargetX, 83.0f * 2);
  EXPECT_EQ(g.map().cameraTargetY, 98.0f * 1);
  EXPECT_EQ(sel().resumeView.flags[0], 1);
  EXPECT_EQ(sel().resumeView.flags[1], 0);
  EXPECT_EQ(sel().resumeView.flags[2], 1);
  sel().resumeView.points.front() = {300.5f, 120.25f, false};
  sel().ResetView();
  EXPECT_EQ(g.map().cameraTargetX, 300.5f);
  EXPECT_EQ(g.map().cameraTargetY, 120.25f);
}

TEST_F(Selection, InfoMessageOnOneLine) {
  ShowInfoPanelMessage(L"Two\nlines\n");
  ASSERT_EQ(fe.Count("SetInfoMessage"), 1);
  EXPECT_EQ(fe.calls.back().text, L"Two lines ");
}

}  // namespace
