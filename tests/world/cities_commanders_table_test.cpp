// The cities and commanders tables: their columns, short rows, fields
// that hold no number, and a missing file.
#include <gtest/gtest.h>

#include <cstdint>

#include "persistence/load_request.h"
#include "world/city.h"
#include "world/commander.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

class Tables : public ::testing::Test {
 protected:
  Tables() : g(20, 20) { request.pathTemplate = dir.Template(); }
  void Write(const std::string& name, const std::string& text) { dir.cTempDir::Write(name, text); }
  std::wstring PathOf(const std::string& name) const { return Utf8ToWide((dir.path() / name).string()); }

  ScratchDir dir;
  GameFixture g;
  sLoadRequest request;
};
using TablesDeathTest = Tables;

TEST_F(Tables, CitiesFillTheirRecords) {
  Write("cities.csv",
        "#Name;Hex X;Hex Y;Type [0=supply 1=normal 2=supply+port 3=port 4=resources];Victory Points;Production "
        "Points;Supply;Production Points Losses In Strategic Bombardment\r\n"
        "Orlin;4;5;2;3;12.5;7;1\r\n"
        "Kessa;6;7;4;0;2.25;0;0;\r\n");
  std::list<cMiasto*> cities = {new cMiasto()};  // replaced by the table's
  LogCapture log;
  g.game->LoadCities(request, cities);
  ASSERT_EQ(cities.size(), 2u);
  const cMiasto* c = cities.front();
  EXPECT_EQ(c->name, L"Orlin");
  EXPECT_EQ(c->x, 4);
  EXPECT_EQ(c->y, 5);
  EXPECT_EQ(c->type, kCitySupplyPort);
  EXPECT_EQ(c->victoryPoints, 3);
  EXPECT_EQ(c->productionPoints, 12.5f);
  EXPECT_EQ(c->supply, 7);
  EXPECT_EQ(c->bombardmentLosses, 1);
  EXPECT_EQ(c->diagramIndex, -1);
  EXPECT_EQ(cities.back()->type, kCityResources);
  EXPECT_EQ(cities.back()->productionPoints, 2.25f);
  EXPECT_TRUE(log.Has(L"Otwieram plik z miastami ze sciezka..."));
  EXPECT_TRUE(log.Has(PathOf("cities.csv")));
  EXPECT_TRUE(log.Has(L"Added city: Orlin"));
  EXPECT_TRUE(log.Has(L"Added city: Kessa"));
  for (cMiasto* city : cities) delete city;
}

TEST_F(Tables, ShortAndOffMapCityRowsAreRefused) {
  Write("cities.csv",
        "Short;1;1;1;0;1.0;0\r\n"
        "Far;25;1;1;0;1.0;0;0\r\n"
        "Gap;1;;2;1;0;1.0;0;0\r\n"
        "Fine;2;2;1;0;1.0;0;0\r\n" +
            std::string(120, 'N') + ";3;3;1;0;1;0;0\r\n");
  std::list<cMiasto*> cities;
  LogCapture log;
  g.game->LoadCities(request, cities);
  ASSERT_EQ(cities.size(), 3u);
  // An empty field vanishes: the row reads as Gap at (1, 2), type 1 ...
  EXPECT_EQ(cities.front()->name, L"Gap");
  EXPECT_EQ(cities.front()->y, 2);
  EXPECT_EQ((*std::next(cities.begin()))->name, L"Fine");
  EXPECT_EQ(cities.back()->name, std::wstring(99, L'N'));
  const std::wstring path = PathOf("cities.csv");
  EXPECT_TRUE(log.Has(L"WARNING: " + path + L" line 1 has 7 fields, 8 needed"));
  EXPECT_TRUE(log.Has(L"WARNING: city Far (25, 1) of " + path + L" line 2 lies outside the map; city skipped"));
  for (cMiasto* city : cities) delete city;
}

