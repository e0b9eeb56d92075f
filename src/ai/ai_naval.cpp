// The computer player's fleets without a transport or invasion task: the
// patrols spread over the country's sea zones, and the strikes of its ready
// aircraft carriers on the targets its priorities prefer.
#include <algorithm>
#include <array>
#include <list>
#include <map>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/shared_records.h"
#include "rules/worker_thread.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

constexpr int32_t kFleetFree = 0;
constexpr int32_t kFleetPatrol = 5;
constexpr int kCarrierTargetKinds = 9;
// A fleet of n ships splits at most n - 1 times; this only guards a loop.
constexpr int kMaxSplitPasses = 10000;

bool IsHexKind(int kind) { return kind == 0 || kind >= 5; }

// The naval units of the game's list that belong to the country, in list order.
std::vector<cJednostkaMorska*> OwnShips(int country) {
  std::vector<cJednostkaMorska*> ships;
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (s->countryId == country) ships.push_back(s);
  return ships;
}

// The formation of the first patrol pair of the zone; regular without one.
int PatrolFormation(const std::list<std::pair<int32_t, int32_t>>& zones, int zone) {
  for (const auto& p : zones)
    if (p.first == zone) return p.second;
  return 0;
}

bool FullySpottedEnemyOn(const sHex& hex, int country) {
  const cJednostka* u = hex.unit;
  return u != nullptr && u->IsFullySpotted() && gGra->relations.IsAtWar(country, u->countryId);
}

bool CityHeldByEnemy(const sHex& hex, int country) {
  if (hex.city == nullptr) return false;
  const int controller = hex.city->GetController();
  return controller != 0 && gGra->relations.IsAtWar(country, controller);
}

}  // namespace

void cAI::CollectOwnFleets(std::list<sFlota*>& out) const {
  out.clear();
  if (gGra == nullptr || country == nullptr) return;
  for (sFlota* f : gGra->fleets)
    if (f->countryId == country->id) out.push_back(f);
}

void cAI::AssignPatrolZones() {
  if (gGra == nullptr || country == nullptr) return;
  std::list<sFlota*> fleets;
  CollectOwnFleets(fleets);
  for (sFlota* f : fleets)
    if (f->order == kFleetPatrol) f->order = kFleetFree;
  const auto& zones = country->ai.seaZonesToPatrol;
  const int n = static_cast<int>(zones.size());
  if (n < 1) return;

  int total = 0;
  for (sFlota* f : fleets)
    if (f->order == kFleetFree) total += f->SumHp();
  const int quota = total / n;
  auto pair = zones.begin();
  int zone = pair->first;
  int sum = 0;
  // A zone that the ship's sea cannot reach (a fleet of the Black Sea given
  // the Baltic) would be sailed for in vain every turn: the ship takes the
  // first zone of the list that it can reach instead, when there is one.
  std::map<std::pair<int, int>, bool> reachable;
  auto canReach = [&](int from, int to) {
    const auto key = std::make_pair(from, to);
    auto it = reachable.find(key);
    if (it != reachable.end()) return it->second;
    std::vector<int> route;
    const bool ok = from == to || gGra->seaGraph.FindSeaRoute(from, to, country->id, true, route);
    reachable.emplace(key, ok);
    return ok;
  };
  for (cJednostkaMorska* ship : OwnShips(country->id)) {
    if (ship->fleet == nullptr || ship->fleet->order != kFleetFree) continue;
    sum += ship->hitPoints;
    ship->assignedSeaZone = zone;
    if (!canReach(ship->fleet->seaNode, zone))
      for (const auto& [other, formation] : zones)
        if (canReach(ship->fleet->seaNode, other)) {
          ship->assignedSeaZone = other;
          break;
        }
    if (sum > quota) {
      sum = 0;
      if (std::next(pair) != zones.end()) zone = (++pair)->first;
    }
  }

  for (int pass = 0; pass < kMaxSplitPasses; ++pass) {
    bool split = false;
    CollectOwnFleets(fleets);
    for (sFlota* f : fleets) {
      if (f->ships.empty() || f->order != kFleetFree) continue;
      int other = -1;
      if (f->AllShipsInSameZone(other)) {
        f->order = kFleetPatrol;
        f->destinationNode = other;
        f->formation = PatrolFormation(zones, other);
        continue;
      }
      f->MarkShipsOfZone(other);
      sFlota* part = sFlota::SplitFrom(*f);
      gGra->fleets.push_back(part);
      f->RemoveMarkedShips();
      f->UnmarkShips();
      part->UnmarkShips();
      split = true;
      break;
    }
    for (;;) {
      CollectOwnFleets(fleets);
      auto empty = std::find_if(fleets.begin(), fleets.end(), [](const sFlota* f) { return f->ships.empty(); });
      if (empty == fleets.end()) break;
      (*empty)->Delete();
    }
    if (!split) break;
  }

  CollectOwnFleets(fleets);
  for (sFlota* f : fleets)
    if (f->order == kFleetPatrol) f->Move(f->destinationNode);
}

