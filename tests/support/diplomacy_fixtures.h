#pragma once
// Countries set up for the diplomacy rules and the computer's diplomacy.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "world/country.h"
#include "world/game.h"
#include "world/world_test_support.h"

namespace diplomacy_test {

struct sCountrySetup {
  int alliance, orientation, zone, strength;
};

// Adds the countries in order, each with 1000 diplomatic points, social unrest
// 10, the alliance entry of a leader (100) or a neutral (50) and the delay and
// hasten factors of the alliance-entry policy. The political tables and the
// pressure factors get values that tell every cell apart.
inline void AddDiplomacyCountries(world_test::GameFixture& g, std::initializer_list<sCountrySetup> setups) {
  for (const sCountrySetup& s : setups) {
    cPanstwo* c = g.AddCountry(s.alliance);
    c->name = L"C" + std::to_wstring(c->id);
    c->orientation = s.orientation;
    c->zoneOfInfluence = s.zone;
    c->politicalStrength = s.strength;
    c->allianceEntry = s.alliance != 0 ? 100 : 50;
    c->diplomaticPoints = 1000;
    c->socialUnrest = 10.0f;
    const float delay[6] = {0.5f, 0.8f, 1.25f, 0, 6, 10};
    const float hasten[6] = {1, 1, 1, 0, 6, 15};
    std::copy(delay, delay + 6, c->consts.c091);
    std::copy(hasten, hasten + 6, c->consts.c092);
  }
  sConsts& k = g.game->consts;
  for (int r = 0; r < 9; ++r)
    for (int col = 0; col < 6; ++col) {
      k.politicalTable1[r][col] = 10 + 5 * r + col;
      k.politicalTable2[r][col] = r + col;
    }
  const float pressure[6] = {2.0f, 0.5f, 0.25f, 0, 6, 12};
  std::copy(pressure, pressure + 6, k.pressureFactors);
}

}  // namespace diplomacy_test
