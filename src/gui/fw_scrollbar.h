#pragma once
// The vertical scroll bar embedded in the combo box, the list box and the
// memo, the text buffer shared by the memo and the edit box, and the memo:
// a read-only, word-wrapped, scrolling block of text.
#include <string>

#include "gui/fw_control.h"
#include "platform/text_layout.h"

// Lines a control scrolls per notch of the mouse wheel (the desktop's usual setting).
constexpr int kFWWheelScrollLines = 3;

// The glyph metrics of an element's font in its dialog, null without a font
// (no device yet).
const cTextMetrics* FWElementMetrics(CFWDialog* dialog, const CFWElement* element);

// A wide-character text that never holds more than kMaxLength characters.
class CUniBuffer {
 public:
  static constexpr int kMaxLength = 65534;

  // Refused (false, text kept) when the text is kMaxLength characters or longer.
  bool SetText(const wchar_t* text);
  const std::wstring& GetText() const { return m_Text; }
  int GetLength() const { return static_cast<int>(m_Text.size()); }
  int GetCapacity() const { return m_nCapacity; }
  void Clear();
  // Inserts at index; refused when the index is outside the text or the
  // text would grow beyond kMaxLength.
  bool InsertChar(int index, wchar_t c);
  bool InsertString(int index, const std::wstring& s);
  bool RemoveChar(int index);
  bool RemoveRange(int start, int count);
  bool SetChar(int index, wchar_t c);
  // X of the leading edge of the character at index (the text end for
  // index == length), from the glyph advances that drawing uses.
  int CPtoX(int index, const cTextMetrics& m) const;
  // The caret index nearest x: the trailing half of a character counts as after it.
  int XtoCP(int x, const cTextMetrics& m) const;
  // Word starts for Ctrl+Left and Ctrl+Right.
  int PrevWordPos(int index) const;
  int NextWordPos(int index) const;

  int m_iFont = 1;
  bool m_bAnalyseRequired = true;

 private:
  bool Grow(int needed);
  std::wstring m_Text;
  int m_nCapacity = 1;
};

class CFWScrollBar : public CFWControl {
 public:
  explicit CFWScrollBar(CFWDialog* dialog = nullptr);
  bool HandleKeyboard(UINT, WPARAM, LPARAM) override { return false; }
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;

  void SetTrackRange(int start, int end);
  void SetPageSize(int size);
  void Scroll(int delta);
  void ShowItem(int index);
  int GetTrackPos() const { return m_nPosition; }
  void SetTrackPos(int position);
  int GetPageSize() const { return m_nPageSize; }
  int GetTrackStart() const { return m_nStart; }
  int GetTrackEnd() const { return m_nEnd; }
  // The held arrow steps after 0.33 seconds and then every 0.05 seconds
  // while the mouse stays on it; now is framework time in seconds.
  void UpdateArrow(double now);
  static bool ThumbDragging() { return s_bDrag; }

  bool m_bShowThumb = true;
  RECT m_rcUpButton{}, m_rcDownButton{}, m_rcTrack{}, m_rcThumb{};
  int m_nPosition = 0;
  int m_nPageSize = 1;
  int m_nStart = 0;
  int m_nEnd = 1;
  POINT m_LastMouse{};
  int m_Arrow = 0;  // 0 none, 1 up held, 2 down held
  double m_dArrowTS = 0;

 private:
  void UpdateThumbRect();
  void Cap();
  bool m_bArrowRepeating = false;  // the first delay has passed
  static bool s_bDrag;
  static int s_nThumbOffsetY;
};

class CFWMemo : public CFWControl {
 public:
  explicit CFWMemo(CFWDialog* dialog = nullptr);
  HRESULT OnInit() override;
  bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
  bool HandleKeyboard(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  bool MsgProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;

  void SetText(const wchar_t* text);
  void ClearText();
  const std::wstring& GetText() const { return m_Buffer.GetText(); }
  void ScrollToEnd();
  // Lines of the wrapped text (0 without a font).
  int LineCount() const { return m_nLines; }

  CUniBuffer m_Buffer;
  int m_nBorder = 5;
  RECT m_rcArea{}, m_rcText{};
  RECT m_rcRender[9]{};
  int m_nSpacing = 4;
  int m_nLineHeight = 0;
  DWORD m_dwTextFormat = DT_WORDBREAK;
  CFWScrollBar m_ScrollBar;
  int m_nSBWidth = 16;

 private:
  // Wraps the text in the area and sets the scroll range from it.
  void Measure();
  int m_nLines = 0;
};
