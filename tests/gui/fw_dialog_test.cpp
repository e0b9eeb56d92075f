// Messages fed through dialogs: hotkeys, focus, the focus ring, drags, the
// caption, removal, and the events the simple controls raise.
#include "gui/fw_dialog.h"

#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace {
using gui_test::Click;
using gui_test::Events;
using gui_test::Key;
using gui_test::Mouse;
using gui_test::sEvent;

class DialogTest : public gui_test::ToolkitTest {
 protected:
  void SetUp() override {
    gui_test::ToolkitTest::SetUp();
    d.SetCallback(&gui_test::Record);
    d.SetLocation(0, 0);
    d.SetSize(400, 300);
  }
  CFWDialog d;
};

TEST_F(DialogTest, HotkeysFireOnReleaseOnceAndOnlyForVisibleEnabledControls) {
  CFWButton *hidden = nullptr, *disabled = nullptr;
  d.AddButton(1, L"hidden", 0, 0, 50, 20, 'A', false, &hidden);
  d.AddButton(2, L"disabled", 0, 30, 50, 20, 'A', false, &disabled);
  d.AddButton(3, L"first", 0, 60, 50, 20, 'A');
  d.AddButton(4, L"second", 0, 90, 50, 20, 'A');
  hidden->SetVisible(false);
  disabled->SetEnabled(false);

  EXPECT_FALSE(Key(d, WM_KEYDOWN, 'A'));
  EXPECT_TRUE(Events().empty()) << "a hotkey never fires on press";
  EXPECT_TRUE(Key(d, WM_KEYUP, 'A'));
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 3}}));
  EXPECT_FALSE(Key(d, WM_KEYUP, 'B'));
  EXPECT_EQ(Events().size(), 1u);
}

