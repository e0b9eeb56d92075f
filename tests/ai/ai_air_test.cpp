// The computer player's air phases on small hand-made worlds: which enemy
// each air unit goes for, who takes part, what is shown, and that the strike
// loops end even when a strike spends no action points.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "ai/ai.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/fleet.h"

namespace {

using world_test::GameFixture;

// A bomber whose action points cannot be charged, as a unit that refuses
// the charge of a move. Past a limit it gives in, so that a loop without a
// bound fails the test instead of hanging it.
class StubbornBomber : public cJednostkaLotnicza {
 public:
  int AddActionPoints(int amount) override {
    if (++charges < 50) return 0;
    return cJednostkaLotnicza::AddActionPoints(amount);
  }
  int charges = 0;
};

// A tactical bomber of country 1 at (x, y) whose strikes spend no points.
StubbornBomber* PlaceStubbornBomber(world_test::GameFixture& g, int x, int y) {
  auto* stubborn = new StubbornBomber();
  stubborn->countryId = 1;
  stubborn->SetType(kTypeTacticalBomber);
  stubborn->SetName(L"Stubborn");
  stubborn->strength = 10;
  stubborn->actionPoints = 1;
  stubborn->x = x;
  stubborn->y = y;
  g.hex(x, y).unit = stubborn;
  g.game->airUnits.push_back(stubborn);
  return stubborn;
}

class AiAir : public ::testing::Test {
 protected:
  // Country 1 plays; 2 is at war with it, 3 is neutral.
  AiAir() : g(14, 7, 3) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      Tables(c->consts);
    }
    Tables(g.game->consts);
    g.SetWar(1, 2);
    g.game->selection.showActions = 1;
    savedDelays = delayValues;
    delayValues.fill(0.0f);
    SetFrontEnd(&fe);
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
  }
  ~AiAir() override {
    SetFrontEnd(nullptr);
    SetAirSuperiorityRatioSource(nullptr);
    delayValues = savedDelays;
  }

  // Ranges of 5 hexes (strategic bombers 8), naval reach 3, full strength
  // 10, no interceptors (a fighter must keep more than 50), no losses.
  static void Tables(sConsts& c) {
    c.c047[0] = 5;
    c.c047[1] = 8;
    for (float& f : c.airRangeTechFactor) f = 1.0f;
    c.c145 = 3;
    for (int& s : c.c014) s = 10;
    c.c060 = 100;
    c.levelUpCostTable[0][0] = 10.0f;
    c.levelUpCostTable[0][1] = 100.0f;
  }

  cJednostkaLotnicza* Air(int country, int x, int y, int type, int strength = 10, int points = 1) {
    cJednostkaLotnicza* u = unit_test::PlaceAir(g, country, x, y, strength);
    u->SetType(type);
    u->actionPoints = points;
    u->spottedLevel = 5;
    u->SetName(L"Air" + std::to_wstring(u->unitId));
    return u;
  }
  cJednostkaLadowa* Land(int country, int x, int y, float cost, int strength = 100, int type = 0) {
    cJednostkaLadowa* u = unit_test::PlaceLand(g, country, x, y, cost);
    u->SetType(type);
    u->strength = strength;
    u->spottedLevel = 5;
    return u;
  }
  std::vector<std::pair<int, int>> Centred() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& c : fe.calls)
      if (c.name == "CenterMapOn") out.emplace_back(c.value, c.value2);
    return out;
  }
  void Play(void (cAI::*phase)()) {
    ai->BuildUnitLists();
    (ai->*phase)();
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  cLogCapture log;
  cAI* ai = nullptr;
  std::array<float, kDelayCount> savedDelays{};
};

// ---- air fights --------------------------------------------------------------

