// The computer player keeps its forces at strength: free commanders go to
// the strongest land units, damaged land and air units buy strength back
// with production points, and damaged ships are repaired by chance.
#include <algorithm>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"

namespace {

bool Shown(const cUnit& unit) {
  return unit.IsFullySpotted() && gGra != nullptr && gGra->selection.showActions != 0;
}

// Buys the points for a unit at the price p per point, shown when seen.
void BuyStrength(const cPanstwo& country, cJednostka& unit, int points, float p) {
  const bool shown = Shown(unit);
  if (shown) {
    LogF(L"[AI]: %ls - Replacements for %s (%i strength, cost %.1f PP)", country.name.c_str(), unit.name.c_str(),
         points, static_cast<double>(static_cast<float>(points) * p));
    FrontEnd().CenterMapOn(unit.x, unit.y);
    PauseFor(DELAY_AI_REPLACEMENT_BEFORE);
  }
  unit.SetActionPoints(0);
  unit.AddStrength(points);
  gGra->countries[static_cast<size_t>(country.id - 1)]->ChangeProductionPoints(-static_cast<double>(points) *
                                                                                 static_cast<double>(p));
  if (shown) PauseFor(DELAY_AI_REPLACEMENT_AFTER);
}

// The points the production points pay for at p each; none at a price of
// 0 or less, which would make them unlimited.
int AffordablePoints(const cPanstwo& country, float p) {
  if (p <= 0.0f || country.productionPoints <= 0.0) return 0;
  const double n = country.productionPoints / static_cast<double>(p);
  return n >= 1000.0 ? 1000 : static_cast<int>(n);
}

}  // namespace

void cAI::CollectFreeCommanders(std::list<sDowodca*>& out) {
  out.clear();
  for (sDowodca* c : gGra->commanders)
    if (c != nullptr && c->countryId == country->id && c->state == 0) out.push_back(c);
}

void cAI::CollectOwnShips(std::list<cJednostkaMorska*>& out) {
  out.clear();
  for (cJednostkaMorska* ship : gGra->navalUnits)
    if (ship->countryId == country->id) out.push_back(ship);
}

void cAI::AssignCommanders() {
  NoteAiPhase("AssignCommanders");
  if (country == nullptr || gGra == nullptr) return;
  std::list<sDowodca*> free;
  CollectFreeCommanders(free);
  ownLandUnits.sort([](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
    return a->GetCombatStrength() > b->GetCombatStrength();
  });
  free.sort([](const sDowodca* a, const sDowodca* b) { return a->skill > b->skill; });
  for (sDowodca* commander : free) {
    auto it = std::find_if(ownLandUnits.begin(), ownLandUnits.end(),
                           [](const cJednostkaLadowa* u) { return u->commander == nullptr; });
    if (it == ownLandUnits.end()) break;
    cJednostkaLadowa* unit = *it;
    unit->commander = commander;
    unit->assignedCommanderId = -1;
    commander->state = 2;
    commander->unit = unit;
    unit->UpdateEffectiveness();
    LogF(L"%s has been assigned to command %s", commander->name.c_str(), unit->name.c_str());
  }
}

void cAI::LandReplacements(float factor) {
  NoteAiPhase("LandReplacements");
  if (country == nullptr || gGra == nullptr) return;
  ownLandUnits.sort([](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
    return a->GetCombatStrength() < b->GetCombatStrength();
  });
  const sConsts& k = country->consts;
  const int limit = static_cast<int>(factor * 100.0f);
  for (cJednostkaLadowa* unit : ownLandUnits) {
    if (!unit->GetStrengthIconHint(nullptr) || unit->GetStrength() >= limit) continue;
    float p = ai_values::LandReplacementPrice(k, unit->type) * unit->GetUnitCost() / 100.0f;
    p = p + p * static_cast<float>(ai_values::LandLevelSurcharge(k) * (unit->level - 1)) / 100.0f;
    const int points = std::min({AffordablePoints(*country, p), ai_values::LandReplacementCap(k, unit->supply),
                                 100 - unit->GetStrength()});
    if (points >= 1) BuyStrength(*country, *unit, points, p);
  }
}

void cAI::Replacements(float factor) {
  NoteAiPhase("Replacements");
  if (country == nullptr || gGra == nullptr) return;
  ownAirUnits.sort([](const cJednostkaLotnicza* a, const cJednostkaLotnicza* b) {
    return a->strength + a->level < b->strength + b->level;
  });
  const sConsts& k = country->consts;
  for (cJednostkaLotnicza* unit : ownAirUnits) {
    const float full = static_cast<float>(air_values::FullStrength(k, unit->type));
    if (!unit->GetStrengthIconHint(nullptr) || static_cast<float>(unit->GetStrength()) > full * factor) continue;
    float p = ai_values::AirReplacementPrice(k, unit->type);
    p = p + p * static_cast<float>(ai_values::AirLevelSurcharge(k) * (unit->level - 1)) / 100.0f;
    const int cap = ai_values::AirReplacementCap(k, unit->supply);
    const int points = unit->type == kTypeFighter
                           ? std::min({AffordablePoints(*country, p), cap / 2, 4 - unit->GetStrength()})
                           : std::min({AffordablePoints(*country, p), cap, 8 - unit->GetStrength()});
    if (points >= 1) BuyStrength(*country, *unit, points, p);
  }
}

void cAI::RepairShips() {
  NoteAiPhase("RepairShips");
  if (country == nullptr || gGra == nullptr) return;
  std::list<cJednostkaMorska*> ships;
  CollectOwnShips(ships);
  const float chance = ai_values::ShipRepairChance(country->consts);
  for (cJednostkaMorska* ship : ships) {
    if (ship->hitPoints >= ship->maxHitPoints) continue;
    const float draw = static_cast<float>(Rand()) / 32767.0f;
    if (chance >= draw) ship->ChangeLevelClamped(1);
  }
}
