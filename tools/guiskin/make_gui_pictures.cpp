// Paints the menus' wallpapers, the two logos, the mouse cursor picture and
// the console picture into data/gfx/. Everything is drawn here: value noise
// for the map-table and camouflage grounds (smooth, so the pictures stay small), silhouettes from the icon
// symbols, and lettering with the DejaVu fonts of the Debian font package.
#include <SDL2/SDL_ttf.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "gui_skin_map.h"
#include "paint.h"
#include "symbols.h"

namespace {

using namespace paint;
using namespace paint::colour;

constexpr int kW = gui_skin::kWallpaperWidth, kH = gui_skin::kWallpaperHeight;
const std::string kFontDir = "/usr/share/fonts/truetype/dejavu/";

// Deterministic value noise in 0..1.
float Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}
float Smooth(float t) { return t * t * (3 - 2 * t); }
float Noise(float x, float y, int seed) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const float fx = Smooth(x - xi), fy = Smooth(y - yi);
  const float a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed), c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}
float Fbm(float x, float y, int seed, int octaves = 5) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + i * 17);
    norm += amp;
    x *= 2.03f;
    y *= 2.03f;
    amp *= 0.5f;
  }
  return sum / norm;
}

// Lettering: the text rendered by SDL_ttf, blended in one colour with a
// soft dark shadow. x is the centre when centred.
void Text(cPicture& p, const std::string& face, int size, const std::string& text, int x, int y, Rgba c,
          bool centred = true, int shadow = 3) {
  TTF_Font* font = TTF_OpenFont((kFontDir + face).c_str(), size);
  if (font == nullptr) {
    std::fprintf(stderr, "make_gui_pictures: font %s: %s\n", face.c_str(), TTF_GetError());
    std::exit(1);
  }
  SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
  TTF_CloseFont(font);
  if (s == nullptr) return;
  SDL_Surface* a = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (a == nullptr) return;
  const int x0 = centred ? x - a->w / 2 : x;
  const auto* px = static_cast<const uint32_t*>(a->pixels);
  for (int pass = shadow > 0 ? 0 : 1; pass < 2; ++pass)
    for (int yy = 0; yy < a->h; ++yy)
      for (int xx = 0; xx < a->w; ++xx) {
        const float cover = static_cast<float>(px[yy * (a->pitch / 4) + xx] >> 24) / 255.0f;
        if (cover <= 0) continue;
        if (pass == 0)
          p.Blend(x0 + xx + shadow, y + yy + shadow, Alpha(kInk, 170), cover);
        else
          p.Blend(x0 + xx, y + yy, c, cover);
      }
  SDL_FreeSurface(a);
}

// A silhouette symbol at (x, y) of the given size.
void Silhouette(cPicture& p, const std::function<void(cPen&)>& sym, int x, int y, int size, Rgba c) {
  cPen pen(p, x, y, size, c);
  sym(pen);
}

// Darkens the corners.
void Vignette(cPicture& p, float strength) {
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const float dx = (x - p.Width() / 2.0f) / (p.Width() / 2.0f), dy = (y - p.Height() / 2.0f) / (p.Height() / 2.0f);
      const float d = std::min(1.0f, (dx * dx + dy * dy) / 2);
      p.Blend(x, y, Alpha(kInk, 255), d * strength);
    }
}

// A campaign map on the table: land and sea from noise, faint hex grid,
// and the high ground shaded.
void MapTable(cPicture& p, int seed, Rgba land, Rgba sea) {
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const float n = Fbm(x / 420.0f, y / 420.0f, seed);
      Rgba c = n > 0.5f ? land : sea;
      if (std::fabs(n - 0.5f) < 0.006f) c = Rgba{70, 64, 48};  // the coast line
      if (n > 0.62f) c = Mix(land, Rgba{120, 100, 70}, std::min(1.0f, std::floor((n - 0.62f) * 40) / 8));  // high ground, in bands
      p.Set(x, y, c);
    }
  // Hex grid: columns 48 wide, rows 56 high, odd columns half a row lower.
  const Rgba line{80, 72, 56, 60};
  for (int col = 0; col * 42 < kW + 60; ++col)
    for (int row = -1; row * 56 < kH + 60; ++row) {
      const float cx = col * 42.0f, cy = row * 56.0f + (col % 2) * 28.0f, r = 28.0f;
      for (int k = 0; k < 6; ++k) {
        const float a0 = k * 1.0471976f, a1 = a0 + 1.0471976f;
        p.Line(cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1), cy + r * std::sin(a1), 1.2f, line);
      }
    }
}

