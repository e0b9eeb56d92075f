// Evening out uneven fronts by strategic moves, and air bases chosen away
// from enemies that come too close or nearer to more targets.
#include <climits>

#include "ai/ai.h"
#include "core/console.h"
#include "core/random.h"
#include "rules/worker_thread.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

void cAI::PatchFronts() {
  NoteAiPhase("PatchFronts");
  if (gGra == nullptr || country == nullptr) return;
  const float minimum = country->ai.minRatioToPatchFront;
  for (sAiFront& f : fronts) {
    // The front value of a node is its ours land strength.
    auto weakestAndStrongest = [&f](sWezelDiagramuMiast*& low, sWezelDiagramuMiast*& high) {
      low = high = nullptr;
      for (sWezelDiagramuMiast* n : f.nodes) {
        if (low == nullptr || n->landStrengths[0] < low->landStrengths[0]) low = n;
        if (high == nullptr || n->landStrengths[0] > high->landStrengths[0]) high = n;
      }
    };
    sWezelDiagramuMiast* low = nullptr;
    sWezelDiagramuMiast* high = nullptr;
    weakestAndStrongest(low, high);
    if (low == nullptr || low == high) continue;
    for (cJednostkaLadowa* u : ownLandUnits) {
      if (!(high->landStrengths[0] / low->landStrengths[0] > minimum)) break;
      int x = -1;
      int y = -1;
      if (!u->AiTryStrategicMove(low->city, x, y)) continue;
      PrzeniesStrategicznieJednostke(*this, u, low->city, x, y);
      u->aiTargetX = x;
      u->aiTargetY = y;
      // The nodes of the front stay; only their values change, so the walk
      // over the front list is not disturbed.
      CountNodeStrengths();
      SumAndRateFronts();
      weakestAndStrongest(low, high);
    }
  }
}

int cAI::GetDistanceToNearestEnemy(int x, int y) const {
  int nearest = INT_MAX;
  for (const cJednostkaLadowa* u : enemyLandUnits) nearest = std::min(nearest, HexDistance(x, y, u->x, u->y));
  return nearest;
}

int cAI::CountEnemiesInRange(int x, int y, int radius) const {
  int n = 0;
  for (const cJednostkaLadowa* u : enemyLandUnits) {
    if (HexDistance(x, y, u->x, u->y) > radius) continue;
    const sHex* hex = gGra != nullptr && gGra->map != nullptr && gGra->map->IsInside(u->x, u->y)
                          ? gGra->map->GetHex(u->x, u->y)
                          : nullptr;
    if (hex == nullptr || hex->fort < 5) ++n;
  }
  return n;
}

sRebaseCandidate cAI::ChooseSaferBase(const std::vector<sRebaseCandidate>& candidates, int safeDistance) const {
  sRebaseCandidate best;
  best.x = -1;
  best.y = -1;
  const int wanted = static_cast<int>(static_cast<float>(safeDistance) * 1.3f);
  bool found = false;
  for (const sRebaseCandidate& c : candidates) {
    if (c.enemyDistance < wanted) continue;
    if (!found || c.enemyDistance < best.enemyDistance ||
        (c.enemyDistance == best.enemyDistance && c.enemiesInRange > best.enemiesInRange)) {
      best = c;
      found = true;
    }
  }
  return best;
}

sRebaseCandidate cAI::ChooseBaseWithMostTargets(const std::vector<sRebaseCandidate>& candidates,
                                                int safeDistance) const {
  sRebaseCandidate best;
  best.x = -1;
  best.y = -1;
  bool found = false;
  for (const sRebaseCandidate& c : candidates) {
    if (c.enemyDistance <= safeDistance) continue;
    if (!found || c.enemiesInRange > best.enemiesInRange) {
      best = c;
      found = true;
    }
  }
  return best;
}

void cAI::RebaseAirUnits() {
  NoteAiPhase("RebaseAirUnits");
  if (gGra == nullptr || country == nullptr) return;
  const int safe = country->ai.airSafeDistance;
  // A copy: a rebase does not change the list, but keeps the walk independent of it.
  const std::list<cJednostkaLotnicza*> units = ownAirUnits;
  for (cJednostkaLotnicza* u : units) {
    if (WorkerMustStop()) return;
    const cPanstwo* owner = u->GetCountry();
    if (owner == nullptr || u->actionPoints != u->startingActionPoints || u->actionPoints == 0) continue;
    if (u->supply < air_values::RebaseMinSupply(owner->consts, u->type)) continue;
    std::vector<sRebaseCandidate> candidates;
    u->AiListRebaseBases(candidates);
    const int range = u->GetOperationalRange();
    for (sRebaseCandidate& c : candidates) {
      c.enemyDistance = GetDistanceToNearestEnemy(c.x, c.y);
      c.enemiesInRange = CountEnemiesInRange(c.x, c.y, range);
    }
    const int d = GetDistanceToNearestEnemy(u->x, u->y);
    if (d < safe) {
      const sRebaseCandidate c = ChooseSaferBase(candidates, safe);
      if (c.x != -1) u->AiRebase(c.x, c.y);
      continue;
    }
    const int n = CountEnemiesInRange(u->x, u->y, range);
    const sRebaseCandidate c = ChooseBaseWithMostTargets(candidates, safe);
    if (c.x == -1) continue;
    if (c.x != u->x && c.y != u->y && c.enemiesInRange > 3 * n) u->AiRebase(c.x, c.y);
  }
}

void cAI::ScenarioAirRebase() {
  NoteAiPhase("ScenarioAirRebase");
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  // Kept for the scenarios that carry these names; no shipped scenario does.
  const std::wstring& name = gGra->scenarioName;
  if (name != L"EUROPE 1939" && name != L"EUROPE 1940" && name != L"EUROPE 1941") return;
  if (country->id != 53 || !gGra->map->IsInside(37, 78)) return;
  const std::list<cJednostkaLotnicza*> units = ownAirUnits;
  for (cJednostkaLotnicza* u : units) {
    if (u->x >= 16) continue;
    if (gGra->map->GetHex(37, 78)->unit != nullptr) continue;
    u->AiRebase(37, 78);
  }
}
