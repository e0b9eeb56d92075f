// The game handed between the player, the computer and the players of a PBEM
// game: during the computer's turn the player's keys and icons only look at
// the map and the settings leave the game's state; a PBEM game passes from
// one player to the other and back, each turn ending at the title screen;
// the end of a turn counts the land units' turns from their last paradrop.
#include <gtest/gtest.h>

#include <vector>

#include "core/string_table.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/event_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/settings_dialog.h"
#include "events/event_manager.h"
#include "gui/fw_control.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "persistence/saver.h"
#include "rules/worker_thread.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/panel.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "support/game_road_helpers.h"
#include "support/game_ui_harness.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/hex_map.h"

namespace {

using ui_test::cGameUiHarness;

int TopId() { return gCurrentDialog != nullptr ? gCurrentDialog->Id() : 0; }

TEST(TurnHandoverRoad, DuringTheComputersTurnTheKeysAndIconsOnlyLookAtTheMap) {
  cGameUiHarness h(1024, 768, "computers_turn_keys");
  ui_test::StartSmallScenario(h, {1});
  // The test holds the computer's turn itself: no computer moves under the keys.
  StopWorkerThread();
  cGra& g = *gGra;
  cMapa& map = *g.map;
  map.SetViewBookmark(1, 3, 3);
  const sHex* selected = g.selection.selectedHex;
  LockGamePanels();
  // Sudland plays; the fog shown is Nordmark's, and one of Sudland's units
  // lies beyond its sight.
  gProgramSettings.fogOfWar = 1;
  g.selection.SetCurrentCountry(g.GetCountry(2));
  g.selection.lastShownCountry = g.GetCountry(1);
  cJednostkaLadowa* unseen = nullptr;
  for (cJednostkaLadowa* u : g.landUnits) {
    bool seen = u->countryId != 2;
    for (const cJednostkaLadowa* n : g.landUnits)
      seen = seen || (n->countryId == 1 && HexDistance(n->x, n->y, u->x, u->y) <= 1);
    if (!seen) unseen = u;
  }
  ASSERT_NE(unseen, nullptr);
  const double points = g.selection.currentCountry->productionPoints;
  for (int state : {kStateComputerPlays, kStateComputerMoveShown}) {
    g.SetState(state);
    const bool showUnits = gProgramSettings.showUnits;
    const float cameraX = map.cameraTargetX, cameraY = map.cameraTargetY;
    // Purchases, units, research, reports, convoys, end of turn, hot keys,
    // cheats, the next unit, the units' display, a stored view, the pause
    // menu and the panels.
    for (SDL_Keycode key : {SDLK_p, SDLK_u, SDLK_t, SDLK_r, SDLK_c, SDLK_q, SDLK_i, SDLK_F12, SDLK_TAB, SDLK_SPACE,
                            SDLK_1, SDLK_ESCAPE, SDLK_a, SDLK_h, SDLK_d}) {
      h.Key(key);
      EXPECT_EQ(TopId(), 0) << SDL_GetKeyName(key) << " in state " << state;
      EXPECT_EQ(gCurrentMenu, nullptr) << SDL_GetKeyName(key) << " in state " << state;
      EXPECT_EQ(g.GetState(), state) << SDL_GetKeyName(key);
    }
    EXPECT_EQ(gProgramSettings.showUnits, showUnits);
    EXPECT_EQ(map.cameraTargetX, cameraX);
    EXPECT_EQ(map.cameraTargetY, cameraY);
    EXPECT_EQ(g.selection.selectedHex, selected);
    for (int icon : {kGsPurchases, kGsUnitsManager, kGsResearch, kGsReports, kGsConvoys, kGsPause, kGsEndTurn,
                     kGsHotKeys, kGsFoldUnitPanel, kGsFoldHexPanel, kGsFoldAttackPanel, kGsFoldDiplomacyPanel}) {
      gInfoPanel->PressIcon(icon);
      GameScreenOnGuiEvent(0x101, icon, nullptr);
      EXPECT_EQ(TopId(), 0) << icon;
      EXPECT_EQ(gCurrentMenu, nullptr) << icon;
      EXPECT_EQ(g.GetState(), state) << icon;
    }
    EXPECT_FALSE(gInfoPanel->Gui().m_bNonUserEvents) << "a key switched the locked panel's events on";
    for (cPanel* p : {gUnitPanel, gHexPanel, gAttackPanel, gDiplomacyPanel}) EXPECT_TRUE(p->IsFolded());
    // Looking at the map still works: a display key reaches the screen.
    const bool grid = gProgramSettings.showGrid;
    h.Key(SDLK_F2);
    EXPECT_NE(gProgramSettings.showGrid, grid);

    // The settings opened and closed over the computer's turn leave its state.
    h.Key(SDLK_F1);
    ASSERT_EQ(TopId(), cDialogUstawien::kDialog);
    EXPECT_EQ(g.GetState(), state);
    h.ClickLayout(cDialogUstawien::kOk);
    EXPECT_EQ(TopId(), 0);
    EXPECT_EQ(g.GetState(), state);
    EXPECT_EQ(unseen->spottedLevel, 0) << "the computer's sight was shown";
  }
  EXPECT_EQ(g.selection.currentCountry->productionPoints, points);
}

// The player's part of the turn is saved: the message names the next player,
// the repository holds his id, and its OK ends the game to the title screen.
void ExpectTurnSaved(cGameUiHarness& h, uint32_t nextPlayer) {
  const auto saved = [] {
    const CFWControl* title = gCurrentDialog != nullptr && gCurrentDialog->Id() == kDialogMessage
                                  ? gCurrentDialog->Gui().GetControl(kMessageLayoutBase + cDialogTekstowy::kTitle)
                                  : nullptr;
    return title != nullptr && static_cast<const CFWStatic*>(title)->GetText() == Txt("pbem_turn_end_title");
  };
  // The computer countries may play before it: their sea battles, convoy
  // results and messages wait for the player.
  ASSERT_TRUE(h.WaitFor(
      [&] {
        if (saved()) return true;
        if (!ui_test::AnswerSeaBattle(h) && (TopId() == 960 || TopId() == kDialogMessage)) h.Key(SDLK_RETURN);
        return false;
      },
      60000)) << "state " << gGra->GetState() << ", dialog " << TopId();
  EXPECT_EQ(ReadPbemRepoEntry(L"Duel"), nextPlayer);
  h.Key(SDLK_RETURN);
  EXPECT_EQ(gGra, nullptr);
  EXPECT_NE(dynamic_cast<cMainMenu*>(gCurrentMenu), nullptr);
  EXPECT_EQ(TopId(), 0);
}

// The next player opens the PBEM game from the scenario menu.
void OpenPbemGame(cGameUiHarness& h, int expectedCountry) {
  h.ClickLayout(cMainMenu::kStart);
  auto* menu = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(menu, nullptr);
  menu->Get<CFWTabFrame>(cScenarioMenu::kTabs, FWCONTROL_TABFRAME)->SetActiveTab(2, true);
  h.Frames(2);
  ui_test::ClickRowAt(h, menu->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX), 0);
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_EQ(gCurrentMenu, nullptr) << "the start was refused";
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }, 500));
  ASSERT_NE(gGra->selection.currentCountry, nullptr);
  EXPECT_EQ(gGra->selection.currentCountry->id, expectedCountry);
  h.Frames(2);  // a greeting the worker asked for is on screen
  if (gCurrentDialog != nullptr) h.Click(h.Width() / 2, h.Height() / 2);  // the greeting
}

