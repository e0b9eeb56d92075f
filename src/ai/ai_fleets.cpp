// The computer player's fleets phase: transports sail and put their cargo
// ashore, invasion fleets sail to the invasion zone with the free fleets as
// escort, and the landing itself with its shore bombardment and artificial
// harbour; also the combat displays of strikes made away from the map's
// units, and the sea-strength counts that tell whether a sea node is safe.
#include <algorithm>
#include <list>
#include <set>
#include <vector>

#include "ai/ai.h"
#include "ai/ai_values.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/shared_records.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/selection.h"

namespace {

constexpr int32_t kFleetFree = 0;
constexpr int32_t kFleetInvasionAtTarget = 1;
constexpr int32_t kFleetInvasion = 2;
constexpr int32_t kFleetTransport = 3;
constexpr int32_t kFleetEscort = 4;
// Destinations that are no node.
constexpr int32_t kNoDestination = -1;
constexpr int32_t kNoDestinationEither = -2;
// The hex mark of a combat shown on the map.
constexpr uint32_t kMarkCombat = 2;
// Reaches of the landing: enemies to shell, and the coast to land on.
constexpr int kBombardmentReach = 6;
constexpr int kLandingReach = 4;
// Each pass lands at most one unit per fleet; a fleet carries finitely many.
constexpr int kMaxLandingPasses = 10000;

// A hex left without marks also leaves the map's list of marked hexes.
void Unmark(sHex& hex) { hex.ClearMark(kMarkCombat, (hex.marks & ~kMarkCombat) == 0); }

bool MovesShown() { return gGra != nullptr && gGra->selection.showActions != 0; }

// A fleet of the game by id; null once it has been freed.
sFlota* FleetById(int id) {
  for (sFlota* f : gGra->fleets)
    if (f->id == id) return f;
  return nullptr;
}

std::vector<int> FleetIds(const std::list<sFlota*>& fleets) {
  std::vector<int> ids;
  for (const sFlota* f : fleets) ids.push_back(f->id);
  return ids;
}

bool HasGunShipReady(const sFlota& fleet) {
  return std::any_of(fleet.ships.begin(), fleet.ships.end(), [](const cJednostkaMorska* s) {
    return (s->type == kTypeBattleship || s->type == kTypeCruiser) && s->shoreBombardmentDone == 0;
  });
}

// The country whose impulse it is decides who counts as friendly.
const cPanstwo* ImpulseCountry(int fallback) {
  const cPanstwo* current = gGra->selection.currentCountry;
  return current != nullptr ? current : gGra->GetCountry(fallback);
}

bool TakesPart(const cJednostkaMorska& ship, bool friendly) {
  const cPanstwo* owner = gGra->GetCountry(ship.countryId);
  if (owner == nullptr) return false;
  const int chance =
      friendly ? ai_values::FriendlyShipCountChance(owner->consts) : ai_values::EnemyShipCountChance(owner->consts);
  return RandomInRange(1, 100) <= chance;
}

}  // namespace

// ---- sea strength --------------------------------------------------------------

float CollectFriendlyShipsAtNode(int countryId, int nodeId, std::list<cJednostkaMorska*>& out, int& transports) {
  out.clear();
  transports = 0;
  if (gGra == nullptr) return 0.0f;
  const cPanstwo* side = ImpulseCountry(countryId);
  float sum = 0.0f;
  for (cJednostkaMorska* s : gGra->navalUnits) {
    if (s->fleet == nullptr || s->fleet->seaNode != nodeId) continue;
    if (s->countryId != countryId && (side == nullptr || !side->IsAlly(s->countryId))) continue;
    if (!TakesPart(*s, true)) continue;
    out.push_back(s);
    sum += s->GetCombatValue();
    if (s->type == kTypeCargo || s->type == kTypeAmphibious) ++transports;
  }
  return sum;
}

