#pragma once
// The shipped scenario played from its first turn to its end with every
// country a computer player, through the worker thread, with a fixed seed
// and the quiet front end. A front end of its own watches the game from the
// worker: it times each country's impulse and each whole turn, checks the
// world after every end of turn, notes who played in each impulse and how
// many events fired, and a watchdog bounds every phase. Shared by the
// whole-game tests and the whole-game benchmark, so it needs no test
// framework.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "events/event_manager.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "rules/game_over.h"
#include "rules/worker_thread.h"
#include "support/folder_bytes.h"
#include "support/phase_watchdog.h"
#include "support/world_consistency.h"
#include "world/country.h"
#include "world/game.h"
#include "world/play_order.h"

namespace whole_game {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline constexpr const char* kScenarioFolder = "data/scenarios/AutumnStorm1939";
// The flag that the test events file counts its turns in.
inline constexpr int kTurnCountFlag = 39000;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The processor time of the calling thread: on a machine shared with other
// work, what the game itself took.
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One country's impulse.
struct sImpulse {
  int countryId = 0;
  double seconds = 0.0;
  double cpuSeconds = 0.0;  // the worker's processor time
};

// One turn: its impulses, its end, and what was found after it.
struct sTurn {
  int turn = 0;          // the game's turn when its end ran
  double seconds = 0.0;  // from the end of the turn before to the end of this one
  double cpuSeconds = 0.0;  // the worker's processor time of the same
  std::vector<sImpulse> impulses;
  // Countries in the game at the end of the impulse that did not play, or
  // played more than once.
  std::vector<std::string> playFaults;
  // The world's faults after the end of the turn.
  std::vector<std::string> worldFaults;
  // Event options run during the turn's end.
  int eventsFired = 0;
};

struct sResult {
  // Empty when the game reached its end; else why not (the watchdog's
  // overrun, a time-out).
  std::string failure;
  int loadResult = -1;
  int firstTurn = 0;
  int lastTurn = 0;
  int turnsLeft = 0;
  int gameOver = 0;
  eGameOverCause cause = eGameOverCause::kNone;
  int stopResult = 0;
  int lockHoldCount = 0;
  int turnCountFlag = 0;
  std::vector<sTurn> turns;
  std::string longestPhase;
  bool saved = false;
  std::string saveError;
  // The final save's files, less the line of "Info.ini" with the date of saving.
  std::map<std::string, std::string> saveBytes;
};

// The bytes of every file of a save folder; "Info.ini" without its date of
// saving, so that the game's own date is compared.
inline std::map<std::string, std::string> SaveBytes(const std::string& name) {
  const fs::path folder = fs::path("data/save") / name;
  if (!fs::is_directory(folder)) return {};
  std::map<std::string, std::string> out = FolderBytes(folder);
  if (auto info = out.find("Info.ini"); info != out.end()) {
    std::string& text = info->second;
    if (const size_t date = text.find("\nDate = "); date != std::string::npos)
      text.erase(date + 1, text.find('\n', date + 1) - date);
  }
  return out;
}

// A scratch game folder holding a copy of the shipped scenario, made the
// working directory while it lives; with an events file, the file joins the
// scenario's list of event files. Takes the game lock's life too.
class cGameFolder {
 public:
  explicit cGameFolder(const std::string& tag, const std::string& extraEvents = {}) : before_(fs::current_path()) {
    path_ = fs::temp_directory_path() / ("whole_game_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_ / kScenarioFolder);
    fs::copy(fs::path(BRENNMARK_SOURCE_DIR) / kScenarioFolder, path_ / kScenarioFolder, fs::copy_options::recursive);
    if (!extraEvents.empty()) {
      const fs::path name = fs::path(extraEvents).filename();
      fs::copy_file(extraEvents, path_ / kScenarioFolder / name);
      std::ofstream list(path_ / kScenarioFolder / "event_files.txt", std::ios::binary | std::ios::app);
      list << "data\\scenarios\\AutumnStorm1939\\" << name.string() << "\r\n";
    }
    fs::current_path(path_);
    CreateGameLock();
  }
  ~cGameFolder() {
    StopWorkerThread();
    ClearWorkerSeed();
    if (gGra != nullptr) DestroyGame();
    DeleteGameLock();
    fs::current_path(before_);
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  cGameFolder(const cGameFolder&) = delete;
  cGameFolder& operator=(const cGameFolder&) = delete;

 private:
  fs::path path_;
  fs::path before_;
};

inline bool LoadStrings() {
  static bool loaded = false;
  if (!loaded)
    loaded = gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings");
  return loaded;
}

// The quiet front end, watching the game from the worker thread.
class cWatchingFrontEnd : public cQuietFrontEnd {
 public:
  explicit cWatchingFrontEnd(Clock::duration phaseBound) : watchdog_(phaseBound) {}

  void Start() {
    endOfTurnText_ = Flatten(Txt("end_of_turn"));
    active_.store(this);
    SetAiPhaseObserver(&OnPhase);
    const Clock::time_point now = Clock::now();
    turnStart_ = now;
    impulseStart_ = now;
    turnCpuStart_ = impulseCpuStart_ = -1.0;
  }
  void Stop() {
    SetAiPhaseObserver(nullptr);
    active_.store(nullptr);
    watchdog_.Idle();
  }

  // A country's greeting opens its impulse; the end-of-turn line opens the
  // end of the turn.
  void SetInfoMessage(const std::wstring& text) override {
    cGra* game = gGra;
    if (game == nullptr || active_.load() != this) return;
    const Clock::time_point now = Clock::now();
    if (text.size() > 10 && text.compare(text.size() - 10, 10, L": NEW TURN") == 0 && text.rfind(L"[AI] ", 0) == 0) {
      CloseImpulse(now);
      const cPanstwo* c = game->selection.currentCountry;
      countryInImpulse_ = c != nullptr ? c->id : 0;
      ++played_[countryInImpulse_];
      impulseStart_ = now;
      impulseCpuStart_ = ThreadCpuSeconds();
      // The worker's clock is read on the worker alone.
      if (turnCpuStart_ < 0.0) turnCpuStart_ = impulseCpuStart_;
      watchdog_.Begin("impulse start", CountryName(c), now);
    } else if (text == endOfTurnText_) {
      CloseImpulse(now);
      CheckWhoPlayed(*game);
      current_.turn = game->turn;
      eventsBefore_ = game->events != nullptr ? game->events->OptionsRun() : 0;
      watchdog_.Begin("end of turn", "the game", now);
    }
  }

  // Called by the worker after every end of impulse.
  void RefreshMinimapDate() override {
    cGra* game = gGra;
    if (game == nullptr || active_.load() != this) return;
    const Clock::time_point now = Clock::now();
    current_.seconds = Seconds(now - turnStart_);
    const double cpu = ThreadCpuSeconds();
    current_.cpuSeconds = turnCpuStart_ >= 0.0 ? cpu - turnCpuStart_ : 0.0;
    current_.eventsFired = (game->events != nullptr ? game->events->OptionsRun() : 0) - eventsBefore_;
    current_.worldFaults = world_consistency::CheckWorld(*game);
    turns_.push_back(std::move(current_));
    current_ = sTurn();
    played_.clear();
    turnStart_ = Clock::now();
    impulseStart_ = turnStart_;
    turnCpuStart_ = ThreadCpuSeconds();
    watchdog_.Begin("hand-over to the next impulse", "the game", turnStart_);
  }

  cPhaseWatchdog& Watchdog() { return watchdog_; }
  // Read once the worker has stopped.
  std::vector<sTurn>& Turns() { return turns_; }

 private:
  static std::wstring Flatten(std::wstring text) {
    std::replace(text.begin(), text.end(), L'\n', L' ');
    return text;
  }
  static std::string CountryName(const cPanstwo* c) { return c != nullptr ? WideToUtf8(c->name) : "no country"; }

  static void OnPhase(const char* phase) {
    cWatchingFrontEnd* self = active_.load();
    if (self == nullptr) return;
    const cPanstwo* c = gGra != nullptr ? gGra->selection.currentCountry : nullptr;
    self->watchdog_.Begin(phase, CountryName(c));
  }

  void CloseImpulse(Clock::time_point now) {
    if (countryInImpulse_ == 0) return;
    current_.impulses.push_back(
        {countryInImpulse_, Seconds(now - impulseStart_), ThreadCpuSeconds() - impulseCpuStart_});
    countryInImpulse_ = 0;
  }

  // Every country still in the game played once in the impulse.
  void CheckWhoPlayed(const cGra& game) {
    for (const cPanstwo* c : game.countries) {
      const bool inGame = c->active != 0 && c->politicalStrength != -1;
      const auto it = played_.find(c->id);
      const int times = it == played_.end() ? 0 : it->second;
      if ((inGame && times != 1) || (!inGame && times > 1))
        current_.playFaults.push_back(CountryName(c) + " played " + std::to_string(times) + " times");
    }
    for (const auto& [id, times] : played_)
      if (id == 0) current_.playFaults.push_back("an impulse had no current country");
  }

  static inline std::atomic<cWatchingFrontEnd*> active_{nullptr};
  cPhaseWatchdog watchdog_;
  std::wstring endOfTurnText_;
  Clock::time_point turnStart_{};
  Clock::time_point impulseStart_{};
  double turnCpuStart_ = -1.0;
  double impulseCpuStart_ = 0.0;
  int countryInImpulse_ = 0;
  int eventsBefore_ = 0;
  std::map<int, int> played_;
  sTurn current_;
  std::vector<sTurn> turns_;
};

struct sOptions {
  uint32_t seed = 1939;
  // A bound on every phase of every impulse.
  Clock::duration phaseBound = std::chrono::seconds(60) * BRENNMARK_TEST_TIME_SCALE;
  // A bound on the whole game, for a hang between phases; generous, for a
  // sanitizer's build on a busy machine is many times slower.
  Clock::duration gameBound = std::chrono::hours(2);
  // With a name, the final state is saved under it.
  std::wstring saveName;
  // Land units taken off the map into the reserve pool before that save, so
  // that it holds reserve units that left the map with a supply of their own.
  int unitsToReserve = 0;
};

// Plays the loaded scenario of the working folder to its end. A phase past
// its bound ends the run: when the worker cannot stop, the process ends
// with the watchdog's line on the error stream, for nothing else is safe
// with a worker stuck inside the game.
inline sResult PlayWholeGame(const sOptions& options) {
  sResult result;
  if (!LoadStrings()) {
    result.failure = "the string base could not be loaded";
    return result;
  }
  cWatchingFrontEnd fe(options.phaseBound);
  struct sScope {
    explicit sScope(cFrontEnd* f) { SetFrontEnd(f); }
    ~sScope() { SetFrontEnd(nullptr); }
  } scope(&fe);
  SeedRandom(options.seed);
  result.loadResult = LoadNewScenario(ScenarioLoadRequest(kDefaultScenario));
  if (result.loadResult != 0 || gGra == nullptr) {
    result.failure = "the scenario did not load";
    return result;
  }
  cGra& g = *gGra;
  for (cPanstwo* c : g.countries) c->humanControlled = 0;
  result.firstTurn = g.turn;
  g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
  fe.Start();
  g.SetState(kStateComputerPlays);
  SetWorkerSeed(options.seed);
  StartWorkerThread();
  const Clock::time_point start = Clock::now();
  while (g.GetState() != kStateHumanPlays) {
    std::string overrun = fe.Watchdog().Overrun();
    if (overrun.empty() && Clock::now() - start > options.gameBound) overrun = "the game did not end within its bound";
    if (!overrun.empty()) {
      result.failure = overrun;
      std::fprintf(stderr, "WATCHDOG: %s\n", overrun.c_str());
      std::fflush(stderr);
      // The worker stops between two steps; a step that never ends leaves
      // nothing to do but end the process.
      gWorkerThreadRunning.store(0);
      const Clock::time_point grace = Clock::now();
      while (!fe.Watchdog().Overrun().empty() && Clock::now() - grace < options.phaseBound)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (!fe.Watchdog().Overrun().empty()) std::_Exit(1);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The stop's own wait is no phase of the game.
  fe.Watchdog().Idle();
  result.stopResult = StopWorkerThread();
  fe.Stop();
  result.turns = std::move(fe.Turns());
  result.longestPhase = fe.Watchdog().Longest();
  result.lastTurn = g.turn;
  result.turnsLeft = g.turnsLeft;
  result.gameOver = g.gameOver;
  result.cause = DetermineGameOverCause(g);
  result.lockHoldCount = GameLockHoldCount();
  result.turnCountFlag = g.scenarioFlags[kTurnCountFlag];
  for (int i = 0; i < options.unitsToReserve; ++i) {
    auto it = std::find_if(g.landUnits.begin(), g.landUnits.end(),
                           [](const cJednostkaLadowa* u) { return u->type != kTypeMulberry; });
    if (it != g.landUnits.end()) (*it)->MoveToReservePool();
  }
  if (!options.saveName.empty()) {
    const sSaveResult saved = cZapisGry().SaveGame(options.saveName, true);
    result.saved = saved.ok;
    result.saveError = WideToUtf8(saved.error);
    if (saved.ok) result.saveBytes = SaveBytes(WideToUtf8(options.saveName));
  }
  DestroyGame();
  return result;
}

// The p-th fraction (0..1) of the values, by the nearest rank.
inline double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const double rank = p * static_cast<double>(values.size());
  size_t index = rank <= 1.0 ? 0 : static_cast<size_t>(std::ceil(rank)) - 1;
  return values[std::min(index, values.size() - 1)];
}

}  // namespace whole_game
