// The computer player's fronts on a small hand-drawn map, their rating at
// the ratio boundaries, the unit lists after a kill, and the air bases it
// picks.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ai/ai.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/cities_diagram.h"
#include "world/strategic_moves.h"

namespace {

using world_test::GameFixture;

// Cities A, B (country 1), C, D (country 2, at war with 1) in a row joined
// by land links A-B-C-D; E (country 1) reaches C by sea only. Regions:
// columns 0-1 A, 2-4 B, 5-6 C, 7-8 D; row 2 of column 3 is E's.
class AiFronts : public ::testing::Test {
 protected:
  AiFronts() : g(9, 3, 3) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) c->name = L"C" + std::to_wstring(c->id);
    g.game->countries[0]->alliance = 1;
    g.game->countries[2]->alliance = 1;
    g.SetWar(1, 2);
    g.SetWar(3, 2);
    a = unit_test::AddCity(g, 0, 0, 0, 1, L"A");
    b = unit_test::AddCity(g, 3, 0, 0, 1, L"B");
    c = unit_test::AddCity(g, 6, 0, 0, 2, L"C");
    d = unit_test::AddCity(g, 8, 0, 0, 2, L"D");
    e = unit_test::AddCity(g, 3, 2, 0, 1, L"E");
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
    Link(a, b, kDiagramLinkLand);
    Link(b, c, kDiagramLinkLand);
    Link(c, d, kDiagramLinkLand);
    Link(e, c, kDiagramLinkSea);
    auto& regions = g.game->selection.cityRegions;
    regions.assign(27, nullptr);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 9; ++x) regions[static_cast<size_t>(y * 9 + x)] = x < 2 ? a : x < 5 ? b : x < 7 ? c : d;
    regions[2 * 9 + 3] = e;
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
  }
  void Link(cMiasto* from, cMiasto* to, int kind) {
    auto& nodes = g.game->citiesDiagram.nodes;
    nodes[static_cast<size_t>(from->diagramIndex)].links.push_back({to->diagramIndex, kind});
    nodes[static_cast<size_t>(to->diagramIndex)].links.push_back({from->diagramIndex, kind});
  }
  sWezelDiagramuMiast& Node(const cMiasto* city) { return *g.game->citiesDiagram.NodeOf(city); }
  // A land unit of the country that may move strategically between A, B and
  // E, unseen (so the computer may move it straight into a city).
  cJednostkaLadowa* Mobile(int x, int y, float worth, const wchar_t* name) {
    cJednostkaLadowa* u = unit_test::PlaceLand(g, 1, x, y, worth, name);
    u->supplySourceX = a->x;
    u->supplySourceY = a->y;
    u->actionPoints = u->startingActionPoints = 4;
    return u;
  }
  void AllowStrategicMoves() {
    g.game->countries[0]->strategicMovementPoints = 50;
    InitStrategicMovement();
    StoreCountryTopography(1, {{a, b, e}});
  }
  void Fronts() {
    ai->BuildUnitLists();
    ai->ComputeNodeStrengths();
    ai->UpdateFronts();
    ai->RateFronts();
  }

  GameFixture g;
  cMiasto *a, *b, *c, *d, *e;
  cAI* ai;
  cLogCapture log;
};

TEST_F(AiFronts, OneFrontWhereHostileLandRegionsTouchAndNoneOverTheSea) {
  ai->BuildUnitLists();
  ai->ComputeNodeStrengths();
  ai->UpdateFronts();
  ai->RateFronts();
  ASSERT_EQ(ai->fronts.size(), 1u);
  const sAiFront& f = ai->fronts.front();
  EXPECT_EQ(f.name, L"Front miasta B");
  const std::list<sWezelDiagramuMiast*> expected = {&Node(b), &Node(c)};
  EXPECT_EQ(f.nodes, expected);
  EXPECT_TRUE(ai->IsCityOnAnyFront(c));
  EXPECT_FALSE(ai->IsCityOnAnyFront(e));
  // Nobody stands anywhere: 1.0 and safe.
  EXPECT_FLOAT_EQ(f.ratio, 1.0f);
  EXPECT_EQ(f.state, 0);
  EXPECT_EQ(b->aiFrontState, 0);
  EXPECT_EQ(c->aiFrontState, 0);
  for (const cMiasto* off : {a, d, e}) EXPECT_EQ(off->aiFrontState, 3);
  EXPECT_TRUE(log.Has(L"Kraj ID = 1 (C1) zaktualizowal liste frontow do liczby 1"));
}

