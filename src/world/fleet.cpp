// Fleets: their moves over the sea graph, transfers of ships between them,
// their sums and commanders, and the target searches of their planes and
// guns.
#include "world/fleet.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

cMapa* Map() { return gGra != nullptr ? gGra->map : nullptr; }

// The hex on which a node is marked: a sea zone's main hex, a port's
// player-unit hex.
sHex* NodeMarkHex(const sWezelGrafuMorz& node) {
  cMapa* map = Map();
  const int x = node.IsPort() ? node.playerUnitX : node.mainX;
  const int y = node.IsPort() ? node.playerUnitY : node.mainY;
  return map != nullptr && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
}

const sHex* HexAt(int x, int y) {
  const cMapa* map = Map();
  return map != nullptr && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
}

// The country whose impulse it is; the fleet's own when none is set.
cPanstwo* ActingCountry(int fallback) {
  if (gGra == nullptr) return nullptr;
  if (gGra->selection.currentCountry != nullptr) return gGra->selection.currentCountry;
  return gGra->GetCountry(fallback);
}

const wchar_t* NodeName(int id) {
  const sWezelGrafuMorz* node = gGra != nullptr ? gGra->seaGraph.FindNode(id) : nullptr;
  return node != nullptr ? node->name.c_str() : L"";
}

}  // namespace

std::wstring DefaultFleetName(int number) { return WFormat(Txt("fleet_#%i").c_str(), number); }

sFlota* sFlota::SplitFrom(sFlota& source) {
  auto* f = new sFlota();
  f->isActive = source.isActive;
  f->formation = source.formation;
  f->countryId = source.countryId;
  f->seaNode = source.seaNode;
  f->hasMoved = source.hasMoved;
  f->order = source.order;
  f->destinationNode = source.destinationNode;
  f->invasionX = source.invasionX;
  f->invasionY = source.invasionY;
  f->id = gGra != nullptr ? ++gGra->nextFleetNumber : 0;
  f->SetName(DefaultFleetName(f->id));
  for (cJednostkaMorska* ship : source.ships) {
    if (!ship->transferMark) continue;
    f->ships.push_back(ship);
    ship->fleet = f;
  }
  return f;
}

void sFlota::Delete() {
  // The fleets dialog keeps pointers to the fleets it shows.
  if (FrontEnd().TopDialogId() == kFleetsDialog) {
    std::vector<sFlota*> selected;
    std::vector<cJednostkaMorska*> selectedShips;
    if (FrontEnd().FleetsDialogSelection(selected, selectedShips) && !selected.empty())
      FrontEnd().DropFleetFromFleetsDialog(this);
  }
  if (gGra != nullptr) gGra->fleets.remove(this);
  delete this;
}

sWezelGrafuMorz* sFlota::GetSeaNode() const { return gGra != nullptr ? gGra->seaGraph.FindNode(seaNode) : nullptr; }

bool sFlota::LeaveEnemyPort() {
  if (gGra == nullptr) return false;
  const int zone = gGra->seaGraph.FindAdjacentSeaZone(seaNode);
  if (zone == -1) return false;
  seaNode = zone;
  LogF(L"%s left port which became enemy controlled and moved to %s", name.c_str(), NodeName(zone));
  return true;
}

// ---- moving ----------------------------------------------------------------------

