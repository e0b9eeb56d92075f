// Hexes changing hands: capture, ports falling with their fleets, absorbed
// pockets, annexation, peace and the event rewrites of stripes and
// territories.
#include <gtest/gtest.h>

#include "core/random.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/hex_map.h"
#include "world/world_test_support.h"

namespace {

using unit_test::AddCity;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;
using world_test::LogCapture;

// Fills the map's columns [x0, x1] with a holder (controller and owner).
void Hold(GameFixture& g, int x0, int x1, int country) {
  for (int x = x0; x <= x1; ++x)
    for (int y = 0; y < g.map().height; ++y) {
      g.hex(x, y).controller = static_cast<uint8_t>(country);
      g.hex(x, y).owner = static_cast<uint8_t>(country);
    }
}

class Territory : public ::testing::Test {
 protected:
  Territory() : g(8, 7, 4) {
    unit_test::LoadShippedStrings();
    g.SetWar(1, 2);
    Hold(g, 0, 1, 1);
    Hold(g, 2, 7, 2);
  }
  GameFixture g;
};

TEST_F(Territory, CaptureTakesTheHexAndUnguardedEmptyNeighbours) {
  AddCity(g, 3, 3, kCityRegular, 2);  // entered
  AddCity(g, 3, 2, kCityRegular, 2);  // beside it
  PlaceLand(g, 2, 3, 5);              // guards (3, 4)
  PlaceAir(g, 2, 1, 3);               // an air unit guards nothing: (2, 3) falls
  g.hex(4, 2).controller = 3;         // at peace with 1
  g.hex(4, 3).controller = 0;         // nobody's
  g.map().CaptureHexAndSurroundings(1, 3, 3);

  EXPECT_EQ(g.hex(3, 3).controller, 1);
  EXPECT_EQ(g.hex(3, 3).owner, 2);
  EXPECT_EQ(g.hex(3, 2).controller, 2);
  EXPECT_EQ(g.hex(3, 4).controller, 2);
  EXPECT_EQ(g.hex(4, 2).controller, 3);
  EXPECT_EQ(g.hex(4, 3).controller, 0);
  EXPECT_EQ(g.hex(2, 3).controller, 1);
  EXPECT_EQ(g.hex(2, 2).controller, 1);
  // In the order north, south, then clockwise from the upper right.
  const auto& captured = g.game->selection.capturedHexes;
  ASSERT_EQ(captured.size(), 3u);
  auto it = captured.begin();
  EXPECT_EQ(std::make_pair(it->x, it->y), std::make_pair(3, 3));
  ++it;
  EXPECT_EQ(std::make_pair(it->x, it->y), std::make_pair(2, 3));
  ++it;
  EXPECT_EQ(std::make_pair(it->x, it->y), std::make_pair(2, 2));
  EXPECT_EQ(it->previousController, 2);
  // Borders follow the new controller.
  EXPECT_NE(g.hex(2, 2).borders & kBorderControllerBits, 0);
}

TEST_F(Territory, NobodyCapturesNothing) {
  g.map().CaptureHexAndSurroundings(0, 3, 3);
  g.map().CaptureHexAndSurroundings(3, 3, 3);  // at peace with the holder
  EXPECT_EQ(g.hex(3, 3).controller, 2);
  EXPECT_EQ(g.hex(2, 3).controller, 2);
  EXPECT_TRUE(g.game->selection.capturedHexes.empty());
}

// A port at (3, 3) whose node 1 has edges to a port (3) and a sea zone (2).
class PortCapture : public Territory {
 protected:
  PortCapture() {
    g.game->seaGraph.nodes.resize(3);
    for (int i = 0; i < 3; ++i) g.game->seaGraph.nodes[static_cast<size_t>(i)].id = i + 1;
    g.game->seaGraph.nodes[0].seaZone = 0;
    g.game->seaGraph.nodes[2].seaZone = 0;
    g.game->seaGraph.nodes[0].edges = {{3, -1, -1}, {2, -1, -1}};
    g.game->seaGraph.nodes[2].edges = {{1, -1, -1}};
    g.game->seaGraph.nodes[1].name = L"Open sea";
    port = AddCity(g, 3, 3, kCityPort, 2, L"Portus");
    g.hex(3, 3).seaNodeMarker = 1;
  }
  sFlota* Fleet(int id, int node) {
    auto* f = new sFlota();
    f->id = id;
    f->SetName(L"Squadron " + std::to_wstring(id));
    f->countryId = 2;
    f->seaNode = node;
    g.game->fleets.push_back(f);
    return f;
  }
  cMiasto* port;
};

TEST_F(PortCapture, FleetsInTheFallenPortPutToSea) {
  sFlota* a = Fleet(1, 1);
  sFlota* other = Fleet(2, 3);
  sFlota* b = Fleet(3, 1);
  LogCapture log;
  g.map().CaptureHexAndSurroundings(1, 3, 3);
  EXPECT_EQ(a->seaNode, 2);
  EXPECT_EQ(b->seaNode, 2);
  EXPECT_EQ(other->seaNode, 3);
  EXPECT_EQ(log.CountContaining(L"left port which became enemy controlled and moved to"), 2);
  EXPECT_TRUE(log.Has(L"Squadron 3 left port which became enemy controlled and moved to Open sea"));
  // A regular city is no port: nothing to check.
  g.map().CheckPortCaptured(0, 0);
}

TEST_F(PortCapture, APortWithoutWayOutOrNodeIsFatal) {
  g.hex(5, 5).seaNodeMarker = 3;
  AddCity(g, 5, 5, kCitySupplyPort, 2, L"Lagoon");
  Fleet(7, 3);
  EXPECT_EXIT((LogToStderr(), g.map().CaptureHexAndSurroundings(1, 5, 5)), ::testing::ExitedWithCode(1),
              "Squadron 7 cannot retreat to adjacent seazone from captured port!");
  g.hex(3, 3).seaNodeMarker = 0;
  EXPECT_EXIT((LogToStderr(), g.map().CheckPortCaptured(3, 3)), ::testing::ExitedWithCode(1),
              "Port Portus \\(3,3\\) not found in sea graph!");
}

// Country 1 (allies) holds the west with its city; country 2 (axis) the
// east with its city.
class Absorption : public Territory {
 protected:
  Absorption() {
    g.game->countries[0]->alliance = kAllianceAllies;
    g.game->countries[1]->alliance = kAllianceAxis;
    g.game->countries[2]->alliance = kAllianceAllies;
    AddCity(g, 0, 3, kCityRegular, 1);
    AddCity(g, 7, 3, kCityRegular, 2);
  }
};

TEST_F(Absorption, CutOffPocketsPassToTheEncirclingEnemy) {
  g.hex(0, 1).controller = 2;  // a pocket of the axis in the west
  g.hex(0, 5).controller = 2;  // another, with a unit on it
  PlaceLand(g, 2, 0, 5);
  g.hex(1, 1).controller = 3;  // held by an ally of 1, joined to the axis land
  g.hex(5, 1).controller = 1;  // an allied pocket in the east
  g.hex(0, 6).controller = 3;  // an ally of 1, joined to 1's land: no enemy pocket
  LogCapture log;
  g.map().AbsorbUnsuppliedHexes();
  EXPECT_TRUE(log.Has(L"Wchlaniam hexy bez zaopatrzenia"));
  EXPECT_EQ(g.hex(0, 1).controller, 1);
  EXPECT_EQ(g.hex(0, 1).owner, 1);
  EXPECT_EQ(g.hex(0, 5).controller, 2);
  EXPECT_EQ(g.hex(1, 1).controller, 3);
  EXPECT_EQ(g.hex(5, 1).controller, 2);
  EXPECT_EQ(g.hex(5, 1).owner, 2);
  EXPECT_EQ(g.hex(0, 6).controller, 3);
  EXPECT_EQ(g.hex(3, 3).controller, 2);
}

TEST_F(Absorption, AHarbourSuppliesWithinItsRange) {
  g.hex(0, 1).controller = 2;
  auto* harbour = new cMulberry();
  harbour->countryId = 2;
  harbour->SetType(kTypeMulberry);
  harbour->x = 3;
  harbour->y = 1;
  g.hex(3, 1).unit = harbour;
  g.game->landUnits.push_back(harbour);
  ASSERT_EQ(HexDistance(0, 1, 3, 1), 3);

  g.game->countries[1]->consts.c135[1] = 3.0f;
  g.map().AbsorbUnsuppliedHexes();
  EXPECT_EQ(g.hex(0, 1).controller, 1);

  g.hex(0, 1).controller = 2;
  g.game->countries[1]->consts.c135[1] = 3.5f;
  g.map().AbsorbUnsuppliedHexes();
  EXPECT_EQ(g.hex(0, 1).controller, 2);
  // An enemy's harbour supplies nobody else.
  harbour->countryId = 1;
  g.map().AbsorbUnsuppliedHexes();
  EXPECT_EQ(g.hex(0, 1).controller, 1);
}

TEST_F(Territory, AnnexationHandsOverAndReturnsHexes) {
  // Country 2 is annexed by 1: its own land passes, the land it occupied goes
  // back to its owners, its land that others occupied stays theirs.
  g.hex(0, 0).controller = 2;  // 2 occupies a hex of 1
  g.hex(6, 6).controller = 3;  // 3 occupies a hex of 2
  g.game->countries[1]->alliance = kAllianceAxis;
  g.game->countries[3]->alliance = kAllianceAxis;
  cJednostkaLadowa* ally = PlaceLand(g, 4, 5, 5);
  cJednostkaLadowa* enemy = PlaceLand(g, 1, 4, 4);
  g.map().TransferHexes(2, 1);
  EXPECT_EQ(g.hex(4, 4).controller, 1);
  EXPECT_EQ(g.hex(4, 4).owner, 1);
  EXPECT_EQ(g.hex(0, 0).controller, 1);
  EXPECT_EQ(g.hex(6, 6).controller, 3);
  EXPECT_EQ(g.hex(6, 6).owner, 3);
  // The annexed country's ally leaves for its reserve; its enemy stays.
  EXPECT_EQ(g.hex(5, 5).unit, nullptr);
  EXPECT_TRUE(ally->IsInReserve());
  EXPECT_EQ(g.hex(4, 4).unit, enemy);
}

TEST_F(Territory, AUnitNeitherAllyNorEnemyOnAnnexedLandIsFatal) {
  PlaceLand(g, 3, 5, 5, 10.0f, L"Stray");
  EXPECT_EXIT((LogToStderr(), g.map().TransferHexes(2, 1)), ::testing::ExitedWithCode(1),
              "While annexing, unit Stray was found");
}

TEST_F(Territory, PeaceReturnsOccupiedHexes) {
  g.hex(0, 0).controller = 2;
  g.hex(5, 5).controller = 1;
  g.hex(1, 6).controller = 3;  // an occupation between others
  g.map().ReturnOccupiedHexes(2);
  EXPECT_EQ(g.hex(0, 0).controller, 1);
  EXPECT_EQ(g.hex(5, 5).controller, 2);
  EXPECT_EQ(g.hex(1, 6).controller, 3);
}

TEST_F(Territory, StripesChangeAColumnOrNothing) {
  LogCapture log;
  EXPECT_FALSE(g.map().ChangeStripeControllerAndOwner(3, 2, 0, 3));
  EXPECT_FALSE(g.map().ChangeStripeControllerOwnerAndOriginalOwner(3, 2, 6, 3));  // past the last row
  EXPECT_FALSE(g.map().ChangeStripeControllerAndOwner(8, 0, 1, 3));
  EXPECT_EQ(log.CountContaining(L"incorrect parameter(s)! Ignoring this..."), 3);
  EXPECT_TRUE(log.Has(L"Error: HexStripe.ChangeControllerAndOwner(3 2 6 3) incorrect parameter(s)! Ignoring this..."));
  for (int y = 0; y < 7; ++y) EXPECT_EQ(g.hex(3, y).controller, 2);

  g.game->countries[0]->alliance = kAllianceAllies;
  g.game->countries[2]->alliance = kAllianceAllies;
  cJednostkaLadowa* friendUnit = PlaceLand(g, 1, 3, 2);
  cJednostkaLadowa* foe = PlaceLand(g, 2, 3, 3);
  EXPECT_TRUE(g.map().ChangeStripeControllerOwnerAndOriginalOwner(3, 2, 5, 3));
  for (int y = 2; y <= 6; ++y) {
    EXPECT_EQ(g.hex(3, y).controller, 3);
    EXPECT_EQ(g.hex(3, y).owner, 3);
    EXPECT_EQ(g.hex(3, y).originalOwner, 3);
  }
  EXPECT_EQ(g.hex(3, 1).controller, 2);
  EXPECT_EQ(g.hex(3, 2).unit, friendUnit);
  EXPECT_TRUE(foe->IsInReserve());
  EXPECT_TRUE(g.map().ChangeStripeControllerAndOwner(2, 0, 1, 3));
  EXPECT_EQ(g.hex(2, 0).originalOwner, 0);
}

TEST_F(Territory, WholeTerritoryPassesWithItsOriginalOwner) {
  g.hex(0, 0).controller = 2;
  cJednostkaLadowa* stays = PlaceLand(g, 3, 5, 5);
  cJednostkaLadowa* leaves = PlaceLand(g, 2, 6, 6);
  g.map().ChangeTerritoryControllerOwnerAndOriginalOwner(2, 3);
  EXPECT_EQ(g.hex(0, 0).controller, 3);
  EXPECT_EQ(g.hex(0, 0).owner, 3);
  EXPECT_EQ(g.hex(0, 0).originalOwner, 3);
  EXPECT_EQ(g.hex(1, 0).controller, 1);
  EXPECT_EQ(g.hex(5, 5).unit, stays);
  EXPECT_TRUE(leaves->IsInReserve());
}

TEST(CenterAtHex, MovesTheTargetOrWarns) {
  unit_test::LoadShippedStrings();
  GameFixture g(20, 10, 1);
  LogCapture log;
  g.map().CenterAtHex(-1, 0);
  EXPECT_TRUE(log.Has(L"Warning: attempt to center map on hex (-1,0) which is out of range!"));
  EXPECT_EQ(g.map().cameraTargetX, 0.0f);
  g.map().CenterAtHex(10, 4);
  EXPECT_EQ(g.map().cameraTargetX, 830.0f);
  EXPECT_EQ(g.map().cameraTargetY, 392.0f);
  g.map().CenterAtHex(0, 0);
  EXPECT_EQ(g.map().cameraTargetX, 83.0f);  // kept within the camera's bounds
}

}  // namespace