TEST(TurnHandoverRoad, APbemGamePassesToTheOtherPlayerAndBack) {
  cGameUiHarness h(1024, 768, "pbem_handover");
  gProgramSettings.skipEndTurnConfirmation = true;
  // Anna plays Nordmark and Kustland, Bert Sudland between them; Ostmark is
  // the computer's.
  ui_test::StartSmallScenario(h, {}, [](cScenarioSettingsMenu& settings) {
    settings.Get<CFWCheckBox>(cScenarioSettingsMenu::kPbemGame, FWCONTROL_CHECKBOX)->SetCheckedInternal(true, true, true);
    settings.Get<CFWEditBox>(cScenarioSettingsMenu::kPbemName, FWCONTROL_EDITBOX)->SetText(L"Duel");
    gGra->pbemPlayers = {{1, L"Anna", L"anna@example.org"}, {2, L"Bert", L"bert@example.org"}};
    for (auto [country, player] : {std::pair{1, 1}, {2, 2}, {4, 1}}) {
      gGra->GetCountry(country)->humanControlled = 1;
      gGra->GetCountry(country)->pbemPlayerId = player;
    }
  });

  // Nordmark's idle land units are one turn further from their last drop,
  // one that moved starts again; another country's units keep theirs.
  std::vector<cJednostkaLadowa*> own, other;
  for (cJednostkaLadowa* u : gGra->landUnits) (u->countryId == 1 ? own : other).push_back(u);
  ASSERT_GE(own.size(), 2u);
  ASSERT_FALSE(other.empty());
  own[0]->actionPoints = own[0]->startingActionPoints;
  own[0]->turnsFromLastParadrop = 3;
  own[1]->actionPoints = own[1]->startingActionPoints + 1;
  own[1]->turnsFromLastParadrop = 5;
  other[0]->actionPoints = other[0]->startingActionPoints;
  other[0]->turnsFromLastParadrop = 7;
  h.Key(SDLK_q);
  EXPECT_EQ(own[0]->turnsFromLastParadrop, 4);
  EXPECT_EQ(own[1]->turnsFromLastParadrop, 0);
  EXPECT_EQ(other[0]->turnsFromLastParadrop, 7);
  // Q ended Nordmark's turn: the game goes to Bert.
  ExpectTurnSaved(h, 2);

  OpenPbemGame(h, 2);
  // Bert's turn ends by the events phase of the PBEM game, on the worker.
  RequestEventsCheck();
  ExpectTurnSaved(h, 1);
  OpenPbemGame(h, 4);
}

