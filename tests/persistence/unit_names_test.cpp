// unit_names.csv: the header's country columns, the rows and columns that
// name no slot or no country, and the bytes kept for saving.
#include <gtest/gtest.h>

#include <optional>

#include "persistence/saver.h"
#include "persistence_test_support.h"
#include "world/country.h"

using namespace persistence_test;

namespace {

class UnitNamesTest : public GameFolderTest {
 protected:
  void Load() { game().LoadUnitNames(request_); }
  // The template of a country (1-based) in a slot; nullopt when never set.
  std::optional<std::wstring> Part(int country, int slot) {
    return game().countries[static_cast<size_t>(country) - 1]->nameParts[static_cast<size_t>(slot)];
  }
};

TEST_F(UnitNamesTest, HeaderNamesTheCountriesOfItsColumns) {
  WriteLoaded("unit_names.csv", {"#Unit names", "1;ignored;before;header", ";;5;3", "2;D;;K", ""});
  Load();
  EXPECT_EQ(Part(5, 1), L"D");  // empty field: the default text
  EXPECT_EQ(Part(3, 1), L"K");
  EXPECT_EQ(Part(1, 1), std::nullopt);  // no column: kept as it was
  EXPECT_EQ(Part(1, 0), std::nullopt);  // the row before the header was skipped
}

TEST_F(UnitNamesTest, ColumnsWithoutAHeaderFieldAreCountryColumnMinusOne) {
  WriteLoaded("unit_names.csv", {";", "1;Div %s;A;;C;D", "17;Harbour %s;X"});
  Load();
  EXPECT_EQ(Part(1, 0), L"A");
  EXPECT_EQ(Part(2, 0), L"Div %s");
  EXPECT_EQ(Part(3, 0), L"C");
  EXPECT_EQ(Part(4, 0), L"D");
  EXPECT_EQ(Part(5, 0), std::nullopt);
  EXPECT_EQ(Part(1, 16), L"X");
}

TEST_F(UnitNamesTest, RowsAndColumnsNamingNoSlotOrCountryAreIgnoredWithALogLine) {
  WriteLoaded("unit_names.csv", {";;0;7;1", "0;zero;a;b;c", "18;high;a;b;c", "-4;neg;a;b;c", "3;three;a;b;c",
                                 "4;four;a;b;c;d", "5"});
  world_test::LogCapture log;
  Load();
  EXPECT_EQ(log.CountContaining(L"template number"), 3);
  // Columns 2 (country 0) and 3 (country 7) are told once each, not once per row.
  EXPECT_EQ(log.CountContaining(L"column 2 names country 0"), 1);
  EXPECT_EQ(log.CountContaining(L"column 3 names country 7"), 1);
  EXPECT_EQ(log.CountContaining(L"has 1 fields, 2 needed"), 1);
  EXPECT_EQ(Part(1, 2), L"c");
  EXPECT_EQ(Part(1, 3), L"c");
  EXPECT_EQ(Part(4, 3), L"d");
  for (int country = 1; country <= 5; ++country)
    for (int slot : {0, 1, 4, 16}) EXPECT_EQ(Part(country, slot), std::nullopt) << country << "/" << slot;
}

TEST_F(UnitNamesTest, FileBytesAreKeptAndSavedVerbatim) {
  // Comments, spacing, a lone LF, a code-page byte and no final line break.
  const std::string bytes = "# names \t\r\n;;2\r\n\n1; Div\xe9 %s ;x\r\n#end;;;\r\n3;Last;;";
  dir_.Write("loaded/unit_names.csv", bytes);
  Load();
  EXPECT_EQ(std::string(game().unitNames.begin(), game().unitNames.end()), bytes);
  EXPECT_EQ(Part(2, 0), L"x");
  EXPECT_EQ(Part(2, 2), L"Last");

  std::filesystem::create_directories("save");
  cZapisGry().SaveUnitNames(L"save");
  EXPECT_EQ(dir_.Read("save/unit_names.csv"), bytes);
}

TEST_F(UnitNamesTest, MissingFileIsFatal) {
  EXPECT_EXIT((LogToStderr(), Load()), ::testing::ExitedWithCode(1), "Blad otwarcia pliku! \\(nie istnieje\\?\\)");
}

}  // namespace
