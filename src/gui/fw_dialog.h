#pragma once
// The container of the GUI toolkit: owns its controls, routes window
// messages to them, keeps the keyboard focus (one focus control in the whole
// program, travelling along a ring of dialogs), lets the user drag movable
// controls, draws itself and its controls, and reports what the user did
// through one event callback.
#include <memory>
#include <string>
#include <vector>

#include "gui/fw_control.h"
#include "gui/fw_element.h"
#include "platform/win_types.h"

class cPlatformDevice;
class cPlatformTexture;
class CFWComboBox;
class CFWListBox;

using PCALLBACKFWGUIEVENT = void (*)(UINT event, int controlId, CFWControl* control);

struct FWElementHolder {
  UINT nControlType = 0;
  UINT iElement = 0;
  CFWElement Element;
};

class CFWDialog {
 public:
  CFWDialog();
  ~CFWDialog();
  CFWDialog(const CFWDialog&) = delete;
  CFWDialog& operator=(const CFWDialog&) = delete;

  // Set-up.
  void SetCallback(PCALLBACKFWGUIEVENT callback) { m_pCallbackEvent = callback; }
  void SetCaptionText(const wchar_t* text);
  void EnableCaption(bool enable) { m_bCaption = enable; }
  void SetLocation(int x, int y) {
    m_x = x;
    m_y = y;
  }
  void SetSize(int width, int height) {
    m_width = width;
    m_height = height;
  }
  void SetBackgroundColors(D3DCOLOR topLeft, D3DCOLOR topRight, D3DCOLOR bottomLeft, D3DCOLOR bottomRight);
  void SetBackgroundColors(D3DCOLOR all) { SetBackgroundColors(all, all, all, all); }
  void EnableNonUserEvents(bool enable) { m_bNonUserEvents = enable; }
  void EnableKeyboardInput(bool enable) { m_bKeyboardInput = enable; }
  void EnableMouseInput(bool enable);
  bool IsKeyboardInputEnabled() const { return m_bKeyboardInput; }
  void SetVisible(bool visible);
  bool GetVisible() const { return m_bVisible; }
  void SetMinimized(bool minimized) { m_bMinimized = minimized; }
  bool GetMinimized() const { return m_bMinimized; }
  int GetCaptionHeight() const { return m_nCaptionHeight; }
  void SetCaptionHeight(int height) { m_nCaptionHeight = height; }

  HRESULT SetFont(UINT index, const wchar_t* face, int height, int weight);
  HRESULT SetTexture(UINT index, const wchar_t* file);
  // The resource manager's index behind a slot, -1 for none.
  int FontIndex(UINT index) const;
  int TextureIndex(UINT index) const;
  HRESULT SetDefaultElement(UINT controlType, UINT element, const CFWElement* e);
  CFWElement* GetDefaultElement(UINT controlType, UINT element);
  size_t DefaultElementCount() const { return m_DefaultElements.size(); }
  CFWElement& CaptionElement() { return m_CapElement; }

  // Controls: explicit form (position given) and layout form (position
  // from the layout table entry of the id).
  HRESULT AddStatic(int id, const wchar_t* text, int x, int y, int w, int h, bool isDefault = false,
                    CFWStatic** created = nullptr);
  HRESULT AddStatic(int id, const wchar_t* text, CFWStatic** created = nullptr);
  HRESULT AddButton(int id, const wchar_t* text, int x, int y, int w, int h, UINT hotkey = 0, bool isDefault = false,
                    CFWButton** created = nullptr);
  HRESULT AddButton(int id, const wchar_t* text, const wchar_t* hint, UINT hotkey = 0, CFWButton** created = nullptr);
  HRESULT AddIcon(int id, int srcLeft, int srcTop, int srcRight, int srcBottom, int x, int y, int w, int h,
                  UINT hotkey = 0, bool isDefault = false, CFWIcon** created = nullptr);
  HRESULT AddImage(int id, cPlatformTexture* texture, int srcLeft, int srcTop, int srcRight, int srcBottom, int x,
                   int y, int w, int h, UINT hotkey = 0, bool isDefault = false, CFWImage** created = nullptr);
  HRESULT AddImage(int id, cPlatformTexture* texture, int srcLeft, int srcTop, int srcRight, int srcBottom,
                   const wchar_t* hint, D3DCOLOR color = 0xFFFFFFFFu, CFWImage** created = nullptr);
  HRESULT AddCheckBox(int id, const wchar_t* text, int x, int y, int w, int h, bool checked = false, UINT hotkey = 0,
                      bool isDefault = false, CFWCheckBox** created = nullptr);
  HRESULT AddCheckBox(int id, const wchar_t* text, const wchar_t* hint, bool checked = false,
                      CFWCheckBox** created = nullptr);
  HRESULT AddRadioButton(int id, UINT group, const wchar_t* text, int x, int y, int w, int h, bool checked = false,
                         UINT hotkey = 0, bool isDefault = false, CFWRadioButton** created = nullptr);
  HRESULT AddRadioButton(int id, UINT group, const wchar_t* text, const wchar_t* hint, bool checked = false,
                         CFWRadioButton** created = nullptr);
  HRESULT AddSlider(int id, int x, int y, int w, int h, int min = 0, int max = 100, int value = 50,
                    bool isDefault = false, CFWSlider** created = nullptr);
  HRESULT AddSlider(int id, int min, int max, int value, CFWSlider** created = nullptr);
  HRESULT AddComboBox(int id, int x, int y, int w, int h, UINT hotkey = 0, bool isDefault = false,
                      CFWComboBox** created = nullptr);
  HRESULT AddComboBox(int id, const wchar_t* hint, CFWComboBox** created = nullptr);
  // Style 1: several rows may be selected.
  HRESULT AddListBox(int id, DWORD style = 0, CFWListBox** created = nullptr);
  HRESULT AddFrame(int id, int x, int y, int w, int h, int style = 0, CFWFrame** created = nullptr);
  HRESULT AddTabFrame(int id, CFWTabFrame** created = nullptr);
  HRESULT AddProgressBar(int id, int min, int max, int value, CFWProgressBar** created = nullptr);
  // The explicit progress bar, for dialogs that place it themselves.
  HRESULT AddProgressBar(int id, int x, int y, int w, int h, int min, int max, int value,
                         CFWProgressBar** created = nullptr);
  // Appends a control made elsewhere (the controls of other files).
  HRESULT AddControl(CFWControl* control);
  HRESULT InitControl(CFWControl* control);

