#include "dialogs/hotkeys_dialog.h"

#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"

// F5 shows the unit names and F8 the action points left: one row tells both.
const wchar_t* const kHotKeyRows[cDialogSkrotowKlawiszowych::kRows] = {
    L"F1|Preferences",
    L"F2|Show/hide grid",
    L"F3|Show/hide weather",
    L"F4|Show/hide city names",
    L"F5 / F8|Show/hide unit names / AP left",
    L"F6|Change border draw mode",
    L"F7|Change hex ownership draw mode",
    L"Esc|Save/Menu Options",
    L"+|Zoom in",
    L"-|Zoom out",
    L"Arrows|Move view",
    L"P|Open purchase window",
    L"C|Open convoys manager",
    L"T|Open research window",
    L"R|Open reports window",
    L"U|Open unit manager",
    L"Q|End turn",
    L"I|Open hotkey window",
    L"Tab|Show next active unit",
};

cDialogSkrotowKlawiszowych::cDialogSkrotowKlawiszowych()
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h) {
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, L"Hotkeys", &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  if (list != nullptr) {
    list->SetColumns(2, L"Hotkey|Description", {20, 80});
    list->RemoveAllItems();
    for (const wchar_t* row : kHotKeyRows) list->AddItem(row, nullptr);
  }
  m_GuiDialog.AddButton(kClose, Txt("exit").c_str(), Txt("return_to_map").c_str());
}

void cDialogSkrotowKlawiszowych::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) PressButton(kClose);
}

void cDialogSkrotowKlawiszowych::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kClose) CloseDialogs(1);
}
