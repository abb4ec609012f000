// The year chart read back from the picture box's retained image, its hit
// table, the hover read-out and the double-click selection.
#include <cmath>
#include <set>

#include "schedule/ScheduleFixture.h"

namespace {

constexpr QRgb kWhite = RGB(255, 255, 255);
constexpr QRgb kMonthLine = RGB(176, 255, 176);
constexpr QRgb kRowLine = RGB(0, 200, 0);

class ScheduleChartTest : public ScheduleTest {
 protected:
  // Day n of the year in chart pixels, as the bars are placed.
  int DayX(int n) const {
    return static_cast<int>(std::nearbyint(n * static_cast<double>(f->Chart.DayWidth) / TwipsPerPixelX));
  }
  // Bottom pixel row (exclusive) of work w's bars.
  int RowBottom(int w) const {
    return static_cast<int>(std::nearbyint((w + 1) * static_cast<double>(f->Chart.RowHeight) / TwipsPerPixelY));
  }
  void ScheduleHitTest(float x, float y, int16_t& w, int16_t& n) const { f->Chart.ScheduleHitTest(x, y, w, n); }
  QRgb Px(int x, int y) { return f->pctGraph->PixelAt(x, y); }
  // Colours in a pixel rectangle (right and bottom excluded).
  std::set<QRgb> ColoursIn(int l, int t, int r, int b) {
    std::set<QRgb> s;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) s.insert(Px(x, y));
    return s;
  }
};

TEST_F(ScheduleChartTest, LinesAndBarsLieOnTheirPixelsInTheirColours) {
  At(0, 2001, 3) = Period(101, 131);  // red
  At(1, 2001, 0) = Period(201, 210);  // black
  At(1, 2001, 10) = Period(301, 310);
  At(2, 2001, 5) = Period(415, 415);  // one day
  At(2, 2001, 7) = Period(601, 610);  // selected at load: highlighted
  SelWork = 2, SelEntry = 7;
  Load();
  ASSERT_GT(f->Chart.DayWidth, 0);
  ASSERT_EQ(f->Chart.ChartWidth, static_cast<int32_t>(std::nearbyint(f->pctGraph->ScaleWidth())));
  EXPECT_EQ(f->Chart.DayWidth, static_cast<int32_t>(std::nearbyint(f->Chart.ChartWidth / 365.0)));

  // January 1..31: one day width from the left edge up to the January line.
  const int top = RowBottom(0) - 20, bottom = RowBottom(0), mid = (top + bottom) / 2;
  EXPECT_EQ(ColoursIn(DayX(1), top, DayX(31), bottom), std::set<QRgb>{BarColor[3]});
  EXPECT_EQ(Px(DayX(31), mid), kMonthLine);
  EXPECT_NE(Px(DayX(1) - 1, mid), BarColor[3]);
  EXPECT_NE(Px(DayX(10), top - 1), BarColor[3]);
  EXPECT_NE(Px(DayX(10), bottom), BarColor[3]);
  const BarRectRec* r = BarRect(0, 3);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ((std::array{r->Left, r->Right, r->Top, r->Bottom}), (std::array{DayX(1), DayX(31), top, bottom}));

  EXPECT_EQ(Px(DayX(35), RowBottom(1) - 5), BarColor[0]);
  EXPECT_EQ(Px(DayX(63), RowBottom(1) - 5), BarColor[0]) << "entry 10 shares entry 0's colour";
  const int oneDay = DayX(DayOfYear(2001, 4, 15));
  EXPECT_EQ(Px(oneDay, RowBottom(2) - 5), BarColor[5]);
  EXPECT_NE(Px(oneDay + 1, RowBottom(2) - 5), BarColor[5]) << "a one-day bar is one pixel wide";
  EXPECT_NE(Px(oneDay - 1, RowBottom(2) - 5), BarColor[5]);
  EXPECT_EQ(Px(DayX(DayOfYear(2001, 6, 5)), RowBottom(2) - 5), kMarkColor);

  // Month lines on an empty row; the row lines counted from the bottom.
  const int emptyY = RowBottom(10) - 7;
  int x = 0;
  for (int m = 1; m <= 12; ++m) {
    x = static_cast<int>(
        std::nearbyint(x + DaysInMonth(2001, m) * static_cast<double>(f->Chart.DayWidth) / TwipsPerPixelX));
    if (x >= f->pctGraph->InnerSize().width()) break;
    EXPECT_EQ(Px(x, emptyY), kMonthLine) << m;
    EXPECT_EQ(Px(x - 1, emptyY), kWhite) << m;
  }
  for (int row : {1, 15, 29}) {
    const int y = static_cast<int>(
        std::nearbyint((f->Chart.ChartHeight - row * static_cast<double>(f->Chart.RowHeight)) / TwipsPerPixelY));
    EXPECT_EQ(Px(DayX(200) + 1, y), kRowLine) << row;
    EXPECT_EQ(Px(DayX(200) + 1, y + 2), kWhite) << row;
  }
}

