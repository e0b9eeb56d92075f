#pragma once
// Helpers of the platform and framework tests: dummy video and audio
// drivers with the software renderer, a window whose messages are
// recorded, a device on it, SDL events pushed as a user's input, and pixels
// read back.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <vector>

#include "platform/device.h"
#include "platform/window.h"

namespace sdl_test {

// Tests never open a real display unless they ask for one.
inline const bool kDummyDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  PlatformUseSoftwareRenderer(true);
  return true;
}();

inline std::vector<MSG>& Recorded() {
  static std::vector<MSG> messages;
  return messages;
}

// Records every message, then handles it as the default procedure does,
// with WM_DESTROY posting the quit as an application's window would.
inline LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  Recorded().push_back(MSG{hwnd, msg, w, l, 0, {}});
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProc(hwnd, msg, w, l);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformInitVideo());
    FlushMessageQueue();
    RegisterWindowClass(L"TestClass", CS_DBLCLKS, &RecordingProc);
    hwnd = CreatePlatformWindow(L"TestClass", L"test", 0, 10, 20, 320, 240);
    ASSERT_NE(hwnd, nullptr);
    FlushMessageQueue();
    Recorded().clear();
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    UnregisterWindowClass(L"TestClass");
    FlushMessageQueue();
  }

  // Dispatches everything queued (pumping SDL) and returns the messages the
  // window received, the quit included as WM_QUIT.
  std::vector<MSG> Drain() {
    MSG m;
    while (PeekMessage(&m, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        Recorded().push_back(m);
        break;
      }
      DispatchMessage(&m);
    }
    std::vector<MSG> out = Recorded();
    Recorded().clear();
    return out;
  }

  static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1); }

  static void Key(SDL_Keycode sym, bool down, uint16_t mod = KMOD_NONE, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    Push(e);
  }

  static void Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof(e.text.text) - 1);
    Push(e);
  }

  static void Button(int button, bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    Push(e);
  }

  static void Wheel(int steps, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = steps;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    Push(e);
  }

  static void WindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = static_cast<Uint8>(id);
    Push(e);
  }

  HWND hwnd = nullptr;
};

// A window with a software device on it, cleared black. A fixture that
// wants a back buffer of its own size sets it before SetUp; 0 keeps the
// window's.
class DeviceWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) return;
    D3DPRESENT_PARAMETERS pp;
    if (backBufferWidth > 0) {
      pp.BackBufferWidth = backBufferWidth;
      pp.BackBufferHeight = backBufferHeight;
    }
    pp.Windowed = 1;
    ASSERT_EQ(cPlatformDevice::Create(hwnd, pp, &device), S_OK);
    device->Clear(0xFF000000u);
  }
  void TearDown() override {
    if (device != nullptr) device->Release();
    device = nullptr;
    WindowTest::TearDown();
  }

  int backBufferWidth = 0;
  int backBufferHeight = 0;
  cPlatformDevice* device = nullptr;
};

// The messages of the given kind, in order.
inline std::vector<MSG> Only(const std::vector<MSG>& all, std::initializer_list<UINT> kinds) {
  std::vector<MSG> out;
  for (const MSG& m : all)
    for (UINT k : kinds)
      if (m.message == k) out.push_back(m);
  return out;
}

// One pixel of the frame drawn so far, A8R8G8B8.
inline uint32_t PixelAt(cPlatformDevice* device, int x, int y) {
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  if (!device->ReadPixels(px, w, h) || x < 0 || y < 0 || x >= w || y >= h) return 0xDEADBEEFu;
  return px[static_cast<size_t>(y) * w + x] | 0xFF000000u;
}

}  // namespace sdl_test
