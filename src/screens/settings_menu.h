#pragma once
// The preferences screen of the main menu: a wallpaper and a title behind
// the settings dialog, which does the work and brings the main menu back.
#include "screens/menu.h"

class cSettingsMenu : public cMenu {
 public:
  enum eControl : int { kTitle = 80 };
  cSettingsMenu();
  void OnRender(float elapsed) override;
};

extern cTexture gPreferencesWallpaper;