int sFlota::FindReachableNodes() {
  reachableNodes.clear();
  if (gGra == nullptr) return 0;
  cGrafMorz& graph = gGra->seaGraph;
  sWezelGrafuMorz* start = graph.FindNode(seaNode);
  const cPanstwo* side = ActingCountry(countryId);
  if (start == nullptr || side == nullptr) return 0;
  const int c = side->id;

  int portSize = 0;
  for (const cJednostkaMorska* ship : ships)
    portSize = std::max(portSize, naval_values::MinPortSize(side->consts, ship->type));
  const int range = naval_values::FleetMoveRange(gGra->consts);

  for (sWezelGrafuMorz& n : graph.nodes) n.routeDistance = 0;
  const bool startIsPort = start->IsPort();
  reachableNodes.push_back(start->id);
  for (size_t i = 0; i < reachableNodes.size(); ++i) {
    const sWezelGrafuMorz& a = *graph.FindNode(reachableNodes[i]);
    for (const sKrawedzGrafuMorz& e : a.edges) {
      sWezelGrafuMorz* b = graph.FindNode(e.target);
      if (b == nullptr) continue;
      if (b->IsPort()) {
        if (b->currentSize < portSize) continue;
        const sHex* main = HexAt(b->mainX, b->mainY);
        const int holder = main != nullptr ? main->controller : 0;
        if (holder != c && (holder == 0 || !side->IsAlly(holder))) continue;
      }
      if (a.routeDistance >= range || b->routeDistance != 0 || b == start) continue;
      if (e.gateX != -1) {
        const sHex* gate = HexAt(e.gateX, e.gateY);
        if (gate == nullptr || !gate->IsFriendlyTo(c)) continue;
      }
      // Out of a port a fleet reaches open sea, or a port one sea zone away.
      if (startIsPort && b->IsPort() && a.routeDistance != 1) continue;
      b->routeDistance = a.routeDistance + 1;
      reachableNodes.push_back(b->id);
    }
  }
  reachableNodes.erase(reachableNodes.begin());
  return static_cast<int>(reachableNodes.size());
}

bool sFlota::IsNodeReachable(int nodeId) {
  FindReachableNodes();
  return std::find(reachableNodes.begin(), reachableNodes.end(), nodeId) != reachableNodes.end();
}

void sFlota::MarkReachableNodes() {
  cMapa* map = Map();
  if (map == nullptr) return;
  map->ClearMarks(kMarkFleetReachable | kMarkFleetNode, false);
  FindReachableNodes();
  for (int id : reachableNodes)
    if (sHex* hex = NodeMarkHex(*gGra->seaGraph.FindNode(id))) hex->SetMark(kMarkFleetReachable, -1);
}

void sFlota::Move(int target) {
  if (hasMoved) {
    LogF(L"WARNING: Fleet %s wanted to go: node %i -> %i, but it already moved this turn.", name.c_str(), seaNode,
         target);
    return;
  }
  if (target == seaNode) {
    hasMoved = 1;
    return;
  }
  std::vector<int> route;
  if (gGra == nullptr || !gGra->seaGraph.FindSeaRoute(seaNode, target, countryId, true, route)) {
    LogF(L"WARNING: fleet %s (at node %i) wants to go to node %i but there's no path", name.c_str(), seaNode, target);
    return;
  }
  if (IsNodeReachable(target)) {
    LogF(L"Fleet %s going: node %i -> %i, movement finished.", name.c_str(), seaNode, target);
    MoveTo(target);
    return;
  }
  // The route runs from the target back to this node: walk it from the
  // node after this one.
  for (size_t i = route.size() - 1; i-- > 0;) {
    const int step = route[i];
    if (std::find(reachableNodes.begin(), reachableNodes.end(), step) == reachableNodes.end()) continue;
    LogF(L"Fleet %s going: node %i -> %i, final destination = %i.", name.c_str(), seaNode, step, target);
    MoveTo(step);
    return;
  }
  LogF(L"WARNING: Fleet %s wanted to go: node %i -> %i, but theres no path!", name.c_str(), seaNode, target);
}

void sFlota::MoveTo(int nodeId) {
  sWezelGrafuMorz* old = GetSeaNode();
  seaNode = nodeId;
  hasMoved = 1;
  if (old != nullptr) old->RemoveFleetFromCounters(*this);
  if (sWezelGrafuMorz* now = GetSeaNode()) now->CalcNavalVisibility(true);
}

// ---- ships -----------------------------------------------------------------------

void sFlota::UnmarkShips() {
  for (cJednostkaMorska* ship : ships) ship->transferMark = 0;
}

void sFlota::MarkShipsOfZone(int zone) {
  for (cJednostkaMorska* ship : ships)
    if (ship->assignedSeaZone == zone) ship->transferMark = 1;
}

