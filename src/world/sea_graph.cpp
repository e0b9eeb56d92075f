#include "world/sea_graph.h"

#include <algorithm>
#include <cstdio>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/interceptor_pick.h"
#include "world/table_reader.h"

bool gPortConcealment = true;

namespace {

constexpr int kNodeColumns = 10;

cMapa* Map() { return gGra != nullptr ? gGra->map : nullptr; }

const sHex* HexAt(int x, int y) {
  const cMapa* map = Map();
  return map != nullptr && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
}

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b); }

// The side of a fleet's country seen from the viewer.
enum class eSide { kOwn, kAllied, kEnemy, kNone };

eSide SideOf(int fleetCountry, int viewer) {
  if (fleetCountry == viewer) return eSide::kOwn;
  const cPanstwo* v = gGra != nullptr ? gGra->GetCountry(viewer) : nullptr;
  if (v == nullptr || fleetCountry < 1) return eSide::kNone;
  if (v->IsAlly(fleetCountry)) return eSide::kAllied;
  if (v->IsAtWarWith(fleetCountry)) return eSide::kEnemy;
  return eSide::kNone;
}

// The counter column of a ship; an unknown type cannot be counted and is a
// fatal data error.
int TypeColumn(const cJednostkaMorska& ship, int nodeId) {
  if (ship.type < kTypeCarrier || ship.type > kTypeAmphibious)
    FatalExit(WFormat(L"ERROR: Unknown naval unit type (%i) while calculating ships for node id=%i", ship.type,
                      nodeId));
  return ship.type - kTypeCarrier;
}

// The ships at a node by side, as the viewer may see them.
struct sShipLists {
  std::vector<cJednostkaMorska*> friendly;
  std::vector<cJednostkaMorska*> enemy;
};

sShipLists CollectShips(const sWezelGrafuMorz& node, int viewer) {
  sShipLists lists;
  std::vector<sFlota*> fleets;
  node.GetFleetsAtNode(fleets);
  for (sFlota* fleet : fleets) {
    const eSide side = SideOf(fleet->countryId, viewer);
    if (side == eSide::kNone) continue;
    if (gPortConcealment && node.IsPort() && side != eSide::kOwn) continue;
    for (cJednostkaMorska* ship : fleet->ships)
      (side == eSide::kEnemy ? lists.enemy : lists.friendly).push_back(ship);
  }
  return lists;
}

void DropHidden(std::vector<cJednostkaMorska*>& ships) {
  std::erase_if(ships, [](const cJednostkaMorska* s) { return s->spottedLevel == 0; });
}

cJednostkaMorska* PickOne(const std::vector<cJednostkaMorska*>& ships) {
  if (ships.empty()) return nullptr;
  return ships[static_cast<size_t>(RandomIndex(static_cast<int>(ships.size())))];
}

// The chance in percent that the viewer spots an enemy ship at the node.
int DetectionChance(const sWezelGrafuMorz& node, int viewer) {
  const cPanstwo* v = gGra != nullptr ? gGra->GetCountry(viewer) : nullptr;
  if (v == nullptr) return 0;
  const sConsts& c = v->consts;
  int chance = c.c165;
  int friendly = 0;
  int enemy = 0;
  for (int t = 0; t < kNavalTypeCount; ++t) {
    friendly += node.shipCounters[kOwnShips][t] + node.shipCounters[kAlliedShips][t];
    enemy += node.shipCounters[kSpottedEnemyShips][t];
  }
  // A step of 0 would divide by zero; such a scenario gets no bonus.
  if (friendly > c.c166[0] && c.c166[1] != 0) chance += (friendly - c.c166[0]) / c.c166[1] * c.c166[2];
  if (enemy > c.c167[0] && c.c167[1] != 0) chance += (enemy - c.c167[0]) / c.c167[1] * c.c167[2];
  chance += c.c166Field4 * (node.shipCounters[kOwnShips][0] + node.shipCounters[kAlliedShips][0]);
  if (chance > 100 || gProgramSettings.fogOfWar == 0) chance = 100;
  if (chance < 0) chance = 0;
  return chance;
}

}  // namespace

// ---- node ----------------------------------------------------------------------

int sWezelGrafuMorz::CountFriendlyShips() const {
  int n = 0;
  for (int t = 0; t < kNavalTypeCount; ++t) n += shipCounters[kOwnShips][t];
  return n;
}

