#pragma once
// A small painter for the interface's pictures: an ARGB canvas with filled
// and bevelled boxes, gradients, thick lines, discs, rings and polygons, a
// pen that draws symbols described on a 100 x 100 grid into a box of any
// size, and the PNG writer. Header-only: the skin and the picture tools
// share it.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace paint {

struct Rgba {
  int r, g, b, a = 255;
};

inline Rgba Mix(Rgba x, Rgba y, float t) {
  return {static_cast<int>(x.r + (y.r - x.r) * t), static_cast<int>(x.g + (y.g - x.g) * t),
          static_cast<int>(x.b + (y.b - x.b) * t), static_cast<int>(x.a + (y.a - x.a) * t)};
}
inline Rgba Alpha(Rgba c, int a) { return {c.r, c.g, c.b, a}; }

// The 1940s palette: olive drab, khaki, field grey steel, paper, brass.
namespace colour {
constexpr Rgba kInk{22, 24, 18};
constexpr Rgba kOliveDark{44, 50, 34};
constexpr Rgba kOlive{74, 82, 54};
constexpr Rgba kOliveLight{112, 120, 82};
constexpr Rgba kKhaki{178, 162, 116};
constexpr Rgba kKhakiLight{212, 198, 152};
constexpr Rgba kPaper{230, 220, 190};
constexpr Rgba kSteelDark{52, 58, 64};
constexpr Rgba kSteel{98, 108, 116};
constexpr Rgba kSteelLight{150, 160, 166};
constexpr Rgba kBrass{196, 160, 84};
constexpr Rgba kBrassDark{120, 94, 44};
constexpr Rgba kRed{160, 46, 34};
constexpr Rgba kSea{54, 78, 92};
constexpr Rgba kSeaLight{92, 120, 134};
constexpr Rgba kMud{110, 84, 52};
constexpr Rgba kWhite{240, 236, 224};
constexpr Rgba kClear{0, 0, 0, 0};
}  // namespace colour

class cPicture {
 public:
  cPicture(int width, int height, Rgba fill = colour::kClear)
      : w_(width), h_(height), px_(static_cast<size_t>(width) * height, Pack(fill)) {}
  int Width() const { return w_; }
  int Height() const { return h_; }

