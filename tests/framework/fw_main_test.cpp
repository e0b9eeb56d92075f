#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/front_end.h"
#include "core/settings.h"
#include "core/text.h"
#include "framework/fake_d3d.h"
#include "framework/fw_main.h"
#include "framework/fw_timer.h"
#include "platform/clock.h"
#include "support/sdl_test_support.h"

namespace {

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}
HRESULT gCreatedResult = S_OK;
HRESULT gResetResult = S_OK;

HRESULT OnCreated(cPlatformDevice*, const D3DSURFACE_DESC*) {
  Calls().push_back("created");
  return gCreatedResult;
}
HRESULT OnReset(cPlatformDevice*, const D3DSURFACE_DESC* d) {
  Calls().push_back("reset " + std::to_string(d->Width) + "x" + std::to_string(d->Height));
  return gResetResult;
}
void OnLost() { Calls().push_back("lost"); }
void OnDestroyed() { Calls().push_back("destroyed"); }
void OnRender(cPlatformDevice* d, double, float) {
  Calls().push_back("render");
  d->Clear(0xFF102030u);
}

// The start-up order of the program, with the test's callbacks.
void StartUp(bool windowed, int width, int height) {
  FWSetCallbackDeviceCreated(&OnCreated);
  FWSetCallbackDeviceReset(&OnReset);
  FWSetCallbackDeviceLost(&OnLost);
  FWSetCallbackDeviceDestroyed(&OnDestroyed);
  FWSetCursorSettings(true, true);
  FWInit();
  FWCreateWindow(L"Brennmark test", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
  FWCreateDevice(0, windowed, width, height);
}

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_.ticks = 1000000000;
    SetPlatformClock(&clock_);
    FWResetForTests();
    ResetDirect3DFactory();
    Calls().clear();
    gCreatedResult = gResetResult = S_OK;
    savedSleep_ = gFrameSleepMs;
    gFrameSleepMs = 0;
  }
  void TearDown() override {
    FWResetForTests();
    ResetDirect3DFactory();
    SetDestroyGameHook(nullptr);
    SetPlatformClock(nullptr);
    gFrameSleepMs = savedSleep_;
  }
  cManualClock clock_;
  uint32_t savedSleep_ = 0;
};

TEST_F(FrameworkTest, AWindowedGameKeepsTheSizeItAskedForOnASingleModeDisplay) {
  StartUp(true, 800, 600);
  ASSERT_TRUE(FWGetDeviceCreated());
  RECT client;
  ASSERT_TRUE(GetClientRect(FWGetHWND(), &client));
  EXPECT_EQ(client.Width(), 800);
  EXPECT_EQ(client.Height(), 600);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Width, 800u);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Height, 600u);
  EXPECT_TRUE(FWIsWindowed());
  EXPECT_TRUE(FWIsLockEnabled()) << "every device is made multithreaded";
  EXPECT_NE(FWGetDeviceSettings().BehaviorFlags & D3DCREATE_MULTITHREADED, 0u);
  EXPECT_NE(GetWindowStyle(FWGetHWND()) & WS_VISIBLE, 0u);
  EXPECT_EQ(std::wstring(FWGetWindowTitle()), L"Brennmark test");
  EXPECT_EQ(FWGetPauseTimeCount(), 0);
  EXPECT_EQ(FWGetPauseRenderingCount(), 0);
  EXPECT_NE(std::wstring(FWGetStaticFrameStats()).find(L"(800x600)"), std::wstring::npos);
}

TEST_F(FrameworkTest, FullScreenWithoutASizeTakesTheDesktopMode) {
  StartUp(false, 0, 0);
  ASSERT_TRUE(FWGetDeviceCreated());
  EXPECT_FALSE(FWIsWindowed());
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Width, static_cast<uint32_t>(desktop.w));
  EXPECT_EQ(FWGetFullScreenClientRect()->right, desktop.w);
  EXPECT_EQ(FWGetFullScreenClientRect()->bottom, desktop.h);
  EXPECT_EQ(GetWindowStyle(FWGetHWND()), 0x90080000u);
  EXPECT_EQ(SendMessage(FWGetHWND(), WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_EQ(SendMessage(FWGetHWND(), WM_SYSCOMMAND, SC_KEYMENU, 0), TRUE_RESULT);
  EXPECT_FALSE(FWGetAllowShortcutKeys());
}

TEST_F(FrameworkTest, AWindowIsAtLeast200AndKeepsItsSizeWhereTheDisplayHasNoDesktop) {
  StartUp(true, 100, 100);
  RECT client;
  ASSERT_TRUE(GetClientRect(FWGetHWND(), &client));
  EXPECT_EQ(client.Width(), 200);
  EXPECT_EQ(client.Height(), 200);
  FWResetForTests();
  // The dummy display lists its own mode only, smaller than the window.
  StartUp(true, 1920, 1080);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromDisplay(0), &mi));
  ASSERT_LT(mi.rcMonitor.Width(), 1920);
  ASSERT_TRUE(GetClientRect(FWGetHWND(), &client));
  EXPECT_EQ(client.Width(), 1920);
  EXPECT_EQ(client.Height(), 1080);
}

