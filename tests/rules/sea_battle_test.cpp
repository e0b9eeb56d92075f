// Sea battles: a battle worked out by hand, the screen's step-by-step
// fight against the automatic one, retreats, the opening stages, the
// meetings of fleets per zone and alliance, and the PBEM record.
#include "rules/sea_battle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "core/front_end.h"
#include "core/random.h"
#include "support/naval_fixtures.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/commander.h"
#include "world/reports.h"

namespace {

using naval_test::AddFleet;
using naval_test::AddZone;
using world_test::GameFixture;

// Country ids: 1 leads the allies, 2 the axis, 3 the comintern, 4 belongs
// to no alliance, 5 is an allied member.
enum { kBritain = 1, kGermany = 2, kRussia = 3, kNeutralia = 4, kCanada = 5 };

std::vector<std::wstring> ReportTexts(int kind, int country) {
  std::vector<std::wstring> out;
  for (const sRaport& r : gGra->reports->reports)
    if (r.kind == kind && r.countryId == country) out.push_back(r.text);
  return out;
}

int BattleReportCount(int country) {
  int n = 0;
  for (const std::wstring& t : ReportTexts(20, country))
    if (t.rfind(L"Sea battle at", 0) == 0) ++n;
  return n;
}

class SeaBattle : public ::testing::Test {
 protected:
  SeaBattle() : g(12, 12, 5) {
    unit_test::LoadShippedStrings();
    const wchar_t* names[] = {L"Britain", L"Germany", L"Russia", L"Neutralia", L"Canada"};
    const int alliances[] = {4, 5, 6, 0, 1};
    for (cPanstwo* c : g.game->countries) {
      c->name = names[c->id - 1];
      c->alliance = alliances[c->id - 1];
      c->techLevels[5] = 7;  // navy: every shot hits, every hit takes one point
      c->techLevels[4] = 1;
      std::fill(std::begin(c->consts.c077), std::end(c->consts.c077), 1000);  // always detected
      c->consts.c172 = 100;  // every ship joins
      c->consts.c173 = 5;
      c->consts.c174 = 30;
      c->consts.carrierMinHitPoints = 0;
    }
    const int oneTurn[5] = {1, 0, 0, 0, 0};
    std::copy(oneTurn, oneTurn + 5, g.game->consts.seaBattleValues);
    zone = AddZone(g, 2, 2, L"North");
    SetFrontEnd(&fe);
    SeedRandom(12345);
  }
  ~SeaBattle() override { SetFrontEnd(nullptr); }

  void Turns(int turns) {
    std::fill(std::begin(g.game->consts.seaBattleValues), std::end(g.game->consts.seaBattleValues), 0);
    g.game->consts.seaBattleValues[turns - 1] = 1;
  }
  cJednostkaMorska* Ship(int country, int type, int hp, const wchar_t* name, int node = 0) {
    sFlota* f = AddFleet(g, country, node == 0 ? zone : node, {type}, hp);
    cJednostkaMorska* s = f->ships.front();
    s->SetName(name);
    s->spottedLevel = 5;  // seen, in an active fleet: no halving of hit chances
    return s;
  }

