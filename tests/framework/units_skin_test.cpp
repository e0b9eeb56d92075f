// The units skin reader against a skin written by hand: the row layouts of
// the three tables, the naval layout chosen by the file's version, a file
// cut short, the zoom groups, the countries' colours; and the fallbacks of a
// country without its own counter sheet or flag.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/settings.h"
#include "framework/units_skin.h"
#include "support/recording_front_end.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "world/country.h"
#include "world/game.h"
#include "world/world_test_support.h"

namespace {

// Rows of a group: name, threshold, then row r holds "r;r+1;r+2;r+3" so
// that every entry tells which row it came from; the font rows carry a face.
std::string Group(const std::string& name, int threshold, int rows, std::vector<int> fontRows, int upTo = -1) {
  std::string s = name + "\r\n" + std::to_string(threshold) + "\r\n";
  const int last = upTo < 0 ? rows : upTo;
  for (int r = 2; r < last; ++r) {
    s += std::to_string(r) + ";" + std::to_string(r + 1) + ";" + std::to_string(r + 2) + ";" + std::to_string(r + 3);
    for (int f : fontRows)
      if (f == r) s += ";Face" + std::to_string(r) + ";16;75;255;0;0;1;2;3";
    s += "\r\n";
  }
  return s;
}

class cSkinFolder {
 public:
  cSkinFolder() : dir_("units_skin"), before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
  }
  ~cSkinFolder() { std::filesystem::current_path(before_); }
  void Write(const std::string& file, const std::string& text) { dir_.Write("data/gfx/[UnitsSkin]Hand/" + file, text); }
  void WriteAt(const std::string& path, const std::string& text) { dir_.Write(path, text); }

 private:
  cTempDir dir_;
  std::filesystem::path before_;
};

const sUnitsSkinGroup& Group(eUnitsSkinTable t, int g) { return gUnitsSkin.tables[t][static_cast<size_t>(g)]; }
std::array<int32_t, 4> E(eUnitsSkinTable t, int g, int entry) { return Group(t, g).entries[static_cast<size_t>(entry)]; }
using A = std::array<int32_t, 4>;

