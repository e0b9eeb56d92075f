// The small test scenario through the real loader and saver: it loads as a
// new game without a problem line, with every kind of unit where the
// tables put it; loaded, saved, loaded from the save and saved again, the
// two save folders hold the same bytes (Info.ini with its date too, the
// clock being fixed) and both loads answer the same.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "core/front_end.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "game_state_text.h"
#include "two_shores_folder.h"
#include "world/sea_graph.h"
#include "support/folder_bytes.h"

namespace fs = std::filesystem;

namespace {

using persistence_test::DescribeGameState;
using persistence_test::ProblemLines;


// The lines of b that a lacks and the lines of a that b lacks, so that a
// failure names what moved rather than printing two whole worlds.
std::string LineDifference(const std::string& a, const std::string& b) {
  auto lines = [](const std::string& text) {
    std::multiset<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.insert(l);
    return out;
  };
  const auto la = lines(a);
  const auto lb = lines(b);
  std::string out;
  for (const std::string& l : la)
    if (la.count(l) > lb.count(l)) out += "- " + l + "\n";
  for (const std::string& l : lb)
    if (lb.count(l) > la.count(l)) out += "+ " + l + "\n";
  return out.empty() && a != b ? "same lines, other order\n" : out;
}

// A fixed clock for the saves of a test, the wall clock again afterwards.
class cFixedSaveClock {
 public:
  explicit cFixedSaveClock(std::time_t t) { SetSaveClock([t] { return t; }); }
  ~cFixedSaveClock() { SetSaveClock(nullptr); }
};

class TwoShores : public persistence_test::TwoShoresFolder {
 protected:
  cQuietFrontEnd fe_;
  cFrontEndScope scope_{&fe_};
};

TEST_F(TwoShores, LoadsAsANewGameWithoutAProblemLineAndEveryKindOfUnitInItsPlace) {
  cLogCapture log;
  ASSERT_EQ(LoadNewScenario(Scenario()), 0);
  EXPECT_EQ(ProblemLines(log), std::vector<std::wstring>{});
  const cGra& g = *gGra;
  EXPECT_EQ(g.GetState(), kStateLoaded);
  EXPECT_EQ(g.countries.size(), 4u);
  EXPECT_EQ(g.cities.size(), 12u);
  EXPECT_EQ(g.seaGraph.nodes.size(), 6u);

  // Every land type on the map, one unit aboard each kind of transport, one
  // land and one air unit in the reserve pool.
  std::set<int> landTypes;
  for (const cJednostkaLadowa* u : g.landUnits) {
    landTypes.insert(u->type);
    EXPECT_EQ(g.map->GetHex(u->x, u->y)->unit, u);
  }
  EXPECT_EQ(landTypes, (std::set<int>{0, 1, 2, 3, 4, 5, 6, kTypeMulberry}));
  ASSERT_EQ(g.transportedUnits.size(), 1u);
  ASSERT_EQ(g.amphibiousUnits.size(), 1u);
  EXPECT_EQ(g.transportedUnits.front()->transport->type, kTypeCargo);
  EXPECT_EQ(g.amphibiousUnits.front()->transport->type, kTypeAmphibious);
  EXPECT_EQ(g.transportedUnits.front()->x, -1);
  ASSERT_EQ(g.reserve.size(), 2u);
  EXPECT_EQ(g.reserve[0]->category, kCategoryLand);
  EXPECT_EQ(g.reserve[1]->category, kCategoryAir);
  std::set<int> airTypes;
  for (const cJednostkaLotnicza* u : g.airUnits) airTypes.insert(u->type);
  EXPECT_EQ(airTypes, (std::set<int>{20, 21, 22}));

  // Every naval type in a fleet; the spare battleship keeps its admiral.
  std::set<int> navalTypes;
  for (const cJednostkaMorska* s : g.navalUnits) {
    navalTypes.insert(s->type);
    ASSERT_NE(s->fleet, nullptr);
  }
  EXPECT_EQ(navalTypes, (std::set<int>{40, 41, 42, 43, 44, 45}));
  ASSERT_EQ(g.navalReserve.size(), 1u);
  ASSERT_NE(g.navalReserve.front()->commander, nullptr);
  EXPECT_EQ(g.navalReserve.front()->commander->id, 5);
  EXPECT_EQ(g.fleets.size(), 4u);

  // Ids go on after the highest of each kind, the reserve counted.
  EXPECT_EQ(g.landUnitCounter, 18);
  EXPECT_EQ(g.airUnitCounter, 7);
  EXPECT_EQ(g.nextFleetNumber, 5);
  EXPECT_EQ(g.nextConvoyId, 3);
  int convoys = 0;
  for (const auto& list : g.convoys->convoys) convoys += static_cast<int>(list.size());
  EXPECT_EQ(convoys, 2);
  EXPECT_EQ(g.scenarioFlags[5], 1);
  EXPECT_EQ(g.scenarioFlags[40], 7);
  EXPECT_TRUE(g.relations.IsAtWar(1, 2));
  EXPECT_FALSE(g.relations.IsAtWar(2, 3));
  // Build times of bought units come with each country's constants.
  const cPanstwo& first = *g.countries[0];
  EXPECT_THAT(first.landBuildTime, ::testing::ElementsAre(2, 3, 3, 4, 4, 5, 2));
  EXPECT_THAT(first.airBuildTime, ::testing::ElementsAre(3, 4, 5));
  EXPECT_THAT(first.navalBuildTime, ::testing::ElementsAre(8, 8, 5, 3));
}

TEST_F(TwoShores, LoadSaveLoadSaveGivesTheSameFilesAndTheSameGame) {
  const std::time_t savedAt = 1700000000;
  cFixedSaveClock clock(savedAt);
  cLogCapture log;

  ASSERT_EQ(LoadNewScenario(Scenario()), 0);
  EXPECT_EQ(ProblemLines(log), std::vector<std::wstring>{}) << "loading the scenario";
  // What a game in progress carries beyond the scenario's tables.
  cGra& g = *gGra;
  g.countries[1]->airAttackReports = {L"Bombers over Nordhafen", L"Raid on Sudhafen"};
  g.countries[0]->airReconSightings = {g.landUnits.back()};
  AddReport(2, 1, L"Eisenfeld holds");
  g.relations.ChangeLosses(1, 2, 3.5f);
  g.relations.SetWar(2, 3, 1);
  g.relations.SetWar(3, 2, 1);
  g.scenarioFlags[77] = -4;
  g.countries[2]->ai.maxSafeMoveCost = 9;
  const std::string scenarioGame = DescribeGameState(g);
  ASSERT_NE(scenarioGame.find("sighted"), std::string::npos);
  const sSaveResult first = cZapisGry().SaveGame(L"first", true);
  ASSERT_TRUE(first.ok) << WideToUtf8(first.error);
  DestroyGame();

  log.Clear();
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\first\\%s", 2}), 0);
  EXPECT_EQ(ProblemLines(log), std::vector<std::wstring>{}) << "loading the save";
  EXPECT_EQ(LineDifference(scenarioGame, DescribeGameState(*gGra)), "");
  const sSaveResult second = cZapisGry().SaveGame(L"second", true);
  ASSERT_TRUE(second.ok) << WideToUtf8(second.error);
  DestroyGame();

  const auto firstBytes = FolderBytes("data/save/first");
  const auto secondBytes = FolderBytes("data/save/second");
  EXPECT_EQ(firstBytes.size(), 24u);
  for (const auto& [file, bytes] : firstBytes) {
    ASSERT_EQ(secondBytes.count(file), 1u) << file;
    EXPECT_TRUE(secondBytes.at(file) == bytes) << file << " differs";
  }
  EXPECT_EQ(secondBytes.size(), firstBytes.size());

  // The date a player sees is the clock's, in local time.
  std::tm local{};
  localtime_r(&savedAt, &local);
  char date[40];
  std::snprintf(date, sizeof date, "Date = %02d.%02d.%02d %02d:%02d\r\n", local.tm_year % 100, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min);
  EXPECT_NE(firstBytes.at("Info.ini").find(date), std::string::npos) << firstBytes.at("Info.ini");

  // The second save loads to the same game again.
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\second\\%s", 2}), 0);
  EXPECT_EQ(LineDifference(scenarioGame, DescribeGameState(*gGra)), "");
}

// A game saved in the middle of a later month: the saved games' list shows
// that turn's date, and the save loaded and saved again says the same.
TEST_F(TwoShores, AGameSavedMidMonthShowsItsTurnsDateAndReloadsToTheSameInfo) {
  cFixedSaveClock clock(1700000000);
  ASSERT_EQ(LoadNewScenario(Scenario()), 0);
  // From 16 September on to 16 October.
  gGra->EndOfImpulse(true);
  gGra->EndOfImpulse(true);
  ASSERT_EQ(std::tuple(gGra->date.turn, gGra->date.month, gGra->date.year), std::tuple(2, 10, 1939));
  ASSERT_TRUE(cZapisGry().SaveGame(L"first", true).ok);
  DestroyGame();
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\first\\%s", 2}), 0);
  ASSERT_TRUE(cZapisGry().SaveGame(L"second", true).ok);
  DestroyGame();

  const std::string first = FolderBytes("data/save/first").at("Info.ini");
  EXPECT_EQ(FolderBytes("data/save/second").at("Info.ini"), first);
  for (const char* line : {"\r\nGameDayDisplayed = 16\r\n", "\r\nGameMonthDisplayed = 10\r\n",
                           "\r\nGameYearDisplayed = 1939\r\n", "\r\nGameDay = 16\r\n"})
    EXPECT_NE(first.find(line), std::string::npos) << line << first;
}

}  // namespace
