#include "core/csv_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/console.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {
class CsvFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp_ = std::make_unique<cTempDir>("csv_test");
    dir_ = tmp_->Path();
  }
  void TearDown() override { tmp_.reset(); }

  // Writes the bytes to a file of the test folder and returns its wide path.
  std::wstring Write(const std::string& name, const std::string& bytes) {
    return Utf8ToWide(tmp_->Write(name, bytes).string());
  }

  std::unique_ptr<cTempDir> tmp_;
  fs::path dir_;
};

std::vector<std::wstring> Line(cCsvFile& csv, bool keepEmpty = false) {
  csv.ReadLine(keepEmpty);
  return csv.fields;
}

using W = std::vector<std::wstring>;
}  // namespace

TEST_F(CsvFileTest, EmptyFileIsOkAndAtEndAtOnce) {
  cCsvFile csv(Write("empty.csv", ""));
  EXPECT_TRUE(csv.Ok());
  EXPECT_TRUE(csv.Eof());
  EXPECT_EQ(csv.ReadLine(false), 0);
  EXPECT_EQ(csv.ReadLine(true), 0);
  EXPECT_TRUE(csv.fields.empty());
}

TEST_F(CsvFileTest, MissingFileAndDirectoryAreNotOk) {
  cCsvFile missing(Utf8ToWide((dir_ / "nothing.csv").string()));
  EXPECT_FALSE(missing.Ok());
  EXPECT_TRUE(missing.Eof());
  EXPECT_EQ(missing.ReadLine(true), 0);

  cCsvFile dir(Utf8ToWide(dir_.string()));
  EXPECT_FALSE(dir.Ok());
  EXPECT_TRUE(dir.Eof());
  EXPECT_EQ(dir.ReadLine(false), 0);
}

TEST_F(CsvFileTest, CommentLineThenDataLine) {
  cCsvFile csv(Write("c.csv", "#id;name\r\n1;2\r\n"));
  ASSERT_TRUE(csv.Ok());
  EXPECT_EQ(csv.ReadLine(false), 0);
  EXPECT_FALSE(csv.Eof());
  EXPECT_EQ(csv.ReadLine(false), 2);
  EXPECT_EQ(csv.fields, (W{L"1", L"2"}));
  EXPECT_EQ(csv.LineNumber(), 2);
  // The final LF is a line of its own: nothing without keepEmpty.
  EXPECT_FALSE(csv.Eof());
  EXPECT_EQ(csv.ReadLine(false), 0);
  EXPECT_TRUE(csv.Eof());
}

TEST_F(CsvFileTest, FinalLineFeedGivesOneEmptyFieldWhenKept) {
  cCsvFile csv(Write("k.csv", "1;2\r\n"));
  EXPECT_EQ(csv.ReadLine(true), 2);
  EXPECT_EQ(csv.ReadLine(true), 1);
  EXPECT_EQ(csv.fields, (W{L""}));
  EXPECT_TRUE(csv.Eof());
  EXPECT_EQ(csv.ReadLine(true), 0);
}

TEST_F(CsvFileTest, HashAfterDroppedEmptyFieldStartsComment) {
  std::wstring path = Write("h.csv", ";#x\r");
  cCsvFile dropped(path);
  EXPECT_EQ(dropped.ReadLine(false), 0);
  EXPECT_TRUE(dropped.Eof());

  cCsvFile kept(path);
  EXPECT_EQ(kept.ReadLine(true), 2);
  EXPECT_EQ(kept.fields, (W{L"", L"#x"}));
}

TEST_F(CsvFileTest, HashInsideFieldIsOrdinary) {
  cCsvFile csv(Write("h.csv", "a#b\r\nx;#y\r\n"));
  EXPECT_EQ(Line(csv), (W{L"a#b"}));
  EXPECT_EQ(Line(csv), (W{L"x", L"#y"}));
}

TEST_F(CsvFileTest, CommentRunsToCarriageReturnOnly) {
  // ';' and LF inside a comment do not end it; the last line needs no CR.
  cCsvFile csv(Write("c.csv", "# a;b\nc\r1\r\n#tail;x"));
  EXPECT_EQ(csv.ReadLine(true), 0);
  EXPECT_EQ(Line(csv), (W{L"1"}));
  EXPECT_EQ(csv.ReadLine(true), 0);
  EXPECT_TRUE(csv.Eof());
}

