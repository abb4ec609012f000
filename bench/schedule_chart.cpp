// The schedule chart is redrawn whole on every pointer move over it, after a
// hit test over every drawn bar: with 200 works of 20 periods each, both have
// to stay far under one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include "platform/PictureBox.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "store/Store.h"

namespace {

void FillSchedule() {
  ResetStore();
  Schedule.RedimPreserve(199);
  for (int w = 0; w < 200; ++w) {
    Schedule(w).Work = "作業" + std::to_string(w);
    for (int n = 0; n < 20; ++n) {
      const int month = 1 + (w + n) % 12, first = 1 + (w * 3 + n) % 14;
      Schedule(w).SchedulePeriod(2001)(n) = {static_cast<int16_t>(month * 100 + first),
                                              static_cast<int16_t>(month * 100 + first + 10), 0};
    }
  }
  CurYear = 2001, CurMonth = 5, CurDay = 6;
}

void BM_ScheduleChartRedraw(benchmark::State& state) {
  FillSchedule();
  frmSchedule f;
  f.Start();
  f.show();
  for (auto _ : state) f.RedrawChart();
  benchmark::DoNotOptimize(f.pctGraph->PixelAt(10, 10));
}
BENCHMARK(BM_ScheduleChartRedraw)->Unit(benchmark::kMicrosecond);

void BM_ScheduleHitTestOfTheLastBar(benchmark::State& state) {
  FillSchedule();
  frmSchedule f;
  f.Start();
  const BarRectRec* last = f.Chart.BarRect(199, 19);
  const float x = (last->Left + last->Right) / 2.0f * TwipsPerPixelX;
  const float y = (last->Bottom - 1) * TwipsPerPixelY;
  int16_t w = -1, n = -1;
  for (auto _ : state) {
    f.Chart.ScheduleHitTest(x, y, w, n);
    benchmark::DoNotOptimize(w);
  }
}
BENCHMARK(BM_ScheduleHitTestOfTheLastBar)->Unit(benchmark::kMicrosecond);

void BM_SchedulePointerMove(benchmark::State& state) {
  FillSchedule();
  frmSchedule f;
  f.Start();
  f.show();
  const BarRectRec* a = f.Chart.BarRect(3, 0);
  const BarRectRec* b = f.Chart.BarRect(5, 1);
  bool flip = false;
  for (auto _ : state) {
    // Alternate between two bars so that every move reads out a new one.
    const BarRectRec* r = flip ? a : b;
    f.pctGraph_MouseMove(0, 0, (r->Left + r->Right) / 2.0f * TwipsPerPixelX, (r->Bottom - 1) * TwipsPerPixelY);
    flip = !flip;
  }
}
BENCHMARK(BM_SchedulePointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
