// The computer player's invasions: the build-up of land units in staging
// cities next to the targets of a planned war, and the sea invasion: its
// target, the units gathered in friendly ports with a sea route there, and
// their loading onto amphibious ships bound for the target.
#include <algorithm>
#include <array>
#include <climits>
#include <list>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
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
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/selection.h"
#include "world/strategic_moves.h"

namespace {

// Orders of the land units gathered for a war target and for a sea invasion.
constexpr int32_t kOrderNone = 0;
constexpr int32_t kOrderNoFrontCity = 3;
constexpr int32_t kOrderToFrontCity = 6;
constexpr int32_t kOrderIdleOnSafeFront = 8;
constexpr int32_t kOrderGatherForTarget = 12;
constexpr int32_t kOrderToEmbarkPort = 14;
constexpr int32_t kOrderReadyToEmbark = 15;
// The invasion fleet's order: on its way to the target's sea zone.
constexpr int32_t kFleetOrderInvasion = 2;
// The purchase-queue code of amphibious capacity.
constexpr int32_t kPurchaseAmphibious = 0;
// A landing gathers this many times the strength standing on the target.
constexpr float kInvasionStrengthFactor = 12.0f;
// The defence counted for an empty target hex.
constexpr float kEmptyTargetDefence = 0.1f;
// Neighbours 0..4 of a target city are looked at for its score.
constexpr int kScoredNeighbours = 5;

bool FriendlyTo(const cPanstwo& country, int controller) {
  return controller != 0 && (controller == country.id || country.IsAlly(controller));
}

// The sea zone on the coast of the city's hex, 0 for none.
int SeaZoneOf(const cMiasto& city) {
  const sHex* hex = GameHexAt(city.x, city.y);
  return hex != nullptr ? hex->seaZone : 0;
}

// A target without a sea zone cannot be sailed to: it is left out.
bool HasSeaZoneOrLog(const cMiasto& city) {
  if (SeaZoneOf(city) != 0) return true;
  LogF(L"Error! Hex(%i,%i) was targeted for amphib invasion but tasksIt has no seazone attribute", city.x, city.y);
  LogF(L"[AI] Sea invasion target %s skipped: no sea zone to land from", city.name.c_str());
  return false;
}

float CombatStrengthOn(const sHex* hex) {
  return hex != nullptr && hex->unit != nullptr ? hex->unit->GetCombatStrength() : 0.0f;
}

}  // namespace

// ---- invasion build-up ---------------------------------------------------------

namespace {

struct sBuildUpEntry {
  cMiasto* staging = nullptr;                // not owned
  std::array<int32_t, 3>* target = nullptr;  // not owned: x, y, strength to gather (-1 no limit)
  float gathered = 0.0f;
};

}  // namespace

