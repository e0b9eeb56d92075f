// PlayerDefinedPlaces.txt and flags.txt: accepted and skipped lines, the
// bounds of flag numbers, the saved bytes and their round trip.
#include <gtest/gtest.h>

#include <unistd.h>

#include "persistence/saver.h"
#include "persistence_test_support.h"

using namespace persistence_test;

namespace {

class PlacesTest : public GameFolderTest {
 protected:
  void Load() { game().LoadPlayerDefinedPlaces(request_); }
  sHexPoint Place(int slot) { return game().map->GetViewBookmark(slot); }
};

TEST_F(PlacesTest, TwelveEntriesFillNineSlotsAndTheLastOneWins) {
  std::vector<std::string> lines = {"#Player defined places", "", ";5", "5;", "x"};
  for (int i = 0; i < 12; ++i) lines.push_back(std::to_string(i) + ";" + std::to_string(100 + i));
  WriteLoaded("PlayerDefinedPlaces.txt", lines);
  Load();
  for (int slot = 0; slot < 9; ++slot) EXPECT_EQ(Place(slot), (sHexPoint{slot, 100 + slot})) << slot;
  EXPECT_EQ(Place(9), (sHexPoint{11, 111}));
}

TEST_F(PlacesTest, SkippedLinesTakeNoSlot) {
  // First or last ';' and comments are skipped; text that is no number is 0.
  WriteLoaded("PlayerDefinedPlaces.txt", {";1", "2;", "#3;4", "abc;7", "8;9;10", "  -1;-1"});
  game().map->SetViewBookmark(5, 3, 3);
  Load();
  EXPECT_EQ(Place(0), (sHexPoint{0, 7}));
  EXPECT_EQ(Place(1), (sHexPoint{8, 9}));
  EXPECT_EQ(Place(2), (sHexPoint{-1, -1}));
  EXPECT_EQ(Place(5), (sHexPoint{-1, -1}));  // every place is unset before reading
}

TEST_F(PlacesTest, MissingFileLeavesEveryPlaceUnset) {
  game().map->SetViewBookmark(4, 1, 2);
  world_test::LogCapture log;
  Load();
  EXPECT_TRUE(log.Has(L"Unable to open PlayerDefinedPlaces.txt"));
  for (int slot = 0; slot < 10; ++slot) EXPECT_EQ(Place(slot), (sHexPoint{-1, -1}));
}

TEST_F(PlacesTest, SaveWritesTheLegendAndTenLinesAndReadsBack) {
  game().map->SetViewBookmark(0, 12, 34);
  game().map->SetViewBookmark(9, -5, 7);
  std::filesystem::create_directories("save");
  cZapisGry().SavePlayerDefinedPlaces(L"save");
  std::string expected =
      "#Player defined places\r\n#Set using by Ctrl+<num> combination\r\n#Go to using <num> key)\r\n"
      "#Format: hexX;hexY\r\n12;34\r\n";
  for (int i = 1; i < 9; ++i) expected += "-1;-1\r\n";
  expected += "-5;7\r\n";
  EXPECT_EQ(dir_.Read("save/PlayerDefinedPlaces.txt"), expected);

  game().map->SetViewBookmark(0, 0, 0);
  request_.pathTemplate = L"save\\%s";
  Load();
  EXPECT_EQ(Place(0), (sHexPoint{12, 34}));
  EXPECT_EQ(Place(1), (sHexPoint{-1, -1}));
  EXPECT_EQ(Place(9), (sHexPoint{-5, 7}));
}

TEST_F(PlacesTest, FailedSaveIsLoggedAndPassedOver) {
  world_test::LogCapture log;
  cZapisGry().SavePlayerDefinedPlaces(L"no_such_folder");
  EXPECT_TRUE(log.Has(L"Unable to save PlayerDefinedPlaces.txt"));
}

class FlagsTest : public GameFolderTest {
 protected:
  void Load() { game().LoadFlags(request_); }
  int Flag(int n) { return game().scenarioFlags[static_cast<size_t>(n)]; }
  int NonZero() {
    int n = 0;
    for (int v : game().scenarioFlags) n += v != 0;
    return n;
  }
};

TEST_F(FlagsTest, LaterLineWinsAndEveryOtherFlagIsZero) {
  game().scenarioFlags[500] = 9;  // from an earlier read: cleared
  WriteLoaded("flags.txt", {"# flag no;flag value", "12;3", "12;7", ";4", "4;", "", "#5;5", "0;-2;"});
  Load();
  EXPECT_EQ(Flag(12), 7);
  EXPECT_EQ(Flag(0), -2);
  EXPECT_EQ(Flag(4), 0);
  EXPECT_EQ(NonZero(), 2);
}

TEST_F(FlagsTest, NumbersOutsideTheRangeAreIgnoredWithALogLine) {
  WriteLoaded("flags.txt", {"-1;5", "40000;6", "2147483647;7", "99999999999;8", "39999;9", "abc;10"});
  world_test::LogCapture log;
  Load();
  EXPECT_EQ(log.CountContaining(L"outside 0-39999"), 4);
  EXPECT_EQ(log.CountContaining(L"flags.txt line 2: flag number 40000"), 1);
  EXPECT_EQ(Flag(39999), 9);
  EXPECT_EQ(Flag(0), 10);  // a number that is no number reads as 0
  EXPECT_EQ(NonZero(), 2);
}

TEST_F(FlagsTest, SaveWritesNonZeroFlagsInOrderAndReadsBack) {
  game().scenarioFlags[39999] = 1;
  game().scenarioFlags[12] = -7;
  game().scenarioFlags[0] = 2147483647;
  std::filesystem::create_directories("save");
  cZapisGry().SaveFlags(L"save");
  EXPECT_EQ(dir_.Read("save/flags.txt"), "# flag no;flag value\r\n0;2147483647;\r\n12;-7;\r\n39999;1;\r\n");

  const std::vector<int32_t> saved = game().scenarioFlags;
  game().scenarioFlags.assign(cGra::kScenarioFlagCount, 3);
  request_.pathTemplate = L"save\\%s";
  Load();
  EXPECT_EQ(game().scenarioFlags, saved);
}

TEST_F(FlagsTest, NoNonZeroFlagWritesTheLegendOnly) {
  std::filesystem::create_directories("save");
  cZapisGry().SaveFlags(L"save");
  EXPECT_EQ(dir_.Read("save/flags.txt"), "# flag no;flag value\r\n");
}

TEST_F(FlagsTest, MissingFileIsFatal) {
  EXPECT_EXIT((LogToStderr(), Load()), ::testing::ExitedWithCode(1), "Blad otwarcia pliku \\(nie istnieje\\?\\)");
}

TEST_F(FlagsTest, UnwritableOrFullFileIsFatal) {
  EXPECT_EXIT((LogToStderr(), cZapisGry().SaveFlags(L"no_such_folder")), ::testing::ExitedWithCode(1),
              "Blad otwarcia pliku");
  // A write that the disk refuses is no saved file either.
  std::filesystem::create_directories("full");
  ASSERT_EQ(::symlink("/dev/full", "full/flags.txt"), 0);
  game().scenarioFlags[1] = 1;
  EXPECT_EXIT((LogToStderr(), cZapisGry().SaveFlags(L"full")), ::testing::ExitedWithCode(1), "Error writing file");
}

}  // namespace
