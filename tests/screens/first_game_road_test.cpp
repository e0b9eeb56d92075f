// A new player's first game of the shipped scenario at both layouts: the
// scenario settings count each country's units as the units manager does
// and name both fields of a PBEM player; the first turn is 1 September 1939;
// while a computer country is current, the info bar shows no figures under
// a name they are not of. And the scenario settings menu's two authoring
// events, on a copy of the small scenario.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "core/string_table.h"
#include "core/text.h"
#include "gui/fw_listbox.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/minimap_panel.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "support/game_map_clicks.h"
#include "support/game_ui_harness.h"
#include "world/country.h"

namespace {

using ui_test::cGameUiHarness;
using ui_test::ClickRow;

cScenarioSettingsMenu* OpenScenarioSettings(cGameUiHarness& h) {
  h.ClickLayout(cMainMenu::kStart);
  h.Frames(2);
  h.ClickLayout(cScenarioMenu::kStart);
  h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; });
  return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu);
}

class FirstGameRoad : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(FirstGameRoad, TheShippedScenarioStartsOnItsFirstDayWithEachCountrysOwnFigures) {
  const auto [width, height] = GetParam();
  cGameUiHarness h(width, height, "first_game_" + std::to_string(width), true);
  cScenarioSettingsMenu* settings = OpenScenarioSettings(h);
  ASSERT_NE(settings, nullptr);
  cPanstwo* germany = gGra->GetCountry(1);
  ASSERT_EQ(germany->name, L"Germany");
  h.Frames(2);
  ClickRow(h, settings->Get<CFWListBox>(cScenarioSettingsMenu::kCountryList, FWCONTROL_LISTBOX), germany);
  ASSERT_EQ(settings->SelectedCountry(), germany);

  // The units tab: per subtype, the units on the map and in reserve.
  auto* tabs = settings->Get<CFWTabFrame>(cScenarioSettingsMenu::kStatsTabs, FWCONTROL_TABFRAME);
  tabs->SetActiveTab(cScenarioSettingsMenu::kStatsUnits, false);
  settings->OnEvent(EVENT_TABFRAME_TAB_CHOSEN, cScenarioSettingsMenu::kStatsTabs, tabs);
  sUnitStatistics stats;
  germany->GatherUnitStatistics(stats);
  auto* rows = settings->Get<CFWListBox>(cScenarioSettingsMenu::kStatsList, FWCONTROL_LISTBOX);
  ASSERT_EQ(rows->GetSize(), sUnitStatistics::kRows);
  for (int i = 0; i < sUnitStatistics::kRows; ++i) {
    const auto& texts = rows->GetItem(i)->Texts;
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1], std::to_wstring(stats.counters[sUnitStatistics::kSecondBlock + 2 * i])) << "row " << i;
    EXPECT_EQ(texts[2], std::to_wstring(stats.counters[sUnitStatistics::kSecondBlock + 2 * i + 1])) << "row " << i;
  }
  EXPECT_TRUE(h.Screenshot("01_units_tab"));
  // A PBEM player's two fields have a label each.
  auto label = [&](int id) { return settings->Get<CFWStatic>(id, FWCONTROL_STATIC)->GetText(); };
  EXPECT_EQ(label(cScenarioSettingsMenu::kPlayerEmailLabel), Txt("scenario_settings_pbem_player_email"));
  EXPECT_NE(label(cScenarioSettingsMenu::kPlayerEmailLabel), label(cScenarioSettingsMenu::kPlayerNameLabel));

  // Germany moves first, on 1 September 1939.
  h.ClickLayout(cScenarioSettingsMenu::kHuman);
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  ASSERT_EQ(gGra->selection.currentCountry, germany);
  const std::wstring firstDay = L"1-" + Txt("september") + L"-1939";
  EXPECT_EQ(gMinimapPanel->DateText(), WFormat(Txt("%s_(turn_%i/%i)").c_str(), firstDay.c_str(), 1, 144));
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kProductionPoints), WFormat(L"%.0f", germany->productionPoints));
  h.Click(h.Width() / 2, h.Height() / 2);  // the greeting
  EXPECT_TRUE(h.Screenshot("02_first_turn"));

  // When the play order hands over to a computer country, its name comes
  // without figures: Germany's would read as its own.
  cPanstwo* poland = gGra->GetCountry(5);
  ASSERT_FALSE(poland->humanControlled);
  gGra->selection.SetCurrentCountry(poland);
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kCountryName), poland->name);
  for (int id : {cInfoPanel::kProductionPoints, cInfoPanel::kDiplomacyPoints, cInfoPanel::kStrategicMovePoints,
                 cInfoPanel::kSeaTransportPoints, cInfoPanel::kInvasionPoints, cInfoPanel::kNuclearBombs})
    EXPECT_EQ(gInfoPanel->Text(id), L"-") << id;
  EXPECT_TRUE(h.Screenshot("03_computer_country"));
  gGra->selection.SetCurrentCountry(germany);
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kProductionPoints), WFormat(L"%.0f", germany->productionPoints));
}

INSTANTIATE_TEST_SUITE_P(Layouts, FirstGameRoad,
                         ::testing::Values(std::pair{1024, 768}, std::pair{1920, 1080}));

// The version label's event rebuilds the scenario's map file beside it; the
// event of control 7000 writes each events file out as text, named as the
// file without its ".xml".
TEST(ScenarioSettingsRoad, TheAuthoringEventsWriteTheRebuiltMapAndTheEventsText) {
  cGameUiHarness h(1024, 768, "authoring");
  cScenarioSettingsMenu* settings = OpenScenarioSettings(h);
  ASSERT_NE(settings, nullptr);
  namespace fs = std::filesystem;
  const fs::path folder = "data/scenarios/TwoShores1939";
  OnMenuGuiEvent(EVENT_BUTTON_CLICKED, cScenarioSettingsMenu::kProgramVersion,
                 settings->GetControl(cScenarioSettingsMenu::kProgramVersion));
  ASSERT_TRUE(fs::exists(folder / "output_map.hwd"));
  EXPECT_EQ(fs::file_size(folder / "output_map.hwd"), fs::file_size(folder / "map.hwd"));
  OnMenuGuiEvent(EVENT_BUTTON_CLICKED, cScenarioSettingsMenu::kWriteEventsAsText, nullptr);
  ASSERT_TRUE(fs::exists(folder / "events"));
  EXPECT_GT(fs::file_size(folder / "events"), 0u);
  EXPECT_FALSE(fs::exists(folder / "events.txt"));
  EXPECT_EQ(gCurrentMenu, settings);
}

}  // namespace
