// Paints the units skin "Counters" after the wargame convention: a box in the
// country's colour holding a type symbol (crossed box for infantry, oval for
// armour, silhouettes for aircraft and ships), with flag, size and level
// marks at the top and strength and action points at the bottom corners.
// Also the flags of the scenarios' countries and the unit pictures.
//
//   make_units_skin <data folder> <countries.csv>...
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Rgba {
  int r = 0, g = 0, b = 0, a = 255;
};

constexpr Rgba kBlack{15, 15, 15};
constexpr Rgba kWhite{245, 245, 240};
constexpr Rgba kClear{0, 0, 0, 0};

class cPicture {
 public:
  cPicture(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, 0u) {}
  int W() const { return w_; }
  int H() const { return h_; }
  // Blends the colour over what is there.
  void Put(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || c.a == 0) return;
    uint32_t& p = px_[static_cast<size_t>(y) * w_ + x];
    const int da = static_cast<int>(p >> 24), dr = (p >> 16) & 255, dg = (p >> 8) & 255, db = p & 255;
    const int oa = c.a + da * (255 - c.a) / 255;
    auto mix = [&](int s, int d) { return oa == 0 ? 0 : (s * c.a + d * da * (255 - c.a) / 255) / oa; };
    p = (static_cast<uint32_t>(oa) << 24) | (static_cast<uint32_t>(mix(c.r, dr)) << 16) |
        (static_cast<uint32_t>(mix(c.g, dg)) << 8) | static_cast<uint32_t>(mix(c.b, db));
  }
  void Fill(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Put(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, int t, Rgba c) {
    Fill(x0, y0, x1, y0 + t, c);
    Fill(x0, y1 - t, x1, y1, c);
    Fill(x0, y0 + t, x0 + t, y1 - t, c);
    Fill(x1 - t, y0 + t, x1, y1 - t, c);
  }
  void Disc(float cx, float cy, float r, Rgba c) {
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
      for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x)
        if ((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy) <= r * r) Put(x, y, c);
  }
  // An ellipse ring of the given thickness.
  void Ring(float cx, float cy, float rx, float ry, float t, Rgba c) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
      for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
        const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
        const float outer = dx * dx / (rx * rx) + dy * dy / (ry * ry);
        const float irx = rx - t, iry = ry - t;
        const float inner = dx * dx / (irx * irx) + dy * dy / (iry * iry);
        if (outer <= 1.0f && inner >= 1.0f) Put(x, y, c);
      }
  }
  void Line(float xa, float ya, float xb, float yb, float width, Rgba c) {
    const float len = std::max(1.0f, std::hypot(xb - xa, yb - ya));
    const int steps = static_cast<int>(len * 2);
    std::set<std::pair<int, int>> done;
    for (int i = 0; i <= steps; ++i) {
      const float t = static_cast<float>(i) / steps;
      const float px = xa + (xb - xa) * t, py = ya + (yb - ya) * t;
      const float r = width / 2;
      for (int y = static_cast<int>(py - r) - 1; y <= static_cast<int>(py + r) + 1; ++y)
        for (int x = static_cast<int>(px - r) - 1; x <= static_cast<int>(px + r) + 1; ++x)
          if ((x + 0.5f - px) * (x + 0.5f - px) + (y + 0.5f - py) * (y + 0.5f - py) <= r * r &&
              done.insert({x, y}).second)
            Put(x, y, c);
    }
  }
  // Even-odd scanline fill of a polygon.
  void Polygon(const std::vector<std::pair<float, float>>& p, Rgba c) {
    float top = 1e9f, bottom = -1e9f;
    for (auto& q : p) top = std::min(top, q.second), bottom = std::max(bottom, q.second);
    for (int y = static_cast<int>(top); y <= static_cast<int>(bottom); ++y) {
      const float sy = y + 0.5f;
      std::vector<float> xs;
      for (size_t i = 0; i < p.size(); ++i) {
        auto a = p[i], b = p[(i + 1) % p.size()];
        if ((a.second <= sy) != (b.second <= sy)) xs.push_back(a.first + (sy - a.second) * (b.first - a.first) / (b.second - a.second));
      }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2)
        for (int x = static_cast<int>(std::lround(xs[i])); x < static_cast<int>(std::lround(xs[i + 1])); ++x) Put(x, y, c);
    }
  }
  void Paste(const cPicture& src, int dx, int dy) {
    for (int y = 0; y < src.h_; ++y)
      for (int x = 0; x < src.w_; ++x) {
        const uint32_t p = src.px_[static_cast<size_t>(y) * src.w_ + x];
        Put(dx + x, dy + y, Rgba{static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                                 static_cast<int>(p & 255), static_cast<int>(p >> 24)});
      }
  }
  const std::vector<uint32_t>& Pixels() const { return px_; }
  bool Save(const std::string& file) const {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(px_.data()), w_, h_, 32, w_ * 4,
                                                       SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return false;
    const int rc = IMG_SavePNG(s, file.c_str());
    SDL_FreeSurface(s);
    if (rc != 0) std::fprintf(stderr, "cannot write %s: %s\n", file.c_str(), IMG_GetError());
    return rc == 0;
  }

 private:
  int w_, h_;
  std::vector<uint32_t> px_;
};