TEST_F(AiAir, AirFightsGoForFightersThenStrategicThenTacticalBombersTheWeakestInRange) {
  cJednostkaLotnicza* fighter = Air(1, 1, 3, kTypeFighter, 10, 5);
  Air(2, 4, 3, kTypeTacticalBomber, 6);
  Air(2, 3, 3, kTypeStrategicBomber, 6);
  Air(2, 2, 2, kTypeFighter, 8);
  Air(2, 3, 4, kTypeFighter, 5);   // the weakest fighter in range
  Air(2, 9, 3, kTypeFighter, 2);   // weaker, but out of range
  Air(2, 1, 5, kTypeFighter, 9);
  Play(&cAI::AirFights);
  // One fight a run, each for a point: one target of each type.
  const std::vector<std::pair<int, int>> expected = {{3, 4}, {3, 3}, {4, 3}};
  EXPECT_EQ(Centred(), expected);
  EXPECT_EQ(fighter->actionPoints, 2);
  // Each is marked while it is fought, and unmarked after.
  for (auto [x, y] : expected) EXPECT_EQ(g.hex(x, y).marks & 2u, 0u);
}

TEST_F(AiAir, AirFightsLeaveOutSpentAndWornUnitsAndShowNothingWithoutTheResultDelay) {
  Air(1, 1, 3, kTypeFighter, 10, 0);  // no action points
  Air(1, 1, 4, kTypeFighter, 1, 3);   // strength below 2
  Air(2, 3, 3, kTypeFighter, 5);
  Play(&cAI::AirFights);
  EXPECT_TRUE(Centred().empty());
  EXPECT_EQ(fe.Count("ShowCombatResult"), 0);

  Air(1, 2, 4, kTypeFighter, 2, 1);
  Play(&cAI::AirFights);
  EXPECT_EQ(Centred().size(), 1u);
  EXPECT_EQ(fe.Count("ShowCombatResult"), 0);
}

TEST_F(AiAir, AFightUnseenByAHumanDefenderIsCentredAndItsMarkCleared) {
  g.game->selection.showActions = 0;
  g.game->countries[1]->humanControlled = 1;
  Air(1, 1, 3, kTypeFighter, 10, 1)->spottedLevel = 0;
  Air(2, 3, 3, kTypeFighter, 5)->spottedLevel = 0;
  Play(&cAI::AirFights);
  EXPECT_EQ(Centred(), (std::vector<std::pair<int, int>>{{3, 3}}));
  EXPECT_EQ(fe.Count("Delay"), 2);
  EXPECT_EQ(g.hex(3, 3).marks & 2u, 0u);
}

TEST_F(AiAir, AFighterMissionIsNeverInterceptedButABomberMissionIs) {
  delayValues[DELAY_AI_COMBAT_RESULT] = 160.0f;
  g.game->countries[1]->consts.c060 = 10;  // fighters above 5 intercept
  // The interception costs the attacker more than the interceptor: it succeeds.
  for (auto& row : g.game->countries[0]->consts.airCombatTableB)
    for (int& v : row) v = 1;
  Air(1, 1, 3, kTypeFighter, 10, 3);
  Air(2, 3, 3, kTypeFighter, 8);
  Air(2, 4, 3, kTypeStrategicBomber, 6);
  ASSERT_NE(g.game->countries[1]->FindInterceptor(3, 3), nullptr);
  ai->BuildUnitLists();
  EXPECT_TRUE(ai->AirFightsOfType(ai->ownAirUnits, kTypeFighter));
  ASSERT_EQ(fe.combatResults.size(), 1u);
  EXPECT_EQ(fe.combatResults[0].resultCode, sWynikWalki::kAirFight);
  EXPECT_EQ(fe.combatResults[0].intercepted, 0);

  EXPECT_TRUE(ai->AirFightsOfType(ai->ownAirUnits, kTypeStrategicBomber));
  ASSERT_EQ(fe.combatResults.size(), 2u);
  EXPECT_EQ(fe.combatResults[1].resultCode, sWynikWalki::kInterception);
  EXPECT_EQ(fe.combatResults[1].intercepted, 1);
  // Every dialog was awaited.
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 2);
}

