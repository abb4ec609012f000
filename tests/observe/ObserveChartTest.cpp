// What the year strip shows, read from the picture box's retained image.
#include "observe/ObserveFixture.h"

namespace {

const QRgb kLine = qRgb(192, 255, 192);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

// Columns of the strip holding colour c anywhere from row 13 down.
std::vector<int> ColumnsWith(const PictureBox* box, QRgb c) {
  std::vector<int> xs;
  const QSize size = box->InnerSize();
  for (int x = 0; x < size.width(); ++x)
    for (int y = 13; y < size.height(); ++y)
      if (box->PixelAt(x, y) == c) {
        xs.push_back(x);
        break;
      }
  return xs;
}

}  // namespace

TEST_F(ObserveTest, AnEmptyCropShowsTwelveMonthLinesAndNoBars) {
  Open();
  const PictureBox* g = f->pctGraph;
  std::vector<int> expected;
  for (int m = 1; m <= 12; ++m) expected.push_back(MonthLineX(2001, m));
  EXPECT_EQ(ColumnsWith(g, kLine), expected);
  EXPECT_TRUE(ColumnsWith(g, kRed).empty());
  // A line runs from the top to the bottom of the strip.
  const int x = MonthLineX(2001, 4);
  EXPECT_EQ(g->PixelAt(x, 0), kLine);
  EXPECT_EQ(g->PixelAt(x, g->InnerSize().height() - 1), kLine);
  // The month names are green, left of their month's first line.
  bool green = false;
  for (int px = 0; px < MonthLineX(2001, 1) && !green; ++px)
    for (int py = 0; py < 13 && !green; ++py) green = g->PixelAt(px, py) == qRgb(0, 128, 0);
  EXPECT_TRUE(green);
}

TEST_F(ObserveTest, TheLastMonthLineLeavesOneDayFreeInACommonYearAndNoneInALeapYear) {
  Open();
  const int width = f->pctGraph->InnerSize().width();
  const double day = f->Chart.ObserveDayWidth / TwipsPerPixelX;
  // The day width is whole twips: up to half a twip per day is lost.
  const double slack = 366 * 0.5 / TwipsPerPixelX + 1;
  EXPECT_NEAR(width - MonthLineX(2001, 12), day, slack);
  EXPECT_EQ(ColumnsWith(f->pctGraph, kLine).back(), MonthLineX(2001, 12));
  GoTo(2004, 6, 1);
  EXPECT_EQ(ColumnsWith(f->pctGraph, kLine).back(), MonthLineX(2004, 12));
  EXPECT_NEAR(width - MonthLineX(2004, 12), 0, slack);
  EXPECT_GT(MonthLineX(2004, 12), MonthLineX(2001, 12));
}

TEST_F(ObserveTest, BarsMarkDaysWithACommentOrAPictureAndTheHoveredOneIsBlue) {
  TwoCrops();
  ObserveItem(1).Comment(2001, 4, 10) = "コメントだけ";
  ObserveFile(1)(2001, 9, 3) = dir.file("写真だけ.jpg");  // missing: still a mark
  ObserveItem(0).Comment(2001, 6, 1) = "別の作物";
  Open();
  f->cmbProduce->setCurrentIndex(1);
  const int comment = BarX(DayOfYear(2001, 4, 10)), picture = BarX(DayOfYear(2001, 9, 3));
  const std::vector<int> bars{comment, comment + 1, picture, picture + 1};
  EXPECT_EQ(ColumnsWith(f->pctGraph, kRed), bars);
  // From row 13 to the bottom, two pixels wide.
  const int bottom = f->pctGraph->InnerSize().height() - 1;
  EXPECT_EQ(f->pctGraph->PixelAt(comment, 13), kRed);
  EXPECT_EQ(f->pctGraph->PixelAt(comment + 1, bottom), kRed);
  EXPECT_NE(f->pctGraph->PixelAt(comment, 12), kRed);
  EXPECT_NE(f->pctGraph->PixelAt(comment + 2, 20), kRed);

  f->pctGraph_MouseMove(0, 0, DayX(DayOfYear(2001, 4, 10)), 100);
  EXPECT_EQ(ColumnsWith(f->pctGraph, kBlue), (std::vector<int>{comment, comment + 1}));
  EXPECT_EQ(ColumnsWith(f->pctGraph, kRed), (std::vector<int>{picture, picture + 1}));
  f->pctGraph_MouseMove(0, 0, DayX(DayOfYear(2001, 9, 3)), 100);
  EXPECT_EQ(ColumnsWith(f->pctGraph, kBlue), (std::vector<int>{picture, picture + 1}));
  EXPECT_EQ(ColumnsWith(f->pctGraph, kRed), (std::vector<int>{comment, comment + 1}));
  EXPECT_TRUE(PictureNoteShown(f->pctPicture).startsWith(QStringLiteral("画像ファイルが見つかりません")));

  // A first comment typed on a day puts its bar up at once; clearing it
  // takes the bar away.
  boxes.clear();
  GoTo(2001, 11, 20);
  const int typed = BarX(DayOfYear(2001, 11, 20));
  EXPECT_EQ(f->pctGraph->PixelAt(typed, 30), kWhite);
  Type(QStringLiteral("霜"));
  EXPECT_EQ(f->pctGraph->PixelAt(typed, 30), kRed);
  Type(QString());
  EXPECT_EQ(f->pctGraph->PixelAt(typed, 30), kWhite);
}
