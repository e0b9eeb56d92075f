// Land combat: the attack record's modifiers and odds column, and battles
// whose losses, overrun, retreat, surrender and dice are worked out by hand.
#include "rules/land_combat.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "support/recording_front_end.h"
#include "world/city.h"
#include "world/fleet.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "world/reports.h"

namespace {

using unit_test::GameFixture;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::LogCapture;

constexpr int kTx = 4;
constexpr int kTy = 4;

// Country 1 attacks country 2; country 3 is neutral unless a test says so.
// Every hex is held by country 2; every factor is neutral, the loss tables
// depend on the column only, so that the dice matter only where a test
// makes them.
class LandCombat : public ::testing::Test {
 protected:
  LandCombat() : g(9, 9, 3) {
    unit_test::LoadShippedStrings();
    g.SetWar(1, 2);
    for (cPanstwo* c : g.game->countries) {
      SetTables(c->consts);
      c->humanControlled = 1;
      c->name = L"Country " + std::to_wstring(c->id);
    }
    for (sHex& h : g.game->map->hexes) h.controller = h.owner = 2;
  }

  static void SetTables(sConsts& c) {
    std::fill(std::begin(c.c031), std::end(c.c031), 1.0f);
    c.c031[1] = 10.0f;  // fortification percent per level
    std::fill(std::begin(c.c032), std::end(c.c032), 1.0f);
    c.c033 = 30.0f;
    const int costs[6] = {2, 2, 1, 1, 1, 1};
    std::copy(costs, costs + 6, c.c034);
    c.c144 = 10.0f;
    c.c138 = 30.0f;
    c.c140 = 20.0f;
    const float defender[7] = {10, 20, 30, 40, 50, 60, 70};
    const float attacker[7] = {1.0f, 0.5f, 0.4f, 0.3f, 0.2f, 0.15f, 0.1f};
    for (float* row : {c.c019, c.c020, c.c021, c.c022, c.c023, c.c024}) std::copy(defender, defender + 7, row);
    for (float* row : {c.c025, c.c026, c.c027, c.c028, c.c029, c.c030}) std::copy(attacker, attacker + 7, row);
    std::fill(std::begin(c.c078), std::end(c.c078), 1.0f);
    std::fill(std::begin(c.c079), std::end(c.c079), 1.0f);
    c.c149 = 60;
    c.c133[0] = 3;
  }

  sHexPoint Side(int d) const {
    sHexPoint p;
    g.game->map->NeighbourPoint(kTx, kTy, d, p);
    return p;
  }
  cJednostkaLadowa* Defender(float cost, int strength = 100) {
    cJednostkaLadowa* u = PlaceLand(g, 2, kTx, kTy, cost, L"Defender");
    u->strength = strength;
    attack.defender = u;
    attack.targetX = kTx;
    attack.targetY = kTy;
    return u;
  }
  cJednostkaLadowa* Attacker(int side, float cost, const wchar_t* name = L"Attacker") {
    const sHexPoint p = Side(side);
    cJednostkaLadowa* u = PlaceLand(g, 1, p.x, p.y, cost, name);
    u->actionPoints = u->startingActionPoints = 5;
    attack.SetAttacker(u, side);
    return u;
  }
  bool Fight() { return ResolveLandCombat(attack, result); }
  // Every unit off the board, the record and the result empty, for the next
  // case of a table.
  void ClearUnits() {
    for (cJednostkaLadowa* u : g.game->landUnits) delete u;
    g.game->landUnits.clear();
    for (cJednostkaLotnicza* u : g.game->airUnits) delete u;
    g.game->airUnits.clear();
    for (sHex& h : g.game->map->hexes) h.unit = nullptr;
    attack = sAtak();
    result.Clear();
  }
  size_t ReportCount() const { return g.game->reports != nullptr ? g.game->reports->reports.size() : 0; }
  bool IsOnList(const cJednostka* u) const {
    for (const cJednostkaLadowa* l : g.game->landUnits)
      if (l == u) return true;
    return false;
  }

