#include "rules/start_checks.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/text.h"
#include "persistence/saver.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// The characters a PBEM game's folder name may not hold.
constexpr const wchar_t* kPbemNameExcluded = L"\\/:*?<>;#&|";

bool Refuse(sStartRefusal& refusal, const wchar_t* text, const wchar_t* caption) {
  refusal.text = text;
  refusal.caption = caption;
  return false;
}

// Creates "<game folder>\data\pbem\<name>"; false when it exists already or
// the name cannot be a folder of its own.
bool CreatePbemFolder(const std::wstring& gameFolder, const std::wstring& name) {
  if (name.empty() || name == L"." || name == L".." || name.find_first_of(kPbemNameExcluded) != std::wstring::npos)
    return false;
  const std::filesystem::path parent = std::filesystem::path(gameFolder) / "data" / "pbem";
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  return std::filesystem::create_directory(parent / name, ec) && !ec;
}

}  // namespace

bool IsOlderGameVersion(double gameVersion, double programVersion) {
  return std::lround(programVersion * 100.0) > std::lround(gameVersion * 100.0);
}

uint32_t NextPbemPlayerNumber(const std::vector<sPbemPlayer>& players) {
  uint32_t highest = 0;
  for (const sPbemPlayer& p : players) highest = std::max(highest, static_cast<uint32_t>(std::max(p.number, 0)));
  return highest + 1;
}

const sPbemPlayer* FindPbemPlayer(const std::vector<sPbemPlayer>& players, int number) {
  for (const sPbemPlayer& p : players)
    if (p.number == number) return &p;
  return nullptr;
}

bool IsPlaceholderCountry(const cPanstwo* country) {
  return country != nullptr && country->active && country->politicalStrength == -1;
}

bool RunStartChecks(cGra& game, const sStartChoices& choices, sStartRefusal& refusal) {
  const bool savedGame = game.loadMode == 2;
  // A scenario's own Info.ini need not carry the version of a save.
  if (savedGame && IsOlderGameVersion(game.gameVersion, kSaveGameVersion))
    return Refuse(refusal, L"This save is not compatible with current game version", L"Incompatible version");
  if (game.pbem && savedGame) {
    const cPanstwo* next = game.selection.BuildCountryOrder(game.countries);
    const uint32_t lastPlayer = ReadPbemRepoEntry(game.pbemGameName);
    const int nextPlayer = next != nullptr ? next->pbemPlayerId : 0;
    if (static_cast<int64_t>(lastPlayer) != nextPlayer && !IsPlaceholderCountry(game.selection.currentCountry))
      return Refuse(refusal,
                    L"You already played your turn in this PBEM game. Wait for other players to finish their turns.",
                    L"PBEM saved game");
  }
  if (!game.HasHumanCountry())
    return Refuse(refusal, L"At least one country must be controlled by human.", L"Game settings");
  const bool newPbem = game.loadMode == 0 && choices.pbemGame;
  if (newPbem) {
    std::set<int> players;
    for (const cPanstwo* c : game.countries)
      if (c->pbemPlayerId > 0) players.insert(c->pbemPlayerId);
    if (players.size() < 2) return Refuse(refusal, L"Settings for PBEM game are incorrect.", L"PBEM game settings");
    if (!CreatePbemFolder(choices.gameFolder, choices.pbemName))
      return Refuse(refusal, L"Problems with creating PBEM game directory.", L"PBEM game settings");
    game.pbem = 1;
    game.pbemEventsByAI = choices.eventsByComputer ? 1 : 0;
    game.pbemGameName = choices.pbemName;
    for (cPanstwo* c : game.countries)
      if (IsPlaceholderCountry(c)) c->humanControlled = 1;
  }
  return true;
}
