#include "core/table_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "core/saturate.h"
#include "support/log_capture.h"

namespace {
// The C library's readings, which the fields follow in every case.
int LibraryInt(const std::wstring& f) {
  const long long v = std::wcstoll(f.c_str(), nullptr, 10);
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

double LibraryReal(const std::wstring& f) {
  const double v = std::wcstod(f.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

// Bit for bit, so that -0.0 and 0.0 differ.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(TableFieldsTest, NumbersOfEveryShape) {
  struct Case {
    const wchar_t* text;
    int asInt;
    double asReal;
  };
  const Case cases[] = {
      {L"12", 12, 12.0},
      {L"-7", -7, -7.0},
      {L"+5", 5, 5.0},
      {L"0", 0, 0.0},
      {L" 42", 42, 42.0},
      {L"\t-3", -3, -3.0},
      {L"3.9", 3, 3.9},
      {L"-0.5", 0, -0.5},
      {L"5.", 5, 5.0},
      {L".5", 0, 0.5},
      {L"1.5.3", 1, 1.5},
      {L"12abc", 12, 12.0},
      {L"1e3", 1, 1000.0},
      {L"2.5E-1", 2, 0.25},
      {L"0x10", 0, 16.0},
      {L"abc", 0, 0.0},
      {L"", 0, 0.0},
      {L"-", 0, 0.0},
      {L"+-5", 0, 0.0},
      {L"inf", 0, 0.0},
      {L"nan", 0, 0.0},
      {L"1e400", 1, 0.0},
      {L"2147483647", INT_MAX, 2147483647.0},
      {L"2147483648", INT_MAX, 2147483648.0},
      {L"-2147483648", INT_MIN, -2147483648.0},
      {L"-2147483649", INT_MIN, -2147483649.0},
      {L"123456789012345678901234", INT_MAX, 123456789012345678901234.0},
      {L"-000000000000000000000042", -42, -42.0},
      {L"0.1", 0, 0.1},
      {L"999999999999999.9", INT_MAX, 999999999999999.9},
      {L"0.30000000000000004", 0, 0.30000000000000004},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadIntField(c.text), c.asInt) << c.text;
    EXPECT_TRUE(SameBits(ReadRealField(c.text), c.asReal)) << c.text << " gives " << ReadRealField(c.text);
  }
  EXPECT_TRUE(SameBits(ReadRealField(L"-0"), -0.0));
  EXPECT_TRUE(SameBits(ReadRealField(L"-0.000"), -0.0));
}

TEST(TableFieldsTest, AgreeWithTheLibraryOnRandomFields) {
  // Signs, digit runs around the lengths where the direct reading hands
  // over to the library, fractions, exponents, blanks and trailing text.
  uint32_t seed = 31;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  auto digits = [&](size_t n) {
    std::wstring s;
    for (size_t i = 0; i < n; ++i) s += static_cast<wchar_t>(L'0' + next() % 10);
    return s;
  };
  for (int round = 0; round < 50000; ++round) {
    std::wstring f;
    if (next() % 20 == 0) f += L' ';
    const unsigned sign = next() % 4;
    if (sign == 0) f += L'-';
    if (sign == 1) f += L'+';
    f += digits(next() % 22);
    if (next() % 2 == 0) f += L'.' + digits(next() % 20);
    if (next() % 15 == 0) f += (next() % 2 ? L"e" : L"E") + std::to_wstring(static_cast<int>(next() % 40) - 20);
    if (next() % 15 == 0) f += L";x";
    ASSERT_EQ(ReadIntField(f), LibraryInt(f)) << f;
    const double got = ReadRealField(f);
    const double want = LibraryReal(f);
    ASSERT_TRUE(SameBits(got, want)) << f << ": " << got << " against " << want;
  }
}

TEST(TableFieldsTest, SplitMovesFieldsLeftOverGaps) {
  bool shifted = true;
  EXPECT_EQ(SplitTableLine(L"a;b;c", &shifted), (std::vector<std::wstring>{L"a", L"b", L"c"}));
  EXPECT_FALSE(shifted);
  EXPECT_EQ(SplitTableLine(L"a;;c", &shifted), (std::vector<std::wstring>{L"a", L"c"}));
  EXPECT_TRUE(shifted);
  EXPECT_EQ(SplitTableLine(L"a;b;", &shifted), (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_FALSE(shifted);
  EXPECT_TRUE(SplitTableLine(L"").empty());
}

// In range a value passes untouched and silently; outside it is held at the
// nearer end with one WARNING naming the place, or (fatal) ends the process.
TEST(TableFieldsTest, RangedFieldsHoldOrEndAtTheBounds) {
  struct Case {
    double value;
    double want;
    const wchar_t* warning;  // null: no line
  };
  const sFieldRange range{-5, 10};
  const Case cases[] = {
      {-5, -5, nullptr},
      {10, 10, nullptr},
      {3.5, 3.5, nullptr},
      {10.5, 10, L"WARNING: t.csv line 7: field Strength is 10.5, which is outside -5..10; 10 is used"},
      {2147483647.0, 10, L"WARNING: t.csv line 7: field Strength is 2.14748e+09, which is outside -5..10; 10 is used"},
      {-1e300, -5, L"WARNING: t.csv line 7: field Strength is -1e+300, which is outside -5..10; -5 is used"},
      {HUGE_VAL, 10, L"WARNING: t.csv line 7: field Strength is inf, which is outside -5..10; 10 is used"},
      {std::nan(""), -5, L"WARNING: t.csv line 7: field Strength is nan, which is outside -5..10; -5 is used"},
  };
  for (const Case& c : cases) {
    cLogCapture log;
    EXPECT_EQ(RangedField(c.value, range, {L"t.csv", 7, L"Strength"}), c.want) << c.value;
    if (c.warning == nullptr)
      EXPECT_TRUE(log.Lines().empty()) << c.value;
    else
      EXPECT_EQ(log.Lines(), std::vector<std::wstring>{c.warning}) << c.value;
  }
  cLogCapture log;
  EXPECT_EQ(RangedField(INT_MIN, range, {L"Info.ini", 0, L"Save/Turn"}), -5);
  EXPECT_EQ(RangedIntField(L"12abc", range, {L"t.csv", 2, L"Level"}), 10);
  std::wstring held;
  EXPECT_EQ(RangedField(11.0, range, {L"c.csv", 3, L"constant 4 value 2"}, &held), 10);
  EXPECT_EQ(log.Lines(), (std::vector<std::wstring>{
                             L"WARNING: Info.ini: field Save/Turn is -2.14748e+09, which is outside -5..10; -5 is used",
                             L"WARNING: t.csv line 2: field Level is 12, which is outside -5..10; 10 is used"}));
  EXPECT_EQ(held, L"WARNING: c.csv line 3: field constant 4 value 2 is 11, which is outside -5..10; 10 is used");
}

TEST(TableFieldsDeathTest, AFatalRangeEndsWithTheFileLineAndField) {
  EXPECT_EQ(RangedField(0, {0, 5, eOutOfRange::kFatal}, {L"land_units.csv", 4, L"ID"}), 0);
  EXPECT_EXIT(
      {
        LogToStderr();
        RangedField(6, {0, 5, eOutOfRange::kFatal}, {L"land_units.csv", 4, L"ID"});
      },
      ::testing::ExitedWithCode(1), "ERROR: land_units.csv line 4: field ID is 6, which is outside 0..5");
}

TEST(TableFieldsTest, SaturatedArithmeticStopsAtTheEndsOfInt) {
  EXPECT_EQ(SaturatedInt(2147483647.5), INT_MAX);
  EXPECT_EQ(SaturatedInt(1e300), INT_MAX);
  EXPECT_EQ(SaturatedInt(-2147483648.9), INT_MIN);
  EXPECT_EQ(SaturatedInt(-HUGE_VAL), INT_MIN);
  EXPECT_EQ(SaturatedInt(std::nan("")), 0);
  EXPECT_EQ(SaturatedInt(-7.9), -7);
  EXPECT_EQ(SaturatedInt(int64_t{1} << 40), INT_MAX);
  EXPECT_EQ(SaturatedAdd(INT_MAX, 1), INT_MAX);
  EXPECT_EQ(SaturatedAdd(INT_MIN, -1), INT_MIN);
  EXPECT_EQ(SaturatedAdd(-3, 5), 2);
  EXPECT_EQ(SaturatedMul(65536, 65536), INT_MAX);
  EXPECT_EQ(SaturatedMul(-65536, 65536), INT_MIN);
  EXPECT_EQ(SaturatedMul(-300, 7), -2100);
}

}  // namespace