int sWezelGrafuMorz::CountSpottedEnemyShips() const {
  int n = 0;
  for (int t = 0; t < kNavalTypeCount; ++t) n += shipCounters[kSpottedEnemyShips][t];
  return n;
}

void sWezelGrafuMorz::GetFleetsAtNode(std::vector<sFlota*>& out) const {
  if (gGra == nullptr) return;
  for (sFlota* f : gGra->fleets)
    if (f->seaNode == id) out.push_back(f);
}

void sWezelGrafuMorz::CalcNavalVisibility(bool incremental) {
  const int viewer = gGra != nullptr ? gGra->seaGraph.viewingCountry : 0;
  LogF(L"Calculating naval units visibility for zone %s (ID=%i)", name.c_str(), id);
  friendlyShip = nullptr;
  enemyShip = nullptr;
  for (int t = 0; t < kNavalTypeCount; ++t) {
    shipCounters[kOwnShips][t] = 0;
    shipCounters[kAlliedShips][t] = 0;
    if (!incremental) shipCounters[kSpottedEnemyShips][t] = 0;
  }

  sShipLists lists;
  std::vector<sFlota*> fleets;
  GetFleetsAtNode(fleets);
  for (sFlota* fleet : fleets) {
    const eSide side = SideOf(fleet->countryId, viewer);
    if (side == eSide::kNone) continue;
    if (gPortConcealment && IsPort() && side != eSide::kOwn) continue;
    for (cJednostkaMorska* ship : fleet->ships) {
      const int column = TypeColumn(*ship, id);
      if (side == eSide::kEnemy) {
        lists.enemy.push_back(ship);
        if (incremental) continue;
        ship->spottedLevel = 6;
        ++shipCounters[kSpottedEnemyShips][column];
      } else {
        lists.friendly.push_back(ship);
        ship->spottedLevel = 6;
        ++shipCounters[side == eSide::kOwn ? kOwnShips : kAlliedShips][column];
      }
    }
  }

  LogLine(L" - Calculating detection chance");
  const int chance = DetectionChance(*this, viewer);
  LogF(L"Chance of spotting enemy unit = %i", chance);

  for (cJednostkaMorska* ship : lists.enemy) {
    if (!incremental) {
      if (RandomInRange(0, 100) > chance) {
        ship->spottedLevel = 0;
        --shipCounters[kSpottedEnemyShips][TypeColumn(*ship, id)];
      }
    } else if (!ship->IsFullySpotted()) {
      if (RandomInRange(0, 100) <= chance) {
        ship->spottedLevel = 6;
        ++shipCounters[kSpottedEnemyShips][TypeColumn(*ship, id)];
      }
    }
  }

  DropHidden(lists.friendly);
  DropHidden(lists.enemy);
  if (!IsPort()) enemyShip = PickOne(lists.enemy);
  friendlyShip = PickOne(lists.friendly);
}

void sWezelGrafuMorz::CalcNavalVisibilityFor(int viewer, bool incremental) {
  if (gGra != nullptr) gGra->seaGraph.viewingCountry = viewer;
  CalcNavalVisibility(incremental);
}

void sWezelGrafuMorz::PickDisplayedShips(bool pickFriendly, bool pickEnemy) {
  sShipLists lists = CollectShips(*this, gGra != nullptr ? gGra->seaGraph.viewingCountry : 0);
  DropHidden(lists.friendly);
  DropHidden(lists.enemy);
  if (pickEnemy && !IsPort()) enemyShip = PickOne(lists.enemy);
  if (pickFriendly) friendlyShip = PickOne(lists.friendly);
}

void sWezelGrafuMorz::RemoveFleetFromCounters(const sFlota& fleet) {
  if (gGra == nullptr || fleet.countryId != gGra->seaGraph.viewingCountry) return;
  for (const cJednostkaMorska* ship : fleet.ships) --shipCounters[kOwnShips][TypeColumn(*ship, id)];
  PickDisplayedShips(true, false);
}

