#include "dialogs/units_manager_dialog.h"

#include <algorithm>

#include "core/console.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

uint32_t gUnitsMgrLandTypeMask = 0xFFFFFFFFu;
uint32_t gUnitsMgrAirTypeMask = 0xFFFFFFFFu;
uint32_t gUnitsMgrNavalTypeMask = 0xFFFFFFFFu;
bool gUnitsMgrAutoCenter = true;
int gUnitsMgrMode = 0;
cUnit* gUnitsMgrSelectedUnit = nullptr;

void SetMaskBit(uint32_t& mask, int bit, bool on) {
  if (bit < 0 || bit > 31) return;
  if (on) mask |= 1u << bit;
  else mask &= ~(1u << bit);
}

namespace {
constexpr int kClassFirst[3] = {cDialogJednostek::kLandFirst, cDialogJednostek::kAirFirst,
                                cDialogJednostek::kNavalFirst};
constexpr int kClassCount[3] = {7, 3, 6};
constexpr int kClassType[3] = {0, 20, 40};
uint32_t* const kMasks[3] = {&gUnitsMgrLandTypeMask, &gUnitsMgrAirTypeMask, &gUnitsMgrNavalTypeMask};

bool Listed(const cUnit& u, const cPanstwo* country, uint32_t mask) {
  return country != nullptr && u.countryId == country->id && (mask >> (u.type % 20) & 1u) != 0;
}

wchar_t Flag(bool on) { return on ? L'+' : L' '; }

std::wstring Availability(const cUnit& u) {
  if (u.availableInTurns > 0)
    return WFormat(Txt("units_mgr_units_list_avail_in_%i_turns").c_str(), u.availableInTurns);
  return Txt("units_mgr_units_list_avail_now");
}

std::wstring OnMapRow(cJednostka& u) {
  const float strength = u.GetCombatStrength(), cost = u.GetUnitCost();
  const double percent = cost > 0.0f ? 100.0 * strength / cost : 0.0;
  bool f[8];
  if (u.category == kCategoryLand) {
    f[0] = u.GetUpgradeHint(nullptr);
    f[1] = u.GetLevelUpHint(nullptr);
    f[2] = u.commander != nullptr;
    f[3] = u.GetStrategicMoveIconHint(nullptr);
    f[4] = u.GetStrengthIconHint(nullptr);
    f[5] = u.GetAirborneAssaultIconHint(nullptr);
    f[6] = u.GetSeaTransportIconHint(nullptr);
    f[7] = u.GetAmphibiousTransportIconHint(nullptr);
  } else {
    f[0] = u.GetLevelUpHint(nullptr);
    f[1] = u.commander != nullptr;
    f[2] = u.GetStrategicMoveIconHint(nullptr);
    f[3] = u.GetStrengthIconHint(nullptr);
    f[4] = u.GetAirFightIconHint(nullptr);
    f[5] = u.GetBombardmentIconHint(nullptr);
    f[6] = u.GetNuclearIconHint(nullptr);
    f[7] = u.GetReconIconHint(nullptr);
  }
  return WFormat(L"%ls;%.0f%% (%.1f/%.1f);%i;%i;%ls;%i;%lc;%lc;%lc;%lc;%lc;%lc;%lc;%lc", u.name.c_str(),
                 percent, static_cast<double>(strength), static_cast<double>(cost), u.actionPoints, u.supply,
                 cJednostka::GetSubtypeName(u.type).c_str(), u.level, Flag(f[0]), Flag(f[1]), Flag(f[2]),
                 Flag(f[3]), Flag(f[4]), Flag(f[5]), Flag(f[6]), Flag(f[7]));
}

void* Data(cUnit* u) { return static_cast<void*>(u); }
}  // namespace

