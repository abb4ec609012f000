// The market price graph as pixels in the picture boxes' retained images.
#include <cmath>

#include "market/MarketFixture.h"

namespace {

const QColor kWhite(255, 255, 255);

QColor At(PictureBox* p, int x, int y) { return QColor(p->PixelAt(x, y)); }

// Columns of a row, or rows of a column, that are not white.
std::vector<int> MarkedColumns(PictureBox* g, int y) {
  std::vector<int> out;
  for (int x = 0; x < g->InnerSize().width(); ++x)
    if (At(g, x, y) != kWhite) out.push_back(x);
  return out;
}
std::vector<int> MarkedRows(PictureBox* g, int x) {
  std::vector<int> out;
  for (int y = 0; y < g->InnerSize().height(); ++y)
    if (At(g, x, y) != kWhite) out.push_back(y);
  return out;
}

}  // namespace

TEST_F(MarketWindowTest, MonthGridHas31ColumnsAnd49RowsEveryFifthDark) {
  Produce(0, "トマト");
  SetCurrentDate({2001, 4, 10});  // 30 days: the 31st line is drawn all the same
  Open();
  PictureBox* g = f->pctGraph;
  const int h = g->InnerSize().height();
  // A row between two horizontal lines, a column between two vertical ones.
  const int row = (RowOf(300, 1000) + RowOf(320, 1000)) / 2;
  const int column = (ColumnOf(3) + ColumnOf(4)) / 2;

  const std::vector<int> columns = MarkedColumns(g, row);
  ASSERT_EQ(columns.size(), 31u);
  EXPECT_EQ(columns.front(), ColumnOf(1));
  EXPECT_EQ(columns.back(), ColumnOf(31));
  for (int x : columns) EXPECT_EQ(At(g, x, row), kPriceGridLight) << x;

  const std::vector<int> rows = MarkedRows(g, column);
  // 49 lines; at the foot the circles of day 1 do not reach this column.
  ASSERT_EQ(rows.size(), 49u);
  for (int i = 1; i <= 49; ++i) {
    const int y = rows[static_cast<size_t>(49 - i)];
    EXPECT_NEAR(y, RowOf(20 * i, 1000), 1) << i;
    EXPECT_EQ(At(g, column, y), i % 5 == 0 ? kPriceGridDark : kPriceGridLight) << i;
  }

  // Without prices: three circles drawn over each other at the bottom edge
  // over day 1, the low line's last; nothing else.
  EXPECT_EQ(At(g, ColumnOf(1), h - 2), kPriceLowColor);
  for (int x : MarkedColumns(g, h - 2)) {
    const QColor c = At(g, x, h - 2);
    EXPECT_TRUE(c == kPriceLowColor || c == kPriceGridLight) << x;
  }
}

TEST_F(MarketWindowTest, PriceLabelsSitLevelWithTheDarkLinesFromZeroToTheLimit) {
  Produce(0, "トマト");
  Open();
  PictureBox* n = f->pctNumber;
  const QColor face(n->PixelAt(50, 5));
  auto inked = [&](int from, int to) {
    for (int y = std::max(from, 0); y < std::min(to, n->InnerSize().height()); ++y)
      for (int x = 0; x < n->InnerSize().width(); ++x)
        if (QColor(n->PixelAt(x, y)) != face) return true;
    return false;
  };
  // Label i (i x 100 for a limit of 1000) is printed 5 pixels above the
  // line of price i x 100, in the strip's coordinates (it starts at the
  // window's top, the graph 12 pixels lower).
  const int graphTop = f->pctGraph->y();
  for (int i = 0; i <= 10; ++i) {
    const int top = graphTop + RowOf(100 * i, 1000) - 5;
    EXPECT_TRUE(inked(top, top + 10)) << i;
    if (i < 10) {
      EXPECT_FALSE(inked(top - 55, top - 2)) << i;
    }
  }
  // Nothing shows above the top label.
  EXPECT_FALSE(inked(0, graphTop + RowOf(1000, 1000) - 6));
}

