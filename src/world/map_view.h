#pragma once
// The switches that say what the map view shows, and the program-wide target
// scale of the view (the current one is gCurrentMapScale; the zoom factor,
// 0 full size .. 1 the map's width on the screen, is the zoom setting).
#include <cstdint>

struct sMapDisplay {
  int mode = 0;        // 0 full, 1 terrain variants only, 2 simplified
  int borderMode = 2;  // 0 none, 1 controller, 2 owner
  uint32_t borderColour = 0xFFFFFFFFu;
  int tintMode = 0;    // 0 none, 1 controller, 2 owner, 3 both
  bool showSeaZones = true;
  bool showGrid = true;
  bool showWeather = false;
  bool showMarkValues = false;
  bool showUnits = true;
  bool showSeaZoneNames = false;
  bool showCityNames = false;

  // The switches of the program settings.
  static sMapDisplay FromSettings();
};

extern float gTargetMapScale;

// A press and release of the mouse that moved less than this on both axes
// is a click on the map, not a drag of it.
inline bool IsMapClickDrag(int dx, int dy) { return dx > -10 && dx < 10 && dy > -10 && dy < 10; }

// Map pixels of the hex grid at scale 1.
constexpr int kHexColumnPixels = 83;
constexpr int kHexRowPixels = 98;
constexpr int kHexCellPixels = 166;
constexpr int kSkinCellPitch = 167;
// The screen layout's minimap area.
constexpr int kMinimapAreaLayoutId = 315;
