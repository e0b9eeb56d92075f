#pragma once
// The convoy manager: standing orders to ship supplies between ports.
#include "world/topography.h"

class cKonwoje {
 public:
  virtual ~cKonwoje() = default;

  // Removes the first convoy of the country (a surrender takes it away).
  // The manager holds no convoys yet, so there is nothing to remove.
  virtual void RemoveOneConvoy(int country) { (void)country; }

  // Runs the country's convoys of this turn inside the supply phase, with
  // the country's land-connected city groups and its units' supply cities.
  // The manager holds no convoys yet, so nothing sails.
  virtual void ExecuteAllConvoys(int country, const tCityGroupSet& groups, const tSupplyAssignments& units) {
    (void)country;
    (void)groups;
    (void)units;
  }

  // The country has convoy results of this turn to show its player. The
  // manager keeps no results yet.
  virtual bool HasConvoyResults(int country) const {
    (void)country;
    return false;
  }
};