// ---- strategic bombardment ------------------------------------------------------

float gRatios[14][7];
float RatioTable(const cPanstwo&, int x, int y) { return gRatios[x][y]; }

TEST_F(AiAir, BombingChoosesTheRichestEnemyCityInRangeFirstOfEquals) {
  for (auto& col : gRatios)
    for (float& r : col) r = -1.0f;
  SetAirSuperiorityRatioSource(&RatioTable);
  g.game->consts.aiStrategicBombardFactor = 1.5f;
  cJednostkaLotnicza* bomber = Air(1, 1, 3, kTypeStrategicBomber, 10, 1);
  struct sCase {
    int x, y, controller;
    float production, ratio;
  };
  // In city-list order; the bomber's range is 8 (a city must lie nearer).
  const sCase cities[] = {
      {3, 3, 2, 5.0f, -1.0f},   // a poor one
      {4, 3, 2, 8.0f, 1.5f},    // the choice: the first of the two 8s, ratio at the minimum
      {5, 3, 2, 8.0f, -1.0f},   // as rich, later in the list
      {9, 3, 2, 50.0f, -1.0f},  // out of range (distance 8)
      {6, 3, 3, 40.0f, -1.0f},  // not at war
      {7, 3, 2, 30.0f, 1.4f},   // defended above the minimum ratio
      {2, 3, 1, 60.0f, -1.0f},  // own
      {3, 4, 2, 0.0f, -1.0f},   // produces nothing
  };
  std::vector<cMiasto*> made;
  for (const sCase& c : cities) {
    made.push_back(unit_test::AddCity(g, c.x, c.y, kCityRegular, c.controller));
    made.back()->productionPoints = c.production;
    gRatios[c.x][c.y] = c.ratio;
  }
  ai->BuildUnitLists();
  EXPECT_EQ(ai->ChooseBombardmentTarget(*bomber), made[1]);

  // With no enemy air defence at all (-1) the defended city is fair game.
  gRatios[7][3] = -1.0f;
  EXPECT_EQ(ai->ChooseBombardmentTarget(*bomber), made[5]);
  gRatios[7][3] = 0.5f;
  for (cMiasto* c : made) c->productionPoints = 0.0f;
  EXPECT_EQ(ai->ChooseBombardmentTarget(*bomber), nullptr);
}

TEST_F(AiAir, OnlyBombersAtHalfStrengthWithPointsBombAndHumansSeeTheResult) {
  delayValues[DELAY_AI_COMBAT_RESULT] = 160.0f;
  g.game->countries[1]->humanControlled = 1;
  cMiasto* city = unit_test::AddCity(g, 4, 3, kCityRegular, 2);
  city->productionPoints = 10.0f;
  Air(1, 1, 3, kTypeStrategicBomber, 5, 1);   // half of 10: bombs
  Air(1, 1, 4, kTypeStrategicBomber, 4, 1);   // below half
  Air(1, 1, 2, kTypeStrategicBomber, 10, 0);  // no action points
  Air(1, 2, 2, kTypeTacticalBomber, 10, 1);   // not a strategic bomber
  Play(&cAI::StrategicBombardments);
  EXPECT_EQ(fe.Count("ShowCombatResult"), 1);

  // A computer-held city shows nothing; with the delay at 0, neither does a human one.
  fe.calls.clear();
  g.game->countries[1]->humanControlled = 0;
  Play(&cAI::StrategicBombardments);
  g.game->countries[1]->humanControlled = 1;
  delayValues[DELAY_AI_COMBAT_RESULT] = 0.0f;
  Play(&cAI::StrategicBombardments);
  EXPECT_EQ(fe.Count("ShowCombatResult"), 0);
}

