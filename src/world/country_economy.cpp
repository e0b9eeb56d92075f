// The economy of a country at the end of a turn and of an impulse:
// production, unit upkeep, monthly research, the land-warfare doctrine
// clock and the capacity of its transport and amphibious ships.
#include "world/country_economy.h"

#include <vector>

#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/saturate.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/phase_report.h"

namespace {

bool IsTechCategory(int category) { return category >= 0 && category < kTechCategoryCount; }
bool IsLandType(int type) { return type >= 0 && type < 7; }

// The part of the original owner's losses that the country dealt. The
// original owner 0 (a hex nobody held at the start) gives no share: the
// matrix would end the program on it.
float LossShare(int country, int originalOwner) {
  if (originalOwner == 0 || gGra == nullptr) return 0.0f;
  return gGra->relations.GetLossShare(country, originalOwner);
}

// The researchable categories in report order, with their headings.
struct sResearchRow {
  int category;
  const char* heading;
};
constexpr sResearchRow kResearchRows[] = {
    {kTechArtillery, "artillery:_"},     {kTechTanks, "tanks:_"},      {kTechAircraft, "aircrafts:_"},
    {kTechSubmarines, "submarines:_"},   {kTechNavy, "warships:_"},    {kTechNuclear, "nuclear_bomb:_"},
};

}  // namespace

int ResearchThreshold(const sConsts& c, int category) { return IsTechCategory(category) ? c.c088[category] : 0; }

int MaxTechLevel(const sConsts& c, int category) { return IsTechCategory(category) ? c.c089[category] : 0; }

int SeaTransportCost(const sConsts& c, int landType) { return IsLandType(landType) ? c.seaTransportCost[landType] : 0; }

int AmphibiousCost(const sConsts& c, int landType) {
  return IsLandType(landType) ? c.amphibiousTransportCost[landType] : 0;
}

sProductionSums SumCityProduction(const cPanstwo& country) {
  sProductionSums sums;
  if (gGra == nullptr) return sums;
  const int self = country.id;
  const sConsts& k = country.consts;
  for (const cMiasto* city : gGra->cities) {
    const sHex* hex = city->GetHex();
    if (hex == nullptr) continue;
    const int controller = hex->controller;
    const int owner = hex->owner;
    const int original = hex->originalOwner;
    const float pp = city->productionPoints;
    const bool resources = city->type == kCityResources;
    if (controller == self) {
      if (resources) {
        sums.resources += pp;
      } else if (original == self) {
        sums.ownCities += pp;
      } else if (owner != self) {
        sums.occupiedCities += pp * OccupiedCityFactor(k);
      } else {
        sums.annexedCities += pp * AnnexedCityFactor(k);
        sums.annexedShare += pp * AnnexationShareFactor(k) * LossShare(self, original);
      }
      continue;
    }
    // A city an ally has annexed pays the country its share of the losses
    // it dealt to the city's first owner.
    if (resources || controller == 0 || owner != controller || original == controller) continue;
    if (!country.IsAlly(controller)) continue;
    sums.annexedShare += pp * AnnexationShareFactor(k) * LossShare(self, original);
  }
  return sums;
}

float CivilOrderPercent(const cPanstwo& country) { return 100.0f - country.socialUnrest; }

float DifficultyPercent(const cPanstwo& country) {
  if (country.humanControlled != 0) return 100.0f;
  switch (country.difficultyLevel) {
    case 0: return 50.0f;
    case 1: return 75.0f;
    case 2: return 100.0f;
    case 3: return 150.0f;
    case 4: return 200.0f;
    default: return 100.0f;
  }
}

int EstimateResearchMonths(int threshold, int progress, int investment) {
  return SaturatedInt(static_cast<double>(threshold - progress) / (investment * 3.5) + 0.5);
}

// ---- cPanstwo ---------------------------------------------------------------

void cPanstwo::CollectProduction(sPhaseReport& report) {
  const sProductionSums sums = SumCityProduction(*this);
  const float total = sums.Total();
  const float civilOrder = CivilOrderPercent(*this);
  const float war = warEconomy;
  const float difficulty = DifficultyPercent(*this);
  const float collected = total * (civilOrder / 100.0f) * (war / 100.0f) * (difficulty / 100.0f);
  const float modifier = (civilOrder / 100.0f) * (war / 100.0f) * (difficulty / 100.0f) * 100.0f;
  ChangeProductionPoints(collected);

  report.headline = Txt("report_production_main_content");
  report.body = WFormat(
      L"Resources: %.1f PP\nOwn cities: %.1f PP\nOccupied cities: %.1f PP\nAnnexed cities: %.1f PP\n"
      L"Share from annexed cities: %.1f PP\n\nTotal production: %.1f PP\n\n\nModifiers:\nCivil Order: %.1f%%\n"
      L"War Economy: %.1f%%\nDifficulty level: %.1f%%\n\nTotal modifier: %.1f%%\n\n\nCollected: %.1f PP",
      static_cast<double>(sums.resources), static_cast<double>(sums.ownCities),
      static_cast<double>(sums.occupiedCities), static_cast<double>(sums.annexedCities),
      static_cast<double>(sums.annexedShare), static_cast<double>(total), static_cast<double>(civilOrder),
      static_cast<double>(war), static_cast<double>(difficulty), static_cast<double>(modifier),
      static_cast<double>(collected));
}

