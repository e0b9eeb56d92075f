#pragma once
// A windowed test device of a given size, and a read-back frame saved as PNG.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/device.h"

namespace sdl_test {

inline HRESULT CreateWindowedDevice(HWND hwnd, int width, int height, cPlatformDevice** out) {
  D3DPRESENT_PARAMETERS pp;
  pp.Windowed = 1;
  pp.BackBufferWidth = width;
  pp.BackBufferHeight = height;
  return cPlatformDevice::Create(hwnd, pp, out);
}

// Writes the ARGB pixels as a PNG file at the path.
inline void SaveArgbPng(std::vector<uint32_t>& pixels, int w, int h, const std::string& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << path;
  SDL_FreeSurface(s);
}

}  // namespace sdl_test
