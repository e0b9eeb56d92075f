// Pixel probes on the flat-colour GUI picture: which element of the skin
// each control draws where.
#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace {
using gui_test::FlatColour;
using gui_test::Mouse;

using ControlsRenderTest = gui_test::DialogRenderTest;

TEST_F(ControlsRenderTest, ButtonCapsNormalAndPressed) {
  CFWButton* b = nullptr;
  dialog->AddButton(1, L"", 20, 20, 100, 30, 0, false, &b);
  Draw(*dialog);
  EXPECT_EQ(At(22, 35), FlatColour(FWCONTROL_BUTTON, 0));
  EXPECT_EQ(At(70, 35), FlatColour(FWCONTROL_BUTTON, 1));
  EXPECT_EQ(At(117, 35), FlatColour(FWCONTROL_BUTTON, 2));
  EXPECT_EQ(At(10, 35), 0xFF000000u) << "nothing outside the button";

  Mouse(*dialog, WM_MOUSEMOVE, 70, 35);
  Mouse(*dialog, WM_LBUTTONDOWN, 70, 35);
  ASSERT_TRUE(b->m_bPressed);
  Draw(*dialog);
  EXPECT_EQ(At(22, 35), FlatColour(FWCONTROL_BUTTON, 3));
  EXPECT_EQ(At(70, 35), FlatColour(FWCONTROL_BUTTON, 4));
  EXPECT_EQ(At(117, 35), FlatColour(FWCONTROL_BUTTON, 5));
  Mouse(*dialog, WM_LBUTTONUP, 70, 35);
}

TEST_F(ControlsRenderTest, NarrowButtonHasTwoHalfCapsAndNoMiddle) {
  dialog->AddButton(1, L"", 20, 20, 10, 30);
  Draw(*dialog);
  EXPECT_EQ(At(21, 35), FlatColour(FWCONTROL_BUTTON, 0));
  EXPECT_EQ(At(23, 35), FlatColour(FWCONTROL_BUTTON, 0));
  EXPECT_EQ(At(26, 35), FlatColour(FWCONTROL_BUTTON, 2));
  EXPECT_EQ(At(28, 35), FlatColour(FWCONTROL_BUTTON, 2));
}

TEST_F(ControlsRenderTest, FrameNineSliceCornersEdgesAndCentre) {
  dialog->AddFrame(1, 10, 10, 200, 150, 0);
  dialog->AddFrame(2, 230, 10, 60, 60, 2);
  Draw(*dialog);
  // Style 0: 45-pixel borders.
  EXPECT_EQ(At(20, 20), FlatColour(FWCONTROL_FRAME, 1));
  EXPECT_EQ(At(200, 20), FlatColour(FWCONTROL_FRAME, 3));
  EXPECT_EQ(At(20, 150), FlatColour(FWCONTROL_FRAME, 6));
  EXPECT_EQ(At(200, 150), FlatColour(FWCONTROL_FRAME, 8));
  EXPECT_EQ(At(110, 20), FlatColour(FWCONTROL_FRAME, 2));
  EXPECT_EQ(At(20, 85), FlatColour(FWCONTROL_FRAME, 4));
  EXPECT_EQ(At(110, 85), FlatColour(FWCONTROL_FRAME, 0));
  // Style 2 uses elements 18..26 with 10-pixel borders.
  EXPECT_EQ(At(234, 14), FlatColour(FWCONTROL_FRAME, 19));
  EXPECT_EQ(At(286, 66), FlatColour(FWCONTROL_FRAME, 26));
  EXPECT_EQ(At(260, 40), FlatColour(FWCONTROL_FRAME, 18));
}

TEST_F(ControlsRenderTest, ProgressBarFillWidthAndCaps) {
  CFWProgressBar* p = nullptr;
  dialog->AddProgressBar(1, 10, 10, 210, 25, 0, 100, 50, &p);
  ASSERT_EQ(p->BarWidth(), 100);
  Draw(*dialog);
  EXPECT_EQ(At(12, 20), FlatColour(FWCONTROL_PROGRESSBAR, 3)) << "filled left cap above the minimum";
  EXPECT_EQ(At(16, 20), FlatColour(FWCONTROL_PROGRESSBAR, 4));
  EXPECT_EQ(At(113, 20), FlatColour(FWCONTROL_PROGRESSBAR, 4));
  EXPECT_EQ(At(117, 20), FlatColour(FWCONTROL_PROGRESSBAR, 1)) << "the fill ends at 5 + 100";
  EXPECT_EQ(At(217, 20), FlatColour(FWCONTROL_PROGRESSBAR, 2));

  p->SetValue(0);
  Draw(*dialog);
  EXPECT_EQ(At(12, 20), FlatColour(FWCONTROL_PROGRESSBAR, 0));
  EXPECT_EQ(At(16, 20), FlatColour(FWCONTROL_PROGRESSBAR, 1)) << "no fill at the minimum";
  p->SetValue(100);
  Draw(*dialog);
  EXPECT_EQ(At(214, 20), FlatColour(FWCONTROL_PROGRESSBAR, 4));
  EXPECT_EQ(At(217, 20), FlatColour(FWCONTROL_PROGRESSBAR, 5)) << "filled right cap at the maximum";
}

