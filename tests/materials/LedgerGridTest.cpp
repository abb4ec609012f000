// The ledger grid: its rows, the field behind each cell, the in-place editor
// and what an edit stores.
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>

#include "materials/MaterialFixture.h"
#include "store/MaterialFile.h"

namespace {

// A fertiliser with three purchases and one use, a film without any
// transaction, and seed whose purchase holds more than 32 bits can count.
void FillSampleLedger() {
  int fert = AddMaterial("肥料", 1200, 20, "kg");
  AddTransaction(fert, 20010503, 0, 3, 60);
  AddTransaction(fert, 20010510, 0, 2, 100);
  AddTransaction(fert, 20010601, 1, 15, 85);
  AddTransaction(fert, 20010602, 0, 1, 105);
  AddMaterial("マルチ", 3000, 200, "m");
  int seed = AddMaterial("種", 500, 100000, "粒");
  AddTransaction(seed, 20020101, 0, 100000, 7);
  AddTransaction(seed, 20020102, 5, 1, 1);  // a mode nobody writes
}

QStringList RowTexts(FlexGrid* g, int row) {
  QStringList t;
  for (int c = 0; c < g->Cols(); ++c) t << g->TextMatrix(row, c);
  return t;
}

}  // namespace

TEST_F(MaterialTest, RowsFollowTheTransactionsWithABlankRowAfterEachMaterialThatHasAny) {
  FillSampleLedger();
  Open();
  // Fertiliser in rows 2..5 and a blank row 6; the film alone in row 7; seed
  // in rows 8..9, a blank row 10; one empty row at the end.
  ASSERT_EQ(grid()->Rows(), 12);
  EXPECT_EQ(RowTexts(grid(), 2), (QStringList{"肥料", "1200", "20", "kg", "", "2001/05/03", "", "3", "60", "", "60"}));
  EXPECT_EQ(RowTexts(grid(), 4), (QStringList{"", "", "", "", "", "", "2001/06/01", "", "", "15", "85"}));
  EXPECT_EQ(RowTexts(grid(), 5), (QStringList{"", "", "", "", "", "2001/06/02", "", "1", "20", "", "105"}));
  EXPECT_EQ(RowTexts(grid(), 6), QStringList(11, QString()));
  EXPECT_EQ(RowTexts(grid(), 7), (QStringList{"マルチ", "3000", "200", "m", "", "", "", "", "", "", ""}));
  EXPECT_EQ(Cell(8, 8), QStringLiteral("10000000000"));  // computed without overflow
  EXPECT_EQ(RowTexts(grid(), 9), QStringList(11, QString()));
  EXPECT_EQ(RowTexts(grid(), 11), QStringList(11, QString()));

  // The field behind each cell (data rows, grid row - 2).
  EXPECT_EQ(CellKey(1, 0, 0), "Name");
  EXPECT_EQ(CellKey(0, 0, 0), "1");
  EXPECT_EQ(CellKey(1, 3, 0), "Unit");
  EXPECT_EQ(CellKey(1, 5, 0), "01");
  EXPECT_EQ(CellKey(1, 7, 1), "22");
  EXPECT_EQ(CellKey(1, 6, 2), "03");
  EXPECT_EQ(CellKey(1, 9, 2), "23");
  EXPECT_EQ(CellKey(1, 10, 3), "34");
  EXPECT_EQ(CellKey(1, 1, 5), "Price");
  EXPECT_EQ(CellKey(0, 1, 5), "2");
  for (auto [col, row] : {std::pair{8, 0}, {4, 0}, {6, 0}, {5, 2}, {0, 1}, {0, 4}, {5, 7}, {10, 9}})
    EXPECT_EQ(CellKey(1, col, row), "") << col << "," << row;
  EXPECT_EQ(CellKey(0, 8, 0), "");
  EXPECT_THROW(CellKey(1, 11, 0), rt::RuntimeError);
  EXPECT_THROW(CellKey(1, 0, 10), rt::RuntimeError);
}

