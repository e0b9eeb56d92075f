// Sea battles: the generator that finds the meetings of enemy fleets, and
// the battle with its opening stages, shots, battle turns and end.
#include "rules/sea_battle.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <mutex>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/worker_thread.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/reports.h"
#include "world/sea_graph.h"

using namespace sea_battle_values;

std::atomic<uint8_t> gSeaBattlesBusy{0};

namespace {

constexpr int kReportRaiders = 18;
constexpr int kReportSeaBattle = 20;
constexpr int kReportShipDestroyed = 33;
constexpr int kMessageDialogLayout = 684;
constexpr int kStepPauseMs = 200;
// Columns of the battle grid: the second side stands from this one on, and
// a carrier outside [4, 27) is at the edge of the battle.
constexpr int kSecondSideColumn = 15;
constexpr int kCarrierNearColumn = 4;
constexpr int kCarrierFarColumn = 27;

// The generator's working lists, shared by every battle of one run.
cSeaBattle::tSide gFirstSide;
cSeaBattle::tSide gSecondSide;
cSeaBattle::tSide gRaiders;

std::mutex gMessageMutex;
std::wstring gMessage;

void SetMessage(const std::wstring& text) {
  std::lock_guard<std::mutex> lock(gMessageMutex);
  gMessage = text;
}

std::wstring CountryNameOf(int id) {
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(id) : nullptr;
  return c != nullptr ? c->name : std::wstring();
}

// "name (country)".
std::wstring ShipText(const cJednostkaMorska& s) { return s.name + L" (" + CountryNameOf(s.countryId) + L")"; }

std::wstring FleetNameOf(const cJednostkaMorska& s) { return s.fleet != nullptr ? s.fleet->name : std::wstring(); }

int NavalDoctrine(const cJednostkaMorska& s) {
  const cPanstwo* c = s.GetCountry();
  return c != nullptr ? c->techLevels[naval_values::kNavyTech] : 0;
}

int HighestNavalDoctrine(const cSeaBattle::tSide& side) {
  int best = 0;
  for (const cJednostkaMorska* s : side) best = std::max(best, NavalDoctrine(*s));
  return best;
}

int CountType(const cSeaBattle::tSide& side, int type) {
  return static_cast<int>(std::count_if(side.begin(), side.end(), [type](const cJednostkaMorska* s) { return s->type == type; }));
}

bool OnlyTypes(const cSeaBattle::tSide& side, std::initializer_list<int> types) {
  return std::all_of(side.begin(), side.end(), [&](const cJednostkaMorska* s) {
    return std::find(types.begin(), types.end(), s->type) != types.end();
  });
}

int CountMayFire(const cSeaBattle::tSide& side) {
  return static_cast<int>(std::count_if(side.begin(), side.end(), [](const cJednostkaMorska* s) { return s->mayFire != 0; }));
}

bool SideHasHuman(const cSeaBattle::tSide& side) {
  return std::any_of(side.begin(), side.end(), [](const cJednostkaMorska* s) {
    const cPanstwo* c = s->GetCountry();
    return c != nullptr && c->humanControlled != 0;
  });
}

cJednostkaMorska* FindById(const cSeaBattle::tSide& side, int id) {
  for (cJednostkaMorska* s : side)
    if (s->unitId == id) return s;
  return nullptr;
}

void PostToEveryCountry(const std::wstring& text) {
  for (const cPanstwo* c : gGra->countries) AddReport(kReportSeaBattle, c->id, text);
}

// A message dialog, pushed under the game lock and waited for outside it.
void ShowDialogAndWait(const std::wstring& text, const std::wstring& title) {
  FrontEndHandle dialog = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    dialog = FrontEnd().ShowTextDialog(text, title, kMessageDialogLayout);
  }
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

}  // namespace

std::wstring SeaBattleMessage() {
  std::lock_guard<std::mutex> lock(gMessageMutex);
  return gMessage;
}

// ---- the battle -------------------------------------------------------------------

cSeaBattle::cSeaBattle(tSide& first, tSide& second) : firstSide(&first), secondSide(&second) {
  battleTurnsLeft = RollBattleTurns();
  autoEndRequested = gGra->pbem;
  if (!first.empty() && first.front()->fleet != nullptr) {
    if (const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(first.front()->fleet->seaNode)) location = node->name;
  }
  ComputeHumanFlags();
}

