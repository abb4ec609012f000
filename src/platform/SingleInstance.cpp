#include "platform/SingleInstance.h"

#include <QLockFile>
#include <memory>

namespace {
std::unique_ptr<QLockFile>& Held() {
  static std::unique_ptr<QLockFile> lock;
  return lock;
}
}  // namespace

bool AcquireInstanceLock(const QString& lockFilePath) {
  ReleaseInstanceLock();
  auto lock = std::make_unique<QLockFile>(lockFilePath);
  // Never treat a lock of a live process as stale, however old it is; a lock
  // whose process has gone is removed by QLockFile itself.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  Held() = std::move(lock);
  return true;
}

void ReleaseInstanceLock() {
  if (Held()) Held()->unlock();
  Held().reset();
}
