#include "rules/diplomacy.h"

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "world/country.h"
#include "world/game.h"

// Where the values come from. A country's own constants hold its dice and
// cost factors: 91 delaying and 92 hastening the alliance entry (cost
// factors for the orientations {0, 3}, {4, 5} and {1, 2}, then the dice),
// 93 the election dice, 94 the orientation-change dice (entry drop, unrest
// of a change away from a lean, unrest of a change within it). The game's
// constants hold the declare-war cost and unrest tables (95-112), pressure
// (113: cost factor, chance factors for targets of orientation 0..2 and
// 3..5, dice) and the coup (114: cost factor, chance factors for targets of
// orientation up to 2 and above 2, strength gain on failure, failure dice,
// success dice).

namespace {

constexpr int kUnrestLimitForOrientationChange = 75;

cPanstwo* Country(int id) { return gGra != nullptr ? gGra->GetCountry(id) : nullptr; }

// Formats the string-base text of key with the arguments into text.
template <class... Args>
void Say(std::wstring& text, const char* key, Args... args) {
  text = WFormat(Txt(key).c_str(), args...);
}

// Looks the countries up; an unknown id is refused with its log line.
bool Lookup(int id, cPanstwo*& out, std::wstring& text) {
  out = Country(id);
  if (out != nullptr) return true;
  LogF(L"Diplomacy: unknown country id %i", id);
  Say(text, "diplomacy_unknown_country", id);
  return false;
}

bool ValidOrientation(int orientation) { return orientation >= 0 && orientation <= 5; }

// An orientation a caller asked for that no country can have.
bool RefuseOrientation(const wchar_t* action, int orientation, std::wstring& text) {
  LogF(L"Diplomacy: %s refused, orientation %i is unknown", action, orientation);
  Say(text, "diplomacy_orientation_unknown", orientation);
  return false;
}

bool InAlliance(const cPanstwo& c) { return c.alliance != kAllianceNeutral; }
bool IsLeader(const cPanstwo& c) { return c.alliance >= 4 && c.alliance <= 6; }
bool IsMemberNotLeader(const cPanstwo& c) { return c.alliance >= 1 && c.alliance <= 3; }

// The alliance an orientation leans to: 1 allies, 2 axis, 3 comintern; 0
// for an unknown orientation.
int LeanOf(int orientation) { return ValidOrientation(orientation) ? orientation % 3 + 1 : 0; }

const std::wstring& AllianceName(int side) {
  switch (side) {
    case 1: return Txt("diplomacy_haste_war_entry_joined_alliance_name_allies");
    case 2: return Txt("diplomacy_haste_war_entry_joined_alliance_name_axis");
    default: return Txt("diplomacy_haste_war_entry_joined_alliance_name_comintern");
  }
}

std::wstring RegimeName(const cPanstwo& c) {
  std::wstring out;
  c.GetRegimeName(out, false);
  return out;
}

bool RefuseForPoints(const cPanstwo& c, int cost, std::wstring& text) {
  if (c.diplomaticPoints >= cost) return false;
  Say(text, "diplomacy_not_enough_dp", cost, c.diplomaticPoints);
  return true;
}

// The cost factor of constant 91 or 92 for the country's orientation; a
// negative index for an orientation outside 0..5.
int EntryFactorIndex(int orientation) {
  switch (orientation) {
    case 0:
    case 3: return 0;
    case 4:
    case 5: return 1;
    case 1:
    case 2: return 2;
    default: return -1;
  }
}

int EntryCost(const cPanstwo& c, const float factors[6]) {
  const int i = EntryFactorIndex(c.orientation);
  const int cost =
      i < 0 ? c.politicalStrength : static_cast<int>(static_cast<float>(c.politicalStrength) * factors[i]);
  return cost < 1 ? 1 : cost;
}

// The two-way war of the declaration cases.
void WarBothWays(const cPanstwo& a, const cPanstwo& b) {
  if (a.id == b.id) return;
  gGra->relations.SetWar(a.id, b.id, 1);
  gGra->relations.SetWar(b.id, a.id, 1);
}

// Every member and the leader of alliance side declare war on the alliance
// of the country given.
void AllianceDeclaresWarOn(int side, const cPanstwo& enemy) {
  for (cPanstwo* c : gGra->countries)
    if (c != nullptr && c->alliance != kAllianceNeutral && (c->alliance - 1) % 3 + 1 == side)
      c->DeclareWarOnAlliance(enemy.alliance);
}

}  // namespace

