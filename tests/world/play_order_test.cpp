// The play order: who moves next in an impulse, the next human country, and
// the placeholder country every scenario needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/random.h"
#include "core/settings.h"
#include "support/recording_front_end.h"
#include "world/play_order.h"
#include "world/world_test_support.h"

namespace {

using world_test::GameFixture;
using world_test::LogCapture;

struct sCountrySetup {
  int alliance;
  int strength;
  int human = 0;
  int active = 1;
};

class PlayOrder : public ::testing::Test {
 protected:
  PlayOrder() : g(4, 4) {}

  std::vector<cPanstwo*>& Make(std::initializer_list<sCountrySetup> setups) {
    for (const sCountrySetup& s : setups) {
      cPanstwo* c = g.AddCountry(s.alliance);
      c->politicalStrength = s.strength;
      c->humanControlled = static_cast<uint8_t>(s.human);
      c->active = static_cast<uint8_t>(s.active);
      c->name = L"C" + std::to_wstring(c->id);
    }
    return g.game->countries;
  }
  // The ids in the order the impulse gives them, each marked finished after
  // its move.
  std::vector<int> WalkImpulse() {
    std::vector<int> order;
    while (cPanstwo* c = DetermineCurrentCountry(g.game->countries)) {
      order.push_back(c->id);
      c->finishedTurn = 1;
      if (order.size() > g.game->countries.size()) break;
    }
    return order;
  }

  GameFixture g;
};

// Groups move axis, allies, comintern, neutral whatever the strengths;
// inside a group the stronger first and equal strengths by id; inactive
// countries, alliance codes above 6 and strengths at -5 or below never move.
TEST_F(PlayOrder, ImpulseWalksGroupsThenStrengthThenId) {
  Make({{kAllianceNeutral, 90},   // 1
        {1, 10},                  // 2 allies member
        {5, 3},                   // 3 axis leader
        {2, 3},                   // 4 axis, ties with 3
        {6, 50},                  // 5 comintern leader
        {4, 40},                  // 6 allies leader
        {7, 100},                 // 7 no group
        {3, -5},                  // 8 never chosen
        {2, 99, 0, 0},            // 9 inactive
        {kAllianceNeutral, -1}}); // 10 placeholder, moves last
  EXPECT_EQ(WalkImpulse(), (std::vector<int>{3, 4, 6, 2, 5, 1, 10}));
}

// Against a plain sort over random worlds: the stable order by group, then
// strength, is the order of the impulse.
TEST_F(PlayOrder, ImpulseMatchesAStableSortOfRandomCountries) {
  SeedRandom(77);
  for (int n = 0; n < 60; ++n) {
    cPanstwo* c = g.AddCountry(RandomInRange(0, 8));
    c->politicalStrength = RandomInRange(-6, 6);
    c->active = static_cast<uint8_t>(RandomInRange(0, 5) != 0);
  }
  auto group = [](int a) { return a == 2 || a == 5 ? 0 : a == 1 || a == 4 ? 1 : a == 3 || a == 6 ? 2 : a == 0 ? 3 : 9; };
  std::vector<cPanstwo*> expected;
  for (cPanstwo* c : g.game->countries)
    if (c->active != 0 && group(c->alliance) != 9 && c->politicalStrength > -5) expected.push_back(c);
  std::stable_sort(expected.begin(), expected.end(), [&](const cPanstwo* a, const cPanstwo* b) {
    return std::make_tuple(group(a->alliance), -a->politicalStrength) <
           std::make_tuple(group(b->alliance), -b->politicalStrength);
  });
  std::vector<int> ids;
  for (const cPanstwo* c : expected) ids.push_back(c->id);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(WalkImpulse(), ids);
}

TEST_F(PlayOrder, LogsTheChoiceAndTheEndOfTheImpulse) {
  LogCapture log;
  EXPECT_EQ(DetermineCurrentCountry(g.game->countries), nullptr);
  // No countries: nothing to end, so no end-of-impulse line.
  EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Wyznaczam aktualne panstwo..."});

  Make({{1, 5}, {3, 5}, {0, 5}});
  log.Clear();
  EXPECT_EQ(DetermineCurrentCountry(g.game->countries)->id, 1);
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Wyznaczam aktualne panstwo...", L"Alianci. Aktualne panstwo = C1"}));
  g.game->countries[0]->finishedTurn = 1;
  EXPECT_EQ(DetermineCurrentCountry(g.game->countries)->id, 2);
  EXPECT_TRUE(log.Has(L"Komintern. Aktualne panstwo = C2"));
  g.game->countries[1]->finishedTurn = 1;
  DetermineCurrentCountry(g.game->countries);
  EXPECT_TRUE(log.Has(L"Neutralni. Aktualne panstwo = C3"));
  g.game->countries[2]->finishedTurn = 1;
  log.Clear();
  EXPECT_EQ(DetermineCurrentCountry(g.game->countries), nullptr);
  EXPECT_EQ(log.lines.back(), L"--=== KONIEC IMPULSU ===--");
}

TEST_F(PlayOrder, NextHumanIsTheFirstUnfinishedByGroupAndStrength) {
  std::vector<cPanstwo*>& all = Make({{0, 50, 1},    // 1 neutral human
                                      {1, 10, 1},    // 2 allies human
                                      {4, 20, 1},    // 3 allies human, stronger
                                      {2, 5, 0},     // 4 axis computer
                                      {1, 20, 1}});  // 5 allies human, ties with 3
  cSelection& s = g.game->selection;
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 3);
  all[2]->finishedTurn = 1;
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 5);
  all[4]->finishedTurn = 1;
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 2);
  all[1]->finishedTurn = 1;
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 1);
  all[3]->humanControlled = 1;  // an unfinished axis human comes before all
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 4);
}

