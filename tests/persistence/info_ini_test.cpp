// Info.ini: what the loader takes into the game, the fatal month, the
// scenario menu's description and the save writer's round trip.
#include <gtest/gtest.h>

#include <cctype>

#include "core/ini_file.h"
#include "core/text.h"
#include "persistence/info_ini.h"
#include "persistence/saver.h"
#include "persistence_test_support.h"

using namespace persistence_test;

namespace {

class InfoIniTest : public GameFolderTest {
 protected:
  void Read() { game().ReadInfoIni(request_); }
};

TEST_F(InfoIniTest, ReadsEveryKeyIntoTheGame) {
  WriteLoaded("Info.ini", {"[Save]", "Impulse = 2", "GameMonth = 5", "GameYear = 1941", "ScenarioName = Europe",
                           "Turn = 30", "PBEMGameName = Duel", "PBEMPlayer1Name = Ann", "PBEMPlayer1Email = ann@x",
                           "PBEMPlayer2Name = Bob", "PBEMPlayer2Email = bob@x", "PBEMPlayer3Name = Cid",
                           "PBEMPlayer4Name = Dan", "PBEMPlayer4Email = dan@x", "PBEMEventsByAI = true",
                           "GameVersion = 1.05", "GameDay = 12", "[Duration]", "Turns = 100", "[Map]",
                           "SmallUnitsSize = 3", "LargeUnitsSize = 4"});
  Read();
  const cGra& g = game();
  EXPECT_EQ(g.date.turn, 2);
  EXPECT_EQ(g.date.month, 5);
  EXPECT_EQ(g.date.year, 1941);
  EXPECT_EQ(g.displayedDay, 12);
  EXPECT_EQ(g.displayedMonth, 5);
  EXPECT_EQ(g.displayedYear, 1941);
  EXPECT_EQ(g.scenarioName, L"Europe");
  EXPECT_EQ(g.turn, 30);
  EXPECT_EQ(g.turnsLeft, 70);
  EXPECT_EQ(g.pbem, 1);
  EXPECT_EQ(g.pbemGameName, L"Duel");
  EXPECT_EQ(g.pbemEventsByAI, 1);
  EXPECT_FLOAT_EQ(g.gameVersion, 1.05f);
  EXPECT_EQ(g.smallUnitSize, 2);
  EXPECT_EQ(g.largeUnitSize, 3);
  // Player 3 lacks the e-mail key: reading stops there, player 4 is never looked at.
  ASSERT_EQ(g.pbemPlayers.size(), 2u);
  EXPECT_EQ(g.pbemPlayers[0].number, 1);
  EXPECT_EQ(g.pbemPlayers[0].name, L"Ann");
  EXPECT_EQ(g.pbemPlayers[0].email, L"ann@x");
  EXPECT_EQ(g.pbemPlayers[1].number, 2);
  EXPECT_EQ(g.pbemPlayers[1].name, L"Bob");
}

TEST_F(InfoIniTest, AbsentKeysTakeTheirDefaults) {
  game().pbem = 1;
  game().pbemPlayers.push_back({});
  // Player keys without a PBEM game name are not read.
  WriteLoaded("Info.ini", {"[Save]", "GameMonth = 9", "PBEMPlayer1Name = Ann", "PBEMPlayer1Email = ann@x"});
  Read();
  const cGra& g = game();
  EXPECT_EQ(g.date.turn, 0);
  EXPECT_EQ(g.date.month, 9);
  EXPECT_EQ(g.date.year, 0);
  EXPECT_EQ(g.scenarioName, L"unknown");
  EXPECT_EQ(g.turn, 0);
  EXPECT_EQ(g.turnsLeft, 0);  // no "Duration/Turns": no turns are left
  EXPECT_EQ(g.pbem, 0);
  EXPECT_EQ(g.pbemGameName, L"unknown");
  EXPECT_TRUE(g.pbemPlayers.empty());
  EXPECT_EQ(g.pbemEventsByAI, 0);
  EXPECT_FLOAT_EQ(g.gameVersion, 1.0f);
  EXPECT_EQ(g.displayedDay, 1);
  EXPECT_EQ(g.smallUnitSize, 0);
  EXPECT_EQ(g.largeUnitSize, 1);
}

TEST_F(InfoIniTest, UnitSizeIndexesFallBackOutsideTheirRange) {
  struct Case {
    const char* small;
    const char* large;
    int smallIndex;
    int largeIndex;
  };
  const Case cases[] = {
      {"1", "1", 0, 1},  // the large size never falls to 0
      {"2", "2", 1, 1}, {"6", "6", 5, 5}, {"7", "7", 0, 1}, {"0", "0", 0, 1}, {"-3", "x", 0, 1}, {"4", "3", 3, 2},
  };
  for (const Case& c : cases) {
    WriteLoaded("Info.ini",
                {"[Save]", "GameMonth = 1", "[Map]", std::string("SmallUnitsSize = ") + c.small,
                 std::string("LargeUnitsSize = ") + c.large});
    Read();
    EXPECT_EQ(game().smallUnitSize, c.smallIndex) << c.small;
    EXPECT_EQ(game().largeUnitSize, c.largeIndex) << c.large;
  }
}

TEST_F(InfoIniTest, MissingOrInvalidMonthIsFatalAndNamesTheKey) {
  const char* const months[] = {nullptr, "0", "13", "-1", "May"};
  for (const char* month : months) {
    std::vector<std::string> lines = {"[Save]", "Impulse = 1", "GameYear = 1939", "Turn = 1"};
    if (month != nullptr) lines.push_back(std::string("GameMonth = ") + month);
    WriteLoaded("Info.ini", lines);
    EXPECT_EXIT((LogToStderr(), Read()), ::testing::ExitedWithCode(1), "Save/GameMonth") << (month ? month : "none");
  }
}

TEST_F(InfoIniTest, MissingFileIsFatalForWantOfAMonth) {
  EXPECT_EXIT((LogToStderr(), Read()), ::testing::ExitedWithCode(1), "Save/GameMonth");
}

TEST_F(InfoIniTest, SaveKeepsTheScenarioKeysAndReadsBackTheSameGame) {
  WriteLines("data/scenarios/Europe/Info.ini",
             {"[General_ENG]", "Name = Europe 1939", "[Duration]", "Turns = 100", "[Map]", "SmallUnitsSize = 2",
              "LargeUnitsSize = 5", "[Save]", "GameMonth = 9", "GameYear = 1939"});
  cGra& g = game();
  g.scenarioName = L"Europe";
  g.turn = 41;
  g.date = {};
  g.date.turn = 3;
  g.date.month = 2;
  g.date.year = 1942;
  g.displayedDay = 21;
  g.displayedMonth = 2;
  g.displayedYear = 1942;
  g.pbem = 1;
  g.pbemGameName = L"Duel";
  g.pbemEventsByAI = 1;
  g.pbemPlayers = {{1, L"Ann", L"ann@x"}, {2, L"Bob", L"bob@x"}};
  g.lastHarbourMonth = 2;
  std::filesystem::create_directories("save1");
  cZapisGry().SaveInfoIni(L"save1");

  cIniFile ini;
  ASSERT_TRUE(ini.Load(L"save1\\Info.ini"));
  EXPECT_EQ(ini.GetString("General_ENG/Name", L""), L"Europe 1939");
  EXPECT_EQ(ini.GetString("Save/GameVersion", L""), L"1.05");
  EXPECT_EQ(ini.GetInt("Save/GameDayDisplayed", 0), 21);
  EXPECT_EQ(ini.GetInt("Save/LastMonthlyUpdate", 0), 2);
  const std::string date = NarrowAscii(ini.GetString("Save/Date", L""));
  // "yy.mm.dd hh:mm"
  const std::string shape = "00.00.00 00:00";
  ASSERT_EQ(date.size(), shape.size()) << date;
  for (size_t i = 0; i < shape.size(); ++i)
    EXPECT_TRUE(shape[i] == '0' ? std::isdigit(static_cast<unsigned char>(date[i])) != 0 : date[i] == shape[i]) << date;

  // Read back over a game whose fields say otherwise.
  g.turn = g.date.turn = g.date.month = g.date.year = g.displayedDay = 0;
  g.pbem = g.pbemEventsByAI = 0;
  g.pbemGameName.clear();
  g.pbemPlayers.clear();
  g.scenarioName.clear();
  request_.pathTemplate = L"save1\\%s";
  Read();
  const cGra& r = g;
  EXPECT_EQ(r.scenarioName, L"Europe");
  EXPECT_EQ(r.turn, 41);
  EXPECT_EQ(r.turnsLeft, 59);
  EXPECT_EQ(r.date.turn, 3);
  EXPECT_EQ(r.date.month, 2);
  EXPECT_EQ(r.date.year, 1942);
  EXPECT_EQ(r.displayedDay, 21);
  EXPECT_EQ(r.pbem, 1);
  EXPECT_EQ(r.pbemGameName, L"Duel");
  EXPECT_EQ(r.pbemEventsByAI, 1);
  ASSERT_EQ(r.pbemPlayers.size(), 2u);
  EXPECT_EQ(r.pbemPlayers[1].name, L"Bob");
  EXPECT_EQ(r.pbemPlayers[1].email, L"bob@x");
  EXPECT_FLOAT_EQ(r.gameVersion, 1.05f);
  EXPECT_EQ(r.smallUnitSize, 1);
  EXPECT_EQ(r.largeUnitSize, 4);
}

TEST_F(InfoIniTest, SaveOfAGameWithoutPbemWritesNoPbemKeys) {
  WriteLines("data/scenarios/Europe/Info.ini", {"[Save]", "GameMonth = 9"});
  game().scenarioName = L"Europe";
  game().pbemPlayers = {{1, L"Ann", L"ann@x"}};
  std::filesystem::create_directories("save2");
  cZapisGry().SaveInfoIni(L"save2");
  cIniFile ini;
  ASSERT_TRUE(ini.Load(L"save2\\Info.ini"));
  EXPECT_FALSE(ini.HasKey("Save/PBEMGameName"));
  EXPECT_FALSE(ini.HasKey("Save/PBEMPlayer1Name"));
  EXPECT_TRUE(ini.HasKey("Save/GameMonth"));
}

TEST_F(InfoIniTest, SaveIntoAMissingFolderIsFatal) {
  WriteLines("data/scenarios/Europe/Info.ini", {"[Save]", "GameMonth = 9"});
  game().scenarioName = L"Europe";
  EXPECT_EXIT((LogToStderr(), cZapisGry().SaveInfoIni(L"no_such_folder")), ::testing::ExitedWithCode(1),
              "Error opening file for writing");
}

TEST_F(InfoIniTest, MenuDescriptionOfAScenarioAndOfASave) {
  WriteLines("scen/Info.ini", {"[General_ENG]", "Name = Europe", "DescriptionLine1 = First", "DescriptionLine2 = Second",
                               "DescriptionLine4 = Never", "ObjectivesLine1 = Win", "[Map]", "SizeX = 120",
                               "SizeY = 80"});
  const sScenarioInfo scenario = ReadScenarioInfo(L"scen", false);
  EXPECT_EQ(scenario.title, L"Europe");
  EXPECT_EQ(scenario.author, L"unknown");
  EXPECT_EQ(scenario.version, L"1.0");
  EXPECT_EQ(scenario.mapSize, L"120x80");
  EXPECT_EQ(scenario.description, (std::vector<std::wstring>{L"First", L"Second"}));
  EXPECT_EQ(scenario.objectives, std::vector<std::wstring>{L"Win"});
  EXPECT_TRUE(scenario.saveDate.empty());
  EXPECT_TRUE(scenario.savedTurn.empty());
  EXPECT_EQ(scenario.picture, L"scen\\image.png");

  WriteLines("save/Info.ini", {"[Save]", "Date = 01.02.03 04:05", "Turn = 7", "ScenarioName = Europe"});
  const sScenarioInfo save = ReadScenarioInfo(L"save", true);
  EXPECT_EQ(save.title, L"Unknown name");
  EXPECT_EQ(save.saveDate, L"01.02.03 04:05");
  EXPECT_EQ(save.picture, L"data\\scenarios\\Europe\\image.png");
  EXPECT_EQ(ReadScenarioInfo(L"nothing", true).picture, L"data\\scenarios\\unknown scenario\\image.png");
}

}  // namespace
