#include "framework/fw_state.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

namespace {
std::recursive_mutex gLock;
std::atomic<bool> gLockEnabled{false};
std::unique_ptr<FWState> gState;
cFWResourceHandlers* gResources = nullptr;

// Holds the framework lock for one copy when the lock flag is set.
class cFWLockGuard {
 public:
  cFWLockGuard() : locked_(gLockEnabled.load()) {
    if (locked_) gLock.lock();
  }
  ~cFWLockGuard() {
    if (locked_) gLock.unlock();
  }
  cFWLockGuard(const cFWLockGuard&) = delete;
  cFWLockGuard& operator=(const cFWLockGuard&) = delete;

 private:
  bool locked_;
};

void CopyText(std::array<wchar_t, kFWTextLength>& to, const wchar_t* text) {
  to.fill(0);
  if (text == nullptr) return;
  for (int i = 0; i < kFWTextLength - 1 && text[i] != 0; ++i) to[static_cast<size_t>(i)] = text[i];
}
}  // namespace

FWState::FWState()
#define FW_INIT_FIELD(type, name, init) m_##name(init),
    : FW_STATE_VALUES(FW_INIT_FIELD) m_BackBufferSurfaceDesc() {
#undef FW_INIT_FIELD
  gLockEnabled = true;
}

FWState& FWGetState() {
  // The GUI's resource cache registers itself before drawing anything, so
  // it is there before the state and outlives it.
  if (!gState) gState = std::make_unique<FWState>();
  return *gState;
}

void FWResetStateForTests() {
  gState = std::make_unique<FWState>();
  gResources = nullptr;
}

void FWLock() {
  if (gLockEnabled) gLock.lock();
}
void FWUnlock() {
  if (gLockEnabled) gLock.unlock();
}
void FWSetLockEnabled(bool enabled) { gLockEnabled = enabled; }
bool FWIsLockEnabled() { return gLockEnabled; }

#define FW_DEFINE_ACCESSORS(type, name, init) \
  type FWGet##name() {                        \
    FWState& s = FWGetState();                \
    cFWLockGuard g;                           \
    return s.m_##name;                        \
  }                                           \
  void FWSet##name(type value) {              \
    FWState& s = FWGetState();                \
    cFWLockGuard g;                           \
    s.m_##name = value;                       \
  }
FW_STATE_VALUES(FW_DEFINE_ACCESSORS)
#undef FW_DEFINE_ACCESSORS

#define FW_RECORD_GETTER(type, name)   \
  type FWGet##name() {                 \
    FWState& s = FWGetState();         \
    cFWLockGuard g;                    \
    return &s.m_##name;                \
  }
FW_RECORD_GETTER(const D3DSURFACE_DESC*, BackBufferSurfaceDesc)
FW_RECORD_GETTER(const D3DCAPS9*, Caps)
FW_RECORD_GETTER(RECT*, WindowClientRect)
FW_RECORD_GETTER(RECT*, FullScreenClientRect)
FW_RECORD_GETTER(RECT*, WindowBoundsRect)
FW_RECORD_GETTER(FWStickyKeys*, StartupStickyKeys)
FW_RECORD_GETTER(FWToggleKeys*, StartupToggleKeys)
FW_RECORD_GETTER(FWFilterKeys*, StartupFilterKeys)
#undef FW_RECORD_GETTER

const D3DCAPS9* FWGetDeviceCaps() { return FWGetCaps(); }

#define FW_RECORD_SETTER(type, name)   \
  void FWSet##name(const type& v) {    \
    FWState& s = FWGetState();         \
    cFWLockGuard g;                    \
    s.m_##name = v;                    \
  }
FW_RECORD_SETTER(D3DSURFACE_DESC, BackBufferSurfaceDesc)
FW_RECORD_SETTER(RECT, WindowClientRect)
FW_RECORD_SETTER(RECT, FullScreenClientRect)
FW_RECORD_SETTER(RECT, WindowBoundsRect)
#undef FW_RECORD_SETTER

