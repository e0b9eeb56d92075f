#pragma once
// The combo box: a field showing the chosen item and a button that opens a
// drop-down list of the items with its own scroll bar. While it is open the
// list may reach beyond the control's box; the dialog offers the focus
// control every mouse message first, which is how clicks there reach it.
#include <memory>
#include <string>
#include <vector>

#include "gui/fw_scrollbar.h"

struct FWComboBoxItem {
  static constexpr size_t kMaxText = 255;
  std::wstring strText;
  void* pData = nullptr;
  RECT rcActive{};
  bool bVisible = false;
};

class CFWComboBox : public CFWButton {
 public:
  explicit CFWComboBox(CFWDialog* dialog = nullptr);
  ~CFWComboBox() override;

  HRESULT OnInit() override;
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  void OnFocusOut() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;
  void SetTextColor(D3DCOLOR color) override;

  // E_INVALIDARG for a null text. The first item added becomes the selection.
  HRESULT AddItem(const wchar_t* text, void* data);
  void RemoveAllItems();
  // The first item from start on whose text is exactly the text, -1 for none.
  int FindItem(const wchar_t* text, int start = 0) const;
  bool ContainsItem(const wchar_t* text, int start = 0) const { return FindItem(text, start) != -1; }
  FWComboBoxItem* GetSelectedItem();
  void* GetSelectedData();
  // E_INVALIDARG for an index outside the items.
  HRESULT SetSelectedByIndex(int index);
  // E_FAIL when no item carries the data.
  HRESULT SetSelectedByData(void* data);
  int GetSelectedIndex() const { return m_iSelected; }
  int GetFocusedIndex() const { return m_iFocused; }
  int GetItemCount() const { return static_cast<int>(m_Items.size()); }
  FWComboBoxItem* GetItem(int index);
  bool IsOpened() const { return m_bOpened; }
  // Height in pixels of one line of the open list (0 without a font).
  int LineHeight() const;

  int m_iSelected = -1;
  int m_iFocused = -1;
  int m_nDropHeight = 100;
  CFWScrollBar m_ScrollBar;
  int m_nSBWidth = 25;
  bool m_bOpened = false;
  RECT m_rcText{}, m_rcButton{}, m_rcDropdown{}, m_rcDropdownText{};
  std::vector<std::unique_ptr<FWComboBoxItem>> m_Items;

 private:
  // Closing the list by the keyboard or a click lets a dialog without
  // keyboard input give the focus back.
  void DropFocusWithoutKeyboard();
  void Step(int delta);
  void ChangedByUser();
};
