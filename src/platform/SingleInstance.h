#pragma once
// Only one copy of the program may work on a data directory at a time. The
// lock is a file whose owner process is recorded in it, so a copy that
// crashed leaves no lock behind that blocks the next start.
#include <QString>

// Takes the lock at lockFilePath for the rest of the process. False when a
// running process holds it already (or the lock cannot be created).
bool AcquireInstanceLock(const QString& lockFilePath);

// Gives the lock up (at exit, and in tests).
void ReleaseInstanceLock();