TEST_F(DialogTest, TabFocusesTheDefaultControlOrNothingButIsTakenEither) {
  CFWButton* b = nullptr;
  d.AddButton(1, L"one", 0, 0, 50, 20);
  EXPECT_TRUE(Key(d, WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(CFWDialog::FocusControl(), nullptr);

  d.AddButton(2, L"default", 0, 30, 50, 20, 0, true, &b);
  EXPECT_TRUE(Key(d, WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(CFWDialog::FocusControl(), b);
  EXPECT_TRUE(b->m_bHasFocus);
  // With a focus control, Tab moves on (past the end into the first control).
  EXPECT_TRUE(Key(d, WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(CFWDialog::FocusControl(), d.GetControl(1));
  EXPECT_FALSE(b->m_bHasFocus);
}

TEST_F(DialogTest, FocusCyclesAcrossTheRingAndSkipsDialogsWithoutKeyboardInput) {
  CFWDialog second, third;
  d.SetNextDialog(&second);
  second.SetNextDialog(&third);
  third.SetNextDialog(&d);
  CFWButton *a = nullptr, *b = nullptr, *c = nullptr;
  d.AddButton(1, L"a", 0, 0, 50, 20, 0, true, &a);
  second.AddButton(2, L"b", 0, 0, 50, 20, 0, false, &b);
  third.AddButton(3, L"c", 0, 0, 50, 20, 0, false, &c);
  d.AddStatic(9, L"label", 0, 40, 50, 20);  // never takes the focus

  d.FocusDefaultControl();
  ASSERT_EQ(CFWDialog::FocusControl(), a);
  Key(d, WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(CFWDialog::FocusControl(), b);
  second.EnableKeyboardInput(false);
  Key(second, WM_KEYDOWN, VK_TAB);  // keyboard input off: the key is not its
  EXPECT_EQ(CFWDialog::FocusControl(), b);
  CFWDialog::RequestFocus(a);
  Key(d, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(CFWDialog::FocusControl(), c) << "the dialog without keyboard input is skipped";
  Key(third, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(CFWDialog::FocusControl(), a) << "backwards past the skipped dialog again";
  d.SetNextDialog(nullptr);
  second.SetNextDialog(nullptr);
  third.SetNextDialog(nullptr);
}

TEST_F(DialogTest, RemovedControlsRenumberTheRestSoTheFocusWalkStaysInOrder) {
  for (int i = 1; i <= 4; ++i) d.AddButton(i, L"b", 0, 30 * i, 50, 20, 0, i == 1);
  d.RemoveControl(2);
  ASSERT_EQ(d.ControlCount(), 3u);
  for (size_t i = 0; i < d.ControlCount(); ++i) EXPECT_EQ(d.ControlAt(i)->m_Index, i);
  d.FocusDefaultControl();
  std::vector<int> order;
  for (int i = 0; i < 4; ++i) {
    Key(d, WM_KEYDOWN, VK_TAB);
    order.push_back(CFWDialog::FocusControl()->GetID());
  }
  EXPECT_EQ(order, (std::vector<int>{3, 4, 1, 3}));
  order.clear();
  for (int i = 0; i < 3; ++i) {
    Key(d, WM_KEYDOWN, VK_LEFT);
    order.push_back(CFWDialog::FocusControl()->GetID());
  }
  EXPECT_EQ(order, (std::vector<int>{1, 4, 3}));
}

TEST_F(DialogTest, RemovingTheControlUnderTheMouseClearsTheCursorsHint) {
  CFWButton* b = nullptr;
  d.AddButton(5, L"b", 10, 10, 50, 20, 0, false, &b);
  b->SetHint(L"press me");
  Mouse(d, WM_MOUSEMOVE, 20, 15);
  ASSERT_EQ(gCursor.HoverControl(), b);
  EXPECT_TRUE(gCursor.HasHintText());
  d.RemoveControl(5);
  EXPECT_EQ(gCursor.HoverControl(), nullptr);
  EXPECT_FALSE(gCursor.HasHintText());
  EXPECT_EQ(d.MouseOverControl(), nullptr);
}

TEST_F(DialogTest, DragStartsBeyondFivePixelsMovesInStepsAndSwallowsTheClick) {
  CFWButton* b = nullptr;
  d.AddButton(1300, L"drag", 100, 100, 60, 20, 0, false, &b);
  b->m_bMovable = true;
  Mouse(d, WM_MOUSEMOVE, 110, 110);
  Mouse(d, WM_LBUTTONDOWN, 110, 110);
  EXPECT_FALSE(Mouse(d, WM_MOUSEMOVE, 117, 110)) << "7 pixels round to 5: no drag yet";
  EXPECT_EQ(b->m_x, 100);
  EXPECT_TRUE(Mouse(d, WM_MOUSEMOVE, 120, 108));
  EXPECT_EQ(b->m_x, 110);
  EXPECT_EQ(b->m_y, 100) << "-2 rounds toward zero";
  EXPECT_TRUE(Mouse(d, WM_MOUSEMOVE, 123, 103)) << "while dragging every move is taken";
  EXPECT_EQ(b->m_x, 110);
  EXPECT_EQ(b->m_y, 95);
  EXPECT_EQ(GuiLayoutTable[1300].x, 110);
  EXPECT_EQ(GuiLayoutTable[1300].y, 95);
  EXPECT_TRUE(Mouse(d, WM_LBUTTONUP, 123, 103));
  EXPECT_TRUE(Events().empty()) << "the release after a drag is no click";
  EXPECT_FALSE(CFWDialog::ControlDragActive());
  // A plain click afterwards still clicks.
  Click(d, 120, 100);
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1300}}));
}

TEST_F(DialogTest, AHiddenDialogTakesNoDrag) {
  CFWButton* b = nullptr;
  d.AddButton(1301, L"drag", 100, 100, 60, 20, 0, false, &b);
  b->m_bMovable = true;
  Mouse(d, WM_MOUSEMOVE, 110, 110);
  d.SetVisible(false);
  EXPECT_FALSE(Mouse(d, WM_LBUTTONDOWN, 110, 110));
  EXPECT_FALSE(Mouse(d, WM_MOUSEMOVE, 140, 140));
  EXPECT_EQ(b->m_x, 100);
  EXPECT_EQ(b->m_y, 100);
}

TEST_F(DialogTest, CancelControlDragEndsADragUnderWay) {
  CFWButton* b = nullptr;
  d.AddButton(1302, L"drag", 100, 100, 60, 20, 0, false, &b);
  b->m_bMovable = true;
  Mouse(d, WM_MOUSEMOVE, 110, 110);
  Mouse(d, WM_LBUTTONDOWN, 110, 110);
  Mouse(d, WM_MOUSEMOVE, 130, 110);
  ASSERT_TRUE(CFWDialog::ControlDragActive());
  CFWDialog::CancelControlDrag();
  EXPECT_FALSE(CFWDialog::ControlDragActive());
  EXPECT_FALSE(Mouse(d, WM_MOUSEMOVE, 160, 110)) << "no start point left";
  EXPECT_EQ(b->m_x, 120);
}

TEST_F(DialogTest, CaptionClickMinimizesAndRestoresAndMouseGoesBelowIt) {
  d.EnableCaption(true);
  d.SetLocation(50, 40);
  CFWButton* b = nullptr;
  d.AddButton(1, L"b", 0, 0, 50, 20, 0, false, &b);
  EXPECT_TRUE(Mouse(d, WM_LBUTTONDOWN, 60, 45));
  EXPECT_TRUE(Mouse(d, WM_LBUTTONUP, 60, 45));
  EXPECT_TRUE(d.GetMinimized());
  Click(d, 60, 60);
  EXPECT_TRUE(Events().empty()) << "a minimized dialog takes no clicks";
  Mouse(d, WM_LBUTTONDOWN, 60, 45);
  Mouse(d, WM_LBUTTONUP, 60, 45);
  EXPECT_FALSE(d.GetMinimized());
  // The control's (0, 0) is below the 18-pixel caption.
  Click(d, 55, 40 + 18 + 5);
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1}}));
}

TEST_F(DialogTest, StaticsLetTheMouseThroughAndNeverTakeTheFocus) {
  CFWStatic* s = nullptr;
  d.AddButton(1, L"under", 10, 10, 100, 30);
  d.AddStatic(2, L"label", 10, 10, 100, 30, true, &s);
  EXPECT_FALSE(s->GetEnabled());
  EXPECT_FALSE(s->ContainsPoint(POINT{20, 20}));
  EXPECT_EQ(d.GetControlAtPoint(POINT{20, 20}), d.GetControl(1));
  Click(d, 20, 20);
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1}}));
  EXPECT_FALSE(s->CanHaveFocus());
}