cDialogJednostek::cDialogJednostek(int countryId)
    : cDialog(kDialogUnitsManager, GuiRect(kDialogUnitsManager).x, GuiRect(kDialogUnitsManager).y,
              GuiRect(kDialogUnitsManager).w, GuiRect(kDialogUnitsManager).h) {
  if (gGra != nullptr && countryId >= 1 && countryId <= static_cast<int>(gGra->countries.size()))
    country_ = gGra->countries[static_cast<size_t>(countryId - 1)];
  CFWTabFrame* classes = nullptr;
  m_GuiDialog.AddTabFrame(kClassTabs, &classes);
  CFWStatic* title = nullptr;
  m_GuiDialog.AddStatic(
      kTitle,
      WFormat(Txt("units_mgr_units_list_for_country_%s").c_str(), country_ != nullptr ? country_->name.c_str() : L"")
          .c_str(),
      &title);
  if (title != nullptr) {
    title->m_iTextElement = 1;
    title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  for (int i = 0; i < 7; ++i)
    m_GuiDialog.AddCheckBox(kLandFirst + i, L"", L"", (gUnitsMgrLandTypeMask >> i & 1u) != 0);
  const char* airKeys[3] = {"unit_type_fighters", "unit_type_tactical_bombers", "unit_type_strategic_bombers"};
  for (int i = 0; i < 3; ++i)
    m_GuiDialog.AddCheckBox(kAirFirst + i, Txt(airKeys[i]).c_str(), L"", (gUnitsMgrAirTypeMask >> i & 1u) != 0);
  const char* navalKeys[6] = {"unit_type_carrier", "unit_type_battleship", "unit_type_cruiser",
                              "unit_type_submarine", "unit_type_cargo", "unit_type_amphibious"};
  for (int i = 0; i < 6; ++i)
    m_GuiDialog.AddCheckBox(kNavalFirst + i, Txt(navalKeys[i]).c_str(), L"",
                            (gUnitsMgrNavalTypeMask >> i & 1u) != 0);
  if (classes != nullptr) {
    classes->AddTab(Txt("units_mgr_units_list_tab_land").c_str(), nullptr, kLandFirst, kLandFirst + 6);
    classes->AddTab(Txt("units_mgr_units_list_tab_air").c_str(), nullptr, kAirFirst, kAirFirst + 2);
    classes->AddTab(Txt("units_mgr_units_list_tab_naval").c_str(), nullptr, kNavalFirst, kNavalLast);
  }
  CFWTabFrame* modes = nullptr;
  m_GuiDialog.AddTabFrame(kModeTabs, &modes);
  if (modes != nullptr) {
    modes->AddTab(Txt("units_mgr_units_list_tab_on_map").c_str(), nullptr, -1, -1);
    modes->AddTab(Txt("units_mgr_units_list_tab_to_deploy").c_str(), nullptr, -1, -1);
    modes->SetActiveTab(gUnitsMgrMode != 0 ? 1 : 0, true);
  }
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  if (list != nullptr)
    list->SetColumns(5, Txt("units_mgr_list_land_onmap_columns").c_str(), 35, 15, 5, 25, 20);
  m_GuiDialog.AddButton(kAction, Txt(gUnitsMgrMode == 1 ? "units_mgr_deploy" : "units_mgr_select").c_str(),
                        Txt(gUnitsMgrMode == 1 ? "units_mgr_deploy_hint" : "units_mgr_select_hint").c_str());
  CFWCheckBox* autoCenter = nullptr;
  m_GuiDialog.AddCheckBox(kAutoCenter, Txt("units_mgr_auto_center_view").c_str(), L"", gUnitsMgrAutoCenter,
                          &autoCenter);
  if (autoCenter != nullptr) autoCenter->SetVisible(gUnitsMgrMode == 0);
  m_GuiDialog.AddButton(kClose, Txt("units_mgr_close").c_str(), Txt("units_mgr_close_hint").c_str());
  gUnitsMgrSelectedUnit = nullptr;
  FillList(-1);
}

CFWListBox* cDialogJednostek::List() { return m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX); }

int cDialogJednostek::ActiveClass() {
  auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kClassTabs, FWCONTROL_TABFRAME);
  return tabs != nullptr ? std::clamp(tabs->GetActiveTab(), 0, 2) : 0;
}

