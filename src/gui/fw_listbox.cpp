#include "gui/fw_listbox.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "gui/cursor.h"
#include "gui/fw_dialog.h"
#include "platform/window.h"

namespace {

bool PtIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr float kRate = 0.7f;
// Background pieces in the order NineSlice gives them, as list elements in row order.
constexpr UINT kBodyPieces[9] = {4, 0, 1, 2, 3, 5, 6, 7, 8};
// Header pieces: a set of three per sort look, starting here.
constexpr UINT kHeaderPlain = 9, kHeaderAscending = 12, kHeaderDescending = 15;
constexpr UINT kSelectionElement = 8;
constexpr int kHeaderCap = 4;
constexpr long long kNumberLimit = 1'000'000'000'000LL;

// Rounds toward minus infinity, so that a point above the first row is
// never taken for the first row.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The whole number at text[i] after blanks, with its sign; false when none.
bool ReadInteger(const std::wstring& text, size_t& i, long long& value) {
  while (i < text.size() && std::iswspace(text[i])) ++i;
  size_t j = i;
  bool negative = false;
  if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) negative = text[j++] == L'-';
  if (j >= text.size() || text[j] < L'0' || text[j] > L'9') return false;
  long long v = 0;
  for (; j < text.size() && text[j] >= L'0' && text[j] <= L'9'; ++j) v = std::min(kNumberLimit, v * 10 + (text[j] - L'0'));
  value = negative ? -v : v;
  i = j;
  return true;
}

// A decimal number in hundredths, read digit by digit so that no binary
// fraction rounds 0.29 down to 28.
long long ReadHundredths(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && std::iswspace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long whole = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    whole = std::min(kNumberLimit, whole * 10 + (text[i] - L'0'));
  long long fraction = 0;
  if (i < text.size() && text[i] == L'.') {
    ++i;
    for (int digits = 0; digits < 2; ++digits) {
      fraction *= 10;
      if (i < text.size() && text[i] >= L'0' && text[i] <= L'9') fraction += text[i++] - L'0';
    }
  }
  const long long v = whole * 100 + fraction;
  return negative ? -v : v;
}

// Draws an element across a rectangle keeping its left and right edges
// unstretched: caps of the texture's edges and a stretched middle.
void DrawStretched(CFWDialog* dialog, const CFWElement& e, const RECT& dest, int cap) {
  const RECT t = e.rcTexture;
  const int tc = std::min(cap, static_cast<int>(t.right - t.left) / 2);
  const int dc = std::min(cap, static_cast<int>(dest.right - dest.left) / 2);
  CFWElement piece = e;
  piece.rcTexture = RECT{t.left, t.top, t.left + tc, t.bottom};
  RECT r{dest.left, dest.top, dest.left + dc, dest.bottom};
  dialog->DrawSprite(&piece, &r);
  piece.rcTexture = RECT{t.left + tc, t.top, t.right - tc, t.bottom};
  r = RECT{dest.left + dc, dest.top, dest.right - dc, dest.bottom};
  dialog->DrawSprite(&piece, &r);
  piece.rcTexture = RECT{t.right - tc, t.top, t.right, t.bottom};
  r = RECT{dest.right - dc, dest.top, dest.right, dest.bottom};
  dialog->DrawSprite(&piece, &r);
}

}  // namespace

long long FWListSortNumber(const std::wstring& text, int sortType) {
  size_t i = 0;
  long long a = 0, b = 0;
  switch (sortType) {
    case FWSORT_INTEGER:
    case FWSORT_PERCENT:
    case FWSORT_PERCENT_OF:
      return ReadInteger(text, i, a) ? a : 0;
    case FWSORT_DECIMAL:
      return ReadHundredths(text);
    case FWSORT_SIZE:
      if (!ReadInteger(text, i, a) || i >= text.size() || text[i] != L'x') return 0;
      ++i;
      return ReadInteger(text, i, b) ? a * b : 0;
    default:
      return 0;
  }
}

std::vector<std::wstring> FWSplitColumns(const wchar_t* text) {
  std::vector<std::wstring> pieces(1);
  if (text == nullptr) return pieces;
  // Empty pieces are kept, so that an empty cell does not shift the cells behind it.
  for (const wchar_t* p = text; *p != L'\0'; ++p) {
    if (*p == L';' || *p == L'|')
      pieces.emplace_back();
    else
      pieces.back() += *p;
  }
  return pieces;
}

