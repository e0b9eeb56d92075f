// Effects on the map, cities, ports, weather, the scenario flags and the
// view, through the effects table; and every hex effect given a position
// off the map.
#include "effects_test_support.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/sea_graph.h"

namespace {

using effects_test::EffectsTest;
using unit_test::AddCity;
using unit_test::PlaceLand;

TEST_F(EffectsTest, StripesChangeTheirColumnOrAreRefusedWithTheMessage) {
  Run(L"HexStripe.ChangeControllerAndOwner", {10, 5, 3, 2});
  for (int y = 0; y < 12; ++y) {
    const bool inStripe = y >= 5 && y <= 7;
    EXPECT_EQ(hex(10, y).controller, inStripe ? 2 : 0) << y;
    EXPECT_EQ(hex(10, y).owner, inStripe ? 2 : 0) << y;
    EXPECT_EQ(hex(10, y).originalOwner, 0) << y;
  }
  cLogCapture log;
  Run(L"HexStripe.ChangeControllerAndOwner", {10, 10, 3, 3});
  Run(L"HexStripe.ChangeControllerOwnerAndOriginalOwner", {4, 1, 0, 3});
  EXPECT_TRUE(log.Has(L"Error: HexStripe.ChangeControllerAndOwner(10 10 3 3) incorrect parameter(s)! Ignoring this..."));
  EXPECT_TRUE(log.Has(L"Error: HexStripe.ChangeControllerAndOwner(4 1 0 3) incorrect parameter(s)! Ignoring this..."));
  EXPECT_EQ(hex(10, 10).controller, 0);
  EXPECT_EQ(hex(10, 11).controller, 0);

  Run(L"HexStripe.ChangeControllerOwnerAndOriginalOwner", {4, 11, 1, 3});
  EXPECT_EQ(hex(4, 11).originalOwner, 3);
  EXPECT_EQ(hex(4, 11).controller, 3);
}

TEST_F(EffectsTest, StripeSendsUnitsThatAreNotFriendsOfTheNewControllerToTheReserve) {
  country(2).alliance = 1;
  country(3).alliance = 4;  // allied with 2
  cJednostkaLadowa* enemy = PlaceLand(g, 1, 6, 2);
  cJednostkaLadowa* friendly = PlaceLand(g, 3, 6, 3);
  Run(L"HexStripe.ChangeControllerAndOwner", {6, 2, 2, 2});
  EXPECT_EQ(hex(6, 2).unit, nullptr);
  EXPECT_TRUE(enemy->IsInReserve());
  EXPECT_EQ(hex(6, 3).unit, friendly);
  EXPECT_FALSE(friendly->IsInReserve());
}

TEST_F(EffectsTest, FortificationsCitiesAndPortsKeepTheirLimits) {
  hex(3, 3).fort = 3;
  Run(L"Hex.ChangeFortLevel", {3, 3, 20});
  EXPECT_EQ(hex(3, 3).fort, 9);
  hex(3, 3).fort = 3;
  Run(L"Hex.ChangeFortLevel", {3, 3, -5});
  EXPECT_EQ(hex(3, 3).fort, 0);
  hex(3, 3).fort = 3;
  Run(L"Hex.ChangeFortLevel", {3, 3, 253.5});
  EXPECT_EQ(hex(3, 3).fort, 9) << "a large rise must not wrap round the byte";
  hex(3, 3).fort = 3;
  Run(L"Hex.ChangeFortLevel", {3, 3, 1.9});
  EXPECT_EQ(hex(3, 3).fort, 4);
  Run(L"Hex.SetFortLevel", {3, 3, 12});
  EXPECT_EQ(hex(3, 3).fort, 12) << "set is not clamped";

  cMiasto* city = AddCity(g, 5, 5, kCityRegular, 1);
  city->supply = 4;
  city->productionPoints = 10.0f;
  Run(L"City.ChangeOwnSupply", {5, 5, -10});
  EXPECT_EQ(city->supply, 0);
  Run(L"City.ChangeOwnSupply", {5, 5, 6.7});
  EXPECT_EQ(city->supply, 6);
  Run(L"City.SetOwnSupply", {5, 5, -2});
  EXPECT_EQ(city->supply, 0);
  Run(L"City.SetOwnSupply", {5, 5, 8});
  EXPECT_EQ(city->supply, 8);
  Run(L"City.ChangeProductionPoints", {5, 5, -12.5});
  EXPECT_FLOAT_EQ(city->productionPoints, -2.5f) << "not clamped";
  Run(L"City.SetProductionPoints", {5, 5, 3.25});
  EXPECT_FLOAT_EQ(city->productionPoints, 3.25f);
  Run(L"City.SetType", {5, 5, 3});
  EXPECT_EQ(city->type, kCityPort);
  Run(L"City.SetType", {6, 6, 0});  // no city there: nothing to change

  const int zone = naval_test::AddZone(g, 0, 11);
  const int port = naval_test::AddPort(g, 5, 5, 5, 1);
  sWezelGrafuMorz& node = game().seaGraph.nodes[static_cast<size_t>(port) - 1];
  const struct {
    const wchar_t* method;
    double value;
    int expected;
  } ports[] = {{L"Port.SetSize", 0, 1},     {L"Port.SetSize", 15, 10},    {L"Port.SetSize", 5.7, 5},
               {L"Port.ChangeSize", 2, 7},  {L"Port.ChangeSize", -20, 1}, {L"Port.ChangeSize", 8.5, 9},
               {L"Port.ChangeSize", 1, 10}, {L"Port.ChangeSize", 4, 10}};
  for (const auto& k : ports) {
    Run(k.method, {static_cast<double>(port), k.value});
    EXPECT_EQ(node.maxSize, k.expected) << WideToUtf8(k.method) << " " << k.value;
  }
  Run(L"Port.SetSize", {static_cast<double>(zone), 4});
  EXPECT_EQ(game().seaGraph.nodes[static_cast<size_t>(zone) - 1].maxSize, 0) << "a sea zone has no port size";
}

TEST_F(EffectsTest, WeatherAreasChangeLandHexesOfTheRectangleOnly) {
  hex(3, 2).terrain = kTerrainSea;
  Run(L"New.StartWinterArea", {2, 1, 4, 3, 0});
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y) {
      const bool inside = x >= 2 && x <= 4 && y >= 1 && y <= 3 && !(x == 3 && y == 2);
      EXPECT_EQ(hex(x, y).weather, inside ? kWeatherWinter : kWeatherClear) << x << "," << y;
      EXPECT_EQ(hex(x, y).weatherApplies, inside ? 0 : 1) << x << "," << y;
    }
  Run(L"New.StartMudArea", {4, 3, 5, 3, 1});
  EXPECT_EQ(hex(4, 3).weather, kWeatherMud);
  EXPECT_EQ(hex(4, 3).weatherApplies, 1);
  Run(L"New.EndWinterArea", {2, 1, 4, 3});
  EXPECT_EQ(hex(2, 1).weather, kWeatherClear);
  EXPECT_EQ(hex(2, 1).weatherApplies, 1);
  EXPECT_EQ(hex(4, 3).weather, kWeatherClear) << "an end clears whatever the weather was";
  Run(L"New.StartMudArea", {6, 6, 5, 6, 0});
  EXPECT_EQ(hex(6, 6).weather, kWeatherClear) << "an empty range changes nothing";
  Run(L"New.EndMudArea", {5, 3, 5, 3});
  EXPECT_EQ(hex(5, 3).weather, kWeatherClear);
}

