#include "framework/fw_util.h"

#include <unistd.h>

#include <cstdarg>
#include <filesystem>
#include <vector>

#include "core/paths.h"
#include "core/text.h"
#include "platform/d3d.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/sprite.h"

CFWTextHelper::CFWTextHelper(cPlatformFont* font, cPlatformSprite* sprite, int lineHeight)
    : font_(font), sprite_(sprite), lineHeight_(lineHeight) {}

D3DCOLOR CFWTextHelper::Colour() const {
  auto channel = [](float v) -> uint32_t {
    if (v >= 1.0f) return 255;
    if (v <= 0.0f) return 0;
    return static_cast<uint32_t>(v * 255.0f + 0.5f);
  };
  return D3DColorArgb(channel(colour_[3]), channel(colour_[0]), channel(colour_[1]), channel(colour_[2]));
}

void CFWTextHelper::Begin() {
  if (sprite_ != nullptr) sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
}

void CFWTextHelper::End() {
  if (sprite_ != nullptr) sprite_->End();
}

HRESULT CFWTextHelper::DrawTextLine(RECT& rect, DWORD format, const std::wstring& text) {
  if (font_ == nullptr) return E_INVALIDARG;
  font_->DrawText(sprite_, text, -1, &rect, format, Colour());
  y_ += lineHeight_;
  return S_OK;
}

HRESULT CFWTextHelper::DrawFormattedTextLine(RECT& rect, DWORD format, const wchar_t* fmt, ...) {
  if (fmt == nullptr) return E_INVALIDARG;
  va_list args;
  va_start(args, fmt);
  std::wstring text = WFormatV(fmt, args);
  va_end(args);
  if (text.size() > 4095) text.resize(4095);
  return DrawTextLine(rect, format, text);
}

void DrawSpriteStretched(cPlatformSprite* sprite, cPlatformTexture* texture, const RECT* source, float x, float y,
                         float width, float height, D3DCOLOR colour, float depth, bool combine) {
  if (sprite == nullptr || texture == nullptr) return;
  const RECT src = source != nullptr ? *source : RECT{0, 0, texture->Width(), texture->Height()};
  if (src.Width() == 0 || src.Height() == 0) return;
  D3DXMATRIX saved;
  sprite->GetTransform(&saved);
  const float sx = width / static_cast<float>(src.Width()), sy = height / static_cast<float>(src.Height());
  if (sx == 0.0f || sy == 0.0f) return;
  D3DXMATRIX scaling = MatrixScaling(sx, sy, 1.0f);
  sprite->SetTransform(combine ? MatrixMultiply(scaling, saved) : scaling);
  const D3DXVECTOR3 position{x / sx, y / sy, depth};
  sprite->Draw(texture, &src, nullptr, &position, colour);
  sprite->SetTransform(saved);
}

namespace {
std::wstring gProgramFolder;
std::wstring gProgramName;
bool gProgramPathSet = false;

void ProgramPath(std::wstring& folder, std::wstring& name) {
  if (gProgramPathSet) {
    folder = gProgramFolder;
    name = gProgramName;
    return;
  }
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::path(".") / "brennmark";
  folder = Utf8ToWide(exe.parent_path().string());
  name = Utf8ToWide(exe.stem().string());
}

bool Exists(const std::wstring& gamePath) {
  std::error_code ec;
  return std::filesystem::exists(NativePath(gamePath), ec);
}

// Looks at the folder and each folder above it for the name.
bool SearchUpwards(const std::wstring& startFolder, const std::wstring& name, std::wstring& found) {
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::absolute(NativePath(startFolder), ec);
  if (ec) return false;
  dir = dir.lexically_normal();
  while (true) {
    std::wstring candidate = Utf8ToWide((dir / NativePath(name)).string());
    if (Exists(candidate)) {
      found = candidate;
      return true;
    }
    if (!dir.has_parent_path() || dir.parent_path() == dir) return false;
    dir = dir.parent_path();
  }
}
}  // namespace

void FWSetProgramPathForTests(const std::wstring& folder, const std::wstring& name) {
  gProgramFolder = folder;
  gProgramName = name;
  gProgramPathSet = !folder.empty();
}

HRESULT FWFindMediaFile(std::wstring& destination, const std::wstring& fileName) {
  if (fileName.empty()) return E_INVALIDARG;
  // The platform SDK's media folder exists only on the system the design
  // came from; here it is empty.
  const std::wstring sdkMedia;
  std::wstring exeFolder, exeName;
  ProgramPath(exeFolder, exeName);

  auto typical = [&](const std::wstring& name, std::wstring& found) {
    std::vector<std::wstring> c = {
        name,
        L"..\\" + name,
        L"..\\..\\" + name,
        exeFolder + L"\\" + name,
        exeFolder + L"\\..\\" + name,
        exeFolder + L"\\..\\..\\" + name,
        exeFolder + L"\\..\\" + exeName + L"\\" + name,
        exeFolder + L"\\..\\..\\" + exeName + L"\\" + name,
    };
    if (!sdkMedia.empty()) c.push_back(sdkMedia + name);
    for (const std::wstring& p : c)
      if (Exists(p)) {
        found = p;
        return true;
      }
    return false;
  };

  const std::wstring inMedia = L"media\\" + fileName;
  std::wstring found;
  if (typical(fileName, found) || typical(inMedia, found) || SearchUpwards(L".", fileName, found) ||
      SearchUpwards(exeFolder, fileName, found) || SearchUpwards(L".", inMedia, found) ||
      SearchUpwards(exeFolder, inMedia, found)) {
    destination = found;
    return S_OK;
  }
  destination = fileName;
  return FWERR_MEDIANOTFOUND;
}

