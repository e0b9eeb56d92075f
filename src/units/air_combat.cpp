// Air combat: an air unit attacked by an air unit or a carrier's planes, and
// the interception of an air mission by a fighter or a carrier. Both roll one
// die on a column of nine of the two air-combat result tables.
#include <algorithm>
#include <cmath>
#include <functional>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/reports.h"

namespace {

using unit_rules::AddLosses;
using unit_rules::ConstsOf;
using unit_rules::CountryName;
using unit_rules::Entry;
using unit_rules::NavalDoctrine;

void AppendLine(std::wstring& to, const std::wstring& text) {
  to += text;
  to += L'\n';
}

}  // namespace

bool cJednostka::RollCommanderAirFightProtection() const {
  const sDowodca* c = commander != nullptr ? commander : GetAssignedCommander();
  if (c == nullptr) return false;
  const float factor = static_cast<float>(air_values::CommanderAirFightFactor(ConstsOf(*this)) * c->skill);
  const int chance = static_cast<int>(GetCommandFactor() * factor);
  return RandomInRange(1, 100) < chance;
}

int cJednostka::GetCommanderBombardmentBonus() const {
  const sDowodca* c = commander != nullptr ? commander : GetAssignedCommander();
  if (c == nullptr) return 0;
  const float factor = static_cast<float>(air_values::CommanderBombardmentFactor(ConstsOf(*this)) * c->skill);
  return static_cast<int>(GetCommandFactor() * factor);
}

void cJednostkaLotnicza::ApplyCarrierLevelFloor(cJednostkaMorska& carrier) {
  const float f = air_values::CarrierLevelFloor(ConstsOf(carrier));
  const int floor = static_cast<int>(std::floor(static_cast<float>(carrier.maxHitPoints) * f / 100.0f));
  carrier.hitPoints = std::max(carrier.hitPoints, floor);
}

