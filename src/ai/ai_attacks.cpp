// The computer player's land attacks: obvious walks into undefended enemy
// cities, attack plans against enemy units, their ranking, and the attack
// itself with bombardment, air strikes, the approach moves and the combat.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <set>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/shared_records.h"
#include "rules/land_combat.h"
#include "rules/worker_thread.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/selection.h"

namespace {

// The hex mark of a target under attack.
constexpr uint32_t kMarkAttackTarget = 2;

sHex* Neighbour(int x, int y, int d) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->HasNeighbour(x, y, d)) return nullptr;
  return gGra->map->GetNeighbourHex(x, y, d);
}

// The side of (tx, ty) on which (x, y) lies; -1 when not a neighbour.
int SideOf(int tx, int ty, int x, int y) {
  for (int d = 0; d < 6; ++d) {
    const sHex* n = Neighbour(tx, ty, d);
    if (n != nullptr && n->x == x && n->y == y) return d;
  }
  return -1;
}

bool IsLive(const cJednostka* unit) {
  if (gGra == nullptr || unit == nullptr) return false;
  for (const cJednostkaLadowa* u : gGra->landUnits)
    if (u == unit) return true;
  for (const cJednostkaLotnicza* u : gGra->airUnits)
    if (u == unit) return true;
  return false;
}

sAtak MakeAtak(const sAiAttack& plan) {
  sAtak a;
  a.defender = plan.target;
  a.targetX = plan.target->x;
  a.targetY = plan.target->y;
  for (int d = 0; d < 6; ++d) a.SetAttacker(plan.attackers[d], d);
  return a;
}

void UpdateOdds(sAiAttack& plan) { plan.oddsColumn = MakeAtak(plan).ComputeOddsColumn(); }

bool TargetOnCity(const sAiAttack& plan) {
  const sHex* hex = GameHexAt(plan.target->x, plan.target->y);
  return hex != nullptr && hex->city != nullptr;
}

// The combat-result dialog for the delay "Delay/AICombatResult", under the
// game lock and waited for.
void ShowResult(const sWynikWalki& result, const char* source) {
  AcquireGameLock(source, __LINE__);
  const FrontEndHandle dialog = FrontEnd().ShowCombatResult(result, delayValues[DELAY_AI_COMBAT_RESULT]);
  ReleaseGameLock(source, __LINE__);
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

// The best approach entry by rated combat strength, then lower cost, then
// first found; end() when the list is empty.
std::list<sHexEntry>::iterator BestCandidate(std::list<sHexEntry>& entries, const cJednostka& target, float& rated) {
  auto best = entries.end();
  rated = 0.0f;
  const sHex* targetHex = GameHexAt(target.x, target.y);
  const cPanstwo* owner = target.GetCountry();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    float s = it->unit->GetCombatStrength();
    const int side = SideOf(target.x, target.y, it->x, it->y);
    if (side >= 0 && targetHex != nullptr && owner != nullptr && targetHex->HasRiver(side))
      s *= land_combat_tables::RiverFactor(owner->consts);
    if (best == entries.end() || s > rated || (s == rated && it->cost < best->cost)) {
      best = it;
      rated = s;
    }
  }
  return best;
}

}  // namespace

bool AttackRanksBelow(const sAiAttack& a, const sAiAttack& b) {
  if (a.oddsColumn != b.oddsColumn) return a.oddsColumn < b.oddsColumn;
  const bool aCity = TargetOnCity(a);
  const bool bCity = TargetOnCity(b);
  if (aCity != bCity) return bCity;
  return a.cost > b.cost;
}

bool cAI::TakeRangeSnapshot(std::vector<std::pair<int, int>>& changed) {
  changed.clear();
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (map == nullptr) return false;
  const size_t n = static_cast<size_t>(map->width) * static_cast<size_t>(map->height);
  const bool had = rangeSnapshot_.size() == n;
  if (!had) rangeSnapshot_.assign(n, {nullptr, 0});
  size_t i = 0;
  for (int y = 0; y < map->height; ++y)
    for (int x = 0; x < map->width; ++x, ++i) {
      const sHex* hex = map->GetHex(x, y);
      const std::pair<const cJednostka*, uint8_t> now{hex->unit, hex->controller};
      if (had && rangeSnapshot_[i] != now) changed.push_back({x, y});
      rangeSnapshot_[i] = now;
    }
  return had;
}

