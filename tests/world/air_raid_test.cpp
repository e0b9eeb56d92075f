// An air raid on a hex: interception, then the unit, the city and the port
// or the sea zone, in this order, each with its report line.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

using unit_test::AddCity;
using unit_test::PlaceAir;
using world_test::GameFixture;
using world_test::LogCapture;

// What the sea-node side of the raid was asked, and whether it kills the attacker.
std::vector<int> gNodesBombarded;
bool gNodeKillsAttacker = false;

int RecordNodeBombardment(sWezelGrafuMorz& node, sWynikWalki& r, cUnit*, const sHex&) {
  gNodesBombarded.push_back(node.id);
  if (gNodeKillsAttacker) r.attackerDestroyed |= 1;
  return 7;
}

// A unit on the target hex that may shoot the raider down.
class Defender : public unit_test::ValuedLandUnit {
 public:
  explicit Defender(bool killsAttacker) : ValuedLandUnit(10.0f), killsAttacker_(killsAttacker) {}
  void Attack(sWynikWalki& r, cUnit* attacker, int) override {
    attacked = attacker;
    if (killsAttacker_) r.attackerDestroyed |= 1;
  }
  cUnit* attacked = nullptr;

 private:
  bool killsAttacker_;
};

// A raider whose interception ends as the test says.
class Raider : public cJednostkaLotnicza {
 public:
  bool Intercept(cUnit* interceptor, sWynikWalki& r) override {
    interceptedBy = interceptor;
    strength -= loss;
    if (stopped && dies) r.attackerDestroyed |= 1;
    return stopped;
  }
  bool stopped = false;
  bool dies = false;
  int loss = 0;
  cUnit* interceptedBy = nullptr;
};

// Country 1 raids country 2's hexes; the sea is row 9, node 1 a sea area,
// node 2 the port of the city at (5, 8).
class AirRaid : public ::testing::Test {
 protected:
  AirRaid() : g(10, 10, 2), scope(&fe) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      c->consts.c047[0] = 3;
      c->consts.airRangeTechFactor[0] = 1.0f;
      c->consts.c060 = 2;
    }
    g.SetWar(1, 2);
    for (int x = 0; x < 10; ++x)
      for (int y = 0; y < 9; ++y) g.hex(x, y).controller = g.hex(x, y).owner = 2;
    for (int x = 0; x < 10; ++x) g.hex(x, 9).terrain = kTerrainSea, g.hex(x, 9).seaZone = 1;
    g.game->seaGraph.nodes.resize(2);
    g.game->seaGraph.nodes[0].id = 1;
    g.game->seaGraph.nodes[1].id = 2;
    g.game->seaGraph.nodes[1].seaZone = 0;
    gNodesBombarded.clear();
    gNodeKillsAttacker = false;
    SetNodeBombardmentHandler(&RecordNodeBombardment);
  }
  ~AirRaid() override { SetNodeBombardmentHandler(nullptr); }

  template <class Unit = cJednostkaLotnicza>
  Unit* Bomber(int type) {
    auto* u = new Unit();
    u->countryId = 1;
    u->SetType(type);
    u->strength = 10;
    u->x = u->y = 0;
    u->spottedLevel = 6;
    u->actionPoints = 2;
    g.hex(0, 0).unit = u;
    g.game->airUnits.push_back(u);
    return u;
  }
  Defender* PlaceDefender(int x, int y, bool killsAttacker) {
    auto* d = new Defender(killsAttacker);
    d->countryId = 2;
    d->x = x;
    d->y = y;
    g.hex(x, y).unit = d;
    g.game->landUnits.push_back(d);
    return d;
  }
  bool Alive(cUnit* u) {
    return std::find(g.game->airUnits.begin(), g.game->airUnits.end(), u) != g.game->airUnits.end();
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  LogCapture log;
};

