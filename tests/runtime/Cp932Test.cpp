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

TEST(Cp932, BadBytesBecomeReplacementCharactersWithoutStopping) {
  EXPECT_EQ(Cp932ToUtf8("a\xA0" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");       // lead byte at the end
  EXPECT_EQ(Cp932ToUtf8("\x81\r\nx"), "\xEF\xBF\xBD\r\nx");  // lead byte before a line end
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
  // Every single byte and byte pair, in one text each, with ASCII around.
  for (int l = 0; l < 256; ++l) {
    std::string s;
    for (int t = 0; t < 256; ++t) s += {'a', static_cast<char>(l), static_cast<char>(t), 'b'};
    ASSERT_EQ(Cp932ToUtf8(s), Cp932ToUtf8ByIconv(s)) << l;
  }
  // Every character of the basic plane, and malformed or unmappable UTF-8.
  std::string text;
  for (uint32_t cp = 0x80; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
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
  // Random bytes, heavy on lead bytes and line ends.
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
  const unsigned char pool[] = {0x81, 0x82, 0x88, 0x9F, 0xE0, 0xEE, 0xFA, 0xFC, 0xFD, 0xA0, 0xB1, 0x5C,
                                0x7E, 0x40, 0x0D, 0x0A, 0x2C, 0x80, 0xFF, 0x41};
  for (int round = 0; round < 2000; ++round) {
    std::string s;
    for (int i = 0, n = static_cast<int>(next() % 24); i < n; ++i)
      s += static_cast<char>(next() % 2 ? pool[next() % sizeof pool] : next());
    ASSERT_EQ(Cp932ToUtf8(s), Cp932ToUtf8ByIconv(s));
    ASSERT_EQ(Utf8ToCp932(s), Utf8ToCp932ByIconv(s));
  }
}
