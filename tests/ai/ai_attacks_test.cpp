// The computer player's attack plans on a small map: the attacker chosen
// against a brute-force pick, the ranking of plans, the acceptance by the
// country's preferences, the veto, and an attack carried out.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "ai/ai.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"

namespace {

using world_test::GameFixture;

// Country 1 plays, at war with country 2; the target stands at (4, 2).
class AiAttacks : public ::testing::Test {
 protected:
  AiAttacks() : g(9, 5, 2) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) c->name = L"C" + std::to_wstring(c->id);
    g.SetWar(1, 2);
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
    target = unit_test::PlaceLand(g, 2, 4, 2, 10.0f, L"target");
  }
  // An own unit two hexes off that can reach (x, y) for the cost.
  cJednostkaLadowa* Candidate(float worth, int fromX, int fromY, int x, int y, int cost) {
    auto* u = unit_test::PlaceLand(g, 1, fromX, fromY, worth);
    u->actionPoints = u->startingActionPoints = 6;
    reach.push_back({u, x, y, cost});
    return u;
  }
  void Plan() {
    ai->BuildUnitLists();
    ai->reachableHexes = reach;
    ai->ComputeApproaches();
    ai->plans.clear();
    ai->BuildOneSidePlans();
  }
  // The attacker in the plan's filled slot; null for none.
  static cJednostkaLadowa* Attacker(const sAiAttack& p) {
    for (cJednostkaLadowa* a : p.attackers)
      if (a != nullptr) return a;
    return nullptr;
  }

  GameFixture g;
  cAI* ai;
  cJednostkaLadowa* target;
  std::list<sAiReachableHex> reach;
  cLogCapture log;
};

TEST_F(AiAttacks, OneSidePlanTakesTheStrongestCandidateLikeABruteForcePick) {
  // Hexes next to (4, 2) found from the map itself.
  std::vector<std::pair<int, int>> sides;
  for (int d = 0; d < 6; ++d) {
    const sHex* n = g.map().GetNeighbourHex(4, 2, d);
    sides.push_back({n->x, n->y});
  }
  struct Case {
    float worths[3];
    int costs[3];
  };
  const Case cases[] = {
      {{10.0f, 40.0f, 20.0f}, {1, 3, 2}},  // the strongest wins whatever it costs
      {{30.0f, 30.0f, 5.0f}, {3, 2, 1}},   // equal strength: the cheaper
      {{30.0f, 30.0f, 30.0f}, {2, 2, 2}},  // full tie: the first entry
  };
  for (const Case& k : cases) {
    reach.clear();
    std::vector<cJednostkaLadowa*> units;
    for (int i = 0; i < 3; ++i)
      units.push_back(Candidate(k.worths[i], 0, i, sides[static_cast<size_t>(i)].first,
                                sides[static_cast<size_t>(i)].second, k.costs[i]));
    Plan();
    // Brute force over the approach list of the target.
    const sHexEntry* best = nullptr;
    for (const sHexEntry& e : target->planningList)
      if (best == nullptr || e.unit->GetCombatStrength() > best->unit->GetCombatStrength() ||
          (e.unit->GetCombatStrength() == best->unit->GetCombatStrength() && e.cost < best->cost))
        best = &e;
    ASSERT_NE(best, nullptr);
    ASSERT_EQ(ai->plans.size(), 1u);
    const sAiAttack& p = ai->plans.front();
    EXPECT_EQ(Attacker(p), best->unit);
    EXPECT_EQ(p.cost, best->cost);
    EXPECT_EQ(std::count_if(std::begin(p.attackers), std::end(p.attackers), [](auto* a) { return a != nullptr; }), 1);
    for (cJednostkaLadowa* u : units) {
      g.game->landUnits.remove(u);
      g.hex(u->x, u->y).unit = nullptr;
      delete u;
    }
  }
}

