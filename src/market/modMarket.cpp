#include "market/modMarket.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"

int16_t MarketView = 0;
int16_t MarketItem = 0;
int32_t PeakPrice = 0;
float PriceHoverX = 0;

namespace {

// Twips to device pixels, halves to even.
int Px(double twips) { return TwipsToPixelsX(twips); }
int Py(double twips) { return TwipsToPixelsY(twips); }

struct Series {
  const VarArray<DayTable<int32_t>>& table;
  QColor colour;
};

// High, middle, low: the order of drawing, so the low line lies on top.
const Series kSeries[] = {{PriceHigh, kPriceHighColor}, {PriceMid, kPriceMidColor}, {PriceLow, kPriceLowColor}};

}  // namespace

// Height of a price on the graph, in twips.
double MarketChart::PriceY(int32_t price) const {
  return PriceGraphHeight - static_cast<double>(PriceScale) * price;
}

void MarketChart::SetView(int16_t view) {
  View = view;
  if (view == 1)
    PriceDayWidth = static_cast<float>(PriceGraphWidth) / static_cast<float>(DaysInMonth(CurYear, 2) + 338);
  else
    PriceDayWidth = static_cast<float>(PriceGraphWidth) / 32.0f;
}

void MarketChart::SetGeometry(float innerWidth, float innerHeight) {
  PriceGridStep = innerHeight / 50.0f;
  PriceGraphWidth = static_cast<int32_t>(rt::RoundHalfEven(innerWidth));
  PriceGraphHeight = static_cast<int32_t>(rt::RoundHalfEven(innerHeight));
  SetView(View);
}

YearMonthDay MarketChart::MarketDateAt(float x) const {
  const int n = PriceDayWidth > 0 ? static_cast<int>(rt::RoundHalfEven(static_cast<double>(x) / PriceDayWidth)) : 0;
  if (View == 1) {
    MonthDay md = DateOfDayOfYear(CurYear, n);
    return {CurYear, static_cast<int16_t>(md.Month), static_cast<int16_t>(md.Day)};
  }
  // The left border can give a pointer a little left of 0.
  const int days = DaysInMonth(CurYear, CurMonth);
  return {CurYear, CurMonth, static_cast<int16_t>(std::clamp(n, 1, std::max(days, 1)))};
}

int32_t HighestPrice(int16_t item) {
  int32_t peak = 0;
  for (const Series& s : kSeries) {
    const DayTable<int32_t>& t = s.table(item);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) peak = std::max(peak, t(y, m, d));
  }
  return peak;
}

void FindPeakPrice(int16_t item) { PeakPrice = HighestPrice(item); }

void MarketChart::DrawGrid(PictureBox& graph, PictureBox& number, int16_t item) {
  PictureBox* g = &graph;
  const PriceItemRec& rec = PriceItem(item);
  // A produce whose limit equals its lower bound has no scale: the grid is
  // drawn, nothing is placed by price.
  const double range = static_cast<double>(rec.Max) - rec.Min;
  PriceScale = range != 0 ? static_cast<float>(PriceGraphHeight / range) : 0.0f;
  const double labelStep = rec.Max / 50.0;

  PictureDc dc = g->hDC();
  const int right = Px(PriceGraphWidth);
  const int bottom = Py(PriceGraphHeight);
  g->SetForeColor(Qt::white);
  g->SetFillColor(Qt::white);
  Rectangle(dc, 0, 0, right, bottom);

  g->SetForeColor(kPriceGridLight);
  g->SetFillColor(kPriceGridLight);
  if (View == 1) {
    int x = 0;
    for (int m = 1; m <= 12; ++m) {
      x += Px(DaysInMonth(CurYear, m) * static_cast<double>(PriceDayWidth));
      MoveToEx(dc, x, 0);
      LineTo(dc, x, bottom);
    }
  } else {
    // Always 31 columns, also in a shorter month.
    for (int d = 1; d <= 31; ++d) {
      const int x = Px(d * static_cast<double>(PriceDayWidth));
      MoveToEx(dc, x, 0);
      LineTo(dc, x, bottom);
    }
  }
  for (int i = 1; i <= 49; ++i) {
    const int y = Py(PriceGraphHeight - i * static_cast<double>(PriceGridStep));
    g->SetForeColor(i % 5 == 0 ? kPriceGridDark : kPriceGridLight);
    MoveToEx(dc, 0, y);
    LineTo(dc, right, y);
  }

  // Labels every tenth of the limit, level with the dark lines; those above
  // the strip are simply not seen.
  PictureBox* n = &number;
  const float tx = TwipsPerPixelX, ty = TwipsPerPixelY;
  n->SetFontSize(rt::RoundHalfEven(tx * 10.0 / 15.0));
  n->FilledBox(0, 0, n->ScaleWidth(), n->ScaleHeight(), QApplication::palette().color(QPalette::Button));
  const double base = graph.y() * static_cast<double>(ty) + PriceGraphHeight - 5.0 * ty;
  for (int i = 0; i <= 12; ++i) {
    const double value = i < 12 ? i * 5 * labelStep : rec.Max;
    n->SetCurrentY(static_cast<float>(base - (i < 12 ? i : 12) * 5.0 * PriceGridStep));
    n->SetCurrentX(2 * tx);
    n->Print(QString::fromStdString(rt::Format(value, "####0")));
  }
}

