#pragma once
// The single-line text field: its own text buffer, a caret measured by the
// glyph advances that drawing uses, selection, the clipboard through SDL,
// insert and overwrite modes and a set of characters typing must not
// insert. The platform's text input is on while a box has the focus.
#include <memory>
#include <string>

#include "gui/fw_scrollbar.h"
#include "gui/uni_buffer.h"

class CFWEditBox : public CFWControl {
 public:
  explicit CFWEditBox(CFWDialog* dialog = nullptr);
  ~CFWEditBox() override;

  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  bool MsgProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  void OnFocusIn() override;
  void OnFocusOut() override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;

  // Refused (false, old text kept) for a text of 65534 characters or more.
  bool SetText(const wchar_t* text, bool selectAll = false);
  const std::wstring& GetText() const { return m_Buffer.GetText(); }
  int GetTextLength() const { return m_Buffer.GetLength(); }
  void ClearText();
  void SetForbiddenCharacters(const wchar_t* text);
  // The characters typing and pasting refuse (the scenario settings menu's name).
  void SetExcludedCharacters(const wchar_t* text) { SetForbiddenCharacters(text); }
  void SetBorderWidth(int border) {
    m_nBorder = border;
    UpdateRects();
  }
  int GetCaret() const { return m_nCaret; }
  int GetSelStart() const { return m_nSelStart; }
  // Caret to a character index, scrolling the text so that it stays visible.
  void PlaceCaret(int cp);
  // The caret's x in dialog coordinates, from the advances drawing uses.
  int CaretX() const;
  // The character index nearest an x in dialog coordinates.
  int CharAtX(int x) const;
  // Hides the caret of every edit box.
  static void HideCaret(bool hide) { s_bHideCaret = hide; }

  CUniBuffer m_Buffer;
  std::unique_ptr<std::wstring> m_pszForbidden;
  int m_nBorder = 5;
  int m_nSpacing = 4;
  RECT m_rcText{};
  RECT m_rcRender[9]{};
  double m_dfBlink = 0.53;
  double m_dfLastBlink = 0;
  bool m_bCaretOn = true;
  int m_nCaret = 0;
  bool m_bInsertMode = true;
  int m_nSelStart = 0;
  int m_nFirstVisible = 0;
  D3DCOLOR m_SelTextColor = 0xFFFFFFFFu;
  D3DCOLOR m_SelBkColor = 0xFF28325Cu;
  D3DCOLOR m_CaretColor = 0xFFFFFFFFu;
  DWORD m_dwDisabledFormat = 5;
  bool m_bMouseDrag = false;

 protected:
  // Whether a modifier is held (tests press them without a keyboard).
  virtual bool KeyHeld(int vk) const;

 private:
  const cTextMetrics* Metrics() const;
  void ResetCaretBlink();
  bool HasSelection() const { return m_nCaret != m_nSelStart; }
  void DeleteSelectionText();
  void CopyToClipboard();
  void PasteFromClipboard();
  bool IsForbidden(wchar_t c) const;
  void Changed();

  static bool s_bHideCaret;
};
