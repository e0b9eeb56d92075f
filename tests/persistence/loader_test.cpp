// Loading a game: the shipped scenario loads headless without a warning,
// with its progress and front-end calls in order; a saved game restores its
// state tables; broken folders end with a clear line, never a crash.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "core/ini_file.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/shipped_pictures.h"
#include "support/temp_dir.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/reports.h"
#include "world/strategic_moves.h"
#include "world/topography.h"

namespace fs = std::filesystem;

namespace {

const char* const kScenarioFolder = "data/scenarios/AutumnStorm1939";

// A game folder of its own: the shipped scenario copied under
// data/scenarios, the working directory for the test.
class LoaderTest : public ::testing::Test {
 protected:
  LoaderTest() : dir_("loader"), before_(fs::current_path()) {
    unit_test::LoadShippedStrings();
    fs::create_directories(dir_.File(kScenarioFolder));
    fs::copy(fs::path(BRENNMARK_SOURCE_DIR) / kScenarioFolder, dir_.File(kScenarioFolder), fs::copy_options::recursive);
    CopyShippedPictures(dir_.Path());
    fs::current_path(dir_.Path());
  }
  ~LoaderTest() override {
    if (gGra != nullptr) DestroyGame();
    fs::current_path(before_);
  }
  static sLoadRequest Scenario() { return ScenarioLoadRequest(kDefaultScenario); }
  fs::path ScenarioFile(const std::string& name) const { return dir_.File(std::string(kScenarioFolder) + "/" + name); }

  cTempDir dir_;
  fs::path before_;
};

std::vector<std::wstring> Problems(const cLogCapture& log) {
  std::vector<std::wstring> out;
  for (const std::wstring& l : log.Lines())
    if (l.find(L"WARNING") != std::wstring::npos || l.find(L"ERR") != std::wstring::npos) out.push_back(l);
  return out;
}

TEST_F(LoaderTest, ShippedScenarioLoadsWithoutWarningAndReportsProgressInOrder) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  EXPECT_EQ(LoadNewScenario(Scenario()), 0);
  ASSERT_NE(gGra, nullptr);
  EXPECT_EQ(Problems(log), std::vector<std::wstring>{});
  EXPECT_EQ(gGra->GetState(), kStateLoaded);
  EXPECT_TRUE(log.Has(L"-- Loading new scenario done!"));
  EXPECT_TRUE(log.Has(L"---- Game state = 1"));

  std::vector<int> progress;
  std::vector<std::string> order;
  for (const auto& call : fe.calls) {
    if (call.name == "SetLoadingProgress") progress.push_back(call.value);
    if (call.name == "CreateHudPanels" || call.name == "LoadMapSkin" || call.name == "LoadUnitsSkin" ||
        call.name == "FinishLoading")
      order.push_back(call.name);
  }
  EXPECT_EQ(progress, (std::vector<int>{5, 10, 15, 20, 25, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}));
  EXPECT_EQ(order, (std::vector<std::string>{"CreateHudPanels", "LoadMapSkin", "LoadUnitsSkin", "FinishLoading"}));

  cGra& g = *gGra;
  EXPECT_EQ(g.loadMode, 0);
  EXPECT_EQ(g.scenarioName, kDefaultScenario);
  EXPECT_EQ(g.scenarioPath, L"data\\scenarios\\AutumnStorm1939\\%s");
  EXPECT_FALSE(g.countries.empty());
  EXPECT_EQ(g.computerPlayers.size(), g.countries.size());
  ASSERT_NE(g.strategicMoves, nullptr);
  EXPECT_NE(g.convoys, nullptr);
  EXPECT_FALSE(g.seaGraph.nodes.empty());
  EXPECT_NE(g.selection.topography, nullptr);
  // The first end of impulse of a new game ran the monthly part of
  // September and moved the date on from turn 0 to the first turn played,
  // 1 September 1939, the date the first turn shows.
  EXPECT_EQ(g.lastHarbourMonth, 9);
  EXPECT_EQ(g.date.year, 1939);
  EXPECT_EQ(g.date.month, 9);
  EXPECT_EQ(g.date.GetDayOfMonth(TurnsPerMonth(g.consts.turnsPerMonth)), 1);
  EXPECT_EQ(g.turn, 1);
  EXPECT_EQ(std::tuple(g.displayedDay, g.displayedMonth, g.displayedYear), std::tuple(1, 9, 1939));
  // Every city stands on its hex, and ai_data.csv reached the countries.
  for (const cMiasto* c : g.cities) EXPECT_EQ(g.map->GetHex(c->x, c->y)->city, c);
  EXPECT_FALSE(g.countries.front()->ai.doNotAttackCities.empty());
  // Units stand on their hexes, reserve units are in the pools, every ship
  // is in a fleet, and the id counters lie above every id loaded.
  ASSERT_FALSE(g.landUnits.empty());
  for (const cJednostkaLadowa* u : g.landUnits) EXPECT_EQ(g.map->GetHex(u->x, u->y)->unit, u);
  for (const cJednostkaLotnicza* u : g.airUnits) EXPECT_EQ(g.map->GetHex(u->x, u->y)->unit, u);
  for (const cJednostka* u : g.reserve) {
    EXPECT_TRUE(u->IsInReserve());
    EXPECT_LT(u->unitId, u->category == kCategoryLand ? g.landUnitCounter : g.airUnitCounter);
  }
  ASSERT_FALSE(g.navalUnits.empty());
  int previous = 0;
  for (const cJednostkaMorska* s : g.navalUnits) {
    ASSERT_NE(s->fleet, nullptr);
    EXPECT_EQ(s->fleet->id, s->fleetId);
    EXPECT_GT(s->unitId, previous);
    previous = s->unitId;
  }
  EXPECT_LT(previous, g.navalUnitCounter);
  EXPECT_EQ(g.nextFleetNumber, g.fleets.back()->id + 1);
}

