#include "platform/sprite.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/device.h"

D3DXMATRIX MatrixIdentity() {
  D3DXMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

D3DXMATRIX MatrixScaling(float sx, float sy, float sz) {
  D3DXMATRIX m = MatrixIdentity();
  m.m[0][0] = sx;
  m.m[1][1] = sy;
  m.m[2][2] = sz;
  return m;
}

D3DXMATRIX MatrixTranslation(float x, float y, float z) {
  D3DXMATRIX m = MatrixIdentity();
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

D3DXMATRIX MatrixRotationZ(float radians) {
  D3DXMATRIX m = MatrixIdentity();
  const float c = std::cos(radians), s = std::sin(radians);
  m.m[0][0] = c;
  m.m[0][1] = s;
  m.m[1][0] = -s;
  m.m[1][1] = c;
  return m;
}

D3DXMATRIX MatrixMultiply(const D3DXMATRIX& a, const D3DXMATRIX& b) {
  D3DXMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

D3DXVECTOR2 TransformPoint(const D3DXMATRIX& m, float x, float y) {
  return {x * m.m[0][0] + y * m.m[1][0] + m.m[3][0], x * m.m[0][1] + y * m.m[1][1] + m.m[3][1]};
}

cPlatformSprite::cPlatformSprite(cPlatformDevice* device) : device_(device), transform_(MatrixIdentity()) {}

HRESULT cPlatformSprite::Begin(DWORD) {
  if (begun_ || device_ == nullptr) return D3DERR_INVALIDCALL;
  begun_ = true;
  return S_OK;
}

HRESULT cPlatformSprite::End() {
  if (!begun_) return D3DERR_INVALIDCALL;
  Render();
  begun_ = false;
  return S_OK;
}

HRESULT cPlatformSprite::Flush() {
  if (!begun_) return D3DERR_INVALIDCALL;
  Render();
  return S_OK;
}

HRESULT cPlatformSprite::Queue(const sItem& item) {
  items_.push_back(item);
  items_.back().order = order_++;
  if (!begun_) Render();
  return S_OK;
}

HRESULT cPlatformSprite::Draw(cPlatformTexture* texture, const RECT* source, const D3DXVECTOR3* center,
                              const D3DXVECTOR3* position, D3DCOLOR colour) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  RECT src = source != nullptr ? *source : RECT{0, 0, texture->Width(), texture->Height()};
  const float cx = center != nullptr ? center->x : 0.0f, cy = center != nullptr ? center->y : 0.0f;
  const float px = position != nullptr ? position->x : 0.0f, py = position != nullptr ? position->y : 0.0f;
  const float depth = position != nullptr ? position->z : 0.0f;
  return DrawClipped(texture, src, px - cx, py - cy, depth, colour, nullptr);
}

HRESULT cPlatformSprite::DrawClipped(cPlatformTexture* texture, const RECT& source, float x, float y, float depth,
                                     D3DCOLOR colour, const RECT* clip) {
  if (texture == nullptr || texture->Width() <= 0 || texture->Height() <= 0) return D3DERR_INVALIDCALL;
  float x0 = x, y0 = y, x1 = x + static_cast<float>(source.Width()), y1 = y + static_cast<float>(source.Height());
  float u0 = static_cast<float>(source.left), v0 = static_cast<float>(source.top);
  float u1 = static_cast<float>(source.right), v1 = static_cast<float>(source.bottom);
  if (clip != nullptr) {
    // Cut the quad and its texture coordinates at the rectangle's edges.
    const float du = x1 > x0 ? (u1 - u0) / (x1 - x0) : 0.0f, dv = y1 > y0 ? (v1 - v0) / (y1 - y0) : 0.0f;
    const float cl = static_cast<float>(clip->left), ct = static_cast<float>(clip->top);
    const float cr = static_cast<float>(clip->right), cb = static_cast<float>(clip->bottom);
    if (x0 < cl) { u0 += (cl - x0) * du; x0 = cl; }
    if (y0 < ct) { v0 += (ct - y0) * dv; y0 = ct; }
    if (x1 > cr) { u1 -= (x1 - cr) * du; x1 = cr; }
    if (y1 > cb) { v1 -= (y1 - cb) * dv; y1 = cb; }
    if (x1 <= x0 || y1 <= y0) return S_OK;
  }
  const float tw = static_cast<float>(texture->Width()), th = static_cast<float>(texture->Height());
  sItem it{};
  it.texture = texture;
  it.depth = depth;
  const float xs[4] = {x0, x1, x0, x1}, ys[4] = {y0, y0, y1, y1};
  const float us[4] = {u0, u1, u0, u1}, vs[4] = {v0, v0, v1, v1};
  for (int i = 0; i < 4; ++i) {
    D3DXVECTOR2 p = TransformPoint(transform_, xs[i], ys[i]);
    it.x[i] = p.x;
    it.y[i] = p.y;
    it.u[i] = us[i] / tw;
    it.v[i] = vs[i] / th;
    it.colour[i] = colour;
  }
  return Queue(it);
}

HRESULT cPlatformSprite::DrawQuad(float x, float y, float width, float height, const D3DCOLOR corners[4],
                                  float depth) {
  sItem it{};
  it.texture = nullptr;
  it.depth = depth;
  const float xs[4] = {x, x + width, x, x + width}, ys[4] = {y, y, y + height, y + height};
  for (int i = 0; i < 4; ++i) {
    D3DXVECTOR2 p = TransformPoint(transform_, xs[i], ys[i]);
    it.x[i] = p.x;
    it.y[i] = p.y;
    it.colour[i] = corners[i];
  }
  return Queue(it);
}

namespace {
// Below this many items a batch is cheaper to draw than to keep.
constexpr size_t kMinCachedItems = 512;
}  // namespace

cPlatformSprite::~cPlatformSprite() { DropCache(); }

void cPlatformSprite::DropCache() {
  if (cache_.picture != nullptr) cache_.picture->Release();
  cache_.picture = nullptr;
  cache_.items = 0;
}

void cPlatformSprite::Render() {
  SDL_Renderer* r = device_ != nullptr ? device_->Renderer() : nullptr;
  if (r == nullptr || device_->IsLost() || items_.empty()) {
    items_.clear();
    order_ = 0;
    return;
  }
  // Larger depth first; the submission order decides among equal depths.
  // The items are in submission order: a batch of few depths (the map has
  // one per layer) is sorted by counting, stably.
  sorted_.resize(items_.size());
  if (!SortByFewDepths()) {
    keys_.clear();
    keys_.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i)
      keys_.push_back({items_[i].depth, items_[i].order, static_cast<uint32_t>(i)});
    std::sort(keys_.begin(), keys_.end(), [](const sKey& a, const sKey& b) {
      return a.depth != b.depth ? a.depth > b.depth : a.order < b.order;
    });
    for (size_t i = 0; i < keys_.size(); ++i) sorted_[i] = &items_[keys_[i].index];
  }

  // The software renderer pays for every blended pixel: the first batch on
  // a cleared screen that starts as the last one did (the map of a frame
  // whose view did not move) starts from the kept screen.
  const bool cacheable = PlatformFrameCacheOn() && device_->IsSoftware() && device_->CleanSinceClear() &&
                         sorted_.size() >= kMinCachedItems;
  size_t from = 0, keep = 0;
  if (cacheable) from = RestoreFromCache(drawn_, keep);
  device_->NoteDrawn();
  if (keep > from) {
    RenderRange(from, keep);
    SaveToCache(keep);
    from = keep;
  }
  RenderRange(from, sorted_.size());
  if (cacheable) cache_.last.swap(drawn_);
  items_.clear();
  order_ = 0;
}

bool cPlatformSprite::SortByFewDepths() {
  constexpr size_t kMaxDepths = 64;
  depths_.clear();
  bucketOf_.resize(items_.size());
  size_t last = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    const float d = items_[i].depth;
    if (last >= depths_.size() || depths_[last] != d) {
      last = std::find(depths_.begin(), depths_.end(), d) - depths_.begin();
      if (last == depths_.size()) {
        if (depths_.size() == kMaxDepths || d != d) return false;
        depths_.push_back(d);
      }
    }
    bucketOf_[i] = static_cast<uint8_t>(last);
  }
  // Start of each depth's run among the sorted items, larger depths first.
  size_t count[kMaxDepths] = {}, start[kMaxDepths] = {};
  for (uint8_t b : bucketOf_) ++count[b];
  size_t rank[kMaxDepths];
  for (size_t b = 0; b < depths_.size(); ++b) rank[b] = b;
  std::sort(rank, rank + depths_.size(), [&](size_t a, size_t b) { return depths_[a] > depths_[b]; });
  size_t at = 0;
  for (size_t k = 0; k < depths_.size(); ++k) {
    start[rank[k]] = at;
    at += count[rank[k]];
  }
  for (size_t i = 0; i < items_.size(); ++i) sorted_[start[bucketOf_[i]]++] = &items_[i];
  return true;
}

