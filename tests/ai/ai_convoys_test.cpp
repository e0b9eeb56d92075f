// The computer player's convoys on a small hand-made world: a home land
// mass with a supply source and two ports, and three colonies across the
// sea, each a land mass of one port.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ai/ai.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/strategic_moves.h"

namespace {

using world_test::GameFixture;

// Country 1 plays; country 2 is its ally or its alliance's leader where a
// case says so. The home group holds the source S and the ports P1 and P2;
// the colonies hold A (short of supply), B (well supplied) and C (short,
// but no sea route leads there). By sea P1 - Z1 - Z2 - A and P2 - Z2 - A.
struct ConvoyWorld {
  ConvoyWorld() : g(12, 8, 2) {
    for (cPanstwo* c : g.game->countries) {
      c->name = L"C" + std::to_wstring(c->id);
      c->consts.reserveSupplyLevel = 10;
    }
    g.game->convoys = new cKonwoje();
    g.game->convoys->Resize(2);
    s = City(0, 0, kCitySupply, L"S", 10);
    p1 = Port(1, 3, kCityPort, L"P1", 10);
    p2 = Port(2, 5, kCitySupplyPort, L"P2", 10);
    a = Port(8, 1, kCityPort, L"A", 0);
    b = Port(8, 5, kCityPort, L"B", 12);
    c = Port(10, 3, kCityPort, L"C", 3);
    z1 = naval_test::AddZone(g, 5, 1, L"Z1");
    z2 = naval_test::AddZone(g, 5, 5, L"Z2");
    naval_test::TwoWay(g, Node(p1), z1);
    naval_test::TwoWay(g, z1, z2);
    naval_test::TwoWay(g, Node(p2), z2);
    naval_test::TwoWay(g, z2, Node(a));
    naval_test::TwoWay(g, z2, Node(b));
    InitStrategicMovement();
    groups = {{s, p1, p2}, {a}, {b}, {c}};
    StoreCountryTopography(1, groups);
    CreateComputerPlayers(*g.game);
    ai = g.game->computerPlayers[0];
    ai->country = g.game->countries[0];
  }

  cMiasto* City(int x, int y, int type, const wchar_t* name, int supply) {
    cMiasto* city = unit_test::AddCity(g, x, y, type, 1, name);
    city->supplyInfo.assign(2, 0);
    city->supplyInfo[0] = supply;
    return city;
  }
  cMiasto* Port(int x, int y, int type, const wchar_t* name, int supply) {
    cMiasto* city = City(x, y, type, name, supply);
    const int node = naval_test::AddPort(g, x, y, 1, 1);
    g.hex(x, y).seaNodeMarker = static_cast<uint16_t>(node);
    return city;
  }
  int Node(const cMiasto* city) { return g.hex(city->x, city->y).seaNodeMarker; }
  void Hold(cMiasto* city, int country) {
    g.hex(city->x, city->y).controller = static_cast<uint8_t>(country);
    g.hex(city->x, city->y).owner = static_cast<uint8_t>(country);
  }
  const std::vector<sKonwoj>& Convoys(int country = 1) { return g.game->convoys->convoys[country - 1]; }
  // "P2>A" for every convoy of the country, in order.
  std::vector<std::wstring> Routes(int country = 1) {
    std::vector<std::wstring> out;
    for (const sKonwoj& k : Convoys(country)) out.push_back(k.departure->name + L">" + k.destination->name);
    return out;
  }

