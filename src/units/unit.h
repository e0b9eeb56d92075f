#pragma once
// The unit class tree: every piece on the map (land division or corps,
// artificial harbour, air group, ship) and the operations through which the
// rest of the game drives any unit without knowing its kind.
//
//   cUnit                     identity, owner, position, spotting, commander
//     cJednostka              acts by action points
//       cJednostkaLadowa      land unit (types 0-6)
//         cMulberry           artificial harbour (type 60)
//       cJednostkaLotnicza    air unit (types 20-22)
//     cJednostkaMorska        ship or flotilla in a fleet (types 40-45)
//
// Units live on the heap, owned by the game's lists and reserve pools, and
// are destroyed through base pointers.
#include <cstdint>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "core/shared_records.h"

class cDrawTarget;
struct sDrawRect;

class cPanstwo;
class cMiasto;
struct sHex;
class cJednostka;
class cJednostkaMorska;
struct sDowodca;
struct sFlota;

// Unit categories.
enum : int32_t { kCategoryLand = 0, kCategoryAir = 1, kCategoryNaval = 2 };

// Unit types.
enum : int32_t {
  kTypeAirborne = 6,
  kTypeFighter = 20,
  kTypeTacticalBomber = 21,
  kTypeStrategicBomber = 22,
  kTypeCarrier = 40,
  kTypeBattleship = 41,
  kTypeCruiser = 42,
  kTypeSubmarine = 43,
  kTypeCargo = 44,
  kTypeAmphibious = 45,
  kTypeMulberry = 60,
};

// Mark of a hex where a reserve unit may be placed.
constexpr uint32_t kMarkPlacement = 64;
// Marks of the air units' target searches.
constexpr uint32_t kMarkRebase = 128;
constexpr uint32_t kMarkReconLand = 256;
constexpr uint32_t kMarkBombardment = 1024;
constexpr uint32_t kMarkNuclear = 4096;
constexpr uint32_t kMarkAirFight = 8192;
constexpr uint32_t kMarkReconSea = 16384;
constexpr uint32_t kMarkBombardmentSea = 65536;

// A hex where the computer player may rebase an air unit; the computer
// player fills in the last two fields.
struct sRebaseCandidate {
  int32_t x = 0;
  int32_t y = 0;
  int32_t enemyDistance = 0;
  int32_t enemiesInRange = 0;
};

// One hex a unit can reach: the unit, the hex, the direction (0-5) that
// leads back to the hex it was reached from, and the action points it costs.
struct sHexEntry {
  cJednostka* unit = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  int32_t direction = 0;
  int32_t cost = 0;
};

class cUnit {
 public:
  static constexpr size_t kMaxNameLength = 99;

  cUnit() = default;
  cUnit(const cUnit&) = default;
  cUnit& operator=(const cUnit&) = delete;
  // Units are destroyed through base pointers.
  virtual ~cUnit() = default;

  // The commander in range whose influence the unit receives.
  virtual void AssignBestCommander();
  // An attempt of the opponent to stop this unit's mission; false when it
  // failed and the mission goes on.
  virtual bool Intercept(cUnit* opponent, sWynikWalki& result);
  virtual void UpdateEffectiveness() {}
  // Marks (mark 64) and counts the hexes where the unit may be placed.
  virtual int MarkMoveRange(bool mark) = 0;
  // Fills the move list with the hexes the unit can reach; returns their count.
  virtual int MarkAttackTargets(bool quiet) = 0;
  // This unit is attacked by the attacker; the last argument is the
  // attacker's own and unused by the units here.
  virtual void Attack(sWynikWalki& result, cUnit* attacker, int extra);
  // Takes the unit out of the game and frees it.
  virtual void Kill() {}

