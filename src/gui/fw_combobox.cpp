#include "gui/fw_combobox.h"

#include <algorithm>

#include "gui/fw_dialog.h"

namespace {

bool PtIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr float kRate = 0.8f;
constexpr int kVkF4 = VK_F1 + 3;
// Border of the open list's nine-slice.
constexpr int kListFrame = 8;
// Nine-slice pieces in the order NineSlice gives them (centre, top-left,
// top, top-right, left, right, bottom-left, bottom, bottom-right) as the
// combo box's elements, which run in row order from 4.
constexpr UINT kListPieces[9] = {8, 4, 5, 6, 7, 9, 10, 11, 12};

}  // namespace

CFWComboBox::CFWComboBox(CFWDialog* dialog) : CFWButton(dialog), m_ScrollBar(dialog) { m_Type = FWCONTROL_COMBOBOX; }

CFWComboBox::~CFWComboBox() = default;

HRESULT CFWComboBox::OnInit() {
  m_ScrollBar.m_pDialog = m_pDialog;
  return m_pDialog != nullptr ? m_pDialog->InitControl(&m_ScrollBar) : S_OK;
}

void CFWComboBox::SetTextColor(D3DCOLOR color) {
  if (CFWElement* e = GetElement(0)) e->FontColor.States[FWSTATE_NORMAL] = color;
  if (CFWElement* e = GetElement(2)) e->FontColor.States[FWSTATE_NORMAL] = color;
}

int CFWComboBox::LineHeight() const {
  const CFWElement* e = m_Elements.size() > 2 ? m_Elements[2].get() : nullptr;
  return m_pDialog != nullptr ? m_pDialog->FontHeight(e) : 0;
}

void CFWComboBox::UpdateRects() {
  CFWButton::UpdateRects();
  const RECT& b = m_rcBoundingBox;
  const int h = b.bottom - b.top;
  m_rcButton = b;
  m_rcText = RECT{b.left, b.top, b.right - h, b.bottom};
  m_rcDropdown = RECT{m_rcText.left, m_rcText.top + h, m_rcText.right - m_nSBWidth, m_rcText.bottom + h + m_nDropHeight};
  const int dw = m_rcDropdown.right - m_rcDropdown.left;
  const int dh = m_rcDropdown.bottom - m_rcDropdown.top;
  const int insetX = static_cast<int>(dw * 0.1), insetY = static_cast<int>(dh * 0.1);
  m_rcDropdownText = RECT{m_rcDropdown.left + insetX, m_rcDropdown.top + insetY, m_rcDropdown.right - insetX,
                          m_rcDropdown.bottom - insetY};
  m_ScrollBar.SetLocation(m_rcDropdown.right, m_rcDropdown.top + 2);
  m_ScrollBar.SetSize(m_nSBWidth, dh - 2);
  if (const int line = LineHeight(); line > 0) {
    m_ScrollBar.SetPageSize((m_rcDropdownText.bottom - m_rcDropdownText.top) / line);
    m_ScrollBar.ShowItem(m_iSelected);
  }
}

// ---- Items ----

HRESULT CFWComboBox::AddItem(const wchar_t* text, void* data) {
  if (text == nullptr) return E_INVALIDARG;
  auto item = std::make_unique<FWComboBoxItem>();
  item->strText = text;
  if (item->strText.size() > FWComboBoxItem::kMaxText) item->strText.resize(FWComboBoxItem::kMaxText);
  item->pData = data;
  m_Items.push_back(std::move(item));
  m_ScrollBar.SetTrackRange(0, GetItemCount());
  if (GetItemCount() == 1) {
    m_iSelected = m_iFocused = 0;
    if (m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, false, this);
  }
  return S_OK;
}

void CFWComboBox::RemoveAllItems() {
  m_Items.clear();
  m_ScrollBar.SetTrackRange(0, 1);
  m_ScrollBar.SetTrackPos(0);
  m_iSelected = m_iFocused = -1;
}

int CFWComboBox::FindItem(const wchar_t* text, int start) const {
  if (text == nullptr) return -1;
  for (int i = std::max(0, start); i < GetItemCount(); ++i)
    if (m_Items[static_cast<size_t>(i)]->strText == text) return i;
  return -1;
}

