#pragma once
// The base of every control of a dialog and the simple controls: static
// text, button, icon, image, check box, radio button, slider, progress bar,
// frame and tab frame. Controls are drawn through their elements, copies
// of their dialog's default elements.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/fw_element.h"
#include "platform/win_types.h"

class CFWDialog;
class cPlatformDevice;
class cPlatformTexture;

enum FWControlType : UINT {
  FWCONTROL_BUTTON = 0,
  FWCONTROL_ICON = 1,
  FWCONTROL_IMAGE = 2,
  FWCONTROL_STATIC = 3,
  FWCONTROL_CHECKBOX = 4,
  FWCONTROL_RADIOBUTTON = 5,
  FWCONTROL_COMBOBOX = 6,
  FWCONTROL_SLIDER = 7,
  FWCONTROL_EDITBOX = 8,
  FWCONTROL_MEMO = 9,
  FWCONTROL_IMEEDITBOX = 10,
  FWCONTROL_LISTBOX = 11,
  FWCONTROL_SCROLLBAR = 12,
  FWCONTROL_FRAME = 13,
  FWCONTROL_TABFRAME = 14,
  FWCONTROL_PROGRESSBAR = 15,
};

// Events the controls raise.
constexpr UINT EVENT_BUTTON_CLICKED = 0x0101;
constexpr UINT EVENT_COMBOBOX_SELECTION_CHANGED = 0x0201;
constexpr UINT EVENT_RADIOBUTTON_CHANGED = 0x0301;
constexpr UINT EVENT_CHECKBOX_CHANGED = 0x0401;
constexpr UINT EVENT_SLIDER_VALUE_CHANGED = 0x0501;
constexpr UINT EVENT_EDITBOX_STRING = 0x0601;
constexpr UINT EVENT_EDITBOX_CHANGE = 0x0602;
constexpr UINT EVENT_LISTBOX_ITEM_DBLCLK = 0x0701;
constexpr UINT EVENT_LISTBOX_SELECTION = 0x0702;
constexpr UINT EVENT_TABFRAME_TAB_CHOSEN = 0x0801;

constexpr int kFWMaxStaticText = 4095;

// The nine pieces of a box with a border b: centre, top-left, top, top-right,
// left, right, bottom-left, bottom, bottom-right.
void NineSlice(const RECT& box, int b, RECT out[9]);

class CFWControl {
 public:
  explicit CFWControl(CFWDialog* dialog = nullptr);
  virtual ~CFWControl();
  CFWControl(const CFWControl&) = delete;
  CFWControl& operator=(const CFWControl&) = delete;

  virtual HRESULT OnInit() { return S_OK; }
  virtual void Refresh();
  virtual void Render(cPlatformDevice* device, float elapsedTime);
  virtual bool MsgProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam);
  virtual bool CanHaveFocus() { return false; }
  virtual void OnFocusIn() { m_bHasFocus = true; }
  virtual void OnFocusOut() { m_bHasFocus = false; }
  virtual void OnMouseEnter() { m_bMouseOver = true; }
  virtual void OnMouseLeave() { m_bMouseOver = false; }
  virtual void OnHotkey() {}
  virtual bool ContainsPoint(POINT pt);
  virtual void SetEnabled(bool enabled) { m_bEnabled = enabled; }
  virtual bool GetEnabled() { return m_bEnabled; }
  virtual void SetVisible(bool visible) { m_bVisible = visible; }
  virtual bool GetVisible() { return m_bVisible; }
  virtual void SetTextColor(D3DCOLOR color);
  virtual void UpdateRects();

  // Grows the element list up to the index with default elements, then
  // copies the element there.
  HRESULT SetElement(UINT index, const CFWElement* element);
  CFWElement* GetElement(UINT index);
  UINT ElementCount() const { return static_cast<UINT>(m_Elements.size()); }
  void SetHint(const wchar_t* hint);
  // The hint text, null for none.
  const wchar_t* GetHint() const { return m_pszHint ? m_pszHint->c_str() : nullptr; }
  // Moves the control and records its new rectangle in the layout table;
  // a move the table refuses is undone.
  void MoveBy(int dx, int dy);

  void SetLocation(int x, int y) {
    m_x = x;
    m_y = y;
    UpdateRects();
  }
  void SetSize(int width, int height) {
    m_width = width;
    m_height = height;
    UpdateRects();
  }
  int GetID() const { return m_ID; }
  UINT GetType() const { return m_Type; }
  CFWDialog* GetDialog() const { return m_pDialog; }

  bool m_bVisible = true;
  bool m_bMouseOver = false;
  bool m_bHasFocus = false;
  bool m_bIsDefault = false;
  bool m_bMovable = false;
  int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
  int m_nStyle = 0;
  int m_iTextElement = 0;
  std::unique_ptr<std::wstring> m_pszHint;
  CFWDialog* m_pDialog = nullptr;
  UINT m_Index = 0;
  std::vector<std::unique_ptr<CFWElement>> m_Elements;
  RECT m_rcBoundingBox;
  int m_ID = 0;
  UINT m_Type = FWCONTROL_BUTTON;
  UINT m_nHotkey = 0;
  void* m_pUserData = nullptr;
  bool m_bEnabled = true;

 protected:
  bool HandleClickMouse(UINT msg, POINT pt, bool& pressed);
  bool HandleSpaceKey(UINT msg, WPARAM wParam, bool& pressed, const std::function<void()>& action);
  bool HandleToggleMouse(UINT msg, POINT pt, bool& pressed, const std::function<void()>& action);
  // The state the elements blend toward.
  UINT DrawState();
  bool PointInBox(POINT pt) const;
};

