#include "platform/font.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/console.h"
#include "core/text.h"
#include "platform/device.h"
#include "platform/sprite.h"

namespace {
bool Contains(const std::wstring& face, const wchar_t* part) {
  std::wstring f = face, p = part;
  std::transform(f.begin(), f.end(), f.begin(), ::towlower);
  std::transform(p.begin(), p.end(), p.begin(), ::towlower);
  return f.find(p) != std::wstring::npos;
}

int TtfHeightAt(void* context, int pointSize) {
  auto* f = static_cast<TTF_Font*>(context);
  if (TTF_SetFontSize(f, pointSize) != 0) return 0;
  return TTF_FontHeight(f);
}
}  // namespace

std::string FindFontFile(const std::wstring& face, unsigned weight, bool italic) {
  std::string family = "DejaVuSans";
  if (Contains(face, L"courier") || Contains(face, L"mono") || Contains(face, L"console")) family = "DejaVuSansMono";
  else if (Contains(face, L"times") || Contains(face, L"serif") || Contains(face, L"georgia") || Contains(face, L"roman"))
    family = Contains(face, L"sans") ? "DejaVuSans" : "DejaVuSerif";
  const bool bold = weight >= FW_SEMIBOLD;
  std::string style;
  if (bold && italic) style = family == "DejaVuSerif" ? "-BoldItalic" : "-BoldOblique";
  else if (bold) style = "-Bold";
  else if (italic) style = family == "DejaVuSerif" ? "-Italic" : "-Oblique";
  const char* dirs[] = {"data/fonts/", "/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/",
                        "/usr/local/share/fonts/"};
  std::error_code ec;
  for (const char* d : dirs) {
    for (const std::string& name : {family + style, family + (bold ? "-Bold" : ""), family, std::string("DejaVuSans")}) {
      std::string p = std::string(d) + name + ".ttf";
      if (std::filesystem::is_regular_file(p, ec)) return p;
    }
  }
  // Any installed TrueType font rather than none.
  for (const char* d : {"/usr/share/fonts/truetype/", "/usr/share/fonts/"}) {
    for (auto it = std::filesystem::recursive_directory_iterator(d, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      if (it->path().extension() == ".ttf") return it->path().string();
  }
  return {};
}

int PointSizeForCellHeight(int cellHeight, int (*fontHeightAt)(void*, int), void* context) {
  if (cellHeight <= 1) return 1;
  // Font heights grow with the point size: find the largest size that fits.
  int lo = 1, hi = cellHeight * 2, best = 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int h = fontHeightAt(context, mid);
    if (h <= cellHeight && h > 0) {
      best = mid;
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return best;
}

HRESULT cPlatformFont::Create(cPlatformDevice* device, int height, unsigned, unsigned weight, unsigned, bool italic,
                              const std::wstring& face, cPlatformFont** out) {
  if (out == nullptr || device == nullptr) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (TTF_WasInit() == 0 && TTF_Init() != 0) return E_FAIL;
  std::string file = FindFontFile(face, weight, italic);
  if (file.empty()) {
    gConsole.AddLine(L"Platform: no font file is installed for the face \"" + face + L"\"");
    return E_FAIL;
  }
  const int cell = height > 0 ? height : (height < 0 ? -height : 16);
  TTF_Font* f = TTF_OpenFont(file.c_str(), cell);
  if (f == nullptr) {
    gConsole.AddLine(L"Platform: the font \"" + Utf8ToWide(file) + L"\" could not be opened: " +
                     Utf8ToWide(TTF_GetError()));
    return E_FAIL;
  }
  // A positive height is the cell height; a negative one the character
  // height, which is the point size at 72 dots per inch.
  const int points = height > 0 ? PointSizeForCellHeight(cell, &TtfHeightAt, f) : cell;
  TTF_SetFontSize(f, points);
  if (italic && file.find("Oblique") == std::string::npos && file.find("Italic") == std::string::npos)
    TTF_SetFontStyle(f, TTF_STYLE_ITALIC);
  if (weight >= FW_SEMIBOLD && file.find("Bold") == std::string::npos) TTF_SetFontStyle(f, TTF_GetFontStyle(f) | TTF_STYLE_BOLD);
  auto* font = new cPlatformFont();
  font->device_ = device;
  font->ttf_ = f;
  font->file_ = file;
  font->pointSize_ = points;
  font->lineHeight_ = height > 0 ? cell : TTF_FontHeight(f);
  *out = font;
  return S_OK;
}

cPlatformFont::~cPlatformFont() {
  for (sPage& p : pages_) {
    if (p.texture != nullptr) p.texture->Release();
    for (sTinted& t : p.tinted)
      if (t.texture != nullptr) t.texture->Release();
  }
  if (ttf_ != nullptr) TTF_CloseFont(ttf_);
}

uint32_t cPlatformFont::Release() {
  if (refs_ == 0) return 0;
  if (--refs_ > 0) return refs_;
  delete this;
  return 0;
}

int cPlatformFont::Advance(wchar_t c) const {
  auto it = advances_.find(c);
  if (it != advances_.end()) return it->second;
  int minx = 0, maxx = 0, miny = 0, maxy = 0, adv = 0;
  if (TTF_GlyphMetrics32(ttf_, static_cast<Uint32>(c), &minx, &maxx, &miny, &maxy, &adv) != 0) adv = 0;
  advances_[c] = adv;
  return adv;
}

const cPlatformFont::sGlyph& cPlatformFont::Glyph(wchar_t c) {
  auto it = glyphs_.find(c);
  if (it != glyphs_.end()) return it->second;
  sGlyph g;
  g.advance = Advance(c);
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* s = c > L' ' ? TTF_RenderGlyph32_Blended(ttf_, static_cast<Uint32>(c), white) : nullptr;
  SDL_Surface* argb = s != nullptr ? SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
  if (s != nullptr) SDL_FreeSurface(s);
  if (argb != nullptr && argb->w <= kPageSize && argb->h <= kPageSize) {
    // Shelf packing: a new shelf when the row is full, a new page when the page is.
    if (pages_.empty() || pages_.back().shelfX + argb->w > kPageSize) {
      if (!pages_.empty()) {
        sPage& p = pages_.back();
        p.shelfY += p.shelfHeight;
        p.shelfX = 0;
        p.shelfHeight = 0;
      }
    }
    if (pages_.empty() || pages_.back().shelfY + argb->h > kPageSize) {
      sPage p;
      if (FAILED(device_->CreateTexture(kPageSize, kPageSize, &p.texture))) p.texture = nullptr;
      pages_.push_back(p);
    }
    sPage& p = pages_.back();
    if (p.texture != nullptr) {
      uint32_t* texels = p.texture->Lock();
      SDL_LockSurface(argb);
      for (int y = 0; y < argb->h; ++y)
        std::memcpy(texels + static_cast<size_t>(p.shelfY + y) * kPageSize + p.shelfX,
                    static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
      SDL_UnlockSurface(argb);
      p.texture->Unlock();
      ++p.version;
      g.page = static_cast<int>(pages_.size()) - 1;
      g.source = {p.shelfX, p.shelfY, p.shelfX + argb->w, p.shelfY + argb->h};
      p.shelfX += argb->w + 1;
      p.shelfHeight = std::max(p.shelfHeight, argb->h + 1);
    }
  }
  if (argb != nullptr) SDL_FreeSurface(argb);
  return glyphs_.emplace(c, g).first->second;
}

cPlatformTexture* cPlatformFont::PageInColour(int page, D3DCOLOR colour) {
  sPage& p = pages_[static_cast<size_t>(page)];
  if (p.texture == nullptr) return nullptr;
  sTinted* entry = nullptr;
  for (sTinted& t : p.tinted)
    if (t.colour == colour) entry = &t;
  if (entry == nullptr) {
    if (p.tinted.size() < kColoursPerPage) {
      p.tinted.push_back(sTinted());
      entry = &p.tinted.back();
    } else {
      entry = &*std::min_element(p.tinted.begin(), p.tinted.end(),
                                 [](const sTinted& a, const sTinted& b) { return a.lastUse < b.lastUse; });
    }
    entry->colour = colour;
    entry->version = -1;
  }
  if (entry->texture == nullptr && FAILED(device_->CreateTexture(kPageSize, kPageSize, &entry->texture))) {
    entry->texture = nullptr;
    return nullptr;
  }
  if (entry->version != p.version) {
    const uint32_t* white = p.texture->Lock();
    uint32_t* out = entry->texture->Lock();
    const uint32_t rgb = colour & 0x00FFFFFFu, alpha = colour >> 24;
    for (size_t i = 0; i < static_cast<size_t>(kPageSize) * kPageSize; ++i)
      out[i] = (((white[i] >> 24) * alpha / 255u) << 24) | rgb;
    entry->texture->Unlock();
    entry->version = p.version;
  }
  entry->lastUse = ++uses_;
  return entry->texture;
}

int cPlatformFont::DrawText(cPlatformSprite* sprite, const std::wstring& text, int count, RECT* rect, DWORD format,
                            D3DCOLOR colour) {
  RECT area = rect != nullptr ? *rect : RECT{};
  const sTextLayout layout = LayoutText(text, count, area, format, *this);
  if ((format & DT_CALCRECT) != 0) {
    if (rect != nullptr) *rect = layout.bounds;
    return layout.height;
  }
  cPlatformSprite own(device_);
  cPlatformSprite* s = sprite != nullptr ? sprite : &own;
  const bool ownBatch = !s->InBegin();
  if (ownBatch) s->Begin(D3DXSPRITE_ALPHABLEND);
  const RECT* clip = (format & DT_NOCLIP) != 0 || rect == nullptr ? nullptr : &area;
  for (const sTextLine& line : layout.lines) {
    int x = line.x;
    for (size_t i = line.start; i < line.start + line.length; ++i) {
      const wchar_t c = text[i];
      if (c == L'\t' && (format & DT_EXPANDTABS) != 0) {
        x += 8 * Advance(L' ');
        continue;
      }
      if (c == L'\n' || c == L'\r') continue;
      const sGlyph& g = Glyph(c);
      cPlatformTexture* page = g.page >= 0 ? PageInColour(g.page, colour) : nullptr;
      if (page != nullptr)
        s->DrawClipped(page, g.source, static_cast<float>(x), static_cast<float>(line.y), 0.0f, 0xFFFFFFFFu, clip);
      x += g.advance;
    }
  }
  if (ownBatch) s->End();
  return layout.height;
}
