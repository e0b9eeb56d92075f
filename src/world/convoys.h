#pragma once
// The convoy manager: standing orders of the countries to ship supplies or
// production points between ports every turn, the execution of those
// orders in the supply phase and the result of each country's last run.
#include <cstdint>
#include <string>
#include <vector>

#include "world/topography.h"

class cMiasto;

// What a convoy carries.
enum : int32_t {
  kConvoySupplies = 0,
  kConvoyResources = 1,  // production points
};

// Report kinds filed by convoys.
constexpr int32_t kReportConvoyAttack = 18;
constexpr int32_t kReportConvoyResult = 24;

struct sKonwoj {
  // An empty record, filled field by field (loading).
  sKonwoj() = default;
  // A new convoy: takes the game's next convoy id; value 0; the departure
  // port's current size.
  sKonwoj(int country, int kind, cMiasto* from, cMiasto* to);

  int32_t id = 0;
  int32_t countryId = 0;
  cMiasto* departure = nullptr;    // not owned
  cMiasto* destination = nullptr;  // not owned
  int32_t kind = kConvoySupplies;
  // Production points to carry, or the most sea-transport points a supply
  // convoy may need.
  int32_t value = 0;
  int32_t departurePortSize = 0;
  // Work fields of the last execution.
  int32_t suppliedUnits = 0;
  float supplyCost = 0.0f;
  const tCityGroup* destinationGroup = nullptr;
};

// The result of one convoy's execution, as the convoy results dialog shows
// it; the texts are the player's texts, already looked up.
struct sWynikKonwojow {
  std::wstring departure;
  std::wstring destination;
  std::wstring cargo;
  int32_t neededStp = 0;
  int32_t usedStp = 0;
  int32_t lostStp = 0;
  std::wstring result;
  std::wstring details;
};

class cKonwoje {
 public:
  virtual ~cKonwoje() = default;

  // One (empty) list of convoys and of results per country.
  void Resize(int countryCount);

  // "convoys.csv" of the game's folder template. A missing file, a port
  // node that is no node or has no port city, and an owner that is no
  // country are fatal data errors.
  void LoadConvoys(const std::wstring& pathTemplate);

  // The computer player's supply convoy between two ports, worth the
  // country's full supply less what the destination already has; -1 unless
  // both are ports. Returns the new convoy's id.
  int AddConvoy(cMiasto* from, cMiasto* to, int country);
  // The convoys dialog's supply convoy between the ports of two sea nodes;
  // -1, with a log line, when a node or its port city is missing.
  int AddConvoyBetweenSeaNodes(int fromNode, int toNode, int country);
  // A convoy between the cities on two hexes; -1 when a hex has no city.
  int AddConvoyBetweenCities(int country, int kind, int value, int x1, int y1, int x2, int y2);
  // Removes every convoy of the country of the kind between the cities on
  // the two hexes; nothing when a hex has no city.
  void RemoveConvoy(int country, int kind, int x1, int y1, int x2, int y2);
  // Removes the first convoy of the country (the computer player; a
  // surrender takes it away).
  virtual void RemoveOneConvoy(int country);
  bool HasConvoyFromCity(const cMiasto* city, int country) const;

  // Map marks of the convoys dialog's two port picks: every friendly port
  // to depart from, then every port other than the source to sail to.
  void MarkSourcePorts(int country);
  void MarkDestinationPorts(int country, int sourceNode);

  // Runs the country's convoys of this turn inside the supply phase, with
  // the country's land-connected city groups and its units' supply cities.
  virtual void ExecuteAllConvoys(int country, const tCityGroupSet& groups, const tSupplyAssignments& units);
  // One convoy; the result is filled whether it sailed or not.
  void ExecuteConvoy(sKonwoj& convoy, sWynikKonwojow& result, const tCityGroupSet& groups,
                     const tSupplyAssignments& units);

  // The country has convoy results of this turn to show its player.
  virtual bool HasConvoyResults(int country) const {
    return country >= 1 && static_cast<size_t>(country) <= results.size() && !results[country - 1].empty();
  }

  // The convoys and the last results, index country id - 1.
  std::vector<std::vector<sKonwoj>> convoys;
  std::vector<std::vector<sWynikKonwojow>> results;

 private:
  // The country's convoy list; null (with a log line) for a country the
  // manager has no list for.
  std::vector<sKonwoj>* ListOf(int country);
  int Append(sKonwoj convoy);
};

// The base chance in percent that a convoy with the result's sea-transport
// points still afloat is attacked at a sea zone.
int ConvoyAttackChance(const sWynikKonwojow& result);

// "convoys.csv" into the folder, every convoy of every country; a file that
// cannot be written ends the program.
void SaveConvoys(const std::wstring& folder);
