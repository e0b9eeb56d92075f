// The layout table written back by drags, with groups and panels, the
// labelled builders, and the default skin with its shared caches.
#include "gui/gui_builders.h"

#include <gtest/gtest.h>

#include "gui/fw_resource_manager.h"
#include "gui_test_support.h"
#include "platform/text_layout.h"
#include "screens/game/panels/panel_ids.h"

namespace {

class GuiBuildersTest : public gui_test::ToolkitTest {
 protected:
  void SetUp() override {
    gui_test::ToolkitTest::SetUp();
    D3DSURFACE_DESC desc;
    desc.Width = 1024;
    desc.Height = 768;
    FWSetBackBufferSurfaceDesc(desc);
    moves().clear();
    SetGuiPanelMoveHandler(&RecordMove);
    SetGuiPanelHeads({kGuiPanelHeadIds.begin(), kGuiPanelHeadIds.end()});
  }
  void TearDown() override {
    SetGuiPanelMoveHandler(nullptr);
    SetGuiPanelHeads({});
    gui_test::ToolkitTest::TearDown();
  }
  struct sMove {
    int id, dx, dy;
  };
  static std::vector<sMove>& moves() {
    static std::vector<sMove> m;
    return m;
  }
  static void RecordMove(int id, int dx, int dy) { moves().push_back({id, dx, dy}); }
  CFWDialog d;
};

TEST_F(GuiBuildersTest, MovingAGroupHeadMovesItsExistingMembers) {
  CFWButton *head = nullptr, *first = nullptr, *last = nullptr, *outside = nullptr;
  d.AddButton(82, L"head", 10, 10, 50, 20, 0, false, &head);
  d.AddButton(83, L"first", 10, 40, 50, 20, 0, false, &first);
  d.AddButton(171, L"last", 10, 70, 50, 20, 0, false, &last);
  d.AddButton(172, L"outside", 10, 100, 50, 20, 0, false, &outside);
  head->MoveBy(5, 0);
  EXPECT_EQ(head->m_x, 15);
  EXPECT_EQ(first->m_x, 15);
  EXPECT_EQ(last->m_x, 15);
  EXPECT_EQ(first->m_rcBoundingBox.left, 15) << "rectangles follow";
  EXPECT_EQ(outside->m_x, 10);
  EXPECT_EQ(GuiLayoutTable[82].x, 15);
  EXPECT_EQ(GuiLayoutTable[83].x, 15);
  EXPECT_EQ(GuiLayoutTable[83].w, 50);
  EXPECT_EQ(GuiGroupEnd(1010), 1025);
  EXPECT_EQ(GuiGroupEnd(83), 0);
}

TEST_F(GuiBuildersTest, PanelsStayOnTheScreen) {
  // The hex panel may touch the right edge of a 1024-pixel screen, not pass it.
  EXPECT_TRUE(SetGuiRect(&d, 400, 824, 600, 1024, 700, 4, 0));
  EXPECT_EQ(GuiLayoutTable[400].x, 824);
  EXPECT_EQ(GuiLayoutTable[400].w, 200);
  ASSERT_EQ(moves().size(), 1u);
  EXPECT_EQ(moves()[0].id, 400);
  EXPECT_EQ(moves()[0].dx, 4);
  EXPECT_FALSE(SetGuiRect(&d, 400, 825, 600, 1025, 700, 1, 0));
  EXPECT_EQ(GuiLayoutTable[400].x, 824) << "refused: nothing changed";
  EXPECT_FALSE(SetGuiRect(&d, 350, -1, 600, 199, 700, -1, 0));
  EXPECT_FALSE(SetGuiRect(&d, 600, 0, 700, 100, 769, 0, 1));
  EXPECT_EQ(moves().size(), 1u);

  // A refused move is undone by the control.
  CFWButton* panelHead = nullptr;
  d.AddButton(450, L"attack panel", 1000, 10, 24, 20, 0, false, &panelHead);
  panelHead->MoveBy(5, 0);
  EXPECT_EQ(panelHead->m_x, 1000);
  EXPECT_EQ(panelHead->m_rcBoundingBox.left, 1000);
}

TEST_F(GuiBuildersTest, IdsOutsideTheTableAndId780AreIgnored) {
  const sGuiRect before = GuiLayoutTable[780];
  EXPECT_TRUE(SetGuiRect(&d, 780, 1, 2, 3, 4, 0, 0));
  EXPECT_EQ(GuiLayoutTable[780].x, before.x);
  EXPECT_TRUE(SetGuiRect(&d, 0, 1, 2, 3, 4, 0, 0));
  EXPECT_TRUE(SetGuiRect(&d, 1500, 1, 2, 3, 4, 0, 0));
  EXPECT_TRUE(SetGuiRect(&d, -7, 1, 2, 3, 4, 0, 0));
}

TEST_F(GuiBuildersTest, SliderWithLabelsTakesThreeRowsOfTheTable) {
  GuiLayoutTable[1430] = {100, 10, 200, 20};
  GuiLayoutTable[1429] = {10, 10, 80, 20};
  GuiLayoutTable[1428] = {310, 10, 60, 20};
  CFWStatic* second = AddSliderWithLabels(&d, 1430, 0, 10, 4, 1429, L"Delay", 1428, L"4");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->m_dwTextFormat, DT_RIGHT | DT_VCENTER);
  EXPECT_EQ(second->m_rcBoundingBox.left, 310);
  auto* slider = d.Get<CFWSlider>(1430, FWCONTROL_SLIDER);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->GetValue(), 4);
  EXPECT_EQ(slider->m_nMax, 10);
  auto* first = d.Get<CFWStatic>(1429, FWCONTROL_STATIC);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetText(), L"Delay");
  EXPECT_FALSE(first->GetEnabled());
}

