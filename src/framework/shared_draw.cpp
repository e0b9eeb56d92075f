#include "framework/shared_draw.h"

#include "framework/fw_state.h"

cPlatformSprite* gSprite = nullptr;
cPlatformLine* gLine = nullptr;

int ScreenWidth() { return static_cast<int>(FWGetBackBufferSurfaceDesc()->Width); }
int ScreenHeight() { return static_cast<int>(FWGetBackBufferSurfaceDesc()->Height); }