namespace {
// The absorption rule cell by cell through the map's own look-ups: the
// cities' flood over friendly and allied land, then every unreached land
// hex next to a reached enemy passes to that enemy (no harbours here).
std::vector<uint8_t> AbsorbedByReference(cMapa& map) {
  const int w = map.width;
  const int h = map.height;
  auto index = [w](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x); };
  auto ally = [](int a, int b) {
    const cPanstwo* c = gGra->GetCountry(a);
    return c != nullptr && c->IsAlly(b);
  };
  std::vector<uint8_t> reached(static_cast<size_t>(w * h), 0);
  std::vector<sHex*> queue;
  for (const cMiasto* city : gGra->cities) {
    reached[index(city->x, city->y)] = map.GetHex(city->x, city->y)->controller;
    queue.push_back(map.GetHex(city->x, city->y));
  }
  for (size_t i = 0; i < queue.size(); ++i) {
    const int c = queue[i]->controller;
    for (int d = 0; d < 6; ++d) {
      sHex* n = map.GetNeighbourHex(queue[i]->x, queue[i]->y, d);
      if (n == nullptr || n->controller == 0 || reached[index(n->x, n->y)] != 0) continue;
      if (n->controller != c && (c == 0 || !ally(n->controller, c))) continue;
      reached[index(n->x, n->y)] = n->controller;
      queue.push_back(n);
    }
  }
  std::vector<uint8_t> out(static_cast<size_t>(w * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out[index(x, y)] = map.GetHex(x, y)->controller;
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      const sHex* hex = map.GetHex(x, y);
      if (!hex->IsLand() || hex->controller == 0 || reached[index(x, y)] != 0) continue;
      for (int d = 0; d < 6; ++d) {
        const sHex* n = map.GetNeighbourHex(x, y, d);
        if (n == nullptr || reached[index(n->x, n->y)] == 0 || n->controller == 0) continue;
        if (!gGra->relations.IsAtWar(n->controller, hex->controller)) continue;
        if (hex->unit == nullptr) out[index(x, y)] = n->controller;
        break;
      }
    }
  return out;
}
}  // namespace

