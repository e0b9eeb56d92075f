// The computer player spends its country's production points: first what
// the scenario queued, then level-ups, research, strategic movement and
// new units of a randomly drawn kind, until a choice cannot be paid.
#include <algorithm>
#include <string>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "core/random.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"

namespace {

constexpr int kCategoryCount = 14;

void RemoveCode(std::list<int32_t>& queue, int code) {
  queue.remove(code);
}

// "10 Infantry": a random number 10..99 and the country's name for the type.
std::wstring NewUnitName(const cPanstwo& country, int type) {
  const wchar_t* part = country.GetNamePart(type);
  std::wstring name = std::to_wstring(RandomInRange(10, 99));
  name += L' ';
  name += part != nullptr ? part : L"";
  return name;
}

float PointsPrice(const cPanstwo& c, ai_values::ePointsItem item, int count) {
  return ai_values::PointsBase(c.consts, item) + ai_values::PointsStep(c.consts, item) * static_cast<float>(count);
}

bool FitForLevelUp(cJednostka& unit) {
  return unit.level < 5 && unit.actionPoints == unit.startingActionPoints && unit.actionPoints != 0 &&
         unit.GetLevelUpHint(nullptr);
}

// A land or air unit bought into the reserve pool: level 1, not yet seen,
// with the supply the country's new units start with.
template <class Unit>
void PutNewUnitInReserve(Unit* unit, cPanstwo& country, int type, int strength) {
  unit->countryId = country.id;
  unit->SetType(type);
  unit->SetName(NewUnitName(country, type));
  unit->level = 1;
  unit->strength = strength;
  unit->actionPoints = 0;
  unit->spottedLevel = 0;
  unit->inReserve = 1;
  unit->SetSupplyLevel(ai_values::NewUnitSupply(country.consts));
  unit->UpdateEffectiveness();
  gGra->reserve.push_back(unit);
}

}  // namespace

void cAI::PurchaseUnits() {
  NoteAiPhase("PurchaseUnits");
  if (country == nullptr) return;
  // Level-ups left unpaid last impulse may concern units that changed since.
  RemoveCode(country->ai.purchaseQueue, 3);
  RemoveCode(country->ai.purchaseQueue, 2);
  while (!WorkerMustStop()) {
    sPurchaseChoice choice;
    ChoosePurchase(choice);
    if (!ExecutePurchase(choice)) break;
  }
}

bool cAI::ChoosePurchase(sPurchaseChoice& choice) {
  std::list<int32_t>& queue = country->ai.purchaseQueue;
  if (!queue.empty()) return false;
  if (cJednostkaLotnicza* air = ChooseAirUnitToLevelUp()) {
    choice.airUnit = air;
    choice.airCost = air->GetLevelUpCost();
    queue.push_back(2);
    return true;
  }
  cJednostkaLadowa* land = ChooseSpecialLandUnitToLevelUp();
  if (land == nullptr) land = ChooseLandUnitToLevelUp();
  if (land != nullptr) {
    choice.landUnit = land;
    choice.landCost = land->GetLevelUpCost();
    queue.push_back(3);
    return true;
  }
  const int field = ChooseResearchField();
  if (field >= 0) {
    choice.researchField = field;
    choice.researchPrice = ai_values::InvestmentPrice(country->consts, field);
    queue.push_back(4);
    return true;
  }
  if (country->strategicMovementCapacity < country->ai.desiredStrategicMovementPoints) {
    queue.push_back(10);
    return true;
  }
  const int c = RollPurchaseCategory();
  const sConsts& k = country->consts;
  auto& pending = country->ai.newUnitPurchaseData;
  if (c >= 0 && c <= 6) {
    pending[0] = {c, ai_values::LandUnitPrice(k, c) * ai_values::LandPriceFactor(k, c)};
    queue.push_back(5);
  } else if (c >= 7 && c <= 9) {
    pending[1] = {c + 13, static_cast<float>(ai_values::AirBaseValue(k, c - 7)) * ai_values::AirPriceFactor(k, c - 7)};
    queue.push_back(6);
  } else if (c >= 10 && c <= 13) {
    pending[2] = {c + 30, ai_values::NavalUnitPrice(k, c - 10)};
    queue.push_back(7);
  } else {
    return false;
  }
  return true;
}

