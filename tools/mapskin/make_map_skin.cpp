// Paints the map skin "Normal": flat-topped hexes on the map's 83 x 98 pitch
// (each centred in a 166-pixel cell of a 167-pixel grid), terrain in three
// weathers with six variants, the decorations (rivers, borders, tints,
// marks, grid, forts, ports, city pictures) and a few eyecandies, plus the
// skin's depth and city appearance tables.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kPitch = 167;
constexpr int kCell = 166;
constexpr float kR = 55.34f;  // circumradius: 1.5 R is the column pitch
constexpr float kH = 49.0f;   // half height: twice it is the row pitch

struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
};

Rgba Shade(Rgba c, float k) { return {std::clamp(c.r * k, 0.f, 255.f), std::clamp(c.g * k, 0.f, 255.f), std::clamp(c.b * k, 0.f, 255.f), c.a}; }
Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

// Deterministic value noise in 0..1.
float Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}
float Noise(float x, float y, int seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  const float fx = x - ix, fy = y - iy;
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed), c = Hash(ix, iy + 1, seed),
              d = Hash(ix + 1, iy + 1, seed);
  return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}
float Fbm(float x, float y, int seed) { return 0.6f * Noise(x / 14, y / 14, seed) + 0.4f * Noise(x / 5, y / 5, seed + 7); }

class cPicture {
 public:
  cPicture(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, Rgba{0, 0, 0, 0}) {}
  int W() const { return w_; }
  int H() const { return h_; }

  void Blend(int x, int y, Rgba c, float cover) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || cover <= 0) return;
    Rgba& d = px_[static_cast<size_t>(y) * w_ + x];
    const float sa = std::clamp(c.a * cover, 0.f, 1.f);
    const float oa = sa + d.a * (1 - sa);
    if (oa <= 0) return;
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
    d.a = oa;
  }

  // Paints the pixels of a box whose 4 x 4 samples fall inside the shape,
  // with the colour the function gives at each pixel centre.
  void Paint(float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside,
             const std::function<Rgba(float, float)>& colour) {
    for (int y = static_cast<int>(std::floor(y0)); y <= static_cast<int>(std::ceil(y1)); ++y) {
      for (int x = static_cast<int>(std::floor(x0)); x <= static_cast<int>(std::ceil(x1)); ++x) {
        int n = 0;
        for (int j = 0; j < 4; ++j)
          for (int i = 0; i < 4; ++i) n += inside(x + (i + 0.5f) / 4, y + (j + 0.5f) / 4) ? 1 : 0;
        if (n > 0) Blend(x, y, colour(x + 0.5f, y + 0.5f), n / 16.0f);
      }
    }
  }
  void Fill(float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside, Rgba c) {
    Paint(x0, y0, x1, y1, inside, [c](float, float) { return c; });
  }

  std::vector<uint32_t> Argb() const {
    std::vector<uint32_t> out(px_.size());
    for (size_t i = 0; i < px_.size(); ++i) {
      const Rgba& p = px_[i];
      auto ch = [](float v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
      out[i] = (ch(p.a * 255) << 24) | (ch(p.r) << 16) | (ch(p.g) << 8) | ch(p.b);
    }
    return out;
  }

 private:
  int w_, h_;
  std::vector<Rgba> px_;
};

// ---- Geometry of one cell -------------------------------------------------

struct Cell {
  float x0, y0;  // top left of the 166-pixel cell
  float cx() const { return x0 + 83; }
  float cy() const { return y0 + 83; }
};
Cell GridCell(int col, int row) { return {1.0f + kPitch * col, 1.0f + kPitch * row}; }

bool InHex(float px, float py, float cx, float cy, float grow = 0.6f) {
  const float dx = std::fabs(px - cx), dy = std::fabs(py - cy);
  const float r = kR + grow, h = kH + grow;
  return dy <= h && dx <= r - dy / h * (r / 2);
}

struct Pt {
  float x, y;
};
// The corners of side d (0 north, clockwise) of the hex round (cx, cy).
void Side(float cx, float cy, int d, Pt& a, Pt& b) {
  const Pt v[6] = {{cx - kR / 2, cy - kH}, {cx + kR / 2, cy - kH}, {cx + kR, cy},
                   {cx + kR / 2, cy + kH}, {cx - kR / 2, cy + kH}, {cx - kR, cy}};
  a = v[d % 6];
  b = v[(d + 1) % 6];
}

float SegDist(float px, float py, Pt a, Pt b) {
  const float vx = b.x - a.x, vy = b.y - a.y;
  const float t = std::clamp(((px - a.x) * vx + (py - a.y) * vy) / (vx * vx + vy * vy), 0.f, 1.f);
  return std::hypot(px - (a.x + t * vx), py - (a.y + t * vy));
}

void Line(cPicture& p, Pt a, Pt b, float width, Rgba c) {
  const float m = width / 2 + 1;
  p.Fill(std::min(a.x, b.x) - m, std::min(a.y, b.y) - m, std::max(a.x, b.x) + m, std::max(a.y, b.y) + m,
         [&](float x, float y) { return SegDist(x, y, a, b) <= width / 2; }, c);
}

