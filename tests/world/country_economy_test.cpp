// The country's economy: production by the five city rules and its
// modifiers, upkeep, monthly research with nuclear bombs, the doctrine clock
// and the capacity of transport and amphibious ships.
#include "world/country_economy.h"

#include <gtest/gtest.h>

#include "core/game_lock.h"
#include "core/random.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world/phase_report.h"
#include "world_test_support.h"

using namespace world_test;
using namespace unit_test;

namespace {

// ---- production ----------------------------------------------------------------

// Country 1 collects; 2 is its ally, 3 an enemy whose losses 1 dealt a
// quarter of, 4 a neutral. Factors: occupied 0.5, annexed 0.75, share 0.2.
class Production : public ::testing::Test {
 protected:
  Production() : g(4, 4) {
    self = g.AddCountry(kAllianceAllies);
    g.AddCountry(kAllianceAllies + 3);
    g.AddCountry(kAllianceAxis);
    g.AddCountry(kAllianceNeutral);
    self->consts.c115[0] = 0.5f;
    self->consts.c115[1] = 0.75f;
    self->consts.c115[2] = 0.2f;
    self->warEconomy = 100.0f;
    self->difficultyLevel = 2;
    g.game->relations.ChangeLosses(1, 3, 10.0f);
    g.game->relations.ChangeLosses(2, 3, 30.0f);
    g.game->relations.ComputeLossShares();
  }
  cMiasto* City(int x, int y, int type, float pp, int controller, int owner, int original) {
    cMiasto* c = AddCity(g, x, y, type, controller);
    c->productionPoints = pp;
    g.hex(x, y).owner = static_cast<uint8_t>(owner);
    g.hex(x, y).originalOwner = static_cast<uint8_t>(original);
    return c;
  }

  GameFixture g;
  cPanstwo* self;
};

TEST_F(Production, EachCityCountsByTheFirstRuleThatMatches) {
  struct sCase {
    const char* what;
    int type, controller, owner, original;
    sProductionSums expected;
  };
  const sCase cases[] = {
      {"resources held, whoever owns them", kCityResources, 1, 3, 3, {20.0f, 0, 0, 0, 0}},
      {"own city, even when another owns it", kCityRegular, 1, 3, 1, {0, 20.0f, 0, 0, 0}},
      {"occupied city", kCitySupply, 1, 3, 3, {0, 0, 10.0f, 0, 0}},
      {"annexed city: factor and loss share", kCityPort, 1, 1, 3, {0, 0, 0, 15.0f, 1.0f}},
      {"annexed by the ally: the share only", kCityRegular, 2, 2, 3, {0, 0, 0, 0, 1.0f}},
      {"the ally's own city", kCityRegular, 2, 2, 2, {}},
      {"the ally occupies it", kCityRegular, 2, 3, 3, {}},
      {"resources annexed by the ally", kCityResources, 2, 2, 3, {}},
      {"annexed by a neutral", kCityRegular, 4, 4, 3, {}},
      {"the enemy's city", kCityRegular, 3, 3, 3, {}},
      {"nobody holds it", kCityRegular, 0, 0, 3, {}},
      // The loss matrix ends the program on id 0: no share, no exit.
      {"annexed, first held by nobody", kCityRegular, 1, 1, 0, {0, 0, 0, 15.0f, 0}},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    for (cMiasto* old : g.game->cities) {
      g.hex(old->x, old->y).city = nullptr;
      delete old;
    }
    g.game->cities.clear();
    City(1, 1, c.type, 20.0f, c.controller, c.owner, c.original);
    const sProductionSums s = SumCityProduction(*self);
    EXPECT_FLOAT_EQ(s.resources, c.expected.resources);
    EXPECT_FLOAT_EQ(s.ownCities, c.expected.ownCities);
    EXPECT_FLOAT_EQ(s.occupiedCities, c.expected.occupiedCities);
    EXPECT_FLOAT_EQ(s.annexedCities, c.expected.annexedCities);
    EXPECT_FLOAT_EQ(s.annexedShare, c.expected.annexedShare);
  }
}

TEST_F(Production, CollectsTheSumOfEveryRuleWithItsReport) {
  LoadShippedStrings();
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  City(0, 0, kCityResources, 8.0f, 1, 1, 1);
  City(1, 0, kCityRegular, 13.0f, 1, 1, 1);
  City(2, 0, kCityRegular, 12.0f, 1, 3, 3);   // occupied: 6
  City(3, 0, kCityRegular, 20.0f, 1, 1, 3);   // annexed: 15, share 1
  City(0, 1, kCityRegular, 40.0f, 2, 2, 3);   // the ally's: share 2
  City(1, 1, kCityRegular, 99.0f, 3, 3, 3);   // the enemy's
  self->productionPoints = 5.0;
  self->socialUnrest = 20.0f;
  self->warEconomy = 50.0f;
  self->difficultyLevel = 4;  // a computer country: 200 %
  sPhaseReport report;
  self->CollectProduction(report);
  // 45 x 0.8 x 0.5 x 2.0 = 36
  EXPECT_DOUBLE_EQ(self->productionPoints, 41.0);
  EXPECT_EQ(fe.Count("RefreshInfoPanel"), 1);
  EXPECT_EQ(report.headline, L"Production report");
  EXPECT_EQ(report.body,
            L"Resources: 8.0 PP\nOwn cities: 13.0 PP\nOccupied cities: 6.0 PP\nAnnexed cities: 15.0 PP\n"
            L"Share from annexed cities: 3.0 PP\n\nTotal production: 45.0 PP\n\n\nModifiers:\nCivil Order: 80.0%\n"
            L"War Economy: 50.0%\nDifficulty level: 200.0%\n\nTotal modifier: 80.0%\n\n\nCollected: 36.0 PP");
}

TEST_F(Production, ModifiersOfOrderWarEconomyAndDifficulty) {
  City(0, 0, kCityRegular, 40.0f, 1, 1, 1);
  struct sCase {
    uint8_t human;
    int difficulty;
    float unrest, war;
    double collected;
  };
  const sCase cases[] = {
      // A computer country at level 4 collects twice what it would at level 2.
      {0, 0, 0, 100, 20}, {0, 1, 0, 100, 30}, {0, 2, 0, 100, 40}, {0, 3, 0, 100, 60},
      {0, 4, 0, 100, 80}, {0, 7, 0, 100, 40}, {0, -1, 0, 100, 40},
      {1, 0, 0, 100, 40},  // a human country always collects at 100 %
      {1, 4, 0, 100, 40}, {0, 4, 100, 100, 0},  // no civil order, nothing
      {0, 2, 25, 100, 30}, {0, 2, 0, 150, 60}, {1, 2, 50, 50, 10},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "human " << int(c.human) << " level " << c.difficulty << " unrest "
                                    << c.unrest << " war " << c.war);
    self->humanControlled = c.human;
    self->difficultyLevel = c.difficulty;
    self->socialUnrest = c.unrest;
    self->warEconomy = c.war;
    self->productionPoints = 0.0;
    sPhaseReport report;
    self->CollectProduction(report);
    EXPECT_NEAR(self->productionPoints, c.collected, 1e-4);
  }
}

