#pragma once
// The topography groups: for each country, the lists of its side's cities
// that are connected for it. A unit may jump strategically from the city that
// supplies it to a city of the same group.
#include <list>

class cJednostka;
class cMiasto;

// Resizes the store to one entry per country; new entries are empty.
void InitStrategicMovement();

// Replaces the groups of a country by a copy of the given ones.
void StoreCountryTopography(int countryId, const std::list<std::list<cMiasto*>>& groups);

// Fills the game's group list that countries without an alliance move by
// with the stored groups of every such country, in country order. A neutral
// country's groups cover only the hexes it controls, so the lists of two
// neutrals never share a city.
void GatherNeutralGroups();

// True when the unit may move strategically to the city: its supply city and
// the target lie in one topography group of its country (air units need only
// a friendly target).
bool CanMoveStrategicallyTo(const cJednostka& unit, const cMiasto& target);

// True when the first group of the country that holds b also holds a.
bool AreCitiesInSameCountryTopographyGroup(int countryId, const cMiasto* a, const cMiasto* b);

// Marks (mark 32) the free hexes a strategic move of the unit may end on:
// every reachable city's hex and its free, friendly land neighbours.
void MarkStrategicMoveTargets(const cJednostka& unit);

// True when both hexes have a region city and the first topography group
// of the game (the countries' groups in country order, then the neutral
// ones) that holds the first hex's city holds the second's too.
bool AreHexesInSameTopographyGroup(int x1, int y1, int x2, int y2);
