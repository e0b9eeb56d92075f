// The cursor: button edges, drags, the hint timer, the hint box's size and
// place.
#include "gui/cursor.h"

#include <gtest/gtest.h>

#include "core/hoverable.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "support/framework_test_support.h"

namespace {

class CursorTest : public sdl_test::FrameworkDeviceTest {
 protected:
  void SetUp() override {
    sdl_test::FrameworkDeviceTest::SetUp();
    if (HasFatalFailure()) return;
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
    if (rm != nullptr) rm->ClearForTests();
    SetPlatformClock(nullptr);
    sdl_test::FrameworkDeviceTest::TearDown();
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