CFWListBox::CFWListBox(CFWDialog* dialog) : CFWControl(dialog), m_ScrollBar(dialog) { m_Type = FWCONTROL_LISTBOX; }

CFWListBox::~CFWListBox() = default;

HRESULT CFWListBox::OnInit() {
  m_ScrollBar.m_pDialog = m_pDialog;
  return m_pDialog != nullptr ? m_pDialog->InitControl(&m_ScrollBar) : S_OK;
}

bool CFWListBox::KeyHeld(int vk) const { return (GetKeyState(vk) & 0x8000) != 0; }

int CFWListBox::FontHeightOfHeader() const {
  const CFWElement* e = m_Elements.empty() ? nullptr : m_Elements[0].get();
  return m_pDialog != nullptr ? m_pDialog->FontHeight(e) : 0;
}

int CFWListBox::RowHeight() const {
  const int font = FontHeightOfHeader();
  return (m_dwStyle & kTallRows) != 0 ? static_cast<int>(font * 2.5) : font;
}

void CFWListBox::UpdateRects() {
  CFWControl::UpdateRects();
  const RECT& b = m_rcBoundingBox;
  m_rcText = RECT{b.left + m_nBorder, b.top + m_nBorder, b.right - m_nSBWidth - m_nBorder, b.bottom - m_nBorder};
  const int font = FontHeightOfHeader();
  m_rcHeader = RECT{m_rcText.left, m_rcText.top, m_rcText.right, m_rcText.top + font};
  m_rcItems = RECT{m_rcText.left + m_nMargin, m_rcHeader.bottom, m_rcText.right - m_nMargin, m_rcText.bottom};
  m_ScrollBar.SetLocation(b.right - m_nSBWidth, b.top);
  m_ScrollBar.SetSize(m_nSBWidth, m_height);
  if (font != 0) {
    m_nTextHeight = RowHeight();
    m_ScrollBar.SetPageSize(std::max(0, static_cast<int>(m_rcItems.bottom - m_rcItems.top)) / m_nTextHeight);
    m_ScrollBar.ShowItem(m_nSelected);
  }
}

// ---- Columns ----

void CFWListBox::SetColumns(int count, const wchar_t* titles, const std::vector<int>& widthPercents) {
  m_Columns.clear();
  const std::vector<std::wstring> pieces = FWSplitColumns(titles);
  const int width = m_rcItems.right - m_rcItems.left;
  for (int i = 0; i < count && i < static_cast<int>(pieces.size()); ++i) {
    FWListBoxColumn c;
    const int percent = i < static_cast<int>(widthPercents.size()) ? widthPercents[static_cast<size_t>(i)] : 0;
    c.nWidth = width * percent / 100;
    c.strTitle = pieces[static_cast<size_t>(i)].substr(0, FWListBoxColumn::kMaxTitle);
    m_Columns.push_back(std::move(c));
  }
  if (!m_Columns.empty()) m_Columns[0].dwHeaderFormat = 4;
}

void CFWListBox::SetColumnSortTypes(const std::vector<int>& types) {
  for (size_t i = 0; i < types.size() && i < m_Columns.size(); ++i) m_Columns[i].nSortType = types[i];
}

void CFWListBox::SetColumnHints(const wchar_t* hints) {
  if (hints == nullptr) return;
  const std::vector<std::wstring> pieces = FWSplitColumns(hints);
  for (size_t i = 0; i < pieces.size() && i < m_Columns.size(); ++i)
    m_Columns[i].strHint = pieces[i].substr(0, FWListBoxColumn::kMaxHint);
}

FWListBoxColumn* CFWListBox::GetColumn(int index) {
  return index >= 0 && index < ColumnCount() ? &m_Columns[static_cast<size_t>(index)] : nullptr;
}

int CFWListBox::ColumnAt(int x) const {
  int left = m_rcItems.left;
  for (int i = 0; i < ColumnCount(); ++i) {
    const int right = left + m_Columns[static_cast<size_t>(i)].nWidth;
    if (x >= left && x < right) return i;
    left = right;
  }
  return -1;
}

