// The computer player's air phases: air fights, tactical and naval air
// strikes and strategic bombardment. The fights, raids and bombardments
// themselves are the units' and the world's; this file only chooses who
// strikes what, and shows it through the front end.
#include <set>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/air_values.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/hex_map.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace {

// The mark that shows the hex of a computer player's combat.
constexpr uint32_t kAiCombatMark = 2;

bool ShowsComputerMoves() { return gGra != nullptr && gGra->selection.showActions != 0; }

void Sleep(eDelay which, int line) { FrontEnd().Delay(static_cast<int>(delayValues[which]), __FILE__, line); }

bool CombatResultDelaySet() { return delayValues[DELAY_AI_COMBAT_RESULT] != 0.0f; }

// The dialog is pushed under the game lock and awaited outside it.
void ShowCombatResultAndWait(const sWynikWalki& result) {
  FrontEndHandle dialog = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    dialog = FrontEnd().ShowCombatResult(result, delayValues[DELAY_AI_COMBAT_RESULT]);
  }
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

void MarkHex(int x, int y) {
  if (sHex* hex = GameHexAt(x, y)) hex->SetMark(kAiCombatMark, -1);
}

void UnmarkHex(int x, int y) {
  sHex* hex = GameHexAt(x, y);
  if (hex == nullptr) return;
  // The hex stays in the marked list while another mark is still on it.
  hex->ClearMark(kAiCombatMark, (hex->marks & ~kAiCombatMark) == 0);
}

bool AnyUnitDestroyed(const sWynikWalki& r) { return (r.attackerDestroyed & 1) != 0 || (r.defenderDestroyed & 1) != 0; }

// The strike loops start again from the first unit after every strike and
// end only because each strike spends action points. A strike that spends
// none (an interception that stops a raid before it costs anything, or a
// unit that refuses the charge) would otherwise be repeated for ever, so such
// a unit is left out of the rest of the phase.
class cStrikeBudget {
 public:
  explicit cStrikeBudget(const wchar_t* phase) : phase_(phase) {}
  bool IsLeftOut(const cUnit* u) const { return leftOut_.count(u->unitId) != 0; }
  void LeaveOut(const cUnit* u) { leftOut_.insert(u->unitId); }
  // After a strike by u that still lives.
  void Check(const cJednostka* u, int pointsBefore) {
    if (u->actionPoints < pointsBefore) return;
    LeaveOut(u);
    LogF(L"[AI] %s: %s struck without spending action points (%i left); it strikes no more this impulse", phase_,
         u->name.c_str(), u->actionPoints);
  }

 private:
  const wchar_t* phase_;
  std::set<int32_t> leftOut_;
};

}  // namespace

bool cAI::RemoveIfShotDown(cJednostkaLotnicza* unit, sWynikWalki& result, const wchar_t* where) {
  if (!unit->IsShotDown(result)) return false;
  // Out of this player's lists before the unit is freed.
  for (auto* list : {&ownAirUnits, &alliedAirUnits, &enemyAirUnits, &neutralAirUnits}) list->remove(unit);
  return cJednostkaLotnicza::RemoveIfShotDown(unit, result,
                                              WFormat(L"[AI] %s destroyed in %s", unit->name.c_str(), where));
}

// ---- air fights ------------------------------------------------------------

void cAI::AirFights() {
  NoteAiPhase("AirFights");
  for (int targetType : {kTypeFighter, kTypeStrategicBomber, kTypeTacticalBomber}) {
    // A copy: the fights kill units and the lists are rebuilt after them.
    const std::list<cJednostkaLotnicza*> units = ownAirUnits;
    if (AirFightsOfType(units, targetType)) BuildUnitLists();
  }
}

