#pragma once
// The window services of the platform over SDL2: window classes, windows
// with their window procedure, the message queue with its translator, key
// state, monitors and the cursor. Main thread only.
#include <string>

#include "core/message_box_icon.h"
#include "platform/win_types.h"

// Starts SDL's video, events, fonts and pictures once; false with a log
// line when video cannot start.
bool PlatformInitVideo();
// Stops what PlatformInitVideo started (every window must be gone).
void PlatformQuitVideo();
// In a leak-checking build: checks for leaks now, while the window system's
// drivers are still loaded, and leaves the check at exit out. Elsewhere nothing.
void PlatformCheckLeaksBeforeVideoEnds();

// A box with the caption, the text, the icon and an OK button, owned by no
// window; returns when the player has closed it. False when the window
// system has none to show, with a log line (the caller has logged what it
// says).
bool PlatformMessageBox(const std::wstring& text, const std::wstring& caption, eMessageBoxIcon icon);
// Tests see the boxes here in place of the window system: null restores it.
using PlatformMessageBoxFn = bool (*)(const std::wstring& text, const std::wstring& caption, eMessageBoxIcon icon);
void SetPlatformMessageBoxHandler(PlatformMessageBoxFn fn);

// 0 on success, else a system error number (ERROR_CLASS_ALREADY_EXISTS for a
// name registered before).
int RegisterWindowClass(const std::wstring& name, DWORD classStyle, WNDPROC proc);
bool UnregisterWindowClass(const std::wstring& name);

// A hidden window of the class with the given client size; x and y are
// screen positions or CW_USEDEFAULT. Null on failure (with a log line).
HWND CreatePlatformWindow(const std::wstring& className, const std::wstring& title, DWORD style, int x, int y,
                          int width, int height);
// Sends WM_DESTROY, then closes the window.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Windows here have no frame of their own that the program sees: the
// window rectangle is the client rectangle on the screen.
bool AdjustWindowRect(RECT* rect, DWORD style, bool hasMenu);
bool GetClientRect(HWND hwnd, RECT* rect);
bool GetWindowRect(HWND hwnd, RECT* rect);
bool ScreenToClient(HWND hwnd, POINT* p);
constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOACTIVATE = 0x0010,
               SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080;
// x, y, cx, cy describe the window rectangle (here the client rectangle).
bool SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags);
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_RESTORE = 9;
bool ShowWindow(HWND hwnd, int command);
bool IsIconic(HWND hwnd);
DWORD GetWindowStyle(HWND hwnd);
void SetWindowStyle(HWND hwnd, DWORD style);
void SetWindowTitle(HWND hwnd, const std::wstring& title);
// Full-screen switching of the window, at a display mode of that size.
bool SetWindowFullScreen(HWND hwnd, bool fullScreen, int width, int height, int refreshRate);

// The client size and state the translator asks for.
void PlatformWindowClientSize(HWND hwnd, int& width, int& height);
bool PlatformWindowIsMaximized(HWND hwnd);
bool PlatformWindowWantsDoubleClicks(HWND hwnd);
// The SDL window behind a window handle (for the renderer), null for none.
struct SDL_Window* PlatformSdlWindow(HWND hwnd);

struct MONITORINFO {
  RECT rcMonitor;
  RECT rcWork;
};
HMONITOR MonitorFromWindow(HWND hwnd);
// The monitor of a display index (the display's index plus 1).
HMONITOR MonitorFromDisplay(int displayIndex);
bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);

// The message queue. Input comes from SDL when the queue is empty.
bool PostMessage(HWND hwnd, UINT message, WPARAM w, LPARAM l);
void PostQuitMessage(int exitCode);
constexpr UINT PM_NOREMOVE = 0, PM_REMOVE = 1;
bool PeekMessage(MSG* msg, UINT removeFlag);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM w, LPARAM l);
// The default handling: WM_CLOSE destroys the window, everything else gives 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
// Drops queued messages and a posted quit (tests start from a clean queue).
void FlushMessageQueue();

// Down state in the high bit (0x8000) of the layer's own key table.
int16_t GetKeyState(int vk);
int16_t GetAsyncKeyState(int vk);

// The mouse cursor.
int ShowCursor(bool show);
// Keeps the pointer in the window while rect is not null.
bool ClipCursor(HWND hwnd, const RECT* rect);
bool GetCursorPos(POINT* p);

// Called for SDL's "render device reset" events, which say that every
// renderer lost its textures.
using RenderDeviceResetFn = void (*)();
void SetRenderDeviceResetHandler(RenderDeviceResetFn fn);
