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
  if (since.isValid() && since.elapsed() < kYieldIntervalMs) return;
  since.start();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void InstallEventYield() { YieldHook = &EventYield; }
