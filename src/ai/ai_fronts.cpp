// The computer player's view of the land war: strengths standing in each
// city's region, fronts where hostile regions touch, their rating, and the
// strategic moves that send units to fronts about to fall.
#include <algorithm>
#include <climits>
#include <deque>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/text.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/selection.h"
#include "world/strategic_moves.h"

namespace {

// The city of the unit's region; null when the hex belongs to none.
cMiasto* RegionCityOf(const cJednostka* unit) { return unit->GetRegionCity(); }

bool AtWar(int a, int b) { return a > 0 && b > 0 && gGra->relations.IsAtWar(a, b); }

// The country itself or an ally of it.
bool IsFriend(const cPanstwo& country, int other) { return other == country.id || country.IsAlly(other); }

}  // namespace

void cAI::ApplyDoNotAttackCities() {
  NoteAiPhase("ApplyDoNotAttackCities");
  if (gGra == nullptr) return;
  for (cMiasto* c : gGra->cities) c->aiMayBeAttacked = 1;
  if (country == nullptr) return;
  for (cMiasto* c : country->ai.doNotAttackCities)
    if (c != nullptr) c->aiMayBeAttacked = 0;
}

void cAI::PruneDeadUnits() {
  if (gGra == nullptr) return;
  // Killed units have left the game's lists; the pointers are compared, never followed.
  std::vector<const void*> live;
  live.reserve(gGra->landUnits.size() + gGra->airUnits.size() + gGra->navalUnits.size());
  for (auto* u : gGra->landUnits) live.push_back(u);
  for (auto* u : gGra->airUnits) live.push_back(u);
  for (auto* u : gGra->navalUnits) live.push_back(u);
  std::sort(live.begin(), live.end());
  auto dead = [&](const void* u) { return !std::binary_search(live.begin(), live.end(), u); };
  for (auto* list : {&ownLandUnits, &alliedLandUnits, &enemyLandUnits, &neutralLandUnits}) list->remove_if(dead);
  for (auto* list : {&ownAirUnits, &alliedAirUnits, &enemyAirUnits, &neutralAirUnits}) list->remove_if(dead);
  ownNavalUnits.remove_if(dead);
  reachableHexes.remove_if([&](const sAiReachableHex& e) { return dead(e.unit); });
  for (sAiFront& f : fronts) f.units.remove_if(dead);
}

void cAI::ComputeNodeStrengths() {
  NoteAiPhase("ComputeNodeStrengths");
  CountNodeStrengths();
}

void cAI::CountNodeStrengths() {
  if (gGra == nullptr) return;
  cDiagramMiast& diagram = gGra->citiesDiagram;
  diagram.ResetAiValues();
  auto nodeOf = [&](const cJednostka* u) -> sWezelDiagramuMiast* {
    cMiasto* city = RegionCityOf(u);
    return city != nullptr ? diagram.NodeOf(city) : nullptr;
  };
  for (cJednostkaLadowa* u : ownLandUnits) {
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) {
      LogF(L"Wlasna %s nie ma po\u0142\u0105czenia z zadnym miastem", u->name.c_str());
      continue;
    }
    const float s = u->GetCombatStrength();
    n->landStrengths[0] += s;
    n->landStrengths[1] += s;
    n->ownUnitCount += 1;
    LogF(L"Wlasna %s Wezel %s. Dod.sile %5.2f. Silawezla=%5.2f", u->name.c_str(), n->city->name.c_str(), s,
         n->landStrengths[1]);
  }
  // Of the land units only the own are logged one by one: every count of
  // every country's impulse going through every allied and enemy land unit
  // of the map made most of a whole game's log. The air units are few and
  // are all logged.
  for (cJednostkaLadowa* u : alliedLandUnits) {
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) continue;
    const float s = u->GetCombatStrength();
    n->landStrengths[0] += s;
  }
  for (cJednostkaLadowa* u : enemyLandUnits) {
    u->planningList.clear();
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) continue;
    const float s = u->GetCombatStrength();
    n->landStrengths[2] += s;
  }
  LogLine(L"==Lotnicze:");
  // Air values: counts ours, own, enemy at 0-2, strengths at 3-5.
  for (cJednostkaLotnicza* u : ownAirUnits) {
    if (u->type == 22) continue;
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) continue;
    n->airValues[0] += 1;
    n->airValues[1] += 1;
    n->ownUnitCount += 1;
    n->airValues[3] += static_cast<float>(u->strength);
    n->airValues[4] += static_cast<float>(u->strength);
    LogF(L"Wlasna %s Wezel %s. Dod.PS %i. Silawezla=%i", u->name.c_str(), n->city->name.c_str(), u->strength,
         static_cast<int>(n->airValues[4]));
  }
  for (cJednostkaLotnicza* u : alliedAirUnits) {
    if (u->type == 22) continue;
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) continue;
    n->airValues[0] += 1;
    n->airValues[3] += static_cast<float>(u->strength);
    LogF(L"Nasza %s Wezel %s. Dod.PS %i. Silawezla=%i", u->name.c_str(), n->city->name.c_str(), u->strength,
         static_cast<int>(n->airValues[3]));
  }
  for (cJednostkaLotnicza* u : enemyAirUnits) {
    if (u->type == 22) continue;
    u->planningList.clear();
    sWezelDiagramuMiast* n = nodeOf(u);
    if (n == nullptr) continue;
    n->airValues[2] += 1;
    n->airValues[5] += static_cast<float>(u->strength);
    LogF(L"Wroga %s Wezel %s. Dod.PS %i. Silawezla=%i", u->name.c_str(), n->city->name.c_str(), u->strength,
         static_cast<int>(n->airValues[5]));
  }
}

