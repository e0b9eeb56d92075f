#include "screens/intro_menu.h"

#include "core/console.h"
#include "core/settings.h"
#include "framework/fw_state.h"
#include "framework/music_manager.h"
#include "framework/shared_draw.h"
#include "framework/texture.h"
#include "framework/traced_sleep.h"
#include "framework/video_player.h"
#include "gui/cursor.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "platform/window.h"
#include "screens/main_menu.h"
#include "screens/menu.h"

int32_t gIntroLogoState = 0;
uint32_t gIntroLogoStart = 0;
uint32_t gIntroLogoNow = 0;
D3DCOLOR gIntroFadeColour = 0xFF000000u;
cTexture gUnknownFlagTexture;

namespace {
constexpr uint32_t kLogoMs = 8000;

void PlayJingle(const char* file) {
  if (gMusicManager != nullptr) gMusicManager->PlaySpecificFile(file, false);
}

D3DCOLOR Grey(uint32_t level) { return 0xFF000000u | (level << 16) | (level << 8) | level; }

void HandOverToMainMenu() {
  gIntroLogoStart = gIntroLogoNow = 0;
  gIntroLogoState = 0;
  gTextures[kCursorTextureHolder].Release();
  gTextures[kConsoleTextureHolder].Release();
  gTextures[kCursorTextureHolder].Load(L"data\\gfx\\cur.png", kTextureFromFile, 1);
  gCursor.Init(20, 20, 16, 40, static_cast<int>(delayValues[DELAY_CONTROL_HINT]), nullptr);
  gTextures[kConsoleTextureHolder].Load(L"data\\gfx\\console.png", kTextureFromFile, 1);
  gUnknownFlagTexture.Load(L"data\\gfx\\Flags\\unknown.png", kTextureFromFile, 1);
  gTextures[kGuiTextureHolder].Load(L"data\\gfx\\GUI.png", kTextureFromFile, 1);
  if (gMusicManager != nullptr) gMusicManager->PlaySpecificFile("data/music/MainMenuMusicLoop.wav", true);
  FWSetCallbackFrameMove(nullptr);
  gCurrentMenu = new cMainMenu();
}
}  // namespace

D3DCOLOR IntroFadeColour(uint32_t e, D3DCOLOR last) {
  if (e / 10 < 255) return Grey(e / 10);
  if (e > 5000 && (e - 5000) / 10 < 255) return Grey(255 - (e - 5000) / 10);
  return last;
}

void PlayIntroMovies() {
  FWSetCallbackMouse(&OnIntroMouse, false);
  FWSetCallbackKeyboard(&OnIntroKeyboard);
  FWSetCallbackFrameRender(&OnIntroFrameRender);
  FWSetCallbackFrameMove(&OnIntroFrameMove);
  gConsole.AddLine(L"");
  static const wchar_t* const kMovies[][2] = {{L"data\\intro.avi", L"dataintro.avi"},
                                               {L"data\\intro2.avi", L"dataintro2.avi"},
                                               {L"data\\intro3.avi", L"dataintro3.avi"}};
  for (const auto& movie : kMovies) {
    cVideoPlayer player;
    if (!player.Open(movie[0])) {
      gConsole.AddFormatted(L"Loading intro movie from %s [FAILED]", movie[1]);
      continue;
    }
    gConsole.AddFormatted(L"Loading intro movie from %s [OK]", movie[1]);
    player.SetVolume(static_cast<int>(gProgramSettings.musicVolume * 100.0f + 0.5f));
    player.Play();
    do {
      TracedSleep(5, "prevmenu", __LINE__);
      if (!PumpMessagesDuringMovie()) player.Stop();
      if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0) player.Stop();
    } while (player.IsPlaying());
  }
  gTextures[kCursorTextureHolder].Load(L"data\\gfx\\logof.png", kTextureFromFile, 1);
  gTextures[kConsoleTextureHolder].Load(L"data\\gfx\\logog.png", kTextureFromFile, 1);
  gIntroLogoState = 0;
  gIntroLogoStart = 0;
}

void OnIntroFrameMove(cPlatformDevice*, double, float) {
  if (gIntroLogoState == 0) {
    gIntroLogoStart = GetTickCount();
    gIntroLogoState = 1;
    PlayJingle("data/music/IntroLogo.wav");
  }
  gIntroLogoNow = GetTickCount();
  if (gIntroLogoState == 1 && gIntroLogoNow - gIntroLogoStart > kLogoMs) {
    gIntroLogoStart = gIntroLogoNow;
    gIntroLogoState = 2;
    PlayJingle("data/music/IntroGameLogo.wav");
    gConsole.AddLine(L"Start of Logo2");
  } else if (gIntroLogoState == 2 && gIntroLogoNow - gIntroLogoStart > kLogoMs) {
    gIntroLogoState = 3;
  }
  gIntroFadeColour = IntroFadeColour(gIntroLogoNow - gIntroLogoStart, gIntroFadeColour);
  if (gIntroLogoState == 3) HandOverToMainMenu();
}

void OnIntroFrameRender(cPlatformDevice* device, double, float) {
  device->Clear(0xFF000000u);
  if (gIntroLogoState != 1 && gIntroLogoState != 2) return;
  device->BeginScene();
  cTexture& logo = gTextures[gIntroLogoState == 1 ? kCursorTextureHolder : kConsoleTextureHolder];
  if (gSprite != nullptr && logo.Texture() != nullptr) {
    const sGuiRect at = GuiRect(0);
    gSprite->Begin(D3DXSPRITE_ALPHABLEND);
    const D3DXVECTOR3 position{static_cast<float>(at.x), static_cast<float>(at.y), 0.0f};
    gSprite->Draw(logo.Texture(), nullptr, nullptr, &position, gIntroFadeColour);
    gSprite->End();
  }
  device->EndScene();
}

void OnIntroKeyboard(UINT, bool keyDown, bool) {
  if (keyDown) SkipIntroLogo();
}

void OnIntroMouse(bool left, bool, bool, bool, bool, int, int, int) {
  if (left) SkipIntroLogo();
}

void SkipIntroLogo() {
  if (gMusicManager != nullptr) gMusicManager->StopSpecificFile();
  if (gIntroLogoState == 1) {
    gIntroLogoStart = gIntroLogoNow;
    gIntroLogoState = 2;
    PlayJingle("data/music/IntroGameLogo.wav");
  } else if (gIntroLogoState == 2) {
    gIntroLogoStart = gIntroLogoNow;
    gIntroLogoState = 3;
  }
}
