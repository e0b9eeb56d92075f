#pragma once
// The sea graph: sea zones and ports joined by one-way edges.
#include <cstddef>
#include <cstdint>
#include <vector>

struct sKrawedzGrafuMorz {
  int32_t target = 0;
  // The hex that controls the passage; -1 when the edge has no gate.
  int32_t gateX = -1;
  int32_t gateY = -1;
};

struct sWezelGrafuMorz {
  virtual ~sWezelGrafuMorz() = default;

  int32_t id = 0;
  // 1 for a sea zone, 0 for a port.
  uint32_t seaZone = 1;
  std::vector<sKrawedzGrafuMorz> edges;
};

class cGrafMorz {
 public:
  // The node of an id, null when no node has it.
  const sWezelGrafuMorz* FindNode(int id) const {
    if (id < 1 || static_cast<size_t>(id) > nodes.size()) return nullptr;
    return &nodes[static_cast<size_t>(id) - 1];
  }
  // A has an edge to B without a gate, or with a gate held by the country
  // or one of its allies.
  bool IsEdgePassable(int a, int b, int country) const;

  std::vector<sWezelGrafuMorz> nodes;  // index id - 1
};