void cAI::BeginRangeReuse() {
  rangeCache_.clear();
  rangeSnapshot_.clear();
  rangeCacheActive_ = true;
}

void cAI::EndRangeReuse() {
  rangeCacheActive_ = false;
  rangeCache_.clear();
  rangeSnapshot_.clear();
}

void cAI::ComputeMovementRanges(bool attackMode) {
  reachableHexes.clear();
  std::vector<std::pair<int, int>> changed;
  const bool reuse = rangeCacheActive_ && reuseMoveRanges && TakeRangeSnapshot(changed);
  if (!reuse) rangeCache_.clear();
  const int mapSide = gGra != nullptr && gGra->map != nullptr ? std::max(gGra->map->width, gGra->map->height) : 0;
  for (cJednostkaLadowa* u : ownLandUnits) {
    const sHex* hex = GameHexAt(u->x, u->y);
    if (hex == nullptr || hex->city != nullptr) continue;
    if (attackMode && u->attacked != 0) continue;
    auto it = rangeCache_.find(u);
    bool fresh = it != rangeCache_.end();
    if (fresh) {
      const sRangeCache& c = it->second;
      fresh = c.x == u->x && c.y == u->y && c.actionPoints == u->actionPoints &&
              c.startingActionPoints == u->startingActionPoints && c.freezeTime == u->freezeTime &&
              c.type == u->type && c.deployedThisTurn == u->deployedThisTurn;
    }
    if (fresh) {
      // The flood looks at a square of its action points (plus one) around
      // the unit, and at the zones of control of enemies one hex beyond.
      const int reach = (u->actionPoints < 1 ? 1 : std::min(u->actionPoints, mapSide) + 1) + 1;
      for (const auto& [cx, cy] : changed)
        if (std::abs(cx - u->x) <= reach && std::abs(cy - u->y) <= reach) {
          fresh = false;
          break;
        }
    }
    if (fresh) {
      u->moveList = it->second.moves;
    } else {
      u->MarkAttackTargets(true);
      if (rangeCacheActive_ && reuseMoveRanges) {
        sRangeCache& c = rangeCache_[u];
        c.x = u->x;
        c.y = u->y;
        c.actionPoints = u->actionPoints;
        c.startingActionPoints = u->startingActionPoints;
        c.freezeTime = u->freezeTime;
        c.type = u->type;
        c.deployedThisTurn = u->deployedThisTurn;
        c.moves = u->moveList;
      }
    }
    for (const sHexEntry& e : u->moveList) reachableHexes.push_back({u, e.x, e.y, e.cost});
    if (u->actionPoints > 0) reachableHexes.push_back({u, u->x, u->y, 0});
  }
}

void cAI::ComputeApproaches() {
  for (cJednostkaLadowa* u : enemyLandUnits) u->planningList.clear();
  for (cJednostkaLotnicza* u : enemyAirUnits) u->planningList.clear();
  if (gGra == nullptr || country == nullptr) return;
  for (const sAiReachableHex& e : reachableHexes) {
    if (e.cost >= e.unit->actionPoints) continue;
    for (int d = 0; d < 6; ++d) {
      const sHex* n = Neighbour(e.x, e.y, d);
      if (n == nullptr || n->unit == nullptr || !gGra->relations.IsAtWar(country->id, n->unit->countryId)) continue;
      sHexEntry entry;
      entry.unit = e.unit;
      entry.x = e.x;
      entry.y = e.y;
      entry.direction = d;
      entry.cost = e.cost;
      n->unit->planningList.push_back(entry);
    }
  }
}

