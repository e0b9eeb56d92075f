#pragma once
// The human player's mouse on the game map: the hex under the cursor and the
// action the selection's map mode asks for on a clicked hex.
#include "world/hex_map.h"

// Map action modes beyond those the selection names itself.
enum : int32_t {
  kMapActionDeployLand = 1,
  kMapActionDeployAir = 2,
  kMapActionDeployNaval = 3,
  kMapActionStrategicMove = 5,
  kMapActionAirborneAssault = 6,
  kMapActionAssaultPlan = 7,
  kMapActionBombardment = 8,
  kMapActionAirFight = 9,
  kMapActionNuclearStrike = 10,
  kMapActionRecon = 11,
  kMapActionFleetMove = 13,
  kMapActionConvoyFirstPort = 14,
  kMapActionConvoySecondPort = 15,
  kMapActionUnload = 16,
  kMapActionShoreBombardment = 17,
};

// The mark bits that make a hex a target of the current mode.
constexpr uint32_t kMarkTargetBits = 0x1FFFC;

// The hex under a screen point for a view of the given zoom and camera on a
// screen of width x height pixels; false (and out untouched) when the point
// lies outside a map of mapWidth x mapHeight hexes.
bool ScreenPointToHex(float zoom, float cameraX, float cameraY, int screenWidth, int screenHeight, int mx, int my,
                      int mapWidth, int mapHeight, sHexPoint& out);

class cGra;
// Ends a map pick that the dialog on top of the stack asked for (a
// deployment, a fleet order or a convoy's ports): the marks go and the
// dialog comes back as after the pick. False when no such pick was under way.
bool CancelDialogPick(cGra& game);
