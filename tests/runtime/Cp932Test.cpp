#include "runtime/Cp932.h"

#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"

using namespace rt;

TEST(Cp932, RoundTripsTheCharactersShiftJisWouldLose) {
  // ～ (FULLWIDTH TILDE), ① ㈱ (NEC specials), 髙 (IBM extension), half-width kana.
  const std::string text = "晴れ～①㈱髙ｴﾗｰ－∥￢";
  std::string bytes = Utf8ToCp932(text);
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  EXPECT_EQ(Cp932ToUtf8(bytes), text);
  EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
  EXPECT_TRUE(FitsCp932(text));
}

TEST(Cp932, TrailBytesThatLookLikeAsciiStayInsideTheirCharacter) {
  // 表 is 95 5C ("\" as trail byte), ソ is 83 5C; ~ and ^ appear likewise.
  std::string bytes = "\x95\x5C,\x83\x5C^~";
  EXPECT_EQ(Cp932ToUtf8(bytes), "表,ソ^~");
}

namespace {
// The UTF-8 of the private-use character that keeps byte b.
std::string Kept(unsigned char b) {
  char32_t cp = kKeptByteBase + b;
  return {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}
}  // namespace

TEST(Cp932, BytesThatAreNotCp932AreKeptAndWrittenBackAsThemselves) {
  EXPECT_EQ(Cp932ToUtf8("a\xA0" "b"), "a" + Kept(0xA0) + "b");
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a" + Kept(0x81));              // lead byte at the end
  EXPECT_EQ(Cp932ToUtf8("\x81\r\nx"), Kept(0x81) + "\r\nx");     // lead byte before a line end
  EXPECT_EQ(Cp932ToUtf8("\x81\x7F,"), Kept(0x81) + "\x7F,");      // a trail byte no pair has
  EXPECT_EQ(Cp932ToUtf8("\xFD\xFE\xFF\x80"), Kept(0xFD) + Kept(0xFE) + Kept(0xFF) + Kept(0x80));
  // ≒ is both 81 E0 and 87 90; only the pair it is written as decodes to it.
  EXPECT_EQ(Cp932ToUtf8("\x81\xE0"), "≒");
  EXPECT_EQ(Cp932ToUtf8("\x87\x90"), Kept(0x87) + Kept(0x90));
  EXPECT_EQ(Utf8ToCp932("x" + Kept(0xFF) + "晴" + Kept(0x81)), "x\xFF\x90\xB0\x81");
  EXPECT_TRUE(FitsCp932(Kept(0xA0)));

  // A diary saved as UTF-8 by another editor comes back byte for byte.
  const std::string utf8 = "2001/0505,晴れのち雨、畑に堆肥^~ｶﾌﾞの芽";
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(utf8)), utf8);
  EXPECT_TRUE(LooksLikeUtf8(utf8));
  EXPECT_FALSE(LooksLikeUtf8(Utf8ToCp932(utf8)));
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
  EXPECT_EQ(FindNonCp932(Utf8ToCp932("晴れ")), std::string::npos);
  EXPECT_EQ(FindNonCp932("ab\x82\xA0\x81"), 4u);  // 82 A0 is あ; 81 alone is not
}

TEST(Cp932, EveryByteStringUpToThreeBytesSurvivesDecodingAndEncoding) {
  // Between ASCII, alone at the end, and in every combination of two; the
  // third byte is drawn from the bytes that end or split pairs.
  const unsigned char thirds[] = {0x00, 0x0D, 0x0A, 0x2C, 0x40, 0x7F, 0x80, 0x81, 0x9F, 0xA0, 0xE0, 0xFC, 0xFD, 0xFF};
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      std::string s{'x', static_cast<char>(a), static_cast<char>(b)};
      ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(s)), s) << a << ' ' << b;
      for (unsigned char c : thirds) {
        std::string t = s.substr(1) + static_cast<char>(c);
        ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(t)), t) << a << ' ' << b << ' ' << int{c};
      }
    }
  }
}

TEST(Cp932, CharactersItCannotHoldAreWrittenAsQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("é"), "?");
  EXPECT_EQ(Utf8ToCp932("x\xFFy"), "x?y");  // malformed UTF-8
  EXPECT_FALSE(FitsCp932("😀"));
}