void Camouflage(cPicture& p, int seed) {
  const Rgba tones[4] = {{46, 52, 36}, {70, 76, 50}, {96, 90, 62}, {34, 36, 28}};
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const float n = Fbm(x / 260.0f, y / 260.0f, seed, 4);
      const int i = std::clamp(static_cast<int>((n - 0.3f) * 10), 0, 3);
      p.Set(x, y, tones[i]);
    }
}

// A sky from top to horizon and a dark ground below it.
void Landscape(cPicture& p, Rgba skyTop, Rgba skyLow, int horizon, Rgba ground) {
  p.Gradient(0, 0, kW, horizon, skyTop, skyLow);
  for (int y = horizon; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      p.Set(x, y, Mix(ground, kInk, static_cast<float>(y - horizon) / (kH - horizon) * 0.6f));
    }
  // A low ridge along the horizon.
  for (int x = 0; x < kW; ++x) {
    const int top = horizon - static_cast<int>(Fbm(x / 300.0f, 0.5f, 3, 4) * 90);
    for (int y = top; y < horizon; ++y) p.Set(x, y, Mix(ground, skyLow, 0.35f));
  }
}

void Searchlight(cPicture& p, float x, float y, float angle, float length) {
  const float a = angle * 3.14159265f / 180;
  const float ex = x + length * std::cos(a), ey = y - length * std::sin(a);
  const float nx = std::sin(a) * length * 0.06f, ny = std::cos(a) * length * 0.06f;
  p.Polygon({{x, y}, {ex - nx, ey - ny}, {ex + nx, ey + ny}}, Rgba{236, 228, 190, 40});
}

void WallpaperMain(cPicture& p) {
  Landscape(p, Rgba{40, 44, 44}, Rgba{150, 122, 84}, 780, Rgba{52, 54, 38});
  Searchlight(p, 600, 800, 62, 900);
  Searchlight(p, 1400, 800, 110, 950);
  Searchlight(p, 1000, 820, 85, 800);
  for (int i = 0; i < 9; ++i)
    Silhouette(p, symbols::Plane, 360 + i * 150 + (i % 2) * 40, 300 + (i % 3) * 50, 70 - (i % 3) * 8, Rgba{30, 32, 30, 230});
  for (int i = 0; i < 6; ++i) Silhouette(p, symbols::Tank, 80 + i * 320, 800 + (i % 2) * 30, 200, Rgba{24, 26, 20});
  Vignette(p, 0.7f);
  Text(p, "DejaVuSerif-Bold.ttf", 120, "BRENNMARK", kW / 2, 90, kBrass, true, 5);
  Text(p, "DejaVuSerif.ttf", 34, "The war in Europe, 1939 – 1945", kW / 2, 250, kKhakiLight);
}

