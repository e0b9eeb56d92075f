// The menu base: one current menu, the old one retired by the next one's
// constructor (after its own handler has returned), the version label, and
// keys given to a dialog open over the menu first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game_lock.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "screens/menu.h"
#include "support/log_capture.h"

namespace {

std::vector<std::string> gMenuTrace;

class cProbeMenu : public cMenu {
 public:
  explicit cProbeMenu(std::string name) : name_(std::move(name)) {
    gMenuTrace.push_back("built " + name_ + (gCurrentMenu == nullptr ? " while none current" : ""));
  }
  ~cProbeMenu() override { gMenuTrace.push_back("~" + name_); }
  void OnEvent(UINT, int controlId, CFWControl*) override {
    const std::string next = name_ + "+";
    gCurrentMenu = new cProbeMenu(next);
    // The handler still runs on its own object after the switch.
    events_ = controlId;
    gMenuTrace.push_back("handled " + name_ + " " + std::to_string(events_));
  }
  void OnKeyboard(UINT key, bool, bool) override { gMenuTrace.push_back("menu key " + std::to_string(key)); }
  std::string name_;
  int events_ = 0;
};

class cKeyDialog : public cDialog {
 public:
  cKeyDialog() : cDialog(701, 0, 0, 100, 100) {}
  void OnKeyboard(UINT key, bool, bool) override { gMenuTrace.push_back("dialog key " + std::to_string(key)); }
};

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateGameLock();
    DestroyAllMenus();
    ResetDialogStack();
    gMenuTrace.clear();
  }
  void TearDown() override {
    DestroyAllMenus();
    ResetDialogStack();
  }
};

TEST_F(MenuTest, TheNextMenuRetiresTheCurrentOne) {
  cLogCapture log;
  gCurrentMenu = new cProbeMenu("first");
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"-- Setting callbacks"}));
  log.Clear();
  gCurrentMenu = new cProbeMenu("second");
  EXPECT_EQ(log.Lines(), (std::vector<std::wstring>{L"-- Deleting old menu", L"-- Setting callbacks"}));
  EXPECT_EQ(gMenuTrace,
            (std::vector<std::string>{"built first while none current", "~first", "built second while none current"}));
  EXPECT_FALSE(gCurrentMenu->GetVisible()) << "a menu shows itself only at the end of its own constructor";
}

TEST_F(MenuTest, AMenuSwitchingInsideItsHandlerIsDestroyedAfterTheHandler) {
  gCurrentMenu = new cProbeMenu("main");
  gMenuTrace.clear();
  OnMenuGuiEvent(kGuiEventButtonClicked, 71, nullptr);
  EXPECT_EQ(gMenuTrace, (std::vector<std::string>{"built main+ while none current", "handled main 71", "~main"}));
  ASSERT_NE(gCurrentMenu, nullptr);
  EXPECT_EQ(static_cast<cProbeMenu*>(gCurrentMenu)->name_, "main+");
}

TEST_F(MenuTest, KeysGoToAVisibleDialogOverTheMenuFirst) {
  gCurrentMenu = new cProbeMenu("settings");
  OnMenuKeyboard(27, true, false);
  cKeyDialog* refusal = new cKeyDialog;
  PushDialog(refusal, 0);
  OnMenuKeyboard(27, true, false);
  refusal->Gui().SetVisible(false);
  OnMenuKeyboard(13, true, false);
  EXPECT_EQ(gMenuTrace, (std::vector<std::string>{"built settings while none current", "menu key 27",
                                                  "dialog key 27", "menu key 13"}));
}

TEST_F(MenuTest, VersionLabelShowsTheBuildOnlyWhenNotAMultipleOfAHundred) {
  EXPECT_EQ(VersionText(L"Brennmark", 1.05, 500), L"Brennmark v1.05");
  EXPECT_EQ(VersionText(L"Brennmark", 1.05, 501), L"Brennmark v1.05 [build 501]");
  EXPECT_EQ(VersionText(L"Brennmark", 0.1, 7), L"Brennmark v0.10 [build   7]");
}
}  // namespace