TEST_F(GuiBuildersTest, DefaultSkinHasEveryElementWithTheFontColours) {
  EXPECT_EQ(d.DefaultElementCount(), 131u);
  const CFWElement* button = d.GetDefaultElement(FWCONTROL_BUTTON, 4);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->rcTexture.left, 156);
  EXPECT_EQ(button->rcTexture.bottom, 1956);
  EXPECT_EQ(button->TextureColor.States[FWSTATE_DISABLED], 0xFFFFFFFFu);
  // P1 with the colours of font record 1.
  EXPECT_EQ(button->FontColor.States[FWSTATE_NORMAL], GuiFontTable[1].color1);
  EXPECT_EQ(button->FontColor.States[FWSTATE_DISABLED], 0xC8808080u);
  EXPECT_EQ(button->FontColor.States[FWSTATE_MOUSEOVER], GuiFontTable[1].color2);
  EXPECT_EQ(button->FontColor.States[FWSTATE_PRESSED], GuiFontTable[1].color1);
  const CFWElement* label = d.GetDefaultElement(FWCONTROL_STATIC, 2);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->iFont, 3u);
  EXPECT_EQ(label->FontColor.States[FWSTATE_NORMAL], GuiFontTable[3].color1);
  EXPECT_EQ(label->FontColor.States[FWSTATE_PRESSED], 0xFFFFFFFFu);
  EXPECT_EQ(label->TextureColor.States[FWSTATE_NORMAL], 0u);
  // Grids: the frame's style 1 in frame order (centre first), the combo
  // box's list in row order.
  const CFWElement* centre = d.GetDefaultElement(FWCONTROL_FRAME, 9);
  ASSERT_NE(centre, nullptr);
  EXPECT_EQ(centre->rcTexture.left, 1160);
  EXPECT_EQ(centre->rcTexture.top, 400);
  const CFWElement* comboLast = d.GetDefaultElement(FWCONTROL_COMBOBOX, 12);
  ASSERT_NE(comboLast, nullptr);
  EXPECT_EQ(comboLast->rcTexture.left, 262);
  EXPECT_EQ(comboLast->rcTexture.top, 2007);
  EXPECT_EQ(comboLast->FontColor.States[FWSTATE_NORMAL], GuiFontTable[1].color1) << "P5";
  const CFWElement* header = d.GetDefaultElement(FWCONTROL_LISTBOX, 13);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->rcTexture.left, 450);
  EXPECT_EQ(header->rcTexture.top, 1961);
  EXPECT_EQ(d.GetDefaultElement(FWCONTROL_SCROLLBAR, 0)->TextureColor.States[FWSTATE_DISABLED], 0x00FFFFFFu);
  EXPECT_EQ(d.GetDefaultElement(FWCONTROL_TABFRAME, 8)->dwTextFormat, 4u);
  for (UINT k = 0; k < 8; ++k) EXPECT_EQ(GuiFontTable[k].index, static_cast<int32_t>(k));

  // A control takes copies of the elements of its type as they are when it is added.
  CFWElement changed = *button;
  changed.rcTexture = RECT{1, 2, 3, 4};
  CFWButton* before = nullptr;
  d.AddButton(1, L"", 0, 0, 10, 10, 0, false, &before);
  d.SetDefaultElement(FWCONTROL_BUTTON, 4, &changed);
  EXPECT_EQ(d.DefaultElementCount(), 131u) << "replaced, not appended";
  CFWButton* after = nullptr;
  d.AddButton(2, L"", 0, 0, 10, 10, 0, false, &after);
  EXPECT_EQ(before->GetElement(4)->rcTexture.left, 156);
  EXPECT_EQ(after->GetElement(4)->rcTexture.left, 1);
  EXPECT_EQ(after->ElementCount(), 6u);
}

TEST_F(GuiBuildersTest, FontsAndTexturesAreSharedWithoutRegardToCase) {
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  const int a = rm->AddFont(L"Arial", 14, 400);
  EXPECT_EQ(rm->AddFont(L"ARIAL", 14, 400), a);
  EXPECT_NE(rm->AddFont(L"Arial", 15, 400), a);
  EXPECT_NE(rm->AddFont(L"Arial", 14, 700), a);
  const int t = rm->AddTexture(L"data\\gfx\\GUI.png");
  EXPECT_EQ(rm->AddTexture(L"DATA\\gfx\\gui.PNG"), t);
  CFWDialog other;
  EXPECT_EQ(other.TextureIndex(0), d.TextureIndex(0)) << "two dialogs, one skin texture";
  EXPECT_EQ(other.FontIndex(1), d.FontIndex(1));
  EXPECT_EQ(d.FontIndex(8), -1);
}

}  // namespace

namespace {

TEST(ShippedLayout, PanelsOfTheShippedTableLieOnItsScreen) {
  gui_test::LoadShippedLayout();
  D3DSURFACE_DESC desc;
  desc.Width = 1024;
  desc.Height = 768;
  FWSetBackBufferSurfaceDesc(desc);
  SetGuiPanelHeads({kGuiPanelHeadIds.begin(), kGuiPanelHeadIds.end()});
  for (int id : kGuiPanelHeadIds) {
    const sGuiRect r = GuiRect(id);
    EXPECT_GT(r.w, 0) << id;
    EXPECT_GT(r.h, 0) << id;
    EXPECT_TRUE(SetGuiRect(nullptr, id, r.x, r.y, r.x + r.w, r.y + r.h, 0, 0)) << id;
  }
  SetGuiPanelHeads({});
}

}  // namespace
