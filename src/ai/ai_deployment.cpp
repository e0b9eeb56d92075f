// The computer player places the units waiting in the reserve pools: land
// units in or next to a city, air units in a city, ships at a port.
#include <algorithm>
#include <set>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "units/reserve_pool.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

// The node of a front that names the city; null when the city is on no front.
const sWezelDiagramuMiast* FrontNodeOf(const std::list<sAiFront>& fronts, const cMiasto* city) {
  for (const sAiFront& front : fronts)
    for (const sWezelDiagramuMiast* node : front.nodes)
      if (node != nullptr && node->city == city) return node;
  return nullptr;
}

// The richest city; the first of equals.
cMiasto* Richest(const std::list<cMiasto*>& cities, const std::list<sAiFront>* skipFronts) {
  cMiasto* best = nullptr;
  for (cMiasto* city : cities) {
    if (skipFronts != nullptr && FrontNodeOf(*skipFronts, city) != nullptr) continue;
    if (best == nullptr || city->productionPoints > best->productionPoints) best = city;
  }
  return best;
}

// The viewing country sees a new unit when it or its allies have a unit
// near enough, or at once without fog of war.
void UpdateSpottedForViewer(cUnit& unit) { unit.UpdateSpottedByCountry(gGra->seaGraph.viewingCountry); }

// Shows a placement of a visible unit when the computer's moves are shown.
void ShowPlacement(cUnit& unit) {
  if (!unit.IsFullySpotted() || gGra->selection.showActions == 0) return;
  unit.spottedLevel = 0;
  FrontEnd().CenterMapOn(unit.x, unit.y);
  PauseFor(DELAY_AI_DEPLOY_BEFORE);
  unit.spottedLevel = 6;
  PauseFor(DELAY_AI_DEPLOY_AFTER);
}

}  // namespace

void cAI::CollectDeploymentCities(std::list<cMiasto*>& out) {
  out.clear();
  if (gGra->map == nullptr) return;
  // Only cities where the placement itself accepts a unit: a city the
  // country controls but does not own (a conquered one) would be refused.
  for (cMiasto* city : gGra->cities)
    if (FindReservePlacementHex(*city, *country).x >= 0) out.push_back(city);
}

void cAI::CollectDeploymentPorts(std::list<cMiasto*>& out) {
  out.clear();
  cMapa* map = gGra->map;
  if (map == nullptr) return;
  for (const sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    if (node.seaZone != 0 || !map->IsInside(node.mainX, node.mainY)) continue;
    const sHex* hex = map->GetHex(node.mainX, node.mainY);
    if (hex->controller == country->id && hex->city != nullptr) out.push_back(hex->city);
  }
}

void cAI::CollectReserveLandUnits(std::list<cJednostkaLadowa*>& out) {
  out.clear();
  for (cJednostka* unit : gGra->reserve)
    if (unit->category == kCategoryLand && unit->countryId == country->id)
      if (auto* land = dynamic_cast<cJednostkaLadowa*>(unit)) out.push_back(land);
}

void cAI::CollectReserveAirUnits(std::list<cJednostkaLotnicza*>& out) {
  out.clear();
  for (cJednostka* unit : gGra->reserve)
    if (unit->category != kCategoryLand && unit->countryId == country->id)
      if (auto* air = dynamic_cast<cJednostkaLotnicza*>(unit)) out.push_back(air);
}

void cAI::CollectReserveNavalUnits(std::list<cJednostkaMorska*>& out) {
  out.clear();
  for (cJednostkaMorska* ship : gGra->navalReserve)
    if (ship->countryId == country->id) out.push_back(ship);
}

cMiasto* cAI::ChooseLandDeploymentCity(const std::list<cMiasto*>& candidates) {
  cMiasto* best = nullptr;
  int bestDistance = 0;
  for (cMiasto* city : candidates) {
    const sWezelDiagramuMiast* node = FrontNodeOf(fronts, city);
    if (node == nullptr) continue;
    // The node's ours and own land strengths, as the last count of the
    // fronts left them: new units go where the front is held most thinly.
    const int distance = static_cast<int>(node->landStrengths[0] + node->landStrengths[1]);
    if (best == nullptr || distance < bestDistance) {
      best = city;
      bestDistance = distance;
    }
  }
  return best != nullptr ? best : Richest(candidates, nullptr);
}

cMiasto* cAI::ChooseAirDeploymentCity(const std::list<cMiasto*>& candidates) {
  cMiasto* best = Richest(candidates, &fronts);
  return best != nullptr ? best : Richest(candidates, nullptr);
}

void cAI::DeployLandUnits() {
  NoteAiPhase("DeployLandUnits");
  if (country == nullptr || gGra == nullptr) return;
  std::list<cMiasto*> cities;
  std::list<cJednostkaLadowa*> waiting;
  std::set<const cMiasto*> refused;
  for (;;) {
    CollectDeploymentCities(cities);
    cities.remove_if([&](const cMiasto* c) { return refused.count(c) != 0; });
    CollectReserveLandUnits(waiting);
    if (cities.empty() || waiting.empty()) return;
    cJednostkaLadowa* unit = waiting.front();
    const cMiasto* city = ChooseLandDeploymentCity(cities);
    const sHexPoint hex = FindReservePlacementHex(*city, *country);
    // A refused city is not offered again this phase; the next one is tried.
    if (!unit->Deploy(hex.x, hex.y)) {
      refused.insert(city);
      continue;
    }
    unit->spottedLevel = 0;
    UpdateSpottedForViewer(*unit);
    ShowPlacement(*unit);
  }
}

void cAI::DeployAirUnits() {
  NoteAiPhase("DeployAirUnits");
  if (country == nullptr || gGra == nullptr) return;
  std::list<cMiasto*> cities;
  std::list<cJednostkaLotnicza*> waiting;
  std::set<const cMiasto*> refused;
  for (;;) {
    CollectDeploymentCities(cities);
    cities.remove_if([&](const cMiasto* c) { return refused.count(c) != 0; });
    CollectReserveAirUnits(waiting);
    if (cities.empty() || waiting.empty()) return;
    cJednostkaLotnicza* unit = waiting.front();
    const cMiasto* city = ChooseAirDeploymentCity(cities);
    const sHexPoint hex = FindReservePlacementHex(*city, *country);
    if (!unit->Deploy(hex.x, hex.y)) {
      refused.insert(city);
      continue;
    }
    UpdateSpottedForViewer(*unit);
    ShowPlacement(*unit);
  }
}

void cAI::DeployNewUnits() {
  NoteAiPhase("DeployNewUnits");
  if (country == nullptr || gGra == nullptr) return;
  std::list<cMiasto*> ports;
  std::list<cJednostkaMorska*> waiting;
  for (;;) {
    CollectDeploymentPorts(ports);
    CollectReserveNavalUnits(waiting);
    if (ports.empty() || waiting.empty()) return;
    cJednostkaMorska* ship = waiting.front();
    cMiasto* port = ports.front();
    LogF(L"%s is deploying %s in %s", country->name.c_str(), ship->name.c_str(), port->GetName().c_str());
    const size_t before = gGra->navalReserve.size();
    ship->DeployAtSeaNode(port->GetSeaNode());
    // A ship that stayed in the pool would be offered again for ever.
    if (gGra->navalReserve.size() >= before) return;
    LogF(L"Deployment succesful.");
  }
}
