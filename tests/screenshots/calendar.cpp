// The day calendar opened in a bare host window, for 6 May 2001, and again
// with the pointer on the next-month arrow.
#include <QApplication>
#include <QLineEdit>

#include "calendar/CalendarHost.h"
#include "screenshots/Screenshots.h"

namespace {

CalendarTestHost* OpenedHost() {
  auto* host = new CalendarTestHost;
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  WriteCalenderText(*host);
  host->ShowActive();
  host->cmdCalender->click();
  return host;
}

}  // namespace

SCREENSHOT(calendar) {
  CalendarTestHost* host = OpenedHost();
  QImage img = GrabWidget(host);
  delete host;
  return img;
}

SCREENSHOT(calendar_hover) {
  CalendarTestHost* host = OpenedHost();
  CalenderMouseMove(*host, 218 * 15.0f, 14 * 15.0f);
  QImage img = host->pctCalender->Image().scaled(480, 400);
  delete host;
  return img;
}
