#pragma once
// The end of an impulse and of a turn (cGra::EndOfImpulse and its phases in
// end_of_turn.cpp): where they find their rates in a country's copy of the
// scenario constants, and the report kinds they file.
#include "world/consts.h"

namespace turn_values {

// Id 115 holds seven rates: the production reads the first three, the end
// of impulse the last four, in this order.
inline float SocialUnrestDecrease(const sConsts& c) { return c.c115[3]; }
// War economy growth per month for nationalist and communist regimes
// (orientations 1 and 2), for every other orientation, and the change once
// it has reached 100.
inline float WarEconomyGrowthDictatorship(const sConsts& c) { return c.c115[4]; }
inline float WarEconomyGrowthOther(const sConsts& c) { return c.c115[5]; }
inline float WarEconomyChangeAbove100(const sConsts& c) { return c.c115[6]; }
// Id 143: the highest entrenchment level of a land unit.
inline int MaxEntrenchment(const sConsts& c) { return c.c143; }
// Id 135, third value: the strength of an artificial harbour.
inline float HarbourStrength(const sConsts& c) { return c.newMulberryStrength; }

}  // namespace turn_values

// Report kinds of the turn phases.
enum : int {
  kSiegeReport = 21,
  kProductionReport = 22,
  kResearchReport = 23,
  kUpkeepReport = 26,
};
