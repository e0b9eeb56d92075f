#include "screens/menu.h"

#include <vector>

#include "core/console.h"
#include "core/text.h"
#include "core/version.h"
#include "dialogs/dialog_stack.h"
#include "framework/fw_state.h"
#include "framework/shared_draw.h"
#include "framework/texture.h"
#include "world/game.h"
#include "gui/cursor.h"
#include "gui/gui_layout.h"
#include "platform/sprite.h"
#include "platform/window.h"

cMenu* gCurrentMenu = nullptr;
cTexture gMainMenuWallpaper;
cTexture gScenarioMenuWallpaper;
cTexture gLoadingWallpaper;
cTexture gPauseWallpaper;
cTexture gScenarioPreviewTexture;

void EndGameAndReleasePictures() {
  DestroyGame();
  ReleaseGamePictures();
  gPauseWallpaper.Release();
}

namespace {
int gMenuDispatchDepth = 0;
std::vector<cMenu*> gRetiredMenus;

void Retire(cMenu* menu) {
  if (gMenuDispatchDepth > 0)
    gRetiredMenus.push_back(menu);
  else
    delete menu;
}
}  // namespace

cMenuDispatch::cMenuDispatch() { ++gMenuDispatchDepth; }

cMenuDispatch::~cMenuDispatch() {
  if (--gMenuDispatchDepth > 0) return;
  while (!gRetiredMenus.empty()) {
    cMenu* m = gRetiredMenus.back();
    gRetiredMenus.pop_back();
    delete m;
  }
}

void DestroyAllMenus() {
  cMenu* current = gCurrentMenu;
  gCurrentMenu = nullptr;
  if (current != nullptr) Retire(current);
  if (gMenuDispatchDepth == 0) {
    for (cMenu* m : gRetiredMenus) delete m;
    gRetiredMenus.clear();
  }
}

cMenu::cMenu() {
  if (gCurrentMenu != nullptr) {
    gConsole.AddLine(L"-- Deleting old menu");
    cMenu* old = gCurrentMenu;
    gCurrentMenu = nullptr;
    Retire(old);
  }
  gCurrentMenu = nullptr;
  gCursor.SetHintText(nullptr);
  gCursor.SetHoverObject(nullptr);
  SetVisible(false);
  gConsole.AddLine(L"-- Setting callbacks");
  FWSetCallbackFrameMove(&OnMenuFrameMove);
  SetCallback(&OnMenuGuiEvent);
  FWSetCallbackMouse(&OnMenuMouse, true);
  FWSetCallbackKeyboard(&OnMenuKeyboard);
  FWSetCallbackFrameRender(&OnMenuFrameRender);
}

cMenu::~cMenu() = default;

void cMenu::OnEvent(UINT, int, CFWControl*) {}
void cMenu::OnKeyboard(UINT, bool, bool) {}
void cMenu::OnMouse(bool, bool, bool, bool, bool, int, int, int) {}
void cMenu::OnFrameMove(cPlatformDevice*, double, float) {}
void cMenu::OnRender(float) {}

void cMenu::RenderWithWallpaper(cTexture& wallpaper, float elapsed, bool withDialog) {
  // Area 1 holds the wallpaper's source as left, top, right, bottom.
  const sGuiRect area = GuiRect(1);
  const int w = area.w - area.x;
  const int h = area.h - area.y;
  if (gSprite != nullptr && wallpaper.Texture() != nullptr && w > 0 && h > 0) {
    gSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    D3DXMATRIX saved;
    gSprite->GetTransform(&saved);
    gSprite->SetTransform(MatrixScaling(static_cast<float>(ScreenWidth()) / static_cast<float>(w),
                                        static_cast<float>(ScreenHeight()) / static_cast<float>(h), 1.0f));
    const RECT source{area.x, area.y, area.w, area.h};
    gSprite->Draw(wallpaper.Texture(), &source, nullptr, nullptr, 0xFFFFFFFFu);
    gSprite->End();
    gSprite->SetTransform(saved);
  }
  if (withDialog) CFWDialog::OnRender(elapsed);
}

std::wstring VersionText(const wchar_t* title, double version, int build) {
  if (build % 100 == 0) return WFormat(L"%s v%.2f", title, version);
  return WFormat(L"%s v%.2f [build %3i]", title, version, build);
}

void cMenu::AddVersionLabel(int id) {
  AddStatic(id, VersionText(kProgramTitleW, kProgramVersion, kProgramBuild).c_str(), 30, ScreenHeight() - 30, 1024,
            30);
}

void OnMenuGuiEvent(UINT event, int controlId, CFWControl* control) {
  cMenuDispatch dispatch;
  if (gCurrentMenu != nullptr) gCurrentMenu->OnEvent(event, controlId, control);
}

void OnMenuKeyboard(UINT key, bool keyDown, bool altDown) {
  cMenuDispatch dispatch;
  // A message or question over the menu answers its own keys: Esc must not
  // reach a menu that would throw the loaded game away under it.
  if (DialogKeyboard(key, keyDown, altDown)) return;
  if (gCurrentMenu != nullptr) gCurrentMenu->OnKeyboard(key, keyDown, altDown);
}

void OnMenuMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) {
  cMenuDispatch dispatch;
  gCursor.OnMouseButtons(left, right, x, y);
  if (gCurrentMenu != nullptr) gCurrentMenu->OnMouse(left, right, middle, side1, side2, wheelDelta, x, y);
}

void OnMenuFrameMove(cPlatformDevice* device, double time, float elapsed) {
  cMenuDispatch dispatch;
  if (gCurrentMenu != nullptr) gCurrentMenu->OnFrameMove(device, time, elapsed);
}

bool PumpMessagesDuringMovie() {
  MSG msg;
  while (PeekMessage(&msg, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return false;
    PeekMessage(&msg, PM_REMOVE);
    DispatchMessage(&msg);
  }
  return true;
}
