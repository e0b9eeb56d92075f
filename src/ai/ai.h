#pragma once
// The computer player of one country: its state, rebuilt at every impulse
// of the country, and the turn driver that plays the impulse phase by phase.
// The game holds one state per country, human or computer, by id - 1.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

class cGra;
class cJednostka;
class cJednostkaLadowa;
class cJednostkaLotnicza;
class cJednostkaMorska;
class cMiasto;
class cPanstwo;
struct sDowodca;
struct sFlota;
struct sHex;
struct sHexEntry;
struct sRebaseCandidate;
struct sWezelDiagramuMiast;
struct sWezelGrafuMorz;
struct sWynikWalki;

// A front: a city the country must hold or take, with the units assigned
// to it. The front planning gives it its fields.
struct sAiFront {
  // 0 safe, 1 threatened, 2 critical; 1 and 2 need a line of defence.
  int state = 0;
  std::list<cJednostkaLadowa*> units;  // not owned
  // "Front miasta <city>", after the city where the front was found.
  std::wstring name;
  std::list<sWezelDiagramuMiast*> nodes;  // not owned
  float ratio = 1.0f;
  // Sums over the nodes: land ours, own, enemy; air counts ours, own,
  // enemy, then air strengths ours, own, enemy.
  float landStrengths[3] = {};
  int32_t airValues[6] = {};
};

// A hex an own land unit can reach this impulse.
struct sAiReachableHex {
  cJednostkaLadowa* unit = nullptr;  // not owned
  int x = -1;
  int y = -1;
  int cost = 0;
};

// An attack planned this impulse, with the units that take part in it.
struct sAiAttackPlan {
  std::list<cJednostkaLadowa*> attackers;  // not owned
};

// One move of an attack plan on one side of the target: a departure of a
// unit that makes room, or the approach of the side's attacker.
struct sAiPlanMove {
  cJednostkaLadowa* unit = nullptr;  // not owned
  int x = -1;
  int y = -1;
  int direction = -1;
  int cost = -1;
};

// An attack being weighed: the target, the attacker and moves per side,
// and the air units that may support or intercept it.
struct sAiAttack {
  cJednostka* target = nullptr;  // not owned; a land or an air unit
  int countryId = -1;
  int oddsColumn = 0;
  int cost = 0;
  int goodAirStrikes = 0;
  cJednostkaLadowa* attackers[6] = {};  // not owned
  sAiPlanMove departures[6];
  sAiPlanMove approaches[6];
  std::vector<cJednostkaLotnicza*> supportingAir;  // not owned
  std::vector<cJednostkaLotnicza*> interceptors;   // not owned
};

// Plan a ranks below plan b: lower odds, then not on a city, then dearer.
bool AttackRanksBelow(const sAiAttack& a, const sAiAttack& b);

// What cAI::ExecuteAttack did with a plan.
enum : int { kAttackAbandoned = 0, kAttackFought = 1, kAttackDoneWithoutCombat = 2 };

// A city the country must hold, found by the operational planning; rebuilt
// by every planning, in the order of the game's city list.
struct sGarrisonEntry {
  cMiasto* city = nullptr;  // not owned
  // 0 a small unit (types 0, 2, 4), 1 a large one (types 1, 3, 5).
  int sizeClass = 0;
  // A unit of the country and of the class needed stands on the city.
  uint8_t garrisoned = 0;
  // A unit of the other class stands on it until a garrison comes.
  uint8_t held = 0;
};

// A hex of the line of defence.
struct sAiDefenceHex {
  int x = -1;
  int y = -1;
  bool operator==(const sAiDefenceHex&) const = default;
};

// What the purchase choice found, filled anew before every choice.
struct sPurchaseChoice {
  cJednostkaLotnicza* airUnit = nullptr;  // not owned
  float airCost = 0.0f;
  cJednostkaLadowa* landUnit = nullptr;  // not owned
  float landCost = 0.0f;
  float researchPrice = 0.0f;
  int researchField = -1;
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

