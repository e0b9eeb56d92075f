// The message dialog sizes itself to its title and text with the dialog
// font: a wide title widens it on both sides, a long text makes it taller
// with the OK button under the text, and Enter or Esc closes it.
#include <gtest/gtest.h>

#include "core/game_lock.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "gui/gui_test_support.h"

namespace {

class MessageDialogTest : public gui_test::RenderTest {};

struct sBox {
  int x, y, w, h;
};
sBox Box(cDialog& d, int id) {
  CFWControl* c = d.Gui().GetControl(id);
  return c != nullptr ? sBox{c->m_x, c->m_y, c->m_width, c->m_height} : sBox{-1, -1, -1, -1};
}

TEST_F(MessageDialogTest, SizesItselfToTitleAndText) {
  const int b = kMessageLayoutBase;
  const sGuiRect r0 = GuiRect(b), r3 = GuiRect(b + 3);
  cDialogTekstowy small(L"Short note.", L"Note", b);
  const sBox frame = Box(small, kDialogMessage);
  EXPECT_EQ(frame.x, r0.x);
  EXPECT_EQ(frame.w, r0.w) << "a short title keeps the layout width";
  EXPECT_FALSE(small.Gui().GetControl(kDialogMessage)->m_bMovable);

  cDialogTekstowy wide(L"Short note.", std::wstring(30, L'W') + L" a title far wider than the dialog", b);
  const sBox wideFrame = Box(wide, kDialogMessage);
  EXPECT_GT(wideFrame.w, r0.w);
  EXPECT_NEAR(wideFrame.x + wideFrame.w / 2.0, r0.x + r0.w / 2.0, 1.0) << "grows equally to both sides";

  std::wstring longText;
  for (int i = 0; i < 12; ++i) longText += L"The convoy reached its port after a long voyage through the storm. ";
  cDialogTekstowy tall(longText, L"Note", b);
  const sBox text = Box(tall, b + 3), smallText = Box(small, b + 3);
  EXPECT_GT(text.h, 3 * smallText.h) << "word-wrapped over several lines";
  EXPECT_GT(Box(tall, kDialogMessage).h - Box(small, kDialogMessage).h, 2 * smallText.h);
  EXPECT_EQ(Box(tall, b + 4).y, text.y + text.h + r3.h) << "the OK button follows the text";
  EXPECT_EQ(Box(tall, b + 4).x, GuiRect(b + 4).x);
}

TEST_F(MessageDialogTest, EnterAndEscBothCloseIt) {
  CreateGameLock();
  for (UINT key : {13u, 27u}) {
    PushDialog(new cDialogTekstowy(L"Text", L"Title", kMessageLayoutBase), 0);
    EXPECT_TRUE(DialogKeyboard(key, true, false));
    EXPECT_TRUE(DialogStack().empty()) << key;
  }
}
}  // namespace