// ---- dice, costs and chances ----------------------------------------------

int RollDice(int count, int sides, int base) { return base + RandomRollSum(count, 1, sides); }

int RollDice(const float triple[3]) {
  return RollDice(static_cast<int>(triple[0]), static_cast<int>(triple[1]), static_cast<int>(triple[2]));
}

int DiplomacyOrientationChangeCost(const cPanstwo& country) { return country.politicalStrength; }

int DiplomacyDelayCost(const cPanstwo& country) { return EntryCost(country, country.consts.c091); }

int DiplomacyHastenCost(const cPanstwo& country) { return EntryCost(country, country.consts.c092); }

int DiplomacyDeclareWarCost(const cPanstwo& attacker, const cPanstwo& target) {
  const int cell =
      gGra->consts.politicalTable1[attacker.GetDeclareWarTableRow()][target.GetDeclareWarTableColumn()];
  return cell * target.politicalStrength / 100;
}

int DiplomacyDeclareWarUnrest(const cPanstwo& attacker, const cPanstwo& target) {
  return gGra->consts.politicalTable2[attacker.GetDeclareWarTableRow()][target.GetDeclareWarTableColumn()];
}

int DiplomacyPressureCost(const cPanstwo& presser, const cPanstwo& target) {
  if (presser.HasSameOrientationAs(target)) return target.politicalStrength;
  return static_cast<int>(static_cast<float>(target.politicalStrength) * gGra->consts.pressureFactors[0]);
}

int DiplomacyPressureChance(const cPanstwo& presser, const cPanstwo& target) {
  if (presser.HasSameOrientationAs(target)) return 100;
  const int room = 100 - target.politicalStrength;
  if (!ValidOrientation(target.orientation)) return room;
  const float factor = gGra->consts.pressureFactors[target.orientation <= 2 ? 1 : 2];
  return static_cast<int>(static_cast<float>(room) * factor);
}

int DiplomacyCoupCost(const cPanstwo& target) {
  return static_cast<int>(gGra->consts.coupFactors[0] * static_cast<float>(target.politicalStrength));
}

int DiplomacyCoupChance(const cPanstwo& target) {
  const float factor = gGra->consts.coupFactors[target.orientation > 2 ? 2 : 1];
  return static_cast<int>(static_cast<float>(100 - target.politicalStrength) * factor);
}

// ---- change of orientation --------------------------------------------------

bool DiplomacyCanChangeOrientation(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (c->doneTurnInOrientation != 0) {
    Say(text, "diplomacy_can_change_orientation_only_once_per_turn");
    return false;
  }
  if (RefuseForPoints(*c, DiplomacyOrientationChangeCost(*c), text)) return false;
  if (c->IsAtWarWithAnyone()) {
    Say(text, "diplomacy_can_change_orientation_not_possible_during_war");
    return false;
  }
  if (InAlliance(*c)) {
    Say(text, "diplomacy_can_change_orientation_not_possible_in_alliance");
    return false;
  }
  if (c->socialUnrest >= static_cast<float>(kUnrestLimitForOrientationChange)) {
    Say(text, "diplomacy_can_change_orientation_not_possible_social_unrest");
    return false;
  }
  return true;
}