void WallpaperScenario(cPicture& p) {
  MapTable(p, 11, Rgba{176, 168, 126}, Rgba{120, 138, 140});
  // A compass rose in the lower right.
  const float cx = 1700, cy = 880;
  p.Ring(cx, cy, 120, 126, Rgba{70, 60, 40});
  p.Ring(cx, cy, 96, 99, Rgba{70, 60, 40});
  p.Polygon({{cx, cy - 150}, {cx + 22, cy}, {cx, cy + 150}, {cx - 22, cy}}, Rgba{60, 50, 34});
  p.Polygon({{cx - 150, cy}, {cx, cy - 22}, {cx + 150, cy}, {cx, cy + 22}}, Rgba{60, 50, 34});
  Text(p, "DejaVuSerif-Bold.ttf", 40, "N", static_cast<int>(cx), static_cast<int>(cy) - 210, Rgba{60, 50, 34}, true, 0);
  // Pins and a front line.
  const float front[][2] = {{500, 200}, {560, 360}, {520, 520}, {600, 680}, {580, 860}};
  for (int i = 0; i + 1 < 5; ++i) p.Line(front[i][0], front[i][1], front[i + 1][0], front[i + 1][1], 6, Rgba{150, 40, 30, 200});
  for (int i = 0; i < 7; ++i) {
    const float x = 300 + i * 200.0f, y = 300 + (i * 137 % 500);
    p.Disc(x, y, 9, i % 2 ? kRed : Rgba{40, 60, 110});
    p.Disc(x - 2, y - 2, 3, kWhite);
  }
  Vignette(p, 0.55f);
}

void WallpaperLoading(cPicture& p) {
  Landscape(p, Rgba{54, 62, 70}, Rgba{168, 150, 118}, 640, Rgba{42, 60, 70});
  // Swell on the sea.
  for (int y = 650; y < kH; y += 14)
    for (int x = (y * 37) % 90; x < kW; x += 90) p.Line(x, y, x + 40, y, 2, Rgba{120, 140, 146, 70});
  for (int i = 0; i < 6; ++i)
    Silhouette(p, i % 2 ? symbols::CargoShip : symbols::Warship, 100 + i * 300, 520 + (i % 3) * 40, 220 - (i % 3) * 30,
               Rgba{30, 34, 36});
  Vignette(p, 0.6f);
  Text(p, "DejaVuSerif-Bold.ttf", 72, "BRENNMARK", kW / 2, 120, kBrass, true, 4);
}

void WallpaperScenarioSettings(cPicture& p) {
  MapTable(p, 23, Rgba{168, 164, 120}, Rgba{112, 130, 134});
  // Unit counters on the map.
  for (int i = 0; i < 14; ++i) {
    const int x = 180 + (i * 263) % 1560, y = 160 + (i * 191) % 760;
    const Rgba side = i % 2 ? Rgba{130, 60, 46} : Rgba{70, 86, 120};
    p.Panel(x, y, x + 64, y + 64, 2, true, Mix(side, kWhite, 0.2f), side, Mix(side, kWhite, 0.5f), kInk);
    Silhouette(p, symbols::Counter, x + 10, y + 10, 44, Alpha(kWhite, 220));
  }
  Vignette(p, 0.6f);
}

void WallpaperPreferences(cPicture& p) {
  p.Gradient(0, 0, kW, kH, Rgba{44, 58, 66}, Rgba{26, 34, 40});
  for (int x = 0; x < kW; x += 40) p.Line(x, 0, x, kH, 1, Rgba{120, 150, 160, x % 200 == 0 ? 70 : 30});
  for (int y = 0; y < kH; y += 40) p.Line(0, y, kW, y, 1, Rgba{120, 150, 160, y % 200 == 0 ? 70 : 30});
  Silhouette(p, symbols::Gear, 1180, 380, 520, Rgba{150, 176, 184, 60});
  Silhouette(p, symbols::Gear, 1560, 240, 300, Rgba{150, 176, 184, 50});
  Silhouette(p, symbols::Gear, 180, 640, 360, Rgba{150, 176, 184, 40});
  Vignette(p, 0.5f);
}

void WallpaperPause(cPicture& p) {
  Camouflage(p, 41);
  Vignette(p, 0.7f);
  Text(p, "DejaVuSerif-Bold.ttf", 64, "BRENNMARK", kW / 2, 80, Rgba{196, 160, 84, 200}, true, 4);
}

