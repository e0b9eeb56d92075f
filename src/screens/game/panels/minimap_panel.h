#pragma once
// The minimap panel: the map's picture with the countries' layer and the
// view's outline, the zoom and draw-mode buttons and the date line.
#include <string>

#include "screens/game/panels/panel.h"

class cGra;

class cMinimapPanel : public cPanel {
 public:
  enum eControl : int {
    kBackground = 310,
    kDate = 311,
    kMinimap = 315,
    kZoomIn = 316,
    kZoomOut = 317,
    kBorderMode = 318,
    kOwnershipMode = 319,
    kMapMode = 320,
  };

  cMinimapPanel();
  void Render(float elapsed) override;
  void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) override;
  // The place of the minimap picture on the screen, set by the map.
  void SetMapRect(int x, int y, int width, int height);
  void RefreshDate();
  std::wstring DateText();

  int mapRect[4] = {};
};

// The date line: the Info.ini day on the first turn, else the calendar's
// date, then the turn and the last turn.
std::wstring MinimapDateLine(cGra& game);