size_t cPlatformSprite::RestoreFromCache(std::vector<sDrawn>& drawn, size_t& keep) {
  const size_t n = sorted_.size();
  drawn.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const sItem& it = *sorted_[i];
    sDrawn& d = drawn[i];
    d.texture = it.texture != nullptr ? it.texture->Serial() : 0;
    d.filter = device_->SamplerFilter();
    d.depth = it.depth;
    for (int k = 0; k < 4; ++k) {
      d.x[k] = it.x[k];
      d.y[k] = it.y[k];
      d.u[k] = it.u[k];
      d.v[k] = it.v[k];
      d.colour[k] = it.colour[k];
    }
  }
  SDL_Renderer* r = device_->Renderer();
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(r, &w, &h);
  RECT clip{};
  const bool clipOn = device_->GetClipRect(&clip);
  const bool sameScreen = cache_.clearColour == device_->ClearColour() && cache_.resets == device_->ResetCount() &&
                          cache_.clipOn == clipOn && (!clipOn || (clip.left == cache_.clip.left &&
                                                                  clip.top == cache_.clip.top &&
                                                                  clip.right == cache_.clip.right &&
                                                                  clip.bottom == cache_.clip.bottom)) &&
                          cache_.width == w && cache_.height == h;
  size_t same = 0;
  if (sameScreen) {
    const size_t m = std::min(n, cache_.last.size());
    while (same < m && drawn[same] == cache_.last[same]) ++same;
  } else {
    cache_.items = 0;
    cache_.clearColour = device_->ClearColour();
    cache_.resets = device_->ResetCount();
    cache_.clipOn = clipOn;
    cache_.clip = clip;
    cache_.width = w;
    cache_.height = h;
  }
  keep = 0;
  if (cache_.items > 0 && cache_.items <= same && cache_.picture != nullptr) {
    if (SDL_Texture* sdl = cache_.picture->Sdl()) {
      SDL_SetTextureBlendMode(sdl, SDL_BLENDMODE_NONE);
      if (SDL_RenderCopy(r, sdl, nullptr, nullptr) == 0) return cache_.items;
    }
  }
  cache_.items = 0;
  // Kept only when most of the batch stayed as it was: a moving view would
  // pay for reading the screen back every frame.
  if (same * 2 >= n) keep = same;
  return 0;
}

