#pragma once
// modSchedule: the year chart of the work schedule and the rules for writing
// a picked period into the schedule.
//
// The chart shows one year: one row per work (Schedule), one bar per used
// period entry from its first to its last day, thin lines at the month ends
// and 30 row lines; the work names stand in a strip to the left. With more
// than 30 works the chart scrolls by whole rows (ChartTopRow). Bars are
// coloured by their entry number (mod 10); the bar selected when the window
// loaded is drawn in the highlight colour. The rectangles of the bars drawn
// last are kept for the hit test of the pointer.
#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/PictureBox.h"
#include "store/Store.h"

// --- The window's selection, kept for the whole run ------------------------

extern int32_t SelWork;   // index of the selected work in Schedule
extern int32_t SelEntry;  // selected entry number 0..365
extern int32_t SelPlace;  // selected place index
// The bar under the pointer, -1 when none.
extern int16_t HoverWork, HoverEntry;
// Set when the period calendar is closed by a click on the window or one of
// its frames: the closing then applies nothing.
extern int16_t PeriodCancel;

// --- The chart ----------------------------------------------------------------

constexpr int kChartRows = 30;

// Bar colours by entry number mod 10, and the highlight.
extern const std::array<QRgb, 10> BarColor;
constexpr QRgb kMarkColor = RGB(153, 204, 255);

// The hit table holds works 0..200 and entries 0..365; works beyond are
// drawn but cannot be pointed at.
constexpr int kChartWorks = 201;
constexpr int kEntries = 366;

struct BarRectRec {
  int32_t Left = 0, Right = 0, Top = 0, Bottom = 0;  // pixels, inclusive
};

class ScheduleChart {
 public:
  ScheduleChart();
  ~ScheduleChart();
  ScheduleChart(const ScheduleChart&) = delete;
  ScheduleChart& operator=(const ScheduleChart&) = delete;

  // Metrics, measured when the window loads.
  int32_t ChartWidth = 0, ChartHeight = 0;  // scale size of the chart, twips
  int32_t DayWidth = 0;                     // one day, twips
  int32_t RowHeight = 0;                    // one work row, twips
  // The chart shows 30 rows at a time; this is the work in its top row, moved
  // by the chart's scroll bar. Rows keep their height when it moves.
  int32_t ChartTopRow = 0;
  // The highlighted bar: the selection when the window loaded.
  int16_t MarkWork = 0, MarkEntry = 0;

  // Sets ChartWidth, ChartHeight from the chart's scale size, DayWidth for
  // the length of `year` and RowHeight for 30 rows.
  void SetChartMetrics(const PictureBox& graph, int16_t year);

  // Background, month lines, row lines and the work names in `number`, then
  // the bars of `year`, kept for the hit test. A year outside the tables
  // throws.
  void Draw(PictureBox& graph, PictureBox& number, int16_t year);

  // The rectangle of bar (work, entry) as drawn last (in the chart's pixels,
  // after the scroll), or nullptr when that entry has no bar in the last
  // drawing (or lies outside the table).
  const BarRectRec* BarRect(int work, int entry) const;
  // The bar under a point (twips), first in work then entry order; -1, -1
  // when none.
  void ScheduleHitTest(float x, float y, int16_t& work, int16_t& entry) const;

 private:
  void DrawGrid(PictureBox& graph, PictureBox& number, int16_t year) const;
  void DrawBars(PictureBox& graph, int16_t year);
  int RowBottom(int w) const;
  struct HitTable;
  std::unique_ptr<HitTable> hits_;
};

// --- Texts ------------------------------------------------------------------

// A stored day (month * 100 + day) of a year as the boxes show it:
// 2001/05/23.
QString PeriodText(int year, int monthDay);

// --- Writing a picked period ---------------------------------------------------

struct PeriodWrite {
  int Year = 0;
  int Entry = 0;
  SchedulePeriodRec Period;
};

// Where a period from..to (from not after to) goes for one work: one entry
// per year from the first to the last year; the first year from the start
// day to 1231, the years between 101..1231, the last year from 101 to the end
// day. In the shown year the selected entry is overwritten; in every other
// year the entry is the first free one at or after the entry used for the
// year before (from the lowest free one when there is none after it). A year
// with all entries in use yields no plan: `fullYear` names it. Nothing is
// written here; an index outside the tables raises 9 before anything is
// planned.
struct PeriodPlan {
  std::vector<PeriodWrite> Writes;
  int FullYear = 0;  // non-zero: this year has no free entry, nothing may be written
};
PeriodPlan PlanPeriod(int work, const YearMonthDay& from, const YearMonthDay& to, int shownYear, int selEntry,
                      uint8_t place);

// The place index as the one-byte Place field holds it: no selection (-1)
// is place 0; an index above 255 raises 6 (overflow).
uint8_t PlaceIndex(int listIndex);
