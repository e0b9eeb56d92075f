#include "gui/fw_control.h"

#include <algorithm>

#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_builders.h"
#include "platform/device.h"

namespace {

bool PtInRect(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr float kButtonRate = 0.8f;
constexpr float kDefaultRate = 0.7f;
constexpr int kCap = 5;
constexpr int kSliderCap = 10;
constexpr int kTabCap = 10;
constexpr int kTabMinStrip = 20;

// Draws a three-slice (left cap, middle, right cap) with the elements given;
// a control no wider than two caps gets two caps of half its width.
void DrawThreeSlice(CFWDialog* dialog, CFWControl* control, const RECT& box, int cap, CFWElement* left,
                    CFWElement* middle, CFWElement* right, UINT state, float elapsed, float rate) {
  const int width = box.right - box.left;
  auto draw = [&](CFWElement* e, const RECT& r) {
    if (e == nullptr) return;
    e->TextureColor.Blend(state, elapsed, rate);
    e->FontColor.Blend(state, elapsed, rate);
    dialog->DrawSprite(e, &r);
  };
  (void)control;
  if (width > 2 * cap) {
    draw(left, RECT{box.left, box.top, box.left + cap, box.bottom});
    draw(middle, RECT{box.left + cap, box.top, box.right - cap, box.bottom});
    draw(right, RECT{box.right - cap, box.top, box.right, box.bottom});
  } else {
    const int half = width / 2;
    draw(left, RECT{box.left, box.top, box.left + half, box.bottom});
    draw(right, RECT{box.left + half, box.top, box.right, box.bottom});
  }
}

}  // namespace

// ---- CFWControl ----

CFWControl::CFWControl(CFWDialog* dialog) : m_pDialog(dialog) {}

CFWControl::~CFWControl() = default;

void CFWControl::Refresh() {
  m_bMouseOver = false;
  m_bHasFocus = false;
  for (auto& e : m_Elements) {
    e->TextureColor.Current = FWColorFromArgb(e->TextureColor.States[FWSTATE_HIDDEN]);
    e->FontColor.Current = FWColorFromArgb(e->FontColor.States[FWSTATE_HIDDEN]);
  }
}

void CFWControl::Render(cPlatformDevice*, float) {}
bool CFWControl::MsgProc(UINT, WPARAM, LPARAM) { return false; }
bool CFWControl::HandleKeyboard(UINT, WPARAM, LPARAM) { return false; }
bool CFWControl::HandleMouse(UINT, POINT, WPARAM, LPARAM) { return false; }
bool CFWControl::ContainsPoint(POINT pt) { return PointInBox(pt); }
bool CFWControl::PointInBox(POINT pt) const { return PtInRect(m_rcBoundingBox, pt); }

void CFWControl::SetTextColor(D3DCOLOR color) {
  if (CFWElement* e = GetElement(0)) e->FontColor.States[FWSTATE_NORMAL] = color;
}

void CFWControl::UpdateRects() { m_rcBoundingBox = RECT{m_x, m_y, m_x + m_width, m_y + m_height}; }

HRESULT CFWControl::SetElement(UINT index, const CFWElement* element) {
  if (element == nullptr) return E_INVALIDARG;
  while (m_Elements.size() <= index) m_Elements.push_back(std::make_unique<CFWElement>());
  *m_Elements[index] = *element;
  return S_OK;
}

CFWElement* CFWControl::GetElement(UINT index) { return index < m_Elements.size() ? m_Elements[index].get() : nullptr; }

void CFWControl::SetHint(const wchar_t* hint) {
  if (hint == nullptr)
    m_pszHint.reset();
  else
    m_pszHint = std::make_unique<std::wstring>(hint);
}

void CFWControl::MoveBy(int dx, int dy) {
  m_x += dx;
  m_y += dy;
  UpdateRects();
  if (!SetGuiRect(m_pDialog, m_ID, m_x, m_y, m_x + m_width, m_y + m_height, dx, dy)) {
    m_x -= dx;
    m_y -= dy;
    UpdateRects();
  }
}

UINT CFWControl::DrawState() {
  if (!m_bVisible) return FWSTATE_HIDDEN;
  if (!m_bEnabled) return FWSTATE_DISABLED;
  if (m_bMouseOver) return FWSTATE_MOUSEOVER;
  if (m_bHasFocus) return FWSTATE_FOCUS;
  return FWSTATE_NORMAL;
}

// ---- CFWStatic ----

CFWStatic::CFWStatic(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_STATIC; }

bool CFWStatic::ContainsPoint(POINT pt) { return m_bEnabled && PointInBox(pt); }

HRESULT CFWStatic::SetText(const wchar_t* text) {
  m_strText = text != nullptr ? text : L"";
  if (m_strText.size() > static_cast<size_t>(kFWMaxStaticText)) m_strText.resize(kFWMaxStaticText);
  return S_OK;
}

void CFWStatic::Render(cPlatformDevice*, float elapsedTime) {
  CFWElement* e = GetElement(static_cast<UINT>(m_iTextElement));
  if (e == nullptr || m_pDialog == nullptr) return;
  const UINT state = !m_bVisible ? FWSTATE_HIDDEN : (m_bEnabled ? FWSTATE_NORMAL : FWSTATE_DISABLED);
  e->dwTextFormat = m_dwTextFormat;
  e->FontColor.Blend(state, elapsedTime, kDefaultRate);
  m_pDialog->DrawText(m_strText.c_str(), e, &m_rcBoundingBox, true);
}

// ---- CFWButton ----

CFWButton::CFWButton(CFWDialog* dialog) : CFWStatic(dialog) { m_Type = FWCONTROL_BUTTON; }

bool CFWButton::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  return HandleSpaceKey(msg, wParam, m_bPressed, [this] { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); });
}

