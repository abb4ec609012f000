#pragma once
// Routines of the material ledger and its two entry dialogs: the grid fill
// with the field behind every cell, the in-place editor, and the reading and
// checking of what the farmer types.
//
// The ledger grid has 11 columns: the material's name, unit price, quantity
// per purchase unit and unit (0..3), a narrow divider (4), the dates of
// purchases (5) and uses (6), the units bought and the quantity they hold
// (7, 8), the quantity used (9) and what remains after the transaction (10).
// Each material takes one row per transaction, its own values in the first;
// a material with transactions is followed by one empty row.
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "store/Store.h"

class FlexGrid;
class QDialog;
class QLabel;
class QLineEdit;
class QWidget;

constexpr int kLedgerCols = 11;
constexpr int kLedgerFixedRows = 2;

// The field behind every data cell of the grid, rebuilt by every fill.
// CellKey(0, col, row) is the number of the material the cell belongs to, as
// decimal text; CellKey(1, col, row) the cell's field code: "Name", "Price",
// "Volume", "Unit" for the material's own cells, "0" & j (date), "2" & j
// (count or quantity) or "3" & j (remaining quantity) for the cells of
// transaction j, "" for a cell without a field. row is the data row (grid
// row - 2). An index outside raises run-time error 9.
//
// One small record per row stands for the eleven cells, so that a full
// ledger of some 60,000 rows is keyed at once.
class CellKeyTable {
 public:
  std::string operator()(int kind, int col, int row) const;
  int Rows() const { return static_cast<int>(rows_.size()); }
  // One empty data row.
  void Reset();
  void AddRow();
  // The material's own values in row (columns 0 to 3).
  void SetMaterial(int row, int m);
  // Transaction j of material m in row; mode 0 purchase, 1 use (any other
  // mode gives the row no fields).
  void SetTransaction(int row, int m, int j, int mode);

  struct RowKey {
    int16_t m = 0;      // material, 0 for none
    int16_t j = 0;      // transaction, 0 for none
    int8_t mode = -1;   // 0 purchase, 1 use, -1 none
    bool own = false;   // the material's own values are in this row
  };
  const RowKey& At(int row) const;

 private:
  std::vector<RowKey> rows_;
};

extern CellKeyTable CellKey;
// The grid cell being edited (grid row and column); 2 and 0 after loading.
// A full ledger has some 300,000 rows, more than 16 bits can count.
extern int EditRow;
extern int EditCol;

// Rebuilds the grid's data rows and CellKey from Material; the current cell
// stays where it was (as far as the grid still has it). Errors are reported;
// the grid is repainted on every path.
void FillMaterialGrid(FlexGrid* grid);

// The text of a data cell as the fill shows it (data row, grid column).
QString LedgerCellText(int row, int col);

// A transaction date (yyyymmdd) as the grid shows it: the digits cut as
// yyyy/mm/dd.
QString LedgerDateText(int32_t date);

// Opens the in-place editor on the grid's current cell. keyCode 32: the
// cell's text, caret at the start; 13: the cell's text, caret at the end;
// either way the old text is selected, so that what is typed replaces it;
// 8: empty; any other printable character: that character alone, caret after
// it. Control characters open nothing.
void StartCellEdit(FlexGrid* grid, QLineEdit* box, int keyCode);

// Keys inside the editor: Esc closes it without storing; Enter, Up and Down
// store it (by giving the grid the focus), Up and Down then move one data
// row, scrolling by one row when the new row is out of view.
void CellEditKeyDown(FlexGrid* grid, QLineEdit* box, int keyCode);

// What storing an edited cell did. Unchanged: the value read back is the one
// the field held (the same text, or the same number written another way).
enum class CellStore { Stored, Unchanged, NoField, Refused };

// Stores the text of an edited cell into the field behind it (column and
// data row of the grid). Cells without a field store nothing. A value that
// would damage the ledger is refused and nothing changes: an empty name (it
// would end the material list), a date that is not a real day of 1999..2030
// written yyyy/mm/dd (0 would end the transaction list), a number cell that
// is not a whole number of the 32-bit range, or a remainder carried beyond
// it. A new count or quantity per unit carries the remainders on from its
// transaction (from the first for the quantity per unit); a remainder typed
// in is a stock-take, and the transactions after it carry on from it.
CellStore StoreCellText(int col, int row, const QString& text);

// --- Reading what the dialogs were given -----------------------------------

// A whole number of the 32-bit range: a text that is not a number (the empty
// text included) or not whole raises 13, one beyond the range 6.
int32_t WholeNumber(const QString& text);

// The date of a masked box "9999/99/99" as it shows (with "_" where nothing
// was typed), read as the number yyyymmdd. A single digit typed in either
// place of the month or the day gets a leading zero; the value is that of
// the leading digits ("_" ends it), so an empty box reads 0.
int32_t ReadMaskedDate(const QString& shown);

// Whether n (as ReadMaskedDate gave it for the shown text) is a real day of
// 1999..2030. A number too short to hold a month and day (a year typed in
// part) raises 13.
bool MaskedDateIsValid(const QString& shown, int32_t n);

// The first material without a name, or the first transaction of m whose
// date is 0; 0 when the table is full.
int FirstFreeMaterial();
int FirstFreeTransaction(const MaterialRec& m);

// The quantity left after a new transaction j of material rec: a purchase
// adds count x Volume, a use takes count away, from what was left after
// transaction j - 1 (0 for the first). A result beyond the 32-bit range
// raises 6.
int32_t RemainAfter(const MaterialRec& rec, int j, int mode, int32_t count);

// v as a signed 32-bit value; beyond the range raises 6.
int32_t Long32(int64_t v);

// The date boxes take digits only: "+", "-" and space are swallowed, both as
// key codes (set to 0) and as typed characters (set to 0).
void SwallowDateKeyDown(int& keyCode);
void SwallowDateKeyPress(int& keyAscii);

// Common set-up of the two entry dialogs: modal over the ledger, an inner
// area of width x height pixels, the given font size for every control, and
// unloaded when closed.
void SetUpEntryDialog(QDialog* dialog, int width, int height);
// A label at (left, top) of the dialog, its mnemonic leading to buddy.
QLabel* EntryLabel(QWidget* parent, const QString& text, QWidget* buddy, int left, int top, int width);
// Height of the dialogs' boxes and labels.
constexpr int kEntryRowHeight = 24;

// The dialogs' messages.
inline const QString kMsgBadValue = QStringLiteral("値が間違っているか、入力されていない項目があります。");
inline const QString kMsgBadDate = QStringLiteral("購入日の指定が間違っています");
// A full table, before anything is stored: the store and its file hold
// kMaterials materials of kTransactions transactions each.
inline const QString kMsgMaterialsFull = QStringLiteral("資材数は３００までです。");
inline const QString kMsgTransactionsFull =
    QStringLiteral("購入と使用は１資材につき１０００件までです。");

// Runs the body of a dialog's OK: a conversion failure (13) shows
// kMsgBadValue, any other error "エラーナンバー：" with its number. Returns
// whether the body finished.
template <class Body>
bool RunEntry(Body&& body) noexcept;

// Shows the message for an error caught by RunEntry.
void ShowEntryError(std::exception_ptr e) noexcept;

template <class Body>
bool RunEntry(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ShowEntryError(std::current_exception());
    return false;
  }
}
