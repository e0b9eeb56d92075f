#include "app/game_view.h"

#include "screens/game/game_screen.h"

void RenderGameMap(cPlatformDevice* device, float elapsed) { RenderMap(device, elapsed); }
void RenderGamePanels(float elapsed) { RenderPanels(elapsed); }
bool GamePanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PanelsMsgProc(hwnd, msg, wParam, lParam);
}
void GamePanelsGuiEvent(UINT event, int controlId, CFWControl* control) { PanelsGuiEvent(event, controlId, control); }
void GameScreenGuiEvent(UINT event, int controlId, CFWControl* control) {
  GameScreenOnGuiEvent(event, controlId, control);
}
void GameScreenKeyboard(UINT key, bool keyDown, bool altDown) { GameScreenOnKeyboard(key, keyDown, altDown); }
void GameMapMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) {
  GameScreenOnMouse(left, right, middle, side1, side2, wheelDelta, x, y);
}
