// The dialog stack: pushing and closing with resumes, the placeholder for
// negative ids, dialogs closing themselves inside their handlers, the
// countdown, and a worker thread that shows a dialog and waits for it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/game_lock.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "screens/ui_front_end.h"
#include "support/log_capture.h"

namespace {

std::vector<std::string> gTrace;

// Writes down resumes and its own destruction; can close itself from its
// handlers and then still touch its members, which must be alive.
class cProbe : public cDialog {
 public:
  cProbe(std::string name, int id = 100) : cDialog(id, 10, 10, 200, 100), name_(std::move(name)) {}
  ~cProbe() override { gTrace.push_back("~" + name_); }
  void OnResume() override { gTrace.push_back("resume " + name_); }
  void OnEvent(UINT, int controlId, CFWControl*) override {
    CloseDialogs(1);
    lastControl_ = controlId;  // still our own memory: destruction waits
    gTrace.push_back("handled " + name_ + " " + std::to_string(lastControl_));
  }
  void OnKeyboard(UINT key, bool, bool) override { gTrace.push_back("key " + name_ + " " + std::to_string(key)); }
  void OnCountdown(float) override {
    if (extraSeconds_ > 0) m_fCountdownSeconds = extraSeconds_;
    extraSeconds_ = 0;
  }
  std::string name_;
  int lastControl_ = 0;
  float extraSeconds_ = 0;
};

class DialogStackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateGameLock();
    ResetDialogStack();
    gTrace.clear();
  }
  void TearDown() override { ResetDialogStack(); }
  std::vector<cProbe*> Open(int n) {
    std::vector<cProbe*> out;
    for (int i = 0; i < n; ++i) {
      out.push_back(new cProbe("d" + std::to_string(i)));
      PushDialog(out.back(), 0);
    }
    gTrace.clear();
    return out;
  }
};

TEST_F(DialogStackTest, CloseDialogsClosesFromTheTopAndResumesWhatItUncovers) {
  struct sCase {
    int open, n;
    size_t left;
    std::vector<std::string> trace;
  } cases[] = {
      {1, 2, 0, {"~d0"}},
      {3, 2, 1, {"~d2", "resume d1", "~d1", "resume d0"}},
      {3, -1, 0, {"~d2", "resume d1", "~d1", "resume d0", "~d0"}},
      {2, 0, 2, {}},
      {2, -2, 2, {}},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.open << " open, CloseDialogs(" << c.n << ")");
    std::vector<cProbe*> d = Open(c.open);
    CloseDialogs(c.n);
    EXPECT_EQ(gTrace, c.trace);
    ASSERT_EQ(DialogStack().size(), c.left);
    EXPECT_EQ(gCurrentDialog, c.left == 0 ? nullptr : static_cast<cDialog*>(d[c.left - 1]));
    ResetDialogStack();
    gTrace.clear();
  }
}

TEST_F(DialogStackTest, PushDepthsDownToAndFind) {
  cProbe* a = new cProbe("a", 480);
  cProbe* b = new cProbe("b", 550);
  PushDialog(a, 0);
  PushDialog(b, -1);  // below the top
  EXPECT_EQ(DialogStack(), (std::vector<cDialog*>{b, a}));
  EXPECT_EQ(gCurrentDialog, a);
  cProbe* c = new cProbe("c", 480);
  PushDialog(c, -9);  // clamped to the bottom
  PushDialog(nullptr, 0);
  EXPECT_EQ(DialogStack(), (std::vector<cDialog*>{c, b, a}));
  EXPECT_EQ(FindDialogById(480), c);  // searched from the bottom
  EXPECT_EQ(FindDialogById(1), nullptr);
  cProbe* d = new cProbe("d", 940);
  PushDialog(d, 3);  // above the top is not allowed: on top
  EXPECT_EQ(DialogStack().back(), d);
  EXPECT_EQ(gCurrentDialog, d);
}

