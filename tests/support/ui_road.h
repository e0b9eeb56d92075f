#pragma once
// The program's user interface brought up in-process as start-up brings it
// up (layout table, string base, front end, window and device with the
// game's callbacks) under the dummy drivers, with a click on a control's
// layout rectangle, one frame, and a screenshot saved as a PNG under the
// build folder.
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app.h"
#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "framework/fw_main.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "platform/d3d.h"
#include "platform/device.h"
#include "screens/menu.h"
#include "screens/ui_front_end.h"
#include "support/sdl_test_support.h"
#include "world/game.h"

namespace ui_road {

inline std::string ScreenshotDir() {
  const std::string dir = std::string(BRENNMARK_GAME_DIR) + "/../screenshots";
  std::filesystem::create_directories(dir);
  return dir;
}

// The displays of the dummy driver, with a desktop large enough for every
// window size a test asks for (the dummy display itself is 1024 x 768).
class cRoadD3D : public cPlatformD3D {
 public:
  static inline int minWidth = 0, minHeight = 0;
  static cPlatformD3D* Make(uint32_t) {
    cPlatformD3D* inner = CreateSdlD3D();
    return inner != nullptr ? new cRoadD3D(inner) : nullptr;
  }
  explicit cRoadD3D(cPlatformD3D* inner) : inner_(inner) {}
  ~cRoadD3D() override { inner_->Release(); }
  uint32_t GetAdapterCount() override { return inner_->GetAdapterCount(); }
  HRESULT GetAdapterIdentifier(uint32_t a, D3DADAPTER_IDENTIFIER9* id) override {
    return inner_->GetAdapterIdentifier(a, id);
  }
  uint32_t GetAdapterModeCount(uint32_t a, D3DFORMAT f) override { return inner_->GetAdapterModeCount(a, f); }
  HRESULT EnumAdapterModes(uint32_t a, D3DFORMAT f, uint32_t m, D3DDISPLAYMODE* out) override {
    return inner_->EnumAdapterModes(a, f, m, out);
  }
  HRESULT GetAdapterDisplayMode(uint32_t a, D3DDISPLAYMODE* out) override {
    return inner_->GetAdapterDisplayMode(a, out);
  }
  HRESULT GetDeviceCaps(uint32_t a, D3DDEVTYPE t, D3DCAPS9* caps) override { return inner_->GetDeviceCaps(a, t, caps); }
  HRESULT CheckDeviceType(uint32_t a, D3DDEVTYPE t, D3DFORMAT af, D3DFORMAT bb, bool w) override {
    return inner_->CheckDeviceType(a, t, af, bb, w);
  }
  HRESULT CheckDeviceFormat(uint32_t a, D3DDEVTYPE t, D3DFORMAT af, uint32_t u, D3DRESOURCETYPE r,
                            D3DFORMAT f) override {
    return inner_->CheckDeviceFormat(a, t, af, u, r, f);
  }
  HRESULT CheckDepthStencilMatch(uint32_t a, D3DDEVTYPE t, D3DFORMAT af, D3DFORMAT rt, D3DFORMAT ds) override {
    return inner_->CheckDepthStencilMatch(a, t, af, rt, ds);
  }
  HRESULT CheckDeviceMultiSampleType(uint32_t a, D3DDEVTYPE t, D3DFORMAT f, bool w, D3DMULTISAMPLE_TYPE ms,
                                     uint32_t* q) override {
    return inner_->CheckDeviceMultiSampleType(a, t, f, w, ms, q);
  }
  HMONITOR GetAdapterMonitor(uint32_t a) override { return inner_->GetAdapterMonitor(a); }
  RECT GetAdapterWorkArea(uint32_t a) override {
    RECT r = inner_->GetAdapterWorkArea(a);
    r.right = std::max<int32_t>(r.right, r.left + minWidth);
    r.bottom = std::max<int32_t>(r.bottom, r.top + minHeight);
    return r;
  }
  HRESULT CreateDevice(uint32_t a, D3DDEVTYPE t, HWND focus, uint32_t flags, D3DPRESENT_PARAMETERS* pp,
                       cPlatformDevice** out) override {
    return inner_->CreateDevice(a, t, focus, flags, pp, out);
  }

 private:
  cPlatformD3D* inner_;
};

// The game folder as the working directory, the UI up at width x height.
class UiRoad {
 public:
  bool Start(int width, int height) {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(BRENNMARK_GAME_DIR);
    // The road plays in the game folder: the player's preferences there are
    // put back at the end.
    {
      std::ifstream in("Settings.ini", std::ios::binary);
      if (in) settingsBefore_.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (!std::filesystem::exists("data/GUI_" + std::to_string(width) + "x" + std::to_string(height) + ".csv"))
      return false;
    CreateGameLock();
    FWResetForTests();
    // Fonts and pictures of an earlier test's device are not this one's.
    GetGlobalDialogResourceManager()->ClearForTests();
    cRoadD3D::minWidth = width;
    cRoadD3D::minHeight = height;
    SetDirect3DFactory(&cRoadD3D::Make);
    clock.ticks = 1000000000;
    SetPlatformClock(&clock);
    gFrameSleepMs = 0;
    gProgramSettings.resolutionX = width;
    gProgramSettings.resolutionY = height;
    gProgramSettings.windowed = true;
    LoadGuiLayout();
    gStringTable.Load("lang_LANGID.db", true);
    InstallUiFrontEnd();
    InstallFrameworkCallbacks();
    FWInit();
    FWCreateWindow(L"Brennmark road", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
    FWCreateDevice(0, true, width, height);
    width_ = width;
    height_ = height;
    return FWGetD3DDevice() != nullptr;
  }
  ~UiRoad() {
    DestroyGameAndPictures();
    DestroyAllMenus();
    ResetDialogStack();
    FWResetForTests();
    ResetDirect3DFactory();
    DropUiFrontEnd();
    SetPlatformClock(nullptr);
    if (!settingsBefore_.empty()) std::ofstream("Settings.ini", std::ios::binary) << settingsBefore_;
    if (!previous_.empty()) std::filesystem::current_path(previous_);
  }

  // A click in the middle of the control's layout rectangle, as the window
  // delivers it.
  void ClickLayout(int id) {
    const sGuiRect r = GuiRect(id);
    ASSERT_GT(r.w, 0) << "layout row " << id;
    const LPARAM at = MakeLParam(r.x + r.w / 2, r.y + r.h / 2);
    HWND hwnd = FWGetHWND();
    FWStaticWndProc(hwnd, WM_MOUSEMOVE, 0, at);
    FWStaticWndProc(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    FWStaticWndProc(hwnd, WM_LBUTTONUP, 0, at);
  }
  // Controls fade in: a second of frame time lets them settle.
  void Frame() {
    clock.AdvanceMs(1000);
    FWRender3DEnvironment();
  }
  // One frame, kept as <name>_<W>x<H>.png; gives the frame's pixels.
  std::vector<uint32_t> Shot(const std::string& name) {
    Frame();
    std::vector<uint32_t> px;
    int w = 0, h = 0;
    if (!FWGetD3DDevice()->ReadPixels(px, w, h)) return {};
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
    const std::string path =
        ScreenshotDir() + "/" + name + "_" + std::to_string(width_) + "x" + std::to_string(height_) + ".png";
    EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << path;
    SDL_FreeSurface(s);
    return px;
  }

  cManualClock clock;

 private:
  std::filesystem::path previous_;
  std::string settingsBefore_;
  int width_ = 0, height_ = 0;
};

}  // namespace ui_road