  // Purchases (ai_purchases.cpp).
  bool ChoosePurchase(sPurchaseChoice& choice);
  bool ExecutePurchase(sPurchaseChoice& choice);
  int RollPurchaseCategory();
  cJednostkaLotnicza* ChooseAirUnitToLevelUp();
  cJednostkaLadowa* ChooseSpecialLandUnitToLevelUp();
  cJednostkaLadowa* ChooseLandUnitToLevelUp();
  int ChooseResearchField();

  // Deployment of new units (ai_deployment.cpp).
  void CollectDeploymentCities(std::list<cMiasto*>& out);
  void CollectDeploymentPorts(std::list<cMiasto*>& out);
  void CollectReserveLandUnits(std::list<cJednostkaLadowa*>& out);
  void CollectReserveAirUnits(std::list<cJednostkaLotnicza*>& out);
  void CollectReserveNavalUnits(std::list<cJednostkaMorska*>& out);
  cMiasto* ChooseLandDeploymentCity(const std::list<cMiasto*>& candidates);
  cMiasto* ChooseAirDeploymentCity(const std::list<cMiasto*>& candidates);

  // Replacements and commanders (ai_replacements.cpp).
  void CollectFreeCommanders(std::list<sDowodca*>& out);
  void CollectOwnShips(std::list<cJednostkaMorska*>& out);
  void AirFights();
  // Each unit of the list with points and strength 2 or more attacks the
  // weakest enemy air unit of the type in range; true when a fight or an
  // interception took place.
  bool AirFightsOfType(const std::list<cJednostkaLotnicza*>& units, int targetType);
  void PlanMultiDirectionAttacks();
  void PlanOneSideAttacks();
  // A front of the front list is in state 1 or 2.
  bool NeedsLineOfDefence() const;
  void CalculateLineOfDefence();
  void AssignOperationalOrders();
  void BuildUpInvasionForces();
  void TacticalAirStrikes();
  void NavalAirStrikes();
  // A ship of a country at war with the given one stands at the sea node.
  bool HasEnemyShipAtNode(int countryId, int nodeId) const;
  // The strongest enemy land unit in the bomber's range still worth a raid;
  // null for none.
  cJednostkaLadowa* ChooseTacticalTarget(const cJednostkaLotnicza& bomber) const;
  void ChooseInvasionTarget();
  void ExecuteOperationalMoves();
  void TransportUnitsToFronts();
  void StrategicBombardments();
  // The enemy city of most production in the bomber's range whose air
  // defence allows a raid; the first in the city list of equals. Null for none.
  cMiasto* ChooseBombardmentTarget(const cJednostkaLotnicza& bomber) const;
  void ParatroopsActions();
  void FleetsActions();
  // Own land units without a task (order 0 or 3) that can still move get
  // the nearest enemy city as a target (order 4); true when one did.
  bool AssignIdleUnitTargets();
  // The nearest enemy city for a unit's operational target; false when
  // there is none.
  bool FindOperationalTarget(cJednostkaLadowa* unit, int& x, int& y);
  void ConvoysActions();

  // Operational planning and its moves (ai_operations.cpp).
  // The cities the country garrisons, each with the size class it needs.
  void BuildGarrisonList(std::list<sGarrisonEntry>& out) const;
  // Units standing on the cities take them over; sends garrisons to the rest.
  void AssignGarrisons(std::list<sGarrisonEntry>& entries);
  // Attack, defend or go to a front, by the front of the unit's region city.
  void AssignFrontTask(cJednostkaLadowa* unit);
  // The first enemy city met walking out ring by ring from (x, y) within the
  // radius; an enemy resource city only when no other city was met. Null
  // for none.
  cMiasto* FindEnemyCityNear(int x, int y, const cPanstwo& of, int radius) const;
  // One pass of the moves over the units with the order.
  void MoveUnitsWithOrder(int order);
  // A strategic move towards the unit's ultimate target, else a walk there.
  bool StrategicOrStepMove(cJednostkaLadowa* unit);
  // The unit's hex is fortified beyond the country's hold level: it holds
  // (order 9) and moves no more.
  bool HoldsPosition(cJednostkaLadowa* unit);

