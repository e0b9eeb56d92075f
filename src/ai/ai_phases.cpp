// The phases of the computer player's impulse. Each is filled by the
// computer player's planning and acting; until then a phase does nothing
// beyond telling the phase observer that it ran.
#include "ai/ai.h"

// Units gathered in the ports of a planned sea invasion.
void cAI::BuildUpInvasionForces() {
  NoteAiPhase("BuildUpInvasionForces");
}

// The target of the next sea invasion.
void cAI::ChooseInvasionTarget() {
  NoteAiPhase("ChooseInvasionTarget");
}

// Fleets moved to patrol, escort, invade and strike.
void cAI::FleetsActions() {
  NoteAiPhase("FleetsActions");
}
