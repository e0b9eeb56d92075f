// The combo box on the software renderer: items and selection, keys, the
// mouse on the field and on the open list (which lies outside the field's
// box), the wheel, the hotkey and what is drawn where.
#include "gui/fw_combobox.h"

#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace {
using gui_test::Events;
using gui_test::FlatColour;
using gui_test::Mouse;
using gui_test::sEvent;

constexpr int kId = 21;

class ComboBoxTest : public gui_test::DialogRenderTest {
 protected:
  void SetUp() override {
    gui_test::DialogRenderTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(dialog->AddComboBox(kId, 20, 20, 150, 30, 'C', false, &combo), S_OK);
    ASSERT_NE(combo, nullptr);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i)
      combo->AddItem((L"Item " + std::to_wstring(i)).c_str(), reinterpret_cast<void*>(static_cast<uintptr_t>(100 + i)));
    Events().clear();
  }
  size_t Changes() const {
    size_t n = 0;
    for (const sEvent& e : Events()) n += e == sEvent{EVENT_COMBOBOX_SELECTION_CHANGED, kId} ? 1 : 0;
    return n;
  }
  bool KeyDown(int vk, LPARAM l = 0) { return dialog->MsgProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(vk), l); }
  bool Wheel(int notches) {
    const WPARAM w = static_cast<WPARAM>(static_cast<uint16_t>(notches * WHEEL_DELTA)) << 16;
    return combo->HandleMouse(WM_MOUSEWHEEL, POINT{50, 30}, w, 0);
  }
  // Opens the list with a click on the field and draws it, so that the
  // items know where they stand.
  void OpenByClick() {
    Mouse(*dialog, WM_LBUTTONDOWN, 60, 35);
    Mouse(*dialog, WM_LBUTTONUP, 60, 35);
    ASSERT_TRUE(combo->IsOpened());
    Draw(*dialog);
  }
  POINT Centre(const RECT& r) const { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  CFWComboBox* combo = nullptr;
};

