// Effects that move, freeze, remove, damage and hand over existing units,
// change the effectiveness events give land units, and add or remove
// convoys.
#include <vector>

#include "core/console.h"
#include "core/random.h"
#include "core/text.h"
#include "events/effect_support.h"
#include "events/effect_table.h"
#include "units/reserve_pool.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"
#include "world/sea_graph.h"

using effects::CountryParam;
using effects::D;
using effects::HexParam;
using effects::P;

namespace {

constexpr int kShipDestroyedReport = 33;

cJednostkaLadowa* LandUnitOn(const sEfekt& e) {
  const sHex* hex = HexParam(e, 0, 1);
  return hex != nullptr ? dynamic_cast<cJednostkaLadowa*>(hex->unit) : nullptr;
}

void Freeze(const sEfekt& e, bool onlyOfCountry) {
  cJednostkaLadowa* u = LandUnitOn(e);
  if (u == nullptr || (onlyOfCountry && u->countryId != D(e, 3))) return;
  u->freezeTime = P(e, 2);
}

// The cities on two hexes for the convoy effects; false when either hex
// holds none.
bool ConvoyCities(const sEfekt& e, int k, cMiasto*& from, cMiasto*& to) {
  from = effects::CityParam(e, k, k + 1);
  to = effects::CityParam(e, k + 2, k + 3);
  return from != nullptr && to != nullptr;
}

}  // namespace

// The convoy effects go to the game's convoy manager; a game without one
// (tests of other effects) only logs what would have been done.
void AddEventConvoy(int country, int kind, int value, cMiasto& from, cMiasto& to) {
  if (gGra != nullptr && gGra->convoys != nullptr) {
    gGra->convoys->AddConvoyBetweenCities(country, kind, value, from.x, from.y, to.x, to.y);
    return;
  }
  LogF(L"Convoy of country %i (kind %i, value %i) from %s to %s not added: no convoy manager", country, kind, value,
       from.name.c_str(), to.name.c_str());
}

void RemoveEventConvoys(int country, int kind, cMiasto& from, cMiasto& to) {
  if (gGra != nullptr && gGra->convoys != nullptr) {
    gGra->convoys->RemoveConvoy(country, kind, from.x, from.y, to.x, to.y);
    return;
  }
  LogF(L"Convoys of country %i (kind %i) from %s to %s not removed: no convoy manager", country, kind,
       from.name.c_str(), to.name.c_str());
}

void EffectUnit_Teleport(const sEfekt& e) {
  const sHex* hex = HexParam(e, 0, 1);
  if (hex != nullptr && hex->unit != nullptr) hex->unit->Teleport(P(e, 2), P(e, 3));
}

void EffectUnit_Freeze(const sEfekt& e) { Freeze(e, false); }

void EffectUnit_FreezeIfOwnedByCountry(const sEfekt& e) { Freeze(e, true); }

void EffectUnit_Unfreeze(const sEfekt& e) {
  if (cJednostkaLadowa* u = LandUnitOn(e)) u->Unfreeze();
}

void EffectUnit_Remove(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int country = P(e, 0);
  const int type = P(e, 1);
  const int id = P(e, 2);
  auto matches = [&](const cUnit* u) { return (country <= 0 || u->countryId == country) && (type == -1 || u->type == type); };
  if (id >= 0) {
    for (cJednostkaLadowa* u : gGra->landUnits)
      if (u->unitId == id && matches(u)) {
        u->Kill();
        return;
      }
    for (cJednostkaLotnicza* u : gGra->airUnits)
      if (u->unitId == id && matches(u)) {
        u->Kill();
        return;
      }
    return;
  }
  std::vector<cJednostka*> candidates;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (matches(u)) candidates.push_back(u);
  for (cJednostkaLotnicza* u : gGra->airUnits)
    if (matches(u)) candidates.push_back(u);
  if (!candidates.empty()) candidates[static_cast<size_t>(RandomIndex(static_cast<int>(candidates.size())))]->Kill();
}

void EffectHex_KillUnit(const sEfekt& e) {
  const sHex* hex = HexParam(e, 0, 1);
  if (hex != nullptr && hex->unit != nullptr) hex->unit->Kill();
}

void EffectCountry_UnFreezeAllUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->UnFreezeAllUnits();
}

void EffectCountry_SetFreezeLevelForAllFreezedUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->SetFreezeLevelForAllFreezedUnits(P(e, 1));
}

void EffectCountry_KillAllLandUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->KillAllLandUnits();
}

void EffectCountry_KillAllAirUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->KillAllAirUnits();
}

void EffectCountry_KillAllNavalUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->KillAllNavalUnits();
}

void EffectCountry_KillAllUnitsInReserve(const sEfekt& e) { KillAllUnitsInReserve(P(e, 0)); }

void EffectCountry_ChangeOwnershipOfAllNavalUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeOwnershipOfAllNavalUnits(P(e, 1));
}

void EffectCountry_ChangeOwnershipOfAllAirUnits(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeOwnershipOfAllAirUnits(P(e, 1));
}

void EffectCountry_ChangeEffectivityOfAllUnits(const sEfekt& e) {
  if (gGra != nullptr) gGra->ChangeEffectivityOfAllUnits(P(e, 0), P(e, 1), P(e, 2));
}

void EffectArea_ChangeEffectivityOfAllUnits(const sEfekt& e) {
  if (gGra != nullptr) gGra->ChangeAreaEffectivityOfAllUnits(P(e, 0), P(e, 1), P(e, 2), P(e, 3), P(e, 4), P(e, 5));
}

// The ships of every country in the zone are hit: param0 names a country
// but restricts nothing, as scenarios written for this effect expect.
void EffectCountry_DamageRandomShipsInSeaZone(const sEfekt& e) {
  sWezelGrafuMorz* node = effects::SeaNodeParam(e, 1);
  if (gGra == nullptr || node == nullptr) return;
  const double low = D(e, 2);
  const double high = D(e, 3);
  std::vector<cJednostkaMorska*> sunk;
  for (cJednostkaMorska* s : gGra->navalUnits) {
    if (s->fleet == nullptr || s->fleet->seaNode != node->id) continue;
    const double r = RandomFloat01();
    s->hitPoints -= EventInt(s->hitPoints * (low + r * (high - low)));
    if (s->hitPoints <= 0) sunk.push_back(s);
  }
  for (cJednostkaMorska* s : sunk) {
    AddReport(kShipDestroyedReport, s->fleet->countryId,
              WFormat(L"%s\n%s;(no data);%s\nEvent", s->name.c_str(), s->fleet->name.c_str(), node->name.c_str()));
    s->Kill(true);
  }
  node->CalcNavalVisibility(false);
}

void EffectCountry_AddConvoy(const sEfekt& e) {
  cMiasto* from = nullptr;
  cMiasto* to = nullptr;
  if (ConvoyCities(e, 3, from, to)) AddEventConvoy(P(e, 0), P(e, 1), P(e, 2), *from, *to);
}

void EffectCountry_RemoveConvoy(const sEfekt& e) {
  cMiasto* from = nullptr;
  cMiasto* to = nullptr;
  if (ConvoyCities(e, 2, from, to)) RemoveEventConvoys(P(e, 0), P(e, 1), *from, *to);
}