TEST_F(AiAir, ABomberShotDownOverTheCityIsRemovedAndTheListsRebuilt) {
  // Every raid costs the attacker 10 strength.
  for (auto& row : g.game->countries[0]->consts.airCombatTableA)
    for (int& v : row) v = 10;
  cMiasto* city = unit_test::AddCity(g, 4, 3, kCityRegular, 2);
  city->productionPoints = 10.0f;
  Air(1, 1, 3, kTypeStrategicBomber, 10, 1);
  Air(1, 1, 4, kTypeStrategicBomber, 10, 1);
  cJednostkaLotnicza* survivor = Air(1, 1, 5, kTypeFighter, 10, 1);
  Play(&cAI::StrategicBombardments);
  EXPECT_EQ(g.game->airUnits.size(), 1u);
  EXPECT_EQ(ai->ownAirUnits, std::list<cJednostkaLotnicza*>{survivor});
}

// ---- tactical air strikes ----------------------------------------------------------

TEST_F(AiAir, TacticalStrikeHitsTheStrongestEnemyWorthARaid) {
  cJednostkaLotnicza* bomber = Air(1, 1, 3, kTypeTacticalBomber, 10, 1);
  Land(2, 2, 3, 10.0f);                         // combat 10 of base 10
  Land(2, 3, 3, 20.0f);                         // combat 20 of base 10: the target
  Land(2, 4, 3, 100.0f, 40, 1);                 // combat 40, but worn below half its base of 100
  Land(2, 6, 3, 90.0f);                         // out of range (distance 5)
  Land(3, 2, 2, 95.0f);                         // neutral
  ai->BuildUnitLists();
  ASSERT_NE(ai->ChooseTacticalTarget(*bomber), nullptr);
  EXPECT_EQ(ai->ChooseTacticalTarget(*bomber)->x, 3);

  ai->TacticalAirStrikes();
  EXPECT_EQ(Centred(), (std::vector<std::pair<int, int>>{{3, 3}}));
  EXPECT_EQ(bomber->actionPoints, 0);
  EXPECT_EQ(g.hex(3, 3).marks & 2u, 0u);
  EXPECT_TRUE(log.Has(L"bu bu bu koniec"));
}

TEST_F(AiAir, TacticalStrikesNeedAWholeBomberWithPoints) {
  Air(1, 1, 3, kTypeTacticalBomber, 3, 2);   // strength 3
  Air(1, 1, 4, kTypeTacticalBomber, 10, 0);  // no points
  Air(1, 1, 2, kTypeFighter, 10, 2);         // not a tactical bomber
  Air(1, 1, 5, kTypeStrategicBomber, 10, 2);
  Land(2, 3, 3, 20.0f);
  Play(&cAI::TacticalAirStrikes);
  EXPECT_TRUE(Centred().empty());
}

TEST_F(AiAir, ASuccessfulInterceptionStopsTheStrikeButCostsAPoint) {
  delayValues[DELAY_AI_COMBAT_RESULT] = 160.0f;
  g.game->countries[1]->consts.c060 = 10;
  for (auto& row : g.game->countries[0]->consts.airCombatTableB)
    for (int& v : row) v = 1;
  cJednostkaLotnicza* bomber = Air(1, 1, 3, kTypeTacticalBomber, 10, 2);
  Air(2, 4, 4, kTypeFighter, 8);
  cJednostkaLadowa* target = Land(2, 3, 3, 20.0f);
  target->spottedLevel = 0;  // unseen: no centring, but the interception is still shown
  Play(&cAI::TacticalAirStrikes);
  EXPECT_TRUE(log.Has(L"Przechwycenie udane, nici z ataku!"));
  EXPECT_EQ(bomber->actionPoints, 1);
  EXPECT_EQ(bomber->strength, 9);
  EXPECT_TRUE(Centred().empty());
  ASSERT_EQ(fe.combatResults.size(), 1u);
  EXPECT_EQ(fe.combatResults[0].intercepted, 1);
  EXPECT_EQ(target->strength, 100);
}

