#include "platform/device.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/console.h"
#include "core/paths.h"
#include "core/text.h"
#include "platform/window.h"

namespace {
bool gSoftwareAsked = false;
bool gFrameCache = true;
uint64_t gTextureSerial = 0;
std::vector<cPlatformDevice*> gDevices;

void MarkAllLost() {
  for (cPlatformDevice* d : gDevices) d->ForceDeviceLoss();
}
}  // namespace

void PlatformUseSoftwareRenderer(bool software) { gSoftwareAsked = software; }
void PlatformUseFrameCache(bool use) { gFrameCache = use; }
bool PlatformFrameCacheOn() { return gFrameCache; }

bool PlatformSoftwareRendererRequested() {
  const char* env = std::getenv("BRENNMARK_RENDERER");
  return gSoftwareAsked || (env != nullptr && std::strcmp(env, "software") == 0);
}

// ---- textures ----

cPlatformTexture::cPlatformTexture(cPlatformDevice* device, int width, int height)
    : device_(device), width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0u),
      serial_(++gTextureSerial) {}

cPlatformTexture::~cPlatformTexture() { DropSdl(); }

uint32_t cPlatformTexture::Release() {
  if (refs_ == 0) return 0;
  if (--refs_ > 0) return refs_;
  if (device_ != nullptr) device_->Forget(this);
  delete this;
  return 0;
}

void cPlatformTexture::DropSdl() {
  if (sdl_ != nullptr) SDL_DestroyTexture(sdl_);
  sdl_ = nullptr;
  for (sLevel& l : smaller_) {
    if (l.sdl != nullptr) SDL_DestroyTexture(l.sdl);
    l.sdl = nullptr;
    l.scaleMode = -1;
    l.uploaded = 0;
  }
  scaleMode_ = -1;
  dirty_ = true;
  serial_ = ++gTextureSerial;
}

void cPlatformTexture::Unlock() {
  dirty_ = true;
  ++texels_;
  serial_ = ++gTextureSerial;
}

SDL_Texture* cPlatformTexture::Sdl() {
  if (device_ == nullptr || device_->renderer_ == nullptr || device_->lost_) return nullptr;
  if (dirty_ || sdl_ == nullptr) {
    opaque_ = std::all_of(pixels_.begin(), pixels_.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
    // Opaque texels in the window's own format copy without conversion.
    const uint32_t format = opaque_ && device_->opaqueFormat_ != 0 ? device_->opaqueFormat_ : static_cast<uint32_t>(SDL_PIXELFORMAT_ARGB8888);
    uint32_t current = 0;
    if (sdl_ != nullptr && (SDL_QueryTexture(sdl_, &current, nullptr, nullptr, nullptr) != 0 || current != format)) {
      SDL_DestroyTexture(sdl_);
      sdl_ = nullptr;
      scaleMode_ = -1;
    }
    if (sdl_ == nullptr) {
      sdl_ = SDL_CreateTexture(device_->renderer_, format, SDL_TEXTUREACCESS_STATIC, width_, height_);
      if (sdl_ == nullptr) return nullptr;
      SDL_SetTextureBlendMode(sdl_, SDL_BLENDMODE_BLEND);
    }
    Upload();
    dirty_ = false;
  }
  return sdl_;
}

namespace {

// The texels with each fully transparent one next to visible ones given
// their mean colour, weighted by alpha; its alpha stays 0.
std::vector<uint32_t> WithEdgeColours(const std::vector<uint32_t>& px, int w, int h) {
  std::vector<uint32_t> out(px);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if ((px[static_cast<size_t>(y) * w + x] >> 24) != 0) continue;
      uint32_t r = 0, g = 0, b = 0, weight = 0;
      for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny)
        for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
          const uint32_t p = px[static_cast<size_t>(ny) * w + nx];
          const uint32_t a = p >> 24;
          r += a * ((p >> 16) & 0xFF);
          g += a * ((p >> 8) & 0xFF);
          b += a * (p & 0xFF);
          weight += a;
        }
      if (weight > 0) out[static_cast<size_t>(y) * w + x] = (r / weight) << 16 | (g / weight) << 8 | b / weight;
    }
  return out;
}

}  // namespace

