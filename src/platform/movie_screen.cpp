#include "platform/movie_screen.h"

#include <SDL.h>

#include <cstring>

#include "platform/movie_decoder.h"

cRendererMovieScreen::~cRendererMovieScreen() {
  if (texture_ != nullptr && source_ && source_() == renderer_) SDL_DestroyTexture(texture_);
}

void cRendererMovieScreen::ShowFrame(const sMovieFrame& frame) {
  SDL_Renderer* renderer = source_ ? source_() : nullptr;
  if (renderer != renderer_) {
    // A renderer that went away took its textures with it.
    texture_ = nullptr;
    renderer_ = renderer;
  }
  if (renderer_ == nullptr || frame.width <= 0 || frame.height <= 0 ||
      frame.argb.size() < static_cast<size_t>(frame.width) * frame.height)
    return;
  if (texture_ == nullptr || width_ != frame.width || height_ != frame.height) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, frame.width,
                                 frame.height);
    if (texture_ == nullptr) return;
    width_ = frame.width;
    height_ = frame.height;
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
  const size_t row = static_cast<size_t>(frame.width) * 4;
  for (int y = 0; y < frame.height; ++y)
    std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch,
                frame.argb.data() + static_cast<size_t>(y) * frame.width, row);
  SDL_UnlockTexture(texture_);
  // Movies ignore any clipping the game left set and fill the whole window.
  SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}
