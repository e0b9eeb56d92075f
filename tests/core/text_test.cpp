#include "core/text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s.push_back(static_cast<char>(v));
  return s;
}

std::wstring FromUtf16(const std::string& s) {
  return Utf16LeToWide(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::wstring wide = Cp1252ToWide(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(WideToCp1252(wide), all);
}

TEST(Cp1252Test, HighControlRangeMapsToTheCodePageCharacters) {
  EXPECT_EQ(Cp1252ToWide(Bytes({0x80, 0x8A, 0x8C, 0x96, 0x99, 0x9F})), L"\u20ac\u0160\u0152\u2013\u2122\u0178");
  // Bytes the code page leaves unassigned map to themselves.
  EXPECT_EQ(Cp1252ToWide(Bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D})), L"\u0081\u008d\u008f\u0090\u009d");
  EXPECT_EQ(Cp1252ToWide("Caf\xe9 \xff"), L"Caf\u00e9 \u00ff");
  EXPECT_EQ(WideToCp1252(L"\u20ac \u017e \u201e\u201c"), Bytes({0x80, ' ', 0x9E, ' ', 0x84, 0x93}));
}

TEST(Cp1252Test, UnmappableCharactersBecomeQuestionMarks) {
  // U+0080 is not in the code page: byte 0x80 holds the euro sign.
  EXPECT_EQ(WideToCp1252(L"\u0080\u0100\u4e2d\U0001F600x"), "????x");
  EXPECT_EQ(WideToCp1252(L"\u0142\u00f3d\u017a\u017e"), "?\xf3" "d?\x9e");
}

TEST(Cp1252Test, AssignInPlaceAgreesWithTheConversionByteByByte) {
  // Every high byte at every position of short fields: the widening works in
  // steps of four with an overlapping last step, so each position counts.
  std::wstring out;
  for (size_t n = 1; n <= 13; ++n) {
    for (size_t pos = 0; pos < n; ++pos) {
      for (int b = 0x80; b <= 0xFF; ++b) {
        std::string s(n, 'a');
        s[pos] = static_cast<char>(b);
        AssignCp1252(out, s);
        ASSERT_EQ(out, Cp1252ToWide(s)) << "length " << n << " position " << pos << " byte " << b;
      }
    }
  }
  // Random texts into a string that was longer, shorter or as long before.
  uint32_t seed = 99;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 3000; ++round) {
    if (next() % 3 == 0) out.assign(next() % 40, L'z');
    std::string s;
    const size_t n = next() % 40;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>(next() % 4 == 0 ? 0x80 + next() % 128 : next() % 128));
    AssignCp1252(out, s);
    ASSERT_EQ(out, Cp1252ToWide(s)) << "round " << round;
    ASSERT_EQ(out.c_str()[n], L'\0');
  }
  AssignCp1252(out, "");
  EXPECT_TRUE(out.empty());
}

TEST(Utf16Test, SurrogatePairsBothWays) {
  std::wstring text = L"A\u20ac\U0001F600\U0010FFFF";
  std::string bytes = WideToUtf16Le(text);
  EXPECT_EQ(bytes, Bytes({0x41, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE, 0xFF, 0xDB, 0xFF, 0xDF}));
  EXPECT_EQ(FromUtf16(bytes), text);
}

TEST(Utf16Test, UnpairedSurrogatesBecomeReplacementCharacters) {
  // A high surrogate at the end, one followed by a plain character, and a lone low one.
  EXPECT_EQ(FromUtf16(Bytes({0x41, 0, 0x3D, 0xD8})), L"A\ufffd");
  EXPECT_EQ(FromUtf16(Bytes({0x3D, 0xD8, 0x42, 0})), L"\ufffdB");
  EXPECT_EQ(FromUtf16(Bytes({0x00, 0xDE, 0x43, 0})), L"\ufffdC");
  // Two high surrogates in a row: the first is unpaired, the second pairs.
  EXPECT_EQ(FromUtf16(Bytes({0x3D, 0xD8, 0x3D, 0xD8, 0x00, 0xDE})), L"\ufffd\U0001F600");
  // An odd trailing byte is dropped.
  EXPECT_EQ(FromUtf16(Bytes({0x41, 0, 0x42})), L"A");
  // Wide text that no UTF-16 can hold.
  EXPECT_EQ(WideToUtf16Le(std::wstring(1, static_cast<wchar_t>(0xD800))), Bytes({0xFD, 0xFF}));
  EXPECT_EQ(WideToUtf16Le(std::wstring(1, static_cast<wchar_t>(0x110000))), Bytes({0xFD, 0xFF}));
}

TEST(Utf8Test, RoundTripOfEveryEncodedLength) {
  std::wstring text = L"a\u00e9\u20ac\U0001F600";
  std::string utf8 = WideToUtf8(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(Utf8Test, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("x\xC3"), L"x\ufffd");                  // cut short
  EXPECT_EQ(Utf8ToWide("\x80y"), L"\ufffdy");                  // lone continuation byte
  EXPECT_EQ(Utf8ToWide("\xC0\x80z"), L"\ufffdz");              // overlong NUL
  EXPECT_EQ(Utf8ToWide("\xE0\x80\xAF"), L"\ufffd");            // overlong '/'
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\ufffd");            // surrogate
  EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), L"\ufffd");        // past U+10FFFF
  EXPECT_EQ(Utf8ToWide("\xFF"), L"\ufffd");
  EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
}

