#include "world/port_exit.h"

#include "core/console.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/sea_graph.h"

int FindAdjacentSeaZoneOf(int nodeId) {
  if (gGra == nullptr) return -1;
  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
  if (node == nullptr) return -1;
  for (const sKrawedzGrafuMorz& e : node->edges) {
    const sWezelGrafuMorz* target = gGra->seaGraph.FindNode(e.target);
    if (target != nullptr && target->seaZone != 0) return e.target;
  }
  return -1;
}

bool LeaveCapturedPort(sFlota& fleet) {
  const int zone = FindAdjacentSeaZoneOf(fleet.seaNode);
  if (zone == -1) return false;
  fleet.seaNode = zone;
  // The fleet and node records carry no names of their own yet: their
  // numbers stand for them.
  LogF(L"Fleet %i left port which became enemy controlled and moved to %i", fleet.id, zone);
  return true;
}