TEST_F(FrameworkTest, DeviceLossRunsLostThenResetAndShutdownLostThenDestroyed) {
  StartUp(true, 640, 480);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"created", "reset 640x480"}));
  FWSetCallbackFrameRender(&OnRender);
  Calls().clear();
  FWGetD3DDevice()->ForceDeviceLoss();
  FWRender3DEnvironment();  // Present finds the device lost
  EXPECT_TRUE(FWGetDeviceLost());
  FWRender3DEnvironment();  // resets it, then draws
  EXPECT_FALSE(FWGetDeviceLost());
  EXPECT_EQ(Calls(), (std::vector<std::string>{"render", "lost", "reset 640x480", "render"}));
  EXPECT_EQ(FWGetD3DDevice()->ResetCount(), 1);
  EXPECT_EQ(FWGetCurrentFrameNumber(), 2u);

  // SDL's own "render device reset" event does the same.
  Calls().clear();
  SDL_Event e{};
  e.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&e);
  MSG m;
  PeekMessage(&m, PM_REMOVE);
  EXPECT_TRUE(FWGetD3DDevice()->IsLost());
  FWRender3DEnvironment();
  FWRender3DEnvironment();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"render", "lost", "reset 640x480", "render"}));

  Calls().clear();
  FWShutdown();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"lost", "destroyed"}));
  EXPECT_EQ(FWGetD3DDevice(), nullptr);
  EXPECT_EQ(FWGetHWNDFocus(), nullptr);
}

TEST_F(FrameworkTest, AChangeThatFindsTheDeviceLostWaitsForItAndStillFollowsSizeChanges) {
  StartUp(true, 640, 480);
  Calls().clear();
  FWGetD3DDevice()->ForceDeviceLoss(1);  // the reset says "lost" once
  FWDeviceSettings bigger = FWGetDeviceSettings();
  bigger.pp.BackBufferWidth = 700;
  EXPECT_EQ(FWChangeDevice(&bigger, false), S_OK);
  EXPECT_TRUE(FWGetDeviceLost());
  EXPECT_FALSE(FWGetIgnoreSizeChange()) << "size changes are heard again";
  EXPECT_EQ(FWGetPauseTimeCount(), 0);
  EXPECT_EQ(FWGetPauseRenderingCount(), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"lost"}));
  FWRender3DEnvironment();  // the cooperative test still says lost
  EXPECT_TRUE(FWGetDeviceLost());
  FWRender3DEnvironment();  // now it can be reset
  EXPECT_FALSE(FWGetDeviceLost());
  EXPECT_EQ(Calls(), (std::vector<std::string>{"lost", "reset 700x480"}));
}

TEST_F(FrameworkTest, ABiggerClientAreaResetsTheDeviceToItsSize) {
  StartUp(true, 640, 480);
  Calls().clear();
  HWND hwnd = FWGetHWND();
  RECT bounds;
  GetWindowRect(hwnd, &bounds);
  SetWindowPos(hwnd, bounds.left, bounds.top, 500, 400, SWP_NOZORDER);  // as a window manager would
  SendMessage(hwnd, WM_SIZE, SIZE_MAXIMIZED, MakeLParam(500, 400));
  EXPECT_TRUE(FWGetMaximized());
  EXPECT_EQ(FWGetDeviceSettings().pp.BackBufferWidth, 500u);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Height, 400u);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"lost", "reset 500x400"}));
  Calls().clear();
  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MakeLParam(500, 400));  // same size: no reset
  EXPECT_FALSE(FWGetMaximized());
  EXPECT_TRUE(Calls().empty());
}

