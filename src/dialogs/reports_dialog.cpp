#include "dialogs/reports_dialog.h"

#include <algorithm>

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {
struct sType {
  const char* key;
  int kind;
};
constexpr sType kStatistics[] = {{"reports_general_summary", 28}, {"reports_production", 22},
                                 {"reports_units_upkeep", 26},    {"reports_research", 23},
                                 {"reports_convoys", 24},         {"victory_points", 29},
                                 {"reports_cities", 34},          {"lost_naval_units", 33}};
constexpr sType kEvents[] = {{"reports_raider_activity", 18},       {"reports_battles_at_seas", 20},
                             {"reports_sea_zone_attacks", 16},      {"reports_land_combat_(attack)", 0},
                             {"reports_land_combat_(defence)", 1},  {"reports_air_strikes", 8},
                             {"reports_air_to_air_combat", 2},      {"reports_shore_bombardment", 14},
                             {"reports_strategic_bombardment", 12}, {"reports_sieges", 21},
                             {"reports_event_results", 25},         {"reports_cheating", 30}};

void* KindData(int kind) { return reinterpret_cast<void*>(static_cast<intptr_t>(kind)); }

std::wstring CountryName(int id) {
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(id) : nullptr;
  return c != nullptr ? c->name : std::wstring();
}
}  // namespace

cDialogStatystyk::cDialogStatystyk()
    : cDialog(kDialogReports, GuiRect(kDialogReports).x, GuiRect(kDialogReports).y, GuiRect(kDialogReports).w,
              GuiRect(kDialogReports).h) {
  CFWStatic* title = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("reports_title").c_str(), &title);
  if (title != nullptr) title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  CFWTabFrame* mainTabs = nullptr;
  m_GuiDialog.AddTabFrame(kMainTabs, &mainTabs);
  m_GuiDialog.AddStatic(kTypeLabel, Txt("reports_type").c_str());
  // A list shows its rows in its columns: one column, titled by its label.
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kTypes, 0, &list);
  if (list != nullptr) list->SetColumns(1, L" ", 100);
  m_GuiDialog.AddStatic(kCountryLabel, Txt("reports_country").c_str());
  m_GuiDialog.AddListBox(kCountries, 0, &list);
  if (list != nullptr) list->SetColumns(1, L" ", 100);
  AddMemo(&m_GuiDialog, kMemo, L"");
  m_GuiDialog.AddStatic(kCounter, L"");
  CFWSlider* slider = nullptr;
  m_GuiDialog.AddSlider(kSlider, 0, 0, 0, &slider);
  AddEditBoxWithLabel(&m_GuiDialog, kDate, L"", Txt("reports_date_hint").c_str(), kDateLabel,
                      Txt("reports_date").c_str());
  CFWTabFrame* subTabs = nullptr;
  m_GuiDialog.AddTabFrame(kSubTabs, &subTabs);
  m_GuiDialog.AddListBox(kTable, 0);
  if (mainTabs != nullptr) {
    mainTabs->AddTab(Txt("reports_main_type_tab_statistics").c_str(), nullptr, -1, -1);
    mainTabs->AddTab(Txt("reports_main_type_tab_events").c_str(), nullptr, -1, -1);
  }
  SetSubTabs(kGeneralSummary, {});
  m_GuiDialog.AddButton(kExit, Txt("reports_exit").c_str(), Txt("reports_exit_hint").c_str());
  FillTypeList(0);
  FillCountryList();
  BuildTab(true);
}

void cDialogStatystyk::FillTypeList(int mainTab) {
  auto* list = m_GuiDialog.Get<CFWListBox>(kTypes, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  list->RemoveAllItems();
  if (mainTab == 1)
    for (const sType& t : kEvents) list->AddItem(Txt(t.key).c_str(), KindData(t.kind));
  else
    for (const sType& t : kStatistics) list->AddItem(Txt(t.key).c_str(), KindData(t.kind));
}

void cDialogStatystyk::FillCountryList() {
  auto* list = m_GuiDialog.Get<CFWListBox>(kCountries, FWCONTROL_LISTBOX);
  if (list == nullptr || gGra == nullptr) return;
  const cPanstwo* current = gGra->selection.currentCountry;
  std::vector<cPanstwo*> shown;
  for (cPanstwo* c : gGra->countries) {
    if (c == nullptr || c->active == 0 || c->politicalStrength < 0 || c->countryTypeSpecialFlags == 1) continue;
    if (kind_ != kLostShips && current != nullptr && c != current && !current->IsAlly(c->id)) continue;
    shown.push_back(c);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const cPanstwo* a, const cPanstwo* b) { return a->name < b->name; });
  list->RemoveAllItems();
  int row = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == country_) row = static_cast<int>(i);
    list->AddItem(shown[i]->name.c_str(), shown[i]);
  }
  if (shown.empty()) {
    country_ = nullptr;
    return;
  }
  list->SelectItem(row, true);
  country_ = static_cast<cPanstwo*>(list->GetSelectedData());
}