// A box in a picture; shapes are given in fractions of it.
struct Box {
  float x, y, w, h;
  float X(float f) const { return x + f * w; }
  float Y(float f) const { return y + f * h; }
};

std::vector<std::pair<float, float>> In(const Box& b, std::initializer_list<std::pair<float, float>> pts) {
  std::vector<std::pair<float, float>> out;
  for (auto& p : pts) out.push_back({b.X(p.first), b.Y(p.second)});
  return out;
}

// ---- type symbols -----------------------------------------------------------

// The NATO-style land symbol: a box with the arm's sign inside.
void LandSymbol(cPicture& p, const Box& b, int type, Rgba c) {
  const float t = std::max(2.0f, b.h / 14);
  p.Frame(static_cast<int>(b.x), static_cast<int>(b.y), static_cast<int>(b.x + b.w), static_cast<int>(b.y + b.h),
          static_cast<int>(t), c);
  const bool cross = type == 0 || type == 1 || type == 2 || type == 3 || type == 6;
  const bool oval = type == 2 || type == 3 || type == 4 || type == 5;
  if (cross) {
    p.Line(b.x + t, b.y + t, b.x + b.w - t, b.y + b.h - t, t, c);
    p.Line(b.x + t, b.y + b.h - t, b.x + b.w - t, b.y + t, t, c);
  }
  if (oval) p.Ring(b.X(0.5f), b.Y(0.5f), b.w * 0.32f, b.h * 0.25f, t, c);
  if (type == 6) {  // the canopy of the parachute under the cross
    for (int i = 0; i <= 40; ++i) {
      const float a = 3.14159f * i / 40;
      const float cx = b.X(0.5f), cy = b.Y(0.86f);
      p.Disc(cx + std::cos(a) * b.w * 0.16f, cy - std::sin(a) * b.h * 0.22f, t / 2, c);
    }
  }
  if (type == 60) {  // an anchor for the harbour
    const float cx = b.X(0.5f);
    p.Line(cx, b.Y(0.18f), cx, b.Y(0.8f), t, c);
    p.Line(b.X(0.38f), b.Y(0.3f), b.X(0.62f), b.Y(0.3f), t, c);
    for (int i = 0; i <= 40; ++i) {
      const float a = 3.14159f * i / 40;
      p.Disc(cx + std::cos(a) * b.w * 0.22f, b.Y(0.6f) + std::sin(a) * b.h * 0.2f, t / 2, c);
    }
  }
}

// An aircraft seen from above, nose to the right.
void AirSymbol(cPicture& p, const Box& b, int type, Rgba c) {
  const float span = type == 20 ? 0.78f : type == 21 ? 0.9f : 1.0f;
  const float chord = type == 20 ? 0.13f : type == 21 ? 0.15f : 0.17f;
  const float half = span / 2;
  p.Polygon(In(b, {{0.04f, 0.45f}, {0.82f, 0.44f}, {0.97f, 0.5f}, {0.82f, 0.56f}, {0.04f, 0.55f}}), c);
  p.Polygon(In(b, {{0.5f, 0.5f - half}, {0.5f + chord * 0.7f, 0.5f - half}, {0.5f + chord * 1.6f, 0.5f},
                   {0.5f + chord * 0.7f, 0.5f + half}, {0.5f, 0.5f + half}, {0.44f, 0.5f}}),
            c);
  p.Polygon(In(b, {{0.04f, 0.24f}, {0.11f, 0.24f}, {0.17f, 0.5f}, {0.11f, 0.76f}, {0.04f, 0.76f}}), c);
  std::vector<float> engines;
  if (type == 21) engines = {0.3f, 0.7f};
  if (type == 22) engines = {0.16f, 0.33f, 0.67f, 0.84f};
  for (float e : engines)
    p.Polygon(In(b, {{0.5f, e - 0.045f}, {0.72f, e - 0.035f}, {0.72f, e + 0.035f}, {0.5f, e + 0.045f}}), c);
}

