#pragma once
// The checks the scenario settings menu runs before a game starts, and the
// numbering of PBEM players that the menu and the end of a turn share.
#include <cstdint>
#include <string>
#include <vector>

class cGra;
struct sPbemPlayer;

// What the player chose on the PBEM tab for a new game.
struct sStartChoices {
  bool pbemGame = false;
  std::wstring pbemName;
  bool eventsByComputer = false;
  // The folder that holds "data" (the game folder).
  std::wstring gameFolder;
};

// Why a start was refused: the message and its caption.
struct sStartRefusal {
  std::wstring text;
  std::wstring caption;
};

// The checks in their order; on a refusal fills it and changes nothing.
// When every check passes, a new PBEM game takes its flag, name and events
// setting, and its placeholder country becomes human; returns true.
bool RunStartChecks(cGra& game, const sStartChoices& choices, sStartRefusal& refusal);

// A game written by an older program: compared at hundredths, so that the
// float read from "1.05" equals the version 1.05.
bool IsOlderGameVersion(double gameVersion, double programVersion);

// The number of a new PBEM player: one above the highest in use, so that
// no remaining player's number is given twice.
uint32_t NextPbemPlayerNumber(const std::vector<sPbemPlayer>& players);
// The player record with the number; null when none has it.
const sPbemPlayer* FindPbemPlayer(const std::vector<sPbemPlayer>& players, int number);

// The placeholder country that closes the play order: active, political
// strength -1.
bool IsPlaceholderCountry(const class cPanstwo* country);