void Disc(cPicture& p, float cx, float cy, float r, Rgba c) {
  p.Fill(cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1,
         [&](float x, float y) { return std::hypot(x - cx, y - cy) <= r; }, c);
}

void Ring(cPicture& p, float cx, float cy, float r, float w, Rgba c) {
  p.Fill(cx - r - w, cy - r - w, cx + r + w, cy + r + w,
         [&](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) <= w / 2; }, c);
}

bool InTriangle(float x, float y, Pt a, Pt b, Pt c) {
  auto s = [](Pt p, Pt q, float x, float y) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
  const float d1 = s(a, b, x, y), d2 = s(b, c, x, y), d3 = s(c, a, x, y);
  return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
}

void Triangle(cPicture& p, Pt a, Pt b, Pt c, Rgba col) {
  p.Fill(std::min({a.x, b.x, c.x}) - 1, std::min({a.y, b.y, c.y}) - 1, std::max({a.x, b.x, c.x}) + 1,
         std::max({a.y, b.y, c.y}) + 1, [&](float x, float y) { return InTriangle(x, y, a, b, c); }, col);
}

// A five-pointed star.
void Star(cPicture& p, float cx, float cy, float r, Rgba c) {
  Pt pts[10];
  for (int i = 0; i < 10; ++i) {
    const float ang = -1.5708f + i * 0.6283f;
    const float rr = i % 2 == 0 ? r : r * 0.45f;
    pts[i] = {cx + rr * std::cos(ang), cy + rr * std::sin(ang)};
  }
  for (int i = 0; i < 10; ++i) Triangle(p, {cx, cy}, pts[i], pts[(i + 1) % 10], c);
}

// A hex filled with a textured colour: base colour varied by noise.
// Ground hexes overlap their neighbours by a little, so that no seam of the
// background shows between them at any scale.
void HexTexture(cPicture& p, Cell c, Rgba base, float variation, int seed, float grow = 5.0f) {
  p.Paint(c.x0, c.y0, c.x0 + kCell, c.y0 + kCell, [&](float x, float y) { return InHex(x, y, c.cx(), c.cy(), grow); },
          [&](float x, float y) { return Shade(base, 1 + variation * (Fbm(x, y, seed) - 0.5f)); });
}

// ---- Colours ----------------------------------------------------------------

const Rgba kSea{44, 92, 158};
const Rgba kPlain[3] = {{124, 162, 82}, {228, 233, 238}, {138, 112, 74}};
const Rgba kSwamp[3] = {{98, 128, 92}, {214, 222, 228}, {96, 92, 62}};
const Rgba kDesert[3] = {{224, 198, 132}, {236, 228, 206}, {192, 160, 108}};
const Rgba kForest[3] = {{46, 98, 50}, {58, 96, 64}, {72, 86, 46}};
const Rgba kHill[3] = {{156, 132, 86}, {214, 214, 220}, {120, 96, 62}};
const Rgba kMountain[3] = {{128, 116, 104}, {206, 208, 214}, {110, 96, 84}};
const Rgba kRough[3] = {{138, 128, 102}, {186, 186, 190}, {108, 94, 70}};
const Rgba kSnow{246, 248, 252};
const Rgba kWater{58, 118, 196};
const Rgba kDark{20, 22, 26};
const Rgba kWhite{255, 255, 255};

// ---- Terrain picture ----------------------------------------------------------

void Trees(cPicture& p, Cell c, int w, int seed) {
  const Rgba base = kForest[w];
  // A darker ground under the trees keeps the hex green-dark from afar.
  HexTexture(p, c, WithAlpha(Shade(base, 1.1f), 0.75f), 0.3f, seed, 0.0f);
  for (int i = 0; i < 22; ++i) {
    const float x = c.cx() + (Hash(i, 1, seed) - 0.5f) * 2 * kR * 0.78f;
    const float y = c.cy() + (Hash(i, 2, seed) - 0.5f) * 2 * kH * 0.78f;
    if (!InHex(x, y, c.cx(), c.cy(), -10)) continue;
    const float s = 7 + 5 * Hash(i, 3, seed);
    Triangle(p, {x, y - 2.2f * s}, {x - s, y + 0.6f * s}, {x + s, y + 0.6f * s}, Shade(base, 0.75f));
    Triangle(p, {x, y - 2.0f * s}, {x - 0.8f * s, y + 0.4f * s}, {x + 0.1f * s, y + 0.4f * s}, Shade(base, 1.15f));
    if (w == 1) Triangle(p, {x, y - 2.2f * s}, {x - 0.45f * s, y - 1.1f * s}, {x + 0.45f * s, y - 1.1f * s}, kSnow);
    Line(p, {x, y + 0.6f * s}, {x, y + 1.1f * s}, 2, Rgba{70, 50, 30});
  }
}

