// The edit box on the software renderer with the shipped fonts: typing,
// editing keys, selection, the clipboard, the mouse and the caret measured
// against the drawn text.
#include "gui/fw_editbox.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <set>

#include "gui/fw_memo.h"
#include "gui/gui_builders.h"
#include "gui_test_support.h"

namespace {
using gui_test::Events;
using gui_test::sEvent;

// Modifiers pressed by the test instead of a keyboard.
class TestEditBox : public CFWEditBox {
 public:
  using CFWEditBox::CFWEditBox;
  std::set<int> held;

 protected:
  bool KeyHeld(int vk) const override { return held.count(vk) != 0; }
};

class EditBoxTest : public gui_test::DialogRenderTest {
 protected:
  void SetUp() override {
    gui_test::DialogRenderTest::SetUp();
    if (HasFatalFailure()) return;
    box = Place(new TestEditBox(dialog.get()), 7, 10, 10, 200, 30);
    CFWDialog::RequestFocus(box);
    metrics = FWElementMetrics(dialog.get(), box->GetElement(0));
    ASSERT_NE(metrics, nullptr);
    Events().clear();
  }
  void Type(const std::wstring& s) {
    for (wchar_t c : s) box->MsgProc(WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  bool Key(int vk, std::set<int> mods = {}) {
    box->held = std::move(mods);
    const bool taken = box->HandleKeyboard(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    box->held.clear();
    return taken;
  }
  int Width(const std::wstring& s) { return TextWidth(s, 0, s.size(), 0, *metrics); }
  size_t Changes() {
    size_t n = 0;
    for (const sEvent& e : Events()) n += e.event == EVENT_EDITBOX_CHANGE ? 1 : 0;
    return n;
  }

  TestEditBox* box = nullptr;
  const cTextMetrics* metrics = nullptr;
};

TEST_F(EditBoxTest, TypingMovesTheCaretByTheDrawnAdvances) {
  Type(L"Hello, Wil");
  EXPECT_EQ(box->GetText(), L"Hello, Wil");
  EXPECT_EQ(box->GetCaret(), 10);
  EXPECT_EQ(Changes(), 10u);
  // The caret stands where drawing ends the text.
  RECT calc{0, 0, 1000, 100};
  CFWElement e = *box->GetElement(0);
  e.dwTextFormat = DT_SINGLELINE;
  ASSERT_EQ(dialog->CalcTextRect(box->GetText().c_str(), &e, &calc), S_OK);
  EXPECT_EQ(box->CaretX() - box->m_rcText.left, calc.right - calc.left);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(box->CaretX() - box->m_rcText.left, Width(L"Hello, W"));
  Type(L"X");
  EXPECT_EQ(box->GetText(), L"Hello, WXil");

  // The caret is drawn at that x in its colour.
  box->m_bCaretOn = true;
  box->m_dfLastBlink = 1e9;
  Draw(*dialog);
  EXPECT_EQ(At(box->CaretX(), 25), 0xFFFFFFFFu);
  EXPECT_NE(At(box->CaretX() + 3, 12), 0xFFFFFFFFu);
}

TEST_F(EditBoxTest, EditingKeysAndTheirEvents) {
  Type(L"one two three");
  EXPECT_TRUE(Key(VK_HOME));
  EXPECT_EQ(box->GetCaret(), 0);
  Key(VK_RIGHT, {VK_CONTROL});
  EXPECT_EQ(box->GetCaret(), 4);
  Key(VK_RIGHT, {VK_CONTROL});
  EXPECT_EQ(box->GetCaret(), 8);
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(box->GetCaret(), 4);
  Key(VK_END, {VK_SHIFT});
  EXPECT_EQ(box->GetCaret(), 13);
  EXPECT_EQ(box->GetSelStart(), 4) << "Shift keeps the anchor";
  Events().clear();
  Key(VK_DELETE);
  EXPECT_EQ(box->GetText(), L"one ");
  EXPECT_EQ(Changes(), 1u);

  Events().clear();
  EXPECT_TRUE(Key(VK_DELETE));
  EXPECT_EQ(box->GetText(), L"one ") << "nothing after the caret";
  EXPECT_TRUE(Events().empty());
  Key(VK_HOME);
  box->MsgProc(WM_CHAR, 8, 0);
  EXPECT_EQ(box->GetText(), L"one ");
  EXPECT_TRUE(Events().empty()) << "Backspace at 0 raises nothing";
  Key(VK_DELETE);
  EXPECT_EQ(box->GetText(), L"ne ");
  Key(VK_END);
  box->MsgProc(WM_CHAR, 8, 0);
  EXPECT_EQ(box->GetText(), L"ne");

  // Insert toggles overwrite mode and is not taken; Up and Down are.
  EXPECT_FALSE(Key(VK_INSERT));
  Key(VK_HOME);
  Type(L"xyz");
  EXPECT_EQ(box->GetText(), L"xyz") << "overwrites, then appends";
  Key(VK_INSERT);
  EXPECT_TRUE(Key(VK_UP));
  EXPECT_EQ(box->GetCaret(), 3);
  EXPECT_FALSE(Key(VK_ESCAPE)) << "the dialog underneath can close";

  Events().clear();
  box->MsgProc(WM_CHAR, 13, 0);
  EXPECT_EQ(box->GetText(), L"xyz");
  ASSERT_EQ(Events().size(), 1u);
  EXPECT_EQ(Events()[0], (sEvent{EVENT_EDITBOX_STRING, 7}));
  box->MsgProc(WM_CHAR, 9, 0);
  box->MsgProc(WM_CHAR, 27 - 2, 0);
  EXPECT_EQ(box->GetText(), L"xyz") << "control characters are swallowed";
}

TEST_F(EditBoxTest, ForbiddenCharactersAreNotTyped) {
  box->SetForbiddenCharacters(L"\\/:*?<>;#&|");
  Type(L"a:b");
  EXPECT_EQ(box->GetText(), L"ab");
  EXPECT_EQ(Changes(), 2u) << "the forbidden one raises nothing";
  Events().clear();
  EXPECT_TRUE(box->MsgProc(WM_CHAR, L'|', 0));
  EXPECT_TRUE(Events().empty());
  // Nor do they come in through the clipboard.
  SDL_SetClipboardText("c/d\ne");
  box->MsgProc(WM_CHAR, 22, 0);
  EXPECT_EQ(box->GetText(), L"abcde");
}

TEST_F(EditBoxTest, ClipboardCarriesUnicodeAsUtf8) {
  Type(L"Zürich ß");
  box->MsgProc(WM_CHAR, 1, 0);  // Ctrl+A
  EXPECT_EQ(box->GetSelStart(), 0);
  EXPECT_EQ(box->GetCaret(), 8);
  box->MsgProc(WM_CHAR, 3, 0);  // Ctrl+C
  char* got = SDL_GetClipboardText();
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(std::string(got), "Z\xC3\xBCrich \xC3\x9F");
  SDL_free(got);
  box->MsgProc(WM_CHAR, 24, 0);  // Ctrl+X
  EXPECT_EQ(box->GetText(), L"");
  box->MsgProc(WM_CHAR, 22, 0);  // Ctrl+V
  box->MsgProc(WM_CHAR, 22, 0);
  EXPECT_EQ(box->GetText(), L"Zürich ßZürich ß");
  EXPECT_EQ(box->GetCaret(), 16);
  // Shift+Insert pastes over the selection; Ctrl+Insert copies.
  Key(VK_LEFT, {VK_SHIFT});
  Key(VK_INSERT, {VK_CONTROL});
  got = SDL_GetClipboardText();
  EXPECT_EQ(std::string(got), "\xC3\x9F");
  SDL_free(got);
  Key(VK_HOME, {VK_SHIFT});
  Key(VK_INSERT, {VK_SHIFT});
  EXPECT_EQ(box->GetText(), L"ß");
}

TEST_F(EditBoxTest, MouseClickPlacesTheCaretAndDragSelects) {
  box->SetText(L"WWWW");
  const int w = metrics->Advance(L'W');
  const int left = box->m_rcText.left;
  struct Case {
    int x, caret;
  } cases[] = {{left, 0}, {left + w / 2 - 1, 0}, {left + (w + 1) / 2, 1}, {left + w + 1, 1}, {left + 10 * w, 4}};
  for (const Case& c : cases) {
    EXPECT_TRUE(box->HandleMouse(WM_LBUTTONDOWN, POINT{c.x, 20}, 0, 0));
    EXPECT_EQ(box->GetCaret(), c.caret) << c.x;
    EXPECT_EQ(box->GetSelStart(), c.caret);
    box->HandleMouse(WM_LBUTTONUP, POINT{c.x, 20}, 0, 0);
  }
  box->HandleMouse(WM_LBUTTONDOWN, POINT{left + 1, 20}, 0, 0);
  EXPECT_TRUE(box->HandleMouse(WM_MOUSEMOVE, POINT{left + 3 * w + 1, 20}, 0, 0));
  EXPECT_FALSE(box->HandleMouse(WM_LBUTTONUP, POINT{left + 3 * w + 1, 20}, 0, 0));
  EXPECT_EQ(box->GetSelStart(), 0);
  EXPECT_EQ(box->GetCaret(), 3);
  EXPECT_FALSE(box->HandleMouse(WM_MOUSEMOVE, POINT{left, 20}, 0, 0)) << "the drag has ended";
  EXPECT_FALSE(box->HandleMouse(WM_LBUTTONDOWN, POINT{300, 200}, 0, 0)) << "outside the box";
}

TEST_F(EditBoxTest, LongTextScrollsToKeepTheCaretVisible) {
  std::wstring s(200, L'm');
  EXPECT_TRUE(box->SetText(s.c_str()));
  EXPECT_EQ(box->GetCaret(), 200);
  EXPECT_GT(box->m_nFirstVisible, 0);
  EXPECT_LE(box->CaretX(), box->m_rcText.right);
  EXPECT_GT(box->CaretX(), box->m_rcText.right - 2 * metrics->Advance(L'm'));
  Key(VK_HOME);
  EXPECT_EQ(box->m_nFirstVisible, 0);
  EXPECT_EQ(box->CaretX(), box->m_rcText.left);

  // 65534 characters or more are refused and the old text kept.
  EXPECT_FALSE(box->SetText(std::wstring(65534, L'a').c_str()));
  EXPECT_EQ(box->GetText(), s);
  EXPECT_TRUE(box->SetText(std::wstring(65533, L'a').c_str()));
  Type(L"b");
  EXPECT_EQ(box->GetTextLength(), 65534);
  Type(L"c");
  EXPECT_EQ(box->GetTextLength(), 65534) << "no room left";
}

TEST_F(EditBoxTest, TextInputFollowsTheFocus) {
  EXPECT_TRUE(SDL_IsTextInputActive());
  CFWDialog::ClearFocus();
  EXPECT_FALSE(SDL_IsTextInputActive());
  EXPECT_TRUE(box->HandleMouse(WM_LBUTTONDOWN, POINT{20, 20}, 0, 0));
  box->HandleMouse(WM_LBUTTONUP, POINT{20, 20}, 0, 0);
  EXPECT_EQ(CFWDialog::FocusControl(), box);
  EXPECT_TRUE(SDL_IsTextInputActive());
}

TEST_F(EditBoxTest, ValueBoxBuilderMakesADisabledCentredBoxAndALabel) {
  CFWStatic* label = AddEditBoxWithLabel(dialog.get(), 236, L"-", L"hint", 235, L"Name");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetText(), L"Name");
  EXPECT_EQ(label->m_dwTextFormat, DT_LEFT | DT_VCENTER);
  auto* value = dialog->Get<CFWEditBox>(236, FWCONTROL_EDITBOX);
  ASSERT_NE(value, nullptr);
  EXPECT_FALSE(value->GetEnabled());
  EXPECT_EQ(value->GetText(), L"-");
  EXPECT_EQ(value->m_nBorder, 2);
  EXPECT_STREQ(value->GetHint(), L"hint");
  EXPECT_FALSE(value->MsgProc(WM_CHAR, L'x', 0)) << "read-only";

  // A disabled box draws its text centred: the glyphs start near the middle.
  value->SetLocation(10, 100);
  value->SetSize(200, 30);
  value->SetText(L"MM");
  Draw(*dialog);
  // Scanned over the frame's centre piece, which is one flat colour.
  const RECT& centre = value->m_rcRender[0];
  const uint32_t background = At(centre.left, centre.top);
  int firstInk = -1;
  for (int x = centre.left; x < centre.right && firstInk < 0; ++x)
    for (int y = centre.top; y < centre.bottom; ++y)
      if (At(x, y) != background) {
        firstInk = x;
        break;
      }
  const int expected = value->m_rcText.left + (value->m_rcText.right - value->m_rcText.left - Width(L"MM")) / 2;
  EXPECT_NEAR(firstInk, expected, 3);

  CFWStatic* memoLabel = AddMemoWithLabel(dialog.get(), 240, L"Some names", 241, L"Names");
  ASSERT_NE(memoLabel, nullptr);
  auto* memo = dialog->Get<CFWMemo>(240, FWCONTROL_MEMO);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->GetText(), L"Some names");
  EXPECT_EQ(memo->GetHint(), nullptr);
}

}  // namespace
