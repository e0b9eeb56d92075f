// Alliances and wars: joining with inherited wars, declarations on an
// alliance, coups and the declare-war table.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/world_test_support.h"

namespace {

using world_test::GameFixture;
using world_test::LogCapture;

class Alliances : public ::testing::Test {
 protected:
  // 1 leads the allies, 2 is a member, 3 is about to join; 4 and 5 are
  // neutral, 6 leads the axis, 7 is an axis member.
  Alliances() : g(4, 4, 0) {
    unit_test::LoadShippedStrings();
    for (int a : {4, 1, 0, 0, 0, 5, 2}) {
      cPanstwo* c = g.AddCountry(a);
      c->name = L"C" + std::to_wstring(c->id);
    }
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  bool War(int a, int b) { return g.game->relations.IsAtWar(a, b) != 0; }

  GameFixture g;
};

TEST_F(Alliances, JoiningSpreadsTheJoinersWarsToMembersAndTheLeadersWarsToTheJoiner) {
  g.SetWar(3, 4);  // the joiner's own war
  g.SetWar(3, 2);  // ... also with a member of the alliance it joins
  g.SetWar(1, 5);  // the leader's war
  LogCapture log;
  C(3).JoinAlliance(1);

  EXPECT_EQ(C(3).alliance, 1);
  EXPECT_EQ(C(3).allianceEntry, 100);
  EXPECT_TRUE(log.Has(L"C3 is joining alliance 1"));
  // Every member now fights whom the joiner fought, in both directions.
  for (int m : {1, 2}) {
    EXPECT_TRUE(War(m, 4)) << m;
    EXPECT_TRUE(War(4, m)) << m;
  }
  // The war with member 2 reaches the other member, the leader.
  EXPECT_TRUE(War(1, 2));
  EXPECT_TRUE(War(2, 1));
  // The joiner fights whom its leader fought.
  EXPECT_TRUE(War(3, 5));
  EXPECT_TRUE(War(5, 3));
  // Nobody else is drawn in.
  for (int c : {6, 7})
    for (int other = 1; other <= 7; ++other) EXPECT_FALSE(War(c, other)) << c << "-" << other;
  EXPECT_FALSE(War(2, 5));
  EXPECT_TRUE(log.Has(L"own war C3-C4 causes war C1-C4"));
  EXPECT_TRUE(log.Has(L"own war C3-C2 causes war C1-C2"));
  EXPECT_TRUE(log.Has(L"leader's war C1-C5 causes war C3-C5"));
  // Member 2 is never set at war with itself: only one line names C2 twice.
  EXPECT_EQ(log.CountContaining(L"causes war C2-C2"), 0);
}

TEST_F(Alliances, JoiningAnAllianceWithoutALeaderEndsTheProgram) {
  EXPECT_EXIT((LogToStderr(), C(4).JoinAlliance(3)), ::testing::ExitedWithCode(1),
              "Cannot find leader for alliance 6 while trying to add C4 to that alliance");
}

TEST_F(Alliances, DeclaringWarReachesMembersAndLeaderOfTheAlliance) {
  struct sCase {
    int alliance;
    std::vector<int> enemies;
  };
  // Country 4 declares on an alliance given by a member's or the leader's code.
  for (const sCase& c : {sCase{1, {1, 2}}, sCase{4, {1, 2}}, sCase{2, {6, 7}}, sCase{5, {6, 7}}, sCase{3, {}}}) {
    g.game->relations.Resize(7);
    LogCapture log;
    C(4).DeclareWarOnAlliance(c.alliance);
    for (int other = 1; other <= 7; ++other) {
      const bool expected = std::find(c.enemies.begin(), c.enemies.end(), other) != c.enemies.end();
      EXPECT_EQ(War(4, other), expected) << c.alliance << " " << other;
      EXPECT_EQ(War(other, 4), expected) << c.alliance << " " << other;
    }
    EXPECT_EQ(log.CountContaining(L" - "), 2 * static_cast<int>(c.enemies.size()));
  }
  // A member declaring on its own alliance does not go to war with itself.
  g.game->relations.Resize(7);
  C(2).DeclareWarOnAlliance(1);
  EXPECT_TRUE(War(2, 1));
  EXPECT_FALSE(War(2, 3));
}

TEST_F(Alliances, ACoupMovesTheOrientationTowardsTheStager) {
  struct sCase {
    int stager, own, after;
  };
  const sCase cases[] = {
      {3, 3, 3},  // pro-allied stays pro-allied
      {3, 0, 3},  // a firm democracy turns pro-allied
      {0, 1, 4}, {0, 3, 0}, {1, 4, 1}, {2, 5, 2}, {5, 4, 5}, {4, 0, 3},
      {2, 2, 2},   // "=": unchanged
      {6, 1, 1},   // unknown stager orientation
      {1, -1, -1}, // unknown own orientation
      {1, 7, 7},
  };
  for (const sCase& c : cases) {
    C(1).orientation = c.stager;
    C(2).orientation = c.own;
    C(2).ShiftOrientationAfterCoup(&C(1));
    EXPECT_EQ(C(2).orientation, c.after) << c.stager << " against " << c.own;
  }
  C(2).orientation = 1;
  C(2).ShiftOrientationAfterCoup(nullptr);
  EXPECT_EQ(C(2).orientation, 1);
}

TEST_F(Alliances, DeclareWarTablePositionByAllianceAndOrientation) {
  struct sCase {
    int alliance, orientation, row, column;
  };
  const sCase cases[] = {
      {6, 9, 0, 0}, {5, 9, 1, 1}, {4, 9, 2, 2},  // leaders: orientation never read
      {3, 2, 3, 3}, {3, 5, 3, 3}, {2, 1, 4, 4}, {2, 4, 4, 4}, {1, 0, 5, 5}, {1, 3, 5, 5},
      {0, 2, 6, 3}, {0, 5, 6, 3}, {0, 1, 7, 4}, {0, 4, 7, 4}, {0, 0, 8, 5}, {0, 3, 8, 5},
  };
  for (const sCase& c : cases) {
    C(4).alliance = c.alliance;
    C(4).orientation = c.orientation;
    EXPECT_EQ(C(4).GetDeclareWarTableRow(), c.row) << c.alliance << "/" << c.orientation;
    EXPECT_EQ(C(4).GetDeclareWarTableColumn(), c.column) << c.alliance << "/" << c.orientation;
  }
}

TEST_F(Alliances, AnUnknownAllianceOrOrientationInTheTableIsAFatalDataError) {
  C(4).alliance = 9;
  C(4).orientation = 0;
  // Exit code 1 like every data error, with the alliance named.
  EXPECT_EXIT((LogToStderr(), C(4).GetDeclareWarTableRow()), ::testing::ExitedWithCode(1),
              "unknown alliance \\(C4: alliance 9\\)");
  C(4).alliance = 0;
  C(4).orientation = 6;
  EXPECT_EXIT((LogToStderr(), C(4).GetDeclareWarTableRow()), ::testing::ExitedWithCode(1),
              "Error in returning row for declare war table: unknown orientation");
  C(4).alliance = 2;
  EXPECT_EXIT((LogToStderr(), C(4).GetDeclareWarTableColumn()), ::testing::ExitedWithCode(1),
              "Error in returning column for declare war table: unknown orientation");
}

}  // namespace
