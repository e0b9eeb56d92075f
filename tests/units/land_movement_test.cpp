// Land units: new-turn action points, effectiveness, the move-range flood
// and move orders run headless.
#include <gtest/gtest.h>

#include "core/random.h"
#include "core/settings.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/hex_map.h"

namespace {

using unit_test::GameFixture;
using unit_test::PlaceLand;
using world_test::LogCapture;

// Country 1 moves, country 2 is its enemy; every plain hex costs 10.
class LandMovement : public ::testing::Test {
 protected:
  LandMovement() : g(7, 7, 3) {
    own = g.game->countries[0];
    g.SetWar(1, 2);
    for (cPanstwo* c : g.game->countries) {
      for (int t = 0; t < 8; ++t) c->consts.c015[t] = 10;
      c->consts.c015[kTerrainForest - 1] = 20;
      c->consts.c132[0] = 1;
      c->consts.c132[1] = 3;
      c->consts.c132[2] = 7;
    }
  }

  cJednostkaLadowa* Unit(int country, int x, int y, int type, int ap) {
    cJednostkaLadowa* u = PlaceLand(g, country, x, y);
    u->SetType(type);
    u->actionPoints = ap;
    u->startingActionPoints = ap;
    return u;
  }

  static const sHexEntry* Entry(const cJednostka* u, int x, int y) {
    for (const sHexEntry& e : u->moveList)
      if (e.x == x && e.y == y) return &e;
    return nullptr;
  }
  static int Cost(const cJednostka* u, int x, int y) {
    const sHexEntry* e = Entry(u, x, y);
    return e != nullptr ? e->cost : -1;
  }

  GameFixture g;
  cPanstwo* own;
};

// Two paths of equal cost lead to (3, 4): the one that starts downwards is
// met first, because the flood tries down before the right-hand sides. A
// river on the way costs nothing extra. An unseen enemy on the left is open
// to the player's flood only.
TEST_F(LandMovement, FloodOrderDecidesBetweenEqualPaths) {
  g.hex(2, 2).rivers = 1u << 3;
  Unit(2, 0, 3, 0, 0);
  cJednostkaLadowa* u = Unit(1, 2, 2, 0, 20);
  u->MarkAttackTargets(false);
  EXPECT_EQ(Cost(u, 0, 3), 20);
  EXPECT_EQ(Entry(u, 3, 4)->direction, 5);
  EXPECT_GT(u->MarkAttackTargets(true), 0);
  EXPECT_EQ(Entry(u, 0, 3), nullptr);
  const sHexEntry* e = Entry(u, 3, 4);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->cost, 20);
  EXPECT_EQ(e->direction, 5);  // back to (2, 3), not to (3, 3)
  EXPECT_EQ(Entry(u, 2, 3)->cost, 10);
  // Right-upper comes before right-lower: (4, 2) is reached through (3, 2).
  EXPECT_EQ(Entry(u, 4, 2)->direction, 5);

  g.game->selection.FindLandPath(u, 3, 4);
  ASSERT_EQ(g.game->selection.steps.size(), 2u);
  EXPECT_EQ(g.game->selection.steps.front().x, 2);
  EXPECT_EQ(g.game->selection.steps.front().y, 3);
  EXPECT_EQ(g.game->selection.steps.front().cost, 10);
  EXPECT_EQ(g.game->selection.steps.back().cost, 10);
}

TEST_F(LandMovement, RangeStaysWithinPointsTerrainAndWeather) {
  cJednostkaLadowa* u = Unit(1, 3, 3, 0, 20);
  g.hex(3, 2).terrain = kTerrainForest;
  g.hex(3, 4).weather = kWeatherMud;
  own->mudMove = 50.0f;
  own->consts.c141 = 100.0f;  // mud adds half: 10 -> 15
  g.hex(4, 3).weather = kWeatherWinter;
  own->winterMove = 100.0f;
  own->consts.c139 = 150.0f;  // winter: 10 -> 25, past the points left after the first step
  u->MarkAttackTargets(true);
  EXPECT_EQ(Cost(u, 3, 2), 20);
  EXPECT_EQ(Cost(u, 3, 4), 15);
  // Dearer than the points left after any first step, but a fresh unit may
  // always step next door, for all its points.
  EXPECT_EQ(Cost(u, 4, 3), 20);
  EXPECT_EQ(Cost(u, 3, 0), -1);  // three steps away
  for (const sHexEntry& e : u->moveList) {
    EXPECT_GT(e.cost, 0);
    EXPECT_LE(e.cost, 20);
    EXPECT_EQ(e.unit, u);
  }
  EXPECT_EQ(Entry(u, 3, 3), nullptr);  // never its own hex
}

