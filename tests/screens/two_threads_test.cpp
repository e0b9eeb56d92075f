// The main thread and the worker thread on the real game screen: a game
// ended while the worker waits for the main thread ends within the stop's
// budget, an idle screen leaves no lock trace, the frames go on while the
// worker plays a turn, and the turn goes on past a paused move, an aborted
// game and a map pick left open at the end of a turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "ai/ai.h"
#include "core/game_lock.h"
#include "core/settings.h"
#include "dialogs/fleets_dialog.h"
#include "dialogs/settings_dialog.h"
#include "rules/player_actions.h"
#include "rules/sea_battle.h"
#include "rules/worker_thread.h"
#include "support/game_road_helpers.h"
#include "support/game_ui_harness.h"
#include "support/log_capture.h"
#include "screens/pause_menu.h"
#include "units/unit.h"
#include "world/fleet.h"

namespace {

using Clock = std::chrono::steady_clock;
using ui_test::cGameUiHarness;

int TopId() { return gCurrentDialog != nullptr ? gCurrentDialog->Id() : 0; }

// Q, and the end of the turn confirmed when the settings ask for it.
void EndTurn(cGameUiHarness& h) {
  h.Key(SDLK_q);
  if (TopId() == 701) h.ClickLayout(705);
}

// What the computer's turn puts before the player is answered: a sea battle
// fought out, any dialog but the new turn's taken with Enter.
void AnswerWhatComesUp(cGameUiHarness& h) {
  if (ui_test::AnswerSeaBattle(h)) return;
  const int top = TopId();
  if (top != 0 && top != 730) h.Key(SDLK_RETURN);
}

// The turn ended, the computer's turn played, and the player greeted again;
// false when that did not come within the time.
bool PlayTheComputersTurn(cGameUiHarness& h) {
  EndTurn(h);
  const auto deadline = Clock::now() + std::chrono::seconds(90) * BRENNMARK_TEST_TIME_SCALE;
  while (Clock::now() < deadline) {
    h.Frames(1);
    AnswerWhatComesUp(h);
    if (gGra->GetState() == kStateHumanPlays && TopId() == 730) return true;
  }
  return false;
}

// A land unit of Nordmark sent two hexes or more, a second a step: the move
// is still being shown when this returns it (null when none could go).
cJednostkaLadowa* StartAShownMove(cGameUiHarness& h) {
  delayValues[DELAY_HUMAN_MOVE_BETWEEN] = 1000.0f;
  for (cJednostkaLadowa* u : gGra->landUnits) {
    if (u->countryId != 1 || u->actionPoints == 0 || !ui_test::Clickable(h, u->x, u->y)) continue;
    ui_test::ClickHex(h, u->x, u->y);
    for (const sHex& hex : gGra->map->hexes)
      if ((hex.marks & kMarkTargetBits) != 0 && hex.unit == nullptr && HexDistance(u->x, u->y, hex.x, hex.y) >= 2 &&
          ui_test::Clickable(h, hex.x, hex.y)) {
        ui_test::ClickHex(h, hex.x, hex.y);
        return gGra->GetState() == kStateHumanMoveShown ? u : nullptr;
      }
  }
  return nullptr;
}

// The game's end from the main thread while the worker waits on it: the
// stop times itself against its budget and warns past it, and the game is
// freed.
void ExpectTheGameEndsWithinTheStopBudget(cLogCapture& log) {
  DestroyGameAndPictures();
  EXPECT_EQ(gGra, nullptr);
  EXPECT_TRUE(log.Has(L"---- Destroying done"));
  EXPECT_FALSE(log.HasPrefix(L"WARNING: the worker thread did not stop"));
}

// The worker's part of a sea battle with a human's ships: the screen asked
// for, then waited for while the player fights.
struct sBattleOnScreen {
  std::vector<cJednostkaMorska*> first, second;
  std::unique_ptr<cSeaBattle> battle;
};
sBattleOnScreen* gBattle = nullptr;

void OpenBattleOnTheWorker(const char*) {
  if (gBattle == nullptr || gBattle->battle != nullptr) return;
  for (sFlota* f : gGra->fleets) {
    if (f->id == 1) gBattle->first.assign(f->ships.begin(), f->ships.end());
    if (f->id == 4) gBattle->second.assign(f->ships.begin(), f->ships.end());
  }
  gBattle->battle = std::make_unique<cSeaBattle>(gBattle->first, gBattle->second);
  const FrontEndHandle screen = FrontEnd().OpenSeaBattleScreen(*gBattle->battle, [] {});
  FrontEnd().WaitForSeaBattleScreenClosed(screen, __FILE__, __LINE__);
}

// The game ended while the worker waits on the main thread: for a move the
// main thread never walks (no frame after it), and for a sea-battle screen
// the player never closes.
TEST(TwoThreads, AGameEndedWhileTheWorkerWaitsEndsWithinTheStopBudget) {
  struct sCase {
    const char* what;
    bool seaBattle;
    bool (*waiting)();
  };
  const sCase cases[] = {
      {"a computer move", false, [] { return gGra->GetState() == kStateComputerMoveShown; }},
      {"a sea-battle screen", true, [] { return CurrentSeaBattleMenu() != nullptr; }},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    sBattleOnScreen battle;  // outlives the screen, which the harness frees
    cLogCapture log;
    cGameUiHarness h(1024, 768, c.seaBattle ? "end_during_sea_battle" : "end_during_move");
    ui_test::StartSmallScenario(h, {1});
    ASSERT_FALSE(HasFatalFailure());
    if (c.seaBattle) {
      gBattle = &battle;
      SetAiPhaseObserver(&OpenBattleOnTheWorker);
    }
    EndTurn(h);
    const bool reached = h.WaitFor(
        [&] {
          if (!c.seaBattle) AnswerWhatComesUp(h);
          return c.waiting();
        },
        5000);
    if (reached) ExpectTheGameEndsWithinTheStopBudget(log);
    SetAiPhaseObserver(nullptr);
    gBattle = nullptr;
    EXPECT_TRUE(reached);
  }
}

TEST(TwoThreads, AnIdleGameScreenWritesNoLockTrace) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "idle_lock_trace");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  h.Frames(5);
  log.Clear();
  h.Frames(30);
  for (const std::wstring& line : log.Lines()) {
    EXPECT_NE(line.rfind(L"AC:", 0), 0u) << WideToUtf8(line);
    EXPECT_NE(line.rfind(L"RC:", 0), 0u) << WideToUtf8(line);
  }
}

