#include "rules/sea_battle_phase.h"

// Filled by the sea battles: the raiders' strikes, the meeting tests of every
// sea node and the battles themselves. Until then no battle takes place.
void GenerateSeaBattles() {}