TEST_F(AiAttacks, ARiverOnTheSideWeakensTheCandidate) {
  const sHex* riverSide = g.map().GetNeighbourHex(4, 2, 0);
  const sHex* dry = g.map().GetNeighbourHex(4, 2, 3);
  g.hex(4, 2).rivers = 1;  // side 0
  g.game->countries[1]->consts.c031[0] = 0.25f;
  auto* strong = Candidate(40.0f, 0, 0, riverSide->x, riverSide->y, 1);
  auto* weak = Candidate(20.0f, 0, 4, dry->x, dry->y, 1);
  ASSERT_LT(strong->GetCombatStrength() * 0.25f, weak->GetCombatStrength());
  Plan();
  ASSERT_EQ(ai->plans.size(), 1u);
  EXPECT_EQ(Attacker(ai->plans.front()), weak);
}

TEST_F(AiAttacks, AnEntryCostingAllItsPointsIsNoApproach) {
  const sHex* side = g.map().GetNeighbourHex(4, 2, 1);
  Candidate(40.0f, 0, 0, side->x, side->y, 6);
  Plan();
  EXPECT_TRUE(target->planningList.empty());
  EXPECT_TRUE(ai->plans.empty());
}

TEST_F(AiAttacks, AnObviousMoveTakesTheCheapestFreeEnemyCityThatIsNoResourceCity) {
  for (int& c : g.game->countries[0]->consts.c015) c = 1;
  auto* walker = unit_test::PlaceLand(g, 1, 0, 2, 10.0f, L"walker");
  walker->actionPoints = walker->startingActionPoints = 6;
  auto* onCity = unit_test::PlaceLand(g, 1, 0, 0, 10.0f, L"on a city");
  onCity->actionPoints = onCity->startingActionPoints = 6;
  unit_test::AddCity(g, 0, 0, kCityRegular, 1);
  unit_test::AddCity(g, 2, 4, kCityResources, 2);  // a resource city
  unit_test::AddCity(g, 4, 2, kCityRegular, 2);    // held by the target
  unit_test::AddCity(g, 1, 1, kCityRegular, 1);    // the country's own
  unit_test::AddCity(g, 3, 0, kCityRegular, 2);    // the choice
  unit_test::AddCity(g, 2, 0, kCitySupply, 2);     // as cheap, found later
  unit_test::AddCity(g, 1, 3, kCityRegular, 2);    // dearer
  unit_test::AddCity(g, 1, 0, kCitySupply, 2);     // cheapest, but for the unit on a city
  ai->BuildUnitLists();
  ai->reachableHexes = {{walker, 2, 4, 1}, {walker, 4, 2, 1}, {walker, 1, 1, 1}, {walker, 1, 3, 3},
                        {walker, 3, 0, 2},  {walker, 2, 0, 2}, {onCity, 1, 0, 0}};
  ASSERT_TRUE(ai->SearchObviousMoves());
  EXPECT_EQ(walker->aiOrder, 7);
  EXPECT_EQ(walker->aiTargetX, 3);
  EXPECT_EQ(walker->aiTargetY, 0);
  EXPECT_EQ(walker->aiUltimateTargetX, -1);
  EXPECT_EQ(g.hex(3, 0).unit, walker);
  EXPECT_EQ(onCity->x, 0);
  // Both stand on cities now.
  EXPECT_FALSE(ai->SearchObviousMoves());
}

TEST_F(AiAttacks, PlansRankByOddsThenCityThenCost) {
  auto* onCity = unit_test::PlaceLand(g, 2, 7, 3);
  unit_test::AddCity(g, 7, 3, 0, 2, L"X");
  auto make = [&](cJednostka* t, int odds, int cost) {
    sAiAttack p;
    p.target = t;
    p.oddsColumn = odds;
    p.cost = cost;
    return p;
  };
  const sAiAttack low = make(onCity, 2, 0);
  const sAiAttack open = make(target, 5, 1);
  const sAiAttack city = make(onCity, 5, 9);
  const sAiAttack cityCheap = make(onCity, 5, 3);
  EXPECT_TRUE(AttackRanksBelow(low, open));
  EXPECT_TRUE(AttackRanksBelow(open, city));
  EXPECT_TRUE(AttackRanksBelow(city, cityCheap));
  EXPECT_FALSE(AttackRanksBelow(cityCheap, city));
  for (const sAiAttack* p : {&low, &open, &city, &cityCheap}) EXPECT_FALSE(AttackRanksBelow(*p, *p));
}