void cDialogStatystyk::ShowViewer(bool viewer) {
  for (int id : {kCounter, kSlider, kDateLabel, kDate, kMemo})
    if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetVisible(viewer);
  for (int id : {kSubTabs, kTable})
    if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetVisible(!viewer);
}

void cDialogStatystyk::SetSubTabs(int kind, std::initializer_list<const wchar_t*> titles) {
  if (subTabKind_ == kind) return;
  auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kSubTabs, FWCONTROL_TABFRAME);
  if (tabs == nullptr) return;
  tabs->RemoveAllTabs();
  if (kind == kGeneralSummary && titles.size() == 0) {
    for (const char* key : {"scenario_settings_tab_stats_general", "scenario_settings_tab_stats_resources",
                            "scenario_settings_tab_stats_units", "scenario_settings_tab_stats_technology"})
      tabs->AddTab(Txt(key).c_str(), nullptr, -1, -1);
  }
  for (const wchar_t* t : titles) tabs->AddTab(t, nullptr, -1, -1);
  tabs->SetActiveTab(0, false);
  subTabKind_ = kind;
}

void cDialogStatystyk::BuildTab(bool reset) {
  auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kSubTabs, FWCONTROL_TABFRAME);
  auto* table = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX);
  if (kind_ == kVictoryPoints || kind_ == kCities || kind_ == kGeneralSummary || kind_ == kLostShips) {
    if (kind_ == kVictoryPoints)
      SetSubTabs(kind_, {Txt("reports_victory_points_tab_alliances").c_str(),
                         Txt("reports_victory_points_tab_countries").c_str()});
    else if (kind_ == kCities)
      SetSubTabs(kind_, {Txt("reports_cities_tab_controlled").c_str(), Txt("reports_cities_tab_owned").c_str(),
                         Txt("reports_cities_tab_all").c_str()});
    else if (kind_ == kGeneralSummary)
      SetSubTabs(kind_, {});
    else
      SetSubTabs(kind_, {L"Naval units"});
    ShowViewer(false);
    if (table == nullptr || tabs == nullptr) return;
    table->SetStyle(0);
    table->RemoveAllItems();
    const int sub = std::max(tabs->GetActiveTab(), 0);
    if (kind_ == kVictoryPoints) BuildVictoryPoints(sub);
    else if (kind_ == kCities) BuildCities(sub);
    else if (kind_ == kGeneralSummary) BuildSummary(sub);
    else BuildLostShips();
    return;
  }
  ShowViewer(true);
  BuildStoredReports(reset);
}

void cDialogStatystyk::BuildVictoryPoints(int sub) {
  auto* table = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX);
  if (gGra == nullptr) return;
  if (sub == 0) {
    table->SetColumns(2, Txt("reports_victory_points_alliances_columns").c_str(), 50, 50);
    table->SetColumnSortTypes(2, 1, 3);
    const char* keys[3] = {"allies2", "axis2", "comintern2"};
    for (int a = 1; a <= 3; ++a)
      table->AddItem(WFormat(L"%s|%d", Txt(keys[a - 1]).c_str(), gGra->GetAllianceVictoryPoints(a)).c_str(), nullptr);
    return;
  }
  table->SetColumns(3, Txt("reports_victory_points_countries_columns").c_str(), 50, 30, 20);
  table->SetColumnSortTypes(3, 1, 1, 3);
  const int last = static_cast<int>(gGra->countries.size());
  for (const cPanstwo* c : gGra->countries) {
    if (c == nullptr || c->active == 0 || c->countryTypeSpecialFlags != 0 || c->id == last) continue;
    std::wstring alliance;
    c->GetAllianceDisplayName(alliance, true);
    table->AddItem(
        WFormat(L"%s;%s;%d", c->name.c_str(), alliance.c_str(), gGra->GetCountryVictoryPoints(c->id)).c_str(),
        nullptr);
  }
}