void cAI::UpdateFronts() {
  NoteAiPhase("UpdateFronts");
  BuildFronts();
}

void cAI::BuildFronts() {
  fronts.clear();
  if (gGra == nullptr || country == nullptr) return;
  std::vector<sWezelDiagramuMiast>& nodes = gGra->citiesDiagram.nodes;
  for (sWezelDiagramuMiast& n : nodes) n.assigned = 0;
  const int self = country->id;
  auto valid = [&](int32_t index) { return index >= 0 && static_cast<size_t>(index) < nodes.size(); };
  for (sWezelDiagramuMiast& start : nodes) {
    if (start.assigned != 0 || start.city == nullptr) continue;
    if (!IsFriend(*country, start.city->GetController())) continue;
    bool touches = false;
    for (const sSasiadDiagramu& link : start.links) {
      if (link.kind != kDiagramLinkLand || !valid(link.target)) continue;
      const sWezelDiagramuMiast& other = nodes[static_cast<size_t>(link.target)];
      if (other.assigned != 0 || other.city == nullptr) continue;
      if (AtWar(other.city->GetController(), self)) {
        touches = true;
        break;
      }
    }
    if (!touches) continue;
    sAiFront front;
    front.name = WFormat(L"Front miasta %s", start.city->name.c_str()).substr(0, 100);
    start.assigned = 1;
    front.nodes.push_back(&start);
    // Breadth first: the list grows behind the walk.
    for (auto it = front.nodes.begin(); it != front.nodes.end(); ++it) {
      sWezelDiagramuMiast* n = *it;
      const int held = n->city->GetController();
      for (const sSasiadDiagramu& link : n->links) {
        if (link.kind != kDiagramLinkLand || !valid(link.target)) continue;
        sWezelDiagramuMiast& other = nodes[static_cast<size_t>(link.target)];
        if (other.assigned != 0 || other.city == nullptr) continue;
        const int otherHeld = other.city->GetController();
        if (!AtWar(held, otherHeld)) continue;
        if (!IsFriend(*country, held) && !IsFriend(*country, otherHeld)) continue;
        other.assigned = 1;
        front.nodes.push_back(&other);
      }
    }
    fronts.push_back(std::move(front));
  }
  LogF(L"Kraj ID = %d (%s) zaktualizowal liste frontow do liczby %d", self, country->name.c_str(),
       static_cast<int>(fronts.size()));
}

void cAI::RateFronts() {
  NoteAiPhase("RateFronts");
  SumAndRateFronts();
}

void cAI::SumAndRateFronts() {
  for (sAiFront& f : fronts) {
    std::fill(std::begin(f.landStrengths), std::end(f.landStrengths), 0.0f);
    std::fill(std::begin(f.airValues), std::end(f.airValues), 0);
    for (const sWezelDiagramuMiast* n : f.nodes) {
      for (int i = 0; i < 3; ++i) f.landStrengths[i] += n->landStrengths[i];
      for (int i = 0; i < 6; ++i) f.airValues[i] += static_cast<int32_t>(n->airValues[i]);
    }
    const float ours = f.landStrengths[0];
    const float enemy = f.landStrengths[2];
    if (ours == 0.0f && enemy == 0.0f)
      f.ratio = 1.0f;
    else if (enemy == 0.0f)
      f.ratio = 99999.0f;
    else
      f.ratio = ours / enemy;
    f.state = f.ratio < 0.33f ? 2 : (f.ratio < 0.8f ? 1 : 0);
  }
  if (gGra == nullptr) return;
  for (cMiasto* c : gGra->cities) c->aiFrontState = 3;
  for (const sAiFront& f : fronts)
    for (const sWezelDiagramuMiast* n : f.nodes) n->city->aiFrontState = f.state;
}

