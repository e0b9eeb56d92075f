#pragma once
// The intro movies and the two logo screens with their jingles, between
// start-up and the main menu. The movies play inside PlayIntroMovies; the
// logos run from the main loop through callbacks of their own, and the end
// of the second hands over to the main menu.
#include <cstdint>

#include "platform/win_types.h"

class cPlatformDevice;
class cTexture;

extern int32_t gIntroLogoState;  // 0 not started, 1 first logo, 2 second logo, 3 finished
extern uint32_t gIntroLogoStart;
extern uint32_t gIntroLogoNow;
extern D3DCOLOR gIntroFadeColour;
// The flag shown for a country without one.
extern cTexture gUnknownFlagTexture;

// The texture holders of the start-up pictures; the logos borrow the first two.
constexpr int kCursorTextureHolder = 0;
constexpr int kConsoleTextureHolder = 1;

void PlayIntroMovies();
void OnIntroFrameMove(cPlatformDevice* device, double time, float elapsed);
void OnIntroFrameRender(cPlatformDevice* device, double time, float elapsed);
void OnIntroKeyboard(UINT key, bool keyDown, bool altDown);
void OnIntroMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
void SkipIntroLogo();
// The fade of a logo e milliseconds after it began, from the last colour.
D3DCOLOR IntroFadeColour(uint32_t elapsedMs, D3DCOLOR last);
