#include "screens/main_menu.h"

#include "core/console.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "framework/fw_main.h"
#include "framework/music_manager.h"
#include "framework/texture.h"
#include "framework/traced_sleep.h"
#include "framework/video_player.h"
#include "gui/gui_layout.h"
#include "platform/window.h"
#include "screens/scenario_menu.h"
#include "screens/settings_menu.h"

cMainMenu::cMainMenu() {
  gConsole.AddLine(L"----- Main Menu -----");
  gMainMenuWallpaper.Release();
  gMainMenuWallpaper.Load(L"data\\gfx\\wallpaper_main.png", kTextureFromFile, 1);
  const sGuiRect frame = GuiRect(kFrame);
  AddFrame(kFrame, frame.x, frame.y, frame.w, frame.h, 0);
  AddButton(kStart, Txt("mainmenu_start").c_str(), Txt("mainmenu_start_hint").c_str());
  AddButton(kPreferences, Txt("mainmenu_preferences").c_str(), Txt("mainmenu_preferences_hint").c_str());
  AddButton(kCredits, Txt("mainmenu_credits").c_str(), Txt("mainmenu_credits_hint").c_str());
  AddButton(kExit, Txt("mainmenu_exit").c_str(), Txt("mainmenu_exit_hint").c_str());
  AddVersionLabel(kVersionLabel);
  SetVisible(true);
}

void cMainMenu::OnEvent(UINT, int controlId, CFWControl*) {
  switch (controlId) {
    case kStart: {
      gMainMenuWallpaper.Release();
      cScenarioMenu* next = new cScenarioMenu();
      gCurrentMenu = next;
      next->FillScenarioList();
      break;
    }
    case kPreferences:
      gMainMenuWallpaper.Release();
      gCurrentMenu = new cSettingsMenu();
      break;
    case kCredits:
      PlayCredits();
      break;
    case kExit:
      gMainMenuWallpaper.Release();
      FWShutdown();
      break;
    default:
      break;
  }
}

void cMainMenu::PlayCredits() {
  SetVisible(false);
  {
    cVideoPlayer player;
    if (!player.Open(L"data\\credits.avi")) {
      gConsole.AddLine(L"Loading credits movie from datacredits.avi [FAILED]");
    } else {
      gConsole.AddLine(L"Loading credits movie from datacredits.avi [OK]");
      if (gMusicManager != nullptr) {
        gMusicManager->StopSpecificFile();
        gMusicManager->PlaySpecificFile("data/credits.ogg", false);
      }
      player.SetVolume(static_cast<int>(gProgramSettings.musicVolume * 100.0f + 0.5f));
      player.Play();
      TracedSleep(100, "mainmenu", __LINE__);
      do {
        TracedSleep(5, "mainmenu", __LINE__);
        const bool quit = !PumpMessagesDuringMovie();
        if (quit || (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0) {
          player.Stop();
          if (gMusicManager != nullptr) gMusicManager->StopSpecificFile();
        }
      } while (player.IsPlaying());
    }
  }
  if (gMusicManager != nullptr) {
    gMusicManager->StopSpecificFile();
    gMusicManager->PlaySpecificFile("data/music/MainMenuMusicLoop.wav", false);
  }
  SetVisible(true);
}

void cMainMenu::OnRender(float elapsed) { RenderWithWallpaper(gMainMenuWallpaper, elapsed); }
