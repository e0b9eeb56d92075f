// Paints the GUI skin picture: a dark slate look with brass accents, each
// piece drawn whole over the area the skin cuts into caps or a 3 x 3 grid,
// so that the cut pieces join again seamlessly.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 2048;

struct Rgba {
  int r, g, b, a = 255;
};

constexpr Rgba kOutline{12, 14, 18};
constexpr Rgba kFill{58, 67, 80};
constexpr Rgba kFillDark{36, 42, 51};
constexpr Rgba kLight{124, 135, 150};
constexpr Rgba kShadow{22, 26, 32};
constexpr Rgba kBrass{200, 160, 80};
constexpr Rgba kBrassDark{120, 92, 40};
constexpr Rgba kField{24, 28, 34};
constexpr Rgba kGreen{90, 150, 70};
constexpr Rgba kGreenLight{150, 205, 120};
constexpr Rgba kWhite{235, 235, 235};

class cPicture {
 public:
  cPicture() : px_(static_cast<size_t>(kWidth) * kHeight, 0u) {}
  void Set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    px_[static_cast<size_t>(y) * kWidth + x] = (static_cast<uint32_t>(c.a) << 24) | (static_cast<uint32_t>(c.r) << 16) |
                                              (static_cast<uint32_t>(c.g) << 8) | static_cast<uint32_t>(c.b);
  }
  void Fill(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  // A vertical gradient from top to bottom colour.
  void Gradient(int x0, int y0, int x1, int y1, Rgba top, Rgba bottom) {
    const int h = std::max(1, y1 - y0 - 1);
    for (int y = y0; y < y1; ++y) {
      const float t = static_cast<float>(y - y0) / static_cast<float>(h);
      const Rgba c{static_cast<int>(top.r + (bottom.r - top.r) * t), static_cast<int>(top.g + (bottom.g - top.g) * t),
                   static_cast<int>(top.b + (bottom.b - top.b) * t), 255};
      for (int x = x0; x < x1; ++x) Set(x, y, c);
    }
  }
  // A raised (or sunken) panel: outline, bevel of the given width, filled body.
  void Panel(int x0, int y0, int x1, int y1, int bevel, bool raised, Rgba top, Rgba bottom) {
    Gradient(x0, y0, x1, y1, top, bottom);
    const Rgba hi = raised ? kLight : kShadow, lo = raised ? kShadow : kLight;
    for (int i = 1; i <= bevel; ++i) {
      for (int x = x0 + i; x < x1 - i; ++x) {
        Set(x, y0 + i, hi);
        Set(x, y1 - 1 - i, lo);
      }
      for (int y = y0 + i; y < y1 - i; ++y) {
        Set(x0 + i, y, hi);
        Set(x1 - 1 - i, y, lo);
      }
    }
    for (int x = x0; x < x1; ++x) {
      Set(x, y0, kOutline);
      Set(x, y1 - 1, kOutline);
    }
    for (int y = y0; y < y1; ++y) {
      Set(x0, y, kOutline);
      Set(x1 - 1, y, kOutline);
    }
  }
  // A round-ended thick line.
  void Line(float xa, float ya, float xb, float yb, float width, Rgba c) {
    const int x0 = static_cast<int>(std::floor(std::min(xa, xb) - width)), x1 = static_cast<int>(std::ceil(std::max(xa, xb) + width));
    const int y0 = static_cast<int>(std::floor(std::min(ya, yb) - width)), y1 = static_cast<int>(std::ceil(std::max(ya, yb) + width));
    const float dx = xb - xa, dy = yb - ya, len2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
        float t = len2 > 0 ? ((px - xa) * dx + (py - ya) * dy) / len2 : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        const float ex = xa + t * dx - px, ey = ya + t * dy - py;
        if (ex * ex + ey * ey <= width * width / 4) Set(x, y, c);
      }
  }
  void Disc(float cx, float cy, float radius, Rgba c) {
    for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y)
      for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
        const float ex = static_cast<float>(x) + 0.5f - cx, ey = static_cast<float>(y) + 0.5f - cy;
        if (ex * ex + ey * ey <= radius * radius) Set(x, y, c);
      }
  }
  // A filled triangle pointing up or down inside the box.
  void Arrow(int x0, int y0, int x1, int y1, bool up, Rgba c) {
    const float cx = (x0 + x1) / 2.0f, h = static_cast<float>(y1 - y0), w = static_cast<float>(x1 - x0);
    for (int y = y0; y < y1; ++y) {
      const float t = (static_cast<float>(y - y0) + 0.5f) / h;
      const float half = (up ? t : 1.0f - t) * w / 2;
      for (int x = x0; x < x1; ++x)
        if (std::fabs(static_cast<float>(x) + 0.5f - cx) <= half) Set(x, y, c);
    }
  }
  const std::vector<uint32_t>& Pixels() const { return px_; }

 private:
  std::vector<uint32_t> px_;
};

