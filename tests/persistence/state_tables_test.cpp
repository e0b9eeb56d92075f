// The saved-game state tables: topography groups, city supply and convoy
// tables, air attack reports and air reconnaissance, each read, skipped
// where it names nothing, and written back to reload the same.
#include <gtest/gtest.h>

#include "persistence/saver.h"
#include "persistence/state_tables.h"
#include "persistence_test_support.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/strategic_moves.h"
#include "world/topography.h"

using namespace persistence_test;

namespace {

class StateTablesTest : public GameFolderTest {
 protected:
  StateTablesTest() {
    unit_test::LoadShippedStrings();
    // Five countries on a 4 x 4 map, cities at (0, 0), (1, 2) and (3, 3).
    for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 2}, std::pair{3, 3}}) AddCity(x, y);
    ResetCitySupplyTables();
    InitStrategicMovement();
    std::filesystem::create_directories("save");
  }
  cMiasto* AddCity(int x, int y) {
    auto* c = new cMiasto();
    c->x = x;
    c->y = y;
    game().cities.push_back(c);
    game().map->GetHex(x, y)->city = c;
    return c;
  }
  cMiasto* City(int x, int y) { return game().map->GetHex(x, y)->city; }
  tCityGroups& Groups(int country) { return (*game().strategicMoves)[static_cast<size_t>(country) - 1]; }
  static const sLoadRequest kSaved;
};

const sLoadRequest StateTablesTest::kSaved{L"save\\%s", 2};

TEST_F(StateTablesTest, TopographyGroupsReadSkipAndRoundTrip) {
  world_test::LogCapture log;
  WriteLoaded("topography.csv",
              {"#Topography of terrain at the beginning of turn:", "New Group;", "City;0;0;", "Country;2;",
               "City;0;0;", "New Group;", "City;0;0;", "City;1;2;", "City;2;2;", "New Group", "Country;9;",
               "New Group;", "City;3;3;", "Country;4;", "New Group;", "City;3;3;"});
  game().LoadTopography(request_);
  // Rows before the first Country row, a City row before any group, a hex
  // without a city and the groups of an unknown country name nothing.
  EXPECT_TRUE(Groups(1).empty());
  ASSERT_EQ(Groups(2).size(), 2u);
  EXPECT_EQ(Groups(2).front(), (std::list<cMiasto*>{City(0, 0), City(1, 2)}));
  EXPECT_TRUE(Groups(2).back().empty());  // "New Group" without cities
  EXPECT_EQ(Groups(4), (tCityGroups{{City(3, 3)}}));
  EXPECT_EQ(log.CountContaining(L"WARNING:"), 7);

  cZapisGry().SaveTopography(L"save");
  const std::string first = dir_.Read("save/topography.csv");
  EXPECT_EQ(first,
            "#Topography of terrain at the beginning of turn:\r\nCountry;1;\r\nCountry;2;\r\nNew Group;\r\nCity;0;0;"
            "\r\nCity;1;2;\r\nNew Group;\r\nCountry;3;\r\nCountry;4;\r\nNew Group;\r\nCity;3;3;\r\nCountry;5;");
  const std::vector<tCityGroups> before = *game().strategicMoves;
  for (tCityGroups& g : *game().strategicMoves) g.clear();
  game().LoadTopography(kSaved);
  EXPECT_EQ(*game().strategicMoves, before);
}

