#pragma once
// The saver: writers of the files of a saved-game folder. It holds no data
// of its own; every writer reads the running game (gGra) and changes nothing
// in it. Each writer takes the folder without a trailing backslash.
#include <string>

class cZapisGry {
 public:
  // "PlayerDefinedPlaces.txt": the map's ten places; a failure is logged
  // and passed over.
  void SavePlayerDefinedPlaces(const std::wstring& folder) const;
  // "flags.txt": every scenario flag that is not 0.
  void SaveFlags(const std::wstring& folder) const;
  // "Info.ini": the scenario's own Info.ini with the game's calendar, turn,
  // version and PBEM keys set.
  void SaveInfoIni(const std::wstring& folder) const;
  // "unit_names.csv": the bytes the loader read, unchanged.
  void SaveUnitNames(const std::wstring& folder) const;
};

// The version a save records in "Save/GameVersion".
constexpr double kSaveGameVersion = 1.05;
