#pragma once
// Diplomacy: what a country may do with its diplomatic points. Every action
// is a check and an executor. A check changes nothing: it answers false with
// the refusal, or true with the offer (cost and chance), in the text. An
// executor pays, rolls and writes its result into the text; it does not
// repeat the check, so callers check first.
//
// Countries are given by id (1-based). An unknown id, or an orientation
// outside 0..5 asked for by a caller, is refused with a log line and a text,
// and nothing changes.
#include <string>

class cPanstwo;

// base plus the sum of count rolls of 1..sides; base alone when count < 1.
int RollDice(int count, int sides, int base);
// The same from a triple of reals (count, sides, base), each truncated.
int RollDice(const float triple[3]);

// Costs and chances; integer results truncate toward zero.
int DiplomacyOrientationChangeCost(const cPanstwo& country);
int DiplomacyDelayCost(const cPanstwo& country);
int DiplomacyHastenCost(const cPanstwo& country);
int DiplomacyDeclareWarCost(const cPanstwo& attacker, const cPanstwo& target);
int DiplomacyDeclareWarUnrest(const cPanstwo& attacker, const cPanstwo& target);
int DiplomacyPressureCost(const cPanstwo& presser, const cPanstwo& target);
int DiplomacyPressureChance(const cPanstwo& presser, const cPanstwo& target);
int DiplomacyCoupCost(const cPanstwo& target);
int DiplomacyCoupChance(const cPanstwo& target);

// Checks.
bool DiplomacyCanChangeOrientation(int country, std::wstring& text);
bool DiplomacyCanHoldElections(int country, std::wstring& text);
bool DiplomacyCanDelayAllianceEntry(int country, std::wstring& text);
bool DiplomacyCanHastenAllianceEntry(int country, std::wstring& text);
bool DiplomacyCanDeclareWar(int attacker, int target, std::wstring& text);
bool DiplomacyCanExertPressure(int presser, int target, std::wstring& text);
bool DiplomacyCanStageCoup(int actor, int target, std::wstring& text);

// Executors: true when the action was carried out.
bool DiplomacyChangeOrientation(int country, int newOrientation, std::wstring& text);
bool DiplomacyResolveElections(int country, int winningOrientation, std::wstring& text);
bool DiplomacyDelayAllianceEntry(int country, std::wstring& text);
bool DiplomacyHastenAllianceEntry(int country, std::wstring& text);
// Pays the cost and the unrest only when asked (events declare for free).
// Returns the case 1..6 that was applied, 0 when refused.
int DiplomacyDeclareWar(int attacker, int target, bool pay);
bool DiplomacyExertPressure(int presser, int target, std::wstring& text);
bool DiplomacyStageCoup(int actor, int target, std::wstring& text);
