// The market price graph is redrawn whole on every price or limit change and
// on every pointer move onto another day; in the year view that walks every
// day of the year for three lines. Each has to stay far under one 60 Hz frame
// (16.7 ms).
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include <cmath>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "store/Store.h"

namespace {

// A price on every day of 2001 for the first produce.
void FillYear() {
  ResetStore();
  PriceItem(0).Name = "トマト";
  PriceItem(0).Max = 1000;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= DaysInMonth(2001, m); ++d) {
      const int high = 500 + static_cast<int>(300 * std::sin(DayOfYear(2001, m, d) / 20.0));
      PriceHigh(0)(2001, m, d) = high;
      PriceMid(0)(2001, m, d) = high - 100;
      PriceLow(0)(2001, m, d) = high - 200;
    }
  SetCurrentDate({2001, 5, 16});
  MarketView = 1;
  MarketItem = 0;
}

void BM_MarketYearGraphFullRedraw(benchmark::State& state) {
  FillYear();
  frmMarketPrice f;
  f.Start();
  f.show();
  for (auto _ : state) f.Chart.Draw(*f.pctGraph, *f.pctNumber, 0, 2001, 5, 16);
  benchmark::DoNotOptimize(f.pctGraph->PixelAt(10, 10));
}
BENCHMARK(BM_MarketYearGraphFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_MarketYearPointerOntoNewDay(benchmark::State& state) {
  FillYear();
  frmMarketPrice f;
  f.Start();
  f.show();
  bool flip = false;
  for (auto _ : state) {
    // Alternate between two days so every move reads out a new one.
    f.pctGraph_MouseMove(0, 0, (flip ? 120 : 121) * f.Chart.PriceDayWidth, 100);
    flip = !flip;
  }
  benchmark::DoNotOptimize(f.txtDay);
}
BENCHMARK(BM_MarketYearPointerOntoNewDay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
