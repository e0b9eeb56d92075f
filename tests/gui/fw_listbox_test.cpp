// The list box with columns on the software renderer: sorting by every sort
// type in both directions with ties kept in order, header clicks, the
// selection following its row, single and multiple selection by keys,
// clicks with Shift and Ctrl and dragging, column hints and drawing.
#include "gui/fw_listbox.h"

#include "gui/fw_combobox.h"

#include <gtest/gtest.h>

#include <set>

#include "gui/cursor.h"
#include "gui_test_support.h"

namespace {
using gui_test::Events;
using gui_test::FlatColour;
using gui_test::sEvent;

constexpr int kId = 31;

class TestListBox : public CFWListBox {
 public:
  using CFWListBox::CFWListBox;
  std::set<int> held;

 protected:
  bool KeyHeld(int vk) const override { return held.count(vk) != 0; }
};

void* Data(int i) { return reinterpret_cast<void*>(static_cast<uintptr_t>(1000 + i)); }

class ListBoxTest : public gui_test::DialogRenderTest {
 protected:
  void SetUp() override {
    gui_test::DialogRenderTest::SetUp();
    if (HasFatalFailure()) return;
    list = Place(new TestListBox(dialog.get()), kId, 10, 10, 300, 200);
    ASSERT_GT(list->RowHeight(), 0);
  }
  // Rows "r<i>;<text i>" with data 1000 + i.
  void Rows(const std::vector<std::wstring>& second) {
    list->SetColumns(2, L"Name;Value", {40, 60});
    for (size_t i = 0; i < second.size(); ++i)
      list->AddItem((L"r" + std::to_wstring(i) + L";" + second[i]).c_str(), Data(static_cast<int>(i)));
  }
  void Numbered(int n) {
    list->SetColumns(1, L"Name", {100});
    for (int i = 0; i < n; ++i) list->AddItem((L"r" + std::to_wstring(i)).c_str(), Data(i));
  }
  std::vector<std::wstring> Labels() {
    std::vector<std::wstring> out;
    for (int i = 0; i < list->GetSize(); ++i) out.push_back(list->GetItem(i)->Texts[0]);
    return out;
  }
  std::vector<int> Selected() {
    std::vector<int> out;
    for (int i = list->GetSelectedIndex(-1); i != -1; i = list->GetSelectedIndex(i)) out.push_back(i);
    return out;
  }
  int RowY(int row) const {
    return list->m_rcItems.top + (row - list->m_ScrollBar.GetTrackPos()) * list->RowHeight() + list->RowHeight() / 2;
  }
  int ColumnX(int column) const {
    int x = list->m_rcItems.left;
    for (int i = 0; i < column; ++i) x += list->m_Columns[static_cast<size_t>(i)].nWidth;
    return x + 3;
  }
  bool Send(UINT msg, int x, int y, WPARAM w = 0) { return dialog->MsgProc(nullptr, msg, w, MakeLParam(x, y)); }
  void ClickRow(int row, WPARAM mods = 0) {
    Send(WM_LBUTTONDOWN, list->m_rcItems.left + 3, RowY(row), mods);
    Send(WM_LBUTTONUP, list->m_rcItems.left + 3, RowY(row), mods);
  }
  void ClickHeader(int column) { Send(WM_LBUTTONDOWN, ColumnX(column), list->m_rcHeader.top + 1); }
  bool KeyDown(int vk, std::set<int> mods = {}) {
    list->held = std::move(mods);
    const bool taken = list->HandleKeyboard(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    list->held.clear();
    return taken;
  }
  size_t Selections() const {
    size_t n = 0;
    for (const sEvent& e : Events()) n += e == sEvent{EVENT_LISTBOX_SELECTION, kId} ? 1 : 0;
    return n;
  }

  TestListBox* list = nullptr;
};

struct sSortCase {
  int type;
  std::vector<std::wstring> texts;
  std::vector<std::wstring> ascending;   // labels after an ascending sort
  std::vector<std::wstring> descending;  // and after a descending one
};

TEST_F(ListBoxTest, EverySortTypeInBothDirectionsKeepsTiesInOrder) {
  const std::vector<std::wstring> same{L"r0", L"r1", L"r2", L"r3", L"r4"};
  const std::vector<sSortCase> cases = {
      // Ordinal text: digits before letters, so "10%" before "9%".
      {1, {L"b", L"10%", L"a", L"9%", L"b"}, {L"r1", L"r3", L"r2", L"r0", L"r4"}, {L"r0", L"r4", L"r2", L"r3", L"r1"}},
      {2, {L"b", L"a", L"c", L"a", L"d"}, same, same},
      {0, {L"b", L"a", L"c", L"a", L"d"}, same, same},
      // The number a text starts with; none counts as 0.
      {3, {L"12 ships", L"3", L"-4", L"3", L"x"}, {L"r2", L"r4", L"r1", L"r3", L"r0"},
       {L"r0", L"r1", L"r3", L"r4", L"r2"}},
      {4, {L"10%", L"9%", L"100%", L"9%", L"0%"}, {L"r4", L"r1", L"r3", L"r0", L"r2"},
       {L"r2", L"r0", L"r1", L"r3", L"r4"}},
      // Hundredths: 0.28 and 0.29 stay apart.
      {5, {L"0.29", L"0.28", L"12.5", L"1.1", L"0.3"}, {L"r1", L"r0", L"r4", L"r3", L"r2"},
       {L"r2", L"r3", L"r4", L"r0", L"r1"}},
      {6, {L"75% (3.0/4.0)", L"100% (4.0/4.0)", L"5% (0.2/4.0)", L"75% (1.5/2.0)", L"50% (1.0/2.0)"},
       {L"r2", L"r4", L"r0", L"r3", L"r1"}, {L"r1", L"r0", L"r3", L"r4", L"r2"}},
      // Products: 3x4 (12) after 2x5 (10).
      {7, {L"3x4", L"2x5", L"10x1", L"1x1", L"4x3"}, {L"r3", L"r1", L"r2", L"r0", L"r4"},
       {L"r0", L"r4", L"r1", L"r2", L"r3"}},
  };
  for (const sSortCase& c : cases) {
    SCOPED_TRACE("sort type " + std::to_string(c.type));
    list->RemoveAllItems();
    Rows(c.texts);
    list->SetColumnSortTypes(2, 1, c.type);
    list->SortByColumn(1);
    EXPECT_EQ(Labels(), c.ascending);
    EXPECT_EQ(list->GetSortedColumn(), 1);
    // Descending from the original order, so that ties show their order.
    list->RemoveAllItems();
    Rows(c.texts);
    list->SetColumnSortTypes(2, 1, c.type);
    list->GetColumn(1)->nSortDirection = 1;
    list->SortByColumn(1);
    EXPECT_EQ(Labels(), c.descending);
  }
}

TEST_F(ListBoxTest, SortNumbersOfOddTexts) {
  const struct {
    const wchar_t* text;
    int type;
    long long number;
  } cases[] = {
      {L"", 3, 0},       {L"  42abc", 3, 42}, {L"-7", 3, -7},  {L"+5%", 4, 5},     {L"2x", 7, 0},
      {L"x5", 7, 0},     {L"3 x 4", 7, 0},    {L"3x 4", 7, 12}, {L"1.5", 5, 150},   {L"-0.5", 5, -50},
      {L"7", 5, 700},    {L"0.125", 5, 12},   {L"abc", 5, 0},   {L"9%", 1, 0},      {L"12", 0, 0},
      {L"99999999999999999999", 3, 1'000'000'000'000LL},
  };
  for (const auto& c : cases) EXPECT_EQ(FWListSortNumber(c.text, c.type), c.number) << "text '" << c.text << "'";
}

TEST_F(ListBoxTest, HeaderClicksAlternateAndUnsortableColumnsStayPut) {
  Rows({L"2", L"1", L"3", L"0"});
  list->SetColumnSortTypes(2, 1, 3);

  ClickHeader(1);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"r3", L"r1", L"r0", L"r2"})) << "first click ascending";
  ClickHeader(1);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"r2", L"r0", L"r1", L"r3"})) << "second descending";
  ClickHeader(1);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"r3", L"r1", L"r0", L"r2"})) << "third ascending again";
  // Another column starts ascending, whatever its direction byte held.
  list->GetColumn(0)->nSortDirection = 1;
  ClickHeader(0);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"r0", L"r1", L"r2", L"r3"}));
  EXPECT_EQ(list->GetSortedColumn(), 0);

  // A column of sort type 0 never reorders, however often it is clicked.
  list->SetColumnSortTypes(2, 1, 0);
  ClickHeader(1);
  ClickHeader(1);
  ClickHeader(1);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"r0", L"r1", L"r2", L"r3"}));
}

