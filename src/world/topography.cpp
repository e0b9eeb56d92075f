#include "world/topography.h"

#include <algorithm>

#include "core/console.h"
#include "world/city.h"
#include "world/game.h"
#include "world/selection.h"

cSelection::cSelection() = default;

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

void ResetCitySupplyTables() {
  if (gGra == nullptr) return;
  const size_t n = gGra->countries.size();
  for (cMiasto* city : gGra->cities) {
    city->supplyInfo.assign(n, 0);
    city->convoyInfo.assign(n, 0);
  }
}