int cSeaBattle::RollBattleTurns() {
  const sConsts& c = gGra->consts;
  int total = 0;
  for (int t = 1; t <= 5; ++t) total += LengthWeight(c, t);
  const int r = RandomInRange(1, total);
  int bound = 0;
  for (int t = 1; t <= 4; ++t) {
    bound += LengthWeight(c, t);
    if (r <= bound) return t;
  }
  return 5;
}

void cSeaBattle::ComputeHumanFlags() {
  if (gGra->pbem != 0) {
    firstSideHuman = secondSideHuman = 0;
    return;
  }
  firstSideHuman = SideHasHuman(*firstSide) ? 1 : 0;
  secondSideHuman = SideHasHuman(*secondSide) ? 1 : 0;
}

void cSeaBattle::AppendLine(const std::wstring& line) {
  reportText += L'\n';
  reportText += line;
}

void cSeaBattle::ReportDestroyed(const cJednostkaMorska& target, const cJednostkaMorska& attacker,
                                 const wchar_t* how) const {
  const int fleetCountry = target.fleet != nullptr ? target.fleet->countryId : target.countryId;
  AddReport(kReportShipDestroyed, fleetCountry,
            WFormat(L"%s\n%s;%s\n%s;%s\n%s", target.name.c_str(), FleetNameOf(target).c_str(), attacker.name.c_str(),
                    CountryNameOf(attacker.countryId).c_str(), location.c_str(), how));
}

void cSeaBattle::WriteReport() {
  reportText = WFormat(L"Sea battle at %s\n\n", location.c_str());
  startingPoints.clear();
  for (const tSide* side : {firstSide, secondSide})
    for (const cJednostkaMorska* s : *side)
      startingPoints[s->unitId] = {s->name, CountryNameOf(s->countryId), s->hitPoints};

  OpeningStages();
  if (!stageEvents.empty() || regularPartCancelled != 0) BuildStageText();
  if (!stageEvents.empty()) ShowDialogAndWait(stageText, L"Fleet detected");

  // A battle decided or called off in its opening stages still files its
  // report of destroyed and damaged ships.
  if (firstSide->empty() || secondSide->empty()) {
    Finish();
    return;
  }
  if (regularPartCancelled != 0) {
    Finish();
    return;
  }
  if (!HasHumanShip()) {
    AutoBattle();
    return;
  }
  FrontEndHandle screen = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    screen = FrontEnd().OpenSeaBattleScreen(*this, [this] { AutoBattle(); });
  }
  FrontEnd().WaitForSeaBattleScreenClosed(screen, __FILE__, __LINE__);
  // The side lists live only as long as this run; a screen closed early
  // still leaves a finished battle behind.
  if (finished == 0) Finish();
}

