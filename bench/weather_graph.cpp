// The weather graph is redrawn whole on every scroll bar change, day change
// and pointer move onto another day column: each has to stay far under one
// 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include <QApplication>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "store/Store.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

namespace {

void FillMonth() {
  ResetStore();
  for (int d = 1; d <= 31; ++d) {
    Ondo(2001, 5, d, 1) = 20.0f + 8.0f * static_cast<float>(std::sin(d / 3.0));
    Ondo(2001, 5, d, 0) = 8.0f + 6.0f * static_cast<float>(std::cos(d / 4.0));
    Kousui(2001, 5, d) = static_cast<float>(d * 37 % 600);
    Tenki(2001, 5, d) = "123";
  }
}

void BM_WeatherGraphFullRedraw(benchmark::State& state) {
  FillMonth();
  frmMain f;
  f.Start();
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  f.show();
  for (auto _ : state) f.RedrawGraph(2001, 5, 6);
  benchmark::DoNotOptimize(f.pctGraph->PixelAt(10, 10));
}
BENCHMARK(BM_WeatherGraphFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_WeatherPointerOntoNewDay(benchmark::State& state) {
  FillMonth();
  frmMain f;
  f.Start();
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  ShowWeatherDay(f);
  f.show();
  bool flip = false;
  for (auto _ : state) {
    // Alternate between two columns so every move reads out a new day.
    f.pctGraph_MouseMove(0, 0, (flip ? 12 : 13) * f.Chart.WeatherDayWidth, 100);
    flip = !flip;
  }
  benchmark::DoNotOptimize(f.txtDay);
}
BENCHMARK(BM_WeatherPointerOntoNewDay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
