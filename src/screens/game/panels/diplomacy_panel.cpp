#include "screens/game/panels/diplomacy_panel.h"

#include "core/console.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/elections_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/question_dialogs.h"
#include "framework/texture_handles.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "rules/diplomacy.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

const int kOtherButtons[] = {cDiplomacyPanel::kDeclareWar, cDiplomacyPanel::kPressure, cDiplomacyPanel::kCoup};
const int kOwnButtons[] = {cDiplomacyPanel::kLowerEntry, cDiplomacyPanel::kRaiseEntry, cDiplomacyPanel::kElections,
                           cDiplomacyPanel::kChangeOrientation};

}  // namespace

cDiplomacyPanel::cDiplomacyPanel()
    : cPanel(kFrame, GuiRect(kFrame).x, GuiRect(kFrame).y, GuiRect(kFrame).w, GuiRect(kFrame).h) {
  CFWDialog& d = m_GuiDialog;
  auto box = [&d](int edit, int label, const char* key) {
    AddEditBoxWithLabel(&d, edit, L"-", Txt(std::string(key) + "_hint").c_str(), label, Txt(key).c_str());
  };
  box(kCountry, kCountryLabel, "panel_diplo_country");
  d.AddImage(kFlag, nullptr, 0, 0, 128, 85, Txt("panel_diplo_flag_hint").c_str());
  box(kUnrest, kUnrestLabel, "panel_diplo_social_unrest");
  box(kWarEconomy, kWarEconomyLabel, "panel_diplo_war_economy");
  box(kAlliance, kAllianceLabel, "panel_diplo_alliance");
  box(kEntry, kEntryLabel, "panel_diplo_alliance_entry");
  box(kOrientation, kOrientationLabel, "panel_diplo_orientation");
  box(kZone, kZoneLabel, "panel_diplo_zone_of_influence");
  box(kStrength, kStrengthLabel, "panel_diplo_political_strength");
  CFWStatic* s = nullptr;
  d.AddStatic(kWarWithLabel, Txt("panel_diplo_war_with").c_str(), &s);
  if (s != nullptr) s->SetTextColor(0xFFFFFFFFu);
  CFWListBox* list = nullptr;
  d.AddListBox(kWarWith, 0, &list);
  // The toolkit draws a list's rows column by column: one column, untitled.
  if (list != nullptr) list->SetColumns(1, L" ", {100});
  const struct {
    int id;
    const char* key;
  } buttons[] = {{kDeclareWar, "panel_diplo_declare_war"},     {kPressure, "panel_diplo_extern_pressure"},
                 {kCoup, "panel_diplo_coupdetat"},             {kLowerEntry, "panel_diplo_lower_war_entry"},
                 {kRaiseEntry, "panel_diplo_rise_war_entry"},  {kElections, "panel_diplo_elections"},
                 {kChangeOrientation, "panel_diplo_change_orientation"}};
  for (const auto& b : buttons) d.AddButton(b.id, Txt(b.key).c_str(), Txt(std::string(b.key) + "_hint").c_str());
  Refresh();
}

void cDiplomacyPanel::Set(int id, const std::wstring& text) {
  if (auto* b = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) b->SetText(text.c_str());
}

std::wstring cDiplomacyPanel::Text(int id) {
  auto* b = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX);
  return b != nullptr ? b->GetText() : std::wstring();
}

std::wstring cDiplomacyPanel::Hint(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetHint() != nullptr ? std::wstring(c->GetHint()) : std::wstring();
}

bool cDiplomacyPanel::Enabled(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetEnabled();
}

bool cDiplomacyPanel::Visible(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetVisible();
}