using LoaderDeathTest = LoaderTest;

TEST_F(LoaderDeathTest, MissingFilesEndWithTheirLine) {
  struct sCase {
    const char* file;
    const char* message;
  };
  const std::vector<sCase> cases = {
      {"consts.csv", "ERROR: unable to open consts.csv"},
      {"countries.csv", "countries.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"flags.txt", "flags.txt[^B]*Blad otwarcia pliku \\(nie istnieje\\?\\)"},
      {"cities.csv", "cities.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"commanders.csv", "commanders.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"land_units.csv", "land_units.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"air_units.csv", "air_units.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"fleets.csv", "fleets.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"naval_units.csv", "naval_units.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"unit_names.csv", "Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"ai_data.csv", "ai_data.csv[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path file = ScenarioFile(c.file);
    const fs::path aside = dir_.File("aside");
    fs::rename(file, aside);
    EXPECT_EXIT((LogToStderr(), LoadNewScenario(Scenario())), ::testing::ExitedWithCode(1), c.message);
    fs::rename(aside, file);
  }
}

TEST_F(LoaderDeathTest, ASaveNamingAMissingScenarioFailsAtConsts) {
  fs::create_directories("data/save/Lost");
  for (const char* f : {"Info.ini", "countries.csv"}) fs::copy(ScenarioFile(f), fs::path("data/save/Lost") / f);
  cIniFile ini;
  ini.Load(L"data\\save\\Lost\\Info.ini");
  ini.SetString("Save/ScenarioName", L"Gone1940");
  ini.Save();
  EXPECT_EXIT((LogToStderr(), LoadNewScenario(sLoadRequest{L"data\\save\\Lost\\%s", 2})),
              ::testing::ExitedWithCode(1), "data.scenarios.Gone1940.consts.csv\n[^E]*ERROR: unable to open consts.csv");
}

// Exit code 0 after a load or 1 after a fatal line: never a signal.
bool EndedCleanly(int status) { return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1); }

TEST_F(LoaderDeathTest, EveryFileCutShortEndsCleanlyOrLoads) {
  for (const auto& entry : fs::directory_iterator(dir_.File(kScenarioFolder))) {
    const std::string name = entry.path().filename().string();
    if (name == "image.png") continue;
    SCOPED_TRACE(name);
    const std::string whole = dir_.Read(std::string(kScenarioFolder) + "/" + name);
    for (size_t cut : {whole.size() / 2, size_t{7}}) {
      dir_.Write(std::string(kScenarioFolder) + "/" + name, whole.substr(0, cut));
      EXPECT_EXIT(
          {
            LogToStderr();
            LoadNewScenario(Scenario());
            std::_Exit(0);
          },
          EndedCleanly, ::testing::Not(::testing::HasSubstr("Sanitizer")));
    }
    dir_.Write(std::string(kScenarioFolder) + "/" + name, whole);
  }
}

// A saved game: the scenario's tables with the state tables of a game in
// progress, loaded in mode 2.
TEST_F(LoaderTest, ASavedGameRestoresItsStateTables) {
  ASSERT_EQ(LoadNewScenario(Scenario()), 0);
  cGra& g = *gGra;
  ResetCitySupplyTables();
  int n = 0;
  for (cMiasto* c : g.cities) {
    c->supplyInfo[static_cast<size_t>(n) % c->supplyInfo.size()] = 10 + n;
    c->convoyInfo[static_cast<size_t>(n * 7) % c->convoyInfo.size()] = 1;
    ++n;
  }
  cMiasto* first = g.cities.front();
  cMiasto* last = g.cities.back();
  (*g.strategicMoves)[0] = {{first, last}, {}};
  g.countries[1]->airAttackReports = {L"Raid on; the port"};
  g.countries[2]->ai.maxSafeMoveCost = 11;
  cJednostkaLadowa* seen = g.landUnits.back();
  g.countries[0]->airReconSightings = {seen};
  const int seenId = seen->unitId;

  const fs::path save = "data/save/Mid";
  fs::create_directories(save);
  for (const auto& entry : fs::directory_iterator(dir_.File(kScenarioFolder)))
    fs::copy(entry.path(), save / entry.path().filename());
  const std::wstring folder = L"data\\save\\Mid";
  cZapisGry saver;
  saver.SaveTopography(folder);
  saver.SaveCitiesSupplyInfo(folder);
  saver.SaveCitiesConvoyInfo(folder);
  saver.SaveAirshipAttacks(folder);
  saver.SaveAirReconUnits(folder);
  saver.SaveAiData(folder);
  SaveReports(folder);
  cIniFile ini;
  ini.Load(folder + L"\\Info.ini");
  ini.SetInt(kLastMonthlyUpdateKey, 9);
  ini.Save();

  std::vector<std::vector<int32_t>> supply;
  std::vector<std::vector<uint8_t>> convoy;
  for (const cMiasto* c : g.cities) {
    supply.push_back(c->supplyInfo);
    convoy.push_back(c->convoyInfo);
  }
  const int firstX = first->x;
  const int lastX = last->x;
  DestroyGame();

  cLogCapture log;
  ASSERT_EQ(LoadNewScenario(sLoadRequest{folder + L"\\%s", 2}), 0);
  cGra& h = *gGra;
  EXPECT_EQ(Problems(log), std::vector<std::wstring>{});
  EXPECT_EQ(h.loadMode, 2);
  // The scenario-folder files still come from the scenario the save names.
  for (const wchar_t* f : {L"consts.csv", L"cities_diagram.csv", L"sea_edges.csv"})
    EXPECT_TRUE(log.Has(std::wstring(L"data\\scenarios\\AutumnStorm1939\\") + f)) << WideToUtf8(f);
  for (const wchar_t* f : {L"countries.csv", L"map.hwd", L"flags.txt", L"cities.csv", L"relations.csv",
                           L"sea_nodes.csv", L"ai_data.csv", L"topography.csv", L"cities_supply_info.csv"})
    EXPECT_GT(log.CountContaining(std::wstring(L"data\\save\\Mid\\") + f), 0) << WideToUtf8(f);
  size_t i = 0;
  for (const cMiasto* c : h.cities) {
    EXPECT_EQ(c->supplyInfo, supply[i]);
    EXPECT_EQ(c->convoyInfo, convoy[i]);
    ++i;
  }
  ASSERT_EQ((*h.strategicMoves)[0].size(), 2u);
  EXPECT_EQ((*h.strategicMoves)[0].front().front()->x, firstX);
  EXPECT_EQ((*h.strategicMoves)[0].front().back()->x, lastX);
  EXPECT_EQ(h.countries[1]->airAttackReports, (std::list<std::wstring>{L"Raid on, the port"}));
  EXPECT_EQ(h.countries[2]->ai.maxSafeMoveCost, 11);
  ASSERT_EQ(h.countries[0]->airReconSightings.size(), 1u);
  EXPECT_EQ(h.countries[0]->airReconSightings.front()->unitId, seenId);
  EXPECT_EQ(h.lastHarbourMonth, 9);
  DestroyGame();

  // The same folder as a new game ignores the saved-game tables.
  ASSERT_EQ(LoadNewScenario(sLoadRequest{folder + L"\\%s", 0}), 0);
  const tCityGroups& groups = (*gGra->strategicMoves)[0];
  EXPECT_FALSE(groups.size() == 2 && groups.back().empty()) << "the saved groups were read";
  EXPECT_EQ(gGra->countries[1]->airAttackReports.size(), 1u);  // read in every mode
}

}  // namespace
