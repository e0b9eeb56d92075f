#include "framework/fw_enumeration.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/text.h"
#include "framework/fw_timer.h"
#include "framework/fw_util.h"

int FWColorChannelBits(D3DFORMAT f) {
  switch (f) {
    case D3DFMT_R8G8B8: case D3DFMT_A8R8G8B8: case D3DFMT_X8R8G8B8: case D3DFMT_A8B8G8R8: return 8;
    case D3DFMT_R5G6B5: case D3DFMT_X1R5G5B5: case D3DFMT_A1R5G5B5: return 5;
    case D3DFMT_A4R4G4B4: case D3DFMT_X4R4G4B4: return 4;
    case D3DFMT_R3G3B2: case D3DFMT_A8R3G3B2: return 2;
    case D3DFMT_A2B10G10R10: case D3DFMT_A2R10G10B10: return 10;
    case D3DFMT_A16B16G16R16: return 16;
    default: return 0;
  }
}

int FWDepthBits(D3DFORMAT f) {
  switch (f) {
    case D3DFMT_D16: case D3DFMT_D16_LOCKABLE: return 16;
    case D3DFMT_D32: case D3DFMT_D32F_LOCKABLE: return 32;
    case D3DFMT_D15S1: return 15;
    case D3DFMT_D24S8: case D3DFMT_D24X8: case D3DFMT_D24X4S4: case D3DFMT_D24FS8: return 24;
    default: return 0;
  }
}

int FWStencilBits(D3DFORMAT f) {
  switch (f) {
    case D3DFMT_D15S1: return 1;
    case D3DFMT_D24S8: case D3DFMT_D24FS8: return 8;
    case D3DFMT_D24X4S4: return 4;
    default: return 0;
  }
}

CFWEnumeration::CFWEnumeration()
    : depthStencilPossibleList{D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32},
      presentIntervalList{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_ONE,
                          D3DPRESENT_INTERVAL_TWO, D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR} {
  multiSampleTypeList.push_back(D3DMULTISAMPLE_NONE);
  multiSampleTypeList.push_back(D3DMULTISAMPLE_NONMASKABLE);
  for (uint32_t i = 2; i <= 16; ++i) multiSampleTypeList.push_back(static_cast<D3DMULTISAMPLE_TYPE>(i));
}

CFWEnumAdapterInfo* CFWEnumeration::GetAdapterInfo(uint32_t adapterOrdinal) const {
  for (const auto& a : adapters_)
    if (a->AdapterOrdinal == adapterOrdinal) return a.get();
  return nullptr;
}

CFWEnumDeviceInfo* CFWEnumeration::GetDeviceInfo(uint32_t adapterOrdinal, D3DDEVTYPE type) const {
  if (CFWEnumAdapterInfo* a = GetAdapterInfo(adapterOrdinal))
    for (const auto& d : a->deviceInfoList)
      if (d->DeviceType == type) return d.get();
  return nullptr;
}

