// Naval units. Placing ships, interception of their missions and their
// bombardment come with the fleet rules; until then those operations answer
// that nothing is possible.
#include <algorithm>

#include "units/unit.h"

cJednostkaMorska::cJednostkaMorska() { category = kCategoryNaval; }

bool cJednostkaMorska::Intercept(cUnit*, sWynikWalki&) { return false; }

int cJednostkaMorska::MarkMoveRange(bool) { return 0; }

void cJednostkaMorska::Attack(sWynikWalki&, cUnit*, int) {}

void cJednostkaMorska::ChangeLevelClamped(int delta) {
  hitPoints = std::clamp(hitPoints + delta, 0, std::max(maxHitPoints, 0));
}
