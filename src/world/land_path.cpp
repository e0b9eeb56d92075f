// The path of a land move through the unit's move range, and the move
// itself, one step per call of the move animation.
#include <map>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
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

int64_t Key(int x, int y) { return (static_cast<int64_t>(x) << 32) | static_cast<uint32_t>(y); }

}  // namespace

void cSelection::FindLandPath(cJednostkaLadowa* unit, int x, int y) {
  if (unit == nullptr || gGra == nullptr || gGra->map == nullptr) return;
  cMapa* map = gGra->map;
  unit->contactFlag = 0;
  undoUnit = unit;
  undoActionPoints = unit->actionPoints;
  undoX = unit->x;
  undoY = unit->y;
  capturedHexes.clear();
  movingUnit = unit;
  takingCountry = map->IsInside(unit->x, unit->y) ? map->GetHex(unit->x, unit->y)->controller : 0;
  steps.clear();

  std::map<int64_t, const sHexEntry*> reached;
  for (const sHexEntry& e : unit->moveList) reached[Key(e.x, e.y)] = &e;

  if (HexDistance(unit->x, unit->y, x, y) != 1) {
    // Back from the target along the stored directions; a walk can never be
    // longer than the list it walks through.
    int cx = x, cy = y;
    for (size_t guard = 0; guard <= unit->moveList.size(); ++guard) {
      auto it = reached.find(Key(cx, cy));
      if (it == reached.end()) break;
      int px, py;
      map->NeighbourCoords(cx, cy, it->second->direction, px, py);
      const bool atUnit = px == unit->x && py == unit->y;
      auto prev = reached.find(Key(px, py));
      if (!atUnit && prev == reached.end()) break;
      const int cost = it->second->cost - (atUnit ? 0 : prev->second->cost);
      steps.push_front({cx, cy, cost});
      LogF(L"Adding hex (%i,%i) to path (cost %i)", cx, cy, cost);
      if (atUnit) break;
      cx = px;
      cy = py;
    }
  } else {
    auto it = reached.find(Key(x, y));
    steps.push_back({x, y, it != reached.end() ? it->second->cost : unit->actionPoints});
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
