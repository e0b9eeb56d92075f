#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include "platform/device.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "support/log_capture.h"
#include "support/sdl_test_support.h"
#include "support/temp_dir.h"

namespace {
using sdl_test::PixelAt;

constexpr D3DCOLOR kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kBlack = 0xFF000000u;
constexpr D3DCOLOR kWhite = 0xFFFFFFFFu;

class DeviceTest : public sdl_test::DeviceWindowTest {
 protected:
  DeviceTest() {
    backBufferWidth = 320;
    backBufferHeight = 240;
  }
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(device->IsSoftware());
  }
  void TearDown() override {
    for (cPlatformTexture* t : textures) t->Release();
    if (device != nullptr) {
      EXPECT_EQ(device->Release(), 0u);
    }
    device = nullptr;
    sdl_test::DeviceWindowTest::TearDown();
  }
  // A texture of one colour.
  cPlatformTexture* Solid(D3DCOLOR c, int w = 16, int h = 16) {
    cPlatformTexture* t = nullptr;
    EXPECT_EQ(device->CreateTexture(w, h, &t), S_OK);
    uint32_t* px = t->Lock();
    for (int i = 0; i < w * h; ++i) px[i] = c;
    t->Unlock();
    textures.push_back(t);
    return t;
  }
  std::vector<cPlatformTexture*> textures;
};

TEST_F(DeviceTest, LargerDepthIsDrawnFirstAndEqualDepthsKeepTheirOrder) {
  cPlatformTexture* red = Solid(kRed);
  cPlatformTexture* green = Solid(kGreen);
  cPlatformTexture* blue = Solid(kBlue);
  cPlatformSprite sprite(device);
  ASSERT_EQ(sprite.Begin(D3DXSPRITE_ALPHABLEND), S_OK);
  // Overlapping at (10..26): red is nearer (smaller depth) though drawn first.
  D3DXVECTOR3 a{10, 10, 0.2f}, b{10, 10, 0.8f};
  sprite.Draw(red, nullptr, nullptr, &a, kWhite);
  sprite.Draw(green, nullptr, nullptr, &b, kWhite);
  // Equal depths at (100..116): the later one is on top.
  D3DXVECTOR3 c{100, 10, 0.5f}, d{100, 10, 0.5f};
  sprite.Draw(green, nullptr, nullptr, &c, kWhite);
  sprite.Draw(blue, nullptr, nullptr, &d, kWhite);
  EXPECT_EQ(PixelAt(device, 15, 15), kBlack) << "nothing is drawn before End";
  ASSERT_EQ(sprite.End(), S_OK);
  EXPECT_EQ(PixelAt(device, 15, 15), kRed);
  EXPECT_EQ(PixelAt(device, 105, 15), kBlue);
  EXPECT_EQ(PixelAt(device, 40, 15), kBlack);
}

TEST_F(DeviceTest, TranslucentTexelsAndTranslucentColoursBlend) {
  cPlatformTexture* red = Solid(kRed);
  cPlatformTexture* half = Solid(0x800000FFu);  // blue at half alpha
  cPlatformSprite sprite(device);
  D3DXVECTOR3 back{10, 10, 0.9f}, front{10, 10, 0.1f}, faded{50, 10, 0.5f};
  sprite.Begin(D3DXSPRITE_ALPHABLEND);
  sprite.Draw(half, nullptr, nullptr, &front, kWhite);
  sprite.Draw(red, nullptr, nullptr, &back, kWhite);
  sprite.Draw(red, nullptr, nullptr, &faded, 0x40FFFFFFu);  // an opaque texture at quarter alpha
  sprite.End();
  const uint32_t mixed = PixelAt(device, 15, 15);
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 127, 3);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 3);
  const uint32_t quarter = PixelAt(device, 55, 15);
  EXPECT_NEAR(static_cast<int>((quarter >> 16) & 0xFF), 64, 3);
  // The same opaque texture drawn again at full alpha is a plain copy.
  sprite.Draw(red, nullptr, nullptr, &faded, kWhite);
  EXPECT_EQ(PixelAt(device, 55, 15), kRed);
}

