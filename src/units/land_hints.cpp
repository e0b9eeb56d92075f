// The unit panel's hints of land units: whether each action is possible now
// and, when a text is asked for, why (not). The checks run in a fixed order
// and the first one that fails speaks.
#include "core/string_table.h"
#include "core/text.h"
#include "units/land_tables.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/commander.h"

namespace {

bool Say(std::wstring* text, const char* key, bool possible) {
  if (text != nullptr) *text = Txt(key);
  return possible;
}

// The text of the key formatted with the values given.
template <class... Args>
bool SayF(std::wstring* text, const char* key, bool possible, Args... args) {
  if (text != nullptr) *text = WFormat(Txt(key).c_str(), args...);
  return possible;
}

bool InSupply(const cJednostka& u) { return u.supply != 0 && u.turnsWithoutSupply < 1; }
bool FullActionPoints(const cJednostka& u) { return u.actionPoints == u.startingActionPoints; }

// Upgrade and level-up ask for every action point of the turn on a unit
// that is not frozen: a frozen unit is being built up already.
bool ReadyForImprovement(const cJednostkaLadowa& u) {
  return FullActionPoints(u) && u.actionPoints != 0 && u.freezeTime <= 0;
}

// The least supply for a drop or a landing: two thirds of the reserve's.
int LeastSupplyForAssault(const cPanstwo& owner) {
  return static_cast<int>(static_cast<float>(owner.consts.reserveSupplyLevel) * 0.66f);
}

}  // namespace

bool cJednostkaLadowa::GetStrengthIconHint(std::wstring* text) {
  if (!FullActionPoints(*this)) return Say(text, "unitpanel_strength_icon_hint_other_action_performed_or_frozen", false);
  if (strength == 100) return Say(text, "unitpanel_strength_icon_hint_max_strength", false);
  if (!InSupply(*this)) return Say(text, "unitpanel_strength_icon_hint_no_supply", false);
  return Say(text, "unitpanel_strength_icon_hint", true);
}

bool cJednostkaLadowa::GetStrategicMoveIconHint(std::wstring* text) {
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr || owner->strategicMovementPoints < land_tables::StrategicMoveCost(*owner, type))
    return Say(text, "unitpanel_strategic_move_icon_hint_no_smp", false);
  if (!FullActionPoints(*this) || freezeTime > 0)
    return Say(text, "unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen", false);
  if (supplySourceX == -1 || supplySourceY == -1)
    return Say(text, "unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply", false);
  if (!InSupply(*this)) return Say(text, "unitpanel_strategic_move_icon_out_of_supply", false);
  return Say(text, "unitpanel_strategic_move_icon_hint", true);
}

bool cJednostkaLadowa::GetAirborneAssaultIconHint(std::wstring* text) {
  if (type != kTypeAirborne) return Say(text, "unitpanel_airborne_assault_icon_hint_not_airborne", false);
  if (!FullActionPoints(*this) || freezeTime > 0)
    return Say(text, "unitpanel_airborne_assault_hint_not_full_ap_or_frozen", false);
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr || supply < LeastSupplyForAssault(*owner))
    return Say(text, "unitpanel_airborne_assault_hint_supply_too_low", false);
  const int interval = owner->consts.initialTurnsSinceDrop;
  if (turnsFromLastParadrop < interval)
    return SayF(text, "unitpanel_airborne_assault_hint_not_prepared", false, interval - turnsFromLastParadrop);
  return Say(text, "unitpanel_airborne_assault_icon_hint", true);
}

bool cJednostkaLadowa::GetSeaTransportIconHint(std::wstring* text) {
  int px = -1, py = -1;
  if (!FindEmbarkPort(px, py)) return Say(text, "unitpanel_sea_transport_icon_hint_not_in_or_near_friendly_port", false);
  if (actionPoints == 0 || freezeTime > 0)
    return Say(text, "unitpanel_sea_transport_hint_not_enough_ap_or_frozen", false);
  const cPanstwo* owner = GetCountry();
  const int cost = owner != nullptr ? naval_values::SeaTransportCost(owner->consts, type) : 0;
  if (owner == nullptr || owner->seaTransportPoints < cost)
    return SayF(text, "unitpanel_sea_transport_icon_hint_not_enough_sea_transport_points", false, cost);
  return SayF(text, "unitpanel_sea_transport_icon_hint", true, cost);
}