bool cAI::AirFightsOfType(const std::list<cJednostkaLotnicza*>& units, int targetType) {
  bool fought = false;
  sWynikWalki result;
  for (cJednostkaLotnicza* u : units) {
    if (WorkerMustStop()) break;
    if (u->actionPoints <= 0 || u->strength < 2) continue;
    cJednostkaLotnicza* target = u->FindWeakestEnemyAirUnitInRange(targetType);
    if (target == nullptr) continue;
    result.Clear();

    // The target may be freed by the fight: only these copies are read after it.
    const int tx = target->x;
    const int ty = target->y;
    const bool visible = u->IsFullySpotted() || target->IsFullySpotted();
    const cPanstwo* targetCountry = target->GetCountry();
    const bool shown = visible && ShowsComputerMoves();
    const bool marked = shown || (targetCountry != nullptr && targetCountry->humanControlled != 0);
    if (marked) {
      FrontEnd().CenterMapOn(tx, ty);
      Sleep(DELAY_AI_COMBAT_BEFORE, __LINE__);
      MarkHex(tx, ty);
      Sleep(DELAY_AI_COMBAT_BEFORE, __LINE__);
    }

    bool attackOff = false;
    cUnit* interceptor = targetCountry != nullptr ? targetCountry->FindInterceptor(tx, ty) : nullptr;
    // Fighters are never intercepted.
    if (interceptor != nullptr && targetType != kTypeFighter) {
      // A unit shot down in an interception that failed all the same
      // (its interceptor fell too) has no attack left either.
      if (u->Intercept(interceptor, result) || u->strength <= 0) {
        attackOff = true;
        fought = true;
      }
      if (shown && CombatResultDelaySet()) {
        Sleep(DELAY_AI_COMBAT_AFTER, __LINE__);
        ShowCombatResultAndWait(result);
      }
    }
    if (!attackOff) {
      target->AirFight(result, u, nullptr);
      if (result.resultCode == sWynikWalki::kAirFight) fought = true;
      if (CombatResultDelaySet()) {
        Sleep(DELAY_AI_COMBAT_AFTER, __LINE__);
        ShowCombatResultAndWait(result);
      }
    }
    // A mark set for a human defender who could not see the fight goes too.
    if (visible || marked) UnmarkHex(tx, ty);

    // The fight and the interception leave a dead attacker standing; it
    // goes here, and the lists are rebuilt because a fight took place.
    if (RemoveIfShotDown(u, result, L"an air fight")) fought = true;
  }
  return fought;
}

// ---- strategic bombardment ---------------------------------------------------

cMiasto* cAI::ChooseBombardmentTarget(const cJednostkaLotnicza& bomber) const {
  if (gGra == nullptr || country == nullptr) return nullptr;
  const int range = bomber.GetOperationalRange();
  const float minRatio = gGra->consts.aiStrategicBombardFactor;
  cMiasto* choice = nullptr;
  for (cMiasto* city : gGra->cities) {
    if (city->productionPoints <= 0.0f) continue;
    if (choice != nullptr && city->productionPoints <= choice->productionPoints) continue;
    if (!gGra->relations.IsAtWar(country->id, city->GetController())) continue;
    if (HexDistance(bomber.x, bomber.y, city->x, city->y) >= range) continue;
    const float ratio = AirSuperiorityRatio(*country, city->x, city->y);
    if (ratio != -1.0f && ratio < minRatio) continue;
    choice = city;
  }
  return choice;
}