cJednostkaLotnicza* cAI::ChooseAirUnitToLevelUp() {
  for (cJednostkaLotnicza* unit : ownAirUnits)
    if (FitForLevelUp(*unit)) return unit;
  return nullptr;
}

cJednostkaLadowa* cAI::ChooseSpecialLandUnitToLevelUp() {
  for (cJednostkaLadowa* unit : ownLandUnits)
    if ((unit->type == 4 || unit->type == 5) && FitForLevelUp(*unit)) return unit;
  return nullptr;
}

cJednostkaLadowa* cAI::ChooseLandUnitToLevelUp() {
  const int n = std::clamp(country->techLevels[kTechArtillery], 0, 5);
  std::list<cJednostkaLadowa*> buckets[5];
  for (cJednostkaLadowa* unit : ownLandUnits) {
    if (unit->type == 4 || unit->type == 5) continue;
    if (unit->level >= 1 && unit->level <= 5) buckets[unit->level - 1].push_back(unit);
  }
  float totalUnits = 0.0f;
  float totalDesire = 0.0f;
  for (int b = 0; b < n; ++b) {
    totalUnits += static_cast<float>(buckets[b].size());
    totalDesire += static_cast<float>(country->ai.desiredLandForcesStructure[b]);
  }
  if (totalUnits == 0.0f) totalUnits = 0.00001f;
  if (totalDesire == 0.0f) totalDesire = 0.00001f;
  for (int b = n - 1; b >= 0; --b) {
    const float desired = static_cast<float>(country->ai.desiredLandForcesStructure[b]) / totalDesire;
    const float actual = static_cast<float>(buckets[b].size()) / totalUnits;
    if (desired <= actual) continue;
    for (cJednostkaLadowa* unit : buckets[b]) {
      if (unit->level < 5 && unit->actionPoints == unit->startingActionPoints &&
          (unit->actionPoints != 0 || unit->freezeTime > 0) && unit->GetLevelUpHint(nullptr))
        return unit;
    }
  }
  return nullptr;
}

int cAI::ChooseResearchField() {
  static const int kFields[] = {0, 1, 3, 4, 5, 6};
  const sConsts& k = country->consts;
  for (int f : kFields) {
    const int level = country->techLevels[f];
    if (level >= MaxTechLevel(k, f) || level >= country->ai.desiredTechLevels[f]) continue;
    const int needed = ResearchThreshold(k, f);
    const float progress =
        needed > 0 ? static_cast<float>(country->researchProgress[f]) / static_cast<float>(needed) : 0.0f;
    const int investments = country->techInvestments[f];
    if ((progress < 0.25f && investments < 3) || (progress >= 0.25f && progress < 0.5f && investments < 2) ||
        (progress >= 0.5f && progress < 0.75f && investments == 0))
      return f;
  }
  return -1;
}

int cAI::RollPurchaseCategory() {
  const int32_t* prefs = country->ai.newUnitPurchasePreferences;
  float total = 0.0f;
  for (int i = 0; i < kCategoryCount; ++i) total += static_cast<float>(prefs[i]);
  const float roll = static_cast<float>(Rand()) / 32767.0f;
  if (total <= 0.0f) {
    // No kind is wanted at all: buy no new unit rather than end the game.
    LogF(L"Error in determining purchase. Random no = %.2f. Cumulated chance = %.2f", roll, 0.0);
    return -1;
  }
  float sum = 0.0f;
  int lastWanted = -1;
  for (int i = 0; i < kCategoryCount; ++i) {
    sum += static_cast<float>(prefs[i]);
    if (prefs[i] > 0) lastWanted = i;
    if (sum / total >= roll) return i;
  }
  // Rounding left the last cumulative chance just below a roll of 1.0.
  return lastWanted;
}

