#include "dialogs/message_dialog.h"

#include "core/string_table.h"
#include "gui/gui_layout.h"
#include "dialogs/dialog_stack.h"
#include "platform/text_layout.h"

namespace {
// The size the dialog font gives the text (0 x 0 when no font can measure).
RECT Measure(CFWDialog& dialog, const std::wstring& text, DWORD format, int width) {
  RECT r{0, 0, width, 0};
  CFWElement* e = dialog.GetDefaultElement(FWCONTROL_STATIC, 0);
  if (e == nullptr) return r;
  CFWElement probe = *e;
  probe.dwTextFormat = format;
  if (FAILED(dialog.CalcTextRect(text.c_str(), &probe, &r))) r = RECT{0, 0, 0, 0};
  return r;
}
}  // namespace

cDialogTekstowy::cDialogTekstowy(const std::wstring& text, const std::wstring& title, int layoutBaseId)
    : cDialog(kDialogMessage, GuiRect(layoutBaseId).x, GuiRect(layoutBaseId).y, GuiRect(layoutBaseId).w,
              GuiRect(layoutBaseId).h),
      base_(layoutBaseId) {
  const sGuiRect r0 = GuiRect(base_), r1 = GuiRect(base_ + kTitle), r3 = GuiRect(base_ + kText),
                 r4 = GuiRect(base_ + kOk);
  int x = r0.x, w = r0.w;
  const RECT titleSize = Measure(m_GuiDialog, title, DT_SINGLELINE, 0);
  const int t = titleSize.right - titleSize.left;
  if (t + r1.w + r1.x > w) {
    const int d = (t - w + r1.w + r1.x) / 2;
    x -= d;
    w += 2 * d;
  }
  const int textWidth = w - r3.w - r3.x;
  const RECT textSize = Measure(m_GuiDialog, text, DT_WORDBREAK, textWidth);
  const int h = textSize.bottom - textSize.top;
  const int titleLeft = x + r1.x, titleTop = r0.y + r1.y;
  const int textLeft = x + r3.x, textTop = titleTop + r3.y + r1.h;
  const int height = r4.h + r4.y + h + r3.h + r3.y + r1.y + r1.h;

  // The frame takes the final rectangle; a message cannot be dragged.
  m_GuiDialog.RemoveControl(kDialogMessage);
  CFWFrame* frame = nullptr;
  m_GuiDialog.AddFrame(kDialogMessage, x, r0.y, w, height, 0, &frame);
  if (frame != nullptr) frame->m_bMovable = false;
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(base_ + kTitle, title.c_str(), titleLeft, titleTop, w - r1.w - r1.x, r1.h, false, &s);
  if (s != nullptr) s->m_dwTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  m_GuiDialog.AddStatic(base_ + kText, text.c_str(), textLeft, textTop, textWidth, h, false, &s);
  if (s != nullptr) s->m_dwTextFormat = DT_WORDBREAK;
  CFWButton* ok = nullptr;
  m_GuiDialog.AddButton(base_ + kOk, Txt("info_dialog_ok").c_str(), r4.x, textTop + h + r3.h, r4.w, r4.h, 0, false,
                        &ok);
  if (ok != nullptr) ok->SetHint(Txt("info_dialog_ok_hint").c_str());
}

void cDialogTekstowy::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) PressButton(base_ + kOk);
}

void cDialogTekstowy::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == base_ + kOk) CloseDialogs(1);
}
