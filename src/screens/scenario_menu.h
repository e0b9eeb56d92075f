#pragma once
// The scenario menu: what can be started (new games, saved games, PBEM
// games) on three tabs of one list, the details of the selected entry from
// its Info.ini, and its start behind the loading screen.
#include <memory>
#include <string>
#include <vector>

#include "screens/menu.h"

class cPlatformTexture;

// The display name of the entry selected last; coming back selects it again.
extern std::wstring gLastScenarioName;

// Draws the framed preview area of the scenario menu; null until the map
// skin offers it (the menu then shows the picture without its frame).
using ScenarioPreviewFn = void (*)(int x, int y, int width, int height, cPlatformTexture* picture);
extern ScenarioPreviewFn gDrawScenarioPreview;

class cScenarioMenu : public cMenu {
 public:
  enum eControl : int {
    kTitle = 175,
    kPreviewFrameInner = 176,
    kPreviewFrameOuter = 177,
    kTabs = 178,
    kList = 179,
    kAuthorLabel = 181,
    kAuthor = 182,
    kVersionLabel = 183,
    kVersion = 184,
    kDurationLabel = 185,
    kDuration = 186,
    kSaveDateLabel = 187,
    kSaveDate = 188,
    kSaveTurnLabel = 189,
    kSaveTurn = 190,
    kDescriptionLabel = 191,
    kDescription = 192,
    kGoalsLabel = 193,
    kGoals = 194,
    kMapSizeLabel = 197,
    kMapSize = 198,
    kPreview = 199,
    kStart = 200,
    kBack = 201,
    kProgramVersion = 7001,
  };
  // The list's modes: new games, saved games, PBEM games.
  enum eMode : int { kNewGames = 0, kSavedGames = 2, kPbemGames = 3 };

  cScenarioMenu();
  void FillScenarioList();
  // Reads one folder's Info.ini and adds its row; key gets the name by
  // which the entry is selected again (empty when Info.ini is unreadable).
  void AddScenarioEntry(std::wstring& key, const std::wstring& folder);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnRender(float elapsed) override;
  void BackToMainMenu();
  int ListMode() const { return listMode_; }

 private:
  void ShowDetails();
  // Makes the loading menu current and loads the selected entry.
  void StartSelected(bool logged);

  int listMode_ = kNewGames;
  // The path patterns the list's rows point to.
  std::vector<std::unique_ptr<std::wstring>> patterns_;
};

// Runs after the loading menu has been made current; the load it starts
// ends by opening the next menu. Tests replace it to load nothing.
using ScenarioLoadFn = int (*)(const std::wstring& pathPattern, int loadMode);
extern ScenarioLoadFn gScenarioLoad;