TEST_F(MarketWindowTest, MonthLinesJoinTheRecordedDaysAndTheMarkersFollowThePointer) {
  Produce(0, "トマト");
  for (int d : {10, 12}) {
    PriceHigh(0)(2001, 5, d) = 500;
    PriceMid(0)(2001, 5, d) = 300;
    PriceLow(0)(2001, 5, d) = 100;
  }
  SetCurrentDate({2001, 5, 12});
  Open();
  PictureBox* g = f->pctGraph;
  const std::pair<int, QColor> lines[] = {{500, kPriceHighColor}, {300, kPriceMidColor}, {100, kPriceLowColor}};
  for (auto [price, colour] : lines) {
    // The 11th has no price: the line runs across it.
    EXPECT_EQ(At(g, ColumnOf(11), RowOf(price, 1000)), colour) << price;
    // The dot of a recorded day, and the marker around the current day:
    // a green ring filled light green.
    const int y = RowOf(price, 1000);
    EXPECT_EQ(At(g, ColumnOf(12), y - 5), kPriceMarkerColor) << price;
    EXPECT_EQ(At(g, ColumnOf(12), y - 3), kPriceGridLight) << price;
    EXPECT_NE(At(g, ColumnOf(10), y - 5), kPriceMarkerColor) << price;
  }
  // Nothing is drawn to the right of the last recorded day.
  EXPECT_EQ(At(g, (ColumnOf(13) + ColumnOf(14)) / 2, RowOf(500, 1000) - 1), kWhite);

  f->pctGraph_MouseMove(0, 0, 10 * f->Chart.PriceDayWidth, 5);
  for (auto [price, colour] : lines) {
    EXPECT_EQ(At(g, ColumnOf(10), RowOf(price, 1000) - 5), kPriceMarkerColor) << price;
    EXPECT_NE(At(g, ColumnOf(12), RowOf(price, 1000) - 5), kPriceMarkerColor) << price;
  }
}

TEST_F(MarketWindowTest, YearViewHasMonthLinesAndDrawsFromTheFirstDayToEachRecordedDay) {
  Produce(0, "トマト", 2000);
  for (int d : {10, 20}) {
    PriceHigh(0)(2001, 2, d) = 1600;
    PriceMid(0)(2001, 2, d) = 1000;
    PriceLow(0)(2001, 2, d) = 400;
  }
  SetCurrentDate({2001, 2, 20});
  MarketView = 1;
  Open();
  PictureBox* g = f->pctGraph;
  // The grid: a line at the end of every month. Each month's width is
  // rounded to whole pixels on its own, so a line may drift from its
  // month's last day by the half pixels of the months before.
  const std::vector<int> columns = MarkedColumns(g, (RowOf(1800, 2000) + RowOf(1840, 2000)) / 2);
  ASSERT_EQ(columns.size(), 12u);
  for (int m = 1, end = 0; m <= 12; ++m) {
    end += DaysInMonth(2001, m);
    EXPECT_NEAR(columns[static_cast<size_t>(m - 1)], ColumnOf(end), m == 1 ? 1 : 1 + m / 2) << m;
  }

  const std::pair<int, QColor> lines[] = {{1600, kPriceHighColor}, {1000, kPriceMidColor}, {400, kPriceLowColor}};
  const int bottom = g->InnerSize().height();
  for (auto [price, colour] : lines) {
    const int y = RowOf(price, 2000);
    EXPECT_EQ(At(g, ColumnOf(31 + 15), y), colour) << price;
    EXPECT_EQ(At(g, ColumnOf(31 + 20), y - 3), kPriceMarkerColor) << price;
    // From 1 January at the bottom edge (no price that day) up to the 10th
    // of February: half-way along, the line is half-way up.
    const int x0 = ColumnOf(1), x1 = ColumnOf(31 + 10);
    const int xm = (x0 + x1) / 2;
    const double ym = bottom + (y - bottom) * double(xm - x0) / (x1 - x0);
    bool found = false;
    for (int dy = -2; dy <= 2; ++dy) found = found || At(g, xm, static_cast<int>(std::lround(ym)) + dy) == colour;
    EXPECT_TRUE(found) << price;
  }
  // After the last recorded day the lines end.
  EXPECT_EQ(At(g, ColumnOf(31 + 40), RowOf(1600, 2000) - 2), kWhite);
}
