// Naval units: joining fleets, the kill with its bookkeeping, unloading and
// the hexes to unload on, interception, bombardment of a ship, surprise
// attacks and the sea-battle values; the shore bombardment a fleet fires
// and the spotting pass of a landed unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/random.h"
#include "core/settings.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "world/reports.h"
#include "world/world_test_support.h"

using namespace world_test;
using namespace naval_test;

namespace {

// Two rows of sea along the bottom of a 10 x 8 map: the zone Z, and the port
// P of country 1 on the land above it.
class Naval : public ::testing::Test {
 protected:
  Naval() : g(10, 8, 3) {
    unit_test::LoadShippedStrings();
    g.SetWar(1, 2);
    for (int x = 0; x < 10; ++x) {
      g.hex(x, 6).terrain = kTerrainSea;
      g.hex(x, 7).terrain = kTerrainSea;
    }
    zone = AddZone(g, 5, 7, L"Zone");
    port = AddPort(g, 2, 4, 3, 1, 2, 6);
    TwoWay(g, zone, port);
    g.game->seaGraph.viewingCountry = 1;
    g.game->selection.currentCountry = g.game->GetCountry(1);
  }
  cJednostkaMorska* Ship(sFlota* f, int i) { return *std::next(f->ships.begin(), i); }
  // A land unit aboard the ship, in the game's list of units carried by
  // ships of its kind.
  cJednostkaLadowa* Load(cJednostkaMorska* ship, int landType = 0) {
    auto* u = new unit_test::ValuedLandUnit(10.0f);
    u->countryId = ship->countryId;
    u->SetName(L"Marines");
    u->SetType(landType);
    u->transport = ship;
    ship->carriedUnit = u;
    (ship->type == kTypeAmphibious ? g.game->amphibiousUnits : g.game->transportedUnits).push_back(u);
    return u;
  }

  GameFixture g;
  LogCapture log;
  int zone, port;
};

// ---- the kill --------------------------------------------------------------------

TEST_F(Naval, KillingTheLastShipOfAFleetDeletesTheFleet) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  sFlota* f = AddFleet(g, 1, zone, {kTypeCruiser, kTypeSubmarine});
  cJednostkaMorska* first = Ship(f, 0);
  cJednostkaMorska* second = Ship(f, 1);
  for (cJednostkaMorska* s : f->ships) s->spottedLevel = 6;
  sWezelGrafuMorz* node = g.game->seaGraph.FindNode(zone);
  node->friendlyShip = first;
  sWezelGrafuMorz* elsewhere = g.game->seaGraph.FindNode(port);
  elsewhere->enemyShip = first;  // a stale picture elsewhere goes too

  first->Kill(false);
  EXPECT_TRUE(log.Has(L"Killing naval unit Ship 1.1"));
  EXPECT_EQ(g.game->fleets.size(), 1u);
  EXPECT_EQ(f->ships, (std::list<cJednostkaMorska*>{second}));
  EXPECT_EQ(g.game->navalUnits, (std::list<cJednostkaMorska*>{second}));
  // The node shows the ship that is left; the port no longer shows any.
  EXPECT_EQ(node->friendlyShip, second);
  EXPECT_EQ(elsewhere->enemyShip, nullptr);

  // The fleets dialog shows the fleet: it lets go of it before it is freed.
  fe.topDialogId = kFleetsDialog;
  fe.selectedFleets = {f};
  second->Kill(false);
  EXPECT_TRUE(g.game->fleets.empty());
  EXPECT_TRUE(g.game->navalUnits.empty());
  ASSERT_EQ(fe.droppedFleets.size(), 1u);
  EXPECT_EQ(fe.droppedFleets[0], f);
  EXPECT_EQ(node->friendlyShip, nullptr);
  EXPECT_EQ(fe.Count("ClearSeaBattleGridUnit"), 0);
}

TEST_F(Naval, TheCargoLivesOrDiesWithTheShipAsAsked) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeCargo, kTypeAmphibious, kTypeCruiser});
  cJednostkaLadowa* spared = Load(Ship(f, 0));
  Ship(f, 0)->Kill(false);
  EXPECT_EQ(spared->transport, nullptr);
  EXPECT_EQ(g.game->transportedUnits.size(), 1u);

  cJednostkaLadowa* lost = Load(Ship(f, 0), 2);  // the amphibious ship, now first
  Ship(f, 0)->Kill(true);
  EXPECT_TRUE(log.Has(L"Killing Marines carried by transport/amph."));
  EXPECT_TRUE(g.game->amphibiousUnits.empty());
  EXPECT_EQ(f->ships.size(), 1u);
  (void)lost;  // freed by the kill
}

