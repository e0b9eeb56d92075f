// The computer player's diplomacy: the alliance-entry policy, the choice of
// the countries it presses and the war declarations once its units stand in
// place, on a small world of five countries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ai/ai.h"
#include "core/front_end.h"
#include "support/diplomacy_fixtures.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/game.h"

namespace {

using world_test::GameFixture;

// 1 and 2 lead the allies and the axis; 3 (the computer, leaning to the
// allies), 4 (allies too) and 5 (axis) are neutral. Dice triples have a count
// of 0, so every roll is its base.
class AiDiplomacy : public ::testing::Test {
 protected:
  AiDiplomacy() : g(4, 4, 0) {
    unit_test::LoadShippedStrings();
    diplomacy_test::AddDiplomacyCountries(
        g, {{4, 0, 1, 80}, {5, 1, 2, 60}, {0, 0, 0, 40}, {0, 3, 0, 50}, {0, 1, 0, 45}});
    CreateComputerPlayers(*g.game);
    ai().country = &C(3);
    SetFrontEnd(&fe);
  }
  ~AiDiplomacy() override { SetFrontEnd(nullptr); }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  cAI& ai() { return *g.game->computerPlayers[2]; }
  bool War(int a, int b) { return g.game->relations.IsAtWar(a, b) != 0; }
  // Units of the computer with the two target orders.
  void Units(int onTheWay, int inPlace) {
    int x = 0;
    for (int i = 0; i < onTheWay + inPlace; ++i, ++x) {
      cJednostkaLadowa* u = unit_test::PlaceLand(g, 3, x % 4, 3 - x / 4);
      u->aiOrder = i < onTheWay ? 12 : 13;
    }
    ai().BuildUnitLists();
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cLogCapture log;
};

TEST_F(AiDiplomacy, AllianceEntryPolicyChoosesDelayHastenOrNothing) {
  struct sCase {
    int policy, entry;
    bool delayed, hastened;
  };
  const sCase cases[] = {
      {0, 20, false, false},  // too low to delay
      {0, 21, true, false},
      {1, 20, false, true},
      {2, 60, false, false},  // no policy
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.policy * 1000 + c.entry);
    C(3).ai.allianceEntryPolicy = c.policy;
    C(3).allianceEntry = c.entry;
    C(3).doneDelayWarEntry = 0;
    C(3).doneHasteWarEntry = 0;
    C(3).diplomaticPoints = 1000;
    fe.calls.clear();
    ai().DiplomacyActions();
    EXPECT_EQ(C(3).doneDelayWarEntry != 0, c.delayed);
    EXPECT_EQ(C(3).doneHasteWarEntry != 0, c.hastened);
    const bool acted = c.delayed || c.hastened;
    EXPECT_EQ(C(3).diplomaticPoints < 1000, acted);
    EXPECT_EQ(fe.Count("ShowTextDialog"), acted ? 1 : 0);
    EXPECT_EQ(fe.Count("WaitForDialogClosed"), acted ? 1 : 0);
    if (acted) {
      // The entry level moved by the dice base (10 down, 15 up).
      EXPECT_EQ(C(3).allianceEntry, c.delayed ? c.entry - 10 : c.entry + 15);
      const auto shown = std::find_if(fe.calls.begin(), fe.calls.end(),
                                      [](const cRecordingFrontEnd::sCall& call) { return call.name == "ShowTextDialog"; });
      ASSERT_NE(shown, fe.calls.end());
      EXPECT_EQ(shown->text.rfind(L"C3|", 0), 0u);
    }
  }
}

TEST_F(AiDiplomacy, PressesSameOrientationAlwaysOthersOnlyFromLevelThirty) {
  C(3).ai.allianceEntryPolicy = 2;
  // 4 shares the computer's orientation; 5 does not and stands at 29; 1 is
  // in an alliance and is refused by the rules; 9 does not exist.
  C(4).allianceEntry = 10;
  C(5).allianceEntry = 29;
  C(3).ai.countriesToPress = {1, 5, 9, 4};
  ai().DiplomacyActions();
  ASSERT_EQ(fe.Count("ShowTextDialog"), 1);
  EXPECT_NE(C(4).allianceEntry, 10);  // pressed: hastened toward the allies
  EXPECT_EQ(C(5).allianceEntry, 29);

  fe.calls.clear();
  C(5).allianceEntry = 30;
  C(3).ai.countriesToPress = {5};
  const int points = C(3).diplomaticPoints;
  ai().DiplomacyActions();
  EXPECT_EQ(fe.Count("ShowTextDialog"), 1);
  EXPECT_LT(C(3).diplomaticPoints, points);
}

TEST_F(AiDiplomacy, WarIsDeclaredOnlyAboveSeventyPercentInPlace) {
  g.hex(1, 1).controller = 5;
  C(3).ai.currentTargets = {{1, 1, 0}};
  Units(3, 7);  // exactly 70%
  ai().DeclareWars();
  EXPECT_FALSE(War(3, 5));
  EXPECT_EQ(fe.Count("Delay"), 0);

  Units(0, 1);  // 8 of 11 in place
  ai().DeclareWars();
  EXPECT_TRUE(War(3, 5));
  ASSERT_EQ(fe.Count("Delay"), 1);
  EXPECT_EQ(fe.calls.back().value, 2000);
  EXPECT_LT(C(3).diplomaticPoints, 1000);  // the cost was paid
}

TEST_F(AiDiplomacy, TargetsWithoutHolderOrOffTheMapAreSkipped) {
  g.hex(2, 2).controller = 0;
  // A point off the map must not fall back on the map's first hex.
  g.hex(0, 0).controller = 5;
  g.hex(3, 0).controller = 2;
  C(3).ai.currentTargets = {{2, 2, 0}, {40, 40, 0}, {3, 0, 0}};
  Units(0, 1);
  ai().DeclareWars();
  EXPECT_TRUE(War(3, 2));
  EXPECT_FALSE(War(3, 5));
  EXPECT_EQ(fe.Count("Delay"), 1);
  EXPECT_EQ(log.CountContaining(L"off the map"), 1);

  // Without targets, or without units sent against them, nothing happens.
  fe.calls.clear();
  C(3).ai.currentTargets.clear();
  ai().DeclareWars();
  EXPECT_EQ(fe.Count("Delay"), 0);
}

}  // namespace
