#include "materials/modMaterial.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QFocusEvent>
#include <QLineEdit>
#include <cmath>
#include <limits>

#include "platform/Controls.h"
#include "platform/ErrorReporter.h"
#include "platform/FlexGrid.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"
#include "store/MaterialBalance.h"

CellKeyTable CellKey;
int EditRow = 2;
int EditCol = 0;

// --- CellKey -----------------------------------------------------------------

void CellKeyTable::Reset() {
  rows_.clear();
  rows_.emplace_back();
}

void CellKeyTable::AddRow() { rows_.emplace_back(); }

const CellKeyTable::RowKey& CellKeyTable::At(int row) const {
  if (row < 0 || row >= Rows()) throw rt::RuntimeError(rt::kErrSubscript);
  return rows_[static_cast<size_t>(row)];
}

void CellKeyTable::SetMaterial(int row, int m) {
  At(row);
  RowKey& k = rows_[static_cast<size_t>(row)];
  k.m = static_cast<int16_t>(m);
  k.own = true;
}

void CellKeyTable::SetTransaction(int row, int m, int j, int mode) {
  At(row);
  RowKey& k = rows_[static_cast<size_t>(row)];
  k.m = static_cast<int16_t>(m);
  k.j = static_cast<int16_t>(j);
  k.mode = static_cast<int8_t>(mode == 0 || mode == 1 ? mode : -1);
}

std::string CellKeyTable::operator()(int kind, int col, int row) const {
  if (kind < 0 || kind > 1 || col < 0 || col >= kLedgerCols) throw rt::RuntimeError(rt::kErrSubscript);
  const RowKey& k = At(row);
  static const char* const kOwn[] = {"Name", "Price", "Volume", "Unit"};
  std::string code;
  if (col <= 3) {
    if (k.own) code = kOwn[col];
  } else if (k.j > 0) {
    char field = 0;
    if (k.mode == 0) field = col == 5 ? '0' : col == 7 ? '2' : col == 10 ? '3' : 0;
    if (k.mode == 1) field = col == 6 ? '0' : col == 9 ? '2' : col == 10 ? '3' : 0;
    if (field) code = field + std::to_string(k.j);
  }
  if (kind == 1 || code.empty()) return code;
  return std::to_string(k.m);
}

// --- The fill ----------------------------------------------------------------

QString LedgerDateText(int32_t date) {
  QString t = QString::number(date);
  return t.mid(0, 4) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.mid(6, 2);
}

QString LedgerCellText(int row, int col) {
  const CellKeyTable::RowKey& k = CellKey.At(row);
  if (k.m == 0) return {};
  const MaterialRec& rec = Material(k.m);
  if (col <= 3) {
    if (!k.own) return {};
    switch (col) {
      case 0: return QString::fromStdString(rec.Name);
      case 1: return QString::number(rec.Price);
      case 2: return QString::number(rec.Volume);
      default: return QString::fromStdString(rec.Unit);
    }
  }
  if (k.j == 0 || k.mode < 0) return {};
  const int j = k.j;
  const int dateCol = k.mode == 0 ? 5 : 6;
  const int countCol = k.mode == 0 ? 7 : 9;
  if (col == dateCol) return LedgerDateText(rec.Date(j));
  if (col == countCol) return QString::number(rec.OrVolNum(j));
  // What the units bought hold; 64 bits, as both factors may be large.
  if (k.mode == 0 && col == 8) return QString::number(static_cast<int64_t>(rec.OrVolNum(j)) * rec.Volume);
  if (col == 10) return QString::number(rec.RemainVol(j));
  return {};
}

namespace {

// The grid does not repaint while it is refilled, and repaints again however
// the fill ends.
class PaintHold {
 public:
  explicit PaintHold(FlexGrid* g) : g_(g) { g_->setUpdatesEnabled(false); }
  ~PaintHold() { g_->setUpdatesEnabled(true); }
  PaintHold(const PaintHold&) = delete;
  PaintHold& operator=(const PaintHold&) = delete;

 private:
  FlexGrid* g_;
};

}  // namespace

void FillMaterialGrid(FlexGrid* grid) {
  CatchErrors([&] {
    const int row = grid->Row();
    const int col = grid->Col();
    PaintHold hold(grid);
    CellKey.Reset();
    int r = 0;
    for (int m = 1; m <= kMaterials; ++m) {
      const MaterialRec& rec = Material(m);
      if (rec.Name.empty()) break;
      CellKey.SetMaterial(r, m);
      // The first transaction shares the row of the material's own values.
      for (int j = 1; j <= kTransactions; ++j) {
        if (rec.Date(j) == 0) break;
        CellKey.SetTransaction(r, m, j, rec.Mode(j));
        ++r;
        CellKey.AddRow();
      }
      ++r;
      CellKey.AddRow();
    }
    grid->SetDataRows(CellKey.Rows(), [](int gridRow, int c) -> QString {
      try {
        return LedgerCellText(gridRow - kLedgerFixedRows, c);
      } catch (...) {
        return {};  // asked while painting: nothing may escape
      }
    });
    grid->SetRow(std::clamp(row, grid->FixedRows(), grid->Rows() - 1));
    grid->SetCol(col);
  });
}