bool DiplomacyChangeOrientation(int id, int requested, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (!ValidOrientation(c->orientation)) return RefuseOrientation(L"change of orientation", c->orientation, text);
  if (!ValidOrientation(requested)) return RefuseOrientation(L"change of orientation", requested, text);

  const float* dice = c->consts.c094;
  const int entryDrop = RollDice(dice);
  const int unrestAway = RollDice(dice + 3);
  const int unrestWithin = RollDice(dice + 6);
  c->ChangeDiplomaticPoints(-DiplomacyOrientationChangeCost(*c));
  c->doneTurnInOrientation = 1;

  const double unrestBefore = c->socialUnrest;
  const int current = c->orientation;
  // A firm regime turns to the lean of its own side; a leaning country
  // turns back to its firm regime, both within the lean.
  static constexpr const char* kWithinLean[6] = {
      "diplomacy_change_orientation_to_pro_allied",    "diplomacy_change_orientation_to_pro_axis",
      "diplomacy_change_orientation_to_pro_communist", "diplomacy_change_orientation_to_firm_democracy",
      "diplomacy_change_orientation_to_nationalist_regime", "diplomacy_change_orientation_to_communist_regime"};
  if (current <= 2 || requested == current - 3) {
    c->orientation = current <= 2 ? current + 3 : requested;
    c->ChangeSocialUnrest(static_cast<float>(unrestWithin));
    Say(text, kWithinLean[current], c->name.c_str(), unrestBefore, static_cast<double>(c->socialUnrest));
    return true;
  }
  const int entryBefore = c->allianceEntry;
  c->orientation = requested;
  c->ChangeSocialUnrest(static_cast<float>(unrestAway));
  c->ChangeAllianceEntry(-entryDrop);
  Say(text, "diplomacy_change_orientation_to_other_then_pro_orientation", c->name.c_str(), RegimeName(*c).c_str(),
      unrestBefore, static_cast<double>(c->socialUnrest), entryBefore, c->allianceEntry);
  return true;
}

// ---- elections --------------------------------------------------------------

bool DiplomacyCanHoldElections(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (c->orientation == 1 || c->orientation == 2) {
    Say(text, "diplomacy_elections_not_possible_in_regimes");
    return false;
  }
  if (c->doneParliamentaryElections != 0) {
    Say(text, "diplomacy_elections_only_once_per_game");
    return false;
  }
  if (c->IsAtWarWithAnyone()) {
    Say(text, "diplomacy_elections_not_possible_during_war");
    return false;
  }
  if (InAlliance(*c)) {
    Say(text, "diplomacy_elections_not_possible_only_neutral");
    return false;
  }
  Say(text, c->orientation == 0 ? "diplomacy_elections_firm_democracies_only_to_weaker"
                                : "diplomacy_elections_choose_winning_orientation");
  return true;
}

bool DiplomacyResolveElections(int id, int winner, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (!ValidOrientation(winner)) {
    LogLine(L"Elections - orientaion unknown. ERROR");
    return RefuseOrientation(L"elections", winner, text);
  }
  c->doneParliamentaryElections = 1;
  const int drop = RollDice(c->consts.c093);
  const int before = c->orientation;
  if (winner <= 2) {
    c->orientation = winner;
    Say(text, "diplomacy_elections_in_country_country_becomes_orientation", c->name.c_str(), c->name.c_str(),
        RegimeName(*c).c_str());
    return true;
  }
  // A leaning country that turns to another lean loses part of its way
  // into its former alliance.
  struct sWinner {
    const char* dropped;
    const char* plain;
  };
  static constexpr sWinner kLeans[3] = {
      {"diplomacy_elections_in_country_orientation_changed_to_pro_allied_alliance_entry_dropped",
       "diplomacy_elections_in_country_orientation_changed_to_pro_allied"},
      {"diplomacy_elections_in_country_orientation_changed_to_pro_axis_alliance_entry_dropped",
       "diplomacy_elections_in_country_orientation_changed_to_pro_axis_report_bug"},
      {"diplomacy_elections_in_country_orientation_changed_to_pro_communist_alliance_entry_dropped",
       "diplomacy_elections_in_country_orientation_changed_to_pro_communist_report_bug"},
  };
  const sWinner& w = kLeans[winner - 3];
  c->orientation = winner;
  if (before >= 3 && before <= 5 && before != winner) {
    const int entryBefore = c->allianceEntry;
    c->ChangeAllianceEntry(-drop);
    Say(text, w.dropped, c->name.c_str(), entryBefore, c->allianceEntry);
  } else {
    Say(text, w.plain, c->name.c_str());
  }
  return true;
}

// ---- delaying and hastening the alliance entry ------------------------------

