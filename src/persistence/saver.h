#pragma once
// The saver: writers of the files of a saved-game folder. It holds no data
// of its own; every writer reads the running game (gGra) and changes nothing
// in it. Each writer takes the folder without a trailing backslash.
#include <cstdio>
#include <list>
#include <string>

class cJednostkaLadowa;

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
  // "ai_data.csv": the keywords of every country's computer-player parameters.
  void SaveAiData(const std::wstring& folder) const;
  // The state tables of a saved game.
  void SaveTopography(const std::wstring& folder) const;
  void SaveCitiesSupplyInfo(const std::wstring& folder) const;
  void SaveCitiesConvoyInfo(const std::wstring& folder) const;
  // UTF-16LE without a byte-order mark, lines ended by LF alone.
  void SaveAirshipAttacks(const std::wstring& folder) const;
  void SaveAirReconUnits(const std::wstring& folder) const;

  // The unit and fleet tables (land_air_tables.cpp, naval_tables.cpp), in
  // the layout their readers take back.
  // "land_units.csv": the land, transported and amphibious lists, then the
  // land units of the reserve pool.
  void SaveLandUnits(const std::wstring& folder) const;
  // The rows of one list of land units, each starting with a line break.
  void WriteLandUnitRows(std::FILE* file, const std::list<cJednostkaLadowa*>& units) const;
  void WriteReserveLandUnitRows(std::FILE* file) const;
  // "air_units.csv": "#On map" with the air list, "#In reserve" with the air
  // units of the reserve pool.
  void SaveAirUnits(const std::wstring& folder) const;
  // "fleets.csv": every fleet of the fleet list.
  void SaveFleets(const std::wstring& folder) const;
  // "naval_units.csv": "#On map" with the naval list, "#In reserve" with the
  // naval reserve pool (fleet and commander -1).
  void SaveNavalUnits(const std::wstring& folder) const;
};

// The version a save records in "Save/GameVersion".
constexpr double kSaveGameVersion = 1.05;
