// One frame of the game's size on the software renderer: 5,000 sprites of
// 20 textures at random depths and 200 lines of text.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <random>
#include <vector>

#include "core/text.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/sprite.h"
#include "platform/window.h"

namespace {

LRESULT BenchProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

// range(0): 1 sprites, 2 text, 3 both.
void BM_SoftwareFrame(benchmark::State& state) {
  const bool withSprites = (state.range(0) & 1) != 0, withText = (state.range(0) & 2) != 0;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  PlatformUseSoftwareRenderer(true);
  if (!PlatformInitVideo()) {
    state.SkipWithError("no video");
    return;
  }
  RegisterWindowClass(L"BenchClass", 0, &BenchProc);
  HWND hwnd = CreatePlatformWindow(L"BenchClass", L"bench", 0, 0, 0, 1920, 1080);
  D3DPRESENT_PARAMETERS pp;
  pp.BackBufferWidth = 1920;
  pp.BackBufferHeight = 1080;
  pp.Windowed = 1;
  cPlatformDevice* device = nullptr;
  if (hwnd == nullptr || FAILED(cPlatformDevice::Create(hwnd, pp, &device))) {
    state.SkipWithError("no device");
    return;
  }
  std::mt19937 rng(42);
  std::vector<cPlatformTexture*> textures;
  for (int t = 0; t < 20; ++t) {
    cPlatformTexture* tex = nullptr;
    device->CreateTexture(32, 32, &tex);
    uint32_t* px = tex->Lock();
    for (int i = 0; i < 32 * 32; ++i) px[i] = 0xFF000000u | (rng() & 0xFFFFFFu);
    tex->Unlock();
    textures.push_back(tex);
  }
  struct Item {
    int texture;
    D3DXVECTOR3 pos;
  };
  std::vector<Item> items;
  for (int i = 0; i < 5000; ++i)
    items.push_back({static_cast<int>(rng() % 20),
                     {static_cast<float>(rng() % 1890), static_cast<float>(rng() % 1050),
                      static_cast<float>(rng() % 1000) / 1000.0f}});
  cPlatformFont* font = nullptr;
  cPlatformFont::Create(device, 14, 0, FW_NORMAL, 1, false, L"Arial", &font);
  std::vector<std::wstring> lines;
  for (int i = 0; i < 200; ++i)
    lines.push_back(WFormat(L"Unit %d: 3rd Panzer Corps, strength %d, supply %d%%", i, i % 10, (i * 7) % 100));
  cPlatformSprite sprite(device);

  for (auto _ : state) {
    device->Clear(0xFF000000u);
    sprite.Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_DEPTH_BACKTOFRONT);
    if (withSprites)
      for (const Item& it : items) sprite.Draw(textures[static_cast<size_t>(it.texture)], nullptr, nullptr, &it.pos, 0xFFFFFFFFu);
    for (int i = 0; i < 200; ++i) {
      RECT r{(i % 4) * 480, (i / 4) * 21, (i % 4) * 480 + 470, (i / 4) * 21 + 20};
      if (font != nullptr && withText) font->DrawText(&sprite, lines[static_cast<size_t>(i)], -1, &r, DT_LEFT, 0xFFFFFF00u);
    }
    sprite.End();
    device->Present();
  }
  if (font != nullptr) font->Release();
  for (cPlatformTexture* t : textures) t->Release();
  device->Release();
  DestroyWindow(hwnd);
  UnregisterWindowClass(L"BenchClass");
}
BENCHMARK(BM_SoftwareFrame)->Arg(1)->Arg(2)->Arg(3)->ArgName("sprites1_text2")->Unit(benchmark::kMillisecond);

}  // namespace
