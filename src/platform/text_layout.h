#pragma once
// The one text layout of the program, shared by drawing and measuring:
// line breaks, word wrap, horizontal alignment, vertical placement of the
// whole block and the rectangle the text covers. Metrics come from an
// interface so that the layout can be tested without a font.
#include <string>
#include <vector>

#include "platform/win_types.h"

// Format flags of text drawing.
constexpr DWORD DT_TOP = 0x0000;
constexpr DWORD DT_LEFT = 0x0000;
constexpr DWORD DT_CENTER = 0x0001;
constexpr DWORD DT_RIGHT = 0x0002;
constexpr DWORD DT_VCENTER = 0x0004;
constexpr DWORD DT_BOTTOM = 0x0008;
constexpr DWORD DT_WORDBREAK = 0x0010;
constexpr DWORD DT_SINGLELINE = 0x0020;
constexpr DWORD DT_EXPANDTABS = 0x0040;
constexpr DWORD DT_NOCLIP = 0x0100;
constexpr DWORD DT_CALCRECT = 0x0400;
constexpr DWORD DT_NOPREFIX = 0x0800;

class cTextMetrics {
 public:
  virtual ~cTextMetrics() = default;
  // Horizontal advance of one character in pixels.
  virtual int Advance(wchar_t c) const = 0;
  virtual int LineHeight() const = 0;
};

struct sTextLine {
  size_t start = 0;   // first character in the text
  size_t length = 0;  // characters drawn (without the break)
  int x = 0;          // left edge of the line
  int y = 0;          // top of the line
  int width = 0;
};

struct sTextLayout {
  std::vector<sTextLine> lines;
  int height = 0;  // lines x line height
  // What the text covers: the union of its lines (left, top of the rectangle
  // and no size when there are none).
  RECT bounds;
};

// Lays out count characters of the text (all of them when count < 0) in the
// rectangle with the format flags.
sTextLayout LayoutText(const std::wstring& text, int count, const RECT& rect, DWORD format, const cTextMetrics& m);

// Width of characters [start, start + length), with tabs expanded when asked.
int TextWidth(const std::wstring& text, size_t start, size_t length, DWORD format, const cTextMetrics& m);