TEST_F(Naval, AKilledShipsCommanderGoesHomeAndTheNodeChoosesAnother) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeBattleship, kTypeCruiser});
  sFlota* g2 = AddFleet(g, 1, zone, {kTypeCarrier});
  sDowodca* admiral = unit_test::AddCommander(g, 1, 1, 2, 9);
  sDowodca* captain = unit_test::AddCommander(g, 2, 1, 2, 4);
  cJednostkaMorska* flagship = Ship(f, 0);
  unit_test::Attach(admiral, flagship);
  unit_test::Attach(captain, Ship(g2, 0));
  Ship(f, 1)->assignedCommanderId = admiral->id;

  g.game->state.store(kStateSeaBattleScreen);
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  flagship->x = 16;
  flagship->y = 3;
  flagship->Kill(true);
  EXPECT_EQ(admiral->state, 1);
  EXPECT_EQ(admiral->unit, nullptr);
  EXPECT_EQ(Ship(f, 0)->assignedCommanderId, captain->id);
  ASSERT_EQ(fe.Count("ClearSeaBattleGridUnit"), 1);
  EXPECT_EQ(fe.calls.front().value, 16);
  EXPECT_EQ(fe.calls.front().value2, 3);
}

TEST_F(Naval, AShipKilledInTheReservePoolLeavesIt) {
  cJednostkaMorska* s = NewShip(1, kTypeCruiser);
  s->inReserve = 1;
  g.game->navalReserve.push_back(s);
  s->Kill(false);
  EXPECT_TRUE(g.game->navalReserve.empty());
}

// ---- joining fleets -----------------------------------------------------------------

TEST_F(Naval, ShipsJoinTheLastFleetOfTheirCountryOnTheNode) {
  sFlota* older = AddFleet(g, 1, zone, {kTypeCruiser});
  sFlota* newer = AddFleet(g, 1, zone, {kTypeCruiser});
  AddFleet(g, 2, zone, {kTypeCruiser});
  cJednostkaMorska* s = NewShip(1, kTypeBattleship);
  s->inReserve = 1;
  g.game->navalReserve.push_back(s);
  s->AssignToSeaNode(zone);
  EXPECT_EQ(s->fleet, newer);
  EXPECT_EQ(newer->ships.back(), s);
  EXPECT_EQ(older->ships.size(), 1u);
  EXPECT_TRUE(g.game->navalReserve.empty());
  EXPECT_EQ(g.game->navalUnits.back(), s);
  EXPECT_EQ(s->inReserve, 0);

  // No fleet of the country there: a new one, counted as moved.
  cJednostkaMorska* lone = NewShip(3, kTypeSubmarine);
  lone->AssignToSeaNode(port);
  ASSERT_NE(lone->fleet, nullptr);
  EXPECT_EQ(lone->fleet->id, g.game->nextFleetNumber);
  EXPECT_EQ(lone->fleet->name, L"Fleet #4");
  EXPECT_EQ(lone->fleet->seaNode, port);
  EXPECT_EQ(lone->fleet->countryId, 3);
  EXPECT_EQ(lone->fleet->hasMoved, 1);
  EXPECT_EQ(g.game->fleets.back(), lone->fleet);

  cJednostkaMorska* lost = NewShip(1, kTypeCruiser);
  g.game->navalReserve.push_back(lost);
  lost->AssignToSeaNode(9);
  EXPECT_TRUE(log.Has(L"WARNING: Could not find sea node with ID = 9 while assigning ship Ship (ID = 0)"));
  EXPECT_EQ(lost->fleet, nullptr);
}

TEST_F(Naval, DeployingBesideAFleetThatMovedMakesASecondFleet) {
  sFlota* moved = AddFleet(g, 1, port, {kTypeCruiser});
  moved->hasMoved = 1;
  cJednostkaMorska* s = NewShip(1, kTypeBattleship);
  g.game->navalReserve.push_back(s);
  s->DeployAtSeaNode(port);
  ASSERT_NE(s->fleet, nullptr);
  EXPECT_NE(s->fleet, moved);
  EXPECT_EQ(s->fleet->hasMoved, 0);
  EXPECT_EQ(s->fleet->seaNode, port);
  EXPECT_EQ(g.game->fleets.size(), 2u);
  // The new fleet, which has not moved, takes the next one.
  cJednostkaMorska* t = NewShip(1, kTypeCruiser);
  t->DeployAtSeaNode(port);
  EXPECT_EQ(t->fleet, s->fleet);
  // The ships are counted for their country at once.
  EXPECT_EQ(g.game->seaGraph.FindNode(port)->CountFriendlyShips(), 3);
}

// ---- unloading ---------------------------------------------------------------------

