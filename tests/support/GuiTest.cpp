#include "support/GuiTest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

MsgResult UnexpectedBox(const MsgBoxCall& call) {
  if (call.buttons != MsgButtons::Ok)
    ADD_FAILURE() << "unexpected question: " << call.text.toStdString();
  else
    ADD_FAILURE() << "unexpected message box: " << call.text.toStdString();
  return call.buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel
         : call.buttons == MsgButtons::YesNo     ? MsgResult::No
                                                 : MsgResult::Ok;
}

}  // namespace

MessageBoxes::MessageBoxes() {
  SetMsgBoxHandler([this](const MsgBoxCall& call) {
    calls_.push_back(call);
    if (!answers_.empty()) {
      MsgResult r = answers_.front();
      answers_.pop_front();
      return r;
    }
    if (call.buttons == MsgButtons::Ok) return MsgResult::Ok;
    return UnexpectedBox(call);
  });
}

MessageBoxes::~MessageBoxes() { SetMsgBoxHandler(UnexpectedBox); }

RealMessageBoxes::RealMessageBoxes() { SetMsgBoxHandler({}); }
RealMessageBoxes::~RealMessageBoxes() { SetMsgBoxHandler(UnexpectedBox); }

std::vector<int> ReportedErrors(const MessageBoxes& boxes) {
  std::vector<int> n;
  for (const MsgBoxCall& c : boxes.calls()) {
    int at = c.text.indexOf(QStringLiteral("ｴﾗｰｺｰﾄﾞ:"));
    if (at >= 0) n.push_back(c.text.mid(at + 8).section(QChar('\r'), 0, 0).trimmed().toInt());
  }
  return n;
}

void ProcessEvents(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

// Exported so that gui_main can install it before any test runs.
void InstallUnexpectedBoxHandler() { SetMsgBoxHandler(UnexpectedBox); }

void OnDialog(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QPointer<QWidget> d = QApplication::activeModalWidget();
    act(d);
    if (d) QTimer::singleShot(2000, d, [d] { ADD_FAILURE() << "the dialog stayed open"; delete d; });
  });
}
