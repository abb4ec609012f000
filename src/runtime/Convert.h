#pragma once
// Number and text conversions with the rules the data files and windows were
// built on: Val-style prefix reading, strict integer conversion with type
// mismatch (13) and overflow (6), rounding halves to even, single-precision
// number text and a few display patterns.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The longest numeric prefix of s, leading spaces and tabs skipped
// ("12.5abc" -> 12.5, ".3" -> 0.3, "" or "abc" -> 0). An exponent too large for
// a double raises 6.
double Val(std::string_view s);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double x);

// Strict conversion of a whole text (surrounding spaces ignored) to a number;
// an empty or non-numeric text raises 13.
double ToNumber(std::string_view s);

// Up to `most` plain digits, perhaps after a minus, into v; false for any
// other text. That is nearly every number of the data files, read millions
// of times at start-up, and so few digits cannot overflow.
inline bool PlainDigits(std::string_view s, size_t most, int32_t& v) {
  const size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
  if (s.size() <= i || s.size() - i > most) return false;
  v = 0;
  for (size_t k = i; k < s.size(); ++k) {
    const unsigned d = static_cast<unsigned char>(s[k]) - '0';
    if (d > 9) return false;
    v = v * 10 + static_cast<int32_t>(d);
  }
  if (i) v = -v;
  return true;
}
// Text or number to a signed 8..32-bit or unsigned 8-bit integer, rounding
// halves to even; empty or non-numeric raises 13, out of range raises 6.
int16_t TextToInt(std::string_view s);
inline int16_t CInt(std::string_view s) {
  int32_t v;
  return PlainDigits(s, 4, v) ? static_cast<int16_t>(v) : TextToInt(s);
}
int32_t TextToLong(std::string_view s);
inline int32_t CLng(std::string_view s) {
  int32_t v;
  return PlainDigits(s, 9, v) ? v : TextToLong(s);
}
uint8_t CByte(std::string_view s);
int16_t CInt(double v);
int32_t CLng(double v);
uint8_t CByte(double v);

// A single-precision value as text: at most 7 significant digits, no leading
// space, no decimal point for whole numbers, no zero before the point
// (0 -> "0", 12.5 -> "12.5", 0.3 -> ".3", -2.5 -> "-2.5").
std::string NumText(float v);

// The same with a space in front of non-negative numbers (" 53", "-2").
std::string Str(float v);
std::string Str(long long v);

// Integer as plain decimal text ("-12", "0").
std::string IntText(long long v);

// A number formatted with a pattern of digit placeholders ("0" always shows a
// digit, "#" only a significant one), an optional "." and literal characters:
// "#0.0", "#0", "0#", "0###", "####0", "####/##/##", "0#/0#", "0#0#".
// Rounds halves away from zero at the pattern's last decimal.
std::string Format(double v, std::string_view pattern);

}  // namespace rt
