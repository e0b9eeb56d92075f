// The map view on the real screen, driven as a player drives it: the map
// dragged with the right button (twice as far with Ctrl) and a short right
// click that puts the selection down, the sea node's hint box, the
// simplified map with the cities' emblems, the map drawing's cleared
// corners, the start of the game screen, a device made again and the end of
// a game from the pause menu; at two screen sizes, with screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/settings.h"
#include "framework/map_skin.h"
#include "framework/units_skin.h"
#include "gui/cursor.h"
#include "screens/game/game_screen.h"
#include "screens/menu.h"
#include "screens/pause_menu.h"
#include "support/game_road_helpers.h"
#include "support/log_capture.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"

namespace {

using namespace ui_test;

void Motion(cGameUiHarness& h, int x, int y, bool rightHeld) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = rightHeld ? SDL_BUTTON_RMASK : 0;
  cGameUiHarness::Push(e);
  h.Frames(1);
}

void CtrlKey(bool down) { cGameUiHarness::PushKey(SDLK_LCTRL, down); }

// A right-button drag by dx from the middle of the screen: the camera must
// follow while the button is held and stay where it was let go.
void CheckDrag(cGameUiHarness& h, int dx, bool ctrl) {
  const cMapa& map = *gGra->map;
  ASSERT_TRUE(h.WaitFor([&map] { return map.cameraX == map.cameraTargetX && map.cameraY == map.cameraTargetY; }));
  const float k = ctrl ? 2.0f : 1.0f;
  const float start = map.cameraX;
  // Towards the farther bound, so that the whole drag shows.
  if (static_cast<float>(map.cameraMaxX) - start > start - static_cast<float>(map.cameraMinX)) dx = -dx;
  const float expected =
      std::clamp(start - k * static_cast<float>(dx) / gCurrentMapScale, static_cast<float>(map.cameraMinX),
                 static_cast<float>(map.cameraMaxX));
  ASSERT_GT(std::fabs(expected - start), 20.0f) << "no room to drag";
  const int x = h.Width() / 2, y = h.Height() / 2;
  if (ctrl) CtrlKey(true);
  Motion(h, x, y, false);
  h.Button(true, x, y, SDL_BUTTON_RIGHT);
  Motion(h, x + dx / 2, y, true);
  Motion(h, x + dx, y, true);
  EXPECT_NEAR(map.cameraX, expected, 1.0f) << "the camera follows the held button";
  EXPECT_FLOAT_EQ(map.cameraTargetX, start);
  h.Button(false, x + dx, y, SDL_BUTTON_RIGHT);
  h.Frames(2);
  if (ctrl) CtrlKey(false);
  h.Frames(1);
  EXPECT_NEAR(map.cameraX, expected, 1.0f);
  EXPECT_FLOAT_EQ(map.cameraTargetX, map.cameraX) << "the map stays where the drag left it";
}

// Pixels within a few steps of the colour on every channel.
int CountColour(const std::vector<uint32_t>& px, uint32_t colour) {
  return static_cast<int>(std::count_if(px.begin(), px.end(), [colour](uint32_t p) {
    for (int shift = 0; shift < 24; shift += 8)
      if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)) > 4)
        return false;
    return true;
  }));
}

// The left top of a hex's picture on the screen (the map's own placement).
POINT HexPicture(const cGameUiHarness& h, int col, int row) {
  const cMapa& map = *gGra->map;
  const float s = gCurrentMapScale;
  const int ox = static_cast<int>(static_cast<float>(h.Width()) / (2.0f * s) - map.cameraX);
  const int oy = static_cast<int>(static_cast<float>(h.Height()) / (2.0f * s) - map.cameraY);
  const float px = static_cast<float>(83 * col + ox), py = static_cast<float>(98 * row + oy + (col % 2 == 0 ? 49 : 0));
  return POINT{static_cast<int>(px * s), static_cast<int>(py * s)};
}

bool NearACity(int col, int row) {
  for (const cMiasto* c : gGra->cities)
    if (std::abs(c->x - col) <= 2 && std::abs(c->y - row) <= 2) return true;
  return false;
}

struct sRoadCase {
  int width, height;
  int human;  // Nordmark (1) moves first; with Kustland (2) the computer does
};