TEST(AbsorptionOnRandomMaps, AgreesWithTheRuleCellByCell) {
  unit_test::LoadShippedStrings();
  int absorbed = 0;
  for (uint32_t seed : {3u, 17u, 2024u, 99999u}) {
    SeedRandom(seed);
    GameFixture g(23, 17, 6);
    const int alliances[6] = {kAllianceAllies, kAllianceAxis, kAllianceAllies, kAllianceAxis, 0, 0};
    for (int i = 0; i < 6; ++i) g.game->countries[static_cast<size_t>(i)]->alliance = alliances[i];
    g.SetWar(1, 2);
    g.SetWar(3, 4);
    g.SetWar(1, 4);
    g.SetWar(5, 2);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) {
        sHex& hex = g.hex(x, y);
        if (RandomIndex(8) == 0) {
          hex.terrain = kTerrainSea;
          continue;
        }
        hex.controller = hex.owner = static_cast<uint8_t>(RandomIndex(7));  // 0: nobody
      }
    for (int k = 0; k < 12; ++k) {
      const int x = RandomIndex(23);
      const int y = RandomIndex(17);
      if (g.hex(x, y).city == nullptr && g.hex(x, y).IsLand())
        AddCity(g, x, y, kCityRegular, std::max(1, static_cast<int>(g.hex(x, y).controller)));
    }
    for (int k = 0; k < 10; ++k) {
      const int x = RandomIndex(23);
      const int y = RandomIndex(17);
      if (g.hex(x, y).unit == nullptr && g.hex(x, y).controller != 0) PlaceLand(g, g.hex(x, y).controller, x, y);
    }
    const std::vector<uint8_t> expected = AbsorbedByReference(g.map());
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) absorbed += expected[static_cast<size_t>(y * 23 + x)] != g.hex(x, y).controller;
    g.map().AbsorbUnsuppliedHexes();
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x)
        EXPECT_EQ(g.hex(x, y).controller, expected[static_cast<size_t>(y * 23 + x)]) << seed << ": " << x << "," << y;
  }
  EXPECT_GT(absorbed, 10);  // the maps do hold cut-off pockets
}