cUnit* sWezelGrafuMorz::FindInterceptor(int attackingCountry) const {
  LogF(L"Searching for interceptor while attacking sea node: %s)", name.c_str());
  cInterceptorPick pick;
  if (gGra != nullptr) {
    for (cJednostkaMorska* ship : gGra->navalUnits) {
      const cPanstwo* owner = ship->GetCountry();
      if (ship->type != kTypeCarrier || owner == nullptr || ship->fleet == nullptr || ship->fleet->seaNode != id)
        continue;
      if (ship->hitPoints < owner->consts.carrierMinHitPoints || !AtWar(owner->id, attackingCountry)) continue;
      pick.Consider(ship, ship->hitPoints);
    }
    LogLine(L"Searching for interceptor from land based airunit");
    for (cJednostkaLotnicza* air : gGra->airUnits) {
      const cPanstwo* owner = air->GetCountry();
      if (air->type != kTypeFighter || owner == nullptr || !AtWar(owner->id, attackingCountry)) continue;
      if (!air->IsSeaNodeInNavalRange(id) || !FighterStrongEnoughToIntercept(owner->consts, *air)) continue;
      pick.Consider(air, FighterInterceptionPower(gGra->consts, *air));
    }
  }
  if (pick.Best() == nullptr) LogLine(L"Searching for interceptor finished, no interceptor found");
  LogLine(L"Searching for interceptor finished");
  return pick.Best();
}

void sWezelGrafuMorz::GetHoverExtent(int& width, int& height) const {
  const sScreenRect r = FrontEnd().LayoutRect(kSeaNodeHintLayoutId);
  width = r.width;
  height = r.height;
}

std::vector<std::wstring> sWezelGrafuMorz::HoverLines() const {
  std::vector<std::wstring> lines;
  lines.push_back(WFormat(L"%s", name.c_str()));
  for (int row : {kOwnShips, kSpottedEnemyShips}) {
    std::wstring line;
    for (int t = 0; t < kNavalTypeCount; ++t) {
      if (t > 0) line += L' ';
      line += WFormat(L"%i", shipCounters[row][t]);
    }
    lines.push_back(line);
  }
  if (IsPort()) lines.push_back(WFormat(L"%i/%i", currentSize, maxSize));
  return lines;
}

void sWezelGrafuMorz::DrawHoverInfo(int x, int y) {
  const sHex* main = HexAt(mainX, mainY);
  const int viewer = gGra != nullptr ? gGra->seaGraph.viewingCountry : 0;
  FrontEnd().DrawHoverBox(x, y, HoverLines(), main != nullptr && main->IsFriendlyTo(viewer));
}

// ---- loading and saving ----------------------------------------------------------

void cGrafMorz::LoadSeaNodes(const std::wstring& pathTemplate) {
  const std::wstring path = FormatFolderTemplate(pathTemplate, L"sea_nodes.csv");
  cCsvFile file;
  OpenTableOrDie(file, L"Otwieram plik z wezlami akwen\u010f\u017c\u02ddw morskich ze sciezka...", path);
  nodes.clear();
  cMapa* map = Map();

  ForEachTableRow(
      file, kNodeColumns,
      [&](uint16_t) {
        const std::vector<std::wstring>& f = file.fields;
        const int expected = static_cast<int>(nodes.size()) + 1;
        sWezelGrafuMorz node;
        node.id = ReadIntField(f[0]);
        if (node.id != expected)
          FatalExit(WFormat(L"ERROR. Sea node %i has ID=%i (should be equal!)", expected, node.id), 1, true);
        if (f[1].size() > sWezelGrafuMorz::kMaxNameUnits)
          FatalExit(WFormat(L"ERROR. Sea node name too long (%i characters, at most %i) in %s line %i",
                            static_cast<int>(f[1].size()), static_cast<int>(sWezelGrafuMorz::kMaxNameUnits),
                            path.c_str(), file.LineNumber()),
                    1, true);
        node.name = f[1];
        const cRangedRow r(f, path, file.LineNumber());
        // Port sizes are repaired and bombed a few points at a time.
        node.maxSize = r.Int(2, L"max size", {0, 10000});
        node.currentSize = std::min(r.Int(3, L"current size", {0, 10000}), node.maxSize);
        node.seaZone = node.currentSize == 0 ? 1 : 0;
        node.mainX = r.Int(4, L"main X", kCoordinateRange);
        node.mainY = r.Int(5, L"main Y", kCoordinateRange);
        node.playerUnitX = r.Int(6, L"player unit X", kCoordinateRange);
        node.playerUnitY = r.Int(7, L"player unit Y", kCoordinateRange);
        node.enemyUnitX = r.Int(8, L"enemy unit X", kCoordinateRange);
        node.enemyUnitY = r.Int(9, L"enemy unit Y", kCoordinateRange);
        node.friendlyShip = nullptr;
        node.enemyShip = nullptr;
        const bool mainOnMap = map != nullptr && map->IsInside(node.mainX, node.mainY);
        if (node.name == L"-" && mainOnMap && map->GetHex(node.mainX, node.mainY)->city != nullptr)
          node.name = map->GetHex(node.mainX, node.mainY)->city->name;
        nodes.push_back(node);

        const uint16_t nodeId = static_cast<uint16_t>(node.id);
        if (mainOnMap)
          map->GetHex(node.mainX, node.mainY)->seaNodeMarker = nodeId;
        else
          LogF(L"WARNING. Main hex for sea node %s (ID=%i) is placed outside the map!", node.name.c_str(), node.id);
        auto stampUnitHex = [&](int x, int y, const wchar_t* warning) {
          if (map == nullptr || !map->IsInside(x, y)) {
            LogF(warning, node.name.c_str(), node.id);
            return;
          }
          sHex* hex = map->GetHex(x, y);
          hex->seaNodeMarker = nodeId;
          if (node.IsPort()) hex->seaZone = nodeId;
        };
        stampUnitHex(node.playerUnitX, node.playerUnitY,
                     L"WARNING. Player unit in sea node %s (ID=%i) is placed outside the map!");
        stampUnitHex(node.enemyUnitX, node.enemyUnitY,
                     L"WARNING. Enemy unit in sea node %s (ID=%i) is placed outside the map!");
      },
      [](uint16_t) {});

  // Every port city needs a node: ships could neither enter nor leave it.
  bool missing = false;
  if (gGra != nullptr) {
    for (const cMiasto* city : gGra->cities) {
      if (!city->IsPort()) continue;
      const sHex* hex = HexAt(city->x, city->y);
      if (hex != nullptr && hex->seaNodeMarker != 0) continue;
      LogF(L"ERROR. There is no sea node for port city %s (%i, %i)", city->name.c_str(), city->x, city->y);
      missing = true;
    }
  }
  if (missing) FatalExit(L"ERROR. Port cities without a sea node in " + path, 1, true);
}