  // At most 99 characters.
  void SetName(const std::wstring& text);
  // Stores the code and sets the category; an unknown code keeps the
  // category and shows a warning.
  void SetType(int code);
  cPanstwo* GetCountry() const;
  bool IsFullySpotted() const { return spottedLevel == 5 || spottedLevel == 6; }
  bool IsInReserve() const { return inReserve != 0; }
  // Moves the unit to a free hex of the map; anything else changes nothing.
  void Teleport(int newX, int newY);
  // Every land and air unit within the fog-of-war range of this unit becomes
  // spotted; with checkContact an unseen unit of a country that is not an
  // ally raises this unit's contact flag. Returns how many units were not
  // fully spotted before.
  int SpotUnitsInRange(bool checkContact);
  // Breadth-first from the hex over the hexes within reach of it: every unit
  // not fully spotted becomes at least partly seen (level 3) and joins the
  // spotter's list of reconnaissance sightings.
  static void ReconAroundHex(int hx, int hy, int reach, cPanstwo* spotter);
  // An unseen unit becomes spotted when a land or air unit of the country,
  // or of an ally of it, stands within the fog-of-war range; a fully
  // spotted unit keeps its level.
  void UpdateSpottedByCountry(int country);
  // After one step of a move: a unit of the viewing country or of its ally
  // spots the units around it; an enemy of the viewing country may be seen.
  void SpotAfterMoveStep();

  // 0 land, 1 air, 2 naval.
  int32_t category = kCategoryLand;
  int32_t type = 0;
  std::wstring name;
  std::wstring secondName;
  int32_t countryId = 0;
  // The commander with this unit; not owned.
  sDowodca* commander = nullptr;
  // The commander in range whose influence the unit receives, -1 for none.
  int32_t assignedCommanderId = -1;
  int32_t unitId = 0;
  // -1, -1 while off the map.
  int32_t x = -1;
  int32_t y = -1;
  uint8_t inReserve = 0;
  // 0 unseen up to 6; 5 and 6 mean fully spotted.
  int32_t spottedLevel = 0;
  int32_t turnsWithoutSupply = 0;
  // Turns until a reserve unit may be deployed.
  int32_t availableInTurns = 0;
};

// A unit that acts by action points.
class cJednostka : public cUnit {
 public:
  cJednostka() = default;
  cJednostka(const cJednostka&) = default;
  ~cJednostka() override = default;

  void UpdateEffectiveness() override = 0;

  // The unit's counter on the map, placed in the hex picture whose top left
  // is (x, y), from the current group of the units skin; an odd variant
  // picks the markers' second pictures. Each part lies 0.001 nearer than
  // the one before it.
  virtual void Draw(cDrawTarget& /*target*/, float /*x*/, float /*y*/, float /*depth*/, int /*variant*/) {}
  // The counter scaled into a panel rectangle (a hex picture is 166 wide).
  void DrawCounter(cDrawTarget& target, const sDrawRect& rect, float depth);

  // Setters; each returns the value it was given.
  virtual int SetSupplySourceX(int value);
  virtual int SetSupplySourceY(int value);
  virtual int SetSupplyLevel(int value);
  virtual int AddActionPoints(int amount);
  virtual int SetStartingActionPoints(int value);
  virtual int SetActionPoints(int value) = 0;
  // The new turn's action points; returns them.
  virtual int ResetActionPoints() = 0;

  virtual std::wstring GetEffectivenessHint() = 0;
  // The unit's worth: cost times strength for land units, strength for air units.
  virtual float GetStrengthValue() const = 0;
  virtual int GetStrength() const = 0;
  // Returns the amount added.
  virtual int AddStrength(int amount) = 0;
  virtual float GetUnitCost() const = 0;
  virtual bool IsHexInMoveRange(int hx, int hy) const = 0;
  virtual float GetCombatStrength() const = 0;
  virtual bool PickNearestFreeHex() = 0;

  // Upgrade to corps and level-up. The hints write their text when given a
  // buffer and tell whether the action is possible now.
  virtual bool GetUpgradeHint(std::wstring* text) = 0;
  virtual float GetUpgradeToCorpsCost() = 0;
  virtual bool UpgradeToCorps() = 0;
  virtual bool GetLevelUpHint(std::wstring* text) = 0;
  virtual float GetLevelUpCost() = 0;
  virtual bool LevelUp() = 0;