TEST_F(ListBoxTest, TheFirstClickOnTheFirstColumnSortsAscending) {
  // Nothing was sorted yet, so column 0 is not "the column sorted last".
  CFWListBox* fresh = list;
  fresh->SetColumns(1, L"Name", {100});
  fresh->SetColumnSortTypes(1, 1);
  fresh->AddItem(L"b", nullptr);
  fresh->AddItem(L"a", nullptr);
  fresh->AddItem(L"c", nullptr);
  ASSERT_TRUE(fresh->HandleMouse(WM_LBUTTONDOWN, POINT{fresh->m_rcItems.left + 3, fresh->m_rcHeader.top + 1}, 0, 0));
  EXPECT_EQ(fresh->GetItem(0)->Texts[0], L"a");
  EXPECT_EQ(fresh->GetItem(2)->Texts[0], L"c");
  EXPECT_EQ(fresh->GetColumn(0)->nSortDirection, 0);
}

TEST_F(ListBoxTest, SelectionFollowsItsRowThroughASort) {
  Rows({L"5", L"1", L"4", L"2"});
  list->SetColumnSortTypes(2, 1, 3);
  list->SelectItem(2, false);
  EXPECT_EQ(list->GetSelectedData(), Data(2));
  list->SortByColumn(1);  // r1, r3, r2, r0
  EXPECT_EQ(list->GetSelectedIndex(), 2);
  list->SelectItem(0, false);  // r1
  list->GetColumn(1)->nSortDirection = 1;
  list->SortByColumn(1);  // r0, r2, r3, r1
  EXPECT_EQ(list->GetSelectedIndex(), 3);
  EXPECT_EQ(list->GetSelectedData(), Data(1));
  EXPECT_EQ(list->GetAnchor(), 3) << "the anchor moves with the selection";

  // Sorting an empty list does nothing and keeps no selection.
  list->RemoveAllItems();
  list->SortByColumn(1);
  EXPECT_EQ(list->GetSelectedIndex(), -1);
  EXPECT_EQ(list->GetSelectedItem(), nullptr);
  EXPECT_EQ(list->GetSelectedData(), nullptr);
}

