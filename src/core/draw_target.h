#pragma once
// The one narrow way in which the world's own drawing (the map and its hexes,
// cities, sea nodes, unit counters) reaches the screen: sprites cut from a
// skin picture, stretched sprites, filled rectangles, lines and text in a skin
// font. The UI implements it over the real sprite batch; tests record it.
// Positions of sprites, rectangles and text are in the batch's coordinates:
// the current transform (a uniform scale and an offset for the map view)
// turns them into screen pixels. Larger depths lie further back.
#include <cstdint>
#include <string>

#include "core/front_end.h"

// A rectangle in texels or pixels: left, top, width, height.
struct sDrawRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const sDrawRect&) const = default;
};

struct sDrawPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// The batch transform in the row-vector convention (p' = p x M), kept as the
// 4 x 4 matrix of the map view.
struct sDrawTransform {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  static sDrawTransform Scaling(float s) {
    sDrawTransform t;
    t.m[0] = s;
    t.m[5] = s;
    return t;
  }
};

// The skin pictures the world draws from.
enum eSkinPicture : int {
  kPictureMapTerrain = 0,     // map skin "terrain.png"
  kPictureMapOthers = 1,      // map skin "others.png" (decorations)
  kPictureMapEyecandies = 2,  // map skin "eyecandies.png"
  kPictureGui = 3,            // the GUI picture
  kSkinPictures = 4,
};

// Fonts by number: the GUI fonts 1 to 18 of the layout table, the three fonts
// of the current city appearance row, the map-skin header font, and the units
// skin's fonts.
constexpr int kFontGui = 0;            // + 1..18
constexpr int kFontCityAppearance = 100;  // + 0..2, of the current row
constexpr int kFontMapHeader = 110;
constexpr int kFontUnitsSkin = 200;    // + the units skin's font number

// Text format flags, the values of the platform's draw-text flags.
constexpr uint32_t kTextLeft = 0x000;
constexpr uint32_t kTextCenter = 0x001;
constexpr uint32_t kTextRight = 0x002;
constexpr uint32_t kTextVCenter = 0x004;
constexpr uint32_t kTextBottom = 0x008;
constexpr uint32_t kTextSingleLine = 0x020;
constexpr uint32_t kTextNoClip = 0x100;

constexpr uint32_t kDrawWhite = 0xFFFFFFFFu;

class cDrawTarget {
 public:
  virtual ~cDrawTarget() = default;

  // The handle of a skin picture; 0 when it is not loaded.
  virtual FrontEndHandle SkinPicture(eSkinPicture picture) = 0;
  // The source rectangle of the texture with its top left at (x, y), its
  // texels modulated by the ARGB colour.
  virtual void DrawSprite(FrontEndHandle texture, const sDrawRect& source, float x, float y, float depth,
                          uint32_t colour) = 0;
  // The same, stretched to width x height.
  virtual void DrawSpriteStretched(FrontEndHandle texture, const sDrawRect& source, float x, float y, float width,
                                   float height, float depth, uint32_t colour) = 0;
  // A filled rectangle of one colour.
  virtual void DrawFilledRect(float x, float y, float width, float height, float depth, uint32_t colour) = 0;
  // A polyline in screen pixels, outside the batch transform.
  virtual void DrawLine(const sDrawPoint* points, int count, float width, uint32_t colour) = 0;
  // One line of text in a font (see the font numbers) inside a rectangle.
  virtual void DrawText(int font, const std::wstring& text, const sDrawRect& rect, uint32_t format, float depth,
                        uint32_t colour) = 0;

  virtual sDrawTransform GetTransform() = 0;
  virtual void SetTransform(const sDrawTransform& transform) = 0;
  // Ends the batch, clears the depth buffer and begins a new batch, so that
  // what follows lies in front of everything drawn so far.
  virtual void RestartBatch() = 0;
};