void FWSetDeviceCaps(const D3DCAPS9& caps) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  s.m_Caps = caps;
}

const wchar_t* FWGetStaticFrameStats() {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_StaticFrameStats.data();
}
const wchar_t* FWGetFrameStats() {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_FrameStats.data();
}
const wchar_t* FWGetWindowTitle() {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_WindowTitle.data();
}
void FWSetStaticFrameStats(const wchar_t* text) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  CopyText(s.m_StaticFrameStats, text);
}
void FWSetFrameStats(const wchar_t* text) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  CopyText(s.m_FrameStats, text);
}
void FWSetWindowTitle(const wchar_t* text) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  CopyText(s.m_WindowTitle, text);
}

bool FWGetKeyState(int vk) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_Keys[static_cast<size_t>(vk & 0xFF)];
}
void FWSetKeyState(int vk, bool down) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  s.m_Keys[static_cast<size_t>(vk & 0xFF)] = down;
}
bool FWGetMouseButton(int index) {
  if (index < 0 || index >= 5) return false;
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_MouseButtons[static_cast<size_t>(index)];
}
void FWSetMouseButton(int index, bool down) {
  if (index < 0 || index >= 5) return;
  FWState& s = FWGetState();
  cFWLockGuard g;
  s.m_MouseButtons[static_cast<size_t>(index)] = down;
}

cPlatformD3D* FWGetD3DObject() { return FWGetD3D(); }

bool FWIsWindowed() {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_CurrentDeviceSettings != nullptr && s.m_CurrentDeviceSettings->pp.Windowed != 0;
}

HWND FWGetHWND() { return FWIsWindowed() ? FWGetHWNDDeviceWindowed() : FWGetHWNDDeviceFullScreen(); }

bool FWIsRenderingPaused() { return FWGetPauseRenderingCount() > 0; }
bool FWIsTimePaused() { return FWGetPauseTimeCount() > 0; }
bool FWIsActive() { return FWGetActive(); }

FWDeviceSettings FWGetDeviceSettings() {
  FWState& s = FWGetState();
  cFWLockGuard g;
  return s.m_CurrentDeviceSettings != nullptr ? *s.m_CurrentDeviceSettings : FWDeviceSettings();
}

void FWSetCallbackDeviceCreated(LPFWCALLBACKDEVICECREATED fn) { FWSetDeviceCreatedFunc(fn); }
void FWSetCallbackDeviceReset(LPFWCALLBACKDEVICERESET fn) { FWSetDeviceResetFunc(fn); }
void FWSetCallbackDeviceLost(LPFWCALLBACKDEVICELOST fn) { FWSetDeviceLostFunc(fn); }
void FWSetCallbackDeviceDestroyed(LPFWCALLBACKDEVICEDESTROYED fn) { FWSetDeviceDestroyedFunc(fn); }
void FWSetCallbackFrameMove(LPFWCALLBACKFRAMEMOVE fn) { FWSetFrameMoveFunc(fn); }
void FWSetCallbackFrameRender(LPFWCALLBACKFRAMERENDER fn) { FWSetFrameRenderFunc(fn); }
void FWSetCallbackKeyboard(LPFWCALLBACKKEYBOARD fn) { FWSetKeyboardFunc(fn); }
void FWSetCallbackMouse(LPFWCALLBACKMOUSE fn, bool includeMouseMove) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  s.m_MouseFunc = fn;
  s.m_NotifyOnMouseMove = includeMouseMove;
}
void FWSetCallbackMsgProc(LPFWCALLBACKMSGPROC fn) { FWSetWindowMsgFunc(fn); }

void FWSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen) {
  FWState& s = FWGetState();
  cFWLockGuard g;
  s.m_ShowCursorWhenFullScreen = showCursorWhenFullScreen;
  s.m_ClipCursorWhenFullScreen = clipCursorWhenFullScreen;
}

void FWSetResourceHandlers(cFWResourceHandlers* handlers) { gResources = handlers; }
cFWResourceHandlers* FWGetResourceHandlers() { return gResources; }