bool CFWButton::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) { return HandleClickMouse(msg, pt, m_bPressed); }

void CFWButton::OnHotkey() { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); }

void CFWButton::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = m_bVisible && m_bEnabled && m_bPressed ? static_cast<UINT>(FWSTATE_PRESSED) : DrawState();
  const float rate = state == FWSTATE_PRESSED ? 0.0f : kButtonRate;
  const UINT base = m_bPressed ? 3 : 0;
  DrawThreeSlice(m_pDialog, this, m_rcBoundingBox, kCap, GetElement(base), GetElement(base + 1), GetElement(base + 2),
                 state, elapsedTime, rate);
  CFWElement* textElement = m_width > 2 * kCap ? GetElement(base + 1) : GetElement(base + 2);
  if (textElement != nullptr) m_pDialog->DrawText(m_strText.c_str(), textElement, &m_rcBoundingBox, false);
}

// Space presses on key down and acts on key up.
bool CFWControl::HandleSpaceKey(UINT msg, WPARAM wParam, bool& pressed, const std::function<void()>& action) {
  if (!m_bEnabled || !m_bVisible || wParam != VK_SPACE) return false;
  if (msg == WM_KEYDOWN) {
    pressed = true;
    return true;
  }
  if (msg == WM_KEYUP && pressed) {
    pressed = false;
    action();
    return true;
  }
  return false;
}

// Check boxes and radio buttons take the focus on a press only when their
// dialog takes keyboard input, and act on a release over them.
bool CFWControl::HandleToggleMouse(UINT msg, POINT pt, bool& pressed, const std::function<void()>& action) {
  if (!m_bEnabled || !m_bVisible) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!ContainsPoint(pt)) return false;
      pressed = true;
      FWCaptureMouse(true);
      if (!m_bHasFocus && m_pDialog->m_bKeyboardInput) CFWDialog::RequestFocus(this);
      return true;
    case WM_LBUTTONUP:
      if (!pressed) return false;
      pressed = false;
      FWCaptureMouse(false);
      if (ContainsPoint(pt)) action();
      return true;
    default:
      return false;
  }
}