void cPlatformTexture::Upload() {
  if (padEdges_ && !opaque_) {
    const std::vector<uint32_t> padded = WithEdgeColours(pixels_, width_, height_);
    SDL_UpdateTexture(sdl_, nullptr, padded.data(), width_ * 4);
  } else {
    SDL_UpdateTexture(sdl_, nullptr, pixels_.data(), width_ * 4);
  }
}

SDL_Texture* cPlatformTexture::Sdl(int level) {
  SDL_Texture* picture = Sdl();
  if (level <= 0 || level >= levels_ || picture == nullptr) return picture;
  if (levelsMade_ != texels_) MakeLevels();
  sLevel& l = smaller_[static_cast<size_t>(level - 1)];
  uint32_t format = 0, current = 0;
  SDL_QueryTexture(picture, &format, nullptr, nullptr, nullptr);
  if (l.sdl != nullptr && (SDL_QueryTexture(l.sdl, &current, nullptr, nullptr, nullptr) != 0 || current != format)) {
    SDL_DestroyTexture(l.sdl);
    l.sdl = nullptr;
  }
  if (l.sdl == nullptr) {
    l.scaleMode = -1;
    l.uploaded = 0;
    l.sdl = SDL_CreateTexture(device_->renderer_, format, SDL_TEXTUREACCESS_STATIC, LevelWidth(level), LevelHeight(level));
    if (l.sdl == nullptr) return nullptr;
    SDL_SetTextureBlendMode(l.sdl, SDL_BLENDMODE_BLEND);
  }
  if (l.uploaded != texels_) {
    // A smaller level is only ever read filtered: its edges are always
    // faded to their own colour.
    const int w = LevelWidth(level);
    if (opaque_) {
      SDL_UpdateTexture(l.sdl, nullptr, l.pixels.data(), w * 4);
    } else {
      const std::vector<uint32_t> padded = WithEdgeColours(l.pixels, w, LevelHeight(level));
      SDL_UpdateTexture(l.sdl, nullptr, padded.data(), w * 4);
    }
    l.uploaded = texels_;
  }
  return l.sdl;
}

void cPlatformTexture::MakeLevels() {
  smaller_.resize(static_cast<size_t>(levels_ - 1));
  const uint32_t* above = pixels_.data();
  int aw = width_, ah = height_;
  for (int k = 1; k < levels_; ++k) {
    const int w = LevelWidth(k), h = LevelHeight(k);
    std::vector<uint32_t>& out = smaller_[static_cast<size_t>(k - 1)].pixels;
    out.assign(static_cast<size_t>(w) * h, 0u);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        // Colours weighted by alpha: an invisible texel's colour does not
        // tint its visible neighbours.
        uint32_t a = 0, r = 0, g = 0, b = 0, pr = 0, pg = 0, pb = 0;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) {
            const int sx = std::min(2 * x + dx, aw - 1), sy = std::min(2 * y + dy, ah - 1);
            const uint32_t p = above[static_cast<size_t>(sy) * aw + sx];
            const uint32_t pa = p >> 24;
            a += pa;
            r += pa * ((p >> 16) & 0xFF);
            g += pa * ((p >> 8) & 0xFF);
            b += pa * (p & 0xFF);
            pr += (p >> 16) & 0xFF;
            pg += (p >> 8) & 0xFF;
            pb += p & 0xFF;
          }
        uint32_t c;
        if (a > 0) c = (r + a / 2) / a << 16 | (g + a / 2) / a << 8 | (b + a / 2) / a;
        else c = (pr + 2) / 4 << 16 | (pg + 2) / 4 << 8 | (pb + 2) / 4;
        out[static_cast<size_t>(y) * w + x] = (a + 2) / 4 << 24 | c;
      }
    above = out.data();
    aw = w;
    ah = h;
  }
  levelsMade_ = texels_;
}

