#include "framework/sprite_draw_target.h"

#include <unordered_map>
#include <vector>
#include <algorithm>

#include "framework/map_skin.h"
#include "framework/texture_handles.h"
#include "framework/units_skin.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/line.h"
#include "platform/sprite.h"

namespace {

D3DXMATRIX ToMatrix(const sDrawTransform& t) {
  D3DXMATRIX m;
  for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = t.m[i];
  return m;
}

RECT ToRect(const sDrawRect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

// The part of a source rectangle that holds visible texels, by texture and
// rectangle: most map pictures are a line or a small mark in a large cell,
// and the software renderer pays for every pixel it blends.
struct sTrimKey {
  const cPlatformTexture* texture;
  int x, y, w, h;
  bool operator==(const sTrimKey&) const = default;
};
struct sTrimHash {
  size_t operator()(const sTrimKey& k) const {
    size_t h = std::hash<const void*>()(k.texture);
    for (int v : {k.x, k.y, k.w, k.h}) h = h * 1000003u ^ static_cast<size_t>(v);
    return h;
  }
};
std::unordered_map<sTrimKey, sDrawRect, sTrimHash>& TrimCache() {
  static std::unordered_map<sTrimKey, sDrawRect, sTrimHash> cache;
  return cache;
}

// The bounding box of the texels with alpha above 0, inside the texture;
// an empty rectangle when there are none.
sDrawRect VisiblePart(cPlatformTexture* tex, const sDrawRect& r) {
  const sTrimKey key{tex, r.x, r.y, r.w, r.h};
  auto it = TrimCache().find(key);
  if (it != TrimCache().end()) return it->second;
  const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  const int x1 = std::min(r.x + r.w, tex->Width()), y1 = std::min(r.y + r.h, tex->Height());
  const uint32_t* px = tex->Lock();
  int l = x1, t = y1, rr = x0 - 1, b = y0 - 1;
  for (int y = y0; y < y1; ++y) {
    const uint32_t* row = px + static_cast<size_t>(y) * static_cast<size_t>(tex->Width());
    for (int x = x0; x < x1; ++x) {
      if ((row[x] >> 24) == 0) continue;
      l = std::min(l, x);
      rr = std::max(rr, x);
      t = std::min(t, y);
      b = std::max(b, y);
    }
  }
  const sDrawRect out = rr < l ? sDrawRect{r.x, r.y, 0, 0} : sDrawRect{l, t, rr - l + 1, b - t + 1};
  TrimCache().emplace(key, out);
  return out;
}

}  // namespace

void ForgetSpriteTrims() { TrimCache().clear(); }

cSpriteDrawTarget::cSpriteDrawTarget(cPlatformSprite* sprite, cPlatformLine* line, FontResolver fonts,
                                     TextureResolver textures)
    : sprite_(sprite), line_(line), fonts_(std::move(fonts)), textures_(std::move(textures)) {}

cPlatformTexture* cSpriteDrawTarget::Resolve(FrontEndHandle texture) const {
  if (texture == 0) return nullptr;
  if (HolderOfHandle(texture) != nullptr) return TextureOfHandle(texture);
  return textures_ ? textures_(texture) : nullptr;
}

FrontEndHandle cSpriteDrawTarget::SkinPicture(eSkinPicture picture) {
  if (picture == kPictureGui) return guiPicture;
  return MapSkinPicture(picture);
}

void cSpriteDrawTarget::DrawSprite(FrontEndHandle texture, const sDrawRect& source, float x, float y, float depth,
                                   uint32_t colour) {
  cPlatformTexture* tex = Resolve(texture);
  if (tex == nullptr || sprite_ == nullptr) return;
  const sDrawRect part = VisiblePart(tex, source);
  if (part.w <= 0 || part.h <= 0) return;
  const RECT src = ToRect(part);
  const D3DXVECTOR3 pos{x + static_cast<float>(part.x - source.x), y + static_cast<float>(part.y - source.y), depth};
  sprite_->Draw(tex, &src, nullptr, &pos, colour);
}

void cSpriteDrawTarget::DrawSpriteStretched(FrontEndHandle texture, const sDrawRect& source, float x, float y,
                                            float width, float height, float depth, uint32_t colour) {
  cPlatformTexture* tex = Resolve(texture);
  if (tex == nullptr || sprite_ == nullptr || source.w <= 0 || source.h <= 0) return;
  D3DXMATRIX saved;
  sprite_->GetTransform(&saved);
  const D3DXMATRIX local = MatrixMultiply(MatrixScaling(width / static_cast<float>(source.w),
                                                        height / static_cast<float>(source.h), 1.0f),
                                          MatrixTranslation(x, y, 0.0f));
  sprite_->SetTransform(MatrixMultiply(local, saved));
  const RECT src = ToRect(source);
  const D3DXVECTOR3 pos{0.0f, 0.0f, depth};
  sprite_->Draw(tex, &src, nullptr, &pos, colour);
  sprite_->SetTransform(saved);
}

void cSpriteDrawTarget::DrawFilledRect(float x, float y, float width, float height, float depth, uint32_t colour) {
  if (sprite_ == nullptr) return;
  const D3DCOLOR corners[4] = {colour, colour, colour, colour};
  sprite_->DrawQuad(x, y, width, height, corners, depth);
}

void cSpriteDrawTarget::DrawLine(const sDrawPoint* points, int count, float width, uint32_t colour) {
  if (line_ == nullptr || points == nullptr || count < 2) return;
  std::vector<D3DXVECTOR2> pts(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) pts[static_cast<size_t>(i)] = {points[i].x, points[i].y};
  line_->SetWidth(width);
  line_->Begin();
  line_->Draw(pts.data(), count, colour);
  line_->End();
}

void cSpriteDrawTarget::DrawText(int font, const std::wstring& text, const sDrawRect& rect, uint32_t format,
                                 float /*depth*/, uint32_t colour) {
  cPlatformFont* f = MapSkinFont(font);
  if (f == nullptr && fonts_) f = fonts_(font);
  if (f == nullptr && font >= kFontUnitsSkin) f = UnitsSkinFont(font - kFontUnitsSkin);
  if (f == nullptr) return;
  RECT r = ToRect(rect);
  f->DrawText(sprite_, text, -1, &r, format, colour);
}

sDrawTransform cSpriteDrawTarget::GetTransform() {
  sDrawTransform t;
  if (sprite_ == nullptr) return t;
  D3DXMATRIX m;
  sprite_->GetTransform(&m);
  for (int i = 0; i < 16; ++i) t.m[i] = m.m[i / 4][i % 4];
  return t;
}

void cSpriteDrawTarget::SetTransform(const sDrawTransform& transform) {
  if (sprite_ != nullptr) sprite_->SetTransform(ToMatrix(transform));
}

void cSpriteDrawTarget::RestartBatch() {
  if (sprite_ == nullptr || !sprite_->InBegin()) return;
  sprite_->End();
  sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_DEPTH_BACKTOFRONT);
}
