// The cities diagram: its nodes, the links file, land paths for a country,
// sea links to allied cities and the hop counts of the cities.
#include "world/cities_diagram.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/random.h"
#include "support/unit_fixtures.h"
#include "world/country.h"
#include "world_test_support.h"

using namespace world_test;
using namespace unit_test;

namespace {

// Cities on a 10 x 3 map; every one but S is held by country 1 (allies),
// S by country 2 (axis); country 3 is an ally of 1.
//
//   A -> B -> C -> D      land links
//        B -> S -> E      land links
//   A => D => E           sea links
class Diagram : public ::testing::Test {
 protected:
  Diagram() : g(10, 3) {
    own = g.AddCountry(kAllianceAllies);
    enemy = g.AddCountry(kAllianceAxis);
    ally = g.AddCountry(kAllianceAllies);
    a = AddCity(g, 0, 0, kCityRegular, own->id, L"A");
    b = AddCity(g, 2, 0, kCitySupply, own->id, L"B");
    r = AddCity(g, 1, 2, kCityResources, own->id, L"R");
    c = AddCity(g, 4, 0, kCityRegular, own->id, L"C");
    d = AddCity(g, 6, 0, kCityPort, own->id, L"D");
    s = AddCity(g, 3, 2, kCityRegular, enemy->id, L"S");
    e = AddCity(g, 8, 0, kCityPort, own->id, L"E");
    g.game->citiesDiagram.AddCityNodes(g.game->cities);
  }
  void Link(cMiasto* from, cMiasto* to, int kind) {
    g.game->citiesDiagram.nodes[static_cast<size_t>(from->diagramIndex)].links.push_back({to->diagramIndex, kind});
  }
  void LinkAll() {
    Link(a, b, kDiagramLinkLand);
    Link(b, c, kDiagramLinkLand);
    Link(c, d, kDiagramLinkLand);
    Link(b, s, kDiagramLinkLand);
    Link(s, e, kDiagramLinkLand);
    Link(a, d, kDiagramLinkSea);
    Link(d, e, kDiagramLinkSea);
  }
  std::list<cMiasto*> Path(cMiasto* from, cMiasto* to, int country, bool* found = nullptr) {
    std::list<cMiasto*> out = {r};  // emptied by the search
    const bool ok = g.game->citiesDiagram.FindCityPath(from, to, country, out);
    if (found != nullptr) *found = ok;
    return out;
  }

