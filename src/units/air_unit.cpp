// Air units: ranges, target searches, reconnaissance, rebasing, the nuclear
// strike, costs, level-up and the unit panel's hints.
#include <algorithm>
#include <cmath>
#include <deque>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

bool Hint(std::wstring* text, const char* key, bool possible) {
  if (text != nullptr) *text = Txt(key);
  return possible;
}

// The owner's constants; the game's when the owner is unknown.
const sConsts& ConstsOf(const cUnit& unit) {
  static const sConsts kNone{};
  if (const cPanstwo* owner = unit.GetCountry()) return owner->consts;
  return gGra != nullptr ? gGra->consts : kNone;
}

int AircraftTech(const cUnit& unit) {
  const cPanstwo* owner = unit.GetCountry();
  return owner != nullptr ? owner->techLevels[3] : 0;
}

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b); }

bool SpottedForTargeting(const cUnit& u) { return u.spottedLevel >= 3 && u.spottedLevel <= 6; }

bool ShowsActions(const cUnit& u) {
  return gGra != nullptr && gGra->selection.showActions != 0 && u.IsFullySpotted();
}

}  // namespace

template <class Visit>
void cJednostkaLotnicza::ForEachHexInRange(int range, Visit visit) const {
  if (gGra == nullptr || gGra->map == nullptr || range < 0) return;
  cMapa* map = gGra->map;
  const int x0 = std::max(0, x - range), x1 = std::min(map->GetWidth() - 1, x + range);
  const int y0 = std::max(0, y - range), y1 = std::min(map->GetHeight() - 1, y + range);
  for (int hy = y0; hy <= y1; ++hy)
    for (int hx = x0; hx <= x1; ++hx)
      if (HexDistance(x, y, hx, hy) <= range) visit(*map->GetHex(hx, hy));
}

cJednostkaLotnicza::cJednostkaLotnicza() {
  category = kCategoryAir;
  turnsWithoutSupply = 0;
  if (gGra != nullptr) unitId = ++gGra->airUnitCounter;
}

// ---- the slots of the unit table ------------------------------------------------

void cJednostkaLotnicza::UpdateEffectiveness() { effectiveness = 100; }

int cJednostkaLotnicza::MarkAttackTargets(bool quiet) { return MarkRebaseTargets(!quiet); }

void cJednostkaLotnicza::Attack(sWynikWalki& result, cUnit* attacker, int) {
  // Only a carrier's planes attack an air unit through this slot.
  if (attacker != nullptr && attacker->type == kTypeCarrier) AirFight(result, attacker, nullptr);
}

int cJednostkaLotnicza::SetActionPoints(int value) { return actionPoints = value; }

int cJednostkaLotnicza::ResetActionPoints() {
  actionPoints = air_values::ActionPoints(ConstsOf(*this), type);
  // Without supply the unit cannot fly this turn.
  if (supply == 0) {
    actionPoints = 0;
    startingActionPoints = 0;
  } else {
    startingActionPoints = actionPoints;
  }
  return actionPoints;
}

std::wstring cJednostkaLotnicza::GetEffectivenessHint() { return Txt("unitpanel_effectiveness_air_hint"); }

int cJednostkaLotnicza::AddStrength(int amount) {
  strength += amount;
  return amount;
}

float cJednostkaLotnicza::GetUnitCost() const {
  return static_cast<float>(air_values::FullStrength(ConstsOf(*this), type));
}

bool cJednostkaLotnicza::GetUpgradeHint(std::wstring* text) { return Hint(text, "unitpanel_upgrade_hint_air_unit", false); }

float cJednostkaLotnicza::GetUpgradeToCorpsCost() {
  LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
  return 0.0f;
}

bool cJednostkaLotnicza::UpgradeToCorps() {
  LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
  return false;
}

// ---- ranges and target searches --------------------------------------------------

int cJednostkaLotnicza::GetOperationalRange() const {
  const sConsts& c = ConstsOf(*this);
  return static_cast<int>(static_cast<float>(air_values::BaseOperationalRange(c, type)) *
                          air_values::RangeFactor(c, AircraftTech(*this)));
}

