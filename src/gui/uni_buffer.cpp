#include "gui/uni_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>

bool CUniBuffer::Grow(int needed) {
  if (needed > kMaxLength) return false;
  int cap = m_nCapacity;
  while (cap < needed + 1) cap = cap < 256 ? 256 : std::min(cap * 2, kMaxLength + 1);
  m_nCapacity = cap;
  return true;
}

bool CUniBuffer::SetText(const wchar_t* text) {
  const std::wstring s = text != nullptr ? text : L"";
  if (static_cast<int64_t>(s.size()) >= kMaxLength) return false;
  if (!Grow(static_cast<int>(s.size()))) return false;
  m_Text = s;
  m_bAnalyseRequired = true;
  return true;
}

void CUniBuffer::Clear() {
  m_Text.clear();
  m_bAnalyseRequired = true;
}

bool CUniBuffer::InsertString(int index, const std::wstring& s) {
  if (index < 0 || index > GetLength()) return false;
  const int64_t len = static_cast<int64_t>(m_Text.size()) + static_cast<int64_t>(s.size());
  if (len > kMaxLength || !Grow(static_cast<int>(len))) return false;
  m_Text.insert(static_cast<size_t>(index), s);
  m_bAnalyseRequired = true;
  return true;
}

bool CUniBuffer::InsertChar(int index, wchar_t c) { return InsertString(index, std::wstring(1, c)); }

bool CUniBuffer::RemoveRange(int start, int count) {
  if (start < 0 || count <= 0 || start >= GetLength()) return false;
  m_Text.erase(static_cast<size_t>(start), static_cast<size_t>(std::min(count, GetLength() - start)));
  m_bAnalyseRequired = true;
  return true;
}

bool CUniBuffer::RemoveChar(int index) { return RemoveRange(index, 1); }

bool CUniBuffer::SetChar(int index, wchar_t c) {
  if (index < 0 || index >= GetLength()) return false;
  m_Text[static_cast<size_t>(index)] = c;
  m_bAnalyseRequired = true;
  return true;
}

int CUniBuffer::CPtoX(int index, const cTextMetrics& m) const {
  index = std::clamp(index, 0, GetLength());
  return TextWidth(m_Text, 0, static_cast<size_t>(index), 0, m);
}

int CUniBuffer::XtoCP(int x, const cTextMetrics& m) const {
  int left = 0;
  for (int i = 0; i < GetLength(); ++i) {
    const int adv = m.Advance(m_Text[static_cast<size_t>(i)]);
    // The trailing half of a character puts the caret after it.
    if (x < left + (adv + 1) / 2) return i;
    left += adv;
  }
  return GetLength();
}

int CUniBuffer::PrevWordPos(int index) const {
  int i = std::clamp(index, 0, GetLength());
  while (i > 0 && std::iswspace(m_Text[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && !std::iswspace(m_Text[static_cast<size_t>(i - 1)])) --i;
  return i;
}

int CUniBuffer::NextWordPos(int index) const {
  int i = std::clamp(index, 0, GetLength());
  const int n = GetLength();
  while (i < n && !std::iswspace(m_Text[static_cast<size_t>(i)])) ++i;
  while (i < n && std::iswspace(m_Text[static_cast<size_t>(i)])) ++i;
  return i;
}
