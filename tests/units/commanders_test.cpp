// Commanders and units: the bonus by distance, the choice of the commander
// in range, and the command factor and distances of a unit.
#include <gtest/gtest.h>

#include "support/unit_fixtures.h"
#include "world/country.h"

using namespace world_test;
using namespace unit_test;

namespace {

class Command : public ::testing::Test {
 protected:
  Command() : g(12, 12) {
    own = g.AddCountry(kAllianceAllies);
    other = g.AddCountry(kAllianceAllies);
    for (cPanstwo* c : {own, other}) {
      c->consts.c130[0] = 50;  // skill factor
      c->consts.c130[1] = 20;  // experience factor
      c->consts.c084 = 200;    // distance factor
      c->consts.c127[0] = 3;   // command range
      c->consts.c127[1] = 6;   // command-range factor
    }
  }
  ValuedLandUnit* Led(int x, int y, int commanderId, int skill, int type = 0, int country = 1) {
    ValuedLandUnit* u = PlaceLand(g, country, x, y);
    Attach(AddCommander(g, commanderId, country, type, skill), u);
    return u;
  }

  GameFixture g;
  cPanstwo* own;
  cPanstwo* other;
};

TEST_F(Command, TheBonusFallsWithDistanceUpToTheRange) {
  sDowodca* c = AddCommander(g, 1, own->id, 0, 4, 10);
  // base = 50 x 4 / 100 + 20 x 10 / 100 = 4
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(0), 5.0f);
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(1), 8.0f);  // 200 x 0.01 / 1 x 4
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(2), 4.0f);
  // 8 / 3 would leave the edge of the range below a unit out of range.
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(3), 4.0f);
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(4), 4.0f);  // beyond the range: the base
  c->countryId = 9;
  EXPECT_EQ(c->GetBonusAtDistance(0), 0.0f);
}

TEST_F(Command, TheBonusWithinRangeNeverFallsBelowTheBonusOutOfRange) {
  sDowodca* c = AddCommander(g, 1, own->id, 0, 4, 10);
  // A distance factor of 300 gives 3 x, 1.5 x and 1 x the base (4) at
  // distances 1 to 3; one of 3 would give a hundredth of that.
  for (int factor : {300, 3}) {
    own->consts.c084 = factor;
    // Distance 0 is the attached commander's factor, not comparable.
    float previous = c->GetBonusAtDistance(1);
    EXPECT_GE(previous, 4.0f) << factor;
    for (int d = 2; d <= 6; ++d) {
      const float bonus = c->GetBonusAtDistance(d);
      EXPECT_LE(bonus, previous) << factor << " at " << d;
      EXPECT_GE(bonus, 4.0f) << factor << " at " << d;
      previous = bonus;
    }
  }
  own->consts.c084 = 300;
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(1), 12.0f);
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(2), 6.0f);
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(3), 4.0f);
  own->consts.c084 = 3;
  EXPECT_FLOAT_EQ(c->GetBonusAtDistance(1), 4.0f);
}

TEST_F(Command, TheBestCommanderInRangeOfTheSameKindIsAssigned) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 5, 5);
  Led(5, 7, 11, 4);                      // distance 2: score 200
  Led(5, 3, 12, 10, 1);                  // air commander
  Led(6, 5, 13, 10, 0, other->id);       // another country
  Led(5, 9, 14, 10);                     // distance 4: out of range
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, 11);
  Led(4, 5, 15, 4);                      // distance 1: score 400
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, 15);
}

TEST_F(Command, EqualScoresGoToTheFirstInTheList) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 5, 5);
  Led(5, 7, 21, 4);
  Led(5, 3, 22, 4);
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, 21);
}

TEST_F(Command, NoScoreAboveZeroMeansNoCommander) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 5, 5);
  u->assignedCommanderId = 99;
  Led(5, 6, 31, 0);
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, -1);
}

TEST_F(Command, OffTheMapLedOrAtSeaTheAssignmentStands) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 5, 5);
  Led(5, 6, 41, 5);
  u->assignedCommanderId = 7;
  u->x = -1;
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, 7);
  u->x = 5;
  Attach(AddCommander(g, 42, own->id, 0, 1), u);
  u->AssignBestCommander();
  EXPECT_EQ(u->assignedCommanderId, 7);
  // A unit led by its own commander keeps a stale assignment and a factor of 1.
  EXPECT_EQ(u->GetCommandFactor(), 1.0f);

  cJednostkaMorska ship;
  ship.countryId = own->id;
  ship.assignedCommanderId = 41;
  static_cast<cUnit&>(ship).AssignBestCommander();
  EXPECT_EQ(ship.assignedCommanderId, 41);  // the ship's own slot does nothing
  ship.cUnit::AssignBestCommander();
  EXPECT_EQ(ship.assignedCommanderId, -1);
}

TEST_F(Command, AnAirUnitLooksForAnAirCommander) {
  cJednostkaLotnicza* a = PlaceAir(g, own->id, 5, 5);
  Led(5, 6, 51, 5, 0);
  Led(5, 7, 52, 5, 1);
  a->AssignBestCommander();
  EXPECT_EQ(a->assignedCommanderId, 52);
}

TEST_F(Command, DistancesBonusAndFactorOfTheAssignedCommander) {
  ValuedLandUnit* u = PlaceLand(g, own->id, 5, 5);
  EXPECT_EQ(u->DistanceToCommander(), 100);
  EXPECT_EQ(u->GetAssignedCommander(), nullptr);
  EXPECT_EQ(u->GetAssignedCommanderBonus(), 0.0f);
  EXPECT_EQ(u->GetCommandFactor(), 1.0f);

  ValuedLandUnit* hq = Led(5, 7, 61, 4);
  sDowodca* c = hq->commander;
  u->SetAssignedCommander(c);
  EXPECT_EQ(u->assignedCommanderId, 61);
  EXPECT_EQ(u->GetAssignedCommander(), c);
  EXPECT_EQ(u->DistanceToCommander(), 2);
  EXPECT_FLOAT_EQ(u->GetAssignedCommanderBonus(), 2.0f);  // 200 x 0.01 / 2 x 2
  EXPECT_FLOAT_EQ(u->GetCommandFactor(), 3.0f);  // 6 / 2

  // A commander whose unit is gone gives nothing.
  c->unit = nullptr;
  EXPECT_EQ(u->DistanceToCommander(), 100);
  EXPECT_EQ(u->GetAssignedCommanderBonus(), 0.0f);
  EXPECT_FLOAT_EQ(u->GetCommandFactor(), 0.06f);

  u->SetAssignedCommander(nullptr);
  EXPECT_EQ(u->assignedCommanderId, -1);
  // Id 0 counts as no assignment for the factor.
  u->assignedCommanderId = 0;
  EXPECT_EQ(u->GetCommandFactor(), 1.0f);
}

}  // namespace
