#pragma once
// Small text helpers shared by the readers and writers of the data files.
// Writers build whole files in one buffer, so everything here appends to a
// string instead of returning new ones.
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/Store.h"

namespace filetext {

// The list limit of the store (kListLimit); a variable only so that the fuzz
// harnesses can keep their inputs small.
inline int MaxListEntries = kListLimit;

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A key field of a line (year, month, day) read as a number rounded to an
// integer; an exponent too large for a 16-bit number raises 6.
inline int KeyNumber(std::string_view line, size_t start, long len) {
  return rt::CInt(rt::Val(rt::Mid(line, start, len)));
}

// A number read from a file as a single-precision value; beyond its range is
// an overflow (6) rather than infinity.
inline float ToSingle(double v) {
  if (v > FLT_MAX || v < -FLT_MAX) throw rt::RuntimeError(rt::kErrOverflow);
  return static_cast<float>(v);
}

// True when the whole text (surrounding blanks ignored) is a number.
inline bool IsNumeric(std::string_view s) {
  if (s.empty()) return false;
  if (std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
  try {
    rt::ToNumber(s);
    return true;
  } catch (const rt::RuntimeError& e) {
    return e.number() != rt::kErrTypeMismatch;  // too big is still a number
  }
}

// An index read from a file for a list the file grows: negative or beyond
// MaxListEntries raises 9.
inline int ListIndex(std::string_view text) {
  int32_t i = rt::CLng(text);
  if (i < 0 || i >= MaxListEntries) throw rt::RuntimeError(rt::kErrSubscript);
  return i;
}

inline void AppendInt(std::string& out, long long v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

// Two digits with a leading zero (months and days, 1..31).
inline void Append2(std::string& out, int v) {
  out += static_cast<char>('0' + v / 10 % 10);
  out += static_cast<char>('0' + v % 10);
}

// True when s holds a CR or LF (or, with comma, a ','). A plain loop: the
// library's find_first_of searches its set once per character, and writers
// check every field of a file.
inline bool HasBreak(std::string_view s, bool comma = false) {
  for (char c : s)
    if (c == '\r' || c == '\n' || (comma && c == ',')) return true;
  return false;
}

// Appends s with each line break in it (CR LF, a lone CR or a lone LF)
// replaced by `mark`.
inline void AppendReplacingBreaks(std::string& out, std::string_view s, std::string_view mark) {
  if (!HasBreak(s)) {
    out.append(s);
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c != '\r' && c != '\n') continue;
    out.append(s.substr(start, i - start));
    out.append(mark);
    if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    start = i + 1;
  }
  out.append(s.substr(start));
}

// A field that must stay on its line (a name, a unit, a picture path): a line
// break typed or pasted into it is written as one space, because the readers
// split the file at every one of them and the rest of the field would come
// back as a line of its own.
inline void AppendOneLine(std::string& out, std::string_view s) { AppendReplacingBreaks(out, s, " "); }

// A multi-line text (diary, comment) with each line break written as the
// marker "^~". CR LF is the line break the windows store; a lone CR or LF is
// written the same way (it reads back as CR LF) so that it cannot split the
// file's line.
inline void AppendMarked(std::string& out, std::string_view s) { AppendReplacingBreaks(out, s, "^~"); }

// Every "^~" of s turned back into CR LF, in place (same length); returns how
// many were replaced.
inline size_t UnmarkInPlace(std::string& s) {
  size_t n = 0;
  for (size_t p = s.find("^~"); p != std::string::npos; p = s.find("^~", p + 2)) {
    s[p] = '\r';
    s[p + 1] = '\n';
    ++n;
  }
  return n;
}

}  // namespace filetext
