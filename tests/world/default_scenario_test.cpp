// The shipped default scenario read by the readers the game has today: every
// table loads without a warning or an error, holds what the scenario
// promises, and the well-known facts of September 1939 hold on the map.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "core/csv_file.h"
#include "core/ini_file.h"
#include "persistence/load_request.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/consts.h"
#include "world/fleet.h"
#include "world/map_text.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

const wchar_t* const kScenario = kDefaultScenario;
const std::wstring kTemplate = ScenarioLoadRequest(kScenario).pathTemplate;
const char* const kFolder = "data/scenarios/AutumnStorm1939/";

// Reads the whole scenario once, from the source tree, with the log captured.
class DefaultScenario : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    before_ = new std::filesystem::path(std::filesystem::current_path());
    std::filesystem::current_path(BRENNMARK_SOURCE_DIR);
    log_ = new LogCapture();
    game_ = new GameFixture(1, 1);
    cGra& g = *game_->game;
    g.scenarioName = kScenario;
    const sLoadRequest request = ScenarioLoadRequest(kScenario);
    ASSERT_TRUE(LoadConsts(g.consts, kScenario, nullptr));
    g.LoadCountries(request, g.countries);
    delete g.map;
    g.map = new cMapa();
    g.map->LoadMapFile(kTemplate);
    g.LoadCities(request, g.cities);
    for (cMiasto* c : g.cities) g.map->GetHex(c->x, c->y)->city = c;
    g.LoadCommanders(request, g.commanders);
    g.LoadLandUnits(request, g.landUnits);
    g.LoadAirUnits(request, g.airUnits);
    g.LoadFleets(request, g.fleets);
    g.LoadNavalUnits(request, g.navalUnits);
    g.pathTemplate = kTemplate;
    g.seaGraph.LoadSeaNodes(kTemplate);
    g.CheckFleetSeaNodes();
    g.relations.LoadFromCsv(kTemplate, static_cast<int>(g.countries.size()));
    g.ValidateHexOwners();
    g.citiesDiagram.AddCityNodes(g.cities);
    g.citiesDiagram.LoadCitiesDiagram(kScenario);
    g.ComputeCityDistances();
    g.selection.ComputeWorldTopography();
    g.selection.BuildCityRegionGrid();
  }
  static void TearDownTestSuite() {
    delete game_;
    delete log_;
    std::filesystem::current_path(*before_);
    delete before_;
  }

  cGra& game() { return *game_->game; }
  cMapa& map() { return *game_->game->map; }
  int CountryId(const std::wstring& name) {
    for (const cPanstwo* c : game().countries)
      if (c->name == name) return c->id;
    ADD_FAILURE() << "no country " << WideToUtf8(name);
    return 0;
  }
  const cMiasto* City(const std::wstring& name) {
    for (const cMiasto* c : game().cities)
      if (c->name == name) return c;
    ADD_FAILURE() << "no city " << WideToUtf8(name);
    return nullptr;
  }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(std::string(BRENNMARK_SOURCE_DIR) + "/" + kFolder + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static std::filesystem::path* before_;
  static LogCapture* log_;
  static GameFixture* game_;
};

std::filesystem::path* DefaultScenario::before_ = nullptr;
LogCapture* DefaultScenario::log_ = nullptr;
GameFixture* DefaultScenario::game_ = nullptr;

TEST_F(DefaultScenario, EveryReaderTakesItsTableWithoutWarningOrError) {
  int bad = 0;
  for (const std::wstring& l : log_->Lines()) {
    if (l.find(L"WARNING") != std::wstring::npos || l.find(L"ERR") != std::wstring::npos ||
        l.find(L"Blad") != std::wstring::npos || l.find(L"critical") != std::wstring::npos) {
      ADD_FAILURE() << WideToUtf8(l);
      ++bad;
    }
  }
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(log_->Has(L"consts.csv opened. Reading values..."));
  // The unit tables: no air row dropped, no commander missing.
  EXPECT_EQ(log_->CountContaining(L"Invalid entr"), 0);
  EXPECT_EQ(log_->CountContaining(L"not found"), 0);
}

