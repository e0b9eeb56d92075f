// The game object: states, lookups, victory points and scores, the passes
// over the world and the teardown.
#include "world/game.h"

#include <gtest/gtest.h>

#include "ai/ai.h"
#include "core/front_end.h"
#include "events/event_manager.h"
#include "persistence/auto_events.h"
#include "support/recording_front_end.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/reports.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

using FrontEndScope = cFrontEndScope;

cMiasto* AddCity(GameFixture& g, int x, int y, int vp, float pp, int controller, const wchar_t* name = L"City") {
  auto* c = new cMiasto();
  c->x = x;
  c->y = y;
  c->victoryPoints = vp;
  c->productionPoints = pp;
  c->name = name;
  g.hex(x, y).controller = static_cast<uint8_t>(controller);
  g.game->cities.push_back(c);
  return c;
}

// ---- state ---------------------------------------------------------------

TEST(GameState, EveryChangeIsLogged) {
  GameFixture g(1, 1);
  EXPECT_EQ(g.game->GetState(), kStateConstructed);
  LogCapture log;
  g.game->SetState(kStateHumanPlays);
  g.game->SetState(kStateComputerMoveShown);
  EXPECT_EQ(g.game->GetState(), 10);
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"---- Game state = 7", L"---- Game state = 10"}));
  EXPECT_EQ(g.game->date.month, 9);
  EXPECT_EQ(g.game->date.year, 1939);
  EXPECT_EQ(gGra, g.game);
}

TEST(GameState, HumanCountriesAndTheirMusic) {
  GameFixture g(1, 1);
  g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  cPanstwo* c = g.AddCountry(3);
  EXPECT_FALSE(g.game->HasHumanCountry());
  b->humanControlled = 1;
  b->active = 0;
  EXPECT_FALSE(g.game->HasHumanCountry());
  c->humanControlled = 1;
  EXPECT_TRUE(g.game->HasHumanCountry());

  // Country b has no play list of its own; c has.
  struct Music : cRecordingFrontEnd {
    bool PlayCountryMusic(int id) override {
      cRecordingFrontEnd::PlayCountryMusic(id);
      return id == 3 || (id == -1 && defaultList);
    }
    bool defaultList = true;
  } fe;
  FrontEndScope scope(&fe);
  EXPECT_TRUE(g.game->StartHumanCountryMusic());
  ASSERT_EQ(fe.calls.size(), 3u);
  EXPECT_EQ(fe.calls[0].name, "StopMusic");
  EXPECT_EQ(fe.calls[1].value, b->id);
  EXPECT_EQ(fe.calls[2].value, c->id);
  c->humanControlled = 0;
  fe.calls.clear();
  fe.defaultList = false;
  EXPECT_FALSE(g.game->StartHumanCountryMusic());
  EXPECT_EQ(fe.calls.back().value, -1);
}

// ---- lookups -------------------------------------------------------------

TEST(GameLookups, CommandersShipsAndFleets) {
  GameFixture g(1, 1);
  for (int id : {4, 5, 5}) {
    auto* c = new sDowodca();
    c->id = id;
    g.game->commanders.push_back(c);
  }
  LogCapture log;
  EXPECT_EQ(g.game->GetCommander(-1), nullptr);
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(g.game->GetCommander(5), g.game->commanders[1]);
  EXPECT_EQ(g.game->GetCommander(9), nullptr);
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Commander with ID=9 not found"}));

  auto* ship = new cJednostkaMorska();
  ship->unitId = 12;
  g.game->navalUnits.push_back(ship);
  EXPECT_EQ(g.game->FindNavalUnitById(12), ship);
  EXPECT_EQ(g.game->FindNavalUnitById(13), nullptr);

  auto fleet = [&](int country, int node, bool moved) {
    auto* f = new sFlota();
    f->countryId = country;
    f->seaNode = node;
    f->hasMoved = moved ? 1 : 0;
    g.game->fleets.push_back(f);
    return f;
  };
  fleet(1, 3, false);
  sFlota* moved = fleet(1, 3, true);
  fleet(2, 3, true);
  EXPECT_EQ(g.game->FindMovedFleetAt(3, 1), moved);
  EXPECT_EQ(g.game->FindMovedFleetAt(4, 1), nullptr);
}

