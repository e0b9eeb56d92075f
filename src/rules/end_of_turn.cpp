// The end of an impulse and the phases of the end of a turn: the world is
// refreshed for the next impulse and, at the end of a turn, surrenders,
// sieges, production, upkeep, research, events, the game-over test, convoy
// results and sea battles run before the date advances.
#include "rules/end_of_turn.h"

#include <algorithm>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/sea_battle.h"
#include "rules/supply.h"
#include "rules/worker_thread.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/phase_report.h"
#include "world/reports.h"
#include "world/selection.h"

namespace {

// A message of a phase: pushed under the game lock, waited for without it,
// so that the main thread can draw and close it meanwhile.
void ShowMessageAndWait(const std::wstring& text, const std::wstring& title) {
  FrontEndHandle dialog = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    dialog = FrontEnd().ShowTextDialog(text, title, kMessageDialogLayout);
  }
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

// Countries that take part in the country phases: active, with a play-order
// key of 0 or more.
bool TakesPartInPhases(const cPanstwo* c) { return c != nullptr && c->active != 0 && c->politicalStrength >= 0; }

// The entrenchment change of a land unit at the end of an impulse.
int EntrenchmentChange(const cJednostkaLadowa& u) {
  if (u.startingActionPoints == 0 && u.deployedThisTurn == 0) return 1;
  // It has not spent any of its action points.
  if (u.actionPoints == u.startingActionPoints && u.actionPoints > 0) return 1;
  if (u.x == u.lastX && u.y == u.lastY) return 0;
  return -u.trenchBonusMultiplier;
}

void CountDownHarbours(cGra& game) {
  if (game.date.month == game.lastHarbourMonth) return;
  game.lastHarbourMonth = game.date.month;
  LogLine(L"Zmniejszam liczniki zycia mulberry");
  std::vector<cJednostkaLadowa*> expired;
  for (cJednostkaLadowa* u : game.landUnits) {
    if (u->type != kTypeMulberry) continue;
    auto* harbour = dynamic_cast<cMulberry*>(u);
    if (harbour == nullptr) continue;
    if (--harbour->monthsLeft < 1) expired.push_back(harbour);
  }
  // Killed after the walk: a kill takes the unit off the list.
  for (cJednostkaLadowa* u : expired) u->Kill();
}

void Entrench(cGra& game) {
  LogLine(L"Modyfikuje jednostkom bonusy z okopania");
  for (cJednostkaLadowa* u : game.landUnits) {
    u->trenchBonusMultiplier += EntrenchmentChange(*u);
    u->lastX = u->x;
    u->lastY = u->y;
    const cPanstwo* owner = u->GetCountry();
    if (owner == nullptr) continue;
    const int most = turn_values::MaxEntrenchment(owner->consts);
    if (u->trenchBonusMultiplier > most) u->trenchBonusMultiplier = most;
  }
}

void RollWeather(cGra& game) {
  LogLine(L"Losuje pogode");
  if (game.map != nullptr) game.map->RollWeather(std::clamp(game.date.month, 1, 12) - 1);
}

// The commanders' marks as well.
void ClearCountryMarks(cGra& game) {
  for (sDowodca* c : game.commanders)
    if (c->state == 1) c->state = 0;
  LogLine(L"Zaznaczam kazdemu panstwu rozne pierdoly");
  for (cPanstwo* c : game.countries) {
    if (c->active == 0) continue;
    c->finishedTurn = 0;
    c->doneDelayWarEntry = 0;
    c->doneHasteWarEntry = 0;
    c->doneTurnInOrientation = 0;
    c->doneExertPressureAxis = 0;
    c->doneExertPressureAllied = 0;
    c->doneExertPressureComintern = 0;
  }
}

void RepairProductionAndPorts(cGra& game) {
  LogLine(L"Odbudowuje zniszczenia produkcji");
  for (cMiasto* city : game.cities) {
    if (city->bombardmentLosses <= 0) continue;
    --city->bombardmentLosses;
    city->productionPoints += 1.0f;
  }
  LogLine(L"Odbudowuje zniszczenia z portow");
  for (sWezelGrafuMorz& node : game.seaGraph.nodes)
    if (node.currentSize < node.maxSize) ++node.currentSize;
  for (sWezelGrafuMorz& node : game.seaGraph.nodes) node.AssignBestCommander(-1);
}

void ClearEventsEffects(cGra& game) {
  LogLine(L"Zeruje efektywnosci z eventu dla jedn ladowych");
  for (cJednostkaLadowa* u : game.landUnits) u->eventsEffect = 0;
}

void RunSupply(cGra& game) {
  game.seaGraph.ClearConvoyPassages();
  if (game.map == nullptr) return;
  cTopografia& topography = WorldTopography();
  topography.CalculateSupply();
  topography.SupplyFromMulberries();
  topography.SupplyFromShips();
  game.map->AbsorbUnsuppliedHexes();
}

void RefreshLandUnits(cGra& game) {
  LogLine(L"Refreshuje wspolczynniki dla jednostek ladowych");
  for (cJednostkaLadowa* u : game.landUnits) {
    if (u->type == kTypeMulberry) {
      const cPanstwo* owner = u->GetCountry();
      if (owner != nullptr) {
        const float most = turn_values::HarbourStrength(owner->consts);
        if (static_cast<float>(u->strength) > most) u->SetStrength(static_cast<int>(most));
      }
    }
    // Frozen for 10000 turns or more means for ever.
    if (u->freezeTime < 10000 && u->freezeTime > 0) --u->freezeTime;
    u->shoreBombardmentEffect = 0.0f;
    u->ResetActionPoints();
    // The commander in range is looked for again: units and commanders
    // have moved since the last impulse, and effectiveness depends on him.
    u->AssignBestCommander();
    u->UpdateEffectiveness();
    u->attacked = 0;
    u->wasAttacked = 0;
  }
}

void RefreshAirAndNavalUnits(cGra& game) {
  LogLine(L"Refreshuje wspolczynniki dla jednostek lotniczych");
  for (cJednostkaLotnicza* u : game.airUnits) {
    u->ResetActionPoints();
    u->AssignBestCommander();
    u->UpdateEffectiveness();
    u->attacked = 0;
    u->wasAttacked = 0;
    u->reconDone = 0;
  }
  LogLine(L"Refreshuje wspolczynniki dla jednostek morskich");
  for (cJednostkaMorska* s : game.navalUnits) {
    s->shoreBombardmentDone = 0;
    s->airstrikeDone = 0;
    s->reconDone = 0;
    s->canBeRepaired = 1;
  }
  LogLine(L"Refreshuje wspolczynniki dla flot");
  for (sFlota* f : game.fleets) f->hasMoved = 0;
}

void CountDownProduction(cGra& game) {
  LogLine(L"Zmniejszam czas produkcji...");
  for (cJednostka* u : game.reserve)
    if (u->availableInTurns > 0) --u->availableInTurns;
  for (cJednostkaMorska* s : game.navalReserve)
    if (s->availableInTurns > 0) --s->availableInTurns;
}

void ShowConvoysResults(cGra& game) {
  LogLine(L"Rozgrywam dodatkowe");
  ShowInfoPanelMessage(Txt("statusbar_hint_convoys_results"));
  game.ConvoysResults();
}

void ClearReconSightings(cGra& game) {
  LogLine(L"Czyszcze listy odkrytych jednostek");
  for (cPanstwo* c : game.countries) c->airReconSightings.clear();
}

void FightSeaBattles(cGra& game) {
  LogLine(L"Rozgrywam bitwy morskie");
  ShowInfoPanelMessage(Txt("statusbar_hint_determining_sea_battles"));
  game.SetState(kStateSeaBattles);
  GenerateSeaBattles();
}

// War economy on the first turn of a month, for a country at war.
void GrowWarEconomy(cPanstwo& c) {
  if (c.warEconomy < 100.0f) {
    const bool dictatorship = c.orientation == 1 || c.orientation == 2;
    c.warEconomy += dictatorship ? turn_values::WarEconomyGrowthDictatorship(c.consts)
                                 : turn_values::WarEconomyGrowthOther(c.consts);
    if (c.warEconomy > 100.0f) c.warEconomy = 100.0f;
  } else {
    c.warEconomy += turn_values::WarEconomyChangeAbove100(c.consts);
  }
}

void RefreshCountries(cGra& game, bool endOfTurn) {
  LogLine(L"Odswiezam rozne wspolczynniki dla wszystkich krajow");
  const bool firstTurnOfMonth = game.IsFirstTurnOfMonth();
  for (cPanstwo* c : game.countries) {
    if (c->active == 0) continue;
    c->ChangeSocialUnrest(-turn_values::SocialUnrestDecrease(c->consts));
    // The strategic-move pool is refilled from its maximum; the amphibious
    // capacity is the free points plus what the ships carry now.
    c->strategicMovementPoints = c->strategicMovementUsed;
    c->amphibiousPointsInUse = c->amphibiousPoints;
    c->AccumulateAmphibiousShipCapacity();
    if (endOfTurn && firstTurnOfMonth && c->IsAtWarWithAnyone()) GrowWarEconomy(*c);
  }
}

void AdvanceDate(cGra& game) {
  ++game.turn;
  --game.turnsLeft;
  LogLine(L"Zmieniam date");
  ++game.date.turn;
  if (game.date.turn > game.TurnsInCurrentMonth()) {
    game.date.turn = 1;
    if (++game.date.month > 12) {
      game.date.month = 1;
      ++game.date.year;
    }
  }
  // The date shown (minimap, saved games' list) is the turn's own; only the
  // first turn shows the day its scenario names.
  if (game.turn != 1) {
    game.displayedDay = game.date.GetDayOfMonth(game.consts.turnsPerMonth);
    game.displayedMonth = game.date.month;
    game.displayedYear = game.date.year;
  }
}

}  // namespace