  GameFixture g;
  sAtak attack;
  sWynikWalki result;
};

// ---- the record --------------------------------------------------------------

TEST_F(LandCombat, SlotsAreFilledFoundAndEmptied) {
  cJednostkaLadowa* a = Attacker(2, 10.0f);
  cJednostkaLadowa* b = Attacker(5, 10.0f);
  EXPECT_TRUE(attack.HasAttacker(a));
  EXPECT_FALSE(attack.HasAttacker(nullptr));
  EXPECT_EQ(attack.GetAttackerCountry(), g.game->countries[0]);
  EXPECT_FLOAT_EQ(attack.GetTotalStrengthValue(), 20.0f);
  attack.RemoveAttacker(a);
  EXPECT_FALSE(attack.HasAttacker(a));
  EXPECT_EQ(attack.CountAttackers(), 1);
  attack.ClearAttacker(5);
  EXPECT_FALSE(attack.HasAttacker(b));
  EXPECT_EQ(attack.GetAttackerCountry(), nullptr);
  // Nothing attacks: every attack factor is neutral.
  EXPECT_FLOAT_EQ(attack.GetAttackSidesModifier(), 1.0f);
  EXPECT_FLOAT_EQ(attack.GetAttackerWeatherModifier(), 1.0f);
}

// Forest 1.5, city 1.3, two levels of entrenchment at 10% and winter at 30%
// of a 50% "Winter battle" defend; an armoured defender meets no armour
// (0.7), two sides attack (1.1), one attacker stands in mud at 20% of its
// own 40% "Mud battle" (average (0.92 + 1) / 2), two fortification levels
// take 10% each, and the attacker across the river fights at 0.7.
TEST_F(LandCombat, ModifiersMultiplyAsWorkedOutByHand) {
  for (cPanstwo* c : g.game->countries) {
    c->consts.c032[kTerrainForest - 1] = 1.5f;
    c->consts.c032[7] = 1.3f;
    c->consts.c031[0] = 0.7f;
    c->consts.c031[2] = 0.7f;
    c->consts.c031[5] = 1.1f;  // two sides
  }
  g.game->countries[1]->winterBattle = 50.0f;
  g.game->countries[0]->mudBattle = 40.0f;
  sHex& target = g.hex(kTx, kTy);
  target.terrain = kTerrainForest;
  target.weather = kWeatherWinter;
  target.fort = 2;
  unit_test::AddCity(g, kTx, kTy, 1, 2);
  target.rivers = 1u << 0;
  cJednostkaLadowa* d = Defender(5.0f);
  d->SetType(4);
  d->trenchBonusMultiplier = 2;
  Attacker(0, 10.0f);
  cJednostkaLadowa* inMud = Attacker(3, 10.0f);
  g.hex(inMud->x, inMud->y).weather = kWeatherMud;

  EXPECT_FLOAT_EQ(attack.GetTerrainModifier(), 1.5f);
  EXPECT_FLOAT_EQ(attack.GetCityModifier(), 1.3f);
  EXPECT_FLOAT_EQ(attack.GetEntrenchmentModifier(), 1.2f);
  EXPECT_FLOAT_EQ(attack.GetWeatherModifier(), 0.85f);
  EXPECT_NEAR(attack.GetDefenceModifier(), 1.5 * 1.3 * 1.2 * 0.85, 1e-5);
  EXPECT_FLOAT_EQ(attack.GetArmourModifier(), 0.7f);
  EXPECT_FLOAT_EQ(attack.GetAttackSidesModifier(), 1.1f);
  EXPECT_FLOAT_EQ(attack.GetAttackerWeatherModifier(), 0.96f);
  EXPECT_FLOAT_EQ(attack.GetFortificationModifier(), 0.8f);
  EXPECT_NEAR(attack.GetAttackModifier(), 0.7 * 1.1 * 0.96 * 0.8, 1e-5);
  EXPECT_FLOAT_EQ(attack.GetAttackStrength(), 17.0f);
  EXPECT_FLOAT_EQ(attack.GetDefenceStrength(), 5.0f);
  // 17 x 0.59136 / (5 x 1.989) = 1.01: column 1.
  EXPECT_EQ(attack.ComputeOddsColumn(), 1);

  // Armour on the attacking side lifts the anti-armour factor.
  attack.attackers[3]->SetType(5);
  EXPECT_FLOAT_EQ(attack.GetArmourModifier(), 1.0f);
}

TEST_F(LandCombat, ANonLandDefenderUsesItsCountrysDefenceAndFactor) {
  for (cPanstwo* c : g.game->countries) c->consts.c031[3] = 0.5f;
  cJednostkaLotnicza* air = PlaceAir(g, 2, kTx, kTy, 10);
  attack.defender = air;
  attack.targetX = kTx;
  attack.targetY = kTy;
  Attacker(0, 90.0f);
  g.hex(kTx, kTy).fort = 3;
  EXPECT_FLOAT_EQ(attack.GetDefenceStrength(), 30.0f);
  EXPECT_FLOAT_EQ(attack.GetArmourModifier(), 0.5f);
  EXPECT_FLOAT_EQ(attack.GetFortificationModifier(), 1.0f);
  EXPECT_FLOAT_EQ(attack.GetEntrenchmentModifier(), 1.0f);
  EXPECT_EQ(attack.ComputeOddsColumn(), 1);  // 90 x 0.5 / 30 = 1.5
}

// The odds column of attack / defence strength, both at full effectiveness.
TEST_F(LandCombat, OddsColumnIsTheTruncatedRatioWithinOneToSeven) {
  struct Case {
    float attack;
    float defence;
    int column;
  };
  const Case cases[] = {{9.99f, 10.0f, 1}, {10.0f, 10.0f, 1}, {25.0f, 10.0f, 2}, {79.9f, 10.0f, 7},
                        {80.0f, 10.0f, 7}, {500.0f, 10.0f, 7}, {1.0f, 0.0f, 7}};
  for (const Case& c : cases) {
    ClearUnits();
    Defender(c.defence);
    Attacker(0, c.attack);
    EXPECT_EQ(attack.ComputeOddsColumn(), c.column) << c.attack << " against " << c.defence;
  }
}

// ---- battles -----------------------------------------------------------------

// 0.999:1 is column 1 and weaker than 1:1: the defender's loss of 10% is
// worked out (value 1.0) but not taken; the attacker still loses 1.0 x 1.0,
// which at a cost of 9.99 is 10 strength points.
TEST_F(LandCombat, WeakerThanOneToOneLeavesTheDefenderButCostsTheAttacker) {
  cJednostkaLadowa* d = Defender(10.0f);
  cJednostkaLadowa* a = Attacker(0, 9.99f);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(d->strength, 100);
  EXPECT_FLOAT_EQ(result.defenderLosses, 0.0f);
  EXPECT_EQ(result.lossText, L"Land combat: 0.0\n");
  EXPECT_EQ(a->strength, 90);
  EXPECT_FLOAT_EQ(result.attackerLosses, 1.0f);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(2, 1), 1.0f);
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(1, 2), 0.0f);
  EXPECT_EQ(result.defenderRetreated | result.defenderSurrendered | result.defenderDestroyed, 0);
}

