// The shipped layout tables and the GUI picture they point into: every row
// that the menus, the game screen and the dialogs read exists at every
// resolution and lies on the screen, a dialog's controls lie inside the
// dialog that drags them, and every piece of the GUI picture that the screens
// cut out is inside the picture and painted.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "gui/gui_layout.h"

namespace {

const std::string kData = std::string(BRENNMARK_SOURCE_DIR) + "/data/";

struct sResolution {
  int w, h;
};
void PrintTo(const sResolution& r, std::ostream* os) { *os << r.w << "x" << r.h; }
const sResolution kResolutions[] = {{1024, 768}, {1280, 1024}, {1920, 1080}};

// "a-b c ..." into the list of ids.
std::vector<int> Ids(const char* ranges) {
  std::vector<int> ids;
  std::istringstream in(ranges);
  std::string item;
  while (in >> item) {
    const size_t dash = item.find('-');
    const int lo = std::stoi(item.substr(0, dash));
    const int hi = dash == std::string::npos ? lo : std::stoi(item.substr(dash + 1));
    for (int id = lo; id <= hi; ++id) ids.push_back(id);
  }
  return ids;
}

// Rows that are places on the screen: menus, game screen, sea battle, dialogs.
const char* kScreenRows =
    "0 70-74 80 175-179 181-194 197-201 205 207 208 216 218-222 224-227 229-247 250 252-258 263 270 272-276 "
    "292-294 296 298 300 302 304 310 311 315-320 330-332 335-337 339-344 350-388 390 400-419 421 450-451 453-461 "
    "463-473 600-627 650-663 82-88 90-92 95-169 171 480 481 483-499 501-505 550-553 555-564 566-578 630 632 634-640 665 667 672 673 "
    "684 685 687 688 694 695 697-702 704-707 722 723 725-728 730 732 733 740 741 743-757 760 780-786 790 792 "
    "794-800 810-824 826 840 842-852 860 862-871 900 902 903 907 910 914 917-919 930 932-938 940-947 950-956 960 "
    "962-968";

// Dialogs and panels whose head drags the ids after it (the layout groups),
// and ids of the range that lie elsewhere on purpose.
struct sGroup {
  int head, last;
  const char* elsewhere;
};
const sGroup kGroups[] = {{82, 171, ""},    {252, 258, ""},   {480, 505, ""},     {550, 578, ""},   {630, 640, ""},
                          {667, 673, ""},   {694, 700, ""},   {701, 707, ""},     {722, 728, ""},   {730, 733, ""},
                          {740, 757, ""},   {790, 800, ""},   {810, 826, ""},     {840, 852, ""},   {860, 871, ""},
                          {900, 919, ""},   {930, 938, ""},   {940, 956, ""},     {960, 968, ""},   {351, 390, ""},
                          {401, 421, "420"}, {451, 473, ""},  {601, 627, ""},     {310, 320, ""},   {292, 344, "310-320 335-344"}};

class GuiLayoutTablesTest : public ::testing::TestWithParam<sResolution> {
 protected:
  void SetUp() override {
    const sResolution r = GetParam();
    LoadGuiLayoutFrom(Utf8ToWide(kData + "GUI_" + std::to_string(r.w) + "x" + std::to_string(r.h) + ".csv"));
  }
};

TEST_P(GuiLayoutTablesTest, EveryRowReadLiesOnTheScreen) {
  const sResolution s = GetParam();
  for (int id : Ids(kScreenRows)) {
    const sGuiRect r = GuiRect(id);
    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= s.w && r.y + r.h <= s.h && r.w >= 0 && r.h >= 0)
        << "row " << id << ": " << r.x << ";" << r.y << ";" << r.w << ";" << r.h;
    if (id != 389 && id != 685 && id != 687) {
      EXPECT_GT(r.w * r.h, 0) << "row " << id;
    }
  }
  // Edge scrolling: left and top thresholds near the edges, right and bottom
  // near the far edges, so the middle of the screen never scrolls.
  const sGuiRect edge = GuiRect(291);
  EXPECT_TRUE(edge.x >= 0 && edge.x < 16 && edge.y >= 0 && edge.y < 16) << edge.x << " " << edge.y;
  EXPECT_TRUE(edge.w > s.w - 16 && edge.w < s.w && edge.h > s.h - 16 && edge.h < s.h) << edge.w << " " << edge.h;
}