TEST(UnitsSkin, RowLayoutsByTableAndVersionAndAFileCutShort) {
  cSkinFolder folder;
  folder.Write("land_units.csv", "# land\r\n" + Group("Near", 100, 25, {20, 21, 22}) + Group("Cut", 70, 25, {}, 10));
  folder.Write("air_units.csv", Group("Air", 100, 21, {16, 17, 18}));
  folder.Write("naval_units.csv", "1.02;Game version\r\n" + Group("Old", 100, 13, {9, 10}) + Group("Old2", 50, 13, {9}));
  cLogCapture log;
  LoadUnitsSkin(L"Hand", nullptr);

  // Land: a rectangle row stores x, y, x + w, y + h, a value row as it stands.
  EXPECT_EQ(Group(kSkinLand, 0).name, L"Near");
  EXPECT_EQ(Group(kSkinLand, 0).threshold, 100);
  EXPECT_EQ(E(kSkinLand, 0, 0), (A{2, 3, 6, 8}));
  EXPECT_EQ(E(kSkinLand, 0, 8), (A{18, 19, 38, 40}));
  EXPECT_EQ(E(kSkinLand, 0, 9), (A{3, 4, 5, 6}));
  EXPECT_EQ(E(kSkinLand, 0, 17), (A{19, 20, 21, 22}));
  EXPECT_EQ(E(kSkinLand, 0, 18), (A{20, 21, 42, 44}));
  EXPECT_EQ(E(kSkinLand, 0, 22), (A{24, 25, 26, 27}));
  const sUnitsSkinFont& f = Group(kSkinLand, 0).fonts[2];
  EXPECT_EQ(f.face, L"Face22");
  EXPECT_EQ(f.height, 16);
  EXPECT_EQ(f.weight, 75 * 8 + 100);
  EXPECT_EQ(f.color1, 0xFFFF0000u);
  EXPECT_EQ(f.color2, 0xFF010203u);
  for (int i = 0; i < kUnitsSkinFlags; ++i) EXPECT_EQ(Group(kSkinLand, 0).flags[static_cast<size_t>(i)], 1) << i;
  // The second group has 8 of its 25 rows: a warning with the file and line,
  // and the group keeps its defaults rather than half a layout.
  EXPECT_EQ(Group(kSkinLand, 1).threshold, kUnitsSkinNoThreshold);
  EXPECT_EQ(log.CountContaining(L"WARNING: data\\gfx\\[UnitsSkin]Hand\\land_units.csv line 27: group 1 has 10 of"), 1);

  // Air: fonts on rows 16-18 at entries 16-18, values 19 and 20.
  EXPECT_EQ(E(kSkinAir, 0, 6), (A{14, 15, 30, 32}));
  EXPECT_EQ(E(kSkinAir, 0, 15), (A{15, 16, 17, 18}));
  EXPECT_EQ(E(kSkinAir, 0, 16), (A{16, 17, 34, 36}));
  EXPECT_EQ(Group(kSkinAir, 0).fonts[0].face, L"Face16");
  EXPECT_EQ(E(kSkinAir, 0, 20), (A{20, 21, 22, 23}));

  // Naval below 1.03: 13 rows, three pairs, the bar on row 8, fonts on 9 and 10.
  EXPECT_EQ(Group(kSkinNaval, 1).name, L"Old2");
  EXPECT_EQ(E(kSkinNaval, 0, 2), (A{6, 7, 14, 16}));
  EXPECT_EQ(E(kSkinNaval, 0, 3), (A{0, 0, 0, 0}));
  EXPECT_EQ(E(kSkinNaval, 0, 13), (A{8, 9, 10, 11}));
  EXPECT_EQ(E(kSkinNaval, 0, 15), (A{10, 11, 22, 24}));
  EXPECT_EQ(E(kSkinNaval, 0, 17), (A{12, 13, 14, 15}));
  EXPECT_EQ(Group(kSkinNaval, 0).flags[3], 0);  // no fourth pair in this layout
  EXPECT_EQ(Group(kSkinNaval, 0).flags[2], 1);

  // The same file at 1.05: 15 rows a group, four pairs.
  folder.Write("naval_units.csv", "1.05;Game version\r\n" + Group("New", 100, 15, {11, 12}));
  LoadUnitsSkin(L"Hand", nullptr);
  EXPECT_EQ(Group(kSkinNaval, 0).name, L"New");
  EXPECT_EQ(E(kSkinNaval, 0, 3), (A{8, 9, 18, 20}));
  EXPECT_EQ(E(kSkinNaval, 0, 12), (A{9, 10, 11, 12}));
  EXPECT_EQ(E(kSkinNaval, 0, 13), (A{10, 11, 12, 13}));
  EXPECT_EQ(E(kSkinNaval, 0, 14), (A{11, 12, 24, 26}));
  EXPECT_EQ(E(kSkinNaval, 0, 17), (A{14, 15, 16, 17}));
  EXPECT_EQ(Group(kSkinNaval, 0).fonts[1].face, L"Face12");
  // The old file's second group is gone: the naval table starts clean.
  EXPECT_EQ(Group(kSkinNaval, 1).name, L"");
  EXPECT_EQ(Group(kSkinNaval, 1).threshold, kUnitsSkinNoThreshold);

  // A table that cannot be opened says so and keeps only defaults.
  std::filesystem::remove("data/gfx/[UnitsSkin]Hand/air_units.csv");
  log.Clear();
  LoadUnitsSkin(L"Hand", nullptr);
  EXPECT_TRUE(log.Has(L"ERROR during opening CSV file data\\gfx\\[UnitsSkin]Hand\\air_units.csv"));
  EXPECT_EQ(Group(kSkinAir, 0).threshold, kUnitsSkinNoThreshold);
  EXPECT_TRUE(Group(kSkinAir, 0).fonts[0].face.empty());
}

TEST(UnitsSkin, ZoomPicksTheLastGroupAboveIt) {
  cSkinFolder folder;
  folder.Write("land_units.csv", Group("A", 100, 25, {}) + Group("B", 70, 25, {}) + Group("C", -100, 25, {}));
  LoadUnitsSkin(L"Hand", nullptr);
  const bool dynamic = gProgramSettings.dynamicUnitAppearance;
  gProgramSettings.dynamicUnitAppearance = true;
  // From group 2: no threshold above the zoom changes nothing.
  const std::vector<std::pair<float, int>> cases = {{0.8f, 0}, {0.7f, 0}, {0.69f, 1}, {0.2f, 1}, {1.0f, 2}, {1.5f, 2}};
  for (auto [zoom, group] : cases) {
    gUnitsSkin.current[kSkinLand] = 2;
    SelectFontsByScale(zoom);
    EXPECT_EQ(gUnitsSkin.current[kSkinLand], group) << zoom;
  }
  gProgramSettings.dynamicUnitAppearance = false;
  gUnitsSkin.current[kSkinLand] = 0;
  SelectFontsByScale(0.2f);
  EXPECT_EQ(gUnitsSkin.current[kSkinLand], 0);
  gProgramSettings.dynamicUnitAppearance = dynamic;
}