  GameFixture g;
  cRecordingFrontEnd fe;
  int zone = 0;
  cSeaBattle::tSide first;
  cSeaBattle::tSide second;
};

// Two ships whose every shot hits for one point: the order of shots, the
// battle turn, the sinking and the closing lists follow by hand.
TEST_F(SeaBattle, HandComputedBattle) {
  g.SetWar(kBritain, kGermany);
  Turns(3);
  cJednostkaMorska* warspite = Ship(kBritain, kTypeBattleship, 3, L"Warspite");
  cJednostkaMorska* emden = Ship(kGermany, kTypeCruiser, 2, L"Emden");
  const std::wstring emdenFleet = emden->fleet->name;
  first = {warspite};
  second = {emden};
  cSeaBattle battle(first, second);
  EXPECT_EQ(battle.battleTurnsLeft, 3);
  EXPECT_EQ(battle.location, L"North");
  battle.WriteReport();

  // Britain opens (same carriers, doctrine and size, lower country id):
  // Warspite 3, Emden 2 -> Emden 1 -> Warspite 2 -> new turn -> Emden fires
  // again (it moved last) -> Warspite 1 -> Warspite sinks Emden.
  const std::wstring expected =
      L"Sea battle at North\n\n"
      L"\nWarspite hits Emden (1 HP)"
      L"\nEmden hits Warspite (1 HP)"
      L"\nTurn completed\n"
      L"\nEmden hits Warspite (1 HP)"
      L"\nWarspite sinks Emden"
      L"\nThe battle is over."
      L"\n\nDestroyed ships:\nEmden\n"
      L"\n\nDamaged ships:\nWarspite (Britain) lost 2 HP\n";
  EXPECT_EQ(battle.reportText, expected);
  EXPECT_EQ(battle.finished, 1);
  EXPECT_EQ(battle.battleTurnsLeft, 0);
  EXPECT_EQ(warspite->hitPoints, 1);
  EXPECT_EQ(g.game->navalUnits.size(), 1u);  // Emden is gone from the game
  EXPECT_TRUE(first.empty() && second.empty());
  EXPECT_TRUE(battle.stageText.empty());

  EXPECT_EQ(ReportTexts(20, kBritain), std::vector<std::wstring>{expected});
  EXPECT_EQ(ReportTexts(20, kGermany), std::vector<std::wstring>{expected});
  EXPECT_TRUE(ReportTexts(20, kRussia).empty());
  EXPECT_EQ(ReportTexts(33, kGermany),
            std::vector<std::wstring>{L"Emden\n" + emdenFleet + L";Warspite\nBritain;North\nRegular battle"});
  EXPECT_EQ(fe.Count("PlaySound"), 4);
  EXPECT_EQ(fe.Count("Delay"), 4);
  EXPECT_EQ(fe.Count("OpenSeaBattleScreen"), 0);
}

// Two ships of one name: the one sunk is listed once as destroyed and the
// one afloat is not taken for it.
TEST_F(SeaBattle, ShipsOfOneNameAreToldApart) {
  g.SetWar(kBritain, kGermany);
  cJednostkaMorska* a = Ship(kGermany, kTypeBattleship, 1, L"Bismarck");
  cJednostkaMorska* b = Ship(kGermany, kTypeBattleship, 1, L"Bismarck");
  cJednostkaMorska* hood = Ship(kBritain, kTypeBattleship, 10, L"Hood");
  const int idA = a->unitId;
  const int idB = b->unitId;
  first = {a, b};
  second = {hood};
  cSeaBattle battle(first, second);
  battle.WriteReport();

  // One battle turn: Hood fires once and sinks one of the two.
  const bool aAfloat = g.game->FindNavalUnitById(idA) != nullptr;
  const bool bAfloat = g.game->FindNavalUnitById(idB) != nullptr;
  EXPECT_NE(aAfloat, bAfloat);
  const size_t destroyedAt = battle.reportText.find(L"\n\nDestroyed ships:\n");
  const size_t damagedAt = battle.reportText.find(L"\n\nDamaged ships:\n");
  ASSERT_NE(destroyedAt, std::wstring::npos);
  ASSERT_NE(damagedAt, std::wstring::npos);
  EXPECT_EQ(battle.reportText.substr(destroyedAt, damagedAt - destroyedAt), L"\n\nDestroyed ships:\nBismarck\n");
  EXPECT_EQ(battle.reportText.find(L"Bismarck (Germany) lost"), std::wstring::npos);
  EXPECT_NE(battle.reportText.find(L"Hood (Britain) lost"), std::wstring::npos);
}

// The screen's way (one Step per click) and AutoBattle fight the same
// battle from the same dice.
class SteppingFrontEnd : public cRecordingFrontEnd {
 public:
  FrontEndHandle OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>&) override {
    opened = true;
    for (int guard = 0; guard < 10000 && battle.finished == 0; ++guard) battle.Step();
    return 1;
  }
  bool opened = false;
};

