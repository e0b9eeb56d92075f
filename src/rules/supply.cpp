#include "rules/supply.h"

#include <chrono>
#include <climits>
#include <unordered_map>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

namespace {

using namespace supply_values;

// 1-3 for members and leaders of the three alliances, 0 otherwise.
int AllianceSide(int code) { return (code >= 1 && code <= 6) ? (code - 1) % 3 + 1 : 0; }

bool SuppliesCity(const cMiasto* city) { return city != nullptr && city->type >= kCitySupply && city->type <= kCityPort; }

// The unit belongs to the alliance (mode alliance) or is the country's.
bool UnitInScope(const cJednostka* unit, int alliance, int country) {
  const cPanstwo* owner = unit->GetCountry();
  if (owner == nullptr) return false;
  return alliance != -1 ? AllianceSide(owner->alliance) == alliance : owner->id == country;
}

long ElapsedMs(std::chrono::steady_clock::time_point since) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count());
}

// Every land and air unit of the country on the map.
template <class Fn>
void ForEachUnitOf(int country, Fn fn) {
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == country) fn(u);
  for (cJednostkaLotnicza* u : gGra->airUnits)
    if (u->countryId == country) fn(u);
}

void SetCitySupply(cMiasto* city, int country, int value) {
  if (city->supplyInfo.size() < gGra->countries.size()) city->supplyInfo.resize(gGra->countries.size(), 0);
  if (country >= 1 && static_cast<size_t>(country) <= city->supplyInfo.size())
    city->supplyInfo[static_cast<size_t>(country) - 1] = value;
}

}  // namespace

cTopografia& WorldTopography() {
  cSelection& selection = gGra->selection;
  const int w = gGra->map != nullptr ? gGra->map->GetWidth() : 0;
  const int h = gGra->map != nullptr ? gGra->map->GetHeight() : 0;
  if (selection.topography == nullptr) return selection.CreateWorldTopography();
  if (!selection.topography->Fits(w, h)) selection.topography->Allocate(w, h);
  return *selection.topography;
}

// ---- hex tests -----------------------------------------------------------

bool cTopografia::IsAllianceHex(int x, int y, int alliance) const {
  if (gGra->map == nullptr || !gGra->map->IsInside(x, y) || !Fits(gGra->map->GetWidth(), gGra->map->GetHeight()))
    return false;
  const sHex* hex = gGra->map->GetHex(x, y);
  if (hex->controller == 0 || CellAt(x, y) == 1) return false;
  const cPanstwo* holder = gGra->GetCountry(hex->controller);
  return holder != nullptr && AllianceSide(holder->alliance) == alliance;
}

bool cTopografia::IsCountryHex(int x, int y, int country) const {
  if (gGra->map == nullptr || !gGra->map->IsInside(x, y) || !Fits(gGra->map->GetWidth(), gGra->map->GetHeight()))
    return false;
  const sHex* hex = gGra->map->GetHex(x, y);
  return hex->controller != 0 && hex->controller == country && CellAt(x, y) != 1;
}

bool cTopografia::CanImproveDistance(int x, int y, int alliance, int country, int distance) const {
  if (gGra->map == nullptr || !gGra->map->IsInside(x, y) || !Fits(gGra->map->GetWidth(), gGra->map->GetHeight()))
    return false;
  const sHex* hex = gGra->map->GetHex(x, y);
  if (hex->controller == 0) return false;
  if (alliance != -1) {
    const cPanstwo* holder = gGra->GetCountry(hex->controller);
    if (holder == nullptr || AllianceSide(holder->alliance) != alliance) return false;
  } else if (hex->controller != country) {
    return false;
  }
  const int32_t cell = CellAt(x, y);
  return cell == 0 || cell > distance;
}

// ---- city groups ---------------------------------------------------------

