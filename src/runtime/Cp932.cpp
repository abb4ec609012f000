#include "runtime/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace rt {
namespace {

bool AllAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// One converter per direction and thread; iconv descriptors keep state, so
// they are reset before every use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in; on a sequence it cannot take, appends `bad` and skips
  // `skip(in)` bytes.
  template <class Skip>
  std::string Run(std::string_view in, std::string_view bad, Skip skip) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 3 / 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      size_t dstLeft = out.size() - used;
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2 + 16);
      } else {  // EILSEQ or EINVAL (truncated sequence at the end)
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        size_t n = skip(std::string_view(src, srcLeft));
        out.resize(std::max(out.size(), used + bad.size() + 16));
        out.replace(used, bad.size(), bad);
        used += bad.size();
        src += n;
        srcLeft -= n;
      }
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SeqLen(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  if (n > s.size()) return 1;
  for (size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  return n;
}

Converter& Decoder() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& Encoder() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

// The data files are tens of megabytes, and the system converter costs more
// per character than everything else a reader does. So both directions run
// on lookup tables, built once from that same converter: for every single
// byte and every lead/trail pair what it decodes to, and for every character
// of the basic plane what it encodes to. The results are exactly the
// converter's, including which bytes a duplicate character is written as.
// Each direction is built when first used: a start that only reads the
// files never pays for the 65,536 characters of the encoding table.
struct Utf8Piece {
  uint8_t len = 0;  // 0: not a character
  char bytes[3] = {};
};

struct Cp932Piece {
  uint8_t len = 0;  // 0: not in the code page
  char bytes[2] = {};
};

// The UTF-8 of the kept byte b.
inline void PutKeptByte(char* out, unsigned char b) {
  const uint32_t cp = kKeptByteBase + b;
  out[0] = static_cast<char>(0xE0 | cp >> 12);
  out[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
  out[2] = static_cast<char>(0x80 | (cp & 0x3F));
}

// Runs the converter over one short piece; 0, or the error that stopped it.
int RunOnce(iconv_t cd, const char* in, size_t n, char* out, size_t outSize, size_t* produced) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in);
  char* dst = out;
  size_t left = n, room = outSize;
  size_t r = iconv(cd, &src, &left, &dst, &room);
  *produced = outSize - room;
  if (r == static_cast<size_t>(-1)) return errno;
  return left == 0 ? 0 : EILSEQ;
}

class IconvPair {
 public:
  IconvPair() : dec(iconv_open("UTF-8", "CP932")), enc(iconv_open("CP932", "UTF-8")) {
    if (dec == kNone || enc == kNone) {
      Close();
      throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    }
  }
  ~IconvPair() { Close(); }
  IconvPair(const IconvPair&) = delete;
  IconvPair& operator=(const IconvPair&) = delete;
  // What the character of the UTF-8 `piece` encodes to (1 or 2 bytes), or
  // len 0 when the code page lacks it.
  Cp932Piece Encode(const char* piece, size_t n) const {
    Cp932Piece e;
    char out[16];
    size_t produced = 0;
    if (RunOnce(enc, piece, n, out, sizeof out, &produced) == 0 && produced >= 1 && produced <= 2) {
      e.len = static_cast<uint8_t>(produced);
      std::copy(out, out + produced, e.bytes);
    }
    return e;
  }
  iconv_t dec, enc;

 private:
  inline static const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
  void Close() {
    if (dec != kNone) iconv_close(dec);
    if (enc != kNone) iconv_close(enc);
  }
};

