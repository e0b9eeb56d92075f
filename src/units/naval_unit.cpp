// Naval units: joining and leaving fleets, their destruction, unloading the
// land unit aboard, their own combat (interception of their missions, being
// bombarded, surprise attacks) and the values the sea battle reads.
#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/air_values.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/reports.h"
#include "world/sea_graph.h"

using unit_rules::ConstsOf;
using unit_rules::CountryName;

namespace {

cMapa* Map() { return gGra != nullptr ? gGra->map : nullptr; }

int CurrentCountryId() {
  return gGra != nullptr && gGra->selection.currentCountry != nullptr ? gGra->selection.currentCountry->id : 0;
}

std::wstring FleetName(const cJednostkaMorska& ship) { return ship.fleet != nullptr ? ship.fleet->name : std::wstring(); }

}  // namespace

cJednostkaMorska::cJednostkaMorska() { category = kCategoryNaval; }

void cJednostkaMorska::ChangeLevelClamped(int delta) {
  hitPoints = std::clamp(hitPoints + delta, 0, std::max(maxHitPoints, 0));
}

int cJednostkaMorska::GetDoctrine() const {
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return 0;
  return owner->techLevels[type == kTypeSubmarine ? naval_values::kSubmarineTech : naval_values::kNavyTech];
}

// ---- fleets ----------------------------------------------------------------------

void cJednostkaMorska::JoinFleetAt(int nodeId, bool joinMoved, uint8_t newFleetMoved) {
  sFlota* fleetThere = nullptr;
  for (sFlota* f : gGra->fleets)
    if (f->countryId == countryId && f->seaNode == nodeId && (joinMoved || !f->hasMoved)) fleetThere = f;
  if (fleetThere == nullptr) {
    fleetThere = new sFlota();
    fleetThere->id = ++gGra->nextFleetNumber;
    fleetThere->countryId = countryId;
    fleetThere->seaNode = nodeId;
    fleetThere->SetName(DefaultFleetName(fleetThere->id));
    fleetThere->hasMoved = newFleetMoved;
    gGra->fleets.push_back(fleetThere);
  }
  fleetThere->ships.push_back(this);
  fleet = fleetThere;

  std::erase(gGra->navalReserve, this);
  if (std::find(gGra->navalUnits.begin(), gGra->navalUnits.end(), this) == gGra->navalUnits.end())
    gGra->navalUnits.push_back(this);
  inReserve = 0;
}

void cJednostkaMorska::AssignToSeaNode(int nodeId) {
  if (gGra == nullptr) return;
  if (gGra->seaGraph.FindNode(nodeId) == nullptr) {
    LogF(L"WARNING: Could not find sea node with ID = %i while assigning ship %s (ID = %i)", nodeId, name.c_str(),
         unitId);
    return;
  }
  JoinFleetAt(nodeId, true, 1);
}

void cJednostkaMorska::DeployAtSeaNode(int nodeId) {
  if (gGra == nullptr) return;
  // A fleet on a node that does not exist could never be shown nor moved.
  if (gGra->seaGraph.FindNode(nodeId) == nullptr) {
    LogF(L"WARNING: Could not find sea node with ID = %i while deploying ship %s (ID = %i)", nodeId, name.c_str(),
         unitId);
    return;
  }
  JoinFleetAt(nodeId, false, 0);
  gGra->seaGraph.RecalculateNavalVisibility(countryId, false);
}