  // The unit panel's action icons.
  virtual bool GetStrengthIconHint(std::wstring* text) = 0;
  virtual bool GetStrategicMoveIconHint(std::wstring* text) = 0;
  virtual bool GetAirborneAssaultIconHint(std::wstring* text) = 0;
  virtual bool GetSeaTransportIconHint(std::wstring* text) = 0;
  virtual bool GetAmphibiousTransportIconHint(std::wstring* text) = 0;
  virtual bool GetAirFightIconHint(std::wstring* text) = 0;
  virtual bool GetBombardmentIconHint(std::wstring* text) = 0;
  virtual bool GetNuclearIconHint(std::wstring* text) = 0;
  virtual bool GetReconIconHint(std::wstring* text) = 0;

  // Takes the unit off the map into the reserve pool; returns -1.
  virtual int MoveToReservePool() = 0;

  // Adds delta to the level when the result stays above 0 and recomputes
  // the effectiveness; nothing otherwise.
  void ChangeLevel(int delta);
  sDowodca* GetAssignedCommander() const;
  void SetAssignedCommander(const sDowodca* c);
  // Hex distance to the attached, else the assigned commander's unit; 100
  // when that commander is with no unit.
  int DistanceToCommander() const;
  float GetAssignedCommanderBonus() const;
  float GetCommandFactor() const;
  // The attached, else the assigned commander cancels the unit's loss in an
  // air fight; rolled once per fight.
  bool RollCommanderAirFightProtection() const;
  // What the attached, else the assigned commander adds to the chance of
  // hitting a ship from the air; 0 without one.
  int GetCommanderBombardmentBonus() const;
  // The translated subtype name of a unit type.
  static std::wstring GetSubtypeName(int unitType);

  // Places the unit from the reserve pool on (x, y), a placement hex of a
  // city of the owner; false (and nothing changes) when (x, y) is none.
  bool Deploy(int hx, int hy);
  // The unit is shelled by the fleet's battleships and cruisers (those with
  // the transfer mark, or all); the effect replaces the previous one.
  void ShoreBombardment(sFlota& fleet, sWynikWalki& result, bool allShips);

  // The computer player's pick of a free hex of the move range that is not
  // next to (hx, hy) and not among the six pairs (column, row) of taken; the
  // entry goes to out and its hex into taken at slot. False when none.
  bool FindFreeHexAwayFrom(int hx, int hy, int32_t taken[12], sHexEntry& out, int slot);
  // The player's strategic move to a chosen hex, paid by the owner.
  void MoveStrategically(int hx, int hy);
  // The city whose region holds the unit's hex; null when none.
  cMiasto* GetRegionCity() const;

  int32_t supplySourceX = -1;
  int32_t supplySourceY = -1;
  // 1 to 5.
  int32_t level = 1;
  // Percent, never below 1.
  int32_t effectiveness = 100;
  int32_t actionPoints = 0;
  int32_t startingActionPoints = 0;
  // Supply level: the index into the owner's per-supply-level tables.
  int32_t supply = 0;
  uint8_t attacked = 0;
  uint8_t wasAttacked = 0;
  std::list<sHexEntry> moveList;
  // Kept by the computer player.
  std::list<sHexEntry> planningList;
  // Effectiveness taken off by shore bombardment this turn.
  float shoreBombardmentEffect = 0.0f;
  // Set when a spotting pass finds an unseen enemy unit in range.
  int32_t contactFlag = 0;

 protected:
  // Marks and counts the hexes where the owner may place a reserve unit.
  int MarkPlacementHexes(bool mark) const;
  // The reserve pool entry of this unit taken out; false when it is not there.
  bool LeaveReservePool();
};

// A land unit.
class cJednostkaLadowa : public cJednostka {
 public:
  // Takes the next land-unit id of the running game.
  cJednostkaLadowa();
  cJednostkaLadowa(const cJednostkaLadowa&) = default;
  ~cJednostkaLadowa() override = default;

