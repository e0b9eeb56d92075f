// One frame of the shipped scenario's map at 1920 x 1080 on the software
// renderer, at full size and at the fit scale, with cities, borders and
// units on; and the minimap's ownership colours of a 400 x 250 map.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "framework/fw_state.h"
#include "framework/map_skin.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "platform/window.h"
#include "screens/map_frame.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

class cScreen : public cQuietFrontEnd {
 public:
  int ScreenWidth() override { return 1920; }
  int ScreenHeight() override { return 1080; }
};

LRESULT BenchProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

// The scenario loaded and the skin on a 1920 x 1080 device, once per run.
cPlatformDevice* Setup() {
  static cPlatformDevice* device = nullptr;
  static cScreen screen;
  if (device != nullptr) return device;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  PlatformUseSoftwareRenderer(true);
  if (!PlatformInitVideo()) return nullptr;
  std::filesystem::current_path(BRENNMARK_GAME_DIR);
  SetFrontEnd(&screen);
  gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings");
  CreateGameLock();
  RegisterWindowClass(L"MapBench", 0, &BenchProc);
  HWND hwnd = CreatePlatformWindow(L"MapBench", L"map", 0, 0, 0, 1920, 1080);
  D3DPRESENT_PARAMETERS pp;
  pp.BackBufferWidth = 1920;
  pp.BackBufferHeight = 1080;
  pp.Windowed = 1;
  if (hwnd == nullptr || FAILED(cPlatformDevice::Create(hwnd, pp, &device))) return nullptr;
  FWSetD3DDevice(device);
  if (LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)) != 0) return nullptr;
  LoadGameMapSkin(L"Normal");
  return device;
}

// range(0): 1 full size on Danzig, 0 the fit scale on the map's middle;
// range(1): 1 every frame starts on a screen cleared to another colour than
// the last, so that nothing of the last frame can be kept (as when the view
// moves), 0 every frame is the same.
void BM_MapFrame(benchmark::State& state) {
  cPlatformDevice* device = Setup();
  if (device == nullptr || gGra == nullptr) {
    state.SkipWithError("no device or no scenario");
    return;
  }
  cMapa& map = *gGra->map;
  const bool full = state.range(0) == 1;
  gCurrentMapScale = gTargetMapScale = full ? 1.0f : map.fitScale;
  gProgramSettings.mapZoom = full ? 0.0f : 1.0f;
  gProgramSettings.showUnits = true;
  gProgramSettings.borderMode = 2;
  SelectCityAppearanceByZoom();
  map.ApplyScale();
  if (full)
    map.SetCameraAt(83.0f * 68 + 83, 98.0f * 41 + 83);
  else
    map.SetCameraAt(83.0f * map.width / 2, 98.0f * map.height / 2);
  const bool moving = state.range(1) == 1;
  cPlatformSprite sprite(device);
  int step = 0;
  uint32_t background = 0xFF000000u;
  for (auto _ : state) {
    background = moving && ++step % 2 == 1 ? 0xFF010101u : 0xFF000000u;
    device->BeginScene();
    device->Clear(background);
    DrawGameMap(device, &sprite);
    device->EndScene();
    // The renderer queues its work: the frame is drawn when flushed.
    SDL_RenderFlush(device->Renderer());
  }
  // How much of the screen the last frame covered, as a check that it drew.
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  int64_t drawn = 0;
  if (device->ReadPixels(px, w, h))
    for (uint32_t p : px) drawn += (p & 0xFFFFFFu) != (background & 0xFFFFFFu) ? 1 : 0;
  state.counters["covered"] = px.empty() ? 0.0 : static_cast<double>(drawn) / static_cast<double>(px.size());
  state.SetLabel(std::string(full ? "full size" : "fit scale") + (moving ? ", new every frame" : ""));
}
BENCHMARK(BM_MapFrame)->Args({1, 0})->Args({0, 0})->Args({1, 1})->Args({0, 1})->Unit(benchmark::kMillisecond);

// The ownership colours of a generated 400 x 250 map with 60 countries in
// bands into a minimap texture of the same proportions.
void BM_RedrawMinimapTexture(benchmark::State& state) {
  cQuietFrontEnd quiet;
  SetFrontEnd(&quiet);
  cGra* saved = gGra;
  cGra game;
  gGra = &game;
  game.map = new cMapa();
  game.map->Create(400, 250);
  for (int id = 1; id <= 60; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->colors[0] = 0xFF000000u | static_cast<uint32_t>(id * 40503);
    game.countries.push_back(c);
  }
  for (sHex& h : game.map->hexes) {
    h.terrain = (h.x + h.y) % 7 == 0 ? kTerrainSea : kTerrainPlain;
    h.controller = static_cast<uint8_t>(h.x * 60 / 400 + 1);
  }
  game.map->minimapTextures[1] = 1;
  game.map->minimapTextureSize[0] = 512;
  game.map->minimapTextureSize[1] = 320;
  gProgramSettings.minimapOwnershipMode = 1;
  for (auto _ : state) game.map->RedrawMinimapTexture();
  gProgramSettings.minimapOwnershipMode = 0;
  game.map->minimapTextures[1] = 0;
  gGra = saved;
  SetFrontEnd(nullptr);
}
BENCHMARK(BM_RedrawMinimapTexture)->Unit(benchmark::kMillisecond);

}  // namespace