// The UTF-8 of a code point of the basic plane; its length.
size_t Utf8Of(uint32_t cp, char* in) {
  if (cp < 0x80) {
    in[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    in[0] = static_cast<char>(0xC0 | cp >> 6);
    in[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  in[0] = static_cast<char>(0xE0 | cp >> 12);
  in[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
  in[2] = static_cast<char>(0x80 | (cp & 0x3F));
  return 3;
}

struct DecodeTables {
  std::array<Utf8Piece, 256> single{};
  std::array<bool, 256> lead{};
  std::vector<Utf8Piece> pair = std::vector<Utf8Piece>(65536);  // (lead << 8) | trail
  bool asciiSame = true;  // every byte below 0x80 is the same character both ways

  DecodeTables() {
    IconvPair cv;
    char out[16];
    size_t produced = 0;
    // A byte or pair is decoded only when its character is written back as
    // the same bytes; otherwise (the code page has a few characters twice)
    // its bytes are kept, so that saving never changes a file's bytes.
    auto writtenBack = [&cv](const Utf8Piece& p, std::string_view bytes) {
      Cp932Piece e = cv.Encode(p.bytes, p.len);
      return e.len == bytes.size() && std::equal(bytes.begin(), bytes.end(), e.bytes);
    };
    for (int b = 0; b < 256; ++b) {
      char in = static_cast<char>(b);
      int err = RunOnce(cv.dec, &in, 1, out, sizeof out, &produced);
      if (err == EINVAL) {
        lead[b] = true;
      } else if (err == 0 && produced >= 1 && produced <= 3) {
        single[b].len = static_cast<uint8_t>(produced);
        std::copy(out, out + produced, single[b].bytes);
        if (!writtenBack(single[b], std::string_view(&in, 1))) single[b].len = 0;
      }
    }
    for (int l = 0; l < 256; ++l) {
      if (!lead[l]) continue;
      for (int t = 0; t < 256; ++t) {
        char in[2] = {static_cast<char>(l), static_cast<char>(t)};
        if (RunOnce(cv.dec, in, 2, out, sizeof out, &produced) != 0 || produced < 1 || produced > 3) continue;
        Utf8Piece& p = pair[static_cast<size_t>(l << 8 | t)];
        p.len = static_cast<uint8_t>(produced);
        std::copy(out, out + produced, p.bytes);
        if (!writtenBack(p, std::string_view(in, 2))) p.len = 0;
      }
    }
    // The kept bytes of a text must never be taken for characters.
    for (uint32_t b = 0; b < 256; ++b) {
      char in[3];
      if (cv.Encode(in, Utf8Of(kKeptByteBase + b, in)).len)
        throw std::runtime_error("the code page uses the range of kept bytes");
    }
    for (int c = 0; c < 0x80; ++c) {
      char in = static_cast<char>(c);
      Cp932Piece e = cv.Encode(&in, 1);
      if (single[c].len != 1 || single[c].bytes[0] != in || e.len != 1 || e.bytes[0] != in) asciiSame = false;
    }
  }
};

struct EncodeTables {
  std::vector<Cp932Piece> encode = std::vector<Cp932Piece>(65536);

  EncodeTables() {
    IconvPair cv;
    for (uint32_t cp = 0; cp < 65536; ++cp) {
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      char in[3];
      encode[cp] = cv.Encode(in, Utf8Of(cp, in));
    }
    for (uint32_t b = 0; b < 256; ++b) {
      Cp932Piece& kept = encode[kKeptByteBase + b];
      kept.len = 1;
      kept.bytes[0] = static_cast<char>(b);
    }
  }
};

const DecodeTables& Decoding() {
  static const DecodeTables t;
  return t;
}

const EncodeTables& Encoding() {
  static const EncodeTables t;
  return t;
}

// The code point of a well-formed UTF-8 sequence of n bytes (2 or 3), or -1
// for an overlong form or a surrogate, which the converter rejects too.
long CodePoint(const unsigned char* p, size_t n) {
  if (n == 2) {
    long cp = (p[0] & 0x1F) << 6 | (p[1] & 0x3F);
    return cp < 0x80 ? -1 : cp;
  }
  long cp = (p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
  if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  return cp;
}

}  // namespace

size_t Cp932ToUtf8Into(std::string_view bytes, char* dst) {
  const DecodeTables& t = Decoding();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* end = p + bytes.size();
  char* out = dst;
  while (p < end) {
    unsigned char c = *p;
    if (c < 0x80 && t.asciiSame) {
      // Runs of ASCII, which both code pages share, eight bytes at a time.
      while (end - p >= 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        if (w & 0x8080808080808080ull) break;
        std::memcpy(out, p, 8);
        p += 8;
        out += 8;
      }
      while (p < end && *p < 0x80) *out++ = static_cast<char>(*p++);
      continue;
    }
    const Utf8Piece* piece = &t.single[c];
    size_t used = 1;
    if (t.lead[c]) {
      piece = p + 1 < end ? &t.pair[static_cast<size_t>(c << 8 | p[1])] : nullptr;
      if (piece && piece->len) used = 2;
    }
    if (piece && piece->len) {
      // Copying all three bytes is cheaper than a variable-length copy; the
      // caller's room of three bytes per input byte covers the excess.
      std::memcpy(out, piece->bytes, 3);
      out += piece->len;
    } else {
      PutKeptByte(out, c);
      out += 3;
    }
    p += used;
  }
  return static_cast<size_t>(out - dst);
}

bool AsciiIsShared() { return Decoding().asciiSame; }

size_t FindNonCp932(std::string_view bytes) {
  const DecodeTables& t = Decoding();
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0, n = bytes.size(); i < n;) {
    unsigned char c = s[i];
    if (t.lead[c] && i + 1 < n && t.pair[static_cast<size_t>(c << 8 | s[i + 1])].len) {
      i += 2;
    } else if (!t.lead[c] && t.single[c].len) {
      ++i;
    } else {
      return i;
    }
  }
  return std::string_view::npos;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool wide = false;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t len = Utf8SeqLen(bytes.substr(i));
    if (len < 2) return false;
    if (CodePoint(reinterpret_cast<const unsigned char*>(bytes.data() + i), len) < 0 && len < 4) return false;
    wide = true;
    i += len;
  }
  return wide;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  if (AllAscii(bytes)) return std::string(bytes);
  std::string out;
  out.resize(bytes.size() * kUtf8PerCp932Byte);
  out.resize(Cp932ToUtf8Into(bytes, out.data()));
  return out;
}

size_t Utf8ToCp932Into(std::string_view text, char* out) {
  const bool asciiSame = Decoding().asciiSame;
  const EncodeTables& t = Encoding();
  char* dst = out;
  size_t i = 0, n = text.size();
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text.data());
  while (i < n) {
    unsigned char c = s[i];
    if (c < 0x80 && asciiSame) {
      while (n - i >= 8) {
        uint64_t w;
        std::memcpy(&w, s + i, 8);
        if (w & 0x8080808080808080ull) break;
        std::memcpy(dst, s + i, 8);
        dst += 8;
        i += 8;
      }
      while (i < n && s[i] < 0x80) *dst++ = static_cast<char>(s[i++]);
      continue;
    }
    // Kana and kanji: three bytes in UTF-8, the bulk of Japanese text.
    if ((c & 0xF0) == 0xE0 && n - i >= 3 && (s[i + 1] & 0xC0) == 0x80 && (s[i + 2] & 0xC0) == 0x80) {
      size_t code = static_cast<size_t>((c & 0x0F) << 12 | (s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F));
      const Cp932Piece& piece = t.encode[code];
      // Overlong forms (below U+0800) are not characters; surrogates are
      // never in the table.
      if (code >= 0x800 && piece.len) {
        *dst++ = piece.bytes[0];
        if (piece.len == 2) *dst++ = piece.bytes[1];
      } else {
        *dst++ = '?';
      }
      i += 3;
      continue;
    }
    long cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else {
      len = c >> 5 == 6 ? 2 : c >> 4 == 14 ? 3 : c >> 3 == 30 ? 4 : 1;
      if (len > n - i) len = 1;
      for (size_t k = 1; k < len; ++k)
        if ((s[i + k] & 0xC0) != 0x80) len = 1;
      cp = len == 2 || len == 3 ? CodePoint(s + i, len) : -1;
    }
    const Cp932Piece* piece = cp >= 0 ? &t.encode[static_cast<size_t>(cp)] : nullptr;
    if (piece && piece->len) {
      *dst++ = piece->bytes[0];
      if (piece->len == 2) *dst++ = piece->bytes[1];
    } else {
      *dst++ = '?';
    }
    i += len;
  }
  return static_cast<size_t>(dst - out);
}

std::string Utf8ToCp932(std::string_view text) {
  if (AllAscii(text)) return std::string(text);
  std::string out;
  out.resize(text.size());  // never longer than the UTF-8 text
  out.resize(Utf8ToCp932Into(text, out.data()));
  return out;
}

std::string Cp932ToUtf8ByIconv(std::string_view bytes) {
  return Decoder().Run(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToCp932ByIconv(std::string_view text) {
  return Encoder().Run(text, "?", [](std::string_view rest) { return Utf8SeqLen(rest); });
}

bool FitsCp932(std::string_view text) {
  if (AllAscii(text)) return true;
  // A character that does not fit comes back as "?" where there was none.
  std::string back = Cp932ToUtf8(Utf8ToCp932(text));
  return back == text;
}

size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string_view CountedMid(std::string_view text, size_t start, long len) {
  if (start < 1) start = 1;
  size_t i = 0, ch = 1;
  while (i < text.size() && ch < start) {
    i += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : Utf8SeqLen(text.substr(i));
    ++ch;
  }
  if (i >= text.size()) return {};
  if (len < 0) return text.substr(i);
  size_t j = i;
  for (long k = 0; k < len && j < text.size(); ++k)
    j += static_cast<unsigned char>(text[j]) < 0x80 ? 1 : Utf8SeqLen(text.substr(j));
  return text.substr(i, j - i);
}

}  // namespace rt
