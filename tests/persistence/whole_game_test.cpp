// The shipped scenario played by the computer alone from its first turn to
// its end, under the phase watchdog, with the world checked after every end
// of turn and an events file that fires an event at every end of turn:
// twice with one seed, then its final save loaded again.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/text.h"
#include "support/whole_game.h"

namespace {

using namespace whole_game;

// Counts the log lines that report a fatal error; a whole game logs too much
// to keep.
class cFatalLineCounter {
 public:
  cFatalLineCounter() {
    gConsole.SetListener([this](const std::wstring& line) {
      if (line.find(L"FATAL") != std::wstring::npos) ++count;
    });
  }
  ~cFatalLineCounter() { gConsole.SetListener(nullptr); }
  std::atomic<int> count{0};
};

// What every whole game must show, whatever its seed or events.
void ExpectPlayedToItsEnd(const sResult& r) {
  ASSERT_TRUE(r.failure.empty()) << r.failure;
  ASSERT_EQ(r.loadResult, 0);
  EXPECT_EQ(r.stopResult, 0);
  EXPECT_EQ(r.lockHoldCount, 0);
  // It ended by its game-over rule: the time ran out, or one alliance or
  // none is left, or no human country is.
  EXPECT_EQ(r.gameOver, 1);
  EXPECT_NE(r.cause, eGameOverCause::kNone);
  if (r.cause == eGameOverCause::kTimeOut) {
    EXPECT_EQ(r.turnsLeft, 0);
  }
  // One end of turn for every turn from the first to the last, which ends
  // the game without moving the date on.
  ASSERT_EQ(r.turns.size(), static_cast<size_t>(r.lastTurn - r.firstTurn + 1));
  for (size_t i = 0; i < r.turns.size(); ++i) {
    const sTurn& t = r.turns[i];
    SCOPED_TRACE("turn " + std::to_string(t.turn));
    EXPECT_EQ(t.turn, r.firstTurn + static_cast<int>(i));
    EXPECT_TRUE(t.playFaults.empty()) << world_consistency::Summary(t.playFaults);
    EXPECT_TRUE(t.worldFaults.empty()) << world_consistency::Summary(t.worldFaults);
    // Nobody plays twice in one impulse.
    std::set<int> countries;
    for (const sImpulse& imp : t.impulses) EXPECT_TRUE(countries.insert(imp.countryId).second) << imp.countryId;
    EXPECT_FALSE(t.impulses.empty());
  }
}

// The events file rides along with the shipped scenario's own: its events
// change nothing of the world but a flag of their own, which nothing else
// reads, so one pair of games serves every check.
const char* const kEveryTurnEvents = BRENNMARK_TEST_DATA_DIR "/whole_game/every_turn.xml";

// Events fired at every end of turn, and only as often as the file says.
void ExpectAnEventEveryTurn(const sResult& r) {
  for (const sTurn& t : r.turns) EXPECT_GE(t.eventsFired, 1) << "no event fired at the end of turn " << t.turn;
  // Each end of turn brings the flag up to the turn and no further: the
  // condition then fails until the turn moves on.
  EXPECT_EQ(r.turnCountFlag, r.lastTurn);
}

TEST(WholeGame, TheShippedScenarioPlaysToItsEndFiringEventsEveryTurnAndOneSeedGivesOneFinalState) {
#ifdef __SANITIZE_ADDRESS__
  // Two whole games take hours under AddressSanitizer; that build checks the
  // computer player through the three-turn game, and the normal and thread
  // sanitizer builds play this one.
  GTEST_SKIP() << "two whole games are too slow under AddressSanitizer";
#endif
  cFatalLineCounter fatal;
  sOptions options;
  options.saveName = L"first";
  options.unitsToReserve = 3;
  sResult first;
  {
    cGameFolder folder("first", kEveryTurnEvents);
    first = PlayWholeGame(options);
    ExpectPlayedToItsEnd(first);
    ExpectAnEventEveryTurn(first);
    ASSERT_TRUE(first.saved) << first.saveError;
    EXPECT_EQ(first.saveBytes.size(), 24u);

    // The final state loads again to the same state: saved once more, it
    // gives the same files, the game date in Info.ini too.
    ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\first\\%s", 2}), 0);
    EXPECT_EQ(gGra->turn, first.lastTurn);
    EXPECT_EQ(gGra->scenarioFlags[kTurnCountFlag], first.turnCountFlag);
    const sSaveResult again = cZapisGry().SaveGame(L"reloaded", true);
    ASSERT_TRUE(again.ok) << WideToUtf8(again.error);
    const auto reloaded = SaveBytes("reloaded");
    for (const auto& [file, bytes] : first.saveBytes)
      EXPECT_TRUE(reloaded.count(file) && reloaded.at(file) == bytes) << file << " differs after a reload";
  }
  std::vector<double> turns, turnsCpu, impulses, impulsesCpu;
  for (const sTurn& t : first.turns) {
    turns.push_back(t.seconds);
    turnsCpu.push_back(t.cpuSeconds);
    for (const sImpulse& i : t.impulses) {
      impulses.push_back(i.seconds);
      impulsesCpu.push_back(i.cpuSeconds);
    }
  }
  std::printf("%zu turns, ended by %s; longest phase %s\n", first.turns.size(), GameOverCauseKey(first.cause),
              first.longestPhase.c_str());
  std::printf("turn median %.0f ms (worker processor %.0f ms); impulse p95 %.1f ms (worker processor %.1f ms)\n",
              Percentile(turns, 0.5) * 1000.0, Percentile(turnsCpu, 0.5) * 1000.0, Percentile(impulses, 0.95) * 1000.0,
              Percentile(impulsesCpu, 0.95) * 1000.0);

  options.saveName = L"second";
  cGameFolder folder("second", kEveryTurnEvents);
  const sResult second = PlayWholeGame(options);
  ASSERT_TRUE(second.failure.empty()) << second.failure;
  ASSERT_TRUE(second.saved) << second.saveError;
  EXPECT_EQ(second.lastTurn, first.lastTurn);
  EXPECT_EQ(second.turns.size(), first.turns.size());
  for (const auto& [file, bytes] : first.saveBytes)
    EXPECT_TRUE(second.saveBytes.count(file) && second.saveBytes.at(file) == bytes)
        << file << " differs between two games with one seed";
  EXPECT_EQ(fatal.count.load(), 0);
}

}  // namespace
