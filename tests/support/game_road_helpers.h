#pragma once
// The road tests' further steps: list rows by index and the small scenario
// started with several human countries; the map clicks are shared.
#include <functional>
#include <initializer_list>

#include "screens/sea_battle_screen.h"
#include "support/game_map_clicks.h"

namespace ui_test {

// A sea battle of the player's ships that the computer's turn brought up is
// fought to its end and closed, as a player in a hurry does; false when none
// is on screen.
inline bool AnswerSeaBattle(cGameUiHarness& h) {
  cSeaBattleMenu* battle = CurrentSeaBattleMenu();
  if (battle == nullptr) return false;
  if (battle->GetControl(cSeaBattleMenu::kClose)->GetEnabled()) h.Key(SDLK_c);
  else if (battle->GetControl(cSeaBattleMenu::kAutoEnd)->GetEnabled()) h.Key(SDLK_e);
  return true;
}

// Clicks the row of a list by its index.
inline void ClickRowAt(cGameUiHarness& h, CFWListBox* list, int index) {
  ASSERT_NE(list, nullptr);
  ASSERT_LT(index, list->GetSize());
  const RECT r = list->GetItem(index)->rcActive;
  ASSERT_GT(r.bottom, r.top) << "row " << index << " is not shown";
  h.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// From the title screen onto the game screen of the small scenario with the
// listed countries played by humans; Nordmark moves first. The further
// settings are made just before OK.
inline void StartSmallScenario(cGameUiHarness& h, std::initializer_list<int> humans,
                               const std::function<void(cScenarioSettingsMenu&)>& further = nullptr) {
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRowAt(h, list, 0);
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  auto* settings = dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu);
  auto* countries = settings->Get<CFWListBox>(cScenarioSettingsMenu::kCountryList, FWCONTROL_LISTBOX);
  h.Frames(2);
  for (int id : humans)
    for (int i = 0; i < countries->GetSize(); ++i)
      if (countries->GetItem(i)->pData == gGra->GetCountry(id)) {
        ClickRowAt(h, countries, i);
        h.ClickLayout(cScenarioSettingsMenu::kHuman);
      }
  if (further) further(*settings);
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_EQ(gCurrentMenu, nullptr) << "the start was refused";
  ASSERT_TRUE(h.WaitFor(
      [&h] {
        AnswerSeaBattle(h);
        return gGra->GetState() == kStateHumanPlays;
      },
      20000));
  // A new-turn greeting, when there is one, is answered.
  if (gCurrentDialog != nullptr) h.Click(h.Width() / 2, h.Height() / 2);
}

}  // namespace ui_test