TEST_F(DialogStackTest, CloseDownToClosesTheDialogAndEverythingAboveIt) {
  std::vector<cProbe*> d = Open(3);
  cProbe* top = new cProbe("top", 940);
  PushDialog(top, 0);
  CloseDialogsDownTo(7777);
  EXPECT_EQ(DialogStack().size(), 4u);
  // The id 100 nearest the top is d2, second from the top.
  CloseDialogsDownTo(100);
  EXPECT_EQ(DialogStack(), (std::vector<cDialog*>{d[0], d[1]}));
  EXPECT_EQ(gTrace, (std::vector<std::string>{"~top", "resume d2", "~d2", "resume d1"}));
}
TEST_F(DialogStackTest, OnePlaceholderStandsForNegativeIdsAndTheEntryItselfIsDestroyed) {
  Open(1);
  PushDialog(new cProbe("hidden1", -5), 0);
  cDialog* placeholder = gCurrentDialog;
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(placeholder->Id(), kDialogPlaceholder);
  EXPECT_FALSE(placeholder->IsVisible());
  PushDialog(new cProbe("hidden2", -6), 0);
  EXPECT_EQ(gCurrentDialog, placeholder);
  CloseDialogs(1);
  // The stacked entry is destroyed, not the placeholder that stood for it,
  // and uncovering the next negative entry reuses the same placeholder.
  EXPECT_EQ(gTrace, (std::vector<std::string>{"~hidden2"}));
  EXPECT_EQ(gCurrentDialog, placeholder);
  CloseDialogs(1);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"~hidden2", "~hidden1", "resume d0"}));
  EXPECT_EQ(gCurrentDialog, DialogStack().back());
}

TEST_F(DialogStackTest, ADialogClosingItselfInItsHandlerIsDestroyedAfterTheHandler) {
  std::vector<cProbe*> d = Open(2);
  OnDialogGuiEvent(kGuiEventButtonClicked, 42, nullptr);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"resume d0", "handled d1 42", "~d1"}));
  EXPECT_EQ(DialogStack(), (std::vector<cDialog*>{d[0]}));
  // A hidden top stays current but lets keys pass on, and takes no events.
  d[0]->Gui().SetVisible(false);
  EXPECT_FALSE(DialogKeyboard(27, true, false));
  OnDialogGuiEvent(kGuiEventButtonClicked, 43, nullptr);
  EXPECT_EQ(gCurrentDialog, d[0]);
  d[0]->Gui().SetVisible(true);
  EXPECT_TRUE(DialogKeyboard(27, true, false));
  EXPECT_EQ(gTrace.back(), "key d0 27");
}

TEST_F(DialogStackTest, CountdownStepsAndActions) {
  struct sCase {
    const char* what;
    int stopped;
    float seconds;
    int action;
    float extra;  // seconds OnCountdown gives back
    float after;
    bool visible, onStack;
  } cases[] = {
      {"stopped by default", 1, 0.5f, kCountdownClose, 0, 0.5f, true, true},
      {"no countdown", 0, -1.0f, kCountdownClose, 0, -1.0f, true, true},
      {"still running", 0, 0.5f, kCountdownClose, 0, 0.4f, true, true},
      {"zero fires at the next step", 0, 0.0f, kCountdownClose, 0, -1.0f, true, false},
      {"OnCountdown gives more time", 0, 0.05f, kCountdownClose, 2.0f, 2.0f, true, true},
      {"hides", 0, 0.1f, kCountdownHide, 0, -1.0f, false, true},
      {"unknown action does nothing", 0, 0.1f, 7, 0, -1.0f, true, true},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    cProbe* p = new cProbe("p");
    PushDialog(p, 0);
    p->m_nCountdownStopped = c.stopped;
    p->m_fCountdownSeconds = c.seconds;
    p->m_nCountdownAction = c.action;
    p->extraSeconds_ = c.extra;
    UpdateCurrentDialogCountdown(0.1f);
    EXPECT_EQ(IsDialogOnStack(p), c.onStack);
    if (c.onStack) {
      EXPECT_NEAR(p->m_fCountdownSeconds, c.after, 1e-5);
      EXPECT_EQ(p->IsVisible(), c.visible);
      if (!c.visible) {  // action 3 shows it again
        p->m_fCountdownSeconds = 0.0f;
        p->m_nCountdownAction = kCountdownShow;
        UpdateCurrentDialogCountdown(0.1f);
        EXPECT_TRUE(p->IsVisible());
      }
    }
    ResetDialogStack();
  }
}

