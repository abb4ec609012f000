// The day calendar in a bare host window: the picture it draws (read back
// from the picture box's retained image) and how it answers the mouse, the
// keys and the spinner.
#include <gtest/gtest.h>

#include <QFrame>
#include <QMouseEvent>
#include <QTest>
#include <set>

#include "calendar/CalendarHost.h"
#include "calendar/PeriodCalender.h"
#include "platform/Screen.h"
#include "support/GuiTest.h"

namespace {

constexpr QRgb kPale = RGB(255, 255, 225);
constexpr QRgb kRed = RGB(255, 0, 0);
constexpr QRgb kBlue = RGB(0, 0, 255);
constexpr QRgb kBlack = RGB(0, 0, 0);
constexpr QRgb kGrey = RGB(200, 200, 200);
constexpr QRgb kGreen = RGB(0, 255, 0);

struct Date {
  int y, m, d;
  bool operator==(const Date&) const = default;
};
void PrintTo(const Date& d, std::ostream* os) { *os << d.y << "-" << d.m << "-" << d.d; }
Date Cal() { return {CalYear, CalMonth, CalDay}; }
Date Cur() { return {CurYear, CurMonth, CurDay}; }

class DayCalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TwipsPerPixelX = TwipsPerPixelY = 15.0f;
    Busy = 0;
    CalendarOpen = 0;
    SetCur(2001, 5, 6);
    host.ShowActive();
  }
  void TearDown() override { host.hide(); }

  static void SetCur(int y, int m, int d) {
    CurYear = static_cast<int16_t>(y);
    CurMonth = static_cast<int16_t>(m);
    CurDay = static_cast<int16_t>(d);
  }
  void Open(int y, int m, int d) {
    SetCur(y, m, d);
    host.cmdCalender->click();
    ASSERT_TRUE(host.pctCalender->isVisible());
    ASSERT_TRUE(host.pctCalender->hasFocus());
  }
  bool IsOpen() const { return host.pctCalender->isVisible(); }
  PictureBox& pct() { return *host.pctCalender; }

  void Mouse(QEvent::Type type, int px, int py) {
    QPointF p(px, py);
    QMouseEvent e(type, p, pct().mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&pct(), &e);
  }
  void Click(int px, int py) {
    Mouse(QEvent::MouseButtonPress, px, py);
    Mouse(QEvent::MouseButtonRelease, px, py);
  }
  void Move(int px, int py) { Mouse(QEvent::MouseMove, px, py); }
  // The pixel centre of an arrow.
  static QPoint ArrowAt(int arrow) {
    static const QPoint at[] = {{}, {9, 14}, {21, 14}, {31, 14}, {208, 14}, {218, 14}, {230, 14}};
    return at[arrow];
  }
  void ClickArrow(int arrow) { Click(ArrowAt(arrow).x(), ArrowAt(arrow).y()); }
  // The cell that shows a code, in pixels (inside the cell, right of its text origin).
  static QPoint CellOf(int code) {
    for (int r = 0; r <= 5; ++r)
      for (int c = 0; c <= 6; ++c)
        if (CalCell(c, r, 2) == code) return {8 + 34 * c + 6, 48 + 20 * r + 6};
    ADD_FAILURE() << "no cell shows " << code;
    return {};
  }
  void ClickCell(int code) {
    QPoint p = CellOf(code);
    Click(p.x(), p.y());
  }
  void Key(Qt::Key key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&pct(), &e);
  }
  // Colours found in a pixel rectangle (inclusive).
  std::set<QRgb> ColoursIn(int l, int t, int r, int b) {
    std::set<QRgb> s;
    for (int y = t; y <= b; ++y)
      for (int x = l; x <= r; ++x) s.insert(pct().PixelAt(x, y));
    return s;
  }

  MessageBoxes boxes;
  CalendarTestHost host;
};

// --- The picture ------------------------------------------------------------

