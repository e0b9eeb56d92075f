// The shipped scenario's events: they load with no error line, and the
// events phase of every turn of the war, played by the computer for every
// country, fires each of them on its date.
#include <filesystem>

#include "core/random.h"
#include "effects_test_support.h"
#include "persistence/load_request.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace {

const wchar_t* const kScenario = kDefaultScenario;

class ShippedEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    unit_test::LoadShippedStrings();
    before_ = std::filesystem::current_path();
    std::filesystem::current_path(BRENNMARK_SOURCE_DIR);
    CreateGameLock();
    game_ = std::make_unique<world_test::GameFixture>(1, 1);
    cGra& g = game();
    g.scenarioName = kScenario;
    const sLoadRequest request = ScenarioLoadRequest(kScenario);
    ASSERT_TRUE(LoadConsts(g.consts, kScenario, nullptr));
    g.LoadCountries(request, g.countries);
    delete g.map;
    g.map = new cMapa();
    g.map->LoadMapFile(request.pathTemplate);
    g.LoadCities(request, g.cities);
    for (cMiasto* c : g.cities) g.map->GetHex(c->x, c->y)->city = c;
    g.LoadCommanders(request, g.commanders);
    g.relations.LoadFromCsv(request.pathTemplate, static_cast<int>(g.countries.size()));
    g.seaGraph.LoadSeaNodes(request.pathTemplate);
  }
  void TearDown() override {
    game_.reset();
    DeleteGameLock();
    std::filesystem::current_path(before_);
  }
  cGra& game() { return *game_->game; }
  cZdarzenia& events() { return *game().events; }
  int CountryId(const std::wstring& name) {
    for (const cPanstwo* c : game().countries)
      if (c->name == name) return c->id;
    ADD_FAILURE() << "no country " << WideToUtf8(name);
    return 0;
  }
  const cMiasto* City(const std::wstring& name) {
    for (const cMiasto* c : game().cities)
      if (c->name == name) return c;
    ADD_FAILURE() << "no city " << WideToUtf8(name);
    return nullptr;
  }
  void Load() {
    events().InitFromXmlFiles(WideToUtf8(kScenario));
    events().Validate();
    events().LoadAllEventsFromDom();
  }

  std::unique_ptr<world_test::GameFixture> game_;
  std::filesystem::path before_;
};

int ErrorLines(const cLogCapture& log) {
  int n = 0;
  for (const std::wstring& l : log.Lines())
    if (l.find(L"ERR") != std::wstring::npos || l.find(L"WARNING") != std::wstring::npos) ++n;
  return n;
}

TEST_F(ShippedEvents, LoadWithNoErrorAndTheirTextsInTheStringBase) {
  cLogCapture log;
  Load();
  EXPECT_EQ(ErrorLines(log), 0);
  ASSERT_EQ(events().events.size(), 61u);
  for (const sZdarzenie& e : events().events) {
    SCOPED_TRACE(e.eventID);
    EXPECT_EQ(e.title.find(L"event_"), std::wstring::npos) << "the title is a key of the string base";
    EXPECT_EQ(e.description.find(L"event_"), std::wstring::npos);
    ASSERT_FALSE(e.options.empty());
    for (const sEventOption& o : e.options) {
      EXPECT_EQ(o.text.find(L"event_"), std::wstring::npos);
      EXPECT_EQ(o.tooltip.find(L"event_"), std::wstring::npos);
      for (const sEfekt& f : o.effects) EXPECT_EQ(f.paramStrings[0].find(L"event_"), std::wstring::npos);
    }
  }
  EXPECT_EQ(events().events[0].title, L"Italy Enters the War");
  // Turns begin on the 1st and the 16th: an event dated between them would
  // wait for the turn after.
  for (const sZdarzenie& e : events().events)
    EXPECT_TRUE(e.beginDay == 1 || e.beginDay == 16) << e.eventID << " begins on day " << e.beginDay;
}

