// Building a game from a scenario or saved-game folder: the loading
// constructor of the game object, the post-load checks and passes, and
// LoadNewScenario around them.
#include "persistence/loader.h"

#include <algorithm>
#include <string>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/ini_file.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "events/event_manager.h"
#include "persistence/auto_events.h"
#include "persistence/load_request.h"
#include "persistence/load_seams.h"
#include "persistence/state_tables.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/consts.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/play_order.h"
#include "world/reports.h"
#include "world/strategic_moves.h"
#include "world/topography.h"

namespace {

void Progress(int percent) { FrontEnd().SetLoadingProgress(percent); }

// Enters the units of a list on their hexes; every conflict is logged
// before the caller ends the process. Answers whether all went well.
template <class List>
bool PlaceUnits(cMapa& map, const List& units, const wchar_t* kind) {
  bool ok = true;
  for (cJednostka* unit : units) {
    if (unit->x == -1 || unit->y == -1) continue;
    // A hex off the map would be answered with the cell of (0, 0).
    if (!map.IsInside(unit->x, unit->y)) {
      LogLine(WFormat(L"ERROR: Trying to place %s unit %s (ID=%i) to hex (%i, %i) outside the map", kind,
                      unit->name.c_str(), unit->unitId, unit->x, unit->y));
      ok = false;
      continue;
    }
    sHex* hex = map.GetHex(unit->x, unit->y);
    if (hex->unit != nullptr) {
      LogLine(WFormat(L"ERROR: Trying to place %s unit %s (ID=%i) to hex (%i, %i) occupied by %s (ID=%i)", kind,
                      unit->name.c_str(), unit->unitId, unit->x, unit->y, hex->unit->name.c_str(),
                      hex->unit->unitId));
      ok = false;
      continue;
    }
    hex->unit = unit;
  }
  return ok;
}

template <class List>
int HighestId(const List& units, int highest) {
  for (const cUnit* u : units) highest = std::max(highest, u->unitId);
  return highest;
}

}  // namespace

cGra::cGra(const sLoadRequest& request, int mode) : cGra() {
  // 1: the default construction made the empty lists, the calendar start,
  // the report and automatic-events stores, and made this game gGra.
  loadMode = mode;
  pathTemplate = request.pathTemplate;
  pbem = 0;
  pbemEventsByAI = 0;
  Progress(5);

  // 2
  gameOver = 0;
  lastHarbourMonth = kNoMonthlyUpdate;
  ReadInfoIni(request);

  // 3: the scenario folder holds what a save does not carry.
  scenarioPath = WFormat(L"data\\scenarios\\%s\\%%s", scenarioName.c_str());
  Progress(10);

  // 4
  LoadConsts(consts, scenarioName, nullptr);
  Progress(15);

  // 5, 6
  LoadCountries(request, countries);
  map = new cMapa();
  map->LoadMapFile(pathTemplate);
  Progress(20);

  // 7
  LoadPlayerDefinedPlaces(request);
  LoadFlags(request);

  // 8
  LoadCities(request, cities);
  for (cMiasto* city : cities) map->GetHex(city->x, city->y)->city = city;
  Progress(25);

  // 9-11
  LoadCommanders(request, commanders);
  LoadLandUnits(request, landUnits);
  PlaceLandUnits();
  LoadAirUnits(request, airUnits);
  PlaceAirUnits();

  // 12, 13
  LoadFleets(request, fleets);
  LoadNavalUnits(request, navalUnits);
  Progress(35);
  LoadUnitNames(request);
  Progress(40);

  // 14
  LoadAirshipAttacks(request);
  LoadAirReconUnits(request);
  Progress(45);

  // 15
  for (cAI* ai : computerPlayers) delete ai;
  computerPlayers.clear();
  for (size_t i = 0; i < countries.size(); ++i) computerPlayers.push_back(new cAI());

  // 16
  relations.LoadFromCsv(pathTemplate, static_cast<int>(countries.size()));
  Progress(50);

  // 17
  delete strategicMoves;
  strategicMoves = new std::vector<tCityGroups>();
  Progress(55);
  delete convoys;
  convoys = new cKonwoje();
  Progress(60);

  // 18-20
  FrontEnd().CreateHudPanels();
  Progress(65);
  FrontEnd().LoadMapSkin(gProgramSettings.mapSkin);
  Progress(70);
  FrontEnd().LoadUnitsSkin(gProgramSettings.unitsSkin);
  Progress(75);
}

