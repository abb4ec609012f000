#include "store/DataFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ctime>
#include <random>
#include <utility>
#include <vector>

#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/Store.h"

std::function<void(const StoreError&)> StoreErrorHook;
thread_local std::vector<StoreError>* StoreErrorSink = nullptr;
std::string HomeDataPath;

namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

[[noreturn]] void ThrowErrno(int err, const std::string& what) {
  throw rt::RuntimeError(rt::ErrorNumberFromErrno(err), what);
}

std::string DirOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

std::string Timestamp() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
  return buf;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The names in the directory of `path` that begin with its file name
// followed by `tail`, each with the rest of the name after that prefix.
std::vector<std::pair<std::string, std::string>> Siblings(const std::string& path, const std::string& tail) {
  std::vector<std::pair<std::string, std::string>> found;
  std::string prefix = BaseName(path) + tail;
  DIR* d = ::opendir(DirOf(path).c_str());
  if (!d) return found;
  while (dirent* e = ::readdir(d)) {
    std::string_view name(e->d_name);
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix)
      found.emplace_back(std::string(name), std::string(name.substr(prefix.size())));
  }
  ::closedir(d);
  return found;
}

// Where a path of `dir` + name leads when it is written: the file itself, or
// for a symbolic link the file it points to (relative links count from the
// link's own directory).
std::string DirPrefix(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool SameBytes(const std::string& a, const std::string& b) {
  struct stat sa{}, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0 || sa.st_size != sb.st_size) return false;
  FILE* fa = std::fopen(a.c_str(), "rb");
  FILE* fb = fa ? std::fopen(b.c_str(), "rb") : nullptr;
  bool same = fa && fb;
  std::vector<char> x(1 << 16), y(1 << 16);
  while (same) {
    size_t n = std::fread(x.data(), 1, x.size(), fa), m = std::fread(y.data(), 1, y.size(), fb);
    if (n != m || std::memcmp(x.data(), y.data(), n) != 0) same = false;
    if (n < x.size()) break;
  }
  if (fa) std::fclose(fa);
  if (fb) std::fclose(fb);
  return same;
}

// The newest copy of a damaged `path` kept so far ("" when there is none).
// Copies are named "<file>.damaged-<yyyymmdd-hhmmss>", with "-2", "-3" ...
// for further copies within the same second.
std::string NewestDamagedCopy(const std::string& path) {
  std::string newest, newestStamp;
  long newestN = 0;
  for (const auto& [name, rest] : Siblings(path, ".damaged-")) {
    if (rest.size() < 15) continue;
    std::string stamp = rest.substr(0, 15);
    long n = 1;
    if (rest.size() > 15) {
      if (rest[15] != '-' || rest.size() == 16) continue;
      n = std::strtol(rest.c_str() + 16, nullptr, 10);
    }
    if (newest.empty() || stamp > newestStamp || (stamp == newestStamp && n > newestN)) {
      newest = DirPrefix(path) + name;
      newestStamp = stamp;
      newestN = n;
    }
  }
  return newest;
}

// A byte copy of `path` beside it, never overwriting an earlier copy, and
// none when the newest copy kept already holds the same bytes: a file that
// stays damaged is kept once, not once per start.
void KeepDamagedCopy(const std::string& path) {
  std::string newest = NewestDamagedCopy(path);
  if (!newest.empty() && SameBytes(path, newest)) return;
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return;
  std::string base = path + ".damaged-" + Timestamp();
  std::string target = base;
  int fd = -1;
  for (int n = 2; n < 100; ++n) {
    fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0 || errno != EEXIST) break;
    target = base + "-" + std::to_string(n);
  }
  if (fd >= 0) {
    char buf[65536];
    size_t n;
    bool ok = true;
    while (ok && (n = std::fread(buf, 1, sizeof buf, in)) > 0) ok = ::write(fd, buf, n) == static_cast<ssize_t>(n);
    ok = ::fsync(fd) == 0 && ok;
    ::close(fd);
    if (!ok) ::unlink(target.c_str());
  }
  std::fclose(in);
}