void sFlota::RemoveMarkedShips() {
  ships.remove_if([](const cJednostkaMorska* s) { return s->transferMark != 0; });
}

void sFlota::MoveMarkedShipsTo(sFlota& other) {
  for (auto it = ships.begin(); it != ships.end();) {
    if (!(*it)->transferMark) {
      ++it;
      continue;
    }
    other.ships.push_back(*it);
    (*it)->fleet = &other;
    it = ships.erase(it);
  }
}

int sFlota::SumAttackValue() const {
  int sum = 0;
  for (const cJednostkaMorska* ship : ships) sum += ship->RollAttackValue();
  return sum;
}

int sFlota::SumHp() {
  int sum = 0;
  for (cJednostkaMorska* ship : ships) {
    sum += ship->hitPoints;
    ship->assignedSeaZone = -1;
  }
  return sum;
}

int sFlota::SumMaxHp() const {
  int sum = 0;
  for (const cJednostkaMorska* ship : ships) sum += ship->maxHitPoints;
  return sum;
}

float sFlota::SumStrength() const {
  float sum = 0.0f;
  for (const cJednostkaMorska* ship : ships) sum += ship->GetCombatValue();
  return sum;
}

bool sFlota::AllShipsInSameZone(int& zone) const {
  if (ships.empty()) return true;
  const int first = ships.front()->assignedSeaZone;
  if (first == -1) LogLine(L"ERROR: Unexpected assignment of ship to seazone (-1)");
  for (const cJednostkaMorska* ship : ships) {
    if (ship->assignedSeaZone == first) continue;
    zone = ship->assignedSeaZone;
    return false;
  }
  zone = first;
  return true;
}

sDowodca* sFlota::GetBestCommander() const {
  sDowodca* best = nullptr;
  for (const cJednostkaMorska* ship : ships)
    if (ship->commander != nullptr && (best == nullptr || ship->commander->skill > best->skill)) best = ship->commander;
  return best;
}

void sWezelGrafuMorz::AssignBestCommander(int country) {
  if (gGra == nullptr) return;
  std::vector<sFlota*> fleets;
  GetFleetsAtNode(fleets);
  if (country < 1) {
    std::vector<int> done;
    for (const sFlota* f : fleets) {
      if (std::find(done.begin(), done.end(), f->countryId) != done.end()) continue;
      done.push_back(f->countryId);
      AssignBestCommander(f->countryId);
    }
    return;
  }
  const sDowodca* best = nullptr;
  for (const sFlota* f : fleets) {
    if (f->countryId != country) continue;
    if (const sDowodca* c = f->GetBestCommander(); c != nullptr && (best == nullptr || c->skill > best->skill))
      best = c;
  }
  // Without a commander at the node the ships follow nobody, rather than one
  // who has left.
  for (const sFlota* f : fleets) {
    if (f->countryId != country) continue;
    for (cJednostkaMorska* ship : f->ships)
      if (ship->commander == nullptr) ship->assignedCommanderId = best != nullptr ? best->id : -1;
  }
}

// ---- guns and planes -----------------------------------------------------------

bool sFlota::ShoreBombard(int hx, int hy, sWynikWalki& result, bool allShips) {
  FrontEnd().PlaySound(L"data\\sound\\ShoreBombardment.wav");
  const sHex* hex = HexAt(hx, hy);
  cJednostka* target = hex != nullptr ? hex->unit : nullptr;
  const cPanstwo* owner = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  if (target == nullptr || owner == nullptr || target->shoreBombardmentEffect != 0.0f ||
      !owner->IsAtWarWith(target->countryId))
    return false;
  target->ShoreBombardment(*this, result, allShips);
  for (cJednostkaMorska* ship : ships) ship->shoreBombardmentDone = 1;
  return true;
}