struct sBattleOutcome {
  std::wstring report;
  std::map<int, int> points;  // by unit id, ships afloat
};

sBattleOutcome FightMixedBattle(bool human, cRecordingFrontEnd& fe) {
  GameFixture g(12, 12, 2);
  unit_test::LoadShippedStrings();
  SetFrontEnd(&fe);
  for (cPanstwo* c : g.game->countries) {
    c->name = c->id == 1 ? L"Blue" : L"Red";
    c->alliance = c->id == 1 ? 4 : 5;
    c->techLevels[5] = 3;
    c->techLevels[4] = 3;
    c->humanControlled = (human && c->id == 1) ? 1 : 0;
    c->consts.carrierMinHitPoints = 2;
  }
  g.SetWar(1, 2);
  const int weights[5] = {1, 1, 1, 1, 1};
  std::copy(weights, weights + 5, g.game->consts.seaBattleValues);
  const int node = AddZone(g, 1, 1, L"Deep");
  sFlota* blue = AddFleet(g, 1, node, {kTypeCarrier, kTypeBattleship, kTypeCruiser, kTypeSubmarine}, 4);
  sFlota* red = AddFleet(g, 2, node, {kTypeBattleship, kTypeCruiser, kTypeCruiser, kTypeCargo}, 4);
  cSeaBattle::tSide first(blue->ships.begin(), blue->ships.end());
  cSeaBattle::tSide second(red->ships.begin(), red->ships.end());
  for (cJednostkaMorska* s : first) s->spottedLevel = 5;
  SeedRandom(777);
  cSeaBattle battle(first, second);
  battle.WriteReport();
  sBattleOutcome out;
  out.report = battle.reportText;
  for (const cJednostkaMorska* s : g.game->navalUnits) out.points[s->unitId] = s->hitPoints;
  SetFrontEnd(nullptr);
  return out;
}

TEST(SeaBattleSteps, StepByStepEndsAsAutoBattle) {
  cRecordingFrontEnd quiet;
  const sBattleOutcome automatic = FightMixedBattle(false, quiet);
  SteppingFrontEnd screen;
  const sBattleOutcome stepped = FightMixedBattle(true, screen);
  EXPECT_TRUE(screen.opened);
  EXPECT_EQ(quiet.Count("OpenSeaBattleScreen"), 0);
  EXPECT_GT(quiet.Count("Delay"), 0);
  EXPECT_EQ(stepped.report, automatic.report);
  EXPECT_EQ(stepped.points, automatic.points);
  EXPECT_NE(automatic.report.find(L"The battle is over."), std::wstring::npos);
}

TEST_F(SeaBattle, RetreatSucceedsFromEitherSideAndLeavesNoLoss) {
  g.SetWar(kBritain, kGermany);
  cJednostkaMorska* hood = Ship(kBritain, kTypeBattleship, 5, L"Hood");
  cJednostkaMorska* emden = Ship(kGermany, kTypeCruiser, 5, L"Emden");
  cJednostkaMorska* koeln = Ship(kGermany, kTypeCruiser, 5, L"Koeln");
  g.game->countries[kGermany - 1]->consts.c174 = 101;  // a roll 1..100 is always below
  first = {hood};
  second = {emden, koeln};
  cSeaBattle battle(first, second);
  battle.startingPoints[emden->unitId] = {L"Emden", L"Germany", 5};
  battle.OpeningStages();
  emden->x = 3;  // a column of the first side's half: the ship is still found
  emden->y = 7;
  emden->hitPoints = 2;
  EXPECT_TRUE(battle.TryRetreat(*emden));
  EXPECT_EQ(second, cSeaBattle::tSide{koeln});
  EXPECT_EQ(first, cSeaBattle::tSide{hood});
  EXPECT_EQ(battle.startingPoints.count(emden->unitId), 0u);
  EXPECT_EQ(emden->mayFire, 0);
  EXPECT_EQ(emden->exchangeFlag, 1);
  EXPECT_NE(battle.firstSideSelection, emden);
  EXPECT_NE(battle.secondSideSelection, emden);
  EXPECT_EQ(fe.Count("ClearSeaBattleGridUnit"), 1);
  EXPECT_NE(battle.reportText.find(L"\nEmden (Germany) tried to retreat with chance 101%: success"),
            std::wstring::npos);
  battle.Finish();
  EXPECT_EQ(battle.reportText.find(L"Emden"), battle.reportText.find(L"Emden (Germany) tried"));
}