TEST_F(ComboBoxTest, FirstItemSelectsItselfQuietlyAndLaterItemsKeepTheSelection) {
  EXPECT_EQ(combo->GetSelectedItem(), nullptr);
  EXPECT_EQ(combo->GetSelectedData(), nullptr);
  EXPECT_EQ(combo->AddItem(nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(combo->GetItemCount(), 0);

  ASSERT_EQ(combo->AddItem(L"First", reinterpret_cast<void*>(1)), S_OK);
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  EXPECT_EQ(combo->GetFocusedIndex(), 0);
  EXPECT_EQ(Changes(), 0u) << "not made by the user, and the dialog does not pass such events";
  combo->AddItem(L"Second", reinterpret_cast<void*>(2));
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  EXPECT_EQ(combo->GetSelectedData(), reinterpret_cast<void*>(1));
  EXPECT_EQ(combo->m_ScrollBar.GetTrackEnd(), 2);

  // With non-user events on, the first item's selection is announced.
  combo->RemoveAllItems();
  EXPECT_EQ(combo->GetSelectedIndex(), -1);
  EXPECT_EQ(combo->GetFocusedIndex(), -1);
  dialog->EnableNonUserEvents(true);
  combo->AddItem(L"Again", nullptr);
  EXPECT_EQ(Changes(), 1u);

  // Long texts are cut at 255 characters.
  combo->AddItem(std::wstring(300, L'z').c_str(), nullptr);
  EXPECT_EQ(combo->GetItem(1)->strText.size(), 255u);
}

TEST_F(ComboBoxTest, SelectingByIndexAndDataAndFindingText) {
  Fill(4);
  dialog->EnableNonUserEvents(true);
  EXPECT_EQ(combo->SetSelectedByIndex(4), E_INVALIDARG) << "the item count is outside";
  EXPECT_EQ(combo->SetSelectedByIndex(-1), E_INVALIDARG) << "a negative index is refused";
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  EXPECT_EQ(Changes(), 0u);

  EXPECT_EQ(combo->SetSelectedByIndex(2), S_OK);
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(combo->GetFocusedIndex(), 2);
  EXPECT_EQ(Changes(), 1u);

  EXPECT_EQ(combo->SetSelectedByData(reinterpret_cast<void*>(103)), S_OK);
  EXPECT_EQ(combo->GetSelectedIndex(), 3);
  EXPECT_EQ(combo->SetSelectedByData(reinterpret_cast<void*>(7)), E_FAIL);
  EXPECT_EQ(combo->GetSelectedIndex(), 3);
  EXPECT_EQ(Changes(), 2u);

  combo->AddItem(L"Item 1", nullptr);
  EXPECT_EQ(combo->FindItem(L"Item 1"), 1);
  EXPECT_EQ(combo->FindItem(L"Item 1", 2), 4) << "search from the start index on";
  EXPECT_EQ(combo->FindItem(L"item 1"), -1) << "exact text only";
  EXPECT_EQ(combo->FindItem(nullptr), -1);
  EXPECT_TRUE(combo->ContainsItem(L"Item 3"));
  EXPECT_FALSE(combo->ContainsItem(L"Item 3", 4));
}

TEST_F(ComboBoxTest, ArrowKeysSelectWhileClosedAndOnlyHighlightWhileOpen) {
  Fill(3);
  CFWDialog::RequestFocus(combo);
  EXPECT_TRUE(KeyDown(VK_DOWN));
  EXPECT_TRUE(KeyDown(VK_RIGHT));
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(Changes(), 2u);
  EXPECT_TRUE(KeyDown(VK_DOWN)) << "taken at the end too";
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(Changes(), 2u) << "nothing moved, nothing raised";
  EXPECT_TRUE(KeyDown(VK_UP));
  EXPECT_EQ(combo->GetSelectedIndex(), 1);
  EXPECT_EQ(Changes(), 3u);

  // F4 opens; an auto-repeated F4 does nothing.
  EXPECT_TRUE(KeyDown(VK_F1 + 3));
  ASSERT_TRUE(combo->IsOpened());
  EXPECT_TRUE(KeyDown(VK_F1 + 3, KF_REPEAT_BIT));
  EXPECT_TRUE(combo->IsOpened());
  Events().clear();
  KeyDown(VK_UP);
  EXPECT_EQ(combo->GetFocusedIndex(), 0);
  EXPECT_EQ(Changes(), 0u) << "no event while the list is open";
  // Enter after the highlight moved: selection follows focus already, so
  // Enter closes without a second change.
  EXPECT_TRUE(KeyDown(VK_RETURN));
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  KeyDown(VK_RETURN);
  EXPECT_FALSE(combo->IsOpened()) << "Enter on a closed box does not open it";

  // Closing with F4 announces the selection.
  KeyDown(VK_F1 + 3);
  Events().clear();
  KeyDown(VK_F1 + 3);
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(ComboBoxTest, FieldClickOpensAndClickOnAnItemBelowTheFieldChoosesIt) {
  Fill(5);
  // A button drawn where the open list will lie must not see the click.
  dialog->AddButton(99, L"", 20, 60, 150, 60);
  OpenByClick();
  EXPECT_EQ(CFWDialog::FocusControl(), combo);
  const FWComboBoxItem* third = combo->GetItem(2);
  ASSERT_TRUE(third->bVisible);
  EXPECT_GE(third->rcActive.top, combo->m_rcBoundingBox.bottom) << "the list lies below the field";

  // Moving over the list moves the highlight only.
  const POINT p = Centre(third->rcActive);
  EXPECT_TRUE(Mouse(*dialog, WM_MOUSEMOVE, p.x, p.y));
  EXPECT_EQ(combo->GetFocusedIndex(), 2);
  EXPECT_EQ(combo->GetSelectedIndex(), 0);

  Events().clear();
  EXPECT_TRUE(Mouse(*dialog, WM_LBUTTONDOWN, p.x, p.y));
  Mouse(*dialog, WM_LBUTTONUP, p.x, p.y);
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(combo->GetSelectedData(), reinterpret_cast<void*>(102));
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_COMBOBOX_SELECTION_CHANGED, kId}}));
}

TEST_F(ComboBoxTest, ClickBesideTheOpenListRestoresTheHighlightAndStillAnnounces) {
  Fill(5);
  OpenByClick();
  KeyDown(VK_DOWN);
  KeyDown(VK_DOWN);
  combo->m_iFocused = 4;  // the mouse hovered the last item
  Events().clear();
  EXPECT_FALSE(Mouse(*dialog, WM_LBUTTONDOWN, 300, 10)) << "a click beside the list is not taken";
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_EQ(combo->GetFocusedIndex(), combo->GetSelectedIndex());
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(Changes(), 1u);
  EXPECT_FALSE(combo->m_bPressed);
}

TEST_F(ComboBoxTest, FieldClickClosesAnOpenListAndDialogsWithoutKeysDropTheFocus) {
  Fill(2);
  dialog->EnableKeyboardInput(false);
  OpenByClick();
  Mouse(*dialog, WM_LBUTTONDOWN, 60, 35);
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_EQ(CFWDialog::FocusControl(), nullptr) << "closing gives the focus back";
  EXPECT_TRUE(combo->m_bPressed);
  EXPECT_TRUE(Mouse(*dialog, WM_LBUTTONUP, 60, 35));
  EXPECT_FALSE(combo->m_bPressed);
}