TEST_F(DayCalendarTest, ArrowsInTheirColoursAndTheHoveredOneBlue) {
  Open(2001, 5, 6);
  EXPECT_EQ(pct().Image().size(), QSize(240, 200));
  EXPECT_EQ(pct().PixelAt(0, 0), kPale);
  EXPECT_EQ(pct().PixelAt(239, 199), kPale);
  struct Arrow {
    int n;
    QRect box;  // every triangle of the arrow lies in here
    QPoint tip, back;
    QRgb colour;
  };
  const Arrow arrows[] = {
      {1, QRect(QPoint(4, 4), QPoint(14, 24)), {4, 14}, {14, 4}, RGB(255, 0, 0)},
      {2, QRect(QPoint(17, 6), QPoint(25, 22)), {17, 14}, {25, 6}, RGB(255, 128, 128)},
      {3, QRect(QPoint(28, 8), QPoint(34, 20)), {28, 14}, {34, 20}, RGB(255, 168, 168)},
      {4, QRect(QPoint(205, 8), QPoint(211, 20)), {211, 14}, {205, 8}, RGB(255, 168, 168)},
      {5, QRect(QPoint(214, 6), QPoint(222, 22)), {222, 14}, {214, 22}, RGB(255, 128, 128)},
      {6, QRect(QPoint(225, 4), QPoint(235, 24)), {235, 14}, {225, 24}, RGB(255, 0, 0)},
  };
  auto check = [&](int hover) {
    for (const Arrow& a : arrows) {
      QRgb want = a.n == hover ? kBlue : a.colour;
      SCOPED_TRACE(a.n);
      EXPECT_EQ(pct().PixelAt(a.tip.x(), a.tip.y()), want);
      EXPECT_EQ(pct().PixelAt(a.back.x(), a.back.y()), want);
      EXPECT_EQ(ColoursIn(a.box.left(), a.box.top(), a.box.right(), a.box.bottom()), (std::set<QRgb>{kPale, want}));
      // Nothing of the arrow outside its box.
      EXPECT_EQ(pct().PixelAt(a.box.left() - 1, 14), kPale);
      EXPECT_EQ(pct().PixelAt(a.box.right() + 1, 14), kPale);
    }
  };
  check(0);
  Move(218, 14);
  EXPECT_EQ(CalHover, 5);
  check(5);
  Move(9, 14);
  check(1);
  // Over a day cell nothing is redrawn: the last highlight stays.
  Move(CellOf(215).x(), CellOf(215).y());
  EXPECT_EQ(CalHover, 215);
  check(1);
  Move(120, 190);  // blank area
  check(0);
  // Clicking an arrow removes the highlight though the pointer stays on it.
  Move(218, 14);
  ClickArrow(5);
  check(0);
}

TEST_F(DayCalendarTest, HeaderTitleAndFooter) {
  Open(2001, 5, 6);
  // Sunday red, Saturday blue, the other names black.
  EXPECT_EQ(ColoursIn(10, 30, 27, 46), (std::set<QRgb>{kPale, kRed}));
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(ColoursIn(10 + 34 * c, 30, 27 + 34 * c, 46), (std::set<QRgb>{kPale, kBlack}));
  EXPECT_EQ(ColoursIn(214, 30, 231, 46), (std::set<QRgb>{kPale, kBlue}));
  // The title at (76, 6) in blue, between the arrows.
  EXPECT_TRUE(ColoursIn(76, 6, 200, 24).count(kBlue));
  EXPECT_EQ(ColoursIn(36, 0, 75, 28), std::set<QRgb>{kPale});
  // The footer at (50, 175), larger than the 12-point text.
  std::set<QRgb> footer = ColoursIn(50, 175, 239, 199);
  EXPECT_EQ(footer, (std::set<QRgb>{kPale, kBlue}));
  EXPECT_EQ(ColoursIn(0, 170, 49, 199), std::set<QRgb>{kPale});
  EXPECT_EQ(ColoursIn(0, 169, 239, 174), std::set<QRgb>{kPale});
  // The font size is back to 12 for whatever is printed next.
  EXPECT_EQ(pct().FontSize(), 12);
}