TEST_F(SeaBattle, RetreatFailsWithNoChance) {
  g.SetWar(kBritain, kGermany);
  cJednostkaMorska* hood = Ship(kBritain, kTypeBattleship, 5, L"Hood");
  cJednostkaMorska* emden = Ship(kGermany, kTypeCruiser, 5, L"Emden");
  g.game->countries[kGermany - 1]->consts.c174 = 1;  // a roll 1..100 is never below 1
  first = {hood};
  second = {emden};
  cSeaBattle battle(first, second);
  battle.OpeningStages();
  EXPECT_FALSE(battle.TryRetreat(*emden));
  EXPECT_EQ(second, cSeaBattle::tSide{emden});
  EXPECT_EQ(emden->mayFire, 0);
  EXPECT_EQ(emden->exchangeFlag, 1);
  EXPECT_NE(battle.reportText.find(L"\nEmden (Germany) tried to retreat: failed"), std::wstring::npos);
  // Spent on the attempt, it is refused as the second side's shooter.
  battle.firstSideMoves = 0;
  EXPECT_FALSE(battle.SelectSecondSideShip(emden->unitId));
  EXPECT_FALSE(battle.SelectFirstSideShip(emden->unitId));
  EXPECT_TRUE(battle.SelectFirstSideShip(hood->unitId));
}

// Who opens the regular part, case by case.
TEST_F(SeaBattle, OpeningSide) {
  struct sCase {
    const char* name;
    std::vector<int> firstTypes;
    std::vector<int> secondTypes;
    int firstNavy;
    int secondNavy;
    bool swapCountries;  // the first side is Germany, the second Britain
    bool firstOpens;
  };
  const sCase cases[] = {
      {"more carriers", {kTypeCruiser}, {kTypeCarrier, kTypeCruiser}, 5, 5, false, false},
      {"higher doctrine", {kTypeCruiser}, {kTypeCruiser}, 4, 5, false, false},
      {"higher doctrine first", {kTypeCruiser}, {kTypeCruiser, kTypeCruiser}, 6, 5, false, true},
      {"more ships", {kTypeCruiser, kTypeCruiser}, {kTypeCruiser}, 5, 5, false, true},
      {"lower country id", {kTypeCruiser}, {kTypeCruiser}, 5, 5, false, true},
      {"higher country id", {kTypeCruiser}, {kTypeCruiser}, 5, 5, true, false},
  };
  g.SetWar(kBritain, kGermany);
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int a = c.swapCountries ? kGermany : kBritain;
    const int b = c.swapCountries ? kBritain : kGermany;
    g.game->countries[a - 1]->techLevels[5] = c.firstNavy;
    g.game->countries[b - 1]->techLevels[5] = c.secondNavy;
    // Carriers that cannot fly keep the carrier stage out of the way.
    for (cPanstwo* p : g.game->countries) p->consts.carrierMinHitPoints = 100;
    first.clear();
    second.clear();
    for (int t : c.firstTypes) first.push_back(Ship(a, t, 50, L"A"));
    for (int t : c.secondTypes) second.push_back(Ship(b, t, 50, L"B"));
    cSeaBattle battle(first, second);
    battle.OpeningStages();
    EXPECT_EQ(battle.firstSideOpens != 0, c.firstOpens);
    EXPECT_EQ(battle.firstSideMoves, battle.firstSideOpens);
  }
}