// ---- Items ----

HRESULT CFWListBox::AddItem(const wchar_t* text, void* data) {
  if (text == nullptr) return E_INVALIDARG;
  auto item = std::make_unique<FWListBoxItem>();
  item->Texts = FWSplitColumns(text);
  item->pData = data;
  m_Items.push_back(std::move(item));
  m_ScrollBar.SetTrackRange(0, GetSize());
  return S_OK;
}

HRESULT CFWListBox::SetItemText(int index, const wchar_t* text) {
  FWListBoxItem* item = GetItem(index);
  if (item == nullptr || text == nullptr) return E_INVALIDARG;
  item->Texts = FWSplitColumns(text);
  return S_OK;
}

void CFWListBox::RemoveAllItems() {
  m_Items.clear();
  m_ScrollBar.SetTrackRange(0, 1);
  m_ScrollBar.SetTrackPos(0);
  m_nSelected = -1;
  // An anchor left behind would point past the rows of the next filling.
  m_nSelStart = 0;
  m_nHoverRow = -1;
  m_bDrag = false;
}

FWListBoxItem* CFWListBox::GetItem(int index) {
  return index >= 0 && index < GetSize() ? m_Items[static_cast<size_t>(index)].get() : nullptr;
}

int CFWListBox::GetSelectedIndex(int previous) const {
  if (previous < -1) return -1;
  if (!Multi()) return m_nSelected;
  for (int i = previous + 1; i < GetSize(); ++i)
    if (m_Items[static_cast<size_t>(i)]->bSelected) return i;
  return -1;
}

FWListBoxItem* CFWListBox::GetSelectedItem(int previous) { return GetItem(GetSelectedIndex(previous)); }

void* CFWListBox::GetSelectedData() {
  FWListBoxItem* item = GetSelectedItem(-1);
  return item != nullptr ? item->pData : nullptr;
}