TEST_F(Naval, ACargoShipPutsItsUnitAshoreAndGetsItsTransportPointsBack) {
  cPanstwo* owner = g.game->GetCountry(1);
  owner->consts.seaTransportCost[3] = 7;
  owner->seaTransportPoints = 2;
  cMiasto* city = unit_test::AddCity(g, 2, 4, kCityPort, 1);
  city->supplyInfo = {12, 0, 0};
  sFlota* f = AddFleet(g, 1, port, {kTypeCargo});
  cJednostkaMorska* ship = Ship(f, 0);
  cJednostkaLadowa* u = Load(ship, 3);
  u->actionPoints = 5;

  ship->UnloadTransport(3, 4, 2, 4);
  EXPECT_EQ(owner->seaTransportPoints, 9);
  EXPECT_TRUE(g.game->transportedUnits.empty());
  EXPECT_EQ(g.game->landUnits.back(), u);
  EXPECT_EQ(g.hex(3, 4).unit, u);
  EXPECT_EQ(u->x, 3);
  EXPECT_EQ(u->y, 4);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_EQ(u->supply, 12);
  EXPECT_EQ(u->supplySourceX, 2);
  EXPECT_EQ(u->supplySourceY, 4);
  EXPECT_EQ(u->transport, nullptr);
  EXPECT_EQ(ship->carriedUnit, nullptr);
  EXPECT_TRUE(log.Has(L"Unloading sea transport into friendly-controlled hex 3, 4 with land unit Marines [ID " +
                      std::to_wstring(u->unitId) + L"] transported by cargo unit Ship 1.1 [ID 101]"));

  // Nothing aboard any more.
  EXPECT_EQ(ship->UnloadTransport(3, 5, 2, 4), 0);
  EXPECT_TRUE(log.Has(L"ERROR! Trying to unload non-existing unit from transport!"));
}

TEST_F(Naval, AnAmphibiousShipLandsItsUnitButNotOntoAnother) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeAmphibious});
  cJednostkaMorska* ship = Ship(f, 0);
  cJednostkaLadowa* u = Load(ship);
  auto* there = unit_test::PlaceLand(g, 2, 4, 5);
  EXPECT_EQ(ship->UnloadTransport(4, 5, 5, 7), 0);
  EXPECT_EQ(g.hex(4, 5).unit, there);
  EXPECT_EQ(ship->carriedUnit, u);
  ship->UnloadTransport(5, 5, 5, 7);
  EXPECT_TRUE(g.game->amphibiousUnits.empty());
  EXPECT_EQ(g.hex(5, 5).unit, u);
}

TEST_F(Naval, UnloadingFromAWarshipIsAFatalDataError) {
  sFlota* f = AddFleet(g, 1, zone, {kTypeCruiser});
  Load(Ship(f, 0));
  EXPECT_EXIT((LogToStderr(), Ship(f, 0)->UnloadTransport(4, 5, 5, 7)), ::testing::ExitedWithCode(1),
              "INVALID SUBTYPE FOR THIS ACTION");
}

TEST_F(Naval, TheComputerUnloadsOnThePortOrItsFirstFreeFriendlyNeighbour) {
  sFlota* f = AddFleet(g, 1, port, {kTypeCargo});
  cJednostkaMorska* ship = Ship(f, 0);
  EXPECT_FALSE(ship->AiUnloadCarriedUnit(true));
  EXPECT_TRUE(log.Has(L"ERROR! Trying to unload non-existing unit from transport!"));
  cJednostkaLadowa* u = Load(ship);
  unit_test::PlaceLand(g, 1, 2, 4);  // the port's hex is taken
  // Its land neighbours in direction order; the first is taken as well.
  std::vector<sHexPoint> land;
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(2, 4, d, nx, ny);
    if (!g.map().IsInside(nx, ny) || !g.hex(nx, ny).IsLand()) continue;
    g.hex(nx, ny).controller = 1;
    land.push_back({nx, ny});
  }
  ASSERT_GE(land.size(), 2u);
  unit_test::PlaceLand(g, 1, land[0].x, land[0].y);
  const int wantX = land[1].x, wantY = land[1].y;
  EXPECT_TRUE(ship->AiUnloadCarriedUnit(true));
  EXPECT_EQ(ship->carriedUnit, u);
  EXPECT_TRUE(ship->AiUnloadCarriedUnit(false));
  EXPECT_EQ(g.hex(wantX, wantY).unit, u);
  EXPECT_EQ(u->supplySourceX, 2);
  EXPECT_EQ(u->supplySourceY, 4);
}

