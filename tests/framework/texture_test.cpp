// Texture holders through the device's life.
#include "framework/texture.h"

#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/sprite.h"
#include "support/framework_test_support.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

using TextureTest = sdl_test::FrameworkDeviceTest;

TEST_F(TextureTest, LoadingReleasesTheOldTextureAndLogsTheResult) {
  cLogCapture log;
  cTexture t;
  ASSERT_EQ(t.Load(SkinPath().c_str(), kTextureFromFile, 1), S_OK);
  ASSERT_NE(t.Texture(), nullptr);
  EXPECT_TRUE(log.Has(L"Loading file \"" + SkinPath() + L"\" (1) [OK]"));
  EXPECT_GE(t.Texture()->Height(), 2048) << "every rectangle of the skin lies inside the picture";
  EXPECT_GE(t.Texture()->Width(), 1220);
  cPlatformTexture* first = t.Texture();
  first->AddRef();
  EXPECT_EQ(t.Load(L"no\\such.png", kTextureFromFile, 3), D3DERR_NOTAVAILABLE);
  EXPECT_EQ(first->Release(), 0u) << "the holder let go of the old texture";
  EXPECT_EQ(t.Texture(), nullptr);
  EXPECT_TRUE(log.Has(L"Loading file \"no\\such.png\" (3) [FAILED]"));
  EXPECT_EQ(t.Load(nullptr, 7, 1), kTextureBadKind);
}

TEST_F(TextureTest, DeviceCallbacksByKindAndBlankTexturesKeepTheirSize) {
  cTexture file;
  ASSERT_EQ(file.Load(SkinPath().c_str(), kTextureFromFile, 1), S_OK);
  cPlatformTexture* held = file.Texture();
  EXPECT_EQ(file.OnCreateDevice(), kTextureBadKind);
  EXPECT_EQ(file.Texture(), held) << "a picture is not touched";
  EXPECT_EQ(file.OnResetDevice(), S_OK);

  cTexture blank;
  ASSERT_EQ(blank.CreateBlank(64, 32), S_OK);
  ASSERT_EQ(blank.OnCreateDevice(), S_OK);
  ASSERT_NE(blank.Texture(), nullptr);
  EXPECT_EQ(blank.Texture()->Width(), 64);
  EXPECT_EQ(blank.Texture()->Height(), 32);
  EXPECT_EQ(blank.OnResetDevice(), 2);
  ASSERT_EQ(blank.Load(nullptr, kTextureBlank, 1), S_OK);
  EXPECT_EQ(blank.Texture()->Width(), kBlankTextureSide);

  cTexture empty;
  EXPECT_EQ(empty.OnCreateDevice(), S_OK);
  EXPECT_EQ(empty.OnResetDevice(), S_OK);
  empty.SetKindForTests(9);
  EXPECT_EQ(empty.OnResetDevice(), kTextureBadKind);

  file.Release();
  EXPECT_EQ(file.Kind(), kTextureEmpty);
  EXPECT_TRUE(file.FileName().empty());
  EXPECT_EQ(file.Texture(), nullptr);
}

