#include "runtime/Convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "runtime/RuntimeError.h"

namespace rt {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the numeric text at the start of s: [+-] digits [. digits]
// [(E|D) [+-] digits]. Zero when no digit of the mantissa is present.
size_t NumericPrefix(std::string_view s, bool* hasExponentLetterD) {
  size_t i = 0, n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < n && IsDigit(s[j])) {
      while (j < n && IsDigit(s[j])) ++j;
      if (hasExponentLetterD) *hasExponentLetterD = (s[i] == 'd' || s[i] == 'D');
      i = j;
    }
  }
  return i;
}

double ParsePrefix(std::string_view num, bool expD) {
  // from_chars takes neither a leading '+' nor 'D' as the exponent letter.
  char buf[128];
  std::string big;
  char* p = buf;
  if (num.size() >= sizeof buf) {
    big.assign(num);
    p = big.data();
  } else {
    std::memcpy(buf, num.data(), num.size());
  }
  size_t len = num.size();
  size_t start = 0;
  if (p[0] == '+') start = 1;
  if (expD)
    for (size_t i = start; i < len; ++i)
      if (p[i] == 'd' || p[i] == 'D') p[i] = 'e';
  double v = 0;
  auto r = std::from_chars(p + start, p + len, v);
  if (r.ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is an error.
    double probe = std::strtod(std::string(p + start, len - start).c_str(), nullptr);
    if (std::isinf(probe)) throw RuntimeError(kErrOverflow);
    return 0.0;
  }
  return v;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

template <class T>
T ToIntegral(double v) {
  if (std::isnan(v)) throw RuntimeError(kErrOverflow);
  double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    throw RuntimeError(kErrOverflow);
  return static_cast<T>(r);
}

template <class T>
T TextToIntegral(std::string_view s) {
  std::string_view t = Trim(s);
  // Plain digits are by far the most common case in the data files.
  // At most eleven characters cannot overflow 64 bits.
  if (!t.empty() && t.size() < 12) {
    size_t i = t[0] == '-' ? 1 : 0;
    long long v = 0;
    bool digits = i < t.size();
    for (size_t k = i; k < t.size() && digits; ++k) {
      unsigned d = static_cast<unsigned char>(t[k]) - '0';
      if (d > 9) digits = false;
      v = v * 10 + d;
    }
    if (digits) {
      if (i) v = -v;
      if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        throw RuntimeError(kErrOverflow);
      return static_cast<T>(v);
    }
  }
  return ToIntegral<T>(ToNumber(t));
}

}  // namespace

double Val(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  bool expD = false;
  size_t n = NumericPrefix(s, &expD);
  if (n == 0) return 0.0;
  return ParsePrefix(s.substr(0, n), expD);
}

double RoundHalfEven(double x) {
  double f = std::floor(x);
  double diff = x - f;
  if (diff > 0.5) return f + 1.0;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

double ToNumber(std::string_view s) {
  std::string_view t = Trim(s);
  bool expD = false;
  size_t n = NumericPrefix(t, &expD);
  if (n == 0 || n != t.size()) throw RuntimeError(kErrTypeMismatch);
  return ParsePrefix(t, expD);
}

int16_t TextToInt(std::string_view s) { return TextToIntegral<int16_t>(s); }
int32_t TextToLong(std::string_view s) { return TextToIntegral<int32_t>(s); }
uint8_t CByte(std::string_view s) { return TextToIntegral<uint8_t>(s); }
int16_t CInt(double v) { return ToIntegral<int16_t>(v); }
int32_t CLng(double v) { return ToIntegral<int32_t>(v); }
uint8_t CByte(double v) { return ToIntegral<uint8_t>(v); }

std::string NumText(float value) {
  double v = value;
  if (v == 0.0 || std::isnan(v)) return "0";
  if (std::isinf(v)) return v < 0 ? "-1.#INF" : "1.#INF";
  // Fast path for whole tenths, which is what the windows store: the
  // nearest float to r/10 shows as r/10 at seven significant digits.
  double r = std::nearbyint(v * 10.0);
  if (std::fabs(r) < 1e6 && static_cast<float>(r / 10.0) == value) {
    long long t = static_cast<long long>(r);
    bool neg = t < 0;
    if (neg) t = -t;
    std::string out = neg ? "-" : "";
    if (t >= 10) out += IntText(t / 10);
    if (t % 10 != 0) {
      out += '.';
      out += static_cast<char>('0' + t % 10);
    }
    return out;
  }
  // Seven significant digits, then drop trailing zeros.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6e", v);
  // buf: [-]d.dddddde[+-]XX
  std::string s(buf);
  bool neg = s[0] == '-';
  if (neg) s.erase(0, 1);
  size_t e = s.find('e');
  int exp10 = std::atoi(s.c_str() + e + 1);
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);  // 7 digits
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out;
  if (exp10 >= 7 || exp10 < -5) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
    out += eb;
  } else if (exp10 >= 0) {
    size_t intLen = static_cast<size_t>(exp10) + 1;
    if (digits.size() <= intLen) {
      out = digits + std::string(intLen - digits.size(), '0');
    } else {
      out = digits.substr(0, intLen) + "." + digits.substr(intLen);
    }
  } else {
    out = "." + std::string(static_cast<size_t>(-exp10 - 1), '0') + digits;
  }
  return neg ? "-" + out : out;
}