TEST_F(ListBoxTest, ColumnsRowsAndTheirTexts) {
  list->SetColumns(3, L"One;Two|Three;Four", {25, 50, 25});
  ASSERT_EQ(list->ColumnCount(), 3);
  const int width = list->m_rcItems.right - list->m_rcItems.left;
  EXPECT_EQ(width, 300 - 16 - 12 - 10);
  EXPECT_EQ(list->GetColumn(0)->nWidth, width * 25 / 100);
  EXPECT_EQ(list->GetColumn(1)->nWidth, width * 50 / 100);
  EXPECT_EQ(list->GetColumn(2)->strTitle, L"Three");
  EXPECT_EQ(list->GetColumn(0)->dwHeaderFormat, 4u);
  EXPECT_EQ(list->GetColumn(1)->dwHeaderFormat, 5u);
  list->SetColumns(2, (std::wstring(60, L'T') + L";x").c_str(), {50, 50});
  EXPECT_EQ(list->GetColumn(0)->strTitle.size(), 50u);
  list->SetColumnHints(L"first|second|third");
  EXPECT_EQ(list->GetColumn(1)->strHint, L"second");

  // Three pieces with two columns: all kept; an empty cell keeps its place.
  list->AddItem(L"a;b;c", nullptr);
  list->AddItem(L"a;;c", nullptr);
  EXPECT_EQ(list->GetItem(0)->Texts, (std::vector<std::wstring>{L"a", L"b", L"c"}));
  EXPECT_EQ(list->GetItem(1)->Texts, (std::vector<std::wstring>{L"a", L"", L"c"}));
  EXPECT_EQ(list->SetItemText(1, L"x|y"), S_OK);
  EXPECT_EQ(list->GetItem(1)->Texts, (std::vector<std::wstring>{L"x", L"y"}));
  EXPECT_EQ(list->SetItemText(2, L"x"), E_INVALIDARG);
  EXPECT_EQ(list->AddItem(nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(list->GetItem(-1), nullptr);
  EXPECT_EQ(list->GetItem(2), nullptr);
  EXPECT_EQ(list->m_ScrollBar.GetTrackEnd(), 2);
}

TEST_F(ListBoxTest, SingleSelectionByKeysClampsAndAnnounces) {
  Numbered(30);
  const int page = list->m_ScrollBar.GetPageSize();
  ASSERT_GT(page, 2);
  ASSERT_LT(page, 30);
  EXPECT_TRUE(KeyDown(VK_DOWN));
  EXPECT_EQ(list->GetSelectedIndex(), 0);
  KeyDown(VK_NEXT);
  EXPECT_EQ(list->GetSelectedIndex(), page - 1);
  KeyDown(VK_END);
  EXPECT_EQ(list->GetSelectedIndex(), 29);
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), 30 - page) << "scrolled into view";
  EXPECT_EQ(Selections(), 3u);
  EXPECT_TRUE(KeyDown(VK_DOWN)) << "taken at the end";
  EXPECT_EQ(Selections(), 3u) << "but nothing changed";
  KeyDown(VK_PRIOR);
  EXPECT_EQ(list->GetSelectedIndex(), 29 - (page - 1));
  KeyDown(VK_HOME);
  EXPECT_EQ(list->GetSelectedIndex(), 0);
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), 0);
  EXPECT_FALSE(KeyDown(VK_LEFT));
  EXPECT_FALSE(KeyDown(VK_RIGHT));
  EXPECT_EQ(list->GetSelectedIndex(), 0);

  list->RemoveAllItems();
  EXPECT_FALSE(KeyDown(VK_DOWN)) << "no rows, no keys";
}