bool cJednostkaLadowa::GetAmphibiousTransportIconHint(std::wstring* text) {
  int px = -1, py = -1;
  if (!FindEmbarkPort(px, py)) return Say(text, "unitpanel_amph_transport_icon_hint_not_in_or_near_friendly_port", false);
  if (actionPoints == 0 || freezeTime > 0)
    return Say(text, "unitpanel_amph_transport_hint_not_enough_ap_or_frozen", false);
  const cPanstwo* owner = GetCountry();
  const int cost = owner != nullptr ? naval_values::AmphibiousCost(owner->consts, type) : 0;
  if (owner == nullptr || owner->amphibiousPoints < cost)
    return SayF(text, "unitpanel_amph_transport_icon_hint_not_enough_sea_invasion_points", false, cost);
  if (supply < LeastSupplyForAssault(*owner))
    return Say(text, "unitpanel_amph_transport_icon_hint_not_enough_supply", false);
  return SayF(text, "unitpanel_amph_transport_icon_hint", true, cost);
}

bool cJednostkaLadowa::GetAirFightIconHint(std::wstring* text) {
  return Say(text, "unitpanel_airfight_icon_hint_not_airfighter_unit", false);
}

bool cJednostkaLadowa::GetBombardmentIconHint(std::wstring* text) {
  return Say(text, "unitpanel_bombardment_icon_hint_not_bomber_unit", false);
}

bool cJednostkaLadowa::GetNuclearIconHint(std::wstring* text) {
  return Say(text, "unitpanel_nuclear_icon_hint_not_strategic_bomber", false);
}

bool cJednostkaLadowa::GetReconIconHint(std::wstring* text) {
  return Say(text, "unitpanel_recon_icon_hint_not_air_unit", false);
}

bool cJednostkaLadowa::GetUpgradeHint(std::wstring* text) {
  if (type == kTypeMulberry) return Say(text, "unitpanel_upgrade_hint_mulberry", false);
  if (type == kTypeAirborne) return Say(text, "unitpanel_upgrade_hint_airborne_division", false);
  if (IsLargeUnit() || type < 0 || type > kTypeAirborne) return Say(text, "unitpanel_upgrade_hint_already_corp", false);
  const cPanstwo* owner = GetCountry();
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (owner == nullptr || map == nullptr || !map->IsInside(x, y) || map->GetHex(x, y)->owner != countryId)
    return Say(text, "unitpanel_upgrade_hint_not_in_owned_hex", false);
  if (!ReadyForImprovement(*this)) return Say(text, "unitpanel_upgrade_hint_not_full_ap_or_frozen", false);
  const float cost = GetUpgradeToCorpsCost();
  if (static_cast<double>(cost) > owner->productionPoints) return Say(text, "unitpanel_upgrade_hint_not_enough_pp", false);
  return SayF(text, "unitpanel_upgrade_hint", true, GetSubtypeName(type).c_str(), GetSubtypeName(type + 1).c_str(),
              static_cast<double>(cost));
}

bool cJednostkaLadowa::GetLevelUpHint(std::wstring* text) {
  if (type == kTypeMulberry) return Say(text, "unitpanel_levelup_hint_mulberry", false);
  if (level >= 5) return Say(text, "unitpanel_levelup_hint_max_level", false);
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return Say(text, "unitpanel_levelup_hint_not_enough_pp", false);
  const bool armour = type == 4 || type == 5;
  const int tech = armour ? owner->techLevels[1] : owner->techLevels[0];
  if (level >= tech)
    return SayF(text, "unitpanel_levelup_hint_no_technology", false,
                Txt(armour ? "research_tanks" : "research_artillery").c_str(), level);
  if (!ReadyForImprovement(*this)) return Say(text, "unitpanel_levelup_hint_not_full_ap_or_frozen", false);
  const float cost = GetLevelUpCost();
  if (static_cast<double>(cost) > owner->productionPoints) return Say(text, "unitpanel_levelup_hint_not_enough_pp", false);
  return SayF(text, "unitpanel_levelup_icon_hint", true, static_cast<double>(cost));
}

std::wstring cJednostkaLadowa::GetEffectivenessHint() {
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return std::wstring();
  const double doctrine = static_cast<double>(land_tables::EffectivenessPerLevel(*owner)) *
                          land_tables::DoctrineLevel(*owner);
  double command = 0.0;
  if (commander != nullptr)
    command = (static_cast<double>(commander->GetBonusAtDistance(0)) - 1.0) * 100.0;
  else if (GetAssignedCommander() != nullptr)
    command = static_cast<double>(GetAssignedCommanderBonus()) * 100.0;
  const double supplyPart = land_tables::SupplyEffectiveness(*owner, supply) - 100.0;
  // The share lost to turns without supply, in percent as the
  // effectiveness itself loses it (an integer quotient would show 0 until
  // the limit is reached).
  double exhaustion = 0.0;
  if (turnsWithoutSupply != 0) {
    const int limit = land_tables::SupplyExhaustionLimit(*owner);
    exhaustion = limit > 0 ? -100.0 * turnsWithoutSupply / limit : -100.0;
  }
  return WFormat(Txt("unitpanel_effectiveness_land_hint").c_str(), doctrine, command, supplyPart, exhaustion,
                 -static_cast<double>(shoreBombardmentEffect), static_cast<double>(eventsEffect));
}
