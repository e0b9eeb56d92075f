// Hexes changing hands: capture by a moving land unit, ports falling with
// their fleets, absorption of cut-off pockets, surrender and annexation,
// peace, and the scenario events that rewrite stripes and territories.
// Country id 0 is nobody: it is at war with nobody and nobody's ally.
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// North, south, then clockwise from the upper right for an even column.
constexpr int kCaptureOrder[6] = {0, 3, 1, 2, 4, 5};

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b); }

// Whether country a counts b as an ally.
bool CountsAsAlly(int a, int b) {
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(a) : nullptr;
  return c != nullptr && c->IsAlly(b);
}

// A unit that may not stay on a hex given to the country goes to its reserve.
void ReserveUnlessFriendOf(sHex& hex, int country) {
  cJednostka* u = hex.unit;
  if (u == nullptr || u->countryId == country || CountsAsAlly(u->countryId, country)) return;
  u->MoveToReservePool();
}

}  // namespace

void cMapa::CaptureHexAndSurroundings(int c, int x, int y) {
  if (!IsInside(x, y) || gGra == nullptr) return;
  auto capture = [&](sHex& hex) {
    CheckPortCaptured(hex.x, hex.y);
    gGra->selection.capturedHexes.push_back({hex.x, hex.y, hex.controller});
    hex.SetController(c);
  };
  sHex& entered = *GetHex(x, y);
  if (AtWar(c, entered.controller)) capture(entered);
  for (int d : kCaptureOrder) {
    sHex* n = GetNeighbourHex(x, y, d);
    if (n == nullptr || n->controller == 0 || n->city != nullptr || !AtWar(c, n->controller)) continue;
    if (IsEnemyUnitAtOrNextTo(c, n->x, n->y)) continue;
    capture(*n);
  }
}

void cMapa::CheckPortCaptured(int x, int y) {
  if (!IsInside(x, y) || gGra == nullptr) return;
  const cMiasto* city = GetHex(x, y)->city;
  if (city == nullptr || !city->IsPort()) return;
  const int node = GetHex(x, y)->seaNodeMarker;
  if (node == 0 || gGra->seaGraph.FindNode(node) == nullptr)
    FatalExit(WFormat(Txt("critical_error!_port_%s_(%i,%i)_not_found_in_sea_graph!").c_str(), city->name.c_str(), x, y));
  for (sFlota* fleet : gGra->fleets) {
    if (fleet->seaNode != node) continue;
    if (!fleet->LeaveEnemyPort())
      FatalExit(WFormat(L"ERROR: %s cannot retreat to adjacent seazone from captured port!", fleet->name.c_str()));
  }
}

void cMapa::AbsorbUnsuppliedHexes() {
  LogLine(L"Wchlaniam hexy bez zaopatrzenia");
  if (gGra == nullptr || hexes.empty()) return;
  // The flood reads the controllers from a byte per cell rather than from
  // the cells themselves, so that it stays in the cache on a large map.
  const size_t cells = hexes.size();
  std::vector<uint8_t> controller(cells);
  for (size_t i = 0; i < cells; ++i) controller[i] = hexes[i].controller;
  // Whether one country counts another as an ally, asked once per pair.
  std::vector<int8_t> allied(256 * 256, -1);
  auto countsAsAlly = [&](int a, int b) {
    int8_t& known = allied[static_cast<size_t>(a) * 256 + static_cast<size_t>(b)];
    if (known < 0) known = CountsAsAlly(a, b) ? 1 : 0;
    return known == 1;
  };
  std::vector<uint8_t> reached(cells, 0);
  std::vector<uint32_t> queue;
  queue.reserve(cells);
  for (const cMiasto* city : gGra->cities) {
    if (!IsInside(city->x, city->y)) continue;
    const size_t at = CellIndex(city->x, city->y);
    reached[at] = controller[at];
    queue.push_back(static_cast<uint32_t>(at));
  }
  for (size_t i = 0; i < queue.size(); ++i) {
    const size_t at = queue[i];
    const int x = static_cast<int>(at % static_cast<size_t>(width));
    const int y = static_cast<int>(at / static_cast<size_t>(width));
    const int c = controller[at];
    for (int d = 0; d < 6; ++d) {
      const int nx = x + kStepDx[d];
      const int ny = y + (x % 2 != 0 ? kStepOddDy[d] : kStepEvenDy[d]);
      if (!IsInside(nx, ny)) continue;
      const size_t n = CellIndex(nx, ny);
      const int nc = controller[n];
      if (nc == 0 || reached[n] != 0) continue;
      if (nc != c && (c == 0 || !countsAsAlly(nc, c))) continue;
      reached[n] = static_cast<uint8_t>(nc);
      queue.push_back(static_cast<uint32_t>(n));
    }
  }

  struct sCandidate {
    sHex* hex;
    int newController;
  };
  std::vector<sCandidate> candidates;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const size_t at = CellIndex(x, y);
      if (reached[at] != 0 || controller[at] == 0 || !hexes[at].IsLand()) continue;
      for (int d = 0; d < 6; ++d) {
        const int nx = x + kStepDx[d];
        const int ny = y + (x % 2 != 0 ? kStepOddDy[d] : kStepEvenDy[d]);
        if (!IsInside(nx, ny)) continue;
        const size_t n = CellIndex(nx, ny);
        if (reached[n] == 0 || controller[n] == 0) continue;
        if (!AtWar(controller[n], controller[at])) continue;
        candidates.push_back({&hexes[at], controller[n]});
        break;
      }
    }
  }

  std::vector<const cJednostkaLadowa*> harbours;
  for (const cJednostkaLadowa* u : gGra->landUnits)
    if (u->type == kTypeMulberry) harbours.push_back(u);

  for (const sCandidate& cand : candidates) {
    sHex* hex = cand.hex;
    if (hex->unit != nullptr) continue;
    const cPanstwo* holder = gGra->GetCountry(hex->controller);
    // The harbour's supply range is the second value of constant 135.
    const float range = holder != nullptr ? holder->consts.c135[1] : 0.0f;
    bool supplied = false;
    for (const cJednostkaLadowa* h : harbours) {
      if (h->countryId != hex->controller && !CountsAsAlly(hex->controller, h->countryId)) continue;
      if (static_cast<float>(HexDistance(h->x, h->y, hex->x, hex->y)) < range) supplied = true;
    }
    if (!supplied) hex->SetController(cand.newController);
  }
}

