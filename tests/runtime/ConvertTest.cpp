#include "runtime/Convert.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "runtime/RuntimeError.h"

using namespace rt;

namespace {
int16_t ErrorOf(void (*f)()) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}
}  // namespace

TEST(Val, ReadsTheLongestNumericPrefix) {
  EXPECT_DOUBLE_EQ(Val("12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(Val("  -2.5"), -2.5);
  EXPECT_DOUBLE_EQ(Val(".3"), 0.3);
  EXPECT_DOUBLE_EQ(Val("0.3"), 0.3);
  EXPECT_DOUBLE_EQ(Val("1e3x"), 1000.0);
  EXPECT_DOUBLE_EQ(Val("1e"), 1.0);  // an exponent letter without digits ends the number
  EXPECT_DOUBLE_EQ(Val("2D2"), 200.0);
  EXPECT_DOUBLE_EQ(Val("+7"), 7.0);
  EXPECT_DOUBLE_EQ(Val("3."), 3.0);
  EXPECT_EQ(Val(""), 0.0);
  EXPECT_EQ(Val("abc"), 0.0);
  EXPECT_EQ(Val("-"), 0.0);
  EXPECT_EQ(Val("."), 0.0);
  EXPECT_EQ(Val("2001/05"), 2001.0);
  EXPECT_EQ(ErrorOf([] { Val("1e999"); }), kErrOverflow);
  EXPECT_EQ(Val("1e-999"), 0.0);
}

TEST(RoundHalfEven, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

TEST(IntegerConversion, AcceptsNumbersWithSpacesAndRoundsHalvesToEven) {
  EXPECT_EQ(CInt(" 523 "), 523);
  EXPECT_EQ(CInt("-32768"), -32768);
  EXPECT_EQ(CInt("2.5"), 2);
  EXPECT_EQ(CInt("3.5"), 4);
  EXPECT_EQ(CLng("2147483647"), 2147483647);
  EXPECT_EQ(CLng("1e3"), 1000);
  EXPECT_EQ(CByte("255"), 255);
  EXPECT_EQ(CInt(-0.5), 0);
  EXPECT_EQ(CInt("+7"), 7);
  EXPECT_EQ(CInt("-0"), 0);
  EXPECT_EQ(CLng("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(CLng("00000000042"), 42);
  // The plain digits the files hold, at the edges of the quick path.
  EXPECT_EQ(CLng("999999999"), 999999999);
  EXPECT_EQ(CLng("-999999999"), -999999999);
  EXPECT_EQ(CLng("1000000000"), 1000000000);
  EXPECT_EQ(CInt("9999"), 9999);
  EXPECT_EQ(CInt("32767"), 32767);
}

TEST(IntegerConversion, RaisesTypeMismatchAndOverflow) {
  EXPECT_EQ(ErrorOf([] { CInt(""); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt("   "); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt("12a"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CLng("1 2"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt("-"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt("1-"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt("--1"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CLng("99999999999"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt("32768"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt("-32769"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt("32767.5"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CLng("2147483648"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CLng("99999999999999999999"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CByte("256"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CByte("-1"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CByte("-0.6"); }), kErrOverflow);
  EXPECT_EQ(CByte("-0.5"), 0);
}

TEST(NumText, WritesSinglesWithSevenSignificantDigits) {
  EXPECT_EQ(NumText(0.0f), "0");
  EXPECT_EQ(NumText(-0.0f), "0");
  EXPECT_EQ(NumText(12.0f), "12");
  EXPECT_EQ(NumText(12.5f), "12.5");
  EXPECT_EQ(NumText(0.3f), ".3");
  EXPECT_EQ(NumText(-2.5f), "-2.5");
  EXPECT_EQ(NumText(-0.3f), "-.3");
  EXPECT_EQ(NumText(20.1f), "20.1");
  EXPECT_EQ(NumText(600.0f), "600");
  EXPECT_EQ(NumText(1234567.0f), "1234567");
  EXPECT_EQ(NumText(0.05f), ".05");
  EXPECT_EQ(NumText(1.0f / 3.0f), ".3333333");
  EXPECT_EQ(NumText(123456789.0f), "1.234568E+08");
  // Every tenth the scroll bars can produce is written as printf's seven
  // significant digits would (without the zero before the point) and comes
  // back from its text; likewise for hundredths and odd values.
  auto oracle = [](float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(v));
    std::string s = buf;
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s;
  };
  for (int tenths = -150; tenths <= 6000; ++tenths) {
    float v = static_cast<float>(tenths) / 10.0f;
    ASSERT_EQ(NumText(v), oracle(v)) << tenths;
    ASSERT_EQ(static_cast<float>(Val(NumText(v))), v) << tenths;
  }
  for (float v : {0.01f, 12.34f, 99999.9f, 123456.7f, 0.123456789f, -7.77f, 1e-3f})
    EXPECT_EQ(NumText(v), oracle(v)) << v;
}

TEST(Str, PutsASpaceBeforeNonNegativeNumbers) {
  EXPECT_EQ(Str(53LL), " 53");
  EXPECT_EQ(Str(0LL), " 0");
  EXPECT_EQ(Str(-4LL), "-4");
  EXPECT_EQ(Str(0.3f), " .3");
  EXPECT_EQ(Str(-2.5f), "-2.5");
}

TEST(Format, CoversThePatternsTheWindowsUse) {
  EXPECT_EQ(Format(20.1, "#0.0"), "20.1");
  EXPECT_EQ(Format(0.3, "#0.0"), "0.3");
  EXPECT_EQ(Format(-0.5, "#0.0"), "-0.5");
  EXPECT_EQ(Format(-15, "#0.0"), "-15.0");
  EXPECT_EQ(Format(600, "#0.0"), "600.0");
  EXPECT_EQ(Format(0.25, "#0.0"), "0.3");
  EXPECT_EQ(Format(-0.04, "#0.0"), "0.0");
  EXPECT_EQ(Format(7, "#0"), "7");
  EXPECT_EQ(Format(0, "#0"), "0");
  EXPECT_EQ(Format(5, "0#"), "05");
  EXPECT_EQ(Format(12, "0#"), "12");
  EXPECT_EQ(Format(123, "0#"), "123");
  EXPECT_EQ(Format(7, "0###"), "0007");
  EXPECT_EQ(Format(0, "####0"), "0");
  EXPECT_EQ(Format(12345, "####0"), "12345");
  EXPECT_EQ(Format(20010506, "####/##/##"), "2001/05/06");
  EXPECT_EQ(Format(506, "0#/0#"), "05/06");
  EXPECT_EQ(Format(1231, "0#/0#"), "12/31");
  EXPECT_EQ(Format(523, "0#0#"), "0523");
  EXPECT_EQ(Format(1231, "0#0#"), "1231");
}