TEST_F(DialogTest, ButtonSpaceAndMouseReleaseOutside) {
  CFWButton* b = nullptr;
  d.AddButton(1, L"b", 10, 10, 100, 30, 0, false, &b);
  CFWDialog::RequestFocus(b);
  EXPECT_TRUE(Key(d, WM_KEYDOWN, VK_SPACE));
  EXPECT_TRUE(b->m_bPressed);
  EXPECT_TRUE(Key(d, WM_KEYUP, VK_SPACE));
  EXPECT_EQ(Events().size(), 1u);
  Mouse(d, WM_LBUTTONDOWN, 20, 20);
  EXPECT_TRUE(Mouse(d, WM_LBUTTONUP, 200, 200)) << "the pressed button takes its release";
  EXPECT_EQ(Events().size(), 1u) << "released outside: no click";
}

TEST_F(DialogTest, CheckBoxesAndRadioButtonsRaiseTheirEvents) {
  CFWCheckBox* cb = nullptr;
  d.AddCheckBox(1, L"check", 10, 10, 100, 20, true, 0, false, &cb);
  EXPECT_TRUE(cb->GetChecked());
  EXPECT_TRUE(Events().empty()) << "the initial state is a non-user event";
  Click(d, 15, 15);
  EXPECT_FALSE(cb->GetChecked());
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_CHECKBOX_CHANGED, 1}}));
  Events().clear();

  d.EnableNonUserEvents(true);
  CFWRadioButton *r1 = nullptr, *r2 = nullptr, *other = nullptr;
  d.AddRadioButton(2, 7, L"r1", 10, 40, 100, 20, true, 0, false, &r1);
  d.AddRadioButton(3, 7, L"r2", 10, 70, 100, 20, false, 0, false, &r2);
  d.AddRadioButton(4, 8, L"other group", 10, 100, 100, 20, true, 0, false, &other);
  Events().clear();
  Click(d, 15, 75);
  EXPECT_TRUE(r2->GetChecked());
  EXPECT_FALSE(r1->GetChecked());
  EXPECT_TRUE(other->GetChecked());
  // The group is cleared (non-user events for both), then r2 is chosen.
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_RADIOBUTTON_CHANGED, 2},
                                           {EVENT_RADIOBUTTON_CHANGED, 3},
                                           {EVENT_RADIOBUTTON_CHANGED, 3}}));
  d.EnableNonUserEvents(false);
  Events().clear();
  Click(d, 15, 75);
  EXPECT_TRUE(r2->GetChecked()) << "clicked again it stays checked";
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_RADIOBUTTON_CHANGED, 3}}));
}

