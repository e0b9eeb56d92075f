// The frame of every screen, menus and game alike, drawn under the game lock
// so that the worker thread never sees half of a change on screen.
#include "app/game_view.h"
#include "core/console.h"
#include "core/game_lock.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "platform/device.h"
#include "screens/menu.h"
#include "screens/ui_front_end.h"
#include "world/game.h"

void OnMenuFrameRender(cPlatformDevice* device, double, float elapsed) {
  // What the worker asked of the screen since the last frame, each under its
  // own hold; a message box it waits for is up before the frame's hold.
  if (UiFrontEnd() != nullptr) UiFrontEnd()->RunQueuedWork();
  cGameLockGuard lock(nullptr, 0);  // every frame: untraced
  const HRESULT hr = device->BeginScene();
  if (FAILED(hr)) {
    gConsole.AddFormatted(L"-- Begin scene problem (%ld)", static_cast<long>(hr));
    device->EndScene();
    return;
  }
  device->Clear(0xFF000000u);
  if (gGra != nullptr) {
    const int state = gGra->GetState();
    if (state != kStateConstructed && state != kStateLoaded && state != kStateSeaBattleScreen) {
      RenderGameMap(device, elapsed);
      RenderGamePanels(elapsed);
    }
  }
  if (gCurrentMenu != nullptr) {
    cMenuDispatch dispatch;
    gCurrentMenu->OnRender(elapsed);
  }
  RenderDialogStack(elapsed);
  gCursor.Update();
  device->EndScene();
}
