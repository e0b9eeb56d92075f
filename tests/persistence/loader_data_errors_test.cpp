// Every fatal data error of a load, through the real loader: a corrupted
// copy of the small test scenario (or of a save made from it) ends the
// process with exit code 1 and the line that names the fault, never with a
// crash and never by loading on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "core/front_end.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "two_shores_folder.h"
#include "support/folder_bytes.h"

namespace fs = std::filesystem;

namespace {

using persistence_test::kTwoShoresFolder;

const char* const kSave = "data/save/base";

class LoaderDataErrorsTest : public persistence_test::TwoShoresFolder {
 protected:
  LoaderDataErrorsTest() {
    // A save of the scenario for the tables only a saved game has; both
    // folders are kept whole to restore each case from.
    cQuietFrontEnd quiet;
    cFrontEndScope scope(&quiet);
    EXPECT_EQ(LoadNewScenario(Scenario()), 0);
    EXPECT_TRUE(cZapisGry().SaveGame(L"base", true).ok);
    DestroyGame();
    fs::create_directories("pristine");
    fs::copy(kTwoShoresFolder, "pristine/scenario", fs::copy_options::recursive);
    fs::copy(kSave, "pristine/save", fs::copy_options::recursive);
  }
  void Restore() {
    fs::remove_all(kTwoShoresFolder);
    fs::remove_all(kSave);
    fs::copy("pristine/scenario", kTwoShoresFolder, fs::copy_options::recursive);
    fs::copy("pristine/save", kSave, fs::copy_options::recursive);
  }
};

// One corruption of one file of the scenario or of the save.
struct sCorruption {
  const char* what;
  bool inSave;
  const char* file;
  // Empty: the file is removed. Otherwise the first occurrence of `from`
  // becomes `to` (`from` must be there, so no case passes by doing nothing).
  std::string from;
  std::string to;
  const char* message;
};


void Corrupt(const sCorruption& c) {
  const fs::path file = fs::path(c.inSave ? kSave : kTwoShoresFolder) / c.file;
  if (c.from.empty()) {
    ASSERT_TRUE(fs::remove(file)) << file;
    return;
  }
  std::string bytes = ReadFileBytes(file);
  const size_t at = bytes.find(c.from);
  ASSERT_NE(at, std::string::npos) << c.from << " is not in " << file;
  bytes.replace(at, c.from.size(), c.to);
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::vector<sCorruption>& Corruptions() {
  static const std::vector<sCorruption> cases = {
      // The map file.
      {"map missing", false, "map.hwd", "", "", "Loading from [^\n]*map.hwd... FAILED"},
      {"map of another format", false, "map.hwd", "HwDv1", "HwDv9", "ERROR: Wrong map file version"},
      {"map of no width", false, "map.hwd", std::string("\x14\x00\x0e\x00", 4), std::string("\x00\x00\x0e\x00", 4),
       "ERROR: Map cannot have 0 heigth or 0 width"},
      // Units on their hexes and in their fleets and ships.
      {"two land units on a hex", false, "land_units.csv", "\r\n2;1st Nordmark Infantry Division;1;4;2;",
       "\r\n2;1st Nordmark Infantry Division;1;2;2;",
       "Trying to place land unit 1st Nordmark Infantry Division \\(ID=2\\) to hex \\(2, 2\\) occupied by 1st "
       "Nordmark Infantry Corps \\(ID=1\\)"},
      {"an air unit on a land unit", false, "air_units.csv", "\r\n2;1st Nordmark Bomber Wing;1;1;3;",
       "\r\n2;1st Nordmark Bomber Wing;1;4;2;",
       "Trying to place air unit 1st Nordmark Bomber Wing \\(ID=2\\) to hex \\(4, 2\\) occupied by 1st Nordmark "
       "Infantry Division \\(ID=2\\)"},
      {"a ship of no fleet", false, "naval_units.csv", "\r\n5;Lastkahn;1;44;3;", "\r\n5;Lastkahn;1;44;9;",
       "Data integrity error: Lastkahn belongs to fleet id=9, but no such fleet exists"},
      {"aboard a ship that does not exist", false, "land_units.csv", ";-1;-1;3;5;-1;0;", ";-1;-1;3;99;-1;0;",
       "2nd Nordmark Infantry Division \\[ID 8\\] is supposed to be loaded into naval unit ID 99, which does not "
       "exist"},
      {"aboard a battleship", false, "land_units.csv", ";-1;-1;3;5;-1;0;", ";-1;-1;3;2;-1;0;",
       "is supposed to be loaded into Falke[^b]*but this isn't a transport or amphibious fleet"},
      {"two units aboard one ship", false, "land_units.csv", ";-1;-1;2;7;-1;0;", ";-1;-1;2;5;-1;0;",
       "2nd Nordmark Infantry Division \\[ID 8\\] and 3rd Sudland Infantry Division \\[ID 14\\] are both loaded "
       "into naval unit Lastkahn"},
      // The relations matrix.
      {"relations missing", false, "relations.csv", "", "", "relations.csv\n[^B]*Blad otwarcia pliku!"},
      {"relations of country 9", false, "relations.csv", "\r\n3;Ostmark;", "\r\n9;Ostmark;",
       "relations.csv line no. 5\n[^W]*Wrong country ID"},
      {"losses missing", false, "losses.csv", "", "", "losses.csv\n[^B]*Blad otwarcia pliku!"},
      {"losses of country 0", false, "losses.csv", "\r\n2;Sudland;", "\r\n0;Sudland;", "Wrong country ID"},
      // The cities diagram, always from the scenario folder.
      {"diagram missing", false, "cities_diagram.csv", "", "", "cities_diagram.csv\n[^B]*Blad otwarcia pliku!"},
      {"diagram from no city", false, "cities_diagram.csv", "\r\n3;3;8;2;0", "\r\n3;4;8;2;0",
       "Critical error at line 2. No city at given coordinates"},
      {"diagram to a resource city", false, "cities_diagram.csv", "\r\n3;3;8;2;0", "\r\n3;3;5;5;0",
       "Critical error. Cannot find node index for city Kohlberg \\(line 2\\)"},
      // The sea graph.
      {"sea nodes missing", false, "sea_nodes.csv", "", "", "sea_nodes.csv\n[^B]*Blad otwarcia pliku!"},
      {"sea node out of sequence", false, "sea_nodes.csv", "\r\n2;Southern Sound;", "\r\n7;Southern Sound;",
       "ERROR. Sea node 2 has ID=7 \\(should be equal!\\)"},
      {"port without a node", false, "sea_nodes.csv", "\r\n6;-;3;3;14;10;", "\r\n6;-;3;3;15;10;",
       "There is no sea node for port city Kustport \\(14, 10\\)\n[^E]*ERROR. Port cities without a sea node"},
      {"sea edges missing", false, "sea_edges.csv", "", "", "sea_edges.csv\n[^B]*Blad otwarcia pliku!"},
      {"sea edge to no node", false, "sea_edges.csv", "\r\n1;2;-1;-1", "\r\n1;9;-1;-1",
       "ERROR: sea edge 1 -> 9 in [^\n]*sea_edges.csv line 2 names a sea node that does not exist"},
      // Convoys.
      {"convoys missing", false, "convoys.csv", "", "", "convoys.csv\n[^B]*Blad otwarcia pliku!"},
      {"convoy from no node", false, "convoys.csv", "\r\n1;1;1;5;3;5;", "\r\n1;1;1;5;9;5;",
       "Convoy with ID=1 has departure sea node with ID=9, there's no such sea node!"},
      {"convoy to open sea", false, "convoys.csv", "\r\n1;1;1;5;3;5;", "\r\n1;1;1;5;3;1;",
       "Convoy with ID=1 has destination sea node with ID=1, there's no port city for this sea node!"},
      {"convoy of no country", false, "convoys.csv", "\r\n2;2;0;0;4;6;", "\r\n2;9;0;0;4;6;",
       "Convoy with ID=2 in [^\n]*convoys.csv line 4 has owner ID=9, there's no such country!"},
      // Events of the scenario folder.
      {"event file missing", false, "events.xml", "", "", "ERROR initializing events from file "},
      {"event file broken", false, "events.xml", "</events>", "</event>", "ERROR initializing events from file "},
      // The computer player's data.
      {"unknown keyword", false, "ai_data.csv", "\r\nMaxSafeMoveCost;5", "\r\nMaxSafeMoveCosts;5",
       "ERROR: line 26 in ai_data.csv has incorrect variable name \\(MaxSafeMoveCosts\\)!"},
      {"spared city that is none", false, "ai_data.csv", "DoNotAttackCities;17;3", "DoNotAttackCities;17;4",
       "ERROR \\(ai_data.csv, line 8\\): There is no city at coords \\(17,4\\)"},
      {"invasion of an inland city", false, "ai_data.csv", "ObligatorySeaInvasionTargets;8;10",
       "ObligatorySeaInvasionTargets;3;10", "ERROR\\(ai_data.csv, line 9\\): City at coords \\(3, 10\\) is not a port"},
      // The tables only a saved game has.
      {"city supply table missing", true, "cities_supply_info.csv", "", "",
       "cities_supply_info.csv\n[^E]*Error opening file! \\(not exists\\?\\)"},
      {"city convoy table missing", true, "cities_convoy_info.csv", "", "",
       "cities_convoy_info.csv\n[^E]*Error opening file! \\(not exists\\?\\)"},
      {"topography missing", true, "topography.csv", "", "",
       "topography.csv\n[^E]*Error opening file! \\(not exists\\?\\)"},
      {"reports missing", true, "reports.dat", "", "", "ERROR: Opening reports file for reading"},
      {"automatic events missing", true, "auto_events.csv", "", "",
       "auto_events.csv\n[^B]*Blad otwarcia pliku! \\(nie istnieje\\?\\)"},
      {"saved map missing", true, "map.hwd", "", "", "Loading from [^\n]*base.map.hwd... FAILED"},
      {"saved ship of no fleet", true, "naval_units.csv", "\r\n4;U-Flotilla North;1;43;2;",
       "\r\n4;U-Flotilla North;1;43;7;", "Data integrity error: U-Flotilla North belongs to fleet id=7"},
  };
  return cases;
}

using LoaderDataErrorsDeathTest = LoaderDataErrorsTest;

TEST_F(LoaderDataErrorsDeathTest, EachCorruptionEndsWithItsLineAndExitCodeOne) {
  for (const sCorruption& c : Corruptions()) {
    SCOPED_TRACE(c.what);
    Restore();
    Corrupt(c);
    const sLoadRequest request =
        c.inSave ? sLoadRequest{L"data\\save\\base\\%s", 2} : Scenario();
    EXPECT_EXIT(
        {
          LogToStderr();
          cQuietFrontEnd quiet;
          cFrontEndScope scope(&quiet);
          LoadNewScenario(request);
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(1), c.message);
  }
}

// The restored copies load: every case above fails through its corruption
// alone.
TEST_F(LoaderDataErrorsTest, TheUncorruptedScenarioAndSaveLoad) {
  cQuietFrontEnd quiet;
  cFrontEndScope scope(&quiet);
  Restore();
  ASSERT_EQ(LoadNewScenario(Scenario()), 0);
  DestroyGame();
  ASSERT_EQ(LoadNewScenario(sLoadRequest{L"data\\save\\base\\%s", 2}), 0);
}

}  // namespace
