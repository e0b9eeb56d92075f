#pragma once
// The text buffer shared by the memo and the edit box.
#include <string>

#include "platform/text_layout.h"

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
