// The countries table: every column into its field, the optional skin
// column, short rows, the id sequence and the countries' own constants.
#include <gtest/gtest.h>

#include <cmath>

#include "persistence/load_request.h"
#include "support/recording_front_end.h"
#include "support/temp_dir.h"
#include "world/consts.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

// One row: column k holds 100 + k unless set otherwise.
struct Row {
  explicit Row(int id, const std::string& name = "") {
    for (int k = 0; k < 69; ++k) cols.push_back(std::to_string(100 + k));
    cols[0] = std::to_string(id);
    cols[2] = name.empty() ? "Land" + std::to_string(id) : name;
  }
  Row& Set(int col, const std::string& v) {
    cols[static_cast<size_t>(col)] = v;
    return *this;
  }
  Row& Skin(const std::string& skin) {
    cols.push_back(skin);
    return *this;
  }
  Row& Short(size_t n) {
    cols.resize(n);
    return *this;
  }
  std::string Text() const {
    std::string s;
    for (const std::string& c : cols) s += c + ";";
    return s;
  }
  std::vector<std::string> cols;
};

class CountriesTableTest : public ::testing::Test {
 protected:
  CountriesTableTest() : dir_("countries"), before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
    game_.game->scenarioName = L"Test";
    request_.pathTemplate = L"data\\scenarios\\Test\\%s";
  }
  ~CountriesTableTest() override { std::filesystem::current_path(before_); }

  void WriteTable(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    dir_.Write("data/scenarios/Test/countries.csv", text);
  }
  void Load() { game_.game->LoadCountries(request_, game_.game->countries); }
  std::vector<cPanstwo*>& countries() { return game_.game->countries; }
  std::wstring TablePath() const { return L"data\\scenarios\\Test\\countries.csv"; }

  cTempDir dir_;
  std::filesystem::path before_;
  GameFixture game_{1, 1};
  sLoadRequest request_;
};

TEST_F(CountriesTableTest, EveryColumnReachesItsField) {
  Row r(1, "Ruritania");
  r.Set(3, "FF0000").Set(4, "ff00ff00").Set(5, "0").Set(6, "FFFFFFFF");
  r.Set(21, "12.75").Set(47, "33.5").Set(48, "0.25").Set(63, "1.5");
  r.Set(64, "0.9").Set(65, "0.8").Set(66, "0.7").Set(67, "0.6");
  r.Set(1, "1").Set(12, "0").Set(13, "7");
  WriteTable({"#Important! Ids must follow sequence (1,2,3...etc);", r.Text()});
  LogCapture log;
  Load();
  ASSERT_EQ(countries().size(), 1u);
  const cPanstwo& c = *countries()[0];
  EXPECT_EQ(c.id, 1);
  EXPECT_EQ(c.active, 1);
  EXPECT_EQ(c.name, L"Ruritania");
  EXPECT_EQ(c.skinName, L"Ruritania");
  EXPECT_EQ(c.colors[0], 16711680u);
  EXPECT_EQ(c.colors[1], 0xFF00FF00u);
  EXPECT_EQ(c.colors[2], 0u);
  EXPECT_EQ(c.colors[3], 0xFFFFFFFFu);
  EXPECT_EQ(c.alliance, 107);
  EXPECT_EQ(c.orientation, 108);
  EXPECT_EQ(c.zoneOfInfluence, 109);
  EXPECT_EQ(c.allianceEntry, 110);
  EXPECT_EQ(c.politicalStrength, 111);
  EXPECT_EQ(c.finishedTurn, 0);
  EXPECT_EQ(c.humanControlled, 1);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.techLevels[i], 114 + i);
  EXPECT_EQ(c.productionPoints, 12.75);
  EXPECT_EQ(c.diplomaticPoints, 122);
  EXPECT_EQ(c.strategicMovementPoints, 123);
  EXPECT_EQ(c.seaTransportPoints, 124);
  EXPECT_EQ(c.amphibiousPoints, 125);
  EXPECT_EQ(c.strategicMovementUsed, 126);
  EXPECT_EQ(c.seaTransportUsedByConvoys, 127);
  EXPECT_EQ(c.amphibiousPointsInUse, 128);
  // Six research columns each; the doctrine slot has none.
  EXPECT_EQ(std::vector<int>(c.techInvestments, c.techInvestments + 7),
            (std::vector<int>{129, 130, -1, 131, 132, 133, 134}));
  EXPECT_EQ(std::vector<int>(c.researchProgress, c.researchProgress + 7),
            (std::vector<int>{135, 136, -1, 137, 138, 139, 140}));
  EXPECT_EQ(c.capitalX, 141);
  EXPECT_EQ(c.capitalY, 142);
  EXPECT_EQ(c.doneDelayWarEntry + c.doneHasteWarEntry + c.doneParliamentaryElections + c.doneTurnInOrientation, 4);
  EXPECT_EQ(c.socialUnrest, 33.5f);
  EXPECT_EQ(c.warEconomy, 0.25f);
  EXPECT_EQ(c.power, 149);
  EXPECT_EQ(c.region, 150);
  EXPECT_EQ(c.difficultyLevel, 151);
  EXPECT_EQ(c.nuclearBombs, 152);
  EXPECT_EQ(c.dpGrowthPerMonth, 153);
  EXPECT_EQ(std::vector<int>(c.doctrineMonths, c.doctrineMonths + 5), (std::vector<int>{154, 155, 156, 157, 158}));
  EXPECT_EQ(c.doneExertPressureAxis + c.doneExertPressureAllied + c.doneExertPressureComintern, 3);
  EXPECT_EQ(c.pbemPlayerId, 162);
  EXPECT_EQ(c.unitUpkeepCostModifier, 1.5f);
  EXPECT_EQ(c.winterBattle, 0.9f);
  EXPECT_EQ(c.winterMove, 0.8f);
  EXPECT_EQ(c.mudBattle, 0.7f);
  EXPECT_EQ(c.mudMove, 0.6f);
  EXPECT_EQ(c.countryTypeSpecialFlags, 168);
  EXPECT_EQ(c.cameraScale, -100.0f);

  EXPECT_EQ(log.lines[1], TablePath());
  EXPECT_EQ(log.lines[2], L"Otwarcie OK");
  EXPECT_TRUE(log.Has(L"Added country Ruritania (ID: 1, AllianceID: 107)"));
}