void Rocks(cPicture& p, Cell c, int w, int seed) {
  const Rgba base = kRough[w];
  HexTexture(p, c, WithAlpha(base, 0.55f), 0.5f, seed, 0.0f);
  for (int i = 0; i < 16; ++i) {
    const float x = c.cx() + (Hash(i, 4, seed) - 0.5f) * 2 * kR * 0.8f;
    const float y = c.cy() + (Hash(i, 5, seed) - 0.5f) * 2 * kH * 0.8f;
    if (!InHex(x, y, c.cx(), c.cy(), -8)) continue;
    const float s = 4 + 4 * Hash(i, 6, seed);
    Disc(p, x + 1, y + 1, s, Shade(base, 0.6f));
    Disc(p, x, y, s, Shade(base, 1.05f));
  }
}

void Hills(cPicture& p, Cell c, int w, int seed) {
  const Rgba base = kHill[w];
  HexTexture(p, c, WithAlpha(base, 0.8f), 0.3f, seed, 0.0f);
  const float xs[3] = {-22, 20, -2}, ys[3] = {-10, -4, 22};
  for (int i = 0; i < 3; ++i) {
    const float x = c.cx() + xs[i] + 6 * (Hash(i, 7, seed) - 0.5f), y = c.cy() + ys[i];
    const float r = 20 + 4 * Hash(i, 8, seed);
    p.Fill(x - r - 1, y - r - 1, x + r + 1, y + 1,
           [&](float px, float py) { return py <= y && std::hypot((px - x) / r, (py - y) / (0.6f * r)) <= 1; },
           Shade(base, 0.8f));
    p.Fill(x - r, y - r, x + 2, y,
           [&](float px, float py) { return py <= y - 1 && px <= x && std::hypot((px - x) / r, (py - y) / (0.6f * r)) <= 0.95f; },
           Shade(base, 1.12f));
  }
}

void Mountains(cPicture& p, Cell c, int w, int seed) {
  const Rgba base = kMountain[w];
  HexTexture(p, c, WithAlpha(base, 0.85f), 0.3f, seed, 0.0f);
  const float xs[3] = {-24, 22, 0}, ys[3] = {2, 6, 26}, hs[3] = {44, 40, 34};
  for (int i = 0; i < 3; ++i) {
    const float x = c.cx() + xs[i] + 6 * (Hash(i, 9, seed) - 0.5f), y = c.cy() + ys[i];
    const float h = hs[i] + 6 * Hash(i, 10, seed), half = h * 0.75f;
    Triangle(p, {x, y - h}, {x - half, y}, {x + half, y}, Shade(base, 0.75f));
    Triangle(p, {x, y - h}, {x - half, y}, {x + 0.1f * half, y}, Shade(base, 1.05f));
    // Snow caps, whiter and lower in winter.
    const float cap = w == 1 ? 0.6f : 0.32f;
    Triangle(p, {x, y - h}, {x - half * cap, y - h * (1 - cap)}, {x + half * cap, y - h * (1 - cap)}, kSnow);
  }
}

void PaintTerrain(cPicture& p) {
  for (int v = 0; v < 6; ++v) {
    // Sea: one row; the next two rows hold the river mouths by direction.
    HexTexture(p, GridCell(v, 0), kSea, 0.14f, 100 + v);
    for (int w = 0; w < 3; ++w) {
      const int seed = 10 * v + w;
      HexTexture(p, GridCell(v, 3 + w), kPlain[w], 0.16f, 200 + seed);
      Trees(p, GridCell(v, 6 + w), w, 300 + seed);
      Rocks(p, GridCell(v, 9 + w), w, 400 + seed);
      // Swamp: its own ground with pools of water (ice in winter).
      const Cell sw = GridCell(6 + v, w);
      HexTexture(p, sw, kSwamp[w], 0.2f, 500 + seed);
      for (int i = 0; i < 7; ++i) {
        const float x = sw.cx() + (Hash(i, 11, seed) - 0.5f) * 70, y = sw.cy() + (Hash(i, 12, seed) - 0.5f) * 60;
        p.Fill(x - 14, y - 6, x + 14, y + 6, [&](float px, float py) { return std::hypot((px - x) / 12, (py - y) / 4.5f) <= 1; },
               w == 1 ? Rgba{190, 208, 224} : Shade(kWater, 0.85f));
      }
      Hills(p, GridCell(6 + v, 3 + w), w, 600 + seed);
      Mountains(p, GridCell(6 + v, 6 + w), w, 700 + seed);
      HexTexture(p, GridCell(6 + v, 9 + w), kDesert[w], 0.12f, 800 + seed);
    }
  }
  // River mouths: sea cells, column = the side the river comes from.
  for (int d = 0; d < 6; ++d) {
    for (int k = 0; k < 2; ++k) {
      const Cell c = GridCell(d, 1 + k);
      Pt a, b;
      Side(c.cx(), c.cy(), d, a, b);
      const Pt mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
      const Pt in{c.cx() + (mid.x - c.cx()) * 0.45f, c.cy() + (mid.y - c.cy()) * 0.45f};
      Line(p, mid, in, 7 - 2 * k, WithAlpha(Rgba{92, 150, 200}, 0.85f));
    }
  }
}

// ---- Decoration picture ---------------------------------------------------------