void cDialogStatystyk::BuildCities(int sub) {
  auto* table = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX);
  if (gGra == nullptr || country_ == nullptr) return;
  const char* keys[3] = {"reports_cities_tab_controlled_columns", "reports_cities_tab_owned_columns",
                         "reports_cities_tab_all_columns"};
  table->SetStyle(sub == 2 ? CFWListBox::kTallRows : 0);
  table->SetColumns(8, Txt(keys[std::clamp(sub, 0, 2)]).c_str(), 20, 20, 18, 5, 7, 8, 12, 10);
  table->SetColumnSortTypes(8, 1, 1, 1, 3, 5, 3, 3, 7);
  for (cMiasto* city : gGra->cities) {
    const int controller = city->GetController(), owner = city->GetOwner();
    std::wstring second;
    if (sub == 0) {
      if (controller != country_->id) continue;
      second = CountryName(owner);
    } else if (sub == 1) {
      if (owner != country_->id) continue;
      second = CountryName(controller);
    } else {
      second = CountryName(owner) + L"\n" + CountryName(controller);
    }
    table->AddItem(WFormat(L"%s;%s;%s;%d;%.1f;%d;%d;(%d, %d)", city->name.c_str(), second.c_str(),
                           city->GetTypeName().c_str(), city->victoryPoints,
                           static_cast<double>(city->productionPoints), city->bombardmentLosses, city->supply, city->x,
                           city->y)
                       .c_str(),
                   city);
  }
}

void cDialogStatystyk::BuildSummary(int sub) {
  auto* table = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX);
  const cPanstwo* c = country_;
  if (c == nullptr) return;
  auto row = [&](const char* key, const std::wstring& value) {
    table->AddItem((Txt(key) + L";" + value).c_str(), nullptr);
  };
  if (sub == 0) {
    table->SetColumns(2, Txt("scenario_settings_country_stats_general_columns").c_str(), 50, 50);
    std::wstring text;
    if (c->alliance == 0) {
      row("country_stats_alliance_entry", WFormat(L"%i%%", c->allianceEntry));
    } else {
      c->GetAllianceDisplayName(text, true);
      row("country_stats_alliance", text);
    }
    text.clear();
    c->GetRegimeName(text, false);
    row("country_stats_political_orientation", text);
    text.clear();
    c->GetZoneOfInfluenceName(text, false);
    row("country_stats_zone_of_influence", text);
    row("country_stats_political_strength", WFormat(L"%i", c->politicalStrength));
    row("country_stats_social_unrest", WFormat(L"%.0f%%", static_cast<double>(c->socialUnrest)));
    row("country_stats_war_economy", WFormat(L"%.0f%%", static_cast<double>(c->warEconomy)));
    row("country_stats_land_warfare_doctrine_level", WFormat(L"%i", c->techLevels[2]));
    row("country_stats_nuclear_bombs", WFormat(L"%i", c->nuclearBombs));
  } else if (sub == 1) {
    table->SetColumns(2, Txt("scenario_settings_country_stats_resources_columns").c_str(), 50, 50);
    row("country_stats_production_points", WFormat(L"%.0f", c->productionPoints));
    // The second value is the diplomatic points the country gains a month.
    row("country_stats_diplomacy_points",
        WFormat(Txt("country_stats_diplomacy_points_value").c_str(), c->diplomaticPoints, c->dpGrowthPerMonth));
    row("country_stats_strategic_movement_points", WFormat(L"%i", c->strategicMovementPoints));
    row("country_stats_sea_transport_points", WFormat(L"%i", c->seaTransportPoints));
    row("country_stats_amphibious_invasion_points", WFormat(L"%i", c->amphibiousPoints));
  } else if (sub == 2) {
    table->SetColumns(3, Txt("scenario_settings_country_stats_units_columns").c_str(), 60, 20, 20);
    sUnitStatistics stats;
    c->GatherUnitStatistics(stats);
    int r = 0;
    for (int type : {0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 40, 41, 42, 43, 44, 45}) {
      const int* n = &stats.counters[sUnitStatistics::kSecondBlock + 2 * r++];
      table->AddItem(WFormat(L"%s;%i;%i", cJednostka::GetSubtypeName(type).c_str(), n[0], n[1]).c_str(), nullptr);
    }
  } else {
    table->SetColumns(2, Txt("scenario_settings_country_stats_technology_columns").c_str(), 50, 50);
    const sType tech[6] = {{"country_stats_technology_artillery", 0},   {"country_stats_technology_tanks", 1},
                           {"country_stats_technology_aircrafts", 3},   {"country_stats_technology_submarines", 4},
                           {"country_stats_technology_warships", 5},    {"country_stats_technology_nuclear_bomb", 6}};
    for (const sType& t : tech) row(t.key, WFormat(L"%i", c->techLevels[t.kind]));
  }
}

