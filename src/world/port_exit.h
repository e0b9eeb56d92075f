#pragma once
// Fleets leaving a port that has fallen to the enemy. Kept apart from the
// fleet record, whose own operations grow with the naval rules: this needs
// only a fleet's id, country and node.
struct sFlota;

// The first sea zone reached by the node's edges, in edge order; -1 when none.
int FindAdjacentSeaZoneOf(int nodeId);
// Moves the fleet from its port to the adjacent sea zone; false (and the fleet
// stays) when the port has none.
bool LeaveCapturedPort(sFlota& fleet);
