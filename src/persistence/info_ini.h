#pragma once
// What the scenario menu shows of a scenario or saved game, from the
// "Info.ini" of its folder.
#include <string>
#include <vector>

struct sScenarioInfo {
  std::wstring title;
  std::wstring author;
  std::wstring version;
  // The duration line and the map size "%ix%i".
  std::wstring duration;
  std::wstring mapSize;
  // Only for a saved game: the date of saving and the game date with turn
  // (empty when the file has no such keys).
  std::wstring saveDate;
  std::wstring savedTurn;
  std::vector<std::wstring> description;
  std::vector<std::wstring> objectives;
  // The picture of the entry, a game path.
  std::wstring picture;
};

// Reads "Info.ini" of the folder (a game path without a trailing backslash);
// savedGame picks the picture of the scenario the save was made from. A
// missing file or key gives the defaults.
sScenarioInfo ReadScenarioInfo(const std::wstring& folder, bool savedGame);