void cDialogJednostek::FillList(int unitId) {
  CFWListBox* list = List();
  if (list == nullptr) return;
  list->RemoveAllItems();
  const int c = ActiveClass();
  const bool deploy = gUnitsMgrMode == 1;
  static const wchar_t* const kKeyFormats[3] = {L"units_mgr_list_land_%%s_columns", L"units_mgr_list_air_%%s_columns",
                                                L"units_mgr_list_naval_%%s_columns"};
  const std::wstring once = WFormat(kKeyFormats[c]);
  const std::string key = NarrowAscii(WFormat(once.c_str(), deploy ? L"todeploy" : L"onmap"));
  const std::wstring& titles = Txt(key);
  if (deploy) {
    if (c == 2) {
      list->SetColumns(3, titles.c_str(), 30, 18, 40);
      list->SetColumnSortTypes(3, 1, 1, 1);
    } else {
      list->SetColumns(4, titles.c_str(), 30, 18, 3, 40);
      list->SetColumnSortTypes(4, 1, 1, 3, 1);
    }
  } else {
    if (c == 2) {
      list->SetColumns(6, titles.c_str(), 20, 12, 18, 25, 23, 2);
      list->SetColumnSortTypes(6, 1, 6, 3, 3, 1, 3);
    } else {
      list->SetColumns(14, titles.c_str(), 30, 12, 3, 8, 18, 3, 2, 2, 2, 2, 2, 2, 2, 2);
      list->SetColumnSortTypes(14, 1, 6, 3, 3, 1, 3, 1, 1, 1, 1, 1, 1, 1, 1);
    }
    list->SetColumnHints(Txt(key + "_hint").c_str());
  }
  if (CFWControl* b = m_GuiDialog.GetControl(kAction))
    if (auto* button = dynamic_cast<CFWButton*>(b))
      button->SetText(Txt(deploy ? "units_mgr_deploy" : "units_mgr_select").c_str());

  if (country_ != nullptr) {
    sUnitStatistics stats;
    country_->GatherUnitStatistics(stats);
    for (int i = 0; i < kClassCount[c]; ++i) {
      const int type = kClassType[c] + i;
      const int row = (c == 0 ? 0 : c == 1 ? 7 : 10) + i;
      const int onMap = stats.counters[sUnitStatistics::kSecondBlock + 2 * row];
      const int reserve = stats.counters[sUnitStatistics::kSecondBlock + 2 * row + 1];
      if (auto* box = m_GuiDialog.Get<CFWCheckBox>(kClassFirst[c] + i, FWCONTROL_CHECKBOX))
        box->SetText(WFormat(L"%ls (%i+[%i])", cJednostka::GetSubtypeName(type).c_str(), onMap, reserve).c_str());
    }
  }

  const uint32_t mask = *kMasks[c];
  if (gGra != nullptr && country_ != nullptr) {
    if (deploy && c < 2) {
      for (cJednostka* u : gGra->reserve)
        if (u->category == c && Listed(*u, country_, mask))
          list->AddItem(WFormat(L"%ls;%ls;%i;%ls", u->name.c_str(), cJednostka::GetSubtypeName(u->type).c_str(),
                                u->level, Availability(*u).c_str())
                            .c_str(),
                        Data(u));
    } else if (deploy) {
      for (cJednostkaMorska* u : gGra->navalReserve)
        if (Listed(*u, country_, mask)) {
          const std::wstring row = WFormat(L"%ls;%ls;%ls", u->name.c_str(),
                                           cJednostka::GetSubtypeName(u->type).c_str(), Availability(*u).c_str());
          gConsole.AddFormatted(L"%ls", row.c_str());
          list->AddItem(row.c_str(), Data(u));
        }
    } else if (c == 0) {
      for (cJednostkaLadowa* u : gGra->landUnits)
        if (Listed(*u, country_, mask)) list->AddItem(OnMapRow(*u).c_str(), Data(u));
    } else if (c == 1) {
      for (cJednostkaLotnicza* u : gGra->airUnits)
        if (Listed(*u, country_, mask)) list->AddItem(OnMapRow(*u).c_str(), Data(u));
    } else {
      for (cJednostkaMorska* u : gGra->navalUnits)
        if (Listed(*u, country_, mask)) {
          const int percent = u->maxHitPoints > 0 ? u->hitPoints * 100 / u->maxHitPoints : 0;
          const sWezelGrafuMorz* node = u->fleet != nullptr ? u->fleet->GetSeaNode() : nullptr;
          list->AddItem(WFormat(L"%ls;%i%% (%i/%i);%ls;%ls;%ls;%lc", u->name.c_str(), percent, u->hitPoints,
                                u->maxHitPoints, cJednostka::GetSubtypeName(u->type).c_str(),
                                u->fleet != nullptr ? u->fleet->name.c_str() : L"",
                                node != nullptr ? node->name.c_str() : L"", Flag(u->commander != nullptr))
                            .c_str(),
                        Data(u));
        }
    }
  }
  SelectUnitRow(list->GetSize() > 0 ? unitId : -1);
}

