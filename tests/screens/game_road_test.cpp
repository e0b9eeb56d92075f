// A person can play: from the title screen through the scenario and the
// scenario settings menus onto the game screen, a unit selected, moved and
// attacking, the turn ended and confirmed, the computer countries played and
// the next turn greeted; with a screenshot per step. Nothing of an ended
// game or turn lives on.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "dialogs/dialog_stack.h"
#include "core/string_table.h"
#include "core/text.h"
#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "platform/window.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/minimap_panel.h"
#include "screens/pause_menu.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "support/game_map_clicks.h"
#include "support/game_road_helpers.h"
#include "support/game_ui_harness.h"
#include "support/log_capture.h"
#include "rules/player_actions.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/hex_map.h"

namespace {

using ui_test::cGameUiHarness;

using ui_test::Clickable;
using ui_test::ClickHex;
using ui_test::ClickRow;
using ui_test::HexOnScreen;

cJednostkaLadowa* LandUnit(int id) {
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->unitId == id) return u;
  return nullptr;
}

TEST(GameRoad, APersonCanPlayATurn) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "game_road");
  ASSERT_NE(dynamic_cast<cMainMenu*>(gCurrentMenu), nullptr);
  // No desktop reports focus to the dummy driver: the shown window counts as
  // active, so that edge scrolling and the status hints work.
  EXPECT_TRUE(FWIsActive());
  EXPECT_TRUE(h.Screenshot("01_main_menu"));

  // The scenario menu: the small scenario is the only entry.
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetSize(), 1);
  h.Frames(2);
  ClickRow(h, list, list->GetItem(0)->pData);
  EXPECT_TRUE(h.Screenshot("02_scenario_menu"));
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  ASSERT_NE(gGra, nullptr);
  EXPECT_TRUE(log.HasPrefix(L"----- Scenario Settings Menu -----"));

  // Nordmark is played here, every other country by the computer.
  auto* settings = dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu);
  cPanstwo* nordmark = gGra->GetCountry(1);
  auto* countries = settings->Get<CFWListBox>(cScenarioSettingsMenu::kCountryList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRow(h, countries, nordmark);
  EXPECT_EQ(settings->SelectedCountry(), nordmark);
  h.ClickLayout(cScenarioSettingsMenu::kHuman);
  EXPECT_EQ(nordmark->humanControlled, 1);
  EXPECT_NE(countries->GetSelectedItem()->Texts.at(1).find(L"Human"), std::wstring::npos);
  EXPECT_TRUE(h.Screenshot("03_scenario_settings"));
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  EXPECT_EQ(gCurrentMenu, nullptr);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  EXPECT_TRUE(log.HasPrefix(L"============== Enjoy your game :)"));
  ASSERT_NE(gInfoPanel, nullptr);
  ASSERT_NE(gMinimapPanel, nullptr);
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kCountryName), L"Nordmark");
  const int firstTurn = gGra->turn;
  const std::wstring firstTurnText = WFormat(L"(turn %i/", firstTurn);
  EXPECT_NE(gMinimapPanel->DateText().find(firstTurnText), std::wstring::npos) << WideToUtf8(gMinimapPanel->DateText());
  EXPECT_TRUE(h.Screenshot("04_game_screen"));

  // A unit selected with a click.
  cJednostkaLadowa* tank = LandUnit(5);
  ASSERT_NE(tank, nullptr);
  ClickHex(h, tank->x, tank->y);
  ASSERT_EQ(gGra->selection.selectedUnit, tank);
  EXPECT_EQ(gGra->selection.mapAction, kMapActionLandMove);
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kMessage), Txt("statusbar_hint_move_destination_hex"));
  EXPECT_TRUE(h.Screenshot("05_unit_selected"));
  EXPECT_GT(h.ChangedPixels(), 100) << "the unit's reach is marked on the map";

  // Moved onto a marked hex beside an enemy.
  sHexPoint target{-1, -1};
  cJednostka* enemy = nullptr;
  for (const sHex& hex : gGra->map->hexes) {
    if ((hex.marks & 0x1FFFC) == 0 || hex.unit != nullptr || !Clickable(h, hex.x, hex.y)) continue;
    for (int d = 0; d < 6 && enemy == nullptr; ++d) {
      const sHex* n = gGra->map->GetNeighbourHex(hex.x, hex.y, d);
      if (n != nullptr && n->unit != nullptr && n->unit->countryId == 2 && n->unit->category == kCategoryLand &&
          Clickable(h, n->x, n->y)) {
        enemy = n->unit;
        target = {hex.x, hex.y};
      }
    }
    if (enemy != nullptr) break;
  }
  ASSERT_NE(enemy, nullptr) << "no marked hex beside an enemy";
  const int apBefore = tank->actionPoints;
  ClickHex(h, target.x, target.y);
  EXPECT_TRUE(log.HasPrefix(L"Player action: Move / 1st Nordmark Armoured Division"));
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  EXPECT_EQ(tank->x, target.x);
  EXPECT_EQ(tank->y, target.y);
  EXPECT_LT(tank->actionPoints, apBefore);
  EXPECT_TRUE(h.Screenshot("06_unit_moved"));
  EXPECT_GT(h.ChangedPixels(), 100) << "the unit stands elsewhere";

  // The attack: the enemy clicked plans it, clicked again runs it.
  const int enemyX = enemy->x, enemyY = enemy->y;
  const int apBeforeAttack = tank->actionPoints;
  ClickHex(h, enemyX, enemyY);
  ASSERT_NE(gGra->selection.attack, nullptr);
  EXPECT_EQ(gGra->selection.mapAction, kMapActionAssaultPlan);
  EXPECT_TRUE(h.Screenshot("07_attack_planned"));
  ClickHex(h, enemyX, enemyY);
  EXPECT_TRUE(log.HasPrefix(L"Player action: Executing assault "));
  EXPECT_EQ(gGra->selection.attack, nullptr);
  EXPECT_TRUE(log.Has(L"===BATTLE END==="));
  EXPECT_LT(tank->actionPoints, apBeforeAttack);  // the attack's cost
  EXPECT_TRUE(h.Screenshot("08_attack_result"));

  // The end of the turn, confirmed.
  h.Key(SDLK_q);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_EQ(gCurrentDialog->Id(), 701);
  EXPECT_TRUE(h.Screenshot("09_end_turn_question"));
  EXPECT_GT(h.ChangedPixels(), 1000) << "the question shows";
  h.ClickLayout(705);
  EXPECT_TRUE(log.HasPrefix(L"---- Game state = 3"));
  // The computer countries play; the next turn greets Nordmark.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3) * BRENNMARK_TEST_TIME_SCALE;
  bool greeted = false;
  while (!greeted && std::chrono::steady_clock::now() < deadline) {
    h.Frames(1);
    greeted = gGra->GetState() == kStateHumanPlays && gCurrentDialog != nullptr && gCurrentDialog->Id() == 730;
    // A sea battle, the turn's convoy results and any message wait for the
    // player.
    if (ui_test::AnswerSeaBattle(h)) continue;
    const int top = gCurrentDialog != nullptr ? gCurrentDialog->Id() : 0;
    if (top == 960 || top == 8000 || top == 900) h.Key(SDLK_RETURN);
  }
  ASSERT_TRUE(greeted) << "state " << gGra->GetState();
  EXPECT_EQ(gGra->turn, firstTurn + 1);
  EXPECT_EQ(gGra->selection.currentCountry, nordmark);
  EXPECT_NE(gMinimapPanel->DateText().find(WFormat(L"(turn %i/", firstTurn + 1)), std::wstring::npos)
      << WideToUtf8(gMinimapPanel->DateText());
  EXPECT_TRUE(log.HasPrefix(L"==== AI THREAD FINISHED ====="));
  EXPECT_TRUE(h.Screenshot("10_new_turn"));
  h.Click(h.Width() / 2, h.Height() / 2);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_TRUE(h.Screenshot("11_next_turn_map"));
}

}  // namespace

