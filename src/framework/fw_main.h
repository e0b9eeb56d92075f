#pragma once
// The framework's life cycle on the main thread: initialisation, the
// window, the creation, reset, loss and destruction of the device with the
// application's callbacks, the message loop, one frame with its sleeps,
// pausing, the window procedure, and shutdown with the exit code.
#include <cstdint>

#include "framework/fw_state.h"
#include "framework/fw_util.h"
#include "platform/win_types.h"

// Milliseconds every frame sleeps, from "Main/FPSLimit".
extern uint32_t& gFrameSleepMs;

HRESULT FWInit();
HRESULT FWCreateWindow(const wchar_t* title, HINSTANCE instance, HICON icon, HMENU menu, int x, int y);
HRESULT FWCreateDevice(uint32_t adapterOrdinal, bool windowed, int width, int height);
HRESULT FWChangeDevice(const FWDeviceSettings* newSettings, bool forceRecreate);
HRESULT FWMainLoop(HACCEL accelerators);
// One frame.
void FWRender3DEnvironment();
void FWPause(bool pauseTime, bool pauseRendering);
void FWAllowShortcutKeys(bool allow);
LRESULT FWStaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void FWCheckForWindowSizeChange();
void FWCheckForWindowChangingMonitors();
void FWShutdown();
// Stores the exit code of a framework result; shows nothing.
void FWDisplayErrorMessage(HRESULT hr);
// The exit code of a framework result code.
int FWExitCodeOf(HRESULT hr);

HRESULT FWCreate3DEnvironment();
HRESULT FWReset3DEnvironment();
void FWCleanup3DEnvironment(bool releaseSettings);
void FWUpdateBackBufferAndCursor();
void FWSetWindowStyleForMode(bool windowed);
HRESULT FWGetAdapterOrdinalFromMonitor(HMONITOR monitor, uint32_t* adapterOrdinal);

// The music is muted while time is paused; the music manager registers here.
using FWMusicMuteFn = void (*)(bool muted);
void FWSetMusicMuteHandler(FWMusicMuteFn fn);

// Puts the framework back to its state before FWInit, closing what is
// open (tests run one framework after another).
void FWResetForTests();