TEST(GameLookups, CountryByAlliance) {
  GameFixture g(1, 1);
  g.AddCountry(2);
  cPanstwo* axisLeader = g.AddCountry(5);
  g.AddCountry(5);
  cPanstwo* alliesLeader = g.AddCountry(4);
  EXPECT_EQ(g.game->FindCountryByAlliance(0), nullptr);
  EXPECT_EQ(g.game->FindCountryByAlliance(7), nullptr);
  EXPECT_EQ(g.game->FindCountryByAlliance(2), axisLeader);
  EXPECT_EQ(g.game->FindCountryByAlliance(5), axisLeader);
  EXPECT_EQ(g.game->FindCountryByAlliance(1), alliesLeader);
  EXPECT_EQ(g.game->FindCountryByAlliance(3), nullptr);
  EXPECT_EQ(g.game->GetCountry(0), nullptr);
  EXPECT_EQ(g.game->GetCountry(2), axisLeader);
  EXPECT_EQ(g.game->GetCountry(5), nullptr);
}

TEST(GameLookups, UnitIdsInUseByKind) {
  GameFixture g(1, 1);
  g.game->landUnits.push_back(new TestLandUnit(1, 1));
  auto* carried = new TestLandUnit(1, 2);
  g.game->transportedUnits.push_back(carried);
  g.game->amphibiousUnits.push_back(new TestLandUnit(1, 3));
  g.game->airUnits.push_back(new TestAirUnit(1, 4));
  g.game->reserve.push_back(new TestLandUnit(1, 5));
  g.game->reserve.push_back(new TestAirUnit(1, 6));
  for (int id : {1, 2, 3, 5}) EXPECT_TRUE(g.game->IsLandUnitIdUsed(id)) << id;
  for (int id : {4, 6, 7}) EXPECT_FALSE(g.game->IsLandUnitIdUsed(id)) << id;
  for (int id : {4, 6}) EXPECT_TRUE(g.game->IsAirUnitIdUsed(id)) << id;
  for (int id : {1, 5, 7}) EXPECT_FALSE(g.game->IsAirUnitIdUsed(id)) << id;
  EXPECT_TRUE(carried->IsInReserve() == false);
}

// ---- victory points and scores -------------------------------------------

TEST(GameScores, VictoryPointsOfCountriesAndAlliances) {
  GameFixture g(6, 1);
  cPanstwo* member = g.AddCountry(1);
  cPanstwo* leader = g.AddCountry(4);
  cPanstwo* axis = g.AddCountry(2);
  AddCity(g, 0, 0, 5, 0, member->id);
  AddCity(g, 1, 0, 7, 0, leader->id);
  AddCity(g, 2, 0, 11, 0, axis->id);
  AddCity(g, 3, 0, 13, 0, member->id);
  AddCity(g, 4, 0, 17, 0, 9);  // a controller id past the countries: no alliance's
  EXPECT_EQ(g.game->GetCountryVictoryPoints(member->id), 18);
  EXPECT_EQ(g.game->GetCountryVictoryPoints(9), 17);
  EXPECT_EQ(g.game->GetCountryVictoryPoints(axis->id), 11);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(1), 25);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(4), 25);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(5), 11);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(3), 0);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(7), -1);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(0), -1);
}

TEST(GameScores, CityHeldByNobodyIsSkippedWithAWarning) {
  GameFixture g(3, 1);
  cPanstwo* a = g.AddCountry(1);
  AddCity(g, 0, 0, 5, 2.0f, a->id);
  AddCity(g, 1, 0, 40, 9.0f, 0, L"Lost City");
  LogCapture log;
  EXPECT_EQ(g.game->GetCountryVictoryPoints(a->id), 5);
  EXPECT_EQ(g.game->GetAllianceVictoryPoints(1), 5);
  EXPECT_EQ(g.game->ComputeCountryScore(a->id), 7);
  ASSERT_EQ(log.lines.size(), 3u);
  EXPECT_EQ(log.lines[0],
            L"WARNING: City Lost City is not controlled by any country (controller id = 0)! (Counting country VPs) - city "
            L"skipped");
  EXPECT_EQ(log.lines[1],
            L"WARNING: City Lost City is not controlled by any country (controller id = 0)! (Counting alliance VPs) - "
            L"city skipped");
}