// A press and a release over the control is a click; icons and images take
// the mouse alike.
bool CFWControl::HandleClickMouse(UINT msg, POINT pt, bool& pressed) {
  if (!m_bEnabled || !m_bVisible) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!ContainsPoint(pt)) return false;
      pressed = true;
      FWCaptureMouse(true);
      if (!m_bHasFocus) CFWDialog::RequestFocus(this);
      return true;
    case WM_LBUTTONUP:
      if (!pressed) return false;
      pressed = false;
      FWCaptureMouse(false);
      if (!m_pDialog->m_bKeyboardInput) CFWDialog::ClearFocus();
      if (ContainsPoint(pt)) m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this);
      return true;
    default:
      return false;
  }
}

// ---- CFWIcon ----

CFWIcon::CFWIcon(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_ICON; }

bool CFWIcon::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) { return HandleClickMouse(msg, pt, m_bPressed); }

void CFWIcon::OnHotkey() { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); }

void CFWIcon::Render(cPlatformDevice*, float) {
  if (m_pDialog == nullptr || !m_bVisible) return;
  int source = 1;
  D3DCOLOR colour = 0xFFFFFFFFu;
  if (!m_bEnabled)
    source = 0;
  else if (m_bMouseOver && !m_bPressed)
    source = 2;
  else if (!m_bPressed && !m_bHasFocus)
    colour = 0xDCFFFFFFu;
  FWTextureNode* node = GetGlobalDialogResourceManager()->GetTextureNode(m_pDialog->TextureIndex(0));
  if (node == nullptr || node->pTexture == nullptr) return;
  m_pDialog->DrawSprite(node->pTexture, &m_rcSource[source], &m_rcBoundingBox, colour, 0.2f);
}

// ---- CFWImage ----

CFWImage::CFWImage(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_IMAGE; }

CFWImage::~CFWImage() { SetTexture(nullptr); }

void CFWImage::SetTexture(cPlatformTexture* texture) {
  if (texture != nullptr) texture->AddRef();
  if (m_pTexture != nullptr) m_pTexture->Release();
  m_pTexture = texture;
}

bool CFWImage::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  return HandleSpaceKey(msg, wParam, m_bPressed, [this] { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); });
}

bool CFWImage::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) { return HandleClickMouse(msg, pt, m_bPressed); }

void CFWImage::OnHotkey() { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); }

void CFWImage::Render(cPlatformDevice*, float) {
  if (m_pDialog == nullptr || !m_bVisible || m_pTexture == nullptr) return;
  m_pDialog->DrawSprite(m_pTexture, &m_rcSource, &m_rcBoundingBox, m_Color, 0.0f);
}

// ---- CFWCheckBox ----

CFWCheckBox::CFWCheckBox(CFWDialog* dialog) : CFWButton(dialog) { m_Type = FWCONTROL_CHECKBOX; }

bool CFWCheckBox::ContainsPoint(POINT pt) { return PointInBox(pt) || PtInRect(m_rcButton, pt); }

void CFWCheckBox::UpdateRects() {
  CFWControl::UpdateRects();
  m_rcButton = m_rcBoundingBox;
  m_rcButton.right = m_rcButton.left + (m_rcButton.bottom - m_rcButton.top);
  m_rcText = m_rcBoundingBox;
  m_rcText.left += static_cast<int>(1.25f * static_cast<float>(m_rcButton.right - m_rcButton.left));
}

void CFWCheckBox::SetCheckedInternal(bool checked, bool fromInput, bool sendEvent) {
  m_bChecked = checked;
  if (sendEvent) m_pDialog->SendEvent(EVENT_CHECKBOX_CHANGED, fromInput, this);
}

bool CFWCheckBox::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  return HandleSpaceKey(msg, wParam, m_bPressed, [this] { SetCheckedInternal(!m_bChecked, true, true); });
}

bool CFWCheckBox::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  return HandleToggleMouse(msg, pt, m_bPressed, [this] { SetCheckedInternal(!m_bChecked, true, true); });
}

