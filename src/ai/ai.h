#pragma once
// The computer player of one country: its state, rebuilt at every impulse
// of the country, and the turn driver that plays the impulse phase by phase.
// The game holds one state per country, human or computer, by id - 1.
#include <list>
#include <vector>

class cGra;
class cPanstwo;
class cJednostkaLadowa;
class cJednostkaLotnicza;
class cJednostkaMorska;
struct sFlota;
struct sHex;
struct sWezelGrafuMorz;

// A front: a city the country must hold or take, with the units assigned
// to it. The front planning gives it its fields.
struct sAiFront {
  // 1 and 2 are the states in which the front needs a line of defence.
  int state = 0;
  std::list<cJednostkaLadowa*> units;  // not owned
};

// A hex an own land unit can reach this impulse.
struct sAiReachableHex {
  cJednostkaLadowa* unit = nullptr;  // not owned
  int x = -1;
  int y = -1;
};

// An attack planned this impulse, with the units that take part in it.
struct sAiAttackPlan {
  std::list<cJednostkaLadowa*> attackers;  // not owned
};

// A hex of the line of defence.
struct sAiDefenceHex {
  int x = -1;
  int y = -1;
};

class cAI {
 public:
  cAI() = default;
  // Clears the lists; frees no unit. Virtual so that the game can free a
  // state through the pointers it holds, whatever made it.
  virtual ~cAI();
  cAI(const cAI&) = delete;
  cAI& operator=(const cAI&) = delete;

  // Plays the impulse of the selection's current country; on the worker
  // thread only.
  void PlayTurn();

  // The phases, in the order PlayTurn runs them.
  void ApplyDoNotAttackCities();
  void DiplomacyActions();
  // The nine unit lists from the game's unit lists (own, allied, enemy and
  // neutral land and air units; own ships); units aboard ships are left out.
  void BuildUnitLists();
  void DeclareWars();
  void ComputeNodeStrengths();
  void UpdateFronts();
  void RateFronts();
  void AssignCommanders();
  // Replenish units below factor times their full strength.
  void Replacements(float factor);
  void LandReplacements(float factor);
  void RepairShips();
  void SavePoorlyDefendedFronts();
  void PatchFronts();
  void RebaseAirUnits();
  void ScenarioAirRebase();
  void PurchaseUnits();
  void DeployLandUnits();
  void DeployAirUnits();
  void DeployNewUnits();
  void AirFights();
  void PlanMultiDirectionAttacks();
  void PlanOneSideAttacks();
  // A front of the front list is in state 1 or 2.
  bool NeedsLineOfDefence() const;
  void CalculateLineOfDefence();
  void AssignOperationalOrders();
  void BuildUpInvasionForces();
  void TacticalAirStrikes();
  void NavalAirStrikes();
  void ChooseInvasionTarget();
  void ExecuteOperationalMoves();
  void TransportUnitsToFronts();
  void StrategicBombardments();
  void ParatroopsActions();
  void FleetsActions();
  // Own land units without a task (order 0 or 3) that can still move get
  // the nearest enemy city as a target (order 4); true when one did.
  bool AssignIdleUnitTargets();
  // The nearest enemy city for a unit's operational target; false when
  // there is none.
  bool FindOperationalTarget(cJednostkaLadowa* unit, int& x, int& y);
  void ConvoysActions();

  // Fleets without a transport or invasion task: patrols and carrier strikes.
  // The country's fleets of the game's fleet list, in list order.
  void CollectOwnFleets(std::list<sFlota*>& out) const;
  // Free fleets shared out over the zones to patrol, split and sailed there.
  void AssignPatrolZones();
  // One strike by every ready carrier, on the kind of target it prefers most.
  void CarrierBombardment();
  // The targets of a kind (0..8) near the fleet: hexes for kinds 0 and 5 to
  // 8, sea nodes for kinds 1 to 4; both lists are cleared first.
  void CollectCarrierTargets(sFlota& fleet, std::vector<sHex*>& hexes, std::vector<sWezelGrafuMorz*>& nodes,
                             int kind);

  cPanstwo* country = nullptr;  // not owned; set by PlayTurn
  std::list<sAiFront> fronts;
  std::list<cJednostkaLadowa*> ownLandUnits;
  std::list<cJednostkaLadowa*> alliedLandUnits;
  std::list<cJednostkaLadowa*> enemyLandUnits;
  std::list<cJednostkaLadowa*> neutralLandUnits;
  std::list<cJednostkaLotnicza*> ownAirUnits;
  std::list<cJednostkaLotnicza*> alliedAirUnits;
  std::list<cJednostkaLotnicza*> enemyAirUnits;
  std::list<cJednostkaLotnicza*> neutralAirUnits;
  std::list<cJednostkaMorska*> ownNavalUnits;
  std::list<sAiReachableHex> reachableHexes;
  std::list<sAiAttackPlan> attackPlans;
  std::list<sAiDefenceHex> defenceLine;
};

// One computer-player state for every country of the game, in country
// order, at index id - 1; earlier states are freed first.
void CreateComputerPlayers(cGra& game);

// Tests follow the driver through this: each phase reports its name as it
// starts. Null (the default) reports nothing.
using AiPhaseObserver = void (*)(const char* phase);
void SetAiPhaseObserver(AiPhaseObserver observer);
// Tells the observer that a phase starts.
void NoteAiPhase(const char* phase);
