// The phases of the computer player's impulse. Each is filled by the
// computer player's planning and acting; until then a phase does nothing
// beyond telling the phase observer that it ran.
#include "ai/ai.h"

// An order and a target for every own land unit.
void cAI::AssignOperationalOrders() {
  NoteAiPhase("AssignOperationalOrders");
}

// Units gathered in the ports of a planned sea invasion.
void cAI::BuildUpInvasionForces() {
  NoteAiPhase("BuildUpInvasionForces");
}

// The target of the next sea invasion.
void cAI::ChooseInvasionTarget() {
  NoteAiPhase("ChooseInvasionTarget");
}

// Every own land unit moved towards the target of its order.
void cAI::ExecuteOperationalMoves() {
  NoteAiPhase("ExecuteOperationalMoves");
}

// Fleets moved to patrol, escort, invade and strike.
void cAI::FleetsActions() {
  NoteAiPhase("FleetsActions");
}

// The nearest enemy city as the operational target of a unit.
bool cAI::FindOperationalTarget(cJednostkaLadowa* unit, int& x, int& y) {
  (void)unit;
  x = -1;
  y = -1;
  return false;
}