  // Replaces the pixel (no blending): pieces are painted on clear ground.
  void Set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[static_cast<size_t>(y) * w_ + x] = Pack(c);
  }
  // Blends c over the pixel by its alpha and a coverage factor.
  void Blend(int x, int y, Rgba c, float cover = 1.0f) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    uint32_t& d = px_[static_cast<size_t>(y) * w_ + x];
    const float a = std::clamp(c.a / 255.0f * cover, 0.0f, 1.0f);
    const float da = (d >> 24) / 255.0f;
    const float oa = a + da * (1 - a);
    if (oa <= 0) return;
    const auto ch = [&](int src, int shift) {
      const float dst = static_cast<float>((d >> shift) & 0xFF);
      return static_cast<int>((src * a + dst * da * (1 - a)) / oa + 0.5f);
    };
    d = Pack({ch(c.r, 16), ch(c.g, 8), ch(c.b, 0), static_cast<int>(oa * 255 + 0.5f)});
  }
  Rgba Get(int x, int y) const {
    const uint32_t v = px_[static_cast<size_t>(std::clamp(y, 0, h_ - 1)) * w_ + std::clamp(x, 0, w_ - 1)];
    return {static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF),
            static_cast<int>(v >> 24)};
  }

  void Fill(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void FillBlend(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Blend(x, y, c);
  }
  // A vertical gradient from top to bottom colour.
  void Gradient(int x0, int y0, int x1, int y1, Rgba top, Rgba bottom) {
    const int h = std::max(1, y1 - y0 - 1);
    for (int y = y0; y < y1; ++y) {
      const Rgba c = Mix(top, bottom, static_cast<float>(y - y0) / static_cast<float>(h));
      for (int x = x0; x < x1; ++x) Set(x, y, c);
    }
  }
  void Outline(int x0, int y0, int x1, int y1, Rgba c, int width = 1) {
    for (int i = 0; i < width; ++i) {
      for (int x = x0 + i; x < x1 - i; ++x) {
        Blend(x, y0 + i, c);
        Blend(x, y1 - 1 - i, c);
      }
      for (int y = y0 + i + 1; y < y1 - i - 1; ++y) {
        Blend(x0 + i, y, c);
        Blend(x1 - 1 - i, y, c);
      }
    }
  }
  // A raised (or sunken) panel: outline, bevel of the given width, filled body.
  void Panel(int x0, int y0, int x1, int y1, int bevel, bool raised, Rgba top, Rgba bottom,
             Rgba light = {150, 150, 120}, Rgba shadow = {24, 26, 20}, Rgba outline = colour::kInk) {
    Gradient(x0, y0, x1, y1, top, bottom);
    const Rgba hi = raised ? light : shadow, lo = raised ? shadow : light;
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
      Set(x, y0, outline);
      Set(x, y1 - 1, outline);
    }
    for (int y = y0; y < y1; ++y) {
      Set(x0, y, outline);
      Set(x1 - 1, y, outline);
    }
  }
  // A round-ended thick line, edges smoothed.
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
        const float d = std::sqrt(ex * ex + ey * ey) - width / 2;
        if (d < 0.5f) Blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
      }
  }
  void Disc(float cx, float cy, float radius, Rgba c) { Ring(cx, cy, 0.0f, radius, c); }
  // The band between two radii, smoothed at both edges.
  void Ring(float cx, float cy, float inner, float outer, Rgba c) {
    for (int y = static_cast<int>(cy - outer) - 1; y <= static_cast<int>(cy + outer) + 1; ++y)
      for (int x = static_cast<int>(cx - outer) - 1; x <= static_cast<int>(cx + outer) + 1; ++x) {
        const float ex = static_cast<float>(x) + 0.5f - cx, ey = static_cast<float>(y) + 0.5f - cy;
        const float d = std::sqrt(ex * ex + ey * ey);
        const float cover = std::min(std::clamp(outer - d + 0.5f, 0.0f, 1.0f),
                                     inner <= 0 ? 1.0f : std::clamp(d - inner + 0.5f, 0.0f, 1.0f));
        if (cover > 0) Blend(x, y, c, cover);
      }
  }
  // A filled polygon (even-odd rule), sampled four times per pixel.
  void Polygon(const std::vector<std::pair<float, float>>& pts, Rgba c) {
    if (pts.size() < 3) return;
    float minY = pts[0].second, maxY = minY, minX = pts[0].first, maxX = minX;
    for (const auto& p : pts) {
      minY = std::min(minY, p.second);
      maxY = std::max(maxY, p.second);
      minX = std::min(minX, p.first);
      maxX = std::max(maxX, p.first);
    }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
      for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x) {
        int inside = 0;
        for (int s = 0; s < 4; ++s) {
          const float px = x + 0.25f + 0.5f * (s % 2), py = y + 0.25f + 0.5f * (s / 2);
          bool in = false;
          for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto& a = pts[i];
            const auto& b = pts[j];
            if ((a.second > py) != (b.second > py) &&
                px < (b.first - a.first) * (py - a.second) / (b.second - a.second) + a.first)
              in = !in;
          }
          inside += in ? 1 : 0;
        }
        if (inside > 0) Blend(x, y, c, inside / 4.0f);
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

  // Copies a block of this picture elsewhere in it, changing each pixel.
  template <class F>
  void CopyBlock(int sx, int sy, int w, int h, int dx, int dy, F change) {
    std::vector<Rgba> block(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) block[static_cast<size_t>(y) * w + x] = Get(sx + x, sy + y);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(dx + x, dy + y, change(block[static_cast<size_t>(y) * w + x]));
  }

  const std::vector<uint32_t>& Pixels() const { return px_; }

  bool Save(const std::string& file) const {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(px_.data()), w_, h_, 32, w_ * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) {
      std::fprintf(stderr, "paint: %s\n", SDL_GetError());
      return false;
    }
    const int rc = IMG_SavePNG(s, file.c_str());
    SDL_FreeSurface(s);
    if (rc != 0) std::fprintf(stderr, "paint: cannot write %s: %s\n", file.c_str(), IMG_GetError());
    return rc == 0;
  }

 private:
  static uint32_t Pack(Rgba c) {
    return (static_cast<uint32_t>(std::clamp(c.a, 0, 255)) << 24) | (static_cast<uint32_t>(std::clamp(c.r, 0, 255)) << 16) |
           (static_cast<uint32_t>(std::clamp(c.g, 0, 255)) << 8) | static_cast<uint32_t>(std::clamp(c.b, 0, 255));
  }
  int w_, h_;
  std::vector<uint32_t> px_;
};

// Draws on a 100 x 100 grid mapped onto a box of the picture.
struct cPen {
  cPicture& p;
  float x0, y0, scale;
  Rgba c;
  cPen(cPicture& picture, int x, int y, int size, Rgba colour)
      : p(picture), x0(static_cast<float>(x)), y0(static_cast<float>(y)), scale(size / 100.0f), c(colour) {}
  float X(float u) const { return x0 + u * scale; }
  float Y(float v) const { return y0 + v * scale; }
  void Line(float a, float b, float d, float e, float width) { p.Line(X(a), Y(b), X(d), Y(e), width * scale, c); }
  void Disc(float cx, float cy, float r) { p.Disc(X(cx), Y(cy), r * scale, c); }
  void Ring(float cx, float cy, float r, float width) { p.Ring(X(cx), Y(cy), (r - width / 2) * scale, (r + width / 2) * scale, c); }
  void Poly(std::vector<std::pair<float, float>> pts) {
    for (auto& q : pts) q = {X(q.first), Y(q.second)};
    p.Polygon(pts, c);
  }
  void Rect(float a, float b, float d, float e) { Poly({{a, b}, {d, b}, {d, e}, {a, e}}); }
  // An arc of a ring from angle a0 to a1 (degrees, 0 = right, clockwise).
  void Arc(float cx, float cy, float r, float width, float a0, float a1) {
    const int steps = 24;
    for (int i = 0; i < steps; ++i) {
      const float t0 = (a0 + (a1 - a0) * i / steps) * 3.14159265f / 180, t1 = (a0 + (a1 - a0) * (i + 1) / steps) * 3.14159265f / 180;
      Line(cx + r * std::cos(t0), cy + r * std::sin(t0), cx + r * std::cos(t1), cy + r * std::sin(t1), width);
    }
  }
};

}  // namespace paint