TEST_F(DefaultScenario, CountsAndSizeAreThoseOfTheWholeTheatre) {
  EXPECT_GE(map().width, 120);
  EXPECT_GE(map().height, 80);
  EXPECT_GE(game().countries.size(), 25u);
  EXPECT_GE(game().cities.size(), 150u);
  EXPECT_GE(game().commanders.size(), 25u);
  // Ids follow the rows 1, 2, 3 ... and every country read its constants.
  for (size_t i = 0; i < game().countries.size(); ++i) {
    EXPECT_EQ(game().countries[i]->id, static_cast<int>(i) + 1);
    EXPECT_EQ(game().countries[i]->consts.turnsPerMonth[8], game().consts.turnsPerMonth[8]);
  }
  for (size_t i = 0; i < game().commanders.size(); ++i) EXPECT_EQ(game().commanders[i]->id, static_cast<int>(i) + 1);
  // Every one of the 185 data lines reached its id: the hit points of the
  // ships (73) and the last three constants sit where they belong, which a
  // missing or extra line before them would shift.
  const sConsts& k = game().consts;
  EXPECT_EQ(k.shipHitPoints[1], 12);
  EXPECT_EQ(k.maxShipHitPoints, 12);
  EXPECT_EQ(k.extraHitLossChance, 10);
  EXPECT_EQ(k.sinkChance, 5);
  EXPECT_EQ(k.c185, 1.0f);
  // The derived supply tables: full effectiveness at full supply, less below.
  EXPECT_EQ(game().consts.supplyTable[sConsts::kEffectivenessTable][50], 100);
  EXPECT_LT(game().consts.supplyTable[sConsts::kEffectivenessTable][1], game().consts.supplyTable[sConsts::kEffectivenessTable][9]);
}

TEST_F(DefaultScenario, EveryLandHexBelongsToAPlayingCountryAndWaterToNone) {
  const int n = static_cast<int>(game().countries.size());
  int land = 0;
  for (const sHex& h : map().hexes) {
    if (h.terrain == kTerrainSea) {
      EXPECT_EQ(h.owner, 0);
      continue;
    }
    ++land;
    ASSERT_GE(h.owner, 1) << h.x << "," << h.y;
    ASSERT_LE(h.owner, n) << h.x << "," << h.y;
    EXPECT_NE(game().countries[h.owner - 1]->politicalStrength, -1) << "the placeholder owns no land";
    EXPECT_EQ(h.controller, h.owner);
    EXPECT_LE(h.terrain, 7);
  }
  EXPECT_GT(land, static_cast<int>(map().hexes.size()) / 3);
  // Exactly one placeholder that closes every impulse.
  int placeholders = 0;
  for (const cPanstwo* c : game().countries) placeholders += c->politicalStrength == -1;
  EXPECT_EQ(placeholders, 1);
}