int cPlatformTexture::ClearEdges(int left, int top, int right, int bottom, int level) {
  if (level <= 0) return 15;
  left = std::clamp(left, 0, width_);
  right = std::clamp(right, left, width_);
  top = std::clamp(top, 0, height_);
  bottom = std::clamp(bottom, top, height_);
  if (edgesOf_ != texels_) {
    clearEdges_.clear();
    edgesOf_ = texels_;
  }
  // Sides are below 2^15.
  const uint64_t key = static_cast<uint64_t>(left) | static_cast<uint64_t>(top) << 15 |
                       static_cast<uint64_t>(right) << 30 | static_cast<uint64_t>(bottom) << 45 |
                       static_cast<uint64_t>(level) << 60;
  if (auto found = clearEdges_.find(key); found != clearEdges_.end()) return found->second;
  const int f = 1 << level;
  const int hullLeft = left / f * f, hullTop = top / f * f;
  const int hullRight = std::min((right + f - 1) / f * f, width_), hullBottom = std::min((bottom + f - 1) / f * f, height_);
  auto invisible = [this](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if ((pixels_[static_cast<size_t>(y) * width_ + x] >> 24) != 0) return false;
    return true;
  };
  const int edges = (invisible(hullLeft, hullTop, left, hullBottom) ? 1 : 0) |
                    (invisible(hullLeft, hullTop, hullRight, top) ? 2 : 0) |
                    (invisible(right, hullTop, hullRight, hullBottom) ? 4 : 0) |
                    (invisible(hullLeft, bottom, hullRight, hullBottom) ? 8 : 0);
  clearEdges_[key] = static_cast<uint8_t>(edges);
  return edges;
}

void cPlatformTexture::SetScaleMode(int mode, int level) {
  if (level > 0 && level < levels_) {
    sLevel& l = smaller_[static_cast<size_t>(level - 1)];
    if (l.sdl != nullptr && mode != l.scaleMode && SDL_SetTextureScaleMode(l.sdl, static_cast<SDL_ScaleMode>(mode)) == 0)
      l.scaleMode = mode;
    return;
  }
  if (sdl_ == nullptr) return;
  if (mode != SDL_ScaleModeNearest && !padEdges_) {
    padEdges_ = true;
    if (!opaque_) Upload();
  }
  if (mode != scaleMode_ && SDL_SetTextureScaleMode(sdl_, static_cast<SDL_ScaleMode>(mode)) == 0) scaleMode_ = mode;
}

// ---- device ----

HRESULT cPlatformDevice::Create(HWND window, const D3DPRESENT_PARAMETERS& params, cPlatformDevice** out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (PlatformSdlWindow(window) == nullptr) return D3DERR_INVALIDCALL;
  auto* d = new cPlatformDevice();
  d->window_ = window;
  d->params_ = params;
  if (!d->MakeRenderer()) {
    delete d;
    return D3DERR_NOTAVAILABLE;
  }
  gDevices.push_back(d);
  SetRenderDeviceResetHandler(&MarkAllLost);
  *out = d;
  return S_OK;
}

cPlatformDevice::~cPlatformDevice() {
  for (cPlatformTexture* t : textures_) {
    t->DropSdl();
    t->device_ = nullptr;  // a texture outliving its device draws nothing
  }
  textures_.clear();
  DropRenderer();
  gDevices.erase(std::remove(gDevices.begin(), gDevices.end(), this), gDevices.end());
}

uint32_t cPlatformDevice::Release() {
  if (refs_ == 0) return 0;
  if (--refs_ > 0) return refs_;
  delete this;
  return 0;
}

bool cPlatformDevice::MakeRenderer() {
  SDL_Window* w = PlatformSdlWindow(window_);
  if (w == nullptr) return false;
  SetWindowFullScreen(window_, params_.Windowed == 0, static_cast<int>(params_.BackBufferWidth),
                      static_cast<int>(params_.BackBufferHeight), static_cast<int>(params_.FullScreen_RefreshRateInHz));
  const bool vsync = params_.PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE;
  software_ = PlatformSoftwareRendererRequested();
  if (!software_) {
    renderer_ = SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0));
    if (renderer_ == nullptr) {
      gConsole.AddLine(L"Platform: no accelerated renderer (" + Utf8ToWide(SDL_GetError()) +
                       L"), using the software renderer");
      software_ = true;
    }
  }
  if (software_) renderer_ = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) {
    gConsole.AddLine(L"Platform: no renderer could be created: " + Utf8ToWide(SDL_GetError()));
    return false;
  }
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  magFilter_ = minFilter_ = D3DTEXF_POINT;
  // X8R8G8B8 has the layout of A8R8G8B8 without alpha: opaque textures can
  // take the window's format when it is that one.
  opaqueFormat_ = SDL_GetWindowPixelFormat(w) == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888 : 0;
  clipOn_ = false;
  return true;
}

