// Paints the GUI picture, data/gfx/GUI.png (2048 x 2048): the toolkit's
// buttons, frames, check marks, slider and scroll pieces where its default
// skin cuts them, and the pictures of the menus, the game screen and the
// dialogs: panel backgrounds, folding and command icons, the unit-panel
// action icons, minimap icons, combat outcomes, weather, research levels,
// the purchases preview and the computer's-turn picture. Muted olive, khaki,
// steel and paper tones, each piece drawn whole so that cut pieces join.
#include <functional>

#include "gui_skin_map.h"
#include "paint.h"
#include "symbols.h"

namespace {

using namespace paint;
using namespace paint::colour;
using gui_skin::sRect;
using Symbol = std::function<void(cPen&)>;

constexpr Rgba kOutline = kInk;
constexpr Rgba kFill{70, 76, 54};
constexpr Rgba kFillDark{42, 46, 32};
constexpr Rgba kLight{150, 150, 120};
constexpr Rgba kField{30, 32, 24};
constexpr Rgba kGreen{96, 140, 62};
constexpr Rgba kGreenLight{156, 196, 110};
constexpr Rgba kButtonTop{112, 118, 84};
constexpr Rgba kButtonBottom{62, 68, 46};
constexpr Rgba kSeaDark{34, 52, 62};

// The toolkit's own pieces, where its default skin cuts them.
void PaintToolkit(cPicture& p) {
  // Caption bar.
  p.Panel(17, 269, 241, 287, 1, true, Rgba{96, 104, 70}, Rgba{54, 60, 40});
  // Input-method edit box: a panel and its reading window.
  p.Panel(8, 82, 246, 121, 2, false, kField, kFillDark);
  p.Panel(0, 0, 136, 54, 2, true, kFill, kFillDark);

  // Buttons: normal and pressed, each cut into 5-pixel caps and a middle.
  p.Panel(135, 1926, 150, 1956, 2, true, kButtonTop, kButtonBottom);
  p.Panel(151, 1926, 166, 1956, 2, false, Rgba{40, 44, 30}, Rgba{70, 76, 54});

  // Slider: a groove between two caps, a knob and a pressed knob.
  p.Fill(136, 1900, 166, 1925, Rgba{0, 0, 0, 0});
  p.Panel(136, 1909, 166, 1916, 1, false, kField, kFillDark);
  p.Panel(167, 1900, 177, 1925, 2, true, kBrass, kBrassDark);
  p.Panel(178, 1900, 188, 1925, 2, false, kBrassDark, kBrass);

  // Check boxes and radio buttons.
  for (int i = 0; i < 2; ++i) {
    const int x = 290 + 26 * i;
    p.Panel(x + 2, 1923, x + 23, 1944, 2, false, kField, kFillDark);
    if (i == 1) {
      p.Line(static_cast<float>(x) + 7, 1933, static_cast<float>(x) + 11, 1938, 3.0f, kBrass);
      p.Line(static_cast<float>(x) + 11, 1938, static_cast<float>(x) + 18, 1927, 3.0f, kBrass);
    }
    p.Disc(static_cast<float>(x) + 12.5f, 1959.5f, 10.5f, kOutline);
    p.Disc(static_cast<float>(x) + 12.5f, 1959.5f, 9.5f, kLight);
    p.Disc(static_cast<float>(x) + 13.0f, 1960.0f, 8.5f, kField);
    if (i == 1) p.Disc(static_cast<float>(x) + 12.5f, 1959.5f, 4.5f, kBrass);
  }

  // Combo box: field, list button with its arrow, selection bar, drop-down frame.
  p.Panel(199, 1926, 289, 1956, 2, false, kField, kFillDark);
  p.Panel(259, 1926, 289, 1956, 2, true, kButtonTop, kButtonBottom);
  p.Arrow(267, 1937, 281, 1945, false, kWhite);
  p.Fill(212, 2033, 287, 2045, Rgba{90, 74, 40});
  p.Panel(212, 1957, 287, 2032, 2, true, kFillDark, kField);

  // Progress bar: empty groove and filled bar.
  p.Panel(350, 1885, 365, 1910, 2, false, kField, kFillDark);
  p.Panel(350, 1910, 365, 1935, 2, true, kGreenLight, kGreen);

  // Scroll bar: up button, track, down button, thumb.
  p.Panel(290, 1973, 315, 1998, 2, true, kButtonTop, kButtonBottom);
  p.Arrow(296, 1980, 309, 1990, true, kWhite);
  p.Gradient(290, 1998, 315, 2023, kField, kField);
  p.Panel(296, 1998, 309, 2023, 0, false, kFillDark, kFillDark);
  p.Panel(290, 2023, 315, 2048, 2, true, kButtonTop, kButtonBottom);
  p.Arrow(296, 2031, 309, 2041, false, kWhite);
  p.Panel(316, 1973, 341, 2048, 2, true, Rgba{120, 126, 96}, Rgba{74, 80, 58});

  // Edit box and memo field.
  p.Panel(168, 1926, 198, 1956, 2, false, kField, kField);

  // List box: body, selection and column headers (plain, ascending, descending).
  p.Panel(350, 1936, 425, 2011, 2, false, kField, kFillDark);
  p.Fill(400, 1986, 425, 2011, Rgba{90, 74, 40});
  for (int h = 0; h < 3; ++h) {
    const int x = 425 + 25 * h;
    p.Panel(x, 1936, x + 25, 2011, 2, true, Rgba{100, 108, 80}, Rgba{60, 66, 46});
    if (h == 1) p.Arrow(x + 8, 1944, x + 17, 1950, true, kBrass);
    if (h == 2) p.Arrow(x + 8, 1944, x + 17, 1950, false, kBrass);
  }
  p.Panel(350, 2011, 375, 2036, 1, true, kFill, kFillDark);
  p.Panel(375, 2011, 400, 2036, 1, false, kFillDark, kFill);

  // Frames: style 0 with a brass inlay, style 1 plainer, style 2 thin.
  p.Panel(0, 1913, 135, 2048, 3, true, Rgba{70, 76, 54}, Rgba{42, 46, 32});
  for (int i = 8; i < 127; ++i) {
    p.Set(i, 1921, kBrassDark);
    p.Set(i, 2039, kBrassDark);
    p.Set(8, 1913 + i, kBrassDark);
    p.Set(126, 1913 + i, kBrassDark);
  }
  p.Panel(1130, 370, 1220, 460, 3, true, Rgba{70, 76, 54}, Rgba{42, 46, 32});
  p.Panel(221, 1895, 251, 1925, 2, true, kFill, kFillDark);

  // Tab frame body (also the hint box) and the tabs, other and active.
  p.Panel(190, 1895, 220, 1925, 2, true, Rgba{62, 66, 48}, Rgba{40, 43, 31});
  p.Panel(65, 1885, 95, 1905, 2, true, kFillDark, kField);
  p.Panel(95, 1885, 125, 1905, 2, true, Rgba{120, 126, 96}, Rgba{74, 82, 54});
  for (int x = 97; x < 123; ++x) p.Set(x, 1886, kBrass);
}


// ---------------------------------------------------------------------------
// Icons: three pictures stacked, disabled, normal and mouse-over.

enum eState { kDisabled, kNormal, kOver };

// The plate behind a symbol and the symbol's colour in each state.
Rgba Plate(cPicture& p, int x, int y, int w, int h, eState s, bool round) {
  const Rgba top = s == kDisabled ? Rgba{78, 78, 72} : s == kNormal ? Rgba{92, 100, 66} : Rgba{128, 136, 92};
  const Rgba bottom = s == kDisabled ? Rgba{50, 50, 46} : s == kNormal ? Rgba{50, 56, 36} : Rgba{72, 80, 50};
  if (round) {
    const float cx = x + w / 2.0f, cy = y + h / 2.0f, r = std::min(w, h) / 2.0f - 0.5f;
    p.Disc(cx, cy, r, kInk);
    p.Disc(cx, cy, r - 1.5f, bottom);
    p.Disc(cx - r * 0.1f, cy - r * 0.1f, r * 0.8f, Mix(top, bottom, 0.3f));
    if (s == kOver) p.Ring(cx, cy, r - 2.5f, r - 1.0f, kBrass);
  } else {
    p.Panel(x, y, x + w, y + h, std::max(1, w / 20), true, top, bottom, Mix(top, kWhite, 0.35f), kInk, kInk);
    if (s == kOver) p.Outline(x + 1, y + 1, x + w - 1, y + h - 1, kBrass, std::max(1, w / 24));
  }
  return s == kDisabled ? Rgba{126, 124, 114} : s == kNormal ? kKhakiLight : kWhite;
}

void DrawSymbol(cPicture& p, int x, int y, int w, int h, Rgba c, const Symbol& sym, float fill = 0.72f) {
  const int size = static_cast<int>(std::min(w, h) * fill);
  // A dark shadow one step down-right keeps light symbols readable.
  const int off = std::max(1, size / 40);
  cPen shadow(p, x + (w - size) / 2 + off, y + (h - size) / 2 + off, size, Alpha(kInk, 160));
  sym(shadow);
  cPen pen(p, x + (w - size) / 2, y + (h - size) / 2, size, c);
  sym(pen);
}

void Icon3(cPicture& p, int x, int y, int w, int h, const Symbol& sym, bool round = false) {
  for (int s = 0; s < 3; ++s) {
    const int top = y + s * h;
    const Rgba c = Plate(p, x, top, w, h, static_cast<eState>(s), round);
    DrawSymbol(p, x, top, w, h, c, sym);
  }
}

void PaintFoldIcons(cPicture& p) {
  Icon3(p, 950, 100, 90, 90, symbols::Attack);
  Icon3(p, 1040, 100, 90, 90, symbols::Counter);
  Icon3(p, 1130, 100, 90, 90, symbols::Hexagon);
  Icon3(p, 950, 460, 90, 90, [](cPen& pen) { symbols::Document(pen, true); });
}

void PaintUnitIcons(cPicture& p) {
  struct sIcon {
    int x, y;
    Symbol sym;
  };
  const sIcon icons[] = {
      {1240, 105, symbols::Pencil},
      {1280, 105, [](cPen& pen) { symbols::Star(pen); }},
      {1320, 105, symbols::Plus},
      {1360, 105, symbols::City},
      {1400, 105, [](cPen& pen) { symbols::Chevrons(pen, 2); }},
      {1440, 105, symbols::UpArrow},
      {1480, 105, symbols::Cross},
      {1520, 105, symbols::Undo},
      {1240, 225, symbols::LandingCraft},
      {1320, 225, symbols::CargoShip},
      {1400, 225, symbols::Parachute},
      {1440, 225, symbols::RailArrow},
      {1480, 225, symbols::Bomb},
      {1520, 225, symbols::Plane},
      {1240, 345, symbols::Binoculars},
      {1280, 345, symbols::Anchor},
      {1360, 345, symbols::Trefoil},
  };
  for (const sIcon& i : icons) Icon3(p, i.x, i.y, 40, 40, i.sym);
}

void PaintMinimapIcons(cPicture& p) {
  const Symbol syms[5] = {[](cPen& pen) { symbols::Magnifier(pen, true); },
                          [](cPen& pen) { symbols::Magnifier(pen, false); }, symbols::Flag, symbols::BorderMode,
                          symbols::Mountains};
  for (int i = 0; i < 5; ++i) Icon3(p, 560 + i * 30, 375, 25, 25, syms[i], true);
}

// Combat outcomes: single pictures on a round plate, the loss in red.
void PaintCombatOutcomes(cPicture& p) {
  const auto outcome = [&](int y, Rgba plate, Rgba c, const Symbol& sym) {
    p.Disc(410, y + 30.0f, 29.0f, kInk);
    p.Disc(410, y + 30.0f, 27.0f, plate);
    p.Ring(410, y + 30.0f, 24.5f, 26.0f, kBrassDark);
    DrawSymbol(p, 380, y, 60, 60, c, sym, 0.66f);
  };
  outcome(150, Rgba{70, 40, 30}, Rgba{236, 120, 60}, symbols::Skull);
  outcome(210, kOliveDark, kWhite, symbols::WhiteFlag);
  outcome(270, kOliveDark, kKhakiLight, symbols::Retreat);
  outcome(330, Rgba{70, 40, 30}, Rgba{236, 130, 60}, [](cPen& pen) {
    symbols::City(pen);
    cPen f(pen.p, static_cast<int>(pen.X(40)), static_cast<int>(pen.Y(0)), static_cast<int>(60 * pen.scale), kRed);
    symbols::Flames(f);
  });
  outcome(390, kSeaDark, Rgba{236, 130, 60}, [](cPen& pen) {
    symbols::Anchor(pen);
    cPen f(pen.p, static_cast<int>(pen.X(44)), static_cast<int>(pen.Y(0)), static_cast<int>(56 * pen.scale), kRed);
    symbols::Flames(f);
  });
  outcome(450, kSeaDark, kSteelLight, symbols::Sinking);
}

// The computer's turn: two frames of an hourglass, shown in turn.
void PaintComputerTurn(cPicture& p) {
  for (int f = 0; f < 2; ++f) {
    const int x = f * 200, y = 1390;
    p.Disc(x + 100.0f, y + 100.0f, 96.0f, kInk);
    p.Disc(x + 100.0f, y + 100.0f, 92.0f, kOliveDark);
    p.Ring(x + 100.0f, y + 100.0f, 84.0f, 89.0f, kBrass);
    p.Ring(x + 100.0f, y + 100.0f, 78.0f, 80.0f, kBrassDark);
    DrawSymbol(p, x, y, 200, 200, kKhakiLight, [f](cPen& pen) { symbols::Hourglass(pen, f == 0); }, 0.56f);
  }
}

// The convoys dialog's picture: a merchant ship under escort at sea.
void PaintConvoys(cPicture& p) {
  const int x0 = 1898, y0 = 1898;
  p.Gradient(x0, y0, x0 + 150, y0 + 80, Rgba{150, 156, 150}, Rgba{176, 174, 156});
  p.Gradient(x0, y0 + 80, x0 + 150, y0 + 150, kSeaLight, kSeaDark);
  cPen ship(p, x0 + 22, y0 + 32, 96, kSteelDark);
  symbols::CargoShip(ship);
  cPen escort(p, x0 + 90, y0 + 70, 56, Rgba{60, 64, 70});
  symbols::Warship(escort);
  p.Outline(x0, y0, x0 + 150, y0 + 150, kBrassDark, 3);
  p.Outline(x0, y0, x0 + 150, y0 + 150, kInk, 1);
}

// The information bar: dark olive with a brass rule, a lighter band below
// for the message line. Plain along its length, so stretching keeps it.
void PaintInfoBar(cPicture& p) {
  const sRect r = gui_skin::kInfoBarBackground;
  p.Gradient(r.x, r.y, r.Right(), r.y + 42, Rgba{84, 90, 62}, Rgba{48, 52, 36});
  p.Gradient(r.x, r.y + 42, r.Right(), r.Bottom(), Rgba{36, 38, 28}, Rgba{28, 30, 22});
  p.Fill(r.x, r.y, r.Right(), r.y + 1, Rgba{140, 144, 104});
  p.Fill(r.x, r.y + 41, r.Right(), r.y + 42, kBrassDark);
  p.Fill(r.x, r.y + 42, r.Right(), r.y + 43, kBrass);
  p.Fill(r.x, r.Bottom() - 2, r.Right(), r.Bottom() - 1, kBrassDark);
  p.Fill(r.x, r.Bottom() - 1, r.Right(), r.Bottom(), kInk);
}

// The counters' pictograms: production, diplomacy, strategic movement, sea
// transport, amphibious invasion, nuclear bombs; each on a small plate at
// the start of its slot.
void PaintCounterStrip(cPicture& p) {
  const sRect r = gui_skin::kCounterStrip;
  const Symbol syms[6] = {symbols::Factory, symbols::Quill, symbols::RailArrow, symbols::CargoShip,
                          symbols::LandingCraft, symbols::Trefoil};
  for (int i = 0; i < 6; ++i) {
    const int x = r.x + i * gui_skin::kCounterSlot;
    p.Panel(x, r.y, x + 26, r.y + 26, 1, true, Rgba{92, 100, 66}, Rgba{50, 56, 36}, Rgba{130, 136, 96});
    DrawSymbol(p, x, r.y, 26, 26, kKhakiLight, syms[i], 0.78f);
    // A recessed field for the number beside it.
    p.Panel(x + 28, r.y + 1, x + gui_skin::kCounterSlot - 4, r.y + 27, 1, false, kField, Rgba{40, 42, 32},
            Rgba{110, 112, 86}, kInk);
  }
}

// A framed olive panel with a brass inlay, as the panels' backgrounds.
void FramedPanel(cPicture& p, const sRect& r) {
  p.Panel(r.x, r.y, r.Right(), r.Bottom(), 3, true, Rgba{74, 80, 56}, Rgba{44, 48, 34});
  p.Outline(r.x + 5, r.y + 5, r.Right() - 5, r.Bottom() - 5, kBrassDark);
}

// The minimap panel's background: stretched to the panel's size, so plain
// (the map frame round the minimap is cleared black by the game screen).
void PaintMinimapBackground(cPicture& p) { FramedPanel(p, gui_skin::kMinimapBackground); }

void PaintCommandBackground(cPicture& p) { FramedPanel(p, gui_skin::kCommandBackground); }

void PaintWeather(cPicture& p) {
  const sRect c = gui_skin::kWeatherCell;
  const auto cell = [&](int i, Rgba top, Rgba bottom) {
    const int y = c.y + i * c.h;
    p.Panel(c.x, y, c.Right(), y + c.h, 1, true, top, bottom, Mix(top, kWhite, 0.3f));
    return y;
  };
  int y = cell(0, Rgba{120, 144, 156}, Rgba{170, 176, 150});
  DrawSymbol(p, c.x, y, c.w, c.h, Rgba{236, 196, 80}, symbols::Sun, 0.8f);
  y = cell(1, Rgba{176, 186, 192}, Rgba{220, 224, 226});
  DrawSymbol(p, c.x, y, c.w, c.h, Rgba{70, 96, 124}, symbols::Snowflake, 0.8f);
  y = cell(2, Rgba{104, 110, 112}, Rgba{110, 84, 52});
  DrawSymbol(p, c.x, y, c.w, c.h, Rgba{190, 206, 216}, symbols::Rain, 0.8f);
  p.Polygon({{c.x + 6.0f, y + 40.0f}, {c.x + 20.0f, y + 34.0f}, {c.x + 36.0f, y + 36.0f}, {c.x + 43.0f, y + 42.0f},
             {c.x + 6.0f, y + 44.0f}},
            Rgba{70, 50, 30});
}

// Research investment: level n lights n of three lamps.
void PaintResearchLevels(cPicture& p) {
  const sRect c = gui_skin::kResearchLevelCell;
  for (int level = 0; level < 4; ++level) {
    const int y = c.y + level * c.h;
    p.Panel(c.x, y, c.Right(), y + c.h, 1, false, kField, Rgba{40, 42, 32}, Rgba{110, 112, 86});
    for (int k = 0; k < 3; ++k) {
      const int x = c.x + 6 + k * (c.w - 12) / 3;
      const int x1 = x + (c.w - 12) / 3 - 4;
      const bool lit = k < level;
      p.Panel(x, y + 5, x1, y + c.h - 5, 1, true, lit ? kGreenLight : Rgba{58, 60, 50}, lit ? kGreen : Rgba{40, 42, 34},
              lit ? Rgba{200, 230, 160} : Rgba{84, 86, 74});
    }
  }
}

// The command icons of the information bar, on the grid of row 14.
void PaintCommandIcons(cPicture& p) {
  const sRect c = gui_skin::kCommandIconCell;
  const auto at = [&](int col, int row, const Symbol& s) { Icon3(p, c.x + col * c.w, c.y + row * c.h, c.w, c.h, s); };
  at(0, 0, symbols::EndTurn);
  at(1, 0, symbols::Flask);
  at(2, 0, symbols::Coins);
  at(3, 0, symbols::Supply);
  at(4, 0, [](cPen& pen) { symbols::Document(pen, false); });
  at(0, 3, symbols::Counter);
  at(1, 3, symbols::CargoShip);
  at(2, 3, symbols::Gear);
  at(3, 3, symbols::Key);
  at(4, 3, symbols::Binoculars);
}

// The purchases preview cells: land units, strategic movement; amphibious,
// sea transport (the order the purchases dialog reads them in).
void PaintPurchaseCells(cPicture& p) {
  const sRect c = gui_skin::kPurchaseCell;
  const Symbol syms[4] = {symbols::Tank, symbols::RailArrow, symbols::LandingCraft, symbols::CargoShip};
  const int cols[4] = {0, 1, 0, 1}, rows[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) {
    const int x = c.x + cols[i] * c.w, y = c.y + rows[i] * c.h;
    p.Panel(x, y, x + c.w, y + c.h, 3, false, Rgba{208, 196, 156}, Rgba{176, 162, 120}, kWhite, Rgba{120, 104, 70});
    p.Outline(x + 6, y + 6, x + c.w - 6, y + c.h - 6, Rgba{140, 122, 84});
    DrawSymbol(p, x, y, c.w, c.h, kOliveDark, syms[i], 0.7f);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gui_skin <out.png>\n");
    return 2;
  }
  cPicture picture(gui_skin::kPictureSize, gui_skin::kPictureSize);
  PaintToolkit(picture);
  PaintFoldIcons(picture);
  PaintUnitIcons(picture);
  PaintMinimapIcons(picture);
  PaintCombatOutcomes(picture);
  PaintComputerTurn(picture);
  PaintConvoys(picture);
  PaintInfoBar(picture);
  PaintCounterStrip(picture);
  PaintMinimapBackground(picture);
  PaintCommandBackground(picture);
  PaintWeather(picture);
  PaintResearchLevels(picture);
  PaintCommandIcons(picture);
  PaintPurchaseCells(picture);
  return picture.Save(argv[1]) ? 0 : 1;
}