int cJednostkaLotnicza::GetRebaseRange() const {
  const sConsts& c = ConstsOf(*this);
  return static_cast<int>(static_cast<float>(air_values::BaseRebaseRange(c, type)) *
                          air_values::RangeFactor(c, AircraftTech(*this)));
}

int cJednostkaLotnicza::GetNavalAirRange() const { return air_values::NavalAirRange(ConstsOf(*this)); }

int cJednostkaLotnicza::MarkRebaseTargets(bool mark) {
  if (gGra == nullptr || gGra->map == nullptr) return 0;
  // Everything but the destinations is shown under fog.
  if (mark)
    for (sHex& hex : gGra->map->hexes) hex.marks |= kMarkBit24;
  if (actionPoints != startingActionPoints || supply < air_values::RebaseMinSupply(ConstsOf(*this), type)) return 0;
  const int current = gGra->selection.currentCountry != nullptr ? gGra->selection.currentCountry->id : 0;
  int count = 0;
  ForEachHexInRange(GetRebaseRange(), [&](sHex& hex) {
    if (!hex.IsLand() || hex.unit != nullptr || !hex.IsFriendlyTo(current)) return;
    ++count;
    if (mark) {
      hex.marks &= ~kMarkBit24;
      hex.SetMark(kMarkRebase, -1);
    }
  });
  return count;
}

int cJednostkaLotnicza::MarkReconTargets(bool mark) {
  if (reconDone) return 0;
  int count = 0;
  std::set<int> seaNodes;
  ForEachHexInRange(GetOperationalRange(), [&](sHex& hex) {
    if (hex.IsLand()) {
      if (!AtWar(countryId, hex.controller)) return;
      ++count;
      if (mark) hex.SetMark(kMarkReconLand, -1);
    } else if (hex.seaZone != 0 && seaNodes.insert(hex.seaZone).second) {
      // A node is one target however many of its hexes lie in range.
      ++count;
      if (mark) gGra->map->MarkSeaNodeHexes(hex.seaZone, kMarkReconSea, false);
    }
  });
  return count;
}

int cJednostkaLotnicza::MarkAirFightTargets(bool mark) {
  if (actionPoints < 1) return 0;
  int count = 0;
  ForEachHexInRange(GetOperationalRange(), [&](sHex& hex) {
    const cUnit* u = hex.unit;
    if (!hex.IsLand() || u == nullptr || u->category != kCategoryAir || !AtWar(countryId, u->countryId) ||
        !SpottedForTargeting(*u))
      return;
    ++count;
    if (mark) hex.SetMark(kMarkAirFight, -1);
  });
  return count;
}

int cJednostkaLotnicza::MarkBombardmentTargets(bool mark) {
  if (mark && gGra != nullptr && gGra->map != nullptr) gGra->map->ClearMarks(0xFFFFFFFFu, false);
  if (actionPoints < 1) return 0;
  int count = 0;
  ForEachHexInRange(GetOperationalRange(), [&](sHex& hex) {
    if (!hex.IsLand()) return;
    const cUnit* u = hex.unit;
    const bool unitTarget =
        u != nullptr && u->category == kCategoryLand && SpottedForTargeting(*u) && AtWar(countryId, u->countryId);
    const bool cityTarget = hex.city != nullptr && AtWar(countryId, hex.controller);
    if (!unitTarget && !cityTarget) return;
    ++count;
    if (mark) hex.SetMark(kMarkBombardment, -1);
  });
  std::set<int> seaNodes;
  ForEachHexInRange(GetNavalAirRange(), [&](sHex& hex) {
    if (!hex.IsSea() || hex.seaZone == 0 || (hex.marks & kMarkReconSea) != 0) return;
    const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(hex.seaZone);
    if (node == nullptr || node->CountSpottedEnemyShips() <= 0 || !seaNodes.insert(node->id).second) return;
    ++count;
    if (mark) gGra->map->MarkSeaNodeHexes(node->id, kMarkBombardmentSea, false);
  });
  return count;
}