HRESULT CFWEnumeration::Enumerate(cPlatformD3D* d3d) {
  if (d3d == nullptr) return FWERR_NODIRECT3D;
  d3d_ = d3d;
  adapters_.clear();
  const D3DFORMAT allowedAdapterFormats[] = {D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_A2R10G10B10};
  const uint32_t count = d3d->GetAdapterCount();
  for (uint32_t adapter = 0; adapter < count; ++adapter) {
    auto info = std::make_unique<CFWEnumAdapterInfo>();
    info->AdapterOrdinal = adapter;
    d3d->GetAdapterIdentifier(adapter, &info->AdapterIdentifier);
    std::vector<D3DFORMAT> adapterFormats;
    for (D3DFORMAT format : allowedAdapterFormats) {
      const uint32_t modes = d3d->GetAdapterModeCount(adapter, format);
      for (uint32_t m = 0; m < modes; ++m) {
        D3DDISPLAYMODE mode;
        if (FAILED(d3d->EnumAdapterModes(adapter, format, m, &mode))) continue;
        if (mode.Width < minWidth || mode.Height < minHeight || mode.Width > maxWidth || mode.Height > maxHeight ||
            mode.RefreshRate < refreshMin || mode.RefreshRate > refreshMax)
          continue;
        info->displayModeList.push_back(mode);
        if (std::find(adapterFormats.begin(), adapterFormats.end(), mode.Format) == adapterFormats.end())
          adapterFormats.push_back(mode.Format);
      }
    }
    D3DDISPLAYMODE desktop;
    if (SUCCEEDED(d3d->GetAdapterDisplayMode(adapter, &desktop)) &&
        std::find(adapterFormats.begin(), adapterFormats.end(), desktop.Format) == adapterFormats.end())
      adapterFormats.push_back(desktop.Format);
    std::sort(info->displayModeList.begin(), info->displayModeList.end(),
              [](const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
                if (a.Width != b.Width) return a.Width < b.Width;
                if (a.Height != b.Height) return a.Height < b.Height;
                if (a.Format != b.Format) return a.Format < b.Format;
                return a.RefreshRate < b.RefreshRate;
              });
    EnumerateDevices(info.get(), adapterFormats);
    if (!info->deviceInfoList.empty()) adapters_.push_back(std::move(info));
  }

  // Adapters with one description are told apart by their ordinals.
  bool duplicate = false;
  for (size_t i = 0; i < adapters_.size() && !duplicate; ++i)
    for (size_t j = i + 1; j < adapters_.size(); ++j)
      if (adapters_[i]->AdapterIdentifier.Description == adapters_[j]->AdapterIdentifier.Description) {
        duplicate = true;
        break;
      }
  for (auto& a : adapters_) {
    std::wstring d = Cp1252ToWide(a->AdapterIdentifier.Description);
    if (d.size() > 100) d.resize(100);
    if (duplicate) d += WFormat(L" (#%d)", static_cast<int>(a->AdapterOrdinal));
    if (d.size() > 100) d.resize(100);
    a->szUniqueDescription = d;
  }
  return S_OK;
}

void CFWEnumeration::EnumerateDevices(CFWEnumAdapterInfo* adapter, const std::vector<D3DFORMAT>& adapterFormats) {
  const D3DDEVTYPE types[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF};
  for (D3DDEVTYPE type : types) {
    auto device = std::make_unique<CFWEnumDeviceInfo>();
    device->AdapterOrdinal = adapter->AdapterOrdinal;
    device->DeviceType = type;
    if (FAILED(d3d_->GetDeviceCaps(adapter->AdapterOrdinal, type, &device->Caps))) continue;
    EnumerateDeviceCombos(adapter, device.get(), adapterFormats);
    if (!device->deviceSettingsComboList.empty()) adapter->deviceInfoList.push_back(std::move(device));
  }
}

void CFWEnumeration::EnumerateDeviceCombos(CFWEnumAdapterInfo* adapter, CFWEnumDeviceInfo* device,
                                           const std::vector<D3DFORMAT>& adapterFormats) {
  const D3DFORMAT backBufferFormats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A2R10G10B10,
                                         D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5};
  const uint32_t ord = adapter->AdapterOrdinal;
  for (D3DFORMAT adapterFormat : adapterFormats) {
    for (D3DFORMAT bb : backBufferFormats) {
      for (int w = 0; w < 2; ++w) {
        const bool windowed = w == 1;
        if (!windowed && adapter->displayModeList.empty()) continue;
        if (FAILED(d3d_->CheckDeviceType(ord, device->DeviceType, adapterFormat, bb, windowed))) continue;
        if (requirePostPixelShaderBlending &&
            FAILED(d3d_->CheckDeviceFormat(ord, device->DeviceType, adapterFormat,
                                           D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, bb)))
          continue;
        auto combo = std::make_unique<CFWEnumDeviceSettingsCombo>();
        combo->AdapterOrdinal = ord;
        combo->DeviceType = device->DeviceType;
        combo->AdapterFormat = adapterFormat;
        combo->BackBufferFormat = bb;
        combo->Windowed = windowed;
        combo->pAdapterInfo = adapter;
        combo->pDeviceInfo = device;
        for (D3DFORMAT ds : depthStencilPossibleList)
          if (SUCCEEDED(d3d_->CheckDeviceFormat(ord, device->DeviceType, adapterFormat, D3DUSAGE_DEPTHSTENCIL,
                                                D3DRTYPE_SURFACE, ds)) &&
              SUCCEEDED(d3d_->CheckDepthStencilMatch(ord, device->DeviceType, adapterFormat, bb, ds)))
            combo->depthStencilFormatList.push_back(ds);
        for (D3DMULTISAMPLE_TYPE ms : multiSampleTypeList) {
          uint32_t quality = 0;
          if (SUCCEEDED(d3d_->CheckDeviceMultiSampleType(ord, device->DeviceType, bb, windowed, ms, &quality))) {
            combo->multiSampleTypeList.push_back(ms);
            combo->multiSampleQualityList.push_back(std::min(quality, multisampleQualityMax + 1));
          }
        }
        for (D3DFORMAT ds : combo->depthStencilFormatList)
          for (D3DMULTISAMPLE_TYPE ms : combo->multiSampleTypeList)
            if (FAILED(d3d_->CheckDeviceMultiSampleType(ord, device->DeviceType, ds, windowed, ms, nullptr)))
              combo->DSMSConflictList.push_back({ds, ms});
        for (uint32_t interval : presentIntervalList) {
          if (windowed && (interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
                           interval == D3DPRESENT_INTERVAL_FOUR))
            continue;
          if (interval == D3DPRESENT_INTERVAL_DEFAULT || (device->Caps.PresentationIntervals & interval) != 0)
            combo->presentIntervalList.push_back(interval);
        }
        if (combo->multiSampleTypeList.empty()) continue;
        device->deviceSettingsComboList.push_back(std::move(combo));
      }
    }
  }
}

