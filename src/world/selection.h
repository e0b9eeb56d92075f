#pragma once
// The selection and impulse record of the game.
#include <cstdint>
#include <list>
#include <vector>

class cPanstwo;
class cMiasto;
class cJednostkaLadowa;

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

class cSelection {
 public:
  virtual ~cSelection() = default;

  // Turns the unit's move list into the steps from the unit to (x, y), which
  // is a hex of that list or a neighbour of the unit, and opens the undo
  // record of the move.
  void FindLandPath(cJednostkaLadowa* unit, int x, int y);
  // Carries the moving unit one step; false when the move has ended or none
  // was queued.
  bool AdvanceMovingUnit();
  // The city whose region holds the hex; null without a region grid.
  cMiasto* GetRegionCity(int x, int y) const;

  // The country whose impulse it is; null before the play order is known.
  cPanstwo* currentCountry = nullptr;

  // The land move in progress.
  cJednostkaLadowa* movingUnit = nullptr;
  // The country that takes control of the next entered hex.
  uint32_t takingCountry = 0;
  std::list<sMoveStep> steps;

  // The undo record of the last move.
  cJednostkaLadowa* undoUnit = nullptr;
  int32_t undoActionPoints = 0;
  int32_t undoX = -1;
  int32_t undoY = -1;
  std::list<sCapturedHex> capturedHexes;

  // The computer player's actions are shown (map centring and delays).
  uint8_t showActions = 1;
  // The city whose region holds each hex, row by row; empty until the world
  // topography is built.
  std::vector<cMiasto*> cityRegions;

  // Where the last move ended.
  int32_t lastMoveEndX = -1;
  int32_t lastMoveEndY = -1;
};
