// The start checks of the scenario settings menu and the numbering of PBEM
// players, on the small test scenario: one table of set-ups and outcomes.
#include "rules/start_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "persistence/loader.h"
#include "persistence/saver.h"
#include "persistence/two_shores_folder.h"
#include "support/recording_front_end.h"
#include "world/country.h"
#include "world/game.h"

namespace {

using persistence_test::TwoShoresFolder;

class StartChecks : public TwoShoresFolder {
 public:
  StartChecks() : scope_(&fe_) {}

  cGra& Load() {
    if (gGra != nullptr) DestroyGame();
    EXPECT_EQ(LoadNewScenario(Scenario()), 0);
    return *gGra;
  }
  cPanstwo& C(int id) { return *gGra->countries[static_cast<size_t>(id) - 1]; }

  cRecordingFrontEnd fe_;
  cFrontEndScope scope_;
};

struct sCheckCase {
  const char* name;
  std::function<void(StartChecks&, cGra&, sStartChoices&)> setUp;
  const wchar_t* refusal;  // null: the game starts
  std::function<void(StartChecks&, cGra&)> after;
};

TEST_F(StartChecks, RefusalsInTheirOrderAndWhatAStartSets) {
  auto human = [](StartChecks& t, cGra&, sStartChoices&) { t.C(1).humanControlled = 1; };
  auto twoPlayers = [](StartChecks& t, cGra& g, sStartChoices& c) {
    c.pbemGame = true;
    c.pbemName = L"Duel";
    c.eventsByComputer = true;
    t.C(1).humanControlled = 1;
    t.C(1).pbemPlayerId = 1;
    t.C(2).humanControlled = 1;
    t.C(2).pbemPlayerId = 2;
    (void)g;
  };
  const sCheckCase cases[] = {
      {"a new game whose Info.ini names the version of a save starts", human, nullptr, nullptr},
      {"a new game without a version key starts: only saves are compared",
       [](StartChecks& t, cGra& g, sStartChoices&) {
         t.C(1).humanControlled = 1;
         g.gameVersion = 1.0f;  // what a missing key reads as
       },
       nullptr, nullptr},
      {"an older save is refused",
       [](StartChecks& t, cGra& g, sStartChoices&) {
         t.C(1).humanControlled = 1;
         g.loadMode = 2;
         g.gameVersion = 1.04f;
       },
       L"This save is not compatible with current game version", nullptr},
      {"a save of this version read as a float is not older",
       [](StartChecks& t, cGra& g, sStartChoices&) {
         t.C(1).humanControlled = 1;
         g.loadMode = 2;
         g.gameVersion = 1.05f;  // 1.0499999523 as a float
       },
       nullptr, nullptr},
      {"no human country", [](StartChecks&, cGra&, sStartChoices&) {}, L"At least one country must be controlled by human.",
       nullptr},
      {"a PBEM save whose turn another player has",
       [](StartChecks& t, cGra& g, sStartChoices&) {
         t.C(1).humanControlled = 1;
         t.C(1).pbemPlayerId = 2;
         g.pbem = 1;
         g.loadMode = 2;
         g.pbemGameName = L"Duel";
         std::filesystem::create_directories("data/pbem");
         WritePbemRepoEntry(1, L"Duel");
       },
       L"You already played your turn in this PBEM game. Wait for other players to finish their turns.", nullptr},
      {"a PBEM game of one player",
       [](StartChecks& t, cGra&, sStartChoices& c) {
         c.pbemGame = true;
         c.pbemName = L"Solo";
         t.C(1).humanControlled = 1;
         t.C(1).pbemPlayerId = 1;
         t.C(2).humanControlled = 1;
         t.C(2).pbemPlayerId = 1;
       },
       L"Settings for PBEM game are incorrect.", nullptr},
      {"a PBEM game whose folder exists",
       [twoPlayers](StartChecks& t, cGra& g, sStartChoices& c) {
         twoPlayers(t, g, c);
         std::filesystem::create_directories("data/pbem/Duel");
       },
       L"Problems with creating PBEM game directory.", nullptr},
      {"a PBEM game name that cannot be a folder",
       [twoPlayers](StartChecks& t, cGra& g, sStartChoices& c) {
         twoPlayers(t, g, c);
         c.pbemName = L"a/b";
       },
       L"Problems with creating PBEM game directory.", nullptr},
      {"a PBEM game starts with its folder, name, events flag and a human placeholder",
       [twoPlayers](StartChecks& t, cGra& g, sStartChoices& c) {
         twoPlayers(t, g, c);
         t.C(3).politicalStrength = -1;  // the small scenario has no placeholder of its own
       },
       nullptr,
       [](StartChecks&, cGra& g) {
         EXPECT_TRUE(std::filesystem::is_directory("data/pbem/Duel"));
         EXPECT_EQ(g.pbem, 1);
         EXPECT_EQ(g.pbemGameName, L"Duel");
         EXPECT_EQ(g.pbemEventsByAI, 1);
         int placeholders = 0;
         for (const cPanstwo* c : g.countries) {
           if (!IsPlaceholderCountry(c)) continue;
           ++placeholders;
           EXPECT_EQ(c->humanControlled, 1) << c->id;
         }
         EXPECT_EQ(placeholders, 1);
       }},
  };
  for (const sCheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all("data/pbem");
    cGra& g = Load();
    sStartChoices choices;
    choices.gameFolder = std::filesystem::current_path().wstring();
    c.setUp(*this, g, choices);
    const uint8_t pbemBefore = g.pbem;
    sStartRefusal refusal;
    const bool started = RunStartChecks(g, choices, refusal);
    EXPECT_EQ(started, c.refusal == nullptr) << WideToUtf8(refusal.text);
    if (c.refusal != nullptr) {
      EXPECT_EQ(refusal.text, c.refusal);
      EXPECT_FALSE(refusal.caption.empty());
      EXPECT_EQ(g.pbem, pbemBefore);  // a refusal changes nothing
    }
    if (c.after) c.after(*this, g);
  }
}

TEST(PbemNumbering, NewPlayersNeverTakeARemainingNumberAndRecordsAreFoundByNumber) {
  std::vector<sPbemPlayer> players = {{1, L"Ann", L"a@x"}, {2, L"Bob", L"b@x"}, {3, L"Cid", L"c@x"}};
  // Ann leaves; counting rows would give the newcomer 3, Cid's number.
  players.erase(players.begin());
  EXPECT_EQ(NextPbemPlayerNumber(players), 4u);
  players.push_back({4, L"Dan", L"d@x"});
  ASSERT_NE(FindPbemPlayer(players, 3), nullptr);
  EXPECT_EQ(FindPbemPlayer(players, 3)->name, L"Cid");  // not the record at row 3 - 1
  EXPECT_EQ(FindPbemPlayer(players, 4)->name, L"Dan");
  EXPECT_EQ(FindPbemPlayer(players, 1), nullptr);  // a missing record is reported, not read past the list
  EXPECT_EQ(NextPbemPlayerNumber({}), 1u);
  EXPECT_TRUE(IsOlderGameVersion(1.04, 1.05));
  EXPECT_FALSE(IsOlderGameVersion(static_cast<float>(1.05), 1.05));
  EXPECT_FALSE(IsOlderGameVersion(1.06, 1.05));
}

}  // namespace