namespace {
std::unique_ptr<CFWEnumeration> gEnumeration;

const FWMatchOptions& IgnoreAll() {
  static const FWMatchOptions none;
  return none;
}

float FormatScore(D3DFORMAT a, D3DFORMAT b) {
  if (a == b) return 1.0f;
  const int delta = std::abs(FWColorChannelBits(a) - FWColorChannelBits(b));
  return std::max(0.9f - static_cast<float>(delta) * 0.2f, 0.0f);
}

bool HasMode(const CFWEnumAdapterInfo* a, D3DFORMAT format, uint32_t w, uint32_t h) {
  for (const D3DDISPLAYMODE& m : a->displayModeList)
    if (m.Format == format && m.Width == w && m.Height == h) return true;
  return false;
}

bool HasRefresh(const CFWEnumAdapterInfo* a, D3DFORMAT format, uint32_t refresh) {
  for (const D3DDISPLAYMODE& m : a->displayModeList)
    if (m.Format == format && m.RefreshRate == refresh) return true;
  return false;
}

bool Listed(const std::vector<uint32_t>& list, uint32_t v) { return std::find(list.begin(), list.end(), v) != list.end(); }

bool DesktopMode(uint32_t adapter, D3DDISPLAYMODE* mode) {
  cPlatformD3D* d3d = FWGetD3D();
  return d3d != nullptr && SUCCEEDED(d3d->GetAdapterDisplayMode(adapter, mode));
}
}  // namespace

CFWEnumeration* FWPrepareEnumerationObject(bool forceEnumerate) {
  const bool isNew = !gEnumeration;
  if (isNew) gEnumeration = std::make_unique<CFWEnumeration>();
  FWSetEnumeration(gEnumeration.get());
  if (isNew || forceEnumerate) gEnumeration->Enumerate(FWGetD3D());
  return gEnumeration.get();
}

void FWDestroyEnumeration() {
  gEnumeration.reset();
  FWSetEnumeration(nullptr);
}

