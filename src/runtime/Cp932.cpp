#include "runtime/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <stdexcept>

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

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
  if (AllAscii(bytes)) return std::string(bytes);
  return Decoder().Run(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToCp932(std::string_view text) {
  if (AllAscii(text)) return std::string(text);
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

std::string_view Mid(std::string_view text, size_t start, long len) {
  if (start < 1) start = 1;
  size_t i = 0, ch = 1;
  while (i < text.size() && ch < start) {
    i += Utf8SeqLen(text.substr(i));
    ++ch;
  }
  if (i >= text.size()) return {};
  if (len < 0) return text.substr(i);
  size_t j = i;
  for (long k = 0; k < len && j < text.size(); ++k) j += Utf8SeqLen(text.substr(j));
  return text.substr(i, j - i);
}

}  // namespace rt
