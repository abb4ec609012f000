// The period calendar in a bare host window: left and right clicks, the two
// frames read back from the retained image, grey days, and a selection that
// is closed half-way and continued.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <utility>
#include <vector>

#include "calendar/PeriodCalender.h"
#include "platform/Screen.h"
#include "support/GuiTest.h"

// Readable dates in failures (found by argument lookup in the global namespace).
static void PrintTo(const YearMonthDay& d, std::ostream* os) { *os << d.Year << "-" << d.Month << "-" << d.Day; }

namespace {

constexpr QRgb kGreen = RGB(0, 255, 0);
constexpr QRgb kRed = RGB(255, 0, 0);
constexpr QRgb kPale = RGB(255, 255, 225);

// Records every closing with the ends it would apply.
class PeriodTestHost : public QWidget, public PeriodCalenderHost {
 public:
  PeriodTestHost() {
    resize(520, 320);
    MakePeriodCalender(this);
    cmdCalender2->setGeometry(320, 20, 80, 22);
    other = new QPushButton(QStringLiteral("他"), this);
    other->setGeometry(20, 20, 60, 22);
    ConnectPeriodCalender();
  }
  void pctCalender2_LostFocus() override {
    pctCalender2->hide();
    CalendarOpen = 0;
    applied.emplace_back(PeriodFrom, PeriodTo);
  }
  QPushButton* other = nullptr;
  std::vector<std::pair<YearMonthDay, YearMonthDay>> applied;
};

class PeriodCalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TwipsPerPixelX = TwipsPerPixelY = 15.0f;
    CalendarOpen = 0;
    PeriodState = 0;
    CurYear = 2001, CurMonth = 5, CurDay = 6;
    PeriodFrom = PeriodTo = {2001, 5, 6};
    host.show();
    QApplication::setActiveWindow(&host);
    host.activateWindow();
    QApplication::processEvents();
  }

  PictureBox& pct() { return *host.pctCalender2; }
  bool IsOpen() { return pct().isVisible(); }
  void Open() {
    host.cmdCalender2->click();
    ASSERT_TRUE(IsOpen());
    ASSERT_TRUE(pct().hasFocus());
  }
  // Pixel origin of the cell that shows a code.
  static QPoint CellOf(int code) {
    for (int r = 0; r <= 5; ++r)
      for (int c = 0; c <= 6; ++c)
        if (CalCell(c, r, 2) == code) return {8 + 34 * c, 48 + 20 * r};
    ADD_FAILURE() << "no cell shows " << code;
    return {};
  }
  void ClickAt(QPoint p, Qt::MouseButton b) {
    QPointF at(p);
    QMouseEvent press(QEvent::MouseButtonPress, at, pct().mapToGlobal(at), b, b, Qt::NoModifier);
    QApplication::sendEvent(&pct(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, pct().mapToGlobal(at), b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&pct(), &release);
  }
  void Left(int code) { ClickAt(CellOf(code) + QPoint(6, 6), Qt::LeftButton); }
  void Right(int code) { ClickAt(CellOf(code) + QPoint(6, 6), Qt::RightButton); }
  void NextMonth() { ClickAt({218, 14}, Qt::LeftButton); }
  void NextYear() { ClickAt({230, 14}, Qt::LeftButton); }
  // Colour of the outer frame line left of a day's cell (pale when unframed).
  QRgb FrameAt(int code) {
    QPoint o = CellOf(code);
    return pct().PixelAt(o.x() - 2, o.y() + 8);
  }

  MessageBoxes boxes;
  PeriodTestHost host;
};