TEST_F(ListBoxTest, MultiSelectionByClicksWithShiftAndCtrl) {
  list->SetStyle(CFWListBox::kMultiSelection);
  Numbered(8);
  ClickRow(1);
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  EXPECT_EQ(list->GetAnchor(), 1);

  ClickRow(3, MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list->GetAnchor(), 1) << "Shift keeps the anchor";

  ClickRow(5, MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 5}));
  EXPECT_EQ(list->GetAnchor(), 5);
  ClickRow(2, MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 3, 5})) << "Ctrl toggles one row";

  // Ctrl and Shift: the range from the anchor (row 2, now clear) takes its flag.
  ClickRow(4, MK_CONTROL | MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 5}));

  // Shift from anchor 2 downward clears what lies outside the range.
  ClickRow(0, MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  ClickRow(6);
  EXPECT_EQ(Selected(), (std::vector<int>{6}));
  EXPECT_EQ(list->GetSelectedData(), Data(6));
  EXPECT_EQ(list->GetSelectedIndex(-2), -1);
  EXPECT_GE(Selections(), 7u);
}

TEST_F(ListBoxTest, MultiSelectionByKeysExtendsFromTheAnchor) {
  list->SetStyle(CFWListBox::kMultiSelection);
  Numbered(10);
  ClickRow(2);
  KeyDown(VK_DOWN, {VK_SHIFT});
  KeyDown(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4}));
  KeyDown(VK_HOME, {VK_SHIFT});
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  KeyDown(VK_DOWN);
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  EXPECT_EQ(list->GetAnchor(), 1);
}

TEST_F(ListBoxTest, SingleSelectionStyleIgnoresModifiersForTheRowFlags) {
  Numbered(5);
  ClickRow(1);
  ClickRow(3, MK_SHIFT);
  EXPECT_EQ(list->GetSelectedIndex(), 3);
  EXPECT_EQ(list->GetSelectedIndex(0), 3) << "one selection whatever previous is";
  EXPECT_EQ(list->GetAnchor(), 1);
}

