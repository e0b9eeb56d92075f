// Idle land units shipped to the weakest fronts: the friendly ports that
// reach a front by land, the ports with a sea route to them, the walk of
// idle units to the nearest such port, and their loading onto cargo ships
// that the fleets phase sails to the front.
#include <algorithm>
#include <climits>
#include <map>
#include <utility>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"
#include "world/strategic_moves.h"

namespace {

// The computer player's orders of a unit shipped to a front.
constexpr int kOrderIdle = 3;
constexpr int kOrderToEmbarkPort = 10;
constexpr int kOrderReadyToEmbark = 11;
// The purchase code of ten sea transport points.
constexpr int kPurchaseSeaTransport = 1;
// A cargo fleet sails to its destination and puts its unit ashore there.
constexpr int kFleetOrderTransport = 3;

void PrintFrontsShort(const std::list<sAiFront>& fronts) {
  for (const sAiFront& f : fronts)
    LogF(L"Front (%s), miasta: %i, Przewaga=%.2f", f.name.c_str(), static_cast<int>(f.nodes.size()),
         static_cast<double>(f.ratio));
}

bool IsFriendlyPort(const cMiasto& city, const cPanstwo& country) {
  if (!city.IsPort()) return false;
  const int controller = city.GetController();
  return controller != 0 && (controller == country.id || country.IsAlly(controller));
}

template <class T>
bool Contains(const std::vector<T>& v, const T& value) {
  return std::find(v.begin(), v.end(), value) != v.end();
}

}  // namespace

void cAI::TransportUnitsToFronts() {
  NoteAiPhase("TransportUnitsToFronts");
  if (gGra == nullptr || country == nullptr) return;
  LogLine(L"Transporting sea units to fronts");
  if (fronts.empty()) {
    LogLine(L"No open fronts... aborting procedure.");
    return;
  }
  if (!HasUnitWithOrder3()) {
    LogLine(L"No own idle land units (idle = no order). Aborting procedure.");
    return;
  }

  LogLine(L"Fronts before sort:");
  PrintFrontsShort(fronts);
  // Stable: fronts of equal ratio keep their order.
  fronts.sort([](const sAiFront& a, const sAiFront& b) { return a.ratio < b.ratio; });
  LogLine(L"Fronts after sort:");
  PrintFrontsShort(fronts);

  const int self = country->id;
  std::vector<cMiasto*> friendlyPorts;
  for (cMiasto* c : gGra->cities)
    if (IsFriendlyPort(*c, *country)) friendlyPorts.push_back(c);

  // Kept over all fronts: ports found for a weaker front serve the later
  // ones too.
  std::vector<cMiasto*> frontPorts;
  std::vector<cMiasto*> embarkPorts;
  cDiagramMiast& diagram = gGra->citiesDiagram;
  cGrafMorz& sea = gGra->seaGraph;
  std::list<cMiasto*> path;
  std::vector<int> route;
  std::map<std::pair<const cMiasto*, const cMiasto*>, bool> routes;
  for (const sAiFront& front : fronts) {
    if (IsFrontHeldByOneBlockedCity(front, self)) continue;

    // Once per front at most: the first node that it reaches counts.
    for (cMiasto* p : friendlyPorts) {
      for (const sWezelDiagramuMiast* n : front.nodes) {
        if (n->city != p && !diagram.FindCityPath(p, n->city, self, path)) continue;
        frontPorts.push_back(p);
        break;
      }
    }

    for (cMiasto* q : friendlyPorts) {
      for (cMiasto* a : frontPorts) {
        if (a == q) continue;
        // Nothing sails during the search: a pair's route is looked for once.
        const auto key = std::make_pair(q, a);
        auto known = routes.find(key);
        if (known == routes.end())
          known = routes.emplace(key, sea.FindSeaRoute(q->GetSeaNode(), a->GetSeaNode(), self, true, route)).first;
        if (!known->second) continue;
        LogF(L"tempus7 %s: polaczenie %s -> %s jest!", country->name.c_str(), q->GetName().c_str(),
             a->GetName().c_str());
        embarkPorts.push_back(q);
        break;
      }
    }

    if (frontPorts.empty() || embarkPorts.empty()) continue;

    for (cJednostkaLadowa* u : ownLandUnits) {
      if (u->aiOrder != kOrderIdle) continue;
      const cMiasto* region = u->GetRegionCity();
      if (region == nullptr) continue;
      const cMiasto* best = nullptr;
      int bestHops = INT_MAX;
      for (const cMiasto* b : embarkPorts) {
        if (!CanMoveStrategicallyTo(*u, *b)) continue;
        const int hops = region->GetHopsTo(*b);
        if (hops == -1 || hops >= bestHops) continue;
        best = b;
        bestHops = hops;
      }
      if (best != nullptr) u->ExecuteOrder(kOrderToEmbarkPort, best->x, best->y, bestHops);
    }
  }

  for (cJednostkaLadowa* u : ownLandUnits) {
    if (WorkerMustStop()) return;
    if (u->aiOrder != kOrderToEmbarkPort) continue;
    // An order kept from a saved game may have lost its port.
    if (u->aiTargetX == -1 || u->aiTargetY == -1) continue;
    if (u->aiUltimateTargetX != -1 &&
        (TryStrategicMoveToCity(u, u->aiUltimateTargetX, u->aiUltimateTargetY, 1) || u->MoveToTargetHex()))
      continue;
    if (TryStrategicMoveToCity(u, u->aiTargetX, u->aiTargetY, 1)) continue;
    u->MarkAttackTargets(true);
    const int before = u->actionPoints;
    u->GiveMoveOrder(u->aiTargetX, u->aiTargetY);
    if (u->actionPoints == before) u->aiOrder = kOrderReadyToEmbark;
  }

  // Without a front port the ship would have nowhere to sail: such units
  // wait for an impulse that finds one.
  const int destination = frontPorts.empty() ? -1 : frontPorts.front()->GetSeaNode();
  std::vector<const cJednostkaLadowa*> loaded;
  for (cJednostkaLadowa* u : ownLandUnits) {
    if (u->aiOrder != kOrderReadyToEmbark) continue;
    int px = -1;
    int py = -1;
    if (!u->FindEmbarkPort(px, py) || u->actionPoints == 0) continue;
    if (country->seaTransportPoints < naval_values::SeaTransportCost(country->consts, u->type)) {
      std::list<int32_t>& queue = country->ai.purchaseQueue;
      queue.remove(kPurchaseSeaTransport);
      queue.push_back(kPurchaseSeaTransport);
      continue;
    }
    if (destination == -1) {
      LogF(L"%s waits in port: no front port to sail to", u->name.c_str());
      continue;
    }
    LogF(L"%s meets all conditions and will be loaded onto transport to go to front", u->name.c_str());
    const cMiasto* port = gGra->map->GetHex(px, py)->city;
    const bool shown = u->IsFullySpotted() && gGra->selection.showActions != 0;
    if (shown) {
      gGra->map->CenterAtHex(u->x, u->y);
      PauseFor(DELAY_AI_MOVE_BEFORE);
    }
    sFlota* fleet = u->LoadOntoFleet(kTypeCargo, port->GetSeaNode(), kFleetOrderTransport);
    if (shown) PauseFor(DELAY_AI_MOVE_AFTER);
    if (fleet == nullptr) continue;
    fleet->destinationNode = destination;
    loaded.push_back(u);
  }
  ownLandUnits.remove_if([&](const cJednostkaLadowa* u) { return Contains(loaded, u); });
}