int cGra::TurnsInCurrentMonth() const {
  const int month = std::clamp(date.month, 1, 12);
  // A month without turns would never end and would divide by zero.
  return std::max(1, consts.turnsPerMonth[month - 1]);
}

bool cGra::IsFirstTurnOfMonth() const { return (turn - 1) % TurnsInCurrentMonth() == 0; }

void cGra::EndOfImpulse(bool endOfTurn) {
  LogLine(L"Zaczynam wykonywanie konca impulsu");
  ShowInfoPanelMessage(Txt("end_of_turn"));
  // A game ending meanwhile starts no phase after the one under way; its
  // date stays.
  const bool refreshed = RunPhasesUntilStop({
      [&] { CountDownHarbours(*this); },
      [&] { RollWeather(*this); },
      [&] { Entrench(*this); },
      [&] { ClearCountryMarks(*this); },
      [&] { RepairProductionAndPorts(*this); },
      [&] { ClearEventsEffects(*this); },
  });
  if (!refreshed) return;
  if (endOfTurn) {
    const bool checked = RunPhasesUntilStop({
        [&] { CheckSurrenders(); },
        [&] { CheckSieges(); },
        [&] { CalculateProduction(); },
        [&] { CalculateUpkeep(); },
        [&] { CalculateResearch(); },
        [&] {
          if (pbem == 0) CheckEvents();
        },
        [&] { CheckGameOver(); },
    });
    if (!checked) return;
    if (gameOver != 0) {
      gConsole.Flush();
      return;
    }
  }
  const bool done = RunPhasesUntilStop({
      [&] { RunSupply(*this); },
      [&] {
        if (endOfTurn) ShowConvoysResults(*this);
      },
      [&] { RefreshLandUnits(*this); },
      [&] { RefreshAirAndNavalUnits(*this); },
      [&] {
        if (endOfTurn) CountDownProduction(*this);
      },
      [&] { ClearReconSightings(*this); },
      [&] { RefreshCountries(*this, endOfTurn); },
      [&] {
        if (endOfTurn) FightSeaBattles(*this);
      },
      [&] { AdvanceDate(*this); },
  });
  if (!done) return;
  LogLine(L"Koniec impulsu wykonany");
  // The log of a whole turn is on disk before the next one starts.
  if (endOfTurn) gConsole.Flush();
}

