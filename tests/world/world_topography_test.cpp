// The world topography after loading: city groups by land mass and the
// city-region grid, checked against brute-force references on random maps
// and on small hand-made ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <deque>
#include <list>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "world/city.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

class WorldTopographyTest : public ::testing::Test {
 protected:
  // A map of the given rows: '.' land, '~' sea; letters are cities on land,
  // upper case regular cities, lower case resource cities, in letter order
  // in the city list unless an order is given.
  void Build(const std::vector<std::string>& rows, const std::string& order = "") {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows[0].size());
    fixture_.reset();  // the old game first, while it is still the running one
    fixture_ = std::make_unique<GameFixture>(w, h, 1);
    std::map<char, std::pair<int, int>> at;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
        fixture_->hex(x, y).terrain = c == '~' ? kTerrainSea : kTerrainPlain;
        if (std::isalpha(static_cast<unsigned char>(c))) at[c] = {x, y};
      }
    std::string names = order;
    if (names.empty())
      for (const auto& [c, pos] : at) names += c;
    for (char c : names) AddCity(c, at.at(c).first, at.at(c).second);
  }
  cMiasto* AddCity(char c, int x, int y) {
    auto* city = new cMiasto();
    city->name = std::wstring(1, static_cast<wchar_t>(c));
    city->x = x;
    city->y = y;
    city->type = std::islower(static_cast<unsigned char>(c)) ? kCityResources : kCityRegular;
    game().cities.push_back(city);
    fixture_->hex(x, y).city = city;
    return city;
  }
  cGra& game() { return *fixture_->game; }
  cSelection& selection() { return game().selection; }
  // The groups as strings of city names.
  std::vector<std::string> Groups() {
    std::vector<std::string> out;
    for (const auto& g : selection().cityGroups) {
      std::string s;
      for (const cMiasto* c : g) s += static_cast<char>(c->name[0]);
      out.push_back(s);
    }
    return out;
  }
  char Region(int x, int y) {
    const cMiasto* c = selection().GetRegionCity(x, y);
    return c == nullptr ? '-' : static_cast<char>(c->name[0]);
  }

  std::unique_ptr<GameFixture> fixture_;
};

// Over-land hex steps from (x, y) to every hex, through the map's own
// neighbour function; INT_MAX where no land path leads.
std::vector<int> LandDistances(cMapa& map, int x0, int y0) {
  std::vector<int> dist(static_cast<size_t>(map.width * map.height), INT_MAX);
  std::deque<std::pair<int, int>> q{{x0, y0}};
  dist[static_cast<size_t>(y0 * map.width + x0)] = 0;
  while (!q.empty()) {
    auto [x, y] = q.front();
    q.pop_front();
    for (int d = 0; d < 6; ++d) {
      if (!map.HasNeighbour(x, y, d)) continue;
      sHex* n = map.GetNeighbourHex(x, y, d);
      int& nd = dist[static_cast<size_t>(n->y * map.width + n->x)];
      if (!n->IsLand() || nd != INT_MAX) continue;
      nd = dist[static_cast<size_t>(y * map.width + x)] + 1;
      q.push_back({n->x, n->y});
    }
  }
  return dist;
}

TEST_F(WorldTopographyTest, RegionGridMatchesNearestCityWithTiesToTheEarlierCityOnRandomMaps) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 60; ++round) {
    const int w = 3 + static_cast<int>(rng() % 9);
    const int h = 3 + static_cast<int>(rng() % 8);
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
    for (auto& r : rows)
      for (char& c : r)
        if (rng() % 4 == 0) c = '~';
    // Up to six cities on distinct land hexes, some of them resource cities,
    // listed in a shuffled order so that list order and letters differ.
    std::string letters;
    const int wanted = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < wanted * 4 && static_cast<int>(letters.size()) < wanted; ++i) {
      const int x = static_cast<int>(rng() % static_cast<unsigned>(w));
      const int y = static_cast<int>(rng() % static_cast<unsigned>(h));
      char& c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
      if (c != '.') continue;
      c = static_cast<char>((rng() % 5 == 0 ? 'a' : 'A') + letters.size());
      letters += c;
    }
    std::shuffle(letters.begin(), letters.end(), rng);
    Build(rows, letters);
    selection().BuildCityRegionGrid();

    cMapa& map = fixture_->map();
    std::vector<std::pair<const cMiasto*, std::vector<int>>> reach;
    for (const cMiasto* c : game().cities)
      if (c->type != kCityResources) reach.push_back({c, LandDistances(map, c->x, c->y)});
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const cMiasto* expected = nullptr;
        int best = INT_MAX;
        if (map.GetHex(x, y)->IsLand())
          for (const auto& [city, dist] : reach) {  // list order: strict < keeps the earlier on ties
            const int d = dist[static_cast<size_t>(y * w + x)];
            if (d < best) best = d, expected = city;
          }
        ASSERT_EQ(selection().GetRegionCity(x, y), expected)
            << "round " << round << " hex " << x << "," << y << " cities " << letters;
      }
  }
}

