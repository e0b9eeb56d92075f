#include "world/commander.h"

#include "world/country.h"
#include "world/game.h"

float sDowodca::GetBonusAtDistance(int distance) const {
  const cPanstwo* country = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  if (country == nullptr) return 0.0f;
  const sConsts& c = country->consts;
  const float base = static_cast<float>(c.c130[0]) * static_cast<float>(skill) / 100.0f +
                     static_cast<float>(c.c130[1]) * static_cast<float>(experience) / 100.0f;
  if (distance <= 0) return base + 1.0f;
  if (distance > c.c127[0]) return base;
  // Within the range the bonus falls with the distance down to the base at
  // the edge when the distance factor is 100 x the range. A smaller factor
  // would leave a near unit worse off than one out of range: never below
  // the base.
  const float inRange = static_cast<float>(c.c084) * 0.01f / static_cast<float>(distance) * base;
  return inRange < base ? base : inRange;
}