// The worker changes what the frame draws only under the game lock and
// gives the lock up in its waits: frames keep coming through a whole
// computer turn (the thread sanitizer's build checks every access on the
// way).
TEST(TwoThreads, FramesGoOnWhileTheWorkerPlaysATurn) {
  cGameUiHarness h(1024, 768, "frames_during_turn");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  const int turn = gGra->turn;
  EndTurn(h);
  int framesWhileComputerPlays = 0;
  const auto deadline = Clock::now() + std::chrono::minutes(3) * BRENNMARK_TEST_TIME_SCALE;
  bool greeted = false;
  while (!greeted && Clock::now() < deadline) {
    const int state = gGra->GetState();
    if (state == kStateComputerPlays || state == kStateComputerMoveShown) ++framesWhileComputerPlays;
    h.Frames(1);
    AnswerWhatComesUp(h);
    greeted = gGra->GetState() == kStateHumanPlays && TopId() == 730;
  }
  ASSERT_TRUE(greeted) << "state " << gGra->GetState();
  EXPECT_EQ(gGra->turn, turn + 1);
  // A worker that kept the lock through its turn would let one frame in, at
  // its end; how many more come depends on the machine's load.
  EXPECT_GT(framesWhileComputerPlays, 1);
}

// A move paused while it is shown, by the pause menu (resumed) and by the
// preferences (closed with OK): the unit stands on its hex, the player's turn
// goes on, and the computer's turn after it ends.
TEST(TwoThreads, AMovePausedWhileShownEndsOnItsHexAndTheTurnGoesOn) {
  const std::pair<SDL_Keycode, int> pauses[] = {{SDLK_ESCAPE, cPauseMenu::kResume}, {SDLK_F1, cDialogUstawien::kOk}};
  for (const auto& [key, back] : pauses) {
    SCOPED_TRACE(SDL_GetKeyName(key));
    cGameUiHarness h(1024, 768, "move_paused");
    ui_test::StartSmallScenario(h, {1});
    ASSERT_FALSE(HasFatalFailure());
    cJednostkaLadowa* unit = StartAShownMove(h);
    ASSERT_NE(unit, nullptr);
    h.Key(key);
    EXPECT_EQ(gGra->GetState(), kStateScreenStarted);
    h.ClickLayout(back);
    EXPECT_TRUE(h.WaitFor([unit] { return gGra->map->GetHex(unit->x, unit->y)->unit == unit; }, 300));
    EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
    EXPECT_TRUE(PlayTheComputersTurn(h)) << "state " << gGra->GetState();
  }
}

