#pragma once
// The battle of an assault from the sea, replaceable so that the landing
// rules can be exercised against a fixed outcome.
#include "core/shared_records.h"

class cJednostka;

// One attacker coming from the sea against the unit on (x, y); fills the
// result, whose destroyed flags tell which side is gone (a destroyed unit is
// freed). False when no battle was fought.
using AmphibiousCombatFn = bool (*)(cJednostka* attacker, int x, int y, sWynikWalki& result);

// Null restores the land combat of the rules.
void SetAmphibiousCombat(AmphibiousCombatFn fn);
