#include "gui/fw_scrollbar.h"

#include <algorithm>
#include <cwctype>

#include "framework/fw_timer.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "platform/font.h"

namespace {

bool PtIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr double kArrowDelay = 0.33;
constexpr double kArrowRepeat = 0.05;
constexpr int kMinThumb = 8;
constexpr int kFrame = 10;


}  // namespace

const cTextMetrics* FWElementMetrics(CFWDialog* dialog, const CFWElement* element) {
  if (dialog == nullptr || element == nullptr) return nullptr;
  FWFontNode* node = GetGlobalDialogResourceManager()->GetFontNode(dialog->FontIndex(element->iFont));
  return node != nullptr ? node->pFont : nullptr;
}

// ---- CUniBuffer ----

bool CUniBuffer::Grow(int needed) {
  if (needed > kMaxLength) return false;
  int cap = m_nCapacity;
  while (cap < needed + 1) cap = cap < 256 ? 256 : std::min(cap * 2, kMaxLength + 1);
  m_nCapacity = cap;
  return true;
}

bool CUniBuffer::SetText(const wchar_t* text) {
  const std::wstring s = text != nullptr ? text : L"";
  if (static_cast<int64_t>(s.size()) >= kMaxLength) return false;
  if (!Grow(static_cast<int>(s.size()))) return false;
  m_Text = s;
  m_bAnalyseRequired = true;
  return true;
}

void CUniBuffer::Clear() {
  m_Text.clear();
  m_bAnalyseRequired = true;
}

bool CUniBuffer::InsertString(int index, const std::wstring& s) {
  if (index < 0 || index > GetLength()) return false;
  const int64_t len = static_cast<int64_t>(m_Text.size()) + static_cast<int64_t>(s.size());
  if (len > kMaxLength || !Grow(static_cast<int>(len))) return false;
  m_Text.insert(static_cast<size_t>(index), s);
  m_bAnalyseRequired = true;
  return true;
}

bool CUniBuffer::InsertChar(int index, wchar_t c) { return InsertString(index, std::wstring(1, c)); }

bool CUniBuffer::RemoveRange(int start, int count) {
  if (start < 0 || count <= 0 || start >= GetLength()) return false;
  m_Text.erase(static_cast<size_t>(start), static_cast<size_t>(std::min(count, GetLength() - start)));
  m_bAnalyseRequired = true;
  return true;
}

bool CUniBuffer::RemoveChar(int index) { return RemoveRange(index, 1); }

bool CUniBuffer::SetChar(int index, wchar_t c) {
  if (index < 0 || index >= GetLength()) return false;
  m_Text[static_cast<size_t>(index)] = c;
  m_bAnalyseRequired = true;
  return true;
}

int CUniBuffer::CPtoX(int index, const cTextMetrics& m) const {
  index = std::clamp(index, 0, GetLength());
  return TextWidth(m_Text, 0, static_cast<size_t>(index), 0, m);
}

int CUniBuffer::XtoCP(int x, const cTextMetrics& m) const {
  int left = 0;
  for (int i = 0; i < GetLength(); ++i) {
    const int adv = m.Advance(m_Text[static_cast<size_t>(i)]);
    // The trailing half of a character puts the caret after it.
    if (x < left + (adv + 1) / 2) return i;
    left += adv;
  }
  return GetLength();
}

