// The counters as a player sees them, through the shipped units skin and the
// real sprite batch: a land, an air and a naval counter of two countries,
// first at full size, then zoomed out with the skin's far group. The frame
// is read back and written as PNG (into $BRENNMARK_SCREENSHOT_DIR when set).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "core/draw_target.h"
#include "core/settings.h"
#include "framework/fw_state.h"
#include "framework/sprite_draw_target.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "framework/units_skin.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "support/frame_png.h"
#include "support/log_capture.h"
#include "support/sdl_test_support.h"
#include "support/temp_dir.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/units_skin_game.h"

namespace {

constexpr int kW = 520, kH = 420;
constexpr float kFar = 0.4f;

// Loads pictures into texture holders that the sprite target finds by handle.
class cTextureFrontEnd : public cQuietFrontEnd {
 public:
  ~cTextureFrontEnd() override {
    for (auto& [h, t] : holders_) UnregisterTextureHolder(h);
  }
  FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) override {
    auto t = std::make_unique<cTexture>();
    if (FAILED(t->Load(file.c_str(), kind, mode))) return 0;
    const FrontEndHandle h = RegisterTextureHolder(t.get());
    holders_[h] = std::move(t);
    return h;
  }
  void ReleaseTexture(FrontEndHandle h) override {
    UnregisterTextureHolder(h);
    holders_.erase(h);
  }

 private:
  std::map<FrontEndHandle, std::unique_ptr<cTexture>> holders_;
};

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int s : {16, 8, 0})
    if (std::abs(Channel(a, s) - Channel(b, s)) > tolerance) return false;
  return true;
}

class UnitCounters : public ::testing::Test {
 protected:
  void SetUp() override {
    (void)sdl_test::kDummyDrivers;
    before_ = std::filesystem::current_path();
    std::filesystem::current_path(BRENNMARK_SOURCE_DIR);
    unit_test::LoadShippedStrings();
    ASSERT_TRUE(PlatformInitVideo());
    FlushMessageQueue();
    RegisterWindowClass(L"CounterClass", CS_DBLCLKS, &sdl_test::RecordingProc);
    hwnd_ = CreatePlatformWindow(L"CounterClass", L"counters", 0, 0, 0, kW, kH);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_EQ(sdl_test::CreateWindowedDevice(hwnd_, kW, kH, &device), S_OK);
    FWSetD3DDevice(device);
  }
  void TearDown() override {
    ReleaseUnitsSkinFonts();
    FWSetD3DDevice(nullptr);
    if (device != nullptr) device->Release();
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    UnregisterWindowClass(L"CounterClass");
    FlushMessageQueue();
    std::filesystem::current_path(before_);
  }
  uint32_t At(int x, int y) { return sdl_test::PixelAt(device, x, y); }
  // Pixels of the rectangle far from the colour: what is drawn over the box.
  int CountOther(int x0, int y0, int x1, int y1, uint32_t colour) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Near(At(x, y), colour, 60) ? 0 : 1;
    return n;
  }

  cPlatformDevice* device = nullptr;

 private:
  HWND hwnd_ = nullptr;
  std::filesystem::path before_;
};

