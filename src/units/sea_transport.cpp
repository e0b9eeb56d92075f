// Land units at sea: embarking on a new transport or amphibious ship, going
// back aboard after a game is loaded, and the assault from an amphibious ship
// onto a coastal hex.
#include "units/sea_transport.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/land_combat.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/city.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/sea_graph.h"

namespace {

AmphibiousCombatFn gAmphibiousCombat = &ResolveSingleAttack;

bool IsFriendlyPort(const sHex* hex, int country) {
  return hex != nullptr && hex->city != nullptr && hex->city->IsPort() && hex->IsFriendlyTo(country);
}

std::list<cJednostkaLadowa*>& CarriedList(int shipType) {
  return shipType == kTypeCargo ? gGra->transportedUnits : gGra->amphibiousUnits;
}

// The string base's name of a sea node, its own name when it has none there.
std::wstring TranslatedNodeName(const std::wstring& name) {
  const std::wstring& text = Txt(WideToUtf8(name));
  return text.empty() ? name : text;
}

}  // namespace

void SetAmphibiousCombat(AmphibiousCombatFn fn) { gAmphibiousCombat = fn != nullptr ? fn : &ResolveSingleAttack; }

bool cJednostkaLadowa::FindEmbarkPort(int& outX, int& outY) const {
  outX = -1;
  outY = -1;
  cMapa* map = gGra != nullptr ? gGra->map : nullptr;
  if (map == nullptr || !map->IsInside(x, y)) return false;
  if (IsFriendlyPort(map->GetHex(x, y), countryId)) {
    outX = x;
    outY = y;
    return true;
  }
  for (int d = 0; d < 6; ++d) {
    if (!map->HasNeighbour(x, y, d)) continue;
    int nx = 0, ny = 0;
    map->NeighbourCoords(x, y, d, nx, ny);
    if (!IsFriendlyPort(map->GetHex(nx, ny), countryId)) continue;
    outX = nx;
    outY = ny;
    return true;
  }
  return false;
}

sFlota* cJednostkaLadowa::LoadOntoFleet(int shipType, int seaNodeId, int order) {
  if (gGra == nullptr) return nullptr;
  if (shipType != kTypeCargo && shipType != kTypeAmphibious) {
    LogF(L"WARNING: %s cannot embark on a ship of type %i", name.c_str(), shipType);
    return nullptr;
  }
  // A fleet on a node that does not exist could never be shown nor moved.
  if (gGra->seaGraph.FindNode(seaNodeId) == nullptr) {
    LogF(L"WARNING: Could not find sea node with ID = %i while loading %s onto a ship", seaNodeId, name.c_str());
    return nullptr;
  }
  cGameLockGuard lock(__FILE__, __LINE__);
  LogLine(WFormat(Txt("loading_%s_onto_transport/amphibious_fleet...").c_str(), name.c_str()));
  cPanstwo* owner = GetCountry();
  if (owner != nullptr) {
    if (shipType == kTypeCargo)
      owner->ChangeSTP(-naval_values::SeaTransportCost(owner->consts, type));
    else
      owner->ChangeAIP(-naval_values::AmphibiousCost(owner->consts, type));
  }
  inReserve = 0;
  spottedLevel = 0;

  auto* ship = new cJednostkaMorska();
  ship->unitId = gGra->NextNavalUnitId();
  ship->countryId = countryId;
  ship->carriedUnit = this;
  ship->inReserve = 0;
  ship->transferMark = 0;
  ship->shoreBombardmentDone = 0;
  ship->airstrikeDone = 0;
  ship->reconDone = 0;
  ship->canBeRepaired = 1;
  ship->availableInTurns = 0;
  ship->commander = nullptr;
  ship->assignedCommanderId = -1;
  ship->SetType(shipType);
  ship->hitPoints = ship->maxHitPoints = naval_values::ShipHitPoints(unit_rules::ConstsOf(*this), shipType);
  const wchar_t* part = owner != nullptr ? owner->GetNamePart(shipType) : nullptr;
  ship->SetName(WFormat(L"#%i %s %s", ship->unitId, name.c_str(), part != nullptr ? part : L""));
  gGra->navalUnits.push_back(ship);

  LogLine(L"Loading unit: new fleet will be created");
  auto* fleet = new sFlota();
  fleet->id = ++gGra->nextFleetNumber;
  fleet->countryId = countryId;
  fleet->seaNode = seaNodeId;
  fleet->formation = 0;
  fleet->SetName(WFormat(Txt(shipType == kTypeCargo ? "fleet_transporter_#%i" : "fleet_amphibious_#%i").c_str(),
                         fleet->id));
  fleet->hasMoved = 1;
  fleet->ships.push_back(ship);
  fleet->order = order;
  ship->fleet = fleet;
  gGra->fleets.push_back(fleet);

  if (sHex* hex = GameHexAt(x, y); hex != nullptr && hex->unit == this) hex->unit = nullptr;
  x = -1;
  y = -1;
  transport = ship;
  gGra->landUnits.remove(this);
  CarriedList(shipType).push_back(this);
  return fleet;
}