  // Line of defence (ai_defence_line.cpp). A path is a list of hexes from
  // one frontier node to the next; side flags tell in which of the six
  // directions the enemy lies.
  using tDefencePath = std::vector<sAiDefenceHex>;
  // The best path between two frontier nodes, appended to out; nothing when
  // no path joins them.
  void BestDefencePath(std::list<sAiDefenceHex>& out, int x1, int y1, int x2, int y2, const uint8_t sides[6]) const;
  void EnumerateDefencePaths(int x, int y, int targetX, int targetY, const tDefencePath& path,
                             std::list<tDefencePath>& out, int lengthLimit) const;
  int ScoreDefencePath(const tDefencePath& path, int lengthLimit, const uint8_t sides[6]) const;
  // Marks the line 3 on the map's byte layer and trims its spurs and its
  // hexes whose two line neighbours touch each other.
  void PruneDefenceLine();
  // Own units with order 5 moved onto the line near their target.
  void MoveUnitsToDefenceLine();
  // (-1, -1) when no hex qualifies.
  sAiDefenceHex NearestFreeDefenceHex(int x, int y) const;
  sAiDefenceHex NearestReachableDefenceHex(const cJednostkaLadowa& unit, int x, int y) const;

  // Convoys (ai_convoys.cpp): ports connected by land to a supply source,
  // and the next port of a land mass short of supply that a convoy from
  // them can reach; null when none.
  void CollectConvoySources(std::list<cMiasto*>& out) const;
  cMiasto* FindConvoyDestination(const std::list<cMiasto*>& departurePorts) const;

  // Fronts and the strategic moves that feed them. The phases above run
  // these; the phases that recompute fronts midway call them directly.
  void CountNodeStrengths();
  void BuildFronts();
  void SumAndRateFronts();
  void PrintFronts() const;
  bool IsCityOnFrontInState(const cMiasto* city, int state) const;
  bool IsCityOnAnyFront(const cMiasto* city) const;
  bool GetFrontCityStrength(const cMiasto* city, int& value) const;
  std::list<sWezelDiagramuMiast*> CollectFriendlyFrontCities(const sAiFront& front, int countryId) const;
  bool IsFrontHeldByOneBlockedCity(const sAiFront& front, int countryId) const;
  cMiasto* ChooseFrontCityForUnit(cJednostkaLadowa* unit) const;
  void ResetCityAiValues();
  bool HasUnitWithOrder3() const;
  bool TryStrategicMoveToCity(cJednostkaLadowa* unit, int x, int y, int minimumHops);

  // Air rebasing.
  int GetDistanceToNearestEnemy(int x, int y) const;
  int CountEnemiesInRange(int x, int y, int radius) const;
  sRebaseCandidate ChooseSaferBase(const std::vector<sRebaseCandidate>& candidates, int safeDistance) const;
  sRebaseCandidate ChooseBaseWithMostTargets(const std::vector<sRebaseCandidate>& candidates, int safeDistance) const;

  // Attack planning.
  void ComputeMovementRanges(bool attackMode);
  void ComputeApproaches();
  bool SearchObviousMoves();
  void ComputeSideStates(sAiAttack& plan, int states[6]);
  // The loop shared by both planners; multi chooses the plans and the test.
  void RunAttackLoop(bool multi);
  void BuildOneSidePlans();
  void BuildMultiDirectionPlans();
  void BuildAdjacentPlan(cJednostka* target);
  void ComputeAirSupport(sAiAttack& plan);
  int CountGoodAirStrikes(const sAiAttack& plan) const;
  void PrintPlan(const sAiAttack& plan) const;
  // The country's odds preferences accept the plan.
  bool AcceptsPlan(const sAiAttack& plan, bool multi) const;
  bool IsVetoed(const sAiAttack& plan) const;
  // Non-zero when the attack was carried out: kAttackFought when the combat
  // was resolved, kAttackDoneWithoutCombat when the world changed without
  // one (the target destroyed from the air, or no attacker reached its
  // side); kAttackAbandoned (0) when nothing at all was done.
  int ExecuteAttack(sAiAttack& plan);
  // The unit lists hold no unit that has been killed since they were built.
  void PruneDeadUnits();
  // An own air unit that a fight, a raid or an interception left destroyed
  // (flagged in the result, or at strength 0 or below) leaves the game and
  // the unit lists here, logged with where it was lost; true when it did.
  bool RemoveIfShotDown(cJednostkaLotnicza* unit, sWynikWalki& result, const wchar_t* where);

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