TEST(GameScores, ScoreSumsInSinglePrecision) {
  GameFixture g(3, 1);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  // 2^24 + 1 cannot be held in single precision: the unit sum stays 2^24.
  g.game->landUnits.push_back(new TestLandUnit(a->id, 1, 16777216.0f));
  g.game->landUnits.push_back(new TestLandUnit(a->id, 2, 1.0f));
  g.game->landUnits.push_back(new TestLandUnit(b->id, 3, 500.0f));
  g.game->transportedUnits.push_back(new TestLandUnit(a->id, 4, 0.5f));
  g.game->airUnits.push_back(new TestAirUnit(b->id, 5, 7.25f));
  g.game->reserve.push_back(new TestAirUnit(b->id, 6, 1.5f));
  auto ship = [&](int country, int hp, bool reserve) {
    auto* s = new cJednostkaMorska();
    s->countryId = country;
    s->hitPoints = hp;
    if (reserve)
      g.game->navalReserve.push_back(s);
    else
      g.game->navalUnits.push_back(s);
  };
  ship(b->id, 3, false);
  ship(b->id, 4, true);
  AddCity(g, 0, 0, 10, 2.4f, b->id);
  // In double precision this would be 16777217.
  EXPECT_EQ(g.game->ComputeCountryScore(a->id), 16777216);
  // 500 + 7.25 + 1.5 + 3 + 4 + 10 + 2.4 = 528.15, truncated.
  EXPECT_EQ(g.game->ComputeCountryScore(b->id), 528);
  EXPECT_EQ(g.game->ComputeCountryScore(9), 0);
}

// ---- passes --------------------------------------------------------------

TEST(GamePasses, InvalidHexOwnersAreReportedOnce) {
  cRecordingFrontEnd fe;
  FrontEndScope scope(&fe);
  GameFixture g(2, 2, 2);
  for (sHex& h : g.map().hexes) h.controller = h.owner = h.originalOwner = 1;
  LogCapture log;
  g.game->ValidateHexOwners();
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(fe.Count("MessageBox"), 0);
  g.hex(1, 0).controller = 3;
  g.hex(1, 0).originalOwner = 0;
  g.hex(0, 1).owner = 0;
  g.hex(1, 1).terrain = kTerrainSea;
  g.hex(1, 1).owner = 9;  // sea hexes are not checked
  g.game->ValidateHexOwners();
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"ERR: Hex (0, 1) ma nieprawidlowego wlasciciela (0)",
                                                  L"ERR: Hex (1, 0) ma nieprawidlowego posiadacza (3)",
                                                  L"ERR: Hex (1, 0) ma nieprawidlowego wlasciciela pierwotnego (0)"}));
  ASSERT_EQ(fe.Count("MessageBox"), 1);
  EXPECT_EQ(fe.calls.back().text, L"Logged invalid controllers/owners/orig owners of hexes|Invalid ctr ids on hexes");
}

TEST(GamePasses, KillingTheFirstUnitOfACountry) {
  GameFixture g(1, 1);
  int deaths = 0;
  g.game->landUnits.push_back(new TestLandUnit(2, 1, 0, &deaths));
  g.game->landUnits.push_back(new TestLandUnit(1, 2, 0, &deaths));
  g.game->landUnits.push_back(new TestLandUnit(1, 3, 0, &deaths));
  g.game->airUnits.push_back(new TestAirUnit(1, 4, 0, &deaths));
  EXPECT_TRUE(g.game->KillFirstLandUnitOfCountry(1));
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(g.game->landUnits.size(), 2u);
  EXPECT_EQ(g.game->landUnits.back()->unitId, 3);
  EXPECT_TRUE(g.game->KillFirstLandUnitOfCountry(1));
  EXPECT_FALSE(g.game->KillFirstLandUnitOfCountry(1));
  EXPECT_TRUE(g.game->KillFirstAirUnitOfCountry(1));
  EXPECT_FALSE(g.game->KillFirstAirUnitOfCountry(1));
  EXPECT_EQ(deaths, 3);
  EXPECT_EQ(g.game->landUnits.front()->countryId, 2);
}