// With every human finished: the next human after the current country in
// the combined order (4, 3, 5, 2, 1 here; 6 has no group), wrapping round,
// never the current.
TEST_F(PlayOrder, NextHumanWrapsRoundWhenAllHaveFinished) {
  std::vector<cPanstwo*>& all = Make({{0, 50, 1}, {1, 10, 1}, {4, 20, 1}, {2, 5, 0}, {1, 20, 1}, {7, 0, 1}});
  for (cPanstwo* c : all) c->finishedTurn = 1;
  cSelection& s = g.game->selection;
  const struct {
    int current;
    int expected;
  } cases[] = {{3, 5}, {5, 2}, {2, 1}, {1, 3}, {4, 3}};
  for (const auto& c : cases) {
    s.currentCountry = all[c.current - 1];
    ASSERT_NE(s.BuildCountryOrder(all), nullptr) << c.current;
    EXPECT_EQ(s.BuildCountryOrder(all)->id, c.expected) << "current " << c.current;
  }
  s.currentCountry = nullptr;
  EXPECT_EQ(s.BuildCountryOrder(all)->id, 3);
  // A lone human has no one to hand over to.
  for (int i : {0, 1, 4}) all[i]->humanControlled = 0;
  s.currentCountry = all[2];
  EXPECT_EQ(s.BuildCountryOrder(all), nullptr);
  // An inactive human is no candidate either.
  all[0]->humanControlled = 1;
  all[0]->active = 0;
  EXPECT_EQ(s.BuildCountryOrder(all), nullptr);
}

TEST_F(PlayOrder, CurrentCountryShowsAlliesOnlyWhenAsked) {
  Make({{0, 1}, {4, 1}, {7, 1}});
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  const bool saved = gProgramSettings.showAlliesActions;
  cSelection& s = g.game->selection;
  const struct {
    int country;
    bool setting;
    int shown;
  } cases[] = {{1, false, 1}, {2, false, 0}, {3, false, 1}, {2, true, 1}};
  for (const auto& c : cases) {
    gProgramSettings.showAlliesActions = c.setting;
    s.SetCurrentCountry(g.game->countries[c.country - 1]);
    EXPECT_EQ(s.currentCountry, g.game->countries[c.country - 1]);
    EXPECT_EQ(s.showActions, c.shown) << c.country << " " << c.setting;
  }
  gProgramSettings.showAlliesActions = saved;
  EXPECT_EQ(fe.Count("RefreshInfoPanel"), 4);
}

TEST_F(PlayOrder, PlaceholderCountryEndsTheImpulseAfterHumans) {
  Make({{2, 10, 1}, {0, -1}});
  g.game->countries[0]->finishedTurn = 1;
  EXPECT_EQ(DetermineCurrentCountryAfterHumanTurn(g.game->countries)->id, 2);
}

TEST_F(PlayOrder, NoPlaceholderCountryIsAFatalDataError) {
  Make({{2, 10, 1}, {1, 3, 1}});
  for (cPanstwo* c : g.game->countries) c->finishedTurn = 1;
  EXPECT_EXIT(
      {
        LogToStderr();
        DetermineCurrentCountryAfterHumanTurn(g.game->countries);
      },
      ::testing::ExitedWithCode(1), "no placeholder country");
}

}  // namespace
