#pragma once
// Cities and real units placed on a test game's map, shared by the world
// and the units tests. Uses the game fixture of the world tests.
#include <string>

#include "core/string_table.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/world_test_support.h"

namespace unit_test {

using world_test::GameFixture;

inline void LoadShippedStrings() {
  static bool loaded = false;
  if (!loaded)
    loaded = gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings");
  ASSERT_TRUE(loaded);
}

// A land unit with a cost of its own, so that its strength value and combat
// strength are not 0.
class ValuedLandUnit : public cJednostkaLadowa {
 public:
  explicit ValuedLandUnit(float cost) : cost_(cost) {}
  float GetUnitCost() const override { return cost_; }

 private:
  float cost_;
};

// A city entered on its hex, held (controlled and owned) by the controller.
inline cMiasto* AddCity(GameFixture& g, int x, int y, int type, int controller, const wchar_t* name = L"City") {
  auto* c = new cMiasto();
  c->x = x;
  c->y = y;
  c->type = type;
  c->name = name;
  sHex& hex = g.hex(x, y);
  hex.controller = static_cast<uint8_t>(controller);
  hex.owner = static_cast<uint8_t>(controller);
  hex.city = c;
  g.game->cities.push_back(c);
  return c;
}

// A land unit of the country on the map, in the land-unit list.
inline ValuedLandUnit* PlaceLand(GameFixture& g, int country, int x, int y, float cost = 10.0f,
                                 const wchar_t* name = L"Unit") {
  auto* u = new ValuedLandUnit(cost);
  u->countryId = country;
  u->SetName(name);
  u->SetType(0);
  u->x = x;
  u->y = y;
  g.hex(x, y).unit = u;
  g.game->landUnits.push_back(u);
  return u;
}

// An air unit of the country on the map, in the air-unit list.
inline cJednostkaLotnicza* PlaceAir(GameFixture& g, int country, int x, int y, int strength = 10) {
  auto* u = new cJednostkaLotnicza();
  u->countryId = country;
  u->SetType(kTypeFighter);
  u->strength = strength;
  u->x = x;
  u->y = y;
  g.hex(x, y).unit = u;
  g.game->airUnits.push_back(u);
  return u;
}

inline sDowodca* AddCommander(GameFixture& g, int id, int country, int type, int skill, int experience = 0) {
  auto* c = new sDowodca();
  c->id = id;
  c->countryId = country;
  c->type = type;
  c->skill = skill;
  c->experience = experience;
  g.game->commanders.push_back(c);
  return c;
}

inline void Attach(sDowodca* c, cUnit* u) {
  c->unit = u;
  c->state = 2;
  u->commander = c;
}

}  // namespace unit_test
