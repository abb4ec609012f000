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