void CFWCheckBox::OnHotkey() { SetCheckedInternal(!m_bChecked, true, true); }

void CFWCheckBox::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = m_bVisible && m_bEnabled && m_bPressed ? static_cast<UINT>(FWSTATE_PRESSED) : DrawState();
  CFWElement* e = GetElement(m_bChecked ? 1 : 0);
  if (e == nullptr) return;
  e->TextureColor.Blend(state, elapsedTime, 0.0f);
  e->FontColor.Blend(state, elapsedTime, 0.0f);
  m_pDialog->DrawSprite(e, &m_rcButton);
  m_pDialog->DrawText(m_strText.c_str(), e, &m_rcText, true);
}

// ---- CFWRadioButton ----

CFWRadioButton::CFWRadioButton(CFWDialog* dialog) : CFWCheckBox(dialog) { m_Type = FWCONTROL_RADIOBUTTON; }

void CFWRadioButton::SetCheckedInternal(bool checked, bool clearGroup, bool fromInput, bool sendEvent) {
  if (checked && clearGroup) m_pDialog->ClearRadioButtonGroup(m_nButtonGroup, sendEvent);
  m_bChecked = checked;
  if (sendEvent) m_pDialog->SendEvent(EVENT_RADIOBUTTON_CHANGED, fromInput, this);
}

void CFWRadioButton::Choose() {
  m_pDialog->ClearRadioButtonGroup(m_nButtonGroup, true);
  m_bChecked = !m_bChecked;
  m_pDialog->SendEvent(EVENT_RADIOBUTTON_CHANGED, true, this);
}

bool CFWRadioButton::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  return HandleSpaceKey(msg, wParam, m_bPressed, [this] { Choose(); });
}

bool CFWRadioButton::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  return HandleToggleMouse(msg, pt, m_bPressed, [this] { Choose(); });
}

void CFWRadioButton::OnHotkey() { SetCheckedInternal(true, true, true, true); }

// ---- CFWSlider ----

CFWSlider::CFWSlider(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_SLIDER; }

bool CFWSlider::ContainsPoint(POINT pt) { return PointInBox(pt) || PtInRect(m_rcButton, pt); }

void CFWSlider::UpdateRects() {
  CFWControl::UpdateRects();
  // An empty range or a slider without room for its button keeps the
  // button at the start instead of dividing by zero.
  const long long travel = std::max(0, m_width - 2 * kSliderCap);
  const long long range = static_cast<long long>(m_nMax) - m_nMin;
  m_nButtonX = range > 0 ? static_cast<int>(travel * (static_cast<long long>(m_nValue) - m_nMin) / range) : 0;
  const int left = m_rcBoundingBox.left + kCap + m_nButtonX;
  m_rcButton = RECT{left, m_rcBoundingBox.top, left + 2 * kCap, m_rcBoundingBox.bottom};
}

int CFWSlider::ValueFromPos(int buttonX) const {
  const int travel = m_width - 2 * kSliderCap;
  if (travel <= 0 || m_nMax <= m_nMin) return m_nMin;
  const float v = static_cast<float>(m_nMax - m_nMin) / static_cast<float>(travel) * static_cast<float>(buttonX) +
                  static_cast<float>(m_nMin) + 0.5f;
  if (v >= 2147483647.0f) return m_nMax;
  if (v <= -2147483648.0f) return m_nMin;
  return static_cast<int>(v);
}

void CFWSlider::SetValueInternal(int value, bool fromInput, bool sendEvent) {
  value = std::max(m_nMin, std::min(m_nMax, value));
  if (value == m_nValue) return;
  m_nValue = value;
  UpdateRects();
  if (sendEvent) m_pDialog->SendEvent(EVENT_SLIDER_VALUE_CHANGED, fromInput, this);
}

void CFWSlider::SetRange(int min, int max) {
  m_nMin = min;
  m_nMax = std::max(min, max);
  UpdateRects();
  SetValueInternal(m_nValue, false, true);
}

