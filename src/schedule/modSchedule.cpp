#include "schedule/modSchedule.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

int32_t SelWork = 0, SelEntry = 0, SelPlace = 0;
int16_t HoverWork = -1, HoverEntry = -1;
int16_t PeriodCancel = 0;

const std::array<QRgb, 10> BarColor = {RGB(0, 0, 0),   RGB(0, 128, 0),   RGB(0, 0, 255),   RGB(255, 0, 0),
                                       RGB(0, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 0),
                                       RGB(0, 0, 128), RGB(128, 0, 0)};

namespace {

constexpr QRgb kWhite = RGB(255, 255, 255);
constexpr QRgb kMonthLine = RGB(176, 255, 176);
constexpr QRgb kRowLine = RGB(0, 200, 0);
constexpr int kRows = kChartRows;
constexpr int kBarHeight = 20;

// Day of the year of a stored month * 100 + day, or 0 when it is no date of
// that year (0229 in a common year, 1345 from an edited file).
int DayOfStored(int year, int monthDay) {
  const int m = monthDay / 100, d = monthDay % 100;
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(year, m)) return 0;
  return DayOfYear(year, m, d);
}

void SetPen(PictureBox& g, QRgb colour) {
  g.SetForeColor(QColor(colour));
  g.SetFillColor(QColor(colour));
}

}  // namespace

// The hit table, and the bars it holds in the order the hit test searches
// them (work, then entry), so that a pointer move looks only at drawn bars.
struct ScheduleChart::HitTable {
  std::array<std::array<BarRectRec, kEntries>, kChartWorks> rects{};
  std::array<std::array<bool, kEntries>, kChartWorks> drawn{};
  std::vector<std::pair<int16_t, int16_t>> order;
  void Clear() {
    for (const auto& [w, n] : order) drawn[w][n] = false;
    order.clear();
  }
};

ScheduleChart::ScheduleChart() : hits_(std::make_unique<HitTable>()) {}
ScheduleChart::~ScheduleChart() = default;

// Bottom pixel of work w's row, counted from the top row shown.
int ScheduleChart::RowBottom(int w) const {
  return TwipsToPixelsY((w + 1 - ChartTopRow) * static_cast<double>(RowHeight));
}

const BarRectRec* ScheduleChart::BarRect(int work, int entry) const {
  if (work < 0 || work >= kChartWorks || entry < 0 || entry >= kEntries) return nullptr;
  return hits_->drawn[work][entry] ? &hits_->rects[work][entry] : nullptr;
}

void ScheduleChart::SetChartMetrics(const PictureBox& graph, int16_t year) {
  ChartWidth = static_cast<int32_t>(rt::RoundHalfEven(graph.ScaleWidth()));
  ChartHeight = static_cast<int32_t>(rt::RoundHalfEven(graph.ScaleHeight()));
  DayWidth = static_cast<int32_t>(rt::RoundHalfEven(static_cast<double>(ChartWidth) / (DaysInMonth(year, 2) + 337)));
  RowHeight = static_cast<int32_t>(rt::RoundHalfEven(static_cast<double>(ChartHeight) / kRows));
}

// The picture box keeps its image and repaints only once the handler has
// returned, so the user sees the finished chart without hiding the box while
// it is drawn (hiding it would also end the pointer's hover over it).
void ScheduleChart::Draw(PictureBox& graph, PictureBox& number, int16_t year) {
  DrawGrid(graph, number, year);
  DrawBars(graph, year);
}

void ScheduleChart::DrawGrid(PictureBox& graph, PictureBox& number, int16_t year) const {
  PictureDc dc = graph.hDC();
  const int width = TwipsToPixelsX(ChartWidth), height = TwipsToPixelsY(ChartHeight);
  graph.SetFillStyle(PictureBox::kFillSolid);
  SetPen(graph, kWhite);
  Rectangle(dc, 0, 0, width, height);

  SetPen(graph, kMonthLine);
  int x = 0;
  for (int m = 1; m <= 12; ++m) {
    x = static_cast<int>(rt::RoundHalfEven(x + static_cast<double>(DaysInMonth(year, m)) * DayWidth / TwipsPerPixelX));
    MoveToEx(dc, x, 0);
    LineTo(dc, x, height);
  }

  graph.SetForeColor(QColor(kRowLine));
  for (int r = 1; r <= kRows; ++r) {
    const int y = TwipsToPixelsY(ChartHeight - static_cast<double>(r) * RowHeight);
    MoveToEx(dc, 0, y);
    LineTo(dc, width, y);
  }

  number.SetFontSize(rt::RoundHalfEven(TwipsPerPixelX * 10.0 / 15.0));
  number.FilledBox(0, 0, number.ScaleWidth(), number.ScaleHeight(),
                   QApplication::palette().color(QPalette::Button));
  number.SetForeColor(QColor(Qt::black));
  // Only the rows on view: a name below the last row would stand beside
  // no row.
  const int last = std::min(Schedule.UBound(), ChartTopRow + kRows - 1);
  for (int w = std::max(ChartTopRow, 0); w <= last; ++w) {
    number.SetCurrentX(2 * TwipsPerPixelX);
    number.SetCurrentY(
        static_cast<float>((w + 1 - ChartTopRow) * static_cast<double>(RowHeight) - 10 * TwipsPerPixelY));
    number.Print(QString::fromStdString(Schedule(w).Work));
  }
}