TEST_F(CountriesTableTest, OptionalSkinColumnAndPictures) {
  dir_.Write("data/gfx/[UnitsSkin]Counters/units_Graustark.png", "png");
  dir_.Write("data/gfx/[UnitsSkin]Counters/units_Land2.png", "png");
  dir_.Write("data/scenarios/Test/Flags/Land2.png", "png");
  WriteTable({Row(1).Text(), Row(2).Text(), Row(3).Skin("Graustark").Text()});
  cRecordingFrontEnd fe;
  SetFrontEnd(&fe);
  Load();
  SetFrontEnd(nullptr);
  ASSERT_EQ(countries().size(), 3u);
  EXPECT_EQ(countries()[0]->skinName, L"Land1");
  EXPECT_EQ(countries()[0]->GetUnitsTexture(), 0);
  EXPECT_EQ(countries()[1]->skinName, L"Land2");
  EXPECT_NE(countries()[1]->GetUnitsTexture(), 0);
  EXPECT_NE(countries()[1]->GetFlagTexture(), 0);
  EXPECT_EQ(countries()[2]->name, L"Land3");
  EXPECT_EQ(countries()[2]->skinName, L"Graustark");
  EXPECT_NE(countries()[2]->GetUnitsTexture(), 0);
  std::vector<std::wstring> loaded;
  for (const auto& call : fe.calls)
    if (call.name == "LoadTexture") loaded.push_back(call.text);
  EXPECT_EQ(loaded, (std::vector<std::wstring>{L"data\\gfx\\[UnitsSkin]Counters\\units_Land2.png",
                                               L"data\\scenarios\\Test\\Flags\\Land2.png",
                                               L"data\\gfx\\[UnitsSkin]Counters\\units_Graustark.png"}));
  // The countries own their textures: nothing was released on the way.
  EXPECT_TRUE(fe.releasedTextures.empty());
  for (cPanstwo* c : countries()) delete c;
  countries().clear();
}

