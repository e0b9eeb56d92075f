// The computer player's line of defence: a continuous line of hexes drawn
// between its front nodes that face the enemy, preferring short paths, rough
// terrain, rivers on the enemy's side and friendly cities; and the moves of
// the units ordered to hold it.
#include <list>
#include <set>
#include <utility>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/random.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/strategic_moves.h"

namespace {

// Marks of the map's byte layer during the calculation.
constexpr uint8_t kLayerFrontNode = 1;
constexpr uint8_t kLayerFrontierNode = 2;
constexpr uint8_t kLayerLine = 3;

constexpr int kFrontNodeSpacing = 4;
constexpr int kOrderDefend = 5;
constexpr int kOrderHold = 9;
// Every move spends action points, so the passes end long before this; it
// only keeps a move that is refused without cost from hanging the worker.
constexpr int kMaxDefenceMovePasses = 200;

// A friendly front node with an enemy front node one lattice step away.
struct sFrontierNode {
  int32_t x = 0;
  int32_t y = 0;
  uint8_t sides[6] = {};  // 1 where the enemy node lies in that direction
};

// The neighbours of a hex marked as line, as a bit per direction.
int LineNeighbourBits(const cMapa& map, int x, int y) {
  int bits = 0;
  for (int d = 0; d < 6; ++d) {
    if (!map.HasNeighbour(x, y, d)) continue;
    int nx = 0, ny = 0;
    map.NeighbourCoords(x, y, d, nx, ny);
    if (map.GetLayerByte(nx, ny) == kLayerLine) bits |= 1 << d;
  }
  return bits;
}

int CountBits(int bits) {
  int n = 0;
  for (; bits != 0; bits &= bits - 1) ++n;
  return n;
}

// Exactly two neighbours in directions k and k + 1 with k from 0 to 4; the
// pair 5 and 0 does not count.
bool HasTwoTouchingNeighbours(int bits) {
  for (int k = 0; k < 5; ++k)
    if (bits == ((1 << k) | (1 << (k + 1)))) return true;
  return false;
}

void MarkLine(cMapa& map, const std::list<sAiDefenceHex>& line) {
  for (const sAiDefenceHex& h : line) map.SetLayerByte(h.x, h.y, kLayerLine);
}

bool HexHoldsUnit(const cMapa& map, int x, int y) {
  const sHex* hex = map.IsInside(x, y) ? map.GetHex(x, y) : nullptr;
  return hex != nullptr && hex->unit != nullptr;
}

}  // namespace