FWComboBoxItem* CFWComboBox::GetItem(int index) {
  return index >= 0 && index < GetItemCount() ? m_Items[static_cast<size_t>(index)].get() : nullptr;
}

FWComboBoxItem* CFWComboBox::GetSelectedItem() { return GetItem(m_iSelected); }

void* CFWComboBox::GetSelectedData() {
  FWComboBoxItem* item = GetSelectedItem();
  return item != nullptr ? item->pData : nullptr;
}

HRESULT CFWComboBox::SetSelectedByIndex(int index) {
  // A negative index would leave the selection pointing at no item.
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  m_iSelected = m_iFocused = index;
  if (m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, false, this);
  return S_OK;
}

HRESULT CFWComboBox::SetSelectedByData(void* data) {
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_Items[static_cast<size_t>(i)]->pData == data) {
      m_iSelected = m_iFocused = i;
      if (m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, false, this);
      return S_OK;
    }
  return E_FAIL;
}

// ---- Input ----

void CFWComboBox::ChangedByUser() { m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this); }

void CFWComboBox::DropFocusWithoutKeyboard() {
  if (!m_pDialog->m_bKeyboardInput) CFWDialog::ClearFocus();
}

// Up and Down (and the wheel of a closed box) move the highlight and the
// selection with it; the change is announced at once only while closed.
void CFWComboBox::Step(int delta) {
  const int next = m_iFocused + delta;
  if (next < 0 || next >= GetItemCount()) return;
  m_iFocused = m_iSelected = next;
  if (!m_bOpened) ChangedByUser();
}

bool CFWComboBox::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible || m_pDialog == nullptr) return false;
  if (m_ScrollBar.HandleKeyboard(msg, wParam, lParam)) return true;
  if (msg != WM_KEYDOWN) return false;
  switch (wParam) {
    case VK_RETURN:
      if (!m_bOpened) return false;
      if (m_iSelected != m_iFocused) {
        m_iSelected = m_iFocused;
        ChangedByUser();
      }
      m_bOpened = false;
      DropFocusWithoutKeyboard();
      return true;
    case kVkF4:
      if ((lParam & KF_REPEAT_BIT) != 0) return true;
      m_bOpened = !m_bOpened;
      if (!m_bOpened) {
        ChangedByUser();
        DropFocusWithoutKeyboard();
      }
      return true;
    case VK_LEFT:
    case VK_UP:
      Step(-1);
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      Step(1);
      return true;
    default:
      return false;
  }
}

bool CFWComboBox::HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible || m_pDialog == nullptr) return false;
  if (m_bOpened && m_ScrollBar.HandleMouse(msg, pt, wParam, lParam)) return true;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (m_bOpened && PtIn(m_rcDropdown, pt)) {
        for (int i = 0; i < GetItemCount(); ++i) {
          const FWComboBoxItem& item = *m_Items[static_cast<size_t>(i)];
          if (item.bVisible && PtIn(item.rcActive, pt)) m_iFocused = i;
        }
        return true;
      }
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (ContainsPoint(pt)) {
        m_bPressed = true;
        FWCaptureMouse(true);
        if (!m_bHasFocus) CFWDialog::RequestFocus(this);
        if (m_bHasFocus) {
          m_bOpened = !m_bOpened;
          if (!m_bOpened) DropFocusWithoutKeyboard();
          UpdateRects();
        }
        return true;
      }
      if (m_bOpened) {
        const bool inList = PtIn(m_rcDropdown, pt);
        if (inList) {
          for (int i = m_ScrollBar.GetTrackPos(); i < GetItemCount(); ++i) {
            const FWComboBoxItem& item = *m_Items[static_cast<size_t>(i)];
            if (item.bVisible && PtIn(item.rcActive, pt)) {
              m_iFocused = m_iSelected = i;
              break;
            }
          }
        } else {
          // A click beside the list puts the highlight back on the selection.
          m_iFocused = m_iSelected;
        }
        m_bOpened = false;
        ChangedByUser();
        m_bPressed = false;
        DropFocusWithoutKeyboard();
        // A click on the open list is the list's: the control drawn under
        // it must not take it as well.
        return inList;
      }
      return false;
    case WM_LBUTTONUP:
      if (m_bPressed && ContainsPoint(pt)) {
        m_bPressed = false;
        FWCaptureMouse(false);
        return true;
      }
      return false;
    case WM_MOUSEWHEEL: {
      const int notches = static_cast<int16_t>((wParam >> 16) & 0xFFFF) / WHEEL_DELTA;
      if (m_bOpened)
        m_ScrollBar.Scroll(-notches * kFWWheelScrollLines);
      else
        Step(notches > 0 ? -1 : 1);
      return true;
    }
    default:
      return false;
  }
}

