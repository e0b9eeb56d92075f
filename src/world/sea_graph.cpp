#include "world/sea_graph.h"

#include "world/game.h"

bool cGrafMorz::IsEdgePassable(int a, int b, int country) const {
  const sWezelGrafuMorz* node = FindNode(a);
  if (node == nullptr) return false;
  for (const sKrawedzGrafuMorz& e : node->edges) {
    if (e.target != b) continue;
    if (e.gateX == -1) return true;
    if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(e.gateX, e.gateY)) continue;
    if (gGra->map->GetHex(e.gateX, e.gateY)->IsFriendlyTo(country)) return true;
  }
  return false;
}