void cPlatformSprite::SaveToCache(size_t items) {
  int w = 0, h = 0;
  cache_.items = 0;
  if (!device_->ReadPixels(cache_.pixels, w, h) || w != cache_.width || h != cache_.height) return;
  if (cache_.picture != nullptr && (cache_.picture->Width() != w || cache_.picture->Height() != h)) DropCache();
  if (cache_.picture == nullptr && FAILED(device_->CreateTexture(w, h, &cache_.picture))) {
    cache_.picture = nullptr;
    return;
  }
  std::copy(cache_.pixels.begin(), cache_.pixels.end(), cache_.picture->Lock());
  cache_.picture->Unlock();
  cache_.items = items;
}

namespace {

SDL_ScaleMode ScaleModeOf(DWORD filter) {
  if (filter >= D3DTEXF_ANISOTROPIC) return SDL_ScaleModeBest;
  return filter == D3DTEXF_LINEAR ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
}

// The end of a texture coordinate range moved half a texel inwards (both
// ends to its middle when it spans less than a texel).
float Inset(float v, float lo, float hi, float halfTexel) {
  if (hi - lo <= 2.0f * halfTexel) return (lo + hi) * 0.5f;
  if (v == lo) return v + halfTexel;
  return v == hi ? v - halfTexel : v;
}

// The nearest whole number, halves away from zero; inline, where the
// library's rounding is a call per coordinate of every quad.
int Nearest(float v) { return static_cast<int>(v + (v < 0.0f ? -0.5f : 0.5f)); }

// A source rectangle in a smaller level's texels (2^level picture texels
// to one). An edge that cuts a level texel keeps it when what the texel
// holds beyond the edge is invisible, and otherwise moves inwards past it,
// so that nothing of a neighbouring cell is read.
struct sLevelRect {
  float left, top, right, bottom;
  // How far a reading may reach: the level texels that hold nothing of a
  // visible neighbour.
  float minLeft, minTop, maxRight, maxBottom;
};
sLevelRect LevelRect(cPlatformTexture* t, int level, float u0, float v0, float u1, float v1) {
  const float tw = static_cast<float>(t->Width()), th = static_cast<float>(t->Height());
  const float f = static_cast<float>(1 << level);
  const int clear = t->ClearEdges(Nearest(u0 * tw), Nearest(v0 * th), Nearest(u1 * tw), Nearest(v1 * th), level);
  constexpr float kSlack = 1e-3f;
  const float lw = static_cast<float>(t->LevelWidth(level)), lh = static_cast<float>(t->LevelHeight(level));
  const float l = u0 * tw / f, tp = v0 * th / f, rt = u1 * tw / f, b = v1 * th / f;
  sLevelRect r{};
  r.minLeft = (clear & 1) != 0 ? std::floor(l + kSlack) : std::ceil(l - kSlack);
  r.minTop = (clear & 2) != 0 ? std::floor(tp + kSlack) : std::ceil(tp - kSlack);
  r.maxRight = std::min((clear & 4) != 0 ? std::ceil(rt - kSlack) : std::floor(rt + kSlack), lw);
  r.maxBottom = std::min((clear & 8) != 0 ? std::ceil(b - kSlack) : std::floor(b + kSlack), lh);
  r.left = std::max(l, r.minLeft);
  r.top = std::max(tp, r.minTop);
  r.right = std::min(rt, r.maxRight);
  r.bottom = std::min(b, r.maxBottom);
  return r;
}

// The level coordinate of texture coordinate u of a quad whose range
// [lo, hi] became [first, last] (level texels per unit of u: scale): the
// ends half a texel inside, both in the middle when less than a texel is
// left.
float LevelInset(float u, float lo, float hi, float scale, float first, float last) {
  if (last - first <= 1.0f) return (first + last) * 0.5f;
  if (u == lo) return first + 0.5f;
  return u == hi ? last - 0.5f : u * scale;
}

// Screen pixels per texel of a quad, along its shorter footprint.
float ScaleOf(const float x[4], const float y[4], const float u[4], const float v[4], float tw, float th) {
  const float du = std::fabs(u[1] - u[0]) * tw, dv = std::fabs(v[2] - v[0]) * th;
  float scale = 1.0f;
  bool any = false;
  if (du > 0.0f) {
    scale = std::sqrt((x[1] - x[0]) * (x[1] - x[0]) + (y[1] - y[0]) * (y[1] - y[0])) / du;
    any = true;
  }
  if (dv > 0.0f) {
    const float s = std::sqrt((x[2] - x[0]) * (x[2] - x[0]) + (y[2] - y[0]) * (y[2] - y[0])) / dv;
    scale = any ? std::min(scale, s) : s;
  }
  return scale;
}

}  // namespace