float CollectEnemyShipsNearNode(int countryId, int nodeId, std::list<cJednostkaMorska*>& out) {
  out.clear();
  if (gGra == nullptr) return 0.0f;
  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
  if (node == nullptr) return 0.0f;
  float sum = 0.0f;
  for (cJednostkaMorska* s : gGra->navalUnits) {
    if (s->fleet == nullptr || !gGra->relations.IsAtWar(countryId, s->countryId)) continue;
    const int at = s->fleet->seaNode;
    bool near = at == nodeId;
    for (const sKrawedzGrafuMorz& e : node->edges)
      if (!near && e.target == at && gGra->seaGraph.IsEdgePassable(nodeId, at, s->countryId)) near = true;
    if (!near || !TakesPart(*s, false)) continue;
    out.push_back(s);
    sum += s->GetCombatValue();
  }
  return sum;
}

namespace {

// The sea strength counted at a node: the friendly ships there, the enemy
// ships there and next door, and their summed combat values.
struct sNodeStrength {
  std::list<cJednostkaMorska*> friends;
  std::list<cJednostkaMorska*> enemies;
  int transports = 0;
  float friendly = 0.0f;
  float enemy = 0.0f;

  sNodeStrength(int country, int node) {
    friendly = CollectFriendlyShipsAtNode(country, node, friends, transports);
    enemy = CollectEnemyShipsNearNode(country, node, enemies);
  }

  // At most one enemy ship is no threat; otherwise the enemy must be weaker,
  // the more so the more transports there are to lose.
  bool Safe() const {
    if (enemies.size() <= 1) return true;
    if (friendly <= 0.0f || friends.empty()) return false;
    const float r = enemy / friendly;
    const float q = static_cast<float>(transports) / static_cast<float>(friends.size());
    if (r >= 1.0f) return false;
    if (r >= 0.3f) return transports < 3;
    return q < 0.5f;
  }
};

}  // namespace

bool cAI::IsSeaNodeSafe(int nodeId) const {
  if (gGra == nullptr || country == nullptr) return false;
  return sNodeStrength(country->id, nodeId).Safe();
}

// ---- combat displays -------------------------------------------------------------

void cAI::ShowCombatAtHex(sWynikWalki& result, sHex* hex, bool shown) {
  const bool onMap = hex != nullptr;
  shown = shown && onMap && MovesShown();
  if (shown) {
    FrontEnd().CenterMapOn(hex->x, hex->y);
    PauseFor(DELAY_AI_COMBAT_BEFORE);
    hex->SetMark(kMarkCombat, -1);
    PauseFor(DELAY_AI_COMBAT_BEFORE);
  }
  PauseFor(DELAY_AI_COMBAT_AFTER);
  if (shown && delayValues[DELAY_AI_COMBAT_RESULT] != 0.0f) {
    FrontEndHandle dialog = 0;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      dialog = FrontEnd().ShowCombatResult(result, delayValues[DELAY_AI_COMBAT_RESULT]);
    }
    FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
  }
  result = sWynikWalki();
  if (onMap && (hex->marks & kMarkCombat) != 0) Unmark(*hex);
}

void cAI::ShowCombatAtUnit(sWynikWalki& result, const sWezelGrafuMorz& node) {
  const bool shown = node.enemyShip != nullptr && node.enemyShip->IsFullySpotted();
  ShowCombatAtHex(result, GameHexAt(node.enemyUnitX, node.enemyUnitY), shown);
}

// ---- fleets phase ------------------------------------------------------------------

