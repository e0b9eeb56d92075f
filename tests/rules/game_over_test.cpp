// The end of the game: its causes and their precedence, the result between
// the alliances, the ranking and the account shown through the front end.
#include <gtest/gtest.h>

#include "rules/game_over.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/world_test_support.h"

namespace {

using unit_test::AddCity;
using world_test::GameFixture;
using world_test::TestLandUnit;

class GameOver : public ::testing::Test {
 protected:
  // Country 1 leads the allies, 2 the axis, 3 the comintern; 4 is neutral.
  GameOver() : g(6, 2, 4) {
    unit_test::LoadShippedStrings();
    const int codes[4] = {4, 5, 6, 0};
    for (cPanstwo* c : g.game->countries) {
      c->alliance = codes[c->id - 1];
      c->name = L"C" + std::to_wstring(c->id);
      c->politicalStrength = 10;
    }
    g.game->turnsLeft = 5;
    SetFrontEnd(&fe);
  }
  ~GameOver() override { SetFrontEnd(nullptr); }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  void Score(int country, float value) { g.game->landUnits.push_back(new TestLandUnit(country, ++ids, value)); }

  GameFixture g;
  cRecordingFrontEnd fe;
  int ids = 0;
};

TEST_F(GameOver, CausesComeInTheirOrder) {
  struct Case {
    int leaders;      // how many of the three leaders remain
    int human;        // 0 none ever, 1 active, 2 surrendered
    int turnsLeft;
    eGameOverCause expected;
  };
  const Case cases[] = {
      {0, 1, 5, eGameOverCause::kAllAlliancesEliminated},
      {1, 1, 5, eGameOverCause::kOneAllianceLeft},  // turns remain and a human plays
      {1, 2, 0, eGameOverCause::kOneAllianceLeft},
      {2, 2, 5, eGameOverCause::kHumansAnnexed},
      {3, 1, 0, eGameOverCause::kTimeOut},
      {2, 1, -1, eGameOverCause::kTimeOut},
      {3, 1, 1, eGameOverCause::kNone},
      // No human country ever: the game goes on until its time runs out.
      {3, 0, 5, eGameOverCause::kNone},
      {2, 0, 0, eGameOverCause::kTimeOut},
  };
  for (const Case& c : cases) {
    C(1).alliance = c.leaders >= 1 ? 4 : 1;
    C(2).alliance = c.leaders >= 2 ? 5 : 2;
    C(3).alliance = c.leaders >= 3 ? 6 : 3;
    C(4).humanControlled = c.human != 0;
    C(4).active = c.human != 2;
    g.game->turnsLeft = c.turnsLeft;
    EXPECT_EQ(DetermineGameOverCause(*g.game), c.expected)
        << c.leaders << " leaders, human " << c.human << ", turns left " << c.turnsLeft;
  }
}

TEST_F(GameOver, ResultFromTheAlliancesVictoryPoints) {
  struct Case {
    int a, x, c;
    const char* key;
  };
  const Case cases[] = {
      {0, 0, 0, "result:_all_major_alliances_eliminated,_no_result!"},
      {4, 4, 4, "result:_draw"},
      {10, 10, 5, "result:_axis-allied_draw_comintern_defeat"},
      {10, 5, 10, "result:_allied-comintern_draw_axis_defeat"},
      {5, 10, 10, "result:_axis-comintern_draw_allied_defeat"},
      {5, 5, 10, "result:_comintern_victory"},
      {3, 9, 9 - 1, "result:_axis_victory"},
      {7, 1, 6, "result:_allied_victory"},
      {1, 1, 0, "result:_axis-allied_draw_comintern_defeat"},
      {2, 3, 3, "result:_axis-comintern_draw_allied_defeat"},
  };
  for (const Case& c : cases) EXPECT_STREQ(GameResultKey(c.a, c.x, c.c), c.key) << c.a << " " << c.x << " " << c.c;
}

TEST_F(GameOver, RankingListsActiveScoringCountriesByScoreKeepingVectorOrderOnTies) {
  Score(1, 5);
  Score(2, 9);
  Score(3, 5);
  Score(4, 30);
  C(4).active = 0;  // gone
  const std::vector<sCountryScore> ranking = RankCountries(*g.game);
  ASSERT_EQ(ranking.size(), 3u);
  EXPECT_EQ(ranking[0].country->id, 2);
  EXPECT_EQ(ranking[0].score, 9);
  EXPECT_EQ(ranking[1].country->id, 1);
  EXPECT_EQ(ranking[2].country->id, 3);
  C(1).politicalStrength = -1;  // never scores
  EXPECT_EQ(RankCountries(*g.game).size(), 2u);
}

TEST_F(GameOver, TheAccountListsAtMostTwentyCountries) {
  for (int i = 5; i <= 25; ++i) {
    cPanstwo* c = g.AddCountry(0);
    c->name = L"C" + std::to_wstring(c->id);
    c->politicalStrength = 1;
  }
  for (int id = 1; id <= 25; ++id) Score(id, static_cast<float>(id));
  const std::wstring account = BuildGameOverAccount(*g.game, eGameOverCause::kNone);
  EXPECT_NE(account.find(L"1. C25: 25\n"), std::wstring::npos);
  EXPECT_NE(account.find(L"20. C6: 6\n"), std::wstring::npos);
  EXPECT_EQ(account.find(L"21. "), std::wstring::npos);
  EXPECT_EQ(account.find(L"C5: 5"), std::wstring::npos);
}

TEST_F(GameOver, TheTimeOutEndsTheGameAndShowsTheWholeAccountOnce) {
  C(1).humanControlled = 1;
  g.game->turnsLeft = 0;
  AddCity(g, 0, 0, kCityRegular, 1)->victoryPoints = 3;  // allies 3
  AddCity(g, 1, 0, kCityRegular, 2)->victoryPoints = 3;  // axis 3
  AddCity(g, 2, 0, kCityRegular, 3)->victoryPoints = 1;  // comintern 1
  Score(2, 4);
  g.game->CheckGameOver();
  EXPECT_EQ(g.game->gameOver, 1);
  ASSERT_EQ(fe.Count("ShowTextDialog"), 1);
  ASSERT_EQ(fe.Count("WaitForDialogClosed"), 1);
  const auto& shown = fe.calls[0];
  EXPECT_EQ(shown.name, "ShowTextDialog");
  EXPECT_EQ(shown.value, 684);
  // Scores: the victory points of the cities each country holds, plus the
  // value of country 2's unit: C2 7, C1 3, C3 1, C4 0.
  const std::wstring expected =
      L"Game over|\n"
      L"Game over: time has run out.\n\n"
      L"Result: Axis-Allied draw, Comintern defeat.\n\n"
      L"Alliance score:\n"
      L"Axis: 3 VP\nAllies: 3 VP\nComintern: 1 VP\n\n"
      L"Individual score:\n";
  EXPECT_EQ(shown.text.substr(0, expected.size()), expected);
  const std::wstring ranking = L"1. C2: 7\n2. C1: 3\n3. C3: 1\n4. C4: 0\n\n   Press ESC to finish";
  EXPECT_EQ(shown.text.substr(expected.size()), ranking);
}

TEST_F(GameOver, AGameThatGoesOnShowsNothing) {
  // No victory points at all: the result line is "no result", but unshown.
  g.game->CheckGameOver();
  EXPECT_EQ(g.game->gameOver, 0);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
  const std::wstring account = BuildGameOverAccount(*g.game, eGameOverCause::kNone);
  EXPECT_EQ(account.rfind(L"\nResult: all major alliances eliminated, no result!\n\n", 0), 0u);
}

TEST_F(GameOver, AComputerOnlyGameIsNotEndedByHavingNoHuman) {
  for (cPanstwo* c : g.game->countries) c->humanControlled = 0;
  g.game->CheckGameOver();
  EXPECT_EQ(g.game->gameOver, 0);
  g.game->turnsLeft = 0;
  g.game->CheckGameOver();
  EXPECT_EQ(g.game->gameOver, 1);
  EXPECT_NE(fe.calls[0].text.find(L"time has run out"), std::wstring::npos);
}

}  // namespace
