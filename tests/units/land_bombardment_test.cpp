// Bombardment of a land unit by air units and ships, against hand-computed
// effectiveness, columns, losses and kill thresholds.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/reports.h"

using namespace world_test;
using namespace unit_test;

namespace {

// A seed whose first two dice show a, then b.
uint32_t SeedForDice(int a, int b) {
  for (uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    const int first = RandomInRange(1, 6);
    if (first == a && RandomInRange(1, 6) == b) return seed;
  }
}

class LandBombardment : public ::testing::Test {
 protected:
  // Country 1 bombs country 2; every factor is 100 percent until a test
  // changes it.
  LandBombardment() : g(10, 10, 2) {
    g.SetWar(1, 2);
    for (cPanstwo* c : g.game->countries) {
      sConsts& k = c->consts;
      c->name = L"Land " + std::to_wstring(c->id);
      k.c060 = 100;
      std::fill(std::begin(k.c058), std::end(k.c058), 100);
      std::fill(std::begin(k.supplyTable[sConsts::kEffectivenessTable]),
                std::end(k.supplyTable[sConsts::kEffectivenessTable]), 100);
      std::fill(std::begin(k.c057), std::end(k.c057), 100);
      std::fill(std::begin(k.c126), std::end(k.c126), 100);
      k.c146 = 100;
      k.c147 = 10;
      k.c144 = 0.0f;
      std::fill(std::begin(k.bombardDefenderLoss), std::end(k.bombardDefenderLoss), 1.0f);
      // The attacker loses as many points as the column number.
      for (auto& row : k.bombardAttackerLoss)
        for (int col = 0; col < 5; ++col) row[col] = col + 1;
    }
    LoadShippedStrings();
  }
  sConsts& C(int country) { return g.game->GetCountry(country)->consts; }
  cJednostkaLotnicza* Bomber(int strength) {
    cJednostkaLotnicza* a = PlaceAir(g, 1, 1, 1, strength);
    a->SetType(kTypeFighter + 1);
    a->SetName(L"Raider");
    a->level = 1;
    a->supply = 10;
    return a;
  }
  cJednostkaMorska* Ship(int hitPoints, int maxHitPoints) {
    auto* s = new cJednostkaMorska();
    s->SetType(kTypeBattleship);
    s->SetName(L"Gunner");
    s->countryId = 1;
    s->hitPoints = hitPoints;
    s->maxHitPoints = maxHitPoints;
    g.game->navalUnits.push_back(s);
    return s;
  }
  ValuedLandUnit* Target(float cost, int strength, int level) {
    ValuedLandUnit* d = PlaceLand(g, 2, 5, 5, cost, L"Holdout");
    d->strength = strength;
    d->level = level;
    return d;
  }
  bool Alive(const cJednostkaLadowa* d) const {
    return std::find(g.game->landUnits.begin(), g.game->landUnits.end(), d) != g.game->landUnits.end();
  }