TEST_F(DialogTest, SliderKeysClicksAndDrag) {
  CFWSlider* s = nullptr;
  d.AddSlider(1, 10, 10, 220, 20, 0, 100, 50, false, &s);
  EXPECT_EQ(s->m_rcButton.left, 10 + 5 + 100);
  CFWDialog::RequestFocus(s);
  Key(d, WM_KEYDOWN, VK_END);
  EXPECT_EQ(s->GetValue(), 100);
  Key(d, WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(s->GetValue(), 99) << "a focused slider takes the arrow keys";
  Key(d, WM_KEYDOWN, VK_HOME);
  EXPECT_EQ(s->GetValue(), 0);
  Events().clear();
  // A click on the track right of the button steps up by one.
  Mouse(d, WM_LBUTTONDOWN, 200, 15);
  Mouse(d, WM_LBUTTONUP, 200, 15);
  EXPECT_EQ(s->GetValue(), 1);
  // Grab the button and move it by 40 pixels: 40 x 100 / 200 = 20 more.
  const int grab = s->m_rcButton.left + 3;
  Mouse(d, WM_LBUTTONDOWN, grab, 15);
  EXPECT_TRUE(s->m_bPressed);
  Mouse(d, WM_MOUSEMOVE, grab, 15);
  EXPECT_EQ(s->GetValue(), 1) << "grabbing without moving keeps the value";
  Mouse(d, WM_MOUSEMOVE, grab + 40, 15);
  EXPECT_EQ(s->GetValue(), 21);
  Mouse(d, WM_MOUSEMOVE, grab + 1000, 15);
  EXPECT_EQ(s->GetValue(), 100);
  Mouse(d, WM_LBUTTONUP, grab + 1000, 15);
  EXPECT_FALSE(s->m_bPressed);
  EXPECT_EQ(CFWDialog::FocusControl(), nullptr) << "release clears the focus";
  EXPECT_EQ(Events().back(), (sEvent{EVENT_SLIDER_VALUE_CHANGED, 1}));
}

TEST_F(DialogTest, EmptyRangesAndNarrowSlidersDoNotDivideByZero) {
  CFWSlider* s = nullptr;
  d.AddSlider(1, 10, 10, 220, 20, 5, 5, 9, false, &s);
  EXPECT_EQ(s->GetValue(), 5);
  EXPECT_EQ(s->m_rcButton.left, 15);
  CFWSlider* narrow = nullptr;
  d.AddSlider(2, 10, 40, 20, 20, 0, 10, 5, false, &narrow);
  Mouse(d, WM_LBUTTONDOWN, narrow->m_rcButton.left + 1, 45);
  Mouse(d, WM_MOUSEMOVE, narrow->m_rcButton.left + 30, 45);
  EXPECT_EQ(narrow->GetValue(), 0);
  Mouse(d, WM_LBUTTONUP, 0, 0);

  CFWProgressBar* p = nullptr;
  d.AddProgressBar(3, 10, 70, 210, 20, 7, 7, 50, &p);
  EXPECT_EQ(p->GetValue(), 7);
  EXPECT_EQ(p->BarWidth(), 0);
  p->SetRange(0, 100);
  p->SetValue(50);
  EXPECT_EQ(p->BarWidth(), 100);
  p->SetValue(250);
  EXPECT_EQ(p->GetValue(), 100);
  EXPECT_EQ(p->BarWidth(), 200);
}

TEST_F(DialogTest, TabFramesShowAndHideTheirControls) {
  GuiLayoutTable[1400] = {10, 10, 300, 200};
  CFWTabFrame* t = nullptr;
  ASSERT_EQ(d.AddTabFrame(1400, &t), S_OK);
  for (int id = 1401; id <= 1404; ++id) d.AddButton(id, L"x", 20, 60 + 10 * (id - 1400), 40, 10);
  t->AddTab(L"First", nullptr, 1401, 1402);
  EXPECT_EQ(t->GetActiveTab(), 0);
  t->AddTab(L"Second", nullptr, 1403, 1404);
  EXPECT_EQ(t->GetActiveTab(), 0) << "the second tab leaves tab 0 active";
  EXPECT_TRUE(d.GetControl(1401)->GetVisible());
  EXPECT_FALSE(d.GetControl(1403)->GetVisible());
  EXPECT_FALSE(d.GetControl(1404)->GetVisible());
  EXPECT_TRUE(Events().empty());

  // Without fonts the tabs are 20 pixels wide: the second starts at x 30.
  const int secondX = 10 + 20 + t->m_Tabs[0]->textWidth + 2;
  EXPECT_FALSE(Mouse(d, WM_LBUTTONDOWN, 10 + 100 * 20, 15));
  EXPECT_TRUE(Mouse(d, WM_LBUTTONDOWN, secondX, 15));
  EXPECT_EQ(t->GetActiveTab(), 1);
  EXPECT_FALSE(d.GetControl(1401)->GetVisible());
  EXPECT_TRUE(d.GetControl(1404)->GetVisible());
  EXPECT_FALSE(Mouse(d, WM_LBUTTONUP, secondX, 15)) << "the release is not taken";
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_TABFRAME_TAB_CHOSEN, 1400}}));
  t->SetActiveTab(9, false);
  EXPECT_EQ(t->GetActiveTab(), 1) << "clamped into the tabs";
  EXPECT_EQ(t->GetActiveTab(-2), -1);
}

