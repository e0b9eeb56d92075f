#pragma once
// Records that several subsystems fill and the screen shows.
#include <cstdint>
#include <string>

class cJednostka;
class cPanstwo;

// The result of one fight (air fight, bombardment, nuclear strike,
// interception, shore bombardment, land combat), shown by the combat result
// dialog.
struct sWynikWalki {
  enum : int32_t {
    kLandBattle = 0,
    kAirFight = 1,
    kBombardment = 2,  // an air strike on a land unit
    kAirStrikeOnSeaZone = 3,
    kNuclearStrike = 4,
    kRecon = 5,
    kInterception = 6,
    kShoreBombardment = 7,
    kCarrierStrikeOnLand = 8,
    kCarrierStrikeOnSeaZone = 9,
  };
  int32_t resultCode = 0;
  float attackerLosses = 0.0f;
  float defenderLosses = 0.0f;
  std::wstring generalText;
  std::wstring lossText;
  std::wstring attackerInfo;
  std::wstring defenderInfo;
  int32_t attackerCountry = -1;  // -1 until a fight names the sides
  int32_t defenderCountry = -1;
  uint8_t attackerDestroyed = 0;    // bit 0
  uint8_t defenderDestroyed = 0;    // bit 0
  uint8_t defenderSurrendered = 0;  // bit 0; land battle, no hex to retreat to
  uint8_t defenderRetreated = 0;    // bit 0; land battle
  uint8_t intercepted = 0;
  uint8_t missionStopped = 0;
  uint8_t portDamaged = 0;
  uint8_t cityDamaged = 0;  // a strategic bombardment cost the city production
  uint8_t shipsHit = 0;
  uint8_t navalUnitsDestroyed = 0;

  // Empty again, as constructed, for the next fight.
  void Clear() { *this = sWynikWalki(); }
};

// A land attack being prepared: the defending unit, its hex and one attacker
// slot per hex side (slot d holds the attacker on side d of the target hex).
// The strength and modifier queries read the units, the target hex and the
// countries' constants of the running game; they are defined with land
// combat (rules/land_combat.cpp).
struct sAtak {
  cJednostka* defender = nullptr;
  int32_t targetX = 0;
  int32_t targetY = 0;
  cJednostka* attackers[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

  // Slots outside 0..5 are ignored.
  void SetAttacker(cJednostka* unit, int slot) {
    if (slot >= 0 && slot < 6) attackers[slot] = unit;
  }
  void ClearAttacker(int slot) { SetAttacker(nullptr, slot); }
  // Empties the first slot that holds the unit.
  void RemoveAttacker(const cJednostka* unit);
  bool HasAttacker(const cJednostka* unit) const;
  int CountAttackers() const {
    int n = 0;
    for (cJednostka* a : attackers)
      if (a != nullptr) ++n;
    return n;
  }
  // The country of the first filled slot; null when none.
  cPanstwo* GetAttackerCountry() const;

  // Strengths.
  float GetTotalStrengthValue() const;
  float GetAttackStrength() const;
  float GetDefenceStrength() const;

  // Defence modifiers (1.0 is no effect).
  float GetTerrainModifier() const;
  float GetCityModifier() const;
  float GetEntrenchmentModifier() const;
  float GetWeatherModifier() const;
  float GetDefenceModifier() const;

  // Attack modifiers (1.0 is no effect).
  float GetArmourModifier() const;
  float GetAttackSidesModifier() const;
  float GetAttackerWeatherModifier() const;
  float GetFortificationModifier() const;
  float GetAttackModifier() const;

  // The odds column 1..7 of the loss tables.
  int ComputeOddsColumn() const;
  // The commanders of the attackers and of the defender may gain a point of
  // experience.
  void GainCommanderExperience() const;
};
