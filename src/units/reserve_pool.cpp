// The reserve pool: where reserve units may be placed, their deployment,
// taking units off the map into the pool, and the removal of land and air
// units from the game.
#include <algorithm>
#include <list>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "units/reserve_pool.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// A computer-run country outside a play-by-mail game places units next to
// cities cut off by sea as well.
bool IgnoresCutOff(const cPanstwo& owner) { return owner.humanControlled == 0 && owner.pbemPlayerId < 1; }

// The one rule of the cities by which the owner places reserve units, shared
// by the marking and the deployment so that every marked hex is accepted.
bool IsPlacementCity(const cMiasto& city, const cPanstwo& owner, bool atWar) {
  if (city.type == kCityResources) return false;
  const sHex* hex = city.GetHex();
  if (hex == nullptr || hex->controller != owner.id || hex->owner != owner.id) return false;
  if (!atWar) return true;
  if (city.GetSupplyFor(owner.id) < owner.consts.reserveSupplyLevel / 2) return false;
  return !city.IsCutOffFor(owner.id) || IgnoresCutOff(owner);
}

// A free land hex the owner controls and owns, next to a placement city.
bool IsFreeOwnHex(const sHex& hex, int country) {
  return hex.IsLand() && hex.unit == nullptr && hex.controller == country && hex.owner == country;
}

// Takes the unit off every country's list of air reconnaissance sightings.
void ForgetSightings(cUnit* unit) {
  for (cPanstwo* c : gGra->countries) c->airReconSightings.remove(unit);
}

// The attached commander is free again and on his way to headquarters.
void ReleaseCommander(cUnit* unit) {
  if (unit->commander == nullptr) return;
  unit->commander->state = 1;
  unit->commander->unit = nullptr;
  unit->commander = nullptr;
}

void ClearHexOf(const cJednostka* unit) {
  cMapa* map = gGra->map;
  if (map == nullptr || !map->IsInside(unit->x, unit->y)) return;
  sHex* hex = map->GetHex(unit->x, unit->y);
  if (hex->unit == unit) hex->unit = nullptr;
}

}  // namespace

bool IsReservePlacementCity(const cMiasto& city, const cPanstwo& owner) {
  return IsPlacementCity(city, owner, owner.IsAtWarWithAnyone());
}

sHexPoint FindReservePlacementHex(const cMiasto& city, const cPanstwo& owner) {
  if (gGra == nullptr || gGra->map == nullptr || !IsReservePlacementCity(city, owner)) return {-1, -1};
  cMapa* map = gGra->map;
  if (city.GetHex()->unit == nullptr) return {city.x, city.y};
  for (int d = 0; d < 6; ++d) {
    if (!map->HasNeighbour(city.x, city.y, d)) continue;
    const sHex* n = map->GetNeighbourHex(city.x, city.y, d);
    if (IsFreeOwnHex(*n, owner.id)) return {n->x, n->y};
  }
  return {-1, -1};
}

int cJednostka::MarkPlacementHexes(bool mark) const {
  const cPanstwo* owner = GetCountry();
  if (gGra == nullptr || gGra->map == nullptr || owner == nullptr) return 0;
  cMapa* map = gGra->map;
  const bool atWar = owner->IsAtWarWithAnyone();
  int count = 0;
  auto take = [&](sHex& hex) {
    ++count;
    if (mark) hex.SetMark(kMarkPlacement, -1);
  };
  for (const cMiasto* city : gGra->cities) {
    if (!IsPlacementCity(*city, *owner, atWar)) continue;
    sHex* own = city->GetHex();
    if (own->unit == nullptr) take(*own);
    for (int d = 0; d < 6; ++d) {
      if (!map->HasNeighbour(city->x, city->y, d)) continue;
      sHex* n = map->GetNeighbourHex(city->x, city->y, d);
      if (IsFreeOwnHex(*n, owner->id)) take(*n);
    }
  }
  return count;
}

bool cJednostka::LeaveReservePool() {
  auto it = std::find(gGra->reserve.begin(), gGra->reserve.end(), this);
  if (it == gGra->reserve.end()) return false;
  gGra->reserve.erase(it);
  return true;
}

bool cJednostka::Deploy(int hx, int hy) {
  const cPanstwo* owner = GetCountry();
  if (gGra == nullptr || gGra->map == nullptr || owner == nullptr) return false;
  cMapa* map = gGra->map;
  auto* land = dynamic_cast<cJednostkaLadowa*>(this);
  auto* air = dynamic_cast<cJednostkaLotnicza*>(this);
  if ((category == kCategoryLand && land == nullptr) || (category != kCategoryLand && air == nullptr) ||
      std::find(gGra->reserve.begin(), gGra->reserve.end(), this) == gGra->reserve.end()) {
    LogF(L"Error while deploying unit: %s (ID=%i) is no reserve unit of its kind", name.c_str(), unitId);
    return false;
  }

  // The placement hex and the city that supplies it, by the marking's rule:
  // a free placement city, or a free own hex next to one (the last such city
  // in direction order).
  const bool atWar = owner->IsAtWarWithAnyone();
  const cMiasto* supplyCity = nullptr;
  sHex* hex = map->IsInside(hx, hy) ? map->GetHex(hx, hy) : nullptr;
  if (hex != nullptr && hex->unit == nullptr) {
    if (hex->city != nullptr && IsPlacementCity(*hex->city, *owner, atWar)) {
      supplyCity = hex->city;
    } else if (IsFreeOwnHex(*hex, owner->id)) {
      for (int d = 0; d < 6; ++d) {
        if (!map->HasNeighbour(hx, hy, d)) continue;
        const cMiasto* city = map->GetNeighbourHex(hx, hy, d)->city;
        if (city != nullptr && IsPlacementCity(*city, *owner, atWar)) supplyCity = city;
      }
    }
  }
  if (supplyCity == nullptr) {
    LogF(L"Error while deploying unit: cant find appropriate city near (%i,%i)", hx, hy);
    return false;
  }

  SetSupplySourceX(supplyCity->x);
  SetSupplySourceY(supplyCity->y);
  SetSupplyLevel(supplyCity->GetSupplyFor(owner->id));

  cGameLockGuard lock(__FILE__, __LINE__);
  LeaveReservePool();
  if (land != nullptr) {
    land->turnsFromLastParadrop = 0;
    gGra->landUnits.push_back(land);
  } else {
    gGra->airUnits.push_back(air);
  }
  inReserve = 0;
  hex->unit = this;
  x = hx;
  y = hy;
  if (land != nullptr) land->deployedThisTurn = 1;
  return true;
}