TEST_F(UnitCounters, TwoCountriesAtTwoZoomGroups) {
  cTextureFrontEnd fe;
  cFrontEndScope scope(&fe);
  world_test::GameFixture g(4, 4, 2);
  g.game->pathTemplate = L"data\\scenarios\\AutumnStorm1939\\%s";
  const wchar_t* names[2] = {L"Germany", L"Italy"};
  for (int i = 0; i < 2; ++i) {
    cPanstwo& c = *g.game->countries[static_cast<size_t>(i)];
    c.name = c.skinName = names[i];
    c.LoadFlagTexture(L"AutumnStorm1939");
  }
  g.game->selection.currentCountry = g.game->countries[0];
  const sUnitsSkinGame game = UnitsSkinGameOf(*g.game);
  LoadUnitsSkin(L"Counters", &game);
  ASSERT_NE(gUnitsSkin.unitsPicture, 0);
  const uint32_t colour[2] = {g.game->countries[0]->colors[0], g.game->countries[1]->colors[0]};
  ASSERT_EQ(colour[0], 0xFF5A5A5Au);  // the scenario's grey of the first country

  std::vector<std::unique_ptr<cUnit>> units;
  for (int c = 1; c <= 2; ++c) {
    auto land = std::make_unique<unit_test::ValuedLandUnit>(10.0f);
    land->countryId = c;
    land->SetType(c == 1 ? 0 : 5);
    land->level = 2;
    land->strength = 80;
    land->actionPoints = 3;
    land->spottedLevel = 6;
    land->SetName(c == 1 ? L"12 Infantry" : L"3 Armoured Corps");
    auto air = std::make_unique<cJednostkaLotnicza>();
    air->countryId = c;
    air->SetType(c == 1 ? kTypeFighter : kTypeStrategicBomber);
    air->strength = 9;
    air->actionPoints = 2;
    air->spottedLevel = 6;
    air->SetName(L"Wing");
    auto ship = std::make_unique<cJednostkaMorska>();
    ship->countryId = c;
    ship->SetType(c == 1 ? kTypeBattleship : kTypeCarrier);
    ship->maxHitPoints = 10;
    ship->hitPoints = c == 1 ? 10 : 4;
    ship->spottedLevel = 6;
    ship->SetName(L"Fleet flagship");
    units.push_back(std::move(land));
    units.push_back(std::move(air));
    units.push_back(std::move(ship));
  }

  cPlatformSprite sprite(device);
  cPlatformLine line(device);
  cSpriteDrawTarget target(&sprite, &line);
  device->Clear(0xFF203040u);
  // Full size: two rows of three; zoomed out: one row of six at y0 on screen.
  auto drawAll = [&](float scale, float y0) {
    sprite.Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_DEPTH_BACKTOFRONT);
    target.SetTransform(sDrawTransform::Scaling(scale));
    for (size_t i = 0; i < units.size(); ++i) {
      const bool far = scale < 1.0f;
      const float x = static_cast<float>(far ? i : i % 3) * 170.0f;
      const float y = far ? y0 / scale : static_cast<float>(i / 3) * 170.0f;
      if (auto* ship = dynamic_cast<cJednostkaMorska*>(units[i].get())) ship->DrawCounter(target, x, y, 0.5f, kCounterOnMap);
      else static_cast<cJednostka*>(units[i].get())->Draw(target, x, y, 0.5f, 0);
    }
    sprite.End();
  };
  gProgramSettings.dynamicUnitAppearance = true;
  SelectFontsByScale(1.0f);
  ASSERT_EQ(gUnitsSkin.current[kSkinLand], 0);
  drawAll(1.0f, 0.0f);
  SelectFontsByScale(kFar);
  ASSERT_EQ(gUnitsSkin.current[kSkinLand], 1);
  drawAll(kFar, 345.0f);
  SelectFontsByScale(1.0f);

  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(device->ReadPixels(px, w, h));
  const char* dir = std::getenv("BRENNMARK_SCREENSHOT_DIR");
  cTempDir tmp("counters");
  const std::string path = (dir != nullptr ? std::string(dir) : tmp.Path().string()) + "/unit_counters.png";
  ASSERT_NO_FATAL_FAILURE(sdl_test::SaveArgbPng(px, w, h, path));

  // Full size: each counter's box (41, 48)-(125, 114) of its 166-pixel hex
  // in the owner's colour right of the size mark, and the symbol drawn in
  // the middle.
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const int ox = (i % 3) * 170, oy = (i / 3) * 170;
    EXPECT_TRUE(Near(At(ox + 105, oy + 64), colour[i / 3], 8)) << std::hex << At(ox + 105, oy + 64);
    EXPECT_GT(CountOther(ox + 62, oy + 66, ox + 104, oy + 96, colour[i / 3]), 40);
  }
  // The strength of the land unit in the dark band at the bottom left:
  // some light pixels there.
  int light = 0;
  for (int y = 99; y < 114; ++y)
    for (int x = 44; x < 80; ++x) light += Channel(At(x, y), 16) > 200 && Channel(At(x, y), 8) > 200 ? 1 : 0;
  EXPECT_GT(light, 8);
  // Zoomed out: the boxes keep their colours at the scaled places.
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const int ox = static_cast<int>(i * 170 * kFar), oy = 345;
    EXPECT_TRUE(Near(At(ox + static_cast<int>(105 * kFar), oy + static_cast<int>(64 * kFar)), colour[i / 3], 8));
  }
}

}  // namespace