TEST_F(DefaultScenario, FactsOfSeptember1939) {
  const int germany = CountryId(L"Germany");
  const int poland = CountryId(L"Poland");
  const int britain = CountryId(L"United Kingdom");
  const int france = CountryId(L"France");
  const int italy = CountryId(L"Italy");
  const int soviets = CountryId(L"Soviet Union");

  const cMiasto* berlin = City(L"Berlin");
  ASSERT_NE(berlin, nullptr);
  EXPECT_NE(map().GetHex(berlin->x, berlin->y)->terrain, kTerrainSea);
  EXPECT_EQ(berlin->GetOwner(), germany);
  EXPECT_EQ(berlin->GetController(), germany);

  const cMiasto* london = City(L"London");
  ASSERT_NE(london, nullptr);
  EXPECT_TRUE(london->IsPort());
  EXPECT_EQ(london->GetOwner(), britain);
  EXPECT_NE(map().GetHex(london->x, london->y)->seaZone, 0) << "a port is reached from the sea";

  // Vienna and Prague are German, Wilno Polish, Viipuri Finnish.
  EXPECT_EQ(City(L"Vienna")->GetOwner(), germany);
  EXPECT_EQ(City(L"Prague")->GetOwner(), germany);
  EXPECT_EQ(City(L"Wilno")->GetOwner(), poland);
  EXPECT_EQ(City(L"Viipuri")->GetOwner(), CountryId(L"Finland"));

  const cRelacje& r = game().relations;
  for (auto [a, b] : {std::pair{germany, poland}, {germany, britain}, {germany, france}}) {
    EXPECT_EQ(r.IsAtWar(a, b), 1);
    EXPECT_EQ(r.IsAtWar(b, a), 1);
  }
  EXPECT_EQ(r.IsAtWar(CountryId(L"Slovakia"), poland), 1);
  EXPECT_EQ(r.IsAtWar(germany, italy), 0);
  EXPECT_EQ(r.IsAtWar(soviets, poland), 0);
  EXPECT_EQ(r.IsAtWar(italy, britain), 0);

  // Alliances: the leaders of the three blocs, Italy still outside.
  EXPECT_EQ(game().countries[germany - 1]->alliance, 5);
  EXPECT_EQ(game().countries[britain - 1]->alliance, 4);
  EXPECT_EQ(game().countries[soviets - 1]->alliance, 6);
  EXPECT_EQ(game().countries[italy - 1]->alliance, 0);
}

TEST_F(DefaultScenario, CountriesThatFellWithTheirCapitalCountItAloneAndEveryCountryNamesItsUnits) {
  // Their far provinces and colonies must not keep them in the war.
  const std::pair<const wchar_t*, const wchar_t*> capitals[] = {
      {L"Poland", L"Warsaw"},         {L"France", L"Paris"},        {L"Netherlands", L"Amsterdam"},
      {L"Belgium", L"Brussels"},      {L"Luxembourg", L"Luxembourg"}, {L"Denmark", L"Copenhagen"},
      {L"Norway", L"Oslo"},           {L"Yugoslavia", L"Belgrade"}, {L"Greece", L"Athens"}};
  for (const auto& [country, capital] : capitals) {
    std::vector<std::wstring> counted;
    for (const cMiasto* c : game().cities)
      if (c->GetOwner() == CountryId(country) && c->victoryPoints > 0) counted.push_back(c->name);
    EXPECT_EQ(counted, std::vector<std::wstring>{capital}) << WideToUtf8(country);
  }
  int germanVictoryCities = 0;
  for (const cMiasto* c : game().cities)
    germanVictoryCities += c->GetOwner() == CountryId(L"Germany") && c->victoryPoints > 0 ? 1 : 0;
  EXPECT_GT(germanVictoryCities, 5);

  // A new unit of any playing country is named after its type.
  game().LoadUnitNames(ScenarioLoadRequest(kScenario));
  for (const cPanstwo* c : game().countries) {
    if (c->politicalStrength < 0) continue;
    for (int type : {0, 4, 20, 42}) {
      const wchar_t* part = c->GetNamePart(type);
      ASSERT_NE(part, nullptr) << WideToUtf8(c->name) << " type " << type;
      EXPECT_GT(std::wcslen(part), 3u) << WideToUtf8(c->name) << " type " << type;
    }
  }
}

TEST_F(DefaultScenario, CitiesStandOnLandOnePerHexAndPortsOnTheCoast) {
  std::set<std::pair<int, int>> seen;
  for (const cMiasto* c : game().cities) {
    ASSERT_TRUE(map().IsInside(c->x, c->y)) << WideToUtf8(c->name);
    const sHex* h = map().GetHex(c->x, c->y);
    EXPECT_NE(h->terrain, kTerrainSea) << WideToUtf8(c->name);
    EXPECT_TRUE(seen.insert({c->x, c->y}).second) << WideToUtf8(c->name);
    EXPECT_EQ(h->city, c);
    if (c->IsPort()) {
      bool water = false;
      for (int d = 0; d < 6; ++d) {
        const sHex* n = map().GetNeighbourHex(c->x, c->y, d);
        water = water || (n != nullptr && n->terrain == kTerrainSea);
      }
      EXPECT_TRUE(water) << WideToUtf8(c->name) << " is a port away from the sea";
    }
  }
}