bool cAI::SearchObviousMoves() {
  LogLine(L"[AI-RO] SZUKANIE RUCH\u00d3W OCZYWISTYCH");
  if (gGra == nullptr || country == nullptr) return false;
  const sAiReachableHex* best = nullptr;
  for (const sAiReachableHex& e : reachableHexes) {
    const sHex* own = GameHexAt(e.unit->x, e.unit->y);
    if (own == nullptr || own->city != nullptr) continue;
    const sHex* hex = GameHexAt(e.x, e.y);
    if (hex == nullptr || hex->city == nullptr || hex->unit != nullptr) continue;
    if (hex->city->type < 0 || hex->city->type > 3) continue;
    if (!gGra->relations.IsAtWar(country->id, hex->controller)) continue;
    if (best == nullptr || e.cost < best->cost) best = &e;
  }
  if (best == nullptr) return false;
  cJednostkaLadowa* unit = best->unit;
  const int x = best->x;
  const int y = best->y;
  if (unit->IsFullySpotted() && gGra->selection.showActions != 0) {
    gGra->map->CenterAtHex(x, y);
    PauseFor(DELAY_AI_MOVE_BEFORE);
  }
  unit->MarkAttackTargets(true);
  unit->GiveMoveOrder(x, y);
  unit->aiOrder = 7;
  unit->aiTargetX = x;
  unit->aiTargetY = y;
  unit->aiUltimateTargetX = -1;
  unit->aiUltimateTargetY = -1;
  return true;
}

void cAI::ComputeSideStates(sAiAttack& plan, int states[6]) {
  int32_t taken[12];
  std::fill(std::begin(taken), std::end(taken), -1);
  for (int d = 0; d < 6; ++d) {
    states[d] = 0;
    const sHex* n = Neighbour(plan.target->x, plan.target->y, d);
    if (n == nullptr) continue;
    if (n->unit == nullptr) {
      states[d] = 2;
      continue;
    }
    auto* mover = dynamic_cast<cJednostkaLadowa*>(n->unit);
    if (mover == nullptr || country == nullptr || mover->countryId != country->id) continue;
    sHexEntry out;
    if (!mover->FindFreeHexAwayFrom(plan.target->x, plan.target->y, taken, out, d)) continue;
    states[d] = 1;
    plan.departures[d] = {mover, out.x, out.y, d, out.cost};
  }
}

void cAI::ComputeAirSupport(sAiAttack& plan) {
  plan.supportingAir.clear();
  plan.interceptors.clear();
  auto byWorth = [](const cJednostkaLotnicza* a, const cJednostkaLotnicza* b) {
    return a->strength + a->level > b->strength + b->level;
  };
  for (cJednostkaLotnicza* u : ownAirUnits) {
    if (u->type != 21 || u->actionPoints < 1 || u->strength < 3) continue;
    if (HexDistance(u->x, u->y, plan.target->x, plan.target->y) <= u->GetOperationalRange())
      plan.supportingAir.push_back(u);
  }
  for (cJednostkaLotnicza* u : enemyAirUnits) {
    const cPanstwo* owner = u->GetCountry();
    if (u->type != 20 || owner == nullptr) continue;
    if (static_cast<float>(u->strength) <= air_values::FullStrength(owner->consts, 20) / 2.0f) continue;
    if (HexDistance(u->x, u->y, plan.target->x, plan.target->y) <= u->GetOperationalRange())
      plan.interceptors.push_back(u);
  }
  std::stable_sort(plan.supportingAir.begin(), plan.supportingAir.end(), byWorth);
  std::stable_sort(plan.interceptors.begin(), plan.interceptors.end(), byWorth);
  plan.goodAirStrikes = CountGoodAirStrikes(plan);
}

int cAI::CountGoodAirStrikes(const sAiAttack& plan) const {
  int n = 0;
  if (plan.interceptors.empty()) {
    for (const cJednostkaLotnicza* u : plan.supportingAir) n += u->actionPoints;
    return n;
  }
  const cJednostkaLotnicza* ref = plan.interceptors.front();
  const float refWorth = static_cast<float>(std::max(1, ref->strength + ref->level));
  for (const cJednostkaLotnicza* u : plan.supportingAir) {
    const cPanstwo* owner = u->GetCountry();
    const sConsts& tables = owner != nullptr ? owner->consts : gGra->consts;
    if (static_cast<float>(u->strength + u->level) / refWorth >= ai_values::AirSuperiorityThreshold(tables))
      n += u->actionPoints;
  }
  return n;
}