void FWBuildOptimalDeviceSettings(FWDeviceSettings* optimal, const FWDeviceSettings* inPtr,
                                  const FWMatchOptions* options) {
  const FWDeviceSettings in = inPtr != nullptr ? *inPtr : FWDeviceSettings();
  const FWMatchOptions& o = options != nullptr ? *options : IgnoreAll();
  FWDeviceSettings s;
  s.AdapterOrdinal = o.eAdapterOrdinal == FWMT_IGNORE_INPUT ? 0 : in.AdapterOrdinal;
  s.DeviceType = o.eDeviceType == FWMT_IGNORE_INPUT ? D3DDEVTYPE_HAL : in.DeviceType;
  s.pp.Windowed = o.eWindowed == FWMT_IGNORE_INPUT ? 1 : in.pp.Windowed;
  D3DDISPLAYMODE desktop;
  if (!DesktopMode(s.AdapterOrdinal, &desktop)) desktop = D3DDISPLAYMODE{640, 480, 0, D3DFMT_X8R8G8B8};
  if (o.eAdapterFormat == FWMT_IGNORE_INPUT)
    s.AdapterFormat = s.pp.Windowed != 0 || FWColorChannelBits(desktop.Format) >= 8 ? desktop.Format : D3DFMT_X8R8G8B8;
  else
    s.AdapterFormat = in.AdapterFormat;
  s.BehaviorFlags = o.eVertexProcessing == FWMT_IGNORE_INPUT ? D3DCREATE_HARDWARE_VERTEXPROCESSING : in.BehaviorFlags;
  if (o.eResolution == FWMT_IGNORE_INPUT) {
    s.pp.BackBufferWidth = s.pp.Windowed != 0 ? 640 : desktop.Width;
    s.pp.BackBufferHeight = s.pp.Windowed != 0 ? 480 : desktop.Height;
  } else {
    s.pp.BackBufferWidth = in.pp.BackBufferWidth;
    s.pp.BackBufferHeight = in.pp.BackBufferHeight;
  }
  s.pp.BackBufferFormat = o.eBackBufferFormat == FWMT_IGNORE_INPUT ? s.AdapterFormat : in.pp.BackBufferFormat;
  s.pp.BackBufferCount = o.eBackBufferCount == FWMT_IGNORE_INPUT ? 1 : in.pp.BackBufferCount;
  if (o.eMultiSample == FWMT_IGNORE_INPUT) {
    s.pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    s.pp.MultiSampleQuality = 0;
  } else {
    s.pp.MultiSampleType = in.pp.MultiSampleType;
    s.pp.MultiSampleQuality = in.pp.MultiSampleQuality;
  }
  s.pp.SwapEffect = o.eSwapEffect == FWMT_IGNORE_INPUT ? D3DSWAPEFFECT_DISCARD : in.pp.SwapEffect;
  if (o.eDepthFormat == FWMT_IGNORE_INPUT && o.eStencilFormat == FWMT_IGNORE_INPUT) {
    s.pp.EnableAutoDepthStencil = 1;
    s.pp.AutoDepthStencilFormat = FWColorChannelBits(s.pp.BackBufferFormat) >= 8 ? D3DFMT_D32 : D3DFMT_D16;
  } else {
    s.pp.EnableAutoDepthStencil = in.pp.EnableAutoDepthStencil;
    s.pp.AutoDepthStencilFormat = in.pp.AutoDepthStencilFormat;
  }
  s.pp.Flags = o.ePresentFlags == FWMT_IGNORE_INPUT ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : in.pp.Flags;
  s.pp.FullScreen_RefreshRateInHz = o.eRefreshRate == FWMT_IGNORE_INPUT ? 0 : in.pp.FullScreen_RefreshRateInHz;
  if (o.ePresentInterval == FWMT_IGNORE_INPUT)
    s.pp.PresentationInterval = s.pp.Windowed != 0 ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_DEFAULT;
  else
    s.pp.PresentationInterval = in.pp.PresentationInterval;
  *optimal = s;
}