void cAI::BuildUpInvasionForces() {
  NoteAiPhase("BuildUpInvasionForces");
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  auto& targets = country->ai.currentTargets;

  // Targets already friendly or at war need no more preparation.
  targets.remove_if([&](const std::array<int32_t, 3>& t) {
    const sHex* hex = GameHexAt(t[0], t[1]);
    const int owner = hex != nullptr ? hex->owner : 0;
    return owner != 0 &&
           (owner == country->id || country->IsAlly(owner) || gGra->relations.IsAtWar(country->id, owner));
  });
  if (targets.empty()) return;

  std::vector<sBuildUpEntry> entries;
  for (auto& t : targets) {
    cMiasto* region = gGra->selection.GetRegionCity(t[0], t[1]);
    if (region == nullptr) {
      LogF(L"WARNING: Target hex (%i,%i) does not belong to any city!", t[0], t[1]);
      continue;
    }
    if (FriendlyTo(*country, region->GetController())) {
      entries.push_back({region, &t, 0.0f});
      continue;
    }
    const sWezelDiagramuMiast* node = gGra->citiesDiagram.NodeOf(region);
    if (node == nullptr) continue;
    cMiasto* staging = nullptr;
    int best = INT_MAX;
    for (const sSasiadDiagramu& link : node->links) {
      if (link.target < 0 || static_cast<size_t>(link.target) >= gGra->citiesDiagram.nodes.size()) continue;
      cMiasto* c = gGra->citiesDiagram.nodes[static_cast<size_t>(link.target)].city;
      if (c == nullptr || !FriendlyTo(*country, c->GetController())) continue;
      const int d = HexDistance(c->x, c->y, t[0], t[1]);
      if (d < best) {
        best = d;
        staging = c;
      }
    }
    if (staging != nullptr) entries.push_back({staging, &t, 0.0f});
  }
  if (entries.empty()) {
    LogLine(L"WARNING: cannot build up forces for invasion! No own/allied cities near invasion target!");
    return;
  }

  for (cJednostkaLadowa* u : ownLandUnits) {
    const int order = u->aiOrder;
    if (order != kOrderNone && order != kOrderNoFrontCity && order != kOrderToFrontCity &&
        order != kOrderIdleOnSafeFront)
      continue;
    const cMiasto* region = u->GetRegionCity();
    if (region == nullptr) continue;
    cMiasto* chosen = nullptr;
    int fewest = INT_MAX;
    for (const sBuildUpEntry& e : entries) {
      const int32_t wanted = (*e.target)[2];
      if (wanted != -1 && !(static_cast<float>(wanted) > e.gathered)) continue;
      if (!CanMoveStrategicallyTo(*u, *e.staging)) continue;
      const int hops = e.staging->GetHopsTo(*region);
      if (hops == -1) continue;
      if (hops < fewest) {
        fewest = hops;
        chosen = e.staging;
      }
    }
    if (chosen == nullptr) continue;
    for (sBuildUpEntry& e : entries) {
      if (e.staging != chosen) continue;
      const int32_t wanted = (*e.target)[2];
      if (wanted == -1) {
        u->ExecuteOrder(kOrderGatherForTarget, chosen->x, chosen->y, fewest);
      } else if (e.gathered < static_cast<float>(wanted)) {
        u->ExecuteOrder(kOrderGatherForTarget, chosen->x, chosen->y, fewest);
        e.gathered += u->GetCombatStrength();
      }
    }
  }
}

// ---- sea invasion --------------------------------------------------------------

void cAI::CollectEmbarkPorts(int countryId, const cMiasto* target, std::list<cMiasto*>& out) const {
  out.clear();
  if (gGra == nullptr || target == nullptr || country == nullptr) return;
  // The fleet sails to the sea zone on the target's coast: an enemy port is
  // never on a route of the country.
  const int zone = SeaZoneOf(*target);
  if (zone == 0 || gGra->seaGraph.FindNode(zone) == nullptr) return;
  std::vector<int> route;
  for (cMiasto* c : gGra->cities) {
    if (!c->IsPort()) continue;
    const int controller = c->GetController();
    if (controller == 0 || (controller != countryId && !country->IsAlly(controller))) continue;
    if (gGra->seaGraph.FindSeaRoute(c->GetSeaNode(), zone, countryId, true, route)) out.push_back(c);
  }
}

