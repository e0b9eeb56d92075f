// Effects on a country's values, each run through the effects table.
#include <functional>

#include "effects_test_support.h"
#include "world/relations.h"

namespace {

using effects_test::EffectsTest;

struct sCountryCase {
  const wchar_t* method;
  std::vector<double> params;
  std::function<void(cPanstwo&)> prepare;
  std::function<double(const cPanstwo&)> value;
  double expected;
};

TEST_F(EffectsTest, CountryValuesChangeAndClampAsTheirEffectsSay) {
  const std::vector<sCountryCase> cases = {
      {L"Country.ChangeDiplomaticPoints", {1, 7.9}, [](cPanstwo& c) { c.diplomaticPoints = 10; },
       [](const cPanstwo& c) { return c.diplomaticPoints; }, 17},
      {L"Country.SetDiplomaticPoints", {1, -3.7}, [](cPanstwo& c) { c.diplomaticPoints = 10; },
       [](const cPanstwo& c) { return c.diplomaticPoints; }, -3},
      {L"Country.ChangeProductionPoints", {1, 2.5}, [](cPanstwo& c) { c.productionPoints = 10; },
       [](const cPanstwo& c) { return c.productionPoints; }, 12.5},
      {L"Country.SetProductionPoints", {1, 7.25}, [](cPanstwo& c) { c.productionPoints = 10; },
       [](const cPanstwo& c) { return c.productionPoints; }, 7.25},
      {L"Country.ChangePoliticalStrength", {1, -500}, [](cPanstwo& c) { c.politicalStrength = 40; },
       [](const cPanstwo& c) { return c.politicalStrength; }, 0},
      {L"Country.ChangePoliticalStrength", {1, 80}, [](cPanstwo& c) { c.politicalStrength = 40; },
       [](const cPanstwo& c) { return c.politicalStrength; }, 100},
      {L"Country.ChangePoliticalStrength", {1, 2147483647.0}, [](cPanstwo& c) { c.politicalStrength = 40; },
       [](const cPanstwo& c) { return c.politicalStrength; }, 100},
      {L"Country.SetPoliticalStrength", {1, -5}, [](cPanstwo& c) { c.politicalStrength = 40; },
       [](const cPanstwo& c) { return c.politicalStrength; }, -5},
      {L"Country.ChangeAllianceEntry", {1, -90}, [](cPanstwo& c) { c.allianceEntry = 30; },
       [](const cPanstwo& c) { return c.allianceEntry; }, 0},
      {L"Country.SetAllianceEntry", {1, -20}, [](cPanstwo& c) { c.allianceEntry = 30; },
       [](const cPanstwo& c) { return c.allianceEntry; }, -20},
      {L"Country.ChangeSocialUnrest", {1, 150}, [](cPanstwo& c) { c.socialUnrest = 10; },
       [](const cPanstwo& c) { return c.socialUnrest; }, 100},
      {L"Country.ChangeSocialUnrest", {1, -20}, [](cPanstwo& c) { c.socialUnrest = 10; },
       [](const cPanstwo& c) { return c.socialUnrest; }, 0},
      {L"Country.SetSocialUnrest", {1, 250}, [](cPanstwo& c) { c.socialUnrest = 10; },
       [](const cPanstwo& c) { return c.socialUnrest; }, 100},
      {L"Country.SetSocialUnrest", {1, -3}, [](cPanstwo& c) { c.socialUnrest = 10; },
       [](const cPanstwo& c) { return c.socialUnrest; }, 0},
      {L"Country.ChangeWarEconomy", {1, 62.5}, [](cPanstwo& c) { c.warEconomy = 50; },
       [](const cPanstwo& c) { return c.warEconomy; }, 112.5},
      {L"Country.SetWarEconomy", {1, -4.5}, [](cPanstwo& c) { c.warEconomy = 50; },
       [](const cPanstwo& c) { return c.warEconomy; }, -4.5},
      {L"Country.ChangeSMP", {1, -1000}, [](cPanstwo& c) { c.strategicMovementPoints = 20; },
       [](const cPanstwo& c) { return c.strategicMovementPoints; }, 0},
      {L"Country.ChangeSMP", {1, 5.9}, [](cPanstwo& c) { c.strategicMovementPoints = 20; },
       [](const cPanstwo& c) { return c.strategicMovementPoints; }, 25},
      {L"Country.ChangeSTP", {1, -50}, [](cPanstwo& c) { c.seaTransportPoints = 20; },
       [](const cPanstwo& c) { return c.seaTransportPoints; }, -30},
      {L"Country.ChangeAIP", {1, -50}, [](cPanstwo& c) { c.amphibiousPoints = 20; },
       [](const cPanstwo& c) { return c.amphibiousPoints; }, -30},
      {L"Country.ChangeUpkeepCost", {1, 0.25}, [](cPanstwo& c) { c.unitUpkeepCostModifier = 1; },
       [](const cPanstwo& c) { return c.unitUpkeepCostModifier; }, 1.25},
      {L"Country.SetUpkeepCost", {1, 0.5}, [](cPanstwo& c) { c.unitUpkeepCostModifier = 1; },
       [](const cPanstwo& c) { return c.unitUpkeepCostModifier; }, 0.5},
      {L"Country.SetWinterBattle", {1, 0.75}, nullptr, [](const cPanstwo& c) { return c.winterBattle; }, 0.75},
      {L"Country.SetWinterMove", {1, 1.5}, nullptr, [](const cPanstwo& c) { return c.winterMove; }, 1.5},
      {L"Country.SetMudBattle", {1, 0.25}, nullptr, [](const cPanstwo& c) { return c.mudBattle; }, 0.25},
      {L"Country.SetMudMove", {1, 2}, nullptr, [](const cPanstwo& c) { return c.mudMove; }, 2},
      {L"Country.SetActive", {1, 0}, nullptr, [](const cPanstwo& c) { return c.active; }, 0},
      {L"Country.SetActive", {1, 0.5}, [](cPanstwo& c) { c.active = 0; }, [](const cPanstwo& c) { return c.active; },
       1},
      {L"Country.SetOrientation", {1, 4.9}, nullptr, [](const cPanstwo& c) { return c.orientation; }, 4},
      {L"Country.SetZoneOfInfluence", {1, 2}, nullptr, [](const cPanstwo& c) { return c.zoneOfInfluence; }, 2},
      {L"Country.SetTechLevel", {1, 3, 4}, nullptr, [](const cPanstwo& c) { return c.techLevels[3]; }, 4},
      {L"Country.ChangeTechLevel", {1, 2, -5}, [](cPanstwo& c) { c.techLevels[2] = 1; },
       [](const cPanstwo& c) { return c.techLevels[2]; }, -4},
      {L"Country.SetTechResearchProgress", {1, 6, 30}, nullptr,
       [](const cPanstwo& c) { return c.researchProgress[6]; }, 30},
      {L"Country.ChangeTechResearchProgress", {1, 2, -50}, [](cPanstwo& c) { c.researchProgress[2] = 20; },
       [](const cPanstwo& c) { return c.researchProgress[2]; }, 0},
      {L"Country.ChangeTechResearchProgress", {1, 2, 15}, [](cPanstwo& c) { c.researchProgress[2] = 20; },
       [](const cPanstwo& c) { return c.researchProgress[2]; }, 35},
      {L"Country.SetTechInvestment", {1, 1, 7}, nullptr, [](const cPanstwo& c) { return c.techInvestments[1]; }, 7},
      {L"Country.ChangeTechInvestment", {1, 1, 5}, [](cPanstwo& c) { c.techInvestments[1] = 2; },
       [](const cPanstwo& c) { return c.techInvestments[1]; }, 3},
      {L"Country.ChangeTechInvestment", {1, 1, -5}, [](cPanstwo& c) { c.techInvestments[1] = 2; },
       [](const cPanstwo& c) { return c.techInvestments[1]; }, 0},
  };
  for (const sCountryCase& k : cases) {
    SCOPED_TRACE(testing::Message() << WideToUtf8(k.method) << " " << k.expected);
    if (k.prepare) {
      k.prepare(country(1));
      k.prepare(country(2));
    }
    const double other = k.value(country(2));
    Run(k.method, k.params);
    EXPECT_DOUBLE_EQ(k.value(country(1)), k.expected);
    EXPECT_DOUBLE_EQ(k.value(country(2)), other) << "only the country of param0 changes";
  }
}

TEST_F(EffectsTest, TechnologyCategoriesOutsideTheTableChangeNothing) {
  for (int& l : country(1).techLevels) l = 2;
  for (int& r : country(1).researchProgress) r = 5;
  for (int& i : country(1).techInvestments) i = 1;
  cLogCapture log;
  Run(L"Country.SetTechLevel", {1, 7, 4});
  Run(L"Country.ChangeTechLevel", {1, 9, 4});
  EXPECT_EQ(log.CountContaining(L"research category"), 0) << "categories of 7 and more are ignored silently";
  Run(L"Country.SetTechLevel", {1, -1, 4});
  Run(L"Country.ChangeTechResearchProgress", {1, -1, 4});
  Run(L"Country.SetTechInvestment", {1, 7, 3});
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(country(1).techLevels[i], 2);
    EXPECT_EQ(country(1).researchProgress[i], 5);
    EXPECT_EQ(country(1).techInvestments[i], 1);
  }
  EXPECT_GE(log.CountContaining(L"skipped"), 3);
}

