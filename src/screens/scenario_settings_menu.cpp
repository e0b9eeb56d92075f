#include "screens/scenario_settings_menu.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/text_layout.h"
#include "core/console.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "events/event_manager.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "gui/fw_combobox.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "rules/start_checks.h"
#include "screens/game/game_screen.h"
#include "screens/scenario_menu.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

cTexture gScenarioSettingsWallpaper;

constexpr const wchar_t* kPbemNameExcluded = L"\\/:*?<>;#&|";
constexpr const wchar_t* kNewPlayerEmail = L"player@example.org";
const char* const kDifficultyKeys[5] = {"scenario_settings_very_hard", "scenario_settings_hard",
                                        "scenario_settings_normal", "scenario_settings_easy",
                                        "scenario_settings_very_easy"};
const char* const kAllianceKeys[7] = {"alliance_name_neutral", "alliance_name_allies",  "alliance_name_axis",
                                      "alliance_name_comintern", "alliance_name_allies", "alliance_name_axis",
                                      "alliance_name_comintern"};
const char* const kOrientationKeys[6] = {"orientation_name_democracy",   "orientation_name_nationalist",
                                         "orientation_name_communist",   "orientation_name_pro_allied",
                                         "orientation_name_pro_axis",    "orientation_name_pro_communist"};
const char* const kZoneKeys[4] = {"zone_name_none", "zone_name_allied", "zone_name_axis", "zone_name_comintern"};
const int kStatsSubtypes[16] = {0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 40, 41, 42, 43, 44, 45};

std::wstring KeyText(const char* const* keys, int count, int index) {
  return index >= 0 && index < count ? Txt(keys[index]) : std::wstring(L"-");
}

}  // namespace

bool CompareCountryNames(const cPanstwo* a, const cPanstwo* b) { return a->name < b->name; }