TEST_F(ControlsRenderTest, SliderButtonFollowsTheValue) {
  CFWSlider* s = nullptr;
  dialog->AddSlider(1, 10, 10, 220, 25, 0, 100, 50, false, &s);
  Draw(*dialog);
  EXPECT_EQ(At(12, 20), FlatColour(FWCONTROL_SLIDER, 0));
  EXPECT_EQ(At(110, 20), FlatColour(FWCONTROL_SLIDER, 1));
  EXPECT_EQ(At(120, 20), FlatColour(FWCONTROL_SLIDER, 3)) << "button at 10 + 5 + 100";
  EXPECT_EQ(At(227, 20), FlatColour(FWCONTROL_SLIDER, 2));
  s->SetValueInternal(25, false, false);
  Draw(*dialog);
  EXPECT_EQ(At(70, 20), FlatColour(FWCONTROL_SLIDER, 3));
  EXPECT_EQ(At(120, 20), FlatColour(FWCONTROL_SLIDER, 1));
  Mouse(*dialog, WM_LBUTTONDOWN, 70, 20);
  Draw(*dialog);
  EXPECT_EQ(At(70, 20), FlatColour(FWCONTROL_SLIDER, 4)) << "the pressed button";
  Mouse(*dialog, WM_LBUTTONUP, 70, 20);
}

TEST_F(ControlsRenderTest, CheckBoxBoxShowsItsState) {
  CFWCheckBox* c = nullptr;
  dialog->AddCheckBox(1, L"", 10, 10, 100, 20, false, 0, false, &c);
  Draw(*dialog);
  EXPECT_EQ(At(20, 20), FlatColour(FWCONTROL_CHECKBOX, 0));
  EXPECT_EQ(At(40, 20), 0xFF000000u) << "the text area has no box";
  c->SetCheckedInternal(true, false, false);
  Draw(*dialog);
  EXPECT_EQ(At(20, 20), FlatColour(FWCONTROL_CHECKBOX, 1));
}

TEST_F(ControlsRenderTest, TabFrameDrawsActiveAndOtherTabsAndHidesTheOtherControls) {
  GuiLayoutTable[1420] = {10, 10, 300, 200};
  CFWTabFrame* t = nullptr;
  ASSERT_EQ(dialog->AddTabFrame(1420, &t), S_OK);
  dialog->AddButton(1421, L"", 30, 150, 40, 20);
  dialog->AddButton(1422, L"", 100, 150, 40, 20);
  t->AddTab(L"One", nullptr, 1421, 1421);
  t->AddTab(L"Two", nullptr, 1422, 1422);
  ASSERT_GT(t->m_Tabs[0]->textWidth, 0) << "measured with the font";
  Draw(*dialog);
  EXPECT_EQ(At(15, 15), FlatColour(FWCONTROL_TABFRAME, 12)) << "tab 0 is active";
  const int second = 10 + t->m_Tabs[0]->textWidth + 20;
  EXPECT_EQ(At(second + 3, 15), FlatColour(FWCONTROL_TABFRAME, 9));
  const int strip = t->m_rcTabStrip.bottom;
  EXPECT_EQ(At(13, strip + 3), FlatColour(FWCONTROL_TABFRAME, 0)) << "body top-left in row order";
  EXPECT_EQ(At(150, 100), FlatColour(FWCONTROL_TABFRAME, 4)) << "body centre";
  EXPECT_EQ(At(50, 160), FlatColour(FWCONTROL_BUTTON, 1)) << "the first tab's button";
  EXPECT_NE(At(120, 160), FlatColour(FWCONTROL_BUTTON, 1)) << "the second tab's button is hidden";
}

}  // namespace
