// The observation strip is redrawn whole on every change of crop, day or
// picture and whenever the pointer moves onto another day; a move onto a
// day with a camera picture decodes that picture once, and moves that stay
// on the day reuse it.
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <string>

#include "observe/frmObserve.h"
#include "observe/modObserve.h"
#include "platform/PictureBox.h"
#include "store/Store.h"

namespace {

// A season of observations: a comment every third day, a picture every
// tenth, over 2003.
void FillSeason() {
  ResetStore();
  for (int n = 1; n <= 365; n += 3) {
    MonthDay d = DateOfDayOfYear(2003, n);
    ObserveItem(0).Comment(2003, d.Month, d.Day) = "葉の色よし、草丈を測った";
  }
  SetCurrentDate({2003, 6, 1});
}

// A camera-sized JPEG (4000 x 3000) with some detail, so that decoding does
// real work.
std::string CameraPicture(const QTemporaryDir& dir, const char* name, QColor tint) {
  QImage img(4000, 3000, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(img.rect(), tint);
  for (int i = 0; i < 400; ++i)
    p.fillRect((i * 397) % 4000, (i * 211) % 3000, 120, 80, QColor((i * 37) % 256, (i * 91) % 256, (i * 53) % 256));
  p.end();
  std::string path = dir.filePath(QString::fromUtf8(name)).toStdString();
  img.save(QString::fromStdString(path), "JPG", 90);
  return path;
}

float DayX(const frmObserve& f, int year, int month, int day) {
  return static_cast<float>(DayOfYear(year, month, day) * f.Chart.ObserveDayWidth);
}

void BM_ObserveStripRedraw(benchmark::State& state) {
  FillSeason();
  frmObserve f;
  f.Start();
  f.show();
  for (auto _ : state) f.Chart.Draw(*f.pctGraph, 2003, ObserveIndex, ObserveHoverMonth, ObserveHoverDay);
  benchmark::DoNotOptimize(f.pctGraph->PixelAt(10, 20));
}
BENCHMARK(BM_ObserveStripRedraw)->Unit(benchmark::kMicrosecond);

// Every move lands on another day with its own 4000 x 3000 picture.
void BM_ObserveHoverOntoPictureDay(benchmark::State& state) {
  FillSeason();
  QTemporaryDir dir;
  ObserveFile(0)(2003, 7, 1) = CameraPicture(dir, "a.jpg", QColor(90, 140, 60));
  ObserveFile(0)(2003, 7, 2) = CameraPicture(dir, "b.jpg", QColor(60, 90, 140));
  frmObserve f;
  f.Start();
  f.show();
  bool flip = false;
  for (auto _ : state) {
    f.pctGraph_MouseMove(0, 0, DayX(f, 2003, 7, flip ? 1 : 2), 20);
    flip = !flip;
  }
  benchmark::DoNotOptimize(f.pctPicture->PixelAt(10, 10));
}
BENCHMARK(BM_ObserveHoverOntoPictureDay)->Unit(benchmark::kMillisecond);

// Moves that stay on the day of a 4000 x 3000 picture.
void BM_ObserveHoverAgainOnTheSameDay(benchmark::State& state) {
  FillSeason();
  QTemporaryDir dir;
  ObserveFile(0)(2003, 7, 1) = CameraPicture(dir, "a.jpg", QColor(90, 140, 60));
  frmObserve f;
  f.Start();
  f.show();
  f.pctGraph_MouseMove(0, 0, DayX(f, 2003, 7, 1), 20);
  int wiggle = 0;
  for (auto _ : state) {
    f.pctGraph_MouseMove(0, 0, DayX(f, 2003, 7, 1) + static_cast<float>(wiggle), 20);
    wiggle = (wiggle + 1) % 5;
  }
  benchmark::DoNotOptimize(f.pctPicture->PixelAt(10, 10));
}
BENCHMARK(BM_ObserveHoverAgainOnTheSameDay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
