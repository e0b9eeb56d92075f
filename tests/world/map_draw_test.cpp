// What the map draws, recorded without pixels: the worked examples of the
// hex layers, the visible range, display mode 1's omissions, a city by its
// appearance row and a port's node picture.
#include <gtest/gtest.h>

#include "core/map_skin_data.h"
#include "support/recording_front_end.h"
#include "support/log_capture.h"
#include "support/recording_draw_target.h"
#include "world/city.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

constexpr sDrawRect Cell(int col, int row) { return {1 + 167 * col, 1 + 167 * row, 166, 166}; }

class MapDraw : public ::testing::Test {
 protected:
  MapDraw() : scope_(&fe_), g_(20, 10, 2) {
    gGra = g_.game;
    gMapSkin = sMapSkin{};
    gCurrentMapScale = gTargetMapScale = 1.0f;
  }
  ~MapDraw() override { gMapSkin = sMapSkin{}; }

  // One hex drawn alone at (0, 0).
  void DrawHex(int x, int y, int mode = 0) {
    const sHexEyecandy* e = &g_.map().eyecandies[static_cast<size_t>(y * 20 + x)];
    if (mode == 0) g_.hex(x, y).Draw(t_, display_, 0, 0, e, 0);
    if (mode == 1) g_.hex(x, y).DrawVariant(t_, 0, 0, e);
  }
  std::vector<cRecordingDrawTarget::sCall> Layer(eSkinPicture p) const { return t_.SpritesFrom(p); }

  cRecordingFrontEnd fe_;
  cFrontEndScope scope_;
  GameFixture g_;
  cRecordingDrawTarget t_;
  sMapDisplay display_;
};

TEST_F(MapDraw, WinterRoughDrawsItsRowOverTheWinterPlain) {
  g_.map().ResetHexExtras();
  sHex& h = g_.hex(3, 3);
  h.terrain = kTerrainRough;
  h.weather = kWeatherWinter;
  DrawHex(3, 3);
  const auto terrain = Layer(kPictureMapTerrain);
  ASSERT_EQ(terrain.size(), 2u);
  EXPECT_EQ(terrain[0].source, Cell(0, 10));
  EXPECT_FLOAT_EQ(terrain[0].depth, gMapSkin.Depth(kLayerTerrain3));
  EXPECT_EQ(terrain[1].source, (sDrawRect{1, 502 + 167, 166, 166}));
  EXPECT_FLOAT_EQ(terrain[1].depth, gMapSkin.Depth(kLayerPlain) - 0.01f);
}

TEST_F(MapDraw, HiddenRiversMarksAndBorders) {
  g_.map().ResetHexExtras();
  g_.hex(2, 2).rivers = 0x0E;
  g_.hex(4, 2).rivers = 0x0E;
  g_.map().eyecandies[2 * 20 + 2].hiddenLayer = gMapSkin.Level(kLayerRivers);
  DrawHex(2, 2);
  for (int col : {0, 2, 4}) EXPECT_FALSE(t_.Drew(kPictureMapOthers, Cell(col, 0)));
  t_.Clear();
  DrawHex(4, 2);
  // Sides 1, 2, 3 in the columns of variant 0.
  EXPECT_TRUE(t_.Drew(kPictureMapOthers, Cell(0, 0)));
  EXPECT_TRUE(t_.Drew(kPictureMapOthers, Cell(2, 0)));
  EXPECT_TRUE(t_.Drew(kPictureMapOthers, Cell(4, 0)));

  // The lowest mark bit chooses the picture: bit 6 is the second row.
  t_.Clear();
  g_.hex(5, 5).marks = 0x40 | 0x400;
  DrawHex(5, 5);
  EXPECT_TRUE(t_.Drew(kPictureMapOthers, {1003, 167, 166, 166}));

  // Owner borders in border mode 2 take the border colour; controller bits
  // are not drawn then; sea-zone borders are untinted.
  t_.Clear();
  display_.borderColour = 0xFF00FF00u;
  g_.hex(6, 6).borders = 0x1 | 0x10 | 0x100;
  DrawHex(6, 6);
  int borders = 0;
  for (const auto& c : Layer(kPictureMapOthers)) {
    if (c.depth != gMapSkin.Depth(kLayerBorders)) continue;
    ++borders;
    if (c.source == Cell(0, 4)) {
      EXPECT_EQ(c.colour, 0xFF00FF00u);
    } else {
      EXPECT_EQ(c.source, Cell(5, 4));
      EXPECT_EQ(c.colour, kDrawWhite);
    }
  }
  EXPECT_EQ(borders, 2);
}

