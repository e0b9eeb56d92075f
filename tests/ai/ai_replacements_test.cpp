// The computer player's replacements, ship repairs and commanders: who is
// served first, the thresholds of each factor and the limits of each buy.
#include <gtest/gtest.h>

#include <list>

#include "ai/ai.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"

namespace {

using world_test::GameFixture;

// A land unit of a fixed purchase cost whose panel allows replacements.
class ReplaceableLand : public cJednostkaLadowa {
 public:
  explicit ReplaceableLand(float cost = 50.0f) : cost_(cost) {}
  bool GetStrengthIconHint(std::wstring*) override { return true; }
  float GetUnitCost() const override { return cost_; }

 private:
  float cost_;
};

class AiReplacements : public ::testing::Test {
 protected:
  AiReplacements() : g(6, 6, 2) {
    unit_test::LoadShippedStrings();
    c = g.game->countries[0];
    c->name = L"C1";
    ai.country = c;
    c->consts.c079[0] = 2.0f;  // land price per point of type 0
    c->consts.c082 = 10;       // land surcharge per level
    c->consts.c083 = 50;       // air surcharge per level
    for (int s = 0; s < kSupplyLevelCount; ++s) {
      c->consts.supplyTable[4][s] = 20;  // land cap
      c->consts.supplyTable[5][s] = 3;   // air cap
    }
  }
  ReplaceableLand& Land(int strength, int level = 1) {
    ReplaceableLand& u = lands.emplace_back();
    u.countryId = 1;
    u.strength = strength;
    u.level = level;
    u.actionPoints = u.startingActionPoints = 4;
    ai.ownLandUnits.push_back(&u);
    return u;
  }
  cJednostkaLotnicza& Air(int type, int strength, int level = 1) {
    cJednostkaLotnicza& u = airs.emplace_back();
    u.countryId = 1;
    u.SetType(type);
    u.strength = strength;
    u.level = level;
    u.supply = 10;
    u.turnsWithoutSupply = 0;
    u.actionPoints = u.startingActionPoints = 3;
    ai.ownAirUnits.push_back(&u);
    return u;
  }