// A game aborted while a move is shown, with a request of the worker for the
// screen not yet served: nothing of it runs over the menus or in the next
// game, whose computer turn ends.
TEST(TwoThreads, NothingOfAGameAbortedDuringAMoveRunsAfterIt) {
  cGameUiHarness h(1024, 768, "abort_during_move");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  const int firstTurn = gGra->turn;
  ASSERT_NE(StartAShownMove(h), nullptr);
  h.Key(SDLK_ESCAPE);
  // The worker's request comes while the player presses Abort.
  const sGuiRect abort = GuiRect(cPauseMenu::kAbort);
  const int x = abort.x + abort.w / 2, y = abort.y + abort.h / 2;
  h.MoveTo(x, y);
  h.Button(true, x, y);
  std::thread([] {
    FrontEnd().ShowNewTurnDialog(1);
    gEndTurnRequest.store(true);  // as a PBEM game's events check asks
  }).join();
  h.Button(false, x, y);
  h.Frames(3);
  EXPECT_EQ(TopId(), 0);
  EXPECT_FALSE(MoveAnimationPending());
  h.ClickLayout(cScenarioMenu::kBack);
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(gGra->turn, firstTurn) << "the new game's first turn was ended for it";
  EXPECT_TRUE(PlayTheComputersTurn(h)) << "state " << gGra->GetState();
}

// The turn ended during a fleet's map pick: the pick ends with it, and on
// the next turn a click on an own unit selects it.
TEST(TwoThreads, AMapPickEndsWithTheTurn) {
  cGameUiHarness h(1024, 768, "pick_over_turn_end");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  FrontEnd().ShowFleetsDialog(3);
  h.Frames(2);
  ASSERT_EQ(TopId(), kDialogFleets);
  CFWDialog& gui = gCurrentDialog->Gui();
  const CFWControl* button = gui.GetControl(cDialogFlot::kMoveFleet);
  h.Click(gui.m_x + button->m_x + button->m_width / 2, gui.m_y + button->m_y + button->m_height / 2);
  ASSERT_EQ(gGra->selection.mapAction, kMapActionFleetMove);
  ASSERT_TRUE(PlayTheComputersTurn(h)) << "state " << gGra->GetState();
  h.Click(h.Width() / 2, h.Height() / 2);
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == 1) {
      ui_test::ClickHex(h, u->x, u->y);
      EXPECT_EQ(gGra->selection.selectedUnit, u);
      break;
    }
}

}  // namespace

// A game ended while the worker is at a step of the computer's turn (held
// there until the end begins): the worker ends at that step, so nothing of
// the turn, of the end of impulse or of the next impulse starts after the
// end, and the ending game keeps its state.
TEST(TwoThreads, AGameEndedDuringTheComputersTurnStartsNothingAfterItsEnd) {
  const wchar_t* const heldAt[] = {L": NEW TURN", L"---- Game state = 10", L"Zaczynam wykonywanie konca impulsu"};
  const wchar_t* const starts[] = {L"NEW TURN", L"[AI]: ", L"Zaczynam wykonywanie", L"Losuje pogode", L"Zmieniam date"};
  for (const wchar_t* at : heldAt) {
    SCOPED_TRACE(WideToUtf8(at));
    std::mutex mutex;
    std::vector<std::wstring> lines;
    std::atomic<bool> held{false};
    cLogCapture log;  // takes the listener below away at the end
    cGameUiHarness h(1024, 768, "end_during_computer_turn");
    ui_test::StartSmallScenario(h, {1});
    ASSERT_FALSE(HasFatalFailure());
    gConsole.SetListener([&](const std::wstring& line) {
      {
        std::lock_guard<std::mutex> g(mutex);
        lines.push_back(line);
      }
      if (line.find(at) == std::wstring::npos || held.exchange(true)) return;
      cGameLockWait wait;  // frames and the end go on meanwhile
      while (!WorkerMustStop()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EndTurn(h);
    ASSERT_TRUE(h.WaitFor(
        [&] {
          AnswerWhatComesUp(h);
          return held.load();
        },
        30000));
    DestroyGameAndPictures();
    std::lock_guard<std::mutex> g(mutex);
    const auto end = std::find(lines.begin(), lines.end(), L"----- Ending game ----");
    ASSERT_NE(end, lines.end());
    for (auto line = end; line != lines.end(); ++line) {
      EXPECT_TRUE(line->find(L"Game state = ") == std::wstring::npos || *line == L"---- Game state = 15")
          << WideToUtf8(*line);
      for (const wchar_t* s : starts) EXPECT_EQ(line->find(s), std::wstring::npos) << WideToUtf8(*line);
    }
  }
}