void cAI::StrategicBombardments() {
  NoteAiPhase("StrategicBombardments");
  if (gGra == nullptr || country == nullptr) return;
  const int halfStrength = air_values::FullStrength(country->consts, kTypeStrategicBomber) / 2;
  std::vector<cJednostkaLotnicza*> destroyed;
  sWynikWalki result;
  for (cJednostkaLotnicza* u : ownAirUnits) {
    // The bombers destroyed so far still leave the lists below.
    if (WorkerMustStop()) break;
    if (u->type != kTypeStrategicBomber || u->strength < halfStrength || u->actionPoints < 1) continue;
    cMiasto* city = ChooseBombardmentTarget(*u);
    if (city == nullptr) continue;
    result.Clear();
    city->StrategicBombardment(result, u, GameHexAt(city->x, city->y));
    if ((result.attackerDestroyed & 1) != 0) destroyed.push_back(u);
    const cPanstwo* holder = gGra->GetCountry(city->GetController());
    if (CombatResultDelaySet() && holder != nullptr && (holder->humanControlled != 0 || holder->pbemPlayerId >= 1))
      ShowCombatResultAndWait(result);
  }
  for (auto it = destroyed.rbegin(); it != destroyed.rend(); ++it) {
    sWynikWalki lost;
    lost.attackerDestroyed = 1;
    RemoveIfShotDown(*it, lost, L"a strategic bombardment");
  }
  BuildUnitLists();
}

// ---- tactical air strikes ------------------------------------------------------

cJednostkaLadowa* cAI::ChooseTacticalTarget(const cJednostkaLotnicza& bomber) const {
  const int range = bomber.GetOperationalRange();
  cJednostkaLadowa* best = nullptr;
  float bestStrength = 0.0f;
  for (cJednostkaLadowa* e : enemyLandUnits) {
    if (HexDistance(bomber.x, bomber.y, e->x, e->y) >= range) continue;
    const cPanstwo* owner = e->GetCountry();
    const sConsts& tables = owner != nullptr ? owner->consts : gGra->consts;
    // A unit worn below half of what its level and type are worth is not
    // worth a raid.
    const float combat = e->GetCombatStrength();
    if (combat < land_tables::UnitCost(tables, e->level, e->type) / 2.0f) continue;
    if (best == nullptr || combat > bestStrength) {
      best = e;
      bestStrength = combat;
    }
  }
  return best;
}

void cAI::TacticalAirStrikes() {
  NoteAiPhase("TacticalAirStrikes");
  if (gGra == nullptr || country == nullptr) return;
  LogLine(L"bu bu bu petla 2.5");
  cStrikeBudget budget(L"Tactical air strikes");
  auto it = ownAirUnits.begin();
  while (it != ownAirUnits.end() && !WorkerMustStop()) {
    cJednostkaLotnicza* u = *it;
    if (u->actionPoints < 1 || u->strength < 4 || u->type != kTypeTacticalBomber || budget.IsLeftOut(u)) {
      ++it;
      continue;
    }
    cJednostkaLadowa* target = ChooseTacticalTarget(*u);
    if (target == nullptr) {
      ++it;
      continue;
    }
    LogLine(L"bu bu bu petla 3");
    LogF(L"[AI] %s strikes %s", u->name.c_str(), target->name.c_str());

    // The target may be freed by the strike: only these copies are read after it.
    const int tx = target->x;
    const int ty = target->y;
    const bool spotted = target->spottedLevel != 0;
    if (spotted && ShowsComputerMoves()) {
      MarkHex(tx, ty);
      FrontEnd().CenterMapOn(tx, ty);
    }

    sWynikWalki attack;
    sWynikWalki interception;
    sWynikWalki attackAfterInterception;
    const cPanstwo* targetCountry = target->GetCountry();
    cUnit* interceptor = targetCountry != nullptr ? targetCountry->FindInterceptor(tx, ty) : nullptr;
    const int pointsBefore = u->actionPoints;
    u->AddActionPoints(-1);
    if (interceptor == nullptr) {
      target->Attack(attack, u, 0);
      if (spotted && CombatResultDelaySet()) ShowCombatResultAndWait(attack);
    } else if (u->Intercept(interceptor, interception)) {
      LogLine(L"Przechwycenie udane, nici z ataku!");
      if (CombatResultDelaySet()) ShowCombatResultAndWait(interception);
    } else if (u->strength > 0) {
      // A bomber shot down while its interceptor fell too strikes no more.
      target->Attack(attackAfterInterception, u, 0);
      if (spotted && CombatResultDelaySet()) ShowCombatResultAndWait(attackAfterInterception);
    }
    UnmarkHex(tx, ty);

    sWynikWalki lost;
    lost.attackerDestroyed = attack.attackerDestroyed | interception.attackerDestroyed |
                             attackAfterInterception.attackerDestroyed;
    // The unit leaves the list that is walked: the walk starts again below.
    const bool attackerDead = RemoveIfShotDown(u, lost, L"a tactical air strike");
    const bool rebuild = attackerDead || AnyUnitDestroyed(attack) || AnyUnitDestroyed(interception) ||
                         AnyUnitDestroyed(attackAfterInterception);
    if (!attackerDead) budget.Check(u, pointsBefore);
    if (!rebuild) {
      ++it;
      continue;
    }
    LogLine(L"bu bu bu petla 29");
    BuildUnitLists();
    if (ownAirUnits.empty() || enemyLandUnits.empty()) break;
    it = ownAirUnits.begin();
  }
  LogLine(L"bu bu bu koniec");
}

