#include "dialogs/commanders_dialog.h"

#include <algorithm>
#include <vector>

#include "core/front_end.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

cDialogDowodcow::cDialogDowodcow(cUnit* unit)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h), unit_(unit) {
  if (unit_ == nullptr)
    FatalExit(L"Critical error: cannot create commander assignment dialog - unit is NULL. Exiting.", 1);
  CFWDialog& d = m_GuiDialog;
  AddEditBoxWithLabel(&d, kCommander, L"-", Txt("commander_selected_unit_commander_hint").c_str(), kCommanderLabel,
                      Txt("commander_selected_unit_commander").c_str());
  CFWStatic* s = nullptr;
  d.AddStatic(kTitle, Txt("commander_title").c_str(), &s);
  if (s != nullptr) {
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
    s->m_iTextElement = 1;
  }
  d.AddButton(kRecall, Txt("commander_recall").c_str(), Txt("commander_recall_hint").c_str());
  d.AddStatic(kFreeLabel, Txt("commander_available_commanders").c_str());
  CFWListBox* list = nullptr;
  d.AddListBox(kFree, 0, &list);
  if (list != nullptr) {
    list->SetColumns(4, Txt("commander_list_available_columns").c_str(), 40, 10, 10, 40);
    list->SetColumnSortTypes(4, 1, 3, 3, 1);
  }
  d.AddStatic(kOthersLabel, Txt("commander_unavailable_commanders").c_str());
  d.AddListBox(kOthers, 0, &list);
  if (list != nullptr) {
    list->SetColumns(6, Txt("commander_list_unavailable_columns").c_str(), 20, 5, 5, 20, 35, 15);
    list->SetColumnSortTypes(6, 1, 3, 3, 1, 1, 0);
  }
  d.AddButton(kAssign, Txt("commander_assign").c_str(), Txt("commander_assign_hint").c_str());
  d.AddButton(kExit, Txt("commander_exit").c_str(), Txt("commander_exit_hint").c_str());
  RefreshUnitCommander();
}

CFWListBox* cDialogDowodcow::List(int id) { return m_GuiDialog.Get<CFWListBox>(id, FWCONTROL_LISTBOX); }

bool cDialogDowodcow::Enabled(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetEnabled();
}

std::wstring cDialogDowodcow::Text(int id) {
  auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX);
  return box != nullptr ? box->GetText() : std::wstring();
}

void cDialogDowodcow::UpdateAssign() {
  CFWListBox* free = List(kFree);
  const bool chosen = free != nullptr && free->GetSize() > 0 && free->GetSelectedIndex(-1) >= 0;
  m_GuiDialog.SetControlEnabled(kAssign, chosen && unit_->commander == nullptr);
}

void cDialogDowodcow::RefreshUnitCommander() {
  const sDowodca* c = unit_->commander;
  const std::wstring text = c != nullptr ? WFormat(Txt("%s_(%i_/_%i)").c_str(), c->name.c_str(), c->skill, c->experience)
                                         : Txt("commander_no_commander_assigned");
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(kCommander, FWCONTROL_EDITBOX)) box->SetText(text.c_str());
  m_GuiDialog.SetControlEnabled(kRecall, c != nullptr);
  FillCommanderLists();
  UpdateAssign();
}

void cDialogDowodcow::FillCommanderLists() {
  CFWListBox* free = List(kFree);
  CFWListBox* others = List(kOthers);
  if (free == nullptr || others == nullptr || gGra == nullptr) return;
  const cPanstwo* current = gGra->selection.currentCountry;
  std::vector<sDowodca*> found;
  for (sDowodca* c : gGra->commanders)
    if (c != nullptr && current != nullptr && c->countryId == current->id && c->type == unit_->category)
      found.push_back(c);
  std::stable_sort(found.begin(), found.end(), [](const sDowodca* a, const sDowodca* b) { return a->skill > b->skill; });
  free->RemoveAllItems();
  others->RemoveAllItems();
  for (sDowodca* c : found) {
    switch (c->state) {
      case 0:
        free->AddItem(WFormat(L"%s;%i;%i;%s", c->name.c_str(), c->skill, c->experience,
                              Txt("commander_status_in_hq").c_str())
                          .c_str(),
                      c);
        break;
      case 1:
        others->AddItem(WFormat(L"%s;%i;%i;%s;-;-", c->name.c_str(), c->skill, c->experience,
                                Txt("commander_status_heading_to_hq").c_str())
                            .c_str(),
                        c);
        break;
      case 2: {
        const std::wstring unitName = c->unit != nullptr ? c->unit->name : L"-";
        const std::wstring status = Txt("commander_status_assigned");
        if (c->type == kCategoryNaval || c->unit == nullptr)
          others->AddItem(
              WFormat(L"%s;%i;%i;%s;%s;-", c->name.c_str(), c->skill, c->experience, status.c_str(), unitName.c_str())
                  .c_str(),
              c);
        else
          others->AddItem(WFormat(L"%s;%i;%i;%s;%s;(%i, %i)", c->name.c_str(), c->skill, c->experience, status.c_str(),
                                  unitName.c_str(), c->unit->x, c->unit->y)
                              .c_str(),
                          c);
        break;
      }
      default:
        break;
    }
  }
  if (free->GetSize() > 0) free->SelectItem(0, true);
}

void cDialogDowodcow::OnEvent(UINT event, int controlId, CFWControl* control) {
  switch (controlId) {
    case kRecall:
      if (sDowodca* c = unit_->commander) {
        c->state = 1;
        c->unit = nullptr;
        unit_->commander = nullptr;
        unit_->assignedCommanderId = -1;
        unit_->UpdateEffectiveness();
      }
      RefreshUnitCommander();
      break;
    case kFree:
      UpdateAssign();
      break;
    case kOthers: {
      m_GuiDialog.SetControlEnabled(kAssign, false);
      CFWListBox* others = List(kOthers);
      const auto* c = others != nullptr ? static_cast<const sDowodca*>(others->GetSelectedData()) : nullptr;
      if (c != nullptr && c->state == 2 && c->type != kCategoryNaval && c->unit != nullptr && gGra != nullptr &&
          gGra->map != nullptr)
        gGra->map->CenterAtHex(c->unit->x, c->unit->y);
      break;
    }
    case kAssign: {
      // Only a chosen free commander can be assigned, and only to a unit
      // without one: a press that slips through otherwise does nothing.
      CFWListBox* free = List(kFree);
      auto* c = free != nullptr && free->GetSelectedIndex(-1) >= 0 ? static_cast<sDowodca*>(free->GetSelectedData())
                                                                    : nullptr;
      if (c == nullptr || c->state != 0 || unit_->commander != nullptr) {
        UpdateAssign();
        break;
      }
      unit_->commander = c;
      unit_->assignedCommanderId = -1;
      c->unit = unit_;
      c->state = 2;
      unit_->UpdateEffectiveness();
      RefreshUnitCommander();
      break;
    }
    case kExit:
      if (gGra != nullptr && gGra->map != nullptr) gGra->map->CenterAtHex(unit_->x, unit_->y);
      if (m_pAnswerTarget != nullptr) m_pAnswerTarget->OnEvent(event, controlId, control);
      CloseDialogs(1);
      break;
    default:
      break;
  }
}

void cDialogDowodcow::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && key == 27) PressButton(kExit);
}
