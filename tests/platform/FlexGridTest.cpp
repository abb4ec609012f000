// The grid with fixed rows: texts from a source and written over it, and the
// bounds of its indexes. (Merging and frozen rows: tests/materials.)
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
