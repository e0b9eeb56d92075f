#pragma once
// The screen layout of the user interface: one rectangle per control id and
// the 18 fonts of the interface, read at start-up from the layout table of
// the screen resolution, "data\GUI_<W>x<H>.csv".
#include <array>
#include <cstdint>
#include <string>

// One entry of the table: x, y, width, height for a control; left, top,
// right, bottom for the area ids (IsGuiAreaId).
struct sGuiRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

// A font of the interface: face, pixel height, weight (a file's weight code
// c is stored as c * 8 + 100), the ordinary and the highlighted text colour
// as opaque ARGB, and the number a skin builder gives it.
struct sFontRecord {
  std::wstring face;
  int32_t height = 0;
  int32_t weight = 0;
  int32_t index = 0;
  uint32_t color1 = 0;
  uint32_t color2 = 0;
};

constexpr int kGuiLayoutIds = 1500;
constexpr int kGuiFonts = 18;

extern std::array<sGuiRect, kGuiLayoutIds> GuiLayoutTable;
// Fonts 1 to 18 of the file at 0 to 17.
extern std::array<sFontRecord, kGuiFonts> GuiFontTable;
// The frame drawn round the game map, derived from entry 315 as left,
// top, right, bottom.
extern sGuiRect gMapFrameRect;

// Ids whose entries hold left, top, right, bottom after loading.
bool IsGuiAreaId(int id);

// Reads the table of the resolution in the settings. A missing table is
// fatal: its log line, the framework shut down, exit code 1.
void LoadGuiLayout();
// The same from an explicit file (a game path).
void LoadGuiLayoutFrom(const std::wstring& file);
// "data\GUI_<W>x<H>.csv" for a resolution.
std::wstring GuiLayoutFileName(int width, int height);

// The entry of an id; an id outside the table gives -1, -1, -1, -1.
sGuiRect GuiRect(int id);
// Font 1 to 18 of the file; null outside that range.
const sFontRecord* GuiFont(int number);

// Fits a square of side min(w, h) into the rectangle: horizontal mode 0
// keeps it left, 2 puts it right, anything else centres it; vertical mode
// likewise top, bottom, centre. Returns the new side over the old width
// (0 for a rectangle without width).
float AlignRect(sGuiRect& rect, int horizontal, int vertical);
