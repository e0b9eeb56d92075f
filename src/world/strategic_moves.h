#pragma once
// The strategic-movement test over the topography groups: a unit may jump
// from the city that supplies it to a city of the same connected region.
class cJednostka;
class cMiasto;

// True when the unit may move strategically to the city: its supply city and
// the target lie in one topography group of its country (air units need only
// a friendly target).
bool CanMoveStrategicallyTo(const cJednostka& unit, const cMiasto& target);
