#include <gtest/gtest.h>

#include "platform/text.h"

using namespace text;

TEST(GbText, ByteLengthsFollowGb18030) {
  EXPECT_EQ(GbByteLength(""), 0u);
  EXPECT_EQ(GbByteLength("CD1"), 3u);
  EXPECT_EQ(GbByteLength("光盘"), 4u);          // two GBK characters
  EXPECT_EQ(GbByteLength("€"), 2u);             // in GBK's two-byte area
  EXPECT_EQ(GbByteLength("\xE2\x82\xAF"), 4u);  // U+20AF, outside GBK
  EXPECT_EQ(GbByteLength("😀"), 4u);            // outside the BMP
}

TEST(GbText, CutNeverSplitsACharacter) {
  EXPECT_EQ(GbCut("abc", 24), "abc");
  EXPECT_EQ(GbCut("光盘光盘", 3), "光");
  EXPECT_EQ(GbCut("a光盘", 4), "a光");
  EXPECT_EQ(GbCut("ab😀", 5), "ab");
  EXPECT_EQ(GbCut("ab😀", 6), "ab😀");
  // 12 Chinese characters are exactly 24 bytes; a 13th does not fit.
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += "字";
  EXPECT_EQ(GbCut(twelve + "字", 24), twelve);
}

TEST(GbText, EncodesAndDecodesWithoutLoss) {
  std::string s = "Abc 光盘 € \xE2\x82\xAF 😀 \xC3\xA9";
  std::string gb = ToGb18030(s);
  EXPECT_EQ(gb.substr(0, 4), "Abc ");
  EXPECT_EQ(gb.substr(4, 4), "\xB9\xE2\xC5\xCC");  // 光盘 in GBK
  EXPECT_EQ(FromGb18030(gb), s);
  EXPECT_EQ(ToGb18030("😀"), "\x94\x39\xFC\x36");
  EXPECT_EQ(ToGb18030("\xC2\x80"), "\x81\x30\x81\x30");  // U+0080, first four-byte code
}

TEST(GbText, EveryBmpCharacterRoundTrips) {
  for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp < 0xE000) continue;
    std::string s;
    AppendUtf8(s, cp);
    ASSERT_EQ(FromGb18030(ToGb18030(s)), s) << std::hex << static_cast<unsigned>(cp);
    ASSERT_EQ(ToGb18030(s).size(), GbCharLength(cp));
  }
}

TEST(Utf, MalformedBytesBecomeReplacementAndTerminate) {
  std::string bad = "a\xFF\xC0\x80\xE4\xB8";
  std::u16string w = Utf8ToUtf16(bad);
  EXPECT_EQ(w[0], u'a');
  for (size_t i = 1; i < w.size(); ++i) EXPECT_EQ(w[i], 0xFFFD);
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("光😀")), "光😀");
}

TEST(Utf, AsciiCaseOnly) {
  EXPECT_EQ(AsciiUpper("cd1-光ä"), "CD1-光ä");
  EXPECT_TRUE(EqualsNoCaseAscii("Search", "search"));
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
}
