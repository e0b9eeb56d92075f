#include "app/app.h"
#include "app/game_view.h"
#include "core/console.h"
#include "core/game_lock.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "framework/fw_main.h"
#include "framework/map_skin.h"
#include "framework/music_manager.h"
#include "framework/shared_draw.h"
#include "framework/texture.h"
#include "framework/units_skin.h"
#include "platform/font.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "screens/menu.h"
#include "world/game.h"
#include "core/settings.h"

std::array<cPlatformFont*, kGuiFonts> gGuiFonts{};
cPlatformFont* gBoldFont = nullptr;

namespace {
void ReleaseFont(cPlatformFont*& font) {
  if (font != nullptr) font->Release();
  font = nullptr;
}
}  // namespace

cPlatformFont* CreateRecordFont(cPlatformDevice* device, const sFontRecord& record) {
  if (record.face.empty() || record.height == 0) return nullptr;
  cPlatformFont* font = nullptr;
  if (FAILED(cPlatformFont::Create(device, record.height, 0, static_cast<unsigned>(record.weight), 1, false,
                                   record.face, &font)))
    return nullptr;
  return font;
}

LRESULT OnMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* noFurtherProcessing) {
  if (DialogMsgProc(hwnd, msg, wParam, lParam)) {
    *noFurtherProcessing = true;
    return 0;
  }
  if (gCurrentMenu != nullptr) {
    cMenuDispatch dispatch;
    *noFurtherProcessing = gCurrentMenu->MsgProc(hwnd, msg, wParam, lParam);
    return 0;
  }
  if (gGra == nullptr || gGra->GetState() == kStateLoaded) return 0;
  if (GamePanelsMsgProc(hwnd, msg, wParam, lParam)) *noFurtherProcessing = true;
  return 0;
}

HRESULT OnCreateDevice(cPlatformDevice* device, const D3DSURFACE_DESC*) {
  gConsole.AddLine(L"Device create");
  for (int i = 0; i < kGuiFonts; ++i) {
    ReleaseFont(gGuiFonts[i]);
    gGuiFonts[i] = CreateRecordFont(device, GuiFontTable[i]);
  }
  ReleaseFont(gBoldFont);
  if (FAILED(cPlatformFont::Create(device, 15, 0, FW_BOLD, 1, false, L"Arial", &gBoldFont))) gBoldFont = nullptr;
  // The skins' fonts, released with the old device; none before a skin is
  // loaded.
  CreateUnitsSkinFonts();
  CreateMapSkinFonts();
  for (cTexture& t : gTextures) t.OnCreateDevice();
  gConsole.AddLine(L"Device create end");
  return S_OK;
}

HRESULT OnResetDevice(cPlatformDevice* device, const D3DSURFACE_DESC*) {
  gConsole.AddLine(L"Device reset");
  for (cPlatformFont* f : gGuiFonts)
    if (f != nullptr) f->OnResetDevice();
  if (gBoldFont != nullptr) gBoldFont->OnResetDevice();
  delete gSprite;
  gSprite = new cPlatformSprite(device);
  delete gLine;
  gLine = new cPlatformLine(device);
  for (cTexture& t : gTextures) t.OnResetDevice();
  gConsole.AddLine(L"Device reset end");
  return S_OK;
}

void OnLostDevice() {
  gConsole.AddLine(L"Device lost");
  for (cTexture& t : gTextures) t.OnLostDevice();
  for (cPlatformFont* f : gGuiFonts)
    if (f != nullptr) f->OnLostDevice();
  if (gBoldFont != nullptr) gBoldFont->OnLostDevice();
  delete gSprite;
  gSprite = nullptr;
  delete gLine;
  gLine = nullptr;
  gConsole.AddLine(L"Device lost end");
}

void OnDestroyDevice() {
  gConsole.AddLine(L"Device destroy");
  for (cTexture& t : gTextures) t.Release();
  for (cPlatformFont*& f : gGuiFonts) ReleaseFont(f);
  ReleaseFont(gBoldFont);
  ReleaseMapSkinFonts();
  ReleaseUnitsSkinFonts();
  delete gSprite;
  gSprite = nullptr;
  delete gLine;
  gLine = nullptr;
  gConsole.AddLine(L"Device destroy end");
}

void DestroyGameAndPictures() { EndGameAndReleasePictures(); }

void InstallFrameworkCallbacks() {
  FWSetCallbackDeviceCreated(&OnCreateDevice);
  FWSetCallbackDeviceReset(&OnResetDevice);
  FWSetCallbackDeviceLost(&OnLostDevice);
  FWSetCallbackDeviceDestroyed(&OnDestroyDevice);
  FWSetCallbackMsgProc(&OnMsgProc);
  FWSetMusicMuteHandler(&SetMusicMuted);
}

void SetMusicMuted(bool muted) {
  if (gMusicManager != nullptr) gMusicManager->SetVolume(muted ? 0.0f : gProgramSettings.musicVolume);
}
