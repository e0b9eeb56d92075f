// The land path read back from the move range, the move walked step by step
// with control taken hex by hex, and the undo of the last move.
#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/selection.h"

namespace {

using unit_test::GameFixture;
using unit_test::PlaceLand;
using world_test::LogCapture;

// Country 1 moves through country 2's land; 3 is 1's ally. The unit stands
// on (2, 3), its own hex; its move list leads (2,3) -> (3,4) -> (4,4) ->
// (4,5) at cumulative costs 10, 30, 35, with two side entries.
class LandPath : public ::testing::Test {
 protected:
  LandPath() : g(9, 8, 3) {
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    g.game->countries[0]->alliance = g.game->countries[2]->alliance = kAllianceAllies;
    g.game->countries[1]->alliance = kAllianceAxis;
    for (sHex& h : g.map().hexes) h.controller = h.owner = 2;
    g.hex(2, 3).controller = g.hex(2, 3).owner = 1;
    unit = PlaceLand(g, 1, 2, 3);
    unit->actionPoints = unit->startingActionPoints = 40;
    unit->moveList = {Entry(3, 4, 5, 10), Entry(2, 4, 0, 10), Entry(4, 4, 5, 30), Entry(4, 5, 0, 35),
                      Entry(5, 5, 5, 40)};
    // The unit leaves its hex when the move starts, as a move order does.
    g.hex(2, 3).unit = nullptr;
  }
  sHexEntry Entry(int x, int y, int direction, int cost) { return {unit, x, y, direction, cost}; }
  std::vector<sMoveStep> Steps() const { return {sel().steps.begin(), sel().steps.end()}; }
  cSelection& sel() const { return g.game->selection; }
  std::vector<int> Controllers() const {
    std::vector<int> v;
    for (const sHex& h : g.game->map->hexes) v.push_back(h.controller);
    return v;
  }

  GameFixture g;
  cJednostkaLadowa* unit;
};

TEST_F(LandPath, StepCostsAreDifferencesOfCumulativeCosts) {
  LogCapture log;
  sel().FindLandPath(unit, 4, 5);
  const std::vector<sMoveStep> steps = Steps();
  ASSERT_EQ(steps.size(), 3u);
  const int expected[3][3] = {{3, 4, 10}, {4, 4, 20}, {4, 5, 5}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(steps[i].x, expected[i][0]);
    EXPECT_EQ(steps[i].y, expected[i][1]);
    EXPECT_EQ(steps[i].cost, expected[i][2]);
  }
  // Written from the target back.
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Adding hex (4,5) to path (cost 5)",
                                                  L"Adding hex (4,4) to path (cost 20)",
                                                  L"Adding hex (3,4) to path (cost 10)"}));
  EXPECT_EQ(sel().movingUnit, unit);
  EXPECT_EQ(sel().takingCountry, 1u);
  EXPECT_EQ(sel().undoUnit, unit);
  EXPECT_EQ(sel().undoActionPoints, 40);
  EXPECT_EQ(sel().undoX, 2);
  EXPECT_EQ(sel().undoY, 3);
  EXPECT_TRUE(sel().capturedHexes.empty());
}

// Each step pays its cost and hands the entered hex to the mover; the hex of
// the moving unit points to it only when the last step is done.
TEST_F(LandPath, WalkTakesControlHexByHex) {
  g.hex(7, 7).controller = 0;  // nobody's land far away stays nobody's
  unit->contactFlag = 1;
  sel().FindLandPath(unit, 4, 5);
  EXPECT_EQ(unit->contactFlag, 0);
  const struct {
    int x, y, ap;
    bool more;
  } walk[] = {{3, 4, 30, true}, {4, 4, 10, true}, {4, 5, 5, false}};
  for (const auto& w : walk) {
    EXPECT_EQ(sel().AdvanceMovingUnit(), w.more);
    EXPECT_EQ(unit->x, w.x);
    EXPECT_EQ(unit->y, w.y);
    EXPECT_EQ(unit->actionPoints, w.ap);
    EXPECT_EQ(g.hex(w.x, w.y).controller, 1);
    EXPECT_EQ(g.hex(w.x, w.y).owner, 2);
    EXPECT_EQ(g.hex(w.x, w.y).unit, w.more ? nullptr : unit);
    if (w.more) {
      EXPECT_EQ(sel().movingUnit, unit);
    }
  }
  EXPECT_EQ(sel().movingUnit, nullptr);
  EXPECT_EQ(sel().takingCountry, 0u);
  EXPECT_EQ(sel().lastMoveEndX, 4);
  EXPECT_EQ(sel().lastMoveEndY, 5);
  EXPECT_EQ(g.hex(7, 7).controller, 0);
  EXPECT_EQ(g.hex(8, 0).controller, 2);
  // Nothing queued: nothing happens.
  EXPECT_FALSE(sel().AdvanceMovingUnit());
  EXPECT_EQ(unit->actionPoints, 5);
}

