#include <gtest/gtest.h>
#include <unistd.h>

#include "framework/fw_main.h"
#include "framework/fw_timer.h"
#include "framework/fw_util.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/sprite.h"
#include "support/sdl_test_support.h"
#include "support/temp_dir.h"

namespace {
using sdl_test::PixelAt;

TEST(FrameworkState, AFirstGetterMakesTheStateWithItsDefaults) {
  FWResetStateForTests();
  EXPECT_TRUE(FWIsActive());
  EXPECT_TRUE(FWGetAllowShortcutKeysWhenWindowed());
  EXPECT_FALSE(FWGetAllowShortcutKeysWhenFullscreen());
  EXPECT_TRUE(FWGetAutoChangeAdapter());
  EXPECT_TRUE(FWIsLockEnabled());
  EXPECT_EQ(FWGetWindowedStyleAtModeChange(), 0x80CA0000u);
  EXPECT_EQ(FWGetD3DDevice(), nullptr);
  EXPECT_EQ(FWGetExitCode(), 0);
  EXPECT_FALSE(FWGetKeyState('A'));

  const FWDeviceSettings none = FWGetDeviceSettings();
  EXPECT_EQ(none.AdapterOrdinal, 0u);
  EXPECT_EQ(none.BehaviorFlags, 0u);
  EXPECT_EQ(none.pp.BackBufferWidth, 0u);
  EXPECT_EQ(none.pp.Windowed, 0);

  // No settings: not windowed, so the full-screen device window is the window.
  auto* full = reinterpret_cast<HWND>(uintptr_t{0x10});
  auto* windowed = reinterpret_cast<HWND>(uintptr_t{0x20});
  FWSetHWNDDeviceFullScreen(full);
  FWSetHWNDDeviceWindowed(windowed);
  EXPECT_FALSE(FWIsWindowed());
  EXPECT_EQ(FWGetHWND(), full);
  auto* s = new FWDeviceSettings();
  s->pp.Windowed = 1;
  FWSetCurrentDeviceSettings(s);
  EXPECT_EQ(FWGetHWND(), windowed);
  FWSetCurrentDeviceSettings(nullptr);
  delete s;

  const std::wstring longTitle(400, L'x');
  FWSetWindowTitle(longTitle.c_str());
  EXPECT_EQ(std::wstring(FWGetWindowTitle()).size(), 255u);
  FWResetStateForTests();
}

TEST(FrameTimer, TimeAdvancesOnlyWhileRunning) {
  cManualClock clock;
  clock.ticks = 3000000000;
  SetPlatformClock(&clock);
  CFWTimer timer;
  EXPECT_TRUE(timer.IsStopped());
  timer.Reset();
  clock.AdvanceMs(1000);
  EXPECT_NEAR(timer.GetTime(), 1.0, 1e-9);
  EXPECT_NEAR(timer.GetElapsedTime(), 1.0, 1e-9);
  timer.Stop();
  clock.AdvanceMs(5000);  // stopped: does not count
  EXPECT_NEAR(timer.GetTime(), 1.0, 1e-9);
  EXPECT_NEAR(timer.GetAbsoluteTime(), 4.0, 1e-9) << "the stop time";
  timer.Start();
  clock.AdvanceMs(500);
  EXPECT_NEAR(timer.GetTime(), 1.5, 1e-9);
  EXPECT_NEAR(timer.GetElapsedTime(), 0.5, 1e-9);
  EXPECT_NEAR(timer.GetElapsedTime(), 0.0, 1e-9);
  timer.Start();  // starting a running timer changes nothing
  EXPECT_NEAR(timer.GetTime(), 1.5, 1e-9);

  clock.available = false;
  CFWTimer none;
  none.Reset();
  EXPECT_EQ(none.GetTime(), -1.0);
  EXPECT_EQ(none.GetAbsoluteTime(), -1.0);
  EXPECT_EQ(none.GetElapsedTime(), -1.0);
  SetPlatformClock(nullptr);
}

TEST(TextHelper, ColourChannelsAreClampedAndRounded) {
  CFWTextHelper h(nullptr, nullptr, 15);
  EXPECT_EQ(h.Colour(), 0xFFFFFFFFu) << "white at construction";
  h.SetForegroundColor(1.5f, -0.2f, 0.5f, 1.0f);
  EXPECT_EQ(h.Colour(), 0xFFFF0080u);
  h.SetForegroundColor(0.0f, 0.1f, 0.999f, 0.0f);
  EXPECT_EQ(h.Colour(), 0x00001AFFu);
  RECT r{};
  EXPECT_EQ(h.DrawTextLine(r, 0, L"x"), E_INVALIDARG) << "no font";
  EXPECT_EQ(h.InsertionY(), 0);
}

class MediaFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::make_unique<cTempDir>("media");
    dir_->Write("parent/child/keep", "");
    dir_->Write("parent/up.txt", "1");
    dir_->Write("parent/child/media/m.txt", "1");
    dir_->Write("top.txt", "1");
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof(buf)), nullptr);
    saved_ = buf;
    ASSERT_EQ(chdir((dir_->Path() / "parent/child").c_str()), 0);
    FWSetProgramPathForTests(L"/nonexistent/bin", L"game");
  }
  void TearDown() override {
    FWSetProgramPathForTests(L"", L"");
    EXPECT_EQ(chdir(saved_.c_str()), 0);
  }
  std::unique_ptr<cTempDir> dir_;
  std::string saved_;
};