// The sea graph has no reader yet; its table is read here with the CSV
// reader the game uses, row by row as the sea-node layout gives it.
TEST_F(DefaultScenario, EveryPortHasItsSeaNodeAndTheDanishStraitsAreGated) {
  cCsvFile nodes(L"data\\scenarios\\AutumnStorm1939\\sea_nodes.csv");
  ASSERT_TRUE(nodes.Ok());
  std::map<std::pair<int, int>, int> portNodes;
  std::map<std::wstring, int> zoneIds;
  int expected = 1;
  while (!nodes.Eof()) {
    if (nodes.ReadLine() < 10) continue;
    const auto& f = nodes.fields;
    ASSERT_EQ(std::stoi(f[0]), expected++) << "node ids run 1, 2, 3 ...";
    const int max = std::stoi(f[2]);
    const int x = std::stoi(f[4]), y = std::stoi(f[5]);
    if (max == 0) {
      zoneIds[f[1]] = std::stoi(f[0]);
      EXPECT_EQ(map().GetHex(x, y)->terrain, kTerrainSea);
    } else {
      EXPECT_LE(max, 9);
      portNodes[{x, y}] = std::stoi(f[0]);
    }
  }
  for (const cMiasto* c : game().cities) {
    if (c->IsPort()) {
      EXPECT_TRUE(portNodes.count({c->x, c->y})) << WideToUtf8(c->name) << " has no sea node";
    }
  }
  EXPECT_EQ(portNodes.size(), static_cast<size_t>(std::count_if(game().cities.begin(), game().cities.end(),
                                                                [](const cMiasto* c) { return c->IsPort(); })));

  const int kattegat = zoneIds[L"Skagerrak and Kattegat"];
  const int baltic = zoneIds[L"Western Baltic"];
  ASSERT_GT(kattegat, 0);
  ASSERT_GT(baltic, 0);
  std::set<int> northSea;
  for (const auto& [name, id] : zoneIds)
    if (name.find(L"North Sea") != std::wstring::npos) northSea.insert(id);
  ASSERT_FALSE(northSea.empty());
  std::istringstream edges(ReadFile("sea_edges.csv"));
  std::string line;
  int gated = 0;
  bool kattegatOpensOnTheNorthSea = false;
  while (std::getline(edges, line)) {
    if (line.empty() || line[0] == '#') continue;
    int from = 0, to = 0, gx = 0, gy = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d;%d;%d;%d", &from, &to, &gx, &gy), 4) << line;
    ASSERT_GE(from, 1);
    ASSERT_LE(to, expected - 1);
    if ((from == kattegat && to == baltic) || (from == baltic && to == kattegat)) {
      ASSERT_TRUE(map().IsInside(gx, gy));
      EXPECT_NE(map().GetHex(gx, gy)->terrain, kTerrainSea);
      EXPECT_EQ(map().GetHex(gx, gy)->owner, CountryId(L"Denmark"));
      ++gated;
    }
    if (from == kattegat && northSea.count(to) && gx == -1) kattegatOpensOnTheNorthSea = true;
  }
  EXPECT_EQ(gated, 2) << "the passage is listed both ways, each with its gate";
  EXPECT_TRUE(kattegatOpensOnTheNorthSea) << "the Baltic reaches the North Sea through the straits";
}

