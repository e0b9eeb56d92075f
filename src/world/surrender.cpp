// The end of a country's war: the surrender test and the surrender to the
// enemy that hurt it most, the separate peace, and the hand-over of a
// country's air or naval forces to another country.
#include <algorithm>
#include <list>
#include <utility>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/phase_report.h"
#include "world/sea_graph.h"

namespace {

// Kills every unit of the country in the list. Each entry leaves the list
// before its kill, so that a unit whose kill looks for it in another list
// cannot stay behind as a dangling entry.
template <class Unit, class List>
void KillAllOfCountry(List& list, int country) {
  for (auto it = list.begin(); it != list.end();) {
    if ((*it)->countryId != country) {
      ++it;
      continue;
    }
    Unit* unit = *it;
    it = list.erase(it);
    unit->Kill();
    it = list.begin();  // a kill may change the list beyond its own entry
  }
}

// Sinks a ship for good: out of its fleet, the naval lists and the game.
// Nothing may point at it afterwards: not the unit it carries (killed
// before when it is the country's own), not its commander, not the sea
// nodes that draw it.
void DestroyShip(cJednostkaMorska* ship) {
  if (ship->carriedUnit != nullptr && ship->carriedUnit->transport == ship) ship->carriedUnit->transport = nullptr;
  if (ship->commander != nullptr && ship->commander->unit == ship) ship->commander->unit = nullptr;
  ship->commander = nullptr;
  for (sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    if (node.friendlyShip == ship) node.friendlyShip = nullptr;
    if (node.enemyShip == ship) node.enemyShip = nullptr;
  }
  if (sFlota* fleet = ship->fleet; fleet != nullptr) fleet->ships.remove(ship);
  gGra->navalUnits.remove(ship);
  std::erase(gGra->navalReserve, ship);
  delete ship;
}

// Fleets of the country left without ships are taken out of the game.
void DeleteEmptyFleetsOf(int country) {
  for (auto it = gGra->fleets.begin(); it != gGra->fleets.end();) {
    sFlota* fleet = *it;
    if (fleet->countryId != country || !fleet->ships.empty()) {
      ++it;
      continue;
    }
    FrontEnd().DropFleetFromFleetsDialog(fleet);
    it = gGra->fleets.erase(it);
    delete fleet;
  }
}

const cPanstwo* CountryOf(int id) { return gGra != nullptr ? gGra->GetCountry(id) : nullptr; }

}  // namespace

bool cPanstwo::HasLostAllVictoryCities() const {
  if (politicalStrength == -1 || !IsAtWarWithAnyone()) return false;
  for (const cMiasto* city : gGra->cities) {
    if (city->type == kCityResources || city->victoryPoints < 1) continue;
    const sHex* hex = city->GetHex();
    if (hex != nullptr && hex->owner == id && hex->controller == id) return false;
  }
  return true;
}