  GameFixture g;
  cLogCapture log;
};

TEST_F(LandBombardment, EightFactorsDiceAndTablesGiveTheHandComputedResult) {
  sConsts& a = C(1);
  sConsts& d = C(2);
  a.c060 = 10;                                        // S = 100 x 8 / 10 = 80
  a.c058[1] = 90;                                     // level 2
  a.supplyTable[sConsts::kEffectivenessTable][20] = 75;
  d.c057[kTerrainForest] = 50;
  d.c146 = 80;                                        // city
  d.c126[kWeatherWinter] = 60;
  d.c147 = 10;                                        // fort 3: 70
  d.c144 = 10.0f;                                     // trench 2: 80
  a.bombardDefenderLoss[5] = 3.0f;
  a.bombardAttackerLoss[3][1] = 3;                    // die 4, column 2
  // The defender's tables must not be read for the attacker's losses.
  d.bombardDefenderLoss[5] = 9.0f;
  d.bombardAttackerLoss[3][1] = 9;

  cJednostkaLotnicza* raider = Bomber(8);
  raider->level = 2;
  raider->supply = 20;
  ValuedLandUnit* def = Target(1.0f, 70, 3);  // penalty 30 / 20 = 1: column 2
  def->trenchBonusMultiplier = 2;
  sHex& hex = g.hex(5, 5);
  hex.terrain = kTerrainForest;
  hex.weather = kWeatherWinter;
  hex.fort = 3;
  AddCity(g, 5, 5, 0, 2);

  SeedRandom(SeedForDice(4, 6));
  sWynikWalki r;
  def->Attack(r, raider, 0);

  // E = 80 x .9 x .75 x .5 x .8 x .6 x .7 x .8 = 7.2576; L = 3.0 x E / 100.
  const float e = 7.2576f;
  const float loss = 3.0f * e / 100.0f;
  EXPECT_EQ(r.resultCode, sWynikWalki::kBombardment);
  EXPECT_EQ(r.attackerCountry, 1);
  EXPECT_EQ(r.defenderCountry, 2);
  EXPECT_NEAR(g.game->relations.GetLosses(1, 2), loss, 1e-6);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(2, 1), 3.0f);
  EXPECT_FLOAT_EQ(r.attackerLosses, 3.0f);
  EXPECT_FLOAT_EQ(r.defenderLosses, 21.0f);  // trunc(0.217728 x 100 / 1)
  EXPECT_EQ(raider->strength, 5);
  EXPECT_EQ(def->strength, 49);
  EXPECT_EQ(r.attackerDestroyed, 0);
  EXPECT_EQ(r.defenderDestroyed, 0);
  EXPECT_TRUE((log.CountContaining(L"Attack effectiveness = 7.3") > 0));
  EXPECT_TRUE((log.CountContaining(L"KOLUMNA 2") > 0));

  std::vector<sRaport> mine, theirs;
  g.game->reports->CollectReports(mine, 1, 8);
  g.game->reports->CollectReports(theirs, 2, 9);
  ASSERT_EQ(mine.size(), 1u);
  ASSERT_EQ(theirs.size(), 1u);
  const std::wstring line = L"Raider (Land 1) bombed Holdout (Land 2) on hex (5, 5)";
  EXPECT_NE(mine[0].text.find(line), std::wstring::npos);
  EXPECT_NE(theirs[0].text.find(line), std::wstring::npos);
}

TEST_F(LandBombardment, ColumnIsLevelLessStrengthPenaltyClampedToOneToFive) {
  struct sCase {
    int level, strength, column;
  };
  const sCase cases[] = {{1, 30, 1}, {5, 100, 5}, {3, 70, 2}, {5, 0, 1}, {4, 79, 3}, {2, 81, 2}, {5, 99, 5}};
  for (const sCase& c : cases) {
    ValuedLandUnit* def = Target(1000.0f, c.strength, c.level);
    cJednostkaLotnicza* raider = Bomber(100);
    sWynikWalki r;
    def->Attack(r, raider, 0);
    EXPECT_FLOAT_EQ(r.attackerLosses, static_cast<float>(c.column)) << c.level << " " << c.strength;
    EXPECT_EQ(raider->strength, 100 - c.column);
    g.hex(5, 5).unit = nullptr;
    g.hex(1, 1).unit = nullptr;
  }
}

TEST_F(LandBombardment, EffectivenessNeverFallsBelowOne) {
  // Full strength and all factors 100: E = 100 and a loss of 1.0 in value.
  ValuedLandUnit* def = Target(10.0f, 100, 3);
  sWynikWalki r;
  def->Attack(r, Bomber(100), 0);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(1, 2), 1.0f);
  EXPECT_EQ(def->strength, 90);  // 1.0 x 100 / 10

  // Strength 1 of 100 with a 10 percent terrain: 0.1, raised to 1.0.
  g.hex(5, 5).unit = nullptr;
  g.hex(1, 1).unit = nullptr;
  C(2).c057[kTerrainPlain] = 10;
  ValuedLandUnit* weak = Target(10.0f, 100, 3);
  sWynikWalki w;
  weak->Attack(w, Bomber(1), 0);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(1, 2), 1.0f + 0.01f);
  EXPECT_TRUE((log.CountContaining(L"Attack effectiveness = 1.0") > 0));
}