TEST_F(EffectsTest, WeatherAreaReachingOffTheMapLeavesTheFirstHexAlone) {
  cLogCapture log;
  Run(L"New.StartWinterArea", {10, 10, 13, 14, 0});
  EXPECT_EQ(hex(0, 0).weather, kWeatherClear);
  EXPECT_EQ(hex(0, 0).weatherApplies, 1);
  EXPECT_EQ(hex(11, 11).weather, kWeatherWinter);
  EXPECT_EQ(hex(10, 10).weather, kWeatherWinter);
  EXPECT_TRUE(log.Has(L"Effect New.StartWinterArea at line 7: 16 positions of the area lie off the map; skipped"));
}

TEST_F(EffectsTest, FlagsAreSetAndChangedWithinTheirRange) {
  cLogCapture log;
  Run(L"Flag.SetValue", {39999, 5});
  EXPECT_EQ(game().scenarioFlags[39999], 5);
  Run(L"Flag.ChangeValue", {39999, -7.9});
  EXPECT_EQ(game().scenarioFlags[39999], -2);
  Run(L"Flag.SetValue", {40000, 1});
  Run(L"Flag.SetValue", {-1, 1});
  EXPECT_TRUE(log.Has(L"ERR: Flag.SetValue arg out of range: 40000, max is 40000"));
  EXPECT_TRUE(log.Has(L"ERR: Flag.SetValue arg out of range: -1, max is 40000"));
  Run(L"Flag.ChangeValue", {40000, 1});
  Run(L"Flag.ChangeValue", {-1, 1});
  EXPECT_EQ(game().scenarioFlags.size(), 40000u);
  int nonZero = 0;
  for (int32_t f : game().scenarioFlags) nonZero += f != 0;
  EXPECT_EQ(nonZero, 1);
  game().scenarioFlags[0] = 2147483647;
  Run(L"Flag.ChangeValue", {0, 1});
  EXPECT_EQ(game().scenarioFlags[0], -2147483647 - 1) << "a 32-bit sum wraps";
}

