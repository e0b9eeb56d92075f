#pragma once
// A graphics object with adapters, modes, device types and formats set up
// by the test, for the enumeration and the failure paths of start-up.
#include <string>
#include <vector>

#include "platform/d3d.h"
#include "platform/device.h"

struct FakeAdapter {
  std::string description = "Fake adapter";
  std::vector<D3DDISPLAYMODE> modes;
  D3DDISPLAYMODE desktop{1280, 1024, 60, D3DFMT_X8R8G8B8};
  bool hal = true;
  bool ref = false;
  bool hwtl = true;
  RECT work{0, 0, 1280, 1000};
};

class FakeD3D : public cPlatformD3D {
 public:
  std::vector<FakeAdapter> adapters;
  std::vector<D3DFORMAT> depthFormats{D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D32};
  bool failCreate = false;
  int creates = 0;

  uint32_t GetAdapterCount() override { return static_cast<uint32_t>(adapters.size()); }
  HRESULT GetAdapterIdentifier(uint32_t a, D3DADAPTER_IDENTIFIER9* id) override {
    if (a >= adapters.size()) return D3DERR_INVALIDCALL;
    id->Description = adapters[a].description;
    return S_OK;
  }
  std::vector<D3DDISPLAYMODE> Modes(uint32_t a, D3DFORMAT f) {
    std::vector<D3DDISPLAYMODE> out;
    for (const D3DDISPLAYMODE& m : adapters[a].modes)
      if (m.Format == f) out.push_back(m);
    return out;
  }
  uint32_t GetAdapterModeCount(uint32_t a, D3DFORMAT f) override { return static_cast<uint32_t>(Modes(a, f).size()); }
  HRESULT EnumAdapterModes(uint32_t a, D3DFORMAT f, uint32_t i, D3DDISPLAYMODE* out) override {
    std::vector<D3DDISPLAYMODE> m = Modes(a, f);
    if (i >= m.size()) return D3DERR_INVALIDCALL;
    *out = m[i];
    return S_OK;
  }
  HRESULT GetAdapterDisplayMode(uint32_t a, D3DDISPLAYMODE* out) override {
    if (a >= adapters.size()) return D3DERR_INVALIDCALL;
    *out = adapters[a].desktop;
    return S_OK;
  }
  HRESULT GetDeviceCaps(uint32_t a, D3DDEVTYPE t, D3DCAPS9* caps) override {
    if (a >= adapters.size()) return D3DERR_INVALIDCALL;
    if (!((t == D3DDEVTYPE_HAL && adapters[a].hal) || (t == D3DDEVTYPE_REF && adapters[a].ref)))
      return D3DERR_NOTAVAILABLE;
    *caps = D3DCAPS9();
    caps->DeviceType = t;
    caps->DevCaps = adapters[a].hwtl ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0;
    caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_TWO;
    return S_OK;
  }
  HRESULT CheckDeviceType(uint32_t, D3DDEVTYPE, D3DFORMAT af, D3DFORMAT bb, bool) override {
    return bb == af || (af == D3DFMT_X8R8G8B8 && bb == D3DFMT_A8R8G8B8) ? S_OK : D3DERR_NOTAVAILABLE;
  }
  HRESULT CheckDeviceFormat(uint32_t, D3DDEVTYPE, D3DFORMAT, uint32_t usage, D3DRESOURCETYPE, D3DFORMAT f) override {
    if ((usage & D3DUSAGE_DEPTHSTENCIL) == 0) return S_OK;
    for (D3DFORMAT d : depthFormats)
      if (d == f) return S_OK;
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT CheckDepthStencilMatch(uint32_t, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) override { return S_OK; }
  HRESULT CheckDeviceMultiSampleType(uint32_t, D3DDEVTYPE, D3DFORMAT, bool, D3DMULTISAMPLE_TYPE ms,
                                     uint32_t* q) override {
    if (ms != D3DMULTISAMPLE_NONE && ms != 4) return D3DERR_NOTAVAILABLE;
    if (q != nullptr) *q = ms == 4 ? 2 : 1;
    return S_OK;
  }
  HMONITOR GetAdapterMonitor(uint32_t a) override { return static_cast<HMONITOR>(a + 1); }
  RECT GetAdapterWorkArea(uint32_t a) override { return a < adapters.size() ? adapters[a].work : RECT{}; }
  HRESULT CreateDevice(uint32_t, D3DDEVTYPE, HWND focus, uint32_t, D3DPRESENT_PARAMETERS* pp,
                       cPlatformDevice** out) override {
    ++creates;
    if (failCreate) return D3DERR_NOTAVAILABLE;
    return cPlatformDevice::Create(pp->hDeviceWindow != nullptr ? pp->hDeviceWindow : focus, *pp, out);
  }
};

inline FakeAdapter StandardAdapter() {
  FakeAdapter a;
  for (D3DFORMAT f : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5})
    for (auto [w, h] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}, {1280u, 1024u}})
      a.modes.push_back({w, h, 60, f});
  a.modes.push_back({1024, 768, 75, D3DFMT_X8R8G8B8});
  return a;
}
