// The shipped scenario played by the computer alone: loaded headless,
// every country a computer player, through the worker thread until the
// scenario's time runs out, then saved and loaded again.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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

TEST_F(ComputerGame, TheShippedScenarioPlaysToItsTimeOutAndSavesAndReloads) {
  cQuietFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  ASSERT_EQ(LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)), 0);
  cGra& g = *gGra;
  for (cPanstwo* c : g.countries) c->humanControlled = 0;
  const int turnsToPlay = 3;
  g.turnsLeft = turnsToPlay;
  const int firstTurn = g.turn;
  g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
  g.SetState(kStateComputerPlays);
  SetWorkerSeed(1939);
  StartWorkerThread();
  const auto start = std::chrono::steady_clock::now();
  while (g.GetState() != kStateHumanPlays && std::chrono::steady_clock::now() - start < std::chrono::minutes(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(g.GetState(), kStateHumanPlays) << "the game did not end within ten minutes";
  EXPECT_EQ(StopWorkerThread(), 0);
  EXPECT_EQ(g.gameOver, 1);
  EXPECT_EQ(g.turnsLeft, 0);
  EXPECT_EQ(g.turn, firstTurn + turnsToPlay);
  EXPECT_EQ(GameLockHoldCount(), 0);

  // The final state saves, and the save loads again.
  const sSaveResult saved = cZapisGry().SaveGame(L"after_the_war", true);
  ASSERT_TRUE(saved.ok) << WideToUtf8(saved.error);
  DestroyGame();
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\after_the_war\\%s", 2}), 0);
  EXPECT_EQ(gGra->turn, firstTurn + turnsToPlay);
}

}  // namespace
