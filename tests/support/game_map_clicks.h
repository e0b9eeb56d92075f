#pragma once
// The game screen driven as a player drives it: the road from the title
// screen onto the map as one country, and clicks on hexes and list rows.
#include <gtest/gtest.h>

#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/panel.h"
#include "screens/main_menu.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "support/game_ui_harness.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace ui_test {

// The screen point at the middle of a hex for the current camera and scale.
inline POINT HexOnScreen(const cGameUiHarness& h, int col, int row) {
  const cMapa& map = *gGra->map;
  const float px = 83.0f * static_cast<float>(col) + 50.0f;
  const float py = 98.0f * static_cast<float>(row) + 47.0f + (col % 2 == 0 ? 49.0f : 0.0f);
  return POINT{static_cast<int>((px - map.cameraX + 30.0f) * gCurrentMapScale) + h.Width() / 2,
               static_cast<int>((py - map.cameraY + 36.0f) * gCurrentMapScale) + h.Height() / 2};
}

// A hex the player can click: on the screen and under no panel that shows.
inline bool Clickable(const cGameUiHarness& h, int col, int row) {
  const POINT p = HexOnScreen(h, col, row);
  auto inside = [&p](const sGuiRect& r) { return p.x >= r.x && p.x < r.x + r.w && p.y >= r.y && p.y < r.y + r.h; };
  if (p.x <= 0 || p.y <= 0 || p.x >= h.Width() || p.y >= h.Height()) return false;
  for (int id : {292, 310, 335})
    if (inside(GuiRect(id))) return false;
  const std::pair<cPanel*, int> panels[] = {{gUnitPanel, 351}, {gHexPanel, 401}, {gAttackPanel, 451},
                                            {gDiplomacyPanel, 601}};
  for (const auto& [panel, frame] : panels)
    if (panel != nullptr && !panel->IsFolded() && inside(GuiRect(frame))) return false;
  return true;
}

inline void ClickHex(cGameUiHarness& h, int col, int row) {
  // A hex under a panel or off the screen is brought into view first, as a
  // player would scroll to it.
  if (!Clickable(h, col, row)) {
    gGra->map->SetCameraAt(83.0f * static_cast<float>(col), 98.0f * static_cast<float>(row));
    h.Frames(1);
  }
  ASSERT_TRUE(Clickable(h, col, row)) << col << "," << row << " cannot be clicked";
  const POINT p = HexOnScreen(h, col, row);
  h.Click(p.x, p.y);
}

// Clicks the row of a list whose item data is the given pointer.
inline void ClickRow(cGameUiHarness& h, CFWListBox* list, const void* data) {
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < list->GetSize(); ++i) {
    const FWListBoxItem* item = list->GetItem(i);
    if (item->pData != data) continue;
    const RECT r = item->rcActive;
    h.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return;
  }
  FAIL() << "no row";
}

// From the title screen onto the map of the small scenario, the country of
// the given id played by a person and every other by the computer.
inline void StartGameAs(cGameUiHarness& h, int countryId) {
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRow(h, list, list->GetItem(0)->pData);
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  auto* settings = dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu);
  auto* countries = settings->Get<CFWListBox>(cScenarioSettingsMenu::kCountryList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRow(h, countries, gGra->GetCountry(countryId));
  h.ClickLayout(cScenarioSettingsMenu::kHuman);
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
}

}  // namespace ui_test
