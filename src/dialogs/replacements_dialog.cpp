#include "dialogs/replacements_dialog.h"

#include <algorithm>
#include <cmath>

#include "core/console.h"
#include "core/front_end.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/sound.h"
#include "gui/fw_editbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "units/air_values.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// Replacement caps by supply level: derived supply tables 4 (land) and 5 (air).
int ReplacementLimit(const sConsts& c, bool land, int supply) {
  return c.supplyTable[land ? 4 : 5][std::clamp(supply, 0, kSupplyLevelCount - 1)];
}

}  // namespace

float ReplacementCostFactor(const sConsts& c, const cJednostka& unit) {
  if (unit.category == kCategoryLand) return (unit.type >= 0 && unit.type < 7) ? c.c079[unit.type] : 0.0f;
  if (unit.category == kCategoryAir) return c.c081[air_values::TypeIndex(unit.type)];
  return 0.0f;
}

cDialogUzupelnien::cDialogUzupelnien(cJednostka* unit)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h), unit_(unit) {
  LogLine(Txt("constructing_replacements_dialog..."));
  if (unit_ == nullptr) FatalExit(L"Critical error: cannot create replacements dialog - unit is NULL. Exiting.", 1);
  const cPanstwo* country = unit_->GetCountry();
  const bool land = unit_->category == kCategoryLand;
  const int strength = unit_->GetStrength();
  int limit = 0;
  if (country != nullptr) {
    const sConsts& k = country->consts;
    const float level = static_cast<float>(unit_->level - 1);
    const sHex* hex = gGra != nullptr && gGra->map != nullptr ? gGra->map->GetHex(unit_->x, unit_->y) : nullptr;
    // A country outside every alliance is nobody's ally, not even its own:
    // its own ground counts as friendly all the same.
    const bool allied = hex != nullptr && (hex->owner == country->id || country->IsAlly(hex->owner));
    limit = ReplacementLimit(k, land, unit_->supply);
    if (land) {
      const float base = unit_->GetUnitCost() * ReplacementCostFactor(k, *unit_) / 100.0f;
      cost_ = base * (1.0f + static_cast<float>(k.c082) * level / 100.0f);
      if (!allied) limit = std::min(limit, 20);
      limit = std::min(limit, 100 - strength);
    } else {
      cost_ = ReplacementCostFactor(k, *unit_) * (1.0f + static_cast<float>(k.c083) * level / 100.0f);
      if (!allied) limit = std::min(limit, static_cast<int>(unit_->GetUnitCost() / 5.0f));
      limit = std::min(limit, static_cast<int>(unit_->GetUnitCost() - static_cast<float>(strength)));
    }
    // A free point would make every amount affordable: only a price buys.
    const int affordable = cost_ > 0.0f ? static_cast<int>(country->productionPoints / cost_) : 0;
    maximum_ = std::max(0, std::min(limit, affordable));
  }

  CFWDialog& d = m_GuiDialog;
  CFWStatic* s = nullptr;
  d.AddStatic(kTitle, WFormat(Txt("unit_replacement_title").c_str(), unit_->name.c_str()).c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  const struct {
    int label, box;
    const char* key;
  } rows[] = {{kStrengthLabel, kStrength, "unit_replacement_strength_after"},
              {kCostLabel, kCost, "unit_replacement_cost"},
              {kAvailableLabel, kAvailable, "unit_replacement_pp_available"}};
  for (const auto& r : rows) {
    const std::string hint = std::string(r.key) + "_hint";
    if (CFWStatic* l = AddEditBoxWithLabel(&d, r.box, L"-", Txt(hint).c_str(), r.label, Txt(r.key).c_str()))
      l->SetHint(Txt(hint).c_str());
  }
  d.AddSlider(kSlider, 0, maximum_, 0);
  d.AddButton(kMax, Txt("unit_replacement_max").c_str(), Txt("unit_replacement_max_hint").c_str());
  d.AddButton(kOk, Txt("unit_replacement_ok").c_str(), Txt("unit_replacement_ok_hint").c_str());
  d.AddButton(kCancel, Txt("unit_replacement_cancel").c_str(), Txt("unit_replacement_cancel_hint").c_str());
  RefreshTexts();
}

int cDialogUzupelnien::Points() {
  auto* slider = m_GuiDialog.Get<CFWSlider>(kSlider, FWCONTROL_SLIDER);
  return slider != nullptr ? slider->GetValue() : 0;
}

std::wstring cDialogUzupelnien::Text(int id) {
  auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX);
  return box != nullptr ? box->GetText() : std::wstring();
}

void cDialogUzupelnien::RefreshTexts() {
  const int n = Points();
  const cPanstwo* country = unit_->GetCountry();
  std::wstring strength;
  if (unit_->category == kCategoryLand) {
    const float perPoint = country != nullptr ? land_tables::UnitCost(country->consts, unit_->level, unit_->type) : 0.0f;
    strength = WFormat(L"%.2f (%i%%)", unit_->GetStrengthValue() + perPoint * static_cast<float>(n) / 100.0f,
                       unit_->GetStrength() + n);
  } else {
    strength = WFormat(L"%i", unit_->GetStrength() + n);
  }
  auto set = [this](int id, const std::wstring& text) {
    if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) box->SetText(text.c_str());
  };
  set(kStrength, strength);
  set(kCost, WFormat(Txt("%.2f_pp").c_str(), static_cast<double>(cost_ * static_cast<float>(n))));
  set(kAvailable, WFormat(Txt("%.2f_pp").c_str(), country != nullptr ? country->productionPoints : 0.0));
}

void cDialogUzupelnien::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  auto enabled = [this](int id) {
    CFWControl* c = m_GuiDialog.GetControl(id);
    return c != nullptr && c->GetEnabled();
  };
  if (key == 13 && enabled(kOk)) {
    PressButton(kOk);
  } else if (key == 27) {
    PressButton(kCancel);
  } else if (key == 77 && enabled(kMax)) {
    PressButton(kMax);
    m_GuiDialog.EnableNonUserEvents(false);
  }
}

void cDialogUzupelnien::OnEvent(UINT event, int controlId, CFWControl* control) {
  switch (controlId) {
    case kSlider:
      RefreshTexts();
      return;
    case kMax:
      if (auto* slider = m_GuiDialog.Get<CFWSlider>(kSlider, FWCONTROL_SLIDER))
        slider->SetValueInternal(maximum_, false, true);
      RefreshTexts();
      return;
    case kOk:
      if (const int n = std::min(Points(), maximum_); n > 0) {
        unit_->SetActionPoints(0);
        unit_->AddStrength(n);
        unit_->moveList.clear();
        if (cPanstwo* country = unit_->GetCountry())
          country->ChangeProductionPoints(-static_cast<double>(cost_ * static_cast<float>(n)));
      }
      [[fallthrough]];
    case kCancel:
      if (m_pAnswerTarget != nullptr) {
        // The opener hears the answer as a click of the user's, sound included,
        // also when OK or Cancel was pressed from the keyboard.
        PlayControlSound(event, controlId, control != nullptr ? control : m_GuiDialog.GetControl(controlId));
        m_pAnswerTarget->OnEvent(event, controlId, control);
      }
      CloseDialogs(1);
      return;
    default:
      return;
  }
}
