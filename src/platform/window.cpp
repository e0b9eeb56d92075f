#include "platform/window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#define BRENNMARK_LEAK_CHECK 1
#endif

#include "core/console.h"
#include "core/text.h"
#include "platform/clock.h"
#include "platform/event_translator.h"

class cPlatformWindow {
 public:
  SDL_Window* sdl = nullptr;
  WNDPROC proc = nullptr;
  DWORD classStyle = 0;
  DWORD style = 0;
  bool destroyed = false;
};

namespace {

// The work area a screenless driver reports: larger than any window asked for.
constexpr int kNoDesktopLimit = 16384;

struct sWindowClass {
  DWORD style = 0;
  WNDPROC proc = nullptr;
};

std::map<std::wstring, sWindowClass> gClasses;
std::vector<cPlatformWindow*> gWindows;
std::deque<MSG> gQueue;
std::recursive_mutex gQueueMutex;
bool gQuitPosted = false;
int gQuitCode = 0;
bool gCloseQueued = false;
int gCursorCount = 0;
bool gVideoStarted = false;
cEventTranslator gTranslator;
RenderDeviceResetFn gDeviceResetHandler = nullptr;

// A handle is looked up before it is touched: destroyed windows are freed.
bool Alive(HWND hwnd) {
  return hwnd != nullptr && std::find(gWindows.begin(), gWindows.end(), hwnd) != gWindows.end() && !hwnd->destroyed;
}

HWND WindowOfId(uint32_t id) {
  for (cPlatformWindow* w : gWindows)
    if (!w->destroyed && w->sdl != nullptr && SDL_GetWindowID(w->sdl) == id) return w;
  // Pushed events often carry no window: they go to the first one.
  for (cPlatformWindow* w : gWindows)
    if (!w->destroyed) return w;
  return nullptr;
}

uint32_t EventWindowId(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN: case SDL_KEYUP: return e.key.windowID;
    case SDL_TEXTINPUT: return e.text.windowID;
    case SDL_MOUSEMOTION: return e.motion.windowID;
    case SDL_MOUSEBUTTONDOWN: case SDL_MOUSEBUTTONUP: return e.button.windowID;
    case SDL_MOUSEWHEEL: return e.wheel.windowID;
    case SDL_WINDOWEVENT: return e.window.windowID;
    default: return 0;
  }
}

void PumpSdl() {
  if (!gVideoStarted) return;
  SDL_Event e;
  std::vector<MSG> out;
  while (SDL_PollEvent(&e) != 0) {
    if (e.type == SDL_RENDER_DEVICE_RESET) {
      if (gDeviceResetHandler != nullptr) gDeviceResetHandler();
      continue;
    }
    HWND hwnd = WindowOfId(EventWindowId(e));
    if (e.type == SDL_QUIT) {
      // The last window's close button also raises a quit; one close is enough.
      if (!gCloseQueued && hwnd != nullptr) {
        MSG m;
        m.hwnd = hwnd;
        m.message = WM_CLOSE;
        m.time = GetTickCount();
        out.push_back(m);
      }
    } else {
      int wx = 0, wy = 0;
      if (hwnd != nullptr && hwnd->sdl != nullptr) SDL_GetWindowPosition(hwnd->sdl, &wx, &wy);
      gTranslator.Translate(e, hwnd, wx, wy, out);
    }
    for (const MSG& m : out) {
      if (m.message == WM_CLOSE) gCloseQueued = true;
      gQueue.push_back(m);
    }
    out.clear();
  }
}
}  // namespace

bool PlatformInitVideo() {
  if (gVideoStarted) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    gConsole.AddLine(L"Platform: video could not start: " + Utf8ToWide(SDL_GetError()));
    return false;
  }
  if (TTF_WasInit() == 0 && TTF_Init() != 0)
    gConsole.AddLine(L"Platform: the font library could not start: " + Utf8ToWide(TTF_GetError()));
  if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0)
    gConsole.AddLine(L"Platform: PNG pictures are not available: " + Utf8ToWide(IMG_GetError()));
  gVideoStarted = true;
  return true;
}