void cAI::CollectCarrierTargets(sFlota& fleet, std::vector<sHex*>& hexes, std::vector<sWezelGrafuMorz*>& nodes,
                                int kind) {
  hexes.clear();
  nodes.clear();
  if (gGra == nullptr) return;
  sWezelGrafuMorz* home = fleet.GetSeaNode();
  if (home == nullptr) return;
  const int c = fleet.countryId;
  gPortConcealment = true;
  home->CalcNavalVisibilityFor(c, false);
  if (kind == 3 && !home->IsPort() && home->CountSpottedEnemyShips() > 0) nodes.push_back(home);

  for (const sKrawedzGrafuMorz& edge : home->edges) {
    sWezelGrafuMorz* node = gGra->seaGraph.FindNode(edge.target);
    if (node == nullptr) continue;
    {
      cPortConcealmentOff off;
      node->CalcNavalVisibilityFor(c, false);
    }
    const int spotted = node->CountSpottedEnemyShips();
    sHex* main = GameHexAt(node->mainX, node->mainY);
    const bool enemyOnMain = main != nullptr && FullySpottedEnemyOn(*main, c);
    switch (kind) {
      case 0:
        if (node->IsPort() && spotted > 0 && enemyOnMain) hexes.push_back(main);
        break;
      case 1:
        if (node->IsPort() && spotted > 0 && main != nullptr && main->unit == nullptr) nodes.push_back(node);
        break;
      case 2:
        if (node->IsPort() && spotted == 0 && enemyOnMain) nodes.push_back(node);
        break;
      case 4:
        if (spotted > 0) nodes.push_back(node);
        break;
      default:
        break;
    }
  }

  if (!IsHexKind(kind) || kind == 0 || gGra->map == nullptr) return;
  for (sHex& hex : gGra->map->hexes) {
    if (!hex.IsLand() || hex.seaZone != home->id || hex.unit == nullptr) continue;
    const bool air = hex.unit->category == kCategoryAir;
    const bool land = hex.unit->category == kCategoryLand;
    const bool wanted = kind == 5 ? air && CityHeldByEnemy(hex, c)
                        : kind == 6 ? air && hex.city == nullptr && FullySpottedEnemyOn(hex, c)
                        : kind == 7 ? land && CityHeldByEnemy(hex, c)
                                    : land && hex.city == nullptr && FullySpottedEnemyOn(hex, c);
    if (wanted) hexes.push_back(&hex);
  }
}

void cAI::CarrierBombardment() {
  if (gGra == nullptr || country == nullptr) return;
  std::array<int, kCarrierTargetKinds> kinds{};
  for (int k = 0; k < kCarrierTargetKinds; ++k) kinds[static_cast<size_t>(k)] = k;
  const int32_t* priority = country->ai.carrierTargetsPriorities;
  std::stable_sort(kinds.begin(), kinds.end(), [&](int a, int b) { return priority[a] > priority[b]; });

  std::vector<sHex*> hexes;
  std::vector<sWezelGrafuMorz*> nodes;
  for (cJednostkaMorska* carrier : OwnShips(country->id)) {
    if (WorkerMustStop()) return;
    if (carrier->type != kTypeCarrier || carrier->airstrikeDone != 0 || carrier->fleet == nullptr) continue;
    const cPanstwo* owner = gGra->GetCountry(carrier->countryId);
    if (owner == nullptr || carrier->hitPoints < naval_values::CarrierThreshold(owner->consts)) continue;
    for (int kind : kinds) {
      sWynikWalki result;
      CollectCarrierTargets(*carrier->fleet, hexes, nodes, kind);
      if (IsHexKind(kind)) {
        if (hexes.empty()) continue;
        sHex* best = hexes.front();
        for (sHex* h : hexes)
          if (h->unit->GetStrengthValue() > best->unit->GetStrengthValue()) best = h;
        const bool shown = best->unit->IsFullySpotted();
        // Flagged before the strike: the defence can sink the carrier in it,
        // and the raid then frees it.
        carrier->airstrikeDone = 1;
        best->AirBombard(result, carrier);
        ShowCombatAtHex(result, best, shown);
        break;
      }
      if (nodes.empty()) continue;
      sWezelGrafuMorz* best = nodes.front();
      for (sWezelGrafuMorz* node : nodes) {
        cPortConcealmentOff off;
        node->CalcNavalVisibilityFor(country->id, false);
        best->CalcNavalVisibilityFor(country->id, false);
        if (node->CountSpottedEnemyShips() < best->CountSpottedEnemyShips()) best = node;
      }
      sHex* main = GameHexAt(best->mainX, best->mainY);
      if (main == nullptr) {
        LogF(L"[AI] sea node %i has no main hex on the map, no strike", best->id);
        continue;
      }
      carrier->airstrikeDone = 1;
      // The result dialog is titled by the strike's kind.
      result.resultCode = sWynikWalki::kCarrierStrikeOnSeaZone;
      result.attackerCountry = carrier->countryId;
      best->BombardPort(result, carrier, *main);
      // Lost to the ships' counter-fire, the carrier sinks here, as in a raid
      // on a hex (sHex::AirBombard), and is not touched afterwards.
      if ((result.attackerDestroyed & 1) != 0) {
        LogF(L"[AI] %s sunk in its strike on sea node %i", carrier->name.c_str(), best->id);
        carrier->Kill(true);
      }
      ShowCombatAtUnit(result, *best);
      break;
    }
  }
}