// The shipped scenario's placeholder country, human in a PBEM game, closes
// each impulse: past its turn the impulse ends, the date advances, the
// computer countries play and the game goes to the player who moves first.
// Every game opened has a country to play and an end of turn that works.
TEST(TurnHandoverRoad, APbemGameOfTheShippedScenarioGoesOnPastTheEndOfItsImpulses) {
  cGameUiHarness h(1024, 768, "pbem_impulses", true);
  gProgramSettings.skipEndTurnConfirmation = true;
  // Anna plays Germany, which moves first, Bert the United Kingdom.
  ui_test::StartSmallScenario(h, {}, [](cScenarioSettingsMenu& settings) {
    settings.Get<CFWCheckBox>(cScenarioSettingsMenu::kPbemGame, FWCONTROL_CHECKBOX)->SetCheckedInternal(true, true, true);
    settings.Get<CFWEditBox>(cScenarioSettingsMenu::kPbemName, FWCONTROL_EDITBOX)->SetText(L"Duel");
    gGra->pbemPlayers = {{1, L"Anna", L"anna@example.org"}, {2, L"Bert", L"bert@example.org"}};
    for (auto [country, player] : {std::pair{1, 1}, {3, 2}}) {
      gGra->GetCountry(country)->humanControlled = 1;
      gGra->GetCountry(country)->pbemPlayerId = player;
    }
  });
  const int firstTurn = gGra->turn;
  // Who gets the game, the country it opens to and the turns gone by.
  struct sHandOver {
    uint32_t player;
    int country;
    int turns;
  };
  for (const sHandOver& next : {sHandOver{2, 3, 0}, {1, 1, 1}, {2, 3, 1}, {1, 1, 2}, {2, 3, 2}}) {
    h.Key(SDLK_q);
    ExpectTurnSaved(h, next.player);
    OpenPbemGame(h, next.country);
    ASSERT_FALSE(HasFailure()) << "player " << next.player;
    ASSERT_EQ(gGra->turn, firstTurn + next.turns) << "player " << next.player;
  }
}

// The check of a loaded PBEM game's events (or any other) waits in an
// event's dialog for the player. Under it the pause icon opens no menu (which
// would close the dialog), the end-turn icon offers no end of turn, and the
// end of turn asked for as the frame or the confirmation's Yes asks for it
// does nothing; the option picked then still takes effect.
TEST(TurnHandoverRoad, NoTurnEndsWhileAnEventWaitsForThePlayersPick) {
  cGameUiHarness h(1024, 768, "end_turn_during_events");
  gProgramSettings.skipEndTurnConfirmation = false;
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  const double before = gGra->GetCountry(2)->productionPoints;
  {
    // The scenario's lend-lease offer, made Nordmark's and due now.
    cGameLockGuard lock(__FILE__, __LINE__);
    gGra->events->events.resize(1);
    gGra->events->events[0].countryID = 1;
    gGra->events->events[0].beginYear = kEventUndefinedInt;
  }
  RequestEventsCheck();
  ASSERT_TRUE(h.WaitFor([] { return TopId() == kDialogEvent; }));
  // The icons, then (0) the end of turn as the frame or the confirmation's Yes asks for it.
  for (const int ask : {static_cast<int>(kGsPause), static_cast<int>(kGsEndTurn), 0}) {
    ask != 0 ? h.ClickLayout(ask) : EndTurn();
    h.Frames(1);
    EXPECT_EQ(gCurrentMenu, nullptr) << ask;
    EXPECT_EQ(gGra->GetState(), kStateHumanPlays) << ask;
    ASSERT_EQ(TopId(), kDialogEvent) << ask << " closed the event's dialog or covered it";
  }
  gCurrentDialog->PressButton(cDialogEventu::kFirstOption);
  ASSERT_TRUE(h.WaitFor([] { return gCheckEventsRequest.load() == 0; }));
  EXPECT_EQ(gGra->GetCountry(2)->productionPoints, before + 10.0);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
  EXPECT_EQ(TopId(), 0);
}

}  // namespace
