#include "world/convoys.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/saturate.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoy_values.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"
#include "world/sea_graph.h"

namespace {

// The marks of the convoys dialog's port picks.
constexpr uint32_t kMarkConvoyPort = 0x8000;
constexpr uint32_t kMarkConvoyPortAlt = 0x4000;

cMiasto* CityAt(int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) return nullptr;
  return gGra->map->GetHex(x, y)->city;
}

// The port node of a city; 0 for a city that is no port or has no node
// (an event may name any city, and such a convoy simply finds no route).
int PortNodeOf(const cMiasto* city) {
  if (city == nullptr || !city->IsPort()) return 0;
  const sHex* hex = city->GetHex();
  if (hex == nullptr || hex->seaNodeMarker == 0) return 0;
  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(hex->seaNodeMarker);
  return node != nullptr && node->IsPort() ? node->id : 0;
}

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b) != 0; }

std::wstring NameOf(const cPanstwo* c) { return c != nullptr ? c->name : std::wstring(); }
std::wstring NameOf(const cMiasto* c) { return c != nullptr ? c->name : std::wstring(); }

// A key's text formatted with the arguments.
template <class... Args>
std::wstring TxtF(const char* key, Args... args) {
  return WFormat(Txt(key).c_str(), args...);
}

// The commander bonus of a convoy attack: skill times the factor of the
// commander's country.
int CommanderBonus(const cJednostkaMorska* ship) {
  if (ship == nullptr || ship->commander == nullptr) return 0;
  const sDowodca* c = ship->commander;
  const cPanstwo* country = gGra->GetCountry(c->countryId);
  if (country == nullptr) country = ship->GetCountry();
  return country != nullptr ? c->skill * convoy_values::CommanderFactor(country->consts) : 0;
}

void SetCitySupply(cMiasto* city, int country, int value) {
  if (country >= 1 && static_cast<size_t>(country) <= city->supplyInfo.size())
    city->supplyInfo[static_cast<size_t>(country) - 1] = value;
}

void MarkConvoySupply(cMiasto* city, int country) {
  if (country >= 1 && static_cast<size_t>(country) <= city->convoyInfo.size())
    city->convoyInfo[static_cast<size_t>(country) - 1] = 1;
}

// The group of the supply phase that holds the city; null when none does.
const tCityGroup* GroupOf(const tCityGroupSet& groups, const cMiasto* city) {
  for (const tCityGroup& g : groups)
    if (std::find(g.begin(), g.end(), city) != g.end()) return &g;
  return nullptr;
}

}  // namespace

// ---- the convoy ----------------------------------------------------------------

sKonwoj::sKonwoj(int country, int convoyKind, cMiasto* from, cMiasto* to)
    : countryId(country), departure(from), destination(to), kind(convoyKind) {
  if (gGra == nullptr) return;
  id = ++gGra->nextConvoyId;
  if (const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(PortNodeOf(from))) departurePortSize = node->currentSize;
}

int ConvoyAttackChance(const sWynikKonwojow& result) {
  if (gGra == nullptr) return 0;
  const int afloat = result.usedStp - result.lostStp;
  const float base = static_cast<float>(static_cast<int>(gGra->consts.convoyBaseChance));
  return SaturatedInt(base * convoy_values::AttackFactor(gGra->consts, afloat));
}

// ---- the manager ---------------------------------------------------------------

void cKonwoje::Resize(int countryCount) {
  const size_t n = countryCount > 0 ? static_cast<size_t>(countryCount) : 0;
  convoys.assign(n, {});
  results.assign(n, {});
}

std::vector<sKonwoj>* cKonwoje::ListOf(int country) {
  if (country < 1 || static_cast<size_t>(country) > convoys.size()) {
    LogF(L"ERROR: no convoy list for country ID=%i (%i lists)", country, static_cast<int>(convoys.size()));
    return nullptr;
  }
  return &convoys[static_cast<size_t>(country) - 1];
}

int cKonwoje::Append(sKonwoj convoy) {
  std::vector<sKonwoj>* list = ListOf(convoy.countryId);
  if (list == nullptr) return -1;
  list->push_back(convoy);
  return convoy.id;
}

int cKonwoje::AddConvoy(cMiasto* from, cMiasto* to, int country) {
  if (from == nullptr || to == nullptr || !from->IsPort() || !to->IsPort()) return -1;
  const cPanstwo* c = gGra->GetCountry(country);
  if (c == nullptr || ListOf(country) == nullptr) return -1;
  sKonwoj convoy(country, kConvoySupplies, from, to);
  convoy.value = convoy_values::FullSupply(*c) - to->GetSupplyFor(country);
  if (convoy.value < 1) {
    LogLine(L"Znowu k*wa jakis konwoj z wartoscia <= 0");
    convoy.value = 0;
  }
  return Append(convoy);
}

