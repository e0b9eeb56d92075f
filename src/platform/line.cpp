#include "platform/line.h"

#include <SDL2/SDL.h>

#include <cmath>

#include "platform/device.h"

namespace {
SDL_Color Colour(D3DCOLOR c) {
  return {static_cast<Uint8>((c >> 16) & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF), static_cast<Uint8>(c & 0xFF),
          static_cast<Uint8>((c >> 24) & 0xFF)};
}
}  // namespace

HRESULT cPlatformLine::Begin() {
  if (begun_) return D3DERR_INVALIDCALL;
  begun_ = true;
  return S_OK;
}

HRESULT cPlatformLine::End() {
  if (!begun_) return D3DERR_INVALIDCALL;
  begun_ = false;
  return S_OK;
}

HRESULT cPlatformLine::Draw(const D3DXVECTOR2* points, int count, D3DCOLOR colour) {
  if (device_ == nullptr || points == nullptr) return D3DERR_INVALIDCALL;
  SDL_Renderer* r = device_->Renderer();
  if (r == nullptr || device_->IsLost()) return D3DERR_INVALIDCALL;
  if (count < 2) return S_OK;
  std::vector<SDL_Vertex> verts;
  std::vector<int> indices;
  const SDL_Color c = Colour(colour);
  const float half = width_ / 2.0f;
  for (int i = 0; i + 1 < count; ++i) {
    const float dx = points[i + 1].x - points[i].x, dy = points[i + 1].y - points[i].y;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0.0f) continue;
    // Offset both ends sideways by half the width.
    const float nx = -dy / len * half, ny = dx / len * half;
    const int base = static_cast<int>(verts.size());
    const float xs[4] = {points[i].x + nx, points[i].x - nx, points[i + 1].x + nx, points[i + 1].x - nx};
    const float ys[4] = {points[i].y + ny, points[i].y - ny, points[i + 1].y + ny, points[i + 1].y - ny};
    for (int k = 0; k < 4; ++k) verts.push_back(SDL_Vertex{{xs[k], ys[k]}, c, {0.0f, 0.0f}});
    const int quad[6] = {0, 1, 2, 1, 3, 2};
    for (int q : quad) indices.push_back(base + q);
  }
  if (verts.empty()) return S_OK;
  device_->NoteDrawn();
  return SDL_RenderGeometry(r, nullptr, verts.data(), static_cast<int>(verts.size()), indices.data(),
                            static_cast<int>(indices.size())) == 0
             ? S_OK
             : E_FAIL;
}

HRESULT DrawGradientQuad(cPlatformDevice* device, float x, float y, float width, float height,
                         const D3DCOLOR corners[4]) {
  if (device == nullptr || device->Renderer() == nullptr || device->IsLost()) return D3DERR_INVALIDCALL;
  const float xs[4] = {x, x + width, x, x + width}, ys[4] = {y, y, y + height, y + height};
  SDL_Vertex verts[4];
  for (int k = 0; k < 4; ++k) verts[k] = SDL_Vertex{{xs[k], ys[k]}, Colour(corners[k]), {0.0f, 0.0f}};
  const int indices[6] = {0, 1, 2, 1, 3, 2};
  device->NoteDrawn();
  return SDL_RenderGeometry(device->Renderer(), nullptr, verts, 4, indices, 6) == 0 ? S_OK : E_FAIL;
}
