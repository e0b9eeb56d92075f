// The land, air, fleet and naval-unit tables: rows the readers take, pass
// over or refuse; a write, read and second write that agree byte for byte;
// the fleet the computer player picks for shore bombardment; and emptying a
// country's reserve pools.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <iterator>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/saver.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/temp_dir.h"
#include "units/reserve_pool.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/fleet.h"
#include "world/world_test_support.h"

namespace {

using world_test::GameFixture;
using world_test::LogCapture;

constexpr int kCountries = 5;

// A game of five countries on a 6 x 6 map, in a scratch folder that is the
// working directory; tables are written to "loaded".
class UnitTablesTest : public ::testing::Test {
 protected:
  UnitTablesTest() : dir_("unit_tables"), before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
    std::filesystem::create_directories("loaded");
    request_.pathTemplate = L"loaded\\%s";
    NewGame();
  }
  ~UnitTablesTest() override {
    game_.reset();
    std::filesystem::current_path(before_);
  }

  // Replaces the game by a fresh one with the same countries and commanders.
  void NewGame() {
    game_.reset();
    game_ = std::make_unique<GameFixture>(6, 6, kCountries);
    for (cPanstwo* c : game().countries) {
      c->consts.newMulberryMonths = 4.7f;
      c->consts.newMulberryStrength = 3.9f;
      c->consts.reserveSupplyLevel = 7;
    }
    for (int id : {7, 8}) {
      auto* c = new sDowodca();
      c->id = id;
      c->countryId = 1;
      game().commanders.push_back(c);
    }
  }
  cGra& game() { return *game_->game; }
  sDowodca* Commander(int id) { return game().GetCommander(id); }

  void Write(const std::string& name, const std::vector<std::string>& rows) {
    std::string text = "#legend";
    for (const std::string& r : rows) text += "\r\n" + r;
    dir_.Write("loaded/" + name, text);
  }
  std::string Read(const std::string& name) { return dir_.Read(name); }

  cTempDir dir_;
  std::filesystem::path before_;
  std::unique_ptr<GameFixture> game_;
  sLoadRequest request_;
  cZapisGry saver_;
};

std::vector<int> UnitIds(const auto& list) {
  std::vector<int> out;
  for (const auto* u : list) out.push_back(u->unitId);
  return out;
}

// A land row with every column its own value; the given columns replaced.
std::string LandRow(int id, int country, int x, int y, int type, const std::string& tail = "") {
  std::string row = std::to_string(id) + ";Unit " + std::to_string(id) + ";" + std::to_string(country) + ";" +
                    std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(type);
  return row + (tail.empty() ? ";3;88;4;1;0;2;3;5;-1;7;0;0.250000;2;6;1;2;3;4;9;11;12;-1;2;1;1;1;0;" : tail);
}

