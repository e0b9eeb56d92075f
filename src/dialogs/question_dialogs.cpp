#include "dialogs/question_dialogs.h"

#include <cstdint>

#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"

uint8_t gQuestionAnswer = 0;
std::wstring gEnteredText;
std::vector<int32_t> gChosenItems;

namespace {
constexpr size_t kMaxEnteredText = 99;
}

cQuestionDialog::cQuestionDialog(int id, int confirmId, int refuseId)
    : cDialog(id, GuiRect(id).x, GuiRect(id).y, GuiRect(id).w, GuiRect(id).h),
      confirmId_(confirmId),
      refuseId_(refuseId) {}

void cQuestionDialog::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  if (key == 13) PressButton(confirmId_);
  else if (key == 27) PressButton(refuseId_);
}

void cQuestionDialog::Answer(UINT event, int controlId, CFWControl* control) {
  if (m_pAnswerTarget != nullptr) m_pAnswerTarget->OnEvent(event, controlId, control);
  CloseDialogs(1);
}

void cQuestionDialog::AddTitle(int id, const std::wstring& text) {
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(id, text.c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
}

cDialogPotwierdzenia::cDialogPotwierdzenia(const std::wstring& title, const std::wstring& question,
                                           const std::wstring& yes, const std::wstring& yesHint,
                                           const std::wstring& no, const std::wstring& noHint)
    : cQuestionDialog(kDialog, kYes, kNo) {
  gQuestionAnswer = 0;
  AddTitle(kTitle, title);
  AddTitle(kQuestion, question);
  m_GuiDialog.AddButton(kYes, yes.c_str(), yesHint.c_str());
  m_GuiDialog.AddButton(kNo, no.c_str(), noHint.c_str());
}

void cDialogPotwierdzenia::OnEvent(UINT event, int controlId, CFWControl* control) {
  if (controlId != kYes && controlId != kNo) return;
  gQuestionAnswer = controlId == kYes ? 1 : 0;
  Answer(event, controlId, control);
}

cDialogPobraniaTekstu::cDialogPobraniaTekstu(const std::wstring& title, const std::wstring& prompt,
                                             const std::wstring& initial)
    : cQuestionDialog(kDialog, kOk, kCancel) {
  gEnteredText = initial;
  AddTitle(kTitle, title);
  AddTitle(kPrompt, prompt);
  CFWEditBox* edit = AddEditBox(&m_GuiDialog, kEdit, initial.c_str(), L"");
  m_GuiDialog.AddButton(kOk, Txt("get_text_dialog_ok").c_str(), Txt("get_text_dialog_ok_hint").c_str());
  m_GuiDialog.AddButton(kCancel, Txt("get_text_dialog_cancel").c_str(), Txt("get_text_dialog_cancel_hint").c_str());
  if (edit != nullptr) CFWDialog::RequestFocus(edit);
}

void cDialogPobraniaTekstu::OnEvent(UINT event, int controlId, CFWControl* control) {
  if (controlId == kOk) {
    const auto* edit = m_GuiDialog.Get<CFWEditBox>(kEdit, FWCONTROL_EDITBOX);
    gEnteredText = edit != nullptr ? edit->GetText() : L"";
    if (gEnteredText.size() > kMaxEnteredText) gEnteredText.resize(kMaxEnteredText);
    Answer(event, controlId, control);
  } else if (controlId == kCancel) {
    Answer(event, controlId, control);
  }
}

cDialogPobraniaListy::cDialogPobraniaListy(const std::wstring& title, const std::wstring& prompt)
    : cQuestionDialog(kDialog, kOk, kCancel) {
  AddTitle(kTitle, title);
  AddTitle(kPrompt, prompt);
  m_GuiDialog.AddListBox(kList, 0);
  // The OK button's hint is its own text key.
  m_GuiDialog.AddButton(kOk, Txt("get_list_dialog_ok").c_str(), Txt("get_list_dialog_ok").c_str());
  m_GuiDialog.AddButton(kCancel, Txt("get_list_dialog_cancel").c_str(), Txt("get_list_dialog_cancel_hint").c_str());
}

CFWListBox* cDialogPobraniaListy::List() { return m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX); }

void cDialogPobraniaListy::OnEvent(UINT event, int controlId, CFWControl* control) {
  if (controlId != kOk && controlId != kCancel) return;
  gChosenItems.clear();
  CFWListBox* list = List();
  if (controlId == kOk && list != nullptr) {
    auto value = [list](int index) {
      return static_cast<int32_t>(reinterpret_cast<intptr_t>(list->GetItem(index)->pData));
    };
    if ((list->GetStyle() & 1) == 0) {
      const int i = list->GetSelectedIndex(-1);
      if (i >= 0) gChosenItems.push_back(value(i));
    } else {
      for (int i = list->GetSelectedIndex(-1); i >= 0; i = list->GetSelectedIndex(i)) gChosenItems.push_back(value(i));
    }
  }
  Answer(event, controlId, control);
}
