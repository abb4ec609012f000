#include "platform/MessageBox.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <memory>

namespace {
MsgBoxHandler& Handler() {
  static MsgBoxHandler h;
  return h;
}

// A message box opens in the middle of the screen, wherever its owner is
// (the menu bar is a thin strip at the top).
class CentredMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* e) override {
    QMessageBox::showEvent(e);  // sizes the box and places it over its owner
    if (QScreen* s = screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(s->geometry().center());
      move(frame.topLeft());
    }
  }
};

}  // namespace

void SetMsgBoxHandler(MsgBoxHandler handler) { Handler() = std::move(handler); }

void ReleaseHeldControls() {
  // Which control holds a press is not told, but a release where nothing is
  // held changes nothing, so every one is released.
  for (QWidget* w : QApplication::allWidgets()) {
    if (!qobject_cast<QAbstractSlider*>(w) && !qobject_cast<QAbstractSpinBox*>(w)) continue;
    const QPointF inside(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, w->mapToGlobal(inside), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
  }
}

QMessageBox* NewMessageBox(const MsgBoxCall& call) {
  auto* box = new CentredMessageBox(
      call.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, call.title,
      QString(call.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n')),
      QMessageBox::NoButton, QApplication::activeWindow());
  box->setTextFormat(Qt::PlainText);
  switch (call.buttons) {
    case MsgButtons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      box->setEscapeButton(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setEscapeButton(QMessageBox::No);
      box->setDefaultButton(call.defaultNo ? QMessageBox::No : QMessageBox::Yes);
      break;
    case MsgButtons::YesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box->setEscapeButton(QMessageBox::Cancel);
      break;
  }
  return box;
}

namespace {
MsgResult Show(const MsgBoxCall& call) {
  // The box takes the mouse release of a press that opened it: a scroll bar
  // or spinner still held would go on stepping behind the box.
  ReleaseHeldControls();
  if (Handler()) return Handler()(call);

  std::unique_ptr<QMessageBox> box(NewMessageBox(call));
  switch (box->exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return MsgResult::Ok;
  }
}
}  // namespace

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
  return Show(MsgBoxCall{text, title, buttons, icon});
}

MsgResult AskDestructive(const QString& text, MsgIcon icon, const QString& title) {
  MsgBoxCall call{text, title, MsgButtons::YesNo, icon};
  call.defaultNo = true;
  return Show(call);
}