namespace {

// The same screens at the large resolution: the settings menu, the game
// screen and the end-turn question.
TEST(GameRoad, TheGameScreenAtFullHd) {
  cGameUiHarness h(1920, 1080, "game_road_1920");
  // The dummy display lists 1024 x 768 only: the window keeps its size.
  ASSERT_EQ(FWGetBackBufferSurfaceDesc()->Width, 1920u);
  ASSERT_EQ(FWGetBackBufferSurfaceDesc()->Height, 1080u);
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRow(h, list, list->GetItem(0)->pData);
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  h.ClickLayout(cScenarioSettingsMenu::kHuman);  // the first row, Kustland
  EXPECT_TRUE(h.Screenshot("01_scenario_settings"));
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_EQ(gCurrentMenu, nullptr);
  // Kustland moves after Nordmark and Sudland: the computer plays first.
  ASSERT_TRUE(h.WaitFor(
      [&h] {
        ui_test::AnswerSeaBattle(h);
        return gGra->GetState() == kStateHumanPlays && gCurrentDialog != nullptr;
      },
      20000));
  EXPECT_EQ(gGra->selection.currentCountry, gGra->GetCountry(4));
  EXPECT_EQ(gInfoPanel->Text(cInfoPanel::kCountryName), L"Kustland");
  EXPECT_TRUE(h.Screenshot("02_new_turn"));
  h.Click(h.Width() / 2, h.Height() / 2);
  EXPECT_TRUE(h.Screenshot("03_game_screen"));
  h.Key(SDLK_q);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_EQ(gCurrentDialog->Id(), 701);
  EXPECT_TRUE(h.Screenshot("04_end_turn_question"));
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);  // Esc keeps the turn
}

}  // namespace