void cMapa::TransferHexes(int from, int to) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      sHex* hex = GetHex(x, y);
      if (hex->controller == from) {
        if (hex->owner == from || hex->owner == 0) {
          hex->SetController(to);
          if (hex->owner == from) hex->SetOwner(to);
        } else {
          // Occupied by the annexed country: back to its owner.
          hex->SetController(hex->owner);
        }
        if (hex->unit != nullptr) CheckAnnexedUnit(from, hex->unit);
        CheckPortCaptured(x, y);
      } else if (hex->owner == from && hex->controller != 0) {
        // Held by another country: the occupier keeps it.
        hex->SetOwner(hex->controller);
      }
    }
  }
}

bool cMapa::CheckAnnexedUnit(int from, cJednostka* unit) {
  if (unit == nullptr) return true;
  // The annexed country's own units are the surrender's to dispose of.
  if (unit->countryId == from) return true;
  if (CountsAsAlly(unit->countryId, from)) return unit->MoveToReservePool() != 0;
  if (AtWar(unit->countryId, from)) return true;
  const cPanstwo* country = unit->GetCountry();
  gConsole.AddLine(WFormat(Txt("critical_error!_while_annexing,_unit_%s_was_found").c_str(), unit->name.c_str()));
  gConsole.AddLine(WFormat(Txt("it_belongs_to_%s,_but_this_country_isn't_ally_or_enemy_of_annexed_nation").c_str(),
                           country != nullptr ? country->name.c_str() : L""));
  FatalExit(L"And if its not enemy or ally - it cannot occupy this hex! Report this as a bug! Exiting.");
}

void cMapa::ReturnOccupiedHexes(int country) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      sHex* hex = GetHex(x, y);
      if (hex->owner != hex->controller && (hex->owner == country || hex->controller == country))
        hex->SetController(hex->owner);
    }
  }
}

namespace {

bool ChangeStripe(cMapa& map, int x, int y, int count, int country, bool originalToo) {
  if (x < 0 || x >= map.width || y < 0 || y >= map.height || count <= 0 || y + count - 1 >= map.height) {
    gConsole.AddLine(WFormat(
        Txt("error:_hexstripe.changecontrollerandowner(%i_%i_%i_%i)_incorrect_parameter(s)!_ignoring_this...").c_str(), x,
        y, count, country));
    return false;
  }
  for (int row = y; row < y + count; ++row) {
    sHex* hex = map.GetHex(x, row);
    hex->SetController(country);
    hex->SetOwner(country);
    if (originalToo) hex->originalOwner = static_cast<uint8_t>(country);
    ReserveUnlessFriendOf(*hex, country);
  }
  return true;
}

}  // namespace

bool cMapa::ChangeStripeControllerAndOwner(int x, int y, int count, int country) {
  return ChangeStripe(*this, x, y, count, country, false);
}

bool cMapa::ChangeStripeControllerOwnerAndOriginalOwner(int x, int y, int count, int country) {
  return ChangeStripe(*this, x, y, count, country, true);
}

void cMapa::ChangeTerritoryControllerOwnerAndOriginalOwner(int a, int b) {
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      sHex* hex = GetHex(x, y);
      if (hex->controller != a) continue;
      hex->SetController(b);
      hex->SetOwner(b);
      hex->originalOwner = static_cast<uint8_t>(b);
      ReserveUnlessFriendOf(*hex, b);
    }
  }
}
