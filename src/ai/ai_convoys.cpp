// The computer player's convoys: its ports on other land masses are kept
// supplied by convoys from the ports that a supply source reaches by land.
// Every impulse one standing convoy is dropped and the land masses short of
// supply that no convoy serves get one each.
#include <algorithm>
#include <list>
#include <vector>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "rules/worker_thread.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/game.h"
#include "world/sea_graph.h"
#include "world/strategic_moves.h"

namespace {

bool IsSupplySource(const cMiasto& city) { return city.type == kCitySupply || city.type == kCitySupplyPort; }

// The country already ships to or from a city of the group. A convoy's
// departure alone would not stop a group that has just been given a convoy
// from being chosen again, so a supply convoy's destination counts too.
bool IsGroupServed(const std::list<cMiasto*>& group, int country) {
  const cKonwoje* manager = gGra->convoys;
  if (manager == nullptr) return false;
  for (const cMiasto* city : group) {
    if (manager->HasConvoyFromCity(city, country)) return true;
    if (country >= 1 && static_cast<size_t>(country) <= manager->convoys.size())
      for (const sKonwoj& k : manager->convoys[static_cast<size_t>(country) - 1])
        if (k.kind == kConvoySupplies && k.destination == city) return true;
  }
  return false;
}

// The sea nodes of the route between two ports; 0 when there is none.
size_t RouteLength(const cMiasto& from, const cMiasto& to, int country) {
  std::vector<int> route;
  if (!gGra->seaGraph.FindSeaRoute(from.GetSeaNode(), to.GetSeaNode(), country, true, route)) return 0;
  return route.size();
}

}  // namespace

void cAI::CollectConvoySources(std::list<cMiasto*>& out) const {
  out.clear();
  if (gGra == nullptr || country == nullptr) return;
  const int self = country->id;
  // An alliance member draws on its leader's sources as well.
  int leader = -1;
  if (country->alliance >= kAllianceAllies && country->alliance <= kAllianceComintern) {
    const cPanstwo* c = gGra->FindCountryByAlliance(country->alliance);
    leader = c != nullptr ? c->id : -1;
  }
  std::list<cMiasto*> sources;
  for (cMiasto* city : gGra->cities) {
    if (!IsSupplySource(*city)) continue;
    const int owner = city->GetOwner();
    if (owner == self || owner == leader) sources.push_back(city);
  }
  for (cMiasto* city : gGra->cities) {
    if (!city->IsPort()) continue;
    const int holder = city->GetController();
    if (holder != self && !country->IsAlly(holder)) continue;
    const bool connected = std::any_of(sources.begin(), sources.end(), [&](const cMiasto* source) {
      return AreCitiesInSameCountryTopographyGroup(self, city, source);
    });
    if (connected) out.push_back(city);
  }
}

cMiasto* cAI::FindConvoyDestination(const std::list<cMiasto*>& departurePorts) const {
  if (gGra == nullptr || country == nullptr || gGra->strategicMoves == nullptr) return nullptr;
  const int self = country->id;
  if (self < 1 || static_cast<size_t>(self) > gGra->strategicMoves->size()) return nullptr;
  const int needed = ai_values::NewUnitSupply(country->consts);
  for (const std::list<cMiasto*>& group : (*gGra->strategicMoves)[static_cast<size_t>(self) - 1]) {
    // A land mass with a departure port is supplied by land.
    const bool hasDeparture = std::any_of(group.begin(), group.end(), [&](const cMiasto* city) {
      return std::find(departurePorts.begin(), departurePorts.end(), city) != departurePorts.end();
    });
    if (hasDeparture || IsGroupServed(group, self)) continue;
    for (cMiasto* city : group) {
      if (city == nullptr || !city->IsPort() || city->GetSupplyFor(self) >= needed) continue;
      for (const cMiasto* port : departurePorts)
        if (RouteLength(*port, *city, self) > 0) return city;
    }
  }
  return nullptr;
}

void cAI::ConvoysActions() {
  NoteAiPhase("ConvoysActions");
  if (gGra == nullptr || country == nullptr || gGra->convoys == nullptr) return;
  cKonwoje& manager = *gGra->convoys;
  const int self = country->id;
  manager.RemoveOneConvoy(self);

  std::list<cMiasto*> ports;
  CollectConvoySources(ports);
  // Each convoy serves one more land mass, so there are never more rounds
  // than land masses; the bound only guards against a convoy not taken.
  size_t rounds = gGra->strategicMoves != nullptr && static_cast<size_t>(self) <= gGra->strategicMoves->size()
                      ? (*gGra->strategicMoves)[static_cast<size_t>(self) - 1].size()
                      : 0;
  for (cMiasto* d = FindConvoyDestination(ports); d != nullptr; d = FindConvoyDestination(ports)) {
    if (WorkerMustStop()) return;
    if (rounds-- == 0) {
      LogF(L"[AI] %s: WARNING: convoys to %s are still wanted after one round per land mass", country->name.c_str(),
           d->name.c_str());
      return;
    }
    cMiasto* from = nullptr;
    size_t fewest = 0;
    for (cMiasto* port : ports) {
      const size_t length = RouteLength(*port, *d, self);
      if (length > 0 && (from == nullptr || length < fewest)) {
        from = port;
        fewest = length;
      }
    }
    if (from == nullptr) return;
    if (manager.AddConvoy(from, d, self) == -1) {
      LogF(L"[AI] %s: WARNING: no convoy could be opened from %s to %s", country->name.c_str(), from->name.c_str(),
           d->name.c_str());
      return;
    }
    LogF(L"[AI] %s: convoy %s -> %s", country->name.c_str(), from->name.c_str(), d->name.c_str());
  }
}
