#include "namelist/frmEdit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <vector>

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/ErrorReporter.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NameListLink.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/RuntimeError.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

constexpr int kRowPixels = 16;
constexpr int kVisibleRows = 16;
constexpr int kBoxLeft = 2;
constexpr int kBoxWidth = 217;           // the list's inner width
constexpr int kBoxWidthScrolling = 201;  // less the scroll bar

const QString kAdd = QStringLiteral("ADD");
const QString kEdit = QStringLiteral("EDIT");

// Every row of the list is 16 pixels high, whatever the font asks for, so
// that the editor box laid over a row covers it exactly.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(kRowPixels);
    return s;
  }
};

// A count in full-width digits, as the dialog's messages write numbers.
QString FullWidth(int n) {
  QString s = QString::number(n);
  for (QChar& c : s) c = QChar(c.unicode() - u'0' + u'０');
  return s;
}

}  // namespace

frmEdit::frmEdit(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("編集"));
  lstName = new QListWidget(this);
  txtAdd = new QLineEdit(this);
  cmdOK = new QPushButton(QStringLiteral("適用"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);
  cmdAdd = new QPushButton(QStringLiteral("追加"), this);
  cmdDelete = new QPushButton(QStringLiteral("削除"), this);
  cmdEdit = new QPushButton(QStringLiteral("編集"), this);
  cmdUP = new QPushButton(QStringLiteral("▲"), this);
  cmdDOWN = new QPushButton(QStringLiteral("▼"), this);

  setFixedSize(TwipsToPixelsX(4680), TwipsToPixelsY(3900));
  PlaceTwips(lstName, 0, 0, 3315, 3900);
  PlaceTwips(cmdOK, 3360, 30, 1245, 495);
  PlaceTwips(cmdCancel, 3360, 540, 1245, 495);
  PlaceTwips(cmdAdd, 3360, 1110, 1245, 495);
  PlaceTwips(cmdDelete, 3360, 1620, 1245, 495);
  PlaceTwips(cmdEdit, 3360, 2130, 1245, 495);
  PlaceTwips(cmdUP, 3360, 2820, 525, 435);
  PlaceTwips(cmdDOWN, 3360, 3270, 525, 435);

  const QFont buttons = MapFont(kPGothic, ScaledFontSize(9));
  for (QPushButton* b : {cmdOK, cmdCancel, cmdAdd, cmdDelete, cmdEdit, cmdUP, cmdDOWN}) {
    b->setFont(buttons);
    b->setAutoDefault(false);
  }
  lstName->setFont(MapFont(kGothic, ScaledFontSize(9)));
  lstName->setItemDelegate(new RowDelegate(lstName));
  lstName->setUniformItemSizes(true);
  lstName->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  lstName->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstName->setSelectionMode(QAbstractItemView::SingleSelection);

  txtAdd->setFont(MapFont(kGothic, ScaledFontSize(9)));
  txtAdd->setFrame(false);
  QPalette grey = txtAdd->palette();
  grey.setColor(QPalette::Base, QColor(224, 224, 224));
  txtAdd->setPalette(grey);
  txtAdd->setAutoFillBackground(true);
  txtAdd->hide();
  txtAdd->raise();
  KeepStorable(txtAdd);
  txtAdd->installEventFilter(this);

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
  connect(cmdUP, &QPushButton::clicked, this, [this] { cmdUP_Click(); });
  connect(cmdDOWN, &QPushButton::clicked, this, [this] { cmdDOWN_Click(); });
  connect(lstName->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { lstName_Scroll(); });

  Form_Load();
}

void frmEdit::Form_Load() {
  CatchErrors([&] {
    lstName->clear();
    list_ = EditedNameList();
    std::vector<std::string> names = ListNames(*list_);
    // A list that holds nothing but its one empty entry (as on a first
    // start) has no name to show: it shows no rows, and the first addition
    // takes that entry over. An empty name among others shows as it is.
    if (names.size() == 1 && names[0].empty()) return;
    for (size_t i = 0; i < names.size(); ++i) AppendRow(QString::fromStdString(names[i]), static_cast<int>(i));
    SetListIndex(lstName, 0);
  });
}

int frmEdit::Origin(int row) const { return lstName->item(row)->data(Qt::UserRole).toInt(); }

int frmEdit::TopIndex() const {
  // The list scrolls by whole rows, so the bar's value is the first visible row.
  return lstName->verticalScrollBar()->value();
}

