// The computer player's operational planning: every own land unit gets an
// order for this impulse (garrison a city, attack, defend, go to a front),
// and idle units get the nearest enemy city.
#include <algorithm>
#include <climits>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/random.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/strategic_moves.h"

namespace {

constexpr int kClassSmall = 0;
constexpr int kClassLarge = 1;
// The attack value a city starts with before any candidate is weighed.
constexpr float kNoAttackValue = 1000000000.0f;

// The size class of a land type sent to garrisons; -1 for types never sent.
int SizeClassOfType(int type) {
  switch (type) {
    case 0:
    case 2:
    case 4:
      return kClassSmall;
    case 1:
    case 3:
    case 5:
      return kClassLarge;
    default:
      return -1;
  }
}

bool IsFriend(const cPanstwo& country, int other) { return other == country.id || country.IsAlly(other); }

bool AtWarWith(const cPanstwo& country, int other) {
  return other > 0 && gGra->relations.IsAtWar(country.id, other);
}

void ClearOrder(cJednostkaLadowa* u, int order) {
  u->aiOrder = order;
  u->aiTargetX = u->aiTargetY = -1;
  u->aiUltimateTargetX = u->aiUltimateTargetY = -1;
}

// The land neighbours of a city's node in the node's list order.
std::vector<cMiasto*> LandNeighbours(const cMiasto* city) {
  std::vector<cMiasto*> out;
  const sWezelDiagramuMiast* node = gGra->citiesDiagram.NodeOf(city);
  if (node == nullptr) return out;
  const auto& nodes = gGra->citiesDiagram.nodes;
  for (const sSasiadDiagramu& link : node->links) {
    if (link.kind != kDiagramLinkLand || link.target < 0 || static_cast<size_t>(link.target) >= nodes.size()) continue;
    cMiasto* c = nodes[static_cast<size_t>(link.target)].city;
    if (c != nullptr) out.push_back(c);
  }
  return out;
}

// A garrison candidate: the unit with its hops from the city and its hex
// distance to it.
struct sCandidate {
  cJednostkaLadowa* unit = nullptr;
  int hops = 0;
  int distance = 0;
};

// Fewer hops, or the same hops and not farther.
bool IsNearer(const sCandidate& a, const sCandidate& b) {
  return a.hops < b.hops || (a.hops == b.hops && a.distance <= b.distance);
}

}  // namespace

// ---- planning --------------------------------------------------------------

void cAI::AssignOperationalOrders() {
  NoteAiPhase("AssignOperationalOrders");
  LogLine(L"bu bu 1");
  LogLine(L"bu bu 2");
  LogLine(L"bu bu 3");
  if (gGra == nullptr || country == nullptr) return;
  ResetCityAiValues();
  BuildUnitLists();
  // An obvious move of this impulse keeps its city as a temporary garrison.
  for (cJednostkaLadowa* u : ownLandUnits) {
    if (u->aiOrder == 7)
      u->aiOrder = 2;
    else
      ClearOrder(u, 0);
  }
  std::list<sGarrisonEntry> entries;
  BuildGarrisonList(entries);
  AssignGarrisons(entries);
  LogLine(L"bu bu 6");
  for (cJednostkaLadowa* u : ownLandUnits)
    if (u->aiOrder == 0) AssignFrontTask(u);
  LogLine(L"bu bu 7");
}

void cAI::BuildGarrisonList(std::list<sGarrisonEntry>& out) const {
  out.clear();
  if (gGra == nullptr || country == nullptr) return;
  const int self = country->id;
  const auto& extra = country->ai.extraCitiesToGarrison;
  for (cMiasto* c : gGra->cities) {
    if (c->type == kCityResources) continue;
    const bool controls = c->GetController() == self;
    const bool home = c->GetOriginalOwner() == self;
    int size = -1;
    if (controls && home && (c->type == kCitySupply || c->type == kCitySupplyPort))
      size = kClassLarge;
    else if (controls && (IsCityOnFrontInState(c, 1) || IsCityOnFrontInState(c, 2)))
      size = kClassLarge;
    else if (controls && (c->type == kCitySupplyPort || c->type == kCityPort))
      size = kClassSmall;
    else if (controls && !home && c->victoryPoints > 0)
      size = kClassSmall;
    else if (controls && IsCityOnFrontInState(c, 0))
      size = kClassSmall;
    else if (std::find(extra.begin(), extra.end(), c) != extra.end())
      size = kClassSmall;
    if (size < 0) continue;
    sGarrisonEntry e;
    e.city = c;
    e.sizeClass = size;
    out.push_back(e);
  }
}

