#include "gui/gui_layout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

class GuiLayoutTest : public cOneFileTest {
 protected:
  GuiLayoutTest() : cOneFileTest("gui", "GUI_800x600.csv") {}
  void TearDown() override {
    std::filesystem::current_path(cwd_);
    cOneFileTest::TearDown();
  }
  // Lines joined with CR LF, as the shipped tables are.
  void Load(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* l : lines) text += std::string(l) + "\r\n";
    Write(text);
    LoadGuiLayoutFrom(Path());
  }
  static std::vector<int32_t> Values(const sGuiRect& r) { return {r.x, r.y, r.w, r.h}; }

  std::filesystem::path cwd_ = std::filesystem::current_path();
};

TEST_F(GuiLayoutTest, SectionsRectanglesAreasAndFonts) {
  GuiLayoutTable[1200] = {0, 0, 0, 0};
  cLogCapture log;
  Load({"60;1;2;3;4",  // before the first "#": not a row
        "# rectangles",
        "20;10;20;100;50",
        "500;5;6;70;80;99;98",
        "315;100;50;600;400",
        "",
        "# fonts",
        "1;Arial;15;75;255;200;300;0;0;0",
        "# a comment among the fonts",
        "7;Times New Roman;15;37;10;20;30;40;50;60",
        "3;Courier New;12;0;-1;256;1;1;2;3"});
  EXPECT_EQ(Values(GuiRect(60)), (std::vector<int32_t>{-1, -1, -1, -1}));
  // Area ids hold left, top, right, bottom; controls x, y, width, height.
  EXPECT_EQ(Values(GuiRect(20)), (std::vector<int32_t>{10, 20, 110, 70}));
  EXPECT_EQ(Values(GuiRect(500)), (std::vector<int32_t>{5, 6, 70, 80}));
  EXPECT_EQ(Values(GuiRect(600)), (std::vector<int32_t>{-1, -1, -1, -1}));
  EXPECT_EQ(Values(GuiRect(1200)), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(Values(GuiRect(1500)), (std::vector<int32_t>{-1, -1, -1, -1}));
  EXPECT_EQ(Values(gMapFrameRect), (std::vector<int32_t>{98, 48, 704, 454}));

  const sFontRecord* f1 = GuiFont(1);
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->face, L"Arial");
  EXPECT_EQ(f1->height, 15);
  EXPECT_EQ(f1->weight, 700);
  EXPECT_EQ(f1->color1, 0xFFFFC82Cu);  // a component of 300 is 44
  EXPECT_EQ(f1->color2, 0xFF000000u);
  EXPECT_EQ(GuiFont(3)->color1, 0xFFFF0001u);
  EXPECT_EQ(GuiFont(3)->weight, 100);
  EXPECT_EQ(GuiFont(7)->face, L"Times New Roman");
  EXPECT_EQ(GuiFont(0), nullptr);
  EXPECT_EQ(GuiFont(19), nullptr);
  // No font 8 row: font 7 at three quarters of its height.
  EXPECT_EQ(GuiFont(8)->face, L"Times New Roman");
  EXPECT_EQ(GuiFont(8)->height, 11);
  EXPECT_EQ(GuiFont(8)->color2, GuiFont(7)->color2);
  EXPECT_TRUE(log.Has(L"Loading GUI coordinates nad fonts from \"" + Path() + L"\"... OK"));
  EXPECT_EQ(log.CountContaining(L"WARNING"), 0);
}

