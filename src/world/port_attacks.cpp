// The sea node's side of attacks from the air: a bombardment of a port or a
// sea zone, and a nuclear strike that reaches a port.
#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/convoy_values.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"
#include "world/sea_graph.h"

namespace {

constexpr int32_t kReportPortBombardment = 16;
constexpr int32_t kReportShipLost = 33;

std::wstring NameOf(const cPanstwo* c) { return c != nullptr ? c->name : std::wstring(); }

// The country whose turn it is, named in the reports of lost ships.
std::wstring CurrentCountryName() {
  return gGra != nullptr ? NameOf(gGra->selection.currentCountry) : std::wstring();
}

std::wstring FleetName(const cJednostkaMorska* ship) { return ship->fleet != nullptr ? ship->fleet->name : std::wstring(); }

}  // namespace

int sWezelGrafuMorz::BombardPort(sWynikWalki& r, cUnit* attacker, const sHex& hex) {
  if (gGra == nullptr || attacker == nullptr) return 0;
  const cPanstwo* a = attacker->GetCountry();
  if (a == nullptr) return 0;
  const cPanstwo* d = hex.GetControllerCountry();
  const bool port = IsPort();
  sRaport report;
  report.kind = kReportPortBombardment;
  report.countryId = a->id;

  // What this node adds to the defender's account.
  std::wstring text;
  if (port) {
    int chance = convoy_values::PortAttack(*a) * convoy_values::PortAttackLevel(*a);
    if (d != nullptr) chance -= convoy_values::PortDefence(*d) * convoy_values::PortDefenceLevel(*d);
    chance = std::clamp(chance, 0, 100);
    const int before = currentSize;
    if (RandomInRange(1, 100) < chance && currentSize > 1) {
      currentSize = std::max(currentSize - 1, 1);
      r.portDamaged = 1;
    }
    text += WFormat(Txt("report_bombardment_port").c_str(), NameOf(d).c_str(), name.c_str(), before, currentSize);
  } else {
    text += WFormat(Txt("report_bombardment_sea_zone").c_str(), name.c_str());
  }
  text += L"\n";

  // The ships of enemy fleets, each a little harder to hit than the last
  // for every ship already hit.
  const sConsts& c = a->consts;
  std::vector<cJednostkaMorska*> hits;
  std::vector<sFlota*> fleets;
  GetFleetsAtNode(fleets);
  int previous = 0;
  for (sFlota* f : fleets) {
    if (!a->IsAtWarWith(f->countryId)) continue;
    for (cJednostkaMorska* ship : f->ships) {
      const int base = ship->IsFullySpotted() ? convoy_values::ShipHitBaseSpotted(c)
                                              : convoy_values::ShipHitBaseUnspotted(c);
      int chance = convoy_values::ShipHitPerStrength(c) * ship->hitPoints + base;
      if (attacker->category == kCategoryAir)
        if (const auto* air = dynamic_cast<const cJednostka*>(attacker)) chance += air->GetCommanderBombardmentBonus();
      if (attacker->type == kTypeStrategicBomber)
        chance = static_cast<int>(convoy_values::StrategicBomberShipHitPercent(c) / 100.0 * chance);
      chance = static_cast<int>(chance - static_cast<double>(hits.size()) * 0.25 * previous);
      previous = chance;
      if (RandomInRange(1, 100) < chance) hits.push_back(ship);
    }
  }

  int count = 0;
  if (!hits.empty()) {
    r.shipsHit = 1;
    text += Txt(port ? "report_bombardment_port_naval_units_affected" : "report_bombardment_sea_zone_naval_units_affected");
    for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
      cJednostkaMorska* ship = *it;
      ship->Attack(r, attacker, 0);
      ++count;
      if (ship->hitPoints > 0) continue;
      text += WFormat(L"\n%s destroyed!\n", ship->name.c_str());
      AddReport(kReportShipLost, ship->countryId,
                WFormat(port ? L"%s\n%s;%s;%s\nPort bombardment" : L"%s\n%s;%s;%s\nSea bombardment", ship->name.c_str(),
                        FleetName(ship).c_str(), CurrentCountryName().c_str(), name.c_str()));
      ship->Kill(true);
    }
  } else {
    text += Txt(port ? "report_bombardment_port_no_naval_units_affected"
                     : "report_bombardment_sea_zone_no_naval_units_affected");
  }
  r.defenderInfo += text;
  r.lossText += WFormat(Txt("report_looses_sea_zone_port_bombardment").c_str(), count);

  report.text = WFormat(L"%s (%s) attacked %s\n\n", attacker->name.c_str(), a->name.c_str(), name.c_str()) + text;
  AddReport(report);
  return count;
}

void sWezelGrafuMorz::NuclearStrikeOnPort(sWynikWalki& record) {
  if (gGra == nullptr) return;
  currentSize = 1;
  record.lossText += WFormat(Txt("report_nuclear_on_port_size_decreased").c_str(), name.c_str());
  record.lossText += L"\n";

  std::vector<cJednostkaMorska*> sunk;
  std::vector<sFlota*> fleets;
  GetFleetsAtNode(fleets);
  for (sFlota* f : fleets)
    for (cJednostkaMorska* ship : f->ships)
      if (RandomInRange(1, 100) < 50) sunk.push_back(ship);

  if (!sunk.empty()) {
    record.navalUnitsDestroyed = 1;
    record.lossText += Txt("report_nuclear_on_port_destroyed_naval_units");
    record.lossText += L"\n";
    for (cJednostkaMorska* ship : sunk) {
      const std::wstring fleet = FleetName(ship);
      record.lossText += WFormat(L" %s - %s (%s)\n", fleet.c_str(), ship->name.c_str(), NameOf(ship->GetCountry()).c_str());
      AddReport(kReportShipLost, ship->countryId,
                WFormat(L"%s\n%s;%s;%s\nNuclear hit", ship->name.c_str(), fleet.c_str(), CurrentCountryName().c_str(),
                        name.c_str()));
      ship->Kill(true);
    }
  } else {
    record.lossText += Txt("report_nuclear_on_port_no_naval_units_destroyed");
    record.lossText += L"\n";
  }
  record.lossText += L"\n";
}
