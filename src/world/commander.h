#pragma once
// A commander of the scenario, owned by the game's commander vector and
// attached to at most one unit.
#include <cstdint>
#include <string>

class cUnit;

struct sDowodca {
  static constexpr size_t kMaxNameLength = 99;

  virtual ~sDowodca() = default;

  // The commander's bonus to a unit at a hex distance, from the factors of
  // the commander's country: its skill and experience factors (the first two
  // values of constant 130), its distance factor (constant 84) and its
  // command range (the first value of constant 127): base + 1 at distance
  // 0, distance factor x 0.01 / distance x base within the range but never
  // below the base, the base beyond. 0 without a country.
  float GetBonusAtDistance(int distance) const;

  int32_t id = 0;
  std::wstring name;
  int32_t countryId = 0;
  // The kind of units commanded: 0 land, 1 air, 2 naval.
  int32_t type = 0;
  int32_t skill = 0;
  int32_t experience = 0;
  // 0 not assigned, 1 on the way to headquarters, 2 assigned.
  int32_t state = 0;
  // The unit the commander is with; not owned.
  cUnit* unit = nullptr;
};
