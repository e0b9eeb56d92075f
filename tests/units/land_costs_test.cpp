// Land units: price by level and type, the level-up and the upgrade to
// corps with their costs and rounding, and the artificial harbour's pinned
// values.
#include <gtest/gtest.h>

#include <vector>

#include "core/front_end.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/country.h"

using namespace world_test;
using namespace unit_test;

namespace {

// Country 1 with a small price table: infantry division (type 0) 10, 20, 30
// by level, its corps (type 1) 25, 40; factors 1 and 1.5; surcharge 10 %;
// corps factor 0.5.
class LandCosts : public ::testing::Test {
 protected:
  LandCosts() : g(6, 6, 1) {
    LoadShippedStrings();
    owner = g.game->countries[0];
    owner->name = L"Country 1";
    sConsts& k = owner->consts;
    k.levelUpCostTable[0][0] = 10, k.levelUpCostTable[1][0] = 20, k.levelUpCostTable[2][0] = 30;
    k.levelUpCostTable[0][1] = 25, k.levelUpCostTable[1][1] = 40;
    k.c090[0] = 1.0f, k.c090[1] = 1.5f;
    k.c082 = 10;
    k.c148 = 0.5f;
    owner->landBuildTime[0] = 3, owner->landBuildTime[1] = 5;
    owner->productionPoints = 100.0;
  }

  cJednostkaLadowa* Land(int type, int level, int strength) {
    auto* u = new cJednostkaLadowa();
    u->countryId = 1;
    u->SetName(L"Rifles");
    u->SetType(type);
    u->level = level;
    u->strength = strength;
    u->x = u->y = 2;
    u->actionPoints = u->startingActionPoints = 3;
    u->moveList.push_back(sHexEntry{});
    g.hex(2, 2).unit = u;
    g.game->landUnits.push_back(u);
    return u;
  }

  GameFixture g;
  cPanstwo* owner;
};

TEST_F(LandCosts, PriceAndWorthFollowTheOwnersTable) {
  cJednostkaLadowa* u = Land(0, 2, 50);
  EXPECT_EQ(u->GetUnitCost(), 20.0f);
  EXPECT_EQ(u->GetStrengthValue(), 10.0f);
  u->level = 3;
  EXPECT_EQ(u->GetUnitCost(), 30.0f);
  // Outside the table a unit is worth nothing instead of reading past it.
  u->level = 6;
  EXPECT_EQ(u->GetUnitCost(), 0.0f);
  u->level = 1;
  u->type = kTypeMulberry;
  EXPECT_EQ(u->GetUnitCost(), 0.0f);
}

TEST_F(LandCosts, LevelUpCostsHandComputed) {
  struct Case {
    int type, level;
    float cost;
  } const cases[] = {
      // (20 + 10 x 20 x 1 / 100) - (10 + 0): no surcharge on the level-1 value
      {0, 1, 12.0f},
      // (30 + 10 x 30 x 2 / 100) - (20 + 10 x 20 x 1 / 100) = 36 - 22
      {0, 2, 14.0f},
      // factor 1.5: next 60, current 37.5; 66 - 37.5
      {1, 1, 28.5f},
  };
  for (const Case& c : cases) {
    cJednostkaLadowa* u = Land(c.type, c.level, 100);
    EXPECT_EQ(u->GetLevelUpCost(), c.cost) << c.type << "/" << c.level;
  }
}

TEST_F(LandCosts, LevelUpKeepsTheUnitsWorthAndPays) {
  struct Case {
    int level, strength, expected;
  } const cases[] = {
      {1, 50, 75},   // 50 x 10 / 20 + 10 x 100 / 20 = 25 + 50
      {2, 30, 54},   // 20 + 33.33, rounded up
      {1, 100, 100}, // full strength stays full
  };
  for (const Case& c : cases) {
    cJednostkaLadowa* u = Land(0, c.level, c.strength);
    const double before = owner->productionPoints;
    const float cost = u->GetLevelUpCost();
    EXPECT_TRUE(u->LevelUp());
    EXPECT_EQ(u->level, c.level + 1);
    EXPECT_EQ(u->strength, c.expected) << c.level << "/" << c.strength;
    EXPECT_EQ(u->actionPoints, 0);
    EXPECT_TRUE(u->moveList.empty());
    EXPECT_NEAR(owner->productionPoints, before - cost, 1e-6);
  }
}

TEST_F(LandCosts, ComputerLevelUpIsShownOnlyWhenSeenAndActionsAreShown) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  delayValues[DELAY_AI_REPLACEMENT_BEFORE] = 300;
  delayValues[DELAY_AI_REPLACEMENT_AFTER] = 400;
  cJednostkaLadowa* u = Land(0, 1, 50);
  g.game->selection.showActions = 0;
  u->spottedLevel = 6;
  u->AiLevelUp();
  EXPECT_EQ(u->level, 2);
  EXPECT_EQ(u->strength, 75);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_NEAR(owner->productionPoints, 88.0, 1e-6);
  EXPECT_TRUE(log.Has(L"[AI]: Country 1 - upgrading Rifles (level up)"));
  EXPECT_EQ(fe.Count("Delay"), 0);
  EXPECT_EQ(fe.Count("CenterMapOn"), 0);

