#pragma once
// Small lookups shared by the combat rules of air and naval units.
#include <string>

#include "units/unit.h"
#include "world/consts.h"
#include "world/country.h"
#include "world/game.h"

struct sWynikWalki;

// The end of an interception of an air or naval unit's mission: the fighter
// shot down fails it, the attacker shot down or losing more than the fighter
// stops it. Fills the reports of both sides, kills a downed fighter and
// answers whether the mission was stopped. The air unit also logs the outcome.
bool SettleInterception(sWynikWalki& result, cJednostkaLotnicza* fighter, bool attackerDead, int lossM, int lossI,
                        bool logOutcome);

namespace unit_rules {

// The owner's copy of the scenario constants; the game's block for a unit
// without a country.
inline const sConsts& ConstsOf(const cUnit& unit) {
  static const sConsts kNone{};
  if (const cPanstwo* owner = unit.GetCountry()) return owner->consts;
  return gGra != nullptr ? gGra->consts : kNone;
}

// The owner's naval doctrine (navy technology); 0 without a country.
inline int NavalDoctrine(const cUnit& unit) {
  const cPanstwo* owner = unit.GetCountry();
  return owner != nullptr ? owner->techLevels[5] : 0;
}

inline std::wstring CountryName(const cUnit& unit) {
  const cPanstwo* owner = unit.GetCountry();
  return owner != nullptr ? owner->name : std::wstring();
}

// Entry (die d, column c) of an air-combat result table.
inline int Entry(const int (&table)[6][9], int d, int c) { return table[d - 1][c + 4]; }

// Losses dealt by country a to country b.
inline void AddLosses(int a, int b, int amount) {
  if (gGra != nullptr && a >= 1 && b >= 1) gGra->relations.ChangeLosses(a, b, static_cast<float>(amount));
}

}  // namespace unit_rules