int MipLevelForScale(float scale, int levels) {
  if (!(scale > 0.0f)) return 0;
  // Level k + 1 from log2(1 / scale) = k + 1/2 on.
  int level = 0;
  for (float halfway = 0.70710678f; level + 1 < levels && scale <= halfway; halfway *= 0.5f) ++level;
  return level;
}

void cPlatformSprite::RenderRange(size_t from, size_t to) {
  SDL_Renderer* r = device_->Renderer();
  const SDL_ScaleMode mode = ScaleModeOf(device_->SamplerFilter());
  // A GPU's filter reads half a texel beyond the texture coordinates of a
  // quad's edge, into the neighbouring cell of a sheet: filtered quads go as
  // geometry with their coordinates half a texel inside the cell. The
  // software renderer's stretch keeps within the source rectangle, and a
  // quad drawn unscaled at whole pixels reads exact texels anyway.
  const bool inset = mode != SDL_ScaleModeNearest && !device_->IsSoftware();
  // Axis-aligned quads of one colour are copies, which the software
  // renderer blits; the rest go as geometry, consecutive quads of one
  // texture in one call.
  std::vector<SDL_Vertex> verts;
  std::vector<int> indices;
  cPlatformTexture* batchTexture = nullptr;
  int batchLevel = 0;
  // The texture and colour of the last copy, whose settings still hold.
  SDL_Texture* lastCopied = nullptr;
  D3DCOLOR lastColour = 0;
  auto flush = [&] {
    lastCopied = nullptr;
    if (!verts.empty()) {
      SDL_Texture* sdl = batchTexture != nullptr ? batchTexture->Sdl(batchLevel) : nullptr;
      if (batchTexture == nullptr || sdl != nullptr) {
        if (sdl != nullptr) batchTexture->SetScaleMode(mode, batchLevel);
        if (sdl != nullptr) SDL_SetTextureBlendMode(sdl, SDL_BLENDMODE_BLEND);
        if (sdl != nullptr) SDL_SetTextureColorMod(sdl, 255, 255, 255);
        if (sdl != nullptr) SDL_SetTextureAlphaMod(sdl, 255);
        SDL_RenderGeometry(r, sdl, verts.data(), static_cast<int>(verts.size()), indices.data(),
                           static_cast<int>(indices.size()));
      }
    }
    verts.clear();
    indices.clear();
  };
  for (size_t i = from; i < to; ++i) {
    const sItem& it = *sorted_[i];
    const bool axisAligned = it.x[0] == it.x[2] && it.x[1] == it.x[3] && it.y[0] == it.y[1] && it.y[2] == it.y[3] &&
                             it.x[1] > it.x[0] && it.y[2] > it.y[0];
    const bool oneColour = it.colour[0] == it.colour[1] && it.colour[0] == it.colour[2] && it.colour[0] == it.colour[3];
    const float tw = it.texture != nullptr ? static_cast<float>(it.texture->Width()) : 1.0f;
    const float th = it.texture != nullptr ? static_cast<float>(it.texture->Height()) : 1.0f;
    const bool exact = axisAligned && std::fabs((it.x[1] - it.x[0]) - (it.u[1] - it.u[0]) * tw) < 1e-3f &&
                       std::fabs((it.y[2] - it.y[0]) - (it.v[2] - it.v[0]) * th) < 1e-3f &&
                       it.x[0] == std::floor(it.x[0]) && it.y[0] == std::floor(it.y[0]);
    // A filtered quad drawn smaller than its texels reads the nearest mip
    // level, as a GPU's point mip filter would.
    int level = 0;
    if (mode != SDL_ScaleModeNearest && it.texture != nullptr && it.texture->Levels() > 1)
      level = MipLevelForScale(ScaleOf(it.x, it.y, it.u, it.v, tw, th), it.texture->Levels());
    if (it.texture != nullptr && axisAligned && oneColour && (!inset || exact)) {
      SDL_FRect dst{it.x[0], it.y[0], it.x[1] - it.x[0], it.y[2] - it.y[0]};
      if (device_->IsSoftware() && mode != SDL_ScaleModeNearest) {
        // The software renderer cuts a copy's position and its size to whole
        // pixels each on its own, so that a scaled tile's far edge misses its
        // neighbour's near one by a pixel: both edges are rounded instead.
        const int left = Nearest(it.x[0]), top = Nearest(it.y[0]);
        dst = SDL_FRect{static_cast<float>(left), static_cast<float>(top), static_cast<float>(Nearest(it.x[1]) - left),
                        static_cast<float>(Nearest(it.y[2]) - top)};
        if (dst.w <= 0.0f || dst.h <= 0.0f) continue;
      }
      SDL_Rect src{static_cast<int>(std::lround(it.u[0] * tw)), static_cast<int>(std::lround(it.v[0] * th)), 0, 0};
      src.w = static_cast<int>(std::lround(it.u[1] * tw)) - src.x;
      src.h = static_cast<int>(std::lround(it.v[2] * th)) - src.y;
      // At a smaller level, the level texels under the pixels the copy
      // covers, whose rounding moves the picture less than the pixels'; a
      // cell with nothing left there reads the level above.
      for (; level > 0; --level) {
        const sLevelRect lr = LevelRect(it.texture, level, it.u[0], it.v[0], it.u[1], it.v[2]);
        const float sx = (lr.right - lr.left) / (it.x[1] - it.x[0]), sy = (lr.bottom - lr.top) / (it.y[2] - it.y[0]);
        auto across = [&](float v) { return Nearest(std::clamp(v, lr.minLeft, lr.maxRight)); };
        auto down = [&](float v) { return Nearest(std::clamp(v, lr.minTop, lr.maxBottom)); };
        const int x0 = across(lr.left + (dst.x - it.x[0]) * sx), x1 = across(lr.right + (dst.x + dst.w - it.x[1]) * sx);
        const int y0 = down(lr.top + (dst.y - it.y[0]) * sy), y1 = down(lr.bottom + (dst.y + dst.h - it.y[2]) * sy);
        if (x1 > x0 && y1 > y0) {
          src = SDL_Rect{x0, y0, x1 - x0, y1 - y0};
          break;
        }
      }
      if (src.w <= 0 || src.h <= 0) continue;
      flush();
      SDL_Texture* sdl = it.texture->Sdl(level);
      if (sdl == nullptr) continue;
      it.texture->SetScaleMode(mode, level);
      const D3DCOLOR c = it.colour[0];
      if (sdl != lastCopied || c != lastColour) {
        const Uint8 alpha = static_cast<Uint8>((c >> 24) & 0xFF);
        // Opaque texels at full alpha need no blending: a plain copy.
        SDL_SetTextureBlendMode(sdl, it.texture->IsOpaque() && alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        SDL_SetTextureColorMod(sdl, static_cast<Uint8>((c >> 16) & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF),
                               static_cast<Uint8>(c & 0xFF));
        SDL_SetTextureAlphaMod(sdl, alpha);
        lastCopied = sdl;
        lastColour = c;
      }
      SDL_RenderCopyF(r, sdl, &src, &dst);
      continue;
    }
    if (it.texture != batchTexture || level != batchLevel) flush();
    batchTexture = it.texture;
    batchLevel = level;
    const int base = static_cast<int>(verts.size());
    const auto [u0, u1] = std::minmax({it.u[0], it.u[1], it.u[2], it.u[3]});
    const auto [v0, v1] = std::minmax({it.v[0], it.v[1], it.v[2], it.v[3]});
    // A smaller level's texel units: picture texels / 2^level.
    const float lw = level > 0 ? tw / static_cast<float>(1 << level) : 0.0f;
    const float lh = level > 0 ? th / static_cast<float>(1 << level) : 0.0f;
    const sLevelRect lr = level > 0 ? LevelRect(it.texture, level, u0, v0, u1, v1) : sLevelRect{};
    for (int k = 0; k < 4; ++k) {
      SDL_Vertex v;
      v.position = {it.x[k], it.y[k]};
      const D3DCOLOR c = it.colour[k];
      v.color = {static_cast<Uint8>((c >> 16) & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF), static_cast<Uint8>(c & 0xFF),
                 static_cast<Uint8>((c >> 24) & 0xFF)};
      v.tex_coord = {it.u[k], it.v[k]};
      if (level > 0) {
        v.tex_coord = {LevelInset(it.u[k], u0, u1, lw, lr.left, lr.right) / static_cast<float>(it.texture->LevelWidth(level)),
                       LevelInset(it.v[k], v0, v1, lh, lr.top, lr.bottom) / static_cast<float>(it.texture->LevelHeight(level))};
      } else if (inset && it.texture != nullptr) {
        v.tex_coord = {Inset(it.u[k], u0, u1, 0.5f / tw), Inset(it.v[k], v0, v1, 0.5f / th)};
      }
      verts.push_back(v);
    }
    const int quad[6] = {0, 1, 2, 1, 3, 2};
    for (int q : quad) indices.push_back(base + q);
  }
  flush();
}
