// Land combat: the attack record's strengths and modifiers, and the battle
// with its dice, losses, overrun, retreat or surrender and reports.
#include "rules/land_combat.h"

#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"

namespace lct = land_combat_tables;

namespace {

constexpr int kMaxColumn = 7;
constexpr int kOverrunRatio = 8;
constexpr int kMaxRetreatStrength = 50;

const sConsts& ConstsOfCountry(const cPanstwo* country) {
  static const sConsts kNone{};
  if (country != nullptr) return country->consts;
  return gGra != nullptr ? gGra->consts : kNone;
}

const sConsts& ConstsOf(const cUnit* unit) { return ConstsOfCountry(unit != nullptr ? unit->GetCountry() : nullptr); }

const cJednostka* FirstAttacker(const sAtak& a) {
  for (const cJednostka* u : a.attackers)
    if (u != nullptr) return u;
  return nullptr;
}

bool IsLand(const cJednostka* unit) { return unit != nullptr && unit->category == kCategoryLand; }
bool IsArmoured(const cJednostka* unit) { return unit != nullptr && (unit->type == 4 || unit->type == 5); }

sHex* HexAt(int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) return nullptr;
  return gGra->map->GetHex(x, y);
}

// The weather factor of a hex for a side: 1 - (a / 100) x (b / 100) on
// winter or mud with that weather's pair of percentages.
float WeatherFactor(const sHex* hex, float winterA, float winterB, float mudA, float mudB) {
  if (hex == nullptr) return 1.0f;
  if (hex->weather == kWeatherWinter) return 1.0f - (winterA / 100.0f) * (winterB / 100.0f);
  if (hex->weather == kWeatherMud) return 1.0f - (mudA / 100.0f) * (mudB / 100.0f);
  return 1.0f;
}

// Losses dealt by country a to country b; nobody (0) keeps no account.
void AddLosses(int a, int b, float amount) {
  if (gGra != nullptr && a >= 1 && b >= 1) gGra->relations.ChangeLosses(a, b, amount);
}

std::wstring CountryName(int id) {
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(id) : nullptr;
  return c != nullptr ? c->name : std::wstring();
}

void GainExperience(const cJednostka* unit, int chance) {
  if (unit == nullptr) return;
  sDowodca* c = unit->commander != nullptr ? unit->commander : unit->GetAssignedCommander();
  if (c == nullptr) return;
  if (c->experience >= lct::CommanderExperienceMax(ConstsOf(unit))) return;
  if (RandomInRange(1, 100) <= chance) ++c->experience;
}

// A neighbour a beaten defender may retreat to: free land held by its
// country, an ally or an enemy.
bool IsRetreatHex(const cPanstwo& owner, const sHex* hex) {
  if (hex == nullptr || hex->unit != nullptr || !hex->IsLand() || hex->controller == 0) return false;
  const int c = hex->controller;
  return c == owner.id || owner.IsAlly(c) || owner.IsAtWarWith(c);
}

// The retreat direction: away from the attackers, scored 100 for the side
// opposite an attacker, 10 two sides off and 1 next to it; a tie is drawn.
// -1 when no side qualifies.
int ChooseRetreatDirection(const sAtak& attack, const cJednostka& defender, const cPanstwo& owner) {
  cMapa& map = *gGra->map;
  int best = -1;
  std::vector<int> tied;
  for (int d = 0; d < 6; ++d) {
    if (!IsRetreatHex(owner, map.GetNeighbourHex(defender.x, defender.y, d))) continue;
    int score = 0;
    for (int a = 0; a < 6; ++a) {
      if (attack.attackers[a] == nullptr || a == d) continue;
      const int diff = d > a ? d - a : a - d;
      score += diff == 3 ? 100 : (diff == 2 || diff == 4) ? 10 : 1;
    }
    LogF(L"Retreat direction %i: score %i", d, score);
    if (score > best) {
      best = score;
      tied.assign(1, d);
    } else if (score == best) {
      tied.push_back(d);
    }
  }
  if (tied.empty()) return -1;
  return tied[static_cast<size_t>(RandomIndex(static_cast<int>(tied.size())))];
}

