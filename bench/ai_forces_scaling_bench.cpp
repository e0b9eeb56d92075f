// Computer turns of the shipped scenario with its land forces multiplied:
// every land unit on the map gets copies of itself on the nearest free hexes
// its country controls, and the computer plays eight turns. The mean turn
// against the number of land units gives the exponent of the growth
// (log of the time ratio over log of the unit ratio). The second argument
// turns the reuse of unchanged move ranges in the attack loop on (1) or
// off (0).
#include <benchmark/benchmark.h>

#include <chrono>
#include <deque>
#include <set>
#include <thread>
#include <vector>

#include "support/whole_game.h"
#include "units/unit.h"

namespace {

constexpr int kTurns = 8;

// The nearest free land hex the country controls, by breadth over the
// neighbours; null when none is within the search.
sHex* FreeHexNear(cMapa& map, int x0, int y0, int country) {
  std::deque<std::pair<int, int>> queue{{x0, y0}};
  std::set<std::pair<int, int>> seen{{x0, y0}};
  while (!queue.empty() && seen.size() < 400) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    sHex* hex = map.GetHex(x, y);
    if (hex->unit == nullptr && hex->IsLand() && hex->controller == country && hex->city == nullptr) return hex;
    for (int d = 0; d < 6; ++d) {
      if (!map.HasNeighbour(x, y, d)) continue;
      const sHex* n = map.GetNeighbourHex(x, y, d);
      if (seen.insert({n->x, n->y}).second) queue.push_back({n->x, n->y});
    }
  }
  return nullptr;
}

// Copies of every land unit on the map, factor - 1 of each, fresh from its
// commander and transport.
void MultiplyLandForces(cGra& g, int factor) {
  const std::vector<cJednostkaLadowa*> originals(g.landUnits.begin(), g.landUnits.end());
  for (int k = 1; k < factor; ++k)
    for (const cJednostkaLadowa* u : originals) {
      if (u->type == kTypeMulberry || u->x < 0) continue;
      sHex* hex = FreeHexNear(*g.map, u->x, u->y, u->countryId);
      if (hex == nullptr) continue;
      auto* copy = new cJednostkaLadowa(*u);
      copy->unitId = ++g.landUnitCounter;
      copy->commander = nullptr;
      copy->transport = nullptr;
      copy->moveList.clear();
      copy->planningList.clear();
      copy->x = hex->x;
      copy->y = hex->y;
      hex->unit = copy;
      g.landUnits.push_back(copy);
    }
}

void BM_ComputerTurnsByLandForces(benchmark::State& state) {
  const int factor = static_cast<int>(state.range(0));
  cAI::reuseMoveRanges = state.range(1) != 0;
  double seconds = 0.0;
  size_t units = 0;
  for (auto _ : state) {
    whole_game::cGameFolder folder("forces");
    if (!whole_game::LoadStrings() || LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)) != 0 || gGra == nullptr) {
      state.SkipWithError("the scenario did not load");
      break;
    }
    cGra& g = *gGra;
    MultiplyLandForces(g, factor);
    units = g.landUnits.size();
    for (cPanstwo* c : g.countries) c->humanControlled = 0;
    g.turnsLeft = kTurns;
    g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
    SeedRandom(1939);
    SetWorkerSeed(1939);
    const auto start = std::chrono::steady_clock::now();
    g.SetState(kStateComputerPlays);
    StartWorkerThread();
    while (g.GetState() != kStateHumanPlays) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    StopWorkerThread();
    ClearWorkerSeed();
    DestroyGame();
  }
  cAI::reuseMoveRanges = true;
  state.counters["land_units"] = static_cast<double>(units);
  state.counters["turn_ms"] = seconds * 1000.0 / static_cast<double>(kTurns * state.iterations());
}
BENCHMARK(BM_ComputerTurnsByLandForces)
    ->ArgsProduct({{1, 2, 4, 6}, {1, 0}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
