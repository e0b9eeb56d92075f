#pragma once
// The computer player's test whether two hexes lie on one land mass; the
// other map queries are members of cMapa.

// True when the region cities of both hexes belong to the first city group
// of the world topography that holds the first hex's city; false when either
// hex has no region city.
bool AreHexesInSameTopographyGroup(int x1, int y1, int x2, int y2);
