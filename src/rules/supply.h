#pragma once
// Supply: where the supply rules find their numbers in a country's copy of
// the scenario constants, and the way to the world topography object whose
// methods compute supply (world/topography.h).
#include <algorithm>

#include "units/land_tables.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/topography.h"

namespace supply_values {

// The full supply value of the country: its cities' value when connected to
// a supply source, and the reach of the distance flood (constant 48, also
// the level of units put into the reserve and of artificial harbours).
inline int SupplyRange(const cPanstwo& c) { return c.consts.reserveSupplyLevel; }
// Cost of carrying supply into a hex: the land movement costs (constant 15;
// terrain 1-7, then one entry for every other code, sea included). A cost
// below 1 would let the flood revisit hexes without end, so it counts as 1.
inline int TerrainCost(const cPanstwo& c, int terrain) {
  return std::max(1, land_tables::MovementCost(c, kCategoryLand, terrain));
}
inline int MaxTurnsWithoutSupply(const cPanstwo& c) { return land_tables::SupplyExhaustionLimit(c); }
// The artificial harbour's supply range (constant 135, second value), as the
// absorption of unsupplied hexes reads it.
inline float HarbourRange(const cPanstwo& c) { return c.consts.c135[1]; }
// Ship supply: the most ships give (168), how far from the unit sea hexes
// count (169), the value of an own ship and the penalty of an enemy ship by
// naval type 40-45 (170, 171), and whether a computer country with a ship
// there takes the most at once (181, not 0).
inline int ShipSupplyMax(const cPanstwo& c) { return c.consts.c168; }
inline int ShipSearchRange(const cPanstwo& c) { return c.consts.c169; }
inline int ShipSupplyValue(const cPanstwo& c, int type) {
  return (type >= kTypeCarrier && type <= kTypeAmphibious) ? c.consts.c170[type - kTypeCarrier] : 0;
}
inline int EnemyShipPenalty(const cPanstwo& c, int type) {
  return (type >= kTypeCarrier && type <= kTypeAmphibious) ? c.consts.c171[type - kTypeCarrier] : 0;
}
inline bool ComputerTakesShipMaximum(const cPanstwo& c) { return c.consts.c181 != 0; }

}  // namespace supply_values

// The world topography object of the running game, created (or resized) for
// the current map when needed; the end of impulse runs CalculateSupply,
// SupplyFromMulberries and SupplyFromShips on it.
cTopografia& WorldTopography();