// Temporary files of a save are "<file>.tmp-" and eight hex digits. The save
// that writes one holds a lock on it until it is renamed, so a temporary
// file nobody holds was left by a save that was killed or lost its machine.
constexpr size_t kTempDigits = 8;
bool IsTempSuffix(std::string_view rest) {
  if (rest.size() != kTempDigits) return false;
  for (char c : rest)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// Takes the lock of a temporary file just created. False when it is no
// longer there (another save's clean-up took it before the lock). Where the
// file system has no locks, the file is used without one.
bool HoldTemp(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return errno != EWOULDBLOCK;
  struct stat st{};
  return ::fstat(fd, &st) == 0 && st.st_nlink > 0;
}

// Removes the temporary files of `target` that no save holds any more,
// except `own`. Only regular files named as the saves name them are touched.
void RemoveStaleTemps(const std::string& target, const std::string& own) {
  for (const auto& [name, rest] : Siblings(target, ".tmp-")) {
    std::string path = DirPrefix(target) + name;
    if (!IsTempSuffix(rest) || path == own) continue;
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held{}, now{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &now) == 0 &&
        held.st_ino == now.st_ino && held.st_dev == now.st_dev)
      ::unlink(path.c_str());
    ::close(fd);
  }
}

}  // namespace

std::string ResolveFile(const std::string& dir, const std::string& name) {
  std::string exact = dir + name;
  struct stat st{};
  if (::stat(exact.c_str(), &st) == 0) return exact;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return exact;
  // Of several spellings the first in byte order, never the first listed:
  // some file systems list a file that a save has just replaced last, and
  // the next load would then read the other, older spelling.
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (EqualsIgnoreCase(e->d_name, name) && (found.empty() || found > e->d_name)) found = e->d_name;
  }
  ::closedir(d);
  return found.empty() ? exact : dir + found;
}

std::optional<std::string> FindDataFile(const std::string& name) {
  std::string path = ResolveFile(DataPath, name);
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) {
    // Only a file that is really not there counts as missing: a folder that
    // cannot be read must not look like a first start, or the readers would
    // reset their tables and the next save would overwrite the real file.
    if (errno == ENOENT) return std::nullopt;
    ThrowErrno(errno, path);
  }
  if (S_ISDIR(st.st_mode)) ThrowErrno(EISDIR, path);
  return path;
}

namespace {

// Nonzero when one of the eight bytes of w is a CR or an LF; its lowest set
// bit is then the high bit of the first such byte (in memory order).
inline uint64_t LineEndBits(uint64_t w) {
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  uint64_t cr = w ^ (kOnes * '\r'), lf = w ^ (kOnes * '\n');
  return (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs;
}
inline bool HasLineEnd(uint64_t w) { return LineEndBits(w) != 0; }

}  // namespace

std::vector<std::string_view> SplitLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  // Reserving only address space: a guess on the large side costs nothing
  // until used, and most files have lines longer than eight bytes.
  lines.reserve(text.size() / 8 + 1);
  const char* p = text.data();
  const char* end = p + text.size();
  const char* start = p;
  while (p < end) {
    // Runs without a line end, eight bytes at a time.
    while (end - p >= 8) {
      uint64_t w;
      std::memcpy(&w, p, 8);
      if (HasLineEnd(w)) break;
      p += 8;
    }
    while (p < end && *p != '\r' && *p != '\n') ++p;
    if (p == end) break;
    lines.emplace_back(start, static_cast<size_t>(p - start));
    if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
    start = ++p;
  }
  if (start < end) lines.emplace_back(start, static_cast<size_t>(end - start));
  return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string_view> views = SplitLineViews(text);
  return std::vector<std::string>(views.begin(), views.end());
}

namespace {

// The part of a file read at a time: small enough to stay in the cache and
// to need no fresh pages after the first part.
constexpr size_t kReadPart = size_t{256} << 10;

}  // namespace

std::string WriteTarget(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string to(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(p.c_str(), to.data(), to.size());
    if (n < 0 || static_cast<size_t>(n) >= to.size()) ThrowErrno(n < 0 ? errno : ENAMETOOLONG, p);
    to.resize(static_cast<size_t>(n));
    p = !to.empty() && to[0] == '/' ? to : DirPrefix(p) + to;
  }
  ThrowErrno(ELOOP, path);
}