TEST_F(SeaBattle, TransportsOnlyNeverFight) {
  g.SetWar(kBritain, kGermany);
  first = {Ship(kBritain, kTypeCargo, 3, L"Liner")};
  second = {Ship(kGermany, kTypeAmphibious, 3, L"Barge")};
  cSeaBattle battle(first, second);
  battle.WriteReport();
  EXPECT_EQ(battle.regularPartCancelled, 1);
  EXPECT_EQ(fe.Count("PlaySound"), 0);
  EXPECT_EQ(battle.finished, 1);
  EXPECT_EQ(BattleReportCount(kBritain), 1);
  // Nothing happened in the opening stages: no "Fleet detected" dialog.
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);
}

// The carriers' side has the far better navy (Canada, 10 against 0): the
// roll 0..100 is always below 1 + 20 x 10, so the regular part is called
// off, and a battle of computer countries is not fought regardless.
TEST_F(SeaBattle, CancelledRegularPartIsNotFoughtByTheComputer) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kBritain - 1]->techLevels[5] = 0;  // its planes make no attempt
  g.game->countries[kCanada - 1]->techLevels[5] = 10;
  g.game->countries[kGermany - 1]->techLevels[5] = 0;
  first = {Ship(kBritain, kTypeCarrier, 5, L"Ark"), Ship(kCanada, kTypeCruiser, 5, L"Ottawa")};
  second = {Ship(kGermany, kTypeCruiser, 5, L"Emden")};
  cSeaBattle battle(first, second);
  battle.WriteReport();
  EXPECT_EQ(battle.regularPartCancelled, 1);
  EXPECT_EQ(fe.Count("PlaySound"), 0);
  EXPECT_EQ(fe.Count("Delay"), 0);
  EXPECT_EQ(battle.finished, 1);
  EXPECT_EQ(BattleReportCount(kGermany), 1);
  EXPECT_EQ(battle.reportText.find(L"Damaged ships"), std::wstring::npos);
}

TEST_F(SeaBattle, NoFirstPairCancelsTheRegularPart) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kBritain - 1]->techLevels[5] = 9;  // Britain opens with a ship that cannot fire
  first = {Ship(kBritain, kTypeCargo, 3, L"Liner")};
  second = {Ship(kGermany, kTypeCruiser, 3, L"Emden")};
  cSeaBattle battle(first, second);
  battle.WriteReport();
  EXPECT_EQ(battle.firstSideOpens, 1);
  EXPECT_EQ(battle.regularPartCancelled, 1);
  EXPECT_EQ(fe.Count("PlaySound"), 0);
  EXPECT_EQ(battle.finished, 1);
}

// Carrier strikes with a sure hit (30 x 40 > 1000): each of the carrier's 40
// attempts takes 40 points, so the first sinks the target and the stage
// text, the dialog and the kind-33 report follow.
TEST_F(SeaBattle, CarrierStageSinksAndShowsTheStageText) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kBritain - 1]->techLevels[5] = 40;
  cJednostkaMorska* ark = Ship(kBritain, kTypeCarrier, 5, L"Ark");
  cJednostkaMorska* emden = Ship(kGermany, kTypeCruiser, 3, L"Emden");
  first = {ark};
  second = {emden};
  cSeaBattle battle(first, second);
  battle.WriteReport();
  ASSERT_EQ(battle.stageEvents.size(), 1u);
  EXPECT_EQ(battle.stageEvents[0].kind, sSeaBattleStageEvent::kCarrierStrike);
  EXPECT_EQ(battle.stageEvents[0].attacker, L"Ark (Britain)");
  EXPECT_EQ(battle.stageEvents[0].target, L"Emden (Germany)");
  EXPECT_FLOAT_EQ(battle.stageEvents[0].pointsLost, 40.0f);
  EXPECT_TRUE(battle.stageEvents[0].destroyed);
  EXPECT_EQ(battle.stageText,
            L"Aircraft carrier groups\n-----------------\n"
            L"   Ark (Britain) destroyed Emden (Germany) (inflicted 40 HP loss)\n"
            L"\nSubmarines\n-----------------\n___(none)\n"
            L"\nDue to the result of this stage of the battle, the regular part has been cancelled.");
  EXPECT_EQ(battle.regularPartCancelled, 1);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 1);
  const auto dialog = std::find_if(fe.calls.begin(), fe.calls.end(), [](const auto& c) { return c.name == "ShowTextDialog"; });
  ASSERT_NE(dialog, fe.calls.end());
  EXPECT_EQ(dialog->text, L"Fleet detected|" + battle.stageText);
  EXPECT_EQ(ReportTexts(33, kGermany).size(), 1u);
  // The battle was decided in its opening stage and still files its report.
  EXPECT_NE(battle.reportText.find(L"Destroyed ships:\nEmden\n"), std::wstring::npos);
  EXPECT_EQ(BattleReportCount(kGermany), 1);
}