// The coast of a zone running down the map's last column to its last row.
TEST(NavalUnloadHexes, AnInvasionMayLandOnTheLastColumnAndRow) {
  GameFixture g(6, 6, 2);
  g.SetWar(1, 2);
  for (int y = 0; y < 6; ++y) g.hex(3, y).terrain = g.hex(4, y).terrain = kTerrainSea;
  const int zone = AddZone(g, 4, 3);
  struct sCoast {
    int x, y;
    int controller, owner;
    int unitCountry;  // 0 none
    bool coastal;
    bool want;
  };
  const sCoast coast[] = {
      {5, 5, 2, 2, 0, true, true},    // the corner of the last column and row
      {5, 0, 1, 2, 0, true, true},    // owned by the enemy, held by us
      {5, 2, 2, 2, 2, true, true},    // an enemy unit stands there
      {5, 3, 2, 2, 1, true, false},   // our own unit stands there
      {5, 4, 1, 1, 0, true, false},   // ours
      {5, 1, 2, 2, 0, false, false},  // no landing beach
      {2, 5, 2, 2, 0, true, true},    // the last row, west of the sea
  };
  for (const sCoast& c : coast) {
    sHex& h = g.hex(c.x, c.y);
    h.seaZone = static_cast<uint16_t>(zone);
    h.coastal = c.coastal ? 1 : 0;
    h.controller = static_cast<uint8_t>(c.controller);
    h.owner = static_cast<uint8_t>(c.owner);
    if (c.unitCountry != 0) unit_test::PlaceLand(g, c.unitCountry, c.x, c.y);
  }
  g.map().RebuildZoneIndex();
  sFlota* f = AddFleet(g, 1, zone, {kTypeAmphibious, kTypeCargo});
  cJednostkaMorska* amph = f->ships.front();
  int want = 0;
  for (const sCoast& c : coast) want += c.want ? 1 : 0;
  EXPECT_EQ(amph->MarkUnloadHexes(true), want);
  for (const sCoast& c : coast) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    EXPECT_EQ((g.hex(c.x, c.y).marks & kMarkPlacement) != 0, c.want);
  }
  // A cargo ship lands nobody on an open coast.
  EXPECT_EQ(f->ships.back()->MarkUnloadHexes(false), 0);
}

TEST_F(Naval, InAPortShipsUnloadOnThePortAndItsFreeFriendlyNeighbours) {
  int friendly = 0;
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(2, 4, d, nx, ny);
    if (!g.hex(nx, ny).IsLand()) continue;
    g.hex(nx, ny).controller = d == 1 ? 2 : 1;
    if (d != 1) ++friendly;
  }
  sFlota* f = AddFleet(g, 1, port, {kTypeCargo});
  EXPECT_EQ(Ship(f, 0)->MarkUnloadHexes(true), friendly + 1);
  EXPECT_TRUE(g.hex(2, 4).marks & kMarkPlacement);
  unit_test::PlaceLand(g, 1, 2, 4);
  EXPECT_EQ(Ship(f, 0)->MarkUnloadHexes(true), friendly);
}

TEST_F(Naval, ReserveShipsArePlacedInOwnPortsLargeEnoughForThem) {
  const int small = AddPort(g, 6, 4, 1, 1, 6, 6);
  const int foreign = AddPort(g, 8, 4, 5, 2, 8, 6);
  (void)foreign;
  g.game->GetCountry(1)->consts.c074[kTypeBattleship - 40] = 2;
  cJednostkaMorska* s = NewShip(1, kTypeBattleship);
  EXPECT_EQ(s->MarkMoveRange(true), 1);
  EXPECT_TRUE(g.hex(2, 6).marks & kMarkPlacement);  // the port's unit hex
  EXPECT_FALSE(g.hex(6, 6).marks & kMarkPlacement);
  g.game->seaGraph.FindNode(small)->currentSize = 2;
  EXPECT_EQ(s->MarkMoveRange(false), 2);
  delete s;
}

// ---- combat ------------------------------------------------------------------------

TEST_F(Naval, BombardedShipsLoseOneHitPointAndMayLoseMoreOrSink) {
  struct sCase {
    int hp;
    int extra, sink;  // percent
    int wantHp;
  };
  const sCase cases[] = {
      {5, 0, 0, 4},    // the one certain hit
      {5, 100, 0, 0},  // every hit point left goes, and the rolls end
      {5, 0, 100, 0},  // sunk outright
      {1, 100, 100, 0},
      {0, 100, 100, 0},  // nothing left to lose
  };
  cPanstwo* defender = g.game->GetCountry(2);
  auto* bomber = unit_test::PlaceAir(g, 1, 1, 1, 1);
  bomber->type = kTypeTacticalBomber;
  for (const sCase& k : cases) {
    SCOPED_TRACE(testing::Message() << k.hp << " " << k.extra << " " << k.sink);
    defender->consts.extraHitLossChance = k.extra;
    defender->consts.sinkChance = k.sink;
    sFlota* f = AddFleet(g, 2, zone, {kTypeCruiser}, 5);
    cJednostkaMorska* s = Ship(f, 0);
    s->hitPoints = k.hp;
    sWynikWalki r;
    s->Attack(r, bomber, 0);
    EXPECT_EQ(s->hitPoints, k.wantHp);
    EXPECT_EQ(r.attackerCountry, 1);
    EXPECT_EQ(r.defenderCountry, 2);
    EXPECT_NE(r.defenderInfo.find(L"Strength lost: " + std::to_wstring(k.hp - k.wantHp) + L".00"), std::wstring::npos);
  }
}