bool DiplomacyCanDelayAllianceEntry(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (InAlliance(*c)) {
    Say(text, "diplomacy_country_already_in_alliance", c->name.c_str());
    return false;
  }
  if (c->allianceEntry <= 0) {
    Say(text, "diplomacy_alliance_already_at_minimum_level");
    return false;
  }
  if (c->doneDelayWarEntry != 0) {
    Say(text, "diplomacy_delaying_alliance_entry_only_once_per_turn");
    return false;
  }
  const int cost = DiplomacyDelayCost(*c);
  if (RefuseForPoints(*c, cost, text)) return false;
  Say(text, "diplomacy_attempt_to_keep_away_from_joining_alliance", cost);
  return true;
}

bool DiplomacyDelayAllianceEntry(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  c->ChangeDiplomaticPoints(-DiplomacyDelayCost(*c));
  c->doneDelayWarEntry = 1;
  const int before = c->allianceEntry;
  c->ChangeAllianceEntry(-RollDice(c->consts.c091 + 3));
  Say(text, "diplomacy_country_delay_alliance_entry", c->name.c_str(), before, c->allianceEntry);
  return true;
}

bool DiplomacyCanHastenAllianceEntry(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  if (InAlliance(*c)) {
    Say(text, "diplomacy_country_already_in_alliance", c->name.c_str());
    return false;
  }
  if (c->doneHasteWarEntry != 0) {
    Say(text, "diplomacy_hasting_alliance_entry_only_once_per_turn");
    return false;
  }
  const int cost = DiplomacyHastenCost(*c);
  if (RefuseForPoints(*c, cost, text)) return false;
  Say(text, "diplomacy_attempt_to_bring_closer_to_alliance", cost);
  return true;
}

bool DiplomacyHastenAllianceEntry(int id, std::wstring& text) {
  cPanstwo* c;
  if (!Lookup(id, c, text)) return false;
  c->ChangeDiplomaticPoints(-DiplomacyHastenCost(*c));
  c->doneHasteWarEntry = 1;
  const int before = c->allianceEntry;
  c->ChangeAllianceEntry(RollDice(c->consts.c092 + 3));
  if (c->allianceEntry < 100) {
    Say(text, "diplomacy_haste_war_entry_country_increase_alliance_entry", c->name.c_str(), before,
        c->allianceEntry);
    return true;
  }
  // The country's own orientation says which alliance: one outside 0..5 is
  // a fault of the data.
  const int side = LeanOf(c->orientation);
  if (side == 0) FatalExit(L"Error 1: Orientation not specified");
  c->JoinAlliance(side);
  Say(text, "diplomacy_haste_war_entry_country_join_alliance", c->name.c_str(), AllianceName(side).c_str());
  return true;
}

// ---- declaration of war -----------------------------------------------------

bool DiplomacyCanDeclareWar(int attackerId, int targetId, std::wstring& text) {
  cPanstwo *attacker, *target;
  if (!Lookup(attackerId, attacker, text) || !Lookup(targetId, target, text)) return false;
  if (attacker->IsAlly(targetId)) {
    Say(text, "diplomacy_can_declare_war_not_on_ally");
    return false;
  }
  if (attacker->HasSameOrientationAs(*target)) {
    Say(text, "diplomacy_can_declare_war_similar_orientation");
    return false;
  }
  if (attacker->IsAtWarWith(targetId)) {
    Say(text, "diplomacy_can_declare_war_already_war_with_country", target->name.c_str());
    return false;
  }
  if (IsMemberNotLeader(*target)) {
    Say(text, "diplomacy_can_declare_war_country_is_member_of_alliance_declare_war_on_leader",
        target->name.c_str());
    return false;
  }
  const int cost = DiplomacyDeclareWarCost(*attacker, *target);
  if (RefuseForPoints(*attacker, cost, text)) return false;
  const int unrest = DiplomacyDeclareWarUnrest(*attacker, *target);
  if (target->OrientationMatchesZoneOfInfluence() && !InAlliance(*target)) {
    Say(text, "diplomacy_can_declare_war_on_country_social_unrest_increase_country_join_alliance",
        target->name.c_str(), cost, unrest, target->name.c_str(), AllianceName(LeanOf(target->orientation)).c_str());
  } else {
    Say(text, "diplomacy_can_declare_war_on_country_social_unrest_increase", target->name.c_str(), cost, unrest);
  }
  return true;
}

