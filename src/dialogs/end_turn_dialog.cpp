#include "dialogs/end_turn_dialog.h"

#include "platform/text_layout.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/dialog_ground.h"
#include "gui/gui_layout.h"

namespace {
EndTurnFn gEndTurn = nullptr;
}

void SetEndTurnHandler(EndTurnFn fn) { gEndTurn = fn; }

cDialogPotwKoncaTury::cDialogPotwKoncaTury()
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h) {
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("end_turn_title").c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  m_GuiDialog.AddStatic(kQuestion, Txt("ent_turn_confirm_question").c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  m_GuiDialog.AddButton(kYes, Txt("end_turn_yes").c_str(), Txt("end_turn_yes_hint").c_str());
  m_GuiDialog.AddButton(kNo, Txt("end_turn_no").c_str(), Txt("end_turn_no_hint").c_str());
  m_GuiDialog.AddCheckBox(kDontAsk, Txt("end_turn_dont_ask").c_str(), Txt("end_turn_dont_ask_hint").c_str(), false);
}

void cDialogPotwKoncaTury::Render(float elapsed) {
  DrawDialogGround(m_GuiDialog, kDialog);
  cDialog::Render(elapsed);
}

void cDialogPotwKoncaTury::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  if (key == 13) PressButton(kYes);
  else if (key == 27) PressButton(kNo);
}

void cDialogPotwKoncaTury::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kYes) {
    const auto* box = m_GuiDialog.Get<CFWCheckBox>(kDontAsk, FWCONTROL_CHECKBOX);
    gProgramSettings.skipEndTurnConfirmation = box != nullptr && box->GetChecked();
    gSettings.SetBool("InterfaceSettings/ConfirmEndTurn", !gProgramSettings.skipEndTurnConfirmation);
    SaveZoomSetting();
    const EndTurnFn endTurn = gEndTurn;
    CloseDialogs(1);
    // The dialog is gone: nothing of it is touched from here on.
    if (endTurn != nullptr) endTurn();
  } else if (controlId == kNo) {
    CloseDialogs(1);
  }
}
