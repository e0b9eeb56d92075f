#pragma once
// One frame of the running game's map, drawn into the device's back buffer:
// the game screen draws its map layer through it, and so do the map's
// pixel test and benchmark.
#include <string>

class cPlatformDevice;
class cPlatformSprite;

// The map skin of the name (framework) and, with a game loaded, the
// scenario's eyecandies for the string base's language, else the plain
// ones: what the UI's front end does when the game asks for the map skin.
// Returns the zoom x 100 of the city appearance choice.
int LoadGameMapSkin(const std::wstring& name);

// Draws the map of gGra with the display switches of the settings into the
// sprite's batch (begun and ended here); nothing without a game.
void DrawGameMap(cPlatformDevice* device, cPlatformSprite* sprite);