TEST_F(ComboBoxTest, WheelStepsAClosedBoxAndScrollsAnOpenList) {
  Fill(12);
  CFWDialog::RequestFocus(combo);
  EXPECT_TRUE(Wheel(-1));
  EXPECT_EQ(combo->GetSelectedIndex(), 1);
  EXPECT_TRUE(Wheel(2));
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  EXPECT_EQ(Changes(), 2u);
  combo->SetSelectedByIndex(11);
  Events().clear();
  EXPECT_TRUE(Wheel(-1));
  EXPECT_EQ(combo->GetSelectedIndex(), 11) << "at the last item the wheel does nothing";
  EXPECT_EQ(Changes(), 0u);

  combo->SetSelectedByIndex(0);
  OpenByClick();
  const int page = combo->m_ScrollBar.GetPageSize();
  ASSERT_GT(page, 0);
  ASSERT_LT(page, 12);
  EXPECT_TRUE(Wheel(-1));
  EXPECT_EQ(combo->m_ScrollBar.GetTrackPos(), std::min(kFWWheelScrollLines, 12 - page));
  EXPECT_EQ(combo->GetSelectedIndex(), 0) << "scrolling an open list chooses nothing";
  Draw(*dialog);
  EXPECT_FALSE(combo->GetItem(0)->bVisible) << "items above the scroll position are not hit";
}

TEST_F(ComboBoxTest, HotkeyStepsToTheNextItemAndWrapsButNotWhileOpen) {
  Fill(3);
  combo->SetSelectedByIndex(2);
  EXPECT_TRUE(gui_test::Key(*dialog, WM_KEYUP, 'C'));
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  EXPECT_EQ(combo->GetFocusedIndex(), 0);
  EXPECT_EQ(Changes(), 1u);
  combo->m_bOpened = true;
  combo->OnHotkey();
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
  combo->m_bOpened = false;

  combo->RemoveAllItems();
  combo->OnHotkey();
  EXPECT_EQ(combo->GetSelectedIndex(), -1) << "nothing to step through";
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheList) {
  Fill(3);
  OpenByClick();
  CFWDialog::ClearFocus();
  EXPECT_FALSE(combo->IsOpened());
  EXPECT_FALSE(combo->m_bHasFocus);
}

TEST_F(ComboBoxTest, RectanglesOfTheFieldAndTheList) {
  // Field 150 x 30 at (20, 20); the list 30 + 100 high below it, less the
  // button square and the scroll bar; its text inset by a tenth.
  EXPECT_EQ(combo->m_rcText.right, 170 - 30);
  EXPECT_EQ(combo->m_rcDropdown.left, 20);
  EXPECT_EQ(combo->m_rcDropdown.top, 50);
  EXPECT_EQ(combo->m_rcDropdown.right, 140 - 25);
  EXPECT_EQ(combo->m_rcDropdown.bottom, 180);
  EXPECT_EQ(combo->m_rcDropdownText.left, 20 + 9);
  EXPECT_EQ(combo->m_rcDropdownText.right, 115 - 9);
  EXPECT_EQ(combo->m_rcDropdownText.top, 50 + 13);
  EXPECT_EQ(combo->m_rcDropdownText.bottom, 180 - 13);
  EXPECT_EQ(combo->m_ScrollBar.m_x, 115);
  EXPECT_EQ(combo->m_ScrollBar.m_y, 52);
  EXPECT_EQ(combo->m_ScrollBar.m_height, 128);
  ASSERT_GT(combo->LineHeight(), 0);
  EXPECT_EQ(combo->m_ScrollBar.GetPageSize(), 104 / combo->LineHeight());
}

TEST_F(ComboBoxTest, DrawsTheFieldInThreePartsAndTheOpenListWithItsHighlight) {
  Fill(10);
  Draw(*dialog);
  EXPECT_EQ(At(25, 35), FlatColour(FWCONTROL_COMBOBOX, 0));
  EXPECT_EQ(At(160, 22), FlatColour(FWCONTROL_COMBOBOX, 1)) << "the drop button at the right";
  EXPECT_EQ(At(110, 22), FlatColour(FWCONTROL_COMBOBOX, 2));
  EXPECT_EQ(At(60, 100), 0xFF000000u) << "a closed box draws no list";

  OpenByClick();
  KeyDown(VK_DOWN);
  Draw(*dialog);
  EXPECT_EQ(At(21, 51), FlatColour(FWCONTROL_COMBOBOX, 4)) << "top-left of the list";
  EXPECT_EQ(At(113, 178), FlatColour(FWCONTROL_COMBOBOX, 12)) << "bottom-right of the list";
  const RECT& r = combo->GetItem(1)->rcActive;
  EXPECT_EQ(At(r.right - 2, (r.top + r.bottom) / 2), FlatColour(FWCONTROL_COMBOBOX, 3)) << "the focused item's bar";
  const RECT& other = combo->GetItem(3)->rcActive;
  EXPECT_EQ(At(other.right - 2, (other.top + other.bottom) / 2), FlatColour(FWCONTROL_COMBOBOX, 8));
  EXPECT_EQ(At(120, 60), FlatColour(FWCONTROL_SCROLLBAR, 0)) << "the list's scroll bar";
}

}  // namespace
