// Convoys: a run through attacks on the way worked out by hand, the checks
// that keep a convoy in port (in their order), and convoys.csv.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/reports.h"

namespace {

using world_test::GameFixture;

template <class... Args>
std::wstring TxtF(const char* key, Args... args) {
  return WFormat(Txt(key).c_str(), args...);
}

// Country 1 ships from Aport (1, 1) past the North Sea and the Channel to
// Bport (9, 9), whose land group also holds Binland. Countries 1 and 3 are
// allies at war with 2; 4 is neutral. The full supply value is 10, a land
// unit costs 2 STP to supply and a PP 0.5 STP; a battleship attacks with 2.
struct ConvoyWorld {
  ConvoyWorld() : g(12, 12, 4), scope(&fe) {
    unit_test::LoadShippedStrings();
    SeedRandom(1);
    const int alliances[4] = {1, 2, 1, 0};
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      c->alliance = alliances[c->id - 1];
      c->consts.reserveSupplyLevel = 10;
      c->consts.c120[0] = 0.5f;
      c->consts.c120[1] = 2.0f;
      c->consts.c161[1] = c->consts.c162[1] = 2;
    }
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    g.game->turn = 3;
    g.game->consts.convoyBaseChance = 100.0f;
    g.game->consts.convoyAttackFactor[0] = g.game->consts.convoyAttackFactor[1] = 1.0f;
    g.game->consts.convoyAttackFactor[2] = 1.0f;
    g.game->consts.convoyRaiderFactor = 1.0f;

    aport = Port(1, 1, L"Aport", kCitySupplyPort);
    north = naval_test::AddZone(g, 5, 2, L"North Sea");
    channel = naval_test::AddZone(g, 5, 6, L"Channel");
    bport = Port(9, 9, L"Bport", kCityPort);
    naval_test::TwoWay(g, aportNode, north);
    naval_test::TwoWay(g, north, channel);
    naval_test::TwoWay(g, channel, bportNode);
    binland = unit_test::AddCity(g, 9, 6, kCityRegular, 1, L"Binland");
    ResetCitySupplyTables();
    aport->supplyInfo[0] = 10;
    bport->supplyInfo[0] = 1;
    binland->supplyInfo[0] = 12;
    groups = {{aport}, {bport, binland}};

    // Three units drawing on the destination's group; one elsewhere and an
    // ally's unit do not count.
    for (int i = 0; i < 3; ++i) Supplied(1, 2 + i, 10, i == 0 ? bport : binland);
    Supplied(1, 2, 2, aport);
    Supplied(3, 4, 10, bport);

    g.game->convoys = manager = new cKonwoje();
    manager->Resize(4);
    country(1).seaTransportPoints = 10;
    country(1).productionPoints = 100.0;
  }

