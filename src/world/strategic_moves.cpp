#include "world/strategic_moves.h"

#include <algorithm>

#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"

bool CanMoveStrategicallyTo(const cJednostka& unit, const cMiasto& target) {
  if (gGra == nullptr || gGra->map == nullptr) return false;
  if (unit.supplySourceX == -1 || unit.supplySourceY == -1) return false;
  if (!gGra->map->IsInside(unit.supplySourceX, unit.supplySourceY)) return false;
  const cMiasto* source = gGra->map->GetHex(unit.supplySourceX, unit.supplySourceY)->city;
  if (source == nullptr) return false;
  const cPanstwo* owner = unit.GetCountry();
  if (owner == nullptr) return false;
  const int holder = target.GetController();
  if (holder != owner->id && !owner->IsAlly(holder)) return false;
  if (unit.category == kCategoryAir) return true;
  // Countries outside every alliance have no groups of their own here.
  if (owner->alliance == kAllianceNeutral || gGra->strategicMoves == nullptr) return false;
  const size_t index = static_cast<size_t>(owner->id) - 1;
  if (index >= gGra->strategicMoves->size()) return false;
  for (const std::list<cMiasto*>& group : (*gGra->strategicMoves)[index]) {
    if (std::find(group.begin(), group.end(), &target) == group.end()) continue;
    return std::find(group.begin(), group.end(), source) != group.end();
  }
  return false;
}