TEST_F(DayCalendarTest, MonthStartingOnSundayHasNoGreyCells) {
  Open(2001, 4, 10);  // 1 April 2001 is a Sunday
  EXPECT_EQ(CalCell(0, 0, 2), 201);
  EXPECT_EQ(CalCell(0, 0, 0), 8 * 15);
  EXPECT_EQ(CalCell(0, 0, 1), 48 * 15);
  EXPECT_FALSE(ColoursIn(0, 48, 239, 66).count(kGrey));
  // 30 April is a Monday: the rest of row 4 is May 1..5, row 5 stays empty.
  EXPECT_EQ(CalLastRow, 4);
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(CalCell(c, 4, 2), 301 + c - 2);
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(CalCell(c, 5, 2), 0);
  EXPECT_EQ(ColoursIn(0, 148, 239, 168), std::set<QRgb>{kPale});
}

TEST_F(DayCalendarTest, MonthEndingOnSaturdayShowsAWholeRowOfTheNextMonth) {
  Open(2001, 3, 15);  // 31 March 2001 is a Saturday
  EXPECT_EQ(CalCell(4, 0, 2), 201);                            // 1 March, a Thursday
  for (int c = 0; c <= 3; ++c) EXPECT_EQ(CalCell(c, 0, 2), 125 + c);  // 25..28 February
  EXPECT_EQ(CalCell(6, 4, 2), 231);
  EXPECT_EQ(CalLastRow, 5);
  for (int c = 0; c <= 6; ++c) {
    EXPECT_EQ(CalCell(c, 5, 2), 301 + c);
    EXPECT_EQ(CalCell(c, 5, 0), (8 + 34 * c) * 15);
    EXPECT_EQ(CalCell(c, 5, 1), 148 * 15);
  }
  EXPECT_EQ(ColoursIn(0, 148, 239, 166), (std::set<QRgb>{kPale, kGrey}));
  // Day colours by column: Sunday red, Saturday blue, weekdays black.
  EXPECT_TRUE(ColoursIn(8, 68, 26, 84).count(kRed));
  EXPECT_TRUE(ColoursIn(212, 68, 230, 84).count(kBlue));
  EXPECT_TRUE(ColoursIn(110, 68, 128, 84).count(kBlack));
}

TEST_F(DayCalendarTest, SelectionFrameSurroundsTheChosenDay) {
  Open(2001, 5, 6);  // 1 May 2001 is a Tuesday: the 6th is column 0 of row 1
  ASSERT_EQ(CalCell(0, 1, 2), 206);
  const int x = 8, y = 68;
  for (QPoint p : {QPoint(x - 2, y - 2), QPoint(x + 18, y + 18), QPoint(x - 2, y + 18), QPoint(x + 18, y - 2),
                   QPoint(x - 1, y - 1), QPoint(x + 17, y + 17), QPoint(x + 8, y - 2), QPoint(x + 8, y + 17),
                   QPoint(x - 1, y + 8)})
    EXPECT_EQ(pct().PixelAt(p.x(), p.y()), kGreen) << p.x() << "," << p.y();
  EXPECT_NE(pct().PixelAt(x - 3, y + 8), kGreen);
  EXPECT_NE(pct().PixelAt(x + 19, y + 8), kGreen);
  EXPECT_NE(pct().PixelAt(x, y), kGreen);
  // Only one day is framed.
  int green = 0;
  for (int py = 0; py < 200; ++py)
    for (int px = 0; px < 240; ++px) green += pct().PixelAt(px, py) == kGreen;
  EXPECT_EQ(green, 4 * 20 + 4 * 18);
}

// --- The mouse ---------------------------------------------------------------

