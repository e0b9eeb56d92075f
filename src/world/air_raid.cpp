// The hex's side of an air raid: the fighter that can intercept an attack on
// a land hex.
#include "core/console.h"
#include "core/random.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

cJednostkaLotnicza* sHex::FindInterceptor(int country) const {
  LogF(L"Searching for interceptor while attacking hex (%i, %i / land)", static_cast<int>(x), static_cast<int>(y));
  cJednostkaLotnicza* best = nullptr;
  int bestPower = -1;
  if (gGra != nullptr) {
    for (cJednostkaLotnicza* u : gGra->airUnits) {
      const cPanstwo* owner = u->GetCountry();
      if (u->type != kTypeFighter || owner == nullptr || !gGra->relations.IsAtWar(owner->id, country)) continue;
      if (HexDistance(u->x, u->y, x, y) > u->GetOperationalRange()) continue;
      if (u->strength <= air_values::InterceptionStrength(owner->consts) / 2) continue;
      const int power = air_values::InterceptionBonus(owner->consts, u->supply) + u->level + u->strength;
      LogF(L"Possible interceptor: %s, power: %i", u->name.c_str(), power);
      if (power > bestPower) {
        bestPower = power;
        best = u;
        LogLine(L"Interceptor above is best so far!");
      }
    }
  }
  LogLine(best != nullptr ? L"Searching for interceptor finished"
                          : L"Searching for interceptor finished, no interceptor found");
  return best;
}