int cKonwoje::AddConvoyBetweenSeaNodes(int fromNode, int toNode, int country) {
  const sWezelGrafuMorz* from = gGra->seaGraph.FindNode(fromNode);
  const sWezelGrafuMorz* to = gGra->seaGraph.FindNode(toNode);
  if (from == nullptr) {
    LogF(L"ERROR: New convoy has departure sea node with ID=%i, there's no such sea node!", fromNode);
    return -1;
  }
  if (to == nullptr) {
    LogF(L"ERROR: New convoy has destination sea node with ID=%i, there's no such sea node!", toNode);
    return -1;
  }
  cMiasto* a = CityAt(from->mainX, from->mainY);
  if (a == nullptr || !a->IsPort()) {
    LogF(L"ERROR: New convoy has departure sea node with ID=%i, there's no port city for this sea node!", fromNode);
    return -1;
  }
  cMiasto* b = CityAt(to->mainX, to->mainY);
  if (b == nullptr || !b->IsPort()) {
    LogF(L"ERROR: New convoy has destination sea node with ID=%i, there's no port city for this sea node!", toNode);
    return -1;
  }
  if (ListOf(country) == nullptr) return -1;
  return Append(sKonwoj(country, kConvoySupplies, a, b));
}

int cKonwoje::AddConvoyBetweenCities(int country, int kind, int value, int x1, int y1, int x2, int y2) {
  cMiasto* a = CityAt(x1, y1);
  cMiasto* b = CityAt(x2, y2);
  if (a == nullptr || b == nullptr || ListOf(country) == nullptr) return -1;
  sKonwoj convoy(country, kind, a, b);
  convoy.value = value;
  return Append(convoy);
}

void cKonwoje::RemoveConvoy(int country, int kind, int x1, int y1, int x2, int y2) {
  const cMiasto* a = CityAt(x1, y1);
  const cMiasto* b = CityAt(x2, y2);
  std::vector<sKonwoj>* list = a != nullptr && b != nullptr ? ListOf(country) : nullptr;
  if (list == nullptr) return;
  std::erase_if(*list, [&](const sKonwoj& k) { return k.kind == kind && k.departure == a && k.destination == b; });
}

void cKonwoje::RemoveOneConvoy(int country) {
  std::vector<sKonwoj>* list = ListOf(country);
  if (list == nullptr) return;
  auto it = std::find_if(list->begin(), list->end(), [&](const sKonwoj& k) { return k.countryId == country; });
  if (it != list->end()) list->erase(it);
}

bool cKonwoje::HasConvoyFromCity(const cMiasto* city, int country) const {
  if (country < 1 || static_cast<size_t>(country) > convoys.size()) return false;
  const std::vector<sKonwoj>& list = convoys[static_cast<size_t>(country) - 1];
  return std::any_of(list.begin(), list.end(), [&](const sKonwoj& k) { return k.departure == city; });
}

void cKonwoje::MarkSourcePorts(int country) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  map.ClearMarks(kMarkConvoyPort | kMarkConvoyPortAlt, false);
  for (const sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    if (!node.IsPort() || !map.IsInside(node.mainX, node.mainY)) continue;
    if (!map.GetHex(node.mainX, node.mainY)->IsFriendlyTo(country)) continue;
    if (map.IsInside(node.playerUnitX, node.playerUnitY))
      map.GetHex(node.playerUnitX, node.playerUnitY)->SetMark(kMarkConvoyPort, -1);
  }
}

void cKonwoje::MarkDestinationPorts(int country, int sourceNode) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  map.ClearMarks(kMarkConvoyPort | kMarkConvoyPortAlt, false);
  const cPanstwo* c = gGra->GetCountry(country);
  if (c == nullptr) return;
  for (const sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    if (!node.IsPort() || node.id == sourceNode || !map.IsInside(node.mainX, node.mainY)) continue;
    const int holder = map.GetHex(node.mainX, node.mainY)->controller;
    const bool open = c->alliance == kAllianceNeutral ? !AtWar(holder, country) : c->IsAlly(holder);
    if (open && map.IsInside(node.playerUnitX, node.playerUnitY))
      map.GetHex(node.playerUnitX, node.playerUnitY)->SetMark(kMarkConvoyPort, -1);
  }
}

// ---- execution -----------------------------------------------------------------