// Submarines strike with factor 5 when nothing else sails, else 10: with
// doctrine 100 the chance is 500 or 1000 thousandths.
TEST_F(SeaBattle, SubmarineFactorHalvesAmongSubmarinesAlone) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kBritain - 1]->techLevels[4] = 100;
  g.game->countries[kGermany - 1]->techLevels[4] = 0;
  auto hits = [&](int targetType) {
    int n = 0;
    for (int i = 0; i < 200; ++i) {
      cJednostkaMorska* u = Ship(kBritain, kTypeSubmarine, 5, L"U");
      cJednostkaMorska* t = Ship(kGermany, targetType, 500, L"T");
      first = {u};
      second = {t};
      cSeaBattle battle(first, second);
      battle.SubmarineStrike(first, second);
      n += static_cast<int>(battle.stageEvents.size());
    }
    return n;
  };
  const int amongSubmarines = hits(kTypeSubmarine);
  const int againstCruisers = hits(kTypeCruiser);
  EXPECT_GT(amongSubmarines, 60);
  EXPECT_LT(amongSubmarines, 140);
  EXPECT_GE(againstCruisers, 195);
}

TEST_F(SeaBattle, CommanderSpottingAndCarrierEdgeLowerTheChance) {
  g.SetWar(kBritain, kGermany);
  // Doctrine 7 gives 100; a commander of skill 2 at factor 5 takes 10.
  cJednostkaMorska* hood = Ship(kBritain, kTypeBattleship, 5, L"Hood");
  cJednostkaMorska* ark = Ship(kGermany, kTypeCarrier, 50, L"Ark");
  sDowodca admiral;
  admiral.skill = 2;
  ark->commander = &admiral;
  ark->x = 2;  // at the edge of the grid: halved
  ark->fleet->isActive = 0;  // seen while inactive: halved again
  first = {hood};
  second = {ark};
  cSeaBattle battle(first, second);
  battle.firstSideSelection = hood;
  battle.secondSideSelection = ark;
  battle.firstSideMoves = 1;
  // (100 - 10) / 2 / 2 = 22: count the hits of many shots.
  int hitsSeen = 0;
  for (int i = 0; i < 1000; ++i) {
    ark->hitPoints = 50;
    battle.Shot();
    hitsSeen += ark->hitPoints < 50 ? 1 : 0;
  }
  ark->commander = nullptr;
  EXPECT_GT(hitsSeen, 170);
  EXPECT_LT(hitsSeen, 280);
}

// ---- the generator ---------------------------------------------------------------

struct sFleetSetup {
  int country;
  int zone;  // 1 North, 2 South, 3 the port
  int formation;
  bool active;
};

struct sMeetingCase {
  const char* name;
  std::vector<sFleetSetup> fleets;
  std::vector<std::wstring> messages;  // in order, as every country receives them
  std::array<int, 5> battles;          // battle reports per country
};

class Meetings : public SeaBattle, public ::testing::WithParamInterface<sMeetingCase> {};