// ---- upkeep ---------------------------------------------------------------------

TEST(Upkeep, PaysForLandAndAirUnitsOnTheMapAndInReserveAndMayGoNegative) {
  LoadShippedStrings();
  GameFixture g(3, 3);
  cPanstwo* self = g.AddCountry(kAllianceAllies);
  g.AddCountry(kAllianceAxis);
  self->name = L"Norland";
  self->consts.unitUpkeepFactor = 0.25f;
  self->unitUpkeepCostModifier = 2.0f;
  self->productionPoints = 10.0;
  g.game->landUnits.push_back(new TestLandUnit(1, 1, 8.0f));
  g.game->landUnits.push_back(new TestLandUnit(2, 2, 100.0f));  // another country's
  g.game->transportedUnits.push_back(new TestLandUnit(1, 3, 100.0f));  // not in the main list
  auto* reserveLand = new ValuedLandUnit(20.0f);  // strength 100: value 20
  reserveLand->countryId = 1;
  reserveLand->inReserve = 1;
  g.game->reserve.push_back(reserveLand);
  g.game->airUnits.push_back(new TestAirUnit(1, 4, 6.0f));
  auto* reserveAir = new cJednostkaLotnicza();
  reserveAir->countryId = 1;
  reserveAir->strength = 10;
  reserveAir->inReserve = 1;
  g.game->reserve.push_back(reserveAir);
  auto* foreignAir = new cJednostkaLotnicza();
  foreignAir->countryId = 2;
  foreignAir->strength = 50;
  g.game->reserve.push_back(foreignAir);

  sPhaseReport report;
  self->ComputeUnitUpkeep(report);
  // Strength 8 + 20 + 6 + 10 = 44; upkeep 44 x 0.25 x 2 = 22.
  EXPECT_DOUBLE_EQ(self->productionPoints, -12.0);
  EXPECT_EQ(report.headline, L"Unit upkeep summary for Norland");
  EXPECT_EQ(report.body,
            L"Total units' strength: 44.00\nTotal upkeep: 22.00\nPP after upkeep subtraction: -12.00\n"
            L"Current PP: -12.00");
}

