#pragma once
// The framework's one state record: the graphics objects, the window, frame
// timing, input, behaviour flags and the application's callback slots. It is
// read and written only through the accessors, each of which takes the
// framework lock for its one copy while the lock flag is set.
#include <array>
#include <cstdint>

#include "platform/device.h"
#include "platform/win_types.h"

class cPlatformD3D;
class CFWEnumeration;

// The settings of one device: adapter, device type, adapter format,
// behaviour flags and the present parameters.
struct FWDeviceSettings {
  uint32_t AdapterOrdinal = 0;
  D3DDEVTYPE DeviceType = static_cast<D3DDEVTYPE>(0);
  D3DFORMAT AdapterFormat = D3DFMT_UNKNOWN;
  uint32_t BehaviorFlags = 0;
  D3DPRESENT_PARAMETERS pp;
};

enum FWMatchType : uint32_t {
  FWMT_IGNORE_INPUT = 0,
  FWMT_PRESERVE_INPUT = 1,
  FWMT_CLOSEST_TO_INPUT = 2,
};

struct FWMatchOptions {
  FWMatchType eAdapterOrdinal = FWMT_IGNORE_INPUT;
  FWMatchType eDeviceType = FWMT_IGNORE_INPUT;
  FWMatchType eWindowed = FWMT_IGNORE_INPUT;
  FWMatchType eAdapterFormat = FWMT_IGNORE_INPUT;
  FWMatchType eVertexProcessing = FWMT_IGNORE_INPUT;
  FWMatchType eResolution = FWMT_IGNORE_INPUT;
  FWMatchType eBackBufferFormat = FWMT_IGNORE_INPUT;
  FWMatchType eBackBufferCount = FWMT_IGNORE_INPUT;
  FWMatchType eMultiSample = FWMT_IGNORE_INPUT;
  FWMatchType eSwapEffect = FWMT_IGNORE_INPUT;
  FWMatchType eDepthFormat = FWMT_IGNORE_INPUT;
  FWMatchType eStencilFormat = FWMT_IGNORE_INPUT;
  FWMatchType ePresentFlags = FWMT_IGNORE_INPUT;
  FWMatchType eRefreshRate = FWMT_IGNORE_INPUT;
  FWMatchType ePresentInterval = FWMT_IGNORE_INPUT;
};

// Callback slots: plain function pointers, no user context.
using LPFWCALLBACKDEVICECREATED = HRESULT (*)(cPlatformDevice* device, const D3DSURFACE_DESC* backBuffer);
using LPFWCALLBACKDEVICERESET = HRESULT (*)(cPlatformDevice* device, const D3DSURFACE_DESC* backBuffer);
using LPFWCALLBACKDEVICELOST = void (*)();
using LPFWCALLBACKDEVICEDESTROYED = void (*)();
using LPFWCALLBACKFRAMEMOVE = void (*)(cPlatformDevice* device, double time, float elapsedTime);
using LPFWCALLBACKFRAMERENDER = void (*)(cPlatformDevice* device, double time, float elapsedTime);
using LPFWCALLBACKKEYBOARD = void (*)(UINT key, bool keyDown, bool altDown);
using LPFWCALLBACKMOUSE = void (*)(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x,
                                   int y);
using LPFWCALLBACKMSGPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* noFurtherProcessing);

// The device handlers of the GUI's shared resource cache; it registers
// itself and the framework calls it around every device change.
class cFWResourceHandlers {
 public:
  virtual ~cFWResourceHandlers() = default;
  virtual HRESULT OnCreateDevice(cPlatformDevice* device) = 0;
  virtual HRESULT OnResetDevice() = 0;
  virtual void OnLostDevice() = 0;
  virtual void OnDestroyDevice() = 0;
};

// The accessibility records (sticky, toggle and filter keys) saved at start-up;
// there is no such system setting here, so they stay zero.
struct FWStickyKeys { uint32_t size = 8, flags = 0; };
struct FWToggleKeys { uint32_t size = 8, flags = 0; };
struct FWFilterKeys { uint32_t size = 24, flags = 0, waitMs = 0, delayMs = 0, repeatMs = 0, bounceMs = 0; };

