#pragma once
// The saver: writers of the files of a saved-game folder. It holds no data
// of its own; every writer reads the running game (gGra) and changes nothing
// in it. Each writer takes the folder without a trailing backslash.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <list>
#include <optional>
#include <string>

#include "core/version.h"

class cJednostkaLadowa;

// What became of a save: ok, or the message the player was shown (the
// string base's text for a refused name, the failing file for a failure).
struct sSaveResult {
  bool ok = false;
  std::wstring error;
};

class cZapisGry {
 public:
  // The longest save path, "data\save\" and the name, that a save takes.
  static constexpr size_t kMaxSavePathLength = 64;

  // Saves the running game into "data\save\" + the name (trimmed). The
  // files are written into a folder of their own beside the target and
  // moved into place only when every one of them was written, so a failed
  // save leaves the earlier one whole; the failure is shown through the
  // front end and returned. A name that is too long, or that a folder or
  // the game's code page cannot hold, is refused the same way. silent
  // leaves out the success message (the autosave).
  sSaveResult SaveGame(const std::wstring& name, bool silent) const;
  // True when "data\save\" + the trimmed name is a folder.
  bool SaveFolderExists(const std::wstring& name) const;
  // Writes every file of a save into the existing folder, in the fixed
  // order. A writer that fails ends the program, or throws cSaveError
  // inside a cSaveFailureScope.
  void WriteSaveFiles(const std::wstring& folder) const;
  // The PBEM turn folder "data\pbem\" + the name (taken as it is), written
  // as a save is.
  sSaveResult SavePbemGame(const std::wstring& pbemGameName) const;

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

  // The tables of the world (saver_tables.cpp).
  void SaveCities(const std::wstring& folder) const;
  void SaveCommanders(const std::wstring& folder) const;
  void SaveCountries(const std::wstring& folder) const;
  // "losses.csv" and "relations.csv": the two halves of the relations matrix.
  void SaveLosses(const std::wstring& folder) const;
  void SaveRelations(const std::wstring& folder) const;
  // "sea_nodes.csv", "map.hwd", "reports.dat" and "auto_events.csv" through
  // the writers of their owners, failing as the table writers do.
  void SaveSeaNodes(const std::wstring& folder) const;
  void SaveMap(const std::wstring& folder) const;
  void SaveReports(const std::wstring& folder) const;
  void SaveAutoEvents(const std::wstring& folder) const;

  // "convoys.csv": every convoy of every country (the convoy manager's writer).
  void SaveConvoys(const std::wstring& folder) const;
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
  // naval reserve pool.
  void SaveNavalUnits(const std::wstring& folder) const;
};

// A name or report text made safe for one field of a table row: ';' would
// split the row and a line break would end it, so each becomes a character
// that reloads as one field (',' and ' ').
std::wstring TableFieldText(const std::wstring& text);

// The save name with leading and trailing white space removed.
std::wstring TrimSaveName(const std::wstring& name);
// Nothing when the trimmed name can stand as a save folder; otherwise why
// not (the string base's text).
std::optional<std::wstring> CheckSaveName(const std::wstring& trimmedName);

// "data\pbem\repo.dat": for every PBEM game name the PBEM player id whose
// turn it is, in records of 504 bytes.
inline constexpr size_t kPbemRepoRecordSize = 504;
inline constexpr size_t kPbemRepoNameUnits = 250;
// Stores the id for the name: over the record of that name, else appended.
void WritePbemRepoEntry(uint32_t playerId, const std::wstring& gameName);
// The id stored for the name; when none is, the PBEM player id of the
// country that moves first, stored first. 0 when there is no such country
// (nothing is stored then).
uint32_t ReadPbemRepoEntry(const std::wstring& gameName);

// The clock a save's date ("Save/Date", local time) is read from: the wall
// clock, unless a test fixes it so that two saves give the same bytes. An
// empty function restores the wall clock.
void SetSaveClock(std::function<std::time_t()> clock);

// The version a save records in "Save/GameVersion": the program's own, so
// that the start check compares a save with the program that reads it.
constexpr double kSaveGameVersion = kProgramVersion;
