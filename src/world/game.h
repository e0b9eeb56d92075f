#pragma once
// The one object that owns a running game, reached everywhere through gGra.
#include <atomic>
#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "core/calendar.h"
#include "core/front_end.h"
#include "world/cities_diagram.h"
#include "world/consts.h"
#include "world/hex_map.h"
#include "world/pbem_sea_battle.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/selection.h"

class cMiasto;
class cUnit;
class cJednostka;
class cJednostkaLadowa;
class cJednostkaLotnicza;
class cJednostkaMorska;
struct sFlota;
class cPanstwo;
class cAI;
struct sDowodca;
class cZdarzenia;
class cRaporty;
class cKonwoje;
class cAutoEventsRepository;
struct sLoadRequest;

// Game states, the hand-over between the main thread and the worker thread.
enum : int32_t {
  kStateConstructed = 0,
  kStateLoaded = 1,
  kStateScreenStarted = 2,
  kStateEndOfImpulse = 3,
  kStateSeaBattles = 4,
  kStateSeaBattleScreen = 5,
  kStateHumanPlays = 7,
  kStateHumanMoveShown = 8,
  kStateComputerPlays = 9,
  kStateComputerMoveShown = 10,
  kStateCameraScroll = 12,
  kStateEnding = 15,
};

// One player of a PBEM game, as Info.ini names them.
struct sPbemPlayer {
  static constexpr size_t kMaxTextLength = 99;
  int32_t number = 0;
  std::wstring name;
  std::wstring email;
};

// The topography groups of one country: lists of connected cities.
using tCityGroups = std::list<std::list<cMiasto*>>;

class cGra {
 public:
  // An empty game: no map, no lists, state 0.
  cGra();
  // The loader: builds the game from the request's folder (and the
  // scenario folder its Info.ini names) in load mode mode; gGra points to
  // it from the start.
  cGra(const sLoadRequest& request, int mode);
  // Takes the game apart (EndGame).
  ~cGra();
  cGra(const cGra&) = delete;
  cGra& operator=(const cGra&) = delete;

  void EndGame();

  // The end of an impulse, run when every country of the play order has
  // moved; with endOfTurn also the turn phases (rules/end_of_turn.cpp).
  // Always ends by advancing the turn and the date, unless the game ended.
  void EndOfImpulse(bool endOfTurn);
  void CheckSurrenders();
  void CheckSieges();
  void CalculateProduction();
  void CalculateUpkeep();
  void CalculateResearch();
  void ConvoysResults();
  // The active member (code 1-3 of the leader code 4-6) with the greatest
  // play-order key, a later country winning a tie; null when none is left.
  cPanstwo* DetermineNewAllianceLeader(int code);
  // The first turn of the current month: (turn - 1) is a multiple of the
  // month's number of turns.
  bool IsFirstTurnOfMonth() const;
  // The number of turns of the current month, at least 1.
  int TurnsInCurrentMonth() const;

  // The events phase of the end of turn: fires every event whose date and
  // condition hold, each with the option the player or the computer chose.
  void CheckEvents();
  // Enters, for every event, the option a computer player would prefer into
  // the automatic-events repository.
  void InitAutoEventsRepository();

  // The human player's mouse on the map (rules/player_actions.cpp): the
  // wheel zooms, the cursor sets the hovered hex and, in a human impulse, a
  // pressed button carries out the selection's map action on that hex.
  void HandlePlayerAction(bool leftButton, bool rightButton, bool middleButton, bool sideButton, int wheelDelta,
                          int mouseX, int mouseY);

  // State and flags.
  void SetState(int state);
  // Sets the state only while it is still `from` (the other thread may have
  // moved it on); a change is logged as every change is. True when changed.
  bool SetStateIf(int from, int to);
  int GetState() const { return state.load(); }
  bool HasHumanCountry() const;
  bool StartHumanCountryMusic();

  // Lookups.
  sDowodca* GetCommander(int id) const;
  cJednostkaMorska* FindNavalUnitById(int id) const;
  sFlota* FindMovedFleetAt(int seaNode, int country) const;
  cPanstwo* FindCountryByAlliance(int code) const;
  cPanstwo* GetCountry(int id) const;
  bool IsLandUnitIdUsed(int id) const;
  bool IsAirUnitIdUsed(int id) const;
  // The id of a ship made during play: past every naval id in use, so that
  // a counter a loaded game did not set never hands out an id twice.
  int NextNavalUnitId();
  int GetCountryVictoryPoints(int country) const;
  int GetAllianceVictoryPoints(int code) const;
  int ComputeCountryScore(int country) const;

