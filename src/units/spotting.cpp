// What units see: the spotting pass of a unit over the units around it, and
// a reconnaissance sweep around a hex.
#include <algorithm>
#include <deque>
#include <vector>

#include "core/random.h"
#include "core/settings.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

int cUnit::SpotUnitsInRange(bool checkContact) {
  if (gGra == nullptr) return 0;
  const int range = gProgramSettings.fogOfWar;
  const cPanstwo* owner = GetCountry();
  auto* self = dynamic_cast<cJednostka*>(this);
  int raised = 0;
  auto see = [&](cUnit* u) {
    if (range != 0 && HexDistance(x, y, u->x, u->y) > range) return;
    if (checkContact && self != nullptr && u->countryId != countryId && u->spottedLevel == 0 &&
        (owner == nullptr || !owner->IsAlly(u->countryId)))
      self->contactFlag = 1;
    if (!u->IsFullySpotted()) ++raised;
    u->spottedLevel = 6;
  };
  for (cJednostkaLadowa* u : gGra->landUnits) see(u);
  for (cJednostkaLotnicza* u : gGra->airUnits) see(u);
  return raised;
}

void cUnit::ReconAroundHex(int hx, int hy, int reach, cPanstwo* spotter) {
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (map == nullptr || !map->IsInside(hx, hy)) return;
  const size_t w = static_cast<size_t>(map->GetWidth());
  std::vector<uint8_t> seen(w * static_cast<size_t>(map->GetHeight()), 0);
  auto index = [&](int cx, int cy) { return static_cast<size_t>(cy) * w + static_cast<size_t>(cx); };
  std::deque<sHexPoint> queue{{hx, hy}};
  seen[index(hx, hy)] = 1;
  while (!queue.empty()) {
    const sHexPoint p = queue.front();
    queue.pop_front();
    if (cJednostka* u = map->GetHex(p.x, p.y)->unit; u != nullptr && !u->IsFullySpotted()) {
      u->spottedLevel = std::max(u->spottedLevel, 3);
      if (spotter != nullptr && std::find(spotter->airReconSightings.begin(), spotter->airReconSightings.end(), u) ==
                                    spotter->airReconSightings.end())
        spotter->airReconSightings.push_back(u);
    }
    for (int d = 0; d < 6; ++d) {
      if (!map->HasNeighbour(p.x, p.y, d)) continue;
      int nx = 0, ny = 0;
      map->NeighbourCoords(p.x, p.y, d, nx, ny);
      if (seen[index(nx, ny)] || HexDistance(hx, hy, nx, ny) > reach) continue;
      seen[index(nx, ny)] = 1;
      queue.push_back({nx, ny});
    }
  }
}

void cUnit::UpdateSpottedByCountry(int country) {
  if (IsFullySpotted() || gGra == nullptr) return;
  const int range = gProgramSettings.fogOfWar;
  if (range == 0) {
    spottedLevel = 6;
    return;
  }
  const cPanstwo* viewer = gGra->GetCountry(country);
  auto watches = [&](const cUnit* u) {
    if (u->countryId != country && (viewer == nullptr || !viewer->IsAlly(u->countryId))) return false;
    return HexDistance(x, y, u->x, u->y) <= range;
  };
  // Land units first: an air unit is asked only when no land unit sees.
  bool seen = std::any_of(gGra->landUnits.begin(), gGra->landUnits.end(), watches);
  if (!seen) seen = std::any_of(gGra->airUnits.begin(), gGra->airUnits.end(), watches);
  if (seen) spottedLevel = 6;
}

void cUnit::SpotAfterMoveStep() {
  if (gGra == nullptr) return;
  const int viewer = gGra->seaGraph.viewingCountry;
  const cPanstwo* own = GetCountry();
  if (countryId == viewer || (own != nullptr && own->IsAlly(viewer)))
    SpotUnitsInRange(true);
  else if (gGra->relations.IsAtWar(countryId, viewer))
    UpdateSpottedByCountry(viewer);
}