// At a chance between 0 and 100 the extra losses stop at the first failed
// roll: a geometric count, not one roll for every hit point left.
TEST_F(Naval, ABombardedShipsExtraLossesEndAtTheFirstFailedRoll) {
  cPanstwo* defender = g.game->GetCountry(2);
  defender->consts.extraHitLossChance = 50;
  defender->consts.sinkChance = 0;
  auto* bomber = unit_test::PlaceAir(g, 1, 1, 1, 1);
  cJednostkaMorska* s = Ship(AddFleet(g, 2, zone, {kTypeCruiser}, 10), 0);
  SeedRandom(42);
  constexpr int kRolls = 4000;
  int count[11] = {};
  for (int i = 0; i < kRolls; ++i) {
    s->hitPoints = 10;
    bomber->strength = 1;
    sWynikWalki r;
    s->Attack(r, bomber, 0);
    ++count[10 - s->hitPoints];
  }
  // Loss 1 + k with k extra hits has the chance 0.5^(k+1) below the last
  // hit point; the mean loss is 2 - 0.5^9.
  double mean = 0.0;
  for (int loss = 1; loss <= 10; ++loss) {
    const double share = static_cast<double>(count[loss]) / kRolls;
    mean += loss * share;
    if (loss <= 4) {
      EXPECT_NEAR(share, std::pow(0.5, loss), 0.03) << "loss " << loss;
    }
  }
  EXPECT_EQ(count[0], 0);
  EXPECT_NEAR(mean, 2.0 - std::pow(0.5, 9), 0.1);
}

TEST_F(Naval, ABombardedShipFiresBackAtItsAttacker) {
  cPanstwo* defender = g.game->GetCountry(2);
  g.game->GetCountry(1)->techLevels[5] = 2;
  defender->techLevels[5] = 2;
  // The counter-fire chance is (doctrines 2/2) x 30 strength x 4 hit points.
  auto* bomber = unit_test::PlaceAir(g, 1, 1, 1, 30);
  sFlota* f = AddFleet(g, 2, zone, {kTypeCruiser, kTypeCarrier}, 5);
  sWynikWalki r;
  Ship(f, 0)->Attack(r, bomber, 0);
  EXPECT_EQ(bomber->strength, 29);
  EXPECT_NE(r.attackerInfo.find(L"Anti-aircraft fire of Ship 1.1"), std::wstring::npos);

  // A carrier's planes strike at its share of hit points; a sunk ship
  // cannot fire back.
  sFlota* mine = AddFleet(g, 1, zone, {kTypeCarrier}, 4);
  cJednostkaMorska* carrier = Ship(mine, 0);
  defender->consts.sinkChance = 100;
  sWynikWalki r2;
  Ship(f, 1)->Attack(r2, carrier, 0);
  EXPECT_EQ(Ship(f, 1)->hitPoints, 0);
  EXPECT_EQ(carrier->hitPoints, 4);
  EXPECT_TRUE(r2.attackerInfo.empty());
}

class NavalInterception : public Naval {
 protected:
  void Tables(int lossI, int lossM) {
    sConsts& c = g.game->GetCountry(2)->consts;
    for (auto& row : c.airCombatTableA) std::fill(std::begin(row), std::end(row), lossI);
    for (auto& row : c.airCombatTableB) std::fill(std::begin(row), std::end(row), lossM);
  }
};

