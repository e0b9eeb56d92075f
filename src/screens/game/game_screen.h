#pragma once
// The game screen: the map view with its panels under the dialog stack. It
// has no menu of its own; it takes the framework's frame-move, keyboard and
// mouse callbacks while a game is played, and hands them to a menu shown
// over it (the paused state).
#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/win_types.h"

class cPlatformDevice;
class CFWControl;
class cPanel;
class cInfoPanel;
class cMinimapPanel;

// The six panels of the game screen; the unit, attack, diplomacy and hex
// panels come with later work and stay null until then.
extern cInfoPanel* gInfoPanel;
extern cPanel* gUnitPanel;
extern cPanel* gAttackPanel;
extern cPanel* gDiplomacyPanel;
extern cPanel* gHexPanel;
extern cMinimapPanel* gMinimapPanel;

// Ids of the game screen's controls and keys.
enum eGameScreenControl : int {
  kGsMinimap = 315,
  kGsZoomIn = 316,
  kGsZoomOut = 317,
  kGsBorderMode = 318,
  kGsOwnershipMode = 319,
  kGsMapMode = 320,
  kGsPurchases = 336,
  kGsUnitsManager = 337,
  kGsResearch = 339,
  kGsReports = 340,
  kGsConvoys = 341,
  kGsPause = 342,
  kGsEndTurn = 343,
  kGsHotKeys = 344,
  kGsFoldUnitPanel = 350,
  kGsFoldHexPanel = 400,
  kGsFoldAttackPanel = 450,
  kGsFoldDiplomacyPanel = 600,
  // The layout row of the edge-scroll thresholds: left, top, right, bottom.
  kGsEdgeScrollRow = 291,
  // The layout row of the info bar's corner that the map drawing clears.
  kGsClearedCorner = 331,
};

// Builds the panels of a game (again, when a game was played before).
void CreateHudPanels();
void DestroyHudPanels();

// Ends the current menu and gives the framework's callbacks to the screen.
void StartGameScreen();
// Input to a menu shown over the game (state 2), and back (state 7).
void SetStatePaused();
void SetStateWithCallbacks();
// The worker thread has the game: the computer's impulses, their move
// animations and the end of impulse. The player may look at the map then,
// but none of his keys, icons or menus changes the game or its state.
bool WorkerHasTheGame();

void OnGameFrameMove(cPlatformDevice* device, double time, float elapsed);
void UpdateStatusBarHint();
void StepUnitMoveAnimation();
void LockGamePanels();
void RestoreGamePanels();

// The info and minimap panels' buttons, and the screen's keys.
void GameScreenOnGuiEvent(UINT event, int controlId, CFWControl* control);
void GameScreenOnKeyboard(UINT key, bool keyDown, bool altDown);
// The mouse on the map (the dialogs had their turn).
void GameScreenOnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);

// The end of the human player's impulse, and its autosave.
void EndTurn();
// The worker brought the play order to a country of another PBEM player:
// the game is saved for that player, with the message.
void SendPbemTurnOfCurrentCountry();
void Autosave();
void CheckHexOccupancy();

// The game's part of a frame: the map, then the panels.
void RenderMap(cPlatformDevice* device, float elapsed);
void RenderPanels(float elapsed);
bool PanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PanelsGuiEvent(UINT event, int controlId, CFWControl* control);

// A unit's move shown step by step: the screen calls advance once per move
// delay until it returns false.
void QueueMoveAnimation(std::function<bool()> advance);
bool MoveAnimationPending();
// The game has ended: its move is not shown any further.
void DropMoveAnimation();

// Set by the scenario events check of a PBEM game to end the player's turn on
// the next frame: the events phase's own flag under the screen's name.
extern std::atomic<bool>& gEndTurnRequest;
// The scroll keys held: bit 1 left, 2 up, 4 right, 8 down.
extern uint8_t gScrollKeys;