  cMiasto* Port(int x, int y, const wchar_t* name, int type) {
    const int node = naval_test::AddPort(g, x, y, 3, 1);
    g.game->seaGraph.FindNode(node)->name = name;
    g.hex(x, y).seaNodeMarker = static_cast<uint16_t>(node);
    (x == 1 ? aportNode : bportNode) = node;
    return unit_test::AddCity(g, x, y, type, 1, name);
  }
  void Supplied(int owner, int x, int y, cMiasto* city) {
    units.push_back({unit_test::PlaceLand(g, owner, x, y), city, 0});
  }
  cPanstwo& country(int id) { return *g.game->GetCountry(id); }
  sKonwoj& Convoy(int kind, int value) {
    manager->AddConvoyBetweenCities(1, kind, value, 1, 1, 9, 9);
    return manager->convoys[0].back();
  }
  sWynikKonwojow Execute(sKonwoj& k) {
    sWynikKonwojow r;
    manager->ExecuteConvoy(k, r, groups, units);
    return r;
  }
  std::vector<sRaport> Reports(int countryId, int kind) {
    std::vector<sRaport> out;
    g.game->reports->CollectReports(out, countryId, kind);
    return out;
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  cKonwoje* manager = nullptr;
  cMiasto* aport = nullptr;
  cMiasto* bport = nullptr;
  cMiasto* binland = nullptr;
  int aportNode = 0, bportNode = 0, north = 0, channel = 0;
  tCityGroupSet groups;
  tSupplyAssignments units;
};

// The details of the route, from the destination back, with what happened
// in the two sea zones.
std::wstring Route(const std::wstring& channel, const std::wstring& northSea) {
  return Txt("convoy_route:_") + L"\n>>> Bport\n>>> Channel" + channel + L"\n>>> North Sea" + northSea +
         L"\n>>> Aport\n";
}

TEST(ConvoyRun, AFleetOnTheWayTakesPartOfASupplyConvoyAndTheRestArrives) {
  ConvoyWorld w;
  w.Convoy(kConvoySupplies, 20);
  const sFlota* fleet = naval_test::AddFleet(w.g, 2, w.north, {kTypeBattleship, kTypeBattleship});
  w.manager->ExecuteAllConvoys(1, w.groups, w.units);

  ASSERT_EQ(w.manager->results[0].size(), 1u);
  const sWynikKonwojow& r = w.manager->results[0][0];
  // Three units at 2 STP need 6; the fleet sinks 2 + 2 of them, so 2 of 6
  // arrive: supply 2 x 10 / 6 = 3.
  EXPECT_EQ(r.neededStp, 6);
  EXPECT_EQ(r.usedStp, 6);
  EXPECT_EQ(r.lostStp, 4);
  EXPECT_EQ(r.result, Txt("partial_success"));
  EXPECT_EQ(r.cargo, TxtF("supply_for_%i_units", 3));
  EXPECT_EQ(r.details, Route(L"", L"[ATTACKED by enemy FLEET (2 ships), lost 4 STP] ") +
                           TxtF("convoy_arrives,_carrying_supplies_worth_%i._%s_and_all_cities_with_land_connection_"
                                "recieve_supply_%i_unless_their_own_supply_value_is_higher._",
                                3, L"Bport", 3));
  EXPECT_EQ(w.country(1).seaTransportPoints, 4);
  EXPECT_EQ(w.country(1).seaTransportUsedByConvoys, 2);
  EXPECT_EQ(w.bport->GetSupplyFor(1), 3);
  EXPECT_EQ(w.binland->GetSupplyFor(1), 12);  // its own is higher
  EXPECT_TRUE(w.bport->IsCutOffFor(1) && w.binland->IsCutOffFor(1));
  for (int node : {w.aportNode, w.north, w.channel, w.bportNode})
    EXPECT_TRUE(w.g.game->seaGraph.FindNode(node)->HadConvoyOfCountry(1)) << node;

  const auto attacks = w.Reports(2, kReportConvoyAttack);
  ASSERT_EQ(attacks.size(), 1u);
  EXPECT_EQ(attacks[0].text, fleet->name + L" attacked convoys on North Sea, inflicted 4 STP loss");
  const auto results = w.Reports(1, kReportConvoyResult);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].text, L"Convoy with 20 of supply from Aport to Bport\n\nResult: " + r.result +
                                 L"\n\nDetails: " + r.details);

  // Next turn the 2 STP that arrived come back first, and the results are
  // replaced.
  w.manager->ExecuteAllConvoys(1, w.groups, w.units);
  EXPECT_EQ(w.manager->results[0].size(), 1u);
  EXPECT_EQ(w.country(1).seaTransportPoints, 4 + 2 - 6);
}

TEST(ConvoyRun, AResourceConvoyLargerThanTheTreasuryCarriesWhatThereIsAndKeepsItsOrder) {
  ConvoyWorld w;
  w.g.hex(9, 9).controller = 3;
  w.country(1).productionPoints = 20.5;
  w.country(3).productionPoints = 1.0;
  sKonwoj& k = w.Convoy(kConvoyResources, 50);
  const sWynikKonwojow r = w.Execute(k);
  // 20 PP at 0.5 STP each need 10 STP; all arrive with the ally.
  EXPECT_EQ(r.usedStp, 10);
  EXPECT_EQ(r.result, Txt("success"));
  EXPECT_EQ(r.cargo, TxtF("resources_(%i_pp)", 20));
  EXPECT_EQ(r.details.rfind(TxtF("note:_this_convoy_was_supposed_to_carry_resources_worth_%i_pp,_while_%s_has_only_%i_"
                                 "pp._amount_of_pp_carried_by_convoy_has_been_set_to_%i._",
                                 50, L"C1", 20, 20),
                            0),
            0u);
  EXPECT_NE(r.details.find(TxtF("convoy_arrives,_carrying_resources_worth_%.1f_production_points._%s_collects_%.1f_pp._",
                                20.0, L"C3", 20.0)),
            std::wstring::npos);
  EXPECT_DOUBLE_EQ(w.country(1).productionPoints, 0.5);
  EXPECT_DOUBLE_EQ(w.country(3).productionPoints, 21.0);
  EXPECT_EQ(k.value, 50);
}

