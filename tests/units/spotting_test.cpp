// Spotting of the units within a unit's fog-of-war range.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"

namespace {

using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;

class Spotting : public ::testing::Test {
 protected:
  // 1 and 2 are allies, 3 their enemy.
  Spotting() : g(12, 3, 0), saved_(gProgramSettings.fogOfWar) {
    g.AddCountry(1);
    g.AddCountry(4);
    g.AddCountry(2);
    g.SetWar(1, 3);
    gProgramSettings.fogOfWar = 3;
  }
  ~Spotting() override { gProgramSettings.fogOfWar = saved_; }

  GameFixture g;
  int saved_;
};

TEST_F(Spotting, UnitsUpToTheRangeAreSeenAndOnlyAnUnseenEnemyMakesContact) {
  cJednostkaLadowa* scout = PlaceLand(g, 1, 0, 1);
  cJednostkaLadowa* ally = PlaceLand(g, 2, 1, 1);
  cJednostkaLotnicza* edge = PlaceAir(g, 3, 3, 1);  // exactly at the range
  cJednostkaLadowa* beyond = PlaceLand(g, 3, 4, 1);
  for (cUnit* u : std::initializer_list<cUnit*>{scout, ally, edge, beyond}) u->spottedLevel = 0;
  edge->spottedLevel = 2;  // seen in part already: no contact

  scout->SpotUnitsInRange(true);
  EXPECT_EQ(scout->spottedLevel, 6);  // its own side's units too
  EXPECT_EQ(ally->spottedLevel, 6);
  EXPECT_EQ(edge->spottedLevel, 6);
  EXPECT_EQ(beyond->spottedLevel, 0);
  EXPECT_EQ(scout->contactFlag, 0);  // the unseen ally does not count

  // An unseen enemy in range does, but only when asked to look for contact.
  edge->spottedLevel = 0;
  scout->SpotUnitsInRange(false);
  EXPECT_EQ(scout->contactFlag, 0);
  edge->spottedLevel = 0;
  scout->SpotUnitsInRange(true);
  EXPECT_EQ(scout->contactFlag, 1);

  // Range 0 is unlimited.
  gProgramSettings.fogOfWar = 0;
  scout->SpotUnitsInRange(false);
  EXPECT_EQ(beyond->spottedLevel, 6);
}

TEST_F(Spotting, AUnitIsSeenByTheCountryOrItsAlliesWithinTheRangeAndKeepsAFullLevel) {
  cJednostkaLadowa* target = PlaceLand(g, 3, 5, 1);
  PlaceLand(g, 3, 6, 1);                         // its own side sees nothing for country 1
  cJednostkaLotnicza* allied = PlaceAir(g, 2, 9, 1);  // 4 hexes away
  cJednostkaLadowa* own = PlaceLand(g, 1, 0, 1);      // 5 hexes away

  target->spottedLevel = 2;
  target->UpdateSpottedByCountry(1);
  EXPECT_EQ(target->spottedLevel, 2);

  // An allied air unit exactly at the range is enough.
  allied->x = 8;
  target->UpdateSpottedByCountry(1);
  EXPECT_EQ(target->spottedLevel, 6);

  // A unit at level 5 keeps it.
  target->spottedLevel = 5;
  target->UpdateSpottedByCountry(1);
  EXPECT_EQ(target->spottedLevel, 5);

  // Range 0 sees everything, even with no unit of the country anywhere near.
  target->spottedLevel = 0;
  allied->x = 11;
  own->x = 0;
  target->UpdateSpottedByCountry(1);
  EXPECT_EQ(target->spottedLevel, 0);
  gProgramSettings.fogOfWar = 0;
  target->UpdateSpottedByCountry(1);
  EXPECT_EQ(target->spottedLevel, 6);
}

TEST_F(Spotting, AfterAMoveStepTheViewingSideLooksAroundAndItsEnemiesMayBeSeen) {
  g.AddCountry(0);  // 4: a neutral
  g.SetWar(1, 3);    // the matrix was made anew for four
  g.game->seaGraph.viewingCountry = 1;
  cJednostkaLadowa* own = PlaceLand(g, 1, 0, 1);
  cJednostkaLadowa* ally = PlaceLand(g, 2, 11, 1);
  cJednostkaLadowa* enemy = PlaceLand(g, 3, 3, 1);
  cJednostkaLadowa* neutral = PlaceLand(g, 4, 8, 1);
  for (cUnit* u : std::initializer_list<cUnit*>{own, ally, enemy, neutral}) u->spottedLevel = 0;

  // The ally spots the neutral beside it; an unseen neutral is a contact too.
  ally->SpotAfterMoveStep();
  EXPECT_EQ(neutral->spottedLevel, 6);
  EXPECT_EQ(enemy->spottedLevel, 0);
  EXPECT_EQ(ally->contactFlag, 1);
  // A neutral's step shows nothing to anybody.
  neutral->spottedLevel = 0;
  neutral->SpotAfterMoveStep();
  EXPECT_EQ(neutral->spottedLevel, 0);
  EXPECT_EQ(enemy->spottedLevel, 0);
  // The enemy is seen by the viewing side's unit three hexes away.
  enemy->SpotAfterMoveStep();
  EXPECT_EQ(enemy->spottedLevel, 6);
  EXPECT_EQ(own->spottedLevel, 0);  // an enemy's step spots nothing itself
  enemy->spottedLevel = 0;
  own->SpotAfterMoveStep();
  EXPECT_EQ(enemy->spottedLevel, 6);
  EXPECT_EQ(own->contactFlag, 1);
}

TEST_F(Spotting, AComputerMoveIsSeenWhenItEndsInTheViewersRange) {
  g.game->seaGraph.viewingCountry = 1;
  for (int t = 0; t < 8; ++t) g.game->GetCountry(3)->consts.c015[t] = 10;
  PlaceLand(g, 1, 0, 1)->spottedLevel = 6;
  cJednostkaLadowa* mover = PlaceLand(g, 3, 8, 1);
  mover->spottedLevel = 0;
  mover->actionPoints = mover->startingActionPoints = 60;
  mover->MarkAttackTargets(true);
  ASSERT_TRUE(mover->GiveMoveOrder(6, 1));
  EXPECT_EQ(mover->spottedLevel, 0);  // six hexes away
  mover->MarkAttackTargets(true);
  ASSERT_TRUE(mover->GiveMoveOrder(3, 1));
  EXPECT_EQ(mover->x, 3);
  EXPECT_EQ(mover->spottedLevel, 6);
}

}  // namespace
