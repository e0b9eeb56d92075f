// Effects on the map, cities, ports, weather areas, the scenario flags and
// the map view.
#include <cstdint>

#include "core/console.h"
#include "events/effect_support.h"
#include "events/effect_table.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

using effects::D;
using effects::HexParam;
using effects::P;

namespace {

constexpr int kMaxFortLevel = 9;
constexpr int kMinPortSize = 1;
constexpr int kMaxPortSize = 10;
// The map view stores a hex by its pixel position.
constexpr float kHexPixelsX = 83.0f;
constexpr float kHexPixelsY = 98.0f;

int PortSize(double v) {
  if (v >= kMaxPortSize) return kMaxPortSize;
  if (v <= kMinPortSize) return kMinPortSize;
  return static_cast<int>(v);
}

// A port node of the effect's param0; sea zones are left as they are.
sWezelGrafuMorz* PortParam(const sEfekt& e) {
  sWezelGrafuMorz* node = effects::SeaNodeParam(e, 0);
  return node != nullptr && node->IsPort() ? node : nullptr;
}

// The land hexes of the rectangle (p0, p1)..(p2, p3) get the weather state
// and roll flag. Positions off the map are skipped, with one log line.
void WeatherArea(const sEfekt& e, uint32_t weather, bool rolls) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  int outside = 0;
  for (int x = P(e, 0); x <= P(e, 2); ++x) {
    for (int y = P(e, 1); y <= P(e, 3); ++y) {
      if (!map.IsInside(x, y)) {
        ++outside;
        continue;
      }
      sHex* hex = map.GetHex(x, y);
      if (!hex->IsLand()) continue;
      hex->weather = weather;
      hex->weatherApplies = rolls ? 1 : 0;
    }
  }
  if (outside > 0)
    LogF(L"Effect %s at line %i: %i positions of the area lie off the map; skipped", e.method.c_str(), e.line,
         outside);
}

bool FlagIndex(int index) { return index >= 0 && index < cGra::kScenarioFlagCount; }

}  // namespace

void EffectHexStripe_ChangeControllerAndOwner(const sEfekt& e) {
  if (gGra != nullptr && gGra->map != nullptr)
    gGra->map->ChangeStripeControllerAndOwner(P(e, 0), P(e, 1), P(e, 2), P(e, 3));
}

void EffectHexStripe_ChangeControllerOwnerAndOriginalOwner(const sEfekt& e) {
  if (gGra != nullptr && gGra->map != nullptr)
    gGra->map->ChangeStripeControllerOwnerAndOriginalOwner(P(e, 0), P(e, 1), P(e, 2), P(e, 3));
}

void EffectCountry_ChangeTerritoryControllerOwnerAndOriginalOwner(const sEfekt& e) {
  if (gGra != nullptr && gGra->map != nullptr) gGra->map->ChangeTerritoryControllerOwnerAndOriginalOwner(P(e, 0), P(e, 1));
}

void EffectHex_SetFortLevel(const sEfekt& e) {
  if (sHex* hex = HexParam(e, 0, 1)) hex->fort = static_cast<uint8_t>(P(e, 2));
}

void EffectHex_ChangeFortLevel(const sEfekt& e) {
  sHex* hex = HexParam(e, 0, 1);
  if (hex == nullptr) return;
  const double v = hex->fort + D(e, 2);
  // Held to the top level before the byte is stored, so that a large
  // increase cannot wrap round to a low level.
  hex->fort = static_cast<uint8_t>(v < 0.0 ? 0 : (v >= kMaxFortLevel ? kMaxFortLevel : static_cast<int>(v)));
}

void EffectCity_SetProductionPoints(const sEfekt& e) {
  if (cMiasto* city = effects::CityParam(e, 0, 1)) city->productionPoints = static_cast<float>(D(e, 2));
}

void EffectCity_ChangeProductionPoints(const sEfekt& e) {
  if (cMiasto* city = effects::CityParam(e, 0, 1))
    city->productionPoints = static_cast<float>(city->productionPoints + D(e, 2));
}

void EffectCity_SetOwnSupply(const sEfekt& e) {
  if (cMiasto* city = effects::CityParam(e, 0, 1)) {
    const int v = P(e, 2);
    city->supply = v < 0 ? 0 : v;
  }
}

void EffectCity_ChangeOwnSupply(const sEfekt& e) {
  if (cMiasto* city = effects::CityParam(e, 0, 1)) {
    const int v = EventInt(city->supply + D(e, 2));
    city->supply = v < 0 ? 0 : v;
  }
}

void EffectCity_SetType(const sEfekt& e) {
  if (cMiasto* city = effects::CityParam(e, 0, 1)) city->type = P(e, 2);
}

void EffectPort_SetSize(const sEfekt& e) {
  if (sWezelGrafuMorz* port = PortParam(e)) port->maxSize = PortSize(D(e, 1));
}

void EffectPort_ChangeSize(const sEfekt& e) {
  if (sWezelGrafuMorz* port = PortParam(e)) port->maxSize = PortSize(port->maxSize + D(e, 1));
}

void EffectNew_StartWinterArea(const sEfekt& e) { WeatherArea(e, kWeatherWinter, P(e, 4) != 0); }

void EffectNew_EndWinterArea(const sEfekt& e) { WeatherArea(e, kWeatherClear, true); }

void EffectNew_StartMudArea(const sEfekt& e) { WeatherArea(e, kWeatherMud, P(e, 4) != 0); }

void EffectNew_EndMudArea(const sEfekt& e) { WeatherArea(e, kWeatherClear, true); }

void EffectFlag_SetValue(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int index = P(e, 0);
  if (!FlagIndex(index)) {
    LogF(L"ERR: Flag.SetValue arg out of range: %d, max is %d", index, cGra::kScenarioFlagCount);
    return;
  }
  gGra->scenarioFlags[static_cast<size_t>(index)] = P(e, 1);
}

void EffectFlag_ChangeValue(const sEfekt& e) {
  if (gGra == nullptr) return;
  const int index = P(e, 0);
  if (!FlagIndex(index)) return;
  int32_t& flag = gGra->scenarioFlags[static_cast<size_t>(index)];
  // Wraps round like the 32-bit sum it is, without signed overflow.
  flag = static_cast<int32_t>(static_cast<uint32_t>(flag) + static_cast<uint32_t>(P(e, 1)));
}

void EffectView_CenterAt(const sEfekt& e) {
  const int x = P(e, 0);
  const int y = P(e, 1);
  if (HexParam(e, 0, 1) == nullptr) return;
  gGra->map->CenterAtHex(x, y);
  // The play order may have no other human to lead it; then no view is kept.
  cPanstwo* leader = gGra->selection.BuildCountryOrder(gGra->countries);
  if (leader == nullptr) {
    LogF(L"Effect %s at line %i: no country leads the play order; no view stored", e.method.c_str(), e.line);
    return;
  }
  leader->StoreCameraView(static_cast<float>(x) * kHexPixelsX, static_cast<float>(y) * kHexPixelsY, gCurrentMapScale);
}