TEST_F(DayCalendarTest, ArrowsMoveTheCalendarDateOnly) {
  struct Case {
    int arrow;
    Date from, to;
  };
  const Case cases[] = {
      {1, {2001, 5, 6}, {2000, 5, 6}},   {2, {2001, 5, 6}, {2001, 4, 6}},   {3, {2001, 5, 6}, {2001, 5, 5}},
      {4, {2001, 5, 6}, {2001, 5, 7}},   {5, {2001, 5, 6}, {2001, 6, 6}},   {6, {2001, 5, 6}, {2002, 5, 6}},
      {2, {2001, 1, 15}, {2000, 12, 15}}, {5, {2001, 12, 15}, {2002, 1, 15}}, {3, {2001, 3, 1}, {2001, 2, 28}},
      {3, {2001, 1, 1}, {2000, 12, 31}},  {4, {2001, 12, 31}, {2002, 1, 1}},  {4, {2000, 2, 28}, {2000, 2, 29}},
      {5, {2001, 1, 31}, {2001, 2, 28}},  {5, {2000, 1, 31}, {2000, 2, 29}},  {6, {2000, 2, 29}, {2001, 2, 28}},
      {2, {2001, 3, 31}, {2001, 2, 28}},  {1, {2004, 2, 29}, {2003, 2, 28}},
      // The ends of the tables.
      {1, {1999, 5, 6}, {1999, 5, 6}},   {2, {1999, 1, 20}, {1999, 1, 20}}, {3, {1999, 1, 1}, {1999, 1, 1}},
      {4, {2030, 12, 31}, {2030, 12, 31}}, {5, {2030, 12, 20}, {2030, 12, 20}}, {6, {2030, 5, 6}, {2030, 5, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "arrow " << c.arrow << " from " << c.from.y << "-" << c.from.m << "-" << c.from.d);
    Open(c.from.y, c.from.m, c.from.d);
    ClickArrow(c.arrow);
    EXPECT_EQ(Cal(), c.to);
    EXPECT_EQ(Cur(), c.from);
    EXPECT_TRUE(IsOpen());
    host.cmdCalender->setFocus();  // close again
    EXPECT_FALSE(IsOpen());
  }
}

TEST_F(DayCalendarTest, GreyDayShowsItsMonthAndASecondClickPicks) {
  Open(2001, 5, 6);
  host.refreshes.clear();
  ClickCell(130);  // 30 April, grey in May's first row
  EXPECT_TRUE(IsOpen());
  EXPECT_TRUE(pct().hasFocus());
  EXPECT_EQ(Cal(), (Date{2001, 4, 30}));
  EXPECT_EQ(Cur(), (Date{2001, 5, 6}));
  EXPECT_TRUE(host.refreshes.empty());
  ClickCell(230);  // the same day, now in its own month
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Cur(), (Date{2001, 4, 30}));
  EXPECT_EQ(host.txtCalender->text(), "2001/04/30");
  ASSERT_EQ(host.refreshes.size(), 1u);
  EXPECT_EQ(host.refreshes[0].day, 30);
  EXPECT_TRUE(host.cmdCalender->hasFocus());

  // A grey day of the following month, across the year's end.
  Open(2001, 12, 20);
  ClickCell(305);
  EXPECT_EQ(Cal(), (Date{2002, 1, 5}));
  EXPECT_TRUE(IsOpen());
  // Picking with the right button picks as well.
  QPoint p = CellOf(207);
  QMouseEvent e(QEvent::MouseButtonRelease, QPointF(p), pct().mapToGlobal(QPointF(p)), Qt::RightButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(&pct(), &e);
  EXPECT_EQ(Cur(), (Date{2002, 1, 7}));
}

TEST_F(DayCalendarTest, GreyDaysBeyondTheTablesDoNothing) {
  Open(1999, 1, 10);
  ASSERT_EQ(CalCell(0, 0, 2), 127);  // 27 December 1998
  QImage before = pct().Image();
  ClickCell(127);
  EXPECT_EQ(Cal(), (Date{1999, 1, 10}));
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(pct().Image(), before);

  Open(2030, 12, 10);
  ClickCell(301);  // 1 January 2031
  EXPECT_EQ(Cal(), (Date{2030, 12, 10}));
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(Cur(), (Date{2030, 12, 10}));
}

TEST_F(DayCalendarTest, HitTestBounds) {
  Open(2001, 4, 10);  // rows 0..4 used
  auto hit = [](double px, double py) { return CalenderHitTest(static_cast<float>(px * 15), static_cast<float>(py * 15)); };
  // Arrow regions have strict bounds.
  EXPECT_EQ(hit(3, 14), 0);
  EXPECT_EQ(hit(4, 14), 1);
  EXPECT_EQ(hit(14, 24), 1);
  EXPECT_EQ(hit(15, 14), 0);
  EXPECT_EQ(hit(16, 14), 0);
  EXPECT_EQ(hit(17, 14), 2);
  EXPECT_EQ(hit(27, 14), 0);
  EXPECT_EQ(hit(34, 20), 3);
  EXPECT_EQ(hit(204, 14), 0);
  EXPECT_EQ(hit(205, 14), 4);
  EXPECT_EQ(hit(223, 14), 0);
  EXPECT_EQ(hit(235, 24), 6);
  EXPECT_EQ(hit(236, 14), 0);
  EXPECT_EQ(hit(9, 25), 0);
  // The grid's bounds are inclusive.
  EXPECT_EQ(hit(6, 46), 201);
  EXPECT_EQ(hit(230, 46), 207);
  EXPECT_EQ(hit(231, 46), 0);
  EXPECT_EQ(hit(5, 46), 0);
  EXPECT_EQ(hit(100, 45), 0);
  EXPECT_EQ(hit(6, 145), 229);  // 29 April: column 0 of row 4
  EXPECT_EQ(hit(6, 146), 0);    // row 5 is empty in April 2001
  EXPECT_EQ(hit(100, 169), 0);
  Open(2001, 3, 10);
  EXPECT_EQ(hit(230, 165), 307);  // the extra row of April days
  EXPECT_EQ(hit(230, 166), 0);    // a seventh row does not exist
  EXPECT_EQ(hit(230, 168), 0);
}

TEST_F(DayCalendarTest, ClickingElsewhereClosesWithoutChangingTheDate) {
  Open(2001, 5, 6);
  ClickArrow(5);
  QPointF p(10, 300);  // the window's background
  QMouseEvent press(QEvent::MouseButtonPress, p, host.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&host, &press);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Cur(), (Date{2001, 5, 6}));
  EXPECT_EQ(host.txtCalender->text(), "2001/05/06");
}