void cAI::AssignGarrisons(std::list<sGarrisonEntry>& entries) {
  LogLine(L"bu bu 4");
  const int self = country->id;
  for (sGarrisonEntry& e : entries) {
    const sHex* hex = e.city->GetHex();
    auto* u = hex != nullptr && hex->unit != nullptr && hex->unit->category == kCategoryLand
                  ? static_cast<cJednostkaLadowa*>(hex->unit)
                  : nullptr;
    if (u == nullptr || u->countryId != self) continue;
    const int cls = u->IsLargeUnit() ? kClassLarge : kClassSmall;
    if (cls == e.sizeClass) {
      u->ExecuteOrder(1, e.city->x, e.city->y, 0);
      e.garrisoned = 1;
    } else {
      u->ExecuteOrder(2, e.city->x, e.city->y, 0);
      e.held = 1;
    }
  }
  entries.remove_if([](const sGarrisonEntry& e) { return e.garrisoned != 0; });

  LogLine(L"bu bu 5");
  for (sGarrisonEntry& e : entries) {
    cMiasto* city = e.city;
    sCandidate best[2];
    for (cJednostkaLadowa* u : ownLandUnits) {
      if (u->aiOrder != 0) continue;
      const int cls = SizeClassOfType(u->type);
      if (cls < 0) continue;
      const cMiasto* region = u->GetRegionCity();
      if (region == nullptr || !CanMoveStrategicallyTo(*u, *city)) continue;
      const int hops = city->GetHopsTo(*region);
      if (hops == -1) continue;
      const sCandidate c{u, hops, HexDistance(u->x, u->y, city->x, city->y)};
      sCandidate& b = best[cls];
      // Strictly better only: the earlier unit keeps a tie.
      if (b.unit == nullptr || c.hops < b.hops || (c.hops == b.hops && c.distance < b.distance)) b = c;
    }
    const sCandidate& small = best[kClassSmall];
    const sCandidate& large = best[kClassLarge];
    auto send = [&](const sCandidate& c, int order) { c.unit->ExecuteOrder(order, city->x, city->y, c.hops); };
    // The unit sent may not make it this impulse: the other one holds the
    // city meanwhile, unless somebody already does.
    auto relieve = [&](const sCandidate& sent, const sCandidate& other) {
      sent.unit->MarkAttackTargets(true);
      if (!sent.unit->IsHexInMoveRange(city->x, city->y) && e.held == 0) send(other, 2);
    };
    if (small.unit == nullptr && large.unit == nullptr) continue;
    if (small.unit == nullptr) {
      send(large, 1);
    } else if (large.unit == nullptr) {
      send(small, 1);
    } else if (e.sizeClass == kClassLarge) {
      send(large, 1);
      if (!IsNearer(large, small)) relieve(large, small);
    } else {
      send(small, 1);
      if (!IsNearer(small, large)) relieve(small, large);
    }
  }
}

