// The shipped scenario's map drawn with the map skin "Normal" under the dummy
// video driver and read back: sea where the map has sea, the border colour
// on a border, a city's picture on the city, at full size and at the fit
// scale. Each frame is also saved as a picture beside the build's game.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_lock.h"
#include "core/map_skin_data.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "framework/fw_state.h"
#include "framework/map_skin.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "platform/window.h"
#include "screens/map_frame.h"
#include "support/frame_png.h"
#include "support/sdl_test_support.h"
#include "world/city.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = 1920, kH = 1080;

class cScreenFrontEnd : public cQuietFrontEnd {
 public:
  int ScreenWidth() override { return kW; }
  int ScreenHeight() override { return kH; }
};

struct sRgb {
  int r = 0, g = 0, b = 0;
};

class MapFrame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    before_ = new fs::path(fs::current_path());
    fs::current_path(BRENNMARK_GAME_DIR);
    // The built-in display settings, whatever an earlier test read from its
    // Settings.ini.
    gProgramSettings = sProgramSettings{};
    SetFrontEnd(&frontEnd_);
    gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings");
    CreateGameLock();
    ASSERT_TRUE(PlatformInitVideo());
    RegisterWindowClass(L"MapFrame", 0, &DefWindowProc);
    hwnd_ = CreatePlatformWindow(L"MapFrame", L"map", 0, 0, 0, kW, kH);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_EQ(sdl_test::CreateWindowedDevice(hwnd_, kW, kH, &device_), S_OK);
    FWSetD3DDevice(device_);
    ASSERT_EQ(LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)), 0);
    LoadGameMapSkin(L"Normal");
  }
  static void TearDownTestSuite() {
    if (gGra != nullptr) DestroyGame();
    ReleaseMapSkin();
    FWSetD3DDevice(nullptr);
    if (device_ != nullptr) device_->Release();
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    UnregisterWindowClass(L"MapFrame");
    DeleteGameLock();
    SetFrontEnd(nullptr);
    fs::current_path(*before_);
    delete before_;
  }

  // Draws a frame at the scale with the camera on the map point, saves it
  // as the artefact and keeps its pixels.
  void Render(float scale, float zoom, float cameraX, float cameraY, const char* artefact) {
    cMapa& map = *gGra->map;
    gCurrentMapScale = gTargetMapScale = scale;
    gProgramSettings.mapZoom = zoom;
    SelectCityAppearanceByZoom();
    map.ApplyScale();
    map.SetCameraAt(cameraX, cameraY);
    device_->BeginScene();
    device_->Clear(0xFF000000u);
    cPlatformSprite sprite(device_);
    DrawGameMap(device_, &sprite);
    device_->EndScene();
    int w = 0, h = 0;
    ASSERT_TRUE(device_->ReadPixels(pixels_, w, h));
    ASSERT_EQ(w, kW);
    ASSERT_EQ(h, kH);
    sdl_test::SaveArgbPng(pixels_, w, h, std::string(BRENNMARK_GAME_DIR) + "/../" + artefact);
  }

  // The screen point of a point of a hex's picture (cell pixels from its top left).
  static void ScreenOf(int hx, int hy, float cellX, float cellY, int& sx, int& sy) {
    const cMapa& map = *gGra->map;
    const float s = gCurrentMapScale;
    const int ox = static_cast<int>(kW / (2.0f * s) - map.cameraX);
    const int oy = static_cast<int>(kH / (2.0f * s) - map.cameraY);
    sx = static_cast<int>(std::floor((83.0f * hx + ox + cellX) * s));
    sy = static_cast<int>(std::floor((98.0f * hy + oy + (hx % 2 == 0 ? 49 : 0) + cellY) * s));
  }
  sRgb At(int x, int y) const {
    if (x < 0 || y < 0 || x >= kW || y >= kH) return {-1, -1, -1};
    const uint32_t p = pixels_[static_cast<size_t>(y) * kW + x];
    return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255), static_cast<int>(p & 255)};
  }
  // Whether a pixel of the square of the given half side round (x, y) passes.
  template <class F>
  bool AnyNear(int x, int y, int half, F test) const {
    for (int dy = -half; dy <= half; ++dy)
      for (int dx = -half; dx <= half; ++dx)
        if (test(At(x + dx, y + dy))) return true;
    return false;
  }
  static bool Quiet(int x, int y) {
    const cMapa& map = *gGra->map;
    const sHex* self = map.GetHex(x, y);
    if (self->seaNodeMarker != 0 || self->fort != 0) return false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        if (!map.IsInside(x + dx, y + dy)) continue;
        const sHex* h = map.GetHex(x + dx, y + dy);
        if (h->city != nullptr || h->unit != nullptr) return false;
      }
    return true;
  }
  static const cMiasto* City(const wchar_t* name) {
    for (const cMiasto* c : gGra->cities)
      if (c->name == name) return c;
    return nullptr;
  }

  static inline fs::path* before_ = nullptr;
  static inline cScreenFrontEnd frontEnd_;
  static inline HWND hwnd_ = nullptr;
  static inline cPlatformDevice* device_ = nullptr;
  std::vector<uint32_t> pixels_;
};