TEST_F(LandPath, EnemyOnTheNextHexStopsTheWalk) {
  sel().FindLandPath(unit, 4, 5);
  PlaceLand(g, 2, 4, 4);
  EXPECT_TRUE(sel().AdvanceMovingUnit());
  EXPECT_FALSE(sel().AdvanceMovingUnit());
  EXPECT_EQ(unit->x, 3);
  EXPECT_EQ(unit->y, 4);
  EXPECT_EQ(unit->actionPoints, 30);
  EXPECT_EQ(g.hex(3, 4).unit, unit);
  EXPECT_TRUE(sel().steps.empty());
  EXPECT_EQ(g.hex(4, 5).controller, 2);
  // A unit of a country at peace does not stop it (a move onto it is the
  // caller's to refuse).
  g.hex(4, 4).unit->countryId = 3;
  g.hex(3, 4).unit = nullptr;
  unit->moveList = {Entry(4, 4, 5, 20)};
  sel().FindLandPath(unit, 4, 4);
  EXPECT_FALSE(sel().AdvanceMovingUnit());
  EXPECT_EQ(unit->x, 4);
  EXPECT_EQ(unit->actionPoints, 10);
}

TEST_F(LandPath, AdjacentTargets) {
  // In the list: its own cost; the start hex and the unit's first action
  // points are what undo needs.
  sel().FindLandPath(unit, 2, 4);
  ASSERT_EQ(sel().steps.size(), 1u);
  EXPECT_EQ(sel().steps.front().cost, 10);
  EXPECT_EQ(unit->deployedThisTurn, 0);
  // Missing from the list: all the unit's points.
  sel().FindLandPath(unit, 1, 3);
  ASSERT_EQ(sel().steps.size(), 1u);
  EXPECT_EQ(sel().steps.front().x, 1);
  EXPECT_EQ(sel().steps.front().cost, 40);
  // A unit that started the turn without points counts as deployed.
  unit->startingActionPoints = 0;
  sel().FindLandPath(unit, 1, 3);
  EXPECT_EQ(unit->deployedThisTurn, 1);
}

// A target whose back directions lead off the list (a caller's error) gives
// the steps found so far, never a walk off the grid.
TEST_F(LandPath, BrokenListEndsTheReadBack) {
  unit->moveList = {Entry(4, 4, 5, 30), Entry(4, 5, 0, 35)};
  sel().FindLandPath(unit, 4, 5);
  ASSERT_EQ(sel().steps.size(), 1u);
  EXPECT_EQ(sel().steps.front().cost, 5);
  unit->moveList = {Entry(4, 5, 0, 35), Entry(4, 4, 3, 30)};  // a loop
  sel().FindLandPath(unit, 4, 5);
  EXPECT_LE(sel().steps.size(), 81u);
  sel().FindLandPath(unit, 8, 7);  // not in the list at all
  EXPECT_TRUE(sel().steps.empty());
}

TEST_F(LandPath, MoveSoundOfAVisibleUnitByType) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  const struct {
    int type;
    int spotted;
    const wchar_t* sound;
  } cases[] = {{0, 5, L"data\\sound\\InfantryMarching.wav"}, {1, 6, L"data\\sound\\InfantryMarching.wav"},
               {2, 6, L"data\\sound\\TruckDriving.wav"},     {3, 6, L"data\\sound\\TruckDriving.wav"},
               {4, 6, L"data\\sound\\TankRolling.wav"},      {5, 5, L"data\\sound\\TankRolling.wav"},
               {6, 6, nullptr},                              {0, 4, nullptr},
               {4, 0, nullptr}};
  for (const auto& c : cases) {
    fe.calls.clear();
    unit->SetType(c.type);
    unit->spottedLevel = c.spotted;
    sel().FindLandPath(unit, 4, 5);
    if (c.sound == nullptr) {
      EXPECT_EQ(fe.Count("PlaySound"), 0) << c.type << " " << c.spotted;
    } else {
      ASSERT_EQ(fe.Count("PlaySound"), 1) << c.type;
      EXPECT_EQ(fe.calls.back().text, c.sound);
    }
  }
}

// Entering an occupied hex whose owner is allied to the taker gives it back
// to its owner.
TEST_F(LandPath, OccupiedAlliedHexReturnsToItsOwner) {
  g.hex(3, 4).owner = 3;
  sel().FindLandPath(unit, 3, 4);
  EXPECT_FALSE(sel().AdvanceMovingUnit());
  EXPECT_EQ(g.hex(3, 4).controller, 3);
  EXPECT_EQ(sel().capturedHexes.front().x, 3);
  EXPECT_EQ(sel().capturedHexes.front().previousController, 2);
}

