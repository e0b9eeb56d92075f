// Checking and firing events: the date window, the checked flags, PBEM
// rules, who decides, reports, messages, the re-firing bound, options,
// descriptions and the text files.
#include <fstream>

#include "core/game_lock.h"

#include "events/events_test_support.h"
#include "persistence/auto_events.h"
#include "rules/worker_thread.h"
#include "support/recording_front_end.h"
#include "world/reports.h"

using namespace events_test;

namespace {

const std::string kAlwaysTrue = Condition("and", Compare("Game.GetCurrentTurn", "", "greaterOrEqual", "0"));
const std::string kAlwaysFalse = Condition("and", Compare("Game.GetCurrentTurn", "", "less", "0"));

std::string Options(std::initializer_list<int> chances) {
  std::string s = "    <options>\n";
  int n = 0;
  for (int c : chances) {
    ++n;
    s += "      <option optionID=\"" + std::to_string(10 * n) + "\" chanceAI=\"" + std::to_string(c) +
         "\">\n        <description>Option " + std::to_string(n) + "</description>\n        <tooltip>Tip " +
         std::to_string(n) + "</tooltip>\n      </option>\n";
  }
  return s + "    </options>\n";
}

TEST(EventDateWindow, TheFourCases) {
  // Three turns a month: turn 2 of May 1941 is the 11th.
  const int tpm[12] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
  sGameDate date;
  date.turn = 2;
  date.month = 5;
  date.year = 1941;
  struct Case {
    int b[3];
    int e[3];
    bool inside;
  } const u = {{kEventUndefinedInt, 0, 0}, {kEventUndefinedInt, 0, 0}, true};
  const Case cases[] = {
      u,                                                  // no dates: always
      {{11, 5, 1941}, {kEventUndefinedInt, 0, 0}, true},  // begin only: on the day
      {{1, 1, 1941}, {kEventUndefinedInt, 0, 0}, true},   // begin only: after it
      {{12, 5, 1941}, {kEventUndefinedInt, 0, 0}, false}, // begin only: before it
      {{kEventUndefinedInt, 0, 0}, {11, 5, 1941}, true},  // end only: on the day
      {{kEventUndefinedInt, 0, 0}, {1, 6, 1941}, true},   // end only: before it
      {{kEventUndefinedInt, 0, 0}, {10, 5, 1941}, false}, // end only: after it
      {{1, 5, 1941}, {30, 5, 1941}, true},                // both: between
      {{11, 5, 1941}, {11, 5, 1941}, true},               // both: the one day
      {{1, 5, 1940}, {11, 5, 1941}, true},                // both: the end day
      {{12, 5, 1941}, {1, 1, 1942}, false},               // both: not yet
      {{1, 1, 1940}, {10, 5, 1941}, false},               // both: over
  };
  for (const Case& c : cases) {
    sZdarzenie e;
    e.beginDay = c.b[0];
    e.beginMonth = c.b[1];
    e.beginYear = c.b[2];
    e.endDay = c.e[0];
    e.endMonth = c.e[1];
    e.endYear = c.e[2];
    EXPECT_EQ(e.IsInDateWindow(date, tpm), c.inside) << c.b[0] << "." << c.b[1] << "." << c.b[2] << " - " << c.e[0]
                                                       << "." << c.e[1] << "." << c.e[2];
  }
}

TEST(EventChoice, ComputerWeightsOptionsByChance) {
  sZdarzenie e;
  EXPECT_EQ(e.ChooseAiOption(), -1);  // no options
  e.options.resize(3);
  e.options[0].chanceAI = 0;
  e.options[1].chanceAI = 0;
  e.options[2].chanceAI = 0;
  EXPECT_EQ(e.ChooseAiOption(), -1);  // no chance at all
  e.options[0].chanceAI = 100;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(e.ChooseAiOption(), 1);

  // Chances 1, 2, 3: R = 1 + RandomIndex(6); 1 picks option 1, 2-3 option
  // 2, 4-6 option 3. With the seed fixed, the picks follow the draws.
  e.options[0].chanceAI = 1;
  e.options[1].chanceAI = 2;
  e.options[2].chanceAI = 3;
  SeedRandom(99);
  std::vector<int> draws;
  for (int i = 0; i < 12; ++i) draws.push_back(1 + RandomIndex(6));
  SeedRandom(99);
  for (int r : draws) {
    const int expected = r == 1 ? 1 : (r <= 3 ? 2 : 3);
    EXPECT_EQ(e.ChooseAiOption(), expected) << "draw " << r;
  }
  // Over many picks the shares follow the chances.
  SeedRandom(7);
  int counts[4] = {};
  for (int i = 0; i < 6000; ++i) ++counts[e.ChooseAiOption()];
  EXPECT_NEAR(counts[1], 1000, 150);
  EXPECT_NEAR(counts[2], 2000, 200);
  EXPECT_NEAR(counts[3], 3000, 200);
}

TEST(EventPhase, ComputerDecidesAndReportsToEveryCountryWhenVisible) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 2, kAlwaysTrue + Options({0, 5})) +
                     Event(2, 3, kAlwaysTrue + Options({5}))));
  // The second event is invisible: its option runs, nobody hears of it.
  f.ev().events[0].visibleByPlayer = 1;
  f.ev().events[0].title = L"Crisis";
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  f.game().CheckEvents();
  EXPECT_EQ(fe.Count("ShowEventDialog"), 0);
  EXPECT_EQ(f.ev().OptionsRun(), 2);
  int reports = 0;
  for (const sRaport& r : f.game().reports->reports) {
    if (r.kind != 25) continue;
    ++reports;
    EXPECT_EQ(r.text, L"Country2 in Crisis went with option Option 2");
  }
  EXPECT_EQ(reports, 3);
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS FINISHED"));
}