bool cPanstwo::SurrenderTo(sPhaseReport& record) {
  if (gGra == nullptr) return false;
  cRelacje& relations = gGra->relations;
  const int n = static_cast<int>(gGra->countries.size());

  // Nobody has hurt the country: every active enemy gets an equal part.
  float total = relations.GetTotalLossesSuffered(id);
  if (total == 0.0f && n >= 1) {
    for (int i = 1; i <= n; ++i) {
      const cPanstwo* c = CountryOf(i);
      if (c == nullptr || c->active == 0 || !relations.IsAtWar(i, id)) continue;
      relations.ChangeLosses(i, id, 1.0f);
      total += 1.0f;
    }
  }

  std::vector<std::pair<int, float>> shares;
  for (int i = 1; i <= n; ++i) {
    const cPanstwo* c = CountryOf(i);
    // A country cannot be its own victor.
    if (i == id || c == nullptr || c->active == 0) continue;
    const float losses = relations.GetLosses(i, id);
    if (losses > 0.0f) shares.emplace_back(i, losses * 100.0f / total);
  }
  // Without anybody to surrender to there is nobody to take the territory:
  // the country stays as it is.
  if (shares.empty()) {
    LogF(L"WARNING: %s cannot surrender: no active country has fought it", name.c_str());
    return false;
  }
  std::stable_sort(shares.begin(), shares.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  const cPanstwo* victor = CountryOf(shares.front().first);

  record.headline = WFormat(Txt("%s_surrenders_to_%s").c_str(), name.c_str(), victor->name.c_str());
  record.body = WFormat(Txt("distribution_of_effort_in_victory_over_%s:").c_str(), name.c_str());
  for (const auto& [country, share] : shares)
    record.body += WFormat(Txt("%s:_%.2f%%").c_str(), CountryOf(country)->name.c_str(), static_cast<double>(share));

  // The country's forces are destroyed.
  KillAllOfCountry<cJednostkaLadowa>(gGra->landUnits, id);
  KillAllOfCountry<cJednostkaLadowa>(gGra->transportedUnits, id);
  KillAllOfCountry<cJednostkaLadowa>(gGra->amphibiousUnits, id);
  KillAllOfCountry<cJednostkaLotnicza>(gGra->airUnits, id);
  KillAllOfCountry<cJednostka>(gGra->reserve, id);
  gGra->RetireCommandersOfCountry(id);
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    std::vector<cJednostkaMorska*> ships;
    for (cJednostkaMorska* s : gGra->navalUnits)
      if (s->countryId == id) ships.push_back(s);
    for (cJednostkaMorska* s : gGra->navalReserve)
      if (s->countryId == id) ships.push_back(s);
    // Nodes that drew a sunk ship draw another one of those still there.
    std::vector<std::pair<sWezelGrafuMorz*, std::pair<bool, bool>>> redraw;
    for (sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
      auto sunk = [&](const cJednostkaMorska* shown) {
        return shown != nullptr && std::find(ships.begin(), ships.end(), shown) != ships.end();
      };
      if (sunk(node.friendlyShip) || sunk(node.enemyShip))
        redraw.push_back({&node, {sunk(node.friendlyShip), sunk(node.enemyShip)}});
    }
    for (cJednostkaMorska* s : ships) DestroyShip(s);
    DeleteEmptyFleetsOf(id);
    for (auto& [node, sides] : redraw) node->PickDisplayedShips(sides.first, sides.second);
  }
  if (gGra->convoys != nullptr) gGra->convoys->RemoveOneConvoy(id);

  if (gGra->map != nullptr) gGra->map->TransferHexes(id, victor->id);
  gGra->RemoveSupplySourcesOfCountry(id);
  relations.MakePeaceWithAll(id);
  active = 0;
  return true;
}

void cPanstwo::MakePeace(bool returnHexes) {
  if (gGra == nullptr || !IsAtWarWithAnyone()) return;
  cMapa* map = gGra->map;
  if (returnHexes && map != nullptr) map->ReturnOccupiedHexes(id);

  // Units on foreign-held ground that this peace concerns go home.
  std::vector<cJednostka*> leaving;
  auto concerned = [&](const cJednostka* u) {
    if (map == nullptr || !map->IsInside(u->x, u->y)) return false;
    const sHex* hex = map->GetHex(u->x, u->y);
    return hex->controller != u->countryId && (hex->controller == id || u->countryId == id);
  };
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (concerned(u)) leaving.push_back(u);
  for (cJednostkaLotnicza* u : gGra->airUnits)
    if (concerned(u)) leaving.push_back(u);
  for (cJednostka* u : leaving) u->MoveToReservePool();

  gGra->relations.MakePeaceWithAll(id);
  alliance = kAllianceNeutral;
}

void cPanstwo::ChangeOwnershipOfAllNavalUnits(int newCountry) {
  if (gGra == nullptr) return;
  for (sFlota* fleet : gGra->fleets)
    if (fleet->countryId == id) fleet->countryId = newCountry;
  for (cJednostkaMorska* ship : gGra->navalUnits) {
    if (ship->countryId != id) continue;
    ship->countryId = newCountry;
    if (ship->carriedUnit != nullptr) ship->carriedUnit->countryId = newCountry;
  }
  for (cJednostkaMorska* ship : gGra->navalReserve)
    if (ship->countryId == id) ship->countryId = newCountry;
}

void cPanstwo::ChangeOwnershipOfAllAirUnits(int newCountry) {
  if (gGra == nullptr) return;
  cMapa* map = gGra->map;
  std::vector<cJednostkaLotnicza*> units;
  for (cJednostkaLotnicza* u : gGra->airUnits)
    if (u->countryId == id) units.push_back(u);
  for (cJednostkaLotnicza* u : units) {
    u->countryId = newCountry;
    const sHex* hex = map != nullptr && map->IsInside(u->x, u->y) ? map->GetHex(u->x, u->y) : nullptr;
    // A unit standing on ground of the new owner's enemy leaves the map for
    // the reserve pool, where the new owner can place it again.
    if (hex != nullptr && gGra->relations.IsAtWar(hex->controller, newCountry)) u->MoveToReservePool();
  }
  for (cJednostka* u : gGra->reserve)
    if (u->category == kCategoryAir && u->countryId == id) u->countryId = newCountry;
}