// A line along side d with a slight wave.
void WavySide(cPicture& p, Cell c, int d, float width, Rgba col, float wave, int seed) {
  Pt a, b;
  Side(c.cx(), c.cy(), d, a, b);
  const int steps = 24;
  Pt prev = a;
  for (int i = 1; i <= steps; ++i) {
    const float t = static_cast<float>(i) / steps;
    const float nx = -(b.y - a.y), ny = b.x - a.x;
    const float len = std::hypot(nx, ny);
    const float off = wave * std::sin(t * 3.14159f * 3 + seed) * std::sin(t * 3.14159f);
    const Pt q{a.x + (b.x - a.x) * t + nx / len * off, a.y + (b.y - a.y) * t + ny / len * off};
    Line(p, prev, q, width, col);
    prev = q;
  }
}

void HexOutline(cPicture& p, Cell c, float width, Rgba col) {
  for (int d = 0; d < 6; ++d) {
    Pt a, b;
    Side(c.cx(), c.cy(), d, a, b);
    Line(p, a, b, width, col);
  }
}

void Anchor(cPicture& p, float x, float y, float s, Rgba col) {
  Ring(p, x, y - 0.8f * s, 0.18f * s, 0.08f * s, col);
  Line(p, {x, y - 0.6f * s}, {x, y + 0.7f * s}, 0.12f * s, col);
  Line(p, {x - 0.4f * s, y - 0.35f * s}, {x + 0.4f * s, y - 0.35f * s}, 0.1f * s, col);
  p.Fill(x - s, y, x + s, y + s, [&](float px, float py) {
    return py >= y && std::fabs(std::hypot(px - x, py - (y - 0.1f * s)) - 0.75f * s) <= 0.06f * s;
  }, col);
}

// City pictures: a dot from afar, houses from near; resource pictures the
// next cell to the right.
void CityDot(cPicture& p, float x, float y, float size) {
  const float r = size / 2;
  Disc(p, x + r, y + r, r - 1, kWhite);
  Disc(p, x + r, y + r, r * 0.68f, Rgba{30, 30, 34});
}
void ResourceDot(cPicture& p, float x, float y, float size) {
  const float r = size / 2;
  p.Fill(x + 1, y + 1, x + size - 1, y + size - 1, [&](float px, float py) {
    return std::fabs(px - x - r) + std::fabs(py - y - r) <= r - 1; }, kWhite);
  p.Fill(x + 1, y + 1, x + size - 1, y + size - 1, [&](float px, float py) {
    return std::fabs(px - x - r) + std::fabs(py - y - r) <= r * 0.62f; }, Rgba{150, 100, 30});
}
void Houses(cPicture& p, float x, float y, float s) {
  Disc(p, x + s / 2, y + s / 2, s / 2 - 1, WithAlpha(kWhite, 0.55f));
  const float bx[4] = {0.18f, 0.42f, 0.62f, 0.3f}, bw[4] = {0.22f, 0.18f, 0.2f, 0.3f}, bh[4] = {0.3f, 0.45f, 0.28f, 0.22f};
  for (int i = 0; i < 4; ++i) {
    const float x0 = x + bx[i] * s, x1 = x0 + bw[i] * s, y1 = y + 0.74f * s - (i == 3 ? -0.06f * s : 0), y0 = y1 - bh[i] * s;
    p.Fill(x0 - 1, y0 - 1, x1 + 1, y1 + 1, [&](float px, float py) { return px >= x0 - 1 && px <= x1 + 1 && py >= y0 - 1 && py <= y1 + 1; }, kDark);
    p.Fill(x0, y0, x1, y1, [&](float px, float py) { return px >= x0 && px <= x1 && py >= y0 && py <= y1; },
           i % 2 ? Rgba{196, 86, 64} : Rgba{226, 214, 190});
  }
}
void Derrick(cPicture& p, float x, float y, float s) {
  Disc(p, x + s / 2, y + s / 2, s / 2 - 1, WithAlpha(kWhite, 0.55f));
  Triangle(p, {x + 0.5f * s, y + 0.12f * s}, {x + 0.25f * s, y + 0.85f * s}, {x + 0.75f * s, y + 0.85f * s}, kDark);
  Triangle(p, {x + 0.5f * s, y + 0.25f * s}, {x + 0.35f * s, y + 0.8f * s}, {x + 0.65f * s, y + 0.8f * s}, Rgba{150, 100, 30});
}
void Supply(cPicture& p, float x, float y, float s) {
  Disc(p, x + s / 2, y + s / 2, s / 2 - 1, kDark);
  Disc(p, x + s / 2, y + s / 2, s / 2 - 3, Rgba{70, 150, 70});
  Line(p, {x + 0.3f * s, y + 0.5f * s}, {x + 0.7f * s, y + 0.5f * s}, 0.14f * s, kWhite);
  Line(p, {x + 0.5f * s, y + 0.3f * s}, {x + 0.5f * s, y + 0.7f * s}, 0.14f * s, kWhite);
}
void ResourceMarker(cPicture& p, float x, float y, float s) {
  Disc(p, x + s / 2, y + s / 2, s / 2 - 1, kDark);
  Disc(p, x + s / 2, y + s / 2, s / 2 - 3, Rgba{200, 150, 40});
  Triangle(p, {x + 0.5f * s, y + 0.25f * s}, {x + 0.28f * s, y + 0.72f * s}, {x + 0.72f * s, y + 0.72f * s}, kDark);
}
void PortMarker(cPicture& p, float x, float y, float s) {
  Disc(p, x + s / 2, y + s / 2, s / 2 - 1, kDark);
  Disc(p, x + s / 2, y + s / 2, s / 2 - 3, Rgba{40, 80, 150});
  Anchor(p, x + s / 2, y + s / 2, s * 0.32f, kWhite);
}
void VictoryStar(cPicture& p, float x, float y, float s) {
  Star(p, x + s / 2, y + s / 2 + 1, s / 2, kDark);
  Star(p, x + s / 2, y + s / 2, s / 2 - 2.5f, Rgba{250, 204, 60});
}

