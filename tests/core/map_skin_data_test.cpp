// The map skin's tables: layer depths, city appearance rows with their
// validity flags, and the choice of a row by zoom.
#include <gtest/gtest.h>

#include "core/map_skin_data.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

TEST(MapSkinDepths, LevelsAreKeptInsideTheDepthRange) {
  cTempDir dir("skin");
  sMapSkin skin;
  EXPECT_EQ(skin.Level(kLayerBorders), 34);
  EXPECT_FLOAT_EQ(skin.Depth(kLayerBorders), 1.0f - 0.02f * 17);
  // Comment lines do not count; the rows the file leaves out keep their
  // values; a level below 0 would lie behind the depth range.
  dir.Write("sprites_depth.csv", "# header\r\n45;sea\r\n0\r\n#\r\n-7;plain\r\n12\r\n");
  ReadDefinitionFile(skin, dir.WidePath("sprites_depth.csv"));
  EXPECT_EQ(skin.Level(kLayerSea), 39);
  EXPECT_FLOAT_EQ(skin.Depth(kLayerSea), 0.6f);
  EXPECT_EQ(skin.Level(kLayerVariant), 0);
  EXPECT_FLOAT_EQ(skin.Depth(kLayerVariant), 0.99f);
  EXPECT_EQ(skin.Level(kLayerPlain), 0);
  EXPECT_EQ(skin.Level(kLayerTerrain7), 12);
  EXPECT_EQ(skin.Level(kLayerTerrain4), 8);
  for (int r = 0; r < kMapLayerCount; ++r) {
    EXPECT_GE(skin.layers[r].value, 0.6f);
    EXPECT_LE(skin.layers[r].value, 1.0f);
  }
  ReadDefinitionFile(skin, dir.WidePath("missing.csv"));
  EXPECT_EQ(skin.Level(kLayerSea), 39);
}

// A section: threshold, the six picture places and pictures, the three
// texts, and the two value lines.
std::string Section(int threshold, const std::string& picture, const std::string& name) {
  std::string s = std::to_string(threshold) + "\r\n";
  s += "10;20;80;60\r\n" + picture + "\r\n";
  for (int i = 0; i < 5; ++i) s += "0;0;0;0\r\n0;0;0;0\r\n";
  s += "0;0;0;0;Arial;10;37;0;0;0;255;255;255\r\n";
  s += "0;0;0;0;Arial;10;37;0;0;0;255;255;255\r\n";
  s += name + "\r\n0;0;0;0\r\n1;1;2;2\r\n";
  return s;
}

