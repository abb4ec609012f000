#pragma once
// Only one copy of the program may work on a data directory at a time. The
// lock is a file whose owner process is recorded in it, so a copy that
// crashed leaves no lock behind that blocks the next start.
#include <QString>
#include <cstdint>

struct InstanceLock {
  enum Outcome { Taken, HeldByRunningCopy, CannotBeMade };
  Outcome outcome = CannotBeMade;
  // For CannotBeMade: the run-time error number of the failure (70 for a
  // folder that cannot be written, 76 for one that is not there, ...).
  int16_t errorNumber = 0;
};

// Takes the lock at lockFilePath for the rest of the process. Only a lock
// that a running process holds is HeldByRunningCopy; a lock file that
// cannot be created at all is CannotBeMade, with its error number.
InstanceLock TakeInstanceLock(const QString& lockFilePath);

// The same, true only when the lock was taken.
bool AcquireInstanceLock(const QString& lockFilePath);

// Gives the lock up (at exit, and in tests).
void ReleaseInstanceLock();
