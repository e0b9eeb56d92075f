#include "dialogs/convoys_dialog.h"

#include <algorithm>

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/texture.h"
#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"

cPanstwo* gConvoyCountry = nullptr;
int gConvoyDepartureNode = 0;
int gConvoyDestinationNode = 0;
int gSelectedConvoyId = 0;
int gSelectedConvoyIndex = -1;

namespace {
constexpr int kMapActionConvoyFirstPort = 14;
}

int cDialogKonwojow::MaxAmount(const cPanstwo& country, const sKonwoj& convoy) {
  // Constants 163 and 164: the production and the supply convoy factor.
  const int factor = convoy.kind == kConvoyResources ? country.consts.c163 : country.consts.c164;
  return convoy.departurePortSize * factor;
}

cDialogKonwojow::cDialogKonwojow()
    : cDialog(kDialogConvoys, GuiRect(kDialogConvoys).x, GuiRect(kDialogConvoys).y, GuiRect(kDialogConvoys).w,
              GuiRect(kDialogConvoys).h) {
  gConvoyCountry = gGra != nullptr ? gGra->selection.currentCountry : nullptr;
  gConvoyDepartureNode = 0;
  gConvoyDestinationNode = 0;
  CFWStatic* title = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("convoys_title").c_str(), &title);
  if (title != nullptr) {
    title->m_iTextElement = 1;
    title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  const sGuiRect r = GuiRect(kImage);
  const int side = std::min(r.w, r.h);
  m_GuiDialog.AddImage(kImage, gTextures[kGuiTextureHolder].Texture(), 1898, 1898, 2048, 2048, r.x + r.w - side,
                       r.y + r.h - side, side, side);
  m_GuiDialog.AddStatic(kListLabel, Txt("convoys_list").c_str());
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  if (list != nullptr) list->SetColumns(4, Txt("convoys_list_columns").c_str(), 30, 30, 30, 10);
  m_GuiDialog.AddButton(kNew, Txt("convoys_new").c_str(), Txt("convoys_new_hint").c_str());
  m_GuiDialog.AddButton(kDelete, Txt("convoys_delete").c_str(), Txt("convoys_delete_hint_no_selection").c_str());
  m_GuiDialog.AddButton(kMoveUp, Txt("convoys_moveup").c_str(), Txt("convoys_moveup_hint_no_selection").c_str());
  m_GuiDialog.AddButton(kMoveDown, Txt("convoys_movedown").c_str(),
                        Txt("convoys_movedown_hint_no_selection").c_str());
  for (int id : {kDelete, kMoveUp, kMoveDown})
    if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetEnabled(false);
  m_GuiDialog.AddStatic(kTypeLabel, Txt("convoys_type").c_str());
  m_GuiDialog.AddRadioButton(kProduction, 1, Txt("convoys_type_pp").c_str(), Txt("convoys_type_pp_hint").c_str());
  m_GuiDialog.AddSlider(kAmount, 0, 300, 150);
  m_GuiDialog.AddStatic(kAmountText, L"");
  m_GuiDialog.AddRadioButton(kSupply, 1, Txt("convoys_type_supply").c_str(), Txt("convoys_type_supply_hint").c_str());
  m_GuiDialog.AddButton(kExit, Txt("convoys_exit").c_str(), Txt("convoys_exit_hint").c_str());
  gSelectedConvoyId = 0;
  gSelectedConvoyIndex = -1;
  FillList(-1);
  UpdateControls();
}

std::vector<sKonwoj>* cDialogKonwojow::List() {
  if (gGra == nullptr || gGra->convoys == nullptr || gConvoyCountry == nullptr) return nullptr;
  const int i = gConvoyCountry->id - 1;
  if (i < 0 || i >= static_cast<int>(gGra->convoys->convoys.size())) return nullptr;
  return &gGra->convoys->convoys[static_cast<size_t>(i)];
}

sKonwoj* cDialogKonwojow::SelectedConvoy() {
  std::vector<sKonwoj>* list = List();
  if (list == nullptr || gSelectedConvoyId == 0) return nullptr;
  for (size_t i = 0; i < list->size(); ++i)
    if ((*list)[i].id == gSelectedConvoyId) {
      gSelectedConvoyIndex = static_cast<int>(i);
      return &(*list)[i];
    }
  gSelectedConvoyId = 0;
  gSelectedConvoyIndex = -1;
  return nullptr;
}

void cDialogKonwojow::FillList(int selectId) {
  auto* box = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  std::vector<sKonwoj>* list = List();
  if (box == nullptr) return;
  box->RemoveAllItems();
  if (list == nullptr) return;
  int row = -1;
  for (sKonwoj& c : *list) {
    if (c.id == selectId) row = box->GetSize();
    box->AddItem(WFormat(L"%s;%s;%s;%i", c.departure != nullptr ? c.departure->name.c_str() : L"",
                         c.destination != nullptr ? c.destination->name.c_str() : L"",
                         Txt(c.kind == kConvoyResources ? "convoys_type_production" : "convoys_type_supply").c_str(),
                         c.value)
                     .c_str(),
                 reinterpret_cast<void*>(static_cast<intptr_t>(c.id)));
  }
  if (selectId != -1 && row >= 0) {
    box->SelectItem(row, false);
    OnEvent(0x702, kList, box);
  }
}