// ---- research -------------------------------------------------------------------

TEST(ResearchEstimate, HandComputedMonths) {
  // truncate((threshold - progress) / (investment x 3.5) + 0.5)
  const int cases[][4] = {
      {100, 30, 2, 10},  // 70 / 7 = 10
      {100, 31, 2, 10},  // 9.86 + 0.5
      {100, 34, 2, 9},   // 9.43 + 0.5
      {10, 9, 3, 0},     // 0.10 + 0.5
      {50, 15, 1, 10},   // 35 / 3.5 = 10
      {52, 0, 3, 5},     // 4.95 + 0.5
  };
  for (const auto& c : cases) EXPECT_EQ(EstimateResearchMonths(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1];
}

class Research : public ::testing::Test {
 protected:
  Research() : g(2, 2, 1) {
    LoadShippedStrings();
    self = g.game->countries[0];
    self->name = L"Norland";
    for (int k = 0; k < kTechCategoryCount; ++k) {
      self->consts.c088[k] = 100;  // points a level needs
      self->consts.c089[k] = 4;    // the highest level
      self->techLevels[k] = 1;
    }
  }
  // The body line of a category, its heading included.
  std::wstring Line(const sPhaseReport& report, const std::wstring& heading) {
    const size_t at = report.body.find(heading);
    if (at == std::wstring::npos) return L"";
    return report.body.substr(at, report.body.find(L'\n', at) - at);
  }

  GameFixture g;
  cPanstwo* self;
};

TEST_F(Research, WithoutInvestmentNothingMovesAndAtTheMaximumNeither) {
  self->researchProgress[kTechArtillery] = 40;
  self->techInvestments[kTechTanks] = 3;
  self->researchProgress[kTechTanks] = 40;
  self->techLevels[kTechTanks] = 4;  // at its maximum
  self->techInvestments[kTechAircraft] = 2;
  self->techLevels[kTechAircraft] = 6;  // above it
  sPhaseReport report;
  self->MonthlyResearch(report);
  EXPECT_EQ(report.headline, L"Monthly research report for Norland");
  EXPECT_EQ(self->researchProgress[kTechArtillery], 40);
  EXPECT_EQ(self->researchProgress[kTechTanks], 40);
  EXPECT_EQ(self->techInvestments[kTechTanks], 3);
  EXPECT_EQ(self->techLevels[kTechTanks], 4);
  EXPECT_EQ(self->researchProgress[kTechAircraft], 0);
  EXPECT_EQ(Line(report, L"Artillery:"), L"Artillery: No investments.");
  EXPECT_EQ(Line(report, L"Tanks:"), L"Tanks: Maximum level reached.");
  EXPECT_EQ(Line(report, L"Aircraft:"), L"Aircraft: Maximum level reached.");
  EXPECT_EQ(self->nuclearBombs, 0);
}

TEST_F(Research, ProgressGrowsBySixSidedDicePerInvestment) {
  self->techInvestments[kTechNavy] = 3;
  self->researchProgress[kTechNavy] = 10;
  SeedRandom(99);
  const int dice = RandomInRange(1, 6) + RandomInRange(1, 6) + RandomInRange(1, 6);
  SeedRandom(99);
  sPhaseReport report;
  self->MonthlyResearch(report);
  const int now = 10 + dice;
  EXPECT_GE(dice, 3);
  EXPECT_LE(dice, 18);
  EXPECT_EQ(self->researchProgress[kTechNavy], now);
  EXPECT_EQ(self->techLevels[kTechNavy], 1);
  EXPECT_EQ(self->techInvestments[kTechNavy], 3);
  EXPECT_EQ(Line(report, L"Warships:"),
            WFormat(L"Warships: Progress increased from 10 to %d. Estimated completion time: %d months.", now,
                    EstimateResearchMonths(100, now, 3)));
}

TEST_F(Research, ReachingTheThresholdGivesALevelAndStartsAfresh) {
  self->consts.c088[kTechArtillery] = 12;
  self->techInvestments[kTechArtillery] = 3;
  self->researchProgress[kTechArtillery] = 11;  // any three dice reach 12
  self->consts.c088[kTechNuclear] = 2;
  self->techInvestments[kTechNuclear] = 2;
  self->techLevels[kTechNuclear] = 2;
  sPhaseReport report;
  self->MonthlyResearch(report);
  EXPECT_EQ(self->techLevels[kTechArtillery], 2);
  EXPECT_EQ(self->techInvestments[kTechArtillery], 0);
  EXPECT_EQ(self->researchProgress[kTechArtillery], 0);
  EXPECT_EQ(Line(report, L"Artillery:"), L"Artillery: Level 2 reached!");
  // A new nuclear level brings a bomb with it.
  EXPECT_EQ(self->techLevels[kTechNuclear], 3);
  EXPECT_EQ(self->nuclearBombs, 1);
  EXPECT_EQ(Line(report, L"Nuclear bomb:"), L"Nuclear bomb: Level 3 reached! Norland acquires a new nuclear bomb.");
}

TEST_F(Research, AtTheHighestNuclearLevelEveryMonthBringsABomb) {
  self->techLevels[kTechNuclear] = 4;
  self->techInvestments[kTechNuclear] = 0;
  self->researchProgress[kTechNuclear] = 7;
  sPhaseReport report;
  for (int month = 1; month <= 3; ++month) self->MonthlyResearch(report);
  EXPECT_EQ(self->nuclearBombs, 3);
  EXPECT_EQ(self->techLevels[kTechNuclear], 4);
  EXPECT_EQ(self->researchProgress[kTechNuclear], 7);
  EXPECT_EQ(Line(report, L"Nuclear bomb:"), L"Nuclear bomb:  Norland acquires a new nuclear bomb.");
}

TEST_F(Research, TheDoctrineIsNoResearchAndTheReportListsSixCategories) {
  self->techInvestments[kTechDoctrine] = 3;
  self->researchProgress[kTechDoctrine] = 5;
  self->techInvestments[kTechSubmarines] = -2;  // an event may leave it below 0
  self->researchProgress[kTechSubmarines] = 5;
  sPhaseReport report;
  self->MonthlyResearch(report);
  EXPECT_EQ(self->researchProgress[kTechDoctrine], 5);
  EXPECT_EQ(self->techLevels[kTechDoctrine], 1);
  EXPECT_EQ(self->researchProgress[kTechSubmarines], 5);
  EXPECT_EQ(report.body,
            L"Artillery: No investments.\nTanks: No investments.\nAircraft: No investments.\n"
            L"Submarines: No investments.\nWarships: No investments.\nNuclear bomb: No investments.\n");
}

// ---- doctrine clock -------------------------------------------------------------

// Writes down whether the game lock was held when a dialog was shown and
// when it was waited for.
class LockWatchingFrontEnd : public cRecordingFrontEnd {
 public:
  FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) override {
    heldAtShow.push_back(GameLockHoldCount());
    return cRecordingFrontEnd::ShowTextDialog(text, title, layout);
  }
  void WaitForDialogClosed(FrontEndHandle d, const char* file, int line) override {
    heldAtWait.push_back(GameLockHoldCount());
    cRecordingFrontEnd::WaitForDialogClosed(d, file, line);
  }
  std::vector<int> heldAtShow;
  std::vector<int> heldAtWait;
};