TEST_F(MaterialTest, TheGridShowsEveryMaterialAndEveryTransactionOfAFullFile) {
  // Forty materials of 1000 transactions: more rows than 16 bits count.
  for (int m = 1; m <= kMaterials; ++m) AddMaterial(("M" + std::to_string(m)).c_str(), m, 1, "u");
  for (int m = 1; m <= 40; ++m)
    for (int j = 1; j <= kTransactions; ++j) Material(m).Date(j) = 20010101, Material(m).RemainVol(j) = j;
  ASSERT_TRUE(SaveMaterial());
  ResetStore();
  DataPath = dir.dir();
  Open();  // reads the file
  ASSERT_EQ(grid()->Rows(), 2 + 40 * (kTransactions + 1) + (kMaterials - 40) + 1);
  EXPECT_EQ(Cell(2 + kTransactions - 1, 10), QStringLiteral("1000"));
  EditCell(grid()->Rows() - 2, 1, QStringLiteral("7"));
  EXPECT_EQ(Material(kMaterials).Price, 7);
  // An edit and a save keep what the grid does not show.
  EditCell(2, 1, QStringLiteral("5"));
  f->cmdSave_Click();
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Price, 5);
  EXPECT_EQ(Material(kMaterials).Price, 7);
}

TEST_F(MaterialTest, ATypedDigitOpensTheEditorWithItAndEnterStoresIt) {
  FillSampleLedger();
  Open();
  Select(2, 1);
  GridKey(Qt::Key_7, QStringLiteral("7"));
  ASSERT_FALSE(f->txtForEdit->isHidden());
  EXPECT_EQ(f->txtForEdit->text(), QStringLiteral("7"));
  EXPECT_EQ(f->txtForEdit->cursorPosition(), 1);
  EXPECT_EQ(EditRow, 2);
  EXPECT_EQ(EditCol, 1);
  // The editor lies over the cell.
  QRect cell = grid()->CurrentCellRect().translated(grid()->pos());
  EXPECT_EQ(f->txtForEdit->geometry(), cell);
  EditorKey(Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_TRUE(f->txtForEdit->isHidden());
  EXPECT_EQ(Material(1).Price, 7);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("7"));
  EXPECT_TRUE(Changed(RecordKind::Material));

  // Esc leaves the cell and the record as they were.
  ClearChanged(RecordKind::Material);
  GridKey(Qt::Key_9, QStringLiteral("9"));
  EXPECT_EQ(f->txtForEdit->text(), QStringLiteral("9"));
  EditorKey(Qt::Key_Escape, QStringLiteral("\x1b"));
  EXPECT_TRUE(f->txtForEdit->isHidden());
  EXPECT_EQ(Material(1).Price, 7);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("7"));
  EditCell(2, 1, QStringLiteral("07"));  // the same price: nothing to save
  EXPECT_FALSE(Changed(RecordKind::Material));
  EXPECT_TRUE(boxes.calls().empty());
  GridKey(Qt::Key_Space, QStringLiteral(" "));  // the old value is selected
  EditorKey(Qt::Key_8, QStringLiteral("8"));
  EditorKey(Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(Material(1).Price, 8);
}