TEST_F(StateTablesTest, CitySupplyAndConvoyTablesFillTheCitiesAndRoundTrip) {
  world_test::LogCapture log;
  WriteLoaded("cities_supply_info.csv",
              {"# cities supply info:", "0;0;1;2;3;4;5;6;7;", "1;2;-1;", "ab", "2;2;9;9;", "3;3;0;0;0;0;8;"});
  WriteLoaded("cities_convoy_info.csv", {"# cities convoy info:", "3;3;0;1;", "1;2;5;0;0;0;1;", "9;9;1;"});
  City(3, 3)->convoyInfo[0] = 1;
  LoadCitiesSupplyInfo(request_);
  // More values than countries: only the first five are taken.
  EXPECT_EQ(City(0, 0)->supplyInfo, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(City(1, 2)->supplyInfo, (std::vector<int32_t>{-1, 0, 0, 0, 0}));
  EXPECT_EQ(City(3, 3)->supplyInfo, (std::vector<int32_t>{0, 0, 0, 0, 8}));
  EXPECT_EQ(City(3, 3)->convoyInfo, (std::vector<uint8_t>{0, 1, 0, 0, 0}));
  EXPECT_EQ(City(1, 2)->convoyInfo, (std::vector<uint8_t>{1, 0, 0, 0, 1}));
  // One line for each row that names no city, not one per value.
  EXPECT_EQ(log.CountContaining(L"(2, 2)") + log.CountContaining(L"(9, 9)"), 2);

  cZapisGry saver;
  saver.SaveCitiesSupplyInfo(L"save");
  saver.SaveCitiesConvoyInfo(L"save");
  EXPECT_EQ(dir_.Read("save/cities_supply_info.csv"),
            "# cities supply info:\r\n0;0;1;2;3;4;5;\r\n1;2;-1;0;0;0;0;\r\n3;3;0;0;0;0;8;");
  EXPECT_EQ(dir_.Read("save/cities_convoy_info.csv"),
            "# cities convoy info:\r\n0;0;0;0;0;0;0;\r\n1;2;1;0;0;0;1;\r\n3;3;0;1;0;0;0;");
  std::vector<std::vector<int32_t>> supply;
  std::vector<std::vector<uint8_t>> convoy;
  for (const cMiasto* c : game().cities) {
    supply.push_back(c->supplyInfo);
    convoy.push_back(c->convoyInfo);
  }
  ResetCitySupplyTables();
  LoadCitiesSupplyInfo(kSaved);
  size_t i = 0;
  for (const cMiasto* c : game().cities) {
    EXPECT_EQ(c->supplyInfo, supply[i]);
    EXPECT_EQ(c->convoyInfo, convoy[i]);
    ++i;
  }
}

TEST_F(StateTablesTest, AirAttackReportsAreUtf16AndKeepEveryRowWhole) {
  world_test::LogCapture log;
  const std::wstring text =
      L"\xFEFF#Defender country ID;report\n2;Bomber hit Gda\x0144sk;\r\n\n5;second\n0;none\nx;bad\n7;no country\n2";
  const std::string bytes = WideToUtf16Le(text);
  dir_.Write("loaded/airship_attacks.csv", bytes);
  game().LoadAirshipAttacks(request_);
  EXPECT_EQ(game().GetCountry(2)->airAttackReports, (std::list<std::wstring>{L"Bomber hit Gda\x0144sk"}));
  EXPECT_EQ(game().GetCountry(5)->airAttackReports, (std::list<std::wstring>{L"second"}));
  EXPECT_EQ(log.CountContaining(L"row skipped"), 4);

  // Texts with the separator or line breaks are written so that they reload as one row.
  game().GetCountry(1)->airAttackReports = {L"Raid; heavy\nlosses", L"Stra\xDF" L"e"};
  cZapisGry().SaveAirshipAttacks(L"save");
  const std::string saved = dir_.Read("save/airship_attacks.csv");
  EXPECT_EQ(saved, WideToUtf16Le(L"#Defender country ID;report\n1;Raid, heavy losses;\n1;Stra\xDF"
                                 L"e;\n2;Bomber hit Gda\x0144sk;\n5;second;"));
  for (cPanstwo* c : game().countries) c->airAttackReports.clear();
  game().LoadAirshipAttacks(kSaved);
  EXPECT_EQ(game().GetCountry(1)->airAttackReports,
            (std::list<std::wstring>{L"Raid, heavy losses", L"Stra\xDF" L"e"}));
  EXPECT_EQ(game().GetCountry(2)->airAttackReports.size(), 1u);
}

TEST_F(StateTablesTest, AirReconSightingsNameUnitsOnHexesAndRoundTrip) {
  auto* a = new world_test::TestLandUnit(1, 10);
  auto* b = new world_test::TestLandUnit(2, 11);
  for (auto [u, x, y] : {std::tuple{a, 1, 1}, std::tuple{b, 2, 3}}) {
    u->x = x;
    u->y = y;
    game().landUnits.push_back(u);
    game().map->GetHex(x, y)->unit = u;
  }
  world_test::LogCapture log;
  WriteLoaded("airrecon_units.csv", {"#Hexes with units spoted with air recon", "1;1;", "Country;3;", "1;1;",
                                     "0;0;", "2;3;", "Country;8;", "2;3;", "Country;4", "2;3"});
  game().LoadAirReconUnits(request_);
  EXPECT_EQ(game().GetCountry(3)->airReconSightings, (std::list<cUnit*>{a, b}));
  EXPECT_EQ(game().GetCountry(4)->airReconSightings, (std::list<cUnit*>{b}));
  EXPECT_TRUE(game().GetCountry(1)->airReconSightings.empty());
  EXPECT_EQ(log.CountContaining(L"WARNING:"), 4);

  cZapisGry().SaveAirReconUnits(L"save");
  EXPECT_EQ(dir_.Read("save/airrecon_units.csv"),
            "#Hexes with units spoted with air recon\r\nCountry;3;\r\n1;1;\r\n2;3;\r\nCountry;4;\r\n2;3;");
  for (cPanstwo* c : game().countries) c->airReconSightings.clear();
  game().LoadAirReconUnits(kSaved);
  EXPECT_EQ(game().GetCountry(3)->airReconSightings, (std::list<cUnit*>{a, b}));
  EXPECT_EQ(game().GetCountry(4)->airReconSightings, (std::list<cUnit*>{b}));
}

TEST_F(StateTablesTest, MissingOptionalTablesListNothing) {
  world_test::LogCapture log;
  game().LoadAirshipAttacks(request_);
  game().LoadAirReconUnits(request_);
  EXPECT_EQ(log.CountContaining(L"(zadnych raportow do wyswietlenia)"), 1);
  EXPECT_EQ(log.CountContaining(L"(zadnych odkrytych jednostek)"), 1);
  cZapisGry().SaveAirReconUnits(L"save");
  cZapisGry().SaveAirshipAttacks(L"save");
  EXPECT_EQ(dir_.Read("save/airrecon_units.csv"), "#Hexes with units spoted with air recon");
  EXPECT_EQ(dir_.Read("save/airship_attacks.csv"), WideToUtf16Le(L"#Defender country ID;report"));
}

using StateTablesDeathTest = StateTablesTest;

TEST_F(StateTablesDeathTest, MissingMandatoryTablesAndBadKeywordsAreFatal) {
  const char* missing = "Error opening file! \\(not exists\\?\\)";
  EXPECT_EXIT((LogToStderr(), game().LoadTopography(request_)), ::testing::ExitedWithCode(1), missing);
  EXPECT_EXIT((LogToStderr(), LoadCitiesSupplyInfo(request_)), ::testing::ExitedWithCode(1), missing);
  WriteLoaded("cities_supply_info.csv", {"0;0;1;"});
  // The supply table alone is not enough: the convoy table is mandatory too.
  EXPECT_EXIT((LogToStderr(), LoadCitiesSupplyInfo(request_)), ::testing::ExitedWithCode(1),
              "cities_convoy_info[.]csv[^O]*Error opening file!");
  WriteLoaded("topography.csv", {"Country;1;", "Town;1;1;"});
  EXPECT_EXIT((LogToStderr(), game().LoadTopography(request_)), ::testing::ExitedWithCode(1),
              "line 2 in topography.csv has incorrect keyword \\(Town\\)");
}

}  // namespace
