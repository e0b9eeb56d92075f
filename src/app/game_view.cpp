#include "app/game_view.h"

#include "screens/game/game_screen.h"

void RenderGameMap(cPlatformDevice* device, float elapsed) { RenderMap(device, elapsed); }
void RenderGamePanels(float elapsed) { RenderPanels(elapsed); }
bool GamePanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PanelsMsgProc(hwnd, msg, wParam, lParam);
}
