// Attacks from the air on a port or a sea zone: the port's size, the ships
// hit one after another, and a nuclear strike that reaches the port.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/reports.h"

namespace {

using world_test::GameFixture;

// Country 1 bombs country 2's port city at (5, 5) (node 1, size 3) and the
// sea zone at (5, 8) (node 2); country 3 is at war with nobody. A hit takes
// one hit point and nothing more, and ships fire no flak.
struct PortWorld {
  PortWorld() : g(10, 10, 3), scope(&fe) {
    unit_test::LoadShippedStrings();
    SeedRandom(1);
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      c->consts.extraHitLossChance = 0;
      c->consts.sinkChance = 0;
      c->consts.nuclearStrike[0] = 50;
    }
    g.SetWar(1, 2);
    port = naval_test::AddPort(g, 5, 5, 3, 2);
    node(port).name = L"Harbour";
    g.hex(5, 5).seaNodeMarker = static_cast<uint16_t>(port);
    city = unit_test::AddCity(g, 5, 5, kCityPort, 2, L"Harbour");
    zone = naval_test::AddZone(g, 5, 8, L"Bight");
    bomber = new cJednostkaLotnicza();
    bomber->countryId = 1;
    bomber->SetType(kTypeTacticalBomber);
    bomber->SetName(L"Stuka");
    bomber->strength = 10;
    bomber->x = bomber->y = 0;
    g.game->airUnits.push_back(bomber);
  }
  sWezelGrafuMorz& node(int id) { return *g.game->seaGraph.FindNode(id); }
  cPanstwo& country(int id) { return *g.game->GetCountry(id); }
  // Attack value times level (aircraft technology) against defence times
  // level (navy technology).
  void PortOdds(int attack, int attackLevel, int defence, int defenceLevel) {
    country(1).consts.c176[0] = attack;
    country(1).techLevels[3] = attackLevel;
    country(2).consts.c176[1] = defence;
    country(2).techLevels[5] = defenceLevel;
  }
  void ShipOdds(int spotted, int unspotted, int perStrength, int heavyPercent) {
    int* v = country(1).consts.c178;
    v[0] = spotted, v[1] = unspotted, v[2] = perStrength, v[3] = heavyPercent;
  }
  int Bombard(int id, sWynikWalki& r) { return node(id).BombardPort(r, bomber, g.hex(node(id).mainX, node(id).mainY)); }
  bool Afloat(const cJednostkaMorska* s) const {
    return std::find(g.game->navalUnits.begin(), g.game->navalUnits.end(), s) != g.game->navalUnits.end();
  }
  std::vector<sRaport> Reports(int countryId, int kind) {
    std::vector<sRaport> out;
    g.game->reports->CollectReports(out, countryId, kind);
    return out;
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  int port = 0;
  int zone = 0;
  cMiasto* city = nullptr;
  cJednostkaLotnicza* bomber = nullptr;
};

TEST(PortBombardment, APortShrinksOneStepAtATimeAndNeverBelowOne) {
  PortWorld w;
  w.PortOdds(60, 3, 40, 2);  // 180 - 80: sure to hit
  std::vector<int> sizes;
  std::vector<int> damaged;
  for (int i = 0; i < 3; ++i) {
    sWynikWalki r;
    w.Bombard(w.port, r);
    sizes.push_back(w.node(w.port).currentSize);
    damaged.push_back(r.portDamaged);
    if (i == 0) {
      EXPECT_EQ(r.defenderInfo.rfind(WFormat(Txt("report_bombardment_port").c_str(), L"C2", L"Harbour", 3, 2) + L"\n" +
                                         Txt("report_bombardment_port_no_naval_units_affected"),
                                     0),
                0u);
    }
  }
  EXPECT_EQ(sizes, (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(damaged, (std::vector<int>{1, 1, 0}));

  // A defence as strong as the attack leaves the port alone; a sea zone has
  // no size to lose.
  w.node(w.port).currentSize = 3;
  w.PortOdds(60, 2, 40, 3);
  sWynikWalki r;
  w.Bombard(w.port, r);
  EXPECT_EQ(w.node(w.port).currentSize, 3);
  w.PortOdds(100, 5, 0, 0);
  w.Bombard(w.zone, r);
  EXPECT_EQ(w.node(w.zone).currentSize, 0);
  EXPECT_NE(r.defenderInfo.find(WFormat(Txt("report_bombardment_sea_zone").c_str(), L"Bight")), std::wstring::npos);
}

// Each ship's chance is 10 x its strength + base (300 when fully spotted,
// else 0), a strategic bomber keeping its share of it, less a quarter of the
// previous ship's final chance for every ship hit so far. Chances of 100 or
// more hit and of 0 or less miss.
TEST(PortBombardment, EveryShipHitMakesTheNextHarderToHit) {
  struct Case {
    const char* name;
    int type;
    int heavyPercent;
    std::vector<int> hitPoints;
    std::vector<bool> spotted;
    std::vector<bool> expectHit;
  };
  const Case cases[] = {
      // 400 hits; 100 - 1 x 25% x 400 = 0 misses; 100 - 1 x 25% x 0 = 100 hits.
      {"the penalty follows the previous ship", kTypeTacticalBomber, 0, {10, 10, 10}, {true, false, false},
       {true, false, true}},
      // 0 misses; 100 - 0 hits; 320 - 1 x 25% x 100 = 295 hits.
      {"strength and spotting count", kTypeTacticalBomber, 0, {0, 10, 2}, {false, false, true}, {false, true, true}},
      // Half of 400, 100, 300: 200 hits; 50 - 1 x 25% x 200 = 0 misses; 150 hits.
      {"a strategic bomber keeps its share", kTypeStrategicBomber, 50, {10, 10, 30}, {true, false, false},
       {true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PortWorld w;
    w.bomber->SetType(c.type);
    w.ShipOdds(300, 0, 10, c.heavyPercent);
    sFlota* fleet = naval_test::AddFleet(w.g, 2, w.port, {kTypeCruiser, kTypeCruiser, kTypeCruiser});
    const std::vector<cJednostkaMorska*> ships(fleet->ships.begin(), fleet->ships.end());
    for (size_t i = 0; i < ships.size(); ++i) {
      ships[i]->hitPoints = ships[i]->maxHitPoints = c.hitPoints[i];
      ships[i]->maxHitPoints = 50;
      ships[i]->spottedLevel = c.spotted[i] ? 6 : 0;
    }
    // Not at war with the bomber: never a target, however easy.
    sFlota* bystander = naval_test::AddFleet(w.g, 3, w.port, {kTypeBattleship}, 40);
    bystander->ships.front()->spottedLevel = 6;

    sWynikWalki r;
    const int hits = w.Bombard(w.port, r);
    int expected = 0;
    for (size_t i = 0; i < ships.size(); ++i) {
      EXPECT_EQ(ships[i]->hitPoints, c.hitPoints[i] - (c.expectHit[i] ? 1 : 0)) << "ship " << i;
      expected += c.expectHit[i] ? 1 : 0;
    }
    EXPECT_EQ(hits, expected);
    EXPECT_EQ(bystander->ships.front()->hitPoints, 40);
    EXPECT_EQ(r.shipsHit, 1);
    EXPECT_EQ(r.lossText, WFormat(Txt("report_looses_sea_zone_port_bombardment").c_str(), expected));
  }
}

TEST(PortBombardment, ASunkShipIsReportedAndRemovedAndTheRaidIsFiled) {
  PortWorld w;
  w.g.game->selection.currentCountry = &w.country(1);
  w.ShipOdds(200, 200, 0, 0);
  sFlota* fleet = naval_test::AddFleet(w.g, 2, w.zone, {kTypeSubmarine});
  const std::wstring fleetName = fleet->name;
  cJednostkaMorska* sub = fleet->ships.front();
  sub->hitPoints = 1;
  const std::wstring subName = sub->name;
  sWynikWalki r;
  EXPECT_EQ(w.Bombard(w.zone, r), 1);
  EXPECT_FALSE(w.Afloat(sub));
  EXPECT_NE(r.defenderInfo.find(Txt("report_bombardment_sea_zone_naval_units_affected")), std::wstring::npos);
  EXPECT_NE(r.defenderInfo.find(L"\n" + subName + L" destroyed!\n"), std::wstring::npos);

  const auto lost = w.Reports(2, 33);
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].text, subName + L"\n" + fleetName + L";C1;Bight\nSea bombardment");
  const auto raids = w.Reports(1, 16);
  ASSERT_EQ(raids.size(), 1u);
  EXPECT_EQ(raids[0].text.rfind(L"Stuka (C1) attacked Bight\n\n" +
                                    WFormat(Txt("report_bombardment_sea_zone").c_str(), L"Bight") + L"\n",
                                0),
            0u);
}

TEST(PortBombardment, AnAirRaidOnThePortCityReachesThePort) {
  PortWorld w;
  w.PortOdds(100, 2, 0, 0);
  sWynikWalki r;
  w.g.hex(5, 5).AirBombard(r, w.bomber);
  EXPECT_EQ(w.node(w.port).currentSize, 2);
  EXPECT_EQ(r.portDamaged, 1);
}

TEST(NuclearStrikeOnPort, ThePortDropsToSizeOneAndShipsOfEveryCountrySinkAtRandom) {
  PortWorld w;
  w.node(w.port).currentSize = 3;
  std::vector<cJednostkaMorska*> ships;
  for (int country : {2, 3}) {
    sFlota* f = naval_test::AddFleet(w.g, country, w.port, {});
    for (int i = 0; i < 20; ++i) {
      cJednostkaMorska* s = naval_test::NewShip(country, kTypeCruiser, 5, (L"S" + std::to_wstring(country * 100 + i)).c_str());
      s->fleet = f;
      f->ships.push_back(s);
      w.g.game->navalUnits.push_back(s);
      ships.push_back(s);
    }
  }
  std::vector<std::wstring> names;
  for (const cJednostkaMorska* s : ships) names.push_back(s->name);

  sWynikWalki r;
  r.attackerCountry = 1;
  w.city->NuclearStrike(r);  // the city passes the strike on to its port
  EXPECT_EQ(w.node(w.port).currentSize, 1);
  EXPECT_EQ(r.navalUnitsDestroyed, 1);

  int sunk[4] = {};
  for (size_t i = 0; i < ships.size(); ++i) {
    const bool listed = r.lossText.find(L" - " + names[i] + L" (") != std::wstring::npos;
    const bool afloat = w.Afloat(ships[i]);
    EXPECT_NE(listed, afloat) << WideToUtf8(names[i]);
    if (!afloat) ++sunk[i < 20 ? 2 : 3];
  }
  // Forty fair coins: both countries lose ships and keep some.
  EXPECT_GT(sunk[2], 0);
  EXPECT_GT(sunk[3], 0);
  EXPECT_LT(sunk[2] + sunk[3], 40);
  EXPECT_EQ(w.Reports(2, 33).size() + w.Reports(3, 33).size(), static_cast<size_t>(sunk[2] + sunk[3]));
  EXPECT_EQ(r.lossText.rfind(WFormat(Txt("report_nuclear_on_port_size_decreased").c_str(), L"Harbour") + L"\n" +
                                 Txt("report_nuclear_on_port_destroyed_naval_units") + L"\n",
                             0),
            0u);

  // With no ships in port only the size goes.
  sWynikWalki empty;
  w.node(w.zone).NuclearStrikeOnPort(empty);
  EXPECT_EQ(empty.navalUnitsDestroyed, 0);
  EXPECT_NE(empty.lossText.find(Txt("report_nuclear_on_port_no_naval_units_destroyed")), std::wstring::npos);
}

}  // namespace