TEST_F(UnitTablesTest, LandRowsTakenPassedOverOrRefusedByTheirContents) {
  struct sCase {
    std::string row;
    bool loads;
    const wchar_t* logPart;  // null: nothing to tell
  };
  const std::vector<sCase> cases = {
      {LandRow(1, 1, 1, 2, 0), true, nullptr},
      {LandRow(2, 5, 3, 3, 5), true, nullptr},
      {"3;Short;1;1;1;0;1;100;3;0", false, L"has 10 fields, 33 needed"},
      {LandRow(4, 0, 1, 1, 0), false, L"line 5: land unit names country 0"},
      {LandRow(5, 6, 1, 1, 0), false, L"line 6: land unit names country 6"},
      {LandRow(6, 1, 1, 1, 20), false, L"line 7: type 20 is no land unit type"},
      {LandRow(7, 1, 1, 1, 7), false, L"type 7 is no land unit type"},
      {LandRow(8, 2, 4, 4, 60, ";1;50;3;1;1;2;3;5;-1;-1;0;0.500000;2;6;1;2;3;4;9;11;12;5;2;1;1;1;5;"), true, nullptr},
      {LandRow(9, 2, 5, 5, 60), true, nullptr},
      {LandRow(10, 3, -1, -1, 6, ";1;60;0;0;0;-1;-1;0;-1;-1;1;0.000000;0;0;-1;-1;-1;-1;10;0;4;-1;0;1;-1;-1;2;"), true,
       nullptr},
  };
  std::vector<std::string> rows;
  for (const sCase& c : cases) rows.push_back(c.row);
  Write("land_units.csv", rows);
  LogCapture log;
  game().LoadLandUnits(request_, game().landUnits);

  std::vector<int> expected;
  for (size_t i = 0; i < cases.size(); ++i) {
    if (cases[i].loads) expected.push_back(static_cast<int>(i) + 1);
    if (cases[i].logPart != nullptr) {
      EXPECT_EQ(log.CountContaining(cases[i].logPart), 1) << cases[i].row;
    }
  }
  EXPECT_EQ(UnitIds(game().landUnits), expected);
  EXPECT_EQ(log.CountContaining(L"WARNING"), 5);

  // Every column of a plain row reaches its field.
  const cJednostkaLadowa& u = *game().landUnits.front();
  EXPECT_EQ(u.name, L"Unit 1");
  EXPECT_EQ(u.category, kCategoryLand);
  EXPECT_EQ(u.level, 3);
  EXPECT_EQ(u.strength, 88);
  EXPECT_EQ(u.actionPoints, 4);
  EXPECT_EQ(u.attacked, 1);
  EXPECT_EQ(u.wasAttacked, 0);
  EXPECT_EQ(u.supplySourceX, 2);
  EXPECT_EQ(u.supplySourceY, 3);
  EXPECT_EQ(u.startingActionPoints, 5);
  EXPECT_EQ(u.transportShipId, -1);
  EXPECT_EQ(u.commander, Commander(7));
  EXPECT_EQ(Commander(7)->unit, *std::next(game().landUnits.begin())) << "with the last unit that names him";
  EXPECT_EQ(u.assignedCommanderId, -1);
  EXPECT_FLOAT_EQ(u.shoreBombardmentEffect, 0.25f);
  EXPECT_EQ(u.freezeTime, 2);
  EXPECT_EQ(u.aiOrder, 6);
  EXPECT_EQ(u.aiUltimateTargetY, 4);
  EXPECT_EQ(u.supply, 9);
  EXPECT_EQ(u.eventsEffect, 11);
  EXPECT_EQ(u.turnsFromLastParadrop, 12);
  EXPECT_EQ(u.turnsWithoutSupply, 2);
  EXPECT_EQ(u.lastX, 1);
  EXPECT_EQ(u.availableInTurns, 0);
  EXPECT_EQ(u.inReserve, 0);

  // Harbours: months from the row, or from the owner's constant for -1; the
  // pinned values whatever the row says; always on the map and available.
  auto it = std::next(game().landUnits.begin(), 2);
  const auto* h5 = dynamic_cast<const cMulberry*>(*it);
  const auto* hDefault = dynamic_cast<const cMulberry*>(*std::next(it));
  ASSERT_NE(h5, nullptr);
  ASSERT_NE(hDefault, nullptr);
  EXPECT_EQ(h5->unitId, 8);
  EXPECT_EQ(h5->monthsLeft, 5);
  EXPECT_EQ(hDefault->monthsLeft, 4);
  EXPECT_EQ(h5->strength, 3);
  EXPECT_EQ(h5->supply, 7);
  EXPECT_EQ(h5->supplySourceX, -1);
  EXPECT_EQ(h5->actionPoints, 0);
  EXPECT_EQ(h5->startingActionPoints, 0);
  EXPECT_EQ(h5->commander, nullptr);
  EXPECT_EQ(h5->spottedLevel, 6);
  EXPECT_EQ(h5->inReserve, 0);
  EXPECT_EQ(h5->availableInTurns, 0);
  EXPECT_EQ(h5->wasAttacked, 1);
  EXPECT_EQ(h5->aiUltimateTargetX, 3);
  // What a save writes of a harbour's state comes back with it.
  EXPECT_EQ(h5->aiUltimateTargetY, 4);
  EXPECT_EQ(h5->turnsWithoutSupply, 2);
  EXPECT_EQ(h5->trenchBonusMultiplier, 1);
  EXPECT_EQ(h5->lastX, 1);
  EXPECT_EQ(h5->lastY, 1);
  EXPECT_FLOAT_EQ(h5->shoreBombardmentEffect, 0.5f);

  // The reserve row keeps its flag; the loader moves it later.
  EXPECT_EQ(game().landUnits.back()->inReserve, 1);
  EXPECT_EQ(game().landUnits.back()->x, -1);
}

