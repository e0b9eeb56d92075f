// The road through the front door under the dummy drivers: intro movies,
// both logos, the title screen, the scenario menu with the shipped
// scenario, and its load behind the loading screen, with the worker thread
// started at the end. Every screen is kept as a screenshot.
#include <gtest/gtest.h>

#include <set>

#include "core/ini_file.h"
#include "dialogs/message_dialog.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "persistence/load_request.h"
#include "rules/worker_thread.h"
#include "screens/intro_menu.h"
#include "screens/loading_menu.h"
#include "screens/main_menu.h"
#include "screens/scenario_menu.h"
#include "support/log_capture.h"
#include "support/ui_road.h"

namespace {

// How many different colours a frame shows (sampled).
size_t Colours(const std::vector<uint32_t>& px) {
  std::set<uint32_t> seen;
  for (size_t i = 0; i < px.size(); i += 97) seen.insert(px[i] & 0xFFFFFFu);
  return seen.size();
}

std::wstring TextOf(CFWDialog* d, int id) {
  auto* s = static_cast<CFWStatic*>(d->GetControl(id));
  return s != nullptr ? s->GetText() : L"<none>";
}

class FrontDoorRoad : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(FrontDoorRoad, FromTheLogosToALoadedScenario) {
  const auto [width, height] = GetParam();
  cLogCapture log;
  ui_road::UiRoad road;
  if (!road.Start(width, height)) GTEST_SKIP() << "no layout table for " << width << "x" << height;

  // Intro movies, then the logos on the frame clock.
  PlayIntroMovies();
  for (const wchar_t* movie : {L"dataintro.avi", L"dataintro2.avi", L"dataintro3.avi"})
    EXPECT_TRUE(log.Has(std::wstring(L"Loading intro movie from ") + movie + L" [OK]")) << movie;
  // Each logo fades in over its first seconds and ends after 8 s.
  road.Frame();
  road.Frame();
  std::vector<uint32_t> px = road.Shot("logo1");
  EXPECT_EQ(gIntroLogoState, 1);
  EXPECT_GT(Colours(px), 8u) << "the first logo";
  road.clock.AdvanceMs(5001);
  road.Frame();
  EXPECT_TRUE(log.Has(L"Start of Logo2"));
  road.Frame();
  road.Shot("logo2");
  road.clock.AdvanceMs(5001);
  road.Frame();
  ASSERT_NE(dynamic_cast<cMainMenu*>(gCurrentMenu), nullptr);

  // The title screen: four buttons with their texts and the version label.
  px = road.Shot("main_menu");
  EXPECT_GT(Colours(px), 8u) << "wallpaper and buttons drawn";
  EXPECT_TRUE(log.Has(L"----- Main Menu -----"));
  const char* keys[] = {"mainmenu_start", "mainmenu_preferences", "mainmenu_credits", "mainmenu_exit"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(TextOf(gCurrentMenu, cMainMenu::kStart + i), Txt(keys[i]));
    EXPECT_NE(Txt(keys[i]), Utf8ToWide(keys[i])) << "the string base has " << keys[i];
  }
  EXPECT_EQ(TextOf(gCurrentMenu, cMainMenu::kVersionLabel).rfind(L"Brennmark v", 0), 0u);

  // The scenario menu lists the shipped scenario with its details.
  road.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  EXPECT_TRUE(log.Has(L"----- SinglePlayer Menu -----"));
  cIniFile info;
  ASSERT_TRUE(info.Load(L"data\\scenarios\\" + std::wstring(kDefaultScenario) + L"\\Info.ini"));
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  ASSERT_NE(list, nullptr);
  ASSERT_GE(list->GetSize(), 1);
  const std::wstring name = info.GetString("General_ENG/Name", L"?");
  EXPECT_EQ(list->GetSelectedItem()->Texts.at(0), name);
  EXPECT_EQ(gLastScenarioName, name);
  auto edit = [&](int id) { return scenarios->Get<CFWEditBox>(id, FWCONTROL_EDITBOX)->GetText(); };
  EXPECT_EQ(edit(cScenarioMenu::kAuthor), info.GetString("Misc/Author", L"?"));
  EXPECT_EQ(edit(cScenarioMenu::kMapSize), L"152x104");
  EXPECT_NE(edit(cScenarioMenu::kDuration).find(std::to_wstring(info.GetInt("Duration/Turns", -1))),
            std::wstring::npos);
  EXPECT_TRUE(scenarios->GetControl(cScenarioMenu::kPreview)->GetVisible()) << "the preview picture";
  EXPECT_TRUE(scenarios->GetControl(cScenarioMenu::kStart)->GetEnabled());
  road.Shot("scenario_menu");

  // A message over the menu takes Esc itself; the menu stays.
  PushDialog(new cDialogTekstowy(L"At least one country must be controlled by human.", L"Game settings",
                                 kMessageLayoutBase),
             0);
  road.Shot("message");
  HWND hwnd = FWGetHWND();
  FWStaticWndProc(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  FWStaticWndProc(hwnd, WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_TRUE(DialogStack().empty());
  EXPECT_EQ(gCurrentMenu, scenarios);

  // Start: the loading screen's bar rises to 100, the worker starts and the
  // next menu takes over.
  road.ClickLayout(cScenarioMenu::kStart);
  EXPECT_TRUE(log.Has(L"----- Loading -----"));
  for (const wchar_t* line : {L" Progress = 5%", L" Progress = 80%", L" Progress = 100%"})
    EXPECT_TRUE(log.Has(line)) << line;
  EXPECT_LT(log.IndexOf(L" Progress = 100%"), log.IndexOf(L"Creating next menu"));
  ASSERT_NE(gGra, nullptr);
  EXPECT_EQ(gGra->GetState(), kStateLoaded);
  EXPECT_NE(gWorkerThreadRunning.load(), 0);
  EXPECT_NE(gCurrentMenu, nullptr);

  // The loading screen itself, half way.
  auto* loading = new cLoadingMenu();
  gCurrentMenu = loading;
  loading->SetProgress(250);
  EXPECT_EQ(loading->Progress(), 100) << "a percentage above 100 shows a full bar";
  loading->SetProgress(60);
  EXPECT_EQ(loading->Progress(), 60);
  road.Shot("loading");
}

INSTANTIATE_TEST_SUITE_P(Resolutions, FrontDoorRoad,
                         ::testing::Values(std::make_pair(1024, 768), std::make_pair(1920, 1080)),
                         [](const auto& info) {
                           return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });
}  // namespace
