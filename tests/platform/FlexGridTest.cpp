// The grid with fixed rows: texts, merging of the fixed cells and the bounds
// of its indexes.
#include <gtest/gtest.h>

#include <QTableView>

#include "platform/FlexGrid.h"
#include "runtime/RuntimeError.h"
#include "support/GuiTest.h"

TEST(FlexGrid, WrittenTextsShowOverTheSourceUntilTheDataRowsAreSetAgain) {
  FlexGrid g;
  g.SetCols(3);
  g.SetFixedRows(1);
  int asked = 0;
  g.SetDataRows(100000, [&](int row, int col) {
    ++asked;
    return QString::number(row * 10 + col);
  });
  EXPECT_EQ(g.Rows(), 100001);
  EXPECT_EQ(g.TextMatrix(5, 2), QStringLiteral("52"));
  g.SetTextMatrix(5, 2, QStringLiteral("typed"));
  g.SetTextMatrix(0, 1, QStringLiteral("head"));
  EXPECT_EQ(g.TextMatrix(5, 2), QStringLiteral("typed"));
  EXPECT_EQ(g.DataView()->model()->index(4, 2).data().toString(), QStringLiteral("typed"));
  EXPECT_EQ(g.FixedView()->model()->index(0, 1).data().toString(), QStringLiteral("head"));
  g.SetDataRows(10, [](int row, int col) { return QString::number(row * 10 + col); });
  EXPECT_EQ(g.TextMatrix(5, 2), QStringLiteral("52"));
  EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("head"));  // fixed texts stay
  EXPECT_LT(asked, 100);  // only asked for what was read

  for (auto [row, col] : {std::pair{11, 0}, {-1, 0}, {3, 3}, {3, -1}})
    EXPECT_THROW(g.TextMatrix(row, col), rt::RuntimeError) << row << "," << col;
  EXPECT_THROW(g.SetRow(0), rt::RuntimeError);  // a fixed row is never current
  EXPECT_THROW(g.SetTopRow(11), rt::RuntimeError);
  g.SetRow(10);
  g.SetCol(2);
  EXPECT_EQ(g.Row(), 10);
  EXPECT_EQ(g.Col(), 2);
}

TEST(FlexGrid, EqualFixedNeighboursMergeWhereMergingIsAllowed) {
  FlexGrid g;
  g.SetCols(4);
  g.SetFixedRows(2);
  const char* texts[2][4] = {{"a", "a", "a", "b"}, {"x", "y", "y", "b"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c) g.SetTextMatrix(r, c, QString::fromLatin1(texts[r][c]));
  QTableView* v = g.FixedView();
  EXPECT_EQ(v->columnSpan(0, 0), 1);  // nothing merges before it is allowed
  g.SetMergeRow(0, true);
  g.SetMergeCol(3, true);
  EXPECT_EQ(v->columnSpan(0, 0), 3);
  EXPECT_EQ(v->columnSpan(1, 1), 1);  // row 1 does not merge
  EXPECT_EQ(v->rowSpan(0, 3), 2);
  // A cell joined sideways does not join downwards as well.
  g.SetTextMatrix(0, 2, QStringLiteral("y"));
  g.SetMergeCol(2, true);
  EXPECT_EQ(v->columnSpan(0, 0), 2);
  EXPECT_EQ(v->rowSpan(0, 2), 2);
  g.SetMergeRow(1, true);
  EXPECT_EQ(v->columnSpan(1, 1), 2);
  EXPECT_EQ(v->rowSpan(0, 2), 1);
}
