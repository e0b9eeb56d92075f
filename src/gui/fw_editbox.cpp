#include "gui/fw_editbox.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "core/text.h"
#include "framework/fw_timer.h"
#include "gui/fw_dialog.h"
#include "platform/window.h"

namespace {

constexpr int kFrame = 10;

bool IsSwallowedControl(wchar_t c) {
  return c == 2 || (c >= 4 && c <= 7) || (c >= 9 && c <= 12) || (c >= 14 && c <= 21) || c == 23 ||
         (c >= 25 && c <= 29);
}

}  // namespace

bool CFWEditBox::s_bHideCaret = false;

CFWEditBox::CFWEditBox(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_EDITBOX; }

CFWEditBox::~CFWEditBox() {
  if (m_bHasFocus) SDL_StopTextInput();
}

bool CFWEditBox::KeyHeld(int vk) const { return (GetKeyState(vk) & 0x8000) != 0; }

const cTextMetrics* CFWEditBox::Metrics() const { return FWElementMetrics(m_pDialog, m_Elements.empty() ? nullptr : m_Elements[0].get()); }

void CFWEditBox::UpdateRects() {
  CFWControl::UpdateRects();
  const RECT& b = m_rcBoundingBox;
  m_rcText = RECT{b.left + m_nBorder, b.top + m_nBorder, b.right - m_nBorder, b.bottom - m_nBorder};
  const int l = b.left, t = b.top, r = b.right, bt = b.bottom, f = kFrame;
  m_rcRender[0] = RECT{l + f, t + f, r - f, bt - f};
  m_rcRender[1] = RECT{l, t, l + f, t + f};
  m_rcRender[2] = RECT{l + f, t, r - f, t + f};
  m_rcRender[3] = RECT{r - f, t, r, t + f};
  m_rcRender[4] = RECT{l, t + f, l + f, bt - f};
  m_rcRender[5] = RECT{r - f, t + f, r, bt - f};
  m_rcRender[6] = RECT{l, bt - f, l + f, bt};
  m_rcRender[7] = RECT{l + f, bt - f, r - f, bt};
  m_rcRender[8] = RECT{r - f, bt - f, r, bt};
}

bool CFWEditBox::SetText(const wchar_t* text, bool selectAll) {
  if (!m_Buffer.SetText(text)) return false;
  m_nFirstVisible = 0;
  if (m_bEnabled) {
    PlaceCaret(m_Buffer.GetLength());
    m_nSelStart = selectAll ? 0 : m_nCaret;
  } else {
    // A shorter text must not leave the caret or the anchor beyond its end.
    m_nCaret = std::min(m_nCaret, m_Buffer.GetLength());
    m_nSelStart = std::min(m_nSelStart, m_Buffer.GetLength());
  }
  return true;
}

void CFWEditBox::ClearText() {
  m_Buffer.Clear();
  m_nFirstVisible = 0;
  PlaceCaret(0);
  m_nSelStart = 0;
}

void CFWEditBox::SetForbiddenCharacters(const wchar_t* text) {
  if (text == nullptr)
    m_pszForbidden.reset();
  else
    m_pszForbidden = std::make_unique<std::wstring>(text);
}

bool CFWEditBox::IsForbidden(wchar_t c) const {
  return m_pszForbidden != nullptr && m_pszForbidden->find(c) != std::wstring::npos;
}

void CFWEditBox::PlaceCaret(int cp) {
  cp = std::clamp(cp, 0, m_Buffer.GetLength());
  m_nCaret = cp;
  const cTextMetrics* m = Metrics();
  if (m == nullptr) return;
  m_nFirstVisible = std::clamp(m_nFirstVisible, 0, m_Buffer.GetLength());
  const int xFirst = m_Buffer.CPtoX(m_nFirstVisible, *m);
  const int x = m_Buffer.CPtoX(cp, *m);
  // The caret's right edge: the end of the character it stands before.
  const int x2 = cp < m_Buffer.GetLength() ? m_Buffer.CPtoX(cp + 1, *m) : x;
  const int width = m_rcText.right - m_rcText.left;
  if (cp < m_nFirstVisible) {
    m_nFirstVisible = cp;
  } else if (x2 > xFirst + width) {
    // Scroll so that the caret's character is the last one visible.
    const int newLeft = x2 - width;
    int first = m_Buffer.XtoCP(newLeft, *m);
    while (first < cp && m_Buffer.CPtoX(first, *m) < newLeft) ++first;
    m_nFirstVisible = first;
  }
}

int CFWEditBox::CaretX() const {
  const cTextMetrics* m = Metrics();
  if (m == nullptr) return m_rcText.left;
  return m_rcText.left + m_Buffer.CPtoX(m_nCaret, *m) - m_Buffer.CPtoX(m_nFirstVisible, *m);
}

int CFWEditBox::CharAtX(int x) const {
  const cTextMetrics* m = Metrics();
  if (m == nullptr) return 0;
  return m_Buffer.XtoCP(x - m_rcText.left + m_Buffer.CPtoX(m_nFirstVisible, *m), *m);
}