TEST_F(UnitTablesTest, AirRowsInReserveExactlyWhenOffTheMap) {
  const std::string tail = ";2;4;-1;0;0;-1;-1;1;1;";
  Write("air_units.csv", {
                             "1;On map;1;2;2;20" + tail + "0;10;1;0;",
                             "2;Reserve;1;-1;-1;21" + tail + "1;10;0;3;",
                             "3;Reserve at 3 4;2;3;4;22" + tail + "1;10;0;0;",
                             "4;Map at -1 -1;3;-1;-1;20" + tail + "0;10;0;0;",
                             "5;Recon two;1;1;1;20" + tail + "0;10;2;0;",
                             "6;Half off;1;-1;3;20" + tail + "0;10;0;0;",
                             "7;No country;9;1;1;20" + tail + "0;10;0;0;",
                             "8;Land type;1;1;1;4" + tail + "0;10;0;0;",
                             "9;Short;1;1;1;20;2;4",
                         });
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  LogCapture log;
  game().LoadAirUnits(request_, game().airUnits);

  EXPECT_EQ(UnitIds(game().airUnits), (std::vector<int>{1, 2, 5, 6}));
  const cJednostkaLotnicza& first = *game().airUnits.front();
  EXPECT_EQ(first.category, kCategoryAir);
  EXPECT_EQ(first.strength, 4);
  EXPECT_EQ(first.reconDone, 1);
  EXPECT_EQ(first.effectiveness, 100);
  EXPECT_EQ((*std::next(game().airUnits.begin(), 2))->reconDone, 0) << "recon done is true for 1 only";
  EXPECT_TRUE(log.Has(L"Air unit On map (ID=1 CountryID=1) added"));

  // The dropped rows are listed after the whole file, and told once.
  const int listed = log.IndexOf(L"Invalid entries from air_units.csv:");
  ASSERT_GE(listed, 0);
  EXPECT_EQ(log.Lines()[static_cast<size_t>(listed) + 1], L"Reserve at 3 4;3;4;2");
  EXPECT_EQ(log.Lines()[static_cast<size_t>(listed) + 2], L"Map at -1 -1;-1;-1;3");
  EXPECT_EQ(log.CountContaining(L"Invalid entry in air_units.csv"), 2);
  ASSERT_EQ(fe.Count("MessageBox"), 1);
  EXPECT_NE(fe.calls.back().text.find(L"|air_units.csv"), std::wstring::npos);
  EXPECT_EQ(log.CountContaining(L"line 8: air unit names country 9"), 1);
  EXPECT_EQ(log.CountContaining(L"line 9: type 4 is no air unit type"), 1);
}

TEST_F(UnitTablesTest, FleetsAndShipsReadAsWrittenWithNamesVerbatim) {
  Write("fleets.csv", {"3;Force 100%s;2;4;1;1;4;6;10;11;0;", "1;Home;1;2;0;0;0;-1;-1;-1;1;", "5;Lost;8;2;0;0;0;-1;-1;-1;1;",
                       "6;Short;1;2"});
  Write("naval_units.csv", {"10;Hood;1;41;1;9;12;8;0;1;1;0;1;1;", "11;Spare;1;43;-1;4;4;-1;1;0;0;2;0;0;",
                            "12;Bad type;1;20;1;4;4;-1;0;0;0;0;0;0;", "13;Bad country;0;41;1;4;4;-1;0;0;0;0;0;0;"});
  LogCapture log;
  game().LoadFleets(request_, game().fleets);
  game().LoadNavalUnits(request_, game().navalUnits);

  ASSERT_EQ(game().fleets.size(), 2u);
  const sFlota& raiders = *game().fleets.front();
  EXPECT_EQ(raiders.name, L"Force 100%s");
  EXPECT_EQ(raiders.id, 3);
  EXPECT_EQ(raiders.countryId, 2);
  EXPECT_EQ(raiders.seaNode, 4);
  EXPECT_EQ(raiders.formation, 1);
  EXPECT_EQ(raiders.hasMoved, 1);
  EXPECT_EQ(raiders.order, 4);
  EXPECT_EQ(raiders.destinationNode, 6);
  EXPECT_EQ(raiders.invasionX, 10);
  EXPECT_EQ(raiders.invasionY, 11);
  EXPECT_EQ(raiders.isActive, 0);
  EXPECT_EQ(raiders.sourceLine, 2);
  EXPECT_TRUE(raiders.ships.empty());
  EXPECT_TRUE(log.Has(L"Added fleet Force 100%s (ID=3 CountryID=2 Location=4)"));
  EXPECT_EQ(log.CountContaining(L"line 4: fleet names country 8"), 1);

  EXPECT_EQ(UnitIds(game().navalUnits), (std::vector<int>{10, 11}));
  const cJednostkaMorska& hood = *game().navalUnits.front();
  EXPECT_EQ(hood.category, kCategoryNaval);
  EXPECT_EQ(hood.fleetId, 1);
  EXPECT_EQ(hood.fleet, nullptr) << "ships enter their fleets after loading";
  EXPECT_EQ(hood.hitPoints, 9);
  EXPECT_EQ(hood.maxHitPoints, 12);
  EXPECT_EQ(hood.commander, Commander(8));
  EXPECT_EQ(Commander(8)->unit, &hood);
  EXPECT_EQ(hood.shoreBombardmentDone, 1);
  EXPECT_EQ(hood.airstrikeDone, 1);
  EXPECT_EQ(hood.reconDone, 1);
  EXPECT_EQ(hood.canBeRepaired, 1);
  const cJednostkaMorska& spare = *game().navalUnits.back();
  EXPECT_EQ(spare.inReserve, 1);
  EXPECT_EQ(spare.fleetId, -1);
  EXPECT_EQ(spare.availableInTurns, 2);
  EXPECT_EQ(log.CountContaining(L"line 4: type 20 is no naval unit type"), 1);
  EXPECT_EQ(log.CountContaining(L"line 5: naval unit names country 0"), 1);
}

