// Land units and the artificial harbour: new-turn action points and
// effectiveness. Costs, upgrades and the unit panel's hints of land units come
// with their own rules; until then those operations answer that nothing is
// possible.
#include <cmath>

#include "core/console.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"

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
  int e = static_cast<int>(100.0 * f);
  e = static_cast<int>(static_cast<float>(e) - shoreBombardmentEffect);
  if (turnsWithoutSupply > 0)
    e = static_cast<int>(SupplyExhaustionFactor(turnsWithoutSupply, land_tables::SupplyExhaustionLimit(*owner)) *
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
    ap = (100 - land_tables::SupplyActionPointPenalty(*owner, supply)) * ap / 100;
    if (turnsWithoutSupply > 0)
      ap = static_cast<int>(SupplyExhaustionFactor(turnsWithoutSupply, land_tables::SupplyExhaustionLimit(*owner)) *
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

std::wstring cJednostkaLadowa::GetEffectivenessHint() { return std::wstring(); }

float cJednostkaLadowa::GetStrengthValue() const {
  return GetUnitCost() * static_cast<float>(strength) / 100.0f;
}

int cJednostkaLadowa::AddStrength(int amount) {
  strength += amount;
  return amount;
}

float cJednostkaLadowa::GetUnitCost() const { return 0.0f; }

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

bool cJednostkaLadowa::GetUpgradeHint(std::wstring*) { return false; }
float cJednostkaLadowa::GetUpgradeToCorpsCost() { return 0.0f; }
bool cJednostkaLadowa::UpgradeToCorps() { return false; }
bool cJednostkaLadowa::GetLevelUpHint(std::wstring*) { return false; }
float cJednostkaLadowa::GetLevelUpCost() { return 0.0f; }
bool cJednostkaLadowa::LevelUp() { return false; }

bool cJednostkaLadowa::GetStrengthIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetStrategicMoveIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetAirborneAssaultIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetSeaTransportIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetAmphibiousTransportIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetAirFightIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetBombardmentIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetNuclearIconHint(std::wstring*) { return false; }
bool cJednostkaLadowa::GetReconIconHint(std::wstring*) { return false; }

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
