// Effects on the computer player's settings, through the effects table.
#include "effects_test_support.h"
#include "world/city.h"

namespace {

using effects_test::EffectsTest;
using unit_test::AddCity;

TEST_F(EffectsTest, ComputerPlayerValuesAreSetFromTheirParameters) {
  const sAiParameters& ai = country(2).ai;
  Run(L"AI.SetMakesSeaInvasionsParameter", {2, 0.5});
  EXPECT_EQ(ai.makesSeaInvasions, 1);
  Run(L"AI.TransportUnitsToFrontsBySea", {2, 0.5});
  EXPECT_EQ(ai.transportsUnitsToFrontsBySea, 0) << "0.5 is a whole 0";
  Run(L"AI.TransportUnitsToFrontsBySea", {2, -1});
  EXPECT_EQ(ai.transportsUnitsToFrontsBySea, 1);
  Run(L"AI.SetMaxNumberOfFrontsForSeaInvasion", {2, 4.7});
  EXPECT_EQ(ai.maxFrontsForSeaInvasion, 4);
  Run(L"AI.SetMultipleSideAttackPreferences", {2, 7, 8, 9});
  EXPECT_EQ(std::vector<int>(ai.multipleSideAttackPreferences, ai.multipleSideAttackPreferences + 3),
            (std::vector<int>{7, 8, 9}));
  Run(L"AI.SetOneSideAttackPreferences", {2, 1, 2, 3});
  EXPECT_EQ(std::vector<int>(ai.oneSideAttackPreferences, ai.oneSideAttackPreferences + 3),
            (std::vector<int>{1, 2, 3}));
  Run(L"AI.SetDesiredStrategicMovementPoints", {2, 30});
  EXPECT_EQ(ai.desiredStrategicMovementPoints, 30);
  Run(L"AI.SetDesiredTechLevel", {2, 6, 3});
  EXPECT_EQ(ai.desiredTechLevels[6], 3);
  Run(L"AI.SetFortLevelToHoldAtAllCost", {2, 2});
  EXPECT_EQ(ai.fortLevelToHoldAtAllCost, 2);
  Run(L"Country.NewUnitPurchasePreferences", {2, 14, 33});
  EXPECT_EQ(ai.newUnitPurchasePreferences[13], 33);
  Run(L"Country.NewUnitPurchasePreferences", {2, 1, 44});
  EXPECT_EQ(ai.newUnitPurchasePreferences[0], 44);
  Run(L"Country.SetDesiredLandForcesStructure", {2, 5, 50});
  EXPECT_EQ(ai.desiredLandForcesStructure[4], 50);
  Run(L"Country.SetMaxSafeMoveCost", {2, 9});
  EXPECT_EQ(ai.maxSafeMoveCost, 9);
  Run(L"Country.SetMinRatioToPatchFront", {2, 1.75});
  EXPECT_FLOAT_EQ(ai.minRatioToPatchFront, 1.75f);
  Run(L"Country.SetMaxUnitCountOnFront", {2, 11});
  EXPECT_EQ(ai.maxUnitCountOnFront, 11);
  Run(L"Country.SetMaxCoveringUnitDistance", {2, 6});
  EXPECT_EQ(ai.maxCoveringUnitDistance, 6);
  Run(L"Country.ChangeAICarrierTargetsPriorities", {2, 9, 5});
  EXPECT_EQ(ai.carrierTargetsPriorities[8], 5);
  EXPECT_EQ(country(1).ai.carrierTargetsPriorities[8], 10) << "one country only";

  Run(L"Country.SetAICarrierTargetsPriorities", {11, 12, 13, 14, 15, 16, 17, 18, 19});
  for (cPanstwo* c : game().countries)
    EXPECT_EQ(std::vector<int>(c->ai.carrierTargetsPriorities, c->ai.carrierTargetsPriorities + 9),
              (std::vector<int>{11, 12, 13, 14, 15, 16, 17, 18, 19}));
}

TEST_F(EffectsTest, ComputerPlayerTableIndexesOutsideTheirTablesAreRefused) {
  sAiParameters before = country(2).ai;
  cLogCapture log;
  Run(L"Country.NewUnitPurchasePreferences", {2, 15, 1});
  Run(L"Country.NewUnitPurchasePreferences", {2, 0, 1});
  Run(L"Country.SetDesiredLandForcesStructure", {2, 6, 1});
  Run(L"Country.ChangeAICarrierTargetsPriorities", {2, 10, 1});
  Run(L"AI.SetDesiredTechLevel", {2, 7, 1});
  EXPECT_EQ(log.CountContaining(L"is out of range"), 5);
  const sAiParameters& after = country(2).ai;
  EXPECT_TRUE(std::equal(before.newUnitPurchasePreferences, before.newUnitPurchasePreferences + 14,
                         after.newUnitPurchasePreferences));
  EXPECT_TRUE(std::equal(before.desiredLandForcesStructure, before.desiredLandForcesStructure + 5,
                         after.desiredLandForcesStructure));
  EXPECT_TRUE(std::equal(before.carrierTargetsPriorities, before.carrierTargetsPriorities + 9,
                         after.carrierTargetsPriorities));
  EXPECT_TRUE(std::equal(before.desiredTechLevels, before.desiredTechLevels + 7, after.desiredTechLevels));
}

TEST_F(EffectsTest, ComputerPlayerListsKeepTheirOrderAndDuplicatesAsEachEffectSays) {
  cMiasto* warsaw = AddCity(g, 2, 2, kCityRegular, 1, L"Warsaw");
  cMiasto* gdynia = AddCity(g, 4, 4, kCityPort, 1, L"Gdynia");
  cMiasto* kiel = AddCity(g, 6, 6, kCityPort, 2, L"Kiel");
  const sAiParameters& ai = country(2).ai;

  Run(L"AI.AddDoNotAttackCity", {2, 2, 2});
  Run(L"AI.AddDoNotAttackCity", {2, 2, 2});
  Run(L"AI.AddDoNotAttackCity", {2, 5, 5});  // no city
  EXPECT_EQ(ai.doNotAttackCities, (std::list<cMiasto*>{warsaw}));
  Run(L"AI.RemoveDoNotAttackCity", {2, 2, 2});
  EXPECT_TRUE(ai.doNotAttackCities.empty());

  Run(L"AI.AddExtraCityToGarrison", {2, 4, 4});
  Run(L"AI.AddExtraCityToGarrison", {2, 4, 4});
  EXPECT_EQ(ai.extraCitiesToGarrison, (std::list<cMiasto*>{gdynia}));

  Run(L"AI.AddPortForObligatoryInvasion", {2, 4, 4, 0});
  Run(L"AI.AddPortForObligatoryInvasion", {2, 6, 6, 1});
  Run(L"AI.AddPortForObligatoryInvasion", {2, 4, 4, 0});
  EXPECT_EQ(ai.obligatorySeaInvasionTargets, (std::list<cMiasto*>{kiel, gdynia, gdynia}));
  Run(L"AI.RemovePortForObligatoryInvasion", {2, 4, 4});
  EXPECT_EQ(ai.obligatorySeaInvasionTargets, (std::list<cMiasto*>{kiel}));

  Run(L"AI.AddInvasionTarget", {2, 3, 3, -1});
  Run(L"AI.AddInvasionTarget", {2, 5, 1, 40});
  Run(L"AI.AddInvasionTarget", {2, 3, 3, 80});
  Run(L"AI.RemoveInvasionTarget", {2, 3, 3});
  ASSERT_EQ(ai.currentTargets.size(), 1u);
  EXPECT_EQ(ai.currentTargets.front(), (std::array<int32_t, 3>{5, 1, 40}));

  Run(L"AI.AddSeaZoneToPatrolList", {2, 7, 0});
  Run(L"AI.AddSeaZoneToPatrolList", {2, 8, 0});
  Run(L"AI.AddSeaZoneToPatrolList", {2, 7, 1});
  using tPairs = std::list<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(ai.seaZonesToPatrol, (tPairs{{7, 1}, {8, 0}})) << "a listed zone keeps its place";
  Run(L"AI.RemoveSeaZoneFromPatrolList", {2, 7});
  Run(L"AI.RemoveSeaZoneFromPatrolList", {2, 9});
  EXPECT_EQ(ai.seaZonesToPatrol, (tPairs{{8, 0}}));

  Run(L"AI.AddCountryToPress", {2, 3});
  Run(L"AI.AddCountryToPress", {2, 3});
  EXPECT_EQ(ai.countriesToPress, (std::list<int32_t>{3, 3}));
}

}  // namespace