// --- Keys ----------------------------------------------------------------------

// Both calendars answer the same keys; the period calendar picks its ends with Enter.
TEST_F(DayCalendarTest, BothCalendarsBrowseAndPickFromTheKeyboard) {
  struct PeriodHost : PeriodCalenderHost {
    std::vector<bool> picked;  // at each closing
    void pctCalender2_LostFocus() override { pctCalender2->hide(), picked.push_back(PeriodPicked); }
  } period;
  period.MakePeriodCalender(&host);
  period.cmdCalender2->show();
  period.ConnectPeriodCalender();
  auto keys = [](QWidget* w, std::vector<Qt::Key> ks) { for (Qt::Key k : ks) QTest::keyClick(w, k); };
  const std::tuple<Date, std::vector<Qt::Key>, Date> cases[] = {
      {{2001, 3, 1}, {Qt::Key_Up}, {2001, 2, 22}},         {{2001, 3, 1}, {Qt::Key_Down, Qt::Key_Right}, {2001, 3, 9}},
      {{2001, 1, 31}, {Qt::Key_PageDown}, {2001, 2, 28}},  {{2001, 1, 15}, {Qt::Key_PageUp}, {2000, 12, 15}},
      {{2000, 2, 10}, {Qt::Key_End}, {2000, 2, 29}},       {{2001, 5, 6}, {Qt::Key_Home, Qt::Key_Left}, {2001, 4, 30}},
      {{1999, 1, 5}, {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_A}, {1999, 1, 5}},  // the tables' ends hold
      {{2030, 12, 28}, {Qt::Key_Down, Qt::Key_PageDown}, {2030, 12, 28}}};
  for (const auto& [from, ks, to] : cases)
    for (bool day : {true, false}) {
      SetCur(from.y, from.m, from.d);
      PictureBox* surface = day ? host.pctCalender.data() : period.pctCalender2.data();
      (day ? host.cmdCalender : period.cmdCalender2)->click();
      keys(surface, ks);
      EXPECT_EQ(Cal(), to) << (day ? "day" : "period");
      keys(surface, {Qt::Key_Escape});  // closes without picking
      EXPECT_TRUE(surface->isHidden() && Cur() == from);
    }
  EXPECT_EQ(period.picked, std::vector<bool>(std::size(cases), false));
  Open(2001, 3, 1);
  keys(&pct(), {Qt::Key_PageDown, Qt::Key_End, Qt::Key_Return});
  EXPECT_EQ(host.txtCalender->text(), "2001/04/30");
  period.cmdCalender2->click();
  keys(period.pctCalender2, {Qt::Key_Down, Qt::Key_Return, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Return});
  EXPECT_EQ(period.picked.back(), true);
  EXPECT_TRUE(PeriodFrom == (YearMonthDay{2001, 5, 7}) && PeriodTo == (YearMonthDay{2001, 6, 1}));
}

