#pragma once
// The invariants of a running world, checked after every end of turn of a
// whole game: every unit of a list stands where its hex says (and the other
// way round), no land unit stands on the sea, nothing killed is left in a
// list (no unit at strength 0 or below, no ship without hit points, in the
// map lists, the reserve pools or aboard; no sighting or commander pointing
// at a unit that has left the game), strengths stay within 0..100, ships and
// fleets point at each other, a carried unit is aboard its ship, and no
// alliance has two leaders.
// Returns one line per fault; an empty list is a consistent world.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/text.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace world_consistency {

inline std::string Describe(const cUnit* u) {
  return WideToUtf8(u->name) + " [ID " + std::to_string(u->unitId) + ", country " + std::to_string(u->countryId) +
         "]";
}

inline std::string At(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

inline std::vector<std::string> CheckWorld(const cGra& game) {
  std::vector<std::string> faults;
  auto fault = [&](std::string text) { faults.push_back(std::move(text)); };
  const cMapa* map = game.map;
  if (map == nullptr) {
    fault("the game has no map");
    return faults;
  }

  // The units of the map lists, each listed once, by the hex they claim.
  std::unordered_map<const cJednostka*, int> onMap;
  auto mapUnit = [&](const cJednostka* u, bool land, const char* list) {
    if (u == nullptr) {
      fault(std::string("a null unit in the ") + list + " list");
      return;
    }
    if (++onMap[u] > 1) fault(Describe(u) + " is listed twice");
    const int strength = u->GetStrength();
    if (strength <= 0) fault(Describe(u) + " is dead (strength " + std::to_string(strength) + ") but listed");
    if (strength > 100) fault(Describe(u) + " has strength " + std::to_string(strength) + " above 100");
    if (u->IsInReserve()) fault(Describe(u) + " is in the reserve but on the " + list + " list");
    if (!map->IsInside(u->x, u->y)) {
      fault(Describe(u) + " of the " + list + " list is off the map at " + At(u->x, u->y));
      return;
    }
    const sHex* hex = map->GetHex(u->x, u->y);
    if (land && hex->IsSea()) fault(Describe(u) + " stands on the sea hex " + At(u->x, u->y));
    if (hex->unit != u)
      fault(Describe(u) + " stands at " + At(u->x, u->y) + " but the hex holds " +
            (hex->unit == nullptr ? std::string("nothing") : Describe(hex->unit)));
  };
  for (const cJednostkaLadowa* u : game.landUnits) {
    mapUnit(u, true, "land-unit");
    if (u != nullptr && u->transport != nullptr) fault(Describe(u) + " is on the map and aboard a ship");
  }
  for (const cJednostkaLotnicza* u : game.airUnits) mapUnit(u, false, "air-unit");

  // Every hex's unit is a listed unit that stands there.
  for (int y = 0; y < map->height; ++y)
    for (int x = 0; x < map->width; ++x) {
      const cJednostka* u = map->GetHex(x, y)->unit;
      if (u == nullptr) continue;
      if (onMap.count(u) == 0)
        fault("the hex " + At(x, y) + " holds a unit that is on no map list");
      else if (u->x != x || u->y != y)
        fault("the hex " + At(x, y) + " holds " + Describe(u) + ", which stands at " + At(u->x, u->y));
    }

  // The reserve pools.
  std::unordered_set<const cUnit*> reserve;
  for (const cJednostka* u : game.reserve) {
    if (u == nullptr) {
      fault("a null unit in the reserve pool");
      continue;
    }
    if (!reserve.insert(u).second) fault(Describe(u) + " is in the reserve pool twice");
    if (onMap.count(u) != 0) fault(Describe(u) + " is in the reserve pool and on the map");
    const int strength = u->GetStrength();
    if (strength <= 0) fault(Describe(u) + " is dead but in the reserve pool");
    if (strength > 100) fault(Describe(u) + " in the reserve has strength " + std::to_string(strength));
  }

  // Ships, their fleets and their cargo.
  std::unordered_set<const cJednostkaMorska*> ships;
  std::unordered_set<const sFlota*> fleets(game.fleets.begin(), game.fleets.end());
  for (const cJednostkaMorska* s : game.navalUnits) {
    if (s == nullptr) {
      fault("a null ship in the naval-unit list");
      continue;
    }
    if (!ships.insert(s).second) fault(Describe(s) + " is listed twice");
    if (s->hitPoints <= 0) fault(Describe(s) + " is sunk but listed");
    if (s->hitPoints > s->maxHitPoints)
      fault(Describe(s) + " has " + std::to_string(s->hitPoints) + " of " + std::to_string(s->maxHitPoints) +
            " hit points");
    if (s->fleet == nullptr) {
      fault(Describe(s) + " is in no fleet");
    } else if (fleets.count(s->fleet) == 0) {
      fault(Describe(s) + " points at a fleet that is not in the game");
    } else if (std::find(s->fleet->ships.begin(), s->fleet->ships.end(), s) == s->fleet->ships.end()) {
      fault(Describe(s) + " points at fleet " + std::to_string(s->fleet->id) + ", which does not hold it");
    }
  }
  for (const sFlota* f : game.fleets)
    for (const cJednostkaMorska* s : f->ships)
      if (ships.count(s) == 0) fault("fleet " + std::to_string(f->id) + " holds a ship that is not in the game");

  auto carried = [&](const std::list<cJednostkaLadowa*>& list, int shipType, const char* name) {
    for (const cJednostkaLadowa* u : list) {
      if (u == nullptr) {
        fault(std::string("a null unit in the ") + name + " list");
        continue;
      }
      if (u->strength <= 0 || u->strength > 100)
        fault(Describe(u) + " aboard has strength " + std::to_string(u->strength));
      if (onMap.count(u) != 0) fault(Describe(u) + " is aboard and on the map");
      if (u->transport == nullptr || ships.count(u->transport) == 0) {
        fault(Describe(u) + " of the " + name + " list has no ship of the game");
        continue;
      }
      if (u->transport->carriedUnit != u) fault(Describe(u) + " is not carried by its ship " + Describe(u->transport));
      if (u->transport->type != shipType) fault(Describe(u) + " of the " + name + " list is on a ship of another type");
    }
  };
  carried(game.transportedUnits, kTypeCargo, "transported");
  carried(game.amphibiousUnits, kTypeAmphibious, "amphibious");
  for (const cJednostkaMorska* s : game.navalUnits) {
    if (s == nullptr || s->carriedUnit == nullptr) continue;
    if (s->carriedUnit->transport != s) fault(Describe(s) + " carries a unit that is not aboard it");
  }

  // The naval reserve pool.
  std::unordered_set<const cUnit*> known(reserve.begin(), reserve.end());
  for (const auto& [u, count] : onMap) known.insert(u);
  for (const cJednostkaMorska* s : ships) known.insert(s);
  for (const cJednostkaMorska* s : game.navalReserve) {
    if (s == nullptr) {
      fault("a null ship in the naval reserve pool");
      continue;
    }
    known.insert(s);
    if (s->hitPoints <= 0) fault(Describe(s) + " is sunk but in the naval reserve pool");
  }
  for (const auto* list : {&game.transportedUnits, &game.amphibiousUnits}) known.insert(list->begin(), list->end());
  // Pointers to units held elsewhere are only compared, never followed: a
  // unit killed behind their back would be freed.
  for (const cPanstwo* c : game.countries)
    for (const cUnit* u : c->airReconSightings)
      if (known.count(u) == 0) fault(WideToUtf8(c->name) + " has sighted a unit that is not in the game");
  for (const sDowodca* d : game.commanders)
    if (d != nullptr && d->unit != nullptr && known.count(d->unit) == 0)
      fault("commander " + WideToUtf8(d->name) + " is with a unit that is not in the game");

  // At most one leader per alliance, and a leader that is still in the game.
  for (int code = 4; code <= 6; ++code) {
    int leaders = 0;
    for (const cPanstwo* c : game.countries) {
      if (c->alliance != code) continue;
      ++leaders;
      if (c->active == 0) fault(WideToUtf8(c->name) + " leads alliance " + std::to_string(code) + " but is out");
    }
    if (leaders > 1) fault("alliance " + std::to_string(code) + " has " + std::to_string(leaders) + " leaders");
  }
  return faults;
}

// The faults joined for a test message, at most the first twenty.
inline std::string Summary(const std::vector<std::string>& faults) {
  std::string text;
  for (size_t i = 0; i < faults.size() && i < 20; ++i) text += "\n  " + faults[i];
  if (faults.size() > 20) text += "\n  ... and " + std::to_string(faults.size() - 20) + " more";
  return text;
}

}  // namespace world_consistency