AtomicFile::AtomicFile(std::string path) : path_(WriteTarget(path)) {
  // A data file that is a symbolic link is replaced where it points, so the
  // link stays a link and its target gets the new records.
  std::string dir = DirOf(path_);
  struct stat dst{};
  if (::stat(dir.c_str(), &dst) != 0) ThrowErrno(errno == ENOENT ? ENOTDIR : errno, dir);
  if (!S_ISDIR(dst.st_mode)) ThrowErrno(ENOTDIR, dir);

  // Keep the permissions of the file being replaced. A file the farmer made
  // read-only is refused, as writing into it would be: the rename alone
  // would otherwise replace it silently.
  mode_t mode = 0644;
  struct stat old{};
  if (::stat(path_.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    if (S_ISDIR(old.st_mode)) ThrowErrno(EISDIR, path_);
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path_.c_str(), W_OK) != 0) ThrowErrno(EACCES, path_);
  }

  thread_local std::mt19937_64 rng{std::random_device{}()};
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp-%08llx", static_cast<unsigned long long>(rng() & 0xffffffffu));
    tmp_ = path_ + suffix;
    fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ < 0 && errno != EEXIST) ThrowErrno(errno, tmp_);
    if (fd_ >= 0 && !HoldTemp(fd_)) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  if (fd_ < 0) ThrowErrno(EEXIST, tmp_);
  // What a killed save left beside the file would otherwise stay for good.
  RemoveStaleTemps(path_, tmp_);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(tmp_.c_str());
  }
}

void AtomicFile::Fail(int err) {
  ::close(fd_);
  fd_ = -1;
  ::unlink(tmp_.c_str());
  ThrowErrno(err, path_);
}