// The atlas of city pieces in rows 8 and 9 of the decoration picture.
struct Piece {
  int x, y, w, h;
};
const Piece kFarCity{1, 1337, 64, 64}, kFarVictory{129, 1337, 88, 88};
const Piece kMidCity{230, 1337, 48, 48}, kMidVictory{330, 1337, 30, 30}, kMidPort{370, 1337, 30, 30},
    kMidSupply{410, 1337, 30, 30};
const Piece kNearCity{500, 1337, 80, 80}, kNearVictory{670, 1337, 40, 40}, kNearPort{720, 1337, 36, 36},
    kNearSupply{770, 1337, 36, 36};

void PaintOthers(cPicture& p) {
  // Rivers by side 1, 2, 3, two variants each.
  for (int side = 1; side <= 3; ++side)
    for (int v = 0; v < 2; ++v) {
      const Cell c = GridCell(v + 2 * (side - 1), 0);
      WavySide(p, c, side, 7, Shade(kWater, 0.7f), 2.5f, v * 2 + side);
      WavySide(p, c, side, 4.5f, kWater, 2.5f, v * 2 + side);
    }
  // Simplified map: one colour per alliance code, members then leaders.
  const Rgba alliances[6] = {{150, 150, 150}, {90, 130, 200}, {200, 90, 80}, {110, 110, 110}, {60, 95, 170}, {170, 60, 50}};
  for (int a = 0; a < 6; ++a) HexTexture(p, GridCell(a, 1), alliances[a], 0.06f, 900 + a);
  HexTexture(p, GridCell(0, 2), Rgba{196, 192, 176}, 0.06f, 910);
  // Tints (white, coloured by the country): the controller's over the
  // whole hex, the owner's as a band along the edge.
  {
    const Cell c = GridCell(1, 2);
    p.Fill(c.x0, c.y0, c.x0 + kCell, c.y0 + kCell, [&](float x, float y) { return InHex(x, y, c.cx(), c.cy()); },
           WithAlpha(kWhite, 0.42f));
    const Cell o = GridCell(2, 2);
    p.Fill(o.x0, o.y0, o.x0 + kCell, o.y0 + kCell,
           [&](float x, float y) { return InHex(x, y, o.cx(), o.cy()) && !InHex(x, y, o.cx(), o.cy(), -9); },
           WithAlpha(kWhite, 0.75f));
  }
  // Grid.
  HexOutline(p, GridCell(5, 2), 1.2f, WithAlpha(kDark, 0.2f));
  // Borders by side: a white line (coloured by the border colour) over a
  // dark edge; sea-zone borders dashed.
  for (int i = 0; i < 3; ++i) {
    const Cell c = GridCell(i, 4);
    Pt a, b;
    Side(c.cx(), c.cy(), i + 1, a, b);
    // Wide enough to stay a line when the whole map is on the screen.
    Line(p, a, b, 12, WithAlpha(kDark, 0.75f));
    Line(p, a, b, 9, kWhite);
    const Cell z = GridCell(3 + i, 4);
    Side(z.cx(), z.cy(), i + 1, a, b);
    for (int k = 0; k < 6; k += 2) {
      const Pt s{a.x + (b.x - a.x) * k / 6.0f, a.y + (b.y - a.y) * k / 6.0f};
      const Pt e{a.x + (b.x - a.x) * (k + 1) / 6.0f, a.y + (b.y - a.y) * (k + 1) / 6.0f};
      Line(p, s, e, 2.5f, WithAlpha(Rgba{190, 222, 245}, 0.8f));
    }
  }
  // Attack directions: an arrow from side i towards the centre.
  for (int i = 0; i < 6; ++i) {
    const Cell c = GridCell(i, 5);
    Pt a, b;
    Side(c.cx(), c.cy(), i, a, b);
    const Pt m{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const Pt tip{c.cx() + (m.x - c.cx()) * 0.35f, c.cy() + (m.y - c.cy()) * 0.35f};
    const Pt tail{c.cx() + (m.x - c.cx()) * 1.1f, c.cy() + (m.y - c.cy()) * 1.1f};
    Line(p, tail, tip, 6, Rgba{220, 40, 30});
    const float dx = tip.x - tail.x, dy = tip.y - tail.y, l = std::hypot(dx, dy);
    const float ux = dx / l, uy = dy / l;
    Triangle(p, {tip.x + ux * 10, tip.y + uy * 10}, {tip.x - uy * 10, tip.y + ux * 10}, {tip.x + uy * 10, tip.y - ux * 10},
             Rgba{220, 40, 30});
  }
  // Weather over land: nothing in clear weather, snow, mud puddles and rain.
  for (int v = 0; v < 2; ++v) {
    const Cell snow{1.0f + kPitch * (v + 2), 1170};
    for (int i = 0; i < 40; ++i) {
      const float x = snow.cx() + (Hash(i, 20, v) - 0.5f) * 100, y = snow.cy() + (Hash(i, 21, v) - 0.5f) * 90;
      if (InHex(x, y, snow.cx(), snow.cy(), -4)) Disc(p, x, y, 1.6f + Hash(i, 22, v), WithAlpha(kWhite, 0.9f));
    }
    const Cell mud{1.0f + kPitch * (v + 4), 1170};
    for (int i = 0; i < 26; ++i) {
      const float x = mud.cx() + (Hash(i, 23, v) - 0.5f) * 100, y = mud.cy() + (Hash(i, 24, v) - 0.5f) * 90;
      if (InHex(x, y, mud.cx(), mud.cy(), -8)) Line(p, {x, y}, {x - 4, y + 10}, 1.5f, WithAlpha(Rgba{150, 170, 200}, 0.8f));
    }
  }
  // Marks: 32 highlight hexes in six hues, darker by the row; the cells of
  // this area start on the grid's lines.
  const Rgba hues[6] = {{90, 220, 90}, {240, 70, 60}, {250, 210, 60}, {80, 170, 250}, {220, 110, 230}, {250, 150, 60}};
  for (int b = 0; b < 36; ++b) {
    const Cell c{1003.0f + kPitch * (b % 6), static_cast<float>(kPitch * (b / 6))};
    const Rgba h = Shade(hues[b % 6], 1.0f - 0.09f * (b / 6));
    p.Fill(c.x0, c.y0, c.x0 + kCell, c.y0 + kCell, [&](float x, float y) { return InHex(x, y, c.cx(), c.cy(), -1); },
           WithAlpha(h, 0.33f));
    p.Fill(c.x0, c.y0, c.x0 + kCell, c.y0 + kCell,
           [&](float x, float y) { return InHex(x, y, c.cx(), c.cy(), -1) && !InHex(x, y, c.cx(), c.cy(), -5); },
           WithAlpha(h, 0.9f));
  }
  // Forts by level 1 to 6: a bastion star round the hex centre.
  for (int f = 1; f <= 6; ++f) {
    const Cell c{1.0f + kPitch * (f - 1), 1671};
    const float r = 12 + 3 * f;
    for (int k = 0; k < 5; ++k) {
      const float a0 = -1.5708f + k * 1.2566f;
      Triangle(p, {c.cx() + r * std::cos(a0), c.cy() + r * std::sin(a0)},
               {c.cx() + 0.6f * r * std::cos(a0 + 0.63f), c.cy() + 0.6f * r * std::sin(a0 + 0.63f)},
               {c.cx() + 0.6f * r * std::cos(a0 - 0.63f), c.cy() + 0.6f * r * std::sin(a0 - 0.63f)}, Rgba{70, 70, 74});
    }
    Disc(p, c.cx(), c.cy(), 0.62f * r, Rgba{70, 70, 74});
    Disc(p, c.cx(), c.cy(), 0.45f * r, Rgba{150, 150, 156});
  }
  // Node pictures: the sea zone's ring in column 0; ports by size 1 to 9,
  // an anchor by the coast with one pip per size step.
  {
    const Cell z{1, 1838};
    Ring(p, z.cx(), z.cy(), 10, 2.2f, WithAlpha(kWhite, 0.55f));
    for (int s = 1; s <= 9; ++s) {
      // The port's size as pips on a dark bar under the city's port marker.
      const Cell c{1.0f + kPitch * s, 1838};
      const float x0 = c.cx() + 36, y = c.cy() + 20;
      p.Fill(x0 - 3, y - 3, x0 + 4 * s + 3, y + 4, [&](float px, float py) {
        return px >= x0 - 3 && px <= x0 + 4 * s + 1 && py >= y - 3 && py <= y + 3; }, WithAlpha(kDark, 0.85f));
      for (int k = 0; k < s; ++k) Disc(p, x0 + 4 * k + 1, y, 1.4f, kWhite);
    }
  }
  // City pieces.
  CityDot(p, kFarCity.x, kFarCity.y, kFarCity.w);
  ResourceDot(p, kFarCity.x + kFarCity.w, kFarCity.y, kFarCity.w);
  Ring(p, kFarVictory.x + kFarVictory.w / 2.0f, kFarVictory.y + kFarVictory.h / 2.0f, 38, 9, kDark);
  Ring(p, kFarVictory.x + kFarVictory.w / 2.0f, kFarVictory.y + kFarVictory.h / 2.0f, 38, 5, Rgba{250, 204, 60});
  CityDot(p, kMidCity.x, kMidCity.y, kMidCity.w);
  ResourceDot(p, kMidCity.x + kMidCity.w, kMidCity.y, kMidCity.w);
  VictoryStar(p, kMidVictory.x, kMidVictory.y, kMidVictory.w);
  PortMarker(p, kMidPort.x, kMidPort.y, kMidPort.w);
  Supply(p, kMidSupply.x, kMidSupply.y, kMidSupply.w);
  ResourceMarker(p, kMidSupply.x + kMidSupply.w, kMidSupply.y, kMidSupply.w);
  Houses(p, kNearCity.x, kNearCity.y, kNearCity.w);
  Derrick(p, kNearCity.x + kNearCity.w, kNearCity.y, kNearCity.w);
  VictoryStar(p, kNearVictory.x, kNearVictory.y, kNearVictory.w);
  PortMarker(p, kNearPort.x, kNearPort.y, kNearPort.w);
  Supply(p, kNearSupply.x, kNearSupply.y, kNearSupply.w);
  ResourceMarker(p, kNearSupply.x + kNearSupply.w, kNearSupply.y, kNearSupply.w);
}

// ---- Eyecandies: one column each, rows clear, winter, mud ---------------------

void PaintEyecandies(cPicture& p) {
  for (int w = 0; w < 3; ++w) {
    // 0: lighthouse on a coast.
    Cell c = GridCell(0, w);
    const float x = c.cx() + 22, y = c.cy() + 8;
    p.Fill(x - 6, y - 34, x + 6, y, [&](float px, float py) {
      const float half = 4 + 3 * (py - (y - 34)) / 34;
      return std::fabs(px - x) <= half && py >= y - 34 && py <= y; }, kWhite);
    for (int k = 0; k < 2; ++k)
      p.Fill(x - 7, y - 26 + 12 * k, x + 7, y - 20 + 12 * k, [&](float px, float py) {
        const float half = 4 + 3 * (py - (y - 34)) / 34;
        return std::fabs(px - x) <= half && py >= y - 26 + 12 * k && py <= y - 21 + 12 * k; }, Rgba{200, 40, 40});
    Disc(p, x, y - 38, 5, Rgba{255, 230, 120});
    if (w == 1) Line(p, {x - 8, y}, {x + 8, y}, 3, kSnow);
    // 1: a pine grove.
    c = GridCell(1, w);
    for (int i = 0; i < 3; ++i) {
      const float tx = c.cx() - 14 + 14 * i, ty = c.cy() + 4 + (i == 1 ? 8 : 0), s = 11;
      Triangle(p, {tx, ty - 3 * s}, {tx - s, ty}, {tx + s, ty}, Shade(kForest[w], 0.6f));
      if (w == 1) Triangle(p, {tx, ty - 3 * s}, {tx - 0.5f * s, ty - 1.5f * s}, {tx + 0.5f * s, ty - 1.5f * s}, kSnow);
      Line(p, {tx, ty}, {tx, ty + 5}, 2.5f, Rgba{80, 55, 30});
    }
    // 2: a windmill.
    c = GridCell(2, w);
    Triangle(p, {c.cx() - 8, c.cy() + 16}, {c.cx() + 8, c.cy() + 16}, {c.cx(), c.cy() - 14}, Rgba{220, 210, 190});
    for (int k = 0; k < 4; ++k) {
      const float a = 0.4f + k * 1.5708f;
      Line(p, {c.cx(), c.cy() - 10}, {c.cx() + 20 * std::cos(a), c.cy() - 10 + 20 * std::sin(a)}, 3, Rgba{90, 70, 50});
    }
    // 3: palms of an oasis.
    c = GridCell(3, w);
    p.Fill(c.cx() - 24, c.cy() + 6, c.cx() + 24, c.cy() + 22, [&](float px, float py) {
      return std::hypot((px - c.cx()) / 22, (py - c.cy() - 14) / 7) <= 1; }, w == 1 ? Rgba{190, 208, 224} : kWater);
    for (int i = 0; i < 2; ++i) {
      const float tx = c.cx() - 10 + 20 * i, ty = c.cy() + 8;
      Line(p, {tx, ty}, {tx + 3, ty - 26}, 3, Rgba{120, 90, 50});
      for (int k = 0; k < 5; ++k) {
        const float a = 3.3f + k * 0.7f;
        Line(p, {tx + 3, ty - 26}, {tx + 3 + 14 * std::cos(a), ty - 26 + 8 * std::sin(a) + 4}, 3, Rgba{50, 120, 50});
      }
    }
  }
}

bool Save(const cPicture& p, const std::string& file) {
  std::vector<uint32_t> argb = p.Argb();
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), p.W(), p.H(), 32, p.W() * 4, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return false;
  const int rc = IMG_SavePNG(s, file.c_str());
  SDL_FreeSurface(s);
  if (rc != 0) std::fprintf(stderr, "make_map_skin: cannot write %s: %s\n", file.c_str(), IMG_GetError());
  return rc == 0;
}