constexpr DWORD kFWDefaultWindowedStyle = 0x80CA0000u;  // popup, caption, system menu, minimise box
constexpr int kFWTextLength = 256;

// Every value field of the state: type, name, value at construction.
#define FW_STATE_VALUES(X)                                          \
  X(cPlatformD3D*, D3D, nullptr)                                    \
  X(cPlatformDevice*, D3DDevice, nullptr)                           \
  X(CFWEnumeration*, Enumeration, nullptr)                          \
  X(FWDeviceSettings*, CurrentDeviceSettings, nullptr)              \
  X(HWND, HWNDFocus, nullptr)                                       \
  X(HWND, HWNDDeviceFullScreen, nullptr)                            \
  X(HWND, HWNDDeviceWindowed, nullptr)                              \
  X(HMONITOR, AdapterMonitor, 0)                                    \
  X(double, Time, 0.0)                                              \
  X(float, ElapsedTime, 0.0f)                                       \
  X(DWORD, WindowedStyleAtModeChange, kFWDefaultWindowedStyle)      \
  X(HMENU, Menu, nullptr)                                           \
  X(double, LastStatsUpdateTime, 0.0)                               \
  X(uint32_t, LastStatsUpdateFrames, 0u)                            \
  X(float, FPS, 0.0f)                                               \
  X(uint32_t, CurrentFrameNumber, 0u)                               \
  X(HHOOK, KeyboardHook, nullptr)                                   \
  X(bool, AllowShortcutKeysWhenFullscreen, false)                   \
  X(bool, AllowShortcutKeysWhenWindowed, true)                      \
  X(bool, AllowShortcutKeys, false)                                 \
  X(bool, ClipCursorWhenFullScreen, false)                          \
  X(bool, ShowCursorWhenFullScreen, false)                          \
  X(bool, AutoChangeAdapter, true)                                  \
  X(bool, WindowCreatedWithDefaultPositions, false)                 \
  X(int, ExitCode, 0)                                               \
  X(bool, FWInited, false)                                          \
  X(bool, WindowCreated, false)                                     \
  X(bool, DeviceCreated, false)                                     \
  X(bool, FWInitCalled, false)                                      \
  X(bool, WindowCreateCalled, false)                                \
  X(bool, DeviceCreateCalled, false)                                \
  X(bool, DeviceObjectsCreated, false)                              \
  X(bool, DeviceObjectsReset, false)                                \
  X(bool, InsideDeviceCallback, false)                              \
  X(bool, InsideMainloop, false)                                    \
  X(bool, Active, true)                                             \
  X(bool, TimePaused, false)                                        \
  X(bool, RenderingPaused, false)                                   \
  X(int, PauseRenderingCount, 0)                                    \
  X(int, PauseTimeCount, 0)                                         \
  X(bool, DeviceLost, false)                                        \
  X(bool, Minimized, false)                                         \
  X(bool, Maximized, false)                                         \
  X(bool, IgnoreSizeChange, false)                                  \
  X(bool, NotifyOnMouseMove, false)                                 \
  X(LPFWCALLBACKDEVICECREATED, DeviceCreatedFunc, nullptr)          \
  X(LPFWCALLBACKDEVICERESET, DeviceResetFunc, nullptr)              \
  X(LPFWCALLBACKDEVICELOST, DeviceLostFunc, nullptr)                \
  X(LPFWCALLBACKDEVICEDESTROYED, DeviceDestroyedFunc, nullptr)      \
  X(LPFWCALLBACKFRAMEMOVE, FrameMoveFunc, nullptr)                  \
  X(LPFWCALLBACKFRAMERENDER, FrameRenderFunc, nullptr)              \
  X(LPFWCALLBACKKEYBOARD, KeyboardFunc, nullptr)                    \
  X(LPFWCALLBACKMOUSE, MouseFunc, nullptr)                          \
  X(LPFWCALLBACKMSGPROC, WindowMsgFunc, nullptr)

class FWState {
 public:
  FWState();
  FWState(const FWState&) = delete;
  FWState& operator=(const FWState&) = delete;

#define FW_DECLARE_FIELD(type, name, init) type m_##name;
  FW_STATE_VALUES(FW_DECLARE_FIELD)
#undef FW_DECLARE_FIELD