TEST(ConvoyRun, ASupplyConvoyShortOfStpSailsWithAllThereIsAndADialogConvoyNeedsOne) {
  ConvoyWorld w;
  w.country(1).seaTransportPoints = 4;
  sWynikKonwojow r = w.Execute(w.Convoy(kConvoySupplies, 20));
  EXPECT_EQ(r.neededStp, 6);
  EXPECT_EQ(r.usedStp, 4);
  EXPECT_EQ(r.details.find(TxtF("warning:_%s_doesn't_have_enough_sea_transport_points_to_carry_all_needed_supplies_(%"
                                "i_available,_%i_needed)._all_available_sea_transport_points_have_been_used._",
                                L"C1", 4, 6)),
            0u);
  EXPECT_EQ(w.bport->GetSupplyFor(1), 4 * 10 / 6);
  EXPECT_EQ(w.country(1).seaTransportPoints, 0);

  // The convoys dialog makes convoys of value 0: they need (and get) 1 STP
  // and bring full supply.
  w.country(1).seaTransportPoints = 5;
  const int id = w.manager->AddConvoyBetweenSeaNodes(w.aportNode, w.bportNode, 1);
  ASSERT_EQ(w.manager->convoys[0].back().id, id);
  r = w.Execute(w.manager->convoys[0].back());
  EXPECT_EQ(r.neededStp, 1);
  EXPECT_EQ(r.usedStp, 1);
  EXPECT_EQ(w.bport->GetSupplyFor(1), 10);
}

TEST(ConvoyRun, FleetsAndRaidersCannotSinkMoreThanSailedAndLaterNodesAreOnlyListed) {
  ConvoyWorld w;
  naval_test::AddFleet(w.g, 2, w.north, {kTypeBattleship, kTypeBattleship});
  naval_test::AddFleet(w.g, 2, w.north, {kTypeBattleship, kTypeBattleship});
  sFlota* raiders = naval_test::AddFleet(w.g, 2, w.channel, {kTypeBattleship, kTypeBattleship, kTypeBattleship});
  raiders->formation = 1;
  const sWynikKonwojow r = w.Execute(w.Convoy(kConvoySupplies, 20));
  EXPECT_EQ(r.lostStp, r.usedStp);
  EXPECT_EQ(r.result, Txt("failure"));
  // The route starts at the destination: the raider fleet in the Channel
  // sinks 3 x 2 of the 6 as a fleet, and no raider nor the North Sea's two
  // fleets find anything left.
  EXPECT_EQ(r.details, Route(L"[ATTACKED by enemy FLEET (3 ships), lost 6 STP] ", L"") +
                           Txt("convoy_was_destroyed_and_did_not_reach_its_destination._"));
  ASSERT_EQ(w.Reports(2, kReportConvoyAttack).size(), 1u);
  EXPECT_EQ(w.Reports(2, kReportConvoyAttack)[0].text, raiders->name + L" attacked convoys on Channel, inflicted 6 STP loss");
  EXPECT_EQ(w.country(1).seaTransportUsedByConvoys, 0);
  EXPECT_EQ(w.bport->GetSupplyFor(1), 1);
  EXPECT_FALSE(w.bport->IsCutOffFor(1));
}