// The first logo: the maker's emblem and name. The second: the game's title.
// Both on clear ground; the screen behind them is black.
void LogoMaker(cPicture& p) {
  const float cx = gui_skin::kLogoWidth / 2.0f, cy = 150;
  p.Ring(cx, cy, 96, 106, kBrass);
  p.Ring(cx, cy, 84, 88, kBrassDark);
  cPen star(p, static_cast<int>(cx - 80), static_cast<int>(cy - 82), 160, kKhakiLight);
  symbols::Star(star);
  Text(p, "DejaVuSerif-Bold.ttf", 64, "CORVALLE", gui_skin::kLogoWidth / 2, 280, kKhakiLight, true, 3);
  Text(p, "DejaVuSans.ttf", 26, "G  A  M  E  S", gui_skin::kLogoWidth / 2, 370, kBrass, true, 2);
}

void LogoGame(cPicture& p) {
  const int w = gui_skin::kLogoWidth;
  p.Fill(60, 120, w - 60, 124, kBrass);
  p.Fill(60, 300, w - 60, 304, kBrass);
  Text(p, "DejaVuSerif-Bold.ttf", 86, "BRENNMARK", w / 2, 150, kKhakiLight, true, 5);
  Text(p, "DejaVuSerif.ttf", 30, "1939 – 1945", w / 2, 330, kBrass, true, 2);
  for (int i = 0; i < 3; ++i) {
    cPen s(p, w / 2 - 100 + i * 80, 40, 40, kBrass);
    symbols::Star(s);
  }
}

// The mouse pointer: a khaki arrow with a dark edge, its point at (1, 1).
void Cursor(cPicture& p) {
  const std::vector<std::pair<float, float>> arrow = {{1, 1}, {1, 25}, {7, 19}, {12, 30}, {16, 28}, {11, 18}, {19, 18}};
  std::vector<std::pair<float, float>> outline;
  for (const auto& q : arrow) outline.push_back(q);
  p.Polygon(outline, kInk);
  // The inner arrow, one pixel in from the edge.
  p.Polygon({{2.5f, 4.0f}, {2.5f, 21.5f}, {7.5f, 16.5f}, {12.6f, 27.6f}, {14.4f, 26.8f}, {9.4f, 16.6f}, {15.8f, 16.6f}},
            kKhakiLight);
  p.Line(3, 5, 3, 18, 1.0f, kWhite);
}

// The console's background: a dark, half-clear olive panel with a brass edge.
void Console(cPicture& p) {
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) p.Set(x, y, Rgba{24, 28, 20, 200});
  p.Outline(0, 0, p.Width(), p.Height(), kBrassDark, 2);
  p.Outline(3, 3, p.Width() - 3, p.Height() - 3, Alpha(kBrass, 120));
}

bool Save(const cPicture& p, const std::string& folder, const char* name) { return p.Save(folder + "/" + name); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gui_pictures <data/gfx folder>\n");
    return 2;
  }
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "make_gui_pictures: %s\n", TTF_GetError());
    return 1;
  }
  const std::string out = argv[1];
  struct sWallpaper {
    const char* name;
    void (*paint)(cPicture&);
  };
  const sWallpaper wallpapers[] = {{"wallpaper_main.png", WallpaperMain},
                                   {"wallpaper_scenario.png", WallpaperScenario},
                                   {"wallpaper_loading.png", WallpaperLoading},
                                   {"wallpaper_scenariosettings.png", WallpaperScenarioSettings},
                                   {"wallpaper_preferences.png", WallpaperPreferences},
                                   {"wallpaper_pause.png", WallpaperPause}};
  bool ok = true;
  for (const sWallpaper& w : wallpapers) {
    cPicture p(kW, kH, kInk);
    w.paint(p);
    ok = Save(p, out, w.name) && ok;
  }
  cPicture maker(gui_skin::kLogoWidth, gui_skin::kLogoHeight), game(gui_skin::kLogoWidth, gui_skin::kLogoHeight);
  LogoMaker(maker);
  LogoGame(game);
  ok = Save(maker, out, "logof.png") && Save(game, out, "logog.png") && ok;
  cPicture cursor(32, 32), console(512, 256);
  Cursor(cursor);
  Console(console);
  ok = Save(cursor, out, "cur.png") && Save(console, out, "console.png") && ok;
  TTF_Quit();
  return ok ? 0 : 1;
}