  GameFixture g;
  cPanstwo *own, *enemy, *ally;
  cMiasto *a, *b, *r, *c, *d, *s, *e;
};

TEST_F(Diagram, EveryCityButResourceCitiesGetsANode) {
  const cDiagramMiast& diagram = g.game->citiesDiagram;
  ASSERT_EQ(diagram.nodes.size(), 6u);
  EXPECT_EQ(r->diagramIndex, -1);
  EXPECT_EQ(diagram.NodeOf(r), nullptr);
  const std::vector<cMiasto*> order = {a, b, c, d, s, e};
  int i = 0;
  for (const auto& [index, city] : diagram.cityNodes) {
    EXPECT_EQ(index, i);
    EXPECT_EQ(city, order[static_cast<size_t>(i)]);
    EXPECT_EQ(city->diagramIndex, i);
    EXPECT_EQ(diagram.nodes[static_cast<size_t>(i)].city, city);
    ++i;
  }
  EXPECT_EQ(i, 6);
}

TEST_F(Diagram, LandPathsThroughFriendlyCitiesOnly) {
  LinkAll();
  bool found = false;
  // The sea link A => D is never followed.
  EXPECT_EQ(Path(a, d, own->id, &found), (std::list<cMiasto*>{d, c, b}));
  EXPECT_TRUE(found);
  // E lies behind the enemy's S on land and behind a sea link otherwise.
  EXPECT_TRUE(Path(a, e, own->id, &found).empty());
  EXPECT_FALSE(found);
  // Held by an ally, S lets the path through.
  g.hex(3, 2).controller = static_cast<uint8_t>(ally->id);
  EXPECT_EQ(Path(a, e, own->id, &found), (std::list<cMiasto*>{e, s, b}));
  EXPECT_TRUE(found);
  // The ally finds the same paths through our cities.
  EXPECT_EQ(Path(a, c, ally->id, &found), (std::list<cMiasto*>{c, b}));
  EXPECT_TRUE(found);
  // Links are one-way.
  Path(d, a, own->id, &found);
  EXPECT_FALSE(found);
}

TEST_F(Diagram, APathToItselfHoldsTheCity) {
  bool found = false;
  EXPECT_EQ(Path(b, b, own->id, &found), (std::list<cMiasto*>{b}));
  EXPECT_TRUE(found);
}

TEST_F(Diagram, NoPathFromAnUnfriendlyStartOrForNobody) {
  LinkAll();
  bool found = true;
  Path(a, c, enemy->id, &found);
  EXPECT_FALSE(found);
  Path(a, c, 0, &found);
  EXPECT_FALSE(found);
  g.hex(0, 0).controller = 0;
  Path(a, c, own->id, &found);
  EXPECT_FALSE(found);
  // A resource city has no node to start from or to reach.
  Path(r, c, own->id, &found);
  EXPECT_FALSE(found);
  Path(a, r, own->id, &found);
  EXPECT_FALSE(found);
}

TEST_F(Diagram, HopsCountLandLinksWhoeverHoldsTheCities) {
  LinkAll();
  g.game->ComputeCityDistances();
  EXPECT_EQ(a->hops, (std::vector<int32_t>{0, 1, 2, 3, 2, 3}));
  EXPECT_EQ(a->GetHopsTo(*d), 3);
  EXPECT_EQ(a->GetHopsTo(*r), -1);
  EXPECT_TRUE(r->hops.empty());
  EXPECT_EQ(d->hops, (std::vector<int32_t>{-1, -1, -1, 0, -1, -1}));
  EXPECT_EQ(e->GetHopsTo(*e), 0);
  // The searches' marks are left clear for the next user.
  g.game->ClearCitySearchMarks();
  a->searchMark = 1;
  a->ComputeHops();
  EXPECT_EQ(a->searchMark, 0);
}

TEST_F(Diagram, TheHopCountsRuleOutUnreachableTargetsAtOnce) {
  Link(a, b, kDiagramLinkLand);
  Link(b, c, kDiagramLinkLand);
  Link(c, d, kDiagramLinkLand);
  g.game->ComputeCityDistances();
  EXPECT_EQ(a->GetHopsTo(*e), -1);
  // A link made after the counts were taken is not found by the search.
  Link(d, e, kDiagramLinkLand);
  bool found = true;
  Path(a, e, own->id, &found);
  EXPECT_FALSE(found);
  g.game->ComputeCityDistances();
  EXPECT_EQ(Path(a, e, own->id, &found), (std::list<cMiasto*>{e, d, c, b}));
  EXPECT_TRUE(found);
}

TEST_F(Diagram, SeaLinksToAlliedCities) {
  LinkAll();
  cDiagramMiast& diagram = g.game->citiesDiagram;
  EXPECT_TRUE(diagram.HasSeaLinkToAlliedCity(a, ally->id));
  EXPECT_FALSE(diagram.HasSeaLinkToAlliedCity(a, enemy->id));
  EXPECT_FALSE(diagram.HasSeaLinkToAlliedCity(b, ally->id));  // land links only
  EXPECT_FALSE(diagram.HasSeaLinkToAlliedCity(r, ally->id));
  g.hex(6, 0).controller = static_cast<uint8_t>(enemy->id);
  EXPECT_FALSE(diagram.HasSeaLinkToAlliedCity(a, ally->id));
}

TEST_F(Diagram, ResettingTheWorkValues) {
  LinkAll();
  sWezelDiagramuMiast& n = g.game->citiesDiagram.nodes[2];
  n.assigned = 1;
  n.visited = 1;
  n.landStrengths[2] = 4.5f;
  n.airValues[5] = 1.0f;
  n.ownUnitCount = 3;
  g.game->citiesDiagram.ResetAiValues();
  EXPECT_EQ(n.assigned, 0);
  EXPECT_EQ(n.visited, 0);
  EXPECT_EQ(n.landStrengths[2], 0.0f);
  EXPECT_EQ(n.airValues[5], 0.0f);
  EXPECT_EQ(n.ownUnitCount, 0);
  EXPECT_EQ(n.city, c);
  EXPECT_EQ(n.links.size(), 1u);
}

// ---- the links file -----------------------------------------------------------

class DiagramFile : public Diagram {
 protected:
  DiagramFile() : before_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.path()); }
  ~DiagramFile() override { std::filesystem::current_path(before_); }
  void Write(const std::string& text) { dir_.cTempDir::Write("data/scenarios/Test/cities_diagram.csv", text); }
  std::vector<std::pair<int, int>> LinksOf(cMiasto* city) const {
    std::vector<std::pair<int, int>> out;
    for (const sSasiadDiagramu& l : g.game->citiesDiagram.nodes[static_cast<size_t>(city->diagramIndex)].links)
      out.emplace_back(l.target, l.kind);
    return out;
  }

  ScratchDir dir_;
  std::filesystem::path before_;
};
using DiagramFileDeathTest = DiagramFile;

