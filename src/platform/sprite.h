#pragma once
// The sprite batch: textured quads with a 2D transform in the row-vector
// convention (p' = p x M), a colour per vertex that modulates the texels,
// drawn with SDL_RenderGeometry sorted by depth, larger depth first, in the
// order of submission among equal depths.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

class cPlatformDevice;
class cPlatformTexture;

struct D3DXMATRIX {
  float m[4][4];
};
D3DXMATRIX MatrixIdentity();
D3DXMATRIX MatrixScaling(float sx, float sy, float sz);
D3DXMATRIX MatrixTranslation(float x, float y, float z);
D3DXMATRIX MatrixRotationZ(float radians);
// a then b: a point p becomes (p x a) x b.
D3DXMATRIX MatrixMultiply(const D3DXMATRIX& a, const D3DXMATRIX& b);
D3DXVECTOR2 TransformPoint(const D3DXMATRIX& m, float x, float y);

// The mip level that a filtered quad drawn at the scale (screen pixels per
// texel) reads: the nearest one, level k at 1 / 2^k, never beyond the last.
int MipLevelForScale(float scale, int levels);

// Begin flags of the sprite (accepted; drawing always blends and sorts by depth).
constexpr DWORD D3DXSPRITE_ALPHABLEND = 0x10;
constexpr DWORD D3DXSPRITE_SORT_TEXTURE = 0x20;
constexpr DWORD D3DXSPRITE_SORT_DEPTH_FRONTTOBACK = 0x40;
constexpr DWORD D3DXSPRITE_SORT_DEPTH_BACKTOFRONT = 0x80;

class cPlatformSprite {
 public:
  explicit cPlatformSprite(cPlatformDevice* device);
  cPlatformSprite(const cPlatformSprite&) = delete;
  cPlatformSprite& operator=(const cPlatformSprite&) = delete;
  ~cPlatformSprite();

  HRESULT Begin(DWORD flags);
  // Draws what was queued, then stops queueing.
  HRESULT End();
  // Draws what was queued so far.
  HRESULT Flush();
  void SetTransform(const D3DXMATRIX& m) { transform_ = m; }
  void GetTransform(D3DXMATRIX* m) const {
    if (m != nullptr) *m = transform_;
  }
  // Queues the source rectangle of the texture (all of it when null), with
  // its centre point at the position (x, y, depth), both before the
  // transform. Outside Begin and End it draws at once.
  HRESULT Draw(cPlatformTexture* texture, const RECT* source, const D3DXVECTOR3* center,
               const D3DXVECTOR3* position, D3DCOLOR colour);
  // Same, clipped to a rectangle given before the transform (text uses it).
  HRESULT DrawClipped(cPlatformTexture* texture, const RECT& source, float x, float y, float depth, D3DCOLOR colour,
                      const RECT* clip);
  // Untextured quad with a colour per corner (top left, top right, bottom
  // left, bottom right), queued like a sprite.
  HRESULT DrawQuad(float x, float y, float width, float height, const D3DCOLOR corners[4], float depth);

  // The device keeps nothing of the sprite: these exist for the callers'
  // lost and reset handling.
  void OnLostDevice() {}
  void OnResetDevice() {}
  cPlatformDevice* Device() const { return device_; }
  bool InBegin() const { return begun_; }

 private:
  struct sItem {
    cPlatformTexture* texture;
    float depth;
    uint32_t order;
    float x[4], y[4], u[4], v[4];
    D3DCOLOR colour[4];
  };
  // What an item puts on the screen, to tell whether a frame starts as the
  // last one did.
  struct sDrawn {
    uint64_t texture;
    DWORD filter;
    float depth;
    float x[4], y[4], u[4], v[4];
    D3DCOLOR colour[4];
    bool operator==(const sDrawn&) const = default;
  };
  // The screen as it was when a frame's batch was drawn up to an item; a
  // later batch on the same cleared screen that starts with the same items
  // copies it instead of drawing them.
  struct sFrameCache {
    cPlatformTexture* picture = nullptr;
    int width = 0, height = 0;
    size_t items = 0;  // drawn into the picture; 0 when there is none
    // The screen the batch started on.
    D3DCOLOR clearColour = 0;
    int resets = 0;
    bool clipOn = false;
    RECT clip{};
    std::vector<sDrawn> last;  // the last cached-eligible batch, sorted
    std::vector<uint32_t> pixels;
  };
  HRESULT Queue(const sItem& item);
  void Render();
  // Sorts the items into sorted_ when they have few distinct depths.
  bool SortByFewDepths();
  // Draws the sorted items [from, to).
  void RenderRange(size_t from, size_t to);
  // The items of the batch that the frame cache already holds, after
  // copying them to the screen; keeps the screen after the first `keep`.
  size_t RestoreFromCache(std::vector<sDrawn>& drawn, size_t& keep);
  void SaveToCache(size_t items);
  void DropCache();

  cPlatformDevice* device_;
  D3DXMATRIX transform_;
  bool begun_ = false;
  uint32_t order_ = 0;
  std::vector<sItem> items_;
  struct sKey {
    float depth;
    uint32_t order;
    uint32_t index;
  };
  std::vector<sKey> keys_;
  std::vector<sItem*> sorted_;
  std::vector<float> depths_;
  std::vector<uint8_t> bucketOf_;
  std::vector<sDrawn> drawn_;
  sFrameCache cache_;
};
