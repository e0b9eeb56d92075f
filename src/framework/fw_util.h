#pragma once
// Small services of the framework: text lines drawn with a font and a
// sprite, the stretched sprite draw, the search for media files, the names
// of graphics formats, the loaded creation entry point and the device cursor.
#include <string>

#include "platform/win_types.h"

class cPlatformD3D;
class cPlatformDevice;
class cPlatformFont;
class cPlatformSprite;
class cPlatformTexture;

class CFWTextHelper {
 public:
  CFWTextHelper(cPlatformFont* font, cPlatformSprite* sprite, int lineHeight);
  void SetInsertionPos(int x, int y) {
    x_ = x;
    y_ = y;
  }
  void SetForegroundColor(float r, float g, float b, float a) {
    colour_[0] = r;
    colour_[1] = g;
    colour_[2] = b;
    colour_[3] = a;
  }
  int InsertionX() const { return x_; }
  int InsertionY() const { return y_; }
  // The colour as ARGB: each channel 1.0 or more gives 255, 0 or less 0,
  // else channel x 255 + 0.5 truncated.
  D3DCOLOR Colour() const;

  void Begin();
  void End();
  HRESULT DrawTextLine(RECT& rect, DWORD format, const std::wstring& text);
  // Formats (at most 4095 characters kept) with the wide formatter, then draws.
  HRESULT DrawFormattedTextLine(RECT& rect, DWORD format, const wchar_t* fmt, ...);

 private:
  cPlatformFont* font_;
  cPlatformSprite* sprite_;
  float colour_[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  int x_ = 0;
  int y_ = 0;
  int lineHeight_;
};

// Draws the source rectangle of the texture scaled to the destination size
// at (x, y) and the depth; combine multiplies the scaling with the sprite's
// transform. The sprite's transform is restored afterwards.
void DrawSpriteStretched(cPlatformSprite* sprite, cPlatformTexture* texture, const RECT* source, float x, float y,
                         float width, float height, D3DCOLOR colour, float depth, bool combine);

constexpr HRESULT FWERR_NODIRECT3D = MakeHr(0x80040901u);
constexpr HRESULT FWERR_NOCOMPATIBLEDEVICES = MakeHr(0x80040902u);
constexpr HRESULT FWERR_MEDIANOTFOUND = MakeHr(0x80040903u);
constexpr HRESULT FWERR_NONZEROREFCOUNT = MakeHr(0x80040904u);
constexpr HRESULT FWERR_CREATINGDEVICE = MakeHr(0x80040905u);
constexpr HRESULT FWERR_RESETTINGDEVICE = MakeHr(0x80040906u);
constexpr HRESULT FWERR_CREATINGDEVICEOBJECTS = MakeHr(0x80040907u);
constexpr HRESULT FWERR_RESETTINGDEVICEOBJECTS = MakeHr(0x80040908u);
constexpr HRESULT FWERR_INCORRECTVERSION = MakeHr(0x80040909u);
constexpr HRESULT FWERR_SWITCHEDTOREF = MakeHr(0x80041001u);

// Looks for a media file in the typical folders, then upwards from the
// working folder and the program's folder, the name itself first and then
// "media\name". Found: the path and S_OK. Not found: the name itself and
// FWERR_MEDIANOTFOUND. A missing name gives E_INVALIDARG.
HRESULT FWFindMediaFile(std::wstring& destination, const std::wstring& fileName);
// The program's folder and its name without extension (tests may replace them).
void FWSetProgramPathForTests(const std::wstring& folder, const std::wstring& name);

// "D3DFMT_X8R8G8B8" or, without the prefix, "X8R8G8B8"; "Unknown format"
// for values without a name.
std::wstring FWD3DFormatToString(D3DFORMAT format, bool withPrefix);

// The loaded creation entry point: null when the graphics library or the
// entry point is missing.
cPlatformD3D* FWDynamicDirect3DCreate9(uint32_t sdkVersion);

// Makes the device's cursor from the window's arrow cursor.
HRESULT FWSetDeviceCursor(cPlatformDevice* device, bool addWatermark);