// A ship seen from the side, bow to the right.
void NavalSymbol(cPicture& p, const Box& b, int type, Rgba c) {
  const int k = type - 40;
  if (k == 3) {  // submarine: low hull and conning tower
    p.Polygon(In(b, {{0.03f, 0.62f}, {0.2f, 0.55f}, {0.9f, 0.55f}, {0.98f, 0.63f}, {0.9f, 0.72f}, {0.12f, 0.72f}}), c);
    p.Polygon(In(b, {{0.42f, 0.56f}, {0.45f, 0.36f}, {0.58f, 0.36f}, {0.6f, 0.56f}}), c);
    p.Line(b.X(0.5f), b.Y(0.36f), b.X(0.5f), b.Y(0.22f), std::max(2.0f, b.h / 22), c);
    return;
  }
  if (k == 5) {  // amphibious ship: square bow with its ramp
    p.Polygon(In(b, {{0.04f, 0.55f}, {0.86f, 0.55f}, {0.97f, 0.45f}, {0.97f, 0.58f}, {0.9f, 0.78f}, {0.08f, 0.78f}}), c);
    p.Fill(static_cast<int>(b.X(0.08f)), static_cast<int>(b.Y(0.34f)), static_cast<int>(b.X(0.26f)),
           static_cast<int>(b.Y(0.56f)), c);
    return;
  }
  // A hull with a raked bow.
  p.Polygon(In(b, {{0.02f, 0.56f}, {0.98f, 0.5f}, {0.9f, 0.78f}, {0.07f, 0.78f}}), c);
  if (k == 0) {  // carrier: flight deck and island
    p.Polygon(In(b, {{0.0f, 0.45f}, {1.0f, 0.43f}, {1.0f, 0.53f}, {0.0f, 0.56f}}), c);
    p.Fill(static_cast<int>(b.X(0.64f)), static_cast<int>(b.Y(0.24f)), static_cast<int>(b.X(0.74f)),
           static_cast<int>(b.Y(0.46f)), c);
  } else if (k == 1 || k == 2) {  // battleship, cruiser: turrets, bridge, funnel
    const float s = k == 1 ? 1.0f : 0.75f;
    p.Fill(static_cast<int>(b.X(0.38f)), static_cast<int>(b.Y(0.56f - 0.3f * s)), static_cast<int>(b.X(0.56f)),
           static_cast<int>(b.Y(0.56f)), c);
    p.Fill(static_cast<int>(b.X(0.58f)), static_cast<int>(b.Y(0.56f - 0.22f * s)), static_cast<int>(b.X(0.64f)),
           static_cast<int>(b.Y(0.56f)), c);
    for (float tx : {0.2f, 0.72f}) {
      p.Fill(static_cast<int>(b.X(tx)), static_cast<int>(b.Y(0.44f)), static_cast<int>(b.X(tx + 0.1f)),
             static_cast<int>(b.Y(0.56f)), c);
      const float dir = tx < 0.5f ? -1.0f : 1.0f;
      const float from = tx < 0.5f ? tx : tx + 0.1f;
      p.Line(b.X(from), b.Y(0.47f), b.X(from + dir * 0.12f * s), b.Y(0.45f), std::max(2.0f, b.h / 26), c);
    }
  } else if (k == 4) {  // cargo: holds and bridge aft
    for (float hx : {0.2f, 0.36f, 0.52f})
      p.Fill(static_cast<int>(b.X(hx)), static_cast<int>(b.Y(0.4f)), static_cast<int>(b.X(hx + 0.13f)),
             static_cast<int>(b.Y(0.56f)), c);
    p.Fill(static_cast<int>(b.X(0.72f)), static_cast<int>(b.Y(0.3f)), static_cast<int>(b.X(0.84f)),
           static_cast<int>(b.Y(0.56f)), c);
  }
}

void Pips(cPicture& p, float cx, float cy, int n, float size, Rgba fill, Rgba edge) {
  const float gap = size * 0.45f;
  const float total = n * size + (n - 1) * gap;
  for (int i = 0; i < n; ++i) {
    const float x = cx - total / 2 + i * (size + gap);
    p.Fill(static_cast<int>(x) - 1, static_cast<int>(cy - size / 2) - 1, static_cast<int>(x + size) + 1,
           static_cast<int>(cy + size / 2) + 1, edge);
    p.Fill(static_cast<int>(x), static_cast<int>(cy - size / 2), static_cast<int>(x + size),
           static_cast<int>(cy + size / 2), fill);
  }
}

