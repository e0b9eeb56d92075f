#pragma once
// The game screen as the frame and the input callbacks reach it: the map,
// the panels, the game screen's own key and GUI handlers and the map's
// mouse handler. Each tolerates a game without them (nothing is drawn, no
// input is taken).
#include "platform/win_types.h"

class cPlatformDevice;
class CFWControl;

void RenderGameMap(cPlatformDevice* device, float elapsed);
void RenderGamePanels(float elapsed);
// Offers a window message to the panels in their order; true when one took it.
bool GamePanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A GUI event of the unit, hex, attack or diplomacy panel.
void GamePanelsGuiEvent(UINT event, int controlId, CFWControl* control);
// A GUI event of the info or minimap panel, for the game screen.
void GameScreenGuiEvent(UINT event, int controlId, CFWControl* control);
void GameScreenKeyboard(UINT key, bool keyDown, bool altDown);
// The player's mouse on the map.
void GameMapMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