TEST_F(NavalInterception, OutcomesByTheLossesOfBothSides) {
  struct sCase {
    const char* what;
    int lossI, lossM;
    int floorPercent;
    bool stopped;
    int wantShipHp;
    bool fighterLost;
  };
  const sCase cases[] = {
      {"the ship loses more", 1, 2, 0, true, 1, false},
      {"equal losses fail", 2, 2, 0, false, 1, false},
      {"the ship is sunk", 0, 4, 0, true, 0, false},
      // The floor keeps 2 of 5 hit points: the ship lost only 1.
      {"the floor saves hit points", 1, 2, 50, false, 2, false},
      {"the fighter falls", 4, 0, 0, false, 3, true},
  };
  for (const sCase& k : cases) {
    SCOPED_TRACE(k.what);
    Tables(k.lossI, k.lossM);
    g.game->GetCountry(2)->consts.c155 = static_cast<float>(k.floorPercent);
    sFlota* f = AddFleet(g, 2, zone, {kTypeCarrier}, 5);
    cJednostkaMorska* ship = Ship(f, 0);
    ship->hitPoints = 3;
    auto* fighter = unit_test::PlaceAir(g, 1, 1, 1, 4);
    sWynikWalki r;
    EXPECT_EQ(ship->Intercept(fighter, r), k.stopped);
    EXPECT_EQ(ship->hitPoints, k.wantShipHp);
    EXPECT_EQ(r.intercepted, 1);
    EXPECT_FLOAT_EQ(r.attackerLosses, static_cast<float>(3 - k.wantShipHp));
    if (k.fighterLost) {
      EXPECT_EQ(r.defenderDestroyed, 1);
      EXPECT_TRUE(std::find(g.game->airUnits.begin(), g.game->airUnits.end(), fighter) == g.game->airUnits.end());
    } else {
      EXPECT_EQ(fighter->strength, 4 - k.lossI);
      fighter->Kill();
    }
    EXPECT_EQ(r.missionStopped, k.wantShipHp == 0 ? 1 : 0);
  }
}

TEST_F(NavalInterception, TheColumnCountsTheInterceptorsNavalDoctrine) {
  // Ship hit points 3 - level 1 - strength 4 + doctrine 4 = column +2.
  sConsts& c = g.game->GetCountry(2)->consts;
  for (auto& row : c.airCombatTableA) std::fill(std::begin(row), std::end(row), 0);
  for (auto& row : c.airCombatTableB) std::fill(std::begin(row), std::end(row), 0);
  for (auto& row : c.airCombatTableB) row[2 + 4] = 1;
  g.game->GetCountry(1)->techLevels[5] = 4;
  sFlota* f = AddFleet(g, 2, zone, {kTypeCruiser}, 5);
  Ship(f, 0)->hitPoints = 3;
  auto* fighter = unit_test::PlaceAir(g, 1, 1, 1, 4);
  sWynikWalki r;
  EXPECT_TRUE(Ship(f, 0)->Intercept(fighter, r));
  EXPECT_EQ(Ship(f, 0)->hitPoints, 2);
}

class Surprise : public Naval {
 protected:
  Surprise() {
    cPanstwo* c1 = g.game->GetCountry(1);
    c1->consts.c072[0] = 1000;  // carriers: always
    c1->consts.c072[1] = 1000;  // raiding submarines: always
    c1->techLevels[5] = 10;     // every attack hits for 1
    c1->techLevels[4] = 10;
    g.game->GetCountry(1)->name = L"Red";
    g.game->GetCountry(2)->name = L"Blue";
  }
};

TEST_F(Surprise, ACarrierStrikesOneEnemyShipAtItsNode) {
  sFlota* mine = AddFleet(g, 1, zone, {kTypeCarrier});
  sFlota* theirs = AddFleet(g, 2, zone, {kTypeCruiser, kTypeCruiser}, 3);
  AddFleet(g, 2, port, {kTypeCruiser}, 3);  // elsewhere
  AddFleet(g, 3, zone, {kTypeCruiser}, 3);  // not at war
  std::wstring text;
  ASSERT_TRUE(Ship(mine, 0)->SurpriseAttack(text));
  int hit = 0;
  for (cJednostkaMorska* s : theirs->ships) hit += 3 - s->hitPoints;
  EXPECT_EQ(hit, 1);
  EXPECT_NE(text.find(L"Aircraft from Ship 1.1 (Red) detected and attacked"), std::wstring::npos);
  EXPECT_NE(text.find(L"Target was damaged."), std::wstring::npos);
  std::vector<sRaport> reports;
  g.game->reports->CollectReports(reports, 2, 18);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].text.find(L"\nSurprise attack"), std::wstring::npos);
  g.game->reports->CollectReports(reports, 1, 18);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(Surprise, EveryEnemyShipCanBeTheTarget) {
  sFlota* mine = AddFleet(g, 1, zone, {kTypeCarrier});
  sFlota* theirs = AddFleet(g, 2, zone, {kTypeCruiser, kTypeCruiser, kTypeCruiser}, 100);
  SeedRandom(7);
  std::wstring text;
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(Ship(mine, 0)->SurpriseAttack(text));
  for (cJednostkaMorska* s : theirs->ships) {
    EXPECT_LT(s->hitPoints, 100) << WideToUtf8(s->name);
    EXPECT_GT(s->hitPoints, 100 - 70) << WideToUtf8(s->name);
  }
}