TEST_F(GuiLayoutTest, RowsOutsideTheTablesAreSkippedWithTheirLine) {
  cLogCapture log;
  Load({"#", "1500;1;1;1;1", "-1;1;1;1;1", "1499;1;2;3;4", "60;1;2", "#", "0;Arial;9;0;0;0;0;0;0;0",
        "19;Arial;9;0;0;0;0;0;0;0", "2;Arial;9", "8;Arial;20;0;0;0;0;0;0;0"});
  const std::wstring at = L"WARNING: " + Path() + L" line ";
  EXPECT_TRUE(log.Has(at + L"2: layout id 1500 outside 0..1499, row skipped"));
  EXPECT_TRUE(log.Has(at + L"3: layout id -1 outside 0..1499, row skipped"));
  EXPECT_TRUE(log.Has(at + L"5 has 3 fields, 5 needed"));
  EXPECT_TRUE(log.Has(at + L"7: font number 0 outside 1..18, row skipped"));
  EXPECT_TRUE(log.Has(at + L"8: font number 19 outside 1..18, row skipped"));
  EXPECT_TRUE(log.Has(at + L"9 has 3 fields, 10 needed"));
  EXPECT_EQ(log.CountContaining(L"WARNING"), 6);
  EXPECT_EQ(Values(GuiRect(1499)), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(Values(GuiRect(60)), (std::vector<int32_t>{-1, -1, -1, -1}));
  EXPECT_EQ(GuiFont(8)->height, 20);
}

TEST_F(GuiLayoutTest, FontEightIsCopiedOnlyWhenTheFileHasNone) {
  // Fonts past 8 without a font 8 row: still copied from font 7.
  Load({"#", "#", "7;Arial;15;0;1;2;3;4;5;6", "12;Arial;30;0;0;0;0;0;0;0"});
  EXPECT_EQ(GuiFont(8)->height, 11);
  EXPECT_EQ(GuiFont(8)->color1, 0xFF010203u);
  // A font 8 row followed by a lower font keeps its own font 8.
  Load({"#", "#", "7;Arial;15;0;0;0;0;0;0;0", "8;Verdana;13;0;0;0;0;0;0;0", "3;Arial;10;0;0;0;0;0;0;0"});
  EXPECT_EQ(GuiFont(8)->face, L"Verdana");
  EXPECT_EQ(GuiFont(8)->height, 13);
}

TEST_F(GuiLayoutTest, FileWithoutSectionLinesTakesNoRows) {
  cLogCapture log;
  Load({"20;1;2;3;4", "1;Arial;15;0;0;0;0;0;0;0"});
  EXPECT_EQ(Values(GuiRect(20)), (std::vector<int32_t>{-1, -1, -2, -2}));
  EXPECT_TRUE(log.HasPrefix(L"Loading GUI coordinates nad fonts from"));
}

TEST_F(GuiLayoutTest, ShippedTableOfTheSettingsResolution) {
  std::filesystem::current_path(BRENNMARK_GAME_DIR);
  gProgramSettings.resolutionX = 1024;
  gProgramSettings.resolutionY = 768;
  EXPECT_EQ(GuiLayoutFileName(1024, 768), L"data\\GUI_1024x768.csv");
  cLogCapture log;
  LoadGuiLayout();
  EXPECT_TRUE(log.Has(L"Loading GUI coordinates nad fonts from \"data\\GUI_1024x768.csv\"... OK"));
  EXPECT_EQ(log.CountContaining(L"WARNING"), 0);
  for (int n = 1; n <= kGuiFonts; ++n) {
    EXPECT_FALSE(GuiFont(n)->face.empty()) << n;
    EXPECT_GT(GuiFont(n)->height, 0) << n;
  }
  EXPECT_GT(GuiRect(315).w, 0);
}

TEST_F(GuiLayoutTest, MissingTableEndsTheProgram) {
  EXPECT_EXIT(
      {
        LogToStderr();
        LoadGuiLayoutFrom(Path());
      },
      ::testing::ExitedWithCode(1), "Loading GUI coordinates from \".*GUI_800x600.csv\"\\.\\.\\. FAILED");
}

TEST(AlignRect, FitsASquareLeftCentreOrRight) {
  const struct {
    sGuiRect in;
    int horizontal, vertical;
    sGuiRect out;
    float scale;
  } cases[] = {
      {{0, 0, 100, 50}, 0, 0, {0, 0, 50, 50}, 0.5f},   {{0, 0, 100, 50}, 2, 0, {50, 0, 50, 50}, 0.5f},
      {{0, 0, 100, 50}, 1, 1, {25, 0, 50, 50}, 0.5f},  {{10, 10, 101, 50}, 7, 2, {35, 10, 50, 50}, 50.0f / 101.0f},
      {{0, 0, 40, 100}, 1, 2, {0, 60, 40, 40}, 1.0f},  {{0, 0, 40, 100}, 0, 1, {0, 30, 40, 40}, 1.0f},
      {{5, 5, 0, 30}, 1, 1, {5, 20, 0, 0}, 0.0f},
  };
  for (const auto& c : cases) {
    sGuiRect r = c.in;
    EXPECT_FLOAT_EQ(AlignRect(r, c.horizontal, c.vertical), c.scale);
    EXPECT_EQ(r.x, c.out.x);
    EXPECT_EQ(r.y, c.out.y);
    EXPECT_EQ(r.w, c.out.w);
    EXPECT_EQ(r.h, c.out.h);
  }
}

}  // namespace