void cJednostkaMorska::Kill(bool killCargo) {
  if (gGra == nullptr) {
    delete this;
    return;
  }
  cGameLockGuard lock(__FILE__, __LINE__);
  LogLine(WFormat(Txt("killing_%s_naval_unit").c_str(), name.c_str()));
  if (gGra->GetState() == kStateSeaBattleScreen && x >= 0 && y >= 0) FrontEnd().ClearSeaBattleGridUnit(x, y);

  std::vector<sWezelGrafuMorz*> shownAt;
  for (sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    bool shown = false;
    if (node.friendlyShip == this) {
      node.friendlyShip = nullptr;
      shown = true;
    }
    if (node.enemyShip == this) {
      node.enemyShip = nullptr;
      shown = true;
    }
    if (shown) shownAt.push_back(&node);
  }

  if (cJednostkaLadowa* cargo = carriedUnit) {
    carriedUnit = nullptr;
    if (killCargo) {
      LogLine(WFormat(Txt("killing_%s_carried_by_transport/amph.").c_str(), cargo->name.c_str()));
      cargo->Kill();
    } else {
      cargo->transport = nullptr;
    }
  }

  const int node = fleet != nullptr ? fleet->seaNode : 0;
  if (fleet != nullptr) {
    if (fleet->ships.size() == 1 && fleet->ships.front() == this)
      fleet->Delete();
    else
      fleet->ships.remove(this);
    fleet = nullptr;
  }

  if (commander != nullptr) {
    // The commander goes back to headquarters and no longer stands with a ship.
    commander->state = 1;
    commander->unit = nullptr;
    commander = nullptr;
    if (sWezelGrafuMorz* former = gGra->seaGraph.FindNode(node)) former->AssignBestCommander(countryId);
  }

  gGra->navalUnits.remove(this);
  // A ship killed in the reserve pool leaves it too.
  std::erase(gGra->navalReserve, this);
  for (sWezelGrafuMorz* n : shownAt) n->PickDisplayedShips(true, true);
  delete this;
}

// ---- unloading -------------------------------------------------------------------

int cJednostkaMorska::UnloadTransport(int tx, int ty, int sx, int sy) {
  cJednostkaLadowa* u = carriedUnit;
  if (gGra == nullptr || u == nullptr) {
    LogLine(L"ERROR! Trying to unload non-existing unit from transport!");
    return 0;
  }
  sHex* target = GameHexAt(tx, ty);
  // Going ashore onto another unit would lose it from the map.
  if (target == nullptr || (target->unit != nullptr && target->unit != u)) {
    LogF(L"ERROR: Cannot unload land unit %s [ID %d] into hex %d, %d: off the map or taken", u->name.c_str(),
         u->unitId, tx, ty);
    return 0;
  }
  cPanstwo* owner = GetCountry();
  if (type == kTypeAmphibious) {
    LogF(L"Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] transported by "
         L"amphibious unit %s [ID %d]",
         tx, ty, u->name.c_str(), u->unitId, name.c_str(), unitId);
    gGra->amphibiousUnits.remove(u);
  } else if (type == kTypeCargo) {
    LogF(L"Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] transported by "
         L"cargo unit %s [ID %d]",
         tx, ty, u->name.c_str(), u->unitId, name.c_str(), unitId);
    if (owner != nullptr) owner->ChangeSTP(naval_values::SeaTransportCost(owner->consts, u->type));
    gGra->transportedUnits.remove(u);
  } else {
    LogLine(L"ERR: Trying to unload sea transport from sea unit of subtype of neither cargo nor amphibious! Details "
            L"below");
    FatalExit(WFormat(L"ERR: Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] "
                      L"transported by sea unit %s [ID %d] of subtype %d (INVALID SUBTYPE FOR THIS ACTION!)",
                      tx, ty, u->name.c_str(), u->unitId, name.c_str(), unitId, type));
  }

  u->SetActionPoints(0);
  const sHex* source = GameHexAt(sx, sy);
  if (source != nullptr && source->city != nullptr) u->SetSupplyLevel(source->city->GetSupplyFor(u->countryId));
  u->UpdateEffectiveness();
  u->x = tx;
  u->y = ty;
  u->SetSupplySourceX(sx);
  u->SetSupplySourceY(sy);
  u->transport = nullptr;
  target->unit = u;
  gGra->landUnits.push_back(u);

  const int seen = u->SpotUnitsInRange(false);
  carriedUnit = nullptr;
  return seen;
}