TEST_F(UnitTablesTest, RepeatedIdsAndMissingSeaNodesEndTheProgramNamingFileAndLine) {
  struct sCase {
    const char* file;
    std::vector<std::string> rows;
    std::string message;
  };
  const std::string air = ";2;4;-1;0;0;-1;-1;1;1;0;10;0;0;";
  const std::string ship = ";1;41;1;9;12;-1;0;0;0;0;0;1;";
  const std::vector<sCase> cases = {
      {"land_units.csv", {LandRow(4, 1, 1, 1, 0), LandRow(5, 1, 2, 2, 0), LandRow(4, 2, 3, 3, 0)},
       "land_units.csv line 4: land unit ID=4 is used already"},
      {"land_units.csv", {LandRow(4, 1, 1, 1, 60), LandRow(4, 2, 3, 3, 0)}, "line 3: land unit ID=4"},
      {"land_units.csv", {LandRow(7, 1, 1, 1, 0), LandRow(7, 2, 3, 3, 0)}, "Blad: Numer ID=7 sie powtarza"},
      {"air_units.csv", {"2;A;1;1;1;20" + air, "2;B;1;2;2;20" + air}, "air_units.csv line 3: air unit ID=2"},
      {"air_units.csv", {"3;A;1;1;1;20" + air, "3;B;1;2;2;20" + air}, "Numer ID=3 jednostki lotniczej sie powtarza"},
      {"naval_units.csv", {"9;A" + ship, "9;B" + ship}, "naval_units.csv line 3: naval unit ID=9"},
      {"fleets.csv", {"1;A;1;2;0;0;0;-1;-1;-1;1;", "1;B;2;2;0;0;0;-1;-1;-1;1;"}, "fleets.csv line 3: fleet ID=1"},
      {"fleets.csv", {"1;A;1;0;0;0;0;-1;-1;-1;1;"}, "fleets.csv line 2: fleet A \\(ID=1\\) stands on sea node 0"},
  };
  for (const sCase& c : cases) {
    Write(c.file, c.rows);
    const std::string file = c.file;
    auto load = [&] {
      LogToStderr();
      if (file == "land_units.csv") game().LoadLandUnits(request_, game().landUnits);
      if (file == "air_units.csv") game().LoadAirUnits(request_, game().airUnits);
      if (file == "naval_units.csv") game().LoadNavalUnits(request_, game().navalUnits);
      if (file == "fleets.csv") game().LoadFleets(request_, game().fleets);
    };
    EXPECT_EXIT(load(), ::testing::ExitedWithCode(1), c.message) << c.message;
  }
}

TEST_F(UnitTablesTest, FleetsOnNodesBeyondTheSeaGraphAreRefusedOnceTheGraphIsRead) {
  Write("fleets.csv", {"1;Near;1;2;0;0;0;-1;-1;-1;1;", "2;Far;1;3;0;0;0;-1;-1;-1;1;"});
  game().pathTemplate = request_.pathTemplate;
  game().LoadFleets(request_, game().fleets);  // no graph yet: both load
  ASSERT_EQ(game().fleets.size(), 2u);
  naval_test::AddZone(*game_, 0, 0);
  naval_test::AddZone(*game_, 1, 0);
  EXPECT_EXIT((LogToStderr(), game().CheckFleetSeaNodes()), ::testing::ExitedWithCode(1),
              "fleets.csv line 3: fleet Far \\(ID=2\\) stands on sea node 3, which does not exist");
  // With the graph read first, the reader refuses the row at once.
  EXPECT_EXIT((LogToStderr(), game().LoadFleets(request_, game().fleets)), ::testing::ExitedWithCode(1),
              "fleets.csv line 3: fleet Far");
  // Once the graph has the node, the check lets the fleets be (a failure
  // would end this test's process).
  naval_test::AddZone(*game_, 2, 0);
  game().CheckFleetSeaNodes();
  EXPECT_EQ(game().fleets.size(), 2u);
}