void cJednostkaLadowa::LoadIntoTransportById() {
  if (gGra == nullptr) return;
  cJednostkaMorska* ship = gGra->FindNavalUnitById(transportShipId);
  // The saved game links the unit to a ship it does not hold: the unit
  // could neither be shown nor put ashore.
  if (ship == nullptr)
    FatalExit(WFormat(L"ERROR: land unit %s [ID %i] is supposed to be loaded into naval unit ID %i, which does not "
                      L"exist. Data integrity error! Game terminated.",
                      name.c_str(), unitId, transportShipId));
  LogLine(WFormat(Txt("loading_%s_into_%s").c_str(), name.c_str(), ship->name.c_str()));
  if (ship->type != kTypeCargo && ship->type != kTypeAmphibious) {
    LogLine(WFormat(Txt("%s_is_supposed_to_be_loaded_into_%s").c_str(), name.c_str(), ship->name.c_str()));
    FatalExit(Txt("but_this_isn't_transport_or_amphib._fleet._data_integrity_error!_game_terminated."));
  }
  // One ship carries one unit; a second would be lost aboard.
  if (ship->carriedUnit != nullptr && ship->carriedUnit != this)
    FatalExit(WFormat(L"ERROR: land unit %s [ID %i] and %s [ID %i] are both loaded into naval unit %s [ID %i]. Data "
                      L"integrity error! Game terminated.",
                      ship->carriedUnit->name.c_str(), ship->carriedUnit->unitId, name.c_str(), unitId,
                      ship->name.c_str(), ship->unitId));
  ship->carriedUnit = this;
  transport = ship;
  inReserve = 0;
  if (sHex* hex = GameHexAt(x, y); hex != nullptr && hex->unit == this) hex->unit = nullptr;
  x = -1;
  y = -1;
  spottedLevel = 0;
  // A unit aboard is on the carried list alone.
  gGra->landUnits.remove(this);
  std::list<cJednostkaLadowa*>& carried = CarriedList(ship->type);
  if (std::find(carried.begin(), carried.end(), this) == carried.end()) carried.push_back(this);
}

void cJednostkaLadowa::AmphibiousAssault(int hx, int hy) { AssaultFromSea(hx, hy, false); }

void cJednostkaLadowa::AiAmphibiousAssault(int hx, int hy) { AssaultFromSea(hx, hy, true); }