void cTopografia::DetermineCityGroups(int alliance, int country, tCityGroupSet& out) {
  if (alliance != -1)
    LogF(L"Wyznaczam grupe miast dla sojuszu = %i", alliance);
  else
    LogF(L"Wyznaczam grupe miast dla kraju = %i", country);
  ClearGrid();
  out.clear();
  if (gGra->map == nullptr) return;
  for (cMiasto* city : gGra->cities) {
    if (city->type == kCityResources || !gGra->map->IsInside(city->x, city->y)) continue;
    if (CellAt(city->x, city->y) != 0) continue;
    const sHex* hex = gGra->map->GetHex(city->x, city->y);
    const bool held = alliance != -1 ? IsAllianceHex(city->x, city->y, alliance) : IsCountryHex(city->x, city->y, country);
    if (!held || hex->controller == 0) continue;
    tCityGroup group;
    FloodCityGroup(city, alliance, country, group);
    out.push_back(std::move(group));
  }
}

void cTopografia::FloodCityGroup(cMiasto* start, int alliance, int country, tCityGroup& out) {
  cMapa& map = *gGra->map;
  if (!map.IsInside(start->x, start->y)) return;
  queue_.clear();
  Cell(start->x, start->y) = 1;
  queue_.push_back(start->y * width + start->x);
  out.push_back(start);
  for (size_t head = 0; head < queue_.size(); ++head) {
    const int x = queue_[head] % width;
    const int y = queue_[head] / width;
    for (int d = 0; d < 6; ++d) {
      int nx = 0, ny = 0;
      map.NeighbourCoords(x, y, d, nx, ny);
      const bool enter = alliance != -1 ? IsAllianceHex(nx, ny, alliance) : IsCountryHex(nx, ny, country);
      if (!enter) continue;
      Cell(nx, ny) = 1;
      queue_.push_back(ny * width + nx);
      cMiasto* city = map.GetHex(nx, ny)->city;
      if (SuppliesCity(city)) out.push_back(city);
    }
  }
}

// ---- nearest city --------------------------------------------------------

void cTopografia::FindNearestCity(int alliance, int country, tSupplyAssignments& out) {
  ClearGrid();
  for (cJednostkaLadowa* u : gGra->landUnits) {
    if (!UnitInScope(u, alliance, country)) continue;
    LogF(L"Szukam najbl. miasta dla jedn. ladowej: %s", u->name.c_str());
    out.push_back(FindNearestCityForUnit(u, alliance, country));
  }
  for (cJednostkaLotnicza* u : gGra->airUnits) {
    if (!UnitInScope(u, alliance, country)) continue;
    LogF(L"Szukam najbl. miasta dla j. lot: %s", u->name.c_str());
    out.push_back(FindNearestCityForUnit(u, alliance, country));
  }
}

sSupplyAssignment cTopografia::FindNearestCityForUnit(cJednostka* unit, int alliance, int country) {
  sSupplyAssignment result{unit, nullptr, 0};
  const cPanstwo* owner = unit->GetCountry();
  cMapa* map = gGra->map;
  if (owner == nullptr || map == nullptr || !map->IsInside(unit->x, unit->y)) return result;
  if (!Fits(map->GetWidth(), map->GetHeight())) Allocate(map->GetWidth(), map->GetHeight());

  cMiasto* here = map->GetHex(unit->x, unit->y)->city;
  if (SuppliesCity(here)) {
    result.city = here;
    return result;
  }

  // Each unit searches a clean grid: distances left by an earlier unit would
  // make the nearest city depend on the order of the units.
  for (int32_t i : touched_) grid[static_cast<size_t>(i)] = 0;
  touched_.clear();

  const int range = SupplyRange(*owner);
  int best = range + 1;
  const int start = unit->y * width + unit->x;
  queue_.clear();
  queue_.push_back(start);
  for (size_t head = 0; head < queue_.size(); ++head) {
    const int index = queue_[head];
    const int x = index % width;
    const int y = index / width;
    const int d = index == start ? 0 : CellAt(x, y);
    if (d >= best) continue;
    for (int dir = 0; dir < 6; ++dir) {
      int nx = 0, ny = 0;
      map->NeighbourCoords(x, y, dir, nx, ny);
      if (!map->IsInside(nx, ny)) continue;
      const int next = ny * width + nx;
      if (next == start) continue;
      const sHex* hex = map->GetHex(nx, ny);
      const int distance = d + TerrainCost(*owner, hex->terrain);
      if (!CanImproveDistance(nx, ny, alliance, country, distance)) continue;
      if (CellAt(nx, ny) == 0) touched_.push_back(next);
      Cell(nx, ny) = distance;
      queue_.push_back(next);
      // Only a nearer city replaces the one found: the queue is not ordered
      // by distance, so a farther city may be met after a nearer one.
      if (SuppliesCity(hex->city) && distance <= range && distance < best) {
        best = distance;
        result.city = hex->city;
        result.distance = distance;
      }
    }
  }
  return result;
}

