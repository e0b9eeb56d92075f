// The computer player's purchases: the queue served first, the choices in
// their order, the random category and the guards against endless buying.
#include <gtest/gtest.h>

#include <list>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"

namespace {

using world_test::GameFixture;

// A land unit whose level-up is always possible, as the unit panel would say
// for a unit with the technology and the points.
class LevellableLand : public cJednostkaLadowa {
 public:
  bool GetLevelUpHint(std::wstring*) override { return true; }
};

class AiPurchases : public ::testing::Test {
 protected:
  AiPurchases() : g(6, 6, 2) {
    unit_test::LoadShippedStrings();
    c = g.game->countries[0];
    c->name = L"C1";
    ai.country = c;
    // Nothing to research, no strategic movement wanted.
    for (int f = 0; f < 7; ++f) c->ai.desiredTechLevels[f] = 0;
    c->ai.desiredStrategicMovementPoints = 0;
  }
  ~AiPurchases() override {
    for (cJednostka* u : g.game->reserve) delete u;
    g.game->reserve.clear();
    for (cJednostkaMorska* s : g.game->navalReserve) delete s;
    g.game->navalReserve.clear();
  }
  std::list<int32_t>& queue() { return c->ai.purchaseQueue; }

  GameFixture g;
  cPanstwo* c = nullptr;
  cAI ai;
  cLogCapture log;
};

TEST_F(AiPurchases, AmphibiousCodeBoughtWhileAffordableThenDroppedAndTheUnpaidUnitWaits) {
  // Amphibious capacity: base 10, step 5: 10 + 15 + 20 = 45 for three.
  c->consts.c087[ai_values::kAmphibious] = 10.0f;
  c->consts.c086[ai_values::kAmphibious] = 5.0f;
  c->productionPoints = 50.0;
  c->ai.newUnitPurchaseData[0] = {0, 30.0f};
  queue() = {0, 5};
  ai.PurchaseUnits();
  EXPECT_EQ(c->amphibiousPoints, 3);
  EXPECT_EQ(c->amphibiousCapacity, 3);
  EXPECT_DOUBLE_EQ(c->productionPoints, 5.0);
  EXPECT_EQ(queue(), (std::list<int32_t>{5}));
  EXPECT_TRUE(g.game->reserve.empty());
}

TEST_F(AiPurchases, NewUnitsAreBoughtUntilTheFirstRollThatCannotBePaid) {
  // Only infantry (category 0) is wanted: price 10 x factor 2 = 20.
  for (int& p : c->ai.newUnitPurchasePreferences) p = 0;
  c->ai.newUnitPurchasePreferences[0] = 1;
  c->consts.levelUpCostTable[0][0] = 10.0f;
  c->consts.c090[0] = 2.0f;
  c->consts.reserveSupplyLevel = 7;
  c->productionPoints = 70.0;
  ai.PurchaseUnits();
  ASSERT_EQ(g.game->reserve.size(), 3u);
  EXPECT_DOUBLE_EQ(c->productionPoints, 10.0);
  EXPECT_EQ(queue(), (std::list<int32_t>{5}));  // blocks the next choices
  for (cJednostka* u : g.game->reserve) {
    auto* land = dynamic_cast<cJednostkaLadowa*>(u);
    ASSERT_NE(land, nullptr);
    EXPECT_EQ(land->countryId, 1);
    EXPECT_EQ(land->type, 0);
    EXPECT_EQ(land->strength, 100);
    EXPECT_EQ(land->level, 1);
    EXPECT_EQ(land->supply, 7);
    EXPECT_EQ(land->x, -1);
  }
  // Richer next impulse: the waiting code is paid before anything new.
  c->productionPoints = 25.0;
  ai.PurchaseUnits();
  EXPECT_EQ(g.game->reserve.size(), 4u);
  EXPECT_DOUBLE_EQ(c->productionPoints, 5.0);
}

TEST_F(AiPurchases, NavalAndAirPurchasesTakeTheCountrysValues) {
  for (int& p : c->ai.newUnitPurchasePreferences) p = 0;
  c->ai.newUnitPurchasePreferences[12] = 1;  // cruisers, type 42
  c->consts.c085[2] = 40.0f;
  c->consts.shipHitPoints[2] = 6;
  c->productionPoints = 50.0;
  const int counter = g.game->navalUnitCounter;
  ai.PurchaseUnits();
  ASSERT_EQ(g.game->navalReserve.size(), 1u);
  const cJednostkaMorska* ship = g.game->navalReserve[0];
  EXPECT_EQ(ship->type, 42);
  EXPECT_EQ(ship->hitPoints, 6);
  EXPECT_EQ(ship->maxHitPoints, 6);
  EXPECT_EQ(ship->unitId, counter + 1);
  EXPECT_DOUBLE_EQ(c->productionPoints, 10.0);

  queue().clear();
  for (int& p : c->ai.newUnitPurchasePreferences) p = 0;
  c->ai.newUnitPurchasePreferences[8] = 1;  // tactical bombers, type 21
  c->consts.c014[1] = 8;
  c->consts.c081[1] = 1.5f;  // 8 x 1.5 = 12
  c->productionPoints = 30.0;
  ai.PurchaseUnits();
  ASSERT_EQ(g.game->reserve.size(), 2u);
  for (cJednostka* u : g.game->reserve) {
    EXPECT_EQ(u->type, 21);
    EXPECT_EQ(u->GetStrength(), 8);
  }
  EXPECT_DOUBLE_EQ(c->productionPoints, 6.0);
}

TEST_F(AiPurchases, RollFollowsTheCumulativeChancesOfASeededGenerator) {
  int prefs[14] = {3, 0, 1, 0, 0, 0, 0, 2, 0, 0, 4, 0, 0, 0};
  for (int i = 0; i < 14; ++i) c->ai.newUnitPurchasePreferences[i] = prefs[i];
  for (uint32_t seed : {1u, 7u, 42u, 1234u, 99999u}) {
    SeedRandom(seed);
    const float roll = static_cast<float>(Rand()) / 32767.0f;
    int expected = -1;
    float sum = 0.0f;
    for (int i = 0; i < 14 && expected < 0; ++i) {
      sum += static_cast<float>(prefs[i]);
      if (sum / 10.0f >= roll) expected = i;
    }
    SeedRandom(seed);
    EXPECT_EQ(ai.RollPurchaseCategory(), expected) << seed;
    EXPECT_GT(prefs[expected], 0) << seed;
  }
}

TEST_F(AiPurchases, PreferencesSummingToZeroBuyNothingInsteadOfEndingTheGame) {
  for (int& p : c->ai.newUnitPurchasePreferences) p = 0;
  c->productionPoints = 1000.0;
  EXPECT_EQ(ai.RollPurchaseCategory(), -1);
  ai.PurchaseUnits();
  EXPECT_TRUE(queue().empty());
  EXPECT_TRUE(g.game->reserve.empty());
  EXPECT_DOUBLE_EQ(c->productionPoints, 1000.0);
  EXPECT_TRUE(log.HasPrefix(L"Error in determining purchase. Random no = "));
}

TEST_F(AiPurchases, FreeItemsAreNotBoughtForEver) {
  // Sea transport priced 0 and a land unit priced 0: both dropped.
  c->productionPoints = 100.0;
  queue() = {1, 5};
  c->ai.newUnitPurchaseData[0] = {0, 0.0f};
  sPurchaseChoice choice;
  EXPECT_TRUE(ai.ExecutePurchase(choice));
  EXPECT_EQ(queue(), (std::list<int32_t>{5}));
  EXPECT_FALSE(ai.ExecutePurchase(choice));
  EXPECT_TRUE(queue().empty());
  EXPECT_EQ(c->seaTransportPoints, 0);
  EXPECT_TRUE(g.game->reserve.empty());
}

TEST_F(AiPurchases, StrategicMovementIsBoughtUpToTheDesiredCapacity) {
  c->ai.desiredStrategicMovementPoints = 2;
  c->consts.c087[ai_values::kStrategicMovement] = 4.0f;
  c->consts.c086[ai_values::kStrategicMovement] = 2.0f;
  for (int& p : c->ai.newUnitPurchasePreferences) p = 0;
  c->productionPoints = 100.0;
  ai.PurchaseUnits();
  EXPECT_EQ(c->strategicMovementCapacity, 2);
  EXPECT_EQ(c->strategicMovementPoints, 2);
  EXPECT_DOUBLE_EQ(c->productionPoints, 100.0 - 4.0 - 6.0);
}

TEST_F(AiPurchases, ResearchFieldsQualifyByProgressAndInvestments) {
  for (int f = 0; f < 7; ++f) {
    c->consts.c088[f] = 100;  // points needed
    c->consts.c089[f] = 5;    // highest level
    c->ai.desiredTechLevels[f] = 3;
    c->techLevels[f] = 1;
  }
  struct Case {
    int progress, investments;
    bool qualifies;
  };
  const Case cases[] = {{0, 2, true},   {24, 3, false}, {25, 1, true},  {49, 2, false},
                        {50, 0, true},  {74, 0, true},  {60, 1, false}, {75, 0, false}};
  for (const Case& k : cases) {
    for (int f = 0; f < 7; ++f) {
      c->researchProgress[f] = 100;  // every other field has no need
      c->techInvestments[f] = 0;
    }
    c->researchProgress[4] = k.progress;
    c->techInvestments[4] = k.investments;
    EXPECT_EQ(ai.ChooseResearchField(), k.qualifies ? 4 : -1) << k.progress << " " << k.investments;
  }
  // Field 2 is never chosen, even when it alone qualifies; a field at its
  // desired level neither.
  for (int f = 0; f < 7; ++f) c->researchProgress[f] = 100;
  c->researchProgress[2] = 0;
  EXPECT_EQ(ai.ChooseResearchField(), -1);
  c->researchProgress[5] = 0;
  c->techLevels[5] = 3;
  EXPECT_EQ(ai.ChooseResearchField(), -1);
}

TEST_F(AiPurchases, LandLevelUpGoesToTheHighestBucketShortOfItsDesiredShare) {
  c->techLevels[0] = 2;  // the highest land unit level in use
  int structure[5] = {1, 1, 0, 0, 0};
  for (int i = 0; i < 5; ++i) c->ai.desiredLandForcesStructure[i] = structure[i];
  std::list<LevellableLand> units(4);
  int i = 0;
  for (LevellableLand& u : units) {
    u.countryId = 1;
    u.level = i++ < 3 ? 1 : 2;
    u.actionPoints = u.startingActionPoints = 5;
    ai.ownLandUnits.push_back(&u);
  }
  // Three at level 1, one at level 2: level 2 is short of its half share.
  EXPECT_EQ(ai.ChooseLandUnitToLevelUp(), &units.back());
  // Matching structure: two and two.
  units.front().level = 2;
  EXPECT_EQ(ai.ChooseLandUnitToLevelUp(), nullptr);
  // A unit that has moved is never chosen; types 4 and 5 go first.
  units.front().level = 1;
  units.back().actionPoints = 2;
  EXPECT_EQ(ai.ChooseLandUnitToLevelUp(), nullptr);
  units.front().SetType(4);
  EXPECT_EQ(ai.ChooseSpecialLandUnitToLevelUp(), &units.front());
  units.front().level = 5;
  EXPECT_EQ(ai.ChooseSpecialLandUnitToLevelUp(), nullptr);
}

}  // namespace