TEST_F(AiAir, ATacticalStrikeThatSpendsNoPointsIsNotRepeatedAfterEveryRebuild) {
  // Each interceptor dies in its interception, which rebuilds the lists and
  // starts the units over; the raid goes on to the target.
  g.game->countries[1]->consts.c060 = 10;
  for (auto& row : g.game->countries[0]->consts.airCombatTableA)
    for (int& v : row) v = 10;
  auto* stubborn = PlaceStubbornBomber(g, 1, 3);
  for (int y = 1; y <= 3; ++y) Air(2, 4, y, kTypeFighter, 8);
  Land(2, 3, 3, 20.0f);
  Play(&cAI::TacticalAirStrikes);
  EXPECT_EQ(stubborn->charges, 1);
  EXPECT_EQ(g.game->airUnits.size(), 3u);  // one interceptor lost
  EXPECT_EQ(log.CountContaining(L"Stubborn struck without spending action points"), 1);
}

// ---- air support of a land attack --------------------------------------------------

TEST_F(AiAir, AirSupportCountsStrikesAtTheBombersCountrysThreshold) {
  cJednostkaLadowa* target = Land(2, 4, 3, 10.0f);
  cJednostkaLotnicza* bomber = Air(1, 1, 3, kTypeTacticalBomber, 9, 2);
  Air(1, 1, 4, kTypeTacticalBomber, 2, 5);  // below strength 3
  Air(1, 2, 4, kTypeFighter, 10, 5);        // no bomber
  cJednostkaLotnicza* fighter = Air(2, 5, 3, kTypeFighter, 10);
  Air(2, 6, 2, kTypeFighter, 5);  // at half its full strength: no interceptor
  sAiAttack plan;
  plan.target = target;
  ai->BuildUnitLists();
  const float ratio = static_cast<float>(bomber->strength + bomber->level) / (fighter->strength + fighter->level);
  // Read from the bomber's country; the interceptor's does not count.
  g.game->countries[1]->consts.c185 = 0.0f;
  for (float threshold : {ratio, ratio + 0.01f}) {
    g.game->countries[0]->consts.c185 = threshold;
    ai->ComputeAirSupport(plan);
    EXPECT_EQ(plan.supportingAir, std::vector<cJednostkaLotnicza*>{bomber});
    EXPECT_EQ(plan.interceptors, std::vector<cJednostkaLotnicza*>{fighter});
    EXPECT_EQ(plan.goodAirStrikes, threshold == ratio ? 2 : 0) << threshold;
  }
}

TEST_F(AiAir, AnAttacksBomberIsTheOneInterceptedAndWhoeverFallsLeavesTheGame) {
  struct Case {
    int lossInterceptor, lossMission;
    int bomberAfter, fighterAfter;  // -1: destroyed
  };
  // Both shot down (the interception failed all the same): both leave the game.
  const Case cases[] = {{1, 2, 8, 9}, {1, 10, -1, 9}, {10, 0, 10, -1}, {10, 10, -1, -1}};
  for (const Case& k : cases) {
    for (cPanstwo* c : g.game->countries) {
      for (auto& row : c->consts.airCombatTableA) std::fill(std::begin(row), std::end(row), k.lossInterceptor);
      for (auto& row : c->consts.airCombatTableB) std::fill(std::begin(row), std::end(row), k.lossMission);
    }
    cJednostkaLadowa* target = Land(2, 4, 3, 10.0f);
    cJednostkaLotnicza* bomber = Air(1, 1, 3, kTypeTacticalBomber, 10, 1);
    cJednostkaLotnicza* fighter = Air(2, 5, 3, kTypeFighter, 10);
    sAiAttack plan;
    plan.target = target;
    plan.countryId = 1;
    ai->BuildUnitLists();
    ai->ComputeAirSupport(plan);
    ASSERT_EQ(plan.goodAirStrikes, 1);
    EXPECT_EQ(ai->ExecuteAttack(plan), kAttackDoneWithoutCombat);
    auto after = [&](cJednostkaLotnicza* u) {
      const auto& units = g.game->airUnits;
      return std::find(units.begin(), units.end(), u) == units.end() ? -1 : u->strength;
    };
    EXPECT_EQ(after(bomber), k.bomberAfter) << k.lossInterceptor << "/" << k.lossMission;
    EXPECT_EQ(after(fighter), k.fighterAfter) << k.lossInterceptor << "/" << k.lossMission;
    for (const auto* list : {&g.game->airUnits, &ai->ownAirUnits, &ai->enemyAirUnits})
      for (const cJednostkaLotnicza* u : *list) EXPECT_GT(u->strength, 0);
    for (cJednostka* u : std::vector<cJednostka*>(g.game->airUnits.begin(), g.game->airUnits.end())) {
      g.hex(u->x, u->y).unit = nullptr;
      delete u;
    }
    g.game->airUnits.clear();
    g.hex(4, 3).unit = nullptr;
    g.game->landUnits.remove(target);
    delete target;
  }
}

