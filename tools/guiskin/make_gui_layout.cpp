// Writes the layout tables of the user interface, data/GUI_<W>x<H>.csv, one
// per screen resolution, from one description of every menu, screen, panel
// and dialog. Each screen is described once, anchored to the edges and the
// centre of the screen (or of the box that holds it), so that every
// resolution gets the same arrangement in sensible places: dialogs stay
// centred at their size, full-screen menus stretch with the screen.
//
// Screen rows are absolute screen pixels (x, y, width, height). A few rows are
// not places on the screen but rectangles of pictures or offsets that their
// readers take apart; they are marked where they are written.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "gui_skin_map.h"

namespace {

using R = gui_skin::sRect;

// How a box sits in its parent along one axis: at the near edge (offset from
// it), centred (offset from the centre), at the far edge (offset = margin
// from it), or stretched (offset = near margin, size = far margin).
enum Anchor { kNear, kCentre, kFar, kStretch };

void Place(Anchor a, int parentPos, int parentSize, int offset, int size, int& pos, int& outSize) {
  switch (a) {
    case kNear:
      pos = parentPos + offset;
      outSize = size;
      break;
    case kCentre:
      pos = parentPos + (parentSize - size) / 2 + offset;
      outSize = size;
      break;
    case kFar:
      pos = parentPos + parentSize - size - offset;
      outSize = size;
      break;
    case kStretch:
      pos = parentPos + offset;
      outSize = parentSize - offset - size;
      break;
  }
}

R Box(const R& parent, Anchor ax, Anchor ay, int x, int y, int w, int h) {
  R r;
  Place(ax, parent.x, parent.w, x, w, r.x, r.w);
  Place(ay, parent.y, parent.h, y, h, r.y, r.h);
  return r;
}

// A box at (x, y) of the parent's top-left corner.
R At(const R& parent, int x, int y, int w, int h) { return {parent.x + x, parent.y + y, w, h}; }
R Inset(const R& r, int left, int top, int right, int bottom) {
  return {r.x + left, r.y + top, r.w - left - right, r.h - top - bottom};
}

class cTable {
 public:
  cTable(int width, int height) : screen_{0, 0, width, height} {}
  const R& Screen() const { return screen_; }
  int W() const { return screen_.w; }
  int H() const { return screen_.h; }

  void Set(int id, const R& r) {
    if (!rows_.emplace(id, r).second) {
      std::fprintf(stderr, "make_gui_layout: row %d described twice\n", id);
      std::exit(1);
    }
  }
  // A label and its value box side by side in one row rectangle.
  void Pair(int label, int value, const R& row, int labelWidth, int gap = 6) {
    Set(label, {row.x, row.y, labelWidth, row.h});
    Set(value, {row.x + labelWidth + gap, row.y, row.w - labelWidth - gap, row.h});
  }
  // A slider row: label, slider, value label, left to right.
  void SliderRow(int label, int slider, int value, const R& row, int labelWidth, int valueWidth) {
    Set(label, {row.x, row.y, labelWidth, row.h});
    Set(slider, {row.x + labelWidth + 6, row.y, row.w - labelWidth - valueWidth - 12, row.h});
    Set(value, {row.x + row.w - valueWidth, row.y, valueWidth, row.h});
  }
  // Two buttons at the foot of a dialog: the confirming one left, the other right.
  void FootButtons(const R& dialog, int left, int right, int width = 160) {
    if (left >= 0) Set(left, {dialog.x + 16, dialog.Bottom() - 52, width, 36});
    if (right >= 0) Set(right, {dialog.Right() - 16 - width, dialog.Bottom() - 52, width, 36});
  }
  void FootButtonCentred(const R& dialog, int id, int width = 160) {
    Set(id, {dialog.x + (dialog.w - width) / 2, dialog.Bottom() - 52, width, 36});
  }
  void Title(const R& dialog, int id) { Set(id, {dialog.x + 16, dialog.y + 12, dialog.w - 32, 30}); }

  const std::map<int, R>& Rows() const { return rows_; }