TEST(UnitsSkin, PicturesAndCountryColoursOfARunningGame) {
  cSkinFolder folder;
  folder.Write("units.png", "png");
  folder.Write("countries.csv",
               "1.00;Game version\r\n# id;name;colour1;colour2\r\n2;B;FF112233;FF445566\r\n0;Nobody;FF000000;FF000000\r\n"
               "9;Beyond;FF000000;FF000000\r\n");
  folder.WriteAt("data/scenarios/S/countries.csv", "1;1;A;FFAA0000;FFBB0000\r\n2;1;B;FFCC0000;FFDD0000\r\n");
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  std::map<int, std::pair<uint32_t, uint32_t>> colours;
  std::vector<std::wstring> sheets;
  sUnitsSkinGame game;
  game.loadCountryTextures = [&](const std::wstring& skin) { sheets.push_back(skin); };
  game.scenarioCountriesFile = L"data\\scenarios\\S\\countries.csv";
  game.countryCount = 2;
  game.setColours = [&](int id, uint32_t a, uint32_t b) { colours[id] = {a, b}; };
  LoadUnitsSkin(L"Hand", &game);

  EXPECT_EQ(sheets, std::vector<std::wstring>{L"Hand"});
  std::vector<cRecordingFrontEnd::sCall> loads;
  for (const auto& c : fe.calls)
    if (c.name == "LoadTexture") loads.push_back(c);
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0].text, L"data\\gfx\\[UnitsSkin]Hand\\units.png");
  EXPECT_EQ(loads[0].value, 3);  // mip levels for a device wider than 1024
  EXPECT_EQ(loads[1].text, L"data\\gfx\\[UnitsSkin]Hand\\info.png");
  EXPECT_EQ(loads[1].value, 1);
  // The skin's colours win over the scenario's; ids 0 and above the count
  // are left out, 0 with a warning naming the file and line.
  EXPECT_EQ(colours[1], (std::pair<uint32_t, uint32_t>{0xFFAA0000u, 0xFFBB0000u}));
  EXPECT_EQ(colours[2], (std::pair<uint32_t, uint32_t>{0xFF112233u, 0xFF445566u}));
  EXPECT_EQ(colours.size(), 2u);
  EXPECT_EQ(log.CountContaining(L"WARNING: data\\gfx\\[UnitsSkin]Hand\\countries.csv line 4: country id 0"), 1);

  // Without units.png no picture is loaded again and no sheet asked for.
  std::filesystem::remove("data/gfx/[UnitsSkin]Hand/units.png");
  fe.calls.clear();
  sheets.clear();
  LoadUnitsSkin(L"Hand", &game);
  EXPECT_EQ(fe.Count("LoadTexture"), 0);
  EXPECT_TRUE(sheets.empty());
}

TEST(UnitsSkin, ACountryWithoutItsPicturesFallsBackWithAWarning) {
  cSkinFolder folder;
  folder.WriteAt("data/gfx/Flags/unknown.png", "png");
  folder.WriteAt("data/gfx/Flags/Known.png", "png");
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  cLogCapture log;
  world_test::GameFixture g(2, 2, 2);
  cPanstwo& lost = *g.game->countries[0];
  lost.name = lost.skinName = L"Lost";
  lost.LoadUnitsTexture(L"Hand");
  EXPECT_EQ(lost.GetUnitsTexture(), 0);
  EXPECT_EQ(log.CountContaining(L"WARNING: units picture data\\gfx\\[UnitsSkin]Hand\\units_Lost.png not found"), 1);
  lost.LoadFlagTexture(L"S");
  EXPECT_EQ(log.CountContaining(L"WARNING: no flag for Lost"), 1);
  const FrontEndHandle unknown = lost.GetFlagTexture();
  EXPECT_NE(unknown, 0);
  EXPECT_EQ(fe.calls.back().text, L"data\\gfx\\Flags\\unknown.png");
  // The default flag is loaded once; a country with its own keeps it.
  g.game->countries[1]->name = L"Nameless";
  g.game->countries[1]->LoadFlagTexture(L"S");
  EXPECT_EQ(g.game->countries[1]->GetFlagTexture(), unknown);
  EXPECT_EQ(fe.Count("LoadTexture"), 1);
  lost.name = L"Known";
  lost.LoadFlagTexture(L"S");
  EXPECT_NE(lost.GetFlagTexture(), unknown);
}

}  // namespace
