#pragma once
// A map object that describes itself in the cursor's hint box while the
// mouse rests on it.
class cHoverable {
 public:
  virtual ~cHoverable() = default;
  // The hint box's width and height in pixels.
  virtual void GetHoverExtent(int& width, int& height) const = 0;
  // Draws the hint box with its top left corner at a screen point.
  virtual void DrawHoverInfo(int x, int y) = 0;
};
