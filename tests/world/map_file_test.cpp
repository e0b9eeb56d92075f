// The map file: layout, reading, writing, the fatal data errors and the map
// rebuild with its side files.
#include "world/map_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/front_end.h"
#include "world/hex_map.h"
#include "map_generator.h"
#include "support/unit_fixtures.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

// A map file made by the format's own encoder.
std::vector<uint8_t> FileOf(int width, int height, const std::vector<sHexFileRecord>& records) {
  sMapFileImage image;
  image.header = MakeMapFileHeader(width, height);
  image.records = records;
  return SerializeMapFile(image);
}

sHexFileRecord LandRecord(uint8_t terrain = kTerrainPlain) {
  sHexFileRecord r;
  r.terrain = terrain;
  return r;
}

class MapFileTest : public ::testing::Test {
 protected:
  void WriteMap(const std::vector<uint8_t>& file) { dir_.Write("map.hwd", Bytes(file)); }
  // Reading the folder's map must end the program with a log line matching
  // the pattern.
  void ExpectLoadingEnds(const std::string& pattern) {
    const std::wstring tmpl = dir_.Template();
    EXPECT_EXIT(
        {
          LogToStderr();
          cMapa m;
          m.LoadMapFile(tmpl);
        },
        ::testing::ExitedWithCode(1), pattern);
  }

  ScratchDir dir_;
};

// ---- layout --------------------------------------------------------------

TEST_F(MapFileTest, HeaderAndRecordLayout) {
  cMapa m;
  m.Create(3, 2);
  sHex& h = *m.GetHex(1, 1);
  h.terrain = 5;
  h.fileByte1 = 0xA1;
  h.rivers = 0x21;
  h.seaZone = 0x1234;
  h.tileVariant = 9;
  h.controller = 3;
  h.owner = 4;
  h.originalOwner = 6;
  h.fort = 2;
  for (int i = 0; i < 12; ++i) {
    h.mudChance[i] = static_cast<uint8_t>(10 + i);
    h.winterChance[i] = static_cast<uint8_t>(40 + i);
  }
  h.weather = 2;
  ASSERT_TRUE(m.SaveMapFile(dir_.Wide(), nullptr));
  const std::vector<uint8_t> f = dir_.Read("map.hwd");
  ASSERT_EQ(f.size(), 268u + 37u * 6u);
  EXPECT_EQ(std::string(f.begin(), f.begin() + 5), "HwDv1");
  EXPECT_STREQ(reinterpret_cast<const char*>(&f[5]), "Map for Brennmark v1.05 created by Corvalle.");
  float one;
  std::memcpy(&one, &f[260], 4);
  EXPECT_EQ(one, 1.0f);
  EXPECT_EQ(f[264] | (f[265] << 8), 3);
  EXPECT_EQ(f[266] | (f[267] << 8), 2);
  const uint8_t* r = &f[268 + 37 * (1 * 3 + 1)];
  EXPECT_EQ(r[0], 5);
  EXPECT_EQ(r[1], 0xA1);
  EXPECT_EQ(r[2], 0x21);
  EXPECT_EQ(r[3], 0x34);
  EXPECT_EQ(r[4], 0x12);
  EXPECT_EQ(r[5], 9);
  EXPECT_EQ(r[6], 3);
  EXPECT_EQ(r[7], 4);
  EXPECT_EQ(r[8], 6);
  EXPECT_EQ(r[9], 2);
  EXPECT_EQ(r[10], 10);
  EXPECT_EQ(r[21], 21);
  EXPECT_EQ(r[22], 40);
  EXPECT_EQ(r[33], 51);
  EXPECT_EQ(r[34], 2);
  EXPECT_EQ(r[35], 0);
  EXPECT_EQ(r[36], 0);
}