void cGra::PlaceLandUnits() {
  // Every conflict of the list is logged before the end.
  if (!PlaceUnits(*map, landUnits, L"land")) FatalExit(L"", 1, false);
}

void cGra::PlaceAirUnits() {
  if (!PlaceUnits(*map, airUnits, L"air")) FatalExit(L"", 1, false);
}

void cGra::PostLoadChecks(const sLoadRequest& request) {
  const std::string eventScenario = WideToCp1252(scenarioName).substr(0, 100);
  ValidateHexOwners();
  selection.SetCurrentCountry(DetermineCurrentCountry(countries));
  ExtractNavalReservePool();
  CheckFleetMembership();
  EmbarkTransportedLandUnits();
  ExtractReservePools();

  selection.CreateWorldTopography();
  InitStrategicMovement();
  selection.ComputeWorldTopography();
  selection.BuildCityRegionGrid();

  citiesDiagram.AddCityNodes(cities);
  citiesDiagram.LoadCitiesDiagram(scenarioName);
  ComputeCityDistances();

  seaGraph.LoadSeaNodes(request.pathTemplate);
  seaGraph.LoadSeaEdges(scenarioName);
  // The fleets could not be checked against the graph before it was read.
  CheckFleetSeaNodes();
  LoadConvoysTable(*this, request);
  InitNextIds();

  events->InitFromXmlFiles(eventScenario);
  events->Validate();
  events->LoadAllEventsFromDom();

  LoadAiData(request);
}

void cGra::ExtractNavalReservePool() {
  navalReserve.clear();
  for (cJednostkaMorska* ship : navalUnits)
    if (ship->IsInReserve()) navalReserve.push_back(ship);
  navalUnits.remove_if([](const cJednostkaMorska* ship) { return ship->IsInReserve(); });
}

void cGra::CheckFleetMembership() {
  for (cJednostkaMorska* ship : navalUnits) {
    bool matched = false;
    // Every fleet of the id takes the ship, not only the first.
    for (sFlota* fleet : fleets) {
      if (fleet->id != ship->fleetId) continue;
      matched = true;
      ship->fleet = fleet;
      fleet->ships.push_back(ship);
      LogLine(WFormat(Txt("%s_belongs_to_fleet_%s").c_str(), ship->name.c_str(), fleet->name.c_str()));
    }
    if (!matched)
      FatalExit(WFormat(L"Data integrity error: %s belongs to fleet id=%i, but no such fleet exists", ship->name.c_str(),
                        ship->fleetId));
  }
}

void cGra::ExtractReservePools() {
  reserve.clear();
  for (cJednostkaLadowa* unit : landUnits) {
    if (!unit->IsInReserve()) continue;
    const cPanstwo* owner = unit->GetCountry();
    unit->SetSupplyLevel(owner != nullptr ? owner->consts.reserveSupplyLevel : consts.reserveSupplyLevel);
    unit->UpdateEffectiveness();
    reserve.push_back(unit);
  }
  landUnits.remove_if([](const cJednostkaLadowa* unit) { return unit->IsInReserve(); });
  for (cJednostkaLotnicza* unit : airUnits) {
    if (!unit->IsInReserve()) continue;
    const cPanstwo* owner = unit->GetCountry();
    unit->SetSupplyLevel(owner != nullptr ? owner->consts.reserveSupplyLevel : consts.reserveSupplyLevel);
    unit->UpdateEffectiveness();
    reserve.push_back(unit);
  }
  airUnits.remove_if([](const cJednostkaLotnicza* unit) { return unit->IsInReserve(); });
}

