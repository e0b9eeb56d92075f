// The computer player's placement of new units: which cities may take one,
// which city each kind goes to, and the ships at the first port.
#include <gtest/gtest.h>

#include <list>

#include "ai/ai.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "world/cities_diagram.h"

namespace {

using unit_test::AddCity;
using world_test::GameFixture;

class AiDeployment : public ::testing::Test {
 protected:
  AiDeployment() : g(10, 8, 3) {
    unit_test::LoadShippedStrings();
    c = g.game->countries[0];
    c->name = L"C1";
    ai.country = c;
    // The fronts point into the node vector: it must not move.
    g.game->citiesDiagram.nodes.reserve(16);
    // Country 1 holds the west half of the map.
    for (sHex& h : g.map().hexes) h.controller = h.owner = static_cast<uint8_t>(h.x < 5 ? 1 : 2);
  }
  cMiasto* City(int x, int y, float pp, const wchar_t* name, int supply = 10) {
    cMiasto* city = AddCity(g, x, y, kCityRegular, g.hex(x, y).controller, name);
    city->productionPoints = pp;
    city->supplyInfo.assign(3, supply);
    return city;
  }
  cJednostkaLadowa* ReserveLand() {
    auto* u = new cJednostkaLadowa();
    u->countryId = 1;
    u->inReserve = 1;
    g.game->reserve.push_back(u);
    return u;
  }
  cJednostkaLotnicza* ReserveAir() {
    auto* u = new cJednostkaLotnicza();
    u->countryId = 1;
    u->SetType(kTypeFighter);
    u->strength = 4;
    u->inReserve = 1;
    g.game->reserve.push_back(u);
    return u;
  }
  // Puts the city on a front of the computer player with the ours and own
  // land strengths of its node.
  void OnFront(cMiasto* city, float ours, float own) {
    g.game->citiesDiagram.nodes.emplace_back();
    sWezelDiagramuMiast& node = g.game->citiesDiagram.nodes.back();
    node.city = city;
    node.landStrengths[0] = ours;
    node.landStrengths[1] = own;
    frontNodes.push_back(&node);
  }
  void MakeFront() {
    ai.fronts.emplace_back().nodes = frontNodes;
  }
  void Block(int x, int y) {
    auto* u = unit_test::PlaceLand(g, 3, x, y);
    (void)u;
  }

  GameFixture g;
  cPanstwo* c = nullptr;
  cAI ai;
  std::list<sWezelDiagramuMiast*> frontNodes;
  cLogCapture log;
};

TEST_F(AiDeployment, CandidateCitiesNeedControlAFreePlaceAndAtWarSupply) {
  cMiasto* free = City(1, 1, 5, L"Free");
  cMiasto* enemy = City(7, 1, 5, L"Enemy");
  cMiasto* boxed = City(2, 4, 5, L"Boxed");
  cMiasto* resources = City(3, 6, 5, L"Ore");
  resources->type = kCityResources;
  (void)enemy;
  // Boxed in: its own hex and every neighbour taken.
  Block(2, 4);
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(2, 4, d, nx, ny);
    Block(nx, ny);
  }
  std::list<cMiasto*> out;
  ai.CollectDeploymentCities(out);
  EXPECT_EQ(out, (std::list<cMiasto*>{free}));
  // One free neighbour of a taken city is enough, unless it is sea or foreign.
  int nx = 0, ny = 0;
  g.map().NeighbourCoords(2, 4, 3, nx, ny);
  cJednostka* blocker = g.hex(nx, ny).unit;
  g.hex(nx, ny).unit = nullptr;
  ai.CollectDeploymentCities(out);
  EXPECT_EQ(out, (std::list<cMiasto*>{free, boxed}));
  g.hex(nx, ny).terrain = kTerrainSea;
  ai.CollectDeploymentCities(out);
  EXPECT_EQ(out, (std::list<cMiasto*>{free}));
  g.hex(nx, ny).unit = blocker;

