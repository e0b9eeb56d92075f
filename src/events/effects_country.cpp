// Effects on one country's values: points, political values, technology,
// weather modifiers, upkeep, activity, orientation, war and peace.
#include <algorithm>
#include <cstdint>

#include "core/console.h"
#include "core/front_end.h"
#include "core/string_table.h"
#include "core/text.h"
#include "events/effect_support.h"
#include "events/effect_table.h"
#include "rules/diplomacy.h"
#include "world/country.h"
#include "world/game.h"

using effects::CountryParam;
using effects::D;
using effects::P;

namespace {

constexpr int kTechCategories = 7;
constexpr int kDoctrineCounters = 5;

int ClampPercent(int64_t v) { return static_cast<int>(v < 0 ? 0 : (v > 100 ? 100 : v)); }

// A research category index of the effect's param1; false (and a log line)
// outside the country's seven categories.
bool TechCategory(const sEfekt& e, int& category) {
  category = P(e, 1);
  if (category >= 0 && category < kTechCategories) return true;
  LogF(L"Effect %s at line %i: research category %i is not 0..6; skipped", e.method.c_str(), e.line, category);
  return false;
}

// Both alliance-entry effects: the level changes or is set, and at 100 the
// country joins the alliance its orientation leans to.
void AllianceEntry(const sEfekt& e, bool set) {
  cPanstwo* c = CountryParam(e, 0);
  if (c == nullptr) return;
  if (set)
    c->allianceEntry = P(e, 1);
  else
    c->ChangeAllianceEntry(P(e, 1));
  if (c->allianceEntry < 100) return;
  std::wstring alliance;
  c->FormatOrientationAllianceName(alliance, false);
  effects::QueueMessage(Txt("alliance_entry_level_in_") + c->name + Txt("_reaches_100%%_and_") +
                        WFormat(Txt("%s_joins_%s").c_str(), c->name.c_str(), alliance.c_str()));
  c->JoinAlliance(c->GetTargetAlliance());
}

}  // namespace

void EffectCountry_ChangeDiplomaticPoints(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeDiplomaticPoints(P(e, 1));
}

void EffectCountry_SetDiplomaticPoints(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) {
    c->diplomaticPoints = P(e, 1);
    FrontEnd().RefreshInfoPanel();
  }
}

void EffectCountry_ChangeProductionPoints(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeProductionPoints(D(e, 1));
}

void EffectCountry_SetProductionPoints(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) {
    c->productionPoints = D(e, 1);
    FrontEnd().RefreshInfoPanel();
  }
}

void EffectCountry_ChangePoliticalStrength(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0))
    c->politicalStrength = ClampPercent(static_cast<int64_t>(c->politicalStrength) + P(e, 1));
}

void EffectCountry_SetPoliticalStrength(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->politicalStrength = P(e, 1);
}

void EffectCountry_ChangeAllianceEntry(const sEfekt& e) { AllianceEntry(e, false); }

void EffectCountry_SetAllianceEntry(const sEfekt& e) { AllianceEntry(e, true); }

void EffectCountry_ChangeSocialUnrest(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeSocialUnrest(static_cast<float>(D(e, 1)));
}

void EffectCountry_SetSocialUnrest(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) {
    const float v = static_cast<float>(D(e, 1));
    c->socialUnrest = v < 0.0f ? 0.0f : (v > 100.0f ? 100.0f : v);
  }
}

void EffectCountry_ChangeWarEconomy(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->warEconomy = static_cast<float>(c->warEconomy + D(e, 1));
}

void EffectCountry_SetWarEconomy(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->warEconomy = static_cast<float>(D(e, 1));
}

void EffectCountry_ChangeSMP(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) {
    c->ChangeSMP(P(e, 1));
    if (c->strategicMovementPoints < 0) c->strategicMovementPoints = 0;
  }
}

void EffectCountry_ChangeSTP(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeSTP(P(e, 1));
}

void EffectCountry_ChangeAIP(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->ChangeAIP(P(e, 1));
}

