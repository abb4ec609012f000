// The month graph's arithmetic and its read-out texts.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Screen.h"
#include "runtime/RuntimeError.h"
#include "store/Store.h"
#include "weather/modMain.h"

namespace {

class WeatherGraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    TwipsPerPixelX = TwipsPerPixelY = 15.0f;
    c.SetGeometry(861 * 15.0f, 671 * 15.0f);
  }
  void TearDown() override { ResetStore(); }
  WeatherChart c;
};

}  // namespace

TEST_F(WeatherGraphTest, ScalesPlaceTemperaturesAndRainOnTheUnits) {
  EXPECT_EQ(c.TemperatureY(45.0f), 0);
  EXPECT_EQ(c.TemperatureY(-15.0f), Nearest(c.WeatherBottom));
  EXPECT_NEAR(c.TemperatureY(20.0f), c.WeatherBottom - 35 * c.WeatherUnit, 1.0);
  EXPECT_NEAR(c.TemperatureY(0.0f), c.GridLineY(15), 1.0);
  EXPECT_EQ(RainBarHeight(300.0f, 10065), 5032);  // floor of half the height
  EXPECT_EQ(RainBarHeight(600.0f, 10065), 10065);
  EXPECT_EQ(RainBarHeight(0.0f, 10065), 0);
  EXPECT_EQ(GridLineColor(15), QColor(0, 200, 0));
  EXPECT_EQ(GridLineColor(60), QColor(0, 255, 255));
  EXPECT_EQ(GridLineColor(20), QColor(0, 255, 255));
  EXPECT_EQ(GridLineColor(16), QColor(176, 255, 176));
  EXPECT_EQ(c.GridLineX(0), 0);
  EXPECT_EQ(c.GridLineX(32), Nearest(c.WeatherRight));
}

TEST_F(WeatherGraphTest, DayOfAPositionIsTheNearestColumn) {
  const float w = c.WeatherDayWidth;
  EXPECT_EQ(c.DayOfX(0), 0);
  EXPECT_EQ(c.DayOfX(w / 2 - 1), 0);
  EXPECT_EQ(c.DayOfX(w / 2 + 1), 1);
  EXPECT_EQ(c.DayOfX(30 * w + w / 2 - 1), 30);
  EXPECT_EQ(c.DayOfX(30 * w + w / 2 + 1), 31);
  EXPECT_EQ(c.DayOfX(12 * w), 12);
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