void cAI::FleetsActions() {
  NoteAiPhase("FleetsActions");
  if (gGra == nullptr || country == nullptr) return;
  std::list<sFlota*> fleets;
  CollectOwnFleets(fleets);
  // Taken before the strikes: a carrier sunk in its strike takes a fleet it
  // was alone in with it.
  const std::vector<int> ids = FleetIds(fleets);
  CarrierBombardment();

  int arrived = 0;
  int underWay = 0;
  int invasionNode = -1;
  for (int id : ids) {
    if (WorkerMustStop()) return;
    sFlota* f = FleetById(id);
    if (f == nullptr) continue;
    if (f->order == kFleetTransport) {
      const int dest = f->destinationNode;
      if (dest != kNoDestination && dest != kNoDestinationEither && dest != f->seaNode) f->Move(dest);
      if (f->seaNode != dest) continue;
      // One cargo ship at a time: each unloads and is then broken up.
      for (bool unloaded = true; unloaded;) {
        unloaded = false;
        f = FleetById(id);
        if (f == nullptr) break;
        for (cJednostkaMorska* ship : f->ships) {
          if (ship->type != kTypeCargo || ship->carriedUnit == nullptr || !ship->AiUnloadCarriedUnit(true)) continue;
          ship->AiUnloadCarriedUnit(false);
          ship->Kill(false);
          unloaded = true;
          break;
        }
      }
    } else if (f->order == kFleetInvasion) {
      if (f->seaNode == f->destinationNode) {
        ++arrived;
      } else {
        f->Move(f->destinationNode);
        ++underWay;
      }
      invasionNode = f->destinationNode;
    }
  }

  if (WorkerMustStop()) return;
  if (arrived + underWay > 0 && invasionNode != -1) {
    CollectOwnFleets(fleets);
    std::vector<int> route;
    for (sFlota* f : fleets) {
      if (f->order == kFleetInvasionAtTarget || f->order == kFleetInvasion || f->order == kFleetTransport) continue;
      if (!gGra->seaGraph.FindSeaRoute(f->seaNode, invasionNode, country->id, true, route)) continue;
      f->order = kFleetEscort;
      f->destinationNode = invasionNode;
      f->Move(invasionNode);
    }
  }

  if (InvasionMayStart(invasionNode, arrived)) {
    AmphibiousInvasion();
    CollectOwnFleets(fleets);
    for (sFlota* f : fleets)
      if (f->order == kFleetEscort) f->order = kFleetFree;
  }

  CarrierBombardment();
  AssignPatrolZones();
}

// The landing starts once a fleet has arrived at the invasion node, the node
// is safe, and the friendly strength counted there is at least the enemy's:
// a lone enemy ship, no threat to a node by itself, still keeps the
// invasion fleets waiting for their escort. The counts are made once.
bool cAI::InvasionMayStart(int invasionNode, int arrivedFleets) const {
  if (gGra == nullptr || country == nullptr || invasionNode == -1 || arrivedFleets < 1) return false;
  const sNodeStrength counted(country->id, invasionNode);
  const bool start = counted.Safe() && counted.friendly >= counted.enemy;
  LogF(L"[AI] %s: invasion node %i, friendly strength %.2f, enemy strength %.2f: %s", country->name.c_str(),
       invasionNode, static_cast<double>(counted.friendly), static_cast<double>(counted.enemy),
       start ? L"the landing starts" : L"not safe, the landing waits");
  return start;
}

