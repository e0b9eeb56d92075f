#include "framework/map_skin.h"

#include <array>

#include "core/console.h"
#include "core/map_skin_data.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/text.h"
#include "framework/fw_state.h"
#include "framework/sprite_draw_target.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/sprite.h"

namespace {

struct sSkinState {
  std::array<FrontEndHandle, 3> handles = {};
  // Fonts of the appearance rows, three per row, and the header font.
  std::array<std::array<cPlatformFont*, 3>, kCityAppearanceRows> rowFonts = {};
  cPlatformFont* headerFont = nullptr;
};

sSkinState& Skin() {
  static sSkinState s;
  return s;
}

const wchar_t* const kPictureFiles[3] = {L"terrain.png", L"others.png", L"eyecandies.png"};

void ReleaseFont(cPlatformFont*& f) {
  if (f != nullptr) f->Release();
  f = nullptr;
}

HRESULT MakeFont(const sMapSkinFont& rec, cPlatformFont*& out) {
  ReleaseFont(out);
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr || rec.face.empty() || rec.height <= 0) return E_FAIL;
  return cPlatformFont::Create(device, rec.height, 0, static_cast<unsigned>(rec.weight), 1, false, rec.face, &out);
}

}  // namespace

int LoadMapSkin(const std::wstring& name) {
  sSkinState& s = Skin();
  const std::wstring folder = WFormat(L"data\\gfx\\[MapSkin]%s", name.c_str());
  if (DirectoryExists(folder)) {
    // Mip levels follow what the device can hold, not the screen's size.
    const D3DCAPS9* caps = FWGetDeviceCaps();
    const int mips = caps != nullptr && caps->MaxTextureWidth > 2048 ? 3 : 1;
    ForgetSpriteTrims();
    for (int i = 0; i < 3; ++i) {
      cTexture& holder = gTextures[static_cast<size_t>(kMapSkinTextureHolder + i)];
      holder.Release();
      const std::wstring file = WFormat(L"%s\\%s", folder.c_str(), kPictureFiles[i]);
      holder.Load(file.c_str(), kTextureFromFile, mips);
      if (s.handles[i] == 0) s.handles[i] = RegisterTextureHolder(&holder);
    }
    gMapSkin.ResetDepths();
    ReadDefinitionFile(gMapSkin, WFormat(L"%s\\sprites_depth.csv", folder.c_str()));
  }
  const std::wstring appearance = WFormat(L"%s\\appearance.csv", folder.c_str());
  LogLine(L"Opening file with cities appearance definition...");
  LogLine(appearance);
  if (!ReadAppearanceFile(gMapSkin, appearance)) return static_cast<int>(gProgramSettings.mapZoom * 100.0f);
  CreateMapSkinFonts();
  return SelectCityAppearanceByZoom();
}

int SelectCityAppearanceByZoom() { return SelectCityAppearanceRow(gMapSkin, gProgramSettings.mapZoom); }

HRESULT CreateMapSkinFonts() {
  sSkinState& s = Skin();
  HRESULT hr = S_OK;
  for (int r = 0; r < kCityAppearanceRows; ++r) {
    const sCityAppearanceRow& row = gMapSkin.rows[r];
    for (int k = 0; k < 3; ++k) {
      if (row.threshold > 0)
        hr = MakeFont(row.fonts[k], s.rowFonts[r][k]);
      else
        ReleaseFont(s.rowFonts[r][k]);
    }
  }
  return MakeFont(gMapSkin.headerFont, s.headerFont) == S_OK ? hr : E_FAIL;
}

void ReleaseMapSkinFonts() {
  sSkinState& s = Skin();
  for (auto& row : s.rowFonts)
    for (cPlatformFont*& f : row) ReleaseFont(f);
  ReleaseFont(s.headerFont);
}

cPlatformFont* MapSkinFont(int font) {
  sSkinState& s = Skin();
  if (font == kFontMapHeader) return s.headerFont;
  const int k = font - kFontCityAppearance;
  if (k < 0 || k > 2 || gMapSkin.currentRow < 0) return nullptr;
  return s.rowFonts[static_cast<size_t>(gMapSkin.currentRow)][static_cast<size_t>(k)];
}

FrontEndHandle MapSkinPicture(eSkinPicture picture) {
  sSkinState& s = Skin();
  if (picture < kPictureMapTerrain || picture > kPictureMapEyecandies) return 0;
  const size_t i = static_cast<size_t>(picture);
  return gTextures[static_cast<size_t>(kMapSkinTextureHolder) + i].Texture() != nullptr ? s.handles[i] : 0;
}

void ReleaseMapSkin() {
  for (int i = 0; i < 3; ++i) gTextures[static_cast<size_t>(kMapSkinTextureHolder + i)].Release();
  ReleaseMapSkinFonts();
}

void DrawScenarioPreview(int x, int y, int w, int h, cPlatformTexture* picture) {
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return;
  cPlatformTexture* gui = gTextures[kGuiTextureHolder].Texture();
  cPlatformSprite sprite(device);
  sprite.Begin(D3DXSPRITE_ALPHABLEND);
  // The frame: the 45-pixel 3 x 3 grid of the GUI picture's first frame
  // style, corners at their size, edges and centre stretched.
  constexpr int kPiece = 45, kLeft = 0, kTop = 1913;
  const float sx = static_cast<float>(w - 2 * kPiece) / kPiece;
  const float sy = static_cast<float>(h - 2 * kPiece) / kPiece;
  if (gui != nullptr) {
    for (int j = 0; j < 3; ++j) {
      for (int i = 0; i < 3; ++i) {
        const RECT src{kLeft + kPiece * i, kTop + kPiece * j, kLeft + kPiece * (i + 1), kTop + kPiece * (j + 1)};
        const float scaleX = i == 1 ? sx : 1.0f, scaleY = j == 1 ? sy : 1.0f;
        const float dx = static_cast<float>(x) + (i == 0 ? 0.0f : i == 1 ? kPiece : static_cast<float>(w - kPiece));
        const float dy = static_cast<float>(y) + (j == 0 ? 0.0f : j == 1 ? kPiece : static_cast<float>(h - kPiece));
        if (scaleX <= 0.0f || scaleY <= 0.0f) continue;
        sprite.SetTransform(MatrixMultiply(MatrixScaling(scaleX, scaleY, 1.0f), MatrixTranslation(dx, dy, 0.0f)));
        const D3DXVECTOR3 pos{0.0f, 0.0f, 0.5f};
        sprite.Draw(gui, &src, nullptr, &pos, 0xFFFFFFFFu);
      }
    }
  }
  if (picture != nullptr && picture->Width() > 0 && picture->Height() > 0) {
    sprite.SetTransform(MatrixMultiply(
        MatrixScaling(static_cast<float>(w) / static_cast<float>(picture->Width()),
                      static_cast<float>(h) / static_cast<float>(picture->Height()), 1.0f),
        MatrixTranslation(static_cast<float>(x), static_cast<float>(y), 0.0f)));
    const D3DXVECTOR3 pos{0.0f, 0.0f, 0.4f};
    sprite.Draw(picture, nullptr, nullptr, &pos, 0xFFFFFFFFu);
  }
  sprite.End();
}
