// The map queries of the computer player: the lattice of front nodes, points
// a lattice step away and the outward searches around a point. The test of
// one topography group is with the groups (strategic_moves.cpp).
#include <algorithm>
#include <deque>
#include <stdexcept>
#include <vector>

#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

const std::list<sHexPoint>& cMapa::GetFrontNodes(int d) {
  if (d <= 2) throw std::invalid_argument("Blad! Pozadana odleglosc wezlow frontowych musi byc wieksza od 2");
  if (d == frontNodeDistance) return frontNodes;
  // A lattice of another distance replaces the cached one.
  ClearLayerBytes();
  frontNodes.clear();
  const int half = (d + 1) / 2;
  int k = 0;
  for (int x = 0; x < width; x += d, ++k) {
    for (int y = (k % 2 == 0) ? 0 : half; y < height; y += d) {
      const sHex* hex = GetHex(x, y);
      if (hex->IsLand() && hex->controller != 0) frontNodes.push_back({x, y});
    }
  }
  frontNodeDistance = d;
  return frontNodes;
}

sHexPoint cMapa::PointAtFrontNodeDistance(int x, int y, int dir) const {
  const int d = frontNodeDistance;
  if (d == -1) throw std::logic_error("Error, nieustawiona odlegloscWezlowFrontowych");
  if (dir < 0 || dir > 5) throw std::invalid_argument("Error, dopuszczalne wartosci parametru kierunek od 0 do 5");
  const bool odd = (x % 2) != 0;
  const int up = odd ? (d + 1) / 2 : d / 2;    // rows up to the side neighbours above
  const int down = odd ? d / 2 : (d + 1) / 2;  // rows down to those below
  switch (dir) {
    case 0: return {x, y - d};
    case 1: return {x + d, y - up};
    case 2: return {x + d, y + down};
    case 3: return {x, y + d};
    case 4: return {x - d, y + down};
    default: return {x - d, y - up};
  }
}

namespace {

// Ring by ring outward from the origin over land: every hex is tested once,
// in the order of its first appearance in a walk that queued each land
// neighbour farther out than the hex in hand, so that the first and the
// weakest finds are those of that walk. Hexes up to maxDistance are
// expanded; their neighbours, one ring beyond, are tested too. visit
// returns false to stop.
template <class Visit>
void WalkOutward(const cMapa& map, int ox, int oy, int maxDistance, Visit visit) {
  if (!map.IsInside(ox, oy)) return;
  // Everything tested lies within maxDistance + 1 of the origin.
  const int reach = std::clamp(maxDistance, -1, map.GetWidth() + map.GetHeight()) + 1;
  const int x0 = std::max(0, ox - reach), x1 = std::min(map.GetWidth() - 1, ox + reach);
  const int y0 = std::max(0, oy - reach), y1 = std::min(map.GetHeight() - 1, oy + reach);
  const size_t boxWidth = static_cast<size_t>(x1 - x0 + 1);
  std::vector<uint8_t> queued(boxWidth * static_cast<size_t>(y1 - y0 + 1), 0);
  auto cell = [&](int x, int y) -> uint8_t& {
    return queued[static_cast<size_t>(y - y0) * boxWidth + static_cast<size_t>(x - x0)];
  };
  std::deque<sHexPoint> queue{{ox, oy}};
  cell(ox, oy) = 1;
  while (!queue.empty()) {
    const sHexPoint p = queue.front();
    queue.pop_front();
    if (!visit(p.x, p.y)) return;
    const int distance = HexDistance(ox, oy, p.x, p.y);
    if (distance > maxDistance) continue;
    for (int d = 0; d < 6; ++d) {
      if (!map.HasNeighbour(p.x, p.y, d)) continue;
      int nx = 0, ny = 0;
      map.NeighbourCoords(p.x, p.y, d, nx, ny);
      if (!map.GetHex(nx, ny)->IsLand() || HexDistance(ox, oy, nx, ny) <= distance) continue;
      uint8_t& seen = cell(nx, ny);
      if (seen != 0) continue;
      seen = 1;
      queue.push_back({nx, ny});
    }
  }
}

// A hex held by the country, an ally of it or an enemy of it.
bool IsHeldByPartyOf(const cPanstwo* country, int controller) {
  if (country == nullptr) return false;
  return controller == country->id || country->IsAlly(controller) || country->IsAtWarWith(controller);
}

}  // namespace

bool cMapa::FindInvasionLandingHex(int country, int x, int y, int seaZone, int maxDistance, int& outX, int& outY,
                                   bool ownOnly) const {
  const cPanstwo* invader = gGra != nullptr ? gGra->GetCountry(country) : nullptr;
  auto matches = [&](const sHex& hex) {
    if (!hex.IsLand() || hex.unit != nullptr || hex.seaZone != seaZone || hex.coastal == 0) return false;
    return ownOnly ? hex.controller == country : IsHeldByPartyOf(invader, hex.controller);
  };
  if (ownOnly) {
    if (!IsInside(x, y) || !matches(*GetHex(x, y))) return false;
    outX = x;
    outY = y;
    return true;
  }
  bool found = false;
  WalkOutward(*this, x, y, maxDistance, [&](int hx, int hy) {
    if (!matches(*GetHex(hx, hy))) return true;
    outX = hx;
    outY = hy;
    found = true;
    return false;
  });
  return found;
}

bool cMapa::FindWeakestEnemyUnitNear(int country, int x, int y, int unusedId, int maxDistance, int& outX,
                                     int& outY) const {
  (void)unusedId;
  const cPanstwo* searcher = gGra != nullptr ? gGra->GetCountry(country) : nullptr;
  if (searcher == nullptr) return false;
  bool found = false;
  float weakest = 0.0f;
  WalkOutward(*this, x, y, maxDistance, [&](int hx, int hy) {
    const sHex& hex = *GetHex(hx, hy);
    if (!hex.IsLand() || hex.unit == nullptr || !IsHeldByPartyOf(searcher, hex.controller) ||
        !searcher->IsAtWarWith(hex.unit->countryId))
      return true;
    const float strength = hex.unit->GetCombatStrength();
    if (!found || strength < weakest) {
      weakest = strength;
      outX = hx;
      outY = hy;
      found = true;
    }
    return true;
  });
  return found;
}
