#include "core/calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/string_table.h"

namespace {

std::array<int, 12> Every(int tpm) {
  std::array<int, 12> a;
  a.fill(tpm);
  return a;
}

sGameDate Date(int turn, int month, int year) {
  sGameDate d;
  d.turn = turn;
  d.month = month;
  d.year = year;
  return d;
}

// Where the date stands against a given day; exactly one of IsBefore, IsDay
// and IsAfter must hold.
enum class eOrder { kBefore, kOn, kAfter, kInconsistent };

eOrder OrderOf(const sGameDate& d, int day, int month, int year, TurnsPerMonth tpm) {
  const bool before = d.IsBefore(day, month, year, tpm);
  const bool on = d.IsDay(day, month, year, tpm);
  const bool after = d.IsAfter(day, month, year, tpm);
  if (before + on + after != 1) return eOrder::kInconsistent;
  return before ? eOrder::kBefore : on ? eOrder::kOn : eOrder::kAfter;
}

std::vector<int> DaysOfMonth(int tpm) {
  const auto t = Every(tpm);
  std::vector<int> days;
  for (int turn = 1; turn <= tpm; ++turn) days.push_back(Date(turn, 5, 1940).GetDayOfMonth(t));
  return days;
}

}  // namespace

TEST(GameCalendar, TurnsStartOnTheirDaysOfTheMonth) {
  EXPECT_EQ(DaysOfMonth(1), (std::vector<int>{1}));
  EXPECT_EQ(DaysOfMonth(2), (std::vector<int>{1, 16}));
  EXPECT_EQ(DaysOfMonth(3), (std::vector<int>{1, 11, 21}));
  EXPECT_EQ(DaysOfMonth(4), (std::vector<int>{1, 9, 16, 24}));
}

TEST(GameCalendar, EachMonthUsesItsOwnTurnCount) {
  std::array<int, 12> tpm = Every(2);
  tpm[0] = 4;  // January
  tpm[1] = 3;  // February
  EXPECT_EQ(Date(2, 1, 1940).GetDayOfMonth(tpm), 9);
  EXPECT_EQ(Date(2, 2, 1940).GetDayOfMonth(tpm), 11);
  EXPECT_EQ(Date(2, 3, 1940).GetDayOfMonth(tpm), 16);
  EXPECT_TRUE(Date(2, 1, 1940).IsDay(9, 1, 1940, tpm));
  EXPECT_TRUE(Date(2, 2, 1940).IsDay(11, 2, 1940, tpm));
}

TEST(GameCalendar, OneTurnPerMonthIsAlwaysTheFirst) {
  const auto tpm = Every(1);
  for (int m = 1; m <= 12; ++m) {
    const sGameDate d = Date(1, m, 1941);
    EXPECT_EQ(d.GetDayOfMonth(tpm), 1);
    EXPECT_TRUE(d.IsDay(1, m, 1941, tpm));
    EXPECT_FALSE(d.IsDay(1, m == 12 ? 1 : m + 1, 1941, tpm));
    EXPECT_FALSE(d.IsDay(1, m, 1942, tpm));
  }
}

TEST(GameCalendar, ComparisonsAroundTheSixteenth) {
  const auto tpm = Every(2);
  const sGameDate d = Date(2, 6, 1940);  // 16 June 1940
  EXPECT_EQ(OrderOf(d, 16, 6, 1940, tpm), eOrder::kOn);
  EXPECT_EQ(OrderOf(d, 17, 6, 1940, tpm), eOrder::kBefore);
  EXPECT_EQ(OrderOf(d, 15, 6, 1940, tpm), eOrder::kAfter);
}

TEST(GameCalendar, ADayBetweenTurnsIsNeverTheDayButWindowsStillWork) {
  const auto tpm = Every(2);
  EXPECT_EQ(OrderOf(Date(1, 6, 1940), 10, 6, 1940, tpm), eOrder::kBefore);
  EXPECT_EQ(OrderOf(Date(2, 6, 1940), 10, 6, 1940, tpm), eOrder::kAfter);
}

TEST(GameCalendar, YearDecidesBeforeMonthAndMonthBeforeDay) {
  const auto tpm = Every(2);
  const sGameDate dec39 = Date(2, 12, 1939);  // 16 December 1939
  EXPECT_EQ(OrderOf(dec39, 1, 1, 1940, tpm), eOrder::kBefore);
  EXPECT_EQ(OrderOf(dec39, 30, 11, 1939, tpm), eOrder::kAfter);  // earlier month, later day
  EXPECT_EQ(OrderOf(Date(1, 3, 1940), 1, 4, 1940, tpm), eOrder::kBefore);
  EXPECT_EQ(OrderOf(Date(2, 1, 1941), 31, 12, 1940, tpm), eOrder::kAfter);
}

TEST(GameCalendar, BrokenTurnCountsAndMonthsStayInRange) {
  // No turns in a month would divide by zero: it counts as one.
  const auto zero = Every(0);
  EXPECT_EQ(Date(1, 4, 1940).GetDayOfMonth(zero), 1);
  EXPECT_EQ(Date(1, 4, 1940).GetDayOfMonth(Every(-3)), 1);
  // A month outside 1..12 uses the nearest one's turn count.
  std::array<int, 12> tpm = Every(1);
  tpm[0] = 2;
  tpm[11] = 3;
  EXPECT_EQ(Date(2, 0, 1940).GetDayOfMonth(tpm), 16);
  EXPECT_EQ(Date(2, 13, 1940).GetDayOfMonth(tpm), 11);
  EXPECT_EQ(Date(2, -100, 1940).GetDayOfMonth(tpm), 16);
  sGameDate odd = Date(1, 13, 1940);
  EXPECT_EQ(odd.Format(tpm), L"1-" + Txt("december") + L"-1940");
}

TEST(GameCalendar, FormatWritesDayMonthNameAndYear) {
  // The shipped string base gives the English month names.
  ASSERT_TRUE(
      gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings"));
  ASSERT_EQ(Txt("september"), L"September");

  const auto tpm = Every(2);
  sGameDate d = Date(1, 9, 1939);
  const std::wstring& s = d.Format(tpm);
  EXPECT_EQ(s, L"1-September-1939");
  EXPECT_EQ(&s, &d.text);
  d.turn = 2;
  d.month = 12;
  d.year = 1941;
  EXPECT_EQ(d.Format(tpm), L"16-December-1941");
  EXPECT_EQ(d.text, L"16-" + Txt("december") + L"-1941");
}
