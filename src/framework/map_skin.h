#pragma once
// The map skin's pictures and fonts: "data\gfx\[MapSkin]<name>" with its
// terrain, decoration and eyecandy pictures, its layer depths and its city
// appearance rows (the numbers live in core, gMapSkin).
#include <string>

#include "core/draw_target.h"
#include "platform/win_types.h"

class cPlatformFont;
class cPlatformTexture;

// The skin's terrain, decoration and eyecandy pictures are held in the
// program's texture holders 3, 4 and 5, which the device callbacks walk.
constexpr int kMapSkinTextureHolder = 3;

// Loads the skin of the name; returns the zoom x 100 of the appearance
// choice. The scenario's eyecandies are the game's to read afterwards.
int LoadMapSkin(const std::wstring& name);
// Makes the appearance row of the current zoom setting current.
int SelectCityAppearanceByZoom();
// Creates the three fonts of every row with a threshold above 0 and the
// header font; returns the last creation's result.
HRESULT CreateMapSkinFonts();
void ReleaseMapSkinFonts();
// A map-skin font by its number (kFontCityAppearance + k of the current
// row, kFontMapHeader); null when it was not made.
cPlatformFont* MapSkinFont(int font);
// The handle of one of the three skin pictures; 0 when not loaded.
FrontEndHandle MapSkinPicture(eSkinPicture picture);
// Releases the pictures and fonts.
void ReleaseMapSkin();
// The scenario menu's preview: a frame from the GUI picture round the
// rectangle, and the picture stretched into it.
void DrawScenarioPreview(int x, int y, int w, int h, cPlatformTexture* picture);