TEST_P(GuiLayoutTablesTest, ControlsLieInsideTheDialogOrPanelThatMovesThem) {
  for (const sGroup& g : kGroups) {
    const sGuiRect head = GuiRect(g.head);
    const std::vector<int> skip = Ids(g.elsewhere);
    for (int id = g.head + 1; id <= g.last; ++id) {
      const sGuiRect r = GuiRect(id);
      if (r.w < 0 || std::find(skip.begin(), skip.end(), id) != skip.end()) continue;  // no row
      EXPECT_TRUE(r.x >= head.x && r.y >= head.y && r.x + r.w <= head.x + head.w && r.y + r.h <= head.y + head.h)
          << "row " << id << " outside " << g.head;
    }
  }
}

// The bar, the four folding panels, the minimap, the command icons and the
// computer's-turn picture (fixed in the lower right corner) can all be open
// at once without covering one another.
TEST_P(GuiLayoutTablesTest, GameScreenPanelsLieSideBySide) {
  const sResolution s = GetParam();
  std::vector<std::pair<int, sGuiRect>> boxes;
  for (int id : {292, 351, 401, 451, 601, 310, 335}) boxes.push_back({id, GuiRect(id)});
  boxes.push_back({7542, {s.w - 150, s.h - 150, 150, 150}});
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const sGuiRect& a = boxes[i].second;
      const sGuiRect& b = boxes[j].second;
      EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
          << boxes[i].first << " and " << boxes[j].first << " overlap";
    }
}