  // At war the city's supply must reach half the new units' supply level.
  g.SetWar(1, 2);
  c->consts.reserveSupplyLevel = 21;
  free->supplyInfo[0] = 9;
  ai.CollectDeploymentCities(out);
  EXPECT_TRUE(out.empty());
  free->supplyInfo[0] = 10;
  ai.CollectDeploymentCities(out);
  EXPECT_EQ(out, (std::list<cMiasto*>{free}));
}

TEST_F(AiDeployment, LandUnitsGoToTheWeakestFrontCityAirUnitsToTheRichestRearCity) {
  cMiasto* rich = City(1, 1, 50, L"Rich");
  cMiasto* rear = City(1, 5, 20, L"Rear");
  cMiasto* far = City(4, 2, 90, L"Far");
  cMiasto* near = City(4, 6, 10, L"Near");
  OnFront(far, 2.0f, 1.9f);   // 3
  OnFront(near, 1.5f, 1.4f);  // 2
  OnFront(rich, 1.0f, 1.0f);  // 2, but later in the candidates
  MakeFront();
  const std::list<cMiasto*> all{rich, rear, far, near};
  EXPECT_EQ(ai.ChooseLandDeploymentCity(all), rich);
  EXPECT_EQ(ai.ChooseLandDeploymentCity({rear, far, near}), near);
  EXPECT_EQ(ai.ChooseLandDeploymentCity({rear}), rear);
  EXPECT_EQ(ai.ChooseAirDeploymentCity(all), rear);
  EXPECT_EQ(ai.ChooseAirDeploymentCity({rich, far}), far);

  // Without fronts land units go to the richest city, the first of equals.
  ai.fronts.clear();
  rear->productionPoints = 50;
  EXPECT_EQ(ai.ChooseLandDeploymentCity(all), far);
  far->productionPoints = 0;
  EXPECT_EQ(ai.ChooseLandDeploymentCity(all), rich);
}

TEST_F(AiDeployment, WaitingUnitsArePlacedOnTheMapUntilNoPlaceIsLeft) {
  cMiasto* city = City(2, 2, 5, L"Only");
  OnFront(city, 0, 0);
  MakeFront();
  // Fill all but one neighbour with foreign land: two places are left.
  for (int d = 1; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(2, 2, d, nx, ny);
    g.hex(nx, ny).controller = g.hex(nx, ny).owner = 2;
  }
  cJednostkaLadowa* a = ReserveLand();
  cJednostkaLadowa* b = ReserveLand();
  cJednostkaLadowa* extra = ReserveLand();
  ai.DeployLandUnits();
  EXPECT_EQ(g.hex(2, 2).unit, a);
  int nx = 0, ny = 0;
  g.map().NeighbourCoords(2, 2, 0, nx, ny);
  EXPECT_EQ(g.hex(nx, ny).unit, b);
  EXPECT_EQ(extra->x, -1);
  EXPECT_EQ(g.game->reserve, (std::vector<cJednostka*>{extra}));
  // No viewing country in a computer-only game: nothing shown, no crash.
  EXPECT_EQ(a->spottedLevel, 0);
}

TEST_F(AiDeployment, AConqueredCityTakesNoUnitAndTheOwnCitiesStillDo) {
  // Held but not owned: the placement refuses it, so it is never offered,
  // though it is the nearest front city and the richest.
  cMiasto* conquered = City(6, 3, 90, L"Conquered");
  g.hex(6, 3).controller = 1;
  cMiasto* home = City(1, 3, 5, L"Home");
  OnFront(conquered, 0, 0);
  OnFront(home, 3, 3);
  MakeFront();
  std::list<cMiasto*> out;
  ai.CollectDeploymentCities(out);
  EXPECT_EQ(out, (std::list<cMiasto*>{home}));
  // Its neighbours held by the country but owned by another count neither.
  g.hex(1, 3).owner = 2;
  for (int d = 0; d < 6; ++d) {
    int nx = 0, ny = 0;
    g.map().NeighbourCoords(1, 3, d, nx, ny);
    g.hex(nx, ny).owner = 2;
  }
  ai.CollectDeploymentCities(out);
  EXPECT_TRUE(out.empty());
  g.hex(1, 3).owner = 1;
  cJednostkaLadowa* first = ReserveLand();
  cJednostkaLadowa* second = ReserveLand();
  ai.DeployLandUnits();
  EXPECT_EQ(g.hex(1, 3).unit, first);
  EXPECT_EQ(second->x, -1);  // the city's neighbours are not the country's own
  EXPECT_EQ(g.hex(6, 3).unit, nullptr);
  EXPECT_FALSE(log.HasPrefix(L"Error while deploying unit"));
}

