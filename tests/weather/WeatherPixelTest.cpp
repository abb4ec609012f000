// The month graph as pixels in the picture box's retained image.
#include "platform/PictureBox.h"
#include "weather/WeatherFixture.h"

namespace {

QColor At(PictureBox* p, float x, float y) { return QColor(p->PixelAt(p->ToPixelX(x), p->ToPixelY(y))); }

// Puts the temperature lines of a month out of the way at 40 degrees.
void LiftLines(int y, int m) {
  for (int d = 1; d <= DaysInMonth(y, m); ++d) Ondo(y, m, d, 0) = Ondo(y, m, d, 1) = 40.0f;
}

}  // namespace

TEST_F(WeatherWindowTest, GridLinesHaveTheirColours) {
  LiftLines(2001, 4);
  GoTo(2001, 4, 1);
  PictureBox* g = f->pctGraph;
  const float between = 2.5f * f->Chart.WeatherDayWidth;  // no vertical line here
  EXPECT_EQ(At(g, between, GridLineY(15)), QColor(0, 200, 0));
  EXPECT_EQ(At(g, between, GridLineY(10)), QColor(0, 255, 255));
  EXPECT_EQ(At(g, between, GridLineY(60)), QColor(0, 255, 255));
  EXPECT_EQ(At(g, between, GridLineY(14)), QColor(176, 255, 176));
  EXPECT_EQ(At(g, between, (GridLineY(14) + GridLineY(13)) / 2.0f), QColor(255, 255, 255));
  // The vertical lines of a 30-day month go on to the 32nd.
  for (int k : {0, 17, 31})
    EXPECT_EQ(At(g, GridLineX(k), (GridLineY(13) + GridLineY(12)) / 2.0f), QColor(0, 255, 255)) << k;
}

TEST_F(WeatherWindowTest, RainBarsReachTheirHeight) {
  LiftLines(2001, 5);
  Kousui(2001, 5, 10) = 300.0f;
  Kousui(2001, 5, 11) = 600.0f;
  GoTo(2001, 5, 20);
  PictureBox* g = f->pctGraph;
  const QColor pink(255, 160, 255);
  const int h = g->InnerSize().height();
  const int x10 = g->ToPixelX(WeatherDayX(10) + f->Chart.WeatherDayWidth / 8);
  int top = -1;
  for (int py = h - 1; py >= 0 && QColor(g->PixelAt(x10, py)) != QColor(255, 255, 255); --py)
    if (QColor(g->PixelAt(x10, py)) == pink) top = py;
  EXPECT_NEAR(top, h / 2, 1);  // 300 mm: half the height
  const int x11 = g->ToPixelX(WeatherDayX(11) + f->Chart.WeatherDayWidth / 8);
  EXPECT_EQ(QColor(g->PixelAt(x11, 1)), pink);  // 600 mm: the top edge
  // A dry day shows no bar at all above the foot.
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(WeatherDayX(12) + f->Chart.WeatherDayWidth / 8), h - 3)),
            QColor(255, 255, 255));
  // Bars are half a column wide.
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(WeatherDayX(10) + f->Chart.WeatherDayWidth * 0.4f), h - 3)),
            QColor(255, 255, 255));
}

TEST_F(WeatherWindowTest, TemperatureLinesPlotOnTheScale) {
  Tenki(2001, 5, 1) = "038";
  for (int d = 1; d <= 31; ++d) {
    Ondo(2001, 5, d, 1) = d <= 10 ? 45.0f : 20.0f;
    Ondo(2001, 5, d, 0) = d <= 10 ? -15.0f : 5.0f;
  }
  GoTo(2001, 5, 31);
  PictureBox* g = f->pctGraph;
  const QColor red(255, 0, 0), blue(0, 0, 255);
  const int h = g->InnerSize().height();
  const float mid = (WeatherDayX(4) + WeatherDayX(5)) / 2.0f;  // between two dots
  // 45.0 runs along the top edge, -15.0 on the bottom edge (its line lies on
  // the edge, the dots rise into the picture).
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid), 0)), red);
  EXPECT_EQ(g->ToPixelY(TemperatureY(-15.0f)), h);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(WeatherDayX(5)), h - 2)), blue);
  // 20.0 is 35 units above the bottom.
  const float mid2 = (WeatherDayX(14) + WeatherDayX(15)) / 2.0f;
  const int y20 = g->ToPixelY(f->Chart.WeatherBottom - 35 * f->Chart.WeatherUnit);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid2), y20)), red);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid2), g->ToPixelY(f->Chart.WeatherBottom - 20 * f->Chart.WeatherUnit))),
            blue);
}

