#pragma once
// A grid of text cells with fixed rows on top that stay in place while the
// data rows scroll beneath them, built from two table views over one set of
// columns: the fixed rows are a table of their own, set into the data
// table's column header, so both share every column width and scroll
// sideways together.
//
// Rows are counted over the whole grid: rows 0 .. FixedRows()-1 are the
// fixed rows, FixedRows() .. Rows()-1 the data rows. Fixed cells keep what
// is written into them; in a merge-enabled fixed row, neighbouring cells of
// equal text are shown as one, and a merge-enabled column joins equal fixed
// cells above each other (a cell joined sideways stays as it is). Data rows
// are never merged.
//
// The texts of the data rows come from a text source, asked only for the
// cells on screen, so a grid of many thousands of rows is filled at once. A
// text written into a data cell shows over the source's until the data rows
// are set again.
//
// Events, as signals, with the arguments windows expect:
//  - SelChange: the current cell changed (by the user or by SetRow/SetCol).
//  - DblClick: a data cell was double-clicked (it is current by then).
//  - KeyDown(keyCode, shift): a key was pressed while the grid had the focus
//    (classic virtual-key codes, see VbKeyCode in PictureBox.h; 229 for text
//    coming from an input method, which is then passed on to the widget
//    that has the focus after the handlers ran).
//  - KeyPress(keyAscii): after KeyDown, for a typed character: 13 Enter,
//    8 Backspace, 27 Esc, or the character's code for printable ones.
// Arrow keys, Page Up/Down, Home and End move the current cell; Tab moves
// the focus on. Cells cannot be edited in place by the views themselves.
#include <QFrame>
#include <QHash>
#include <QString>
#include <QVector>
#include <functional>

class QTableView;
class QAbstractTableModel;

class FlexGrid : public QFrame {
  Q_OBJECT

 public:
  explicit FlexGrid(QWidget* parent = nullptr);
  ~FlexGrid() override;

  // --- Shape ---------------------------------------------------------------
  int Cols() const { return cols_; }
  void SetCols(int cols);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int rows);
  int Rows() const { return fixedRows_ + dataRows_; }
  int ColWidth(int col) const;
  void SetColWidth(int col, int pixels);
  int RowHeight() const { return rowHeight_; }
  void SetColAlignment(int col, Qt::Alignment alignment);
  void SetMergeRow(int row, bool merge);
  void SetMergeCol(int col, bool merge);

  // --- Texts ---------------------------------------------------------------
  using TextSource = std::function<QString(int row, int col)>;
  // Replaces the data rows: count rows whose texts source gives (row and col
  // as the grid counts them). Texts written into data cells are dropped.
  void SetDataRows(int count, TextSource source);
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);

  // --- Current cell and scrolling ------------------------------------------
  int Row() const;
  int Col() const;
  // A row or column outside the data cells raises run-time error 380
  // (invalid property value): a bad index is reported, never clamped.
  void SetRow(int row);
  void SetCol(int col);
  // The first data row shown at the top of the scrolling part.
  int TopRow() const;
  void SetTopRow(int row);
  // Whether the whole row is in view.
  bool RowIsVisible(int row) const;
  // The current cell's rectangle in the grid's own coordinates, after
  // scrolling it into view.
  QRect CurrentCellRect();

  // The two views, for tests and screenshots.
  QTableView* FixedView() const { return fixedView_; }
  QTableView* DataView() const { return dataView_; }

 signals:
  void SelChange();
  void DblClick();
  void KeyDown(int keyCode, int shift);
  void KeyPress(int keyAscii);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  friend class FlexPartModel;
  void UpdateMerges();
  void UpdateHeaderHeight();
  void CheckCell(int row, int col) const;
  bool HandleKey(class QKeyEvent* e);

  int cols_ = 0;
  int fixedRows_ = 0;
  int dataRows_ = 0;
  int rowHeight_ = 18;
  QVector<QString> fixedText_;  // fixedRows_ x cols_
  QVector<Qt::Alignment> align_;
  QVector<bool> mergeRow_;
  QVector<bool> mergeCol_;
  TextSource source_;
  QHash<qint64, QString> written_;  // texts written into data cells

  QTableView* fixedView_ = nullptr;
  QTableView* dataView_ = nullptr;
  class FlexPartModel* fixedModel_ = nullptr;
  class FlexPartModel* dataModel_ = nullptr;
  class FlexHeader* header_ = nullptr;
};