TEST_F(MaterialTest, EveryWayOfStartingAnEditGivesItsTextAndCaret) {
  FillSampleLedger();
  Open();
  struct Case {
    const char* what;
    std::function<void()> start;
    QString text;
    int caret;
  };
  QWidget* viewport = grid()->DataView()->viewport();
  const Case cases[] = {
      {"double-click",
       [&] {
         QPoint at = grid()->DataView()->visualRect(grid()->DataView()->model()->index(0, 0)).center();
         for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                           QEvent::MouseButtonRelease}) {
           QMouseEvent e(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                         type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
           QCoreApplication::sendEvent(viewport, &e);
         }
       },
       "肥料", 0},
      {"space", [&] { GridKey(Qt::Key_Space, QStringLiteral(" ")); }, "肥料", 0},
      {"Enter", [&] { GridKey(Qt::Key_Return, QStringLiteral("\r")); }, "肥料", 2},
      {"F2", [&] { GridKey(Qt::Key_F2); }, "肥料", 2},
      {"Delete", [&] { GridKey(Qt::Key_Delete, QStringLiteral("\x7f")); }, "", 0},
      {"Backspace", [&] { GridKey(Qt::Key_Backspace, QStringLiteral("\b")); }, "", 0},
      {"letter", [&] { GridKey(Qt::Key_A, QStringLiteral("a")); }, "a", 1},
      {"input method",
       [&] {
         // The composed text goes on into the editor and replaces the old.
         QInputMethodEvent e;
         e.setCommitString(QStringLiteral("ひ"));
         QCoreApplication::sendEvent(grid()->DataView(), &e);
       },
       "ひ", 1},
  };
  for (const Case& c : cases) {
    Select(2, 0);
    c.start();
    ASSERT_FALSE(f->txtForEdit->isHidden()) << c.what;
    EXPECT_EQ(f->txtForEdit->text(), c.text) << c.what;
    EXPECT_EQ(f->txtForEdit->cursorPosition(), c.caret) << c.what;
    EditorKey(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(Material(1).Name, "肥料") << c.what;
  }
  // A control character opens nothing.
  Select(2, 0);
  GridKey(Qt::Key_A, QStringLiteral("\x01"));
  EXPECT_TRUE(f->txtForEdit->isHidden());
}

TEST_F(MaterialTest, ArrowKeysSkipTheDividerBothWays) {
  FillSampleLedger();
  Open();
  Select(3, 3);
  GridKey(Qt::Key_Right);
  EXPECT_EQ(grid()->Col(), 5);
  GridKey(Qt::Key_Left);
  EXPECT_EQ(grid()->Col(), 3);
  Select(3, 0);
  grid()->SetCol(4);  // a click on the divider coming from the left
  EXPECT_EQ(grid()->Col(), 5);
  EXPECT_EQ(f->LastCol, 5);
}

TEST_F(MaterialTest, CellsWithoutAFieldStoreNothingAndRaiseNothing) {
  FillSampleLedger();
  Open();
  const MaterialRec before = Material(1);
  for (auto [row, col] : {std::pair{2, 8}, {2, 6}, {6, 1}, {11, 10}}) {
    EditCell(row, col, QStringLiteral("not a number"));
    EXPECT_TRUE(f->txtForEdit->isHidden());
  }
  // The divider cannot be made current; its cells have no field either.
  EXPECT_EQ(StoreCellText(4, 0, QStringLiteral("x")), CellStore::NoField);
  EXPECT_TRUE(Material(1) == before);
  EXPECT_EQ(Cell(2, 8), QStringLiteral("60"));  // the computed value is back
  EXPECT_EQ(Cell(2, 6), QString());
  EXPECT_FALSE(Changed(RecordKind::Material));
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MaterialTest, ABadValueIsRefusedWithItsMessageAndTheLedgerStaysWhole) {
  FillSampleLedger();
  Open();
  const MaterialRec before = Material(1);
  const struct {
    int row, col;
    const char* text;
  } bad[] = {
      {3, 5, ""},            // would end the transactions after the first
      {3, 5, "0"},           //
      {3, 5, "2001/02/29"},  // not a day
      {3, 5, "1998/05/01"},  // outside the years kept
      {3, 5, "2031/01/01"},  //
      {3, 5, "2001/5/3"},    //
      {2, 0, ""},            // would end the material list
      {2, 1, ""},            //
      {2, 1, "abc"},         //
      {2, 2, "1.5"},         //
      {3, 7, "99999999999"}, // beyond 32 bits
      {4, 10, "-"},          //
  };
  for (auto b : bad) {
    boxes.clear();
    EditCell(b.row, b.col, QString::fromUtf8(b.text));
    EXPECT_EQ(Messages(), std::vector<QString>{kMsgBadValue}) << b.text;
  }
  EXPECT_TRUE(Material(1) == before);
  EXPECT_FALSE(Changed(RecordKind::Material));
  EXPECT_EQ(Cell(3, 5), QStringLiteral("2001/05/10"));
  EXPECT_EQ(Cell(5, 5), QStringLiteral("2001/06/02"));  // the later ones stay too
  ASSERT_TRUE(SaveMaterial());
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Date(4), 20010602);
  EXPECT_EQ(Material(3).Name, "種");
}