void cGra::EmbarkTransportedLandUnits() {
  // Copied first: going aboard takes the unit out of the land-unit list.
  std::vector<cJednostkaLadowa*> carried;
  for (cJednostkaLadowa* unit : landUnits)
    if (unit->HasTransportShipId()) carried.push_back(unit);
  for (cJednostkaLadowa* unit : carried) {
    LoadIntoItsTransport(*unit);
    // A unit that is not aboard stays where it is rather than being lost.
    if (unit->transport != nullptr) landUnits.remove(unit);
  }
}

void cGra::InitNextIds() {
  fleets.sort([](const sFlota* a, const sFlota* b) { return a->id < b->id; });
  navalUnits.sort([](const cJednostkaMorska* a, const cJednostkaMorska* b) { return a->unitId < b->unitId; });

  nextFleetNumber = fleets.empty() ? 1 : fleets.back()->id + 1;

  int naval = navalUnits.empty() ? 1 : navalUnits.back()->unitId + 1;
  naval = HighestId(navalReserve, naval);
  navalUnitCounter = naval + 1;

  int land = 0;
  int air = 0;
  for (const cJednostka* u : reserve) {
    if (u->category == kCategoryLand) land = std::max(land, u->unitId);
    if (u->category == kCategoryAir) air = std::max(air, u->unitId);
  }
  land = HighestId(landUnits, land);
  land = HighestId(transportedUnits, land);
  land = HighestId(amphibiousUnits, land);
  landUnitCounter = land + 1;
  airUnitCounter = HighestId(airUnits, air) + 1;

  nextConvoyId = HighestConvoyId(*this) + 1;
}

int LoadNewScenario(const sLoadRequest& request) {
  const sLoadRequest copy = request;
  auto* game = new cGra(copy, copy.loadMode);
  gGra = game;

  Progress(80);
  game->PostLoadChecks(copy);
  Progress(85);
  game->map->RefreshAllBorders();

  if (game->loadMode == 0 || game->loadMode == 1) {
    game->EndOfImpulse(false);
    Progress(90);
    game->InitAutoEventsRepository();
    Progress(95);
    for (cJednostkaLadowa* unit : game->landUnits) {
      const cPanstwo* owner = unit->GetCountry();
      unit->turnsFromLastParadrop =
          owner != nullptr ? owner->consts.initialTurnsSinceDrop : game->consts.initialTurnsSinceDrop;
    }
  } else if (game->loadMode == 2) {
    ResetCitySupplyTables();
    LoadCitiesSupplyInfo(copy);
    Progress(90);
    if (game->strategicMoves != nullptr)
      for (tCityGroups& groups : *game->strategicMoves) groups.clear();
    InitStrategicMovement();
    game->LoadTopography(copy);
    GatherNeutralGroups();
    // A save keeps no assigned commanders: each unit looks for the one in
    // range before its effectiveness is worked out.
    for (cJednostkaLadowa* unit : game->landUnits) {
      unit->AssignBestCommander();
      unit->UpdateEffectiveness();
    }
    for (cJednostkaLotnicza* unit : game->airUnits) unit->AssignBestCommander();
    Progress(95);
    LoadReports(copy.pathTemplate);
    game->autoEvents->LoadAutoEvents(copy.pathTemplate);
    // Without it the monthly part of the first end of impulse would run a
    // second time in the month it already ran.
    cIniFile info;
    info.Load(FormatFolderTemplate(copy.pathTemplate, L"Info.ini"));
    game->lastHarbourMonth = info.GetInt(kLastMonthlyUpdateKey, kNoMonthlyUpdate);
  }

  Progress(100);
  LogLine(L"-- Loading new scenario done!");
  game->SetState(kStateLoaded);

  cGameLockGuard lock(__FILE__, __LINE__);
  FrontEnd().FinishLoading();
  return 0;
}
