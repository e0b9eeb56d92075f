// Land units and the artificial harbour. Movement, combat, costs, upgrades
// and the unit panel's hints of land units come with their own rules; until
// then those operations answer that nothing is possible.
#include <cmath>

#include "core/console.h"
#include "units/unit.h"
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

int cJednostkaLadowa::MarkAttackTargets(bool) {
  moveList.clear();
  return 0;
}

void cJednostkaLadowa::UpdateEffectiveness() {
  if (effectiveness < 1) effectiveness = 1;
}

int cJednostkaLadowa::SetActionPoints(int value) { return actionPoints = value; }

int cJednostkaLadowa::ResetActionPoints() {
  if (freezeTime > 0) return actionPoints = 0;
  actionPoints = startingActionPoints;
  deployedThisTurn = 0;
  return actionPoints;
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

bool cJednostkaLadowa::PickNearestFreeHex() { return false; }

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
