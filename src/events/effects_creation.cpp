// Effects that create land units, air units, ships, transport fleets,
// artificial harbours and commanders.
#include <algorithm>
#include <cstdint>

#include "core/console.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "events/effect_support.h"
#include "events/effect_table.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"
#include "world/strategic_moves.h"

using effects::D;
using effects::HexAt;
using effects::P;

namespace {

constexpr int kPartisanTries = 30;
constexpr int kPartisanReach = 5;
constexpr int kFleetOrderInvasion = 2;
// A unit made by an event is seen by every side at once.
constexpr int kFreshSpottedLevel = 6;

// The supply level a country gives its new units.
int NewUnitSupply(const cPanstwo* owner) { return owner != nullptr ? owner->consts.reserveSupplyLevel : 0; }
// The harbour's price is the first value of constant 135.
double HarbourCost(const cPanstwo& owner) { return owner.consts.c135[0]; }

// The values every unit made by an event starts with.
void FreshUnit(cJednostka& u, int country, const std::wstring& name, int x, int y, int type, int level) {
  u.countryId = country;
  u.SetName(name);
  u.x = x;
  u.y = y;
  u.SetType(type);
  u.level = level;
  u.actionPoints = 0;
  u.startingActionPoints = 0;
  u.attacked = 0;
  u.wasAttacked = 0;
  u.commander = nullptr;
  u.inReserve = 0;
  u.spottedLevel = kFreshSpottedLevel;
  u.availableInTurns = 0;
}

void FreshLandOrders(cJednostkaLadowa& u) {
  u.freezeTime = 0;
  u.aiOrder = 0;
  u.aiTargetX = u.aiTargetY = -1;
  u.aiUltimateTargetX = u.aiUltimateTargetY = -1;
  u.transport = nullptr;
  u.SetAssignedCommander(nullptr);
}

cJednostkaLadowa* NewLandUnit(int country, const std::wstring& name, int x, int y, int type, int level, int strength) {
  auto* u = new cJednostkaLadowa();
  FreshUnit(*u, country, name, x, y, type, level);
  FreshLandOrders(*u);
  u->strength = std::clamp(strength, 1, 100);
  u->SetSupplyLevel(NewUnitSupply(u->GetCountry()));
  u->UpdateEffectiveness();
  return u;
}

// A fresh land unit on the hex, in the land-unit list.
void PlaceLandUnit(cJednostkaLadowa* u, sHex& hex) {
  u->inReserve = 0;
  u->aiTargetX = u->aiTargetY = -1;
  u->SetActionPoints(0);
  gGra->landUnits.push_back(u);
  hex.unit = u;
}

void PutInReserve(cJednostka* u) {
  u->inReserve = 1;
  u->x = u->y = -1;
  gGra->reserve.push_back(u);
}

int MaxHitPoints(const cPanstwo* owner, int type) {
  return owner != nullptr ? owner->consts.shipHitPoints[naval_values::TypeIndex(type)] : 0;
}

cJednostkaMorska* NewShip(int country, int type, const std::wstring& name, int hitPoints) {
  auto* s = new cJednostkaMorska();
  s->unitId = gGra->NextNavalUnitId();
  s->countryId = country;
  s->SetType(type);
  s->SetName(name);
  s->hitPoints = hitPoints;
  s->maxHitPoints = MaxHitPoints(s->GetCountry(), type);
  s->fleet = nullptr;
  s->carriedUnit = nullptr;
  s->shoreBombardmentDone = 0;
  s->airstrikeDone = 0;
  s->reconDone = 0;
  s->canBeRepaired = 1;
  s->availableInTurns = 0;
  s->commander = nullptr;
  return s;
}

sFlota* NewFleet(int country, int node) {
  auto* f = new sFlota();
  f->id = ++gGra->nextFleetNumber;
  f->countryId = country;
  f->seaNode = node;
  f->formation = 0;
  f->hasMoved = 0;
  f->SetName(WFormat(Txt("new_transporter_fleet_#%i").c_str(), f->id));
  gGra->fleets.push_back(f);
  return f;
}

// The three ways of putting a land unit to sea on a new ship.
enum class eAtSea { kJoin, kNewFleet, kLanding };

void LandUnitAtSea(const sEfekt& e, eAtSea how) {
  sWezelGrafuMorz* node = effects::SeaNodeParam(e, 0);
  if (gGra == nullptr || node == nullptr) return;
  const int shipType = P(e, 1);
  const int country = P(e, 2);
  // The invasion hex is looked up before anything is made.
  const sHex* invasion = nullptr;
  if (how == eAtSea::kLanding && (invasion = HexAt(e, P(e, 6), P(e, 7))) == nullptr) return;
  bool allowed = !node->IsPort();
  if (node->IsPort()) {
    const sHex* main = gGra->map != nullptr && gGra->map->IsInside(node->mainX, node->mainY)
                           ? gGra->map->GetHex(node->mainX, node->mainY)
                           : nullptr;
    allowed = main != nullptr && main->controller == country;
  }
  // Only cargo and amphibious ships carry land units; a unit aboard any
  // other ship could never be unloaded nor killed.
  if (allowed && shipType != kTypeCargo && shipType != kTypeAmphibious) {
    LogF(L"Effect %s at line %i: ship type %i carries no land unit; skipped", e.method.c_str(), e.line, shipType);
    allowed = false;
  }
  if (allowed) {
    cJednostkaLadowa* land = NewLandUnit(country, e.paramStrings[0], -1, -1, P(e, 3), P(e, 4), P(e, 5));
    cJednostkaMorska* ship = NewShip(country, shipType, e.paramStrings[0], 0);
    ship->hitPoints = ship->maxHitPoints;
    ship->carriedUnit = land;
    ship->inReserve = 0;
    gGra->navalUnits.push_back(ship);

    sFlota* fleet = nullptr;
    if (how == eAtSea::kJoin) {
      for (sFlota* f : gGra->fleets)
        if (f->countryId == country && f->seaNode == node->id) {
          fleet = f;
          break;
        }
      if (fleet == nullptr) fleet = NewFleet(country, node->id);
    } else if (how == eAtSea::kNewFleet) {
      fleet = NewFleet(country, node->id);
      fleet->destinationNode = P(e, 6);
      fleet->order = P(e, 7);
    } else {
      for (sFlota* f : gGra->fleets)
        if (f->countryId == country && f->seaNode == node->id && f->order == kFleetOrderInvasion &&
            f->invasionX == P(e, 6) && f->invasionY == P(e, 7)) {
          fleet = f;
          break;
        }
      if (fleet == nullptr) {
        fleet = NewFleet(country, node->id);
        fleet->order = kFleetOrderInvasion;
        fleet->invasionX = P(e, 6);
        fleet->invasionY = P(e, 7);
        fleet->destinationNode = invasion->seaZone != 0 ? invasion->seaZone : -1;
        if (invasion->seaZone == 0)
          LogF(L"Nieprawidłowy event SeaNode.AddLandingLandUnit: chce inwazji na hex %d, %d ktory jest srodladowy",
               P(e, 6), P(e, 7));
      }
    }
    fleet->ships.push_back(ship);
    ship->fleet = fleet;
    land->x = land->y = -1;
    land->transport = ship;
    (shipType == kTypeCargo ? gGra->transportedUnits : gGra->amphibiousUnits).push_back(land);
  }
  if (how != eAtSea::kLanding) {
    node->CalcNavalVisibility(false);
    return;
  }
  // With no other human to lead the play order the graph's own viewer sees.
  if (const cPanstwo* leader = gGra->selection.BuildCountryOrder(gGra->countries))
    node->CalcNavalVisibilityFor(leader->id, false);
  else
    node->CalcNavalVisibility(false);
}

}  // namespace

