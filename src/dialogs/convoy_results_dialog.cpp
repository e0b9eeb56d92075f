#include "dialogs/convoy_results_dialog.h"

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/texture_handles.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/fw_memo.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/game.h"

namespace {
const std::vector<sWynikKonwojow>* ResultsOf(const cPanstwo* country) {
  if (country == nullptr || gGra == nullptr || gGra->convoys == nullptr) return nullptr;
  const auto& all = gGra->convoys->results;
  if (country->id < 1 || static_cast<size_t>(country->id) > all.size()) return nullptr;
  return &all[country->id - 1];
}
}  // namespace

cDialogWynikuKonwojow::cDialogWynikuKonwojow(cPanstwo* country)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h),
      country_(country) {
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("convoys_result_title").c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 1;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  const sGuiRect f = GuiRect(kFlag);
  m_GuiDialog.AddImage(kFlag, country != nullptr ? TextureOfHandle(country->GetFlagTexture()) : nullptr, 0, 0, 128, 85,
                       f.x, f.y, f.w, f.h);
  m_GuiDialog.AddStatic(kListLabel, Txt("convoys_result_list").c_str());
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  if (list != nullptr) list->SetColumns(7, Txt("convoys_result_list_columns").c_str(), {20, 20, 20, 6, 7, 7, 20});
  m_GuiDialog.AddStatic(kDetailsLabel, Txt("convoys_result_details").c_str());
  AddMemo(&m_GuiDialog, kDetails, L"");
  m_GuiDialog.AddButton(kExit, Txt("convoys_result_exit").c_str(), Txt("convoys_result_exit_hint").c_str());
  if (list == nullptr) return;
  if (const auto* results = ResultsOf(country)) {
    // The rows point into the convoy manager's list, which the end of turn
    // keeps unchanged while the worker waits for this dialog.
    for (const sWynikKonwojow& r : *results) {
      const std::wstring row = WFormat(L"%s;%s;%s;%i;%i;%i;%s", r.departure.c_str(), r.destination.c_str(),
                                       r.cargo.c_str(), r.neededStp, r.usedStp, r.lostStp, r.result.c_str());
      list->AddItem(row.c_str(), const_cast<sWynikKonwojow*>(&r));
    }
  }
  if (list->GetSize() > 0) {
    list->SelectItem(0, false);
    ShowSelectedDetails();
  }
}

void cDialogWynikuKonwojow::ShowSelectedDetails() {
  auto* list = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  auto* memo = m_GuiDialog.Get<CFWMemo>(kDetails, FWCONTROL_MEMO);
  if (list == nullptr || memo == nullptr) return;
  const auto* r = static_cast<const sWynikKonwojow*>(list->GetSelectedData());
  if (r != nullptr) memo->SetText(r->details.c_str());
}

void cDialogWynikuKonwojow::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kList) ShowSelectedDetails();
  else if (controlId == kExit) CloseDialogs(1);
}

void cDialogWynikuKonwojow::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) CloseDialogs(1);
}