void cSeaBattle::OpeningStages() {
  tSide& first = *firstSide;
  tSide& second = *secondSide;
  // a. Every ship ready for the first battle turn.
  for (tSide* side : {firstSide, secondSide})
    for (cJednostkaMorska* s : *side) {
      s->PrepareForBattleRound();
      const bool active = s->fleet != nullptr && s->fleet->isActive != 0;
      s->battleMarker = (s->IsFullySpotted() || active) ? 1 : 0;
      countriesInvolved.insert(s->countryId);
    }

  // b. What the next PBEM player will be told.
  if (gGra->pbem != 0) {
    pbemRecord = sPbemSeaBattle();
    for (const cJednostkaMorska* s : first) {
      pbemRecord.firstSideShips += s->name + sPbemSeaBattle::kSeparator;
      if (const cPanstwo* c = s->GetCountry(); c != nullptr && c->pbemPlayerId > 0) pbemRecord.firstSideCountries.insert(c->id);
    }
    for (const cJednostkaMorska* s : second) {
      pbemRecord.secondSideShips += s->name + sPbemSeaBattle::kSeparator;
      if (const cPanstwo* c = s->GetCountry(); c != nullptr && c->pbemPlayerId > 0) pbemRecord.secondSideCountries.insert(c->id);
    }
  }

  // c. Carrier stage.
  CarrierStrike(first, second);
  RemoveSunkShips();
  CarrierStrike(second, first);
  RemoveSunkShips();
  const int carriers1 = CountType(first, kTypeCarrier);
  const int carriers2 = CountType(second, kTypeCarrier);
  if ((carriers1 > 0) != (carriers2 > 0) && !first.empty() && !second.empty()) {
    const int d = HighestNavalDoctrine(first) - HighestNavalDoctrine(second);
    if (RandomInRange(0, 100) < 5 * std::abs(d)) {
      if (carriers1 > 0)
        CarrierStrike(first, second);
      else
        CarrierStrike(second, first);
      RemoveSunkShips();
    }
  }

  // d. Carriers may call the regular part off.
  {
    const int c1 = CountType(first, kTypeCarrier);
    const int c2 = CountType(second, kTypeCarrier);
    const int l1 = HighestNavalDoctrine(first);
    const int l2 = HighestNavalDoctrine(second);
    if (c1 > 0 && c2 == 0) {
      if (RandomInRange(0, 100) < c1 + 20 * (l1 - l2)) regularPartCancelled = 1;
    } else if (c2 > 0 && c1 == 0) {
      if (RandomInRange(0, 100) < c2 + 20 * (l2 - l1)) regularPartCancelled = 1;
    } else if (c1 > 0 && c2 > 0) {
      if (RandomInRange(0, 100) < c1 + c2 + 20) regularPartCancelled = 1;
    }
  }

  // e. Submarine stage.
  SubmarineStrike(first, second);
  RemoveSunkShips();
  SubmarineStrike(second, first);
  RemoveSunkShips();

  // f. Submarines and transports may call it off too.
  {
    const int s1 = CountType(first, kTypeSubmarine);
    const int s2 = CountType(second, kTypeSubmarine);
    const bool allSubs1 = OnlyTypes(first, {kTypeSubmarine});
    const bool allSubs2 = OnlyTypes(second, {kTypeSubmarine});
    if (allSubs1 && allSubs2) {
      if (RandomInRange(0, 100) < 100 - s1 - s2) regularPartCancelled = 1;
    } else if ((allSubs1 || allSubs2) && s1 + s2 > 0) {
      if (RandomInRange(0, 100) < (allSubs1 ? 50 - s1 : 50 - s2)) regularPartCancelled = 1;
    }
    if (OnlyTypes(first, {kTypeCargo, kTypeAmphibious}) && OnlyTypes(second, {kTypeCargo, kTypeAmphibious}))
      regularPartCancelled = 1;
  }

  // g. Who opens the regular part.
  firstSideOpens = FirstSideOpens() ? 1 : 0;
  firstSideMoves = firstSideOpens;

  // h. The first pair.
  PickShooterAndTarget();
  if (firstSideSelection == nullptr || secondSideSelection == nullptr) regularPartCancelled = 1;
  runsByItself = (!HasHumanShip() || gGra->pbem != 0) ? 1 : 0;
}

bool cSeaBattle::FirstSideOpens() const {
  const tSide& first = *firstSide;
  const tSide& second = *secondSide;
  const int c1 = CountType(first, kTypeCarrier);
  const int c2 = CountType(second, kTypeCarrier);
  if (c1 != c2) return c1 > c2;
  const int l1 = first.empty() ? 0 : NavalDoctrine(*first.front());
  const int l2 = second.empty() ? 0 : NavalDoctrine(*second.front());
  if (l1 != l2) return l1 > l2;
  if (first.size() != second.size()) return first.size() > second.size();
  if (first.empty() || second.empty()) return !first.empty();
  return first.front()->countryId < second.front()->countryId;
}

void cSeaBattle::CarrierStrike(tSide& attackers, tSide& targetSide) {
  tSide targets;
  for (cJednostkaMorska* s : targetSide)
    if (s->hitPoints >= 1) targets.push_back(s);
  for (cJednostkaMorska* carrier : attackers) {
    if (carrier->type != kTypeCarrier) continue;
    const int level = NavalDoctrine(*carrier);
    for (int attempt = 0; attempt < level && !targets.empty(); ++attempt) {
      if (RandomInRange(0, 1000) >= 30 * level) continue;
      const size_t pick = static_cast<size_t>(RandomIndex(static_cast<int>(targets.size())));
      cJednostkaMorska* target = targets[pick];
      target->hitPoints = std::max(target->hitPoints - level, 0);
      const std::wstring attackerText = ShipText(*carrier);
      const std::wstring targetText = ShipText(*target);
      const bool destroyed = target->hitPoints < 1;
      if (!destroyed) {
        AppendLine(WFormat(Txt("seabattle_aircraft_carrier_attack_hits").c_str(), attackerText.c_str(),
                           targetText.c_str(), level));
      } else {
        AppendLine(WFormat(Txt("seabattle_aircraft_carrier_attack_destroys").c_str(), attackerText.c_str(),
                           targetText.c_str()));
        ReportDestroyed(*target, *carrier, L"Aircraft carrier attack");
        targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(pick));
      }
      stageEvents.push_back(
          {sSeaBattleStageEvent::kCarrierStrike, attackerText, targetText, static_cast<float>(level), destroyed});
    }
  }
}