// ---- country supply ------------------------------------------------------

void cTopografia::CalculateCountrySupply(int countryId) {
  cPanstwo* country = gGra->GetCountry(countryId);
  if (country == nullptr) {
    LogF(L"ERROR: Nie ma kraju o ID %d, nie licze mu zaopatrzenia", countryId);
    return;
  }
  LogF(L"=== %s liczy zaopatrzenie dla swoich jednostek ===", country->name.c_str());
  const int range = SupplyRange(*country);
  const int side = AllianceSide(country->alliance);
  const cPanstwo* leader = nullptr;
  const tCityGroupSet* groups = nullptr;
  const tSupplyAssignments* assignments = nullptr;
  if (side != 0) {
    leader = gGra->FindCountryByAlliance(side);
    LogF(L"Lider sojuszu: %d", leader != nullptr ? leader->id : -1);
    groups = &allianceGroups[side - 1];
    assignments = &allianceAssignments[side - 1];
  } else {
    LogF(L"%s to kraj neutralny.", country->name.c_str());
    if (!country->IsAtWarWithAnyone()) {
      LogF(L"%s nie prowadzi wojny, wszystkie jego jednostki dostaja zaopatrzenie czasu pokoju", country->name.c_str());
      ForEachUnitOf(countryId, [&](cJednostka* u) { u->SetSupplyLevel(range / 2); });
      return;
    }
    // The neutral lists hold the groups of the country last worked on.
    if (neutralCountry != countryId) {
      neutralCountry = countryId;
      DetermineCityGroups(-1, countryId, neutralGroups);
      neutralAssignments.clear();
      FindNearestCity(-1, countryId, neutralAssignments);
    }
    groups = &neutralGroups;
    assignments = &neutralAssignments;
  }

  for (const tCityGroup& group : *groups) {
    bool sourced = false;
    for (const cMiasto* city : group) {
      if (city->type != kCitySupply && city->type != kCitySupplyPort) continue;
      const int holder = city->GetController();
      if (holder == countryId || (leader != nullptr && holder == leader->id)) sourced = true;
    }
    for (cMiasto* city : group) SetCitySupply(city, countryId, sourced ? range : city->supply);
  }

  LogF(L"STP kraju %s: %d, z konwojow z poprzedniej tury: %d", country->name.c_str(), country->seaTransportPoints,
       country->seaTransportUsedByConvoys);
  if (gGra->convoys != nullptr) {
    tSupplyAssignments own;
    for (const sSupplyAssignment& a : *assignments)
      if (a.unit->countryId == countryId) own.push_back(a);
    gGra->convoys->ExecuteAllConvoys(countryId, *groups, own);
  }
  LogF(L"STP kraju %s po konwojach: %d, z konwojow: %d", country->name.c_str(), country->seaTransportPoints,
       country->seaTransportUsedByConvoys);

  const int maxTurns = MaxTurnsWithoutSupply(*country);
  for (const sSupplyAssignment& a : *assignments) {
    cJednostka* u = a.unit;
    if (u->countryId != countryId) continue;
    const bool land = u->category == kCategoryLand;
    if (a.city != nullptr) {
      const int value = a.city->GetSupplyFor(countryId) - a.distance;
      LogF(L"%s ciagnie zaop z %s(%i). Odl.%i daje zaop = %i", u->name.c_str(), a.city->GetName().c_str(),
           a.city->GetSupplyFor(countryId), a.distance, value);
      u->SetSupplySourceX(a.city->x);
      u->SetSupplySourceY(a.city->y);
      u->SetSupplyLevel(value < 1 ? 1 : value);
      if (land && u->turnsWithoutSupply >= 1) --u->turnsWithoutSupply;
    } else if (land && u->turnsWithoutSupply + 1 < maxTurns) {
      ++u->turnsWithoutSupply;
    } else {
      u->SetSupplySourceX(-1);
      u->SetSupplySourceY(-1);
      u->SetSupplyLevel(0);
    }
  }
}

