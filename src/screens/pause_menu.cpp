#include "screens/pause_menu.h"

#include "core/console.h"
#include "core/string_table.h"
#include "core/version.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/hotkeys_dialog.h"
#include "dialogs/save_game_dialog.h"
#include "dialogs/screen_hooks.h"
#include "dialogs/settings_dialog.h"
#include "framework/fw_main.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "framework/shared_draw.h"
#include "screens/game/game_screen.h"
#include "screens/main_menu.h"
#include "screens/scenario_menu.h"
#include "world/game.h"

void InstallScreenHooks() {
  sScreenHooks hooks;
  hooks.returnToGame = &SetStateWithCallbacks;
  hooks.pauseGame = &SetStatePaused;
  hooks.openMainMenu = [] { gCurrentMenu = new cMainMenu(); };
  SetScreenHooks(hooks);
}

void OpenPauseMenu() {
  InstallScreenHooks();
  gCurrentMenu = new cPauseMenu();
}

cDialog* MakeSettingsDialog() {
  InstallScreenHooks();
  // Over the computer's turn the dialog pauses nothing: the worker keeps the
  // game and its state, and the screen its input.
  if (gGra != nullptr && !WorkerHasTheGame()) SetStatePaused();
  return new cDialogUstawien();
}

cDialog* MakeHotKeysDialog() { return new cDialogSkrotowKlawiszowych(); }

cPauseMenu::cPauseMenu() {
  gConsole.AddLine(L"----- Pause Menu -----");
  if (gGra != nullptr) SetStatePaused();
  const sGuiRect frame = GuiRect(kFrame);
  AddFrame(kFrame, frame.x, frame.y, frame.w, frame.h, 0);
  AddButton(kResume, Txt("pause_resume").c_str(), Txt("pause_resume_hint").c_str());
  AddButton(kSave, Txt("pause_save").c_str(), Txt("pause_save_hint").c_str());
  AddButton(kPreferences, Txt("pause_preferences").c_str(), Txt("pause_preferences_hint").c_str());
  AddButton(kAbort, Txt("pause_abort").c_str(), Txt("pause_abort_hint").c_str());
  AddButton(kExit, Txt("pause_exit").c_str(), Txt("pause_exit_hint").c_str());
  // At the bottom left the label would lie over the minimap panel's icons:
  // centred at the bottom it stays over the map.
  CFWStatic* version = nullptr;
  AddStatic(kVersionLabel, VersionText(kProgramTitleW, kProgramVersion, kProgramBuild).c_str(), 0, ScreenHeight() - 30,
            ScreenWidth(), 30, false, &version);
  if (version != nullptr) version->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  if (gCurrentDialog != nullptr) CloseDialogs(1);
  SetVisible(true);
}

void cPauseMenu::OnRender(float elapsed) { CFWDialog::OnRender(elapsed); }

void cPauseMenu::OnEvent(UINT, int controlId, CFWControl*) {
  // Each case retires this menu first (it is destroyed once the handler has
  // returned) and reads nothing of it afterwards.
  switch (controlId) {
    case kResume:
      DestroyAllMenus();
      SetStateWithCallbacks();
      break;
    case kSave:
      DestroyAllMenus();
      PushDialog(new cDialogZapisuGry(), 0);
      break;
    case kPreferences:
      DestroyAllMenus();
      PushDialog(new cDialogUstawien(), 0);
      break;
    case kAbort: {
      EndGameAndReleasePictures();
      auto* menu = new cScenarioMenu();
      gCurrentMenu = menu;
      menu->FillScenarioList();
      break;
    }
    case kExit:
      EndGameAndReleasePictures();
      DestroyAllMenus();
      FWShutdown();
      break;
    default:
      break;
  }
}
