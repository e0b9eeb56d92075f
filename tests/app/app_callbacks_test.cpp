// The game's callbacks: what the frame draws of the dialog stack, where a
// window message goes, and the traced sleep's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "core/game_lock.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "framework/traced_sleep.h"
#include "gui/gui_test_support.h"
#include "platform/clock.h"
#include "screens/menu.h"
#include "support/log_capture.h"

namespace {

std::vector<std::string> gSeen;

class cSeenDialog : public cDialog {
 public:
  cSeenDialog(std::string name, int id) : cDialog(id, 0, 0, 320, 240), name_(std::move(name)) {
    m_GuiDialog.AddButton(1, L"press", 10, 10, 100, 40);
  }
  void Render(float elapsed) override {
    gSeen.push_back("drawn " + name_);
    cDialog::Render(elapsed);
  }
  void OnEvent(UINT, int controlId, CFWControl*) override {
    gSeen.push_back("event " + name_ + " " + std::to_string(controlId));
  }
  std::string name_;
};

class cSeenMenu : public cMenu {
 public:
  cSeenMenu() {
    AddButton(2, L"menu", 10, 10, 100, 40);
    SetVisible(true);
  }
  void OnEvent(UINT, int controlId, CFWControl*) override { gSeen.push_back("menu " + std::to_string(controlId)); }
};

class AppCallbacksTest : public gui_test::RenderTest {
 protected:
  void SetUp() override {
    gui_test::RenderTest::SetUp();
    CreateGameLock();
    gSeen.clear();
  }
  void TearDown() override {
    ResetDialogStack();
    DestroyAllMenus();
    gui_test::RenderTest::TearDown();
  }
  bool Click() {
    bool stop = false;
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
      OnMsgProc(nullptr, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MakeLParam(50, 30), &stop);
    return stop;
  }
};

TEST_F(AppCallbacksTest, TheFrameDrawsVisibleDialogsWithAnIdBottomFirst) {
  PushDialog(new cSeenDialog("bottom", 300), 0);
  PushDialog(new cSeenDialog("negative", -4), 0);
  auto* hidden = new cSeenDialog("hidden", 301);
  PushDialog(hidden, 0);
  hidden->Gui().SetVisible(false);
  PushDialog(new cSeenDialog("top", 302), 0);
  OnMenuFrameRender(device, 0.0, 0.01f);
  EXPECT_EQ(gSeen, (std::vector<std::string>{"drawn bottom", "drawn top"}));
  EXPECT_EQ(GameLockHoldCount(), 0);
}

TEST_F(AppCallbacksTest, MessagesGoToTheVisibleTopDialogThenToTheMenu) {
  EXPECT_FALSE(Click()) << "nothing to take it";
  gCurrentMenu = new cSeenMenu();
  auto* d = new cSeenDialog("top", 300);
  PushDialog(d, 0);
  EXPECT_TRUE(Click());
  d->Gui().SetVisible(false);
  Click();
  EXPECT_EQ(gSeen, (std::vector<std::string>{"event top 1", "menu 2"}));
}

TEST_F(AppCallbacksTest, ALongSleepIsFlaggedInPolishBeforeItsTraceLine) {
  cManualClock clock;
  SetPlatformClock(&clock);
  cLogCapture log;
  TracedSleep(11000, "worker.cpp", 3);
  TracedSleep(11001, "worker.cpp", 4);
  SetPlatformClock(nullptr);
  EXPECT_EQ(log.Lines(), (std::vector<std::wstring>{L"S: worker.cpp : 3 : 11000 ms", L"Oj chyba b\u0119dzie zwis",
                                                    L"S: worker.cpp : 4 : 11001 ms"}));
  EXPECT_EQ(clock.TotalSlept(), 22001u);
}
}  // namespace