void cGrafMorz::LoadSeaEdges(const std::wstring& scenarioName) {
  LoadSeaEdgesFile(L"data\\scenarios\\" + scenarioName + L"\\sea_edges.csv");
}

void cGrafMorz::LoadSeaEdgesFile(const std::wstring& path) {
  std::FILE* f = OpenTableOrDie(L"Otwieram plik z lukami akwen\u010f\u017c\u02ddw morskich ze sciezka...", path);

  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    if (!line.empty() && line[0] == '#') continue;
    // A line whose text and break take five characters or fewer holds no edge.
    if (line.size() + 1 <= 5) continue;
    const std::vector<std::wstring> fields = SplitTableLine(Cp1252ToWide(line));
    if (fields.size() < 4) {
      LogF(L"WARNING: sea edge in %s line %i has %i fields, 4 needed; line skipped", path.c_str(), lineNumber,
           static_cast<int>(fields.size()));
      continue;
    }
    const int from = ReadIntField(fields[0]);
    sKrawedzGrafuMorz edge;
    edge.target = ReadIntField(fields[1]);
    edge.gateX = RangedIntField(fields[2], kCoordinateRange, {path, lineNumber, L"gate X"});
    edge.gateY = RangedIntField(fields[3], kCoordinateRange, {path, lineNumber, L"gate Y"});
    if (FindNode(from) == nullptr || FindNode(edge.target) == nullptr) {
      std::fclose(f);
      FatalExit(WFormat(L"ERROR: sea edge %i -> %i in %s line %i names a sea node that does not exist", from,
                        edge.target, path.c_str(), lineNumber),
                1, true);
    }
    FindNode(from)->edges.push_back(edge);
  }
  std::fclose(f);
}

bool cGrafMorz::SaveSeaNodes(const std::wstring& folder) const {
  const std::wstring path = folder + L"\\sea_nodes.csv";
  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) {
    LogF(L"ERROR: Opening %s for writing", path.c_str());
    return false;
  }
  std::string text =
      "#ID;Name (seas only);Size max (0-sea / 1 to 9-port);Size current;Hex X (city hex X for ports);"
      "Hex Y (city hex Y for ports);Player unit hex X;Player unit hex Y;Enemy unit hex X;Enemy unit hex Y";
  for (const sWezelGrafuMorz& n : nodes)
    text += Format("\r\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;", n.id, WideToCp1252(n.name).c_str(), n.maxSize,
                   n.currentSize, n.mainX, n.mainY, n.playerUnitX, n.playerUnitY, n.enemyUnitX, n.enemyUnitY);
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

