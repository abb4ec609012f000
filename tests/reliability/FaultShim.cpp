#include "reliability/FaultShim.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <mutex>

namespace {

Fault gFault;
int gFailures = 0;
// Paths of the descriptors opened while a fault was active, so that read,
// write and fsync can tell which file they work on.
std::map<int, std::string>& Paths() {
  static std::map<int, std::string> m;
  return m;
}
std::mutex gMutex;

template <class F>
F Next(const char* name) {
  static_assert(sizeof(F) == sizeof(void*));
  void* p = ::dlsym(RTLD_NEXT, name);
  if (!p) std::abort();
  return reinterpret_cast<F>(p);
}

bool Matches(const std::string& path) { return gFault.pathPart.empty() || path.find(gFault.pathPart) != std::string::npos; }

bool FailsFd(FaultCall call, int fd) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (gFault.call != call) return false;
  auto it = Paths().find(fd);
  if (it == Paths().end() || !Matches(it->second)) return false;
  ++gFailures;
  return true;
}

int Opened(int fd, const char* path) {
  if (fd >= 0 && path) {
    std::lock_guard<std::mutex> lock(gMutex);
    if (gFault.call != FaultCall::None) Paths()[fd] = path;
  }
  return fd;
}

bool FailsCreate(const char* path, int flags) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (gFault.call != FaultCall::Create || !(flags & O_CREAT) || !path || !Matches(path)) return false;
  ++gFailures;
  return true;
}

// open and open64 alike: fail a creation the fault names, else pass on.
using OpenFn = int (*)(const char*, int, ...);
int OpenThrough(OpenFn real, const char* path, int flags, va_list ap) {
  mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(ap, mode_t) : 0;
  if (FailsCreate(path, flags)) {
    errno = gFault.error;
    return -1;
  }
  return Opened(real(path, flags, mode), path);
}

}  // namespace

InjectFault::InjectFault(Fault f) {
  std::lock_guard<std::mutex> lock(gMutex);
  gFault = std::move(f);
  gFailures = 0;
  Paths().clear();
}

InjectFault::~InjectFault() {
  std::lock_guard<std::mutex> lock(gMutex);
  gFault = {};
  Paths().clear();
}

int InjectFault::Failures() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gFailures;
}

extern "C" {

int open(const char* path, int flags, ...) {
  va_list ap;
  va_start(ap, flags);
  static OpenFn real = Next<OpenFn>("open");
  int fd = OpenThrough(real, path, flags, ap);
  va_end(ap);
  return fd;
}

int open64(const char* path, int flags, ...) {
  va_list ap;
  va_start(ap, flags);
  static OpenFn real = Next<OpenFn>("open64");
  int fd = OpenThrough(real, path, flags, ap);
  va_end(ap);
  return fd;
}

ssize_t read(int fd, void* buf, size_t n) {
  if (FailsFd(FaultCall::Read, fd)) {
    errno = gFault.error;
    return -1;
  }
  static auto real = Next<ssize_t (*)(int, void*, size_t)>("read");
  return real(fd, buf, n);
}

ssize_t write(int fd, const void* buf, size_t n) {
  if (FailsFd(FaultCall::Write, fd)) {
    errno = gFault.error;
    return -1;
  }
  static auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return real(fd, buf, n);
}

int fsync(int fd) {
  if (FailsFd(FaultCall::Fsync, fd)) {
    errno = gFault.error;
    return -1;
  }
  static auto real = Next<int (*)(int)>("fsync");
  return real(fd);
}

}  // extern "C"