TEST_F(EffectsTest, AllianceEntryAtHundredJoinsTheAllianceWithAMessage) {
  country(2).alliance = 4;  // the allies' leader
  cPanstwo& c = country(1);
  c.orientation = 0;
  c.allianceEntry = 80;
  Run(L"Country.ChangeAllianceEntry", {1, 30});
  EXPECT_EQ(c.allianceEntry, 100);
  EXPECT_EQ(c.alliance, 1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], L"Alliance entry level in Country1 reaches 100% and Country1 joins the allies.");
  Run(L"Country.ChangeAllianceEntry", {1, 10});
  EXPECT_EQ(c.allianceEntry, 100);
  EXPECT_EQ(messages().size(), 2u) << "a second change at 100 joins again";

  cPanstwo& d = country(3);
  d.orientation = 3;
  Run(L"Country.SetAllianceEntry", {3, 150});
  EXPECT_EQ(d.allianceEntry, 100) << "joining sets the level to 100";
  EXPECT_EQ(d.alliance, 1);
  Run(L"Country.SetAllianceEntry", {3, 99});
  EXPECT_EQ(d.allianceEntry, 99);
  EXPECT_EQ(messages().size(), 3u);
}

TEST_F(EffectsTest, DoctrineCountersChangeThenTheDoctrineStepRuns) {
  cPanstwo& c = country(1);
  const int start[5] = {0, 3, 0, 1, 5};
  std::copy(start, start + 5, c.doctrineMonths);
  c.techLevels[2] = 0;
  Run(L"Country.ChangeMonthsToReachWarfareDoctrineLevel", {1, 2});
  EXPECT_EQ(std::vector<int>(c.doctrineMonths, c.doctrineMonths + 5), (std::vector<int>{-1, 4, -1, 2, 6}));
  EXPECT_EQ(c.techLevels[2], 1) << "counter 0 is spent: one level up";

  std::copy(start, start + 5, c.doctrineMonths);
  c.techLevels[2] = 0;
  c.humanControlled = 1;
  Run(L"Country.ChangeMonthsToReachWarfareDoctrineLevel", {1, -4});
  EXPECT_EQ(std::vector<int>(c.doctrineMonths, c.doctrineMonths + 5), (std::vector<int>{-1, -1, -1, -1, 0}));
  EXPECT_EQ(c.techLevels[2], 5) << "every counter spent";
  EXPECT_FALSE(messages().empty()) << "the player hears of the new levels after the option";
}

