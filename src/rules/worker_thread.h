#pragma once
// The worker thread: the second thread of game logic. It plays the computer
// countries' impulses, runs the end of impulse when every country has moved,
// hands the game to the next human country and serves the main thread's
// requests for an events check. The two threads hand the game over through
// its state (9 computer impulses, 10 a computer move shown, 3 end of
// impulse, 7 a human impulse).
#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>

// Set while the worker loop may run; every wait of the worker watches it.
extern std::atomic<uint8_t> gWorkerThreadRunning;
// Set by the main thread to have the worker run one events check outside
// the computer impulses; cleared by the worker after the run.
extern std::atomic<uint8_t> gCheckEventsRequest;

// How long StopWorkerThread waits for the worker before it gives up.
inline constexpr int kWorkerStopBudgetMs = 5000;

// Starts the worker on WorkerThreadProc and installs its stop as the game
// teardown's first step; returns 0. A worker already running is kept. When
// that stop gives up, the process ends (code 1) before anything is freed.
int StartWorkerThread();
// Clears the run flag and waits for the worker to end, giving up the
// caller's game lock meanwhile: 0 when it ended within the budget; 1 when it
// did not, and then the thread is let go (it cannot be killed) and must be
// left whatever it may still touch.
int StopWorkerThread();
// True on the worker once its run flag is cleared, and on any thread once
// the game is ending: every wait of the worker ends then.
bool WorkerMustStop();
// Runs the phases in order, each only while WorkerMustStop() is false: a
// game ending meanwhile runs no phase after the one under way. False when
// the run stopped so (the last phase included).
bool RunPhasesUntilStop(std::initializer_list<std::function<void()>> phases);
// The thread body: seeds the thread's dice, then runs passes while the run
// flag is set; returns 0.
int WorkerThreadProc();
// One pass of the loop on the calling thread: serves an events request
// while no computer plays, or plays the computer impulses (state 9) until a
// human country's turn comes, the game is over or the run flag clears.
// False when there was nothing to do.
bool RunWorkerPass();

// The seed of the next worker's dice; without one it seeds from the clock.
void SetWorkerSeed(uint32_t seed);
void ClearWorkerSeed();

// Asks the worker for one events check.
void RequestEventsCheck();