void CFWComboBox::OnFocusOut() {
  CFWButton::OnFocusOut();
  m_bOpened = false;
}

void CFWComboBox::OnHotkey() {
  if (m_bOpened || m_iSelected == -1 || m_pDialog == nullptr) return;
  ++m_iSelected;
  if (m_iSelected >= GetItemCount()) m_iSelected = 0;
  m_iFocused = m_iSelected;
  ChangedByUser();
}

// ---- Drawing ----

void CFWComboBox::Render(cPlatformDevice* device, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = DrawState();
  const int line = LineHeight();

  for (auto& item : m_Items) item->bVisible = false;
  if (m_bOpened && m_bVisible) {
    RECT pieces[9];
    NineSlice(m_rcDropdown, kListFrame, pieces);
    for (int i = 0; i < 9; ++i) {
      CFWElement* e = GetElement(kListPieces[i]);
      if (e == nullptr) continue;
      e->TextureColor.Blend(FWSTATE_NORMAL, elapsedTime, kRate);
      e->FontColor.Blend(FWSTATE_NORMAL, elapsedTime, kRate);
      m_pDialog->DrawSprite(e, &pieces[i]);
    }
    m_ScrollBar.Render(device, elapsedTime);

    CFWElement* text = GetElement(8);
    CFWElement* highlight = GetElement(3);
    if (highlight != nullptr) {
      highlight->TextureColor.Blend(FWSTATE_NORMAL, elapsedTime, kRate);
      highlight->FontColor.Blend(FWSTATE_NORMAL, elapsedTime, kRate);
    }
    int y = m_rcDropdownText.top;
    // Only whole lines are drawn: a line that would cross the bottom is left out.
    for (int i = m_ScrollBar.GetTrackPos(); line > 0 && i < GetItemCount(); ++i) {
      if (y + line > m_rcDropdownText.bottom) break;
      FWComboBoxItem& item = *m_Items[static_cast<size_t>(i)];
      item.rcActive = RECT{m_rcDropdownText.left, y, m_rcDropdownText.right, y + line};
      item.bVisible = true;
      y += line;
      if (i == m_iFocused && highlight != nullptr) {
        const RECT bar{m_rcDropdown.left + 2, item.rcActive.top, m_rcDropdown.right - 2, item.rcActive.bottom};
        m_pDialog->DrawSprite(highlight, &bar);
        m_pDialog->DrawText(item.strText.c_str(), highlight, &item.rcActive);
      } else if (text != nullptr) {
        m_pDialog->DrawText(item.strText.c_str(), text, &item.rcActive);
      }
    }
  }

  // The field: a left part, a stretched middle and the drop button, each
  // a square of the control's height at most.
  const RECT& b = m_rcBoundingBox;
  const int h = b.bottom - b.top;
  const int left = std::clamp(static_cast<int>(m_rcText.right - m_rcText.left), 0, h);
  const RECT parts[3] = {RECT{b.left, b.top, b.left + left, b.bottom},
                         RECT{b.left + left, b.top, m_rcText.right, b.bottom},
                         RECT{m_rcText.right, b.top, b.right, b.bottom}};
  const UINT elements[3] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    CFWElement* e = GetElement(elements[i]);
    if (e == nullptr || parts[i].right <= parts[i].left) continue;
    const UINT s = i == 2 && (m_bPressed || m_bOpened) && m_bVisible && m_bEnabled ? FWSTATE_PRESSED : state;
    e->TextureColor.Blend(s, elapsedTime, kRate);
    e->FontColor.Blend(state, elapsedTime, kRate);
    m_pDialog->DrawSprite(e, &parts[i]);
  }
  if (const FWComboBoxItem* selected = GetItem(m_iSelected)) {
    if (CFWElement* e = GetElement(2)) m_pDialog->DrawText(selected->strText.c_str(), e, &m_rcText, false, -1, &m_rcText);
  }
}