TEST(Cp932, MidCountsCharactersNotBytes) {
  EXPECT_EQ(Mid("2001/05,晴れ", 9), "晴れ");
  EXPECT_EQ(Mid("ab晴れcd", 3, 2), "晴れ");
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Mid("abc", 4), "");
  EXPECT_EQ(Mid("ab晴れ", 1, 3), "ab晴");  // a cut that runs into a character
  EXPECT_EQ(Mid("ab", 1, 5), "ab");
  EXPECT_EQ(CharCount("晴れa"), 3u);
}

TEST(ErrorMessages, TableAndUnknownNumbers) {
  EXPECT_STREQ(ErrorMessage(53), "ﾌｧｲﾙが見つかりません");
  EXPECT_STREQ(ErrorMessage(400), "既にﾌｫｰﾑは表示されています\u3000ﾓｰﾀﾞﾙにできません");
  EXPECT_STREQ(ErrorMessage(4), "不明なｴﾗｰです。");
  EXPECT_STREQ(ErrorMessage(380), "不明なｴﾗｰです。");
  EXPECT_EQ(ErrorNumberFromErrno(ENOSPC), 61);
  EXPECT_EQ(ErrorNumberFromErrno(EACCES), 70);
  EXPECT_EQ(ErrorNumberFromErrno(ENOENT), 53);
  EXPECT_EQ(ErrorNumberFromErrno(ENOTDIR), 76);
}

TEST(Cp932, TablesAgreeWithTheSystemConverter) {
  // Every single byte and byte pair, in one text each, with ASCII around:
  // the same as the system converter wherever that gives the bytes back.
  auto iconvRoundTrips = [](const std::string& s) { return Utf8ToCp932ByIconv(Cp932ToUtf8ByIconv(s)) == s; };
  for (int l = 0; l < 256; ++l) {
    for (int t = 0; t < 256; ++t) {
      std::string s{'a', static_cast<char>(l), static_cast<char>(t), 'b'};
      if (iconvRoundTrips(s)) ASSERT_EQ(Cp932ToUtf8(s), Cp932ToUtf8ByIconv(s)) << l << ' ' << t;
    }
  }
  // Every character of the basic plane, and malformed or unmappable UTF-8;
  // the kept-byte characters are the only ones the tables write otherwise.
  std::string text;
  for (uint32_t cp = 0x80; cp < 0x10000; ++cp) {
    if ((cp >= 0xD800 && cp <= 0xDFFF) || IsKeptByte(cp)) continue;
    if (cp < 0x800) {
      text += static_cast<char>(0xC0 | cp >> 6);
    } else {
      text += static_cast<char>(0xE0 | cp >> 12);
      text += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    }
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
  text += "\xC0\x80|\xE0\x80\xAF|\xE0\x9F\xBF|\xED\xA0\x80|\xF0\x9F\x98\x80|\xF4\x90\x80\x80|\xE3\x81|\xE3\x81\x41|\x80|\xFF|\xE3";
  EXPECT_EQ(Utf8ToCp932(text), Utf8ToCp932ByIconv(text));
  // Random bytes, heavy on lead bytes and line ends: what the system
  // converter gives back unchanged decodes the same, and everything comes
  // back byte for byte.
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
  const unsigned char pool[] = {0x81, 0x82, 0x88, 0x9F, 0xE0, 0xEE, 0xFA, 0xFC, 0xFD, 0xA0, 0xB1, 0x5C,
                                0x7E, 0x40, 0x0D, 0x0A, 0x2C, 0x80, 0xFF, 0x41};
  for (int round = 0; round < 2000; ++round) {
    std::string s;
    for (int i = 0, n = static_cast<int>(next() % 24); i < n; ++i)
      s += static_cast<char>(next() % 2 ? pool[next() % sizeof pool] : next());
    if (iconvRoundTrips(s)) ASSERT_EQ(Cp932ToUtf8(s), Cp932ToUtf8ByIconv(s));
    ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(s)), s);
    // Read as UTF-8, a kept byte's character is the one thing the system
    // converter cannot write.
    bool keptByte = false;
    for (size_t i = 0; i + 1 < s.size(); ++i)
      if (s[i] == '\xEF' && s[i + 1] >= '\x9C' && s[i + 1] <= '\x9F') keptByte = true;
    if (!keptByte) ASSERT_EQ(Utf8ToCp932(s), Utf8ToCp932ByIconv(s));
  }
}
