#include "gui/fw_scrollbar.h"

#include <algorithm>

#include "framework/fw_timer.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "platform/font.h"

namespace {

bool PtIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr double kArrowDelay = 0.33;
constexpr double kArrowRepeat = 0.05;
constexpr int kMinThumb = 8;


}  // namespace

const cTextMetrics* FWElementMetrics(CFWDialog* dialog, const CFWElement* element) {
  if (dialog == nullptr || element == nullptr) return nullptr;
  FWFontNode* node = GetGlobalDialogResourceManager()->GetFontNode(dialog->FontIndex(element->iFont));
  return node != nullptr ? node->pFont : nullptr;
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