int cJednostkaLotnicza::MarkNuclearTargets(bool mark) {
  if (actionPoints < 1) return 0;
  int count = 0;
  ForEachHexInRange(GetOperationalRange(), [&](sHex& hex) {
    if (!hex.IsLand() || !AtWar(countryId, hex.controller)) return;
    ++count;
    if (mark) hex.SetMark(kMarkNuclear, -1);
  });
  return count;
}

bool cJednostkaLotnicza::IsSeaNodeInNavalRange(int nodeId) const {
  bool found = false;
  ForEachHexInRange(GetNavalAirRange(), [&](const sHex& hex) {
    if (hex.IsSea() && hex.seaZone == nodeId) found = true;
  });
  return found;
}

void cJednostkaLotnicza::CollectSeaNodesInRange(std::set<int>& out) const {
  ForEachHexInRange(GetNavalAirRange(), [&](const sHex& hex) {
    if (hex.IsSea() && hex.seaZone != 0) out.insert(hex.seaZone);
  });
}

// ---- reconnaissance ---------------------------------------------------------------

void cJednostkaLotnicza::ReconHex(int hx, int hy, sWynikWalki& result) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(hx, hy)) return;
  cMapa* map = gGra->map;
  AddActionPoints(-1);
  reconDone = 1;
  if (cJednostkaLotnicza* interceptor = map->GetHex(hx, hy)->FindInterceptor(countryId))
    if (Intercept(interceptor, result)) return;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\AirRecon.wav");
  result.resultCode = sWynikWalki::kRecon;

  // The hexes within the owner's aircraft technology of the target.
  ReconAroundHex(hx, hy, AircraftTech(*this), GetCountry());
}

void cJednostkaLotnicza::ReconSeaNode(int nodeId, sWynikWalki& result) {
  sWezelGrafuMorz* node = gGra != nullptr ? gGra->seaGraph.FindNode(nodeId) : nullptr;
  if (node == nullptr) return;
  AddActionPoints(-1);
  reconDone = 1;
  if (cUnit* interceptor = node->FindInterceptor(countryId))
    if (Intercept(interceptor, result)) return;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\AirRecon.wav");
  result.resultCode = sWynikWalki::kRecon;
  // Reconnaissance looks into ports as well.
  cPortConcealmentOff look;
  node->CalcNavalVisibilityFor(countryId, false);
}

// ---- rebasing ---------------------------------------------------------------------

sHex* cJednostkaLotnicza::Rebase(int hx, int hy) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(hx, hy)) return nullptr;
  cMapa* map = gGra->map;
  FrontEnd().PlaySound(L"data\\sound\\PlaneFlying.wav");
  cGameLockGuard lock(__FILE__, __LINE__);
  if (map->IsInside(x, y) && map->GetHex(x, y)->unit == this) map->GetHex(x, y)->unit = nullptr;
  sHex* target = map->GetHex(hx, hy);
  target->unit = this;
  x = hx;
  y = hy;
  actionPoints = 0;
  return target;
}

sHex* cJednostkaLotnicza::AiRebase(int hx, int hy) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(hx, hy)) return nullptr;
  cMapa* map = gGra->map;
  const bool show = ShowsActions(*this);
  FrontEnd().PlaySound(L"data\\sound\\PlaneFlying.wav");
  if (show) {
    FrontEnd().CenterMapOn(x, y);
    PauseFor(DELAY_AI_MOVE_BEFORE, __FILE__, __LINE__);
  }
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    if (map->IsInside(x, y) && map->GetHex(x, y)->unit == this) map->GetHex(x, y)->unit = nullptr;
  }
  if (show) {
    PauseFor(DELAY_AI_MOVE_BETWEEN, __FILE__, __LINE__);
    FrontEnd().CenterMapOn(hx, hy);
    PauseFor(DELAY_AI_MOVE_BETWEEN, __FILE__, __LINE__);
  }
  sHex* target = map->GetHex(hx, hy);
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    target->unit = this;
    x = hx;
    y = hy;
    actionPoints = 0;
  }
  if (show) PauseFor(DELAY_AI_MOVE_AFTER, __FILE__, __LINE__);
  return target;
}

