#pragma once
// The graphics device over an SDL renderer: created for a window with its
// present parameters (accelerated, falling back to software with a log
// line; the software renderer when asked), with the lost and reset states
// of the device the game was shaped by, and textures (from picture files or
// blank A8R8G8B8 ones) that are re-created from their own copy of the
// texels after a reset. Main thread only.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win_types.h"

struct SDL_Renderer;
struct SDL_Texture;
class cPlatformDevice;

// Asks for the software renderer for every device made from now on (the
// environment variable BRENNMARK_RENDERER=software asks the same).
void PlatformUseSoftwareRenderer(bool software);
bool PlatformSoftwareRendererRequested();
// Whether the software renderer may keep the unchanged start of a frame's
// first sprite batch as a picture (on unless turned off).
void PlatformUseFrameCache(bool use);
bool PlatformFrameCacheOn();

class cPlatformTexture {
 public:
  uint32_t AddRef() { return ++refs_; }
  // Frees the texture when the last reference goes; returns the references left.
  uint32_t Release();

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The texels, row by row, A8R8G8B8, width() per row; changes reach the
  // device at Unlock.
  uint32_t* Lock() { return pixels_.data(); }
  void Unlock();
  // The SDL texture, made on first use after a create or a reset; null
  // while the device is lost or gone.
  SDL_Texture* Sdl();
  // Mip levels: level 0 is the picture, level k the one before it at half
  // its size (rounded down), each texel the alpha-weighted mean of the 2 x 2
  // it covers, so that texel j of level k covers exactly texels
  // [j 2^k, (j + 1) 2^k) of the picture. Made on first use.
  int Levels() const { return levels_; }
  int LevelWidth(int level) const { return std::max(1, width_ >> level); }
  int LevelHeight(int level) const { return std::max(1, height_ >> level); }
  SDL_Texture* Sdl(int level);
  // Which edges of the rectangle (picture texels; bits 1 left, 2 top,
  // 4 right, 8 bottom) have only invisible texels beyond them within the
  // level's texels that they cut: at such an edge nothing of a neighbouring
  // cell mixes into the level. Every edge is clear at level 0.
  int ClearEdges(int left, int top, int right, int bottom, int level);
  cPlatformDevice* Device() const { return device_; }
  const std::wstring& SourceFile() const { return file_; }
  // Every texel has full alpha (known after the texels reached the device).
  bool IsOpaque() const { return opaque_; }
  // How the texture is read when scaled (an SDL_ScaleMode); SDL hears only
  // of a change. A filtered texture's invisible texels take the colour of
  // their visible neighbours on the device, so that the filter fades edges
  // to their own colour rather than to black.
  void SetScaleMode(int mode, int level = 0);
  // Changes whenever the texels may have changed; never the same for two
  // textures.
  uint64_t Serial() const { return serial_; }

 private:
  friend class cPlatformDevice;
  cPlatformTexture(cPlatformDevice* device, int width, int height);
  ~cPlatformTexture();
  void DropSdl();
  void MakeLevels();

  // A smaller level: its texels, its SDL texture, and the version of the
  // picture's texels both were made from.
  struct sLevel {
    std::vector<uint32_t> pixels;
    SDL_Texture* sdl = nullptr;
    int scaleMode = -1;
    uint64_t uploaded = 0;
  };

  cPlatformDevice* device_;
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  std::wstring file_;
  SDL_Texture* sdl_ = nullptr;
  bool dirty_ = true;
  bool opaque_ = false;
  int scaleMode_ = -1;  // not yet told to SDL
  bool padEdges_ = false;
  void Upload();
  int levels_ = 1;
  std::vector<sLevel> smaller_;  // levels 1 to levels_ - 1
  uint64_t texels_ = 1;          // counts the changes of the picture's texels
  uint64_t levelsMade_ = 0;      // the texels the smaller levels were made from
  // ClearEdges by rectangle and level, for the texels of version edgesOf_.
  std::unordered_map<uint64_t, uint8_t> clearEdges_;
  uint64_t edgesOf_ = 0;
  uint64_t serial_;
  uint32_t refs_ = 1;
};