TEST_F(CsvFileTest, LineFeedOnlyFileIsOneLine) {
  cCsvFile csv(Write("lf.csv", "a;b\nc;d\n"));
  EXPECT_EQ(csv.ReadLine(false), 3);
  EXPECT_EQ(csv.fields, (W{L"a", L"bc", L"d"}));
  EXPECT_TRUE(csv.Eof());
}

TEST_F(CsvFileTest, EmptyFieldsKeptOrDropped) {
  std::wstring path = Write("e.csv", "a;;b\r\na;\r\n;\r\n\r\n");
  cCsvFile keep(path);
  EXPECT_EQ(Line(keep, true), (W{L"a", L"", L"b"}));
  EXPECT_EQ(Line(keep, true), (W{L"a", L""}));
  EXPECT_EQ(Line(keep, true), (W{L"", L""}));
  EXPECT_EQ(Line(keep, true), (W{L""}));

  cCsvFile drop(path);
  EXPECT_EQ(Line(drop), (W{L"a", L"b"}));
  EXPECT_EQ(Line(drop), (W{L"a"}));
  EXPECT_EQ(drop.ReadLine(false), 0);
  EXPECT_FALSE(drop.Eof());
  EXPECT_EQ(drop.ReadLine(false), 0);
}

TEST_F(CsvFileTest, LastLineWithoutBreakAndLoneCarriageReturns) {
  cCsvFile csv(Write("l.csv", "a\rb;c\r\nx;y"));
  EXPECT_EQ(Line(csv), (W{L"a"}));
  EXPECT_EQ(Line(csv), (W{L"b", L"c"}));
  EXPECT_EQ(Line(csv), (W{L"x", L"y"}));
  EXPECT_TRUE(csv.Eof());
  EXPECT_EQ(csv.LineNumber(), 3);
}

TEST_F(CsvFileTest, FieldEndingAtEndOfDataAfterSeparator) {
  // "a;" at the very end gives no empty field even when kept: the data ran out.
  cCsvFile csv(Write("s.csv", "a;"));
  EXPECT_EQ(Line(csv, true), (W{L"a"}));
}

TEST_F(CsvFileTest, BlanksStayAndTextIsWindows1252) {
  cCsvFile csv(Write("w.csv", " a ;\x80 caf\xE9\x9C \r\n"));
  EXPECT_EQ(Line(csv), (W{L" a ", L"\u20AC caf\u00E9\u0153 "}));
}

TEST_F(CsvFileTest, LongFieldIsCutAt999Bytes) {
  std::string exact(999, 'e');
  std::string longer(1500, 'x');
  cCsvFile csv(Write("long.csv", exact + ";" + longer + ";y\r\n" + std::string(600, 'p') + "\n" +
                                      std::string(600, 'q') + "\r\n"));
  ASSERT_EQ(csv.ReadLine(false), 3);
  EXPECT_EQ(csv.fields[0], std::wstring(999, L'e'));
  EXPECT_EQ(csv.fields[1], std::wstring(999, L'x'));
  EXPECT_EQ(csv.fields[2], L"y");
  // A field broken by a LF is one field, cut the same way.
  ASSERT_EQ(csv.ReadLine(false), 1);
  EXPECT_EQ(csv.fields[0], std::wstring(600, L'p') + std::wstring(399, L'q'));
}

TEST_F(CsvFileTest, BackslashPathFoundWithoutRegardToCase) {
  Write("Tables/Units.csv", "7;8\r\n");
  std::wstring path = Utf8ToWide(dir_.string()) + L"\\tables\\UNITS.csv";
  cCsvFile csv(path);
  ASSERT_TRUE(csv.Ok());
  EXPECT_EQ(Line(csv), (W{L"7", L"8"}));
}

TEST_F(CsvFileTest, OpenAgainAndClose) {
  cCsvFile csv(Write("a.csv", "1\r\n2\r\n"));
  EXPECT_EQ(Line(csv), (W{L"1"}));
  ASSERT_TRUE(csv.Open(Write("b.csv", "x;y")));
  EXPECT_EQ(csv.LineNumber(), 0);
  EXPECT_EQ(Line(csv), (W{L"x", L"y"}));
  EXPECT_EQ(csv.LineNumber(), 1);

  EXPECT_FALSE(csv.Open(Utf8ToWide((dir_ / "gone.csv").string())));
  EXPECT_FALSE(csv.Ok());
  EXPECT_TRUE(csv.Eof());

  cCsvFile c2(Write("c.csv", "q\r\n"));
  c2.Close();
  EXPECT_FALSE(c2.Ok());
  EXPECT_TRUE(c2.Eof());
  EXPECT_EQ(c2.ReadLine(true), 0);
  c2.Close();
}