// --- The in-place editor -----------------------------------------------------

void StartCellEdit(FlexGrid* grid, QLineEdit* box, int keyCode) {
  CatchErrors([&] {
    const int row = grid->Row();
    const int col = grid->Col();
    QString text;
    bool caretAtStart = false;
    if (keyCode == keys::kSpace) {
      text = grid->TextMatrix(row, col);
      caretAtStart = true;
    } else if (keyCode == keys::kEnter) {
      text = grid->TextMatrix(row, col);
    } else if (keyCode == keys::kBack) {
      text.clear();
    } else if (keyCode > keys::kSpace && keyCode != keys::kDelChar) {
      char32_t c = static_cast<char32_t>(keyCode);
      text = StorableText(QString::fromUcs4(&c, 1));
    } else {
      return;
    }
    QRect cell = grid->CurrentCellRect();
    box->setGeometry(QRect(grid->mapTo(box->parentWidget(), cell.topLeft()), cell.size()));
    box->setText(text);
    // The old value is selected, as in a spreadsheet: typing replaces it,
    // an arrow key keeps it and moves the caret.
    const int n = static_cast<int>(text.size());
    if (keyCode == keys::kSpace || keyCode == keys::kEnter)
      box->setSelection(caretAtStart ? n : 0, caretAtStart ? -n : n);
    else
      box->setCursorPosition(n);
    box->show();
    box->raise();
    box->setFocus();
    EditCol = col;
    EditRow = row;
  });
}

namespace {

// Gives the grid the focus, which stores an open edit. A window that is not
// the active one moves its focus without telling the editor; it is told here
// so that the edit is stored all the same.
void FocusGrid(FlexGrid* grid, QLineEdit* box) {
  grid->setFocus();
  if (!box->isHidden()) {
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(box, &out);
  }
}

}  // namespace

void CellEditKeyDown(FlexGrid* grid, QLineEdit* box, int keyCode) {
  CatchErrors([&] {
    switch (keyCode) {
      case keys::kEsc:
        box->hide();
        grid->setFocus();
        break;
      case keys::kEnter: FocusGrid(grid, box); break;
      case keys::kUp:
        FocusGrid(grid, box);
        QCoreApplication::processEvents();
        if (grid->Row() > grid->FixedRows()) {
          grid->SetRow(grid->Row() - 1);
          if (!grid->RowIsVisible(grid->Row())) grid->SetTopRow(grid->TopRow() - 1);
        }
        break;
      case keys::kDown:
        FocusGrid(grid, box);
        QCoreApplication::processEvents();
        if (grid->Row() < grid->Rows() - 1) {
          grid->SetRow(grid->Row() + 1);
          if (!grid->RowIsVisible(grid->Row())) grid->SetTopRow(grid->TopRow() + 1);
        }
        break;
      default: break;
    }
  });
}

// --- Reading values ----------------------------------------------------------

int32_t WholeNumber(const QString& text) {
  // Full-width digits, as an input method types them, count as digits.
  double v = rt::ToNumber(text.normalized(QString::NormalizationForm_KC).toStdString());
  if (v != std::floor(v)) throw rt::RuntimeError(rt::kErrTypeMismatch);
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw rt::RuntimeError(rt::kErrOverflow);
  return static_cast<int32_t>(v);
}

namespace {

// A date cell's text yyyy/mm/dd as yyyymmdd, or 0 when it is not a real day
// of the years the records cover.
int32_t DateCellValue(const QString& text) {
  QString t = text.normalized(QString::NormalizationForm_KC).trimmed();
  if (t.size() != 10) return 0;
  QString digits = t.mid(0, 4) + t.mid(5, 2) + t.mid(8, 2);
  for (QChar c : digits)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
  int32_t n = digits.toInt();
  int year = n / 10000, month = n / 100 % 100, day = n % 100;
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return 0;
  if (day < 1 || day > DaysInMonth(year, month)) return 0;
  return n;
}

}  // namespace