// Moves the defender one hex in the direction; the hex changes hands when it
// was held by an enemy of the defender: to its owner when that is an ally
// other than the defender's country, else to the defender's country.
void MoveInRetreat(cJednostka& unit, const cPanstwo& owner, int direction) {
  cMapa& map = *gGra->map;
  sHex* from = map.GetHex(unit.x, unit.y);
  sHex* to = map.GetNeighbourHex(unit.x, unit.y, direction);
  if (from->unit == &unit) from->unit = nullptr;
  to->unit = &unit;
  unit.x = to->x;
  unit.y = to->y;
  if (!owner.IsAtWarWith(to->controller)) return;
  const int newController =
      (to->owner != to->controller && to->owner != owner.id && to->owner != 0 && owner.IsAlly(to->owner)) ? to->owner
                                                                                                          : owner.id;
  // Fleets in a port that changes hands leave it.
  map.CheckPortCaptured(to->x, to->y);
  to->SetController(newController);
}

// No move can be undone across a battle.
void ForgetUndoRecord() {
  if (gGra == nullptr) return;
  cSelection& s = gGra->selection;
  s.undoUnit = nullptr;
  s.undoActionPoints = 0;
  s.undoX = s.undoY = -1;
  s.capturedHexes.clear();
}

}  // namespace

// ---- the attack record --------------------------------------------------------

void sAtak::RemoveAttacker(const cJednostka* unit) {
  for (cJednostka*& a : attackers) {
    if (a != nullptr && a == unit) {
      a = nullptr;
      return;
    }
  }
}

bool sAtak::HasAttacker(const cJednostka* unit) const {
  if (unit == nullptr) return false;
  return std::find(std::begin(attackers), std::end(attackers), unit) != std::end(attackers);
}

cPanstwo* sAtak::GetAttackerCountry() const {
  const cJednostka* first = FirstAttacker(*this);
  return first != nullptr ? first->GetCountry() : nullptr;
}

float sAtak::GetTotalStrengthValue() const {
  float sum = 0.0f;
  for (const cJednostka* a : attackers)
    if (a != nullptr) sum += a->GetStrengthValue();
  return sum;
}

float sAtak::GetAttackStrength() const {
  const sHex* target = HexAt(targetX, targetY);
  float sum = 0.0f;
  for (int d = 0; d < 6; ++d) {
    const cJednostka* a = attackers[d];
    if (a == nullptr) continue;
    float s = a->GetCombatStrength();
    if (target != nullptr && target->HasRiver(d)) s *= lct::RiverFactor(ConstsOf(a));
    sum += s;
  }
  return sum;
}

float sAtak::GetDefenceStrength() const {
  if (defender == nullptr) return 0.0f;
  if (IsLand(defender)) return defender->GetCombatStrength();
  return lct::NonLandDefenceStrength(ConstsOf(defender));
}

float sAtak::GetTerrainModifier() const {
  const sHex* target = HexAt(targetX, targetY);
  if (target == nullptr || defender == nullptr) return 1.0f;
  return lct::TerrainFactor(ConstsOf(defender), target->terrain);
}

float sAtak::GetCityModifier() const {
  const sHex* target = HexAt(targetX, targetY);
  if (target == nullptr || target->city == nullptr || defender == nullptr) return 1.0f;
  return lct::CityFactor(ConstsOf(defender));
}

float sAtak::GetEntrenchmentModifier() const {
  const auto* land = dynamic_cast<const cJednostkaLadowa*>(defender);
  if (land == nullptr) return 1.0f;
  return 1.0f + lct::EntrenchmentPercent(ConstsOf(land)) * static_cast<float>(land->trenchBonusMultiplier) / 100.0f;
}

float sAtak::GetWeatherModifier() const {
  if (defender == nullptr) return 1.0f;
  const sConsts& c = ConstsOf(defender);
  const cPanstwo* owner = defender->GetCountry();
  const float winter = owner != nullptr ? owner->winterBattle : 0.0f;
  const float mud = owner != nullptr ? owner->mudBattle : 0.0f;
  return WeatherFactor(HexAt(targetX, targetY), lct::WinterBattleFactor(c), winter, lct::MudBattleFactor(c), mud);
}

float sAtak::GetDefenceModifier() const {
  return GetTerrainModifier() * GetCityModifier() * GetEntrenchmentModifier() * GetWeatherModifier();
}

float sAtak::GetArmourModifier() const {
  if (defender == nullptr) return 1.0f;
  const sConsts& c = ConstsOf(defender);
  if (IsArmoured(defender)) {
    bool armourAttacks = false;
    for (const cJednostka* a : attackers) armourAttacks = armourAttacks || IsArmoured(a);
    if (!armourAttacks) return lct::AntiArmourFactor(c);
  }
  return IsLand(defender) ? 1.0f : lct::NonLandDefenderFactor(c);
}

