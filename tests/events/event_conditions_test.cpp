// Conditions: operators, and/or trees with short-circuit evaluation, and
// operand methods against a hand-built world.
#include "events/events_test_support.h"
#include "support/recording_front_end.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/fleet.h"

using namespace events_test;

namespace {

sOperand Method(const std::wstring& name, std::initializer_list<double> params) {
  sOperand o;
  o.method = name;
  o.line = 1;
  int i = 0;
  for (double p : params) o.params[i++] = p;
  return o;
}

sOperand Const(double v) {
  sOperand o;
  o.constValue = v;
  o.line = 1;
  return o;
}

sWyrazenie Compare(sOperand l, const std::wstring& op, sOperand r) {
  sWyrazenie x;
  x.left = std::move(l);
  x.right = std::move(r);
  x.op.value = op;
  x.op.line = 1;
  return x;
}

TEST(EventConditions, OperatorsCompareLeftWithRight) {
  EventsFixture f;
  struct Case {
    const wchar_t* op;
    double l, r;
    bool expected;
  } cases[] = {
      {L"equals", 2, 2, true},           {L"equals", 2, 3, false},         {L"notEquals", 2, 3, true},
      {L"notEquals", 2, 2, false},       {L"greater", 3, 2, true},         {L"greater", 2, 2, false},
      {L"less", 2, 3, true},             {L"less", 2, 2, false},           {L"greaterOrEqual", 2, 2, true},
      {L"greaterOrEqual", 1, 2, false},  {L"lessOrEqual", 2, 2, true},     {L"lessOrEqual", 3, 2, false},
  };
  for (const Case& c : cases) {
    sWyrazenie x = Compare(Const(c.l), c.op, Const(c.r));
    EXPECT_EQ(f.ev().EvaluateExpression(x), c.expected) << WideToUtf8(c.op) << " " << c.l << " " << c.r;
  }
  sOperator wrong;
  wrong.value = L"Equals";
  EXPECT_FALSE(wrong.Validate());
}

TEST(EventConditions, EmptyNodesHoldAndNestingCombines) {
  EventsFixture f;
  sWarunek emptyAnd;
  sWarunek emptyOr;
  emptyOr.isOr = 1;
  EXPECT_TRUE(f.ev().EvaluateCondition(emptyAnd));
  EXPECT_TRUE(f.ev().EvaluateCondition(emptyOr));
  sWarunek orOfEmptyAnd;
  orOfEmptyAnd.isOr = 1;
  orOfEmptyAnd.children.push_back(emptyAnd);
  EXPECT_TRUE(f.ev().EvaluateCondition(orOfEmptyAnd));
  sWarunek andOfEmptyOr;
  andOfEmptyOr.children.push_back(emptyOr);
  EXPECT_TRUE(f.ev().EvaluateCondition(andOfEmptyOr));

  // (1 == 2 or 2 == 2) and not-false child.
  sWarunek either;
  either.isOr = 1;
  either.expressions.push_back(Compare(Const(1), L"equals", Const(2)));
  EXPECT_FALSE(f.ev().EvaluateCondition(either));
  either.expressions.push_back(Compare(Const(2), L"equals", Const(2)));
  EXPECT_TRUE(f.ev().EvaluateCondition(either));
  sWarunek both;
  both.expressions.push_back(Compare(Const(1), L"less", Const(2)));
  both.children.push_back(either);
  EXPECT_TRUE(f.ev().EvaluateCondition(both));
  both.children.push_back(sWarunek{{Compare(Const(5), L"less", Const(2))}, {}, 0});
  EXPECT_FALSE(f.ev().EvaluateCondition(both));
}

TEST(EventConditions, ShortCircuitLeavesTheGeneratorUntouched) {
  EventsFixture f;
  auto randomCompare = Compare(Method(L"System.GetRandomNumber", {1, 100}), L"greater", Const(0));
  sWarunek andNode;
  andNode.expressions.push_back(Compare(Const(1), L"equals", Const(2)));  // false: the rest is not evaluated
  andNode.expressions.push_back(randomCompare);
  sWarunek orNode;
  orNode.isOr = 1;
  orNode.expressions.push_back(Compare(Const(1), L"equals", Const(1)));  // true: likewise
  orNode.children.push_back(sWarunek{{randomCompare}, {}, 0});

  SeedRandom(1234);
  const int expectedNext = Rand();
  SeedRandom(1234);
  EXPECT_FALSE(f.ev().EvaluateCondition(andNode));
  EXPECT_TRUE(f.ev().EvaluateCondition(orNode));
  EXPECT_EQ(Rand(), expectedNext) << "a comparison that was not reached drew a number";

  // Reached, it draws exactly one number.
  SeedRandom(1234);
  Rand();
  const int secondDraw = Rand();
  SeedRandom(1234);
  sWarunek reached;
  reached.expressions.push_back(randomCompare);
  EXPECT_TRUE(f.ev().EvaluateCondition(reached));
  EXPECT_EQ(Rand(), secondDraw);
}

TEST(EventConditions, OperandsReadTheWorld) {
  EventsFixture f;
  cGra& g = f.game();
  cPanstwo& c1 = *g.countries[0];
  cPanstwo& c2 = *g.countries[1];
  g.turn = 17;
  c1.productionPoints = 12.5;
  c1.diplomaticPoints = 40;
  c1.politicalStrength = 7;
  c1.allianceEntry = 55;
  c1.socialUnrest = 3.5f;
  c1.alliance = 4;  // leader of the allies
  c1.humanControlled = 1;
  c1.warEconomy = 20.0f;
  c1.strategicMovementUsed = 6;
  c1.techLevels[3] = 2;
  c1.researchProgress[6] = 11;
  c1.techInvestments[0] = 9;
  c1.seaTransportPoints = 13;
  c1.amphibiousPoints = 14;
  c1.difficultyLevel = 3;
  c1.ai.newUnitPurchasePreferences[13] = 77;
  c1.ai.desiredLandForcesStructure[4] = 66;
  c1.ai.carrierTargetsPriorities[8] = 5;
  c1.ai.seaZonesToPatrol.push_back({2, 1});
  c2.active = 0;
  g.consts.c138 = 1.5f;
  g.consts.c141 = 4.0f;
  g.scenarioFlags[39999] = 8;
  f.g.SetWar(1, 2);
  g.seaGraph.nodes[1].currentSize = 4;
  g.seaGraph.nodes[0].AddConvoyPassage(1);
  sHex& h = f.g.hex(2, 3);
  h.controller = 1;
  auto* unit = new world_test::TestLandUnit(2, 1);
  unit->type = 60;
  g.landUnits.push_back(unit);
  h.unit = unit;
  auto* city = new cMiasto();
  city->supply = 21;
  city->bombardmentLosses = 1;
  g.cities.push_back(city);
  f.g.hex(4, 4).city = city;
  auto* fleet = new sFlota();
  fleet->countryId = 1;
  fleet->seaNode = 2;
  g.fleets.push_back(fleet);
  for (int i = 0; i < 2; ++i) {
    auto* ship = new cJednostkaMorska();
    ship->countryId = 1;
    ship->type = 41;
    ship->fleet = fleet;
    g.navalUnits.push_back(ship);
  }

  struct Case {
    const wchar_t* method;
    std::initializer_list<double> params;
    double expected;
  } cases[] = {
      {L"Game.GetCurrentTurn", {}, 17},
      {L"Country.GetProductionPoints", {1}, 12.5},
      {L"Country.GetDiplomaticPoints", {1.9}, 40},  // ids are truncated
      {L"Country.GetPoliticalStrength", {1}, 7},
      {L"Country.GetAllianceEntry", {1}, 55},
      {L"Country.GetSocialUnrest", {1}, 3.5},
      {L"Country.HasWarWithCountry", {1, 2}, 1},
      {L"Country.HasWarWithCountry", {1, 3}, 0},
      {L"Country.HadConvoyInSeaZone", {1, 1}, 1},
      {L"Country.HadConvoyInSeaZone", {1, 2}, 0},
      {L"Country.IsActive", {2}, 0},
      {L"Flag.GetValue", {39999}, 8},
      {L"Flag.GetValue", {40000}, 0},
      {L"Flag.GetValue", {-1}, 0},
      {L"Commander.GetLevel", {5}, 0},
      {L"System.GetRandomNumber", {6, 6}, 6},
      {L"Hex.ControlledByAliance", {2, 3, 1}, 1},
      {L"Hex.ControlledByAliance", {2, 3, 2}, 0},
      {L"Hex.ControlledByAliance", {5, 5, 1}, 0},  // no controller
      {L"Hex.Occupied", {2, 3}, 1},
      {L"Hex.Occupied", {2, 4}, 0},
      {L"Hex.OccupiedAndControlledByAlliance", {2, 3, 1}, 1},  // an enemy unit counts
      {L"Country.IsAIControlled", {1}, 0},
      {L"Country.GetWarEconomy", {1}, 20},
      {L"Country.GetAlliance", {1}, 4},
      {L"Country.GetStrategicMovementPoints", {1}, 6},
      {L"Country.IsAtWar", {1}, 1},
      {L"Country.IsAtWar", {3}, 0},
      {L"Hex.ControlledByCountry", {2, 3, 1}, 1},
      {L"Hex.ControlledByCountry", {2, 3, 1.5}, 0},  // p2 is not truncated
      {L"Country.GetUnitPurchasePreferences", {1, 14}, 77},
      {L"Country.GetTechLevel", {1, 3}, 2},
      {L"Country.GetTechLevel", {1, 7}, 0},
      {L"Country.GetSTP", {1}, 13},
      {L"Country.GetAIP", {1}, 14},
      {L"Get.WinterBattle", {}, 1.5},
      {L"Get.MudMove", {}, 4},
      {L"Country.GetTechResearchProgress", {1, 6}, 11},
      {L"Country.GetTechInvestment", {1, 0}, 9},
      {L"AI.IsSeaZonePatrolled", {1, 2}, 1},
      {L"AI.IsSeaZonePatrolled", {1, 1}, 0},
      {L"Country.GetShipsAmountInSeaZone", {1, 2, 41}, 2},
      {L"Country.GetShipsAmountInSeaZone", {1, 1, 41}, 0},
      {L"Country.GetDesiredLandForcesStructure", {1, 5}, 66},
      {L"Country.GetAICarrierTargetsPriorities", {1, 9}, 5},
      {L"Country.GetUnitCount", {3, 60}, 1},
      {L"Country.GetUnitCount", {3, 30}, 0},
      {L"Country.GetUnitCount", {3, 41}, 2},
      {L"City.WasBombed", {4, 4}, 1},
      {L"City.WasBombed", {4, 5}, 0},
      {L"City.GetOwnSupply", {4, 4}, 21},
      {L"City.GetOwnSupply", {4, 5}, -1},
      {L"Port.GetSize", {2}, 4},
      {L"Country.GetDifficultyLevel", {1}, 3},
      {L"Hex.OccupiedByUnitOwnedByCountry", {2, 3, 2}, 1},
      {L"Hex.OccupiedByUnitOwnedByCountry", {2, 3, 1}, 0},
      // Ids that name nothing give 0 at run time.
      {L"Country.GetProductionPoints", {9}, 0},
      {L"Port.GetSize", {7}, 0},
  };
  cLogCapture log;
  for (const Case& c : cases) {
    sOperand o = Method(c.method, c.params);
    EXPECT_EQ(f.ev().EvaluateOperand(o), c.expected) << WideToUtf8(c.method);
  }
  EXPECT_TRUE(log.Has(L"ERR: Flag.GetValue arg out of range: 40000, max is 40000"));
  EXPECT_TRUE(log.Has(L"ERROR Hex.ControlledByAliance called with arg pointing hex (5, 5) which is sea hex"));
  EXPECT_TRUE(log.HasPrefix(L"ERROR: param0 of operand at line 1 (Country.GetProductionPoints) names no country: 9"));
}

TEST(EventConditions, DebugOperandShowsItsBoxAndGives666) {
  EventsFixture f;
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  sWyrazenie x = Compare(Method(L"Country.WyswietlZajebisteOkienko", {0}), L"equals", Const(666));
  EXPECT_TRUE(f.ev().EvaluateExpression(x));
  ASSERT_EQ(fe.Count("MessageBox"), 1);
  EXPECT_EQ(fe.calls.back().text, L"daraiarar|Zajebiste okienko");
  EXPECT_EQ(log.CountContaining(L"WyswietlZajebisteOkienko"), 1);
}

TEST(EventConditions, ConstantWithParamsWarnsAndGivesTheConstant) {
  EventsFixture f;
  cLogCapture log;
  sOperand o = Const(0);
  o.params[0] = 4;
  EXPECT_TRUE(o.Validate());
  EXPECT_TRUE(log.Has(L"WARNING: operand element at line 1 has defined 'constValue' attribute and at least one from "
                      L"param0..param9 attributes."));
  EXPECT_EQ(f.ev().EvaluateOperand(o), 0.0);
}

TEST(EventConditionsDeathTest, AComparisonIsCheckedAgainBeforeEvaluation) {
  EventsFixture f;
  sWyrazenie x = Compare(Const(1), L"equal", Const(1));
  EXPECT_EXIT(
      {
        LogToStderr();
        f.ev().EvaluateExpression(x);
      },
      ::testing::ExitedWithCode(1), "incorrect value \\(equal\\).*CRITICAL: Expression was incorrect");
}

}  // namespace
