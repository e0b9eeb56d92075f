#pragma once
// The game's side of the framework: the start-up and exit sequence, the
// callbacks the game registers (messages, device life cycle), the tear-down of a running game and the fonts of the
// interface.
#include <array>

#include "gui/gui_layout.h"
#include "platform/win_types.h"

class cPlatformDevice;
class cPlatformFont;

// The whole run of the program; returns the process exit code.
int RunGame();

LRESULT OnMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* noFurtherProcessing);
HRESULT OnCreateDevice(cPlatformDevice* device, const D3DSURFACE_DESC* backBuffer);
HRESULT OnResetDevice(cPlatformDevice* device, const D3DSURFACE_DESC* backBuffer);
void OnLostDevice();
void OnDestroyDevice();

// Ends a running game, when there is one, and drops the per-game pictures
// (holders 3 to 18, the pause wallpaper) and the skins' fonts.
void DestroyGameAndPictures();
// Music at volume 0 while the framework's time is paused.
void SetMusicMuted(bool muted);
// Hands the device, message and music-mute callbacks above to the framework.
void InstallFrameworkCallbacks();

// The fonts of the interface made from the layout table's font records, and
// the bold font; null where a font could not be made.
extern std::array<cPlatformFont*, kGuiFonts> gGuiFonts;
extern cPlatformFont* gBoldFont;
// Makes a font from a record as every interface font is made.
cPlatformFont* CreateRecordFont(cPlatformDevice* device, const sFontRecord& record);
