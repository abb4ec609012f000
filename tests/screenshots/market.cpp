// The market price window over a year of sample prices for three produce,
// in the month view and the year view, pointing at one day.
#include <QComboBox>
#include <QRadioButton>
#include <cmath>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

// Tomatoes, cucumbers and aubergines in 2001: a price on every day but
// Sundays (no market), dearest in winter.
void FillSampleYear() {
  ResetStore();
  const char* names[] = {"トマト", "キュウリ", "ナス"};
  const int limits[] = {1000, 600, 800};
  RedimPrice(2);
  for (int i = 0; i < 3; ++i) {
    PriceItem(i).Name = names[i];
    PriceItem(i).Max = limits[i];
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(2001, m); ++d) {
        const int n = DayOfYear(2001, m, d);
        if (n % 7 == 0) continue;  // 7 January 2001 was a Sunday
        const double season = std::cos((n - 20) * 2 * M_PI / 365.0);
        const double wobble = std::sin(n * 0.7 + i) * 0.05;
        const int high = static_cast<int>(limits[i] * (0.62 + 0.22 * season + wobble));
        PriceHigh(i)(2001, m, d) = high;
        PriceMid(i)(2001, m, d) = high - limits[i] / 8;
        PriceLow(i)(2001, m, d) = high - limits[i] / 4 - (n % 5) * limits[i] / 100;
      }
  }
}

frmMarketPrice* OpenAt(int16_t view) {
  FillSampleYear();
  SetCurrentDate({2001, 5, 16});
  MarketView = view;
  MarketItem = 0;
  auto* f = new frmMarketPrice();
  f->Start();
  f->show();
  return f;
}

}  // namespace

SCREENSHOT(market_month) {
  frmMarketPrice* f = OpenAt(0);
  f->pctGraph_MouseMove(0, 0, 9 * f->Chart.PriceDayWidth, 100);
  return GrabScreen({f});
}

SCREENSHOT(market_year) {
  frmMarketPrice* f = OpenAt(1);
  f->cmbProduce->setCurrentIndex(2);
  f->pctGraph_MouseMove(0, 0, 200 * f->Chart.PriceDayWidth, 100);
  return GrabScreen({f});
}

SCREENSHOT(market_empty) {
  ResetStore();
  PriceItem(0).Max = 1000;
  SetCurrentDate({2001, 5, 16});
  MarketView = 0;
  MarketItem = 0;
  auto* f = new frmMarketPrice();
  f->Start();
  return GrabScreen({f});
}

SCREENSHOT(market_calendar) {
  frmMarketPrice* f = OpenAt(0);
  f->cmdCalender_Click();
  return GrabScreen({f});
}