bool FWDoesSettingsMatch(const FWDeviceSettings* s, const CFWEnumDeviceSettingsCombo* c, const FWMatchOptions* options) {
  const FWMatchOptions& o = options != nullptr ? *options : IgnoreAll();
  const auto keep = [](FWMatchType t) { return t == FWMT_PRESERVE_INPUT; };
  if (keep(o.eAdapterOrdinal) && s->AdapterOrdinal != c->AdapterOrdinal) return false;
  if (keep(o.eDeviceType) && s->DeviceType != c->DeviceType) return false;
  if (keep(o.eWindowed) && (s->pp.Windowed != 0) != c->Windowed) return false;
  if (keep(o.eAdapterFormat) && s->AdapterFormat != c->AdapterFormat) return false;
  if (keep(o.eVertexProcessing) && (s->BehaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING) != 0 &&
      (c->pDeviceInfo->Caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) == 0)
    return false;
  if (keep(o.eResolution) &&
      !HasMode(c->pAdapterInfo, c->AdapterFormat, s->pp.BackBufferWidth, s->pp.BackBufferHeight))
    return false;
  if (keep(o.eBackBufferFormat) && s->pp.BackBufferFormat != c->BackBufferFormat) return false;
  if (keep(o.eMultiSample)) {
    bool found = false;
    for (size_t i = 0; i < c->multiSampleTypeList.size(); ++i)
      if (c->multiSampleTypeList[i] == s->pp.MultiSampleType &&
          c->multiSampleQualityList[i] >= s->pp.MultiSampleQuality)
        found = true;
    if (!found) return false;
  }
  if (keep(o.eDepthFormat) || keep(o.eStencilFormat)) {
    bool found = false;
    for (D3DFORMAT f : c->depthStencilFormatList) {
      const bool depthOk = !keep(o.eDepthFormat) || FWDepthBits(f) == FWDepthBits(s->pp.AutoDepthStencilFormat);
      const bool stencilOk = !keep(o.eStencilFormat) || FWStencilBits(f) == FWStencilBits(s->pp.AutoDepthStencilFormat);
      if (depthOk && stencilOk) found = true;
    }
    if (!found) return false;
  }
  if (keep(o.eRefreshRate) && !HasRefresh(c->pAdapterInfo, c->AdapterFormat, s->pp.FullScreen_RefreshRateInHz))
    return false;
  if (keep(o.ePresentInterval) && !Listed(c->presentIntervalList, s->pp.PresentationInterval)) return false;
  return true;
}

float FWRankDeviceCombo(const CFWEnumDeviceSettingsCombo* c, const FWDeviceSettings* opt,
                        const D3DDISPLAYMODE* desktop) {
  float rank = 0.0f;
  if (c->AdapterOrdinal == opt->AdapterOrdinal) rank += 1000.0f;
  if (c->DeviceType == opt->DeviceType) rank += 100.0f;
  if (c->DeviceType == D3DDEVTYPE_HAL) rank += 0.1f;
  if (c->Windowed == (opt->pp.Windowed != 0)) rank += 10.0f;
  rank += FormatScore(c->AdapterFormat, opt->AdapterFormat);
  if (!c->Windowed) {
    const bool match = FWColorChannelBits(desktop->Format) >= 8 ? c->AdapterFormat == desktop->Format
                                                                : c->AdapterFormat == D3DFMT_X8R8G8B8;
    if (match) rank += 0.1f;
  }
  const bool hwtl = (c->pDeviceInfo->Caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
  if ((opt->BehaviorFlags & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING)) != 0 && hwtl)
    rank += 1.0f;
  if (hwtl) rank += 0.1f;
  if (HasMode(c->pAdapterInfo, c->AdapterFormat, opt->pp.BackBufferWidth, opt->pp.BackBufferHeight)) rank += 1.0f;
  rank += FormatScore(c->BackBufferFormat, opt->pp.BackBufferFormat);
  if (c->BackBufferFormat == c->AdapterFormat) rank += 0.1f;
  for (size_t i = 0; i < c->multiSampleTypeList.size(); ++i)
    if (c->multiSampleTypeList[i] == opt->pp.MultiSampleType &&
        c->multiSampleQualityList[i] > opt->pp.MultiSampleQuality) {
      rank += 1.0f;
      break;
    }
  if (std::find(c->depthStencilFormatList.begin(), c->depthStencilFormatList.end(), opt->pp.AutoDepthStencilFormat) !=
      c->depthStencilFormatList.end())
    rank += 1.0f;
  if (HasRefresh(c->pAdapterInfo, c->AdapterFormat, opt->pp.FullScreen_RefreshRateInHz)) rank += 1.0f;
  if (Listed(c->presentIntervalList, opt->pp.PresentationInterval)) rank += 1.0f;
  return rank;
}

