// Start-up of the program: the core services, then the window and the
// graphics device through the framework, and the main loop until the
// window closes. The menus and the game screen will draw into this frame.
#include <cstdio>
#include <ctime>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/version.h"
#include "framework/fw_main.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/window.h"

namespace {
cPlatformFont* gTitleFont = nullptr;

HRESULT OnDeviceCreated(cPlatformDevice* device, const D3DSURFACE_DESC*) {
  // Without a font the frame is still drawn, only without its title.
  if (FAILED(cPlatformFont::Create(device, 24, 0, FW_BOLD, 1, false, L"Arial", &gTitleFont))) gTitleFont = nullptr;
  return S_OK;
}

HRESULT OnDeviceReset(cPlatformDevice*, const D3DSURFACE_DESC*) { return S_OK; }
void OnDeviceLost() {}

void OnDeviceDestroyed() {
  if (gTitleFont != nullptr) gTitleFont->Release();
  gTitleFont = nullptr;
}

void OnFrameRender(cPlatformDevice* device, double, float) {
  device->Clear(D3DColorArgb(255, 24, 36, 52));
  if (gTitleFont != nullptr) {
    const D3DSURFACE_DESC* desc = FWGetBackBufferSurfaceDesc();
    RECT r{0, 0, static_cast<int32_t>(desc->Width), static_cast<int32_t>(desc->Height)};
    gTitleFont->DrawText(nullptr, WFormat(L"%s v%.2f", kProgramTitleW, kProgramVersion), -1, &r,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE, D3DColorArgb(255, 220, 210, 170));
  }
}

LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM, bool*) { return 0; }
}  // namespace

int main() {
  gConsole.FlushOnCrash();
  CreateGameLock();
  gConsole.AddFormatted(L"Running %s v%.2f", kProgramTitleW, kProgramVersion);
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  LoadSettings();
  gStringTable.Load("lang_LANGID.db", true);

  // Without "Settings.ini" the resolution is 0 x 0: start in a window of the
  // size whose layout table ships with the game.
  if (gProgramSettings.resolutionX <= 0 || gProgramSettings.resolutionY <= 0) {
    gProgramSettings.resolutionX = 1024;
    gProgramSettings.resolutionY = 768;
    gProgramSettings.windowed = true;
  }

  FWSetCallbackDeviceCreated(&OnDeviceCreated);
  FWSetCallbackDeviceReset(&OnDeviceReset);
  FWSetCallbackDeviceLost(&OnDeviceLost);
  FWSetCallbackDeviceDestroyed(&OnDeviceDestroyed);
  FWSetCallbackMsgProc(&OnMessage);
  FWSetCursorSettings(true, true);
  FWInit();
  FWCreateWindow(kProgramTitleW, nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
  FWCreateDevice(0, gProgramSettings.windowed, gProgramSettings.resolutionX, gProgramSettings.resolutionY);
  FWSetCallbackFrameRender(&OnFrameRender);
  FWMainLoop(nullptr);
  const int exitCode = FWGetExitCode();

  FWShutdown();
  PlatformQuitVideo();
  DestroyGameIfAny();
  DeleteGameLock();
  gConsole.Close();
  return exitCode;
}
