// The month graph's arithmetic and what it draws, in which order and colour.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Screen.h"
#include "store/Store.h"
#include "weather/modMain.h"

namespace {

// Records the drawing calls of one chart.
struct Op {
  char kind;  // 'B' box, 'L' line, 'T' line to, 'C' circle
  float x1, y1, x2, y2;
  QColor c;
};

class RecordingCanvas : public WeatherCanvas {
 public:
  float h = 10065;
  std::vector<Op> ops;
  float InnerHeight() const override { return h; }
  void FillBox(float x1, float y1, float x2, float y2, const QColor& c) override { ops.push_back({'B', x1, y1, x2, y2, c}); }
  void Line(float x1, float y1, float x2, float y2, const QColor& c) override { ops.push_back({'L', x1, y1, x2, y2, c}); }
  void LineTo(float x, float y, const QColor& c) override { ops.push_back({'T', x, y, 0, 0, c}); }
  void Circle(float x, float y, float r, const QColor& c) override { ops.push_back({'C', x, y, r, 0, c}); }
  size_t Count(char k) const {
    size_t n = 0;
    for (auto& o : ops) n += o.kind == k;
    return n;
  }
};

class WeatherGraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    TwipsPerPixelX = TwipsPerPixelY = 15.0f;
    SetWeatherGeometry(861 * 15.0f, 671 * 15.0f);
  }
  void TearDown() override { ResetStore(); }
};

}  // namespace

TEST_F(WeatherGraphTest, ScalesPlaceTemperaturesAndRainOnTheUnits) {
  EXPECT_EQ(TemperatureY(45.0f), 0);
  EXPECT_EQ(TemperatureY(-15.0f), Nearest(WeatherBottom));
  EXPECT_NEAR(TemperatureY(20.0f), WeatherBottom - 35 * WeatherUnit, 1.0);
  EXPECT_NEAR(TemperatureY(0.0f), GridLineY(15), 1.0);
  EXPECT_EQ(RainBarHeight(300.0f, 10065), 5032);  // floor of half the height
  EXPECT_EQ(RainBarHeight(600.0f, 10065), 10065);
  EXPECT_EQ(RainBarHeight(0.0f, 10065), 0);
  EXPECT_EQ(GridLineColor(15), QColor(0, 200, 0));
  EXPECT_EQ(GridLineColor(60), QColor(0, 255, 255));
  EXPECT_EQ(GridLineColor(20), QColor(0, 255, 255));
  EXPECT_EQ(GridLineColor(16), QColor(176, 255, 176));
  EXPECT_EQ(GridLineX(0), 0);
  EXPECT_EQ(GridLineX(32), Nearest(WeatherRight));
}

TEST_F(WeatherGraphTest, DayOfAPositionIsTheNearestColumn) {
  const float w = WeatherDayWidth;
  EXPECT_EQ(DayOfX(0), 0);
  EXPECT_EQ(DayOfX(w / 2 - 1), 0);
  EXPECT_EQ(DayOfX(w / 2 + 1), 1);
  EXPECT_EQ(DayOfX(30 * w + w / 2 - 1), 30);
  EXPECT_EQ(DayOfX(30 * w + w / 2 + 1), 31);
  EXPECT_EQ(DayOfX(12 * w), 12);
}