void FWBuildValidDeviceSettings(FWDeviceSettings* out, const CFWEnumDeviceSettingsCombo* c,
                                const FWDeviceSettings* inPtr, const FWMatchOptions* options) {
  const FWDeviceSettings in = inPtr != nullptr ? *inPtr : FWDeviceSettings();
  const FWMatchOptions& o = options != nullptr ? *options : IgnoreAll();
  FWDeviceSettings s;
  s.AdapterOrdinal = c->AdapterOrdinal;
  s.DeviceType = c->DeviceType;
  s.AdapterFormat = c->AdapterFormat;
  s.pp.BackBufferFormat = c->BackBufferFormat;
  s.pp.Windowed = c->Windowed ? 1 : 0;

  D3DDISPLAYMODE desktop;
  if (!DesktopMode(c->AdapterOrdinal, &desktop)) desktop = D3DDISPLAYMODE{640, 480, 0, c->AdapterFormat};

  // Behaviour flags.
  const bool hwtl = (c->pDeviceInfo->Caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
  const uint32_t vpBits =
      D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  if (o.eVertexProcessing == FWMT_PRESERVE_INPUT) {
    s.BehaviorFlags = in.BehaviorFlags;
  } else if (o.eVertexProcessing == FWMT_IGNORE_INPUT) {
    s.BehaviorFlags = hwtl ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  } else {
    s.BehaviorFlags = in.BehaviorFlags;
    if (!hwtl && (s.BehaviorFlags & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING)) != 0) {
      s.BehaviorFlags &= ~(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING);
      s.BehaviorFlags |= D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    }
    if ((s.BehaviorFlags & vpBits) == 0)
      s.BehaviorFlags |= hwtl ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  }

  // Resolution.
  if (o.eResolution == FWMT_PRESERVE_INPUT) {
    s.pp.BackBufferWidth = in.pp.BackBufferWidth;
    s.pp.BackBufferHeight = in.pp.BackBufferHeight;
  } else {
    uint32_t wantW = 0, wantH = 0;
    if (o.eResolution == FWMT_CLOSEST_TO_INPUT && in.pp.BackBufferWidth != 0 && in.pp.BackBufferHeight != 0) {
      wantW = in.pp.BackBufferWidth;
      wantH = in.pp.BackBufferHeight;
    } else if (c->Windowed) {
      wantW = 640;
      wantH = 480;
    } else {
      wantW = desktop.Width;
      wantH = desktop.Height;
    }
    if (c->Windowed) {
      // A window keeps the size asked for: snapping it to a display mode
      // would leave it without a layout of its size where the display
      // lists one mode only. It may not exceed the usable desktop.
      const RECT work = FWGetD3D() != nullptr ? FWGetD3D()->GetAdapterWorkArea(c->AdapterOrdinal) : RECT{0, 0, 0, 0};
      if (work.Width() > 0 && work.Height() > 0) {
        wantW = std::min<uint32_t>(wantW, static_cast<uint32_t>(work.Width()));
        wantH = std::min<uint32_t>(wantH, static_cast<uint32_t>(work.Height()));
      }
      s.pp.BackBufferWidth = wantW;
      s.pp.BackBufferHeight = wantH;
    } else {
      s.pp.BackBufferWidth = wantW;
      s.pp.BackBufferHeight = wantH;
      uint32_t best = UINT32_MAX;
      for (const D3DDISPLAYMODE& m : c->pAdapterInfo->displayModeList) {
        if (m.Format != c->AdapterFormat) continue;
        const uint32_t d = static_cast<uint32_t>(std::abs(static_cast<int64_t>(m.Width) - wantW) +
                                                 std::abs(static_cast<int64_t>(m.Height) - wantH));
        if (d < best) {
          best = d;
          s.pp.BackBufferWidth = m.Width;
          s.pp.BackBufferHeight = m.Height;
          if (d == 0) break;
        }
      }
    }
  }

  // Back buffers.
  if (o.eBackBufferCount == FWMT_PRESERVE_INPUT) s.pp.BackBufferCount = in.pp.BackBufferCount;
  else if (o.eBackBufferCount == FWMT_IGNORE_INPUT) s.pp.BackBufferCount = 2;
  else s.pp.BackBufferCount = std::clamp<uint32_t>(in.pp.BackBufferCount, 1, 3);

  // Multisampling.
  if (in.pp.SwapEffect != D3DSWAPEFFECT_DISCARD || o.eMultiSample == FWMT_IGNORE_INPUT) {
    s.pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    s.pp.MultiSampleQuality = 0;
  } else if (o.eMultiSample == FWMT_PRESERVE_INPUT) {
    s.pp.MultiSampleType = in.pp.MultiSampleType;
    s.pp.MultiSampleQuality = in.pp.MultiSampleQuality;
  } else {
    int64_t best = INT64_MAX;
    for (size_t i = 0; i < c->multiSampleTypeList.size(); ++i) {
      const int64_t d = std::abs(static_cast<int64_t>(c->multiSampleTypeList[i]) - in.pp.MultiSampleType);
      if (d < best) {
        best = d;
        s.pp.MultiSampleType = c->multiSampleTypeList[i];
        const uint32_t levels = c->multiSampleQualityList[i];
        s.pp.MultiSampleQuality = std::min(in.pp.MultiSampleQuality, levels > 0 ? levels - 1 : 0);
      }
    }
  }

  // Swap effect.
  if (o.eSwapEffect == FWMT_PRESERVE_INPUT) s.pp.SwapEffect = in.pp.SwapEffect;
  else if (o.eSwapEffect == FWMT_CLOSEST_TO_INPUT && in.pp.SwapEffect >= 1 && in.pp.SwapEffect <= 3)
    s.pp.SwapEffect = in.pp.SwapEffect;
  else s.pp.SwapEffect = D3DSWAPEFFECT_DISCARD;

  // Depth and stencil.
  const int inDepth = FWDepthBits(in.pp.AutoDepthStencilFormat);
  const int inStencil = FWStencilBits(in.pp.AutoDepthStencilFormat);
  const int bbBits = FWColorChannelBits(c->BackBufferFormat);
  int64_t bestPenalty = INT64_MAX;
  D3DFORMAT depthFormat = D3DFMT_UNKNOWN;
  for (D3DFORMAT f : c->depthStencilFormatList) {
    const int d = FWDepthBits(f), st = FWStencilBits(f);
    int64_t penalty = 0;
    if (o.eDepthFormat == FWMT_PRESERVE_INPUT) penalty += d == inDepth ? 0 : 10000;
    else if (o.eDepthFormat == FWMT_CLOSEST_TO_INPUT) penalty += std::abs(d - inDepth);
    else penalty += std::abs(bbBits * 4 - d);
    if (o.eStencilFormat == FWMT_PRESERVE_INPUT) penalty += st == inStencil ? 0 : 10000;
    else if (o.eStencilFormat == FWMT_CLOSEST_TO_INPUT) penalty += std::abs(st - inStencil);
    else penalty += st;
    if (penalty < bestPenalty) {
      bestPenalty = penalty;
      depthFormat = f;
    }
  }
  const bool haveDepth = depthFormat != D3DFMT_UNKNOWN;
  s.pp.EnableAutoDepthStencil = haveDepth ? 1 : 0;
  s.pp.AutoDepthStencilFormat = depthFormat;

  // Present flags.
  if (o.ePresentFlags == FWMT_PRESERVE_INPUT) s.pp.Flags = in.pp.Flags;
  else if (o.ePresentFlags == FWMT_CLOSEST_TO_INPUT)
    s.pp.Flags = in.pp.Flags | (haveDepth ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : 0);
  else s.pp.Flags = haveDepth ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : 0;

  // Refresh rate.
  if (c->Windowed) {
    s.pp.FullScreen_RefreshRateInHz = 0;
  } else if (o.eRefreshRate == FWMT_PRESERVE_INPUT) {
    s.pp.FullScreen_RefreshRateInHz = in.pp.FullScreen_RefreshRateInHz;
  } else {
    const uint32_t want = o.eRefreshRate == FWMT_CLOSEST_TO_INPUT ? in.pp.FullScreen_RefreshRateInHz : desktop.RefreshRate;
    s.pp.FullScreen_RefreshRateInHz = want;
    int64_t best = INT64_MAX;
    for (const D3DDISPLAYMODE& m : c->pAdapterInfo->displayModeList) {
      if (m.Format != c->AdapterFormat || m.Width != s.pp.BackBufferWidth || m.Height != s.pp.BackBufferHeight) continue;
      const int64_t d = std::abs(static_cast<int64_t>(m.RefreshRate) - want);
      if (d < best) {
        best = d;
        s.pp.FullScreen_RefreshRateInHz = m.RefreshRate;
        if (d == 0) break;
      }
    }
  }

  // Present interval.
  const uint32_t byMode = c->Windowed ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_DEFAULT;
  if (o.ePresentInterval == FWMT_PRESERVE_INPUT) s.pp.PresentationInterval = in.pp.PresentationInterval;
  else if (o.ePresentInterval == FWMT_CLOSEST_TO_INPUT && Listed(c->presentIntervalList, in.pp.PresentationInterval))
    s.pp.PresentationInterval = in.pp.PresentationInterval;
  else s.pp.PresentationInterval = byMode;

  s.pp.hDeviceWindow = c->Windowed ? FWGetHWNDDeviceWindowed() : FWGetHWNDDeviceFullScreen();
  *out = s;
}