void CFWListBox::SelectItem(int index, bool sendEvent) {
  if (m_Items.empty()) return;
  const int old = m_nSelected;
  m_nSelected = std::clamp(index, 0, GetSize() - 1);
  if (old != m_nSelected) {
    if (Multi()) m_Items[static_cast<size_t>(m_nSelected)]->bSelected = true;
    m_nSelStart = m_nSelected;
    m_ScrollBar.ShowItem(m_nSelected);
  }
  if (sendEvent && m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
}

void CFWListBox::SortByColumn(int column) {
  if (column < 0 || column >= ColumnCount()) return;
  const FWListBoxColumn& c = m_Columns[static_cast<size_t>(column)];
  m_nSortedColumn = column;
  m_bSortedOnce = true;
  // Types 0 and 2 never reorder, in either direction.
  if (c.nSortType != FWSORT_TEXT && (c.nSortType < FWSORT_INTEGER || c.nSortType > FWSORT_SIZE)) return;
  if (m_Items.empty()) return;

  struct sKey {
    size_t index;
    const std::wstring* text;
    long long number;
  };
  static const std::wstring kEmpty;
  std::vector<sKey> keys;
  keys.reserve(m_Items.size());
  for (size_t i = 0; i < m_Items.size(); ++i) {
    const auto& texts = m_Items[i]->Texts;
    const std::wstring* text = static_cast<size_t>(column) < texts.size() ? &texts[static_cast<size_t>(column)] : &kEmpty;
    keys.push_back(sKey{i, text, FWListSortNumber(*text, c.nSortType)});
  }
  const bool byText = c.nSortType == FWSORT_TEXT;
  const bool descending = c.nSortDirection == 1;
  // Stable in both directions: rows that compare equal keep their order.
  std::stable_sort(keys.begin(), keys.end(), [&](const sKey& a, const sKey& b) {
    const sKey& x = descending ? b : a;
    const sKey& y = descending ? a : b;
    return byText ? *x.text < *y.text : x.number < y.number;
  });

  FWListBoxItem* selected = GetItem(m_nSelected);
  FWListBoxItem* anchor = GetItem(m_nSelStart);
  std::vector<std::unique_ptr<FWListBoxItem>> sorted;
  sorted.reserve(m_Items.size());
  for (const sKey& k : keys) sorted.push_back(std::move(m_Items[k.index]));
  m_Items = std::move(sorted);

  for (int i = 0; i < GetSize(); ++i)
    if (m_Items[static_cast<size_t>(i)].get() == anchor) m_nSelStart = i;
  if (selected == nullptr) return;
  int now = m_nSelected;
  for (int i = 0; i < GetSize(); ++i)
    if (m_Items[static_cast<size_t>(i)].get() == selected) now = i;
  now = std::clamp(now, 0, GetSize() - 1);
  if (now != m_nSelected) {
    m_nSelected = now;
    if (Multi()) m_Items[static_cast<size_t>(now)]->bSelected = true;
    m_nSelStart = now;
    m_ScrollBar.ShowItem(now);
  }
}

void CFWListBox::HeaderClick(int column) {
  FWListBoxColumn* c = GetColumn(column);
  if (c == nullptr) return;
  ++c->nSortDirection;
  if (c->nSortDirection >= 2 || column != m_nSortedColumn || !m_bSortedOnce) c->nSortDirection = 0;
  SortByColumn(column);
}

// ---- Input ----

void CFWListBox::SelectRangeOnly() {
  const int lo = std::min(m_nSelStart, m_nSelected), hi = std::max(m_nSelStart, m_nSelected);
  for (int i = 0; i < GetSize(); ++i) m_Items[static_cast<size_t>(i)]->bSelected = i >= lo && i <= hi;
}

// Drags and the end of a drag reach the callback without a sound and
// whatever the dialog's setting for events not made by the user.
void CFWListBox::ChangedDirectly() {
  if (m_pDialog != nullptr && m_pDialog->m_pCallbackEvent != nullptr)
    m_pDialog->m_pCallbackEvent(EVENT_LISTBOX_SELECTION, m_ID, this);
}

bool CFWListBox::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible || m_pDialog == nullptr) return false;
  if (m_ScrollBar.HandleKeyboard(msg, wParam, lParam)) return true;
  if (msg != WM_KEYDOWN || m_Items.empty()) return false;
  const int page = m_ScrollBar.GetPageSize();
  int next = m_nSelected;
  switch (wParam) {
    case VK_UP: --next; break;
    case VK_DOWN: ++next; break;
    case VK_PRIOR: next -= page - 1; break;
    case VK_NEXT: next += page - 1; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = GetSize() - 1; break;
    default: return false;
  }
  next = std::clamp(next, 0, GetSize() - 1);
  if (next == m_nSelected) return true;
  m_nSelected = next;
  if (Multi()) {
    if (KeyHeld(VK_SHIFT)) {
      m_nSelStart = std::clamp(m_nSelStart, 0, GetSize() - 1);
      SelectRangeOnly();
    } else {
      for (auto& item : m_Items) item->bSelected = false;
      m_Items[static_cast<size_t>(next)]->bSelected = true;
      m_nSelStart = next;
    }
  } else {
    m_nSelStart = next;
  }
  m_ScrollBar.ShowItem(next);
  m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
  return true;
}