// A window left near the far corner of the work area grows with a new
// resolution from its old corner: it is pulled back onto the work area.
TEST_F(FrameworkTest, AResolutionChangeKeepsTheWindowOnTheDisplay) {
  StartUp(true, 1024, 768);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromDisplay(0), &mi));
  const RECT work = mi.rcWork;
  HWND hwnd = FWGetHWND();
  RECT b;
  ASSERT_TRUE(GetWindowRect(hwnd, &b));
  SetWindowPos(hwnd, work.right - b.Width() - 20, work.bottom - b.Height() - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  FWCheckForWindowSizeChange();
  ASSERT_EQ(FWCreateDevice(0, true, 1920, 1080), S_OK);
  ASSERT_TRUE(GetWindowRect(hwnd, &b));
  EXPECT_GE(b.Width(), 1920);
  EXPECT_GE(b.left, work.left);
  EXPECT_GE(b.top, work.top);
  EXPECT_LE(b.right, work.right);
  EXPECT_LE(b.bottom, work.bottom);
}

FakeD3D* gFormatFake = nullptr;
cPlatformD3D* FormatFakeFactory(uint32_t) { return gFormatFake; }

TEST_F(FrameworkTest, ALostDeviceOnADesktopOfAnotherFormatTakesTheNewFormat) {
  gFormatFake = new FakeD3D();  // the framework owns and releases it
  gFormatFake->adapters.push_back(StandardAdapter());
  gFormatFake->adapters[0].desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
  SetDirect3DFactory(&FormatFakeFactory);
  StartUp(true, 640, 480);
  ASSERT_TRUE(FWGetDeviceCreated());
  EXPECT_EQ(FWGetDeviceSettings().AdapterFormat, D3DFMT_X8R8G8B8);
  Calls().clear();
  gFormatFake->adapters[0].desktop.Format = D3DFMT_R5G6B5;
  FWGetD3DDevice()->ForceDeviceLoss();
  FWSetDeviceLost(true);
  FWRender3DEnvironment();
  EXPECT_EQ(FWGetDeviceSettings().AdapterFormat, D3DFMT_R5G6B5);
  EXPECT_EQ(FWGetDeviceSettings().pp.BackBufferWidth, 640u);
  // Same adapter, device type and behaviour: the device is reset for the new format.
  EXPECT_EQ(Calls(), (std::vector<std::string>{"lost", "reset 640x480"}));
  EXPECT_EQ(gFormatFake->creates, 1);
  EXPECT_EQ(FWGetD3DDevice()->PresentParameters().BackBufferFormat, D3DFMT_R5G6B5);
}

TEST_F(FrameworkTest, FrameSleepsFollowTheLimitTheLossAndTheActiveFlag) {
  StartUp(true, 640, 480);
  struct Case {
    uint32_t frameSleep;
    bool active;
    int lostTests;  // device answers lost this many times (-1: not lost)
    bool paused;
    std::vector<uint32_t> sleeps;
  } cases[] = {
      {0, true, -1, false, {}},
      {33, true, -1, false, {33}},
      {0, false, -1, false, {50}},
      {0, false, 5, false, {200, 50, 200}},  // 250 before testing the device, 200 after
      {16, true, 5, false, {200, 16, 200}},
      {0, true, -1, true, {200}},
  };
  for (const Case& c : cases) {
    gFrameSleepMs = c.frameSleep;
    FWSetActive(c.active);
    if (c.lostTests >= 0) {
      FWGetD3DDevice()->ForceDeviceLoss(c.lostTests);
      FWSetDeviceLost(true);
    }
    if (c.paused) FWPause(false, true);
    clock_.sleeps.clear();
    FWRender3DEnvironment();
    EXPECT_EQ(clock_.sleeps, c.sleeps) << "sleep " << c.frameSleep << " active " << c.active;
    if (c.paused) FWPause(false, false);
    if (c.lostTests >= 0) {
      FWGetD3DDevice()->ForceDeviceLoss(0);
      FWRender3DEnvironment();
      EXPECT_FALSE(FWGetDeviceLost());
    }
  }
}

TEST_F(FrameworkTest, FrameLimitSettingGivesTheSleep) {
  struct Case {
    const char* value;
    uint32_t sleep;
  } cases[] = {{"0", 0}, {"30", 33}, {"60", 16}, {"1000", 1}, {"1001", 0}, {"-5", 0}};
  for (const Case& c : cases) {
    const std::string path = ::testing::TempDir() + "fw_limit_Settings.ini";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "[Main]\r\nFPSLimit=%s\r\n", c.value);
    std::fclose(f);
    LoadSettings(Utf8ToWide(path));
    EXPECT_EQ(gFrameSleepMs, c.sleep) << "limit " << c.value;
    std::remove(path.c_str());
  }
}