// ---- naval air strikes ----------------------------------------------------------

bool cAI::HasEnemyShipAtNode(int countryId, int nodeId) const {
  if (gGra == nullptr) return false;
  for (const cJednostkaMorska* s : gGra->navalUnits)
    if (s->fleet != nullptr && s->fleet->seaNode == nodeId && gGra->relations.IsAtWar(countryId, s->countryId))
      return true;
  return false;
}

void cAI::NavalAirStrikes() {
  NoteAiPhase("NavalAirStrikes");
  if (gGra == nullptr || country == nullptr) return;
  LogLine(L"bu bu bu bu 1");
  cStrikeBudget budget(L"Naval air strikes");
  auto it = ownAirUnits.begin();
  while (it != ownAirUnits.end() && !WorkerMustStop()) {
    cJednostkaLotnicza* u = *it;
    if (u->actionPoints < 1 || u->type != kTypeTacticalBomber || budget.IsLeftOut(u)) {
      ++it;
      continue;
    }
    std::set<int> inRange;
    u->CollectSeaNodesInRange(inRange);
    std::vector<int> targets;
    for (int id : inRange)
      if (HasEnemyShipAtNode(u->countryId, id)) targets.push_back(id);
    if (targets.empty()) {
      ++it;
      continue;
    }
    const int nodeId = targets[static_cast<size_t>(RandomIndex(static_cast<int>(targets.size())))];
    const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
    sHex* hex = node != nullptr ? GameHexAt(node->mainX, node->mainY) : nullptr;
    if (hex == nullptr) {
      // A node without a hex on the map cannot be raided; it is never
      // chosen again this impulse.
      LogF(L"[AI] sea node %i has no hex on the map: naval air strike by %s dropped", nodeId, u->name.c_str());
      budget.LeaveOut(u);
      ++it;
      continue;
    }
    LogLine(L"bu bu bu bu 5");
    LogF(L"[AI] %s strikes sea node %i", u->name.c_str(), nodeId);
    const bool shown = u->IsFullySpotted() || node->CountFriendlyShips() > 0;
    if (shown && ShowsComputerMoves()) {
      FrontEnd().CenterMapOn(hex->x, hex->y);
      Sleep(DELAY_AI_COMBAT_BEFORE, __LINE__);
      Sleep(DELAY_AI_COMBAT_BEFORE, __LINE__);
    }

    sWynikWalki result;
    const int pointsBefore = u->actionPoints;
    hex->AirBombard(result, u);
    // A raider that died in the raid was freed by it.
    if ((result.attackerDestroyed & 1) == 0) budget.Check(u, pointsBefore);

    LogLine(L"bu bu bu bu 21");
    BuildUnitLists();
    if (ownAirUnits.empty()) break;
    if (shown && ShowsComputerMoves() && CombatResultDelaySet()) {
      Sleep(DELAY_AI_COMBAT_AFTER, __LINE__);
      ShowCombatResultAndWait(result);
    }
    it = ownAirUnits.begin();
  }
}