bool CFWSlider::HandleKeyboard(UINT msg, WPARAM wParam, LPARAM) {
  if (!m_bEnabled || !m_bVisible || msg != WM_KEYDOWN) return false;
  switch (wParam) {
    case VK_HOME:
      SetValueInternal(m_nMin, true, true);
      return true;
    case VK_END:
      SetValueInternal(m_nMax, true, true);
      return true;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
      SetValueInternal(m_nValue - 1, true, true);
      return true;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
      SetValueInternal(m_nValue + 1, true, true);
      return true;
    default:
      return false;
  }
}

bool CFWSlider::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  if (!m_bEnabled || !m_bVisible) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (PtInRect(m_rcButton, pt)) {
        m_bPressed = true;
        FWCaptureMouse(true);
        m_nDragX = pt.x;
        m_nDragOffset = m_nButtonX - pt.x;
        if (!m_bHasFocus) CFWDialog::RequestFocus(this);
        return true;
      }
      if (PointInBox(pt)) {
        if (pt.x < m_rcButton.left)
          SetValueInternal(m_nValue - 1, true, true);
        else
          SetValueInternal(m_nValue + 1, true, true);
        if (!m_bHasFocus) CFWDialog::RequestFocus(this);
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      if (!m_bPressed) return false;
      SetValueInternal(ValueFromPos(pt.x + m_nDragOffset), true, true);
      return true;
    case WM_LBUTTONUP:
      if (!m_bPressed) return false;
      m_bPressed = false;
      FWCaptureMouse(false);
      CFWDialog::ClearFocus();
      m_pDialog->SendEvent(EVENT_SLIDER_VALUE_CHANGED, true, this);
      return true;
    default:
      return false;
  }
}

void CFWSlider::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = m_bVisible && m_bEnabled && m_bPressed ? static_cast<UINT>(FWSTATE_PRESSED) : DrawState();
  const float rate = state == FWSTATE_PRESSED ? 0.0f : kButtonRate;
  DrawThreeSlice(m_pDialog, this, m_rcBoundingBox, kSliderCap, GetElement(0), GetElement(1), GetElement(2), state,
                 elapsedTime, rate);
  if (CFWElement* b = GetElement(m_bPressed ? 4 : 3)) {
    b->TextureColor.Blend(state, elapsedTime, rate);
    m_pDialog->DrawSprite(b, &m_rcButton);
  }
}

// ---- CFWProgressBar ----

CFWProgressBar::CFWProgressBar(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_PROGRESSBAR; }

void CFWProgressBar::UpdateRects() {
  CFWControl::UpdateRects();
  const long long range = static_cast<long long>(m_nMax) - m_nMin;
  const long long room = std::max(0, m_width - 2 * kCap);
  // An empty range has no bar to fill rather than a division by zero.
  m_nBarWidth = range > 0 ? static_cast<int>(room * (static_cast<long long>(m_nValue) - m_nMin) / range) : 0;
}

void CFWProgressBar::SetValue(int value) {
  m_nValue = std::max(m_nMin, std::min(m_nMax, value));
  UpdateRects();
}

void CFWProgressBar::SetRange(int min, int max) {
  m_nMin = min;
  m_nMax = std::max(min, max);
  SetValue(m_nValue);
}

void CFWProgressBar::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = DrawState();
  const RECT& box = m_rcBoundingBox;
  CFWElement* left = GetElement(m_nValue > m_nMin ? 3 : 0);
  CFWElement* right = GetElement(m_nValue >= m_nMax ? 5 : 2);
  DrawThreeSlice(m_pDialog, this, box, kCap, left, GetElement(1), right, state, elapsedTime, kButtonRate);
  if (m_width > 2 * kCap && m_nBarWidth > 0) {
    if (CFWElement* fill = GetElement(4)) {
      fill->TextureColor.Blend(state, elapsedTime, kButtonRate);
      const RECT r{box.left + kCap, box.top, box.left + kCap + m_nBarWidth, box.bottom};
      m_pDialog->DrawSprite(fill, &r);
    }
  }
}