TEST(ConvoyRun, ARouteWithoutASeaZoneIsNeverAttacked) {
  ConvoyWorld w;
  naval_test::TwoWay(w.g, w.aportNode, w.bportNode);
  naval_test::AddFleet(w.g, 2, w.bportNode, {kTypeBattleship, kTypeBattleship});
  const sWynikKonwojow r = w.Execute(w.Convoy(kConvoySupplies, 20));
  EXPECT_EQ(r.lostStp, 0);
  EXPECT_EQ(r.result, Txt("success"));
  EXPECT_EQ(r.details.rfind(Txt("convoy_route:_") + L"\n>>> Bport\n>>> Aport\n", 0), 0u);
}

TEST(ConvoyRun, EachRaiderAttacksAloneWithItsOwnCommander) {
  ConvoyWorld w;
  w.g.game->consts.convoyBaseChance = 0.0f;  // only a commander makes an attack possible
  sFlota* raiders = naval_test::AddFleet(w.g, 2, w.channel, {kTypeBattleship, kTypeBattleship});
  raiders->formation = 1;
  w.country(2).consts.c180[0] = 40;
  sDowodca* admiral = unit_test::AddCommander(w.g, 1, 2, 2, 5);
  unit_test::Attach(admiral, raiders->ships.back());  // not the fleet's first ship
  const sWynikKonwojow r = w.Execute(w.Convoy(kConvoySupplies, 20));
  EXPECT_EQ(r.lostStp, 2);
  EXPECT_EQ(r.details.find(L"FLEET"), std::wstring::npos);
  EXPECT_NE(r.details.find(L">>> Channel[ATTACKED by enemy RAIDER, lost 2 STP] \n"), std::wstring::npos);
  const auto attacks = w.Reports(2, kReportConvoyAttack);
  ASSERT_EQ(attacks.size(), 1u);
  EXPECT_EQ(attacks[0].text.rfind(raiders->ships.back()->name + L" attacked convoys on Channel", 0), 0u);
}

TEST(ConvoyRun, ReportsWaitForTheFirstTurnAndAMissingCountryOnlyLogs) {
  ConvoyWorld w;
  w.g.game->turn = 0;
  w.Convoy(kConvoySupplies, 20);
  naval_test::AddFleet(w.g, 2, w.north, {kTypeBattleship});
  w.manager->ExecuteAllConvoys(1, w.groups, w.units);
  EXPECT_TRUE(w.Reports(1, kReportConvoyResult).empty());
  EXPECT_TRUE(w.Reports(2, kReportConvoyAttack).empty());

  world_test::LogCapture log;
  w.manager->ExecuteAllConvoys(9, w.groups, w.units);
  EXPECT_TRUE(log.HasPrefix(L"Wektor rezultatow konwojow panstw jest za ma"));
  EXPECT_TRUE(log.HasPrefix(L"Wektor konwojow panstw jest za ma"));
}

// ---- the checks, in order --------------------------------------------------------

struct Check {
  const char* name;
  int kind;
  std::function<void(ConvoyWorld&, sKonwoj&)> setup;
  std::function<std::wstring()> why;
};

