// One mouse move over an arrow of the day calendar: the whole surface is
// redrawn (background, 30 triangles, header, title, 42 cells, frame, footer).
// It has to stay far under one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include <QApplication>
#include <cstdlib>
#include <string>

#include "calendar/CalendarHost.h"
#include "platform/Screen.h"

namespace {

void BM_CalendarMoveOverArrow(benchmark::State& state) {
  CalendarTestHost host;
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  host.ShowActive();
  host.cmdCalender->click();
  bool flip = false;
  for (auto _ : state) {
    // Alternate between two arrows so each move really changes the picture.
    CalenderMouseMove(host, (flip ? 218 : 9) * TwipsPerPixelX, 14 * TwipsPerPixelY);
    flip = !flip;
  }
  benchmark::DoNotOptimize(host.pctCalender->PixelAt(218, 14));
}
BENCHMARK(BM_CalendarMoveOverArrow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
