#pragma once
// The menu over a paused game: resume, save, preferences, abort to the
// scenario list, exit. The map stays visible behind it.
#include "screens/menu.h"

class cDialog;

class cPauseMenu : public cMenu {
 public:
  enum eControl : int {
    kFrame = 270,
    kResume = 272,
    kSave = 273,
    kPreferences = 274,
    kAbort = 275,
    kExit = 276,
    kVersionLabel = 7001,
  };
  cPauseMenu();
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnRender(float elapsed) override;
};

// Opens the pause menu over the running game and makes it current.
void OpenPauseMenu();
// The settings dialog as the game screen's F1 opens it.
cDialog* MakeSettingsDialog();
// The hot-key list of the info panel's button and the I key.
cDialog* MakeHotKeysDialog();
// Gives the save and settings dialogs the screens' hooks.
void InstallScreenHooks();