void CFWEditBox::ResetCaretBlink() {
  m_bCaretOn = true;
  m_dfLastBlink = FWGetGlobalTimer()->GetTime();
}

void CFWEditBox::OnFocusIn() {
  CFWControl::OnFocusIn();
  ResetCaretBlink();
  // Input methods place their candidate window by this rectangle.
  SDL_Rect r{m_rcText.left, m_rcText.top, m_rcText.right - m_rcText.left, m_rcText.bottom - m_rcText.top};
  if (m_pDialog != nullptr) {
    r.x += m_pDialog->m_x;
    r.y += m_pDialog->m_y + (m_pDialog->m_bCaption ? m_pDialog->m_nCaptionHeight : 0);
  }
  SDL_SetTextInputRect(&r);
  SDL_StartTextInput();
}

void CFWEditBox::OnFocusOut() {
  CFWControl::OnFocusOut();
  SDL_StopTextInput();
}

void CFWEditBox::Changed() {
  if (m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
}

void CFWEditBox::DeleteSelectionText() {
  const int first = std::min(m_nCaret, m_nSelStart);
  const int last = std::max(m_nCaret, m_nSelStart);
  PlaceCaret(first);
  m_nSelStart = m_nCaret;
  m_Buffer.RemoveRange(first, last - first);
}

void CFWEditBox::CopyToClipboard() {
  if (!HasSelection()) return;
  const int first = std::min(m_nCaret, m_nSelStart);
  const int last = std::max(m_nCaret, m_nSelStart);
  const std::wstring sel = m_Buffer.GetText().substr(static_cast<size_t>(first), static_cast<size_t>(last - first));
  SDL_SetClipboardText(WideToUtf8(sel).c_str());
}

void CFWEditBox::PasteFromClipboard() {
  DeleteSelectionText();
  if (SDL_HasClipboardText() != SDL_TRUE) return;
  char* utf8 = SDL_GetClipboardText();
  if (utf8 == nullptr) return;
  const std::wstring raw = Utf8ToWide(utf8);
  SDL_free(utf8);
  // A single line: control characters and the forbidden ones stay out,
  // as they would when typed.
  std::wstring text;
  for (wchar_t c : raw)
    if (c >= 32 && c != 127 && !IsForbidden(c)) text.push_back(c);
  if (m_Buffer.InsertString(m_nCaret, text)) PlaceCaret(m_nCaret + static_cast<int>(text.size()));
  m_nSelStart = m_nCaret;
}

bool CFWEditBox::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  if (!m_bEnabled || !m_bVisible || msg != WM_KEYDOWN) return false;
  const bool shift = KeyHeld(VK_SHIFT);
  const bool ctrl = KeyHeld(VK_CONTROL);
  bool handled = true;
  switch (static_cast<int>(wParam)) {
    case VK_ESCAPE:
      return false;
    case VK_END:
    case VK_HOME:
      PlaceCaret(wParam == VK_END ? m_Buffer.GetLength() : 0);
      if (!shift) m_nSelStart = m_nCaret;
      break;
    case VK_LEFT:
      PlaceCaret(ctrl ? m_Buffer.PrevWordPos(m_nCaret) : m_nCaret - 1);
      if (!shift) m_nSelStart = m_nCaret;
      break;
    case VK_RIGHT:
      PlaceCaret(ctrl ? m_Buffer.NextWordPos(m_nCaret) : m_nCaret + 1);
      if (!shift) m_nSelStart = m_nCaret;
      break;
    case VK_UP:
    case VK_DOWN:
      break;
    case VK_INSERT:
      if (ctrl)
        CopyToClipboard();
      else if (shift) {
        PasteFromClipboard();
        Changed();
      } else
        m_bInsertMode = !m_bInsertMode;
      handled = false;
      break;
    case VK_DELETE:
      if (HasSelection()) {
        DeleteSelectionText();
        Changed();
      } else if (m_Buffer.RemoveChar(m_nCaret)) {
        Changed();
      }
      break;
    default:
      break;
  }
  ResetCaretBlink();
  return handled;
}

bool CFWEditBox::MsgProc(UINT msg, WPARAM wParam, LPARAM) {
  if (!m_bEnabled || !m_bVisible || msg != WM_CHAR) return false;
  const wchar_t c = static_cast<wchar_t>(wParam);
  switch (c) {
    case 1:  // Ctrl+A
      if (!HasSelection()) {
        m_nSelStart = 0;
        PlaceCaret(m_Buffer.GetLength());
      }
      break;
    case 3:  // Ctrl+C
      CopyToClipboard();
      break;
    case 24:  // Ctrl+X
      CopyToClipboard();
      DeleteSelectionText();
      Changed();
      break;
    case 22:  // Ctrl+V
      PasteFromClipboard();
      Changed();
      break;
    case 8:  // Backspace
      if (HasSelection()) {
        DeleteSelectionText();
        Changed();
      } else if (m_nCaret > 0) {
        PlaceCaret(m_nCaret - 1);
        m_nSelStart = m_nCaret;
        m_Buffer.RemoveChar(m_nCaret);
        Changed();
      }
      break;
    case 13:  // Enter
      if (m_pDialog != nullptr) m_pDialog->SendEvent(EVENT_EDITBOX_STRING, true, this);
      break;
    default: {
      if (IsSwallowedControl(c) || IsForbidden(c)) break;
      if (HasSelection()) DeleteSelectionText();
      bool stored;
      if (!m_bInsertMode && m_nCaret < m_Buffer.GetLength())
        stored = m_Buffer.SetChar(m_nCaret, c);
      else
        stored = m_Buffer.InsertChar(m_nCaret, c);
      if (stored) {
        PlaceCaret(m_nCaret + 1);
        m_nSelStart = m_nCaret;
        Changed();
      }
      break;
    }
  }
  ResetCaretBlink();
  return true;
}