void cJednostkaLotnicza::AirFight(sWynikWalki& result, cUnit* attacker, std::wstring*) {
  if (attacker == nullptr) return;
  auto* airA = dynamic_cast<cJednostkaLotnicza*>(attacker);
  auto* carrierA = dynamic_cast<cJednostkaMorska*>(attacker);
  if (airA == nullptr && carrierA == nullptr) return;
  const sConsts& tables = ConstsOf(*attacker);

  int sA, lA, uA;
  if (airA != nullptr) {
    sA = airA->strength;
    lA = airA->level - 1;
    uA = air_values::InterceptionBonus(ConstsOf(*airA), airA->supply);
    airA->AddActionPoints(-1);
  } else {
    sA = carrierA->hitPoints;
    lA = NavalDoctrine(*carrierA) - 1;
    uA = air_values::InterceptionBonus(ConstsOf(*carrierA), 30);
  }
  const int sD = strength;
  const int lD = level;
  const int uD = air_values::InterceptionBonus(ConstsOf(*this), supply);

  result.resultCode = sWynikWalki::kAirFight;
  result.attackerCountry = attacker->countryId;
  result.defenderCountry = countryId;
  LogF(L"%s (strength:%i, level:%i, supply:%i) airfight with %s (strength:%i, level:%i, supply: %i)",
       attacker->name.c_str(), sA, lA, uA, name.c_str(), strength, level, uD);

  const int column = std::clamp(uA - uD - lD - sD + lA + sA, -4, 4);
  const int die = RandomInRange(1, 6);
  int lossA = Entry(tables.airCombatTableA, die, column);
  int lossD = Entry(tables.airCombatTableB, die, column);
  if (airA != nullptr && airA->RollCommanderAirFightProtection()) lossA = 0;
  if (RollCommanderAirFightProtection()) lossD = 0;
  AddLosses(attacker->countryId, countryId, lossD);
  AddLosses(countryId, attacker->countryId, lossA);
  LogF(L"Column = %+i, D6=%i, att losses=%i, def losses=%i", column, die, lossA, lossD);

  // The attacker is not removed here; the caller does that.
  bool attackerDead;
  if (airA != nullptr) {
    airA->strength -= lossA;
    attackerDead = airA->strength <= 0;
  } else {
    carrierA->ChangeLevelClamped(-lossA);
    attackerDead = carrierA->hitPoints < 1;
  }
  if (attackerDead) {
    result.attackerInfo += Txt("report_unit_killed");
    result.attackerDestroyed |= 1;
  }
  result.attackerLosses += static_cast<float>(lossA);
  AppendLine(result.attackerInfo, WFormat(Txt("report_looses_air_fight").c_str(), lossA));
  AppendLine(result.generalText,
             WFormat(Txt("report_air_fight").c_str(), GetSubtypeName(type).c_str(), name.c_str(),
                     CountryName(*this).c_str(), static_cast<double>(GetCombatStrength()), lossD));
  AppendLine(result.defenderInfo, WFormat(Txt("report_looses_air_fight").c_str(), lossD));

  strength -= lossD;
  result.defenderLosses += static_cast<float>(lossD);

  AddReport(2, attacker->countryId,
            WFormat(L"Air combat\n\n%s attacked %s (%s).\n\nAttacker losses: %.2f\nDefender losses: %.2f",
                    attacker->name.c_str(), name.c_str(), CountryName(*this).c_str(), static_cast<double>(lossA),
                    static_cast<double>(lossD)));
  // The defender's report names the defender as the one attacked, and the
  // attacker's country beside the attacker.
  AddReport(3, countryId,
            WFormat(L"Air combar\n\n%s was attacked by %s (%s).\n\nAttacker losses: %.2f\nDefender losses: %.2f",
                    name.c_str(), attacker->name.c_str(), CountryName(*attacker).c_str(),
                    static_cast<double>(lossA), static_cast<double>(lossD)));

  if (strength <= 0) {
    result.defenderInfo += Txt("report_unit_killed");
    result.defenderDestroyed |= 1;
    Kill();  // frees this unit: nothing may follow
  }
}

namespace {

// The end of an interception: the fighter shot down fails the mission, the
// mission's unit shot down or losing more than the fighter stops it.
bool SettleInterception(sWynikWalki& result, cJednostkaLotnicza* fighter, bool attackerDead, int lossM, int lossI,
                        bool logOutcome) {
  auto failed = [&]() {
    result.defenderInfo += Txt("report_details_interception_failed");
    result.attackerInfo += Txt("report_details_interception_failed_att");
  };
  auto succeeded = [&]() {
    result.attackerInfo += Txt("report_details_interception_succeeded_att");
    result.defenderInfo += Txt("report_details_interception_succeeded");
  };
  auto log = [&](const wchar_t* line) {
    if (logOutcome) LogLine(line);
  };
  if (fighter != nullptr && fighter->strength <= 0) {
    result.defenderDestroyed |= 1;
    result.defenderInfo += Txt("report_unit_killed");
    failed();
    log(L"Intercepcja nieudana, interceptor zdechl");
    fighter->Kill();
    return false;
  }
  if (attackerDead) {
    result.missionStopped = 1;
    result.attackerDestroyed |= 1;
    result.attackerInfo += Txt("report_unit_killed");
    succeeded();
    log(L"Intercepcja udana, ataker zabity");
    return true;
  }
  if (lossM > lossI) {
    succeeded();
    log(L"Intercepcja udana, interceptor straci\u0139\u201a mniej ni\u0139\u013d ataker");
    return true;
  }
  failed();
  log(L"Intercepcja nieudana, interceptor straci\u0139\u201a wi\u00c4\u2122cej ni\u0139\u013d ataker");
  return false;
}

}  // namespace

