#pragma once
// The information bar of the game screen: the flag and name of the country
// whose turn it is, its points, the message line, the icons that fold the
// other panels, the screen's command icons and, during the computer's turn,
// a blinking picture in the lower right corner.
#include <string>

#include "screens/game/panels/panel.h"

class cInfoPanel : public cPanel {
 public:
  enum eControl : int {
    kBackground = 292,
    kMessage = 293,
    kProductionPoints = 294,
    kDiplomacyPoints = 296,
    kStrategicMovePoints = 298,
    kSeaTransportPoints = 300,
    kInvasionPoints = 302,
    kNuclearBombs = 304,
    kDecoration = 330,
    kFlag = 331,
    kCountryName = 332,
    kCommandBackground = 335,
    kPurchases = 336,
    kUnitsManager = 337,
    kResearch = 339,
    kReports = 340,
    kConvoys = 341,
    kOptions = 342,
    kEndTurn = 343,
    kHotKeys = 344,
    kFoldUnitPanel = 350,
    kFoldHexPanel = 400,
    kFoldAttackPanel = 450,
    kFoldDiplomacyPanel = 600,
    kComputerTurn = 7542,
  };

  cInfoPanel();
  void Render(float elapsed) override;
  void Refresh();
  void SetMessage(const std::wstring& text);
  void DisableControls();
  void EnableControls();
  // Presses a command icon as its key does: silently, through the same path.
  void PressIcon(int controlId);
  std::wstring Text(int controlId);
};