std::wstring FWD3DFormatToString(D3DFORMAT format, bool withPrefix) {
  const wchar_t* name = nullptr;
  switch (format) {
#define FW_FORMAT_NAME(f) \
  case f:                 \
    name = L## #f;        \
    break;
    FW_FORMAT_NAME(D3DFMT_UNKNOWN)
    FW_FORMAT_NAME(D3DFMT_R8G8B8)
    FW_FORMAT_NAME(D3DFMT_A8R8G8B8)
    FW_FORMAT_NAME(D3DFMT_X8R8G8B8)
    FW_FORMAT_NAME(D3DFMT_R5G6B5)
    FW_FORMAT_NAME(D3DFMT_X1R5G5B5)
    FW_FORMAT_NAME(D3DFMT_A1R5G5B5)
    FW_FORMAT_NAME(D3DFMT_A4R4G4B4)
    FW_FORMAT_NAME(D3DFMT_R3G3B2)
    FW_FORMAT_NAME(D3DFMT_A8)
    FW_FORMAT_NAME(D3DFMT_A8R3G3B2)
    FW_FORMAT_NAME(D3DFMT_X4R4G4B4)
    FW_FORMAT_NAME(D3DFMT_A2B10G10R10)
    FW_FORMAT_NAME(D3DFMT_A8B8G8R8)
    FW_FORMAT_NAME(D3DFMT_X8B8G8R8)
    FW_FORMAT_NAME(D3DFMT_G16R16)
    FW_FORMAT_NAME(D3DFMT_A2R10G10B10)
    FW_FORMAT_NAME(D3DFMT_A16B16G16R16)
    FW_FORMAT_NAME(D3DFMT_A8P8)
    FW_FORMAT_NAME(D3DFMT_P8)
    FW_FORMAT_NAME(D3DFMT_L8)
    FW_FORMAT_NAME(D3DFMT_A8L8)
    FW_FORMAT_NAME(D3DFMT_A4L4)
    FW_FORMAT_NAME(D3DFMT_V8U8)
    FW_FORMAT_NAME(D3DFMT_L6V5U5)
    FW_FORMAT_NAME(D3DFMT_X8L8V8U8)
    FW_FORMAT_NAME(D3DFMT_Q8W8V8U8)
    FW_FORMAT_NAME(D3DFMT_V16U16)
    FW_FORMAT_NAME(D3DFMT_A2W10V10U10)
    FW_FORMAT_NAME(D3DFMT_UYVY)
    FW_FORMAT_NAME(D3DFMT_YUY2)
    FW_FORMAT_NAME(D3DFMT_DXT1)
    FW_FORMAT_NAME(D3DFMT_DXT2)
    FW_FORMAT_NAME(D3DFMT_DXT3)
    FW_FORMAT_NAME(D3DFMT_DXT4)
    FW_FORMAT_NAME(D3DFMT_DXT5)
    FW_FORMAT_NAME(D3DFMT_D16_LOCKABLE)
    FW_FORMAT_NAME(D3DFMT_D32)
    FW_FORMAT_NAME(D3DFMT_D15S1)
    FW_FORMAT_NAME(D3DFMT_D24S8)
    FW_FORMAT_NAME(D3DFMT_D24X8)
    FW_FORMAT_NAME(D3DFMT_D24X4S4)
    FW_FORMAT_NAME(D3DFMT_D16)
    FW_FORMAT_NAME(D3DFMT_L16)
    FW_FORMAT_NAME(D3DFMT_D32F_LOCKABLE)
    FW_FORMAT_NAME(D3DFMT_D24FS8)
    FW_FORMAT_NAME(D3DFMT_VERTEXDATA)
    FW_FORMAT_NAME(D3DFMT_INDEX16)
    FW_FORMAT_NAME(D3DFMT_INDEX32)
    FW_FORMAT_NAME(D3DFMT_Q16W16V16U16)
    FW_FORMAT_NAME(D3DFMT_R8G8_B8G8)
    FW_FORMAT_NAME(D3DFMT_G8R8_G8B8)
    FW_FORMAT_NAME(D3DFMT_R16F)
    FW_FORMAT_NAME(D3DFMT_G16R16F)
    FW_FORMAT_NAME(D3DFMT_A16B16G16R16F)
    FW_FORMAT_NAME(D3DFMT_R32F)
    FW_FORMAT_NAME(D3DFMT_G32R32F)
    FW_FORMAT_NAME(D3DFMT_A32B32G32R32F)
    FW_FORMAT_NAME(D3DFMT_CxV8U8)
    FW_FORMAT_NAME(D3DFMT_MULTI2_ARGB8)
#undef FW_FORMAT_NAME
  }
  if (name == nullptr) return L"Unknown format";
  std::wstring s = name;
  return withPrefix ? s : s.substr(7);  // skip "D3DFMT_"
}

cPlatformD3D* FWDynamicDirect3DCreate9(uint32_t sdkVersion) {
  // The entry point is looked up once and stays.
  return Direct3DCreate9(sdkVersion);
}

HRESULT FWSetDeviceCursor(cPlatformDevice* device, bool) {
  if (device == nullptr) return E_INVALIDARG;
  // The device cursor is the system's arrow, which SDL already shows.
  return S_OK;
}