// Leaving one zone-of-control hex for another costs the surcharge of the
// unit's arm; entering one from a free hex costs none.
TEST_F(LandMovement, ZoneOfControlSurchargeByLandType) {
  cJednostkaLadowa* enemy = Unit(2, 2, 2, 0, 0);
  enemy->spottedLevel = 6;
  const struct {
    int type;
    int cost;
  } cases[] = {{0, 11}, {1, 11}, {2, 13}, {3, 13}, {4, 17}, {5, 17}, {6, 11}};
  for (const auto& c : cases) {
    cJednostkaLadowa* u = Unit(1, 1, 2, c.type, 30);
    u->MarkAttackTargets(true);
    EXPECT_EQ(Cost(u, 2, 1), c.cost) << "type " << c.type;
    EXPECT_EQ(Entry(u, 2, 2), nullptr);
    g.hex(1, 2).unit = nullptr;
    g.game->landUnits.remove(u);
    delete u;
  }
  cJednostkaLadowa* free = Unit(1, 0, 2, 4, 30);
  free->MarkAttackTargets(true);
  EXPECT_EQ(Cost(free, 1, 2), 10);
}

// An unseen enemy blocks its hex for the computer's range only; its zone of
// control holds for both.
TEST_F(LandMovement, UnseenEnemyIsOpenToTheHumanOnly) {
  Unit(2, 2, 2, 0, 0)->spottedLevel = 0;
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 30);
  u->MarkAttackTargets(true);
  EXPECT_EQ(Entry(u, 2, 2), nullptr);
  EXPECT_EQ(Cost(u, 2, 1), 11);

  u->MarkAttackTargets(false);
  EXPECT_EQ(Cost(u, 2, 2), 10);
  EXPECT_EQ(Cost(u, 2, 1), 11);
  // The player's map shows the points left on free hexes, not on the enemy's.
  EXPECT_NE(g.hex(2, 1).marks, 0u);
  EXPECT_EQ(g.hex(2, 1).markValue, 19);
  // An unseen enemy's hex looks free to the player.
  EXPECT_NE(g.hex(2, 2).marks, 0u);
  EXPECT_EQ(g.hex(1, 2).marks, 0u);
}

// A neutral country's hexes are closed; nobody's hexes (controller 0) are
// open, as are an ally's and an enemy's.
TEST_F(LandMovement, NeutralHexesClosedUncontrolledOpen) {
  cJednostkaLadowa* u = Unit(1, 3, 3, 0, 10);
  g.hex(3, 2).controller = 3;  // at peace, not allied
  g.hex(3, 4).controller = 0;
  g.hex(4, 3).controller = 2;
  u->MarkAttackTargets(true);
  EXPECT_EQ(Entry(u, 3, 2), nullptr);
  EXPECT_EQ(Cost(u, 3, 4), 10);
  EXPECT_EQ(Cost(u, 4, 3), 10);
  g.game->countries[0]->alliance = kAllianceAxis;
  g.game->countries[2]->alliance = kAllianceAxis;
  u->MarkAttackTargets(true);
  EXPECT_EQ(Cost(u, 3, 2), 10);
}

