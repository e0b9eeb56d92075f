#include "framework/texture.h"

#include "core/console.h"
#include "core/text.h"
#include "framework/fw_state.h"
#include "framework/map_skin.h"
#include "framework/units_skin.h"
#include "platform/device.h"

std::array<cTexture, kTextureHolders> gTextures;

namespace {
constexpr size_t kMaxFileName = 499;
}

cTexture::~cTexture() { DropTexture(); }

void cTexture::DropTexture() {
  if (texture_ != nullptr) {
    texture_->Release();
    texture_ = nullptr;
  }
}

HRESULT cTexture::Load(const wchar_t* file, int kind, int mipLevels) {
  DropTexture();
  kind_ = static_cast<uint8_t>(kind);
  mips_ = static_cast<uint8_t>(mipLevels);
  file_ = file != nullptr ? file : L"";
  if (file_.size() > kMaxFileName) file_.resize(kMaxFileName);
  switch (kind) {
    case kTextureEmpty:
      return S_OK;
    case kTextureFromFile: {
      cPlatformDevice* device = FWGetD3DDevice();
      HRESULT hr = D3DERR_INVALIDCALL;
      if (device != nullptr) hr = device->CreateTextureFromFile(file_, &texture_, mipLevels);
      LogF(SUCCEEDED(hr) ? L"Loading file \"%s\" (%i) [OK]" : L"Loading file \"%s\" (%i) [FAILED]", file_.c_str(),
           mipLevels);
      return hr;
    }
    case kTextureBlank:
      blankWidth_ = kBlankTextureSide;
      blankHeight_ = kBlankTextureSide;
      return MakeBlank();
    default:
      return kTextureBadKind;
  }
}

HRESULT cTexture::MakeBlank() {
  DropTexture();
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return D3DERR_INVALIDCALL;
  return device->CreateTexture(blankWidth_, blankHeight_, &texture_);
}

HRESULT cTexture::CreateBlank(int width, int height) {
  if (width <= 0 || height <= 0) return E_INVALIDARG;
  blankWidth_ = width;
  blankHeight_ = height;
  kind_ = kTextureBlank;
  mips_ = 1;
  return MakeBlank();
}

void cTexture::Release() {
  DropTexture();
  file_.clear();
  kind_ = kTextureEmpty;
  mips_ = 0;
}

HRESULT cTexture::OnCreateDevice() {
  switch (kind_) {
    case kTextureEmpty:
      return S_OK;
    case kTextureBlank:
      return MakeBlank();
    default:
      return kTextureBadKind;
  }
}

HRESULT cTexture::OnResetDevice() {
  switch (kind_) {
    case kTextureEmpty:
    case kTextureFromFile:
      return S_OK;
    case kTextureBlank:
      return 2;
    default:
      return kTextureBadKind;
  }
}

// Textures keep their own texels, so there is nothing to preload.
void cTexture::OnLostDevice() {}

void ReleaseGamePictures() {
  for (int i = 3; i < kTextureHolders; ++i) gTextures[static_cast<size_t>(i)].Release();
  ReleaseMapSkinFonts();
  ReleaseUnitsSkinFonts();
}
