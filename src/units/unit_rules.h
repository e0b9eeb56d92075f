#pragma once
// Small lookups shared by the combat rules of air and naval units.
#include <functional>
#include <string>

#include "units/unit.h"
#include "world/consts.h"
#include "world/country.h"
#include "world/game.h"

struct sWynikWalki;

// The interception of a unit's mission by a fighter or a carrier's planes:
// one die on a column of the two air-combat result tables, the losses of
// both sides and both reports. moverColumn is the mission's side of the
// column; takeLoss takes the rolled loss off the mission's unit and answers
// what it really lost. The fighter shot down fails the mission, the mission's
// unit shot down or losing more than the fighter stops it: the answer. With
// logFight the fight and its outcome are logged (the air unit's missions).
bool ResolveInterception(cUnit& mover, cUnit* interceptor, sWynikWalki& result,
                         const std::function<int(const cUnit& interceptor)>& moverColumn,
                         const std::function<int(int loss)>& takeLoss, const std::function<bool()>& moverDead,
                         bool logFight);

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