TEST(GamePasses, SurrenderRetiresCommandersAndSupplySources) {
  GameFixture g(5, 1);
  for (int country : {1, 2, 1}) {
    auto* c = new sDowodca();
    c->countryId = country;
    c->state = 2;
    g.game->commanders.push_back(c);
  }
  g.game->RetireCommandersOfCountry(1);
  EXPECT_EQ(g.game->commanders[0]->state, 0);
  EXPECT_EQ(g.game->commanders[1]->state, 2);
  EXPECT_EQ(g.game->commanders[2]->state, 0);

  const int types[5] = {0, 1, 2, 3, 4};
  for (int x = 0; x < 5; ++x) {
    cMiasto* c = AddCity(g, x, 0, 0, 0, 1);
    c->type = types[x];
    g.hex(x, 0).originalOwner = 1;
  }
  cMiasto* other = AddCity(g, 0, 0, 0, 0, 1);
  other->type = 0;
  g.hex(0, 0).originalOwner = 1;
  g.game->RemoveSupplySourcesOfCountry(2);
  EXPECT_EQ(g.game->cities.front()->type, 0);
  g.game->RemoveSupplySourcesOfCountry(1);
  std::vector<int> after;
  for (const cMiasto* c : g.game->cities) after.push_back(c->type);
  EXPECT_EQ(after, (std::vector<int>{1, 1, 3, 3, 4, 1}));
  g.game->cities.front()->searchMark = 1;
  g.game->ClearCitySearchMarks();
  EXPECT_EQ(g.game->cities.front()->searchMark, 0);
}

TEST(GamePasses, EffectivityByOriginalOwnerAndByArea) {
  GameFixture g(6, 6);
  cPanstwo* allies = g.AddCountry(1);  // group 2
  cPanstwo* axis = g.AddCountry(2);    // group 1
  cPanstwo* neutral = g.AddCountry(0);  // group 4
  auto unit = [&](int country, int x, int y) {
    auto* u = new TestLandUnit(country, static_cast<int>(g.game->landUnits.size()) + 1);
    u->x = x;
    u->y = y;
    g.game->landUnits.push_back(u);
    return u;
  };
  TestLandUnit* onOwn = unit(allies->id, 1, 1);
  TestLandUnit* onLost = unit(allies->id, 2, 2);
  TestLandUnit* onTaken = unit(allies->id, 4, 4);
  TestLandUnit* axisOnAllied = unit(axis->id, 3, 3);
  TestLandUnit* offMap = unit(allies->id, -1, -1);
  TestLandUnit* neutralUnit = unit(neutral->id, 5, 5);
  for (sHex& h : g.map().hexes) h.controller = h.originalOwner = static_cast<uint8_t>(allies->id);
  // Allied land the axis now holds still counts as the allied country's;
  // axis land the allies took does not.
  g.hex(2, 2).controller = static_cast<uint8_t>(axis->id);
  g.hex(4, 4).originalOwner = static_cast<uint8_t>(axis->id);
  g.game->ChangeEffectivityOfAllUnits(allies->id, 2, 5);
  EXPECT_EQ(onOwn->eventsEffect, 5);
  EXPECT_EQ(onLost->eventsEffect, 5);
  EXPECT_EQ(onTaken->eventsEffect, 0);
  EXPECT_EQ(axisOnAllied->eventsEffect, 0);
  EXPECT_EQ(offMap->eventsEffect, 0);
  g.game->ChangeEffectivityOfAllUnits(axis->id, 2, 1);
  EXPECT_EQ(onTaken->eventsEffect, 1);
  EXPECT_EQ(onOwn->eventsEffect, 5);
  // Group 4 is every country outside the alliances; hexes of no original
  // owner are nobody's, not country 0's.
  g.hex(5, 5).originalOwner = 0;
  g.game->ChangeEffectivityOfAllUnits(0, 4, 7);
  EXPECT_EQ(neutralUnit->eventsEffect, 0);
  g.hex(5, 5).originalOwner = static_cast<uint8_t>(allies->id);
  g.game->ChangeEffectivityOfAllUnits(allies->id, 4, 7);
  EXPECT_EQ(neutralUnit->eventsEffect, 7);
  EXPECT_EQ(onOwn->eventsEffect, 5);
  onLost->eventsEffect = 0;
  g.game->ChangeAreaEffectivityOfAllUnits(1, 1, 2, 2, 2, -3);
  EXPECT_EQ(onOwn->eventsEffect, 2);
  EXPECT_EQ(onLost->eventsEffect, -3);
  EXPECT_EQ(axisOnAllied->eventsEffect, 0);
  g.game->ChangeAreaEffectivityOfAllUnits(0, 0, 5, 5, 1, 4);
  EXPECT_EQ(axisOnAllied->eventsEffect, 4);
}

