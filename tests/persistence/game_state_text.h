#pragma once
// What a running game answers, as text, one line per thing: units (on the
// map, aboard, in reserve), hexes, cities, countries, relations, fleets,
// convoys, flags and reports. Two games that a save and a load should make
// equal give the same text, and a difference shows as the line that moved.
#include <cstdio>
#include <sstream>
#include <string>

#include "core/text.h"
#include "persistence/auto_events.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"
#include "world/strategic_moves.h"

namespace persistence_test {

// Reals as the tables write them: six decimals.
inline std::string Real(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", v);
  return buffer;
}

inline std::string DescribeUnit(const cUnit& u) {
  std::ostringstream s;
  s << u.category << ' ' << u.unitId << " '" << WideToUtf8(u.name) << "' c" << u.countryId << " t" << u.type << " @"
    << u.x << ',' << u.y << " r" << int(u.inReserve) << " cmd" << (u.commander != nullptr ? u.commander->id : -1)
    << " nosup" << u.turnsWithoutSupply << " avail" << u.availableInTurns;
  if (const auto* j = dynamic_cast<const cJednostka*>(&u))
    s << " lvl" << j->level << " eff" << j->effectiveness << " ap" << j->actionPoints << '/' << j->startingActionPoints
      << " sup" << j->supply << " src" << j->supplySourceX << ',' << j->supplySourceY << " att" << int(j->attacked)
      << int(j->wasAttacked);
  if (const auto* land = dynamic_cast<const cJednostkaLadowa*>(&u)) {
    s << " str" << land->strength << " frz" << land->freezeTime << " ev" << land->eventsEffect << " ai"
      << land->aiOrder << ':' << land->aiTargetX << ',' << land->aiTargetY << ':' << land->aiUltimateTargetX << ','
      << land->aiUltimateTargetY << " drop" << land->turnsFromLastParadrop << " trench" << land->trenchBonusMultiplier
      << " last" << land->lastX << ',' << land->lastY << " ship" << land->transportShipId << " aboard"
      << (land->transport != nullptr ? land->transport->unitId : -1) << " shore" << Real(land->shoreBombardmentEffect);
    if (const auto* harbour = dynamic_cast<const cMulberry*>(land)) s << " months" << harbour->monthsLeft;
  }
  if (const auto* air = dynamic_cast<const cJednostkaLotnicza*>(&u))
    s << " str" << air->strength << " recon" << int(air->reconDone);
  if (const auto* ship = dynamic_cast<const cJednostkaMorska*>(&u))
    s << " fleet" << (ship->fleet != nullptr ? ship->fleet->id : -1) << '/' << ship->fleetId << " hp" << ship->hitPoints
      << '/' << ship->maxHitPoints << " done" << int(ship->shoreBombardmentDone) << int(ship->airstrikeDone)
      << int(ship->reconDone) << int(ship->canBeRepaired) << " carries"
      << (ship->carriedUnit != nullptr ? ship->carriedUnit->unitId : -1);
  return s.str();
}

inline std::string DescribeGameState(const cGra& g) {
  std::ostringstream s;
  s << "date " << g.date.turn << '/' << g.date.month << '/' << g.date.year << " shown " << g.displayedDay << '.'
    << g.displayedMonth << '.' << g.displayedYear << " turn " << g.turn << " left " << g.turnsLeft << " monthly "
    << g.lastHarbourMonth << " scenario " << WideToUtf8(g.scenarioName) << " over " << int(g.gameOver) << '\n';
  s << "next ids " << g.nextConvoyId << ' ' << g.nextFleetNumber << ' ' << g.navalUnitCounter << ' '
    << g.landUnitCounter << ' ' << g.airUnitCounter << '\n';
  for (const cPanstwo* c : g.countries) {
    s << "country " << c->id << " '" << WideToUtf8(c->name) << "' " << int(c->active) << " al" << c->alliance << " or"
      << c->orientation << " zone" << c->zoneOfInfluence << " entry" << c->allianceEntry << " pol"
      << c->politicalStrength << " pp" << Real(c->productionPoints) << " dp" << c->diplomaticPoints << " smp"
      << c->strategicMovementPoints << '/' << c->strategicMovementUsed << " stp" << c->seaTransportPoints << '/'
      << c->seaTransportUsedByConvoys << " aip" << c->amphibiousPoints << '/' << c->amphibiousPointsInUse << " cap"
      << c->capitalX << ',' << c->capitalY << " unrest" << Real(c->socialUnrest) << " war" << Real(c->warEconomy)
      << " human" << int(c->humanControlled) << " pbem" << c->pbemPlayerId << " tech";
    for (int i = 0; i < 7; ++i)
      s << ' ' << c->techLevels[i] << ':' << c->techInvestments[i] << ':' << c->researchProgress[i];
    s << " ai " << c->ai.makesSeaInvasions << ' ' << c->ai.maxSafeMoveCost << ' ' << c->ai.doNotAttackCities.size()
      << ' ' << c->ai.extraCitiesToGarrison.size() << ' ' << c->ai.seaZonesToPatrol.size() << ' '
      << c->ai.currentTargets.size() << ' ' << c->ai.purchaseQueue.size() << ' ' << c->ai.countriesToPress.size()
      << ' ' << c->ai.obligatorySeaInvasionTargets.size() << '\n';
    for (const std::wstring& r : c->airAttackReports) s << "  air attack report " << WideToUtf8(r) << '\n';
    for (const cUnit* u : c->airReconSightings) s << "  sighted " << u->unitId << '\n';
  }
  for (const cMiasto* c : g.cities) {
    s << "city '" << WideToUtf8(c->name) << "' " << c->x << ',' << c->y << " t" << c->type << " vp"
      << c->victoryPoints << " pp" << Real(c->productionPoints) << " sup" << c->supply << " bomb"
      << c->bombardmentLosses << " owner" << c->GetOwner() << " ctl" << c->GetController() << " supplyinfo";
    for (int32_t v : c->supplyInfo) s << ' ' << v;
    s << " convoyinfo";
    for (uint8_t v : c->convoyInfo) s << ' ' << int(v);
    s << '\n';
  }
  for (const sDowodca* c : g.commanders)
    s << "commander " << c->id << " '" << WideToUtf8(c->name) << "' " << c->countryId << " t" << c->type << " skill"
      << c->skill << " xp" << c->experience << " state" << c->state << " leads"
      << (c->unit != nullptr ? c->unit->category * 100000 + c->unit->unitId : -1) << '\n';
  for (const cJednostka* u : g.landUnits) s << "land " << DescribeUnit(*u) << '\n';
  for (const cJednostka* u : g.transportedUnits) s << "transported " << DescribeUnit(*u) << '\n';
  for (const cJednostka* u : g.amphibiousUnits) s << "amphibious " << DescribeUnit(*u) << '\n';
  for (const cJednostka* u : g.airUnits) s << "air " << DescribeUnit(*u) << '\n';
  for (const cJednostka* u : g.reserve) s << "reserve " << DescribeUnit(*u) << '\n';
  for (const cUnit* u : g.navalUnits) s << "ship " << DescribeUnit(*u) << '\n';
  for (const cUnit* u : g.navalReserve) s << "spare ship " << DescribeUnit(*u) << '\n';
  for (const sFlota* f : g.fleets) {
    s << "fleet " << f->id << " '" << WideToUtf8(f->name) << "' c" << f->countryId << " node" << f->seaNode
      << " ships";
    for (const cJednostkaMorska* ship : f->ships) s << ' ' << ship->unitId;
    s << '\n';
  }
  if (g.convoys != nullptr)
    for (const std::vector<sKonwoj>& list : g.convoys->convoys)
      for (const sKonwoj& k : list)
        s << "convoy " << k.id << " c" << k.countryId << " k" << k.kind << " v" << k.value << ' '
          << (k.departure != nullptr ? WideToUtf8(k.departure->name) : "-") << " -> "
          << (k.destination != nullptr ? WideToUtf8(k.destination->name) : "-") << '\n';
  for (const cPanstwo* a : g.countries)
    for (const cPanstwo* b : g.countries)
      s << "relation " << a->id << ' ' << b->id << ' ' << int(g.relations.IsAtWar(a->id, b->id)) << ' '
        << Real(g.relations.GetLosses(a->id, b->id)) << '\n';
  for (size_t n = 0; n < g.scenarioFlags.size(); ++n)
    if (g.scenarioFlags[n] != 0) s << "flag " << n << '=' << g.scenarioFlags[n] << '\n';
  if (g.reports != nullptr)
    for (const sRaport& r : g.reports->reports)
      s << "report " << r.kind << ' ' << r.day << '.' << r.month << '.' << r.year << ' ' << r.turn << ' '
        << r.countryId << ' ' << r.flag << ' ' << WideToUtf8(r.text) << '\n';
  if (g.autoEvents != nullptr)
    for (const auto& p : g.autoEvents->Pairs()) s << "auto event " << p.eventId << ' ' << p.optionId << '\n';
  if (g.strategicMoves != nullptr)
    for (size_t i = 0; i < g.strategicMoves->size(); ++i)
      for (const auto& group : (*g.strategicMoves)[i]) {
        s << "city group " << i;
        for (const cMiasto* c : group) s << ' ' << c->x << ',' << c->y;
        s << '\n';
      }
  for (int p = 0; p < 10; ++p) s << "place " << g.map->GetViewBookmark(p).x << ',' << g.map->GetViewBookmark(p).y << '\n';
  for (int y = 0; y < g.map->GetHeight(); ++y)
    for (int x = 0; x < g.map->GetWidth(); ++x) {
      const sHex& h = *g.map->GetHex(x, y);
      s << "hex " << x << ',' << y << " t" << int(h.terrain) << " riv" << int(h.rivers) << " own" << int(h.owner)
        << '/' << int(h.controller) << '/' << int(h.originalOwner) << " zone" << h.seaZone << " fort" << int(h.fort)
        << " weather" << h.weather << " borders" << h.borders << " city"
        << (h.city != nullptr ? WideToUtf8(h.city->name) : "-") << " unit"
        << (h.unit != nullptr ? h.unit->category * 100000 + h.unit->unitId : -1) << '\n';
    }
  return s.str();
}

}  // namespace persistence_test
