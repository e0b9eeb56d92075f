#include "screens/game/panels/hex_panel.h"

#include "core/console.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/supply.h"
#include "gui/fw_editbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/info_panel.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

constexpr int kIconSide = 40;
constexpr int kWeatherSourceRow = 11;

// Harbour price (constant 135, first value).
double HarbourCost(const cPanstwo& c) { return c.consts.c135[0]; }

const char* const kTerrainKeys[] = {"hex_panel_additional_info_water",  "hex_panel_additional_info_plain",
                                    "hex_panel_additional_info_forest", "hex_panel_additional_info_rough",
                                    "hex_panel_additional_info_swamp",  "hex_panel_additional_info_hill",
                                    "hex_panel_additional_info_mountain", "hex_panel_additional_info_desert"};

}  // namespace

std::wstring FormatHarbourName(const std::wstring& pattern, int number) {
  // The template is scenario data: only its first integer conversion is
  // filled, so that no other '%' can read an argument that is not there.
  std::wstring out;
  bool filled = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size()) {
      const wchar_t next = pattern[i + 1];
      if (next == L'%') {
        out += L'%';
        ++i;
        continue;
      }
      if (!filled && (next == L'i' || next == L'd')) {
        out += std::to_wstring(number);
        filled = true;
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out.substr(0, cUnit::kMaxNameLength);
}

cHexPanel::cHexPanel()
    : cPanel(kFrame, GuiRect(kFrame).x, GuiRect(kFrame).y, GuiRect(kFrame).w, GuiRect(kFrame).h) {
  CFWDialog& d = m_GuiDialog;
  const struct {
    int label, box;
    const char* key;
  } rows[] = {{kNameLabel, kName, "hex_panel_name"},
              {kInfoLabel, kInfo, "hex_panel_additional_info"},
              {kSupplyLabel, kSupply, "hex_panel_supply"},
              {kVictoryLabel, kVictory, "hex_panel_victory_points"},
              {kProductionLabel, kProduction, "hex_panel_production_points"},
              {kControllerLabel, kController, "hex_panel_controller"},
              {kOwnerLabel, kOwner, "hex_panel_owner"},
              {kFortLabel, kFort, "hex_panel_fortification"},
              {kWeatherLabel, kWeather, "hex_panel_weather"}};
  for (const auto& r : rows) {
    const std::string hint = std::string(r.key) + "_hint";
    AddEditBoxWithLabel(&d, r.box, L"-", Txt(hint).c_str(), r.label, Txt(r.key).c_str());
  }
  const sGuiRect r = GuiRect(kHarbour);
  d.AddIcon(kHarbour, 1280, 345, 1280 + kIconSide, 345 + kIconSide, r.x, r.y, r.w, r.h, 0, false);
}

void cHexPanel::Set(int id, const std::wstring& text) {
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) box->SetText(text.c_str());
  else if (auto* s = m_GuiDialog.Get<CFWStatic>(id, FWCONTROL_STATIC)) s->SetText(text.c_str());
}

std::wstring cHexPanel::Text(int id) {
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) return box->GetText();
  if (auto* s = m_GuiDialog.Get<CFWStatic>(id, FWCONTROL_STATIC)) return s->GetText();
  return {};
}

std::wstring cHexPanel::Hint(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetHint() != nullptr ? std::wstring(c->GetHint()) : std::wstring();
}

bool cHexPanel::Enabled(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetEnabled();
}

bool cHexPanel::CanBuildHarbour(const sHex& hex, const cPanstwo& acting, std::wstring& hint) {
  const cPanstwo* controller = hex.GetControllerCountry();
  if (hex.terrain == kTerrainSea) {
    hint = Txt("hexpanel_mulberry_hint_not_land_hex");
  } else if (hex.coastal == 0) {
    hint = Txt("hexpanel_mulberry_hint_not_coastal_hex");
  } else if (hex.unit != nullptr) {
    hint = Txt("hexpanel_mulberry_hint_occupied");
  } else if (controller == nullptr ||
             (controller->id != acting.id &&
              (gGra->relations.IsAtWar(controller->id, acting.id) != 0 || !acting.IsAlly(controller->id)))) {
    hint = Txt("hexpanel_mulberry_hint_not_friendly_hex");
  } else if (HarbourCost(acting) > acting.productionPoints) {
    hint = WFormat(Txt("hexpanel_mulberry_hint_not_enough_pp").c_str(), HarbourCost(acting));
  } else {
    hint = WFormat(Txt("hexpanel_mulberry_hint").c_str());
    return true;
  }
  return false;
}

