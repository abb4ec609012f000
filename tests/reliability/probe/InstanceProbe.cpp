// A stand-in for a starting copy of the program in the single-instance
// tests: it takes the instance lock of the data directory given as its
// argument the way the start routine does and prints "taken" or "refused".
// It tries only once its standard input has ended, so that a test can let
// several go at the same instant. One that took the lock holds it until it
// is killed; SIGTERM makes it give the lock up first, as a normal end does.
#include <signal.h>
#include <unistd.h>

#include <QString>
#include <cstdio>

#include "platform/SingleInstance.h"

namespace {
volatile sig_atomic_t ending = 0;
void End(int) { ending = 1; }
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  struct sigaction sa {};
  sa.sa_handler = End;
  sigaction(SIGTERM, &sa, nullptr);
  // Held back until the wait below, so that none is missed.
  sigset_t term, others;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  sigprocmask(SIG_BLOCK, &term, &others);

  char c;
  while (read(0, &c, 1) > 0) {
  }
  // The lock file's name as the start routine builds it from DataPath.
  bool taken = AcquireInstanceLock(QString::fromLocal8Bit(argv[1]) + QStringLiteral(".vorn.lock"));
  std::printf("%s\n", taken ? "taken" : "refused");
  std::fflush(stdout);
  if (!taken) return 1;
  while (!ending) sigsuspend(&others);
  ReleaseInstanceLock();
  return 0;
}