// ---- the driver ----------------------------------------------------------

void cTopografia::CalculateSupply() {
  LogLine(L"Rozpoczynam obliczanie zaopatrzenia...");
  ResetCitySupplyTables();
  FrontEnd().SetInfoMessage(Txt("calculating_supply:_determining_groups_of_cities..."));
  if (gGra->map != nullptr && !Fits(gGra->map->GetWidth(), gGra->map->GetHeight()))
    Allocate(gGra->map->GetWidth(), gGra->map->GetHeight());

  // Each calculation starts from empty groups: no strategic land move until
  // the groups are stored anew.
  if (gGra->strategicMoves != nullptr) gGra->strategicMoves->clear();
  InitStrategicMovement();
  for (int a = 1; a <= kAllianceCount; ++a) {
    DetermineCityGroups(a, -1, allianceGroups[a - 1]);
    for (const cPanstwo* c : gGra->countries)
      if (c->IsInAlliance(a)) StoreCountryTopography(c->id, allianceGroups[a - 1]);
  }
  FrontEnd().SetInfoMessage(Txt("calculating_supply:_supply_goes_to_units..."));
  LogLine(L"Wyznaczanie grup miast dla sojuszy skonczone.");

  auto started = std::chrono::steady_clock::now();
  for (int a = 1; a <= kAllianceCount; ++a) {
    allianceAssignments[a - 1].clear();
    FindNearestCity(a, -1, allianceAssignments[a - 1]);
  }
  LogF(L"PERFORMANCE: Determining supply sources for units of alliance countries TIME = %i ms",
       static_cast<int>(ElapsedMs(started)));

  started = std::chrono::steady_clock::now();
  for (size_t i = 0; i < gGra->countries.size(); ++i) {
    const cPanstwo* c = gGra->countries[i];
    if (c->alliance == kAllianceNeutral) continue;
    LogF(L"Panstwo o ID %d (%s) nie jest neutralne, licze mu zaopatrzenie", c->id, c->name.c_str());
    if (c->id != static_cast<int>(i) + 1)
      LogF(L"ERROR: Panstwo %s ma ID %d na miejscu %d", c->name.c_str(), c->id, static_cast<int>(i) + 1);
    CalculateCountrySupply(c->id);
  }
  LogF(L"PERFORMANCE: Calculating supply for units of alliance countries (including convoy executions) TIME = %i ms",
       static_cast<int>(ElapsedMs(started)));

  ClearGrid();
  for (const cPanstwo* c : gGra->countries) {
    if (c->alliance != kAllianceNeutral) continue;
    LogF(L"*** Licze zaopatrzenie dla kraju neutralnego %s ***", c->name.c_str());
    neutralGroups.clear();
    neutralAssignments.clear();
    neutralCountry = c->id;
    if (c->IsAtWarWithAnyone()) {
      DetermineCityGroups(-1, c->id, neutralGroups);
      StoreCountryTopography(c->id, neutralGroups);
      FindNearestCity(-1, c->id, neutralAssignments);
    }
    CalculateCountrySupply(c->id);
  }
  // A neutral's strategic moves read the game's list, not its own entry.
  GatherNeutralGroups();
}

// ---- artificial harbours and ships ---------------------------------------

