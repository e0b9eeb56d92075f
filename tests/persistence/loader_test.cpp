// Loading a game: the shipped scenario loads headless without a warning,
// with its progress and front-end calls in order; a saved game restores its
// state tables; broken folders end with a clear line, never a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/ini_file.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/strategic_moves.h"

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
  EXPECT_EQ(g.lastMonthlyUpdate, cGra::kNoMonthlyUpdate);
  // Every city stands on its hex, and ai_data.csv reached the countries.
  for (const cMiasto* c : g.cities) EXPECT_EQ(g.map->GetHex(c->x, c->y)->city, c);
  EXPECT_FALSE(g.countries.front()->ai.doNotAttackCities.empty());
}

}  // namespace