bool WriteText(const std::string& file, const std::vector<std::string>& lines) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (f == nullptr) return false;
  for (const std::string& l : lines) std::fprintf(f, "%s\r\n", l.c_str());
  return std::fclose(f) == 0;
}

// Left, top, right, bottom of a piece.
std::string Edges(const Piece& p) {
  return std::to_string(p.x) + ";" + std::to_string(p.y) + ";" + std::to_string(p.x + p.w) + ";" +
         std::to_string(p.y + p.h);
}
std::string Place(int x, int y, int w, int h) {
  return std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(w) + ";" + std::to_string(h);
}
const std::string kOff = "0;0;0;0";

// One section: threshold, six picture places and pictures, three texts,
// the second general marker and the text offsets.
std::vector<std::string> Section(int threshold, const std::vector<std::string>& pairs, const std::vector<std::string>& texts,
                                 const std::string& plate2, const std::string& offsets) {
  std::vector<std::string> out{std::to_string(threshold)};
  out.insert(out.end(), pairs.begin(), pairs.end());
  out.insert(out.end(), texts.begin(), texts.end());
  out.push_back(plate2);
  out.push_back(offsets);
  return out;
}

std::vector<std::string> Appearance() {
  std::vector<std::string> l = {
      "#AP;40;112;86;40;Arial;30;75;0;0;0;255;255;255",
      "; City appearance by zoom. A row is used while the zoom x 100 is below its threshold; the last",
      "; such row wins. Rows: far (the whole map), middle, near. Pictures: place x;y;w;h in the hex cell,",
      "; then left;top;right;bottom in others.png. Order: city (resource cities the cell to its right),",
      "; flag, plate, port marker, supply marker (resource marker to its right), victory marker. Texts:",
      "; x;y;w;h;face;height;weight code;shadow r;g;b;text r;g;b for victory points, production, name.",
      "; Then a second plate (left;top;right;bottom) and the offsets of the shadow and of the text."};
  const auto far = Section(
      101,
      {Place(51, 51, 64, 64), Edges(kFarCity), kOff, kOff, kOff, kOff, kOff, kOff, kOff, kOff,
       Place(39, 39, 88, 88), Edges(kFarVictory)},
      {"0;0;0;0;Arial;10;75;0;0;0;255;255;255", "0;0;0;0;Arial;10;37;0;0;0;255;255;255",
       "0;0;0;0;Arial;10;75;0;0;0;255;255;255"},
      kOff, kOff);
  const auto mid = Section(
      60,
      {Place(59, 59, 48, 48), Edges(kMidCity), kOff, kOff, kOff, kOff, Place(104, 40, 30, 30), Edges(kMidPort),
       Place(104, 96, 30, 30), Edges(kMidSupply), Place(32, 40, 30, 30), Edges(kMidVictory)},
      {"0;0;0;0;Arial;10;75;0;0;0;255;255;255", "0;0;0;0;Arial;10;37;0;0;0;255;255;255",
       "-60;106;286;46;Arial;40;75;0;0;0;255;250;235"},
      kOff, "3;3;1;1");
  const auto nearRow = Section(
      20,
      {Place(43, 36, 80, 80), Edges(kNearCity), Place(16, 30, 39, 26), "0;0;128;85", kOff, kOff,
       Place(120, 30, 34, 34), Edges(kNearPort), Place(120, 66, 34, 34), Edges(kNearSupply), Place(10, 64, 40, 40),
       Edges(kNearVictory)},
      {"10;66;40;38;Arial;16;75;255;235;150;40;30;10", "104;96;40;22;Arial;18;75;0;0;0;230;250;230",
       "-40;114;246;34;Arial;24;75;0;0;0;255;250;235"},
      kOff, "2;2;1;1");
  // The header opens the first section; each "#" closes one and opens the
  // next; the fourth row stays empty.
  l.insert(l.end(), far.begin(), far.end());
  for (const auto* s : {&mid, &nearRow}) {
    l.push_back("#");
    l.insert(l.end(), s->begin(), s->end());
  }
  l.push_back("#");
  l.push_back("#");
  return l;
}