class Doctrine : public ::testing::Test {
 protected:
  Doctrine() : g(2, 2, 1), scope(&fe) {
    LoadShippedStrings();
    CreateGameLock();
    self = g.game->countries[0];
    self->name = L"Norland";
  }
  ~Doctrine() override { DeleteGameLock(); }
  void Counters(std::initializer_list<int> months) { std::copy(months.begin(), months.end(), self->doctrineMonths); }
  int Level() const { return self->techLevels[kTechDoctrine]; }

  GameFixture g;
  LockWatchingFrontEnd fe;
  cFrontEndScope scope;
  cPanstwo* self;
};

TEST_F(Doctrine, CountersRunDownMonthlyAndALevelComesWhenItsCounterIsOut) {
  Counters({1, 3, 0, 6, 9});
  const int expectedLevels[] = {1, 1, 3, 3, 3, 4, 4, 4, 5, 5, 5};  // after months 1..11
  for (int month = 0; month < 11; ++month) {
    self->AdvanceLandDoctrine();
    EXPECT_EQ(Level(), expectedLevels[month]) << "month " << month + 1;
  }
  // Every counter went down once a month, also past the last level.
  EXPECT_EQ(self->doctrineMonths[0], 1 - 11);
  EXPECT_EQ(self->doctrineMonths[4], 9 - 11);
  EXPECT_EQ(fe.Count("ShowTextDialog"), 0);  // a computer country is told nothing
}