class cPlatformDevice {
 public:
  // Makes a device that draws into the window with the given parameters.
  static HRESULT Create(HWND window, const D3DPRESENT_PARAMETERS& params, cPlatformDevice** out);

  uint32_t AddRef() { return ++refs_; }
  // Frees the device when the last reference goes; returns the references left.
  uint32_t Release();

  // D3D_OK while usable; D3DERR_DEVICELOST while lost and not yet
  // resettable; D3DERR_DEVICENOTRESET when a Reset would succeed.
  HRESULT TestCooperativeLevel();
  HRESULT Reset(const D3DPRESENT_PARAMETERS& params);
  HRESULT Present();
  HRESULT BeginScene();
  HRESULT EndScene();
  HRESULT Clear(D3DCOLOR colour);
  // Fills the rectangle (left, top, right, bottom; limited to the back
  // buffer) with the colour, alpha included, whatever the clip rectangle.
  HRESULT ClearRect(const RECT& rect, D3DCOLOR colour);
  // Limits drawing to the rectangle; null draws everywhere.
  void SetClipRect(const RECT* rect);
  bool GetClipRect(RECT* rect) const;
  void GetBackBufferDesc(D3DSURFACE_DESC* desc) const;
  void GetCaps(D3DCAPS9* caps) const;
  // The filters of sampler 0, the only one; point sampling after a create
  // or a reset. The larger of the two is the one used.
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value);
  DWORD SamplerFilter() const { return std::max(magFilter_, minFilter_); }
  const D3DPRESENT_PARAMETERS& PresentParameters() const { return params_; }

  HRESULT CreateTexture(int width, int height, cPlatformTexture** out);
  // With mipLevels above 1 the texture has that many levels, fewer when its
  // smaller side runs out first.
  HRESULT CreateTextureFromFile(const std::wstring& gamePath, cPlatformTexture** out, int mipLevels = 1);

  // The device cursor (full screen): shown or hidden, and moved.
  void ShowCursor(bool show);
  void SetCursorPosition(int x, int y);

  // Reads the frame drawn so far, A8R8G8B8, row by row.
  bool ReadPixels(std::vector<uint32_t>& argb, int& width, int& height);

  // Makes the device lost, as a display change would; TestCooperativeLevel
  // answers D3DERR_DEVICELOST lostTests times, then D3DERR_DEVICENOTRESET.
  void ForceDeviceLoss(int lostTests = 0);
  bool IsLost() const { return lost_; }
  bool IsSoftware() const { return software_; }
  SDL_Renderer* Renderer() const { return renderer_; }
  int ResetCount() const { return resets_; }
  // Whether nothing was drawn since the last Clear, and its colour: a frame
  // drawn the same on the same cleared screen looks the same.
  bool CleanSinceClear() const { return clean_; }
  D3DCOLOR ClearColour() const { return clearColour_; }
  void NoteDrawn() { clean_ = false; }
  // The window's pixel format when it is one without alpha, else 0.
  uint32_t OpaqueFormat() const { return opaqueFormat_; }

 private:
  friend class cPlatformTexture;
  cPlatformDevice() = default;
  ~cPlatformDevice();
  bool MakeRenderer();
  void DropRenderer();
  void Forget(cPlatformTexture* t);

  HWND window_ = nullptr;
  D3DPRESENT_PARAMETERS params_;
  SDL_Renderer* renderer_ = nullptr;
  bool software_ = false;
  uint32_t opaqueFormat_ = 0;
  bool lost_ = false;
  int lostTests_ = 0;
  int resets_ = 0;
  bool clean_ = false;
  D3DCOLOR clearColour_ = 0;
  uint32_t refs_ = 1;
  int cursorX_ = 0;
  int cursorY_ = 0;
  bool clipOn_ = false;
  RECT clip_;
  DWORD magFilter_ = D3DTEXF_POINT;
  DWORD minFilter_ = D3DTEXF_POINT;
  std::vector<cPlatformTexture*> textures_;
};
