#pragma once
// What the effect functions share: their numbers as whole numbers, and the
// countries, hexes, cities and sea nodes those numbers name. A lookup that
// finds nothing answers null; the hex lookup also logs an off-map position,
// so that no effect ever lands on a hex it was not given.
#include <string>

#include "events/event_manager.h"

class cPanstwo;
class cMiasto;
struct sHex;
struct sWezelGrafuMorz;

namespace effects {

// Parameter k truncated toward zero, and unchanged.
inline int P(const sEfekt& e, int k) { return EventInt(e.params[k]); }
inline double D(const sEfekt& e, int k) { return e.params[k]; }

// The country whose id is int(param k); null when none has it.
cPanstwo* CountryParam(const sEfekt& e, int k);
// The hex (x, y) of the map; null, with a log line naming the effect, when
// there is no map or the position lies off it.
sHex* HexAt(const sEfekt& e, int x, int y);
inline sHex* HexParam(const sEfekt& e, int kx, int ky) { return HexAt(e, P(e, kx), P(e, ky)); }
// The city on the hex of params kx, ky; null when off the map or no city.
cMiasto* CityParam(const sEfekt& e, int kx, int ky);
// The sea node whose id is int(param k); null when none has it.
sWezelGrafuMorz* SeaNodeParam(const sEfekt& e, int k);
// Queues a text for the player, shown once the option has run.
void QueueMessage(const std::wstring& text);

}  // namespace effects

class cMiasto;
// The convoy effects' hand-over to the game's convoy manager.
void AddEventConvoy(int country, int kind, int value, cMiasto& from, cMiasto& to);
void RemoveEventConvoys(int country, int kind, cMiasto& from, cMiasto& to);