void cKonwoje::ExecuteAllConvoys(int country, const tCityGroupSet& groups, const tSupplyAssignments& units) {
  if (gGra == nullptr) return;
  cPanstwo* c = gGra->GetCountry(country);
  LogLine(TxtF("executing_all_convoys_for_%s", NameOf(c).c_str()));
  if (c != nullptr) {
    LogLine(L"Dodaje krajowi STPz konwojow wykonanych z poprzedniej tury");
    c->ChangeSTP(c->seaTransportUsedByConvoys);
    LogLine(L"Ustawiam krajowi STP uzyte przez konwoje na 0");
    c->seaTransportUsedByConvoys = 0;
  }
  const bool haveResults = country >= 1 && static_cast<size_t>(country) <= results.size();
  if (!haveResults)
    LogF(L"Wektor rezultatow konwojow panstw jest za ma\u0139\u201ay (%d elementow), nie ma wpisu dla panstwa o ID %d",
         static_cast<int>(results.size()), country);
  const bool haveConvoys = country >= 1 && static_cast<size_t>(country) <= convoys.size();
  if (!haveConvoys)
    LogF(L"Wektor konwojow panstw jest za ma\u0139\u201ay (%d elementow), nie ma wpisu dla panstwa o ID %d",
         static_cast<int>(convoys.size()), country);
  // Without both lists (or the country) there is nothing to run or keep.
  if (!haveResults || !haveConvoys || c == nullptr) return;

  std::vector<sWynikKonwojow>& out = results[static_cast<size_t>(country) - 1];
  out.clear();
  std::vector<sKonwoj>& list = convoys[static_cast<size_t>(country) - 1];
  for (size_t i = 0; i < list.size(); ++i) {
    sKonwoj& k = list[i];
    sWynikKonwojow r;
    ExecuteConvoy(k, r, groups, units);
    out.push_back(r);
    if (gGra->turn > 0) {
      LogF(L"Dodawanie raportu o wykonanym konwoju (indeks %d)", static_cast<int>(i));
      AddReport(kReportConvoyResult, country,
                WFormat(L"Convoy with %i of %s from %s to %s\n\nResult: %s\n\nDetails: %s", k.value,
                        k.kind == kConvoyResources ? L"PP" : L"supply", r.departure.c_str(), r.destination.c_str(),
                        r.result.c_str(), r.details.c_str()));
    }
  }
}