TEST_F(MapDraw, RenderWalksOnlyTheVisibleHexesOfTheMap) {
  g_.map().ResetHexExtras();
  g_.map().SetCameraAt(0, 0);
  t_.transform = sDrawTransform::Scaling(3.0f);
  g_.map().Render(t_, display_, 0);
  // The view starts left of the map: columns below 0 are skipped rather
  // than drawn as the cell the map answers for a point outside it.
  const float ox = static_cast<float>(static_cast<int>(512 - g_.map().cameraX));
  const float oy = static_cast<float>(static_cast<int>(384 - g_.map().cameraY));
  int corner = 0, plains = 0;
  for (const auto& c : Layer(kPictureMapTerrain)) {
    ++plains;
    EXPECT_GE(c.x, ox);
    if (c.x == ox && c.y == oy + 49) ++corner;
  }
  EXPECT_EQ(corner, 1);
  const int rowTo = std::min(g_.map().firstRow + g_.map().visibleRowsAtScale / 2 + 2, 10);
  const int colTo = std::min(g_.map().firstColumn + g_.map().visibleColumnsAtScale / 2 + 2, 20);
  EXPECT_EQ(plains, rowTo * colTo);
  EXPECT_EQ(t_.calls[0].transform.m[0], 1.0f) << "drawn at the view's scale";
  EXPECT_EQ(t_.transform.m[0], 3.0f) << "the caller's transform is restored";
}

TEST_F(MapDraw, DisplayModeOneShowsTerrainRiversAndEyecandyOnly) {
  g_.map().ResetHexExtras();
  sHex& plain = g_.hex(1, 1);
  plain.weather = kWeatherWinter;
  plain.marks = 0x1;
  plain.fort = 2;
  plain.controller = plain.owner = 1;
  plain.borders = 0x3F;
  sHexEyecandy& e = g_.map().eyecandies[1 * 20 + 1];
  e.depth = 0.7f;
  e.source[1][0] = 168;
  e.source[1][1] = 335;
  DrawHex(1, 1, 1);
  const auto terrain = Layer(kPictureMapTerrain);
  ASSERT_EQ(terrain.size(), 1u);
  EXPECT_EQ(terrain[0].source, (sDrawRect{1, 502, 166, 166}));
  EXPECT_FLOAT_EQ(terrain[0].depth, gMapSkin.Depth(kLayerPlain) - 0.01f);
  const auto candy = Layer(kPictureMapEyecandies);
  ASSERT_EQ(candy.size(), 1u);
  EXPECT_EQ(candy[0].source, (sDrawRect{168, 335, 166, 166}));
  EXPECT_TRUE(Layer(kPictureMapOthers).empty()) << "no marks, fort, borders or tint";

  t_.Clear();
  sHex& forest = g_.hex(2, 1);
  forest.terrain = kTerrainForest;
  forest.weather = kWeatherMud;
  DrawHex(2, 1, 1);
  EXPECT_TRUE(t_.Drew(kPictureMapTerrain, Cell(0, 6)));

  // Whole frames: the switches of the other modes change nothing.
  auto frame = [&](const sMapDisplay& d) {
    cRecordingDrawTarget t;
    g_.map().SetCameraAt(500, 400);
    g_.map().Render(t, d, 0);
    return t.calls.size();
  };
  sMapDisplay a;
  a.mode = 1;
  sMapDisplay b = a;
  b.showGrid = !a.showGrid;
  b.showWeather = true;
  b.borderMode = 1;
  b.tintMode = 3;
  EXPECT_EQ(frame(a), frame(b));
  a.mode = 0;
  EXPECT_GT(frame(a), frame(b));
}

