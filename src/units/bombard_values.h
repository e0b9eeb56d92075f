#pragma once
// Where the bombardment of a land unit finds its percent tables in a
// country's copy of the scenario constants: one place, so that the rule and
// its tests read the same values.
#include <algorithm>

#include "world/consts.h"

namespace bombard_values {

// The strength an air unit's strength is measured against (constant 60, as
// for the strategic bombardment of a city).
inline int MaxAirStrength(const sConsts& c) { return c.c060; }
// Attacker factor by level 1..5 (constant 58).
inline int LevelFactor(const sConsts& c, int levelIndex) { return c.c058[std::clamp(levelIndex, 0, 4)]; }
// Attacker factor by supply level: the effectiveness table of supply.
inline int SupplyFactor(const sConsts& c, int supplyIndex) {
  return c.supplyTable[sConsts::kEffectivenessTable][std::clamp(supplyIndex, 0, kSupplyLevelCount - 1)];
}
// Defender factor by terrain code (constant 57).
inline int TerrainFactor(const sConsts& c, int terrain) { return c.c057[std::clamp(terrain, 0, 8)]; }
// Defender factor in a city (constant 146).
inline int CityFactor(const sConsts& c) { return c.c146; }
// Defender factor by weather state 0 clear, 1 winter, 2 mud (constant 126).
inline int WeatherFactor(const sConsts& c, int weather) { return c.c126[std::clamp(weather, 0, 2)]; }
// Percent taken off the attack per fort level (constant 147).
inline int FortStep(const sConsts& c) { return c.c147; }
// Percent per point of a unit's trench bonus (constant 144, as in land combat).
inline float EntrenchmentFactor(const sConsts& c) { return c.c144; }

}  // namespace bombard_values