void cAI::ChooseInvasionTarget() {
  NoteAiPhase("ChooseInvasionTarget");
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  sAiParameters& p = country->ai;
  p.currentSeaInvasionTarget = -1;
  if (p.makesSeaInvasions == 0 || !p.currentTargets.empty()) return;
  if (static_cast<int>(fronts.size()) > p.maxFrontsForSeaInvasion) return;
  const int self = country->id;
  const wchar_t* name = country->name.c_str();

  p.obligatorySeaInvasionTargets.remove_if([&](const cMiasto* c) {
    const int controller = c->GetController();
    if (controller == self || !gGra->relations.IsAtWar(self, controller)) return true;
    return !HasSeaZoneOrLog(*c);
  });
  LogF(L"%s plannning sea invasion. Determining target", name);

  cMiasto* target = nullptr;
  int targetNode = -1;
  if (!p.obligatorySeaInvasionTargets.empty()) {
    target = p.obligatorySeaInvasionTargets.front();
    p.obligatorySeaInvasionTargets.pop_front();
    targetNode = target->IsPort() ? target->GetSeaNode() : -1;
  } else {
    float best = -2147483648.0f;
    std::list<cMiasto*> ports;
    for (cMiasto* c : gGra->cities) {
      LogF(L"Checking city %s", c->name.c_str());
      if (!c->IsPort() || !gGra->relations.IsAtWar(self, c->GetController())) continue;
      LogLine(L"Condition 1 passed");
      CollectEmbarkPorts(self, c, ports);
      if (ports.empty()) continue;
      LogLine(L"Condition 2 passed");
      const sHex* hex = GameHexAt(c->x, c->y);
      if (hex == nullptr) continue;
      float score = 0.0f;
      LogLine(L"Checking bonus for unit");
      score -= CombatStrengthOn(hex);
      LogLine(L"Checking bonus for sea connection");
      if (gGra->citiesDiagram.HasSeaLinkToAlliedCity(c, self)) score += 10.0f;
      LogLine(L"Checking bonus for empty hexes");
      LogLine(L"Checking bonus for nearby units");
      for (int d = 0; d < kScoredNeighbours; ++d) {
        if (!gGra->map->HasNeighbour(c->x, c->y, d)) continue;
        const sHex* n = gGra->map->GetNeighbourHex(c->x, c->y, d);
        if (n == nullptr || !n->IsLand()) continue;
        if (n->unit == nullptr)
          score += 2.0f;
        else if (n->unit->category == kCategoryLand)
          score -= 0.5f * n->unit->GetCombatStrength();
      }
      LogLine(L"Getting node");
      if (score > best && hex->seaZone != 0) {
        LogLine(L"----- Sofar the best! :)");
        best = score;
        target = c;
        targetNode = c->GetSeaNode();
      }
    }
  }

  LogF(L"Target for invasion: %i", targetNode);
  p.currentSeaInvasionTarget = targetNode;
  if (targetNode == -1 || target == nullptr) return;

  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(targetNode);
  const sHex* mainHex = node != nullptr ? GameHexAt(node->mainX, node->mainY) : nullptr;
  const float defence =
      mainHex != nullptr && mainHex->unit != nullptr ? mainHex->unit->GetCombatStrength() : kEmptyTargetDefence;

  std::list<cMiasto*> ports;
  CollectEmbarkPorts(self, target, ports);

  std::vector<cJednostkaLadowa*> candidates;
  std::list<cMiasto*> path;
  for (cJednostkaLadowa* u : ownLandUnits) {
    if (u->aiOrder != kOrderNone && u->aiOrder != kOrderNoFrontCity) continue;
    cMiasto* region = u->GetRegionCity();
    if (region == nullptr) continue;
    const bool reaches = std::any_of(ports.begin(), ports.end(), [&](const cMiasto* port) {
      return gGra->citiesDiagram.FindCityPath(region, port, self, path);
    });
    if (reaches) candidates.push_back(u);
  }
  if (candidates.empty()) {
    LogLine(L"No land units applicable for invasion. Exiting sea invasion procedure.");
    return;
  }
  std::stable_sort(candidates.begin(), candidates.end(), [](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
    return a->GetCombatStrength() > b->GetCombatStrength();
  });

  float total = 0.0f;
  for (auto it = candidates.begin(); it != candidates.end() && total < kInvasionStrengthFactor * defence; ++it) {
    cJednostkaLadowa* u = *it;
    const cMiasto* region = u->GetRegionCity();
    const cMiasto* port = nullptr;
    int fewest = INT_MAX;
    for (const cMiasto* c : ports) {
      const int hops = region->GetHopsTo(*c);
      if (hops == -1 || hops >= fewest) continue;
      fewest = hops;
      port = c;
    }
    if (port == nullptr) continue;
    u->ExecuteOrder(kOrderToEmbarkPort, port->x, port->y, fewest);
    if (u->aiOrder != kOrderToEmbarkPort) continue;
    // The port itself is where the unit embarks; a longer way keeps the port
    // as its ultimate target, so that a strategic move may take it there.
    u->aiTargetX = port->x;
    u->aiTargetY = port->y;
    total += u->GetCombatStrength();
  }

  // A copy: a strategic move or a walk may change the game's lists.
  const std::list<cJednostkaLadowa*> units = ownLandUnits;
  for (cJednostkaLadowa* u : units) {
    if (WorkerMustStop()) return;
    if (u->aiOrder != kOrderToEmbarkPort) continue;
    // A unit already in its port has arrived.
    if (u->x == u->aiTargetX && u->y == u->aiTargetY) {
      u->aiOrder = kOrderReadyToEmbark;
      continue;
    }
    if (TryStrategicMoveToCity(u, u->aiUltimateTargetX, u->aiUltimateTargetY, 1)) continue;
    if (u->MoveToTargetHex()) continue;
    u->MarkAttackTargets(true);
    const int before = u->actionPoints;
    u->GiveMoveOrder(u->aiTargetX, u->aiTargetY);
    if (before != 0 && u->actionPoints == before) u->aiOrder = kOrderReadyToEmbark;
  }

  int onTheWay = 0;
  int needed = 0;
  for (const cJednostkaLadowa* u : ownLandUnits) {
    if (u->aiOrder == kOrderToEmbarkPort) ++onTheWay;
    if (u->aiOrder == kOrderReadyToEmbark) needed += naval_values::AmphibiousCost(country->consts, u->type);
  }
  if (onTheWay > 0) return;
  LogLine(L"All units ready for invasion!");
  if (needed > country->amphibiousPoints) {
    p.purchaseQueue.remove(kPurchaseAmphibious);
    p.purchaseQueue.push_back(kPurchaseAmphibious);
    LogLine(L"Need to buy more AIP for invasion! Exiting sea invasion procedure");
    return;
  }

  LogLine(L"We have enough AIP. Starting loading units.");
  if (!HasSeaZoneOrLog(*target)) return;
  const int zone = SeaZoneOf(*target);
  const std::list<cJednostkaLadowa*> ready = ownLandUnits;
  for (cJednostkaLadowa* u : ready) {
    if (u->aiOrder != kOrderReadyToEmbark) continue;
    const sHex* at = GameHexAt(u->aiTargetX, u->aiTargetY);
    const cMiasto* port = at != nullptr ? at->city : nullptr;
    if (port == nullptr) {
      LogLine(L"ERROR: No target for unit!");
      continue;
    }
    if (!port->IsPort()) {
      LogF(L"ERROR: cannot load %s, %s is not a port (!)", u->name.c_str(), port->name.c_str());
      continue;
    }
    const bool shown = u->IsFullySpotted() && gGra->selection.showActions != 0;
    if (shown) {
      LogF(L"[AI] %s: Loading %s onto amphib", name, u->name.c_str());
      FrontEnd().CenterMapOn(u->x, u->y);
      PauseFor(DELAY_AI_MOVE_BEFORE);
    }
    sFlota* fleet = u->LoadOntoFleet(kTypeAmphibious, port->GetSeaNode(), kFleetOrderInvasion);
    if (fleet == nullptr) continue;
    ownLandUnits.remove(u);
    fleet->destinationNode = zone;
    fleet->invasionX = target->x;
    fleet->invasionY = target->y;
    if (shown) PauseFor(DELAY_AI_MOVE_AFTER);
  }
}