TEST_F(ShippedEvents, EveryEventFiresOnItsDateInAComputerGame) {
  Load();
  cGra& g = game();
  for (cPanstwo* c : g.countries) c->humanControlled = 0;
  const int germany = CountryId(L"Germany");
  const int italy = CountryId(L"Italy");
  const int uk = CountryId(L"United Kingdom");
  const int soviets = CountryId(L"Soviet Union");
  const cMiasto* minsk = City(L"Minsk");
  const size_t ukReserve = g.reserve.size();
  const size_t commanders = g.commanders.size();
  const int france = CountryId(L"France");
  // Minsk has fallen when the partisans' summer comes.
  g.map->GetHex(minsk->x, minsk->y)->controller = static_cast<uint8_t>(germany);

  cLogCapture log;
  SeedRandom(7);
  sHex& eastern = *g.map->GetHex(100, 30);
  ASSERT_TRUE(eastern.IsLand());
  bool winterSeen = false;
  bool mudSeen = false;
  g.date.turn = 1;
  g.date.month = 9;
  g.date.year = 1939;
  while (g.date.year < 1945 || (g.date.year == 1945 && g.date.month < 9)) {
    // France surrenders in the summer of 1940, and its empire passes to the
    // Allies.
    if (g.date.year == 1940 && g.date.month == 7) g.GetCountry(france)->active = 0;
    g.CheckEvents();
    winterSeen |= eastern.weather == kWeatherWinter;
    mudSeen |= eastern.weather == kWeatherMud;
    if (g.date.year == 1940 && g.date.month == 2) {
      EXPECT_EQ(eastern.weather, kWeatherWinter);
    }
    if (g.date.year == 1940 && g.date.month == 6) {
      EXPECT_EQ(eastern.weather, kWeatherClear);
    }
    if (++g.date.turn > g.consts.turnsPerMonth[g.date.month - 1]) {
      g.date.turn = 1;
      if (++g.date.month > 12) {
        g.date.month = 1;
        ++g.date.year;
      }
    }
  }
  EXPECT_EQ(ErrorLines(log), 0);
  EXPECT_TRUE(winterSeen);
  EXPECT_TRUE(mudSeen);
  for (int flag : {1, 2, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(g.scenarioFlags[static_cast<size_t>(flag)], 1) << flag;
  for (int flag = 20; flag < 44; ++flag) EXPECT_EQ(g.scenarioFlags[static_cast<size_t>(flag)], 1) << flag;
  for (int flag = 50; flag < 79; ++flag) EXPECT_EQ(g.scenarioFlags[static_cast<size_t>(flag)], 1) << flag;
  EXPECT_EQ(log.CountContaining(L"is true. Firing..."), 61) << "each fires once";

  const cPanstwo& it = *g.GetCountry(italy);
  EXPECT_TRUE(it.alliance == 2 || it.allianceEntry == 75) << "Italy joined the Axis or waited";
  // Two Dominion divisions, 48 Soviet in six waves and 29 American in
  // seven, the last in July 1944; the 14 German divisions of 1940 stand on
  // the western border, free in this game without units.
  EXPECT_EQ(g.reserve.size(), ukReserve + 2 + 48 + 29);
  int germanWest = 0;
  for (const cJednostkaLadowa* u : g.landUnits) germanWest += u->countryId == germany && u->x >= 0 ? 1 : 0;
  EXPECT_EQ(germanWest, 14);
  EXPECT_EQ(g.reserve.back()->countryId, uk);
  EXPECT_EQ(g.reserve.back()->name, L"9th US Armored Division");
  // The wars of 1939-1941, the partition of Poland and the Baltic states.
  for (const wchar_t* victim : {L"Denmark", L"Norway", L"Netherlands", L"Belgium", L"Luxembourg", L"Yugoslavia", L"Greece"})
    EXPECT_TRUE(g.relations.IsAtWar(germany, CountryId(victim))) << WideToUtf8(victim);
  const cMiasto* lwow = City(L"Lwow");
  EXPECT_EQ(g.map->GetHex(lwow->x, lwow->y)->controller, soviets);
  const cMiasto* warsaw = City(L"Warsaw");
  EXPECT_EQ(g.map->GetHex(warsaw->x, warsaw->y)->controller, CountryId(L"Poland"));
  for (const wchar_t* state : {L"Estonia", L"Latvia", L"Lithuania"}) EXPECT_EQ(g.GetCountry(CountryId(state))->active, 0);
  const cMiasto* algiers = City(L"Algiers");
  EXPECT_EQ(g.map->GetHex(algiers->x, algiers->y)->controller, uk);
  const cMiasto* paris = City(L"Paris");
  EXPECT_EQ(g.map->GetHex(paris->x, paris->y)->controller, france);
  const cMiasto* riga = City(L"Riga");
  EXPECT_EQ(g.map->GetHex(riga->x, riga->y)->owner, soviets);
  EXPECT_EQ(g.commanders.size(), commanders + 1);
  EXPECT_TRUE(g.relations.IsAtWar(germany, soviets));
  bool littorio = false;
  for (const cJednostkaMorska* s : g.navalUnits) littorio |= s->name == L"Littorio" && s->countryId == italy;
  EXPECT_TRUE(littorio);
}

}  // namespace