TEST(MapSkinAppearance, SectionsFillRowsAndFlagsAndTheZoomChoosesOne) {
  cTempDir dir("skin");
  std::string file = "#AP;5;6;30;40;Arial;22;75;1;2;3;250;251;252\r\n; a comment\r\n";
  file += Section(100, "1;1;81;61", "-20;100;200;30;Arial;18;75;0;0;0;255;255;0");
  file += "#\r\n" + Section(60, "0;0;0;61", "0;0;0;0;Arial;18;75;0;0;0;255;255;0");
  file += "#\r\n" + Section(30, "1;1;81;61", "5;5;0;30;Arial;18;75;0;0;0;255;255;0");
  file += "line 18 of the section\r\n";
  // The fourth section is never closed: it gets no flags.
  file += "#\r\n" + Section(10, "1;1;81;61", "-20;100;200;30;Arial;18;75;0;0;0;255;255;0");
  dir.Write("appearance.csv", file);

  sMapSkin skin;
  for (sCityAppearanceRow& r : skin.rows) r.threshold = 77;  // from an earlier skin
  cLogCapture log;
  ASSERT_TRUE(ReadAppearanceFile(skin, dir.WidePath("appearance.csv")));
  EXPECT_TRUE(log.HasPrefix(L"WARNING appearance line beyond its section ignored"));

  EXPECT_EQ(skin.headerRect[0], 5);
  EXPECT_EQ(skin.headerRect[3], 46);
  EXPECT_EQ(skin.headerFont.face, L"Arial");
  EXPECT_EQ(skin.headerFont.weight, 75 * 8 + 100);
  EXPECT_EQ(skin.headerFont.color1, 0xFF010203u);

  const sCityAppearanceRow& r0 = skin.rows[0];
  EXPECT_EQ(r0.threshold, 100);
  EXPECT_EQ(r0.entries[0][2], 90) << "places are stored as left, top, right, bottom";
  EXPECT_EQ(r0.entries[6][2], 81) << "pictures as they stand";
  EXPECT_EQ(r0.entries[14][2], 180);
  EXPECT_EQ(r0.fonts[2].height, 18);
  EXPECT_EQ(r0.fonts[2].color2, 0xFFFFFF00u);
  EXPECT_EQ(r0.entries[16][3], 2);
  EXPECT_EQ(r0.valid[kCityPicture], 1);
  EXPECT_EQ(r0.valid[kCityNameText], 1);
  EXPECT_EQ(r0.valid[kCityTextOffsets], 1);
  EXPECT_EQ(r0.valid[kCityFlag], 0);
  // A picture with a third value 0, and a text without width, are not drawn.
  EXPECT_EQ(skin.rows[1].valid[kCityPicture], 0);
  EXPECT_EQ(skin.rows[2].valid[kCityNameText], 0);
  EXPECT_EQ(skin.rows[3].threshold, 10);
  EXPECT_EQ(skin.rows[3].valid[kCityPicture], 0);
  // Rows the file does not reach never qualify.
  for (int r = 4; r < kCityAppearanceRows; ++r) EXPECT_EQ(skin.rows[r].threshold, -100);

  // Zoom 0.5 with thresholds 100, 60, 30, 10: rows 0 and 1 qualify, the last wins.
  EXPECT_EQ(SelectCityAppearanceRow(skin, 0.5f), 50);
  EXPECT_EQ(skin.currentRow, 1);
  SelectCityAppearanceRow(skin, 0.05f);
  EXPECT_EQ(skin.currentRow, 3);
  // Nothing qualifies: the current row stays.
  SelectCityAppearanceRow(skin, 1.5f);
  EXPECT_EQ(skin.currentRow, 3);

  EXPECT_FALSE(ReadAppearanceFile(skin, dir.WidePath("none.csv")));
  EXPECT_EQ(skin.currentRow, 3) << "a missing file changes nothing";
  EXPECT_EQ(skin.rows[0].threshold, 100);
}

TEST(MapSkinAppearance, TheShippedSkinHasThreeRowsForFarMiddleAndNear) {
  sMapSkin skin;
  const std::wstring folder = Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/gfx/[MapSkin]Normal/");
  ASSERT_TRUE(ReadAppearanceFile(skin, folder + L"appearance.csv"));
  EXPECT_EQ(skin.rows[0].threshold, 101) << "the whole map on the screen still has a row";
  EXPECT_EQ(skin.rows[1].threshold, 60);
  EXPECT_EQ(skin.rows[2].threshold, 20);
  EXPECT_EQ(skin.rows[3].threshold, -100);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(skin.rows[r].valid[kCityPicture], 1) << r;
    EXPECT_EQ(skin.rows[r].valid[kCityVictoryMarker], 1) << r;
  }
  EXPECT_EQ(skin.rows[2].valid[kCityNameText], 1);
  EXPECT_EQ(skin.rows[2].valid[kCityVictoryText], 1);
  ReadDefinitionFile(skin, folder + L"sprites_depth.csv");
  // Ground at the back, then borders, cities and units in front.
  const eMapLayer order[] = {kLayerSea, kLayerPlain, kLayerRivers, kLayerBorders, kLayerCity, kLayerUnit};
  for (int i = 1; i < 6; ++i) EXPECT_GT(skin.Depth(order[i - 1]), skin.Depth(order[i])) << i;
}

}  // namespace