void frmEdit::SetTopIndex(int row) {
  lstName->doItemsLayout();
  lstName->verticalScrollBar()->setValue(row);
}

void frmEdit::AppendRow(const QString& text, int origin) {
  auto* item = new QListWidgetItem(text);
  item->setData(Qt::UserRole, origin);
  lstName->addItem(item);
}

void frmEdit::PlaceEditor(int topPixels) {
  int width = lstName->count() > kVisibleRows ? kBoxWidthScrolling : kBoxWidth;
  PlacePixels(txtAdd, kBoxLeft, topPixels, width, kRowPixels);
}

void frmEdit::SetButtonsEnabled(bool enabled) {
  for (QPushButton* b : {cmdOK, cmdCancel, cmdAdd, cmdDelete, cmdEdit, cmdUP, cmdDOWN}) b->setEnabled(enabled);
}

void frmEdit::cmdAdd_Click() {
  CatchErrors([&] {
    if (!list_) return;
    // A list longer than its file can read back, or with places a schedule
    // period cannot refer to, would break the next start.
    const int limit = NameListLimit(*list_);
    if (lstName->count() >= limit) {
      MsgBox(QStringLiteral("項目数は") + FullWidth(limit) + QStringLiteral("までです。"), MsgButtons::Ok);
      return;
    }
    AppendRow(QString(), 0);
    const int last = lstName->count() - 1;
    lstName->doItemsLayout();
    SetListIndex(lstName, last);
    lstName->scrollToItem(lstName->item(last));
    SetListIndex(lstName, -1);
    PlaceEditor(lstName->count() > kVisibleRows ? (kVisibleRows - 1) * kRowPixels : last * kRowPixels + 2);
    txtAddTag = kAdd;
    txtAdd->clear();
    txtAdd->show();
    txtAdd->setFocus();
    SetButtonsEnabled(false);
  });
}

void frmEdit::cmdEdit_Click() {
  CatchErrors([&] {
    const int k = lstName->currentRow();
    if (k < 0 || !lstName->item(k)->isSelected()) return;
    if (k < TopIndex())
      SetTopIndex(k);
    else if (k > TopIndex() + kVisibleRows - 1)
      SetTopIndex(k - (kVisibleRows - 1));
    PlaceEditor((k - TopIndex()) * kRowPixels + 2);
    txtAddTag = kEdit;
    txtAdd->setText(lstName->item(k)->text());
    txtAdd->show();
    txtAdd->setFocus();
    SetButtonsEnabled(false);
  });
}

void frmEdit::txtAdd_KeyPress(int keyAscii) {
  CatchErrors([&] {
    if (keyAscii == keys::kEnter) {
      const int n = lstName->count() - 1;
      // Blanks around a name are no part of it (U+3000 included); a name of
      // nothing else would leave a selector with an entry nobody can tell.
      const QString text = txtAdd->text().trimmed();
      if (text.isEmpty()) {
        // An addition is abandoned, a renamed row keeps its name.
        txtAdd_LostFocus();
        txtAdd->clear();
        lstName->setFocus();
        MsgBox(QStringLiteral("名前を入力してください。"), MsgButtons::Ok);
        return;
      }
      // The tag goes before the rows change: taking the placeholder away
      // from a scrolled list scrolls it, and the scroll handler abandons an
      // edit whose tag is still set (it would take the new row with it).
      const QString tag = txtAddTag;
      txtAddTag.clear();
      txtAdd->clear();
      if (tag == kAdd) {
        delete lstName->takeItem(n);
        // The first row of a list shown without rows takes over its empty
        // entry 0 (origin 0); every other new row starts empty.
        AppendRow(text, -n);
        SetListIndex(lstName, n);
      } else if (tag == kEdit) {
        const int k = lstName->currentRow();
        if (k >= 0) lstName->item(k)->setText(text);
      }
      lstName->setFocus();
      txtAdd_LostFocus();
    } else if (keyAscii == keys::kEsc) {
      // Abandons an addition or an edit as clicking elsewhere does.
      txtAdd_LostFocus();
      txtAdd->clear();
      lstName->setFocus();
    }
  });
}

void frmEdit::txtAdd_LostFocus() {
  CatchErrors([&] {
    // The tag goes first: removing the placeholder may scroll the list,
    // whose handler comes back here.
    const QString tag = txtAddTag;
    txtAddTag.clear();
    if (tag == kAdd && lstName->count() > 0) {
      SetListIndex(lstName, 0);
      delete lstName->takeItem(lstName->count() - 1);
    }
    txtAdd->hide();
    SetButtonsEnabled(true);
  });
}

