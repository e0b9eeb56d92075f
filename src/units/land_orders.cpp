// Move orders of land units: the computer player's moves and order
// bookkeeping, retreat and freezing, and strategic moves by rail.
#include <climits>
#include <list>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/strategic_moves.h"

namespace {

constexpr int kMoveAnimationPollMs = 50;

// Nobody's, the owner's, an ally's or an enemy's hex. Id 0 is nobody.
bool IsEnterableController(const cPanstwo& owner, int controller) {
  return controller == 0 || controller == owner.id || owner.IsAlly(controller) || owner.IsAtWarWith(controller);
}

bool HexHoldsUnit(int x, int y) {
  const cMapa* map = gGra->map;
  return map->IsInside(x, y) && map->GetHex(x, y)->unit != nullptr;
}

void Pause(eDelay delay) {
  FrontEnd().Delay(static_cast<int>(delayValues[delay]), __FILE__, __LINE__);
}

}  // namespace

void cJednostkaLadowa::RunMoveTo(int hx, int hy, bool centreFirst, bool alwaysPause) {
  cMapa* map = gGra->map;
  cSelection& selection = gGra->selection;
  const bool shown = spottedLevel != 0 && selection.showActions != 0;
  {
    // The unit leaves its hex and the camera moves: what the frame draws.
    cGameLockGuard lock(__FILE__, __LINE__);
    if (centreFirst && shown) map->CenterAtHex(x, y);
    if (map->IsInside(x, y) && map->GetHex(x, y)->unit == this) map->GetHex(x, y)->unit = nullptr;
    selection.FindLandPath(this, hx, hy);
    if (!centreFirst && shown) map->CenterAtHex(x, y);
    // A game that is ending keeps its end state; the move is then walked
    // here, so that the unit stands whole on its last hex.
    int state = gGra->GetState();
    while (state != kStateEnding && !gGra->state.compare_exchange_weak(state, kStateComputerMoveShown)) {
    }
    if (state == kStateEnding) {
      while (selection.AdvanceMovingUnit()) SpotAfterMoveStep();
      SpotAfterMoveStep();
      return;
    }
    LogF(L"---- Game state = %i", kStateComputerMoveShown);
    // The last step hands the turn back to the computer player.
    FrontEnd().AnimateMove([this] {
      // Left behind by a game ended during its move: it touches nothing
      // and waits to be replaced by the next move's.
      if (gGra == nullptr || gGra->selection.movingUnit != this) return true;
      const bool more = gGra->selection.AdvanceMovingUnit();
      SpotAfterMoveStep();
      if (more) return true;
      gGra->SetStateIf(kStateComputerMoveShown, kStateComputerPlays);
      return false;
    });
  }
  // The main thread walks the unit, frame by frame; the wait ends with the
  // game too.
  while (gGra->GetState() == kStateComputerMoveShown && !WorkerMustStop())
    FrontEnd().Delay(kMoveAnimationPollMs, __FILE__, __LINE__);
  if (alwaysPause || shown) Pause(DELAY_AI_MOVE_AFTER);
}

bool cJednostkaLadowa::GiveMoveOrder(int hx, int hy) {
  if (hx == x && hy == y) {
    LogLine(L"Jednostka dosta\u010f\u017c\u02dda rozkaz by i\u010f\u017c\u02dd\u010f\u017c\u02dd na pole na kt\u010f\u017c\u02ddrym ju\u010f\u017c\u02dd stoi. No to stoi dalej.");
    return false;
  }
  if (gGra == nullptr || gGra->map == nullptr) return false;
  int destX = hx, destY = hy;
  if (!IsHexInMoveRange(hx, hy) || HexHoldsUnit(hx, hy)) {
    // As near as the range allows, and nearer than the unit stands now.
    int best = HexDistance(x, y, hx, hy);
    bool found = false;
    for (const sHexEntry& e : moveList) {
      if (HexHoldsUnit(e.x, e.y)) continue;
      const int d = HexDistance(e.x, e.y, hx, hy);
      if (d >= best) continue;
      best = d;
      destX = e.x;
      destY = e.y;
      found = true;
    }
    if (!found) return false;
  }
  RunMoveTo(destX, destY, true, true);
  return true;
}