int DiplomacyDeclareWar(int attackerId, int targetId, bool pay) {
  cPanstwo* attacker = Country(attackerId);
  cPanstwo* target = Country(targetId);
  if (attacker == nullptr || target == nullptr || attacker == target) {
    LogF(L"Diplomacy: declaration of war %i on %i refused", attackerId, targetId);
    return 0;
  }
  if (pay) {
    attacker->ChangeDiplomaticPoints(-DiplomacyDeclareWarCost(*attacker, *target));
    attacker->ChangeSocialUnrest(static_cast<float>(DiplomacyDeclareWarUnrest(*attacker, *target)));
  }
  const bool leader = IsLeader(*target);
  const bool leans = target->OrientationMatchesZoneOfInfluence();
  int which;
  if (!InAlliance(*attacker))
    which = leader ? 3 : leans ? 2 : 1;
  else
    which = leader ? 6 : leans ? 5 : 4;
  LogF(L"%s declares war on %s (CASE %i)", attacker->name.c_str(), target->name.c_str(), which);

  switch (which) {
    case 1: WarBothWays(*attacker, *target); break;
    case 2:
      WarBothWays(*attacker, *target);
      target->JoinAlliance(LeanOf(target->orientation));
      break;
    case 3: attacker->DeclareWarOnAlliance(target->alliance); break;
    case 4: target->DeclareWarOnAlliance(attacker->alliance); break;
    case 5: {
      WarBothWays(*attacker, *target);
      const int side = LeanOf(target->orientation);
      target->JoinAlliance(side);
      AllianceDeclaresWarOn(side, *attacker);
      break;
    }
    default:
      WarBothWays(*attacker, *target);
      AllianceDeclaresWarOn((target->alliance - 1) % 3 + 1, *attacker);
      break;
  }
  FrontEnd().RefreshDiplomacyPanel();
  return which;
}

// ---- pressure on a neutral ----------------------------------------------------

bool DiplomacyCanExertPressure(int presserId, int targetId, std::wstring& text) {
  cPanstwo *presser, *target;
  if (!Lookup(presserId, presser, text) || !Lookup(targetId, target, text)) return false;
  if (InAlliance(*target)) {
    Say(text, "diplomacy_can_extern_pressure_country_already_in_alliance");
    return false;
  }
  struct sLean {
    uint8_t cPanstwo::*pressed;
    const char* refusal;
  };
  static constexpr sLean kLeans[3] = {
      {&cPanstwo::doneExertPressureAllied, "diplomacy_can_exert_pressure_only_once_per_turn_note_allies"},
      {&cPanstwo::doneExertPressureAxis, "diplomacy_can_exert_pressure_only_once_per_turn_note_axis"},
      {&cPanstwo::doneExertPressureComintern, "diplomacy_can_exert_pressure_only_once_per_turn_note_comintern"},
  };
  const int side = LeanOf(presser->orientation);
  if (side != 0 && target->*kLeans[side - 1].pressed != 0) {
    Say(text, kLeans[side - 1].refusal, target->name.c_str());
    return false;
  }
  const int cost = DiplomacyPressureCost(*presser, *target);
  if (RefuseForPoints(*presser, cost, text)) return false;
  if (presser->HasSameOrientationAs(*target))
    Say(text, "diplomacy_can_exert_pressure_hasten_alliance_entry_of_country_cost", target->name.c_str(), cost);
  else
    Say(text, "diplomacy_can_exert_pressure_decrease_alliance_entry_of_country_cost_chance", target->name.c_str(),
        cost, DiplomacyPressureChance(*presser, *target));
  return true;
}