bool IsSea(const sRgb& c) { return c.b > c.r + 40 && c.b > c.g + 10; }
bool IsWhite(const sRgb& c) { return c.r >= 215 && c.g >= 215 && c.b >= 215; }

TEST_F(MapFrame, FullSizeShowsSeaBordersAndTheCityPicture) {
  const cMiasto* danzig = City(L"Danzig");
  ASSERT_NE(danzig, nullptr);
  Render(1.0f, 0.0f, 83.0f * danzig->x + 83, 98.0f * danzig->y + 83, "map_frame_full.png");
  const cMapa& map = *gGra->map;

  // The near appearance: the houses of the city picture with their red roofs.
  int sx = 0, sy = 0;
  ScreenOf(danzig->x, danzig->y, 83, 80, sx, sy);
  EXPECT_TRUE(AnyNear(sx, sy, 30, [](const sRgb& c) { return c.r > 150 && c.g < 120 && c.b < 100; }))
      << "no city picture at " << sx << "," << sy;

  int seaChecked = 0, borderChecked = 0;
  for (int y = danzig->y - 5; y <= danzig->y + 5; ++y) {
    for (int x = danzig->x - 10; x <= danzig->x + 10; ++x) {
      if (!map.IsInside(x, y) || !Quiet(x, y)) continue;
      const sHex& h = *map.GetHex(x, y);
      if (h.IsSea() && h.rivers == 0 && h.borders == 0) {
        ScreenOf(x, y, 83, 83, sx, sy);
        EXPECT_TRUE(IsSea(At(sx, sy))) << "sea hex " << x << "," << y;
        ++seaChecked;
      }
      // The owner border towards the north-east runs along the middle of
      // that side; the default border colour is white.
      if (h.IsLand() && (h.borders & 0x1) != 0) {
        ScreenOf(x, y, 124.5f, 58.5f, sx, sy);
        EXPECT_TRUE(AnyNear(sx, sy, 1, IsWhite)) << "border of hex " << x << "," << y;
        ++borderChecked;
      }
    }
  }
  EXPECT_GT(seaChecked, 3);
  EXPECT_GT(borderChecked, 0);
}

TEST_F(MapFrame, FitScaleShowsTheWholeMapWithCitiesAsDots) {
  const cMapa& map = *gGra->map;
  Render(map.fitScale, 1.0f, 83.0f * map.width / 2, 98.0f * map.height / 2, "map_frame_fit.png");
  int sx = 0, sy = 0;
  for (const wchar_t* name : {L"Berlin", L"Warsaw", L"Danzig"}) {
    const cMiasto* c = City(name);
    ASSERT_NE(c, nullptr);
    ScreenOf(c->x, c->y, 83, 83, sx, sy);
    EXPECT_TRUE(AnyNear(sx, sy, 1, [](const sRgb& p) { return p.r < 80 && p.g < 80 && p.b < 80; }))
        << "no city dot on " << c->x << "," << c->y;
  }
  // Every corner hex of the map lies on the screen, and the open sea of the
  // map's first column reads as sea.
  ScreenOf(0, 0, 83, 83, sx, sy);
  EXPECT_GE(sx, 0);
  EXPECT_GE(sy, 0);
  ScreenOf(map.width - 1, map.height - 1, 83, 83, sx, sy);
  EXPECT_LT(sx, kW);
  EXPECT_LT(sy, kH);
  int candies = 0;
  for (const sHexEyecandy& e : map.eyecandies) candies += e.depth > 0.5f ? 1 : 0;
  EXPECT_GT(candies, 100) << "the shipped scenario's decorations";
  int sea = 0;
  for (int y = 0; y < map.height; y += 8) {
    if (!map.GetHex(0, y)->IsSea() || !Quiet(0, y)) continue;
    ScreenOf(0, y, 83, 83, sx, sy);
    EXPECT_TRUE(IsSea(At(sx, sy))) << "sea hex 0," << y;
    ++sea;
  }
  EXPECT_GT(sea, 0);
}

