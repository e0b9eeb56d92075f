#pragma once
// A draw target that writes down every call, for checking what the world
// draws without pixels. Skin pictures have the handles 1 to 4 (picture + 1)
// unless a test unloads one.
#include <algorithm>
#include <string>
#include <vector>

#include "core/draw_target.h"

class cRecordingDrawTarget : public cDrawTarget {
 public:
  enum eKind { kSprite, kStretched, kFilledRect, kLine, kText, kRestart };
  struct sCall {
    eKind kind = kSprite;
    FrontEndHandle texture = 0;
    sDrawRect source;
    float x = 0, y = 0, w = 0, h = 0;
    float depth = 0;
    uint32_t colour = 0;
    int font = 0;
    uint32_t format = 0;
    std::wstring text;
    std::vector<sDrawPoint> points;
    sDrawTransform transform;  // the transform in force when drawn
  };

  cRecordingDrawTarget() {
    for (int i = 0; i < kSkinPictures; ++i) pictures[i] = i + 1;
  }

  FrontEndHandle SkinPicture(eSkinPicture picture) override {
    return picture >= 0 && picture < kSkinPictures ? pictures[picture] : 0;
  }
  void DrawSprite(FrontEndHandle texture, const sDrawRect& source, float x, float y, float depth,
                  uint32_t colour) override {
    AddRect(kSprite, texture, source, x, y, static_cast<float>(source.w), static_cast<float>(source.h), depth, colour);
  }
  void DrawSpriteStretched(FrontEndHandle texture, const sDrawRect& source, float x, float y, float width,
                           float height, float depth, uint32_t colour) override {
    AddRect(kStretched, texture, source, x, y, width, height, depth, colour);
  }
  void DrawFilledRect(float x, float y, float width, float height, float depth, uint32_t colour) override {
    AddRect(kFilledRect, 0, sDrawRect{}, x, y, width, height, depth, colour);
  }
  void DrawLine(const sDrawPoint* points, int count, float width, uint32_t colour) override {
    sCall c;
    c.kind = kLine;
    c.points.assign(points, points + std::max(count, 0));
    c.w = width;
    c.colour = colour;
    Add(c);
  }
  void DrawText(int font, const std::wstring& text, const sDrawRect& rect, uint32_t format, float depth,
                uint32_t colour) override {
    sCall c = Rect(kText, 0, rect, static_cast<float>(rect.x), static_cast<float>(rect.y), 0, 0, depth, colour);
    c.font = font;
    c.text = text;
    c.format = format;
    Add(c);
  }
  sDrawTransform GetTransform() override { return transform; }
  void SetTransform(const sDrawTransform& t) override { transform = t; }
  void RestartBatch() override {
    sCall c;
    c.kind = kRestart;
    Add(c);
  }

  // The sprites (plain or stretched) from one texture.
  std::vector<sCall> SpritesFrom(FrontEndHandle texture) const {
    std::vector<sCall> out;
    for (const sCall& c : calls)
      if ((c.kind == kSprite || c.kind == kStretched) && c.texture == texture) out.push_back(c);
    return out;
  }
  // The sprites from one skin picture.
  std::vector<sCall> SpritesFrom(eSkinPicture picture) const { return SpritesFrom(pictures[picture]); }
  // Whether a sprite with this source rectangle of the texture was drawn.
  bool Drew(FrontEndHandle texture, const sDrawRect& source) const {
    return std::any_of(calls.begin(), calls.end(), [&](const sCall& c) {
      return (c.kind == kSprite || c.kind == kStretched) && c.texture == texture && c.source == source;
    });
  }
  bool Drew(eSkinPicture picture, const sDrawRect& source) const { return Drew(pictures[picture], source); }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> out;
    for (const sCall& c : calls)
      if (c.kind == kText) out.push_back(c.text);
    return out;
  }
  void Clear() { calls.clear(); }

  std::vector<sCall> calls;
  FrontEndHandle pictures[kSkinPictures] = {};
  sDrawTransform transform;

 private:
  static sCall Rect(eKind kind, FrontEndHandle texture, const sDrawRect& source, float x, float y, float w, float h,
                    float depth, uint32_t colour) {
    sCall c;
    c.kind = kind;
    c.texture = texture;
    c.source = source;
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
    c.depth = depth;
    c.colour = colour;
    return c;
  }
  void AddRect(eKind kind, FrontEndHandle texture, const sDrawRect& source, float x, float y, float w, float h,
               float depth, uint32_t colour) {
    Add(Rect(kind, texture, source, x, y, w, h, depth, colour));
  }
  void Add(sCall c) {
    c.transform = transform;
    calls.push_back(std::move(c));
  }
};
