#include "world/city.h"

#include <algorithm>
#include <bit>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/game.h"

namespace {

float CountryAirSuperiority(const cPanstwo& country, int x, int y) { return country.GetAirSuperiorityRatio(x, y); }

AirSuperiorityRatioFn gAirSuperiorityRatio = &CountryAirSuperiority;

cMapa* Map() { return gGra != nullptr ? gGra->map : nullptr; }

// The neighbours of a hex that lie on the map, in direction order.
template <typename Fn>
void ForEachNeighbour(int x, int y, Fn fn) {
  cMapa* map = Map();
  if (map == nullptr) return;
  for (int d = 0; d < 6; ++d) {
    if (!map->HasNeighbour(x, y, d)) continue;
    if (!fn(*map->GetNeighbourHex(x, y, d))) return;
  }
}

// The country itself or one of its allies.
bool IsCountryOrAlly(int country, int other) {
  if (country < 1 || other < 1) return false;
  if (other == country) return true;
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(country) : nullptr;
  return c != nullptr && c->IsAlly(other);
}

}  // namespace

void SetAirSuperiorityRatioSource(AirSuperiorityRatioFn fn) {
  gAirSuperiorityRatio = fn != nullptr ? fn : &CountryAirSuperiority;
}

float AirSuperiorityRatio(const cPanstwo& country, int x, int y) { return gAirSuperiorityRatio(country, x, y); }

// ---- record --------------------------------------------------------------

cMiasto::cMiasto(const cMiasto& o)
    : x(o.x),
      y(o.y),
      name(o.name),
      type(o.type),
      victoryPoints(o.victoryPoints),
      productionPoints(o.productionPoints),
      supply(o.supply),
      bombardmentLosses(o.bombardmentLosses),
      diagramIndex(o.diagramIndex) {}

std::wstring cMiasto::GetTypeName() const {
  switch (type) {
    case kCitySupply: return Txt("city_type_regular_supply");
    case kCityRegular: return Txt("city_type_regular");
    case kCitySupplyPort: return Txt("city_type_port_supply");
    case kCityPort: return Txt("city_type_port");
    case kCityResources: return Txt("city_type_resources");
    default: return Txt("error:_city_of_unknown_type!");
  }
}

sHex* cMiasto::GetHex() const {
  cMapa* map = Map();
  if (map == nullptr || !map->IsInside(x, y)) return nullptr;
  return map->GetHex(x, y);
}

int cMiasto::GetController() const {
  const sHex* hex = GetHex();
  return hex != nullptr ? hex->controller : 0;
}

int cMiasto::GetOwner() const {
  const sHex* hex = GetHex();
  return hex != nullptr ? hex->owner : 0;
}

int cMiasto::GetOriginalOwner() const {
  const sHex* hex = GetHex();
  return hex != nullptr ? hex->originalOwner : 0;
}

int cMiasto::GetSeaNode() const {
  // The sea graph stamps each node's id on its main hex, the city hex of a port.
  const sHex* hex = GetHex();
  const int id = hex != nullptr ? hex->seaNodeMarker : 0;
  if (id == 0 || gGra->seaGraph.FindNode(id) == nullptr)
    FatalExit(WFormat(L"ERROR! Cannot find sea node for city %s (%i,%i). City type=%i", name.c_str(), x, y, type));
  return id;
}

int cMiasto::GetSupplyFor(int country) const {
  if (country < 1 || static_cast<size_t>(country) > supplyInfo.size()) return 0;
  return supplyInfo[static_cast<size_t>(country) - 1];
}

bool cMiasto::IsCutOffFor(int country) const {
  if (country < 1 || static_cast<size_t>(country) > convoyInfo.size()) return false;
  return convoyInfo[static_cast<size_t>(country) - 1] != 0;
}

// ---- hexes around the city -----------------------------------------------

sHexPoint cMiasto::FindFreeHexForCountry(int country) const {
  const sHex* own = GetHex();
  if (own == nullptr) return {-1, -1};
  if (own->unit == nullptr && IsCountryOrAlly(country, own->controller)) return {x, y};
  sHexPoint found{-1, -1};
  ForEachNeighbour(x, y, [&](const sHex& n) {
    if (n.IsLand() && n.controller != 0 && n.unit == nullptr && IsCountryOrAlly(country, n.controller)) {
      found = {n.x, n.y};
      return false;
    }
    return true;
  });
  return found;
}