TEST_F(WorldTopographyTest, EquidistantHexTakesTheCityFirstInTheListWhateverItsPosition) {
  // A strip: the middle hex is three steps from both cities.
  for (const std::string order : {"AB", "BA"}) {
    Build({"A.....B"}, order);
    selection().BuildCityRegionGrid();
    EXPECT_EQ(Region(3, 0), order[0]) << order;
    EXPECT_EQ(Region(2, 0), 'A');
    EXPECT_EQ(Region(4, 0), 'B');
  }
}

TEST_F(WorldTopographyTest, IslandWithoutARegularCityHasNoRegionAndNoGroup) {
  Build({"A.~..",
         "..~.r",
         "..~.."});
  selection().ComputeWorldTopography();
  selection().BuildCityRegionGrid();
  EXPECT_EQ(Groups(), std::vector<std::string>{"A"});
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(Region(0, y), 'A');
    EXPECT_EQ(Region(1, y), 'A');
    EXPECT_EQ(Region(2, y), '-') << "sea";
    EXPECT_EQ(Region(3, y), '-') << "island with a resource city only";
    EXPECT_EQ(Region(4, y), '-');
  }
}

TEST_F(WorldTopographyTest, GroupsFollowLandMassesInFloodOrderAndSkipResourceCities) {
  // C is nearer to the group's start A than B is, so the flood meets it
  // first; D lies across the sea; the resource city r joins no group.
  Build({"A.C.r.B~D"}, "ABCDr");
  selection().ComputeWorldTopography();
  EXPECT_EQ(Groups(), (std::vector<std::string>{"ACB", "D"}));
  // Run again: the same groups, not twice as many.
  selection().ComputeWorldTopography();
  EXPECT_EQ(Groups(), (std::vector<std::string>{"ACB", "D"}));
  EXPECT_TRUE(selection().topographyVisited.empty());
}

TEST_F(WorldTopographyTest, GroupsAreTheLandComponentsOfRandomMaps) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    const int w = 4 + static_cast<int>(rng() % 8);
    const int h = 3 + static_cast<int>(rng() % 7);
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
    for (auto& r : rows)
      for (char& c : r)
        if (rng() % 3 == 0) c = '~';
    std::string letters;
    for (int i = 0; i < 40 && letters.size() < 8; ++i) {
      char& c = rows[rng() % static_cast<unsigned>(h)][rng() % static_cast<unsigned>(w)];
      if (c != '.') continue;
      c = static_cast<char>((rng() % 4 == 0 ? 'a' : 'A') + letters.size());
      letters += c;
    }
    if (letters.empty()) continue;
    Build(rows);
    selection().ComputeWorldTopography();

    // Reference: two regular cities share a group exactly when land joins
    // them; a group starts with its earliest listed city, groups come in the
    // order of their starts.
    cMapa& map = fixture_->map();
    std::vector<const cMiasto*> regular;
    for (const cMiasto* c : game().cities)
      if (c->type != kCityResources) regular.push_back(c);
    std::vector<std::string> expected;
    std::set<const cMiasto*> placed;
    for (const cMiasto* c : regular) {
      if (placed.count(c)) continue;
      const std::vector<int> dist = LandDistances(map, c->x, c->y);
      std::string rest;
      for (const cMiasto* o : regular) {
        if (dist[static_cast<size_t>(o->y * w + o->x)] == INT_MAX) continue;
        placed.insert(o);
        if (o != c) rest += static_cast<char>(o->name[0]);
      }
      const std::string s(1, static_cast<char>(c->name[0]));
      std::sort(rest.begin(), rest.end());
      expected.push_back(s + rest);
    }
    std::vector<std::string> got = Groups();
    for (std::string& g : got) std::sort(g.begin() + 1, g.end());
    ASSERT_EQ(got, expected) << "round " << round;
  }
}

TEST_F(WorldTopographyTest, NeighbourOrderDecidesBetweenHexesReachedAtTheSameStep) {
  // From A at (1, 1) (odd column) the flood visits north, south, then
  // (2, 0), (2, 1), (0, 1), (0, 0). Cities on all six neighbours are met in
  // that order.
  Build({"DFB",
         "EAC",
         ".G."}, "A");
  for (char c : std::string("BCDEFG")) {
    const int x = c == 'B' || c == 'C' ? 2 : (c == 'D' || c == 'E' ? 0 : 1);
    const int y = c == 'B' || c == 'D' || c == 'F' ? 0 : (c == 'G' ? 2 : 1);
    AddCity(c, x, y);
  }
  std::list<cMiasto*> group;
  selection().FloodCityGroup(game().cities.front(), group);
  std::string order;
  for (const cMiasto* c : group) order += static_cast<char>(c->name[0]);
  EXPECT_EQ(order, "AFGBCED");
}

}  // namespace