TEST_P(Meetings, PerZoneAndAlliance) {
  const sMeetingCase& c = GetParam();
  AddZone(g, 8, 8, L"South");
  naval_test::AddPort(g, 5, 5, 3, kBritain);
  g.SetWar(kBritain, kGermany);
  g.SetWar(kCanada, kGermany);
  g.SetWar(kRussia, kNeutralia);
  g.SetWar(kRussia, kBritain);
  g.SetWar(kRussia, kGermany);
  for (const sFleetSetup& f : c.fleets) {
    sFlota* fleet = AddFleet(g, f.country, f.zone, {kTypeCruiser}, 50);
    fleet->formation = f.formation;
    fleet->isActive = f.active ? 1 : 0;
  }
  for (cPanstwo* p : g.game->countries) p->techLevels[5] = 0;  // long battles, nobody sinks
  GenerateSeaBattles();

  std::vector<std::wstring> messages;
  for (const std::wstring& t : ReportTexts(20, kNeutralia))
    if (t.rfind(L"Sea battle at", 0) != 0) messages.push_back(t);
  EXPECT_EQ(messages, c.messages);
  for (int id = 1; id <= 5; ++id) EXPECT_EQ(BattleReportCount(id), c.battles[id - 1]) << "country " << id;
  EXPECT_EQ(gSeaBattlesBusy.load(), 0);
  EXPECT_EQ(g.game->GetState(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    SeaBattle, Meetings,
    ::testing::Values(
        sMeetingCase{"AlliesMeetAxis",
                     {{kBritain, 1, 0, true}, {kGermany, 1, 0, true}},
                     {L"Allied fleets have met enemy formations in North", L"Axis fleets have met enemy formations in North"},
                     {2, 2, 0, 0, 0}},
        sMeetingCase{"DifferentZonesNeverMeet", {{kBritain, 1, 0, true}, {kGermany, 2, 0, true}}, {}, {0, 0, 0, 0, 0}},
        sMeetingCase{"PortsHoldNoBattle", {{kBritain, 3, 0, true}, {kGermany, 3, 0, true}}, {}, {0, 0, 0, 0, 0}},
        sMeetingCase{"InactiveFleetIsOnlyFound",
                     {{kCanada, 2, 0, false}, {kGermany, 2, 0, true}},
                     {L"Axis fleets have met enemy formations in South"},
                     {0, 1, 0, 0, 1}},
        sMeetingCase{"RaiderMeetsNoRegularBattleButIsDetected",
                     {{kBritain, 1, 0, true}, {kGermany, 1, 1, true}},
                     {L"Allied fleets have met enemy raider (Ship 2.1) in North"},
                     {1, 1, 0, 0, 0}},
        sMeetingCase{"UnalignedCountryAtWar",
                     {{kNeutralia, 1, 0, true}, {kRussia, 1, 0, true}},
                     {L"Comintern fleets have met enemy formations in North",
                      L"Fleets of Neutralia have met enemy formations in North"},
                     {0, 0, 2, 2, 0}},
        sMeetingCase{"UnalignedCountryFindsRaider",
                     {{kNeutralia, 2, 0, true}, {kRussia, 2, 1, true}},
                     {L"Fleets of Neutralia have met enemy raider (Ship 2.1) in South"},
                     {0, 0, 1, 1, 0}},
        // Germany and Russia are at war: whichever joins the allies' second
        // side first keeps the other out.
        sMeetingCase{"EnemiesOfEachOtherNeverShareASide",
                     {{kBritain, 1, 0, true}, {kGermany, 1, 0, true}, {kRussia, 1, 0, true}},
                     {L"Allied fleets have met enemy formations in North", L"Axis fleets have met enemy formations in North",
                      L"Comintern fleets have met enemy formations in North"},
                     {3, 2, 1, 0, 0}}),
    [](const ::testing::TestParamInfo<sMeetingCase>& info) { return std::string(info.param.name); });

TEST_F(SeaBattle, AllianceWithoutLeaderIsSkipped) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kBritain - 1]->alliance = 1;  // the allies have no leader now
  Ship(kBritain, kTypeCruiser, 50, L"Hood");
  Ship(kGermany, kTypeCruiser, 50, L"Emden");
  GenerateSeaBattles();
  std::vector<std::wstring> messages;
  for (const std::wstring& t : ReportTexts(20, kRussia))
    if (t.rfind(L"Sea battle at", 0) != 0) messages.push_back(t);
  EXPECT_EQ(messages, std::vector<std::wstring>{L"Axis fleets have met enemy formations in North"});
}