TEST_F(AiAttacks, MultiDirectionPlansPassOnOddsOrOnLowerOddsWithAirStrikes) {
  g.game->countries[0]->ai.multipleSideAttackPreferences[0] = 5;
  g.game->countries[0]->ai.multipleSideAttackPreferences[1] = 3;
  g.game->countries[0]->ai.multipleSideAttackPreferences[2] = 4;
  g.game->countries[0]->ai.oneSideAttackPreferences[0] = 4;
  struct Case {
    int odds, strikes;
    bool multi, oneSide;
  };
  const Case cases[] = {{5, 0, true, true}, {4, 4, true, true}, {4, 3, false, true},
                        {3, 4, true, false}, {2, 9, false, false}, {7, 0, true, true}};
  for (const Case& k : cases) {
    sAiAttack p;
    p.target = target;
    p.oddsColumn = k.odds;
    p.goodAirStrikes = k.strikes;
    EXPECT_EQ(ai->AcceptsPlan(p, true), k.multi) << k.odds << " " << k.strikes;
    EXPECT_EQ(ai->AcceptsPlan(p, false), k.oneSide) << k.odds << " " << k.strikes;
  }
}

TEST_F(AiAttacks, VetoWithoutCoverOnlyWhenEverySlotCostsTooMuch) {
  g.game->countries[0]->ai.maxCoveringUnitDistance = 2;
  g.game->countries[0]->ai.maxSafeMoveCost = 3;
  sAiAttack p;
  p.target = target;
  for (int d = 0; d < 6; ++d) p.approaches[d] = {target, 0, 0, d, 3 + d};
  EXPECT_TRUE(ai->IsVetoed(p));
  // An empty slot counts -1: never vetoed on cost.
  p.approaches[5] = sAiPlanMove();
  EXPECT_FALSE(ai->IsVetoed(p));
  p.approaches[5] = {target, 0, 0, 5, 8};
  // Cover two hexes off; beyond the distance it does not count.
  unit_test::PlaceLand(g, 1, 8, 2);
  EXPECT_TRUE(ai->IsVetoed(p));
  unit_test::PlaceLand(g, 1, 6, 2);
  EXPECT_FALSE(ai->IsVetoed(p));
  p.approaches[0].cost = 2;
  g.hex(6, 2).unit = nullptr;
  EXPECT_FALSE(ai->IsVetoed(p));
}

TEST_F(AiAttacks, AnAttackFromAdjacentUnitsIsResolvedAndTheListsHoldNoDeadUnit) {
  for (int d : {0, 2, 4}) {
    const sHex* n = g.map().GetNeighbourHex(4, 2, d);
    auto* u = unit_test::PlaceLand(g, 1, n->x, n->y, 50.0f);
    u->actionPoints = u->startingActionPoints = 4;
  }
  target->SetStrength(1);
  ai->BuildUnitLists();
  ai->plans.clear();
  ai->BuildAdjacentPlan(target);
  ASSERT_EQ(ai->plans.size(), 1u);
  sAiAttack plan = ai->plans.front();
  ai->plans.clear();
  EXPECT_EQ(ai->ExecuteAttack(plan), 1);
  EXPECT_EQ(g.game->selection.attack, nullptr);
  // Whatever died has left every list.
  for (auto* u : ai->enemyLandUnits)
    EXPECT_NE(std::find(g.game->landUnits.begin(), g.game->landUnits.end(), u), g.game->landUnits.end());
  for (auto* u : ai->ownLandUnits)
    EXPECT_NE(std::find(g.game->landUnits.begin(), g.game->landUnits.end(), u), g.game->landUnits.end());
}