TEST_F(AirRaid, ATacticalBomberOnAnEmptyHexWithAnInlandCityFindsNoUnitAndNoPort) {
  cJednostkaLotnicza* bomber = Bomber(kTypeTacticalBomber);
  cMiasto* city = AddCity(g, 4, 4, kCityRegular, 2);
  city->productionPoints = 10.0f;
  sWynikWalki r;
  g.hex(4, 4).AirBombard(r, bomber);
  EXPECT_EQ(r.generalText, L"No unit on the hex.\n\nNo port on the hex.\n\n");
  EXPECT_FLOAT_EQ(city->productionPoints, 10.0f);
  EXPECT_EQ(r.resultCode, sWynikWalki::kBombardment);
  EXPECT_EQ(r.attackerCountry, 1);
  EXPECT_EQ(bomber->actionPoints, 1);
  EXPECT_EQ(fe.Count("PlaySound"), 1);
  EXPECT_EQ(fe.calls.back().text, L"data\\sound\\AirStrike.wav");
  EXPECT_TRUE(gNodesBombarded.empty());
}

TEST_F(AirRaid, AStrategicBomberOnAPortCityHitsUnitCityAndPortInThisOrder) {
  cJednostkaLotnicza* bomber = Bomber(kTypeStrategicBomber);
  AddCity(g, 5, 8, kCitySupplyPort, 2);
  g.hex(5, 8).seaNodeMarker = 2;
  Defender* d = PlaceDefender(5, 8, false);
  d->spottedLevel = 0;
  sWynikWalki r;
  EXPECT_EQ(g.hex(5, 8).AirBombard(r, bomber), 7);
  EXPECT_EQ(r.generalText, L"Unit on the hex:\nCity on the hex:\nPort on the hex:\n");
  EXPECT_EQ(d->attacked, bomber);
  EXPECT_EQ(d->spottedLevel, 3);
  // The raiders' side has seen the unit it bombed.
  const auto& seen = g.game->countries[0]->airReconSightings;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), d), 1);
  EXPECT_EQ(r.defenderCountry, 2);  // the city was bombarded
  EXPECT_EQ(gNodesBombarded, std::vector<int>{2});
  EXPECT_EQ(fe.calls.back().text, L"data\\sound\\StrategicBombardment.wav");
  // A unit seen already keeps its level.
  d->spottedLevel = 5;
  sWynikWalki again;
  g.hex(5, 8).AirBombard(again, bomber);
  EXPECT_EQ(d->spottedLevel, 5);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), d), 1);
}

TEST_F(AirRaid, AnAttackerKilledByTheUnitEndsTheRaidBeforeTheCity) {
  cJednostkaLotnicza* bomber = Bomber(kTypeStrategicBomber);
  cMiasto* city = AddCity(g, 5, 8, kCityPort, 2);
  city->productionPoints = 10.0f;
  g.hex(5, 8).seaNodeMarker = 2;
  PlaceDefender(5, 8, true);
  sWynikWalki r;
  g.hex(5, 8).AirBombard(r, bomber);
  EXPECT_EQ(r.generalText, L"Unit on the hex:\n");
  EXPECT_TRUE(log.Has(L"Attacker zabity podczas nalotu na hex (jednostke na heksie)"));
  EXPECT_FALSE(Alive(bomber));
  EXPECT_EQ(g.hex(0, 0).unit, nullptr);
  EXPECT_EQ(r.defenderCountry, -1);  // the city was not reached
  EXPECT_TRUE(gNodesBombarded.empty());
}

TEST_F(AirRaid, AnAttackerKilledAtThePortIsRemoved) {
  cJednostkaLotnicza* bomber = Bomber(kTypeTacticalBomber);
  AddCity(g, 5, 8, kCityPort, 2);
  g.hex(5, 8).seaNodeMarker = 2;
  gNodeKillsAttacker = true;
  sWynikWalki r;
  g.hex(5, 8).AirBombard(r, bomber);
  EXPECT_EQ(r.generalText, L"No unit on the hex.\n\nPort on the hex:\n");
  EXPECT_TRUE(log.Has(L"Attacker zabity podczas nalotu na hex (port na heksie)"));
  EXPECT_FALSE(Alive(bomber));
}