TEST_F(MediaFileTest, TypicalFoldersMediaSubfolderAndTheWalkUpwards) {
  std::wstring found;
  EXPECT_EQ(FWFindMediaFile(found, L"up.txt"), S_OK);
  EXPECT_EQ(found, L"..\\up.txt");
  EXPECT_EQ(FWFindMediaFile(found, L"m.txt"), S_OK);
  EXPECT_EQ(found, L"media\\m.txt");
  EXPECT_EQ(FWFindMediaFile(found, L"top.txt"), S_OK);
  EXPECT_EQ(found, L"..\\..\\top.txt");
  EXPECT_EQ(FWFindMediaFile(found, L"keep"), S_OK);
  EXPECT_EQ(found, L"keep");
  EXPECT_EQ(FWFindMediaFile(found, L"nowhere.txt"), FWERR_MEDIANOTFOUND);
  EXPECT_EQ(found, L"nowhere.txt");
  EXPECT_EQ(FWFindMediaFile(found, L""), E_INVALIDARG);
}

TEST_F(MediaFileTest, FoundAboveTheProgramFolder) {
  dir_->Write("install/bin/x", "");
  dir_->Write("install/data/deep.txt", "1");
  FWSetProgramPathForTests(Utf8ToWide((dir_->Path() / "install/bin").string()), L"game");
  std::wstring found;
  ASSERT_EQ(FWFindMediaFile(found, L"data\\deep.txt"), S_OK);
  EXPECT_NE(found.find(L"deep.txt"), std::wstring::npos);
}

class StretchTest : public sdl_test::DeviceWindowTest {
 protected:
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(device->CreateTexture(2, 2, &texture), S_OK);
    for (int i = 0; i < 4; ++i) texture->Lock()[i] = 0xFFFFFFFFu;
    texture->Unlock();
  }
  void TearDown() override {
    if (texture != nullptr) texture->Release();
    sdl_test::DeviceWindowTest::TearDown();
  }
  cPlatformTexture* texture = nullptr;
};

TEST_F(StretchTest, TheSourceIsScaledToTheDestinationAndTheTransformRestored) {
  cPlatformSprite sprite(device);
  sprite.Begin(D3DXSPRITE_ALPHABLEND);
  DrawSpriteStretched(&sprite, texture, nullptr, 100, 50, 40, 20, 0xFF00FF00u, 0.5f, false);
  sprite.SetTransform(MatrixTranslation(0, 100, 0));
  DrawSpriteStretched(&sprite, texture, nullptr, 10, 10, 8, 8, 0xFFFF0000u, 0.5f, true);
  D3DXMATRIX after;
  sprite.GetTransform(&after);
  EXPECT_EQ(after.m[3][1], 100.0f);
  sprite.End();
  EXPECT_EQ(PixelAt(device, 101, 51), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(device, 139, 69), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(device, 141, 60), 0xFF000000u);
  EXPECT_EQ(PixelAt(device, 120, 71), 0xFF000000u);
  EXPECT_EQ(PixelAt(device, 14, 114), 0xFFFF0000u) << "combined with the translation";
  EXPECT_EQ(PixelAt(device, 14, 14), 0xFF000000u);
}

TEST_F(StretchTest, TextLinesMoveTheInsertionPointDown) {
  cPlatformFont* font = nullptr;
  ASSERT_EQ(cPlatformFont::Create(device, 16, 0, FW_NORMAL, 1, false, L"Arial", &font), S_OK);
  cPlatformSprite sprite(device);
  CFWTextHelper h(font, &sprite, 17);
  h.SetInsertionPos(5, 10);
  h.Begin();
  RECT r{5, 10, 300, 30};
  EXPECT_EQ(h.DrawFormattedTextLine(r, DT_NOCLIP, L"%s %d", L"turn", 7), S_OK);
  h.End();
  EXPECT_EQ(h.InsertionY(), 27);
  std::vector<uint32_t> px;
  int w = 0, hgt = 0;
  ASSERT_TRUE(device->ReadPixels(px, w, hgt));
  int lit = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 5; x < 100; ++x)
      if ((px[static_cast<size_t>(y) * w + x] & 0xFFFFFFu) != 0) ++lit;
  EXPECT_GT(lit, 20);
  font->Release();
}

}  // namespace
