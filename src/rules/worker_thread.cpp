#include "rules/worker_thread.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "events/event_manager.h"
#include "persistence/saver.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/play_order.h"
#include "world/selection.h"

std::atomic<uint8_t> gWorkerThreadRunning{0};
std::atomic<uint8_t> gCheckEventsRequest{0};

namespace {

using Clock = std::chrono::steady_clock;

// Never destroyed: a worker still joinable at process exit (a fatal error
// on the worker itself) must not end the process with std::terminate.
std::thread* gWorker = nullptr;
std::atomic<bool> gWorkerFinished{false};
std::atomic<int64_t> gWorkerSeed{-1};

thread_local bool tOnWorker = false;

bool Running() { return gWorkerThreadRunning.load() != 0; }

// A polling wait of the worker: the front end's traced pause (nothing in a
// headless game), and a short real one so that a poll never spins. The
// frame may draw meanwhile.
void PollPause(int milliseconds, int line) {
  cGameLockWait wait;
  FrontEnd().Delay(milliseconds, __FILE__, line);
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void RealSleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Every country of the order has moved: the next impulse begins.
void RunEndOfImpulse(cGra& game) {
  for (cPanstwo* c : game.countries) c->finishedTurn = 0;
  game.selection.SetCurrentCountry(DetermineCurrentCountry(game.countries));
  game.SetState(kStateEndOfImpulse);
  game.EndOfImpulse(true);
  if (WorkerMustStop()) return;
  LogLine(L"Updatuje minimape po koncu impulsu");
  FrontEnd().RefreshMinimapDate();
  game.SetState(kStateComputerPlays);
  // Someone else may take the game into the end of impulse again.
  while (game.GetState() == kStateEndOfImpulse) {
    if (game.gameOver != 0 || WorkerMustStop()) break;
    PollPause(200, __LINE__);
  }
}

void PlayCountry(cGra& game, cPanstwo* country) {
  if (country->politicalStrength == -1 || country->active == 0) {
    LogLine(Txt("dummy_country,_ending_sequence"));
    return;
  }
  const size_t index = static_cast<size_t>(country->id) - 1;
  cAI* ai = index < game.computerPlayers.size() ? game.computerPlayers[index] : nullptr;
  if (ai == nullptr) {
    LogF(L"ERROR: %s has no computer player, its impulse is skipped", country->name.c_str());
    return;
  }
  ai->PlayTurn();
}

// The computer impulses, one country after another; false when the run
// flag cleared on the way.
bool PlayComputerImpulses(cGra& game) {
  LogLine(L"==== STARTING AI THREAD =====");
  for (;;) {
    cPanstwo* country = game.selection.currentCountry;
    if (country == nullptr) {
      // No country can move: the play order found none at the last end of
      // impulse.
      LogLine(L"ERROR: no current country in the computer impulses");
      return true;
    }
    PlayCountry(game, country);
    while (game.GetState() == kStateComputerMoveShown && !WorkerMustStop()) PollPause(50, __LINE__);
    // Nothing of the next country nor of the end of impulse starts then.
    if (WorkerMustStop()) return false;
    country->finishedTurn = 1;
    if (cPanstwo* next = DetermineCurrentCountry(game.countries))
      game.selection.SetCurrentCountry(next);
    else
      RunEndOfImpulse(game);
    if (WorkerMustStop()) return false;
    if (game.gameOver != 0) return true;
    const cPanstwo* current = game.selection.currentCountry;
    if (current == nullptr || current->humanControlled != 0) return true;
  }
}

// The camera goes where the country's player left it.
void ShowCountryView(cGra& game, const cPanstwo& country) {
  float x = 0.0f;
  float y = 0.0f;
  float scale = 0.0f;
  country.GetCameraView(x, y, scale);
  if (scale >= 0.0f && game.map != nullptr) {
    game.map->cameraTargetX = x;
    game.map->cameraTargetY = y;
  } else {
    game.selection.CenterOnUnit(false);
  }
}

// The end of the playing pass: the next country sees its part of the map and
// gets the game.
void HandOver(cGra& game) {
  LogLine(L"==== AI THREAD FINISHED =====");
  LogLine(L"rekalkuluje fog of war");
  cPanstwo* current = game.selection.currentCountry;
  if (current != nullptr) {
    current->RecalculateUnitsVisibility(current->id);
    game.selection.lastShownCountry = current;
    if (current->countryTypeSpecialFlags == 1) {
      game.CheckEvents();
    } else {
      ShowCountryView(game, *current);
      if (current->humanControlled != 0) {
        // Not waited for: the player closes it on the main thread.
        cGameLockGuard lock(__FILE__, __LINE__);
        FrontEnd().ShowNewTurnDialog(current->id);
      }
    }
  }
  game.SetState(kStateHumanPlays);
  game.selection.ClearUnit();
  FrontEnd().EnableInfoPanelControls();
  FrontEnd().RefreshUnitPanel();
  FrontEnd().RestorePanelFolding();
}

// In a PBEM game the play order reaches a country of another player than the
// one at this keyboard (whose id the repository holds) only past the end of
// an impulse that the placeholder's turn handed to the worker. That turn is
// not played here: the main thread saves the game for its player, and the
// game stays in state 3 meanwhile.
bool PassToAnotherPbemPlayer(cGra& game) {
  const cPanstwo* current = game.selection.currentCountry;
  if (game.pbem == 0 || game.gameOver != 0 || current == nullptr || current->humanControlled == 0 ||
      current->countryTypeSpecialFlags == 1)
    return false;
  if (static_cast<int64_t>(ReadPbemRepoEntry(game.pbemGameName)) == current->pbemPlayerId) return false;
  LogF(L"The turn goes to PBEM player %i", current->pbemPlayerId);
  game.SetState(kStateEndOfImpulse);
  game.pbemHandOverRequest.store(true);
  return true;
}

}  // namespace

void SetWorkerSeed(uint32_t seed) { gWorkerSeed.store(seed); }
void ClearWorkerSeed() { gWorkerSeed.store(-1); }
void RequestEventsCheck() { gCheckEventsRequest.store(1); }

bool WorkerMustStop() {
  if (tOnWorker && !Running()) return true;
  const cGra* game = gGra;
  return game != nullptr && game->GetState() == kStateEnding;
}

bool RunPhasesUntilStop(std::initializer_list<std::function<void()>> phases) {
  for (const std::function<void()>& phase : phases) {
    if (WorkerMustStop()) return false;
    phase();
  }
  return !WorkerMustStop();
}

bool RunWorkerPass() {
  cGra* game = gGra;
  if (game == nullptr) return false;
  if (game->GetState() != kStateComputerPlays) {
    // An ending game starts no phase: a request still pending goes with it.
    if (gCheckEventsRequest.load() == 0 || WorkerMustStop()) return false;
    {
      // The events change the world the frame draws; their dialogs' waits
      // give the lock up.
      cGameLockGuard lock(__FILE__, __LINE__);
      game->CheckEvents();
    }
    gCheckEventsRequest.store(0);
    return true;
  }
  // Whatever the computer players and the end of impulse change is drawn by
  // the frame: the worker holds the lock for its steps and gives it up in
  // every wait between them.
  cGameLockGuard lock(__FILE__, __LINE__);
  if (PlayComputerImpulses(*game) && !PassToAnotherPbemPlayer(*game)) HandOver(*game);
  return true;
}

int WorkerThreadProc() {
  tOnWorker = true;
  const int64_t seed = gWorkerSeed.load();
  SeedRandom(seed >= 0 ? static_cast<uint32_t>(seed)
                       : static_cast<uint32_t>(Clock::now().time_since_epoch().count()));
  while (Running()) {
    // Idle: nothing to do until the main thread hands the game over.
    if (!RunWorkerPass()) RealSleep(5);
  }
  gWorkerFinished.store(true);
  return 0;
}

int StartWorkerThread() {
  if (gWorker != nullptr && gWorker->joinable() && !gWorkerFinished.load()) return 0;
  if (gWorker != nullptr && gWorker->joinable()) gWorker->join();
  delete gWorker;
  gWorkerFinished.store(false);
  gWorkerThreadRunning.store(1);
  gWorker = new std::thread([] { WorkerThreadProc(); });
  SetStopWorkerThreadHook([] {
    if (StopWorkerThread() == 0) {
      // What the screen and the worker asked of each other belonged to the
      // game that ends with it.
      gCheckEventsRequest.store(0);
      gPbemEventsEndTurnRequest.store(false);
      return;
    }
    // On the worker itself (its fatal path) the process is ending already.
    if (tOnWorker) return;
    // A worker that outlived its stop may still be inside the game: nothing
    // may be freed under it, and nothing can end it but the process.
    LogLine(L"ERROR: the worker thread is still running; the program ends without freeing the game");
    gConsole.Flush();
    std::_Exit(1);
  });
  return 0;
}

int StopWorkerThread() {
  gWorkerThreadRunning.store(0);
  if (gWorker == nullptr || !gWorker->joinable()) return 0;
  if (gWorker->get_id() == std::this_thread::get_id()) {
    // The worker's own fatal path: it ends with the process.
    gWorker->detach();
    return 1;
  }
  // The worker may be waiting for the lock the caller holds (a menu's
  // handler ending the game).
  cGameLockWait wait;
  RealSleep(200);
  const Clock::time_point start = Clock::now();
  while (!gWorkerFinished.load()) {
    if (Clock::now() - start >= std::chrono::milliseconds(kWorkerStopBudgetMs)) {
      // A thread cannot be killed: it is let go, and the caller must leave
      // everything it may touch alone.
      LogF(L"WARNING: the worker thread did not stop within %i ms", kWorkerStopBudgetMs);
      gWorker->detach();
      delete gWorker;
      gWorker = nullptr;
      return 1;
    }
    RealSleep(50);
  }
  gWorker->join();
  delete gWorker;
  gWorker = nullptr;
  return 0;
}