TEST_F(CountriesTableTest, SocialUnrestIsClamped) {
  WriteTable({Row(1).Set(47, "-5").Text(), Row(2).Set(47, "250.5").Text(), Row(3).Set(47, "100").Text(),
              Row(4).Set(47, "abc").Text()});
  Load();
  ASSERT_EQ(countries().size(), 4u);
  EXPECT_EQ(countries()[0]->socialUnrest, 0.0f);
  EXPECT_EQ(countries()[1]->socialUnrest, 100.0f);
  EXPECT_EQ(countries()[2]->socialUnrest, 100.0f);
  EXPECT_EQ(countries()[3]->socialUnrest, 0.0f);
}

TEST_F(CountriesTableTest, ShortRowsWarnWithTheirLineCountingComments) {
  WriteTable({"# legend one;;;", Row(1).Text(), "# between rows", Row(2).Short(68).Text(), Row(2).Text()});
  LogCapture log;
  Load();
  ASSERT_EQ(countries().size(), 2u);
  EXPECT_EQ(countries()[1]->name, L"Land2");
  EXPECT_TRUE(log.Has(L"WARNING: wrong tokens (columns/values) amount (68) in " + TablePath() +
                      L" at line 4 (counting from 1)"));
}

TEST_F(CountriesTableTest, ReadingAgainReplacesTheCountries) {
  dir_.Write("data/gfx/Flags/Land1.png", "png");
  cRecordingFrontEnd fe;
  SetFrontEnd(&fe);
  WriteTable({Row(1).Text(), Row(2).Text()});
  Load();
  const FrontEndHandle flag = countries()[0]->GetFlagTexture();
  ASSERT_NE(flag, 0);
  WriteTable({Row(1, "Again").Text()});
  Load();
  SetFrontEnd(nullptr);
  ASSERT_EQ(countries().size(), 1u);
  EXPECT_EQ(countries()[0]->name, L"Again");
  // The countries of the first reading were destroyed with their flag.
  EXPECT_EQ(fe.releasedTextures, (std::vector<FrontEndHandle>{flag}));
}

TEST_F(CountriesTableTest, CountriesReadTheirOwnConstantsOrCopyTheGame) {
  WriteTable({Row(1).Text()});
  game_.game->consts.turnsPerMonth[0] = 3;
  game_.game->consts.aiIdleSearchRadius = 17;
  Load();
  ASSERT_EQ(countries().size(), 1u);
  EXPECT_EQ(countries()[0]->consts.turnsPerMonth[0], 3);
  EXPECT_EQ(countries()[0]->consts.aiIdleSearchRadius, 17);

  std::ifstream in(BRENNMARK_TEST_DATA_DIR "/consts/consts.csv", std::ios::binary);
  const std::string table((std::istreambuf_iterator<char>(in)), {});
  dir_.Write("data/scenarios/Test/consts.csv", table);
  sConsts expected;
  ASSERT_TRUE(LoadConstsFile(expected, L"data\\scenarios\\Test\\consts.csv", false));
  Load();
  ASSERT_EQ(countries().size(), 1u);
  EXPECT_EQ(countries()[0]->consts.turnsPerMonth[0], expected.turnsPerMonth[0]);
  EXPECT_NE(countries()[0]->consts.turnsPerMonth[0], 3);
  EXPECT_EQ(countries()[0]->consts.aiIdleSearchRadius, expected.aiIdleSearchRadius);
}

using CountriesTableDeathTest = CountriesTableTest;

TEST_F(CountriesTableDeathTest, MissingTableEndsTheGame) {
  EXPECT_EXIT(
      {
        LogToStderr();
        Load();
      },
      ::testing::ExitedWithCode(1), "Blad otwarcia pliku! \\(nie istnieje\\?\\)(.|\n)*----- Ending game ----");
}

TEST_F(CountriesTableDeathTest, IdsThatNoLongerRunInSequence) {
  // The short second row is skipped, so the row with ID 3 lands at position 2.
  WriteTable({Row(1).Text(), Row(2).Short(10).Text(), Row(3).Text()});
  EXPECT_EXIT(
      {
        LogToStderr();
        Load();
      },
      ::testing::ExitedWithCode(1),
      "ERROR: Country IDs in data.scenarios.Test.countries.csv must run 1, 2, 3...: line 3 has ID 3 where 2 belongs");
  WriteTable({Row(2).Text()});
  EXPECT_EXIT(
      {
        LogToStderr();
        Load();
      },
      ::testing::ExitedWithCode(1), "line 1 has ID 2 where 1 belongs");
}

}  // namespace