bool ResolveInterception(cUnit& mover, cUnit* interceptor, sWynikWalki& result,
                         const std::function<int(const cUnit& interceptor)>& moverColumn,
                         const std::function<int(int loss)>& takeLoss, const std::function<bool()>& moverDead,
                         bool logFight) {
  if (interceptor == nullptr) return false;
  auto* fighter = interceptor->type == kTypeFighter ? dynamic_cast<cJednostkaLotnicza*>(interceptor) : nullptr;
  auto* carrier = interceptor->type == kTypeCarrier ? dynamic_cast<cJednostkaMorska*>(interceptor) : nullptr;
  int sI = 0, lI = 0;
  if (fighter != nullptr) {
    sI = fighter->strength;
    lI = fighter->level;
  } else if (carrier != nullptr) {
    sI = carrier->hitPoints;
    lI = NavalDoctrine(*carrier);
  }
  if (mover.IsFullySpotted() || interceptor->IsFullySpotted())
    FrontEnd().PlaySound(L"data\\sound\\AirToAirCombat.wav");

  result.resultCode = sWynikWalki::kInterception;
  const std::wstring interceptorName = interceptor->name;
  const int interceptorCountry = interceptor->countryId;
  const int interceptorType = interceptor->type;
  LogF(L"%s tries to intercept %s", interceptorName.c_str(), mover.name.c_str());

  const sConsts& tables = ConstsOf(mover);
  const int column = std::clamp(moverColumn(*interceptor) - lI - sI, -4, 4);
  const int die = RandomInRange(1, 6);
  int lossI = Entry(tables.airCombatTableA, die, column);
  const int rolledLossM = Entry(tables.airCombatTableB, die, column);

  if (fighter != nullptr) {
    fighter->strength -= lossI;
  } else if (carrier != nullptr) {
    const int before = carrier->hitPoints;
    carrier->ChangeLevelClamped(-lossI);
    cJednostkaLotnicza::ApplyCarrierLevelFloor(*carrier);
    lossI = before - carrier->hitPoints;
  }
  const int lossM = takeLoss(rolledLossM);
  AddLosses(mover.countryId, interceptorCountry, lossI);
  AddLosses(interceptorCountry, mover.countryId, lossM);

  result.attackerLosses += static_cast<float>(lossM);
  result.defenderLosses += static_cast<float>(lossI);
  result.intercepted = 1;
  result.lossText += Txt("report_looses_interception");
  result.attackerInfo += WFormat(Txt("report_details_interception_att").c_str(),
                                 cJednostka::GetSubtypeName(mover.type).c_str(), mover.name.c_str(),
                                 interceptorName.c_str(), lossM);
  result.defenderInfo += WFormat(Txt("report_details_interception").c_str(),
                                 cJednostka::GetSubtypeName(interceptorType).c_str(), interceptorName.c_str(),
                                 mover.name.c_str(), lossI);
  if (logFight) LogLine(L"Intercepcja w toku, linia 486");

  return SettleInterception(result, fighter, moverDead(), lossM, lossI, logFight);
}

bool cJednostkaLotnicza::IsShotDown(const sWynikWalki& result) const {
  return (result.attackerDestroyed & 1) != 0 || strength <= 0;
}

bool cJednostkaLotnicza::RemoveIfShotDown(cJednostkaLotnicza* unit, sWynikWalki& result,
                                          const std::wstring& logLine) {
  if (unit == nullptr || !unit->IsShotDown(result)) return false;
  LogLine(logLine);
  if ((result.attackerDestroyed & 1) == 0) {
    result.attackerDestroyed |= 1;
    result.attackerInfo += Txt("report_unit_killed");
  }
  unit->Kill();
  return true;
}

bool cJednostkaLotnicza::Intercept(cUnit* interceptor, sWynikWalki& result) {
  return ResolveInterception(
      *this, interceptor, result, [this](const cUnit&) { return level + strength; },
      [this](int loss) {
        strength -= loss;
        return loss;
      },
      [this] { return strength <= 0; }, true);
}
