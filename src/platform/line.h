#pragma once
// Lines of a given width, drawn as one quad per segment.
#include <vector>

#include "platform/win_types.h"

class cPlatformDevice;

class cPlatformLine {
 public:
  explicit cPlatformLine(cPlatformDevice* device) : device_(device) {}
  void SetWidth(float width) { width_ = width > 0.0f ? width : 1.0f; }
  float GetWidth() const { return width_; }
  HRESULT Begin();
  // A polyline through the points; fewer than two points draw nothing.
  HRESULT Draw(const D3DXVECTOR2* points, int count, D3DCOLOR colour);
  HRESULT End();
  void OnLostDevice() {}
  void OnResetDevice() {}

 private:
  cPlatformDevice* device_;
  float width_ = 1.0f;
  bool begun_ = false;
};

// An untextured rectangle with a colour per corner (top left, top right,
// bottom left, bottom right), drawn at once.
HRESULT DrawGradientQuad(cPlatformDevice* device, float x, float y, float width, float height,
                         const D3DCOLOR corners[4]);
