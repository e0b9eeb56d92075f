#include "world/game_hex.h"

#include "core/front_end.h"
#include "world/game.h"
#include "world/hex_map.h"

sHex* GameHexAt(int x, int y) {
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  return map != nullptr && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
}

void PauseFor(eDelay which, const char* file, int line) {
  FrontEnd().Delay(static_cast<int>(delayValues[which]), file, line);
}
