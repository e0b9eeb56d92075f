// The scenario menu over a game folder of its own: which folders it lists on
// each tab, the details it reads, and the load mode it starts with.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_lock.h"
#include "gui/fw_control.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "gui/gui_test_support.h"
#include "screens/loading_menu.h"
#include "screens/scenario_menu.h"

namespace {

std::vector<std::pair<std::wstring, int>> gLoads;
int RecordLoad(const std::wstring& pattern, int mode) {
  gLoads.emplace_back(pattern, mode);
  return 0;
}

class ScenarioMenuTest : public gui_test::ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    CreateGameLock();
    std::string lines;
    for (int i = 1; i <= 120; ++i) lines += "DescriptionLine" + std::to_string(i) + "=line " + std::to_string(i) + "\r\n";
    tmp_.Write("data/scenarios/Alpha/Info.ini",
               "[General_ENG]\r\nName=Alpha\r\n" + lines + "[Duration]\r\nTurns=10\r\n[Map]\r\nSizeX=5\r\nSizeY=6\r\n");
    tmp_.Write("data/scenarios/Lesson/Info.ini", "[General_ENG]\r\nName=Lesson\r\n");
    tmp_.Write("data/scenarios/Lesson/tutorial.csv", "");
    std::filesystem::create_directories(tmp_.File("data/scenarios/NoInfo"));
    std::filesystem::create_directories(tmp_.File("data/save"));
    tmp_.Write("data/pbem/Mail/Info.ini", "[General_ENG]\r\nName=Alpha\r\n[Save]\r\nDate=01.02.40 10:00\r\n");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(tmp_.Path());
    savedLoad_ = gScenarioLoad;
    gScenarioLoad = &RecordLoad;
    gLoads.clear();
  }
  void TearDown() override {
    DestroyAllMenus();
    gScenarioLoad = savedLoad_;
    std::filesystem::current_path(previous_);
    ToolkitTest::TearDown();
  }
  cScenarioMenu* Open(int tab) {
    auto* menu = new cScenarioMenu();
    gCurrentMenu = menu;
    menu->FillScenarioList();
    if (tab != 0) menu->Get<CFWTabFrame>(cScenarioMenu::kTabs, FWCONTROL_TABFRAME)->SetActiveTab(tab, true);
    return menu;
  }
  CFWListBox* List(cScenarioMenu* m) { return m->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX); }

  cTempDir tmp_{"scenmenu"};
  std::filesystem::path previous_;
  ScenarioLoadFn savedLoad_ = nullptr;
};

TEST_F(ScenarioMenuTest, TabsListTheirFoldersAndStartWithTheirLoadMode) {
  cScenarioMenu* menu = Open(0);
  ASSERT_EQ(List(menu)->GetSize(), 1) << "no tutorial, no folder without Info.ini";
  EXPECT_EQ(List(menu)->GetItem(0)->Texts, (std::vector<std::wstring>{L"Alpha", L"10", L"5x6"}));
  const std::wstring description = menu->Get<CFWMemo>(cScenarioMenu::kDescription, FWCONTROL_MEMO)->GetText();
  EXPECT_EQ(std::count(description.begin(), description.end(), L'\n'), 99);
  EXPECT_NE(description.find(L"line 99\n"), std::wstring::npos);

  Open(1);  // the saved games: none
  menu = static_cast<cScenarioMenu*>(gCurrentMenu);
  EXPECT_EQ(menu->ListMode(), cScenarioMenu::kSavedGames);
  EXPECT_EQ(List(menu)->GetSize(), 0);
  EXPECT_FALSE(menu->GetControl(cScenarioMenu::kStart)->GetEnabled());
  EXPECT_TRUE(menu->Get<CFWMemo>(cScenarioMenu::kDescription, FWCONTROL_MEMO)->GetText().empty());

  // A PBEM game holds a saved game: by the start button and by a double click.
  Open(2);
  EXPECT_EQ(List(static_cast<cScenarioMenu*>(gCurrentMenu))->GetItem(0)->Texts.at(2), L"01.02.40 10:00");
  OnMenuGuiEvent(EVENT_BUTTON_CLICKED, cScenarioMenu::kStart, nullptr);
  EXPECT_NE(dynamic_cast<cLoadingMenu*>(gCurrentMenu), nullptr);
  Open(2);
  OnMenuGuiEvent(EVENT_LISTBOX_ITEM_DBLCLK, cScenarioMenu::kList, nullptr);
  Open(0);
  OnMenuGuiEvent(EVENT_BUTTON_CLICKED, cScenarioMenu::kStart, nullptr);
  const std::wstring pbem = L"data\\pbem\\Mail\\%s";
  EXPECT_EQ(gLoads, (std::vector<std::pair<std::wstring, int>>{
                        {pbem, 2}, {pbem, 2}, {L"data\\scenarios\\Alpha\\%s", 0}}));
}
}  // namespace