// A front end whose event dialog picks an option at once, as a player
// would, and whose option queues a message as an effect would.
class ChoosingFrontEnd : public cRecordingFrontEnd {
 public:
  int choice = 1;
  FrontEndHandle ShowEventDialog(const sZdarzenie& event) override {
    const FrontEndHandle h = cRecordingFrontEnd::ShowEventDialog(event);
    EXPECT_GT(GameLockHoldCount(), 0) << "the dialog is pushed under the game lock";
    if (event.ExecuteOption(choice)) gGra->events->QueueMessage(L"The effect's news");
    return h;
  }
};

TEST(EventPhase, HumanDecidesInTheDialogThenSeesTheMessages) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, kAlwaysTrue + Options({1, 1}), "")));
  f.ev().events[0].visibleByPlayer = 1;
  f.game().countries[0]->humanControlled = 1;
  ChoosingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  f.game().CheckEvents();
  EXPECT_EQ(fe.Count("ShowEventDialog"), 1);
  EXPECT_TRUE(log.HasPrefix(L"Event fired (ID=1 / Title="));
  ASSERT_EQ(fe.Count("ShowTextDialog"), 1);
  int waits = 0;
  for (const auto& c : fe.calls) {
    if (c.name == "ShowTextDialog") {
      EXPECT_NE(c.text.find(L"The effect's news"), std::wstring::npos);
      EXPECT_EQ(c.value, 684);
    }
    if (c.name == "WaitForDialogClosed") ++waits;
  }
  EXPECT_EQ(waits, 2);

  // A dialog closed without a choice shows no messages.
  fe.choice = 0;
  fe.calls.clear();
  f.game().CheckEvents();
  EXPECT_EQ(fe.Count("ShowEventDialog"), 1);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
}

// A game aborted while the worker's events request is pending, while the
// first of two events is up, or while the first one's condition waits for its
// box, fires nothing more; a pending request starts no events phase at all.
TEST(EventPhase, AnEndingGameFiresNothingMore) {
  class EndingFrontEnd : public ChoosingFrontEnd {
   public:
    void WaitForDialogClosed(FrontEndHandle d, const char* file, int line) override {
      ChoosingFrontEnd::WaitForDialogClosed(d, file, line);
      gGra->SetState(kStateEnding);
    }
    void MessageBox(const std::wstring&, const std::wstring&, eMessageBoxIcon) override { gGra->SetState(kStateEnding); }
  };
  const std::string waits =
      Condition("and", Compare("Country.WyswietlZajebisteOkienko", "param0=\"1\"", "equals", "666"));
  for (const int row : {0, 1, 2}) {
    EventsFixture f;
    f.LoadXml(Document(Event(1, 1, (row == 2 ? waits : kAlwaysTrue) + Options({1}), "") +
                       Event(2, 1, kAlwaysTrue + Options({1}), "")));
    for (sZdarzenie& e : f.ev().events) e.visibleByPlayer = 1;
    f.game().countries[0]->humanControlled = 1;
    if (row == 0) f.game().SetState(kStateEnding);
    EndingFrontEnd fe;
    cFrontEndScope scope(&fe);
    cLogCapture log;
    gWorkerThreadRunning = 1;
    RequestEventsCheck();
    EXPECT_EQ(RunWorkerPass(), row != 0);
    gWorkerThreadRunning = 0;
    gCheckEventsRequest = 0;
    EXPECT_EQ(fe.Count("ShowEventDialog"), row == 1 ? 1 : 0);
    EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
    EXPECT_FALSE(log.Has(L"CHECKING EVENTS FINISHED"));
  }
}