void cJednostkaLadowa::AssaultFromSea(int hx, int hy, bool ai) {
  if (gGra == nullptr) return;
  sHex* hex = GameHexAt(hx, hy);
  // A land unit put on a sea hex or off the map would be lost to the game.
  if (hex == nullptr || hex->IsSea() || transport == nullptr) {
    LogF(L"ERROR: %s cannot assault hex (%i, %i) from the sea: %s", name.c_str(), hx, hy,
         transport == nullptr ? L"the unit is not aboard a ship" : L"no land hex of the map");
    return;
  }
  if (ai) LogLine(WFormat(Txt("ai_unloading_amphib_unit_%s_to_hex_(%i,_%i)").c_str(), name.c_str(), hx, hy));

  // 1-3. Off the ship, which sinks without its cargo, and in plain sight.
  sWynikWalki result;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    CarriedList(transport->type).remove(this);
    gGra->landUnits.push_back(this);
  }
  transport->Kill(false);
  transport = nullptr;
  if (ai) UpdateSpottedByCountry(gGra->seaGraph.viewingCountry);
  spottedLevel = 6;
  if (ai) {
    PauseFor(DELAY_AI_MOVE_BEFORE);
    FrontEnd().CenterMapOn(hx, hy);
    PauseFor(DELAY_AI_MOVE_AFTER);
  }

  cPanstwo* owner = GetCountry();
  const int ownerId = countryId;
  bool lands = false;

  if (hex->unit == nullptr) {
    // 4. An empty hex: the landing itself may cost strength.
    const float before = GetStrengthValue();
    if (!hex->IsHeldByFriendOf(ownerId)) {
      const int die = RandomInRange(1, 6);
      AddStrength(-naval_values::InvasionLoss(unit_rules::ConstsOf(*this), die));
    }
    const float after = std::max(GetStrengthValue(), 0.0f);
    lands = after >= 0.1f;
    const std::wstring text =
        WFormat(Txt(lands ? "invasion_no_enemy_success_unit_losses_strength" : "invasion_no_enemy_fail_unit_losses_strength")
                    .c_str(),
                static_cast<double>(before - after));
    if (!lands) Kill();
    if (!ai) {
      const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(hex->seaZone);
      const std::wstring nodeName = node != nullptr ? TranslatedNodeName(node->name) : std::wstring();
      FrontEnd().ShowTextDialog(text, WFormat(Txt("invasion_no_enemy_title").c_str(), nodeName.c_str()),
                                kMessageDialogLayout);
    }
  } else {
    // 5. A defender: a battle, and the beach decides between survivors.
    cJednostka* defender = hex->unit;
    const cPanstwo* defenderOwner = defender->GetCountry();
    if (owner == nullptr || !owner->IsAtWarWith(defender->countryId))
      FatalExit(L"Critical Error: Cannot assault with a friendly unit during the amphibious invasion!", 2);
    FrontEnd().PlaySound(L"data\\sound\\Invasion.wav");
    effectiveness =
        static_cast<int>(100.0f - naval_values::AmphibiousEffectivenessPenalty(owner->consts) * 100.0f);
    if (ai) {
      hex->SetMark(kMarkSelectedHex, -1);
      PauseFor(DELAY_AI_COMBAT_BEFORE);
    }
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      gAmphibiousCombat(this, hx, hy, result);
      // A destroyed side has been freed by the battle.
      if (result.attackerDestroyed & 1) {
        lands = false;
      } else if (result.defenderDestroyed & 1) {
        effectiveness = 100;
        lands = true;
      } else {
        const int factor = defenderOwner != nullptr ? naval_values::AmphibiousDefenceFactor(defenderOwner->consts) : 1;
        if (defender->GetCombatStrength() * static_cast<float>(factor) > GetCombatStrength()) {
          Kill();
          lands = false;
        } else {
          defender->Kill();
          lands = true;
        }
      }
    }
    if (ai) PauseFor(DELAY_AI_COMBAT_AFTER);
    const float delay = delayValues[DELAY_HUMAN_COMBAT_RESULT];
    if (delay != 0.0f) {
      FrontEndHandle dialog = 0;
      {
        cGameLockGuard lock(__FILE__, __LINE__);
        dialog = FrontEnd().ShowCombatResult(result, delay);
      }
      if (ai) FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
    }
  }

  // 6. Ashore with the supply of a unit fresh from the reserve.
  if (lands) {
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      SetSupplyLevel(owner != nullptr ? owner->consts.reserveSupplyLevel : 0);
      UpdateEffectiveness();
      transport = nullptr;
      x = hx;
      y = hy;
      hex->unit = this;
      hex->SetController(ownerId);
      ResetActionPoints();
    }
    SpotUnitsInRange(true);
    if (ai) PauseFor(DELAY_AI_MOVE_AFTER);
  }
  // 7.
  gGra->selection.ClearUnit();
}