std::vector<std::string> SpriteDepths() {
  // Levels 0 (furthest back) to 39 (in front), in the order of the layer
  // table: ground first, overlays, then tint, borders, marks, cities, units.
  return {"# Depth level of each map layer, 0 at the back to 39 in front; one line per layer in this order:",
          "# sea, variant, plain, desert, swamp, hill, mountain, rivers, rough, forest, marks, tint, grid,",
          "# city, unit, moving unit, weather, borders",
          "0;sea", "1;variant", "2;plain", "3;desert", "4;swamp", "7;hill", "8;mountain", "10;rivers", "5;rough",
          "6;forest", "22;marks", "14;tint", "16;grid", "26;city", "32;unit", "34;moving unit", "12;weather",
          "18;borders"};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_map_skin <skin folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  cPicture terrain(1 + kPitch * 12, 1 + kPitch * 12), others(1 + kPitch * 12, 1 + kPitch * 12),
      eyecandies(1 + kPitch * 6, 1 + kPitch * 3);
  PaintTerrain(terrain);
  PaintOthers(others);
  PaintEyecandies(eyecandies);
  bool ok = Save(terrain, dir + "/terrain.png") && Save(others, dir + "/others.png") &&
            Save(eyecandies, dir + "/eyecandies.png") && WriteText(dir + "/appearance.csv", Appearance()) &&
            WriteText(dir + "/sprites_depth.csv", SpriteDepths());
  if (!ok) std::fprintf(stderr, "make_map_skin: cannot write the skin into %s\n", dir.c_str());
  return ok ? 0 : 1;
}