  GameFixture g;
  cMiasto *s, *p1, *p2, *a, *b, *c;
  int z1 = 0, z2 = 0;
  tCityGroups groups;
  cAI* ai;
};

using Routes = std::vector<std::wstring>;

TEST(AiConvoys, DeparturePortsAreThePortsALandSourceReaches) {
  ConvoyWorld w;
  std::list<cMiasto*> ports;
  w.ai->CollectConvoySources(ports);
  EXPECT_EQ(ports, (std::list<cMiasto*>{w.p1, w.p2}));
  // Without a source at home (S and P2 pass to a neutral owner) no port
  // qualifies; an allied port of the home group still does once the
  // alliance leader owns the source.
  w.Hold(w.s, 2);
  w.p2->type = kCityPort;
  w.ai->CollectConvoySources(ports);
  EXPECT_TRUE(ports.empty());
  w.g.game->countries[0]->alliance = 1;
  w.g.game->countries[1]->alliance = 4;
  w.Hold(w.p1, 2);
  w.ai->CollectConvoySources(ports);
  EXPECT_EQ(ports, (std::list<cMiasto*>{w.p1, w.p2}));
  // A leader draws on its own sources only.
  w.g.game->countries[0]->alliance = 4;
  w.g.game->countries[1]->alliance = 1;
  w.ai->CollectConvoySources(ports);
  EXPECT_TRUE(ports.empty());
}

TEST(AiConvoys, ConvoysOfOneImpulse) {
  struct Case {
    const char* name;
    std::function<void(ConvoyWorld&)> setup;
    Routes expected;
  };
  const std::vector<Case> cases = {
      // The route of fewest sea nodes: P2 - Z2 - A (3) beats P1 - Z1 - Z2 - A.
      {"fewest nodes", [](ConvoyWorld&) {}, {L"P2>A"}},
      // Equal routes: the first port of the city list.
      {"first of equals", [](ConvoyWorld& w) { naval_test::TwoWay(w.g, w.Node(w.p1), w.z2); }, {L"P1>A"}},
      {"supplied at the level", [](ConvoyWorld& w) { w.a->supplyInfo[0] = 10; }, {}},
      // Every land mass short of supply gets one, in the order of the groups.
      {"two land masses", [](ConvoyWorld& w) { w.b->supplyInfo[0] = 9; }, {L"P2>A", L"P2>B"}},
      // A source on A's land mass makes A a departure port: supplied by land.
      // A's route to B is as short as P2's, which comes first.
      {"departure port's land mass",
       [](ConvoyWorld& w) {
         w.a->type = kCitySupplyPort;
         w.b->supplyInfo[0] = 0;
       },
       {L"P2>B"}},
      // The second standing convoy already departs from A's land mass; the
      // first is dropped.
      {"served from its land mass",
       [](ConvoyWorld& w) {
         w.g.game->convoys->AddConvoyBetweenCities(1, kConvoyResources, 5, w.p1->x, w.p1->y, w.b->x, w.b->y);
         w.g.game->convoys->AddConvoyBetweenCities(1, kConvoyResources, 5, w.a->x, w.a->y, w.b->x, w.b->y);
       },
       {L"A>B"}},
      // A strait held by nobody friendly closes the only way.
      {"no route",
       [](ConvoyWorld& w) {
         for (int id : {w.z1, w.z2})
           for (sKrawedzGrafuMorz& e : w.g.game->seaGraph.FindNode(id)->edges) {
             e.gateX = 11;
             e.gateY = 7;
           }
       },
       {}},
  };
  for (const Case& c : cases) {
    ConvoyWorld w;
    c.setup(w);
    w.ai->ConvoysActions();
    EXPECT_EQ(w.Routes(), c.expected) << c.name;
  }
}

// The convoy opened carries what the destination lacks of full supply.
TEST(AiConvoys, NewConvoyCarriesTheShortfall) {
  ConvoyWorld w;
  w.a->supplyInfo[0] = 4;
  w.ai->ConvoysActions();
  ASSERT_EQ(w.Convoys().size(), 1u);
  EXPECT_EQ(w.Convoys()[0].kind, kConvoySupplies);
  EXPECT_EQ(w.Convoys()[0].value, 6);
  EXPECT_EQ(w.Convoys()[0].countryId, 1);
}

// One convoy is dropped every impulse, so a land mass that still needs
// supply is served again; with two, the convoys take turns.
TEST(AiConvoys, DroppedAndOpenedAgainEachImpulse) {
  ConvoyWorld w;
  cLogCapture log;
  w.b->supplyInfo[0] = 0;
  w.ai->ConvoysActions();
  ASSERT_EQ(w.Routes(), (Routes{L"P2>A", L"P2>B"}));
  const int firstId = w.Convoys()[0].id;
  w.ai->ConvoysActions();
  EXPECT_EQ(w.Routes(), (Routes{L"P2>B", L"P2>A"}));
  EXPECT_GT(w.Convoys()[1].id, firstId);
  // Supplied by now: the dropped convoy is not replaced.
  w.b->supplyInfo[0] = 10;
  w.ai->ConvoysActions();
  EXPECT_EQ(w.Routes(), (Routes{L"P2>A"}));
  EXPECT_TRUE(log.Has(L"[AI] C1: convoy P2 -> A"));
}

// A country without convoys or without a topography still runs the phase.
TEST(AiConvoys, NothingToDropOrNoLandMasses) {
  ConvoyWorld w;
  w.a->supplyInfo[0] = 10;
  w.ai->ConvoysActions();
  EXPECT_TRUE(w.Convoys().empty());
  w.ai->country = w.g.game->countries[1];
  w.ai->ConvoysActions();
  EXPECT_TRUE(w.Convoys(2).empty());
  EXPECT_EQ(w.ai->FindConvoyDestination({w.p1}), nullptr);
}

}  // namespace
