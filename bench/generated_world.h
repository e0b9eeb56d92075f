#pragma once
// A generated world for the benchmarks of the end of impulse: a 120 x 80
// map with 30 countries in bands, 150 cities and 1,000 units (800 land, a
// hundredth of them artificial harbours, 200 air) and 60 ships at sea.
#include <algorithm>

#include "core/random.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"

namespace bench_world {


constexpr int kWidth = 120;
constexpr int kHeight = 80;
constexpr int kSeaRows = 6;  // the bottom rows are one sea node
constexpr int kCountries = 30;
constexpr int kCities = 150;
constexpr int kLandUnits = 800;
constexpr int kAirUnits = 200;
constexpr int kShips = 60;

inline int BandOf(int x) { return std::min(kCountries, x * kCountries / kWidth + 1); }

inline cGra* MakeWorld() {
  SeedRandom(4242);
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(kWidth, kHeight);
  for (int id = 1; id <= kCountries; ++id) {
    auto* c = new cPanstwo();
    c->id = id;
    c->active = 1;
    // Three leaders, members of the three alliances, and every fifth neutral.
    c->alliance = id <= 3 ? id + 3 : (id % 5 == 0 ? 0 : id % 3 + 1);
    c->consts.reserveSupplyLevel = 10;
    const int costs[8] = {1, 2, 2, 3, 2, 99, 1, 99};
    std::copy(std::begin(costs), std::end(costs), c->consts.c015);
    c->consts.c137 = 4;
    c->consts.c135[1] = 3.5f;
    c->consts.c168 = 4;
    c->consts.c169 = 3;
    std::fill(std::begin(c->consts.c170), std::end(c->consts.c170), 2);
    std::fill(std::begin(c->consts.c171), std::end(c->consts.c171), 1);
    game->countries.push_back(c);
  }
  game->relations.Resize(kCountries);
  // Every alliance at war with the others; the neutrals of even id at war
  // with their western neighbour.
  for (cPanstwo* a : game->countries)
    for (cPanstwo* b : game->countries) {
      const int sa = a->alliance == 0 ? 0 : (a->alliance - 1) % 3;
      const int sb = b->alliance == 0 ? 0 : (b->alliance - 1) % 3;
      if (a->alliance != 0 && b->alliance != 0 && sa != sb) game->relations.SetWar(a->id, b->id, 1);
    }
  for (cPanstwo* c : game->countries)
    if (c->alliance == 0 && c->id % 2 == 0) {
      game->relations.SetWar(c->id, c->id - 1, 1);
      game->relations.SetWar(c->id - 1, c->id, 1);
    }
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      sHex* hex = game->map->GetHex(x, y);
      if (y >= kHeight - kSeaRows) {
        hex->terrain = kTerrainSea;
        hex->seaZone = 1;
        continue;
      }
      hex->terrain = static_cast<uint8_t>(1 + RandomIndex(7));
      if (hex->terrain == kTerrainMountain) hex->terrain = kTerrainPlain;
      hex->controller = hex->owner = static_cast<uint8_t>(BandOf(x));
    }
  for (int placed = 0; placed < kCities;) {
    const int x = RandomIndex(kWidth);
    const int y = RandomIndex(kHeight - kSeaRows);
    sHex* hex = game->map->GetHex(x, y);
    if (hex->city != nullptr) continue;
    auto* city = new cMiasto();
    city->x = x;
    city->y = y;
    city->type = RandomIndex(5);
    city->supply = RandomInRange(2, 8);
    hex->city = city;
    game->cities.push_back(city);
    ++placed;
  }
  auto place = [&](cJednostka* u, int country) {
    for (;;) {
      const int x = RandomIndex(kWidth);
      const int y = RandomIndex(kHeight - kSeaRows);
      sHex* hex = game->map->GetHex(x, y);
      if (hex->unit != nullptr) continue;
      u->countryId = country > 0 ? country : BandOf(x);
      u->x = x;
      u->y = y;
      hex->unit = u;
      return;
    }
  };
  for (int i = 0; i < kLandUnits; ++i) {
    cJednostkaLadowa* u = i % 100 == 0 ? new cMulberry() : new cJednostkaLadowa();
    u->SetType(i % 100 == 0 ? kTypeMulberry : i % 7);
    place(u, 0);
    game->landUnits.push_back(u);
  }
  for (int i = 0; i < kAirUnits; ++i) {
    auto* u = new cJednostkaLotnicza();
    u->SetType(kTypeFighter + i % 3);
    place(u, 0);
    game->airUnits.push_back(u);
  }
  for (int i = 0; i < kShips; ++i) {
    auto* f = new sFlota();
    f->countryId = 1 + i % kCountries;
    f->seaNode = 1;
    game->fleets.push_back(f);
    auto* s = new cJednostkaMorska();
    s->countryId = f->countryId;
    s->SetType(kTypeCarrier + i % 6);
    s->fleet = f;
    f->ships.push_back(s);
    game->navalUnits.push_back(s);
  }
  return game;
}

}  // namespace bench_world
