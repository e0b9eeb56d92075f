#pragma once
// The program's preferences from "Settings.ini", read once at start-up, and
// the fifteen delay preferences that pace what the player sees.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/ini_file.h"

// The store of "Settings.ini" for the whole run.
extern cIniFile gSettings;

// The values the variables hold when "Settings.ini" cannot be loaded.
struct sProgramSettings {
  int resolutionX = 0;
  int resolutionY = 0;
  bool windowed = false;
  uint32_t frameDelayMs = 0;  // 0: no frame delay
  bool showUnits = true;
  bool showUnitNames = true;
  std::wstring unitsSkin = L"Counters";
  bool dynamicUnitAppearance = true;
  std::wstring mapSkin = L"Normal";
  float mapZoom = 1.0f;
  bool showGrid = true;
  bool showCityNames = false;
  bool showActionPointsLeft = false;
  bool showWeather = false;
  bool showSeaZoneNames = false;
  int mapOwnershipMode = 0;
  int mapMode = 0;
  int borderMode = 2;
  bool showSeaZoneBorders = true;
  uint32_t borderColor = 0xFFFFFFFFu;
  int fogOfWar = 3;  // 0: unlimited
  bool showAlliesActions = true;
  int minimapOwnershipMode = 0;  // 0: the minimap texture is left unpainted
  bool skipEndTurnConfirmation = false;
  int seaBattleTimeout = 2;
  float musicVolume = 0.0f;
  float sfxVolume = 0.0f;
};

extern sProgramSettings gProgramSettings;

// One row of the delay preferences: its key in "Settings.ini", the
// string-base key of its label and the id of its value control in the
// settings dialog (the label's control is the id minus 1).
struct sDelaySetting {
  const char* iniKey;
  const char* labelKey;
  int32_t controlId;
};

constexpr int kDelayCount = 15;
enum eDelay {
  DELAY_CONTROL_HINT,
  DELAY_AI_COMBAT_RESULT,
  DELAY_HUMAN_COMBAT_RESULT,
  DELAY_HUMAN_DEPLOY_AFTER,
  DELAY_HUMAN_RECON_AFTER,
  DELAY_AI_MOVE_BEFORE,
  DELAY_AI_MOVE_BETWEEN,
  DELAY_AI_MOVE_AFTER,
  DELAY_AI_COMBAT_BEFORE,
  DELAY_AI_COMBAT_AFTER,
  DELAY_AI_DEPLOY_BEFORE,
  DELAY_AI_DEPLOY_AFTER,
  DELAY_AI_REPLACEMENT_BEFORE,
  DELAY_AI_REPLACEMENT_AFTER,
  DELAY_HUMAN_MOVE_BETWEEN,
};

extern const std::array<sDelaySetting, kDelayCount> delaySettings;
// The delays in milliseconds, in the order of delaySettings: 0 no pause,
// below 0 wait for a click.
extern std::array<float, kDelayCount> delayValues;

// Reads the settings from the file (by default "Settings.ini" in the
// working directory). Without the file the built-in values apply.
void LoadSettings(const std::wstring& path = L"Settings.ini");
// Stores the current map zoom as a percentage and saves the store.
void SaveZoomSetting();

// The settings dialog's value text of a delay row, with the texts of the
// string base or of the given lookup.
using TextLookup = std::function<std::wstring(const std::string& key)>;
std::wstring DelayValueText(int row, float delayMs);
std::wstring DelayValueText(int row, float delayMs, const TextLookup& text);
