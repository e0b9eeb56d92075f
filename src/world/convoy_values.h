#pragma once
// Where convoys and attacks on ports find their numbers in the scenario
// constants: one place, so that the rules and their tests read the same
// values.
#include <algorithm>

#include "units/unit.h"
#include "world/consts.h"
#include "world/country.h"

namespace convoy_values {

// The full supply value of a country (constant 48), the value the supply
// phase gives the cities connected to a supply source.
inline int FullSupply(const cPanstwo& c) { return c.consts.reserveSupplyLevel; }
// Sea-transport points per production point carried (constant 120 value 1).
inline float StpPerProductionPoint(const sConsts& c) { return c.c120[0]; }
// Sea-transport points to supply one unit, by unit type (constant 120
// values 2-8 for land types 0-6, values 9-11 for air types 20-22).
inline float StpPerUnit(const sConsts& c, int type) {
  if (type >= 0 && type <= 6) return c.c120[1 + type];
  if (type >= kTypeFighter && type <= kTypeStrategicBomber) return c.c120[8 + type - kTypeFighter];
  return 0.0f;
}
// Commander factor of an attack on a convoy (constant 180 value 1).
inline int CommanderFactor(const sConsts& c) { return c.c180[0]; }
// The attack factor for the sea-transport points still afloat (constant
// 121 values 2-4: at most 10, 11 to 20, above 20).
inline float AttackFactor(const sConsts& c, int afloat) {
  return c.convoyAttackFactor[afloat <= 10 ? 0 : (afloat <= 20 ? 1 : 2)];
}

// Port bombardment: the attacker's port-attack and the defender's
// port-defence value (constant 176), each times a doctrine level: the
// attacker's aircraft and the defender's navy technology.
inline int PortAttack(const cPanstwo& c) { return c.consts.c176[0]; }
inline int PortDefence(const cPanstwo& c) { return c.consts.c176[1]; }
inline int PortAttackLevel(const cPanstwo& c) { return c.techLevels[3]; }
inline int PortDefenceLevel(const cPanstwo& c) { return c.techLevels[5]; }
// Ships hit by a bombardment (constant 178): the base chance for a fully
// spotted and for another ship, the chance per point of the ship's
// strength, and the share in percent a strategic bomber's chance keeps.
inline int ShipHitBaseSpotted(const sConsts& c) { return c.c178[0]; }
inline int ShipHitBaseUnspotted(const sConsts& c) { return c.c178[1]; }
inline int ShipHitPerStrength(const sConsts& c) { return c.c178[2]; }
inline int StrategicBomberShipHitPercent(const sConsts& c) { return c.c178[3]; }

}  // namespace convoy_values