void cKonwoje::ExecuteConvoy(sKonwoj& k, sWynikKonwojow& out, const tCityGroupSet& groups,
                             const tSupplyAssignments& units) {
  const int id = k.countryId;
  cPanstwo* c = gGra != nullptr ? gGra->GetCountry(id) : nullptr;
  const std::wstring cName = NameOf(c);
  const std::wstring from = NameOf(k.departure);
  const std::wstring to = NameOf(k.destination);

  sWynikKonwojow r;
  r.departure = from;
  r.destination = to;
  r.cargo = k.kind == kConvoyResources ? TxtF("resources_(%i_pp)", k.value) : Txt("supplies");
  r.result = Txt("convoy_not_executed");
  // A failed check leaves the convoy in port: nothing is spent.
  auto fail = [&](const std::wstring& why) {
    r.details += why;
    out = r;
  };
  if (c == nullptr || k.departure == nullptr || k.destination == nullptr) return fail(std::wstring());

  const bool supplies = k.kind == kConvoySupplies;
  const bool resources = k.kind == kConvoyResources;
  const int fromHolder = k.departure->GetController();
  const int toHolder = k.destination->GetController();

  if (k.departure == k.destination)
    return fail(Txt("convoy_not_executed:_departure_city_is_the_same_like_arrival_city!"));
  if (supplies && c->alliance == kAllianceNeutral && !c->IsAtWarWithAnyone())
    return fail(TxtF(
        "convoy_not_executed:_supply_convoys_are_not_executed_for_neutral_countries_not_waging_war_(like_%s),_all_"
        "units_owned_by_such_countries_recieve_peace-time_supply_(half_of_max_supply)_automatically.",
        cName.c_str()));
  if (resources && fromHolder != id)
    return fail(TxtF(
        "convoy_not_executed:_for_resource_convoys,_departure_city_must_be_controlled_by_convoy's_owner._%s_is_not_"
        "controlled_by_%s.",
        from.c_str(), cName.c_str()));
  if (AtWar(toHolder, id)) return fail(TxtF("convoy_not_executed:_%s_is_controlled_by_enemy.", to.c_str()));
  if (resources && fromHolder == toHolder)
    return fail(TxtF(
        "convoy_not_executed:_both_%s_and_%s_are_controlled_by_%s._transporting_resources_within_one_country_is_not_"
        "needed.",
        to.c_str(), from.c_str(), cName.c_str()));
  if (fromHolder != id && !c->IsAlly(fromHolder))
    return fail(TxtF(
        "convoy_not_executed:_invalid_departure_city._%s_must_be_friendly_controlled_to_serve_as_a_departure_city_for_"
        "a_convoy",
        from.c_str()));

  const int fullSupply = convoy_values::FullSupply(*c);
  std::vector<int> route;
  const int fromNode = PortNodeOf(k.departure);
  const int toNode = PortNodeOf(k.destination);
  const std::wstring noRoute = TxtF(
      "convoy_not_executed:_there_is_no_sea_connection_between_%s_and_%s_(at_least_one_strait_on_the_way_is_not_"
      "friendly_controlled)",
      to.c_str(), from.c_str());
  if (supplies) {
    const int own = k.departure->GetSupplyFor(id);
    if (own < fullSupply || (own == fullSupply && k.departure->IsCutOffFor(id)))
      return fail(TxtF(
          "convoy_not_executed:_invalid_departure_city._%s_must_have_land_connection_with_valid_supply_source_to_"
          "serve_as_a_departure_city_for_a_convoy",
          from.c_str()));
    if (toHolder != id && !c->IsAlly(toHolder))
      return fail(Txt("convoy_not_executed:_cannot_send_supplies_to_enemy_or_neutral_countries"));
    if (fromNode == 0 || toNode == 0 || !gGra->seaGraph.FindSeaRoute(fromNode, toNode, id, true, route))
      return fail(noRoute);
  } else if (fromNode == 0 || toNode == 0 || !gGra->seaGraph.FindSeaRoute(fromNode, toNode, id, false, route)) {
    return fail(noRoute);
  }

  // What a resource convoy carries this turn; the standing order keeps its
  // own value whatever happens here.
  int value = k.value;
  if (resources) {
    if (value <= 0) return fail(Txt("convoy_not_executed:_convoy_cannot_transport_0_production_points"));
    if (c->productionPoints < 1.0) return fail(TxtF("convoy_not_executed:_%s_has_no_production_points!", cName.c_str()));
    if (static_cast<double>(value) > c->productionPoints) {
      const int held = static_cast<int>(c->productionPoints);
      r.details += TxtF(
          "note:_this_convoy_was_supposed_to_carry_resources_worth_%i_pp,_while_%s_has_only_%i_pp._amount_of_pp_"
          "carried_by_convoy_has_been_set_to_%i._",
          value, cName.c_str(), held, held);
      value = held;
    }
  }

  int needed = 0;
  const tCityGroup* group = nullptr;
  if (resources) {
    r.cargo = TxtF("resources_(%i_pp)", value);
    needed = SaturatedInt(convoy_values::StpPerProductionPoint(c->consts) * static_cast<float>(value));
  } else {
    group = GroupOf(groups, k.destination);
    if (group == nullptr)
      FatalExit(WFormat(L"CRITICAL ERROR! City %s has not been found in any city group while determining supply "
                        L"convoy cost. Country id=%i. Report this as a bug.",
                        to.c_str(), id));
    int served = 0;
    float cost = 0.0f;
    for (const sSupplyAssignment& a : units) {
      if (a.unit == nullptr || a.unit->countryId != id || a.city == nullptr) continue;
      if (std::find(group->begin(), group->end(), a.city) == group->end()) continue;
      ++served;
      cost += convoy_values::StpPerUnit(c->consts, a.unit->type);
    }
    k.suppliedUnits = served;
    k.supplyCost = cost;
    k.destinationGroup = group;
    if (served == 0)
      return fail(Txt("convoy_not_executed:_there_aren't_any_units_that_could_use_supplies_provided_by_this_convoy!"));
    r.cargo = TxtF("supply_for_%i_units", served);
    needed = std::min(static_cast<int>(cost), k.value);
  }
  needed = std::max(needed, 1);

  int used = needed;
  const int stp = c->seaTransportPoints;
  if (stp <= 0) return fail(TxtF("convoy_not_executed:_%s_has_no_sea_transport_points", cName.c_str()));
  if (stp < needed) {
    if (resources)
      return fail(TxtF(
          "convoy_not_executed:_%s_doesn't_have_enough_sea_transport_points_to_execute_this_convoy_(%i_available,_%"
          "i_needed)",
          cName.c_str(), stp, needed));
    used = stp;
    r.details += TxtF(
        "warning:_%s_doesn't_have_enough_sea_transport_points_to_carry_all_needed_supplies_(%i_available,_%i_needed)."
        "_all_available_sea_transport_points_have_been_used._",
        cName.c_str(), stp, needed);
  }

  c->ChangeSTP(-used);
  r.neededStp = needed;
  r.usedStp = used;
  r.lostStp = 0;
  r.details += Txt("convoy_route:_");
  for (int nodeId : route) {
    sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
    if (node == nullptr) continue;
    node->AddConvoyPassage(id);
    node->AttackConvoysOnRoute(id, r);
  }
  r.details += L"\n";

  if (r.lostStp < used) {
    r.result = Txt(r.lostStp > 0 ? "partial_success" : "success");
    const int afloat = used - r.lostStp;
    if (supplies) {
      // The cargo and the ships afloat can each be large: the product is
      // taken in 64 bits.
      const int s = SaturatedInt(static_cast<int64_t>(afloat) * fullSupply / needed);
      r.details += TxtF(
          "convoy_arrives,_carrying_supplies_worth_%i._%s_and_all_cities_with_land_connection_recieve_supply_%i_unless_"
          "their_own_supply_value_is_higher._",
          s, to.c_str(), s);
      for (cMiasto* city : *group) {
        MarkConvoySupply(city, id);
        const int own = city->GetSupplyFor(id);
        if (own < s) {
          SetCitySupply(city, id, s);
          LogLine(TxtF("%s_takes_supply_from_convoy_(%i)_because_its_own_supply_is_lower_(%i)", city->name.c_str(), s,
                       own));
        } else {
          LogLine(TxtF("%s_does_not_take_supply_from_convoy_(%i)_because_its_own_supply_is_already_higher_(%i)",
                       city->name.c_str(), s, own));
        }
      }
    } else {
      const int delivered = SaturatedInt(static_cast<int64_t>(afloat) * value / used);
      c->ChangeProductionPoints(-static_cast<double>(value));
      cPanstwo* collector = gGra->GetCountry(k.destination->GetController());
      if (collector != nullptr) collector->ChangeProductionPoints(static_cast<double>(delivered));
      r.details += TxtF(
          "convoy_arrives,_carrying_resources_worth_%.1f_production_points._%s_collects_%.1f_pp._",
          static_cast<double>(delivered), NameOf(collector).c_str(), static_cast<double>(delivered));
    }
  } else {
    r.lostStp = used;
    r.details += Txt("convoy_was_destroyed_and_did_not_reach_its_destination._");
    r.result = Txt("failure");
  }
  c->seaTransportUsedByConvoys += used - r.lostStp;
  out = r;
}