bool cMiasto::HasNoFreeNeighbourHex() const {
  bool free = false;
  ForEachNeighbour(x, y, [&](const sHex& n) {
    free = n.IsLand() && n.unit == nullptr;
    return !free;
  });
  return !free;
}

bool cMiasto::IsBesieged() const {
  const sHex* own = GetHex();
  if (own == nullptr || own->unit == nullptr || gGra == nullptr) return false;
  const int controller = own->controller;
  int enemies = 0;
  bool open = false;
  ForEachNeighbour(x, y, [&](const sHex& n) {
    if (n.unit != nullptr) {
      if (!gGra->relations.IsAtWar(n.unit->countryId, controller)) {
        open = true;
        return false;
      }
      ++enemies;
    } else if (n.IsLand()) {
      open = true;
      return false;
    }
    return true;
  });
  return !open && enemies >= 2;
}

// ---- hops in the cities diagram ------------------------------------------

void cMiasto::ComputeHops() {
  if (gGra == nullptr) return;
  gGra->ClearCitySearchMarks();
  std::vector<sWezelDiagramuMiast>& nodes = gGra->citiesDiagram.nodes;
  hops.assign(nodes.size(), -1);
  if (diagramIndex < 0 || static_cast<size_t>(diagramIndex) >= nodes.size()) return;
  for (sWezelDiagramuMiast& n : nodes) n.visited = 0;

  // Nodes are numbered as the cities' diagram indexes, so a node's hop count
  // goes straight to its index.
  std::vector<int> queue{diagramIndex};
  hops[static_cast<size_t>(diagramIndex)] = 0;
  nodes[static_cast<size_t>(diagramIndex)].visited = 1;
  for (size_t i = 0; i < queue.size(); ++i) {
    const int node = queue[i];
    for (const sSasiadDiagramu& link : nodes[static_cast<size_t>(node)].links) {
      if (link.kind != kDiagramLinkLand) continue;
      sWezelDiagramuMiast& target = nodes[static_cast<size_t>(link.target)];
      if (target.visited != 0) continue;
      target.visited = 1;
      hops[static_cast<size_t>(link.target)] = hops[static_cast<size_t>(node)] + 1;
      queue.push_back(link.target);
    }
  }
}

int cMiasto::GetHopsTo(const cMiasto& other) const {
  if (other.diagramIndex < 0 || static_cast<size_t>(other.diagramIndex) >= hops.size()) return -1;
  return hops[static_cast<size_t>(other.diagramIndex)];
}

void cGra::ComputeCityDistances() {
  // What ComputeHops gives city by city, for 64 cities at a time: a
  // breadth-first search level by level where each node carries one bit per
  // city of the batch, over the land links gathered once into flat arrays.
  std::vector<sWezelDiagramuMiast>& nodes = citiesDiagram.nodes;
  const size_t n = nodes.size();
  std::vector<uint32_t> first(n + 1, 0);
  std::vector<uint32_t> targets;
  for (size_t i = 0; i < n; ++i) {
    for (const sSasiadDiagramu& link : nodes[i].links)
      if (link.kind == kDiagramLinkLand && link.target >= 0 && static_cast<size_t>(link.target) < n)
        targets.push_back(static_cast<uint32_t>(link.target));
    first[i + 1] = static_cast<uint32_t>(targets.size());
  }

  std::vector<cMiasto*> sources;  // the cities with a node, in list order
  const cMiasto* last = nullptr;  // the last city searched from
  bool cleared = false;
  for (cMiasto* c : cities) {
    if (c->type == kCityResources) continue;
    if (!cleared) {
      ClearCitySearchMarks();
      cleared = true;
    }
    c->hops.assign(n, -1);
    if (c->diagramIndex < 0 || static_cast<size_t>(c->diagramIndex) >= n) continue;
    sources.push_back(c);
    last = c;
  }

  std::vector<uint64_t> seen(n), frontier(n), next(n);
  for (size_t batch = 0; batch < sources.size(); batch += 64) {
    const size_t count = std::min<size_t>(64, sources.size() - batch);
    std::fill(seen.begin(), seen.end(), 0);
    std::fill(frontier.begin(), frontier.end(), 0);
    for (size_t k = 0; k < count; ++k) {
      cMiasto* c = sources[batch + k];
      const size_t at = static_cast<size_t>(c->diagramIndex);
      frontier[at] |= uint64_t{1} << k;
      seen[at] |= uint64_t{1} << k;
      c->hops[at] = 0;
    }
    for (int32_t level = 1;; ++level) {
      std::fill(next.begin(), next.end(), 0);
      for (size_t i = 0; i < n; ++i) {
        if (frontier[i] == 0) continue;
        for (uint32_t e = first[i]; e < first[i + 1]; ++e) next[targets[e]] |= frontier[i];
      }
      bool grew = false;
      for (size_t t = 0; t < n; ++t) {
        uint64_t fresh = next[t] & ~seen[t];
        frontier[t] = fresh;
        if (fresh == 0) continue;
        grew = true;
        seen[t] |= fresh;
        for (; fresh != 0; fresh &= fresh - 1)
          sources[batch + static_cast<size_t>(std::countr_zero(fresh))]->hops[t] = level;
      }
      if (!grew) break;
    }
  }
  // The nodes keep the marks of the last search, as after ComputeHops.
  if (last != nullptr)
    for (size_t i = 0; i < n; ++i) nodes[i].visited = last->hops[i] != -1 ? 1 : 0;
}

