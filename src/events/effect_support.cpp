#include "events/effect_support.h"

#include "core/console.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace effects {

cPanstwo* CountryParam(const sEfekt& e, int k) { return gGra != nullptr ? gGra->GetCountry(P(e, k)) : nullptr; }

sHex* HexAt(const sEfekt& e, int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) {
    LogF(L"Effect %s at line %i: hex (%i, %i) lies off the map; skipped", e.method.c_str(), e.line, x, y);
    return nullptr;
  }
  return gGra->map->GetHex(x, y);
}

cMiasto* CityParam(const sEfekt& e, int kx, int ky) {
  const sHex* hex = HexParam(e, kx, ky);
  return hex != nullptr ? hex->city : nullptr;
}

sWezelGrafuMorz* SeaNodeParam(const sEfekt& e, int k) {
  return gGra != nullptr ? gGra->seaGraph.FindNode(P(e, k)) : nullptr;
}

void QueueMessage(const std::wstring& text) {
  if (gGra != nullptr && gGra->events != nullptr) gGra->events->QueueMessage(text);
}

}  // namespace effects
