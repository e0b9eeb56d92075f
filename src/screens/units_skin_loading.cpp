#include "screens/units_skin_loading.h"

#include "framework/units_skin.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/units_skin_game.h"

bool LoadGameUnitsSkin(const std::wstring& name) {
  if (gGra == nullptr) {
    LoadUnitsSkin(name, nullptr);
    return true;
  }
  const sUnitsSkinGame game = UnitsSkinGameOf(*gGra);
  LoadUnitsSkin(name, &game);
  return true;
}

void SelectUnitsSkinGroupsForMapScale() { SelectFontsByScale(gCurrentMapScale); }