  // The last turn phase before supply: sets the game-over byte when the game
  // has ended and then shows the account (rules/game_over.cpp).
  void CheckGameOver();

  // Passes over the world.
  void ClearCitySearchMarks();
  void ValidateHexOwners();
  bool KillFirstLandUnitOfCountry(int country);
  // Sink the ship that carries the country's first unit of the cargo or
  // amphibious list, with everything aboard.
  bool KillFirstTransportedUnitOfCountry(int country);
  bool KillFirstAmphibiousUnitOfCountry(int country);
  bool KillFirstAirUnitOfCountry(int country);
  // Sinks the country's first ship of the naval list with what it carries.
  bool KillFirstNavalUnitOfCountry(int country);
  void RetireCommandersOfCountry(int country);
  void RemoveSupplySourcesOfCountry(int country);
  // Event effects on the effectiveness modifier of land units of an
  // alliance group: those on hexes the country owned originally, or in an
  // area.
  void ChangeEffectivityOfAllUnits(int country, int allianceGroup, int amount);
  void ChangeAreaEffectivityOfAllUnits(int x1, int y1, int x2, int y2, int allianceGroup, int amount);

  // Enters the land (air) units of their list on their hexes; units at -1
  // stay off the map. A hex held already, or one off the map, is logged for
  // each unit, and the program ends after the whole list.
  void PlaceLandUnits();
  void PlaceAirUnits();
  // The checks and passes after construction, in their fixed order.
  void PostLoadChecks(const sLoadRequest& request);
  // Naval and land/air units whose in-reserve flag is set leave their lists
  // for the reserve pools.
  void ExtractNavalReservePool();
  void ExtractReservePools();
  // Every ship joins each fleet of its fleet id; a ship without one ends the
  // program.
  void CheckFleetMembership();
  // Land units that carry a transport ship id go aboard that ship.
  void EmbarkTransportedLandUnits();
  // The id counters from the highest ids loaded; sorts fleets and ships by id.
  void InitNextIds();

  // countries.csv of the request's folder into the country vector.
  void LoadCountries(const sLoadRequest& request, std::vector<cPanstwo*>& target);
  // cities.csv and commanders.csv of the request's folder into the lists.
  void LoadCities(const sLoadRequest& request, std::list<cMiasto*>& target);
  void LoadCommanders(const sLoadRequest& request, std::vector<sDowodca*>& target);
  // The hop counts over the cities diagram of every city but resource cities.
  void ComputeCityDistances();
  // ai_data.csv of the request's folder into the countries' computer-player
  // parameters; cities must be on their hexes.
  void LoadAiData(const sLoadRequest& request);
  // The state tables of a saved game: topography.csv into the topography
  // groups (sized beforehand), the air attack reports (UTF-16LE) and the
  // units spotted by air reconnaissance (units must be placed). The last two
  // files are optional.
  void LoadTopography(const sLoadRequest& request);
  void LoadAirshipAttacks(const sLoadRequest& request);
  void LoadAirReconUnits(const sLoadRequest& request);

  // Info.ini of the request's folder: calendar, turn, PBEM data, unit sizes.
  void ReadInfoIni(const sLoadRequest& request);
  // PlayerDefinedPlaces.txt (optional) and flags.txt of the request's folder.
  void LoadPlayerDefinedPlaces(const sLoadRequest& request);
  void LoadFlags(const sLoadRequest& request);
  // unit_names.csv of the request's folder into the countries' name
  // templates; its bytes are kept in unitNames for saving.
  void LoadUnitNames(const sLoadRequest& request);

  // The unit and fleet tables of the request's folder (persistence/
  // land_air_tables.cpp, naval_tables.cpp). Each empties the target first.
  // Rows naming no country of the game or a unit type of another kind are
  // passed over with a warning; a repeated id, and for fleets a sea node
  // outside the sea graph, ends the program naming file and line.
  // land_units.csv: land units and artificial harbours, reserve units
  // included (ExtractReservePools moves them later).
  void LoadLandUnits(const sLoadRequest& request, std::list<cJednostkaLadowa*>& target);
  // air_units.csv: rows whose reserve flag disagrees with a position of
  // (-1, -1) are dropped, listed in the log and told once in a message box.
  void LoadAirUnits(const sLoadRequest& request, std::list<cJednostkaLotnicza*>& target);
  // fleets.csv: fleets with empty ship lists; each remembers its line.
  void LoadFleets(const sLoadRequest& request, std::list<sFlota*>& target);
  // naval_units.csv: ships with their "Fleet ID" in fleetId and no fleet
  // pointer yet (CheckFleetMembership enters them).
  void LoadNavalUnits(const sLoadRequest& request, std::list<cJednostkaMorska*>& target);
  // After the sea nodes are read: a fleet standing on a node the graph does
  // not have ends the program, naming the line of fleets.csv it came from.
  void CheckFleetSeaNodes() const;
  // The computer player's fleet for shore bombardment at the node: the one
  // of the country's fleets there with most battleships and cruisers that
  // have not bombarded yet (the lower id on ties); those ships get the
  // transfer mark, every other ship loses it. Null (and no mark changed)
  // when there is none.
  sFlota* FindBombardmentFleet(int country, int seaNode);