TEST_F(MaterialTest, GoodValuesAreStoredByTheCellsCode) {
  FillSampleLedger();
  Open();
  boxes.clear();
  EditCell(2, 0, QStringLiteral("化成肥料"));
  EditCell(2, 2, QStringLiteral("２５"));  // full-width digits, as an input method types them
  EditCell(2, 3, QString());               // a unit may be empty
  EditCell(3, 5, QStringLiteral("2000/02/29"));
  EditCell(4, 9, QStringLiteral("-5"));
  EditCell(5, 10, QStringLiteral("0"));
  EditCell(3, 7, QStringLiteral("4"));  // carries the remainders on from its transaction
  EXPECT_TRUE(boxes.calls().empty());
  const MaterialRec& r = Material(1);
  EXPECT_EQ(r.Name, "化成肥料");
  EXPECT_EQ(r.Volume, 25);
  EXPECT_EQ(r.Unit, "");
  EXPECT_EQ(r.Date(2), 20000229);
  EXPECT_EQ(r.OrVolNum(3), -5);
  EXPECT_EQ(r.OrVolNum(2), 4);
  EXPECT_EQ(r.RemainVol(3), 180);  // 75 + 4 x 25 + 5
  EXPECT_EQ(r.RemainVol(4), 205);
  EXPECT_EQ(Cell(3, 8), QStringLiteral("100"));  // 4 x 25 at the refill
  EXPECT_TRUE(Changed(RecordKind::Material));
}

TEST_F(MaterialTest, UpAndDownInTheEditorStoreAndMoveScrollingIntoView) {
  int m = AddMaterial("M", 1, 1, "u");
  for (int j = 1; j <= 100; ++j) AddTransaction(m, 20010101, 0, 1, j);
  Open();
  // The last row in full view.
  int last = grid()->TopRow();
  while (grid()->RowIsVisible(last + 1)) ++last;
  Select(last, 10);
  f->mfgMaterial_DblClick();
  f->txtForEdit->setText(QStringLiteral("500"));
  EditorKey(Qt::Key_Down);
  EXPECT_TRUE(f->txtForEdit->isHidden());
  EXPECT_EQ(Material(1).RemainVol(last - 1), 500);
  EXPECT_EQ(grid()->Row(), last + 1);
  EXPECT_TRUE(grid()->RowIsVisible(last + 1));
  EXPECT_EQ(grid()->TopRow(), 3);

  Select(2, 10);
  f->mfgMaterial_DblClick();
  f->txtForEdit->setText(QStringLiteral("9"));
  EditorKey(Qt::Key_Up);
  EXPECT_EQ(Material(1).RemainVol(1), 9);
  EXPECT_EQ(grid()->Row(), 2);  // the first data row stays
}

