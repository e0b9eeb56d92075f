// ai_data.csv: every keyword's positional rule, rows that name no country,
// the three fatal data errors and the round trip through the writer.
#include <gtest/gtest.h>

#include <functional>

#include "persistence/saver.h"
#include "persistence_test_support.h"
#include "world/city.h"

using namespace persistence_test;

namespace {

class AiDataTest : public GameFolderTest {
 protected:
  AiDataTest() {
    // A regular city at (1, 1), a port at (2, 2), a supply port at (3, 0).
    AddCity(1, 1, kCityRegular);
    AddCity(2, 2, kCityPort);
    AddCity(3, 0, kCitySupplyPort);
  }
  cMiasto* AddCity(int x, int y, int type) {
    auto* c = new cMiasto();
    c->x = x;
    c->y = y;
    c->type = type;
    game().cities.push_back(c);
    game().map->GetHex(x, y)->city = c;
    return c;
  }
  cMiasto* City(int x, int y) { return game().map->GetHex(x, y)->city; }
  void Load(const std::vector<std::string>& lines) {
    WriteLoaded("ai_data.csv", lines);
    game().LoadAiData(request_);
  }
  sAiParameters& Ai(int country) { return game().GetCountry(country)->ai; }
};

struct sKeywordCase {
  const char* row;
  std::function<void(const sAiParameters&, cMiasto* regular, cMiasto* port)> check;
};

TEST_F(AiDataTest, EveryKeywordAppliesItsValuesByPosition) {
  const std::vector<sKeywordCase> cases = {
      {"MakesSeaInvasions;7", [](auto& a, auto, auto) { EXPECT_EQ(a.makesSeaInvasions, 1); }},
      {"MakesSeaInvasions;1;0", [](auto& a, auto, auto) { EXPECT_EQ(a.makesSeaInvasions, 0); }},
      {"CurrentSeaInvasionTarget;3;9", [](auto& a, auto, auto) { EXPECT_EQ(a.currentSeaInvasionTarget, 9); }},
      {"CurrentTargets;1;2;3;4;5",
       [](auto& a, auto, auto) {
         ASSERT_EQ(a.currentTargets.size(), 1u);
         EXPECT_EQ(a.currentTargets.front(), (std::array<int32_t, 3>{1, 2, 3}));
       }},
      {"CurrentTargets;1;2;3;-4;5;6",
       [](auto& a, auto, auto) {
         ASSERT_EQ(a.currentTargets.size(), 2u);
         EXPECT_EQ(a.currentTargets.back(), (std::array<int32_t, 3>{-4, 5, 6}));
       }},
      {"DoNotAttackCities;1;1;2;2",
       [](auto& a, auto regular, auto port) {
         EXPECT_EQ(a.doNotAttackCities, (std::list<cMiasto*>{regular, port}));
       }},
      {"FortLevelToHoldAtAllCost;3", [](auto& a, auto, auto) { EXPECT_EQ(a.fortLevelToHoldAtAllCost, 3); }},
      {"ExtraCitiesToGarrison;2;2;7",
       [](auto& a, auto, auto port) { EXPECT_EQ(a.extraCitiesToGarrison, (std::list<cMiasto*>{port})); }},
      {"MaxNumberOfFrontsForSeaInvasion;4", [](auto& a, auto, auto) { EXPECT_EQ(a.maxFrontsForSeaInvasion, 4); }},
      {"SeaZonesToPatrol;4;1;5",
       [](auto& a, auto, auto) {
         EXPECT_EQ(a.seaZonesToPatrol, (std::list<std::pair<int32_t, int32_t>>{{4, 1}}));
       }},
      {"DesiredLandForcesStructure;1;2;3;4;5",
       [](auto& a, auto, auto) {
         EXPECT_EQ(std::vector<int>(a.desiredLandForcesStructure, a.desiredLandForcesStructure + 5),
                   (std::vector<int>{1, 2, 3, 4, 5}));
       }},
      {"DesiredTechLevels;1;2;3;4;5;6;7;8",
       [](auto& a, auto, auto) {
         // The eighth value starts again at the first slot.
         EXPECT_EQ(std::vector<int>(a.desiredTechLevels, a.desiredTechLevels + 7),
                   (std::vector<int>{8, 2, 3, 4, 5, 6, 7}));
       }},
      {"DesiredStrategicMovementPoints;12",
       [](auto& a, auto, auto) { EXPECT_EQ(a.desiredStrategicMovementPoints, 12); }},
      {"NewUnitPurchasePreferences;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16",
       [](auto& a, auto, auto) {
         EXPECT_EQ(std::vector<int>(a.newUnitPurchasePreferences, a.newUnitPurchasePreferences + 14),
                   (std::vector<int>{15, 16, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
       }},
      {"MultipleSideAttackPreferences;7;8",
       [](auto& a, auto, auto) {
         // Slots without a value keep theirs.
         EXPECT_EQ(std::vector<int>(a.multipleSideAttackPreferences, a.multipleSideAttackPreferences + 3),
                   (std::vector<int>{7, 8, 4}));
       }},
      {"OneSideAttackPreferences;1;2;3;4",
       [](auto& a, auto, auto) {
         EXPECT_EQ(std::vector<int>(a.oneSideAttackPreferences, a.oneSideAttackPreferences + 3),
                   (std::vector<int>{4, 2, 3}));
       }},
      {"AllianceEntryPolicy;2", [](auto& a, auto, auto) { EXPECT_EQ(a.allianceEntryPolicy, 2); }},
      {"CountriesToPress;2;3;3",
       [](auto& a, auto, auto) { EXPECT_EQ(a.countriesToPress, (std::list<int32_t>{2, 3, 3})); }},
      {"TransportsUnitsToFrontsBySea;-1", [](auto& a, auto, auto) { EXPECT_EQ(a.transportsUnitsToFrontsBySea, 1); }},
      {"PurchaseQueue;5;0;6", [](auto& a, auto, auto) { EXPECT_EQ(a.purchaseQueue, (std::list<int32_t>{5, 0, 6})); }},
      {"NewUnitPurchaseData;1;0.5;2;1.5;3;2.5;9;9.5",
       [](auto& a, auto, auto) {
         EXPECT_EQ(a.newUnitPurchaseData[0], (std::pair<int32_t, float>{1, 0.5f}));
         EXPECT_EQ(a.newUnitPurchaseData[1], (std::pair<int32_t, float>{2, 1.5f}));
         EXPECT_EQ(a.newUnitPurchaseData[2], (std::pair<int32_t, float>{3, 2.5f}));
       }},
      {"MinRatioToPatchFront;1.75", [](auto& a, auto, auto) { EXPECT_FLOAT_EQ(a.minRatioToPatchFront, 1.75f); }},
      {"MaxUnitCountOnFront;9", [](auto& a, auto, auto) { EXPECT_EQ(a.maxUnitCountOnFront, 9); }},
      {"MaxCoveringUnitDistance;6", [](auto& a, auto, auto) { EXPECT_EQ(a.maxCoveringUnitDistance, 6); }},
      {"MaxSafeMoveCost;8", [](auto& a, auto, auto) { EXPECT_EQ(a.maxSafeMoveCost, 8); }},
      {"ObligatorySeaInvasionTargets;2;2;3;0",
       [](auto& a, auto, auto port) {
         ASSERT_EQ(a.obligatorySeaInvasionTargets.size(), 2u);
         EXPECT_EQ(a.obligatorySeaInvasionTargets.front(), port);
       }},
      {"ShoreBombardmentSingleUse;50;25;10",
       [](auto& a, auto, auto) {
         EXPECT_FLOAT_EQ(a.shoreBombardmentSingleUse[0], 0.5f);
         EXPECT_FLOAT_EQ(a.shoreBombardmentSingleUse[1], 0.25f);
       }},
      {"CarrierTargetsPriorities;1;2;3;4;5;6;7;8;9;10;11",
       [](auto& a, auto, auto) {
         EXPECT_EQ(std::vector<int>(a.carrierTargetsPriorities, a.carrierTargetsPriorities + 9),
                   (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
       }},
  };
  for (const sKeywordCase& c : cases) {
    SCOPED_TRACE(c.row);
    Ai(2) = sAiParameters();
    Load({"# ai data", "Country;2", c.row});
    c.check(Ai(2), City(1, 1), City(2, 2));
    // Only the named country changes.
    EXPECT_EQ(Ai(1).fortLevelToHoldAtAllCost, sAiParameters().fortLevelToHoldAtAllCost);
  }
}

TEST_F(AiDataTest, RowsApplyToTheLastCountryAndListsAccumulate) {
  Load({"Country;1", "DoNotAttackCities;1;1", "Country;3", "MaxSafeMoveCost;2", "Country;1", "DoNotAttackCities;2;2",
        "Country;1;3", "AllianceEntryPolicy;4;;;5", "", "#Country;2", "AllianceEntryPolicy;9"});
  EXPECT_EQ(Ai(1).doNotAttackCities, (std::list<cMiasto*>{City(1, 1), City(2, 2)}));
  EXPECT_EQ(Ai(3).maxSafeMoveCost, 2);
  // "Country;1;3" names the last value; the comment line changes nothing.
  EXPECT_EQ(Ai(3).allianceEntryPolicy, 9);
  EXPECT_EQ(Ai(1).allianceEntryPolicy, 0);
}

TEST_F(AiDataTest, RowsNamingNoCountryAreSkippedWithALogLine) {
  world_test::LogCapture log;
  Load({"MaxSafeMoveCost;1", "Country;1", "MaxSafeMoveCost;2", "Country;99", "MaxSafeMoveCost;3", "Bogus",
        "DesiredTechLevels;5"});
  EXPECT_EQ(Ai(1).maxSafeMoveCost, 2);
  for (int id = 2; id <= 5; ++id) EXPECT_EQ(Ai(id).maxSafeMoveCost, sAiParameters().maxSafeMoveCost);
  EXPECT_EQ(log.CountContaining(L"WARNING:"), 2);  // one before any Country row, one for country 99
  EXPECT_TRUE(log.Has(L"Otwarcie OK"));
}

TEST_F(AiDataTest, LongRowsAreReadWhole) {
  // A list far beyond 499 characters must not be cut into rows of their own.
  std::string row = "CountriesToPress";
  for (int i = 0; i < 300; ++i) row += ";" + std::to_string(1000 + i);
  Load({"Country;4", row});
  ASSERT_EQ(Ai(4).countriesToPress.size(), 300u);
  EXPECT_EQ(Ai(4).countriesToPress.back(), 1299);
}

using AiDataDeathTest = AiDataTest;

TEST_F(AiDataDeathTest, DataErrorsEndTheProcess) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"Country;1", "#x", "MaxSafeMove;3"}, "line 3 in ai_data.csv has incorrect variable name \\(MaxSafeMove\\)"},
      {{"Country;1", "DoNotAttackCities;1;1;0;3"}, "There is no city at coords \\(0,3\\)"},
      {{"Country;1", "ExtraCitiesToGarrison;9;9"}, "There is no city at coords \\(9,9\\)"},
      {{"Country;1", "ObligatorySeaInvasionTargets;3;0;1;1"}, "line 2\\): City at coords \\(1, 1\\) is not a port"},
  };
  for (const auto& [lines, message] : cases) {
    WriteLoaded("ai_data.csv", lines);
    EXPECT_EXIT(
        {
          LogToStderr();
          game().LoadAiData(request_);
        },
        ::testing::ExitedWithCode(1), message);
  }
  EXPECT_EXIT(
      {
        LogToStderr();
        game().LoadAiData(sLoadRequest{L"missing\\%s", 0});
      },
      ::testing::ExitedWithCode(1), "Blad otwarcia pliku! \\(nie istnieje\\?\\)");
}

TEST_F(AiDataTest, SaveWritesEveryKeywordAndReadsBackTheSame) {
  sAiParameters& a = Ai(2);
  a.makesSeaInvasions = 1;
  a.currentTargets = {{1, 2, 3}, {4, 5, 6}};
  a.doNotAttackCities = {City(2, 2), City(1, 1)};
  a.obligatorySeaInvasionTargets = {City(3, 0)};
  a.seaZonesToPatrol = {{7, 1}};
  a.purchaseQueue = {3, 1};
  a.countriesToPress = {5};
  a.desiredTechLevels[6] = 4;
  a.newUnitPurchaseData[1] = {12, 0.75f};
  a.minRatioToPatchFront = 1.25f;
  a.shoreBombardmentSingleUse[0] = 0.5f;
  a.shoreBombardmentSingleUse[1] = 0.125f;
  a.carrierTargetsPriorities[8] = 99;
  std::filesystem::create_directories("save");
  cZapisGry().SaveAiData(L"save");
  const std::string first = dir_.Read("save/ai_data.csv");
  EXPECT_EQ(first.rfind("# ai data\r\nCountry;1\r\nMakesSeaInvasions;0\r\n", 0), 0u);
  EXPECT_NE(first.find("\r\nShoreBombardmentSingleUse;50.000000;12.500000\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\nNewUnitPurchaseData;99;-1.000000;12;0.750000;99;-1.000000\r\n"), std::string::npos);
  EXPECT_NE(first.back(), '\n');

  const sAiParameters saved = a;
  for (cPanstwo* c : game().countries) c->ai = sAiParameters();
  game().LoadAiData(sLoadRequest{L"save\\%s", 2});
  const sAiParameters& b = Ai(2);
  EXPECT_EQ(b.currentTargets, saved.currentTargets);
  EXPECT_EQ(b.doNotAttackCities, saved.doNotAttackCities);
  EXPECT_EQ(b.obligatorySeaInvasionTargets, saved.obligatorySeaInvasionTargets);
  EXPECT_EQ(b.seaZonesToPatrol, saved.seaZonesToPatrol);
  EXPECT_EQ(b.purchaseQueue, saved.purchaseQueue);
  EXPECT_EQ(b.countriesToPress, saved.countriesToPress);
  EXPECT_EQ(b.desiredTechLevels[6], 4);
  EXPECT_EQ(b.newUnitPurchaseData[1], saved.newUnitPurchaseData[1]);
  EXPECT_FLOAT_EQ(b.shoreBombardmentSingleUse[0], 0.5f);
  EXPECT_FLOAT_EQ(b.shoreBombardmentSingleUse[1], 0.125f);
  EXPECT_EQ(b.carrierTargetsPriorities[8], 99);
  EXPECT_TRUE(Ai(1).doNotAttackCities.empty());

  std::filesystem::create_directories("save2");
  cZapisGry().SaveAiData(L"save2");
  EXPECT_EQ(dir_.Read("save2/ai_data.csv"), first);
}

TEST_F(AiDataTest, WithoutCountriesOnlyTheLegendIsWritten) {
  for (cPanstwo* c : game().countries) delete c;
  game().countries.clear();
  std::filesystem::create_directories("save");
  cZapisGry().SaveAiData(L"save");
  EXPECT_EQ(dir_.Read("save/ai_data.csv"), "# ai data");
}

}  // namespace