void EffectHex_AddLandUnit(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int x = P(e, 0);
  const int y = P(e, 1);
  sHex* hex = nullptr;
  if (x != -1 || y != -1) {
    hex = HexAt(e, x, y);
    if (hex == nullptr || hex->unit != nullptr || !hex->IsLand()) return;
  }
  cJednostkaLadowa* u = NewLandUnit(P(e, 2), e.paramStrings[0], x, y, P(e, 3), P(e, 4), P(e, 5));
  if (hex == nullptr)
    PutInReserve(u);
  else
    PlaceLandUnit(u, *hex);
}

void EffectHex_AddUnitAndPassControlOverHexIfEmpty(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int x = P(e, 0);
  const int y = P(e, 1);
  if (x == -1 || y == -1) return;
  sHex* hex = HexAt(e, x, y);
  if (hex == nullptr || hex->unit != nullptr) return;
  PlaceLandUnit(NewLandUnit(P(e, 2), e.paramStrings[0], x, y, P(e, 3), P(e, 4), P(e, 5)), *hex);
  hex->SetController(P(e, 2));
}

void EffectCity_FirePartisans(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int x0 = P(e, 0);
  const int y0 = P(e, 1);
  const int country = P(e, 2);
  if (x0 == -1 || y0 == -1) return;
  const sHex* city = HexAt(e, x0, y0);
  if (city == nullptr || city->controller == country) return;
  cMapa& map = *gGra->map;
  for (int attempt = 0; attempt < kPartisanTries; ++attempt) {
    const int x = RandomInRange(x0 - kPartisanReach, x0 + kPartisanReach + 1);
    const int y = RandomInRange(y0 - kPartisanReach, y0 + kPartisanReach + 1);
    if (!map.IsInside(x, y)) continue;
    sHex* hex = map.GetHex(x, y);
    if (hex->unit != nullptr || hex->controller != city->controller || x == x0 || y == y0) continue;
    if (HexDistance(x0, y0, x, y) > kPartisanReach || !hex->IsLand()) continue;
    if (!AreHexesInSameTopographyGroup(x0, y0, x, y)) continue;
    PlaceLandUnit(NewLandUnit(country, e.paramStrings[0], x, y, P(e, 3), P(e, 4), P(e, 5)), *hex);
    hex->SetController(country);
    return;
  }
}