TEST_F(AiFronts, UnitsCountInTheNodeOfTheirRegion) {
  auto* own = unit_test::PlaceLand(g, 1, 3, 1, 20.0f);
  auto* ally = unit_test::PlaceLand(g, 3, 4, 1, 10.0f);
  auto* enemy = unit_test::PlaceLand(g, 2, 5, 1, 30.0f);
  auto* ownAir = unit_test::PlaceAir(g, 1, 2, 2, 7);
  unit_test::PlaceAir(g, 2, 6, 2, 6)->SetName(L"Raider");
  unit_test::PlaceAir(g, 3, 2, 1, 4)->SetName(L"Friend");
  ai->BuildUnitLists();
  ai->ComputeNodeStrengths();
  ai->UpdateFronts();
  ai->RateFronts();
  const sWezelDiagramuMiast& nb = Node(b);
  EXPECT_FLOAT_EQ(nb.landStrengths[0], own->GetCombatStrength() + ally->GetCombatStrength());
  EXPECT_FLOAT_EQ(nb.landStrengths[1], own->GetCombatStrength());
  EXPECT_FLOAT_EQ(Node(c).landStrengths[2], enemy->GetCombatStrength());
  EXPECT_EQ(nb.ownUnitCount, 2);
  EXPECT_FLOAT_EQ(nb.airValues[4], 7.0f);
  // Every air unit is logged with its node; of the land units only the own.
  EXPECT_TRUE(log.Has(L"Wroga Raider Wezel C. Dod.PS 6. Silawezla=6"));
  EXPECT_TRUE(log.Has(L"Nasza Friend Wezel B. Dod.PS 4. Silawezla=11"));
  const sAiFront& f = ai->fronts.front();
  ASSERT_GT(enemy->GetCombatStrength(), 0.0f);
  EXPECT_FLOAT_EQ(f.ratio, (own->GetCombatStrength() + ally->GetCombatStrength()) / enemy->GetCombatStrength());
  int value = 0;
  EXPECT_TRUE(ai->GetFrontCityStrength(b, value));
  EXPECT_EQ(value, static_cast<int>(nb.landStrengths[0] + nb.landStrengths[1]));
  EXPECT_FALSE(ai->GetFrontCityStrength(a, value));
  EXPECT_EQ(value, -1);
  (void)ownAir;
}

TEST_F(AiFronts, StatesAtTheRatioBoundaries) {
  struct Case {
    float ours, enemy, ratio;
    int state;
  };
  const Case cases[] = {
      {0.0f, 0.0f, 1.0f, 0},   {50.0f, 0.0f, 99999.0f, 0}, {0.0f, 10.0f, 0.0f, 2}, {32.0f, 100.0f, 0.32f, 2},
      {33.0f, 100.0f, 0.33f, 1}, {79.0f, 100.0f, 0.79f, 1}, {80.0f, 100.0f, 0.8f, 0},
  };
  ai->UpdateFronts();
  for (const Case& k : cases) {
    g.game->citiesDiagram.ResetAiValues();
    Node(b).landStrengths[0] = k.ours;
    Node(c).landStrengths[2] = k.enemy;
    ai->RateFronts();
    const sAiFront& f = ai->fronts.front();
    EXPECT_FLOAT_EQ(f.ratio, k.ratio) << k.ours << "/" << k.enemy;
    EXPECT_EQ(f.state, k.state) << k.ours << "/" << k.enemy;
    EXPECT_EQ(b->aiFrontState, k.state);
    EXPECT_EQ(ai->IsCityOnFrontInState(c, k.state), true);
    EXPECT_EQ(ai->NeedsLineOfDefence(), k.state != 0);
  }
}

