#pragma once
// The scenario settings menu: after loading, each country of the game is
// given to the computer or to a player here (in a PBEM game to one of the
// PBEM players), with its difficulty; a second tab sets up a PBEM game. OK
// runs the start checks and starts the game screen; back and Esc throw the
// loaded game away.
#include <string>

#include "screens/menu.h"

class cPanstwo;
struct sPbemPlayer;

class cScenarioSettingsMenu : public cMenu {
 public:
  enum eControl : int {
    kTitle = 205,
    kFrame = 207,
    kTabs = 208,
    kCountryList = 216,
    kCountryName = 218,
    kFlag = 219,
    kStatsTabs = 220,
    kStatsList = 221,
    kControlledByLabel = 222,
    kComputer = 224,
    kHuman = 225,
    kPbemPlayer = 226,
    kDifficultyLabel = 227,
    kVeryHard = 229,
    kHard = 230,
    kNormal = 231,
    kEasy = 232,
    kVeryEasy = 233,
    kPbemGame = 234,
    kPbemNameLabel = 235,
    kPbemName = 236,
    kPlayersLabel = 237,
    kPlayers = 238,
    kPlayerNameLabel = 239,
    kPlayerName = 240,
    kPlayerEmailLabel = 241,
    kPlayerEmail = 242,
    kSavePlayer = 243,
    kRemovePlayer = 244,
    kEventsByComputer = 245,
    kOk = 246,
    kBack = 247,
    kProgramVersion = 7010,
    // Scenario authoring steps, asked for by events of these ids: the version
    // label rebuilds the map file, 7000 writes the events out as text.
    kWriteEventsAsText = 7000,
  };
  enum eStatsTab : int { kStatsGeneral = 0, kStatsResources = 1, kStatsUnits = 2, kStatsTechnology = 3 };

  cScenarioSettingsMenu();
  ~cScenarioSettingsMenu() override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnRender(float elapsed) override;

  void RefreshCountryList();
  void RefreshCountryStats();
  void RefreshCountryControls();
  void ApplyCountryControls();
  void RefreshPbemPlayers();
  void ResetCountryControl();
  void BackToScenarioMenu();
  void StartGame();
  // The start checks; a refusal shows its message and keeps the menu.
  void OnOk();

  cPanstwo* SelectedCountry() const { return selectedCountry_; }

 private:
  std::wstring CountryRow(const cPanstwo& c) const;

  cPanstwo* selectedCountry_ = nullptr;
  sPbemPlayer* selectedPlayer_ = nullptr;
};

// Sorts the country list: by the country's name, in character code order.
bool CompareCountryNames(const cPanstwo* a, const cPanstwo* b);
