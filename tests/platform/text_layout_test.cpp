#include <gtest/gtest.h>

#include <random>

#include "platform/text_layout.h"

namespace {

// Every character 10 pixels wide, "W" 20; lines 20 pixels high.
class FakeMetrics : public cTextMetrics {
 public:
  int Advance(wchar_t c) const override { return c == L'W' ? 20 : 10; }
  int LineHeight() const override { return 20; }
};

std::vector<std::wstring> Lines(const std::wstring& text, const sTextLayout& l) {
  std::vector<std::wstring> out;
  for (const sTextLine& line : l.lines) out.push_back(text.substr(line.start, line.length));
  return out;
}

TEST(TextLayout, WrapsAtSpacesAndKeepsLongWordsWhole) {
  FakeMetrics m;
  struct Case {
    std::wstring text;
    int width;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"aaa bbb ccc", 75, {L"aaa bbb", L"ccc"}},
      {L"aaa bbb ccc", 70, {L"aaa bbb", L"ccc"}},  // exactly fits
      {L"aaa bbb ccc", 69, {L"aaa", L"bbb", L"ccc"}},
      {L"aaaaaaaaaa bb", 50, {L"aaaaaaaaaa", L"bb"}},  // a word wider than the line stays whole
      {L"a   b", 20, {L"a", L"b"}},                     // spaces at a break take no room
      {L"WW W", 45, {L"WW", L"W"}},
      {L"one\ntwo three", 60, {L"one", L"two", L"three"}},
      {L"x\r\ny", 100, {L"x", L"y"}},  // CR LF is one break
      {L"x\n\ny", 100, {L"x", L"", L"y"}},
      {L"x\n", 100, {L"x"}},  // a break at the end starts no line
  };
  for (const Case& c : cases) {
    sTextLayout l = LayoutText(c.text, -1, RECT{0, 0, c.width, 100}, DT_WORDBREAK, m);
    EXPECT_EQ(Lines(c.text, l), c.lines) << "text \"" << std::string(c.text.begin(), c.text.end()) << "\" width "
                                         << c.width;
    EXPECT_EQ(l.height, static_cast<int>(c.lines.size()) * 20);
  }
}

TEST(TextLayout, WithoutWordBreakOnlyLineBreaksSplitAndSingleLineIgnoresThem) {
  FakeMetrics m;
  sTextLayout l = LayoutText(L"aaa bbb\nccc", -1, RECT{0, 0, 30, 100}, DT_LEFT, m);
  EXPECT_EQ(Lines(L"aaa bbb\nccc", l), (std::vector<std::wstring>{L"aaa bbb", L"ccc"}));
  sTextLayout one = LayoutText(L"aaa\nbbb", -1, RECT{0, 0, 30, 100}, DT_SINGLELINE | DT_WORDBREAK, m);
  ASSERT_EQ(one.lines.size(), 1u);
  EXPECT_EQ(one.lines[0].width, 60) << "the break takes no room";
  sTextLayout part = LayoutText(L"abcdef", 3, RECT{0, 0, 100, 100}, DT_LEFT, m);
  ASSERT_EQ(part.lines.size(), 1u);
  EXPECT_EQ(part.lines[0].length, 3u);
  EXPECT_TRUE(LayoutText(L"", -1, RECT{0, 0, 100, 100}, DT_LEFT, m).lines.empty());
  EXPECT_EQ(TextWidth(L"a\tb", 0, 3, DT_EXPANDTABS, m), 100);
}

TEST(TextLayout, AlignsLinesAndPlacesTheWholeBlockVertically) {
  FakeMetrics m;
  const std::wstring text = L"aaaa bb\nc";  // lines of 40, 20 and 10 pixels at width 50
  const RECT r{100, 200, 150, 300};
  sTextLayout center = LayoutText(text, -1, r, DT_CENTER | DT_VCENTER | DT_WORDBREAK, m);
  ASSERT_EQ(center.lines.size(), 3u);
  EXPECT_EQ(center.lines[0].x, 105);
  EXPECT_EQ(center.lines[1].x, 115);
  EXPECT_EQ(center.lines[2].x, 120);
  EXPECT_EQ(center.lines[0].y, 220) << "(100 - 60) / 2 below the top";
  EXPECT_EQ(center.lines[2].y, 260);
  EXPECT_EQ(center.bounds.left, 105);
  EXPECT_EQ(center.bounds.right, 145);
  EXPECT_EQ(center.bounds.top, 220);
  EXPECT_EQ(center.bounds.bottom, 280);

  sTextLayout right = LayoutText(text, -1, r, DT_RIGHT | DT_BOTTOM | DT_WORDBREAK, m);
  EXPECT_EQ(right.lines[0].x, 110);
  EXPECT_EQ(right.lines[2].x, 140);
  EXPECT_EQ(right.lines[0].y, 240);
  EXPECT_EQ(right.bounds.bottom, 300);

  // A block taller than the rectangle is centred too, starting above it.
  sTextLayout tall = LayoutText(L"a\nb\nc\nd", -1, RECT{0, 0, 50, 40}, DT_VCENTER, m);
  EXPECT_EQ(tall.lines[0].y, -20);
}

// Against a plain greedy reference: every line fits unless it is one word,
// no word is split, words keep their order, and the next line's first word
// would not have fitted on the line before.
TEST(TextLayout, WrappingMatchesAGreedyReferenceOnRandomTexts) {
  FakeMetrics m;
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::wstring text;
    std::vector<std::wstring> words;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
      std::wstring w(1 + rng() % 9, (rng() % 3 == 0) ? L'W' : L'a' + static_cast<wchar_t>(rng() % 20));
      words.push_back(w);
      text += w;
      if (i + 1 < n) text += std::wstring(1 + rng() % 2, L' ');
    }
    const int width = 30 + static_cast<int>(rng() % 150);
    sTextLayout l = LayoutText(text, -1, RECT{0, 0, width, 1000}, DT_WORDBREAK, m);
    std::vector<std::wstring> seen;
    for (size_t i = 0; i < l.lines.size(); ++i) {
      const std::wstring line = text.substr(l.lines[i].start, l.lines[i].length);
      const bool oneWord = line.find(L' ') == std::wstring::npos;
      EXPECT_TRUE(l.lines[i].width <= width || oneWord) << "round " << round;
      size_t p = 0;
      while (p < line.size()) {
        while (p < line.size() && line[p] == L' ') ++p;
        size_t e = line.find(L' ', p);
        if (e == std::wstring::npos) e = line.size();
        if (e > p) seen.push_back(line.substr(p, e - p));
        p = e;
      }
      if (i + 1 < l.lines.size()) {
        const std::wstring next = text.substr(l.lines[i + 1].start, l.lines[i + 1].length);
        const size_t firstWordEnd = l.lines[i + 1].start + next.substr(0, next.find(L' ')).size();
        // The line, the spaces after it and the next line's first word.
        const int joined = TextWidth(text, l.lines[i].start, firstWordEnd - l.lines[i].start, 0, m);
        EXPECT_GT(joined, width) << "round " << round << ": the next word would have fitted: \""
                                 << std::string(line.begin(), line.end()) << "\" width " << width;
      }
    }
    EXPECT_EQ(seen, words) << "round " << round;
  }
}

}  // namespace
