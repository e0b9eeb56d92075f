// Air combat and interception against hand-computed entries of the two
// result tables.
#include <gtest/gtest.h>

#include "core/front_end.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/reports.h"

using namespace world_test;
using namespace unit_test;

namespace {

// The tables of the shipped test constants: table A by die 1..6 and column
// -4..+4, then table B.
constexpr int kTableA[6][9] = {{0, 0, 0, 1, 1, 1, 2, 2, 3}, {0, 0, 1, 1, 1, 2, 2, 3, 3}, {0, 1, 1, 1, 2, 2, 3, 3, 4},
                               {1, 1, 1, 2, 2, 3, 3, 4, 4}, {1, 1, 2, 2, 3, 3, 4, 4, 5}, {1, 2, 2, 3, 3, 4, 4, 5, 6}};
constexpr int kTableB[6][9] = {{3, 2, 2, 1, 1, 1, 0, 0, 0}, {3, 3, 2, 2, 1, 1, 1, 0, 0}, {4, 3, 3, 2, 2, 1, 1, 1, 0},
                               {4, 4, 3, 3, 2, 2, 1, 1, 1}, {5, 4, 4, 3, 3, 2, 2, 1, 1}, {6, 5, 4, 4, 3, 3, 2, 2, 1}};

// A seed whose first die of the game's dice shows d.
uint32_t SeedForDie(int d) {
  for (uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    if (RandomInRange(1, 6) == d) return seed;
  }
}

class AirCombat : public ::testing::Test {
 protected:
  // Country 1 attacks country 2.
  AirCombat() : g(10, 10, 2) {
    g.SetWar(1, 2);
    for (cPanstwo* c : g.game->countries) {
      c->name = L"Land " + std::to_wstring(c->id);
      std::copy(&kTableA[0][0], &kTableA[0][0] + 54, &c->consts.airCombatTableA[0][0]);
      std::copy(&kTableB[0][0], &kTableB[0][0] + 54, &c->consts.airCombatTableB[0][0]);
      int* bonus = c->consts.supplyTable[sConsts::kInterceptionBonusTable];
      bonus[10] = 1;
      bonus[30] = 2;
      c->consts.c179[0] = 10;    // commander factor of the protection roll
      c->consts.c155 = 50.0f;    // carriers keep half their hit points
    }
    g.game->turn = 4;
    LoadShippedStrings();
  }
  cJednostkaLotnicza* Air(int country, int x, int y, int strength, int level, int supply, const wchar_t* name) {
    cJednostkaLotnicza* u = PlaceAir(g, country, x, y, strength);
    u->level = level;
    u->supply = supply;
    u->actionPoints = 2;
    u->SetName(name);
    return u;
  }
  cJednostkaMorska* Carrier(int country, int hitPoints, int maxHitPoints) {
    auto* fleet = new sFlota();
    fleet->countryId = country;
    fleet->seaNode = 1;
    auto* ship = new cJednostkaMorska();
    ship->SetType(kTypeCarrier);
    ship->SetName(L"Flattop");
    ship->countryId = country;
    ship->hitPoints = hitPoints;
    ship->maxHitPoints = maxHitPoints;
    ship->fleet = fleet;
    fleet->ships.push_back(ship);
    g.game->fleets.push_back(fleet);
    g.game->navalUnits.push_back(ship);
    return ship;
  }

  GameFixture g;
  LogCapture log;
};

TEST_F(AirCombat, AnAirFightReadsBothTablesAtTheColumnOfTheSides) {
  struct sCase {
    int sA, lA, uA, sD, lD, uD, die;  // uA, uD: supply levels
    int column;                        // attacker side minus defender side, clamped
  };
  const sCase cases[] = {
      // (bonus 1 - bonus 0) - 1 - 4 + (2 - 1) + 5 = 2: A 3, B 1
      {5, 2, 10, 4, 1, 0, 3, 2},
      {9, 5, 10, 1, 1, 0, 2, 4},   // 1 - 0 - 1 - 1 + 4 + 9 = 12, held at +4: A 3, B 0
      {1, 1, 0, 6, 2, 10, 5, -4},  // 0 - 1 - 2 - 6 + 0 + 1 = -8, held at -4: A 1 (destroyed), B 5
      {3, 1, 0, 3, 1, 0, 1, -1},   // A 1, B 1
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "column " << c.column << " die " << c.die);
    cJednostkaLotnicza* a = Air(1, 1, 1, c.sA, c.lA, c.uA, L"Hunter");
    cJednostkaLotnicza* d = Air(2, 3, 3, c.sD, c.lD, c.uD, L"Prey");
    const int column = c.column;
    const int lossA = kTableA[c.die - 1][column + 4];
    const int lossD = kTableB[c.die - 1][column + 4];
    const float before = g.game->relations.GetLosses(1, 2);

    SeedRandom(SeedForDie(c.die));
    sWynikWalki r;
    d->AirFight(r, a, nullptr);

    EXPECT_EQ(r.resultCode, sWynikWalki::kAirFight);
    EXPECT_EQ(r.attackerCountry, 1);
    EXPECT_EQ(r.defenderCountry, 2);
    EXPECT_EQ(a->actionPoints, 1);
    EXPECT_EQ(a->strength, c.sA - lossA);
    EXPECT_EQ(d->strength, c.sD - lossD);
    EXPECT_EQ(r.attackerLosses, static_cast<float>(lossA));
    EXPECT_EQ(r.defenderLosses, static_cast<float>(lossD));
    EXPECT_EQ(g.game->relations.GetLosses(1, 2) - before, static_cast<float>(lossD));
    EXPECT_TRUE(log.Has(WFormat(L"Column = %+i, D6=%i, att losses=%i, def losses=%i", column, c.die, lossA, lossD)));
    EXPECT_EQ(r.attackerDestroyed, a->strength <= 0 ? 1 : 0);
    a->Kill();  // the caller removes a dead attacker
    d->Kill();
  }
}