bool cJednostkaMorska::AiUnloadCarriedUnit(bool testOnly) {
  if (carriedUnit == nullptr) {
    LogLine(L"ERROR! Trying to unload non-existing unit from transport!");
    return false;
  }
  const sWezelGrafuMorz* node = fleet != nullptr ? fleet->GetSeaNode() : nullptr;
  cMapa* map = Map();
  if (node == nullptr || map == nullptr || !map->IsInside(node->mainX, node->mainY)) return false;
  const int c = CurrentCountryId();
  const int mx = node->mainX;
  const int my = node->mainY;
  auto usable = [&](const sHex& hex) { return hex.IsLand() && hex.IsFriendlyTo(c) && hex.unit == nullptr; };
  if (usable(*map->GetHex(mx, my))) {
    if (!testOnly) UnloadTransport(mx, my, mx, my);
    return true;
  }
  // A taken neighbour cannot take the unit either.
  for (int d = 0; d < 6; ++d) {
    if (!map->HasNeighbour(mx, my, d)) continue;
    int nx = 0, ny = 0;
    map->NeighbourCoords(mx, my, d, nx, ny);
    if (!usable(*map->GetHex(nx, ny))) continue;
    if (!testOnly) UnloadTransport(nx, ny, mx, my);
    return true;
  }
  return false;
}

int cJednostkaMorska::MarkUnloadHexes(bool mark) {
  cMapa* map = Map();
  const cPanstwo* owner = GetCountry();
  const sWezelGrafuMorz* node = fleet != nullptr ? fleet->GetSeaNode() : nullptr;
  if (map == nullptr || owner == nullptr) return 0;
  if (mark) map->ClearMarks(~0u, false);
  if (node == nullptr) return 0;
  int count = 0;
  auto take = [&](sHex& hex) {
    ++count;
    if (mark) hex.SetMark(kMarkPlacement, -1);
  };
  if (!node->IsPort()) {
    if (type != kTypeAmphibious) return 0;
    // The coast of the zone over the whole map, last column and row included.
    for (const sHexPoint& p : map->GetCoastalHexesOfZone(node->id)) {
      sHex& hex = *map->GetHex(p.x, p.y);
      if (!hex.IsLand() || !hex.coastal) continue;
      if (!owner->IsAtWarWith(hex.controller) && !owner->IsAtWarWith(hex.owner)) continue;
      if (hex.unit != nullptr && !owner->IsAtWarWith(hex.unit->countryId)) continue;
      take(hex);
    }
    return count;
  }
  auto consider = [&](int hx, int hy) {
    sHex* hex = GameHexAt(hx, hy);
    if (hex != nullptr && hex->IsLand() && hex->unit == nullptr && hex->IsFriendlyTo(countryId)) take(*hex);
  };
  consider(node->mainX, node->mainY);
  for (int d = 0; d < 6; ++d) {
    if (!map->HasNeighbour(node->mainX, node->mainY, d)) continue;
    int nx = 0, ny = 0;
    map->NeighbourCoords(node->mainX, node->mainY, d, nx, ny);
    consider(nx, ny);
  }
  return count;
}

int cJednostkaMorska::MarkMoveRange(bool mark) {
  cMapa* map = Map();
  const cPanstwo* owner = GetCountry();
  if (map == nullptr || owner == nullptr) return 0;
  if (mark) map->ClearMarks(~0u, false);
  const int need = naval_values::MinPortSize(owner->consts, type);
  int count = 0;
  for (const sWezelGrafuMorz& node : gGra->seaGraph.nodes) {
    if (!node.IsPort() || node.currentSize < need) continue;
    const sHex* main = GameHexAt(node.mainX, node.mainY);
    if (main == nullptr || main->controller != countryId) continue;
    ++count;
    if (sHex* hex = GameHexAt(node.playerUnitX, node.playerUnitY); mark && hex != nullptr)
      hex->SetMark(kMarkPlacement, -1);
  }
  return count;
}

// ---- combat ----------------------------------------------------------------------

bool cJednostkaMorska::Intercept(cUnit* interceptor, sWynikWalki& result) {
  return ResolveInterception(
      *this, interceptor, result,
      [this](const cUnit& fighter) { return hitPoints + unit_rules::NavalDoctrine(fighter); },
      [this](int loss) {
        const int before = hitPoints;
        ChangeLevelClamped(-loss);
        cJednostkaLotnicza::ApplyCarrierLevelFloor(*this);
        return before - hitPoints;
      },
      [this] { return hitPoints <= 0; }, false);
}

