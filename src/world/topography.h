#pragma once
// The world topography object: one 32-bit cell per hex that the supply floods
// use as their visited mark and distance, with the supply calculation's work
// lists. The selection record owns it; the supply routines (rules/supply.cpp)
// are its methods. Also the store of every country's topography groups.
#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

class cMiasto;
class cJednostka;

using tCityGroup = std::list<cMiasto*>;
using tCityGroupSet = std::list<tCityGroup>;

// A unit's nearest usable city (none when it has no connection) and the
// weighted distance to it.
struct sSupplyAssignment {
  cJednostka* unit = nullptr;
  cMiasto* city = nullptr;
  int32_t distance = 0;
};
using tSupplyAssignments = std::vector<sSupplyAssignment>;

class cTopografia {
 public:
  static constexpr int kAllianceCount = 3;

  // Sizes the grid for a map; the cells are zeroed.
  void Allocate(int width, int height);
  void ClearGrid();
  bool Fits(int w, int h) const { return w == width && h == height; }

  // The supply calculation of the end of impulse.
  void CalculateSupply();
  // Groups of cities joined by land held by the alliance (1-3; or -1) or by
  // the country (or -1).
  void DetermineCityGroups(int alliance, int country, tCityGroupSet& out);
  void FloodCityGroup(cMiasto* start, int alliance, int country, tCityGroup& out);
  void FindNearestCity(int alliance, int country, tSupplyAssignments& out);
  sSupplyAssignment FindNearestCityForUnit(cJednostka* unit, int alliance, int country);
  void CalculateCountrySupply(int countryId);
  void SupplyFromMulberries();
  void SupplyFromShips();

  // The hex tests of the floods.
  bool IsAllianceHex(int x, int y, int alliance) const;
  bool IsCountryHex(int x, int y, int country) const;
  bool CanImproveDistance(int x, int y, int alliance, int country, int distance) const;

  std::vector<int32_t> grid;  // row-major, y * width + x
  int32_t width = 0;
  int32_t height = 0;

  // Per alliance 1-3 (index alliance - 1) and for the neutral country in work.
  tCityGroupSet allianceGroups[kAllianceCount];
  tSupplyAssignments allianceAssignments[kAllianceCount];
  tCityGroupSet neutralGroups;
  tSupplyAssignments neutralAssignments;
  int32_t neutralCountry = 0;

 private:
  int32_t& Cell(int x, int y) { return grid[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
  int32_t CellAt(int x, int y) const { return grid[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
  // Cells written by the distance flood of one unit, cleared before the next.
  std::vector<int32_t> touched_;
  std::vector<int32_t> queue_;
};

// Sizes every city's per-country supply values and convoy flags to the
// number of countries and zeroes them.
void ResetCitySupplyTables();
