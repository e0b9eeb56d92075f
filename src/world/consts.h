#pragma once
// The scenario constants: every rule number a scenario may tune, read from
// the scenario's consts.csv. A constant is known by its id 1..185, the
// position of its data line in the file. The game holds one block and every
// country a full copy of its own, which events may change alone.
#include <string>

inline constexpr int kConstsIdCount = 185;
inline constexpr int kSupplyLevelCount = 51;  // supply levels 0..50
inline constexpr int kSupplyBracketCount = 10;
inline constexpr int kSupplyTableCount = 6;

// Members named cNNN hold constant NNN where no fixed meaning is known; the
// rules that read them name them by id. Arrays hold a row's values in field
// order. The block is plain data: a copy is a full copy.
struct sConsts {
  // Which of the derived supply-level tables is which.
  enum eSupplyTable {
    kEffectivenessTable = 0,       // effectiveness and its hint
    kActionPointPenaltyTable = 1,  // subtracted from the action points
    kInterceptionBonusTable = 2,   // fighter interception bonus
  };

  int turnsPerMonth[12] = {};       // 1: January .. December
  int actionPointTable[6][7] = {};  // 2-7: by land unit type 1..7
  int c008[3] = {};
  float levelUpCostTable[5][7] = {};  // 9-13: by land unit type 1..7
  int c014[3] = {};
  int c015[8] = {};
  int c015Field10 = 0;
  int c016[8] = {};
  int c016Field10 = 0;
  int c017[8] = {};
  int c017Field10 = 0;
  int c018 = 0;
  float c019[7] = {};
  float c020[7] = {};
  float c021[7] = {};
  float c022[7] = {};
  float c023[7] = {};
  float c024[7] = {};
  float c025[7] = {};
  float c026[7] = {};
  float c027[7] = {};
  float c028[7] = {};
  float c029[7] = {};
  float c030[7] = {};
  float c031[13] = {};
  float c032[9] = {};
  float c033 = 0;
  int c034[6] = {};
  int airCombatTableA[6][9] = {};  // 35-40: by die 1..6, nine columns
  int airCombatTableB[6][9] = {};  // 41-46: by die 1..6, nine columns
  int c047[5] = {};
  int reserveSupplyLevel = 0;  // 48: supply level of a land unit put into the reserve pool
  int c049 = 0;
  int supplyBracketUpper[kSupplyBracketCount] = {};                     // 50
  int supplyBracketValue[kSupplyTableCount][kSupplyBracketCount] = {};  // 51-56
  int c057[9] = {};
  int c058[5] = {};
  int c059[3] = {};
  int c060 = 0;
  float bombardDefenderLoss[6] = {};   // 61: by die 1..6
  int bombardAttackerLoss[6][5] = {};  // 62-67: by die 1..6, columns 1..5
  int c068[7] = {};
  int seaTransportCost[7] = {};         // 69: by land unit type
  int amphibiousTransportCost[7] = {};  // 70: by land unit type
  int fleetMoveRange = 0;               // 71: in sea-graph steps
  int c072[8] = {};
  int shipHitPoints[6] = {};  // 73: by naval unit type 1..6
  int maxShipHitPoints = 1;   // 73: their maximum, at least 1
  int c074[6] = {};
  int c075[6] = {};
  float c076[6] = {};
  int c077[6] = {};
  float c078[7] = {};
  float c079[7] = {};
  float c080[3] = {};
  float c081[3] = {};
  int c082 = 0;
  int c083 = 0;
  int c084 = 0;
  float c085[4] = {};
  float c086[3] = {};
  float c087[3] = {};
  int c088[7] = {};
  int c089[7] = {};
  float c090[7] = {};
  float c091[6] = {};
  float c092[6] = {};
  float c093[3] = {};
  float c094[9] = {};
  int politicalTable1[9][6] = {};    // 95-103
  int politicalTable2[9][6] = {};    // 104-112
  float pressureFactors[6] = {};     // 113: exerting pressure and alliance entry
  float coupFactors[11] = {};        // 114: coup check and result
  float c115[7] = {};
  int paratroopLosses[6] = {};       // 116: by air activity 1..6, strength points
  float battleshipFire[6] = {};      // 117: by die 1..6
  float cruiserFire[6] = {};         // 117: by die 1..6
  float fleetSizeExponent = 0;       // 117
  float c118[7] = {};
  float c119[8] = {};
  float c120[11] = {};
  float convoyBaseChance = 0;        // 121
  float convoyAttackFactor[3] = {};  // 121: up to 10, 11 to 20, over 20 STP afloat
  float convoyRaiderFactor = 0;      // 121
  int c122[6] = {};
  int c123[6] = {};
  int nuclearStrike[3] = {};  // 124
  int c125[6] = {};
  int c126[5] = {};
  int c127[2] = {};
  int c128 = 0;
  int seaBattleValues[5] = {};  // 129
  int c130[4] = {};
  float siegeConstants[7] = {};  // 131: S0..S6
  int c132[3] = {};
  int c133[3] = {};
  int initialTurnsSinceDrop = 0;  // 134: of a land unit, turns since its last airborne drop
  float c135[2] = {};
  float newMulberryStrength = 0;  // 135 value 3
  float newMulberryMonths = 0;    // 135 value 4
  float unitUpkeepFactor = 0;     // 136
  int c137 = 0;
  float c138 = 0;
  float c139 = 0;
  float c140 = 0;
  float c141 = 0;
  float c142 = 0;
  int c143 = 0;
  float c144 = 0;
  int c145 = 0;
  int c146 = 0;
  int c147 = 0;
  float c148 = 0;
  int c149 = 0;
  float shoreBombardTechFactor[5] = {};  // 150: by navy tech level 1..5
  float airRangeTechFactor[5] = {};      // 151: by aircraft tech level 1..5
  int allyHexStrengthMargin = 0;         // 152: political strength over a stronger ally to take its hexes
  float aiStrategicBombardFactor = 0;    // 153
  // 154: build time in turns of a bought unit, by land type 0..6 and air
  // type 20..22 (fields 1..10) and by naval type 40..43 (fields 11..14). A
  // file without the row keeps these.
  int c154[10] = {2, 3, 3, 4, 4, 5, 2, 3, 4, 5};
  int c154Second[4] = {8, 8, 5, 3};
  float c155 = 0;
  int carrierMinHitPoints = 0;  // 156
  int c157 = 0;
  int c158 = 0;
  float c159 = 0;
  int c160 = 0;
  int c161[6] = {};
  int c162[6] = {};
  int c163 = 0;
  int c164 = 0;
  int c165 = 0;
  int c166[3] = {};
  int c166Field4 = 0;
  int c167[3] = {};
  int c168 = 0;
  int c169 = 0;
  int c170[6] = {};
  int c171[6] = {};
  int c172 = 0;
  int c173 = 0;
  int c174 = 0;
  int c175 = 0;
  int c176[2] = {};
  int c177[3] = {};
  int c178[4] = {};
  int c179[3] = {};
  int c180[3] = {};
  int c181 = 0;
  int aiIdleSearchRadius = 0;  // 182: hexes
  int extraHitLossChance = 0;  // 183: percent per remaining hit point
  int sinkChance = 0;          // 184: percent
  float c185 = 0;

  // Built from the brackets (ids 50-56) after reading, indexed by supply level.
  int supplyTable[kSupplyTableCount][kSupplyLevelCount] = {};

  // Value k (from 1, in field order) of constant id, for rules that read
  // constants by number. Int answers 0 for a real value or an unknown id or k,
  // Real 0 for an integer value likewise.
  int Int(int id, int k = 1) const;
  float Real(int id, int k = 1) const;
  // The storage of value k of constant id; null when there is none of that type.
  int* IntSlot(int id, int k = 1);
  float* RealSlot(int id, int k = 1);
  // How many values constant id holds (0 for an unknown id).
  static int ValueCount(int id);
};

// Fills the block from "data\\scenarios\\<scenario>\\consts.csv" (relative to
// the working directory). Without an owner name (the game's block) a file that
// cannot be opened ends the program; with one (a country's copy) the answer is
// false and the caller copies the game's block instead.
bool LoadConsts(sConsts& block, const std::wstring& scenarioName, const std::wstring* ownerName);
// Same, from an explicit game path; optional chooses the owner-name behaviour.
bool LoadConstsFile(sConsts& block, const std::wstring& path, bool optional);