TEST_F(DeviceTest, TransformCentreSourceRectangleAndColourModulation) {
  cPlatformTexture* white = Solid(kWhite, 8, 8);
  uint32_t* px = white->Lock();
  for (int x = 0; x < 4; ++x)  // left half of the texture red
    for (int y = 0; y < 8; ++y) px[y * 8 + x] = kRed;
  white->Unlock();
  cPlatformSprite sprite(device);
  sprite.SetTransform(MatrixMultiply(MatrixScaling(4, 4, 1), MatrixTranslation(100, 50, 0)));
  RECT right{4, 0, 8, 8};
  D3DXVECTOR3 centre{2, 0, 0}, pos{10, 10, 0};
  // Outside Begin/End it draws at once: (10-2)*4+100 = 132 .. 148, 50+40 = 90 .. 122.
  ASSERT_EQ(sprite.Draw(white, &right, &centre, &pos, 0xFF00FF00u), S_OK);
  EXPECT_EQ(PixelAt(device, 140, 100), kGreen) << "white texels tinted green";
  EXPECT_EQ(PixelAt(device, 128, 100), kBlack);
  EXPECT_EQ(PixelAt(device, 150, 100), kBlack);
  EXPECT_EQ(PixelAt(device, 140, 86), kBlack);
  D3DXVECTOR2 p = TransformPoint(MatrixMultiply(MatrixRotationZ(1.5707964f), MatrixTranslation(10, 0, 0)), 1, 0);
  EXPECT_NEAR(p.x, 10.0f, 1e-5);
  EXPECT_NEAR(p.y, 1.0f, 1e-5);
}

TEST_F(DeviceTest, ClipRectangleKeepsDrawingInsideIt) {
  cPlatformTexture* red = Solid(kRed, 100, 100);
  RECT clip{20, 20, 40, 40};
  device->SetClipRect(&clip);
  cPlatformSprite sprite(device);
  D3DXVECTOR3 pos{0, 0, 0};
  sprite.Draw(red, nullptr, nullptr, &pos, kWhite);
  EXPECT_EQ(PixelAt(device, 25, 25), kRed);
  EXPECT_EQ(PixelAt(device, 39, 39), kRed);
  EXPECT_EQ(PixelAt(device, 19, 25), kBlack);
  EXPECT_EQ(PixelAt(device, 41, 41), kBlack);
  RECT back;
  EXPECT_TRUE(device->GetClipRect(&back));
  device->SetClipRect(nullptr);
  sprite.Draw(red, nullptr, nullptr, &pos, kWhite);
  EXPECT_EQ(PixelAt(device, 5, 5), kRed);
}

TEST_F(DeviceTest, SpriteClippedToARectangleCutsItsTexelsToo) {
  cPlatformTexture* t = Solid(kWhite, 10, 10);
  uint32_t* px = t->Lock();
  for (int y = 0; y < 10; ++y) px[y * 10 + 9] = kBlue;  // last column blue
  t->Unlock();
  cPlatformSprite sprite(device);
  // The clip is given before the transform: x 100..105 of the quad stays,
  // which the scaling brings to 200..210 with texels 0..4 only.
  RECT src{0, 0, 10, 10}, clip{0, 0, 105, 300};
  sprite.SetTransform(MatrixScaling(2, 2, 1));
  ASSERT_EQ(sprite.DrawClipped(t, src, 100, 10, 0, kWhite, &clip), S_OK);
  EXPECT_EQ(PixelAt(device, 201, 25), kWhite);
  EXPECT_EQ(PixelAt(device, 209, 25), kWhite) << "the blue column was cut off, not squeezed in";
  EXPECT_EQ(PixelAt(device, 212, 25), kBlack);
}

