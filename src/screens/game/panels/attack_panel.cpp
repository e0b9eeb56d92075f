#include "screens/game/panels/attack_panel.h"

#include "core/shared_records.h"
#include "core/string_table.h"
#include "core/text.h"
#include "framework/texture_handles.h"
#include "gui/fw_editbox.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/selection.h"

cAttackPanel::cAttackPanel()
    : cPanel(kFrame, GuiRect(kFrame).x, GuiRect(kFrame).y, GuiRect(kFrame).w, GuiRect(kFrame).h) {
  CFWDialog& d = m_GuiDialog;
  auto box = [&d](int edit, int label, const char* key, const wchar_t* start) {
    const std::string hint = std::string(key) + "_hint";
    AddEditBoxWithLabel(&d, edit, start, Txt(hint).c_str(), label, Txt(key).c_str());
  };
  auto flag = [&d](int id) {
    const sGuiRect r = GuiRect(id);
    CFWImage* img = nullptr;
    d.AddImage(id, nullptr, 0, 0, 128, 85, r.x, r.y, r.w, r.h, 0, false, &img);
    if (img != nullptr) img->SetVisible(false);
  };
  AddMemoWithLabel(&d, kAttNames, L"", kAttNameLabel, Txt("attack_panel_att_name").c_str());
  flag(kAttFlag);
  box(kAttStrength, kAttStrengthLabel, "attack_panel_att_strength", L"-");
  box(kAttMod, kAttModLabel, "attack_panel_att_mod", L"");
  box(kAttEffective, kAttEffectiveLabel, "attack_panel_att_effective_strength", L"-");
  box(kDefName, kDefNameLabel, "attack_panel_def_name", L"");
  if (auto* name = d.Get<CFWEditBox>(kDefName, FWCONTROL_EDITBOX)) name->m_dwDisabledFormat = DT_LEFT;
  flag(kDefFlag);
  box(kDefStrength, kDefStrengthLabel, "attack_panel_def_strength", L"-");
  box(kDefMod, kDefModLabel, "attack_panel_def_mod", L"");
  box(kDefEffective, kDefEffectiveLabel, "attack_panel_def_effective_strength", L"-");
  box(kColumn, kColumnLabel, "attack_panel_def_column", L"-");
}

void cAttackPanel::Set(int id, const std::wstring& text) {
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) box->SetText(text.c_str());
  else if (auto* memo = m_GuiDialog.Get<CFWMemo>(id, FWCONTROL_MEMO)) memo->SetText(text.c_str());
}

void cAttackPanel::SetHintOf(int id, const std::wstring& hint) {
  if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetHint(hint.c_str());
}

std::wstring cAttackPanel::Text(int id) {
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) return box->GetText();
  if (auto* memo = m_GuiDialog.Get<CFWMemo>(id, FWCONTROL_MEMO)) return memo->GetText();
  return {};
}

std::wstring cAttackPanel::Hint(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetHint() != nullptr ? std::wstring(c->GetHint()) : std::wstring();
}

bool cAttackPanel::Visible(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetVisible();
}

void cAttackPanel::Refresh() {
  attack_ = gGra != nullptr ? gGra->selection.attack : nullptr;
  const sAtak* a = attack_;
  auto showFlag = [this](int id, const cPanstwo* country) {
    auto* img = m_GuiDialog.Get<CFWImage>(id, FWCONTROL_IMAGE);
    if (img == nullptr) return;
    img->SetVisible(country != nullptr);
    if (country == nullptr) return;
    img->SetTexture(TextureOfHandle(country->GetFlagTexture()));
    img->SetHint(country->name.c_str());
  };
  const bool attackers = a != nullptr && a->CountAttackers() > 0;
  if (attackers) {
    std::wstring names;
    for (const cJednostka* u : a->attackers) {
      if (u == nullptr) continue;
      if (!names.empty()) names += L",\n";
      names += u->name;
    }
    Set(kAttNames, names);
    showFlag(kAttFlag, a->GetAttackerCountry());
    const float strength = a->GetAttackStrength(), mod = a->GetAttackModifier();
    Set(kAttStrength, WFormat(L"%.2f", strength));
    Set(kAttMod, WFormat(L"%.0f%%", mod * 100.0f));
    SetHintOf(kAttMod, WFormat(L"Armour: %.0f%%\nDirections: %.0f%%\nWeather: %.0f%%\nFortification: %.0f%%",
                               a->GetArmourModifier() * 100.0f, a->GetAttackSidesModifier() * 100.0f,
                               a->GetAttackerWeatherModifier() * 100.0f, a->GetFortificationModifier() * 100.0f));
    Set(kAttEffective, WFormat(L"%.2f", strength * mod));
  } else {
    Set(kAttNames, L"");
    showFlag(kAttFlag, nullptr);
    Set(kAttStrength, L"-");
    Set(kAttMod, L"-");
    SetHintOf(kAttMod, L"");
    Set(kAttEffective, L"-");
  }
  const bool defender = a != nullptr && a->defender != nullptr;
  if (defender) {
    Set(kDefName, a->defender->name);
    showFlag(kDefFlag, a->defender->GetCountry());
    const float strength = a->GetDefenceStrength(), mod = a->GetDefenceModifier();
    Set(kDefStrength, WFormat(L"%.2f", strength));
    Set(kDefMod, WFormat(L"%.0f%%", mod * 100.0f));
    SetHintOf(kDefMod, WFormat(L"Terrain: %.0f%%\nCity: %.0f%%\nWeather: %.0f%%\nEntrenchment: %.0f%%",
                               a->GetTerrainModifier() * 100.0f, a->GetCityModifier() * 100.0f,
                               a->GetWeatherModifier() * 100.0f, a->GetEntrenchmentModifier() * 100.0f));
    Set(kDefEffective, WFormat(L"%.2f", strength * mod));
  } else {
    Set(kDefName, L"");
    showFlag(kDefFlag, nullptr);
    Set(kDefStrength, L"-");
    Set(kDefMod, L"-");
    SetHintOf(kDefMod, L"");
    Set(kDefEffective, L"-");
  }
  Set(kColumn, attackers && defender ? WFormat(L"%i : 1", a->ComputeOddsColumn()) : L"-");
}
