#pragma once
// Handler flags (Busy, DiaryLoading, the rain and hover guards) are set for
// the length of a handler and must come back however the handler is left: a
// handler that failed and left Busy set would make every later edit in every
// window be dropped without a word.
#include <cstdint>

class ScopedFlag {
 public:
  // Sets flag to value; the destructor gives it back the value it had.
  explicit ScopedFlag(int16_t& flag, int16_t value = 1) : flag_(flag), before_(flag) { flag_ = value; }
  ~ScopedFlag() { flag_ = before_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  int16_t& flag_;
  int16_t before_;
};

// A re-entry guard: Enter() is false while the flag is already set (the
// handler is running further up the stack); otherwise it sets the flag for
// the guard's lifetime.
class ReentryGuard {
 public:
  explicit ReentryGuard(int16_t& flag, int16_t value = 1) : flag_(flag), value_(value) {}
  ~ReentryGuard() {
    if (entered_) flag_ = 0;
  }
  bool Enter() {
    if (flag_ != 0) return false;
    flag_ = value_;
    entered_ = true;
    return true;
  }
  ReentryGuard(const ReentryGuard&) = delete;
  ReentryGuard& operator=(const ReentryGuard&) = delete;

 private:
  int16_t& flag_;
  int16_t value_;
  bool entered_ = false;
};
