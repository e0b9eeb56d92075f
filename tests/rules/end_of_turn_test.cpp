// The end of an impulse and of a turn: the order of the steps, what each
// refreshes, the calendar, and the phases' surrenders and research.
#include <gtest/gtest.h>

#include "core/game_lock.h"
#include "rules/end_of_turn.h"
#include "rules/turn_test_support.h"
#include "world/convoys.h"
#include "world/reports.h"

namespace {

using turn_test::TurnWorld;

class EndOfTurn : public ::testing::Test {
 protected:
  TurnWorld w;
  cLogCapture log;
};

TEST_F(EndOfTurn, StepsRunInTheirOrder) {
  w.game().lastHarbourMonth = -666;
  w.game().EndOfImpulse(true);
  const std::vector<std::wstring> order = {
      L"Zaczynam wykonywanie konca impulsu", L"Zmniejszam liczniki zycia mulberry",
      L"Losuje pogode", L"Modyfikuje jednostkom bonusy z okopania",
      L"Zaznaczam kazdemu panstwu rozne pierdoly", L"Odbudowuje zniszczenia produkcji",
      L"Odbudowuje zniszczenia z portow", L"Zeruje efektywnosci z eventu dla jedn ladowych",
      L"CHECKING FOR SURRENDERS...", L"CHECKING FOR SIEGES...",
      L"CALCULATING PRODUCTION...", L"CALCULATING UNITS UPKEEP COSTS...",
      L"CALCULATING RESEARCH...", L"CHECKING EVENTS...",
      L"CHECKING FOR GAME OVER...", L"Rozpoczynam obliczanie zaopatrzenia...",
      L"Rozgrywam dodatkowe", L"Refreshuje wspolczynniki dla jednostek ladowych",
      L"Refreshuje wspolczynniki dla jednostek lotniczych", L"Refreshuje wspolczynniki dla jednostek morskich",
      L"Refreshuje wspolczynniki dla flot", L"Zmniejszam czas produkcji...",
      L"Czyszcze listy odkrytych jednostek", L"Odswiezam rozne wspolczynniki dla wszystkich krajow",
      L"Rozgrywam bitwy morskie", L"---- Game state = 4", L"Zmieniam date",
      L"Koniec impulsu wykonany"};
  int last = -1;
  for (const std::wstring& line : order) {
    const int at = log.IndexOf(line);
    EXPECT_GT(at, last) << "out of order or missing: " << WideToUtf8(line);
    last = at;
  }
  // The sea battles run in their own state and hand back the end of impulse.
  EXPECT_EQ(w.game().GetState(), kStateEndOfImpulse);
  // The info bar tells the three stages.
  std::vector<std::wstring> messages;
  for (const auto& c : w.fe.calls)
    if (c.name == "SetInfoMessage") messages.push_back(c.text);
  auto shown = [&](const char* key) { return std::find(messages.begin(), messages.end(), Txt(key)) != messages.end(); };
  EXPECT_TRUE(shown("end_of_turn"));
  EXPECT_TRUE(shown("statusbar_hint_convoys_results"));
  EXPECT_TRUE(shown("statusbar_hint_determining_sea_battles"));
}

TEST_F(EndOfTurn, AnImpulseAloneRunsNoTurnPhasesButAdvancesTheDate) {
  w.game().EndOfImpulse(false);
  for (const wchar_t* phase : {L"CHECKING FOR SURRENDERS...", L"CHECKING EVENTS...", L"Rozgrywam dodatkowe",
                               L"Zmniejszam czas produkcji...", L"Rozgrywam bitwy morskie"})
    EXPECT_FALSE(log.Has(phase)) << WideToUtf8(phase);
  EXPECT_TRUE(log.Has(L"Rozpoczynam obliczanie zaopatrzenia..."));
  EXPECT_EQ(w.game().turn, 2);
  EXPECT_EQ(w.game().date.turn, 2);
}

TEST_F(EndOfTurn, PbemGamesLeaveTheEventsToThePlayers) {
  w.game().pbem = 1;
  w.game().EndOfImpulse(true);
  EXPECT_TRUE(log.Has(L"CALCULATING RESEARCH FINISHED"));
  EXPECT_FALSE(log.Has(L"CHECKING EVENTS..."));
}

TEST_F(EndOfTurn, GameOverStopsBeforeSupplyAndTheDate) {
  w.game().turnsLeft = 0;
  w.game().EndOfImpulse(true);
  EXPECT_EQ(w.game().gameOver, 1);
  EXPECT_FALSE(log.Has(L"Rozpoczynam obliczanie zaopatrzenia..."));
  EXPECT_FALSE(log.Has(L"Zmieniam date"));
  EXPECT_EQ(w.game().turn, 1);
  EXPECT_EQ(w.game().date.turn, 1);
  EXPECT_EQ(w.fe.Count("ShowTextDialog"), 1);
}

TEST_F(EndOfTurn, CalendarAdvancesByTheTurnsOfEachMonth) {
  struct Case {
    int turn, month, year, turnsInMonth;
    int nextTurn, nextMonth, nextYear;
  } cases[] = {
      {1, 9, 1939, 3, 2, 9, 1939},
      {3, 9, 1939, 3, 1, 10, 1939},
      {3, 12, 1939, 3, 1, 1, 1940},
      {2, 2, 1940, 2, 1, 3, 1940},
      // A month without turns still ends instead of dividing by zero.
      {1, 4, 1940, 0, 1, 5, 1940},
  };
  for (const Case& c : cases) {
    cGra& g = w.game();
    g.consts.turnsPerMonth[c.month - 1] = c.turnsInMonth;
    g.date.turn = c.turn;
    g.date.month = c.month;
    g.date.year = c.year;
    const int turn = g.turn;
    const int left = g.turnsLeft;
    g.EndOfImpulse(false);
    EXPECT_EQ(g.date.turn, c.nextTurn) << c.turn << "/" << c.month;
    EXPECT_EQ(g.date.month, c.nextMonth) << c.turn << "/" << c.month;
    EXPECT_EQ(g.date.year, c.nextYear) << c.turn << "/" << c.month;
    EXPECT_EQ(g.turn, turn + 1);
    EXPECT_EQ(g.turnsLeft, left - 1);
    g.consts.turnsPerMonth[c.month - 1] = 3;
  }
}

TEST_F(EndOfTurn, EntrenchmentFollowsHowTheUnitSpentItsTurn) {
  struct Case {
    const char* what;
    int startingAp, ap, deployed, level;
    bool stayed;  // (x, y) equals (last x, last y)
    int expected;
  } cases[] = {
      {"no action points, not deployed", 0, 0, 0, 1, false, 2},
      {"deployed this turn without points", 0, 0, 1, 2, false, 0},
      {"spent nothing", 6, 6, 0, 1, false, 2},
      {"moved away and back", 6, 2, 0, 2, true, 2},
      {"moved elsewhere", 6, 2, 0, 2, false, 0},
      {"capped at the country's maximum", 6, 6, 0, 3, true, 3},
  };
  for (cPanstwo* c : w.game().countries) c->consts.c143 = 3;
  std::vector<unit_test::ValuedLandUnit*> units;
  int x = 0;
  for (const Case& c : cases) {
    auto* u = unit_test::PlaceLand(w.g, 1, x, 3);
    u->startingActionPoints = c.startingAp;
    u->actionPoints = c.ap;
    u->deployedThisTurn = static_cast<uint8_t>(c.deployed);
    u->trenchBonusMultiplier = c.level;
    u->lastX = c.stayed ? x : x + 1;
    u->lastY = 3;
    units.push_back(u);
    ++x;
  }
  w.game().EndOfImpulse(false);
  for (size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(units[i]->trenchBonusMultiplier, cases[i].expected) << cases[i].what;
    EXPECT_EQ(units[i]->lastX, units[i]->x) << cases[i].what;
  }
}

// Each case on a world of its own.
TEST(EndOfTurnWarEconomy, GrowsOnTheFirstTurnOfAMonthAtWar) {
  struct Case {
    const char* what;
    int orientation;
    float start;
    bool atWar;
    int turn;  // the turn counter; 1, 4, 7 begin a month of three turns
    float expected;
  } cases[] = {
      {"dictatorship below 100 is cut to 100", 1, 99.5f, true, 1, 100.0f},
      {"communist regime grows by its rate", 2, 50.0f, true, 4, 52.0f},
      {"democracy grows by the other rate", 0, 50.0f, true, 7, 53.0f},
      {"at 100 only the change above 100", 3, 100.0f, true, 1, 95.0f},
      {"not the first turn of the month", 1, 50.0f, true, 2, 50.0f},
      {"at peace", 1, 50.0f, false, 1, 50.0f},
  };
  for (const Case& c : cases) {
    TurnWorld fresh;
    cPanstwo& country = fresh.C(1);
    country.consts.c115[4] = 2.0f;
    country.consts.c115[5] = 3.0f;
    country.consts.c115[6] = -5.0f;
    country.orientation = c.orientation;
    country.warEconomy = c.start;
    fresh.game().turn = c.turn;
    if (c.atWar) fresh.g.SetWar(1, 2);
    // Each country keeps a victory city: nobody surrenders.
    fresh.game().EndOfImpulse(true);
    EXPECT_FLOAT_EQ(country.warEconomy, c.expected) << c.what;
  }
}

TEST_F(EndOfTurn, ResearchAndDiplomaticGrowthOnlyOnTheFirstTurnOfAMonth) {
  cPanstwo& c = w.C(1);
  c.dpGrowthPerMonth = 4;
  const int before = c.diplomaticPoints;
  w.game().turn = 2;
  w.game().EndOfImpulse(true);
  EXPECT_EQ(c.diplomaticPoints, before);
  w.game().turn = 4;
  w.game().EndOfImpulse(true);
  EXPECT_EQ(c.diplomaticPoints, before + 4);
  std::vector<sRaport> research;
  w.game().reports->CollectReports(research, 1, kResearchReport);
  EXPECT_EQ(research.size(), 1u);
}

TEST_F(EndOfTurn, StrategicPointsRefillAndAmphibiousCapacityIsRecounted) {
  cPanstwo& c = w.C(2);
  c.strategicMovementPoints = 1;
  c.strategicMovementUsed = 7;
  c.amphibiousPoints = 4;
  c.amphibiousPointsInUse = 99;
  c.socialUnrest = 10.0f;
  c.consts.c115[3] = 2.5f;
  w.game().EndOfImpulse(false);
  EXPECT_EQ(c.strategicMovementPoints, 7);
  EXPECT_EQ(c.strategicMovementUsed, 7);
  EXPECT_EQ(c.amphibiousPointsInUse, 4);
  EXPECT_EQ(c.amphibiousPoints, 4);
  EXPECT_FLOAT_EQ(c.socialUnrest, 7.5f);
}

TEST_F(EndOfTurn, UnitsAndTheWorldAreRefreshed) {
  auto* frozenForEver = unit_test::PlaceLand(w.g, 1, 0, 3);
  frozenForEver->freezeTime = 10000;
  auto* thawing = unit_test::PlaceLand(w.g, 1, 1, 3);
  thawing->freezeTime = 1;
  thawing->attacked = 1;
  thawing->wasAttacked = 1;
  thawing->eventsEffect = 12;
  thawing->shoreBombardmentEffect = 3.0f;
  auto* queued = new unit_test::ValuedLandUnit(1.0f);
  queued->countryId = 1;
  queued->availableInTurns = 2;
  w.game().reserve.push_back(queued);
  cMiasto* bombed = w.game().cities.front();
  bombed->bombardmentLosses = 2;
  bombed->productionPoints = 3.0f;
  w.C(1).doneDelayWarEntry = 1;
  w.C(1).doneParliamentaryElections = 1;
  w.C(1).finishedTurn = 1;

  w.game().EndOfImpulse(true);
  EXPECT_EQ(frozenForEver->freezeTime, 10000);
  EXPECT_EQ(thawing->freezeTime, 0);
  EXPECT_EQ(thawing->attacked, 0);
  EXPECT_EQ(thawing->wasAttacked, 0);
  EXPECT_EQ(thawing->eventsEffect, 0);
  EXPECT_FLOAT_EQ(thawing->shoreBombardmentEffect, 0.0f);
  EXPECT_EQ(queued->availableInTurns, 1);
  EXPECT_EQ(bombed->bombardmentLosses, 1);
  EXPECT_FLOAT_EQ(bombed->productionPoints, 4.0f);
  EXPECT_EQ(w.C(1).doneDelayWarEntry, 0);
  EXPECT_EQ(w.C(1).doneParliamentaryElections, 1);
  EXPECT_EQ(w.C(1).finishedTurn, 0);

  w.game().EndOfImpulse(true);
  EXPECT_EQ(thawing->freezeTime, 0);
  // The production queue counts down only at the end of a turn.
  w.game().EndOfImpulse(false);
  EXPECT_EQ(queued->availableInTurns, 0);
}

// The refresh of an impulse puts each unit under the commander in range of
// its own category, and his bonus shows in its effectiveness.
TEST_F(EndOfTurn, UnitsTakeTheCommanderInRangeAndHisBonus) {
  sConsts& c = w.C(1).consts;
  c.c127[0] = 3;    // command range
  c.c130[0] = 100;  // bonus per point of skill
  c.c084 = 100;
  for (int& e : c.supplyTable[sConsts::kEffectivenessTable]) e = 100;
  auto* led = unit_test::PlaceLand(w.g, 1, 4, 2);
  unit_test::Attach(unit_test::AddCommander(w.g, 7, 1, 0, 20), led);
  unit_test::Attach(unit_test::AddCommander(w.g, 8, 1, 1, 20), unit_test::PlaceLand(w.g, 1, 4, 0));
  auto* near = unit_test::PlaceLand(w.g, 1, 4, 3);
  auto* far = unit_test::PlaceLand(w.g, 1, 8, 0);
  auto* plane = unit_test::PlaceAir(w.g, 1, 5, 0);
  for (cJednostkaLadowa* u : w.game().landUnits) u->turnsWithoutSupply = 0;

  w.game().EndOfImpulse(false);
  EXPECT_EQ(near->assignedCommanderId, 7);
  EXPECT_EQ(far->assignedCommanderId, -1);
  EXPECT_EQ(plane->assignedCommanderId, 8);  // the air commander, not the nearer land one
  EXPECT_EQ(far->effectiveness, 100);
  // Bonus 20 at distance 1: effectiveness x (20 / 100 + 1).
  EXPECT_EQ(near->effectiveness, 120);
}

TEST_F(EndOfTurn, HarboursCountDownOnceAMonthAndExpire) {
  auto* harbour = new cMulberry();
  harbour->countryId = 1;
  harbour->SetType(kTypeMulberry);
  harbour->x = 5;
  harbour->y = 3;
  harbour->monthsLeft = 2;
  harbour->strength = 90;
  w.C(1).consts.newMulberryStrength = 40.0f;
  w.g.hex(5, 3).unit = harbour;
  w.game().landUnits.push_back(harbour);

  w.game().lastHarbourMonth = 8;
  w.game().EndOfImpulse(false);
  EXPECT_EQ(harbour->monthsLeft, 1);
  EXPECT_EQ(harbour->strength, 40);
  // Same month: no further count-down.
  w.game().EndOfImpulse(false);
  EXPECT_EQ(harbour->monthsLeft, 1);
  w.game().lastHarbourMonth = 8;
  w.game().EndOfImpulse(false);
  EXPECT_TRUE(w.game().landUnits.empty());
  EXPECT_EQ(w.g.hex(5, 3).unit, nullptr);
}

// ---- surrenders ----------------------------------------------------------

class Surrenders : public EndOfTurn {
 protected:
  // Country 1 leads the allies and loses its only victory city to the axis
  // leader, country 2, with whom it is at war.
  Surrenders() { w.game().cities.front()->GetHex()->controller = 2; }
  // After the countries are added: adding one resizes the relations.
  void Run() {
    w.g.SetWar(1, 2);
    w.game().CheckSurrenders();
  }
  cPanstwo* AddAlly(int key) {
    cPanstwo* c = w.g.AddCountry(1);
    c->name = L"Ally";
    c->politicalStrength = key;
    c->consts = w.game().consts;
    return c;
  }
};

TEST_F(Surrenders, ALeaderHandsTheAllianceToTheStrongestMember) {
  cPanstwo* weak = AddAlly(0);
  cPanstwo* strong = AddAlly(3);
  cPanstwo* tied = AddAlly(3);
  Run();
  EXPECT_EQ(w.C(1).active, 0);
  EXPECT_EQ(w.C(1).alliance, 0);
  EXPECT_EQ(weak->alliance, 1);
  EXPECT_EQ(strong->alliance, 1);
  // A later country wins a tie.
  EXPECT_EQ(tied->alliance, 4);
  ASSERT_EQ(w.fe.Count("ShowTextDialog"), 2);
  EXPECT_EQ(w.fe.Count("WaitForDialogClosed"), 2);
  EXPECT_EQ(GameLockHoldCount(), 0);
}

TEST_F(Surrenders, AMemberWithKeyZeroStillTakesTheLead) {
  cPanstwo* member = AddAlly(0);
  Run();
  EXPECT_EQ(member->alliance, 4);
}

TEST_F(Surrenders, WithoutMembersTheLeaningCountriesTurnAway) {
  cPanstwo* leaning = w.g.AddCountry(0);
  leaning->orientation = 3;
  cPanstwo* firm = w.g.AddCountry(0);
  firm->orientation = 0;
  cPanstwo* other = w.g.AddCountry(0);
  other->orientation = 1;
  Run();
  EXPECT_TRUE(leaning->orientation == 4 || leaning->orientation == 5);
  EXPECT_TRUE(firm->orientation == 4 || firm->orientation == 5);
  EXPECT_EQ(other->orientation, 1);
  EXPECT_TRUE(log.Has(L"Could not determine new leader - no countries left in alliance!"));
  EXPECT_EQ(w.fe.Count("ShowTextDialog"), 2);
}

// ---- convoy results ------------------------------------------------------

class ConvoysWithResults : public cKonwoje {
 public:
  bool HasConvoyResults(int country) const override { return country != 3; }
};

TEST_F(EndOfTurn, ConvoyResultsGoToTheirPlayers) {
  w.game().convoys = new ConvoysWithResults();
  w.C(1).humanControlled = 1;
  w.C(3).humanControlled = 1;
  w.game().ConvoysResults();
  ASSERT_EQ(w.fe.Count("ShowConvoyResults"), 1);
  EXPECT_EQ(w.fe.calls.front().value, 1);

  // PBEM: the results of the player whose view was shown last.
  w.fe.calls.clear();
  w.game().pbem = 1;
  w.C(1).pbemPlayerId = 1;
  w.C(2).pbemPlayerId = 2;
  w.game().selection.lastShownCountry = &w.C(2);
  w.game().ConvoysResults();
  ASSERT_EQ(w.fe.Count("ShowConvoyResults"), 1);
  EXPECT_EQ(w.fe.calls.front().value, 2);
  // No view shown yet: nobody's.
  w.fe.calls.clear();
  w.game().selection.lastShownCountry = nullptr;
  w.game().ConvoysResults();
  EXPECT_EQ(w.fe.Count("ShowConvoyResults"), 0);
}

}  // namespace