class CFWStatic : public CFWControl {
 public:
  explicit CFWStatic(CFWDialog* dialog = nullptr);
  void Render(cPlatformDevice* device, float elapsedTime) override;
  bool ContainsPoint(POINT pt) override;
  HRESULT SetText(const wchar_t* text);
  const std::wstring& GetText() const { return m_strText; }

  std::wstring m_strText;
  DWORD m_dwTextFormat = DT_VCENTER_NOCLIP;

 private:
  static constexpr DWORD DT_VCENTER_NOCLIP = 260;
};

class CFWButton : public CFWStatic {
 public:
  explicit CFWButton(CFWDialog* dialog = nullptr);
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  bool ContainsPoint(POINT pt) override { return PointInBox(pt); }
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  void Render(cPlatformDevice* device, float elapsedTime) override;

  bool m_bPressed = false;
};

class CFWIcon : public CFWControl {
 public:
  explicit CFWIcon(CFWDialog* dialog = nullptr);
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  void Render(cPlatformDevice* device, float elapsedTime) override;

  RECT m_rcSource[3];  // disabled, normal, mouse-over
  bool m_bPressed = false;
};

class CFWImage : public CFWControl {
 public:
  explicit CFWImage(CFWDialog* dialog = nullptr);
  ~CFWImage() override;
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  bool ContainsPoint(POINT pt) override { return m_bEnabled && PointInBox(pt); }
  void Render(cPlatformDevice* device, float elapsedTime) override;
  // Holds a reference to the texture (null draws nothing).
  void SetTexture(cPlatformTexture* texture);

  RECT m_rcSource;
  cPlatformTexture* m_pTexture = nullptr;
  D3DCOLOR m_Color = 0xFFFFFFFFu;
  bool m_bPressed = false;
};

class CFWCheckBox : public CFWButton {
 public:
  explicit CFWCheckBox(CFWDialog* dialog = nullptr);
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  bool ContainsPoint(POINT pt) override;
  void UpdateRects() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  virtual void SetCheckedInternal(bool checked, bool fromInput, bool sendEvent);
  bool GetChecked() const { return m_bChecked; }

  bool m_bChecked = false;
  RECT m_rcButton;
  RECT m_rcText;
};

class CFWRadioButton : public CFWCheckBox {
 public:
  explicit CFWRadioButton(CFWDialog* dialog = nullptr);
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void OnHotkey() override;
  void SetCheckedInternal(bool checked, bool fromInput, bool sendEvent) override {
    SetCheckedInternal(checked, true, fromInput, sendEvent);
  }
  virtual void SetCheckedInternal(bool checked, bool clearGroup, bool fromInput, bool sendEvent);

  UINT m_nButtonGroup = 0;

 private:
  // A click or Space: the group cleared, then this one checked.
  void Choose();
};

class CFWSlider : public CFWControl {
 public:
  explicit CFWSlider(CFWDialog* dialog = nullptr);
  bool ContainsPoint(POINT pt) override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void UpdateRects() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void SetValueInternal(int value, bool fromInput, bool sendEvent);
  void SetRange(int min, int max);
  int GetValue() const { return m_nValue; }

  int m_nValue = 50, m_nMin = 0, m_nMax = 100;
  int m_nDragX = 0, m_nDragOffset = 0, m_nButtonX = 0;
  bool m_bPressed = false;
  RECT m_rcButton;

 private:
  int ValueFromPos(int x) const;
};

class CFWProgressBar : public CFWControl {
 public:
  explicit CFWProgressBar(CFWDialog* dialog = nullptr);
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  void UpdateRects() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void SetValue(int value);
  void SetRange(int min, int max);
  int GetValue() const { return m_nValue; }
  int BarWidth() const { return m_nBarWidth; }

  int m_nValue = 50, m_nMin = 0, m_nMax = 100;
  int m_nBarWidth = 0;
};

class CFWFrame : public CFWControl {
 public:
  explicit CFWFrame(CFWDialog* dialog = nullptr);
  void UpdateRects() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  // Border width of a style.
  static int Border(int style);

  RECT m_rcPieces[9];  // centre, top-left, top, top-right, left, right, bottom-left, bottom, bottom-right
};

class CFWTabFrame : public CFWControl {
 public:
  struct sTab {
    std::wstring text;
    int textWidth = 0;
    void* data = nullptr;
    int firstControlId = 0;
    int lastControlId = 0;
  };
  explicit CFWTabFrame(CFWDialog* dialog = nullptr);
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void UpdateRects() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  HRESULT AddTab(const wchar_t* text, void* data, int firstControlId, int lastControlId);
  void SetActiveTab(int index, bool sendEvent);
  int GetActiveTab(int previous = -1) const;
  void RemoveAllTabs();
  int TabCount() const { return static_cast<int>(m_Tabs.size()); }
  // The tab under a point of the strip, -1 for none.
  int TabAt(POINT pt) const;

  RECT m_rcTabStrip;
  int m_nTabMargin = 5;
  int m_nActiveTab = -1;
  bool m_bPressed = false;
  std::vector<std::unique_ptr<sTab>> m_Tabs;

 private:
  void ShowTab(int index, bool show);
};
