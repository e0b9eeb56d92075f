// Texture holders through the device's life, and the cursor: button edges,
// drags, the hint timer, the hint box's size and place.
#include <gtest/gtest.h>

#include "core/hoverable.h"
#include "gui/cursor.h"
#include "framework/fw_state.h"
#include "framework/texture.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "support/log_capture.h"
#include "support/sdl_test_support.h"

namespace {

class DeviceTest : public sdl_test::DeviceWindowTest {
 protected:
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    FWSetD3DDevice(device);
    D3DSURFACE_DESC desc;
    desc.Width = 1024;
    desc.Height = 768;
    FWSetBackBufferSurfaceDesc(desc);
  }
  void TearDown() override {
    for (cTexture& t : gTextures) t.Release();
    FWSetD3DDevice(nullptr);
    sdl_test::DeviceWindowTest::TearDown();
  }
  std::wstring SkinPath() const { return Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/gfx/GUI.png"); }
};

using TextureTest = DeviceTest;

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

class CursorTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    SetPlatformClock(&clock);
    LoadGuiLayoutFrom(Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/GUI_1024x768.csv"));
    rm = GetGlobalDialogResourceManager();
    rm->ClearForTests();
    ASSERT_EQ(rm->OnCreateDevice(device), S_OK);
    gTextures[kGuiTextureHolder].Load(SkinPath().c_str(), kTextureFromFile, 1);
    gCursor.Init(20, 20, 16, 40, 1000, nullptr);
  }
  void TearDown() override {
    gCursor.SetHoverControl(nullptr);
    gCursor.SetHoverObject(nullptr);
    rm->ClearForTests();
    SetPlatformClock(nullptr);
    DeviceTest::TearDown();
  }
  cManualClock clock;
  CFWDialogResourceManager* rm = nullptr;
};

TEST_F(CursorTest, ButtonEdgesLastOneCallAndDragsFollowThePress) {
  cCursor& c = gCursor;
  c.OnMouseButtons(true, false, 100, 100);
  EXPECT_TRUE(c.leftHeld);
  EXPECT_FALSE(c.leftReleasedNow);
  c.OnMouseButtons(true, false, 130, 90);
  EXPECT_EQ(c.leftDragX, 30);
  EXPECT_EQ(c.leftDragY, -10);
  c.OnMouseButtons(false, true, 140, 95);
  EXPECT_TRUE(c.leftReleasedNow);
  EXPECT_TRUE(c.leftReleased);
  EXPECT_FALSE(c.leftHeld);
  EXPECT_TRUE(c.rightPressedNow);
  EXPECT_EQ(c.rightPressX, 140);
  c.OnMouseButtons(false, true, 150, 105);
  EXPECT_FALSE(c.leftReleasedNow) << "for exactly one call";
  EXPECT_FALSE(c.rightPressedNow);
  EXPECT_EQ(c.rightDragX, 10);
  EXPECT_EQ(c.rightDragY, 10);
  c.OnMouseButtons(false, false, 150, 105);
  EXPECT_TRUE(c.rightReleased);
  EXPECT_FALSE(c.rightHeld);
}

TEST_F(CursorTest, TheHintShowsWhenTheRestReachesTheDelay) {
  CFWDialog d;
  CFWButton* b = nullptr;
  d.AddButton(1, L"b", 10, 10, 50, 20, 0, false, &b);
  b->SetHint(L"Ends the turn");
  gCursor.OnMouseButtons(false, false, 30, 20);
  d.MsgProc(nullptr, WM_MOUSEMOVE, 0, MakeLParam(30, 20));
  ASSERT_EQ(gCursor.HoverControl(), b);
  for (int i = 0; i < 9; ++i) {
    clock.AdvanceMs(100);
    gCursor.Update();
  }
  EXPECT_EQ(gCursor.BoxesDrawn(), 0);
  clock.AdvanceMs(100);
  gCursor.Update();
  EXPECT_EQ(gCursor.BoxesDrawn(), 1) << "shown at the update where 1000 ms are reached";
  EXPECT_EQ(gCursor.LastBoxX(), 50);
  EXPECT_EQ(gCursor.LastBoxY(), 40);
  // Leaving the control ends the hint.
  d.MsgProc(nullptr, WM_MOUSEMOVE, 0, MakeLParam(300, 200));
  EXPECT_EQ(gCursor.HoverControl(), nullptr);
  clock.AdvanceMs(2000);
  gCursor.Update();
  EXPECT_EQ(gCursor.BoxesDrawn(), 1);

  gCursor.Init(20, 20, 16, 40, 0, nullptr);
  gCursor.SetHoverControl(b);
  gCursor.Update();
  EXPECT_EQ(gCursor.BoxesDrawn(), 2) << "a delay of 0 shows the box at once";
}

TEST_F(CursorTest, LongHintsWrapAtTwoHundredPixelsAndTheBoxStaysOnScreen) {
  gCursor.SetHintText(L"A long hint text that would run across half of the screen if nothing wrapped it at all");
  EXPECT_LE(gCursor.HintWidth(), 200 + 10);
  EXPECT_GT(gCursor.HintWidth(), 100);
  EXPECT_GT(gCursor.HintHeight(), 2 * GuiFontTable[1].height) << "several lines";
  const int w = gCursor.HintWidth();
  gCursor.OnMouseButtons(false, false, 1000, 100);
  gCursor.Init(20, 20, 16, 40, 0, L"short");
  gCursor.OnMouseButtons(false, false, 1000, 760);
  gCursor.Update();
  EXPECT_EQ(gCursor.LastBoxX(), 1000 + 20 - 20 - gCursor.HintWidth()) << "left of the cursor";
  EXPECT_EQ(gCursor.LastBoxY(), 760 + 20 - 20 - gCursor.HintHeight()) << "above it";
  EXPECT_GT(w, gCursor.HintWidth());
  gCursor.SetHintText(L"");
  EXPECT_FALSE(gCursor.HasHintText());
  EXPECT_EQ(gCursor.HintWidth(), 0);
}

class cFakeHoverable : public cHoverable {
 public:
  void GetHoverExtent(int& width, int& height) const override {
    width = 120;
    height = 60;
  }
  void DrawHoverInfo(int x, int y) override {
    drawnX = x;
    drawnY = y;
  }
  int drawnX = -1, drawnY = -1;
};

TEST_F(CursorTest, AHoverObjectDrawsItsOwnHint) {
  cFakeHoverable sea;
  gCursor.Init(20, 20, 16, 40, 0, nullptr);
  gCursor.OnMouseButtons(false, false, 200, 100);
  EXPECT_TRUE(gCursor.SetHoverObject(&sea));
  EXPECT_EQ(gCursor.HintWidth(), 120);
  gCursor.Update();
  EXPECT_EQ(sea.drawnX, 220);
  EXPECT_EQ(sea.drawnY, 120);
  EXPECT_FALSE(gCursor.SetHoverObject(nullptr));
}

}  // namespace
