#pragma once
// Clicks of a player on the game screen's map and in lists, for the road
// tests that run the whole program in-process.
#include <gtest/gtest.h>

#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "screens/game/game_screen.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "support/game_ui_harness.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace ui_test {

// The screen point at the middle of a map hex for the current camera and scale.
inline POINT HexOnScreen(const cGameUiHarness& h, int col, int row) {
  const cMapa& map = *gGra->map;
  const float px = 83.0f * static_cast<float>(col) + 50.0f;
  const float py = 98.0f * static_cast<float>(row) + 49.0f + (col % 2 != 0 ? 49.0f : 0.0f);
  return POINT{static_cast<int>((px - map.cameraX + 30.0f) * gCurrentMapScale) + h.Width() / 2,
               static_cast<int>((py - map.cameraY + 36.0f) * gCurrentMapScale) + h.Height() / 2};
}

// On the screen and under none of the always-open panels.
inline bool Clickable(const cGameUiHarness& h, int col, int row) {
  const POINT p = HexOnScreen(h, col, row);
  const sGuiRect info = GuiRect(292), minimap = GuiRect(310), commands = GuiRect(335);
  auto inside = [&p](const sGuiRect& r) { return p.x >= r.x && p.x < r.x + r.w && p.y >= r.y && p.y < r.y + r.h; };
  return p.x > 0 && p.y > 0 && p.x < h.Width() && p.y < h.Height() && !inside(info) && !inside(minimap) &&
         !inside(commands);
}

inline void ClickHex(cGameUiHarness& h, int col, int row) {
  const POINT p = HexOnScreen(h, col, row);
  ASSERT_TRUE(p.x > 0 && p.y > 0 && p.x < h.Width() && p.y < h.Height()) << col << "," << row << " off screen";
  h.Click(p.x, p.y);
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
// listed countries played by humans; Nordmark moves first.
inline void StartSmallScenario(cGameUiHarness& h, std::initializer_list<int> humans) {
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
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }, 20000));
  // A new-turn greeting, when there is one, is answered.
  if (gCurrentDialog != nullptr) h.Click(h.Width() / 2, h.Height() / 2);
}

}  // namespace ui_test