TEST_F(EffectsTest, ViewIsStoredForTheCountryLeadingThePlayOrderOnly) {
  for (cPanstwo* c : game().countries) c->cameraScale = -100.0f;
  game().map->cameraMaxX = game().map->cameraMaxY = 10000;
  cLogCapture log;
  Run(L"View.CenterAt", {4, 3});
  EXPECT_TRUE(log.Has(L"Effect View.CenterAt at line 7: no country leads the play order; no view stored"));
  for (cPanstwo* c : game().countries) EXPECT_EQ(c->cameraScale, -100.0f);

  country(2).humanControlled = 1;
  gCurrentMapScale = 0.5f;
  Run(L"View.CenterAt", {4, 3});
  EXPECT_EQ(game().map->cameraTargetX, 332.0f);
  EXPECT_EQ(game().map->cameraTargetY, 294.0f);
  EXPECT_EQ(country(2).cameraX, 332.0f);
  EXPECT_EQ(country(2).cameraY, 294.0f);
  EXPECT_EQ(country(2).cameraScale, 0.5f);
  EXPECT_EQ(country(1).cameraScale, -100.0f);
  EXPECT_EQ(country(3).cameraScale, -100.0f);
  gCurrentMapScale = 1.0f;
}

TEST_F(EffectsTest, HexEffectsOffTheMapSkipWithALogLineAndLeaveTheFirstHexAlone) {
  cMiasto* city = AddCity(g, 0, 0, kCityRegular, 2);
  city->supply = 4;
  cJednostkaLadowa* unit = PlaceLand(g, 2, 0, 0);
  hex(0, 0).fort = 1;
  const std::vector<std::pair<const wchar_t*, std::vector<double>>> effects = {
      {L"Hex.SetFortLevel", {-1, 3, 5}},
      {L"Hex.ChangeFortLevel", {12, 0, 5}},
      {L"City.SetOwnSupply", {0, -1, 9}},
      {L"City.ChangeOwnSupply", {0, 12, 9}},
      {L"City.SetProductionPoints", {40, 40, 9}},
      {L"City.ChangeProductionPoints", {-5, 0, 9}},
      {L"City.SetType", {0, 99, 3}},
      {L"Unit.Teleport", {-1, 0, 5, 5}},
      {L"Unit.Freeze", {0, 12, 4}},
      {L"Unit.FreezeIfOwnedByCountry", {12, 12, 4, 2}},
      {L"Unit.Unfreeze", {-3, -3}},
      {L"Hex.KillUnit", {12, 0}},
      {L"Hex.AddLandUnit", {20, 20, 2, 0, 1, 100}},
      {L"Hex.AddUnitAndPassControlOverHexIfEmpty", {0, 30, 1, 0, 1, 100}},
      {L"Hex.AddAirUnit", {1, 15, 0, 20, 1, 10}},
      {L"Hex.AddMulberry", {1, 50, 0}},
      {L"City.FirePartisans", {0, 20, 1, 0, 1, 50}},
      {L"View.CenterAt", {12, 12}},
      {L"AI.AddDoNotAttackCity", {1, -3, 0}},
      {L"AI.AddExtraCityToGarrison", {1, 0, -3}},
      {L"AI.AddPortForObligatoryInvasion", {1, 12, 0, 0}},
      {L"AI.RemovePortForObligatoryInvasion", {1, 12, 0}},
      {L"Country.AddConvoy", {1, 0, 5, 0, 0, 30, 30}},
      {L"Country.RemoveConvoy", {1, 0, 30, 30, 0, 0}},
  };
  const size_t landUnits = game().landUnits.size();
  cLogCapture log;
  for (const auto& [method, params] : effects) {
    log.Clear();
    Run(method, params, L"Name");
    EXPECT_EQ(log.CountContaining(L"lies off the map; skipped"), 1) << WideToUtf8(method);
  }
  EXPECT_EQ(hex(0, 0).fort, 1);
  EXPECT_EQ(city->supply, 4);
  EXPECT_EQ(city->type, kCityRegular);
  EXPECT_EQ(hex(0, 0).unit, unit);
  EXPECT_EQ(unit->freezeTime, 0);
  EXPECT_EQ(hex(0, 0).controller, 2);
  EXPECT_EQ(game().landUnits.size(), landUnits);
  EXPECT_TRUE(game().airUnits.empty());
  EXPECT_TRUE(game().reserve.empty());
  EXPECT_TRUE(country(1).ai.doNotAttackCities.empty());
  EXPECT_TRUE(country(1).ai.extraCitiesToGarrison.empty());
  EXPECT_TRUE(country(1).ai.obligatorySeaInvasionTargets.empty());
  EXPECT_EQ(country(1).productionPoints, 0.0);
}

}  // namespace