float sAtak::GetAttackSidesModifier() const {
  const cJednostka* first = FirstAttacker(*this);
  if (first == nullptr) return 1.0f;
  return lct::SidesFactor(ConstsOf(first), CountAttackers());
}

float sAtak::GetAttackerWeatherModifier() const {
  const cJednostka* first = FirstAttacker(*this);
  if (first == nullptr) return 1.0f;
  const sConsts& firstConsts = ConstsOf(first);
  float sum = 0.0f;
  int n = 0;
  for (const cJednostka* a : attackers) {
    if (a == nullptr) continue;
    ++n;
    const cPanstwo* owner = a->GetCountry();
    const float winter = owner != nullptr ? owner->winterBattle : 0.0f;
    const float mud = owner != nullptr ? owner->mudBattle : 0.0f;
    const sHex* hex = (a->x == -1 || a->y == -1) ? nullptr : HexAt(a->x, a->y);
    sum += WeatherFactor(hex, winter, lct::WinterBattleFactor(firstConsts), mud, lct::MudBattleFactor(firstConsts));
  }
  return sum / static_cast<float>(n);
}

float sAtak::GetFortificationModifier() const {
  const sHex* target = HexAt(targetX, targetY);
  if (!IsLand(defender) || target == nullptr) return 1.0f;
  return 1.0f - lct::FortificationPercent(ConstsOf(defender)) * static_cast<float>(target->fort) / 100.0f;
}

float sAtak::GetAttackModifier() const {
  return GetArmourModifier() * GetAttackSidesModifier() * GetAttackerWeatherModifier() * GetFortificationModifier();
}

int sAtak::ComputeOddsColumn() const {
  const float denominator = GetDefenceStrength() * GetDefenceModifier();
  const float ratio = (GetAttackStrength() * GetAttackModifier()) / (denominator == 0.0f ? 0.001f : denominator);
  // A ratio beyond the int range is simply the top column.
  if (!(ratio < static_cast<float>(kMaxColumn + 1))) return kMaxColumn;
  return std::clamp(static_cast<int>(ratio), 1, kMaxColumn);
}

void sAtak::GainCommanderExperience() const {
  for (const cJednostka* a : attackers)
    if (a != nullptr) GainExperience(a, lct::AttackExperienceChance(ConstsOf(a)));
  if (defender != nullptr) GainExperience(defender, lct::DefenceExperienceChance(ConstsOf(defender)));
}

// ---- the battle -----------------------------------------------------------------

bool IsComputerCountry(const cPanstwo* country) {
  return country != nullptr && country->humanControlled == 0 && country->pbemPlayerId < 1;
}

void ApplyComputerDieRule(const cPanstwo* attacker, const cPanstwo* defender, float draw, int& defenderDie,
                          int& attackerDie) {
  if (!(draw > 0.1f)) return;
  const bool attackerIsComputer = IsComputerCountry(attacker);
  const bool defenderIsComputer = IsComputerCountry(defender);
  if (attackerIsComputer && !defenderIsComputer) ++defenderDie;
  if (defenderIsComputer && !attackerIsComputer) ++attackerDie;
  defenderDie = std::min(defenderDie, 6);
  attackerDie = std::min(attackerDie, 6);
}