HRESULT FWFindValidDeviceSettings(FWDeviceSettings* out, const FWDeviceSettings* in, const FWMatchOptions* options) {
  if (out == nullptr) return E_INVALIDARG;
  CFWEnumeration* e = FWPrepareEnumerationObject(false);
  const FWMatchOptions& o = options != nullptr ? *options : IgnoreAll();
  FWDeviceSettings optimal;
  FWBuildOptimalDeviceSettings(&optimal, in, &o);
  const CFWEnumDeviceSettingsCombo* best = nullptr;
  float bestRank = -1.0f;
  for (const auto& adapter : e->GetAdapterInfoList()) {
    D3DDISPLAYMODE desktop;
    if (!DesktopMode(adapter->AdapterOrdinal, &desktop)) desktop = D3DDISPLAYMODE();
    for (const auto& device : adapter->deviceInfoList)
      for (const auto& combo : device->deviceSettingsComboList) {
        if (combo->Windowed && combo->AdapterFormat != desktop.Format) continue;
        if (!FWDoesSettingsMatch(&optimal, combo.get(), &o)) continue;
        const float rank = FWRankDeviceCombo(combo.get(), &optimal, &desktop);
        if (rank > bestRank) {  // the first one wins a tie
          bestRank = rank;
          best = combo.get();
        }
      }
  }
  if (best == nullptr) return FWERR_NOCOMPATIBLEDEVICES;
  FWBuildValidDeviceSettings(out, best, in, &o);
  return S_OK;
}