TEST_F(DialogTest, LayoutFormsTakeTheTableAndKeepAHintCopy) {
  GuiLayoutTable[1410] = {30, 40, 120, 25};
  std::wstring hint = L"Saves the game";
  CFWButton* b = nullptr;
  ASSERT_EQ(d.AddButton(1410, L"Save", hint.c_str(), 'S', &b), S_OK);
  hint = L"changed";
  EXPECT_EQ(b->m_rcBoundingBox.left, 30);
  EXPECT_EQ(b->m_rcBoundingBox.bottom, 65);
  EXPECT_STREQ(b->GetHint(), L"Saves the game");
  EXPECT_FALSE(b->m_bIsDefault);
  EXPECT_EQ(d.GetControl(1410, FWCONTROL_BUTTON), b);
  EXPECT_EQ(d.GetControl(1410, FWCONTROL_SLIDER), nullptr);
  EXPECT_EQ(d.GetControl(9999), nullptr);
}

TEST_F(DialogTest, RefreshDropsFocusAndFocusesTheDefault) {
  CFWButton *a = nullptr, *b = nullptr;
  d.AddButton(1, L"a", 0, 0, 50, 20, 0, false, &a);
  d.AddButton(2, L"b", 0, 30, 50, 20, 0, true, &b);
  CFWDialog::RequestFocus(a);
  d.SetRefreshTime(5.0);
  d.Refresh();
  EXPECT_FALSE(a->m_bHasFocus);
  EXPECT_EQ(CFWDialog::FocusControl(), b);
  d.SetRefreshTime(0.0);
}

// A control that stands for a focused edit box.
class cFakeEditBox : public CFWControl {
 public:
  cFakeEditBox() { m_Type = FWCONTROL_EDITBOX; }
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  bool HandleKeyboard(UINT msg, WPARAM, LPARAM) override {
    if (msg == WM_KEYUP) ++keysUp;
    return false;
  }
  int keysUp = 0;
};

TEST_F(DialogTest, AFocusedEditBoxKeepsHotkeyLetters) {
  d.AddButton(1, L"save", 0, 0, 50, 20, 'S');
  auto* edit = new cFakeEditBox();
  ASSERT_EQ(d.AddControl(edit), S_OK);
  edit->m_ID = 2;
  CFWDialog::RequestFocus(edit);
  EXPECT_FALSE(Key(d, WM_KEYUP, 'S'));
  EXPECT_EQ(edit->keysUp, 1);
  EXPECT_TRUE(Events().empty());
  CFWDialog::ClearFocus();
  EXPECT_TRUE(Key(d, WM_KEYUP, 'S'));
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1}}));
}

TEST_F(DialogTest, ImagesArePicturesUntilEnabledAndIconsClickLikeButtons) {
  CFWImage* image = nullptr;
  d.AddImage(1, nullptr, 0, 0, 10, 10, 10, 10, 40, 40, 0, false, &image);
  EXPECT_FALSE(image->GetEnabled());
  Click(d, 20, 20);
  EXPECT_TRUE(Events().empty());
  image->SetEnabled(true);
  Click(d, 20, 20);
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1}}));

  CFWIcon* icon = nullptr;
  d.AddIcon(2, 100, 200, 120, 230, 60, 10, 20, 30, 'I', false, &icon);
  EXPECT_EQ(icon->m_rcSource[1].top, 230);
  EXPECT_EQ(icon->m_rcSource[2].bottom, 290);
  Click(d, 65, 15);
  EXPECT_TRUE(Key(d, WM_KEYUP, 'I'));
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_BUTTON_CLICKED, 1},
                                           {EVENT_BUTTON_CLICKED, 2},
                                           {EVENT_BUTTON_CLICKED, 2}}));
}

TEST_F(DialogTest, HidingTheDialogOrItsMouseInputEndsTheHint) {
  CFWButton* b = nullptr;
  d.AddButton(1, L"b", 10, 10, 50, 20, 0, false, &b);
  b->SetHint(L"hint");
  Mouse(d, WM_MOUSEMOVE, 20, 15);
  ASSERT_EQ(gCursor.HoverControl(), b);
  d.SetVisible(false);
  EXPECT_EQ(gCursor.HoverControl(), nullptr);
  d.SetVisible(true);
  gCursor.SetHoverControl(b);
  d.EnableMouseInput(false);
  EXPECT_EQ(gCursor.HoverControl(), nullptr);
  EXPECT_FALSE(Mouse(d, WM_LBUTTONDOWN, 20, 15));
  EXPECT_FALSE(b->m_bPressed);
}

}  // namespace
