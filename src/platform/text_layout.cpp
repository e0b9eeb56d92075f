#include "platform/text_layout.h"

#include <algorithm>

namespace {
bool IsBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

int CharWidth(wchar_t c, DWORD format, const cTextMetrics& m) {
  if (IsBreak(c)) return 0;
  if (c == L'\t' && (format & DT_EXPANDTABS) != 0) return 8 * m.Advance(L' ');
  return m.Advance(c);
}

// Splits one paragraph [start, end) into lines that fit the width, breaking
// after spaces; a word wider than the line stays whole on its own line.
void WrapParagraph(const std::wstring& t, size_t start, size_t end, int width, DWORD format, const cTextMetrics& m,
                   std::vector<sTextLine>& out) {
  const bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0 && width > 0;
  if (!wrap) {
    out.push_back({start, end - start, 0, 0, TextWidth(t, start, end - start, format, m)});
    return;
  }
  size_t pos = start;
  do {
    size_t lineEnd = pos;       // end of the text that fits
    size_t lastBreak = pos;     // end of the text before the last space that fits
    bool sawBreak = false;
    int w = 0;
    while (lineEnd < end) {
      const wchar_t c = t[lineEnd];
      const int cw = CharWidth(c, format, m);
      if (c == L' ') {
        lastBreak = lineEnd;
        sawBreak = true;
      } else if (w + cw > width && lineEnd > pos) {
        break;
      }
      w += cw;
      ++lineEnd;
    }
    size_t next = lineEnd;
    if (lineEnd < end) {
      if (sawBreak && lastBreak > pos) {
        lineEnd = lastBreak;
      } else if (!sawBreak || lastBreak == pos) {
        // One long word: keep it whole up to its end.
        while (lineEnd < end && t[lineEnd] != L' ') ++lineEnd;
      }
      next = lineEnd;
    }
    size_t drawnEnd = lineEnd;
    while (drawnEnd > pos && t[drawnEnd - 1] == L' ') --drawnEnd;  // trailing spaces take no room
    out.push_back({pos, drawnEnd - pos, 0, 0, TextWidth(t, pos, drawnEnd - pos, format, m)});
    while (next < end && t[next] == L' ') ++next;  // the next line starts at its word
    pos = next;
  } while (pos < end);
}
}  // namespace

int TextWidth(const std::wstring& text, size_t start, size_t length, DWORD format, const cTextMetrics& m) {
  int w = 0;
  for (size_t i = start; i < start + length && i < text.size(); ++i) w += CharWidth(text[i], format, m);
  return w;
}

sTextLayout LayoutText(const std::wstring& text, int count, const RECT& rect, DWORD format, const cTextMetrics& m) {
  sTextLayout out;
  const size_t n = count < 0 ? text.size() : std::min(text.size(), static_cast<size_t>(count));
  const int width = rect.right - rect.left;
  const int lineHeight = m.LineHeight();

  if ((format & DT_SINGLELINE) != 0) {
    out.lines.push_back({0, n, 0, 0, TextWidth(text, 0, n, format, m)});
  } else {
    size_t start = 0;
    while (true) {
      size_t end = start;
      while (end < n && !IsBreak(text[end])) ++end;
      WrapParagraph(text, start, end, width, format, m, out.lines);
      if (end >= n) break;
      // CR LF counts as one break; a break at the very end starts no line.
      start = end + ((text[end] == L'\r' && end + 1 < n && text[end + 1] == L'\n') ? 2 : 1);
      if (start >= n) break;
    }
  }
  if (n == 0) out.lines.clear();

  out.height = static_cast<int>(out.lines.size()) * lineHeight;
  int top = rect.top;
  if ((format & DT_BOTTOM) != 0) top = rect.bottom - out.height;
  else if ((format & DT_VCENTER) != 0) top = rect.top + (rect.bottom - rect.top - out.height) / 2;

  out.bounds = {rect.left, top, rect.left, top};
  bool first = true;
  for (size_t i = 0; i < out.lines.size(); ++i) {
    sTextLine& l = out.lines[i];
    l.y = top + static_cast<int>(i) * lineHeight;
    if ((format & DT_CENTER) != 0) l.x = rect.left + (width - l.width) / 2;
    else if ((format & DT_RIGHT) != 0) l.x = rect.right - l.width;
    else l.x = rect.left;
    if (first) {
      out.bounds = {l.x, l.y, l.x + l.width, l.y + lineHeight};
      first = false;
    } else {
      out.bounds.left = std::min(out.bounds.left, l.x);
      out.bounds.right = std::max(out.bounds.right, l.x + l.width);
      out.bounds.bottom = l.y + lineHeight;
    }
  }
  return out;
}