TEST_F(DeviceTest, LinesHaveTheirWidthAndQuadsTheirCornerColours) {
  cPlatformLine line(device);
  line.SetWidth(5);
  D3DXVECTOR2 pts[3] = {{10, 100}, {200, 100}, {200, 200}};
  ASSERT_EQ(line.Begin(), S_OK);
  ASSERT_EQ(line.Draw(pts, 3, kGreen), S_OK);
  ASSERT_EQ(line.End(), S_OK);
  EXPECT_EQ(PixelAt(device, 100, 100), kGreen);
  EXPECT_EQ(PixelAt(device, 100, 98), kGreen);
  EXPECT_EQ(PixelAt(device, 100, 101), kGreen);
  EXPECT_EQ(PixelAt(device, 100, 104), kBlack);
  EXPECT_EQ(PixelAt(device, 100, 95), kBlack);
  EXPECT_EQ(PixelAt(device, 200, 150), kGreen) << "the second segment";
  EXPECT_EQ(line.Draw(pts, 1, kGreen), S_OK) << "one point draws nothing";

  const D3DCOLOR corners[4] = {kRed, kRed, kBlue, kBlue};
  ASSERT_EQ(DrawGradientQuad(device, 250, 10, 60, 100, corners), S_OK);
  const uint32_t top = PixelAt(device, 280, 11), bottom = PixelAt(device, 280, 108), mid = PixelAt(device, 280, 60);
  EXPECT_GT((top >> 16) & 0xFF, 240u);
  EXPECT_GT(bottom & 0xFF, 240u);
  EXPECT_GT((mid >> 16) & 0xFF, 90u);
  EXPECT_GT(mid & 0xFF, 90u);
}

TEST_F(DeviceTest, LossThenResetKeepsTexturesAndAnswersTheCooperativeTest) {
  cPlatformTexture* red = Solid(kRed);
  EXPECT_EQ(device->TestCooperativeLevel(), S_OK);
  device->ForceDeviceLoss(2);
  EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Reset(device->PresentParameters()), D3DERR_DEVICELOST) << "not resettable yet";
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  ASSERT_EQ(device->Reset(device->PresentParameters()), S_OK);
  EXPECT_EQ(device->ResetCount(), 1);
  EXPECT_EQ(device->TestCooperativeLevel(), S_OK);
  device->Clear(kBlack);
  cPlatformSprite sprite(device);
  D3DXVECTOR3 pos{5, 5, 0};
  sprite.Draw(red, nullptr, nullptr, &pos, kWhite);
  EXPECT_EQ(PixelAt(device, 10, 10), kRed) << "the texture came back after the reset";
}

TEST_F(DeviceTest, PictureFilesLoadAndMissingOnesFailWithALogLine) {
  cTempDir dir("device");
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  auto* px = static_cast<uint32_t*>(s->pixels);
  for (int i = 0; i < 8; ++i) px[i] = i < 4 ? 0xFF112233u : 0x80445566u;
  const std::string path = dir.File("pic.png").string();
  ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0);
  SDL_FreeSurface(s);

  cPlatformTexture* t = nullptr;
  ASSERT_EQ(device->CreateTextureFromFile(Utf8ToWide(path), &t), S_OK);
  textures.push_back(t);
  EXPECT_EQ(t->Width(), 4);
  EXPECT_EQ(t->Height(), 2);
  EXPECT_EQ(t->Lock()[0], 0xFF112233u);
  EXPECT_EQ(t->Lock()[7], 0x80445566u);

  cLogCapture log;
  cPlatformTexture* none = nullptr;
  EXPECT_TRUE(FAILED(device->CreateTextureFromFile(dir.WidePath("missing.png"), &none)));
  EXPECT_EQ(none, nullptr);
  EXPECT_TRUE(log.HasPrefix(L"Platform: the picture"));
  dir.Write("bad.png", "\x89PNG\r\n\x1a\nshort");
  EXPECT_TRUE(FAILED(device->CreateTextureFromFile(dir.WidePath("bad.png"), &none)));
  EXPECT_EQ(device->CreateTexture(0, 5, &none), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, WithoutAnAcceleratedRendererTheSoftwareOneTakesOverWithALogLine) {
  // The dummy video driver has no accelerated renderer. A window takes one
  // renderer at a time: the fixture's goes first.
  for (cPlatformTexture* t : textures) t->Release();
  textures.clear();
  EXPECT_EQ(device->Release(), 0u);
  device = nullptr;
  const char* env = std::getenv("BRENNMARK_RENDERER");
  const std::string saved = env != nullptr ? env : "";
  unsetenv("BRENNMARK_RENDERER");
  PlatformUseSoftwareRenderer(false);
  cLogCapture log;
  cPlatformDevice* second = nullptr;
  D3DPRESENT_PARAMETERS pp;
  pp.Windowed = 1;
  const HRESULT hr = cPlatformDevice::Create(hwnd, pp, &second);
  PlatformUseSoftwareRenderer(true);
  if (!saved.empty()) setenv("BRENNMARK_RENDERER", saved.c_str(), 1);
  ASSERT_EQ(hr, S_OK);
  if (second->IsSoftware()) {
    EXPECT_TRUE(log.HasPrefix(L"Platform: no accelerated renderer"));
  } else {
    EXPECT_FALSE(log.HasPrefix(L"Platform: no accelerated renderer")) << "an accelerated renderer exists here";
  }
  second->Release();
  EXPECT_EQ(cPlatformDevice::Create(nullptr, pp, &second), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, ATextureOutlivingItsDeviceIsHarmless) {
  cPlatformTexture* t = Solid(kRed);
  textures.clear();
  EXPECT_EQ(device->Release(), 0u);
  device = nullptr;
  EXPECT_EQ(t->Sdl(), nullptr);
  EXPECT_EQ(t->Release(), 0u);
}

}  // namespace

