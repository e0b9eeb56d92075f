#pragma once
// Where the air rules find their numbers in a country's copy of the scenario
// constants. Per-type values are indexed by air type 20..22.
#include <algorithm>

#include "world/consts.h"
#include "world/country.h"

namespace air_values {

inline int TypeIndex(int type) { return std::clamp(type - 20, 0, 2); }

// Action points of a fresh turn (constant 8).
inline int ActionPoints(const sConsts& c, int type) { return c.c008[TypeIndex(type)]; }
// Cost of the type in production points, also its full strength (constant 14).
inline int FullStrength(const sConsts& c, int type) { return c.c014[TypeIndex(type)]; }
// Strategic-movement points a move costs (constant 59).
inline int StrategicMoveCost(const sConsts& c, int type) { return c.c059[TypeIndex(type)]; }
// Level-up cost factor of the type and the percent added per level (80, 82).
inline float LevelUpFactor(const sConsts& c, int type) { return c.c080[TypeIndex(type)]; }
inline int LevelUpPercent(const sConsts& c) { return c.c082; }
// Base ranges in hexes (constant 47): operational and rebase range, each for
// the other types and for strategic bombers.
inline int BaseOperationalRange(const sConsts& c, int type) { return type == 22 ? c.c047[1] : c.c047[0]; }
inline int BaseRebaseRange(const sConsts& c, int type) { return type == 22 ? c.c047[3] : c.c047[2]; }
// Range factor by aircraft technology (constant 151, levels 1..5; level 0
// flies as level 1).
inline float RangeFactor(const sConsts& c, int techLevel) {
  return c.airRangeTechFactor[std::clamp(techLevel, 1, 5) - 1];
}
// The reach of an airborne drop: the range factor at the tech level times
// the airborne base range (constant 47 value 5), truncated.
inline int AirborneRange(const sConsts& c, int techLevel) {
  return static_cast<int>(RangeFactor(c, techLevel) * static_cast<float>(c.c047[4]));
}
// Reach over sea nodes in hexes (constant 145).
inline int NavalAirRange(const sConsts& c) { return c.c145; }
// The strength a fighter must keep more than half of to intercept (constant 60).
inline int InterceptionStrength(const sConsts& c) { return c.c060; }
// Fighter interception bonus by supply level, also the air fight's supply
// modifier (the derived supply table of interception).
inline int InterceptionBonus(const sConsts& c, int supplyLevel) {
  return c.supplyTable[sConsts::kInterceptionBonusTable][std::clamp(supplyLevel, 0, kSupplyLevelCount - 1)];
}
// Minimum supply level for rebasing: base (constant 128) x percent of the
// type (constant 177) / 100.
inline int RebaseMinSupply(const sConsts& c, int type) { return c.c128 * c.c177[TypeIndex(type)] / 100; }
// Nuclear strike: radius, direct unrest increase (constant 124 values 2
// and 3) and allied unrest increase (constant 175).
inline int NuclearRadius(const sConsts& c) { return c.nuclearStrike[1]; }
inline int NuclearDirectUnrest(const sConsts& c) { return c.nuclearStrike[2]; }
inline int NuclearAlliedUnrest(const sConsts& c) { return c.c175; }
// Commander factor of the air-fight protection roll (constant 179 value 1).
inline int CommanderAirFightFactor(const sConsts& c) { return c.c179[0]; }
// Commander factor of a bombardment's chance to hit a ship (constant 179
// value 3; value 2 belongs to land combat).
inline int CommanderBombardmentFactor(const sConsts& c) { return c.c179[2]; }
// A carrier's level floor in percent of its maximum hit points (constant 155).
inline float CarrierLevelFloor(const sConsts& c) { return c.c155; }

}  // namespace air_values