// Exactly 1:1: the defender loses 10 of 100 (value 1.0, recorded against
// the attacker's country) and the attacker 1.0 of value, 10 points.
TEST_F(LandCombat, OneToOneTakesTheTableLossFromBothSides) {
  cJednostkaLadowa* d = Defender(10.0f);
  cJednostkaLadowa* a = Attacker(0, 10.0f);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(d->strength, 90);
  EXPECT_FLOAT_EQ(result.defenderLosses, 1.0f);
  EXPECT_EQ(result.lossText, L"Land combat: 1.0\n");
  EXPECT_FLOAT_EQ(g.game->relations.GetLosses(1, 2), 1.0f);
  EXPECT_EQ(a->strength, 90);
  EXPECT_FLOAT_EQ(result.attackerLosses, 1.0f);
  EXPECT_EQ(result.attackerCountry, 1);
  EXPECT_EQ(result.defenderCountry, 2);
  EXPECT_EQ(result.resultCode, sWynikWalki::kLandBattle);
}

TEST_F(LandCombat, EightToOneOverrunsWithoutAttackerLosses) {
  LogCapture log;
  Defender(10.0f);
  cJednostkaLadowa* a = Attacker(0, 80.0f);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(attack.defender, nullptr);
  EXPECT_EQ(g.hex(kTx, kTy).unit, nullptr);
  EXPECT_EQ(g.game->landUnits.size(), 1u);
  EXPECT_EQ(result.defenderDestroyed, 1);
  EXPECT_FLOAT_EQ(result.defenderLosses, 10.0f);
  EXPECT_EQ(a->strength, 100);
  EXPECT_FLOAT_EQ(result.attackerLosses, 0.0f);
  EXPECT_NE(result.generalText.find(L"Defender destroyed by overrun (8.00:1)!"), std::wstring::npos);
  EXPECT_TRUE(log.Has(L"Defender destroyed by overrun!"));
  // The attack still cost the doctrine level 0 price of 2 points.
  EXPECT_EQ(a->actionPoints, 3);
}