TEST(ConvoyChecks, TheFirstFailedCheckKeepsTheConvoyInPortAndNamesItsReason) {
  const auto resourcesToAlly = [](ConvoyWorld& w, sKonwoj& k) {
    w.g.hex(9, 9).controller = 3;
    k.value = 10;
  };
  const std::vector<Check> checks = {
      {"same city", kConvoySupplies, [](ConvoyWorld&, sKonwoj& k) { k.destination = k.departure; },
       [] { return Txt("convoy_not_executed:_departure_city_is_the_same_like_arrival_city!"); }},
      {"neutral at peace", kConvoySupplies,
       [](ConvoyWorld& w, sKonwoj&) {
         w.country(1).alliance = 0;
         w.g.game->relations.SetWar(1, 2, 0);
         w.g.game->relations.SetWar(2, 1, 0);
       },
       [] {
         return TxtF("convoy_not_executed:_supply_convoys_are_not_executed_for_neutral_countries_not_waging_war_(like_%"
                     "s),_all_units_owned_by_such_countries_recieve_peace-time_supply_(half_of_max_supply)_"
                     "automatically.",
                     L"C1");
       }},
      {"resources from an ally's port, to an enemy", kConvoyResources,
       [](ConvoyWorld& w, sKonwoj&) {
         w.g.hex(1, 1).controller = 3;
         w.g.hex(9, 9).controller = 2;
       },
       [] {
         return TxtF("convoy_not_executed:_for_resource_convoys,_departure_city_must_be_controlled_by_convoy's_owner._"
                     "%s_is_not_controlled_by_%s.",
                     L"Aport", L"C1");
       }},
      {"enemy destination", kConvoySupplies, [](ConvoyWorld& w, sKonwoj&) { w.g.hex(9, 9).controller = 2; },
       [] { return TxtF("convoy_not_executed:_%s_is_controlled_by_enemy.", L"Bport"); }},
      {"resources within one country", kConvoyResources, [](ConvoyWorld&, sKonwoj& k) { k.value = 10; },
       [] {
         return TxtF("convoy_not_executed:_both_%s_and_%s_are_controlled_by_%s._transporting_resources_within_one_"
                     "country_is_not_needed.",
                     L"Bport", L"Aport", L"C1");
       }},
      {"neutral departure without supply", kConvoySupplies,
       [](ConvoyWorld& w, sKonwoj&) {
         w.g.hex(1, 1).controller = 4;
         w.aport->supplyInfo[0] = 0;
       },
       [] {
         return TxtF("convoy_not_executed:_invalid_departure_city._%s_must_be_friendly_controlled_to_serve_as_a_"
                     "departure_city_for_a_convoy",
                     L"Aport");
       }},
      {"departure short of full supply", kConvoySupplies, [](ConvoyWorld& w, sKonwoj&) { w.aport->supplyInfo[0] = 9; },
       [] {
         return TxtF("convoy_not_executed:_invalid_departure_city._%s_must_have_land_connection_with_valid_supply_"
                     "source_to_serve_as_a_departure_city_for_a_convoy",
                     L"Aport");
       }},
      {"departure supplied by a convoy", kConvoySupplies, [](ConvoyWorld& w, sKonwoj&) { w.aport->convoyInfo[0] = 1; },
       [] {
         return TxtF("convoy_not_executed:_invalid_departure_city._%s_must_have_land_connection_with_valid_supply_"
                     "source_to_serve_as_a_departure_city_for_a_convoy",
                     L"Aport");
       }},
      {"supplies to a neutral", kConvoySupplies, [](ConvoyWorld& w, sKonwoj&) { w.g.hex(9, 9).controller = 4; },
       [] { return Txt("convoy_not_executed:_cannot_send_supplies_to_enemy_or_neutral_countries"); }},
      {"no route", kConvoySupplies,
       [](ConvoyWorld& w, sKonwoj&) { w.g.game->seaGraph.FindNode(w.north)->edges.clear(); },
       [] {
         return TxtF("convoy_not_executed:_there_is_no_sea_connection_between_%s_and_%s_(at_least_one_strait_on_the_"
                     "way_is_not_friendly_controlled)",
                     L"Bport", L"Aport");
       }},
      {"no route for resources either", kConvoyResources,
       [&](ConvoyWorld& w, sKonwoj& k) {
         resourcesToAlly(w, k);
         w.g.game->seaGraph.FindNode(w.channel)->edges.clear();
       },
       [] {
         return TxtF("convoy_not_executed:_there_is_no_sea_connection_between_%s_and_%s_(at_least_one_strait_on_the_"
                     "way_is_not_friendly_controlled)",
                     L"Bport", L"Aport");
       }},
      {"0 PP", kConvoyResources,
       [&](ConvoyWorld& w, sKonwoj& k) {
         resourcesToAlly(w, k);
         k.value = 0;
       },
       [] { return Txt("convoy_not_executed:_convoy_cannot_transport_0_production_points"); }},
      {"an empty treasury", kConvoyResources,
       [&](ConvoyWorld& w, sKonwoj& k) {
         resourcesToAlly(w, k);
         w.country(1).productionPoints = 0.5;
       },
       [] { return TxtF("convoy_not_executed:_%s_has_no_production_points!", L"C1"); }},
      {"no units to supply", kConvoySupplies,
       [](ConvoyWorld& w, sKonwoj&) { w.units.erase(w.units.begin(), w.units.begin() + 3); },
       [] {
         return Txt("convoy_not_executed:_there_aren't_any_units_that_could_use_supplies_provided_by_this_convoy!");
       }},
      {"no STP", kConvoySupplies, [](ConvoyWorld& w, sKonwoj&) { w.country(1).seaTransportPoints = 0; },
       [] { return TxtF("convoy_not_executed:_%s_has_no_sea_transport_points", L"C1"); }},
      {"too few STP for resources", kConvoyResources,
       [&](ConvoyWorld& w, sKonwoj& k) {
         resourcesToAlly(w, k);
         w.country(1).seaTransportPoints = 4;
       },
       [] {
         return TxtF("convoy_not_executed:_%s_doesn't_have_enough_sea_transport_points_to_execute_this_convoy_(%i_"
                     "available,_%i_needed)",
                     L"C1", 4, 5);
       }},
  };
  for (const Check& c : checks) {
    SCOPED_TRACE(c.name);
    ConvoyWorld w;
    sKonwoj& k = w.Convoy(c.kind, 20);
    c.setup(w, k);
    const int stp = w.country(1).seaTransportPoints;
    const sWynikKonwojow r = w.Execute(k);
    EXPECT_EQ(r.details, c.why());
    EXPECT_EQ(r.result, Txt("convoy_not_executed"));
    EXPECT_EQ(r.usedStp, 0);
    EXPECT_EQ(w.country(1).seaTransportPoints, stp);
    EXPECT_EQ(w.country(1).seaTransportUsedByConvoys, 0);
  }
}

