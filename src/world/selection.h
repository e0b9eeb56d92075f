#pragma once
// The selection and impulse record of the game: whose impulse it is, the
// land move in progress with the undo record of the last move, the attack
// being prepared, the hovered and selected hex and unit, and the map action.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

struct sAtak;
struct sHex;
class cPanstwo;
class cMiasto;
class cUnit;
class cJednostka;
class cJednostkaLadowa;
class cTopografia;

// One hex whose controller a move changed, with the controller it had.
struct sCapturedHex {
  int32_t x = 0;
  int32_t y = 0;
  int32_t previousController = 0;
};

// One step of a land move: the hex to enter and the action points it costs.
struct sMoveStep {
  int32_t x = 0;
  int32_t y = 0;
  int32_t cost = 0;
};

// Map actions: what the next click on the map does.
enum : int32_t {
  kMapActionNone = 0,
  kMapActionLandMove = 4,
  kMapActionNoFleetDialog = 8,
  kMapActionAir = 12,
};

// Mark bits the selection puts on the map.
constexpr uint32_t kMarkSelectedHex = 1;
constexpr uint32_t kMarkStrategicTarget = 32;
constexpr uint32_t kMarkSelectedSeaNode = 16384;

// A place the view returns to when the game screen resumes: a hex, or a
// point of the map to scroll to.
struct sViewPoint {
  float x = 0.0f;
  float y = 0.0f;
  bool isHex = false;
};

// The view the game screen resumes with after the pause menu.
struct sResumeView {
  std::vector<sViewPoint> points;
  uint8_t flags[3] = {};
};

class cSelection {
 public:
  cSelection();
  virtual ~cSelection();
  cSelection(const cSelection&) = delete;
  cSelection& operator=(const cSelection&) = delete;

  // Creates the world topography object with its grid for the current map
  // (replacing an earlier one) and returns it.
  cTopografia& CreateWorldTopography();
  // The world topography after loading (world_topography.cpp).
  // Rebuilds the city groups: the non-resource cities of each land mass,
  // one group per mass, in the order the flood from the group's first city
  // meets them.
  void ComputeWorldTopography();
  // Appends to group the start city and every non-resource city the flood
  // over unvisited land from it reaches; marks what it visits.
  void FloodCityGroup(cMiasto* start, std::list<cMiasto*>& group);
  // Rebuilds the region grid: every land hex takes the non-resource city
  // nearest over land in hex steps; ties go to the city earlier in the city
  // list, then to the one whose flood arrives first in neighbour order.
  void BuildCityRegionGrid();

  // The play order (play_order.cpp).
  // The next human country of the impulse; when every human has finished,
  // the next human after the current country, wrapping round; null when
  // there is no other.
  cPanstwo* BuildCountryOrder(const std::vector<cPanstwo*>& countries) const;
  // Makes the country current; the computer's allies are shown only when
  // the player asked for it.
  void SetCurrentCountry(cPanstwo* country);

  // The land move (land_path.cpp).
  // Turns the unit's move list into the steps from the unit to (x, y), which
  // is a hex of that list or a neighbour of the unit, and opens the undo
  // record of the move.
  void FindLandPath(cJednostkaLadowa* unit, int x, int y);
  // The unit's place and action points become the undo record of the move
  // or rebase it starts; no hex has been taken yet.
  void RememberForUndo(cJednostka* unit);
  // Carries the moving unit one step; false when the move has ended or none
  // was queued.
  bool AdvanceMovingUnit();
  // The city whose region holds the hex; null without a region grid.
  cMiasto* GetRegionCity(int x, int y) const;

  // The attack being prepared.
  void NewAttack(cJednostka* defender, int32_t x, int32_t y, cJednostka* a0, cJednostka* a1, cJednostka* a2,
                 cJednostka* a3, cJednostka* a4, cJednostka* a5);
  void ClearAttack();
  // An attack on a unit attacked already, or joined by a unit that attacked
  // already, may have one attacker only: an attack with more is dropped.
  void DropOverfullAttack();

  // Selection on the map.
  void ClearUnit();
  // Centres the map on the current country's main city; with the flag, and
  // outside the computer's play, the camera scroll state follows.
  void CenterOnUnit(bool scroll);
  void SetHoverHex(sHex* hex);
  void SelectHex(int x, int y);
  // Back to the resume view's first point at once.
  void ResetView();

  // The country whose impulse it is; null before the play order is known.
  cPanstwo* currentCountry = nullptr;
  // The country whose view of the map was shown last (fog of war, camera);
  // null until the worker has handed the game to a country.
  cPanstwo* lastShownCountry = nullptr;

  // The land move in progress.
  cJednostkaLadowa* movingUnit = nullptr;
  // The country that takes control of the next entered hex.
  uint32_t takingCountry = 0;
  std::list<sMoveStep> steps;

  // The attack being prepared; owned, null when none.
  sAtak* attack = nullptr;

  // The undo record of the last land move or rebase; the unit is null when
  // no move can be undone.
  cJednostka* undoUnit = nullptr;
  int32_t undoActionPoints = 0;
  int32_t undoX = -1;
  int32_t undoY = -1;
  std::list<sCapturedHex> capturedHexes;

  // The city whose region holds each hex, row by row; empty until the world
  // topography is built.
  std::vector<cMiasto*> cityRegions;
  // The row stride of cityRegions: the map width when it was built.
  int32_t cityRegionStride = 0;
  // The city groups of the world topography, each in the order found.
  std::list<std::list<cMiasto*>> cityGroups;
  // The map size of the last topography pass.
  int32_t mapWidth = 0;
  int32_t mapHeight = 0;
  // Hexes the group floods have visited, row by row; only filled while
  // ComputeWorldTopography runs.
  std::vector<uint8_t> topographyVisited;
  // The grid and work lists of the supply floods; null until created.
  std::unique_ptr<cTopografia> topography;

  sHex* hoveredHex = nullptr;
  sHex* selectedHex = nullptr;
  cUnit* selectedUnit = nullptr;
  int32_t mapAction = kMapActionNone;
  // The sea node of the departure port picked for a new convoy; -1 for none.
  int32_t convoyFirstPort = -1;
  // The computer player's actions are shown (map centring and delays).
  uint8_t showActions = 1;
  // Set while the fleets dialog must not open on a sea-hex selection.
  uint8_t suppressDialogs = 0;

  // The view of ResetView; nothing in the game core fills it.
  sResumeView resumeView;

  // Where the last move ended.
  int32_t lastMoveEndX = -1;
  int32_t lastMoveEndY = -1;
};

// The undo of the last land move or rebase.
void ClearUndoHistory();
// Puts the unit back where its move or rebase began, with its action
// points, and gives every hex the move took its controller back; only the
// last moved unit, and only once.
void UndoLastMove(cJednostka* unit);
// The text, line feeds turned into blanks, as the information bar's message.
void ShowInfoPanelMessage(const std::wstring& text);
