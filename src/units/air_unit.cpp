// Air units. Interception, rebasing and target searches, air combat, costs
// and level-ups come with their own rules; until then those operations
// answer that nothing is possible.
#include "core/console.h"
#include "core/string_table.h"
#include "units/unit.h"
#include "world/game.h"

namespace {

bool Hint(std::wstring* text, const char* key, bool possible) {
  if (text != nullptr) *text = Txt(key);
  return possible;
}

}  // namespace

cJednostkaLotnicza::cJednostkaLotnicza() {
  category = kCategoryAir;
  turnsWithoutSupply = 0;
  if (gGra != nullptr) unitId = ++gGra->airUnitCounter;
}

bool cJednostkaLotnicza::Intercept(cUnit*, sWynikWalki&) { return false; }

void cJednostkaLotnicza::UpdateEffectiveness() { effectiveness = 100; }

int cJednostkaLotnicza::MarkAttackTargets(bool) { return 0; }

void cJednostkaLotnicza::Attack(sWynikWalki&, cUnit*, int) {}

int cJednostkaLotnicza::SetActionPoints(int value) { return actionPoints = value; }

int cJednostkaLotnicza::ResetActionPoints() {
  // Without supply the unit cannot fly this turn.
  if (supply == 0) startingActionPoints = 0;
  return actionPoints = startingActionPoints;
}

std::wstring cJednostkaLotnicza::GetEffectivenessHint() { return Txt("unitpanel_effectiveness_air_hint"); }

int cJednostkaLotnicza::AddStrength(int amount) {
  strength += amount;
  return amount;
}

float cJednostkaLotnicza::GetUnitCost() const { return 0.0f; }

bool cJednostkaLotnicza::GetUpgradeHint(std::wstring* text) { return Hint(text, "unitpanel_upgrade_hint_air_unit", false); }

float cJednostkaLotnicza::GetUpgradeToCorpsCost() {
  LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
  return 0.0f;
}

bool cJednostkaLotnicza::UpgradeToCorps() {
  LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
  return false;
}

bool cJednostkaLotnicza::GetLevelUpHint(std::wstring*) { return false; }
float cJednostkaLotnicza::GetLevelUpCost() { return 0.0f; }
bool cJednostkaLotnicza::LevelUp() { return false; }

bool cJednostkaLotnicza::GetStrengthIconHint(std::wstring*) { return false; }
bool cJednostkaLotnicza::GetStrategicMoveIconHint(std::wstring*) { return false; }

bool cJednostkaLotnicza::GetAirborneAssaultIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_airborne_assault_icon_hint_not_airborne", false);
}

bool cJednostkaLotnicza::GetSeaTransportIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_sea_transport_icon_hint_not_land_unit", false);
}

bool cJednostkaLotnicza::GetAmphibiousTransportIconHint(std::wstring* text) {
  return Hint(text, "unitpanel_amph_transport_icon_hint_not_land_unit", false);
}

bool cJednostkaLotnicza::GetAirFightIconHint(std::wstring*) { return false; }
bool cJednostkaLotnicza::GetBombardmentIconHint(std::wstring*) { return false; }
bool cJednostkaLotnicza::GetNuclearIconHint(std::wstring*) { return false; }
bool cJednostkaLotnicza::GetReconIconHint(std::wstring*) { return false; }