TEST_F(LandMovement, ZeroAndExpensiveSteps) {
  // No points from the start of the turn: every free enterable neighbour at
  // cost 0; sea is never one.
  cJednostkaLadowa* u = Unit(1, 3, 3, 0, 0);
  g.hex(3, 2).terrain = kTerrainSea;
  Unit(1, 3, 4, 0, 0);
  EXPECT_EQ(u->MarkAttackTargets(true), 4);
  EXPECT_EQ(Cost(u, 2, 3), 0);
  EXPECT_EQ(Entry(u, 3, 2), nullptr);
  EXPECT_EQ(Entry(u, 3, 4), nullptr);
  // Spent points, a fresh deployment or freezing leave nothing.
  u->startingActionPoints = 4;
  EXPECT_EQ(u->MarkAttackTargets(true), 0);
  u->startingActionPoints = 0;
  u->deployedThisTurn = 1;
  EXPECT_EQ(u->MarkAttackTargets(true), 0);

  // Full points below a neighbour's cost still reach every neighbour, at all
  // the points.
  cJednostkaLadowa* slow = Unit(1, 0, 0, 4, 5);
  EXPECT_EQ(slow->MarkAttackTargets(true), 3);
  EXPECT_EQ(Cost(slow, 1, 1), 5);
  slow->actionPoints = 4;
  EXPECT_EQ(slow->MarkAttackTargets(true), 0);
}

// Points far beyond the map's size reach every hex of it, no more.
TEST_F(LandMovement, HugePointsReachTheWholeMap) {
  cJednostkaLadowa* u = Unit(1, 6, 6, 0, 50000000);
  EXPECT_EQ(u->MarkAttackTargets(true), 7 * 7 - 1);
  EXPECT_EQ(Cost(u, 0, 0), 10 * HexDistance(6, 6, 0, 0));
}

class ActionPoints : public LandMovement {
 protected:
  ActionPoints() {
    own->techLevels[2] = 1;
    for (int t = 0; t < 7; ++t) own->consts.actionPointTable[1][t] = 7;
    own->consts.supplyTable[sConsts::kActionPointPenaltyTable][3] = 30;
    own->consts.supplyTable[sConsts::kActionPointPenaltyTable][0] = 100;
    own->consts.c137 = 4;
  }
};

TEST_F(ActionPoints, SupplyPenaltyAndTurnsWithoutSupply) {
  const struct {
    int type, supply, turnsWithout, expected;
  } cases[] = {
      {2, 3, 0, 4},  // 70 x 7 / 100
      {2, 3, 1, 3},  // (1 - 1/4) x 4
      {2, 3, 2, 2},
      {2, 3, 4, 0},  // exhausted
      {2, 3, 6, 0},  // past the limit: never negative
      {1, 3, 4, 1},  // infantry keeps one point
      {6, 0, 0, 1},  // no supply at all; airborne keeps one
      {2, 0, 0, 0},
      {4, 7, 0, 7},  // no penalty at that level
  };
  for (const auto& c : cases) {
    cJednostkaLadowa* u = Unit(1, 0, 0, c.type, 0);
    u->supply = c.supply;
    u->turnsWithoutSupply = c.turnsWithout;
    u->deployedThisTurn = 1;
    EXPECT_EQ(u->ResetActionPoints(), c.expected) << c.type << "/" << c.supply << "/" << c.turnsWithout;
    EXPECT_EQ(u->actionPoints, c.expected);
    EXPECT_EQ(u->startingActionPoints, c.expected);
    EXPECT_EQ(u->deployedThisTurn, 0);
    g.hex(0, 0).unit = nullptr;
    g.game->landUnits.remove(u);
    delete u;
  }
}

TEST_F(ActionPoints, FrozenUnitsGetNothingUntilUnfrozen) {
  cJednostkaLadowa* u = Unit(1, 0, 0, 2, 5);
  u->supply = 3;
  u->turnsWithoutSupply = 0;
  u->freezeTime = 2;
  EXPECT_EQ(u->ResetActionPoints(), 0);
  EXPECT_EQ(u->startingActionPoints, 5);  // left as it was
  u->Unfreeze();
  EXPECT_EQ(u->freezeTime, 0);
  EXPECT_EQ(u->actionPoints, 4);
}