  int MarkMoveRange(bool mark) override;
  int MarkAttackTargets(bool quiet) override;
  void Draw(cDrawTarget& target, float x, float y, float depth, int variant) override;
  // One bombardment of this unit by an air unit or a ship; may kill it.
  void Attack(sWynikWalki& result, cUnit* attacker, int extra) override;
  void UpdateEffectiveness() override;
  void Kill() override;

  int SetActionPoints(int value) override;
  int ResetActionPoints() override;
  std::wstring GetEffectivenessHint() override;
  float GetStrengthValue() const override;
  int GetStrength() const override { return strength; }
  int AddStrength(int amount) override;
  float GetUnitCost() const override;
  bool IsHexInMoveRange(int hx, int hy) const override;
  float GetCombatStrength() const override;
  bool PickNearestFreeHex() override;
  bool GetUpgradeHint(std::wstring* text) override;
  float GetUpgradeToCorpsCost() override;
  bool UpgradeToCorps() override;
  bool GetLevelUpHint(std::wstring* text) override;
  float GetLevelUpCost() override;
  bool LevelUp() override;
  bool GetStrengthIconHint(std::wstring* text) override;
  bool GetStrategicMoveIconHint(std::wstring* text) override;
  bool GetAirborneAssaultIconHint(std::wstring* text) override;
  bool GetSeaTransportIconHint(std::wstring* text) override;
  bool GetAmphibiousTransportIconHint(std::wstring* text) override;
  bool GetAirFightIconHint(std::wstring* text) override;
  bool GetBombardmentIconHint(std::wstring* text) override;
  bool GetNuclearIconHint(std::wstring* text) override;
  bool GetReconIconHint(std::wstring* text) override;
  int MoveToReservePool() override;
  virtual int SetStrength(int value);

  // Moves the unit to (hx, hy) or to the free hex of its range nearest to it;
  // false when it cannot come nearer. Blocks until the move has been shown.
  bool GiveMoveOrder(int hx, int hy);
  // One move towards (hx, hy) within the points left.
  void MoveTowardsHex(int hx, int hy);
  // A move order to the AI ultimate target when a walk over enterable land
  // leads there; false otherwise.
  bool MoveToTargetHex();
  // Records a computer-player order; beyond one hop its next target is the
  // first city on the way over the cities diagram.
  void ExecuteOrder(int order, int hx, int hy, int hops);
  // Hops over the cities diagram from the unit's region city to the city on
  // (hx, hy); -1 without either city.
  int GetHopsToCity(int hx, int hy);
  // A free neighbour held by the owner, an ally or an enemy.
  bool HasRetreatHex() const;
  void Unfreeze();
  // Corps: types 1, 3 and 5.
  bool IsLargeUnit() const { return type == 1 || type == 3 || type == 5; }
  // The computer player's level-up: paid, logged and shown when seen.
  void AiLevelUp();
  // The computer player's test of a strategic move near the city; out
  // receives the hex when the move may be made.
  bool AiTryStrategicMove(const cMiasto* city, int& outX, int& outY);

  // Sea transport (sea_transport.cpp).
  // The hex of a port city friendly to the owner where the unit may embark:
  // its own hex, else the first neighbour in direction order; false and
  // (-1, -1) when there is none.
  bool FindEmbarkPort(int& outX, int& outY) const;
  // Embarks on a new one-ship fleet at the sea node: a cargo ship (44), paid
  // in sea transport points, or an amphibious ship (45), paid in amphibious
  // invasion points, by the cost of the unit's own type. The unit leaves the
  // map for the game's list of units carried by that kind of ship. Returns
  // the new fleet; null (nothing paid, nothing changed) for a node that does
  // not exist or another ship type.
  sFlota* LoadOntoFleet(int shipType, int seaNodeId, int order);
  // After a game is loaded: back aboard the ship of transportShipId. A ship
  // that does not exist, or is no transport, is a fatal data error.
  void LoadIntoTransportById();
  // The human player's assault from the ship onto (hx, hy): an empty hex is
  // taken at the price of the invasion losses, a defender is fought. The
  // unit may be destroyed: nothing may touch it afterwards.
  void AmphibiousAssault(int hx, int hy);
  // The same for the computer player, shown with its delays and with the
  // battle under the game lock.
  void AiAmphibiousAssault(int hx, int hy);

