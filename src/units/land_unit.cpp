// Land units and the artificial harbour: new-turn action points,
// effectiveness, the unit's price, upgrade to corps and level-up. The unit
// panel's hints of land units are in land_hints.cpp.
#include <cmath>

#include "core/console.h"
#include "core/front_end.h"
#include "core/saturate.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

cJednostkaLadowa::cJednostkaLadowa() {
  category = kCategoryLand;
  turnsWithoutSupply = 1;
  if (gGra != nullptr) {
    unitId = ++gGra->landUnitCounter;
    turnsFromLastParadrop = gGra->consts.initialTurnsSinceDrop;
  }
}

namespace {

// What is left after turns without supply: 1 - turns / limit; nothing at
// all once a limit of 0 or less is reached.
float SupplyExhaustionFactor(int turnsWithoutSupply, int limit) {
  if (limit <= 0) return 0.0f;
  return 1.0f - static_cast<float>(turnsWithoutSupply) / static_cast<float>(limit);
}

}  // namespace

void cJednostkaLadowa::UpdateEffectiveness() {
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) {
    if (effectiveness < 1) effectiveness = 1;
    return;
  }
  const int level = land_tables::DoctrineLevel(*owner);
  // Every intermediate is a 32-bit real.
  float f = static_cast<float>(land_tables::EffectivenessPerLevel(*owner) * level / 100.0 + 1.0);
  if (commander != nullptr) {
    f = f * commander->GetBonusAtDistance(0);
  } else if (GetAssignedCommander() != nullptr) {
    f = static_cast<float>(f * (GetAssignedCommanderBonus() / 100.0 + 1.0));
  }
  f = static_cast<float>(land_tables::SupplyEffectiveness(*owner, supply) / 100.0 * f);
  f = static_cast<float>(f * (eventsEffect + 100.0) / 100.0);
  // A commander's skill and experience and the constants can make f larger
  // than an int holds: the conversions are held at its ends.
  int e = SaturatedInt(100.0 * f);
  e = SaturatedInt(static_cast<float>(e) - shoreBombardmentEffect);
  if (turnsWithoutSupply > 0)
    e = SaturatedInt(SupplyExhaustionFactor(turnsWithoutSupply, land_tables::SupplyExhaustionLimit(*owner)) *
                     static_cast<float>(e));
  effectiveness = e < 1 ? 1 : e;
}

int cJednostkaLadowa::SetActionPoints(int value) { return actionPoints = value; }

int cJednostkaLadowa::ResetActionPoints() {
  if (freezeTime > 0) return actionPoints = 0;
  const cPanstwo* owner = GetCountry();
  int ap = 0;
  if (owner != nullptr) {
    ap = land_tables::ActionPoints(*owner, land_tables::DoctrineLevel(*owner), type);
    ap = SaturatedInt(static_cast<int64_t>(100 - land_tables::SupplyActionPointPenalty(*owner, supply)) * ap / 100);
    if (turnsWithoutSupply > 0)
      ap = SaturatedInt(SupplyExhaustionFactor(turnsWithoutSupply, land_tables::SupplyExhaustionLimit(*owner)) *
                        static_cast<float>(ap));
  }
  if (ap < 0) ap = 0;
  // Foot soldiers can always make one step.
  if (ap == 0 && (type == 0 || type == 1 || type == kTypeAirborne)) ap = 1;
  actionPoints = ap;
  startingActionPoints = ap;
  deployedThisTurn = 0;
  return ap;
}

float cJednostkaLadowa::GetStrengthValue() const {
  return GetUnitCost() * static_cast<float>(strength) / 100.0f;
}

int cJednostkaLadowa::AddStrength(int amount) {
  strength += amount;
  return amount;
}

namespace {

const sConsts& ConstsOf(const cUnit& unit) {
  static const sConsts kNone{};
  if (const cPanstwo* owner = unit.GetCountry()) return owner->consts;
  return gGra != nullptr ? gGra->consts : kNone;
}

// Strength that keeps the unit's worth when its price goes from c0 to c1:
// the old strength at the new price plus the share the new price adds, each
// term a 32-bit real. Without a price to scale by the strength stays.
float RescaledStrength(int strength, float c0, float c1) {
  if (!(c1 > 0.0f)) return static_cast<float>(strength);
  const float kept = static_cast<float>(strength) * c0 / c1;
  const float added = (c1 - c0) * 100.0f / c1;
  return added + kept;
}

void ClearRangeMarks() {
  if (gGra != nullptr && gGra->map != nullptr) gGra->map->ClearMarks(static_cast<uint32_t>(-2), false);
}

}  // namespace

float cJednostkaLadowa::GetUnitCost() const { return land_tables::UnitCost(ConstsOf(*this), level, type); }

bool cJednostkaLadowa::IsHexInMoveRange(int hx, int hy) const {
  for (const sHexEntry& e : moveList) {
    if (e.x != hx || e.y != hy) continue;
    LogLine(L"Pole jest w zasi\u010f\u017c\u02ddgu ruchu jednostki");
    return true;
  }
  LogLine(L"Pole jest poza zasi\u010f\u017c\u02ddgiem ruchu jednostki");
  return false;
}

float cJednostkaLadowa::GetCombatStrength() const {
  return static_cast<float>(static_cast<double>(GetStrengthValue()) * effectiveness / 100.0);
}