namespace {

TEST(GameRoad, EscOnTheSettingsMenuDropsTheLoadedGame) {
  cGameUiHarness h(1024, 768, "game_road_back");
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  auto* list = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  h.Frames(2);
  ClickRow(h, list, list->GetItem(0)->pData);
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  // OK with every country left to the computer is refused with a message.
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_NE(dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu), nullptr);
  EXPECT_TRUE(h.Screenshot("01_no_human_refused"));
  h.Key(SDLK_RETURN);
  EXPECT_EQ(gCurrentDialog, nullptr);
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gGra, nullptr);
  EXPECT_NE(dynamic_cast<cScenarioMenu*>(gCurrentMenu), nullptr);
}

}  // namespace

namespace {

// The units manager, research over it, the pause menu closing the top one
// only, then Abort: no dialog of the game stays over the menus. (The dialog
// left open lies over the pause menu's buttons: Abort is pressed in place.)
TEST(GameRoad, TheDialogsOfAnAbortedGameCloseWithIt) {
  cGameUiHarness h(1024, 768, "abort_with_dialogs");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  h.Key(SDLK_u);
  h.ClickLayout(kGsResearch);
  ASSERT_EQ(DialogStack().size(), 2u);
  h.ClickLayout(kGsPause);
  ASSERT_EQ(DialogStack().size(), 1u);
  {
    cMenuDispatch dispatch;
    ASSERT_NE(dynamic_cast<cPauseMenu*>(gCurrentMenu), nullptr);
    gCurrentMenu->OnEvent(EVENT_BUTTON_CLICKED, cPauseMenu::kAbort, nullptr);
  }
  h.Frames(2);
  EXPECT_EQ(gGra, nullptr);
  EXPECT_NE(dynamic_cast<cScenarioMenu*>(gCurrentMenu), nullptr);
  EXPECT_TRUE(DialogStack().empty());
  EXPECT_EQ(gCurrentDialog, nullptr);
}

std::vector<std::wstring> gBoxes;
bool RecordBox(const std::wstring& text, const std::wstring& caption, eMessageBoxIcon icon) {
  const bool warningWithTheLockFree = icon == eMessageBoxIcon::kWarning && GameLockHoldCount() == 0;
  gBoxes.push_back(caption + L"|" + text + (warningWithTheLockFree ? L"" : L"|not a warning, or under the lock"));
  return true;
}

// Hot seat: Nordmark's move cannot be undone once its turn has ended, and
// the end of the turn shows each occupancy finding in its own box.
TEST(GameRoad, TheEndOfAHumanTurnEndsItsUndoAndShowsItsFindings) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "end_of_a_human_turn");
  ui_test::StartSmallScenario(h, {1, 2});
  ASSERT_FALSE(HasFatalFailure());
  cJednostkaLadowa* moved = nullptr;
  for (cJednostkaLadowa* u : gGra->landUnits) {
    if (moved != nullptr || u->countryId != 1 || u->actionPoints == 0 || !Clickable(h, u->x, u->y)) continue;
    ClickHex(h, u->x, u->y);
    for (const sHex& hex : gGra->map->hexes)
      if ((hex.marks & kMarkTargetBits) != 0 && hex.unit == nullptr && Clickable(h, hex.x, hex.y)) {
        ClickHex(h, hex.x, hex.y);
        moved = u;
        break;
      }
  }
  ASSERT_NE(moved, nullptr);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  ASSERT_EQ(gGra->selection.undoUnit, moved);
  // A unit that a sea hex names: one finding.
  sHex* sea = nullptr;
  for (sHex& hex : gGra->map->hexes)
    if (hex.IsSea() && hex.unit == nullptr) sea = &hex;
  ASSERT_NE(sea, nullptr);
  sea->unit = moved;
  SetPlatformMessageBoxHandler(&RecordBox);
  gBoxes.clear();
  h.Key(SDLK_q);
  if (gCurrentDialog != nullptr && gCurrentDialog->Id() == 701) h.ClickLayout(705);
  h.Frames(2);
  SetPlatformMessageBoxHandler(nullptr);
  sea->unit = nullptr;
  ASSERT_EQ(gGra->selection.currentCountry, gGra->GetCountry(2));
  EXPECT_EQ(gGra->selection.undoUnit, nullptr);
  const std::wstring finding = WFormat(L"DBGINF: sea hex (%d, %d) is occupied by unit", sea->x, sea->y);
  EXPECT_EQ(gBoxes, std::vector<std::wstring>{L"DBG WARNING|" + finding});
  EXPECT_EQ(log.CountContaining(finding), 1);
}

}  // namespace