bool cJednostkaLadowa::PickNearestFreeHex() {
  if (gGra == nullptr || gGra->map == nullptr) return false;
  MarkAttackTargets(true);
  const sHexEntry* best = nullptr;
  for (const sHexEntry& e : moveList)
    if (!HexHoldsUnit(e.x, e.y) && (best == nullptr || e.cost < best->cost)) best = &e;
  if (best == nullptr) return false;
  const int tx = best->x, ty = best->y;
  RunMoveTo(tx, ty, false, false);
  return true;
}

void cJednostkaLadowa::MoveTowardsHex(int hx, int hy) {
  if (hx == x && hy == y) return;
  if (gGra == nullptr || gGra->map == nullptr) return;
  MarkAttackTargets(true);
  const sHexEntry* best = nullptr;
  int bestDistance = INT_MAX;
  for (const sHexEntry& e : moveList) {
    if (e.cost >= actionPoints) continue;
    const int d = HexDistance(e.x, e.y, hx, hy);
    // On an equal distance the dearer entry goes further along the way.
    if (d < bestDistance || (d == bestDistance && best != nullptr && e.cost > best->cost)) {
      best = &e;
      bestDistance = d;
    }
  }
  if (best == nullptr) return;
  const int tx = best->x, ty = best->y;
  GiveMoveOrder(tx, ty);
}

bool cJednostkaLadowa::MoveToTargetHex() {
  if (gGra == nullptr || gGra->map == nullptr) return false;
  cMapa* map = gGra->map;
  const int tx = aiUltimateTargetX, ty = aiUltimateTargetY;
  if (tx == -1 || ty == -1 || !map->IsInside(tx, ty)) return false;
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return false;
  int cx = x, cy = y;
  for (bool advanced = true; advanced;) {
    advanced = false;
    for (int d = 0; d < 6; ++d) {
      const sHex* n = map->GetNeighbourHex(cx, cy, d);
      if (n == nullptr) continue;
      if (n->x == tx && n->y == ty) {
        MarkAttackTargets(true);
        GiveMoveOrder(tx, ty);
        return true;
      }
      if (n->IsLand() && IsEnterableController(*owner, n->controller) &&
          HexDistance(n->x, n->y, tx, ty) < HexDistance(cx, cy, tx, ty)) {
        cx = n->x;
        cy = n->y;
        advanced = true;
        break;
      }
    }
  }
  return false;
}

bool cJednostka::FindFreeHexAwayFrom(int hx, int hy, int32_t taken[12], sHexEntry& out, int slot) {
  if (gGra == nullptr || gGra->map == nullptr) return false;
  MarkAttackTargets(true);
  const sHexEntry* best = nullptr;
  for (const sHexEntry& e : moveList) {
    if (HexDistance(e.x, e.y, hx, hy) == 1 || HexHoldsUnit(e.x, e.y) || e.cost >= 99999) continue;
    bool isTaken = false;
    for (int i = 0; i < 6; ++i)
      if (taken[2 * i] == e.x && taken[2 * i + 1] == e.y) isTaken = true;
    if (isTaken) continue;
    if (best == nullptr || e.cost < best->cost) best = &e;
  }
  if (best == nullptr) return false;
  out = *best;
  if (slot >= 0 && slot < 6) {
    taken[2 * slot] = best->x;
    taken[2 * slot + 1] = best->y;
  }
  return true;
}

void cJednostkaLadowa::ExecuteOrder(int order, int hx, int hy, int hops) {
  if (hops <= 1) {
    aiOrder = order;
    aiTargetX = hx;
    aiTargetY = hy;
    aiUltimateTargetX = -1;
    aiUltimateTargetY = -1;
    return;
  }
  cMiasto* start = nullptr;
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (map != nullptr && map->IsInside(supplySourceX, supplySourceY)) start = map->GetHex(supplySourceX, supplySourceY)->city;
  if (start == nullptr) start = GetRegionCity();
  const cMiasto* target = map != nullptr && map->IsInside(hx, hy) ? map->GetHex(hx, hy)->city : nullptr;
  std::list<cMiasto*> route;
  if (start != nullptr && target != nullptr && gGra->citiesDiagram.FindCityPath(start, target, countryId, route) &&
      !route.empty()) {
    aiOrder = order;
    aiTargetX = route.front()->x;
    aiTargetY = route.front()->y;
    aiUltimateTargetX = hx;
    aiUltimateTargetY = hy;
    return;
  }
  aiOrder = 0;
  aiTargetX = -1;
  aiTargetY = -1;
  LogF(L"ERROR: Nie znaleziono sciezki dla rozkazu nr %i", order);
}