// ---- countries --------------------------------------------------------------

struct Country {
  std::string name;
  Rgba c1, c2, c3;
};

Rgba FromHex(const std::string& s) {
  const uint32_t v = static_cast<uint32_t>(std::strtoul(s.c_str(), nullptr, 16));
  return Rgba{static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255)};
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream ss(line);
  std::string f;
  while (std::getline(ss, f, ';')) out.push_back(f);
  return out;
}

std::vector<Country> ReadCountries(const std::string& file) {
  std::vector<Country> out;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = Split(line);
    if (f.size() < 6) continue;
    out.push_back({f[2], FromHex(f[3]), FromHex(f[4]), FromHex(f[5])});
  }
  return out;
}

float Luminance(Rgba c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }
// The symbol colour that stands out on the counter's colour.
Rgba Ink(Rgba background) { return Luminance(background) > 150 ? kBlack : kWhite; }

// A simple flag, 128 x 85, in the country's colours; the pattern comes from
// the country's place in the list so that neighbours differ.
void PaintFlag(cPicture& target, int tx, int ty, const Country& c, int pattern) {
  // Painted on a picture of the flag's own size, so that no stroke runs
  // past its edges.
  cPicture p(128, 85);
  const int ox = 0, oy = 0;
  const int w = 128, h = 85;
  const Rgba a = c.c1, b = Luminance(c.c1) > 200 ? c.c2 : kWhite, d = c.c2;
  auto fill = [&](int x0, int y0, int x1, int y1, Rgba col) { p.Fill(ox + x0, oy + y0, ox + x1, oy + y1, col); };
  switch (pattern % 12) {
    case 0: fill(0, 0, w, 28, a); fill(0, 28, w, 57, b); fill(0, 57, w, h, d); break;
    case 1: fill(0, 0, 43, h, a); fill(43, 0, 85, h, b); fill(85, 0, w, h, d); break;
    case 2: fill(0, 0, w, h, a); fill(34, 0, 50, h, b); fill(0, 34, w, 51, b); break;
    case 3: fill(0, 0, w, 42, a); fill(0, 42, w, h, d); p.Disc(ox + 64.0f, oy + 42.5f, 20, b); break;
    case 4:
      fill(0, 0, w, h, d);
      p.Polygon({{ox + 0.0f, oy + 0.0f}, {ox + 128.0f, oy + 0.0f}, {ox + 0.0f, oy + 85.0f}}, a);
      p.Line(ox + 0.0f, oy + 85.0f, ox + 128.0f, oy + 0.0f, 10, b);
      break;
    case 5: fill(0, 0, w, h, d); fill(0, 0, 56, 42, a); p.Disc(ox + 28.0f, oy + 21.0f, 11, b); break;
    case 6:
      fill(0, 0, w, h, a);
      p.Line(ox + 0.0f, oy + 0.0f, ox + 128.0f, oy + 85.0f, 14, b);
      p.Line(ox + 0.0f, oy + 85.0f, ox + 128.0f, oy + 0.0f, 14, b);
      break;
    case 7:
      fill(0, 0, w, h, a);
      p.Polygon({{ox + 0.0f, oy + 0.0f}, {ox + 56.0f, oy + 42.5f}, {ox + 0.0f, oy + 85.0f}}, b);
      break;
    case 8: fill(0, 0, 42, h, b); fill(42, 0, w, h, a); break;
    case 9:
      for (int i = 0; i < 5; ++i) fill(0, i * 17, w, (i + 1) * 17, i % 2 == 0 ? a : b);
      break;
    case 10: fill(0, 0, w, h, a); fill(54, 12, 74, 73, b); fill(30, 33, 98, 52, b); break;
    default: fill(0, 0, w, h, b); p.Disc(ox + 64.0f, oy + 42.5f, 27, a); break;
  }
  // Thick enough to stay a line when the flag is shrunk onto a counter.
  p.Frame(ox, oy, ox + w, oy + h, 4, Rgba{20, 20, 20, 255});
  target.Paste(p, tx, ty);
}

// ---- the skin's pictures --------------------------------------------------------