void cJednostkaLotnicza::AiListRebaseBases(std::vector<sRebaseCandidate>& list) const {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa* map = gGra->map;
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return;
  auto friendly = [&](int country) { return country == owner->id || (country >= 1 && owner->IsAlly(country)); };
  auto freeBase = [&](const sHex& hex) { return hex.IsLand() && hex.unit == nullptr && friendly(hex.controller); };
  const int reach = GetRebaseRange() - 2;
  for (const cMiasto* city : gGra->cities) {
    const sHex* hex = city->GetHex();
    if (city->type == kCityResources || hex == nullptr || !friendly(hex->controller)) continue;
    if (HexDistance(x, y, city->x, city->y) >= reach) continue;
    if (freeBase(*hex)) list.push_back({city->x, city->y, 0, 0});
    for (int d = 0; d < 6; ++d) {
      if (!map->HasNeighbour(city->x, city->y, d)) continue;
      const sHex* n = map->GetNeighbourHex(city->x, city->y, d);
      if (freeBase(*n)) list.push_back({n->x, n->y, 0, 0});
    }
  }
}

cJednostkaLotnicza* cJednostkaLotnicza::FindWeakestEnemyAirUnitInRange(int unitType) const {
  if (gGra == nullptr) return nullptr;
  const int range = GetOperationalRange();
  cJednostkaLotnicza* weakest = nullptr;
  int lowest = 0;
  for (cJednostkaLotnicza* u : gGra->airUnits) {
    if (u->type != unitType || !AtWar(countryId, u->countryId) || HexDistance(x, y, u->x, u->y) > range) continue;
    const int value = air_values::InterceptionBonus(ConstsOf(*u), u->supply) + u->strength + u->level;
    if (weakest == nullptr || value < lowest) {
      weakest = u;
      lowest = value;
    }
  }
  return weakest;
}

// ---- nuclear strike ---------------------------------------------------------------

void cJednostkaLotnicza::NuclearStrike(sWynikWalki& result, int tx, int ty) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(tx, ty)) return;
  cMapa* map = gGra->map;
  cPanstwo* owner = GetCountry();
  if (owner == nullptr) return;
  const sConsts& c = owner->consts;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\NuclearAttack.wav");
  result.resultCode = sWynikWalki::kNuclearStrike;
  result.attackerCountry = owner->id;
  result.defenderCountry = map->GetHex(tx, ty)->controller;

  const int radius = air_values::NuclearRadius(c);
  std::set<int> struck;
  std::vector<cMiasto*> cities;
  bool headed = false;
  const int x0 = std::max(0, tx - radius), x1 = std::min(map->GetWidth() - 1, tx + radius);
  const int y0 = std::max(0, ty - radius), y1 = std::min(map->GetHeight() - 1, ty + radius);
  for (int hy = y0; hy <= y1; ++hy) {
    for (int hx = x0; hx <= x1; ++hx) {
      if (HexDistance(tx, ty, hx, hy) > radius) continue;
      sHex* hex = map->GetHex(hx, hy);
      if (hex->controller == 0) continue;
      struck.insert(hex->controller);
      if (hex->unit != nullptr && hex->unit != this) {
        cJednostka* victim = hex->unit;
        if (!headed) {
          result.generalText += Txt("report_nuclear_affected_units");
          headed = true;
        }
        const cPanstwo* vc = victim->GetCountry();
        result.generalText += WFormat(L" %s (%s)\n", victim->name.c_str(), vc != nullptr ? vc->name.c_str() : L"");
        result.defenderDestroyed |= 1;
        victim->Kill();
      }
      if (hex->city != nullptr && std::find(cities.begin(), cities.end(), hex->city) == cities.end())
        cities.push_back(hex->city);
    }
  }

  if (!cities.empty()) {
    result.generalText += Txt("report_nuclear_affected_cities");
    for (cMiasto* city : cities) city->NuclearStrike(result);
  }

  auto raiseUnrest = [&](cPanstwo& country, int amount) {
    country.socialUnrest = std::clamp(country.socialUnrest + static_cast<float>(amount), 0.0f, 100.0f);
    result.generalText += WFormat(L" %s\n", country.name.c_str());
  };
  const int direct = air_values::NuclearDirectUnrest(c);
  result.generalText += WFormat(Txt("report_nuclear_social_unrest_results_direct").c_str(), direct);
  std::vector<cPanstwo*> allies;
  for (int id : struck)
    if (cPanstwo* country = gGra->GetCountry(id)) raiseUnrest(*country, direct);
  for (cPanstwo* other : gGra->countries) {
    if (struck.count(other->id) != 0) continue;
    for (int id : struck)
      if (other->IsAlly(id)) {
        allies.push_back(other);
        break;
      }
  }
  if (!allies.empty()) {
    const int allied = air_values::NuclearAlliedUnrest(c);
    result.generalText += WFormat(Txt("report_nuclear_social_unrest_results_allies").c_str(), allied);
    for (cPanstwo* country : allies) raiseUnrest(*country, allied);
  }
  owner->nuclearBombs -= 1;
}

