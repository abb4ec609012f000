// The schedule window over a year of sample works and places, pointing at a
// bar, and again with the period calendar open half-way through a pick.
#include <QApplication>

#include "calendar/PeriodCalender.h"
#include "platform/PictureBox.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

frmSchedule* SampleSchedule() {
  ResetStore();
  const char* places[] = {"東の畑", "西の畑", "ハウス１", "ハウス２", "田んぼ"};
  FarmName.RedimPreserve(4);
  for (int i = 0; i <= 4; ++i) FarmName(i) = places[i];
  const char* works[] = {"土作り", "播種", "育苗", "定植", "追肥", "防除", "収穫", "出荷", "片付け", "田植え"};
  Schedule.RedimPreserve(9);
  for (int w = 0; w <= 9; ++w) {
    Schedule(w).Work = works[w];
    YearPeriods& p = Schedule(w).SchedulePeriod(2001);
    for (int n = 0; n <= w % 4 + 1; ++n) {
      const int month = 1 + (w + 3 * n) % 12, length = 5 + (w * 7 + n * 11) % 40;
      const int first = 1 + (w * 5 + n * 3) % 20;
      const int last = std::min(first + length, 28);
      p(n) = {static_cast<int16_t>(month * 100 + first), static_cast<int16_t>(month * 100 + last),
              static_cast<uint8_t>((w + n) % 5)};
    }
  }
  CurYear = 2001, CurMonth = 5, CurDay = 6;
  PeriodFrom = PeriodTo = {2001, 5, 6};
  PeriodState = 0;
  SelWork = 3, SelEntry = 1, SelPlace = 2;
  auto* f = new frmSchedule();
  f->Start();
  f->show();
  QApplication::setActiveWindow(f);
  return f;
}

}  // namespace

SCREENSHOT(schedule) {
  frmSchedule* f = SampleSchedule();
  const BarRectRec* bar = f->Chart.BarRect(6, 1);
  if (bar)
    f->pctGraph_MouseMove(0, 0, (bar->Left + bar->Right) / 2 * 15.0f, (bar->Top + bar->Bottom) / 2 * 15.0f);
  QImage img = GrabScreen({f});
  delete f;
  return img;
}

SCREENSHOT(schedule_calendar) {
  frmSchedule* f = SampleSchedule();
  PeriodTo = {2001, 5, 24};
  f->cmdCalender2->click();
  PeriodMouseUp(*f, 1, (8 + 34 * 4 + 6) * 15.0f, (48 + 20 * 1 + 6) * 15.0f);  // the start on Thursday the 10th
  QImage img = GrabScreen({f});
  delete f;
  return img;
}