TEST_F(WeatherWindowTest, RingsMarkTheDayInTheOtherLinesColour) {
  for (int d = 1; d <= 31; ++d) {
    Ondo(2001, 5, d, 1) = 30.0f;
    Ondo(2001, 5, d, 0) = 0.0f;
  }
  GoTo(2001, 5, 12);
  PictureBox* g = f->pctGraph;
  const int x = g->ToPixelX(WeatherDayX(12));
  const int yl = g->ToPixelY(TemperatureY(0.0f));
  const int yh = g->ToPixelY(TemperatureY(30.0f));
  // Outer ring 6 px, inner ring 3 px above the point.
  EXPECT_EQ(QColor(g->PixelAt(x, yl - 6)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(g->PixelAt(x, yl - 3)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(g->PixelAt(x, yh - 6)), QColor(0, 0, 255));
  EXPECT_EQ(QColor(g->PixelAt(x, yh + 3)), QColor(0, 0, 255));
  // Another day has no ring; pointing moves the rings there.
  const int x20 = g->ToPixelX(WeatherDayX(20));
  EXPECT_NE(QColor(g->PixelAt(x20, yh - 6)), QColor(0, 0, 255));
  f->pctGraph_MouseMove(0, 0, WeatherDayX(20), 0);
  EXPECT_EQ(QColor(g->PixelAt(x20, yh - 6)), QColor(0, 0, 255));
  EXPECT_NE(QColor(g->PixelAt(x, yh - 6)), QColor(0, 0, 255));
}

TEST_F(WeatherWindowTest, LaterDrawingCoversEarlierAndTheLinesEndWithTheMonth) {
  // April has 30 days; a value stored under the 31st must not be drawn.
  for (int d = 1; d <= 31; ++d) Ondo(2001, 4, d, 0) = Ondo(2001, 4, d, 1) = 20.0f;
  Kousui(2001, 4, 10) = 600.0f;
  GoTo(2001, 4, 20);
  PictureBox* g = f->pctGraph;
  const QColor red(255, 0, 0), cyan(0, 255, 255), white(255, 255, 255);
  const int y20 = g->ToPixelY(TemperatureY(20.0f));
  auto mid = [this](int a, int b) { return (WeatherDayX(a) + WeatherDayX(b)) / 2.0f; };

  // The grid lies over the rain bars, the high line over the low line and
  // the grid, a dot on every day's point.
  EXPECT_EQ(At(g, WeatherDayX(10) + f->Chart.WeatherDayWidth / 8, GridLineY(10)), cyan);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid(4, 5)), y20)), red);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(WeatherDayX(5)), y20 - 2)), red);
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid(4, 5)), y20 - 2)), white);

  // The lines stop at the 30th: nothing of them between the 30th and the
  // 31st column, and no dot on the 31st.
  EXPECT_EQ(QColor(g->PixelAt(g->ToPixelX(mid(29, 30)), y20)), red);
  for (int dy : {0, -2}) {
    EXPECT_NE(QColor(g->PixelAt(g->ToPixelX(mid(30, 31)), y20 + dy)), red) << dy;
    EXPECT_NE(QColor(g->PixelAt(g->ToPixelX(mid(30, 31)), y20 + dy)), QColor(0, 0, 255)) << dy;
  }
  EXPECT_NE(QColor(g->PixelAt(g->ToPixelX(WeatherDayX(31)), y20 - 2)), red);
}
