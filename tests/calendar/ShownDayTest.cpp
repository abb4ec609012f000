// The shown day of a calendar host: edits land in the day the window shows,
// even after another window moved the shared date, and the window catches up
// when it is activated again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <map>
#include <ostream>
#include <tuple>

#include "calendar/modCalender.h"
#include "store/Store.h"
#include "support/GuiTest.h"

static void PrintTo(const YearMonthDay& d, std::ostream* os) { *os << d.Year << "-" << d.Month << "-" << d.Day; }

namespace {

// A record window in miniature: one value per day, shown in one field.
class ValueHost : public QWidget, public CalenderHost {
 public:
  ValueHost() {
    MakeCalenderControls(this);
    ConnectCalender();
  }
  void RefreshForCurrentDate() override {
    ++refreshes;
    field = values[CurrentDate()];
    WriteCalenderText(*this);
    MarkShown();
  }
  // A change handler: stores into the day on screen.
  void Edit(int v) {
    field = v;
    values[EditDate()] = v;
  }
  void Activate() {
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(this, &e);
  }

  struct Less {
    bool operator()(const YearMonthDay& a, const YearMonthDay& b) const {
      return std::tie(a.Year, a.Month, a.Day) < std::tie(b.Year, b.Month, b.Day);
    }
  };
  std::map<YearMonthDay, int, Less> values;
  int field = 0;
  int refreshes = 0;
};

YearMonthDay Day(int d) { return {2001, 5, static_cast<int16_t>(d)}; }

class ShownDayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Busy = 0;
    SetCurrentDate(Day(6));
  }
  void TearDown() override { Busy = 0; }
  ValueHost host;
};

}  // namespace

TEST_F(ShownDayTest, EditsGoIntoTheShownDayUntilTheWindowIsActivatedAgain) {
  host.values[Day(9)] = 90;
  host.RefreshForCurrentDate();
  EXPECT_EQ(host.EditDate(), Day(6));

  SetCurrentDate(Day(9));  // another window's calendar
  host.Edit(7);
  EXPECT_EQ(host.values[Day(6)], 7);
  EXPECT_EQ(host.values[Day(9)], 90);

  host.Activate();
  EXPECT_EQ(host.refreshes, 2);
  EXPECT_EQ(host.field, 90);
  EXPECT_EQ(host.txtCalender->text(), QStringLiteral("2001/05/09"));
  host.Edit(91);
  EXPECT_EQ(host.values[Day(9)], 91);
  EXPECT_EQ(host.values[Day(6)], 7);

  // Nothing moved: activation leaves the fields alone.
  host.Activate();
  EXPECT_EQ(host.refreshes, 2);
}

TEST_F(ShownDayTest, NoCatchUpBeforeADayIsShownWhileBusyOrWhenTheHostKeepsItsDay) {
  // Nothing loaded yet: edits follow the current date, activation loads nothing.
  host.Activate();
  EXPECT_EQ(host.refreshes, 0);
  SetCurrentDate(Day(8));
  EXPECT_EQ(host.EditDate(), Day(8));

  host.RefreshForCurrentDate();
  SetCurrentDate(Day(10));
  Busy = 1;  // something is filling controls: no reload now
  host.Activate();
  EXPECT_EQ(host.refreshes, 1);
  EXPECT_EQ(host.EditDate(), Day(8));
  Busy = 0;

  // A host that keeps its day until its own calendar moves it.
  host.catchUpWhenActivated = false;
  host.Activate();
  EXPECT_EQ(host.refreshes, 1);
  EXPECT_EQ(host.EditDate(), Day(8));
  host.catchUpWhenActivated = true;
  host.Activate();
  EXPECT_EQ(host.refreshes, 2);
  EXPECT_EQ(host.EditDate(), Day(10));

  // A load that failed half-way shows no day: edits go to the current date.
  host.ForgetShown();
  SetCurrentDate(Day(11));
  host.Activate();
  EXPECT_EQ(host.refreshes, 2);
  EXPECT_EQ(host.EditDate(), Day(11));
}

TEST_F(ShownDayTest, TheSpinnerAndTheCalendarMarkTheDayTheyLoad) {
  host.RefreshForCurrentDate();
  host.vscCalender->setValue(2);  // one day on
  EXPECT_EQ(CurrentDate(), Day(7));
  EXPECT_EQ(host.EditDate(), Day(7));
  host.Edit(70);
  EXPECT_EQ(host.values[Day(7)], 70);
  EXPECT_EQ(host.values[Day(6)], 0);
}

TEST(CalenderDateText, YearWithTwoDigitMonthAndDay) {
  EXPECT_EQ(CalenderDateText(2001, 5, 6), QStringLiteral("2001/05/06"));
  EXPECT_EQ(CalenderDateText(2030, 12, 31), QStringLiteral("2030/12/31"));
  EXPECT_EQ(CalenderDateText(1999, 1, 10), QStringLiteral("1999/01/10"));
}