void cDiplomacyPanel::Refresh() {
  const sHex* hex = gGra != nullptr ? gGra->selection.selectedHex : nullptr;
  shown_ = hex != nullptr ? hex->GetControllerCountry() : nullptr;
  acting_ = gGra != nullptr ? gGra->selection.currentCountry : nullptr;
  auto* list = m_GuiDialog.Get<CFWListBox>(kWarWith, FWCONTROL_LISTBOX);
  if (list != nullptr) list->RemoveAllItems();
  auto* flag = m_GuiDialog.Get<CFWImage>(kFlag, FWCONTROL_IMAGE);
  if (shown_ == nullptr || acting_ == nullptr) {
    for (int id : kOtherButtons) m_GuiDialog.GetControl(id)->SetVisible(false);
    for (int id : kOwnButtons) m_GuiDialog.GetControl(id)->SetVisible(false);
    if (flag != nullptr) flag->SetVisible(false);
    for (int id : {kCountry, kUnrest, kWarEconomy, kAlliance, kEntry, kOrientation, kZone, kStrength}) Set(id, L"-");
    return;
  }
  const cPanstwo& c = *shown_;
  if (flag != nullptr) {
    flag->SetVisible(true);
    flag->SetTexture(TextureOfHandle(c.GetFlagTexture()));
  }
  Set(kCountry, c.name);
  Set(kUnrest, WFormat(L"%.1f%%", static_cast<double>(c.socialUnrest)));
  Set(kWarEconomy, WFormat(L"%.1f%%", static_cast<double>(c.warEconomy)));
  static const char* const kAlliances[] = {"diplomacy_country_neutral",         "diplomacy_country_allies",
                                           "diplomacy_country_axis",            "diplomacy_country_comintern",
                                           "diplomacy_country_allies_leader",   "diplomacy_country_axis_leader",
                                           "diplomacy_country_comintern_leader"};
  Set(kAlliance, c.alliance >= 0 && c.alliance <= 6 ? WFormat(Txt(kAlliances[c.alliance]).c_str()) : L"-");
  Set(kEntry, WFormat(L"%i%%", c.allianceEntry));
  std::wstring text;
  c.GetRegimeName(text, true);
  Set(kOrientation, text);
  text.clear();
  c.GetZoneOfInfluenceName(text, true);
  Set(kZone, text);
  Set(kStrength, WFormat(L"%i", c.politicalStrength));
  if (list != nullptr)
    for (cPanstwo* other : gGra->countries)
      if (other != shown_ && other->active != 0 && gGra->relations.IsAtWar(c.id, other->id) != 0)
        list->AddItem(other->name.c_str(), other);

  const bool own = shown_ == acting_;
  for (int id : kOtherButtons) m_GuiDialog.GetControl(id)->SetVisible(!own);
  for (int id : kOwnButtons) m_GuiDialog.GetControl(id)->SetVisible(own);
  auto check = [this](int id, bool ok, const std::wstring& hint) {
    CFWControl* b = m_GuiDialog.GetControl(id);
    b->SetEnabled(ok);
    b->SetHint(hint.c_str());
  };
  std::wstring hint;
  if (own) {
    bool ok = DiplomacyCanDelayAllianceEntry(c.id, hint);
    check(kLowerEntry, ok, hint);
    hint.clear();
    ok = DiplomacyCanHastenAllianceEntry(c.id, hint);
    check(kRaiseEntry, ok, hint);
    hint.clear();
    ok = DiplomacyCanHoldElections(c.id, hint);
    check(kElections, ok, hint);
    hint.clear();
    ok = DiplomacyCanChangeOrientation(c.id, hint);
    check(kChangeOrientation, ok, hint);
  } else {
    bool ok = DiplomacyCanDeclareWar(acting_->id, c.id, hint);
    check(kDeclareWar, ok, hint);
    hint.clear();
    ok = DiplomacyCanExertPressure(acting_->id, c.id, hint);
    check(kPressure, ok, hint);
    hint.clear();
    ok = DiplomacyCanStageCoup(acting_->id, c.id, hint);
    check(kCoup, ok, hint);
  }
}

void cDiplomacyPanel::ShowResult(const std::wstring& text, const std::wstring& title, int depth) {
  PushDialog(new (std::nothrow) cDialogTekstowy(text, title, kMessageLayoutBase), depth);
}

std::wstring cDiplomacyPanel::DeclareWarResultText(int result, const cPanstwo& acting, const cPanstwo& shown) {
  std::wstring p, q, r;
  shown.FormatOrientationAllianceName(p, false);
  acting.GetAllianceDisplayName(q, false);
  shown.GetAllianceDisplayName(r, false);
  const wchar_t* a = acting.name.c_str();
  const wchar_t* s = shown.name.c_str();
  switch (result) {
    case 0: {
      std::wstring t = WFormat(Txt("diplomacy_country_declare_war_on_country_unknown").c_str(), a, s);
      LogLine(t);
      return t;
    }
    case 1:
      return WFormat(Txt("diplomacy_country_declare_war_on_country").c_str(), a, s);
    case 2:
      return WFormat(Txt("diplomacy_country_declare_war_on_country_country_join_alliance").c_str(), a, s, s,
                     p.c_str());
    case 3:
      return WFormat(Txt("diplomacy_country_declare_war_on_alliance").c_str(), a, r.c_str());
    case 4:
      return WFormat(
          Txt("diplomacy_country_declare_war_on_country_all_alliance_countries_at_war_with_country").c_str(), a, s,
          q.c_str(), s);
    case 5:
      return WFormat(
          Txt("diplomacy_country_declare_war_on_country_country_join_alliance_alliance_at_war_with_alliance").c_str(),
          a, s, s, p.c_str(), p.c_str(), q.c_str());
    case 6:
      return WFormat(Txt("diplomacy_country_declare_war_on_country_alliance_at_war_with_alliance").c_str(), a, s,
                     p.c_str(), q.c_str());
    default:
      return WFormat(Txt("diplomacy_general_declare_war").c_str());
  }
}

