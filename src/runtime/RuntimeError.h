#pragma once
// Run-time errors carry the numbers the error reporter explains to the farmer
// (53 file not found, 13 type mismatch, 9 index out of range, 6 overflow, ...).
#include <cstdint>
#include <exception>
#include <string>

namespace rt {

// Numbers used throughout the program.
enum ErrorNumber : int16_t {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrInternal = 51,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrIO = 57,
  kErrDiskFull = 61,
  kErrDeviceUnavailable = 68,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectNotSet = 91,
  kErrBadPictureFormat = 321,
  kErrInvalidPropertyValue = 380,
};

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int16_t number, std::string detail = {});
  int16_t number() const noexcept { return number_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int16_t number_;
  std::string what_;
};

// The explanation the error reporter shows for a number ("不明なｴﾗｰです。" for
// a number it does not know). UTF-8.
const char* ErrorMessage(int number);

// The run-time error number for an errno value from a failed file operation.
int16_t ErrorNumberFromErrno(int err);

// The number to report for whatever is currently being handled in a catch
// block: RuntimeError keeps its number, allocation failure is 7, file system
// failures map through errno, anything else is an internal error (51).
int16_t ErrorNumberOf(std::exception_ptr e);

// Runs several independent steps and remembers the number of the first
// failure, so that one bad value does not keep the others from running and
// the farmer sees one report for the whole action.
struct FirstError {
  int16_t number = 0;
  template <class Step>
  void Try(Step&& step) {
    try {
      step();
    } catch (...) {
      if (number == 0) number = ErrorNumberOf(std::current_exception());
    }
  }
  // Raises the remembered failure, if any.
  void Rethrow() const {
    if (number != 0) throw RuntimeError(number);
  }
};

}  // namespace rt