void cAI::CalculateLineOfDefence() {
  NoteAiPhase("CalculateLineOfDefence");
  defenceLine.clear();
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  cMapa& map = *gGra->map;
  const int width = map.GetWidth();
  const int height = map.GetHeight();
  if (width <= 0 || height <= 0) return;
  if (map.aiLayer.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) map.CreateAiLayer();
  const int self = country->id;

  // 1. The lattice of front nodes, each marked.
  std::vector<sFrontierNode*> table(static_cast<size_t>(width) * static_cast<size_t>(height), nullptr);
  auto cell = [&](int x, int y) -> sFrontierNode*& {
    return table[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  };
  map.ClearLayerBytes();
  const std::list<sHexPoint>& nodes = map.GetFrontNodes(kFrontNodeSpacing);
  for (const sHexPoint& p : nodes) map.SetLayerByte(p.x, p.y, kLayerFrontNode);

  // 2. Own and allied nodes facing an enemy node on the same land mass.
  std::list<sFrontierNode> frontier;
  for (const sHexPoint& h : nodes) {
    const sHex* hex = map.GetHex(h.x, h.y);
    if (!hex->IsFriendlyTo(self)) continue;
    for (int d = 0; d < 6; ++d) {
      const sHexPoint n = map.PointAtFrontNodeDistance(h.x, h.y, d);
      if (!map.IsInside(n.x, n.y) || map.GetLayerByte(n.x, n.y) == 0) continue;
      if (!gGra->relations.IsAtWar(map.GetHex(n.x, n.y)->controller, hex->controller)) continue;
      if (!AreHexesInSameTopographyGroup(h.x, h.y, n.x, n.y)) continue;
      if (map.GetLayerByte(h.x, h.y) != kLayerFrontierNode) {
        map.SetLayerByte(h.x, h.y, kLayerFrontierNode);
        frontier.push_back({h.x, h.y, {}});
        cell(h.x, h.y) = &frontier.back();
      }
      cell(h.x, h.y)->sides[d] = 1;
    }
  }

  // 3. The best path between every two neighbouring frontier nodes; the
  // directions 3 to 5 are the same pairs seen from the other end.
  for (const sFrontierNode& r : frontier) {
    for (int d = 0; d <= 2; ++d) {
      const sHexPoint n = map.PointAtFrontNodeDistance(r.x, r.y, d);
      if (!map.IsInside(n.x, n.y) || map.GetLayerByte(n.x, n.y) != kLayerFrontierNode) continue;
      const sFrontierNode* q = cell(n.x, n.y);
      if (q == nullptr) {
        LogLine(L"Error! Sanity check failed");
        defenceLine.clear();
        return;
      }
      uint8_t sides[6] = {};
      for (int k = 0; k < 6; ++k) sides[k] = (r.sides[k] != 0 || q->sides[k] != 0) ? 1 : 0;
      BestDefencePath(defenceLine, r.x, r.y, n.x, n.y, sides);
    }
  }

  // 4-5. Trimmed, and left marked on the layer.
  PruneDefenceLine();
}

void cAI::PruneDefenceLine() {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  if (map.aiLayer.size() != static_cast<size_t>(map.GetWidth()) * static_cast<size_t>(map.GetHeight()))
    map.CreateAiLayer();

  // Spurs: a hex whose only line neighbour is a junction. Every test reads
  // the marks as they stood before the pass.
  MarkLine(map, defenceLine);
  std::vector<bool> drop;
  drop.reserve(defenceLine.size());
  for (const sAiDefenceHex& h : defenceLine) {
    const int bits = LineNeighbourBits(map, h.x, h.y);
    bool spur = false;
    if (CountBits(bits) == 1) {
      int d = 0;
      while ((bits & (1 << d)) == 0) ++d;
      int nx = 0, ny = 0;
      map.NeighbourCoords(h.x, h.y, d, nx, ny);
      spur = CountBits(LineNeighbourBits(map, nx, ny)) > 2;
    }
    drop.push_back(spur);
  }
  size_t i = 0;
  defenceLine.remove_if([&](const sAiDefenceHex&) { return drop[i++]; });

  // Corners cut: a hex whose two line neighbours touch each other, pass by
  // pass until a pass removes nothing.
  size_t before = 0;
  do {
    before = defenceLine.size();
    defenceLine.remove_if(
        [&](const sAiDefenceHex& h) { return HasTwoTouchingNeighbours(LineNeighbourBits(map, h.x, h.y)); });
    map.ClearLayerBytes();
    MarkLine(map, defenceLine);
  } while (defenceLine.size() != before);
}

void cAI::BestDefencePath(std::list<sAiDefenceHex>& out, int x1, int y1, int x2, int y2,
                          const uint8_t sides[6]) const {
  const int limit = HexDistance(x1, y1, x2, y2) * 2 - 2;
  std::list<tDefencePath> paths;
  EnumerateDefencePaths(x1, y1, x2, y2, tDefencePath(), paths, limit);
  const tDefencePath* best = nullptr;
  int bestScore = -2147483647;
  for (const tDefencePath& p : paths) {
    const int score = ScoreDefencePath(p, limit, sides);
    if (score > bestScore) {
      bestScore = score;
      best = &p;
    }
  }
  if (best != nullptr) out.insert(out.end(), best->begin(), best->end());
}

void cAI::EnumerateDefencePaths(int x, int y, int targetX, int targetY, const tDefencePath& path,
                                std::list<tDefencePath>& out, int lengthLimit) const {
  const bool atTarget = x == targetX && y == targetY;
  if (static_cast<int>(path.size()) >= lengthLimit && !atTarget) return;
  tDefencePath here = path;
  here.push_back({x, y});
  if (atTarget) {
    out.push_back(std::move(here));
    return;
  }
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  const cMapa& map = *gGra->map;
  const int distance = HexDistance(x, y, targetX, targetY);
  for (int d = 0; d < 6; ++d) {
    if (!map.HasNeighbour(x, y, d)) continue;
    int nx = 0, ny = 0;
    map.NeighbourCoords(x, y, d, nx, ny);
    if (!map.GetHex(nx, ny)->IsLandNotNeutralTo(country->id)) continue;
    if (HexDistance(nx, ny, targetX, targetY) > distance) continue;
    // Never back beside the hex before this one: no zigzag on the spot.
    if (here.size() >= 2) {
      const sAiDefenceHex& previous = here[here.size() - 2];
      if (HexDistance(nx, ny, previous.x, previous.y) < 2) continue;
    }
    EnumerateDefencePaths(nx, ny, targetX, targetY, here, out, lengthLimit);
  }
}

int cAI::ScoreDefencePath(const tDefencePath& path, int lengthLimit, const uint8_t sides[6]) const {
  int score = (lengthLimit - static_cast<int>(path.size()) - 1) * 10;
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return score;
  const cMapa& map = *gGra->map;
  for (const sAiDefenceHex& h : path) {
    if (!map.IsInside(h.x, h.y)) continue;
    const sHex* hex = map.GetHex(h.x, h.y);
    if (hex->terrain >= kTerrainForest && hex->terrain <= kTerrainMountain) score += 4;
    for (int k = 0; k < 6; ++k)
      if (sides[k] != 0 && hex->HasRiver(k)) score += 6;
    if (hex->city != nullptr && hex->IsFriendlyTo(country->id)) score += 15;
  }
  return score;
}

sAiDefenceHex cAI::NearestFreeDefenceHex(int x, int y) const {
  sAiDefenceHex best;
  if (gGra == nullptr || gGra->map == nullptr) return best;
  int bestDistance = 0;
  for (const sAiDefenceHex& h : defenceLine) {
    if (HexHoldsUnit(*gGra->map, h.x, h.y)) continue;
    const int d = HexDistance(h.x, h.y, x, y);
    if (best.x == -1 || d < bestDistance) {
      best = h;
      bestDistance = d;
    }
  }
  return best;
}

sAiDefenceHex cAI::NearestReachableDefenceHex(const cJednostkaLadowa& unit, int x, int y) const {
  sAiDefenceHex best;
  if (gGra == nullptr || gGra->map == nullptr) return best;
  const cMapa& map = *gGra->map;
  int bestDistance = 0;
  for (const sHexEntry& e : unit.moveList) {
    if (HexHoldsUnit(map, e.x, e.y) || map.GetLayerByte(e.x, e.y) != kLayerLine) continue;
    const int d = HexDistance(e.x, e.y, x, y);
    if (best.x == -1 || d < bestDistance) {
      best = {e.x, e.y};
      bestDistance = d;
    }
  }
  return best;
}

void cAI::MoveUnitsToDefenceLine() {
  NoteAiPhase("MoveUnitsToDefenceLine");
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  cMapa& map = *gGra->map;
  const int holdLevel = country->ai.fortLevelToHoldAtAllCost;
  bool moved = true;
  int passes = 0;
  // A move order accepted that left its unit where it was with its points
  // (the path blocked on its first step) would be given again every pass:
  // such a unit is left out for the rest of the phase.
  std::set<const cJednostkaLadowa*> leftOut;
  auto tryMove = [&](cJednostkaLadowa* u, int x, int y) {
    const int fromX = u->x, fromY = u->y, points = u->actionPoints;
    if (!u->GiveMoveOrder(x, y)) return;
    if (u->x != fromX || u->y != fromY || u->actionPoints != points) {
      moved = true;
      return;
    }
    leftOut.insert(u);
    LogF(L"[AI] %s: %s was given a move onto the line of defence but did not move; it stays",
         country->name.c_str(), u->name.c_str());
  };
  while (moved) {
    if (++passes > kMaxDefenceMovePasses) {
      LogF(L"[AI] %s: WARNING: moves to the line of defence stopped after %i passes", country->name.c_str(),
           kMaxDefenceMovePasses);
      return;
    }
    moved = false;
    // A copy: a move may change what the game's lists hold.
    const std::list<cJednostkaLadowa*> units = ownLandUnits;
    for (cJednostkaLadowa* u : units) {
      if (WorkerMustStop()) return;
      if (u->aiOrder != kOrderDefend || leftOut.count(u) != 0) continue;
      if (u->x == u->aiTargetX && u->y == u->aiTargetY) continue;
      if (!map.IsInside(u->x, u->y)) continue;
      if (map.GetHex(u->x, u->y)->fort > holdLevel) {
        u->aiOrder = kOrderHold;
        continue;
      }
      const int tx = u->aiTargetX;
      const int ty = u->aiTargetY;
      u->MarkAttackTargets(true);
      const sAiDefenceHex p = NearestReachableDefenceHex(*u, tx, ty);
      if (p.x != -1 && HexDistance(p.x, p.y, tx, ty) < HexDistance(u->x, u->y, tx, ty)) {
        tryMove(u, p.x, p.y);
        continue;
      }
      if (map.GetLayerByte(u->x, u->y) == kLayerLine) continue;
      sAiDefenceHex q = NearestFreeDefenceHex(tx, ty);
      if (q.x == -1) q = {tx, ty};
      tryMove(u, q.x, q.y);
    }
  }
}