// ---- level-up -------------------------------------------------------------------

float cJednostkaLotnicza::GetLevelUpCost() {
  const sConsts& c = ConstsOf(*this);
  const float base =
      static_cast<float>(air_values::FullStrength(c, type)) * air_values::LevelUpFactor(c, type);
  const float f = static_cast<float>(air_values::LevelUpPercent(c));
  const float lv = static_cast<float>(level);
  return (base + f * base * lv / 100.0f) - (base + f * base * (lv - 1.0f) / 100.0f);
}

bool cJednostkaLotnicza::LevelUp() {
  const float cost = GetLevelUpCost();
  if (cPanstwo* owner = GetCountry()) owner->ChangeProductionPoints(-static_cast<double>(cost));
  level += 1;
  actionPoints = 0;
  return true;
}

void cJednostkaLotnicza::AiLevelUp() {
  const cPanstwo* owner = GetCountry();
  LogF(L"[AI]: %s - upgrading %s (level up)", owner != nullptr ? owner->name.c_str() : L"", name.c_str());
  if (ShowsActions(*this)) FrontEnd().CenterMapOn(x, y);
  PauseFor(DELAY_AI_REPLACEMENT_BEFORE, __FILE__, __LINE__);
  LevelUp();
  PauseFor(DELAY_AI_REPLACEMENT_AFTER, __FILE__, __LINE__);
}

// ---- hints ----------------------------------------------------------------------

bool cJednostkaLotnicza::GetLevelUpHint(std::wstring* text) {
  if (level >= 5) return Hint(text, "unitpanel_levelup_hint_max_level", false);
  if (level >= AircraftTech(*this)) {
    if (text != nullptr)
      *text = WFormat(Txt("unitpanel_levelup_hint_no_technology").c_str(), Txt("research_aircraft").c_str());
    return false;
  }
  if (actionPoints != startingActionPoints) return Hint(text, "unitpanel_levelup_hint_not_full_ap_or_frozen", false);
  const cPanstwo* owner = GetCountry();
  const float cost = GetLevelUpCost();
  if (owner == nullptr || owner->productionPoints < static_cast<double>(cost))
    return Hint(text, "unitpanel_levelup_hint_not_enough_pp", false);
  if (text != nullptr) *text = WFormat(Txt("unitpanel_levelup_icon_hint").c_str(), static_cast<double>(cost));
  return true;
}