cScenarioSettingsMenu::cScenarioSettingsMenu() {
  gConsole.AddLine(L"----- Scenario Settings Menu -----");
  gScenarioSettingsWallpaper.Release();
  gScenarioSettingsWallpaper.Load(L"data\\gfx\\wallpaper_scenariosettings.png", kTextureFromFile, 1);
  SetVisible(false);
  CFWStatic* s = nullptr;
  AddStatic(kTitle, gLastScenarioName.c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  const sGuiRect frame = GuiRect(kFrame);
  AddFrame(kFrame, frame.x, frame.y, frame.w, frame.h, 0);
  CFWTabFrame* tabs = nullptr;
  AddTabFrame(kTabs, &tabs);
  AddButton(kOk, Txt("scenario_settings_ok").c_str(), Txt("scenario_settings_ok_hint").c_str());
  AddButton(kBack, Txt("scenario_settings_back").c_str(), Txt("scenario_settings_back_hint").c_str());
  CFWListBox* list = nullptr;
  AddListBox(kCountryList, 0, &list);
  if (list != nullptr) list->SetColumns(3, Txt("scenario_settings_countries_columns").c_str(), {40, 30, 30});
  AddStatic(kCountryName, L"", &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_WORDBREAK | DT_VCENTER;
  }
  AddImage(kFlag, nullptr, 0, 0, 128, 85, Txt("scenario_settings_flag_hint").c_str());
  CFWTabFrame* stats = nullptr;
  AddTabFrame(kStatsTabs, &stats);
  AddListBox(kStatsList, 0, &list);
  if (stats != nullptr) {
    for (const char* key : {"scenario_settings_tab_stats_general", "scenario_settings_tab_stats_resources",
                            "scenario_settings_tab_stats_units", "scenario_settings_tab_stats_technology"})
      stats->AddTab(Txt(key).c_str(), nullptr, 0, -1);
  }
  AddStatic(kControlledByLabel, Txt("scenario_settings_controlled_by").c_str());
  AddRadioButton(kComputer, 1, Txt("scenario_settings_ai_controlled").c_str(),
                 Txt("scenario_settings_ai_controlled_hint").c_str(), true);
  AddRadioButton(kHuman, 1, Txt("scenario_settings_human_controlled").c_str(),
                 Txt("scenario_settings_human_controlled_hint").c_str());
  AddComboBox(kPbemPlayer, Txt("scenario_settings_pbem_player_hint").c_str());
  AddStatic(kDifficultyLabel, Txt("scenario_settings_difficulty").c_str());
  const char* const difficulty[5][2] = {{"scenario_settings_vary_hard", "scenario_settings_vary_hard_hint"},
                                        {"scenario_settings_hard", "scenario_settings_hard_hint"},
                                        {"scenario_settings_normal", "scenario_settings_normal_hint"},
                                        {"scenario_settings_easy", "scenario_settings_easy_hint"},
                                        {"scenario_settings_very_easy", "scenario_settings_very_easy_hint"}};
  for (int i = 0; i < 5; ++i)
    AddRadioButton(kVeryHard + i, 2, Txt(difficulty[i][0]).c_str(), Txt(difficulty[i][1]).c_str(), i == 2);

  // The PBEM tab.
  const bool newGame = gGra != nullptr && gGra->loadMode == 0;
  AddCheckBox(kPbemGame, Txt("scenario_settings_pbem_game").c_str(), Txt("scenario_settings_pbem_game_hint").c_str(),
              gGra != nullptr && gGra->pbem != 0);
  CFWStatic* label = AddEditBoxWithLabel(this, kPbemName, newGame ? L"New pbem" : gGra->pbemGameName.c_str(),
                                         Txt("scenario_settings_pbem_game_name_hint").c_str(), kPbemNameLabel,
                                         Txt("scenario_settings_pbem_game_name").c_str());
  (void)label;
  if (auto* edit = Get<CFWEditBox>(kPbemName, FWCONTROL_EDITBOX)) {
    edit->SetExcludedCharacters(kPbemNameExcluded);
    edit->SetEnabled(newGame);
  }
  AddStatic(kPlayersLabel, Txt("scenario_settings_pbem_players").c_str());
  AddListBox(kPlayers, 0, &list);
  if (list != nullptr) list->SetColumns(2, Txt("scenario_settings_pbem_players_columns").c_str(), {40, 60});
  const struct {
    int edit, label;
    const char* text;
  } playerFields[] = {{kPlayerName, kPlayerNameLabel, "scenario_settings_pbem_player_name"},
                      {kPlayerEmail, kPlayerEmailLabel, "scenario_settings_pbem_player_email"}};
  for (const auto& f : playerFields) {
    AddEditBoxWithLabel(this, f.edit, L"", Txt(std::string(f.text) + "_hint").c_str(), f.label,
                        Txt(f.text).c_str());
    if (auto* e = Get<CFWEditBox>(f.edit, FWCONTROL_EDITBOX)) e->SetEnabled(true);
  }
  AddButton(kSavePlayer, Txt("scenario_settings_pbem_player_save").c_str(),
            Txt("scenario_settings_pbem_player_save_hint").c_str());
  AddButton(kRemovePlayer, Txt("scenario_settings_pbem_player_remove").c_str(),
            Txt("scenario_settings_pbem_player_remove_hint").c_str());
  AddCheckBox(kEventsByComputer, Txt("scenario_settings_pbem_events_by_ai").c_str(),
              Txt("scenario_settings_pbem_events_by_ai_hint").c_str(), gGra != nullptr && gGra->pbemEventsByAI != 0);
  RefreshPbemPlayers();

  // The minimap of the game screen is made from the scenario's picture now.
  if (gGra != nullptr && gGra->map != nullptr) {
    const std::wstring picture = gGra->loadMode == 2
                                     ? WFormat(L"data\\scenarios\\%s\\minimap.png", gGra->scenarioName.c_str())
                                     : WFormat(gGra->pathTemplate.c_str(), L"minimap.png");
    gGra->map->InitMinimap(picture);
    gConsole.AddLine(L"Minimap loaded");
  }
  AddVersionLabel(kProgramVersion);
  if (tabs != nullptr) {
    tabs->AddTab(Txt("scenario_settings_tab_countries").c_str(), nullptr, kCountryList, kVeryEasy);
    tabs->AddTab(Txt("scenario_settings_tab_pbem").c_str(), nullptr, kPbemGame, kEventsByComputer);
  }
  gConsole.AddLine(L"Tabs added");
  RefreshCountryList();
  gConsole.AddLine(L"Countries updated");
  if (auto* countries = Get<CFWListBox>(kCountryList, FWCONTROL_LISTBOX); countries != nullptr && countries->GetSize() > 0)
    countries->SelectItem(0, false);
  gConsole.AddLine(L"Country selected");
  if (auto* countries = Get<CFWListBox>(kCountryList, FWCONTROL_LISTBOX))
    selectedCountry_ = static_cast<cPanstwo*>(countries->GetSelectedData());
  RefreshCountryStats();
  RefreshCountryControls();
  SetVisible(true);
  gConsole.AddLine(L"Menu created");
}

cScenarioSettingsMenu::~cScenarioSettingsMenu() = default;

std::wstring cScenarioSettingsMenu::CountryRow(const cPanstwo& c) const {
  std::wstring controller;
  if (c.humanControlled && gGra != nullptr && gGra->pbem) {
    const sPbemPlayer* p = FindPbemPlayer(gGra->pbemPlayers, c.pbemPlayerId);
    controller = p != nullptr ? p->name : Txt("scenario_settings_human_controlled");
  } else {
    controller = Txt(c.humanControlled ? "scenario_settings_human_controlled" : "scenario_settings_ai_controlled");
  }
  return WFormat(L" %s;%s;%s", c.name.c_str(), controller.c_str(),
                 KeyText(kDifficultyKeys, 5, c.difficultyLevel).c_str());
}

void cScenarioSettingsMenu::RefreshCountryList() {
  auto* list = Get<CFWListBox>(kCountryList, FWCONTROL_LISTBOX);
  if (list == nullptr || gGra == nullptr) return;
  list->RemoveAllItems();
  std::vector<cPanstwo*> shown;
  for (cPanstwo* c : gGra->countries)
    if (c->active && c->politicalStrength != -1) shown.push_back(c);
  std::sort(shown.begin(), shown.end(), CompareCountryNames);
  for (cPanstwo* c : shown) list->AddItem(CountryRow(*c).c_str(), c);
}

void cScenarioSettingsMenu::RefreshCountryStats() {
  auto* list = Get<CFWListBox>(kStatsList, FWCONTROL_LISTBOX);
  const cPanstwo* c = selectedCountry_;
  if (list == nullptr || c == nullptr) return;
  if (auto* name = Get<CFWStatic>(kCountryName, FWCONTROL_STATIC)) name->SetText(c->name.c_str());
  if (auto* flag = Get<CFWImage>(kFlag, FWCONTROL_IMAGE)) flag->SetTexture(TextureOfHandle(c->GetFlagTexture()));
  list->RemoveAllItems();
  auto* tabs = Get<CFWTabFrame>(kStatsTabs, FWCONTROL_TABFRAME);
  const int tab = tabs != nullptr ? std::max(tabs->GetActiveTab(), 0) : 0;
  auto row = [&](const std::wstring& text) { list->AddItem(text.c_str(), nullptr); };
  auto label = [](const char* key) { return Txt(key); };
  switch (tab) {
    case kStatsGeneral:
      list->SetColumns(2, Txt("scenario_settings_country_stats_general_columns").c_str(), {60, 40});
      row(WFormat(L"%s;%i%%", label("country_stats_alliance_entry").c_str(), c->allianceEntry));
      row(WFormat(L"%s;%s", label("country_stats_alliance").c_str(), KeyText(kAllianceKeys, 7, c->alliance).c_str()));
      row(WFormat(L"%s;%s", label("country_stats_political_orientation").c_str(),
                  KeyText(kOrientationKeys, 6, c->orientation).c_str()));
      row(WFormat(L"%s;%s", label("country_stats_zone_of_influence").c_str(),
                  KeyText(kZoneKeys, 4, c->zoneOfInfluence).c_str()));
      row(WFormat(L"%s;%i", label("country_stats_political_strength").c_str(), c->politicalStrength));
      row(WFormat(L"%s;%.0f%%", label("country_stats_social_unrest").c_str(), static_cast<double>(c->socialUnrest)));
      row(WFormat(L"%s;%.0f%%", label("country_stats_war_economy").c_str(), static_cast<double>(c->warEconomy)));
      row(WFormat(L"%s;%i", label("country_stats_land_warfare_doctrine_level").c_str(), c->techLevels[2]));
      row(WFormat(L"%s;%i", label("country_stats_nuclear_bombs").c_str(), c->nuclearBombs));
      break;
    case kStatsResources:
      list->SetColumns(2, Txt("scenario_settings_country_stats_resources_columns").c_str(), {60, 40});
      row(WFormat(L"%s;%.0f", label("country_stats_production_points").c_str(), c->productionPoints));
      row(WFormat(L"%s;%s", label("country_stats_diplomacy_points").c_str(),
                  WFormat(Txt("country_stats_diplomacy_points_value").c_str(), c->diplomaticPoints, c->dpGrowthPerMonth)
                      .c_str()));
      row(WFormat(L"%s;%i", label("country_stats_strategic_movement_points").c_str(), c->strategicMovementPoints));
      row(WFormat(L"%s;%i", label("country_stats_sea_transport_points").c_str(), c->seaTransportPoints));
      row(WFormat(L"%s;%i", label("country_stats_amphibious_invasion_points").c_str(), c->amphibiousPoints));
      break;
    case kStatsUnits: {
      list->SetColumns(3, Txt("scenario_settings_country_stats_units_columns").c_str(), {50, 25, 25});
      sUnitStatistics stats;
      c->GatherUnitStatistics(stats);
      // The rows follow the subtypes in type order: the second block, whose
      // row holds the pair on the map, in reserve.
      for (int i = 0; i < sUnitStatistics::kRows; ++i) {
        const int* pair = &stats.counters[sUnitStatistics::kSecondBlock + 2 * i];
        row(WFormat(L"%s;%i;%i", cJednostka::GetSubtypeName(kStatsSubtypes[i]).c_str(), pair[0], pair[1]));
      }
      break;
    }
    default: {
      list->SetColumns(2, Txt("scenario_settings_country_stats_technology_columns").c_str(), {60, 40});
      const char* const keys[6] = {"country_stats_technology_artillery",  "country_stats_technology_tanks",
                                   "country_stats_technology_aircrafts",  "country_stats_technology_submarines",
                                   "country_stats_technology_warships",   "country_stats_technology_nuclear_bomb"};
      const int levels[6] = {c->techLevels[0], c->techLevels[1], c->techLevels[3],
                             c->techLevels[4], c->techLevels[5], c->techLevels[6]};
      for (int i = 0; i < 6; ++i) row(WFormat(L"%s;%i", label(keys[i]).c_str(), levels[i]));
      break;
    }
  }
}

void cScenarioSettingsMenu::RefreshCountryControls() {
  const cPanstwo* c = selectedCountry_;
  auto* tabs = Get<CFWTabFrame>(kTabs, FWCONTROL_TABFRAME);
  if (c == nullptr || (tabs != nullptr && tabs->GetActiveTab() > 0)) return;
  for (int id : {kComputer, kHuman, kVeryHard, kHard, kNormal, kEasy, kVeryEasy})
    if (CFWControl* ctl = GetControl(id)) ctl->SetVisible(true);
  const bool pbem = gGra != nullptr && gGra->pbem != 0;
  if (auto* r = Get<CFWRadioButton>(c->humanControlled ? kHuman : kComputer, FWCONTROL_RADIOBUTTON))
    r->SetCheckedInternal(true, true, false, false);
  if (CFWControl* combo = GetControl(kPbemPlayer)) combo->SetVisible(c->humanControlled && pbem);
  if (auto* r = Get<CFWRadioButton>(kVeryHard + std::clamp(c->difficultyLevel, 0, 4), FWCONTROL_RADIOBUTTON))
    r->SetCheckedInternal(true, true, false, false);
}

void cScenarioSettingsMenu::ApplyCountryControls() {
  cPanstwo* c = selectedCountry_;
  if (c == nullptr || gGra == nullptr) return;
  const auto* human = Get<CFWRadioButton>(kHuman, FWCONTROL_RADIOBUTTON);
  auto* combo = Get<CFWComboBox>(kPbemPlayer, FWCONTROL_COMBOBOX);
  if (human != nullptr && human->GetChecked()) {
    c->humanControlled = 1;
    if (gGra->pbem && combo != nullptr) {
      combo->SetVisible(true);
      if (const auto* p = static_cast<const sPbemPlayer*>(combo->GetSelectedData())) c->pbemPlayerId = p->number;
    }
  } else {
    if (combo != nullptr) combo->SetVisible(false);
    c->humanControlled = 0;
  }
  for (int i = 0; i < 5; ++i)
    if (const auto* r = Get<CFWRadioButton>(kVeryHard + i, FWCONTROL_RADIOBUTTON); r != nullptr && r->GetChecked())
      c->difficultyLevel = i;
  auto* list = Get<CFWListBox>(kCountryList, FWCONTROL_LISTBOX);
  if (list != nullptr && list->GetSelectedIndex() >= 0) list->SetItemText(list->GetSelectedIndex(), CountryRow(*c).c_str());
}

void cScenarioSettingsMenu::RefreshPbemPlayers() {
  auto* list = Get<CFWListBox>(kPlayers, FWCONTROL_LISTBOX);
  auto* combo = Get<CFWComboBox>(kPbemPlayer, FWCONTROL_COMBOBOX);
  if (list == nullptr || combo == nullptr || gGra == nullptr) return;
  list->RemoveAllItems();
  combo->RemoveAllItems();
  for (sPbemPlayer& p : gGra->pbemPlayers) {
    list->AddItem(WFormat(L"%s;%s", p.name.c_str(), p.email.c_str()).c_str(), &p);
    combo->AddItem(p.name.c_str(), &p);
  }
  list->AddItem(Txt("scenario_settings_pbem_player_new").c_str(), nullptr);
  selectedPlayer_ = nullptr;
}

void cScenarioSettingsMenu::ResetCountryControl() {
  if (gGra == nullptr) return;
  for (cPanstwo* c : gGra->countries) {
    c->humanControlled = 0;
    c->pbemPlayerId = 0;
  }
  RefreshCountryList();
}

void cScenarioSettingsMenu::OnEvent(UINT, int controlId, CFWControl*) {
  if (gGra == nullptr) return;
  switch (controlId) {
    case kCountryList:
    case kStatsTabs: {
      if (auto* list = Get<CFWListBox>(kCountryList, FWCONTROL_LISTBOX))
        selectedCountry_ = static_cast<cPanstwo*>(list->GetSelectedData());
      RefreshCountryStats();
      RefreshCountryControls();
      break;
    }
    case kComputer:
    case kHuman:
    case kPbemPlayer:
    case kVeryHard:
    case kHard:
    case kNormal:
    case kEasy:
    case kVeryEasy:
      ApplyCountryControls();
      break;
    case kPbemGame: {
      const auto* box = Get<CFWCheckBox>(kPbemGame, FWCONTROL_CHECKBOX);
      const bool on = box != nullptr && box->GetChecked();
      SetControlEnabled(kPbemPlayer, on);
      gGra->pbem = on ? 1 : 0;
      ResetCountryControl();
      break;
    }
    case kEventsByComputer: {
      const auto* box = Get<CFWCheckBox>(kEventsByComputer, FWCONTROL_CHECKBOX);
      gGra->pbemEventsByAI = box != nullptr && box->GetChecked() ? 1 : 0;
      break;
    }
    case kPlayers: {
      auto* list = Get<CFWListBox>(kPlayers, FWCONTROL_LISTBOX);
      selectedPlayer_ = list != nullptr ? static_cast<sPbemPlayer*>(list->GetSelectedData()) : nullptr;
      auto* name = Get<CFWEditBox>(kPlayerName, FWCONTROL_EDITBOX);
      auto* email = Get<CFWEditBox>(kPlayerEmail, FWCONTROL_EDITBOX);
      if (name != nullptr) name->SetText(selectedPlayer_ != nullptr ? selectedPlayer_->name.c_str() : L"new player name");
      if (email != nullptr) email->SetText(selectedPlayer_ != nullptr ? selectedPlayer_->email.c_str() : kNewPlayerEmail);
      SetControlEnabled(kRemovePlayer, selectedPlayer_ != nullptr);
      break;
    }
    case kSavePlayer: {
      const auto* name = Get<CFWEditBox>(kPlayerName, FWCONTROL_EDITBOX);
      const auto* email = Get<CFWEditBox>(kPlayerEmail, FWCONTROL_EDITBOX);
      const std::wstring n = name != nullptr ? name->GetText().substr(0, sPbemPlayer::kMaxTextLength) : L"";
      const std::wstring e = email != nullptr ? email->GetText().substr(0, sPbemPlayer::kMaxTextLength) : L"";
      if (selectedPlayer_ != nullptr) {
        selectedPlayer_->name = n;
        selectedPlayer_->email = e;
      } else {
        // One above the highest number: a removed player's number is never
        // shared by two remaining ones.
        sPbemPlayer p;
        p.number = static_cast<int32_t>(NextPbemPlayerNumber(gGra->pbemPlayers));
        p.name = n;
        p.email = e;
        gGra->pbemPlayers.push_back(p);
      }
      RefreshPbemPlayers();
      RefreshCountryList();
      break;
    }
    case kRemovePlayer:
      if (selectedPlayer_ != nullptr) {
        const int number = selectedPlayer_->number;
        auto& players = gGra->pbemPlayers;
        auto it = std::find_if(players.begin(), players.end(), [number](const sPbemPlayer& p) { return p.number == number; });
        if (it != players.end()) players.erase(it);
        for (cPanstwo* c : gGra->countries)
          if (c->pbemPlayerId == number) c->pbemPlayerId = 0;
        RefreshPbemPlayers();
        RefreshCountryList();
      }
      break;
    case kProgramVersion:
      cMapa::LoadFromFile(gGra->pathTemplate);
      break;
    case kWriteEventsAsText:
      if (gGra->events != nullptr) gGra->events->WriteAllEventsAsText();
      break;
    case kBack:
      BackToScenarioMenu();
      break;
    case kOk:
      OnOk();
      break;
    default:
      break;
  }
}

void cScenarioSettingsMenu::OnOk() {
  if (gGra == nullptr) return;
  sStartChoices choices;
  const auto* pbem = Get<CFWCheckBox>(kPbemGame, FWCONTROL_CHECKBOX);
  const auto* events = Get<CFWCheckBox>(kEventsByComputer, FWCONTROL_CHECKBOX);
  const auto* name = Get<CFWEditBox>(kPbemName, FWCONTROL_EDITBOX);
  choices.pbemGame = pbem != nullptr && pbem->GetChecked();
  choices.eventsByComputer = events != nullptr && events->GetChecked();
  choices.pbemName = name != nullptr ? name->GetText() : L"";
  choices.gameFolder = std::filesystem::current_path().wstring();
  sStartRefusal refusal;
  if (!RunStartChecks(*gGra, choices, refusal)) {
    PushDialog(new (std::nothrow) cDialogTekstowy(refusal.text, refusal.caption, kMessageLayoutBase), 0);
    return;
  }
  StartGame();
}

void cScenarioSettingsMenu::OnKeyboard(UINT key, bool keyDown, bool) {
  if (key == 27 && keyDown) BackToScenarioMenu();
}

void cScenarioSettingsMenu::OnRender(float elapsed) { RenderWithWallpaper(gScenarioSettingsWallpaper, elapsed); }

void cScenarioSettingsMenu::BackToScenarioMenu() {
  EndGameAndReleasePictures();
  auto* menu = new cScenarioMenu();
  gCurrentMenu = menu;
  menu->FillScenarioList();
  gScenarioSettingsWallpaper.Release();
}

void cScenarioSettingsMenu::StartGame() {
  gScenarioSettingsWallpaper.Release();
  StartGameScreen();
}