// ---- naval air strikes -------------------------------------------------------------

class AiNavalStrikes : public AiAir {
 protected:
  AiNavalStrikes() {
    for (int x = 8; x < 14; ++x)
      for (int y = 0; y < 7; ++y) g.hex(x, y).terrain = kTerrainSea;
    zoneA = naval_test::AddZone(g, 8, 1, L"A");
    zoneB = naval_test::AddZone(g, 8, 3, L"B");
    zoneOwn = naval_test::AddZone(g, 8, 5, L"Own");
    zoneNeutral = naval_test::AddZone(g, 9, 2, L"Neutral");
    zoneFar = naval_test::AddZone(g, 13, 3, L"Far");
    naval_test::AddFleet(g, 2, zoneA, {kTypeCruiser});
    naval_test::AddFleet(g, 2, zoneB, {kTypeCargo});
    naval_test::AddFleet(g, 1, zoneOwn, {kTypeCruiser});
    naval_test::AddFleet(g, 3, zoneNeutral, {kTypeCruiser});
    naval_test::AddFleet(g, 2, zoneFar, {kTypeCruiser});
  }
  int zoneA = 0, zoneB = 0, zoneOwn = 0, zoneNeutral = 0, zoneFar = 0;
};

TEST_F(AiNavalStrikes, EnemyShipsAreFoundByNodeAndSide) {
  EXPECT_TRUE(ai->HasEnemyShipAtNode(1, zoneA));
  EXPECT_TRUE(ai->HasEnemyShipAtNode(1, zoneB));
  EXPECT_FALSE(ai->HasEnemyShipAtNode(1, zoneOwn));
  EXPECT_FALSE(ai->HasEnemyShipAtNode(1, zoneNeutral));
  EXPECT_FALSE(ai->HasEnemyShipAtNode(2, zoneA));  // its own
  EXPECT_TRUE(ai->HasEnemyShipAtNode(2, zoneOwn));
}

TEST_F(AiNavalStrikes, OnlyTacticalBombersStrikeAndTheyPickEveryEnemyNodeInRangeAtRandom) {
  Air(1, 6, 3, kTypeFighter, 10, 1);
  Air(1, 6, 2, kTypeStrategicBomber, 10, 1);
  // Within reach 3: A (8, 1) and B (8, 3) of the enemy, the own and the
  // neutral node; the far one is not.
  cJednostkaLotnicza* bomber = Air(1, 7, 3, kTypeTacticalBomber, 10, 1);
  std::set<std::pair<int, int>> struck;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    SeedRandom(seed);
    fe.calls.clear();
    bomber->actionPoints = 1;
    Play(&cAI::NavalAirStrikes);
    const auto centred = Centred();
    ASSERT_EQ(centred.size(), 1u) << "seed " << seed;
    struck.insert(centred[0]);
    EXPECT_EQ(bomber->actionPoints, 0);
  }
  const std::set<std::pair<int, int>> enemyNodes = {{8, 1}, {8, 3}};
  EXPECT_EQ(struck, enemyNodes);
  EXPECT_TRUE(log.Has(L"bu bu bu bu 1"));
  EXPECT_TRUE(log.Has(L"bu bu bu bu 21"));
}

