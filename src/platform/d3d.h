#pragma once
// The graphics object the framework enumerates and creates devices from:
// adapters (SDL displays), their display modes, the device types and the
// format checks. The SDL implementation offers one HAL device type per
// display with X8R8G8B8 and R5G6B5 modes; tests install objects of their own.
#include <memory>
#include <string>

#include "platform/win_types.h"

class cPlatformDevice;

struct D3DADAPTER_IDENTIFIER9 {
  std::string Driver;
  std::string Description;
  std::string DeviceName;
};

class cPlatformD3D {
 public:
  virtual ~cPlatformD3D() = default;
  virtual uint32_t AddRef() { return ++refs_; }
  // Frees the object when the last reference goes; returns the references left.
  virtual uint32_t Release();

  virtual uint32_t GetAdapterCount() = 0;
  virtual HRESULT GetAdapterIdentifier(uint32_t adapter, D3DADAPTER_IDENTIFIER9* id) = 0;
  virtual uint32_t GetAdapterModeCount(uint32_t adapter, D3DFORMAT format) = 0;
  virtual HRESULT EnumAdapterModes(uint32_t adapter, D3DFORMAT format, uint32_t mode, D3DDISPLAYMODE* out) = 0;
  virtual HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* out) = 0;
  virtual HRESULT GetDeviceCaps(uint32_t adapter, D3DDEVTYPE type, D3DCAPS9* caps) = 0;
  virtual HRESULT CheckDeviceType(uint32_t adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                  D3DFORMAT backBufferFormat, bool windowed) = 0;
  virtual HRESULT CheckDeviceFormat(uint32_t adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, uint32_t usage,
                                    D3DRESOURCETYPE resourceType, D3DFORMAT format) = 0;
  virtual HRESULT CheckDepthStencilMatch(uint32_t adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                         D3DFORMAT renderTargetFormat, D3DFORMAT depthFormat) = 0;
  virtual HRESULT CheckDeviceMultiSampleType(uint32_t adapter, D3DDEVTYPE type, D3DFORMAT format, bool windowed,
                                             D3DMULTISAMPLE_TYPE multisample, uint32_t* qualityLevels) = 0;
  virtual HMONITOR GetAdapterMonitor(uint32_t adapter) = 0;
  // The part of the adapter's desktop that windows may use.
  virtual RECT GetAdapterWorkArea(uint32_t adapter) = 0;
  virtual HRESULT CreateDevice(uint32_t adapter, D3DDEVTYPE type, HWND focusWindow, uint32_t behaviourFlags,
                               D3DPRESENT_PARAMETERS* params, cPlatformDevice** out) = 0;

 private:
  uint32_t refs_ = 1;
};

// The object over SDL's displays; null when video cannot start.
cPlatformD3D* CreateSdlD3D();

// The creation entry point the framework loads: null when the graphics
// library is missing (here: SDL video cannot start). Tests replace the
// factory; a null factory stands for a missing library.
using D3DFactoryFn = cPlatformD3D* (*)(uint32_t sdkVersion);
cPlatformD3D* Direct3DCreate9(uint32_t sdkVersion);
void SetDirect3DFactory(D3DFactoryFn fn);
void ResetDirect3DFactory();
constexpr uint32_t D3D_SDK_VERSION = 32;