void EffectHex_AddAirUnit(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int x = P(e, 1);
  const int y = P(e, 2);
  sHex* hex = nullptr;
  if (x != -1 || y != -1) {
    hex = HexAt(e, x, y);
    if (hex == nullptr) return;
    if (hex->unit != nullptr) hex = nullptr;  // an occupied base sends it to the reserve
  }
  auto* u = new cJednostkaLotnicza();
  FreshUnit(*u, P(e, 0), e.paramStrings[0], x, y, P(e, 3), P(e, 4));
  u->strength = P(e, 5);
  u->SetSupplyLevel(NewUnitSupply(u->GetCountry()));
  u->UpdateEffectiveness();
  if (hex == nullptr) {
    PutInReserve(u);
    return;
  }
  u->SetActionPoints(0);
  gGra->airUnits.push_back(u);
  hex->unit = u;
}

void EffectHex_AddNavalUnit(const sEfekt& e) {
  if (gGra == nullptr) return;
  cJednostkaMorska* s = NewShip(P(e, 0), P(e, 1), e.paramStrings[0], 0);
  s->hitPoints = s->maxHitPoints;
  s->inReserve = 1;
  gGra->navalReserve.push_back(s);
}

void EffectSeaNode_AddNavalUnit(const sEfekt& e) {
  sWezelGrafuMorz* node = effects::SeaNodeParam(e, 0);
  if (gGra == nullptr || node == nullptr) return;
  const int country = P(e, 1);
  cJednostkaMorska* s = NewShip(country, P(e, 2), e.paramStrings[0], 0);
  if (!IsDefined(e.params[3])) {
    LogF(L"ERROR: param%i for effect at line %i is not defined!", 3, e.line);
    s->hitPoints = s->maxHitPoints;
  } else {
    // A ship starts afloat: at least one hit point.
    s->hitPoints = std::max(1, std::min(P(e, 3), s->maxHitPoints));
  }
  s->inReserve = 1;
  gGra->navalReserve.push_back(s);
  if (node->IsPort()) {
    const sHex* main = gGra->map != nullptr && gGra->map->IsInside(node->mainX, node->mainY)
                           ? gGra->map->GetHex(node->mainX, node->mainY)
                           : nullptr;
    if (main != nullptr && main->controller == country) s->DeployAtSeaNode(node->id);
  } else {
    s->AssignToSeaNode(node->id);
  }
  node->CalcNavalVisibility(false);
}

void EffectSeaNode_AddLandUnit(const sEfekt& e) { LandUnitAtSea(e, eAtSea::kJoin); }

void EffectSeaNode_AddLandUnitWithDest(const sEfekt& e) { LandUnitAtSea(e, eAtSea::kNewFleet); }

void EffectSeaNode_AddLandingLandUnit(const sEfekt& e) { LandUnitAtSea(e, eAtSea::kLanding); }

void EffectHex_AddMulberry(const sEfekt& e) {
  cPanstwo* owner = effects::CountryParam(e, 0);
  if (gGra == nullptr || owner == nullptr) return;
  const int x = P(e, 1);
  const int y = P(e, 2);
  sHex* hex = HexAt(e, x, y);
  if (hex == nullptr) return;
  if (hex->unit != nullptr) {
    owner->ChangeProductionPoints(0.5 * HarbourCost(*owner));
    return;
  }
  auto* h = new cMulberry();
  FreshUnit(*h, owner->id, e.paramStrings[0], x, y, kTypeMulberry, 1);
  FreshLandOrders(*h);
  h->strength = static_cast<int32_t>(owner->consts.newMulberryStrength);
  h->monthsLeft = static_cast<int32_t>(owner->consts.newMulberryMonths);
  h->SetSupplyLevel(NewUnitSupply(owner));
  h->UpdateEffectiveness();
  h->aiTargetX = h->aiTargetY = -1;
  h->SetActionPoints(0);
  h->ResetActionPoints();
  gGra->landUnits.push_back(h);
  hex->unit = h;
  LogF(L"Mulberry  \"%s\" created at (%d, %d) for country %s", h->name.c_str(), x, y, owner->name.c_str());
}

void EffectCommander_AddNew(const sEfekt& e) {
  if (gGra == nullptr) return;
  auto* c = new sDowodca();
  c->id = gGra->commanders.empty() ? 1 : gGra->commanders.back()->id + 1;
  c->name = e.paramStrings[0].substr(0, sDowodca::kMaxNameLength);
  c->countryId = P(e, 0);
  c->type = 0;
  c->skill = P(e, 1);
  c->experience = P(e, 2);
  c->state = 0;
  gGra->commanders.push_back(c);
}