TEST_F(ActionPoints, SupplyLimitOfZeroExhaustsAtOnce) {
  own->consts.c137 = 0;
  cJednostkaLadowa* u = Unit(1, 0, 0, 2, 0);
  u->supply = 3;
  u->turnsWithoutSupply = 1;
  EXPECT_EQ(u->ResetActionPoints(), 0);
  u->UpdateEffectiveness();
  EXPECT_EQ(u->effectiveness, 1);
}

TEST_F(LandMovement, EffectivenessWorkedExample) {
  own->techLevels[2] = 2;
  own->consts.c018 = 10;
  own->consts.c137 = 4;
  own->consts.supplyTable[sConsts::kEffectivenessTable][5] = 90;
  cJednostkaLadowa* u = Unit(1, 0, 0, 0, 0);
  u->supply = 5;
  u->eventsEffect = 10;
  u->turnsWithoutSupply = 0;
  u->shoreBombardmentEffect = 0.5f;
  u->UpdateEffectiveness();
  // 1.2 x 0.9 x 1.1 = 1.188 -> 118, less half a point -> 117.
  EXPECT_EQ(u->effectiveness, 117);
  u->turnsWithoutSupply = 2;
  u->UpdateEffectiveness();
  EXPECT_EQ(u->effectiveness, 58);
  u->shoreBombardmentEffect = 500.0f;
  u->UpdateEffectiveness();
  EXPECT_EQ(u->effectiveness, 1);
}

// The computer's move order, run by the quiet front end to its end.
class MoveOrder : public LandMovement {
 protected:
  MoveOrder() {
    for (int x = 0; x < 7; ++x) {
      for (int y = 0; y < 7; ++y) {
        const int holder = x < 2 ? 1 : 2;
        g.hex(x, y).controller = static_cast<uint8_t>(holder);
        g.hex(x, y).owner = static_cast<uint8_t>(holder);
      }
    }
    g.game->state = kStateComputerPlays;
    delayValues[DELAY_AI_MOVE_AFTER] = 300.0f;
  }
  ~MoveOrder() override { delayValues[DELAY_AI_MOVE_AFTER] = savedDelay_; }

 private:
  float savedDelay_ = delayValues[DELAY_AI_MOVE_AFTER];
};

TEST_F(MoveOrder, HeadlessMoveCapturesAlongTheWay) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  unit_test::AddCity(g, 4, 1, kCityRegular, 2);
  cJednostkaLadowa* guard = Unit(2, 4, 0, 0, 0);
  guard->spottedLevel = 6;
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 30);
  u->spottedLevel = 6;
  u->MarkAttackTargets(true);
  ASSERT_TRUE(u->GiveMoveOrder(3, 2));

  EXPECT_EQ(u->x, 3);
  EXPECT_EQ(u->y, 2);
  EXPECT_EQ(u->actionPoints, 10);
  EXPECT_EQ(g.hex(3, 2).unit, u);
  EXPECT_EQ(g.hex(1, 2).unit, nullptr);
  EXPECT_EQ(g.game->GetState(), kStateComputerPlays);
  EXPECT_EQ(g.game->selection.movingUnit, nullptr);
  EXPECT_EQ(g.game->selection.lastMoveEndX, 3);
  EXPECT_EQ(fe.Count("AnimateMove"), 1);
  ASSERT_FALSE(fe.calls.empty());
  EXPECT_EQ(fe.calls.back().name, "Delay");
  EXPECT_EQ(fe.calls.back().value, 300);

  // Entered hexes and the empty enemy hexes beside them change hands; the
  // city and the hexes the enemy unit guards do not.
  for (auto [x, y] : {std::pair{2, 1}, {3, 2}, {2, 0}, {2, 2}, {3, 3}, {4, 2}})
    EXPECT_EQ(g.hex(x, y).controller, 1) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 1}, {3, 1}, {2, 3}, {4, 3}})
    EXPECT_EQ(g.hex(x, y).controller, 2) << x << "," << y;
  // Owners never change by capture; every change is there for an undo.
  EXPECT_EQ(g.hex(3, 2).owner, 2);
  EXPECT_EQ(g.game->selection.capturedHexes.size(), 6u);
  EXPECT_EQ(g.game->selection.capturedHexes.front().x, 2);
  EXPECT_EQ(g.game->selection.capturedHexes.front().y, 1);
  EXPECT_EQ(g.game->selection.capturedHexes.front().previousController, 2);
  EXPECT_EQ(g.game->selection.undoUnit, u);
  EXPECT_EQ(g.game->selection.undoX, 1);
  EXPECT_EQ(g.game->selection.undoActionPoints, 30);
}

