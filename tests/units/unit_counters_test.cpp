// The counter rules of land, air and naval units, recorded without pixels:
// which elements a counter shows for which unit, the sheet cell of each type
// and level, the size marker's offset, the hit-point bar and the sea-battle
// markers by the side of the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/settings.h"
#include "core/units_skin_data.h"
#include "support/recording_draw_target.h"
#include "support/unit_fixtures.h"
#include "world/game.h"

namespace {

using world_test::GameFixture;

constexpr FrontEndHandle kSheet = 50, kInfo = 51;

// Source entry i of every group is the 10 x 10 cell at (20 i, 1000).
sDrawRect Entry(int i, int down = 0) { return {20 * i, 1000 + 10 * down, 10, 10}; }

class UnitCounters : public ::testing::Test {
 protected:
  UnitCounters() : saved_(std::make_unique<sUnitsSkin>(gUnitsSkin)), g_(4, 4, 2) {
    gGra = g_.game;
    g_.game->selection.currentCountry = g_.game->countries[0];
    g_.game->smallUnitSize = 0;
    g_.game->largeUnitSize = 2;
    gUnitsSkin = sUnitsSkin{};
    gUnitsSkin.unitsPicture = kSheet;
    gUnitsSkin.infoPicture = kInfo;
    for (auto& table : gUnitsSkin.tables) {
      sUnitsSkinGroup& group = table[0];
      group.flags.fill(1);
      for (int i = 0; i < kUnitsSkinEntries; ++i) group.entries[static_cast<size_t>(i)] = {20 * i, 1000, 20 * i + 10, 1010};
    }
    gUnitsSkin.tables[kSkinNaval][0].entries[13] = {10, 150, 100, 6};  // the hit-point bar: x, y, length, height
  }
  ~UnitCounters() override { gUnitsSkin = *saved_; }

  cJednostkaLadowa& Land(int type, int level, int spotted) {
    auto* u = new unit_test::ValuedLandUnit(10.0f);
    Keep(u, type, spotted);
    u->level = level;
    return *u;
  }
  cJednostkaLotnicza& Air(int type, int level, int spotted) {
    auto* u = new cJednostkaLotnicza();
    Keep(u, type, spotted);
    u->level = level;
    return *u;
  }
  cJednostkaMorska& Ship(int type, int column, int spotted = 6) {
    auto* s = new cJednostkaMorska();
    Keep(s, type, spotted);
    s->x = column;
    s->maxHitPoints = s->hitPoints = 10;
    s->mayFire = s->battleMarker = 1;
    return *s;
  }

  std::unique_ptr<sUnitsSkin> saved_;
  GameFixture g_;
  std::vector<std::unique_ptr<cUnit>> units_;

