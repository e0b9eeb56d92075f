#include "framework/fw_main.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <string>

#include "core/console.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "core/text.h"
#include "framework/fw_enumeration.h"
#include "framework/fw_timer.h"
#include "framework/texture.h"
#include "platform/clock.h"
#include "platform/d3d.h"
#include "platform/device.h"
#include "platform/window.h"

uint32_t& gFrameSleepMs = gProgramSettings.frameDelayMs;

namespace {
const wchar_t kWindowClass[] = L"Direct3DWindowClass";
constexpr DWORD kFullScreenStyle = 0x90080000u;  // popup, visible, system menu
FWMusicMuteFn gMusicMute = nullptr;

// Sets the re-entry guard around one callback.
class cInsideCallback {
 public:
  cInsideCallback() { FWSetInsideDeviceCallback(true); }
  ~cInsideCallback() { FWSetInsideDeviceCallback(false); }
  cInsideCallback(const cInsideCallback&) = delete;
  cInsideCallback& operator=(const cInsideCallback&) = delete;
};

HRESULT ObjectsError(HRESULT hr, HRESULT otherwise) { return hr == FWERR_MEDIANOTFOUND ? hr : otherwise; }

bool NeedsShutdown(HRESULT hr) { return hr == FWERR_RESETTINGDEVICEOBJECTS || hr == FWERR_MEDIANOTFOUND; }

void RunDeviceLost() {
  cInsideCallback guard;
  if (cFWResourceHandlers* r = FWGetResourceHandlers()) r->OnLostDevice();
  if (LPFWCALLBACKDEVICELOST fn = FWGetDeviceLostFunc()) fn();
}

void ReadWindowRects(HWND hwnd) {
  RECT client, bounds;
  if (GetClientRect(hwnd, &client)) FWSetWindowClientRect(client);
  if (GetWindowRect(hwnd, &bounds)) FWSetWindowBoundsRect(bounds);
}
}  // namespace

void FWSetMusicMuteHandler(FWMusicMuteFn fn) { gMusicMute = fn; }

int FWExitCodeOf(HRESULT hr) {
  switch (static_cast<uint32_t>(hr)) {
    case 0x80040901u: return 2;
    case 0x80040902u: return 3;
    case 0x80040903u: return 4;
    case 0x80040904u: return 5;
    case 0x80040905u: return 6;
    case 0x80040906u: return 7;
    case 0x80040907u: return 8;
    case 0x80040908u: return 9;
    case 0x80040909u: return 10;
    case 0x80041001u: return 0;
    default: return 1;
  }
}

void FWDisplayErrorMessage(HRESULT hr) {
  const int code = FWExitCodeOf(hr);
  gConsole.AddFormatted(L"Framework: error 0x%08X, exit code %d", static_cast<unsigned>(hr), code);
  FWSetExitCode(code);
}

HRESULT FWInit() {
  FWSetFWInitCalled(true);
  // The accessibility records and the timer resolution have no equivalent
  // here: the saved records stay zero and sleeps are already fine-grained.
  // The graphics library the program runs with must be the one it was built for.
  SDL_version linked;
  SDL_GetVersion(&linked);
  if (linked.major != SDL_MAJOR_VERSION) {
    FWDisplayErrorMessage(FWERR_INCORRECTVERSION);
    return FWERR_INCORRECTVERSION;
  }
  if (FWGetD3D() == nullptr) {
    cPlatformD3D* d3d = FWDynamicDirect3DCreate9(D3D_SDK_VERSION);
    if (d3d == nullptr) {
      FWDisplayErrorMessage(FWERR_NODIRECT3D);
      return FWERR_NODIRECT3D;
    }
    FWSetD3D(d3d);
  }
  FWGetGlobalTimer()->Reset();
  FWSetFWInited(true);
  return S_OK;
}

