#pragma once
// What the save and settings dialogs ask of the screens they sit on, which
// they cannot name: the game screen's input back (state 7), the game held
// under a menu (state 2), and the main menu when no game runs. The screens
// install these before they open either dialog.
struct sScreenHooks {
  void (*returnToGame)() = nullptr;
  void (*pauseGame)() = nullptr;
  void (*openMainMenu)() = nullptr;
};

void SetScreenHooks(const sScreenHooks& hooks);
const sScreenHooks& ScreenHooks();