TEST_F(MapFileTest, OneHexMapIs305Bytes) {
  WriteMap(FileOf(1, 1, {LandRecord()}));
  EXPECT_EQ(dir_.Read("map.hwd").size(), 305u);
  cMapa m;
  m.LoadMapFile(dir_.Template());
  EXPECT_EQ(m.width, 1);
  EXPECT_EQ(m.height, 1);
  ASSERT_TRUE(m.SaveMapFile(dir_.Wide(), nullptr));
  EXPECT_EQ(dir_.Read("map.hwd").size(), 305u);
}

// ---- reading ------------------------------------------------------------

TEST_F(MapFileTest, ReadingFillsCellsAndTheSideTables) {
  std::vector<sHexFileRecord> recs(4 * 3, LandRecord());
  recs[0].terrain = kTerrainSea;
  recs[0].controller = recs[0].owner = recs[0].originalOwner = 7;
  recs[0].fort = 2;
  recs[5].seaZone = 4;
  recs[5].rivers = 1 << 0;  // (1, 1), odd column: side 0 reaches the sea at (0, 0), its direction 5
  recs[6].flags = kHexFlagNoWeatherRoll;
  recs[7].flags = kHexFlagCoastal;
  recs[7].weather = 1;
  WriteMap(FileOf(4, 3, recs));
  unit_test::LoadShippedStrings();
  LogCapture log;
  gCurrentMapScale = 1.0f;
  cMapa m;
  m.LoadMapFile(dir_.Template());
  ASSERT_EQ(m.hexes.size(), 12u);
  EXPECT_EQ(log.lines[0], L"------ Loading map ------");
  EXPECT_TRUE(log.Has(L"Map size: 4x3"));
  EXPECT_TRUE(log.Has(L"Loading hexes data..."));
  EXPECT_EQ(log.lines.back(), L"Loading map from " + dir_.Wide() + L"/map.hwd... OK");
  // A sea cell read with owners and a fort ends with none.
  EXPECT_EQ(m.GetHex(0, 0)->controller, 0);
  EXPECT_EQ(m.GetHex(0, 0)->owner, 0);
  EXPECT_EQ(m.GetHex(0, 0)->originalOwner, 0);
  EXPECT_EQ(m.GetHex(0, 0)->fort, 0);
  EXPECT_EQ(m.GetHex(0, 0)->rivers, 0x40 | (1 << 0));
  const sHex* c = m.GetHex(1, 1);
  EXPECT_EQ(c->x, 1);
  EXPECT_EQ(c->y, 1);
  EXPECT_EQ(c->markValue, -1);
  EXPECT_EQ(c->marks, 0u);
  EXPECT_EQ(c->borders, 0);
  EXPECT_EQ(c->city, nullptr);
  EXPECT_EQ(m.GetHex(2, 1)->weatherApplies, 0);
  EXPECT_EQ(m.GetHex(2, 1)->coastal, 0);
  EXPECT_EQ(m.GetHex(3, 1)->weatherApplies, 1);
  EXPECT_EQ(m.GetHex(3, 1)->coastal, 1);
  EXPECT_EQ(m.GetHex(3, 1)->weather, 1u);
  EXPECT_EQ(m.GetCoastalHexesOfZone(4), (std::vector<sHexPoint>{{1, 1}}));
  EXPECT_EQ(m.aiLayer.size(), 12u);
  EXPECT_EQ(m.eyecandies.size(), 12u);
  const float fit = std::min(1024.0f / (4 * 83), 768.0f / (3 * 98));
  EXPECT_EQ(m.fitScale, fit);
  EXPECT_EQ(gCurrentMapScale, fit);
  EXPECT_EQ(m.cameraMaxX, 4 * 83);
}

