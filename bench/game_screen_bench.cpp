// One frame of the game screen of the shipped scenario at 1920 x 1080 on the
// software renderer: the map with its units, the panels and the cursor.
#include <benchmark/benchmark.h>

#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "screens/game/game_screen.h"
#include "support/game_ui_harness.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

void BM_GameScreenFrame(benchmark::State& state) {
  ui_test::cGameUiHarness h(1920, 1080, "game_screen_bench", true);
  DestroyAllMenus();
  if (LoadNewScenario(ScenarioLoadRequest(L"AutumnStorm1939")) != 0 || gGra == nullptr) {
    state.SkipWithError("the shipped scenario did not load");
    return;
  }
  for (cPanstwo* c : gGra->countries)
    if (c->active && c->politicalStrength != -1) {
      c->humanControlled = 1;
      break;
    }
  gGra->selection.SetCurrentCountry(gGra->countries.front());
  // The minimap as the scenario settings menu sets it up.
  gGra->map->InitMinimap(L"data\\scenarios\\AutumnStorm1939\\minimap.png");
  StartGameScreen();
  h.Frames(5);
  // The frame measured, to be looked at.
  h.Screenshot("game_screen_frame");
  for (auto _ : state) h.Frames(1);
}
BENCHMARK(BM_GameScreenFrame)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