TEST_F(Surprise, WhoMayAttackAndWhenNothingHappens) {
  sFlota* mine = AddFleet(g, 1, zone, {kTypeSubmarine, kTypeCarrier, kTypeBattleship});
  std::wstring text = L"old";
  // A submarine outside a raider fleet, a battleship: no attack.
  EXPECT_FALSE(Ship(mine, 0)->SurpriseAttack(text));
  EXPECT_EQ(text, L"Wait...");
  EXPECT_FALSE(Ship(mine, 2)->SurpriseAttack(text));
  // Nobody to attack.
  EXPECT_FALSE(Ship(mine, 1)->SurpriseAttack(text));
  EXPECT_TRUE(log.Has(L"No enemy ships present in sea zone"));
  // A raider submarine destroys its target.
  mine->formation = 1;
  sFlota* theirs = AddFleet(g, 2, zone, {kTypeCargo}, 1);
  ASSERT_TRUE(Ship(mine, 0)->SurpriseAttack(text));
  EXPECT_EQ(Ship(theirs, 0)->hitPoints, 0);
  EXPECT_NE(text.find(L"launched surprise attack. Target was destroyed!"), std::wstring::npos);
  // A sunk ship is no target any more.
  EXPECT_FALSE(Ship(mine, 0)->SurpriseAttack(text));
  // No chance at all.
  g.game->GetCountry(1)->consts.c072[0] = 0;
  EXPECT_FALSE(Ship(mine, 1)->SurpriseAttack(text));
}

TEST_F(Naval, SeaBattleValuesFollowTheDoctrineOfTheType) {
  cPanstwo* c1 = g.game->GetCountry(1);
  c1->techLevels[4] = 3;  // submarines
  c1->techLevels[5] = 2;  // navy
  c1->consts.carrierMinHitPoints = 3;
  for (int t = 0; t < 6; ++t) {
    c1->consts.c161[t] = 2 + t;
    c1->consts.c162[t] = 2 + t;
  }
  struct sCase {
    int type;
    int hp;
    int hitChance;
    float combat;
    int attack;
    bool mayFire;
  };
  const sCase cases[] = {
      {kTypeCarrier, 4, 50, 2 * 0.6f, 2, true},
      {kTypeCarrier, 3, 50, 2 * 0.6f, 2, false},  // at the threshold
      {kTypeBattleship, 1, 50, 3 * 0.6f, 3, true},
      {kTypeSubmarine, 1, 60, 5 * 0.7f, 5, true},
      {kTypeCargo, 5, 50, 6 * 0.6f, 6, false},
      {kTypeAmphibious, 5, 50, 7 * 0.6f, 7, false},
  };
  for (const sCase& k : cases) {
    SCOPED_TRACE(k.type);
    cJednostkaMorska* s = NewShip(1, k.type, k.hp);
    s->mayFire = 0;
    s->exchangeFlag = 1;
    EXPECT_EQ(s->GetHitChance(), k.hitChance);
    EXPECT_FLOAT_EQ(s->GetCombatValue(), k.combat);
    EXPECT_EQ(s->RollAttackValue(), k.attack);
    s->PrepareForBattleRound();
    EXPECT_EQ(s->mayFire != 0, k.mayFire);
    EXPECT_EQ(s->exchangeFlag, 0);
    delete s;
  }
  // A hit costs 1 at a chance of (doctrine + 5) x 10 percent: always from 5 on.
  c1->techLevels[5] = 5;
  cJednostkaMorska* s = NewShip(1, kTypeCruiser);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(s->RollHit(), 1);
  c1->techLevels[5] = -5;
  for (int i = 0; i < 50; ++i) EXPECT_EQ(s->RollHit(), 0);
  delete s;
}

// ---- shore bombardment, spotting and reconnaissance --------------------------------