TEST_F(MapFileTest, CoastalHexExemptFromWeatherStaysExempt) {
  cMapa m;
  m.Create(2, 1);
  m.GetHex(0, 0)->coastal = 1;
  m.GetHex(0, 0)->weatherApplies = 0;
  m.GetHex(1, 0)->weatherApplies = 0;
  ASSERT_TRUE(m.SaveMapFile(dir_.Wide(), nullptr));
  const std::vector<uint8_t> f = dir_.Read("map.hwd");
  EXPECT_EQ(f[268 + 35], kHexFlagCoastal | kHexFlagNoWeatherRoll);
  EXPECT_EQ(f[268 + 37 + 35], kHexFlagNoWeatherRoll);
  cMapa back;
  back.LoadMapFile(dir_.Template());
  EXPECT_EQ(back.GetHex(0, 0)->coastal, 1);
  EXPECT_EQ(back.GetHex(0, 0)->weatherApplies, 0);
  EXPECT_EQ(back.GetHex(1, 0)->weatherApplies, 0);
}

TEST_F(MapFileTest, LargeGeneratedMapRoundTripsByteForByte) {
  cMapa m;
  GenerateMap(m, 200, 120, 2024);
  ASSERT_TRUE(m.SaveMapFile(dir_.Wide(), nullptr));
  const std::vector<uint8_t> first = dir_.Read("map.hwd");
  ASSERT_EQ(first.size(), MapFileSize(200, 120));

  // Every field of the file varies somewhere.
  sMapFileImage image;
  ASSERT_EQ(ParseMapFile(first.data(), first.size(), image), eMapFileError::kNone);
  std::set<int> terrains, flags, weathers;
  for (const sHexFileRecord& r : image.records) {
    terrains.insert(r.terrain);
    flags.insert(r.flags);
    weathers.insert(r.weather);
  }
  EXPECT_GT(terrains.size(), 8u);
  EXPECT_EQ(flags, (std::set<int>{0, 1, 2, 3}));
  EXPECT_EQ(weathers, (std::set<int>{0, 1, 2}));

  cMapa back;
  back.LoadMapFile(dir_.Template());
  for (size_t i = 0; i < m.hexes.size(); ++i) {
    const sHex& a = m.hexes[i];
    const sHex& b = back.hexes[i];
    ASSERT_EQ(cMapa::HexToFileRecord(a), cMapa::HexToFileRecord(b)) << "cell " << i;
    ASSERT_EQ(a.coastal, b.coastal);
    ASSERT_EQ(a.weatherApplies, b.weatherApplies);
  }
  ASSERT_TRUE(back.SaveMapFile(dir_.Wide(), nullptr));
  EXPECT_TRUE(dir_.Read("map.hwd") == first);
}

// ---- fatal data errors ---------------------------------------------------

using MapFileDeathTest = MapFileTest;

TEST_F(MapFileDeathTest, MissingFile) { ExpectLoadingEnds("Loading from .*map.hwd... FAILED"); }

TEST_F(MapFileDeathTest, WrongMagicInAnyByte) {
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE("byte " + std::to_string(i));
    std::vector<uint8_t> f = FileOf(1, 1, {LandRecord()});
    f[static_cast<size_t>(i)] ^= 0x20;
    WriteMap(f);
    ExpectLoadingEnds("ERROR: Wrong map file version");
  }
}

TEST_F(MapFileDeathTest, EmptyFileAndShortHeader) {
  for (size_t size : {size_t{0}, size_t{4}, kMapHeaderSize - 1}) {
    SCOPED_TRACE("size " + std::to_string(size));
    std::vector<uint8_t> f = FileOf(1, 1, {LandRecord()});
    f.resize(size);
    WriteMap(f);
    ExpectLoadingEnds("ERROR: Map file .*map.hwd is too short for its header");
  }
}

TEST_F(MapFileDeathTest, ZeroWidthOrHeight) {
  for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}}) {
    WriteMap(FileOf(w, h, {}));
    ExpectLoadingEnds("ERROR: Map cannot have 0 heigth or 0 width");
  }
}

