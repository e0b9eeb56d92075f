#include "screens/settings_menu.h"

#include "core/console.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/settings_dialog.h"
#include "framework/map_skin.h"
#include "framework/texture.h"
#include "platform/text_layout.h"
#include "screens/pause_menu.h"
#include "world/game.h"

cTexture gPreferencesWallpaper;

cSettingsMenu::cSettingsMenu() {
  gConsole.AddLine(L"----- Preferences Menu -----");
  gPreferencesWallpaper.Release();
  gPreferencesWallpaper.Load(L"data\\gfx\\wallpaper_preferences.png", kTextureFromFile, 1);
  // The border preview needs the map skin's pictures, which only a game loads.
  if (gGra == nullptr) LoadMapSkin(gProgramSettings.mapSkin);
  CFWStatic* title = nullptr;
  AddStatic(kTitle, Txt("pref_title").c_str(), &title);
  if (title != nullptr) {
    title->m_iTextElement = 2;
    title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  InstallScreenHooks();
  PushDialog(new cDialogUstawien(), 0);
  SetVisible(true);
}

void cSettingsMenu::OnRender(float elapsed) { RenderWithWallpaper(gPreferencesWallpaper, elapsed); }