// Cell of a land type and level in a counter sheet.
void LandCell(int type, int level, int& x, int& y) {
  static const int kColumn[7] = {0, 0, 128, 128, 256, 256, 384};
  if (type == 60) {
    x = 512;
    y = 600;
    return;
  }
  x = kColumn[type];
  y = (type % 2 == 1 ? 500 : 0) + (level - 1) * 100;
}

// A counter sheet: every type picture on a clear cell, in one ink; the
// country's emblem at (896, 0).
cPicture Sheet(Rgba ink, const Country* emblemOf, int pattern) {
  cPicture p(1024, 1000);
  const Box landBox{38, 30, 52, 38};
  for (int type : {0, 1, 2, 3, 4, 5, 6, 60}) {
    for (int level = 1; level <= 5; ++level) {
      if (type == 60 && level > 1) break;
      int x = 0, y = 0;
      LandCell(type, level, x, y);
      LandSymbol(p, Box{x + landBox.x, y + landBox.y, landBox.w, landBox.h}, type, ink);
      if (type != 60) Pips(p, x + 108.0f, y + 10.0f, level, 5, ink, kClear);
    }
  }
  for (int type = 20; type <= 22; ++type)
    for (int level = 1; level <= 5; ++level) {
      const int x = 512 + (type - 20) * 128, y = (level - 1) * 100;
      AirSymbol(p, Box{x + 30.0f, y + 22.0f, 70, 52}, type, ink);
    }
  for (int type = 40; type <= 45; ++type) {
    const int k = type - 40;
    const int x = (k / 5 + 3) * 128, y = (k % 5 + 5) * 100;
    NavalSymbol(p, Box{x + 22.0f, y + 16.0f, 84, 58}, type, ink);
  }
  if (emblemOf != nullptr) PaintFlag(p, 896, 0, *emblemOf, pattern);
  return p;
}