void EffectCountry_ChangeUpkeepCost(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0))
    c->unitUpkeepCostModifier = static_cast<float>(c->unitUpkeepCostModifier + D(e, 1));
}

void EffectCountry_SetUpkeepCost(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->unitUpkeepCostModifier = static_cast<float>(D(e, 1));
}

void EffectCountry_SetWinterBattle(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->winterBattle = static_cast<float>(D(e, 1));
}

void EffectCountry_SetWinterMove(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->winterMove = static_cast<float>(D(e, 1));
}

void EffectCountry_SetMudBattle(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->mudBattle = static_cast<float>(D(e, 1));
}

void EffectCountry_SetMudMove(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->mudMove = static_cast<float>(D(e, 1));
}

void EffectCountry_SetActive(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->active = D(e, 1) != 0.0 ? 1 : 0;
}

void EffectCountry_SetOrientation(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->orientation = P(e, 1);
}

void EffectCountry_SetZoneOfInfluence(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->zoneOfInfluence = P(e, 1);
}

// The technology level effects ignore a category of 7 or more; a negative
// one would reach before the table and is refused with a log line.
void EffectCountry_SetTechLevel(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  const int category = P(e, 1);
  if (c == nullptr || category >= kTechCategories) return;
  int checked = 0;
  if (TechCategory(e, checked)) c->techLevels[checked] = P(e, 2);
}

void EffectCountry_ChangeTechLevel(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  const int category = P(e, 1);
  if (c == nullptr || category >= kTechCategories) return;
  int checked = 0;
  if (TechCategory(e, checked)) c->techLevels[checked] += P(e, 2);
}

void EffectCountry_SetTechResearchProgress(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  int category = 0;
  if (c != nullptr && TechCategory(e, category)) c->researchProgress[category] = P(e, 2);
}

void EffectCountry_ChangeTechResearchProgress(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  int category = 0;
  if (c == nullptr || !TechCategory(e, category)) return;
  const int64_t v = static_cast<int64_t>(c->researchProgress[category]) + P(e, 2);
  c->researchProgress[category] = v < 0 ? 0 : static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v);
}

void EffectCountry_SetTechInvestment(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  int category = 0;
  if (c != nullptr && TechCategory(e, category)) c->techInvestments[category] = P(e, 2);
}

void EffectCountry_ChangeTechInvestment(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  int category = 0;
  if (c == nullptr || !TechCategory(e, category)) return;
  const int64_t v = static_cast<int64_t>(c->techInvestments[category]) + P(e, 2);
  c->techInvestments[category] = static_cast<int32_t>(v < 0 ? 0 : (v > 3 ? 3 : v));
}

void EffectCountry_ChangeMonthsToReachWarfareDoctrineLevel(const sEfekt& e) {
  cPanstwo* c = CountryParam(e, 0);
  if (c == nullptr) return;
  const int d = P(e, 1);
  for (int i = 0; i < kDoctrineCounters; ++i) {
    int32_t& months = c->doctrineMonths[i];
    if (d >= 0) {
      // Only a level still to come waits longer.
      if (months > 0) months = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(months) + d, INT32_MAX));
    } else {
      const int64_t v = static_cast<int64_t>(months) + d;
      months = v < 0 ? 0 : static_cast<int32_t>(v);
    }
  }
  // The effect holds the game lock: news of a new level waits in the
  // option's messages rather than in a dialog.
  c->AdvanceLandDoctrine(gGra != nullptr && gGra->events != nullptr ? &gGra->events->messages : nullptr);
}

void EffectCountry_DeclareWarOnCountry(const sEfekt& e) {
  const cPanstwo* attacker = CountryParam(e, 0);
  const cPanstwo* target = CountryParam(e, 1);
  if (attacker == nullptr || target == nullptr) return;
  if (DiplomacyDeclareWar(attacker->id, target->id, false) == 0) return;
  effects::QueueMessage(WFormat(L"%s declares war on %s!", attacker->name.c_str(), target->name.c_str()));
}

void EffectCountry_MakePeace(const sEfekt& e) {
  if (cPanstwo* c = CountryParam(e, 0)) c->MakePeace(P(e, 1) == 1);
}
