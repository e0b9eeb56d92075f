#pragma once
// A commander of the scenario.
#include <cstdint>

struct sDowodca {
  virtual ~sDowodca() = default;

  int32_t id = 0;
  int32_t countryId = 0;
  // 0 not assigned, 1 on the way, 2 assigned.
  int32_t state = 0;
};
