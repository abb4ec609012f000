#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MsgBoxHandler& Handler() {
  static MsgBoxHandler h;
  return h;
}
}  // namespace

void SetMsgBoxHandler(MsgBoxHandler handler) { Handler() = std::move(handler); }

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
  MsgBoxCall call{text, title, buttons, icon};
  if (Handler()) return Handler()(call);

  QMessageBox box(icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, title,
                  QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n')),
                  QMessageBox::NoButton, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  switch (buttons) {
    case MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
      break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return MsgResult::Ok;
  }
}
