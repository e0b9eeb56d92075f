// The shipped scenario saved, loaded from the save and saved again: the
// second save holds the same bytes as the first (but the date of saving),
// both loads answer the same, and neither logs a warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "core/front_end.h"
#include "core/text.h"
#include "persistence/auto_events.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "support/temp_dir.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/world_test_support.h"
#include "support/folder_bytes.h"

namespace fs = std::filesystem;
using world_test::GameFixture;
using world_test::LogCapture;

namespace {

// The tables of a scenario or save folder, through the game's readers.
void LoadFolder(cGra& g, const sLoadRequest& request) {
  gGra = &g;
  g.ReadInfoIni(request);
  if (g.scenarioName == L"unknown") g.scenarioName = kDefaultScenario;
  ASSERT_TRUE(LoadConsts(g.consts, g.scenarioName, nullptr));
  g.LoadCountries(request, g.countries);
  delete g.map;
  g.map = new cMapa();
  g.map->LoadMapFile(request.pathTemplate);
  g.LoadCities(request, g.cities);
  for (cMiasto* c : g.cities) g.map->GetHex(c->x, c->y)->city = c;
  g.LoadCommanders(request, g.commanders);
  g.LoadLandUnits(request, g.landUnits);
  g.LoadAirUnits(request, g.airUnits);
  g.LoadFleets(request, g.fleets);
  g.LoadNavalUnits(request, g.navalUnits);
  g.ExtractNavalReservePool();
  g.ExtractReservePools();
  g.pathTemplate = request.pathTemplate;
  g.seaGraph.LoadSeaNodes(request.pathTemplate);
  g.CheckFleetSeaNodes();
  if (g.convoys == nullptr) g.convoys = new cKonwoje();
  g.convoys->Resize(static_cast<int>(g.countries.size()));
  g.convoys->LoadConvoys(request.pathTemplate);
  g.relations.LoadFromCsv(request.pathTemplate, static_cast<int>(g.countries.size()));
  g.LoadPlayerDefinedPlaces(request);
  g.LoadFlags(request);
  g.LoadUnitNames(request);
  if (g.autoEvents == nullptr) g.autoEvents = new cAutoEventsRepository();
  g.autoEvents->LoadAutoEvents(request.pathTemplate);
}

// What a player could ask of the world, one line per thing.
std::string Describe(const cGra& g) {
  std::ostringstream s;
  s << "date " << g.date.turn << '/' << g.date.month << '/' << g.date.year << " turn " << g.turn << " scenario "
    << WideToUtf8(g.scenarioName) << '\n';
  for (const cPanstwo* c : g.countries)
    s << "country " << c->id << ' ' << WideToUtf8(c->name) << ' ' << c->active << ' ' << c->alliance << ' '
      << c->productionPoints << ' ' << c->diplomaticPoints << ' ' << c->techLevels[0] << ' ' << c->capitalX << ','
      << c->capitalY << ' ' << c->pbemPlayerId << '\n';
  for (const cMiasto* c : g.cities)
    s << "city " << WideToUtf8(c->name) << ' ' << c->x << ',' << c->y << ' ' << c->type << ' ' << c->victoryPoints
      << ' ' << c->productionPoints << ' ' << c->supply << '\n';
  for (const sDowodca* c : g.commanders)
    s << "commander " << c->id << ' ' << WideToUtf8(c->name) << ' ' << c->countryId << ' ' << c->state << '\n';
  auto unit = [&](const char* kind, const cJednostka* u) {
    const auto* land = dynamic_cast<const cJednostkaLadowa*>(u);
    const auto* air = dynamic_cast<const cJednostkaLotnicza*>(u);
    s << kind << ' ' << u->unitId << ' ' << WideToUtf8(u->name) << ' ' << u->countryId << ' ' << u->x << ','
      << u->y << ' ' << u->type << ' ' << u->level << ' '
      << (land != nullptr ? land->strength : air != nullptr ? air->strength : -1) << ' '
      << (u->commander != nullptr ? u->commander->id : -1) << '\n';
  };
  for (const cJednostka* u : g.landUnits) unit("land", u);
  for (const cJednostka* u : g.airUnits) unit("air", u);
  for (const cJednostka* u : g.reserve) unit("reserve", u);
  for (const cJednostkaMorska* u : g.navalUnits) s << "ship " << u->unitId << ' ' << u->fleetId << ' ' << u->hitPoints << '\n';
  for (const cJednostkaMorska* u : g.navalReserve) s << "spare ship " << u->unitId << '\n';
  for (const std::vector<sKonwoj>& list : g.convoys->convoys)
    for (const sKonwoj& k : list) s << "convoy " << k.id << ' ' << k.countryId << ' ' << k.kind << ' ' << k.value << '\n';
  for (const sFlota* f : g.fleets) s << "fleet " << f->id << ' ' << WideToUtf8(f->name) << ' ' << f->seaNode << '\n';
  for (const cPanstwo* a : g.countries)
    for (const cPanstwo* b : g.countries)
      if (g.relations.IsAtWar(a->id, b->id) != 0 || g.relations.GetLosses(a->id, b->id) != 0.0f)
        s << "relation " << a->id << ' ' << b->id << ' ' << int(g.relations.IsAtWar(a->id, b->id)) << ' '
          << g.relations.GetLosses(a->id, b->id) << '\n';
  for (size_t n = 0; n < g.scenarioFlags.size(); ++n)
    if (g.scenarioFlags[n] != 0) s << "flag " << n << '=' << g.scenarioFlags[n] << '\n';
  for (int p = 0; p < 10; ++p) s << "place " << g.map->GetViewBookmark(p).x << ',' << g.map->GetViewBookmark(p).y << '\n';
  for (const sHex& h : g.map->hexes) s << int(h.terrain) << ':' << h.owner << ' ';
  s << "\nunit names " << g.unitNames.size() << " auto events " << g.autoEvents->Pairs().size() << '\n';
  return s.str();
}

// The files of a save folder, less the date of saving: the one thing two
// saves of one game differ in.
std::map<std::string, std::string> SaveBytesWithoutDate(const fs::path& folder) {
  std::map<std::string, std::string> bytes = FolderBytes(folder);
  auto info = bytes.find("Info.ini");
  if (info != bytes.end()) {
    std::string& text = info->second;
    const size_t date = text.find("Date=");
    if (date != std::string::npos) text.erase(date, text.find('\n', date) - date);
  }
  return bytes;
}

int Warnings(const LogCapture& log) {
  int n = 0;
  for (const std::wstring& l : log.Lines())
    if (l.find(L"WARNING") != std::wstring::npos) {
      ADD_FAILURE() << WideToUtf8(l);
      ++n;
    }
  return n;
}

TEST(SaveRoundTrip, TheShippedScenarioSavedAndLoadedAgainIsTheSameWorld) {
  const fs::path before = fs::current_path();
  fs::current_path(BRENNMARK_SOURCE_DIR);
  cQuietFrontEnd quiet;
  SetFrontEnd(&quiet);
  cTempDir dir("round_trip");
  const std::wstring first = Utf8ToWide((dir.Path() / "first").string());
  const std::wstring second = Utf8ToWide((dir.Path() / "second").string());
  fs::create_directories(dir.Path() / "first");
  fs::create_directories(dir.Path() / "second");
  cZapisGry saver;

  std::string scenarioWorld;
  {
    LogCapture log;
    GameFixture scenario(1, 1);
    LoadFolder(*scenario.game, ScenarioLoadRequest(kDefaultScenario));
    EXPECT_EQ(Warnings(log), 0) << "loading the scenario";
    ASSERT_GT(scenario.game->landUnits.size(), 100u);
    scenarioWorld = Describe(*scenario.game);
    cSaveFailureScope scope;
    saver.WriteSaveFiles(first);
  }
  {
    LogCapture log;
    GameFixture saved(1, 1);
    LoadFolder(*saved.game, sLoadRequest{first + L"\\%s", 2});
    EXPECT_EQ(Warnings(log), 0) << "loading the save";
    EXPECT_EQ(Describe(*saved.game), scenarioWorld);
    cSaveFailureScope scope;
    saver.WriteSaveFiles(second);
  }
  const auto firstBytes = SaveBytesWithoutDate(dir.Path() / "first");
  EXPECT_EQ(firstBytes.size(), 24u);
  EXPECT_EQ(firstBytes.count("convoys.csv"), 1u);
  EXPECT_EQ(SaveBytesWithoutDate(dir.Path() / "second"), firstBytes);

  SetFrontEnd(nullptr);
  fs::current_path(before);
}

}  // namespace