bool CFWListBox::HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible || m_pDialog == nullptr) return false;
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && !m_bHasFocus) CFWDialog::RequestFocus(this);
  if (m_ScrollBar.HandleMouse(msg, pt, wParam, lParam)) return true;
  const int rowHeight = m_nTextHeight;
  const int top = m_ScrollBar.GetTrackPos();
  const int page = m_ScrollBar.GetPageSize();
  auto rowAt = [&](int y) { return rowHeight > 0 ? FloorDiv(y - m_rcItems.top, rowHeight) + top : -1; };

  switch (msg) {
    case WM_MOUSEMOVE: {
      if (m_bDrag) {
        const int row = rowAt(pt.y);
        if (rowHeight <= 0 || m_Items.empty()) return false;
        if (row >= top && row < GetSize() && row < top + page) {
          m_nSelected = row;
        } else if (row < top) {
          m_ScrollBar.Scroll(-1);
          m_nSelected = m_ScrollBar.GetTrackPos();
        } else if (row >= top + page) {
          m_ScrollBar.Scroll(1);
          m_nSelected = std::min(GetSize(), m_ScrollBar.GetTrackPos() + page) - 1;
        } else {
          return false;  // below the last row of a list shorter than its box
        }
        ChangedDirectly();
        return false;
      }
      if (!PointInBox(pt)) {
        m_nHoverRow = m_nHoverColumn = -1;
        return false;
      }
      m_nHoverRow = rowHeight > 0 && pt.y >= m_rcItems.top ? rowAt(pt.y) : -1;
      const int column = ColumnAt(pt.x);
      if (column != m_nHoverColumn && column >= 0) {
        SetHint(m_Columns[static_cast<size_t>(column)].strHint.c_str());
        gCursor.SetHoverControl(this, true);
      }
      m_nHoverColumn = column;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (m_Items.empty()) return false;
      if (PtIn(m_rcHeader, pt)) {
        HeaderClick(ColumnAt(pt.x));
        return true;
      }
      if (!PtIn(m_rcItems, pt)) return false;
      const int row = rowAt(pt.y);
      if (row < top || row >= GetSize() || row >= top + page) return true;
      FWCaptureMouse(true);
      m_bDrag = true;
      if (msg == WM_LBUTTONDBLCLK) {
        m_pDialog->SendEvent(EVENT_LISTBOX_ITEM_DBLCLK, true, this);
        return true;
      }
      const bool shift = (wParam & MK_SHIFT) != 0, ctrl = (wParam & MK_CONTROL) != 0;
      m_nSelected = row;
      if (!shift) m_nSelStart = row;
      m_nSelStart = std::clamp(m_nSelStart, 0, GetSize() - 1);
      if (Multi()) {
        FWListBoxItem& item = *m_Items[static_cast<size_t>(row)];
        if (ctrl && !shift) {
          item.bSelected = !item.bSelected;
        } else if (shift && !ctrl) {
          SelectRangeOnly();
        } else if (shift && ctrl) {
          const bool flag = m_Items[static_cast<size_t>(m_nSelStart)]->bSelected;
          const int lo = std::min(m_nSelStart, row), hi = std::max(m_nSelStart, row);
          for (int i = lo; i <= hi; ++i) m_Items[static_cast<size_t>(i)]->bSelected = flag;
        } else {
          for (auto& it : m_Items) it->bSelected = false;
          item.bSelected = true;
        }
      }
      m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
      return true;
    }
    case WM_LBUTTONUP: {
      FWCaptureMouse(false);
      m_bDrag = false;
      if (m_nSelected < 0 || m_nSelected >= GetSize()) return false;
      m_nSelStart = std::clamp(m_nSelStart, 0, GetSize() - 1);
      const bool flag = m_Items[static_cast<size_t>(m_nSelStart)]->bSelected;
      const int lo = std::min(m_nSelStart, m_nSelected), hi = std::max(m_nSelStart, m_nSelected);
      for (int i = lo + 1; i < hi; ++i) m_Items[static_cast<size_t>(i)]->bSelected = flag;
      m_Items[static_cast<size_t>(m_nSelected)]->bSelected = flag;
      if (m_nSelStart != m_nSelected) ChangedDirectly();
      return false;
    }
    case WM_MOUSEWHEEL: {
      const int notches = static_cast<int16_t>((wParam >> 16) & 0xFFFF) / WHEEL_DELTA;
      m_ScrollBar.Scroll(-notches * kFWWheelScrollLines);
      return true;
    }
    default:
      return false;
  }
}

void CFWListBox::OnMouseLeave() {
  CFWControl::OnMouseLeave();
  m_nHoverRow = m_nHoverColumn = -1;
}

// ---- Drawing ----

