// Texture holders through the device's life.
#include "framework/texture.h"

#include <gtest/gtest.h>

#include "support/framework_test_support.h"
#include "support/log_capture.h"

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

}  // namespace