TEST_F(DiagramFile, LinksByTheHexesOfTheirCities) {
  LoadShippedStrings();
  Write("#from x;from y;to x;to y;kind\r\n"
        "0;0;2;0;0\r\n"
        "\r\n"
        "1\n"  // too short to be a link; a line feed alone ends a line too
        "0;0;6;0;1\r\n"
        "2;0;4;0\r\n"
        "2;0;x;0;0\r\n"
        "2;0;4;0;2\r\n"
        "2;0;4;0;0;extra\r\n"
        "2;;0;3;2;0");
  LogCapture log;
  g.game->citiesDiagram.LoadCitiesDiagram(L"Test");
  EXPECT_EQ(LinksOf(a), (std::vector<std::pair<int, int>>{{b->diagramIndex, 0}, {d->diagramIndex, 1}}));
  EXPECT_EQ(LinksOf(b), (std::vector<std::pair<int, int>>{{c->diagramIndex, 0}, {s->diagramIndex, 0}}));
  EXPECT_TRUE(LinksOf(c).empty());
  const std::wstring path = L"data\\scenarios\\Test\\cities_diagram.csv";
  EXPECT_TRUE(log.Has(path));
  EXPECT_TRUE(log.Has(L"Otwarcie OK"));
  EXPECT_TRUE(log.Has(L"WARNING: " + path + L" line 6 has 4 fields, 5 needed"));
  EXPECT_FALSE(log.HasPrefix(L"WARNING: " + path + L" line 4 "));
  EXPECT_TRUE(log.Has(L"WARNING: malformed link in " + path + L" line 7 skipped"));
  EXPECT_TRUE(log.Has(L"WARNING: malformed link in " + path + L" line 8 skipped"));
}

TEST_F(DiagramFile, NumbersReadAlikeWithOrWithoutBlanksAndSigns) {
  LoadShippedStrings();
  // Plain digits with leading zeros, a signed zero and dropped empty fields,
  // then the same links spelt with blanks around the numbers.
  Write("04;-0;06;0;0\r\n"
        ";;4;0;;8;0;0;\r\n"
        " 4 ;0;\t6;0 ;1\r\n"
        "4;0;-;0;0\r\n"
        "4;0;6;0;1234567890\r\n");
  LogCapture log;
  g.game->citiesDiagram.LoadCitiesDiagram(L"Test");
  EXPECT_EQ(LinksOf(c), (std::vector<std::pair<int, int>>{{d->diagramIndex, 0}, {e->diagramIndex, 0}, {d->diagramIndex, 1}}));
  const std::wstring path = L"data\\scenarios\\Test\\cities_diagram.csv";
  EXPECT_TRUE(log.Has(L"WARNING: malformed link in " + path + L" line 4 skipped"));
  EXPECT_TRUE(log.Has(L"WARNING: malformed link in " + path + L" line 5 skipped"));
}