// 7.99:1 is column 7 (70%), no overrun: 100 -> 30, and the attacker pays
// 0.1 x the loss value of 7.0.
TEST_F(LandCombat, JustBelowEightToOneIsColumnSeven) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 0;  // no retreat
  cJednostkaLadowa* d = Defender(10.0f);
  Attacker(0, 79.9f);
  ASSERT_TRUE(Fight());
  ASSERT_EQ(attack.defender, d);
  EXPECT_EQ(d->strength, 30);
  EXPECT_FLOAT_EQ(result.attackerLosses, 0.7f);
}

// A defender worth nothing has a defence of 0, taken as 0.001: any attack
// overruns it and the ratio stays finite.
TEST_F(LandCombat, ADefenderOfStrengthZeroIsOverrun) {
  Defender(0.0f);
  Attacker(0, 1.0f);
  EXPECT_EQ(attack.ComputeOddsColumn(), 7);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(result.defenderDestroyed, 1);
  EXPECT_FLOAT_EQ(result.defenderLosses, 0.0f);
  EXPECT_NE(result.generalText.find(L"(1000.00:1)"), std::wstring::npos);
}

TEST_F(LandCombat, NoDefenderOrNoAttackerChangesNothing) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cJednostkaLadowa* a = Attacker(0, 10.0f);
  EXPECT_FALSE(Fight());
  cJednostkaLadowa* d = Defender(10.0f);
  d->spottedLevel = 6;
  attack.ClearAttacker(0);
  EXPECT_FALSE(Fight());
  EXPECT_EQ(a->actionPoints, 5);
  EXPECT_EQ(fe.Count("PlaySound"), 0);
  EXPECT_TRUE(result.attackerInfo.empty());
  EXPECT_EQ(ReportCount(), 0u);
}

// Two sides attack: both pay, both are marked, the defender is marked, the
// sound of a seen defender plays, and each side gets its report.
TEST_F(LandCombat, ACombinedAttackMarksTheUnitsAndFilesBothReports) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cJednostkaLadowa* d = Defender(10.0f);
  d->spottedLevel = 5;
  g.game->countries[0]->techLevels[2] = 3;  // doctrine 3: an attack costs 1
  cJednostkaLadowa* a = Attacker(0, 10.0f, L"North");
  cJednostkaLadowa* b = Attacker(2, 10.0f, L"South-east");
  b->actionPoints = 0;
  ASSERT_TRUE(Fight());
  EXPECT_EQ(a->actionPoints, 4);
  EXPECT_EQ(b->actionPoints, 0);
  EXPECT_EQ(a->attacked, 1);
  EXPECT_EQ(b->attacked, 1);
  EXPECT_EQ(d->wasAttacked, 1);
  ASSERT_EQ(fe.Count("PlaySound"), 1);
  std::vector<sRaport> reports;
  g.game->reports->CollectReports(reports, 1, 0);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text.rfind(L"Attacked unit Defender (Country 2) [10.00] on hex (4, 4) with unit(s) North [10.00], "
                                  L"South-east [10.00]\n\n",
                                  0),
            0u);
  g.game->reports->CollectReports(reports, 2, 1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].text.find(L"was attacked at hex (4, 4) by unit(s) North [10.00], South-east [10.00] (Country 1)"),
            std::wstring::npos);
  // 20:10 is column 2: 20% of the defender, 0.5 x 2.0 shared half and half.
  EXPECT_EQ(d->strength, 80);
  EXPECT_EQ(a->strength, 95);
  EXPECT_EQ(b->strength, 95);
}