// The rows of the unit tables, read with the CSV reader alone and checked
// against the map the game read.
TEST_F(DefaultScenario, UnitsStandOnFriendlyLandOnePerHexAndShipsSailInFleets) {
  const auto sameSide = [this](int a, int b) {
    const int x = game().countries[a - 1]->alliance;
    const int y = game().countries[b - 1]->alliance;
    return a == b || (x != 0 && y != 0 && x % 3 == y % 3);
  };
  const int n = static_cast<int>(game().countries.size());
  std::set<std::pair<int, int>> occupied;
  size_t land = 0, air = 0;
  for (const auto& [file, minFields, count] :
       {std::tuple{L"land_units.csv", 33, &land}, std::tuple{L"air_units.csv", 19, &air}}) {
    cCsvFile table(std::wstring(L"data\\scenarios\\AutumnStorm1939\\") + file);
    ASSERT_TRUE(table.Ok());
    int expected = 1;
    while (!table.Eof()) {
      const int fields = table.ReadLine();
      if (fields == 0) continue;
      ASSERT_GE(fields, minFields) << WideToUtf8(file) << " line " << table.LineNumber();
      const auto& f = table.fields;
      EXPECT_EQ(std::stoi(f[0]), expected++);
      const int country = std::stoi(f[2]), x = std::stoi(f[3]), y = std::stoi(f[4]);
      ASSERT_TRUE(country >= 1 && country <= n);
      ASSERT_TRUE(map().IsInside(x, y)) << WideToUtf8(f[1]);
      const sHex* h = map().GetHex(x, y);
      EXPECT_NE(h->terrain, kTerrainSea) << WideToUtf8(f[1]);
      EXPECT_NE(h->terrain, kTerrainMountain) << WideToUtf8(f[1]);
      EXPECT_TRUE(sameSide(country, h->controller)) << WideToUtf8(f[1]) << " stands on foreign land";
      EXPECT_TRUE(occupied.insert({x, y}).second) << WideToUtf8(f[1]) << " shares its hex";
      ++*count;
    }
  }
  EXPECT_GE(land, 300u);
  EXPECT_GE(air, 60u);

  std::set<int> fleets;
  cCsvFile fleetTable(L"data\\scenarios\\AutumnStorm1939\\fleets.csv");
  ASSERT_TRUE(fleetTable.Ok());
  while (!fleetTable.Eof())
    if (fleetTable.ReadLine() >= 11) fleets.insert(std::stoi(fleetTable.fields[0]));
  size_t ships = 0;
  cCsvFile shipTable(L"data\\scenarios\\AutumnStorm1939\\naval_units.csv");
  ASSERT_TRUE(shipTable.Ok());
  while (!shipTable.Eof()) {
    if (shipTable.ReadLine() < 14) continue;
    const auto& f = shipTable.fields;
    const int type = std::stoi(f[3]);
    EXPECT_TRUE(type >= 40 && type <= 45) << WideToUtf8(f[1]);
    EXPECT_TRUE(fleets.count(std::stoi(f[4]))) << WideToUtf8(f[1]) << " belongs to no fleet";
    EXPECT_LE(std::stoi(f[5]), std::stoi(f[6]));
    ++ships;
  }
  EXPECT_GE(ships, 80u);
}

TEST_F(DefaultScenario, TheCitiesDiagramLinksCitiesAcrossTheContinent) {
  const cMiasto* berlin = City(L"Berlin");
  const cMiasto* warsaw = City(L"Warsaw");
  const cMiasto* madrid = City(L"Madrid");
  const cMiasto* london = City(L"London");
  ASSERT_TRUE(berlin && warsaw && madrid && london);
  EXPECT_GT(berlin->GetHopsTo(*warsaw), 0);
  EXPECT_GT(berlin->GetHopsTo(*madrid), berlin->GetHopsTo(*warsaw));
  // Britain is an island: no land hops reach it from Berlin.
  EXPECT_EQ(berlin->GetHopsTo(*london), -1);
}

TEST_F(DefaultScenario, InfoIniNamesTheScenarioAndItsStart) {
  cIniFile ini;
  ASSERT_TRUE(ini.Load(L"data\\scenarios\\AutumnStorm1939\\Info.ini"));
  EXPECT_EQ(ini.GetString("Save/ScenarioName", L""), kScenario);
  EXPECT_NE(ini.GetString("General_ENG/Name", L""), L"");
  // Turn 0 of September: the loader's first end of impulse moves it on to
  // turn 1, 1 September, the day the first turn shows.
  EXPECT_EQ(ini.GetInt("Save/GameMonth", 0), 9);
  EXPECT_EQ(ini.GetInt("Save/GameYear", 0), 1939);
  EXPECT_EQ(ini.GetInt("Save/Impulse", -1), 0);
  EXPECT_EQ(ini.GetInt("Save/GameDay", 0), 1);
  EXPECT_GT(ini.GetInt("Duration/Turns", 0), ini.GetInt("Save/Turn", 0));
  EXPECT_EQ(ini.GetInt("Map/SizeX", 0), map().width);
  EXPECT_EQ(ini.GetInt("Map/SizeY", 0), map().height);
}

