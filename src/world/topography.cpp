#include "world/topography.h"

#include <algorithm>

#include "core/console.h"
#include "world/city.h"
#include "world/game.h"
#include "world/selection.h"

cSelection::cSelection() = default;
cSelection::~cSelection() = default;

cTopografia& cSelection::CreateWorldTopography() {
  topography = std::make_unique<cTopografia>();
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  topography->Allocate(map != nullptr ? map->GetWidth() : 0, map != nullptr ? map->GetHeight() : 0);
  return *topography;
}

void cTopografia::Allocate(int w, int h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  grid.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  touched_.clear();
}

void cTopografia::ClearGrid() {
  std::fill(grid.begin(), grid.end(), 0);
  touched_.clear();
}

void InitStrategicMovement() {
  if (gGra == nullptr) return;
  LogLine(L"Inicjalizuje modul ruchu strategicznego");
  if (gGra->strategicMoves == nullptr) gGra->strategicMoves = new std::vector<tCityGroups>();
  gGra->strategicMoves->clear();
  gGra->strategicMoves->resize(gGra->countries.size());
}

void StoreCountryTopography(int countryId, const tCityGroupSet& groups) {
  if (gGra == nullptr || gGra->strategicMoves == nullptr) return;
  if (countryId < 1 || static_cast<size_t>(countryId) > gGra->strategicMoves->size()) {
    LogF(L"ERROR: Topografia dla nieznanego kraju o id=%i", countryId);
    return;
  }
  tCityGroups& entry = (*gGra->strategicMoves)[static_cast<size_t>(countryId) - 1];
  entry = groups;
  LogF(L"Kraj o id=%i ma teraz %i grup topograficznych", countryId, static_cast<int>(entry.size()));
  LogF(L"Topografia kraju o id=%i:", countryId);
  LogLine(L"Grupy miast:");
  for (const tCityGroup& group : entry) {
    LogLine(L"Nowa Grupa. Oto jej miasta:");
    for (const cMiasto* city : group) LogLine(city->GetName());
  }
}

void ResetCitySupplyTables() {
  if (gGra == nullptr) return;
  const size_t n = gGra->countries.size();
  for (cMiasto* city : gGra->cities) {
    city->supplyInfo.assign(n, 0);
    city->convoyInfo.assign(n, 0);
  }
}
