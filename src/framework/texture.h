#pragma once
// A texture with what is needed to make it again: the picture file it came
// from, or its being a blank texture of a given size.
#include <array>
#include <cstdint>
#include <string>

#include "platform/win_types.h"

class cPlatformTexture;

enum eTextureKind : uint8_t {
  kTextureEmpty = 0,
  kTextureFromFile = 1,
  kTextureBlank = 2,
};

// The result of an operation on a holder of an unknown kind.
constexpr HRESULT kTextureBadKind = 20;
constexpr int kBlankTextureSide = 256;

class cTexture {
 public:
  cTexture() = default;
  ~cTexture();
  cTexture(const cTexture&) = delete;
  cTexture& operator=(const cTexture&) = delete;

  // Releases what is held, then loads: kind 1 the picture file (a game
  // path), kind 2 a blank 256 x 256 texture, kind 0 nothing.
  HRESULT Load(const wchar_t* file, int kind, int mipLevels);
  HRESULT CreateBlank(int width, int height);
  void Release();
  // A blank texture is made again at its own size; a picture is the
  // owner's to load again.
  HRESULT OnCreateDevice();
  HRESULT OnResetDevice();
  void OnLostDevice();

  cPlatformTexture* Texture() const { return texture_; }
  const std::wstring& FileName() const { return file_; }
  int Kind() const { return kind_; }
  int MipLevels() const { return mips_; }
  int BlankWidth() const { return blankWidth_; }
  int BlankHeight() const { return blankHeight_; }
  // Sets the kind alone (tests of the device callbacks' other branches).
  void SetKindForTests(int kind) { kind_ = static_cast<uint8_t>(kind); }

 private:
  HRESULT MakeBlank();
  void DropTexture();

  cPlatformTexture* texture_ = nullptr;
  std::wstring file_;  // up to 499 characters
  uint8_t mips_ = 0;
  uint8_t kind_ = kTextureEmpty;
  int blankWidth_ = kBlankTextureSide;
  int blankHeight_ = kBlankTextureSide;
};

// The program's holders 0 to 18: 0 to 2 the start-up pictures (2 the GUI
// picture), 3 to 18 the per-game pictures.
constexpr int kTextureHolders = 19;
constexpr int kGuiTextureHolder = 2;
extern std::array<cTexture, kTextureHolders> gTextures;

// At the end of a game: the per-game holders and the skins' fonts, which
// the next game's skin loading makes again.
void ReleaseGamePictures();