TEST_F(AirCombat, AnAirFightFilesReportsAndDestroysABeatenDefender) {
  cJednostkaLotnicza* a = Air(1, 1, 1, 5, 2, 10, L"Hunter");
  cJednostkaLotnicza* d = Air(2, 3, 3, 1, 1, 0, L"Prey");
  // Column 1 - 0 - 1 - 1 + 1 + 5 = 5, held at +4; die 2: attacker 3, defender 0.
  SeedRandom(SeedForDie(2));
  sWynikWalki r;
  d->AirFight(r, a, nullptr);
  EXPECT_EQ(a->strength, 2);
  EXPECT_EQ(g.game->airUnits.size(), 2u);  // nothing lost by the defender
  EXPECT_EQ(r.defenderDestroyed, 0);

  const std::list<sRaport>& reports = g.game->reports->reports;
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports.front().kind, 2);
  EXPECT_EQ(reports.front().countryId, 1);
  EXPECT_EQ(reports.front().turn, 4);
  EXPECT_EQ(reports.front().text,
            L"Air combat\n\nHunter attacked Prey (Land 2).\n\nAttacker losses: 3.00\nDefender losses: 0.00");
  EXPECT_EQ(reports.back().kind, 3);
  EXPECT_EQ(reports.back().countryId, 2);
  EXPECT_EQ(reports.back().text,
            L"Air combar\n\nPrey was attacked by Hunter (Land 1).\n\nAttacker losses: 3.00\nDefender losses: 0.00");
  EXPECT_NE(r.generalText.find(WFormat(Txt("report_air_fight").c_str(), Txt("unit_subtype_air_fighter").c_str(),
                                       L"Prey", L"Land 2", 1.0, 0)),
            std::wstring::npos);

  // Die 1 at column -1 costs 1 strength: the defender of 1 is destroyed.
  a->strength = 1;
  a->level = 1;
  a->supply = 0;
  SeedRandom(SeedForDie(1));
  sWynikWalki r2;
  d->AirFight(r2, a, nullptr);  // column 0 - 0 - 1 - 1 + 0 + 1 = -1
  EXPECT_EQ(r2.defenderDestroyed, 1);
  EXPECT_NE(r2.defenderInfo.find(Txt("report_unit_killed")), std::wstring::npos);
  EXPECT_EQ(g.game->airUnits.size(), 1u);
  EXPECT_EQ(g.hex(3, 3).unit, nullptr);
}

TEST_F(AirCombat, ACarrierAttacksWithItsHitPointsAndDoctrine) {
  g.game->countries[0]->techLevels[5] = 3;
  cJednostkaMorska* carrier = Carrier(1, 6, 8);
  cJednostkaLotnicza* d = Air(2, 3, 3, 9, 2, 10, L"Prey");
  // bonus[30] 2 - bonus 1 - 2 - 9 + (3 - 1) + 6 = -2; die 3: A 1, B 3.
  SeedRandom(SeedForDie(3));
  sWynikWalki r;
  d->Attack(r, carrier, 0);
  EXPECT_EQ(r.resultCode, sWynikWalki::kAirFight);
  EXPECT_EQ(carrier->hitPoints, 5);
  EXPECT_EQ(d->strength, 6);
  EXPECT_TRUE(log.Has(L"Flattop (strength:6, level:2, supply:2) airfight with Prey (strength:9, level:2, supply: 1)"));

  // Another unit than a carrier does nothing through this slot.
  cJednostkaLotnicza* other = Air(1, 1, 1, 9, 1, 0, L"Other");
  sWynikWalki none;
  d->Attack(none, other, 0);
  EXPECT_EQ(none.resultCode, 0);
  EXPECT_EQ(d->strength, 6);
}