TEST_F(AiFronts, DoNotAttackCitiesStayUnmarkedAndFriendlyFrontCitiesAreOursAndAllies) {
  g.game->countries[0]->ai.doNotAttackCities.push_back(c);
  g.game->selection.currentCountry = g.game->countries[0];
  c->aiMayBeAttacked = 1;
  d->aiMayBeAttacked = 0;
  ai->ApplyDoNotAttackCities();
  EXPECT_EQ(c->aiMayBeAttacked, 0);
  EXPECT_EQ(d->aiMayBeAttacked, 1);
  ai->UpdateFronts();
  const auto friendly = ai->CollectFriendlyFrontCities(ai->fronts.front(), 3);
  ASSERT_EQ(friendly.size(), 1u);
  EXPECT_EQ(friendly.front()->city, b);
}

TEST_F(AiFronts, NoListHoldsAUnitThatWasKilled) {
  auto* own = unit_test::PlaceLand(g, 1, 3, 1);
  auto* enemy = unit_test::PlaceLand(g, 2, 5, 1);
  auto* enemyAir = unit_test::PlaceAir(g, 2, 6, 1);
  ai->BuildUnitLists();
  ai->reachableHexes.push_back({own, 4, 1, 1});
  ASSERT_EQ(ai->enemyLandUnits.size(), 1u);
  // The kill takes the units out of the game's lists and frees them.
  g.game->landUnits.remove(enemy);
  g.hex(5, 1).unit = nullptr;
  delete enemy;
  g.game->airUnits.remove(enemyAir);
  g.hex(6, 1).unit = nullptr;
  delete enemyAir;
  g.game->landUnits.remove(own);
  g.hex(3, 1).unit = nullptr;
  delete own;
  ai->PruneDeadUnits();
  EXPECT_TRUE(ai->enemyLandUnits.empty());
  EXPECT_TRUE(ai->enemyAirUnits.empty());
  EXPECT_TRUE(ai->ownLandUnits.empty());
  EXPECT_TRUE(ai->reachableHexes.empty());
}

TEST_F(AiFronts, OwnLandUnitsStrongestFirstEqualsInGameOrder) {
  auto* weak = unit_test::PlaceLand(g, 1, 0, 1, 5.0f, L"weak");
  auto* strong = unit_test::PlaceLand(g, 1, 1, 1, 50.0f, L"strong");
  auto* weak2 = unit_test::PlaceLand(g, 1, 2, 1, 5.0f, L"weak2");
  ASSERT_GT(strong->GetCombatStrength(), weak->GetCombatStrength());
  ai->BuildUnitLists();
  const std::list<cJednostkaLadowa*> expected = {strong, weak, weak2};
  EXPECT_EQ(ai->ownLandUnits, expected);
}

TEST_F(AiFronts, NewLandUnitsGoToTheFrontCityWhoseNodeCountedTheLeastStrength) {
  // E joins the front over land: B and E are the country's front cities,
  // B with a strong unit in its region, E with none.
  Link(e, c, kDiagramLinkLand);
  for (cMiasto* city : g.game->cities) city->supplyInfo.assign(3, 99);
  unit_test::PlaceLand(g, 1, 4, 1, 50.0f);
  auto* fresh = new cJednostkaLadowa();
  fresh->countryId = 1;
  fresh->inReserve = 1;
  g.game->reserve.push_back(fresh);
  Fronts();
  ai->DeployLandUnits();
  EXPECT_EQ(fresh->x, e->x);
  EXPECT_EQ(fresh->y, e->y);
}