void cAI::AssignFrontTask(cJednostkaLadowa* u) {
  cMiasto* region = u->GetRegionCity();
  if (region == nullptr) {
    LogF(L"ERROR: Jednostka %s nieprzyporz\u0105dkowana do \u017cadnego przypadku!", u->name.c_str());
    return;
  }
  if (IsCityOnFrontInState(region, 0)) {
    // Attack the enemy city against which the least strength was sent.
    float best = kNoAttackValue;
    cMiasto* chosen = nullptr;
    std::vector<cMiasto*> candidates = LandNeighbours(region);
    candidates.push_back(region);
    for (cMiasto* c : candidates) {
      if (c->aiMayBeAttacked == 0 || !AtWarWith(*country, c->GetController())) continue;
      const sWezelDiagramuMiast* node = gGra->citiesDiagram.NodeOf(c);
      const int ownUnits = node != nullptr ? node->ownUnitCount : 0;
      if (ownUnits > country->ai.maxUnitCountOnFront || !(c->aiWorkValue < best)) continue;
      u->aiOrder = 4;
      u->aiTargetX = c->x;
      u->aiTargetY = c->y;
      best = c->aiWorkValue;
      chosen = c;
    }
    if (chosen != nullptr)
      chosen->aiWorkValue += u->GetCombatStrength();
    else
      u->aiOrder = 8;
    return;
  }
  if (IsCityOnFrontInState(region, 1) || IsCityOnFrontInState(region, 2)) {
    int bestDistance = INT_MAX;
    for (cMiasto* c : LandNeighbours(region)) {
      const int d = HexDistance(u->x, u->y, c->x, c->y);
      if (!IsFriend(*country, c->GetController()) || d > bestDistance || !IsCityOnAnyFront(c)) continue;
      u->ExecuteOrder(5, c->x, c->y, 0);
      bestDistance = d;
    }
    if (HexDistance(u->x, u->y, region->x, region->y) < bestDistance && IsFriend(*country, region->GetController()))
      u->ExecuteOrder(5, region->x, region->y, 0);
    return;
  }
  if (!IsCityOnAnyFront(region)) {
    if (cMiasto* c = ChooseFrontCityForUnit(u))
      u->ExecuteOrder(6, c->x, c->y, region->GetHopsTo(*c));
    else
      u->ExecuteOrder(3, -1, -1, -1);
  }
}

// ---- idle units --------------------------------------------------------------

cMiasto* cAI::FindEnemyCityNear(int x, int y, const cPanstwo& of, int radius) const {
  if (gGra == nullptr || gGra->map == nullptr || !gGra->map->IsInside(x, y)) return nullptr;
  cMapa& map = *gGra->map;
  // The walk grows behind its reader: ring by ring, each hex once.
  std::vector<uint8_t> seen(static_cast<size_t>(map.width) * static_cast<size_t>(map.height), 0);
  std::vector<sHex*> walk;
  walk.push_back(map.GetHex(x, y));
  seen[static_cast<size_t>(y) * static_cast<size_t>(map.width) + static_cast<size_t>(x)] = 1;
  cMiasto* resource = nullptr;
  for (size_t i = 0; i < walk.size(); ++i) {
    const sHex* h = walk[i];
    if (h->city != nullptr && of.IsAtWarWith(h->city->GetController())) {
      if (h->city->type != kCityResources) return h->city;
      if (resource == nullptr) resource = h->city;
    }
    const int distance = HexDistance(x, y, h->x, h->y);
    if (distance >= radius) continue;
    for (int d = 0; d < 6; ++d) {
      if (!map.HasNeighbour(h->x, h->y, d)) continue;
      sHex* n = map.GetNeighbourHex(h->x, h->y, d);
      if (n == nullptr || HexDistance(x, y, n->x, n->y) <= distance) continue;
      uint8_t& mark = seen[static_cast<size_t>(n->y) * static_cast<size_t>(map.width) + static_cast<size_t>(n->x)];
      if (mark != 0) continue;
      mark = 1;
      walk.push_back(n);
    }
  }
  return resource;
}

bool cAI::FindOperationalTarget(cJednostkaLadowa* unit, int& x, int& y) {
  x = -1;
  y = -1;
  if (unit == nullptr || country == nullptr) return false;
  const cMiasto* c = FindEnemyCityNear(unit->x, unit->y, *country, country->consts.aiIdleSearchRadius);
  if (c == nullptr) return false;
  x = c->x;
  y = c->y;
  return true;
}