void cHexPanel::Refresh() {
  const sHex* hex = gGra != nullptr ? gGra->selection.selectedHex : nullptr;
  CFWImage* weatherImage =
      gInfoPanel != nullptr ? gInfoPanel->Gui().Get<CFWImage>(kInfoWeatherImage, FWCONTROL_IMAGE) : nullptr;
  if (hex == nullptr) {
    for (int id : {kName, kInfo, kSupply, kProduction, kVictory, kController, kOwner, kFort, kWeather}) Set(id, L"-");
    Set(kNameLabel, L"-");
    m_GuiDialog.SetControlEnabled(kHarbour, false);
    if (weatherImage != nullptr) weatherImage->SetVisible(false);
    return;
  }
  const cGra& g = *gGra;
  const cPanstwo* controller = hex->GetControllerCountry();
  if (const cMiasto* city = hex->city) {
    const std::wstring production = WFormat(L"%.1f/%.1f", static_cast<double>(city->productionPoints),
                                            static_cast<double>(city->productionPoints) + city->bombardmentLosses);
    const std::wstring victory = WFormat(L"%i", city->victoryPoints);
    // A city without a controller has nobody's supply to show.
    const std::wstring mainSupply =
        controller != nullptr ? WFormat(Txt("hex_panel_supply_main_source").c_str(), supply_values::SupplyRange(*controller))
                              : L"-";
    const std::wstring citySupply =
        controller != nullptr ? WFormat(L"%i (%i)", city->GetSupplyFor(controller->id), city->supply) : L"-";
    const sWezelGrafuMorz* node = hex->seaNodeMarker != 0 ? g.seaGraph.FindNode(hex->seaNodeMarker) : nullptr;
    const std::wstring portName = WFormat(Txt("hex_panel_city_name_port").c_str(), city->name.c_str(),
                                          node != nullptr ? node->currentSize : 0);
    switch (city->type) {
      case kCitySupply:
      case kCityRegular:
        Set(kNameLabel, Txt("hex_panel_name_city"));
        Set(kName, city->name);
        Set(kSupply, city->type == kCitySupply ? mainSupply : citySupply);
        Set(kProduction, production);
        Set(kVictory, victory);
        break;
      case kCitySupplyPort:
      case kCityPort:
        Set(kNameLabel, Txt("hex_panel_name_port"));
        Set(kName, portName);
        Set(kSupply, city->type == kCitySupplyPort ? mainSupply : citySupply);
        Set(kProduction, production);
        Set(kVictory, victory);
        break;
      case kCityResources:
        Set(kNameLabel, Txt("hex_panel_name_resources"));
        Set(kName, city->name);
        Set(kSupply, L"-");
        Set(kProduction, WFormat(L"%.1f", static_cast<double>(city->productionPoints)));
        Set(kVictory, victory);
        break;
      default:
        break;
    }
  } else if (hex->seaZone > 0) {
    const sWezelGrafuMorz* node = g.seaGraph.FindNode(hex->seaZone);
    Set(kNameLabel, Txt("hex_panel_name_sea_zone"));
    Set(kName, node != nullptr ? node->name : L"-");
    for (int id : {kSupply, kProduction, kVictory}) Set(id, L"-");
  } else {
    Set(kNameLabel, L"-");
    for (int id : {kName, kSupply, kProduction, kVictory}) Set(id, L"-");
  }
  const cPanstwo* owner = hex->owner != 0 ? g.GetCountry(hex->owner) : nullptr;
  Set(kController, controller != nullptr ? controller->name : L"-");
  Set(kOwner, owner != nullptr ? owner->name : L"-");
  Set(kFort, hex->fort > 0 ? WFormat(L"%i", hex->fort) : L"-");
  if (hex->terrain != kTerrainSea) {
    static const char* const kWeatherKeys[] = {"weather_good", "weather_snow", "weather_mud"};
    if (hex->weather <= 2) Set(kWeather, Txt(kWeatherKeys[hex->weather]));
    if (weatherImage != nullptr) {
      const sGuiRect r = GuiRect(kWeatherSourceRow);
      const int k = hex->weather == kWeatherWinter ? 1 : (hex->weather == kWeatherMud ? 2 : 0);
      weatherImage->SetVisible(true);
      weatherImage->m_rcSource = RECT{r.x, r.y + k * r.h, r.x + r.w, r.y + (k + 1) * r.h};
    }
  } else {
    Set(kWeather, L"-");
  }
  Set(kInfo, WFormat(Txt(hex->terrain < 8 ? kTerrainKeys[hex->terrain] : "hex_panel_additional_info_unknown").c_str(),
                     hex->x, hex->y));
  std::wstring hint;
  const cPanstwo* acting = g.selection.currentCountry;
  const bool can = acting != nullptr && CanBuildHarbour(*hex, *acting, hint);
  m_GuiDialog.SetControlEnabled(kHarbour, can);
  if (CFWControl* icon = m_GuiDialog.GetControl(kHarbour)) icon->SetHint(hint.c_str());
}

void cHexPanel::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId != kHarbour || gGra == nullptr) return;
  cGra& g = *gGra;
  sHex* hex = g.selection.selectedHex;
  cPanstwo* acting = g.selection.currentCountry;
  if (hex == nullptr || acting == nullptr) return;
  // The icon may still show the state before the last build: the hex must
  // be free and the harbour paid for now.
  std::wstring hint;
  if (!CanBuildHarbour(*hex, *acting, hint)) {
    Refresh();
    return;
  }
  cPanstwo* c = hex->GetControllerCountry();
  auto* h = new cMulberry();
  h->countryId = c->id;
  h->x = hex->x;
  h->y = hex->y;
  h->SetType(kTypeMulberry);
  const wchar_t* pattern = acting->GetNamePart(kTypeMulberry);
  h->SetName(FormatHarbourName(pattern != nullptr ? pattern : L"", Rand() % 90 + 10));
  h->level = 1;
  h->strength = static_cast<int32_t>(c->consts.newMulberryStrength);
  h->monthsLeft = static_cast<int32_t>(c->consts.newMulberryMonths);
  h->commander = nullptr;
  h->SetSupplyLevel(supply_values::SupplyRange(*c));
  h->UpdateEffectiveness();
  h->aiTargetX = h->aiTargetY = -1;
  h->SetActionPoints(0);
  g.landUnits.push_back(h);
  hex->unit = h;
  acting->ChangeProductionPoints(-HarbourCost(*c));
  // A new unit starts unseen: the acting country sees its own and allied ones.
  acting->RecalculateUnitsVisibility(acting->id);
  LogF(L"Artificial harbour built at (%i, %i) for %s", static_cast<int>(hex->x), static_cast<int>(hex->y),
       c->name.c_str());
  Refresh();
}
