#pragma once
// The table control: rows of several columns under a header row whose
// columns sort the rows when clicked and show a hint each, single or
// multiple selection (Shift ranges from an anchor, Ctrl toggles, dragging
// over the rows), and a scroll bar.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/fw_scrollbar.h"

struct FWListBoxColumn {
  static constexpr size_t kMaxTitle = 50;
  static constexpr size_t kMaxHint = 256;
  int nWidth = 0;
  std::wstring strTitle;
  std::wstring strHint;
  DWORD dwHeaderFormat = 5;
  int nSortType = 0;
  uint8_t nSortDirection = 0;  // 0 ascending, 1 descending
};

struct FWListBoxItem {
  std::vector<std::wstring> Texts;  // one per column piece, more than the columns allowed
  void* pData = nullptr;
  RECT rcActive{};
  bool bSelected = false;
};

// How a column sorts its rows.
enum FWListSortType : int {
  FWSORT_NONE = 0,
  FWSORT_TEXT = 1,
  FWSORT_KEEP = 2,      // accepted, leaves the order as it is
  FWSORT_INTEGER = 3,   // the whole number the text starts with
  FWSORT_PERCENT = 4,   // "%i%%"
  FWSORT_DECIMAL = 5,   // a decimal number, hundredths
  FWSORT_PERCENT_OF = 6,  // "%i%% (%.1f/%.1f)", by the percentage
  FWSORT_SIZE = 7,      // "%ix%i", by the product
};

// The number a cell's text sorts by under a sort type (0 for the types that
// sort by no number and for texts that hold none).
long long FWListSortNumber(const std::wstring& text, int sortType);
// Pieces of a text split at ';' and '|'.
std::vector<std::wstring> FWSplitColumns(const wchar_t* text);

class CFWListBox : public CFWControl {
 public:
  static constexpr DWORD kMultiSelection = 1;
  static constexpr DWORD kTallRows = 2;

  explicit CFWListBox(CFWDialog* dialog = nullptr);
  ~CFWListBox() override;

  HRESULT OnInit() override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnMouseLeave() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;

  DWORD GetStyle() const { return m_dwStyle; }
  void SetStyle(DWORD style) {
    m_dwStyle = style;
    UpdateRects();
  }
  // Columns from titles split at ';' or '|', each as wide as its percent of
  // the item area; the percents follow in widths.
  void SetColumns(int count, const wchar_t* titles, const std::vector<int>& widthPercents);
  template <class... Percents>
  void SetColumns(int count, const wchar_t* titles, int first, Percents... rest) {
    SetColumns(count, titles, std::vector<int>{first, static_cast<int>(rest)...});
  }
  // The sort types of the first columns, in order.
  void SetColumnSortTypes(const std::vector<int>& types);
  template <class... Types>
  void SetColumnSortTypes(int count, int first, Types... rest) {
    std::vector<int> types{first, static_cast<int>(rest)...};
    types.resize(std::min(types.size(), static_cast<size_t>(count < 0 ? 0 : count)));
    SetColumnSortTypes(types);
  }
  void SetColumnHints(const wchar_t* hints);
  int ColumnCount() const { return static_cast<int>(m_Columns.size()); }
  FWListBoxColumn* GetColumn(int index);

  // The row's column texts are the text split at ';' or '|'.
  HRESULT AddItem(const wchar_t* text, void* data);
  HRESULT SetItemText(int index, const wchar_t* text);
  void RemoveAllItems();
  FWListBoxItem* GetItem(int index);
  int GetSize() const { return static_cast<int>(m_Items.size()); }
  // Single selection: the selection. Multiple selection: the next selected
  // row after previous (-1 for the first), -1 when none is left.
  int GetSelectedIndex(int previous = -1) const;
  FWListBoxItem* GetSelectedItem(int previous = -1);
  void* GetSelectedData();
  void SelectItem(int index, bool sendEvent = true);
  void SortByColumn(int column);
  int GetSortedColumn() const { return m_nSortedColumn; }
  int GetAnchor() const { return m_nSelStart; }
  // Height of a row in pixels, 0 without a font.
  int RowHeight() const;
  // The column whose span holds x, -1 for none.
  int ColumnAt(int x) const;

  RECT m_rcHeader{}, m_rcItems{}, m_rcText{};
  int m_nHoverColumn = -1;
  int m_nHoverRow = -1;
  CFWScrollBar m_ScrollBar;
  int m_nSBWidth = 16;
  int m_nBorder = 6;
  int m_nMargin = 5;
  int m_nTextHeight = 0;
  DWORD m_dwStyle = 0;
  int m_nSelected = -1;
  int m_nSelStart = 0;
  bool m_bDrag = false;
  int m_nSortedColumn = 0;
  std::vector<FWListBoxColumn> m_Columns;
  std::vector<std::unique_ptr<FWListBoxItem>> m_Items;

 protected:
  // Whether a modifier is held (tests press them without a keyboard).
  virtual bool KeyHeld(int vk) const;

 private:
  bool Multi() const { return (m_dwStyle & kMultiSelection) != 0; }
  int FontHeightOfHeader() const;
  void HeaderClick(int column);
  // Every row from the anchor to the selection (both included) set, the rest cleared.
  void SelectRangeOnly();
  void ChangedDirectly();
  void DrawHeader(float elapsedTime);
  // No column has been sorted yet: the first click on any header sorts it ascending.
  bool m_bSortedOnce = false;
};