  // Airborne assault (airborne_assault.cpp).
  // Marks the hexes within the drop range that the current country may
  // enter: 16 with at most one action point left, else 4. Returns how many.
  int MarkAirborneAssaultHexes();
  // The drop on (hx, hy), its report appended to text. landed (when given)
  // becomes 0 when the unit was eliminated (the caller removes it) and 1
  // otherwise. False when the drop cannot be made (a hex off the map or
  // taken by another unit); the unit then stays where it is.
  bool AirborneAssault(int hx, int hy, std::wstring& text, int* landed);

  // The kill for a caller that walks the land-unit list and erases the
  // entry itself.
  void KillKeepingListEntry();
  // The unit carries the id of a transport ship.
  bool HasTransportShipId() const { return transportShipId != -1; }

  // 1 to 100.
  int32_t strength = 100;
  float secondStrength = 0.0f;
  // The ship that carries the unit; not owned.
  cJednostkaMorska* transport = nullptr;
  // A frozen unit (above 0) has no action points.
  int32_t freezeTime = 0;
  // Percent added to effectiveness by scenario events.
  int32_t eventsEffect = 0;
  int32_t aiOrder = 0;
  int32_t aiTargetX = -1;
  int32_t aiTargetY = -1;
  int32_t aiUltimateTargetX = -1;
  int32_t aiUltimateTargetY = -1;
  int32_t turnsFromLastParadrop = 0;
  uint8_t deployedThisTurn = 0;
  int32_t trenchBonusMultiplier = 0;
  int32_t lastX = -1;
  int32_t lastY = -1;
  // After loading a game: the ship the unit must be put on, -1 for none.
  int32_t transportShipId = -1;

 private:
  void Destroy(bool eraseListEntry);
  // The strength one level up that keeps the unit's worth, rounded up.
  int LevelledUpStrength() const;
  // Walks the unit to a hex of its move list, shown by the front end; the
  // camera is centred before or after the path search, and the final pause
  // always or only for a visible unit of shown actions.
  void RunMoveTo(int hx, int hy, bool centreFirst, bool alwaysPause);
  // The assault of both players; ai adds the computer's delays and lock.
  void AssaultFromSea(int hx, int hy, bool ai);
};

// The artificial harbour: a land unit that never moves, has no action points
// and keeps a fixed strength and supply.
class cMulberry : public cJednostkaLadowa {
 public:
  cMulberry() = default;
  cMulberry(const cMulberry&) = default;
  ~cMulberry() override = default;

  int SetSupplySourceX(int value) override;
  int SetSupplySourceY(int value) override;
  int SetSupplyLevel(int value) override;
  int AddActionPoints(int amount) override;
  int SetStartingActionPoints(int value) override;
  int SetActionPoints(int value) override;
  int ResetActionPoints() override;
  int AddStrength(int amount) override;
  int SetStrength(int value) override;

  int32_t monthsLeft = 0;
};

// An air unit based on a land hex.
class cJednostkaLotnicza : public cJednostka {
 public:
  // Takes the next air-unit id of the running game.
  cJednostkaLotnicza();
  cJednostkaLotnicza(const cJednostkaLotnicza&) = default;
  ~cJednostkaLotnicza() override = default;

  bool Intercept(cUnit* opponent, sWynikWalki& result) override;
  void UpdateEffectiveness() override;
  void Draw(cDrawTarget& target, float x, float y, float depth, int variant) override;
  int MarkMoveRange(bool mark) override;
  int MarkAttackTargets(bool quiet) override;
  void Attack(sWynikWalki& result, cUnit* attacker, int extra) override;
  void Kill() override;

