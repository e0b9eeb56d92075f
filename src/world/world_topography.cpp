// The land topography computed once after loading: the city groups (cities
// that share one land mass) and the city-region grid (each land hex with the
// city nearest to it over land).
#include <cstddef>
#include <list>
#include <vector>

#include "core/console.h"
#include "world/city.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/selection.h"

namespace {

struct sCell {
  int32_t x;
  int32_t y;
};

// The neighbours of a hex in the floods' fixed order: north, south, then the
// four side neighbours, whose rows depend on the column's parity (even
// columns stand half a hex lower). Only neighbours on the map are visited.
template <class Visit>
void ForEachFloodNeighbour(const cMapa& map, int x, int y, Visit visit) {
  static constexpr int kEven[6][2] = {{0, -1}, {0, 1}, {1, 0}, {1, 1}, {-1, 1}, {-1, 0}};
  static constexpr int kOdd[6][2] = {{0, -1}, {0, 1}, {1, -1}, {1, 0}, {-1, 0}, {-1, -1}};
  const auto& steps = (x % 2 == 0) ? kEven : kOdd;
  for (const auto& s : steps) {
    const int nx = x + s[0];
    const int ny = y + s[1];
    if (map.IsInside(nx, ny)) visit(nx, ny);
  }
}

// The topography marks of a sea cell, set before the city groups are flooded.
constexpr uint8_t kSeaMark = 2;

size_t CellIndex(int x, int y, int width) {
  return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
}

const wchar_t* const kComputingLine = L"Licz\u010f\u017c\u02dd topografi\u010f\u017c\u02dd dla Ca\u010f\u017c\u02ddego "
                                      L"\u010f\u017c\u02ddwiata!!";
const wchar_t* const kFoundCityLine = L"Znalaz\u010f\u017c\u02ddem sprzyjaj\u010f\u017c\u02ddce miasto: %s, rozpoczynam "
                                      L"tworzenie grupy.";
const wchar_t* const kGroupHoldsLine = L"W grupie s\u010f\u017c\u02dd nast\u010f\u017c\u02ddpuj\u010f\u017c\u02ddce "
                                       L"miasta:";

}  // namespace

void cSelection::ComputeWorldTopography() {
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  mapWidth = map != nullptr ? map->GetWidth() : 0;
  mapHeight = map != nullptr ? map->GetHeight() : 0;
  cityGroups.clear();
  LogLine(kComputingLine);
  if (map == nullptr) return;

  // Sea cells are marked up front (2), so that the floods learn it from the
  // marks alone; a city's own cell counts as taken only when flooded (1).
  topographyVisited.assign(static_cast<size_t>(mapWidth) * static_cast<size_t>(mapHeight), 0);
  for (int y = 0; y < mapHeight; ++y)
    for (int x = 0; x < mapWidth; ++x)
      if (!map->GetHex(x, y)->IsLand()) topographyVisited[CellIndex(x, y, mapWidth)] = kSeaMark;
  for (cMiasto* city : gGra->cities) {
    if (city->type == kCityResources || !map->IsInside(city->x, city->y)) continue;
    if (topographyVisited[CellIndex(city->x, city->y, mapWidth)] == 1) continue;
    LogF(kFoundCityLine, city->name.c_str());
    std::list<cMiasto*> group;
    FloodCityGroup(city, group);
    LogLine(kGroupHoldsLine);
    for (const cMiasto* member : group) LogLine(member->name);
    cityGroups.push_back(std::move(group));
  }
  topographyVisited.clear();
  topographyVisited.shrink_to_fit();
}

void cSelection::FloodCityGroup(cMiasto* start, std::list<cMiasto*>& group) {
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (map == nullptr || start == nullptr || !map->IsInside(start->x, start->y)) return;
  const int width = map->GetWidth();
  // A flood started on its own gets a visited grid of its own.
  const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(map->GetHeight());
  if (topographyVisited.size() != cells) topographyVisited.assign(cells, 0);

  group.push_back(start);
  topographyVisited[CellIndex(start->x, start->y, width)] = 1;
  // A queue that is never shortened: the cells taken stay behind the head.
  std::vector<sCell> queue{{start->x, start->y}};
  for (size_t head = 0; head < queue.size(); ++head) {
    const sCell at = queue[head];
    ForEachFloodNeighbour(*map, at.x, at.y, [&](int nx, int ny) {
      uint8_t& seen = topographyVisited[CellIndex(nx, ny, width)];
      if (seen != 0) return;
      const sHex* hex = map->GetHex(nx, ny);
      if (!hex->IsLand()) return;
      seen = 1;
      queue.push_back({nx, ny});
      if (hex->city != nullptr && hex->city->type < kCityResources) group.push_back(hex->city);
    });
  }
}

void cSelection::BuildCityRegionGrid() {
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  const int width = map != nullptr ? map->GetWidth() : 0;
  const int height = map != nullptr ? map->GetHeight() : 0;
  cityRegions.assign(static_cast<size_t>(width) * static_cast<size_t>(height), nullptr);
  cityRegionStride = width;
  if (map == nullptr) return;

  // Every seed enters the queue before any flood step, so the flood is a
  // breadth-first search from all cities at once.
  // Land as a byte per cell: the flood then stays in the cache on a large map.
  std::vector<uint8_t> land(cityRegions.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) land[CellIndex(x, y, width)] = map->GetHex(x, y)->IsLand() ? 1 : 0;
  std::vector<sCell> queue;
  queue.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (cMiasto* city : gGra->cities) {
    if (city->type == kCityResources || !map->IsInside(city->x, city->y)) continue;
    cityRegions[CellIndex(city->x, city->y, width)] = city;
    queue.push_back({city->x, city->y});
  }
  for (size_t head = 0; head < queue.size(); ++head) {
    const sCell at = queue[head];
    cMiasto* owner = cityRegions[CellIndex(at.x, at.y, width)];
    ForEachFloodNeighbour(*map, at.x, at.y, [&](int nx, int ny) {
      const size_t at = CellIndex(nx, ny, width);
      cMiasto*& cell = cityRegions[at];
      if (cell != nullptr || land[at] == 0) return;
      cell = owner;
      queue.push_back({nx, ny});
    });
  }
}