// ---- into the reserve pool ---------------------------------------------------

namespace {
// Takes a unit off the map and out of its list into the reserve pool.
template <class Unit>
int MoveIntoReservePool(Unit* unit, std::list<Unit*> cGra::*mapList) {
  LogF(L"map --> reserve pool: %s", unit->name.c_str());
  if (gGra == nullptr) return -1;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    ClearHexOf(unit);
    (gGra->*mapList).remove(unit);
    if (std::find(gGra->reserve.begin(), gGra->reserve.end(), unit) == gGra->reserve.end())
      gGra->reserve.push_back(unit);
  }
  unit->inReserve = 1;
  unit->x = -1;
  unit->y = -1;
  // A unit in the pool holds the reserve's supply level, as a bought one and
  // one read from a save do; else a save and its reload would disagree.
  const cPanstwo* owner = unit->GetCountry();
  unit->SetSupplyLevel(owner != nullptr ? owner->consts.reserveSupplyLevel : gGra->consts.reserveSupplyLevel);
  unit->UpdateEffectiveness();
  return -1;
}
}  // namespace

// ---- land units ------------------------------------------------------------

int cJednostkaLadowa::MarkMoveRange(bool mark) {
  if (mark && gGra != nullptr && gGra->map != nullptr) gGra->map->ClearMarks(static_cast<uint32_t>(-2), false);
  return MarkPlacementHexes(mark);
}

int cJednostkaLadowa::MoveToReservePool() {
  return MoveIntoReservePool(this, &cGra::landUnits);
}

void cJednostkaLadowa::Kill() { Destroy(true); }

void cJednostkaLadowa::KillKeepingListEntry() { Destroy(false); }

void cJednostkaLadowa::Destroy(bool eraseListEntry) {
  if (gGra != nullptr) {
    ForgetSightings(this);
    ReleaseCommander(this);
    if (transport == nullptr) {
      cGameLockGuard lock(__FILE__, __LINE__);
      ClearHexOf(this);
      if (eraseListEntry) gGra->landUnits.remove(this);
    } else {
      if (transport->type == kTypeCargo)
        gGra->transportedUnits.remove(this);
      else if (transport->type == kTypeAmphibious)
        gGra->amphibiousUnits.remove(this);
      else
        FatalExit(L"Data integrity error. Trying to kill unit loaded into non-transport.");
      // No ship may keep a reference to a destroyed unit.
      if (transport->carriedUnit == this) transport->carriedUnit = nullptr;
    }
    // A reserve unit killed by an event leaves the pool as well.
    LeaveReservePool();
  }
  delete this;
}

// ---- air units -------------------------------------------------------------

int cJednostkaLotnicza::MarkMoveRange(bool mark) {
  if (mark && gGra != nullptr && gGra->map != nullptr) gGra->map->ClearMarks(kMarkPlacement, false);
  return MarkPlacementHexes(mark);
}

int cJednostkaLotnicza::MoveToReservePool() {
  return MoveIntoReservePool(this, &cGra::airUnits);
}

void cJednostkaLotnicza::Kill() {
  if (gGra != nullptr) {
    ForgetSightings(this);
    ReleaseCommander(this);
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      ClearHexOf(this);
      gGra->airUnits.remove(this);
      // A rebase of a unit that is gone can be undone no more.
      if (gGra->selection.undoUnit == this) gGra->selection.undoUnit = nullptr;
    }
    LeaveReservePool();
  }
  delete this;
}

// ---- a country's reserve emptied ------------------------------------------------

namespace {
// Frees the pool's units of the country and keeps the rest in order. A
// commander with one of them is left without a unit rather than with a
// freed one.
template <class Unit>
void KillCountryUnitsOfPool(std::vector<Unit*>& pool, int country) {
  std::vector<Unit*> kept;
  kept.reserve(pool.size());
  for (Unit* unit : pool) {
    if (unit->countryId != country) {
      kept.push_back(unit);
      continue;
    }
    if (unit->commander != nullptr && unit->commander->unit == unit) unit->commander->unit = nullptr;
    delete unit;
  }
  pool.swap(kept);
}
}  // namespace

void KillAllUnitsInReserve(int country) {
  if (gGra != nullptr) KillCountryUnitsOfPool(gGra->reserve, country);
}

void KillAllNavalUnitsInReserve(int country) {
  if (gGra != nullptr) KillCountryUnitsOfPool(gGra->navalReserve, country);
}
