// The scenario's decorations read into the map's records: the language's
// file first, malformed and misplaced lines reported and skipped, levels
// kept inside the depth range.
#include <gtest/gtest.h>

#include "core/map_skin_data.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "world/eyecandies.h"
#include "world/hex_map.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

TEST(Eyecandies, LinesFillRecordsAndBadLinesAreSkipped) {
  cTempDir dir("eyecandies");
  GameFixture g(6, 4);
  cMapa& map = g.map();
  map.ResetHexExtras();
  map.eyecandies[0].depth = 0.9f;  // left by an earlier scenario
  dir.Write("eyecandies.csv",
            "# x;y;level;clear;winter;mud\r\n"
            "\r\n"
            "2;1;30;0;0;0;1;0;2\r\n"
            "3;1;-5;1;0;1;1;1;2\r\n"
            "4;1;120;2;0;2;1;2;2\r\n"
            "1;1;3;0\r\n"
            "1;2;3;0;0;0;1;0\r\n"
            "1;3;x;0;0;0;1;0;2\r\n"
            "9;1;3;0;0;0;1;0;2\r\n");
  cLogCapture log;
  const std::wstring folder = Utf8ToWide(dir.Path().string());
  ASSERT_TRUE(LoadEyecandies(map, folder, nullptr));

  const sHexEyecandy& e = map.eyecandies[1 * 6 + 2];
  EXPECT_FLOAT_EQ(e.depth, 0.69f);
  EXPECT_EQ(e.source[0][0], 1);
  EXPECT_EQ(e.source[1][1], 168);
  EXPECT_EQ(e.source[2][1], 335);
  // The level names the layer the decoration hides, as it stands in the file.
  EXPECT_EQ(e.hiddenLayer, 30);
  EXPECT_EQ(map.eyecandies[1 * 6 + 3].hiddenLayer, -5);
  EXPECT_EQ(map.eyecandies[0].hiddenLayer, 100) << "a hex without a decoration hides nothing";
  // Levels beyond 0..39 would put the picture outside the depth range.
  EXPECT_FLOAT_EQ(map.eyecandies[1 * 6 + 3].depth, 0.99f);
  EXPECT_FLOAT_EQ(map.eyecandies[1 * 6 + 4].depth, 0.6f);
  EXPECT_LT(map.eyecandies[0].depth, 0.5f) << "the earlier decoration is gone";
  // Four fields, eight fields, a word for a number, a hex off the map.
  for (int y = 1; y <= 3; ++y) EXPECT_LT(map.eyecandies[static_cast<size_t>(y * 6 + 1)].depth, 0.5f);
  EXPECT_TRUE(log.Has(L"WARNING incorrect entry in " + folder + L"/eyecandies.csv:\n1;1;3;0"));
  EXPECT_TRUE(log.Has(L"WARNING incorrect entry in " + folder + L"/eyecandies.csv:\n1;2;3;0;0;0;1;0"));
  EXPECT_TRUE(log.Has(L"ERROR incorrect entry data format: 1;3;x;0;0;0;1;0;2"));
  EXPECT_TRUE(log.Has(L"WARNING incorrect entry in " + folder + L"/eyecandies.csv:\n9;1;3;0;0;0;1;0;2"));
}

TEST(Eyecandies, TheLanguageFileComesFirstThenThePlainOne) {
  cTempDir dir("eyecandies");
  GameFixture g(6, 4);
  const std::wstring folder = Utf8ToWide(dir.Path().string());
  const std::wstring language = L"ENG";
  cLogCapture log;
  EXPECT_FALSE(LoadEyecandies(g.map(), folder, &language));
  EXPECT_TRUE(log.Has(L"ERROR unable to load eyecandies data:"));
  EXPECT_TRUE(log.Has(folder + L"\\eyecandies_ENG.csv"));

  dir.Write("eyecandies.csv", "0;0;10;0;0;0;0;0;0\r\n");
  ASSERT_TRUE(LoadEyecandies(g.map(), folder, nullptr));
  EXPECT_FLOAT_EQ(g.map().eyecandies[0].depth, 0.89f);
  dir.Write("eyecandies_ENG.csv", "1;0;10;0;0;0;0;0;0\r\n");
  ASSERT_TRUE(LoadEyecandies(g.map(), folder, &language));
  EXPECT_LT(g.map().eyecandies[0].depth, 0.5f);
  EXPECT_FLOAT_EQ(g.map().eyecandies[1].depth, 0.89f);
}

}  // namespace