  // Invasions and fleet actions (ai_invasion.cpp, ai_fleets.cpp).
  // The ports held by the country or an ally, in city-list order, from whose
  // sea node a route of the country leads to the sea zone on the target's
  // coast; the list is cleared first.
  void CollectEmbarkPorts(int countryId, const cMiasto* target, std::list<cMiasto*>& out) const;
  // Bombardment, landings and artificial harbours of the invasion fleets.
  void AmphibiousInvasion();
  // The invasion starts when a fleet has arrived at the invasion node, the
  // node is safe and the friendly strength counted there is at least the
  // enemy's.
  bool InvasionMayStart(int invasionNode, int arrivedFleets) const;
  // The friendly and enemy ships counted at and next to the node leave the
  // invasion a fair chance.
  bool IsSeaNodeSafe(int nodeId) const;
  // An artificial harbour of the country on the free hex, paid in production
  // points; false (and nothing paid) when it cannot be bought.
  bool BuildArtificialHarbour(int x, int y);
  // A strike away from the map's units shown as the computer's combat: with
  // shown (and moves shown) centred, marked and its result shown; the result
  // record is cleared either way.
  void ShowCombatAtHex(sWynikWalki& result, sHex* hex, bool shown);
  // The same at the hex where the node displays its enemy ship, shown when
  // that ship is fully spotted.
  void ShowCombatAtUnit(sWynikWalki& result, const sWezelGrafuMorz& node);

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
  std::vector<sAiAttack> plans;
  std::list<sAiDefenceHex> defenceLine;

  // Within one attack loop, a unit's move range is flooded again only when
  // the unit itself or a hex near enough to change its flood has changed
  // since it was last flooded; otherwise its last range is taken again,
  // which gives the very same range. Off, every range is flooded anew.
  static inline bool reuseMoveRanges = true;
  // The attack loop's span of reused ranges; the end forgets them.
  void BeginRangeReuse();
  void EndRangeReuse();

 private:
  struct sRangeCache {
    int32_t x = 0, y = 0, actionPoints = 0, startingActionPoints = 0, freezeTime = 0, type = 0;
    uint8_t deployedThisTurn = 0;
    std::list<sHexEntry> moves;
  };
  // The hexes whose unit or controller changed since the last snapshot;
  // false when there was no snapshot of this map to compare with.
  bool TakeRangeSnapshot(std::vector<std::pair<int, int>>& changed);
  bool rangeCacheActive_ = false;
  std::unordered_map<const cJednostkaLadowa*, sRangeCache> rangeCache_;
  std::vector<std::pair<const cJednostka*, uint8_t>> rangeSnapshot_;
};

// The strategic move of one unit of the computer player to (x, y) near the
// city; shown when the unit is seen and moves are shown.
void PrzeniesStrategicznieJednostke(cAI& ai, cJednostkaLadowa* unit, const cMiasto* city, int x, int y);

// The sea strength of the node for the country: its ships and those of the
// impulse country's allies standing there (transports counted apart), and
// the ships at war with it there or one passable edge away. Each ship is
// counted when a roll 1..100 is at most its country's chance.
float CollectFriendlyShipsAtNode(int countryId, int nodeId, std::list<cJednostkaMorska*>& out, int& transports);
float CollectEnemyShipsNearNode(int countryId, int nodeId, std::list<cJednostkaMorska*>& out);

// Paratroop drop targets: more victory points first, then more production,
// then less strength already sent against the city.
bool CompareParatroopTargets(const cMiasto* a, const cMiasto* b);

// One computer-player state for every country of the game, in country
// order, at index id - 1; earlier states are freed first.
void CreateComputerPlayers(cGra& game);

// Tests follow the driver through this: each phase reports its name as it
// starts. Null (the default) reports nothing.
using AiPhaseObserver = void (*)(const char* phase);
void SetAiPhaseObserver(AiPhaseObserver observer);
// Tells the observer that a phase starts.
void NoteAiPhase(const char* phase);
