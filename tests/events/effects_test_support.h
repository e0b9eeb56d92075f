#pragma once
// A game of three countries on a 12 x 12 land map whose effects run through
// the event manager's table, as an option's effects do.
#include <gtest/gtest.h>

#include <vector>
#include <string>

#include "core/game_lock.h"
#include "events/event_manager.h"
#include "support/log_capture.h"
#include "support/naval_fixtures.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/game.h"

namespace effects_test {

class EffectsTest : public ::testing::Test {
 protected:
  EffectsTest() : g(12, 12, 3) {
    CreateGameLock();
    for (cPanstwo* c : g.game->countries) c->name = L"Country" + std::to_wstring(c->id);
  }
  ~EffectsTest() override { DeleteGameLock(); }
  void SetUp() override { unit_test::LoadShippedStrings(); }

  static sEfekt Make(const wchar_t* method, const std::vector<double>& params, const wchar_t* text = L"") {
    sEfekt e;
    e.method = method;
    e.line = 7;
    int i = 0;
    for (double p : params) e.params[i++] = p;
    e.paramStrings[0] = text;
    return e;
  }
  void Run(const wchar_t* method, const std::vector<double>& params, const wchar_t* text = L"") {
    game().events->ExecuteEffect(Make(method, params, text));
  }

  cGra& game() { return *g.game; }
  cPanstwo& country(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  sHex& hex(int x, int y) { return g.hex(x, y); }
  std::vector<std::wstring>& messages() { return g.game->events->messages; }

  world_test::GameFixture g;
};

}  // namespace effects_test