// ---- strategic bombardment -----------------------------------------------

void cMiasto::StrategicBombardment(sWynikWalki& result, cUnit* attacker, const sHex* cityHex) {
  if (gGra == nullptr || attacker == nullptr) return;
  if (cityHex == nullptr) cityHex = GetHex();
  cPanstwo* a = attacker->GetCountry();
  cPanstwo* d = cityHex != nullptr ? gGra->GetCountry(cityHex->controller) : nullptr;
  auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
  auto* ship = dynamic_cast<cJednostkaMorska*>(attacker);
  if (a == nullptr || d == nullptr || (air == nullptr && ship == nullptr)) {
    LogLine(WFormat(L"WARNING: strategic bombardment of city %s skipped: no attacker or no defending country",
                    name.c_str()));
    return;
  }
  // The tables are the attacker's own copy of the scenario constants.
  const sConsts& consts = a->consts;

  // Attack factor: the part of full strength (constant 60 for air units) the
  // attacker has left.
  float factor = 0.0f;
  int level = 0;
  int before = 0;
  if (air != nullptr) {
    if (consts.c060 > 0) factor = static_cast<float>(air->strength) / static_cast<float>(consts.c060);
    level = air->level;
    before = air->strength;
  } else {
    if (ship->maxHitPoints > 0) factor = static_cast<float>(ship->hitPoints) / static_cast<float>(ship->maxHitPoints);
    level = a->techLevels[5];
    before = ship->hitPoints;
  }

  const int roll = RandomInRange(1, 6);
  const int levelIndex = std::clamp(level, 1, 5) - 1;
  // Base damage by die (constant 34) times the factor of the level (constant 58).
  int damage = static_cast<int>(static_cast<float>(consts.c034[roll - 1]) *
                                static_cast<float>(consts.c058[levelIndex]) * factor / 100.0f);
  if (productionPoints < static_cast<float>(damage)) damage = static_cast<int>(productionPoints);
  if (damage < 0) damage = 0;

  const float r = AirSuperiorityRatio(*d, x, y);
  int airModifier;
  if (r == -1.0f)
    airModifier = -4;
  else if (r < 1.0f)
    airModifier = 0;
  else if (r < 1.5f)
    airModifier = -1;
  else if (r < 2.0f)
    airModifier = -2;
  else if (r < 3.0f)
    airModifier = -3;
  else
    airModifier = -4;
  const int column = std::clamp((level - 1) + (1 - d->techLevels[0]) + airModifier, -4, 4);
  const int lossRoll = RandomInRange(1, 6);
  // The attacker's loss by die and column -4..4 (constants 35-40).
  const int loss = consts.airCombatTableA[lossRoll - 1][column + 4];

  bool destroyed;
  if (air != nullptr) {
    air->strength -= loss;
    destroyed = air->strength <= 0;
  } else {
    ship->ChangeLevelClamped(-loss);
    destroyed = ship->hitPoints < 1;
  }

  productionPoints -= static_cast<float>(damage);
  bombardmentLosses += damage;
  result.attackerCountry = a->id;
  result.defenderCountry = d->id;
  result.attackerLosses += static_cast<float>(loss);
  result.defenderLosses += static_cast<float>(damage);
  if (damage > 0) result.cityDamaged = 1;

  result.attackerInfo += WFormat(Txt("report_bombardment_city_attacker").c_str(),
                                 cJednostka::GetSubtypeName(attacker->type).c_str(), attacker->name.c_str(),
                                 name.c_str(), before, loss);
  result.defenderInfo += WFormat(Txt("report_bombardment_city").c_str(), name.c_str(), d->name.c_str(), damage,
                                 static_cast<double>(productionPoints));
  result.lossText += Txt("report_looses_city_bombardment");
  if (destroyed) {
    result.attackerDestroyed |= 1;
    result.attackerInfo += Txt("report_unit_killed");
  }
}