TEST_F(MapFileDeathTest, HeaderPromisesMoreCellsThanTheFileHolds) {
  // Truncated in the last record.
  std::vector<uint8_t> f = FileOf(3, 3, std::vector<sHexFileRecord>(9, LandRecord()));
  f.pop_back();
  WriteMap(f);
  ExpectLoadingEnds("ERROR: Map file .*map.hwd is truncated: 600 bytes, a 3x3 map needs 601");
  // A header claiming the largest size over a one-cell file.
  f = FileOf(1, 1, {LandRecord()});
  f[264] = f[265] = f[266] = f[267] = 0xFF;
  WriteMap(f);
  ExpectLoadingEnds("truncated: 305 bytes, a 65535x65535 map needs");
}

TEST_F(MapFileTest, BytesAfterTheLastRecordAreIgnored) {
  std::vector<uint8_t> f = FileOf(2, 1, {LandRecord(3), LandRecord(4)});
  f.push_back(0xEE);
  WriteMap(f);
  cMapa m;
  m.LoadMapFile(dir_.Template());
  EXPECT_EQ(m.GetHex(1, 0)->terrain, 4);
}

// ---- writing -------------------------------------------------------------

TEST_F(MapFileTest, WritingIntoAFolderThatCannotBeOpened) {
  cMapa m;
  m.Create(2, 2);
  LogCapture log;
  const std::wstring folder = dir_.Wide() + L"/no/such/folder";
  EXPECT_FALSE(m.SaveMapFile(folder, nullptr));
  EXPECT_TRUE(log.Has(L"Saving map to \"" + folder + L"\\map.hwd\" FAILED"));
  const std::wstring tmpl = folder + L"/%s";
  EXPECT_FALSE(m.SaveMapFile(L"", &tmpl));
  EXPECT_TRUE(log.Has(L"Saving map to \"" + folder + L"/output_map.hwd\" FAILED"));
}

// ---- the map rebuild -----------------------------------------------------

class MapRebuildTest : public MapFileTest {
 protected:
  void SetUp() override {
    cMapa m;
    m.Create(8, 8);
    for (sHex& h : m.hexes) {
      h.terrain = kTerrainPlain;
      h.winterChance[0] = 200;
    }
    ASSERT_TRUE(m.SaveMapFile(dir_.Wide(), nullptr));
  }
  // The rebuilt map as read back.
  void ReadOutput(cMapa& out) {
    std::vector<uint8_t> f = dir_.Read("output_map.hwd");
    ASSERT_FALSE(f.empty());
    dir_.Write("check/map.hwd", Bytes(f));
    out.LoadMapFile(dir_.Wide() + L"/check/%s");
  }
};

TEST_F(MapRebuildTest, AreasAddTheirMonthlyValuesWithinTheirRows) {
  dir_.Write("winter_area.csv",
             "# x1;y1;x2;y2;months\r\n"
             "3;4;5;6;100;1;2;3;4;5;6;7;8;9;10;11\r\n"
             "  \r\n"
             "5;5;6;7;0;0;0;0;0;0;0;0;0;0;0;9\r\n");
  dir_.Write("mud_area.csv", "0;0;0;1;1;2;3;4;5;6;7;8;9;10;11;12\n");
  dir_.Write("weather.csv", "2;2;1;1\r\n2;3;2;0\r\n2;4;1;7\r\n");
  cMapa::LoadFromFile(dir_.Template());
  cMapa out;
  ReadOutput(out);
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      const bool inFirst = x >= 3 && x <= 5 && y >= 4 && y < 6;
      EXPECT_EQ(out.GetHex(x, y)->winterChance[0], inFirst ? 44 : 200) << x << "," << y;
      EXPECT_EQ(out.GetHex(x, y)->winterChance[1], inFirst ? 1 : 0);
    }
  }
  // Two areas over one cell both add.
  EXPECT_EQ(out.GetHex(5, 5)->winterChance[11], 11 + 9);
  EXPECT_EQ(out.GetHex(6, 6)->winterChance[11], 9);
  EXPECT_EQ(out.GetHex(0, 0)->mudChance[11], 12);
  EXPECT_EQ(out.GetHex(0, 1)->mudChance[11], 0);
  EXPECT_EQ(out.GetHex(2, 2)->weather, 1u);
  EXPECT_EQ(out.GetHex(2, 2)->weatherApplies, 1);
  EXPECT_EQ(out.GetHex(2, 3)->weather, 2u);
  EXPECT_EQ(out.GetHex(2, 3)->weatherApplies, 0);
  EXPECT_EQ(out.GetHex(2, 4)->weatherApplies, 0);
}