int cJednostkaLadowa::GetHopsToCity(int hx, int hy) {
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  const cMiasto* target = map != nullptr && map->IsInside(hx, hy) ? map->GetHex(hx, hy)->city : nullptr;
  if (target == nullptr) {
    LogLine(L"ERROR (Returining no. of hops - land unit): City is null");
    aiOrder = 0;
    aiTargetX = aiTargetY = -1;
    aiUltimateTargetX = aiUltimateTargetY = -1;
    return -1;
  }
  const cMiasto* region = GetRegionCity();
  return region != nullptr ? region->GetHopsTo(*target) : -1;
}

bool cJednostkaLadowa::HasRetreatHex() const {
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr || gGra->map == nullptr) return false;
  for (int d = 0; d < 6; ++d) {
    const sHex* n = gGra->map->GetNeighbourHex(x, y, d);
    if (n == nullptr || n->unit != nullptr || n->controller == 0) continue;
    if (n->controller == owner->id || owner->IsAlly(n->controller) || owner->IsAtWarWith(n->controller)) return true;
  }
  return false;
}

void cJednostkaLadowa::Unfreeze() {
  freezeTime = 0;
  ResetActionPoints();
}

cMiasto* cJednostka::GetRegionCity() const {
  return gGra != nullptr ? gGra->selection.GetRegionCity(x, y) : nullptr;
}

void cJednostka::MoveStrategically(int hx, int hy) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(hx, hy)) return;
  cMapa* map = gGra->map;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\StrategicDeployLand.wav");
  if (map->IsInside(x, y) && map->GetHex(x, y)->unit == this) map->GetHex(x, y)->unit = nullptr;
  x = hx;
  y = hy;
  SetActionPoints(0);
  map->GetHex(hx, hy)->unit = this;
  cPanstwo* owner = GetCountry();
  if (owner == nullptr) return;
  if (category == kCategoryLand)
    owner->ChangeSMP(-land_tables::StrategicMoveCost(*owner, type));
  else if (category == kCategoryAir)
    owner->ChangeProductionPoints(-static_cast<double>(land_tables::AirStrategicMoveCost(*owner, type)));
}

bool cJednostkaLadowa::AiTryStrategicMove(const cMiasto* city, int& outX, int& outY) {
  if (city == nullptr || gGra == nullptr || gGra->map == nullptr || !CanMoveStrategicallyTo(*this, *city)) return false;
  LogF(L"[AI] Sprawdzamy czy jednostka o wsp[%i,%i] moze zostac przeniesiona strategicznie w poblize miasta %s [%i,%i]",
       x, y, city->name.c_str(), city->x, city->y);
  const wchar_t* refusal = L"[AI] Jednostka nie moze zostac przeniesiona strategicznie";
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr || actionPoints != startingActionPoints ||
      owner->strategicMovementPoints < land_tables::StrategicMoveCost(*owner, type)) {
    LogLine(refusal);
    return false;
  }
  cMapa* map = gGra->map;
  if (gProgramSettings.fogOfWar >= 1 && spottedLevel == 0) {
    if (!HexHoldsUnit(city->x, city->y)) {
      outX = city->x;
      outY = city->y;
      LogF(L"[AI] cheat: przenosimy jednostke prosto do miasta %s [%i,%i]", city->name.c_str(), city->x, city->y);
      return true;
    }
    for (int d = 0; d < 6; ++d) {
      const sHex* n = map->GetNeighbourHex(city->x, city->y, d);
      if (n == nullptr || n->unit != nullptr || n->controller == 0) continue;
      if (n->controller != owner->id && !owner->IsAlly(n->controller)) continue;
      outX = n->x;
      outY = n->y;
      LogF(L"[AI] cheat: przenosimy jednostke na przylegajacy do miasta %s [%i,%i] hex", city->name.c_str(), city->x,
           city->y);
      return true;
    }
  }
  LogLine(refusal);
  return false;
}
