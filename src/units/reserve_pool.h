#pragma once
// Where reserve units may be placed, and emptying one country's share of the
// reserve pools (a surrender, or the scenario effect that kills a country's
// reserve units).
#include "world/hex_map.h"

class cMiasto;
class cPanstwo;

// Whether the country places reserve units by this city at all: the rule
// that cJednostka::Deploy applies.
bool IsReservePlacementCity(const cMiasto& city, const cPanstwo& owner);
// The hex by the city at which Deploy accepts a unit of the country: the
// city's own hex when free, else its first free neighbour (direction 0 to 5)
// that the country controls and owns; (-1, -1) when there is none or the
// city is no placement city.
sHexPoint FindReservePlacementHex(const cMiasto& city, const cPanstwo& owner);

// Destroys every land and air unit of the country in the reserve pool; the
// other units keep their order.
void KillAllUnitsInReserve(int country);
// The same for the naval reserve pool.
void KillAllNavalUnitsInReserve(int country);