TEST_F(LandCombat, ASingleAttackerMarksNothing) {
  cJednostkaLadowa* d = Defender(10.0f);
  cJednostkaLadowa* a = Attacker(0, 10.0f);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(a->attacked, 0);
  EXPECT_EQ(d->wasAttacked, 0);
}

// 0.5011:1 is weaker than 1:1; the defender's computed loss value of 10
// falls on the attackers by value, 19.96% of each one's strength: the one
// of 11 points at a cost of 1 keeps 9, worth 0.09, and is destroyed; the
// other loses 19 of 100.
TEST_F(LandCombat, AnAttackerThatFallsBelowATenthIsDestroyed) {
  Defender(100.0f);
  cJednostkaLadowa* weak = Attacker(0, 1.0f);
  weak->strength = 11;
  cJednostkaLadowa* strong = Attacker(3, 50.0f);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(attack.attackers[0], nullptr);
  EXPECT_EQ(attack.attackers[3], strong);
  EXPECT_EQ(strong->strength, 81);
  EXPECT_EQ(result.attackerDestroyed, 1);
  EXPECT_FLOAT_EQ(result.attackerLosses, 10.0f);
  EXPECT_EQ(g.game->landUnits.size(), 2u);
  EXPECT_NE(result.attackerInfo.find(L"Attacker destroyed!"), std::wstring::npos);
  EXPECT_EQ(strong->attacked, 1);
}

// A unit in two slots (which the player's map actions never build) is
// freed once and leaves no slot pointing at it.
TEST_F(LandCombat, ADestroyedAttackerInTwoSlotsLeavesBothEmpty) {
  Defender(100.0f);
  cJednostkaLadowa* weak = Attacker(0, 1.0f);
  weak->strength = 11;
  attack.SetAttacker(weak, 1);
  ASSERT_TRUE(Fight());
  EXPECT_EQ(attack.attackers[0], nullptr);
  EXPECT_EQ(attack.attackers[1], nullptr);
  EXPECT_EQ(result.attackerDestroyed, 1);
  EXPECT_EQ(g.game->landUnits.size(), 1u);
}

// ---- the computer player's die --------------------------------------------------

TEST(ComputerDieRule, OnlyAComputerAgainstAnotherKindGetsTheBonus) {
  cPanstwo computer, human, pbem;
  human.humanControlled = 1;
  pbem.pbemPlayerId = 1;
  struct Case {
    const cPanstwo* attacker;
    const cPanstwo* defender;
    float draw;
    int dd, ad;
    int wantDd, wantAd;
  };
  const Case cases[] = {
      {&computer, &human, 0.5f, 3, 3, 4, 3}, {&computer, &human, 0.1f, 3, 3, 3, 3},
      {&computer, &pbem, 0.11f, 6, 2, 6, 2}, {&human, &computer, 0.9f, 1, 4, 1, 5},
      {&pbem, &computer, 0.9f, 1, 6, 1, 6},  {&computer, &computer, 1.0f, 2, 2, 2, 2},
      {&human, &pbem, 1.0f, 2, 2, 2, 2},
  };
  for (const Case& c : cases) {
    int dd = c.dd, ad = c.ad;
    ApplyComputerDieRule(c.attacker, c.defender, c.draw, dd, ad);
    EXPECT_EQ(dd, c.wantDd);
    EXPECT_EQ(ad, c.wantAd);
  }
  EXPECT_TRUE(IsComputerCountry(&computer));
  EXPECT_FALSE(IsComputerCountry(&pbem));
  EXPECT_FALSE(IsComputerCountry(nullptr));
}