void cAI::PrintPlan(const sAiAttack& plan) const {
  LogF(L"[AI %s] == Wydruk planu ataku ==", country != nullptr ? country->name.c_str() : L"");
  LogF(L"Cel: %s (%i,%i). KOSZT=%i, KOL=%i:1", plan.target->name.c_str(), plan.target->x, plan.target->y, plan.cost,
       plan.oddsColumn);
  LogLine(L"Ruchy:");
  for (int d = 0; d < 6; ++d) {
    const sAiPlanMove& m = plan.departures[d];
    if (m.unit != nullptr) LogF(L"Odejscie %s -> (%i,%i), kier %i, koszt %i", m.unit->name.c_str(), m.x, m.y, m.direction, m.cost);
  }
  for (int d = 0; d < 6; ++d) {
    const sAiPlanMove& m = plan.approaches[d];
    if (m.unit != nullptr) LogF(L"Podejscie %s -> (%i,%i), kier %i, koszt %i", m.unit->name.c_str(), m.x, m.y, m.direction, m.cost);
  }
  LogLine(L"W\u0142asne jednostki zdolne do wspomagaj\u0105cego air-strike'u:");
  for (const cJednostkaLotnicza* u : plan.supportingAir)
    LogF(L"%s: sila=%i, level=%i, PA=%i", u->name.c_str(), u->strength, u->level, u->actionPoints);
  LogLine(L"Wrogie jednostki zdolne do intercepcji air-strike'u:");
  for (const cJednostkaLotnicza* u : plan.interceptors)
    LogF(L"%s: sila=%i, level=%i, PA=%i", u->name.c_str(), u->strength, u->level, u->actionPoints);
  LogF(L"Ilosc dobrych nalotow = %i", plan.goodAirStrikes);
  LogLine(L"[AI] == Koniec wydruku planu ataku ==");
}

namespace {

sAiAttack NewPlan(cJednostka* target, int countryId) {
  sAiAttack plan;
  plan.target = target;
  plan.countryId = countryId;
  return plan;
}

bool HasAttacker(const sAiAttack& plan) {
  return std::any_of(std::begin(plan.attackers), std::end(plan.attackers), [](const cJednostkaLadowa* u) { return u != nullptr; });
}

// Entries on a side that cannot be used leave the list; a side whose
// occupant makes room records the departure.
void ApplySideStates(sAiAttack& plan, const int states[6], std::list<sHexEntry>& entries) {
  for (int d = 0; d < 6; ++d) {
    if (states[d] != 0) continue;
    const sHex* n = Neighbour(plan.target->x, plan.target->y, d);
    if (n == nullptr) continue;
    entries.remove_if([n](const sHexEntry& e) { return e.x == n->x && e.y == n->y; });
  }
}

}  // namespace

void cAI::BuildOneSidePlans() {
  const int self = country->id;
  for (cJednostkaLadowa* target : enemyLandUnits) {
    sAiAttack plan = NewPlan(target, self);
    int states[6];
    ComputeSideStates(plan, states);
    std::list<sHexEntry> entries = target->planningList;
    ApplySideStates(plan, states, entries);
    float rated = 0.0f;
    auto best = BestCandidate(entries, *target, rated);
    if (best != entries.end() && rated > 0.0f) {
      const int d = SideOf(target->x, target->y, best->x, best->y);
      auto* unit = static_cast<cJednostkaLadowa*>(best->unit);
      if (d >= 0) {
        plan.attackers[d] = unit;
        plan.cost += best->cost;
        plan.approaches[d] = {unit, best->x, best->y, d, best->cost};
      }
    }
    UpdateOdds(plan);
    if (!HasAttacker(plan)) continue;
    ComputeAirSupport(plan);
    // Only the plan carried out is printed in full (ExecuteAttack): the
    // full printout of every plan of every pass would make most of a whole
    // game's log.
    plans.push_back(plan);
  }
}

void cAI::BuildAdjacentPlan(cJednostka* target) {
  sAiAttack plan = NewPlan(target, country->id);
  for (int d = 0; d < 6 && plan.oddsColumn < 7; ++d) {
    const sHex* n = Neighbour(target->x, target->y, d);
    if (n == nullptr) continue;
    auto* u = dynamic_cast<cJednostkaLadowa*>(n->unit);
    if (u == nullptr || u->countryId != country->id || u->attacked != 0 || u->actionPoints < 1) continue;
    plan.attackers[d] = u;
    UpdateOdds(plan);
  }
  if (!HasAttacker(plan)) return;
  ComputeAirSupport(plan);
  plans.push_back(plan);
}