class MapViewRoad : public ::testing::TestWithParam<sRoadCase> {};

TEST_P(MapViewRoad, DragHoverSimpleMapAndTheGameItsStartAndEnd) {
  const sRoadCase rc = GetParam();
  const std::string size = std::to_string(rc.width) + "x" + std::to_string(rc.height);
  cLogCapture log;
  cGameUiHarness h(rc.width, rc.height, "map_view_road_" + size);
  StartSmallScenario(h, {rc.human});
  ASSERT_EQ(gGra->selection.currentCountry->id, rc.human);
  // The greeting of a turn that began on the worker comes a frame later.
  h.Frames(3);
  for (int i = 0; i < 5 && gCurrentDialog != nullptr; ++i) h.Key(SDLK_RETURN);
  ASSERT_EQ(gCurrentDialog, nullptr);

  // The start: the pause wallpaper is loaded; a computer country moving
  // first has the map centred on the current country before it plays.
  EXPECT_NE(gPauseWallpaper.Texture(), nullptr);
  const std::vector<std::wstring> lines = log.Lines();
  const auto enjoy = std::find(lines.begin(), lines.end(), L"============== Enjoy your game :)");
  ASSERT_NE(enjoy, lines.end());
  if (rc.human != 1) {
    const auto computer = std::find(enjoy, lines.end(), L"---- Game state = 9");
    ASSERT_NE(computer, lines.end());
    EXPECT_NE(std::find(enjoy, computer, L"CenterAtHex"), computer);
  }

  // A short right click puts the selected unit down; a long drag does not.
  cJednostkaLadowa* unit = nullptr;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == rc.human && u->actionPoints > 0 && unit == nullptr) unit = u;
  ASSERT_NE(unit, nullptr);
  ClickHex(h, unit->x, unit->y);
  ASSERT_EQ(gGra->selection.selectedUnit, unit);
  ASSERT_TRUE(h.Screenshot("01_unit_selected"));
  CheckDrag(h, 200, false);
  EXPECT_EQ(gGra->selection.selectedUnit, unit) << "a drag is no click";
  ASSERT_TRUE(h.Screenshot("02_dragged"));
  EXPECT_GT(h.ChangedPixels(), rc.width * rc.height / 4) << "the map moved on the screen";
  CheckDrag(h, 100, true);
  const int x = h.Width() / 2, y = h.Height() / 2;
  Motion(h, x, y, false);
  h.Button(true, x, y, SDL_BUTTON_RIGHT);
  Motion(h, x + 4, y - 3, true);
  h.Button(false, x + 4, y - 3, SDL_BUTTON_RIGHT);
  h.Frames(1);
  EXPECT_EQ(gGra->selection.selectedUnit, nullptr) << "a short drag is a click";
  EXPECT_EQ(gGra->selection.mapAction, kMapActionNone);

  // A move of a unit: its animation's end is logged like every change.
  ClickHex(h, unit->x, unit->y);
  for (const sHex& hex : gGra->map->hexes)
    if ((hex.marks & 0x1FFFC) != 0 && hex.unit == nullptr && Clickable(h, hex.x, hex.y)) {
      ClickHex(h, hex.x, hex.y);
      break;
    }
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  std::wstring last;
  int animations = 0;
  for (const std::wstring& l : log.Lines()) {
    if (l.rfind(L"---- Game state = ", 0) != 0) continue;
    if (last == L"---- Game state = 8" || last == L"---- Game state = 10") {
      ++animations;
      EXPECT_EQ(l, last == L"---- Game state = 8" ? L"---- Game state = 7" : L"---- Game state = 9");
    }
    last = l;
  }
  EXPECT_GT(animations, 0);

  // The hint box of a sea node under the mouse.
  const sHex* sea = nullptr;
  for (const sHex& hex : gGra->map->hexes)
    if (hex.IsSea() && hex.seaZone != 0 && Clickable(h, hex.x, hex.y) && sea == nullptr) sea = &hex;
  ASSERT_NE(sea, nullptr);
  const POINT p = HexOnScreen(h, sea->x, sea->y);
  Motion(h, p.x, p.y, false);
  h.Frames(2);
  ASSERT_NE(gCursor.HoverObject(), nullptr);
  ASSERT_TRUE(h.Screenshot("03_sea_hint"));
  const std::vector<uint32_t> box = h.ShotRegion(gCursor.LastBoxX(), gCursor.LastBoxY(), 190, 84);
  EXPECT_GT(CountColour(box, 0xFF48C050u) + CountColour(box, 0xFFD83828u), 2 * 190) << "the box's border";
  EXPECT_GT(std::count_if(box.begin(), box.end(), [](uint32_t c) { return (c & 0xC0C0C0u) == 0xC0C0C0u; }), 30)
      << "the counts' text";

  // Eight wheel notches at a quarter of the view keep the map point under
  // the cursor, from the map fitted to the screen's width.
  {
    cMapa& map = *gGra->map;
    gProgramSettings.mapZoom = 1.0f;
    h.Wheel(-1, h.Width() / 2, h.Height() / 2);
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      map.SetCameraAt(83.0f * static_cast<float>(map.width) / 2.0f, 98.0f * static_cast<float>(map.height) / 2.0f);
    }
    auto settled = [&map] {
      return gCurrentMapScale == gTargetMapScale && map.cameraX == map.cameraTargetX && map.cameraY == map.cameraTargetY;
    };
    const int x = h.Width() / 4, y = h.Height() / 4;
    Motion(h, x, y, false);
    ASSERT_TRUE(h.WaitFor(settled));
    const float dx = static_cast<float>(x - h.Width() / 2), dy = static_cast<float>(y - h.Height() / 2);
    const float before = gCurrentMapScale, pointX = dx / before + map.cameraX, pointY = dy / before + map.cameraY;
    for (int i = 0; i < 8; ++i) h.Wheel(1, x, y);
    ASSERT_TRUE(h.WaitFor(settled));
    ASSERT_GT(std::fabs(gCurrentMapScale / before - 1.0f), 0.04f) << "the wheel zoomed";
    EXPECT_NEAR(dx / gCurrentMapScale + map.cameraX, pointX, 1.0f);
    EXPECT_NEAR(dy / gCurrentMapScale + map.cameraY, pointY, 1.0f);
  }

  // The simplified map at full size: a city shows its holder's emblem where
  // a land hex of the same holder without a city is plain.
  h.ClickLayout(kGsMapMode);
  h.ClickLayout(kGsMapMode);
  ASSERT_EQ(gProgramSettings.mapMode, 2);
  gProgramSettings.mapZoom = 0.0f;
  gTargetMapScale = 1.0f;
  ASSERT_TRUE(h.WaitFor([] { return gCurrentMapScale == 1.0f; }));
  const cMiasto* city = nullptr;
  const sHex* plain = nullptr;
  for (const cMiasto* c : gGra->cities) {
    const sHex* at = gGra->map->GetHex(c->x, c->y);
    const cPanstwo* holder = gGra->GetCountry(at->controller);
    if (city != nullptr || holder == nullptr || holder->GetUnitsTexture() == 0) continue;
    gGra->map->SetCameraAt(83.0f * static_cast<float>(c->x), 98.0f * static_cast<float>(c->y));
    for (const sHex& hex : gGra->map->hexes)
      if (hex.IsLand() && hex.controller == at->controller && !NearACity(hex.x, hex.y) &&
          Clickable(h, hex.x, hex.y) && Clickable(h, hex.x + 1, hex.y + 1) && plain == nullptr)
        plain = &hex;
    if (plain != nullptr) city = c;
  }
  ASSERT_NE(city, nullptr);
  const sGuiRect info = GuiRect(335);  // over the info bar: no hover, no edge scrolling
  Motion(h, info.x + info.w / 2, info.y + info.h / 2, false);
  ASSERT_TRUE(h.Screenshot("04_simple_map"));
  const POINT c = HexPicture(h, city->x, city->y), q = HexPicture(h, plain->x, plain->y);
  const std::vector<uint32_t> withCity = h.ShotRegion(c.x + 60, c.y + 60, 46, 46);
  const std::vector<uint32_t> without = h.ShotRegion(q.x + 60, q.y + 60, 46, 46);
  ASSERT_EQ(withCity.size(), without.size());
  int differ = 0;
  for (size_t i = 0; i < withCity.size(); ++i) differ += withCity[i] != without[i] ? 1 : 0;
  EXPECT_GT(differ, 500) << "the emblem on the city's hex";
  gProgramSettings.mapMode = 0;

  // The map drawing leaves the minimap's frame and the info bar's corner
  // opaque black beneath the panels.
  {
    cPlatformDevice* device = FWGetD3DDevice();
    cGameLockGuard lock(__FILE__, __LINE__);
    ASSERT_EQ(device->BeginScene(), S_OK);
    device->Clear(0xFFFFFFFFu);
    RenderMap(device, 0.0f);
    std::vector<uint32_t> px;
    int w = 0, hh = 0;
    ASSERT_TRUE(device->ReadPixels(px, w, hh));
    device->EndScene();
    const sGuiRect corner = GuiRect(kGsClearedCorner);
    const RECT cleared[2] = {{gMapFrameRect.x, gMapFrameRect.y, gMapFrameRect.w, gMapFrameRect.h},
                             {corner.x, corner.y, corner.x + corner.w, corner.y + corner.h}};
    for (const RECT& r : cleared) {
      int black = 0;
      for (int yy = r.top; yy < r.bottom; ++yy)
        for (int xx = r.left; xx < r.right; ++xx) black += px[static_cast<size_t>(yy * w + xx)] == 0xFF000000u;
      EXPECT_EQ(black, (r.right - r.left) * (r.bottom - r.top)) << r.left << "," << r.top;
    }
  }

  // A device made again has the skins' fonts again.
  FWDeviceSettings settings = FWGetDeviceSettings();
  ASSERT_EQ(FWChangeDevice(&settings, true), S_OK);
  EXPECT_NE(MapSkinFont(kFontMapHeader), nullptr);
  EXPECT_NE(UnitsSkinFont(gUnitsSkin.CurrentFontNumber(kSkinLand, 0)), nullptr);
  h.Frames(2);

  // Leaving the pause menu repaints the minimap's ownership layer with the
  // setting changed meanwhile.
  h.Key(SDLK_ESCAPE);
  ASSERT_NE(dynamic_cast<cPauseMenu*>(gCurrentMenu), nullptr);
  gProgramSettings.minimapOwnershipMode = 2;
  for (sHex& hex : gGra->map->hexes)
    if (hex.IsLand()) hex.owner = 2;
  h.ClickLayout(cPauseMenu::kResume);
  ASSERT_EQ(gGra->GetState(), kStateHumanPlays);
  cTexture* layer = UiFrontEnd()->TextureOf(gGra->map->minimapTextures[1]);
  ASSERT_TRUE(layer != nullptr && layer->Texture() != nullptr);
  const uint32_t* texels = layer->Texture()->Lock();
  const size_t count = static_cast<size_t>(layer->Texture()->Width()) * static_cast<size_t>(layer->Texture()->Height());
  const uint32_t owner = 0x80000000u | (gGra->GetCountry(2)->colors[0] & 0x00FFFFFFu);
  const size_t owned = static_cast<size_t>(std::count(texels, texels + count, owner));
  const size_t land = count - static_cast<size_t>(std::count(texels, texels + count, 0u));
  layer->Texture()->Unlock();
  EXPECT_GT(owned, 0u);
  EXPECT_EQ(owned, land) << "every land texel in the owner's colour";

  // The game ended from the pause menu takes its pictures and fonts along.
  h.Key(SDLK_ESCAPE);
  ASSERT_NE(dynamic_cast<cPauseMenu*>(gCurrentMenu), nullptr);
  h.ClickLayout(cPauseMenu::kAbort);
  ASSERT_EQ(gGra, nullptr);
  EXPECT_EQ(MapSkinFont(kFontMapHeader), nullptr);
  EXPECT_EQ(UnitsSkinFont(gUnitsSkin.CurrentFontNumber(kSkinLand, 0)), nullptr);
  EXPECT_EQ(gTextures[kMapSkinTextureHolder].Texture(), nullptr);
  EXPECT_EQ(gPauseWallpaper.Texture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MapViewRoad, ::testing::Values(sRoadCase{1024, 768, 1}, sRoadCase{1920, 1080, 2}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