// The defender-loss table rises by 5% a die: a computer attacker against a
// human defender takes the row one higher whenever the draw after the two
// dice is above 0.1, as the generator replayed by hand says.
TEST_F(LandCombat, TheBattleUsesTheRaisedDieOfAComputerAttacker) {
  for (cPanstwo* c : g.game->countries) {
    float* rows[6] = {c->consts.c019, c->consts.c020, c->consts.c021, c->consts.c022, c->consts.c023, c->consts.c024};
    for (int r = 0; r < 6; ++r) std::fill(rows[r], rows[r] + 7, 5.0f * static_cast<float>(r + 1));
  }
  g.game->countries[0]->humanControlled = 0;
  int raised = 0;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SeedRandom(seed);
    const int die = RandomInRange(1, 6);
    RandomInRange(1, 6);
    const bool bonus = RandomFloat01() > 0.1f;
    const int row = bonus ? std::min(die + 1, 6) : die;
    raised += bonus && die < 6 ? 1 : 0;

    ClearUnits();
    cJednostkaLadowa* d = Defender(10.0f);
    Attacker(0, 10.0f);
    SeedRandom(seed);
    ASSERT_TRUE(Fight());
    EXPECT_EQ(d->strength, 100 - 5 * row) << "seed " << seed;
  }
  EXPECT_GT(raised, 0);
}

// ---- retreat and surrender -------------------------------------------------------

// A defender of 50 falls to 40 at 2:1; 200 - 40 is a chance of 160%, so the
// roll passes. The attacker stands on side 0: the opposite side 3 scores
// 100 and wins. That hex was held by the attacker's country and passes to
// the defender's.
TEST_F(LandCombat, ARetreatWhoseRollPassesGoesAwayFromTheAttackers) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 200;
  cJednostkaLadowa* d = Defender(10.0f, 50);
  Attacker(0, 10.0f);
  const sHexPoint away = Side(3);
  g.hex(away.x, away.y).controller = 1;
  g.hex(away.x, away.y).owner = 1;
  LogCapture log;
  ASSERT_TRUE(Fight());
  EXPECT_EQ(result.defenderRetreated, 1);
  EXPECT_EQ(attack.defender, d);
  EXPECT_EQ(d->strength, 40);
  EXPECT_EQ(d->x, away.x);
  EXPECT_EQ(d->y, away.y);
  EXPECT_EQ(g.hex(away.x, away.y).unit, d);
  EXPECT_EQ(g.hex(kTx, kTy).unit, nullptr);
  EXPECT_EQ(g.hex(away.x, away.y).controller, 2);
  EXPECT_TRUE(log.Has(L"Retreat chance: Base=160.00% Modifiers: Column=1.00 Terrain=1.00. CHANCE=160%"));
  EXPECT_TRUE(log.Has(L"Retreat direction 3: score 100"));
  // It still counts for the attacker's losses: 0.5 x the loss value 1.0.
  EXPECT_FLOAT_EQ(result.attackerLosses, 0.5f);
}

// The hex retreated into belongs to an ally of the defender: it goes back
// to that ally, not to the defender's country.
TEST_F(LandCombat, ARetreatIntoAnAllysOccupiedHexGivesItBackToTheAlly) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 200;
  g.game->countries[1]->alliance = kAllianceAllies;
  g.game->countries[2]->alliance = kAllianceAllies;
  Defender(10.0f, 50);
  Attacker(0, 10.0f);
  const sHexPoint away = Side(3);
  g.hex(away.x, away.y).controller = 1;
  g.hex(away.x, away.y).owner = 3;
  ASSERT_TRUE(Fight());
  EXPECT_EQ(result.defenderRetreated, 1);
  EXPECT_EQ(g.hex(away.x, away.y).controller, 3);
}

