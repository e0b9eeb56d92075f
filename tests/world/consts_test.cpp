#include "world/consts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/text.h"
#include "support/temp_dir.h"
#include "world_test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using world_test::LogCapture;

namespace {

// Joins lines with CR LF after each, as the shipped tables are written.
std::string CrLf(const std::vector<std::string>& lines, bool finalLineEnd = true) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) {
    s += lines[i];
    if (finalLineEnd || i + 1 < lines.size()) s += "\r\n";
  }
  return s;
}

// n data lines that read as label-only rows, so that the next line is id n + 1.
std::vector<std::string> Filler(int n) { return std::vector<std::string>(static_cast<size_t>(n), "label"); }

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ConstsFileTest : public ::testing::Test {
 protected:
  std::wstring Write(const std::string& bytes) {
    dir_.Write("consts.csv", bytes);
    return dir_.WidePath("consts.csv");
  }
  bool Load(const std::string& bytes) { return LoadConstsFile(block_, Write(bytes), false); }

  cTempDir dir_{"consts"};
  LogCapture log_;
  sConsts block_;
};

}  // namespace

// ---------------------------------------------------------------- layout

TEST(ConstsLayout, EveryValueOfEveryIdHasItsOwnSlotAndEveryMemberAnId) {
  sConsts c;
  const char* base = reinterpret_cast<const char*>(&c);
  const size_t valuesEnd = offsetof(sConsts, supplyTable);
  std::set<size_t> offsets;
  int total = 0;
  for (int id = 1; id <= kConstsIdCount; ++id) {
    const int n = sConsts::ValueCount(id);
    ASSERT_GE(n, 1) << "id " << id;
    for (int k = 1; k <= n; ++k) {
      int* i = c.IntSlot(id, k);
      float* f = c.RealSlot(id, k);
      ASSERT_TRUE((i == nullptr) != (f == nullptr)) << "id " << id << " value " << k;
      const char* p = i != nullptr ? reinterpret_cast<const char*>(i) : reinterpret_cast<const char*>(f);
      const size_t off = static_cast<size_t>(p - base);
      EXPECT_LT(off, valuesEnd) << "id " << id << " value " << k;
      EXPECT_EQ(off % 4, 0u);
      EXPECT_TRUE(offsets.insert(off).second) << "id " << id << " value " << k << " shares a slot";
      ++total;
    }
    EXPECT_EQ(c.IntSlot(id, n + 1), nullptr);
    EXPECT_EQ(c.RealSlot(id, n + 1), nullptr);
  }
  // Every 32-bit member before the derived tables belongs to one id, except
  // the kept maximum of id 73.
  EXPECT_EQ(static_cast<size_t>(total), valuesEnd / 4 - 1);
  EXPECT_EQ(offsets.count(offsetof(sConsts, maxShipHitPoints)), 0u);
}

TEST_F(ConstsFileTest, ValuesByIdAreTheFieldsOfTheirRowInOrder) {
  // Every line holds its field numbers 1..20; a line row reads the 1 it starts with.
  std::string numbered;
  for (int f = 1; f <= 20; ++f) numbered += std::to_string(f) + ";";
  ASSERT_TRUE(Load(CrLf(std::vector<std::string>(kConstsIdCount, numbered))));
  auto value = [&](int id, int k) {
    return block_.IntSlot(id, k) != nullptr ? static_cast<float>(block_.Int(id, k)) : block_.Real(id, k);
  };
  for (int id = 1; id <= kConstsIdCount; ++id) {
    const float first = value(id, 1);
    EXPECT_TRUE(first == 1.0f || first == 2.0f) << "id " << id;  // field 1, or field 2 after a label
    for (int k = 2; k <= sConsts::ValueCount(id); ++k) EXPECT_EQ(value(id, k), first + static_cast<float>(k - 1)) << "id " << id << " value " << k;
  }
  // A row's count of values reaches its last field and no further.
  const struct {
    int id, count, lastField;
  } rows[] = {{1, 12, 12}, {15, 9, 10}, {18, 1, 1}, {73, 6, 6}, {114, 11, 12}, {117, 13, 14},
              {121, 5, 5}, {134, 1, 1}, {154, 14, 14}, {166, 4, 4}};
  for (const auto& r : rows) {
    EXPECT_EQ(sConsts::ValueCount(r.id), r.count) << "id " << r.id;
    EXPECT_EQ(value(r.id, r.count), static_cast<float>(r.lastField)) << "id " << r.id;
  }
  EXPECT_EQ(sConsts::ValueCount(0), 0);
  EXPECT_EQ(sConsts::ValueCount(186), 0);
}

