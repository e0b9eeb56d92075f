// The relations matrix: war flags, losses and their shares, the id checks
// and the two tables it is read from.
#include "world/relations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/front_end.h"
#include "support/unit_fixtures.h"
#include "world_test_support.h"

using namespace world_test;
using unit_test::LoadShippedStrings;

namespace {

// ---- queries ---------------------------------------------------------------

TEST(RelationsQueries, WarIsOneWayAndNeverOnTheDiagonal) {
  cRelacje r;
  r.Resize(5);
  r.SetWar(2, 5, 1);
  EXPECT_EQ(r.IsAtWar(2, 5), 1);
  EXPECT_EQ(r.IsAtWar(5, 2), 0);
  r.SetWar(3, 3, 1);
  EXPECT_EQ(r.IsAtWar(3, 3), 0);
  r.SetWar(2, 5, 0);
  EXPECT_EQ(r.IsAtWar(2, 5), 0);
}

TEST(RelationsQueries, CountryZeroIsAtWarWithNobodyAndAlliedToNobody) {
  GameFixture g(3, 1);
  cPanstwo* a = g.AddCountry(kAllianceAllies);
  cPanstwo* b = g.AddCountry(kAllianceAxis);
  g.SetWar(a->id, b->id);
  EXPECT_EQ(g.game->relations.IsAtWar(0, a->id), 0);
  EXPECT_EQ(g.game->relations.IsAtWar(a->id, 0), 0);
  EXPECT_EQ(g.game->relations.IsAtWar(0, 0), 0);
  EXPECT_TRUE(a->IsAtWarWith(b->id));
  EXPECT_FALSE(a->IsAtWarWith(0));
  EXPECT_FALSE(a->IsAlly(0));
  // An uncontrolled hex is neither friendly nor enemy ground.
  EXPECT_FALSE(g.hex(1, 0).IsFriendlyTo(a->id));
}

TEST(RelationsQueries, IdsOutsideTheMatrixChangeAndAnswerNothing) {
  cRelacje r;
  r.Resize(2);
  LogCapture log;
  EXPECT_EQ(r.IsAtWar(3, 1), 0);
  EXPECT_EQ(r.IsAtWar(-1, 2), 0);
  r.SetWar(3, 1, 1);
  r.ChangeLosses(1, 9, 5.0f);
  EXPECT_EQ(r.GetLosses(1, 9), 0.0f);
  EXPECT_EQ(r.GetLossShare(-2, 1), 0.0f);
  EXPECT_EQ(r.GetTotalLossesSuffered(7), 0.0f);
  EXPECT_EQ(log.lines.size(), 4u);
  EXPECT_TRUE(log.HasPrefix(L"WARNING: country ID parameter out of range (3, 1)"));
  for (int a = 1; a <= 2; ++a)
    for (int b = 1; b <= 2; ++b) EXPECT_EQ(r.GetLosses(a, b), 0.0f);
}

TEST(RelationsQueries, MakingPeaceEndsWarsFlaggedInEitherDirection) {
  cRelacje r;
  r.Resize(5);
  r.SetWar(2, 3, 1);
  r.SetWar(3, 2, 1);
  r.SetWar(5, 2, 1);  // flagged one way only
  r.SetWar(4, 5, 1);
  r.SetWar(5, 4, 1);
  r.MakePeaceWithAll(2);
  EXPECT_EQ(r.IsAtWar(2, 3), 0);
  EXPECT_EQ(r.IsAtWar(3, 2), 0);
  EXPECT_EQ(r.IsAtWar(5, 2), 0);
  EXPECT_EQ(r.IsAtWar(4, 5), 1);
  EXPECT_EQ(r.IsAtWar(5, 4), 1);
}

// ---- losses ----------------------------------------------------------------

TEST(RelationsLosses, SharesOfZeroAndNonZeroTotals) {
  cRelacje r;
  r.Resize(3);
  r.ChangeLosses(1, 3, 20.0f);
  r.ChangeLosses(1, 3, 10.0f);
  r.ChangeLosses(2, 3, 10.0f);
  r.ChangeLosses(3, 3, 40.0f);  // the diagonal counts towards the total
  EXPECT_EQ(r.GetLosses(1, 3), 30.0f);
  EXPECT_EQ(r.GetTotalLossesSuffered(3), 80.0f);
  r.ComputeLossShares();
  EXPECT_FLOAT_EQ(r.GetLossShare(1, 3), 0.375f);
  EXPECT_FLOAT_EQ(r.GetLossShare(2, 3), 0.125f);
  EXPECT_FLOAT_EQ(r.GetLossShare(3, 3), 0.5f);
  // Nobody has dealt losses to 1 or 2.
  for (int a = 1; a <= 3; ++a) {
    EXPECT_EQ(r.GetLossShare(a, 1), 0.0f);
    EXPECT_EQ(r.GetLossShare(a, 2), 0.0f);
  }
  // Shares follow the losses when computed again.
  r.ChangeLosses(2, 3, -10.0f);
  r.ChangeLosses(3, 3, -40.0f);
  r.ComputeLossShares();
  EXPECT_FLOAT_EQ(r.GetLossShare(1, 3), 1.0f);
  EXPECT_EQ(r.GetLossShare(2, 3), 0.0f);
}

TEST(RelationsLosses, LossesThatAreNoNumberGiveNoShares) {
  cRelacje r;
  r.Resize(2);
  r.ChangeLosses(1, 2, std::numeric_limits<float>::quiet_NaN());
  r.ChangeLosses(2, 2, 4.0f);
  r.ComputeLossShares();
  EXPECT_EQ(r.GetLossShare(1, 2), 0.0f);
  EXPECT_EQ(r.GetLossShare(2, 2), 0.0f);
}

TEST(RelationsDeathTest, IdZeroInWritesAndLossQueriesEndsTheProgram) {
  LoadShippedStrings();
  cRelacje r;
  r.Resize(2);
  EXPECT_EXIT((LogToStderr(), r.SetWar(0, 1, 1)), ::testing::ExitedWithCode(1),
              "Country ID parameter was 0 while setting war");
  EXPECT_EXIT((LogToStderr(), r.ChangeLosses(1, 0, 1.0f)), ::testing::ExitedWithCode(1),
              "Country ID parameter was 0 while changing losses");
  EXPECT_EXIT((LogToStderr(), r.GetLosses(0, 2)), ::testing::ExitedWithCode(1),
              "Country ID parameter was 0 while checking losses");
  EXPECT_EXIT((LogToStderr(), r.GetLossShare(2, 0)), ::testing::ExitedWithCode(1),
              "Country ID parameter was 0 while checking losses' share");
  EXPECT_EXIT((LogToStderr(), r.MakePeaceWithAll(0)), ::testing::ExitedWithCode(1),
              "ERROR: Country ID parameter was 0 while checking relations");
}

// ---- the tables ----------------------------------------------------------

class RelationsTables : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { dir_.cTempDir::Write(name, text); }
  std::wstring Template() const { return dir_.Template(); }

