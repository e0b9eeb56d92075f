// The path of a land move through the unit's move range, and the move
// itself, one step per call of the move animation.
#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/selection.h"

namespace {

const wchar_t* MoveSound(int type) {
  switch (type) {
    case 0: case 1: return L"data\\sound\\InfantryMarching.wav";
    case 2: case 3: return L"data\\sound\\TruckDriving.wav";
    case 4: case 5: return L"data\\sound\\TankRolling.wav";
    default: return nullptr;
  }
}

// The work grid of a path search: the unit's move list laid out on a square
// of side 2 x AP + 3 centred on the unit, cut to the map, so that each step
// back is one look-up.
class cPathGrid {
 public:
  struct sCell {
    bool filled = false;
    int32_t direction = 0;
    int32_t cost = 0;
  };

  cPathGrid(const cMapa& map, const cJednostkaLadowa& unit) {
    const int half = std::max(unit.actionPoints, 0) + 1;
    x0_ = std::max(0, unit.x - half);
    y0_ = std::max(0, unit.y - half);
    const int x1 = std::min(map.width - 1, unit.x + half);
    const int y1 = std::min(map.height - 1, unit.y + half);
    width_ = std::max(0, x1 - x0_ + 1);
    height_ = std::max(0, y1 - y0_ + 1);
    cells_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (const sHexEntry& e : unit.moveList) {
      if (sCell* c = At(e.x, e.y)) *c = {true, e.direction, e.cost};
    }
    if (sCell* c = At(unit.x, unit.y)) *c = {true, 0, 0};
  }

  // The cell of a hex; null outside the grid.
  sCell* At(int x, int y) {
    if (x < x0_ || y < y0_ || x >= x0_ + width_ || y >= y0_ + height_) return nullptr;
    return &cells_[static_cast<size_t>(y - y0_) * static_cast<size_t>(width_) + static_cast<size_t>(x - x0_)];
  }
  size_t Size() const { return cells_.size(); }

 private:
  int x0_ = 0;
  int y0_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<sCell> cells_;
};

}  // namespace

void cSelection::FindLandPath(cJednostkaLadowa* unit, int x, int y) {
  if (unit == nullptr || gGra == nullptr || gGra->map == nullptr) return;
  cMapa* map = gGra->map;
  RememberForUndo(unit);
  movingUnit = unit;
  takingCountry = map->IsInside(unit->x, unit->y) ? map->GetHex(unit->x, unit->y)->controller : 0;
  steps.clear();

  cPathGrid grid(*map, *unit);
  if (HexDistance(unit->x, unit->y, x, y) != 1) {
    // Back from the target along the stored directions; a walk never visits
    // more cells than the grid has, whatever the list holds.
    int cx = x, cy = y;
    for (size_t guard = 0; guard < grid.Size(); ++guard) {
      const cPathGrid::sCell* cell = grid.At(cx, cy);
      if (cell == nullptr || !cell->filled) break;
      int px = cx, py = cy;
      map->NeighbourCoords(cx, cy, cell->direction, px, py);
      const cPathGrid::sCell* prev = grid.At(px, py);
      if (prev == nullptr || !prev->filled) break;
      const int cost = cell->cost - prev->cost;
      steps.push_front({cx, cy, cost});
      LogF(L"Adding hex (%i,%i) to path (cost %i)", cx, cy, cost);
      if (px == unit->x && py == unit->y) break;
      cx = px;
      cy = py;
    }
  } else {
    int cost = unit->actionPoints;
    for (const sHexEntry& e : unit->moveList) {
      if (e.x == x && e.y == y) {
        cost = e.cost;
        break;
      }
    }
    steps.push_back({x, y, cost});
    if (unit->category == kCategoryLand && unit->startingActionPoints == 0) unit->deployedThisTurn = 1;
  }

  if (unit->IsFullySpotted()) {
    if (const wchar_t* sound = MoveSound(unit->type)) FrontEnd().PlaySound(sound);
  }
}

bool cSelection::AdvanceMovingUnit() {
  cJednostkaLadowa* unit = movingUnit;
  if (unit == nullptr || gGra == nullptr || gGra->map == nullptr) return false;
  cMapa* map = gGra->map;
  if (!steps.empty()) {
    takingCountry = map->GetHex(unit->x, unit->y)->controller;
    const sMoveStep step = steps.front();
    const sHex* entered = map->GetHex(step.x, step.y);
    if (!map->IsInside(step.x, step.y) ||
        (entered->unit != nullptr && gGra->relations.IsAtWar(unit->countryId, entered->unit->countryId))) {
      // An enemy stands in the way: the move ends where the unit is.
      steps.clear();
    } else {
      const int left = map->GetHex(unit->x, unit->y)->controller;
      unit->x = step.x;
      unit->y = step.y;
      unit->AddActionPoints(-step.cost);
      int taker = left;
      if (!gGra->relations.IsAtWar(unit->countryId, entered->controller)) taker = entered->controller;
      const cPanstwo* own = unit->GetCountry();
      const cPanstwo* leftCountry = gGra->GetCountry(left);
      // Nobody's hex left behind gives no ally a claim.
      if (own != nullptr &&
          (leftCountry == nullptr ||
           own->politicalStrength >= own->consts.allyHexStrengthMargin + leftCountry->politicalStrength))
        taker = own->id;
      const int owner = entered->owner;
      const cPanstwo* takerCountry = gGra->GetCountry(taker);
      if (entered->controller != owner && taker != entered->controller && taker != owner && takerCountry != nullptr &&
          takerCountry->IsAlly(owner))
        taker = owner;
      takingCountry = static_cast<uint32_t>(taker);
      map->CaptureHexAndSurroundings(taker, step.x, step.y);
      steps.pop_front();
    }
  }
  if (!steps.empty()) return true;
  if (map->IsInside(unit->x, unit->y)) map->GetHex(unit->x, unit->y)->unit = unit;
  movingUnit = nullptr;
  takingCountry = 0;
  lastMoveEndX = unit->x;
  lastMoveEndY = unit->y;
  return false;
}

cMiasto* cSelection::GetRegionCity(int x, int y) const {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) return nullptr;
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(gGra->map->width) + static_cast<size_t>(x);
  return i < cityRegions.size() ? cityRegions[i] : nullptr;
}
