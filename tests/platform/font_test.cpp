#include <gtest/gtest.h>

#include <SDL2/SDL_ttf.h>

#include "platform/font.h"
#include "platform/sprite.h"
#include "support/sdl_test_support.h"

namespace {
using sdl_test::PixelAt;

int FakeHeight(void*, int pointSize) { return pointSize + pointSize / 5; }  // 10 pt is 12 px high

TEST(FontChoice, CellHeightMapsToTheLargestPointSizeThatFits) {
  EXPECT_EQ(PointSizeForCellHeight(12, &FakeHeight, nullptr), 10);
  EXPECT_EQ(PointSizeForCellHeight(13, &FakeHeight, nullptr), 11);  // 11 pt is 13 px
  EXPECT_EQ(PointSizeForCellHeight(14, &FakeHeight, nullptr), 12);  // 12 pt is 14 px
  EXPECT_EQ(PointSizeForCellHeight(1, &FakeHeight, nullptr), 1);
  EXPECT_EQ(PointSizeForCellHeight(0, &FakeHeight, nullptr), 1);
}

TEST(FontChoice, FacesMapToTheInstalledFamilyAndWeightsToBold) {
  const std::string regular = FindFontFile(L"Arial", FW_NORMAL, false);
  ASSERT_FALSE(regular.empty()) << "no font installed";
  EXPECT_NE(regular.find("DejaVuSans.ttf"), std::string::npos);
  EXPECT_NE(FindFontFile(L"Arial", FW_BOLD, false).find("DejaVuSans-Bold.ttf"), std::string::npos);
  EXPECT_NE(FindFontFile(L"Tahoma", FW_SEMIBOLD, false).find("Bold"), std::string::npos);
  EXPECT_EQ(FindFontFile(L"Tahoma", 500, false).find("Bold"), std::string::npos);
  EXPECT_NE(FindFontFile(L"Courier New", FW_NORMAL, false).find("Mono"), std::string::npos);
  EXPECT_NE(FindFontFile(L"Times New Roman", FW_NORMAL, false).find("Serif"), std::string::npos);
  EXPECT_EQ(FindFontFile(L"No Such Face", FW_NORMAL, false), regular);
}

class FontTest : public sdl_test::DeviceWindowTest {
 protected:
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(cPlatformFont::Create(device, 20, 0, FW_NORMAL, 1, false, L"Arial", &font), S_OK);
  }
  void TearDown() override {
    if (font != nullptr) font->Release();
    sdl_test::DeviceWindowTest::TearDown();
  }
  // Lit pixels of the frame inside the rectangle.
  int LitIn(const RECT& r) {
    std::vector<uint32_t> px;
    int w = 0, h = 0;
    EXPECT_TRUE(device->ReadPixels(px, w, h));
    int lit = 0;
    for (int y = std::max(0, static_cast<int>(r.top)); y < std::min(h, static_cast<int>(r.bottom)); ++y)
      for (int x = std::max(0, static_cast<int>(r.left)); x < std::min(w, static_cast<int>(r.right)); ++x)
        if ((px[static_cast<size_t>(y) * w + x] & 0x00FFFFFFu) != 0) ++lit;
    return lit;
  }
  cPlatformFont* font = nullptr;
};

TEST_F(FontTest, CellHeightIsTheLineHeightAndThePointSizeFitsIt) {
  EXPECT_EQ(font->LineHeight(), 20);
  TTF_Font* f = TTF_OpenFont(font->File().c_str(), font->PointSize());
  ASSERT_NE(f, nullptr);
  EXPECT_LE(TTF_FontHeight(f), 20);
  TTF_SetFontSize(f, font->PointSize() + 1);
  EXPECT_GT(TTF_FontHeight(f), 20) << "the next point size would not fit";
  TTF_CloseFont(f);
}