// ---- attacks on the way --------------------------------------------------------

void sWezelGrafuMorz::AttackConvoysOnRoute(int country, sWynikKonwojow& r) {
  r.details += L"\n>>> " + name;
  if (gGra == nullptr || IsPort() || r.lostStp >= r.usedStp) return;

  auto hit = [&](int attacker, const std::wstring& who, int roll) {
    const int loss = std::min(roll, r.usedStp - r.lostStp);
    r.lostStp += loss;
    if (gGra->turn > 0)
      AddReport(kReportConvoyAttack, attacker,
                WFormat(L"%s attacked convoys on %s, inflicted %d STP loss", who.c_str(), name.c_str(), loss));
    return loss;
  };

  std::vector<sFlota*> here;
  GetFleetsAtNode(here);
  std::erase_if(here, [&](const sFlota* f) { return !AtWar(f->countryId, country); });
  if (!here.empty()) {
    sFlota* f = here[static_cast<size_t>(RandomIndex(static_cast<int>(here.size())))];
    const int chance = ConvoyAttackChance(r) + (f->ships.empty() ? 0 : CommanderBonus(f->ships.front()));
    if (RandomInRange(1, 100) <= chance) {
      const int loss = hit(f->countryId, f->name, f->SumAttackValue());
      r.details += WFormat(L"[ATTACKED by enemy FLEET (%i ships), lost %i STP] ", static_cast<int>(f->ships.size()), loss);
    }
  }

  const float raiderFactor = gGra->consts.convoyRaiderFactor;
  for (cJednostkaMorska* ship : gGra->navalUnits) {
    if (r.lostStp >= r.usedStp) break;
    const sFlota* f = ship->fleet;
    if (f == nullptr || f->seaNode != id || f->formation != 1 || !AtWar(ship->countryId, country)) continue;
    const int chance =
        SaturatedAdd(SaturatedInt(static_cast<float>(ConvoyAttackChance(r)) * raiderFactor), CommanderBonus(ship));
    if (RandomInRange(1, 100) <= chance) {
      const int loss = hit(ship->countryId, ship->name, ship->RollAttackValue());
      r.details += WFormat(L"[ATTACKED by enemy RAIDER, lost %i STP] ", loss);
    }
  }
}