TEST_F(SeaBattle, PbemGameKeepsTheRecordForItsPlayers) {
  g.SetWar(kBritain, kGermany);
  g.game->pbem = 1;
  g.game->countries[kBritain - 1]->humanControlled = 1;
  g.game->countries[kBritain - 1]->pbemPlayerId = 2;
  cJednostkaMorska* hood = Ship(kBritain, kTypeBattleship, 3, L"Hood");
  cJednostkaMorska* emden = Ship(kGermany, kTypeCruiser, 1, L"Emden");
  first = {hood};
  second = {emden};
  cSeaBattle battle(first, second);
  EXPECT_EQ(battle.autoEndRequested, 1);
  EXPECT_FALSE(battle.HasHumanShip());  // a PBEM battle runs by itself
  battle.WriteReport();
  EXPECT_EQ(battle.runsByItself, 1);
  EXPECT_EQ(fe.Count("OpenSeaBattleScreen"), 0);
  ASSERT_EQ(g.game->pbemSeaBattles.size(), 1u);
  const sPbemSeaBattle& r = g.game->pbemSeaBattles[0];
  EXPECT_EQ(r.firstSideShips, L"Hood\n");
  EXPECT_EQ(r.secondSideShips, L"Emden\n");
  EXPECT_EQ(r.firstSideCountries, std::set<int32_t>{kBritain});
  EXPECT_TRUE(r.secondSideCountries.empty());
  EXPECT_EQ(r.report, battle.reportText);

  // Without a PBEM player on either side nothing is kept.
  g.game->countries[kBritain - 1]->pbemPlayerId = 0;
  first = {Ship(kBritain, kTypeBattleship, 3, L"Hood")};
  second = {Ship(kGermany, kTypeCruiser, 1, L"Emden")};
  cSeaBattle other(first, second);
  other.WriteReport();
  EXPECT_EQ(g.game->pbemSeaBattles.size(), 1u);
}

TEST_F(SeaBattle, HumanBattleGoesToTheScreen) {
  g.SetWar(kBritain, kGermany);
  g.game->countries[kGermany - 1]->humanControlled = 1;
  first = {Ship(kBritain, kTypeBattleship, 3, L"Hood")};
  second = {Ship(kGermany, kTypeCruiser, 1, L"Emden")};
  cSeaBattle battle(first, second);
  EXPECT_EQ(battle.secondSideHuman, 1);
  battle.WriteReport();
  EXPECT_EQ(fe.Count("OpenSeaBattleScreen"), 1);
  EXPECT_EQ(fe.Count("WaitForSeaBattleScreenClosed"), 1);
  EXPECT_EQ(battle.finished, 1);  // the quiet front end fought it
  EXPECT_EQ(battle.secondSideHuman, 0);  // Emden sank
}

TEST_F(SeaBattle, BattleLengthFollowsTheWeights) {
  const int weights[5] = {1, 2, 0, 3, 4};
  std::copy(weights, weights + 5, g.game->consts.seaBattleValues);
  std::array<int, 6> seen{};
  for (int i = 0; i < 2000; ++i) ++seen[static_cast<size_t>(cSeaBattle::RollBattleTurns())];
  EXPECT_EQ(seen[0], 0);
  EXPECT_EQ(seen[3], 0);
  // The roll 1..10 truncates, so 10 comes only at the very top of the
  // generator: 1..9 each about one ninth -> 1 / 2 / 3 / 3 ninths.
  EXPECT_NEAR(seen[1], 222, 60);
  EXPECT_NEAR(seen[2], 444, 80);
  EXPECT_NEAR(seen[4], 667, 90);
  EXPECT_NEAR(seen[5], 667, 90);
}

}  // namespace
