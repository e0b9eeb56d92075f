// The shipped scenario played by the computer alone from its first turn to
// its end, as the whole-game test plays it: the median time of a whole turn
// (every country's impulse and the end of turn) and the 95th percentile of
// one country's impulse, as counters in milliseconds, by the clock and by the
// worker thread's processor time.
#include <benchmark/benchmark.h>

#include <vector>

#include "support/whole_game.h"

namespace {

void BM_WholeComputerGame(benchmark::State& state) {
  std::vector<double> turns;
  std::vector<double> impulses;
  std::vector<double> turnsCpu;
  std::vector<double> impulsesCpu;
  size_t turnCount = 0;
  for (auto _ : state) {
    whole_game::cGameFolder folder("bench");
    const whole_game::sResult r = whole_game::PlayWholeGame(whole_game::sOptions{});
    if (!r.failure.empty()) {
      state.SkipWithError(r.failure.c_str());
      return;
    }
    turnCount = r.turns.size();
    for (const whole_game::sTurn& t : r.turns) {
      turns.push_back(t.seconds);
      turnsCpu.push_back(t.cpuSeconds);
      for (const whole_game::sImpulse& i : t.impulses) {
        impulses.push_back(i.seconds);
        impulsesCpu.push_back(i.cpuSeconds);
      }
    }
  }
  state.counters["turns"] = static_cast<double>(turnCount);
  state.counters["turn_median_ms"] = whole_game::Percentile(turns, 0.5) * 1000.0;
  state.counters["turn_max_ms"] = whole_game::Percentile(turns, 1.0) * 1000.0;
  state.counters["impulse_p95_ms"] = whole_game::Percentile(impulses, 0.95) * 1000.0;
  state.counters["impulse_max_ms"] = whole_game::Percentile(impulses, 1.0) * 1000.0;
  // The worker's processor time: the same figures unswayed by other work
  // on the machine.
  state.counters["turn_median_cpu_ms"] = whole_game::Percentile(turnsCpu, 0.5) * 1000.0;
  state.counters["impulse_p95_cpu_ms"] = whole_game::Percentile(impulsesCpu, 0.95) * 1000.0;
}
// One game is long enough to measure; its turns and impulses are the samples.
BENCHMARK(BM_WholeComputerGame)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