void FWUpdateStaticFrameStats() {
  const FWDeviceSettings s = FWGetDeviceSettings();
  std::wstring formats;
  if (s.pp.BackBufferFormat == s.AdapterFormat)
    formats = FWD3DFormatToString(s.AdapterFormat, false);
  else
    formats = WFormat(L"backbuf %s, adapter %s", FWD3DFormatToString(s.pp.BackBufferFormat, false).c_str(),
                      FWD3DFormatToString(s.AdapterFormat, false).c_str());
  std::wstring depth;
  if (s.pp.EnableAutoDepthStencil != 0)
    depth = WFormat(L" (%s)", FWD3DFormatToString(s.pp.AutoDepthStencilFormat, false).c_str());
  std::wstring multisample;
  if (s.pp.MultiSampleType == D3DMULTISAMPLE_NONMASKABLE) multisample = L" (Nonmaskable Multisample)";
  else if (s.pp.MultiSampleType != D3DMULTISAMPLE_NONE)
    multisample = WFormat(L" (%dx Multisample)", static_cast<int>(s.pp.MultiSampleType));
  const std::wstring text =
      WFormat(L"%%.02f fps (%dx%d), %s%s%s", static_cast<int>(s.pp.BackBufferWidth),
              static_cast<int>(s.pp.BackBufferHeight), formats.c_str(), depth.c_str(), multisample.c_str());
  FWSetStaticFrameStats(text.c_str());
}

void FWUpdateFrameStats() {
  const double now = FWGetGlobalTimer()->GetAbsoluteTime();
  FWSetLastStatsUpdateFrames(FWGetLastStatsUpdateFrames() + 1);
  const double last = FWGetLastStatsUpdateTime();
  if (now - last >= 1.0) {
    const float fps = static_cast<float>(FWGetLastStatsUpdateFrames() / (now - last));
    FWSetFPS(fps);
    FWSetLastStatsUpdateTime(now);
    FWSetLastStatsUpdateFrames(0);
    const std::wstring format = FWGetStaticFrameStats();
    FWSetFrameStats(WFormat(format.c_str(), static_cast<double>(fps)).c_str());
  }
}