 private:
  R screen_;
  std::map<int, R> rows_;
};

constexpr int kRow = 24;   // height of one text row
constexpr int kStep = 26;  // distance between rows

// ---------------------------------------------------------------------------
// Pictures and plain rectangles read by the menus and the game screen.

void Pictures(cTable& t) {
  using namespace gui_skin;
  // The logos are drawn unscaled at this point: centred.
  t.Set(0, {(t.W() - kLogoWidth) / 2, (t.H() - kLogoHeight) / 2, kLogoWidth, kLogoHeight});
  // Wallpaper source rectangle, stretched to the screen: the widest part of
  // the 16:9 picture with the screen's proportions, centred.
  {
    int w = kWallpaperWidth, h = kWallpaperHeight;
    if (static_cast<long long>(t.W()) * kWallpaperHeight < static_cast<long long>(t.H()) * kWallpaperWidth)
      w = kWallpaperHeight * t.W() / t.H();
    else
      h = kWallpaperWidth * t.H() / t.W();
    t.Set(1, {(kWallpaperWidth - w) / 2, (kWallpaperHeight - h) / 2, w, h});
  }
  // Rectangles within the GUI picture (see gui_skin_map.h).
  t.Set(3, kInfoBarBackground);
  t.Set(4, kMinimapBackground);
  t.Set(5, kCommandBackground);
  t.Set(6, kCounterStrip);
  t.Set(11, kWeatherCell);
  t.Set(13, kResearchLevelCell);
  t.Set(14, kCommandIconCell);
  t.Set(57, kPurchaseCell);
  // Edge scrolling of the map views: left, top, right, bottom thresholds.
  t.Set(291, {3, 3, t.W() - 4, t.H() - 4});
  // The size of the hint box of a sea node (its position is the cursor's).
  t.Set(760, {0, 0, 190, 84});
}

// ---------------------------------------------------------------------------
// Menus.

void MainMenu(cTable& t) {
  const R frame = Box(t.Screen(), kCentre, kCentre, 0, 60, 320, 300);
  t.Set(70, frame);
  for (int i = 0; i < 4; ++i) t.Set(71 + i, At(frame, 32, 36 + i * 60, 256, 44));
}

void PreferencesMenu(cTable& t) { t.Set(80, Box(t.Screen(), kCentre, kNear, 0, 24, 600, 48)); }

void PauseMenu(cTable& t) {
  const R frame = Box(t.Screen(), kCentre, kCentre, 0, 0, 320, 370);
  t.Set(270, frame);
  for (int i = 0; i < 5; ++i) t.Set(272 + i, At(frame, 32, 36 + i * 62, 256, 44));
}

void LoadingMenu(cTable& t) { t.Set(263, Box(t.Screen(), kCentre, kFar, 0, 96, 600, 26)); }

void ScenarioMenu(cTable& t) {
  const R s = t.Screen();
  t.Set(175, Box(s, kCentre, kNear, 0, 16, 600, 44));
  const int half = (t.W() - 72) / 2;
  // Left: the tabbed list; the saved-game tabs add two rows under it.
  const R tabs = {24, 72, half, t.H() - 72 - 96};
  t.Set(178, tabs);
  const R inner = Inset(tabs, 8, 34, 8, 8);
  t.Set(179, {inner.x, inner.y, inner.w, inner.h - 2 * kStep - 6});
  t.Pair(187, 188, {inner.x, inner.Bottom() - 2 * kStep + 2, inner.w, kRow}, 150);
  t.Pair(189, 190, {inner.x, inner.Bottom() - kStep + 2, inner.w, kRow}, 150);
  // Right: the framed preview with three detail rows beside it, the
  // duration across, then description and objectives sharing the rest.
  const R col = {tabs.Right() + 24, 72, half, tabs.h};
  const R preview = At(col, 0, 0, 200, 200);
  t.Set(177, preview);
  t.Set(176, Inset(preview, 12, 12, 12, 12));
  t.Set(199, Inset(preview, 12, 12, 12, 12));
  const R beside = {preview.Right() + 12, col.y + 8, col.w - preview.w - 12, kRow};
  t.Pair(181, 182, beside, 90);
  t.Pair(183, 184, {beside.x, beside.y + 32, beside.w, kRow}, 90);
  t.Pair(197, 198, {beside.x, beside.y + 64, beside.w, kRow}, 90);
  t.Pair(185, 186, {col.x, preview.Bottom() + 12, col.w, kRow}, 90);
  const int top = preview.Bottom() + 12 + kRow + 10;
  const int memo = (col.Bottom() - top - 2 * (kRow + 2)) / 2;
  t.Set(191, {col.x, top, col.w, kRow});
  t.Set(192, {col.x, top + kRow + 2, col.w, memo - 6});
  t.Set(193, {col.x, top + kRow + 2 + memo, col.w, kRow});
  t.Set(194, {col.x, top + 2 * (kRow + 2) + memo, col.w, memo - 6});
  // The version label takes the bottom 30 pixels.
  t.Set(200, Box(s, kFar, kFar, 24, 40, 200, 40));
  t.Set(201, Box(s, kNear, kFar, 24, 40, 200, 40));
}

void ScenarioSettingsMenu(cTable& t) {
  const R s = t.Screen();
  t.Set(205, Box(s, kCentre, kNear, 0, 16, 700, 40));
  const R back = Box(s, kStretch, kStretch, 24, 64, 24, 96);
  t.Set(207, back);
  const R tabs = Inset(back, 12, 12, 12, 12);
  t.Set(208, tabs);
  const R c = Inset(tabs, 12, 40, 12, 12);
  // Countries tab: the list left, the chosen country right.
  const int listW = c.w * 2 / 5;
  t.Set(216, {c.x, c.y, listW, c.h});
  const R right = {c.x + listW + 16, c.y, c.w - listW - 16, c.h};
  t.Set(219, At(right, 0, 0, 96, 64));
  t.Set(218, At(right, 108, 0, right.w - 108, 64));
  const int half = right.w / 2;
  t.Set(222, At(right, 0, 76, half - 8, kRow));
  t.Set(224, At(right, 12, 76 + kStep, half - 20, kRow));
  t.Set(225, At(right, 12, 76 + 2 * kStep, half - 20, kRow));
  t.Set(226, At(right, 12, 76 + 3 * kStep + 4, half - 20, kRow));
  t.Set(227, At(right, half, 76, half, kRow));
  for (int i = 0; i < 5; ++i) t.Set(229 + i, At(right, half + 12, 76 + (i + 1) * kStep, half - 12, kRow));
  const int statsTop = 76 + 6 * kStep + 12;
  t.Set(220, {right.x, right.y + statsTop, right.w, right.h - statsTop});
  t.Set(221, {right.x + 8, right.y + statsTop + 34, right.w - 16, right.h - statsTop - 42});
  // PBEM tab: the game, the player list left, the player's fields right.
  t.Set(234, At(c, 0, 0, 360, kRow));
  t.Pair(235, 236, At(c, 0, 32, std::min(c.w, 520), kRow), 200);
  t.Set(237, At(c, 0, 68, 300, kRow));
  const int plW = c.w * 11 / 20;
  t.Set(238, At(c, 0, 68 + kStep, plW, c.h - 68 - kStep - 40));
  const R fields = {c.x + plW + 16, c.y + 68 + kStep, c.w - plW - 16, kRow};
  t.Pair(239, 240, fields, 110);
  t.Pair(241, 242, {fields.x, fields.y + 32, fields.w, kRow}, 110);
  t.Set(243, {fields.x, fields.y + 72, 180, 32});
  t.Set(244, {fields.x, fields.y + 110, 180, 32});
  t.Set(245, At(c, 0, c.h - kRow, 480, kRow));
  t.Set(246, Box(s, kFar, kFar, 24, 40, 200, 40));
  t.Set(247, Box(s, kNear, kFar, 24, 40, 200, 40));
}

// ---------------------------------------------------------------------------
// The game screen: the information bar across the top, the command icons,
// the minimap in the lower left and the four folding panels.

constexpr int kBarHeight = 64;

void InfoPanel(cTable& t) {
  t.Set(292, {0, 0, t.W(), kBarHeight});
  t.Set(331, {4, 2, 60, 40});
  t.Set(332, {68, 2, 150, 40});
  // Six counters, each a pictogram of the strip (row 6) and its number.
  constexpr int kFirst = 222, kSlot = gui_skin::kCounterSlot;
  t.Set(330, {kFirst, 10, gui_skin::kCounterStrip.w, gui_skin::kCounterStrip.h});
  for (int i = 0; i < 6; ++i) t.Set(294 + 2 * i, {kFirst + i * kSlot + 26, 6, kSlot - 30, 32});
  t.Set(420, {kFirst + 6 * kSlot + 4, 5, 32, 32});
  t.Set(293, {68, 44, t.W() - 76, 18});
  // The four folding icons at the right of the bar: unit, hex, attack, diplomacy.
  const int ids[4] = {350, 400, 450, 600};
  for (int i = 0; i < 4; ++i) t.Set(ids[i], {t.W() - 4 - (4 - i) * 44 + 4, 2, 40, 40});
  // Command icons: two rows of four on their backing, right, under the hex panel.
  const R deco = Box(t.Screen(), kFar, kNear, 4, kBarHeight + 310, 200, 104);
  t.Set(335, deco);
  const int order[8] = {343, 336, 339, 340, 337, 341, 344, 342};
  for (int i = 0; i < 8; ++i) t.Set(order[i], At(deco, 8 + (i % 4) * 48, 8 + (i / 4) * 48, 40, 40));
}

void MinimapPanel(cTable& t) {
  // Taller screens get a larger minimap.
  const bool large = t.H() >= 1000;
  const R p = Box(t.Screen(), kNear, kFar, 4, 4, large ? 352 : 272, large ? 252 : 196);
  t.Set(310, p);
  t.Set(311, At(p, 8, 4, p.w - 16, 20));
  t.Set(315, At(p, 8, 28, p.w - 16, p.h - 64));
  const int order[5] = {316, 317, 319, 318, 320};
  for (int i = 0; i < 5; ++i) t.Set(order[i], At(p, 8 + i * 30, p.h - 30, 25, 25));
}

void UnitPanel(cTable& t) {
  const R p = Box(t.Screen(), kNear, kNear, 4, kBarHeight + 4, 290, 500);
  t.Set(351, p);
  t.Set(352, At(p, 17, 8, 256, 128));
  struct Line {
    int label, value, side;  // side: an icon or the flag beside the value, or 0
  };
  const Line lines[10] = {{353, 354, 355}, {356, 358, 357}, {359, 360, 361}, {362, 363, 364}, {365, 366, 367},
                          {368, 369, 0},   {370, 371, 372}, {373, 374, 375}, {376, 377, 0},   {378, 379, 0}};
  for (int i = 0; i < 10; ++i) {
    const R row = At(p, 8, 142 + i * kStep, 246, kRow);
    // The name is the longest value: its short label leaves it more room.
    t.Pair(lines[i].label, lines[i].value, row, i == 0 ? 44 : 96);
    if (lines[i].side == 357)
      t.Set(357, At(p, 258, 142 + i * kStep, 28, 19));
    else if (lines[i].side != 0)
      t.Set(lines[i].side, At(p, 260, 142 + i * kStep, kRow, kRow));
  }
  // Ten action icons in two rows of five.
  const int icons[10] = {380, 381, 382, 383, 384, 385, 386, 387, 388, 390};
  for (int i = 0; i < 10; ++i) t.Set(icons[i], At(p, 13 + (i % 5) * 56, 408 + (i / 5) * 44, 40, 40));
  t.Set(389, At(p, 0, 0, 0, 0));  // no control; moves with the panel
}

void HexPanel(cTable& t) {
  const R p = Box(t.Screen(), kFar, kNear, 4, kBarHeight + 4, 300, 294);
  t.Set(401, p);
  for (int i = 0; i < 9; ++i) t.Pair(402 + 2 * i, 403 + 2 * i, At(p, 8, 8 + i * kStep, 284, kRow), 124);
  t.Set(421, At(p, 8, 8 + 9 * kStep + 4, 40, 40));
}

void AttackPanel(cTable& t) {
  const R p = Box(t.Screen(), kCentre, kFar, 0, 4, 320, 336);
  t.Set(451, p);
  t.Set(463, At(p, 8, 8, 236, 20));
  t.Set(464, At(p, 8, 30, 236, 64));
  t.Set(465, At(p, 252, 8, 60, 40));
  const int att[3][2] = {{466, 467}, {468, 469}, {470, 471}};
  for (int i = 0; i < 3; ++i) t.Pair(att[i][0], att[i][1], At(p, 8, 102 + i * kStep, 304, kRow), 150);
  // The defender's name takes the row's whole width under its label.
  t.Set(453, At(p, 8, 178, 236, 20));
  t.Set(454, At(p, 8, 200, 236, kRow));
  t.Set(455, At(p, 252, 180, 60, 40));
  const int def[3][2] = {{456, 457}, {458, 459}, {460, 461}};
  for (int i = 0; i < 3; ++i) t.Pair(def[i][0], def[i][1], At(p, 8, 226 + i * kStep, 304, kRow), 150);
  t.Pair(472, 473, At(p, 8, 304, 304, kRow), 150);
}

void DiplomacyPanel(cTable& t) {
  // Between the unit panel and the hex panel even on the narrowest screen.
  const R p = Box(t.Screen(), kCentre, kNear, 0, kBarHeight + 4, 410, 348);
  t.Set(601, p);
  // Values such as "Nationalist regime" need the wider value column.
  t.Pair(609, 611, At(p, 8, 8, 238, kRow), 110);
  for (int i = 0; i < 7; ++i) t.Pair(612 + 2 * i, 613 + 2 * i, At(p, 8, 34 + i * kStep, 238, kRow), 110);
  t.Set(610, At(p, 254, 8, 60, 40));
  t.Set(626, At(p, 254, 52, 148, 20));
  t.Set(627, At(p, 254, 74, 148, 140));
  // The buttons against another country (602-604) and those for one's own
  // (605-608) are never shown together: both sets start at the first place.
  for (int i = 0; i < 7; ++i) {
    const int slot = i < 3 ? i : i - 3;
    t.Set(602 + i, At(p, 8 + (slot % 2) * 199, 224 + (slot / 2) * 30, 195, 26));
  }
}

void SeaBattleScreen(cTable& t) {
  const R f = Box(t.Screen(), kFar, kStretch, 0, 0, 300, 0);
  t.Set(650, f);
  t.Set(651, At(f, 12, 12, 276, 28));
  t.Set(652, At(f, 12, 44, 276, kRow));
  t.Pair(653, 654, At(f, 12, 80, 276, kRow), 190);
  t.Pair(662, 663, At(f, 12, 80 + kStep + 2, 276, kRow), 190);
  t.Set(655, At(f, 12, 140, 276, kRow));
  t.Set(656, {f.x + 12, f.y + 166, 276, f.h - 166 - 226});
  const int buttons[5] = {657, 661, 660, 659, 658};
  for (int i = 0; i < 5; ++i) t.Set(buttons[i], {f.x + 24, f.Bottom() - 216 + i * 42, 252, 36});
}

// ---------------------------------------------------------------------------
// Dialogs. Each is centred on the screen at its own size; its id is also the
// row of its rectangle.

R Dialog(cTable& t, int id, int w, int h, int dy = 0) {
  const R d = Box(t.Screen(), kCentre, kCentre, 0, dy, w, h);
  t.Set(id, d);
  return d;
}

void SettingsDialog(cTable& t) {
  const R d = Dialog(t, 82, 680, 520);
  t.Set(83, At(d, 12, 12, 656, 444));
  const R c = At(d, 28, 52, 624, 390);
  t.FootButtonCentred(d, 171);
  // General.
  t.Pair(84, 85, At(c, 0, 0, 420, kRow), 200);
  t.Set(86, At(c, 0, 40, 420, kRow));
  t.Pair(87, 88, At(c, 0, 80, 420, kRow), 200);
  // Units.
  t.Set(90, At(c, 0, 0, 300, kRow));
  t.Set(91, At(c, 0, kStep, 300, 220));
  t.Set(92, At(c, 320, kStep, 300, kRow));
  t.Set(95, At(c, 320, kStep + 30, 300, kRow));
  // Map.
  t.Set(96, At(c, 0, 0, 260, kRow));
  t.Set(97, At(c, 0, kStep, 260, 150));
  for (int i = 0; i < 5; ++i) t.Set(98 + i, At(c, 280, kStep + i * 30, 340, kRow));
  t.Set(103, At(c, 0, 190, 260, kRow));
  t.Set(104, At(c, 0, 190 + kStep, 260, kRow));
  for (int i = 0; i < 6; ++i) t.Set(105 + i, At(c, 280 + i * 56, 190, 54, 54));
  // Gameplay: visibility, ten delay rows, the sea-battle timeout, one check box.
  const auto slider = [&](int label, int s, int value, int row) {
    t.SliderRow(label, s, value, At(c, 0, row * 27, 624, kRow), 250, 110);
  };
  slider(111, 113, 112, 0);
  for (int i = 0; i < 10; ++i) slider(114 + 3 * i, 116 + 3 * i, 115 + 3 * i, 1 + i);
  slider(144, 146, 145, 11);
  t.Set(147, At(c, 0, 12 * 27 + 4, 624, kRow));
  // Interface: one check box, five delay rows.
  t.Set(154, At(c, 0, 0, 624, kRow));
  for (int i = 0; i < 5; ++i) slider(155 + 3 * i, 157 + 3 * i, 156 + 3 * i, 1 + i);
  // Audio.
  slider(148, 150, 149, 0);
  slider(151, 153, 152, 1);
}

void SaveGameDialog(cTable& t) {
  const R d = Dialog(t, 252, 520, 440);
  t.Set(250, At(d, 16, 12, d.w - 32, 30));
  t.Set(253, At(d, 16, 50, 300, kRow));
  t.Set(254, At(d, 16, 76, d.w - 32, 226));
  t.Set(255, At(d, 16, 312, 300, kRow));
  t.Set(256, At(d, 16, 338, d.w - 32, 28));
  t.FootButtons(d, 258, 257);
}

void HotKeyDialog(cTable& t) {
  const R d = Dialog(t, 667, 480, 560);
  t.Set(665, At(d, 16, 12, d.w - 32, 30));
  t.Set(672, At(d, 16, 50, d.w - 32, d.h - 50 - 64));
  t.FootButtonCentred(d, 673);
}

void MessageDialog(cTable& t) {
  // Rows 685 and 687 are offsets in the dialog that grows with its text:
  // title x, y, right margin, height; text x, gap under the title, right
  // margin, gap above the button. Row 688 holds the button's screen x, its
  // bottom margin, width and height.
  const R d = Dialog(t, 684, 440, 150, -40);
  t.Set(685, {16, 12, 16, 30});
  t.Set(687, {20, 10, 20, 14});
  t.Set(688, {d.x + (d.w - 120) / 2, 14, 120, 34});
}

void QuestionDialogs(cTable& t) {
  {  // text input
    const R d = Dialog(t, 694, 420, 200);
    t.Title(d, 695);
    t.Set(697, At(d, 16, 48, d.w - 32, kRow));
    t.Set(698, At(d, 16, 78, d.w - 32, 28));
    t.FootButtons(d, 699, 700, 140);
  }
  {  // yes/no, also the end-turn question with its check box
    const R d = Dialog(t, 701, 440, 230);
    t.Title(d, 702);
    t.Set(704, At(d, 16, 48, d.w - 32, 84));
    t.Set(707, At(d, 16, 140, d.w - 32, kRow));
    t.FootButtons(d, 705, 706, 140);
  }
  {  // list choice
    const R d = Dialog(t, 722, 440, 420);
    t.Title(d, 723);
    t.Set(725, At(d, 16, 48, d.w - 32, kRow));
    t.Set(726, At(d, 16, 76, d.w - 32, d.h - 76 - 64));
    t.FootButtons(d, 727, 728, 140);
  }
}

void NewTurnDialog(cTable& t) {
  const R d = Dialog(t, 730, 420, 190, -60);
  t.Set(733, At(d, 16, 14, d.w - 32, 40));
  t.Set(732, At(d, (d.w - 150) / 2, 64, 150, 100));
}

void ReplacementsDialog(cTable& t) {
  const R d = Dialog(t, 840, 440, 290);
  t.Title(d, 842);
  for (int i = 0; i < 3; ++i) t.Pair(843 + 2 * i, 844 + 2 * i, At(d, 16, 56 + i * 30, d.w - 32, kRow), 240);
  t.Set(849, At(d, 16, 152, d.w - 32 - 116, kRow));
  t.Set(850, At(d, d.w - 16 - 100, 148, 100, 32));
  t.FootButtons(d, 851, 852);
}

void ElectionsDialog(cTable& t) {
  const R d = Dialog(t, 930, 480, 364);
  t.Title(d, 932);
  t.Set(933, At(d, 16, 48, d.w - 32, 80));
  for (int i = 0; i < 4; ++i) t.Set(934 + i, At(d, 40, 136 + i * 42, d.w - 80, 34));
  t.FootButtonCentred(d, 938);
}

void CombatResultDialog(cTable& t) {
  const R d = Dialog(t, 900, 700, 470);
  t.Set(902, At(d, 16, 12, d.w - 32, 32));
  // Attacker left, defender right; the outcome icons go under each memo.
  t.Set(903, At(d, 16, 54, 96, 64));
  t.Set(907, At(d, 16, 126, 326, 180));
  t.Set(910, At(d, 358, 54, 96, 64));
  t.Set(914, At(d, 358, 126, 326, 180));
  t.Set(917, At(d, 16, 382, d.w - 32, kRow));
  t.FootButtons(d, 918, 919);
}

void ConvoyResultsDialog(cTable& t) {
  const R d = Dialog(t, 960, 760, 520);
  t.Set(963, At(d, 16, 10, 60, 40));
  t.Set(962, At(d, 84, 14, d.w - 168, 32));
  t.Set(964, At(d, 16, 60, 300, kRow));
  t.Set(965, At(d, 16, 86, d.w - 32, 220));
  t.Set(966, At(d, 16, 314, 300, kRow));
  t.Set(967, At(d, 16, 340, d.w - 32, 110));
  t.FootButtonCentred(d, 968);
}

void CommandersDialog(cTable& t) {
  const R d = Dialog(t, 860, 760, 560);
  t.Title(d, 862);
  t.Pair(863, 864, At(d, 16, 52, d.w - 32 - 176, kRow), 220);
  t.Set(865, At(d, d.w - 16 - 160, 48, 160, 32));
  t.Set(866, At(d, 16, 90, 300, kRow));
  t.Set(867, At(d, 16, 116, d.w - 32, 150));
  t.Set(868, At(d, 16, 276, 300, kRow));
  t.Set(869, At(d, 16, 302, d.w - 32, 186));
  t.FootButtons(d, 870, 871);
}

void ResearchDialog(cTable& t) {
  const R d = Dialog(t, 790, 720, 360);
  t.Title(d, 792);
  // Columns: each control of row j stands at y + (j + 1) * (height + 10);
  // the invest buttons at y + j * (height + 10), so their row starts one lower.
  t.Set(794, At(d, 16, 46, 170, 26));
  t.Set(795, At(d, 194, 46, 80, 26));
  t.Set(796, At(d, 282, 46, gui_skin::kResearchLevelCell.w, 26));
  t.Set(797, At(d, 410, 46, 100, 26));
  t.Set(798, At(d, 518, 46, 80, 26));
  t.Set(799, At(d, 606, 46 + 36, 98, 26));
  t.FootButtonCentred(d, 800);
}

void FleetsDialog(cTable& t) {
  const R d = Dialog(t, 550, 900, 610);
  t.Title(d, 551);
  t.Set(553, At(d, 16, 50, 400, kRow));
  t.Set(555, At(d, 16, 76, 600, 166));
  t.Set(552, At(d, 632, 50, 252, 126));
  t.Set(556, At(d, 632, 182, 252, 28));
  t.Set(557, At(d, 632, 214, 252, 28));
  t.Set(558, At(d, 16, 252, 200, kRow));
  t.Set(559, At(d, 232, 252, 120, kRow));
  t.Set(560, At(d, 360, 252, 120, kRow));
  t.Set(561, At(d, 490, 252, 126, kRow));
  t.Set(562, At(d, 16, 284, 300, kRow));
  t.Set(563, At(d, 320, 284, 296, kRow));
  t.Set(564, At(d, 16, 310, 600, 196));
  const int ship[10] = {566, 567, 568, 569, 570, 571, 572, 574, 575, 573};
  for (int i = 0; i < 10; ++i) t.Set(ship[i], At(d, 632 + (i / 5) * 128, 284 + (i % 5) * 32, 124, 28));
  t.Set(576, At(d, 16, 516, 160, kRow));
  t.Set(577, At(d, 180, 516, 436, kRow));
  t.FootButtons(d, -1, 578);
}

void ConvoysDialogRows(cTable& t) {
  const R d = Dialog(t, 940, 720, 500);
  t.Title(d, 942);
  t.Set(941, At(d, d.w - 16 - 150, 50, 150, 150));
  t.Set(943, At(d, 16, 50, 400, kRow));
  t.Set(944, At(d, 16, 76, 520, 250));
  const int buttons[4] = {945, 950, 946, 947};
  for (int i = 0; i < 4; ++i) t.Set(buttons[i], At(d, 554, 212 + i * 36, 150, 30));
  t.Set(951, At(d, 16, 338, 200, kRow));
  t.Set(952, At(d, 28, 364, 300, kRow));
  t.Set(953, At(d, 28, 390, 300, kRow));
  t.Set(955, At(d, 16, 424, 400, kRow));
  t.Set(954, At(d, 424, 424, 112, kRow));
  t.FootButtons(d, -1, 956);
}

void UnitsManagerDialog(cTable& t) {
  const R d = Dialog(t, 480, 820, 620);
  t.Title(d, 481);
  const R kinds = At(d, 16, 50, d.w - 32, 100);
  t.Set(483, kinds);
  const R c = Inset(kinds, 12, 36, 12, 4);
  const auto box = [&](int id, int i) { t.Set(id, At(c, (i % 4) * 194, (i / 4) * 28, 186, kRow)); };
  for (int i = 0; i < 7; ++i) box(484 + i, i);
  for (int i = 0; i < 3; ++i) box(491 + i, i);
  for (int i = 0; i < 6; ++i) box(494 + i, i);
  const R lists = At(d, 16, 160, d.w - 32, d.h - 160 - 64);
  t.Set(504, lists);
  t.Set(501, Inset(lists, 8, 34, 8, 8));
  t.Set(502, At(d, 16, d.h - 52, 180, 36));
  t.Set(503, At(d, 212, d.h - 46, 280, kRow));
  t.Set(505, At(d, d.w - 16 - 180, d.h - 52, 180, 36));
}

void ReportsDialog(cTable& t) {
  const R d = Dialog(t, 810, 880, 620);
  t.Set(811, At(d, 16, 12, d.w - 32, 30));
  const R tabs = At(d, 16, 50, d.w - 32, d.h - 50 - 64);
  t.Set(813, tabs);
  const R c = Inset(tabs, 12, 36, 12, 12);
  t.Set(812, c);
  t.Set(814, At(c, 0, 0, 220, kRow));
  t.Set(815, At(c, 0, kStep, 220, 236));
  t.Set(816, At(c, 0, 272, 220, kRow));
  t.Set(817, {c.x, c.y + 272 + kStep, 220, c.h - 272 - kStep});
  const R r = {c.x + 236, c.y, c.w - 236, c.h};
  // Statistics: sub-tabs with their table. Stored reports: date, counter,
  // slider, then the report's text.
  t.Set(820, r);
  t.Set(821, Inset(r, 8, 34, 8, 8));
  t.Pair(822, 823, At(r, 0, 0, 280, kRow), 80);
  t.Set(818, At(r, 292, 0, 110, kRow));
  t.Set(819, {r.x + 410, r.y, r.w - 410, kRow});
  t.Set(824, {r.x, r.y + 34, r.w, r.h - 34});
  t.FootButtons(d, -1, 826);
}

void CheatDialog(cTable& t) {
  const R d = Dialog(t, 630, 520, 400);
  t.Set(632, At(d, 16, 16, 220, d.h - 32));
  t.Set(634, At(d, 252, 16, 120, kRow));
  t.Set(635, At(d, 380, 16, 124, kRow));
  t.Set(636, At(d, 252, 56, 252, 28));
  t.Set(637, At(d, 252, 92, 252, 28));
  t.Set(638, At(d, 252, 128, 252, 28));
  t.Set(639, At(d, 252, 166, 120, 32));
  t.Set(640, At(d, d.w - 16 - 120, d.h - 48, 120, 34));
}

void EventDialog(cTable& t) {
  // The dialog is centred vertically by its reader: 780 spans the screen's
  // height, the rows below hold their y from the dialog's top; 786 gives the
  // step between option buttons by its height.
  const int w = 600;
  const int x = (t.W() - w) / 2;
  t.Set(780, {x, 0, w, t.H()});
  t.Set(781, {x + 16, 14, w - 32, 32});
  t.Set(782, {x + 16, 54, 96, 64});
  t.Set(783, {x + 120, 54, w - 136 - 216, 220});
  t.Set(784, {x + w - 16 - 200, 54, 200, 200});
  t.Set(785, {x + 16, 290, w - 32, 34});
  t.Set(786, {x + 16, 290 + 40, w - 32, 40});
}

void PurchasesDialog(cTable& t) {
  const R d = Dialog(t, 740, 760, 540);
  t.Title(d, 741);
  const R tabs = At(d, 16, 50, 470, d.h - 50 - 64);
  t.Set(743, tabs);
  t.Set(744, At(tabs, 12, 36, 300, kRow));
  t.Set(745, {tabs.x + 12, tabs.y + 36 + kStep, tabs.w - 24, tabs.h - 36 - kStep - 12});
  const R c = At(d, 500, 56, 244, 0);
  t.Set(755, At(c, 0, 0, 244, 160));
  for (int i = 0; i < 5; ++i) t.Set(746 + i, At(c, 0, 170 + i * kStep, 244, kRow));
  t.Pair(751, 752, At(c, 0, 310, 244, kRow), 110);
  t.Pair(753, 754, At(c, 0, 340, 244, kRow), 110);
  t.Set(756, At(c, 0, 380, 244, 34));
  t.FootButtons(d, -1, 757);
}

void Describe(cTable& t) {
  Pictures(t);
  MainMenu(t);
  PreferencesMenu(t);
  PauseMenu(t);
  LoadingMenu(t);
  ScenarioMenu(t);
  ScenarioSettingsMenu(t);
  InfoPanel(t);
  MinimapPanel(t);
  UnitPanel(t);
  HexPanel(t);
  AttackPanel(t);
  DiplomacyPanel(t);
  SeaBattleScreen(t);
  SettingsDialog(t);
  SaveGameDialog(t);
  HotKeyDialog(t);
  MessageDialog(t);
  QuestionDialogs(t);
  NewTurnDialog(t);
  ReplacementsDialog(t);
  ElectionsDialog(t);
  CombatResultDialog(t);
  ConvoyResultsDialog(t);
  CommandersDialog(t);
  ResearchDialog(t);
  FleetsDialog(t);
  ConvoysDialogRows(t);
  UnitsManagerDialog(t);
  ReportsDialog(t);
  CheatDialog(t);
  EventDialog(t);
  PurchasesDialog(t);
}

// The 18 fonts: face, height, weight code (weight = code * 8 + 100), the
// text colour and the highlight colour. Light text on the dark skin; 11 and
// 12 are dark text for paper backgrounds.
struct sFont {
  const char* face;
  int height, weight, r, g, b, hr, hg, hb;
};
constexpr sFont kFonts[18] = {
    {"Arial", 14, 37, 230, 226, 210, 255, 204, 80},   {"Arial", 12, 37, 230, 226, 210, 255, 204, 80},
    {"Arial", 16, 75, 250, 246, 230, 255, 204, 80},   {"Arial", 18, 75, 250, 246, 230, 255, 204, 80},
    {"Arial", 22, 75, 255, 230, 160, 255, 255, 255},  {"Arial", 11, 37, 200, 198, 186, 255, 204, 80},
    {"Arial", 15, 37, 230, 226, 210, 255, 204, 80},   {"Arial", 11, 37, 230, 226, 210, 255, 204, 80},
    {"Arial", 13, 75, 230, 226, 210, 255, 204, 80},   {"Arial", 28, 75, 255, 230, 160, 255, 255, 255},
    {"Arial", 14, 75, 30, 28, 20, 120, 40, 0},        {"Arial", 12, 37, 30, 28, 20, 120, 40, 0},
    {"Times New Roman", 16, 37, 230, 226, 210, 255, 204, 80},
    {"Times New Roman", 20, 75, 255, 230, 160, 255, 255, 255},
    {"Courier New", 13, 37, 200, 255, 200, 255, 255, 255},
    {"Arial", 10, 37, 230, 226, 210, 255, 204, 80},   {"Arial", 9, 37, 230, 226, 210, 255, 204, 80},
    {"Arial", 36, 75, 255, 230, 160, 255, 255, 255},
};

bool Write(const std::string& folder, int width, int height) {
  cTable t(width, height);
  Describe(t);
  const std::string file = folder + "/GUI_" + std::to_string(width) + "x" + std::to_string(height) + ".csv";
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (f == nullptr) {
    std::fprintf(stderr, "make_gui_layout: cannot write %s\n", file.c_str());
    return false;
  }
  std::fprintf(f,
               "# Control rectangles, made by tools/guiskin/make_gui_layout: id;x;y;width;height (areas 1, 3-9 and "
               "16-56 are read as left, top, right, bottom)\r\n");
  for (const auto& [id, r] : t.Rows()) std::fprintf(f, "%d;%d;%d;%d;%d\r\n", id, r.x, r.y, r.w, r.h);
  std::fprintf(f,
               "# Fonts: number;face;height;weight code (weight = code * 8 + 100);red;green;blue;highlight "
               "red;green;blue\r\n");
  for (int i = 0; i < 18; ++i) {
    const sFont& ft = kFonts[i];
    std::fprintf(f, "%d;%s;%d;%d;%d;%d;%d;%d;%d;%d\r\n", i + 1, ft.face, ft.height, ft.weight, ft.r, ft.g, ft.b, ft.hr,
                 ft.hg, ft.hb);
  }
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gui_layout <data folder>\n");
    return 2;
  }
  // Every resolution that has a table is offered by the settings dialog.
  const int sizes[][2] = {{1024, 768}, {1280, 1024}, {1920, 1080}};
  for (const auto& s : sizes)
    if (!Write(argv[1], s[0], s[1])) return 1;
  return 0;
}