TEST_F(MapDraw, CityDrawsTheFlaggedPartsOfItsAppearanceRow) {
  sCityAppearanceRow& row = gMapSkin.rows[0];
  row.threshold = 50;
  const int32_t picturePlace[4] = {10, 10, 90, 90}, picture[4] = {1, 1337, 81, 1417};
  std::copy(picturePlace, picturePlace + 4, row.entries[kCityPicture]);
  std::copy(picture, picture + 4, row.entries[6 + kCityPicture]);
  const int32_t portPlace[4] = {100, 10, 130, 40}, port[4] = {200, 1337, 0, 1367};  // no right edge
  std::copy(portPlace, portPlace + 4, row.entries[kCityPortMarker]);
  std::copy(port, port + 4, row.entries[6 + kCityPortMarker]);
  const int32_t nameRect[4] = {-20, 110, 186, 140};
  std::copy(nameRect, nameRect + 4, row.entries[12 + 2]);
  ComputeAppearanceFlags(row);
  EXPECT_EQ(row.valid[kCityPicture], 1);
  EXPECT_EQ(row.valid[kCityPortMarker], 0);
  EXPECT_EQ(row.valid[kCityNameText], 1);
  EXPECT_EQ(SelectCityAppearanceRow(gMapSkin, 0.3f), 30);
  ASSERT_EQ(gMapSkin.currentRow, 0);

  cMiasto city;
  city.type = kCityResources;
  city.name = L"Ploiesti";
  city.productionPoints = 3;
  sMapDisplay d;
  d.showCityNames = true;
  city.Draw(t_, d, 100, 200, true, 0, g_.hex(0, 0));
  const auto pictures = Layer(kPictureMapOthers);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].source, (sDrawRect{81, 1337, 80, 80})) << "resource cities take the next picture";
  EXPECT_EQ(pictures[0].x, 110.0f);
  EXPECT_EQ(pictures[0].w, 80.0f);
  // The name twice, shadow first; no production text without its flag.
  EXPECT_EQ(t_.Texts(), (std::vector<std::wstring>{L"Ploiesti", L"Ploiesti"}));
  t_.Clear();
  city.Draw(t_, d, 100, 200, false, 0, g_.hex(0, 0));
  EXPECT_TRUE(t_.calls.empty()) << "a hex that hides the city layer";
}

TEST_F(MapDraw, PortNodeDrawsItsSizeAndSeaZoneItsPicture) {
  sWezelGrafuMorz port;
  port.seaZone = 0;
  port.currentSize = 4;
  port.playerUnitX = 3;
  port.playerUnitY = 2;
  port.DrawAtHex(t_, display_, 10, 20, 3, 2, false, true);
  ASSERT_EQ(Layer(kPictureMapOthers).size(), 1u);
  EXPECT_EQ(Layer(kPictureMapOthers)[0].source, (sDrawRect{1 + 167 * 4, 1838, 166, 166}));
  t_.Clear();
  port.DrawAtHex(t_, display_, 10, 20, 3, 2, true, false);
  EXPECT_TRUE(t_.calls.empty()) << "hidden node pictures";
  sWezelGrafuMorz zone;
  zone.mainX = 5;
  zone.mainY = 5;
  zone.DrawAtHex(t_, display_, 0, 0, 5, 5, false, false);
  EXPECT_TRUE(t_.Drew(kPictureMapOthers, {1, 1838, 166, 166}));
}

}  // namespace
