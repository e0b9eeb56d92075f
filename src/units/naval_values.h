#pragma once
// Where the naval rules find their numbers in a country's copy of the
// scenario constants. Per-type values are indexed by naval type 40..45.
#include <algorithm>

#include "units/air_values.h"
#include "world/consts.h"
#include "world/country.h"

namespace naval_values {

inline int TypeIndex(int type) { return std::clamp(type - 40, 0, 5); }

// Tech-level slots of the naval doctrines.
constexpr int kSubmarineTech = 4;
constexpr int kNavyTech = 5;
constexpr int kAircraftTech = 3;

// The smallest port a ship of the type may enter (constant 74).
inline int MinPortSize(const sConsts& c, int type) { return c.c074[TypeIndex(type)]; }
// The two sea-battle attack bounds of the type (constants 161 and 162).
inline int AttackLow(const sConsts& c, int type) { return c.c161[TypeIndex(type)]; }
inline int AttackHigh(const sConsts& c, int type) { return c.c162[TypeIndex(type)]; }
// Chances in thousandths of a carrier's and of a raiding submarine's
// surprise attack (constant 72, values 1 and 2).
inline int CarrierSurprise(const sConsts& c) { return c.c072[0]; }
inline int SubmarineSurprise(const sConsts& c) { return c.c072[1]; }
// The hit points a carrier needs to fly (constant 156).
inline int CarrierThreshold(const sConsts& c) { return c.carrierMinHitPoints; }
// Sea-transport points a cargo ship gives back when its land unit of the
// type goes ashore (constant 69).
inline int SeaTransportCost(const sConsts& c, int landType) { return c.seaTransportCost[std::clamp(landType, 0, 6)]; }
// Amphibious invasion points a land unit of the type costs to embark on an
// amphibious ship (constant 70).
inline int AmphibiousCost(const sConsts& c, int landType) { return c.amphibiousTransportCost[std::clamp(landType, 0, 6)]; }
// Hit points of a new ship of the type (constant 73).
inline int ShipHitPoints(const sConsts& c, int type) { return c.shipHitPoints[TypeIndex(type)]; }
// An assault from the sea: the effectiveness the landing troops lose, as a
// share (constant 159), and the factor a surviving defender's strength is
// weighed by (constant 160, read from the defender's owner).
inline float AmphibiousEffectivenessPenalty(const sConsts& c) { return c.c159; }
inline int AmphibiousDefenceFactor(const sConsts& c) { return c.c160; }
// Strength points a unit loses landing on a hex its side does not hold, by
// die 1..6 (constant 170).
inline int InvasionLoss(const sConsts& c, int die) { return c.c170[std::clamp(die, 1, 6) - 1]; }
// The fleet move range in sea-graph steps (constant 71).
inline int FleetMoveRange(const sConsts& c) { return c.fleetMoveRange; }
// Base ranges of a fleet's planes and guns in hexes (constants 157, 158),
// both scaled by the range factor of the aircraft technology (151).
inline int FleetAirRange(const sConsts& c, int aircraftTech) {
  return static_cast<int>(air_values::RangeFactor(c, aircraftTech) * static_cast<float>(c.c157));
}
inline int FleetShoreRange(const sConsts& c, int aircraftTech) {
  return static_cast<int>(air_values::RangeFactor(c, aircraftTech) * static_cast<float>(c.c158));
}
// One more hit point lost, and the ship sunk outright, by a bombardment
// (constants 183, 184; percent).
inline int ExtraHitChance(const sConsts& c) { return c.extraHitLossChance; }
inline int SinkChance(const sConsts& c) { return c.sinkChance; }

}  // namespace naval_values