TEST_F(DiagramFileDeathTest, ErrorsEndTheProgramWithTheirLine) {
  LoadShippedStrings();
  EXPECT_EXIT((LogToStderr(), g.game->citiesDiagram.LoadCitiesDiagram(L"Test")), ::testing::ExitedWithCode(1),
              "cities_diagram.csv\nBlad otwarcia pliku! \\(nie istnieje\\?\\)");
  Write("0;0;2;0;0\r\n#\r\n2;0;5;0;0\r\n");
  EXPECT_EXIT((LogToStderr(), g.game->citiesDiagram.LoadCitiesDiagram(L"Test")), ::testing::ExitedWithCode(1),
              "Critical error at line 3. No city at given coordinates");
  Write("0;0;2;0;0\r\n0;0;99;99;0\r\n");
  EXPECT_EXIT((LogToStderr(), g.game->citiesDiagram.LoadCitiesDiagram(L"Test")), ::testing::ExitedWithCode(1),
              "Critical error at line 2. No city at given coordinates");
  Write("0;0;1;2;0\r\n");
  EXPECT_EXIT((LogToStderr(), g.game->citiesDiagram.LoadCitiesDiagram(L"Test")), ::testing::ExitedWithCode(1),
              "Critical error. Cannot find node index for city R \\(line 1\\)");
  delete g.game->map;
  g.game->map = nullptr;
  EXPECT_EXIT((LogToStderr(), g.game->citiesDiagram.LoadCitiesDiagram(L"Test")), ::testing::ExitedWithCode(1),
              "Error while reading cities diagram. Cannot retrieve map pointer. End.");
}

}  // namespace

TEST(DiagramHops, AllCitiesAtOnceAgreeWithOneCityAtATime) {
  // Random diagrams with land and sea links, repeated links, cities with no
  // links and resource cities: the counts of the whole pass against the
  // single-city search, city by city, and the marks left on the nodes.
  for (uint32_t seed : {1u, 7u, 99u}) {
    SeedRandom(seed);
    GameFixture g(40, 30);
    cPanstwo* own = g.AddCountry(kAllianceAllies);
    for (int i = 0; i < 120; ++i) {
      const int type = RandomIndex(6) == 0 ? kCityResources : kCityRegular;
      AddCity(g, i % 40, i / 40 * 3, type, own->id);
    }
    cDiagramMiast& diagram = g.game->citiesDiagram;
    diagram.AddCityNodes(g.game->cities);
    const int n = static_cast<int>(diagram.nodes.size());
    for (int k = 0; k < 2 * n; ++k) {
      const int kind = RandomIndex(4) == 0 ? kDiagramLinkSea : kDiagramLinkLand;
      diagram.nodes[static_cast<size_t>(RandomIndex(n))].links.push_back({RandomIndex(n), kind});
    }
    g.game->ComputeCityDistances();
    std::vector<std::vector<int32_t>> all;
    std::vector<uint8_t> marks;
    for (const cMiasto* c : g.game->cities) all.push_back(c->hops);
    for (const sWezelDiagramuMiast& node : diagram.nodes) marks.push_back(node.visited);
    size_t i = 0;
    int reached = 0;
    for (cMiasto* c : g.game->cities) {
      if (c->type == kCityResources) {
        EXPECT_TRUE(all[i].empty());
      } else {
        c->ComputeHops();
        ASSERT_EQ(all[i], c->hops) << "seed " << seed << " city " << i;
        for (int32_t h : c->hops) reached += h > 0 ? 1 : 0;
      }
      ++i;
    }
    EXPECT_GT(reached, n);  // the diagrams are not trivially disconnected
    for (size_t k = 0; k < diagram.nodes.size(); ++k) EXPECT_EQ(diagram.nodes[k].visited, marks[k]) << k;
  }
}
