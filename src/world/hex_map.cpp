#include "world/hex_map.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

int HexDistance(int x1, int y1, int x2, int y2) {
  int dx = std::abs(x2 - x1);
  int dy = y2 - y1;
  int ady = std::abs(dy);
  if (dx % 2 == 0) return (dx + 1) / 2 >= ady ? dx : ady + dx / 2;
  if (x1 % 2 != 0) {  // odd column, including negative odd ones
    if (-((dx + 1) / 2) <= dy && dy <= dx / 2) return dx;
    return ady + dx / 2 + (y2 > y1 ? 1 : 0);
  }
  if (-(dx / 2) <= dy && dy <= (dx + 1) / 2) return dx;
  return ady + dx / 2 + (y2 < y1 ? 1 : 0);
}

float gCurrentMapScale = 1.0f;

namespace {


bool IsOddColumn(int x) { return x % 2 != 0; }

cPanstwo* CountryById(int id) { return gGra != nullptr ? gGra->GetCountry(id) : nullptr; }

// Whether country a counts b as an ally; nobody (0) is nobody's ally.
bool Allied(int a, int b) {
  cPanstwo* c = CountryById(a);
  return c != nullptr && b >= 1 && c->IsAlly(b);
}

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b); }

const std::vector<sHexPoint> kNoHexes;

}  // namespace

// ---- cells ---------------------------------------------------------------

void sHex::ZwrocWektorRzek(uint8_t out[6]) const {
  for (int i = 0; i < 6; ++i) out[i] = (rivers <= 63 && (rivers >> i) & 1) ? 1 : 0;
}

bool sHex::HasRiver(int side) const {
  if (side < 0 || side > 5 || rivers > 63) return false;
  return ((rivers >> side) & 1) != 0;
}

void sHex::UpdateBorders() {
  if (IsSea() || map == nullptr) return;
  for (int d = 1; d <= 3; ++d) {
    const sHex* n = map->GetNeighbourHex(x, y, d);
    if (n == nullptr) continue;
    const uint16_t ownerBit = static_cast<uint16_t>(1u << (d - 1));
    const uint16_t controllerBit = static_cast<uint16_t>(1u << (d + 2));
    if (n->IsLand() && n->owner != owner)
      borders |= ownerBit;
    else
      borders &= static_cast<uint16_t>(~ownerBit);
    if (n->IsLand() && n->controller != controller)
      borders |= controllerBit;
    else
      borders &= static_cast<uint16_t>(~controllerBit);
  }
}

namespace {
// The neighbours in directions 0, 4 and 5 keep the border lines they share
// with this cell.
void RefreshNeighbourBorders(sHex& hex) {
  if (hex.map == nullptr) return;
  for (int d : {0, 4, 5}) {
    sHex* n = hex.map->GetNeighbourHex(hex.x, hex.y, d);
    if (n != nullptr) n->UpdateBorders();
  }
}
}  // namespace

void sHex::SetController(int country) {
  controller = static_cast<uint8_t>(country);
  UpdateBorders();
  RefreshNeighbourBorders(*this);
}

void sHex::SetOwner(int country) {
  owner = static_cast<uint8_t>(country);
  UpdateBorders();
  RefreshNeighbourBorders(*this);
}

void sHex::SetMark(uint32_t bits, int32_t value) {
  if (marks == 0 && map != nullptr) map->AddMarkedHex(this);
  marks |= bits;
  markValue = value;
}

void sHex::ClearMark(uint32_t bits, bool removeFromList) {
  if (removeFromList && map != nullptr) map->RemoveMarkedHex(this);
  marks &= ~bits;
  markValue = -1;
}

bool sHex::IsFriendlyTo(int country) const {
  if (country < 1) return false;
  if (controller == country) return true;
  return controller != 0 && Allied(controller, country);
}

bool sHex::IsHeldByFriendOf(int country) const {
  if (country < 1) return false;
  if (controller == country && owner == country) return true;
  return controller != 0 && owner != 0 && Allied(controller, country) && Allied(owner, country);
}

bool sHex::IsEnterableBy(int country) const {
  if (unit != nullptr && unit->spottedLevel != 0) return false;
  if (IsSea() || terrain == kTerrainMountain) return false;
  if (controller == 0 || controller == country) return true;
  return Allied(country, controller) || AtWar(controller, country);
}

bool sHex::IsLandNotNeutralTo(int country) const {
  if (!IsLand() || country < 1 || controller == 0) return false;
  return controller == country || Allied(country, controller) || AtWar(country, controller);
}

cPanstwo* sHex::GetControllerCountry() const { return CountryById(controller); }
cPanstwo* sHex::GetOwnerCountry() const { return CountryById(owner); }
cPanstwo* sHex::GetOriginalOwnerCountry() const { return CountryById(originalOwner); }

// ---- the grid ------------------------------------------------------------

cMapa::~cMapa() { Release(); }

void cMapa::Create(int w, int h) {
  hexes.clear();
  markedHexes.clear();
  SetWidth(w > 0 ? w : 0);
  SetHeight(h > 0 ? h : 0);
  hexes.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      sHex& hex = hexes[CellIndex(x, y)];
      hex.x = static_cast<int16_t>(x);
      hex.y = static_cast<int16_t>(y);
      hex.map = this;
    }
  }
}