// A counter of a sheet (white, a black frame and a framed cross of lines
// two texels wide) at x 5 to 130, where the texels of the smaller levels do
// not start, with red touching its left and bottom and behind a gap of
// three clear texels on its right: drawn filtered at 0.2 it keeps the ink of
// its lines where they are, and no red shows.
TEST_F(TextureTest, AMipmappedCounterDrawnSmallKeepsItsShapeAndNoNeighbourBleeds) {
  constexpr int kLeft = 5, kCellW = 125, kCellH = 100, kAt = 40;
  auto grey = [](int x, int y) {  // of the counter's texel (x, y)
    const bool frame = x < 4 || x >= kCellW - 4 || y < 4 || y >= kCellH - 4;
    const bool box = x >= 32 && x < 96 && y >= 25 && y < 75;
    const bool boxEdge = box && (x < 34 || x >= 94 || y < 27 || y >= 73);
    const bool cross = box && (std::abs((x - 32) * 50 - (y - 25) * 64) <= 81 ||
                               std::abs((95 - x) * 50 - (y - 25) * 64) <= 81);
    return frame || boxEdge || cross ? 0 : 255;
  };
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 256, 128, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 256; ++x) {
      const bool in = x >= kLeft && x < kLeft + kCellW && y < kCellH;
      const bool gap = x >= kLeft + kCellW && x < kLeft + kCellW + 3 && y < kCellH;
      const uint32_t g = in ? static_cast<uint32_t>(grey(x - kLeft, y)) : 0;
      static_cast<uint32_t*>(s->pixels)[y * 256 + x] = in ? 0xFF000000u | g << 16 | g << 8 | g : gap ? 0 : 0xFFFF0000u;
    }
  cTempDir dir("mips");
  const int saved = IMG_SavePNG(s, dir.File("sheet.png").c_str());
  SDL_FreeSurface(s);
  ASSERT_EQ(saved, 0);
  cTexture t;
  ASSERT_EQ(t.Load(dir.WidePath("sheet.png").c_str(), kTextureFromFile, 3), S_OK);
  for (D3DSAMPLERSTATETYPE type : {D3DSAMP_MINFILTER, D3DSAMP_MAGFILTER})
    device->SetSamplerState(0, type, D3DTEXF_ANISOTROPIC);
  cPlatformSprite sprite(device);
  sprite.SetTransform(MatrixMultiply(MatrixScaling(0.2f, 0.2f, 1), MatrixTranslation(kAt, kAt, 0)));
  const RECT cell{kLeft, 0, kLeft + kCellW, kCellH};
  ASSERT_EQ(sprite.Draw(t.Texture(), &cell, nullptr, nullptr, 0xFFFFFFFFu), S_OK);
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(device->ReadPixels(px, w, h));
  // Drawn minus the counter's mean over each pixel's 5 x 5 texels.
  int diff[20][25] = {}, reddest = 0;
  for (int y = -2; y < 22; ++y)
    for (int x = -2; x < 27; ++x) {
      const uint32_t p = px[static_cast<size_t>(kAt + y) * w + kAt + x];
      reddest = std::max(reddest, static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((p >> 8) & 0xFF));
      if (x < 0 || y < 0 || x >= 25 || y >= 20) continue;
      int sum = 0;
      for (int i = 0; i < 25; ++i) sum += grey(5 * x + i % 5, 5 * y + i / 5);
      diff[y][x] = static_cast<int>(p & 0xFF) - sum / 25;
    }
  // Lines broken into dots and dashes lose their ink in some 3 x 3 pixels
  // and crowd it into others; lines blurred, or moved under a pixel where
  // the left edge drops the level texel it shares with the red, do not.
  int worst = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 23; ++x) {
      int d = 0;
      for (int k = 0; k < 9; ++k) d += diff[y + k / 3 - 1][x + k % 3 - 1];
      worst = std::max(worst, std::abs(d) / 9);
    }
  EXPECT_LE(worst, 32) << "the farthest mean of 3 x 3 pixels from the counter's";
  EXPECT_LE(reddest, 8) << "red from around the counter";
}

// The level nearest in log2 of the footprint: 1 / 2^k picks level k.
TEST(MipLevel, NearestLevelForTheScaleWithinTheTexturesLevels) {
  const struct {
    float scale;
    int levels, level;
  } cases[] = {{1.0f, 3, 0}, {2.0f, 3, 0}, {0.71f, 3, 0}, {0.70f, 3, 1}, {0.5f, 3, 1}, {0.36f, 3, 1},
               {0.35f, 3, 2}, {0.2f, 3, 2}, {0.1f, 3, 2}, {0.1f, 5, 3}, {0.2f, 1, 0}, {0.0f, 3, 0}};
  for (const auto& c : cases) EXPECT_EQ(MipLevelForScale(c.scale, c.levels), c.level) << c.scale << " " << c.levels;
}

}  // namespace
