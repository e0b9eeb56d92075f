#pragma once
// Where the pieces of the GUI picture lie that the layout tables point at
// (their rows hold these rectangles), and the sizes of the pictures whose
// placement the tables give. The painter and the layout writer share them,
// so a piece moved here moves in both.
namespace gui_skin {

struct sRect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
};

constexpr int kPictureSize = 2048;  // GUI.png is square

// Background of the information bar (row 3), stretched across the screen.
constexpr sRect kInfoBarBackground{0, 1100, 1024, 64};
// Six pictograms of the resource counters on one strip (row 6), one per slot.
constexpr int kCounterSlot = 86;
constexpr sRect kCounterStrip{0, 680, 6 * kCounterSlot, 28};
// Background of the minimap panel (row 4).
constexpr sRect kMinimapBackground{0, 720, 272, 196};
// Backing of the command icons (row 5).
constexpr sRect kCommandBackground{300, 720, 200, 104};
// Weather pictures good, snow, mud, stacked (row 11 is the first).
constexpr sRect kWeatherCell{520, 720, 48, 48};
// Research investment levels 0 to 3, stacked (row 13 is level 0).
constexpr sRect kResearchLevelCell{580, 720, 120, 26};
// The command icons: a grid of 5 columns and 6 rows (row 14 is one cell);
// rows 0 and 3 disabled, the rows below each normal and mouse-over.
constexpr sRect kCommandIconCell{700, 760, 48, 48};
// Purchases preview: 2 x 2 cells (row 57 is the first): units, strategic
// movement; amphibious, sea transport.
constexpr sRect kPurchaseCell{1000, 760, 128, 128};

// Pictures of their own.
constexpr int kLogoWidth = 800, kLogoHeight = 450;
constexpr int kWallpaperWidth = 1920, kWallpaperHeight = 1080;

}  // namespace gui_skin
