#include "gui/fw_dialog.h"

#include <SDL2/SDL.h>

#include "gui/cursor.h"
#include "framework/fw_timer.h"
#include "framework/fw_util.h"
#include "framework/sound.h"
#include "gui/fw_combobox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "platform/window.h"

CFWControl* CFWDialog::s_pControlFocus = nullptr;
CFWControl* CFWDialog::s_pControlPressed = nullptr;
double CFWDialog::s_fTimeRefresh = 0.0;
POINT CFWDialog::s_DragStart;
bool CFWDialog::s_bDragging = false;
bool CFWDialog::s_bCaptionPressed = false;

namespace {
// A start point is recorded apart from its value, so that a press at x = 0
// is a start point too.
bool gDragStartSet = false;
constexpr int kDragStep = 5;
constexpr UINT WM_MOUSEFIRST = WM_MOUSEMOVE;
constexpr UINT WM_MOUSELAST = WM_XBUTTONDBLCLK;
constexpr int kMaxCycleSteps = 0xFFFF;

POINT PointOf(LPARAM l) { return POINT{SignedLoWord(static_cast<uintptr_t>(l)), SignedHiWord(static_cast<uintptr_t>(l))}; }
}  // namespace

void FWCaptureMouse(bool capture) {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

CFWDialog::CFWDialog() {
  m_Fonts.reserve(5);
  InitDefaultElements();
}

CFWDialog::~CFWDialog() {
  RemoveAllControls();
  // Out of any focus ring, so that no neighbour walks into a freed dialog.
  if (m_pPrevDialog != nullptr && m_pPrevDialog != this && m_pPrevDialog->m_pNextDialog == this)
    m_pPrevDialog->m_pNextDialog = m_pNextDialog != this ? m_pNextDialog : m_pPrevDialog;
  if (m_pNextDialog != nullptr && m_pNextDialog != this && m_pNextDialog->m_pPrevDialog == this)
    m_pNextDialog->m_pPrevDialog = m_pPrevDialog != this ? m_pPrevDialog : m_pNextDialog;
}

void CFWDialog::SetCaptionText(const wchar_t* text) {
  m_wszCaption = text != nullptr ? text : L"";
  if (m_wszCaption.size() > 255) m_wszCaption.resize(255);
}

void CFWDialog::SetBackgroundColors(D3DCOLOR topLeft, D3DCOLOR topRight, D3DCOLOR bottomLeft, D3DCOLOR bottomRight) {
  m_colorTopLeft = topLeft;
  m_colorTopRight = topRight;
  m_colorBottomLeft = bottomLeft;
  m_colorBottomRight = bottomRight;
}

void CFWDialog::EnableMouseInput(bool enable) {
  m_bMouseInput = enable;
  if (!enable) gCursor.SetHoverControl(nullptr);
}

void CFWDialog::SetVisible(bool visible) {
  m_bVisible = visible;
  if (!visible && m_pControlMouseOver != nullptr && gCursor.HoverControl() == m_pControlMouseOver)
    gCursor.SetHoverControl(nullptr);
}

void CFWDialog::SetNextDialog(CFWDialog* next) {
  if (next == nullptr) next = this;
  m_pNextDialog = next;
  next->m_pPrevDialog = this;
}

HRESULT CFWDialog::SetFont(UINT index, const wchar_t* face, int height, int weight) {
  if (m_Fonts.size() <= index) m_Fonts.resize(index + 1, -1);
  m_Fonts[index] = GetGlobalDialogResourceManager()->AddFont(face, height, weight);
  return S_OK;
}

HRESULT CFWDialog::SetTexture(UINT index, const wchar_t* file) {
  if (m_Textures.size() <= index) m_Textures.resize(index + 1, -1);
  m_Textures[index] = GetGlobalDialogResourceManager()->AddTexture(file);
  return S_OK;
}

int CFWDialog::FontIndex(UINT index) const { return index < m_Fonts.size() ? m_Fonts[index] : -1; }
int CFWDialog::TextureIndex(UINT index) const { return index < m_Textures.size() ? m_Textures[index] : -1; }

HRESULT CFWDialog::SetDefaultElement(UINT controlType, UINT element, const CFWElement* e) {
  if (e == nullptr) return E_INVALIDARG;
  for (auto& h : m_DefaultElements)
    if (h->nControlType == controlType && h->iElement == element) {
      h->Element = *e;
      return S_OK;
    }
  auto h = std::make_unique<FWElementHolder>();
  h->nControlType = controlType;
  h->iElement = element;
  h->Element = *e;
  m_DefaultElements.push_back(std::move(h));
  return S_OK;
}

CFWElement* CFWDialog::GetDefaultElement(UINT controlType, UINT element) {
  for (auto& h : m_DefaultElements)
    if (h->nControlType == controlType && h->iElement == element) return &h->Element;
  return nullptr;
}

// ---- Controls ----

HRESULT CFWDialog::InitControl(CFWControl* control) {
  if (control == nullptr) return E_INVALIDARG;
  control->m_Index = static_cast<UINT>(m_Controls.size());
  for (auto& h : m_DefaultElements)
    if (h->nControlType == control->m_Type) {
      const HRESULT hr = control->SetElement(h->iElement, &h->Element);
      if (FAILED(hr)) return hr;
    }
  const HRESULT hr = control->OnInit();
  return FAILED(hr) ? hr : S_OK;
}

HRESULT CFWDialog::AddControl(CFWControl* control) {
  if (control == nullptr) return E_INVALIDARG;
  control->m_pDialog = this;
  const HRESULT hr = InitControl(control);
  if (FAILED(hr)) return hr;
  m_Controls.emplace_back(control);
  return S_OK;
}

template <class T>
HRESULT CFWDialog::AddNew(std::unique_ptr<T> control, int id, int x, int y, int w, int h, T** created) {
  if (created != nullptr) *created = nullptr;
  if (!control) return E_OUTOFMEMORY;
  control->m_pDialog = this;
  const HRESULT hr = InitControl(control.get());
  // A control that is not appended is freed; the caller never sees it.
  if (FAILED(hr)) return hr;
  T* raw = control.get();
  m_Controls.push_back(std::move(control));
  raw->m_ID = id;
  raw->SetLocation(x, y);
  raw->SetSize(w, h);
  if (created != nullptr) *created = raw;
  return S_OK;
}

template <class T>
HRESULT CFWDialog::AddFromLayout(std::unique_ptr<T> control, int id, const wchar_t* hint, T** created) {
  const sGuiRect r = GuiRect(id);
  T* raw = nullptr;
  const HRESULT hr = AddNew(std::move(control), id, r.x, r.y, r.w, r.h, &raw);
  if (FAILED(hr)) return hr;
  if (hint != nullptr) raw->SetHint(hint);
  if (created != nullptr) *created = raw;
  return S_OK;
}

HRESULT CFWDialog::AddStatic(int id, const wchar_t* text, int x, int y, int w, int h, bool isDefault,
                             CFWStatic** created) {
  CFWStatic* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWStatic>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->m_bIsDefault = isDefault;
  c->SetText(text);
  c->SetEnabled(false);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddStatic(int id, const wchar_t* text, CFWStatic** created) {
  CFWStatic* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWStatic>(this), id, nullptr, &c);
  if (FAILED(hr)) return hr;
  c->SetText(text);
  c->SetEnabled(false);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddButton(int id, const wchar_t* text, int x, int y, int w, int h, UINT hotkey, bool isDefault,
                             CFWButton** created) {
  CFWButton* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWButton>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->SetText(text);
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddButton(int id, const wchar_t* text, const wchar_t* hint, UINT hotkey, CFWButton** created) {
  CFWButton* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWButton>(this), id, hint, &c);
  if (FAILED(hr)) return hr;
  c->SetText(text);
  c->m_nHotkey = hotkey;
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddIcon(int id, int srcLeft, int srcTop, int srcRight, int srcBottom, int x, int y, int w, int h,
                           UINT hotkey, bool isDefault, CFWIcon** created) {
  CFWIcon* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWIcon>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  const int height = srcBottom - srcTop;
  for (int i = 0; i < 3; ++i) c->m_rcSource[i] = RECT{srcLeft, srcTop + i * height, srcRight, srcBottom + i * height};
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddImage(int id, cPlatformTexture* texture, int srcLeft, int srcTop, int srcRight, int srcBottom,
                            int x, int y, int w, int h, UINT hotkey, bool isDefault, CFWImage** created) {
  CFWImage* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWImage>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->SetTexture(texture);
  c->m_rcSource = RECT{srcLeft, srcTop, srcRight, srcBottom};
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  c->SetEnabled(false);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddImage(int id, cPlatformTexture* texture, int srcLeft, int srcTop, int srcRight, int srcBottom,
                            const wchar_t* hint, D3DCOLOR color, CFWImage** created) {
  CFWImage* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWImage>(this), id, hint, &c);
  if (FAILED(hr)) return hr;
  c->SetTexture(texture);
  c->m_rcSource = RECT{srcLeft, srcTop, srcRight, srcBottom};
  c->m_Color = color;
  c->SetEnabled(false);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddCheckBox(int id, const wchar_t* text, int x, int y, int w, int h, bool checked, UINT hotkey,
                               bool isDefault, CFWCheckBox** created) {
  CFWCheckBox* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWCheckBox>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->SetText(text);
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  c->SetCheckedInternal(checked, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddCheckBox(int id, const wchar_t* text, const wchar_t* hint, bool checked,
                               CFWCheckBox** created) {
  CFWCheckBox* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWCheckBox>(this), id, hint, &c);
  if (FAILED(hr)) return hr;
  c->SetText(text);
  c->SetCheckedInternal(checked, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddRadioButton(int id, UINT group, const wchar_t* text, int x, int y, int w, int h, bool checked,
                                  UINT hotkey, bool isDefault, CFWRadioButton** created) {
  CFWRadioButton* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWRadioButton>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->m_nButtonGroup = group;
  c->SetText(text);
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  c->SetCheckedInternal(checked, true, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddRadioButton(int id, UINT group, const wchar_t* text, const wchar_t* hint, bool checked,
                                  CFWRadioButton** created) {
  CFWRadioButton* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWRadioButton>(this), id, hint, &c);
  if (FAILED(hr)) return hr;
  c->m_nButtonGroup = group;
  c->SetText(text);
  c->SetCheckedInternal(checked, true, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddSlider(int id, int x, int y, int w, int h, int min, int max, int value, bool isDefault,
                             CFWSlider** created) {
  CFWSlider* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWSlider>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->m_bIsDefault = isDefault;
  c->SetRange(min, max);
  c->SetValueInternal(value, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddSlider(int id, int min, int max, int value, CFWSlider** created) {
  CFWSlider* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWSlider>(this), id, nullptr, &c);
  if (FAILED(hr)) return hr;
  c->SetRange(min, max);
  c->SetValueInternal(value, false, true);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddComboBox(int id, int x, int y, int w, int h, UINT hotkey, bool isDefault,
                               CFWComboBox** created) {
  CFWComboBox* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWComboBox>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->m_nHotkey = hotkey;
  c->m_bIsDefault = isDefault;
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddComboBox(int id, const wchar_t* hint, CFWComboBox** created) {
  return AddFromLayout(std::make_unique<CFWComboBox>(this), id, hint, created);
}

HRESULT CFWDialog::AddListBox(int id, DWORD style, CFWListBox** created) {
  CFWListBox* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWListBox>(this), id, nullptr, &c);
  if (FAILED(hr)) return hr;
  // The style is stored after the rectangles, and they are made again with it.
  c->SetStyle(style);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddFrame(int id, int x, int y, int w, int h, int style, CFWFrame** created) {
  auto f = std::make_unique<CFWFrame>(this);
  f->m_nStyle = style < 0 ? 0 : (style > 2 ? 2 : style);
  return AddNew(std::move(f), id, x, y, w, h, created);
}

HRESULT CFWDialog::AddTabFrame(int id, CFWTabFrame** created) {
  return AddFromLayout(std::make_unique<CFWTabFrame>(this), id, nullptr, created);
}

HRESULT CFWDialog::AddProgressBar(int id, int min, int max, int value, CFWProgressBar** created) {
  CFWProgressBar* c = nullptr;
  const HRESULT hr = AddFromLayout(std::make_unique<CFWProgressBar>(this), id, nullptr, &c);
  if (FAILED(hr)) return hr;
  c->SetRange(min, max);
  c->SetValue(value);
  if (created != nullptr) *created = c;
  return S_OK;
}

HRESULT CFWDialog::AddProgressBar(int id, int x, int y, int w, int h, int min, int max, int value,
                                  CFWProgressBar** created) {
  CFWProgressBar* c = nullptr;
  const HRESULT hr = AddNew(std::make_unique<CFWProgressBar>(this), id, x, y, w, h, &c);
  if (FAILED(hr)) return hr;
  c->SetRange(min, max);
  c->SetValue(value);
  if (created != nullptr) *created = c;
  return S_OK;
}

CFWControl* CFWDialog::GetControl(int id) {
  for (auto& c : m_Controls)
    if (c->m_ID == id) return c.get();
  return nullptr;
}

CFWControl* CFWDialog::GetControl(int id, UINT type) {
  for (auto& c : m_Controls)
    if (c->m_ID == id && c->m_Type == type) return c.get();
  return nullptr;
}

CFWControl* CFWDialog::GetControlAtPoint(POINT pt) {
  if (m_bMinimized) return nullptr;
  for (size_t i = m_Controls.size(); i-- > 0;) {
    CFWControl* c = m_Controls[i].get();
    if (c->GetVisible() && c->ContainsPoint(pt)) return c;
  }
  return nullptr;
}

void CFWDialog::SetControlEnabled(int id, bool enabled) {
  if (CFWControl* c = GetControl(id)) c->SetEnabled(enabled);
}

void CFWDialog::DropReferences(CFWControl* control) {
  if (s_pControlFocus == control) s_pControlFocus = nullptr;
  if (s_pControlPressed == control) s_pControlPressed = nullptr;
  if (m_pControlMouseOver == control) {
    m_pControlMouseOver = nullptr;
    gCursor.SetHoverControl(nullptr);
  }
  // The cursor may still point at it through another way in.
  if (gCursor.HoverControl() == control) gCursor.SetHoverControl(nullptr);
}

void CFWDialog::RemoveControl(int id) {
  for (size_t i = 0; i < m_Controls.size(); ++i) {
    CFWControl* c = m_Controls[i].get();
    if (c->m_ID != id) continue;
    ClearFocus();
    DropReferences(c);
    m_Controls.erase(m_Controls.begin() + static_cast<std::ptrdiff_t>(i));
    // The focus walk goes by index: the controls behind move up and are
    // renumbered with their new places.
    for (size_t j = i; j < m_Controls.size(); ++j) m_Controls[j]->m_Index = static_cast<UINT>(j);
    return;
  }
}

void CFWDialog::RemoveAllControls() {
  if (s_pControlFocus != nullptr && s_pControlFocus->m_pDialog == this) s_pControlFocus = nullptr;
  if (s_pControlPressed != nullptr && s_pControlPressed->m_pDialog == this) s_pControlPressed = nullptr;
  m_pControlMouseOver = nullptr;
  gCursor.SetHoverControl(nullptr);
  m_Controls.clear();
}

void CFWDialog::ClearRadioButtonGroup(UINT group, bool sendEvent) {
  for (auto& c : m_Controls)
    if (c->m_Type == FWCONTROL_RADIOBUTTON) {
      auto* r = static_cast<CFWRadioButton*>(c.get());
      if (r->m_nButtonGroup == group) r->SetCheckedInternal(false, false, false, sendEvent);
    }
}

// ---- Focus ----

void CFWDialog::RequestFocus(CFWControl* control) {
  if (control == nullptr || s_pControlFocus == control || !control->CanHaveFocus()) return;
  if (s_pControlFocus != nullptr) s_pControlFocus->OnFocusOut();
  control->OnFocusIn();
  s_pControlFocus = control;
}

void CFWDialog::ClearFocus() {
  if (s_pControlFocus != nullptr) {
    s_pControlFocus->OnFocusOut();
    s_pControlFocus = nullptr;
  }
  FWCaptureMouse(false);
}

void CFWDialog::FocusDefaultControl() {
  for (auto& c : m_Controls)
    if (c->m_bIsDefault) {
      if (s_pControlFocus != nullptr) s_pControlFocus->OnFocusOut();
      FWCaptureMouse(false);
      s_pControlFocus = c.get();
      c->OnFocusIn();
      return;
    }
}

CFWControl* CFWDialog::GetNextControl(CFWControl* control) {
  if (control == nullptr || control->m_pDialog == nullptr) return nullptr;
  size_t index = control->m_Index + 1;
  CFWDialog* dialog = control->m_pDialog;
  // Past the end: the first control of the next dialog with any.
  for (int guard = 0; index >= dialog->m_Controls.size(); ++guard) {
    if (guard > kMaxCycleSteps) return control;
    dialog = dialog->m_pNextDialog != nullptr ? dialog->m_pNextDialog : dialog;
    index = 0;
  }
  return dialog->m_Controls[index].get();
}

CFWControl* CFWDialog::GetPrevControl(CFWControl* control) {
  if (control == nullptr || control->m_pDialog == nullptr) return nullptr;
  long long index = static_cast<long long>(control->m_Index) - 1;
  CFWDialog* dialog = control->m_pDialog;
  for (int guard = 0; index < 0; ++guard) {
    if (guard > kMaxCycleSteps) return control;
    dialog = dialog->m_pPrevDialog != nullptr ? dialog->m_pPrevDialog : dialog;
    index = static_cast<long long>(dialog->m_Controls.size()) - 1;
  }
  return dialog->m_Controls[static_cast<size_t>(index)].get();
}

void CFWDialog::OnCycleFocus(bool forward) {
  if (s_pControlFocus == nullptr || s_pControlFocus->m_pDialog != this) return;
  CFWControl* start = s_pControlFocus;
  CFWControl* c = start;
  for (int i = 0; i < kMaxCycleSteps; ++i) {
    c = forward ? GetNextControl(c) : GetPrevControl(c);
    if (c == nullptr || c == start) return;
    if (c->m_pDialog->m_bKeyboardInput && c->CanHaveFocus()) {
      start->OnFocusOut();
      s_pControlFocus = c;
      c->OnFocusIn();
      return;
    }
  }
}

// ---- Messages ----

void CFWDialog::CancelControlDrag() {
  gDragStartSet = false;
  s_DragStart = POINT{};
  s_bDragging = false;
}

bool CFWDialog::DragStep(UINT msg, LPARAM lParam) {
  CFWControl* c = m_pControlMouseOver;
  if (c == nullptr || c->m_pDialog != this || !c->m_bMovable) return false;
  const POINT p = PointOf(lParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (!gDragStartSet) {
        s_DragStart = p;
        gDragStartSet = true;
      }
      return false;
    case WM_LBUTTONUP: {
      const bool wasDragging = s_bDragging;
      CancelControlDrag();
      return wasDragging;
    }
    case WM_MOUSEMOVE: {
      if (!gDragStartSet) return false;
      // Rounded toward zero to whole steps.
      const int dx = (p.x - s_DragStart.x) / kDragStep * kDragStep;
      const int dy = (p.y - s_DragStart.y) / kDragStep * kDragStep;
      if (!s_bDragging && dx <= kDragStep && dx >= -kDragStep && dy <= kDragStep && dy >= -kDragStep) return false;
      s_bDragging = true;
      c->MoveBy(dx, dy);
      s_DragStart.x += dx;
      s_DragStart.y += dy;
      return true;
    }
    default:
      return false;
  }
}

bool CFWDialog::MsgProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A hidden dialog takes nothing, not even a drag.
  if (!m_bVisible) return false;
  if (DragStep(msg, lParam)) return true;

  if (m_bCaption) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
      const POINT p = PointOf(lParam);
      if (p.x >= m_x && p.x < m_x + m_width && p.y >= m_y && p.y < m_y + m_nCaptionHeight) {
        s_bCaptionPressed = true;
        FWCaptureMouse(true);
        return true;
      }
    } else if (msg == WM_LBUTTONUP && s_bCaptionPressed) {
      const POINT p = PointOf(lParam);
      if (p.x >= m_x && p.x < m_x + m_width && p.y >= m_y && p.y < m_y + m_nCaptionHeight) {
        FWCaptureMouse(false);
        m_bMinimized = !m_bMinimized;
        s_bCaptionPressed = false;
        return true;
      }
    }
  }
  if (m_bMinimized) return false;

  CFWControl* focus = s_pControlFocus;
  const bool ownFocus = focus != nullptr && focus->m_pDialog == this && focus->GetEnabled();
  if (ownFocus && focus->MsgProc(msg, wParam, lParam)) return true;

  switch (msg) {
    case WM_ACTIVATEAPP:
      if (ownFocus) {
        if (wParam != 0)
          focus->OnFocusIn();
        else
          focus->OnFocusOut();
      }
      return false;

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      if (!m_bKeyboardInput) return false;
      if (ownFocus && focus->HandleKeyboard(msg, wParam, lParam)) return true;
      if (msg == WM_KEYUP) {
        // Hotkeys fire on release; a focused edit box keeps its letters.
        const CFWControl* f = s_pControlFocus;
        if (f != nullptr && (f->m_Type == FWCONTROL_EDITBOX || f->m_Type == FWCONTROL_IMEEDITBOX)) return false;
        for (auto& c : m_Controls)
          if (c->GetVisible() && c->GetEnabled() && c->m_nHotkey != 0 && c->m_nHotkey == wParam) {
            c->OnHotkey();
            return true;
          }
        return false;
      }
      if (msg == WM_KEYDOWN) {
        switch (wParam) {
          case VK_TAB:
            if (s_pControlFocus == nullptr)
              FocusDefaultControl();
            else
              OnCycleFocus((GetKeyState(VK_SHIFT) & 0x8000) == 0);
            return true;
          case VK_LEFT:
          case VK_UP:
            if (s_pControlFocus != nullptr) {
              OnCycleFocus(false);
              return true;
            }
            break;
          case VK_RIGHT:
          case VK_DOWN:
            if (s_pControlFocus != nullptr) {
              OnCycleFocus(true);
              return true;
            }
            break;
          default:
            break;
        }
      }
      return false;
    }
    default:
      break;
  }

  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    if (!m_bMouseInput) return false;
    POINT pt = PointOf(lParam);
    pt.x -= m_x;
    pt.y -= OriginY();
    if (ownFocus && focus->HandleMouse(msg, pt, wParam, lParam)) return true;
    CFWControl* c = GetControlAtPoint(pt);
    if (c != nullptr && c->GetEnabled()) {
      // The focus control that has just declined the message is not asked
      // twice: a list dragging its selection would step two rows at once.
      const bool asked = ownFocus && c == focus;
      if (!asked && c->HandleMouse(msg, pt, wParam, lParam)) return true;
    } else if (msg == WM_LBUTTONDOWN && s_pControlFocus != nullptr && s_pControlFocus->m_pDialog == this) {
      s_pControlFocus->OnFocusOut();
      s_pControlFocus = nullptr;
    }
    if (msg == WM_MOUSEMOVE) OnMouseMove(pt);
  }
  return false;
}

void CFWDialog::OnMouseMove(POINT pt) {
  if (s_bDragging) return;
  CFWControl* c = GetControlAtPoint(pt);
  if (c == m_pControlMouseOver) return;
  if (m_pControlMouseOver != nullptr) {
    m_pControlMouseOver->OnMouseLeave();
    gCursor.SetHoverControl(nullptr);
  }
  m_pControlMouseOver = c;
  if (c != nullptr) {
    c->OnMouseEnter();
    gCursor.SetHoverControl(c);
  }
}

void CFWDialog::Refresh() {
  if (s_pControlFocus != nullptr) s_pControlFocus->OnFocusOut();
  if (m_pControlMouseOver != nullptr) m_pControlMouseOver->OnMouseLeave();
  s_pControlFocus = nullptr;
  s_pControlPressed = nullptr;
  m_pControlMouseOver = nullptr;
  gCursor.SetHoverControl(nullptr);
  for (auto& c : m_Controls) c->Refresh();
  if (m_bKeyboardInput) FocusDefaultControl();
}

void CFWDialog::SendEvent(UINT event, bool triggeredByUser, CFWControl* control, bool playSound) {
  if (m_pCallbackEvent == nullptr) return;
  const int id = control != nullptr ? control->m_ID : 0;
  if (triggeredByUser) {
    if (playSound) PlayControlSound(event, id, control);
    m_pCallbackEvent(event, id, control);
  } else if (m_bNonUserEvents) {
    m_pCallbackEvent(event, id, control);
  }
}

// ---- Drawing ----

HRESULT CFWDialog::OnRender(float elapsedTime) {
  if (m_fTimeLastRefresh < s_fTimeRefresh) {
    m_fTimeLastRefresh = FWGetGlobalTimer()->GetTime();
    Refresh();
  }
  if (!m_bVisible) return S_OK;
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  cPlatformDevice* device = rm->GetDevice();
  cPlatformSprite* sprite = rm->Sprite();
  if (device == nullptr || sprite == nullptr) return S_OK;

  if (!m_bMinimized) {
    const D3DCOLOR corners[4] = {m_colorTopLeft, m_colorTopRight, m_colorBottomLeft, m_colorBottomRight};
    if (((m_colorTopLeft | m_colorTopRight | m_colorBottomLeft | m_colorBottomRight) & 0xFF000000u) != 0)
      DrawGradientQuad(device, static_cast<float>(m_x), static_cast<float>(m_y), static_cast<float>(m_width),
                       static_cast<float>(m_height), corners);
  }

  sprite->Begin(D3DXSPRITE_ALPHABLEND);
  if (m_bCaption) {
    const RECT rc{0, -m_nCaptionHeight, m_width, 0};
    DrawSprite(&m_CapElement, &rc, 0.2f);
    std::wstring text = m_wszCaption;
    if (m_bMinimized) text += L" (Minimized)";
    if (text.size() > 255) text.resize(255);
    RECT textRc = rc;
    textRc.left += 5;
    DrawText(text.c_str(), &m_CapElement, &textRc, true);
  }
  if (!m_bMinimized) {
    for (auto& c : m_Controls)
      if (c.get() != s_pControlFocus) c->Render(device, elapsedTime);
    if (s_pControlFocus != nullptr && s_pControlFocus->m_pDialog == this) s_pControlFocus->Render(device, elapsedTime);
  }
  sprite->End();
  return S_OK;
}

HRESULT CFWDialog::DrawRect(const RECT* rect, D3DCOLOR color) {
  if (rect == nullptr) return E_INVALIDARG;
  cPlatformSprite* sprite = GetGlobalDialogResourceManager()->Sprite();
  if (sprite == nullptr) return S_OK;
  const D3DCOLOR corners[4] = {color, color, color, color};
  return sprite->DrawQuad(static_cast<float>(rect->left + m_x), static_cast<float>(rect->top + OriginY()),
                          static_cast<float>(rect->right - rect->left), static_cast<float>(rect->bottom - rect->top),
                          corners, 0.2f);
}

HRESULT CFWDialog::DrawSprite(CFWElement* element, const RECT* dest, float depth) {
  if (element == nullptr || dest == nullptr) return E_INVALIDARG;
  if (element->TextureColor.Current.a == 0.0f) return S_OK;
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  FWTextureNode* node = rm->GetTextureNode(TextureIndex(element->iTexture));
  if (node == nullptr || node->pTexture == nullptr) return S_OK;
  return DrawSprite(node->pTexture, &element->rcTexture, dest, FWColorToArgb(element->TextureColor.Current), depth);
}

HRESULT CFWDialog::DrawSprite(cPlatformTexture* texture, const RECT* source, const RECT* dest, D3DCOLOR color,
                              float depth) {
  if (texture == nullptr || dest == nullptr) return S_OK;
  cPlatformSprite* sprite = GetGlobalDialogResourceManager()->Sprite();
  if (sprite == nullptr) return S_OK;
  DrawSpriteStretched(sprite, texture, source, static_cast<float>(dest->left + m_x),
                      static_cast<float>(dest->top + OriginY()), static_cast<float>(dest->right - dest->left),
                      static_cast<float>(dest->bottom - dest->top), color, depth, false);
  return S_OK;
}

HRESULT CFWDialog::DrawText(const wchar_t* text, CFWElement* element, const RECT* dest, bool shadow, int count,
                            const RECT* clip) {
  if (element == nullptr || dest == nullptr) return E_INVALIDARG;
  if (text == nullptr || element->FontColor.Current.a == 0.0f) return S_OK;
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  FWFontNode* node = rm->GetFontNode(FontIndex(element->iFont));
  if (node == nullptr || node->pFont == nullptr) return S_OK;
  cPlatformDevice* device = rm->GetDevice();
  RECT saved{};
  bool hadClip = false;
  if (clip != nullptr && device != nullptr) {
    hadClip = device->GetClipRect(&saved);
    const RECT c{clip->left + m_x, clip->top + OriginY(), clip->right + m_x, clip->bottom + OriginY()};
    rm->Sprite()->Flush();
    device->SetClipRect(&c);
  }
  RECT rc{dest->left + m_x, dest->top + OriginY(), dest->right + m_x, dest->bottom + OriginY()};
  const D3DCOLOR colour = FWColorToArgb(element->FontColor.Current);
  const std::wstring s(text);
  if (shadow) {
    RECT sh{rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1};
    node->pFont->DrawText(rm->Sprite(), s, count, &sh, element->dwTextFormat, colour & 0xFF000000u);
  }
  node->pFont->DrawText(rm->Sprite(), s, count, &rc, element->dwTextFormat, colour);
  if (clip != nullptr && device != nullptr) {
    rm->Sprite()->Flush();
    device->SetClipRect(hadClip ? &saved : nullptr);
  }
  return S_OK;
}

HRESULT CFWDialog::CalcTextRect(const wchar_t* text, CFWElement* element, RECT* dest, int count) {
  if (element == nullptr || dest == nullptr) return E_INVALIDARG;
  FWFontNode* node = GetGlobalDialogResourceManager()->GetFontNode(FontIndex(element->iFont));
  if (node == nullptr || node->pFont == nullptr || text == nullptr) return E_FAIL;
  node->pFont->DrawText(nullptr, std::wstring(text), count, dest, element->dwTextFormat | DT_CALCRECT, 0);
  return S_OK;
}

int CFWDialog::FontHeight(const CFWElement* element) const {
  if (element == nullptr) return 0;
  FWFontNode* node = GetGlobalDialogResourceManager()->GetFontNode(FontIndex(element->iFont));
  if (node == nullptr) return 0;
  return node->pFont != nullptr ? node->pFont->LineHeight() : node->nHeight;
}
