#pragma once
// What the graphics object offers (adapters, display modes, device types
// and the format combinations that work together), the choice of the best
// valid device settings for wanted settings and match options, and the
// frame-statistics texts of the chosen device.
#include <memory>
#include <string>
#include <vector>

#include "framework/fw_state.h"
#include "platform/d3d.h"

struct CFWEnumAdapterInfo;
struct CFWEnumDeviceInfo;

struct CFWEnumDSMSConflict {
  D3DFORMAT DSFormat = D3DFMT_UNKNOWN;
  D3DMULTISAMPLE_TYPE MSType = D3DMULTISAMPLE_NONE;
};

struct CFWEnumDeviceSettingsCombo {
  uint32_t AdapterOrdinal = 0;
  D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
  D3DFORMAT AdapterFormat = D3DFMT_UNKNOWN;
  D3DFORMAT BackBufferFormat = D3DFMT_UNKNOWN;
  bool Windowed = false;
  std::vector<D3DFORMAT> depthStencilFormatList;
  std::vector<D3DMULTISAMPLE_TYPE> multiSampleTypeList;
  std::vector<uint32_t> multiSampleQualityList;
  std::vector<CFWEnumDSMSConflict> DSMSConflictList;
  std::vector<uint32_t> presentIntervalList;
  CFWEnumAdapterInfo* pAdapterInfo = nullptr;
  CFWEnumDeviceInfo* pDeviceInfo = nullptr;
};

struct CFWEnumDeviceInfo {
  uint32_t AdapterOrdinal = 0;
  D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
  D3DCAPS9 Caps;
  std::vector<std::unique_ptr<CFWEnumDeviceSettingsCombo>> deviceSettingsComboList;
};

struct CFWEnumAdapterInfo {
  uint32_t AdapterOrdinal = 0;
  D3DADAPTER_IDENTIFIER9 AdapterIdentifier;
  std::wstring szUniqueDescription;  // at most 100 characters
  std::vector<D3DDISPLAYMODE> displayModeList;
  std::vector<std::unique_ptr<CFWEnumDeviceInfo>> deviceInfoList;
};

class CFWEnumeration {
 public:
  CFWEnumeration();
  // Lists everything the object offers; FWERR_NODIRECT3D without an object.
  HRESULT Enumerate(cPlatformD3D* d3d);

  const std::vector<std::unique_ptr<CFWEnumAdapterInfo>>& GetAdapterInfoList() const { return adapters_; }
  CFWEnumAdapterInfo* GetAdapterInfo(uint32_t adapterOrdinal) const;
  CFWEnumDeviceInfo* GetDeviceInfo(uint32_t adapterOrdinal, D3DDEVTYPE type) const;
  cPlatformD3D* D3D() const { return d3d_; }

  bool requirePostPixelShaderBlending = true;
  std::vector<D3DFORMAT> depthStencilPossibleList;
  std::vector<D3DMULTISAMPLE_TYPE> multiSampleTypeList;
  std::vector<uint32_t> presentIntervalList;
  bool softwareVP = true, hardwareVP = true, pureHarewareVP = true, mixedVP = false;
  uint32_t minWidth = 0, maxWidth = UINT32_MAX, minHeight = 0, maxHeight = UINT32_MAX;
  uint32_t refreshMin = 0, refreshMax = UINT32_MAX;
  uint32_t multisampleQualityMax = 0xFFFF;

 private:
  void EnumerateDevices(CFWEnumAdapterInfo* adapter, const std::vector<D3DFORMAT>& adapterFormats);
  void EnumerateDeviceCombos(CFWEnumAdapterInfo* adapter, CFWEnumDeviceInfo* device,
                             const std::vector<D3DFORMAT>& adapterFormats);

  cPlatformD3D* d3d_ = nullptr;
  std::vector<std::unique_ptr<CFWEnumAdapterInfo>> adapters_;
};

// Colour-channel bits of a back-buffer or adapter format; depth and
// stencil bits of a depth-stencil format.
int FWColorChannelBits(D3DFORMAT f);
int FWDepthBits(D3DFORMAT f);
int FWStencilBits(D3DFORMAT f);

// The one enumeration of the framework, made on first use; enumerates when
// forced or new.
CFWEnumeration* FWPrepareEnumerationObject(bool forceEnumerate = false);
// Forgets the enumeration (shutdown and tests).
void FWDestroyEnumeration();

HRESULT FWFindValidDeviceSettings(FWDeviceSettings* out, const FWDeviceSettings* in, const FWMatchOptions* options);
void FWBuildOptimalDeviceSettings(FWDeviceSettings* optimal, const FWDeviceSettings* in, const FWMatchOptions* options);
bool FWDoesSettingsMatch(const FWDeviceSettings* settings, const CFWEnumDeviceSettingsCombo* combo,
                         const FWMatchOptions* options);
float FWRankDeviceCombo(const CFWEnumDeviceSettingsCombo* combo, const FWDeviceSettings* optimal,
                        const D3DDISPLAYMODE* desktop);
void FWBuildValidDeviceSettings(FWDeviceSettings* out, const CFWEnumDeviceSettingsCombo* combo,
                                const FWDeviceSettings* in, const FWMatchOptions* options);

// The frame-statistics format after every create and reset; the text once a
// second from the frames counted.
void FWUpdateStaticFrameStats();
void FWUpdateFrameStats();
