#pragma once
// Where the owner's rule tables for land movement and effectiveness stand in
// its copy of the scenario constants: one place, so that every rule reads the
// same value.
#include <cstdint>

#include "units/air_values.h"
#include "world/consts.h"
#include "world/country.h"

namespace land_tables {

constexpr int kLevelCount = 6;   // land-warfare doctrine levels 0-5
constexpr int kLandTypes = 7;    // land types 0-6
constexpr int kTechLandDoctrine = 2;

// The land-warfare doctrine level, kept within the tables.
inline int DoctrineLevel(const cPanstwo& owner) {
  const int l = owner.techLevels[kTechLandDoctrine];
  return l < 0 ? 0 : (l >= kLevelCount ? kLevelCount - 1 : l);
}

// Action points at level L for a land type (ids 2-7: row L, column type).
inline int ActionPoints(const cPanstwo& owner, int level, int type) {
  if (type < 0 || type >= kLandTypes) return 0;
  return owner.consts.actionPointTable[level][type];
}

// Effectiveness percent per doctrine level (id 18).
inline int EffectivenessPerLevel(const cPanstwo& owner) { return owner.consts.c018; }

inline int ClampSupply(int supply) {
  return supply < 0 ? 0 : (supply >= kSupplyLevelCount ? kSupplyLevelCount - 1 : supply);
}
inline int SupplyEffectiveness(const cPanstwo& owner, int supply) {
  return owner.consts.supplyTable[sConsts::kEffectivenessTable][ClampSupply(supply)];
}
inline int SupplyActionPointPenalty(const cPanstwo& owner, int supply) {
  return owner.consts.supplyTable[sConsts::kActionPointPenaltyTable][ClampSupply(supply)];
}

// Turns without supply after which a unit has nothing left (id 137).
inline int SupplyExhaustionLimit(const cPanstwo& owner) { return owner.consts.c137; }

// Movement cost of a terrain for a unit category: rows 15, 16, 17 by
// category, terrain codes 1-7 and then one cost for every other code.
inline int MovementCost(const cPanstwo& owner, int category, int terrain) {
  const int* row = category == 1 ? owner.consts.c016 : (category == 2 ? owner.consts.c017 : owner.consts.c015);
  return row[(terrain >= 1 && terrain <= 7) ? terrain - 1 : 7];
}

// The zone-of-control surcharge of a land type (id 132): infantry (0, 1) the
// first value, mechanized (2, 3) the second, armour (4, 5) the third. Other
// land types pay the first, as every land unit did before the arms were told
// apart.
inline int ZoneOfControlSurcharge(const cPanstwo& owner, int type) {
  if (type == 2 || type == 3) return owner.consts.c132[1];
  if (type == 4 || type == 5) return owner.consts.c132[2];
  return owner.consts.c132[0];
}

// Scenario factors of the weather move modifiers: b1 for winter (id 139),
// b2 for mud (id 141).
inline float WinterMoveFactor(const cPanstwo& owner) { return owner.consts.c139; }
inline float MudMoveFactor(const cPanstwo& owner) { return owner.consts.c141; }

// Points left above which a reachable hex is marked as far inside the range
// (id 34, by doctrine level).
inline int MoveMarkThreshold(const cPanstwo& owner, int level) { return owner.consts.c034[level]; }

// Strategic move costs: land types in strategic movement points (id 68),
// air types 20-22 in production points (the air table of air_values.h, which
// the air unit's hint reads too).
inline int StrategicMoveCost(const cPanstwo& owner, int type) {
  return (type >= 0 && type < kLandTypes) ? owner.consts.c068[type] : 0;
}
inline float AirStrategicMoveCost(const cPanstwo& owner, int type) {
  return (type >= 20 && type <= 22) ? static_cast<float>(air_values::StrategicMoveCost(owner.consts, type)) : 0.0f;
}

// Land unit prices (ids 9-13): row level 1..5, column land type 0..6. Out of
// the table is worth nothing rather than a read past it.
inline float UnitCost(const sConsts& c, int level, int type) {
  if (level < 1 || level > 5 || type < 0 || type >= kLandTypes) return 0.0f;
  return c.levelUpCostTable[level - 1][type];
}
// The land cost factor of a type (id 90) and the corps factor (id 148), read
// by the level-up and corps prices; the level surcharge percent (id 82) is
// the one the air units pay too.
inline float LandCostFactor(const sConsts& c, int type) {
  return (type >= 0 && type < kLandTypes) ? c.c090[type] : 0.0f;
}
inline float CorpsFactor(const sConsts& c) { return c.c148; }
inline int LevelSurchargePercent(const sConsts& c) { return c.c082; }
// Build time in turns of a land type.
inline int BuildTime(const cPanstwo& owner, int type) {
  return (type >= 0 && type < kLandTypes) ? owner.landBuildTime[type] : 0;
}

}  // namespace land_tables
