// Hop counts of every city and land paths over a cities diagram the size of
// a large scenario: a grid of cities joined by land links both ways.
#include <benchmark/benchmark.h>

#include <list>

#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// A game of side x side cities, one per hex, all held by country 1, each
// linked to its right and lower neighbour in both directions.
cGra* MakeGame(int side) {
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(side, side);
  auto* country = new cPanstwo();
  country->id = 1;
  country->alliance = 1;
  game->countries.push_back(country);
  game->relations.Resize(1);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      sHex* hex = game->map->GetHex(x, y);
      hex->terrain = kTerrainPlain;
      hex->controller = hex->owner = 1;
      auto* c = new cMiasto();
      c->x = x;
      c->y = y;
      hex->city = c;
      game->cities.push_back(c);
    }
  game->citiesDiagram.AddCityNodes(game->cities);
  auto& nodes = game->citiesDiagram.nodes;
  auto link = [&](int a, int b) {
    nodes[static_cast<size_t>(a)].links.push_back({b, kDiagramLinkLand});
    nodes[static_cast<size_t>(b)].links.push_back({a, kDiagramLinkLand});
  };
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const int i = y * side + x;
      if (x + 1 < side) link(i, i + 1);
      if (y + 1 < side) link(i, i + side);
    }
  return game;
}

void BM_ComputeCityDistances(benchmark::State& state) {
  cGra* game = MakeGame(static_cast<int>(state.range(0)));
  for (auto _ : state) game->ComputeCityDistances();
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(game->cities.size()));
  DestroyGame();
}
BENCHMARK(BM_ComputeCityDistances)->Arg(10)->Arg(20);

void BM_FindCityPath(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  cGra* game = MakeGame(side);
  game->ComputeCityDistances();
  const cMiasto* from = game->cities.front();
  const cMiasto* to = game->cities.back();
  std::list<cMiasto*> path;
  for (auto _ : state) {
    benchmark::DoNotOptimize(game->citiesDiagram.FindCityPath(from, to, 1, path));
  }
  if (path.size() != static_cast<size_t>(2 * (side - 1))) state.SkipWithError("wrong path");
  DestroyGame();
}
BENCHMARK(BM_FindCityPath)->Arg(10)->Arg(20);

}  // namespace