  // Textures of the game released at its end; the first is the flag of a
  // country that has none of its own.
  static constexpr int kDefaultFlagTexture = 0;
  FrontEndHandle textures[3] = {};

  cMapa* map = nullptr;
  std::list<cMiasto*> cities;
  std::list<cJednostkaLadowa*> landUnits;
  std::list<cJednostkaLadowa*> transportedUnits;
  std::list<cJednostkaLadowa*> amphibiousUnits;
  std::list<cJednostkaLotnicza*> airUnits;
  std::list<cJednostkaMorska*> navalUnits;
  std::vector<cJednostka*> reserve;
  std::vector<cJednostkaMorska*> navalReserve;
  std::list<sFlota*> fleets;
  std::vector<cPanstwo*> countries;  // index id - 1
  std::vector<cAI*> computerPlayers;  // index id - 1
  sGameDate date;
  cRelacje relations;
  cSelection selection;
  cDiagramMiast citiesDiagram;
  cGrafMorz seaGraph;
  std::vector<sDowodca*> commanders;
  // The bytes of unit_names.csv as read, written back unchanged by a save.
  std::vector<uint8_t> unitNames;
  std::wstring scenarioPath;
  std::wstring pathTemplate;
  int32_t loadMode = 0;
  int32_t turn = 0;
  int32_t turnsLeft = 0;
  // The month of the last monthly count-down of artificial harbours; a new
  // game starts with none, so its first end of impulse counts down.
  int32_t lastHarbourMonth = -666;
  uint8_t gameOver = 0;
  cZdarzenia* events = nullptr;
  std::wstring scenarioName;
  uint8_t pbem = 0;
  std::wstring pbemGameName = L"unknown";
  uint8_t pbemEventsByAI = 0;
  std::vector<sPbemPlayer> pbemPlayers;
  // The sea battles of this turn, kept for the next player of a PBEM game.
  std::vector<sPbemSeaBattle> pbemSeaBattles;
  // Set by the worker when, past the end of an impulse, the play order has
  // reached a country of another PBEM player than the one at this keyboard:
  // the main thread saves the game for that player. It ends with the game.
  std::atomic<bool> pbemHandOverRequest{false};
  // The version of the program that wrote the loaded game.
  float gameVersion = 1.0f;
  // The date shown to the player.
  int32_t displayedDay = 1;
  int32_t displayedMonth = 9;
  int32_t displayedYear = 1939;
  cRaporty* reports = nullptr;
  // (event id, option id) pairs chosen automatically; never null.
  cAutoEventsRepository* autoEvents = nullptr;
  // The scenario flags, numbered from 0, read and set by scenario events.
  static constexpr int kScenarioFlagCount = 40000;
  std::vector<int32_t> scenarioFlags = std::vector<int32_t>(kScenarioFlagCount, 0);
  sConsts consts;
  int32_t nextConvoyId = 0;
  int32_t nextFleetNumber = 0;
  // Unit id counters: a new unit takes the counter after adding 1 to it.
  int32_t landUnitCounter = 0;
  int32_t airUnitCounter = 0;
  // The highest naval-unit id handed out to a ship made during play.
  int32_t navalUnitCounter = 0;
  // Counter size indexes (0-4) of small and of large land units.
  int32_t smallUnitSize = 0;
  int32_t largeUnitSize = 1;
  cKonwoje* convoys = nullptr;
  std::atomic<int32_t> state{kStateConstructed};
  // The topography groups, index country id - 1.
  std::vector<tCityGroups>* strategicMoves = nullptr;
  // The topography groups used for countries outside every alliance.
  tCityGroups neutralGroups;

 private:
  bool ended_ = false;
};

// The running game, null when none.
extern cGra* gGra;

// Runs the game's teardown, frees it and clears gGra; nothing without a game.
void DestroyGame();

// The worker thread's stop, installed by the worker's owner, so that the
// teardown can end the thread before it takes the world apart.
using StopWorkerThreadFn = void (*)();
void SetStopWorkerThreadHook(StopWorkerThreadFn fn);