int CUniBuffer::PrevWordPos(int index) const {
  int i = std::clamp(index, 0, GetLength());
  while (i > 0 && std::iswspace(m_Text[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && !std::iswspace(m_Text[static_cast<size_t>(i - 1)])) --i;
  return i;
}

int CUniBuffer::NextWordPos(int index) const {
  int i = std::clamp(index, 0, GetLength());
  const int n = GetLength();
  while (i < n && !std::iswspace(m_Text[static_cast<size_t>(i)])) ++i;
  while (i < n && std::iswspace(m_Text[static_cast<size_t>(i)])) ++i;
  return i;
}

// ---- CFWScrollBar ----

bool CFWScrollBar::s_bDrag = false;
int CFWScrollBar::s_nThumbOffsetY = 0;

CFWScrollBar::CFWScrollBar(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_SCROLLBAR; }

void CFWScrollBar::UpdateRects() {
  CFWControl::UpdateRects();
  const RECT& b = m_rcBoundingBox;
  m_rcUpButton = RECT{b.left, b.top, b.right, b.top + m_width};
  m_rcDownButton = RECT{b.left, b.bottom - m_width, b.right, b.bottom};
  m_rcTrack = RECT{b.left, m_rcUpButton.bottom, b.right, m_rcDownButton.top};
  UpdateThumbRect();
}

void CFWScrollBar::UpdateThumbRect() {
  const int range = m_nEnd - m_nStart;
  // A page size below 0 (a memo without a font) must not divide by a range of 0.
  if (range > m_nPageSize && range > 0 && m_nPageSize >= 0) {
    const int track = m_rcTrack.bottom - m_rcTrack.top;
    const int height = std::max(track * m_nPageSize / range, kMinThumb);
    const int top = m_rcTrack.top + (m_nPosition - m_nStart) * (track - height) / (range - m_nPageSize);
    m_rcThumb = RECT{m_rcTrack.left, top, m_rcTrack.right, top + height};
    m_bShowThumb = true;
  } else {
    m_rcThumb = m_rcTrack;
    m_bShowThumb = false;
  }
}

void CFWScrollBar::Cap() {
  if (m_nPosition < m_nStart || m_nEnd - m_nStart <= m_nPageSize)
    m_nPosition = m_nStart;
  else if (m_nPosition + m_nPageSize > m_nEnd)
    m_nPosition = m_nEnd - m_nPageSize;
}

void CFWScrollBar::SetTrackRange(int start, int end) {
  m_nStart = start;
  m_nEnd = end;
  Cap();
  UpdateThumbRect();
}

void CFWScrollBar::SetPageSize(int size) {
  m_nPageSize = size;
  Cap();
  UpdateThumbRect();
}

void CFWScrollBar::SetTrackPos(int position) {
  m_nPosition = position;
  Cap();
  UpdateThumbRect();
}

void CFWScrollBar::Scroll(int delta) { SetTrackPos(m_nPosition + delta); }

void CFWScrollBar::ShowItem(int index) {
  index = std::clamp(index, 0, std::max(0, m_nEnd - 1));
  if (m_nPosition > index)
    m_nPosition = index;
  else if (m_nPosition + m_nPageSize <= index)
    m_nPosition = index - m_nPageSize + 1;
  UpdateThumbRect();
}

bool CFWScrollBar::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  m_LastMouse = pt;
  if (m_rcThumb.bottom <= m_rcThumb.top) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FWCaptureMouse(true);
      if (PtIn(m_rcUpButton, pt)) {
        if (m_nPosition > m_nStart) --m_nPosition;
        UpdateThumbRect();
        m_Arrow = 1;
        m_bArrowRepeating = false;
        m_dArrowTS = FWGetGlobalTimer()->GetTime();
        return true;
      }
      if (PtIn(m_rcDownButton, pt)) {
        if (m_nPosition + m_nPageSize < m_nEnd) ++m_nPosition;
        UpdateThumbRect();
        m_Arrow = 2;
        m_bArrowRepeating = false;
        m_dArrowTS = FWGetGlobalTimer()->GetTime();
        return true;
      }
      if (PtIn(m_rcThumb, pt)) {
        s_bDrag = true;
        s_nThumbOffsetY = pt.y - m_rcThumb.top;
        return true;
      }
      if (pt.x >= m_rcThumb.left && pt.x < m_rcThumb.right) {
        if (pt.y >= m_rcTrack.top && pt.y < m_rcThumb.top) {
          Scroll(-(m_nPageSize - 1));
          return true;
        }
        if (pt.y >= m_rcThumb.bottom && pt.y < m_rcTrack.bottom) {
          Scroll(m_nPageSize - 1);
          return true;
        }
      }
      FWCaptureMouse(false);
      return false;
    case WM_LBUTTONUP:
      s_bDrag = false;
      FWCaptureMouse(false);
      UpdateThumbRect();
      m_Arrow = 0;
      return false;
    case WM_MOUSEMOVE: {
      if (!s_bDrag) return false;
      const int height = m_rcThumb.bottom - m_rcThumb.top;
      const int top = std::clamp(static_cast<int>(pt.y) - s_nThumbOffsetY, static_cast<int>(m_rcTrack.top),
                                 static_cast<int>(m_rcTrack.bottom) - height);
      m_rcThumb.top = top;
      m_rcThumb.bottom = top + height;
      const int steps = m_nEnd - m_nStart - m_nPageSize;
      const int free = m_rcTrack.bottom - m_rcTrack.top - height;
      if (steps > 0 && free > 0)
        m_nPosition = m_nStart + (top - m_rcTrack.top + free / (2 * steps)) * steps / free;
      return true;
    }
    default:
      return false;
  }
}

void CFWScrollBar::UpdateArrow(double now) {
  if (m_Arrow == 0) return;
  const RECT& button = m_Arrow == 1 ? m_rcUpButton : m_rcDownButton;
  if (!PtIn(button, m_LastMouse)) return;
  const double wait = m_bArrowRepeating ? kArrowRepeat : kArrowDelay;
  if (now - m_dArrowTS < wait) return;
  Scroll(m_Arrow == 1 ? -1 : 1);
  m_bArrowRepeating = true;
  m_dArrowTS = now;
}

void CFWScrollBar::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr || !m_bVisible) return;
  UpdateArrow(FWGetGlobalTimer()->GetTime());
  UINT state = FWSTATE_NORMAL;
  if (!m_bEnabled || !m_bShowThumb)
    state = FWSTATE_DISABLED;
  else if (m_bMouseOver)
    state = FWSTATE_MOUSEOVER;
  else if (m_bHasFocus)
    state = FWSTATE_FOCUS;
  const RECT* rects[4] = {&m_rcTrack, &m_rcUpButton, &m_rcDownButton, &m_rcThumb};
  const UINT elements[4] = {1, 0, 2, 3};
  for (int i = 0; i < 4; ++i) {
    CFWElement* e = GetElement(elements[i]);
    if (e == nullptr) continue;
    e->TextureColor.Blend(state, elapsedTime, 0.8f);
    m_pDialog->DrawSprite(e, rects[i]);
  }
}