// ---- queries ---------------------------------------------------------------------

bool cGrafMorz::FindSeaRoute(int from, int to, int country, bool strictPorts, std::vector<int>& route) {
  route.clear();
  if (FindNode(from) == nullptr || FindNode(to) == nullptr) return false;
  for (sWezelGrafuMorz& n : nodes) {
    n.routeDistance = -1;
    n.routePredecessor = -1;
  }
  FindNode(from)->routeDistance = 0;
  FindNode(from)->routePredecessor = 0;

  // Level by level. A node reached again from a later node of the level
  // before takes that node as predecessor and moves to the back of its own
  // level, so that the level is walked in the order of the last time each
  // node was reached: the order a queue that takes every node again each
  // time it is reached would end with, without that queue's growth.
  std::vector<int> level{from};
  std::vector<int> next;
  std::vector<int> slot(nodes.size() + 1, -1);  // the node's place in next
  while (!level.empty()) {
    next.clear();
    for (int a : level) {
      if (a == 0) continue;  // moved further back
      const sWezelGrafuMorz& na = nodes[static_cast<size_t>(a) - 1];
      for (const sKrawedzGrafuMorz& e : na.edges) {
        sWezelGrafuMorz* b = FindNode(e.target);
        if (b == nullptr) continue;
        if (e.gateX != -1) {
          const sHex* gate = HexAt(e.gateX, e.gateY);
          if (gate == nullptr || !gate->IsFriendlyTo(country)) continue;
        }
        if (b->routeDistance != -1 && b->routeDistance <= na.routeDistance) continue;
        if (b->IsPort()) {
          const sHex* main = HexAt(b->mainX, b->mainY);
          if (strictPorts) {
            if (main == nullptr || !main->IsFriendlyTo(country)) continue;
          } else if (main != nullptr && AtWar(main->controller, country)) {
            continue;
          }
        }
        b->routePredecessor = a;
        b->routeDistance = na.routeDistance + 1;
        int& s = slot[static_cast<size_t>(e.target)];
        if (s >= 0) next[static_cast<size_t>(s)] = 0;
        s = static_cast<int>(next.size());
        next.push_back(e.target);
      }
    }
    for (int id : next)
      if (id != 0) slot[static_cast<size_t>(id)] = -1;
    level.swap(next);
  }

  const sWezelGrafuMorz* dest = FindNode(to);
  if (dest->routeDistance == -1) return false;
  for (int id = to; id != from; id = nodes[static_cast<size_t>(id) - 1].routePredecessor) {
    route.push_back(id);
    // A chain that leaves the nodes or runs in a circle cannot come from
    // this search; it is refused rather than followed.
    const int pred = nodes[static_cast<size_t>(id) - 1].routePredecessor;
    if (route.size() > nodes.size() || FindNode(pred) == nullptr) {
      route.clear();
      return false;
    }
  }
  route.push_back(from);
  return true;
}

int cGrafMorz::FindSeaNodeAtHex(int x, int y) const {
  for (const sWezelGrafuMorz& n : nodes)
    if (n.mainX == x && n.mainY == y) return n.id;
  return -1;
}

int cGrafMorz::FindAdjacentSeaZone(int nodeId) const {
  const sWezelGrafuMorz* node = FindNode(nodeId);
  if (node == nullptr) return -1;
  for (const sKrawedzGrafuMorz& e : node->edges) {
    const sWezelGrafuMorz* b = FindNode(e.target);
    if (b != nullptr && !b->IsPort()) return b->id;
  }
  return -1;
}

bool cGrafMorz::IsEdgePassable(int a, int b, int country) const {
  const sWezelGrafuMorz* node = FindNode(a);
  if (node == nullptr) return false;
  for (const sKrawedzGrafuMorz& e : node->edges) {
    if (e.target != b) continue;
    if (e.gateX == -1) return true;
    const sHex* gate = HexAt(e.gateX, e.gateY);
    if (gate != nullptr && gate->IsFriendlyTo(country)) return true;
  }
  return false;
}

void cGrafMorz::ClearConvoyPassages() {
  for (sWezelGrafuMorz& n : nodes) n.convoyPassages.clear();
}

void cGrafMorz::RecalculateNavalVisibility(int viewer, bool incremental) {
  viewingCountry = viewer;
  for (sWezelGrafuMorz& n : nodes) n.CalcNavalVisibility(incremental);
}