bool cAI::ExecutePurchase(sPurchaseChoice& choice) {
  std::list<int32_t>& queue = country->ai.purchaseQueue;
  const sConsts& k = country->consts;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    const int code = *it;
    const double pp = country->productionPoints;
    if (code == 0 || code == 1) {
      const float price = code == 0 ? PointsPrice(*country, ai_values::kAmphibious, country->amphibiousCapacity)
                                    : PointsPrice(*country, ai_values::kSeaTransport, country->GetTotalSTP() / 10);
      // A free item would be bought for ever.
      if (price <= 0.0f || pp < static_cast<double>(price)) {
        RemoveCode(queue, code);
        return true;
      }
      if (code == 0) {
        ++country->amphibiousCapacity;
        country->ChangeAIP(1);
      } else {
        country->ChangeSTP(10);
      }
      country->ChangeProductionPoints(-static_cast<double>(price));
      return true;
    }
    float price = 0.0f;
    switch (code) {
      case 2:
        if (choice.airUnit == nullptr) continue;
        price = choice.airCost;
        break;
      case 3:
        if (choice.landUnit == nullptr) continue;
        price = choice.landCost;
        break;
      case 4:
        if (choice.researchField < 0) continue;
        price = choice.researchPrice;
        break;
      case 5: price = country->ai.newUnitPurchaseData[0].second; break;
      case 6: price = country->ai.newUnitPurchaseData[1].second; break;
      case 7: price = country->ai.newUnitPurchaseData[2].second; break;
      case 10:
        price = PointsPrice(*country, ai_values::kStrategicMovement, country->strategicMovementCapacity);
        break;
      default: continue;
    }
    // A free unit would be bought again and again: the phase ends instead.
    if ((code == 5 || code == 6 || code == 7) && price <= 0.0f) {
      LogF(L"[AI]: %s - no price for a new unit (purchase code %i), nothing bought", country->name.c_str(), code);
      RemoveCode(queue, code);
      return false;
    }
    if (pp < static_cast<double>(price)) continue;
    switch (code) {
      case 2: choice.airUnit->AiLevelUp(); break;
      case 3: choice.landUnit->AiLevelUp(); break;
      case 4:
        ++country->techInvestments[choice.researchField];
        country->ChangeProductionPoints(-static_cast<double>(price));
        break;
      case 5: {
        const int type = country->ai.newUnitPurchaseData[0].first;
        PutNewUnitInReserve(new cJednostkaLadowa(), *country, type, 100);
        country->ChangeProductionPoints(-static_cast<double>(price));
        break;
      }
      case 6: {
        const int type = country->ai.newUnitPurchaseData[1].first;
        PutNewUnitInReserve(new cJednostkaLotnicza(), *country, type, air_values::FullStrength(k, type));
        country->ChangeProductionPoints(-static_cast<double>(price));
        break;
      }
      case 7: {
        const int type = country->ai.newUnitPurchaseData[2].first;
        auto* ship = new cJednostkaMorska();
        ship->unitId = ++gGra->navalUnitCounter;
        ship->countryId = country->id;
        ship->SetType(type);
        ship->SetName(NewUnitName(*country, type));
        ship->hitPoints = ship->maxHitPoints = ai_values::NavalStrength(k, type);
        ship->inReserve = 1;
        gGra->navalReserve.push_back(ship);
        country->ChangeProductionPoints(-static_cast<double>(price));
        break;
      }
      case 10:
        ++country->strategicMovementCapacity;
        country->ChangeSMP(1);
        country->ChangeProductionPoints(-static_cast<double>(price));
        break;
      default: break;
    }
    RemoveCode(queue, code);
    return true;
  }
  return false;
}