TEST_F(MaterialTest, TheHeaderRowsStayInPlaceWhileTheDataScroll) {
  int m = AddMaterial("M", 1, 1, "u");
  for (int j = 1; j <= 300; ++j) AddTransaction(m, 20010101, 0, 1, j);
  Open();
  QTableView* fixed = grid()->FixedView();
  // Merged as the header reads.
  EXPECT_EQ(fixed->columnSpan(0, 0), 4);
  EXPECT_EQ(fixed->rowSpan(0, 4), 2);
  EXPECT_EQ(fixed->columnSpan(0, 5), 2);
  EXPECT_EQ(fixed->columnSpan(0, 7), 2);
  EXPECT_EQ(fixed->columnSpan(0, 9), 2);
  EXPECT_EQ(fixed->columnSpan(1, 5), 1);

  const QRect header(fixed->mapTo(grid(), QPoint(0, 0)), fixed->size());
  const QImage before = grid()->grab().toImage();
  grid()->SetTopRow(102);
  ProcessEvents();
  const QImage after = grid()->grab().toImage();
  EXPECT_EQ(grid()->DataView()->rowAt(0), 100);
  EXPECT_EQ(QRect(fixed->mapTo(grid(), QPoint(0, 0)), fixed->size()), header);
  EXPECT_EQ(before.copy(header), after.copy(header));
  const QRect data(grid()->DataView()->viewport()->mapTo(grid(), QPoint(0, 0)), QSize(grid()->width() / 2, 40));
  EXPECT_NE(before.copy(data), after.copy(data));
  EXPECT_GE(header.height(), 2 * grid()->RowHeight());
  Key(grid()->DataView(), Qt::Key_End, {}, Qt::ControlModifier);
  EXPECT_TRUE(grid()->RowIsVisible(grid()->TopRow()));  // not cut under the header
}

TEST_F(MaterialTest, ButtonsAndGridSitWhereTheyBelong) {
  Open();
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Vorn　資材管理表"));
  EXPECT_EQ(f->cmdMaterialInput->geometry(), QRect(2, 2, 87, 41));
  EXPECT_EQ(f->cmdClose->geometry(), QRect(354, 2, 87, 41));
  EXPECT_EQ(f->cmdClose->font().pointSize(), 12);
  EXPECT_EQ(grid()->geometry(), QRect(0, 44, f->width(), f->height() - 44));
  EXPECT_EQ(grid()->ColWidth(4), 3);
  EXPECT_EQ(grid()->ColWidth(0), 125);
  f->resize(600, 40);
  EXPECT_EQ(grid()->geometry(), QRect(0, 44, 600, 40));
  EXPECT_EQ(grid()->Row(), 2);
  EXPECT_EQ(grid()->Col(), 0);
}

TEST_F(MaterialTest, SaveWritesTheFileAndAFailedSaveKeepsTheFlag) {
  FillSampleLedger();
  Open();
  EditCell(2, 1, QStringLiteral("1500"));
  ASSERT_TRUE(Changed(RecordKind::Material));
  // A directory where the file should be: the writer cannot replace it.
  std::filesystem::create_directory(dir.file("material.dat"));
  f->cmdSave_Click();
  EXPECT_TRUE(Changed(RecordKind::Material));
  EXPECT_FALSE(boxes.calls().empty());
  std::filesystem::remove(dir.file("material.dat"));
  f->cmdSave_Click();
  EXPECT_FALSE(Changed(RecordKind::Material));
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Price, 1500);
}

TEST_F(MaterialTest, AReloadDropsAnOpenEditAndRefills) {
  FillSampleLedger();
  Open();
  Select(7, 0);
  GridKey(Qt::Key_X, QStringLiteral("x"));
  ASSERT_FALSE(f->txtForEdit->isHidden());
  Material(2).Name.clear();  // the file read again ends the list earlier
  ReloadMaterialWindow();    // not loaded through the slot: nothing happens
  EXPECT_FALSE(f->txtForEdit->isHidden());
  f->Reload();
  EXPECT_TRUE(f->txtForEdit->isHidden());
  EXPECT_EQ(Material(2).Name, "");
  EXPECT_EQ(grid()->Rows(), 2 + 5 + 1);
  EXPECT_EQ(grid()->Row(), grid()->Rows() - 1);
  EXPECT_TRUE(boxes.calls().empty());
}