TEST_F(PeriodCalendarTest, LeftAndRightInEitherOrderCompleteCloseAndApply) {
  Open();
  EXPECT_EQ(FrameAt(206), kRed) << "start and end are today: red over green";
  EXPECT_EQ(CalDay, 6);

  Left(210);
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(PeriodState, 1);
  EXPECT_EQ(FrameAt(210), kGreen);
  EXPECT_EQ(FrameAt(206), kRed) << "the old end stays framed";
  Right(220);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(PeriodState, 0);
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_EQ(host.applied[0].first, (YearMonthDay{2001, 5, 10}));
  EXPECT_EQ(host.applied[0].second, (YearMonthDay{2001, 5, 20}));

  PeriodFrom = PeriodTo = {2001, 5, 6};
  Open();
  Right(220);
  EXPECT_EQ(PeriodState, 2);
  EXPECT_EQ(FrameAt(220), kRed);
  EXPECT_EQ(CalDay, 6) << "the end does not move the calendar date";
  Left(210);
  EXPECT_FALSE(IsOpen());
  ASSERT_EQ(host.applied.size(), 2u);
  EXPECT_EQ(host.applied[1], host.applied[0]);
}

TEST_F(PeriodCalendarTest, RepeatedClicksMoveOneEndAndTheSameDayShowsRedOverGreen) {
  PeriodTo = {2001, 5, 15};
  Open();
  Left(210);
  Left(212);
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(PeriodState, 1);
  EXPECT_EQ(PeriodFrom, (YearMonthDay{2001, 5, 12}));
  EXPECT_EQ(FrameAt(210), kPale);
  EXPECT_EQ(FrameAt(212), kGreen);
  Left(215);
  EXPECT_EQ(FrameAt(215), kRed);
  EXPECT_EQ(pct().PixelAt(CellOf(215).x() - 1, CellOf(215).y() + 8), kRed) << "both outlines";
  EXPECT_TRUE(host.applied.empty());
}

TEST_F(PeriodCalendarTest, GreyDaysMoveWithTheLeftButtonOnlyAndNeverLeaveTheTables) {
  Open();  // May 2001 begins on a Tuesday: 29 and 30 April are grey
  Right(130);
  EXPECT_EQ(CalMonth, 5);
  EXPECT_EQ(PeriodTo, (YearMonthDay{2001, 5, 6}));
  EXPECT_EQ(PeriodState, 0);
  EXPECT_TRUE(IsOpen());

  Left(130);
  EXPECT_EQ(CalMonth, 4);
  EXPECT_EQ(PeriodFrom, (YearMonthDay{2001, 4, 30}));
  EXPECT_EQ(PeriodState, 1);
  EXPECT_EQ(FrameAt(230), kGreen);

  // December 1998 has no records: a grey day there does nothing.
  pct().hide();
  host.applied.clear();
  PeriodState = 0;
  CurYear = 1999, CurMonth = 1, CurDay = 10;
  Open();
  const YearMonthDay before = PeriodFrom;
  Left(CalCell(0, 0, 2));
  EXPECT_EQ(CalYear, 1999);
  EXPECT_EQ(CalMonth, 1);
  EXPECT_EQ(PeriodFrom, before);
  EXPECT_EQ(PeriodState, 0);
}

TEST_F(PeriodCalendarTest, AStartKeptFromAnEarlierOpeningDoesNotCountInTheNext) {
  Open();
  Left(210);
  host.other->setFocus(Qt::MouseFocusReason);  // a click on another control
  EXPECT_FALSE(IsOpen());
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_EQ(host.applied[0].second, (YearMonthDay{2001, 5, 6})) << "the end kept from before";
  EXPECT_EQ(PeriodState, 1);

  Open();
  Right(225);
  Left(212);
  ASSERT_EQ(host.applied.size(), 2u);
  EXPECT_EQ(host.applied[1].first, (YearMonthDay{2001, 5, 12}));
  EXPECT_EQ(host.applied[1].second, (YearMonthDay{2001, 5, 25}));
}

TEST_F(PeriodCalendarTest, APeriodAcrossYearEndsIsPickedWithTheArrows) {
  CurMonth = 11;
  Open();
  Left(220);
  NextYear();
  for (int i = 0; i < 3; ++i) NextMonth();
  EXPECT_EQ(CalYear, 2003);
  EXPECT_EQ(CalMonth, 2);
  EXPECT_EQ(PeriodState, 1) << "arrows pick nothing";
  Right(210);
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_EQ(host.applied[0].first, (YearMonthDay{2001, 11, 20}));
  EXPECT_EQ(host.applied[0].second, (YearMonthDay{2003, 2, 10}));
}

}  // namespace