// ---- the turn phases -----------------------------------------------------

void cGra::CheckSurrenders() {
  LogLine(L"CHECKING FOR SURRENDERS...");
  for (cPanstwo* c : countries) {
    if (c->active == 0 || !c->HasLostAllVictoryCities()) continue;
    const std::wstring title = WFormat(Txt("%s_surrenders!").c_str(), c->name.c_str());
    sPhaseReport record;
    // Nobody could take the surrender: the country fights on.
    if (!c->SurrenderTo(record)) continue;
    ShowMessageAndWait(record.headline + L"\n\n" + record.body, title);

    const int code = c->alliance;
    if (code < 4 || code > 6) continue;
    std::wstring allianceName;
    c->GetAllianceDisplayName(allianceName, false);
    c->alliance = kAllianceNeutral;
    if (cPanstwo* leader = DetermineNewAllianceLeader(code)) {
      leader->alliance = code;
      ShowMessageAndWait(WFormat(Txt("with_%s_annexed,_%s_becomes_new_leader_of_%s").c_str(), c->name.c_str(),
                                 leader->name.c_str(), allianceName.c_str()),
                         WFormat(Txt("leader_of_%s_eliminated!").c_str(), allianceName.c_str()));
      continue;
    }
    // The alliance ceases to exist: whoever leaned to it turns to one of the
    // other two at random.
    const int leaning[3][2] = {{0, 3}, {1, 4}, {2, 5}};
    const int turnTo[3][2] = {{4, 5}, {3, 5}, {3, 4}};
    const int side = code - 4;
    for (cPanstwo* other : countries) {
      if (other->orientation != leaning[side][0] && other->orientation != leaning[side][1]) continue;
      other->orientation = turnTo[side][RandomIndex(2)];
      LogLine(WFormat(Txt("since_%s_is_eliminated_%s_changes_alignment_to_%i").c_str(), allianceName.c_str(),
                      other->name.c_str(), other->orientation));
    }
    ShowMessageAndWait(Txt("last_country_in_alliance_has_been_annexed._alliance_ceases_to_exist."),
                       WFormat(Txt("%s_eliminated!").c_str(), allianceName.c_str()));
  }
  LogLine(L"CHECKING FOR SURRENDERS FINISHED");
}