template <class Visit>
void sFlota::ForEachHexInRange(int range, Visit visit) const {
  cMapa* map = Map();
  if (map == nullptr || range < 0) return;
  const int w = map->GetWidth();
  std::vector<uint8_t> seen(static_cast<size_t>(w) * static_cast<size_t>(map->GetHeight()), 0);
  for (const sHexPoint& o : map->GetCoastalHexesOfZone(seaNode)) {
    for (int x = std::max(o.x - range, 0); x <= std::min(o.x + range, w - 1); ++x) {
      for (int y = std::max(o.y - range, 0); y <= std::min(o.y + range, map->GetHeight() - 1); ++y) {
        uint8_t& s = seen[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
        if (s || HexDistance(o.x, o.y, x, y) > range) continue;
        s = 1;
        visit(*map->GetHex(x, y));
      }
    }
  }
}

int sFlota::MarkAirStrikeTargets(bool mark) {
  const cPanstwo* owner = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  cMapa* map = Map();
  if (owner == nullptr || map == nullptr) return 0;
  if (mark) map->ClearMarks(kMarkFleetTarget | kMarkFleetNode, false);
  int count = 0;
  const int range = naval_values::FleetAirRange(owner->consts, owner->techLevels[naval_values::kAircraftTech]);
  ForEachHexInRange(range, [&](sHex& hex) {
    if (!hex.IsLand()) return;
    const bool unitTarget = hex.unit != nullptr && hex.unit->spottedLevel >= 3 && hex.unit->spottedLevel <= 6 &&
                            owner->IsAtWarWith(hex.unit->countryId);
    const bool cityTarget = hex.city != nullptr && owner->IsAtWarWith(hex.controller);
    if (!unitTarget && !cityTarget) return;
    ++count;
    if (mark) hex.SetMark(kMarkFleetTarget, -1);
  });
  // Enemy ships seen at this node and its neighbours.
  if (const sWezelGrafuMorz* here = GetSeaNode()) {
    std::vector<int> nodes{here->id};
    for (const sKrawedzGrafuMorz& e : here->edges)
      if (std::find(nodes.begin(), nodes.end(), e.target) == nodes.end()) nodes.push_back(e.target);
    for (int id : nodes) {
      const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(id);
      if (node == nullptr || node->CountSpottedEnemyShips() == 0) continue;
      ++count;
      if (sHex* hex = NodeMarkHex(*node); mark && hex != nullptr) hex->SetMark(kMarkFleetNode, -1);
    }
  }
  return count;
}

int sFlota::MarkShoreBombardmentTargets(bool mark) {
  const cPanstwo* owner = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  cMapa* map = Map();
  if (owner == nullptr || map == nullptr) return 0;
  if (mark) map->ClearMarks(kMarkFleetTarget, false);
  int count = 0;
  const int range = naval_values::FleetShoreRange(owner->consts, owner->techLevels[naval_values::kAircraftTech]);
  ForEachHexInRange(range, [&](sHex& hex) {
    if (!hex.IsLand() || (hex.marks & kMarkFleetTarget) != 0 || hex.unit == nullptr) return;
    const cJednostka* u = hex.unit;
    if (u->spottedLevel < 3 || u->shoreBombardmentEffect != 0.0f || !owner->IsAtWarWith(u->countryId)) return;
    ++count;
    if (mark) hex.SetMark(kMarkFleetTarget, -1);
  });
  return count;
}

int sFlota::MarkReconTargets(bool mark) {
  const cPanstwo* owner = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  cMapa* map = Map();
  if (owner == nullptr || map == nullptr) return 0;
  if (mark) map->ClearMarks(kMarkFleetRecon | kMarkFleetNode, false);
  int count = 0;
  const int range = naval_values::FleetAirRange(owner->consts, owner->techLevels[naval_values::kAircraftTech]);
  ForEachHexInRange(range, [&](sHex& hex) {
    if (!hex.IsLand() || (hex.marks & kMarkFleetRecon) != 0) return;
    ++count;
    if (mark) hex.SetMark(kMarkFleetRecon, -1);
  });
  if (const sWezelGrafuMorz* here = GetSeaNode()) {
    ++count;
    if (sHex* hex = NodeMarkHex(*here); mark && hex != nullptr) hex->SetMark(kMarkFleetNode, -1);
  }
  return count;
}