TEST(ConstsLayout, AccessByIdReachesTheNamedMembers) {
  sConsts c;
  EXPECT_EQ(c.IntSlot(1, 12), &c.turnsPerMonth[11]);
  EXPECT_EQ(c.IntSlot(7, 7), &c.actionPointTable[5][6]);
  EXPECT_EQ(c.RealSlot(13, 1), &c.levelUpCostTable[4][0]);
  EXPECT_EQ(c.IntSlot(15, 9), &c.c015Field10);
  EXPECT_EQ(c.IntSlot(46, 9), &c.airCombatTableB[5][8]);
  EXPECT_EQ(c.IntSlot(56, 10), &c.supplyBracketValue[5][9]);
  EXPECT_EQ(c.IntSlot(112, 6), &c.politicalTable2[8][5]);
  EXPECT_EQ(c.RealSlot(117, 7), &c.cruiserFire[0]);
  EXPECT_EQ(c.RealSlot(117, 13), &c.fleetSizeExponent);
  EXPECT_EQ(c.RealSlot(121, 5), &c.convoyRaiderFactor);
  EXPECT_EQ(c.IntSlot(134), &c.initialTurnsSinceDrop);
  EXPECT_EQ(c.RealSlot(135, 4), &c.newMulberryMonths);
  EXPECT_EQ(c.IntSlot(154, 11), &c.c154Second[0]);
  EXPECT_EQ(c.IntSlot(166, 4), &c.c166Field4);
  EXPECT_EQ(c.IntSlot(182), &c.aiIdleSearchRadius);
  EXPECT_EQ(c.RealSlot(185), &c.c185);

  // Asking for the other type, an unknown id or value gives nothing.
  c.c185 = 2.5f;
  c.turnsPerMonth[0] = 3;
  EXPECT_EQ(c.Int(185), 0);
  EXPECT_EQ(c.Real(1), 0.0f);
  EXPECT_EQ(c.Real(185), 2.5f);
  EXPECT_EQ(c.Int(1), 3);
  EXPECT_EQ(c.IntSlot(0), nullptr);
  EXPECT_EQ(c.IntSlot(186), nullptr);
  EXPECT_EQ(c.IntSlot(1, 0), nullptr);
  EXPECT_EQ(c.IntSlot(1, 13), nullptr);
}

// ---------------------------------------------------------------- line rules

TEST_F(ConstsFileTest, CommentAndBlankLinesCarryNoId) {
  ASSERT_TRUE(Load(CrLf(Filler(144) + std::vector<std::string>{
                                          "# comment", "1", "", "   ", "\t", ";", ";;;", "  ;;; \t", "#", "2",
                                          "\t;\t", "#;;;5", "3"})));
  EXPECT_EQ(block_.c145, 1);
  EXPECT_EQ(block_.c146, 2);
  EXPECT_EQ(block_.c147, 3);
}

TEST_F(ConstsFileTest, HashAfterSpacesInnerWhitespaceAndLettersMakeDataLines) {
  block_.c181 = block_.aiIdleSearchRadius = block_.extraHitLossChance = block_.sinkChance = 99;
  ASSERT_TRUE(Load(CrLf(Filler(180) + std::vector<std::string>{"   #9", "; ;", "x;;", "17"})));
  // Each of the first three took an id and reads as 0.
  EXPECT_EQ(block_.c181, 0);
  EXPECT_EQ(block_.aiIdleSearchRadius, 0);
  EXPECT_EQ(block_.extraHitLossChance, 0);
  EXPECT_EQ(block_.sinkChance, 17);
}

TEST_F(ConstsFileTest, ShortFileLeavesLaterIdsAndReadsTheLastLineOnce) {
  for (bool finalLineEnd : {true, false}) {
    block_.c082 = 11;
    block_.c083 = 22;
    block_.c084 = 33;
    ASSERT_TRUE(Load(CrLf(Filler(81) + std::vector<std::string>{"5"}, finalLineEnd)));
    EXPECT_EQ(block_.c082, 5) << finalLineEnd;
    EXPECT_EQ(block_.c083, 22) << finalLineEnd;
    EXPECT_EQ(block_.c084, 33) << finalLineEnd;
  }
}

TEST_F(ConstsFileTest, LinesAfterTheLastIdAreIgnored) {
  block_.c185 = 1.0f;
  ASSERT_TRUE(Load(CrLf(Filler(184) + std::vector<std::string>{"0.25", "7", "8;9;10", "x"})));
  EXPECT_EQ(block_.c185, 0.25f);
  EXPECT_EQ(block_.turnsPerMonth[0], 0);
}