  int SetActionPoints(int value) override;
  int ResetActionPoints() override;
  std::wstring GetEffectivenessHint() override;
  float GetStrengthValue() const override { return static_cast<float>(strength); }
  int GetStrength() const override { return strength; }
  int AddStrength(int amount) override;
  float GetUnitCost() const override;
  bool IsHexInMoveRange(int, int) const override { return false; }
  float GetCombatStrength() const override { return static_cast<float>(strength); }
  bool PickNearestFreeHex() override { return false; }
  bool GetUpgradeHint(std::wstring* text) override;
  float GetUpgradeToCorpsCost() override;
  bool UpgradeToCorps() override;
  bool GetLevelUpHint(std::wstring* text) override;
  float GetLevelUpCost() override;
  bool LevelUp() override;
  bool GetStrengthIconHint(std::wstring* text) override;
  bool GetStrategicMoveIconHint(std::wstring* text) override;
  bool GetAirborneAssaultIconHint(std::wstring* text) override;
  bool GetSeaTransportIconHint(std::wstring* text) override;
  bool GetAmphibiousTransportIconHint(std::wstring* text) override;
  bool GetAirFightIconHint(std::wstring* text) override;
  bool GetBombardmentIconHint(std::wstring* text) override;
  bool GetNuclearIconHint(std::wstring* text) override;
  bool GetReconIconHint(std::wstring* text) override;
  int MoveToReservePool() override;

  // Ranges in hexes by the owner's aircraft technology.
  int GetOperationalRange() const;
  int GetRebaseRange() const;
  int GetNavalAirRange() const;

  // The target searches: each counts the targets and, with mark, marks them.
  int MarkRebaseTargets(bool mark);
  int MarkReconTargets(bool mark);
  int MarkAirFightTargets(bool mark);
  int MarkBombardmentTargets(bool mark);
  int MarkNuclearTargets(bool mark);
  bool IsSeaNodeInNavalRange(int nodeId) const;
  void CollectSeaNodesInRange(std::set<int>& nodes) const;

  // Reconnaissance of a land hex or of a sea node; an interceptor may stop it.
  void ReconHex(int hx, int hy, sWynikWalki& result);
  void ReconSeaNode(int nodeId, sWynikWalki& result);
  // Moves the unit to a free friendly hex; returns that hex, null when
  // (hx, hy) lies off the map.
  sHex* Rebase(int hx, int hy);
  // The computer player's rebase, shown step by step when it may be seen.
  sHex* AiRebase(int hx, int hy);
  // A nuclear bomb on the hex (tx, ty) and the hexes around it.
  void NuclearStrike(sWynikWalki& result, int tx, int ty);
  // The computer player's choices.
  cJednostkaLotnicza* FindWeakestEnemyAirUnitInRange(int unitType) const;
  void AiListRebaseBases(std::vector<sRebaseCandidate>& list) const;
  void AiLevelUp();

  // This unit is attacked by an air unit or by a carrier's planes.
  void AirFight(sWynikWalki& result, cUnit* attacker, std::wstring* text);
  // True when an air combat left this unit destroyed: the result says so,
  // or it has no strength left (an interception that failed because its
  // fighter fell too says nothing of the unit on the mission).
  bool IsShotDown(const sWynikWalki& result) const;
  // Takes a unit shot down in an air combat out of the game, freeing it, and
  // marks the result's attacker destroyed; true when it went. The player's
  // and the computer's air actions all remove their fallen planes here,
  // each writing its own line to the log.
  static bool RemoveIfShotDown(cJednostkaLotnicza* unit, sWynikWalki& result, const std::wstring& logLine);
  // Raises a carrier's hit points to its owner's floor.
  static void ApplyCarrierLevelFloor(cJednostkaMorska& carrier);

  // 0 destroys the unit.
  int32_t strength = 0;
  uint8_t reconDone = 0;

 private:
  // Calls visit(hex) for every hex within range of the unit.
  template <class Visit>
  void ForEachHexInRange(int range, Visit visit) const;
};

// Where a ship's counter is drawn: on the map, or on the sea-battle grid
// while its first side (columns below 15) or its second side (16 and
// above) moves.
enum eShipCounterPlace { kCounterOnMap = 0, kCounterFirstSideMoves = 1, kCounterSecondSideMoves = 2 };

