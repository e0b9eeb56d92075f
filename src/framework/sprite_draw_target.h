#pragma once
// The drawing interface over the real sprite batch: textures by their
// handles, skin fonts, lines in screen pixels.
#include <functional>

#include "core/draw_target.h"

class cPlatformFont;
class cPlatformLine;
class cPlatformSprite;
class cPlatformTexture;

// Sprites are drawn from the part of their source rectangle that holds
// visible texels, found once per texture and rectangle; pictures loaded
// again must forget those parts.
void ForgetSpriteTrims();

class cSpriteDrawTarget : public cDrawTarget {
 public:
  // Fonts of other numbers than the map skin's come from the resolver.
  using FontResolver = std::function<cPlatformFont*(int font)>;
  // Handles that are not the framework's own holders (flags, units
  // pictures of the front end) come from the texture resolver.
  using TextureResolver = std::function<cPlatformTexture*(FrontEndHandle texture)>;
  // The sprite must be between Begin and End while the world draws.
  cSpriteDrawTarget(cPlatformSprite* sprite, cPlatformLine* line, FontResolver fonts = nullptr,
                    TextureResolver textures = nullptr);

  FrontEndHandle SkinPicture(eSkinPicture picture) override;
  void DrawSprite(FrontEndHandle texture, const sDrawRect& source, float x, float y, float depth,
                  uint32_t colour) override;
  void DrawSpriteStretched(FrontEndHandle texture, const sDrawRect& source, float x, float y, float width,
                           float height, float depth, uint32_t colour) override;
  void DrawFilledRect(float x, float y, float width, float height, float depth, uint32_t colour) override;
  void DrawLine(const sDrawPoint* points, int count, float width, uint32_t colour) override;
  void DrawText(int font, const std::wstring& text, const sDrawRect& rect, uint32_t format, float depth,
                uint32_t colour) override;
  sDrawTransform GetTransform() override;
  void SetTransform(const sDrawTransform& transform) override;
  void RestartBatch() override;

  // The GUI picture's handle, once the UI has registered its holder.
  FrontEndHandle guiPicture = 0;

 private:
  cPlatformSprite* sprite_;
  cPlatformLine* line_;
  FontResolver fonts_;
  TextureResolver textures_;

  cPlatformTexture* Resolve(FrontEndHandle texture) const;
};
