#pragma once
// The end of the game: why it ended, the result between the three major
// alliances and the ranking of the countries. cGra::CheckGameOver runs them
// at every end of turn and shows the account when the game is over.
#include <string>
#include <vector>

class cGra;
class cPanstwo;

enum class eGameOverCause {
  kNone,                    // the game goes on
  kAllAlliancesEliminated,  // no major alliance has a leader
  kOneAllianceLeft,
  kHumansAnnexed,           // every human-controlled country is gone
  kTimeOut,                 // no turns left
};

// Why the game is over now, kNone while it goes on. Losing every human
// country ends only a game that had one: a game of computer players alone
// runs to its time-out.
eGameOverCause DetermineGameOverCause(const cGra& game);
// The string-base key of a cause (empty for kNone).
const char* GameOverCauseKey(eGameOverCause cause);
// The string-base key of the result from the alliances' victory points.
const char* GameResultKey(int allies, int axis, int comintern);

struct sCountryScore {
  const cPanstwo* country = nullptr;
  int score = 0;
};
// Every active country with a play-order key of 0 or more, by score from
// high to low; equal scores keep the order of the country vector.
std::vector<sCountryScore> RankCountries(const cGra& game);

// The whole account: a line break, the cause (if any), the result, the
// alliance scores, at most the first 20 of the ranking and the closing line.
std::wstring BuildGameOverAccount(const cGra& game, eGameOverCause cause);