TEST_F(AirCombat, ACommanderCanCancelALoss) {
  cJednostkaLotnicza* a = Air(1, 1, 1, 5, 2, 10, L"Hunter");
  cJednostkaLotnicza* d = Air(2, 3, 3, 4, 1, 0, L"Prey");
  sDowodca* ace = AddCommander(g, 7, 2, 1, 20);  // chance 1 x 10 x 20 = 200: always
  Attach(ace, d);
  SeedRandom(SeedForDie(3));  // column 2, die 3: attacker 2, defender 1
  sWynikWalki r;
  d->AirFight(r, a, nullptr);
  EXPECT_EQ(d->strength, 4);
  EXPECT_EQ(a->strength, 2);
  EXPECT_EQ(r.defenderLosses, 0.0f);

  ace->skill = 0;  // chance 0: never
  EXPECT_FALSE(d->RollCommanderAirFightProtection());
  d->commander = nullptr;
  d->assignedCommanderId = -1;
  EXPECT_FALSE(d->RollCommanderAirFightProtection());
}

TEST_F(AirCombat, InterceptionOutcomesFollowTheLosses) {
  struct sCase {
    const char* what;
    int lossI, lossM;      // the table entries at the column
    int fighterStrength;   // of the interceptor
    int missionStrength;
    bool stopped;
    uint8_t attackerDestroyed, defenderDestroyed;
    const char* logLine;
  };
  const sCase cases[] = {
      {"interceptor destroyed", 3, 9, 3, 20, false, 0, 1, "Intercepcja nieudana, interceptor zdechl"},
      {"mission destroyed", 1, 5, 9, 5, true, 1, 0, "Intercepcja udana, ataker zabity"},
      {"mission loses more", 1, 2, 9, 20, true, 0, 0, "Intercepcja udana"},
      {"equal losses fail", 2, 2, 9, 20, false, 0, 0, "Intercepcja nieudana"},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    log.Clear();
    cJednostkaLotnicza* m = Air(1, 1, 1, c.missionStrength, 1, 0, L"Scout");
    cJednostkaLotnicza* i = Air(2, 3, 3, c.fighterStrength, 1, 0, L"Guard");
    // Column = 1 - 1 - sI + sM, clamped.
    const int column = std::clamp(c.missionStrength - c.fighterStrength, -4, 4);
    sConsts& k = g.game->countries[0]->consts;
    k.airCombatTableA[3][column + 4] = c.lossI;
    k.airCombatTableB[3][column + 4] = c.lossM;
    SeedRandom(SeedForDie(4));
    sWynikWalki r;
    EXPECT_EQ(m->Intercept(i, r), c.stopped);
    EXPECT_EQ(r.resultCode, sWynikWalki::kInterception);
    EXPECT_EQ(r.intercepted, 1);
    EXPECT_EQ(r.attackerLosses, static_cast<float>(c.lossM));
    EXPECT_EQ(r.defenderLosses, static_cast<float>(c.lossI));
    EXPECT_EQ(r.attackerDestroyed, c.attackerDestroyed);
    EXPECT_EQ(r.defenderDestroyed, c.defenderDestroyed);
    EXPECT_EQ(r.missionStopped, c.attackerDestroyed);
    EXPECT_EQ(m->strength, c.missionStrength - c.lossM);
    EXPECT_TRUE(log.HasPrefix(WidenAscii(c.logLine)));
    EXPECT_TRUE(log.Has(L"Guard tries to intercept Scout"));
    EXPECT_EQ(g.game->relations.GetLosses(2, 1) > 0.0f, true);
    if (c.defenderDestroyed) {
      EXPECT_EQ(std::count(g.game->airUnits.begin(), g.game->airUnits.end(), i), 0);
    } else {
      EXPECT_EQ(i->strength, c.fighterStrength - c.lossI);
      i->Kill();
    }
    m->Kill();
    k.airCombatTableA[3][column + 4] = kTableA[3][column + 4];
    k.airCombatTableB[3][column + 4] = kTableB[3][column + 4];
  }
}

TEST_F(AirCombat, ACarrierInterceptorKeepsItsLevelFloor) {
  g.game->countries[1]->techLevels[5] = 2;
  cJednostkaMorska* carrier = Carrier(2, 6, 10);
  cJednostkaLotnicza* m = Air(1, 1, 1, 9, 3, 0, L"Raider");
  // Column = 3 - 2 - 6 + 9 = 4; die 5: carrier would lose 5, mission 1.
  SeedRandom(SeedForDie(5));
  sWynikWalki r;
  EXPECT_FALSE(m->Intercept(carrier, r));
  EXPECT_EQ(carrier->hitPoints, 5);      // floor(10 x 50 / 100), not 1
  EXPECT_EQ(r.defenderLosses, 1.0f);     // the level actually lost
  EXPECT_EQ(m->strength, 8);
  EXPECT_EQ(g.game->relations.GetLosses(1, 2), 1.0f);
  EXPECT_EQ(g.game->relations.GetLosses(2, 1), 1.0f);

  carrier->hitPoints = 2;  // below the floor already: raised to it
  cJednostkaLotnicza::ApplyCarrierLevelFloor(*carrier);
  EXPECT_EQ(carrier->hitPoints, 5);
}

}  // namespace
