// Reading and writing the four unit tables of a large game: 2,000 units
// (1,000 land, 400 air, 500 ships in 100 fleets) over five countries.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/saver.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"

namespace {

constexpr int kCountries = 5;

cGra* MakeGame() {
  auto* game = new cGra();
  game->map = new cMapa();
  game->map->Create(100, 60);
  for (int i = 1; i <= kCountries; ++i) {
    auto* c = new cPanstwo();
    c->id = i;
    game->countries.push_back(c);
  }
  game->relations.Resize(kCountries);
  return game;
}

// Fills the game with the units and returns the folder the tables went to.
std::filesystem::path WriteTables() {
  cGra* game = MakeGame();
  for (int i = 1; i <= 1000; ++i) {
    auto* u = new cJednostkaLadowa();
    u->unitId = i;
    u->SetName(L"Infantry Division " + std::to_wstring(i));
    u->countryId = 1 + i % kCountries;
    u->x = i % 100;
    u->y = i / 100;
    u->SetType(i % 7);
    u->shoreBombardmentEffect = 0.5f;
    game->landUnits.push_back(u);
  }
  for (int i = 1; i <= 400; ++i) {
    auto* u = new cJednostkaLotnicza();
    u->unitId = i;
    u->SetName(L"Fighter Wing " + std::to_wstring(i));
    u->countryId = 1 + i % kCountries;
    u->x = i % 100;
    u->y = 20 + i / 100;
    u->SetType(kTypeFighter + i % 3);
    u->strength = 5;
    game->airUnits.push_back(u);
  }
  for (int f = 1; f <= 100; ++f) {
    auto* fleet = new sFlota();
    fleet->id = f;
    fleet->countryId = 1 + f % kCountries;
    fleet->seaNode = f;
    fleet->SetName(L"Fleet " + std::to_wstring(f));
    game->fleets.push_back(fleet);
    for (int s = 0; s < 5; ++s) {
      auto* ship = new cJednostkaMorska();
      ship->unitId = f * 10 + s;
      ship->SetName(L"Ship " + std::to_wstring(ship->unitId));
      ship->countryId = fleet->countryId;
      ship->SetType(kTypeCarrier + s);
      ship->hitPoints = ship->maxHitPoints = 8;
      ship->fleet = fleet;
      fleet->ships.push_back(ship);
      game->navalUnits.push_back(ship);
    }
  }
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("brennmark_unit_tables_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::wstring folder = Utf8ToWide(dir.string());
  const cZapisGry saver;
  saver.SaveLandUnits(folder);
  saver.SaveAirUnits(folder);
  saver.SaveFleets(folder);
  saver.SaveNavalUnits(folder);
  DestroyGame();
  return dir;
}

void BM_ReadUnitTables(benchmark::State& state) {
  const std::filesystem::path dir = WriteTables();
  cGra* game = MakeGame();
  const sLoadRequest request{Utf8ToWide(dir.string()) + L"/%s", 0};
  for (auto _ : state) {
    game->LoadLandUnits(request, game->landUnits);
    game->LoadAirUnits(request, game->airUnits);
    game->LoadFleets(request, game->fleets);
    game->LoadNavalUnits(request, game->navalUnits);
  }
  state.SetItemsProcessed(state.iterations() * 2000);
  DestroyGame();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadUnitTables)->Unit(benchmark::kMillisecond);

}  // namespace
