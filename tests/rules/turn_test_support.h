#pragma once
// A small world for the turn tests: three alliance leaders at peace, each
// holding a victory city, with a calendar of three turns a month, computer
// players for every country and a recording front end.
#include <string>

#include "ai/ai.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/play_order.h"

namespace turn_test {

class TurnWorld {
 public:
  TurnWorld() : g(9, 4, 3), scope(&fe) {
    unit_test::LoadShippedStrings();
    for (int& t : g.game->consts.turnsPerMonth) t = 3;
    const int codes[3] = {4, 5, 6};
    for (cPanstwo* c : g.game->countries) {
      c->alliance = codes[c->id - 1];
      c->name = L"C" + std::to_wstring(c->id);
      c->politicalStrength = 10 * (4 - c->id);
      c->consts = g.game->consts;
      cMiasto* city = unit_test::AddCity(g, 3 * (c->id - 1), 1, 0, c->id, c->name.c_str());
      city->victoryPoints = 5;
    }
    // Every hex belongs to the first country, so that no hex is ownerless.
    for (sHex& h : g.game->map->hexes)
      if (h.controller == 0) h.controller = h.owner = h.originalOwner = 1;
    g.game->turn = 1;
    g.game->turnsLeft = 10;
    g.game->date.turn = 1;
    g.game->date.month = 9;
    g.game->date.year = 1939;
    g.game->lastHarbourMonth = 9;
    CreateComputerPlayers(*g.game);
    SeedRandom(7);
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  cGra& game() { return *g.game; }
  // Hands the game to the computers, the first country of the order first.
  void StartComputerImpulses() {
    g.game->selection.SetCurrentCountry(DetermineCurrentCountry(g.game->countries));
    g.game->SetState(kStateComputerPlays);
  }

  world_test::GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
};

}  // namespace turn_test
