// Turn reports: filing with the game date, picking by kind and country, and
// "reports.dat" written, read back, and read damaged.
#include "world/reports.h"

#include <gtest/gtest.h>

#include "world/world_test_support.h"

using namespace world_test;

namespace {

sRaport Report(int kind, int country, const std::wstring& text, int flag = 1) {
  sRaport r;
  r.kind = kind;
  r.countryId = country;
  r.text = text;
  r.flag = flag;
  return r;
}

TEST(TurnReports, AddingStampsTheDateAndTurnAndCollectingPicksKindAndCountry) {
  GameFixture g(2, 2, 2);
  ASSERT_NE(g.game->reports, nullptr);
  for (int& t : g.game->consts.turnsPerMonth) t = 3;
  g.game->date = {};
  g.game->date.turn = 2;
  g.game->date.month = 5;
  g.game->date.year = 1941;
  g.game->turn = 0;
  AddReport(18, 1, L"first");
  g.game->turn = 7;
  AddReport(Report(24, 1, L"second"));
  AddReport(18, 2, L"other country");
  AddReport(18, 1, L"third");

  const std::list<sRaport>& all = g.game->reports->reports;
  ASSERT_EQ(all.size(), 4u);
  const sRaport& first = all.front();
  EXPECT_EQ(first.year, 1941);
  EXPECT_EQ(first.month, 5);
  EXPECT_EQ(first.day, g.game->date.GetDayOfMonth(g.game->consts.turnsPerMonth));
  EXPECT_EQ(first.turn, 0);
  EXPECT_EQ(first.flag, 1);
  EXPECT_EQ(std::next(all.begin())->turn, 7);

  std::vector<sRaport> out{Report(1, 1, L"stale")};
  g.game->reports->CollectReports(out, 1, 18);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].text, L"first");
  EXPECT_EQ(out[1].text, L"third");
  g.game->reports->CollectReports(out, 2, 24);
  EXPECT_TRUE(out.empty());
}

TEST(TurnReports, TheFileReadsBackEveryField) {
  cRaporty store;
  sRaport a = Report(12, 3, L"Strategic bombardment\n\nCity X lost 4 PP", 0);
  a.year = 1942, a.month = 12, a.day = 21, a.turn = 40;
  store.Append(a);
  store.Append(Report(2, 1, L""));                       // empty text: length 0, no characters
  store.Append(Report(-5, 7, L"\u00e9\u0141 \U0001F6A2"));  // a character beyond 16 bits takes two units
  const std::vector<uint8_t> bytes = store.Serialize();
  ASSERT_GE(bytes.size(), 9u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "HwDv1");
  EXPECT_EQ(bytes[5], 3);
  // The flag comes before the country in the file.
  EXPECT_EQ(bytes[9 + 5 * 4], 0);
  EXPECT_EQ(bytes[9 + 6 * 4], 3);

  cRaporty back;
  ASSERT_TRUE(back.Deserialize(bytes));
  EXPECT_EQ(back.reports, store.reports);

  // Through the game's save and load.
  GameFixture g(2, 2, 1);
  ScratchDir dir;
  g.game->reports->reports = store.reports;
  SaveReports(dir.Wide());
  EXPECT_EQ(dir.Read("reports.dat"), bytes);
  g.game->reports->reports.clear();
  LoadReports(dir.Template());
  EXPECT_EQ(g.game->reports->reports, store.reports);
}

TEST(TurnReports, DamagedFilesLeaveNoReportsAndNeverOverrun) {
  cRaporty store;
  store.Append(Report(1, 1, L"one"));
  store.Append(Report(2, 2, L"two two"));
  const std::vector<uint8_t> whole = store.Serialize();
  // Every cut short of the whole file is refused.
  for (size_t n = 0; n < whole.size(); ++n) {
    cRaporty back;
    back.Append(Report(9, 9, L"before"));
    EXPECT_FALSE(back.Deserialize(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(n)))) << n;
    EXPECT_TRUE(back.reports.empty()) << n;
  }
  // A count or a length far beyond the file.
  std::vector<uint8_t> huge = whole;
  huge[5] = huge[6] = huge[7] = huge[8] = 0xFF;
  cRaporty back;
  EXPECT_FALSE(back.Deserialize(huge));
  std::vector<uint8_t> longText = whole;
  longText[9 + 7 * 4 + 3] = 0x7F;  // the first text's length
  EXPECT_FALSE(back.Deserialize(longText));

  GameFixture g(2, 2, 1);
  ScratchDir dir;
  LogCapture log;
  dir.Write("reports.dat", std::string(whole.begin(), whole.end() - 3));
  g.game->reports->Append(Report(1, 1, L"old"));
  LoadReports(dir.Template());
  EXPECT_TRUE(g.game->reports->reports.empty());
  EXPECT_TRUE(log.HasPrefix(L"ERROR: reports file "));

  dir.Write("reports.dat", "HwDv2\1\0\0\0");
  g.game->reports->Append(Report(1, 1, L"old"));
  LoadReports(dir.Template());
  EXPECT_TRUE(g.game->reports->reports.empty());

  std::filesystem::remove(dir.path() / "reports.dat");
  EXPECT_EXIT((LogToStderr(), LoadReports(dir.Template())), ::testing::ExitedWithCode(1),
              "ERROR: Opening reports file for reading");
  EXPECT_EXIT((LogToStderr(), SaveReports(dir.Wide() + L"/missing/folder")), ::testing::ExitedWithCode(1),
              "ERROR: Opening reports file for writing");
}

}  // namespace