bool cMapa::HasNeighbour(int x, int y, int d) const {
  if (d < 0 || d > 5) return false;
  const int dx = kStepDx[d];
  const int dy = IsOddColumn(x) ? kStepOddDy[d] : kStepEvenDy[d];
  // Only the bounds the step can cross are tested.
  if (dx > 0 && x + dx >= width) return false;
  if (dx < 0 && x + dx < 0) return false;
  if (dy > 0 && y + dy >= height) return false;
  if (dy < 0 && y + dy < 0) return false;
  return true;
}

void cMapa::NeighbourPoint(int x, int y, int d, sHexPoint& out) const {
  if (d < 0 || d > 5) return;
  NeighbourCoords(x, y, d, out.x, out.y);
}

void cMapa::NeighbourCoords(int x, int y, int d, int& nx, int& ny) const {
  if (d < 0 || d > 5) return;
  nx = x + kStepDx[d];
  ny = y + (IsOddColumn(x) ? kStepOddDy[d] : kStepEvenDy[d]);
}

int cMapa::GetDirection(int x0, int y0, int x1, int y1) const {
  for (int d = 0; d < 6; ++d) {
    int nx, ny;
    NeighbourCoords(x0, y0, d, nx, ny);
    if (nx == x1 && ny == y1) return d + 1;
  }
  return 0;
}

bool cMapa::IsEnemyUnitAtOrNextTo(int country, int x, int y) const {
  auto enemyOn = [&](int hx, int hy) {
    if (!IsInside(hx, hy)) return false;
    // Only land units hold ground; an air unit over a hex does not.
    const cJednostka* u = GetHex(hx, hy)->unit;
    return u != nullptr && u->category == kCategoryLand && AtWar(country, u->countryId);
  };
  if (enemyOn(x, y)) return true;
  for (int d = 0; d < 6; ++d) {
    int nx, ny;
    NeighbourCoords(x, y, d, nx, ny);
    if (enemyOn(nx, ny)) return true;
  }
  return false;
}

const std::vector<sHexPoint>& cMapa::GetCoastalHexesOfZone(int zone) const {
  auto it = zoneCoasts.find(zone);
  return it == zoneCoasts.end() ? kNoHexes : it->second;
}

// ---- map-wide operations -------------------------------------------------

void cMapa::PropagateRivers() {
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      sHex* hex = GetHex(x, y);
      uint8_t sides[6];
      hex->ZwrocWektorRzek(sides);
      for (int i = 0; i < 6; ++i) {
        if (!sides[i]) continue;
        sHex* a = GetNeighbourHex(x, y, (i + 5) % 6);
        if (a != nullptr && a->IsSea()) a->rivers |= static_cast<uint8_t>((1u << i) | 0x40u);
        sHex* b = GetNeighbourHex(x, y, (i + 1) % 6);
        if (b != nullptr && b->IsSea()) b->rivers |= static_cast<uint8_t>((1u << ((i + 3) % 6)) | 0x40u);
      }
      if (hex->IsSea()) {
        hex->controller = 0;
        hex->owner = 0;
        hex->originalOwner = 0;
        hex->fort = 0;
      }
    }
  }
}

void cMapa::RefreshAllBorders() {
  const cGrafMorz* graph = gGra != nullptr ? &gGra->seaGraph : nullptr;
  auto isSeaArea = [graph](int zone) {
    if (graph == nullptr || zone == 0) return false;
    const sWezelGrafuMorz* node = graph->FindNode(zone);
    return node != nullptr && node->seaZone != 0;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      sHex* hex = GetHex(x, y);
      hex->UpdateBorders();
      if (!hex->IsSea()) continue;
      // A port's hexes draw no sea-zone lines.
      if (hex->seaZone != 0 && !isSeaArea(hex->seaZone)) continue;
      for (int d = 1; d <= 3; ++d) {
        const sHex* n = GetNeighbourHex(x, y, d);
        if (n == nullptr) continue;
        const uint16_t bit = static_cast<uint16_t>(1u << (5 + d));
        if (n->IsSea() && n->seaZone != 0 && isSeaArea(n->seaZone) && n->seaZone != hex->seaZone)
          hex->borders |= bit;
        else
          hex->borders &= static_cast<uint16_t>(~bit);
      }
    }
  }
}