// A move ordered while the game is being ended must not take the end state
// back: the worker would wait for a main thread that never walks the unit.
TEST_F(MoveOrder, AMoveOrderedAsTheGameEndsKeepsTheEndStateAndEndsWhole) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  g.game->state = kStateEnding;
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 30);
  u->MarkAttackTargets(true);
  ASSERT_TRUE(u->GiveMoveOrder(3, 2));
  EXPECT_EQ(g.game->GetState(), kStateEnding);
  EXPECT_EQ(fe.Count("AnimateMove"), 0);
  EXPECT_EQ((std::pair{u->x, u->y}), (std::pair{3, 2}));
  EXPECT_EQ(g.hex(3, 2).unit, u);
  EXPECT_EQ(g.game->selection.movingUnit, nullptr);
}

TEST_F(MoveOrder, TargetsOutOfRangeOrTaken) {
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 10);
  LogCapture log;
  EXPECT_FALSE(u->GiveMoveOrder(1, 2));
  EXPECT_TRUE(log.HasPrefix(L"Jednostka dosta"));
  // Beyond the range: the free hex nearest the target.
  u->MarkAttackTargets(true);
  ASSERT_TRUE(u->GiveMoveOrder(5, 2));
  EXPECT_EQ(HexDistance(u->x, u->y, 5, 2), 3);
  EXPECT_EQ(u->actionPoints, 0);
  // No entry comes nearer than the unit stands.
  u->MarkAttackTargets(true);
  EXPECT_FALSE(u->GiveMoveOrder(6, 6));
}

TEST_F(MoveOrder, StepIntoAnEnemyEndsTheMove) {
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 30);
  u->MarkAttackTargets(true);
  g.game->selection.FindLandPath(u, 3, 2);
  g.hex(1, 2).unit = nullptr;
  Unit(2, 2, 1, 0, 0);  // appears on the way
  EXPECT_FALSE(g.game->selection.AdvanceMovingUnit());
  EXPECT_EQ(u->x, 1);
  EXPECT_EQ(u->actionPoints, 30);
  EXPECT_EQ(g.hex(1, 2).unit, u);
}

TEST_F(MoveOrder, StrongerAllyLeftBehindTakesTheHex) {
  cPanstwo* ally = g.game->countries[2];
  own->alliance = ally->alliance = kAllianceAllies;
  g.SetWar(3, 2);
  ally->politicalStrength = 50;
  own->politicalStrength = 10;
  own->consts.allyHexStrengthMargin = 20;
  g.hex(1, 2).controller = 3;
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 10);
  u->MarkAttackTargets(true);
  g.game->selection.FindLandPath(u, 2, 2);
  g.hex(1, 2).unit = nullptr;
  EXPECT_FALSE(g.game->selection.AdvanceMovingUnit());
  EXPECT_EQ(g.hex(2, 2).controller, 3);
  // The ally took the empty hexes around it too.
  EXPECT_EQ(g.hex(3, 3).controller, 3);
  // Strong enough, the unit's own country takes an enemy hex.
  g.hex(3, 3).controller = 2;
  own->politicalStrength = 70;
  u->actionPoints = 10;
  u->MarkAttackTargets(true);
  g.game->selection.FindLandPath(u, 3, 3);
  g.hex(2, 2).unit = nullptr;
  EXPECT_FALSE(g.game->selection.AdvanceMovingUnit());
  EXPECT_EQ(g.hex(3, 3).controller, 1);
}