TEST_F(MapFrame, SkinMipLevelsFollowTheDeviceAndAMissingSkinKeepsTheLoadedOne) {
  // A device that holds wide textures behind a small back buffer, and the
  // other way round: the caps decide.
  D3DCAPS9 caps{};
  D3DSURFACE_DESC desc{};
  caps.MaxTextureWidth = 4096;
  desc.Width = 1024;
  FWSetDeviceCaps(caps);
  FWSetBackBufferSurfaceDesc(desc);
  LoadMapSkin(L"Normal");
  ASSERT_NE(HolderOfHandle(MapSkinPicture(kPictureMapTerrain)), nullptr);
  EXPECT_EQ(HolderOfHandle(MapSkinPicture(kPictureMapTerrain))->MipLevels(), 3);
  caps.MaxTextureWidth = 2048;
  desc.Width = 4096;
  FWSetDeviceCaps(caps);
  FWSetBackBufferSurfaceDesc(desc);
  gProgramSettings.mapZoom = 0.5f;
  EXPECT_EQ(LoadMapSkin(L"Normal"), 50);
  EXPECT_EQ(HolderOfHandle(MapSkinPicture(kPictureMapOthers))->MipLevels(), 1);
  EXPECT_EQ(gMapSkin.currentRow, 1);
  EXPECT_NE(MapSkinFont(kFontCityAppearance + 2), nullptr) << "the name font of the middle row";

  const FrontEndHandle terrain = MapSkinPicture(kPictureMapTerrain);
  EXPECT_EQ(LoadMapSkin(L"NoSuchSkin"), 50);
  EXPECT_EQ(MapSkinPicture(kPictureMapTerrain), terrain);
  EXPECT_NE(TextureOfHandle(terrain), nullptr);
  EXPECT_EQ(gMapSkin.rows[0].threshold, 101);
}

TEST_F(MapFrame, ScenarioPreviewFramesWithTheFirstFrameStyleOfTheGuiPicture) {
  ASSERT_EQ(gTextures[kGuiTextureHolder].Load(L"data\\gfx\\GUI.png", kTextureFromFile, 1), S_OK);
  SDL_Surface* loaded = IMG_Load("data/gfx/GUI.png");
  ASSERT_NE(loaded, nullptr);
  SDL_Surface* gui = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  device_->Clear(0xFF000000u);
  DrawScenarioPreview(100, 200, 300, 180, nullptr);
  int w = 0, h = 0;
  ASSERT_TRUE(device_->ReadPixels(pixels_, w, h));
  // The corners are the grid's corner pieces at their size: the top left
  // one from (0, 1913), the bottom right one from (90, 2003).
  auto guiAt = [&](int x, int y) {
    return static_cast<const uint32_t*>(gui->pixels)[y * gui->pitch / 4 + x] | 0xFF000000u;
  };
  for (int d : {0, 4, 8, 20, 44}) {
    EXPECT_EQ(pixels_[static_cast<size_t>(200 + d) * kW + 100 + d] | 0xFF000000u, guiAt(d, 1913 + d)) << d;
    EXPECT_EQ(pixels_[static_cast<size_t>(200 + 135 + d) * kW + 100 + 255 + d] | 0xFF000000u, guiAt(90 + d, 2003 + d))
        << d;
  }
  SDL_FreeSurface(gui);
  gTextures[kGuiTextureHolder].Release();
}

}  // namespace
