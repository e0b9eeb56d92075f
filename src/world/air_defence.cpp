// What a country's side can put in the air over a hex and the enemy's
// against it, the unit that defends the country's hex against an air
// attack, which units the country sees, and its unit counts.
#include <algorithm>
#include <utility>
#include <vector>

#include "core/console.h"
#include "core/random.h"
#include "core/settings.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/interceptor_pick.h"
#include "world/sea_graph.h"

namespace {

const sHex* HexAt(int x, int y) {
  const cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  return map != nullptr && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
}

// The sum of the strength values of the fighters the test admits within
// reach, truncated to an integer after each addition.
template <class Admit>
int SumFighters(int x, int y, int reach, Admit admit) {
  int sum = 0;
  for (const cJednostkaLotnicza* u : gGra->airUnits) {
    if (u->type != kTypeFighter || !admit(u->countryId) || HexDistance(u->x, u->y, x, y) > reach) continue;
    sum = static_cast<int>(static_cast<float>(sum) + u->GetStrengthValue());
  }
  return sum;
}

// Carriers strong enough to fly that stand on the node with a country the
// test admits, in the order of the naval-unit list.
template <class Visit>
void ForEachCarrierAt(int node, int minHitPoints, Visit visit) {
  for (cJednostkaMorska* ship : gGra->navalUnits) {
    if (ship->type != kTypeCarrier || ship->fleet == nullptr || ship->fleet->seaNode != node) continue;
    if (ship->hitPoints < minHitPoints) continue;
    visit(ship);
  }
}

// Rows of the two statistics blocks by unit type; -1 for a type not counted.
int DisplayRow(int type) {
  if (type >= 0 && type <= 6) return type;
  switch (type) {
    case kTypeStrategicBomber: return 7;
    case kTypeTacticalBomber: return 8;
    case kTypeFighter: return 9;
    case kTypeCruiser: return 10;
    case kTypeBattleship: return 11;
    case kTypeCarrier: return 12;
    case kTypeSubmarine: return 13;
    case kTypeCargo: return 14;
    case kTypeAmphibious: return 15;
    default: return -1;
  }
}

int TypeOrderRow(int type) {
  if (type >= 0 && type <= 6) return type;
  if (type >= kTypeFighter && type <= kTypeStrategicBomber) return 7 + (type - kTypeFighter);
  if (type >= kTypeCarrier && type <= kTypeAmphibious) return 10 + (type - kTypeCarrier);
  return -1;
}

void Count(sUnitStatistics& record, int type, int column) {
  if (const int row = DisplayRow(type); row >= 0) ++record.counters[2 * row + column];
  if (const int row = TypeOrderRow(type); row >= 0) ++record.counters[sUnitStatistics::kSecondBlock + 2 * row + column];
}

}  // namespace

int cPanstwo::GetFighterReach() const {
  return static_cast<int>(air_values::RangeFactor(consts, techLevels[3]) *
                          static_cast<float>(air_values::BaseOperationalRange(consts, kTypeFighter)));
}

int cPanstwo::SumFriendlyFighterStrengthAt(int x, int y) const {
  if (gGra == nullptr) return 0;
  return SumFighters(x, y, GetFighterReach(), [this](int c) { return c == id || IsAlly(c); });
}

int cPanstwo::SumEnemyAirDefenceAt(int x, int y) const {
  const sHex* hex = HexAt(x, y);
  if (hex == nullptr) return 0;
  if (hex->IsSea()) {
    if (hex->seaZone == 0) return 0;
    int sum = 0;
    ForEachCarrierAt(hex->seaZone, consts.carrierMinHitPoints, [&](const cJednostkaMorska* ship) {
      if (IsAtWarWith(ship->countryId)) sum += ship->hitPoints;
    });
    return sum;
  }
  return SumFighters(x, y, GetFighterReach(), [this](int c) { return IsAtWarWith(c); });
}

float cPanstwo::GetAirSuperiorityRatio(int x, int y) const {
  const int enemy = SumEnemyAirDefenceAt(x, y);
  if (enemy == 0) return -1.0f;
  return static_cast<float>(SumFriendlyFighterStrengthAt(x, y)) / static_cast<float>(enemy);
}