TEST_F(ConstsFileTest, LinesLongerThan999CharactersAreReadInPieces) {
  const std::string pad998(998, ' ');
  // 1998 characters: two pieces, two ids; then a line of exactly 999
  // characters, one piece; then a continuation piece that starts with "#".
  ASSERT_TRUE(Load(CrLf(Filler(144) + std::vector<std::string>{
                                          "1" + pad998 + "2" + pad998, "7" + pad998, "3",
                                          "4" + pad998 + "#not a value", "5"})));
  EXPECT_EQ(block_.c145, 1);
  EXPECT_EQ(block_.c146, 2);
  EXPECT_EQ(block_.c147, 7);
  EXPECT_EQ(block_.c148, 3.0f);
  EXPECT_EQ(block_.c149, 4);
  EXPECT_EQ(block_.shoreBombardTechFactor[0], 5.0f);
}

TEST_F(ConstsFileTest, ContinuationOfALongCommentIsAPieceOfItsOwn) {
  ASSERT_TRUE(Load(CrLf(Filler(144) + std::vector<std::string>{"#" + std::string(998, 'c') + "6", "8"})));
  EXPECT_EQ(block_.c145, 6);
  EXPECT_EQ(block_.c146, 8);
}

TEST_F(ConstsFileTest, LineEndsWithAndWithoutCarriageReturnReadAlike) {
  ASSERT_TRUE(Load("1;2;3;4;5;6;7;8;9;10;11;12\r\nl;1;2;3;4;5;6;7\nl;8\r\n"));
  EXPECT_EQ(block_.turnsPerMonth[11], 12);
  EXPECT_EQ(block_.actionPointTable[0][6], 7);
  EXPECT_EQ(block_.actionPointTable[1][0], 8);
}

// ---------------------------------------------------------------- numbers and fields

TEST_F(ConstsFileTest, NumbersReadAsDecimalPrefixes) {
  ASSERT_TRUE(Load(CrLf(Filler(30) + std::vector<std::string>{
                                         // 31: thirteen reals
                                         " 1.5e2x;-.5;+2.;abc;1e;3E-1;  -0.25  ;e5;7;1e400;-1e400;1e-400;0x10",
                                         "l",
                                         // 33: a line row reads the start of the line
                                         "  2.5;9",
                                         // 34: six integers
                                         "  -12abc;+7;abc;99999999999;-99999999999;1.9"})));
  EXPECT_EQ(block_.c031[0], 150.0f);
  EXPECT_EQ(block_.c031[1], -0.5f);
  EXPECT_EQ(block_.c031[2], 2.0f);
  EXPECT_EQ(block_.c031[3], 0.0f);
  EXPECT_EQ(block_.c031[4], 1.0f);
  EXPECT_FLOAT_EQ(block_.c031[5], 0.3f);
  EXPECT_EQ(block_.c031[6], -0.25f);
  EXPECT_EQ(block_.c031[7], 0.0f);
  EXPECT_EQ(block_.c031[8], 7.0f);
  // Beyond the bound of a constant the value is held at it.
  EXPECT_EQ(block_.c031[9], 10000.0f);
  EXPECT_EQ(block_.c031[10], -10000.0f);
  EXPECT_EQ(block_.c031[11], 0.0f);
  EXPECT_EQ(block_.c031[12], 0.0f);  // no hexadecimal
  EXPECT_EQ(block_.c033, 2.5f);
  EXPECT_THAT(block_.c034, ::testing::ElementsAre(-12, 7, 0, 10000, -10000, 1));
}

TEST_F(ConstsFileTest, LineRowReadsOnlyTheStartOfTheLine) {
  ASSERT_TRUE(Load(CrLf(Filler(181) + std::vector<std::string>{"12;13", ";14", "label 15"})));
  EXPECT_EQ(block_.aiIdleSearchRadius, 12);
  EXPECT_EQ(block_.extraHitLossChance, 0);
  EXPECT_EQ(block_.sinkChance, 0);
}