TEST_F(EffectsTest, WarDeclaredByAnEventIsFreeAndNamesTheAttackerFirst) {
  cPanstwo& a = country(1);
  a.diplomaticPoints = 5;
  a.socialUnrest = 10;
  Run(L"Country.DeclareWarOnCountry", {1, 2});
  EXPECT_TRUE(game().relations.IsAtWar(1, 2));
  EXPECT_TRUE(game().relations.IsAtWar(2, 1));
  EXPECT_EQ(a.diplomaticPoints, 5);
  EXPECT_FLOAT_EQ(a.socialUnrest, 10.0f);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], L"Country1 declares war on Country2!");

  Run(L"Country.MakePeace", {1, 0});
  EXPECT_FALSE(game().relations.IsAtWar(1, 2));
}

TEST_F(EffectsTest, CountryIdsThatNameNoCountrySkipTheEffect) {
  cLogCapture log;
  Run(L"Country.SetDiplomaticPoints", {9, 50});
  Run(L"Country.DeclareWarOnCountry", {1, 0});
  EXPECT_TRUE(log.HasPrefix(L"ERROR: param0 of effect at line 7 (Country.SetDiplomaticPoints) names no country: 9"));
  EXPECT_FALSE(game().relations.IsAtWar(1, 2));
  EXPECT_TRUE(messages().empty());
}

}  // namespace