TEST_F(MapRebuildTest, EmptyMonthlyFieldsCountAsZeroWithAWarning) {
  dir_.Write("mud_area.csv", "# legend\r\n1;1;1;2;5;;5;5;5;5;5;5;5;5;5;5\r\n1;1;1;2;1;1\r\n");
  LogCapture log;
  cMapa::LoadFromFile(dir_.Template());
  const std::wstring path = dir_.Wide() + L"/mud_area.csv";
  EXPECT_TRUE(log.Has(L"WARNING: empty field in file " + path + L" (line 2)"));
  EXPECT_TRUE(log.Has(L"WARNING: empty field in file " + path + L" (line 3)"));
  cMapa out;
  ReadOutput(out);
  EXPECT_EQ(out.GetHex(1, 1)->mudChance[0], 6);
  EXPECT_EQ(out.GetHex(1, 1)->mudChance[1], 1);
  EXPECT_EQ(out.GetHex(1, 1)->mudChance[2], 5);
}

TEST_F(MapRebuildTest, RowsOutsideTheMapAreSkippedWithAWarning) {
  dir_.Write("weather.csv", "8;0;1;1\r\n-1;3;1;1\r\n0;0;2;1\r\n1;1;2\r\n");
  dir_.Write("winter_area.csv", "20;20;30;30;1;1;1;1;1;1;1;1;1;1;1;1\r\n7;7;12;12;3;3;3;3;3;3;3;3;3;3;3;3\r\n");
  LogCapture log;
  cMapa::LoadFromFile(dir_.Template());
  EXPECT_EQ(log.CountContaining(L"WARNING"), 4);
  EXPECT_TRUE(log.Has(L"WARNING: too few fields in file " + dir_.Wide() + L"/weather.csv (line 4); line skipped"));
  cMapa out;
  ReadOutput(out);
  EXPECT_EQ(out.GetHex(0, 0)->weather, 2u);
  EXPECT_EQ(out.GetHex(1, 1)->weather, 0u);  // the short line
  // The area reaching past the edge touches the cells on the map only.
  EXPECT_EQ(out.GetHex(7, 7)->winterChance[0], 203);
}

TEST_F(MapRebuildTest, MissingSideFilesAndTheRunningGameMap) {
  GameFixture g(3, 3);
  g.hex(1, 1).SetMark(64, 2);
  sHex* before = g.game->map->GetHex(1, 1);
  LogCapture log;
  cMapa::LoadFromFile(dir_.Template());
  EXPECT_EQ(log.CountContaining(L"ERROR: file does not exist"), 3);
  EXPECT_LT(log.IndexOf(L"Loading weather state from weather.csv"), log.IndexOf(L"Loading winter_area.csv"));
  EXPECT_LT(log.IndexOf(L"Loading winter_area.csv"), log.IndexOf(L"Loading mud_area.csv"));
  // The game's own map keeps its cells.
  EXPECT_EQ(g.game->map->width, 3);
  EXPECT_EQ(g.game->map->GetHex(1, 1), before);
  EXPECT_EQ(before->marks, 64u);
  // The output is the source map again.
  EXPECT_TRUE(dir_.Read("output_map.hwd") == dir_.Read("map.hwd"));
}

}  // namespace