void cAI::BuildMultiDirectionPlans() {
  std::vector<cJednostka*> targets;
  for (cJednostkaLadowa* u : enemyLandUnits)
    if (u->wasAttacked == 0) targets.push_back(u);
  for (cJednostkaLotnicza* u : enemyAirUnits)
    if (u->wasAttacked == 0) targets.push_back(u);
  for (cJednostka* target : targets) {
    BuildAdjacentPlan(target);
    sAiAttack plan = NewPlan(target, country->id);
    int states[6];
    ComputeSideStates(plan, states);
    std::list<sHexEntry> entries = target->planningList;
    ApplySideStates(plan, states, entries);
    while (!entries.empty() && plan.oddsColumn < 7) {
      float rated = 0.0f;
      auto best = BestCandidate(entries, *target, rated);
      auto* unit = static_cast<cJednostkaLadowa*>(best->unit);
      const int d = SideOf(target->x, target->y, best->x, best->y);
      if (rated > 0.0f && d >= 0 && plan.attackers[d] == nullptr) {
        plan.attackers[d] = unit;
        plan.cost += best->cost;
        if (plan.approaches[d].unit == nullptr) plan.approaches[d] = {unit, best->x, best->y, d, best->cost};
        UpdateOdds(plan);
      }
      // The unit is used once; a side already taken offers nothing more either.
      const int bx = best->x;
      const int by = best->y;
      const bool sideTaken = d >= 0 && plan.attackers[d] != nullptr;
      entries.remove_if([&](const sHexEntry& e) { return e.unit == unit || (sideTaken && e.x == bx && e.y == by); });
    }
    if (!HasAttacker(plan)) continue;
    ComputeAirSupport(plan);
    plans.push_back(plan);
  }
}

bool cAI::IsVetoed(const sAiAttack& plan) const {
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return false;
  const int radius = country->ai.maxCoveringUnitDistance;
  const int limit = country->ai.maxSafeMoveCost;
  const int tx = plan.target->x;
  const int ty = plan.target->y;
  std::deque<const sHex*> queue;
  std::set<const sHex*> visited;
  if (const sHex* start = GameHexAt(tx, ty)) {
    queue.push_back(start);
    visited.insert(start);
  }
  while (!queue.empty()) {
    const sHex* hex = queue.front();
    queue.pop_front();
    if (HexDistance(hex->x, hex->y, tx, ty) > radius) continue;
    if (hex->unit != nullptr && (hex->unit->countryId == country->id || country->IsAlly(hex->unit->countryId)))
      return false;
    for (int d = 0; d < 6; ++d) {
      const sHex* n = Neighbour(hex->x, hex->y, d);
      if (n == nullptr || visited.count(n) != 0 || HexDistance(n->x, n->y, tx, ty) > radius) continue;
      visited.insert(n);
      queue.push_back(n);
    }
  }
  // A slot without a move counts -1, so a plan with an empty slot is never
  // vetoed here.
  int smallest = 666;
  for (int d = 0; d < 6; ++d) {
    int cost = -1;
    if (plan.approaches[d].unit != nullptr)
      cost = plan.approaches[d].cost;
    else if (plan.departures[d].unit != nullptr)
      cost = plan.departures[d].cost;
    smallest = std::min(smallest, cost);
  }
  return smallest >= limit;
}

namespace {

// What makes a plan the same plan after its list is built anew: the target,
// the attackers by side and the units stepping aside with their hexes.
std::vector<const void*> PlanKey(const sAiAttack& plan) {
  std::vector<const void*> key{plan.target};
  for (int d = 0; d < 6; ++d) {
    key.push_back(plan.attackers[d]);
    key.push_back(plan.departures[d].unit);
    key.push_back(reinterpret_cast<const void*>(static_cast<intptr_t>(plan.departures[d].x * 65536 + plan.departures[d].y)));
  }
  return key;
}

// A computer unit move through the unit's move order, shown by the front end.
void MoveUnit(cJednostkaLadowa* unit, int x, int y) {
  if (unit->x == x && unit->y == y) return;
  unit->MarkAttackTargets(true);
  unit->GiveMoveOrder(x, y);
}

}  // namespace

