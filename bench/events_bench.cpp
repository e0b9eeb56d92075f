// One search pass of the events phase over 500 events of five comparisons
// each, none of which fires, against a game of 10 countries on a 64 x 64
// map: every comparison is checked again and evaluated. The log is
// switched off so that the evaluation, not the disk, is timed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/console.h"
#include "events/event_manager.h"
#include "world/country.h"
#include "world/game.h"

namespace {

constexpr int kEvents = 500;

std::string Comparison(const std::string& method, const std::string& params, const std::string& op, int value) {
  return "<expression><leftOperand method=\"" + method + "\" " + params + "/><operator value=\"" + op +
         "\"/><rightOperand constValue=\"" + std::to_string(value) + "\"/></expression>\n";
}

// Four comparisons that hold and a last one that does not, so that the
// whole "and" is evaluated.
std::string EventsXml() {
  std::string xml = "<?xml version=\"1.0\"?>\n<events>\n";
  for (int i = 0; i < kEvents; ++i) {
    const std::string country = std::to_string(1 + i % 10);
    xml += "<event eventID=\"" + std::to_string(i) + "\" countryID=\"" + country +
           "\" visibleByPlayer=\"1\" oneTimeChecking=\"1\">\n<beginDate day=\"1\" month=\"1\" year=\"1939\"/>\n"
           "<condition><and>\n" +
           Comparison("Country.GetProductionPoints", "param0=\"" + country + "\"", "greaterOrEqual", 0) +
           Comparison("Hex.ControlledByCountry", "param0=\"" + std::to_string(i % 64) + "\" param1=\"7\" param2=\"0\"",
                      "equals", 1) +
           Comparison("Flag.GetValue", "param0=\"" + std::to_string(i) + "\"", "equals", 0) +
           Comparison("Country.HasWarWithCountry", "param0=\"" + country + "\" param1=\"3\"", "lessOrEqual", 1) +
           Comparison("Game.GetCurrentTurn", "", "less", 0) + "</and></condition>\n</event>\n";
  }
  return xml + "</events>\n";
}

void BM_CheckEvents500x5(benchmark::State& state) {
  const bool logWas = gConsole.enabled;
  gConsole.enabled = false;
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(64, 64);
  for (int i = 0; i < 10; ++i) {
    auto* c = new cPanstwo();
    c->id = i + 1;
    c->active = 1;
    c->productionPoints = 100 + i;
    game->countries.push_back(c);
  }
  game->relations.Resize(10);
  for (int& t : game->consts.turnsPerMonth) t = 3;

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("events_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "events.xml") << EventsXml();
  std::ofstream(dir / "event_files.txt") << (dir / "events.xml").string() << "\r\n";
  game->events->InitFromListFile((dir / "event_files.txt").string());
  game->events->Validate();
  game->events->LoadAllEventsFromDom();

  for (auto _ : state) {
    game->events->ClearEventFlags();
    benchmark::DoNotOptimize(game->events->CheckEvents());
  }
  state.SetItemsProcessed(state.iterations() * kEvents);
  DestroyGame();
  std::filesystem::remove_all(dir);
  gConsole.enabled = logWas;
}
BENCHMARK(BM_CheckEvents500x5)->Unit(benchmark::kMicrosecond);

}  // namespace
