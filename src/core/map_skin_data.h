#pragma once
// What the map drawing reads of the map skin: the depth of each sprite
// layer, the city appearance rows chosen by zoom and the header font. The
// UI's skin loader fills it from the skin folder's "sprites_depth.csv" and
// "appearance.csv" and owns the pictures and font objects; the world only
// reads these numbers.
#include <cstdint>
#include <string>

// The sprite layers of the map, in the order of the skin's depth table.
enum eMapLayer : int {
  kLayerSea,
  kLayerVariant,
  kLayerPlain,
  kLayerTerrain7,
  kLayerTerrain4,
  kLayerTerrain5,
  kLayerTerrain6,
  kLayerRivers,
  kLayerTerrain3,
  kLayerTerrain2,
  kLayerMarks,
  kLayerTint,
  kLayerGrid,
  kLayerCity,
  kLayerUnit,
  kLayerMovingUnit,
  kLayerWeather,
  kLayerBorders,
  kMapLayerCount,
};

// A layer's id (the level a hex decoration names to hide it) and its depth.
struct sSpriteDepth {
  int32_t level = 0;
  float value = 1.0f;
};

// A font of the skin: face, pixel height, weight (code x 8 + 100) and the
// two colours of a text drawn twice, as opaque ARGB.
struct sMapSkinFont {
  std::wstring face;
  int32_t height = 0;
  int32_t weight = 0;
  uint32_t color1 = 0;
  uint32_t color2 = 0;
};

// What a city looks like at one range of zoom. Entries 0-5 are places
// relative to the hex (left, top, right, bottom), entries 6-11 the pictures
// drawn there (left, top, right, bottom in the decoration picture),
// entries 12-14 the rectangles of the three texts with fonts 0-2, 15 and 16
// free values; flag e tells whether entry 6 + e is drawn.
struct sCityAppearanceRow {
  int32_t threshold = -100;
  int32_t entries[17][4] = {};
  uint8_t valid[11] = {};
  sMapSkinFont fonts[3];
};

// The meaning of the appearance entries for the city drawing.
enum eCityAppearance : int {
  kCityPicture = 0,      // the city picture; resource cities take the next cell to the right
  kCityFlag = 1,         // the controller's flag, its source rectangle in the flag picture
  kCityPlate = 2,        // a general marker: the plate under the texts
  kCityPortMarker = 3,   // ports and supply ports
  kCitySupplyMarker = 4, // supply cities and supply ports; resource cities take the next cell
  kCityVictoryMarker = 5,
  kCityVictoryText = 6,  // flag 6: entry 12, font 0
  kCityProductionText = 7,
  kCityNameText = 8,
  kCityPlate2 = 9,       // flag 9: entry 15, a second general marker drawn over the plate
  kCityTextOffsets = 10, // flag 10: entry 16, the offsets of the first and second colour
};

constexpr int kCityAppearanceRows = 10;
constexpr int kCityAppearanceReadRows = 4;
constexpr int kCityAppearanceZoomRows = 5;

struct sMapSkin {
  sSpriteDepth layers[kMapLayerCount];
  sCityAppearanceRow rows[kCityAppearanceRows];
  sMapSkinFont headerFont;
  int32_t headerRect[4] = {};  // left, top, right, bottom
  // Index of the current appearance row; -1 before one was chosen.
  int32_t currentRow = -1;

  sMapSkin() { ResetDepths(); }
  // Layer r gets level 2r and depth 1.0 - 0.02r.
  void ResetDepths();
  float Depth(eMapLayer layer) const { return layers[layer].value; }
  int32_t Level(eMapLayer layer) const { return layers[layer].level; }
  const sCityAppearanceRow* CurrentRow() const { return currentRow >= 0 ? &rows[currentRow] : nullptr; }
};

extern sMapSkin gMapSkin;

// A depth level kept inside 0..39 and the depth value it stands for.
int32_t ClampDepthLevel(long level);
float DepthOfLevel(int32_t level);

// Reads a "sprites_depth.csv" (a game path) into the skin's layer table;
// rows the file does not give keep their values, a missing file changes
// nothing.
void ReadDefinitionFile(sMapSkin& skin, const std::wstring& path);
// Reads an "appearance.csv" (a game path): every row starts over at
// threshold -100 with no entries; false, and nothing changed, when the file
// cannot be opened.
bool ReadAppearanceFile(sMapSkin& skin, const std::wstring& path);
// Makes the appearance row of the zoom factor (0 full size .. 1 fit)
// current and returns the zoom x 100 it compared.
int SelectCityAppearanceRow(sMapSkin& skin, float zoom);
// The validity flags of a row from its entries.
void ComputeAppearanceFlags(sCityAppearanceRow& row);
