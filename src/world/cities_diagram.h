#pragma once
// The cities diagram: a coarse graph drawn by the scenario author, one node
// per city (resource cities excepted) and one-way land or sea links between
// them. The computer player finds land paths and invasion targets on it and
// keeps its work values in the nodes.
#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

class cMiasto;

enum : int32_t { kDiagramLinkLand = 0, kDiagramLinkSea = 1 };

// One link; the target is a node index of the same diagram, so links stay
// valid whatever happens to the node vector's storage.
struct sSasiadDiagramu {
  int32_t target = 0;
  int32_t kind = kDiagramLinkLand;
};

struct sWezelDiagramuMiast {
  cMiasto* city = nullptr;  // not owned
  std::vector<sSasiadDiagramu> links;
  // Work values of the computer player.
  uint8_t assigned = 0;
  // The path searches' visited mark.
  uint8_t visited = 0;
  float landStrengths[3] = {};
  float airValues[6] = {};
  int32_t ownUnitCount = 0;
};

class cDiagramMiast {
 public:
  cDiagramMiast() = default;
  virtual ~cDiagramMiast() = default;

  // One node for every city of the list but resource cities; each city
  // learns its node index.
  void AddCityNodes(const std::list<cMiasto*>& cities);
  // Reads the links from "data\scenarios\<scenario>\cities_diagram.csv". A
  // missing file, or a link naming a hex without a city or a city without a
  // node, ends the program.
  void LoadCitiesDiagram(const std::wstring& scenarioName);
  // A land path from start to target through cities held by the country or
  // its allies. The out list gets the target first, then each city back
  // towards the start, the start itself left out.
  bool FindCityPath(const cMiasto* start, const cMiasto* target, int country, std::list<cMiasto*>& out);
  // The city's node has a sea link to a city held by an ally of the country.
  bool HasSeaLinkToAlliedCity(const cMiasto* city, int country) const;
  void ResetAiValues();

  // The node of a city; null for a city without one.
  sWezelDiagramuMiast* NodeOf(const cMiasto* city);
  const sWezelDiagramuMiast* NodeOf(const cMiasto* city) const;

  std::vector<sWezelDiagramuMiast> nodes;
  // (node index, city) in node order.
  std::list<std::pair<int32_t, cMiasto*>> cityNodes;
};