// The graphics driver that the window system loads holds allocations of its
// own and is unloaded as video ends; its roots go with it, and the check at
// exit would report them as leaks of ours. Everything of the game has been
// freed or is still reachable when this runs, so its leaks are still found.
void PlatformCheckLeaksBeforeVideoEnds() {
#ifdef BRENNMARK_LEAK_CHECK
  __lsan_do_leak_check();
#endif
}

namespace {
bool ShowSystemMessageBox(const std::wstring& text, const std::wstring& caption, eMessageBoxIcon icon) {
  Uint32 flags = 0;  // no icon
  if (icon == eMessageBoxIcon::kWarning) flags = SDL_MESSAGEBOX_WARNING;
  if (icon == eMessageBoxIcon::kInformation) flags = SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, WideToUtf8(caption).c_str(), WideToUtf8(text).c_str(), nullptr) == 0)
    return true;
  gConsole.AddLine(L"No message box could be shown: " + Utf8ToWide(SDL_GetError()));
  return false;
}
PlatformMessageBoxFn gMessageBox = &ShowSystemMessageBox;

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) || (message >= WM_MOUSEMOVE && message <= WM_XBUTTONDBLCLK);
}
}  // namespace

// The box has the input while it is up: keys, clicks and wheel turns sent to
// the game's window meanwhile would otherwise act after it, on whatever screen
// is up then. What was given before it is taken in first and kept, in its
// order; a close request and the window's own events stay. A key held as the
// box came up is let go when it closes, since its release went with the rest
// (or to the box).
bool PlatformMessageBox(const std::wstring& text, const std::wstring& caption, eMessageBoxIcon icon) {
  if (!gVideoStarted) return gMessageBox(text, caption, icon);
  // Only this thread takes from the queue, and it is in the box: what was
  // queued while it was up stands behind what was there before.
  std::unique_lock<std::recursive_mutex> g(gQueueMutex);
  PumpSdl();
  const size_t queuedBefore = gQueue.size();
  const cEventTranslator heldBefore = gTranslator;
  g.unlock();
  if (!gMessageBox(text, caption, icon)) return false;
  g.lock();
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
  SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
  SDL_FlushEvents(SDL_FINGERDOWN, SDL_MULTIGESTURE);
  const auto from = gQueue.begin() + static_cast<std::ptrdiff_t>(std::min(queuedBefore, gQueue.size()));
  gQueue.erase(std::remove_if(from, gQueue.end(), [](const MSG& m) { return IsInputMessage(m.message); }),
               gQueue.end());
  gTranslator = heldBefore;
  std::vector<MSG> releases;
  gTranslator.ReleaseHeldKeys(WindowOfId(0), releases);
  gQueue.insert(gQueue.end(), releases.begin(), releases.end());
  return true;
}

void SetPlatformMessageBoxHandler(PlatformMessageBoxFn fn) { gMessageBox = fn != nullptr ? fn : &ShowSystemMessageBox; }

void PlatformQuitVideo() {
  if (!gVideoStarted) return;
  FlushMessageQueue();
  IMG_Quit();
  if (TTF_WasInit() != 0) TTF_Quit();
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  gVideoStarted = false;
}

int RegisterWindowClass(const std::wstring& name, DWORD classStyle, WNDPROC proc) {
  if (gClasses.count(name) != 0) return ERROR_CLASS_ALREADY_EXISTS;
  gClasses[name] = {classStyle, proc};
  return 0;
}

bool UnregisterWindowClass(const std::wstring& name) { return gClasses.erase(name) != 0; }

