#pragma once
// The sea graph: sea zones and ports joined by one-way edges. Ships never
// stand on hexes; every naval position is a node of this graph, and its ids
// are stamped on the hexes of the map so that a hex leads to its node.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/hoverable.h"

class cDrawTarget;
class cUnit;
struct sMapDisplay;
class cJednostkaMorska;
struct sFlota;
struct sHex;
struct sWynikKonwojow;
struct sWynikWalki;

struct sKrawedzGrafuMorz {
  int32_t target = 0;
  // The hex that controls the passage; -1 when the edge has no gate.
  int32_t gateX = -1;
  int32_t gateY = -1;
};

// Rows and columns of a node's ship counters.
enum : int {
  kOwnShips = 0,
  kAlliedShips = 1,
  kSpottedEnemyShips = 2,
  kNavalTypeCount = 6,  // naval types 40..45
};

// The layout row whose size the sea node's hint box takes.
constexpr int kSeaNodeHintLayoutId = 760;

struct sWezelGrafuMorz : public cHoverable {
  // Names are held below 150 UTF-16 units.
  static constexpr size_t kMaxNameUnits = 149;

  int32_t id = 0;
  // 1 for a sea zone, 0 for a port.
  uint32_t seaZone = 1;
  // 0 for a sea zone, 1 to 9 for a port.
  int32_t maxSize = 0;
  int32_t currentSize = 0;
  std::wstring name;
  // A sea zone's reference hex, a port's city hex.
  int32_t mainX = -1;
  int32_t mainY = -1;
  // The ships drawn for the viewing side and the hexes they are drawn on;
  // not owned.
  cJednostkaMorska* friendlyShip = nullptr;
  int32_t playerUnitX = -1;
  int32_t playerUnitY = -1;
  cJednostkaMorska* enemyShip = nullptr;
  int32_t enemyUnitX = -1;
  int32_t enemyUnitY = -1;
  std::vector<sKrawedzGrafuMorz> edges;
  // Countries that ran a convoy through the node since the last clearing.
  std::set<int32_t> convoyPassages;
  // Own, allied and spotted enemy ships of the viewing country by type 40..45.
  int32_t shipCounters[3][kNavalTypeCount] = {};
  // Work fields of the route search.
  int32_t routeDistance = 0;
  int32_t routePredecessor = 0;

  bool IsPort() const { return seaZone == 0; }

  void AddConvoyPassage(int country) { convoyPassages.insert(country); }
  bool HadConvoyOfCountry(int country) const { return convoyPassages.count(country) != 0; }

  // The ships of the viewing country at the node (the allied row not included).
  int CountFriendlyShips() const;
  int CountSpottedEnemyShips() const;
  // Appends every fleet standing on this node, in the game's fleet order.
  void GetFleetsAtNode(std::vector<sFlota*>& out) const;

  // Counts and spots the ships at the node for the graph's viewing country.
  // The full pass rolls every enemy ship anew; the incremental one only
  // gives ships not yet seen a chance to be spotted.
  void CalcNavalVisibility(bool incremental);
  // The same for a viewing country that becomes the graph's.
  void CalcNavalVisibilityFor(int viewer, bool incremental);
  // Draws the displayed ships again from the ships at the node.
  void PickDisplayedShips(bool pickFriendly, bool pickEnemy);
  // A fleet of the viewing country leaves the node.
  void RemoveFleetFromCounters(const sFlota& fleet);
  // The most skilled commander among the ships of the country's fleets at
  // the node leads every ship there without a commander of its own; for a
  // country below 1, each country with a fleet at the node in turn.
  void AssignBestCommander(int country);
  // The carrier or fighter that intercepts an air attack on the node by the
  // attacking country; null for none.
  cUnit* FindInterceptor(int attackingCountry) const;

  // Enemy fleets and raiders at a sea zone attack a convoy of the country
  // passing it; the losses and their account go into the result.
  void AttackConvoysOnRoute(int country, sWynikKonwojow& result);
  // The node's side of a bombardment of the hex by the attacker: a port may
  // shrink, and ships of enemy fleets on the node may be hit. Returns the
  // number of ships hit.
  int BombardPort(sWynikWalki& result, cUnit* attacker, const sHex& hex);
  // A nuclear strike on the port's city reaches the port: size 1, and about
  // half the ships there of any country sink.
  void NuclearStrikeOnPort(sWynikWalki& record);

  // What of the node stands on hex (hx, hy), drawn with the hex picture's
  // top left at (x, y): the displayed ships, the port or the sea zone's
  // picture and name. Lit, the pictures are highlighted.
  void DrawAtHex(cDrawTarget& target, const sMapDisplay& display, float x, float y, int hx, int hy,
                 bool hidePictures, bool lit) const;

  // The hint box: name, own and spotted enemy ships by type and, for a
  // port, its size.
  void GetHoverExtent(int& width, int& height) const override;
  void DrawHoverInfo(int x, int y) override;
  std::vector<std::wstring> HoverLines() const;
};

class cGrafMorz {
 public:
  // The node of an id, null when no node has it.
  const sWezelGrafuMorz* FindNode(int id) const {
    if (id < 1 || static_cast<size_t>(id) > nodes.size()) return nullptr;
    return &nodes[static_cast<size_t>(id) - 1];
  }
  sWezelGrafuMorz* FindNode(int id) {
    if (id < 1 || static_cast<size_t>(id) > nodes.size()) return nullptr;
    return &nodes[static_cast<size_t>(id) - 1];
  }

  // "sea_nodes.csv" of the game's folder template; stamps node ids on the
  // map. Missing files and malformed rows are fatal data errors.
  void LoadSeaNodes(const std::wstring& pathTemplate);
  // "data\scenarios\<scenario>\sea_edges.csv".
  void LoadSeaEdges(const std::wstring& scenarioName);
  void LoadSeaEdgesFile(const std::wstring& path);
  // Writes "sea_nodes.csv" into the folder; false when it cannot be written.
  bool SaveSeaNodes(const std::wstring& folder) const;

  // A breadth-first route from one node to another for the country; the
  // route lists the node ids from the destination back to the source.
  // Gates must be held by the country or an ally; with strict ports every
  // port on the way must be friendly, else only enemy ports are avoided.
  bool FindSeaRoute(int from, int to, int country, bool strictPorts, std::vector<int>& route);
  // The first node whose main hex is (x, y); -1 when none.
  int FindSeaNodeAtHex(int x, int y) const;
  // The first sea zone the node's edges lead to; -1 when none.
  int FindAdjacentSeaZone(int nodeId) const;
  // A has an edge to B without a gate, or with a gate held by the country
  // or one of its allies.
  bool IsEdgePassable(int a, int b, int country) const;
  void ClearConvoyPassages();
  // Stores the viewing country and counts the ships of every node for it.
  void RecalculateNavalVisibility(int viewer, bool incremental);

  std::vector<sWezelGrafuMorz> nodes;  // index id - 1
  // The country from whose side the counters were last computed.
  int32_t viewingCountry = 0;
};

// While on (the default), allied and enemy fleets in ports are not seen.
// Reconnaissance turns it off for its own visibility pass.
extern bool gPortConcealment;

class cPortConcealmentOff {
 public:
  cPortConcealmentOff() : saved_(gPortConcealment) { gPortConcealment = false; }
  ~cPortConcealmentOff() { gPortConcealment = saved_; }
  cPortConcealmentOff(const cPortConcealmentOff&) = delete;
  cPortConcealmentOff& operator=(const cPortConcealmentOff&) = delete;

 private:
  bool saved_;
};
