#pragma once
// A loaded schedule window over three works and three places, its files in a
// temporary directory; message boxes are recorded and answered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "calendar/PeriodCalender.h"
#include "platform/ErrorReporter.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/WindowTest.h"

// Readable records in failures (found by argument lookup in the global namespace).
static inline void PrintTo(const SchedulePeriodRec& p, std::ostream* os) {
  *os << "{" << p.Start << ".." << p.End << " @" << int(p.Place) << "}";
}
static inline void PrintTo(const YearMonthDay& d, std::ostream* os) {
  *os << d.Year << "-" << d.Month << "-" << d.Day;
}

class ScheduleTest : public WindowTest<frmSchedule> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    FarmName.RedimPreserve(2);
    FarmName(0) = "東の畑", FarmName(1) = "西の畑", FarmName(2) = "ハウス";
    Schedule.RedimPreserve(2);
    Schedule(0).Work = "耕起", Schedule(1).Work = "播種", Schedule(2).Work = "収穫";
    CurYear = 2001, CurMonth = 5, CurDay = 6;
    PeriodFrom = PeriodTo = {2001, 5, 6};
    PeriodState = 0;
    CalendarOpen = PeriodCancel = 0;
    SelWork = SelEntry = SelPlace = 0;
    HoverWork = HoverEntry = -1;
  }
  // Loads the window and makes it the active one, as the menu bar shows it.
  void Load() {
    f = std::make_unique<frmSchedule>();
    f->Start();
    f->show();
    QApplication::setActiveWindow(f.get());
    f->activateWindow();
    QApplication::processEvents();
  }

  static SchedulePeriodRec& At(int work, int year, int entry) { return Schedule(work).SchedulePeriod(year)(entry); }
  static SchedulePeriodRec Period(int start, int end, int place = 0) {
    return {static_cast<int16_t>(start), static_cast<int16_t>(end), static_cast<uint8_t>(place)};
  }

  // Opens the period calendar, leaves from..to as its picked ends and
  // closes it by moving the focus to another control, which applies them.
  void Apply(YearMonthDay from, YearMonthDay to) {
    f->cmdCalender2->click();
    ASSERT_TRUE(f->pctCalender2->isVisible());
    ASSERT_TRUE(f->pctCalender2->hasFocus());
    PeriodFrom = from;
    PeriodTo = to;
    f->PeriodPicked = true;  // as a left and a right click on these days
    f->cmdSave->setFocus(Qt::MouseFocusReason);
    ASSERT_FALSE(f->pctCalender2->isVisible());
  }

  static void Pick(frmSchedule* w, int d, Qt::MouseButton b) {
    for (int i = 0; i < 42; ++i)
      if (CalCell(i % 7, i / 7, 2) == 200 + d) QTest::mouseClick(w->pctCalender2, b, {}, {14 + i % 7 * 34, 54 + i / 7 * 20});
  }

  // A press on a widget at a point of its own.
  static void Press(QWidget* w, QPoint at) {
    QPointF p(at);
    QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }

  const BarRectRec* BarRect(int work, int entry) const { return f->Chart.BarRect(work, entry); }
  // The middle of a drawn bar, in the chart's twips.
  QPointF MiddleOf(int work, int entry) const {
    const BarRectRec* r = BarRect(work, entry);
    if (!r) {
      ADD_FAILURE() << "no bar for " << work << "/" << entry;
      return {};
    }
    return {(r->Left + r->Right) / 2.0 * TwipsPerPixelX, (r->Top + r->Bottom) / 2.0 * TwipsPerPixelY};
  }
  void PointAt(QPointF twips) {
    f->pctGraph_MouseMove(0, 0, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
  }

  int Reports() const {
    int n = 0;
    for (auto& c : boxes.calls()) n += c.text.contains(QStringLiteral("ｴﾗｰｺｰﾄﾞ")) ? 1 : 0;
    return n;
  }
};