TEST_F(DefaultScenario, TheMapFileSurvivesItsTextFormAndASave) {
  const std::string text = ReadFile("map.hwd");
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  sMapFileImage image;
  ASSERT_EQ(ParseMapFile(bytes.data(), bytes.size(), image), eMapFileError::kNone);
  EXPECT_EQ(bytes.size(), MapFileSize(image.header.width, image.header.height));
  sMapFileImage back;
  std::string error;
  ASSERT_TRUE(MapTextToFile(MapFileToText(image), back, error)) << error;
  const std::vector<uint8_t> again = SerializeMapFile(back);
  EXPECT_TRUE(again == bytes);

  // The map as loaded writes back the same bytes: nothing in it is changed
  // by reading (no owner on water, no river bits the reader would add).
  ScratchDir dir;
  ASSERT_TRUE(map().SaveMapFile(dir.Wide(), nullptr));
  const std::vector<uint8_t> saved = dir.Read("map.hwd");
  EXPECT_TRUE(saved == bytes);
}

// The unit readers take every row of the shipped tables.
TEST_F(DefaultScenario, UnitReadersTakeEveryRowAndShipsFindTheirFleets) {
  auto rows = [](const wchar_t* file, int minFields) {
    cCsvFile table(std::wstring(L"data\\scenarios\\AutumnStorm1939\\") + file);
    size_t n = 0;
    while (!table.Eof()) n += table.ReadLine() >= minFields;
    return n;
  };
  EXPECT_EQ(game().landUnits.size(), rows(L"land_units.csv", 33));
  EXPECT_EQ(game().airUnits.size(), rows(L"air_units.csv", 19));
  EXPECT_EQ(game().fleets.size(), rows(L"fleets.csv", 11));
  EXPECT_EQ(game().navalUnits.size(), rows(L"naval_units.csv", 14));
  std::set<int> fleetIds;
  for (const sFlota* f : game().fleets) fleetIds.insert(f->id);
  for (const cJednostkaMorska* s : game().navalUnits)
    EXPECT_TRUE(s->inReserve || fleetIds.count(s->fleetId)) << WideToUtf8(s->name);
  // Commanders named by units are with them.
  int attached = 0;
  for (const sDowodca* c : game().commanders) attached += c->unit != nullptr;
  EXPECT_GT(attached, 0);
}

TEST_F(DefaultScenario, WorldTopographySplitsTheIslandsFromTheContinent) {
  const cSelection& s = game().selection;
  const cMiasto* berlin = City(L"Berlin");
  const cMiasto* london = City(L"London");
  ASSERT_TRUE(berlin && london);
  auto groupOf = [&](const cMiasto* city) {
    int i = 0;
    for (const auto& g : s.cityGroups) {
      if (std::find(g.begin(), g.end(), city) != g.end()) return i;
      ++i;
    }
    return -1;
  };
  EXPECT_GE(groupOf(berlin), 0);
  EXPECT_NE(groupOf(berlin), groupOf(london));
  EXPECT_EQ(groupOf(City(L"Warsaw")), groupOf(berlin));
  EXPECT_EQ(groupOf(City(L"Madrid")), groupOf(berlin));
  // Every regular city lies in its own region and in exactly one group.
  for (const cMiasto* c : game().cities) {
    if (c->type == kCityResources) continue;
    EXPECT_EQ(s.GetRegionCity(c->x, c->y), c) << WideToUtf8(c->name);
    int groups = 0;
    for (const auto& g : s.cityGroups) groups += static_cast<int>(std::count(g.begin(), g.end(), c));
    EXPECT_EQ(groups, 1) << WideToUtf8(c->name);
  }
}

}  // namespace
