#include "platform/FlexGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/PictureBox.h"
#include "runtime/RuntimeError.h"

// --- Model ---------------------------------------------------------------------

// One part of the grid: the fixed rows (texts kept by the grid) or the data
// rows (a text written into a cell, else the source's text).
class FlexPartModel : public QAbstractTableModel {
 public:
  FlexPartModel(FlexGrid* g, bool fixed) : QAbstractTableModel(g), g_(g), fixed_(fixed) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : fixed_ ? g_->fixedRows_ : g_->dataRows_;
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : g_->cols_; }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role == Qt::DisplayRole) return g_->TextMatrix(i.row() + (fixed_ ? 0 : g_->fixedRows_), i.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(g_->align_.value(i.column()));
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex&) const override {
    return fixed_ ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }
  void Reshape(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
  }
  // row counts within the part.
  void Changed(int row, int col) { emit dataChanged(index(row, col), index(row, col), {Qt::DisplayRole}); }

 private:
  FlexGrid* g_;
  bool fixed_;
};

// The data view's column header: as high as the fixed rows, and covered by
// the table that shows them. The data view places and sizes it (above the
// data, as wide as their viewport) and keeps its sections the column widths.
class FlexHeader : public QHeaderView {
 public:
  FlexHeader(QTableView* fixed, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), fixed_(fixed) {
    fixed_->setParent(this);
  }
  int height_ = 0;
  QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), height_}; }
  QSize minimumSizeHint() const override { return {0, height_}; }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QHeaderView::resizeEvent(e);
    fixed_->setGeometry(rect());
  }
  void paintEvent(QPaintEvent*) override {}  // the fixed table covers it

 private:
  QTableView* fixed_;
};

// The data rows' view. At the end of its range a per-row scrolling view
// lines the last row up with its bottom edge, which leaves the top row cut
// in half under the fixed rows; here the rows stay lined up with the top
// edge at every scroll position, the room left below the last row empty.
class FlexDataView : public QTableView {
 public:
  using QTableView::QTableView;

 protected:
  void scrollContentsBy(int dx, int dy) override {
    QTableView::scrollContentsBy(dx, dy);
    KeepTopRowWhole();
  }
  void updateGeometries() override {
    QTableView::updateGeometries();
    KeepTopRowWhole();
  }

 private:
  void KeepTopRowWhole() {
    const QScrollBar* bar = verticalScrollBar();
    QHeaderView* rows = verticalHeader();
    if (bar->maximum() <= 0 || bar->value() != bar->maximum()) return;
    const int top = rows->sectionPosition(rows->logicalIndex(bar->value()));
    if (top < 0 || rows->offset() == top) return;
    rows->setOffset(top);
    viewport()->update();
  }
};