TEST(AsciiTest, WidenAndNarrowOneBytePerCharacter) {
  EXPECT_EQ(WidenAscii("gra.cpp\xe9"), L"gra.cpp\u00e9");
  EXPECT_EQ(NarrowAscii(L"ENG"), "ENG");
}

TEST(WFormatTest, StringConversionsFollowTheWindowsConvention) {
  EXPECT_EQ(WFormat(L"[%s]", L"wide \u20ac"), L"[wide \u20ac]");
  EXPECT_EQ(WFormat(L"[%ls|%lS]", L"a", L"b"), L"[a|b]");
  EXPECT_EQ(WFormat(L"[%S|%hs|%hS]", "n1", "n2", "n3"), L"[n1|n2|n3]");
  // Narrow arguments are Windows-1252, whatever the C locale.
  EXPECT_EQ(WFormat(L"%S", "Caf\xe9 \x80"), L"Caf\u00e9 \u20ac");
  EXPECT_EQ(WFormat(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
}

TEST(WFormatTest, CharacterConversions) {
  EXPECT_EQ(WFormat(L"%c%C%lc%hc", L'\u017c', 'x', L'\u20ac', '\xe9'), L"\u017cx\u20ac\u00e9");
  EXPECT_EQ(WFormat(L"[%3c]", L'a'), L"[  a]");
}

TEST(WFormatTest, NumbersWidthsAndPrecisions) {
  EXPECT_EQ(WFormat(L"100%%"), L"100%");
  EXPECT_EQ(WFormat(L"%.1f", 3.14159), L"3.1");
  EXPECT_EQ(WFormat(L"%.1f s", 0.5), L"0.5 s");
  EXPECT_EQ(WFormat(L"[%5i]", 42), L"[   42]");
  EXPECT_EQ(WFormat(L"[%-5i]", -42), L"[-42  ]");
  EXPECT_EQ(WFormat(L"[%-3s]", L"ab"), L"[ab ]");
  EXPECT_EQ(WFormat(L"[%3s]", L"abcd"), L"[abcd]");
  EXPECT_EQ(WFormat(L"[%.2s|%.3S]", L"abcd", "wxyz"), L"[ab|wxy]");
  EXPECT_EQ(WFormat(L"%I64d %I64u", -1234567890123LL, 18446744073709551615ULL), L"-1234567890123 18446744073709551615");
  EXPECT_EQ(WFormat(L"%I32d", 7), L"7");
  EXPECT_EQ(WFormat(L"%x %X %04x %o", 255, 255, 10, 8), L"ff FF 000a 10");
  EXPECT_EQ(WFormat(L"%hd %hhu", 65537, 257), L"1 1");
  EXPECT_EQ(WFormat(L"%ld %lld %zu", 5L, -6LL, static_cast<size_t>(7)), L"5 -6 7");
  EXPECT_EQ(WFormat(L"%jd %td %tx %hhd", intmax_t{-9}, ptrdiff_t{-2}, ptrdiff_t{255}, 200), L"-9 -2 ff -56");
  EXPECT_EQ(WFormat(L"[%*d|%-*d|%.*f]", 4, 1, 3, 2, 2, 1.0), L"[   1|2  |1.00]");
  EXPECT_EQ(WFormat(L"[%*d]", -3, 9), L"[9  ]");
  EXPECT_EQ(WFormat(L"%+d %05.1f %e", 3, 2.25, 1500.0), L"+3 002.2 1.500000e+03");
  EXPECT_EQ(WFormat(L"%Lf", 1.5L), L"1.500000");
}

TEST(WFormatTest, MixedArgumentsStayInStep) {
  EXPECT_EQ(WFormat(L"%s has %i units, %S at %.1f%%, %c", L"Poland", 12, "Warszawa", 87.25, L'!'),
            L"Poland has 12 units, Warszawa at 87.2%, !");
}

TEST(WFormatTest, OddFormatsDoNotFail) {
  EXPECT_EQ(WFormat(L"50%"), L"50%");
  EXPECT_EQ(WFormat(L"a %y b"), L"a %y b");
  EXPECT_EQ(WFormat(L"%5"), L"%5");
  int written = -1;
  EXPECT_EQ(WFormat(L"x%ny", &written), L"xy");
  EXPECT_EQ(written, -1);
  EXPECT_EQ(WFormat(nullptr), L"");
  std::wstring longText(5000, L'q');
  EXPECT_EQ(WFormat(L"<%s>", longText.c_str()), L"<" + longText + L">");
  EXPECT_EQ(WFormat(L"%99999999d", 1).size(), 65536u);
}

TEST(FormatTest, NarrowPrintf) {
  EXPECT_EQ(Format("%s-%03d", "ab", 7), "ab-007");
  EXPECT_EQ(Format("%s", ""), "");
}

}  // namespace

TEST(NarrowFormatTest, TextsOfEveryLengthAroundTheStackBufferComeOutWhole) {
  EXPECT_EQ(Format("%s", ""), "");
  EXPECT_EQ(Format("%i;%s;%f", -7, "Corps", 0.5), "-7;Corps;0.500000");
  for (size_t n : {1u, 509u, 510u, 511u, 512u, 513u, 1000u, 5000u}) {
    const std::string body(n, 'x');
    const std::string out = Format("<%s>%i", body.c_str(), 42);
    ASSERT_EQ(out.size(), n + 4) << n;
    EXPECT_EQ(out, "<" + body + ">42") << n;
  }
}