TEST_F(FontTest, MeasuringAndDrawingShareOneLayout) {
  const std::wstring text = L"Hello brave new world";
  RECT calc{10, 10, 90, 10};
  const int h = font->DrawText(nullptr, text, -1, &calc, DT_CALCRECT | DT_WORDBREAK, 0xFFFFFFFFu);
  const sTextLayout layout = LayoutText(text, -1, RECT{10, 10, 90, 10}, DT_WORDBREAK, *font);
  EXPECT_EQ(h, layout.height);
  EXPECT_GE(layout.lines.size(), 2u);
  EXPECT_EQ(calc.right, layout.bounds.right);
  EXPECT_EQ(calc.bottom, 10 + h);
  EXPECT_EQ(LitIn(RECT{0, 0, 320, 240}), 0) << "measuring draws nothing";

  RECT draw{10, 10, 90, 10 + h};
  EXPECT_EQ(font->DrawText(nullptr, text, -1, &draw, DT_WORDBREAK, 0xFFFFFFFFu), h);
  EXPECT_GT(LitIn(draw), 50);
  EXPECT_EQ(LitIn(RECT{0, draw.bottom, 320, 240}), 0);
  EXPECT_EQ(LitIn(RECT{draw.right + 2, 0, 320, 240}), 0);
}

TEST_F(FontTest, TextIsClippedToItsRectangleUnlessNoClip) {
  RECT narrow{20, 50, 60, 80};
  font->DrawText(nullptr, L"WWWWWWWWWW", -1, &narrow, DT_LEFT | DT_VCENTER | DT_SINGLELINE, 0xFFFFFFFFu);
  EXPECT_GT(LitIn(narrow), 20);
  EXPECT_EQ(LitIn(RECT{60, 0, 320, 240}), 0);
  RECT free{20, 150, 60, 180};
  font->DrawText(nullptr, L"WWWWWWWWWW", -1, &free, DT_LEFT | DT_NOCLIP, 0xFFFFFFFFu);
  EXPECT_GT(LitIn(RECT{60, 150, 320, 180}), 20);
}

TEST_F(FontTest, TextThroughASpriteKeepsItsColourAndDrawsAtEnd) {
  cPlatformSprite sprite(device);
  sprite.Begin(D3DXSPRITE_ALPHABLEND);
  RECT r{0, 0, 320, 240};
  font->DrawText(&sprite, L"Brennmark", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0xFFFF0000u);
  EXPECT_EQ(LitIn(r), 0);
  sprite.End();
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(device->ReadPixels(px, w, h));
  int red = 0, other = 0;
  for (uint32_t p : px) {
    if ((p & 0x00FFFFFFu) == 0) continue;
    if ((p & 0x0000FFFFu) == 0) ++red;
    else ++other;
  }
  EXPECT_GT(red, 30);
  EXPECT_EQ(other, 0);
}

}  // namespace

namespace {

class FontColourTest : public FontTest {};

TEST_F(FontColourTest, GlyphsAddedAfterAColourWasUsedAndManyColoursStillDraw) {
  RECT a{0, 0, 100, 30}, b{0, 40, 100, 70};
  font->DrawText(nullptr, L"A", -1, &a, DT_LEFT, 0xFFFF0000u);
  font->DrawText(nullptr, L"B", -1, &b, DT_LEFT, 0xFFFF0000u);  // a new glyph, the red page made before it
  EXPECT_GT(LitIn(b), 10);
  // More colours than a page keeps: the oldest are made again when needed.
  for (int i = 0; i < 12; ++i) {
    RECT r{110, i * 18, 300, i * 18 + 18};
    font->DrawText(nullptr, L"x", -1, &r, DT_LEFT, 0xFF000000u | static_cast<uint32_t>(20 * (i + 1)));
    EXPECT_GT(LitIn(r), 3) << "colour " << i;
  }
  device->Clear(0xFF000000u);
  font->DrawText(nullptr, L"A", -1, &a, DT_LEFT, 0xFFFF0000u);
  EXPECT_GT(LitIn(a), 10);
}

}  // namespace