TEST_F(Doctrine, AHumanIsShownEachNewLevelUnderTheLockAndWaitsOutsideIt) {
  self->humanControlled = 1;
  Counters({1, 1, 1, 8, 8});
  self->AdvanceLandDoctrine();
  EXPECT_EQ(Level(), 3);
  ASSERT_EQ(fe.Count("ShowTextDialog"), 3);
  EXPECT_EQ(fe.Count("WaitForDialogClosed"), 3);
  EXPECT_EQ(fe.heldAtShow, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(fe.heldAtWait, (std::vector<int>{0, 0, 0}));
  const auto& shown = fe.calls[0];
  EXPECT_EQ(shown.name, "ShowTextDialog");
  EXPECT_EQ(shown.value, kMessageDialogLayout);
  EXPECT_EQ(shown.text,
            L"New doctrine level!|Norland reached level 1 of land warfare doctrine. All land units will now have "
            L"higher effectivity.");
  // Each dialog is waited for before the next is shown.
  EXPECT_EQ(fe.calls[1].name, "WaitForDialogClosed");
  EXPECT_EQ(fe.calls[1].value, 1);
}

TEST_F(Doctrine, TheLastLevelStaysAndABadLevelIsLeftAlone) {
  self->techLevels[kTechDoctrine] = 5;
  Counters({-3, -3, -3, -3, -3});
  self->AdvanceLandDoctrine();
  EXPECT_EQ(Level(), 5);
  self->techLevels[kTechDoctrine] = -1;
  self->AdvanceLandDoctrine();
  EXPECT_EQ(Level(), -1);
  EXPECT_EQ(self->doctrineMonths[2], -5);
}

// ---- ship capacities --------------------------------------------------------------

class Capacity : public ::testing::Test {
 protected:
  Capacity() : g(2, 2, 2) {
    self = g.game->countries[0];
    const int sea[7] = {1, 2, 3, 4, 5, 6, 7};
    const int amphibious[7] = {10, 20, 30, 40, 50, 60, 70};
    std::copy(std::begin(sea), std::end(sea), self->consts.seaTransportCost);
    std::copy(std::begin(amphibious), std::end(amphibious), self->consts.amphibiousTransportCost);
  }
  ~Capacity() override {
    for (cJednostkaLadowa* u : carried) delete u;
  }
  void Ship(int country, int type, int carriedType) {
    auto* ship = new cJednostkaMorska();
    ship->countryId = country;
    ship->type = type;
    if (carriedType >= 0) {
      auto* unit = new TestLandUnit(country, 100 + static_cast<int>(carried.size()));
      unit->type = carriedType;
      carried.push_back(unit);
      ship->carriedUnit = unit;
    }
    g.game->navalUnits.push_back(ship);
  }

  GameFixture g;
  cPanstwo* self;
  std::vector<cJednostkaLadowa*> carried;
};

TEST_F(Capacity, AmphibiousShipsAddTheCostOfWhatTheyCarryAtEveryImpulse) {
  self->amphibiousPointsInUse = 5;
  Ship(1, kTypeAmphibious, 2);         // 30
  Ship(1, kTypeAmphibious, 6);         // 70
  Ship(1, kTypeAmphibious, -1);        // empty
  Ship(1, kTypeCargo, 3);              // a transport, not amphibious
  Ship(2, kTypeAmphibious, 1);         // another country's
  Ship(1, kTypeAmphibious, kTypeMulberry);  // no land type: no cost
  self->AccumulateAmphibiousShipCapacity();
  EXPECT_EQ(self->amphibiousPointsInUse, 105);
  self->AccumulateAmphibiousShipCapacity();
  EXPECT_EQ(self->amphibiousPointsInUse, 205);
}

TEST_F(Capacity, TotalSeaTransportCountsPointsConvoysAndLoadedTransports) {
  self->seaTransportPoints = 7;
  self->seaTransportUsedByConvoys = 4;
  EXPECT_EQ(self->GetTotalSTP(), 11);
  Ship(1, kTypeCargo, 0);        // 1
  Ship(1, kTypeCargo, 5);        // 6
  Ship(1, kTypeCargo, -1);       // empty
  Ship(1, kTypeAmphibious, 4);   // not a transport
  Ship(2, kTypeCargo, 6);        // another country's
  EXPECT_EQ(self->GetTotalSTP(), 18);
  EXPECT_EQ(self->seaTransportPoints, 7);
}

}  // namespace