TEST(EventPhaseDeathTest, SaveAndLeaveFromThePbemEventDialogEndsWithCode0) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, kAlwaysTrue + Options({1}))));
  f.ev().events[0].visibleByPlayer = 1;
  f.game().countries[0]->humanControlled = 1;
  f.game().pbem = 1;
  class LeavingFrontEnd : public cRecordingFrontEnd {
   public:
    FrontEndHandle ShowEventDialog(const sZdarzenie& event) override {
      gEventSaveAndExitRequest = true;  // the player saved the turn and left
      return cRecordingFrontEnd::ShowEventDialog(event);
    }
  } fe;
  cFrontEndScope scope(&fe);
  gEventSaveAndExitRequest = true;  // a stale request is cleared before the dialog
  EXPECT_EXIT(
      {
        LogToStderr();
        f.game().CheckEvents();
      },
      ::testing::ExitedWithCode(0), "Event fired \\(ID=1");
  // Not in a hot-seat game.
  f.game().pbem = 0;
  cLogCapture log;
  f.game().CheckEvents();
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS FINISHED"));
  gEventSaveAndExitRequest = false;
}

TEST(EventPhase, PbemRules) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, kAlwaysTrue, " enableInPbem=\"0\"") + Event(2, 2, kAlwaysTrue, " enableInPbem=\"0\"") +
                     Event(3, 3, kAlwaysTrue)));
  f.game().pbem = 1;
  f.game().countries[0]->pbemPlayerId = 1;  // played by a PBEM player: skipped
  f.game().countries[1]->pbemPlayerId = 0;  // the computer's: still checked
  f.game().countries[2]->pbemPlayerId = 2;  // enabled in PBEM games
  for (sZdarzenie& e : f.ev().events) e.visibleByPlayer = 1;
  f.game().countries[2]->humanControlled = 1;
  f.game().pbemEventsByAI = 1;  // the computer chooses for the human too
  gPbemEventsEndTurnRequest = false;
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  f.game().CheckEvents();
  EXPECT_FALSE(log.Has(L"Checking event 1"));
  EXPECT_TRUE(log.Has(L"Checking event 2"));
  EXPECT_TRUE(log.Has(L"Condition for event with ID=3 is true. Firing..."));
  EXPECT_EQ(fe.Count("ShowEventDialog"), 0);
  EXPECT_TRUE(gPbemEventsEndTurnRequest);

  f.game().pbemEventsByAI = 0;
  f.game().CheckEvents();
  EXPECT_EQ(fe.Count("ShowEventDialog"), 1);
  gPbemEventsEndTurnRequest = false;
}

TEST(EventPhase, RefiringIsBoundedToOncePerPhase) {
  EventsFixture f;
  // Neither event is checked only once, and both stay true after firing.
  f.LoadXml(Document(Event(5, 1, kAlwaysTrue) + Event(6, 2, kAlwaysTrue)));
  cLogCapture log;
  f.game().CheckEvents();
  EXPECT_EQ(log.CountContaining(L"is true. Firing..."), 2);
  // The second firing is found by the pass after the first.
  EXPECT_LT(log.IndexOf(L"Condition for event with ID=5 is true. Firing..."),
            log.IndexOf(L"Condition for event with ID=6 is true. Firing..."));
  EXPECT_EQ(log.CountContaining(L"Event 5 fired already in this events phase"), 1);
  EXPECT_EQ(log.CountContaining(L"Event 6 fired already in this events phase"), 1);
  // The next phase may fire them again.
  log.Clear();
  f.game().CheckEvents();
  EXPECT_EQ(log.CountContaining(L"is true. Firing..."), 2);
}