  g.game->selection.showActions = 1;
  u->AiLevelUp();
  EXPECT_EQ(u->level, 3);
  EXPECT_EQ(fe.Count("CenterMapOn"), 1);
  std::vector<int> delays;
  for (const auto& c : fe.calls)
    if (c.name == "Delay") delays.push_back(c.value);
  EXPECT_EQ(delays, (std::vector<int>{300, 400}));

  // An unseen unit is not shown even with shown actions.
  fe.calls.clear();
  u->level = 1;
  u->spottedLevel = 0;
  u->AiLevelUp();
  EXPECT_EQ(fe.Count("Delay"), 0);
}

TEST_F(LandCosts, CorpsCostHandComputed) {
  // dm 0.5, dc 15: v = 1.5 x 15 + 10 x 0.5 = 27.5; x 0.5 = 13.75, cut to 13.
  EXPECT_EQ(Land(0, 1, 100)->GetUpgradeToCorpsCost(), 13.0f);
  // Level 2 at half strength: dc 20, worth 10: v = 30 + 5 = 35; plus 10 %
  // once: 38.5; x 0.5 = 19.25, cut to 19.
  EXPECT_EQ(Land(0, 2, 50)->GetUpgradeToCorpsCost(), 19.0f);
}

TEST_F(LandCosts, UpgradeToCorpsKeepsWorthFreezesAndPays) {
  cJednostkaLadowa* full = Land(0, 1, 100);
  EXPECT_TRUE(full->UpgradeToCorps());
  EXPECT_EQ(full->type, 1);
  EXPECT_EQ(full->strength, 100);
  EXPECT_EQ(full->actionPoints, 0);
  EXPECT_EQ(full->freezeTime, 2);  // build time 5 of the corps less 3
  EXPECT_TRUE(full->moveList.empty());
  EXPECT_NEAR(owner->productionPoints, 87.0, 1e-9);

  // (25 - 10) x 100 / 25 + 50 x 10 / 25 = 60 + 20; a corps quicker to build
  // than its division gives no negative freeze.
  owner->landBuildTime[1] = 1;
  cJednostkaLadowa* half = Land(0, 1, 50);
  EXPECT_TRUE(half->UpgradeToCorps());
  EXPECT_EQ(half->strength, 80);
  EXPECT_EQ(half->freezeTime, 0);
}

TEST_F(LandCosts, PricesWithoutANextStepLeaveTheStrength) {
  // A corps missing from the table must not divide by zero.
  owner->consts.levelUpCostTable[0][1] = 0;
  owner->consts.c148 = 0;
  cJednostkaLadowa* u = Land(0, 1, 60);
  EXPECT_TRUE(u->UpgradeToCorps());
  EXPECT_EQ(u->strength, 60);
  cJednostkaLadowa* top = Land(0, 5, 40);
  top->LevelUp();
  EXPECT_EQ(top->strength, 40);
}

using LandCostsDeathTest = LandCosts;

TEST_F(LandCostsDeathTest, CorpsCostOfANonDivisionIsAFatalDataError) {
  for (int type : {1, 5, static_cast<int>(kTypeAirborne), static_cast<int>(kTypeMulberry)}) {
    cJednostkaLadowa* u = Land(type, 1, 100);
    EXPECT_EXIT((LogToStderr(), u->GetUpgradeToCorpsCost()), ::testing::ExitedWithCode(1),
                "wrong land unit type \\(" + std::to_string(type) + "\\)")
        << type;
  }
}

// ---- the artificial harbour ----------------------------------------------------

TEST_F(LandCosts, HarbourKeepsItsPinnedValues) {
  owner->consts.reserveSupplyLevel = 12;
  owner->consts.newMulberryStrength = 7.9f;
  cMulberry h;
  h.countryId = 1;
  h.SetType(kTypeMulberry);
  h.monthsLeft = 4;
  cJednostka* u = &h;
  EXPECT_EQ(u->AddStrength(-3), 7);
  EXPECT_EQ(h.strength, 7);
  h.strength = 2;
  EXPECT_EQ(h.SetStrength(90), 7);
  EXPECT_EQ(u->SetSupplyLevel(40), 12);
  EXPECT_EQ(h.supply, 12);
  u->SetSupplySourceX(3);
  u->SetSupplySourceY(4);
  EXPECT_EQ(h.supplySourceX, -1);
  EXPECT_EQ(h.supplySourceY, -1);
  // A new turn gives no action points.
  u->SetStartingActionPoints(5);
  u->ResetActionPoints();
  u->AddActionPoints(2);
  EXPECT_EQ(h.actionPoints, 0);
  EXPECT_EQ(h.startingActionPoints, 0);
  EXPECT_EQ(u->SetActionPoints(3), 0);
  cMulberry copy(h);
  EXPECT_EQ(copy.monthsLeft, 4);
}

}  // namespace