HWND CreatePlatformWindow(const std::wstring& className, const std::wstring& title, DWORD style, int x, int y,
                          int width, int height) {
  auto cls = gClasses.find(className);
  if (cls == gClasses.end() || !PlatformInitVideo()) return nullptr;
  const int px = x == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : x;
  const int py = y == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : y;
  SDL_Window* sdl = SDL_CreateWindow(WideToUtf8(title).c_str(), px, py, std::max(width, 1), std::max(height, 1),
                                     SDL_WINDOW_HIDDEN);
  if (sdl == nullptr) {
    gConsole.AddLine(L"Platform: the window could not be created: " + Utf8ToWide(SDL_GetError()));
    return nullptr;
  }
  auto* w = new cPlatformWindow();
  w->sdl = sdl;
  w->proc = cls->second.proc;
  w->classStyle = cls->second.style;
  w->style = style;
  gWindows.push_back(w);
  gCloseQueued = false;
  return w;
}

bool DestroyWindow(HWND hwnd) {
  if (!Alive(hwnd)) return false;
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  if (!Alive(hwnd)) return true;  // destroyed while handling its WM_DESTROY
  hwnd->destroyed = true;
  if (hwnd->sdl != nullptr) SDL_DestroyWindow(hwnd->sdl);
  hwnd->sdl = nullptr;
  {
    std::lock_guard<std::recursive_mutex> g(gQueueMutex);
    for (MSG& m : gQueue)
      if (m.hwnd == hwnd) m.message = WM_NULL;
  }
  gWindows.erase(std::find(gWindows.begin(), gWindows.end(), hwnd));
  delete hwnd;
  return true;
}

bool IsWindow(HWND hwnd) { return Alive(hwnd); }

bool AdjustWindowRect(RECT* rect, DWORD, bool) { return rect != nullptr; }

bool GetClientRect(HWND hwnd, RECT* rect) {
  if (!Alive(hwnd) || rect == nullptr) return false;
  int w = 0, h = 0;
  SDL_GetWindowSize(hwnd->sdl, &w, &h);
  *rect = {0, 0, w, h};
  return true;
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
  if (!Alive(hwnd) || rect == nullptr) return false;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(hwnd->sdl, &x, &y);
  SDL_GetWindowSize(hwnd->sdl, &w, &h);
  *rect = {x, y, x + w, y + h};
  return true;
}

bool ScreenToClient(HWND hwnd, POINT* p) {
  if (!Alive(hwnd) || p == nullptr) return false;
  int x = 0, y = 0;
  SDL_GetWindowPosition(hwnd->sdl, &x, &y);
  p->x -= x;
  p->y -= y;
  return true;
}

static void ActivateShownWindowAfterShow(HWND hwnd, bool wasVisible);

bool SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags) {
  if (!Alive(hwnd)) return false;
  const bool wasVisible = (hwnd->style & WS_VISIBLE) != 0;
  if ((flags & SWP_NOSIZE) == 0) SDL_SetWindowSize(hwnd->sdl, std::max(cx, 1), std::max(cy, 1));
  if ((flags & SWP_NOMOVE) == 0) SDL_SetWindowPosition(hwnd->sdl, x, y);
  if ((flags & SWP_SHOWWINDOW) != 0) {
    SDL_ShowWindow(hwnd->sdl);
    hwnd->style |= WS_VISIBLE;
  }
  if ((flags & SWP_HIDEWINDOW) != 0) {
    SDL_HideWindow(hwnd->sdl);
    hwnd->style &= ~WS_VISIBLE;
  }
  ActivateShownWindowAfterShow(hwnd, wasVisible);
  return true;
}

namespace {
// Drivers without a desktop (the dummy and offscreen ones) never report
// keyboard focus.
bool DriverReportsFocus() {
  const char* d = SDL_GetCurrentVideoDriver();
  return d != nullptr && std::strcmp(d, "dummy") != 0 && std::strcmp(d, "offscreen") != 0;
}

// A window shown for the first time is the foreground window, as on a
// desktop: where no one reports focus the activation is sent here, and
// elsewhere the window asks for the input focus, which a display without a
// window manager (Xvfb) grants without one to hand it out.
void ActivateShownWindow(HWND hwnd, bool wasVisible) {
  if (wasVisible || (hwnd->style & WS_VISIBLE) == 0 || (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_MINIMIZED) != 0)
    return;
  if (!DriverReportsFocus()) {
    SendMessage(hwnd, WM_ACTIVATEAPP, 1, 0);
    return;
  }
  SDL_SetWindowInputFocus(hwnd->sdl);
}
}  // namespace