void MarketChart::DrawLines(PictureBox& graph, int16_t item, int16_t year, int16_t month) const {
  PictureBox* g = &graph;
  if (View == 1) {
    PictureDc dc = g->hDC();
    QPoint previous[3];
    for (int k = 0; k < 3; ++k)
      previous[k] = QPoint(Px(PriceDayWidth), Py(PriceY(kSeries[k].table(item)(year, 1, 1))));
    for (int m = 1; m <= 12; ++m)
      for (int d = 1, n = DaysInMonth(year, m); d <= n; ++d) {
        const int x = Px(DayOfYear(year, m, d) * static_cast<double>(PriceDayWidth));
        for (int k = 0; k < 3; ++k) {
          const int32_t price = kSeries[k].table(item)(year, m, d);
          if (price < 1) continue;
          g->SetForeColor(kSeries[k].colour);
          const int y = Py(PriceY(price));
          MoveToEx(dc, previous[k].x(), previous[k].y());
          LineTo(dc, x, y);
          Ellipse(dc, x - 1, y - 1, x + 1, y + 1);
          previous[k] = QPoint(x, y);
        }
      }
    return;
  }
  // Month view: one whole line after the other, a dot on every recorded
  // day; a day without a price is left out and the line joins its neighbours.
  const float radius = 2 * TwipsPerPixelX;
  for (const Series& s : kSeries) {
    const DayTable<int32_t>& t = s.table(item);
    float px = PriceDayWidth;
    float py = static_cast<float>(PriceY(t(year, month, 1)));
    g->Circle(px, py, radius, s.colour);
    for (int d = 2, n = DaysInMonth(year, month); d <= n; ++d) {
      const int32_t price = t(year, month, d);
      if (price == 0) continue;
      const auto x = static_cast<float>(rt::RoundHalfEven(d * static_cast<double>(PriceDayWidth)));
      const auto y = static_cast<float>(rt::RoundHalfEven(PriceY(price)));
      g->Line(px, py, x, y, s.colour);
      g->Circle(x, y, radius, s.colour);
      px = x;
      py = y;
    }
  }
}

void MarketChart::DrawMarkers(PictureBox& graph, int16_t item, int16_t year, int16_t month, int16_t day) const {
  PictureBox* g = &graph;
  g->SetForeColor(kPriceMarkerColor);
  const int dayNumber = View == 1 ? DayOfYear(year, month, day) : day;
  const int x = Px(dayNumber * static_cast<double>(PriceDayWidth));
  const int r = View == 1 ? 3 : 5;
  PictureDc dc = g->hDC();
  for (const Series& s : kSeries) {
    const int32_t price = s.table(item)(year, month, day);
    if (price == 0) continue;
    const int y = Py(PriceY(price));
    Ellipse(dc, x - r, y - r, x + r, y + r);
  }
}

void MarketChart::Draw(PictureBox& graph, PictureBox& number, int16_t item, int16_t year, int16_t month,
                       int16_t day) {
  // Everything lands in the picture box's retained image and reaches the
  // screen in one repaint after the handler returns, so no half-drawn graph
  // is ever seen.
  DrawGrid(graph, number, item);
  if (PriceScale == 0) return;
  DrawLines(graph, item, year, month);
  DrawMarkers(graph, item, year, month, day);
}