// ---- managing convoys ------------------------------------------------------------

TEST(ConvoyManager, AddingAndRemovingFollowTheCitiesAndKinds) {
  ConvoyWorld w;
  w.g.game->nextConvoyId = 7;
  // The computer player's convoy carries what the destination lacks.
  EXPECT_EQ(w.manager->AddConvoy(w.aport, w.bport, 1), 8);
  EXPECT_EQ(w.manager->convoys[0].back().value, 10 - 1);
  EXPECT_EQ(w.manager->convoys[0].back().departurePortSize, 3);
  EXPECT_EQ(w.manager->AddConvoy(w.aport, w.binland, 1), -1);
  w.bport->supplyInfo[0] = 12;
  EXPECT_EQ(w.manager->AddConvoy(w.aport, w.bport, 1), 9);
  EXPECT_EQ(w.manager->convoys[0].back().value, 0);

  EXPECT_EQ(w.manager->AddConvoyBetweenSeaNodes(0, w.bportNode, 1), -1);
  EXPECT_EQ(w.manager->AddConvoyBetweenSeaNodes(w.aportNode, w.north, 1), -1);
  EXPECT_EQ(w.manager->AddConvoyBetweenCities(1, kConvoyResources, 5, 1, 1, 4, 4), -1);
  // An event may join any two cities; such a convoy finds no sea route.
  EXPECT_EQ(w.manager->AddConvoyBetweenCities(1, kConvoyResources, 5, 9, 6, 1, 1), 10);
  w.g.hex(1, 1).controller = 3;
  EXPECT_EQ(w.Execute(w.manager->convoys[0].back()).details,
            TxtF("convoy_not_executed:_there_is_no_sea_connection_between_%s_and_%s_(at_least_one_strait_on_the_way_"
                 "is_not_friendly_controlled)",
                 L"Aport", L"Binland"));
  w.g.hex(1, 1).controller = 1;
  EXPECT_TRUE(w.manager->HasConvoyFromCity(w.binland, 1));
  EXPECT_FALSE(w.manager->HasConvoyFromCity(w.binland, 3));

  w.manager->RemoveConvoy(1, kConvoySupplies, 1, 1, 9, 9);
  ASSERT_EQ(w.manager->convoys[0].size(), 1u);
  EXPECT_EQ(w.manager->convoys[0][0].id, 10);
  w.manager->RemoveOneConvoy(1);
  EXPECT_TRUE(w.manager->convoys[0].empty());
}

