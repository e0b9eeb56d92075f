#include "platform/d3d.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <vector>

#include "platform/device.h"
#include "platform/window.h"

uint32_t cPlatformD3D::Release() {
  if (refs_ == 0) return 0;
  if (--refs_ > 0) return refs_;
  delete this;
  return 0;
}

namespace {
D3DFORMAT FormatOfSdl(uint32_t sdlFormat) {
  return SDL_BITSPERPIXEL(sdlFormat) <= 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
}

class cSdlD3D : public cPlatformD3D {
 public:
  uint32_t GetAdapterCount() override {
    const int n = SDL_GetNumVideoDisplays();
    return n > 0 ? static_cast<uint32_t>(n) : 0;
  }
  HRESULT GetAdapterIdentifier(uint32_t adapter, D3DADAPTER_IDENTIFIER9* id) override {
    if (id == nullptr || adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    const char* name = SDL_GetDisplayName(static_cast<int>(adapter));
    id->Driver = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "";
    id->Description = name != nullptr ? name : "Display";
    id->DeviceName = "display" + std::to_string(adapter);
    return S_OK;
  }
  std::vector<D3DDISPLAYMODE> Modes(uint32_t adapter, D3DFORMAT format) {
    std::vector<D3DDISPLAYMODE> out;
    const int n = SDL_GetNumDisplayModes(static_cast<int>(adapter));
    for (int i = 0; i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(static_cast<int>(adapter), i, &m) != 0) continue;
      D3DDISPLAYMODE d{static_cast<uint32_t>(m.w), static_cast<uint32_t>(m.h), static_cast<uint32_t>(m.refresh_rate),
                       FormatOfSdl(m.format)};
      if (d.Format == format) out.push_back(d);
    }
    if (out.empty()) {
      // A display that lists no mode still has its desktop.
      D3DDISPLAYMODE desk;
      if (SUCCEEDED(GetAdapterDisplayMode(adapter, &desk)) && desk.Format == format) out.push_back(desk);
    }
    return out;
  }
  uint32_t GetAdapterModeCount(uint32_t adapter, D3DFORMAT format) override {
    return static_cast<uint32_t>(Modes(adapter, format).size());
  }
  HRESULT EnumAdapterModes(uint32_t adapter, D3DFORMAT format, uint32_t mode, D3DDISPLAYMODE* out) override {
    std::vector<D3DDISPLAYMODE> m = Modes(adapter, format);
    if (out == nullptr || mode >= m.size()) return D3DERR_INVALIDCALL;
    *out = m[mode];
    return S_OK;
  }
  HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* out) override {
    SDL_DisplayMode m;
    if (out == nullptr || SDL_GetDesktopDisplayMode(static_cast<int>(adapter), &m) != 0) return D3DERR_INVALIDCALL;
    *out = {static_cast<uint32_t>(m.w), static_cast<uint32_t>(m.h), static_cast<uint32_t>(m.refresh_rate),
            FormatOfSdl(m.format)};
    return S_OK;
  }
  HRESULT GetDeviceCaps(uint32_t adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    if (caps == nullptr || adapter >= GetAdapterCount() || type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    *caps = D3DCAPS9();
    caps->DeviceType = type;
    caps->AdapterOrdinal = adapter;
    caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
    caps->MaxTextureWidth = caps->MaxTextureHeight = 8192;
    return S_OK;
  }
  HRESULT CheckDeviceType(uint32_t adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT backBuffer,
                          bool) override {
    if (adapter >= GetAdapterCount() || type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    const bool ok = (adapterFormat == D3DFMT_X8R8G8B8 && (backBuffer == D3DFMT_X8R8G8B8 || backBuffer == D3DFMT_A8R8G8B8)) ||
                    (adapterFormat == D3DFMT_R5G6B5 && backBuffer == D3DFMT_R5G6B5);
    return ok ? S_OK : D3DERR_NOTAVAILABLE;
  }
  HRESULT CheckDeviceFormat(uint32_t, D3DDEVTYPE, D3DFORMAT, uint32_t usage, D3DRESOURCETYPE,
                            D3DFORMAT format) override {
    if ((usage & D3DUSAGE_DEPTHSTENCIL) != 0)
      return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D24S8 || format == D3DFMT_D32
                 ? S_OK
                 : D3DERR_NOTAVAILABLE;
    return S_OK;
  }
  HRESULT CheckDepthStencilMatch(uint32_t, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) override { return S_OK; }
  HRESULT CheckDeviceMultiSampleType(uint32_t, D3DDEVTYPE, D3DFORMAT, bool, D3DMULTISAMPLE_TYPE multisample,
                                     uint32_t* qualityLevels) override {
    if (multisample != D3DMULTISAMPLE_NONE) return D3DERR_NOTAVAILABLE;
    if (qualityLevels != nullptr) *qualityLevels = 1;
    return S_OK;
  }
  HMONITOR GetAdapterMonitor(uint32_t adapter) override { return MonitorFromDisplay(static_cast<int>(adapter)); }
  RECT GetAdapterWorkArea(uint32_t adapter) override {
    MONITORINFO mi;
    if (GetMonitorInfo(GetAdapterMonitor(adapter), &mi)) return mi.rcWork;
    return {0, 0, 640, 480};
  }
  HRESULT CreateDevice(uint32_t adapter, D3DDEVTYPE type, HWND focusWindow, uint32_t, D3DPRESENT_PARAMETERS* params,
                       cPlatformDevice** out) override {
    if (params == nullptr || out == nullptr || adapter >= GetAdapterCount() || type != D3DDEVTYPE_HAL)
      return D3DERR_INVALIDCALL;
    HWND target = params->hDeviceWindow != nullptr ? params->hDeviceWindow : focusWindow;
    return cPlatformDevice::Create(target, *params, out);
  }
};

cPlatformD3D* DefaultFactory(uint32_t) { return CreateSdlD3D(); }
D3DFactoryFn gFactory = &DefaultFactory;
}  // namespace

cPlatformD3D* CreateSdlD3D() {
  if (!PlatformInitVideo()) return nullptr;
  return new cSdlD3D();
}

cPlatformD3D* Direct3DCreate9(uint32_t sdkVersion) { return gFactory != nullptr ? gFactory(sdkVersion) : nullptr; }
void SetDirect3DFactory(D3DFactoryFn fn) { gFactory = fn; }
void ResetDirect3DFactory() { gFactory = &DefaultFactory; }
