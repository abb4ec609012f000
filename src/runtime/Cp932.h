#pragma once
// The data files are in the Windows Japanese code page (CP932, a superset of
// Shift-JIS that also holds ～, circled digits, ㈱ and the NEC/IBM
// extensions). Inside the program all text is UTF-8.
#include <string>
#include <string_view>

namespace rt {

// File bytes to UTF-8. A byte that is not part of a CP932 character (0x80,
// 0xA0, 0xFD..0xFF, a lead byte without a valid trail byte, a pair the code
// page leaves undefined, or the second of two byte pairs that stand for the
// same character) is kept: it becomes the private-use character
// kKeptByteBase + byte, which encodes back to that very byte. So any file,
// even one saved as UTF-8 by another editor, is written back byte for byte.
// Decoding never fails and never stops early.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 to file bytes. A kept byte becomes its byte again; a character CP932
// cannot hold (and any malformed UTF-8 byte) is written as "?".
std::string Utf8ToCp932(std::string_view text);

// Kept bytes are U+F700..U+F7FF, a private-use range no CP932 character
// decodes to.
inline constexpr char32_t kKeptByteBase = 0xF700;
inline constexpr bool IsKeptByte(char32_t c) { return c >= kKeptByteBase && c <= kKeptByteBase + 0xFF; }

// The offset of the first byte that decoding keeps as a kept byte (npos when
// every byte belongs to a CP932 character).
size_t FindNonCp932(std::string_view bytes);

// True when the bytes hold characters beyond ASCII and are all well-formed
// UTF-8: a file another editor saved as UTF-8 rather than in the code page.
bool LooksLikeUtf8(std::string_view bytes);

// The same two conversions into a caller's buffer, for whole files: `dst`
// must have room for 3 bytes per input byte (decoding) or 1 (encoding).
// They return the number of bytes written.
inline constexpr size_t kUtf8PerCp932Byte = 3;
size_t Cp932ToUtf8Into(std::string_view bytes, char* dst);
size_t Utf8ToCp932Into(std::string_view text, char* dst);
// True when bytes below 0x80 are the same characters in both (so plain
// ASCII text needs no conversion either way).
bool AsciiIsShared();

// The same conversions straight through the system converter, which the
// two above reproduce from tables for every character that round-trips
// (the system converter replaces the bytes the tables keep); kept to check
// them against.
std::string Cp932ToUtf8ByIconv(std::string_view bytes);
std::string Utf8ToCp932ByIconv(std::string_view text);

// True when every character of the UTF-8 text can be written in CP932.
bool FitsCp932(std::string_view text);

// Number of characters (code points) of a UTF-8 text.
size_t CharCount(std::string_view text);

// Characters start..start+len-1 (1-based, as the file formats count them);
// len < 0 means to the end. Counting is by character, not by byte.
std::string_view CountedMid(std::string_view text, size_t start, long len);
inline std::string_view Mid(std::string_view text, size_t start, long len = -1) {
  // The readers cut the value behind an ASCII key off every line: with only
  // ASCII before the cut (and in it, for a length) characters are bytes.
  if (start >= 1 && start - 1 <= text.size()) {
    size_t cut = start - 1;
    size_t through = len < 0 ? cut : cut + static_cast<size_t>(len);
    if (through > text.size()) through = text.size();
    unsigned char high = 0;
    for (size_t i = 0; i < through; ++i) high |= static_cast<unsigned char>(text[i]);
    if (high < 0x80) return text.substr(cut, len < 0 ? std::string_view::npos : static_cast<size_t>(len));
  }
  return CountedMid(text, start, len);
}

}  // namespace rt
