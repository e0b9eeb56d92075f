#include "framework/sprite_draw_target.h"

#include <vector>

#include "framework/map_skin.h"
#include "framework/texture_handles.h"
#include "framework/units_skin.h"
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

}  // namespace

cSpriteDrawTarget::cSpriteDrawTarget(cPlatformSprite* sprite, cPlatformLine* line, FontResolver fonts)
    : sprite_(sprite), line_(line), fonts_(std::move(fonts)) {}

FrontEndHandle cSpriteDrawTarget::SkinPicture(eSkinPicture picture) {
  if (picture == kPictureGui) return guiPicture;
  return MapSkinPicture(picture);
}

void cSpriteDrawTarget::DrawSprite(FrontEndHandle texture, const sDrawRect& source, float x, float y, float depth,
                                   uint32_t colour) {
  cPlatformTexture* tex = TextureOfHandle(texture);
  if (tex == nullptr || sprite_ == nullptr) return;
  const RECT src = ToRect(source);
  const D3DXVECTOR3 pos{x, y, depth};
  sprite_->Draw(tex, &src, nullptr, &pos, colour);
}

void cSpriteDrawTarget::DrawSpriteStretched(FrontEndHandle texture, const sDrawRect& source, float x, float y,
                                            float width, float height, float depth, uint32_t colour) {
  cPlatformTexture* tex = TextureOfHandle(texture);
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
