#include "platform/EventYield.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include "store/Store.h"

namespace {
constexpr qint64 kYieldIntervalMs = 15;
}

void EventYield() {
  static QElapsedTimer since;
  // The readers step tens of thousands of times in a few milliseconds: the
  // clock is asked only every so many steps.
  static unsigned steps = 0;
  if (since.isValid() && (++steps % 64 != 0 || since.elapsed() < kYieldIntervalMs)) return;
  since.start();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void InstallEventYield() { YieldHook = &EventYield; }