void AtomicFile::Write(std::string_view utf8Text) {
  if (fd_ < 0) ThrowErrno(EBADF, path_);
  // CP932 is never longer than the UTF-8 it comes from; the buffer is kept
  // for the next piece and not cleared first.
  if (room_ < utf8Text.size()) {
    room_ = utf8Text.size();
    encoded_ = std::make_unique_for_overwrite<char[]>(room_);
  }
  const char* p = encoded_.get();
  size_t left = rt::Utf8ToCp932Into(utf8Text, encoded_.get());
  while (left > 0) {
    ssize_t w = ::write(fd_, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
}

void AtomicFile::Commit() {
  if (fd_ < 0) ThrowErrno(EBADF, path_);
  if (::fsync(fd_) != 0) Fail(errno);
  // Renamed while still open, so that its lock marks it as in use until it
  // has its final name.
  if (::rename(tmp_.c_str(), path_.c_str()) != 0) Fail(errno);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) ThrowErrno(errno, path_);
  // Make the rename itself durable.
  int dfd = ::open(DirOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}

void LineSink::Flush() {
  if (text_.empty()) return;
  file_.Write(text_);
  text_.clear();
}

FileReading::FileReading(std::string path) : path_(std::move(path)) {}
FileReading::~FileReading() {
  if (fd_ >= 0) ::close(fd_);
}

void FileReading::Open() {
  if (fd_ >= 0 || eof_) return;
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) ThrowErrno(errno, path_);
  room_ = kReadPart;
  buffer_ = std::make_unique_for_overwrite<char[]>(room_);
  asciiShared_ = rt::AsciiIsShared();
  Fill();
}

bool FileReading::Fill() {
  if (eof_) return false;
  if (pos_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (end_ == room_) {  // one line fills the buffer
    auto bigger = std::make_unique_for_overwrite<char[]>(room_ * 2);
    std::memcpy(bigger.get(), buffer_.get(), end_);
    buffer_ = std::move(bigger);
    room_ *= 2;
  }
  for (;;) {
    ssize_t r = ::read(fd_, buffer_.get() + end_, room_ - end_);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) ThrowErrno(errno, path_);
    if (r == 0) {
      eof_ = true;
      ::close(fd_);
      fd_ = -1;
      return false;
    }
    end_ += static_cast<size_t>(r);
    return true;
  }
}

bool FileReading::NextLine(std::string_view& line) {
  if (fd_ < 0 && !eof_) Open();
  const char* start;
  const char* p;
  const char* end;
  uint64_t high;
  // Line ends are found in the file's bytes: CR and LF are never the second
  // byte of a double-byte character, so this splits exactly where splitting
  // the decoded text would. Plain ASCII lines need no decoding at all.
  for (;;) {
    start = buffer_.get() + pos_;
    end = buffer_.get() + end_;
    p = start;
    high = 0;
    while (end - p >= 8) {
      uint64_t w;
      std::memcpy(&w, p, 8);
      if (uint64_t bits = LineEndBits(w)) {
        if constexpr (std::endian::native == std::endian::little) {
          // Only the bytes before the line end count.
          int skip = std::countr_zero(bits) / 8;
          if (skip) high |= w & (~0ull >> (64 - 8 * skip));
          p += skip;
        } else {
          while (*p != '\r' && *p != '\n') high |= static_cast<unsigned char>(*p++);
        }
        break;
      }
      high |= w;
      p += 8;
    }
    if (end - p < 8)
      while (p < end && *p != '\r' && *p != '\n') high |= static_cast<unsigned char>(*p++);
    // A CR at the end of the buffer may be followed by the LF of a CR LF
    // still in the file.
    bool ended = p < end && (*p == '\n' || p + 1 < end);
    if (ended || eof_) break;
    Fill();
  }
  if (start == end) return false;
  std::string_view bytes(start, static_cast<size_t>(p - start));
  if (p < end) {
    if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
    ++p;
  }
  pos_ = static_cast<size_t>(p - buffer_.get());
  ++line_;
  if ((high & 0x8080808080808080ull) == 0 && asciiShared_) {
    line = bytes;
  } else {
    decoded_.resize(bytes.size() * rt::kUtf8PerCp932Byte);
    decoded_.resize(rt::Cp932ToUtf8Into(bytes, decoded_.data()));
    line = decoded_;
  }
  return true;
}

const std::vector<std::string_view>& FileReading::Lines() {
  if (!split_) {
    Open();
    while (Fill()) {
    }
    // Decoded once into a buffer the lines point into.
    std::string_view bytes(buffer_.get() + pos_, end_ - pos_);
    text_ = std::make_unique_for_overwrite<char[]>(bytes.size() * rt::kUtf8PerCp932Byte + 1);
    size_t size = rt::Cp932ToUtf8Into(bytes, text_.get());
    lines_ = SplitLineViews(std::string_view(text_.get(), size));
    split_ = true;
  }
  return lines_;
}

void ReportCurrentStoreError(const std::string& file, long line) {
  StoreError e{rt::ErrorNumberOf(std::current_exception()), file, line};
  if (StoreErrorSink)
    StoreErrorSink->push_back(e);
  else if (StoreErrorHook)
    StoreErrorHook(e);
}

bool RunReader(const std::string& name, const std::function<void()>& missing, const std::function<void()>& clear,
               const std::function<void(FileReading&)>& body) {
  long line = 0;
  std::string path;
  try {
    std::optional<std::string> found = FindDataFile(name);
    if (!found) {
      if (missing) missing();
      return true;
    }
    path = *found;
    FileReading reading(path);
    reading.Open();
    if (clear) clear();
    try {
      body(reading);
    } catch (...) {
      line = reading.line();
      throw;
    }
    return true;
  } catch (...) {
    if (!path.empty() && !HomeDataPath.empty() && DataPath == HomeDataPath) KeepDamagedCopy(path);
    ReportCurrentStoreError(name, line);
    return false;
  }
}

bool RunWriter(const std::string& name, const std::function<void(LineSink&)>& body) {
  try {
    AtomicFile file(ResolveFile(DataPath, name));
    LineSink sink(file);
    body(sink);
    sink.Flush();
    file.Commit();
    return true;
  } catch (...) {
    ReportCurrentStoreError(name, 0);
    return false;
  }
}
