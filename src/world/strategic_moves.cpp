#include "world/strategic_moves.h"

#include <algorithm>

#include "core/console.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/selection.h"

namespace {

// Membership is by the city record itself, not by name or place.
bool Holds(const std::list<cMiasto*>& group, const cMiasto* city) {
  return std::find(group.begin(), group.end(), city) != group.end();
}

// The first group that holds the target decides: it must hold the source too.
bool SameGroup(const tCityGroups& groups, const cMiasto* source, const cMiasto* target) {
  for (const std::list<cMiasto*>& group : groups)
    if (Holds(group, target)) return Holds(group, source);
  return false;
}

// The groups of a country id; null for an id outside the store.
const tCityGroups* CountryGroups(int countryId) {
  if (gGra == nullptr || gGra->strategicMoves == nullptr || countryId < 1) return nullptr;
  const size_t index = static_cast<size_t>(countryId) - 1;
  return index < gGra->strategicMoves->size() ? &(*gGra->strategicMoves)[index] : nullptr;
}

}  // namespace

void InitStrategicMovement() {
  if (gGra == nullptr) return;
  LogLine(L"Inicjalizuje modul ruchow strategicznych...");
  if (gGra->strategicMoves == nullptr) gGra->strategicMoves = new std::vector<tCityGroups>();
  gGra->strategicMoves->resize(gGra->countries.size());
}

void StoreCountryTopography(int countryId, const tCityGroups& groups) {
  if (gGra == nullptr || gGra->strategicMoves == nullptr || countryId < 1 ||
      static_cast<size_t>(countryId) > gGra->strategicMoves->size()) {
    LogF(L"WARNING: topography groups of country id=%i not stored: no such entry", countryId);
    return;
  }
  tCityGroups& entry = (*gGra->strategicMoves)[static_cast<size_t>(countryId) - 1];
  entry = groups;
  LogF(L"Kraj o id=%i ma teraz %i grup topograficznych", countryId, static_cast<int>(entry.size()));
  LogF(L"Grupy topograficzne kraju o id=%i:", countryId);
  LogLine(L"----------------------------------------");
  for (const std::list<cMiasto*>& group : entry) {
    LogLine(L"Nowa Grupa. Oto jej miasta:");
    for (const cMiasto* city : group)
      if (city != nullptr) LogLine(city->name);
  }
}

void GatherNeutralGroups() {
  if (gGra == nullptr) return;
  gGra->neutralGroups.clear();
  for (const cPanstwo* c : gGra->countries) {
    if (c == nullptr || c->alliance != kAllianceNeutral) continue;
    if (const tCityGroups* groups = CountryGroups(c->id))
      gGra->neutralGroups.insert(gGra->neutralGroups.end(), groups->begin(), groups->end());
  }
}

bool CanMoveStrategicallyTo(const cJednostka& unit, const cMiasto& target) {
  if (gGra == nullptr || gGra->map == nullptr) return false;
  if (unit.supplySourceX == -1 || unit.supplySourceY == -1) return false;
  if (!gGra->map->IsInside(unit.supplySourceX, unit.supplySourceY)) return false;
  const cMiasto* source = gGra->map->GetHex(unit.supplySourceX, unit.supplySourceY)->city;
  if (source == nullptr) return false;
  const cPanstwo* owner = unit.GetCountry();
  if (owner == nullptr) return false;
  const tCityGroups* groups = owner->alliance != kAllianceNeutral ? CountryGroups(owner->id) : &gGra->neutralGroups;
  const int holder = target.GetController();
  if (holder != owner->id && !owner->IsAlly(holder)) return false;
  if (unit.category == kCategoryAir) return true;
  if (groups == nullptr || groups->empty()) return false;
  return SameGroup(*groups, source, &target);
}

bool AreCitiesInSameCountryTopographyGroup(int countryId, const cMiasto* a, const cMiasto* b) {
  const tCityGroups* groups = CountryGroups(countryId);
  return groups != nullptr && SameGroup(*groups, a, b);
}

void MarkStrategicMoveTargets(const cJednostka& unit) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  map.ClearMarks(0xFFFFFFFFu, false);
  for (const cPanstwo* c : gGra->countries) {
    if (c == nullptr) continue;
    const tCityGroups* groups = CountryGroups(c->id);
    LogF(L"Kraj o id=%i ma %i grup topograficznych", c->id, groups != nullptr ? static_cast<int>(groups->size()) : 0);
  }
  for (const cMiasto* city : gGra->cities) {
    if (!map.IsInside(city->x, city->y) || !CanMoveStrategicallyTo(unit, *city)) continue;
    sHex* cityHex = map.GetHex(city->x, city->y);
    if (cityHex->unit == nullptr) cityHex->SetMark(kMarkStrategicTarget, -1);
    for (int d = 0; d < 6; ++d) {
      int nx = 0, ny = 0;
      map.NeighbourCoords(city->x, city->y, d, nx, ny);
      if (!map.IsInside(nx, ny)) continue;
      sHex* n = map.GetHex(nx, ny);
      if (n->unit == nullptr && n->IsLand() && n->IsFriendlyTo(cityHex->controller)) n->SetMark(kMarkStrategicTarget, -1);
    }
  }
}

bool AreHexesInSameTopographyGroup(int x1, int y1, int x2, int y2) {
  if (gGra == nullptr) return false;
  const cMiasto* first = gGra->selection.GetRegionCity(x1, y1);
  const cMiasto* second = gGra->selection.GetRegionCity(x2, y2);
  if (first == nullptr || second == nullptr) return false;
  if (gGra->strategicMoves != nullptr)
    for (const tCityGroups& groups : *gGra->strategicMoves)
      for (const std::list<cMiasto*>& group : groups)
        if (Holds(group, first)) return Holds(group, second);
  for (const std::list<cMiasto*>& group : gGra->neutralGroups)
    if (Holds(group, first)) return Holds(group, second);
  return false;
}