TEST_F(LandBombardment, DefenderDiesBelowOneTenthOfValue) {
  // E = 100, loss factor 0.5: L = 0.5, 50 points at a cost of 1.
  for (float& f : C(1).bombardDefenderLoss) f = 0.5f;
  ValuedLandUnit* survivor = Target(1.0f, 60, 3);  // 10 left: value 0.1
  sWynikWalki r;
  survivor->Attack(r, Bomber(100), 0);
  EXPECT_EQ(r.defenderDestroyed, 0);
  EXPECT_TRUE(Alive(survivor));
  EXPECT_EQ(survivor->strength, 10);

  g.hex(5, 5).unit = nullptr;
  g.hex(1, 1).unit = nullptr;
  ValuedLandUnit* lost = Target(1.0f, 59, 3);  // 9 left: value 0.09
  sWynikWalki k;
  lost->Attack(k, Bomber(100), 0);
  EXPECT_EQ(k.defenderDestroyed, 1);
  EXPECT_FALSE(Alive(lost));
  EXPECT_EQ(g.hex(5, 5).unit, nullptr);
  EXPECT_FLOAT_EQ(k.defenderLosses, 50.0f);
  EXPECT_TRUE((log.CountContaining(L"Defender killed") > 0));
}

TEST_F(LandBombardment, ShipUsesHitPointsNavyTechAndSupplyThirty) {
  C(1).c058[3] = 50;  // navy tech 4
  C(1).supplyTable[sConsts::kEffectivenessTable][30] = 80;
  C(1).supplyTable[sConsts::kEffectivenessTable][10] = 10;  // a land or air unit's usual level
  g.game->GetCountry(1)->techLevels[5] = 4;
  cJednostkaMorska* ship = Ship(6, 8);  // S = 75
  ValuedLandUnit* def = Target(1000.0f, 100, 2);  // column 2
  sWynikWalki r;
  def->Attack(r, ship, 0);
  // E = 75 x .5 x .8 = 30: L = 0.3.
  EXPECT_NEAR(g.game->relations.GetLosses(1, 2), 0.3f, 1e-6);
  EXPECT_EQ(ship->hitPoints, 4);
  EXPECT_EQ(r.attackerDestroyed, 0);

  // A ship with fewer hit points than its loss ends at 0 and is flagged.
  cJednostkaMorska* wreck = Ship(1, 8);
  sWynikWalki w;
  def->Attack(w, wreck, 0);
  EXPECT_EQ(wreck->hitPoints, 0);
  EXPECT_EQ(w.attackerDestroyed, 1);
}

TEST_F(LandBombardment, AirAttackerAtZeroStrengthIsFlaggedNotDestroyed) {
  ValuedLandUnit* def = Target(1000.0f, 100, 5);  // column 5
  cJednostkaLotnicza* raider = Bomber(4);
  C(1).c060 = 4;
  sWynikWalki r;
  def->Attack(r, raider, 0);
  EXPECT_EQ(raider->strength, -1);
  EXPECT_EQ(r.attackerDestroyed, 1);
  EXPECT_NE(std::find(g.game->airUnits.begin(), g.game->airUnits.end(), raider), g.game->airUnits.end());
}

TEST_F(LandBombardment, FortThatCancelsTheAttackIsAFatalDataError) {
  g.hex(5, 5).fort = 10;  // 100 - 10 x 10 = 0
  ValuedLandUnit* def = Target(10.0f, 100, 3);
  cJednostkaLotnicza* raider = Bomber(100);
  sWynikWalki r;
  EXPECT_EXIT((LogToStderr(), def->Attack(r, raider, 0)), ::testing::ExitedWithCode(1), "fort in hex \\(5,5\\) is 10");
}

}  // namespace