bool ResolveLandCombat(sAtak& attack, sWynikWalki& result) {
  // Nothing changes for an attack that cannot be fought, not even the sound.
  if (attack.defender == nullptr || attack.CountAttackers() == 0 || gGra == nullptr || gGra->map == nullptr)
    return false;
  cJednostka* defender = attack.defender;

  // 1-2. The sound, the commanders, the sides.
  if (defender->IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\LandCombat.wav");
  attack.GainCommanderExperience();
  result.resultCode = sWynikWalki::kLandBattle;
  result.defenderCountry = defender->countryId;

  // 3. Every attacker pays the attack in action points.
  const int attackerCount = attack.CountAttackers();
  bool armourPresent = false;
  int attackerCountry = 0;
  for (cJednostka* a : attack.attackers) {
    if (a == nullptr) continue;
    attackerCountry = a->countryId;
    const cPanstwo* owner = a->GetCountry();
    const int level = owner != nullptr ? land_tables::DoctrineLevel(*owner) : 0;
    a->AddActionPoints(-lct::AttackCost(ConstsOf(a), level));
    if (a->actionPoints < 0) a->SetActionPoints(0);
    armourPresent = armourPresent || IsArmoured(a);
  }
  result.attackerCountry = attackerCountry;
  const int defenderCountry = defender->countryId;
  const std::wstring defenderName = defender->name;
  const bool landDefender = IsLand(defender);

  // 4. Modifiers and the opening texts.
  LogF(L"%s is attacked. Directions=%i, Armor present in attack=%i", defenderName.c_str(), attackerCount,
       armourPresent ? 1 : 0);
  const float armour = attack.GetArmourModifier();
  const float sides = attack.GetAttackSidesModifier();
  const float attackerWeather = attack.GetAttackerWeatherModifier();
  const float fortification = attack.GetFortificationModifier();
  const float terrain = attack.GetTerrainModifier();
  const float city = attack.GetCityModifier();
  const float entrenchment = attack.GetEntrenchmentModifier();
  const float weather = attack.GetWeatherModifier();
  result.attackerInfo += WFormat(Txt("combatresult_land_battle_att_info").c_str(), armour * 100.0, sides * 100.0,
                                 attackerWeather * 100.0, fortification * 100.0);
  result.attackerInfo += WFormat(L"\nColumn: %i\n", attack.ComputeOddsColumn());
  result.defenderInfo += WFormat(Txt("combatresult_land_battle_def_info").c_str(), terrain * 100.0, city * 100.0,
                                 entrenchment * 100.0, weather * 100.0);

  std::wstring attackerList;
  for (const cJednostka* a : attack.attackers) {
    if (a == nullptr) continue;
    if (!attackerList.empty()) attackerList += L", ";
    attackerList += WFormat(L"%s [%.2f]", a->name.c_str(), static_cast<double>(a->GetStrengthValue()));
  }
  const float defenderValueBefore = defender->GetStrengthValue();
  result.attackerInfo += attackerList + L"\n";
  result.defenderInfo += WFormat(L"%s [%.2f]\n", defenderName.c_str(), static_cast<double>(defenderValueBefore));

  std::wstring attackerReport =
      WFormat(L"Attacked unit %s (%s) [%.2f] on hex (%d, %d) with unit(s) %s\n\n", defenderName.c_str(),
              CountryName(defenderCountry).c_str(), static_cast<double>(defenderValueBefore), attack.targetX,
              attack.targetY, attackerList.c_str());
  std::wstring defenderReport =
      WFormat(L"%s [%.2f] was attacked at hex (%i, %i) by unit(s) %s (%s)\n\n", defenderName.c_str(),
              static_cast<double>(defenderValueBefore), attack.targetX, attack.targetY, attackerList.c_str(),
              CountryName(attackerCountry).c_str());
  result.generalText += attackerReport;
  // What both sides are told of the battle.
  auto tell = [&](const std::wstring& text) {
    attackerReport += text;
    defenderReport += text;
    result.generalText += text;
  };

  // 5. Effective strengths.
  const float attackStrength = attack.GetAttackStrength();
  const float defenceStrength = attack.GetDefenceStrength();
  const float attackerEff = attackStrength * (armour * sides * attackerWeather * fortification);
  float defenderEff = defenceStrength * terrain * city * entrenchment * weather;
  if (defenderEff == 0.0f) defenderEff = 0.001f;
  attackerReport += WFormat(L"\nEff. strength: %.2f\n", static_cast<double>(attackerEff));
  defenderReport += WFormat(L"\nEff. strength: %.2f\n", static_cast<double>(defenderEff));
  LogF(L"\nAttacker eff. strength: %.2f\nDefender eff. strength: %.2f\n", static_cast<double>(attackerEff),
       static_cast<double>(defenderEff));

  // 6. The dice.
  int defenderDie = RandomInRange(1, 6);
  int attackerDie = RandomInRange(1, 6);
  ApplyComputerDieRule(gGra->GetCountry(attackerCountry), gGra->GetCountry(defenderCountry), RandomFloat01(),
                       defenderDie, attackerDie);

  // 7. The column, or an overrun.
  const float ratio = attackerEff / defenderEff;
  bool weaker = false;
  bool overrun = false;
  int column;
  if (!(ratio < static_cast<float>(kOverrunRatio))) {
    column = kOverrunRatio;
  } else {
    column = static_cast<int>(ratio);
  }
  // Read before the defender may be gone.
  const int defenderEffectiveness = defender->effectiveness;
  if (column < 1) {
    column = 1;
    weaker = true;
  } else if (column >= kOverrunRatio) {
    LogLine(L"Defender destroyed by overrun!");
    const float value = defender->GetStrengthValue();
    defender->Kill();
    defender = nullptr;
    attack.defender = nullptr;
    result.defenderDestroyed |= 1;
    result.defenderLosses += value;
    column = kMaxColumn;
    overrun = true;
    const std::wstring line = WFormat(L"\nDefender destroyed by overrun (%.2f:1)!\n", static_cast<double>(ratio));
    tell(line);
    result.defenderInfo += line;
  }

  // 8. The loss tables.
  const sConsts& defenderTables = ConstsOfCountry(gGra->GetCountry(defenderCountry));
  const sConsts& attackerTables = ConstsOfCountry(gGra->GetCountry(attackerCountry));
  const float p = lct::DefenderLoss(defenderTables, defenderDie, column);
  float q = lct::AttackerLoss(attackerTables, attackerDie, column);
  q = std::min(q * static_cast<float>(defenderEffectiveness), 100.0f) / 100.0f;

  // 9. A land defender's losses.
  float defenderLossValue = 0.0f;
  if (!overrun && landDefender) {
    auto* land = static_cast<cJednostkaLadowa*>(defender);
    const int strength = land->GetStrength();
    const int loss = std::min(static_cast<int>(static_cast<float>(strength) * p / 100.0f), strength);
    defenderLossValue = land->GetUnitCost() * static_cast<float>(loss) / 100.0f;
    float lost = 0.0f;
    if (weaker) {
      LogLine(L"attack_was_weaker_than_1:1,_losses_will_be_calculated_for_defender_but_won't_be_inflicted!");
    } else {
      AddLosses(attackerCountry, defenderCountry, defenderLossValue);
      const float before = land->GetStrengthValue();
      if (land->type == kTypeMulberry)
        land->strength -= loss;
      else
        land->AddStrength(-loss);
      lost = before - land->GetStrengthValue();
    }
    result.defenderLosses += lost;
    result.lossText += WFormat(L"Land combat: %.1f\n", static_cast<double>(lost));
    const std::wstring lossLine = WFormat(L"%s losses %.2f strength\n", defenderName.c_str(), static_cast<double>(lost));
    tell(lossLine);
    result.defenderInfo += lossLine;
    if (land->GetStrengthValue() < 0.1f) {
      LogLine(L"defender_destroyed!");
      result.defenderDestroyed |= 1;
      land->Kill();
      defender = nullptr;
      attack.defender = nullptr;
      tell(L"\nDefender destroyed!\n");
      result.defenderInfo += L"\nDefender destroyed!\n";
    }
  }

  // 10. A beaten land defender in the open may fall back or give up.
  if (!weaker && defender != nullptr && landDefender && defender->type != kTypeMulberry) {
    auto* land = static_cast<cJednostkaLadowa*>(defender);
    const sHex* hex = HexAt(land->x, land->y);
    const cPanstwo* owner = land->GetCountry();
    if (hex != nullptr && owner != nullptr && hex->city == nullptr && hex->fort == 0 &&
        land->GetStrength() <= kMaxRetreatStrength) {
      const sConsts& c = owner->consts;
      const float base = std::max(static_cast<float>(lct::RetreatBase(c) - land->GetStrength()), 1.0f);
      const float columnFactor = lct::RetreatColumnFactor(c, column);
      const float terrainFactor = lct::RetreatTerrainFactor(c, hex->terrain);
      const int chance = static_cast<int>(base * columnFactor * terrainFactor);
      LogF(L"Retreat chance: Base=%.2f%% Modifiers: Column=%.2f Terrain=%.2f. CHANCE=%i%%", static_cast<double>(base),
           static_cast<double>(columnFactor), static_cast<double>(terrainFactor), chance);
      if (RandomInRange(1, 100) < chance) {
        // Both tests must agree on a hex; a passed test with no side to
        // take is a surrender too.
        const int direction = land->HasRetreatHex() ? ChooseRetreatDirection(attack, *land, *owner) : -1;
        if (direction < 0) {
          const std::wstring line =
              WFormat(Txt("retreat_check_passed,_but_retreat_impossible._%s_surrenders!").c_str(), defenderName.c_str());
          LogLine(line);
          land->Kill();
          defender = nullptr;
          attack.defender = nullptr;
          result.defenderSurrendered |= 1;
          tell(L"\n" + line + L"\n");
          result.defenderInfo += line + L"\n";
        } else {
          const std::wstring line = WFormat(L"\n%s retreats!\n", defenderName.c_str());
          tell(line);
          result.defenderInfo += line;
          result.defenderRetreated |= 1;
          MoveInRetreat(*land, *owner, direction);
        }
      } else {
        LogLine(L"retreat_check_failed._defender_stands_fast.");
      }
    }
  }

  // 11. The attackers' losses: a share of q times the defender's loss value,
  // by strength value.
  if (!overrun && landDefender) {
    const float total = q * defenderLossValue;
    const float totalValue = attack.GetTotalStrengthValue();
    for (cJednostka*& a : attack.attackers) {
      if (a == nullptr || !IsLand(a)) continue;
      const float share = totalValue > 0.0f ? a->GetStrengthValue() / totalValue * total : 0.0f;
      const float cost = a->GetUnitCost();
      const int loss = cost > 0.0f ? std::max(static_cast<int>(share * 100.0f / cost), 0) : 0;
      AddLosses(defenderCountry, a->countryId, share);
      const std::wstring line = WFormat(L"%s losses %.2f strength", a->name.c_str(), static_cast<double>(share));
      LogLine(line);
      tell(line + L"\n");
      result.attackerInfo += line + L"\n";
      a->AddStrength(-loss);
      if (a->GetStrengthValue() < 0.1f) {
        const std::wstring fate = WFormat(L"%s destroyed!\n", a->name.c_str());
        tell(fate);
        result.attackerInfo += fate;
        LogLine(L"attacker_destroyed!");
        cJednostka* dead = a;
        dead->Kill();
        // No slot may keep the freed unit.
        for (cJednostka*& other : attack.attackers)
          if (other == dead) other = nullptr;
        result.attackerDestroyed |= 1;
      }
    }
    result.attackerLosses += total;
  }

  // 12. A defender that is no land unit (an air unit on the hex).
  if (!overrun && !landDefender && defender != nullptr) {
    LogLine(L"air_unit_defense_check");
    double loss = 0.0;
    if (weaker) {
      LogLine(L"attack_was_weaker_than_1:1!_no_effect!");
    } else {
      // In double, so that a table value of 60 leaves exactly 0.1.
      loss = static_cast<double>(p) * 0.25 / 100.0;
      if (0.25 - loss < 0.1) {
        defender->Kill();
        defender = nullptr;
        attack.defender = nullptr;
        result.defenderDestroyed |= 1;
      }
    }
    result.defenderLosses += static_cast<float>(loss);
    const std::wstring line = WFormat(Txt("report_looses_land_combat").c_str(), loss);
    tell(line + L"\n");
    result.defenderInfo += line + L"\n";
  }

  // 13. Only a combined attack marks the units.
  if (attackerCount > 1) {
    if (defender != nullptr) defender->wasAttacked = 1;
    for (cJednostka* a : attack.attackers)
      if (a != nullptr) a->attacked = 1;
  }

  // 14. The end: no undo across the battle, the reports of both sides.
  LogLine(L"===BATTLE END===");
  ForgetUndoRecord();
  LogLine(L"===UNDO WYCZYSZCZONE===");
  AddReport(0, attackerCountry, attackerReport);
  AddReport(1, defenderCountry, defenderReport);
  LogLine(L"===REPORTS ADDED===");
  return true;
}

bool ResolveSingleAttack(cJednostka* attacker, int x, int y, sWynikWalki& result) {
  sHex* target = HexAt(x, y);
  if (attacker == nullptr || target == nullptr || target->unit == nullptr) return false;
  sAtak attack;
  attack.defender = target->unit;
  attack.targetX = x;
  attack.targetY = y;
  int slot = 0;
  const int side =
      gGra->map->IsInside(attacker->x, attacker->y) ? gGra->map->GetDirection(x, y, attacker->x, attacker->y) : 0;
  if (side > 0) {
    slot = side - 1;
  } else {
    for (int d = 0; d < 6; ++d) {
      const sHex* n = gGra->map->GetNeighbourHex(x, y, d);
      if (n != nullptr && n->IsSea()) {
        slot = d;
        break;
      }
    }
  }
  attack.SetAttacker(attacker, slot);
  return ResolveLandCombat(attack, result);
}
