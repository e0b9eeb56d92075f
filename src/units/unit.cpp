// The operations common to every unit and to every unit that acts by
// action points.
#include "units/unit.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/saturate.h"
#include "core/string_table.h"
#include "core/text.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

// ---- cUnit ---------------------------------------------------------------

void cUnit::AssignBestCommander() {
  if (category == kCategoryNaval) {
    assignedCommanderId = -1;
    return;
  }
  // Off the map, or led by a commander of its own: the assignment stands.
  if (x < 0 || y < 0 || commander != nullptr || gGra == nullptr) return;
  const cPanstwo* owner = GetCountry();
  const int range = owner != nullptr ? owner->consts.c127[0] : 0;
  int bestScore = 0;
  int bestId = -1;
  for (const cJednostkaLadowa* u : gGra->landUnits) {
    if (u->countryId != countryId || u->commander == nullptr || u->commander->type != category) continue;
    const int d = HexDistance(x, y, u->x, u->y);
    if (d > range) continue;
    const int score = SaturatedInt(u->commander->GetBonusAtDistance(d) * 100.0f);
    if (score > bestScore) {
      bestScore = score;
      bestId = u->commander->id;
    }
  }
  assignedCommanderId = bestId;
}

bool cUnit::Intercept(cUnit*, sWynikWalki&) { return false; }

void cUnit::Attack(sWynikWalki&, cUnit*, int) {}

void cUnit::SetName(const std::wstring& text) { name = text.substr(0, kMaxNameLength); }

void cUnit::SetType(int code) {
  type = code;
  if ((code >= 0 && code <= 6) || code == kTypeMulberry) {
    category = kCategoryLand;
  } else if (code >= kTypeFighter && code <= kTypeStrategicBomber) {
    category = kCategoryAir;
  } else if (code >= kTypeCarrier && code <= kTypeAmphibious) {
    category = kCategoryNaval;
  } else {
    const std::wstring line = WFormat(L"DBGINF: Unknown unit type (%d) for unit %s (ID=%d)", code, name.c_str(), unitId);
    LogLine(line);
    FrontEnd().MessageBox(line, L"DBG WARNING", eMessageBoxIcon::kWarning);
  }
}

cPanstwo* cUnit::GetCountry() const { return gGra != nullptr ? gGra->GetCountry(countryId) : nullptr; }

void cUnit::Teleport(int newX, int newY) {
  // Only units that stand on hexes can be put on one; ships stand in fleets.
  auto* self = dynamic_cast<cJednostka*>(this);
  if (self == nullptr || gGra == nullptr || gGra->map == nullptr) return;
  cMapa* map = gGra->map;
  if (!map->IsInside(newX, newY) || map->GetHex(newX, newY)->unit != nullptr) return;
  if (map->IsInside(x, y) && map->GetHex(x, y)->unit == self) map->GetHex(x, y)->unit = nullptr;
  x = newX;
  y = newY;
  map->GetHex(newX, newY)->unit = self;
}

// ---- cJednostka ----------------------------------------------------------

int cJednostka::SetSupplySourceX(int value) { return supplySourceX = value; }

int cJednostka::SetSupplySourceY(int value) { return supplySourceY = value; }

int cJednostka::SetSupplyLevel(int value) { return supply = value; }

int cJednostka::AddActionPoints(int amount) {
  actionPoints += amount;
  return amount;
}

int cJednostka::SetStartingActionPoints(int value) { return startingActionPoints = value; }

void cJednostka::ChangeLevel(int delta) {
  if (level + delta <= 0) return;
  level += delta;
  UpdateEffectiveness();
}

sDowodca* cJednostka::GetAssignedCommander() const {
  return gGra != nullptr ? gGra->GetCommander(assignedCommanderId) : nullptr;
}

void cJednostka::SetAssignedCommander(const sDowodca* c) { assignedCommanderId = c != nullptr ? c->id : -1; }

int cJednostka::DistanceToCommander() const {
  const sDowodca* c = commander != nullptr ? commander : GetAssignedCommander();
  if (c == nullptr || c->unit == nullptr) return 100;
  return HexDistance(x, y, c->unit->x, c->unit->y);
}

float cJednostka::GetAssignedCommanderBonus() const {
  const sDowodca* c = GetAssignedCommander();
  if (c == nullptr || c->unit == nullptr) return 0.0f;
  return c->GetBonusAtDistance(HexDistance(x, y, c->unit->x, c->unit->y));
}

float cJednostka::GetCommandFactor() const {
  if (commander != nullptr || assignedCommanderId < 1) return 1.0f;
  const cPanstwo* owner = GetCountry();
  if (owner == nullptr) return 1.0f;
  // One hex at the least: a commander's own unit never shares a hex.
  const int distance = std::max(DistanceToCommander(), 1);
  return static_cast<float>(owner->consts.c127[1]) / static_cast<float>(distance);
}

std::wstring cJednostka::GetSubtypeName(int unitType) {
  const char* key = nullptr;
  switch (unitType) {
    case 0: case 1: key = "unit_subtype_infantry_size_%i"; break;
    case 2: case 3: key = "unit_subtype_mechanized_size_%i"; break;
    case 4: case 5: key = "unit_subtype_armoured_size_%i"; break;
    case kTypeAirborne: key = "unit_subtype_airborne_size_%i"; break;
    case kTypeFighter: return Txt("unit_subtype_air_fighter");
    case kTypeTacticalBomber: return Txt("unit_subtype_tactical_bomber");
    case kTypeStrategicBomber: return Txt("unit_subtype_strategic_bomber");
    case kTypeCarrier: return Txt("unit_subtype_aircraft_carrier");
    case kTypeBattleship: return Txt("unit_subtype_battleship");
    case kTypeCruiser: return Txt("unit_subtype_cruiser");
    case kTypeSubmarine: return Txt("unit_subtype_submarine");
    case kTypeCargo: return Txt("unit_subtype_cargo");
    case kTypeAmphibious: return Txt("unit_subtype_amphibious");
    default: return Txt("unit_subtype_unknown");
  }
  // Even codes and the airborne type are small units, odd codes large ones.
  const bool large = unitType % 2 == 1;
  int size = large ? 1 : 0;
  if (gGra != nullptr) size = large ? gGra->largeUnitSize : gGra->smallUnitSize;
  return WFormat(Txt(key).c_str(), size + 1);
}