TEST_F(MoveOrder, LeavingNobodysHexTheUnitsCountryTakes) {
  g.hex(1, 2).controller = 0;
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 10);
  u->MarkAttackTargets(true);
  g.game->selection.FindLandPath(u, 2, 2);
  g.hex(1, 2).unit = nullptr;
  EXPECT_FALSE(g.game->selection.AdvanceMovingUnit());
  EXPECT_EQ(g.hex(2, 2).controller, 1);
  // Nobody's hex entered stays nobody's.
  g.hex(3, 3).controller = 0;
  u->actionPoints = 10;
  u->MarkAttackTargets(true);
  g.game->selection.FindLandPath(u, 3, 3);
  g.hex(2, 2).unit = nullptr;
  EXPECT_FALSE(g.game->selection.AdvanceMovingUnit());
  EXPECT_EQ(g.hex(3, 3).controller, 0);
}

TEST_F(MoveOrder, ComputerPicksAndWalks) {
  cJednostkaLadowa* u = Unit(1, 1, 2, 0, 20);
  // The cheapest free hex: the first of cost 10 in row order.
  ASSERT_TRUE(u->PickNearestFreeHex());
  EXPECT_EQ(u->actionPoints, 10);
  EXPECT_EQ(HexDistance(1, 2, u->x, u->y), 1);

  cJednostkaLadowa* w = Unit(1, 0, 5, 0, 20);
  w->aiUltimateTargetX = 2;
  w->aiUltimateTargetY = 5;
  EXPECT_TRUE(w->MoveToTargetHex());
  EXPECT_EQ(w->x, 2);
  EXPECT_EQ(w->y, 5);
  w->aiUltimateTargetX = -1;
  EXPECT_FALSE(w->MoveToTargetHex());

  cJednostkaLadowa* t = Unit(1, 0, 0, 0, 30);
  t->MoveTowardsHex(6, 0);
  EXPECT_EQ(t->x, 2);  // two steps: the last 10 points are kept
  EXPECT_EQ(t->actionPoints, 10);
}

TEST_F(MoveOrder, FreeHexAwayFromSkipsNeighboursAndTakenHexes) {
  cJednostkaLadowa* u = Unit(1, 3, 3, 0, 10);
  int32_t taken[12];
  for (int32_t& v : taken) v = -1;
  sHexEntry out;
  // Away from (3, 1): (3, 2) and its neighbours on the range are left out.
  ASSERT_TRUE(u->FindFreeHexAwayFrom(3, 1, taken, out, 0));
  EXPECT_GT(HexDistance(out.x, out.y, 3, 1), 1);
  EXPECT_EQ(taken[0], out.x);
  EXPECT_EQ(taken[1], out.y);
  sHexEntry second;
  ASSERT_TRUE(u->FindFreeHexAwayFrom(3, 1, taken, second, 1));
  EXPECT_FALSE(second.x == out.x && second.y == out.y);
}

TEST_F(MoveOrder, RetreatHexNeedsAFreeNotNeutralNeighbour) {
  cJednostkaLadowa* u = Unit(1, 3, 3, 0, 10);
  EXPECT_TRUE(u->HasRetreatHex());
  for (int d = 0; d < 6; ++d) g.map().GetNeighbourHex(3, 3, d)->controller = d == 0 ? 0 : 3;
  EXPECT_FALSE(u->HasRetreatHex());  // nobody's hex is no retreat
  g.map().GetNeighbourHex(3, 3, 4)->controller = 2;
  EXPECT_TRUE(u->HasRetreatHex());
  EXPECT_TRUE(Unit(1, 0, 0, 3, 0)->IsLargeUnit());
  EXPECT_FALSE(Unit(1, 0, 1, 6, 0)->IsLargeUnit());
}

TEST_F(MoveOrder, StrategicMovePaysTheOwner) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  own->consts.c068[2] = 3;
  own->strategicMovementPoints = 10;
  cJednostkaLadowa* u = Unit(1, 0, 0, 2, 5);
  u->spottedLevel = 6;
  u->MoveStrategically(0, 6);
  EXPECT_EQ(g.hex(0, 0).unit, nullptr);
  EXPECT_EQ(g.hex(0, 6).unit, u);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_EQ(own->strategicMovementPoints, 7);
  EXPECT_EQ(fe.Count("PlaySound"), 1);
}

}  // namespace
