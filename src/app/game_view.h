#pragma once
// The game screen as the frame and the message callback reach it: the map
// and the panels. Each tolerates a game without them (nothing is drawn, no
// input is taken).
#include "platform/win_types.h"

class cPlatformDevice;

void RenderGameMap(cPlatformDevice* device, float elapsed);
void RenderGamePanels(float elapsed);
// Offers a window message to the panels in their order; true when one took it.
bool GamePanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
