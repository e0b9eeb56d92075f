#include "persistence/load_seams.h"

#include <algorithm>

#include "persistence/load_request.h"
#include "units/unit.h"
#include "world/convoys.h"
#include "world/game.h"

void LoadConvoysTable(cGra& game, const sLoadRequest& request) {
  if (game.convoys != nullptr) game.convoys->LoadConvoys(request.pathTemplate);
}

int HighestConvoyId(const cGra& game) {
  int highest = 0;
  if (game.convoys == nullptr) return highest;
  for (const auto& list : game.convoys->convoys)
    for (const sKonwoj& convoy : list) highest = std::max(highest, static_cast<int>(convoy.id));
  return highest;
}

void LoadIntoItsTransport(cJednostkaLadowa& unit) { unit.LoadIntoTransportById(); }

