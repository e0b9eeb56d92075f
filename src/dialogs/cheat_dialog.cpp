#include "dialogs/cheat_dialog.h"

#include <cwchar>

#include "core/front_end.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "events/event_manager.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "world/country.h"
#include "world/game.h"
#include "world/reports.h"

int gCheatEventId = 1000;

cDialogCheatow::cDialogCheatow()
    : cDialog(kDialogCheat, GuiRect(kDialogCheat).x, GuiRect(kDialogCheat).y, GuiRect(kDialogCheat).w,
              GuiRect(kDialogCheat).h) {
  m_GuiDialog.AddButton(kClose, L"Close", L"Close this dialog");
  m_GuiDialog.AddButton(kFire, L"Fire", L"Fire event with given ID");
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kCountries, 0, &list);
  if (list != nullptr) list->SetColumns(1, L"Country", 100);
  AddEditBox(&m_GuiDialog, kProduction, L"", L"Production points");
  AddEditBox(&m_GuiDialog, kDiplomacy, L"", L"Diplomacy points");
  AddEditBox(&m_GuiDialog, kEventId, L"", L"Event ID to fire");
  m_GuiDialog.AddRadioButton(kAi, 1, L"AI", L"AI controlled", true);
  m_GuiDialog.AddRadioButton(kHuman, 1, L"Human", L"Human controlled", false);
  if (list == nullptr || gGra == nullptr) return;
  const cPanstwo* current = gGra->selection.currentCountry;
  int currentRow = -1;
  for (cPanstwo* c : gGra->countries) {
    if (c == nullptr || c->active == 0 || c->politicalStrength < 0) continue;
    if (c == current) currentRow = list->GetSize();
    list->AddItem(c->name.c_str(), c);
  }
  if (currentRow >= 0) {
    country_ = const_cast<cPanstwo*>(current);
    filling_ = true;
    list->SelectItem(currentRow, true);
    filling_ = false;
  }
  FillValues();
}

void cDialogCheatow::FillValues() {
  if (country_ == nullptr) return;
  filling_ = true;
  if (auto* human = m_GuiDialog.Get<CFWRadioButton>(kHuman, FWCONTROL_RADIOBUTTON)) {
    if (country_->humanControlled != 0) {
      human->SetCheckedInternal(true, true, false, false);
    } else if (auto* ai = m_GuiDialog.Get<CFWRadioButton>(kAi, FWCONTROL_RADIOBUTTON)) {
      ai->SetCheckedInternal(true, true, false, false);
    }
  }
  auto set = [&](int id, int value) {
    if (auto* e = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) e->SetText(std::to_wstring(value).c_str());
  };
  set(kProduction, static_cast<int>(country_->productionPoints));
  set(kDiplomacy, country_->diplomaticPoints);
  set(kEventId, gCheatEventId);
  filling_ = false;
}

void cDialogCheatow::AddCheatReport(const std::wstring& text) {
  if (gGra == nullptr) return;
  sRaport report;
  report.kind = kCheatReportKind;
  report.text = text;
  for (int id = 1; id <= static_cast<int>(gGra->countries.size()); ++id) {
    report.countryId = id;
    AddReport(report);
  }
}

int cDialogCheatow::ReadNumber(int controlId) {
  auto* e = m_GuiDialog.Get<CFWEditBox>(controlId, FWCONTROL_EDITBOX);
  if (e == nullptr) return 0;
  const std::wstring& text = e->GetText();
  wchar_t* end = nullptr;
  const long long v = std::wcstoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  // A value beyond an int is held at its end rather than wrapped.
  if (v > 2147483647LL) return 2147483647;
  if (v < -2147483647LL) return -2147483647;
  return static_cast<int>(v);
}

void cDialogCheatow::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kClose) {
    CloseDialogs(1);
    return;
  }
  if (controlId == kCountries) {
    auto* list = m_GuiDialog.Get<CFWListBox>(kCountries, FWCONTROL_LISTBOX);
    if (list != nullptr && list->GetSelectedData() != nullptr) country_ = static_cast<cPanstwo*>(list->GetSelectedData());
    FillValues();
    return;
  }
  if (controlId == kEventId && !filling_) {
    gCheatEventId = ReadNumber(kEventId);
    return;
  }
  if (controlId == kFire) {
    if (gGra != nullptr && gGra->events != nullptr) gGra->events->ForceFireEvent(gCheatEventId);
    AddCheatReport(WFormat(L"Fired event %d", gCheatEventId));
    return;
  }
  if (country_ == nullptr || filling_) return;
  switch (controlId) {
    case kAi:
      AddCheatReport(WFormat(L"%s controller changed to AI", country_->name.c_str()));
      country_->humanControlled = 0;
      break;
    case kHuman:
      AddCheatReport(WFormat(L"%s controller changed to Human", country_->name.c_str()));
      country_->humanControlled = 1;
      break;
    case kProduction: {
      const int now = ReadNumber(kProduction), old = static_cast<int>(country_->productionPoints);
      AddCheatReport(WFormat(L"%s PP changed from %d to %d (%d added)", country_->name.c_str(), old, now, now - old));
      country_->productionPoints = now;
      FrontEnd().RefreshInfoPanel();
      break;
    }
    case kDiplomacy: {
      const int now = ReadNumber(kDiplomacy), old = country_->diplomaticPoints;
      AddCheatReport(WFormat(L"%s DP changed from %d to %d (%d added)", country_->name.c_str(), old, now, now - old));
      country_->diplomaticPoints = now;
      FrontEnd().RefreshInfoPanel();
      break;
    }
    default: break;
  }
}