HRESULT FWCreateWindow(const wchar_t* title, HINSTANCE, HICON, HMENU menu, int x, int y) {
  if (FWGetInsideDeviceCallback()) return E_FAIL;
  FWSetWindowCreateCalled(true);
  if (!FWGetFWInited()) return E_FAIL;
  if (FWGetHWNDFocus() == nullptr) {
    const int err = RegisterWindowClass(kWindowClass, CS_DBLCLKS, &FWStaticWndProc);
    if (err != 0 && err != ERROR_CLASS_ALREADY_EXISTS) return HresultFromWin32(static_cast<uint32_t>(err));
    FWSetWindowedStyleAtModeChange(kFWDefaultWindowedStyle);
    FWSetWindowCreatedWithDefaultPositions(x == CW_USEDEFAULT && y == CW_USEDEFAULT);
    RECT rc{0, 0, 640, 480};
    AdjustWindowRect(&rc, kFWDefaultWindowedStyle, menu != nullptr);
    FWSetWindowTitle(title != nullptr ? title : L"");
    FWSetMenu(menu);
    HWND hwnd = CreatePlatformWindow(kWindowClass, FWGetWindowTitle(), kFWDefaultWindowedStyle, x, y, rc.Width(),
                                     rc.Height());
    if (hwnd == nullptr) return E_FAIL;
    ReadWindowRects(hwnd);
    FWSetWindowCreated(true);
    FWSetHWNDFocus(hwnd);
    FWSetHWNDDeviceFullScreen(hwnd);
    FWSetHWNDDeviceWindowed(hwnd);
  }
  return S_OK;
}