TEST(CsvWarning, ShortRowNamesFileAndLine) {
  cLogCapture log;
  WarnShortRow(L"data\\scenarios\\x\\consts.csv", 12, 1, 2);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"WARNING: data\\scenarios\\x\\consts.csv line 12 has 1 fields, 2 needed");
}

namespace {
// The reader's rule byte by byte, as the format describes it, to check the
// run-at-a-time splitter against.
std::vector<W> ReferenceSplit(const std::string& data, bool keepEmpty) {
  std::vector<W> lines;
  size_t pos = 0;
  while (pos < data.size()) {
    W fields;
    std::string acc;
    bool comment = false;
    for (;;) {
      char c = data[pos++];
      bool exhausted = pos >= data.size();
      if (c != '\n' && c != '\r' && c != ';' && !comment) {
        if (c == '#' && acc.empty() && fields.empty()) comment = true;
        if (acc.size() < cCsvFile::kMaxFieldBytes) acc.push_back(c);
      }
      if ((!acc.empty() || keepEmpty) && !comment && (c == '\r' || c == ';' || exhausted)) {
        fields.push_back(Cp1252ToWide(acc));
        acc.clear();
      }
      if (c == '\r' || exhausted) break;
    }
    lines.push_back(fields);
  }
  return lines;
}
}  // namespace

TEST_F(CsvFileTest, AgreesWithByteByByteRuleOnRandomTables) {
  const char alphabet[] = {'a', 'b', ' ', '#', ';', ';', '\r', '\n', '\xE9'};
  unsigned seed = 2024;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 300; ++round) {
    std::string data;
    size_t len = next() % 60;
    for (size_t i = 0; i < len; ++i) {
      // Now and then a run long enough to be cut.
      if (next() % 97 == 0) data += std::string(900 + next() % 300, 'L');
      data += alphabet[next() % sizeof alphabet];
    }
    std::wstring path = Write("r.csv", data);
    for (bool keep : {false, true}) {
      std::vector<W> expected = ReferenceSplit(data, keep);
      cCsvFile csv(path);
      ASSERT_TRUE(csv.Ok());
      for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_FALSE(csv.Eof()) << "round " << round << " line " << i;
        EXPECT_EQ(csv.ReadLine(keep), expected[i].size()) << "round " << round << " line " << i;
        ASSERT_EQ(csv.fields, expected[i]) << "round " << round << " line " << i << " keep " << keep;
      }
      EXPECT_TRUE(csv.Eof()) << "round " << round;
    }
  }
}

TEST_F(CsvFileTest, LargeTablesWithHighBytesAgreeWithByteByByteRule) {
  // Tables of several kilobytes, so that separators are found a block at a
  // time, with text in every byte range: the in-place conversion of the
  // reader against the plain conversion of the reference.
  unsigned seed = 77;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 40; ++round) {
    std::string data;
    const size_t size = 2000 + next() % 20000;
    while (data.size() < size) {
      if (next() % 15 == 0) data += "#legend;\x80\xE9;x";
      const int fields = 1 + static_cast<int>(next() % 12) - (next() % 9 == 0 ? 1 : 0);
      for (int f = 0; f < fields; ++f) {
        if (f > 0) data += ';';
        const size_t len = next() % 50 == 0 ? 990 + next() % 30 : next() % 18;
        for (size_t i = 0; i < len; ++i) {
          const unsigned r = next() % 10;
          char c = static_cast<char>(r < 4 ? '0' + next() % 10 : r < 7 ? 0x80 + next() % 128 : 0x20 + next() % 95);
          if (c == ';') c = ',';
          if (next() % 150 == 0) c = '\n';
          data += c;
        }
      }
      data += next() % 10 == 0 ? "\r" : "\r\n";
    }
    if (round % 2 == 1) data += "\xC4nde;\x9Cuvre";
    std::wstring path = Write("big.csv", data);
    for (bool keep : {false, true}) {
      std::vector<W> expected = ReferenceSplit(data, keep);
      cCsvFile csv(path);
      ASSERT_TRUE(csv.Ok());
      for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_FALSE(csv.Eof()) << "round " << round << " line " << i;
        EXPECT_EQ(csv.ReadLine(keep), expected[i].size()) << "round " << round << " line " << i;
        ASSERT_EQ(csv.fields, expected[i]) << "round " << round << " line " << i << " keep " << keep;
      }
      EXPECT_TRUE(csv.Eof()) << "round " << round;
    }
  }
}
