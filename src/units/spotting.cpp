// Spotting: units become visible when they come within the fog-of-war range
// of other units.
#include "core/settings.h"
#include "core/random.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

void cUnit::SpotUnitsInRange(bool checkContact) {
  if (gGra == nullptr) return;
  const int range = gProgramSettings.fogOfWar;  // 0: unlimited
  const cPanstwo* own = GetCountry();
  auto* self = dynamic_cast<cJednostka*>(this);
  auto spot = [&](cUnit* u) {
    if (range != 0 && HexDistance(x, y, u->x, u->y) > range) return;
    if (checkContact && self != nullptr && u->countryId != countryId && u->spottedLevel == 0 &&
        (own == nullptr || !own->IsAlly(u->countryId)))
      self->contactFlag = 1;
    u->spottedLevel = 6;
  };
  for (cJednostkaLadowa* u : gGra->landUnits) spot(u);
  for (cJednostkaLotnicza* u : gGra->airUnits) spot(u);
}