TEST_F(AiAttacks, AnAbandonedPlanLetsTheNextAcceptablePlanRun) {
  cPanstwo* self = g.game->countries[0];
  for (int& v : self->ai.multipleSideAttackPreferences) v = 0;
  self->ai.maxCoveringUnitDistance = 3;
  self->ai.maxSafeMoveCost = 99;
  // A weak unit next to the target and a strong one behind it: the best plan
  // has the strong one take the weak one's hex while the weak one steps
  // aside, which the attack abandons; the weak one's own attack is next.
  const sHex* side = g.map().GetNeighbourHex(4, 2, 3);
  const sHex* behind = g.map().GetNeighbourHex(side->x, side->y, 3);
  auto* weak = unit_test::PlaceLand(g, 1, side->x, side->y, 5.0f, L"weak");
  auto* strong = unit_test::PlaceLand(g, 1, behind->x, behind->y, 200.0f, L"strong");
  for (cJednostkaLadowa* u : {weak, strong}) {
    u->actionPoints = u->startingActionPoints = 6;
    u->strength = 100;
  }
  for (int& c : self->consts.c034) c = 6;  // an attack spends every point
  for (int& c : self->consts.c015) c = 1;
  for (int k = 4; k < 10; ++k) self->consts.c031[k] = 1.0f;  // no modifier for the sides
  for (float& f : g.game->countries[1]->consts.c032) f = 1.0f;
  target->strength = 100;
  ai->BuildUnitLists();
  ai->RunAttackLoop(true);
  EXPECT_EQ(weak->actionPoints, 0);
  // The weak unit attacked from where it stood; with the plans built anew,
  // the strong unit's attack from another side followed.
  EXPECT_EQ(weak->x, side->x);
  EXPECT_EQ(weak->y, side->y);
  EXPECT_EQ(strong->actionPoints, 0);
  EXPECT_FALSE(strong->x == behind->x && strong->y == behind->y);
  EXPECT_FALSE(log.Has(L"[AI] Too many attack passes, ending the attacks"));
}

TEST_F(AiAttacks, ReusedMoveRangesEqualFreshFloodsAfterTheMapChanges) {
  for (int& c : g.game->countries[0]->consts.c015) c = 1;
  g.game->countries[0]->consts.c132[0] = 2;  // entering an enemy's zone of control costs more
  std::vector<cJednostkaLadowa*> own;
  for (int x : {0, 1, 8})
    for (int y : {0, 4}) {
      auto* u = unit_test::PlaceLand(g, 1, x, y, 10.0f);
      u->actionPoints = u->startingActionPoints = 3;
      own.push_back(u);
    }
  auto ranges = [&] {
    std::vector<std::tuple<const cJednostkaLadowa*, int, int, int>> out;
    for (const sAiReachableHex& e : ai->reachableHexes) out.emplace_back(e.unit, e.x, e.y, e.cost);
    return out;
  };
  auto fresh = [&] {
    ai->EndRangeReuse();
    ai->ComputeMovementRanges(false);
    ai->BeginRangeReuse();
    ai->ComputeMovementRanges(false);
    return ranges();
  };
  ai->BuildUnitLists();
  ai->BeginRangeReuse();
  ai->ComputeMovementRanges(false);
  const auto before = ranges();
  ai->ComputeMovementRanges(false);
  EXPECT_EQ(ranges(), before);
  // An enemy steps next to the western units: their ranges shrink, the
  // eastern ones stay as they were.
  g.hex(4, 2).unit = nullptr;
  target->x = 2;
  target->y = 2;
  g.hex(2, 2).unit = target;
  ai->ComputeMovementRanges(false);
  const auto reused = ranges();
  EXPECT_NE(reused, before);
  EXPECT_EQ(reused, fresh());
  // A hex taken by the enemy closes no hex but changes the controller.
  g.hex(7, 2).controller = 2;
  own[4]->actionPoints = 2;  // one unit's own points change
  ai->ComputeMovementRanges(false);
  const auto again = ranges();
  EXPECT_EQ(again, fresh());
  ai->EndRangeReuse();
}

}  // namespace
