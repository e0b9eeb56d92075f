// The shipped scenario played by the computer alone: loaded headless,
// every country a computer player, through the worker thread until the
// scenario's time runs out, twice with one seed, then saved and loaded again.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "core/game_lock.h"
#include "core/random.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "rules/worker_thread.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/game.h"
#include "world/play_order.h"
#include "units/unit.h"

namespace fs = std::filesystem;

namespace {

const char* const kScenarioFolder = "data/scenarios/AutumnStorm1939";

class ComputerGame : public ::testing::Test {
 protected:
  ComputerGame() : dir_("computer_game"), before_(fs::current_path()) {
    unit_test::LoadShippedStrings();
    fs::create_directories(dir_.File(kScenarioFolder));
    fs::copy(fs::path(BRENNMARK_SOURCE_DIR) / kScenarioFolder, dir_.File(kScenarioFolder), fs::copy_options::recursive);
    fs::current_path(dir_.Path());
    CreateGameLock();
  }
  ~ComputerGame() override {
    StopWorkerThread();
    ClearWorkerSeed();
    if (gGra != nullptr) DestroyGame();
    DeleteGameLock();
    fs::current_path(before_);
  }

  cTempDir dir_;
  fs::path before_;
};

// Loads the scenario with every country a computer player, plays the turns
// through the worker thread with a fixed seed, and saves the final state.
void PlayAndSave(int turnsToPlay, const std::wstring& saveName) {
  SeedRandom(1939);
  ASSERT_EQ(LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)), 0);
  cGra& g = *gGra;
  for (cPanstwo* c : g.countries) c->humanControlled = 0;
  g.turnsLeft = turnsToPlay;
  const int firstTurn = g.turn;
  g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
  g.SetState(kStateComputerPlays);
  SetWorkerSeed(1939);
  StartWorkerThread();
  const auto start = std::chrono::steady_clock::now();
  while (g.GetState() != kStateHumanPlays &&
         std::chrono::steady_clock::now() - start < std::chrono::minutes(10) * BRENNMARK_TEST_TIME_SCALE)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(g.GetState(), kStateHumanPlays) << "the game did not end within its bound";
  EXPECT_EQ(StopWorkerThread(), 0);
  EXPECT_EQ(g.gameOver, 1);
  EXPECT_EQ(g.turnsLeft, 0);
  EXPECT_EQ(g.turn, firstTurn + turnsToPlay);
  EXPECT_EQ(GameLockHoldCount(), 0);
  // No list of the world holds a unit that was killed on the way.
  for (const cJednostkaLadowa* u : g.landUnits) EXPECT_GT(u->strength, 0) << WideToUtf8(u->name);
  for (const cJednostkaLotnicza* u : g.airUnits) EXPECT_GT(u->strength, 0) << WideToUtf8(u->name);
  const sSaveResult saved = cZapisGry().SaveGame(saveName, true);
  ASSERT_TRUE(saved.ok) << WideToUtf8(saved.error);
  DestroyGame();
}

// Every file of a save folder but "Info.ini", which carries the save's date.
std::map<std::string, std::string> SaveBytes(const std::string& name) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::directory_iterator(fs::path("data/save") / name)) {
    if (entry.path().filename() == "Info.ini") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    out[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return out;
}

TEST_F(ComputerGame, TheShippedScenarioPlaysToItsTimeOutAndTheSameSeedGivesTheSameGame) {
  cQuietFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  PlayAndSave(3, L"first");
  PlayAndSave(3, L"second");
  EXPECT_FALSE(log.Has(L"FATAL"));
  const auto first = SaveBytes("first");
  EXPECT_EQ(first.size(), 23u);
  EXPECT_TRUE(first == SaveBytes("second")) << "two games with one seed ended apart";

  // The final state loads again to the same state: saved once more, it
  // gives the same files.
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\first\\%s", 2}), 0);
  EXPECT_FALSE(gGra->landUnits.empty());
  const sSaveResult again = cZapisGry().SaveGame(L"reloaded", true);
  ASSERT_TRUE(again.ok) << WideToUtf8(again.error);
  const auto reloaded = SaveBytes("reloaded");
  for (const auto& [file, bytes] : first) EXPECT_TRUE(reloaded.count(file) && reloaded.at(file) == bytes) << file;
}

}  // namespace