void CFWListBox::DrawHeader(float elapsedTime) {
  CFWElement* font = GetElement(0);
  int left = m_rcItems.left;
  for (int i = 0; i < ColumnCount(); ++i) {
    const FWListBoxColumn& c = m_Columns[static_cast<size_t>(i)];
    const RECT cell{left, m_rcHeader.top, std::min(left + c.nWidth, static_cast<int>(m_rcHeader.right)),
                    m_rcHeader.bottom};
    left += c.nWidth;
    if (cell.right <= cell.left) continue;
    const UINT base = c.nSortType == FWSORT_NONE ? kHeaderPlain
                                                 : (c.nSortDirection == 0 ? kHeaderAscending : kHeaderDescending);
    const bool hovered = i == m_nHoverColumn;
    const UINT state = !m_bEnabled ? FWSTATE_DISABLED : (hovered ? FWSTATE_MOUSEOVER : FWSTATE_NORMAL);
    // The body of the header; the column under the mouse takes the bottom
    // piece, whose lower edge marks it. The top piece, with the sort arrow,
    // stands as a square at the right.
    if (CFWElement* body = GetElement(hovered ? base + 2 : base + 1)) {
      body->TextureColor.Blend(state, elapsedTime, kRate);
      DrawStretched(m_pDialog, *body, cell, kHeaderCap);
    }
    const int side = cell.bottom - cell.top;
    if (CFWElement* arrow = GetElement(base); arrow != nullptr && cell.right - cell.left >= 2 * side) {
      arrow->TextureColor.Blend(state, elapsedTime, kRate);
      const RECT square{cell.right - side, cell.top, cell.right, cell.bottom};
      m_pDialog->DrawSprite(arrow, &square);
    }
    if (font != nullptr) {
      CFWElement title = *font;
      title.dwTextFormat = c.dwHeaderFormat;
      const RECT text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
      m_pDialog->DrawText(c.strTitle.c_str(), &title, &text, false, -1, &cell);
    }
  }
}

void CFWListBox::Render(cPlatformDevice* device, float elapsedTime) {
  if (m_pDialog == nullptr || !m_bVisible) return;
  const UINT state = DrawState();
  RECT pieces[9];
  NineSlice(m_rcBoundingBox, m_nBorder, pieces);
  for (int i = 0; i < 9; ++i) {
    CFWElement* e = GetElement(kBodyPieces[i]);
    if (e == nullptr) continue;
    e->TextureColor.Blend(state, elapsedTime, kRate);
    e->FontColor.Blend(state, elapsedTime, kRate);
    m_pDialog->DrawSprite(e, &pieces[i]);
  }
  DrawHeader(elapsedTime);

  m_nTextHeight = RowHeight();
  CFWElement* font = GetElement(0);
  CFWElement* selection = GetElement(kSelectionElement);
  if (m_nTextHeight > 0 && font != nullptr) {
    const bool anchorValid = m_nSelStart >= 0 && m_nSelStart < GetSize();
    int y = m_rcItems.top;
    for (int i = m_ScrollBar.GetTrackPos(); i < GetSize(); ++i) {
      if (y + m_nTextHeight > m_rcItems.bottom) break;
      FWListBoxItem& item = *m_Items[static_cast<size_t>(i)];
      item.rcActive = RECT{m_rcItems.left, y, m_rcItems.right, y + m_nTextHeight};
      y += m_nTextHeight;
      bool selected = i == m_nSelected;
      if (Multi()) {
        // While dragging, the rows between the anchor and the pointer show
        // the flag they will take when the button comes up.
        const bool inDrag = m_bDrag && anchorValid && ((i >= m_nSelected && i < m_nSelStart) ||
                                                       (i <= m_nSelected && i > m_nSelStart));
        selected = inDrag ? m_Items[static_cast<size_t>(m_nSelStart)]->bSelected : item.bSelected;
      }
      if (selected && selection != nullptr) m_pDialog->DrawSprite(selection, &item.rcActive);
      int left = m_rcItems.left;
      for (int c = 0; c < ColumnCount() && c < static_cast<int>(item.Texts.size()); ++c) {
        const FWListBoxColumn& col = m_Columns[static_cast<size_t>(c)];
        const RECT cell{left, item.rcActive.top, std::min(left + col.nWidth, static_cast<int>(m_rcItems.right)),
                        item.rcActive.bottom};
        left += col.nWidth;
        if (cell.right <= cell.left) continue;
        CFWElement text = *font;
        text.dwTextFormat = col.dwHeaderFormat;
        const RECT inner{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
        m_pDialog->DrawText(item.Texts[static_cast<size_t>(c)].c_str(), &text, &inner, false, -1, &cell);
      }
    }
  }
  m_ScrollBar.Render(device, elapsedTime);
}