// A ship or flotilla; it stands in a fleet, never on a hex.
class cJednostkaMorska : public cUnit {
 public:
  cJednostkaMorska();
  cJednostkaMorska(const cJednostkaMorska&) = default;
  ~cJednostkaMorska() override = default;

  // The ship's counter in the hex picture whose top left is (x, y); on the
  // sea-battle grid with the markers of the battle.
  virtual void DrawCounter(cDrawTarget& target, float x, float y, float depth, eShipCounterPlace place);
  // The counter scaled into a rectangle (a hex picture is 166 wide).
  void DrawCounterScaled(cDrawTarget& target, const sDrawRect& rect, float depth, eShipCounterPlace place);

  void AssignBestCommander() override {}
  // Enemy aircraft try to stop the ship's mission; true when they did.
  bool Intercept(cUnit* opponent, sWynikWalki& result) override;
  void UpdateEffectiveness() override {}
  // The ports where the ship may be placed from the reserve pool.
  int MarkMoveRange(bool mark) override;
  int MarkAttackTargets(bool) override { return 0; }
  // The ship is bombarded by an air unit or a carrier's planes.
  void Attack(sWynikWalki& result, cUnit* attacker, int extra) override;
  // Ships are killed through Kill(bool) alone.
  void Kill() override {}

  // Into its country's fleet on the node (the last one there), or a new one.
  void AssignToSeaNode(int nodeId);
  // From the reserve pool into a fleet on the node that has not moved yet,
  // or a new one.
  void DeployAtSeaNode(int nodeId);
  // Destroys the ship, and its land unit too when killCargo is set; the
  // ship is freed, so nothing may touch it afterwards.
  void Kill(bool killCargo);
  // Puts the land unit aboard ashore on (tx, ty), supplied from the source
  // hex (sx, sy); returns the result of its spotting pass, 0 when nothing
  // was unloaded.
  int UnloadTransport(int tx, int ty, int sx, int sy);
  // The computer player's unloading at the fleet's node: true when it is
  // (or, with testOnly, would be) done.
  bool AiUnloadCarriedUnit(bool testOnly);
  // Counts, and with mark marks (64), the hexes where the land unit aboard
  // may go ashore.
  int MarkUnloadHexes(bool mark);
  // A carrier's or a raiding submarine's attack on an enemy ship at its
  // node; true when it took place, its message in text.
  bool SurpriseAttack(std::wstring& text);
  void ReconSeaNode(int nodeId);
  void ReconHex(int hx, int hy);

  // The sea-battle values.
  int RollAttackValue() const;
  float GetCombatValue() const;
  int GetHitChance() const;
  int RollHit() const;
  void PrepareForBattleRound();
  // The owner's submarine doctrine for a submarine, its naval one otherwise.
  int GetDoctrine() const;

  // Adds delta to the hit points, kept within 0 and the maximum.
  void ChangeLevelClamped(int delta);

  // The fleet the ship belongs to; null in the reserve pool. Not owned.
  sFlota* fleet = nullptr;
  // The "Fleet ID" of the naval-units table as read, -1 for none; the fleet
  // pointer is set from it after loading.
  int32_t fleetId = -1;
  // The ship is sunk at 0.
  int32_t hitPoints = 0;
  int32_t maxHitPoints = 0;
  // The land unit aboard a cargo or amphibious ship; not owned.
  cJednostkaLadowa* carriedUnit = nullptr;
  uint8_t transferMark = 0;
  uint8_t mayFire = 0;
  uint8_t exchangeFlag = 0;
  uint8_t battleMarker = 0;
  uint8_t shoreBombardmentDone = 0;
  uint8_t airstrikeDone = 0;
  uint8_t reconDone = 0;
  uint8_t canBeRepaired = 0;
  int32_t assignedSeaZone = -1;

 private:
  // The fleet of the owner on the node that the ship joins: the last one
  // there (with joinMoved false, the last that has not moved); a new one
  // with the given has-moved flag when there is none.
  void JoinFleetAt(int nodeId, bool joinMoved, uint8_t newFleetMoved);
};
