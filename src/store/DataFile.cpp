#include "store/DataFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/Store.h"

std::function<void(const StoreError&)> StoreErrorHook;
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

// A byte copy of `path` beside it, never overwriting an earlier copy.
void KeepDamagedCopy(const std::string& path) {
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

}  // namespace

std::string ResolveFile(const std::string& dir, const std::string& name) {
  std::string exact = dir + name;
  struct stat st{};
  if (::stat(exact.c_str(), &st) == 0) return exact;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return exact;
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (EqualsIgnoreCase(e->d_name, name)) {
      found = dir + e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found.empty() ? exact : found;
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

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  const char* p = text.data();
  const char* end = p + text.size();
  auto findLf = [&](const char* from) {
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(end - from)));
  };
  // The next LF is searched once and kept until passed, so that a file of
  // lone CRs is not rescanned to its end for every line.
  const char* lf = p < end ? findLf(p) : nullptr;
  while (p < end) {
    if (lf && lf < p) lf = findLf(p);
    const char* stop = lf ? lf : end;
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)));
    const char* eol = cr ? cr : lf;
    if (!eol) {
      lines.emplace_back(p, static_cast<size_t>(end - p));
      break;
    }
    lines.emplace_back(p, static_cast<size_t>(eol - p));
    p = eol + 1;
    if (*eol == '\r' && p < end && *p == '\n') ++p;
  }
  return lines;
}

std::vector<std::string> ReadAllLines(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowErrno(errno, path);
  std::string bytes;
  struct stat st{};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ThrowErrno(err, path);
    }
    if (r == 0) break;
    bytes.append(buf, static_cast<size_t>(r));
  }
  ::close(fd);
  return SplitLines(rt::Cp932ToUtf8(bytes));
}

void WriteFileAtomic(const std::string& path, std::string_view utf8Text) {
  std::string bytes = rt::Utf8ToCp932(utf8Text);
  std::string dir = DirOf(path);
  struct stat dst{};
  if (::stat(dir.c_str(), &dst) != 0) ThrowErrno(errno == ENOENT ? ENOTDIR : errno, dir);
  if (!S_ISDIR(dst.st_mode)) ThrowErrno(ENOTDIR, dir);

  // Keep the permissions of the file being replaced. A file the farmer made
  // read-only is refused, as writing into it would be: the rename alone
  // would otherwise replace it silently.
  mode_t mode = 0644;
  struct stat old{};
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    if (S_ISDIR(old.st_mode)) ThrowErrno(EISDIR, path);
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0) ThrowErrno(EACCES, path);
  }

  thread_local std::mt19937_64 rng{std::random_device{}()};
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp-%08llx", static_cast<unsigned long long>(rng() & 0xffffffffu));
    tmp = path + suffix;
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) ThrowErrno(errno, tmp);
  }
  if (fd < 0) ThrowErrno(EEXIST, tmp);

  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmp.c_str());
    ThrowErrno(err, path);
  };
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    ThrowErrno(err, path);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    ThrowErrno(err, path);
  }
  // Make the rename itself durable.
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}

const std::vector<std::string>& FileReading::Lines() {
  if (!read_) {
    lines_ = ReadAllLines(path_);
    read_ = true;
  }
  return lines_;
}

void ReportCurrentStoreError(const std::string& file, long line) {
  StoreError e{rt::ErrorNumberOf(std::current_exception()), file, line};
  if (StoreErrorHook) StoreErrorHook(e);
}

bool RunReader(const std::string& name, const std::function<void()>& missing,
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
    LineSink sink;
    body(sink);
    WriteFileAtomic(ResolveFile(DataPath, name), sink.text());
    return true;
  } catch (...) {
    ReportCurrentStoreError(name, 0);
    return false;
  }
}