void cAI::PrintFronts() const {
  for (const sAiFront& f : fronts) {
    LogF(L"FRONT: %s", f.name.c_str());
    LogF(L"Jedn lotn: Nasze=%i Wlasne=%i Wrogie=%i", f.airValues[0], f.airValues[1], f.airValues[2]);
    LogF(L"Sila lotn: Nasza=%i Wlasna=%i Wroga=%i", f.airValues[3], f.airValues[4], f.airValues[5]);
    LogF(L"Si\u0142a l\u0105dowa: Nasza=%.2f Wlasna=%.2f Wroga=%.2f", f.landStrengths[0], f.landStrengths[1],
         f.landStrengths[2]);
    LogF(L"Stan frontu = %i", f.state);
    LogLine(L"MIASTA FRONTOWE:");
    for (const sWezelDiagramuMiast* n : f.nodes) LogF(L"- %s", n->city->name.c_str());
  }
}

void cAI::SavePoorlyDefendedFronts() {
  NoteAiPhase("SavePoorlyDefendedFronts");
  if (gGra == nullptr || country == nullptr) return;
  // Stable: units of equal strength keep the order of the game's list.
  std::vector<cJednostkaLadowa*> sorted(ownLandUnits.begin(), ownLandUnits.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
    return a->GetCombatStrength() > b->GetCombatStrength();
  });
  ownLandUnits.assign(sorted.begin(), sorted.end());
  for (;;) {
    LogF(L"[AI] %ls: Saving poorly defended fronts", country->name.c_str());
    CountNodeStrengths();
    BuildFronts();
    SumAndRateFronts();
    LogLine(L".");
    PrintFronts();
    LogLine(L",");
    bool moved = false;
    for (sAiFront& f : fronts) {
      if (f.state != 2) continue;
      std::vector<sWezelDiagramuMiast*> nodes(f.nodes.begin(), f.nodes.end());
      std::stable_sort(nodes.begin(), nodes.end(), [](const sWezelDiagramuMiast* a, const sWezelDiagramuMiast* b) {
        return a->landStrengths[0] < b->landStrengths[0];
      });
      for (sWezelDiagramuMiast* n : nodes) {
        LogLine(L",,");
        for (cJednostkaLadowa* u : ownLandUnits) {
          cMiasto* region = RegionCityOf(u);
          if (region == nullptr) {
            LogLine(L"oj nieladnie");
            continue;
          }
          if (IsCityOnFrontInState(region, 2) || u->aiOrder == 2) continue;
          int x = -1;
          int y = -1;
          if (!u->AiTryStrategicMove(n->city, x, y)) continue;
          PrzeniesStrategicznieJednostke(*this, u, n->city, x, y);
          moved = true;
          break;
        }
        if (moved) break;
      }
      if (moved) break;
    }
    if (!moved) {
      LogLine(L"Cannot find other units. Ending saving poorly defended front procedure.");
      return;
    }
  }
}

void PrzeniesStrategicznieJednostke(cAI& ai, cJednostkaLadowa* unit, const cMiasto* city, int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr || unit == nullptr || !gGra->map->IsInside(x, y)) return;
  cPanstwo* owner = unit->GetCountry();
  LogLine(L"[AI] PrzeniesStrategicznieJednostke");
  LogF(L"[AI] %s: %s - strategic move to %s (%i SMP left)", ai.country != nullptr ? ai.country->name.c_str() : L"",
       unit->name.c_str(), city != nullptr ? city->name.c_str() : L"", owner != nullptr ? owner->strategicMovementPoints : 0);
  cMapa* map = gGra->map;
  if (unit->IsFullySpotted() && gGra->selection.showActions != 0) {
    map->CenterAtHex(unit->x, unit->y);
    PauseFor(DELAY_AI_MOVE_BEFORE);
    PauseFor(DELAY_AI_MOVE_BETWEEN);
    map->CenterAtHex(x, y);
    PauseFor(DELAY_AI_MOVE_BETWEEN);
  }
  // The player's strategic move: one body for both.
  unit->MoveStrategically(x, y);
  PauseFor(DELAY_AI_MOVE_AFTER);
}