bool DiplomacyExertPressure(int presserId, int targetId, std::wstring& text) {
  cPanstwo *presser, *target;
  if (!Lookup(presserId, presser, text) || !Lookup(targetId, target, text)) return false;
  const int chance = DiplomacyPressureChance(*presser, *target);
  presser->ChangeDiplomaticPoints(-DiplomacyPressureCost(*presser, *target));
  switch (LeanOf(presser->orientation)) {
    case 1: target->doneExertPressureAllied = 1; break;
    case 2: target->doneExertPressureAxis = 1; break;
    case 3: target->doneExertPressureComintern = 1; break;
    default: break;
  }
  if (RandomInRange(1, 100) > chance) {
    Say(text, "diplomacy_exert_pressure_country_tries_to_exert_pressure_on_country_but_fails",
        presser->name.c_str(), target->name.c_str());
    return true;
  }
  const int roll = RollDice(gGra->consts.pressureFactors + 3);
  const int before = target->allianceEntry;
  target->ChangeAllianceEntry(presser->HasSameOrientationAs(*target) ? roll : -roll);
  if (target->allianceEntry >= 100) {
    const int side = target->GetTargetAlliance();
    target->JoinAlliance(side);
    Say(text, "diplomacy_exert_pressure_country_joins_alliance_pressure_from_country", target->name.c_str(),
        AllianceName(side).c_str(), presser->name.c_str());
  } else {
    Say(text, "diplomacy_exert_pressure_alliance_entry_of_country_changed_pressure_from_country",
        target->name.c_str(), before, target->allianceEntry, presser->name.c_str());
  }
  return true;
}

// ---- coup d'etat ----------------------------------------------------------------

bool DiplomacyCanStageCoup(int actorId, int targetId, std::wstring& text) {
  cPanstwo *actor, *target;
  if (!Lookup(actorId, actor, text) || !Lookup(targetId, target, text)) return false;
  if (InAlliance(*target)) {
    Say(text, "diplomacy_can_coup_detat_only_in_neutral");
    return false;
  }
  if (target->IsAtWarWithAnyone()) {
    Say(text, "diplomacy_can_coup_detat_only_in_countries_not_at_war");
    return false;
  }
  // The exact code: a pro-axis country may still plot in a nationalist regime.
  if (actor->orientation == target->orientation) {
    Say(text, "diplomacy_can_coup_detat_same_orientation_of_country", target->name.c_str());
    return false;
  }
  const int cost = DiplomacyCoupCost(*target);
  if (RefuseForPoints(*actor, cost, text)) return false;
  Say(text, "diplomacy_can_coup_detat_try_to_stage_in_country_cost_chance", target->name.c_str(),
      DiplomacyCoupChance(*target), cost);
  return true;
}

bool DiplomacyStageCoup(int actorId, int targetId, std::wstring& text) {
  cPanstwo *actor, *target;
  if (!Lookup(actorId, actor, text) || !Lookup(targetId, target, text)) return false;
  const float* k = gGra->consts.coupFactors;
  const int chance = DiplomacyCoupChance(*target);
  actor->ChangeDiplomaticPoints(-DiplomacyCoupCost(*target));
  const int before = target->allianceEntry;
  if (RandomInRange(1, 100) <= chance) {
    const std::wstring oldRegime = RegimeName(*target);
    target->ShiftOrientationAfterCoup(actor);
    target->ChangeAllianceEntry(-RollDice(k + 7));
    Say(text, "diplomacy_coup_detat_in_country_orientation_changed_alliance_entry_dropped", target->name.c_str(),
        oldRegime.c_str(), RegimeName(*target).c_str(), before, target->allianceEntry);
    return true;
  }
  // The failure compares the leans, not the exact codes.
  const bool sameLean = actor->HasSameOrientationAs(*target);
  if (!sameLean) target->ChangeAllianceEntry(RollDice(k + 4));
  const int gain = static_cast<int>(k[3]);
  const int strength = target->politicalStrength + gain;
  target->politicalStrength = strength < 0 ? 0 : strength > 100 ? 100 : strength;
  const wchar_t* name = target->name.c_str();
  if (target->allianceEntry >= 100) {
    const int side = target->GetTargetAlliance();
    target->JoinAlliance(side);
    Say(text, "diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased_country_joins_alliance",
        name, name, gain, name, AllianceName(side).c_str());
  } else if (sameLean) {
    Say(text, "diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased", name, name, gain);
  } else {
    Say(text, "diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased_alliance_entry_increased",
        name, name, gain, before, target->allianceEntry);
  }
  return true;
}
