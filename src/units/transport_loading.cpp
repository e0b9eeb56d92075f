// Land units that a saved game shows aboard a ship go aboard again.
#include "core/console.h"
#include "core/front_end.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/game.h"
#include "world/hex_map.h"

void cJednostkaLadowa::LoadIntoTransportById() {
  cJednostkaMorska* ship = gGra->FindNavalUnitById(transportShipId);
  // A saved game naming a ship it does not hold cannot be played on.
  if (ship == nullptr)
    FatalExit(WFormat(L"ERROR: %s is supposed to be loaded into the naval unit with ID=%i, but there is no such naval unit",
                      name.c_str(), transportShipId));
  LogLine(WFormat(Txt("loading_%s_into_%s").c_str(), name.c_str(), ship->name.c_str()));
  ship->carriedUnit = this;
  transport = ship;
  inReserve = 0;
  // A hex must not keep a unit that has gone aboard.
  if (gGra->map != nullptr && gGra->map->IsInside(x, y) && gGra->map->GetHex(x, y)->unit == this)
    gGra->map->GetHex(x, y)->unit = nullptr;
  x = -1;
  y = -1;
  spottedLevel = 0;
  if (ship->type == kTypeCargo) {
    gGra->transportedUnits.push_back(this);
  } else if (ship->type == kTypeAmphibious) {
    gGra->amphibiousUnits.push_back(this);
  } else {
    LogLine(WFormat(Txt("%s_is_supposed_to_be_loaded_into_%s").c_str(), name.c_str(), ship->name.c_str()));
    FatalExit(Txt("but_this_isn't_transport_or_amphib._fleet._data_integrity_error!_game_terminated."));
  }
}