// The software renderer keeps the screen after the unchanged start of a
// frame's first batch; what it shows must match a frame drawn in full.
class FrameCacheTest : public DeviceTest {
 protected:
  void TearDown() override {
    PlatformUseFrameCache(true);
    DeviceTest::TearDown();
  }
  // Many translucent, scaled, overlapping sprites at a few depths, one of
  // them tinted with the given colour, a line drawn first when asked.
  std::vector<uint32_t> Frame(cPlatformSprite& sprite, D3DCOLOR tint, bool lineFirst = false) {
    device->Clear(kBlack);
    if (lineFirst) {
      cPlatformLine line(device);
      const D3DXVECTOR2 pts[2] = {{0, 120}, {320, 120}};
      line.Draw(pts, 2, kGreen);
    }
    sprite.SetTransform(MatrixScaling(0.37f, 0.37f, 1.0f));
    sprite.Begin(D3DXSPRITE_ALPHABLEND);
    for (int i = 0; i < 900; ++i) {
      const D3DXVECTOR3 pos{static_cast<float>((i * 37) % 800), static_cast<float>((i * 53) % 600),
                            0.1f * static_cast<float>(i % 4)};
      sprite.Draw(textures[static_cast<size_t>(i % textures.size())], nullptr, nullptr, &pos,
                  i == 700 ? tint : kWhite);
    }
    sprite.End();
    std::vector<uint32_t> px;
    int w = 0, h = 0;
    EXPECT_TRUE(device->ReadPixels(px, w, h));
    return px;
  }
  std::vector<uint32_t> Uncached(D3DCOLOR tint, bool lineFirst = false) {
    PlatformUseFrameCache(false);
    cPlatformSprite fresh(device);
    std::vector<uint32_t> px = Frame(fresh, tint, lineFirst);
    PlatformUseFrameCache(true);
    return px;
  }
};

TEST_F(FrameCacheTest, KeptFramesShowWhatFullFramesShow) {
  Solid(0x80FF0000u, 40, 30);
  Solid(0xC000FF00u, 25, 50);
  Solid(kBlue, 60, 20);
  cPlatformSprite sprite(device);
  const std::vector<uint32_t> plain = Uncached(kWhite);
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(Frame(sprite, kWhite), plain) << "frame " << frame;

  // A change late in the batch: the kept start and the new end.
  const std::vector<uint32_t> tinted = Uncached(0x80FFFF00u);
  ASSERT_NE(tinted, plain);
  for (int frame = 0; frame < 2; ++frame) EXPECT_EQ(Frame(sprite, 0x80FFFF00u), tinted) << "frame " << frame;

  // New texels of a texture drawn from the first item on.
  uint32_t* px = textures[0]->Lock();
  for (int i = 0; i < 40 * 30; ++i) px[i] = 0x80FFFFFFu;
  textures[0]->Unlock();
  const std::vector<uint32_t> repainted = Uncached(0x80FFFF00u);
  ASSERT_NE(repainted, tinted);
  EXPECT_EQ(Frame(sprite, 0x80FFFF00u), repainted);
  EXPECT_EQ(Frame(sprite, 0x80FFFF00u), repainted);

  // Something drawn on the cleared screen before the batch.
  const std::vector<uint32_t> lined = Uncached(0x80FFFF00u, true);
  ASSERT_NE(lined, repainted);
  EXPECT_EQ(Frame(sprite, 0x80FFFF00u, true), lined);
  EXPECT_EQ(Frame(sprite, 0x80FFFF00u), repainted);
}
