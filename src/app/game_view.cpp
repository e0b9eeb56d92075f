#include "app/game_view.h"

// Until the game screen and the map view exist, a running game shows the
// black clear of the frame and takes no input here.
void RenderGameMap(cPlatformDevice*, float) {}
void RenderGamePanels(float) {}
bool GamePanelsMsgProc(HWND, UINT, WPARAM, LPARAM) { return false; }
void GamePanelsGuiEvent(UINT, int, CFWControl*) {}
void GameScreenGuiEvent(UINT, int, CFWControl*) {}
void GameScreenKeyboard(UINT, bool, bool) {}
void GameMapMouse(bool, bool, bool, bool, bool, int, int, int) {}
