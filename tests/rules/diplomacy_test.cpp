// Diplomacy: the dice, the costs and chances, every refusal of the checks
// and each executor's result against values worked out by hand.
#include "rules/diplomacy.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/random.h"
#include "support/diplomacy_fixtures.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/world_test_support.h"

namespace {

using world_test::GameFixture;
using world_test::LogCapture;

// 1, 2, 3 lead the allies, the axis and the comintern; 4, 5 and 7 are
// neutral (5 leans to the axis and lies in its zone); 6 is an allied member.
// Every dice triple has a count of 0, so that its base is the roll.
class Diplomacy : public ::testing::Test {
 protected:
  Diplomacy() : g(4, 4, 0) {
    unit_test::LoadShippedStrings();
    diplomacy_test::AddDiplomacyCountries(g, {{4, 0, 1, 80}, {5, 1, 2, 60}, {6, 2, 3, 70}, {0, 0, 0, 40},
                                              {0, 4, 2, 50}, {1, 3, 1, 30}, {0, 1, 0, 45}});
    for (cPanstwo* c : g.game->countries) {
      const float elections[3] = {0, 6, 7};
      const float orientation[9] = {0, 6, 5, 0, 6, 7, 0, 6, 3};
      std::copy(elections, elections + 3, c->consts.c093);
      std::copy(orientation, orientation + 9, c->consts.c094);
    }
    const float coup[11] = {1.5f, 0.4f, 0.2f, 10, 0, 6, 8, 0, 6, 20, 0};
    std::copy(coup, coup + 11, g.game->consts.coupFactors);
  }
  cPanstwo& C(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  bool War(int a, int b) { return g.game->relations.IsAtWar(a, b) != 0; }

  GameFixture g;
  std::wstring text;
};

// ---- dice, costs and chances ------------------------------------------------

TEST(DiplomacyDice, FixedSeedGivesTheHandComputedSum) {
  SeedRandom(1);
  // From seed 1 the generator gives 41, 18467 and 6334; a roll of 1..6 is
  // 1 + int(v / 32767 x 5): 1, 3 and 1.
  EXPECT_EQ(RollDice(3, 6, 2), 2 + 1 + 3 + 1);
  SeedRandom(1);
  const float triple[3] = {3.9f, 6.99f, 2.5f};  // truncated to 3, 6, 2
  EXPECT_EQ(RollDice(triple), 7);

  // Without rolls the base alone comes back and no number is drawn.
  SeedRandom(1);
  EXPECT_EQ(RollDice(0, 6, 4), 4);
  EXPECT_EQ(RollDice(-2, 6, -3), -3);
  EXPECT_EQ(Rand(), 41);

  SeedRandom(7);
  for (int i = 0; i < 2000; ++i) {
    const int r = RollDice(2, 6, 1);
    ASSERT_GE(r, 3);
    ASSERT_LE(r, 13);
  }
}

TEST_F(Diplomacy, CostsAndChancesFollowTheFactorsAndTruncate) {
  // Delay: 40 x the factor of the orientation group {0,3} 0.5, {4,5} 0.8,
  // {1,2} 1.25; an unknown orientation costs the strength itself.
  const int delayByOrientation[8] = {20, 50, 50, 20, 32, 32, 40, 40};
  for (int o = 0; o < 8; ++o) {
    C(4).orientation = o;
    EXPECT_EQ(DiplomacyDelayCost(C(4)), delayByOrientation[o]) << o;
  }
  C(4).politicalStrength = 1;
  C(4).orientation = 0;
  EXPECT_EQ(DiplomacyDelayCost(C(4)), 1);  // 0.5 truncates to 0: at least 1
  C(4).politicalStrength = 0;
  EXPECT_EQ(DiplomacyHastenCost(C(4)), 1);
  C(4).politicalStrength = 40;

  // War: row 8 (neutral, orientation 0) and column 1 (axis leader):
  // 10 + 40 + 1 = 51, times 60 / 100 = 30.6, truncated; unrest 8 + 1.
  EXPECT_EQ(DiplomacyDeclareWarCost(C(4), C(2)), 30);
  EXPECT_EQ(DiplomacyDeclareWarUnrest(C(4), C(2)), 9);

  // Pressure on 4 (strength 40, orientation 0): the same lean pays the
  // strength with certainty; another pays 2 x 40 at (100 - 40) x 0.5.
  EXPECT_EQ(DiplomacyPressureCost(C(1), C(4)), 40);
  EXPECT_EQ(DiplomacyPressureChance(C(1), C(4)), 100);
  EXPECT_EQ(DiplomacyPressureCost(C(2), C(4)), 80);
  EXPECT_EQ(DiplomacyPressureChance(C(2), C(4)), 30);
  EXPECT_EQ(DiplomacyPressureChance(C(1), C(5)), 12);  // 50 x 0.25 = 12.5
  C(5).orientation = 9;
  EXPECT_EQ(DiplomacyPressureChance(C(1), C(5)), 50);

  // Coup: 1.5 x strength; (100 - strength) x 0.4 up to orientation 2, x 0.2 above.
  EXPECT_EQ(DiplomacyCoupCost(C(7)), 67);  // 67.5
  EXPECT_EQ(DiplomacyCoupChance(C(7)), 22);  // 55 x 0.4
  EXPECT_EQ(DiplomacyCoupChance(C(6)), 14);  // 70 x 0.2
}

// ---- refusals -----------------------------------------------------------------

TEST_F(Diplomacy, EveryCheckRefusesInItsOrderAndChangesNothing) {
  struct sCase {
    const char* what;
    std::function<void()> setUp;
    std::function<bool()> check;
    std::wstring refusal;
  };
  const std::vector<sCase> cases = {
      // Change of orientation.
      {"changed", [&] { C(4).doneTurnInOrientation = 1; }, [&] { return DiplomacyCanChangeOrientation(4, text); },
       L"The orientation can be changed only once per turn."},
      {"orientation points", [&] { C(4).diplomaticPoints = 39; },
       [&] { return DiplomacyCanChangeOrientation(4, text); },
       L"Not enough diplomatic points: 40 needed, 39 available."},
      {"orientation war", [&] { g.SetWar(4, 7); }, [&] { return DiplomacyCanChangeOrientation(4, text); },
       L"The orientation cannot be changed during a war."},
      {"orientation alliance", [] {}, [&] { return DiplomacyCanChangeOrientation(6, text); },
       L"A member of an alliance cannot change its orientation."},
      {"unrest 75", [&] { C(4).socialUnrest = 75.0f; }, [&] { return DiplomacyCanChangeOrientation(4, text); },
       L"Social unrest is too high to change the orientation."},
      // Elections.
      {"regime", [] {}, [&] { return DiplomacyCanHoldElections(7, text); },
       L"There are no elections in a nationalist or communist regime."},
      {"held", [&] { C(4).doneParliamentaryElections = 1; }, [&] { return DiplomacyCanHoldElections(4, text); },
       L"Elections can be held only once per game."},
      {"elections war", [&] { g.SetWar(5, 7); }, [&] { return DiplomacyCanHoldElections(5, text); },
       L"There are no elections during a war."},
      {"elections alliance", [] {}, [&] { return DiplomacyCanHoldElections(6, text); },
       L"Only a neutral country can hold elections."},
      // Delay.
      {"delay member", [] {}, [&] { return DiplomacyCanDelayAllianceEntry(6, text); },
       L"C6 is already in an alliance."},
      {"entry 0", [&] { C(5).allianceEntry = 0; }, [&] { return DiplomacyCanDelayAllianceEntry(5, text); },
       L"The alliance entry is already at its lowest."},
      {"delayed", [&] { C(5).doneDelayWarEntry = 1; }, [&] { return DiplomacyCanDelayAllianceEntry(5, text); },
       L"The alliance entry can be delayed only once per turn."},
      {"delay points", [&] { C(5).diplomaticPoints = 39; },
       [&] { return DiplomacyCanDelayAllianceEntry(5, text); },
       L"Not enough diplomatic points: 40 needed, 39 available."},
      // Hasten.
      {"hasten member", [] {}, [&] { return DiplomacyCanHastenAllianceEntry(1, text); },
       L"C1 is already in an alliance."},
      {"hastened", [&] { C(5).doneHasteWarEntry = 1; }, [&] { return DiplomacyCanHastenAllianceEntry(5, text); },
       L"The alliance entry can be hastened only once per turn."},
      {"hasten points", [&] { C(5).diplomaticPoints = 49; },
       [&] { return DiplomacyCanHastenAllianceEntry(5, text); },
       L"Not enough diplomatic points: 50 needed, 49 available."},
      // War.
      {"ally", [] {}, [&] { return DiplomacyCanDeclareWar(6, 1, text); }, L"War cannot be declared on an ally."},
      {"similar", [] {}, [&] { return DiplomacyCanDeclareWar(4, 6, text); },
       L"War cannot be declared on a country of a similar orientation."},
      {"already", [&] { g.SetWar(4, 7); }, [&] { return DiplomacyCanDeclareWar(4, 7, text); },
       L"Already at war with C7."},
      {"member", [] {}, [&] { return DiplomacyCanDeclareWar(7, 6, text); },
       L"C6 is a member of an alliance: declare war on its leader."},
      {"war points", [&] { C(4).diplomaticPoints = 29; }, [&] { return DiplomacyCanDeclareWar(4, 2, text); },
       L"Not enough diplomatic points: 30 needed, 29 available."},
      // Pressure.
      {"pressure member", [] {}, [&] { return DiplomacyCanExertPressure(2, 6, text); },
       L"The country is already in an alliance."},
      {"pressed by allies", [&] { C(4).doneExertPressureAllied = 1; },
       [&] { return DiplomacyCanExertPressure(6, 4, text); }, L"C4 has already been pressed by the Allies this turn."},
      {"pressed by axis", [&] { C(4).doneExertPressureAxis = 1; },
       [&] { return DiplomacyCanExertPressure(5, 4, text); }, L"C4 has already been pressed by the Axis this turn."},
      {"pressed by comintern", [&] { C(4).doneExertPressureComintern = 1; },
       [&] { return DiplomacyCanExertPressure(3, 4, text); },
       L"C4 has already been pressed by the Comintern this turn."},
      {"pressure points", [&] { C(2).diplomaticPoints = 79; }, [&] { return DiplomacyCanExertPressure(2, 4, text); },
       L"Not enough diplomatic points: 80 needed, 79 available."},
      // Coup.
      {"coup member", [] {}, [&] { return DiplomacyCanStageCoup(2, 6, text); },
       L"A coup d'etat can be staged only in a neutral country."},
      {"coup war", [&] { g.SetWar(7, 3); }, [&] { return DiplomacyCanStageCoup(2, 7, text); },
       L"A coup d'etat can be staged only in a country at peace."},
      {"same code", [] {}, [&] { return DiplomacyCanStageCoup(2, 7, text); }, L"C7 already has your orientation."},
      {"coup points", [&] { C(2).diplomaticPoints = 59; }, [&] { return DiplomacyCanStageCoup(2, 4, text); },
       L"Not enough diplomatic points: 60 needed, 59 available."},
      // Unknown countries.
      {"unknown", [] {}, [&] { return DiplomacyCanStageCoup(2, 8, text); }, L"There is no country 8."},
  };
  for (const sCase& c : cases) {
    g.game->relations.Resize(7);
    for (int id = 1; id <= 7; ++id) {
      C(id).diplomaticPoints = 1000;
      C(id).socialUnrest = 10.0f;
      C(id).doneDelayWarEntry = C(id).doneHasteWarEntry = C(id).doneParliamentaryElections = 0;
      C(id).doneTurnInOrientation = C(id).doneExertPressureAllied = C(id).doneExertPressureAxis = 0;
      C(id).doneExertPressureComintern = 0;
      C(id).allianceEntry = C(id).alliance != 0 ? 100 : 50;
    }
    c.setUp();
    const int points = C(4).diplomaticPoints;
    text = L"before";
    EXPECT_FALSE(c.check()) << c.what;
    EXPECT_EQ(text, c.refusal) << c.what;
    EXPECT_EQ(C(4).diplomaticPoints, points) << c.what;
  }
}

TEST_F(Diplomacy, ChecksThatPassOfferTheirCostAndChance) {
  C(4).socialUnrest = 74.9f;
  text = L"as it was";
  EXPECT_TRUE(DiplomacyCanChangeOrientation(4, text));
  EXPECT_EQ(text, L"as it was");

  EXPECT_TRUE(DiplomacyCanHoldElections(4, text));
  EXPECT_EQ(text, L"Elections in a firm democracy can only weaken it: choose the winning orientation.");
  EXPECT_TRUE(DiplomacyCanHoldElections(5, text));
  EXPECT_EQ(text, L"Choose the winning orientation of the elections.");

  C(5).allianceEntry = 1;
  EXPECT_TRUE(DiplomacyCanDelayAllianceEntry(5, text));
  EXPECT_EQ(text, L"Try to keep away from joining an alliance. Cost: 40 DP.");
  EXPECT_TRUE(DiplomacyCanHastenAllianceEntry(5, text));
  EXPECT_EQ(text, L"Try to come closer to an alliance. Cost: 50 DP.");

  // Row 8, column 4 (neutral leaning to the axis): (10 + 40 + 4) x 50 / 100.
  EXPECT_TRUE(DiplomacyCanDeclareWar(4, 5, text));
  EXPECT_EQ(text, L"Declare war on C5. Cost: 27 DP; social unrest rises by 12. C5 will join the Axis.");
  // Row 8, column 4 for 7 too (orientation 1), but it lies in no zone.
  EXPECT_TRUE(DiplomacyCanDeclareWar(4, 7, text));
  EXPECT_EQ(text, L"Declare war on C7. Cost: 24 DP; social unrest rises by 12.");

  EXPECT_TRUE(DiplomacyCanExertPressure(1, 4, text));
  EXPECT_EQ(text, L"Press C4 to hasten its alliance entry. Cost: 40 DP.");
  EXPECT_TRUE(DiplomacyCanExertPressure(2, 4, text));
  EXPECT_EQ(text, L"Press C4 to lower its alliance entry. Cost: 80 DP, chance 30%.");
  // A pro-axis country may plot in a nationalist regime: the codes differ.
  EXPECT_TRUE(DiplomacyCanStageCoup(5, 7, text));
  EXPECT_EQ(text, L"Stage a coup d'etat in C7. Chance 22%, cost 67 DP.");
}

// ---- executors ------------------------------------------------------------------

TEST_F(Diplomacy, OrientationChangesWithinALeanOrAway) {
  struct sCase {
    int current, requested, result;
    float unrest;
    int entry;
    std::wstring text;
  };
  // C = 3 within a lean; away from it B = 7 and A = 5.
  const sCase cases[] = {
      {0, 5, 3, 13, 50, L"C4 turns pro-allied. Social unrest rises from 10.0 to 13.0."},
      {1, 0, 4, 13, 50, L"C4 turns pro-axis. Social unrest rises from 10.0 to 13.0."},
      {2, 2, 5, 13, 50, L"C4 turns pro-communist. Social unrest rises from 10.0 to 13.0."},
      {3, 0, 0, 13, 50, L"C4 becomes a firm democracy. Social unrest rises from 10.0 to 13.0."},
      {4, 1, 1, 13, 50, L"C4 becomes a nationalist regime. Social unrest rises from 10.0 to 13.0."},
      {5, 2, 2, 13, 50, L"C4 becomes a communist regime. Social unrest rises from 10.0 to 13.0."},
      {4, 2, 2, 17, 45,
       L"C4: the orientation changes to communist regime. Social unrest rises from 10.0 to 17.0; alliance entry falls "
       L"from 50 to 45."},
      {3, 4, 4, 17, 45,
       L"C4: the orientation changes to pro-axis. Social unrest rises from 10.0 to 17.0; alliance entry falls from 50 "
       L"to 45."},
  };
  for (const sCase& c : cases) {
    C(4).orientation = c.current;
    C(4).socialUnrest = 10.0f;
    C(4).allianceEntry = 50;
    C(4).diplomaticPoints = 100;
    C(4).doneTurnInOrientation = 0;
    EXPECT_TRUE(DiplomacyChangeOrientation(4, c.requested, text)) << c.current;
    EXPECT_EQ(C(4).orientation, c.result) << c.current;
    EXPECT_FLOAT_EQ(C(4).socialUnrest, c.unrest) << c.current;
    EXPECT_EQ(C(4).allianceEntry, c.entry) << c.current;
    EXPECT_EQ(C(4).diplomaticPoints, 60) << c.current;  // the strength, 40
    EXPECT_EQ(C(4).doneTurnInOrientation, 1) << c.current;
    EXPECT_EQ(text, c.text) << c.current;
  }
}

TEST_F(Diplomacy, AnOrientationOutsideTheSixIsRefusedWithoutChange) {
  LogCapture log;
  for (int requested : {6, -1, 1000}) {
    C(5).doneTurnInOrientation = 0;
    EXPECT_FALSE(DiplomacyChangeOrientation(5, requested, text));
    EXPECT_EQ(text, L"Orientation " + std::to_wstring(requested) + L" is unknown: nothing was done.");
    EXPECT_EQ(C(5).orientation, 4);
    EXPECT_EQ(C(5).diplomaticPoints, 1000);
    EXPECT_EQ(C(5).doneTurnInOrientation, 0);

    EXPECT_FALSE(DiplomacyResolveElections(5, requested, text));
    EXPECT_EQ(C(5).orientation, 4);
    EXPECT_EQ(C(5).doneParliamentaryElections, 0);
  }
  EXPECT_TRUE(log.Has(L"Elections - orientaion unknown. ERROR"));
  EXPECT_TRUE(log.Has(L"Diplomacy: elections refused, orientation 6 is unknown"));
}

TEST_F(Diplomacy, ElectionsSetTheWinnerAndDropTheEntryOfAFormerLean) {
  struct sCase {
    int before, winner, entry;
    std::wstring text;
  };
  // The election dice give 7.
  const sCase cases[] = {
      {0, 1, 50, L"Elections in C4: C4 becomes a nationalist regime."},
      {3, 2, 50, L"Elections in C4: C4 becomes a communist regime."},
      {4, 0, 50, L"Elections in C4: C4 becomes a firm democracy."},
      {4, 3, 43, L"Elections in C4: the country turns pro-allied. Alliance entry falls from 50 to 43."},
      {0, 3, 50, L"Elections in C4: the country turns pro-allied."},
      {5, 4, 43, L"Elections in C4: the country turns pro-axis. Alliance entry falls from 50 to 43."},
      {0, 4, 50, L"Elections in C4: the country turns pro-axis."},
      {3, 5, 43, L"Elections in C4: the country turns pro-communist. Alliance entry falls from 50 to 43."},
      {5, 5, 50, L"Elections in C4: the country turns pro-communist."},
  };
  for (const sCase& c : cases) {
    C(4).orientation = c.before;
    C(4).allianceEntry = 50;
    C(4).doneParliamentaryElections = 0;
    EXPECT_TRUE(DiplomacyResolveElections(4, c.winner, text));
    EXPECT_EQ(C(4).orientation, c.winner);
    EXPECT_EQ(C(4).allianceEntry, c.entry) << c.before << "->" << c.winner;
    EXPECT_EQ(C(4).doneParliamentaryElections, 1);
    EXPECT_EQ(text, c.text);
  }
  EXPECT_EQ(C(4).diplomaticPoints, 1000);  // elections are free
}

TEST_F(Diplomacy, DelayingPaysAndLowersTheEntryClampedAtZero) {
  EXPECT_TRUE(DiplomacyDelayAllianceEntry(5, text));
  EXPECT_EQ(C(5).diplomaticPoints, 960);  // 50 x 0.8
  EXPECT_EQ(C(5).allianceEntry, 40);
  EXPECT_EQ(C(5).doneDelayWarEntry, 1);
  EXPECT_EQ(text, L"C5 delays its alliance entry: from 50 to 40.");

  C(5).allianceEntry = 1;
  EXPECT_TRUE(DiplomacyDelayAllianceEntry(5, text));
  EXPECT_EQ(C(5).allianceEntry, 0);
  EXPECT_EQ(text, L"C5 delays its alliance entry: from 1 to 0.");
}

TEST_F(Diplomacy, HasteningRaisesTheEntryAndJoinsTheLeanAtOneHundred) {
  EXPECT_TRUE(DiplomacyHastenAllianceEntry(5, text));
  EXPECT_EQ(C(5).diplomaticPoints, 950);
  EXPECT_EQ(C(5).allianceEntry, 65);
  EXPECT_EQ(C(5).doneHasteWarEntry, 1);
  EXPECT_EQ(text, L"C5 comes closer to its alliance: entry from 50 to 65.");

  g.SetWar(2, 3);
  C(5).allianceEntry = 90;
  EXPECT_TRUE(DiplomacyHastenAllianceEntry(5, text));
  EXPECT_EQ(C(5).allianceEntry, 100);
  EXPECT_EQ(C(5).alliance, kAllianceAxis);
  EXPECT_TRUE(War(5, 3));  // the leader's war came with it
  EXPECT_EQ(text, L"C5 joins the Axis.");
}

TEST_F(Diplomacy, HasteningACountryOfNoKnownOrientationIsAFatalDataError) {
  C(5).orientation = 7;
  C(5).allianceEntry = 90;
  EXPECT_EXIT((LogToStderr(), DiplomacyHastenAllianceEntry(5, text)), ::testing::ExitedWithCode(1),
              "Error 1: Orientation not specified");
}

TEST_F(Diplomacy, DeclarationsOfWarFollowTheirSixCases) {
  struct sCase {
    int attacker, target, which;
    std::vector<std::pair<int, int>> wars;
    int targetAlliance;
  };
  // 5 leans to the axis and lies in its zone; 7 lies in no zone.
  const sCase cases[] = {
      {4, 7, 1, {{4, 7}}, 0},
      {4, 5, 2, {{4, 5}, {4, 2}}, kAllianceAxis},
      {4, 2, 3, {{4, 2}}, 5},
      {6, 7, 4, {{7, 1}, {7, 6}}, 0},
      {6, 5, 5, {{6, 5}, {1, 5}, {1, 2}, {6, 2}}, kAllianceAxis},
      {6, 2, 6, {{6, 2}, {1, 2}}, 5},
  };
  for (const sCase& c : cases) {
    g.game->relations.Resize(7);
    C(5).alliance = 0;
    C(5).allianceEntry = 50;
    C(c.attacker).diplomaticPoints = 1000;
    C(c.attacker).socialUnrest = 10.0f;
    const int cost = DiplomacyDeclareWarCost(C(c.attacker), C(c.target));
    const int unrest = DiplomacyDeclareWarUnrest(C(c.attacker), C(c.target));
    LogCapture log;
    EXPECT_EQ(DiplomacyDeclareWar(c.attacker, c.target, true), c.which);
    EXPECT_TRUE(log.Has(L"C" + std::to_wstring(c.attacker) + L" declares war on C" + std::to_wstring(c.target) +
                        L" (CASE " + std::to_wstring(c.which) + L")"));
    EXPECT_EQ(C(c.attacker).diplomaticPoints, 1000 - cost) << c.which;
    EXPECT_FLOAT_EQ(C(c.attacker).socialUnrest, 10.0f + static_cast<float>(unrest)) << c.which;
    EXPECT_EQ(C(c.target).alliance, c.targetAlliance) << c.which;
    int wars = 0;
    for (int a = 1; a <= 7; ++a)
      for (int b = 1; b <= 7; ++b) wars += War(a, b) ? 1 : 0;
    EXPECT_EQ(wars, 2 * static_cast<int>(c.wars.size())) << c.which;
    for (const auto& [a, b] : c.wars) {
      EXPECT_TRUE(War(a, b)) << c.which << ": " << a << "-" << b;
      EXPECT_TRUE(War(b, a)) << c.which << ": " << b << "-" << a;
    }
  }
  // Events declare for free; nobody declares war on itself.
  g.game->relations.Resize(7);
  C(4).diplomaticPoints = 1000;
  EXPECT_EQ(DiplomacyDeclareWar(4, 7, false), 1);
  EXPECT_EQ(C(4).diplomaticPoints, 1000);
  EXPECT_EQ(DiplomacyDeclareWar(4, 4, true), 0);
  EXPECT_EQ(DiplomacyDeclareWar(4, 9, true), 0);
}

TEST_F(Diplomacy, PressureMarksTheLeanAndMovesTheEntryOrFails) {
  // The same lean: certain, the entry rises by the pressure dice (12).
  EXPECT_TRUE(DiplomacyExertPressure(1, 4, text));
  EXPECT_EQ(C(1).diplomaticPoints, 960);
  EXPECT_EQ(C(4).allianceEntry, 62);
  EXPECT_EQ(C(4).doneExertPressureAllied, 1);
  EXPECT_EQ(text, L"The alliance entry of C4 goes from 50 to 62 under pressure from C1.");
  // The allies' lean has pressed; the axis still may.
  EXPECT_FALSE(DiplomacyCanExertPressure(6, 4, text));
  EXPECT_TRUE(DiplomacyCanExertPressure(2, 4, text));

  // Another lean with a chance of (100 - 40) x 1.0 = 60: a roll of 1..100
  // from seed 1 is 1 + int(41 / 32767 x 99) = 1, a success; the entry falls.
  g.game->consts.pressureFactors[1] = 1.0f;
  SeedRandom(1);
  EXPECT_TRUE(DiplomacyExertPressure(2, 4, text));
  EXPECT_EQ(C(2).diplomaticPoints, 920);
  EXPECT_EQ(C(4).allianceEntry, 50);
  EXPECT_EQ(C(4).doneExertPressureAxis, 1);
  EXPECT_EQ(text, L"The alliance entry of C4 goes from 62 to 50 under pressure from C2.");

  // A chance of 0 always fails, and still costs.
  g.game->consts.pressureFactors[1] = 0.0f;
  EXPECT_TRUE(DiplomacyExertPressure(3, 4, text));
  EXPECT_EQ(C(3).diplomaticPoints, 920);
  EXPECT_EQ(C(4).allianceEntry, 50);
  EXPECT_EQ(C(4).doneExertPressureComintern, 1);
  EXPECT_EQ(text, L"C3 tries to press C4 but fails.");

  // Reaching 100 joins the lean of the target.
  C(4).allianceEntry = 95;
  EXPECT_TRUE(DiplomacyExertPressure(1, 4, text));
  EXPECT_EQ(C(4).alliance, kAllianceAllies);
  EXPECT_EQ(text, L"C4 joins the Allies under pressure from C1.");
}

TEST_F(Diplomacy, ACoupShiftsTheOrientationOrStrengthensTheTarget) {
  // Certain success: the coup table moves a firm democracy under a
  // nationalist stager to pro-allied; the entry falls by 20.
  g.game->consts.coupFactors[1] = 2.0f;
  EXPECT_TRUE(DiplomacyStageCoup(2, 4, text));
  EXPECT_EQ(C(2).diplomaticPoints, 940);  // 1.5 x 40
  EXPECT_EQ(C(4).orientation, 3);
  EXPECT_EQ(C(4).allianceEntry, 30);
  EXPECT_EQ(text,
            L"Coup d'etat in C4: the firm democracy gives way to a pro-allied regime. Alliance entry falls from 50 to 30.");

  // Certain failure (strength 100 leaves no chance): another lean raises
  // the entry by 8; the strength stays clamped at 100.
  C(4).orientation = 0;
  C(4).politicalStrength = 100;
  EXPECT_TRUE(DiplomacyStageCoup(2, 4, text));
  EXPECT_EQ(C(2).diplomaticPoints, 790);  // 1.5 x 100
  EXPECT_EQ(C(4).allianceEntry, 38);
  EXPECT_EQ(C(4).politicalStrength, 100);
  EXPECT_EQ(text,
            L"The coup d'etat in C4 fails: the political strength of C4 rises by 10. Alliance entry rises from 30 to "
            L"38.");

  // The same lean under another code: no entry change on failure.
  C(7).politicalStrength = 95;
  g.game->consts.coupFactors[1] = 0.0f;
  EXPECT_TRUE(DiplomacyStageCoup(5, 7, text));
  EXPECT_EQ(C(7).allianceEntry, 50);
  EXPECT_EQ(C(7).politicalStrength, 100);
  EXPECT_EQ(text, L"The coup d'etat in C7 fails: the political strength of C7 rises by 10.");

  // A failure that takes the entry to 100 joins the target's lean.
  C(4).allianceEntry = 95;
  EXPECT_TRUE(DiplomacyStageCoup(2, 4, text));
  EXPECT_EQ(C(4).alliance, kAllianceAllies);
  EXPECT_EQ(text,
            L"The coup d'etat in C4 fails: the political strength of C4 rises by 10. C4 joins the Allies.");
}

}  // namespace