void ScheduleChart::DrawBars(PictureBox& graph, int16_t year) {
  HitTable& hits = *hits_;
  hits.Clear();
  PictureDc dc = graph.hDC();
  graph.SetFillStyle(PictureBox::kFillSolid);
  for (int w = 0; w <= Schedule.UBound(); ++w) {
    const YearPeriods& periods = Schedule(w).SchedulePeriod(year);
    const int bottom = RowBottom(w), top = bottom - kBarHeight;
    for (int n = 0; n < kEntries; ++n) {
      const SchedulePeriodRec& p = periods(n);
      if (p.Start == 0) continue;
      const int first = DayOfStored(year, p.Start), last = DayOfStored(year, p.End);
      if (first == 0 || last == 0) continue;  // not a date of this year: nowhere to draw it
      const int left = TwipsToPixelsX(static_cast<double>(first) * DayWidth);
      int right = TwipsToPixelsX(static_cast<double>(last) * DayWidth);
      if (left == right) right = left + 1;
      SetPen(graph, w == MarkWork && n == MarkEntry ? kMarkColor : BarColor[static_cast<size_t>(n % 10)]);
      Rectangle(dc, left, top, right, bottom);
      if (w < kChartWorks) {
        hits.rects[w][n] = {left, right, top, bottom};
        hits.drawn[w][n] = true;
        hits.order.emplace_back(static_cast<int16_t>(w), static_cast<int16_t>(n));
      }
    }
  }
}

void ScheduleChart::ScheduleHitTest(float x, float y, int16_t& work, int16_t& entry) const {
  work = -1;
  entry = -1;
  const int px = TwipsToPixelsX(x), py = TwipsToPixelsY(y);
  for (const auto& [w, n] : hits_->order) {
    const BarRectRec& r = hits_->rects[w][n];
    if (r.Left <= px && px <= r.Right && r.Top <= py && py <= r.Bottom) {
      work = w;
      entry = n;
      return;
    }
  }
}

QString PeriodText(int year, int monthDay) {
  return QString::asprintf("%d/%02d/%02d", year, monthDay / 100, monthDay % 100);
}

uint8_t PlaceIndex(int listIndex) {
  if (listIndex < 0) return 0;
  if (listIndex > 255) throw rt::RuntimeError(rt::kErrOverflow);
  return static_cast<uint8_t>(listIndex);
}

namespace {

// The first free entry at or after `from`, else the lowest free one; -1
// when the year has none.
int FreeEntry(const YearPeriods& periods, int from) {
  for (int n = std::max(from, 0); n < kEntries; ++n)
    if (periods(n).Start == 0) return n;
  for (int n = 0; n < std::min(from, kEntries); ++n)
    if (periods(n).Start == 0) return n;
  return -1;
}

}  // namespace

PeriodPlan PlanPeriod(int work, const YearMonthDay& from, const YearMonthDay& to, int shownYear, int selEntry,
                      uint8_t place) {
  PeriodPlan plan;
  ScheduleRec& rec = Schedule(work);
  if (selEntry < 0 || selEntry >= kEntries) throw rt::RuntimeError(rt::kErrSubscript);
  const auto first = static_cast<int16_t>(from.Month * 100 + from.Day);
  const auto last = static_cast<int16_t>(to.Month * 100 + to.Day);
  int n = 0;
  for (int y = from.Year; y <= to.Year; ++y) {
    const YearPeriods& periods = rec.SchedulePeriod(y);  // a year outside the tables raises 9
    if (y == shownYear) {
      n = selEntry;
    } else {
      n = FreeEntry(periods, n);
      if (n < 0) {
        plan.Writes.clear();
        plan.FullYear = y;
        return plan;
      }
    }
    SchedulePeriodRec p;
    p.Start = y == from.Year ? first : static_cast<int16_t>(101);
    p.End = y == to.Year ? last : static_cast<int16_t>(1231);
    p.Place = place;
    plan.Writes.push_back({y, n, p});
  }
  return plan;
}