void cJednostkaMorska::Attack(sWynikWalki& result, cUnit* attacker, int) {
  if (attacker == nullptr) return;
  auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
  auto* carrier = attacker->type == kTypeCarrier ? dynamic_cast<cJednostkaMorska*>(attacker) : nullptr;
  // A carrier's planes strike with the share of its hit points it has left.
  float factor = 0.0f;
  if (air != nullptr)
    factor = air->GetCombatStrength();
  else if (carrier != nullptr && carrier->maxHitPoints > 0)
    factor = static_cast<float>(carrier->hitPoints) / static_cast<float>(carrier->maxHitPoints);

  result.attackerCountry = attacker->countryId;
  result.defenderCountry = countryId;
  const int before = hitPoints;
  const sConsts& c = ConstsOf(*this);

  ChangeLevelClamped(-1);
  result.defenderLosses += 1.0f;
  // Further hit points go one by one until the first failed roll; each
  // success costs a hit point, so the rolls end at the latest when it sinks.
  while (hitPoints >= 1 && RandomInRange(1, 100) <= naval_values::ExtraHitChance(c)) {
    ChangeLevelClamped(-1);
    result.defenderLosses += 1.0f;
  }
  if (hitPoints >= 1 && RandomInRange(1, 100) <= naval_values::SinkChance(c)) {
    result.defenderLosses += static_cast<float>(hitPoints);
    ChangeLevelClamped(-hitPoints);
  }
  result.defenderInfo += WFormat(L" - %s %s\n   (%s, %s)\n   Strength lost: %.2f", cJednostka::GetSubtypeName(type).c_str(),
                                 name.c_str(), FleetName(*this).c_str(), CountryName(*this).c_str(),
                                 static_cast<double>(before - hitPoints));

  // Counter-fire of the ship's guns, and of its own planes for a carrier.
  const int mine = unit_rules::NavalDoctrine(*this);
  const int theirs = std::max(unit_rules::NavalDoctrine(*attacker), 1);  // no division by zero
  const float ratio = static_cast<float>(mine) / static_cast<float>(theirs) + (type == kTypeCarrier ? 1.0f : 0.0f);
  const int chance = static_cast<int>(ratio * factor * static_cast<float>(hitPoints));
  if (RandomInRange(0, 100) >= chance) return;
  result.attackerInfo += WFormat(Txt("report_bombardment_naval_unit_attacker_losses_1_strength_point").c_str(),
                                 name.c_str(), cJednostka::GetSubtypeName(type).c_str(), FleetName(*this).c_str(),
                                 CountryName(*this).c_str());
  if (air != nullptr) {
    // As in an air fight, a commander who protects the unit cancels the loss.
    if (air->RollCommanderAirFightProtection()) return;
    air->strength -= 1;
    if (air->strength <= 0) {
      result.attackerInfo += Txt("report_unit_killed");
      result.attackerDestroyed |= 1;
    }
  } else if (carrier != nullptr) {
    carrier->ChangeLevelClamped(-1);
    if (carrier->hitPoints <= 0) {
      result.attackerInfo += Txt("report_unit_killed");
      result.attackerDestroyed |= 1;
    }
  }
}