  CFWControl* GetControl(int id);
  CFWControl* GetControl(int id, UINT type);
  template <class T>
  T* Get(int id, UINT type) {
    return static_cast<T*>(GetControl(id, type));
  }
  CFWControl* GetControlAtPoint(POINT pt);
  size_t ControlCount() const { return m_Controls.size(); }
  CFWControl* ControlAt(size_t index) const { return index < m_Controls.size() ? m_Controls[index].get() : nullptr; }
  void SetControlEnabled(int id, bool enabled);
  void RemoveControl(int id);
  void RemoveAllControls();
  void ClearRadioButtonGroup(UINT group, bool sendEvent = false);

  // Focus.
  static void RequestFocus(CFWControl* control);
  static void ClearFocus();
  static CFWControl* FocusControl() { return s_pControlFocus; }
  static CFWControl* PressedControl() { return s_pControlPressed; }
  static void SetPressedControl(CFWControl* control) { s_pControlPressed = control; }
  void FocusDefaultControl();
  static CFWControl* GetNextControl(CFWControl* control);
  static CFWControl* GetPrevControl(CFWControl* control);
  // Puts the dialog into a focus ring after another (or takes it out with null).
  void SetNextDialog(CFWDialog* next);
  CFWDialog* NextDialog() const { return m_pNextDialog; }
  CFWDialog* PrevDialog() const { return m_pPrevDialog; }

  // Messages and drawing.
  bool MsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HRESULT OnRender(float elapsedTime);
  void Refresh();
  void SendEvent(UINT event, bool triggeredByUser, CFWControl* control, bool playSound = true);
  CFWControl* MouseOverControl() const { return m_pControlMouseOver; }

  HRESULT DrawRect(const RECT* rect, D3DCOLOR color);
  HRESULT DrawSprite(CFWElement* element, const RECT* dest, float depth = 0.2f);
  HRESULT DrawSprite(cPlatformTexture* texture, const RECT* source, const RECT* dest, D3DCOLOR color, float depth);
  HRESULT DrawText(const wchar_t* text, CFWElement* element, const RECT* dest, bool shadow = false, int count = -1,
                   const RECT* clip = nullptr);
  HRESULT CalcTextRect(const wchar_t* text, CFWElement* element, RECT* dest, int count = -1);
  // The font height of an element's font, 0 without a font.
  int FontHeight(const CFWElement* element) const;

  // The class-wide refresh time (seconds of the framework timer).
  static void SetRefreshTime(double time) { s_fTimeRefresh = time; }
  // Ends a drag of a control under way, so that no click is lost to it.
  static void CancelControlDrag();
  static bool ControlDragActive() { return s_bDragging; }

  bool m_bNonUserEvents = false;
  bool m_bKeyboardInput = true;
  bool m_bMouseInput = true;
  bool m_bVisible = true;
  int m_nDefaultControlID = 0xFFFF;
  double m_fTimeLastRefresh = 0;
  CFWControl* m_pControlMouseOver = nullptr;
  bool m_bCaption = false;
  bool m_bMinimized = false;
  std::wstring m_wszCaption;
  int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
  int m_nCaptionHeight = 18;
  D3DCOLOR m_colorTopLeft = 0, m_colorTopRight = 0, m_colorBottomLeft = 0, m_colorBottomRight = 0;
  PCALLBACKFWGUIEVENT m_pCallbackEvent = nullptr;
  std::vector<int> m_Textures;
  std::vector<int> m_Fonts;
  std::vector<std::unique_ptr<CFWControl>> m_Controls;
  std::vector<std::unique_ptr<FWElementHolder>> m_DefaultElements;
  CFWElement m_CapElement;
  CFWDialog* m_pNextDialog = this;
  CFWDialog* m_pPrevDialog = this;

 private:
  void InitDefaultElements();
  template <class T>
  HRESULT AddNew(std::unique_ptr<T> control, int id, int x, int y, int w, int h, T** created);
  template <class T>
  HRESULT AddFromLayout(std::unique_ptr<T> control, int id, const wchar_t* hint, T** created);
  void OnCycleFocus(bool forward);
  void OnMouseMove(POINT pt);
  bool DragStep(UINT msg, LPARAM lParam);
  // Offset of dialog coordinates on the screen.
  int OriginY() const { return m_y + (m_bCaption ? m_nCaptionHeight : 0); }
  void DropReferences(CFWControl* control);

  static CFWControl* s_pControlFocus;
  static CFWControl* s_pControlPressed;
  static double s_fTimeRefresh;
  static POINT s_DragStart;
  static bool s_bDragging;
  static bool s_bCaptionPressed;
};

// Mouse capture of the window (the controls keep the mouse while a button is down).
void FWCaptureMouse(bool capture);
