#include "gui/fw_memo.h"

#include <algorithm>
#include <cstdint>

#include "gui/fw_dialog.h"

namespace {
// The frame of the memo's nine-slice picture.
constexpr int kFrame = 10;
}  // namespace

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