// ---- CFWMemo ----

CFWMemo::CFWMemo(CFWDialog* dialog) : CFWControl(dialog), m_ScrollBar(dialog) { m_Type = FWCONTROL_MEMO; }

HRESULT CFWMemo::OnInit() {
  m_ScrollBar.m_pDialog = m_pDialog;
  return m_pDialog != nullptr ? m_pDialog->InitControl(&m_ScrollBar) : S_OK;
}

void CFWMemo::UpdateRects() {
  CFWControl::UpdateRects();
  const RECT& b = m_rcBoundingBox;
  CFWElement* text = GetElement(static_cast<UINT>(m_iTextElement));
  m_nLineHeight = m_pDialog != nullptr ? m_pDialog->FontHeight(text) : 0;
  m_rcArea = RECT{b.left + kFrame, b.top + kFrame, b.right - kFrame - m_nSBWidth, b.bottom - kFrame};
  NineSlice(b, kFrame, m_rcRender);
  m_rcText = RECT{b.left + m_nBorder, b.top + m_nBorder, b.right - m_nBorder - m_nSBWidth, b.bottom - m_nBorder};
  m_ScrollBar.SetLocation(b.right - m_nSBWidth, b.top);
  m_ScrollBar.SetSize(m_nSBWidth, m_height);
  // A font of no height would divide by zero: one pixel per line then.
  m_ScrollBar.SetPageSize((m_rcText.bottom - m_rcText.top) / std::max(1, m_nLineHeight));
  Measure();
}

void CFWMemo::Measure() {
  const cTextMetrics* m = FWElementMetrics(m_pDialog, GetElement(static_cast<UINT>(m_iTextElement)));
  if (m == nullptr) {
    m_nLines = 0;
    m_ScrollBar.SetTrackRange(0, 0);
    return;
  }
  const sTextLayout layout = LayoutText(m_Buffer.GetText(), -1, m_rcArea, m_dwTextFormat, *m);
  m_nLines = static_cast<int>(layout.lines.size());
  if (layout.height > m_rcArea.bottom - m_rcArea.top)
    m_ScrollBar.SetTrackRange(0, layout.height / std::max(1, m_nLineHeight));
  else
    m_ScrollBar.SetTrackRange(0, 0);
}

void CFWMemo::SetText(const wchar_t* text) {
  m_Buffer.SetText(text);
  Measure();
}

void CFWMemo::ClearText() {
  m_Buffer.Clear();
  m_Buffer.m_bAnalyseRequired = true;
}

void CFWMemo::ScrollToEnd() {
  const int last = std::min(m_ScrollBar.GetTrackEnd() - 1, 99999);
  const int pos = m_ScrollBar.GetTrackPos();
  if (last >= pos && last < pos + m_ScrollBar.GetPageSize()) return;
  m_ScrollBar.SetTrackPos(last - m_ScrollBar.GetPageSize() + 1);
}

bool CFWMemo::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible) return false;
  return m_ScrollBar.HandleKeyboard(msg, wParam, lParam);
}

bool CFWMemo::HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) {
  if (!m_bEnabled || !m_bVisible) return false;
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && !m_bHasFocus) CFWDialog::RequestFocus(this);
  if (m_ScrollBar.HandleMouse(msg, pt, wParam, lParam)) return true;
  if (msg == WM_MOUSEWHEEL) {
    const int notches = static_cast<int16_t>((wParam >> 16) & 0xFFFF) / 120;
    m_ScrollBar.Scroll(-notches);
    return true;
  }
  return false;
}

bool CFWMemo::MsgProc(UINT, WPARAM, LPARAM) { return false; }

void CFWMemo::Render(cPlatformDevice* device, float elapsedTime) {
  if (m_pDialog == nullptr || !m_bVisible) return;
  const UINT state = DrawState();
  for (UINT i = 0; i < 9; ++i) {
    CFWElement* e = GetElement(i);
    if (e == nullptr) continue;
    e->TextureColor.Blend(state, elapsedTime, 0.7f);
    m_pDialog->DrawSprite(e, &m_rcRender[i]);
  }
  if (CFWElement* t = GetElement(static_cast<UINT>(m_iTextElement))) {
    t->FontColor.Blend(state, elapsedTime, 0.7f);
    CFWElement drawn = *t;
    drawn.dwTextFormat = m_dwTextFormat;
    const int up = m_ScrollBar.GetTrackPos() * m_nLineHeight;
    const RECT area{m_rcArea.left, m_rcArea.top - up, m_rcArea.right, m_rcArea.bottom - up};
    m_pDialog->DrawText(m_Buffer.GetText().c_str(), &drawn, &area, true, -1, &m_rcText);
  }
  m_ScrollBar.Render(device, elapsedTime);
}