bool cJednostkaLotnicza::GetStrengthIconHint(std::wstring* text) {
  if (actionPoints != startingActionPoints || actionPoints == 0)
    return Hint(text, "unitpanel_strength_icon_hint_other_action_performed_or_no_ap", false);
  if (strength == air_values::FullStrength(ConstsOf(*this), type))
    return Hint(text, "unitpanel_strength_icon_hint_max_strength", false);
  if (supply != 0 && turnsWithoutSupply < 1) return Hint(text, "unitpanel_strength_icon_hint", true);
  return Hint(text, "unitpanel_strength_icon_hint_no_supply", false);
}

bool cJednostkaLotnicza::GetStrategicMoveIconHint(std::wstring* text) {
  if (supplySourceX == -1 || supplySourceY == -1)
    return Hint(text, "unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply", false);
  if (supply == 0 || turnsWithoutSupply >= 1) return Hint(text, "unitpanel_strategic_move_icon_out_of_supply", false);
  if (actionPoints != startingActionPoints)
    return Hint(text, "unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen", false);
  const cPanstwo* owner = GetCountry();
  if (owner != nullptr && owner->strategicMovementPoints >= air_values::StrategicMoveCost(owner->consts, type))
    return Hint(text, "unitpanel_strategic_move_icon_hint", true);
  return Hint(text, "unitpanel_strategic_move_icon_hint_no_smp", false);
}

bool cJednostkaLotnicza::GetAirborneAssaultIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_airborne_assault_icon_hint_not_airborne", false);
}

bool cJednostkaLotnicza::GetSeaTransportIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_sea_transport_icon_hint_not_land_unit", false);
}

bool cJednostkaLotnicza::GetAmphibiousTransportIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_amph_transport_icon_hint_not_land_unit", false);
}

bool cJednostkaLotnicza::GetAirFightIconHint(std::wstring* text) {
  if (type != kTypeFighter) return Hint(text, "unitpanel_airfight_icon_hint_not_airfighter_unit", false);
  if (actionPoints == 0) return Hint(text, "unitpanel_airfight_icon_hint_not_enough_ap_or_frozen", false);
  if (MarkAirFightTargets(false) == 0) return Hint(text, "unitpanel_airfight_icon_hint_no_target", false);
  return Hint(text, "unitpanel_airfight_icon_hint", true);
}

bool cJednostkaLotnicza::GetBombardmentIconHint(std::wstring* text) {
  if (type != kTypeTacticalBomber && type != kTypeStrategicBomber)
    return Hint(text, "unitpanel_bombardment_icon_hint_not_bomber_unit", false);
  if (actionPoints == 0) return Hint(text, "unitpanel_bombardment_icon_hint_not_enough_ap_or_frozen", false);
  if (MarkBombardmentTargets(false) == 0) return Hint(text, "unitpanel_bombardment_icon_hint_no_target", false);
  return Hint(text, "unitpanel_bombardment_icon_hint", true);
}

bool cJednostkaLotnicza::GetNuclearIconHint(std::wstring* text) {
  if (type != kTypeStrategicBomber) return Hint(text, "unitpanel_nuclear_icon_hint_not_strategic_bomber", false);
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr || owner->nuclearBombs < 1) return Hint(text, "unitpanel_nuclear_icon_hint_no_nuclear_bomb", false);
  if (actionPoints == 0) return Hint(text, "unitpanel_nuclear_icon_hint_not_enough_ap_or_frozen", false);
  if (MarkNuclearTargets(false) == 0) return Hint(text, "unitpanel_nuclear_icon_hint_no_target", false);
  return Hint(text, "unitpanel_nuclear_icon_hint", true);
}

bool cJednostkaLotnicza::GetReconIconHint(std::wstring* text) {
  if (actionPoints == 0) return Hint(text, "unitpanel_recon_icon_hint_not_enough_ap", false);
  if (reconDone) return Hint(text, "unitpanel_recon_icon_hint_already_performed", false);
  if (MarkReconTargets(false) == 0) return Hint(text, "unitpanel_recon_icon_hint_no_hexes_in_range", false);
  return Hint(text, "unitpanel_recon_icon_hint", true);
}