TEST_F(UnitTablesTest, ReadingAgainKeepsOnlyTheSecondFileAndNoPointerToWhatWasFreed) {
  Write("land_units.csv", {LandRow(1, 1, 1, 2, 0), LandRow(2, 1, 3, 3, 0)});
  game().LoadLandUnits(request_, game().landUnits);
  cJednostkaLadowa* placed = game().landUnits.front();
  game_->hex(1, 2).unit = placed;
  Write("fleets.csv", {"1;Home;1;2;0;0;0;-1;-1;-1;1;"});
  Write("naval_units.csv", {"10;Hood;1;41;1;9;12;8;0;1;1;0;1;1;"});
  game().LoadFleets(request_, game().fleets);
  game().LoadNavalUnits(request_, game().navalUnits);
  cJednostkaMorska* hood = game().navalUnits.front();
  hood->fleet = game().fleets.front();
  game().fleets.front()->ships.push_back(hood);

  Write("land_units.csv", {LandRow(5, 2, 4, 4, 1, ";3;88;4;1;0;2;3;5;-1;-1;0;0.0;2;6;1;2;3;4;9;11;12;-1;2;1;1;1;0;")});
  game().LoadLandUnits(request_, game().landUnits);
  EXPECT_EQ(UnitIds(game().landUnits), std::vector<int>{5});
  EXPECT_EQ(game_->hex(1, 2).unit, nullptr);
  EXPECT_EQ(Commander(7)->unit, nullptr) << "the units that named him are gone";

  game().LoadFleets(request_, game().fleets);
  EXPECT_EQ(hood->fleet, nullptr);
  hood->fleet = game().fleets.front();
  game().fleets.front()->ships.push_back(hood);
  game().LoadNavalUnits(request_, game().navalUnits);
  EXPECT_TRUE(game().fleets.front()->ships.empty());
  EXPECT_EQ(UnitIds(game().navalUnits), std::vector<int>{10});
}