// The hex retreated into is an enemy port: it changes hands, so the fleet
// in it puts to sea (node 1 to its sea zone, node 2).
TEST_F(LandCombat, ARetreatIntoAnEnemyPortSendsItsFleetsToSea) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 200;
  Defender(10.0f, 50);
  Attacker(0, 10.0f);
  const sHexPoint away = Side(3);
  g.game->seaGraph.nodes.resize(2);
  g.game->seaGraph.nodes[0].id = 1;
  g.game->seaGraph.nodes[1].id = 2;
  g.game->seaGraph.nodes[0].edges = {{2, -1, -1}};
  unit_test::AddCity(g, away.x, away.y, kCityPort, 1, L"Portus");
  g.hex(away.x, away.y).seaNodeMarker = 1;
  auto* fleet = new sFlota();
  fleet->id = 1;
  fleet->countryId = 1;
  fleet->seaNode = 1;
  g.game->fleets.push_back(fleet);
  ASSERT_TRUE(Fight());
  ASSERT_EQ(result.defenderRetreated, 1);
  EXPECT_EQ(g.hex(away.x, away.y).controller, 2);
  EXPECT_EQ(fleet->seaNode, 2);
}

// A retreat that passes with nowhere to go is a surrender: every free
// neighbour is held by a neutral country.
TEST_F(LandCombat, ARetreatWithNoHexToGoToSurrenders) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 200;
  Defender(10.0f, 50);
  Attacker(0, 10.0f);
  for (int dir = 1; dir < 6; ++dir) {
    const sHexPoint p = Side(dir);
    g.hex(p.x, p.y).controller = 3;
  }
  LogCapture log;
  ASSERT_TRUE(Fight());
  EXPECT_EQ(result.defenderSurrendered, 1);
  EXPECT_EQ(result.defenderRetreated, 0);
  EXPECT_EQ(attack.defender, nullptr);
  EXPECT_EQ(g.hex(kTx, kTy).unit, nullptr);
  EXPECT_EQ(g.game->landUnits.size(), 1u);
  EXPECT_NE(result.defenderInfo.find(L"Retreat check passed, but retreat impossible. Defender surrenders!"),
            std::wstring::npos);
  EXPECT_TRUE(log.Has(L"Retreat check passed, but retreat impossible. Defender surrenders!"));
}

// The one free neighbour held by the defender's country is sea: the unit
// has a retreat hex by the unit test, but no side qualifies for a land
// unit, so it surrenders rather than walking into the sea.
TEST_F(LandCombat, ARetreatPassedWhereNoSideQualifiesSurrenders) {
  for (cPanstwo* c : g.game->countries) c->consts.c149 = 200;
  cJednostkaLadowa* d = Defender(10.0f, 50);
  Attacker(0, 10.0f);
  for (int dir = 1; dir < 6; ++dir) {
    const sHexPoint p = Side(dir);
    g.hex(p.x, p.y).controller = 3;
  }
  const sHexPoint sea = Side(4);
  g.hex(sea.x, sea.y).terrain = kTerrainSea;
  g.hex(sea.x, sea.y).controller = 2;
  ASSERT_TRUE(d->HasRetreatHex());
  ASSERT_TRUE(Fight());
  EXPECT_EQ(result.defenderSurrendered, 1);
  EXPECT_EQ(g.hex(sea.x, sea.y).unit, nullptr);
  EXPECT_EQ(g.game->landUnits.size(), 1u);
}

// Conditions that keep a beaten defender in place although the retreat
// roll would pass, and a roll that cannot pass (chance 1: no roll of 1..100
// is below it). 50 falls to 40 at 2:1; 61 falls to 55 at 7:6.1.
TEST_F(LandCombat, DefendersThatStandFast) {
  enum Setup { kCity, kFort, kStrong, kNoChance };
  for (Setup s : {kCity, kFort, kStrong, kNoChance}) {
    ClearUnits();
    for (cPanstwo* c : g.game->countries) c->consts.c149 = s == kNoChance ? 0 : 200;
    g.hex(kTx, kTy).fort = s == kFort ? 1 : 0;
    g.hex(kTx, kTy).city = nullptr;
    if (s == kCity) unit_test::AddCity(g, kTx, kTy, 1, 2);
    cJednostkaLadowa* d = Defender(10.0f, s == kStrong ? 61 : 50);
    Attacker(0, s == kStrong ? 7.0f : 10.0f);
    ASSERT_TRUE(Fight());
    // The fortification takes 10% off the attack: 1.8:1, column 1.
    EXPECT_EQ(d->strength, s == kStrong ? 55 : (s == kFort ? 45 : 40)) << s;
    EXPECT_EQ(result.defenderRetreated, 0) << s;
    EXPECT_EQ(result.defenderSurrendered, 0) << s;
    EXPECT_EQ(g.hex(kTx, kTy).unit, d) << s;
  }
}