bool cJednostkaMorska::SurpriseAttack(std::wstring& text) {
  text = Txt("wait...");
  const sConsts& c = ConstsOf(*this);
  int chance = 0;
  if (type == kTypeCarrier)
    chance = naval_values::CarrierSurprise(c);
  else if (type == kTypeSubmarine && fleet != nullptr && fleet->formation == 1)
    chance = naval_values::SubmarineSurprise(c);
  if (chance < 1 || gGra == nullptr || fleet == nullptr) return false;
  if (RandomInRange(1, 1000) > chance) {
    LogLine(WFormat(Txt("%s_tries_to_launch_a_surprise_attack._check_failed.").c_str(), name.c_str()));
    return false;
  }
  LogLine(WFormat(Txt("%s_tries_to_launch_a_surprise_attack._check_passed._searching_for_enemies...").c_str(),
                  name.c_str()));
  const cPanstwo* owner = GetCountry();
  std::vector<cJednostkaMorska*> candidates;
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (s->hitPoints > 0 && s->fleet != nullptr && s->fleet->seaNode == fleet->seaNode && owner != nullptr &&
        owner->IsAtWarWith(s->countryId))
      candidates.push_back(s);
  if (candidates.empty()) {
    LogLine(Txt("no_enemy_ships_present_in_sea_zone"));
    return false;
  }
  cJednostkaMorska* target = candidates[static_cast<size_t>(RandomIndex(static_cast<int>(candidates.size())))];
  LogLine(WFormat(Txt("target_chosen:_%s").c_str(), target->name.c_str()));

  const int hitChance = (GetDoctrine() * 5 + 15) * 2;
  const int damage = RollHit();
  const bool planes = type == kTypeCarrier;
  const char* key = nullptr;
  if (RandomInRange(1, 100) <= hitChance) {
    target->ChangeLevelClamped(-damage);
    if (target->hitPoints <= 0)
      key = planes ? "aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._target_was_destroyed!"
                   : "%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._target_was_destroyed!";
    else
      key = planes ? "aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._target_was_damaged."
                   : "%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._target_was_damaged.";
  } else {
    key = planes ? "aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._attack_failed."
                 : "%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._attack_failed.";
  }
  const std::wstring myCountry = CountryName(*this);
  const std::wstring theirCountry = CountryName(*target);
  const std::wstring message =
      WFormat(Txt(key).c_str(), name.c_str(), myCountry.c_str(), target->name.c_str(), theirCountry.c_str());
  const std::wstring report = WFormat(L"%s\n%s;%s\n%s;%s\nSurprise attack", message.c_str(), name.c_str(),
                                      myCountry.c_str(), target->name.c_str(), theirCountry.c_str());
  AddReport(18, countryId, report);
  if (target->countryId != countryId) AddReport(18, target->countryId, report);
  text = message;
  return true;
}

int cJednostkaMorska::RollAttackValue() const {
  const sConsts& c = ConstsOf(*this);
  return RandomInRange(naval_values::AttackLow(c, type), naval_values::AttackHigh(c, type));
}

float cJednostkaMorska::GetCombatValue() const {
  const sConsts& c = ConstsOf(*this);
  const int mean = (naval_values::AttackLow(c, type) + naval_values::AttackHigh(c, type)) / 2;
  return static_cast<float>(mean) * (0.5f + 0.1f * static_cast<float>(GetDoctrine() - 1));
}

int cJednostkaMorska::GetHitChance() const { return (GetDoctrine() + 3) * 10; }

int cJednostkaMorska::RollHit() const { return RandomInRange(0, 100) < (GetDoctrine() + 5) * 10 ? 1 : 0; }

void cJednostkaMorska::PrepareForBattleRound() {
  mayFire = 1;
  exchangeFlag = 0;
  if (type == kTypeCargo || type == kTypeAmphibious) mayFire = 0;
  if (type == kTypeCarrier && hitPoints <= naval_values::CarrierThreshold(ConstsOf(*this))) mayFire = 0;
}

// ---- reconnaissance -----------------------------------------------------------

void cJednostkaMorska::ReconSeaNode(int nodeId) {
  sWezelGrafuMorz* node = gGra != nullptr ? gGra->seaGraph.FindNode(nodeId) : nullptr;
  if (node == nullptr) return;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\AirRecon.wav");
  // Reconnaissance looks into ports as well.
  cPortConcealmentOff look;
  node->CalcNavalVisibilityFor(countryId, false);
  reconDone = 1;
}

void cJednostkaMorska::ReconHex(int hx, int hy) {
  if (Map() == nullptr || !Map()->IsInside(hx, hy)) return;
  if (IsFullySpotted()) FrontEnd().PlaySound(L"data\\sound\\AirRecon.wav");
  cPanstwo* owner = GetCountry();
  ReconAroundHex(hx, hy, owner != nullptr ? owner->techLevels[naval_values::kAircraftTech] : 0, owner);
  reconDone = 1;
}
