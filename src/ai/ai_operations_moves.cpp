// The computer player's operational moves: each order carried out in its
// own pass over the units, and the moves onto the line of defence.
#include <algorithm>
#include <array>
#include <climits>
#include <set>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// The byte of the map's AI layer that marks a hex of the line of defence.
constexpr uint8_t kLayerDefenceLine = 3;

bool IsFriend(const cPanstwo& country, int other) { return other == country.id || country.IsAlly(other); }

sHex* HexAt(int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) return nullptr;
  return gGra->map->GetHex(x, y);
}

bool StandsOnTarget(const cJednostkaLadowa* u) { return u->x == u->aiTargetX && u->y == u->aiTargetY; }

bool HasUltimateTarget(const cJednostkaLadowa* u) { return u->aiUltimateTargetX != -1 && u->aiUltimateTargetY != -1; }

void ClearOrder(cJednostkaLadowa* u, int order) {
  u->aiOrder = order;
  u->aiTargetX = u->aiTargetY = -1;
  u->aiUltimateTargetX = u->aiUltimateTargetY = -1;
}

}  // namespace

// ---- moves -----------------------------------------------------------------

void cAI::ExecuteOperationalMoves() {
  NoteAiPhase("ExecuteOperationalMoves");
  if (gGra == nullptr || country == nullptr) return;
  for (int order : {1, 2, 4}) MoveUnitsWithOrder(order);
  MoveUnitsToDefenceLine();
  for (int order : {6, 12}) MoveUnitsWithOrder(order);
}

bool cAI::HoldsPosition(cJednostkaLadowa* u) {
  const sHex* hex = HexAt(u->x, u->y);
  if (hex == nullptr || hex->fort <= country->ai.fortLevelToHoldAtAllCost) return false;
  u->aiOrder = 9;
  return true;
}

bool cAI::StrategicOrStepMove(cJednostkaLadowa* u) {
  if (!HasUltimateTarget(u)) return false;
  return TryStrategicMoveToCity(u, u->aiUltimateTargetX, u->aiUltimateTargetY, 1) || u->MoveToTargetHex();
}

void cAI::MoveUnitsWithOrder(int order) {
  const int self = country->id;
  // A copy: the releases below change orders of units still to come, and a
  // move must not invalidate the walk.
  const std::vector<cJednostkaLadowa*> units(ownLandUnits.begin(), ownLandUnits.end());
  for (cJednostkaLadowa* u : units) {
    if (u->aiOrder != order) continue;
    const int tx = u->aiTargetX;
    const int ty = u->aiTargetY;
    switch (order) {
      case 1: {
        if (StandsOnTarget(u) || HexAt(tx, ty) == nullptr) break;
        u->MarkAttackTargets(true);
        if (u->IsHexInMoveRange(tx, ty)) {
          // An own unit in the way steps aside; the temporary garrisons of
          // the city are no longer needed.
          cJednostka* blocker = HexAt(tx, ty)->unit;
          if (blocker != nullptr && blocker->countryId == self && blocker->PickNearestFreeHex()) {
            for (cJednostkaLadowa* o : ownLandUnits)
              if (o->aiOrder == 2 && o->aiTargetX == tx && o->aiTargetY == ty) ClearOrder(o, 0);
          }
          u->GiveMoveOrder(tx, ty);
        } else if (!StrategicOrStepMove(u)) {
          u->GiveMoveOrder(tx, ty);
        }
        break;
      }
      case 2:
        if (StandsOnTarget(u) || HexAt(tx, ty) == nullptr || StrategicOrStepMove(u)) break;
        u->MarkAttackTargets(true);
        u->GiveMoveOrder(tx, ty);
        break;
      case 4: {
        if (StandsOnTarget(u) || HoldsPosition(u) || HexAt(tx, ty) == nullptr) break;
        if (u->MarkAttackTargets(true) <= 0) break;
        // Enemy ground out of reach of any hostile unit, nearest the target.
        const sHexEntry* best = nullptr;
        int bestDistance = INT_MAX;
        for (const sHexEntry& e : u->moveList) {
          const sHex* h = HexAt(e.x, e.y);
          if (h == nullptr || h->IsFriendlyTo(self)) continue;
          bool exposed = false;
          for (int d = 0; d < 6 && !exposed; ++d) {
            const sHex* n = gGra->map->HasNeighbour(e.x, e.y, d) ? gGra->map->GetNeighbourHex(e.x, e.y, d) : nullptr;
            exposed = n != nullptr && n->unit != nullptr && !IsFriend(*country, n->unit->countryId);
          }
          if (exposed) continue;
          const int distance = HexDistance(e.x, e.y, tx, ty);
          if (distance < bestDistance) {
            best = &e;
            bestDistance = distance;
          }
        }
        if (best != nullptr) {
          const int bx = best->x, by = best->y;
          u->GiveMoveOrder(bx, by);
        } else {
          u->GiveMoveOrder(tx, ty);
        }
        break;
      }
      case 6:
        if (StandsOnTarget(u) || HoldsPosition(u) || StrategicOrStepMove(u) || HexAt(tx, ty) == nullptr) break;
        u->MarkAttackTargets(true);
        u->GiveMoveOrder(tx, ty);
        break;
      case 12: {
        if (HoldsPosition(u)) break;
        if (HasUltimateTarget(u)) {
          if (StrategicOrStepMove(u) || HexAt(tx, ty) == nullptr) break;
          u->MarkAttackTargets(true);
          u->GiveMoveOrder(tx, ty);
          break;
        }
        // The war target nearest to the unit.
        const std::array<int32_t, 3>* nearest = nullptr;
        int bestDistance = INT_MAX;
        for (const auto& t : country->ai.currentTargets) {
          const int distance = HexDistance(u->x, u->y, t[0], t[1]);
          if (distance < bestDistance) {
            nearest = &t;
            bestDistance = distance;
          }
        }
        if (nearest == nullptr || HexAt((*nearest)[0], (*nearest)[1]) == nullptr) break;
        // A unit that could move but came no nearer is in position. (A move
        // that was made always costs points, so "moved and spent nothing"
        // would never put anybody in position.)
        const int points = u->actionPoints;
        u->MarkAttackTargets(true);
        u->GiveMoveOrder((*nearest)[0], (*nearest)[1]);
        if (points > 0 && u->actionPoints == points) u->aiOrder = 13;
        break;
      }
      default:
        break;
    }
  }
}