TEST_F(AiFronts, TheRescueOfACriticalFrontSendsUnitsFromBehindIt) {
  AllowStrategicMoves();
  unit_test::PlaceLand(g, 2, 6, 1, 500.0f);
  cJednostkaLadowa* onFront = Mobile(4, 1, 40.0f, L"on the front");
  cJednostkaLadowa* garrison = Mobile(1, 1, 30.0f, L"garrison");
  garrison->aiOrder = 2;
  cJednostkaLadowa* reserve = Mobile(0, 1, 20.0f, L"reserve");
  ai->BuildUnitLists();
  ai->SavePoorlyDefendedFronts();
  // One pass moved the reserve to B; the next found nobody else to send.
  EXPECT_EQ(reserve->x, b->x);
  EXPECT_EQ(reserve->y, b->y);
  EXPECT_EQ(onFront->x, 4);
  EXPECT_EQ(garrison->x, 1);
  EXPECT_TRUE(log.Has(L"Cannot find other units. Ending saving poorly defended front procedure."));
}

TEST_F(AiFronts, PatchingSendsTheFirstUnitThatCanGoToTheWeakestNodeUntilTheFrontIsEven) {
  // Front B, C, E: B holds 40 + 30 of the country's, C 5 of an ally's, E
  // nothing. The strongest unit goes to E; then C is the weakest and no
  // unit can go to an enemy city.
  AllowStrategicMoves();
  Link(e, c, kDiagramLinkLand);
  g.game->countries[0]->ai.minRatioToPatchFront = 2.5f;
  cJednostkaLadowa* strong = Mobile(4, 1, 40.0f, L"strong");
  cJednostkaLadowa* other = Mobile(2, 1, 30.0f, L"other");
  unit_test::PlaceLand(g, 3, 5, 1, 5.0f);
  Fronts();
  ai->PatchFronts();
  EXPECT_EQ(strong->x, e->x);
  EXPECT_EQ(strong->y, e->y);
  EXPECT_EQ(strong->aiTargetX, e->x);
  EXPECT_EQ(other->x, 2);
}

TEST_F(AiFronts, OnlyRestedSuppliedAirUnitsNearTheEnemyRebaseAwayFromIt) {
  for (cPanstwo* k : g.game->countries) {
    k->consts.c047[0] = 3;
    k->consts.c047[2] = 12;
    for (float& f : k->consts.airRangeTechFactor) f = 1.0f;
    k->consts.c128 = 100;
    k->consts.c177[0] = 5;  // fighters need supply 5
  }
  unit_test::PlaceLand(g, 2, 6, 1);
  auto fighter = [&](int x, int y, int points, int supply) {
    cJednostkaLotnicza* u = unit_test::PlaceAir(g, 1, x, y);
    u->startingActionPoints = 2;
    u->actionPoints = points;
    u->supply = supply;
    return u;
  };
  cJednostkaLotnicza* threatened = fighter(4, 0, 2, 5);
  cJednostkaLotnicza* moved = fighter(4, 1, 1, 5);
  cJednostkaLotnicza* unsupplied = fighter(4, 2, 2, 4);
  ai->BuildUnitLists();
  ai->RebaseAirUnits();
  EXPECT_FALSE(threatened->x == 4 && threatened->y == 0);
  EXPECT_GE(ai->GetDistanceToNearestEnemy(threatened->x, threatened->y), 5);  // 4 x 1.3
  EXPECT_EQ(threatened->actionPoints, 0);
  EXPECT_EQ(moved->x, 4);
  EXPECT_EQ(unsupplied->x, 4);
}