// Markers and frames shared by every country ("info.png").
cPicture Info() {
  cPicture p(256, 384);
  // The counter frame: a dark edge, a light inner line and a dark band at
  // the bottom that keeps the white numbers readable on any colour.
  p.Frame(0, 0, 128, 100, 2, Rgba{10, 10, 10, 255});
  p.Frame(2, 2, 126, 98, 1, Rgba{255, 255, 255, 110});
  p.Fill(3, 76, 125, 97, Rgba{0, 0, 0, 160});
  // The own-unit outline and its second picture.
  p.Frame(128, 0, 256, 100, 4, Rgba{255, 214, 40, 255});
  p.Frame(128, 100, 256, 200, 4, Rgba{255, 255, 255, 255});
  for (int v = 0; v < 2; ++v) {
    const int y = 200 + v * 32;
    const Rgba edge = v == 0 ? Rgba{20, 20, 20, 255} : Rgba{255, 255, 255, 255};
    // 0 spotted: an eye.
    p.Disc(16, y + 16.0f, 14, edge);
    p.Disc(16, y + 16.0f, 12, Rgba{40, 40, 60, 255});
    p.Ring(16, y + 16.0f, 10, 6, 2, kWhite);
    p.Disc(16, y + 16.0f, 3.5f, kWhite);
    // 1 attack state: a red pennant.
    p.Polygon({{35.0f, y + 3.0f}, {62.0f, y + 16.0f}, {35.0f, y + 29.0f}}, edge);
    p.Polygon({{38.0f, y + 8.0f}, {56.0f, y + 16.0f}, {38.0f, y + 24.0f}}, Rgba{220, 40, 30, 255});
    // 2 commander: a gold star.
    {
      std::vector<std::pair<float, float>> star;
      for (int i = 0; i < 10; ++i) {
        const float a = -3.14159f / 2 + i * 3.14159f / 5;
        const float r = i % 2 == 0 ? 15.0f : 6.5f;
        star.push_back({80 + r * std::cos(a), y + 17 + r * std::sin(a)});
      }
      p.Polygon(star, edge);
      std::vector<std::pair<float, float>> inner;
      for (auto& s : star) inner.push_back({80 + (s.first - 80) * 0.78f, y + 17 + (s.second - y - 17) * 0.78f});
      p.Polygon(inner, Rgba{250, 200, 40, 255});
    }
    // 3 can move: a green arrow.
    p.Polygon({{97.0f, y + 10.0f}, {112.0f, y + 10.0f}, {112.0f, y + 3.0f}, {127.0f, y + 16.0f}, {112.0f, y + 29.0f},
               {112.0f, y + 22.0f}, {97.0f, y + 22.0f}},
              edge);
    p.Polygon({{100.0f, y + 13.0f}, {115.0f, y + 13.0f}, {115.0f, y + 9.0f}, {123.0f, y + 16.0f}, {115.0f, y + 23.0f},
               {115.0f, y + 19.0f}, {100.0f, y + 19.0f}},
              Rgba{60, 200, 70, 255});
    // 4 low supply: an orange disc with "!".
    p.Disc(144, y + 16.0f, 14, edge);
    p.Disc(144, y + 16.0f, 12, Rgba{245, 150, 20, 255});
    p.Fill(142, y + 7, 146, y + 20, kBlack);
    p.Fill(142, y + 22, 146, y + 26, kBlack);
    // 5 frozen: a snowflake.
    p.Disc(176, y + 16.0f, 15, Rgba{20, 40, 80, 200});
    for (int i = 0; i < 3; ++i) {
      const float a = i * 3.14159f / 3;
      p.Line(176 - 12 * std::cos(a), y + 16 - 12 * std::sin(a), 176 + 12 * std::cos(a), y + 16 + 12 * std::sin(a), 3,
             Rgba{170, 220, 255, 255});
    }
    // 6 replacements: a green plus.
    p.Disc(208, y + 16.0f, 14, edge);
    p.Disc(208, y + 16.0f, 12, Rgba{30, 110, 40, 255});
    p.Fill(206, y + 7, 210, y + 25, kWhite);
    p.Fill(199, y + 14, 217, y + 18, kWhite);
  }
  // Size marks (XX, XXX, XXXX, X), 48 x 14 each, white on a dark edge.
  const int counts[4] = {2, 3, 4, 1};
  for (int r = 0; r < 4; ++r) {
    const int n = counts[r];
    const float cw = 9, gap = 2, total = n * cw + (n - 1) * gap;
    for (int i = 0; i < n; ++i) {
      const float x0 = 24 - total / 2 + i * (cw + gap), y0 = 270 + r * 14 + 2.0f;
      for (int pass = 0; pass < 2; ++pass) {
        const float w = pass == 0 ? 4.0f : 2.0f;
        const Rgba c = pass == 0 ? Rgba{10, 10, 10, 255} : kWhite;
        p.Line(x0, y0, x0 + cw, y0 + 10, w, c);
        p.Line(x0, y0 + 10, x0 + cw, y0, w, c);
      }
    }
  }
  // Level badges for aircraft, 44 x 12: one pip per level.
  for (int l = 1; l <= 5; ++l) Pips(p, 86, 270 + (l - 1) * 12 + 6.0f, l, 5, kWhite, Rgba{10, 10, 10, 255});
  return p;
}

// ---- layout tables ----------------------------------------------------------

// A rectangle row, a value row and a font row of a group.
std::string Rect(int x, int y, int w, int h) {
  return std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(w) + ";" + std::to_string(h) + "\r\n";
}
std::string FontRow(int x, int y, int w, int h, int height, int weightCode) {
  std::string s = Rect(x, y, w, h);
  s.resize(s.size() - 2);
  return s + ";DejaVu Sans;" + std::to_string(height) + ";" + std::to_string(weightCode) + ";255;255;255;0;0;0\r\n";
}
const std::string kOff = Rect(0, 0, 0, 0);

// Three zoom groups: "Near" for the map from 0.6 of full size up and for
// panels, "Far" (below 0.6) with fewer, larger parts, "Tiny" (below 0.35,
// where no number can be read) with the box alone. The
// counter's box (41, 48)-(125, 114) lies inside its hex, whose neighbours
// stand 83 pixels aside and 49 or 98 down, so counters of neighbouring hexes
// never cover each other; the name goes under it, cut at its width.
enum { kNear, kFar, kTiny };
const char* kGroupHead[3] = {"Near\r\n1000\r\n", "Far\r\n60\r\n", "Tiny\r\n35\r\n"};
const std::string kBox = Rect(41, 48, 84, 66);
std::string Near(int g, const std::string& rows) { return g == kNear ? rows : kOff + kOff; }
std::string FlagPlace(int g) { return g == kNear ? Rect(44, 51, 24, 16) : g == kFar ? Rect(44, 51, 34, 22) : kOff; }
std::string Strength(int g) {
  return g == kNear ? FontRow(44, 99, 44, 15, 14, 75) : g == kFar ? FontRow(43, 88, 80, 26, 26, 75) : FontRow(0, 0, 0, 0, 26, 75);
}
std::string Points(int g) { return g == kNear ? FontRow(84, 99, 39, 15, 13, 75) : FontRow(0, 0, 0, 0, 13, 75); }
std::string Name(int g) { return g == kNear ? FontRow(42, 115, 83, 14, 11, 50) : FontRow(0, 0, 0, 0, 11, 50); }