TEST(EventPhase, CheckedFlagsAndSkips) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, kAlwaysFalse) + Event(2, 2, kAlwaysTrue) +
                     Event(3, 3, kAlwaysTrue)));
  f.ev().events[0].oneTimeChecking = 1;
  f.game().countries[2]->active = 0;
  cLogCapture log;
  f.game().CheckEvents();
  // Checked once although another event fired after it.
  EXPECT_EQ(log.CountContaining(L"Checking event 1"), 1);
  EXPECT_EQ(log.CountContaining(L"Condition for event with ID=1 is false."), 1);
  // The inactive country's event writes nothing.
  EXPECT_EQ(log.CountContaining(L"event 3"), 0);
  EXPECT_TRUE(f.ev().checkedFlags[1]);
  f.ev().ClearEventFlags();
  EXPECT_FALSE(f.ev().checkedFlags[1]);

  // Outside the date window.
  log.Clear();
  f.ev().events[0].oneTimeChecking = 0;
  f.ev().events[0].endDay = 1;
  f.ev().events[0].endMonth = 1;
  f.ev().events[0].endYear = 1900;
  f.ev().ClearEventFlags();
  f.ev().CheckEvents();
  EXPECT_TRUE(log.Has(L"Event 1: Current date is outside date range for event"));
}

TEST(EventOptions, ExecuteOptionAndTexts) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, Options({1, 2}))));
  const sZdarzenie& e = f.ev().events[0];
  f.ev().messages = {L"old"};
  EXPECT_FALSE(e.ExecuteOption(0));
  EXPECT_FALSE(e.ExecuteOption(3));
  EXPECT_EQ(f.ev().messages.size(), 1u);
  EXPECT_TRUE(e.ExecuteOption(2));
  EXPECT_TRUE(f.ev().messages.empty());
  std::wstring text = L"unchanged";
  std::wstring tip = L"unchanged";
  e.GetOptionTexts(-1, text, tip);
  EXPECT_EQ(text, L"unchanged");
  e.GetOptionTexts(2, text, tip);
  EXPECT_EQ(text, L"Option 2");
  EXPECT_EQ(tip, L"Tip 2");
}

TEST(EventOptions, EffectsRunUnderTheLockAndBadIdsAreSkipped) {
  EventsFixture f;
  cLogCapture log;
  sEfekt railroads;
  railroads.method = L"Hex.AddRailroads";
  railroads.params[0] = railroads.params[1] = 1;
  ASSERT_TRUE(railroads.Validate());
  f.ev().ExecuteEffect(railroads);
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_EQ(log.CountContaining(L"Hex.AddRailroads"), 0);  // changes nothing, says nothing

  sEfekt active;
  active.method = L"Country.SetActive";
  active.params[0] = 2;
  active.params[1] = 0;
  active.line = 12;
  ASSERT_TRUE(active.Validate());
  // The world changed since the load check.
  delete f.game().countries.back();
  f.game().countries.pop_back();
  active.params[0] = 3;
  f.ev().ExecuteEffect(active);
  EXPECT_TRUE(log.Has(L"Effect Country.SetActive at line 12 skipped"));
  EXPECT_EQ(GameLockHoldCount(), 0);
}

TEST(EventOptions, DoctrineNewsIsQueuedNotShownUnderTheLock) {
  EventsFixture f;
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cPanstwo& c = *f.game().countries[0];
  c.humanControlled = 1;
  c.techLevels[2] = 0;
  for (int& m : c.doctrineMonths) m = 1;  // every counter runs out now
  std::vector<std::wstring> messages;
  c.AdvanceLandDoctrine(&messages);
  EXPECT_GT(c.techLevels[2], 0);
  EXPECT_EQ(messages.size(), static_cast<size_t>(c.techLevels[2]));
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 0);
}