bool CFWEditBox::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  if (!m_bEnabled || !m_bVisible) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!m_bHasFocus) CFWDialog::RequestFocus(this);
      if (!PointInBox(pt)) return false;
      m_bMouseDrag = true;
      FWCaptureMouse(true);
      PlaceCaret(CharAtX(pt.x));
      m_nSelStart = m_nCaret;
      ResetCaretBlink();
      return true;
    case WM_MOUSEMOVE:
      if (!m_bMouseDrag) return false;
      PlaceCaret(CharAtX(pt.x));
      return true;
    case WM_LBUTTONUP:
      if (m_bMouseDrag) FWCaptureMouse(false);
      m_bMouseDrag = false;
      return false;
    default:
      return false;
  }
}

void CFWEditBox::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr || !m_bVisible) return;
  for (UINT i = 0; i < 9; ++i) {
    CFWElement* e = GetElement(i);
    if (e == nullptr) continue;
    e->TextureColor.Blend(FWSTATE_NORMAL, elapsedTime, 0.7f);
    m_pDialog->DrawSprite(e, &m_rcRender[i]);
  }
  CFWElement* e0 = GetElement(0);
  if (e0 == nullptr) return;
  const cTextMetrics* m = Metrics();
  const std::wstring& text = m_Buffer.GetText();
  const int first = std::clamp(m_nFirstVisible, 0, m_Buffer.GetLength());
  const std::wstring shown = text.substr(static_cast<size_t>(first));
  const int xFirst = m != nullptr ? m_Buffer.CPtoX(first, *m) : 0;
  auto xOf = [&](int cp) { return m != nullptr ? m_rcText.left + m_Buffer.CPtoX(cp, *m) - xFirst : m_rcText.left; };
  const bool selecting = m_bEnabled && m_bHasFocus && HasSelection() && m != nullptr;
  const int selFirst = std::min(m_nCaret, m_nSelStart), selLast = std::max(m_nCaret, m_nSelStart);
  if (selecting) {
    RECT r{std::max(xOf(selFirst), static_cast<int>(m_rcText.left)), m_rcText.top,
           std::min(xOf(selLast), static_cast<int>(m_rcText.right)), m_rcText.bottom};
    if (r.right > r.left) m_pDialog->DrawRect(&r, m_SelBkColor);
  }
  CFWElement drawn = *e0;
  drawn.FontColor.Current = FWColorFromArgb(e0->FontColor.States[m_bHasFocus ? FWSTATE_FOCUS : FWSTATE_NORMAL]);
  drawn.dwTextFormat = m_bEnabled ? DT_VCENTER : (m_dwDisabledFormat | DT_VCENTER);
  m_pDialog->DrawText(shown.c_str(), &drawn, &m_rcText, false, -1, &m_rcText);
  if (selecting) {
    const int from = std::max(selFirst, first);
    if (selLast > from) {
      CFWElement sel = drawn;
      sel.FontColor.Current = FWColorFromArgb(m_SelTextColor);
      const RECT r{xOf(from), m_rcText.top, m_rcText.right, m_rcText.bottom};
      m_pDialog->DrawText(text.substr(static_cast<size_t>(from), static_cast<size_t>(selLast - from)).c_str(), &sel,
                          &r, false, -1, &m_rcText);
    }
  }
  if (m_bHasFocus && m_bEnabled) {
    const double now = FWGetGlobalTimer()->GetTime();
    if (!s_bHideCaret && now - m_dfLastBlink >= m_dfBlink) {
      m_bCaretOn = !m_bCaretOn;
      m_dfLastBlink = now;
    }
    if (m_bCaretOn && !s_bHideCaret) {
      const int x = CaretX();
      int w = 2;
      if (!m_bInsertMode && m != nullptr && m_nCaret < m_Buffer.GetLength())
        w = m->Advance(text[static_cast<size_t>(m_nCaret)]);
      const RECT caret{x, m_rcText.top, std::min(x + w, static_cast<int>(m_rcText.right)), m_rcText.bottom};
      if (caret.right > caret.left) m_pDialog->DrawRect(&caret, m_CaretColor);
    }
  }
}
