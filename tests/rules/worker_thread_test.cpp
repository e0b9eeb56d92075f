// The worker thread: a computer-only game played to its end on the thread,
// the hand-over to a human, the events-check request and the cooperative
// stop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/game_lock.h"
#include "rules/turn_test_support.h"
#include "rules/worker_thread.h"

namespace {

using Clock = std::chrono::steady_clock;
using turn_test::TurnWorld;

// The phase observer runs on the worker thread.
std::atomic<int> gImpulses{0};
std::atomic<int> gFirstDraw{-1};
std::atomic<cGra*> gSetStateOnPhase{nullptr};

void CountImpulses(const char* phase) {
  if (std::string(phase) != "ApplyDoNotAttackCities") return;
  if (gImpulses.fetch_add(1) == 0) gFirstDraw.store(Rand());
  // A computer move shown on the main thread that never ends.
  if (cGra* g = gSetStateOnPhase.load()) g->SetState(kStateComputerMoveShown);
}

class Worker : public ::testing::Test {
 protected:
  Worker() {
    gImpulses = 0;
    gFirstDraw = -1;
    gSetStateOnPhase = nullptr;
    SetAiPhaseObserver(&CountImpulses);
    CreateGameLock();
    SetWorkerSeed(4321);  // every computer turn the same in every run
  }
  ~Worker() override {
    StopWorkerThread();
    SetAiPhaseObserver(nullptr);
    ClearWorkerSeed();
    gCheckEventsRequest = 0;
    gWorkerThreadRunning = 0;
    SetStopWorkerThreadHook(nullptr);
    DeleteGameLock();
  }
  // Waits on the test thread until the game is handed to a human.
  static bool WaitForState(const cGra& g, int state) {
    const auto start = Clock::now();
    while (g.GetState() != state) {
      if (Clock::now() - start > std::chrono::seconds(20) * BRENNMARK_TEST_TIME_SCALE) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  TurnWorld w;
  cLogCapture log;
};

TEST_F(Worker, AComputerOnlyGameRunsToItsTimeOut) {
  w.game().turnsLeft = 4;
  w.StartComputerImpulses();
  SetWorkerSeed(1234);
  StartWorkerThread();
  ASSERT_TRUE(WaitForState(w.game(), kStateHumanPlays));
  EXPECT_EQ(StopWorkerThread(), 0);

  // Four turns were played, one impulse per country each, and the fifth end
  // of turn found the time run out before changing the date.
  EXPECT_EQ(gImpulses.load(), 5 * 3);
  EXPECT_EQ(log.CountContaining(L"Zaczynam wykonywanie konca impulsu"), 5);
  EXPECT_EQ(log.CountContaining(L"Koniec impulsu wykonany"), 4);
  EXPECT_EQ(w.game().gameOver, 1);
  EXPECT_EQ(w.game().turn, 5);
  EXPECT_EQ(w.game().turnsLeft, 0);
  EXPECT_EQ(w.game().date.turn, 2);
  EXPECT_EQ(w.game().date.month, 10);
  // Each country once per impulse, in the play order: axis, allies,
  // comintern.
  std::wstring played;
  for (const std::wstring& line : log.Lines())
    if (line.rfind(L"[AI] C", 0) == 0 && line.find(L": NEW TURN") != std::wstring::npos) played += line.substr(6, 1);
  EXPECT_EQ(played, L"213213213213213");
  int gameOverDialogs = 0;
  for (const auto& c : w.fe.calls) {
    if (c.name != "ShowTextDialog" || c.text.rfind(Txt("game_over") + L"|", 0) != 0) continue;
    ++gameOverDialogs;
    EXPECT_NE(c.text.find(Txt("game_over:_time_has_run_out")), std::wstring::npos);
  }
  EXPECT_EQ(gameOverDialogs, 1);
  // Nobody to hand the game to: no new-turn dialog.
  EXPECT_EQ(w.fe.Count("ShowNewTurnDialog"), 0);
  EXPECT_EQ(GameLockHoldCount(), 0);

  // The seed set for the worker drives its dice.
  SeedRandom(1234);
  EXPECT_EQ(gFirstDraw.load(), Rand());
}

TEST_F(Worker, APassPlaysTheComputersAndHandsTheGameToTheHuman) {
  w.C(1).humanControlled = 1;
  // The order starts with the axis: country 2, then 1 (allies) is human.
  w.StartComputerImpulses();
  ASSERT_EQ(w.game().selection.currentCountry, &w.C(2));
  gWorkerThreadRunning = 1;
  EXPECT_TRUE(RunWorkerPass());
  EXPECT_EQ(gImpulses.load(), 1);
  EXPECT_EQ(w.C(2).finishedTurn, 1);
  EXPECT_EQ(w.game().GetState(), kStateHumanPlays);
  EXPECT_EQ(w.game().selection.currentCountry, &w.C(1));
  EXPECT_EQ(w.game().selection.lastShownCountry, &w.C(1));
  ASSERT_EQ(w.fe.Count("ShowNewTurnDialog"), 1);
  for (const auto& c : w.fe.calls) {
    if (c.name == "ShowNewTurnDialog") {
      EXPECT_EQ(c.value, 1);
    }
  }
  // The game goes back to the player with the panels as they were.
  EXPECT_EQ(w.fe.Count("EnableInfoPanelControls"), 1);
  EXPECT_EQ(w.fe.Count("RestorePanelFolding"), 1);
  EXPECT_EQ(GameLockHoldCount(), 0);
  // Idle now: nothing more to do.
  EXPECT_FALSE(RunWorkerPass());
}

TEST_F(Worker, ACountryWithSpecialFlagsGetsTheEventsCheckInsteadOfADialog) {
  w.C(1).humanControlled = 1;
  w.C(1).countryTypeSpecialFlags = 1;
  w.StartComputerImpulses();
  gWorkerThreadRunning = 1;
  RunWorkerPass();
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS..."));
  EXPECT_EQ(w.fe.Count("ShowNewTurnDialog"), 0);
  EXPECT_EQ(w.game().GetState(), kStateHumanPlays);
}

TEST_F(Worker, PlaceholderCountriesAreSkippedButMarkedFinished) {
  w.C(2).politicalStrength = -1;
  w.C(1).humanControlled = 1;
  w.StartComputerImpulses();
  gWorkerThreadRunning = 1;
  RunWorkerPass();
  EXPECT_TRUE(log.Has(Txt("dummy_country,_ending_sequence")));
  EXPECT_EQ(gImpulses.load(), 0);
  EXPECT_EQ(w.C(2).finishedTurn, 1);
  EXPECT_EQ(w.game().selection.currentCountry, &w.C(1));
}

TEST_F(Worker, AnEventsRequestIsServedOnlyOutsideTheComputerImpulses) {
  w.C(1).humanControlled = 1;
  w.StartComputerImpulses();
  gWorkerThreadRunning = 1;
  RequestEventsCheck();
  RunWorkerPass();  // plays the computers, leaves the request
  EXPECT_EQ(gCheckEventsRequest.load(), 1);
  EXPECT_FALSE(log.Has(L"CHECKING EVENTS..."));
  EXPECT_TRUE(RunWorkerPass());
  EXPECT_EQ(gCheckEventsRequest.load(), 0);
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS..."));
}

TEST_F(Worker, ANullCurrentCountryEndsThePassSafely) {
  w.game().selection.currentCountry = nullptr;
  w.game().SetState(kStateComputerPlays);
  gWorkerThreadRunning = 1;
  EXPECT_TRUE(RunWorkerPass());
  EXPECT_EQ(w.game().GetState(), kStateHumanPlays);
  EXPECT_EQ(w.fe.Count("ShowNewTurnDialog"), 0);
}

TEST_F(Worker, AnEventsRequestReachesTheRunningThread) {
  w.game().SetState(kStateHumanPlays);
  StartWorkerThread();
  RequestEventsCheck();
  const auto start = Clock::now();
  while (gCheckEventsRequest.load() != 0 &&
         Clock::now() - start < std::chrono::seconds(10) * BRENNMARK_TEST_TIME_SCALE)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(StopWorkerThread(), 0);
  EXPECT_EQ(gCheckEventsRequest.load(), 0);
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS..."));
}

// Within its first 200 ms sleep and its budget.
TEST_F(Worker, StoppingAnIdleWorkerIsQuick) {
  EXPECT_EQ(StopWorkerThread(), 0);  // never started
  StartWorkerThread();
  const auto start = Clock::now();
  EXPECT_EQ(StopWorkerThread(), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(200 + kWorkerStopBudgetMs));
  EXPECT_EQ(gWorkerThreadRunning.load(), 0);
}

TEST_F(Worker, AWorkerWaitingForAMoveStopsCooperatively) {
  gSetStateOnPhase = &w.game();
  w.StartComputerImpulses();
  StartWorkerThread();
  ASSERT_TRUE(WaitForState(w.game(), kStateComputerMoveShown));
  const auto start = Clock::now();
  EXPECT_EQ(StopWorkerThread(), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(200 + kWorkerStopBudgetMs));
  // Stopped inside the wait: the move's state is left for the teardown.
  EXPECT_EQ(w.game().GetState(), kStateComputerMoveShown);
  EXPECT_EQ(gImpulses.load(), 1);
}

TEST_F(Worker, TheTeardownStopsTheWorkerBeforeFreeingTheGame) {
  w.StartComputerImpulses();
  w.game().turnsLeft = 1000;
  StartWorkerThread();
  // Let it play a while, then take the game apart under it.
  const auto start = Clock::now();
  while (gImpulses.load() < 10 && Clock::now() - start < std::chrono::seconds(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  DestroyGame();
  EXPECT_EQ(gGra, nullptr);
  EXPECT_EQ(gWorkerThreadRunning.load(), 0);
  EXPECT_TRUE(log.Has(L"---- Destroying done"));
}

}  // namespace
