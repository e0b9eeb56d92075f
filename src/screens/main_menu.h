#pragma once
// The title screen: wallpaper, four buttons (start, preferences, credits,
// exit) and the version label.
#include "screens/menu.h"

class cMainMenu : public cMenu {
 public:
  enum eControl : int {
    kFrame = 70,
    kStart = 71,
    kPreferences = 72,
    kCredits = 73,
    kExit = 74,
    kVersionLabel = 7001,
  };
  cMainMenu();
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnRender(float elapsed) override;

 private:
  void PlayCredits();
};
