// An air unit or a ship bombards a land unit: the attack's effectiveness
// from eight factors, two dice for the losses of both sides, the combat
// result record, the relations' loss tallies and the two turn reports.
#include <algorithm>
#include <string>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/bombard_values.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"

namespace bv = bombard_values;

namespace {

constexpr int kAirStrikeAttackerReport = 8;
constexpr int kAirStrikeDefenderReport = 9;
// A ship's supply does not weaken its guns: it always reads this level.
constexpr int kShipSupplyIndex = 30;
constexpr int kColumns = 5;

const sConsts& ConstsOfCountry(const cPanstwo* country) {
  static const sConsts kNone{};
  if (country != nullptr) return country->consts;
  return gGra != nullptr ? gGra->consts : kNone;
}

std::wstring NameOf(const cPanstwo* country) { return country != nullptr ? country->name : std::wstring(); }

void AddLosses(int a, int b, float amount) {
  if (gGra != nullptr && a >= 1 && b >= 1) gGra->relations.ChangeLosses(a, b, amount);
}

}  // namespace

void cJednostkaLadowa::Attack(sWynikWalki& result, cUnit* attacker, int) {
  auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
  auto* ship = dynamic_cast<cJednostkaMorska*>(attacker);
  if (air == nullptr && ship == nullptr) {
    LogLine(L"WARNING: bombardment of a land unit without an air or naval attacker skipped");
    return;
  }
  LogF(L"%s is bombed by %s", name.c_str(), attacker->name.c_str());

  const cPanstwo* a = attacker->GetCountry();
  const cPanstwo* d = GetCountry();
  const sConsts& ac = ConstsOfCountry(a);
  const sConsts& dc = ConstsOfCountry(d);
  const sHex* hex = gGra != nullptr && gGra->map != nullptr && gGra->map->IsInside(x, y) ? gGra->map->GetHex(x, y)
                                                                                          : nullptr;

  // The attacker's strength in percent of its full strength; a zero divisor
  // in the data leaves an attack of no strength rather than a division by 0.
  long double strengthPct = 0.0L;
  int levelIndex = 0;
  int supplyIndex = kShipSupplyIndex;
  if (air != nullptr) {
    const int full = bv::MaxAirStrength(ac);
    if (full > 0) strengthPct = 100.0L * air->strength / full;
    levelIndex = air->level - 1;
    supplyIndex = air->supply;
  } else {
    if (ship->maxHitPoints > 0) strengthPct = 100.0L * ship->hitPoints / ship->maxHitPoints;
    levelIndex = (a != nullptr ? a->techLevels[naval_values::kNavyTech] : 1) - 1;
  }

  result.resultCode = sWynikWalki::kBombardment;
  result.attackerCountry = attacker->countryId;
  result.defenderCountry = countryId;

  const int terrain = hex != nullptr ? static_cast<int>(hex->terrain) : static_cast<int>(kTerrainPlain);
  const int fortLevel = hex != nullptr ? hex->fort : 0;
  const long double levelMod = bv::LevelFactor(ac, levelIndex);
  const long double supplyMod = bv::SupplyFactor(ac, supplyIndex);
  const long double terrainMod = bv::TerrainFactor(dc, terrain);
  const int fortInt = 100 - bv::FortStep(dc) * fortLevel;
  const long double city = hex != nullptr && hex->city != nullptr ? static_cast<long double>(bv::CityFactor(dc)) : 100.0L;
  const long double weather = bv::WeatherFactor(dc, hex != nullptr ? static_cast<int>(hex->weather) : 0);
  const long double enforcement =
      100.0L - static_cast<long double>(bv::EntrenchmentFactor(dc)) * trenchBonusMultiplier;
  if (fortInt <= 0)
    FatalExit(WFormat(Txt("error:_fort_in_hex_(%i,%i)_is_%i_which_exceeds_max._allowed_value!").c_str(), x, y,
                      fortLevel));
  const long double fort = fortInt;
  LogF(L"Modifiers: Strength(%.1f) Level(%.0f) Supply(%.0f) Terrain(%.0f) Weather(%.0f) City(%.0f) Fort(%.0f) "
       L"Enforcement(%.0f)",
       static_cast<double>(strengthPct), static_cast<double>(levelMod), static_cast<double>(supplyMod),
       static_cast<double>(terrainMod), static_cast<double>(weather), static_cast<double>(city),
       static_cast<double>(fort), static_cast<double>(enforcement));

  float effect = static_cast<float>(strengthPct * levelMod / 100 * supplyMod / 100 * terrainMod / 100 * weather / 100 *
                                    city / 100 * fort / 100 * enforcement / 100);
  if (effect < 1.0f) effect = 1.0f;
  LogF(L"Attack effectiveness = %.1f", static_cast<double>(effect));

  const int dieA = RandomInRange(1, 6);
  const int dieB = RandomInRange(1, 6);

  float defenderLoss = ac.bombardDefenderLoss[dieB - 1] * effect / 100.0f;
  if (air != nullptr && air->RollCommanderAirFightProtection()) defenderLoss *= 2.0f;
  AddLosses(attacker->countryId, countryId, defenderLoss);
  LogF(L"Obronca: D6=%i Straty=%.2f", dieB, static_cast<double>(defenderLoss));

  const int penalty = (100 - strength) / 20;
  const int column = std::clamp(level - penalty, 1, kColumns);
  LogF(L"Wyznaczenie kolumny. Poziom obroncy(%i)-Kara(%i) = KOLUMNA %i", level, penalty, column);

  int attackerLoss = ac.bombardAttackerLoss[dieA - 1][column - 1];
  if (air != nullptr && air->RollCommanderAirFightProtection()) attackerLoss = 0;
  LogF(L"Atakujacy: D6=%i, stracone pkty si\u0142y = %i", dieA, attackerLoss);

  const std::wstring killed = Txt("report_unit_killed");
  float attackerAfter = 0.0f;
  if (air != nullptr) {
    air->strength -= attackerLoss;
    attackerAfter = static_cast<float>(air->strength);
  } else {
    ship->ChangeLevelClamped(-attackerLoss);
    attackerAfter = static_cast<float>(ship->hitPoints);
  }
  const bool attackerDead = air != nullptr ? attackerAfter < 0.1f : attackerAfter <= 0.0f;
  if (attackerDead) {
    result.attackerInfo += L"\n" + killed;
    result.attackerDestroyed |= 1;
  }

  result.attackerLosses += static_cast<float>(attackerLoss);
  result.generalText +=
      WFormat(Txt("report_looses_bombardment").c_str(), static_cast<double>(attackerLoss)) + L"\n";
  AddLosses(countryId, attacker->countryId, static_cast<float>(attackerLoss));

  result.attackerInfo += WFormat(Txt("report_bombardment_land_unit_attacker").c_str(),
                                 cJednostka::GetSubtypeName(attacker->type).c_str(), attacker->name.c_str(),
                                 static_cast<double>(std::max(attackerAfter, 0.0f)), attackerLoss);
  result.attackerInfo += L"\n";
  result.attackerInfo += WFormat(Txt("report_bombardment_land_unit_attacker_parameters").c_str(),
                                 static_cast<double>(strengthPct), static_cast<double>(levelMod),
                                 static_cast<double>(supplyMod));
  if (attackerAfter <= 0.0f) {
    result.attackerDestroyed |= 1;
    result.attackerInfo += L"\n" + killed;
  }
  result.attackerInfo += L"\n\n";

  // A unit of no cost has no strength value to lose: it loses no points.
  const float cost = GetUnitCost();
  const int lost = cost > 0.0f ? static_cast<int>(defenderLoss * 100.0f / cost) : 0;
  AddStrength(-lost);

  result.defenderInfo += WFormat(Txt("report_bombardment_land_unit").c_str(), cJednostka::GetSubtypeName(type).c_str(),
                                 name.c_str(), NameOf(d).c_str(), static_cast<double>(GetStrengthValue()),
                                 static_cast<double>(defenderLoss));
  result.defenderInfo += L"\n";
  result.defenderInfo += WFormat(Txt("report_bombardment_land_unit_parameters").c_str(),
                                 static_cast<double>(terrainMod), static_cast<double>(city), static_cast<double>(fort),
                                 static_cast<double>(weather), static_cast<double>(enforcement));

  const std::wstring line = WFormat(L"\n%s (%s) bombed %s (%s) on hex (%d, %d)\n\n", attacker->name.c_str(),
                                    NameOf(a).c_str(), name.c_str(), NameOf(d).c_str(), x, y);
  const int defenderCountry = countryId;
  // Killing frees this unit: from here on only locals are read.
  if (GetStrengthValue() < 0.1f) {
    result.defenderInfo += killed;
    result.defenderDestroyed |= 1;
    LogLine(L"Defender killed");
    Kill();
  }
  result.defenderInfo += L"\n\n";

  result.defenderLosses += static_cast<float>(lost);
  result.lossText += WFormat(Txt("report_looses_bombardment").c_str(), static_cast<double>(defenderLoss)) + L"\n";

  AddReport(kAirStrikeAttackerReport, attacker->countryId, line + result.attackerInfo);
  AddReport(kAirStrikeDefenderReport, defenderCountry, line + result.defenderInfo);
  LogLine(L"Bombowanie skonczone");
}