void cMapa::RebuildZoneIndex() {
  zoneCoasts.clear();
  // A counting sort by zone keeps storage order within each zone and builds
  // every zone's list in one go; the counts run to the highest zone used.
  size_t zones = 1;
  for (const sHex& hex : hexes)
    if (hex.IsLand() && hex.seaZone != 0) zones = std::max<size_t>(zones, static_cast<size_t>(hex.seaZone) + 1);
  std::vector<uint32_t> start(zones + 1, 0);
  for (const sHex& hex : hexes)
    if (hex.IsLand() && hex.seaZone != 0) ++start[static_cast<size_t>(hex.seaZone) + 1];
  for (size_t z = 1; z < start.size(); ++z) start[z] += start[z - 1];
  std::vector<sHexPoint> flat(start.back());
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (const sHex& hex : hexes)
    if (hex.IsLand() && hex.seaZone != 0) flat[next[hex.seaZone]++] = {hex.x, hex.y};
  for (size_t z = 1; z < zones; ++z) {
    if (start[z + 1] == start[z]) continue;
    zoneCoasts.emplace_hint(zoneCoasts.end(), static_cast<int>(z),
                            std::vector<sHexPoint>(flat.begin() + start[z], flat.begin() + start[z + 1]));
  }
}

void cMapa::ResetHexExtras() {
  const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (n == 0) {
    gConsole.AddLine(Txt("critical_error:_map_cannot_have_0_height_or_0_width!"));
    return;
  }
  if (eyecandies.size() != n) eyecandies.assign(n, sHexEyecandy{});
  for (sHexEyecandy& e : eyecandies) {
    for (auto& pos : e.source) pos[0] = pos[1] = 0;
    e.hiddenLayer = 100;
  }
}

void cMapa::AddMarkedHex(sHex* hex) { markedHexes.push_back(hex); }

void cMapa::RemoveMarkedHex(sHex* hex) {
  auto it = std::find(markedHexes.begin(), markedHexes.end(), hex);
  if (it != markedHexes.end()) markedHexes.erase(it);
}

void cMapa::ClearMarks(uint32_t bits, bool clearBit24) {
  for (sHex* hex : markedHexes)
    if ((hex->marks & bits) != 0) hex->ClearMark(bits, false);
  if (clearBit24)
    for (sHex& hex : hexes) hex.marks &= ~kMarkBit24;
  // A cell left with no marks leaves the list, so that marking it again
  // does not enter it twice.
  markedHexes.remove_if([](const sHex* hex) { return hex->marks == 0; });
}

void cMapa::RollWeather(int monthIndex) {
  if (monthIndex < 0 || monthIndex > 11) {
    LogF(L"WARNING: weather roll for month index %i skipped", monthIndex);
    return;
  }
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      sHex* hex = GetHex(x, y);
      if (!hex->IsLand() || !hex->weatherApplies) continue;
      if (RandomInRange(1, 100) <= hex->winterChance[monthIndex])
        hex->weather = kWeatherWinter;
      else if (RandomInRange(1, 100) <= hex->mudChance[monthIndex])
        hex->weather = kWeatherMud;
      else
        hex->weather = kWeatherClear;
    }
  }
}

void cMapa::MarkSeaNodeHexes(int zone, uint32_t bits, bool alsoReachable) {
  int country = 0;
  if (gGra != nullptr && gGra->selection.currentCountry != nullptr) country = gGra->selection.currentCountry->id;
  for (sHex& hex : hexes) {
    if (!hex.IsSea()) continue;
    if (hex.seaZone == zone) hex.SetMark(bits, -1);
    if (alsoReachable && hex.seaZone != 0 && gGra != nullptr &&
        gGra->seaGraph.IsEdgePassable(hex.seaZone, zone, country))
      hex.SetMark(kMarkSeaReachable, -1);
  }
}

void cMapa::CreateAiLayer() {
  const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (n == 0) throw std::length_error("Error, map can't have width nor heigth = 0");
  aiLayer.assign(n, 0);
}

void cMapa::SetLayerByte(int x, int y, uint8_t v) {
  if (IsInside(x, y) && !aiLayer.empty()) aiLayer[CellIndex(x, y)] = v;
}

uint8_t cMapa::GetLayerByte(int x, int y) const {
  if (!IsInside(x, y) || aiLayer.empty()) return 0;
  return aiLayer[CellIndex(x, y)];
}

void cMapa::ClearLayerBytes() { std::fill(aiLayer.begin(), aiLayer.end(), 0); }

void cMapa::Release() {
  for (FrontEndHandle& t : minimapTextures) ReleaseTextureHandle(t);
  hexes.clear();
  hexes.shrink_to_fit();
  aiLayer.clear();
  aiLayer.shrink_to_fit();
  eyecandies.clear();
  eyecandies.shrink_to_fit();
  zoneCoasts.clear();
  frontNodes.clear();
  markedHexes.clear();
}

int cMapa::SetViewBookmark(int slot, int x, int y) {
  slot = std::clamp(slot, 0, 9);
  bookmarks_[slot] = {x, y};
  return slot;
}

sHexPoint cMapa::GetViewBookmark(int slot) const { return bookmarks_[std::clamp(slot, 0, 9)]; }

void cMapa::SetWidth(int w) {
  width = w;
  cameraMinX = 83;
  cameraMaxX = 83 * w;
  visibleColumns = static_cast<int32_t>(FrontEnd().ScreenWidth() / 41.5) + 2;
}

void cMapa::SetHeight(int h) {
  height = h;
  cameraMinY = 83;
  cameraMaxY = 98 * h;
  visibleRows = static_cast<int32_t>(FrontEnd().ScreenHeight() / 98.0) + 2;
}

