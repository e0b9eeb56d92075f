#include "world/units_skin_game.h"

#include "core/text.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

sUnitsSkinGame UnitsSkinGameOf(cGra& game) {
  sUnitsSkinGame g;
  g.loadCountryTextures = [&game](const std::wstring& skin) {
    for (cPanstwo* c : game.countries)
      if (c != nullptr) c->LoadUnitsTexture(skin);
  };
  // The folder the game came from: the scenario's, or a save's own copy of
  // the same table.
  g.scenarioCountriesFile = WFormat(game.pathTemplate.c_str(), L"countries.csv");
  g.countryCount = static_cast<int>(game.countries.size());
  g.setColours = [&game](int id, uint32_t c1, uint32_t c2) {
    cPanstwo* c = game.GetCountry(id);
    if (c == nullptr) return;
    c->colors[0] = c1;
    c->colors[1] = c2;
  };
  g.mapZoom = gCurrentMapScale;
  return g;
}