CellStore StoreCellText(int col, int row, const QString& text) {
  // The code is looked at first: a cell without a field converts nothing.
  const std::string code = CellKey(1, col, row);
  if (code.empty()) return CellStore::NoField;
  const int m = std::stoi(CellKey(0, col, row));
  const bool transaction = code[0] >= '0' && code[0] <= '9';
  const int j = transaction ? std::stoi(code.substr(1)) : 0;
  // The edit and the balances it moves are made on a copy, so that a value
  // refused half way leaves the material as it was.
  MaterialRec rec = Material(m);
  try {
    switch (code[0]) {
      case 'N':
        // An empty name would end the material list here.
        if (text.isEmpty()) return CellStore::Refused;
        rec.Name = text.toStdString();
        break;
      case 'U': rec.Unit = text.toStdString(); break;
      case 'P': rec.Price = WholeNumber(text); break;
      case 'V':
        // Every purchase holds another quantity now.
        rec.Volume = WholeNumber(text);
        CarryRemainFrom(rec, 1);
        break;
      case '0': {
        // A date of 0 would end the transaction list here.
        int32_t d = DateCellValue(text);
        if (d == 0) return CellStore::Refused;
        rec.Date(j) = d;
        break;
      }
      case '2':
        rec.OrVolNum(j) = WholeNumber(text);
        CarryRemainFrom(rec, j);
        break;
      case '3':
        // A stock-take: what was counted is the balance the later
        // transactions go on from.
        rec.RemainVol(j) = WholeNumber(text);
        CarryRemainFrom(rec, j + 1);
        break;
      default: return CellStore::NoField;
    }
  } catch (const rt::RuntimeError& e) {
    if (e.number() == rt::kErrTypeMismatch || e.number() == rt::kErrOverflow) return CellStore::Refused;
    throw;
  }
  // A value typed over itself changes nothing, and so asks for no save.
  return StoreMaterial(m, rec) ? CellStore::Stored : CellStore::Unchanged;
}

int32_t ReadMaskedDate(const QString& shown) {
  QString s = shown;
  const QChar blank = QLatin1Char('_');
  // A single digit in either place of a pair gets a leading zero.
  for (int at : {5, 8}) {
    if (at + 1 >= s.size()) continue;
    QChar first = s[at], second = s[at + 1];
    if (first == blank && second != blank) {
      s[at] = QLatin1Char('0');
    } else if (first != blank && second == blank) {
      s[at + 1] = first;
      s[at] = QLatin1Char('0');
    }
  }
  QString digits = s.mid(0, 4) + s.mid(5, 2) + s.mid(8, 2);
  return rt::CLng(rt::RoundHalfEven(rt::Val(digits.toStdString())));
}

bool MaskedDateIsValid(const QString& shown, int32_t n) {
  const std::string t = std::to_string(n);
  auto part = [&](size_t from, size_t len) { return rt::CInt(t.size() > from ? t.substr(from, len) : std::string()); };
  const int year = part(0, 4), month = part(4, 2), day = part(6, 2);
  if (shown.size() != 10) return false;
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return false;
  return day >= 1 && day <= DaysInMonth(year, month);
}

int FirstFreeMaterial() {
  for (int m = 1; m <= kMaterials; ++m)
    if (Material(m).Name.empty()) return m;
  return 0;
}

int FirstFreeTransaction(const MaterialRec& rec) {
  for (int j = 1; j <= kTransactions; ++j)
    if (rec.Date(j) == 0) return j;
  return 0;
}

int32_t Long32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw rt::RuntimeError(rt::kErrOverflow);
  return static_cast<int32_t>(v);
}

int32_t RemainAfter(const MaterialRec& rec, int j, int mode, int32_t count) {
  // The first transaction of a material balances against nothing.
  const int64_t before = j > 1 ? rec.RemainVol(j - 1) : 0;
  return Long32(mode == 0 ? static_cast<int64_t>(count) * rec.Volume + before : before - count);
}

void SwallowDateKeyDown(int& keyCode) {
  // Space, and "+" and "-" of the number pad.
  if (keyCode == keys::kSpace || keyCode == keys::kPadPlus || keyCode == keys::kPadMinus) keyCode = 0;
}

void SwallowDateKeyPress(int& keyAscii) {
  if (keyAscii == '+' || keyAscii == '-' || keyAscii == ' ') keyAscii = 0;
}

void ShowEntryError(std::exception_ptr e) noexcept {
  CatchErrors([&] {
    int16_t n = rt::ErrorNumberOf(e);
    if (n == rt::kErrTypeMismatch)
      MsgBox(kMsgBadValue);
    else
      MsgBox(QStringLiteral("エラーナンバー：") + QString::number(n));
  });
}

// --- The dialogs' layout -----------------------------------------------------

void SetUpEntryDialog(QDialog* dialog, int width, int height) {
  dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  dialog->setFixedSize(width, height);
  dialog->setFont(MapFont(kPGothic, ScaledFontSize(12, 14)));
}

QLabel* EntryLabel(QWidget* parent, const QString& text, QWidget* buddy, int left, int top, int width) {
  auto* l = new QLabel(text, parent);
  l->setBuddy(buddy);
  l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  l->setGeometry(left, top, width, kEntryRowHeight);
  return l;
}
