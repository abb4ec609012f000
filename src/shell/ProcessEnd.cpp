#include "shell/ProcessEnd.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include "store/Store.h"

namespace {

std::function<void()>& EndHook() {
  static std::function<void()> h;
  return h;
}

}  // namespace

QString FindHelpFile() {
  QString own = QString::fromStdString(DataPath) + QStringLiteral("help/index.html");
  if (QFileInfo(own).isFile()) return own;
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("vorn/help/index.html"));
}

void SetEndProcessHook(std::function<void()> hook) { EndHook() = std::move(hook); }

void EndProcess() {
  if (EndHook()) {
    EndHook()();
    return;
  }
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  QCoreApplication::exit(0);
}