TEST(ConvoyManager, PortMarksFollowControlAndAlliances) {
  ConvoyWorld w;
  const int enemyPort = naval_test::AddPort(w.g, 3, 10, 2, 2);
  const int neutralPort = naval_test::AddPort(w.g, 6, 10, 2, 4);
  auto marked = [&](int node) {
    const sWezelGrafuMorz* n = w.g.game->seaGraph.FindNode(node);
    return (w.g.hex(n->playerUnitX, n->playerUnitY).marks & 0x8000) != 0;
  };
  w.manager->MarkSourcePorts(1);
  EXPECT_TRUE(marked(w.aportNode) && marked(w.bportNode));
  EXPECT_FALSE(marked(enemyPort) || marked(neutralPort));
  w.manager->MarkDestinationPorts(1, w.aportNode);
  EXPECT_FALSE(marked(w.aportNode));
  EXPECT_TRUE(marked(w.bportNode));
  EXPECT_FALSE(marked(neutralPort));
  // A neutral may sail to anyone it is not at war with.
  w.manager->MarkDestinationPorts(4, w.aportNode);
  EXPECT_TRUE(marked(w.bportNode) && marked(enemyPort) && marked(neutralPort));
}

// ---- convoys.csv -----------------------------------------------------------------

TEST(ConvoysFile, SavedConvoysLoadBackAsTheyWere) {
  ConvoyWorld w;
  w.manager->AddConvoyBetweenCities(1, kConvoyResources, 25, 1, 1, 9, 9);
  w.manager->AddConvoyBetweenCities(3, kConvoySupplies, 0, 9, 9, 1, 1);
  world_test::ScratchDir dir;
  SaveConvoys(dir.Wide());
  const std::vector<uint8_t> bytes = dir.Read("convoys.csv");
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text, "#Convoys\r\n#ID;Owner ID;Type [0=supplies 1=PP];Value (PP amount);Departure port ID;Destination "
                  "port ID;\r\n1;1;1;25;1;4;\r\n2;3;0;0;4;1;");

  cKonwoje loaded;
  loaded.LoadConvoys(dir.Template());
  ASSERT_EQ(loaded.convoys.size(), 4u);
  ASSERT_EQ(loaded.convoys[0].size(), 1u);
  ASSERT_EQ(loaded.convoys[2].size(), 1u);
  const sKonwoj& a = loaded.convoys[0][0];
  EXPECT_EQ(a.id, 1);
  EXPECT_EQ(a.kind, kConvoyResources);
  EXPECT_EQ(a.value, 25);
  EXPECT_EQ(a.departure, w.aport);
  EXPECT_EQ(a.destination, w.bport);
  EXPECT_EQ(loaded.convoys[2][0].departure, w.bport);
  EXPECT_EQ(w.g.game->nextConvoyId, 2);  // loading leaves the counter alone
}

TEST(ConvoysFile, BadRowsAreFatalAndNameTheirFault) {
  struct Row {
    const char* line;
    const char* message;
  };
  const Row rows[] = {
      {"5;1;0;0;9;4;", "Convoy with ID=5 has departure sea node with ID=9, there's no such sea node!"},
      {"5;1;0;0;2;9;", "Convoy with ID=5 has destination sea node with ID=9, there's no such sea node!"},
      {"5;1;0;0;2;0;", "Convoy with ID=5 has destination sea node with ID=0, there's no such sea node!"},
      {"5;1;0;0;2;4;", "Convoy with ID=5 has departure sea node with ID=2, there's no port city for this sea node!"},
      {"5;1;0;0;1;3;", "Convoy with ID=5 has destination sea node with ID=3, there's no port city for this sea node!"},
      {"5;7;0;0;1;4;", "Convoy with ID=5 in .*convoys.csv line 3 has owner ID=7, there's no such country!"},
      {"5;0;0;0;1;4;", "Convoy with ID=5 in .*convoys.csv line 3 has owner ID=0, there's no such country!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    ConvoyWorld w;
    world_test::ScratchDir dir;
    dir.Write("convoys.csv", std::string("#Convoys\r\n#header\r\n") + row.line + "\r\n");
    cKonwoje loaded;
    EXPECT_EXIT((LogToStderr(), loaded.LoadConvoys(dir.Template())), ::testing::ExitedWithCode(1), row.message);
  }
}

}  // namespace