// ---- upgrade to corps and level-up ------------------------------------------

float cJednostkaLadowa::GetUpgradeToCorpsCost() {
  // Only divisions have a corps of their arm; the panel's hints never ask
  // for anything else, so another type is a broken game.
  if (type != 0 && type != 2 && type != 4)
    FatalExit(WFormat(Txt("error:_wrong_land_unit_type_(%i)_while_calculating_upgrade_to_corps_cost").c_str(), type));
  const sConsts& c = ConstsOf(*this);
  const float dm = land_tables::LandCostFactor(c, type + 1) - land_tables::LandCostFactor(c, type);
  const float dc = land_tables::UnitCost(c, level, type + 1) - land_tables::UnitCost(c, level, type);
  const float byPrice = land_tables::LandCostFactor(c, type + 1) * dc;
  const float byStrength = GetStrengthValue() * dm;
  const float v = byPrice + byStrength;
  const float k = static_cast<float>(land_tables::LevelSurchargePercent(c));
  const float withSurcharge = v + k * v * static_cast<float>(level - 1) / 100.0f;
  return std::trunc(withSurcharge * land_tables::CorpsFactor(c));
}

bool cJednostkaLadowa::UpgradeToCorps() {
  const float cost = GetUpgradeToCorpsCost();
  const sConsts& c = ConstsOf(*this);
  const float c0 = land_tables::UnitCost(c, level, type);
  const float c1 = land_tables::UnitCost(c, level, type + 1);
  // A tiny price in the constants can make the rescaled strength huge.
  const int newStrength = SaturatedInt(RescaledStrength(strength, c0, c1));
  if (cPanstwo* owner = GetCountry()) owner->ChangeProductionPoints(-static_cast<double>(cost));
  type += 1;
  strength = newStrength;
  actionPoints = 0;
  if (const cPanstwo* owner = GetCountry()) {
    const int freeze = land_tables::BuildTime(*owner, type) - land_tables::BuildTime(*owner, type - 1);
    freezeTime = freeze < 0 ? 0 : freeze;
  }
  moveList.clear();
  ClearRangeMarks();
  return true;
}

float cJednostkaLadowa::GetLevelUpCost() {
  const sConsts& c = ConstsOf(*this);
  const float m = land_tables::LandCostFactor(c, type);
  const float next = land_tables::UnitCost(c, level + 1, type) * m;
  const float cur = land_tables::UnitCost(c, level, type) * m;
  const float k = static_cast<float>(land_tables::LevelSurchargePercent(c));
  const float nextTotal = next + k * next * static_cast<float>(level) / 100.0f;
  const float curTotal = cur + k * cur * static_cast<float>(level - 1) / 100.0f;
  return nextTotal - curTotal;
}

int cJednostkaLadowa::LevelledUpStrength() const {
  const sConsts& c = ConstsOf(*this);
  return SaturatedInt(std::ceil(
      RescaledStrength(strength, land_tables::UnitCost(c, level, type), land_tables::UnitCost(c, level + 1, type))));
}

bool cJednostkaLadowa::LevelUp() {
  const int newStrength = LevelledUpStrength();
  if (cPanstwo* owner = GetCountry()) owner->ChangeProductionPoints(-static_cast<double>(GetLevelUpCost()));
  level += 1;
  strength = newStrength;
  actionPoints = 0;
  moveList.clear();
  ClearRangeMarks();
  return true;
}

void cJednostkaLadowa::AiLevelUp() {
  cPanstwo* owner = GetCountry();
  if (owner != nullptr) owner->ChangeProductionPoints(-static_cast<double>(GetLevelUpCost()));
  LogF(L"[AI]: %s - upgrading %s (level up)", owner != nullptr ? owner->name.c_str() : L"", name.c_str());
  if (gGra != nullptr && gGra->selection.showActions != 0 && IsFullySpotted()) {
    FrontEnd().CenterMapOn(x, y);
    FrontEnd().Delay(static_cast<int>(delayValues[DELAY_AI_REPLACEMENT_BEFORE]), __FILE__, __LINE__);
    FrontEnd().Delay(static_cast<int>(delayValues[DELAY_AI_REPLACEMENT_AFTER]), __FILE__, __LINE__);
  }
  const int newStrength = LevelledUpStrength();
  level += 1;
  strength = newStrength;
  actionPoints = 0;
}

int cJednostkaLadowa::SetStrength(int value) { return strength = value; }

// ---- artificial harbour ----------------------------------------------------

int cMulberry::SetSupplySourceX(int) { return supplySourceX = -1; }

int cMulberry::SetSupplySourceY(int) { return supplySourceY = -1; }

int cMulberry::SetSupplyLevel(int) {
  const cPanstwo* owner = GetCountry();
  return supply = owner != nullptr ? owner->consts.reserveSupplyLevel : 0;
}

int cMulberry::AddActionPoints(int) { return actionPoints = 0; }

int cMulberry::SetStartingActionPoints(int) { return startingActionPoints = 0; }

int cMulberry::SetActionPoints(int) { return actionPoints = 0; }

int cMulberry::ResetActionPoints() { return actionPoints = 0; }

int cMulberry::AddStrength(int) {
  const cPanstwo* owner = GetCountry();
  return strength = owner != nullptr ? static_cast<int>(owner->consts.newMulberryStrength) : strength;
}

int cMulberry::SetStrength(int value) { return AddStrength(value); }