// ---- CFWFrame ----

CFWFrame::CFWFrame(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_FRAME; }

int CFWFrame::Border(int style) {
  switch (style) {
    case 1:
      return 30;
    case 2:
      return 10;
    default:
      return 45;
  }
}

// The nine pieces of a box with a border: centre, top-left, top, top-right,
// left, right, bottom-left, bottom, bottom-right.
void NineSlice(const RECT& box, int b, RECT out[9]) {
  const int l = box.left, t = box.top, r = box.right, bt = box.bottom;
  out[0] = RECT{l + b, t + b, r - b, bt - b};
  out[1] = RECT{l, t, l + b, t + b};
  out[2] = RECT{l + b, t, r - b, t + b};
  out[3] = RECT{r - b, t, r, t + b};
  out[4] = RECT{l, t + b, l + b, bt - b};
  out[5] = RECT{r - b, t + b, r, bt - b};
  out[6] = RECT{l, bt - b, l + b, bt};
  out[7] = RECT{l + b, bt - b, r - b, bt};
  out[8] = RECT{r - b, bt - b, r, bt};
}

void CFWFrame::UpdateRects() {
  CFWControl::UpdateRects();
  NineSlice(m_rcBoundingBox, Border(m_nStyle), m_rcPieces);
}

void CFWFrame::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = DrawState();
  for (UINT i = 0; i < 9; ++i) {
    CFWElement* e = GetElement(i + 9 * static_cast<UINT>(std::clamp(m_nStyle, 0, 2)));
    if (e == nullptr) continue;
    e->TextureColor.Blend(state, elapsedTime, kDefaultRate);
    m_pDialog->DrawSprite(e, &m_rcPieces[i]);
  }
}

// ---- CFWTabFrame ----

CFWTabFrame::CFWTabFrame(CFWDialog* dialog) : CFWControl(dialog) { m_Type = FWCONTROL_TABFRAME; }

void CFWTabFrame::UpdateRects() {
  CFWControl::UpdateRects();
  const int fontHeight = m_pDialog != nullptr ? m_pDialog->FontHeight(GetElement(1)) : 0;
  const int height = std::max(kTabMinStrip, fontHeight + 2 * m_nTabMargin);
  m_rcTabStrip = RECT{m_rcBoundingBox.left, m_rcBoundingBox.top, m_rcBoundingBox.right, m_rcBoundingBox.top + height};
}

int CFWTabFrame::TabAt(POINT pt) const {
  if (!PtInRect(m_rcTabStrip, pt)) return -1;
  int x = m_rcTabStrip.left;
  for (size_t i = 0; i < m_Tabs.size(); ++i) {
    x += m_Tabs[i]->textWidth + 2 * kTabCap;
    if (pt.x < x) return static_cast<int>(i);
  }
  return -1;
}

bool CFWTabFrame::HandleMouse(UINT msg, POINT pt, WPARAM, LPARAM) {
  if (!m_bEnabled || !m_bVisible) return false;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (msg == WM_LBUTTONDOWN) CFWDialog::RequestFocus(this);
      const int tab = TabAt(pt);
      if (tab < 0) return false;
      FWCaptureMouse(true);
      m_bPressed = true;
      ShowTab(m_nActiveTab, false);
      m_nActiveTab = tab;
      m_pDialog->SendEvent(EVENT_TABFRAME_TAB_CHOSEN, true, this);
      ShowTab(m_nActiveTab, true);
      return true;
    }
    case WM_LBUTTONUP:
      if (m_bPressed) {
        m_bPressed = false;
        FWCaptureMouse(false);
      }
      return false;
    default:
      return false;
  }
}

void CFWTabFrame::ShowTab(int index, bool show) {
  if (index < 0 || index >= static_cast<int>(m_Tabs.size()) || m_pDialog == nullptr) return;
  const sTab& tab = *m_Tabs[static_cast<size_t>(index)];
  for (int id = tab.firstControlId; id <= tab.lastControlId; ++id)
    if (CFWControl* c = m_pDialog->GetControl(id)) c->SetVisible(show);
}