// Air bases: distances and targets against the enemy land list.
TEST_F(AiFronts, NearestEnemyAndEnemiesInRangeLeaveOutStrongForts) {
  EXPECT_EQ(ai->GetDistanceToNearestEnemy(0, 0), INT_MAX);
  unit_test::PlaceLand(g, 2, 6, 1);
  unit_test::PlaceLand(g, 2, 8, 1);
  g.hex(8, 1).fort = 5;
  ai->BuildUnitLists();
  EXPECT_EQ(ai->GetDistanceToNearestEnemy(2, 1), 4);
  EXPECT_EQ(ai->CountEnemiesInRange(6, 1, 3), 1);
  g.hex(8, 1).fort = 4;
  EXPECT_EQ(ai->CountEnemiesInRange(6, 1, 3), 2);
  EXPECT_EQ(ai->CountEnemiesInRange(0, 1, 3), 0);
}

TEST_F(AiFronts, SaferBaseAndBaseWithMostTargets) {
  // Safe distance 4: a safer base lies at 5 (4 x 1.3 truncated) or more.
  const std::vector<sRebaseCandidate> bases = {
      {1, 1, 4, 9}, {2, 1, 7, 1}, {3, 1, 5, 2}, {4, 1, 5, 3}, {5, 1, 5, 3}, {6, 1, 9, 8}, {7, 1, 9, 8}};
  const sRebaseCandidate safer = ai->ChooseSaferBase(bases, 4);
  EXPECT_EQ(safer.x, 4);  // nearest of the far enough, more targets on a tie, first of full ties
  const sRebaseCandidate most = ai->ChooseBaseWithMostTargets(bases, 4);
  EXPECT_EQ(most.x, 6);  // the 9 targets at distance 4 are not above the safe distance
  const std::vector<sRebaseCandidate> near = {{1, 1, 3, 9}};
  EXPECT_EQ(ai->ChooseSaferBase(near, 4).x, -1);
  EXPECT_EQ(ai->ChooseBaseWithMostTargets(near, 4).x, -1);
}

TEST(AiScenarioRebase, WesternAirUnitsOfCountry53FlyToTheOneBaseWhileItIsFree) {
  world_test::GameFixture g(40, 80, 53);
  CreateComputerPlayers(*g.game);
  cAI* ai = g.game->computerPlayers[52];
  ai->country = g.game->countries[52];
  cJednostkaLotnicza* west = unit_test::PlaceAir(g, 53, 15, 10);
  cJednostkaLotnicza* second = unit_test::PlaceAir(g, 53, 3, 10);
  cJednostkaLotnicza* east = unit_test::PlaceAir(g, 53, 16, 10);
  for (const wchar_t* name : {L"EUROPE 1942", L"EUROPE 1940"}) {
    g.game->scenarioName = name;
    ai->BuildUnitLists();
    ai->ScenarioAirRebase();
    const bool rebased = name[10] == L'0';
    EXPECT_EQ(west->x, rebased ? 37 : 15) << name;
    EXPECT_EQ(west->y, rebased ? 78 : 10) << name;
  }
  EXPECT_EQ(second->x, 3);
  EXPECT_EQ(east->x, 16);
}

// The computer's strategic move is the unit's own: the same map, points and
// sound as a player's.
TEST_F(AiFronts, StrategicMoveGoesThroughTheUnitsOwnMove) {
  cRecordingFrontEnd fe;
  SetFrontEnd(&fe);
  cPanstwo& owner = *g.game->countries[0];
  owner.consts.c068[0] = 2;
  owner.strategicMovementPoints = 5;
  cJednostkaLadowa* u = unit_test::PlaceLand(g, 1, 0, 1);
  u->spottedLevel = 6;
  u->SetActionPoints(3);
  PrzeniesStrategicznieJednostke(*ai, u, b, 4, 1);
  SetFrontEnd(nullptr);
  EXPECT_EQ(g.hex(0, 1).unit, nullptr);
  EXPECT_EQ(g.hex(4, 1).unit, u);
  EXPECT_EQ(u->x, 4);
  EXPECT_EQ(u->y, 1);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_EQ(owner.strategicMovementPoints, 3);
  EXPECT_EQ(fe.Count("PlaySound"), 1);
}

}  // namespace
