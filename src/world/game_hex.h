#pragma once
// Short ways into the running game that most rules need: the hex at a place,
// and a pause of the player's chosen length.
#include "core/settings.h"

struct sHex;

// The running game's hex at (x, y); null without a game or map, or off the map.
sHex* GameHexAt(int x, int y);

// A pause of the length the player chose for this kind of delay, traced
// with the caller's place.
void PauseFor(eDelay which, const char* file = __builtin_FILE(), int line = __builtin_LINE());