int cAI::ExecuteAttack(sAiAttack& plan) {
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return 0;
  cMapa* map = gGra->map;
  const int tx = plan.target->x;
  const int ty = plan.target->y;
  sHex* targetHex = GameHexAt(tx, ty);
  if (targetHex == nullptr) return 0;
  auto isDeparting = [&](const cJednostka* u) {
    for (const sAiPlanMove& m : plan.departures)
      if (m.unit != nullptr && m.unit == u) return true;
    return false;
  };
  for (const sAiPlanMove* moves : {plan.departures, plan.approaches})
    for (int d = 0; d < 6; ++d) {
      const sAiPlanMove& m = moves[d];
      if (m.unit == nullptr) continue;
      const sHex* dest = GameHexAt(m.x, m.y);
      if (dest != nullptr && dest->unit != nullptr && dest->unit != m.unit && isDeparting(dest->unit)) {
        targetHex->ClearMark(kMarkAttackTarget, false);
        return 0;
      }
    }
  const bool shown = plan.target->IsFullySpotted() && gGra->selection.showActions != 0;
  const bool dialogs = shown && delayValues[DELAY_AI_COMBAT_RESULT] != 0;
  if (shown) {
    map->CenterAtHex(tx, ty);
    PauseFor(DELAY_AI_COMBAT_BEFORE);
    targetHex->SetMark(kMarkAttackTarget, 0);
    PauseFor(DELAY_AI_COMBAT_BEFORE);
  }
  const bool landTarget = dynamic_cast<cJednostkaLadowa*>(plan.target) != nullptr;
  sWynikWalki result;
  if (plan.oddsColumn < 7 && landTarget && targetHex->seaNodeMarker != 0) {
    sFlota* fleet = gGra->FindBombardmentFleet(country->id, targetHex->seaNodeMarker);
    if (fleet != nullptr && fleet->ShoreBombard(tx, ty, result, true)) {
      PauseFor(DELAY_AI_COMBAT_AFTER);
      if (delayValues[DELAY_AI_COMBAT_RESULT] != 0) ShowResult(result, "ai2");
      result.Clear();
    }
    if (!IsLive(plan.target)) {
      PruneDeadUnits();
      targetHex->ClearMark(kMarkAttackTarget, false);
      return kAttackDoneWithoutCombat;
    }
  }
  while (landTarget && plan.oddsColumn < 7 && !plan.supportingAir.empty() && plan.goodAirStrikes > 0) {
    cJednostkaLotnicza* bomber = plan.supportingAir.front();
    bomber->AddActionPoints(-1);
    bool strike = true;
    if (!plan.interceptors.empty()) {
      result.Clear();
      // The bomber is on the mission; the enemy fighter tries to stop it. A
      // bomber shot down while its interceptor fell too is stopped as well.
      if (bomber->Intercept(plan.interceptors.front(), result) || bomber->strength <= 0) {
        LogLine(L"Przechwycenie udane, nici z ataku!");
        strike = false;
      } else {
        LogLine(L"Przechwycenie nieudane, bombardujemy!");
      }
      if (dialogs) ShowResult(result, "ai2");
      RemoveIfShotDown(bomber, result, L"an interception");
    }
    if (strike && IsLive(bomber)) {
      result.Clear();
      targetHex->AirBombard(result, bomber);
      if (dialogs) ShowResult(result, "ai2");
    }
    if (!IsLive(plan.target)) {
      LogLine(L"Obronca nie przezyl bombardowania... koniec ataku");
      PruneDeadUnits();
      targetHex->ClearMark(kMarkAttackTarget, false);
      return kAttackDoneWithoutCombat;
    }
    UpdateOdds(plan);
    BuildUnitLists();
    ComputeAirSupport(plan);
    if (plan.oddsColumn > 6) break;
  }
  PrintPlan(plan);
  // Attackers whose side hex is still taken wait for the departures.
  bool departed[6] = {};
  for (int d = 0; d < 6; ++d) departed[d] = plan.departures[d].unit == nullptr;
  auto onSide = [&](int d) {
    const sHex* n = Neighbour(tx, ty, d);
    return n != nullptr && plan.attackers[d]->x == n->x && plan.attackers[d]->y == n->y;
  };
  for (bool movedAny = true; movedAny;) {
    movedAny = false;
    for (int d = 0; d < 6; ++d) {
      if (plan.attackers[d] == nullptr || onSide(d) || !departed[d]) continue;
      const sHex* n = Neighbour(tx, ty, d);
      MoveUnit(plan.attackers[d], n->x, n->y);
      for (int k = 0; k < 6; ++k)
        if (plan.departures[k].unit == plan.attackers[d]) departed[k] = true;
      movedAny = movedAny || onSide(d);
    }
  }
  for (int d = 0; d < 6; ++d) {
    sAiPlanMove& m = plan.departures[d];
    if (m.unit == nullptr || departed[d]) continue;
    bool isAttacker = false;
    for (cJednostkaLadowa* a : plan.attackers) isAttacker = isAttacker || a == m.unit;
    if (!isAttacker && (m.unit->x != m.x || m.unit->y != m.y)) MoveUnit(m.unit, m.x, m.y);
    departed[d] = true;
    if (plan.attackers[d] != nullptr && !onSide(d)) {
      const sHex* n = Neighbour(tx, ty, d);
      MoveUnit(plan.attackers[d], n->x, n->y);
    }
  }
  for (int d = 0; d < 6; ++d) {
    if (plan.attackers[d] == nullptr || onSide(d)) continue;
    const sHex* n = Neighbour(tx, ty, d);
    MoveUnit(plan.attackers[d], n->x, n->y);
  }
  sAtak attack;
  attack.defender = plan.target;
  attack.targetX = tx;
  attack.targetY = ty;
  for (int d = 0; d < 6; ++d) {
    // An attacker that could not reach its side takes no part.
    if (plan.attackers[d] == nullptr || !onSide(d)) continue;
    attack.SetAttacker(plan.attackers[d], d);
    if (shown && !plan.attackers[d]->IsFullySpotted()) plan.attackers[d]->spottedLevel = 6;
  }
  // Units have moved even when none reached its side.
  int outcome = kAttackDoneWithoutCombat;
  if (attack.CountAttackers() > 0) {
    gGra->selection.NewAttack(attack.defender, tx, ty, attack.attackers[0], attack.attackers[1], attack.attackers[2],
                              attack.attackers[3], attack.attackers[4], attack.attackers[5]);
    FrontEnd().Delay(1000, __FILE__, __LINE__);
    if (gGra->selection.attack != nullptr) {
      result.Clear();
      outcome = ResolveLandCombat(*gGra->selection.attack, result) ? kAttackFought : kAttackDoneWithoutCombat;
      AcquireGameLock("ai2", __LINE__);
      gGra->selection.ClearAttack();
      ReleaseGameLock("ai2", __LINE__);
      if (dialogs) ShowResult(result, "ai2");
    }
  }
  targetHex->ClearMark(kMarkAttackTarget, false);
  PruneDeadUnits();
  return outcome;
}

