// The scroll bar's range, thumb and arrow repeat, and the memo's wrapping
// and scrolling with the shipped fonts on the software renderer.
#include "gui/fw_scrollbar.h"

#include <gtest/gtest.h>

#include "gui/fw_memo.h"
#include "gui_test_support.h"

namespace {

// A bar of 16 x 116: buttons of 16, a track of 84 pixels from y 16.
struct Bar {
  Bar() {
    sb.SetLocation(0, 0);
    sb.SetSize(16, 116);
  }
  CFWScrollBar sb;
};

TEST(ScrollBar, RangePageAndPositionAreCapped) {
  struct Case {
    int start, end, page, pos, expected;
  } cases[] = {
      {0, 10, 3, 5, 5},   {0, 10, 3, 9, 7},  {0, 10, 3, -2, 0}, {2, 10, 3, 0, 2},
      {0, 3, 3, 2, 0},    {0, 2, 5, 1, 0},   {5, 20, 5, 15, 15}, {5, 20, 5, 16, 15},
  };
  for (const Case& c : cases) {
    Bar b;
    b.sb.SetTrackRange(c.start, c.end);
    b.sb.SetPageSize(c.page);
    b.sb.SetTrackPos(c.pos);
    EXPECT_EQ(b.sb.GetTrackPos(), c.expected) << c.start << ".." << c.end << " page " << c.page << " pos " << c.pos;
  }
  Bar b;
  b.sb.SetTrackRange(0, 10);
  b.sb.SetPageSize(4);
  b.sb.Scroll(100);
  EXPECT_EQ(b.sb.GetTrackPos(), 6);
  b.sb.Scroll(-2);
  EXPECT_EQ(b.sb.GetTrackPos(), 4);
  // Shrinking the range pulls the position back.
  b.sb.SetTrackRange(0, 6);
  EXPECT_EQ(b.sb.GetTrackPos(), 2);
}

TEST(ScrollBar, ShowItemBringsTheItemIntoThePage) {
  Bar b;
  b.sb.SetTrackRange(0, 50);
  b.sb.SetPageSize(5);
  b.sb.ShowItem(20);
  EXPECT_EQ(b.sb.GetTrackPos(), 16) << "shown as the last of the page";
  b.sb.ShowItem(17);
  EXPECT_EQ(b.sb.GetTrackPos(), 16) << "already visible";
  b.sb.ShowItem(3);
  EXPECT_EQ(b.sb.GetTrackPos(), 3);
  b.sb.ShowItem(500);
  EXPECT_EQ(b.sb.GetTrackPos(), 45) << "clamped to the last item";
  b.sb.ShowItem(-4);
  EXPECT_EQ(b.sb.GetTrackPos(), 0);
}

TEST(ScrollBar, ThumbSizeAndPlace) {
  Bar b;
  b.sb.SetTrackRange(0, 12);
  b.sb.SetPageSize(3);
  ASSERT_TRUE(b.sb.m_bShowThumb);
  EXPECT_EQ(b.sb.m_rcThumb.bottom - b.sb.m_rcThumb.top, 84 * 3 / 12);
  EXPECT_EQ(b.sb.m_rcThumb.top, 16);
  b.sb.SetTrackPos(9);
  EXPECT_EQ(b.sb.m_rcThumb.bottom, 100) << "the last page puts the thumb at the track's end";
  b.sb.SetTrackPos(3);
  EXPECT_EQ(b.sb.m_rcThumb.top, 16 + 3 * (84 - 21) / 9);

  b.sb.SetTrackRange(0, 100000);
  b.sb.SetPageSize(1);
  EXPECT_EQ(b.sb.m_rcThumb.bottom - b.sb.m_rcThumb.top, 8) << "never shorter than 8 pixels";

  b.sb.SetTrackRange(0, 1);
  EXPECT_FALSE(b.sb.m_bShowThumb) << "page 1 over a range of 1";
  EXPECT_EQ(b.sb.m_rcThumb.top, b.sb.m_rcTrack.top);
  EXPECT_EQ(b.sb.m_rcThumb.bottom, b.sb.m_rcTrack.bottom);
}

class ScrollBarMouse : public gui_test::ToolkitTest {};

TEST_F(ScrollBarMouse, HeldArrowStepsAtOnceThenAfterDelayThenRepeats) {
  Bar b;
  b.sb.SetTrackRange(0, 100);
  b.sb.SetPageSize(10);
  EXPECT_TRUE(b.sb.HandleMouse(WM_LBUTTONDOWN, POINT{8, 110}, 0, 0));
  EXPECT_EQ(b.sb.GetTrackPos(), 1) << "one step at once";
  const double t0 = b.sb.m_dArrowTS;
  b.sb.UpdateArrow(t0 + 0.30);
  EXPECT_EQ(b.sb.GetTrackPos(), 1) << "nothing before 0.33 seconds";
  b.sb.UpdateArrow(t0 + 0.34);
  EXPECT_EQ(b.sb.GetTrackPos(), 2);
  b.sb.UpdateArrow(t0 + 0.38);
  EXPECT_EQ(b.sb.GetTrackPos(), 2) << "the repeat waits 0.05 seconds";
  b.sb.UpdateArrow(t0 + 0.40);
  EXPECT_EQ(b.sb.GetTrackPos(), 3);
  b.sb.UpdateArrow(t0 + 0.46);
  EXPECT_EQ(b.sb.GetTrackPos(), 4);
  // The mouse leaves the button: no more steps, and none after release.
  b.sb.HandleMouse(WM_MOUSEMOVE, POINT{8, 50}, 0, 0);
  b.sb.UpdateArrow(t0 + 2.0);
  EXPECT_EQ(b.sb.GetTrackPos(), 4);
  b.sb.HandleMouse(WM_MOUSEMOVE, POINT{8, 110}, 0, 0);
  EXPECT_FALSE(b.sb.HandleMouse(WM_LBUTTONUP, POINT{8, 110}, 0, 0));
  b.sb.UpdateArrow(t0 + 5.0);
  EXPECT_EQ(b.sb.GetTrackPos(), 4);

  // The up arrow at the start stays put.
  b.sb.SetTrackPos(0);
  EXPECT_TRUE(b.sb.HandleMouse(WM_LBUTTONDOWN, POINT{8, 4}, 0, 0));
  EXPECT_EQ(b.sb.GetTrackPos(), 0);
  b.sb.HandleMouse(WM_LBUTTONUP, POINT{8, 4}, 0, 0);
}

TEST_F(ScrollBarMouse, TrackClicksPageAndThumbDragFollowsTheMouse) {
  Bar b;
  b.sb.SetTrackRange(0, 40);
  b.sb.SetPageSize(8);
  EXPECT_TRUE(b.sb.HandleMouse(WM_LBUTTONDOWN, POINT{8, 90}, 0, 0));
  EXPECT_EQ(b.sb.GetTrackPos(), 7) << "below the thumb: page size - 1";
  b.sb.HandleMouse(WM_LBUTTONUP, POINT{8, 90}, 0, 0);
  EXPECT_TRUE(b.sb.HandleMouse(WM_LBUTTONDOWN, POINT{8, 17}, 0, 0));
  EXPECT_EQ(b.sb.GetTrackPos(), 0);
  b.sb.HandleMouse(WM_LBUTTONUP, POINT{8, 17}, 0, 0);

  const int grab = b.sb.m_rcThumb.top + 2;
  EXPECT_TRUE(b.sb.HandleMouse(WM_LBUTTONDOWN, POINT{8, grab}, 0, 0));
  EXPECT_TRUE(CFWScrollBar::ThumbDragging());
  EXPECT_TRUE(b.sb.HandleMouse(WM_MOUSEMOVE, POINT{8, 1000}, 0, 0));
  EXPECT_EQ(b.sb.GetTrackPos(), 32) << "dragged to the end";
  EXPECT_EQ(b.sb.m_rcThumb.bottom, b.sb.m_rcTrack.bottom);
  b.sb.HandleMouse(WM_MOUSEMOVE, POINT{8, -1000}, 0, 0);
  EXPECT_EQ(b.sb.GetTrackPos(), 0);
  b.sb.HandleMouse(WM_LBUTTONUP, POINT{8, 0}, 0, 0);
  EXPECT_FALSE(CFWScrollBar::ThumbDragging());
}

class MemoTest : public gui_test::DialogRenderTest {
 protected:
  void SetUp() override {
    gui_test::DialogRenderTest::SetUp();
    if (HasFatalFailure()) return;
    memo = Place(new CFWMemo(dialog.get()), -1, 10, 10, 200, 120);
  }
  CFWMemo* memo = nullptr;
};

TEST_F(MemoTest, TextThatFitsHasNoThumbAndAnEmptyRange) {
  ASSERT_GT(memo->m_nLineHeight, 0);
  memo->SetText(L"Short.");
  EXPECT_EQ(memo->LineCount(), 1);
  EXPECT_EQ(memo->m_ScrollBar.GetTrackStart(), 0);
  EXPECT_EQ(memo->m_ScrollBar.GetTrackEnd(), 0);
  EXPECT_FALSE(memo->m_ScrollBar.m_bShowThumb);
  EXPECT_EQ(memo->m_ScrollBar.GetPageSize(), (120 - 10) / memo->m_nLineHeight);
}

TEST_F(MemoTest, LongParagraphWrapsToTheAreaAndScrolls) {
  std::wstring text;
  for (int i = 0; i < 80; ++i) text += L"word" + std::to_wstring(i) + L" ";
  memo->SetText(text.c_str());
  const cTextMetrics* m = FWElementMetrics(dialog.get(), memo->GetElement(0));
  ASSERT_NE(m, nullptr);
  const int areaWidth = memo->m_rcArea.right - memo->m_rcArea.left;
  EXPECT_EQ(areaWidth, 200 - 20 - 16);
  // Every wrapped line fits the area, and no two consecutive lines could
  // have been joined.
  const sTextLayout layout = LayoutText(text, -1, memo->m_rcArea, DT_WORDBREAK, *m);
  ASSERT_GT(layout.lines.size(), 4u);
  for (const sTextLine& l : layout.lines) EXPECT_LE(l.width, areaWidth);
  EXPECT_EQ(memo->LineCount(), static_cast<int>(layout.lines.size()));
  EXPECT_EQ(memo->m_ScrollBar.GetTrackEnd(), memo->LineCount());
  EXPECT_TRUE(memo->m_ScrollBar.m_bShowThumb);

  memo->ScrollToEnd();
  EXPECT_EQ(memo->m_ScrollBar.GetTrackPos(), memo->LineCount() - memo->m_ScrollBar.GetPageSize());

  // Two wheel notches up scroll two lines up; one down, one line down.
  const int pos = memo->m_ScrollBar.GetTrackPos();
  EXPECT_TRUE(memo->HandleMouse(WM_MOUSEWHEEL, POINT{50, 50}, static_cast<WPARAM>(240) << 16, 0));
  EXPECT_EQ(memo->m_ScrollBar.GetTrackPos(), pos - 2);
  memo->HandleMouse(WM_MOUSEWHEEL, POINT{50, 50}, static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16, 0);
  EXPECT_EQ(memo->m_ScrollBar.GetTrackPos(), pos - 1);

  memo->ClearText();
  EXPECT_TRUE(memo->GetText().empty());
}

TEST_F(MemoTest, ScrollToEndOfAHugeLogStopsAtLine99999) {
  memo->m_ScrollBar.SetTrackRange(0, 150000);
  memo->ScrollToEnd();
  const int page = memo->m_ScrollBar.GetPageSize();
  EXPECT_EQ(memo->m_ScrollBar.GetTrackPos(), 99999 - page + 1);
  memo->ScrollToEnd();
  EXPECT_EQ(memo->m_ScrollBar.GetTrackPos(), 99999 - page + 1) << "line 99999 already visible";
}

TEST_F(MemoTest, TextIsClippedToTheTextRectangle) {
  std::wstring text;
  for (int i = 0; i < 40; ++i) text += L"MMMMMMMM\n";
  memo->SetText(text.c_str());
  ASSERT_GT(memo->m_ScrollBar.GetTrackEnd(), memo->m_ScrollBar.GetPageSize());
  Draw(*dialog);
  // Below the text rectangle (the bottom frame) no glyph colour appears.
  auto bright = [](uint32_t c) { return (c & 0xFF) > 0xC0 && ((c >> 8) & 0xFF) > 0xC0 && ((c >> 16) & 0xFF) > 0xC0; };
  int inside = 0, below = 0;
  for (int y = memo->m_rcText.top; y < memo->m_rcText.bottom; ++y)
    for (int x = memo->m_rcText.left + 10; x < memo->m_rcText.left + 60; ++x) inside += bright(At(x, y)) ? 1 : 0;
  for (int y = memo->m_rcText.bottom + 10; y < memo->m_rcText.bottom + 15; ++y)
    for (int x = memo->m_rcText.left + 10; x < memo->m_rcText.left + 60; ++x) below += bright(At(x, y)) ? 1 : 0;
  EXPECT_GT(inside, 0);
  EXPECT_EQ(below, 0);
}

}  // namespace