void cDialogJednostek::SelectUnitRow(int unitId) {
  CFWListBox* list = List();
  CFWControl* button = m_GuiDialog.GetControl(kAction);
  if (list == nullptr || button == nullptr) return;
  if (unitId < 1 && list->GetSize() > 0)
    if (FWListBoxItem* first = list->GetItem(0)) unitId = static_cast<cUnit*>(first->pData)->unitId;
  gUnitsMgrSelectedUnit = nullptr;
  for (int i = 0; i < list->GetSize(); ++i) {
    auto* u = static_cast<cUnit*>(list->GetItem(i)->pData);
    if (u != nullptr && u->unitId == unitId) {
      list->SelectItem(i, false);
      gUnitsMgrSelectedUnit = u;
      break;
    }
  }
  const char* hint = nullptr;
  bool enabled = false;
  if (gUnitsMgrSelectedUnit == nullptr) {
    hint = "units_mgr_select_hint_no_unit_selected";
  } else if (gUnitsMgrMode == 0) {
    enabled = true;
    hint = "units_mgr_select_hint";
  } else if (gUnitsMgrSelectedUnit->availableInTurns > 0) {
    hint = "units_mgr_deploy_hint_not_ready_to_deploy";
  } else if (gUnitsMgrSelectedUnit->MarkMoveRange(false) > 0) {
    enabled = true;
    hint = "units_mgr_deploy_hint";
  } else {
    hint = "units_mgr_deploy_hint_no_destination_hexes";
  }
  button->SetEnabled(enabled);
  button->SetHint(Txt(hint).c_str());
}

void cDialogJednostek::CenterOn(const cUnit& unit) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  if (unit.category == kCategoryNaval) {
    const auto& ship = static_cast<const cJednostkaMorska&>(unit);
    const sWezelGrafuMorz* node = ship.fleet != nullptr ? ship.fleet->GetSeaNode() : nullptr;
    if (node == nullptr) return;
    // A port's main hex is its city on land; its ships stand on the hex
    // beside it.
    if (node->seaZone != 0 || node->playerUnitX < 0) gGra->map->CenterAtHex(node->mainX, node->mainY);
    else gGra->map->CenterAtHex(node->playerUnitX, node->playerUnitY);
    return;
  }
  gGra->map->CenterAtHex(unit.x, unit.y);
}

void cDialogJednostek::OnEvent(UINT, int controlId, CFWControl* control) {
  const int c = ActiveClass();
  if (controlId == kClassTabs) {
    FillList(-1);
  } else if (controlId >= kLandFirst && controlId <= kNavalLast) {
    if (controlId >= kClassFirst[c] && controlId < kClassFirst[c] + kClassCount[c]) {
      auto* box = dynamic_cast<CFWCheckBox*>(control);
      if (box == nullptr) box = m_GuiDialog.Get<CFWCheckBox>(controlId, FWCONTROL_CHECKBOX);
      if (box != nullptr) SetMaskBit(*kMasks[c], controlId - kClassFirst[c], box->GetChecked());
      FillList(-1);
    }
  } else if (controlId == kList) {
    CFWListBox* list = List();
    auto* u = list != nullptr ? static_cast<cUnit*>(list->GetSelectedData()) : nullptr;
    SelectUnitRow(u != nullptr ? u->unitId : -1);
    if (gUnitsMgrSelectedUnit != nullptr && gUnitsMgrAutoCenter && gUnitsMgrMode == 0 && gGra != nullptr) {
      CenterOn(*gUnitsMgrSelectedUnit);
      if (gUnitsMgrSelectedUnit->category != kCategoryNaval) {
        gGra->selection.ClearUnit();
        gGra->selection.SelectHex(gUnitsMgrSelectedUnit->x, gUnitsMgrSelectedUnit->y);
      }
    }
  } else if (controlId == kAutoCenter) {
    auto* box = m_GuiDialog.Get<CFWCheckBox>(kAutoCenter, FWCONTROL_CHECKBOX);
    gUnitsMgrAutoCenter = box != nullptr && box->GetChecked();
    if (gUnitsMgrAutoCenter && gUnitsMgrSelectedUnit != nullptr && gGra != nullptr) {
      CenterOn(*gUnitsMgrSelectedUnit);
      gGra->selection.ClearUnit();
      gGra->selection.SelectHex(gUnitsMgrSelectedUnit->x, gUnitsMgrSelectedUnit->y);
    }
  } else if (controlId == kModeTabs) {
    auto* modes = m_GuiDialog.Get<CFWTabFrame>(kModeTabs, FWCONTROL_TABFRAME);
    gUnitsMgrMode = modes != nullptr && modes->GetActiveTab() == 1 ? 1 : 0;
    if (CFWControl* box = m_GuiDialog.GetControl(kAutoCenter)) box->SetEnabled(gUnitsMgrMode == 0);
    FillList(-1);
  } else if (controlId == kAction) {
    cUnit* u = gUnitsMgrSelectedUnit;
    if (u == nullptr || gGra == nullptr) return;
    if (gUnitsMgrMode == 0) {
      if (gGra->map != nullptr) gGra->map->CenterAtHex(u->x, u->y);
      gGra->selection.SelectHex(u->x, u->y);
      u->MarkAttackTargets(false);
      gGra->selection.mapAction = u->category == kCategoryLand ? 4 : u->category == kCategoryAir ? 12 : 0;
      CloseDialogs(1);
    } else if (gUnitsMgrMode == 1) {
      gGra->selection.ClearUnit();
      gGra->selection.mapAction = 1 + u->category;
      u->MarkMoveRange(true);
      m_GuiDialog.SetVisible(false);
    }
  } else if (controlId == kClose) {
    CloseDialogs(1);
  }
}