  ScratchDir dir_;
};
using RelationsTablesDeathTest = RelationsTables;

TEST_F(RelationsTables, FlagsThenLossesWithTheirRules) {
  Write("relations.csv",
        "#Relations matrix [0=peace, 1=war]\r\n"
        "#Country ID;Country Name;Relations with all countries [0=peace, 1=war]\r\n"
        "2;Bravia;1;0;0\r\n"
        "1;Alvar;1;1;0\r\n"
        "\r\n"
        "3;Cordo;0;;1\r\n"
        "2;Bravia;0;0;7");
  Write("losses.csv",
        "#Losses matrix:\r\n"
        "#Country ID;Country Name;Casualties dealt against all countries\r\n"
        "1;Alvar;0.000000;2.500000;1.000000;\r\n"
        "3;Cordo;4.000000;");
  cRelacje r;
  r.SetWar(1, 1, 1);
  LogCapture log;
  r.LoadFromCsv(Template(), 3);
  EXPECT_EQ(r.Count(), 3);
  // The table marks the diagonal; the matrix never reports it. The later row
  // of country 2 wins. "3;Cordo;0;;1": the empty field vanishes and the 1
  // becomes column 2. Losses are not war.
  const int war[3][3] = {{0, 1, 0}, {0, 0, 1}, {0, 1, 0}};
  // The short losses row leaves its missing cells at 0.
  const float dealt[3][3] = {{0.0f, 2.5f, 1.0f}, {0.0f, 0.0f, 0.0f}, {4.0f, 0.0f, 0.0f}};
  for (int a = 1; a <= 3; ++a)
    for (int b = 1; b <= 3; ++b) {
      EXPECT_EQ(r.IsAtWar(a, b), war[a - 1][b - 1]) << a << "," << b;
      EXPECT_EQ(r.GetLosses(a, b), dealt[a - 1][b - 1]) << a << "," << b;
    }
  const std::wstring relations = Utf8ToWide((dir_.path() / "relations.csv").string());
  const std::wstring losses = Utf8ToWide((dir_.path() / "losses.csv").string());
  EXPECT_TRUE(log.Has(L"WARNING: empty field in " + relations + L" line 6; the later columns move left"));
  EXPECT_TRUE(log.Has(L"WARNING: " + relations + L" line 6 has 4 fields, 5 needed"));
  EXPECT_TRUE(log.Has(L"Otwieram plik z relacjami ze sciezka..."));
  EXPECT_TRUE(log.Has(L"Otwieram plik ze stratami ze sciezka..."));
  EXPECT_TRUE(log.Has(L"WARNING: " + losses + L" line 4 has 3 fields, 5 needed"));
  // A trailing separator is the tables' own form and moves nothing.
  for (const std::wstring& l : log.lines) EXPECT_EQ(l.find(L"empty field in " + losses), std::wstring::npos) << l;
}