cPanstwo* cGra::DetermineNewAllianceLeader(int code) {
  LogLine(WFormat(Txt("determining_new_leader_of_alliance_%i").c_str(), code));
  const int member = code > 3 ? code - 3 : code;
  cPanstwo* leader = nullptr;
  int best = 0;
  for (cPanstwo* c : countries) {
    if (c->active == 0 || member == 0 || c->alliance != member) continue;
    if (c->politicalStrength >= best) {
      best = c->politicalStrength;
      leader = c;
    }
  }
  if (leader == nullptr) {
    LogLine(L"Could not determine new leader - no countries left in alliance!");
    return nullptr;
  }
  LogLine(WFormat(Txt("%s_becomes_new_leader").c_str(), leader->name.c_str()));
  return leader;
}

void cGra::CheckSieges() {
  LogLine(L"CHECKING FOR SIEGES...");
  for (cMiasto* city : cities) {
    LogF(L"Checking city %s", city->name.c_str());
    if (!city->IsBesieged()) continue;
    std::wstring text;
    city->CheckSiege(text);
    const cPanstwo* controller = GetCountry(city->GetController());
    const wchar_t* controllerName = controller != nullptr ? controller->name.c_str() : L"";
    const std::wstring title = WFormat(L"Siege of %s (%s)\n\n", city->name.c_str(), controllerName);
    const std::wstring report = WFormat(L"Siege of %s (%s)\n\n%s", city->name.c_str(), controllerName, text.c_str());
    for (int id = 1; id <= static_cast<int>(countries.size()); ++id) AddReport(kSiegeReport, id, report);
    ShowMessageAndWait(text, title);
  }
  LogLine(L"CHECKING FOR SIEGES FINISHED");
}

void cGra::CalculateProduction() {
  LogLine(L"CALCULATING PRODUCTION...");
  relations.ComputeLossShares();
  for (cPanstwo* c : countries) {
    if (!TakesPartInPhases(c)) continue;
    sPhaseReport report;
    c->CollectProduction(report);
    AddReport(kProductionReport, c->id, WFormat(L"%s\n\n%s", report.headline.c_str(), report.body.c_str()));
  }
  LogLine(L"CALCULATING PRODUCTION FINISHED.");
}

void cGra::CalculateUpkeep() {
  LogLine(L"CALCULATING UNITS UPKEEP COSTS...");
  for (cPanstwo* c : countries) {
    if (!TakesPartInPhases(c)) continue;
    sPhaseReport report;
    c->ComputeUnitUpkeep(report);
    const std::wstring text = report.headline + L"\n\n" + report.body;
    AddReport(kUpkeepReport, c->id, WFormat(Txt("report_upkeep_summary_main_content").c_str(), text.c_str()));
  }
  LogLine(L"CALCULATING UNITS UPKEEP COSTS FINISHED");
}

void cGra::CalculateResearch() {
  LogLine(L"CALCULATING RESEARCH...");
  if (IsFirstTurnOfMonth()) {
    for (cPanstwo* c : countries) {
      if (!TakesPartInPhases(c)) continue;
      c->ChangeDiplomaticPoints(c->dpGrowthPerMonth);
      sPhaseReport report;
      c->MonthlyResearch(report);
      const std::wstring text = report.headline + L"\n\n" + report.body;
      AddReport(kResearchReport, c->id, WFormat(Txt("report_research_main_content").c_str(), text.c_str()));
      c->AdvanceLandDoctrine();
    }
  }
  LogLine(L"CALCULATING RESEARCH FINISHED");
}

void cGra::ConvoysResults() {
  if (convoys == nullptr) return;
  const cPanstwo* shown = selection.lastShownCountry;
  for (cPanstwo* c : countries) {
    if (!TakesPartInPhases(c) || !convoys->HasConvoyResults(c->id)) continue;
    if (pbem == 0 ? c->humanControlled == 0 : (shown == nullptr || c->pbemPlayerId != shown->pbemPlayerId)) continue;
    FrontEndHandle dialog = 0;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      dialog = FrontEnd().ShowConvoyResults(c->id);
    }
    FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
  }
}