HRESULT FWCreateDevice(uint32_t adapterOrdinal, bool windowed, int width, int height) {
  if (FWGetInsideDeviceCallback()) return E_FAIL;
  FWSetDeviceCreateCalled(true);
  if (!FWGetWindowCreated()) {
    if (FWGetWindowCreateCalled()) return E_FAIL;
    HRESULT hr = FWCreateWindow(L"Direct3D Window", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
    if (FAILED(hr)) return hr;
  }
  FWPrepareEnumerationObject(true);

  FWMatchOptions options;
  options.eAdapterOrdinal = FWMT_PRESERVE_INPUT;
  options.eDeviceType = FWMT_IGNORE_INPUT;
  options.eWindowed = FWMT_PRESERVE_INPUT;
  options.eAdapterFormat = FWMT_IGNORE_INPUT;
  options.eVertexProcessing = FWMT_IGNORE_INPUT;
  options.eResolution = FWMT_CLOSEST_TO_INPUT;
  options.ePresentInterval = FWMT_PRESERVE_INPUT;

  FWDeviceSettings wanted;
  wanted.AdapterOrdinal = adapterOrdinal;
  wanted.pp.Windowed = windowed ? 1 : 0;
  wanted.pp.BackBufferWidth = static_cast<uint32_t>(std::max(width, 0));
  wanted.pp.BackBufferHeight = static_cast<uint32_t>(std::max(height, 0));
  wanted.pp.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;

  FWDeviceSettings valid;
  HRESULT hr = FWFindValidDeviceSettings(&valid, &wanted, &options);
  if (FAILED(hr)) {
    FWDisplayErrorMessage(hr);
    return hr;
  }
  valid.BehaviorFlags |= D3DCREATE_MULTITHREADED;
  return FWChangeDevice(&valid, false);
}

HRESULT FWChangeDevice(const FWDeviceSettings* newSettings, bool forceRecreate) {
  cPlatformD3D* d3d = FWGetD3D();
  if (d3d == nullptr) return S_FALSE;
  if (newSettings == nullptr) return E_INVALIDARG;
  FWDeviceSettings* old = FWGetCurrentDeviceSettings();
  auto* settings = new FWDeviceSettings(*newSettings);
  FWSetCurrentDeviceSettings(settings);

  FWPause(true, true);
  FWSetIgnoreSizeChange(true);
  FWSetLockEnabled((settings->BehaviorFlags & D3DCREATE_MULTITHREADED) != 0);

  const bool windowed = settings->pp.Windowed != 0;
  if (windowed) {
    settings->pp.BackBufferWidth = std::max<uint32_t>(settings->pp.BackBufferWidth, 200);
    settings->pp.BackBufferHeight = std::max<uint32_t>(settings->pp.BackBufferHeight, 200);
    RECT client{0, 0, static_cast<int32_t>(settings->pp.BackBufferWidth),
                static_cast<int32_t>(settings->pp.BackBufferHeight)};
    RECT bounds = client;
    AdjustWindowRect(&bounds, FWGetWindowedStyleAtModeChange(), FWGetMenu() != nullptr);
    const RECT was = *FWGetWindowBoundsRect();
    bounds = {was.left, was.top, was.left + bounds.Width(), was.top + bounds.Height()};
    FWSetWindowClientRect(client);
    FWSetWindowBoundsRect(bounds);
  }
  FWAllowShortcutKeys(windowed ? FWGetAllowShortcutKeysWhenWindowed() : FWGetAllowShortcutKeysWhenFullscreen());

  bool reset = false;
  cPlatformDevice* device = FWGetD3DDevice();
  if (forceRecreate) {
    FWCleanup3DEnvironment(false);
  } else if (device != nullptr && old != nullptr && old->AdapterOrdinal == settings->AdapterOrdinal &&
             old->DeviceType == settings->DeviceType && old->BehaviorFlags == settings->BehaviorFlags) {
    HRESULT hr = FWReset3DEnvironment();
    if (SUCCEEDED(hr)) {
      reset = true;
    } else if (hr == D3DERR_DEVICELOST) {
      delete old;
      FWPause(false, false);
      FWSetIgnoreSizeChange(false);
      FWSetDeviceLost(true);
      return S_OK;
    } else if (NeedsShutdown(hr)) {
      FWDisplayErrorMessage(hr);
      delete old;
      FWPause(false, false);
      FWSetIgnoreSizeChange(false);
      FWShutdown();
      return hr;
    } else {
      // Back to the old settings on a new device.
      FWSetCurrentDeviceSettings(old);
      const FWDeviceSettings previous = *old;
      delete settings;
      FWPause(false, false);
      FWSetIgnoreSizeChange(false);
      hr = FWChangeDevice(&previous, true);
      if (FAILED(hr)) {
        FWDisplayErrorMessage(FWERR_CREATINGDEVICE);
        FWShutdown();
      }
      return hr;
    }
  } else if (device != nullptr) {
    FWCleanup3DEnvironment(false);
  }

  if (!reset) {
    if (old == nullptr && settings->DeviceType == D3DDEVTYPE_REF) FWDisplayErrorMessage(FWERR_SWITCHEDTOREF);
    cPlatformDevice* created = nullptr;
    HRESULT hr = d3d->CreateDevice(settings->AdapterOrdinal, settings->DeviceType, FWGetHWNDFocus(),
                                   settings->BehaviorFlags, &settings->pp, &created);
    if (FAILED(hr)) {
      delete old;
      FWPause(false, false);
      FWSetIgnoreSizeChange(false);
      FWDisplayErrorMessage(FWERR_CREATINGDEVICE);
      return hr;
    }
    FWSetD3DDevice(created);
    hr = FWCreate3DEnvironment();
    if (FAILED(hr)) {
      delete old;
      FWDisplayErrorMessage(hr);
      FWPause(false, false);
      FWSetIgnoreSizeChange(false);
      return hr;
    }
  }

  delete old;
  FWSetAdapterMonitor(d3d->GetAdapterMonitor(settings->AdapterOrdinal));

  HWND hwnd = FWGetHWNDDeviceWindowed();
  if (windowed && hwnd != nullptr) {
    const RECT bounds = *FWGetWindowBoundsRect();
    SetWindowPos(hwnd, bounds.left, bounds.top, bounds.Width(), bounds.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    FWSetWindowedStyleAtModeChange(FWGetWindowedStyleAtModeChange() | WS_VISIBLE);
    MONITORINFO adapterInfo, windowInfo;
    const bool haveAdapter = GetMonitorInfo(FWGetAdapterMonitor(), &adapterInfo);
    const bool haveWindow = GetMonitorInfo(MonitorFromWindow(hwnd), &windowInfo);
    if (haveAdapter && haveWindow) {
      const RECT work = adapterInfo.rcWork;
      const int winW = bounds.Width(), winH = bounds.Height();
      int offX = bounds.left - work.left, offY = bounds.top - work.top;
      if (FWGetWindowCreatedWithDefaultPositions()) {
        FWSetWindowCreatedWithDefaultPositions(false);
        if (bounds.right > work.right || bounds.left < work.left) offX = (work.Width() - winW) / 2;
        if (bounds.bottom > work.bottom || bounds.top < work.top) offY = (work.Height() - winH) / 2;
      }
      // A new size keeps the old corner: the window is pulled back onto the
      // work area, its top left corner first when it is larger.
      offX = std::max(0, std::min(offX, work.Width() - winW));
      offY = std::max(0, std::min(offY, work.Height() - winH));
      SetWindowPos(hwnd, work.left + offX, work.top + offY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    } else {
      SetWindowPos(hwnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
    ReadWindowRects(hwnd);
  } else if (!windowed) {
    FWSetFullScreenClientRect(
        {0, 0, static_cast<int32_t>(settings->pp.BackBufferWidth), static_cast<int32_t>(settings->pp.BackBufferHeight)});
    if (hwnd != nullptr) ShowWindow(hwnd, SW_SHOWNORMAL);
  }

  FWSetIgnoreSizeChange(false);
  FWPause(false, false);
  FWSetDeviceCreated(true);
  return S_OK;
}

void FWSetWindowStyleForMode(bool windowed) {
  HWND hwnd = FWGetHWNDFocus();
  if (hwnd == nullptr) return;
  if (windowed) {
    SetWindowStyle(hwnd, FWGetWindowedStyleAtModeChange());
  } else {
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetWindowStyle(hwnd, kFullScreenStyle);
  }
}

void FWUpdateBackBufferAndCursor() {
  FWUpdateStaticFrameStats();
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return;
  D3DSURFACE_DESC desc;
  device->GetBackBufferDesc(&desc);
  FWSetBackBufferSurfaceDesc(desc);
  D3DCAPS9 caps;
  device->GetCaps(&caps);
  FWSetDeviceCaps(caps);
  const bool windowed = FWIsWindowed();
  if (!windowed && FWGetShowCursorWhenFullScreen()) {
    FWSetDeviceCursor(device, false);
    device->ShowCursor(true);
  }
  if (!windowed && FWGetClipCursorWhenFullScreen()) {
    RECT bounds = *FWGetWindowBoundsRect();
    ClipCursor(FWGetHWNDFocus(), &bounds);
  } else {
    ClipCursor(FWGetHWNDFocus(), nullptr);
  }
}

HRESULT FWCreate3DEnvironment() {
  cPlatformDevice* device = FWGetD3DDevice();
  FWSetDeviceObjectsCreated(false);
  FWSetDeviceObjectsReset(false);
  FWSetWindowStyleForMode(FWIsWindowed());
  FWUpdateBackBufferAndCursor();
  cFWResourceHandlers* res = FWGetResourceHandlers();
  if (res != nullptr) {
    HRESULT hr = res->OnCreateDevice(device);
    if (FAILED(hr)) return ObjectsError(hr, FWERR_CREATINGDEVICEOBJECTS);
  }
  if (LPFWCALLBACKDEVICECREATED fn = FWGetDeviceCreatedFunc()) {
    HRESULT hr;
    {
      cInsideCallback guard;
      hr = fn(device, FWGetBackBufferSurfaceDesc());
    }
    if (FWGetD3DDevice() == nullptr) return FWERR_NODIRECT3D;  // shut down from inside the callback
    if (FAILED(hr)) {
      FWCleanup3DEnvironment(true);
      return ObjectsError(hr, FWERR_CREATINGDEVICEOBJECTS);
    }
  }
  if (res != nullptr && FAILED(res->OnResetDevice())) return FWERR_RESETTINGDEVICEOBJECTS;
  FWSetDeviceObjectsCreated(true);
  if (LPFWCALLBACKDEVICERESET fn = FWGetDeviceResetFunc()) {
    HRESULT hr;
    {
      cInsideCallback guard;
      hr = fn(device, FWGetBackBufferSurfaceDesc());
    }
    if (FAILED(hr)) return ObjectsError(hr, FWERR_RESETTINGDEVICEOBJECTS);
  }
  FWSetDeviceObjectsReset(true);
  return S_OK;
}

HRESULT FWReset3DEnvironment() {
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return E_FAIL;
  if (FWGetDeviceObjectsReset()) {
    RunDeviceLost();
    FWSetDeviceObjectsReset(false);
  }
  FWSetWindowStyleForMode(FWIsWindowed());
  D3DPRESENT_PARAMETERS pp = FWGetDeviceSettings().pp;
  HRESULT hr = device->Reset(pp);
  if (FAILED(hr)) return hr == D3DERR_DEVICELOST ? hr : FWERR_RESETTINGDEVICE;
  FWUpdateBackBufferAndCursor();
  cFWResourceHandlers* res = FWGetResourceHandlers();
  if (res != nullptr && FAILED(res->OnResetDevice())) return FWERR_RESETTINGDEVICEOBJECTS;
  if (LPFWCALLBACKDEVICERESET fn = FWGetDeviceResetFunc()) {
    {
      cInsideCallback guard;
      hr = fn(device, FWGetBackBufferSurfaceDesc());
    }
    if (FAILED(hr)) {
      RunDeviceLost();
      return ObjectsError(hr, FWERR_RESETTINGDEVICEOBJECTS);
    }
  }
  FWSetDeviceObjectsReset(true);
  return S_OK;
}

void FWCleanup3DEnvironment(bool releaseSettings) {
  if (cFWResourceHandlers* res = FWGetResourceHandlers()) {
    res->OnLostDevice();
    res->OnDestroyDevice();
  }
  cPlatformDevice* device = FWGetD3DDevice();
  if (device != nullptr) {
    {
      cInsideCallback guard;
      if (cFWResourceHandlers* res = FWGetResourceHandlers()) res->OnLostDevice();
      if (LPFWCALLBACKDEVICELOST fn = FWGetDeviceLostFunc()) fn();
      FWSetDeviceObjectsReset(false);
      if (LPFWCALLBACKDEVICEDESTROYED fn = FWGetDeviceDestroyedFunc()) fn();
      FWSetDeviceObjectsCreated(false);
    }
    if (device->Release() > 0) FWDisplayErrorMessage(FWERR_NONZEROREFCOUNT);
    FWSetD3DDevice(nullptr);
    if (releaseSettings) {
      delete FWGetCurrentDeviceSettings();
      FWSetCurrentDeviceSettings(nullptr);
    }
    FWSetBackBufferSurfaceDesc(D3DSURFACE_DESC());
    FWSetDeviceCaps(D3DCAPS9());
    FWSetDeviceCreated(false);
  }
}

HRESULT FWMainLoop(HACCEL) {
  if (FWGetInsideDeviceCallback() || FWGetInsideMainloop()) return E_FAIL;
  FWSetInsideMainloop(true);
  if (!FWGetDeviceCreated()) {
    if (!FWGetDeviceCreateCalled()) {
      HRESULT hr = FWCreateDevice(0, true, 640, 480);
      if (FAILED(hr)) {
        if (FWGetExitCode() == 0) FWSetExitCode(1);
        FWSetInsideMainloop(false);
        return hr;
      }
    }
  }
  if (!FWGetFWInited() || !FWGetWindowCreated() || !FWGetDeviceCreated()) {
    if (FWGetExitCode() == 0) FWSetExitCode(1);
    FWSetInsideMainloop(false);
    return E_FAIL;
  }
  MSG msg;
  msg.message = WM_NULL;
  while (msg.message != WM_QUIT) {
    if (PeekMessage(&msg, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    } else {
      FWRender3DEnvironment();
    }
  }
  FWSetInsideMainloop(false);
  return S_OK;
}

void FWRender3DEnvironment() {
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return;

  if (FWGetDeviceLost() || FWIsRenderingPaused()) Sleep(200);
  if (!FWIsActive()) Sleep(50);
  if (gFrameSleepMs > 0) Sleep(gFrameSleepMs);

  if (FWGetDeviceLost() && !FWIsRenderingPaused()) {
    HRESULT hr = device->TestCooperativeLevel();
    if (FAILED(hr)) {
      if (hr == D3DERR_DEVICELOST) {
        Sleep(200);
        return;
      }
      const FWDeviceSettings current = FWGetDeviceSettings();
      D3DDISPLAYMODE mode;
      cPlatformD3D* d3d = FWGetD3D();
      if (FWIsWindowed() && d3d != nullptr && SUCCEEDED(d3d->GetAdapterDisplayMode(current.AdapterOrdinal, &mode)) &&
          mode.Format != current.AdapterFormat) {
        // The desktop changed its format: a new device for it.
        FWMatchOptions o;
        o.eAdapterOrdinal = o.eDeviceType = o.eWindowed = FWMT_PRESERVE_INPUT;
        o.eAdapterFormat = o.eVertexProcessing = o.eResolution = o.eBackBufferFormat = o.eBackBufferCount =
            o.eMultiSample = o.eSwapEffect = o.eDepthFormat = o.eStencilFormat = o.ePresentFlags = o.eRefreshRate =
                o.ePresentInterval = FWMT_CLOSEST_TO_INPUT;
        FWDeviceSettings wanted = current;
        wanted.AdapterFormat = mode.Format;
        FWDeviceSettings valid;
        if (FAILED(FWFindValidDeviceSettings(&valid, &wanted, &o))) {
          FWDisplayErrorMessage(FWERR_NOCOMPATIBLEDEVICES);
          FWShutdown();
          return;
        }
        if (FAILED(FWChangeDevice(&valid, false))) FWShutdown();
        return;
      }
      hr = FWReset3DEnvironment();
      if (FAILED(hr)) {
        if (hr == D3DERR_DEVICELOST) {
          Sleep(50);
          return;
        }
        if (NeedsShutdown(hr)) {
          FWDisplayErrorMessage(hr);
          FWShutdown();
          return;
        }
        const FWDeviceSettings again = FWGetDeviceSettings();
        if (FAILED(FWChangeDevice(&again, true))) {
          FWShutdown();
          return;
        }
      }
    }
    FWSetDeviceLost(false);
    device = FWGetD3DDevice();
    if (device == nullptr) return;
  }

  CFWTimer* timer = FWGetGlobalTimer();
  const double time = timer->GetAbsoluteTime();
  const float elapsed = static_cast<float>(timer->GetElapsedTime());
  FWSetTime(time);
  FWSetElapsedTime(elapsed);
  FWUpdateFrameStats();

  if (LPFWCALLBACKFRAMEMOVE fn = FWGetFrameMoveFunc()) {
    fn(device, time, elapsed);
    device = FWGetD3DDevice();
    if (device == nullptr) return;  // the callback shut the framework down
  }
  if (!FWIsRenderingPaused()) {
    if (LPFWCALLBACKFRAMERENDER fn = FWGetFrameRenderFunc()) {
      fn(device, time, elapsed);
      device = FWGetD3DDevice();
      if (device == nullptr) return;
    }
    const HRESULT hr = device->Present();
    if (hr == D3DERR_DEVICELOST || hr == D3DERR_DRIVERINTERNALERROR) FWSetDeviceLost(true);
  }
  FWSetCurrentFrameNumber(FWGetCurrentFrameNumber() + 1);
}

void FWPause(bool pauseTime, bool pauseRendering) {
  const int time = std::max(0, FWGetPauseTimeCount() + (pauseTime ? 1 : -1));
  FWSetPauseTimeCount(time);
  const int rendering = std::max(0, FWGetPauseRenderingCount() + (pauseRendering ? 1 : -1));
  FWSetPauseRenderingCount(rendering);
  if (time > 0) FWGetGlobalTimer()->Stop();
  else FWGetGlobalTimer()->Start();
  if (gMusicMute != nullptr) gMusicMute(time > 0);
  FWSetTimePaused(time > 0);
  FWSetRenderingPaused(rendering > 0);
}

void FWAllowShortcutKeys(bool allow) {
  // There is no system shortcut to keep from the player here; the flag is
  // what the rest of the framework reads.
  FWSetAllowShortcutKeys(allow);
}

LRESULT FWStaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP) {
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    FWSetKeyState(static_cast<int>(wParam & 0xFF), down);
    if (LPFWCALLBACKKEYBOARD fn = FWGetKeyboardFunc())
      fn(static_cast<UINT>(wParam), down, (lParam & KF_ALTDOWN_BIT) != 0);
  }
  const bool mouseMessage = (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) ||
                            (msg >= WM_XBUTTONDOWN && msg <= WM_XBUTTONDBLCLK) || msg == WM_MOUSEWHEEL ||
                            (msg == WM_MOUSEMOVE && FWGetNotifyOnMouseMove());
  if (mouseMessage) {
    int x = SignedLoWord(static_cast<uintptr_t>(lParam));
    int y = SignedHiWord(static_cast<uintptr_t>(lParam));
    int wheel = 0;
    if (msg == WM_MOUSEWHEEL) {
      POINT p{x, y};
      ScreenToClient(hwnd, &p);
      x = p.x;
      y = p.y;
      wheel = SignedHiWord(wParam);
    }
    const WPARAM buttons = LoWord(wParam);
    const bool left = (buttons & MK_LBUTTON) != 0, right = (buttons & MK_RBUTTON) != 0;
    const bool middle = (buttons & MK_MBUTTON) != 0, side1 = (buttons & MK_XBUTTON1) != 0;
    const bool side2 = (buttons & MK_XBUTTON2) != 0;
    FWSetMouseButton(0, left);
    FWSetMouseButton(1, middle);
    FWSetMouseButton(2, right);
    FWSetMouseButton(3, side1);
    FWSetMouseButton(4, side2);
    if (LPFWCALLBACKMOUSE fn = FWGetMouseFunc()) fn(left, right, middle, side1, side2, wheel, x, y);
  }

  if (LPFWCALLBACKMSGPROC fn = FWGetWindowMsgFunc()) {
    bool noFurtherProcessing = false;
    const LRESULT r = fn(hwnd, msg, wParam, lParam, &noFurtherProcessing);
    if (noFurtherProcessing) return r;
  }

  const bool windowed = FWIsWindowed();
  switch (msg) {
    case WM_PAINT:
      if (FWIsRenderingPaused() && FWGetDeviceObjectsCreated() && FWGetDeviceObjectsReset()) {
        if (cPlatformDevice* device = FWGetD3DDevice()) {
          if (LPFWCALLBACKFRAMERENDER fn = FWGetFrameRenderFunc()) fn(device, FWGetTime(), FWGetElapsedTime());
          if (FWGetD3DDevice() != nullptr) {
            const HRESULT hr = device->Present();
            if (hr == D3DERR_DEVICELOST || hr == D3DERR_DRIVERINTERNALERROR) FWSetDeviceLost(true);
          }
        }
      }
      break;
    case WM_SIZE:
      if (windowed) FWSetWindowedStyleAtModeChange(GetWindowStyle(hwnd));
      if (wParam == SIZE_MINIMIZED) {
        if (FWGetClipCursorWhenFullScreen() && !windowed) ClipCursor(hwnd, nullptr);
        FWPause(true, true);
        FWSetMinimized(true);
        FWSetMaximized(false);
      } else if (wParam == SIZE_MAXIMIZED) {
        if (FWGetMinimized()) FWPause(false, false);
        FWSetMinimized(false);
        FWSetMaximized(true);
        FWCheckForWindowSizeChange();
      } else if (wParam == SIZE_RESTORED) {
        if (FWGetMaximized()) {
          FWSetMaximized(false);
          FWCheckForWindowSizeChange();
        } else if (FWGetMinimized()) {
          FWPause(false, false);
          FWSetMinimized(false);
          FWCheckForWindowSizeChange();
        }
      }
      break;
    case WM_GETMINMAXINFO:
      break;  // the window has no sizing border
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
      FWPause(true, true);
      break;
    case WM_EXITSIZEMOVE:
      FWPause(false, false);
      FWCheckForWindowSizeChange();
      break;
    case WM_EXITMENULOOP:
      FWPause(false, false);
      break;
    case WM_SETCURSOR:
      if (!windowed && !FWIsRenderingPaused()) {
        if (cPlatformDevice* device = FWGetD3DDevice()) device->ShowCursor(FWGetShowCursorWhenFullScreen());
        return TRUE_RESULT;
      }
      break;
    case WM_MOUSEMOVE:
      if (!windowed && !FWIsRenderingPaused()) {
        if (cPlatformDevice* device = FWGetD3DDevice()) {
          POINT p;
          if (GetCursorPos(&p)) {
            ScreenToClient(hwnd, &p);
            device->SetCursorPosition(p.x, p.y);
          }
        }
      }
      break;
    case WM_ACTIVATEAPP:
      if (wParam != 0) {
        FWAllowShortcutKeys(windowed ? FWGetAllowShortcutKeysWhenWindowed() : FWGetAllowShortcutKeysWhenFullscreen());
        FWSetActive(true);
      } else {
        if (FWGetClipCursorWhenFullScreen() && !windowed) ClipCursor(hwnd, nullptr);
        FWAllowShortcutKeys(true);
        FWSetActive(false);
      }
      break;
    case WM_NCHITTEST:
      if (!windowed) return HTCLIENT;
      break;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMRESUMESUSPEND) return TRUE_RESULT;
      break;
    case WM_SYSCOMMAND:
      if (!windowed) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_MOVE || command == SC_SIZE || command == SC_MAXIMIZE || command == SC_KEYMENU ||
            command == SC_MONITORPOWER)
          return TRUE_RESULT;
      }
      break;
    case WM_CLOSE:
      DestroyGameIfAny();
      ReleaseGamePictures();
      FWSetMenu(nullptr);
      DestroyWindow(hwnd);
      UnregisterWindowClass(kWindowClass);
      FWSetHWNDFocus(nullptr);
      FWSetHWNDDeviceFullScreen(nullptr);
      FWSetHWNDDeviceWindowed(nullptr);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  if ((msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) && wParam == static_cast<WPARAM>(VK_F10) && FWGetMenu() == nullptr)
    return 0;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void FWCheckForWindowSizeChange() {
  if (FWGetD3DDevice() == nullptr || FWGetIgnoreSizeChange() || !FWIsWindowed()) return;
  HWND hwnd = FWGetHWNDDeviceWindowed();
  ReadWindowRects(hwnd);
  const RECT client = *FWGetWindowClientRect();
  const FWDeviceSettings current = FWGetDeviceSettings();
  if (static_cast<uint32_t>(client.Width()) == current.pp.BackBufferWidth &&
      static_cast<uint32_t>(client.Height()) == current.pp.BackBufferHeight) {
    FWCheckForWindowChangingMonitors();
    return;
  }
  FWPause(true, true);
  if (FWDeviceSettings* s = FWGetCurrentDeviceSettings()) {
    s->pp.BackBufferWidth = static_cast<uint32_t>(std::max(client.Width(), 0));
    s->pp.BackBufferHeight = static_cast<uint32_t>(std::max(client.Height(), 0));
  }
  HRESULT hr = FWReset3DEnvironment();
  if (FAILED(hr)) {
    if (hr == D3DERR_DEVICELOST) {
      FWSetDeviceLost(true);
    } else if (NeedsShutdown(hr)) {
      FWDisplayErrorMessage(hr);
      FWShutdown();
    } else {
      const FWDeviceSettings again = FWGetDeviceSettings();
      if (FAILED(FWChangeDevice(&again, true))) FWShutdown();
    }
  }
  FWPause(false, false);
  FWCheckForWindowChangingMonitors();
}

HRESULT FWGetAdapterOrdinalFromMonitor(HMONITOR monitor, uint32_t* adapterOrdinal) {
  if (adapterOrdinal == nullptr) return E_INVALIDARG;
  cPlatformD3D* d3d = FWGetD3D();
  CFWEnumeration* e = FWGetEnumeration();
  if (d3d == nullptr || e == nullptr) return E_FAIL;
  for (const auto& a : e->GetAdapterInfoList())
    if (d3d->GetAdapterMonitor(a->AdapterOrdinal) == monitor) {
      *adapterOrdinal = a->AdapterOrdinal;
      return S_OK;
    }
  return E_FAIL;
}

void FWCheckForWindowChangingMonitors() {
  if (!FWGetAutoChangeAdapter() || FWGetD3DDevice() == nullptr) return;
  const HMONITOR monitor = MonitorFromWindow(FWGetHWNDFocus());
  if (monitor == FWGetAdapterMonitor()) return;
  uint32_t ordinal = 0;
  if (FAILED(FWGetAdapterOrdinalFromMonitor(monitor, &ordinal))) return;
  FWPause(true, true);
  FWMatchOptions o;
  o.eAdapterOrdinal = FWMT_PRESERVE_INPUT;
  o.eDeviceType = o.eWindowed = o.eAdapterFormat = o.eVertexProcessing = o.eResolution = o.eBackBufferFormat =
      o.eBackBufferCount = o.eMultiSample = o.eSwapEffect = o.eDepthFormat = o.eStencilFormat = o.ePresentFlags =
          o.eRefreshRate = o.ePresentInterval = FWMT_CLOSEST_TO_INPUT;
  FWDeviceSettings wanted = FWGetDeviceSettings();
  wanted.AdapterOrdinal = ordinal;
  FWDeviceSettings valid;
  if (FAILED(FWFindValidDeviceSettings(&valid, &wanted, &o)) || FAILED(FWChangeDevice(&valid, false))) {
    FWPause(false, false);
    FWShutdown();
    return;
  }
  FWPause(false, false);
}

void FWShutdown() {
  if (HWND hwnd = FWGetHWNDFocus()) SendMessage(hwnd, WM_CLOSE, 0, 0);
  FWCleanup3DEnvironment(true);
  FWAllowShortcutKeys(true);
  FWDestroyEnumeration();
  if (cPlatformD3D* d3d = FWGetD3D()) d3d->Release();
  FWSetD3D(nullptr);
}

void FWResetForTests() {
  FWShutdown();
  delete FWGetCurrentDeviceSettings();
  FWResetStateForTests();
  FlushMessageQueue();
  UnregisterWindowClass(kWindowClass);
}
