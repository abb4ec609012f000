#pragma once
// Makes the disk fail on purpose inside the test process. The test program
// defines open, openat, read, write and fsync itself; they pass every call
// on to the C library except the ones the active fault names.
#include <cerrno>
#include <string>

enum class FaultCall { None, Create, Read, Write, Fsync };

struct Fault {
  FaultCall call = FaultCall::None;
  int error = 0;
  // Only files whose path contains this text fail ("" = every file).
  std::string pathPart;
};

// While alive, the named calls fail with the given error.
class InjectFault {
 public:
  explicit InjectFault(Fault f);
  ~InjectFault();
  InjectFault(const InjectFault&) = delete;
  InjectFault& operator=(const InjectFault&) = delete;
  // How many calls failed so far.
  static int Failures();
};