TEST_F(AirRaid, ASuccessfulInterceptionStopsTheRaid) {
  cJednostkaLotnicza* fighter = PlaceAir(g, 2, 4, 3, 10);  // the defender's, in reach
  Raider* raider = Bomber<Raider>(kTypeTacticalBomber);
  raider->stopped = true;
  sWynikWalki r;
  g.hex(4, 4).AirBombard(r, raider);
  EXPECT_EQ(raider->interceptedBy, fighter);
  EXPECT_TRUE(r.generalText.empty());
  EXPECT_EQ(raider->actionPoints, 2);
  EXPECT_EQ(fe.Count("PlaySound"), 0);
  EXPECT_TRUE(Alive(raider));

  // Shot down in the interception: it is killed.
  raider->dies = true;
  g.hex(4, 4).AirBombard(r, raider);
  EXPECT_TRUE(log.Has(L"Przechwycenie przy bombowaniu heksa udane, ataker zabijany"));
  EXPECT_FALSE(Alive(raider));
}

TEST_F(AirRaid, AFailedInterceptionLetsTheRaidGoOn) {
  cJednostkaLotnicza* fighter = PlaceAir(g, 2, 4, 3, 10);
  Raider* raider = Bomber<Raider>(kTypeTacticalBomber);
  sWynikWalki r;
  g.hex(4, 4).AirBombard(r, raider);
  EXPECT_EQ(raider->interceptedBy, fighter);
  EXPECT_EQ(r.generalText, L"No unit on the hex.\n\nNo port on the hex.\n\n");

  // Failed only because the fighter fell too: the raider, shot down as well,
  // strikes nothing and leaves the game.
  Defender* d = PlaceDefender(4, 4, false);
  raider->loss = 102;
  sWynikWalki down;
  g.hex(4, 4).AirBombard(down, raider);
  EXPECT_EQ(d->attacked, nullptr);
  EXPECT_TRUE(down.generalText.empty());
  EXPECT_EQ(down.attackerDestroyed & 1, 1);
  EXPECT_FALSE(Alive(raider));

  // A carrier that the same roll leaves at 0 hit points sinks as well.
  for (auto* table : {&g.game->countries[0]->consts.airCombatTableA, &g.game->countries[0]->consts.airCombatTableB})
    for (auto& row : *table) std::fill(std::begin(row), std::end(row), 20);
  cJednostkaMorska* carrier = naval_test::NewShip(1, kTypeCarrier, 10);
  g.game->navalUnits.push_back(carrier);
  sWynikWalki sunk;
  g.hex(4, 4).AirBombard(sunk, carrier);
  EXPECT_EQ(d->attacked, nullptr);
  EXPECT_EQ(sunk.attackerDestroyed & 1, 1);
  EXPECT_NE(sunk.attackerInfo.find(Txt("report_unit_killed")), std::wstring::npos);
  EXPECT_EQ(std::count(g.game->navalUnits.begin(), g.game->navalUnits.end(), carrier), 0);
}

TEST_F(AirRaid, AtSeaOnlyASeaAreaIsBombarded) {
  cJednostkaLotnicza* bomber = Bomber(kTypeTacticalBomber);
  sWynikWalki r;
  g.hex(3, 9).AirBombard(r, bomber);
  EXPECT_EQ(r.generalText, L"Sea zone:\n");
  EXPECT_EQ(r.resultCode, sWynikWalki::kAirStrikeOnSeaZone);
  EXPECT_EQ(gNodesBombarded, std::vector<int>{1});

  // A carrier's planes: their own kinds, and the carrier has struck.
  auto* carrier = new cJednostkaMorska();
  carrier->countryId = 1;
  carrier->SetType(kTypeCarrier);
  carrier->spottedLevel = 6;
  g.game->navalUnits.push_back(carrier);
  sWynikWalki s;
  g.hex(3, 9).AirBombard(s, carrier);
  EXPECT_EQ(s.resultCode, sWynikWalki::kCarrierStrikeOnSeaZone);
  EXPECT_EQ(carrier->airstrikeDone, 1);
  EXPECT_EQ(fe.calls.back().text, L"data\\sound\\StrategicBombardment.wav");
  sWynikWalki l;
  g.hex(2, 2).AirBombard(l, carrier);
  EXPECT_EQ(l.resultCode, sWynikWalki::kCarrierStrikeOnLand);

  // A hex whose node is a port is no sea area.
  g.hex(3, 9).seaZone = 2;
  gNodesBombarded.clear();
  sWynikWalki p;
  g.hex(3, 9).AirBombard(p, bomber);
  EXPECT_EQ(p.generalText, L"Sea zone:\n");
  EXPECT_TRUE(gNodesBombarded.empty());
}

}  // namespace