void cPlatformDevice::DropRenderer() {
  for (cPlatformTexture* t : textures_) t->DropSdl();
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
}

void cPlatformDevice::Forget(cPlatformTexture* t) {
  textures_.erase(std::remove(textures_.begin(), textures_.end(), t), textures_.end());
}

HRESULT cPlatformDevice::TestCooperativeLevel() {
  if (!lost_) return S_OK;
  if (lostTests_ > 0) {
    --lostTests_;
    return D3DERR_DEVICELOST;
  }
  return D3DERR_DEVICENOTRESET;
}

HRESULT cPlatformDevice::Reset(const D3DPRESENT_PARAMETERS& params) {
  if (lost_ && lostTests_ > 0) return D3DERR_DEVICELOST;
  // A new renderer stands for the reset device; every texture comes back
  // from its own texels on first use.
  DropRenderer();
  params_ = params;
  if (!MakeRenderer()) {
    lost_ = true;
    return D3DERR_NOTAVAILABLE;
  }
  lost_ = false;
  ++resets_;
  return S_OK;
}

HRESULT cPlatformDevice::Present() {
  if (lost_ || renderer_ == nullptr) return D3DERR_DEVICELOST;
  SDL_RenderPresent(renderer_);
  return S_OK;
}

HRESULT cPlatformDevice::BeginScene() { return lost_ || renderer_ == nullptr ? D3DERR_INVALIDCALL : S_OK; }
HRESULT cPlatformDevice::EndScene() { return S_OK; }

HRESULT cPlatformDevice::Clear(D3DCOLOR c) {
  if (lost_ || renderer_ == nullptr) return D3DERR_INVALIDCALL;
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF);
  SDL_RenderClear(renderer_);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  // The clear ignores the clip rectangle: the whole screen is of one colour.
  clean_ = true;
  clearColour_ = c;
  return S_OK;
}

HRESULT cPlatformDevice::ClearRect(const RECT& rect, D3DCOLOR c) {
  if (lost_ || renderer_ == nullptr) return D3DERR_INVALIDCALL;
  const int left = std::max<int>(rect.left, 0), top = std::max<int>(rect.top, 0);
  const int right = std::min<int>(rect.right, static_cast<int>(params_.BackBufferWidth));
  const int bottom = std::min<int>(rect.bottom, static_cast<int>(params_.BackBufferHeight));
  if (right <= left || bottom <= top) return S_OK;
  SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF);
  const SDL_Rect r{left, top, right - left, bottom - top};
  SDL_RenderFillRect(renderer_, &r);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  SetClipRect(clipOn_ ? &clip_ : nullptr);
  clean_ = false;
  return S_OK;
}

void cPlatformDevice::SetClipRect(const RECT* rect) {
  clipOn_ = rect != nullptr;
  if (rect != nullptr) clip_ = *rect;
  if (renderer_ == nullptr) return;
  if (rect == nullptr) {
    SDL_RenderSetClipRect(renderer_, nullptr);
  } else {
    SDL_Rect r{rect->left, rect->top, std::max(0, rect->Width()), std::max(0, rect->Height())};
    SDL_RenderSetClipRect(renderer_, &r);
  }
}

bool cPlatformDevice::GetClipRect(RECT* rect) const {
  if (clipOn_ && rect != nullptr) *rect = clip_;
  return clipOn_;
}