namespace {

void SetUpView(QTableView* v, int rowHeight) {
  v->setFrameShape(QFrame::NoFrame);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setTabKeyNavigation(false);
  v->setWordWrap(false);
  v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  v->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  v->verticalHeader()->hide();
  v->verticalHeader()->setMinimumSectionSize(1);
  v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  v->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void SetUpColumns(QHeaderView* h) {
  h->setMinimumSectionSize(0);
  h->setSectionResizeMode(QHeaderView::Fixed);
  h->setSectionsClickable(false);
  h->setHighlightSections(false);
}

}  // namespace

// --- The grid ----------------------------------------------------------------

FlexGrid::FlexGrid(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  fixedModel_ = new FlexPartModel(this, true);
  dataModel_ = new FlexPartModel(this, false);

  dataView_ = new FlexDataView(this);
  fixedView_ = new QTableView;
  header_ = new FlexHeader(fixedView_, dataView_);
  dataView_->setHorizontalHeader(header_);
  SetUpView(dataView_, rowHeight_);
  SetUpView(fixedView_, rowHeight_);
  SetUpColumns(header_);
  fixedView_->horizontalHeader()->hide();
  SetUpColumns(fixedView_->horizontalHeader());
  fixedView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixedView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixedView_->setSelectionMode(QAbstractItemView::NoSelection);
  fixedView_->setFocusPolicy(Qt::NoFocus);
  // Fixed cells look like buttons, as headers do.
  QPalette p = fixedView_->palette();
  p.setColor(QPalette::Base, p.color(QPalette::Button));
  p.setColor(QPalette::Text, p.color(QPalette::ButtonText));
  fixedView_->setPalette(p);

  dataView_->setSelectionMode(QAbstractItemView::SingleSelection);
  dataView_->setSelectionBehavior(QAbstractItemView::SelectItems);
  dataView_->setAttribute(Qt::WA_InputMethodEnabled, true);
  dataView_->setModel(dataModel_);
  fixedView_->setModel(fixedModel_);
  setFocusProxy(dataView_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dataView_);

  connect(dataView_->horizontalScrollBar(), &QScrollBar::valueChanged, fixedView_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(dataView_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { emit SelChange(); });
  connect(dataView_, &QTableView::doubleClicked, this, [this] { emit DblClick(); });
  dataView_->installEventFilter(this);
  UpdateHeaderHeight();
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::SetCols(int cols) {
  cols = std::max(cols, 0);
  QVector<QString> kept(fixedRows_ * cols);
  for (int r = 0; r < fixedRows_; ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c) kept[r * cols + c] = fixedText_[r * cols_ + c];
  fixedModel_->Reshape([&] {
    dataModel_->Reshape([&] {
      cols_ = cols;
      fixedText_ = kept;
      align_.resize(cols);
      mergeCol_.resize(cols);
      written_.clear();
    });
  });
  UpdateMerges();
}

void FlexGrid::SetFixedRows(int rows) {
  rows = std::max(rows, 0);
  fixedModel_->Reshape([&] {
    fixedRows_ = rows;
    fixedText_.resize(rows * cols_);
    mergeRow_.resize(rows);
  });
  UpdateHeaderHeight();
  UpdateMerges();
}

int FlexGrid::ColWidth(int col) const { return dataView_->columnWidth(col); }

void FlexGrid::SetColWidth(int col, int pixels) {
  if (col < 0 || col >= cols_) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  dataView_->setColumnWidth(col, pixels);
  fixedView_->setColumnWidth(col, pixels);
}

void FlexGrid::UpdateHeaderHeight() {
  header_->height_ = fixedRows_ * rowHeight_;
  header_->setFixedHeight(header_->height_);
  header_->setVisible(fixedRows_ > 0);
  header_->updateGeometry();
}

void FlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
  if (col < 0 || col >= cols_) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  align_[col] = alignment;
  fixedView_->viewport()->update();
  dataView_->viewport()->update();
}

void FlexGrid::SetMergeRow(int row, bool merge) {
  if (row < 0 || row >= fixedRows_) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  mergeRow_[row] = merge;
  UpdateMerges();
}

void FlexGrid::SetMergeCol(int col, bool merge) {
  if (col < 0 || col >= cols_) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  mergeCol_[col] = merge;
  UpdateMerges();
}

void FlexGrid::UpdateMerges() {
  fixedView_->clearSpans();
  auto text = [&](int r, int c) { return fixedText_[r * cols_ + c]; };
  QVector<bool> joined(fixedRows_ * cols_);
  for (int r = 0; r < fixedRows_; ++r) {
    if (!mergeRow_[r]) continue;
    for (int c = 0; c < cols_;) {
      int e = c;
      while (e + 1 < cols_ && text(r, e + 1) == text(r, c)) ++e;
      if (e > c) {
        fixedView_->setSpan(r, c, 1, e - c + 1);
        for (int k = c; k <= e; ++k) joined[r * cols_ + k] = true;
      }
      c = e + 1;
    }
  }
  for (int c = 0; c < cols_; ++c) {
    if (!mergeCol_[c]) continue;
    for (int r = 0; r < fixedRows_;) {
      int e = r;
      while (!joined[r * cols_ + c] && e + 1 < fixedRows_ && !joined[(e + 1) * cols_ + c] && text(e + 1, c) == text(r, c))
        ++e;
      if (e > r) fixedView_->setSpan(r, c, e - r + 1, 1);
      r = e + 1;
    }
  }
}

void FlexGrid::CheckCell(int row, int col) const {
  if (row < 0 || row >= Rows() || col < 0 || col >= cols_) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
}

void FlexGrid::SetDataRows(int count, TextSource source) {
  dataModel_->Reshape([&] {
    dataRows_ = std::max(count, 0);
    source_ = std::move(source);
    written_.clear();
  });
}

QString FlexGrid::TextMatrix(int row, int col) const {
  CheckCell(row, col);
  if (row < fixedRows_) return fixedText_[row * cols_ + col];
  auto it = written_.constFind(static_cast<qint64>(row) * cols_ + col);
  if (it != written_.constEnd()) return *it;
  return source_ ? source_(row, col) : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  CheckCell(row, col);
  if (row < fixedRows_) {
    fixedText_[row * cols_ + col] = text;
    fixedModel_->Changed(row, col);
    UpdateMerges();
    return;
  }
  written_.insert(static_cast<qint64>(row) * cols_ + col, text);
  dataModel_->Changed(row - fixedRows_, col);
}

int FlexGrid::Row() const {
  QModelIndex i = dataView_->currentIndex();
  return i.isValid() ? i.row() + fixedRows_ : fixedRows_;
}

int FlexGrid::Col() const {
  QModelIndex i = dataView_->currentIndex();
  return i.isValid() ? i.column() : 0;
}

void FlexGrid::SetRow(int row) {
  if (row < fixedRows_ || row >= Rows()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  dataView_->setCurrentIndex(dataModel_->index(row - fixedRows_, Col()));
}

void FlexGrid::SetCol(int col) {
  if (col < 0 || col >= cols_ || dataRows_ == 0) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  dataView_->setCurrentIndex(dataModel_->index(Row() - fixedRows_, col));
}

int FlexGrid::TopRow() const {
  int r = dataView_->rowAt(0);
  return (r < 0 ? 0 : r) + fixedRows_;
}

void FlexGrid::SetTopRow(int row) {
  if (row < fixedRows_ || row >= Rows()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  dataView_->verticalScrollBar()->setValue(row - fixedRows_);
}

bool FlexGrid::RowIsVisible(int row) const {
  if (row < fixedRows_ || row >= Rows()) return false;
  QRect r = dataView_->visualRect(dataModel_->index(row - fixedRows_, 0));
  return r.top() >= 0 && r.bottom() < dataView_->viewport()->height();
}

QRect FlexGrid::CurrentCellRect() {
  QModelIndex i = dataView_->currentIndex();
  if (!i.isValid()) return {};
  dataView_->scrollTo(i);
  QRect r = dataView_->visualRect(i);
  return r.translated(dataView_->viewport()->mapTo(this, QPoint(0, 0)));
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == dataView_) {
    if (e->type() == QEvent::KeyPress) return HandleKey(static_cast<QKeyEvent*>(e));
    if (e->type() == QEvent::InputMethod) {
      QPointer<FlexGrid> alive(this);
      emit KeyDown(keys::kInputMethod, 0);
      // The composed text goes on to wherever the handlers put the focus.
      QWidget* now = QApplication::focusWidget();
      if (alive && now && now != dataView_) QCoreApplication::sendEvent(now, e);
      return true;
    }
  }
  return QFrame::eventFilter(watched, e);
}

bool FlexGrid::HandleKey(QKeyEvent* e) {
  QPointer<FlexGrid> alive(this);
  emit KeyDown(VbKeyCode(e->key(), e->modifiers()), VbShift(e->modifiers()));
  if (!alive) return true;
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;  // the view moves the current cell or the focus
    default: break;
  }
  int ascii = 0;
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
    ascii = keys::kEnter;
  else if (e->key() == Qt::Key_Backspace)
    ascii = keys::kBack;
  else if (e->key() == Qt::Key_Escape)
    ascii = keys::kEsc;
  else if (!e->text().isEmpty()) {
    char32_t c = e->text().toUcs4().value(0);
    if (c >= keys::kSpace && c != keys::kDelChar) ascii = static_cast<int>(c);
  }
  if (ascii != 0) emit KeyPress(ascii);
  return true;
}