// ---- a defender that is no land unit ------------------------------------------------

TEST_F(LandCombat, AnAirUnitDefendingSurvivesSixtyAndFallsAboveIt) {
  struct Case {
    float attackerCost;
    float p;
    bool destroyed;
    float loss;
  };
  // 30 against the non-land defence of 30 is 1:1; 29 is weaker.
  const Case cases[] = {{30.0f, 60.0f, false, 0.15f}, {30.0f, 61.0f, true, 0.1525f}, {29.0f, 100.0f, false, 0.0f}};
  for (const Case& c : cases) {
    for (cPanstwo* country : g.game->countries)
      for (float* row : {country->consts.c019, country->consts.c020, country->consts.c021, country->consts.c022,
                         country->consts.c023, country->consts.c024})
        std::fill(row, row + 7, c.p);
    ClearUnits();
    cJednostkaLotnicza* air = PlaceAir(g, 2, kTx, kTy, 10);
    attack.defender = air;
    attack.targetX = kTx;
    attack.targetY = kTy;
    cJednostkaLadowa* a = Attacker(0, c.attackerCost);
    ASSERT_TRUE(Fight());
    EXPECT_EQ(result.defenderDestroyed, c.destroyed ? 1 : 0) << c.p;
    EXPECT_NEAR(result.defenderLosses, c.loss, 1e-6) << c.p;
    EXPECT_EQ(a->strength, 100) << "no land defender, no attacker losses";
    EXPECT_EQ(g.game->airUnits.size(), c.destroyed ? 0u : 1u);
  }
}

// ---- commanders ----------------------------------------------------------------

TEST_F(LandCombat, CommandersGainExperienceUpToTheMaximum) {
  for (cPanstwo* c : g.game->countries) {
    c->consts.c133[1] = 100;
    c->consts.c133[2] = 100;
  }
  cJednostkaLadowa* d = Defender(10.0f);
  cJednostkaLadowa* a = Attacker(0, 10.0f);
  sDowodca* attackerCommander = unit_test::AddCommander(g, 1, 1, 0, 5, 2);
  sDowodca* defenderCommander = unit_test::AddCommander(g, 2, 2, 0, 5, 3);
  unit_test::Attach(attackerCommander, a);
  d->SetAssignedCommander(defenderCommander);
  attack.GainCommanderExperience();
  EXPECT_EQ(attackerCommander->experience, 3);
  EXPECT_EQ(defenderCommander->experience, 3);  // already at the maximum
  attack.GainCommanderExperience();
  EXPECT_EQ(attackerCommander->experience, 3);
}

// ---- the single-attacker entry ---------------------------------------------------

// A unit landing from the sea fights from the sea side of the hex: a river
// on side 0 does not weaken it, and it pays for the attack like any other.
TEST_F(LandCombat, ASingleAttackFromOffTheMapTakesTheSeaSide) {
  for (cPanstwo* c : g.game->countries) c->consts.c031[0] = 0.5f;
  g.hex(kTx, kTy).rivers = 1u << 0;
  const sHexPoint sea = Side(2);
  g.hex(sea.x, sea.y).terrain = kTerrainSea;
  cJednostkaLadowa* d = Defender(10.0f);
  unit_test::ValuedLandUnit lander(10.0f);
  lander.countryId = 1;
  lander.actionPoints = 4;
  // Off the map, not in any list: the battle must not free it.
  ASSERT_TRUE(ResolveSingleAttack(&lander, kTx, kTy, result));
  EXPECT_EQ(d->strength, 90);  // 1:1, not 0.5:1 across the river
  EXPECT_EQ(lander.actionPoints, 2);
  EXPECT_FALSE(ResolveSingleAttack(&lander, 0, 0, result));
}

}  // namespace
