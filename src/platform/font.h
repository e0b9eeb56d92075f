#pragma once
// Fonts on SDL2_ttf with a glyph atlas, drawn through the sprite batch. A
// font is asked for as the game asks for one: a cell height (negative: a
// character height), a weight and a face name. The cell height maps to the
// point size whose font height matches it, heavy weights to the bold face,
// and an unknown face to the installed family.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_layout.h"
#include "platform/win_types.h"

class cPlatformDevice;
class cPlatformSprite;
class cPlatformTexture;
typedef struct _TTF_Font TTF_Font;

constexpr unsigned FW_NORMAL = 400;
constexpr unsigned FW_SEMIBOLD = 600;
constexpr unsigned FW_BOLD = 700;

// The font file for a face name, weight and slant; empty when no font file
// is installed at all.
std::string FindFontFile(const std::wstring& face, unsigned weight, bool italic);
// The point size whose font height is the largest not above the cell
// height, given the font height of each point size.
int PointSizeForCellHeight(int cellHeight, int (*fontHeightAt)(void* context, int pointSize), void* context);

class cPlatformFont : public cTextMetrics {
 public:
  static HRESULT Create(cPlatformDevice* device, int height, unsigned width, unsigned weight, unsigned mipLevels,
                        bool italic, const std::wstring& face, cPlatformFont** out);
  uint32_t AddRef() { return ++refs_; }
  uint32_t Release();

  // Draws count characters (all when count < 0) in the rectangle with the
  // format flags and the colour, through the sprite (or at once without
  // one). With DT_CALCRECT it draws nothing and sets the rectangle to what
  // the text covers. Returns the height of the text.
  int DrawText(cPlatformSprite* sprite, const std::wstring& text, int count, RECT* rect, DWORD format,
               D3DCOLOR colour);

  int Advance(wchar_t c) const override;
  int LineHeight() const override { return lineHeight_; }
  int PointSize() const { return pointSize_; }
  const std::string& File() const { return file_; }
  void OnLostDevice() {}
  void OnResetDevice() {}

 private:
  struct sGlyph {
    int page = -1;
    RECT source;
    int advance = 0;
  };
  // A copy of a page already in one colour, so that drawing blends
  // without modulating every texel (the software renderer's slow path).
  struct sTinted {
    D3DCOLOR colour = 0;
    cPlatformTexture* texture = nullptr;
    int version = -1;
    uint64_t lastUse = 0;
  };
  struct sPage {
    cPlatformTexture* texture = nullptr;
    int shelfX = 0, shelfY = 0, shelfHeight = 0;
    int version = 0;  // grows with every glyph added
    std::vector<sTinted> tinted;
  };
  cPlatformFont() = default;
  ~cPlatformFont();
  const sGlyph& Glyph(wchar_t c);
  cPlatformTexture* PageInColour(int page, D3DCOLOR colour);

  cPlatformDevice* device_ = nullptr;
  TTF_Font* ttf_ = nullptr;
  std::string file_;
  int pointSize_ = 0;
  int lineHeight_ = 0;
  uint32_t refs_ = 1;
  std::map<wchar_t, sGlyph> glyphs_;
  mutable std::map<wchar_t, int> advances_;
  std::vector<sPage> pages_;
  uint64_t uses_ = 0;
  static constexpr int kPageSize = 512;
  static constexpr size_t kColoursPerPage = 8;
};
