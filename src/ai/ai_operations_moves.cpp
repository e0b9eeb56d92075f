// The computer player's operational moves: each order carried out in its
// own pass over the units.
#include <array>
#include <climits>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/random.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"

namespace {

bool IsFriend(const cPanstwo& country, int other) { return other == country.id || country.IsAlly(other); }

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
  if (WorkerMustStop()) return;
  MoveUnitsToDefenceLine();
  for (int order : {6, 12}) MoveUnitsWithOrder(order);
}

bool cAI::HoldsPosition(cJednostkaLadowa* u) {
  const sHex* hex = GameHexAt(u->x, u->y);
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
    if (WorkerMustStop()) return;
    if (u->aiOrder != order) continue;
    const int tx = u->aiTargetX;
    const int ty = u->aiTargetY;
    switch (order) {
      case 1: {
        if (StandsOnTarget(u) || GameHexAt(tx, ty) == nullptr) break;
        u->MarkAttackTargets(true);
        if (u->IsHexInMoveRange(tx, ty)) {
          // An own unit in the way steps aside; the temporary garrisons of
          // the city are no longer needed.
          cJednostka* blocker = GameHexAt(tx, ty)->unit;
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
        if (StandsOnTarget(u) || GameHexAt(tx, ty) == nullptr || StrategicOrStepMove(u)) break;
        u->MarkAttackTargets(true);
        u->GiveMoveOrder(tx, ty);
        break;
      case 4: {
        if (StandsOnTarget(u) || HoldsPosition(u) || GameHexAt(tx, ty) == nullptr) break;
        if (u->MarkAttackTargets(true) <= 0) break;
        // Enemy ground out of reach of any hostile unit, nearest the target.
        const sHexEntry* best = nullptr;
        int bestDistance = INT_MAX;
        for (const sHexEntry& e : u->moveList) {
          const sHex* h = GameHexAt(e.x, e.y);
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
        if (StandsOnTarget(u) || HoldsPosition(u) || StrategicOrStepMove(u) || GameHexAt(tx, ty) == nullptr) break;
        u->MarkAttackTargets(true);
        u->GiveMoveOrder(tx, ty);
        break;
      case 12: {
        if (HoldsPosition(u)) break;
        if (HasUltimateTarget(u)) {
          if (StrategicOrStepMove(u) || GameHexAt(tx, ty) == nullptr) break;
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
        if (nearest == nullptr || GameHexAt((*nearest)[0], (*nearest)[1]) == nullptr) break;
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
