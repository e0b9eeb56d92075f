// Airborne assault: the hexes a parachute unit may be dropped on, and the
// drop, whose losses depend on the air situation over the target.
#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

constexpr uint32_t kMarkDropLastPoint = 16;
constexpr uint32_t kMarkDrop = 4;

// The country whose turn it is; the unit's owner when none is known.
cPanstwo* CountryToMove(const cUnit& unit) {
  if (gGra != nullptr && gGra->selection.currentCountry != nullptr) return gGra->selection.currentCountry;
  return unit.GetCountry();
}

const char* ActivityWord(int activity) {
  static const char* const kWords[6] = {"none", "very_low", "low", "medium", "high", "very_high"};
  return kWords[std::clamp(activity, 1, 6) - 1];
}

const char* LossWord(int losses) {
  if (losses == 0) return "none";
  if (losses < 33) return "light";
  if (losses < 66) return "medium";
  return "high";
}

}  // namespace

int cJednostkaLadowa::MarkAirborneAssaultHexes() {
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  const cPanstwo* mover = CountryToMove(*this);
  if (map == nullptr || !map->IsInside(x, y)) return 0;
  const sConsts& c = unit_rules::ConstsOf(*this);
  const cPanstwo* owner = GetCountry();
  const int tech = owner != nullptr ? owner->techLevels[3] : 0;
  const int range = air_values::AirborneRange(c, tech);
  const uint32_t mark = actionPoints <= 1 ? kMarkDropLastPoint : kMarkDrop;
  const int country = mover != nullptr ? mover->id : countryId;
  int count = 0;
  // A hex within range lies at most range columns and range rows away.
  for (int hy = std::max(0, y - range); hy <= std::min(map->GetHeight() - 1, y + range); ++hy) {
    for (int hx = std::max(0, x - range); hx <= std::min(map->GetWidth() - 1, x + range); ++hx) {
      if (HexDistance(x, y, hx, hy) > range) continue;
      sHex* hex = map->GetHex(hx, hy);
      if (!hex->IsEnterableBy(country)) continue;
      hex->SetMark(mark, -1);
      ++count;
    }
  }
  return count;
}

bool cJednostkaLadowa::AirborneAssault(int hx, int hy, std::wstring& text, int* landed) {
  if (landed != nullptr) *landed = 1;
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  sHex* target = map != nullptr && map->IsInside(hx, hy) ? map->GetHex(hx, hy) : nullptr;
  // A unit hidden by the fog of war leaves its hex open to the drop; landing
  // there would lose it from the map.
  if (target == nullptr || target->IsSea() || (target->unit != nullptr && target->unit != this)) {
    LogF(L"WARNING: airborne unit %s cannot be dropped on hex (%i, %i): off the map, sea or taken", name.c_str(), hx,
         hy);
    return false;
  }
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\Paradrop.wav");
  const cPanstwo* mover = CountryToMove(*this);
  const float ratio = mover != nullptr ? AirSuperiorityRatio(*mover, hx, hy) : -1.0f;

  auto landOnTarget = [&]() {
    cGameLockGuard lock(__FILE__, __LINE__);
    if (map->IsInside(x, y) && map->GetHex(x, y)->unit == this) map->GetHex(x, y)->unit = nullptr;
    x = hx;
    y = hy;
    target->unit = this;
    const cPanstwo* owner = GetCountry();
    if (owner != nullptr && owner->IsAtWarWith(target->controller)) target->SetController(countryId);
    actionPoints -= 1;
  };

  if (ratio == -1.0f) {
    text += Txt("enemy_has_no_air_forces_over_this_hexlanding_was_successful");
    landOnTarget();
  } else {
    const char* key = nullptr;
    int modifier = 0;
    const double r = ratio;
    if (r < 1.0 / 3.0) {
      key = "enemy_has_total_air_superiority_over_target_hex";
      modifier = 2;
    } else if (r < 0.5) {
      key = "enemy_has_an_air_superiority_over_target_hex";
      modifier = 1;
    } else if (r < 2.0) {
      key = "neither_side_has_an_air_superiority_over_target_hex";
    } else if (r < 3.0) {
      key = "you_have_an_air_superiority_over_target_hex";
      modifier = -1;
    } else {
      key = "you_have_total_air_superiority_over_target_hex";
      modifier = -2;
    }
    text += Txt(key);
    const int activity = std::clamp(RandomInRange(1, 6) + modifier, 1, 6);
    text += Txt("enemy_air_activity:_") + L" " + Txt(ActivityWord(activity));
    const sConsts& scenario = gGra->consts;
    const int losses = scenario.paratroopLosses[activity - 1];
    text += Txt("paratroops_losses:_") + L" " + Txt(LossWord(losses));
    strength = std::max(strength - losses, 0);
    if (GetStrengthValue() < 0.1f) {
      text += Txt("airborne_unit_eliminated");
      if (landed != nullptr) *landed = 0;
      return true;
    }
    text += Txt("troops_have_landed");
    landOnTarget();
  }
  SpotUnitsInRange(true);
  return true;
}
