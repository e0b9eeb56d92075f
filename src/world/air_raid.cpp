// The hex's side of an air raid: the fighter that can intercept an attack on
// a land hex, and what a bombardment of the hex hits.
#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

int BombardNode(sWezelGrafuMorz& node, sWynikWalki& r, cUnit* attacker, const sHex& hex) {
  return node.BombardPort(r, attacker, hex);
}

NodeBombardmentFn gNodeBombardment = &BombardNode;

// Removes an attacker that died in the raid; true when the raid ends here,
// and the attacker is freed then. An air unit falls also when an
// interception failed only because its fighter fell too, which flags
// nothing.
bool AttackerFell(sWynikWalki& r, cUnit* attacker, const wchar_t* line) {
  if (auto* air = attacker->category == kCategoryAir ? dynamic_cast<cJednostkaLotnicza*>(attacker) : nullptr)
    return cJednostkaLotnicza::RemoveIfShotDown(air, r, line);
  if ((r.attackerDestroyed & 1) == 0) return false;
  LogLine(line);
  // A ship's virtual kill does nothing: a carrier lost in its
  // strike sinks here through the ships' own, as ships sunk in a sea battle.
  if (auto* ship = attacker->category == kCategoryNaval ? dynamic_cast<cJednostkaMorska*>(attacker) : nullptr)
    ship->Kill(true);
  else
    attacker->Kill();
  return true;
}

}  // namespace

void SetNodeBombardmentHandler(NodeBombardmentFn fn) {
  gNodeBombardment = fn != nullptr ? fn : &BombardNode;
}

cJednostkaLotnicza* sHex::FindInterceptor(int country) const {
  LogF(L"Searching for interceptor while attacking hex (%i, %i / land)", static_cast<int>(x), static_cast<int>(y));
  cJednostkaLotnicza* best = nullptr;
  int bestPower = -1;
  if (gGra != nullptr) {
    for (cJednostkaLotnicza* u : gGra->airUnits) {
      const cPanstwo* owner = u->GetCountry();
      if (u->type != kTypeFighter || owner == nullptr || !gGra->relations.IsAtWar(owner->id, country)) continue;
      if (HexDistance(u->x, u->y, x, y) > u->GetOperationalRange()) continue;
      if (u->strength <= air_values::InterceptionStrength(owner->consts) / 2) continue;
      // The bonus is the scenario's, the same for every country's fighters.
      const int power = air_values::InterceptionBonus(gGra->consts, u->supply) + u->level + u->strength;
      LogF(L"Possible interceptor: %s, power: %i", u->name.c_str(), power);
      if (power > bestPower) {
        bestPower = power;
        best = u;
        LogLine(L"Interceptor above is best so far!");
      }
    }
  }
  LogLine(best != nullptr ? L"Searching for interceptor finished"
                          : L"Searching for interceptor finished, no interceptor found");
  return best;
}

int sHex::AirBombard(sWynikWalki& r, cUnit* a) {
  if (gGra == nullptr || a == nullptr) return 0;
  int last = 0;

  // The defender may intercept.
  cUnit* interceptor = nullptr;
  if (IsSea()) {
    if (const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(seaZone)) interceptor = node->FindInterceptor(a->countryId);
  } else {
    const int defender = unit != nullptr ? unit->countryId : controller;
    if (const cPanstwo* d = gGra->GetCountry(defender)) interceptor = d->FindInterceptor(x, y);
  }
  if (interceptor != nullptr) {
    last = a->Intercept(interceptor, r) ? 1 : 0;
    // A carrier left without hit points has fallen even when its interceptor
    // fell too, which flags nothing: it sinks as a plane without strength is
    // shot down.
    if (auto* ship = a->category == kCategoryNaval ? dynamic_cast<cJednostkaMorska*>(a) : nullptr;
        ship != nullptr && ship->hitPoints < 1 && (r.attackerDestroyed & 1) == 0) {
      r.attackerDestroyed |= 1;
      r.attackerInfo += Txt("report_unit_killed");
    }
    if (AttackerFell(r, a, L"Przechwycenie przy bombowaniu heksa udane, ataker zabijany") || last != 0) return last;
  }

  const bool heavy = a->type == kTypeStrategicBomber || a->type == kTypeCarrier;
  if (a->IsFullySpotted())
    FrontEnd().PlaySound(heavy ? L"data\\sound\\StrategicBombardment.wav" : L"data\\sound\\AirStrike.wav");

  if (a->category == kCategoryAir) {
    if (auto* air = dynamic_cast<cJednostka*>(a)) last = air->AddActionPoints(-1);
    r.resultCode = IsLand() ? sWynikWalki::kBombardment : sWynikWalki::kAirStrikeOnSeaZone;
  } else {
    r.resultCode = IsLand() ? sWynikWalki::kCarrierStrikeOnLand : sWynikWalki::kCarrierStrikeOnSeaZone;
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(a)) ship->airstrikeDone = 1;
  }
  r.attackerCountry = a->countryId;

  if (IsSea()) {
    r.generalText += Txt("report_bombardment_sea_zone_affected") + L"\n";
    sWezelGrafuMorz* node = gGra->seaGraph.FindNode(seaZone);
    if (node != nullptr && !node->IsPort()) {
      last = gNodeBombardment(*node, r, a, *this);
      AttackerFell(r, a, L"Attacker zabity podczas nalotu na hex (sea zone na heksie)");
    }
    return last;
  }

  // The unit on the hex.
  if (unit == nullptr) {
    r.generalText += Txt("report_bombardment_no_unit") + L"\n\n";
  } else {
    cJednostka* target = unit;
    target->spottedLevel = std::max(target->spottedLevel, 3);
    // The attacker's side has seen the unit it bombed.
    if (cPanstwo* seer = a->GetCountry();
        seer != nullptr && std::find(seer->airReconSightings.begin(), seer->airReconSightings.end(), target) ==
                               seer->airReconSightings.end())
      seer->airReconSightings.push_back(target);
    r.generalText += Txt("report_bombardment_affected_unit") + L"\n";
    target->Attack(r, a, 0);
    if (AttackerFell(r, a, L"Attacker zabity podczas nalotu na hex (jednostke na heksie)")) return last;
  }

  // The city, for the heavy raiders only.
  if (heavy) {
    if (city == nullptr) {
      r.generalText += Txt("report_bombardment_no_city") + L"\n\n";
    } else {
      r.generalText += Txt("report_bombardment_affected_city") + L"\n";
      city->StrategicBombardment(r, a, this);
      if (AttackerFell(r, a, L"Attacker zabity podczas nalotu na hex (miasto na heksie)")) return last;
    }
  }

  // The port.
  if (city != nullptr && city->IsPort() && seaNodeMarker != 0) {
    r.generalText += Txt("report_bombardment_port_affected") + L"\n";
    sWezelGrafuMorz* node = gGra->seaGraph.FindNode(seaNodeMarker);
    if (node != nullptr && node->IsPort()) {
      last = gNodeBombardment(*node, r, a, *this);
      AttackerFell(r, a, L"Attacker zabity podczas nalotu na hex (port na heksie)");
    }
  } else {
    r.generalText += Txt("report_bombardment_no_port") + L"\n\n";
  }
  return last;
}