TEST(EventManager, ForceFireAndAutomaticChoices) {
  EventsFixture f;
  f.LoadXml(Document(Event(1, 1, Options({5, 9, 9})) + Event(2, 1, "")));
  cLogCapture log;
  EXPECT_FALSE(f.ev().ForceFireEvent(77));
  EXPECT_TRUE(log.Has(L"Event was not found!"));
  EXPECT_TRUE(f.ev().ForceFireEvent(2));
  EXPECT_EQ(f.ev().currentEvent.eventID, 2);
  EXPECT_EQ(f.ev().OptionsRun(), 0);

  f.game().InitAutoEventsRepository();
  // The first of the best chances; the event without options is left out.
  const std::vector<cAutoEventsRepository::sPair> expected = {{1, 20}};
  EXPECT_EQ(f.game().autoEvents->Pairs(), expected);
}

TEST(EventText, Descriptions) {
  sEfekt fx;
  fx.method = L"Hex.AddLandUnit";
  fx.params[0] = 2.6;
  fx.paramStrings[0] = L"Guards";
  fx.line = 7;
  EXPECT_EQ(fx.Describe(), L"Hex.AddLandUnit(3, \"Guards\")  #line: 7\n");
  sEfekt bare;
  bare.method = L"X.Y";
  bare.line = 1;
  EXPECT_EQ(bare.Describe(), L"X.Y()  #line: 1\n");

  EventsFixture f;
  sZdarzenie e;
  e.eventID = 4;
  e.countryID = 2;
  e.title = L"T";
  e.visibleByPlayer = 1;
  e.condition.isOr = 1;
  sWyrazenie x;
  x.left.method = L"Country.GetVP";
  e.condition.expressions = {x, x};
  e.condition.children.push_back(sWarunek{{x}, {}, 0});
  e.options.resize(1);
  e.options[0].text = L"Go";
  e.options[0].chanceAI = 50;
  const std::wstring d = e.Describe();
  EXPECT_NE(d.find(L"Title:  (T)\nID: 4\nCountry: Country2 (ID = 2)\nVisible by player: Yes\nOne time checking only: "
                   L"No\nTime of possible occurence: all the time\n\nConditions:\n"),
            std::wstring::npos)
      << WideToUtf8(d);
  EXPECT_NE(d.find(L"Conditions:\nCountry.GetVP\n\nOR\nCountry.GetVP\nOR\nCountry.GetVP\n\n----------"), std::wstring::npos) << WideToUtf8(d);
  EXPECT_NE(d.find(L"Option: Go\nTooltip: \nID: -1\nAI chance: 50%\nEffects:\n"), std::wstring::npos);
  e.beginDay = 1;
  e.beginMonth = 9;
  e.beginYear = 1939;
  e.endDay = 2;
  e.endMonth = 3;
  e.endYear = 1940;
  EXPECT_NE(e.Describe().find(L"1-9-1939 to  2- 3-1940"), std::wstring::npos);
}

TEST(EventText, TextFilesDropTheXmlExtension) {
  EXPECT_EQ(cZdarzenia::TextFileNameFor("data\\scenarios\\A\\events.xml"), "data\\scenarios\\A\\events");
  EXPECT_EQ(cZdarzenia::TextFileNameFor("ev.XML"), "ev");
  EXPECT_EQ(cZdarzenia::TextFileNameFor(".xml"), "");
  EXPECT_EQ(cZdarzenia::TextFileNameFor("x"), "");
  EXPECT_EQ(cZdarzenia::TextFileNameFor("events.csv"), "");

  EventsFixture f;
  const std::string good = f.WriteXml(Document(Event(3, 1, kAlwaysTrue + Options({1}))), "good.xml");
  const std::string odd = f.WriteXml(Document(Event(4, 1, "")), "odd.events");
  f.LoadFiles({good, odd});
  cLogCapture log;
  f.ev().WriteAllEventsAsText();
  std::ifstream in(f.dir.File("good"), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("ID: 3\r\n"), std::string::npos);
  EXPECT_NE(text.find("Game.GetCurrentTurn"), std::string::npos);
  EXPECT_EQ(f.ev().events.size(), 2u);  // the events are not read twice into the list
  // The other file keeps its bytes and gets no text beside it.
  EXPECT_EQ(f.dir.Read("odd.events"), Document(Event(4, 1, "")));
  EXPECT_TRUE(log.HasPrefix(L"WARNING: events file"));
}

}  // namespace