TEST_F(UnitTablesTest, TablesWrittenReadAndWrittenAgainAreTheSameBytes) {
  cGra& g = game();
  auto land = [&](int id, int x, int y, int type) {
    auto* u = new cJednostkaLadowa();
    u->unitId = id;
    u->SetName(L"Land \u00e9 " + std::to_wstring(id));
    u->countryId = 1 + id % kCountries;
    u->x = x, u->y = y;
    u->SetType(type);
    u->level = 2, u->strength = 40 + id, u->actionPoints = 3, u->attacked = 1, u->wasAttacked = 0;
    u->supplySourceX = 1, u->supplySourceY = 4, u->startingActionPoints = 5, u->shoreBombardmentEffect = 1.5f;
    u->freezeTime = 2, u->aiOrder = 3, u->aiTargetX = 4, u->aiTargetY = 5, u->aiUltimateTargetX = 6;
    u->aiUltimateTargetY = 7, u->supply = 8, u->eventsEffect = -9, u->turnsFromLastParadrop = 10;
    u->turnsWithoutSupply = 11, u->trenchBonusMultiplier = 12, u->lastX = 13, u->lastY = 14, u->availableInTurns = 0;
    return u;
  };
  g.landUnits.push_back(land(3, 1, 1, 4));
  g.landUnits.back()->commander = Commander(7);
  // A harbour as its row loads: the pinned values are what it keeps.
  auto* harbour = new cMulberry();
  harbour->unitId = 4, harbour->countryId = 2, harbour->x = 2, harbour->y = 2, harbour->level = 1;
  harbour->SetName(L"Harbour");
  harbour->SetType(kTypeMulberry);
  harbour->monthsLeft = 3, harbour->wasAttacked = 1, harbour->aiOrder = 2, harbour->aiUltimateTargetX = 5;
  harbour->SetStrength(-1), harbour->SetSupplyLevel(-1), harbour->spottedLevel = 6;
  g.landUnits.push_back(harbour);
  g.transportedUnits.push_back(land(5, -1, -1, 1));
  g.transportedUnits.back()->transportShipId = 21;
  g.amphibiousUnits.push_back(land(6, -1, -1, 0));
  g.reserve.push_back(land(2, -1, -1, 6));
  // Reserve units hold the reserve's supply level, which the loader gives them.
  g.reserve.back()->inReserve = 1, g.reserve.back()->supply = 7;

  auto* fighter = new cJednostkaLotnicza();
  fighter->unitId = 1, fighter->countryId = 3, fighter->x = 4, fighter->y = 4, fighter->SetType(kTypeFighter);
  fighter->SetName(L"Wing"), fighter->level = 2, fighter->strength = 6, fighter->commander = Commander(8);
  fighter->attacked = 1, fighter->supplySourceX = 3, fighter->supplySourceY = 2, fighter->actionPoints = 1;
  fighter->startingActionPoints = 2, fighter->supply = 9, fighter->reconDone = 1;
  g.airUnits.push_back(fighter);
  auto* bomber = new cJednostkaLotnicza();
  bomber->unitId = 2, bomber->countryId = 1, bomber->SetType(kTypeStrategicBomber), bomber->SetName(L"Bombers");
  bomber->inReserve = 1, bomber->availableInTurns = 3, bomber->strength = 5;
  bomber->supply = 7;
  g.reserve.push_back(bomber);

  sFlota* home = naval_test::AddFleet(*game_, 2, 3, {kTypeBattleship, kTypeCargo}, 7);
  home->SetName(L"Home 50%");
  home->formation = 1, home->order = 4, home->destinationNode = 5, home->invasionX = 1, home->invasionY = 2;
  naval_test::AddFleet(*game_, 4, 1, {kTypeSubmarine});
  g.navalUnits.front()->commander = Commander(8);
  g.navalUnits.front()->shoreBombardmentDone = 1;
  g.navalUnits.back()->reconDone = 1;
  cJednostkaMorska* spare = naval_test::NewShip(2, kTypeCruiser, 4, L"Spare");
  spare->unitId = 300, spare->inReserve = 1, spare->availableInTurns = 2, spare->canBeRepaired = 1;
  spare->commander = Commander(7);  // kept while the ship waits in reserve
  g.navalReserve.push_back(spare);

  const std::vector<std::string> files = {"land_units.csv", "air_units.csv", "fleets.csv", "naval_units.csv"};
  auto saveAll = [&](const std::wstring& folder) {
    saver_.SaveLandUnits(folder);
    saver_.SaveAirUnits(folder);
    saver_.SaveFleets(folder);
    saver_.SaveNavalUnits(folder);
  };
  saveAll(L"loaded");
  std::vector<std::string> first;
  for (const std::string& f : files) first.push_back(Read("loaded/" + f));

  NewGame();
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  LogCapture log;
  game().LoadLandUnits(request_, game().landUnits);
  game().LoadAirUnits(request_, game().airUnits);
  game().LoadFleets(request_, game().fleets);
  game().LoadNavalUnits(request_, game().navalUnits);
  EXPECT_EQ(log.CountContaining(L"WARNING"), 0);
  EXPECT_EQ(fe.Count("MessageBox"), 0);
  game().ExtractNavalReservePool();
  game().ExtractReservePools();
  std::filesystem::create_directories("again");
  saveAll(L"again");
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(Read("again/" + files[i]), first[i]) << files[i];

  // What the rows carry, as the game sees it again.
  EXPECT_EQ(UnitIds(game().landUnits), (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(game().landUnits.front()->name, L"Land \u00e9 3");
  EXPECT_EQ(game().landUnits.front()->commander, Commander(7));
  EXPECT_EQ((*std::next(game().landUnits.begin(), 2))->transportShipId, 21);
  EXPECT_EQ(dynamic_cast<cMulberry*>(*std::next(game().landUnits.begin()))->monthsLeft, 3);
  EXPECT_EQ(UnitIds(game().reserve), (std::vector<int>{2, 2}));  // land 2, then air 2
  EXPECT_EQ(game().reserve[0]->category, kCategoryLand);
  EXPECT_EQ(game().reserve[1]->category, kCategoryAir);
  EXPECT_EQ(game().fleets.front()->name, L"Home 50%");
  EXPECT_EQ(game().navalUnits.front()->fleetId, 1);
  EXPECT_EQ(game().navalReserve.front()->unitId, 300);
  ASSERT_NE(game().navalReserve.front()->commander, nullptr);
  EXPECT_EQ(game().navalReserve.front()->commander->id, 7);

  // The layout the other readers of these files expect.
  const std::string& air = first[1];
  EXPECT_EQ(air.rfind("#Air units\r\n#ID;Name;", 0), 0u);
  EXPECT_NE(air.find("Available in turns\r\n#On map\r\n1;Wing;3;4;4;20;2;6;8;1;0;3;2;1;2;0;9;1;0;\r\n#In reserve\r\n"
                     "2;Bombers;1;-1;-1;22;"),
            std::string::npos);
  EXPECT_NE(first[0].find("\r\n4;Harbour;2;2;2;60;1;3;0;0;1;-1;-1;0;-1;-1;0;0.000000;0;2;-1;-1;5;-1;7;0;"),
            std::string::npos);
  EXPECT_NE(first[0].find(";1.500000;"), std::string::npos);
  EXPECT_NE(first[3].find("\r\n#In reserve\r\n300;Spare;2;42;-1;4;4;7;1;0;0;2;0;1;"), std::string::npos);
  EXPECT_NE(first[2].find("\r\n1;Home 50%;2;3;1;0;4;5;1;2;1;"), std::string::npos);
  for (const std::string& text : first) EXPECT_NE(text.back(), '\n') << "a table ends without a line break";
}

TEST_F(UnitTablesTest, EmptyPoolsStillWriteTheirSectionLines) {
  saver_.SaveAirUnits(L"loaded");
  saver_.SaveNavalUnits(L"loaded");
  EXPECT_EQ(Read("loaded/air_units.csv").substr(Read("loaded/air_units.csv").size() - 22),
            "\r\n#On map\r\n#In reserve");
  EXPECT_NE(Read("loaded/naval_units.csv").find("[0=false 1=true]\r\n#On map\r\n#In reserve"), std::string::npos);
}

TEST_F(UnitTablesTest, BombardmentFleetHasMostUnusedGunshipsLowerIdOnTies) {
  GameFixture& g = *game_;
  // Country 1 on node 2: fleets 1 and 2 with two gunships each (and a
  // carrier that never counts), fleet 3 elsewhere, fleet 4 of country 2.
  sFlota* f1 = naval_test::AddFleet(g, 1, 2, {kTypeBattleship, kTypeCruiser, kTypeCarrier});
  sFlota* f2 = naval_test::AddFleet(g, 1, 2, {kTypeCruiser, kTypeCruiser, kTypeSubmarine});
  sFlota* f3 = naval_test::AddFleet(g, 1, 5, {kTypeBattleship, kTypeBattleship, kTypeBattleship});
  sFlota* f4 = naval_test::AddFleet(g, 2, 2, {kTypeBattleship, kTypeBattleship, kTypeBattleship});
  auto marks = [&](const sFlota* f) {
    std::string s;
    for (const cJednostkaMorska* ship : f->ships) s += ship->transferMark ? '1' : '0';
    return s;
  };
  f3->ships.front()->transferMark = 1;  // an old mark, cleared by the pick

  EXPECT_EQ(game().FindBombardmentFleet(1, 2), f1);
  EXPECT_EQ(marks(f1), "110");
  EXPECT_EQ(marks(f2), "000");
  EXPECT_EQ(marks(f3), "000");
  EXPECT_EQ(marks(f4), "000");

  // One of fleet 1's gunships has fired: fleet 2 now has more.
  f1->ships.front()->shoreBombardmentDone = 1;
  EXPECT_EQ(game().FindBombardmentFleet(1, 2), f2);
  EXPECT_EQ(marks(f1), "000");
  EXPECT_EQ(marks(f2), "110");
  EXPECT_EQ(game().FindBombardmentFleet(2, 2), f4);
  EXPECT_EQ(marks(f4), "111");

  // All gunships on the node have fired: none, and the marks stay.
  for (sFlota* f : {f1, f2})
    for (cJednostkaMorska* s : f->ships) s->shoreBombardmentDone = 1;
  EXPECT_EQ(game().FindBombardmentFleet(1, 2), nullptr);
  EXPECT_EQ(marks(f4), "111");
  EXPECT_EQ(game().FindBombardmentFleet(3, 2), nullptr);
}

TEST_F(UnitTablesTest, KillingACountrysReserveKeepsTheOthersInOrder) {
  auto add = [&](int id, int country, bool air) {
    cJednostka* u = air ? static_cast<cJednostka*>(new cJednostkaLotnicza()) : new cJednostkaLadowa();
    u->unitId = id;
    u->countryId = country;
    game().reserve.push_back(u);
  };
  add(1, 2, false), add(2, 1, true), add(3, 2, true), add(4, 3, false), add(5, 2, false);
  Commander(7)->unit = game().reserve[0];
  game().reserve[0]->commander = Commander(7);
  KillAllUnitsInReserve(4);
  EXPECT_EQ(UnitIds(game().reserve), (std::vector<int>{1, 2, 3, 4, 5}));
  KillAllUnitsInReserve(2);
  EXPECT_EQ(UnitIds(game().reserve), (std::vector<int>{2, 4}));
  EXPECT_EQ(Commander(7)->unit, nullptr) << "no commander keeps a freed unit";

  for (int id : {10, 11, 12}) {
    cJednostkaMorska* s = naval_test::NewShip(id == 11 ? 1 : 2, kTypeCruiser);
    s->unitId = id;
    game().navalReserve.push_back(s);
  }
  KillAllNavalUnitsInReserve(2);
  EXPECT_EQ(UnitIds(game().navalReserve), (std::vector<int>{11}));
}

}  // namespace

TEST_F(UnitTablesTest, RowsWriteEveryFieldAsThePrintfLayoutWould) {
  // Extreme and negative values in every field, checked against the rows as
  // the table's printf layout writes them.
  auto* land = new cJednostkaLadowa();
  land->SetType(kTypeAirborne);
  land->SetName(L"Grenadiers \u00e9");
  const int values[] = {INT_MIN, INT_MAX, -1, 0, 1234567, -98765, 7};
  size_t next = 0;
  for (int* f : {&land->unitId, &land->countryId, &land->x, &land->y, &land->level, &land->strength,
                 &land->actionPoints, &land->supplySourceX, &land->supplySourceY, &land->startingActionPoints,
                 &land->transportShipId, &land->freezeTime, &land->aiOrder, &land->aiTargetX, &land->aiTargetY,
                 &land->aiUltimateTargetX, &land->aiUltimateTargetY, &land->supply, &land->eventsEffect,
                 &land->turnsFromLastParadrop, &land->turnsWithoutSupply, &land->lastX, &land->lastY,
                 &land->availableInTurns})
    *f = values[next++ % std::size(values)];
  land->unitId = 12;
  land->shoreBombardmentEffect = -2.25f;
  game().landUnits.push_back(land);
  auto* air = new cJednostkaLotnicza();
  air->SetType(kTypeFighter);
  air->SetName(L"Wing");
  air->unitId = 2147483647, air->countryId = -2147483647 - 1, air->x = -1, air->y = 0, air->strength = 99999;
  air->actionPoints = -40, air->supply = 1000000, air->availableInTurns = -7;
  game().airUnits.push_back(air);
  saver_.SaveLandUnits(L"loaded");
  saver_.SaveAirUnits(L"loaded");

  const cJednostkaLadowa& u = *land;
  const std::string landRow = Format(
      "\r\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%f;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;",
      u.unitId, "Grenadiers \xE9", u.countryId, u.x, u.y, u.type, u.level, u.strength, u.actionPoints, u.attacked,
      u.wasAttacked, u.supplySourceX, u.supplySourceY, u.startingActionPoints, u.transportShipId, -1, u.inReserve,
      -2.25, u.freezeTime, u.aiOrder, u.aiTargetX, u.aiTargetY, u.aiUltimateTargetX, u.aiUltimateTargetY, u.supply,
      u.eventsEffect, u.turnsFromLastParadrop, -1, u.turnsWithoutSupply, u.trenchBonusMultiplier, u.lastX, u.lastY,
      u.availableInTurns);
  EXPECT_NE(Read("loaded/land_units.csv").find(landRow), std::string::npos) << landRow;
  EXPECT_NE(landRow.find(";-2147483648;"), std::string::npos);
  EXPECT_NE(landRow.find(";-2.250000;"), std::string::npos);
  const cJednostkaLotnicza& a = *air;
  const std::string airRow =
      Format("\r\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", a.unitId, "Wing", a.countryId, a.x, a.y,
             a.type, a.level, a.strength, -1, a.attacked, a.wasAttacked, a.supplySourceX, a.supplySourceY,
             a.actionPoints, a.startingActionPoints, a.inReserve, a.supply, a.reconDone, a.availableInTurns);
  EXPECT_NE(Read("loaded/air_units.csv").find(airRow), std::string::npos) << airRow;
}
