// The readable text form of map files: exact round trips both ways, hand
// written maps and the errors that name their line.
#include "world/map_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "map_generator.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

std::vector<uint8_t> GeneratedFile(int w, int h, uint32_t seed) {
  cMapa m;
  GenerateMap(m, w, h, seed);
  sMapFileImage image;
  image.header = MakeMapFileHeader(w, h);
  for (const sHex& c : m.hexes) image.records.push_back(cMapa::HexToFileRecord(c));
  return SerializeMapFile(image);
}

TEST(MapText, FileToTextToFileIsExact) {
  std::vector<uint8_t> bytes = GeneratedFile(200, 120, 77);
  // Every byte of a record may carry something, including those the game
  // does not read, and the header may carry bytes after its text.
  bytes[268 + 36] = 0x5A;
  bytes[268 + 37 * 5 + 35] = 0xF0;
  bytes[5 + 200] = 0x11;
  bytes[261] = 0x7F;
  sMapFileImage image;
  ASSERT_EQ(ParseMapFile(bytes.data(), bytes.size(), image), eMapFileError::kNone);
  const std::string text = MapFileToText(image);
  sMapFileImage back;
  std::string error;
  ASSERT_TRUE(MapTextToFile(text, back, error)) << error;
  EXPECT_TRUE(SerializeMapFile(back) == bytes);
  // And the text of the rebuilt file is the same text.
  EXPECT_EQ(MapFileToText(back), text);
}

TEST(MapText, TextShowsRowsOfLettersAndLeavesOutEmptySections) {
  sMapFileImage image;
  image.header = MakeMapFileHeader(3, 2);
  image.records.resize(6);
  image.records[1].terrain = 2;
  image.records[2].terrain = 6;
  image.records[3].terrain = 200;
  image.records[4].owner = 4;
  image.records[5].seaZone = 1000;
  const std::string text = MapFileToText(image);
  EXPECT_NE(text.find("size 3 2\r\n"), std::string::npos);
  EXPECT_NE(text.find("header-text Map for Brennmark v1.05 created by Corvalle.\r\n"), std::string::npos);
  EXPECT_NE(text.find("header-scale 3F800000\r\n"), std::string::npos);
  EXPECT_NE(text.find("[terrain]\r\nWFM\r\n?WW\r\n"), std::string::npos);
  EXPECT_NE(text.find("[terrain-codes]\r\n0 1 200\r\n"), std::string::npos);
  EXPECT_NE(text.find("[owners]\r\n0 0 0\r\n0 4 0\r\n"), std::string::npos);
  EXPECT_NE(text.find("[sea-zones]\r\n0 0 0\r\n0 0 1000\r\n"), std::string::npos);
  EXPECT_EQ(text.find("[controllers]"), std::string::npos);
  EXPECT_EQ(text.find("[mud-01]"), std::string::npos);
}

TEST(MapText, HandWrittenMapWithCommentsAndDefaults) {
  const std::string text =
      "# a small island\n"
      "size 4 3\n"
      "\n"
      "[terrain]\n"
      "WWWW\n"
      "WPHW\n"
      "WWWW\n"
      "\n"
      "# who holds it\n"
      "[controllers]\n"
      "0 0 0 0\n"
      "0 1 2 0\n"
      "0 0 0 0\n"
      "[winter-12]\n"
      "0 0 0 0\n"
      "0 100 55 0\n"
      "0 0 0 0\n";
  sMapFileImage image;
  std::string error;
  ASSERT_TRUE(MapTextToFile(text, image, error)) << error;
  EXPECT_EQ(image.header.width, 4);
  EXPECT_EQ(image.header.height, 3);
  EXPECT_EQ(HeaderText(image.header), "Map for Brennmark v1.05 created by Corvalle.");
  EXPECT_EQ(HeaderScale(image.header), 1.0f);
  EXPECT_EQ(image.records[5].terrain, kTerrainPlain);
  EXPECT_EQ(image.records[6].terrain, kTerrainHill);
  EXPECT_EQ(image.records[6].controller, 2);
  EXPECT_EQ(image.records[5].winterChance[11], 100);
  EXPECT_EQ(image.records[5].owner, 0);

  // The game reads the result.
  ScratchDir dir;
  const std::vector<uint8_t> bytes = SerializeMapFile(image);
  dir.Write("map.hwd", std::string(bytes.begin(), bytes.end()));
  cMapa m;
  m.LoadMapFile(dir.Template());
  EXPECT_EQ(m.GetHex(2, 1)->terrain, kTerrainHill);
  EXPECT_EQ(m.GetHex(2, 1)->controller, 2);
}

TEST(MapText, ErrorsNameTheirLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"[terrain]\nW\n", "line 1: the size must come before the sections"},
      {"size 2 1\n[terrain]\nWX\n", "line 3: unknown terrain letter 'X'"},
      {"size 2 1\n[terrain]\nW\n", "line 3: a terrain row needs 2 letters"},
      {"size 2 2\n[terrain]\nWW\n", "line 4: section [terrain] needs 2 rows"},
      {"size 2 1\n[terrain]\nWW\n[owners]\n1 256\n", "line 5: \"256\" is no number of 0 to 255"},
      {"size 2 1\n[terrain]\nWW\n[owners]\n1\n", "line 5: a row of [owners] needs 2 numbers"},
      {"size 2 1\n[terrain]\nWW\n[terrain]\nWW\n", "line 4: section [terrain] given twice"},
      {"size 2 1\n[terrain]\nW?\n", "line 4: hex 1 0 is '?' without a terrain code"},
      {"size 2 1\n[terrain]\nW?\n[terrain-codes]\n0 0 9\n", "line 5: hex 0 0 is not marked '?'"},
      {"size 2 1\n[forest]\n", "line 2: unknown section [forest]"},
      {"size 0 1\n", "line 1: size needs a width and a height of 1 to 65535"},
      // A size far beyond the text is refused before any cell is made.
      {"size 65535 65535\n[terrain]\nW\n", "line 1: a map of 65535 x 65535 hexes needs more text than there is"},
      {"size 9 9\n[terrain]\nW\n", "line 1: a map of 9 x 9 hexes needs more text than there is"},
      {"size 1 1\n", "line 2: no [terrain] section"},
      {"colour red\n", "line 1: unknown line \"colour\""},
      {"size 1 1\nheader-scale 3F80\n", "line 2: header-scale needs 8 hexadecimal digits"},
  };
  for (const Case& c : cases) {
    sMapFileImage image;
    std::string error;
    EXPECT_FALSE(MapTextToFile(c.text, image, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
