// Saving a game: the save and PBEM entries, the folder they write into and
// the fixed order of the files.
#include "persistence/saver.h"

#include <cwctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/text.h"
#include "persistence/save_file.h"
#include "world/country_economy.h"
#include "world/game.h"

namespace fs = std::filesystem;

namespace {

constexpr const wchar_t* kSaveFolder = L"data\\save";
constexpr const wchar_t* kPbemFolder = L"data\\pbem";

bool IsForbiddenInFolderName(wchar_t c) {
  return c < 0x20 || c == 0x7F || std::wcschr(L"\\/:*?\"<>|", c) != nullptr;
}

// Nothing when the name can be a folder of the parent: a name the game's code
// page holds (the menu reads the saves' names back through it) and no
// character that would reach another folder. maxLength 0 is no limit.
std::optional<std::wstring> CheckFolderName(const std::wstring& name, size_t maxLength) {
  if (name.empty()) return Txt("save_name_empty");
  if (maxLength != 0 && name.size() > maxLength)
    return WFormat(Txt("save_name_too_long_%i").c_str(), static_cast<int>(maxLength));
  if (name[0] == L'.') return Txt("save_name_bad_character");
  for (wchar_t c : name)
    if (IsForbiddenInFolderName(c)) return Txt("save_name_bad_character");
  if (Cp1252ToWide(WideToCp1252(name)) != name) return Txt("save_name_code_page");
  return std::nullopt;
}

std::wstring ErrorText(const std::error_code& ec) { return Utf8ToWide(ec.message()); }

// Every entry of the old folder that the new one lacks is copied into it: a
// file an older save left and this one does not write stays with the save.
bool CarryOverOldFiles(const fs::path& oldFolder, const fs::path& newFolder, std::error_code& ec) {
  for (const fs::directory_entry& e : fs::directory_iterator(oldFolder, ec)) {
    const fs::path target = newFolder / e.path().filename();
    if (fs::exists(target, ec)) continue;
    fs::copy(e.path(), target, fs::copy_options::recursive, ec);
    if (ec) return false;
  }
  return !ec;
}

// Writes the save files into a folder beside "parent\name" and swaps it in
// only when all were written. Returns the failure, nothing on success.
std::optional<std::wstring> WriteFolderInPlace(const cZapisGry& saver, const std::wstring& parent, const std::wstring& name) {
  std::error_code ec;
  const fs::path parentPath(NativePath(parent));
  fs::create_directories(parentPath, ec);
  if (ec) return parent + L": " + ErrorText(ec);
  const fs::path target(NativePath(parent + L"\\" + name));
  if (fs::exists(target, ec) && !fs::is_directory(target, ec)) return Txt("save_target_not_folder");

  const std::string leaf = target.filename().string();
  const fs::path temp = target.parent_path() / ("." + leaf + ".saving");
  const fs::path old = target.parent_path() / ("." + leaf + ".old");
  // Left over from a save that was cut off.
  fs::remove_all(temp, ec);
  fs::remove_all(old, ec);
  if (!fs::create_directory(temp, ec)) return Utf8ToWide(temp.string()) + L": " + ErrorText(ec);

  try {
    cSaveFailureScope scope;
    saver.WriteSaveFiles(Utf8ToWide(temp.string()));
  } catch (const cSaveError& e) {
    fs::remove_all(temp, ec);
    return e.Message();
  }

  if (fs::is_directory(target, ec)) {
    if (!CarryOverOldFiles(target, temp, ec)) {
      const std::wstring why = ErrorText(ec);
      fs::remove_all(temp, ec);
      return why;
    }
    fs::rename(target, old, ec);
    if (ec) {
      const std::wstring why = ErrorText(ec);
      fs::remove_all(temp, ec);
      return why;
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    const std::wstring why = ErrorText(ec);
    std::error_code ignored;
    if (fs::exists(old, ignored)) fs::rename(old, target, ignored);
    fs::remove_all(temp, ignored);
    return why;
  }
  fs::remove_all(old, ec);
  return std::nullopt;
}

void ShowSaveFailure(const std::wstring& why) {
  LogLine(L"ERROR: the game was not saved: " + why);
  FrontEnd().ShowTextDialog(WFormat(Txt("save_failed_%s").c_str(), why.c_str()), L"Save game", kMessageDialogLayout);
}

void ShowRefusal(const std::wstring& why) {
  LogLine(L"The game was not saved: " + why);
  FrontEnd().ShowTextDialog(why, L"Save game", kMessageDialogLayout);
}

}  // namespace

std::wstring TrimSaveName(const std::wstring& name) {
  size_t first = 0;
  size_t last = name.size();
  while (first < last && std::iswspace(static_cast<wint_t>(name[first]))) ++first;
  while (last > first && std::iswspace(static_cast<wint_t>(name[last - 1]))) --last;
  return name.substr(first, last - first);
}

std::optional<std::wstring> CheckSaveName(const std::wstring& trimmedName) {
  // A longer path was once cut short, so two long names could share a folder.
  const size_t prefix = std::wcslen(kSaveFolder) + 1;
  return CheckFolderName(trimmedName, cZapisGry::kMaxSavePathLength - prefix);
}

bool cZapisGry::SaveFolderExists(const std::wstring& name) const {
  const std::wstring trimmed = TrimSaveName(name);
  if (trimmed.empty() || trimmed == L"." || trimmed == L"..") return false;
  return DirectoryExists(std::wstring(kSaveFolder) + L"\\" + trimmed);
}

sSaveResult cZapisGry::SaveGame(const std::wstring& name, bool silent) const {
  if (gGra == nullptr) return {false, L"no game to save"};
  const std::wstring trimmed = TrimSaveName(name);
  if (const std::optional<std::wstring> refusal = CheckSaveName(trimmed)) {
    ShowRefusal(*refusal);
    return {false, *refusal};
  }
  LogLine(WFormat(L"Saving game in %s\\%s", kSaveFolder, trimmed.c_str()));
  if (const std::optional<std::wstring> failure = WriteFolderInPlace(*this, kSaveFolder, trimmed)) {
    ShowSaveFailure(*failure);
    return {false, *failure};
  }
  if (!silent) FrontEnd().ShowTextDialog(Txt("save_game_successfull"), L"Save game", kMessageDialogLayout);
  return {true, {}};
}

sSaveResult cZapisGry::SavePbemGame(const std::wstring& pbemGameName) const {
  if (gGra == nullptr) return {false, L"no game to save"};
  if (const std::optional<std::wstring> refusal = CheckFolderName(pbemGameName, 0)) {
    ShowRefusal(*refusal);
    return {false, *refusal};
  }
  LogLine(WFormat(L"Saving PBEM game in %s\\%s", kPbemFolder, pbemGameName.c_str()));
  if (const std::optional<std::wstring> failure = WriteFolderInPlace(*this, kPbemFolder, pbemGameName)) {
    ShowSaveFailure(*failure);
    return {false, *failure};
  }
  return {true, {}};
}

void cZapisGry::WriteSaveFiles(const std::wstring& folder) const {
  SavePlayerDefinedPlaces(folder);
  SaveAiData(folder);
  SaveAirUnits(folder);
  SaveCities(folder);
  SaveSeaNodes(folder);
  SaveCitiesSupplyInfo(folder);
  SaveCitiesConvoyInfo(folder);
  SaveCommanders(folder);
  SaveConvoys(folder);
  SaveCountries(folder);
  SaveFlags(folder);
  SaveFleets(folder);
  SaveLandUnits(folder);
  SaveLosses(folder);
  SaveMap(folder);
  SaveInfoIni(folder);
  SaveNavalUnits(folder);
  SaveRelations(folder);
  SaveTopography(folder);
  SaveUnitNames(folder);
  SaveAirshipAttacks(folder);
  SaveAirReconUnits(folder);
  SaveReports(folder);
  SaveAutoEvents(folder);
}