void cDialogKonwojow::UpdateControls() {
  auto enable = [&](int id, bool on, const char* hint) {
    if (CFWControl* c = m_GuiDialog.GetControl(id)) {
      c->SetEnabled(on);
      if (hint != nullptr) c->SetHint(Txt(hint).c_str());
    }
  };
  auto* production = m_GuiDialog.Get<CFWRadioButton>(kProduction, FWCONTROL_RADIOBUTTON);
  auto* supply = m_GuiDialog.Get<CFWRadioButton>(kSupply, FWCONTROL_RADIOBUTTON);
  auto* slider = m_GuiDialog.Get<CFWSlider>(kAmount, FWCONTROL_SLIDER);
  auto* text = m_GuiDialog.Get<CFWStatic>(kAmountText, FWCONTROL_STATIC);
  const sKonwoj* convoy = SelectedConvoy();
  if (convoy == nullptr || gConvoyCountry == nullptr) {
    enable(kDelete, false, "convoys_delete_hint_no_selection");
    for (CFWRadioButton* r : {production, supply})
      if (r != nullptr) {
        r->SetEnabled(false);
        r->SetCheckedInternal(false, false, false, false);
      }
    if (slider != nullptr) slider->SetEnabled(false);
    if (text != nullptr) text->SetVisible(false);
    enable(kMoveUp, false, "convoys_moveup_hint_no_selection");
    enable(kMoveDown, false, "convoys_movedown_hint_no_selection");
    return;
  }
  enable(kDelete, true, "convoys_delete_hint");
  if (production != nullptr) {
    production->SetEnabled(true);
    production->SetCheckedInternal(convoy->kind == kConvoyResources, false, false, false);
  }
  if (supply != nullptr) {
    supply->SetEnabled(true);
    supply->SetCheckedInternal(convoy->kind != kConvoyResources, false, false, false);
  }
  if (slider != nullptr) {
    slider->SetEnabled(true);
    slider->SetRange(0, MaxAmount(*gConvoyCountry, *convoy));
    slider->SetValueInternal(convoy->value, false, false);
  }
  if (text != nullptr) {
    text->SetText(WFormat(Txt("convoys_value_%i").c_str(), convoy->value).c_str());
    text->SetVisible(true);
  }
  const int count = List() != nullptr ? static_cast<int>(List()->size()) : 0;
  if (gSelectedConvoyIndex < 1) enable(kMoveUp, false, "convoys_moveup_hint_is_topmost");
  else enable(kMoveUp, true, "convoys_moveup_hint");
  if (gSelectedConvoyIndex < count - 1) enable(kMoveDown, true, "convoys_movedown_hint");
  else enable(kMoveDown, false, "convoys_movedown_hint_is_bottommost");
}

void cDialogKonwojow::CreateConvoyFromPicks() {
  if (gConvoyDepartureNode <= 0 || gConvoyDestinationNode <= 0 || gGra == nullptr || gGra->convoys == nullptr ||
      gConvoyCountry == nullptr)
    return;
  const int id =
      gGra->convoys->AddConvoyBetweenSeaNodes(gConvoyDepartureNode, gConvoyDestinationNode, gConvoyCountry->id);
  FillList(id);
  UpdateControls();
}

void cDialogKonwojow::OnEvent(UINT, int controlId, CFWControl*) {
  std::vector<sKonwoj>* list = List();
  sKonwoj* convoy = SelectedConvoy();
  switch (controlId) {
    case kList: {
      auto* box = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
      const int row = box != nullptr ? box->GetSelectedIndex() : -1;
      gSelectedConvoyId = row >= 0 ? static_cast<int>(reinterpret_cast<intptr_t>(box->GetSelectedData())) : 0;
      gSelectedConvoyIndex = row;
      UpdateControls();
      break;
    }
    case kNew:
      gConvoyDepartureNode = 0;
      gConvoyDestinationNode = 0;
      m_GuiDialog.SetVisible(false);
      if (gGra != nullptr && gGra->convoys != nullptr && gConvoyCountry != nullptr) {
        gGra->convoys->MarkSourcePorts(gConvoyCountry->id);
        gGra->selection.mapAction = kMapActionConvoyFirstPort;
      }
      break;
    case kMoveUp:
    case kMoveDown: {
      if (convoy == nullptr || list == nullptr) break;
      const int i = gSelectedConvoyIndex, j = controlId == kMoveUp ? i - 1 : i + 1;
      if (j < 0 || j >= static_cast<int>(list->size())) break;
      std::swap((*list)[static_cast<size_t>(i)], (*list)[static_cast<size_t>(j)]);
      gSelectedConvoyIndex = j;
      FillList(gSelectedConvoyId);
      break;
    }
    case kDelete:
      if (convoy == nullptr || list == nullptr) break;
      list->erase(list->begin() + gSelectedConvoyIndex);
      gSelectedConvoyId = 0;
      gSelectedConvoyIndex = -1;
      FillList(-1);
      UpdateControls();
      break;
    case kProduction:
    case kSupply:
      if (convoy == nullptr || gConvoyCountry == nullptr) break;
      convoy->kind = controlId == kProduction ? kConvoyResources : kConvoySupplies;
      convoy->value = MaxAmount(*gConvoyCountry, *convoy);
      FillList(convoy->id);
      UpdateControls();
      break;
    case kAmount:
      if (convoy == nullptr) break;
      if (auto* slider = m_GuiDialog.Get<CFWSlider>(kAmount, FWCONTROL_SLIDER)) convoy->value = slider->GetValue();
      FillList(convoy->id);
      UpdateControls();
      break;
    case kExit: CloseDialogs(1); break;
    default: break;
  }
}