TEST_F(WeatherGraphTest, ChartIsDrawnInOrderWithItsColours) {
  RecordingCanvas g;
  Ondo(2001, 4, 10, 0) = 5.0f;
  Ondo(2001, 4, 10, 1) = 20.0f;
  Kousui(2001, 4, 10) = 300.0f;
  DrawWeatherGraph(g, 2001, 4, 10);  // 30 days

  ASSERT_FALSE(g.ops.empty());
  EXPECT_EQ(g.ops[0].kind, 'B');  // background first
  EXPECT_EQ(g.ops[0].c, QColor(255, 255, 255));
  // 30 bars, half a column wide, centred on the day.
  std::vector<Op> bars(g.ops.begin() + 1, g.ops.begin() + 31);
  for (auto& b : bars) EXPECT_EQ(b.c, QColor(255, 160, 255));
  EXPECT_NEAR(bars[9].x2 - bars[9].x1, WeatherDayWidth / 2, 0.01);
  EXPECT_EQ(bars[9].y2, WeatherBottom - 5032);
  EXPECT_EQ(bars[0].y2, WeatherBottom);  // zero height without rain
  // 32 vertical and 60 horizontal grid lines, whatever the month's length.
  size_t lines = 0;
  for (size_t i = 31; i < 31 + 92; ++i) lines += g.ops[i].kind == 'L';
  EXPECT_EQ(lines, 92u);
  EXPECT_EQ(g.ops[31 + 32 + 14].c, QColor(0, 200, 0));  // j = 15
  // Low line, then high line: 30 points each, a dot on every point.
  size_t lowStart = 31 + 92;
  EXPECT_EQ(g.ops[lowStart].kind, 'L');
  EXPECT_EQ(g.ops[lowStart].c, QColor(0, 0, 255));
  size_t highStart = lowStart + 60;
  EXPECT_EQ(g.ops[highStart].kind, 'L');
  EXPECT_EQ(g.ops[highStart].c, QColor(255, 0, 0));
  EXPECT_EQ(g.ops[highStart - 1].kind, 'C');
  EXPECT_EQ(g.ops[highStart - 1].x1, WeatherDayX(30));  // the line ends at day 30
  EXPECT_EQ(g.ops[highStart + 1].x2, 2 * 15.0f);
  // Rings last, in the other line's colour.
  ASSERT_EQ(g.ops.size(), highStart + 60 + 4);
  const Op* r = &g.ops[highStart + 60];
  EXPECT_EQ(r[0].y1, TemperatureY(5.0f));
  EXPECT_EQ(r[0].c, QColor(255, 0, 0));
  EXPECT_EQ(r[0].x2, 6 * 15.0f);
  EXPECT_EQ(r[1].y1, TemperatureY(20.0f));
  EXPECT_EQ(r[1].c, QColor(0, 0, 255));
  EXPECT_EQ(r[2].x2, 3 * 15.0f);
  EXPECT_EQ(r[3].x1, WeatherDayX(10));
  EXPECT_EQ(g.Count('T'), 58u);
}

TEST_F(WeatherGraphTest, ReadoutTextsOfADay) {
  Tenki(2001, 5, 6) = "123";
  Ondo(2001, 5, 6, 1) = 20.5f;
  Ondo(2001, 5, 6, 0) = -10.25f;
  Kousui(2001, 5, 6) = 3.0f;
  EXPECT_EQ(WeatherTooltip(2001, 5, 6), QStringLiteral("2001/5/6　　晴れ のち 雨　　20.5℃/-10.3℃　　3.0ｍｍ"));
  auto lines = WeatherMenuLines(2001, 5, 6);
  EXPECT_EQ(lines[0], QStringLiteral("2001年05月06日"));
  EXPECT_EQ(lines[1], QStringLiteral("天気   ：晴れ  のち  雨"));
  EXPECT_EQ(lines[2], QStringLiteral("気温   ：20.5℃／-10.3℃"));
  EXPECT_EQ(lines[3], QStringLiteral("降水量：3.0ｍｍ"));
  EXPECT_EQ(ReadoutWord("738", 1), QStringLiteral("台風"));
  EXPECT_EQ(ReadoutWord("738", 3), QString());
  for (auto [code, pos] : std::vector<std::pair<const char*, int>>{{"8", 1}, {"9", 1}, {"04", 2}, {"0", 2}, {"009", 3}, {"a", 1}})
    EXPECT_THROW(ReadoutWord(code, pos), rt::RuntimeError) << code << " " << pos;
}
