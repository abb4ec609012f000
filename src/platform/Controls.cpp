#include "platform/Controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"

void SetBarValue(QScrollBar* bar, long value) {
  if (value < bar->minimum() || value > bar->maximum()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  bar->setValue(static_cast<int>(value));
}

void SetListIndex(QComboBox* box, int index) {
  if (index < -1 || index >= box->count()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  box->setCurrentIndex(index);
}

void SetListIndex(QListWidget* list, int index) {
  if (index < -1 || index >= list->count()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  list->setCurrentRow(index);
  if (index == -1) list->clearSelection();
}

void FillList(QComboBox* box, const QStringList& items) {
  QSignalBlocker block(box);
  box->clear();
  box->addItems(items);
  box->setCurrentIndex(-1);
}

void FillList(QListWidget* list, const QStringList& items) {
  QSignalBlocker block(list);
  list->clear();
  list->addItems(items);
  list->setCurrentRow(-1);
}

QString StorableText(const QString& typed) {
  QString in = typed;
  in.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  in.replace(QChar('\r'), QChar('\n'));
  in.replace(QChar::ParagraphSeparator, QChar('\n'));
  in.replace(QChar::LineSeparator, QChar('\n'));
  QString out;
  out.reserve(in.size());
  for (int i = 0; i < in.size();) {
    int len = (in.at(i).isHighSurrogate() && i + 1 < in.size() && in.at(i + 1).isLowSurrogate()) ? 2 : 1;
    QString ch = in.mid(i, len);
    i += len;
    if (ch.at(0).unicode() < 0x80) {
      out += ch;
      continue;
    }
    std::string bytes = rt::Utf8ToCp932(ch.toStdString());
    if (bytes == "?") continue;  // the code page has no such character
    out += QString::fromStdString(rt::Cp932ToUtf8(bytes));
  }
  return out;
}

void KeepStorable(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
    QString keep = StorableText(text);
    keep.replace(QChar('\n'), QChar(' '));
    if (keep == text) return;
    // The caret stays after what was typed, less what was taken out before it.
    int caret = box->cursorPosition();
    int lost = caret - StorableText(text.left(caret)).size();
    box->setText(keep);
    box->setCursorPosition(std::max(0, caret - lost));
  });
}

QLineEdit* MakeShowBox(QWidget* parent, const QString& text) {
  auto* t = new QLineEdit(text, parent);
  t->setReadOnly(true);
  t->setFocusPolicy(Qt::NoFocus);
  return t;
}

namespace {

// Qt's scroll bars take Right as a step down and Left as a step up; on a bar
// that sets a value the arrow keys go the way the thumb moves.
class ArrowsAlongThumb : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) return false;
    static_cast<QScrollBar*>(watched)->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                                          : QAbstractSlider::SliderSingleStepSub);
    return true;
  }
};

}  // namespace

QScrollBar* MakeBar(QWidget* parent, Qt::Orientation o, int min, int max, int small, int large, int value) {
  auto* b = new QScrollBar(o, parent);
  b->setRange(min, max);
  b->setSingleStep(small);
  b->setPageStep(large);
  b->setValue(value);
  b->setFocusPolicy(Qt::StrongFocus);
  b->setTracking(false);
  if (o == Qt::Horizontal) b->installEventFilter(new ArrowsAlongThumb(b));
  return b;
}

void ConnectBar(QScrollBar* bar, QObject* context, std::function<void()> change,
                std::function<void(int)> moving) {
  QObject::connect(bar, &QScrollBar::valueChanged, context, [change = std::move(change)] { change(); });
  if (moving) QObject::connect(bar, &QScrollBar::sliderMoved, context, std::move(moving));
}
