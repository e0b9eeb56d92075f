#pragma once
// Where a movie's pictures go: each one is shown stretched over the whole
// window. The renderer's screen streams them through one texture of the
// movie's size. Main thread only.
#include <cstdint>
#include <functional>

struct SDL_Renderer;
struct SDL_Texture;
struct sMovieFrame;

class cMovieScreen {
 public:
  virtual ~cMovieScreen() = default;
  virtual void ShowFrame(const sMovieFrame& frame) = 0;
};

class cRendererMovieScreen : public cMovieScreen {
 public:
  // Asks for the renderer at every picture (null: nothing is drawn), so a
  // device that made its renderer anew after a reset is followed.
  using RendererSource = std::function<SDL_Renderer*()>;
  explicit cRendererMovieScreen(RendererSource source) : source_(std::move(source)) {}
  ~cRendererMovieScreen() override;
  cRendererMovieScreen(const cRendererMovieScreen&) = delete;
  cRendererMovieScreen& operator=(const cRendererMovieScreen&) = delete;

  // Uploads the picture, draws it over the whole output and presents.
  void ShowFrame(const sMovieFrame& frame) override;

 private:
  RendererSource source_;
  SDL_Renderer* renderer_ = nullptr;  // the one the texture belongs to
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
