#pragma once
// Where the computer player's purchases, replacements and repairs find their
// prices in a country's copy of the scenario constants: one place, so that
// every rule reads the same value. Out-of-table indexes are worth nothing
// rather than a read past the table.
#include <algorithm>

#include "units/air_values.h"
#include "units/land_tables.h"
#include "world/consts.h"
#include "world/country.h"

namespace ai_values {

// The supply level given to new units (constant 48).
inline int NewUnitSupply(const sConsts& c) { return c.reserveSupplyLevel; }

// A new land unit of type 0..6: the level-1 price times the type's factor.
inline float LandUnitPrice(const sConsts& c, int type) { return land_tables::UnitCost(c, 1, type); }
inline float LandPriceFactor(const sConsts& c, int type) { return land_tables::LandCostFactor(c, type); }

// A new air unit of category 0..2 (types 20..22): its base value (the full
// strength, constant 14) times the price per strength point (constant 81).
inline int AirBaseValue(const sConsts& c, int category) { return c.c014[std::clamp(category, 0, 2)]; }
inline float AirPriceFactor(const sConsts& c, int category) { return c.c081[std::clamp(category, 0, 2)]; }

// A new naval unit of category 0..3 (types 40..43), constant 85; its hit
// points, constant 73.
inline float NavalUnitPrice(const sConsts& c, int category) { return c.c085[std::clamp(category, 0, 3)]; }
inline int NavalStrength(const sConsts& c, int type) { return c.shipHitPoints[std::clamp(type - 40, 0, 5)]; }

// Points items: 0 strategic movement, 1 sea transport, 2 amphibious;
// price steps (constant 86) and base prices (constant 87).
enum ePointsItem : int { kStrategicMovement = 0, kSeaTransport = 1, kAmphibious = 2 };
inline float PointsStep(const sConsts& c, ePointsItem item) { return c.c086[item]; }
inline float PointsBase(const sConsts& c, ePointsItem item) { return c.c087[item]; }

// Research: the price of one investment by field (constant 78).
inline float InvestmentPrice(const sConsts& c, int field) { return (field >= 0 && field < 7) ? c.c078[field] : 0.0f; }

// Replacements: price per strength point by land type (constant 79) and by
// air type (the air price per strength point, constant 81), the level
// surcharges in percent (82 land, 83 air) and the caps by supply level
// (derived supply tables 4 land, 5 air).
inline float LandReplacementPrice(const sConsts& c, int type) {
  return (type >= 0 && type < 7) ? c.c079[type] : 0.0f;
}
inline float AirReplacementPrice(const sConsts& c, int type) { return c.c081[air_values::TypeIndex(type)]; }
inline int LandLevelSurcharge(const sConsts& c) { return c.c082; }
inline int AirLevelSurcharge(const sConsts& c) { return c.c083; }
inline int LandReplacementCap(const sConsts& c, int supply) {
  return c.supplyTable[4][std::clamp(supply, 0, kSupplyLevelCount - 1)];
}
inline int AirReplacementCap(const sConsts& c, int supply) {
  return c.supplyTable[5][std::clamp(supply, 0, kSupplyLevelCount - 1)];
}

// The chance (0..1) that a damaged ship gets one hit point back (constant 142).
inline float ShipRepairChance(const sConsts& c) { return c.c142; }

// The artificial harbour's price in production points (constant 135,
// value 1).
inline double HarbourPrice(const sConsts& c) { return c.c135[0]; }

// The chances (1..100) that a ship is counted in the sea strength of a node,
// each read from the ship's country: a friendly ship counts as it would join
// a battle there (the sea battles' join chance, constant 172), an enemy ship
// as it would be spotted there (the base chance of spotting enemy ships,
// constant 165).
inline int FriendlyShipCountChance(const sConsts& c) { return c.c172; }
inline int EnemyShipCountChance(const sConsts& c) { return c.c165; }

// The share of the strongest interceptor's strength and level that a bomber
// needs for its strike to count as a good one (constant 185).
inline float AirSuperiorityThreshold(const sConsts& c) { return c.c185; }

}  // namespace ai_values
