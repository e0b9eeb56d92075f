// The phases of the computer player's impulse. Each is filled by the
// computer player's planning and acting; until then a phase does nothing
// beyond telling the phase observer that it ran.
#include "ai/ai.h"

// Marks every city a permitted target, then the country's do-not-attack cities as not permitted.
void cAI::ApplyDoNotAttackCities() {
  NoteAiPhase("ApplyDoNotAttackCities");
}

// Land and air strengths of every node of the cities diagram.
void cAI::ComputeNodeStrengths() {
  NoteAiPhase("ComputeNodeStrengths");
}

// The front list: one front per city the country must hold or take.
void cAI::UpdateFronts() {
  NoteAiPhase("UpdateFronts");
}

// The state of every front from the strengths on both sides.
void cAI::RateFronts() {
  NoteAiPhase("RateFronts");
}

// Free commanders to the units that need them most.
void cAI::AssignCommanders() {
  NoteAiPhase("AssignCommanders");
}

// Replacements for air units below factor times their full strength.
void cAI::Replacements(float factor) {
  NoteAiPhase("Replacements");
  (void)factor;
}

// Replacements for land units below factor times their full strength.
void cAI::LandReplacements(float factor) {
  NoteAiPhase("LandReplacements");
  (void)factor;
}

// Repairs of damaged ships in port.
void cAI::RepairShips() {
  NoteAiPhase("RepairShips");
}

// Reserves sent to fronts that are about to fall.
void cAI::SavePoorlyDefendedFronts() {
  NoteAiPhase("SavePoorlyDefendedFronts");
}

// Units moved between fronts to even out their strength.
void cAI::PatchFronts() {
  NoteAiPhase("PatchFronts");
}

// Air units moved to bases nearer the fronts.
void cAI::RebaseAirUnits() {
  NoteAiPhase("RebaseAirUnits");
}

// Air rebasing asked for by the scenario's computer-player data.
void cAI::ScenarioAirRebase() {
  NoteAiPhase("ScenarioAirRebase");
}

// New units, technology and points bought with the production points.
void cAI::PurchaseUnits() {
  NoteAiPhase("PurchaseUnits");
}

// Land units of the reserve pool placed on the map.
void cAI::DeployLandUnits() {
  NoteAiPhase("DeployLandUnits");
}

// Air units of the reserve pool placed on the map.
void cAI::DeployAirUnits() {
  NoteAiPhase("DeployAirUnits");
}

// Ships of the naval reserve placed in ports.
void cAI::DeployNewUnits() {
  NoteAiPhase("DeployNewUnits");
}

// Fighters sent against enemy air units in range.
void cAI::AirFights() {
  NoteAiPhase("AirFights");
}

// Attacks on an enemy unit from several sides, planned and carried out.
void cAI::PlanMultiDirectionAttacks() {
  NoteAiPhase("PlanMultiDirectionAttacks");
}

// Attacks from one side, planned and carried out.
void cAI::PlanOneSideAttacks() {
  NoteAiPhase("PlanOneSideAttacks");
}

// The line of hexes the country holds against a stronger enemy.
void cAI::CalculateLineOfDefence() {
  NoteAiPhase("CalculateLineOfDefence");
}

// An order and a target for every own land unit.
void cAI::AssignOperationalOrders() {
  NoteAiPhase("AssignOperationalOrders");
}

// Units gathered in the ports of a planned sea invasion.
void cAI::BuildUpInvasionForces() {
  NoteAiPhase("BuildUpInvasionForces");
}

// Bombers sent against enemy units at the fronts.
void cAI::TacticalAirStrikes() {
  NoteAiPhase("TacticalAirStrikes");
}

// Bombers sent against enemy ships in range.
void cAI::NavalAirStrikes() {
  NoteAiPhase("NavalAirStrikes");
}

// The target of the next sea invasion.
void cAI::ChooseInvasionTarget() {
  NoteAiPhase("ChooseInvasionTarget");
}

// Every own land unit moved towards the target of its order.
void cAI::ExecuteOperationalMoves() {
  NoteAiPhase("ExecuteOperationalMoves");
}

// Land units shipped to fronts on other land masses.
void cAI::TransportUnitsToFronts() {
  NoteAiPhase("TransportUnitsToFronts");
}

// Strategic bombers sent against enemy cities.
void cAI::StrategicBombardments() {
  NoteAiPhase("StrategicBombardments");
}

// Airborne landings behind the enemy's lines.
void cAI::ParatroopsActions() {
  NoteAiPhase("ParatroopsActions");
}

// Fleets moved to patrol, escort, invade and strike.
void cAI::FleetsActions() {
  NoteAiPhase("FleetsActions");
}

// Convoys opened and dropped to supply ports on other land masses.
void cAI::ConvoysActions() {
  NoteAiPhase("ConvoysActions");
}

// The nearest enemy city as the operational target of a unit.
bool cAI::FindOperationalTarget(cJednostkaLadowa* unit, int& x, int& y) {
  (void)unit;
  x = -1;
  y = -1;
  return false;
}
