#pragma once
// The memo: a read-only, word-wrapped, scrolling block of text.
#include <string>

#include "gui/fw_control.h"
#include "gui/fw_scrollbar.h"
#include "gui/uni_buffer.h"

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