void cSeaBattle::SubmarineStrike(tSide& attackers, tSide& targetSide) {
  const bool onlySubmarines = OnlyTypes(*firstSide, {kTypeSubmarine}) && OnlyTypes(*secondSide, {kTypeSubmarine});
  const int factor = onlySubmarines ? 5 : 10;
  tSide targets;
  for (cJednostkaMorska* s : targetSide)
    if (s->hitPoints >= 1) targets.push_back(s);
  for (cJednostkaMorska* sub : attackers) {
    if (sub->type != kTypeSubmarine || targets.empty()) continue;
    const int level = sub->GetDoctrine();
    if (RandomInRange(0, 1000) >= level * factor) continue;
    const size_t pick = static_cast<size_t>(RandomIndex(static_cast<int>(targets.size())));
    cJednostkaMorska* target = targets[pick];
    target->hitPoints = std::max(target->hitPoints - level, 0);
    const std::wstring attackerText = ShipText(*sub);
    const std::wstring targetText = ShipText(*target);
    const bool destroyed = target->hitPoints < 1;
    if (!destroyed) {
      AppendLine(
          WFormat(Txt("seabattle_submarine_attack_hits").c_str(), attackerText.c_str(), targetText.c_str(), level));
    } else {
      AppendLine(WFormat(Txt("seabattle_submarine_attack_destroys").c_str(), attackerText.c_str(), targetText.c_str()));
      ReportDestroyed(*target, *sub, L"Submarine attack");
      targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    stageEvents.push_back(
        {sSeaBattleStageEvent::kSubmarineStrike, attackerText, targetText, static_cast<float>(level), destroyed});
  }
}

void cSeaBattle::RemoveSunkShips() {
  auto sunk = [](const cJednostkaMorska* s) { return s->hitPoints < 1; };
  std::erase_if(*firstSide, sunk);
  std::erase_if(*secondSide, sunk);
  ComputeHumanFlags();
  if (firstSideSelection != nullptr && sunk(firstSideSelection)) firstSideSelection = nullptr;
  if (secondSideSelection != nullptr && sunk(secondSideSelection)) secondSideSelection = nullptr;
  std::vector<cJednostkaMorska*> doomed;
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (sunk(s)) doomed.push_back(s);
  for (cJednostkaMorska* s : doomed) s->Kill(true);
}

void cSeaBattle::PickShooterAndTarget() {
  auto pick = [](const tSide& side, bool toMove) -> cJednostkaMorska* {
    tSide candidates;
    for (cJednostkaMorska* s : side)
      if (s->hitPoints > 0 && (toMove ? s->mayFire != 0 : s->battleMarker != 0)) candidates.push_back(s);
    if (candidates.empty()) return nullptr;
    return candidates[static_cast<size_t>(RandomIndex(static_cast<int>(candidates.size())))];
  };
  firstSideSelection = pick(*firstSide, firstSideMoves != 0);
  secondSideSelection = pick(*secondSide, firstSideMoves == 0);
}

void cSeaBattle::Shot() {
  cJednostkaMorska* shooter = firstSideMoves != 0 ? firstSideSelection : secondSideSelection;
  cJednostkaMorska* target = firstSideMoves != 0 ? secondSideSelection : firstSideSelection;
  if (shooter == nullptr || target == nullptr) {
    LogLine(secondSideSelection == nullptr ? L"Zabraklo atakerow w bitwie morskiej, zaraz sie wywali pewnie"
                                           : L"Zabraklo defenderow w bitwie morskiej, zaraz sie wywali pewnie");
    return;
  }
  int chance = shooter->GetHitChance();
  if (target->commander != nullptr) {
    const cPanstwo* tc = target->GetCountry();
    if (tc != nullptr) chance -= CommanderFactor(tc->consts) * target->commander->skill;
  }
  if (target->type == kTypeCarrier && (target->x < kCarrierNearColumn || target->x >= kCarrierFarColumn)) chance /= 2;
  const bool active = target->fleet != nullptr && target->fleet->isActive != 0;
  if (target->IsFullySpotted() != active) chance /= 2;
  if (chance < 2) chance = 1;

  FrontEnd().PlaySound(L"data\\sound\\NavalGun.wav");
  const bool planes = shooter->type == kTypeCarrier;
  std::wstring line;
  if (RandomInRange(1, 100) > chance) {
    line = WFormat(Txt(planes ? "seabattle_planes_shot_misses" : "seabattle_shot_misses").c_str(),
                   shooter->name.c_str(), target->name.c_str());
  } else {
    const int points = shooter->RollHit();
    target->hitPoints -= points;
    if (target->hitPoints > 0) {
      line = WFormat(Txt(planes ? "seabattle_planes_shot_hits" : "seabattle_shot_hits").c_str(), shooter->name.c_str(),
                     target->name.c_str(), points);
    } else {
      target->hitPoints = 0;
      line = WFormat(Txt(planes ? "seabattle_planes_shot_destroys" : "seabattle_shot_destroys").c_str(),
                     shooter->name.c_str(), target->name.c_str());
      ReportDestroyed(*target, *shooter, L"Regular battle");
    }
  }
  AppendLine(line);
  shooter->mayFire = 0;
}

void cSeaBattle::EndBattle() {
  AppendLine(Txt("seabattle_end"));
  Finish();
}

void cSeaBattle::Step() {
  if (finished != 0) return;
  if (firstSideSelection == nullptr || secondSideSelection == nullptr) {
    Shot();  // logs which selection is missing
    EndBattle();
    return;
  }
  Shot();
  RemoveSunkShips();
  if (firstSide->empty() || secondSide->empty()) {
    EndBattle();
    return;
  }
  const int mayFire1 = CountMayFire(*firstSide);
  const int mayFire2 = CountMayFire(*secondSide);
  if (mayFire1 == 0 && mayFire2 == 0) {
    EndBattleTurn();
    if (battleTurnsLeft > 0) return;
    EndBattle();
    return;
  }
  if (mayFire1 > 0 && mayFire2 > 0)
    firstSideMoves = firstSideMoves != 0 ? 0 : 1;
  else
    firstSideMoves = mayFire1 > 0 ? 1 : 0;
  PickShooterAndTarget();
}

void cSeaBattle::EndBattleTurn() {
  --battleTurnsLeft;
  reportText += L"\nTurn completed\n";
  for (tSide* side : {firstSide, secondSide})
    for (cJednostkaMorska* s : *side) {
      s->PrepareForBattleRound();
      const bool active = s->fleet != nullptr && s->fleet->isActive != 0;
      s->battleMarker = (s->IsFullySpotted() || active) ? 1 : 0;
    }
  PickShooterAndTarget();
}

void cSeaBattle::AutoBattle() {
  LogLine(L"AUTOBATTLE start");
  while (finished == 0) {
    Step();
    FrontEnd().Delay(kStepPauseMs, __FILE__, __LINE__);
  }
  LogLine(L"AUTOBATTLE end");
}

void cSeaBattle::Finish() {
  battleTurnsLeft = 0;
  std::wstring destroyed;
  std::wstring damaged;
  for (const auto& [id, start] : startingPoints) {
    const cJednostkaMorska* ship = FindById(*firstSide, id);
    if (ship == nullptr) ship = FindById(*secondSide, id);
    if (ship == nullptr) {
      destroyed += start.name + L"\n";
    } else if (ship->hitPoints < start.points) {
      damaged += WFormat(L"%s (%s) lost %d HP\n", ship->name.c_str(), CountryNameOf(ship->countryId).c_str(),
                         start.points - ship->hitPoints);
    }
  }
  if (!destroyed.empty()) reportText += L"\n\nDestroyed ships:\n" + destroyed;
  if (!damaged.empty()) reportText += L"\n\nDamaged ships:\n" + damaged;
  for (int country : countriesInvolved) AddReport(kReportSeaBattle, country, reportText);
  firstSide->clear();
  secondSide->clear();
  firstSideSelection = secondSideSelection = nullptr;
  if (gGra->pbem != 0 && pbemRecord.HasPbemPlayer()) {
    pbemRecord.report = reportText;
    gGra->pbemSeaBattles.push_back(pbemRecord);
  }
  finished = 1;
  LogLine(reportText);
  if (gGra->GetState() == kStateSeaBattleScreen) FrontEnd().EnableSeaBattleCloseOnly();
}

void cSeaBattle::BuildStageText() {
  auto lines = [this](int kind) {
    std::wstring out;
    for (const sSeaBattleStageEvent& e : stageEvents) {
      if (e.kind != kind) continue;
      const int points = static_cast<int>(std::lround(e.pointsLost));
      out += WFormat(Txt(e.destroyed ? "___%s_destroyed_%s_(inflicted_%i_hp_loss)"
                                     : "___%s_attacked_%s_and_inflicted_%i_hp_loss")
                         .c_str(),
                     e.attacker.c_str(), e.target.c_str(), points);
      out += L"\n";
    }
    return out.empty() ? std::wstring(L"___(none)\n") : out;
  };
  stageText = L"Aircraft carrier groups\n-----------------\n";
  stageText += lines(sSeaBattleStageEvent::kCarrierStrike);
  stageText += L"\nSubmarines\n-----------------\n";
  stageText += lines(sSeaBattleStageEvent::kSubmarineStrike);
  if (regularPartCancelled != 0)
    stageText += Txt("due_to_the_result_of_this_stage_of_the_battle,_regular_part_has_been_cancelled.");
}

bool cSeaBattle::SelectFirstSideShip(int shipId) {
  cJednostkaMorska* s = FindById(*firstSide, shipId);
  if (s == nullptr || (firstSideMoves != 0 && s->mayFire == 0)) return false;
  firstSideSelection = s;
  return true;
}

bool cSeaBattle::SelectSecondSideShip(int shipId) {
  cJednostkaMorska* s = FindById(*secondSide, shipId);
  if (s == nullptr || (firstSideMoves == 0 && s->mayFire == 0)) return false;
  secondSideSelection = s;
  return true;
}

void cSeaBattle::RequestAutoEnd() {
  autoEndRequested = 1;
  stepCountdown = 0.0f;
}

void cSeaBattle::RequestNextTurn() {
  nextTurnRequested = 1;
  stepCountdown = 0.0f;
}

bool cSeaBattle::TryRetreat(cJednostkaMorska& ship) {
  cGameLockGuard lock(__FILE__, __LINE__);
  const cPanstwo* country = ship.GetCountry();
  const int chance = country != nullptr ? RetreatChance(country->consts) : 0;
  const std::wstring countryName = CountryNameOf(ship.countryId);
  const bool success = RandomInRange(1, 100) < chance;
  if (success) {
    AppendLine(WFormat(L"%s (%s) tried to retreat with chance %d%%: success", ship.name.c_str(), countryName.c_str(),
                       chance));
    if (ship.x >= 0 && ship.y >= 0) FrontEnd().ClearSeaBattleGridUnit(ship.x, ship.y);
    // The ship leaves the list that holds it, whatever its grid column says.
    std::erase(*firstSide, &ship);
    std::erase(*secondSide, &ship);
    startingPoints.erase(ship.unitId);
  } else {
    AppendLine(WFormat(L"%s (%s) tried to retreat: failed", ship.name.c_str(), countryName.c_str()));
  }
  ship.mayFire = 0;
  ship.exchangeFlag = 1;
  // A ship that has left, or has spent its turn on the attempt, neither
  // fires nor is fired at as the current pair.
  if (firstSideSelection == &ship || secondSideSelection == &ship) PickShooterAndTarget();
  return success;
}

// ---- the generator ------------------------------------------------------------------

namespace {

// Who looks for the enemy at a node: an alliance through its leader, or a
// country that belongs to no alliance.
struct sSeeker {
  int alliance = 0;  // 1..3, 0 for a country alone
  cPanstwo* country = nullptr;  // the leader, or the country alone

  bool Owns(const cJednostkaMorska& s) const {
    if (alliance == 0) return s.countryId == country->id;
    const cPanstwo* c = s.GetCountry();
    return c != nullptr && (c->alliance == alliance || c->alliance == alliance + 3);
  }
  bool IsEnemyFleet(const sFlota& f) const { return country->IsAtWarWith(f.countryId); }
};

bool StandsAt(const cJednostkaMorska& s, int node) { return s.fleet != nullptr && s.fleet->seaNode == node; }

bool OrdinaryActive(const cJednostkaMorska& s) { return s.fleet->formation == 0 && s.fleet->isActive != 0; }

bool Joins(const cPanstwo* c) { return c != nullptr && RandomInRange(1, 100) <= JoinChance(c->consts); }

std::vector<cJednostkaMorska*> ShipsAt(int node) {
  std::vector<cJednostkaMorska*> out;
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (StandsAt(*s, node)) out.push_back(s);
  return out;
}

void RunBattle(const std::wstring& message) {
  cSeaBattle battle(gFirstSide, gSecondSide);
  SetMessage(message);
  LogLine(message);
  PostToEveryCountry(message);
  battle.WriteReport();
  gFirstSide.clear();
  gSecondSide.clear();
}

const char* MeetingKey(int alliance) {
  switch (alliance) {
    case kAllianceAllies: return "allied_fleets_have_met_enemy_formations_in_%s";
    case kAllianceAxis: return "axis_fleets_have_met_enemy_formations_in_%s";
    default: return "comintern_fleets_have_met_enemy_formations_in_%s";
  }
}

const char* RaiderKey(int alliance) {
  switch (alliance) {
    case kAllianceAllies: return "allied_fleets_have_met_enemy_raider_(%s)_in_%s";
    case kAllianceAxis: return "axis_fleets_have_met_enemy_raider_(%s)_in_%s";
    default: return "comintern_fleets_have_met_enemy_raider_(%s)_in_%s";
  }
}

// Steps 5 and 6: the seeker's ships meet the enemy's ordinary fleets.
void Meeting(const sSeeker& seeker, const sWezelGrafuMorz& node) {
  gFirstSide.clear();
  gSecondSide.clear();
  int detection = 0;
  for (cJednostkaMorska* s : ShipsAt(node.id)) {
    const cPanstwo* c = s->GetCountry();
    if (seeker.Owns(*s) && OrdinaryActive(*s)) {
      if (c != nullptr) detection += Detection(c->consts, s->type);
      if (Joins(c)) gFirstSide.push_back(s);
    }
    if (seeker.IsEnemyFleet(*s->fleet) && s->fleet->formation == 0) {
      // Enemies of each other never fight side by side.
      const bool quarrel = std::any_of(gSecondSide.begin(), gSecondSide.end(), [s](const cJednostkaMorska* o) {
        const cPanstwo* oc = o->GetCountry();
        return oc != nullptr && oc->IsAtWarWith(s->countryId);
      });
      if (!quarrel && Joins(c)) gSecondSide.push_back(s);
    }
  }
  if (gFirstSide.empty() || gSecondSide.empty()) return;
  if (RandomInRange(1, 1000) > detection) {
    LogLine(Txt("check_failed._no_battle_here_this_time."));
    return;
  }
  std::wstring message;
  if (seeker.alliance != 0) {
    LogLine(L"Check succeeded, starting battle");
    message = WFormat(Txt(MeetingKey(seeker.alliance)).c_str(), node.name.c_str());
  } else {
    LogLine(Txt("check_succeeded._starting_battle."));
    message = WFormat(Txt("fleets_of_%s_have_met_enemy_formations_in_%s").c_str(), seeker.country->name.c_str(),
                      node.name.c_str());
  }
  RunBattle(message);
}

// Steps 7 and 8: the seeker's ships may find the enemy's raiders one by one.
void RaiderDetection(const sSeeker& seeker, const sWezelGrafuMorz& node) {
  int detection = 0;
  gRaiders.clear();
  for (cJednostkaMorska* s : ShipsAt(node.id)) {
    if (seeker.Owns(*s) && OrdinaryActive(*s)) {
      if (const cPanstwo* c = s->GetCountry()) detection += Detection(c->consts, s->type);
    }
    if (seeker.IsEnemyFleet(*s->fleet) && s->fleet->formation == 1) gRaiders.push_back(s);
  }
  if (gRaiders.empty()) return;
  const int chance = detection / static_cast<int>(gRaiders.size());
  if (seeker.alliance == 0) LogF(L"Szansa wykrycia 1 rajdera na %s wynosi %i", node.name.c_str(), chance);
  // Ids, not pointers: a battle may sink ships.
  std::vector<int> raiderIds;
  for (const cJednostkaMorska* r : gRaiders) raiderIds.push_back(r->unitId);
  for (int id : raiderIds) {
    cJednostkaMorska* raider = gGra->FindNavalUnitById(id);
    if (raider == nullptr || !StandsAt(*raider, node.id)) continue;
    const bool found = RandomInRange(1, 1000) <= chance;
    if (seeker.alliance == 0)
      LogLine(WFormat(Txt(found ? "check_for_raider_detection_(for_%s)_succeeded!"
                                : "check_for_raider_detection_(for_%s)_failed!")
                          .c_str(),
                      raider->name.c_str()));
    if (!found) continue;
    gFirstSide.clear();
    gSecondSide.clear();
    const cPanstwo* raiderCountry = raider->GetCountry();
    for (cJednostkaMorska* s : ShipsAt(node.id))
      if (seeker.Owns(*s) && OrdinaryActive(*s) && Joins(raiderCountry)) gFirstSide.push_back(s);
    if (gFirstSide.empty()) continue;
    gSecondSide.push_back(raider);
    std::wstring message;
    if (seeker.alliance != 0)
      message = WFormat(Txt(RaiderKey(seeker.alliance)).c_str(), raider->name.c_str(), node.name.c_str());
    else
      message = WFormat(Txt("fleets_of_%s_have_met_enemy_raider_(%s)_in_%s").c_str(), seeker.country->name.c_str(),
                        raider->name.c_str(), node.name.c_str());
    RunBattle(message);
  }
  gRaiders.clear();
}

// Step 3: every carrier, and every submarine of a raider fleet, may strike.
void RaidersStrike() {
  const std::vector<cJednostkaMorska*> ships(gGra->navalUnits.begin(), gGra->navalUnits.end());
  std::vector<int> ids;
  for (const cJednostkaMorska* s : ships) ids.push_back(s->unitId);
  for (int id : ids) {
    cJednostkaMorska* s = gGra->FindNavalUnitById(id);
    if (s == nullptr || s->fleet == nullptr) continue;
    if (!(s->type == kTypeCarrier || (s->type == kTypeSubmarine && s->fleet->formation == 1))) continue;
    std::wstring message;
    if (!s->SurpriseAttack(message)) continue;
    SetMessage(message);
    const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(s->fleet->seaNode);
    const std::wstring report = L"Raiders activity - " + (node != nullptr ? node->name : std::wstring()) + L"\n\n" + message;
    AddReport(kReportRaiders, s->countryId, report);
    const cPanstwo* owner = s->GetCountry();
    const cPanstwo* current = gGra->selection.currentCountry;
    const bool shown = owner != nullptr && (owner->humanControlled != 0 || (current != nullptr && owner->IsAlly(current->id)));
    if (shown) {
      LogLine(L"Bede pokazywal raport o raiderach komunikujacy:");
      LogLine(message);
      LogLine(report);
      ShowDialogAndWait(report, L"Raiders");
    }
  }
}

}  // namespace

void SeaBattlesGenerator() {
  if (gGra == nullptr) return;
  LogLine(Txt("sea_battles_generator_thread_started"));

  std::vector<sSeeker> alliances;
  for (int a = kAllianceAllies; a <= kAllianceComintern; ++a)
    if (cPanstwo* leader = gGra->FindCountryByAlliance(a + 3)) alliances.push_back({a, leader});
  std::vector<sSeeker> loners;
  for (cPanstwo* c : gGra->countries)
    if (c->alliance == kAllianceNeutral && c->IsAtWarWithAnyone()) loners.push_back({0, c});

  RaidersStrike();

  std::vector<cJednostkaMorska*> wrecks;
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (s->hitPoints < 1) wrecks.push_back(s);
  for (cJednostkaMorska* s : wrecks) s->Kill(true);

  // A game ending meanwhile fights no more battles.
  for (size_t i = 0; i < gGra->seaGraph.nodes.size() && !WorkerMustStop(); ++i) {
    const sWezelGrafuMorz& node = gGra->seaGraph.nodes[i];
    if (node.IsPort()) continue;
    for (const sSeeker& s : alliances) Meeting(s, node);
    for (const sSeeker& s : loners) Meeting(s, node);
    for (const sSeeker& s : alliances) RaiderDetection(s, node);
    for (const sSeeker& s : loners) RaiderDetection(s, node);
  }
  gFirstSide.clear();
  gSecondSide.clear();
  gGra->SetState(kStateEndOfImpulse);
}

void GenerateSeaBattles() {
  gFirstSide.clear();
  gSecondSide.clear();
  gRaiders.clear();
  SetMessage(Txt("please_wait"));
  gSeaBattlesBusy = 1;
  SeaBattlesGenerator();
  // Nothing else clears it, and the waiting display would wait for good.
  gSeaBattlesBusy = 0;
}