void cDialogStatystyk::BuildLostShips() {
  auto* table = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX);
  table->SetStyle(CFWListBox::kTallRows);
  table->SetColumns(4, Txt("reports_killed_units_naval_columns").c_str(), 30, 30, 25, 15);
  reports_.clear();
  if (gGra == nullptr || gGra->reports == nullptr || country_ == nullptr) return;
  gGra->reports->CollectReports(reports_, country_->id, kLostShips);
  for (const sRaport& r : reports_)
    table->AddItem(WFormat(L"%s;%i-%i-%i\nTurn %i", r.text.c_str(), r.day, r.month, r.year, r.turn).c_str(), nullptr);
}

void cDialogStatystyk::BuildStoredReports(bool reset) {
  if (country_ == nullptr) return;
  auto* slider = m_GuiDialog.Get<CFWSlider>(kSlider, FWCONTROL_SLIDER);
  auto* counter = m_GuiDialog.Get<CFWStatic>(kCounter, FWCONTROL_STATIC);
  auto* date = m_GuiDialog.Get<CFWEditBox>(kDate, FWCONTROL_EDITBOX);
  auto* memo = m_GuiDialog.Get<CFWMemo>(kMemo, FWCONTROL_MEMO);
  reports_.clear();
  if (gGra != nullptr && gGra->reports != nullptr) gGra->reports->CollectReports(reports_, country_->id, kind_);
  const int count = static_cast<int>(reports_.size());
  if (count == 0) {
    if (slider != nullptr) {
      slider->SetRange(0, 0);
      slider->SetEnabled(false);
    }
    if (counter != nullptr) counter->SetText(Txt("reports_count_no_reports").c_str());
    if (date != nullptr) date->SetText(L"");
    if (memo != nullptr) memo->ClearText();
    return;
  }
  int index = count - 1;
  if (slider != nullptr) {
    slider->SetRange(0, count - 1);
    slider->SetEnabled(count >= 2);
    if (reset) slider->SetValueInternal(count - 1, false, false);
    index = std::clamp(slider->GetValue(), 0, count - 1);
  }
  const sRaport& r = reports_[static_cast<size_t>(index)];
  if (counter != nullptr) counter->SetText(WFormat(Txt("reports_count").c_str(), index + 1, count).c_str());
  if (memo != nullptr) memo->SetText(r.text.c_str());
  if (date != nullptr) date->SetText(WFormat(L"%i/%i/%i - turn %i", r.day, r.month, r.year, r.turn).c_str());
}

void cDialogStatystyk::OnEvent(UINT, int controlId, CFWControl*) {
  switch (controlId) {
    case kMainTabs:
      if (auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kMainTabs, FWCONTROL_TABFRAME)) FillTypeList(tabs->GetActiveTab());
      BuildTab(true);
      break;
    case kTypes:
      if (auto* list = m_GuiDialog.Get<CFWListBox>(kTypes, FWCONTROL_LISTBOX); list && list->GetSelectedIndex() >= 0)
        kind_ = static_cast<int>(reinterpret_cast<intptr_t>(list->GetSelectedData()));
      FillCountryList();
      BuildTab(true);
      break;
    case kCountries:
      if (auto* list = m_GuiDialog.Get<CFWListBox>(kCountries, FWCONTROL_LISTBOX); list && list->GetSelectedData())
        country_ = static_cast<cPanstwo*>(list->GetSelectedData());
      BuildTab(true);
      break;
    case kSlider:
    case kSubTabs: BuildTab(false); break;
    case kTable:
      if (kind_ == kCities && gGra != nullptr && gGra->map != nullptr)
        if (auto* list = m_GuiDialog.Get<CFWListBox>(kTable, FWCONTROL_LISTBOX))
          if (auto* city = static_cast<cMiasto*>(list->GetSelectedData())) gGra->map->CenterAtHex(city->x, city->y);
      break;
    case kExit: CloseDialogs(1); break;
    default: break;
  }
}

void cDialogStatystyk::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) PressButton(kExit);
}