void frmEdit::lstName_Scroll() {
  CatchErrors([&] {
    const bool open = !txtAdd->isHidden();
    txtAdd->hide();
    lstName->setFocus();
    // Without an active window no focus event comes; the edit is abandoned
    // all the same.
    if (open) txtAdd_LostFocus();
  });
}

void frmEdit::cmdDelete_Click() {
  CatchErrors([&] {
    const int k = lstName->currentRow();
    if (k < 0 || !lstName->item(k)->isSelected()) return;
    if (lstName->count() == 1) {
      MsgBox(QStringLiteral("項目数は１つ以上必要です。"), MsgButtons::Ok);
      return;
    }
    // A period keeps its place by number: dropping a place in use would
    // leave its work at no field, or at another one.
    if (list_ == NameList::Place && Origin(k) >= 0) {
      if (const int uses = PlaceUseCount(Origin(k)); uses > 0) {
        MsgBox(QStringLiteral("この場所は") + FullWidth(uses) +
                   QStringLiteral("件の作業期間で使われているため削除できません。先にその作業期間の作業場所を変更してください。"),
               MsgButtons::Ok);
        return;
      }
    }
    delete lstName->takeItem(k);
    if (k < lstName->count())
      SetListIndex(lstName, k);
    else
      SetListIndex(lstName, -1);
  });
}

void frmEdit::Exchange(int row, int other) {
  QListWidgetItem* a = lstName->item(row);
  QListWidgetItem* b = lstName->item(other);
  const QString text = a->text();
  const QVariant origin = a->data(Qt::UserRole);
  a->setText(b->text());
  a->setData(Qt::UserRole, b->data(Qt::UserRole));
  b->setText(text);
  b->setData(Qt::UserRole, origin);
  SetListIndex(lstName, other);
}

void frmEdit::cmdUP_Click() {
  CatchErrors([&] {
    const int k = lstName->currentRow();
    if (k <= 0 || !lstName->item(k)->isSelected()) return;
    Exchange(k, k - 1);
  });
}

void frmEdit::cmdDOWN_Click() {
  CatchErrors([&] {
    const int k = lstName->currentRow();
    if (k < 0 || k >= lstName->count() - 1 || !lstName->item(k)->isSelected()) return;
    Exchange(k, k + 1);
  });
}

void frmEdit::cmdOK_Click() {
  // Nothing reaches the store, its change flag or the owner's selector
  // before 適用, and then only when the rows differ from the list: rows moved
  // and moved back, or a name confirmed as it was, change nothing.
  bool changed = false;
  bool rebuilt = CatchErrors([&] {
    if (!list_) throw rt::RuntimeError(rt::kErrInvalidCall);
    std::vector<NameListRow> rows;
    rows.reserve(static_cast<size_t>(lstName->count()));
    for (int i = 0; i < lstName->count(); ++i) rows.push_back({lstName->item(i)->text().toStdString(), Origin(i)});
    // A list shown without rows still holds its empty entry.
    if (rows.empty()) rows.push_back({std::string(), 0});
    changed = RebuildNameList(*list_, rows);
  });
  // A failed rebuild left the store as it was; the rows still fit it.
  if (!rebuilt) return;
  if (!changed) return accept();
  // From here on the origin numbers no longer match the store, so the
  // dialog closes whatever the refill does.
  CatchErrors([&] {
    // Selecting a place is an edit of the chosen period in the schedule
    // window; the refill is the program's, not the farmer's choice.
    std::optional<ScopedFlag> busy;
    if (list_ == NameList::Place) busy.emplace(Busy);
    NotifyListRebuilt(*list_);
  });
  accept();
}

// Esc and the title bar's close button cancel too (QDialog's own reject).
void frmEdit::cmdCancel_Click() { reject(); }

bool frmEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtAdd) {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        txtAdd_KeyPress(keys::kEnter);
        return true;
      }
      if (key->key() == Qt::Key_Escape) {
        txtAdd_KeyPress(keys::kEsc);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // Another window or the box's own menu taking the focus for a while
      // leaves the edit open.
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) txtAdd_LostFocus();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowNameListEditor(QWidget* parent) {
  CatchErrors([&] {
    auto* dialog = new frmEdit(parent);
    QRect over = parent ? parent->window()->frameGeometry() : QGuiApplication::primaryScreen()->geometry();
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(over.center());
    dialog->move(frame.topLeft());
    RunDialog(dialog);
  });
}