TEST_F(FrameworkTest, ActiveStartsTrueAndDropsOnlyOnARealFocusLoss) {
  EXPECT_TRUE(FWIsActive()) << "before anything else";
  StartUp(true, 640, 480);
  for (int i = 0; i < 3; ++i) {
    MSG m;
    while (PeekMessage(&m, PM_REMOVE)) DispatchMessage(&m);  // whatever the window system sends at start
    FWRender3DEnvironment();
  }
  EXPECT_TRUE(FWIsActive());
  EXPECT_TRUE(clock_.sleeps.empty()) << "with no window manager no frame sleeps";
  SendMessage(FWGetHWND(), WM_ACTIVATEAPP, 0, 0);
  EXPECT_FALSE(FWIsActive());
  EXPECT_TRUE(FWGetAllowShortcutKeys());
  SendMessage(FWGetHWND(), WM_ACTIVATEAPP, 1, 0);
  EXPECT_TRUE(FWIsActive());
}

TEST_F(FrameworkTest, PauseCountsNeverGoBelowZeroAndStopTheClock) {
  CFWTimer* timer = FWGetGlobalTimer();
  timer->Reset();
  FWPause(true, true);
  FWPause(true, false);  // rendering: one up, one down
  EXPECT_EQ(FWGetPauseTimeCount(), 2);
  EXPECT_EQ(FWGetPauseRenderingCount(), 0);
  EXPECT_FALSE(FWIsRenderingPaused());
  EXPECT_TRUE(FWIsTimePaused());
  const double t = timer->GetTime();
  clock_.AdvanceMs(500);
  EXPECT_DOUBLE_EQ(timer->GetTime(), t);
  FWPause(false, false);
  FWPause(false, false);
  FWPause(false, false);
  EXPECT_EQ(FWGetPauseTimeCount(), 0);
  EXPECT_EQ(FWGetPauseRenderingCount(), 0);
  EXPECT_FALSE(FWIsRenderingPaused());
  clock_.AdvanceMs(250);
  EXPECT_NEAR(timer->GetTime(), t + 0.25, 1e-9);
}

std::vector<std::string>& Input() {
  static std::vector<std::string> v;
  return v;
}
void OnKey(UINT key, bool down, bool alt) {
  Input().push_back("key " + std::to_string(key) + (down ? " down" : " up") + (alt ? " alt" : ""));
}
void OnMouse(bool l, bool r, bool m, bool s1, bool s2, int wheel, int x, int y) {
  Input().push_back("mouse " + std::to_string(l) + std::to_string(r) + std::to_string(m) + std::to_string(s1) +
                    std::to_string(s2) + " " + std::to_string(wheel) + " " + std::to_string(x) + "," +
                    std::to_string(y));
}

TEST_F(FrameworkTest, KeysAndMouseReachTheCallbacksWithTheirButtonsAndClientPositions) {
  StartUp(true, 640, 480);
  FWSetCallbackKeyboard(&OnKey);
  FWSetCallbackMouse(&OnMouse, false);
  Input().clear();
  HWND hwnd = FWGetHWND();
  SendMessage(hwnd, WM_SYSKEYDOWN, 'F', KF_ALTDOWN_BIT | 1);
  EXPECT_TRUE(FWGetKeyState('F'));
  SendMessage(hwnd, WM_KEYUP, 'F', 1);
  EXPECT_FALSE(FWGetKeyState('F'));
  SendMessage(hwnd, WM_RBUTTONDOWN, MK_RBUTTON | MK_XBUTTON2, MakeLParam(-3, 40));
  SendMessage(hwnd, WM_MOUSEMOVE, 0, MakeLParam(5, 5));  // not passed: moves were not asked for
  RECT bounds;
  GetWindowRect(hwnd, &bounds);
  SendMessage(hwnd, WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16) | MK_LBUTTON,
              MakeLParam(bounds.left + 30, bounds.top + 20));
  FWSetCallbackMouse(&OnMouse, true);
  SendMessage(hwnd, WM_MOUSEMOVE, MK_MBUTTON, MakeLParam(7, 8));
  EXPECT_EQ(Input(), (std::vector<std::string>{"key 70 down alt", "key 70 up", "mouse 01001 0 -3,40",
                                               "mouse 10000 -120 30,20", "mouse 00100 0 7,8"}));
  EXPECT_TRUE(FWGetMouseButton(1));
}

bool gWindowAliveAtDestroy = false;
int gDestroyCalls = 0;
void RecordDestroy() {
  ++gDestroyCalls;
  gWindowAliveAtDestroy = IsWindow(FWGetHWNDFocus());
}

