// The world check run after every end of turn of a whole game: a small
// world that holds, then one fault at a time, each found and named.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "support/unit_fixtures.h"
#include "support/world_consistency.h"
#include "world/commander.h"
#include "world/fleet.h"

namespace {

using unit_test::PlaceAir;
using unit_test::PlaceLand;
using world_test::GameFixture;

// A unit that is in no list of any game; only its address is looked at.
cJednostkaLadowa gGone;

// Two countries on a 6x6 land map with a sea hex at (5, 5): a land and an
// air unit of each side's, a reserve unit, and a fleet whose cargo ship
// carries a land unit.
struct World {
  World() : g(6, 6, 2) {
    g.hex(5, 5).terrain = kTerrainSea;
    g.game->countries[0]->alliance = 5;
    g.game->countries[1]->alliance = 4;
    land = PlaceLand(g, 1, 1, 1);
    land->strength = 100;
    enemy = PlaceLand(g, 2, 3, 3);
    enemy->strength = 40;
    air = PlaceAir(g, 1, 2, 2, 100);
    reserve = new cJednostkaLadowa();
    reserve->countryId = 1;
    reserve->strength = 60;
    reserve->inReserve = 1;
    g.game->reserve.push_back(reserve);

    fleet = new sFlota();
    fleet->id = 1;
    fleet->countryId = 1;
    ship = new cJednostkaMorska();
    ship->countryId = 1;
    ship->unitId = 7;
    ship->SetType(kTypeCargo);
    ship->hitPoints = ship->maxHitPoints = 4;
    ship->fleet = fleet;
    fleet->ships.push_back(ship);
    g.game->fleets.push_back(fleet);
    g.game->navalUnits.push_back(ship);
    carried = new cJednostkaLadowa();
    carried->countryId = 1;
    carried->strength = 80;
    carried->transport = ship;
    ship->carriedUnit = carried;
    g.game->transportedUnits.push_back(carried);
  }
  std::vector<std::string> Faults() const { return world_consistency::CheckWorld(*g.game); }

  GameFixture g;
  cJednostkaLadowa* land;
  cJednostkaLadowa* enemy;
  cJednostkaLotnicza* air;
  cJednostkaLadowa* reserve;
  sFlota* fleet;
  cJednostkaMorska* ship;
  cJednostkaLadowa* carried;
};

TEST(WorldConsistency, ASoundWorldHasNoFault) {
  World w;
  EXPECT_TRUE(w.Faults().empty()) << world_consistency::Summary(w.Faults());
}

TEST(WorldConsistency, EachFaultIsFoundAndNamed) {
  struct Case {
    const char* what;
    std::function<void(World&)> breakIt;
    const char* expected;
  };
  const Case cases[] = {
      {"a land unit on the sea",
       [](World& w) {
         w.g.hex(1, 1).unit = nullptr;
         w.land->x = 5;
         w.land->y = 5;
         w.g.hex(5, 5).unit = w.land;
       },
       "stands on the sea hex (5, 5)"},
      {"a unit that left its hex behind", [](World& w) { w.land->x = 0; }, "the hex (1, 1) holds Unit"},
      {"a unit whose hex holds another", [](World& w) { w.g.hex(1, 1).unit = w.enemy; }, "but the hex holds Unit"},
      {"a hex holding a unit of no list",
       [](World& w) {
         w.g.game->airUnits.remove(w.air);
         w.g.game->reserve.push_back(w.air);
         w.air->inReserve = 0;
       },
       "the hex (2, 2) holds a unit that is on no map list"},
      {"a killed land unit left listed", [](World& w) { w.enemy->strength = 0; }, "is dead (strength 0)"},
      {"a shot-down air unit left listed", [](World& w) { w.air->strength = -2; }, "is dead (strength -2)"},
      {"a sunk ship in the naval reserve",
       [](World& w) { w.g.game->navalReserve.push_back(new cJednostkaMorska()); },
       "is sunk but in the naval reserve pool"},
      {"a sighting of a unit gone from the game",
       [](World& w) { w.g.game->countries[0]->airReconSightings.push_back(&gGone); },
       "has sighted a unit that is not in the game"},
      {"a commander with a unit gone from the game",
       [](World& w) {
         w.g.game->commanders.push_back(new sDowodca());
         w.g.game->commanders.back()->unit = &gGone;
       },
       "is with a unit that is not in the game"},
      {"an air unit past full strength", [](World& w) { w.air->strength = 101; }, "has strength 101 above 100"},
      {"a unit listed twice", [](World& w) { w.g.game->landUnits.push_back(w.land); }, "is listed twice"},
      {"a unit on the map flagged as in reserve", [](World& w) { w.land->inReserve = 1; }, "is in the reserve"},
      {"a dead reserve unit", [](World& w) { w.reserve->strength = 0; }, "is dead but in the reserve pool"},
      {"a sunk ship left listed", [](World& w) { w.ship->hitPoints = 0; }, "is sunk but listed"},
      {"a ship its fleet does not hold", [](World& w) { w.fleet->ships.clear(); }, "which does not hold it"},
      {"a ship of a fleet not in the game", [](World& w) { w.g.game->fleets.clear(); }, "a fleet that is not in the game"},
      {"a carried unit its ship forgot", [](World& w) { w.ship->carriedUnit = nullptr; }, "is not carried by its ship"},
      {"a carried unit on the wrong list",
       [](World& w) {
         w.g.game->transportedUnits.remove(w.carried);
         w.g.game->amphibiousUnits.push_back(w.carried);
       },
       "is on a ship of another type"},
      {"a land unit aboard and on the map", [](World& w) { w.land->transport = w.ship; }, "is on the map and aboard"},
      {"two leaders of one alliance", [](World& w) { w.g.game->countries[1]->alliance = 5; }, "alliance 5 has 2 leaders"},
      {"a leader out of the game", [](World& w) { w.g.game->countries[1]->active = 0; }, "leads alliance 4 but is out"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    World w;
    c.breakIt(w);
    const auto faults = w.Faults();
    bool found = false;
    for (const std::string& f : faults) found = found || f.find(c.expected) != std::string::npos;
    EXPECT_TRUE(found) << "expected \"" << c.expected << "\" among:" << world_consistency::Summary(faults);
    // Put back what the game's teardown frees, so that nothing is freed twice
    // or lost, and forget the unit that was never in the game.
    w.g.game->countries[0]->airReconSightings.clear();
    for (sDowodca* d : w.g.game->commanders) d->unit = nullptr;
    w.land->transport = nullptr;
    w.land->inReserve = 0;
    auto& lands = w.g.game->landUnits;
    lands.remove(w.land);
    lands.push_back(w.land);
    if (w.g.game->fleets.empty()) w.g.game->fleets.push_back(w.fleet);
    w.g.game->amphibiousUnits.remove(w.carried);
    if (std::find(w.g.game->transportedUnits.begin(), w.g.game->transportedUnits.end(), w.carried) ==
        w.g.game->transportedUnits.end())
      w.g.game->transportedUnits.push_back(w.carried);
    auto& reserve = w.g.game->reserve;
    if (std::find(reserve.begin(), reserve.end(), w.air) != reserve.end()) {
      reserve.erase(std::find(reserve.begin(), reserve.end(), w.air));
      w.g.game->airUnits.push_back(w.air);
    }
  }
}

}  // namespace
