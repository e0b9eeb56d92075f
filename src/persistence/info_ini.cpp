// "Info.ini" of a scenario or saved-game folder: what the loader takes into
// the game object, what the scenario menu shows and what a save writes.
#include "persistence/info_ini.h"

#include <cwchar>
#include <ctime>
#include <utility>

#include "core/console.h"
#include "core/front_end.h"
#include "core/ini_file.h"
#include "core/string_table.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "persistence/save_file.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "core/table_fields.h"

namespace {

constexpr int kMaxPbemPlayers = 8;

std::string PlayerKey(int i, const char* what) { return Format("Save/PBEMPlayer%i%s", i, what); }

// A counter size index: the value minus 1 when that lies in 1..5.
int UnitSizeIndex(int value, int fallback) { return value >= 2 && value <= 6 ? value - 1 : fallback; }

// The calendar and turn counters are counted on by every turn: their ranges
// keep that arithmetic far from the ends of int.
constexpr int kMaxTurns = 100000;
const sFieldRange kImpulseRange{0, 1000};
const sFieldRange kYearRange{0, 9999};
const sFieldRange kDayRange{1, 31};
const sFieldRange kTurnRange{0, kMaxTurns};

int RangedInt(cIniFile& ini, const std::wstring& path, const char* key, int def, const sFieldRange& range) {
  return RangedField(ini.GetInt(key, def), range, {path, 0, WidenAscii(key)});
}

float ReadVersion(const std::wstring& text, const std::wstring& path) {
  return static_cast<float>(RangedField(std::wcstod(text.c_str(), nullptr), {0, 1000}, {path, 0, L"Save/GameVersion"}));
}

// Lines "<prefix>1", "<prefix>2", ... up to the first that is missing.
std::vector<std::wstring> ReadNumberedLines(cIniFile& ini, const std::string& prefix) {
  std::vector<std::wstring> lines;
  for (int i = 1;; ++i) {
    const std::string key = prefix + std::to_string(i);
    if (!ini.HasKey(key)) break;
    lines.push_back(ini.GetString(key, L""));
  }
  return lines;
}

}  // namespace

void cGra::ReadInfoIni(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"Info.ini");
  cIniFile ini;
  ini.Load(path);

  date.turn = RangedInt(ini, path, "Save/Impulse", 0, kImpulseRange);
  // The month indexes the calendar's tables: without one there is no date.
  const bool hasMonth = ini.HasKey("Save/GameMonth");
  date.month = ini.GetInt("Save/GameMonth", 0);
  if (!hasMonth || date.month < 1 || date.month > 12)
    FatalExit(WFormat(L"ERROR: %s: key \"Save/GameMonth\" is missing or no month 1-12", path.c_str()), 1, true);
  date.year = RangedInt(ini, path, "Save/GameYear", 0, kYearRange);
  displayedMonth = date.month;
  displayedYear = date.year;

  scenarioName = ini.GetString("Save/ScenarioName", L"unknown");
  turn = RangedInt(ini, path, "Save/Turn", 0, kTurnRange);
  turnsLeft = RangedInt(ini, path, "Duration/Turns", turn, kTurnRange) - turn;

  pbemPlayers.clear();
  if (ini.HasKey("Save/PBEMGameName")) {
    pbem = 1;
    pbemGameName = ini.GetString("Save/PBEMGameName", L"unknown");
    for (int i = 1; i <= kMaxPbemPlayers; ++i) {
      const std::string nameKey = PlayerKey(i, "Name");
      const std::string emailKey = PlayerKey(i, "Email");
      if (!ini.HasKey(nameKey) || !ini.HasKey(emailKey)) break;
      sPbemPlayer player;
      player.number = i;
      player.name = ini.GetString(nameKey, L"should_not_see_this").substr(0, sPbemPlayer::kMaxTextLength);
      player.email = ini.GetString(emailKey, L"should_not_see_this").substr(0, sPbemPlayer::kMaxTextLength);
      pbemPlayers.push_back(std::move(player));
    }
  } else {
    pbem = 0;
    pbemGameName = L"unknown";
  }
  pbemEventsByAI = ini.GetBool("Save/PBEMEventsByAI", false) ? 1 : 0;
  gameVersion = ReadVersion(ini.GetString("Save/GameVersion", L"1.0"), path);
  displayedDay = RangedInt(ini, path, "Save/GameDay", 1, kDayRange);
  smallUnitSize = UnitSizeIndex(ini.GetInt("Map/SmallUnitsSize", 1), 0);
  largeUnitSize = UnitSizeIndex(ini.GetInt("Map/LargeUnitsSize", 2), 1);
}