std::string LandTable() {
  std::string s = "# Land unit counters: name, threshold, then pairs of source and placement rows\r\n";
  for (int g = kNear; g <= kTiny; ++g) {
    s += kGroupHead[g];
    s += Rect(0, 0, 128, 100) + kBox;                                         // counter picture
    s += Near(g, Rect(0, 200, 32, 32) + Rect(43, 85, 13, 13));                // spotted
    s += g == kTiny ? kOff + kOff : Rect(0, 0, 128, 85) + FlagPlace(g);       // flag
    s += Near(g, Rect(0, 270, 48, 14) + Rect(71, 50, 30, 9));                 // size
    s += Near(g, Rect(32, 200, 32, 32) + Rect(110, 60, 13, 13));              // attack state
    s += Near(g, Rect(64, 200, 32, 32) + Rect(43, 70, 13, 13));               // commander
    s += Near(g, Rect(96, 200, 32, 32) + Rect(110, 74, 13, 13));              // can move
    s += Near(g, Rect(128, 200, 32, 32) + Rect(110, 87, 13, 13));             // low supply
    s += Rect(128, 0, 128, 100) + kBox;                                       // own unit
    s += Strength(g) + Points(g) + Name(g);
    s += g == kTiny ? kOff + kOff : Rect(160, 200, 32, 32) + (g == kNear ? Rect(72, 64, 22, 22) : Rect(86, 52, 30, 30));  // frozen
  }
  return s;
}

std::string AirTable() {
  std::string s = "# Air unit counters\r\n";
  for (int g = kNear; g <= kTiny; ++g) {
    s += kGroupHead[g];
    s += Rect(0, 0, 128, 100) + kBox;                                         // counter picture
    s += g == kTiny ? kOff + kOff : Rect(896, 0, 128, 85) + FlagPlace(g);     // emblem
    s += kOff + kOff;                                                         // label
    s += Near(g, Rect(64, 270, 44, 12) + Rect(88, 52, 30, 8));                // level badge
    s += Near(g, Rect(32, 200, 32, 32) + Rect(110, 60, 13, 13));              // ready
    s += Near(g, Rect(64, 200, 32, 32) + Rect(43, 70, 13, 13));               // commander
    s += Near(g, Rect(96, 200, 32, 32) + Rect(110, 74, 13, 13));              // action points
    s += Strength(g) + Points(g) + Name(g);
    s += g == kNear ? Rect(128, 200, 110, 87) : kOff;                         // low supply: source x, y, place x, y
    s += g == kNear ? Rect(192, 200, 43, 85) : kOff;                          // replacements likewise
  }
  return s;
}

std::string NavalTable() {
  std::string s = "1.05;Game version\r\n# Naval unit counters\r\n";
  for (int g = kNear; g <= kTiny; ++g) {
    s += kGroupHead[g];
    s += Rect(0, 0, 128, 100) + kBox;                                         // counter picture
    s += g == kTiny ? kOff + kOff : Rect(896, 0, 128, 85) + FlagPlace(g);     // emblem
    s += Near(g, Rect(0, 200, 32, 32) + Rect(43, 85, 13, 13));                // spotted
    s += Near(g, Rect(64, 200, 32, 32) + Rect(43, 70, 13, 13));               // commander
    s += g == kTiny ? kOff : g == kNear ? Rect(46, 103, 74, 6) : Rect(44, 100, 78, 10);  // hit-point bar
    s += Name(g);                                                             // name
    s += FontRow(0, 0, 0, 0, 11, 50);                                         // (unused)
    s += g == kNear ? Rect(96, 200, 110, 60) : kOff;                          // may fire: source x, y, place x, y
    s += g == kNear ? Rect(32, 200, 110, 74) : kOff;                          // battle marker likewise
  }
  return s;
}

