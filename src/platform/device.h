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
  cPlatformDevice* Device() const { return device_; }
  const std::wstring& SourceFile() const { return file_; }
  // Every texel has full alpha (known after the texels reached the device).
  bool IsOpaque() const { return opaque_; }
  // How the texture is read when scaled (an SDL_ScaleMode); SDL hears only
  // of a change. A filtered texture's invisible texels take the colour of
  // their visible neighbours on the device, so that the filter fades edges
  // to their own colour rather than to black.
  void SetScaleMode(int mode);
  // Changes whenever the texels may have changed; never the same for two
  // textures.
  uint64_t Serial() const { return serial_; }

 private:
  friend class cPlatformDevice;
  cPlatformTexture(cPlatformDevice* device, int width, int height);
  ~cPlatformTexture();
  void DropSdl();

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
  HRESULT CreateTextureFromFile(const std::wstring& gamePath, cPlatformTexture** out);

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
