// Airborne units of the computer player: a unit whose paradrop counter is
// below the preparation period and that has its full action points drops on
// the most valuable free enemy city in reach; the others walk towards the
// nearest front city.
#include <algorithm>
#include <climits>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/cities_diagram.h"
#include "world/city.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/relations.h"

bool CompareParatroopTargets(const cMiasto* a, const cMiasto* b) {
  if (a->victoryPoints != b->victoryPoints) return a->victoryPoints > b->victoryPoints;
  if (a->productionPoints != b->productionPoints) return a->productionPoints > b->productionPoints;
  return a->aiWorkValue < b->aiWorkValue;
}

namespace {

// The report goes to a human player whose city was hit; it is pushed under
// the game lock and waited for without it, so the main thread can close it.
void ShowDropReport(const std::wstring& text, const cMiasto& city) {
  FrontEndHandle dialog = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    const std::wstring name = city.GetName().substr(0, 150);
    dialog = FrontEnd().ShowTextDialog(text, WFormat(L"Paratroop drop - %s", name.c_str()), kMessageDialogLayout);
  }
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

bool IsPlayedByPerson(const cPanstwo* c) { return c != nullptr && (c->humanControlled != 0 || c->pbemPlayerId > 0); }

// The city of any front nearest to (x, y), the first of equals; null
// without fronts.
cMiasto* NearestFrontCity(const std::list<sAiFront>& fronts, int x, int y) {
  cMiasto* best = nullptr;
  int bestDistance = INT_MAX;
  for (const sAiFront& f : fronts)
    for (const sWezelDiagramuMiast* n : f.nodes) {
      const int d = HexDistance(x, y, n->city->x, n->city->y);
      if (d < bestDistance) {
        best = n->city;
        bestDistance = d;
      }
    }
  return best;
}

}  // namespace

void cAI::ParatroopsActions() {
  NoteAiPhase("ParatroopsActions");
  if (gGra == nullptr || gGra->map == nullptr || country == nullptr) return;
  const int self = country->id;

  std::vector<cMiasto*> targets;
  for (cMiasto* c : gGra->cities) {
    const int controller = c->GetController();
    if (c->aiMayBeAttacked != 0 && controller != 0 && gGra->relations.IsAtWar(self, controller)) targets.push_back(c);
  }
  std::stable_sort(targets.begin(), targets.end(), CompareParatroopTargets);

  const int range = air_values::AirborneRange(country->consts, country->techLevels[3]);
  // A computer unit drops while its counter is below the preparation period.
  // Only its drops change the counter (to 0), so a unit deployed in play
  // (counter 0) drops whenever it can, and one that a new game started at
  // the period walks with the land units instead.
  const int preparation = country->consts.initialTurnsSinceDrop;
  cMapa& map = *gGra->map;
  bool destroyed = false;
  std::list<cJednostkaLadowa*>& units = gGra->landUnits;
  for (auto it = units.begin(); it != units.end() && !WorkerMustStop();) {
    cJednostkaLadowa* u = *it;
    if (u->type != kTypeAirborne || u->countryId != self) {
      ++it;
      continue;
    }
    u->MarkAttackTargets(true);
    const bool ready = !targets.empty() && u->turnsFromLastParadrop < preparation &&
                       u->actionPoints == u->startingActionPoints && u->actionPoints != 0;
    cMiasto* target = nullptr;
    if (ready) {
      for (cMiasto* c : targets)
        if (HexDistance(u->x, u->y, c->x, c->y) <= range && map.IsInside(c->x, c->y) &&
            map.GetHex(c->x, c->y)->unit == nullptr) {
          target = c;
          break;
        }
    } else if (const cMiasto* front = NearestFrontCity(fronts, u->x, u->y); front != nullptr) {
      u->GiveMoveOrder(front->x, front->y);
    }
    std::wstring text;
    int landed = 1;
    if (target == nullptr || !u->AirborneAssault(target->x, target->y, text, &landed)) {
      ++it;
      continue;
    }
    LogF(L"[AI] %s: %s dropped on %s", country->name.c_str(), u->name.c_str(), target->GetName().c_str());
    if (landed == 0) {
      // The entry goes first, then the unit: the walk must not touch a freed one.
      cGameLockGuard lock(__FILE__, __LINE__);
      it = units.erase(it);
      u->KillKeepingListEntry();
      destroyed = true;
    } else {
      u->turnsFromLastParadrop = 0;
      ++it;
    }
    if (IsPlayedByPerson(gGra->GetCountry(target->GetController()))) ShowDropReport(text, *target);
  }
  if (destroyed) BuildUnitLists();
}