  // Embedded records.
  D3DSURFACE_DESC m_BackBufferSurfaceDesc;
  D3DCAPS9 m_Caps;
  RECT m_WindowClientRect;
  RECT m_FullScreenClientRect;
  RECT m_WindowBoundsRect;
  FWStickyKeys m_StartupStickyKeys;
  FWToggleKeys m_StartupToggleKeys;
  FWFilterKeys m_StartupFilterKeys;
  std::array<bool, 256> m_Keys{};
  std::array<bool, 5> m_MouseButtons{};  // left, middle, right, first extra, second extra
  std::array<wchar_t, kFWTextLength> m_StaticFrameStats{};
  std::array<wchar_t, kFWTextLength> m_FrameStats{};
  std::array<wchar_t, kFWTextLength> m_WindowTitle{};
};

// The state, made with its defaults on first use.
FWState& FWGetState();
// Enters and leaves the framework lock when the lock flag is set.
void FWLock();
void FWUnlock();
void FWSetLockEnabled(bool enabled);
bool FWIsLockEnabled();
// Puts the whole state back to its defaults (tests start from a clean framework).
void FWResetStateForTests();

// One getter and one setter per value field.
#define FW_DECLARE_ACCESSORS(type, name, init) \
  type FWGet##name();                          \
  void FWSet##name(type value);
FW_STATE_VALUES(FW_DECLARE_ACCESSORS)
#undef FW_DECLARE_ACCESSORS

// Getters of embedded records return the record's address.
const D3DSURFACE_DESC* FWGetBackBufferSurfaceDesc();
const D3DCAPS9* FWGetDeviceCaps();
RECT* FWGetWindowClientRect();
RECT* FWGetFullScreenClientRect();
RECT* FWGetWindowBoundsRect();
FWStickyKeys* FWGetStartupStickyKeys();
FWToggleKeys* FWGetStartupToggleKeys();
FWFilterKeys* FWGetStartupFilterKeys();
const wchar_t* FWGetStaticFrameStats();
const wchar_t* FWGetFrameStats();
const wchar_t* FWGetWindowTitle();
void FWSetBackBufferSurfaceDesc(const D3DSURFACE_DESC& desc);
void FWSetDeviceCaps(const D3DCAPS9& caps);
void FWSetWindowClientRect(const RECT& r);
void FWSetFullScreenClientRect(const RECT& r);
void FWSetWindowBoundsRect(const RECT& r);
void FWSetStaticFrameStats(const wchar_t* text);
void FWSetFrameStats(const wchar_t* text);
void FWSetWindowTitle(const wchar_t* text);
bool FWGetKeyState(int vk);
void FWSetKeyState(int vk, bool down);
bool FWGetMouseButton(int index);
void FWSetMouseButton(int index, bool down);

// The named getters of the other parts.
cPlatformD3D* FWGetD3DObject();
HWND FWGetHWND();
HWND FWGetHWNDFocus();
HWND FWGetHWNDDeviceWindowed();
bool FWIsWindowed();
bool FWIsRenderingPaused();
bool FWIsTimePaused();
bool FWIsActive();
FWDeviceSettings FWGetDeviceSettings();

// Setters of the callback slots and the cursor settings.
void FWSetCallbackDeviceCreated(LPFWCALLBACKDEVICECREATED fn);
void FWSetCallbackDeviceReset(LPFWCALLBACKDEVICERESET fn);
void FWSetCallbackDeviceLost(LPFWCALLBACKDEVICELOST fn);
void FWSetCallbackDeviceDestroyed(LPFWCALLBACKDEVICEDESTROYED fn);
void FWSetCallbackFrameMove(LPFWCALLBACKFRAMEMOVE fn);
void FWSetCallbackFrameRender(LPFWCALLBACKFRAMERENDER fn);
void FWSetCallbackKeyboard(LPFWCALLBACKKEYBOARD fn);
void FWSetCallbackMouse(LPFWCALLBACKMOUSE fn, bool includeMouseMove = false);
void FWSetCallbackMsgProc(LPFWCALLBACKMSGPROC fn);
void FWSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen);

// The GUI's resource cache, null for none.
void FWSetResourceHandlers(cFWResourceHandlers* handlers);
cFWResourceHandlers* FWGetResourceHandlers();