bool cAI::AcceptsPlan(const sAiAttack& plan, bool multi) const {
  if (country == nullptr) return false;
  const sAiParameters& prefs = country->ai;
  if (!multi) return plan.oddsColumn >= prefs.oneSideAttackPreferences[0];
  return plan.oddsColumn >= prefs.multipleSideAttackPreferences[0] ||
         (plan.oddsColumn >= prefs.multipleSideAttackPreferences[1] &&
          plan.goodAirStrikes >= prefs.multipleSideAttackPreferences[2]);
}

void cAI::RunAttackLoop(bool multi) {
  if (gGra == nullptr || country == nullptr) return;
  const wchar_t* name = country->name.c_str();
  // Every pass after the first follows an attack; a plan that keeps being
  // abandoned must not hold the impulse for ever.
  const size_t maxPasses = 2 * (ownLandUnits.size() + enemyLandUnits.size()) + 8;
  // The plans abandoned so far; their units are only compared, never
  // followed, as some may be dead by now.
  std::set<std::vector<const void*>> abandoned;
  // Ranges are kept for this loop only: other phases change the world
  // without the snapshot seeing every change of a unit.
  BeginRangeReuse();
  struct sEndOfLoop {
    cAI& ai;
    ~sEndOfLoop() { ai.EndRangeReuse(); }
  } endOfLoop{*this};
  for (size_t pass = 0;; ++pass) {
    if (pass == maxPasses) {
      LogLine(L"[AI] Too many attack passes, ending the attacks");
      return;
    }
    if (WorkerMustStop()) return;
    LogF(multi ? L"[AI] %ls: Calculating movement ranges for opportunity moves"
               : L"[AI] %ls: Calculating movement ranges for one-side attacks",
         name);
    ComputeMovementRanges(false);
    LogF(L"[AI] %ls: Searching for obvious moves", name);
    while (!WorkerMustStop() && SearchObviousMoves()) {
      PruneDeadUnits();
      ComputeMovementRanges(false);
    }
    if (WorkerMustStop()) return;
    // Nothing has moved since the ranges above were taken: the search that
    // found no obvious move changes nothing. The ranges for the attacks
    // are those ranges again, without the units that attacked already in
    // the multiple-direction case; reusing them spares a second flood of
    // every unit.
    if (multi) {
      LogF(L"[AI] %ls: Calculating movement ranges for multiple-direction attacks", name);
      reachableHexes.remove_if([](const sAiReachableHex& e) { return e.unit->attacked != 0; });
      LogF(L"[AI] %ls: Calculating possible approach for multiple-direction attacks", name);
    } else {
      LogF(L"[AI] %ls: Calculating movement ranges for one-side attacks", name);
      LogF(L"[AI] %ls: Calculating possible approach for one-side attacks", name);
    }
    ComputeApproaches();
    LogF(multi ? L"[AI] %ls: Determining best multiple-direction attack" : L"[AI] %ls: Determining best one-side attack",
         name);
    plans.clear();
    if (multi)
      BuildMultiDirectionPlans();
    else
      BuildOneSidePlans();
    if (plans.empty()) return;
    std::stable_sort(plans.begin(), plans.end(),
                     [](const sAiAttack& a, const sAiAttack& b) { return AttackRanksBelow(b, a); });
    LogLine(multi ? L"================= LISTA ATAK\u00d3W WIELOKIER SORT !!!!============="
                  : L"================= LISTA ATAK\u00d3W JEDNOKIER SORT !!!!=============");
    for (const sAiAttack& p : plans)
      LogF(L"Cel=%s Kolumna=%i:1 Miasto=%s Koszt=%i", p.target->name.c_str(), p.oddsColumn,
           TargetOnCity(p) ? L"TAK" : L"NIE", p.cost);
    // An abandoned plan has changed nothing, so the next acceptable plan of
    // the same list is still sound. Any attack carried out changes the world
    // and the plans are built anew; a plan abandoned before is then not
    // tried again, though other plans against its target may be.
    bool done = false;
    for (sAiAttack& p : plans) {
      if (WorkerMustStop()) return;
      if (!AcceptsPlan(p, multi) || IsVetoed(p)) continue;
      const std::vector<const void*> key = PlanKey(p);
      if (abandoned.count(key) != 0) continue;
      if (ExecuteAttack(p) == kAttackAbandoned) {
        abandoned.insert(key);
        continue;
      }
      BuildUnitLists();
      done = true;
      break;
    }
    plans.clear();
    if (!done) {
      if (multi) LogLine(L"Nie by\u0142o mozliwosci zrobienia ataku wielokier. na 5:1 lub lepiej, ko\u0144cze wiec");
      return;
    }
  }
}

void cAI::PlanMultiDirectionAttacks() {
  NoteAiPhase("PlanMultiDirectionAttacks");
  LogLine(L"[AI] ATAKI WIELOKIERUNKOWE");
  RunAttackLoop(true);
}

void cAI::PlanOneSideAttacks() {
  NoteAiPhase("PlanOneSideAttacks");
  LogLine(L"[AI] ATAKI JEDNOKIERUNKOWE");
  RunAttackLoop(false);
}