static void ActivateShownWindowAfterShow(HWND hwnd, bool wasVisible) { ActivateShownWindow(hwnd, wasVisible); }

bool ShowWindow(HWND hwnd, int command) {
  if (!Alive(hwnd)) return false;
  const bool wasVisible = (hwnd->style & WS_VISIBLE) != 0;
  struct sActivate {
    HWND hwnd;
    bool wasVisible;
    ~sActivate() { ActivateShownWindow(hwnd, wasVisible); }
  } activate{hwnd, wasVisible};
  switch (command) {
    case SW_HIDE:
      SDL_HideWindow(hwnd->sdl);
      hwnd->style &= ~WS_VISIBLE;
      break;
    case SW_SHOWMINIMIZED:
      SDL_ShowWindow(hwnd->sdl);
      SDL_MinimizeWindow(hwnd->sdl);
      hwnd->style |= WS_VISIBLE;
      break;
    case SW_RESTORE:
      SDL_RestoreWindow(hwnd->sdl);
      SDL_ShowWindow(hwnd->sdl);
      hwnd->style |= WS_VISIBLE;
      break;
    default:
      SDL_ShowWindow(hwnd->sdl);
      hwnd->style |= WS_VISIBLE;
      break;
  }
  return wasVisible;
}

bool IsIconic(HWND hwnd) { return Alive(hwnd) && (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_MINIMIZED) != 0; }

DWORD GetWindowStyle(HWND hwnd) { return Alive(hwnd) ? hwnd->style : 0; }

void SetWindowStyle(HWND hwnd, DWORD style) {
  if (!Alive(hwnd)) return;
  hwnd->style = style;
  SDL_SetWindowBordered(hwnd->sdl, (style & WS_CAPTION) == WS_CAPTION ? SDL_TRUE : SDL_FALSE);
  if ((style & WS_VISIBLE) != 0) SDL_ShowWindow(hwnd->sdl);
}

void SetWindowTitle(HWND hwnd, const std::wstring& title) {
  if (Alive(hwnd)) SDL_SetWindowTitle(hwnd->sdl, WideToUtf8(title).c_str());
}

bool SetWindowFullScreen(HWND hwnd, bool fullScreen, int width, int height, int refreshRate) {
  if (!Alive(hwnd)) return false;
  if (!fullScreen) return SDL_SetWindowFullscreen(hwnd->sdl, 0) == 0;
  SDL_DisplayMode want{SDL_PIXELFORMAT_RGB888, width, height, refreshRate, nullptr};
  SDL_DisplayMode got;
  const int display = std::max(SDL_GetWindowDisplayIndex(hwnd->sdl), 0);
  if (SDL_GetClosestDisplayMode(display, &want, &got) != nullptr) SDL_SetWindowDisplayMode(hwnd->sdl, &got);
  SDL_SetWindowSize(hwnd->sdl, width, height);
  return SDL_SetWindowFullscreen(hwnd->sdl, SDL_WINDOW_FULLSCREEN) == 0;
}

void PlatformWindowClientSize(HWND hwnd, int& width, int& height) {
  width = height = 0;
  if (Alive(hwnd)) SDL_GetWindowSize(hwnd->sdl, &width, &height);
}

bool PlatformWindowIsMaximized(HWND hwnd) {
  return Alive(hwnd) && (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_MAXIMIZED) != 0;
}

bool PlatformWindowWantsDoubleClicks(HWND hwnd) { return hwnd != nullptr && (hwnd->classStyle & CS_DBLCLKS) != 0; }

SDL_Window* PlatformSdlWindow(HWND hwnd) { return Alive(hwnd) ? hwnd->sdl : nullptr; }

