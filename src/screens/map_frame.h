#pragma once
// One frame of the running game's map, drawn into the device's back buffer:
// the game screen draws its map layer through it, and so do the map's
// pixel test and benchmark.
class cPlatformDevice;
class cPlatformSprite;

// Draws the map of gGra with the display switches of the settings into the
// sprite's batch (begun and ended here); nothing without a game.
void DrawGameMap(cPlatformDevice* device, cPlatformSprite* sprite);