TEST_F(Tables, NumberColumnsThatHoldNoNumberReadAsZero) {
  Write("cities.csv",
        "Bad;1;x;1;0;1.0;0;0\r\n"
        "BadReal;3;4;2;5;lots;6;7\r\n"
        "Prefix;5abc;6;1;2.9;nan;-3;9x\r\n");
  std::list<cMiasto*> cities;
  g.game->LoadCities(request, cities);
  ASSERT_EQ(cities.size(), 3u);
  auto it = cities.begin();
  const cMiasto* bad = *it++;
  EXPECT_EQ(bad->x, 1);
  EXPECT_EQ(bad->y, 0);
  EXPECT_EQ(bad->type, 1);
  const cMiasto* badReal = *it++;
  EXPECT_EQ(badReal->productionPoints, 0.0f);
  EXPECT_EQ(badReal->victoryPoints, 5);
  EXPECT_EQ(badReal->supply, 6);
  EXPECT_EQ(badReal->bombardmentLosses, 7);
  // A field is read as the number it starts with.
  const cMiasto* prefix = *it;
  EXPECT_EQ(prefix->x, 5);
  EXPECT_EQ(prefix->victoryPoints, 2);
  EXPECT_EQ(prefix->productionPoints, 0.0f);
  EXPECT_EQ(prefix->supply, -3);
  EXPECT_EQ(prefix->bombardmentLosses, 9);
  for (cMiasto* city : cities) delete city;

  Write("commanders.csv", "9;Bad;1;0;x;1;0\r\n11;Big;99999999999;1;2;3;4\r\n");
  std::vector<sDowodca*> commanders;
  g.game->LoadCommanders(request, commanders);
  ASSERT_EQ(commanders.size(), 2u);
  EXPECT_EQ(commanders[0]->id, 9);
  EXPECT_EQ(commanders[0]->skill, 0);
  EXPECT_EQ(commanders[0]->experience, 1);
  EXPECT_EQ(commanders[1]->countryId, INT32_MAX);
  for (sDowodca* commander : commanders) delete commander;
}

TEST_F(Tables, CommandersKeepTheirNamesAsText) {
  Write("commanders.csv",
        "#Commanders\n\r\n"
        "#ID;Name;Country ID;Type [0=land 1=air 2=naval];Skill;Experience;State [0=not assigned 1=on his way to HQ "
        "2=assigned]\r\n"
        "7;Gen. 100% %s Brand;2;1;5;3;2\r\n"
        "8;Short;1;0;1;1\r\n"
        "10;Vell;3;2;4;0;0;\r\n");
  std::vector<sDowodca*> commanders = {new sDowodca()};
  LogCapture log;
  g.game->LoadCommanders(request, commanders);
  ASSERT_EQ(commanders.size(), 2u);
  const sDowodca* c = commanders[0];
  EXPECT_EQ(c->id, 7);
  EXPECT_EQ(c->name, L"Gen. 100% %s Brand");
  EXPECT_EQ(c->countryId, 2);
  EXPECT_EQ(c->type, 1);
  EXPECT_EQ(c->skill, 5);
  EXPECT_EQ(c->experience, 3);
  EXPECT_EQ(c->state, 2);
  EXPECT_EQ(c->unit, nullptr);
  EXPECT_EQ(commanders[1]->id, 10);
  EXPECT_EQ(commanders[1]->type, 2);
  const std::wstring path = PathOf("commanders.csv");
  EXPECT_TRUE(log.Has(L"Added commander Gen. 100% %s Brand (ID=7 CountryID=2)"));
  EXPECT_TRUE(log.Has(L"WARNING: " + path + L" line 4 has 6 fields, 7 needed"));
  EXPECT_TRUE(log.HasPrefix(L"Otwieram plik z dow"));
  for (sDowodca* commander : commanders) delete commander;
}

TEST_F(TablesDeathTest, AMissingTableTearsTheGameDown) {
  EXPECT_EXIT((LogToStderr(), g.game->LoadCities(request, g.game->cities)), ::testing::ExitedWithCode(1),
              "cities.csv\nBlad otwarcia pliku! \\(nie istnieje\\?\\)(.|\n)*---- Destroying done");
  EXPECT_EXIT((LogToStderr(), g.game->LoadCommanders(request, g.game->commanders)), ::testing::ExitedWithCode(1),
              "commanders.csv\nBlad otwarcia pliku! \\(nie istnieje\\?\\)(.|\n)*---- Destroying done");
}

}  // namespace