 private:
  void Keep(cUnit* u, int type, int spotted) {
    u->countryId = 1;
    u->SetType(type);
    u->spottedLevel = spotted;
    units_.emplace_back(u);
  }
};

TEST_F(UnitCounters, EachKindShowsItsElementsByItsRules) {
  using Draw = std::function<void(cDrawTarget&)>;
  auto land = [&](int type, int level, int spotted) -> Draw {
    cJednostkaLadowa& u = Land(type, level, spotted);
    return [&u](cDrawTarget& t) { u.Draw(t, 0, 0, 0.5f, 0); };
  };
  auto air = [&](int type, int level, int spotted) -> Draw {
    cJednostkaLotnicza& u = Air(type, level, spotted);
    return [&u](cDrawTarget& t) { u.Draw(t, 0, 0, 0.5f, 0); };
  };
  auto ship = [&](int type, int column, eShipCounterPlace place, int spotted = 6) -> Draw {
    cJednostkaMorska& s = Ship(type, column, spotted);
    return [&s, place](cDrawTarget& t) { s.DrawCounter(t, 0, 0, 0.5f, place); };
  };
  const struct {
    const char* rule;
    Draw draw;
    FrontEndHandle texture;
    sDrawRect source;
    bool drawn;
  } cases[] = {
      {"land spotted marker, fully spotted", land(0, 1, 5), kInfo, Entry(1), true},
      {"land spotted marker, partly spotted", land(0, 1, 4), kInfo, Entry(1), false},
      {"land size marker of a small unit", land(2, 1, 6), kInfo, Entry(3, 0), true},
      {"land size marker of a large unit", land(3, 1, 6), kInfo, Entry(3, 2), true},
      {"land cell of a large type at level 2", land(3, 2, 6), kSheet, {128, 600, 128, 100}, true},
      {"land cell of a small type at level 5", land(4, 5, 6), kSheet, {256, 400, 128, 100}, true},
      {"air second picture, fully spotted", air(kTypeFighter, 1, 6), kSheet, Entry(1), true},
      {"air second picture, partly spotted", air(kTypeFighter, 1, 3), kSheet, Entry(1), false},
      {"air level badge at level 3", air(kTypeFighter, 3, 6), kInfo, Entry(3, 2), true},
      {"air level badge, partly spotted", air(kTypeFighter, 3, 3), kInfo, Entry(3, 2), false},
      {"air cell of a tactical bomber at level 4", air(kTypeTacticalBomber, 4, 3), kSheet, {640, 300, 128, 100}, true},
      {"naval cell of a submarine", ship(kTypeSubmarine, -1, kCounterOnMap), kSheet, {384, 800, 128, 100}, true},
      {"naval cell of an amphibious ship", ship(kTypeAmphibious, -1, kCounterOnMap), kSheet, {512, 500, 128, 100}, true},
      {"naval second marker of an unseen ship", ship(kTypeCruiser, -1, kCounterOnMap, 0), kInfo, Entry(2), true},
      {"may-fire marker on the map", ship(kTypeCruiser, 3, kCounterOnMap), kInfo, Entry(16), false},
      {"may-fire marker, first side moves", ship(kTypeCruiser, 3, kCounterFirstSideMoves), kInfo, Entry(16), true},
      {"may-fire marker, second side moves", ship(kTypeCruiser, 3, kCounterSecondSideMoves), kInfo, Entry(16), false},
      {"battle marker, first side moves", ship(kTypeCruiser, 3, kCounterFirstSideMoves), kInfo, Entry(17), false},
      {"battle marker, second side moves", ship(kTypeCruiser, 3, kCounterSecondSideMoves), kInfo, Entry(17), true},
      {"second side's may-fire marker", ship(kTypeCruiser, 16, kCounterSecondSideMoves), kInfo, Entry(16), true},
      {"second side's battle marker", ship(kTypeCruiser, 16, kCounterFirstSideMoves), kInfo, Entry(17), true},
      {"no side's may-fire marker in column 15", ship(kTypeCruiser, 15, kCounterSecondSideMoves), kInfo, Entry(16), false},
      {"no side's battle marker in column 15", ship(kTypeCruiser, 15, kCounterFirstSideMoves), kInfo, Entry(17), false},
  };
  for (const auto& c : cases) {
    cRecordingDrawTarget t;
    c.draw(t);
    EXPECT_EQ(t.Drew(c.texture, c.source), c.drawn) << c.rule;
  }

  // Strength, action points and name show on a fully spotted air counter
  // only: the fog of war hides them on one partly spotted.
  const bool names = gProgramSettings.showUnitNames;
  gProgramSettings.showUnitNames = true;
  for (const int spotted : {6, 5, 4}) {
    cJednostkaLotnicza& plane = Air(kTypeFighter, 1, spotted);
    plane.name = L"JG 7";
    cRecordingDrawTarget t;
    plane.Draw(t, 0, 0, 0.5f, 0);
    const std::vector<std::wstring> texts = t.Texts();
    EXPECT_EQ(texts.size(), spotted >= 5 ? 6u : 0u) << "spotted level " << spotted;
    EXPECT_EQ(std::count(texts.begin(), texts.end(), L"JG 7"), spotted >= 5 ? 2 : 0) << "spotted level " << spotted;
  }
  gProgramSettings.showUnitNames = names;

  // The hit-point bar: a ship half the size of its country's largest has a
  // bar half as long, lit for the share of its hit points left.
  cJednostkaMorska& big = Ship(kTypeBattleship, -1);
  big.maxHitPoints = 20;
  g_.game->navalUnits.push_back(&big);
  cJednostkaMorska& hit = Ship(kTypeCruiser, -1);
  hit.hitPoints = 5;
  cRecordingDrawTarget t;
  hit.DrawCounter(t, 100, 200, 0.5f, kCounterOnMap);
  g_.game->navalUnits.clear();
  std::vector<cRecordingDrawTarget::sCall> bar;
  for (const auto& c : t.calls)
    if (c.kind == cRecordingDrawTarget::kFilledRect && c.y >= 350.0f && c.y < 360.0f) bar.push_back(c);
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_FLOAT_EQ(bar[0].x, 110.0f);
  EXPECT_FLOAT_EQ(bar[0].w, 50.0f);
  EXPECT_FLOAT_EQ(bar[1].w, 50.0f * 0.5f - 2.0f);
}

}  // namespace
