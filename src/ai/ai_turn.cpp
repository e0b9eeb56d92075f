// The computer player's turn driver: one impulse of a computer country in
// its fixed order of phases, and the states' lifetime.
#include <string>

#include "ai/ai.h"
#include "core/console.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/relations.h"
#include "world/selection.h"

namespace {
AiPhaseObserver gPhaseObserver = nullptr;
}  // namespace

void SetAiPhaseObserver(AiPhaseObserver observer) { gPhaseObserver = observer; }

void NoteAiPhase(const char* phase) {
  if (gPhaseObserver != nullptr) gPhaseObserver(phase);
}

cAI::~cAI() {
  defenceLine.clear();
  attackPlans.clear();
  reachableHexes.clear();
  ownNavalUnits.clear();
  neutralAirUnits.clear();
  enemyAirUnits.clear();
  alliedAirUnits.clear();
  ownAirUnits.clear();
  neutralLandUnits.clear();
  enemyLandUnits.clear();
  alliedLandUnits.clear();
  ownLandUnits.clear();
  fronts.clear();
}

void CreateComputerPlayers(cGra& game) {
  for (cAI* ai : game.computerPlayers) delete ai;
  game.computerPlayers.assign(game.countries.size(), nullptr);
  for (size_t i = 0; i < game.countries.size(); ++i) game.computerPlayers[i] = new cAI();
}

void cAI::PlayTurn() {
  if (gGra == nullptr) return;
  country = gGra->selection.currentCountry;
  if (country == nullptr) {
    LogLine(L"[AI] ERROR: no current country, nothing to play");
    return;
  }
  const wchar_t* name = country->name.c_str();
  const std::wstring greeting = WFormat(L"[AI] %s: NEW TURN", name);
  ShowInfoPanelMessage(greeting);
  LogLine(greeting);
  // Each phase starts only while the game goes on: a game ending meanwhile
  // ends the impulse once the phase under way is done.
  if (!RunPhasesUntilStop({[&] { ApplyDoNotAttackCities(); }, [&] { DiplomacyActions(); }})) return;
  // The units bought this impulse go onto the map, at peace as at war.
  const auto deploy = [&] {
    LogF(L"[AI]: %s - Deploying new units", name);
    DeployLandUnits();
    DeployAirUnits();
    DeployNewUnits();
  };

  // Taken once: a war declared during the impulse does not change the
  // sequence.
  if (!country->IsAtWarWithAnyone()) {
    LogF(L"[AI]: %s nie ma wojny", name);
    RunPhasesUntilStop({
        [&] { BuildUnitLists(); },
        [&] { PurchaseUnits(); },
        deploy,
        [&] { BuildUnitLists(); },
        [&] { FleetsActions(); },
        [&] { ConvoysActions(); },
        [&] { LogLine(L"[AI]: Ending turn"); },
    });
    return;
  }

  LogF(L"[AI]: %s ma wojne", name);
  RunPhasesUntilStop({
      [&] { BuildUnitLists(); },
      [&] { DeclareWars(); },
      // The declarations may have turned neutrals into enemies.
      [&] { BuildUnitLists(); },
      [&] { ComputeNodeStrengths(); },
      [&] { UpdateFronts(); },
      [&] { RateFronts(); },
      [&] { AssignCommanders(); },
      [&] {
        LogF(L"[AI]: %s - Replacements", name);
        Replacements(0.5f);
      },
      [&] { LandReplacements(0.5f); },
      [&] { RepairShips(); },
      [&] { SavePoorlyDefendedFronts(); },
      [&] { PatchFronts(); },
      [&] {
        LogF(L"[AI]: %s - Rebasing air units", name);
        RebaseAirUnits();
      },
      [&] { ScenarioAirRebase(); },
      [&] { PurchaseUnits(); },
      deploy,
      [&] {
        LogF(L"[AI]: %s - Air fights", name);
        AirFights();
      },
      [&] { PlanMultiDirectionAttacks(); },
      [&] { PlanOneSideAttacks(); },
      [&] {
        LogF(L"[AI]: %s - Checking the state of fronts (before operational planning)", name);
        ComputeNodeStrengths();
      },
      [&] { UpdateFronts(); },
      [&] { RateFronts(); },
      [&] {
        if (!NeedsLineOfDefence()) return;
        LogF(L"[AI]: %s - Calculating line of defence...", name);
        CalculateLineOfDefence();
      },
      [&] {
        LogF(L"[AI]: %s - Operational planning...", name);
        LogLine(L"bu 1");
        AssignOperationalOrders();
      },
      [&] {
        LogLine(L"bu 2");
        BuildUpInvasionForces();
      },
      [&] {
        LogLine(L"bu 3");
        TacticalAirStrikes();
      },
      [&] {
        LogLine(L"bu 4");
        NavalAirStrikes();
      },
      [&] {
        LogLine(L"bu 5");
        ChooseInvasionTarget();
      },
      [&] {
        LogLine(L"bu 6");
        LogF(L"[AI]: %s - Executing operational moves...", name);
        ExecuteOperationalMoves();
      },
      [&] {
        LogF(L"[AI]: %s - Planning sea transport of units to front...", name);
        if (country->ai.transportsUnitsToFrontsBySea != 0) TransportUnitsToFronts();
      },
      [&] {
        LogLine(L"Strategic bombardments");
        StrategicBombardments();
      },
      [&] {
        LogLine(L"Paratroops actions");
        ParatroopsActions();
      },
      [&] {
        LogLine(L"Fleets actions");
        FleetsActions();
      },
      [&] {
        if (AssignIdleUnitTargets()) ExecuteOperationalMoves();
      },
      [&] {
        LogLine(L"Convoys actions");
        ConvoysActions();
      },
      [&] {
        LogLine(L"Units reinforce");
        Replacements(0.98f);
      },
      [&] { LandReplacements(0.98f); },
      [&] { LogLine(L"[AI]: Ending turn"); },
  });
}