TEST_F(ListBoxTest, DraggingSelectsAndScrollsPastTheVisibleRows) {
  list->SetStyle(CFWListBox::kMultiSelection);
  Numbered(40);
  const int page = list->m_ScrollBar.GetPageSize();
  const int x = list->m_rcItems.left + 3;
  Send(WM_LBUTTONDOWN, x, RowY(1));
  ASSERT_TRUE(list->m_bDrag);
  Events().clear();
  Send(WM_MOUSEMOVE, x, RowY(3));
  EXPECT_EQ(Selected(), (std::vector<int>{1})) << "the rows passed get their flags when the button comes up";
  EXPECT_EQ(list->m_nSelected, 3);
  EXPECT_EQ(Selections(), 1u) << "a drag reaches the callback even with non-user events off";

  // Below the visible rows: one row down, the last visible row selected.
  Send(WM_MOUSEMOVE, x, list->m_rcItems.bottom + 40);
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), 1);
  EXPECT_EQ(list->m_nSelected, page);
  Send(WM_MOUSEMOVE, x, list->m_rcItems.top - 1);
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), 0) << "a point just above the rows scrolls up";
  EXPECT_EQ(list->m_nSelected, 0);
  Send(WM_MOUSEMOVE, x, RowY(4));
  Send(WM_LBUTTONUP, x, RowY(4));
  EXPECT_FALSE(list->m_bDrag);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 4}));

  // After the rows are replaced, an old anchor must not reach past them.
  list->SelectItem(39, false);
  list->RemoveAllItems();
  list->AddItem(L"one", nullptr);
  list->m_nSelected = 0;
  Send(WM_LBUTTONUP, x, RowY(0));
  EXPECT_EQ(list->GetAnchor(), 0);
}

TEST_F(ListBoxTest, DoubleClickAnnouncesWithoutChangingTheSelection) {
  Numbered(4);
  ClickRow(1);
  Events().clear();
  Send(WM_LBUTTONDBLCLK, list->m_rcItems.left + 3, RowY(2));
  Send(WM_LBUTTONUP, list->m_rcItems.left + 3, RowY(2));
  EXPECT_EQ(Events(), (std::vector<sEvent>{{EVENT_LISTBOX_ITEM_DBLCLK, kId}}));
  EXPECT_EQ(list->GetSelectedIndex(), 1);
}

TEST_F(ListBoxTest, HoverPicksTheColumnAndShowsItsHint) {
  Rows({L"1", L"2"});
  list->SetColumnHints(L"The name;The value");
  Send(WM_MOUSEMOVE, ColumnX(1), RowY(1));
  EXPECT_EQ(list->m_nHoverColumn, 1);
  EXPECT_EQ(list->m_nHoverRow, 1);
  ASSERT_NE(list->GetHint(), nullptr);
  EXPECT_EQ(std::wstring(list->GetHint()), L"The value");
  EXPECT_EQ(gCursor.HoverControl(), list);
  Send(WM_MOUSEMOVE, ColumnX(0), RowY(0));
  EXPECT_EQ(std::wstring(list->GetHint()), L"The name");
  Send(WM_MOUSEMOVE, ColumnX(0), list->m_rcHeader.top + 1);
  EXPECT_EQ(list->m_nHoverRow, -1) << "above the rows";
  list->OnMouseLeave();
  EXPECT_EQ(list->m_nHoverColumn, -1);
  EXPECT_EQ(list->m_nHoverRow, -1);
}

TEST_F(ListBoxTest, WheelScrollsByLinesPerNotch) {
  Numbered(40);
  const WPARAM down = static_cast<WPARAM>(static_cast<uint16_t>(-WHEEL_DELTA)) << 16;
  EXPECT_TRUE(list->HandleMouse(WM_MOUSEWHEEL, POINT{50, 50}, down, 0));
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), kFWWheelScrollLines);
  EXPECT_TRUE(list->HandleMouse(WM_MOUSEWHEEL, POINT{50, 50}, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0));
  EXPECT_EQ(list->m_ScrollBar.GetTrackPos(), 0);
}

