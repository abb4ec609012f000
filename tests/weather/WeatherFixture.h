#pragma once
// A laid-out weather window on a fresh store whose files live in a temporary
// directory; message boxes are recorded and answered.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <memory>

#include "platform/Screen.h"
#include "platform/ErrorReporter.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/WindowTest.h"
#include "platform/PictureBox.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

class WeatherWindowTest : public WindowTest<frmMain> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WeatherMouseX = 0;
    ForgetReadoutFailure();
    f = std::make_unique<frmMain>();
    LayoutWeatherWindow(*f);
  }
  void TearDown() override {
    frmMain::SetPopupHandler(nullptr);
    WindowTest::TearDown();
  }
  // Makes the given date current and loads it as the calendar would.
  void GoTo(int y, int m, int d) {
    CurYear = static_cast<int16_t>(y);
    CurMonth = static_cast<int16_t>(m);
    CurDay = static_cast<int16_t>(d);
    ShowWeatherDay(*f);
  }
  // Pointer x (twips) on the middle of a day column.
  float DayX(int d) const { return static_cast<float>(d) * f->Chart.WeatherDayWidth; }

  // Where the graph places a day, a temperature and its grid lines, in twips.
  int32_t WeatherDayX(int d) const { return f->Chart.WeatherDayX(d); }
  int32_t TemperatureY(float celsius) const { return f->Chart.TemperatureY(celsius); }
  int32_t GridLineX(int k) const { return f->Chart.GridLineX(k); }
  int32_t GridLineY(int j) const { return f->Chart.GridLineY(j); }
};
