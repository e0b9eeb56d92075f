#pragma once
// Loading a units skin, the folder "data\gfx\[UnitsSkin]<name>": its two
// pictures, the counter layouts of land, air and naval units in zoom groups
// ("land_units.csv", "air_units.csv", "naval_units.csv"), the group fonts,
// and, with a game running, every country's counter sheet and colours.
#include <string>
#include <vector>

#include "core/units_skin_data.h"
#include "platform/win_types.h"

class cPlatformFont;

// Loads the skin into gUnitsSkin; game is null when no game is loaded.
void LoadUnitsSkin(const std::wstring& name, const sUnitsSkinGame* game);

// Fields 0 to 3 of a row as x, y, c, d; with relative set c += x and d += y.
// A row with fewer than four fields gives four zeros.
std::array<int32_t, 4> ParseSkinRect(const std::vector<std::wstring>& fields, bool relative);
// Fields 4 to 12 of a row: face, height, weight code, then the red, green
// and blue of the two colours. False (and the font left alone) for a row
// with fewer than 13 fields.
bool ParseSkinFont(const std::vector<std::wstring>& fields, sUnitsSkinFont& font);

// Reads one layout file into its table (the groups the file does not fill
// get their defaults) and makes group 0 current.
void ReadUnitsSkinTable(const std::wstring& path, eUnitsSkinTable table);

// Creates the fonts of every group whose threshold is above 0; returns the
// last creation result. Without a device nothing is created.
HRESULT CreateUnitsSkinFonts();
void ReleaseUnitsSkinFonts();
// The font of a skin font number (sUnitsSkin::FontNumber); null for none.
cPlatformFont* UnitsSkinFont(int number);

// With "UnitsDisplay/DynamicAppearance" set, the last group of each table
// whose threshold lies above zoom x 100 becomes current.
void SelectFontsByScale(float mapZoom);