void cDiplomacyPanel::OnEvent(UINT, int controlId, CFWControl*) {
  const bool ours = (controlId >= kDeclareWar && controlId <= kChangeOrientation) ||
                    controlId == cDialogPotwierdzenia::kYes || controlId == cDialogPotwierdzenia::kNo ||
                    controlId == cDialogWyborow::kCancel || (controlId >= 0 && controlId <= 5);
  if (!ours || gGra == nullptr) return;
  const bool free = pending_ == kNone;
  cPanstwo* shown = shown_;
  cPanstwo* acting = acting_;
  std::wstring text;
  switch (controlId) {
    case kDeclareWar:
      if (!free || shown == nullptr) break;
      pending_ = kWarQuestion;
      PushDialog(new (std::nothrow) cDialogPotwierdzenia(
                     Txt("diplomacy_declare_war_title"),
                     WFormat(Txt("diplomacy_declare_war_on_country_question").c_str(), shown->name.c_str()),
                     Txt("diplomacy_declare_war_yes"), Txt("diplomacy_declare_war_yes_hint"),
                     Txt("diplomacy_declare_war_no"), Txt("diplomacy_declare_war_no_hint")),
                 0);
      if (gCurrentDialog != nullptr) gCurrentDialog->SetAnswerTarget(this);
      break;
    case cDialogPotwierdzenia::kYes:
      if (pending_ == kWarQuestion && shown != nullptr && acting != nullptr) {
        const int result = DiplomacyDeclareWar(acting->id, shown->id, true);
        ShowResult(DeclareWarResultText(result, *acting, *shown),
                   WFormat(Txt("diplomacy_declare_war_result_title").c_str(), shown->name.c_str()), -1);
      }
      pending_ = kNone;
      break;
    case cDialogPotwierdzenia::kNo:
    case cDialogWyborow::kCancel:
      pending_ = kNone;
      break;
    case kPressure:
      if (!free || shown == nullptr || acting == nullptr) break;
      DiplomacyExertPressure(acting->id, shown->id, text);
      ShowResult(text, Txt("diplomacy_extern_pressure_result_title"), 0);
      break;
    case kCoup:
      if (!free || shown == nullptr || acting == nullptr) break;
      DiplomacyStageCoup(acting->id, shown->id, text);
      ShowResult(text, Txt("diplomacy_coup_detat_result_title"), 0);
      break;
    case kLowerEntry:
    case kRaiseEntry:
      if (!free || shown == nullptr) break;
      if (controlId == kLowerEntry) DiplomacyDelayAllianceEntry(shown->id, text);
      else DiplomacyHastenAllianceEntry(shown->id, text);
      ShowResult(text, Txt("diplomacy_delay_entry_result_title"), 0);
      break;
    case kElections:
      if (!free || shown == nullptr) break;
      if (shown->orientation == 0) {
        DiplomacyResolveElections(shown->id, 3, text);
        ShowResult(text, Txt("diplomacy_elections_result_title"), 0);
      } else {
        pending_ = kElectionsChoice;
        PushDialog(new (std::nothrow) cDialogWyborow(shown, true), 0);
        if (gCurrentDialog != nullptr) gCurrentDialog->SetAnswerTarget(this);
      }
      break;
    case kChangeOrientation:
      if (!free || shown == nullptr) break;
      if (shown->orientation >= 0 && shown->orientation <= 2) {
        DiplomacyChangeOrientation(shown->id, shown->orientation + 3, text);
        ShowResult(text, WFormat(Txt("diplomacy_change_orientation_of_country_title").c_str(), shown->name.c_str()), 0);
      } else {
        pending_ = kOrientationChoice;
        PushDialog(new (std::nothrow) cDialogWyborow(shown, false), 0);
        if (gCurrentDialog != nullptr) gCurrentDialog->SetAnswerTarget(this);
      }
      break;
    default:  // 0..5: the choice of the elections dialog
      if (shown != nullptr && pending_ == kElectionsChoice) {
        DiplomacyResolveElections(shown->id, controlId, text);
        ShowResult(text, WFormat(Txt("diplomacy_elections_in_country_title").c_str(), shown->name.c_str()), -1);
      } else if (shown != nullptr && pending_ == kOrientationChoice) {
        DiplomacyChangeOrientation(shown->id, controlId, text);
        ShowResult(text, WFormat(Txt("diplomacy_change_orientation_of_country_title").c_str(), shown->name.c_str()),
                   -1);
      }
      pending_ = kNone;
      break;
  }
  Refresh();
}
