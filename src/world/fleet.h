#pragma once
// A fleet: naval units of one country on one node of the sea graph. The
// game's fleet list owns the fleets; the game's naval-unit list owns the
// ships, and every ship points back to its fleet.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

class cJednostkaMorska;
struct sDowodca;
struct sWezelGrafuMorz;
struct sWynikWalki;

// Map marks of the fleet's searches.
constexpr uint32_t kMarkFleetTarget = 0x200;
constexpr uint32_t kMarkFleetRecon = 0x100;
constexpr uint32_t kMarkFleetNode = 0x4000;
constexpr uint32_t kMarkFleetReachable = 0x8000;

// The computer player's order of a fleet going to its destination node.
constexpr int32_t kFleetOrderGoToDestination = 4;

struct sFlota {
  static constexpr size_t kMaxNameLength = 99;

  // Empty lists, no destination nor invasion hex, no order, active.
  sFlota() = default;
  // A new fleet split off the source: its ships with the transfer mark
  // join it (the source keeps them until RemoveMarkedShips); it takes the
  // game's next fleet number.
  static sFlota* SplitFrom(sFlota& source);
  virtual ~sFlota() = default;

  // Takes the fleet out of the fleets dialog, out of the game's fleet list
  // and frees it; nothing may touch the fleet afterwards.
  void Delete();

  // The node the fleet stands on; null for none.
  sWezelGrafuMorz* GetSeaNode() const;
  // The fleet leaves its port, fallen to the enemy, for the first adjacent
  // sea zone; false (and it stays) when there is none.
  bool LeaveEnemyPort();

  // The nodes the fleet can reach in one move for the country whose turn it
  // is; returns their number.
  int FindReachableNodes();
  bool IsNodeReachable(int nodeId);
  void MarkReachableNodes();
  // Moves towards the target node as far as one move allows.
  void Move(int target);

  // Transfer marks and the fleets dialog's transfers between fleets.
  void UnmarkShips();
  void MarkShipsOfZone(int zone);
  void RemoveMarkedShips();
  void MoveMarkedShipsTo(sFlota& other);

  // Sums over the ships.
  int SumAttackValue() const;
  // Also clears every ship's assigned sea zone.
  int SumHp();
  int SumMaxHp() const;
  float SumStrength() const;
  // True when every ship has one assigned sea zone; otherwise false and the
  // first differing zone in zone.
  bool AllShipsInSameZone(int& zone) const;
  // The most skilled commander among the ships'; null when none has one.
  sDowodca* GetBestCommander() const;

  // Shells the land unit on the hex; true when the fleet fired.
  bool ShoreBombard(int hx, int hy, sWynikWalki& result, bool allShips);
  // Count, and with mark clear the marks and mark, the targets in range.
  int MarkAirStrikeTargets(bool mark);
  int MarkShoreBombardmentTargets(bool mark);
  int MarkReconTargets(bool mark);

  int32_t countryId = 0;
  // Work result of FindReachableNodes, node ids.
  std::vector<int32_t> reachableNodes;
  int32_t id = 0;
  std::wstring name;
  int32_t seaNode = 0;
  // 0 regular, 1 raiders: every ship of a raider fleet attacks convoys alone.
  int32_t formation = 0;
  // In joining order; not owned.
  std::list<cJednostkaMorska*> ships;
  uint8_t hasMoved = 0;
  // The computer player's order, destination node and invasion hex.
  int32_t order = 0;
  int32_t destinationNode = -1;
  int32_t invasionX = -1;
  int32_t invasionY = -1;
  uint8_t isActive = 1;
  // The line of fleets.csv the fleet was read from; 0 for fleets made in play.
  int32_t sourceLine = 0;

  void SetName(const std::wstring& text) { name = text.substr(0, kMaxNameLength); }

 private:
  // Leaves the old node's counters and is counted at the new one.
  void MoveTo(int nodeId);
  // Calls visit(hex) once for every land hex within range of the fleet's
  // node; the node's own hexes are the origins.
  template <class Visit>
  void ForEachHexInRange(int range, Visit visit) const;
};

// The standard name of a new fleet: "fleet_#%i" with its number.
std::wstring DefaultFleetName(int number);