// ---- the line of defence -----------------------------------------------------

sHexPoint cAI::NearestFreeDefenceHex(int x, int y) const {
  sHexPoint best{-1, -1};
  int bestDistance = INT_MAX;
  for (const sAiDefenceHex& h : defenceLine) {
    const sHex* hex = HexAt(h.x, h.y);
    if (hex == nullptr || hex->unit != nullptr) continue;
    const int d = HexDistance(h.x, h.y, x, y);
    if (d < bestDistance) {
      best = {h.x, h.y};
      bestDistance = d;
    }
  }
  return best;
}

sHexPoint cAI::NearestReachableDefenceHex(const cJednostkaLadowa* unit, int x, int y) const {
  sHexPoint best{-1, -1};
  int bestDistance = INT_MAX;
  for (const sHexEntry& e : unit->moveList) {
    const sHex* hex = HexAt(e.x, e.y);
    if (hex == nullptr || hex->unit != nullptr || gGra->map->GetLayerByte(e.x, e.y) != kLayerDefenceLine) continue;
    const int d = HexDistance(e.x, e.y, x, y);
    if (d < bestDistance) {
      best = {e.x, e.y};
      bestDistance = d;
    }
  }
  return best;
}

void cAI::MoveUnitsToDefenceLine() {
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  // The passes end when one moves nobody, so every move must change
  // something. A move order that is accepted but leaves the unit where it
  // was with its points (the path blocked on the first step) would make the
  // same pass for ever: such a unit is left out for the rest of the phase,
  // and the passes as a whole are bounded by the points there are to spend.
  std::set<const cJednostkaLadowa*> leftOut;
  int passesLeft = 1;
  for (const cJednostkaLadowa* u : ownLandUnits)
    if (u->aiOrder == 5) passesLeft += std::max(u->actionPoints, 0) + 1;
  for (bool moved = true; moved; --passesLeft) {
    if (passesLeft == 0) {
      LogF(L"[AI] %s: moves onto the line of defence still going after every point was spent; they end here",
           country->name.c_str());
      return;
    }
    moved = false;
    const std::vector<cJednostkaLadowa*> units(ownLandUnits.begin(), ownLandUnits.end());
    for (cJednostkaLadowa* u : units) {
      if (u->aiOrder != 5 || StandsOnTarget(u) || leftOut.count(u) != 0 || HoldsPosition(u)) continue;
      const int tx = u->aiTargetX;
      const int ty = u->aiTargetY;
      const int fromX = u->x, fromY = u->y, points = u->actionPoints;
      bool given = false;
      u->MarkAttackTargets(true);
      const sHexPoint p = NearestReachableDefenceHex(u, tx, ty);
      if (p.x != -1 && HexDistance(p.x, p.y, tx, ty) < HexDistance(u->x, u->y, tx, ty)) {
        given = u->GiveMoveOrder(p.x, p.y);
      } else if (gGra->map->GetLayerByte(u->x, u->y) != kLayerDefenceLine && HexAt(tx, ty) != nullptr) {
        sHexPoint q = NearestFreeDefenceHex(tx, ty);
        if (q.x == -1) q = {tx, ty};
        given = u->GiveMoveOrder(q.x, q.y);
      }
      if (!given) continue;
      if (u->x == fromX && u->y == fromY && u->actionPoints == points) {
        leftOut.insert(u);
        LogF(L"[AI] %s: %s was given a move onto the line of defence but did not move; it stays",
             country->name.c_str(), u->name.c_str());
        continue;
      }
      moved = true;
    }
  }
}