void cPlatformDevice::GetBackBufferDesc(D3DSURFACE_DESC* desc) const {
  if (desc == nullptr) return;
  *desc = D3DSURFACE_DESC();
  desc->Format = params_.BackBufferFormat != D3DFMT_UNKNOWN ? params_.BackBufferFormat : D3DFMT_X8R8G8B8;
  desc->Width = params_.BackBufferWidth;
  desc->Height = params_.BackBufferHeight;
  if ((desc->Width == 0 || desc->Height == 0) && renderer_ != nullptr) {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    desc->Width = static_cast<uint32_t>(w);
    desc->Height = static_cast<uint32_t>(h);
  }
  desc->MultiSampleType = params_.MultiSampleType;
}

void cPlatformDevice::GetCaps(D3DCAPS9* caps) const {
  if (caps == nullptr) return;
  *caps = D3DCAPS9();
  caps->DeviceType = D3DDEVTYPE_HAL;
  caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
  SDL_RendererInfo info;
  if (renderer_ != nullptr && SDL_GetRendererInfo(renderer_, &info) == 0 && info.max_texture_width > 0) {
    caps->MaxTextureWidth = static_cast<uint32_t>(info.max_texture_width);
    caps->MaxTextureHeight = static_cast<uint32_t>(info.max_texture_height);
  } else {
    // The software renderer has no limit of its own.
    caps->MaxTextureWidth = caps->MaxTextureHeight = 16384;
  }
}

HRESULT cPlatformDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  if (sampler != 0 || value > D3DTEXF_ANISOTROPIC) return D3DERR_INVALIDCALL;
  if (type == D3DSAMP_MAGFILTER) magFilter_ = value;
  else if (type == D3DSAMP_MINFILTER) minFilter_ = value;
  else return D3DERR_INVALIDCALL;
  return S_OK;
}

HRESULT cPlatformDevice::CreateTexture(int width, int height, cPlatformTexture** out) {
  if (out == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) return D3DERR_INVALIDCALL;
  auto* t = new cPlatformTexture(this, width, height);
  textures_.push_back(t);
  *out = t;
  return S_OK;
}

HRESULT cPlatformDevice::CreateTextureFromFile(const std::wstring& gamePath, cPlatformTexture** out, int mipLevels) {
  if (out == nullptr) return D3DERR_INVALIDCALL;
  *out = nullptr;
  SDL_Surface* loaded = IMG_Load(NativePath(gamePath).c_str());
  if (loaded == nullptr) {
    gConsole.AddLine(L"Platform: the picture \"" + gamePath + L"\" could not be read: " + Utf8ToWide(IMG_GetError()));
    return D3DERR_NOTAVAILABLE;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr) return D3DERR_NOTAVAILABLE;
  cPlatformTexture* t = nullptr;
  HRESULT hr = CreateTexture(argb->w, argb->h, &t);
  if (SUCCEEDED(hr)) {
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y)
      std::memcpy(t->pixels_.data() + static_cast<size_t>(y) * argb->w,
                  static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                  static_cast<size_t>(argb->w) * 4);
    SDL_UnlockSurface(argb);
    t->file_ = gamePath;
    while (t->levels_ < mipLevels && (std::min(argb->w, argb->h) >> t->levels_) >= 1) ++t->levels_;
    *out = t;
  }
  SDL_FreeSurface(argb);
  return hr;
}

void cPlatformDevice::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void cPlatformDevice::SetCursorPosition(int x, int y) {
  // The system cursor follows the mouse by itself; moving it here would
  // feed a motion back into the queue.
  cursorX_ = x;
  cursorY_ = y;
}

bool cPlatformDevice::ReadPixels(std::vector<uint32_t>& argb, int& width, int& height) {
  if (renderer_ == nullptr || lost_) return false;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) return false;
  argb.assign(static_cast<size_t>(width) * height, 0u);
  // Reading is not limited by the clip rectangle.
  const bool clip = clipOn_;
  const RECT saved = clip_;
  SDL_RenderSetClipRect(renderer_, nullptr);
  const bool ok = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) == 0;
  if (clip) SetClipRect(&saved);
  return ok;
}

void cPlatformDevice::ForceDeviceLoss(int lostTests) {
  lost_ = true;
  lostTests_ = lostTests;
}
