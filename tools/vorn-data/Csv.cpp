#include "Csv.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {
constexpr size_t kFlushAt = 1 << 20;
}

CsvFile::CsvFile(std::string path, bool replace) : path_(std::move(path)), replace_(replace) {
  tmp_ = path_ + ".tmp-XXXXXX";
  fd_ = ::mkstemp(tmp_.data());
  if (fd_ < 0) {
    tmp_.clear();
    Fail("cannot create a file beside it");
  }
  // mkstemp makes the file private; a CSV file gets the usual permissions.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
  buffer_.reserve(kFlushAt + kFlushAt / 4);
  buffer_ = "\xEF\xBB\xBF";
}

CsvFile::~CsvFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!tmp_.empty()) ::unlink(tmp_.c_str());
}

void CsvFile::Fail(const char* what) {
  throw std::runtime_error(path_ + ": " + what + ": " + std::strerror(errno));
}

void CsvFile::Field(std::string_view text) {
  if (!firstField_) buffer_ += ',';
  firstField_ = false;
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    buffer_.append(text);
    return;
  }
  buffer_ += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      buffer_ += "\"\"";
    } else if (c == '\r') {
      buffer_ += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      buffer_ += c;
    }
  }
  buffer_ += '"';
}

void CsvFile::EndRecord() {
  buffer_ += "\r\n";
  firstField_ = true;
  if (buffer_.size() >= kFlushAt) Flush();
}

void CsvFile::Flush() {
  const char* p = buffer_.data();
  size_t left = buffer_.size();
  while (left > 0) {
    ssize_t n = ::write(fd_, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("cannot write");
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  buffer_.clear();
}

void CsvFile::Commit() {
  Flush();
  if (::fsync(fd_) != 0) Fail("cannot write");
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail("cannot write");
  if (replace_) {
    if (::rename(tmp_.c_str(), path_.c_str()) != 0) Fail("cannot rename into place");
  } else if (::renameat2(AT_FDCWD, tmp_.c_str(), AT_FDCWD, path_.c_str(), RENAME_NOREPLACE) != 0) {
    // File systems without the no-replace rename: a hard link refuses an
    // existing name as well.
    if (errno != EINVAL && errno != ENOSYS) Fail("cannot rename into place");
    if (::link(tmp_.c_str(), path_.c_str()) != 0) Fail("cannot rename into place");
    ::unlink(tmp_.c_str());
  }
  tmp_.clear();
}