TEST_F(ScheduleChartTest, PeriodsThatAreNoDatesAndWorksBeyondTheHitTableDrawWithoutErrors) {
  At(0, 2001, 0) = Period(229, 305);   // 29 February in a common year
  At(0, 2001, 1) = Period(1345, 1350);  // from an edited file
  Schedule.RedimPreserve(203);
  At(200, 2001, 0) = Period(501, 505);
  At(203, 2001, 0) = Period(501, 505);
  Load();
  EXPECT_EQ(BarRect(0, 0), nullptr);
  EXPECT_EQ(BarRect(0, 1), nullptr);
  const std::set<QRgb> row0 = ColoursIn(0, RowBottom(0) - 20, f->pctGraph->InnerSize().width(), RowBottom(0));
  for (QRgb c : row0) EXPECT_TRUE(c == kWhite || c == kMonthLine || c == kRowLine) << std::hex << c;
  ASSERT_NE(BarRect(200, 0), nullptr);
  EXPECT_EQ(BarRect(203, 0), nullptr);
  int16_t w, n;
  ScheduleHitTest(static_cast<float>((BarRect(200, 0)->Left + 1) * TwipsPerPixelX),
                  static_cast<float>((BarRect(200, 0)->Bottom - 1) * TwipsPerPixelY), w, n);
  EXPECT_EQ(w, 200);
  ScheduleHitTest(static_cast<float>((BarRect(200, 0)->Left + 1) * TwipsPerPixelX),
                  static_cast<float>((RowBottom(203) - 1) * TwipsPerPixelY), w, n);
  EXPECT_EQ(w, -1);
  f->RedrawChart();
  EXPECT_EQ(Reports(), 0);
}

TEST_F(ScheduleChartTest, PointingReadsOutABarAndADoubleClickSelectsIt) {
  At(1, 2001, 4) = Period(701, 720, 2);
  Load();
  PointAt(MiddleOf(1, 4));
  EXPECT_EQ(HoverWork, 1);
  EXPECT_EQ(HoverEntry, 4);
  EXPECT_EQ(f->txtDateFromD->text(), QStringLiteral("2001/07/01"));
  EXPECT_EQ(f->txtDateToD->text(), QStringLiteral("2001/07/20"));
  EXPECT_EQ(f->txtWorkD->text(), QStringLiteral("播種"));
  EXPECT_EQ(f->txtPlaceD->text(), QStringLiteral("ハウス"));
  PointAt({10, 10});
  EXPECT_EQ(HoverWork, -1);
  EXPECT_EQ(f->txtWorkD->text(), QStringLiteral("播種")) << "the read-out stays";

  PointAt(MiddleOf(1, 4));
  f->pctGraph_DblClick();
  EXPECT_EQ(SelWork, 1);
  EXPECT_EQ(SelEntry, 4);
  EXPECT_EQ(f->cmbWork->currentIndex(), 1);
  EXPECT_EQ(f->vscScheduleNumber->value(), 4);
  EXPECT_EQ(f->cmbPlace->currentIndex(), 2);
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/07/01"));
  EXPECT_FALSE(Changed(RecordKind::Schedule));
  EXPECT_EQ(f->Chart.MarkWork, 0) << "the highlight stays where it was at load";
  EXPECT_EQ(Busy, 0);

  // Deleted, the bar's place hits nothing.
  const QPointF old = MiddleOf(1, 4);
  f->cmdScheduleDelete->click();
  PointAt(old);
  EXPECT_EQ(HoverWork, -1);
}

TEST_F(ScheduleChartTest, TheDayWidthOfTheLoadedYearIsKeptForALeapYear) {
  Load();
  f->Chart.DayWidth = 40;  // as measured for another chart width
  At(0, 2004, 0) = Period(1231, 1231);
  f->cmbYear->setCurrentIndex(5);
  EXPECT_EQ(f->Chart.DayWidth, 40);
  ASSERT_NE(BarRect(0, 0), nullptr);
  EXPECT_EQ(BarRect(0, 0)->Left, DayX(366));
}

}  // namespace