TEST_P(GuiLayoutTablesTest, PicturesFitTheScreen) {
  const sResolution s = GetParam();
  // The wallpaper's source (left, top, right, bottom) has the screen's
  // proportions and lies in the picture.
  const sGuiRect wall = GuiRect(1);
  SDL_Surface* picture = IMG_Load((kData + "gfx/wallpaper_main.png").c_str());
  ASSERT_NE(picture, nullptr) << IMG_GetError();
  EXPECT_TRUE(wall.x >= 0 && wall.y >= 0 && wall.w <= picture->w && wall.h <= picture->h);
  SDL_FreeSurface(picture);
  EXPECT_NEAR(static_cast<double>(wall.w - wall.x) / (wall.h - wall.y), static_cast<double>(s.w) / s.h, 0.01);
  // The logos are drawn unscaled at row 0.
  for (const char* logo : {"logof.png", "logog.png"}) {
    SDL_Surface* l = IMG_Load((kData + "gfx/" + logo).c_str());
    ASSERT_NE(l, nullptr) << logo;
    EXPECT_TRUE(GuiRect(0).x + l->w <= s.w && GuiRect(0).y + l->h <= s.h) << logo;
    SDL_FreeSurface(l);
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, GuiLayoutTablesTest, ::testing::ValuesIn(kResolutions),
                         [](const auto& info) { return std::to_string(info.param.w) + "x" + std::to_string(info.param.h); });

// The pieces of GUI.png the screens cut out, with how many times each repeats
// below itself (icons: disabled, normal, mouse-over) and to the right.
struct sPiece {
  int l, t, r, b, down = 1, across = 1;
};

TEST(GuiPictureTest, EveryPieceTheScreensCutOutIsInsideAndPainted) {
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load((kData + "gfx/GUI.png").c_str()),
                                                                 SDL_FreeSurface);
  ASSERT_NE(loaded, nullptr) << IMG_GetError();
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> gui(
      SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
  ASSERT_NE(gui, nullptr);
  EXPECT_EQ(gui->w, 2048);
  EXPECT_EQ(gui->h, 2048);

  std::vector<sPiece> pieces = {
      {950, 100, 1040, 190, 3},   {1040, 100, 1130, 190, 3},  {1130, 100, 1220, 190, 3},  {950, 460, 1040, 550, 3},
      {0, 1390, 200, 1590, 1, 2}, {560, 375, 585, 400, 3},    {590, 375, 615, 400, 3},    {620, 375, 645, 400, 3},
      {650, 375, 675, 400, 3},    {680, 375, 705, 400, 3},    {380, 150, 440, 210, 6},    {1898, 1898, 2048, 2048},
      {1240, 105, 1280, 145, 3, 8}, {1240, 225, 1280, 265, 3, 1}, {1320, 225, 1360, 265, 3, 1},
      {1400, 225, 1440, 265, 3, 4}, {1240, 345, 1280, 385, 3, 2}, {1360, 345, 1400, 385, 3, 1},
      {0, 1913, 45, 1958, 3, 3},  {190, 1895, 200, 1905, 3, 3}};
  // The pieces the tables point at, the same at every resolution.
  LoadGuiLayoutFrom(Utf8ToWide(kData + "GUI_1024x768.csv"));
  for (int id : {3, 4, 5, 6}) {  // areas: left, top, right, bottom
    const sGuiRect a = GuiRect(id);
    pieces.push_back({a.x, a.y, a.w, a.h});
  }
  const auto cell = [](int id, int down, int across) {
    const sGuiRect c = GuiRect(id);
    return sPiece{c.x, c.y, c.x + c.w, c.y + c.h, down, across};
  };
  pieces.push_back(cell(11, 3, 1));   // weather: good, snow, mud
  pieces.push_back(cell(13, 4, 1));   // research investment levels 0-3
  pieces.push_back(cell(14, 6, 5));   // command icon grid
  pieces.push_back(cell(57, 2, 2));   // purchases preview cells

  // No two pieces share pixels, and none lies on the toolkit's own corners.
  std::vector<sPiece> areas = {{0, 1885, 500, 2048}, {0, 0, 250, 290}, {1130, 370, 1220, 460}};
  for (const sPiece& p : pieces)
    if (p.t < 1885 || p.l >= 500) areas.push_back({p.l, p.t, p.l + (p.r - p.l) * p.across, p.t + (p.b - p.t) * p.down});
  for (size_t i = 0; i < areas.size(); ++i)
    for (size_t j = i + 1; j < areas.size(); ++j) {
      const sPiece& a = areas[i];
      const sPiece& b = areas[j];
      EXPECT_FALSE(a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b)
          << a.l << "," << a.t << " and " << b.l << "," << b.t << " overlap";
    }

  const auto* px = static_cast<const uint32_t*>(gui->pixels);
  const int pitch = gui->pitch / 4;
  for (const sPiece& p : pieces) {
    const int w = p.r - p.l, h = p.b - p.t;
    ASSERT_TRUE(w > 0 && h > 0 && p.l >= 0 && p.t >= 0 && p.l + w * p.across <= 2048 && p.t + h * p.down <= 2048)
        << "piece at " << p.l << "," << p.t;
    for (int i = 0; i < p.down; ++i)
      for (int j = 0; j < p.across; ++j) {
        // Painted: at least a fifth of the piece is opaque and it is not one flat colour.
        int opaque = 0;
        uint32_t first = px[(p.t + i * h) * pitch + p.l + j * w];
        bool varied = false;
        for (int y = p.t + i * h; y < p.t + (i + 1) * h; ++y)
          for (int x = p.l + j * w; x < p.l + (j + 1) * w; ++x) {
            const uint32_t v = px[y * pitch + x];
            if ((v >> 24) > 128) ++opaque;
            if (v != first) varied = true;
          }
        EXPECT_TRUE(opaque * 5 >= w * h && varied) << "piece at " << p.l + j * w << "," << p.t + i * h;
      }
  }
}

}  // namespace