cUnit* cPanstwo::FindInterceptor(int x, int y) const {
  cInterceptorPick pick;
  const sHex* hex = HexAt(x, y);
  if (hex != nullptr && hex->IsLand()) {
    LogF(L"Searching for interceptor while attacking hex (%i, %i / land)", x, y);
    for (cJednostkaLotnicza* u : gGra->airUnits) {
      if (u->type != kTypeFighter || (u->countryId != id && !IsAlly(u->countryId))) continue;
      if (HexDistance(u->x, u->y, x, y) > u->GetOperationalRange() || !FighterStrongEnoughToIntercept(consts, *u))
        continue;
      pick.Consider(u, FighterInterceptionPower(consts, *u));
    }
  } else if (hex != nullptr && hex->seaZone != 0) {
    const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(hex->seaZone);
    LogF(L"Searching for interceptor while attacking hex (%i, %i / sea node: %s)", x, y,
         node != nullptr ? node->name.c_str() : L"");
    ForEachCarrierAt(hex->seaZone, consts.carrierMinHitPoints, [&](cJednostkaMorska* ship) {
      if (IsAtWarWith(ship->countryId)) pick.Consider(ship, ship->hitPoints);
    });
  }
  LogLine(pick.Best() != nullptr ? L"Searching for interceptor finished"
                                 : L"Searching for interceptor finished, no interceptor found");
  return pick.Best();
}

void cPanstwo::RecalculateUnitsVisibility(int viewer) {
  LogLine(L"Recalculating units visibility");
  if (gGra == nullptr) return;
  if (gProgramSettings.fogOfWar == 0) {
    for (cJednostkaLadowa* u : gGra->landUnits) u->spottedLevel = 6;
    for (cJednostkaLotnicza* u : gGra->airUnits) u->spottedLevel = 6;
  } else {
    for (cJednostkaLadowa* u : gGra->landUnits) u->spottedLevel = 0;
    for (cJednostkaLotnicza* u : gGra->airUnits) u->spottedLevel = 0;
    const cPanstwo* v = gGra->GetCountry(viewer);
    auto sees = [&](const cUnit* u) { return u->countryId == viewer || (v != nullptr && v->IsAlly(u->countryId)); };
    // Every unit of the side is seen and sees the units within the range;
    // levels only rise to 6 here, so the order of the spotters does not
    // matter and the units can be looked up by column instead of walking
    // both lists for every spotter.
    const int range = gProgramSettings.fogOfWar;
    std::vector<std::pair<int, cUnit*>> byColumn;
    byColumn.reserve(gGra->landUnits.size() + gGra->airUnits.size());
    for (cJednostkaLadowa* u : gGra->landUnits) byColumn.emplace_back(u->x, u);
    for (cJednostkaLotnicza* u : gGra->airUnits) byColumn.emplace_back(u->x, u);
    std::stable_sort(byColumn.begin(), byColumn.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto spotFrom = [&](const cUnit* spotter) {
      auto it = std::lower_bound(byColumn.begin(), byColumn.end(), spotter->x - range,
                                 [](const auto& e, int column) { return e.first < column; });
      for (; it != byColumn.end() && it->first <= spotter->x + range; ++it)
        if (HexDistance(spotter->x, spotter->y, it->second->x, it->second->y) <= range) it->second->spottedLevel = 6;
    };
    for (cJednostkaLadowa* u : gGra->landUnits)
      if (sees(u)) u->spottedLevel = 6, spotFrom(u);
    for (cJednostkaLotnicza* u : gGra->airUnits)
      if (sees(u)) u->spottedLevel = 6, spotFrom(u);
    if (v != nullptr)
      for (cUnit* u : v->airReconSightings)
        if (u->spottedLevel < 3) u->spottedLevel = 3;
  }
  gGra->seaGraph.RecalculateNavalVisibility(viewer, false);
}

sUnitStatistics& cPanstwo::GatherUnitStatistics(sUnitStatistics& record) const {
  record = sUnitStatistics{};
  if (gGra == nullptr) return record;
  for (const auto* list : {&gGra->landUnits, &gGra->transportedUnits, &gGra->amphibiousUnits})
    for (const cJednostkaLadowa* u : *list)
      if (u->countryId == id) Count(record, u->type, 0);
  for (const cJednostkaLotnicza* u : gGra->airUnits)
    if (u->countryId == id) Count(record, u->type, 0);
  for (const cJednostkaMorska* u : gGra->navalUnits)
    if (u->countryId == id) Count(record, u->type, 0);
  for (const cJednostka* u : gGra->reserve)
    if (u->countryId == id) Count(record, u->type, 1);
  for (const cJednostkaMorska* u : gGra->navalReserve)
    if (u->countryId == id) Count(record, u->type, 1);
  return record;
}