bool cAI::IsCityOnFrontInState(const cMiasto* city, int state) const {
  for (const sAiFront& f : fronts) {
    if (f.state != state) continue;
    for (const sWezelDiagramuMiast* n : f.nodes)
      if (n->city == city) return true;
  }
  return false;
}

bool cAI::IsCityOnAnyFront(const cMiasto* city) const {
  for (const sAiFront& f : fronts)
    for (const sWezelDiagramuMiast* n : f.nodes)
      if (n->city == city) return true;
  return false;
}

bool cAI::GetFrontCityStrength(const cMiasto* city, int& value) const {
  for (const sAiFront& f : fronts)
    for (const sWezelDiagramuMiast* n : f.nodes)
      if (n->city == city) {
        value = static_cast<int>(n->landStrengths[0] + n->landStrengths[1]);
        return true;
      }
  value = -1;
  return false;
}

std::list<sWezelDiagramuMiast*> cAI::CollectFriendlyFrontCities(const sAiFront& front, int countryId) const {
  std::list<sWezelDiagramuMiast*> out;
  if (gGra == nullptr) return out;
  const cPanstwo* c = gGra->GetCountry(countryId);
  for (sWezelDiagramuMiast* n : front.nodes) {
    const int held = n->city->GetController();
    if (held == countryId || (c != nullptr && c->IsAlly(held))) out.push_back(n);
  }
  return out;
}

bool cAI::IsFrontHeldByOneBlockedCity(const sAiFront& front, int countryId) const {
  const std::list<sWezelDiagramuMiast*> friendly = CollectFriendlyFrontCities(front, countryId);
  return friendly.size() == 1 && friendly.front()->city->HasNoFreeNeighbourHex();
}

cMiasto* cAI::ChooseFrontCityForUnit(cJednostkaLadowa* unit) const {
  if (gGra == nullptr || country == nullptr || unit == nullptr) return nullptr;
  cMiasto* region = RegionCityOf(unit);
  if (region == nullptr) return nullptr;
  cMiasto* best = nullptr;
  int bestHops = INT_MAX;
  int bestDistance = INT_MAX;
  for (const sAiFront& f : fronts) {
    for (const sWezelDiagramuMiast* n : f.nodes) {
      cMiasto* city = n->city;
      if (!IsFriend(*country, city->GetController())) continue;
      bool counts = CanMoveStrategicallyTo(*unit, *city);
      for (size_t i = 0; !counts && i < n->links.size(); ++i) {
        const sSasiadDiagramu& link = n->links[i];
        if (link.kind != kDiagramLinkLand || link.target < 0 ||
            static_cast<size_t>(link.target) >= gGra->citiesDiagram.nodes.size())
          continue;
        const cMiasto* other = gGra->citiesDiagram.nodes[static_cast<size_t>(link.target)].city;
        counts = other != nullptr && IsFriend(*country, other->GetController()) && CanMoveStrategicallyTo(*unit, *other);
      }
      if (!counts) continue;
      int hops = region->GetHopsTo(*city);
      if (hops < 0) hops = INT_MAX - 1;
      const int distance = HexDistance(unit->x, unit->y, city->x, city->y);
      if (hops < bestHops || (hops == bestHops && distance < bestDistance)) {
        best = city;
        bestHops = hops;
        bestDistance = distance;
      }
    }
  }
  return best;
}

void cAI::ResetCityAiValues() {
  if (gGra == nullptr) return;
  for (cMiasto* c : gGra->cities) c->aiWorkValue = 0.0f;
}

bool cAI::HasUnitWithOrder3() const {
  return std::any_of(ownLandUnits.begin(), ownLandUnits.end(), [](const cJednostkaLadowa* u) { return u->aiOrder == 3; });
}

bool cAI::TryStrategicMoveToCity(cJednostkaLadowa* unit, int x, int y, int minimumHops) {
  if (x == -1 || y == -1 || unit == nullptr || gGra == nullptr || gGra->map == nullptr) return false;
  if (!gGra->map->IsInside(x, y) || unit->freezeTime > 0) return false;
  const int hops = unit->GetHopsToCity(x, y);
  if (hops == -1 || hops < minimumHops) return false;
  const cMiasto* city = gGra->map->GetHex(x, y)->city;
  int tx = -1;
  int ty = -1;
  if (city == nullptr || !unit->AiTryStrategicMove(city, tx, ty)) return false;
  PrzeniesStrategicznieJednostke(*this, unit, city, tx, ty);
  return true;
}