TEST_F(AiDeployment, NewUnitsAreSpottedByTheViewingCountryAsAnyMovingUnitIs) {
  City(1, 1, 5, L"Base");
  const int fog = gProgramSettings.fogOfWar;
  struct Case {
    int viewer, fog;
    bool watcherNear;
    int spotted;
  };
  // The viewer's own units see themselves; another's are seen near one of
  // the viewer's units, or at once without fog of war.
  const Case cases[] = {{1, 3, false, 6}, {2, 3, false, 0}, {2, 3, true, 6}, {2, 0, false, 6}};
  for (const Case& k : cases) {
    g.game->seaGraph.viewingCountry = k.viewer;
    gProgramSettings.fogOfWar = k.fog;
    cJednostka* watcher = k.watcherNear ? unit_test::PlaceLand(g, 2, 1, 2) : nullptr;
    cJednostkaLadowa* land = ReserveLand();
    cJednostkaLotnicza* air = ReserveAir();
    ai.DeployLandUnits();
    ai.DeployAirUnits();
    EXPECT_EQ(land->x, 1);
    EXPECT_EQ(land->y, 1);
    EXPECT_TRUE(g.game->reserve.empty());
    EXPECT_EQ(land->spottedLevel, k.spotted) << k.viewer << " " << k.fog << " " << k.watcherNear;
    EXPECT_EQ(air->spottedLevel, k.spotted) << k.viewer << " " << k.fog << " " << k.watcherNear;
    for (cJednostka* u : {static_cast<cJednostka*>(land), static_cast<cJednostka*>(air), watcher}) {
      if (u == nullptr) continue;
      g.hex(u->x, u->y).unit = nullptr;
      g.game->landUnits.remove_if([u](const cJednostka* v) { return v == u; });
      g.game->airUnits.remove_if([u](const cJednostka* v) { return v == u; });
      delete u;
    }
  }
  gProgramSettings.fogOfWar = fog;
}

TEST_F(AiDeployment, EveryNewShipGoesToTheFirstPort) {
  const int first = naval_test::AddPort(g, 0, 3, 5, 1);
  const int second = naval_test::AddPort(g, 0, 6, 5, 1);
  g.hex(0, 3).seaNodeMarker = static_cast<uint16_t>(first);
  g.hex(0, 6).seaNodeMarker = static_cast<uint16_t>(second);
  City(0, 3, 1, L"North");
  City(0, 6, 1, L"South");
  for (int i = 0; i < 3; ++i) {
    auto* ship = new cJednostkaMorska();
    ship->countryId = 1;
    ship->SetType(kTypeCruiser);
    ship->SetName(L"S" + std::to_wstring(i));
    ship->hitPoints = ship->maxHitPoints = 3;
    ship->inReserve = 1;
    g.game->navalReserve.push_back(ship);
  }
  ai.DeployNewUnits();
  EXPECT_TRUE(g.game->navalReserve.empty());
  int atFirst = 0;
  for (cJednostkaMorska* ship : g.game->navalUnits) {
    ASSERT_NE(ship->fleet, nullptr);
    if (ship->fleet->seaNode == first) ++atFirst;
  }
  EXPECT_EQ(atFirst, 3);
  EXPECT_TRUE(log.Has(L"C1 is deploying S0 in North"));
  EXPECT_TRUE(log.Has(L"Deployment succesful."));
}

}  // namespace