void cPanstwo::ComputeUnitUpkeep(sPhaseReport& report) {
  std::vector<const cJednostka*> units;
  if (gGra != nullptr) {
    for (const cJednostkaLadowa* u : gGra->landUnits)
      if (u->countryId == id) units.push_back(u);
    for (const cJednostka* u : gGra->reserve)
      if (u != nullptr && u->category == kCategoryLand && u->countryId == id) units.push_back(u);
    for (const cJednostkaLotnicza* u : gGra->airUnits)
      if (u->countryId == id) units.push_back(u);
    for (const cJednostka* u : gGra->reserve)
      if (u != nullptr && u->category == kCategoryAir && u->countryId == id) units.push_back(u);
  }
  const double before = productionPoints;
  float totalStrength = 0.0f;
  float totalUpkeep = 0.0f;
  // Last gathered first; each upkeep is paid at once, so the points may go
  // below 0.
  for (auto it = units.rbegin(); it != units.rend(); ++it) {
    const float strength = (*it)->GetStrengthValue();
    const float upkeep = strength * consts.unitUpkeepFactor * unitUpkeepCostModifier;
    totalStrength += strength;
    totalUpkeep += upkeep;
    productionPoints -= upkeep;
  }

  report.headline = WFormat(Txt("unit_upkeep_summary_for_%s").c_str(), name.c_str());
  report.body = WFormat(Txt("total_units'_strength:_%.2f").c_str(), static_cast<double>(totalStrength)) + L"\n" +
                WFormat(Txt("total_upkeep:_%.2f").c_str(), static_cast<double>(totalUpkeep)) + L"\n" +
                WFormat(Txt("pp_after_upkeep_substraction:_%.2f").c_str(),
                        before - static_cast<double>(totalUpkeep)) +
                L"\n" + WFormat(Txt("current_pp:_%.2f").c_str(), productionPoints);
}

void cPanstwo::MonthlyResearch(sPhaseReport& report) {
  report.headline = WFormat(Txt("monthly_research_report_for_%s").c_str(), name.c_str());
  report.body.clear();
  for (const sResearchRow& row : kResearchRows) {
    const int k = row.category;
    const int maxLevel = MaxTechLevel(consts, k);
    std::wstring line = Txt(row.heading) + L" ";
    if (k == kTechNuclear && techLevels[k] >= maxLevel) {
      // The programme is complete: a bomb every month, nothing else.
      line += WFormat(Txt("_%s_aquires_new_nuclear_bomb.").c_str(), name.c_str());
      ++nuclearBombs;
    } else if (techInvestments[k] <= 0) {
      line += Txt("no_investments.");
    } else if (techLevels[k] >= maxLevel) {
      line += Txt("maximum_level_reached.");
    } else {
      const int investment = techInvestments[k];
      const int oldProgress = researchProgress[k];
      researchProgress[k] += RandomRollSum(investment, 1, 6);
      const int threshold = ResearchThreshold(consts, k);
      if (researchProgress[k] < threshold) {
        line += WFormat(Txt("progress_increased_from_%i_to_%i._estimated_completion_time:_%i_months.").c_str(),
                        oldProgress, researchProgress[k],
                        EstimateResearchMonths(threshold, researchProgress[k], investment));
      } else {
        ++techLevels[k];
        techInvestments[k] = 0;
        researchProgress[k] = 0;
        line += WFormat(Txt("level_%i_reached!").c_str(), techLevels[k]);
        if (k == kTechNuclear) {
          line += WFormat(Txt("_%s_aquires_new_nuclear_bomb.").c_str(), name.c_str());
          ++nuclearBombs;
        }
      }
    }
    report.body += line + L"\n";
  }
}

void cPanstwo::AdvanceLandDoctrine(std::vector<std::wstring>* messages) {
  int& level = techLevels[kTechDoctrine];
  for (int i = 0; i < kDoctrineCounterCount; ++i) {
    --doctrineMonths[i];
    // A level outside 0..4 has no next counter to look at.
    if (level < 0 || level >= kMaxDoctrineLevel || doctrineMonths[level] > 0) continue;
    ++level;
    if (humanControlled == 0) continue;
    const std::wstring title = Txt("new_doctrine_level!");
    const std::wstring text =
        WFormat(Txt("%s_reached_level_%i_of_land_warfare_doctrine._all_land_units_will_now_have_higher_effectivity.")
                    .c_str(),
                name.c_str(), level);
    if (messages != nullptr) {
      messages->push_back(text);
      continue;
    }
    FrontEndHandle dialog = 0;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      dialog = FrontEnd().ShowTextDialog(text, title, kMessageDialogLayout);
    }
    // Waited for outside the lock, so that the main thread can draw it.
    FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
  }
}

void cPanstwo::AccumulateAmphibiousShipCapacity() {
  if (gGra == nullptr) return;
  for (const cJednostkaMorska* ship : gGra->navalUnits) {
    if (ship->countryId != id || ship->type != kTypeAmphibious || ship->carriedUnit == nullptr) continue;
    amphibiousPointsInUse += AmphibiousCost(consts, ship->carriedUnit->type);
  }
}

int cPanstwo::GetTotalSTP() const {
  int total = seaTransportPoints + seaTransportUsedByConvoys;
  if (gGra == nullptr) return total;
  for (const cJednostkaMorska* ship : gGra->navalUnits) {
    if (ship->countryId != id || ship->type != kTypeCargo || ship->carriedUnit == nullptr) continue;
    total += SeaTransportCost(consts, ship->carriedUnit->type);
  }
  return total;
}