// ---- teardown ------------------------------------------------------------

int gFreed = 0;
// An object of the game that counts its destruction.
template <class T>
struct Counted : T {
  ~Counted() override { ++gFreed; }
};

TEST(GameTeardown, EndGameTakesTheWorldApartInOrder) {
  static std::vector<std::wstring>* order = nullptr;
  cRecordingFrontEnd fe;
  FrontEndScope scope(&fe);
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(2, 2);
  game->textures[0] = 41;
  game->textures[2] = 43;
  gFreed = 0;
  int unitDeaths = 0;
  game->cities.push_back(new Counted<cMiasto>());
  game->landUnits.push_back(new TestLandUnit(1, 1, 0, &unitDeaths));
  game->transportedUnits.push_back(new TestLandUnit(1, 2, 0, &unitDeaths));
  game->amphibiousUnits.push_back(new TestLandUnit(1, 3, 0, &unitDeaths));
  game->reserve.push_back(new TestLandUnit(1, 4, 0, &unitDeaths));
  game->reserve.push_back(new TestAirUnit(1, 5, 0, &unitDeaths));
  game->airUnits.push_back(new TestAirUnit(1, 6, 0, &unitDeaths));
  game->navalUnits.push_back(new Counted<cJednostkaMorska>());
  game->navalReserve.push_back(new Counted<cJednostkaMorska>());
  game->fleets.push_back(new Counted<sFlota>());
  game->countries.push_back(new cPanstwo());
  game->computerPlayers.push_back(new Counted<cAI>());
  delete game->events;  // the manager the game made for itself
  game->events = new Counted<cZdarzenia>();
  game->convoys = new Counted<cKonwoje>();
  delete game->reports;  // the store the game was made with
  game->reports = new Counted<cRaporty>();
  game->commanders.push_back(new Counted<sDowodca>());
  game->autoEvents->Add(1, 2);
  game->strategicMoves = new std::vector<tCityGroups>(3);
  game->unitNames = {'1', ';'};

  LogCapture log;
  order = &log.lines;
  SetStopWorkerThreadHook([] { order->push_back(L"(worker stopped)"); });
  DestroyGame();
  SetStopWorkerThreadHook(nullptr);

  const std::vector<std::wstring> expected = {
      L"----- Ending game ----",
      L"---- Game state = 15",
      L"Closing thread",
      L"(worker stopped)",
      L"Destroying textures",
      L"Destroying fonts",
      L"Saving settings",
      L"Destroing map",
      L"Destroying cities",
      L"Destroying land units",
      L"Destroying air units",
      L"Destroying naval units",
      L"Destroying fleets",
      L"Destroying countries",
      L"Destroying AI",
      L"Destroying events repository",
      L"Destroying strategic moves manager",
      L"Destroying events manager",
      L"Destroying convoys manager",
      L"Destroying reports manager",
      L"Destroying unit names",
      L"---- Destroying done",
  };
  EXPECT_EQ(log.lines, expected);
  EXPECT_EQ(fe.releasedTextures, (std::vector<FrontEndHandle>{41, 43}));
  EXPECT_EQ(unitDeaths, 6);
  EXPECT_EQ(gFreed, 9);
  EXPECT_EQ(gGra, nullptr);
  // Nothing to do without a game.
  DestroyGame();
  EXPECT_EQ(log.lines.size(), expected.size());
}

TEST(GameTeardown, EndGameRunsOnce) {
  auto* game = new cGra();
  game->EndGame();
  LogCapture log;
  delete game;
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(gGra, nullptr);
}

TEST(GameTeardownDeathTest, FatalErrorsDestroyTheGameFirst) {
  EXPECT_EXIT(
      {
        LogToStderr();
        auto* game = new cGra();
        game->map = new cMapa();
        FatalExit(L"ERROR: test", 1, true);
      },
      ::testing::ExitedWithCode(1), "ERROR: test(.|\n)*----- Ending game ----(.|\n)*---- Destroying done");
}

}  // namespace