sScenarioInfo ReadScenarioInfo(const std::wstring& folder, bool savedGame) {
  cIniFile ini;
  ini.Load(folder + L"\\Info.ini");
  const std::string general = "General_" + NarrowAscii(gStringTable.Language());

  sScenarioInfo info;
  info.title = ini.GetString(general + "/Name", L"Unknown name");
  info.author = ini.GetString("Misc/Author", L"unknown");
  info.version = ini.GetString("Misc/Version", L"1.0");
  const std::wstring start = ini.GetString("Duration/StartDate", L"--.--.-- --:--");
  const std::wstring end = ini.GetString("Duration/EndDate", L"--.--.-- --:--");
  info.duration = WFormat(Txt("scenario_duration_%s_to_%s_%i_turns").c_str(), start.c_str(), end.c_str(),
                          ini.GetInt("Duration/Turns", 0));
  info.mapSize = WFormat(L"%ix%i", ini.GetInt("Map/SizeX", 0), ini.GetInt("Map/SizeY", 0));
  if (ini.HasKey("Save/Date")) info.saveDate = ini.GetString("Save/Date", L"--.--.-- --:--");
  if (ini.HasKey("Save/Turn")) {
    const int savedTurn = ini.GetInt("Save/Turn", 0);
    info.savedTurn = WFormat(Txt("%02d.%02d.%02d_turn_%i").c_str(), ini.GetInt("Save/GameDayDisplayed", 0),
                             ini.GetInt("Save/GameMonthDisplayed", 0), ini.GetInt("Save/GameYearDisplayed", 0),
                             savedTurn);
  }
  info.description = ReadNumberedLines(ini, general + "/DescriptionLine");
  info.objectives = ReadNumberedLines(ini, general + "/ObjectivesLine");
  if (savedGame)
    info.picture = WFormat(L"data\\scenarios\\%s\\image.png",
                           ini.GetString("Save/ScenarioName", L"unknown scenario").c_str());
  else
    info.picture = folder + L"\\image.png";
  return info;
}

namespace {

std::function<std::time_t()>& SaveClock() {
  static std::function<std::time_t()> clock;
  return clock;
}

}  // namespace

void SetSaveClock(std::function<std::time_t()> clock) { SaveClock() = std::move(clock); }

void cZapisGry::SaveInfoIni(const std::wstring& folder) const {
  const cGra& game = *gGra;
  cIniFile ini;
  ini.Load(WFormat(L"data\\scenarios\\%s\\Info.ini", game.scenarioName.c_str()));

  const std::time_t now = SaveClock() ? SaveClock()() : std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  ini.SetString("Save/Date", WFormat(L"%02d.%02d.%02d %02d:%02d", local.tm_year % 100, local.tm_mon + 1, local.tm_mday,
                                     local.tm_hour, local.tm_min));
  ini.SetInt("Save/Turn", game.turn);
  ini.SetInt("Save/Impulse", game.date.turn);
  ini.SetInt("Save/GameDay", game.displayedDay);
  ini.SetInt("Save/GameMonth", game.date.month);
  ini.SetInt("Save/GameYear", game.date.year);
  ini.SetString("Save/ScenarioName", game.scenarioName);
  ini.SetInt("Save/GameDayDisplayed", game.displayedDay);
  ini.SetInt("Save/GameMonthDisplayed", game.displayedMonth);
  ini.SetInt("Save/GameYearDisplayed", game.displayedYear);
  ini.SetString("Save/GameVersion", WFormat(L"%.2f", kSaveGameVersion));
  // Restored by the loader, so the month's monthly part does not run twice.
  ini.SetInt(kLastMonthlyUpdateKey, game.lastHarbourMonth);
  if (game.pbem) {
    ini.SetString("Save/PBEMGameName", game.pbemGameName);
    ini.SetBool("Save/PBEMEventsByAI", game.pbemEventsByAI != 0);
    for (size_t i = 0; i < game.pbemPlayers.size(); ++i) {
      const int n = static_cast<int>(i) + 1;
      ini.SetString(PlayerKey(n, "Name"), game.pbemPlayers[i].name);
      ini.SetString(PlayerKey(n, "Email"), game.pbemPlayers[i].email);
    }
  }
  // A save without its Info.ini cannot be loaded again.
  const std::wstring path = SaveFilePath(folder, L"Info.ini");
  if (!ini.SaveAs(path)) SaveFailed(L"Error opening file for writing");
}