void cTopografia::SupplyFromMulberries() {
  LogLine(L"Ciagne zaopatrzenie z mulberry...");
  cMapa* map = gGra->map;
  if (map == nullptr) return;
  if (!Fits(map->GetWidth(), map->GetHeight())) Allocate(map->GetWidth(), map->GetHeight());
  std::vector<cJednostkaLadowa*> harbours;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->type == kTypeMulberry) harbours.push_back(u);

  for (cJednostkaLadowa* harbour : harbours) {
    harbour->turnsWithoutSupply = 0;
    const cPanstwo* owner = harbour->GetCountry();
    if (owner == nullptr || !map->IsInside(harbour->x, harbour->y)) continue;
    const float range = HarbourRange(*owner);
    for (int32_t i : touched_) grid[static_cast<size_t>(i)] = 0;
    touched_.clear();
    queue_.clear();
    const int start = harbour->y * width + harbour->x;
    Cell(harbour->x, harbour->y) = 1;
    touched_.push_back(start);
    queue_.push_back(start);
    for (size_t head = 0; head < queue_.size(); ++head) {
      const int x = queue_[head] % width;
      const int y = queue_[head] / width;
      const int distance = HexDistance(harbour->x, harbour->y, x, y);
      if (static_cast<float>(distance) > range) continue;
      sHex* hex = map->GetHex(x, y);
      if (cJednostka* u = hex->unit; u != nullptr && (u->countryId == owner->id || owner->IsAlly(u->countryId))) {
        const int v = static_cast<int>(range - static_cast<float>(distance));
        const bool landCutOff = u->category == kCategoryLand && u->turnsWithoutSupply >= 1;
        if (u->supply < v || landCutOff) {
          if (landCutOff) u->turnsWithoutSupply = 0;
          u->SetSupplyLevel(v);
        }
      }
      for (int d = 0; d < 6; ++d) {
        int nx = 0, ny = 0;
        map->NeighbourCoords(x, y, d, nx, ny);
        if (!map->IsInside(nx, ny) || CellAt(nx, ny) != 0) continue;
        const sHex* n = map->GetHex(nx, ny);
        if (!n->IsLand() || static_cast<float>(HexDistance(harbour->x, harbour->y, nx, ny)) > range) continue;
        Cell(nx, ny) = 1;
        touched_.push_back(ny * width + nx);
        queue_.push_back(ny * width + nx);
      }
    }
  }
  for (int32_t i : touched_) grid[static_cast<size_t>(i)] = 0;
  touched_.clear();
}

void cTopografia::SupplyFromShips() {
  LogLine(L"Ciagne zaopatrzenie ze statkow");
  cMapa* map = gGra->map;
  if (map == nullptr) return;
  // The ships standing on each sea node.
  std::unordered_map<int, std::vector<const cJednostkaMorska*>> shipsAt;
  for (const cJednostkaMorska* ship : gGra->navalUnits)
    if (ship->fleet != nullptr) shipsAt[ship->fleet->seaNode].push_back(ship);

  for (cJednostkaLadowa* u : gGra->landUnits) {
    const cPanstwo* owner = u->GetCountry();
    if (owner == nullptr || !map->IsInside(u->x, u->y)) continue;
    const int most = ShipSupplyMax(*owner);
    if (!(u->supply < most || u->turnsWithoutSupply >= 1)) continue;
    const bool computerGetsMost = ComputerTakesShipMaximum(*owner) && owner->humanControlled == 0 &&
                                  !(gGra->pbem != 0 && owner->pbemPlayerId > 0);
    const int reach = ShipSearchRange(*owner);
    int best = INT_MIN;
    for (int y = u->y - reach; y <= u->y + reach; ++y) {
      for (int x = u->x - reach; x <= u->x + reach; ++x) {
        if (!map->IsInside(x, y)) continue;
        const sHex* hex = map->GetHex(x, y);
        if (!hex->IsSea()) continue;
        const int distance = HexDistance(u->x, u->y, x, y);
        if (distance > reach) continue;
        int value = 0;
        bool ownShip = false;
        if (auto it = shipsAt.find(hex->seaZone); it != shipsAt.end()) {
          for (const cJednostkaMorska* ship : it->second) {
            if (ship->countryId == owner->id) {
              value += ShipSupplyValue(*owner, ship->type);
              ownShip = true;
            } else if (owner->IsAtWarWith(ship->countryId)) {
              value -= EnemyShipPenalty(*owner, ship->type);
            }
          }
        }
        if (computerGetsMost && ownShip) value = most;
        value = std::min(value, most) - distance;
        best = std::max(best, value);
      }
    }
    // Only ships that bring something supply the unit: a cut-off unit by an
    // empty or hostile sea keeps counting its turns without supply.
    if (best > 0 && (best > u->supply || u->turnsWithoutSupply >= 1)) {
      u->turnsWithoutSupply = 0;
      u->SetSupplyLevel(best);
    }
  }
}