TEST_F(ListBoxTest, TallRowsAreTwoAndAHalfFontsHigh) {
  Numbered(20);
  const int single = list->RowHeight();
  const int page = list->m_ScrollBar.GetPageSize();
  list->SetStyle(CFWListBox::kTallRows);
  EXPECT_EQ(list->RowHeight(), static_cast<int>(single * 2.5));
  EXPECT_EQ(list->m_ScrollBar.GetPageSize(), (list->m_rcItems.bottom - list->m_rcItems.top) / list->RowHeight());
  EXPECT_LT(list->m_ScrollBar.GetPageSize(), page);
}

TEST_F(ListBoxTest, DrawsBodyHeaderPiecesBySortLookAndSelectedRows) {
  list->SetColumns(2, L";", {50, 50});
  list->SetColumnSortTypes(2, 0, 3);
  list->AddItem(L";", nullptr);
  list->AddItem(L";", nullptr);
  list->SelectItem(1, false);
  Draw(*dialog);
  EXPECT_EQ(At(11, 11), FlatColour(FWCONTROL_LISTBOX, 0)) << "top-left of the body";
  EXPECT_EQ(At(150, 150), FlatColour(FWCONTROL_LISTBOX, 4)) << "centre of the body";
  const int headerY = (list->m_rcHeader.top + list->m_rcHeader.bottom) / 2;
  const int side = list->m_rcHeader.bottom - list->m_rcHeader.top;
  const int c1 = list->m_rcItems.left + list->GetColumn(0)->nWidth;
  const int c2 = c1 + list->GetColumn(1)->nWidth;
  EXPECT_EQ(At(list->m_rcItems.left + 10, headerY), FlatColour(FWCONTROL_LISTBOX, 10)) << "plain header body";
  EXPECT_EQ(At(c1 - side / 2, headerY), FlatColour(FWCONTROL_LISTBOX, 9)) << "plain header square";
  EXPECT_EQ(At(c1 + 10, headerY), FlatColour(FWCONTROL_LISTBOX, 13)) << "ascending header body";
  EXPECT_EQ(At(c2 - side / 2, headerY), FlatColour(FWCONTROL_LISTBOX, 12)) << "ascending arrow";
  EXPECT_EQ(At(list->m_rcItems.left + 10, RowY(1)), FlatColour(FWCONTROL_LISTBOX, 8)) << "the selected row";
  EXPECT_EQ(At(list->m_rcItems.left + 10, RowY(0)), FlatColour(FWCONTROL_LISTBOX, 4)) << "a row not selected";

  list->GetColumn(1)->nSortDirection = 1;
  list->m_nHoverColumn = 0;
  Draw(*dialog);
  EXPECT_EQ(At(c1 + 10, headerY), FlatColour(FWCONTROL_LISTBOX, 16)) << "descending header body";
  EXPECT_EQ(At(c2 - side / 2, headerY), FlatColour(FWCONTROL_LISTBOX, 15)) << "descending arrow";
  EXPECT_EQ(At(list->m_rcItems.left + 10, headerY), FlatColour(FWCONTROL_LISTBOX, 11)) << "the column under the mouse";
}

TEST_F(ListBoxTest, DialogBuilderStoresTheStyleAfterTheRectangles) {
  gui_test::LoadShippedLayout();
  CFWListBox* built = nullptr;
  ASSERT_EQ(dialog->AddListBox(179, CFWListBox::kMultiSelection | CFWListBox::kTallRows, &built), S_OK);
  ASSERT_NE(built, nullptr);
  EXPECT_EQ(built->GetType(), static_cast<UINT>(FWCONTROL_LISTBOX));
  EXPECT_EQ(built->GetStyle(), CFWListBox::kMultiSelection | CFWListBox::kTallRows);
  const sGuiRect r = GuiRect(179);
  EXPECT_EQ(built->m_rcBoundingBox.left, r.x);
  EXPECT_EQ(built->m_rcBoundingBox.bottom, r.y + r.h);
  CFWComboBox* combo = nullptr;
  ASSERT_EQ(dialog->AddComboBox(180, L"Pick one", &combo), S_OK);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(std::wstring(combo->GetHint()), L"Pick one");
}

}  // namespace