void cAI::AmphibiousInvasion() {
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  cMapa& map = *gGra->map;
  const int self = country->id;
  const wchar_t* name = country->name.c_str();
  std::vector<sHexPoint> landings;
  std::set<int> offMap;
  int lastHarbourNode = -1;

  for (int pass = 0; pass < kMaxLandingPasses; ++pass) {
    if (WorkerMustStop()) return;
    bool landed = false;
    std::list<sFlota*> fleets;
    CollectOwnFleets(fleets);
    for (int id : FleetIds(fleets)) {
      sFlota* f = FleetById(id);
      if (f == nullptr) continue;
      if (!(f->order == kFleetInvasion || (f->order == kFleetInvasionAtTarget && f->seaNode == f->destinationNode)))
        continue;
      const int ix = f->invasionX;
      const int iy = f->invasionY;
      // A fleet bound for no hex of the map has nowhere to land: left out.
      if (!map.IsInside(ix, iy)) {
        if (offMap.insert(id).second)
          LogF(L"ERROR Amphibious invasion of %s (ID=%i) destination hex (%i, %i) out of map!", f->name.c_str(), id, ix,
               iy);
        continue;
      }
      const int nodeId = f->seaNode;

      int bx = -1;
      int by = -1;
      if (map.FindWeakestEnemyUnitNear(self, ix, iy, 0, kBombardmentReach, bx, by)) {
        sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
        std::vector<sFlota*> here;
        if (node != nullptr) node->GetFleetsAtNode(here);
        for (sFlota* g : here) {
          if (g->countryId != self || !HasGunShipReady(*g)) continue;
          sHex* target = map.GetHex(bx, by);
          const bool visible = target->unit != nullptr && target->unit->IsFullySpotted();
          sWynikWalki result;
          const bool fired = g->ShoreBombard(bx, by, result, true);
          if (visible && fired && MovesShown()) {
            FrontEnd().CenterMapOn(bx, by);
            PauseFor(DELAY_AI_COMBAT_BEFORE);
            target->SetMark(kMarkCombat, -1);
            PauseFor(DELAY_AI_COMBAT_BEFORE);
            if (delayValues[DELAY_AI_COMBAT_RESULT] != 0.0f) {
              PauseFor(DELAY_AI_COMBAT_AFTER);
              FrontEndHandle dialog = 0;
              {
                cGameLockGuard lock(__FILE__, __LINE__);
                dialog = FrontEnd().ShowCombatResult(result, delayValues[DELAY_AI_COMBAT_RESULT]);
              }
              FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
            }
          }
          result = sWynikWalki();
          if ((target->marks & kMarkCombat) != 0) Unmark(*target);
        }
      }

      f = FleetById(id);
      cJednostkaMorska* ship = nullptr;
      if (f != nullptr)
        for (cJednostkaMorska* s : f->ships)
          if (s->type == kTypeAmphibious && s->carriedUnit != nullptr) {
            ship = s;
            break;
          }
      if (ship != nullptr) {
        LogF(L"[AI] %s: Amphibious invasion - finding hex to land...", name);
        int lx = -1;
        int ly = -1;
        if (map.FindInvasionLandingHex(self, ix, iy, nodeId, kLandingReach, lx, ly, false)) {
          landings.push_back({lx, ly});
          cJednostkaLadowa* unit = ship->carriedUnit;
          const int unitId = unit->unitId;
          LogF(L"[AI] %s: Amphibious invasion - unloading %s", name, unit->name.c_str());
          unit->AiAmphibiousAssault(lx, ly);
          // The assault may have destroyed the unit: it is known by the hex.
          const sHex* beach = map.GetHex(lx, ly);
          if (beach->unit != nullptr && beach->unit->category == kCategoryLand && beach->unit->unitId == unitId &&
              beach->unit->countryId == self)
            static_cast<cJednostkaLadowa*>(beach->unit)->MoveTowardsHex(ix, iy);
          landed = true;
        }
      }

      int hx = -1;
      int hy = -1;
      bool harbourHex = false;
      for (const sHexPoint& p : landings)
        if (map.IsInside(p.x, p.y) && map.GetHex(p.x, p.y)->unit == nullptr) {
          hx = p.x;
          hy = p.y;
          harbourHex = true;
          break;
        }
      if (!harbourHex) harbourHex = map.FindInvasionLandingHex(self, ix, iy, nodeId, kLandingReach, hx, hy, true);
      if (harbourHex && nodeId != lastHarbourNode) {
        BuildArtificialHarbour(hx, hy);
        lastHarbourNode = nodeId;
      }
    }
    if (!landed) break;
  }

  if (WorkerMustStop()) return;
  BuildUnitLists();
  PlanMultiDirectionAttacks();
  PlanOneSideAttacks();
}

bool cAI::BuildArtificialHarbour(int x, int y) {
  sHex* hex = GameHexAt(x, y);
  if (hex == nullptr || hex->unit != nullptr || country == nullptr) return false;
  const double price = ai_values::HarbourPrice(country->consts);
  if (price > country->productionPoints) {
    LogLine(L"Not enough PP for Mulberry purcharse");
    return false;
  }
  auto* h = new cMulberry();
  h->countryId = country->id;
  h->SetName(L"Artificial harbour");
  h->SetType(kTypeMulberry);
  h->strength = static_cast<int32_t>(country->consts.newMulberryStrength);
  h->monthsLeft = static_cast<int32_t>(country->consts.newMulberryMonths);
  h->commander = nullptr;
  h->SetSupplyLevel(ai_values::NewUnitSupply(country->consts));
  h->aiTargetX = h->aiTargetY = -1;
  h->SetActionPoints(0);
  h->UpdateEffectiveness();
  h->x = x;
  h->y = y;
  hex->unit = h;
  gGra->landUnits.push_back(h);
  country->ChangeProductionPoints(-price);
  LogF(L"Mulberry created at (%d, %d) for country %s", x, y, country->name.c_str());
  return true;
}
