#pragma once
// Land combat: up to six attackers, one on each side of a hex, against the
// unit on it. The attack record works out strengths, modifiers and the odds
// column; the battle rolls the dice, applies the losses of the scenario's two
// loss tables, lets a beaten defender retreat or surrender and files the
// reports.
#include "core/shared_records.h"
#include "world/consts.h"

class cJednostka;
class cPanstwo;

// Where the owner's land-combat values stand in its copy of the scenario
// constants, so that every rule reads the same value.
namespace land_combat_tables {

// Id 31: river crossing factor, fortification percent per level, anti-armour
// factor, factor against a defender that is no land unit, factors for 1..6
// attacking sides.
inline float RiverFactor(const sConsts& c) { return c.c031[0]; }
inline float FortificationPercent(const sConsts& c) { return c.c031[1]; }
inline float AntiArmourFactor(const sConsts& c) { return c.c031[2]; }
inline float NonLandDefenderFactor(const sConsts& c) { return c.c031[3]; }
inline float SidesFactor(const sConsts& c, int sides) { return (sides >= 1 && sides <= 6) ? c.c031[3 + sides] : 1.0f; }
// Id 32: terrain factor by terrain 1..7 (1.0 for other codes), city factor.
inline float TerrainFactor(const sConsts& c, int terrain) {
  return (terrain >= 1 && terrain <= 7) ? c.c032[terrain - 1] : 1.0f;
}
inline float CityFactor(const sConsts& c) { return c.c032[7]; }
// Id 33: the defence strength of a defender that is no land unit.
inline float NonLandDefenceStrength(const sConsts& c) { return c.c033; }
// Id 34: action points an attack costs, by land-warfare doctrine level 0..5.
inline int AttackCost(const sConsts& c, int level) { return (level >= 0 && level < 6) ? c.c034[level] : 0; }
// Id 144: percent of defence gained per entrenchment level.
inline float EntrenchmentPercent(const sConsts& c) { return c.c144; }
// Ids 138 and 140: the winter and mud battle factors, percent.
inline float WinterBattleFactor(const sConsts& c) { return c.c138; }
inline float MudBattleFactor(const sConsts& c) { return c.c140; }
// Ids 19-24 and 25-30: the defender-loss table (percent of strength) and the
// attacker-loss table (factor of the defender's loss value), by die 1..6 and
// column 1..7.
inline float DefenderLoss(const sConsts& c, int die, int column) {
  const float* rows[6] = {c.c019, c.c020, c.c021, c.c022, c.c023, c.c024};
  return rows[die - 1][column - 1];
}
inline float AttackerLoss(const sConsts& c, int die, int column) {
  const float* rows[6] = {c.c025, c.c026, c.c027, c.c028, c.c029, c.c030};
  return rows[die - 1][column - 1];
}
// Ids 78 and 79: retreat chance factors by column 1..7 and by terrain 1..7
// (1.0 for other codes).
inline float RetreatColumnFactor(const sConsts& c, int column) { return c.c078[column - 1]; }
inline float RetreatTerrainFactor(const sConsts& c, int terrain) {
  return (terrain >= 1 && terrain <= 7) ? c.c079[terrain - 1] : 1.0f;
}
// Id 149: the retreat base; a beaten defender's chance starts at this minus
// its strength, in percent.
inline int RetreatBase(const sConsts& c) { return c.c149; }
// Id 133: the most experience a commander gains in battle, and his chance in
// percent of one more point per attack and per defence.
inline int CommanderExperienceMax(const sConsts& c) { return c.c133[0]; }
inline int AttackExperienceChance(const sConsts& c) { return c.c133[1]; }
inline int DefenceExperienceChance(const sConsts& c) { return c.c133[2]; }

}  // namespace land_combat_tables

// A computer country: neither played at this computer nor by a PBEM player.
bool IsComputerCountry(const cPanstwo* country);

// The computer player's die rule: when the draw (0..1) is above 0.1, a
// computer attacker against a country that is not one adds 1 to the
// defender-loss die, and a computer defender against a country that is not
// one adds 1 to the attacker-loss die; both stay at most 6.
void ApplyComputerDieRule(const cPanstwo* attacker, const cPanstwo* defender, float draw, int& defenderDie,
                          int& attackerDie);

// Resolves the battle of the record's attackers against its defender and
// fills the result. False, with nothing changed, when the record has no
// defender or no attacker. Destroyed units are freed and their slots (or the
// defender) emptied in the record.
bool ResolveLandCombat(sAtak& attack, sWynikWalki& result);

// One attacker against the unit on (x, y), for an assault from outside the
// map such as a landing from the sea: the attacker takes the slot of its side
// when it stands next to the hex, else of the first sea side, else side 0.
// The result's destroyed flags tell whether either side was destroyed.
bool ResolveSingleAttack(cJednostka* attacker, int x, int y, sWynikWalki& result);
