// The weather window over a month of sample weather, pointing at one day.
#include <QLineEdit>
#include <cmath>

#include "screenshots/Screenshots.h"
#include "store/Store.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

SCREENSHOT(weather) {
  ResetStore();
  const char* codes[] = {"038", "123", "213", "330", "038", "103", "238", "533"};
  for (int d = 1; d <= 31; ++d) {
    float wave = static_cast<float>(std::sin(d / 4.0));
    Ondo(2001, 5, d, 1) = std::round((22.0f + 6.0f * wave) * 10.0f) / 10.0f;
    Ondo(2001, 5, d, 0) = std::round((10.0f + 5.0f * wave - (d % 3)) * 10.0f) / 10.0f;
    Kousui(2001, 5, d) = d % 4 == 1 ? static_cast<float>(d * 7 % 90) : d == 18 ? 320.0f : 0.0f;
    Tenki(2001, 5, d) = codes[d % 8];
  }
  Ondo(2001, 5, 3, 0) = -2.5f;
  auto* f = new frmMain();
  f->Start();
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  f->RefreshForCurrentDate();
  f->pctGraph_MouseMove(0, 0, 18 * f->Chart.WeatherDayWidth, 100);
  return GrabScreen({f});
}

SCREENSHOT(weather_calendar) {
  ResetStore();
  auto* f = new frmMain();
  f->Start();
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  f->RefreshForCurrentDate();
  f->show();
  f->cmdCalender_Click();
  return GrabScreen({f});
}
