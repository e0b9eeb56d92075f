#include "persistence/load_seams.h"

#include "persistence/load_request.h"
#include "world/game.h"

// Filled by the convoy manager: LoadConvoys(request.pathTemplate) and its convoys' ids.
void LoadConvoysTable(cGra& game, const sLoadRequest& request) {
  (void)game;
  (void)request;
}
int HighestConvoyId(const cGra& game) {
  (void)game;
  return 0;
}

// Filled by sea transport: unit.LoadIntoTransportById().
void LoadIntoItsTransport(cJednostkaLadowa& unit) { (void)unit; }

