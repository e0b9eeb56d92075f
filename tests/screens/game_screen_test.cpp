// The game screen without a window: the minimap's date line, the panels'
// folding around the computer's turn, and the keys that change settings.
#include <gtest/gtest.h>

#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/minimap_panel.h"
#include "screens/game/panels/panel.h"
#include "support/recording_front_end.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "world/game.h"

namespace {

class GameScreenTest : public ::testing::Test {
 protected:
  GameScreenTest() : g(12, 10, 2), scope(&fe), settingsBefore(gProgramSettings) {
    CreateGameLock();
    unit_test::LoadShippedStrings();
    gGra = g.game;
    for (int& t : g.game->consts.turnsPerMonth) t = 2;
    g.game->turnsLeft = 47;
    g.game->date = sGameDate{1, 3, 1940, L""};
  }
  ~GameScreenTest() override {
    for (cPanel** p : {&gHexPanel, &gUnitPanel, &gAttackPanel, &gDiplomacyPanel}) {
      delete *p;
      *p = nullptr;
    }
    ResetDialogStack();
    gProgramSettings = settingsBefore;
  }

  world_test::GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  // The keys change the program's settings: later tests see them as before.
  sProgramSettings settingsBefore;
};

TEST_F(GameScreenTest, DateLineFromInfoIniOnTheFirstTurnElseFromTheCalendar) {
  struct Case {
    int turn, day, month;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {1, 5, 3, L"5-March-1940 (turn 1/48)"},
      // A month outside the year names no month: the calendar's date stands in.
      {1, 5, 13, L"1-March-1940 (turn 1/48)"},
      {1, 5, 0, L"1-March-1940 (turn 1/48)"},
      {1, 0, 3, L"1-March-1940 (turn 1/48)"},
      {2, 5, 3, L"1-March-1940 (turn 2/49)"},
  };
  for (const Case& c : cases) {
    g.game->turn = c.turn;
    g.game->displayedDay = c.day;
    g.game->displayedMonth = c.month;
    g.game->displayedYear = 1940;
    EXPECT_EQ(MinimapDateLine(*g.game), c.expected) << c.turn << " " << c.day << " " << c.month;
  }
}

TEST_F(GameScreenTest, TheComputersTurnFoldsThePanelsAndGivesBackEachOnesOwnState) {
  gHexPanel = new cPanel(401, 0, 0, 10, 10);
  gUnitPanel = new cPanel(351, 0, 0, 10, 10);
  gAttackPanel = new cPanel(451, 0, 0, 10, 10);
  gHexPanel->SetFolded(false);
  gUnitPanel->SetFolded(true);
  gAttackPanel->SetFolded(false);  // the diplomacy panel does not exist
  g.game->SetState(kStateHumanPlays);
  LockGamePanels();
  EXPECT_EQ(g.game->GetState(), kStateComputerPlays);
  for (cPanel* p : {gHexPanel, gUnitPanel, gAttackPanel}) EXPECT_TRUE(p->IsFolded());
  RestoreGamePanels();
  EXPECT_EQ(g.game->GetState(), kStateHumanPlays);
  EXPECT_FALSE(gHexPanel->IsFolded());
  EXPECT_TRUE(gUnitPanel->IsFolded());
  EXPECT_FALSE(gAttackPanel->IsFolded());
}

TEST_F(GameScreenTest, DisplayKeysToggleTheirSettingsAndStoreThemInMemory) {
  struct Case {
    UINT key;
    bool* value;
    const char* iniKey;  // null: not stored
  };
  sProgramSettings& s = gProgramSettings;
  const Case cases[] = {
      {32, &s.showUnits, "UnitsDisplay/ShowUnit"},       {113, &s.showGrid, "MapDisplay/ShowGrid"},
      {114, &s.showWeather, "MapDisplay/ShowWeather"},   {115, &s.showCityNames, "MapDisplay/ShowCityName"},
      {116, &s.showUnitNames, "UnitsDisplay/ShowName"}, {119, &s.showActionPointsLeft, nullptr},
  };
  for (const Case& c : cases) {
    gSettings.SetString(c.iniKey != nullptr ? c.iniKey : "MapDisplay/ShowAPLeft", L"unset");
    const bool before = *c.value;
    GameScreenOnKeyboard(c.key, true, false);
    EXPECT_EQ(*c.value, !before) << c.key;
    if (c.iniKey != nullptr) {
      EXPECT_EQ(gSettings.GetBool(c.iniKey, before), !before) << c.key;
    } else {
      EXPECT_EQ(gSettings.GetString("MapDisplay/ShowAPLeft", L""), L"unset");
    }
  }
  // F6 and F7 cycle the border and ownership modes; values beyond the cycle stay.
  s.borderMode = 2;
  GameScreenOnKeyboard(117, true, false);
  EXPECT_EQ(s.borderMode, 0);
  EXPECT_EQ(gSettings.GetInt("Border/Mode", -1), 0);
  s.mapOwnershipMode = 5;
  GameScreenOnKeyboard(118, true, false);
  EXPECT_EQ(s.mapOwnershipMode, 5);
}

TEST_F(GameScreenTest, CtrlDigitStoresTheViewAndTheDigitReturnsToIt) {
  cMapa& map = *g.game->map;
  map.cameraX = 83.0f * 7 + 10;
  map.cameraY = 98.0f * 4 + 5;
  GameScreenOnKeyboard(17, true, false);
  GameScreenOnKeyboard('3', true, false);
  GameScreenOnKeyboard(17, false, false);
  EXPECT_EQ(map.GetViewBookmark(3), (sHexPoint{7, 4}));
  map.cameraTargetX = map.cameraTargetY = 0.0f;
  GameScreenOnKeyboard('3', true, false);
  EXPECT_GT(map.cameraTargetX, 0.0f);  // centred on the stored hex again
  const float x = map.cameraTargetX;
  GameScreenOnKeyboard('4', true, false);  // never stored: nothing
  EXPECT_EQ(map.cameraTargetX, x);
}

}  // namespace

namespace {

TEST_F(GameScreenTest, EndTurnButtonAsksFirstAndNeverEndsTheComputersTurn) {
  gProgramSettings.skipEndTurnConfirmation = false;
  g.game->SetState(kStateComputerPlays);
  GameScreenOnGuiEvent(0x101, kGsEndTurn, nullptr);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(g.game->GetState(), kStateComputerPlays);
  g.game->SetState(kStateHumanPlays);
  GameScreenOnGuiEvent(0x101, kGsEndTurn, nullptr);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_EQ(gCurrentDialog->Id(), 701);
  // A second press does not stack a second question.
  GameScreenOnGuiEvent(0x101, kGsEndTurn, nullptr);
  EXPECT_EQ(DialogStack().size(), 1u);
  EXPECT_EQ(g.game->GetState(), kStateHumanPlays);
}

}  // namespace