// ---- nuclear strike --------------------------------------------------------

void cMiasto::NuclearStrike(sWynikWalki& record) {
  const cPanstwo* attacker = gGra != nullptr ? gGra->GetCountry(record.attackerCountry) : nullptr;
  if (attacker == nullptr) return;
  float loss = static_cast<float>(static_cast<int>(static_cast<float>(attacker->consts.nuclearStrike[0]) *
                                                   productionPoints / 100.0f));
  if (loss > productionPoints) loss = productionPoints;
  if (loss < 0.0f) loss = 0.0f;
  productionPoints -= loss;
  record.generalText += WFormat(Txt("report_nuclear_on_city_pp_decreased").c_str(), name.c_str(),
                                static_cast<double>(loss));
  record.generalText += L"\n";
  // The blast reaches the port of a port city.
  if (const sHex* hex = GetHex(); IsPort() && hex != nullptr && hex->seaNodeMarker != 0) {
    sWezelGrafuMorz* node = gGra->seaGraph.FindNode(hex->seaNodeMarker);
    if (node != nullptr && node->IsPort()) node->NuclearStrikeOnPort(record);
  }
  record.generalText += L"\n";
}

// ---- siege -----------------------------------------------------------------

void cMiasto::CheckSiege(std::wstring& out) {
  out.clear();
  const sHex* own = GetHex();
  cJednostka* defender = own != nullptr ? own->unit : nullptr;
  const cPanstwo* country = defender != nullptr ? defender->GetCountry() : nullptr;
  if (country == nullptr) return;
  const float* s = country->consts.siegeConstants;

  float attack = 0.0f;
  int attackCommand = 0;
  ForEachNeighbour(x, y, [&](const sHex& n) {
    if (n.unit != nullptr) {
      attack += n.unit->GetCombatStrength();
      if (n.unit->commander != nullptr) attackCommand += n.unit->commander->skill;
    }
    return true;
  });
  const float defence = defender->GetCombatStrength();
  const int defenceCommand = defender->commander != nullptr ? defender->commander->skill : 0;

  // A defence of nothing is broken: the siege succeeds.
  const bool broken = defence <= 0.0f;
  float ratioTerm = 0.0f;
  if (!broken) {
    const float q = attack / defence;
    if (q < 1.0f)
      ratioTerm = q * s[1];
    else if (s[6] != 0.0f)
      ratioTerm = (q - 1.0f) * s[1] / s[6];
  }
  const float commandTerm = static_cast<float>(attackCommand - defenceCommand) * s[2];
  const float supplyTerm = -static_cast<float>(supply) * s[3];
  const float r = AirSuperiorityRatio(*country, x, y);
  float airTerm;
  if (r == -1.0f)
    airTerm = s[4];
  else if (r <= 1.0f)
    airTerm = (1.0f - r) * s[4];
  else
    airTerm = s[5] != 0.0f ? -(r - 1.0f) * s[4] / s[5] : 0.0f;
  float chance = s[0] + ratioTerm + commandTerm / 100.0f + supplyTerm / 100.0f + airTerm;
  if (broken) chance = 1.0f;

  const std::wstring unitName = defender->name;
  out = WFormat(Txt("siege_report").c_str(), unitName.c_str(), static_cast<double>(s[0] * 100.0f),
                static_cast<double>(ratioTerm * 100.0f), static_cast<double>(supplyTerm),
                static_cast<double>(commandTerm), static_cast<double>(airTerm * 100.0f),
                static_cast<double>(chance * 100.0f));

  // A chance of p succeeds on p x 1000 of the rolls 1-1000, so that p >= 1
  // always succeeds and p <= 0 never does.
  const int roll = RandomInRange(1, 1000);
  if (chance * 1000.0f < static_cast<float>(roll)) {
    out += Txt("check_failed,_siege_continues...");
  } else if (defender->level < 2) {
    out += WFormat(Txt("check_succeeded,_%s_surrenders!").c_str(), unitName.c_str());
    defender->Kill();
  } else {
    defender->ChangeLevel(-1);
    out += WFormat(Txt("check_succeeded,_%s_loses_1_level").c_str(), unitName.c_str());
  }
}
