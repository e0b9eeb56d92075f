// The computer player's fronts, front patching, air rebasing and attack
// planning of one country's impulse on the generated world, with the quiet
// front end. Each pass plays the next country, so the attacks change the
// world as a game would.
#include <benchmark/benchmark.h>

#include "ai/ai.h"
#include "generated_world.h"
#include "world/cities_diagram.h"
#include "world/city.h"

namespace {

void BM_AiFrontsAndAttacksImpulse(benchmark::State& state) {
  cGra* game = bench_world::MakeWorld();
  for (cPanstwo* c : game->countries) c->name = L"Country";
  // The generated ports have no sea nodes: a captured one would end the run.
  for (cMiasto* city : game->cities)
    if (city->IsPort()) city->type = kCityRegular;
  game->citiesDiagram.AddCityNodes(game->cities);
  CreateComputerPlayers(*game);
  size_t next = 0;
  for (auto _ : state) {
    cPanstwo* country = game->countries[next % game->countries.size()];
    ++next;
    cAI& ai = *game->computerPlayers[static_cast<size_t>(country->id) - 1];
    ai.country = country;
    ai.ApplyDoNotAttackCities();
    ai.BuildUnitLists();
    ai.ComputeNodeStrengths();
    ai.UpdateFronts();
    ai.RateFronts();
    ai.SavePoorlyDefendedFronts();
    ai.PatchFronts();
    ai.RebaseAirUnits();
    ai.PlanMultiDirectionAttacks();
    ai.PlanOneSideAttacks();
    benchmark::DoNotOptimize(ai.fronts.size());
  }
  DestroyGame();
}
BENCHMARK(BM_AiFrontsAndAttacksImpulse)->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly(false);

}  // namespace
