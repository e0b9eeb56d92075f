#pragma once
// Sea battles of the end of a turn: raiders strike by surprise, then in every
// sea zone the warships of enemies may meet, and each meeting is fought as
// one battle: carrier and submarine strikes first, then battle turns of
// single shots. A battle with a human player's ships goes to the sea-battle
// screen, which drives it shot by shot; any other is fought at once.
#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "world/consts.h"
#include "world/pbem_sea_battle.h"

class cJednostkaMorska;
class cPanstwo;

// Where the sea-battle rules find their numbers in the scenario constants.
namespace sea_battle_values {

// Id 129 (the game's block): the five weights of a battle's length of 1..5
// battle turns.
inline int LengthWeight(const sConsts& c, int turns) { return c.seaBattleValues[turns - 1]; }
// Id 77: what a ship of the naval type 40..45 adds to its side's chance, in
// thousandths, of finding the enemy.
inline int Detection(const sConsts& c, int type) { return (type >= 40 && type <= 45) ? c.c077[type - 40] : 0; }
// Id 172: the chance in percent that a ship at the node joins the battle.
inline int JoinChance(const sConsts& c) { return c.c172; }
// Id 173: how many points of hit chance against a ship each point of its
// commander's skill takes away.
inline int CommanderFactor(const sConsts& c) { return c.c173; }
// Id 174: the chance in percent of a ship's retreat from a battle.
inline int RetreatChance(const sConsts& c) { return c.c174; }

}  // namespace sea_battle_values

// One strike of the opening stages.
struct sSeaBattleStageEvent {
  enum : int32_t { kCarrierStrike = 0, kSubmarineStrike = 1 };
  int32_t kind = kCarrierStrike;
  // "name (country)".
  std::wstring attacker;
  std::wstring target;
  float pointsLost = 0.0f;
  bool destroyed = false;
};

// One battle. It works on the generator's two side lists (never copies of
// them): ships that sink or retreat leave them.
class cSeaBattle {
 public:
  using tSide = std::vector<cJednostkaMorska*>;

  // The length is rolled, the requests and the selections cleared, the
  // location taken from the fleet of the first ship of the first side.
  cSeaBattle(tSide& firstSide, tSide& secondSide);
  cSeaBattle(const cSeaBattle&) = delete;
  cSeaBattle& operator=(const cSeaBattle&) = delete;

  // 1..5 battle turns, drawn with the weights of the scenario.
  static int RollBattleTurns();

  // Fights the battle from the opening stages to its end; a battle with a
  // human player's ship is handed to the sea-battle screen and waited for.
  void WriteReport();
  void OpeningStages();
  void CarrierStrike(tSide& attackers, tSide& targets);
  void SubmarineStrike(tSide& attackers, tSide& targets);
  void RemoveSunkShips();
  void PickShooterAndTarget();
  void Shot();
  // One shot of the regular part, and what follows from it.
  void Step();
  // Steps until the battle is finished, pausing after each step.
  void AutoBattle();
  void EndBattleTurn();
  void Finish();

  // The sea-battle screen's commands. A selection of the side to move must
  // be a ship that may still fire; false when the ship is not accepted.
  bool SelectFirstSideShip(int shipId);
  bool SelectSecondSideShip(int shipId);
  void RequestAutoEnd();
  void RequestNextTurn();
  // True when the ship got away. Either way it has acted for this turn.
  bool TryRetreat(cJednostkaMorska& ship);

  bool HasHumanShip() const { return firstSideHuman != 0 || secondSideHuman != 0; }

  // A ship's points at the start of the battle, by unit id: two ships may
  // carry one name.
  struct sStartingPoints {
    std::wstring name;
    std::wstring countryName;
    int32_t points = 0;
  };

  std::wstring stageText;
  std::wstring location;
  std::wstring reportText;
  std::vector<sSeaBattleStageEvent> stageEvents;
  uint8_t regularPartCancelled = 0;
  int32_t battleTurnsLeft = 0;
  uint8_t firstSideOpens = 0;
  // 1 the first side, 0 the second.
  uint8_t firstSideMoves = 1;
  uint8_t firstSideHuman = 0;
  uint8_t secondSideHuman = 0;
  uint8_t runsByItself = 0;
  uint8_t autoEndRequested = 0;
  uint8_t nextTurnRequested = 0;
  cJednostkaMorska* firstSideSelection = nullptr;
  cJednostkaMorska* secondSideSelection = nullptr;
  // Counted down by the sea-battle screen.
  float stepCountdown = 0.0f;
  std::map<int32_t, sStartingPoints> startingPoints;
  tSide* firstSide;
  tSide* secondSide;
  std::set<int32_t> countriesInvolved;
  uint8_t finished = 0;
  // Filled at the start of a PBEM game's battle, kept by the game at its end.
  sPbemSeaBattle pbemRecord;

 private:
  void ComputeHumanFlags();
  // Appends the line to the report after the one-character separator.
  void AppendLine(const std::wstring& line);
  // "seabattle_end" and Finish.
  void EndBattle();
  // The opening side of the regular part.
  bool FirstSideOpens() const;
  // Kind-33 report of a destroyed ship for its fleet's country.
  void ReportDestroyed(const cJednostkaMorska& target, const cJednostkaMorska& attacker, const wchar_t* how) const;
  void BuildStageText();
};

// Set while the sea battles of a turn are generated and fought; the
// screen's waiting display reads it.
extern std::atomic<uint8_t> gSeaBattlesBusy;
// The message of the sea battles' generation, for the waiting display.
std::wstring SeaBattleMessage();

// The sea-battle phase of the end of an impulse, on the worker thread: runs
// every raider's surprise attack and every meeting of enemy fleets, and
// files the reports. Sets the game state back to 3 (end of impulse) when
// done. Entry point of the end of turn.
void GenerateSeaBattles();
// The generation itself, on the working lists GenerateSeaBattles prepared.
void SeaBattlesGenerator();