bool WriteText(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

// ---- unit pictures ----------------------------------------------------------------

cPicture UnitPicture(int type, int level) {
  cPicture p(256, 128);
  const bool air = type >= 20 && type <= 22, naval = type >= 40 && type <= 45;
  for (int y = 0; y < 128; ++y) {
    const float t = y / 127.0f;
    Rgba c;
    if (naval) c = y < 70 ? Rgba{static_cast<int>(150 + 60 * t), static_cast<int>(180 + 40 * t), 220} : Rgba{30, 70, 120};
    else if (air) c = Rgba{static_cast<int>(90 + 100 * t), static_cast<int>(130 + 80 * t), 210};
    else c = y < 60 ? Rgba{170, 190, 210} : Rgba{static_cast<int>(110 - 30 * t), static_cast<int>(120 - 30 * t), 70};
    p.Fill(0, y, 256, y + 1, c);
  }
  if (air) AirSymbol(p, Box{48, 14, 160, 100}, type, Rgba{40, 44, 50, 255});
  else if (naval) NavalSymbol(p, Box{24, 2, 208, 116}, type, Rgba{45, 50, 58, 255});
  else {
    p.Fill(58, 24, 198, 108, Rgba{200, 190, 150, 235});
    LandSymbol(p, Box{70, 34, 116, 64}, type, Rgba{25, 25, 25, 255});
  }
  if (level > 0) Pips(p, 226, 14, level, 8, kWhite, kBlack);
  p.Frame(0, 0, 256, 128, 2, kBlack);
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_units_skin <data folder> <countries.csv>...\n");
    return 2;
  }
  const std::string data = argv[1];
  const std::string skin = data + "/gfx/[UnitsSkin]Counters";
  const std::string flags = data + "/gfx/Flags";
  const std::string pictures = data + "/gfx/Units images";
  for (const std::string& d : {data + "/gfx", skin, flags, pictures}) mkdir(d.c_str(), 0755);

  std::vector<Country> countries;
  std::set<std::string> names;
  for (int i = 2; i < argc; ++i)
    for (const Country& c : ReadCountries(argv[i]))
      if (names.insert(c.name).second) countries.push_back(c);
  if (countries.empty()) {
    std::fprintf(stderr, "no countries read\n");
    return 1;
  }

  bool ok = Sheet(kBlack, nullptr, 0).Save(skin + "/units.png") && Info().Save(skin + "/info.png");
  std::set<std::vector<uint32_t>> seenFlags;
  for (size_t i = 0; i < countries.size(); ++i) {
    const Country& c = countries[i];
    const int pattern = static_cast<int>(i);
    ok = ok && Sheet(Ink(c.c1), &c, pattern).Save(skin + "/units_" + c.name + ".png");
    cPicture flag(128, 128);
    PaintFlag(flag, 0, 0, c, pattern);
    if (!seenFlags.insert(flag.Pixels()).second) {
      std::fprintf(stderr, "the flag of %s repeats another one\n", c.name.c_str());
      return 1;
    }
    ok = ok && flag.Save(flags + "/" + c.name + ".png");
  }
  // The flag of a country without one: grey hatching.
  cPicture hatched(128, 85);
  hatched.Fill(0, 0, 128, 85, Rgba{150, 150, 150});
  for (int x = -85; x < 128; x += 20) hatched.Line(static_cast<float>(x), 85, static_cast<float>(x + 85), 0, 6, Rgba{190, 190, 190});
  hatched.Frame(0, 0, 128, 85, 4, Rgba{60, 60, 60});
  cPicture unknown(128, 128);
  unknown.Paste(hatched, 0, 0);
  ok = ok && unknown.Save(flags + "/unknown.png");

  ok = ok && WriteText(skin + "/land_units.csv", LandTable()) && WriteText(skin + "/air_units.csv", AirTable()) &&
       WriteText(skin + "/naval_units.csv", NavalTable());
  // The scenario's own colours stand: the skin overrides none.
  ok = ok && WriteText(skin + "/countries.csv",
                       "1.00;Game version\r\n# ID;Name;Color1;Color2 (hexadecimal): overrides of the scenario's colours\r\n");

  ok = ok && UnitPicture(0, 0).Save(pictures + "/default.png");
  for (int type : {0, 1, 2, 3, 4, 5, 6, 20, 21, 22})
    for (int level = 1; level <= 5; ++level)
      ok = ok && UnitPicture(type, level).Save(pictures + "/" + std::to_string(type) + "_" + std::to_string(level) + ".png");
  ok = ok && UnitPicture(60, 0).Save(pictures + "/60_1.png");
  for (int type = 40; type <= 45; ++type) ok = ok && UnitPicture(type, 0).Save(pictures + "/" + std::to_string(type) + ".png");
  return ok ? 0 : 1;
}