HRESULT gNestedLoop = S_OK;
void NestedLoopFrame(cPlatformDevice*, double, float) {
  gNestedLoop = FWMainLoop(nullptr);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&e);
}

TEST_F(FrameworkTest, MainLoopRunsUntilTheWindowClosesAndTheGameGoesBeforeTheWindow) {
  StartUp(true, 640, 480);
  SetDestroyGameHook(&RecordDestroy);
  gDestroyCalls = 0;
  FWSetCallbackFrameMove(&NestedLoopFrame);
  EXPECT_EQ(FWMainLoop(nullptr), S_OK);
  EXPECT_EQ(gNestedLoop, E_FAIL) << "a second loop from inside a callback";
  EXPECT_EQ(gDestroyCalls, 1);
  EXPECT_TRUE(gWindowAliveAtDestroy);
  EXPECT_EQ(FWGetHWNDFocus(), nullptr);
  EXPECT_FALSE(FWGetInsideMainloop());
  EXPECT_EQ(FWGetExitCode(), 0);
}

TEST_F(FrameworkTest, MinimisingPausesAndRestoringResumes) {
  StartUp(true, 640, 480);
  HWND hwnd = FWGetHWND();
  SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_TRUE(FWGetMinimized());
  EXPECT_TRUE(FWIsRenderingPaused());
  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MakeLParam(640, 480));
  EXPECT_FALSE(FWGetMinimized());
  EXPECT_FALSE(FWIsRenderingPaused());
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_TRUE(FWIsTimePaused());
  SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(FWIsTimePaused());
}

TEST_F(FrameworkTest, AMainLoopWithoutAnyStartUpMakesTheDefaultDevice) {
  FWInit();
  FWSetCallbackFrameMove(&NestedLoopFrame);
  EXPECT_EQ(FWMainLoop(nullptr), S_OK);
  EXPECT_EQ(std::wstring(FWGetWindowTitle()), L"Direct3D Window");
}

// ---- failed start-up steps end the process with their exit codes ----

FakeD3D* gFake = nullptr;
cPlatformD3D* FakeFactory(uint32_t) { return gFake; }

[[noreturn]] void StartAndExit(bool runLoop) {
  StartUp(true, 640, 480);
  if (runLoop) FWMainLoop(nullptr);
  std::_Exit(FWGetExitCode());
}

using FrameworkDeathTest = FrameworkTest;

TEST_F(FrameworkDeathTest, FailedStartUpStepsExitWithTheirCodes) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  SetDirect3DFactory(nullptr);
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(2), "") << "no graphics library";
  ResetDirect3DFactory();

  SetDirect3DFactory(&FakeFactory);
  gFake = new FakeD3D();
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(3), "") << "no adapter";
  gFake->adapters.push_back(StandardAdapter());
  gFake->adapters[0].desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
  gFake->failCreate = true;
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(6), "") << "device creation fails";
  delete gFake;
  gFake = nullptr;
  ResetDirect3DFactory();

  gCreatedResult = E_FAIL;
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(8), "") << "device objects cannot be created";
  gCreatedResult = FWERR_MEDIANOTFOUND;
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(4), "") << "media not found";
  gCreatedResult = S_OK;
  gResetResult = E_FAIL;
  EXPECT_EXIT(StartAndExit(true), ::testing::ExitedWithCode(9), "") << "device objects cannot be reset";
  gResetResult = S_OK;

  // A window made before initialisation fails, so no device can follow.
  EXPECT_EXIT(
      {
        FWCreateWindow(L"early", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
        FWInit();
        FWCreateDevice(0, true, 640, 480);
        FWMainLoop(nullptr);
        std::_Exit(FWGetExitCode());
      },
      ::testing::ExitedWithCode(1), "");
}

TEST(FrameworkExitCodes, EveryResultCodeHasItsExitCode) {
  const std::pair<uint32_t, int> table[] = {{0x80040901u, 2}, {0x80040902u, 3}, {0x80040903u, 4}, {0x80040904u, 5},
                                            {0x80040905u, 6}, {0x80040906u, 7}, {0x80040907u, 8}, {0x80040908u, 9},
                                            {0x80040909u, 10}, {0x80041001u, 0}, {0x80004005u, 1}, {0u, 1}};
  for (auto [code, exit] : table) {
    EXPECT_EQ(FWExitCodeOf(static_cast<HRESULT>(code)), exit) << std::hex << code;
    FWDisplayErrorMessage(static_cast<HRESULT>(code));
    EXPECT_EQ(FWGetExitCode(), exit);
  }
  FWSetExitCode(0);
}

}  // namespace
