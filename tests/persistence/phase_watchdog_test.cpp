// The phase watchdog of the whole-game runs: a phase past its bound is
// reported with its name and country, a phase within it is not, and the
// computer player's phase notes reach it through the front end that
// watches a game.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ai/ai.h"
#include "support/whole_game.h"

namespace {

using namespace std::chrono_literals;
using Clock = cPhaseWatchdog::Clock;

TEST(PhaseWatchdog, ReportsTheRunningPhasePastItsBoundWithItsCountry) {
  cPhaseWatchdog dog(100ms);
  const Clock::time_point t0 = Clock::now();
  EXPECT_TRUE(dog.Overrun(t0 + 1h).empty()) << "nothing runs yet";
  dog.Begin("PatchFronts", "Germany", t0);
  EXPECT_TRUE(dog.Overrun(t0 + 100ms).empty()) << "the bound itself is within it";
  const std::string overrun = dog.Overrun(t0 + 250ms);
  EXPECT_NE(overrun.find("PatchFronts of Germany"), std::string::npos) << overrun;
  EXPECT_NE(overrun.find("250 ms"), std::string::npos) << overrun;

  // The next phase starts its own clock; the idle game is never overdue.
  dog.Begin("RebaseAirUnits", "Germany", t0 + 90ms);
  EXPECT_TRUE(dog.Overrun(t0 + 150ms).empty());
  EXPECT_NE(dog.Overrun(t0 + 191ms).find("RebaseAirUnits"), std::string::npos);
  dog.Idle(t0 + 120ms);
  EXPECT_TRUE(dog.Overrun(t0 + 1h).empty());
  EXPECT_EQ(dog.Longest(), "PatchFronts of Germany: 90 ms");
}

TEST(PhaseWatchdog, HearsTheComputerPlayersPhases) {
  whole_game::cWatchingFrontEnd fe(30ms);
  fe.Start();
  NoteAiPhase("ExecuteOperationalMoves");
  std::this_thread::sleep_for(60ms);
  const std::string overrun = fe.Watchdog().Overrun();
  fe.Stop();
  EXPECT_NE(overrun.find("ExecuteOperationalMoves of no country"), std::string::npos) << overrun;
  // Once stopped, a phase note reaches nobody.
  NoteAiPhase("PatchFronts");
  EXPECT_TRUE(fe.Watchdog().Overrun(Clock::now() + 1h).empty());
}

}  // namespace
