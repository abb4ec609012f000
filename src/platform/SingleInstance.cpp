#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QLockFile>
#include <cerrno>
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
}  // namespace

InstanceLock TakeInstanceLock(const QString& lockFilePath) {
  ReleaseInstanceLock();
  auto lock = std::make_unique<QLockFile>(lockFilePath);
  // Never treat a lock of a live process as stale, however old it is; a lock
  // whose process has gone is removed by QLockFile itself.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) {
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
