// The small scenario played by the computer alone to its end, once with the
// attack loop's move ranges taken again where nothing near a unit changed
// and once with every range flooded anew: the games must end the same.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ai/ai.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/text.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "rules/worker_thread.h"
#include "support/folder_bytes.h"
#include "two_shores_folder.h"
#include "world/country.h"
#include "world/game.h"
#include "world/play_order.h"

namespace {

using persistence_test::TwoShoresFolder;

class TwoShoresGame : public TwoShoresFolder {
 protected:
  TwoShoresGame() { CreateGameLock(); }
  ~TwoShoresGame() override {
    StopWorkerThread();
    ClearWorkerSeed();
    if (gGra != nullptr) DestroyGame();
    DeleteGameLock();
    cAI::reuseMoveRanges = true;
  }

  // Plays the scenario to its end with the seed and returns the final save's
  // files but "Info.ini", which carries the save's date; the number of land
  // combats goes to combats.
  std::map<std::string, std::string> PlayToTheEnd(bool reuse, const std::wstring& saveName, int& combats) {
    cAI::reuseMoveRanges = reuse;
    cLogCapture log;
    SeedRandom(77);
    EXPECT_EQ(LoadNewScenario(Scenario()), 0);
    if (gGra == nullptr) return {};
    cGra& g = *gGra;
    for (cPanstwo* c : g.countries) c->humanControlled = 0;
    g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
    g.SetState(kStateComputerPlays);
    SetWorkerSeed(77);
    StartWorkerThread();
    const auto start = std::chrono::steady_clock::now();
    while (g.GetState() != kStateHumanPlays &&
           std::chrono::steady_clock::now() - start < std::chrono::minutes(5) * BRENNMARK_TEST_TIME_SCALE)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(g.GetState(), kStateHumanPlays) << "the game did not end within its bound";
    EXPECT_EQ(StopWorkerThread(), 0);
    EXPECT_EQ(g.gameOver, 1);
    combats = log.CountContaining(L" is attacked. Directions=");
    const sSaveResult saved = cZapisGry().SaveGame(saveName, true);
    EXPECT_TRUE(saved.ok) << WideToUtf8(saved.error);
    DestroyGame();
    std::map<std::string, std::string> bytes = FolderBytes(std::filesystem::path("data/save") / WideToUtf8(saveName));
    bytes.erase("Info.ini");
    return bytes;
  }
};

TEST_F(TwoShoresGame, RangesTakenAgainWhereNothingChangedEndTheGameAsFullFloodsDo) {
  int reusedCombats = 0;
  int floodedCombats = 0;
  const auto reused = PlayToTheEnd(true, L"reused", reusedCombats);
  const auto flooded = PlayToTheEnd(false, L"flooded", floodedCombats);
  // A game in which nobody fought would prove nothing.
  EXPECT_GT(reusedCombats, 5);
  EXPECT_EQ(reusedCombats, floodedCombats);
  ASSERT_FALSE(reused.empty());
  EXPECT_EQ(reused.size(), flooded.size());
  for (const auto& [file, bytes] : reused)
    EXPECT_TRUE(flooded.count(file) && flooded.at(file) == bytes) << file << " differs";
}

}  // namespace