void cAI::BuildUnitLists() {
  NoteAiPhase("BuildUnitLists");
  for (auto* list : {&ownLandUnits, &alliedLandUnits, &enemyLandUnits, &neutralLandUnits}) list->clear();
  for (auto* list : {&ownAirUnits, &alliedAirUnits, &enemyAirUnits, &neutralAirUnits}) list->clear();
  ownNavalUnits.clear();
  if (gGra == nullptr || country == nullptr) return;
  LogF(L"[AI %s] Wyznaczam listy jednostek", country->name.c_str());
  const int self = country->id;
  // Own, else allied, else at war, else neutral.
  auto side = [&](int other) {
    if (other == self) return 0;
    if (country->IsAlly(other)) return 1;
    if (gGra->relations.IsAtWar(self, other)) return 2;
    return 3;
  };
  std::list<cJednostkaLadowa*>* land[4] = {&ownLandUnits, &alliedLandUnits, &enemyLandUnits, &neutralLandUnits};
  std::list<cJednostkaLotnicza*>* air[4] = {&ownAirUnits, &alliedAirUnits, &enemyAirUnits, &neutralAirUnits};
  for (cJednostkaLadowa* u : gGra->landUnits) {
    if (u->transport != nullptr) continue;
    land[side(u->countryId)]->push_back(u);
  }
  for (cJednostkaLotnicza* u : gGra->airUnits) air[side(u->countryId)]->push_back(u);
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (s->countryId == self) ownNavalUnits.push_back(s);
  // Strongest first; std::list::sort is stable, so equals keep the game's order.
  ownLandUnits.sort([](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
    return a->GetCombatStrength() > b->GetCombatStrength();
  });
}

bool cAI::NeedsLineOfDefence() const {
  for (const sAiFront& f : fronts)
    if (f.state == 1 || f.state == 2) return true;
  return false;
}

bool cAI::AssignIdleUnitTargets() {
  NoteAiPhase("AssignIdleUnitTargets");
  bool changed = false;
  // A copy: a unit's range search may touch the game's lists.
  const std::list<cJednostkaLadowa*> units = ownLandUnits;
  for (cJednostkaLadowa* u : units) {
    if (u->aiOrder != 0 && u->aiOrder != 3) continue;
    if (u->actionPoints <= 0 || u->MarkAttackTargets(true) < 1) continue;
    int x = -1;
    int y = -1;
    if (!FindOperationalTarget(u, x, y)) continue;
    u->aiOrder = 4;
    u->aiTargetX = x;
    u->aiTargetY = y;
    changed = true;
  }
  return changed;
}