class Undo : public LandPath {
 protected:
  void SetUp() override { unit_test::LoadShippedStrings(); }
  void Walk(int x, int y) {
    sel().FindLandPath(unit, x, y);
    while (sel().AdvanceMovingUnit()) {
    }
  }
};

TEST_F(Undo, RestoresTheUnitAndEveryHexExactlyAndOnlyOnce) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  g.hex(5, 4).controller = 3;  // an ally's hex beside the way stays the ally's
  g.hex(3, 5).controller = 0;  // nobody's stays nobody's
  const std::vector<int> before = Controllers();
  Walk(4, 5);
  ASSERT_GE(sel().capturedHexes.size(), 3u);
  EXPECT_NE(Controllers(), before);
  unit->deployedThisTurn = 1;
  const int changes = static_cast<int>(sel().capturedHexes.size());

  LogCapture log;
  UndoLastMove(unit);
  EXPECT_EQ(log.lines.front(), WFormat(Txt("conducting_undo_movement._hexes_to_change:%i,_start_coords(%i,%i)").c_str(),
                                       changes, 2, 3));
  EXPECT_NE(log.lines.front().find(L"start coords(2,3)"), std::wstring::npos);
  EXPECT_EQ(Controllers(), before);
  EXPECT_EQ(unit->x, 2);
  EXPECT_EQ(unit->y, 3);
  EXPECT_EQ(unit->actionPoints, 40);
  EXPECT_EQ(unit->deployedThisTurn, 0);
  EXPECT_EQ(g.hex(2, 3).unit, unit);
  EXPECT_EQ(g.hex(4, 5).unit, nullptr);
  EXPECT_EQ(sel().selectedHex, &g.hex(2, 3));
  EXPECT_EQ(sel().selectedUnit, unit);
  EXPECT_EQ(sel().mapAction, kMapActionLandMove);
  EXPECT_EQ(sel().undoUnit, nullptr);
  EXPECT_TRUE(sel().capturedHexes.empty());
  EXPECT_GE(fe.Count("RefreshUnitPanel"), 1);
  // The unit marked its range again, from the start hex.
  EXPECT_FALSE(unit->moveList.empty());

  // Only once: a second undo changes nothing.
  log.Clear();
  g.hex(8, 7).controller = 1;
  UndoLastMove(unit);
  EXPECT_EQ(log.lines, std::vector<std::wstring>{Txt("undo_impossible._no_unit_has_moved_yet!")});
  EXPECT_EQ(g.hex(8, 7).controller, 1);
  EXPECT_EQ(unit->x, 2);
}

TEST_F(Undo, OnlyTheLastMovedUnit) {
  cJednostkaLadowa* other = PlaceLand(g, 1, 7, 1);
  LogCapture log;
  UndoLastMove(unit);
  EXPECT_TRUE(log.Has(Txt("undo_impossible._no_unit_has_moved_yet!")));
  Walk(3, 4);
  UndoLastMove(other);
  EXPECT_TRUE(log.Has(Txt("undo_impossible._only_last_unit_moved_may_undo_its_movement.")));
  EXPECT_EQ(unit->x, 3);
  EXPECT_EQ(sel().undoUnit, unit);
  // A battle or another player action ends the chance.
  ClearUndoHistory();
  log.Clear();
  UndoLastMove(unit);
  EXPECT_TRUE(log.Has(Txt("undo_impossible._no_unit_has_moved_yet!")));
  EXPECT_EQ(unit->x, 3);
}

// A unit put on the start hex since (a deployment) would be pushed off the
// map: the undo is refused and nothing changes.
TEST_F(Undo, RefusedWhenTheStartHexIsTaken) {
  Walk(3, 4);
  cJednostkaLadowa* other = PlaceLand(g, 1, 2, 3);
  const std::vector<int> after = Controllers();
  LogCapture log;
  UndoLastMove(unit);
  EXPECT_TRUE(log.HasPrefix(L"WARNING: undo refused"));
  EXPECT_EQ(g.hex(2, 3).unit, other);
  EXPECT_EQ(g.hex(3, 4).unit, unit);
  EXPECT_EQ(unit->x, 3);
  EXPECT_EQ(Controllers(), after);
}

// A move undone while it is still being shown stops there.
TEST_F(Undo, DuringTheMoveStopsIt) {
  sel().FindLandPath(unit, 4, 5);
  ASSERT_TRUE(sel().AdvanceMovingUnit());
  UndoLastMove(unit);
  EXPECT_EQ(sel().movingUnit, nullptr);
  EXPECT_FALSE(sel().AdvanceMovingUnit());
  EXPECT_EQ(unit->x, 2);
  EXPECT_EQ(unit->actionPoints, 40);
  EXPECT_EQ(g.hex(3, 4).controller, 2);
}

}  // namespace