HRESULT CFWTabFrame::AddTab(const wchar_t* text, void* data, int firstControlId, int lastControlId) {
  auto tab = std::make_unique<sTab>();
  tab->text = text != nullptr ? text : L"";
  if (tab->text.size() > 255) tab->text.resize(255);
  tab->data = data;
  tab->firstControlId = firstControlId;
  tab->lastControlId = lastControlId;
  if (m_pDialog != nullptr && !tab->text.empty()) {
    RECT rc{0, 0, 0, 0};
    if (SUCCEEDED(m_pDialog->CalcTextRect(tab->text.c_str(), GetElement(13), &rc))) tab->textWidth = rc.right - rc.left;
  }
  m_Tabs.push_back(std::move(tab));
  m_nActiveTab = static_cast<int>(m_Tabs.size()) - 1;
  SetActiveTab(0, false);
  return S_OK;
}

void CFWTabFrame::SetActiveTab(int index, bool sendEvent) {
  ShowTab(m_nActiveTab, false);
  m_nActiveTab = m_Tabs.empty() ? -1 : std::clamp(index, 0, static_cast<int>(m_Tabs.size()) - 1);
  if (sendEvent) m_pDialog->SendEvent(EVENT_TABFRAME_TAB_CHOSEN, true, this);
  ShowTab(m_nActiveTab, true);
}

int CFWTabFrame::GetActiveTab(int previous) const { return previous < -1 ? -1 : m_nActiveTab; }

void CFWTabFrame::RemoveAllTabs() {
  m_Tabs.clear();
  m_nActiveTab = -1;
}

void CFWTabFrame::Render(cPlatformDevice*, float elapsedTime) {
  if (m_pDialog == nullptr) return;
  const UINT state = DrawState();
  auto draw = [&](CFWElement* e, const RECT& r) {
    if (e == nullptr) return;
    e->TextureColor.Blend(state, elapsedTime, kDefaultRate);
    e->FontColor.Blend(state, elapsedTime, kDefaultRate);
    m_pDialog->DrawSprite(e, &r);
  };
  // The body below the strip: elements 0..8 in row order.
  const RECT body{m_rcBoundingBox.left, m_rcTabStrip.bottom, m_rcBoundingBox.right, m_rcBoundingBox.bottom};
  RECT pieces[9];
  NineSlice(body, kTabCap, pieces);
  static constexpr int kRowOrder[9] = {1, 2, 3, 4, 0, 5, 6, 7, 8};
  for (UINT i = 0; i < 9; ++i) draw(GetElement(i), pieces[kRowOrder[i]]);

  int x = m_rcTabStrip.left;
  for (size_t i = 0; i < m_Tabs.size(); ++i) {
    if (x >= m_rcTabStrip.right) break;
    sTab& tab = *m_Tabs[i];
    if (tab.textWidth == 0 && !tab.text.empty()) {
      // Measured late when the tab came before the fonts.
      RECT rc{0, 0, 0, 0};
      if (SUCCEEDED(m_pDialog->CalcTextRect(tab.text.c_str(), GetElement(13), &rc))) tab.textWidth = rc.right - rc.left;
    }
    const UINT first = static_cast<int>(i) == m_nActiveTab ? 12 : 9;
    const RECT l{x, m_rcTabStrip.top, x + kTabCap, m_rcTabStrip.bottom};
    const RECT m{x + kTabCap, m_rcTabStrip.top, x + kTabCap + tab.textWidth, m_rcTabStrip.bottom};
    const RECT r{m.right, m_rcTabStrip.top, m.right + kTabCap, m_rcTabStrip.bottom};
    draw(GetElement(first), l);
    draw(GetElement(first + 1), m);
    draw(GetElement(first + 2), r);
    if (CFWElement* te = GetElement(first + 1)) m_pDialog->DrawText(tab.text.c_str(), te, &m);
    x = r.right;
  }
}