std::string Str(float v) {
  std::string t = NumText(v);
  return t[0] == '-' ? t : " " + t;
}

std::string Str(long long v) { return v < 0 ? IntText(v) : " " + IntText(v); }

std::string IntText(long long v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Format(double v, std::string_view pattern) {
  size_t dot = pattern.find('.');
  std::string_view intPat = pattern.substr(0, dot);
  std::string_view fracPat = dot == std::string_view::npos ? std::string_view{} : pattern.substr(dot + 1);
  int decimals = 0;
  for (char c : fracPat)
    if (c == '0' || c == '#') ++decimals;

  bool neg = v < 0;
  double a = std::fabs(v);
  // Round halves away from zero at the last decimal shown; work on the
  // decimal text of the value so that 0.25 with one decimal gives 0.3.
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals + 3, a);
  std::string txt(buf);
  {
    double scaled = std::round(std::strtod(txt.c_str(), nullptr) * std::pow(10.0, decimals));
    std::snprintf(buf, sizeof buf, "%.0f", scaled);
  }
  std::string all(buf);  // integer of a * 10^decimals
  if (all.size() <= static_cast<size_t>(decimals)) all.insert(0, decimals + 1 - all.size(), '0');
  std::string intDigits = all.substr(0, all.size() - decimals);
  std::string fracDigits = all.substr(all.size() - decimals);
  if (intDigits == "0") intDigits.clear();
  if (intDigits.empty() && std::all_of(fracDigits.begin(), fracDigits.end(), [](char c) { return c == '0'; }))
    neg = false;

  // Integer part: fill placeholders from the right; surplus digits go in front.
  std::string out;
  int placeholders = 0;
  for (char c : intPat)
    if (c == '0' || c == '#') ++placeholders;
  int di = static_cast<int>(intDigits.size()) - 1;
  std::string rev;
  int seen = 0;
  for (int i = static_cast<int>(intPat.size()) - 1; i >= 0; --i) {
    char c = intPat[static_cast<size_t>(i)];
    if (c == '0' || c == '#') {
      ++seen;
      if (di >= 0) {
        rev += intDigits[static_cast<size_t>(di--)];
        if (seen == placeholders)
          while (di >= 0) rev += intDigits[static_cast<size_t>(di--)];
      } else if (c == '0' || intPat.substr(0, static_cast<size_t>(i)).find('0') != std::string_view::npos) {
        // A "#" to the right of a "0" shows a zero as well ("0###" -> "0007").
        rev += '0';
      }
    } else {
      // A literal shows only once a digit stands to its left.
      bool digitLeft = di >= 0;
      if (!digitLeft)
        for (int k = i - 1; k >= 0; --k)
          if (intPat[static_cast<size_t>(k)] == '0') digitLeft = true;
      if (digitLeft) rev += c;
    }
  }
  if (placeholders == 0)
    while (di >= 0) rev += intDigits[static_cast<size_t>(di--)];
  out.assign(rev.rbegin(), rev.rend());
  if (dot != std::string_view::npos) {
    out += '.';
    size_t fi = 0;
    for (char c : fracPat) {
      if (c == '0' || c == '#') {
        char d = fi < fracDigits.size() ? fracDigits[fi] : '0';
        ++fi;
        out += d;
      } else {
        out += c;
      }
    }
  }
  return neg ? "-" + out : out;
}

}  // namespace rt