void Paint(cPicture& p) {
  // Caption bar.
  p.Panel(17, 269, 241, 287, 1, true, Rgba{70, 84, 110}, Rgba{40, 48, 64});
  // Input-method edit box: a panel and its reading window.
  p.Panel(8, 82, 246, 121, 2, false, kField, kFillDark);
  p.Panel(0, 0, 136, 54, 2, true, kFill, kFillDark);

  // Buttons: normal and pressed, each cut into 5-pixel caps and a middle.
  p.Panel(135, 1926, 150, 1956, 2, true, Rgba{88, 100, 118}, Rgba{48, 56, 68});
  p.Panel(151, 1926, 166, 1956, 2, false, Rgba{36, 42, 51}, Rgba{60, 70, 84});

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
  p.Panel(259, 1926, 289, 1956, 2, true, Rgba{88, 100, 118}, Rgba{48, 56, 68});
  p.Arrow(267, 1937, 281, 1945, false, kWhite);
  p.Fill(212, 2033, 287, 2045, Rgba{90, 74, 40});
  p.Panel(212, 1957, 287, 2032, 2, true, kFillDark, kField);

  // Progress bar: empty groove and filled bar.
  p.Panel(350, 1885, 365, 1910, 2, false, kField, kFillDark);
  p.Panel(350, 1910, 365, 1935, 2, true, kGreenLight, kGreen);

  // Scroll bar: up button, track, down button, thumb.
  p.Panel(290, 1973, 315, 1998, 2, true, Rgba{88, 100, 118}, Rgba{48, 56, 68});
  p.Arrow(296, 1980, 309, 1990, true, kWhite);
  p.Gradient(290, 1998, 315, 2023, kField, kField);
  p.Panel(296, 1998, 309, 2023, 0, false, kFillDark, kFillDark);
  p.Panel(290, 2023, 315, 2048, 2, true, Rgba{88, 100, 118}, Rgba{48, 56, 68});
  p.Arrow(296, 2031, 309, 2041, false, kWhite);
  p.Panel(316, 1973, 341, 2048, 2, true, Rgba{100, 110, 126}, Rgba{60, 68, 80});

  // Edit box and memo field.
  p.Panel(168, 1926, 198, 1956, 2, false, kField, kField);

  // List box: body, selection and column headers (plain, ascending, descending).
  p.Panel(350, 1936, 425, 2011, 2, false, kField, kFillDark);
  p.Fill(400, 1986, 425, 2011, Rgba{90, 74, 40});
  for (int h = 0; h < 3; ++h) {
    const int x = 425 + 25 * h;
    p.Panel(x, 1936, x + 25, 2011, 2, true, Rgba{80, 92, 110}, Rgba{48, 56, 68});
    if (h == 1) p.Arrow(x + 8, 1944, x + 17, 1950, true, kBrass);
    if (h == 2) p.Arrow(x + 8, 1944, x + 17, 1950, false, kBrass);
  }
  p.Panel(350, 2011, 375, 2036, 1, true, kFill, kFillDark);
  p.Panel(375, 2011, 400, 2036, 1, false, kFillDark, kFill);

  // Frames: style 0 with a brass inlay, style 1 plainer, style 2 thin.
  p.Panel(0, 1913, 135, 2048, 3, true, Rgba{52, 60, 72}, Rgba{34, 40, 48});
  for (int i = 8; i < 127; ++i) {
    p.Set(i, 1921, kBrassDark);
    p.Set(i, 2039, kBrassDark);
    p.Set(8, 1913 + i, kBrassDark);
    p.Set(126, 1913 + i, kBrassDark);
  }
  p.Panel(1130, 370, 1220, 460, 3, true, Rgba{52, 60, 72}, Rgba{34, 40, 48});
  p.Panel(221, 1895, 251, 1925, 2, true, kFill, kFillDark);

  // Tab frame body (also the hint box) and the tabs, other and active.
  p.Panel(190, 1895, 220, 1925, 2, true, Rgba{44, 52, 64}, Rgba{30, 36, 44});
  p.Panel(65, 1885, 95, 1905, 2, true, kFillDark, kField);
  p.Panel(95, 1885, 125, 1905, 2, true, Rgba{88, 100, 118}, Rgba{58, 67, 80});
  for (int x = 97; x < 123; ++x) p.Set(x, 1886, kBrass);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gui_skin <out.png>\n");
    return 2;
  }
  cPicture picture;
  Paint(picture);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(picture.Pixels().data()), kWidth, kHeight,
                                                      32, kWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) {
    std::fprintf(stderr, "make_gui_skin: %s\n", SDL_GetError());
    return 1;
  }
  const int rc = IMG_SavePNG(s, argv[1]);
  SDL_FreeSurface(s);
  if (rc != 0) {
    std::fprintf(stderr, "make_gui_skin: cannot write %s: %s\n", argv[1], IMG_GetError());
    return 1;
  }
  return 0;
}
