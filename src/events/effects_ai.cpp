// Effects on the settings that steer a country's computer player.
#include <algorithm>

#include "core/console.h"
#include "events/effect_support.h"
#include "events/effect_table.h"
#include "world/country.h"
#include "world/game.h"

using effects::CountryParam;
using effects::D;
using effects::P;

namespace {

// The city on the hex of params 1 and 2; null when none.
cMiasto* TargetCity(const sEfekt& e) { return effects::CityParam(e, 1, 2); }

// Entry int(param1) of a table numbered from first; false (and a log line)
// outside it.
template <size_t N>
bool SetEntry(const sEfekt& e, int32_t (&table)[N], int first) {
  const int index = P(e, 1) - first;
  if (index < 0 || static_cast<size_t>(index) >= N) {
    LogF(L"Effect %s at line %i: entry %i is not %i..%i; skipped", e.method.c_str(), e.line, P(e, 1), first,
         first + static_cast<int>(N) - 1);
    return false;
  }
  table[index] = P(e, 2);
  return true;
}

void AppendUnlessListed(std::list<cMiasto*>& list, cMiasto* city) {
  if (city != nullptr && std::find(list.begin(), list.end(), city) == list.end()) list.push_back(city);
}

}  // namespace

void EffectAI_SetMakesSeaInvasionsParameter(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.makesSeaInvasions = D(e, 1) != 0.0 ? 1 : 0;
}

void EffectAI_SetMaxNumberOfFrontsForSeaInvasion(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.maxFrontsForSeaInvasion = P(e, 1);
}

void EffectAI_AddInvasionTarget(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.currentTargets.push_back({P(e, 1), P(e, 2), P(e, 3)});
}

void EffectAI_RemoveInvasionTarget(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) {
    const int x = P(e, 1);
    const int y = P(e, 2);
    c->ai.currentTargets.remove_if([x, y](const std::array<int32_t, 3>& t) { return t[0] == x && t[1] == y; });
  }
}

void EffectAI_AddDoNotAttackCity(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) AppendUnlessListed(c->ai.doNotAttackCities, TargetCity(e));
}

void EffectAI_RemoveDoNotAttackCity(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->RemoveDoNotAttackCity(P(e, 1), P(e, 2));
}

void EffectAI_AddExtraCityToGarrison(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) AppendUnlessListed(c->ai.extraCitiesToGarrison, TargetCity(e));
}

void EffectAI_AddPortForObligatoryInvasion(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  cMiasto* city = TargetCity(e);
  if (c == nullptr || city == nullptr) return;
  if (P(e, 3) == 0)
    c->ai.obligatorySeaInvasionTargets.push_back(city);
  else
    c->ai.obligatorySeaInvasionTargets.push_front(city);
}

void EffectAI_RemovePortForObligatoryInvasion(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  cMiasto* city = TargetCity(e);
  if (c != nullptr && city != nullptr) c->ai.obligatorySeaInvasionTargets.remove(city);
}

void EffectAI_AddSeaZoneToPatrolList(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  if (c == nullptr) return;
  const int zone = P(e, 1);
  for (auto& [z, formation] : c->ai.seaZonesToPatrol)
    if (z == zone) {
      formation = P(e, 2);
      return;
    }
  c->ai.seaZonesToPatrol.emplace_back(zone, P(e, 2));
}

void EffectAI_RemoveSeaZoneFromPatrolList(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  if (c == nullptr) return;
  auto& zones = c->ai.seaZonesToPatrol;
  const int zone = P(e, 1);
  auto it = std::find_if(zones.begin(), zones.end(), [zone](const auto& p) { return p.first == zone; });
  if (it != zones.end()) zones.erase(it);
}

void EffectAI_AddCountryToPress(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.countriesToPress.push_back(P(e, 1));
}

void EffectAI_TransportUnitsToFrontsBySea(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.transportsUnitsToFrontsBySea = P(e, 1) != 0 ? 1 : 0;
}

void EffectAI_SetMultipleSideAttackPreferences(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0))
    for (int i = 0; i < 3; ++i) c->ai.multipleSideAttackPreferences[i] = P(e, i + 1);
}

void EffectAI_SetOneSideAttackPreferences(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0))
    for (int i = 0; i < 3; ++i) c->ai.oneSideAttackPreferences[i] = P(e, i + 1);
}

void EffectAI_SetDesiredStrategicMovementPoints(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.desiredStrategicMovementPoints = P(e, 1);
}

void EffectAI_SetDesiredTechLevel(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) SetEntry(e, c->ai.desiredTechLevels, 0);
}

void EffectAI_SetFortLevelToHoldAtAllCost(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.fortLevelToHoldAtAllCost = P(e, 1);
}

void EffectCountry_NewUnitPurchasePreferences(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) SetEntry(e, c->ai.newUnitPurchasePreferences, 1);
}

void EffectCountry_SetDesiredLandForcesStructure(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) SetEntry(e, c->ai.desiredLandForcesStructure, 1);
}

void EffectCountry_SetMaxSafeMoveCost(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.maxSafeMoveCost = P(e, 1);
}

void EffectCountry_SetMinRatioToPatchFront(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.minRatioToPatchFront = static_cast<float>(D(e, 1));
}

void EffectCountry_SetMaxUnitCountOnFront(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.maxUnitCountOnFront = P(e, 1);
}

void EffectCountry_SetMaxCoveringUnitDistance(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ai.maxCoveringUnitDistance = P(e, 1);
}

// Every country alike: param0 is the first priority, not a country.
void EffectCountry_SetAICarrierTargetsPriorities(const sEfekt& e) {
  if (gGra == nullptr) return;
  for (cPanstwo* c : gGra->countries)
    for (int i = 0; i < 9; ++i) c->ai.carrierTargetsPriorities[i] = P(e, i);
}

void EffectCountry_ChangeAICarrierTargetsPriorities(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) SetEntry(e, c->ai.carrierTargetsPriorities, 1);
}