TEST_F(RelationsTables, LinesEndAtLineFeedsAndOneCharacterLinesAreNoRows) {
  Write("relations.csv", "1;A;0;1\n1\n2;B;1;0\n");
  Write("losses.csv", "1;A;0.5;nan\n2;B;1e999;3.0");
  cRelacje r;
  LogCapture log;
  r.LoadFromCsv(Template(), 2);
  EXPECT_EQ(r.IsAtWar(1, 2), 1);
  EXPECT_EQ(r.IsAtWar(2, 1), 1);
  EXPECT_EQ(r.GetLosses(1, 1), 0.5f);
  EXPECT_EQ(r.GetLosses(2, 2), 3.0f);
  // Losses that are no amount read as none.
  EXPECT_EQ(r.GetLosses(1, 2), 0.0f);
  EXPECT_EQ(r.GetLosses(2, 1), 0.0f);
  // Line 2 would be a short row of country 1.
  for (const std::wstring& l : log.lines) EXPECT_EQ(l.find(L"line 2 has"), std::wstring::npos) << l;
}

TEST_F(RelationsTables, EmptyTablesLeavePeaceAndNoLosses) {
  Write("relations.csv", "");
  Write("losses.csv", "");
  cRelacje r;
  r.LoadFromCsv(Template(), 2);
  for (int a = 1; a <= 2; ++a)
    for (int b = 1; b <= 2; ++b) {
      EXPECT_EQ(r.IsAtWar(a, b), 0);
      EXPECT_EQ(r.GetLosses(a, b), 0.0f);
    }
}

TEST_F(RelationsTablesDeathTest, ARowNamingNoCountryEndsTheProgram) {
  LoadShippedStrings();
  Write("relations.csv", "#Relations\r\n1;A;0;1\r\n3;C;1;0\r\n");
  Write("losses.csv", "1;A;1.0;2.0\r\n");
  cRelacje r;
  EXPECT_EXIT((LogToStderr(), r.LoadFromCsv(Template(), 2)), ::testing::ExitedWithCode(1),
              "Error in file .*relations.csv line no. 3\nWrong country ID");
  Write("relations.csv", "1;A;0;1\r\n");
  Write("losses.csv", "1;A;1.0;2.0\r\nx;B;1.0;2.0\r\n");
  EXPECT_EXIT((LogToStderr(), r.LoadFromCsv(Template(), 2)), ::testing::ExitedWithCode(1),
              "losses.csv\nOtwarcie OK\nWrong country ID");
  // An id beyond the integers names no country either, whatever it would wrap to.
  Write("relations.csv", "4294967297;A;0;1\r\n");
  EXPECT_EXIT((LogToStderr(), r.LoadFromCsv(Template(), 2)), ::testing::ExitedWithCode(1),
              "Error in file .*relations.csv line no. 1\nWrong country ID");
}

TEST_F(RelationsTablesDeathTest, AMissingTableEndsTheProgram) {
  Write("relations.csv", "1;A;0\r\n");
  cRelacje r;
  EXPECT_EXIT((LogToStderr(), r.LoadFromCsv(Template(), 1)), ::testing::ExitedWithCode(1),
              "Otwarcie OK\n.*stratami.*\n.*losses.csv\nBlad otwarcia pliku! \\(nie istnieje\\?\\)");
}

}  // namespace