void cDialogJednostek::OnResume() {
  FillList(-1);
  m_nCountdownAction = kCountdownShow;
  m_nCountdownStopped = 0;
  m_fCountdownSeconds = delayValues[DELAY_HUMAN_DEPLOY_AFTER] / 1000.0f;
}

void cDialogJednostek::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  const int c = ActiveClass();
  const int first = kClassFirst[c], count = kClassCount[c];
  if (key == 13) {
    CFWControl* b = m_GuiDialog.GetControl(kAction);
    if (b != nullptr && b->GetEnabled()) PressButton(kAction);
    return;
  }
  if (key == 27) {
    PressButton(kClose);
    return;
  }
  m_GuiDialog.EnableNonUserEvents(true);
  auto* classes = m_GuiDialog.Get<CFWTabFrame>(kClassTabs, FWCONTROL_TABFRAME);
  auto* modes = m_GuiDialog.Get<CFWTabFrame>(kModeTabs, FWCONTROL_TABFRAME);
  CFWListBox* list = List();
  auto box = [&](int id) { return m_GuiDialog.Get<CFWCheckBox>(id, FWCONTROL_CHECKBOX); };
  if ((key == 37 || key == 39) && classes != nullptr) {
    const int i = classes->GetActiveTab();
    classes->SetActiveTab(key == 37 ? std::max(i - 1, 0) : std::min(i + 1, 2), true);
  } else if ((key == 38 || key == 40) && list != nullptr && list->GetSize() > 0) {
    const int i = list->GetSelectedIndex();
    list->SelectItem(key == 38 ? std::max(i - 1, 0) : std::min(i + 1, list->GetSize() - 1), true);
  } else if (key == 48 || key == 96 || key == 57 || key == 105) {
    const bool on = key == 57 || key == 105;
    for (int i = 0; i < count; ++i)
      if (CFWCheckBox* b = box(first + i)) b->SetCheckedInternal(on, false, true);
  } else if ((key >= 49 && key <= 55) || (key >= 97 && key <= 103)) {
    const int digit = key >= 97 ? key - 96 : key - 48;
    if (digit <= count)
      if (CFWCheckBox* b = box(first + digit - 1)) b->SetCheckedInternal(!b->GetChecked(), false, true);
  } else if (key == 'A') {
    CFWCheckBox* b = box(kAutoCenter);
    if (b != nullptr && b->GetEnabled()) b->SetCheckedInternal(!b->GetChecked(), false, true);
  } else if ((key == 'D' || key == 'M') && modes != nullptr) {
    modes->SetActiveTab(key == 'D' ? 1 : 0, true);
  }
  m_GuiDialog.EnableNonUserEvents(false);
}