  GameFixture g;
  cPanstwo* c = nullptr;
  cAI ai;
  std::list<ReplaceableLand> lands;
  std::list<cJednostkaLotnicza> airs;
  cLogCapture log;
};

TEST_F(AiReplacements, LandThresholdFollowsTheFactor) {
  c->productionPoints = 1000.0;
  ReplaceableLand& half = Land(50);
  ai.LandReplacements(0.5f);
  EXPECT_EQ(half.strength, 50);
  EXPECT_EQ(half.actionPoints, 4);
  ReplaceableLand& ninetySeven = Land(97);
  ReplaceableLand& ninetyEight = Land(98);
  ai.LandReplacements(0.98f);
  EXPECT_EQ(ninetySeven.strength, 100);  // never above 100
  EXPECT_EQ(ninetySeven.actionPoints, 0);
  EXPECT_EQ(ninetyEight.strength, 98);
  EXPECT_EQ(ninetyEight.actionPoints, 4);
  EXPECT_EQ(half.strength, 70);  // the cap of its supply level
}

TEST_F(AiReplacements, LandPriceTakesCostAndLevelAndTheWeakestIsServedFirst) {
  // p = 2 x 50 / 100 = 1, level 2: + 10 % = 1.1; cap 20.
  c->productionPoints = 100.0;
  ReplaceableLand& veteran = Land(40, 2);
  ai.LandReplacements(0.5f);
  EXPECT_EQ(veteran.strength, 60);
  EXPECT_NEAR(c->productionPoints, 78.0, 1e-4);

  // Eleven points at 1.0 each: the weaker unit takes them all.
  veteran.strength = 45;
  veteran.level = 1;
  ReplaceableLand& weak = Land(30);
  c->productionPoints = 11.0;
  ai.LandReplacements(0.5f);
  EXPECT_EQ(weak.strength, 41);
  EXPECT_EQ(veteran.strength, 45);
  EXPECT_NEAR(c->productionPoints, 0.0, 1e-4);
  EXPECT_EQ(ai.ownLandUnits.front(), &weak);
}

TEST_F(AiReplacements, NoProductionPointsBuyNothingAndLogNothing) {
  c->productionPoints = 0.0;
  g.game->selection.showActions = 1;
  ReplaceableLand& u = Land(10);
  u.spottedLevel = 6;
  ai.LandReplacements(0.98f);
  EXPECT_EQ(u.strength, 10);
  EXPECT_FALSE(log.HasPrefix(L"[AI]: C1 - Replacements"));
  c->productionPoints = 5.0;
  ai.LandReplacements(0.98f);
  EXPECT_EQ(u.strength, 15);
  EXPECT_TRUE(log.HasPrefix(L"[AI]: C1 - Replacements for"));
}

TEST_F(AiReplacements, AirLimitsByTypeAndFactor) {
  c->consts.c014[0] = 8;   // fighters' full strength
  c->consts.c014[1] = 10;  // tactical bombers'
  c->consts.c081[0] = 1.0f;
  c->consts.c081[1] = 2.0f;
  c->productionPoints = 1000.0;
  cJednostkaLotnicza& fighterAtLimit = Air(kTypeFighter, 4);
  cJednostkaLotnicza& fighter = Air(kTypeFighter, 2);
  cJednostkaLotnicza& bomberAtHalf = Air(kTypeTacticalBomber, 5, 2);
  cJednostkaLotnicza& bomberAbove = Air(kTypeTacticalBomber, 6);
  ai.Replacements(0.5f);
  EXPECT_EQ(fighterAtLimit.strength, 4);  // 4 - strength leaves nothing
  EXPECT_EQ(fighter.strength, 3);         // half the cap of 3
  EXPECT_EQ(bomberAtHalf.strength, 8);    // equal to full x factor qualifies; 8 - 5
  EXPECT_EQ(bomberAbove.strength, 6);
  EXPECT_EQ(bomberAtHalf.actionPoints, 0);
  // 1 x 1.0 for the fighter, 3 x 2.0 x 1.5 for the level-2 bomber.
  EXPECT_NEAR(c->productionPoints, 1000.0 - 1.0 - 9.0, 1e-4);
  EXPECT_EQ(ai.ownAirUnits.front(), &fighter);
}

TEST_F(AiReplacements, ShipsAreRepairedOnePointAtATime) {
  const int port = naval_test::AddPort(g, 0, 0, 5, 1);
  (void)port;
  auto ship = [&](int country, int hp, int max) {
    auto* s = new cJednostkaMorska();
    s->countryId = country;
    s->hitPoints = hp;
    s->maxHitPoints = max;
    g.game->navalUnits.push_back(s);
    return s;
  };
  cJednostkaMorska* damaged = ship(1, 1, 4);
  cJednostkaMorska* whole = ship(1, 4, 4);
  cJednostkaMorska* foreign = ship(2, 1, 4);
  c->consts.c142 = 1.0f;
  ai.RepairShips();
  EXPECT_EQ(damaged->hitPoints, 2);
  EXPECT_EQ(whole->hitPoints, 4);
  EXPECT_EQ(foreign->hitPoints, 1);
  c->consts.c142 = -1.0f;  // no chance at all
  ai.RepairShips();
  EXPECT_EQ(damaged->hitPoints, 2);
  for (cJednostkaMorska* s : g.game->navalUnits) delete s;
  g.game->navalUnits.clear();
}

TEST_F(AiReplacements, BestCommandersGoToTheStrongestUnitsWithoutOne) {
  ReplaceableLand& weak = Land(20);
  ReplaceableLand& strong = Land(90);
  ReplaceableLand& middle = Land(60);
  ReplaceableLand& led = Land(100);
  sDowodca* old = unit_test::AddCommander(g, 1, 1, 2, 9);
  unit_test::Attach(old, &led);
  sDowodca* good = unit_test::AddCommander(g, 2, 1, 1, 3);
  sDowodca* best = unit_test::AddCommander(g, 3, 1, 0, 5);
  sDowodca* foreign = unit_test::AddCommander(g, 4, 2, 0, 9);
  best->name = L"Best";
  strong.SetName(L"Strong");
  ai.AssignCommanders();
  EXPECT_EQ(strong.commander, best);
  EXPECT_EQ(middle.commander, good);  // whatever its type
  EXPECT_EQ(weak.commander, nullptr);
  EXPECT_EQ(best->state, 2);
  EXPECT_EQ(best->unit, &strong);
  EXPECT_EQ(strong.assignedCommanderId, -1);
  EXPECT_EQ(foreign->state, 0);
  EXPECT_EQ(led.commander, old);
  EXPECT_TRUE(log.Has(L"Best has been assigned to command Strong"));
}

}  // namespace