TEST_F(AiNavalStrikes, AStrikeOnUnseenShipsByAnUnseenBomberShowsNothing) {
  delayValues[DELAY_AI_COMBAT_RESULT] = 160.0f;
  cJednostkaLotnicza* bomber = Air(1, 6, 4, kTypeTacticalBomber, 10, 2);
  bomber->spottedLevel = 0;
  Play(&cAI::NavalAirStrikes);
  EXPECT_EQ(bomber->actionPoints, 0);  // struck twice
  EXPECT_TRUE(Centred().empty());
  EXPECT_EQ(fe.Count("ShowCombatResult"), 0);
}

TEST_F(AiNavalStrikes, AStrikeThatSpendsNoPointsIsNotRepeatedForEver) {
  auto* stubborn = PlaceStubbornBomber(g, 6, 3);
  cJednostkaLotnicza* other = Air(1, 6, 4, kTypeTacticalBomber, 10, 1);
  Play(&cAI::NavalAirStrikes);
  EXPECT_EQ(stubborn->charges, 1);
  EXPECT_EQ(stubborn->actionPoints, 1);
  EXPECT_EQ(other->actionPoints, 0);  // the loop went on to the next unit
  EXPECT_EQ(log.CountContaining(L"bu bu bu bu 21"), 2);
  EXPECT_EQ(log.CountContaining(L"Stubborn struck without spending action points"), 1);
}

TEST_F(AiNavalStrikes, AnAttackOnACoastalUnitBelowColumnSevenIsOpenedByTheFleetThere) {
  delayValues[DELAY_AI_COMBAT_RESULT] = 160.0f;
  g.hex(7, 5).seaNodeMarker = static_cast<uint16_t>(zoneOwn);
  cJednostkaLadowa* target = Land(2, 7, 5, 10.0f);
  target->spottedLevel = 0;  // unseen: only the bombardment's result is shown
  const cJednostkaMorska* cruiser = g.game->navalUnits.front();
  for (const cJednostkaMorska* s : g.game->navalUnits)
    if (s->countryId == 1) cruiser = s;
  for (int odds : {7, 6}) {
    sAiAttack plan;
    plan.target = target;
    plan.countryId = 1;
    plan.oddsColumn = odds;
    ai->BuildUnitLists();
    ai->ExecuteAttack(plan);
    EXPECT_EQ(cruiser->shoreBombardmentDone, odds < 7 ? 1 : 0) << odds;
    EXPECT_EQ(fe.Count("ShowCombatResult"), odds < 7 ? 1 : 0) << odds;
  }
}

TEST_F(AiNavalStrikes, AnInterceptedRaidIsNotFlownAgainAndAgain) {
  // The raid on the sea node is stopped before it costs a point.
  g.game->countries[1]->consts.c060 = 10;
  for (auto& row : g.game->countries[0]->consts.airCombatTableB)
    for (int& v : row) v = 1;
  Air(2, 7, 3, kTypeFighter, 8);
  cJednostkaLotnicza* bomber = Air(1, 6, 4, kTypeTacticalBomber, 10, 1);
  Play(&cAI::NavalAirStrikes);
  EXPECT_EQ(log.CountContaining(L"bu bu bu bu 21"), 1);
  EXPECT_EQ(bomber->strength, 9);
  EXPECT_EQ(bomber->actionPoints, 1);
}

}  // namespace
