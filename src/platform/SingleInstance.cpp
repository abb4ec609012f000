#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLockFile>
#include <cerrno>
#include <ctime>
#include <memory>

#include "runtime/RuntimeError.h"

namespace {
std::unique_ptr<QLockFile>& Held() {
  static std::unique_ptr<QLockFile> lock;
  return lock;
}

// Why the lock file cannot be created: the lock itself does not say, so a
// file of the same kind is tried once more to learn the system's reason.
int16_t CreationError(const QString& lockFilePath, QLockFile::LockError error) {
  QByteArray path = QFile::encodeName(lockFilePath + QStringLiteral(".probe"));
  int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ::close(fd);
    ::unlink(path.constData());
  } else if (errno != EEXIST) {
    return rt::ErrorNumberFromErrno(errno);
  }
  return error == QLockFile::PermissionError ? rt::kErrPermissionDenied : rt::kErrIO;
}

// How long a starting copy may take between creating its lock file and
// holding it; a younger lock file is never taken for abandoned.
constexpr time_t kStartingSeconds = 5;

// A lock file that does not name a running copy in a form QLockFile can read
// (left empty or cut short when the machine lost power or the program was
// killed between creating the file and writing it) would refuse every start
// for good. A running copy holds an flock on its lock file for as long as it
// runs, so a lock file nobody holds that is not brand new is abandoned,
// whatever it says. Removed under the same guard file QLockFile takes for
// its own stale locks, so two starts never both remove one.
bool RemoveAbandonedLock(const QString& lockFilePath) {
  QLockFile guard(lockFilePath + QStringLiteral(".rmlock"));
  if (!guard.tryLock(0)) return false;
  const QByteArray name = QFile::encodeName(lockFilePath);
  int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat held{}, named{};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && held.st_nlink > 0) {
    time_t age = std::time(nullptr) - held.st_mtime;
    // Still the same file under the name: only that one may go.
    bool same = ::stat(name.constData(), &named) == 0 && named.st_ino == held.st_ino && named.st_dev == held.st_dev;
    if (same && (age > kStartingSeconds || age < -kStartingSeconds)) removed = ::unlink(name.constData()) == 0;
  }
  ::close(fd);
  return removed;
}
}  // namespace

InstanceLock TakeInstanceLock(const QString& lockFilePath) {
  ReleaseInstanceLock();
  auto lock = std::make_unique<QLockFile>(lockFilePath);
  // Never treat a lock of a live process as stale, however old it is; a lock
  // whose process has gone is removed by QLockFile itself.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0) ||
      (lock->error() == QLockFile::LockFailedError && RemoveAbandonedLock(lockFilePath) && lock->tryLock(0))) {
    Held() = std::move(lock);
    return {InstanceLock::Taken, 0};
  }
  if (lock->error() == QLockFile::LockFailedError) return {InstanceLock::HeldByRunningCopy, 0};
  return {InstanceLock::CannotBeMade, CreationError(lockFilePath, lock->error())};
}

bool AcquireInstanceLock(const QString& lockFilePath) {
  return TakeInstanceLock(lockFilePath).outcome == InstanceLock::Taken;
}

void ReleaseInstanceLock() {
  if (Held()) Held()->unlock();
  Held().reset();
}