HMONITOR MonitorFromWindow(HWND hwnd) {
  if (!Alive(hwnd)) return MonitorFromDisplay(0);
  return MonitorFromDisplay(std::max(SDL_GetWindowDisplayIndex(hwnd->sdl), 0));
}

HMONITOR MonitorFromDisplay(int displayIndex) { return static_cast<HMONITOR>(displayIndex + 1); }

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor == 0 || info == nullptr || !gVideoStarted) return false;
  const int display = static_cast<int>(monitor) - 1;
  SDL_Rect b, u;
  if (SDL_GetDisplayBounds(display, &b) != 0) return false;
  if (SDL_GetDisplayUsableBounds(display, &u) != 0) u = b;
  info->rcMonitor = {b.x, b.y, b.x + b.w, b.y + b.h};
  info->rcWork = {u.x, u.y, u.x + u.w, u.y + u.h};
  // A driver without a screen (dummy, offscreen) has no desktop to keep a
  // window inside: its one listed mode is no limit on a window's size.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0))
    info->rcWork = {u.x, u.y, u.x + kNoDesktopLimit, u.y + kNoDesktopLimit};
  return true;
}

bool PostMessage(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  std::lock_guard<std::recursive_mutex> g(gQueueMutex);
  MSG m;
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = w;
  m.lParam = l;
  m.time = GetTickCount();
  gQueue.push_back(m);
  return true;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::recursive_mutex> g(gQueueMutex);
  gQuitPosted = true;
  gQuitCode = exitCode;
}

bool PeekMessage(MSG* msg, UINT removeFlag) {
  std::lock_guard<std::recursive_mutex> g(gQueueMutex);
  if (gQueue.empty()) PumpSdl();
  while (!gQueue.empty() && gQueue.front().message == WM_NULL && gQueue.front().hwnd != nullptr) gQueue.pop_front();
  if (!gQueue.empty()) {
    if (msg != nullptr) *msg = gQueue.front();
    if (removeFlag & PM_REMOVE) gQueue.pop_front();
    return true;
  }
  if (gQuitPosted) {
    if (msg != nullptr) {
      *msg = MSG();
      msg->message = WM_QUIT;
      msg->wParam = static_cast<WPARAM>(gQuitCode);
      msg->time = GetTickCount();
    }
    if (removeFlag & PM_REMOVE) gQuitPosted = false;
    return true;
  }
  return false;
}

bool TranslateMessage(const MSG*) {
  // Character messages are made with the key messages already.
  return false;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (msg == nullptr || !Alive(msg->hwnd)) return 0;
  LRESULT r = SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_CLOSE && Alive(msg->hwnd)) gCloseQueued = false;  // the close was refused
  return r;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (!Alive(hwnd)) return 0;
  if (hwnd->proc != nullptr) return hwnd->proc(hwnd, message, w, l);
  return DefWindowProc(hwnd, message, w, l);
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

void FlushMessageQueue() {
  std::lock_guard<std::recursive_mutex> g(gQueueMutex);
  if (gVideoStarted) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  gQueue.clear();
  gQuitPosted = false;
  gCloseQueued = false;
  gTranslator.ReleaseAll();
}

int16_t GetKeyState(int vk) { return gTranslator.IsKeyDown(vk) ? static_cast<int16_t>(0x8000) : 0; }
int16_t GetAsyncKeyState(int vk) { return GetKeyState(vk); }

int ShowCursor(bool show) {
  gCursorCount += show ? 1 : -1;
  if (gVideoStarted) SDL_ShowCursor(gCursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return gCursorCount;
}

bool ClipCursor(HWND hwnd, const RECT* rect) {
  if (!Alive(hwnd)) return false;
  SDL_SetWindowGrab(hwnd->sdl, rect != nullptr ? SDL_TRUE : SDL_FALSE);
  return true;
}

bool GetCursorPos(POINT* p) {
  if (p == nullptr || !gVideoStarted) return false;
  SDL_GetGlobalMouseState(&p->x, &p->y);
  return true;
}

void SetRenderDeviceResetHandler(RenderDeviceResetFn fn) { gDeviceResetHandler = fn; }