TEST_F(DialogStackTest, OnlyAPositiveIdGivesTheDraggableFrame) {
  cDialog framed(300, 5, 5, 50, 50);
  ASSERT_NE(framed.Gui().GetControl(300), nullptr);
  EXPECT_TRUE(framed.Gui().GetControl(300)->m_bMovable);
  cDialog bare(0, 5, 5, 50, 50);
  EXPECT_EQ(bare.Gui().ControlCount(), 0u);
}

TEST_F(DialogStackTest, AWorkerShowsADialogAndWaitsWithoutTheLockUntilTheMainThreadClosesIt) {
  cLogCapture log;
  std::atomic<cDialog*> shown{nullptr};
  std::atomic<int> holdsWhileWaiting{-1};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    GAME_LOCK();
    cProbe* d = new cProbe("asked");
    PushDialog(d, 0);
    const std::string name = DialogClassName(*d);
    GAME_UNLOCK();
    shown = d;
    holdsWhileWaiting = GameLockHeldByThisThread();  // the frames' holds are the main thread's
    WaitForDialogClosed(d, name, "worker.cpp", 7);
    done = true;
  });
  // The main thread keeps drawing frames until the player answers, who
  // does once the worker waits.
  while (shown.load() == nullptr) RenderDialogStack(0.01f);
  for (int i = 0; i < 3 || log.CountContaining(L"WBC:") == 0; ++i) {
    RenderDialogStack(0.01f);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  EXPECT_FALSE(done.load());
  OnDialogGuiEvent(kGuiEventButtonClicked, 1, nullptr);
  worker.join();
  EXPECT_TRUE(done.load());
  EXPECT_EQ(holdsWhileWaiting.load(), 0);
  EXPECT_TRUE(DialogStack().empty());
  EXPECT_GE(log.CountContaining(L"WBC:(anonymous namespace)::cProbe:worker.cpp:7"), 2);
}

TEST_F(DialogStackTest, WaitingForAClosedDialogTakesOnePass) {
  cLogCapture log;
  cProbe* d = new cProbe("gone");
  PushDialog(d, 0);
  const std::string name = DialogClassName(*d);
  CloseDialogs(1);
  const auto start = std::chrono::steady_clock::now();
  WaitForDialogClosed(d, name, "here.cpp", 1);  // d is gone; only compared
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_EQ(log.CountContaining(L"WBC:"), 1);
}
}  // namespace

namespace {
// The worker asks the front end for a message and waits; the main thread
// builds it in its next frame, and the player's Enter closes it.
TEST_F(DialogStackTest, AMessageFromTheWorkerIsBuiltAndAnsweredOnTheMainThread) {
  cLogCapture log;
  InstallUiFrontEnd();
  std::atomic<bool> asked{false}, done{false};
  std::thread worker([&] {
    const FrontEndHandle h = FrontEnd().ShowTextDialog(L"Enemy fleet sighted", L"Fleet detected", kMessageLayoutBase);
    asked = true;
    FrontEnd().WaitForDialogClosed(h, "worker.cpp", 12);
    done = true;
  });
  while (!asked.load()) std::this_thread::yield();
  EXPECT_TRUE(DialogStack().empty()) << "the worker builds no dialog itself";
  UiFrontEnd()->RunQueuedWork();  // the main thread's frame
  ASSERT_EQ(FrontEnd().TopDialogId(), kDialogMessage);
  RenderDialogStack(0.01f);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_FALSE(done.load());
  EXPECT_TRUE(DialogKeyboard(13, true, false));
  worker.join();
  EXPECT_TRUE(done.load());
  EXPECT_EQ(FrontEnd().TopDialogId(), kNoDialog);
  EXPECT_GE(log.CountContaining(L"WBC:cDialogTekstowy:worker.cpp:12"), 1);
  DropUiFrontEnd();
}
}  // namespace