TEST_F(ConstsFileTest, TurnsPerMonthShortAndLongRows) {
  for (int& t : block_.turnsPerMonth) t = 7;
  block_.actionPointTable[0][0] = 55;
  ASSERT_TRUE(Load(CrLf({"2;3;4"})));
  EXPECT_THAT(block_.turnsPerMonth, ::testing::ElementsAre(2, 3, 4, 7, 7, 7, 7, 7, 7, 7, 7, 7));

  ASSERT_TRUE(Load(CrLf({";1;2;3;;4;5;6;7;8;9;10;11;12;99;;"})));
  EXPECT_THAT(block_.turnsPerMonth, ::testing::ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
  EXPECT_EQ(block_.actionPointTable[0][0], 55);  // the thirteenth field went nowhere
}

TEST_F(ConstsFileTest, LabelledRowsSkipFieldOneAndIgnoreExtraFields) {
  block_.actionPointTable[1][0] = 77;
  ASSERT_TRUE(Load(CrLf({"2", "Infantry;1;2;3;4;5;6;7;8;9"})));
  EXPECT_THAT(block_.actionPointTable[0], ::testing::ElementsAre(1, 2, 3, 4, 5, 6, 7));
  EXPECT_EQ(block_.actionPointTable[1][0], 77);
}

// ---------------------------------------------------------------- special rows

TEST_F(ConstsFileTest, RowsFifteenToSeventeenKeepTheTenthFieldApart) {
  block_.c016[0] = 66;
  ASSERT_TRUE(Load(CrLf(Filler(14) + std::vector<std::string>{"a;1;2;3;4;5;6;7;8;9;10", "b;-1", "c;1;2;3;4;5;6;7;8;30"})));
  EXPECT_THAT(block_.c015, ::testing::ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
  EXPECT_EQ(block_.c015Field10, 9);
  EXPECT_EQ(block_.c016[0], -1);
  EXPECT_EQ(block_.c016[1], 0);
  EXPECT_EQ(block_.c016Field10, 0);
  EXPECT_EQ(block_.c017Field10, 30);
}

TEST_F(ConstsFileTest, ShipHitPointsKeepTheirMaximumOfAtLeastOne) {
  ASSERT_TRUE(Load(CrLf(Filler(72) + std::vector<std::string>{"8;10;6;3;2;2;40"})));
  EXPECT_THAT(block_.shipHitPoints, ::testing::ElementsAre(8, 10, 6, 3, 2, 2));
  EXPECT_EQ(block_.maxShipHitPoints, 10);

  // The maximum is over the values of the row as read, never below 1.
  for (int& h : block_.shipHitPoints) h = 50;
  ASSERT_TRUE(Load(CrLf(Filler(72) + std::vector<std::string>{"0;-5"})));
  EXPECT_THAT(block_.shipHitPoints, ::testing::ElementsAre(0, -5, 50, 50, 50, 50));
  EXPECT_EQ(block_.maxShipHitPoints, 1);

  // A fresh block without id 73 never divides by a maximum of 0.
  EXPECT_EQ(sConsts{}.maxShipHitPoints, 1);
}

TEST_F(ConstsFileTest, PoliticalTablesAreNineRowsOfSixColumns) {
  std::vector<std::string> rows;
  for (int r = 0; r < 18; ++r) {
    std::string s = "Row";
    for (int c = 1; c <= 7; ++c) s += ";" + std::to_string(r * 10 + c);
    rows.push_back(s);
  }
  ASSERT_TRUE(Load(CrLf(Filler(94) + rows)));
  EXPECT_THAT(block_.politicalTable1[0], ::testing::ElementsAre(1, 2, 3, 4, 5, 6));
  EXPECT_THAT(block_.politicalTable1[8], ::testing::ElementsAre(81, 82, 83, 84, 85, 86));
  EXPECT_THAT(block_.politicalTable2[0], ::testing::ElementsAre(91, 92, 93, 94, 95, 96));
  EXPECT_THAT(block_.politicalTable2[8], ::testing::ElementsAre(171, 172, 173, 174, 175, 176));
  EXPECT_EQ(block_.pressureFactors[0], 0.0f);  // the seventh field of row 112 went nowhere
}

TEST_F(ConstsFileTest, RowsOneThirtyTwoToOneThirtyFourTruncateRealsTowardsZero) {
  block_.c135[0] = 4.5f;
  ASSERT_TRUE(Load(CrLf(Filler(131) + std::vector<std::string>{"2.9;-1.7;abc", "1e1;  7.99;1e20", "3.8;9"})));
  EXPECT_THAT(block_.c132, ::testing::ElementsAre(2, -1, 0));
  EXPECT_THAT(block_.c133, ::testing::ElementsAre(10, 7, 10000));
  EXPECT_EQ(block_.initialTurnsSinceDrop, 3);
  EXPECT_EQ(block_.c135[0], 4.5f);  // id 134 reads field 1 only
}

TEST_F(ConstsFileTest, RowOneFiftyFourHoldsArraysOfTenAndFour) {
  block_.c155 = 1.5f;
  ASSERT_TRUE(Load(CrLf(Filler(153) + std::vector<std::string>{"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15"})));
  EXPECT_THAT(block_.c154, ::testing::ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
  EXPECT_THAT(block_.c154Second, ::testing::ElementsAre(11, 12, 13, 14));
  EXPECT_EQ(block_.c155, 1.5f);
}

TEST_F(ConstsFileTest, RowOneSixtySixKeepsTheFourthFieldApart) {
  block_.c167[0] = 21;
  ASSERT_TRUE(Load(CrLf(Filler(165) + std::vector<std::string>{"1;2;3;4;5"})));
  EXPECT_THAT(block_.c166, ::testing::ElementsAre(1, 2, 3));
  EXPECT_EQ(block_.c166Field4, 4);
  EXPECT_EQ(block_.c167[0], 21);
}

// ---------------------------------------------------------------- derived supply tables

namespace {
std::vector<std::string> BracketRows(const std::vector<int>& uppers, const std::vector<std::vector<int>>& values) {
  std::vector<std::string> rows;
  std::string u = "Upper";
  for (int x : uppers) u += ";" + std::to_string(x);
  rows.push_back(u);
  for (const auto& t : values) {
    std::string s = "Table";
    for (int x : t) s += ";" + std::to_string(x);
    rows.push_back(s);
  }
  return rows;
}
}  // namespace

TEST_F(ConstsFileTest, DefaultBracketsGiveFullEffectivenessAndFixedLevelZero) {
  // Brackets left over from an earlier reading do not survive a new one.
  for (int k = 0; k < kSupplyBracketCount; ++k) {
    block_.supplyBracketUpper[k] = 3;
    for (auto& t : block_.supplyBracketValue) t[k] = 7;
  }
  ASSERT_TRUE(Load(CrLf(Filler(48) + std::vector<std::string>{"25"})));
  for (int j = 1; j <= 50; ++j) {
    EXPECT_EQ(block_.supplyTable[0][j], 100) << j;
    EXPECT_EQ(block_.supplyTable[1][j], 0) << j;
    EXPECT_EQ(block_.supplyTable[2][j], 0) << j;
    EXPECT_EQ(block_.supplyTable[3][j], 100) << j;
    EXPECT_EQ(block_.supplyTable[4][j], 0) << j;
    EXPECT_EQ(block_.supplyTable[5][j], 0) << j;
  }
  EXPECT_EQ(block_.supplyTable[0][0], 25);  // the value of id 49
  EXPECT_EQ(block_.supplyTable[1][0], 100);
  EXPECT_EQ(block_.supplyTable[2][0], -4);
  EXPECT_EQ(block_.supplyTable[3][0], 50);
  EXPECT_EQ(block_.supplyTable[4][0], 0);
  EXPECT_EQ(block_.supplyTable[5][0], 0);
}

TEST_F(ConstsFileTest, IncreasingBracketsMakeEveryTableConstant) {
  std::vector<int> uppers, values;
  for (int k = 1; k <= 10; ++k) {
    uppers.push_back(5 * k);
    values.push_back(k);
  }
  ASSERT_TRUE(Load(CrLf(Filler(49) + BracketRows(uppers, {std::vector<int>(10, 0), values, values, values, values, values}))));
  for (int j = 1; j <= 50; ++j) {
    EXPECT_EQ(block_.supplyTable[0][j], 100) << j;
    for (int t = 1; t < 6; ++t) EXPECT_EQ(block_.supplyTable[t][j], 10) << t << " " << j;
  }
}

TEST_F(ConstsFileTest, DecreasingBracketsGiveEachLevelTheLastBracketReachingIt) {
  std::vector<int> uppers, values;
  for (int k = 1; k <= 10; ++k) {
    uppers.push_back(55 - 5 * k);  // 50, 45, ..., 5
    values.push_back(k);
  }
  ASSERT_TRUE(Load(CrLf(Filler(49) + BracketRows(uppers, {std::vector<int>(10, 0), values, values, values, values, values}))));
  for (int j = 1; j <= 50; ++j) {
    const int last = std::min(10, (55 - j) / 5);  // the last k with 55 - 5k >= j
    for (int t = 1; t < 6; ++t) EXPECT_EQ(block_.supplyTable[t][j], last) << t << " " << j;
  }
  EXPECT_EQ(block_.supplyTable[1][50], 1);
  EXPECT_EQ(block_.supplyTable[1][46], 1);
  EXPECT_EQ(block_.supplyTable[1][45], 2);
  EXPECT_EQ(block_.supplyTable[1][1], 10);
}

TEST_F(ConstsFileTest, EffectivenessIsWhatRemainsOfOneHundredFromTheTop) {
  ASSERT_TRUE(Load(CrLf(Filler(49) + BracketRows(std::vector<int>(10, 50), {std::vector<int>(10, 2)}))));
  for (int j = 1; j <= 50; ++j) EXPECT_EQ(block_.supplyTable[0][j], 100 - (51 - j) * 2) << j;
  EXPECT_EQ(block_.supplyTable[0][50], 98);
  EXPECT_EQ(block_.supplyTable[0][1], 0);
  // Tables whose row is missing keep their defaults.
  EXPECT_EQ(block_.supplyTable[3][20], 100);
}

TEST_F(ConstsFileTest, HugeBracketValuesAreHeldAtTheBoundOfAConstant) {
  ASSERT_TRUE(Load(CrLf(Filler(49) + BracketRows(std::vector<int>(10, 50), {std::vector<int>(10, 2000000000)}))));
  EXPECT_EQ(block_.supplyTable[0][50], 100 - 10000);
  EXPECT_EQ(block_.supplyTable[0][49], 100 - 2 * 10000);
  EXPECT_EQ(block_.supplyTable[0][1], 100 - 50 * 10000);
  EXPECT_EQ(log_.CountContaining(L"is 2e+09, which is outside -10000..10000; 10000 is used"), 10);
}

// ---------------------------------------------------------------- log and failures

TEST_F(ConstsFileTest, LogsOpeningPathAndReadingLines) {
  const std::wstring path = Write(CrLf({"2"}));
  ASSERT_TRUE(LoadConstsFile(block_, path, true));
  ASSERT_GE(log_.lines.size(), 3u);
  EXPECT_EQ(log_.lines[0], L"Opening consts.csv...");
  EXPECT_EQ(log_.lines[1], path);
  EXPECT_EQ(log_.lines[2], L"consts.csv opened. Reading values...");
  EXPECT_EQ(log_.CountContaining(L"ERROR"), 0);
}

TEST_F(ConstsFileTest, RowWithTooFewFieldsIsReadShiftedAndWarned) {
  for (int& v : block_.actionPointTable[0]) v = 9;
  const std::wstring path = Write(CrLf({"# comment", "1;2;3;4;5;6;7;8;9;10;11;12", "", "Infantry;1;;3;4;5;6;7"}));
  ASSERT_TRUE(LoadConstsFile(block_, path, false));
  // The empty cell collapses: later values move one column to the left.
  EXPECT_THAT(block_.actionPointTable[0], ::testing::ElementsAre(1, 3, 4, 5, 6, 7, 9));
  ASSERT_EQ(log_.CountContaining(L"WARNING"), 1);
  for (const auto& l : log_.lines) {
    if (l.find(L"WARNING") == std::wstring::npos) continue;
    EXPECT_THAT(WideToUtf8(l), HasSubstr(WideToUtf8(path)));
    EXPECT_THAT(WideToUtf8(l), HasSubstr("line 4"));
  }
}

TEST_F(ConstsFileTest, CompleteRowsLineRowsAndLongRowsAreNotWarned) {
  ASSERT_TRUE(Load(CrLf(Filler(14) + std::vector<std::string>{"a;1;2;3;4;5;6;7;8;9;10;11", "b;1;2;3;4;5;6;7;8;9",
                                                              "c;1;2;3;4;5;6;7;8;9", "x;y"})));
  // Filler rows are short for their layouts; rows 15-17 are complete and 18
  // is a line row, which one field always fills.
  EXPECT_EQ(log_.CountContaining(L"WARNING"), 14);
  EXPECT_EQ(log_.CountContaining(L"(constant 15)"), 0);
  EXPECT_EQ(log_.CountContaining(L"(constant 17)"), 0);
  EXPECT_EQ(log_.CountContaining(L"(constant 18)"), 0);
}

TEST_F(ConstsFileTest, ReadingAFileAgainAnswersLikeTheFirstRead) {
  // A game reads one file for itself and each country: every read must
  // answer as a first one would, warnings included, whatever was read before.
  const std::wstring path = Write(CrLf({"4;4;4;4;4;4;4;4;4;4;4;4", "Infantry;1;;3;4;5;6;7"}));
  ASSERT_TRUE(LoadConstsFile(block_, path, false));
  const sConsts first = block_;
  ASSERT_EQ(log_.CountContaining(L"WARNING"), 1);

  sConsts again;
  ASSERT_TRUE(LoadConstsFile(again, path, true));
  EXPECT_EQ(std::memcmp(&again, &first, sizeof(sConsts)), 0);
  EXPECT_EQ(log_.CountContaining(L"WARNING"), 2);
  EXPECT_EQ(log_.CountContaining(L"consts.csv opened"), 2);

  // Values the file leaves alone stay as the block held them.
  sConsts other;
  other.actionPointTable[0][6] = 77;
  other.c008[0] = 5;
  ASSERT_TRUE(LoadConstsFile(other, path, true));
  EXPECT_EQ(other.actionPointTable[0][6], 77);
  EXPECT_EQ(other.c008[0], 5);
  EXPECT_EQ(other.actionPointTable[0][0], 1);

  // The same path with other bytes is read anew.
  Write(CrLf({"6;6;6;6;6;6;6;6;6;6;6;6"}));
  sConsts changed;
  ASSERT_TRUE(LoadConstsFile(changed, path, false));
  EXPECT_EQ(changed.turnsPerMonth[0], 6);
  EXPECT_EQ(changed.actionPointTable[0][0], sConsts{}.actionPointTable[0][0]);
  EXPECT_EQ(log_.CountContaining(L"WARNING"), 3);
}

TEST_F(ConstsFileTest, MissingFileWithOwnerNameReturnsFalseQuietly) {
  block_.turnsPerMonth[0] = 4;
  const std::wstring owner = L"Testland";
  EXPECT_FALSE(LoadConstsFile(block_, dir_.WidePath("none.csv"), true));
  EXPECT_EQ(log_.CountContaining(L"ERROR"), 0);
  EXPECT_EQ(log_.CountContaining(L"opened"), 0);
  EXPECT_EQ(block_.turnsPerMonth[0], 4);
}

TEST_F(ConstsFileTest, ReadErrorIsLoggedAndEndsReading) {
  // A folder opens for reading here but every read fails.
  fs::create_directory(dir_.Path() / "folder");
  EXPECT_TRUE(LoadConstsFile(block_, dir_.WidePath("folder"), false));
  EXPECT_EQ(log_.CountContaining(L"ERROR: while reading consts.csv"), 1);
  EXPECT_EQ(block_.supplyTable[0][50], 100);
}

TEST(ConstsLoad, ReadsFromTheScenarioFolderOfTheWorkingDirectory) {
  cTempDir dir("consts");
  dir.Write("data/scenarios/Test Scenario/consts.csv", CrLf({"3;3;3"}));
  const fs::path before = fs::current_path();
  fs::current_path(dir.Path());
  LogCapture log;
  sConsts block;
  const std::wstring owner = L"Testland";
  const bool ok = LoadConsts(block, L"Test Scenario", &owner);
  const bool missing = LoadConsts(block, L"No Such Scenario", &owner);
  fs::current_path(before);
  EXPECT_TRUE(ok);
  EXPECT_EQ(block.turnsPerMonth[2], 3);
  EXPECT_FALSE(missing);
  ASSERT_GE(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[1], L"data\\scenarios\\Test Scenario\\consts.csv");
}

namespace {
void ReportDestroy() { std::fprintf(stderr, "game destroyed\n"); }
}  // namespace

TEST(ConstsLoadDeathTest, MissingFileForTheGameEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        LogToStderr();
        SetDestroyGameHook(ReportDestroy);
        sConsts block;
        LoadConsts(block, L"No Such Scenario Anywhere", nullptr);
        std::fprintf(stderr, "returned\n");
      },
      ::testing::ExitedWithCode(1), "ERROR: unable to open consts\\.csv\ngame destroyed");
}

// ---------------------------------------------------------------- the shipped-style table

TEST(ConstsShippedTable, ReadsEveryIdOfAFullTable) {
  LogCapture log;
  sConsts c;
  ASSERT_TRUE(LoadConstsFile(c, Utf8ToWide(BRENNMARK_TEST_DATA_DIR "/consts/consts.csv"), false));
  EXPECT_EQ(log.CountContaining(L"WARNING"), 0);
  EXPECT_EQ(log.CountContaining(L"ERROR"), 0);

  EXPECT_THAT(c.turnsPerMonth, ::testing::Each(2));
  EXPECT_THAT(c.actionPointTable[0], ::testing::ElementsAre(3, 3, 4, 4, 5, 5, 3));
  EXPECT_THAT(c.c008, ::testing::ElementsAre(1, 2, 3));
  EXPECT_FLOAT_EQ(c.levelUpCostTable[4][6], 0.45f);
  EXPECT_EQ(c.c017Field10, 27);
  EXPECT_EQ(c.c018, 4);
  EXPECT_FLOAT_EQ(c.c030[6], 0.05f);
  EXPECT_FLOAT_EQ(c.c031[12], 2.5f);
  EXPECT_FLOAT_EQ(c.c033, 1.5f);
  EXPECT_THAT(c.airCombatTableA[5], ::testing::ElementsAre(1, 2, 2, 3, 3, 4, 4, 5, 6));
  EXPECT_THAT(c.airCombatTableB[0], ::testing::ElementsAre(3, 2, 2, 1, 1, 1, 0, 0, 0));
  EXPECT_EQ(c.reserveSupplyLevel, 10);
  EXPECT_THAT(c.supplyBracketUpper, ::testing::ElementsAre(50, 40, 30, 25, 20, 15, 10, 5, 3, 1));
  EXPECT_FLOAT_EQ(c.bombardDefenderLoss[5], 2.0f);
  EXPECT_THAT(c.bombardAttackerLoss[5], ::testing::ElementsAre(1, 1, 2, 2, 3));
  EXPECT_THAT(c.seaTransportCost, ::testing::ElementsAre(1, 2, 2, 3, 3, 4, 1));
  EXPECT_THAT(c.amphibiousTransportCost, ::testing::ElementsAre(2, 3, 3, 4, 4, 5, 2));
  EXPECT_EQ(c.fleetMoveRange, 3);
  EXPECT_EQ(c.maxShipHitPoints, 10);
  EXPECT_EQ(c.c084, 4);
  EXPECT_FLOAT_EQ(c.c094[8], 0.9f);
  EXPECT_THAT(c.politicalTable1[8], ::testing::ElementsAre(18, 28, 38, 48, 58, 68));
  EXPECT_THAT(c.politicalTable2[8], ::testing::ElementsAre(-9, -10, -11, -12, -13, -14));
  EXPECT_FLOAT_EQ(c.coupFactors[10], 0.5f);
  EXPECT_FLOAT_EQ(c.battleshipFire[5], 3.0f);
  EXPECT_FLOAT_EQ(c.cruiserFire[0], 0.25f);
  EXPECT_FLOAT_EQ(c.fleetSizeExponent, 0.8f);
  EXPECT_FLOAT_EQ(c.convoyBaseChance, 0.3f);
  EXPECT_FLOAT_EQ(c.convoyAttackFactor[2], 0.5f);
  EXPECT_FLOAT_EQ(c.convoyRaiderFactor, 1.5f);
  EXPECT_THAT(c.nuclearStrike, ::testing::ElementsAre(50, 3, 2));
  EXPECT_FLOAT_EQ(c.siegeConstants[6], 3.0f);
  EXPECT_THAT(c.c132, ::testing::ElementsAre(2, -1, 3));
  EXPECT_THAT(c.c133, ::testing::ElementsAre(0, 10, 7));
  EXPECT_EQ(c.initialTurnsSinceDrop, 3);
  EXPECT_FLOAT_EQ(c.newMulberryStrength, 4.0f);
  EXPECT_FLOAT_EQ(c.newMulberryMonths, 6.0f);
  EXPECT_FLOAT_EQ(c.unitUpkeepFactor, 0.75f);
  EXPECT_EQ(c.c149, 1);
  EXPECT_FLOAT_EQ(c.airRangeTechFactor[4], 2.0f);
  EXPECT_EQ(c.allyHexStrengthMargin, 5);
  EXPECT_THAT(c.c154Second, ::testing::ElementsAre(20, 30, 40, 50));
  EXPECT_EQ(c.carrierMinHitPoints, 3);
  EXPECT_EQ(c.c166Field4, 8);
  EXPECT_THAT(c.c180, ::testing::ElementsAre(5, 10, 15));
  EXPECT_EQ(c.aiIdleSearchRadius, 8);
  EXPECT_EQ(c.extraHitLossChance, 20);
  EXPECT_EQ(c.sinkChance, 10);
  EXPECT_FLOAT_EQ(c.c185, 0.125f);
  EXPECT_EQ(c.Int(182), 8);
  EXPECT_FLOAT_EQ(c.Real(117, 13), 0.8f);

  // Decreasing brackets: effectiveness falls off below each bracket's top.
  EXPECT_EQ(c.supplyTable[0][0], 25);
  EXPECT_EQ(c.supplyTable[0][50], 99);
  EXPECT_EQ(c.supplyTable[0][41], 90);
  EXPECT_EQ(c.supplyTable[0][40], 89);
  EXPECT_EQ(c.supplyTable[0][21], 65);
  EXPECT_EQ(c.supplyTable[0][1], 19);
  EXPECT_EQ(c.supplyTable[1][1], 4);
  EXPECT_EQ(c.supplyTable[2][12], -1);
  EXPECT_EQ(c.supplyTable[3][50], 100);
  EXPECT_EQ(c.supplyTable[3][5], 30);
  EXPECT_EQ(c.supplyTable[5][4], 1);
  EXPECT_EQ(c.supplyTable[5][6], 0);
}

TEST(ConstsShippedTable, KeepsItsCrLfLineEnds) {
  std::ifstream in(BRENNMARK_TEST_DATA_DIR "/consts/consts.csv", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty());
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    ++lf;
    if (i > 0 && bytes[i - 1] == '\r') ++crlf;
  }
  EXPECT_GT(lf, 185u);
  EXPECT_EQ(crlf, lf);
}
