// The guards of the handler flags: whatever way a handler is left, its flag
// comes back, so that a failure never leaves Busy (or a hover or loading
// guard) set and every later edit silently dropped.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "store/ScopedFlag.h"

namespace {

void Fail() { throw std::runtime_error("handler failed"); }

}  // namespace

TEST(ScopedFlag, SetsForTheScopeAndGivesBackThePreviousValueAlsoOnAFailure) {
  int16_t busy = 0;
  {
    ScopedFlag outer(busy);
    EXPECT_EQ(busy, 1);
    {
      // A load inside a load (the calendar's Esc, a reload from the menu)
      // leaves the outer one's flag standing.
      ScopedFlag inner(busy);
      EXPECT_EQ(busy, 1);
    }
    EXPECT_EQ(busy, 1);
  }
  EXPECT_EQ(busy, 0);

  int16_t loading = 0;
  EXPECT_THROW(
      {
        ScopedFlag flag(loading, -1);
        EXPECT_EQ(loading, -1);
        Fail();
      },
      std::runtime_error);
  EXPECT_EQ(loading, 0);
}

TEST(ReentryGuard, KeepsAHandlerFromRunningInsideItselfAndClearsAfterAFailure) {
  int16_t rain = 0;
  int runs = 0;
  std::function<void(int)> handler = [&](int depth) {
    ReentryGuard guard(rain);
    if (!guard.Enter()) return;
    ++runs;
    EXPECT_EQ(rain, 1);
    if (depth == 0) handler(1);  // the change its own redraw lets through
    EXPECT_EQ(rain, 1);          // the refused inner call did not clear it
    if (depth == 0 && runs == 1) Fail();
  };
  EXPECT_THROW(handler(0), std::runtime_error);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(rain, 0);
  handler(2);  // the next change runs again
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(rain, 0);
}
