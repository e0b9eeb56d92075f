#pragma once
// The two steps of the frame that draw a running game: the map and the game
// screen's panels. Each tolerates a game without them.
class cPlatformDevice;

void RenderGameMap(cPlatformDevice* device, float elapsed);
void RenderGamePanels(float elapsed);