TEST_F(DayCalendarTest, EscAfterBrowsingKeepsTheCurrentDate) {
  Open(2001, 5, 6);
  ClickArrow(5);
  ClickArrow(5);
  host.refreshes.clear();
  Key(Qt::Key_Escape);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Cur(), (Date{2001, 5, 6}));
  EXPECT_EQ(host.txtCalender->text(), "2001/05/06");
  ASSERT_EQ(host.refreshes.size(), 1u);
  EXPECT_EQ(host.refreshes[0].busy, 1);  // the host refreshed under Busy
  EXPECT_EQ(Busy, 0);
}

// --- The spinner -----------------------------------------------------------------

TEST_F(DayCalendarTest, SpinnerStepsTheCurrentDate) {
  struct Case {
    Date from;
    int value;
    Date to;
    const char* text;
  };
  const Case cases[] = {
      {{2001, 3, 1}, 0, {2001, 2, 28}, "2001/02/28"}, {{2001, 12, 31}, 2, {2002, 1, 1}, "2002/01/01"},
      {{2001, 1, 1}, 0, {2000, 12, 31}, "2000/12/31"}, {{2000, 2, 28}, 2, {2000, 2, 29}, "2000/02/29"},
      {{2001, 5, 6}, 2, {2001, 5, 7}, "2001/05/07"},   {{2001, 5, 6}, 0, {2001, 5, 5}, "2001/05/05"},
      {{1999, 1, 1}, 0, {1999, 1, 1}, "1999/01/01"},   {{2030, 12, 31}, 2, {2030, 12, 31}, "2030/12/31"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SetCur(c.from.y, c.from.m, c.from.d);
    CalYear = 2010, CalMonth = 7, CalDay = 7;
    host.refreshes.clear();
    host.vscCalender->setValue(c.value);
    EXPECT_EQ(Cur(), c.to);
    EXPECT_EQ(host.txtCalender->text(), c.text);
    EXPECT_EQ(host.vscCalender->value(), 1);
    // Once for the step; the spinner's return to 1 moves nothing and loads
    // nothing (a day that cannot be shown would be reported twice).
    EXPECT_EQ(host.refreshes.size(), 1u);
    EXPECT_EQ(Cal(), (Date{2010, 7, 7}));
    EXPECT_FALSE(IsOpen());
  }
}

// --- Opening ---------------------------------------------------------------------

TEST_F(DayCalendarTest, OpensUnderTheButtonAlignedAsTheHostSays) {
  Open(2001, 5, 6);
  QRect b = host.cmdCalender->geometry();
  EXPECT_EQ(pct().geometry(), QRect(b.right() + 1 - 240, b.bottom() + 1, 240, 200));

  // Left-aligned, with the button inside a frame.
  host.cmdCalender->setFocus();
  CalendarTestHost left(CalenderHost::kAlignLeft);
  auto* frame = new QFrame(&left);
  frame->setGeometry(30, 40, 200, 60);
  left.cmdCalender->setParent(frame);
  left.cmdCalender->setGeometry(10, 5, 80, 22);
  left.ShowActive();
  left.cmdCalender->click();
  EXPECT_EQ(left.pctCalender->geometry(), QRect(40, 67, 240, 200));
  EXPECT_TRUE(left.pctCalender->isVisible());
  // Shown before drawn or drawn before shown: the same picture on screen.
  QImage onScreen = left.pctCalender->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(onScreen, left.pctCalender->Image());
}

TEST_F(DayCalendarTest, OpenToggleOfTheMarketPriceWindow) {
  host.useOpenToggle = true;
  host.cmdCalender->click();
  EXPECT_TRUE(IsOpen());
  EXPECT_NE(CalendarOpen, 0);
  host.cmdCalender->setFocus();  // focus loss closes and clears the toggle
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(CalendarOpen, 0);
  CalendarOpen = -1;  // the calendar never got the focus
  host.cmdCalender->click();
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(CalendarOpen, 0);
}

}  // namespace