TEST_F(Naval, ShoreBombardmentHandComputed) {
  cPanstwo* c1 = g.game->GetCountry(1);
  c1->techLevels[5] = 2;
  c1->consts.shoreBombardTechFactor[1] = 50.0f;
  c1->consts.fleetSizeExponent = 1.0f;
  c1->consts.shipHitPoints[1] = 5;
  std::fill(std::begin(c1->consts.battleshipFire), std::end(c1->consts.battleshipFire), 4.0f);
  auto* target = unit_test::PlaceLand(g, 2, 5, 5);  // strength value 10
  sFlota* f = AddFleet(g, 1, zone, {kTypeBattleship, kTypeBattleship, kTypeCarrier});
  sWynikWalki r;
  ASSERT_TRUE(f->ShoreBombard(5, 5, r, true));
  // Two battleships at full hit points: 2 x 4 x 2^-1 = 4 of a value of 10;
  // 50 x 0.01 x 4 / 10 x 100 effectiveness = 20.
  EXPECT_FLOAT_EQ(target->shoreBombardmentEffect, 20.0f);
  EXPECT_EQ(r.resultCode, sWynikWalki::kShoreBombardment);
  EXPECT_EQ(r.attackerCountry, 1);
  EXPECT_EQ(r.defenderCountry, 2);
  EXPECT_NE(r.attackerInfo.find(L" Battleships:\n  Ship 1.1\n  Ship 1.2\n  \n"), std::wstring::npos);
  EXPECT_NE(r.defenderInfo.find(L"Effectiveness lost to shore bombardment: 20"), std::wstring::npos);
  for (cJednostkaMorska* s : f->ships) EXPECT_EQ(s->shoreBombardmentDone, 1);
  std::vector<sRaport> reports;
  g.game->reports->CollectReports(reports, 2, 15);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text.rfind(L"Shore bombardment: hex (5, 5)\n\nUnit Unit was attacked from sea by Fleet 1", 0), 0u);

  // Once shelled the unit is no target; ships that fired do not fire again,
  // so a new bombardment replaces the effect with nothing.
  sWynikWalki r2;
  EXPECT_FALSE(f->ShoreBombard(5, 5, r2, true));
  target->ShoreBombardment(*f, r2, true);
  EXPECT_FLOAT_EQ(target->shoreBombardmentEffect, 0.0f);
  // Not at war: no fire.
  auto* neutral = unit_test::PlaceLand(g, 3, 6, 5);
  EXPECT_FALSE(f->ShoreBombard(6, 5, r2, true));
  EXPECT_FLOAT_EQ(neutral->shoreBombardmentEffect, 0.0f);
}

TEST_F(Naval, ALandedUnitSpotsUnitsWithinTheFogOfWarRange) {
  const int saved = gProgramSettings.fogOfWar;
  gProgramSettings.fogOfWar = 2;
  auto* spotter = unit_test::PlaceLand(g, 1, 0, 0);
  auto* near = unit_test::PlaceLand(g, 2, 0, 2);
  auto* far = unit_test::PlaceLand(g, 2, 0, 3);
  auto* seen = unit_test::PlaceLand(g, 2, 1, 0);
  seen->spottedLevel = 6;
  auto* air = unit_test::PlaceAir(g, 3, 2, 0);
  EXPECT_EQ(spotter->SpotUnitsInRange(true), 3);  // itself, near and the air unit
  EXPECT_EQ(near->spottedLevel, 6);
  EXPECT_EQ(far->spottedLevel, 0);
  EXPECT_EQ(air->spottedLevel, 6);
  EXPECT_EQ(spotter->contactFlag, 1);
  // Only an unseen unit of another side makes contact.
  spotter->contactFlag = 0;
  EXPECT_EQ(spotter->SpotUnitsInRange(true), 0);
  EXPECT_EQ(spotter->contactFlag, 0);
  gProgramSettings.fogOfWar = 0;  // unlimited
  EXPECT_EQ(spotter->SpotUnitsInRange(false), 1);
  EXPECT_EQ(far->spottedLevel, 6);
  gProgramSettings.fogOfWar = saved;
}

TEST_F(Naval, ShipsReconnoitreNodesAndTheCoast) {
  sFlota* mine = AddFleet(g, 1, zone, {kTypeCarrier});
  sFlota* hidden = AddFleet(g, 2, port, {kTypeCruiser});
  cJednostkaMorska* carrier = Ship(mine, 0);
  // A port hides enemy ships, but not from reconnaissance. Without fog of
  // war the detection roll always succeeds, so only the concealment counts.
  const int savedFog = gProgramSettings.fogOfWar;
  gProgramSettings.fogOfWar = 0;
  carrier->ReconSeaNode(port);
  gProgramSettings.fogOfWar = savedFog;
  EXPECT_EQ(carrier->reconDone, 1);
  EXPECT_EQ(Ship(hidden, 0)->spottedLevel, 6);
  EXPECT_TRUE(gPortConcealment);

  g.game->GetCountry(1)->techLevels[3] = 1;
  auto* close = unit_test::PlaceLand(g, 2, 4, 4);
  auto* away = unit_test::PlaceLand(g, 2, 4, 1);
  carrier->reconDone = 0;
  carrier->ReconHex(4, 5);
  EXPECT_EQ(close->spottedLevel, 3);
  EXPECT_EQ(away->spottedLevel, 0);
  EXPECT_EQ(carrier->reconDone, 1);
  const auto& sightings = g.game->GetCountry(1)->airReconSightings;
  EXPECT_EQ(std::count(sightings.begin(), sightings.end(), close), 1);
}

}  // namespace
